#pragma once
// Settings objects and records of the string grid that its construction,
// copying and settings files need: column-size persistence, print layout,
// balloons, sorting colours, floating footer, in-cell control look,
// grouping colours, background, and the record of one hidden row. Each
// copies field by field with Assign from its own class only.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "platform/Graphics.h"
#include "platform/Lists.h"
#include "platform/Printers.h"
#include "platform/StringList.h"
#include "grid/ExGridCalcType.h"

class TExStringGrid;
class TBitmap;
class TFooterAppearance;
class THeaderAppearance;

// ------------------------------------------------------------- growing while typing

// The grid's SizeWhileTyping: the row (Height) or the column (Width) of the
// cell being edited grows with what is typed.
class TSizeWhileTyping : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TSizeWhileTyping"); }
    void Assign(const TPersistent* Source) override
    {
        if (auto* s = dynamic_cast<const TSizeWhileTyping*>(Source)) {
            FHeight = s->FHeight;
            FWidth = s->FWidth;
        }
    }
    bool Height() const { return FHeight; }
    void SetHeight(bool Value) { FHeight = Value; }
    bool Width() const { return FWidth; }
    void SetWidth(bool Value) { FWidth = Value; }

private:
    bool FHeight = false;
    bool FWidth = false;
};

// ------------------------------------------------------------- column sizes

enum TColumnSizeLocation { clRegistry, clIniFile };
enum TAutoSizeRows { arAll, arNormal, arFixed };

class TColumnSize : public TPersistent {
public:
    explicit TColumnSize(TExStringGrid* AOwner) : FOwner(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TColumnSize"); }
    void Assign(const TPersistent* Source) override;

    TExStringGrid* Owner() const { return FOwner; }
    bool Save() const { return FSave; }
    void SetSave(bool Value) { FSave = Value; }
    const QString& Key() const { return FKey; }
    void SetKey(const QString& Value) { FKey = Value; }
    const QString& Section() const { return FSection; }
    void SetSection(const QString& Value) { FSection = Value; }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value) { FStretch = Value; }
    Integer StretchColumn() const { return FStretchColumn; }
    void SetStretchColumn(Integer Value) { FStretchColumn = Value; }
    bool SynchWithGrid() const { return FSynchWithGrid; }
    void SetSynchWithGrid(bool Value) { FSynchWithGrid = Value; }
    bool SynchNormalCellsOnly() const { return FSynchNormalCellsOnly; }
    void SetSynchNormalCellsOnly(bool Value) { FSynchNormalCellsOnly = Value; }
    TColumnSizeLocation Location() const { return FLocation; }
    void SetLocation(TColumnSizeLocation Value) { FLocation = Value; }
    TAutoSizeRows Rows() const { return FRows; }
    void SetRows(TAutoSizeRows Value) { FRows = Value; }

private:
    TExStringGrid* FOwner;
    bool FSave = false;
    QString FKey;
    QString FSection;
    bool FStretch = false;
    Integer FStretchColumn = -1;
    bool FSynchWithGrid = false;
    bool FSynchNormalCellsOnly = false;
    TColumnSizeLocation FLocation = clRegistry;
    TAutoSizeRows FRows = arAll;
};

// ------------------------------------------------------------------ printing

enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders {
    pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal, pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

class TPrintSettings : public TPersistent {
public:
    explicit TPrintSettings(TExStringGrid* AOwner);
    ~TPrintSettings() override;
    QString ClassName() const override { return QStringLiteral("TPrintSettings"); }
    // Every setting but FixedCellsAlways.
    void Assign(const TPersistent* Source) override;

    TExStringGrid* Grid() const { return FGrid; }
    TFont* Font() const { return FFont.get(); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    TStringList* TitleLines() const { return FTitleLines.get(); }
    // The setters copy what they are given.
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }
    void SetFooterFont(const TFont* Value) { FFooterFont->Assign(Value); }
    void SetFixedFont(const TFont* Value) { FFixedFont->Assign(Value); }
    void SetTitleLines(const TStrings* Value) { FTitleLines->Assign(Value); }

    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    TPrintPosition PageNr = ppNone;
    QString PageNumSep = QStringLiteral("/");
    QString DateFormat = QStringLiteral("dd/mm/yyyy");
    TPrintPosition Title = ppNone;
    TPrintBorders Borders = pbSingle;
    TPenStyle BorderStyle = psSolid;
    QString TitleText;
    bool Centered = true;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    Integer FooterSize = 0;
    Integer HeaderSize = 0;
    Integer LeftSize = 0;
    Integer RightSize = 0;
    Integer ColumnSpacing = 0;
    Integer RowSpacing = 0;
    Integer TitleSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    QString PagePrefix;
    QString PageSuffix;
    Integer FixedHeight = 0;
    bool UseFixedHeight = false;
    Integer FixedWidth = 0;
    bool UseFixedWidth = false;
    TFitToPage FitToPage = fpNever;
    bool NoAutoSize = false;
    bool PrintGraphics = false;
    QString JobName;
    bool NoAutoSizeRow = false;
    Integer PageNumberOffset = 0;
    Integer MaxPagesOffset = 0;
    bool UseDisplayFont = true;
    bool UseDefaultOrientation = false;
    bool FixedCellsAlways = false;
    TColor BorderColor = clBlack;

private:
    TExStringGrid* FGrid;
    std::unique_ptr<TFont> FFont, FHeaderFont, FFooterFont, FFixedFont;
    std::unique_ptr<TStringList> FTitleLines;
};

// -------------------------------------------------------------------- balloons

class TBalloonSettings : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TBalloonSettings"); }
    // Everything but Transparency; Enable without its notice.
    void Assign(const TPersistent* Source) override;

    bool Enable() const { return FEnable; }
    // Fires OnEnableChange after every write.
    void SetEnable(bool Value);

    bool Init = false;
    TColor BackgroundColor = clNone;
    TColor TextColor = clNone;
    Integer ReshowDelay = -1;
    Integer InitialDelay = -1;
    Integer AutoHideDelay = -1;
    Byte Transparency = 0;
    TNotifyEvent OnEnableChange;

private:
    bool FEnable = false;
};

// --------------------------------------------------- sorting, footer, look

enum TSortDirection { sdAscending, sdDescending };
enum TSortBlankPosition { blFirst, blLast };
enum TIndexSortKey { ikShift, ikCtrl };

// How the grid sorts and how its header shows the sort: the sort column
// and direction, tie-breaking, blanks, case, the index list's use, the
// header glyphs and colours. The sorting itself is the grid's.
class TSortSettings : public TPersistent {
public:
    explicit TSortSettings(TExStringGrid* AOwner);
    ~TSortSettings() override;
    QString ClassName() const override { return QStringLiteral("TSortSettings"); }
    // Every setting of another TSortSettings but IgnoreCase and
    // SortOnVirtualCells; the glyph pictures are copied.
    void Assign(const TPersistent* Source) override;
    // "i;" + the index list when IndexShow, else "u" or "d" + Column.
    QString SaveToString() const;
    // The reverse (sorting the grid as it says); an empty text changes
    // nothing; a text of one character raises "Invalid sort settings specifier".
    void LoadFromString(const QString& S);
    // Not sorted: Column -1, index list emptied, header row repainted.
    void Remove();
    void ToggleDirection() { Direction = Direction == sdAscending ? sdDescending : sdAscending; }

    // Repaints the grid on a change.
    void SetShow(bool Value);
    // Raises "Sort row should be smaller than number of fixed rows".
    void SetRow(Integer Value);
    // Each stores a changed colour and repaints the header row.
    void SetHeaderColor(TColor Value);
    void SetHeaderColorTo(TColor Value);
    void SetHeaderMirrorColor(TColor Value);
    void SetHeaderMirrorColorTo(TColor Value);
    TBitmap* UpGlyph() const { return FSortUpGlyph.get(); }
    TBitmap* DownGlyph() const { return FSortDownGlyph.get(); }
    TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
    TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
    // Copy the picture.
    void SetUpGlyph(const TBitmap* Value);
    void SetDownGlyph(const TBitmap* Value);
    void SetIndexUpGlyph(const TBitmap* Value);
    void SetIndexDownGlyph(const TBitmap* Value);
    TExStringGrid* Grid() const { return FGrid; }

    // The sort column (real); -1 while not sorted.
    Integer Column = -1;
    TSortDirection Direction = sdAscending;
    // The header row that shows the glyph, and whether it is shown.
    Integer Row = 0;
    bool Show = false;
    bool IndexShow = false;
    TColor IndexColor = clYellow;
    TIndexSortKey IndexSortKey = ikShift;
    // Equal cells are decided by the following columns.
    bool Full = true;
    // Only the sort column's cells move.
    bool SingleColumn = false;
    // Empty cells go where BlankPos says instead of being compared.
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    // The comparison is chosen from the cell text.
    bool AutoFormat = true;
    bool IgnoreCase = false;
    // Column 0 keeps its cells while the rows move.
    bool NormalCellsOnly = false;
    // Fixed columns show the glyph and sort on a header click too.
    bool FixedCols = false;
    TSortDirection InitSortDirection = sdAscending;
    // A third header click restores the unsorted order.
    bool UndoSort = false;
    // Equal neighbouring cells are merged after a header-click sort.
    bool AutoColumnMerge = false;
    bool AutoSortForGrouping = true;
    // Compares the displayed texts rather than the stored ones.
    bool SortOnVirtualCells = true;
    TColor HeaderColor = clNone;
    TColor HeaderColorTo = clNone;
    TColor HeaderMirrorColor = clNone;
    TColor HeaderMirrorColorTo = clNone;

private:
    void RepaintHeader();
    TExStringGrid* FGrid;
    std::unique_ptr<TBitmap> FSortUpGlyph, FSortDownGlyph, FIndexUpGlyph, FIndexDownGlyph;
};

// (The XML document names its own TNodeType.)
enum TGridNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };

// How node buttons and tree lines look, and whether expanding one node
// contracts the others. The setters marked "repaint" repaint the grid.
class TCellNode : public TPersistent {
public:
    explicit TCellNode(TExStringGrid* AOwner);
    ~TCellNode() override;
    QString ClassName() const override { return QStringLiteral("TCellNode"); }
    // Every setting of another TCellNode (the glyphs copied).
    void Assign(const TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor NodeColor() const { return FNodeColor; }
    void SetNodeColor(TColor Value) { FNodeColor = Value; }
    bool ExpandOne() const { return FExpandOne; }
    void SetExpandOne(bool Value) { FExpandOne = Value; }
    // repaint
    TGridNodeType NodeType() const { return FNodeType; }
    void SetNodeType(TGridNodeType Value);
    bool ShowTree() const { return FShowTree; }
    void SetShowTree(bool Value);
    bool ShowTreeFull() const { return FShowTreeFull; }
    void SetShowTreeFull(bool Value);
    Integer NodeIndent() const { return FNodeIndent; }
    void SetNodeIndent(Integer Value);
    TColor TreeColor() const { return FTreeColor; }
    void SetTreeColor(TColor Value);
    // The button pictures of cnGlyph (contracted, expanded); copied in.
    TBitmap* ExpandGlyph() const { return FExpandGlyph.get(); }
    void SetExpandGlyph(const TBitmap* Value);
    TBitmap* ContractGlyph() const { return FContractGlyph.get(); }
    void SetContractGlyph(const TBitmap* Value);

private:
    template <class T> void Store(T& Field, const T& Value);
    TExStringGrid* FOwner;
    TColor FColor = clSilver;
    TGridNodeType FNodeType = cnXP;
    TColor FNodeColor = clBlack;
    std::unique_ptr<TBitmap> FExpandGlyph;
    bool FExpandOne = false;
    std::unique_ptr<TBitmap> FContractGlyph;
    bool FShowTree = true;
    bool FShowTreeFull = true;
    Integer FNodeIndent = 12;
    TColor FTreeColor = clGray;
};

enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

// The strip along the grid's bottom edge that stays while the rows scroll:
// the totals row, a preview of one cell of the current row, a text made
// from the current row, or the application's own painting. The strip
// itself is the grid's TFooterPanel; the setters below repaint it.
class TFloatingFooter : public TPersistent {
public:
    explicit TFloatingFooter(TExStringGrid* AOwner) : FGrid(AOwner) {}
    QString ClassName() const override { return QStringLiteral("TFloatingFooter"); }
    // CalculateHiddenRows, Color, Column, CustomTemplate, FooterStyle,
    // Visible (through its setter) and ShowHint of another TFloatingFooter.
    void Assign(const TPersistent* Source) override;
    // Repaints the strip.
    void Invalidate();

    // The strip's height while shown follows the grid's DefaultRowHeight;
    // a value above 0 sizes the strip to value - 1.
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value);
    // The grid's row-height setter: stores the height and sizes a shown strip to it.
    void FollowRowHeight(Integer Value);
    // Shows or hides the strip; with fsFixedLastRow the grid's last row
    // becomes the footer row, shown only in the strip.
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Only the flag: a sort takes the footer row out of the rows it moves
    // and puts it back.
    void SetVisibleFlag(bool Value) { FVisible = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    // A line along the strip's top edge; clNone: none.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle Value);
    // The previewed column (real index), also handed to OnFooterPaint.
    Integer Column() const { return FColumn; }
    void SetColumn(Integer Value);
    // The text of fsCustomPreview: "<#n>" stands for column n of the current row.
    const QString& CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const QString& Value);
    // The strip shows the footer cells' hints.
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    // The calculation of a column's footer cell; writing it recalculates
    // that cell.
    TColumnCalcType ColumnCalc(Integer ACol) const;
    void SetColumnCalc(Integer ACol, TColumnCalcType Value);

    // Footer calculations count the hidden rows too.
    bool CalculateHiddenRows = true;
    // Footer values are calculated.
    bool EnableCalculation = true;
    // The value of a custom footer cell (Sender, column, value, row).
    std::function<void(TObject* Sender, Integer ACol, QString& Value, Integer ARow)> OnCalcFooter;

private:
    TExStringGrid* FGrid;
    Integer FHeight = 0;
    bool FVisible = false;
    TColor FColor = clBtnFace;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    Integer FColumn = 0;
    QString FCustomTemplate;
    bool FShowHint = false;
    TColor FBorderColor = clNone;
};

enum TGridControlStyle { csClassic, csFlat, csWinXP, csBorland, csKavro, csGlyph, csTheme };

// The look of in-cell controls (check boxes, radio buttons, dropdown and
// spin buttons, comments, progress bars) and of fixed cells in their
// normal, hover and pressed states. Setters marked "repaint" invalidate the
// owning grid; the fixed-cell gradient setters also hand their colour to
// the grid's own gradient colours, which the header painting reads.
class TControlLook : public TPersistent {
public:
    explicit TControlLook(TExStringGrid* AOwner);
    ~TControlLook() override;
    QString ClassName() const override { return QStringLiteral("TControlLook"); }
    // From another TControlLook only; stores the values without touching
    // the grid's gradient colours and without repainting.
    void Assign(const TPersistent* Source) override;
    // The colours back to their initial values.
    void Init();
    // The properties a saved form description carries: those whose value
    // differs from its stored default. The stored defaults of the hover and
    // pressed gradients are the reverse of their initial values, so a new
    // look carries those four.
    QStringList StoredProperties() const;

    TExStringGrid* Grid() const { return FGrid; }
    // repaint
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TColor CommentColor() const { return FCommentColor; }
    void SetCommentColor(TColor Value);
    Integer CheckSize() const { return FCheckSize; }
    void SetCheckSize(Integer Value);
    Integer RadioSize() const { return FRadioSize; }
    void SetRadioSize(Integer Value);
    TGridControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TGridControlStyle Value);
    bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
    void SetDropDownAlwaysVisible(bool Value);
    bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
    void SetSpinButtonsAlwaysVisible(bool Value);
    bool FlatButton() const { return FFlatButton; }
    void SetFlatButton(bool Value);
    bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
    void SetNoDisabledCheckRadioLook(bool Value);
    bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
    void SetNoDisabledButtonLook(bool Value);
    Integer ProgressMarginX() const { return FProgressMarginX; }
    void SetProgressMarginX(Integer Value);
    Integer ProgressMarginY() const { return FProgressMarginY; }
    void SetProgressMarginY(Integer Value);
    bool ProgressXP() const { return FProgressXP; }
    void SetProgressXP(bool Value);
    // The glyphs are copied in (repaint).
    TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
    void SetCheckedGlyph(const TBitmap* Value);
    TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
    void SetUnCheckedGlyph(const TBitmap* Value);
    TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
    void SetRadioOnGlyph(const TBitmap* Value);
    TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
    void SetRadioOffGlyph(const TBitmap* Value);
    // Fixed-cell gradients.
    TColor FixedGradientFrom() const { return FFixedGradientFrom; }
    void SetFixedGradientFrom(TColor Value);
    TColor FixedGradientTo() const { return FFixedGradientTo; }
    void SetFixedGradientTo(TColor Value);
    TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
    void SetFixedGradientMirrorFrom(TColor Value);
    TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
    void SetFixedGradientMirrorTo(TColor Value);
    TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
    void SetFixedGradientHoverFrom(TColor Value);
    TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
    void SetFixedGradientHoverTo(TColor Value);
    TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
    void SetFixedGradientHoverMirrorFrom(TColor Value);
    TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
    void SetFixedGradientHoverMirrorTo(TColor Value);
    TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
    void SetFixedGradientHoverBorder(TColor Value);
    TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
    void SetFixedGradientDownFrom(TColor Value);
    TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
    void SetFixedGradientDownTo(TColor Value);
    TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
    void SetFixedGradientDownMirrorFrom(TColor Value);
    TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
    void SetFixedGradientDownMirrorTo(TColor Value);
    TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
    void SetFixedGradientDownBorder(TColor Value);
    // The header and footer of the dropdown editors; writing copies the settings.
    THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
    void SetDropDownHeader(const THeaderAppearance* Value);
    TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
    void SetDropDownFooter(const TFooterAppearance* Value);

    // Plain fields: writing them repaints nothing.
    bool CheckAlwaysActive = false;
    bool RadioAlwaysActive = false;
    Integer DropDownCount = 8;
    TColor ProgressBorderColor = clGray;
    bool FixedDropDownButton = false;
    Integer HintMaxWidth = 0;

private:
    // The dropdown header and footer live in their own unit: their header
    // and the grid's cannot meet in one source.
    void AssignBars(const TControlLook* Source);
    static TPersistent* OwnerOf(TExStringGrid* Grid);
    void Changed();
    template <class T> void Store(T& Field, const T& Value)
    {
        Field = Value;
        Changed();
    }

    TExStringGrid* FGrid;
    Integer FCheckSize = 15;
    std::unique_ptr<TBitmap> FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
    TGridControlStyle FControlStyle = csTheme;
    TColor FColor = clBlack;
    TColor FCommentColor = clRed;
    Integer FRadioSize = 10;
    bool FDropDownAlwaysVisible = false;
    bool FSpinButtonsAlwaysVisible = false;
    bool FFlatButton = false;
    bool FNoDisabledCheckRadioLook = false;
    bool FNoDisabledButtonLook = false;
    Integer FProgressMarginX = 2;
    Integer FProgressMarginY = 2;
    bool FProgressXP = false;
    TColor FFixedGradientFrom = clNone;
    TColor FFixedGradientTo = clNone;
    TColor FFixedGradientMirrorFrom = clNone;
    TColor FFixedGradientMirrorTo = clNone;
    TColor FFixedGradientHoverFrom = clGray;
    TColor FFixedGradientHoverTo = clWhite;
    TColor FFixedGradientHoverMirrorFrom = clNone;
    TColor FFixedGradientHoverMirrorTo = clNone;
    TColor FFixedGradientHoverBorder = clSilver;
    TColor FFixedGradientDownFrom = clGray;
    TColor FFixedGradientDownTo = clSilver;
    TColor FFixedGradientDownMirrorFrom = clNone;
    TColor FFixedGradientDownMirrorTo = clNone;
    TColor FFixedGradientDownBorder = clGray;
    std::unique_ptr<THeaderAppearance> FDropDownHeader;
    std::unique_ptr<TFooterAppearance> FDropDownFooter;
};

enum TProgressStyle { psXP, psClassic };

// The look of progress bars drawn in cells (ctXPProgress). Each setter
// stores a changed value and fires OnChange.
class TGridProgressAppearance : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TGridProgressAppearance"); }
    // Every field but OnChange from another TGridProgressAppearance, then
    // OnChange once; other sources are ignored.
    void Assign(const TPersistent* Source) override;

#define PROGRESS_PROPERTY(Type, Name, Default)                                   \
public:                                                                          \
    Type Name() const { return F##Name; }                                       \
    void Set##Name(Type Value)                                                   \
    {                                                                            \
        if (F##Name == Value)                                                    \
            return;                                                              \
        F##Name = Value;                                                         \
        Changed();                                                               \
    }                                                                            \
private:                                                                         \
    Type F##Name = Default;
    PROGRESS_PROPERTY(TColor, UnCompleteFontColor, clWindowText)
    PROGRESS_PROPERTY(TColor, CompleteColor, clRed)
    PROGRESS_PROPERTY(TColor, UnCompleteColor, clNone)
    PROGRESS_PROPERTY(TColor, CompleteFontColor, clBlue)
    PROGRESS_PROPERTY(bool, Stacked, false)
    PROGRESS_PROPERTY(bool, ShowPercentage, true)
    PROGRESS_PROPERTY(bool, ShowBorder, false)
    PROGRESS_PROPERTY(bool, CompletionSmooth, true)
    PROGRESS_PROPERTY(bool, ShowGradient, true)
    PROGRESS_PROPERTY(Integer, Level2Perc, 90)
    PROGRESS_PROPERTY(Integer, Level1Perc, 70)
    PROGRESS_PROPERTY(Integer, Steps, 11)
    PROGRESS_PROPERTY(TColor, Level3Color, TColor(0x000000FF))
    PROGRESS_PROPERTY(TColor, Level1Color, TColor(0x0000FFFF))
    PROGRESS_PROPERTY(TColor, Level0Color, TColor(0x0000FF00))
    PROGRESS_PROPERTY(TColor, Level3ColorTo, TColor(0x00CACAFF))
    PROGRESS_PROPERTY(TColor, Level2ColorTo, TColor(0x00A8D3FF))
    PROGRESS_PROPERTY(TColor, Level0ColorTo, TColor(0x00E1FFE1))
    PROGRESS_PROPERTY(TColor, Level1ColorTo, TColor(0x00CAFFFF))
    PROGRESS_PROPERTY(TColor, BorderColor, clBlack)
    PROGRESS_PROPERTY(TColor, Level2Color, TColor(0x0053A9FF))
    PROGRESS_PROPERTY(TProgressStyle, Style, psXP)
#undef PROGRESS_PROPERTY

public:
    TNotifyEvent OnChange;

private:
    void Changed()
    {
        if (OnChange)
            OnChange(this);
    }
};

class TGrouping : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TGrouping"); }
    void Assign(const TPersistent* Source) override;
    bool MergeHeader = false;
    bool MergeSummary = false;
    TColor HeaderColor = clNone;
    TColor SummaryColor = clNone;
    TColor HeaderColorTo = clNone;
    TColor HeaderTextColor = clNone;
    bool Summary = false;
    TColor SummaryTextColor = clNone;
    TColor SummaryColorTo = clNone;
    bool HeaderUnderline = false;
    bool SummaryLine = false;
    Integer SummaryLineWidth = 2;
    Integer HeaderLineWidth = 2;
    TColor SummaryLineColor = clBlue;
    TColor HeaderLineColor = clBlue;
    bool ShowGroupCount = false;
    QString GroupCountFormat;
    bool AutoSelectGroup = false;
    bool AutoCheckGroup = false;
};

enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };

class TBackGround : public TPersistent {
public:
    explicit TBackGround(TExStringGrid* AOwner);
    ~TBackGround() override;
    QString ClassName() const override { return QStringLiteral("TBackGround"); }
    void Assign(const TPersistent* Source) override;
    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Each setter stores the value (the picture is copied) and repaints the grid.
    void SetTop(Integer Value);
    void SetLeft(Integer Value);
    void SetDisplay(TBackGroundDisplay Value);
    void SetCells(TBackGroundCells Value);
    void SetColor(TColor Value);
    void SetColorTo(TColor Value);
    void SetBitmap(const TBitmap* Value);
    Integer Top = 0;
    Integer Left = 0;
    TBackGroundDisplay Display = bdTile;
    TBackGroundCells Cells = bcNormal;
    TColor ColorTo = clBtnFace;
    TColor Color = clWindow;

private:
    void Repaint();
    TExStringGrid* FGrid;
    std::unique_ptr<TBitmap> FBitmap;
};

// The marking of the cells the user changed.
class TShowModified : public TPersistent {
public:
    QString ClassName() const override { return QStringLiteral("TShowModified"); }
    // Color and Enabled from another TShowModified, without OnChange.
    void Assign(const TPersistent* Source) override;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TColor Color() const { return FColor; }
    // Fires OnChange, also for an unchanged value.
    void SetColor(TColor Value);
    TNotifyEvent OnChange;

private:
    bool FEnabled = false;
    TColor FColor = clYellow;
};

// ------------------------------------------------------------ hidden rows

// One hidden row: its real index, height, filter level and cells (one
// string per real column, each with the cell's object).
class TGridItem : public TCollectionItem {
public:
    explicit TGridItem(TCollection* Collection);
    ~TGridItem() override;
    QString ClassName() const override { return QStringLiteral("TGridItem"); }

    Integer Idx() const { return FIdx; }
    void SetIdx(Integer Value) { FIdx = Value; }
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { FHeight = Value; }
    Integer Level() const { return FLevel; }
    void SetLevel(Integer Value) { FLevel = Value; }
    TStringList* Items() const { return FItems.get(); }
    // Copies the lines (and their objects) into the item's own list.
    void SetItems(const TStrings* Value);

private:
    Integer FIdx = 0;
    Integer FHeight = 0;
    std::unique_ptr<TStringList> FItems;
    Integer FLevel = 0;
};

// ------------------------------------------------------------ row filters

// How one condition's result joins the row's result.
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
// Which text of the row a condition tests.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterMethod { fmExpression, fmLiteral };

class TFilterData : public TCollectionItem {
public:
    explicit TFilterData(TCollection* Collection);
    QString ClassName() const override { return QStringLiteral("TFilterData"); }
    void Assign(const TPersistent* Source) override;

    SmallInt Column = 0;
    QString Condition;
    bool CaseSensitive = true;
    QString Prefix;
    QString Suffix;
    TFilterOperation Operation = foSHORT;
    TFilterCells Data = fcVirtual;
    TFilterMethod Method = fmExpression;
};

// The conditions a row must pass to stay shown.
class TFilter : public TCollection {
public:
    explicit TFilter(TExStringGrid* AOwner);
    QString ClassName() const override { return QStringLiteral("TFilter"); }
    TExStringGrid* Owner() const { return FOwner; }
    TFilterData* Items(Integer Index) const { return ItemsAs<TFilterData>(Index); }
    // The first item joins with foNONE, later ones with foAND.
    TFilterData* Add();
    // A new item at Index (its Operation stays foSHORT).
    TFilterData* Insert(Integer Index);
    bool HasFilter(Integer Col) const;
    // Deletes every item of the column and repaints its header cell.
    void RemoveColumnFilter(Integer Col);
    // The item of a column, added when missing.
    TFilterData* GetColFilter(Integer ACol);
    // The first item of a column, nullptr when none.
    TFilterData* ColumnItem(Integer ACol) const;

private:
    TExStringGrid* FOwner;
};
