// TStringGrid: a text and an object per cell, kept row by row. A row's
// storage is made on the first write into it and grows to the column
// written, so reading never allocates and cells beyond the counts keep what
// they hold. Rows and columns are also offered as string lists.

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

// Inline: every new text of a long grid's fill comes this way.
inline TStringGrid::TRowData& TStringGrid::RowFor(Integer ARow)
{
    if (size_t(ARow) >= FData.size())
        FData.resize(std::max(size_t(ARow) + 1, size_t(RowCount())));
    return FData[size_t(ARow)];
}

QString TStringGrid::Cells(Integer ACol, Integer ARow) const
{
    if (ACol < 0 || ARow < 0 || size_t(ARow) >= FData.size())
        return {};
    const auto& texts = FData[size_t(ARow)].Texts;
    return size_t(ACol) < texts.size() ? texts[size_t(ACol)] : QString();
}

QString* TStringGrid::TextSlot(Integer ACol, Integer ARow, bool Empty)
{
    CheckIndex(ACol, ARow);
    TCellTexts& texts = RowFor(ARow).Texts;
    if (size_t(ACol) < texts.size())
        return &texts[size_t(ACol)];
    if (Empty)
        return nullptr;
    const size_t n = std::max(size_t(ACol) + 1, size_t(ColCount()));
    if (texts.empty()) {
        // A row's first text: its array, as long as the row, from the pool.
        texts = TCellTexts(n, TCellTextAllocator(&FTextPool));
    } else {
        texts.resize(n);
    }
    return &texts[size_t(ACol)];
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
    if (!FAnyObject || ACol < 0 || ARow < 0 || size_t(ARow) >= FData.size())
        return nullptr;
    const auto& objects = FData[size_t(ARow)].Objects;
    return size_t(ACol) < objects.size() ? objects[size_t(ACol)] : nullptr;
}

void TStringGrid::SetObjects(Integer ACol, Integer ARow, TObject* Value)
{
    CheckIndex(ACol, ARow);
    TRowData& row = RowFor(ARow);
    if (size_t(ACol) >= row.Objects.size()) {
        if (Value == nullptr)
            return;
        row.Objects.resize(std::max(size_t(ACol) + 1, size_t(ColCount())), nullptr);
    }
    row.Objects[size_t(ACol)] = Value;
    if (Value != nullptr)
        FAnyObject = true;
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
    // Every row's texts and objects move with the column.
    const size_t hi = size_t(std::max(FromIndex, ToIndex));
    auto move = [&](auto& v, auto blank) {
        if (v.empty())
            return;
        if (v.size() <= hi)
            v.resize(hi + 1, blank);
        MoveItem(v, FromIndex, ToIndex);
    };
    for (TRowData& row : FData) {
        move(row.Texts, QString());
        move(row.Objects, static_cast<TObject*>(nullptr));
    }
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::PermuteRows(Integer From, const std::vector<Integer>& Order)
{
    const Integer n = Integer(Order.size());
    if (From < 0 || n == 0)
        return;
    if (FData.size() < size_t(From + n))
        FData.resize(size_t(From + n));
    std::vector<TRowData> moved(Order.size());
    for (Integer i = 0; i < n; ++i)
        moved[size_t(i)] = std::move(FData[size_t(From + Order[size_t(i)])]);
    std::move(moved.begin(), moved.end(), FData.begin() + From);
    PermuteRowHeights(From, Order);
    Invalidate();
}

void TStringGrid::RowMoved(Integer FromIndex, Integer ToIndex)
{
    const size_t hi = size_t(std::max(FromIndex, ToIndex));
    if (FData.size() <= hi)
        FData.resize(hi + 1);
    MoveItem(FData, FromIndex, ToIndex);
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}
