#pragma once
// The tree's header: the strip above the nodes with its columns. TNtHeader
// holds the strip's height, font, options, sort column and main column;
// TNodeTreeColumns the columns, their display order and the header's
// painting state; TNodeTreeColumn one column. The strip is drawn by a small
// window above the tree's client window (TNtHeaderWindow, private), whose
// mouse input reaches the header as the tree's non-client messages.

#include <memory>
#include <vector>

#include "platform/Lists.h"
#include "platform/Menus.h"
#include "treeview/NodeTrees.h"

class TFont;
class TBitmap;
class TCanvas;
class TChangeLink;
class TCustomImageList;
class TStream;
class TNtHeader;
class TNodeTreeColumns;

// ---------------------------------------------------------------- columns

using TNtColumnOptions = Word;
constexpr TNtColumnOptions coAllowClick = 1u << 0;
constexpr TNtColumnOptions coDraggable = 1u << 1;
constexpr TNtColumnOptions coEnabled = 1u << 2;
constexpr TNtColumnOptions coParentBidiMode = 1u << 3;
constexpr TNtColumnOptions coParentColor = 1u << 4;
constexpr TNtColumnOptions coResizable = 1u << 5;
constexpr TNtColumnOptions coShowDropMark = 1u << 6;
constexpr TNtColumnOptions coVisible = 1u << 7;
constexpr TNtColumnOptions coAutoSpring = 1u << 8;
constexpr TNtColumnOptions coFixed = 1u << 9;
constexpr TNtColumnOptions coSmartResize = 1u << 10;
constexpr TNtColumnOptions coAllowFocus = 1u << 11;
constexpr TNtColumnOptions coDisableAnimatedResize = 1u << 12;
constexpr TNtColumnOptions coWrapCaption = 1u << 13;
constexpr TNtColumnOptions coUseCaptionAlignment = 1u << 14;
constexpr TNtColumnOptions coEditable = 1u << 15;
constexpr TNtColumnOptions DefaultColumnOptions = 0x88FF;

enum TNodeTreeColumnStyle { vsText, vsOwnerDraw };
enum TNtHeaderColumnLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TSmartAutoFitType : int { smaAllColumns, smaNoColumn, smaUseColumnOption };

class TNodeTreeColumn : public TCollectionItem {
    friend class TNodeTreeColumns;
    friend class TNtHeader;

public:
    explicit TNodeTreeColumn(TCollection* Collection);
    ~TNodeTreeColumn() override;
    QString ClassName() const override { return QStringLiteral("TNodeTreeColumn"); }
    void Assign(const TPersistent* Source) override;
    bool Equals(const TNodeTreeColumn* Other) const;
    QString GetDisplayName() const override;

    TNodeTreeColumns* Owner() const;
    TNtHeader* Header() const;
    TBaseNodeTree* Tree() const;
    TColumnIndex ColumnIndex() const { return Index(); }

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    TAlignment CaptionAlignment() const { return GetCaptionAlignment(); }
    void SetCaptionAlignment(TAlignment Value);
    const QString& CaptionText() const { return FCaptionText; }
    bool CheckBox() const { return FCheckBox; }
    void SetCheckBox(bool Value);
    TCheckState CheckState() const { return FCheckState; }
    void SetCheckState(TCheckState Value);
    TCheckType CheckType() const { return FCheckType; }
    void SetCheckType(TCheckType Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TSortDirection DefaultSortDirection() const { return FDefaultSortDirection; }
    void SetDefaultSortDirection(TSortDirection Value) { FDefaultSortDirection = Value; }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TNtHeaderColumnLayout Layout() const { return FLayout; }
    void SetLayout(TNtHeaderColumnLayout Value);
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer Value);
    Integer MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(Integer Value);
    Integer MinWidth() const { return FMinWidth; }
    void SetMinWidth(Integer Value);
    TNtColumnOptions Options() const { return FOptions; }
    void SetOptions(TNtColumnOptions Value);
    TColumnPosition Position() const { return FPosition; }
    void SetPosition(TColumnPosition Value);
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer Value);
    TNodeTreeColumnStyle Style() const { return FStyle; }
    void SetStyle(TNodeTreeColumnStyle Value);
    Integer Tag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    virtual QString GetText() const { return FText; }
    virtual void SetText(const QString& Value);
    QString Text() const { return GetText(); }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value);
    Integer LastWidth() const { return FLastWidth; }
    // The left edge with the horizontal scroll offset (fixed columns: without).
    Integer Left() const { return GetLeft(); }
    Integer GetLeft() const;
    // The column's part of the header strip, without scroll offset.
    virtual TRect GetRect() const;
    void GetColumnSpan(Integer& Left, Integer& Right) const;
    TAlignment GetCaptionAlignment() const;
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    void ParentBiDiModeChanged();
    void ParentColorChanged();
    void RestoreLastWidth();
    bool HasImage() const { return FHasImage; }
    const TRect& ImageRect() const { return FImageRect; }
    float SpringRest() const { return FSpringRest; }
    bool BonusPixel() const { return FBonusPixel; }

    void LoadFromStream(TStream* Stream, Integer Version);
    void SaveToStream(TStream* Stream) const;

    // Lays out the caption, the header glyph and the sort glyph in Client.
    void ComputeCaptionLayout(TCanvas* Canvas, const TRect& Client, bool UseHeaderGlyph, bool UseSortGlyph, TPoint& HeaderGlyphPos,
                              TPoint& SortGlyphPos, TSize& SortGlyphSize, TRect& TextBounds, Cardinal DrawFormat);

private:
    void Notify() { Changed(false); }
    bool TreeLoading() const;

    QString FText;
    QString FHint;
    Integer FLeft = 0;
    Integer FWidth = 50;
    TColumnPosition FPosition = 0;
    Integer FMinWidth = 10;
    Integer FMaxWidth = 10000;
    TNodeTreeColumnStyle FStyle = vsText;
    Integer FImageIndex = -1;
    TBiDiMode FBiDiMode = bdLeftToRight;
    TNtHeaderColumnLayout FLayout = blGlyphLeft;
    Integer FMargin = 4;
    Integer FSpacing = 3;
    TNtColumnOptions FOptions = DefaultColumnOptions;
    Integer FTag = 0;
    TAlignment FAlignment = taLeftJustify;
    TAlignment FCaptionAlignment = taLeftJustify;
    Integer FLastWidth = 50;
    TColor FColor = clWindow;
    bool FBonusPixel = false;
    float FSpringRest = 0;
    QString FCaptionText;
    bool FCheckBox = false;
    TCheckType FCheckType = ctCheckBox;
    TCheckState FCheckState = csUncheckedNormal;
    TRect FImageRect;
    bool FHasImage = false;
    TSortDirection FDefaultSortDirection = sdAscending;
};

enum TNtDropMarkMode : int { dmmNone, dmmLeft, dmmRight };

using THeaderPaintElements = Byte;
constexpr THeaderPaintElements hpeBackground = 1u << 0;
constexpr THeaderPaintElements hpeDropMark = 1u << 1;
constexpr THeaderPaintElements hpeHeaderGlyph = 1u << 2;
constexpr THeaderPaintElements hpeSortGlyph = 1u << 3;
constexpr THeaderPaintElements hpeText = 1u << 4;

struct THeaderPaintInfo {
    TCanvas* TargetCanvas = nullptr;
    TNodeTreeColumn* Column = nullptr;
    TRect PaintRectangle;
    TRect TextRectangle;
    bool IsHoverIndex = false;
    bool IsDownIndex = false;
    bool IsEnabled = false;
    bool ShowHeaderGlyph = false;
    bool ShowSortGlyph = false;
    bool ShowRightBorder = false;
    TNtDropMarkMode DropMark = dmmNone;
    TPoint GlyphPos;
    TPoint SortGlyphPos;
};

class TNtHeaderPopupMenu;

class TNodeTreeColumns : public TCollection {
    friend class TNodeTreeColumn;
    friend class TNtHeader;
    friend class TBaseNodeTree;

public:
    explicit TNodeTreeColumns(TNtHeader* AOwner);
    ~TNodeTreeColumns() override;
    QString ClassName() const override { return QStringLiteral("TNodeTreeColumns"); }
    void Assign(const TPersistent* Source) override;
    bool Equals(const TNodeTreeColumns* Other) const;

    TNodeTreeColumn* Add() { return static_cast<TNodeTreeColumn*>(TCollection::Add()); }
    void Clear();
    TNodeTreeColumn* Items(TColumnIndex Index) const { return ItemsAs<TNodeTreeColumn>(Index); }
    TNodeTreeColumn* operator[](TColumnIndex Index) const { return Items(Index); }
    TNtHeader* Header() const { return FHeader; }
    TColumnIndex ClickIndex() const { return FClickIndex; }
    void SetClickIndex(TColumnIndex Value) { FClickIndex = Value; }
    TColumnIndex TrackIndex() const { return FTrackIndex; }
    TColumnIndex HoverIndex() const { return FHoverIndex; }
    TColumnIndex DownIndex() const { return FDownIndex; }
    TColumnIndex DropTarget() const { return FDropTarget; }
    bool DropBefore() const { return FDropBefore; }
    Integer DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(Integer Value) { FDefaultWidth = Value; }
    const std::vector<TColumnIndex>& PositionToIndex() const { return FPositionToIndex; }
    TNtHeaderPopupMenu* ColumnPopupMenu() const { return FColumnPopupMenu; }

    bool IsValidColumn(TColumnIndex Column) const { return Column >= 0 && Column < Count(); }
    TColumnIndex GetFirstColumn() const;
    TColumnIndex GetNextColumn(TColumnIndex Column) const;
    TColumnIndex GetPreviousColumn(TColumnIndex Column) const;
    TColumnIndex GetFirstVisibleColumn(bool ConsiderAllowFocus = false) const;
    TColumnIndex GetLastVisibleColumn(bool ConsiderAllowFocus = false) const;
    TColumnIndex GetNextVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus = false) const;
    TColumnIndex GetPreviousVisibleColumn(TColumnIndex Column, bool ConsiderAllowFocus = false) const;
    std::vector<TNodeTreeColumn*> GetVisibleColumns() const;
    Integer GetVisibleFixedWidth() const;
    Integer GetScrollWidth() const;
    Integer TotalWidth() const;
    TColumnIndex ColumnFromPosition(TColumnPosition PositionIndex) const;
    virtual TColumnIndex ColumnFromPosition(TPoint P, bool Relative = true) const;
    void GetColumnBounds(TColumnIndex Column, Integer& Left, Integer& Right) const;
    TColumnIndex GetColumnAtX(Integer X, Integer& Left, bool Relative, Integer& Right) const;

    void LoadFromStream(TStream* Stream, Integer Version);
    void SaveToStream(TStream* Stream) const;
    void AnimatedResize(TColumnIndex Column, Integer NewWidth);
    // Gives the auto-size column the width the other visible columns leave.
    void FitAutoSizeColumn(TColumnIndex CurrentIndex = NoColumn, bool Force = false);

    // Paints the strip part R (strip coordinates) onto Target; HOffset is
    // the negative horizontal scroll offset.
    virtual void PaintHeader(TCanvas* Target, const TRect& R, Integer HOffset);
    // Paints the columns over the span R (column coordinates) onto
    // TargetCanvas with R's top-left at Target.
    virtual void PaintHeader(TCanvas* TargetCanvas, TRect R, TPoint Target, Integer RTLOffset = 0);
    void DrawCaption(TCanvas* Canvas, QString Caption, TRect Bounds, bool WrapCaption, Cardinal DrawFormat, bool Hot, bool Enabled);

    // Mouse helpers of the header (P is a tree client point).
    bool UpdateHoverIndex(TPoint P);
    TColumnIndex UpdateDownIndex(TPoint P);
    bool CanResizeColumnAt(TPoint P, TColumnIndex Column);
    virtual void DoCanSplitterResizeColumn(TPoint P, TColumnIndex Column, bool& Allowed);
    virtual void HandleColumnClick(TPoint P, TMouseButton Button, bool DblClick, bool Force);
    void RecomputeLayout(bool Force);
    void RebuildPositionIndex();
    void ResetPositionOrder(bool Reverse);

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    void SyncPositionArray();
    void MovePosition(TNodeTreeColumn* Column, TColumnPosition To);
    void RemapPositions(TColumnIndex Removed);
    void AdjustRemovedIndex(TColumnIndex Removed, TColumnIndex& Index) const;
    void PaintColumn(THeaderPaintInfo& PaintInfo, TColumnIndex I, const TRect& CR, bool AdvancedOwnerDraw, bool OwnerDraw);
    void InvalidateColumnCell(TColumnIndex Column) const;

    TNtHeader* FHeader;
    std::unique_ptr<TBitmap> FHeaderBitmap;
    TColumnIndex FHoverIndex = NoColumn;
    TColumnIndex FDownIndex = NoColumn;
    TColumnIndex FTrackIndex = NoColumn;
    TColumnIndex FClickIndex = NoColumn;
    bool FCheckBoxHit = false;
    std::vector<TColumnIndex> FPositionToIndex;
    Integer FDefaultWidth = 50;
    bool FNeedPositionsFix = false;
    bool FClearing = false;
    TNtHeaderPopupMenu* FColumnPopupMenu = nullptr;
    TColumnIndex FDragIndex = 0;
    TColumnIndex FDropTarget = NoColumn;
    bool FDropBefore = false;
};

// ---------------------------------------------------------------- header

using THeaderStates = Word;
constexpr THeaderStates hsAutoSizing = 1u << 0;
constexpr THeaderStates hsDragging = 1u << 1;
constexpr THeaderStates hsDragPending = 1u << 2;
constexpr THeaderStates hsLoading = 1u << 3;
constexpr THeaderStates hsColumnWidthTracking = 1u << 4;
constexpr THeaderStates hsColumnWidthTrackPending = 1u << 5;
constexpr THeaderStates hsHeightTracking = 1u << 6;
constexpr THeaderStates hsHeightTrackPending = 1u << 7;
constexpr THeaderStates hsResizing = 1u << 8;
constexpr THeaderStates hsScaling = 1u << 9;
constexpr THeaderStates hsNeedScaling = 1u << 10;
// The states of a mouse gesture that holds the capture.
constexpr THeaderStates hsTrackingStates = hsDragging | hsDragPending | hsColumnWidthTracking | hsColumnWidthTrackPending |
                                           hsHeightTracking | hsHeightTrackPending;

enum TNtHeaderStyle { hsThickButtons, hsFlatButtons, hsPlates };

using TNtConstraintPercent = Byte;

class TNtFixedAreaConstraints : public TPersistent {
public:
    explicit TNtFixedAreaConstraints(TNtHeader* AOwner) : FHeader(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TNtFixedAreaConstraints"); }
    void Assign(const TPersistent* Source) override;
    TNtConstraintPercent MaxHeightPercent() const { return FMaxHeightPercent; }
    TNtConstraintPercent MaxWidthPercent() const { return FMaxWidthPercent; }
    TNtConstraintPercent MinHeightPercent() const { return FMinHeightPercent; }
    TNtConstraintPercent MinWidthPercent() const { return FMinWidthPercent; }
    // Index 0 MaxHeightPercent, 1 MaxWidthPercent, 2 MinHeightPercent, 3 MinWidthPercent.
    void SetConstraint(Integer Index, TNtConstraintPercent Value);
    void SetMaxHeightPercent(TNtConstraintPercent v) { SetConstraint(0, v); }
    void SetMaxWidthPercent(TNtConstraintPercent v) { SetConstraint(1, v); }
    void SetMinHeightPercent(TNtConstraintPercent v) { SetConstraint(2, v); }
    void SetMinWidthPercent(TNtConstraintPercent v) { SetConstraint(3, v); }
    TNotifyEvent OnChange;

private:
    friend class TNtHeader;
    TNtHeader* FHeader;
    TNtConstraintPercent FMaxHeightPercent = 0;
    TNtConstraintPercent FMaxWidthPercent = 0;
    TNtConstraintPercent FMinHeightPercent = 0;
    TNtConstraintPercent FMinWidthPercent = 0;
};

enum TNtHeaderHitPosition { hhiNoWhere = 1, hhiOnColumn = 2, hhiOnIcon = 4, hhiOnCheckbox = 8 };
using TNtHeaderHitPositions = Byte;

struct TNtHeaderHitInfo {
    Integer X = 0;
    Integer Y = 0;
    TMouseButton Button = mbLeft;
    TShiftState Shift;
    TColumnIndex Column = NoColumn;
    TNtHeaderHitPositions HitPosition = 0;
};

class TNtHeaderWindow;

class TNtHeader : public TPersistent {
    friend class TNodeTreeColumns;
    friend class TNodeTreeColumn;
    friend class TBaseNodeTree;
    friend class TNtHeaderWindow;

public:
    explicit TNtHeader(TBaseNodeTree* AOwner);
    ~TNtHeader() override;
    QString ClassName() const override { return QStringLiteral("TNtHeader"); }
    void Assign(const TPersistent* Source) override;

    TBaseNodeTree* Treeview() const { return FOwner; }
    TNodeTreeColumns* Columns() const { return FColumns.get(); }
    void SetColumns(const TNodeTreeColumns* Value);
    TColumnIndex AutoSizeIndex() const { return FAutoSizeIndex; }
    void SetAutoSizeIndex(TColumnIndex Value);
    TColor Background() const { return FBackgroundColor; }
    void SetBackground(TColor Value);
    Integer DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(Integer Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    TNtFixedAreaConstraints* FixedAreaConstraints() const { return FFixedAreaConstraints.get(); }
    void SetFixedAreaConstraints(const TNtFixedAreaConstraints* Value);
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    // ColumnNone while there are no columns, whatever is stored.
    TColumnIndex MainColumn() const { return FColumns->Count() > 0 ? FMainColumn : NoColumn; }
    void SetMainColumn(TColumnIndex Value);
    Integer MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(Integer Value);
    Integer MinHeight() const { return FMinHeight; }
    void SetMinHeight(Integer Value);
    TNtHeaderOptions Options() const { return FOptions; }
    void SetOptions(TNtHeaderOptions Value);
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value) { FPopupMenu = Value; }
    TColumnIndex SortColumn() const { return FSortColumn; }
    void SetSortColumn(TColumnIndex Value);
    TSortDirection SortDirection() const { return FSortDirection; }
    void SetSortDirection(TSortDirection Value);
    Integer SplitterHitTolerance() const { return fSplitterHitTolerance; }
    void SetSplitterHitTolerance(Integer Value) { fSplitterHitTolerance = Value; }
    TNtHeaderStyle Style() const { return FStyle; }
    void SetStyle(TNtHeaderStyle Value);
    THeaderStates States() const { return FStates; }
    TNtDragImage* DragImage() const { return FDragImage.get(); }
    bool UseColumns() const { return FColumns->Count() > 0; }
    bool AllowFocus(TColumnIndex ColumnIndex) const;
    // The strip's window, while the header is shown on a tree window.
    TNtHeaderWindow* HeaderWindow() const { return FWindow; }
    // The strip's window as a control (for input and grabbing).
    TControl* WindowControl() const;

    void AutoFitColumns(bool Animated = true, TSmartAutoFitType SmartAutoFitType = smaUseColumnOption, Integer RangeStartCol = NoColumn,
                        Integer RangeEndCol = NoColumn);
    Integer ResizeColumns(Integer ChangeBy, TColumnIndex RangeStartCol, TColumnIndex RangeEndCol, TNtColumnOptions Options = coVisible);
    void RestoreColumns();
    void ApplySpringResize();
    bool InHeader(TPoint P) const;
    bool InHeaderSplitterArea(TPoint P) const;
    // Repaints the strip (Column nil) or one column's cell.
    void Invalidate(const TNodeTreeColumn* Column = nullptr, bool ExpandToBorder = false);
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;
    void ApplyFixedAreaConstraints();
    void UpdateHeaderFrame();
    virtual bool HandleHeaderMessage(TMessage& Message);
    virtual bool ShouldStoreColumns() const { return true; }
    virtual void ApplyScale(Integer M, Integer D);
    // The tree's part of loading.
    void ValidateMainColumn();

protected:
    virtual bool FindSplitterColumn(TPoint P);
    virtual void DoAfterAutoFitColumn(TColumnIndex Column);
    virtual void DoAfterColumnWidthTracking(TColumnIndex Column);
    virtual void DoAfterHeaderHeightTracking();
    virtual bool DoBeforeAutoFitColumn(TColumnIndex Column, TSmartAutoFitType& SmartAutoFitType);
    virtual void DoBeforeColumnWidthTracking(TColumnIndex Column, TShiftState Shift);
    virtual void DoBeforeHeaderHeightTracking(TShiftState Shift);
    virtual bool DoCanSplitterResizeHeader(TPoint P);
    virtual bool DoColumnWidthDblClickResize(TColumnIndex Column, TPoint P, TShiftState Shift);
    virtual bool DoColumnWidthTracking(TColumnIndex Column, TShiftState Shift, TPoint& TrackPoint, TPoint P);
    virtual TPopupMenu* DoGetPopupMenu(TColumnIndex Column, TPoint Position);
    virtual bool DoHeaderHeightTracking(TPoint& P, TShiftState Shift);
    virtual bool DoHeaderHeightDblClickResize(TPoint& P, TShiftState Shift);
    virtual void InternalSetSortColumn(TColumnIndex Index);

private:
    void HeaderFontChanged();
    void ConstraintsChanged();
    void AutoSort();
    bool TreeLoading() const;
    bool CanResizeHeight(TPoint P);
    bool IsColumnSplitterHit(TPoint P);
    bool TrackHeaderMouseMove(TMessage& Message);
    void StartColumnDrag(TPoint P, TPoint Start);
    void DragColumnTo(TPoint P);
    void EndColumnDrag();
    bool HandleLeftPress(TMessage& Message, bool NonClient);
    bool HandleLeftRelease(TMessage& Message, bool NonClient);
    bool HandleDblClick(TMessage& Message);
    TPoint HeaderPoint(TPoint ClientP) const { return {ClientP.X, ClientP.Y + FHeight}; }
    // Keeps the strip's window in step with hoVisible and the tree window.
    void SyncWindow();

    TBaseNodeTree* FOwner;
    std::unique_ptr<TNodeTreeColumns> FColumns;
    Integer FHeight = 19;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = false;
    TNtHeaderOptions FOptions = hoColumnResize | hoDrag | hoShowSortGlyphs;
    TNtHeaderStyle FStyle = hsThickButtons;
    TColor FBackgroundColor = clBtnFace;
    TColumnIndex FAutoSizeIndex = 0;
    TPopupMenu* FPopupMenu = nullptr;
    TColumnIndex FMainColumn = NoColumn;
    Integer FMaxHeight = 10000;
    Integer FMinHeight = 10;
    Integer FDefaultHeight = 19;
    std::unique_ptr<TNtFixedAreaConstraints> FFixedAreaConstraints;
    TCustomImageList* FImages = nullptr;
    std::unique_ptr<TChangeLink> FImageChangeLink;
    Integer fSplitterHitTolerance = 8;
    TColumnIndex FSortColumn = NoColumn;
    TSortDirection FSortDirection = sdAscending;
    Integer FLastWidth = 0;
    THeaderStates FStates = 0;
    TPoint FDragStart;
    TPoint FTrackStart;
    TPoint FTrackPoint;
    // The picture of the dragged column that follows the mouse.
    std::unique_ptr<TNtDragImage> FDragImage;
    TNtHeaderWindow* FWindow = nullptr;
};

// ---------------------------------------------------------------- column popup

using TNtHeaderPopupOptions = Byte;
constexpr TNtHeaderPopupOptions poOriginalOrder = 1u << 0;
constexpr TNtHeaderPopupOptions poAllowHideAll = 1u << 1;
constexpr TNtHeaderPopupOptions poResizeToFitItem = 1u << 2;

enum TAddPopupItemType { apNormal, apDisabled, apHidden };
using TAddHeaderPopupItemEvent = std::function<void(TBaseNodeTree* Sender, TColumnIndex Column, TAddPopupItemType& Cmd)>;
using TColumnChangeEvent = std::function<void(TBaseNodeTree* Sender, TColumnIndex Column, bool Visible)>;

// Lists the columns with a check mark for each visible one; choosing an
// item shows or hides its column.
class TNtHeaderPopupMenu : public TPopupMenu {
public:
    explicit TNtHeaderPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TNtHeaderPopupMenu"); }
    TNtHeaderPopupOptions Options() const { return FOptions; }
    void SetOptions(TNtHeaderPopupOptions Value) { FOptions = Value; }
    void Popup(Integer X, Integer Y) override;
    TAddHeaderPopupItemEvent OnAddHeaderPopupItem;
    TColumnChangeEvent OnColumnChange;

protected:
    virtual void DoAddHeaderPopupItem(TColumnIndex Column, TAddPopupItemType& Cmd);
    virtual void DoColumnChange(TColumnIndex Column, bool Visible);

private:
    void HandleMenuItemClick(TMenuItem* Item);
    TNtHeaderPopupOptions FOptions = 0;
};
