#pragma once
// The base of the program's string grid: a properties object per cell made
// on first use (colours, font, alignment, editor kind, read-only, merging),
// merged cells whose text lives in their top-left base cell, the cell text
// accessors with display hooks, the one cell painter used on screen and on
// other canvases, navigation that keeps to base cells, and the undo/redo
// component that records cell changes.
//
// Cell indexes are the storage indexes of the string grid: in the string
// grid with hidden columns, the real column and the display row.

#include <QString>
#include <functional>

#include "grid/ExGridCalcType.h"
#include "grid/ExObj.h"
#include "platform/Graphics.h"
#include "platform/Lists.h"

class TBaseGrid;
class TCanvas;

enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell : Cardinal { hcNormal = 1u << 0, hcFixed = 1u << 1, hcSelected = 1u << 2 };
using THoverRowCells = Cardinal;

using TGetDisplTextEvent = std::function<void(TObject* Sender, Integer ACol, Integer ARow, QString& Value)>;

// The properties of one cell, kept in its object slot and owned by the grid.
class TCellProperties : public TPersistent {
public:
    TCellProperties(TBaseGrid* AOwner, Integer ACol, Integer ARow);
    QString ClassName() const override { return QStringLiteral("TCellProperties"); }
    // From another TCellProperties: everything but the graphic object, the
    // brush colour-to, the calculation type and object and the gradient.
    void Assign(const TPersistent* Source) override;

    // The base cell of (ACol, ARow) when this is a covered cell of a merged
    // area, else the cell itself.
    TPoint GetBaseCell(Integer ACol, Integer ARow) const;
    // The font settings the cell has set (colour, style, size, name) onto AFont.
    void ApplyFont(TFont* AFont) const;

    TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
    Integer OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(Integer Value) { FOwnerCol = Value; }
    Integer OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(Integer Value) { FOwnerRow = Value; }
    TObject* CellObject() const { return FObject; }
    void SetCellObject(TObject* Value) { FObject = Value; }
    TObject* GraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
    // The colour setters, VAlignment and WordWrap repaint the owner cell.
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);
    TColor BrushColorTo() const { return FBrushColorTo; }
    void SetBrushColorTo(TColor Value);
    Integer FontSize() const { return FFontSize; }
    void SetFontSize(Integer Value) { FFontSize = Value; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor Value) { FFontColor = Value; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
    QString FontName() const { return FFontName; }
    void SetFontName(const QString& Value) { FFontName = Value; }
    Integer CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(Integer Value) { FCellSpanX = Value; }
    Integer CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(Integer Value) { FCellSpanY = Value; }
    Integer BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { FAlignment = Value; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
    TColumnCalcType CalcType() const { return FCalcType; }
    void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
    TObject* CalcObject() const { return FCalcObject; }
    void SetCalcObject(TObject* Value) { FCalcObject = Value; }
    Integer NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(Integer Value) { FNodeLevel = Value; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType Value) { FEditor = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TCellGradientDirection GradientDirection() const { return FGradientDirection; }
    void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value) { FControl = Value; }
    Integer PaintID() const { return FPaintID; }
    void SetPaintID(Integer Value) { FPaintID = Value; }

private:
    friend class TBaseGrid;
    void RepaintOwnerCell();

    TBaseGrid* FOwnerGrid;
    Integer FOwnerCol;
    Integer FOwnerRow;
    TObject* FObject = nullptr;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    TColor FBrushColorTo = clNone;
    Integer FFontSize = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle;
    Integer FCellSpanY = -1;
    Integer FCellSpanX = -1;
    Integer FBorderWidth = 0;
    TColor FBorderColor = 0;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    Integer FPaintID = 0;
    bool FWordWrap = true;
    bool FIsBaseCell = true;
    TColumnCalcType FCalcType = acNONE;
    TObject* FCalcObject = nullptr;
    Integer FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    QString FFontName;
    bool FReadOnly = false;
    TCellGradientDirection FGradientDirection = GradientVertical;
    TControl* FControl = nullptr;
};

// One recorded change, or a marker that opens or closes a sequence.
class TUndoRedoItem : public TCollectionItem {
public:
    explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}
    QString ClassName() const override { return QStringLiteral("TUndoRedoItem"); }
    Integer Row = 0;
    Integer Col = 0;
    QString Value;      // the text after the change
    QString OrigValue;  // the text before it
    bool SequenceStart = false;
    bool SequenceStop = false;
};

class TUndoRedoCollection : public TCollection {
public:
    TUndoRedoCollection() : TCollection([](TCollection* c) { return new TUndoRedoItem(c); }) {}
    QString ClassName() const override { return QStringLiteral("TUndoRedoCollection"); }
    TUndoRedoItem* Item(Integer Index) const { return ItemsAs<TUndoRedoItem>(Index); }
};

using TExGridUndoRedoEvent = std::function<void(TObject* Sender, TBaseGrid* Grid, Integer Col, Integer Row,
                                                const QString& OrigValue, const QString& NewValue)>;

// Records cell changes of the grid it is attached to and replays them.
class TExGridUndoRedo : public TComponent {
public:
    explicit TExGridUndoRedo(TComponent* AOwner);
    ~TExGridUndoRedo() override;
    QString ClassName() const override { return QStringLiteral("TExGridUndoRedo"); }

    virtual void RegisterChange(Integer ACol, Integer ARow, const QString& NewValue, const QString& OldValue);
    virtual void StartSequence();
    virtual void StopSequence();
    void Undo();
    void Redo();
    // Frees every item.
    void Reset();
    bool CanUndo() const { return FLevel > 0; }
    bool CanRedo() const { return FLevel < FItems->Count(); }

    Integer MaxLevel() const { return FMaxLevel; }
    void SetMaxLevel(Integer Value) { FMaxLevel = Value; }
    Integer Level() const { return FLevel; }
    TUndoRedoCollection* Items() const { return FItems.get(); }
    TBaseGrid* Grid() const { return FGrid; }

    TExGridUndoRedoEvent OnUndo;
    TExGridUndoRedoEvent OnRedo;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TBaseGrid;
    void AddMarker(bool Start);
    void Apply(const TUndoRedoItem* Item, bool UndoIt);

    std::unique_ptr<TUndoRedoCollection> FItems;
    TBaseGrid* FGrid = nullptr;
    Integer FLevel = 0;
    Integer FMaxLevel = 0;
};

class TBaseGrid : public TObjStringGrid {
    friend class TCellProperties;
    friend class TExGridUndoRedo;

public:
    explicit TBaseGrid(TComponent* AOwner);
    ~TBaseGrid() override;
    QString ClassName() const override { return QStringLiteral("TBaseGrid"); }

    // ---- cell access (with merged-cell redirection and display hooks)
    QString Cells(Integer ACol, Integer ARow) const { return GetCellEx(ACol, ARow); }
    void SetCells(Integer ACol, Integer ARow, const QString& Value) { SetCellEx(ACol, ARow, Value); }
    void SetCells(Integer ACol, Integer ARow, QString&& Value)
    {
        // No merged cell to redirect to and no hidden footer row: the text
        // goes straight to its slot.
        if (!AnyObject() && !FHideLastRow) {
            TStringGrid::SetCells(ACol, ARow, std::move(Value));
            return;
        }
        SetCellEx(ACol, ARow, std::move(Value));
    }
    QString GetCellEx(Integer ACol, Integer ARow) const;
    void SetCellEx(Integer ACol, Integer ARow, const QString& Value);
    void SetCellEx(Integer ACol, Integer ARow, QString&& Value);
    // The stored text itself.
    QString GridCells(Integer ACol, Integer ARow) const { return GetGridCell(ACol, ARow); }
    QString GetGridCell(Integer ACol, Integer ARow) const { return TStringGrid::Cells(ACol, ARow); }
    void SetGridCell(Integer ACol, Integer ARow, const QString& Value) { TStringGrid::SetCells(ACol, ARow, Value); }
    void SetGridCell(Integer ACol, Integer ARow, QString&& Value) { TStringGrid::SetCells(ACol, ARow, std::move(Value)); }
    // Made on first access with the cell's present colours and font.
    TCellProperties* GetCellProperties(Integer ACol, Integer ARow);
    TCellProperties* CellProperties(Integer ACol, Integer ARow) { return GetCellProperties(ACol, ARow); }
    // Frees the slot's present content and stores Value (owned from now on).
    void SetCellProperties(Integer ACol, Integer ARow, TCellProperties* Value);
    // The user object of the cell (never freed by the grid).
    TObject* GetObjectEx(Integer ACol, Integer ARow) const;
    void SetObjectEx(Integer ACol, Integer ARow, TObject* Value);
    TObject* Objects(Integer ACol, Integer ARow) const { return GetObjectEx(ACol, ARow); }
    void SetObjects(Integer ACol, Integer ARow, TObject* Value) { SetObjectEx(ACol, ARow, Value); }
    TObject* GetGraphicObjectEx(Integer ACol, Integer ARow) const;
    void SetGraphicObjectEx(Integer ACol, Integer ARow, TObject* Value);
    // The raw object slot.
    TObject* GetGridObject(Integer ACol, Integer ARow) const { return TStringGrid::Objects(ACol, ARow); }
    void SetGridObject(Integer ACol, Integer ARow, TObject* Value) { TStringGrid::SetObjects(ACol, ARow, Value); }
    bool HasCellProperties(Integer ACol, Integer ARow) const;
    // Empty slots and texts without freeing (their content moved elsewhere).
    void ResetColumn(Integer ACol);
    void ResetRow(Integer ARow);
    void ResetCell(Integer ACol, Integer ARow);
    void FreeCellGraphics(Integer FromCol, Integer FromRow, Integer ToCol, Integer ToRow);
    void FreeCellProperties(Integer ACol, Integer ARow);
    void FreeAllCellProperties();

    // ---- merged cells
    virtual void MergeCells(Integer ACol, Integer ARow, Integer SpanX, Integer SpanY);
    virtual void SplitCells(Integer ACol, Integer ARow);
    bool IsMergedCell(Integer ACol, Integer ARow) const;
    bool IsMergedNonBaseCell(Integer ACol, Integer ARow) const;
    bool IsXMergedCell(Integer ACol, Integer ARow) const;
    bool IsYMergedCell(Integer ACol, Integer ARow) const;
    bool IsBaseCell(Integer ACol, Integer ARow) const;
    TPoint BaseCell(Integer ACol, Integer ARow) const;
    TPoint CellSpan(Integer ACol, Integer ARow) const;
    TPoint CellExt(Integer ACol, Integer ARow) const;
    TRect FullCell(Integer ACol, Integer ARow) const;
    Integer MinRowSpan(Integer ARow) const;
    Integer MaxRowSpan(Integer ARow) const;
    bool RowSpanIdentical(Integer ARow1, Integer ARow2) const;
    bool ColSpanIdentical(Integer ACol1, Integer ACol2) const;
    // True for an unmerged or base cell; false for a covered one. The
    // outputs are the base cell either way.
    bool ResolveBaseCell(Integer ACol, Integer ARow, Integer& BaseCol, Integer& BaseRow) const;
    void GotoBaseCell();

    // ---- geometry and painting
    TRect CellRect(Integer ACol, Integer ARow) const;
    TPoint CellSize(Integer ACol, Integer ARow) const;
    TRect CalcCellRect(Integer ACol, Integer ARow) const;
    void RepaintCell(Integer ACol, Integer ARow);
    // One cell on any canvas: full (content) and frame-only (output) mode.
    void PaintCell(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
    void PaintCellExt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
    // The cell with its content drawn into ARect of any canvas, wherever the
    // cell lies in the grid; the footer row too while it is hidden from the
    // body (the footer strip shows it there).
    void PaintCellAt(TCanvas* ACanvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState);
    Integer FixedColsWidth() const;
    Integer FixedRowsHeight() const;

    // ---- hooks for descendants
    virtual bool IsFixed(Integer ACol, Integer ARow) { return false; }
    virtual Integer GetNodeIndent(Integer ARow) { return 0; }
    virtual bool HasNodes() { return false; }
    virtual void DrawGridCell(TCanvas* Canvas, Integer ACol, Integer ARow, TRect Rect, TGridDrawState State);
    virtual void LastRowChanged() {}
    virtual void GetDisplText(Integer ACol, Integer ARow, QString& Value) const;
    virtual void GetDisplWideText(Integer ACol, Integer ARow, QString& Value) const;
    virtual void GetDefaultCellProperties(Integer ACol, Integer ARow, TFont* AFont, TBrush* ABrush, TColor& ColorTo,
                                          TColor& MirrorColor, TColor& MirrorColorTo, TAlignment& Alignment,
                                          TVAlignment& VAlignment, bool& WordWrap,
                                          TCellGradientDirection& GradientDirection);
    virtual void UpdateAutoRangeScrollBar(Integer ACol, Integer ARow) {}
    virtual bool HasCellBorderEvent() { return false; }
    virtual bool UsesVCLStyles() { return false; }
    virtual void GetVisualProperties(Integer ACol, Integer ARow, TGridDrawState& State, bool Printing, bool Flag,
                                     bool MapColumn, TBrush* ABrush, TColor& ColorTo, TColor& MirrorColor,
                                     TColor& MirrorColorTo, TFont* AFont, TAlignment& Alignment,
                                     TVAlignment& VAlignment, bool& WordWrap,
                                     TCellGradientDirection& GradientDirection) {}
    virtual Integer DisplColIndex(Integer ACol) const { return ACol; }
    virtual Integer TotalColCount() const { return ColCount(); }

    // ---- settings
    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }
    Integer GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(Integer Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    TColor GridFixedLineColor() const { return FGridFixedLineColor; }
    void SetGridFixedLineColor(TColor Value);
    Integer PaintID() const { return FPaintID; }
    bool HideLastRow() const { return FHideLastRow; }
    void SetHideLastRow(bool Value) { FHideLastRow = Value; }
    Integer NormalRowCount() const { return FNormalRowCount; }
    void SetNormalRowCount(Integer Value) { FNormalRowCount = Value; }
    TExGridUndoRedo* UndoRedo() const { return FUndoRedo; }
    void SetUndoRedo(TExGridUndoRedo* Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    bool ActiveRowShow() const { return FActiveRowShow; }
    void SetActiveRowShow(bool Value);
    TColor ActiveRowColor() const { return FActiveRowColor; }
    void SetActiveRowColor(TColor Value) { SetColorField(FActiveRowColor, Value); }
    TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
    void SetActiveRowColorTo(TColor Value) { SetColorField(FActiveRowColorTo, Value); }
    TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
    void SetActiveRowMirrorColor(TColor Value) { SetColorField(FActiveRowMirrorColor, Value); }
    TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
    void SetActiveRowMirrorColorTo(TColor Value) { SetColorField(FActiveRowMirrorColorTo, Value); }
    TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(TGridSelectionStyle Value);
    Integer HoverRowIdx() const { return FHoverRowIdx; }
    void SetHoverRowIdx(Integer Value) { FHoverRowIdx = Value; }
    bool HoverRow() const { return FHoverRow; }
    void SetHoverRow(bool Value) { FHoverRow = Value; }
    THoverRowCells HoverRowCells() const { return FHoverRowCells; }
    void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
    TColor HoverRowColor() const { return FHoverRowColor; }
    void SetHoverRowColor(TColor Value) { SetColorField(FHoverRowColor, Value); }
    TColor HoverRowColorTo() const { return FHoverRowColorTo; }
    void SetHoverRowColorTo(TColor Value) { SetColorField(FHoverRowColorTo, Value); }
    bool ShowSel() const { return FShowSel; }
    void SetShowSel(bool Value) { FShowSel = Value; }
    bool HasCellProps() const { return FHasCellProps; }
    void SetHasCellProps(bool Value) { FHasCellProps = Value; }
    Integer MergeCount() const { return FMergeCount; }

    TGetDisplTextEvent OnGetDisplText;
    TGetDisplTextEvent OnGetDisplWideText;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState) override;
    bool SelectCell(Integer ACol, Integer ARow) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void TopLeftChanged() override;
    QString GetEditText(Integer ACol, Integer ARow) override;
    void SetEditText(Integer ACol, Integer ARow, const QString& Value) override;

    // The painter behind DrawCell, PaintCell (Full), PaintCellExt and
    // PaintCellAt (Placed: content into ARect, no merging or clipping).
    void PaintCellFrame(TCanvas* Canvas, Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState, bool Full,
                        bool Placed = false);
    // The cell's properties when it has any (no creation).
    TCellProperties* PropsOf(Integer ACol, Integer ARow) const;
    template <class TextArg>
    void StoreCellEx(Integer ACol, Integer ARow, TextArg&& Value);
    // Makes and stores the properties of an empty slot.
    TCellProperties* CreateCellProperties(Integer ACol, Integer ARow);
    // Frees a properties object with its graphic when that is a plain TCellGraphic.
    static void FreePropertiesObject(TCellProperties* Props);
    // Notes a slot that holds properties (the storage keeps cells beyond the counts).
    void NoteStoredProps(Integer ACol, Integer ARow)
    {
        FPropsColExtent = std::max(FPropsColExtent, ACol + 1);
        FPropsRowExtent = std::max(FPropsRowExtent, ARow + 1);
    }
    // Frees every properties object the storage holds, counts or not.
    void FreeStoredCellProperties();
    bool IsDestroying() const { return HasState(csDestroying); }

    bool FDefaultDrawing = false;
    Integer FGridLineWidth = 1;
    TColor FGridLineColor = clSilver;
    TColor FGridFixedLineColor = clGray;
    Integer FPaintID = 1;
    bool FHideLastRow = false;
    Integer FNormalRowCount = 0;
    TExGridUndoRedo* FUndoRedo = nullptr;
    bool FWordWrap = true;
    bool FActiveRowShow = false;
    TColor FActiveRowColor = clInfoBk;
    TColor FActiveRowColorTo = clNone;
    TColor FActiveRowMirrorColor = clNone;
    TColor FActiveRowMirrorColorTo = clNone;
    TGridSelectionStyle FSelectionStyle = ssDefault;
    Integer FHoverRowIdx = -1;
    bool FHoverRow = false;
    THoverRowCells FHoverRowCells = hcNormal | hcSelected;
    TColor FHoverRowColor = clInfoBk;
    TColor FHoverRowColorTo = clNone;
    bool FShowSel = true;
    bool FHasCellProps = false;
    Integer FMergeCount = 0;

private:
    void SetColorField(TColor& Field, TColor Value);
    void DrawSelectionFrame(TCanvas* Canvas, Integer ACol, const TRect& R);
    // The largest column and row (plus one) at which properties were ever
    // stored: the storage keeps cells beyond the counts.
    Integer FPropsColExtent = 0;
    Integer FPropsRowExtent = 0;
};
