// TExStringGrid: check boxes (plain, data, virtual, row and tri-state),
// radio buttons and radio groups in cells: adding, reading, setting,
// toggling and the queries that tell painting and input about them.

#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "platform/StringList.h"

namespace {

bool IsCheckKind(TCellType T)
{
    return T == ctCheckBox || T == ctDataCheckBox || T == ctVirtCheckBox || T == ctRowCheckBox
           || T == ctTriStateCheckBox;
}

} // namespace

TCellVAlign TExStringGrid::GridCellVAlign() const
{
    return VAlignment() == vtaCenter ? vaCenter : VAlignment() == vtaBottom ? vaBottom : vaTop;
}

bool TExStringGrid::IsNodeRow(Integer ARow)
{
    return GetCellType(0, ARow) == ctNode;
}

bool TExStringGrid::IsSummaryRow(Integer ARow)
{
    return GetCellType(0, ARow) == ctSummary;
}

// ------------------------------------------------------------ adding

void TExStringGrid::AddCheckBox(Integer ACol, Integer ARow, bool State, bool Data)
{
    if (ACol < 0 || ARow < 0 || ACol >= TotalColCount() || ARow >= TotalRowCount())
        throw DOzeDidoRivar(QStringLiteral("Invalid cell"));
    TCellGraphic* g = NewGraphic(ACol, ARow, Data ? ctDataCheckBox : ctCheckBox, haBeforeText, GridCellVAlign());
    g->CellBoolean = State;
    g->CellAngle = 0;
    g->CellTransparent = true;
    if (Data) {
        // The grid's own texts: a text that already is one of them is kept.
        const QString text = Cells(ACol, ARow);
        if (text != CheckTrue() && text != CheckFalse())
            SetCells(ACol, ARow, State ? CheckTrue() : CheckFalse());
    }
    RepaintRealCell(ACol, ARow);
}

void TExStringGrid::AddCheckBox(Integer ACol, Integer ARow, TCheckBoxState State)
{
    if (ACol < 0 || ARow < 0 || ACol >= TotalColCount() || ARow >= TotalRowCount())
        throw DOzeDidoRivar(QStringLiteral("Invalid cell"));
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g == FCellGraphic.get())
        g = CreateCellGraphic(ACol, ARow);
    g->SetCheckBox(State, true, haBeforeText, GridCellVAlign());
    RepaintRealCell(ACol, ARow);
}

void TExStringGrid::AddTriStateCheckBoxColumn(Integer ACol, TCheckBoxState State)
{
    for (Integer r = FMouseActions->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r)
        AddCheckBox(ACol, r, State);
}

void TExStringGrid::AddCheckBoxColumn(Integer ACol, bool DefaultState, bool DataCheckBox)
{
    for (Integer r = FMouseActions->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r) {
        if (IsSummaryRow(r))
            continue;
        if (IsNodeRow(r))
            AddCheckBox(ACol, r, cbUnchecked);
        else
            AddCheckBox(ACol, r, DefaultState, DataCheckBox);
    }
}

void TExStringGrid::RemoveCheckBox(Integer ACol, Integer ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g == FCellGraphic.get()
        || (g->CellType != ctCheckBox && g->CellType != ctDataCheckBox && g->CellType != ctTriStateCheckBox))
        return;
    RemoveCellGraphic(ACol, ARow);
}

void TExStringGrid::RemoveCheckBoxColumn(Integer ACol)
{
    for (Integer r = FMouseActions->CheckAllCheck() ? 0 : FixedRows(); r < RowCount(); ++r)
        if (!IsSummaryRow(r) && HasCheckBox(ACol, r))
            RemoveCheckBox(ACol, r);
}

// ------------------------------------------------------------ queries

bool TExStringGrid::HasCheckBox(Integer ACol, Integer ARow)
{
    return HasCellType(ACol, ARow, {ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox, ctTriStateCheckBox});
}

bool TExStringGrid::HasDataCheckBox(Integer ACol, Integer ARow)
{
    return HasCellType(ACol, ARow, {ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox});
}

bool TExStringGrid::IsControlCell(Integer ACol, Integer ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    switch (GetCellType(b.X, b.Y)) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctTriStateCheckBox:
        return true;
    default:
        return false;
    }
}

bool TExStringGrid::HasDataGraphic(Integer ACol, Integer ARow)
{
    if (ACol < 0 || ARow < 0)
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.X, b.Y);
    return t == ctDataCheckBox || t == ctDataImage || t == ctVirtCheckBox || t == ctRowCheckBox;
}

bool TExStringGrid::IsChecked(Integer ACol, Integer ARow)
{
    bool state = false;
    return GetCheckBoxState(ACol, ARow, state) && state;
}

// ------------------------------------------------------------ state

// The descriptor that holds a check box's state (ARow real while rows are
// hidden): Full tells that it came from the full store, Text is its cell text.
TCellGraphic* TExStringGrid::StateGraphic(Integer ACol, Integer ARow, bool& Full, QString& Text)
{
    Full = false;
    if (NumHiddenRows() > 0 && ARow >= 0) {
        // ARow is a real row: its own descriptor or the one lent to it, and
        // its text, from the row itself, hidden or shown.
        Full = true;
        Text = GetCellsEx(ACol, ARow);
        const Integer item = FindHiddenRow(ARow);
        if (item < 0)
            return GetCellGraphic(ACol, DisplRowIndex(ARow));
        const TStringList* cells = FGridItems->ItemsAs<TGridItem>(item)->Items();
        if (ACol >= 0 && ACol < cells->Count())
            if (const auto* props = dynamic_cast<const TCellProperties*>(cells->Objects(ACol)))
                if (auto* g = dynamic_cast<TCellGraphic*>(props->GraphicObject()))
                    return g;
        return LentCellGraphic(ACol, ARow);
    }
    Text = Cells(ACol, ARow);
    return GetCellGraphic(ACol, ARow);
}

void TExStringGrid::WriteCheckText(Integer ACol, Integer ARow, bool Full, bool State)
{
    QString text;
    if (State)
        GetCheckTrue(ACol, ARow, text);
    else
        GetCheckFalse(ACol, ARow, text);
    if (Full)
        SetCellsEx(ACol, ARow, text);
    else
        SetCells(ACol, ARow, text);
}

bool TExStringGrid::GetCheckBoxState(Integer ACol, Integer ARow, bool& State)
{
    bool full = false;
    QString text;
    const TCellGraphic* g = StateGraphic(ACol, ARow, full, text);
    if (g == nullptr)
        return false;
    switch (g->CellType) {
    case ctCheckBox:
        State = g->CellBoolean;
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString yes;
        GetCheckTrue(ACol, ARow, yes);
        State = text == yes;
        return true;
    }
    case ctTriStateCheckBox:
        // Read by the same rule as the tri-state form: checked is checked.
        State = g->CellCheckBoxState == cbChecked;
        return true;
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        State = ARow >= 0 && RowSelect(ARow);
        return true;
    default:
        return false;
    }
}

bool TExStringGrid::GetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState& State)
{
    bool full = false;
    QString text;
    const TCellGraphic* g = StateGraphic(ACol, ARow, full, text);
    if (g == nullptr)
        return false;
    if (g->CellType == ctTriStateCheckBox) {
        State = g->CellCheckBoxState;
        return true;
    }
    bool checked = false;
    if (!GetCheckBoxState(ACol, ARow, checked))
        return false;
    State = BoolToCheckBoxState(checked);
    return true;
}

bool TExStringGrid::SetCheckBoxState(Integer ACol, Integer ARow, bool State)
{
    bool full = false;
    QString text;
    TCellGraphic* g = StateGraphic(ACol, ARow, full, text);
    if (g == nullptr)
        return false;
    const Integer shown = full ? DisplRowIndex(ARow) : ARow;
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = State;
        RepaintRealCell(ACol, shown);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        WriteCheckText(ACol, ARow, full, State);
        RepaintRealCell(ACol, shown);
        return true;
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        SetRowSelect(ARow, State);
        return true;
    default:
        return false;
    }
}

bool TExStringGrid::SetCheckBoxState(Integer ACol, Integer ARow, TCheckBoxState State)
{
    bool full = false;
    QString text;
    TCellGraphic* g = StateGraphic(ACol, ARow, full, text);
    if (g == nullptr || g->CellType != ctTriStateCheckBox)
        return false;
    g->CellCheckBoxState = State;
    RepaintRealCell(ACol, full ? DisplRowIndex(ARow) : ARow);
    return true;
}

bool TExStringGrid::DoToggleCheckBox(Integer ACol, Integer ARow, bool CheckCanEdit)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || !IsCheckKind(g->CellType))
        return false;
    if (CheckCanEdit && !FControlLook->CheckAlwaysActive) {
        bool canEdit = true;
        DoCanEditCell(ACol, ARow, canEdit);
        if (!canEdit)
            return false;
    }
    bool newState = false;
    switch (g->CellType) {
    case ctCheckBox:
        g->CellBoolean = !g->CellBoolean;
        newState = g->CellBoolean;
        break;
    case ctTriStateCheckBox: {
        TCheckBoxState next;
        if (FGrouping->AutoCheckGroup && IsNodeRow(ARow))
            next = g->CellCheckBoxState == cbChecked ? cbUnchecked : cbChecked;
        else
            next = g->CellCheckBoxState == cbUnchecked ? cbGrayed
                   : g->CellCheckBoxState == cbGrayed  ? cbChecked
                                                       : cbUnchecked;
        g->CellCheckBoxState = next;
        newState = next == cbChecked;
        break;
    }
    default: {
        // Data, virtual and row check boxes: the text decides.
        QString yes, no;
        GetCheckTrue(ACol, ARow, yes);
        GetCheckFalse(ACol, ARow, no);
        newState = Cells(ACol, ARow) != yes;
        SetCells(ACol, ARow, newState ? yes : no);
        break;
    }
    }
    RepaintRealCell(ACol, ARow);
    CheckBoxChange(ACol, ARow, newState);
    if (UndoRedo() != nullptr) {
        // Recorded by the new state: a data check box keeps it in its text.
        QString yes, no;
        GetCheckTrue(ACol, ARow, yes);
        GetCheckFalse(ACol, ARow, no);
        if (newState)
            UndoRedo()->RegisterChange(ACol, ARow, yes, no);
        else
            UndoRedo()->RegisterChange(ACol, ARow, no, yes);
    }
    return true;
}

bool TExStringGrid::ChangeCheckBoxState(Integer ACol, Integer ARow, bool State)
{
    const Integer real = NumHiddenRows() > 0 ? RealRowIndex(ARow) : ARow;
    bool full = false;
    QString text;
    TCellGraphic* g = StateGraphic(ACol, real, full, text);
    if (g == nullptr)
        return false;
    switch (g->CellType) {
    case ctCheckBox:
        if (g->CellBoolean != State) {
            g->CellBoolean = State;
            CheckBoxChange(ACol, ARow, State);
            RepaintRealCell(ACol, ARow);
        }
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString yes;
        GetCheckTrue(ACol, ARow, yes);
        const bool was = text == yes;
        WriteCheckText(ACol, full ? real : ARow, full, State);
        RepaintRealCell(ACol, ARow);
        if (was != State)
            CheckBoxChange(ACol, ARow, State);
        return true;
    }
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        if (RowSelect(real) != State) {
            SetRowSelect(real, State);
            CheckBoxChange(ACol, ARow, State);
        }
        return true;
    default:
        return false;
    }
}

void TExStringGrid::CheckAll(Integer ACol)
{
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        ChangeCheckBoxState(ACol, r, true);
    if (FNumHidden > 0)
        RepaintCol(DisplColIndex(ACol));
}

void TExStringGrid::UnCheckAll(Integer ACol)
{
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        ChangeCheckBoxState(ACol, r, false);
}

void TExStringGrid::CheckBoxChange(Integer ACol, Integer ARow, bool State)
{
    if (OnCheckBoxChange)
        OnCheckBoxChange(this, ACol, ARow, State);
}

void TExStringGrid::CheckBoxClick(Integer ACol, Integer ARow, TCheckBoxState State)
{
    if (OnCheckBoxClick)
        OnCheckBoxClick(this, ACol, ARow, State == cbChecked);
    if (OnCheckBoxClickState)
        OnCheckBoxClickState(this, ACol, ARow, State);
}

bool TExStringGrid::ClickCheckBox(Integer ACol, Integer ARow)
{
    const Integer rc = RealColIndex(ACol);
    if (!DoToggleCheckBox(rc, ARow, true))
        return false;
    TCheckBoxState state = cbUnchecked;
    GetCheckBoxState(rc, NumHiddenRows() > 0 ? RealRowIndex(ARow) : ARow, state);
    CheckBoxClick(ACol, ARow, state);
    return true;
}

bool TExStringGrid::IsInCheckBox(Integer ACol, Integer ARow, Integer X, Integer Y)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr
        || !(IsCheckKind(g->CellType) || g->CellType == ctRadioButton))
        return false;
    if (!FMouseActions->PreciseCheckBoxCheck())
        return true;
    const Integer S = FControlLook->CheckSize();
    const TRect R = CellRect(DisplColIndex(ACol), ARow);
    Integer top = 0;
    switch (g->CellVAlign) {
    case vaTop:
        top = R.Top + 2;
        break;
    case vaBottom:
        top = R.Bottom - S - 2;
        break;
    case vaCenter:
        top = R.Top + (R.Bottom - R.Top - S) / 2;
        break;
    default:
        break;
    }
    Integer left = R.Left + 2;
    switch (CalcCellAlignment(ACol, ARow).first) {
    case taRightJustify:
        left = R.Right - S - 2;
        if (!Cells(ACol, ARow).isEmpty())
            left -= GetCellTextSize(ACol, ARow, false, false).X;
        break;
    case taCenter:
        left = R.Left + (R.Right - R.Left - S) / 2;
        break;
    default:
        break;
    }
    return X >= left && X < left + S && Y >= top && Y < top + S;
}

// ------------------------------------------------------------ radio buttons

void TExStringGrid::AddRadioButton(Integer ACol, Integer ARow, bool State)
{
    if (ACol < 0 || ARow < 0 || ACol >= TotalColCount() || ARow >= TotalRowCount())
        throw DOzeDidoRivar(QStringLiteral("Invalid cell"));
    TCellGraphic* g = NewGraphic(ACol, ARow, ctRadioButton, haBeforeText, GridCellVAlign());
    g->CellBoolean = State;
    g->CellAngle = 0;
    g->CellTransparent = true;
    RepaintRealCell(ACol, ARow);
}

bool TExStringGrid::IsRadioButtonChecked(Integer ACol, Integer ARow)
{
    if (!HasRadioButton(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->CellBoolean;
}

bool TExStringGrid::SetRadioButtonState(Integer ACol, Integer ARow, bool State)
{
    if (!HasRadioButton(ACol, ARow))
        return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (g->CellBoolean != State) {
        g->CellBoolean = State;
        RepaintRealCell(b.X, b.Y);
    }
    return true;
}

void TExStringGrid::AddRadioButtonColumn(Integer ACol)
{
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        AddRadioButton(ACol, r, false);
}

void TExStringGrid::RemoveRadioButtonColumn(Integer ACol)
{
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (HasRadioButton(ACol, r))
            RemoveRadioButton(ACol, r);
}

void TExStringGrid::SetRadioButtonColumnIndex(Integer ACol, Integer Index)
{
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        SetRadioButtonState(ACol, r, r == Index);
}

Integer TExStringGrid::GetRadioButtonColumnIndex(Integer ACol)
{
    for (Integer r = FixedRows(); r < RowCount(); ++r)
        if (IsRadioButtonChecked(ACol, r))
            return r;
    return -1;
}

bool TExStringGrid::DoSelectRadioButton(Integer ACol, Integer ARow, bool CheckCanEdit)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g->CellType != ctRadioButton)
        return false;
    if (CheckCanEdit && !FControlLook->CheckAlwaysActive) {
        bool canEdit = true;
        DoCanEditCell(ACol, ARow, canEdit);
        if (!canEdit)
            return false;
    }
    if (!g->CellBoolean) {
        g->CellBoolean = true;
        RepaintRealCell(ACol, ARow);
        for (Integer r = 0; r < RowCount(); ++r) {
            if (r == ARow)
                continue;
            TCellGraphic* other = GetCellGraphic(ACol, r);
            if (other != nullptr && other->CellType == ctRadioButton && other->CellBoolean) {
                other->CellBoolean = false;
                RepaintRealCell(ACol, r);
            }
        }
    }
    return true;
}

// ------------------------------------------------------------ radio groups

void TExStringGrid::AddRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio, TStrings* Options)
{
    TCellGraphic* g = NewGraphic(ACol, ARow, ctRadio, haLeft, vaTop);
    g->CellAngle = Options != nullptr ? Options->Count() : 0;
    g->CellBoolean = DirRadio != 0;
    g->CellIndex = IdxRadio;
    g->SetCellBitmap(Options);
}

TStrings* TExStringGrid::CreateRadio(Integer ACol, Integer ARow, Integer DirRadio, Integer IdxRadio)
{
    auto* options = new TStringList();
    AddRadio(ACol, ARow, DirRadio, IdxRadio, options);
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    g->CellAngle = 0;
    g->CellCreated = true;
    return options;
}

bool TExStringGrid::GetRadioIdx(Integer ACol, Integer ARow, Integer& IdxRadio)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr)
        return false;
    IdxRadio = g->CellIndex;
    return g->CellType == ctRadio;
}

bool TExStringGrid::SetRadioIdx(Integer ACol, Integer ARow, Integer IdxRadio)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g->CellType != ctRadio)
        return false;
    g->CellIndex = IdxRadio;
    if (IdxRadio == -1)
        SetCells(ACol, ARow, QString());
    RepaintRealCell(ACol, ARow);
    return true;
}

TStrings* TExStringGrid::GetRadioStrings(Integer ACol, Integer ARow)
{
    if (!IsRadio(ACol, ARow))
        return nullptr;
    const TPoint b = BaseCell(ACol, ARow);
    return dynamic_cast<TStrings*>(GetCellGraphic(b.X, b.Y)->CellBitmap());
}

void TExStringGrid::AdvanceRadio(Integer ACol, Integer ARow, bool CheckCanEdit)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr || g->CellType != ctRadio)
        return;
    if (CheckCanEdit && !FControlLook->RadioAlwaysActive) {
        bool canEdit = true;
        DoCanEditCell(ACol, ARow, canEdit);
        if (!canEdit)
            return;
    }
    const auto* options = dynamic_cast<const TStrings*>(g->CellBitmap());
    const Integer count = options != nullptr ? options->Count() : 0;
    if (count == 0)
        return;
    Integer next = g->CellIndex >= 0 ? g->CellIndex + 1 : options->IndexOf(Cells(ACol, ARow)) + 1;
    if (next >= count)
        next = 0;
    if (g->CellIndex >= -1)
        g->CellIndex = next;
    g->CellVar = {true, false, next};
    SetCells(ACol, ARow, options->Strings(next));
    RepaintRealCell(ACol, ARow);
}
