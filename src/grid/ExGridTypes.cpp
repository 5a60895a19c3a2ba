// TExStringGrid: what a cell holds besides its text (its graphic and cell
// type), the size of that graphic, the typed views of the cell text
// (integers, floats, dates, times, form-control values), the display text
// hook, and the column and row header texts.

#include "grid/ExGrid.h"

#include "grid/EsgHTMLE.h"
#include "grid/ExGridCellGraphic.h"
#include "grid/ExUtil.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ImageList.h"
#include "platform/Text.h"

// ------------------------------------------------------------ graphics

TCellGraphic* TExStringGrid::GetCellGraphic(Integer ACol, Integer ARow)
{
    if (FMouseActions->HotmailRowSelect() && ACol == 0) {
        // One graphic serves every row as its row check box.
        TCellGraphic* g = FCellGraphic.get();
        g->CellType = ctRowCheckBox;
        g->CellTransparent = FControlLook->ControlStyle() == csFlat;
        const Integer normal = RowCount() - FixedRows();
        if (ARow == 0) {
            const Integer selected = FSelectedRows->Count();
            g->CellAngle = selected >= 1 && selected < normal ? 1 : 0;
            g->CellBoolean = selected >= normal;
        } else {
            g->CellAngle = 0;
            g->CellBoolean = ARow >= 0 && RowSelect(RealRowIndex(ARow));
        }
        return g;
    }
    if (ACol < 0 || ARow < 0)
        return nullptr;
    return dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
}

TCellGraphic* TExStringGrid::LentCellGraphic(Integer ACol, Integer ARow)
{
    if (!FMouseActions->HotmailRowSelect() || ACol != 0)
        return nullptr;
    TCellGraphic* g = FCellGraphic.get();
    g->CellType = ctRowCheckBox;
    g->CellTransparent = FControlLook->ControlStyle() == csFlat;
    g->CellAngle = 0;
    g->CellBoolean = ARow >= 0 && RowSelect(ARow);
    return g;
}

TCellType TExStringGrid::GetCellType(Integer ACol, Integer ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    if (FMouseActions->HotmailRowSelect() && ACol == 0)
        return ctRowCheckBox;
    const auto* g = dynamic_cast<const TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
    return g != nullptr ? g->CellType : ctEmpty;
}

TCellGraphic* TExStringGrid::CreateCellGraphic(Integer ACol, Integer ARow)
{
    if (auto* old = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow))) {
        SetGraphicObjectEx(ACol, ARow, nullptr);
        if (old != FCellGraphic.get() && old->CellType != ctVirtCheckBox)
            delete old;
    }
    auto* g = new TCellGraphic();
    SetGraphicObjectEx(ACol, ARow, g);
    if (FNumHidden > 0 && RealToDisplCol(ACol) != ACol)
        RepaintCell(RealToDisplCol(ACol), ARow);
    return g;
}

bool TExStringGrid::RemoveCellGraphic(Integer ACol, Integer ARow)
{
    auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(ACol, ARow));
    if (g == nullptr)
        return false;
    SetGraphicObjectEx(ACol, ARow, nullptr);
    if (g != FCellGraphic.get() && g->CellType != ctVirtCheckBox && g->CellType != ctRowCheckBox)
        delete g;
    if (!IsDestroying())
        RepaintCell(RealToDisplCol(ACol), ARow);
    return true;
}

bool TExStringGrid::RemoveCellGraphicOfType(Integer ACol, Integer ARow, TCellType CellType)
{
    return GetCellType(ACol, ARow) == CellType && RemoveCellGraphic(ACol, ARow);
}

TPoint TExStringGrid::GetCellGraphicSize(Integer ACol, Integer ARow)
{
    return CalcCellGraphicSize(ACol, ARow, 0);
}

TPoint TExStringGrid::CalcCellGraphicSize(Integer ACol, Integer ARow, Integer FreeHeight)
{
    TPoint size{0, 0};
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr)
        return size;
    const bool withText = !Cells(ACol, ARow).isEmpty();
    const bool beside = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
    const bool over = g->CellVAlign == vaUnderText || g->CellVAlign == vaAboveText;
    bool widthTaken = false;
    switch (g->CellType) {
    case ctImageList:
    case ctDataImage:
        if (FGridImages != nullptr) {
            size.X = beside || !withText ? FGridImages->Width() : 0;
            size.Y = over || !withText ? FGridImages->Height() : 0;
        }
        break;
    case ctButton:
    case ctBitButton:
        size.X = g->CellIndex & 0xFFFF;
        size.Y = (g->CellIndex >> 16) & 0xFFFF;
        if (withText) {
            if (g->CellHAlign == haCenter || over)
                size.X = 0;
            if (!over)
                size.Y = 0;
        }
        break;
    case ctProgressPie:
        size = {20, 20};
        break;
    case ctRadioButton:
        size = {FControlLook->RadioSize(), FControlLook->RadioSize()};
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox:
        size = {FControlLook->CheckSize(), FControlLook->CheckSize()};
        break;
    case ctRating:
        size = {g->CellAngle * 18, 16};
        widthTaken = true;
        break;
    default:
        break;
    }
    const TRect r = CellRect(RealToDisplCol(ACol), ARow);
    if (g->CellVAlign == vaFull)
        size.Y = r.Height();
    if (g->CellHAlign == haFull && !widthTaken)
        size.X = r.Width();
    (void)FreeHeight;
    return size;
}

TPoint TExStringGrid::CalcCellGraphicSizeAt(Integer ACol, Integer ARow, Integer Width, Integer Height, double Scale)
{
    TPoint size{0, 0};
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr)
        return size;
    const bool withText = !Cells(ACol, ARow).isEmpty();
    const bool beside = g->CellHAlign == haBeforeText || g->CellHAlign == haAfterText;
    const Integer dc = RealToDisplCol(ACol);
    auto graphicSize = [](TObject* Object) {
        if (const auto* graphic = dynamic_cast<const TGraphic*>(Object))
            return TPoint{graphic->Width(), graphic->Height()};
        if (const auto* picture = dynamic_cast<const TPicture*>(Object))
            return TPoint{picture->Width(), picture->Height()};
        return TPoint{0, 0};
    };
    switch (g->CellType) {
    case ctBitmap: size = graphicSize(g->CellBitmap()); break;
    case ctIcon: size = graphicSize(g->CellIcon()); break;
    case ctImageList:
        if (FGridImages != nullptr)
            size = {beside || !withText ? FGridImages->Width() : 0, FGridImages->Height()};
        break;
    case ctDataImage:
        if (FGridImages != nullptr)
            size = {FGridImages->Width(), FGridImages->Height()};
        break;
    case ctNode:
    case ctProgressPie: size = {20, 20}; break;
    case ctRadio:
        if (const auto* choices = dynamic_cast<const TStrings*>(g->CellBitmap())) {
            TCanvas* c = Canvas();
            const Integer lineHeight = c->TextHeight(QStringLiteral("gh"));
            if (g->CellBoolean) {
                for (Integer i = 0; i < choices->Count(); ++i)
                    size.X += c->TextWidth(choices->Strings(i)) + 12;
                size.Y = lineHeight;
            } else {
                size.X = 12;
                for (Integer i = 0; i < choices->Count(); ++i)
                    size.X = std::max(size.X, c->TextWidth(choices->Strings(i)) + 12);
                size.Y = lineHeight * choices->Count();
            }
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        Integer w = Width, h = Height;
        g->GetPictureSize(w, h);
        const double scale = Scale > 0 ? Scale : 1.0;
        size = {Integer(std::lround(w / scale)), Integer(std::lround(h / scale))};
        break;
    }
    case ctProgress:
    case ctXPProgress: size = {ColWidths(dc), RowHeights(ARow)}; break;
    case ctButton:
    case ctBitButton: size = {g->CellIndex & 0xFFFF, (g->CellIndex >> 16) & 0xFFFF}; break;
    case ctInterface: {
        const TRect r = CellRect(dc, ARow);
        const ICellDraw* i = g->CellInterface();
        size.X = i != nullptr && i->Width() != 0 ? i->Width() : r.Width();
        size.Y = i != nullptr && i->Height() != 0 ? i->Height() : r.Height();
        break;
    }
    case ctShape: {
        const Integer side = RowHeights(ARow) - 2 * XYOffset().Y;
        size = {side, side};
        break;
    }
    case ctRadioButton: size = {FControlLook->RadioSize(), FControlLook->RadioSize()}; break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: size = {FControlLook->CheckSize(), FControlLook->CheckSize()}; break;
    default: break;
    }
    return size;
}

Integer TExStringGrid::GetCellImageKey(Integer ACol, Integer ARow)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g == nullptr)
        return -1;
    // The picture's and the icon's identity: equal pictures sort together.
    switch (g->CellType) {
    case ctBitmap: return Integer(reinterpret_cast<std::uintptr_t>(g->CellBitmap()) & 0x7FFFFFFF);
    case ctIcon: return Integer(reinterpret_cast<std::uintptr_t>(g->CellIcon()) & 0x7FFFFFFF);
    case ctImageList: return g->CellIndex;
    default: return -1;
    }
}

Integer TExStringGrid::GetNodeIndent(Integer ARow)
{
    if (!HasNodes() || ARow < 0 || !HasCellProperties(0, ARow))
        return 0;
    return PropsOf(0, ARow)->NodeLevel() * NodeIndent();
}

bool TExStringGrid::IsSortIndicatorCell(Integer ACol, Integer ARow)
{
    Integer row = ARow;
    if (IsMergedCell(ACol, ARow))
        row += CellSpan(ACol, ARow).Y;
    return row == FSortSettings->Row && FSortSettings->Show && RowCount() > FixedRows() + 1;
}

// ------------------------------------------------------------ typed access

QString TExStringGrid::StrippedCell(Integer ACol, Integer ARow) const
{
    return StripHTMLTags(Cells(ACol, ARow));
}

namespace {

Integer ToInteger(const QString& Text)
{
    const QString s = Text.trimmed();
    if (s.isEmpty() || s == QLatin1String("-"))
        return 0;
    bool ok = false;
    const Integer v = s.toInt(&ok);
    if (!ok)
        throw DOzeDidoRivar(QStringLiteral("Cell does not contain integer value"));
    return v;
}

double ToFloat(const QString& Text)
{
    const QString s = ExtractNumber(Text);
    if (s.isEmpty() || s == QLatin1String("-"))
        return 0;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok)
        throw DOzeDidoRivar(QStringLiteral("Cell does not contain a float value"));
    return v;
}

} // namespace

Integer TExStringGrid::Ints(Integer ACol, Integer ARow)
{
    return ToInteger(StrippedCell(ACol, ARow));
}

void TExStringGrid::SetInts(Integer ACol, Integer ARow, Integer Value)
{
    SetCells(ACol, ARow, QString::number(Value));
    if (FNumHidden > 0)
        RepaintCell(RealToDisplCol(ACol), ARow);
}

Integer TExStringGrid::AllInts(Integer ACol, Integer ARow)
{
    return ToInteger(AllCells(ACol, ARow));
}

void TExStringGrid::SetAllInts(Integer ACol, Integer ARow, Integer Value)
{
    SetCellsEx(ACol, ARow, QString::number(Value));
}

double TExStringGrid::Floats(Integer ACol, Integer ARow)
{
    return ToFloat(StrippedCell(ACol, ARow));
}

void TExStringGrid::SetFloats(Integer ACol, Integer ARow, double Value)
{
    QString fmt = FloatFormat();
    GetFloatFormat(ACol, ARow, fmt);
    SetCells(ACol, ARow, Format(fmt, {Value}));
}

double TExStringGrid::AllFloats(Integer ACol, Integer ARow)
{
    return ToFloat(AllCells(ACol, ARow));
}

void TExStringGrid::SetAllFloats(Integer ACol, Integer ARow, double Value)
{
    SetCellsEx(ACol, ARow, Format(FloatFormat(), {Value}));
}

void TExStringGrid::GetFloatFormat(Integer ACol, Integer ARow, QString& Format)
{
    Format = FloatFormat();
}

TDateTime TExStringGrid::Dates(Integer ACol, Integer ARow)
{
    return StrToDate(Cells(ACol, ARow));
}

void TExStringGrid::SetDates(Integer ACol, Integer ARow, TDateTime Value)
{
    if (Value > 0 || ShowNullDates())
        SetCells(ACol, ARow, DateToStr(Value));
    else
        SetCells(ACol, ARow, QString());
}

TDateTime TExStringGrid::Times(Integer ACol, Integer ARow)
{
    return StrToTime(Cells(ACol, ARow));
}

void TExStringGrid::SetTimes(Integer ACol, Integer ARow, TDateTime Value)
{
    SetCells(ACol, ARow, TimeToStr(Value));
}

QString TExStringGrid::CtrlVal(Integer ACol, Integer ARow, const QString& ID)
{
    QString value;
    if (!GetHTMLControlValue(Cells(ACol, ARow), ID, value))
        return {};
    return value;
}

void TExStringGrid::SetCtrlVal(Integer ACol, Integer ARow, const QString& ID, const QString& Value)
{
    QString text = Cells(ACol, ARow);
    if (SetHTMLControlValue(text, ID, Value))
        SetCells(ACol, ARow, text);
}

QString TExStringGrid::Version() const
{
    const Cardinal v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

Integer TExStringGrid::GetPrintColWidth(Integer ACol) const
{
    if (ACol < 0 || ACol >= MAX_COLUMNS)
        throw DOzeDidoRivar(QStringLiteral("Columns is not in valid range"));
    return MaxWidths[size_t(ACol)];
}

Integer TExStringGrid::GetPrintColOffset(Integer ACol) const
{
    if (ACol < 0 || ACol >= MAX_COLUMNS)
        throw DOzeDidoRivar(QStringLiteral("Columns is not in valid range"));
    return Indents[size_t(ACol)];
}

// ------------------------------------------------------------ display text

void TExStringGrid::GetDisplText(Integer ACol, Integer ARow, QString& Value) const
{
    TBaseGrid::GetDisplText(ACol, ARow, Value);
    // A group header shows the number of its data rows.
    if (ACol == 1 && FNumNodes > 0 && FGrouping->ShowGroupCount)
        if (const TCellProperties* p = PropsOf(0, ARow))
            if (const auto* g = dynamic_cast<const TCellGraphic*>(p->GraphicObject()); g != nullptr && g->CellType == ctNode) {
                const Integer n = g->CellIndex - g->CellErrFrom - 1;
                QString count = QStringLiteral(" (%1)").arg(n);
                if (!FGrouping->GroupCountFormat.isEmpty()) {
                    try {
                        count = Format(FGrouping->GroupCountFormat, {n});
                    } catch (const std::exception&) {
                        // A format that does not take the count shows the plain form.
                    }
                }
                Value += count;
            }
    if (URLShowInText()) {
        static const char* const prefixes[] = {"HTTP://", "WWW.", "MAILTO:", "HTTPS://", "NNTP://", "FILE://", "FTP://"};
        for (const char* prefix : prefixes) {
            const QString p = QString::fromLatin1(prefix);
            if (Value.contains(p, Qt::CaseInsensitive)) {
                QString linked;
                if (LinkURLInText(Value, p, linked))
                    Value = linked;
                break;
            }
        }
    }
}

// ------------------------------------------------------------ headers

void TExStringGrid::SetColumnHeaders(const TStrings* Value)
{
    FColumnHeaders->Assign(Value);
    if (FixedRows() > 0)
        ClearColumnHeaders();
    ShowColumnHeaders();
}

void TExStringGrid::SetRowHeaders(const TStrings* Value)
{
    FRowHeaders->Assign(Value);
    if (IsDesigning() && FixedCols() > 0)
        ClearRowHeaders();
    ShowRowHeaders();
}

void TExStringGrid::PutColumnHeader(Integer Index, const QString& Text)
{
    if (Index < 0 || Index >= FColumnHeaders->Count())
        return;
    FPuttingColumnHeader = true;
    FColumnHeaders->Put(Index, Text);
    FPuttingColumnHeader = false;
    if (FixedRows() > 0 && Index < TotalColCount())
        SetCells(Index, 0, BackslashNToCR(Text));
}

void TExStringGrid::ClearColumnHeaders()
{
    if (RowCount() > 0)
        for (Integer c = 0; c < TotalColCount(); ++c)
            SetCells(c, 0, QString());
}

void TExStringGrid::ShowColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    for (Integer i = 0; i < FColumnHeaders->Count() && i < TotalColCount(); ++i)
        SetCells(i, 0, BackslashNToCR(FColumnHeaders->Strings(i)));
}

void TExStringGrid::ClearRowHeaders()
{
    if (ColCount() > 0)
        for (Integer r = 0; r < RowCount(); ++r)
            SetCells(0, r, QString());
}

void TExStringGrid::ShowRowHeaders()
{
    if (FixedCols() <= 0)
        return;
    for (Integer i = 0; i < FRowHeaders->Count() && i < RowCount(); ++i)
        SetCells(0, i, BackslashNToCR(FRowHeaders->Strings(i)));
}
