#pragma once
// The small types the grids and their dropdowns are built from: the
// enumerations of the grid's properties, integer and sort-index lists, the
// list of controls placed in cells, a picture taken from a file, a
// line-by-line string list, the focus window and the alpha mask of the
// focus glow; and the grid's settings objects (search footer, navigation,
// mouse actions, synchronised grid, bands, focus helper) with their defaults
// and change notices.

#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "platform/Bitmap.h"
#include "platform/Buttons.h"
#include "platform/Control.h"
#include "platform/DrawGrid.h"
#include "platform/ExtCtrls.h"
#include "platform/Lists.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "grid/ExButtonStyle.h"

class TCanvas;
class TFont;
class TPicture;
class TPopupMenu;

// ================================================================ enumerations

enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };
enum TSearchDirection { sdTopBottom, sdLeftRight };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum TClipboardPasteAction { paReplace, paInsert };
enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TCursorAdvance { caDefault, caSnake, caLoop };
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction { waMoveSelection, waScroll };

// How a column sorts.
enum TSortStyle {
    ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU, ssShortDateUS,
    ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML, ssImages, ssCheckBox,
    ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase,
};

// The in-place editor of a cell.
enum TEditorType {
    edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit, edDateEditUpDown,
    edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric, edFloat, edCapital, edMixedCase,
    edPassword, edUnitEditBtn, edLowerCase, edUpperCase, edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,
    edNumericEditBtn, edFloatEditBtn, edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars,
    edTrackbarDropDown, edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
    edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edExGridDropDown, edPositiveFloat,
    edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn,
};

using TImageChangeEvent = std::function<void(TObject* Sender, Integer Acol, Integer Arow)>;
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;

// ===================================================================== lists

// The platform's string grid as the base of the grid library's grids.
class TObjStringGrid : public TStringGrid {
public:
    explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TObjStringGrid"); }
};

// A list of integers that belongs to one cell and reports its changes.
class TIntList : public TList {
public:
    TIntList(Integer Col, Integer Row) : FCol(Col), FRow(Row) {}
    QString ClassName() const override { return QStringLiteral("TIntList"); }

    Integer Items(Integer Index) const { return GetInteger(Index); }
    Integer GetInteger(Integer Index) const;
    // Stores the value and fires OnChange.
    void SetInteger(Integer Index, Integer Value);
    // Append and delete fire OnChange; insert and clear do not.
    Integer Add(Integer Value);
    void Delete(Integer Index);
    void Insert(Integer Index, Integer Value);
    // Deletes the first entry equal to Value (firing OnChange); nothing when absent.
    void DeleteValue(Integer Value);
    bool HasValue(Integer Value) const;
    // The entries as decimal numbers joined by ",".
    QString StrValue() const;
    // Clears the list and adds each comma-separated integer; raises
    // EConvertError at a part that is no integer.
    void SetStrValue(const QString& Value);

    Integer Col() const { return FCol; }
    Integer Row() const { return FRow; }
    TImageChangeEvent OnChange;

private:
    void Changed();
    Integer FCol;
    Integer FRow;
};

// Sort columns: the column index in bits 0 to 30, bit 31 set for descending.
class TSortIndexList : public TIntList {
public:
    TSortIndexList() : TIntList(0, 0) {}
    QString ClassName() const override { return QStringLiteral("TSortIndexList"); }

    void AddIndex(Integer ColumnIndex, bool Ascending);
    // Position of the first entry for the column, -1 when none.
    Integer FindIndex(Integer ColumnIndex) const;
    Integer SortColumns(Integer Index) const;
    void SetSortColumns(Integer Index, Integer Value);
    // True for ascending.
    bool SortDirections(Integer Index) const;
    void SetSortDirections(Integer Index, bool Value);
    void ToggleIndex(Integer ColumnIndex);
    // "u3;d5": direction and column of each entry.
    QString SaveToString() const;
    void LoadFromString(const QString& Value);
};

// A control placed in cell (X, Y); the control is not owned.
class TControlItem : public TObject {
public:
    TControlItem(Integer X, Integer Y, TControl* AObject) : FX(X), FY(Y), FObject(AObject) {}
    QString ClassName() const override { return QStringLiteral("TControlItem"); }
    Integer X() const { return FX; }
    Integer Y() const { return FY; }
    void SetX(Integer Value) { FX = Value; }
    void SetY(Integer Value) { FY = Value; }
    TControl* Object() const { return FObject; }

private:
    Integer FX;
    Integer FY;
    TControl* FObject;
};

// The controls placed in cells; owns its items, not the controls.
class TControlList : public TObjectList {
public:
    TControlList() : TObjectList(true) {}
    ~TControlList() override;
    QString ClassName() const override { return QStringLiteral("TControlList"); }

    void AddControl(Integer X, Integer Y, TControl* AObject);
    // Index of the first item of cell (X, Y), -1 when none.
    Integer ControlIndex(Integer X, Integer Y) const;
    TControlItem* Control(Integer Index) const { return static_cast<TControlItem*>(Items(Index)); }
    void RemoveControl(Integer Index);
    // True when an item's control is a windowed control with that window.
    bool HasHandle(HWND Handle) const;
};

// A picture file drawn stretched into cells; the picture is loaded only
// while it is measured or drawn.
class TFilePicture : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TFilePicture"); }
    void Assign(const TPersistent* Source) override;

    const QString& Filename() const { return FFilename; }
    // Stores the name and takes the picture's width and height (0 when the
    // file cannot be read).
    void SetFilename(const QString& Value);
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    // Loads the file and draws it stretched into Rect; nothing without a name
    // or when the file cannot be read.
    void DrawPicture(TCanvas* Canvas, const TRect& Rect) const;

private:
    QString FFilename;
    Integer FWidth = 0;
    Integer FHeight = 0;
};

// A string list read and written line by line.
class TFileStringList : public TStringList {
public:
    QString ClassName() const override { return QStringLiteral("TFileStringList"); }
    // Back to the first line; the pending text is dropped.
    void Reset();
    bool Eof() const { return fp >= Count(); }
    void ReadLn(QString& S);
    // Adds to the line being written.
    void Write(const QString& S);
    // Completes the line being written with S.
    void WriteLn(const QString& S);

private:
    Integer fp = 0;
    QString cache;
};

// The small arrow that shows where a dragged column will land.
class TArrowWindow : public TPanel {
public:
    // A hidden green arrow window on AOwner (a windowed control).
    TArrowWindow(TWinControl* AOwner, TArrowDirection Direction);
    QString ClassName() const override { return QStringLiteral("TArrowWindow"); }

    TArrowDirection Dir() const { return FDir; }
    // The arrow's outline in window coordinates. arrLeft is the arrow that
    // points to the right and arrRight the one that points to the left.
    const std::array<TPoint, 7>& Arrow() const { return FArrow; }
    static std::array<TPoint, 7> ArrowPoints(TArrowDirection Direction);

protected:
    void CreateParams(TCreateParams& Params) override;
    // The arrow in the window's colour; this platform has no window regions,
    // so the rest of the window shows the owner's colour.
    void Paint() override;

private:
    TArrowDirection FDir;
    std::array<TPoint, 7> FArrow;
};

// ============================================================ focus glow pieces

// The hidden tool window behind the grid's glowing focus frame.
class TGridFocusWindow : public TCustomControl {
public:
    explicit TGridFocusWindow(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TGridFocusWindow"); }

protected:
    void CreateParams(TCreateParams& Params) override;
};

// A 32-bit bitmap with premultiplied alpha and an overall opacity.
class TGridAlphaMask : public TBitmap {
public:
    TGridAlphaMask();
    QString ClassName() const override { return QStringLiteral("TGridAlphaMask"); }
    // From another alpha mask: its opacity and pixels; from any other graphic
    // as a bitmap copies it. The result is 32-bit either way.
    void Assign(const TPersistent* Source) override;
    // Takes Bitmap's size; each pixel gets alpha from Mask's red byte and
    // Bitmap's colour premultiplied by it. Nothing unless Bitmap is 24-bit.
    void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);

    Byte Opacity() const { return FOpacity; }
    void SetOpacity(Byte Value) { FOpacity = Value; }

private:
    Byte FOpacity = 255;
};

// Makes the window layered and shows the mask's premultiplied pixels in
// it at the mask's opacity; nothing for an empty mask.
void ApplyAlphaMask(TWinControl* Window, TGridAlphaMask* Mask);

// A 24-bit black bitmap with a white rounded rectangle (filled with PenWidth
// below 1, else outlined), blurred by BlurRadius when above 0.
void CreateRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer BlurRadius, Integer CornerSize,
                         Integer PenWidth);
// Gaussian blur of a 24-bit bitmap; raises for any other.
void BlurBitmap(TBitmap* Bitmap, Integer Radius);
// Themed common controls are in use.
bool IsThemedComCtl6();

// ============================================================ search-bar controls

// The control message that asks the grid's buttons to take the look of the
// current theme again (the platform's WM_THEMECHANGED does the same).
constexpr Cardinal CM_THEMEADAPT = 45109;

// Where the glyph stands beside the caption.
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Which side the check box's box is on: left for taLeftJustify, right for
// taRightJustify.
using TLeftRight = TAlignment;

// Fills R top to bottom in Steps bands from colour A to colour B, then frames
// R in Frame unless that is clNone.
void DrawGridButtonGradient(TCanvas* Canvas, TColor A, TColor B, Integer Steps, const TRect& R, TColor Frame);

// The speed button of the grid's search bar: flat faces in colour gradients
// (or a themed or classic push button), optional rounded corners, a drop-down
// part, glyphs per state with a grey shadow while hot, grouping, check style
// and colour looks.
class TExGridButton : public TGraphicControl {
public:
    explicit TExGridButton(TComponent* AOwner);
    ~TExGridButton() override;
    QString ClassName() const override { return QStringLiteral("TExGridButton"); }

    void Click() override;
    // Colours of look 0 .. 6; any other number changes nothing.
    void SetLook(Integer Value);

    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value);
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value);
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value);
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value);
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value);
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value);
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value);
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value);
    TExGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TExGridButtonStyle Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // The bitmaps are copied; their bottom-left pixel's colour is transparent.
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Also derives the disabled glyph while GlyphDisabled is empty.
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(const TBitmap* Value);
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(const TBitmap* Value);
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(const TBitmap* Value);
    // The grey silhouette drawn under the glyph while hot.
    TBitmap* GlyphShade() const { return FGlyphShade.get(); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    // -1 centres glyph and caption.
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer Value);
    // -1 spreads glyph and caption.
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer Value);
    bool Shaded() const { return FShaded; }
    // Derives the shadow glyph (outside loading).
    void SetShaded(bool Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value);
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value);
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value);

    TButtonState State() const { return FState; }
    // True while the mouse is over the button (it draws hot).
    bool MouseInControl() const { return FMouseInControl; }

    TNotifyEvent OnDropDown;

protected:
    void Paint() override;
    void Loaded() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    bool Designing() const { return HasState(csDesigning); }
    bool Hot() const;
    void SetColorField(TColor& Field, TColor Value);
    void SetFlag(bool& Field, bool Value);
    // Tells the other buttons of the group about this one.
    void UpdateExclusive();
    // Hot exactly when the button is under the point (client coordinates).
    void UpdateTracking(TPoint Pos);
    void UpdateTracking();
    void ThemeAdapt();
    void BuildShade();
    void PaintFace(TRect& R);
    void DrawGlyphAndCaption(TRect R, TPoint Offset, TButtonState State);

    TColor FColorTo = clNone;
    TColor FColorHot = RGB(199, 199, 202);
    TColor FColorHotTo = clNone;
    TColor FColorDown = RGB(210, 211, 216);
    TColor FColorDownTo = clNone;
    TColor FColorChecked = RGB(128, 128, 128);
    TColor FColorCheckedTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    bool FFlat = true;
    bool FRounded = false;
    TExGridButtonStyle FStyle = tasButton;
    bool FDown = false;
    Integer FGroupIndex = 0;
    bool FAllowAllUp = false;
    std::unique_ptr<TBitmap> FGlyph, FGlyphHot, FGlyphDown, FGlyphDisabled, FGlyphShade;
    TButtonLayout FLayout = TButtonLayout::blGlyphLeft;
    Integer FMargin = -1;
    Integer FSpacing = 4;
    bool FShaded = true;
    bool FShowCaption = true;
    bool FDropDownButton = false;
    TPopupMenu* FDropDownMenu = nullptr;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    TButtonState FState = bsUp;
    bool FMouseInControl = false;
    bool FDragging = false;
    bool FIsComCtl6 = false;
    Integer FLook = 0;
};

// The check box of the grid's search bar: a box drawn by the theme (or as a
// classic frame control) beside its caption, toggled by mouse, Space and its
// accelerator.
class TExCheckBox : public TCustomControl {
public:
    explicit TExCheckBox(TComponent* AOwner);
    QString ClassName() const override { return QStringLiteral("TExCheckBox"); }

    // Checked becomes not Checked (a grayed box becomes checked); nothing
    // when ReadOnly.
    void Toggle();
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState Value);
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    TTextLayout ButtonVertAlign() const { return FButtonVertAlign; }
    void SetButtonVertAlign(TTextLayout Value);
    bool Ellipsis() const { return FEllipsis; }
    void SetEllipsis(bool Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    // Enter moves the focus on as Tab does.
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
    // The parent's background shows around the box and caption.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    // The look of the moment: pressed, hot, focused.
    bool IsDown() const { return FDown; }
    bool IsHot() const { return FHot; }
    // Where the box is drawn in client coordinates.
    TRect BoxRect() const;
    // Where the caption is drawn in client coordinates.
    TRect CaptionRect() const;

protected:
    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    bool Inside(Integer X, Integer Y) const;

    TCheckBoxState FState = cbUnchecked;
    TLeftRight FAlignment = taLeftJustify;
    TTextLayout FButtonVertAlign = tlTop;
    bool FEllipsis = false;
    bool FReadOnly = false;
    bool FReturnIsTab = false;
    bool FTransparent = false;
    bool FDown = false;
    bool FFocused = false;
    bool FHot = false;
    bool FMouseDown = false;
    bool FIsWinXP = false;
};

// ============================================================ settings objects

// The search bar below the grid.
class TSearchFooter : public TPersistent {
public:
    // At design time the captions and hints start with their English texts.
    TSearchFooter(TComponent* AOwner, bool DesignTime);
    ~TSearchFooter() override;
    QString ClassName() const override { return QStringLiteral("TSearchFooter"); }
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    const QString& FindNextCaption() const { return FFindNextCaption; }
    void SetFindNextCaption(const QString& Value);
    const QString& FindPrevCaption() const { return FFindPrevCaption; }
    void SetFindPrevCaption(const QString& Value);
    const QString& MatchCaseCaption() const { return FMatchCaseCaption; }
    void SetMatchCaseCaption(const QString& Value);
    const QString& HighLightCaption() const { return FHighLightCaption; }
    void SetHighLightCaption(const QString& Value);
    const QString& HintFindNext() const { return FHintFindNext; }
    void SetHintFindNext(const QString& Value);
    const QString& HintFindPrev() const { return FHintFindPrev; }
    void SetHintFindPrev(const QString& Value);
    const QString& HintHighlight() const { return FHintHighlight; }
    void SetHintHighlight(const QString& Value);
    const QString& HintClose() const { return FHintClose; }
    void SetHintClose(const QString& Value);
    bool ShowFindNext() const { return FShowFindNext; }
    void SetShowFindNext(bool Value);
    bool ShowFindPrev() const { return FShowFindPrev; }
    void SetShowFindPrev(bool Value);
    bool ShowMatchCase() const { return FShowMatchCase; }
    void SetShowMatchCase(bool Value);
    bool ShowHighLight() const { return FShowHighLight; }
    void SetShowHighLight(bool Value);
    bool ShowClose() const { return FShowClose; }
    void SetShowClose(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool AutoSearch() const { return FAutoSearch; }
    void SetAutoSearch(bool Value) { FAutoSearch = Value; }
    bool AlwaysHighLight() const { return FAlwaysHighLight; }
    void SetAlwaysHighLight(bool Value) { FAlwaysHighLight = Value; }
    bool SearchActiveColumnOnly() const { return FSearchActiveColumnOnly; }
    void SetSearchActiveColumnOnly(bool Value) { FSearchActiveColumnOnly = Value; }
    bool SearchMatchStart() const { return FSearchMatchStart; }
    void SetSearchMatchStart(bool Value) { FSearchMatchStart = Value; }
    bool SearchFixedCells() const { return FSearchFixedCells; }
    void SetSearchFixedCells(bool Value) { FSearchFixedCells = Value; }
    bool SearchHiddenRows() const { return FSearchHiddenRows; }
    void SetSearchHiddenRows(bool Value) { FSearchHiddenRows = Value; }
    Integer SearchColumn() const { return FSearchColumn; }
    void SetSearchColumn(Integer Value) { FSearchColumn = Value; }
    TSearchDirection SearchDirection() const { return FSearchDirection; }
    void SetSearchDirection(TSearchDirection Value) { FSearchDirection = Value; }
    // The text last searched for.
    const QString& LastSearch() const { return FLastSearch; }
    void SetLastSearch(const QString& Value) { FLastSearch = Value; }

    TNotifyEvent OnChange;

private:
    void Changed();
    void SetText(QString& Field, const QString& Value);
    void SetShown(bool& Field, bool Value);

    TColor FColor = clWhite;
    TColor FColorTo = clBtnFace;
    std::unique_ptr<TFont> FFont;
    QString FFindNextCaption, FFindPrevCaption, FMatchCaseCaption, FHighLightCaption;
    QString FHintFindNext, FHintFindPrev, FHintHighlight, FHintClose;
    bool FShowFindNext = true, FShowFindPrev = true, FShowMatchCase = true, FShowHighLight = true;
    bool FShowClose = true;
    bool FAutoSearch = true;
    bool FAlwaysHighLight = false, FSearchActiveColumnOnly = false, FSearchMatchStart = false;
    bool FSearchFixedCells = false, FSearchHiddenRows = false, FVisible = false;
    bool FAutoThemeAdapt = false;
    Integer FSearchColumn = -1;
    TSearchDirection FSearchDirection = sdTopBottom;
    QString FLastSearch;
};

// Boolean settings that only store their value: name and value at creation.
#define EXOBJ_NAVIGATION_FLAGS(X)                                                                       \
    X(AdvanceOnEnterLoop, true) X(AdvanceAutoEdit, true) X(AdvanceSkipReadOnlyCells, true)              \
    X(AllowCtrlEnter, true) X(AllowClipboardRowGrow, true) X(AllowClipboardColGrow, true)                \
    X(EditSelectAll, true) X(ComboGetUpDown, true) X(CursorWalkAlwaysEdit, true)                        \
    X(LeftRightRowSelect, true) X(CopyHTMLTagsToClipboard, true) X(SkipFixedCells, true)                \
    X(SkipDisabledRows, true) X(AllowInsertRow, false) X(AllowDeleteRow, false) X(AlwaysEdit, false)    \
    X(AdvanceOnEnter, false) X(AutoGotoWhenSorted, false) X(AutoGotoIncremental, false)                 \
    X(AutoComboDropSize, false) X(AllowClipboardShortCuts, false) X(AllowSmartClipboard, false)          \
    X(AllowRTFClipboard, false) X(AllowFmtClipboard, false) X(AllowClipboardAlways, false)               \
    X(AppendOnArrowDown, false) X(CursorWalkEditor, false) X(CursorMoveRows, false)                     \
    X(MoveRowOnSort, false) X(KeepScrollOnSort, false) X(MoveScrollOnly, false) X(ImproveMaskSel, false) \
    X(KeepHorizScroll, false) X(LineFeedOnEnter, false) X(TabToNextAtEnd, false)

#define EXOBJ_MOUSE_FLAGS(X)                                                                            \
    X(AutoSizeColOnDblClick, true) X(PreciseNodeClick, true) X(AllColumnSize, false)                    \
    X(AllRowSize, false) X(AllSelect, false) X(CaretPositioning, false) X(CheckAllCheck, false)          \
    X(ColSelect, false) X(DirectComboClose, false) X(DirectComboDrop, false) X(DirectDateClose, false)   \
    X(DirectDateDrop, false) X(DirectEdit, false) X(DisjunctRowSelectNoCtrl, false)                     \
    X(MoveRowOnNodeClick, false) X(NoAutoRangeScroll, false) X(NodeAllExpandContract, false)            \
    X(NoScrollOnPartialRow, false) X(PreciseCheckBoxCheck, false) X(RangeSelectAndEdit, false)          \
    X(RowSelect, false) X(RowSelectPersistent, false) X(SelectOnRightClick, false) X(SizeFixedCol, false) \
    X(SizeFixedRow, false)

#define EXOBJ_FLAG_PROPERTY(Name, Default)               \
public:                                                  \
    bool Name() const { return F##Name; }                \
    void Set##Name(bool Value) { F##Name = Value; }      \
private:                                                 \
    bool F##Name = Default;

// Keyboard and clipboard behaviour.
class TNavigation : public TPersistent {
public:
    TNavigation() = default;
    QString ClassName() const override { return QStringLiteral("TNavigation"); }
    void Assign(const TPersistent* Source) override;

    bool AdvanceInsert() const { return FAdvanceInsert; }
    void SetAdvanceInsert(bool Value);
    // True also turns AdvanceOnEnter on.
    bool AdvanceAuto() const { return FAdvanceAuto; }
    void SetAdvanceAuto(bool Value);
    TAdvanceDirection AdvanceDirection() const { return FAdvanceDirection; }
    void SetAdvanceDirection(TAdvanceDirection Value);
    TAdvanceDirection TabAdvanceDirection() const { return FTabAdvanceDirection; }
    void SetTabAdvanceDirection(TAdvanceDirection Value) { FTabAdvanceDirection = Value; }
    TInsertPosition InsertPosition() const { return FInsertPosition; }
    void SetInsertPosition(TInsertPosition Value) { FInsertPosition = Value; }
    TClipboardPasteAction ClipboardPasteAction() const { return FClipboardPasteAction; }
    void SetClipboardPasteAction(TClipboardPasteAction Value) { FClipboardPasteAction = Value; }
    TCursorAdvance CursorAdvance() const { return FCursorAdvance; }
    void SetCursorAdvance(TCursorAdvance Value) { FCursorAdvance = Value; }
    THomeEndAction HomeEndKey() const { return FHomeEndKey; }
    void SetHomeEndKey(THomeEndAction Value) { FHomeEndKey = Value; }

    TNotifyEvent OnChange;

    EXOBJ_NAVIGATION_FLAGS(EXOBJ_FLAG_PROPERTY)

private:
    bool FAdvanceInsert = false;
    bool FAdvanceAuto = false;
    TAdvanceDirection FAdvanceDirection = adLeftRight;
    TAdvanceDirection FTabAdvanceDirection = adLeftRight;
    TInsertPosition FInsertPosition = pInsertBefore;
    TClipboardPasteAction FClipboardPasteAction = paReplace;
    TCursorAdvance FCursorAdvance = caDefault;
    THomeEndAction FHomeEndKey = heFirstLastColumn;
};

// Mouse behaviour.
class TMouseActions : public TPersistent {
public:
    explicit TMouseActions(TComponent* AOwner);
    ~TMouseActions() override;
    QString ClassName() const override { return QStringLiteral("TMouseActions"); }
    void Assign(const TPersistent* Source) override;

    // True also turns DisjunctRowSelect and CheckAllCheck on; then OnInvalidate.
    bool HotmailRowSelect() const { return FHotmailRowSelect; }
    void SetHotmailRowSelect(bool Value);
    // True fires OnDisableEdit.
    bool EditOnDblClickOnly() const { return FEditOnDblClickOnly; }
    void SetEditOnDblClickOnly(bool Value);
    // At design time, turning one on turns the other two off.
    bool DisjunctRowSelect() const { return FDisjunctRowSelect; }
    void SetDisjunctRowSelect(bool Value);
    bool DisjunctColSelect() const { return FDisjunctColSelect; }
    void SetDisjunctColSelect(bool Value);
    bool DisjunctCellSelect() const { return FDisjunctCellSelect; }
    void SetDisjunctCellSelect(bool Value);
    TWheelAction WheelAction() const { return FWheelAction; }
    void SetWheelAction(TWheelAction Value);
    Integer WheelIncrement() const { return FWheelIncrement; }
    void SetWheelIncrement(Integer Value) { FWheelIncrement = Value; }
    TGridFixedCellEdit FixedRowsEdit() const { return FFixedRowsEdit; }
    void SetFixedRowsEdit(TGridFixedCellEdit Value) { FFixedRowsEdit = Value; }
    TGridFixedCellEdit FixedColsEdit() const { return FFixedColsEdit; }
    void SetFixedColsEdit(TGridFixedCellEdit Value) { FFixedColsEdit = Value; }
    TGridFixedCellEditor FixedRowsEditor() const { return FFixedRowsEditor; }
    void SetFixedRowsEditor(TGridFixedCellEditor Value) { FFixedRowsEditor = Value; }
    TGridFixedCellEditor FixedColsEditor() const { return FFixedColsEditor; }
    void SetFixedColsEditor(TGridFixedCellEditor Value) { FFixedColsEditor = Value; }
    TStringList* FixedComboValues() const { return FFixedComboValues.get(); }
    void SetFixedComboValues(const TStrings* Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnInvalidate;
    TIsDesigningEvent OnIsDesigning;
    TNotifyEvent OnDisableEdit;

    EXOBJ_MOUSE_FLAGS(EXOBJ_FLAG_PROPERTY)

private:
    bool IsDesigning();
    // Turns Value's flag on and, at design time, the other two off.
    void SetDisjunct(bool& Field, bool Value);

    bool FHotmailRowSelect = false;
    bool FEditOnDblClickOnly = false;
    bool FDisjunctRowSelect = false;
    bool FDisjunctColSelect = false;
    bool FDisjunctCellSelect = false;
    TWheelAction FWheelAction = waMoveSelection;
    Integer FWheelIncrement = 0;
    TGridFixedCellEdit FFixedRowsEdit = fceNone;
    TGridFixedCellEdit FFixedColsEdit = fceNone;
    TGridFixedCellEditor FFixedRowsEditor = fceEdit;
    TGridFixedCellEditor FFixedColsEditor = fceEdit;
    std::unique_ptr<TStringList> FFixedComboValues;
};

#undef EXOBJ_FLAG_PROPERTY

// A second grid that follows this one.
class TSyncGrid : public TPersistent {
public:
    explicit TSyncGrid(TStringGrid* AOwner) : FOwner(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TSyncGrid"); }
    void Assign(const TPersistent* Source) override;

    TStringGrid* Grid() const { return FGrid; }
    // Any grid but the owner itself.
    void SetGrid(TStringGrid* Value);
    bool ScrollVertical() const { return FScrollVertical; }
    void SetScrollVertical(bool Value) { FScrollVertical = Value; }
    bool ScrollHorizontal() const { return FScrollHorizontal; }
    void SetScrollHorizontal(bool Value) { FScrollHorizontal = Value; }
    bool SelectionColumn() const { return FSelectionColumn; }
    void SetSelectionColumn(bool Value) { FSelectionColumn = Value; }
    bool SelectionRow() const { return FSelectionRow; }
    void SetSelectionRow(bool Value) { FSelectionRow = Value; }
    bool MoveColumn() const { return FMoveColumn; }
    void SetMoveColumn(bool Value) { FMoveColumn = Value; }
    bool MoveRow() const { return FMoveRow; }
    void SetMoveRow(bool Value) { FMoveRow = Value; }

private:
    TStringGrid* FOwner;
    TStringGrid* FGrid = nullptr;
    bool FScrollVertical = false, FScrollHorizontal = false;
    bool FSelectionColumn = false, FSelectionRow = false;
    bool FMoveColumn = false, FMoveRow = false;
};

// Alternating row colours.
class TBands : public TPersistent {
public:
    TBands() = default;
    QString ClassName() const override { return QStringLiteral("TBands"); }
    void Assign(const TPersistent* Source) override;

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    TColor PrimaryColor() const { return FPrimaryColor; }
    void SetPrimaryColor(TColor Value);
    Integer PrimaryLength() const { return FPrimaryLength; }
    void SetPrimaryLength(Integer Value);
    TColor SecondaryColor() const { return FSecondaryColor; }
    void SetSecondaryColor(TColor Value);
    Integer SecondaryLength() const { return FSecondaryLength; }
    void SetSecondaryLength(Integer Value);
    bool Print() const { return FPrint; }
    void SetPrint(bool Value) { FPrint = Value; }
    Integer TotalLength() const { return FTotalLength; }

    TNotifyEvent OnChange;

private:
    void ChangedWhenActive();
    bool FActive = false;
    TColor FPrimaryColor = clInfoBk;
    Integer FPrimaryLength = 1;
    TColor FSecondaryColor = clWindow;
    Integer FSecondaryLength = 1;
    bool FPrint = false;
    Integer FTotalLength = 2;
};

class TFocusHelper : public TPersistent {
public:
    explicit TFocusHelper(TComponent* AOwner) {}
    QString ClassName() const override { return QStringLiteral("TFocusHelper"); }
    void Assign(const TPersistent* Source) override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }

private:
    bool FEnabled = false;
};
