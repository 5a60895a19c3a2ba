// TStringGrid: a text and an object per cell, kept in a table of cells
// (GridCellTable.h). The table is made on the first write, holding the
// grid's columns and the rows up to that write, and grows to the grid's
// counts (or the cell written past them) at a later write; reading never
// allocates, an unwritten cell reads empty, and cells beyond the counts keep
// what they hold. Rows and
// columns are also offered as string lists.

#include "platform/DrawGridWalk.h"

#include "platform/Canvas.h"
#include "platform/StringList.h"

// One row or column of a string grid as a TStrings.
class TStringGridStrings : public TStrings {
public:
    TStringGridStrings(TStringGrid* grid, bool row, Integer index) : FGrid(grid), FRow(row), FIndex(index) {}
    QString ClassName() const override { return QStringLiteral("TStringGridStrings"); }

    Integer GetCount() const override { return FRow ? FGrid->ColCount() : FGrid->RowCount(); }
    QString Get(Integer Index) const override
    {
        Check(Index);
        return FRow ? FGrid->Cells(Index, FIndex) : FGrid->Cells(FIndex, Index);
    }
    void Put(Integer Index, const QString& S) override
    {
        Check(Index);
        if (FRow)
            FGrid->SetCells(Index, FIndex, S);
        else
            FGrid->SetCells(FIndex, Index, S);
    }
    TObject* GetObject(Integer Index) const override
    {
        Check(Index);
        return FRow ? FGrid->Objects(Index, FIndex) : FGrid->Objects(FIndex, Index);
    }
    void PutObject(Integer Index, TObject* AObject) override
    {
        Check(Index);
        if (FRow)
            FGrid->SetObjects(Index, FIndex, AObject);
        else
            FGrid->SetObjects(FIndex, Index, AObject);
    }
    // The line has as many cells as the grid: nothing can be inserted or deleted.
    void Insert(Integer Index, const QString& S) override
    {
        throw EInvalidGridOperation(QStringLiteral("Cannot insert into or delete from a grid row or column"));
    }
    void Delete(Integer Index) override
    {
        throw EInvalidGridOperation(QStringLiteral("Cannot insert into or delete from a grid row or column"));
    }
    // Empties every cell of the line.
    void Clear() override
    {
        for (Integer i = 0; i < GetCount(); ++i) {
            Put(i, QString());
            PutObject(i, nullptr);
        }
    }
    // Puts S into the first empty cell; -1 when the line is full.
    Integer Add(const QString& S) override
    {
        for (Integer i = 0; i < GetCount(); ++i)
            if (Get(i).isEmpty() && GetObject(i) == nullptr) {
                Put(i, S);
                return i;
            }
        return -1;
    }
    Integer AddObject(const QString& S, TObject* AObject) override
    {
        const Integer i = Add(S);
        if (i >= 0)
            PutObject(i, AObject);
        return i;
    }
    // Copies the strings and objects of another list into the cells; cells
    // beyond its end are emptied.
    void Assign(const TPersistent* Source) override
    {
        const auto* src = dynamic_cast<const TStrings*>(Source);
        if (src == nullptr) {
            TStrings::Assign(Source);
            return;
        }
        // Read the source whole first: it may be a line of this same grid.
        const Integer n = src->Count();
        std::vector<QString> texts;
        std::vector<TObject*> objects;
        texts.reserve(size_t(n));
        objects.reserve(size_t(n));
        for (Integer i = 0; i < n; ++i) {
            texts.push_back(src->Strings(i));
            objects.push_back(src->Objects(i));
        }
        for (Integer i = 0; i < GetCount(); ++i) {
            Put(i, i < n ? texts[size_t(i)] : QString());
            PutObject(i, i < n ? objects[size_t(i)] : nullptr);
        }
    }

private:
    void Check(Integer Index) const
    {
        if (Index < 0 || Index >= GetCount())
            throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
    }

    TStringGrid* FGrid;
    bool FRow;
    Integer FIndex;
};

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner)
{
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::IndexError()
{
    throw EInvalidGridOperation(QStringLiteral("Grid index out of range"));
}

// The first write holds the rows up to the one written, so that writing a
// header row does not take room for every row of a long, still empty grid;
// a later write past them holds every row of the grid in one step, so that
// filling a grid moves its texts once at the most.
void TStringGrid::HoldCell(Integer ACol, Integer ARow)
{
    const size_t row = size_t(ARow) + 1;
    const size_t count = size_t(std::max<Integer>(RowCount(), 0));
    const size_t rows = FCells.RowsHeld() == 0 ? row : std::max(row, count);
    FCells.Grow(size_t(std::max(ACol + 1, ColCount())), rows);
}

QString TStringGrid::Cells(Integer ACol, Integer ARow) const
{
    const QString* text = FCells.Text(size_t(ACol), size_t(ARow));
    return text ? *text : QString();
}

QString* TStringGrid::TextSlot(Integer ACol, Integer ARow, bool Empty)
{
    CheckIndex(ACol, ARow);
    if (QString* slot = FCells.Text(size_t(ACol), size_t(ARow)))
        return slot;
    if (Empty)
        return nullptr;
    HoldCell(ACol, ARow);
    return FCells.Text(size_t(ACol), size_t(ARow));
}

void TStringGrid::SetCells(Integer ACol, Integer ARow, const QString& Value)
{
    if (QString* slot = TextSlot(ACol, ARow, Value.isEmpty())) {
        *slot = Value;
        InvalidateCell(ACol, ARow);
    }
}

void TStringGrid::SetNewCell(Integer ACol, Integer ARow, QString&& Value)
{
    if (QString* slot = TextSlot(ACol, ARow, Value.isEmpty())) {
        *slot = std::move(Value);
        InvalidateCell(ACol, ARow);
    }
}

TObject* TStringGrid::Objects(Integer ACol, Integer ARow) const
{
    TObject* const* object = FCells.Object(size_t(ACol), size_t(ARow));
    return object ? *object : nullptr;
}

void TStringGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value)
{
    CheckIndex(ACol, ARow);
    TObject** slot = FCells.Object(size_t(ACol), size_t(ARow));
    if (slot == nullptr) {
        if (Value == nullptr)
            return;
        HoldCell(ACol, ARow);
        FCells.KeepObjects();
        slot = FCells.Object(size_t(ACol), size_t(ARow));
    }
    *slot = Value;
}

TStrings* TStringGrid::Rows(Integer Index)
{
    CheckIndex(0, Index);
    auto& slot = FRowLists[Index];
    if (!slot)
        slot = std::make_unique<TStringGridStrings>(this, true, Index);
    return slot.get();
}

TStrings* TStringGrid::Cols(Integer Index)
{
    CheckIndex(Index, 0);
    auto& slot = FColLists[Index];
    if (!slot)
        slot = std::make_unique<TStringGridStrings>(this, false, Index);
    return slot.get();
}

void TStringGrid::SetRows(Integer Index, const TStrings* Value)
{
    Rows(Index)->Assign(Value);
}

void TStringGrid::SetCols(Integer Index, const TStrings* Value)
{
    Cols(Index)->Assign(Value);
}

void TStringGrid::DrawCell(Integer ACol, Integer ARow, TRect ARect, TGridDrawState AState)
{
    if (DefaultDrawing()) {
        const QString text = Cells(ACol, ARow);
        if (!text.isEmpty())
            Canvas()->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, text);
    }
    TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

QString TStringGrid::GetEditText(Integer ACol, Integer ARow)
{
    QString text = Cells(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, text);
    return text;
}

void TStringGrid::SetEditText(Integer ACol, Integer ARow, const QString& Value)
{
    if (Value != Cells(ACol, ARow))
        SetCells(ACol, ARow, Value);
    TDrawGrid::SetEditText(ACol, ARow, Value);
}

void TStringGrid::ColumnMoved(Integer FromIndex, Integer ToIndex)
{
    // Every row's texts and objects move with the column; columns past the
    // table are empty, and moving among them changes nothing.
    if (size_t(std::min(FromIndex, ToIndex)) < FCells.Stride()) {
        FCells.Grow(size_t(std::max(FromIndex, ToIndex)) + 1, 0);
        FCells.MoveColumn(size_t(FromIndex), size_t(ToIndex));
    }
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::PermuteRows(Integer From, const std::vector<Integer>& Order)
{
    const Integer n = Integer(Order.size());
    if (From < 0 || n == 0)
        return;
    // Rows past the table are empty: only held ones need reordering.
    if (size_t(From) < FCells.RowsHeld()) {
        FCells.Grow(0, size_t(From + n));
        FCells.PermuteRows(size_t(From), Order);
    }
    PermuteRowHeights(From, Order);
    Invalidate();
}

void TStringGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    if (size_t(std::min(FromIndex, ToIndex)) < FCells.RowsHeld()) {
        FCells.Grow(0, size_t(std::max(FromIndex, ToIndex)) + 1);
        FCells.MoveRow(size_t(FromIndex), size_t(ToIndex));
    }
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}
