// TExStringGrid: cells by real row (hidden rows included) and in their
// original column order, the widths of all real columns, the per-cell look
// kept in each cell's properties, the row-wide colours, and the update lock
// that batches changes without painting.

#include "grid/ExGrid.h"

#include "grid/ExGridCellGraphic.h"
#include "grid/ExUtil.h"
#include "platform/Messages.h"

// ------------------------------------------------------------ update lock

void TExStringGrid::BeginUpdate()
{
    if (!Visible())
        return;
    ++FUpdateCount;
    if (HandleAllocated())
        SendMessage(this, WM_SETREDRAW, 0);
}

void TExStringGrid::EndUpdate()
{
    if (!Visible())
        return;
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount != 0 || IsDestroying())
        return;
    FSelChange = false;
    if (HandleAllocated())
        SendMessage(this, WM_SETREDRAW, 1);
    Invalidate();
    InvalidateFrame();
}

void TExStringGrid::SetLockUpdate(bool Value)
{
    if (Value)
        BeginUpdate();
    else
        EndUpdate();
}

// ------------------------------------------------------- cells by real row

QString TExStringGrid::GetAllCells(Integer ACol, Integer ARow) const
{
    if (ACol < 0 || ARow < 0)
        return {};
    if (const TStringList* cells = HiddenRowStrings(ARow)) {
        QString text = ACol < cells->Count() ? cells->Strings(ACol) : QString();
        GetDisplText(ACol, ARow, text);
        return text;
    }
    return GetCellEx(ACol, DisplRowIndex(ARow));
}

void TExStringGrid::SetAllCells(Integer ACol, Integer ARow, const QString& Value)
{
    SetCellsEx(ACol, ARow, Value);
    if (HiddenRowStrings(ARow) == nullptr && DisplColIndex(ACol) != ACol)
        RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
}

QString TExStringGrid::AllGridCells(Integer ACol, Integer ARow) const
{
    if (const TStringList* cells = HiddenRowStrings(ARow))
        return ACol >= 0 && ACol < cells->Count() ? cells->Strings(ACol) : QString();
    return GetGridCell(ACol, DisplRowIndex(ARow));
}

void TExStringGrid::SetAllGridCells(Integer ACol, Integer ARow, const QString& Value)
{
    if (TStringList* cells = HiddenRowStrings(ARow)) {
        if (ACol >= 0 && ACol < cells->Count())
            cells->SetStrings(ACol, Value);
        return;
    }
    SetGridCell(ACol, DisplRowIndex(ARow), Value);
    if (DisplColIndex(ACol) != ACol)
        RepaintCell(DisplColIndex(ACol), DisplRowIndex(ARow));
}

TObject* TExStringGrid::GetAllGridObjects(Integer ACol, Integer ARow) const
{
    if (const TStringList* cells = HiddenRowStrings(ARow))
        return ACol >= 0 && ACol < cells->Count() ? cells->Objects(ACol) : nullptr;
    return GetGridObject(ACol, DisplRowIndex(ARow));
}

TObject* TExStringGrid::AllObjects(Integer ACol, Integer ARow) const
{
    if (HiddenRowStrings(ARow) == nullptr)
        return Objects(ACol, DisplRowIndex(ARow));
    TObject* slot = GetAllGridObjects(ACol, ARow);
    if (const auto* props = dynamic_cast<const TCellProperties*>(slot))
        return props->CellObject();
    return slot;
}

void TExStringGrid::SetAllObjects(Integer ACol, Integer ARow, TObject* Value)
{
    TStringList* cells = HiddenRowStrings(ARow);
    if (cells == nullptr) {
        SetObjects(ACol, DisplRowIndex(ARow), Value);
        return;
    }
    while (cells->Count() <= ACol)
        cells->Add(QString());
    // The object is kept as the user object of the cell's properties, so
    // that it is found where Objects looks once the row is shown again.
    auto* props = dynamic_cast<TCellProperties*>(cells->Objects(ACol));
    if (props == nullptr) {
        props = new TCellProperties(this, ACol, ARow);
        cells->SetObjects(ACol, props);
        FHasCellProps = true;
    }
    props->SetCellObject(Value);
}

TStringList* TExStringGrid::HiddenRowStrings(Integer ARow) const
{
    const Integer item = FindHiddenRow(ARow);
    return item >= 0 ? FGridItems->ItemsAs<TGridItem>(item)->Items() : nullptr;
}

QString TExStringGrid::OriginalCells(Integer ACol, Integer ARow) const
{
    return Cells(ColumnPosition(ACol), ARow);
}

void TExStringGrid::SetOriginalCells(Integer ACol, Integer ARow, const QString& Value)
{
    SetCells(ColumnPosition(ACol), ARow, Value);
}

QString TExStringGrid::StrippedCells(Integer ACol, Integer ARow) const
{
    return StrippedCell(ACol, ARow);
}

Integer TExStringGrid::LinesInCell(Integer ACol, Integer ARow) const
{
    return Integer(Cells(ACol, ARow).count(u'\r')) + 1;
}

// ------------------------------------------------------------ column widths

Integer TExStringGrid::AllColWidths(Integer ACol) const
{
    if (ACol < 0 || ACol > MAX_COLUMNS)
        throw DOzeDidoRivar(QStringLiteral("Invalid column %1 accessed").arg(ACol));
    const Integer d = RealToDisplCol(ACol);
    if (IsHiddenColumn(ACol) || d >= ColCount())
        return FAllColWidths[size_t(ACol)];
    return ColWidths(d);
}

void TExStringGrid::SetAllColWidths(Integer ACol, Integer Value)
{
    if (ACol < 0 || ACol > MAX_COLUMNS)
        throw DOzeDidoRivar(QStringLiteral("Invalid column %1 accessed").arg(ACol));
    FAllColWidths[size_t(ACol)] = SmallInt(std::clamp<Integer>(Value, -32768, 32767));
    const Integer d = RealToDisplCol(ACol);
    if (!IsHiddenColumn(ACol) && d < ColCount())
        SetColWidths(d, Value);
}

// ------------------------------------------------------------ per-cell look

namespace {

// Reads a value of the cell's properties, or the default without any.
template <class T, class Fn> T PropOr(const TCellProperties* Props, T Default, Fn Get)
{
    return Props != nullptr ? Get(Props) : Default;
}

} // namespace

TColor TExStringGrid::Colors(Integer ACol, Integer ARow) const
{
    return PropOr(PropsOf(ACol, ARow), clNone, [](const TCellProperties* p) { return p->BrushColor(); });
}

void TExStringGrid::SetColors(Integer ACol, Integer ARow, TColor Value)
{
    // The properties repaint their cell (held back while updates are locked).
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
}

TColor TExStringGrid::ColorsTo(Integer ACol, Integer ARow) const
{
    return PropOr(PropsOf(ACol, ARow), clNone, [](const TCellProperties* p) { return p->BrushColorTo(); });
}

void TExStringGrid::SetColorsTo(Integer ACol, Integer ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColorTo(Value);
}

TCellGradientDirection TExStringGrid::Gradients(Integer ACol, Integer ARow) const
{
    return PropOr(PropsOf(ACol, ARow), GradientVertical,
                  [](const TCellProperties* p) { return p->GradientDirection(); });
}

void TExStringGrid::SetGradients(Integer ACol, Integer ARow, TCellGradientDirection Value)
{
    GetCellProperties(ACol, ARow)->SetGradientDirection(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TColor TExStringGrid::FontColors(Integer ACol, Integer ARow) const
{
    return PropOr(PropsOf(ACol, ARow), clNone, [](const TCellProperties* p) { return p->FontColor(); });
}

void TExStringGrid::SetFontColors(Integer ACol, Integer ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetFontColor(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TFontStyles TExStringGrid::FontStyles(Integer ACol, Integer ARow) const
{
    return PropOr(PropsOf(ACol, ARow), TFontStyles(), [](const TCellProperties* p) { return p->FontStyle(); });
}

void TExStringGrid::SetFontStyles(Integer ACol, Integer ARow, TFontStyles Value)
{
    GetCellProperties(ACol, ARow)->SetFontStyle(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

Integer TExStringGrid::FontSizes(Integer ACol, Integer ARow) const
{
    return PropOr(PropsOf(ACol, ARow), Integer(0), [](const TCellProperties* p) { return p->FontSize(); });
}

void TExStringGrid::SetFontSizes(Integer ACol, Integer ARow, Integer Value)
{
    GetCellProperties(ACol, ARow)->SetFontSize(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

QString TExStringGrid::FontNames(Integer ACol, Integer ARow) const
{
    return PropOr(PropsOf(ACol, ARow), QString(), [](const TCellProperties* p) { return p->FontName(); });
}

void TExStringGrid::SetFontNames(Integer ACol, Integer ARow, const QString& Value)
{
    GetCellProperties(ACol, ARow)->SetFontName(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TExStringGrid::SetFonts(Integer ACol, Integer ARow, const TFont* AFont)
{
    TCellProperties* p = GetCellProperties(ACol, ARow);
    p->SetFontName(AFont->Name());
    p->SetFontSize(AFont->Size());
    p->SetFontStyle(AFont->Style());
    p->SetFontColor(AFont->Color());
    if (FUpdateCount == 0)
        RepaintCell(DisplColIndex(ACol), ARow);
}

TAlignment TExStringGrid::Alignments(Integer ACol, Integer ARow) const
{
    return PropOr(PropsOf(ACol, ARow), taLeftJustify, [](const TCellProperties* p) { return p->Alignment(); });
}

void TExStringGrid::SetAlignments(Integer ACol, Integer ARow, TAlignment Value)
{
    GetCellProperties(ACol, ARow)->SetAlignment(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TExStringGrid::SetReadOnly(Integer ACol, Integer ARow, bool Value)
{
    GetCellProperties(ACol, ARow)->SetReadOnly(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

bool TExStringGrid::WordWraps(Integer ACol, Integer ARow)
{
    return GetCellProperties(ACol, ARow)->WordWrap();
}

void TExStringGrid::SetWordWraps(Integer ACol, Integer ARow, bool Value)
{
    GetCellProperties(ACol, ARow)->SetWordWrap(Value);
}

// ------------------------------------------------------------ row colours

// A colour given back (clNone) takes only that colour from the row: the
// cells keep their read-only flags, merged areas, graphics and looks; a
// properties object left holding nothing of its own is freed, so that its
// cell is as if it never had one.

bool TExStringGrid::PropsHoldNothingOwn(Integer ACol, Integer ARow)
{
    TCellProperties* p = PropsOf(ACol, ARow);
    if (p == nullptr)
        return false;
    if (p->GraphicObject() != nullptr || p->CellObject() != nullptr || p->CalcObject() != nullptr
        || p->Control() != nullptr || p->ReadOnly() || !p->IsBaseCell() || p->CellSpanX() != -1 || p->CellSpanY() != -1
        || p->BorderWidth() != 0 || p->BorderColor() != 0 || p->BrushStyle() != bsSolid || p->CalcType() != acNONE
        || p->NodeLevel() != 0 || p->Editor() != edNormal)
        return false;
    // The looks against those of the same cell without properties.
    SetGridObject(ACol, ARow, nullptr);
    TCellProperties* fresh = CreateCellProperties(ACol, ARow);
    SetGridObject(ACol, ARow, p);
    auto unsetOr = [](TColor Own, TColor Default) { return Own == clNone || Own == Default; };
    const bool plain = p->Alignment() == fresh->Alignment() && p->VAlignment() == fresh->VAlignment()
                       && p->WordWrap() == fresh->WordWrap() && p->GradientDirection() == fresh->GradientDirection()
                       && (p->FontName().isEmpty() || p->FontName() == fresh->FontName())
                       && (p->FontSize() == 0 || p->FontSize() == fresh->FontSize())
                       && (p->FontStyle().Empty() || p->FontStyle() == fresh->FontStyle())
                       && unsetOr(p->FontColor(), fresh->FontColor())
                       && unsetOr(p->BrushColor(), fresh->BrushColor())
                       && unsetOr(p->BrushColorTo(), fresh->BrushColorTo());
    delete fresh;
    return plain;
}

void TExStringGrid::SetRowColor(Integer ARow, TColor Value)
{
    for (Integer c = FixedCols(); c < AllColCount(); ++c) {
        if (Value != clNone) {
            GetCellProperties(c, ARow)->SetBrushColor(Value);
        } else if (TCellProperties* p = PropsOf(c, ARow)) {
            p->SetBrushColor(clNone);
            if (PropsHoldNothingOwn(c, ARow))
                FreeCellProperties(c, ARow);
        }
    }
    RepaintRow(ARow);
}

void TExStringGrid::SetRowColorTo(Integer ARow, TColor Value)
{
    for (Integer c = FixedCols(); c < AllColCount(); ++c) {
        if (Value != clNone) {
            GetCellProperties(c, ARow)->SetBrushColorTo(Value);
        } else if (TCellProperties* p = PropsOf(c, ARow)) {
            p->SetBrushColorTo(clNone);
            if (PropsHoldNothingOwn(c, ARow))
                FreeCellProperties(c, ARow);
        }
    }
    RepaintRow(ARow);
}

void TExStringGrid::SetRowFontColor(Integer ARow, TColor Value)
{
    for (Integer c = FixedCols(); c < AllColCount(); ++c) {
        if (Value != clNone) {
            GetCellProperties(c, ARow)->SetFontColor(Value);
        } else if (TCellProperties* p = PropsOf(c, ARow); p != nullptr && Colors(c, ARow) == clNone) {
            // (A cell with a colour of its own keeps its font colour too.)
            p->SetFontColor(clNone);
            if (PropsHoldNothingOwn(c, ARow))
                FreeCellProperties(c, ARow);
        }
    }
    RepaintRow(ARow);
}

// ------------------------------------------------------------ small settings

void TExStringGrid::SetGridCursor(TCursor Value)
{
    SetCursor(Value);
    FOldCursor = Value;
}

void TExStringGrid::SetIntegralHeightEx(bool Value)
{
    SetIntegralHeight(Value);
    SetBounds(Left(), Top(), Width(), Height());
}
