#pragma once
// The virtual tree view: TBaseNodeTree keeps one compact record per node with
// the owner's data behind it, asks its owner for each node's text, images and
// check state through events, and lays out, paints, scrolls, selects, expands
// and checks nodes itself. TNodeStringTree shows texts; TNodeDrawTree leaves
// the cell content to the owner.
//
// The header is hidden and the tree has one column (NoColumn, -1) until
// columns are given to it; the hooks that columns, editing, sorting, hints,
// drag and drop, clipboard and streaming take are declared with defaults that
// let the tree work without them.

#include <atomic>
#include <cstddef>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <optional>
#include <vector>

#include <QStringList>

#include "platform/BiDiMode.h"
#include "platform/Control.h"
#include "platform/DragDrop.h"
#include "treeview/NodePool.h"

class TCustomImageList;
class TChangeLink;
class TBitmap;
class TPicture;
class TCanvas;
class TStringList;
class QImage;
class QPainter;
class QFont;
class TPopupMenu;
class TStream;
class QByteArray;
class TNtDataObject;
class TClipboardFormats;
class QMimeData;
class TPrinter;
class IAccessible;
class TShapedPopup;

// ---------------------------------------------------------------- errors

// A run-time failure the caller can recover from; HelpContext 2001-2007.
class ENodeTreeError : public std::runtime_error {
public:
    ENodeTreeError(const QString& Msg, Integer HelpContext) : std::runtime_error(Msg.toStdString()), FHelpContext(HelpContext) {}
    Integer HelpContext() const { return FHelpContext; }

private:
    Integer FHelpContext;
};

// A broken precondition: the fixed English text, the unit and a line.
class EAssertionFailed : public std::logic_error {
public:
    EAssertionFailed(const QString& Msg, const char* Unit, int Line);
    QString Text() const { return FText; }

private:
    QString FText;
};

[[noreturn]] void RaiseTreeError(const QString& Msg, Integer HelpContext);

// ---------------------------------------------------------------- nodes

enum TDataNodeState : Cardinal {
    vsInitialized = 1u << 0,
    vsChecking = 1u << 1,
    vsCutOrCopy = 1u << 2,
    vsDisabled = 1u << 3,
    vsDeleting = 1u << 4,
    vsExpanded = 1u << 5,
    vsHasChildren = 1u << 6,
    vsVisible = 1u << 7,
    vsSelected = 1u << 8,
    vsOnFreeNodeCallRequired = 1u << 9,
    vsAllChildrenHidden = 1u << 10,
    vsReleaseCallOnUserDataRequired = 1u << 11,
    vsMultiline = 1u << 12,
    vsHeightMeasured = 1u << 13,
    vsToggling = 1u << 14,
    vsFiltered = 1u << 15,
    vsInitializing = 1u << 16,
};
using TDataNodeStates = Cardinal;

enum TDataNodeInitState : Cardinal {
    ivsDisabled = 1u << 0,
    ivsExpanded = 1u << 1,
    ivsHasChildren = 1u << 2,
    ivsMultiline = 1u << 3,
    ivsSelected = 1u << 4,
    ivsFiltered = 1u << 5,
    ivsReInit = 1u << 6,
};
using TDataNodeInitStates = Cardinal;

enum TCheckType : Byte { ctNone, ctTriStateCheckBox, ctCheckBox, ctRadioButton, ctButton };
enum TCheckState : Byte {
    csUncheckedNormal,
    csUncheckedPressed,
    csCheckedNormal,
    csCheckedPressed,
    csMixedNormal,
    csMixedPressed,
    csUncheckedDisabled,
    csCheckedDisabled,
    csMixedDisabled,
};
bool IsDisabled(TCheckState s);
bool IsChecked(TCheckState s);
TCheckState GetPressed(TCheckState s);
TCheckState GetUnpressed(TCheckState s);
TCheckState GetEnabled(TCheckState s);
TCheckState GetToggled(TCheckState s);

enum TCheckImageKind { ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP, ckCustom, ckSystemFlat, ckSystemDefault };

// One node: the record, then NodeDataSize bytes of user data, then the
// internal data that descendants reserved.
struct TDataNode {
    Cardinal Index = 0;
    Cardinal ChildCount = 0;
    // Every field a new node starts with lies in the 16 bytes from
    // NodeHeight to TotalHeight (TNodeStart).
    Word NodeHeight = 0;
    Byte Align = 0;
    TCheckState CheckState = csUncheckedNormal;
    TDataNodeStates States = 0;
    Cardinal TotalCount = 0;
    Cardinal TotalHeight = 0;
    TCheckType CheckType = ctNone;
    Byte Dummy = 0;
    TDataNode* Parent = nullptr;
    TDataNode* PrevSibling = nullptr;
    TDataNode* NextSibling = nullptr;
    TDataNode* FirstChild = nullptr;
    TDataNode* LastChild = nullptr;
};
using PDataNode = TDataNode*;
using TNodeArray = std::vector<PDataNode>;

// The bytes from NodeHeight to TotalHeight of a new node of a given height,
// made once per height so that a new record takes them in one copy.
struct TNodeStart {
    explicit TNodeStart(Cardinal Height)
    {
        TDataNode node;
        node.NodeHeight = Word(Height);
        node.Align = 50;
        node.States = vsVisible;
        node.TotalCount = 1;
        node.TotalHeight = Height;
        std::memcpy(Bytes, reinterpret_cast<const char*>(&node) + offsetof(TDataNode, NodeHeight), sizeof Bytes);
    }
    char Bytes[offsetof(TDataNode, TotalHeight) + sizeof(Cardinal) - offsetof(TDataNode, NodeHeight)];
};
static_assert(sizeof(TNodeStart) == 16, "a new node's start is one 16-byte copy");

// Size of the record rounded up to a pointer: where the user data starts.
constexpr Cardinal NodeRecordSize = (sizeof(TDataNode) + sizeof(void*) - 1) / sizeof(void*) * sizeof(void*);

enum TNtNodeAttachMode { amNoWhere, amInsertBefore, amInsertAfter, amAddChildFirst, amAddChildLast };

// Drag and drop: the mechanism a tree's drags use, the effects its drags
// offer, and where a drop lands relative to the node under the pointer.
enum TNtDragType { dtOLE, dtVCL };
using TDragOperations = Byte;
constexpr TDragOperations doCopy = 1u << 0;
constexpr TDragOperations doMove = 1u << 1;
constexpr TDragOperations doLink = 1u << 2;
enum TDropMode { dmNowhere, dmAbove, dmOnNode, dmBelow };
// The formats a dropped data object offers (MIME types).
using TFormatArray = QStringList;
class INtDragManager;

enum TChangeReason { crIgnore, crAccumulated, crChildAdded, crChildDeleted, crNodeAdded, crNodeCopied, crNodeMoved };
enum TNtUpdateState { usBegin, usBeginSynch, usSynch, usUpdate, usEnd, usEndSynch };
enum TNtOperationKind { okAutoFitColumns, okGetMaxColumnWidth, okSortNode, okSortTree, okExport, okExpand };

// ---------------------------------------------------------------- tree states

using TNodeTreeStates = UInt64;
constexpr TNodeTreeStates TreeState(int bit) { return TNodeTreeStates(1) << bit; }
constexpr TNodeTreeStates tsCancelHintAnimation = TreeState(0);
constexpr TNodeTreeStates tsChangePending = TreeState(1);
constexpr TNodeTreeStates tsCheckPropagation = TreeState(2);
constexpr TNodeTreeStates tsCollapsing = TreeState(3);
constexpr TNodeTreeStates tsToggleFocusedSelection = TreeState(4);
constexpr TNodeTreeStates tsClearPending = TreeState(5);
constexpr TNodeTreeStates tsClipboardFlushing = TreeState(6);
constexpr TNodeTreeStates tsCopyPending = TreeState(7);
constexpr TNodeTreeStates tsCutPending = TreeState(8);
constexpr TNodeTreeStates tsDrawSelPending = TreeState(9);
constexpr TNodeTreeStates tsDrawSelecting = TreeState(10);
constexpr TNodeTreeStates tsEditing = TreeState(11);
constexpr TNodeTreeStates tsEditPending = TreeState(12);
constexpr TNodeTreeStates tsExpanding = TreeState(13);
constexpr TNodeTreeStates tsNodeHeightTracking = TreeState(14);
constexpr TNodeTreeStates tsNodeHeightTrackPending = TreeState(15);
constexpr TNodeTreeStates tsHint = TreeState(16);
constexpr TNodeTreeStates tsInAnimation = TreeState(17);
constexpr TNodeTreeStates tsIncrementalSearching = TreeState(18);
constexpr TNodeTreeStates tsIncrementalSearchPending = TreeState(19);
constexpr TNodeTreeStates tsIterating = TreeState(20);
constexpr TNodeTreeStates tsKeyCheckPending = TreeState(21);
constexpr TNodeTreeStates tsLeftButtonDown = TreeState(22);
constexpr TNodeTreeStates tsLeftDblClick = TreeState(23);
constexpr TNodeTreeStates tsMouseCheckPending = TreeState(24);
constexpr TNodeTreeStates tsMiddleButtonDown = TreeState(25);
constexpr TNodeTreeStates tsMiddleDblClick = TreeState(26);
constexpr TNodeTreeStates tsNeedRootCountUpdate = TreeState(27);
constexpr TNodeTreeStates tsOLEDragging = TreeState(28);
constexpr TNodeTreeStates tsOLEDragPending = TreeState(29);
constexpr TNodeTreeStates tsPainting = TreeState(30);
constexpr TNodeTreeStates tsRightButtonDown = TreeState(31);
constexpr TNodeTreeStates tsRightDblClick = TreeState(32);
constexpr TNodeTreeStates tsPopupMenuShown = TreeState(33);
constexpr TNodeTreeStates tsScrolling = TreeState(34);
constexpr TNodeTreeStates tsScrollPending = TreeState(35);
constexpr TNodeTreeStates tsSizing = TreeState(36);
constexpr TNodeTreeStates tsStopValidation = TreeState(37);
constexpr TNodeTreeStates tsStructureChangePending = TreeState(38);
constexpr TNodeTreeStates tsSynchMode = TreeState(39);
constexpr TNodeTreeStates tsThumbTracking = TreeState(40);
constexpr TNodeTreeStates tsToggling = TreeState(41);
constexpr TNodeTreeStates tsUpdateHiddenChildrenNeeded = TreeState(42);
constexpr TNodeTreeStates tsUpdating = TreeState(43);
constexpr TNodeTreeStates tsUseCache = TreeState(44);
constexpr TNodeTreeStates tsUserDragObject = TreeState(45);
constexpr TNodeTreeStates tsUseThemes = TreeState(46);
constexpr TNodeTreeStates tsValidating = TreeState(47);
constexpr TNodeTreeStates tsPreviouslySelectedLocked = TreeState(48);
constexpr TNodeTreeStates tsValidationNeeded = TreeState(49);
constexpr TNodeTreeStates tsVCLDragging = TreeState(50);
constexpr TNodeTreeStates tsVCLDragPending = TreeState(51);
constexpr TNodeTreeStates tsVCLDragFinished = TreeState(52);
constexpr TNodeTreeStates tsWheelPanning = TreeState(53);
constexpr TNodeTreeStates tsWheelScrolling = TreeState(54);
constexpr TNodeTreeStates tsWindowCreating = TreeState(55);
constexpr TNodeTreeStates tsUseExplorerTheme = TreeState(56);

// The state-change message the worker thread sends (4 bits each way).
constexpr Cardinal WM_CHANGESTATE = 0x8020;
// Asks for a node's rectangle: LParam points to a buffer that holds the node
// on entry and receives Left, Top, Right, Bottom; WParam non-zero: text only.
constexpr Cardinal TVM_GETITEMRECT = 0x1104;

// Window timers of the tree.
constexpr UINT_PTR ExpandTimer = 1;
constexpr UINT_PTR EditTimer = 2;
constexpr UINT_PTR HeaderTimer = 3;
constexpr UINT_PTR ScrollTimer = 4;
constexpr UINT_PTR ChangeTimer = 5;
constexpr UINT_PTR StructureChangeTimer = 6;
constexpr UINT_PTR SearchTimer = 7;
constexpr UINT_PTR ThemeChangedTimer = 8;

// ---------------------------------------------------------------- options

using TNtPaintOptions = Cardinal;
constexpr TNtPaintOptions toHideFocusRect = 1u << 0;
constexpr TNtPaintOptions toHideSelection = 1u << 1;
constexpr TNtPaintOptions toHotTrack = 1u << 2;
constexpr TNtPaintOptions toPopupMode = 1u << 3;
constexpr TNtPaintOptions toShowBackground = 1u << 4;
constexpr TNtPaintOptions toShowButtons = 1u << 5;
constexpr TNtPaintOptions toShowDropmark = 1u << 6;
constexpr TNtPaintOptions toShowHorzGridLines = 1u << 7;
constexpr TNtPaintOptions toShowRoot = 1u << 8;
constexpr TNtPaintOptions toShowTreeLines = 1u << 9;
constexpr TNtPaintOptions toShowVertGridLines = 1u << 10;
constexpr TNtPaintOptions toThemeAware = 1u << 11;
constexpr TNtPaintOptions toUseBlendedImages = 1u << 12;
constexpr TNtPaintOptions toGhostedIfUnfocused = 1u << 13;
constexpr TNtPaintOptions toFullVertGridLines = 1u << 14;
constexpr TNtPaintOptions toAlwaysHideSelection = 1u << 15;
constexpr TNtPaintOptions toUseBlendedSelection = 1u << 16;
constexpr TNtPaintOptions toStaticBackground = 1u << 17;
constexpr TNtPaintOptions toChildrenAbove = 1u << 18;
constexpr TNtPaintOptions toFixedIndent = 1u << 19;
constexpr TNtPaintOptions toUseExplorerTheme = 1u << 20;
constexpr TNtPaintOptions toHideTreeLinesIfThemed = 1u << 21;
constexpr TNtPaintOptions toShowFilteredNodes = 1u << 22;
constexpr TNtPaintOptions DefaultPaintOptions = 0x1B60;

using TNtAnimationOptions = Cardinal;
constexpr TNtAnimationOptions toAnimatedToggle = 1u << 0;
constexpr TNtAnimationOptions toAdvancedAnimatedToggle = 1u << 1;

using TNtAutoOptions = Cardinal;
constexpr TNtAutoOptions toAutoDropExpand = 1u << 0;
constexpr TNtAutoOptions toAutoExpand = 1u << 1;
constexpr TNtAutoOptions toAutoScroll = 1u << 2;
constexpr TNtAutoOptions toAutoScrollOnExpand = 1u << 3;
constexpr TNtAutoOptions toAutoSort = 1u << 4;
constexpr TNtAutoOptions toAutoSpanColumns = 1u << 5;
constexpr TNtAutoOptions toAutoTristateTracking = 1u << 6;
constexpr TNtAutoOptions toAutoHideButtons = 1u << 7;
constexpr TNtAutoOptions toAutoDeleteMovedNodes = 1u << 8;
constexpr TNtAutoOptions toDisableAutoscrollOnFocus = 1u << 9;
constexpr TNtAutoOptions toAutoChangeScale = 1u << 10;
constexpr TNtAutoOptions toAutoFreeOnCollapse = 1u << 11;
constexpr TNtAutoOptions toDisableAutoscrollOnEdit = 1u << 12;
constexpr TNtAutoOptions toAutoBidiColumnOrdering = 1u << 13;
constexpr TNtAutoOptions DefaultAutoOptions = 0x0559;

using TNtSelectionOptions = Cardinal;
constexpr TNtSelectionOptions toDisableDrawSelection = 1u << 0;
constexpr TNtSelectionOptions toExtendedFocus = 1u << 1;
constexpr TNtSelectionOptions toFullRowSelect = 1u << 2;
constexpr TNtSelectionOptions toLevelSelectConstraint = 1u << 3;
constexpr TNtSelectionOptions toMiddleClickSelect = 1u << 4;
constexpr TNtSelectionOptions toMultiSelect = 1u << 5;
constexpr TNtSelectionOptions toRightClickSelect = 1u << 6;
constexpr TNtSelectionOptions toSiblingSelectConstraint = 1u << 7;
constexpr TNtSelectionOptions toCenterScrollIntoView = 1u << 8;
constexpr TNtSelectionOptions toSimpleDrawSelection = 1u << 9;
constexpr TNtSelectionOptions toAlwaysSelectNode = 1u << 10;
constexpr TNtSelectionOptions toRestoreSelection = 1u << 11;

using TNtMiscOptions = Cardinal;
constexpr TNtMiscOptions toAcceptOLEDrop = 1u << 0;
constexpr TNtMiscOptions toCheckSupport = 1u << 1;
constexpr TNtMiscOptions toEditable = 1u << 2;
constexpr TNtMiscOptions toFullRepaintOnResize = 1u << 3;
constexpr TNtMiscOptions toGridExtensions = 1u << 4;
constexpr TNtMiscOptions toInitOnSave = 1u << 5;
constexpr TNtMiscOptions toReportMode = 1u << 6;
constexpr TNtMiscOptions toToggleOnDblClick = 1u << 7;
constexpr TNtMiscOptions toWheelPanning = 1u << 8;
constexpr TNtMiscOptions toReadOnly = 1u << 9;
constexpr TNtMiscOptions toVariableNodeHeight = 1u << 10;
constexpr TNtMiscOptions toFullRowDrag = 1u << 11;
constexpr TNtMiscOptions toNodeHeightResize = 1u << 12;
constexpr TNtMiscOptions toNodeHeightDblClickResize = 1u << 13;
constexpr TNtMiscOptions toEditOnClick = 1u << 14;
constexpr TNtMiscOptions toEditOnDblClick = 1u << 15;
constexpr TNtMiscOptions toReverseFullExpandHotKey = 1u << 16;
constexpr TNtMiscOptions DefaultMiscOptions = 0x41A9;

using TNtStringOptions = Byte;
constexpr TNtStringOptions toSaveCaptions = 1u << 0;
constexpr TNtStringOptions toShowStaticText = 1u << 1;
constexpr TNtStringOptions toAutoAcceptEditChange = 1u << 2;

enum TNtExportMode { emAll, emChecked, emUnchecked, emVisibleDueToExpansion, emSelected };
enum TNtExportType { etNone, etRTF, etHTML, etText, etExcel, etWord, etCustom };
// Which nodes an export takes.
enum TNSTTextSourceType { tstAll, tstInitialized, tstSelected, tstCutCopySet, tstVisible, tstChecked };

class TBaseNodeTree;

// The behaviour switches of one tree; every setter reacts on its owner.
class TCustomNodeTreeOptions : public TPersistent {
public:
    explicit TCustomNodeTreeOptions(TBaseNodeTree* AOwner);
    QString ClassName() const override { return QStringLiteral("TCustomNodeTreeOptions"); }
    void Assign(const TPersistent* Source) override;

    TBaseNodeTree* Owner() const { return FOwner; }
    TNtPaintOptions PaintOptions() const { return FPaintOptions; }
    void SetPaintOptions(TNtPaintOptions Value);
    TNtAnimationOptions AnimationOptions() const { return FAnimationOptions; }
    void SetAnimationOptions(TNtAnimationOptions Value) { FAnimationOptions = Value; }
    TNtAutoOptions AutoOptions() const { return FAutoOptions; }
    void SetAutoOptions(TNtAutoOptions Value);
    TNtSelectionOptions SelectionOptions() const { return FSelectionOptions; }
    void SetSelectionOptions(TNtSelectionOptions Value);
    TNtMiscOptions MiscOptions() const { return FMiscOptions; }
    void SetMiscOptions(TNtMiscOptions Value);
    TNtExportMode ExportMode() const { return FExportMode; }
    void SetExportMode(TNtExportMode Value) { FExportMode = Value; }

protected:
    virtual void AssignTo(TCustomNodeTreeOptions* Dest) const;

private:
    friend class TBaseNodeTree;
    TBaseNodeTree* FOwner;
    TNtPaintOptions FPaintOptions = DefaultPaintOptions;
    TNtAnimationOptions FAnimationOptions = 0;
    TNtAutoOptions FAutoOptions = DefaultAutoOptions;
    TNtSelectionOptions FSelectionOptions = 0;
    TNtMiscOptions FMiscOptions = DefaultMiscOptions;
    TNtExportMode FExportMode = emAll;
};

class TNodeTreeOptions : public TCustomNodeTreeOptions {
public:
    using TCustomNodeTreeOptions::TCustomNodeTreeOptions;
    QString ClassName() const override { return QStringLiteral("TNodeTreeOptions"); }
};

class TCustomStringTreeOptions : public TCustomNodeTreeOptions {
public:
    explicit TCustomStringTreeOptions(TBaseNodeTree* AOwner) : TCustomNodeTreeOptions(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TCustomStringTreeOptions"); }
    TNtStringOptions StringOptions() const { return FStringOptions; }
    void SetStringOptions(TNtStringOptions Value);

protected:
    void AssignTo(TCustomNodeTreeOptions* Dest) const override;

private:
    TNtStringOptions FStringOptions = toSaveCaptions | toAutoAcceptEditChange;
};

class TStringTreeOptions : public TCustomStringTreeOptions {
public:
    using TCustomStringTreeOptions::TCustomStringTreeOptions;
    QString ClassName() const override { return QStringLiteral("TStringTreeOptions"); }
};

// ---------------------------------------------------------------- colours

class TNtColors : public TPersistent {
public:
    enum Index {
        DisabledColor, DropMarkColor, DropTargetColor, FocusedSelectionColor, GridLineColor, TreeLineColor,
        UnfocusedSelectionColor, BorderColor, HotColor, FocusedSelectionBorderColor, UnfocusedSelectionBorderColor,
        DropTargetBorderColor, SelectionRectangleBlendColor, SelectionRectangleBorderColor, HeaderHotColor,
        SelectionTextColor, UnfocusedColor, ColorCount
    };
    explicit TNtColors(TBaseNodeTree* AOwner);
    QString ClassName() const override { return QStringLiteral("TNtColors"); }
    void Assign(const TPersistent* Source) override;
    TColor GetColor(Index i) const { return FColors[i]; }
    void SetColor(Index i, TColor Value);
    TColor TreeBackgroundColor() const;
    TColor TreeFontColor() const;

private:
    TBaseNodeTree* FOwner;
    TColor FColors[ColorCount];
};

// ---------------------------------------------------------------- scroll bars

enum TScrollBarStyle { sbmRegular, sbm3D };

class TScrollBarOptions : public TPersistent {
public:
    explicit TScrollBarOptions(TBaseNodeTree* AOwner) : FOwner(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TScrollBarOptions"); }
    void Assign(const TPersistent* Source) override;
    bool AlwaysVisible() const { return FAlwaysVisible; }
    void SetAlwaysVisible(bool Value);
    Word HorizontalIncrement() const { return FIncrementX; }
    void SetHorizontalIncrement(Word Value) { FIncrementX = std::clamp<Word>(Value, 1, 10000); }
    Word VerticalIncrement() const { return FIncrementY; }
    void SetVerticalIncrement(Word Value) { FIncrementY = std::clamp<Word>(Value, 1, 10000); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    TScrollBarStyle ScrollBarStyle() const { return FScrollBarStyle; }
    void SetScrollBarStyle(TScrollBarStyle Value) { FScrollBarStyle = Value; }

private:
    TBaseNodeTree* FOwner;
    bool FAlwaysVisible = false;
    Word FIncrementX = 20;
    Word FIncrementY = 20;
    TScrollStyle FScrollBars = ssBoth;
    TScrollBarStyle FScrollBarStyle = sbmRegular;
};

// ---------------------------------------------------------------- header

using TColumnIndex = Integer;
using TColumnPosition = Cardinal;
constexpr TColumnIndex NoColumn = -1;
constexpr TColumnIndex InvalidColumn = -2;
constexpr TColumnIndex ColumnNone = NoColumn;
constexpr TColumnIndex ColumnNotFound = InvalidColumn;

using TNtHeaderOptions = Cardinal;
constexpr TNtHeaderOptions hoAutoResize = 1u << 0;
constexpr TNtHeaderOptions hoColumnResize = 1u << 1;
constexpr TNtHeaderOptions hoDblClickResize = 1u << 2;
constexpr TNtHeaderOptions hoDrag = 1u << 3;
constexpr TNtHeaderOptions hoHotTrack = 1u << 4;
constexpr TNtHeaderOptions hoOwnerDraw = 1u << 5;
constexpr TNtHeaderOptions hoRestrictDrag = 1u << 6;
constexpr TNtHeaderOptions hoShowHint = 1u << 7;
constexpr TNtHeaderOptions hoShowImages = 1u << 8;
constexpr TNtHeaderOptions hoShowSortGlyphs = 1u << 9;
constexpr TNtHeaderOptions hoVisible = 1u << 10;
constexpr TNtHeaderOptions hoAutoSpring = 1u << 11;
constexpr TNtHeaderOptions hoFullRepaintOnResize = 1u << 12;
constexpr TNtHeaderOptions hoDisableAnimatedResize = 1u << 13;
constexpr TNtHeaderOptions hoHeightResize = 1u << 14;
constexpr TNtHeaderOptions hoHeightDblClickResize = 1u << 15;
constexpr TNtHeaderOptions hoHeaderClickAutoSort = 1u << 16;
constexpr TNtHeaderOptions hoAutoColumnPopupMenu = 1u << 17;

enum TSortDirection { sdAscending, sdDescending };

// What the picture of dragged nodes shows.
enum TNtDragImageKind { diComplete, diMainColumnOnly, diNoImage };
class TNtDragImage;

// The header with its columns lives in treeview/header/NodeTreeHeader.h.
class TNtHeader;
class TNodeTreeColumn;
class TNodeTreeColumns;
struct TNtHeaderHitInfo;
struct THeaderPaintInfo;
enum TNtDropMarkMode : int;
enum TSmartAutoFitType : int;

// ---------------------------------------------------------------- geometry and paint types

using THitPositions = Cardinal;
constexpr THitPositions hiAbove = 1u << 0;
constexpr THitPositions hiBelow = 1u << 1;
constexpr THitPositions hiNowhere = 1u << 2;
constexpr THitPositions hiOnItem = 1u << 3;
constexpr THitPositions hiOnItemButton = 1u << 4;
constexpr THitPositions hiOnItemButtonExact = 1u << 5;
constexpr THitPositions hiOnItemCheckbox = 1u << 6;
constexpr THitPositions hiOnItemIndent = 1u << 7;
constexpr THitPositions hiOnItemLabel = 1u << 8;
constexpr THitPositions hiOnItemLeft = 1u << 9;
constexpr THitPositions hiOnItemRight = 1u << 10;
constexpr THitPositions hiOnNormalIcon = 1u << 11;
constexpr THitPositions hiOnStateIcon = 1u << 12;
constexpr THitPositions hiToLeft = 1u << 13;
constexpr THitPositions hiToRight = 1u << 14;
constexpr THitPositions hiUpperSplitter = 1u << 15;
constexpr THitPositions hiLowerSplitter = 1u << 16;

struct THitInfo {
    PDataNode HitNode = nullptr;
    THitPositions HitPositions = 0;
    TColumnIndex HitColumn = NoColumn;
    TPoint HitPoint;
};

struct TCacheEntry {
    PDataNode Node = nullptr;
    Cardinal AbsoluteTop = 0;
};

enum TNtImageKind { ikNormal, ikSelected, ikState, ikOverlay };
enum TNtLineType { ltNone, ltBottomRight, ltTopDown, ltTopDownRight, ltRight, ltTopRight, ltLeft, ltLeftBottom };
using TLineImage = std::vector<TNtLineType>;
enum TNtButtonStyle { bsRectangle, bsTriangle };
enum TNtButtonFillMode { fmTreeColor, fmWindowColor, fmShaded, fmTransparent };
enum TNtLineStyle { lsCustomStyle, lsDotted, lsSolid };
enum TNtLineMode { lmNormal, lmBands };
enum TNtDrawSelectionMode { smDottedRectangle, smBlendedRectangle };
enum TNtNodeAlignment { naFromBottom, naFromTop, naProportional };
enum TItemEraseAction { eaColor, eaDefault, eaNone };
enum TNtCellPaintMode { cpmPaint, cpmGetContentMargin };

using TNtInternalPaintOptions = Word;
constexpr TNtInternalPaintOptions poBackground = 1u << 0;
constexpr TNtInternalPaintOptions poColumnColor = 1u << 1;
constexpr TNtInternalPaintOptions poDrawFocusRect = 1u << 2;
constexpr TNtInternalPaintOptions poDrawSelection = 1u << 3;
constexpr TNtInternalPaintOptions poDrawDropMark = 1u << 4;
constexpr TNtInternalPaintOptions poGridLines = 1u << 5;
constexpr TNtInternalPaintOptions poMainOnly = 1u << 6;
constexpr TNtInternalPaintOptions poSelectedOnly = 1u << 7;
constexpr TNtInternalPaintOptions poUnbuffered = 1u << 8;

enum TNtImageSlot { slotNormal, slotState, slotCheck, slotOverlay };

struct TNtImageInfo {
    Integer Index = -1;
    Integer XPos = 0;
    Integer YPos = 0;
    bool Ghosted = false;
    TCustomImageList* Images = nullptr;
};

struct TNtPaintInfo {
    TCanvas* Canvas = nullptr;
    TNtInternalPaintOptions PaintOptions = 0;
    PDataNode Node = nullptr;
    TColumnIndex Column = NoColumn;
    TColumnPosition Position = 0;
    TRect CellRect;
    TRect ContentRect;
    Integer NodeWidth = 0;
    TAlignment Alignment = taLeftJustify;
    TAlignment CaptionAlignment = taLeftJustify;
    TBiDiMode BidiMode = bdLeftToRight;
    TPoint BrushOrigin;
    TNtImageInfo ImageInfo[4];
};

enum TNtIncrementalSearch { isAll, isNone, isInitializedOnly, isVisibleOnly };
enum TNtSearchDirection { sdForward, sdBackward };
enum TNtSearchStart { ssAlwaysStartOver, ssLastHit, ssFocusedNode };

// ---------------------------------------------------------------- enumerations

// A for-in walk over nodes: begin() and end() step with the walk's next.
class TNtDataNodeEnumeration {
public:
    using TStep = std::function<PDataNode(PDataNode)>;
    explicit TNtDataNodeEnumeration(TStep Step) : FStep(std::move(Step)) {}
    class Iterator {
    public:
        Iterator(const TStep* step, PDataNode node) : FStep(step), FNode(node) {}
        PDataNode operator*() const { return FNode; }
        Iterator& operator++() { FNode = (*FStep)(FNode); return *this; }
        bool operator!=(const Iterator& o) const { return FNode != o.FNode; }

    private:
        const TStep* FStep;
        PDataNode FNode;
    };
    Iterator begin() const { return Iterator(&FStep, FStep(nullptr)); }
    Iterator end() const { return Iterator(&FStep, nullptr); }

private:
    TStep FStep;
};

// ---------------------------------------------------------------- events

class TBaseNodeTree;
using TNtInitNodeEvent = std::function<void(TBaseNodeTree* Sender, PDataNode ParentNode, PDataNode Node, TDataNodeInitStates& InitialStates)>;
using TNtInitChildrenEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, Cardinal& ChildCount)>;
using TNtFreeNodeEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node)>;
using TNtGetNodeDataSizeEvent = std::function<void(TBaseNodeTree* Sender, Integer& NodeDataSize)>;
using TNtChangeEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node)>;
using TNtChangingEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, bool& Allowed)>;
using TNtNodeMovingEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, PDataNode Target, bool& Allowed)>;
using TNtStructureChangeEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TChangeReason Reason)>;
using TNtStateChangeEvent = std::function<void(TBaseNodeTree* Sender, TNodeTreeStates Enter, TNodeTreeStates Leave)>;
using TNtUpdatingEvent = std::function<void(TBaseNodeTree* Sender, TNtUpdateState State)>;
using TNtOperationEvent = std::function<void(TBaseNodeTree* Sender, TNtOperationKind OperationKind)>;
using TNtCheckChangingEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TCheckState& NewState, bool& Allowed)>;
using TNtFocusChangingEvent = std::function<void(TBaseNodeTree* Sender, PDataNode OldNode, PDataNode NewNode, TColumnIndex OldColumn, TColumnIndex NewColumn, bool& Allowed)>;
using TNtFocusChangeEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column)>;
using TNtMeasureItemEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, Integer& NodeHeight)>;
using TNtGetImageEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TNtImageKind Kind, TColumnIndex Column, bool& Ghosted, Integer& ImageIndex)>;
using TNtGetImageExEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TNtImageKind Kind, TColumnIndex Column, bool& Ghosted, Integer& ImageIndex, TCustomImageList*& ImageList)>;
using TNtPaintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas)>;
using TNtBeforeItemPaintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, TRect ItemRect, bool& CustomDraw)>;
using TNtAfterItemPaintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, TRect ItemRect)>;
using TNtBeforeItemEraseEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, TRect ItemRect, TColor& ItemColor, TItemEraseAction& EraseAction)>;
using TNtBeforeCellPaintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, TColumnIndex Column, TNtCellPaintMode CellPaintMode, TRect CellRect, TRect& ContentRect)>;
using TNtAfterCellPaintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, TColumnIndex Column, TRect CellRect)>;
using TNtBackgroundPaintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, TRect R, bool& Handled)>;
using TNtGetCellIsEmptyEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, bool& IsEmpty)>;
using TNtSelectionEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node)>;
using TNtScrollEvent = std::function<void(TBaseNodeTree* Sender, Integer DeltaX, Integer DeltaY)>;
using TNtHotNodeChangeEvent = std::function<void(TBaseNodeTree* Sender, PDataNode OldNode, PDataNode NewNode)>;
using TNtIncrementalSearchEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, const QString& SearchText, Integer& Result)>;
using TNtKeyActionEvent = std::function<void(TBaseNodeTree* Sender, Word& CharCode, TShiftState& Shift, bool& DoDefault)>;
using TNtNodeClickEvent = std::function<void(TBaseNodeTree* Sender, const THitInfo& HitInfo)>;
using TNtGetCursorEvent = std::function<void(TBaseNodeTree* Sender, TCursor& Cursor)>;
using TNtCanSplitterResizeNodeEvent = std::function<void(TBaseNodeTree* Sender, TPoint P, PDataNode Node, TColumnIndex Column, bool& Allowed)>;
using TNtNodeHeightTrackingEvent =
    std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint, TPoint P, bool& Allowed)>;
using TNtNodeHeightDblClickResizeEvent =
    std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, TShiftState Shift, TPoint P, bool& Allowed)>;
using TNtGetHelpContextEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, Integer& HelpContext)>;
using TNtGetPopupMenuEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, TPoint P, bool& AskParent, TPopupMenu*& PopupMenu)>;
using TNtIterateCallback = std::function<void(TBaseNodeTree* Sender, PDataNode Node, void* Data, bool& Abort)>;
using TNtAnimationCallback = std::function<bool(Integer Step, Integer StepSize, void* Data)>;

// The pacing of an animation of Steps steps over Duration milliseconds: the
// step to show next, how far one step moves, and the time to the next; the
// steps grow when the time left per step falls below a millisecond.
struct TNtAnimationPace {
    TNtAnimationPace() = default;
    TNtAnimationPace(Cardinal ASteps, Cardinal Duration);
    bool Running() const { return NumberOfSteps > 0 && RemainingTime > 0; }
    // Milliseconds the coming step has.
    Integer Interval() const { return NumberOfSteps > 0 ? RemainingTime / NumberOfSteps : 0; }
    // The last step took Elapsed milliseconds: what is left, and the next step.
    void StepTook(Integer Elapsed);
    Cardinal Steps = 0;
    Integer RemainingTime = 0;
    Integer StepSize = 0;
    Integer NumberOfSteps = 0;
    Integer Step = 0;
};

// ---------------------------------------------------------------- header events

using TNtHeaderClickEvent = std::function<void(TNtHeader* Sender, const TNtHeaderHitInfo& HitInfo)>;
using TNtHeaderMouseEvent = std::function<void(TNtHeader* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TNtHeaderMouseMoveEvent = std::function<void(TNtHeader* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TNtColumnClickEvent = std::function<void(TBaseNodeTree* Sender, TColumnIndex Column, TShiftState Shift)>;
using TNtHeaderDraggingEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column, bool& Allowed)>;
using TNtHeaderDraggedEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column, Integer OldPosition)>;
using TNtHeaderDraggedOutEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column, TPoint DropPosition)>;
using TNtColumnShiftEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column, TShiftState Shift)>;
using TNtColumnWidthTrackingEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint, TPoint P, bool& Allowed)>;
using TNtColumnNotifyEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column)>;
using TNtColumnWidthDblClickResizeEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column, TShiftState Shift, TPoint P, bool& Allowed)>;
using TNtHeaderNotifyEvent = std::function<void(TNtHeader* Sender)>;
using TNtHeaderShiftEvent = std::function<void(TNtHeader* Sender, TShiftState Shift)>;
using TNtHeaderHeightTrackingEvent = std::function<void(TNtHeader* Sender, TPoint& P, TShiftState Shift, bool& Allowed)>;
using TNtCanSplitterResizeColumnEvent = std::function<void(TNtHeader* Sender, TPoint P, TColumnIndex Column, bool& Allowed)>;
using TNtCanSplitterResizeHeaderEvent = std::function<void(TNtHeader* Sender, TPoint P, bool& Allowed)>;
using TNtGetHeaderCursorEvent = std::function<void(TNtHeader* Sender, TCursor& Cursor)>;
using TNtColumnVisibilityChangedEvent = std::function<void(TBaseNodeTree* Sender, TColumnIndex Column, bool Visible)>;
using TNtHeaderDrawEvent = std::function<void(TNtHeader* Sender, TCanvas* HeaderCanvas, TNodeTreeColumn* Column, TRect R, bool Hover, bool Pressed, TNtDropMarkMode DropMark)>;
using TNtHeaderDrawQueryElementsEvent = std::function<void(TNtHeader* Sender, THeaderPaintInfo& PaintInfo, Byte& Elements)>;
using TNtAdvancedHeaderPaintEvent = std::function<void(TNtHeader* Sender, THeaderPaintInfo& PaintInfo, Byte Elements)>;
using TNtBeforeAutoFitColumnsEvent = std::function<void(TNtHeader* Sender, TSmartAutoFitType& SmartAutoFitType)>;
using TNtBeforeAutoFitColumnEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column, TSmartAutoFitType& SmartAutoFitType, bool& Allowed)>;
using TNtBeforeGetMaxColumnWidthEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column, bool& UseSmartColumnWidth)>;
using TNtAfterGetMaxColumnWidthEvent = std::function<void(TNtHeader* Sender, TColumnIndex Column, Integer& MaxWidth)>;

// ---------------------------------------------------------------- sorting, editing, hints

using TNtCompareEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node1, PDataNode Node2, TColumnIndex Column, Integer& Result)>;

// The editor of one cell, as the tree sees it; every call answers whether
// it was done. The tree holds one reference while the edit runs.
class INtEditLink {
public:
    virtual ~INtEditLink() = default;
    virtual bool BeginEdit() = 0;
    virtual bool CancelEdit() = 0;
    virtual bool EndEdit() = 0;
    virtual bool PrepareEdit(TBaseNodeTree* Tree, PDataNode Node, TColumnIndex Column) = 0;
    virtual TRect GetBounds() = 0;
    virtual void ProcessMessage(TMessage& Message) = 0;
    virtual void SetBounds(TRect R) = 0;
};
using PNtEditLink = std::shared_ptr<INtEditLink>;

using TNtCreateEditorEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, PNtEditLink& EditLink)>;
using TNtEditChangingEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, bool& Allowed)>;
using TNtEditChangeEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column)>;
using TNtEditCancelEvent = std::function<void(TBaseNodeTree* Sender, TColumnIndex Column)>;

enum TNtHintMode { hmDefault, hmHint, hmHintAndDefault, hmTooltip };
enum THintAnimationType { hatNone, hatFade, hatSlide, hatSystemDefault };
enum TNtTooltipLineBreakStyle { hlbDefault, hlbForceSingleLine, hlbForceMultiLine };
enum TNtHintKind { vhkText, vhkOwnerDraw };

// What the tree hands its hint window for one hint.
struct TNtHintData {
    TBaseNodeTree* Tree = nullptr;
    PDataNode Node = nullptr;
    TColumnIndex Column = NoColumn;
    TRect HintRect;
    QString DefaultHint;
    QString HintText;
    TBiDiMode BidiMode = bdLeftToRight;
    TAlignment Alignment = taLeftJustify;
    TNtTooltipLineBreakStyle LineBreakStyle = hlbDefault;
};

using TNtSaveNodeEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TStream* Stream)>;
using TNtSaveTreeEvent = std::function<void(TBaseNodeTree* Sender, TStream* Stream)>;
using TNtGetUserClipboardFormatsEvent = std::function<void(TBaseNodeTree* Sender, QStringList& Formats)>;
// Format is a MIME type; Rendered starts false and says whether Data holds the format.
using TNtRenderOLEDataEvent = std::function<void(TBaseNodeTree* Sender, const QString& Format, bool ForClipboard, QByteArray& Data, bool& Rendered)>;
using TNtDragAllowedEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, bool& Allowed)>;
using TNtDragOverEvent = std::function<void(TBaseNodeTree* Sender, TObject* Source, TShiftState Shift, TDragState State, TPoint Pt, TDropMode Mode,
                                            Integer& Effect, bool& Accept)>;
using TNtDragDropEvent = std::function<void(TBaseNodeTree* Sender, TObject* Source, const QMimeData* DataObject, const TFormatArray& Formats,
                                            TShiftState Shift, TPoint Pt, Integer& Effect, TDropMode Mode)>;
using TNtCreateDragManagerEvent = std::function<void(TBaseNodeTree* Sender, std::shared_ptr<INtDragManager>& DragManager)>;
// The object handed out is the drag's (it is freed when the drag ends).
using TNtCreateDataObjectEvent = std::function<void(TBaseNodeTree* Sender, QMimeData*& DataObject)>;
using TNtTreeExportEvent = std::function<void(TBaseNodeTree* Sender, TNtExportType aExportType)>;
using TNtColumnExportEvent = std::function<void(TBaseNodeTree* Sender, TNtExportType aExportType, TNodeTreeColumn* Column)>;
// HTML and RTF skip the node when OnBeforeNodeExport answers false.
using TNtNodeExportEvent = std::function<bool(TBaseNodeTree* Sender, TNtExportType aExportType, PDataNode Node)>;
using TNtGetHintKindEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, TNtHintKind& Kind)>;
using TNtGetHintSizeEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, TRect& R)>;
using TNtDrawHintEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* HintCanvas, PDataNode Node, TRect R, TColumnIndex Column)>;

// ---------------------------------------------------------------- the tree

// The tree states the short road of AddChild watches, and the ones it needs.
constexpr TNodeTreeStates HeldAppendWatched =
    tsEditing | tsEditPending | tsStopValidation | tsUseCache | tsValidationNeeded | tsStructureChangePending;
constexpr TNodeTreeStates HeldAppendSettled = tsStopValidation | tsValidationNeeded | tsStructureChangePending;

class TBaseNodeTree : public TCustomControl {
    friend class TCustomNodeTreeOptions;
    friend class TNtColors;
    friend class TScrollBarOptions;
    friend struct TNodeTreeWorker;

public:
    explicit TBaseNodeTree(TComponent* AOwner);
    // Every class derived from this one calls StopCacheValidation first in
    // its destructor: the worker thread may be building the tree's position
    // cache, and must be done with the tree before any part of it goes.
    ~TBaseNodeTree() override;
    QString ClassName() const override { return QStringLiteral("TBaseNodeTree"); }
    void AfterConstruction() override;
    void Assign(const TPersistent* Source) override;

    // ---- options and resources
    TCustomNodeTreeOptions* TreeOptions() const { return FOptions.get(); }
    void SetTreeOptions(const TCustomNodeTreeOptions* Value);
    TNtHeader* Header() const { return FHeader.get(); }
    TNtColors* Colors() const { return FColors.get(); }
    void SetColors(const TNtColors* Value);
    TScrollBarOptions* ScrollBarOptions() const { return FScrollBarOptions.get(); }
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TCustomImageList* Value);
    TCustomImageList* CustomCheckImages() const { return FCustomCheckImages; }
    void SetCustomCheckImages(TCustomImageList* Value);
    TCheckImageKind CheckImageKind() const { return FCheckImageKind; }
    void SetCheckImageKind(TCheckImageKind Value);
    TCustomImageList* CheckImages() const { return FCheckImages; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    // Always reads true: every row is composed off screen.
    bool DoubleBuffered() const { return true; }
    // The rows' area: the window less its border, header and scroll bars.
    TRect ClientRect() const final
    {
        const Integer w = Width() - (FBorderStyle == bsSingle ? 4 : 0) - (FVertBarShown ? FBarExtent : 0);
        return {0, 0, w > 0 ? w : 0, ClientAreaHeight()};
    }
    // The height of ClientRect, without making the rectangle.
    Integer ClientAreaHeight() const
    {
        const Integer h = Height() - (FBorderStyle == bsSingle ? 4 : 0) - FHeaderInset - (FHorzBarShown ? FBarExtent : 0);
        return h > 0 ? h : 0;
    }
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    void SetVisible(bool Value) override;
    static TCustomImageList* GetCheckImageListFor(TCheckImageKind Kind);
    // The tree that owns a node (walks up to the hidden root).
    static TBaseNodeTree* TreeFromNode(PDataNode Node);

    // ---- node data and structure
    Integer NodeDataSize() const { return FNodeDataSize; }
    void SetNodeDataSize(Integer Value);
    void* GetNodeData(PDataNode Node);
    template <class T> T* GetNodeData(PDataNode Node) { return static_cast<T*>(GetNodeData(Node)); }
    void SetNodeData(PDataNode Node, void* Value);
    PDataNode RootNode() const
    {
        CatchUpCounts();
        return FRoot;
    }
    PDataNode AddChild(PDataNode Parent, void* UserData = nullptr);
    PDataNode InsertNode(PDataNode Node, TNtNodeAttachMode Mode, void* UserData = nullptr);
    virtual void SetChildCount(PDataNode Node, Cardinal NewChildCount);
    Cardinal RootNodeCount() const { return FRoot->ChildCount; }
    void SetRootNodeCount(Cardinal Value);
    Cardinal ChildCount(PDataNode Node) const { return (Node ? Node : FRoot)->ChildCount; }
    bool HasChildren(PDataNode Node) const { return ((Node ? Node : FRoot)->States & vsHasChildren) != 0; }
    void SetHasChildren(PDataNode Node, bool Value);
    bool ChildrenInitialized(PDataNode Node) const;
    PDataNode NodeParent(PDataNode Node) const;
    void SetNodeParent(PDataNode Node, PDataNode Value);
    Cardinal GetNodeLevel(PDataNode Node) const;
    bool HasAsParent(PDataNode Node, PDataNode PotentialParent) const;
    Cardinal TotalCount();
    void DeleteNode(PDataNode Node, bool Reindex = true);
    void DeleteChildren(PDataNode Node, bool ResetHasChildren = false);
    virtual void Clear();
    void MoveTo(PDataNode Source, PDataNode Target, TNtNodeAttachMode Mode, bool ChildrenOnly);
    void MoveTo(PDataNode Source, TBaseNodeTree* Tree, TNtNodeAttachMode Mode, bool ChildrenOnly);
    PDataNode CopyTo(PDataNode Source, PDataNode Target, TNtNodeAttachMode Mode, bool ChildrenOnly);
    PDataNode CopyTo(PDataNode Source, TBaseNodeTree* Tree, TNtNodeAttachMode Mode, bool ChildrenOnly);
    void ValidateNode(PDataNode Node, bool Recursive);
    void ValidateChildren(PDataNode Node, bool Recursive);
    virtual void ReinitNode(PDataNode Node, bool Recursive);
    virtual void ReinitChildren(PDataNode Node, bool Recursive);
    virtual void ResetNode(PDataNode Node);
    void InitRecursive(PDataNode Node, Cardinal Levels = ~0u, bool VisibleOnly = true);
    bool IsEmpty() const { return FRoot->ChildCount == 0; }

    // ---- navigation
    PDataNode GetFirst(bool ConsiderChildrenAbove = false);
    PDataNode GetFirstNoInit(bool ConsiderChildrenAbove = false) const;
    PDataNode GetLast(PDataNode Node = nullptr, bool ConsiderChildrenAbove = false);
    PDataNode GetLastNoInit(PDataNode Node = nullptr, bool ConsiderChildrenAbove = false) const;
    PDataNode GetNext(PDataNode Node, bool ConsiderChildrenAbove = false);
    PDataNode GetNextNoInit(PDataNode Node, bool ConsiderChildrenAbove = false) const;
    PDataNode GetPrevious(PDataNode Node, bool ConsiderChildrenAbove = false);
    PDataNode GetPreviousNoInit(PDataNode Node, bool ConsiderChildrenAbove = false) const;
    PDataNode GetFirstChild(PDataNode Node);
    PDataNode GetFirstChildNoInit(PDataNode Node) const;
    PDataNode GetLastChild(PDataNode Node);
    PDataNode GetLastChildNoInit(PDataNode Node) const;
    PDataNode GetNextSibling(PDataNode Node);
    PDataNode GetNextSiblingNoInit(PDataNode Node) const { return Node ? Node->NextSibling : nullptr; }
    PDataNode GetPreviousSibling(PDataNode Node);
    PDataNode GetPreviousSiblingNoInit(PDataNode Node) const { return Node ? Node->PrevSibling : nullptr; }
    PDataNode GetFirstInitialized(bool ConsiderChildrenAbove = false) const;
    PDataNode GetNextInitialized(PDataNode Node, bool ConsiderChildrenAbove = false) const;
    PDataNode GetPreviousInitialized(PDataNode Node, bool ConsiderChildrenAbove = false) const;
    PDataNode GetLastInitialized(PDataNode Node = nullptr, bool ConsiderChildrenAbove = false) const;
    PDataNode GetFirstLeaf();
    PDataNode GetNextLeaf(PDataNode Node);
    PDataNode GetPreviousLeaf(PDataNode Node);
    PDataNode GetFirstLevel(Cardinal NodeLevel);
    PDataNode GetNextLevel(PDataNode Node, Cardinal NodeLevel);
    PDataNode GetPreviousLevel(PDataNode Node, Cardinal NodeLevel);
    PDataNode GetFirstChecked(TCheckState State = csCheckedNormal, bool ConsiderChildrenAbove = false);
    PDataNode GetNextChecked(PDataNode Node, TCheckState State = csCheckedNormal, bool ConsiderChildrenAbove = false);
    PDataNode GetPreviousChecked(PDataNode Node, TCheckState State = csCheckedNormal, bool ConsiderChildrenAbove = false);
    PDataNode GetFirstCutCopy(bool ConsiderChildrenAbove = false);
    PDataNode GetNextCutCopy(PDataNode Node, bool ConsiderChildrenAbove = false);
    PDataNode GetPreviousCutCopy(PDataNode Node, bool ConsiderChildrenAbove = false);
    Cardinal AbsoluteIndex(PDataNode Node);
    Integer CountLevelDifference(PDataNode Node1, PDataNode Node2) const;
    PDataNode IterateSubtree(PDataNode Node, const TNtIterateCallback& Callback, void* Data, TDataNodeStates Filter = 0,
                             bool DoInit = false, bool ChildNodesOnly = false);
    TNtDataNodeEnumeration Nodes(bool ConsiderChildrenAbove = false);
    TNtDataNodeEnumeration CheckedNodes(TCheckState State = csCheckedNormal, bool ConsiderChildrenAbove = false);
    TNtDataNodeEnumeration ChildNodes(PDataNode Node);
    TNtDataNodeEnumeration CutCopyNodes(bool ConsiderChildrenAbove = false);
    TNtDataNodeEnumeration InitializedNodes(bool ConsiderChildrenAbove = false);
    TNtDataNodeEnumeration LeafNodes();
    TNtDataNodeEnumeration LevelNodes(Cardinal NodeLevel);
    TNtDataNodeEnumeration NoInitNodes(bool ConsiderChildrenAbove = false);
    TNtDataNodeEnumeration SelectedNodes(bool ConsiderChildrenAbove = false);
    TNtDataNodeEnumeration VisibleNodes(PDataNode Node = nullptr, bool ConsiderChildrenAbove = true, bool IncludeFiltered = false);
    TNtDataNodeEnumeration VisibleChildNodes(PDataNode Node, bool IncludeFiltered = false);
    TNtDataNodeEnumeration VisibleChildNoInitNodes(PDataNode Node, bool IncludeFiltered = false);
    TNtDataNodeEnumeration VisibleNoInitNodes(PDataNode Node = nullptr, bool ConsiderChildrenAbove = true, bool IncludeFiltered = false);

    // ---- updates, states, notification
    virtual void BeginUpdate();
    virtual void EndUpdate();
    void BeginSynch();
    void EndSynch();
    Cardinal UpdateCount() const { return FUpdateCount; }
    TNodeTreeStates TreeStates() const { return FStates.load(std::memory_order_relaxed); }
    void SetTreeStates(TNodeTreeStates Value) { FStates.store(Value, std::memory_order_relaxed); }
    bool HasTreeState(TNodeTreeStates s) const { return (TreeStates() & s) != 0; }
    virtual void DoStateChange(TNodeTreeStates Enter, TNodeTreeStates Leave = 0);
    [[gnu::noinline]] void ReportStateChange(TNodeTreeStates Old, TNodeTreeStates Enter, TNodeTreeStates Leave);
    // Now, the states that follow Old; the short road of AddChild stands on
    // the watched ones as they were.
    void StoreStates(TNodeTreeStates Old, TNodeTreeStates Now)
    {
        FStates.store(Now, std::memory_order_relaxed);
        if ((Now ^ Old) & HeldAppendWatched)
            ForgetHeldAppend();
    }
    Cardinal ChangeDelay() const { return FChangeDelay; }
    void SetChangeDelay(Cardinal Value) { FChangeDelay = Value; }
    void BeginOperation(TNtOperationKind Kind);
    void EndOperation(TNtOperationKind Kind);
    void CancelOperation();
    bool OperationCanceled() const { return FOperationCount > 0 && FOperationCanceled; }
    Cardinal OperationCount() const { return FOperationCount; }
    virtual TRect InvalidateNode(PDataNode Node);
    // Marks for repaint the window from Node's row down (the whole window for
    // none); nothing inside an update or while the whole window is marked.
    void InvalidateToBottom(PDataNode Node)
    {
        if (FUpdateCount == 0 && !FInvalidBottom.Whole)
            MarkRowsToBottom(Node);
    }
    void InvalidateChildren(PDataNode Node, bool Recursive);

    // ---- check boxes
    TCheckState GetCheckState(PDataNode Node) const { return Node->CheckState; }
    TCheckType GetCheckType(PDataNode Node) const { return Node->CheckType; }
    void SetCheckState(PDataNode Node, TCheckState Value);
    void SetCheckType(PDataNode Node, TCheckType Value);
    void SetCheckStateForAll(TCheckState aCheckState, bool pSelectedOnly, bool pExcludeDisabled = true);
    void ClearChecked();
    Cardinal CheckedCount();

    // ---- geometry
    Cardinal DefaultNodeHeight() const { return FDefaultNodeHeight; }
    void SetDefaultNodeHeight(Cardinal Value);
    Cardinal Indent() const { return FIndent; }
    void SetIndent(Cardinal Value);
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer Value);
    Integer TextMargin() const { return FTextMargin; }
    void SetTextMargin(Integer Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TNtNodeAlignment NodeAlignment() const { return FNodeAlignment; }
    void SetNodeAlignment(TNtNodeAlignment Value);
    Cardinal BottomSpace() const { return FBottomSpace; }
    void SetBottomSpace(Cardinal Value);
    Cardinal NodeHeight(PDataNode Node) { return GetNodeHeight(Node); }
    Cardinal GetNodeHeight(PDataNode Node);
    void SetNodeHeight(PDataNode Node, Cardinal Value);
    bool MultiLine(PDataNode Node) const { return Node && Node != FRoot && (Node->States & vsMultiline); }
    void SetMultiline(PDataNode Node, bool Value);
    Byte VerticalAlignment(PDataNode Node) const { return Node->Align; }
    void SetVerticalAlignment(PDataNode Node, Byte Value);
    Cardinal RangeX() const { return FRangeX; }
    Cardinal RangeY() const { return FRangeY; }
    Cardinal VisibleCount() const { return FVisibleCount; }
    PDataNode TopNode();
    void SetTopNode(PDataNode Node);
    PDataNode BottomNode();
    void SetBottomNode(PDataNode Node);
    PDataNode GetNodeAt(Integer X, Integer Y);
    PDataNode GetNodeAt(TPoint P) { return GetNodeAt(P.X, P.Y); }
    PDataNode GetNodeAt(Integer X, Integer Y, bool Relative, Integer& NodeTop);
    TRect GetDisplayRect(PDataNode Node, TColumnIndex Column, bool TextOnly, bool Unclipped = false, bool ApplyCellContentMargin = false);
    void GetHitTestInfoAt(Integer X, Integer Y, bool Relative, THitInfo& HitInfo);
    TRect GetTreeRect() const;
    virtual bool HasImage(PDataNode Node, TNtImageKind Kind, TColumnIndex Column);
    Integer CompareNodeOrder(PDataNode Node1, PDataNode Node2, bool ConsiderChildrenAbove = false);
    void MeasureItemHeight(TCanvas* Canvas, PDataNode Node);
    Integer PositionCacheEntryCount() const;
    const std::vector<TCacheEntry>& PositionCache() const { return FPositionCache; }
    // Both run for every node a structural change touches: the common case,
    // nothing to do, is decided here without a call.
    void InvalidatePositionCache()
    {
        if ((TreeStates() & (tsValidationNeeded | tsUseCache)) != tsValidationNeeded)
            MarkPositionCacheOutdated();
    }
    virtual void RequestCacheValidation();
    void StopCacheValidation()
    {
        // Already stopped, and the worker holds no request for this tree (it
        // validates only trees it holds): no lock to take.
        if ((TreeStates() & (tsStopValidation | tsUseCache)) != tsStopValidation ||
            FQueuedForValidation.load(std::memory_order_acquire))
            InterruptCacheValidation();
    }

    // ---- scrolling
    Integer OffsetX() const { return FOffsetX; }
    Integer OffsetY() const { return FOffsetY; }
    TPoint OffsetXY() const { return {FOffsetX, FOffsetY}; }
    void SetOffsetX(Integer Value);
    void SetOffsetY(Integer Value);
    void SetOffsetXY(TPoint Value);
    Integer EffectiveOffsetX() const { return FEffectiveOffsetX; }
    virtual bool ScrollToOffset(TPoint Value, Cardinal Options, const TRect* ClipRect);
    virtual void UpdateScrollBars(bool DoRepaint);
    void UpdateVerticalScrollBar(bool DoRepaint);
    void UpdateHorizontalScrollBar(bool DoRepaint);
    bool ScrollIntoView(PDataNode Node, bool Center, bool Horizontally = false);
    bool ScrollIntoView(TColumnIndex Column, bool Center);
    bool VertScrollBarShown() const { return FVertBarShown; }
    bool HorzScrollBarShown() const { return FHorzBarShown; }
    Cardinal AutoScrollDelay() const { return FAutoScrollDelay; }
    void SetAutoScrollDelay(Cardinal Value) { FAutoScrollDelay = Value; }
    Word AutoScrollInterval() const { return FAutoScrollInterval; }
    void SetAutoScrollInterval(Word Value) { FAutoScrollInterval = std::clamp<Word>(Value, 1, 1000); }

    // ---- expanding and visibility
    void ToggleNode(PDataNode Node);
    bool Expanded(PDataNode Node) const { return Node && (Node->States & vsExpanded); }
    void SetExpanded(PDataNode Node, bool Value);
    void FullExpand(PDataNode Node = nullptr);
    void FullCollapse(PDataNode Node = nullptr);
    using TCustomControl::SetVisible;
    bool IsVisible(PDataNode Node);
    void SetVisible(PDataNode Node, bool Value);
    bool IsFiltered(PDataNode Node) const { return (Node->States & vsFiltered) != 0; }
    void SetFiltered(PDataNode Node, bool Value);
    bool IsEffectivelyFiltered(PDataNode Node) const;
    bool IsEffectivelyVisible(PDataNode Node) const;
    bool VisiblePath(PDataNode Node) const;
    void SetVisiblePath(PDataNode Node, bool Value);
    bool FullyVisible(PDataNode Node) const;
    void SetFullyVisible(PDataNode Node, bool Value);
    Cardinal AnimationDuration() const { return FAnimationDuration; }
    void SetAnimationDuration(Cardinal Value);
    Cardinal AutoExpandDelay() const { return FAutoExpandDelay; }
    void SetAutoExpandDelay(Cardinal Value) { FAutoExpandDelay = Value; }
    bool HasVisibleNextSibling(PDataNode Node) const;
    bool HasVisiblePreviousSibling(PDataNode Node) const;
    bool IsFirstVisibleChild(PDataNode Parent, PDataNode Node) const;
    bool IsLastVisibleChild(PDataNode Parent, PDataNode Node) const;
    PDataNode GetFirstVisible(PDataNode Node = nullptr, bool ConsiderChildrenAbove = true, bool IncludeFiltered = false);
    PDataNode GetFirstVisibleNoInit(PDataNode Node = nullptr, bool ConsiderChildrenAbove = true, bool IncludeFiltered = false) const;
    PDataNode GetNextVisible(PDataNode Node, bool ConsiderChildrenAbove = true);
    PDataNode GetNextVisibleNoInit(PDataNode Node, bool ConsiderChildrenAbove = true) const;
    PDataNode GetPreviousVisible(PDataNode Node, bool ConsiderChildrenAbove = true);
    PDataNode GetPreviousVisibleNoInit(PDataNode Node, bool ConsiderChildrenAbove = true) const;
    PDataNode GetLastVisible(PDataNode Node = nullptr, bool ConsiderChildrenAbove = true, bool IncludeFiltered = false);
    PDataNode GetLastVisibleNoInit(PDataNode Node = nullptr, bool ConsiderChildrenAbove = true, bool IncludeFiltered = false) const;
    PDataNode GetFirstVisibleChild(PDataNode Node, bool IncludeFiltered = false);
    PDataNode GetFirstVisibleChildNoInit(PDataNode Node, bool IncludeFiltered = false) const;
    PDataNode GetLastVisibleChild(PDataNode Node, bool IncludeFiltered = false);
    PDataNode GetLastVisibleChildNoInit(PDataNode Node, bool IncludeFiltered = false) const;
    PDataNode GetNextVisibleSibling(PDataNode Node, bool IncludeFiltered = false);
    PDataNode GetNextVisibleSiblingNoInit(PDataNode Node, bool IncludeFiltered = false) const;
    PDataNode GetPreviousVisibleSibling(PDataNode Node, bool IncludeFiltered = false);
    PDataNode GetPreviousVisibleSiblingNoInit(PDataNode Node, bool IncludeFiltered = false) const;
    PDataNode GetVisibleParent(PDataNode Node, bool IncludeFiltered = false) const;
    virtual Cardinal CountVisibleDescendants(PDataNode Node) const;
    virtual Integer BuildLineImage(PDataNode Node, TLineImage& LineImage);
    bool Animate(Cardinal Steps, Cardinal Duration, const TNtAnimationCallback& Callback, void* Data);

    // ---- painting
    virtual void PaintTree(TCanvas* TargetCanvas, TRect Window, TPoint Target, TNtInternalPaintOptions PaintOptions);
    void RepaintNode(PDataNode Node);
    // Prints the whole tree, with its header when PrintHeader and the header
    // is shown, across as many pages as it needs at the printer's text size.
    void Print(TPrinter* APrinter, bool PrintHeader);
    TPicture* Background() const { return FBackground.get(); }
    void SetBackground(const TPicture* Value);
    Integer BackgroundOffsetX() const { return FBackgroundOffsetX; }
    Integer BackgroundOffsetY() const { return FBackgroundOffsetY; }
    void SetBackgroundOffset(Integer Index, Integer Value);
    const QString& EmptyListMessage() const { return FEmptyListMessage; }
    void SetEmptyListMessage(const QString& Value);
    TNtLineStyle LineStyle() const { return FLineStyle; }
    void SetLineStyle(TNtLineStyle Value);
    TNtLineMode LineMode() const { return FLineMode; }
    void SetLineMode(TNtLineMode Value);
    TNtButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TNtButtonStyle Value);
    TNtButtonFillMode ButtonFillMode() const { return FButtonFillMode; }
    void SetButtonFillMode(TNtButtonFillMode Value);
    TNtDrawSelectionMode DrawSelectionMode() const { return FDrawSelectionMode; }
    void SetDrawSelectionMode(TNtDrawSelectionMode Value) { FDrawSelectionMode = Value; }
    Byte SelectionBlendFactor() const { return FSelectionBlendFactor; }
    void SetSelectionBlendFactor(Byte Value) { FSelectionBlendFactor = Value; }
    Cardinal SelectionCurveRadius() const { return FSelectionCurveRadius; }
    void SetSelectionCurveRadius(Cardinal Value);
    TBitmap* PlusBitmap() const { return FPlusBM.get(); }
    TBitmap* MinusBitmap() const { return FMinusBM.get(); }

    // ---- selection and focus
    virtual void AddToSelection(PDataNode Node);
    virtual void AddToSelection(TNodeArray& NewItems, Integer NewLength, bool ForceInsert = false);
    virtual void RemoveFromSelection(PDataNode Node);
    void ClearSelection() { ClearSelection(true); }
    void SelectAll(bool VisibleOnly);
    void InvertSelection(bool VisibleOnly);
    bool Selected(PDataNode Node) const { return Node && (Node->States & vsSelected); }
    void SetSelected(PDataNode Node, bool Value);
    bool IsDisabledNode(PDataNode Node) const { return Node && (Node->States & vsDisabled); }
    void SetDisabled(PDataNode Node, bool Value);
    Integer SelectedCount() const { return FSelectionCount; }
    bool SelectionLocked() const { return FSelectionLocked; }
    void SetSelectionLocked(bool Value) { FSelectionLocked = Value; }
    PDataNode GetFirstSelected(bool ConsiderChildrenAbove = false);
    PDataNode GetNextSelected(PDataNode Node, bool ConsiderChildrenAbove = false);
    PDataNode GetPreviousSelected(PDataNode Node, bool ConsiderChildrenAbove = false);
    TNodeArray GetSortedSelection(bool Resolve);
    void DeleteSelectedNodes();
    void EnsureNodeSelected();
    PDataNode FocusedNode() const { return FFocusedNode; }
    void SetFocusedNode(PDataNode Value);
    TColumnIndex FocusedColumn() const { return FFocusedColumn; }
    void SetFocusedColumn(TColumnIndex Value);
    PDataNode RangeAnchor() const { return FRangeAnchor; }
    bool IsMouseSelecting() const { return HasTreeState(tsDrawSelPending | tsDrawSelecting); }
    bool CanFocus() const override;

    // ---- input
    PDataNode HotNode() const { return FCurrentHotNode; }
    TNtIncrementalSearch IncrementalSearch() const { return FIncrementalSearch; }
    void SetIncrementalSearch(TNtIncrementalSearch Value);
    TNtSearchDirection IncrementalSearchDirection() const { return FSearchDirection; }
    void SetIncrementalSearchDirection(TNtSearchDirection Value) { FSearchDirection = Value; }
    TNtSearchStart IncrementalSearchStart() const { return FSearchStart; }
    void SetIncrementalSearchStart(TNtSearchStart Value) { FSearchStart = Value; }
    Cardinal IncrementalSearchTimeout() const { return FSearchTimeout; }
    void SetIncrementalSearchTimeout(Cardinal Value) { FSearchTimeout = Value; }
    const QString& SearchBuffer() const { return FSearchBuffer; }
    TCursor HotCursor() const { return FHotCursor; }
    void SetHotCursor(TCursor Value) { FHotCursor = Value; }

    // ---- header and columns
    void SetHeader(const TNtHeader* Value);
    void InvalidateColumn(TColumnIndex Column);
    Integer GetMaxColumnWidth(TColumnIndex Column, bool UseSmartColumnWidth = false);
    void ToggleColumnCheckState(TColumnIndex Column);
    // Recomputes FHeaderRect from the window's size and the header height.
    void UpdateHeaderRect();
    const TRect& HeaderRect() const { return FHeaderRect; }
    virtual void DoColumnResize(TColumnIndex Column);

    // ---- sorting
    virtual void Sort(PDataNode Node, TColumnIndex Column, TSortDirection Direction, bool DoInit = true);
    virtual void SortTree(TColumnIndex Column, TSortDirection Direction, bool DoInit = true);

    // ---- editing
    virtual bool CanEdit(PDataNode Node, TColumnIndex Column);
    virtual bool EditNode(PDataNode Node, TColumnIndex Column);
    bool EndEditNode();
    bool CancelEditNode();
    bool IsEditing() const { return HasTreeState(tsEditing); }
    INtEditLink* EditLink() const { return FEditLink.get(); }
    TColumnIndex EditColumn() const { return FEditColumn; }
    Cardinal EditDelay() const { return FEditDelay; }
    void SetEditDelay(Cardinal Value) { FEditDelay = Value; }

    // ---- hints
    TNtHintMode HintMode() const { return FHintMode; }
    void SetHintMode(TNtHintMode Value) { FHintMode = Value; }
    THintAnimationType HintAnimation() const { return FHintAnimation; }
    void SetHintAnimation(THintAnimationType Value) { FHintAnimation = Value; }
    const TRect& LastHintRect() const { return FLastHintRect; }
    virtual THintAnimationType GetEffectiveHintAnimation();
    virtual QString DoGetNodeHint(PDataNode Node, TColumnIndex Column, TNtTooltipLineBreakStyle& LineBreakStyle);
    virtual QString DoGetNodeTooltip(PDataNode Node, TColumnIndex Column, TNtTooltipLineBreakStyle& LineBreakStyle);
    virtual void DoGetHintKind(PDataNode Node, TColumnIndex Column, TNtHintKind& Kind);
    virtual void DoGetHintSize(PDataNode Node, TColumnIndex Column, TRect& R);
    void DoDrawHint(TCanvas* HintCanvas, PDataNode Node, TRect R, TColumnIndex Column);
    virtual THintWindowClass GetHintWindowClass();

    // ---- drag and drop
    TNtDragType DragType() const { return FDragType; }
    void SetDragType(TNtDragType Value) { FDragType = Value; }
    // Empty offers copy, move and link.
    TDragOperations DragOperations() const { return FDragOperations; }
    void SetDragOperations(TDragOperations Value) { FDragOperations = Value; }
    void BeginDrag(bool Immediate, Integer Threshold = -1) override;
    bool Dragging() const override;
    // The tree's drag manager, made on first use.
    std::shared_ptr<INtDragManager> DragManager();
    PDataNode DropTargetNode() const { return FDropTargetNode; }

    // The window wheel panning shows at its origin (none while not panning)
    // and the name of the panning cursor shown.
    const TShapedPopup* PanningWindow() const { return FPanningWindow.get(); }
    const QString& PanningCursor() const { return FPanningCursor; }

    // ---- accessibility
    const QString& AccessibleName() const { return FAccessibleName; }
    void SetAccessibleName(const QString& Value) { FAccessibleName = Value; }
    // The objects made on the first WM_GETOBJECT (none without providers).
    const std::shared_ptr<IAccessible>& AccessibleObject() const { return FAccessible; }
    const std::shared_ptr<IAccessible>& AccessibleItemObject() const { return FAccessibleItem; }
    // A node's caption as assistive programs read it; the string tree's text.
    virtual QString GetTextInfo(PDataNode Node, TColumnIndex Column);
    TDropMode LastDropMode() const { return FLastDropMode; }
    // The effect the tree's last drag ended with.
    Integer LastDragEffect() const { return FLastDragEffect; }

    // Drag image: the picture of the selected nodes that follows the mouse.
    TNtDragImage* DragImage() const { return FDragImage.get(); }
    TNtDragImageKind DragImageKind() const { return FDragImageKind; }
    void SetDragImageKind(TNtDragImageKind Value) { FDragImageKind = Value; }
    Integer DragWidth() const { return FDragWidth; }
    void SetDragWidth(Integer Value) { FDragWidth = Value; }
    Integer DragHeight() const { return FDragHeight; }
    void SetDragHeight(Integer Value) { FDragHeight = Value; }
    virtual bool DragImageWanted();
    // Builds the picture around HotSpot (client coordinates) and readies the image.
    void PrepareDragImage(TPoint HotSpot, QMimeData* DataObject);
    // Repaints TreeRect (client coordinates) into the background kept by
    // DragSource's image and then the tree itself.
    virtual void RefreshUnderDragImage(TBaseNodeTree* DragSource, TRect TreeRect, bool ReshowDragImage);

    // Streaming: the nodes with their states, check data and the owner's
    // data, in nested self-sized chunks behind a 12-byte header.
    virtual void SaveToStream(TStream* Stream, PDataNode Node = nullptr);
    void SaveToFile(const QString& FileName);
    virtual void LoadFromStream(TStream* Stream);
    virtual void LoadFromFile(const QString& FileName);
    // Appends the stream's nodes as children of TargetNode (the root for the top level).
    void AddFromStream(TStream* Stream, PDataNode TargetNode);

    // Data objects: the formats the tree offers (MIME types) and their data.
    virtual void CollectClipboardFormats(QStringList& Formats);
    // The descriptions of the registry formats the tree offers; descriptions
    // the registry does not know or the tree's class cannot render are dropped.
    TClipboardFormats* ClipboardFormats() const { return FClipboardFormats.get(); }
    void SetClipboardFormats(const QStringList& Value);
    virtual bool RenderOLEData(const QString& Format, QByteArray& Data, bool ForClipboard);
    // The nodes marked for a cut or copy, in tree order; with Resolve none
    // is listed together with one of its descendants.
    TNodeArray GetSortedCutCopySet(bool Resolve);
    void CancelCutOrCopy();

    // Inserting what a data object carries: the tree of this process that
    // made it (nil for data from elsewhere), its nodes copied in, or moved
    // when Optimized (a cut or a move inside the process).
    virtual TBaseNodeTree* GetTreeFromDataObject(const QMimeData* DataObject);
    bool ProcessOLEData(TBaseNodeTree* Source, const QMimeData* DataObject, PDataNode TargetNode, TNtNodeAttachMode Mode, bool Optimized);
    // For drop handlers: moves or copies by Effect (DROPEFFECT_ values),
    // which is left DROPEFFECT_NONE after a move; never throws.
    bool ProcessDrop(const QMimeData* DataObject, PDataNode TargetNode, Integer& Effect, TNtNodeAttachMode Mode);

    // Clipboard: the selected nodes cut or copied through a data object;
    // marked nodes carry vsCutOrCopy until the clipboard lets them go.
    virtual void CopyToClipboard();
    virtual void CutToClipboard();
    virtual bool PasteFromClipboard();
    void FlushClipboard();
    void FinishCutOrCopy();
    virtual void MarkCutCopySelection();
    Integer CutCopyCount();
    TNtNodeAttachMode DefaultPasteMode() const { return FDefaultPasteMode; }
    void SetDefaultPasteMode(TNtNodeAttachMode Value) { FDefaultPasteMode = Value; }

    // ---- events
    TNtInitNodeEvent OnInitNode;
    TNtInitChildrenEvent OnInitChildren;
    TNtFreeNodeEvent OnFreeNode;
    TNtGetNodeDataSizeEvent OnGetNodeDataSize;
    TNtChangeEvent OnResetNode;
    TNtNodeMovingEvent OnNodeMoving;
    TNtChangeEvent OnNodeMoved;
    TNtNodeMovingEvent OnNodeCopying;
    TNtChangeEvent OnNodeCopied;
    TNtSaveNodeEvent OnSaveNode;
    TNtSaveNodeEvent OnLoadNode;
    TNtSaveTreeEvent OnSaveTree;
    TNtSaveTreeEvent OnLoadTree;
    TNtGetUserClipboardFormatsEvent OnGetUserClipboardFormats;
    TNtRenderOLEDataEvent OnRenderOLEData;
    // Drag and drop (these hide the control's own drag-over and drop events).
    TNtDragAllowedEvent OnDragAllowed;
    TNtDragOverEvent OnDragOver;
    TNtDragDropEvent OnDragDrop;
    TNtCreateDragManagerEvent OnCreateDragManager;
    TNtCreateDataObjectEvent OnCreateDataObject;
    // Export (fired by the string tree's exports).
    TNtTreeExportEvent OnBeforeTreeExport;
    TNtTreeExportEvent OnAfterTreeExport;
    TNtTreeExportEvent OnBeforeHeaderExport;
    TNtTreeExportEvent OnAfterHeaderExport;
    TNtColumnExportEvent OnBeforeColumnExport;
    TNtColumnExportEvent OnColumnExport;
    TNtColumnExportEvent OnAfterColumnExport;
    TNtNodeExportEvent OnBeforeNodeExport;
    TNtNodeExportEvent OnNodeExport;
    TNtNodeExportEvent OnAfterNodeExport;
    TNtStateChangeEvent OnStateChange;
    TNtChangeEvent OnChange;
    TNtStructureChangeEvent OnStructureChange;
    TNtUpdatingEvent OnUpdating;
    TNtOperationEvent OnStartOperation;
    TNtOperationEvent OnEndOperation;
    TNtCheckChangingEvent OnChecking;
    TNtChangeEvent OnChecked;
    TNtChangingEvent OnExpanding;
    TNtChangingEvent OnCollapsing;
    TNtChangeEvent OnExpanded;
    TNtChangeEvent OnCollapsed;
    TNtMeasureItemEvent OnMeasureItem;
    TNtGetImageEvent OnGetImageIndex;
    TNtGetImageExEvent OnGetImageIndexEx;
    TNtPaintEvent OnBeforePaint;
    TNtPaintEvent OnAfterPaint;
    TNtBeforeItemPaintEvent OnBeforeItemPaint;
    TNtAfterItemPaintEvent OnAfterItemPaint;
    TNtBeforeItemEraseEvent OnBeforeItemErase;
    TNtAfterItemPaintEvent OnAfterItemErase;
    TNtBeforeCellPaintEvent OnBeforeCellPaint;
    TNtAfterCellPaintEvent OnAfterCellPaint;
    TNtBackgroundPaintEvent OnPaintBackground;
    TNtGetCellIsEmptyEvent OnGetCellIsEmpty;
    TNtSelectionEvent OnAddToSelection;
    TNtSelectionEvent OnRemoveFromSelection;
    TNtFocusChangingEvent OnFocusChanging;
    TNtFocusChangeEvent OnFocusChanged;
    TNtScrollEvent OnScroll;
    TNtHotNodeChangeEvent OnHotChange;
    TNtIncrementalSearchEvent OnIncrementalSearch;
    TNtKeyActionEvent OnKeyAction;
    TNtNodeClickEvent OnNodeClick;
    TNtNodeClickEvent OnNodeDblClick;
    TNtGetCursorEvent OnGetCursor;
    TNtCanSplitterResizeNodeEvent OnCanSplitterResizeNode;
    TNtNodeHeightTrackingEvent OnNodeHeightTracking;
    TNtNodeHeightDblClickResizeEvent OnNodeHeightDblClickResize;
    TNtGetHelpContextEvent OnGetHelpContext;
    TNtGetPopupMenuEvent OnGetPopupMenu;
    // Header.
    TNtHeaderClickEvent OnHeaderClick;
    TNtHeaderClickEvent OnHeaderDblClick;
    TNtHeaderMouseEvent OnHeaderMouseDown;
    TNtHeaderMouseEvent OnHeaderMouseUp;
    TNtHeaderMouseMoveEvent OnHeaderMouseMove;
    TNtColumnClickEvent OnColumnClick;
    TNtColumnClickEvent OnColumnDblClick;
    TNtHeaderDraggingEvent OnHeaderDragging;
    TNtHeaderDraggedEvent OnHeaderDragged;
    TNtHeaderDraggedOutEvent OnHeaderDraggedOut;
    TNtColumnShiftEvent OnBeforeColumnWidthTracking;
    TNtColumnWidthTrackingEvent OnColumnWidthTracking;
    TNtColumnNotifyEvent OnAfterColumnWidthTracking;
    TNtColumnWidthDblClickResizeEvent OnColumnWidthDblClickResize;
    TNtHeaderShiftEvent OnBeforeHeaderHeightTracking;
    TNtHeaderHeightTrackingEvent OnHeaderHeightTracking;
    TNtHeaderNotifyEvent OnAfterHeaderHeightTracking;
    TNtHeaderHeightTrackingEvent OnHeaderHeightDblClickResize;
    TNtCanSplitterResizeColumnEvent OnCanSplitterResizeColumn;
    TNtCanSplitterResizeHeaderEvent OnCanSplitterResizeHeader;
    TNtGetHeaderCursorEvent OnGetHeaderCursor;
    TNtColumnNotifyEvent OnColumnResize;
    TNtColumnVisibilityChangedEvent OnColumnVisibilityChanged;
    TNtHeaderDrawEvent OnHeaderDraw;
    TNtHeaderDrawQueryElementsEvent OnHeaderDrawQueryElements;
    TNtAdvancedHeaderPaintEvent OnAdvancedHeaderDraw;
    TNtBeforeAutoFitColumnsEvent OnBeforeAutoFitColumns;
    TNtBeforeAutoFitColumnEvent OnBeforeAutoFitColumn;
    TNtColumnNotifyEvent OnAfterAutoFitColumn;
    TNtHeaderNotifyEvent OnAfterAutoFitColumns;
    TNtBeforeGetMaxColumnWidthEvent OnBeforeGetMaxColumnWidth;
    TNtAfterGetMaxColumnWidthEvent OnAfterGetMaxColumnWidth;
    // Sorting, editing, hints.
    TNtCompareEvent OnCompareNodes;
    TNtCreateEditorEvent OnCreateEditor;
    TNtEditChangingEvent OnEditing;
    TNtEditChangeEvent OnEdited;
    TNtEditCancelEvent OnEditCancelled;
    TNtGetHintKindEvent OnGetHintKind;
    TNtGetHintSizeEvent OnGetHintSize;
    TNtDrawHintEvent OnDrawHint;

protected:
    // Streaming, chunk by chunk; descendants add chunk types here.
    virtual void WriteNode(TStream* Stream, PDataNode Node);
    virtual void WriteChunks(TStream* Stream, PDataNode Node);
    virtual void FinishChunkHeader(TStream* Stream, Integer StartPos, Integer EndPos);
    virtual void ReadNode(TStream* Stream, Integer Version, PDataNode Node);
    virtual bool ReadChunk(TStream* Stream, Integer Version, PDataNode Node, Integer ChunkType, Integer ChunkSize);
    virtual void SkipNode(TStream* Stream);
    virtual void LoadNodeFromStream(TStream* Stream, Integer Version, PDataNode Node);
    virtual void DoSaveNode(PDataNode Node, TStream* Stream);
    virtual void DoLoadNode(PDataNode Node, TStream* Stream);
    virtual void DoGetUserClipboardFormats(QStringList& Formats);
    virtual bool DoRenderOLEData(const QString& Format, QByteArray& Data, bool ForClipboard);

    // ---- drag and drop
    virtual TDropMode DropModeAt(TPoint P, THitInfo& HitInfo, TRect NodeRect);
    virtual bool DoDragAllowed(PDataNode Node, TColumnIndex Column);
    virtual QMimeData* DoCreateDataObject();
    virtual std::shared_ptr<INtDragManager> DoCreateDragManager();
    virtual void StartOleDrag(TPoint P);
    virtual void ExpandDropTarget();
    virtual bool DoDragOver(TObject* Source, TShiftState Shift, TDragState State, TPoint Pt, TDropMode Mode, Integer& Effect);
    virtual void DoDragDrop(TObject* Source, const QMimeData* DataObject, const TFormatArray& Formats, TShiftState Shift, TPoint Pt, Integer& Effect,
                            TDropMode Mode);
    virtual void RunOleDragLoop(Integer AllowedEffects, QMimeData* DataObject, Integer& Effect);
    // The drop-target side; points are in screen coordinates.
    virtual HRESULT OleDrop(const QMimeData* DataObject, Integer KeyState, TPoint Pt, Integer& Effect);
    virtual HRESULT OleDragEnter(Integer KeyState, TPoint Pt, Integer& Effect);
    virtual void FinishDragStates();
    virtual void OleDragLeave();
    virtual HRESULT OleDragOver(TObject* Source, Integer KeyState, TDragState State, TPoint Pt, Integer& Effect);
    virtual Integer SuggestDropEffect(TObject* Source, TShiftState Shift, TPoint Pt, Integer AllowedEffects);
    void DoStartDrag(TDragObject*& DragObject) override;
    void DoEndDrag(TObject* Target, Integer X, Integer Y) override;
    void DragCanceled() override;
    // CM_DRAG of the in-process drags.
    void CMDrag(TMessage& Message);
    // The shift state of a drag's key state with the tree's pressed buttons.
    TShiftState DragShiftState(Integer KeyState) const;

    friend class TNtHeader;
    friend class TNodeTreeColumns;
    friend class TNodeTreeColumn;
    friend class TNtHeaderWindow;
    friend class TNodeTreeHintWindow;
    friend class TNtDragImage;
    friend class TNtDragManager;
    friend class TNtEdit;
    friend class TStringEditLink;

    // ---- header dispatchers
    virtual void DoHeaderClick(const TNtHeaderHitInfo& HitInfo);
    virtual void DoHeaderDblClick(const TNtHeaderHitInfo& HitInfo);
    virtual void DoHeaderMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void DoHeaderMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void DoHeaderMouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual bool DoHeaderDragging(TColumnIndex Column);
    virtual void DoHeaderDragged(TColumnIndex Column, Integer OldPosition);
    virtual void DoHeaderDraggedOut(TColumnIndex Column, TPoint DropPosition);
    virtual void DoGetHeaderCursor(TCursor& Cursor);
    virtual void DoColumnClick(TColumnIndex Column, TShiftState Shift);
    virtual void DoColumnDblClick(TColumnIndex Column, TShiftState Shift);
    void DoColumnVisibilityChanged(TColumnIndex Column, bool Visible);
    virtual void DoHeaderDrawQueryElements(THeaderPaintInfo& PaintInfo, Byte& Elements);
    virtual void DoAdvancedHeaderDraw(THeaderPaintInfo& PaintInfo, Byte Elements);
    virtual void DoHeaderDraw(TCanvas* Canvas, TNodeTreeColumn* Column, const TRect& R, bool Hover, bool Pressed, TNtDropMarkMode DropMark);
    virtual void MainColumnChanged();
    // The cell rectangle of a column in a row, in tree (unscrolled) coordinates.
    void GetCellSpan(TColumnIndex Column, Integer& Left, Integer& Right) const;

    // ---- sorting and editing
    // Automatic sorting is on, a sort column is set and there is a
    // comparison to order by.
    bool AutoSortWanted() const;
    // A sort column and a comparison to sort it by.
    bool SortsByComparing() const;
    virtual Integer DoCompare(PDataNode Node1, PDataNode Node2, TColumnIndex Column);
    virtual bool DoCanEdit(PDataNode Node, TColumnIndex Column);
    virtual PNtEditLink DoCreateEditor(PDataNode Node, TColumnIndex Column);
    virtual void DoEdit();
    virtual bool DoEndEdit();
    virtual bool DoCancelEdit();
    void CMHintShow(TMessage& Message);
    void CMHintShowPause(TMessage& Message);

    // ---- frame
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    void CreateWnd() override;
    void CreateParams(TCreateParams& Params) override;
    void DestroyWnd() override;
    void UpdateView() override;
    void Paint() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DoEnter() override;
    void Loaded() override;
    // The short road takes no designed tree's appends (CanAppendHeld).
    void DesigningChanged() override { ForgetHeldAppend(); }
    void FontChanged() override;
    virtual TCustomNodeTreeOptions* GetOptionsClass();
    virtual TNtHeader* GetHeaderClass();
    // A descendant's constructor swaps in its own options class.
    void ReplaceOptions();
    virtual void ImageListChange(TObject* Sender);
    void KillTreeTimer(UINT_PTR Id);
    void SetTreeTimer(UINT_PTR Id, Cardinal Interval);
    bool IsMainThread() const;
    void Assert(bool Condition, const char* Msg, int Line) const
    {
        if (!Condition)
            AssertFailed(Msg, Line);
    }
    [[noreturn]] void AssertFailed(const char* Msg, int Line) const;

    // ---- nodes
    Cardinal AllocateInternalDataArea(Cardinal Size);
    PDataNode MakeNewNode();
    void AppendChildren(PDataNode Node, Cardinal Count);
    PDataNode AppendChild(PDataNode Node);
    bool CanAppendHeld(PDataNode Parent) const;
    bool HeldAppendReady(PDataNode Parent, void* UserData) const;
    // Parent as AddChild got it (nullptr for the root).
    void NoteHeldAppend(PDataNode Parent)
    {
        if (FUpdateCount == 0)
            return;  // nothing held: the road is forgotten already
        FHeldAppendParent = Parent != nullptr ? Parent : FRoot;
        FHeldAppendArg = CanAppendHeld(FHeldAppendParent) ? Parent : NoHeldAppend();
    }
    void ForgetHeldAppend() { FHeldAppendArg = NoHeldAppend(); }
    // Lowers the update count; at zero the short road's parent is
    // forgotten, as that road is taken only inside an update.
    void LowerUpdateCount(Cardinal By = 1)
    {
        FUpdateCount -= By;
        if (FUpdateCount == 0)
            ForgetHeldAppend();
    }
    // What FHeldAppendArg holds when no parent is ready: an address no caller passes.
    static PDataNode NoHeldAppend()
    {
        static TDataNode none;
        return &none;
    }
    PDataNode AppendHeld(PDataNode Parent);
    [[gnu::noinline]] PDataNode FinishHeldAppend(PDataNode Node, PDataNode Child);
    // Whether a structure change now would be collected and at once reported
    // to nobody: outside an update, with nothing collected, no handler and no
    // state listener. Such a change only forgets what a report forgets.
    bool StructureChangeUnheard() const
    {
        return FUpdateCount == 0 && !OnStructureChange && !OnStateChange && !HasTreeState(tsStructureChangePending) &&
               !(FRunningTimers & (1u << StructureChangeTimer));
    }
    void ForgetStructureChange();
    PDataNode AddChildFully(PDataNode Parent, void* UserData);
    // AddChild's full road, kept out of its short one.
    [[gnu::noinline]] virtual PDataNode AddChildFullRoad(PDataNode Parent, void* UserData);
    void LinkAsLastChild(PDataNode Node, PDataNode Child);
    void CountLinkedChild(PDataNode Node, PDataNode Child);
    // While updates are held, a node appended to a parent counts in the
    // parent's TotalCount at once, but in its ancestors' only when the
    // appends move to another parent or the update ends: one walk up per
    // parent instead of one per node. Whatever reads or changes a count
    // catches up first.
    void CatchUpCounts() const
    {
        if (FPendingCountNode != nullptr)
            FlushPendingCounts();
    }
    void FlushPendingCounts() const;
    void AddPendingCount(PDataNode Node)
    {
        if (Node != FPendingCountNode) {
            CatchUpCounts();
            FPendingCountNode = Node;
        }
        ++FPendingCount;
    }
    void MeasureChildrenToShow(PDataNode Node, Integer& HeightDelta, Cardinal& Rows);
    void MarkPositionCacheOutdated();
    void InterruptCacheValidation();
    PDataNode NextVisibleNoInit(PDataNode Node, bool ConsiderChildrenAbove, bool KnownShown) const;
    PDataNode NextShownRow(PDataNode Node, TDataNodeStates NotARow) const;
    bool RowStartsAtOrBelow(PDataNode Node, Cardinal Limit, Cardinal* Top = nullptr) const;
    void InitRootNode(Cardinal OldSize = 0);
    virtual void InitNode(PDataNode Node);
    void ApplyInitStates(PDataNode Node, TDataNodeInitStates InitStates, bool WasFiltered);
    virtual void InitChildren(PDataNode Node);
    virtual void DoInitNode(PDataNode Parent, PDataNode Node, TDataNodeInitStates& InitStates);
    virtual bool DoInitChildren(PDataNode Node, Cardinal& ChildCount);
    virtual void DoFreeNode(PDataNode Node);
    virtual void DoGetNodeDataSize(Integer& Size);
    virtual void DoReset(PDataNode Node);
    virtual bool DoNodeMoving(PDataNode Node, PDataNode Target);
    virtual void DoNodeMoved(PDataNode Node);
    virtual bool DoNodeCopying(PDataNode Node, PDataNode Target);
    virtual void DoNodeCopied(PDataNode Node);
    void InternalConnectNode(PDataNode Node, PDataNode Destination, TBaseNodeTree* Target, TNtNodeAttachMode Mode);
    virtual void InternalDisconnectNode(PDataNode Node, bool KeepFocus, bool Reindex = true, bool ParentClearing = false);
    void InternalDeleteNode(PDataNode Node, bool Reindex, bool ParentClearing);
    bool BeginNodeDeletion(PDataNode Node, bool ParentClearing);
    void FinishChildrenDeletion(PDataNode Node, Integer OldX, Integer OldY);
    void PropagateTotalCount(PDataNode Node, Integer Value, bool Relative);
    void PropagateTotalHeight(PDataNode Node, Integer Value, bool Relative);
    // A node of Target linked at Destination and filled, with its subtree,
    // from Source written to a node stream (the owner's data travels too).
    PDataNode CopyNodeThroughStream(PDataNode Source, TBaseNodeTree* Target, PDataNode Destination, TNtNodeAttachMode Mode);
    void FreeNodeMemory(PDataNode Node);
    bool ReadOnly() const;

    // ---- updates
    virtual void Change(PDataNode Node);
    virtual void DoChange(PDataNode Node);
    virtual void StructureChange(PDataNode Node, TChangeReason Reason);
    virtual void DoStructureChange(PDataNode Node, TChangeReason Reason);
    virtual void AdviseChangeEvent(bool IsStructureChange, PDataNode Node, TChangeReason Reason);
    virtual void DoUpdating(TNtUpdateState State);
    virtual void DetermineHiddenChildrenFlagAllNodes();
    virtual bool DoValidateCache();
    virtual void UpdateEditBounds();
    void InvalidateRectangle(const TRect& R);
    bool RowMayShow(PDataNode Node);

    // ---- checks
    virtual bool DoChecking(PDataNode Node, TCheckState& NewState);
    virtual void DoChecked(PDataNode Node);
    virtual void ApplyCheckState(PDataNode Node, TCheckState Value);
    bool PropagateCheckState(PDataNode Node, TCheckState Value);
    virtual bool CheckParentCheckState(PDataNode Node, TCheckState NewCheckState);
    virtual TCheckState DetermineNextCheckState(TCheckType CheckType, TCheckState CheckState);
    virtual Integer GetCheckImage(PDataNode Node, TCheckType ImgCheckType = ctNone, TCheckState ImgCheckState = csUncheckedNormal, bool ImgEnabled = true);
    virtual void PaintCheckImage(TCanvas* Canvas, const TNtImageInfo& ImageInfo, bool Selected);

    // ---- geometry
    virtual void DoMeasureItem(TCanvas* TargetCanvas, PDataNode Node, Integer& NodeHeight);
    virtual void FitDefaultNodeHeightToFont();
    void UpdateVerticalRange();
    void UpdateHorizontalRange();
    void UpdateRanges();
    virtual Integer GetWidestNodeExtent();
    PDataNode FindCacheEntryByPosition(Cardinal Position, Cardinal& CurrentTop) const;
    PDataNode FindCacheEntryByNode(PDataNode Node, Cardinal& CurrentTop);
    // The last cache entry at or before Node in tree order; -1 for none.
    Integer CacheIndexOfNode(PDataNode Node);
    virtual void HitTestCellLeftToRight(THitInfo& HitInfo, Integer Offset, Integer Right, TAlignment Alignment);
    virtual void HitTestCellRightToLeft(THitInfo& HitInfo, Integer Offset, Integer Right, TAlignment Alignment);
    Integer CheckImageWidth() const;
    bool ShowCheckImages() const;

    // ---- scrolling
    virtual void DoScroll(Integer DeltaX, Integer DeltaY);
    void ScrollMessage(bool Vertical, Word Code, Integer TrackPos);
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
    virtual bool AutoScrollAllowed() const;
    Cardinal ScrollDirectionsAt(Integer X, Integer Y);
    virtual void UpdateAutoScroll(Integer X, Integer Y);
    virtual void ScrollTimerStep();
    virtual void BeginWheelPanning(TPoint Position);
    virtual void EndWheelPanning();
    // The panning cursor for the mouse at (X, Y) around the panning origin.
    virtual void UpdatePanningCursor(Integer X, Integer Y);
    void LayoutWindow();

    // ---- expanding
    virtual bool DoExpanding(PDataNode Node);
    virtual bool DoCollapsing(PDataNode Node);
    virtual void DoExpanded(PDataNode Node);
    virtual void DoCollapsed(PDataNode Node);
    virtual void UpdateHiddenChildrenFlag(PDataNode Node);

    // ---- painting
    virtual void PaintNodeContent(TNtPaintInfo& PaintInfo) {}
    // The next visible column a row's painting goes on with after the
    // cell of PaintInfo; a descendant may widen the cell over empty ones.
    virtual TColumnIndex DetermineNextColumn(TNtPaintInfo& PaintInfo);
    virtual Integer GetNodeWidth(PDataNode Node, TColumnIndex Column, TCanvas* Canvas = nullptr) { return 0; }
    virtual Integer GetNodeExtraWidth(PDataNode Node, TColumnIndex Column, TCanvas* Canvas = nullptr) { return 0; }
    virtual TCustomImageList* DoGetImageIndex(PDataNode Node, TNtImageKind Kind, TColumnIndex Column, bool& Ghosted, Integer& Index);
    void GetImageIndex(TNtPaintInfo& Info, TNtImageKind Kind, TNtImageSlot Slot, TCustomImageList* DefaultImages);
    virtual bool DoGetCellIsEmpty(PDataNode Node, TColumnIndex Column);
    virtual void DoBeforeCellPaint(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, TNtCellPaintMode Mode, TRect CellRect, TRect& ContentRect);
    virtual void PaintCellSelection(TNtPaintInfo& PaintInfo, Integer WindowOrgX, Integer MaxWidth);
    void EraseRow(TNtPaintInfo& PaintInfo, bool UseBackground, TRect R, bool Translate);
    // The background picture over R of a canvas; Offset turns canvas into
    // client coordinates (the picture does not scroll with the rows).
    void TileBackgroundPicture(TCanvas* Canvas, const TRect& R, TPoint Offset);
    void DrawBackgroundPicture(TCanvas* Canvas, const TRect& R, TPoint Offset);
    void PlaceImage(TCustomImageList* List, TNtImageInfo& Info, TRect& ContentRect, Integer VAlign, TBiDiMode BidiMode);
    // Primitives.
    void BuildPaintResources(bool NeedButtons, bool NeedLines);
    void ComputeRowAlignment(bool ShowImages, bool ShowStateImages, PDataNode Node, Integer& VAlign, Integer& ButtonY);
    void ShiftContentByIndent(TNtPaintInfo& PaintInfo, Integer Levels);
    virtual void DrawNodeButton(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const TRect& R, Integer ButtonX, Integer ButtonY, TBiDiMode BidiMode);
    virtual void DrawTreeLines(TNtPaintInfo& PaintInfo, Integer VAlignment, Integer IndentSize, const TLineImage& LineImage);
    void DrawLineElement(TNtPaintInfo& PaintInfo, Integer X, Integer Y, Integer H, Integer VAlign, TNtLineType Style, bool Reverse);
    void DrawHorzPatternLine(TNtPaintInfo& PaintInfo, Integer Left, Integer Right, Integer Top);
    virtual void DrawVertPatternLine(TNtPaintInfo& PaintInfo, Integer Top, Integer Bottom, Integer Left, bool UseSelectedBkColor);
    virtual void DrawNodeImage(TNtPaintInfo& PaintInfo, TNtImageSlot Slot, bool DoOverlay);
    virtual void DrawRubberBand(TCanvas* Canvas, Integer WindowOrgX, TRect SelectionRect, TRect TargetRect);
    // The mark between rows where a drop above or below Node would land.
    virtual void DrawDropMark(TCanvas* Canvas, PDataNode Node, TRect R);

    // ---- selection
    bool InternalAddToSelection(TNodeArray& NewItems, Integer NewLength, bool ForceInsert);
    bool InternalAddToSelection(PDataNode Node, bool ForceInsert);
    void InternalRemoveFromSelection(PDataNode Node);
    void InternalClearSelection();
    virtual void ClearSelection(bool ReportChange);
    bool FindSelectionIndex(PDataNode P, Integer& Index, Integer LowBound = -1, Integer HighBound = -1) const;
    void InternalCacheNode(PDataNode Node);
    void ClearTempCache();
    void ResetRangeAnchor();
    void UpdateNextNodeToSelect(PDataNode Node);
    void EnsureNodeFocused();
    void SelectNodeRange(PDataNode StartNode, PDataNode EndNode, bool AddOnly);
    void ToggleRangeSelection(PDataNode StartNode, PDataNode EndNode);
    void UnselectNodeRange(PDataNode StartNode, PDataNode EndNode);
    void CompactSelection();
    bool CalculateSelectionRect(Integer X, Integer Y);
    bool HandleDrawSelection();
    bool CollectSelectedNodesLTR(Integer NodeLeft, Integer NodeRight, TAlignment Alignment, const TRect& OldRect, const TRect& NewRect);
    void InternalSetFocusedNode(PDataNode Node, bool Ask);
    virtual bool DoFocusChanging(PDataNode OldNode, PDataNode NewNode, TColumnIndex OldColumn, TColumnIndex NewColumn);
    virtual void DoFocusChange(PDataNode Node, TColumnIndex Column);
    void HandleClickSelection(PDataNode LastFocused, PDataNode NewNode, TShiftState Shift, bool DragPending);

    // ---- input
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    virtual void HandleMouseDown(TMessage& Message, THitInfo& HitInfo);
    virtual void HandleMouseUp(TMessage& Message, const THitInfo& HitInfo);
    virtual void HandleMouseDblClick(TMessage& Message, const THitInfo& HitInfo);
    virtual void HandleHotTrack(Integer X, Integer Y);
    // Node-height tracking with the mouse over a node's upper or lower edge.
    virtual void DoCanSplitterResizeNode(TPoint P, PDataNode Node, TColumnIndex Column, bool& Allowed);
    virtual bool DoNodeHeightTracking(PDataNode Node, TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint, TPoint P);
    virtual bool DoNodeHeightDblClickResize(PDataNode Node, TColumnIndex Column, TShiftState Shift, TPoint P);
    bool CanSplitterResizeNode(TPoint P, PDataNode Node, TColumnIndex Column);
    virtual void DoGetCursor(TCursor& Cursor);
    // The cursor for the mouse at the last client position it moved to.
    void UpdateCursor();
    // F1: the help context of the focused node, its parents, then the
    // control's and its parents'; shown with the application's help.
    void ShowNodeHelp();
    virtual void HandleIncrementalSearch(Word CharCode);
    virtual Integer DoIncrementalSearch(PDataNode Node, const QString& Text);
    virtual bool DoKeyAction(Word& CharCode, TShiftState& Shift);
    virtual void DoHotChange(PDataNode Old, PDataNode New);
    virtual void DoNodeClick(const THitInfo& HitInfo);
    virtual void DoNodeDblClick(const THitInfo& HitInfo);
    void MousePress(TMessage& Message, TNodeTreeStates ButtonState);
    virtual TPopupMenu* DoGetPopupMenu(PDataNode Node, TColumnIndex Column, TPoint Position);
    virtual void ShowNodePopupMenu(PDataNode Node, TColumnIndex Column, TPoint Position);
    virtual bool CanShowPopupMenu(PDataNode Node, TColumnIndex Column, TPoint Position);
    void ClearIncrementalSearch();
    PDataNode NextSearchCandidate(PDataNode Node, bool Forward, bool Wrap);

    // ---- fields
    std::unique_ptr<TCustomNodeTreeOptions> FOptions;
    std::unique_ptr<TNtHeader> FHeader;
    std::unique_ptr<TNtColors> FColors;
    std::unique_ptr<TScrollBarOptions> FScrollBarOptions;
    PDataNode FRoot = nullptr;
    Integer FNodeDataSize = -1;
    Cardinal FTotalInternalDataSize = 0;
    Cardinal FRootSize = 0;
    TNodePool FNodePool;
    // The parent whose ancestors still miss FPendingCount nodes (CatchUpCounts).
    mutable PDataNode FPendingCountNode = nullptr;
    mutable Cardinal FPendingCount = 0;
    // The parent the last AddChild inside an update left ready for the short
    // road (NoteHeldAppend), as that call passed it and resolved; every change
    // that could make that road wrong for it forgets it (ForgetHeldAppend), so
    // the road checks little per node. Catching up the counts forgets it too,
    // even from a const reader, hence mutable.
    mutable PDataNode FHeldAppendArg = NoHeldAppend();
    PDataNode FHeldAppendParent = nullptr;

    Cardinal FUpdateCount = 0;
    Cardinal FSynchUpdateCount = 0;
    std::atomic<TNodeTreeStates> FStates{0};
    TChangeReason FLastStructureChangeReason = crIgnore;
    PDataNode FLastStructureChangeNode = nullptr;
    PDataNode FLastChangedNode = nullptr;
    Cardinal FChangeDelay = 0;
    Cardinal FStartIndex = 0;
    Cardinal FOperationCount = 0;
    bool FOperationCanceled = false;

    PDataNode FCheckNode = nullptr;
    TCheckState FPendingCheckState = csUncheckedNormal;
    Cardinal FCheckPropagationCount = 0;
    TCustomImageList* FCustomCheckImages = nullptr;
    TCheckImageKind FCheckImageKind = ckSystemDefault;
    TCustomImageList* FCheckImages = nullptr;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FStateImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    std::unique_ptr<TChangeLink> FStateChangeLink;
    std::unique_ptr<TChangeLink> FCustomCheckChangeLink;

    Cardinal FDefaultNodeHeight = 18;
    TNodeStart FNodeStart{FDefaultNodeHeight};  // a new node's start at that height
    Cardinal FIndent = 18;
    Integer FMargin = 4;
    Integer FTextMargin = 4;
    TAlignment FAlignment = taLeftJustify;
    TNtNodeAlignment FNodeAlignment = naProportional;
    Cardinal FBottomSpace = 0;
    Cardinal FRangeX = 0;
    Cardinal FRangeY = 0;
    // The widest row extent in view as last measured, with the view it was
    // measured in. An AddChild that shows no new row leaves the ranges alone
    // while it is current (WidestExtentCurrent).
    struct TWidestExtent {
        bool Valid = false;
        Integer OffsetY = 0;
        Integer Height = 0;
        Cardinal VisibleCount = 0;
        Cardinal Indent = 0;
        Integer Margin = 0;
        Integer Value = 0;
    };
    TWidestExtent FWidestExtent;
    // What InvalidateToBottom last marked for repaint, a row's top down to the
    // window's bottom, at these offsets; until the next paint, a row below
    // that top has nothing more to mark.
    struct TInvalidBottom {
        TRect Area;
        Integer OffsetX = 0;
        Integer OffsetY = 0;
        bool Valid = false;
        // The whole control is marked: whatever moves, nothing more to mark.
        bool Whole = false;
    };
    TInvalidBottom FInvalidBottom;
    // Whether R, from a row's top down to the window's bottom, is marked
    // since the last paint, at the offsets of now.
    bool MarkedToBottom(const TRect& R) const
    {
        const TInvalidBottom& m = FInvalidBottom;
        return m.Valid && R.Top >= m.Area.Top && R.Left == m.Area.Left && R.Right == m.Area.Right && R.Bottom == m.Area.Bottom &&
               m.OffsetX == FOffsetX && m.OffsetY == FOffsetY;
    }
    void MarkToBottom(const TRect& R);
    void MarkRowsToBottom(PDataNode Node);
    bool WidestExtentCurrent() const
    {
        const TWidestExtent& w = FWidestExtent;
        return w.Valid && w.OffsetY == FOffsetY && w.VisibleCount == FVisibleCount && w.Indent == FIndent && w.Margin == FMargin &&
               w.Height == Height();
    }
    Integer FOffsetX = 0;
    Integer FOffsetY = 0;
    Integer FEffectiveOffsetX = 0;
    std::vector<TCacheEntry> FPositionCache;
    Cardinal FVisibleCount = 0;
    TRect FHeaderRect;
    // The header strip's height above the client area (0 while hidden).
    Integer FHeaderInset = 0;
    // Width of a scroll bar, known once the window exists.
    Integer FBarExtent = 0;
    bool FVertBarShown = false;
    bool FHorzBarShown = false;
    // Everything a scroll bar update reads, as the last update of each bar
    // (0 horizontal, 1 vertical) left it: the same again would set the same
    // bars, and a tree growing out of view asks after every node.
    struct TBarInputs {
        Cardinal RangeX, RangeY;
        Integer OffsetX, OffsetY, EffectiveOffsetX, Width, Height, HeaderInset, BarExtent;
        TBorderStyle Border;
        TScrollStyle Style;
        bool VertShown, HorzShown, Always, RightToLeft, UsesColumns;
        const void* Frame;
        bool operator==(const TBarInputs&) const = default;
    };
    TBarInputs BarInputs() const;
    std::optional<TBarInputs> FBarInputs[2];
    bool FUpdatingScrollBars = false;
    Cardinal FAutoScrollDelay = 1000;
    Word FAutoScrollInterval = 1;
    Cardinal FScrollDirections = 0;
    DWORD FDragScrollStart = 0;
    TPoint FLastClickPos;
    TPoint FLastMousePos;
    std::unique_ptr<TShapedPopup> FPanningWindow;
    QString FPanningCursor;
    PDataNode FHeightTrackNode = nullptr;
    TColumnIndex FHeightTrackColumn = 0;
    TPoint FHeightTrackPoint;

    Cardinal FAnimationDuration = 200;
    Cardinal FAutoExpandDelay = 1000;

    std::unique_ptr<TPicture> FBackground;
    Integer FBackgroundOffsetX = 0;
    Integer FBackgroundOffsetY = 0;
    QString FEmptyListMessage;
    TNtLineStyle FLineStyle = lsDotted;
    TNtLineMode FLineMode = lmNormal;
    TNtButtonStyle FButtonStyle = bsRectangle;
    TNtButtonFillMode FButtonFillMode = fmTreeColor;
    TNtDrawSelectionMode FDrawSelectionMode = smDottedRectangle;
    Byte FSelectionBlendFactor = 128;
    Cardinal FSelectionCurveRadius = 0;
    std::unique_ptr<TBitmap> FPlusBM, FHotPlusBM, FMinusBM, FHotMinusBM, FSelectedHotPlusBM, FSelectedHotMinusBM;
    struct TLineBrush;
    std::unique_ptr<TLineBrush> FDottedBrush;
    TBorderStyle FBorderStyle = bsSingle;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FWantTabs = false;
    struct TRowBuffer;
    std::unique_ptr<TRowBuffer> FRowBuffer;

    TNodeArray FSelection;
    Integer FSelectionCount = 0;
    bool FSelectionLocked = false;
    PDataNode FRangeAnchor = nullptr;
    Integer FLastSelectionLevel = -1;
    PDataNode FNextNodeToSelect = nullptr;
    TNodeArray FSingletonNodeArray;
    TNodeArray FTempNodeCache;
    Cardinal FTempNodeCount = 0;
    PDataNode FFocusedNode = nullptr;
    TColumnIndex FFocusedColumn = NoColumn;
    TShiftState FDrawSelShiftState;
    TRect FNewSelRect;
    TRect FLastSelRect;

    TNtIncrementalSearch FIncrementalSearch = isNone;
    TNtSearchDirection FSearchDirection = sdForward;
    TNtSearchStart FSearchStart = ssFocusedNode;
    Cardinal FSearchTimeout = 1000;
    QString FSearchBuffer;
    PDataNode FLastSearchNode = nullptr;
    TCursor FHotCursor = crDefault;
    PDataNode FCurrentHotNode = nullptr;
    TColumnIndex FCurrentHotColumn = 0;
    bool FHotNodeButtonHit = false;
    PDataNode FDropTargetNode = nullptr;
    std::shared_ptr<IAccessible> FAccessible;
    std::shared_ptr<IAccessible> FAccessibleItem;
    QString FAccessibleName;
    void WMGetObject(TMessage& Message);
    void TVMGetItem(TMessage& Message);
    void TVMGetNextItem(TMessage& Message);
    // Tells assistive programs of changes once the item object exists.
    void NotifyAccessible(std::initializer_list<Cardinal> Events);
    void DisconnectAccessible();
    bool FDestroying = false;

    struct TScrollParts;
    std::unique_ptr<TScrollParts> FScrollParts;
    // The window timers that run, one bit per id.
    Cardinal FRunningTimers = 0;
    // Queued on the worker or being validated there.
    std::atomic<bool> FQueuedForValidation{false};

    // Editing.
    TColumnIndex FEditColumn = NoColumn;
    Cardinal FEditDelay = 1000;
    PNtEditLink FEditLink;
    // Clipboard and dragging.
    TNtNodeAttachMode FDefaultPasteMode = amAddChildLast;
    std::unique_ptr<TClipboardFormats> FClipboardFormats;
    TNodeArray FDragSelection;
    std::shared_ptr<INtDragManager> FDragManager;
    bool FDropTargetRegistered = false;
    TDropMode FLastDropMode = dmOnNode;
    Integer FLastDragEffect = DROPEFFECT_NONE;
    Integer FDragThreshold = 0;
    PDataNode FLastVCLDragTarget = nullptr;
    Integer FVCLDragEffect = DROPEFFECT_NONE;
    TNtDragType FDragType = dtOLE;
    TDragOperations FDragOperations = doCopy | doMove;
    // Registers or revokes the window's drop target by toAcceptOLEDrop.
    void UpdateDropTargetRegistration();
    void ReleaseClipboardData();
    // The header, the node count and the top-level nodes of a stream, read
    // under Target inside one update.
    void ReadStreamNodes(TStream* Stream, bool AddFrom, PDataNode Target);
    // Node streams are walked with a stack of their own, not by recursion,
    // so that a tree of any depth is written and read.
    struct TStreamReadFrame;
    // The walk that reads node chunks; base chunks hand it their children.
    std::vector<TStreamReadFrame>* FStreamReadFrames = nullptr;
    void RunStreamReadFrames(TStream* Stream, Integer Version, std::vector<TStreamReadFrame>& Frames);
    void OpenStreamReadFrame(TStream* Stream, PDataNode Node, Int64 Limit, std::vector<TStreamReadFrame>& Frames);
    // The node whose base chunk the writing walk has opened, and where.
    PDataNode FStreamOpenBase = nullptr;
    Integer FStreamOpenBaseStart = 0;
    Integer StartNodeChunk(TStream* Stream, PDataNode Node);
    void WriteBaseChunkStart(TStream* Stream, PDataNode Node);
    void WriteChildNodes(TStream* Stream, PDataNode Parent);
    // Data objects that still point at this tree; told when it goes.
    friend class TNtDataObject;
    std::vector<TNtDataObject*> FDataObjects;
    void DetachDataObjects();
    // Drag image.
    std::unique_ptr<TNtDragImage> FDragImage;
    TNtDragImageKind FDragImageKind = diComplete;
    Integer FDragWidth = 200;
    Integer FDragHeight = 350;
    // Hints.
    TNtHintMode FHintMode = hmDefault;
    THintAnimationType FHintAnimation = hatSystemDefault;
    std::unique_ptr<TNtHintData> FHintData;
    TRect FLastHintRect;
};

// ---------------------------------------------------------------- appending

// Gives a zeroed block the fields every new node starts with.
inline PDataNode InitNodeRecord(void* Block, const TNodeStart& Start)
{
    std::memcpy(static_cast<char*>(Block) + offsetof(TDataNode, NodeHeight), Start.Bytes, sizeof Start.Bytes);
    return static_cast<PDataNode>(Block);
}

// Links Child, new, after Last as the last child of Node: Last is Node's
// last child, none makes Child the first.
[[gnu::always_inline]] inline void LinkAfterLastChild(PDataNode Node, PDataNode Last, PDataNode Child)
{
    if (Last) {
        Child->Index = Last->Index + 1;
        Child->PrevSibling = Last;
        Last->NextSibling = Child;
    } else {
        Node->FirstChild = Child;
    }
    Child->Parent = Node;
    Node->LastChild = Child;
    ++Node->ChildCount;
}

// Links Child, new, as the last child of Node, with the states that change.
[[gnu::always_inline]] inline void TBaseNodeTree::LinkAsLastChild(PDataNode Node, PDataNode Child)
{
    PDataNode last = Node->LastChild;
    Node->States = (Node->States & ~(vsAllChildrenHidden | vsHeightMeasured)) | (last ? 0 : vsHasChildren);
    LinkAfterLastChild(Node, last, Child);
}

// Whether AddChild (Parent, UserData) takes the short road (AppendHeld) now:
// Parent, as passed, is the one the last append left ready (no node was
// freed since, so the pool has no freed slot to reuse first; no watched tree
// state has changed, so the worker has not been handed the tree either; the
// update still holds and the parent's count is the pending one) and the
// block at hand has a slot.
[[gnu::always_inline]] inline bool TBaseNodeTree::HeldAppendReady(PDataNode Parent, void* UserData) const
{
    return Parent == FHeldAppendArg && UserData == nullptr && FNodePool.HasFreshSlotInBlock();
}

// Inline, so that a loop of appends inside an update calls nothing per node.
inline PDataNode TBaseNodeTree::AddChild(PDataNode Parent, void* UserData)
{
    if (HeldAppendReady(Parent, UserData)) [[likely]]
        return AppendHeld(FHeldAppendParent);
    return AddChildFullRoad(Parent, UserData);
}

// The short road, once HeldAppendReady said yes (so the parent has a last
// child). The common step appends to a collapsed parent whose states need
// no change; the rest (states to clear, a shown parent's heights) is left
// to FinishHeldAppend, so that the common step calls nothing.
[[gnu::always_inline]] inline PDataNode TBaseNodeTree::AppendHeld(PDataNode Parent)
{
    PDataNode child = InitNodeRecord(FNodePool.TakeFreshSlot(), FNodeStart);
    if (Parent->States & (vsExpanded | vsAllChildrenHidden | vsHeightMeasured)) [[unlikely]]
        return FinishHeldAppend(Parent, child);
    PDataNode last = Parent->LastChild;
    if (last == nullptr)
        __builtin_unreachable();  // the road is offered only to a parent with a last child
    LinkAfterLastChild(Parent, last, child);
    ++Parent->TotalCount;
    ++FPendingCount;
    return child;
}

// ---------------------------------------------------------------- string and draw trees

enum TNSTTextType { ttNormal, ttStatic };

struct TNSTGetCellTextEventArgs {
    PDataNode Node = nullptr;
    TColumnIndex Column = NoColumn;
    QString CellText;
    QString StaticText;
    TNtExportType ExportType = etNone;
};

using TNSTGetTextEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, TNSTTextType TextType, QString& CellText)>;
using TNSTGetCellTextEvent = std::function<void(TBaseNodeTree* Sender, TNSTGetCellTextEventArgs& E)>;
using TNSTPaintTextEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, TColumnIndex Column, TNSTTextType TextType)>;
using TNSTNewTextEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, const QString& NewText)>;
using TNSTShortenStringEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, TColumnIndex Column, const QString& S, Integer TextSpace, QString& Result, bool& Done)>;
using TNSTMeasureTextEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, TColumnIndex Column, const QString& Text, Integer& Extent)>;
using TNSTGetHintEvent = std::function<void(TBaseNodeTree* Sender, PDataNode Node, TColumnIndex Column, TNtTooltipLineBreakStyle& LineBreakStyle, QString& HintText)>;
using TNSTDrawTextEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* TargetCanvas, PDataNode Node, TColumnIndex Column, const QString& Text, const TRect& CellRect, bool& DefaultDraw)>;

class TCustomNodeStringTree : public TBaseNodeTree {
    friend class TNodeTreeHintWindow;
    friend class TNodeTreeExport;

public:
    explicit TCustomNodeStringTree(TComponent* AOwner);
    ~TCustomNodeStringTree() override;
    QString ClassName() const override { return QStringLiteral("TCustomNodeStringTree"); }

    QString GetText(PDataNode Node, TColumnIndex Column);
    QString GetStaticText(PDataNode Node, TColumnIndex Column);
    QString GetTextInfo(PDataNode Node, TColumnIndex Column) override { return GetText(Node, Column); }
    void SetText(PDataNode Node, TColumnIndex Column, const QString& Value);
    QString Path(PDataNode Node, TColumnIndex Column, QChar Delimiter);
    bool SaveToCSVFile(const QString& FileNameWithPath, bool IncludeHeading);
    // Exports of the nodes Source names: an HTML table, an RTF document,
    // text with a separator (CSV with a comma), or only the export events.
    QString ContentToHTML(TNSTTextSourceType Source, const QString& Caption = QString());
    QByteArray ContentToRTF(TNSTTextSourceType Source);
    QString ContentToText(TNSTTextSourceType Source, const QString& Separator);
    QString ContentToText(TNSTTextSourceType Source, QChar Separator) { return ContentToText(Source, QString(Separator)); }
    QString ContentToUnicode(TNSTTextSourceType Source, QChar Separator) { return ContentToText(Source, QString(Separator)); }
    void ContentToCustom(TNSTTextSourceType Source);
    // The clipboard block of a format the string tree renders, named by its
    // description ("Plain text", "Unicode text", "CSV", "Rich Text Format",
    // "Rich Text Format Without Objects", "HTML Format"); empty for another.
    QByteArray ContentToClipboard(const QString& Format, TNSTTextSourceType Source);
    // The first node of a source and the walk to its next one.
    PDataNode StartNodeForSource(TNSTTextSourceType Source, std::function<PDataNode(PDataNode)>& Next);
    // Whether the HTML, RTF and custom exports take the node (ExportMode).
    bool IsNodeExported(PDataNode Node);
    // The text formats are rendered through the export.
    bool RenderOLEData(const QString& Format, QByteArray& Data, bool ForClipboard) override;
    Integer ComputeNodeHeight(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, QString S = QString());
    const QString& DefaultText() const { return FDefaultText; }
    void SetDefaultText(const QString& Value);
    TNtStringOptions StringOptions() const;
    void SetStringOptions(TNtStringOptions Value);
    TRect InvalidateNode(PDataNode Node) override;
    void ReinitNode(PDataNode Node, bool Recursive) override;
    void SetChildCount(PDataNode Node, Cardinal NewChildCount) override;
    void AddToSelection(PDataNode Node) override;
    using TBaseNodeTree::AddToSelection;
    void RemoveFromSelection(PDataNode Node) override;
    Integer GetNodeWidth(PDataNode Node, TColumnIndex Column, TCanvas* Canvas = nullptr) override;
    Integer GetNodeExtraWidth(PDataNode Node, TColumnIndex Column, TCanvas* Canvas = nullptr) override;
    // Forgets every node's measured text width (font or main column changed).
    void ClearCachedWidths();

protected:
    // The caption chunk: the main column's text.
    void WriteChunks(TStream* Stream, PDataNode Node) override;
    bool ReadChunk(TStream* Stream, Integer Version, PDataNode Node, Integer ChunkType, Integer ChunkSize) override;

public:

    TNSTGetTextEvent OnGetText;
    TNSTGetCellTextEvent OnGetCellText;
    TNSTPaintTextEvent OnPaintText;
    TNSTNewTextEvent OnNewText;
    TNSTShortenStringEvent OnShortenString;
    TNSTMeasureTextEvent OnMeasureTextWidth;
    TNSTMeasureTextEvent OnMeasureTextHeight;
    TNSTDrawTextEvent OnDrawText;
    TNSTGetHintEvent OnGetHint;

    QString DoGetNodeHint(PDataNode Node, TColumnIndex Column, TNtTooltipLineBreakStyle& LineBreakStyle) override;
    QString DoGetNodeTooltip(PDataNode Node, TColumnIndex Column, TNtTooltipLineBreakStyle& LineBreakStyle) override;

protected:
    PNtEditLink DoCreateEditor(PDataNode Node, TColumnIndex Column) override;
    TCustomNodeTreeOptions* GetOptionsClass() override;
    void FontChanged() override;
    void PaintNodeContent(TNtPaintInfo& PaintInfo) override;
    // With toAutoSpanColumns a left-to-right cell spans the empty
    // left-to-right cells that follow it.
    TColumnIndex DetermineNextColumn(TNtPaintInfo& PaintInfo) override;
    bool DoGetCellIsEmpty(PDataNode Node, TColumnIndex Column) override;
    Integer DoIncrementalSearch(PDataNode Node, const QString& Text) override;
    virtual void PaintNormalText(TNtPaintInfo& PaintInfo, Integer TextOutFlags, QString Text);
    virtual void PaintStaticText(const TNtPaintInfo& PaintInfo, Integer TextOutFlags, const QString& Text);
    virtual Integer GetStaticTextWidth(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const QString& Text);
    virtual Integer GetNormalTextWidth(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const QString& Text);
    virtual void DoGetText(TNSTGetCellTextEventArgs& E);
    virtual void DoNewText(PDataNode Node, TColumnIndex Column, const QString& Text);
    virtual void DoPaintText(PDataNode Node, TCanvas* Canvas, TColumnIndex Column, TNSTTextType TextType);
    virtual QString DoShortenString(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const QString& S, Integer Width, Integer EllipsisWidth = 0);
    virtual void DoDrawText(TNtPaintInfo& PaintInfo, const QString& Text, const TRect& CellRect, Cardinal DrawFormat);
    virtual TSize DoMeasureText(TCanvas* Canvas, PDataNode Node, TColumnIndex Column, const QString& Text);
    PDataNode AddChildFullRoad(PDataNode Parent, void* UserData) override;
    // What AddChild does after the node is made: the parent's width
    // forgotten, a previously selected text selected again.
    PDataNode ChildAdded(PDataNode Node);
    void RestoreSelectionOf(PDataNode Node);
    Integer* CachedWidthOf(PDataNode Node) const
    {
        if (Node == nullptr || Node == FRoot || FInternalDataOffset == 0)
            return nullptr;
        return reinterpret_cast<Integer*>(reinterpret_cast<Byte*>(Node) + FInternalDataOffset + std::max<Integer>(FNodeDataSize, 0));
    }
    void MeasureFont();

    Cardinal FInternalDataOffset = 0;
    QString FDefaultText = QStringLiteral("Node");
    Integer FTextHeight = 0;
    Integer FEllipsisWidth = 0;
    std::unique_ptr<TStringList> FPreviouslySelected;
    // The tree font as measured, for drawing plain lines directly.
    std::unique_ptr<QFont> FPlainFont;
    Integer FTextAscent = 0;
};

class TNodeStringTree : public TCustomNodeStringTree {
public:
    explicit TNodeStringTree(TComponent* AOwner) : TCustomNodeStringTree(AOwner) { ReplaceOptions(); }
    ~TNodeStringTree() override { StopCacheValidation(); }
    QString ClassName() const override { return QStringLiteral("TNodeStringTree"); }
    TStringTreeOptions* TreeOptions() const { return static_cast<TStringTreeOptions*>(FOptions.get()); }

protected:
    TCustomNodeTreeOptions* GetOptionsClass() override;
};

using TNtDrawNodeEvent = std::function<void(TBaseNodeTree* Sender, const TNtPaintInfo& PaintInfo)>;
using TNtGetNodeWidthEvent = std::function<void(TBaseNodeTree* Sender, TCanvas* HintCanvas, PDataNode Node, TColumnIndex Column, Integer& NodeWidth)>;

class TCustomNodeDrawTree : public TBaseNodeTree {
public:
    explicit TCustomNodeDrawTree(TComponent* AOwner) : TBaseNodeTree(AOwner) {}
    ~TCustomNodeDrawTree() override { StopCacheValidation(); }
    QString ClassName() const override { return QStringLiteral("TCustomNodeDrawTree"); }
    Integer GetNodeWidth(PDataNode Node, TColumnIndex Column, TCanvas* Canvas = nullptr) override;
    TNtDrawNodeEvent OnDrawNode;
    TNtGetNodeWidthEvent OnGetNodeWidth;

protected:
    void PaintNodeContent(TNtPaintInfo& PaintInfo) override;
};

class TNodeDrawTree : public TCustomNodeDrawTree {
public:
    explicit TNodeDrawTree(TComponent* AOwner) : TCustomNodeDrawTree(AOwner) { ReplaceOptions(); }
    ~TNodeDrawTree() override { StopCacheValidation(); }
    QString ClassName() const override { return QStringLiteral("TNodeDrawTree"); }

protected:
    TCustomNodeTreeOptions* GetOptionsClass() override;
};
