#include "grid/dropdown/ExLookupDropDown.h"

#include "grid/dropdown/ListStep.h"

#include <cmath>

#include "platform/DrawGrid.h"
#include "platform/Graphics.h"
#include "platform/StringList.h"
#include "platform/Text.h"

TExLookupDropDown::TExLookupDropDown(TComponent* AOwner)
    : TExCustomDropDown(AOwner), FHeaderFont(std::make_unique<TFont>()), FLookupItems(std::make_unique<TStringList>())
{
    // The base constructor applied the default style before this class existed.
    SetComponentStyle(tsOffice2007Luna);
    FColumnSizing = false;
    FLookupColumn = 0;
    FHeaderColorTo = 0x808080;
    FHeaderColor = 0xFFFFFF;
    FHeaderHeight = 25;
    FLineColor = 0xC0C0C0;
    SetDropDownColor(0xFFFFFF);
    SetDropDownHeight(200);
    FItemIndex = -1;
    FOldItemIndex = -1;
    FWorkMode = true;
    FMatchCase = false;
    FMatchStart = true;
    FItemChange = false;
    FDropDownAutoWidth = true;
    SetSelectionColorStyle(scOffice2007);
    FSelectionTextColor = 0;
    FColumnSizeWithDropDown = true;
    FDropDownRowHeight = 22;
}

TExLookupDropDown::~TExLookupDropDown() = default;

void TExLookupDropDown::SetHeaderFont(const TFont* Value)
{
    FHeaderFont->Assign(Value);
}

void TExLookupDropDown::Loaded()
{
    TExCustomDropDown::Loaded();
    UpdateLookupItems();
}

// ------------------------------------------------------------ lookup

void TExLookupDropDown::UpdateLookupItems()
{
    const Integer n = LookupItemCount();
    if (FLookupColumn < 0 || n == 0)
        return;
    FLookupItems->Clear();
    for (Integer i = 0; i < n; ++i)
        FLookupItems->Add(LookupLine(i));
}

bool TExLookupDropDown::LookupInItems(const QString& Value, QString& Full, Integer& Index) const
{
    Full.clear();
    Index = -1;
    const QString v = FCaseSensitive ? Value : AnsiUpperCase(Value);
    for (Integer i = 0; i < LookupItemCount(); ++i) {
        // An item without a lookup line reads as an empty text.
        const QString line = LookupLine(i);
        if ((FCaseSensitive ? line : AnsiUpperCase(line)).startsWith(v)) {
            Full = line;
            Index = i;
            return true;
        }
    }
    return false;
}

Integer TExLookupDropDown::LookupIndexOfText() const
{
    return FLookupItems->IndexOf(GetText());
}

void TExLookupDropDown::Change()
{
    FItemChange = false;
    TExCustomDropDown::Change();
    // Only typing completes: a text set by code is taken as it is (an edit
    // window has its caret at the start then).
    if (HasState(csDesigning) || !FWorkMode || FCompleting || !TypedChange())
        return;
    const QString text = GetText();
    SetModified(!text.isEmpty());
    const Integer plen = Integer(Prefix().size());
    const Integer caret = std::clamp(SelStart() - plen, 0, Integer(text.size()));
    const QString typed = text.left(caret);
    const QString key = FMatchCase ? typed : AnsiUpperCase(typed);
    if (FLookupItems->Count() == 0)
        return;
    FCompleting = true;
    bool matched = false;
    for (Integer i = 0; i < FLookupItems->Count() && !key.isEmpty(); ++i) {
        const QString entry = FLookupItems->Strings(i);
        if (!(FMatchCase ? entry : AnsiUpperCase(entry)).startsWith(key))
            continue;
        const QString completed = typed + entry.mid(key.size(), 255);
        SetText(completed);
        FItemIndex = i;
        FItemIdx = i;
        FItemSel = Integer(key.size());
        FItemChange = true;
        Perform(EM_SETSEL, WPARAM(plen + completed.size()), LPARAM(plen + key.size()));
        matched = true;
        break;
    }
    if (!matched && !typed.isEmpty()) {
        SetText(typed);
        Perform(EM_SETSEL, WPARAM(plen + typed.size()), LPARAM(plen + typed.size()));
    }
    FCompleting = false;
    SetModified(!GetText().isEmpty());
}

// ------------------------------------------------------------ keys

void TExLookupDropDown::KeyDown(Word& Key, TShiftState Shift)
{
    if (FLookupColumn < 0 || LookupItemCount() == 0) {
        TExCustomDropDown::KeyDown(Key, Shift);
        return;
    }
    if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
        FWorkMode = false;
    } else if (Key == VK_RETURN) {
        const Integer i = LookupIndexOfText();
        if (i >= 0) {
            SetText(FLookupItems->Strings(i));
            SetItemIndex(i);
            Change();
        }
        if (ReturnIsTab()) {
            PostMessage(this, CN_KEYDOWN, VK_TAB);
            Key = 0;
        }
    } else {
        FWorkMode = true;
    }
    TExCustomDropDown::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE)
        SetItemIndex(LookupIndexOfText());
}

void TExLookupDropDown::KeyPress(QChar& Key)
{
    if (Key == u'\r' && ReturnIsTab()) {
        Key = QChar(0);
        return;
    }
    TExCustomDropDown::KeyPress(Key);
}

void TExLookupDropDown::KeyUp(Word& Key, TShiftState Shift)
{
    if (!(Key == VK_RETURN && ReturnIsTab()))
        TExCustomDropDown::KeyUp(Key, Shift);
    FinishCompletion();
}

void TExLookupDropDown::FinishCompletion()
{
    if (!FItemChange)
        return;
    SetItemIndex(FItemIdx);
    const Integer plen = Integer(Prefix().size());
    Perform(EM_SETSEL, WPARAM(plen + FItemSel), LPARAM(plen + GetText().size()));
    FItemChange = false;
}

void TExLookupDropDown::LookupBackspace()
{
    if (SelLength() == 0) {
        FLookupEntry.chop(1);
        SetText(FLookupEntry);
        SetSelStart(Integer(Prefix().size() + GetText().size()));
    } else {
        QString t = WindowText();
        t.remove(SelStart(), SelLength());
        SetRawText(t);
        SetSelStart(Integer(t.size()));
    }
}

bool TExLookupDropDown::KeptInList(Word Key, TShiftState Shift) const
{
    return (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && !Shift.Contains(ssAlt);
}

void TExLookupDropDown::ControlKeyDown(Word& Key, TShiftState Shift)
{
    if (!KeptInList(Key, Shift))
        TExCustomDropDown::ControlKeyDown(Key, Shift);
}

void TExLookupDropDown::ControlKeyUp(Word& Key, TShiftState Shift)
{
    if (!KeptInList(Key, Shift))
        TExCustomDropDown::ControlKeyUp(Key, Shift);
}

void TExLookupDropDown::HandleMouseWheelDown()
{
    TExCustomDropDown::HandleMouseWheelDown();
    SelectNext();
}

void TExLookupDropDown::HandleMouseWheelUp()
{
    TExCustomDropDown::HandleMouseWheelUp();
    SelectPrevious();
}

// The wheel over the open list scrolls the list (which does not choose);
// the item changes only when the list has no say.
void TExLookupDropDown::DropDownFormMouseWheelDown(TShiftState Shift, TPoint MousePos, bool& Handled)
{
    if (ListGrid() == nullptr || !ListGrid()->Visible())
        TExCustomDropDown::DropDownFormMouseWheelDown(Shift, MousePos, Handled);
}

void TExLookupDropDown::DropDownFormMouseWheelUp(TShiftState Shift, TPoint MousePos, bool& Handled)
{
    if (ListGrid() == nullptr || !ListGrid()->Visible())
        TExCustomDropDown::DropDownFormMouseWheelUp(Shift, MousePos, Handled);
}

// ------------------------------------------------------------ navigation

void TExLookupDropDown::SelectFirst()
{
    StepChoice(*this, FItemIndex, GetItemCount(), TListStep::First);
}

void TExLookupDropDown::SelectLast()
{
    StepChoice(*this, FItemIndex, GetItemCount(), TListStep::Last);
}

void TExLookupDropDown::SelectNext()
{
    StepChoice(*this, FItemIndex, GetItemCount(), TListStep::Next);
}

void TExLookupDropDown::SelectPrevious()
{
    StepChoice(*this, FItemIndex, GetItemCount(), TListStep::Previous);
}

void TExLookupDropDown::SelectNextPage()
{
    const Integer n = GetItemCount();
    if (n == 0)
        return;
    SetItemIndex(FItemIndex < 0 ? 0 : std::min(FItemIndex + 10, n - 1));
}

void TExLookupDropDown::SelectPreviousPage()
{
    if (GetItemCount() == 0)
        return;
    SetItemIndex(FItemIndex >= 0 && FItemIndex - 10 >= 0 ? FItemIndex - 10 : 0);
}

// ------------------------------------------------------------ popup size

void TExLookupDropDown::AdjustDropDownHeight(Integer& Height)
{
    Integer bars = 0;
    if (DropDownHeader()->Visible())
        bars += DropDownHeader()->Height();
    if (DropDownFooter()->Visible())
        bars += DropDownFooter()->Height();
    const Integer rows = (Height - bars - FHeaderHeight - 2) / FDropDownRowHeight;
    Height = bars + FHeaderHeight + rows * FDropDownRowHeight + HeightMargin();
}

Integer ListFullWidth(const TStringGrid* g)
{
    Integer w = 0;
    for (Integer c = 0; c < g->ColCount(); ++c)
        w += g->ColWidths(c);
    w += 2 * (g->BorderStyle() == bsNone ? 0 : 1);
    if (g->VisibleRowCount() + g->FixedRows() != g->RowCount())
        w += GetSystemMetrics(SM_CXVSCROLL);
    return w;
}

void TExLookupDropDown::UpdateDropDownSize()
{
    TExCustomDropDown::UpdateDropDownSize();
    TStringGrid* g = ListGrid();
    if (!FDropDownAutoWidth || DropDownForm() == nullptr || g == nullptr)
        return;
    g->SetAlign(alNone);
    g->SetWidth(ListFullWidth(g));
    DropDownForm()->SetWidth(g->Width() + 2 * DropDownBorderWidth());
    g->SetAlign(alClient);
}

void TExLookupDropDown::DropDownFormSizing()
{
    TExCustomDropDown::DropDownFormSizing();
    SizeColumnsToDropDown();
}

void TExLookupDropDown::SizeColumnsToDropDown()
{
    TStringGrid* g = ListGrid();
    if (!FColumnSizeWithDropDown || g == nullptr)
        return;
    g->SetScrollBars(ssVertical);
    if (g->ColCount() == 0)
        return;
    Integer total = 1;
    for (Integer c = 0; c < g->ColCount(); ++c)
        total += g->ColWidths(c);
    Integer avail = DropDownForm()->Width();
    if (g->VisibleRowCount() < g->RowCount() - g->FixedRows())
        avail -= GetSystemMetrics(SM_CXVSCROLL);
    const double ratio = double(avail) / total;
    double err = 0;
    std::vector<Integer> widths;
    for (Integer c = 0; c < g->ColCount(); ++c)
        widths.push_back(g->ColWidths(c));
    for (Integer c = 0; c < g->ColCount(); ++c) {
        const double exact = ratio * widths[size_t(c)];
        // Ties go to the even neighbour.
        const Integer w = Integer(std::nearbyint(exact));
        err += exact - w;
        if (err > 1) {
            err -= 1;
            g->SetColWidths(c, w + 1);
        } else {
            g->SetColWidths(c, w);
        }
    }
}

// ------------------------------------------------------------ styles

void TExLookupDropDown::SetSelectionColorStyle(TSelectionColorStyle Value)
{
    if (Value == scOffice2007) {
        FLineColor = 0xF1EDEB;
        FFixedLineColor = 0xD1BBA4;
    } else if (Value == scWindowsVista || Value == scWindows7) {
        FLineColor = 0xECECF0;
        FFixedLineColor = 0xD4D2D1;
    }
    TExCustomDropDown::SetSelectionColorStyle(Value);
}

void TExLookupDropDown::SetComponentStyle(TKavroStyle AStyle)
{
    TExCustomDropDown::SetComponentStyle(AStyle);
    constexpr TColor Keep = TColor(0x7FFFFFFF);
    struct TRow {
        TKavroStyle Style;
        TColor Header, HeaderTo, Font;
        Integer Scs;
        TColor Lines;
    };
    // Header gradient, header font colour, selection colour style and the
    // line colour of the styles with their own selection look.
    static const TRow Rows[] = {
        {tsOffice2003Blue, 0xD68759, 0x933803, 0xFFFFFF, 1, 0x962D00},
        {tsOffice2003Silver, 0xBDA4A5, 0x957475, Keep, 1, 0x947C7C},
        {tsOffice2003Olive, 0x82C0AF, 0x447A63, Keep, 1, 0x588060},
        {tsOffice2003Classic, 0x808080, 0x808080, Keep, 1, 0x808080},
        {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, 0x723708, 1, 0xFFD2AF},
        {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, 0x433C37, 1, 0x5C534C},
        {tsWhidbey, 0xEBEEEF, 0x7E9898, 0xFFFFFF, 1, 0x962D00},
        {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, 0x8B4215, 1, 0x74706F},
        {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, 0, 2, 0xFCF2DA},
        {tsWindows7, 0xFDFBFA, 0xFDF3EB, 0, 3, 0xFBD6B8},
    };
    for (const TRow& r : Rows) {
        if (r.Style != AStyle)
            continue;
        FHeaderColor = r.Header;
        FHeaderColorTo = r.HeaderTo;
        if (r.Font != Keep)
            FHeaderFont->SetColor(r.Font);
        SetSelectionColorStyle(TSelectionColorStyle(r.Scs));
        FLineColor = FFixedLineColor = r.Lines;
        FSelectionTextColor = 0;
        return;
    }
    switch (AStyle) {
    case tsWindowsXP:
    case tsTerminal:
        FHeaderColor = FHeaderColorTo = clBtnFace;
        FHeaderFont->SetColor(0);
        SetSelectionColorStyle(scCustom);
        if (AStyle == tsWindowsXP) {
            FLineColor = 0xC0C0C0;
            FFixedLineColor = 0;
        } else {
            FLineColor = FFixedLineColor = 0x808080;
        }
        FSelectionTextColor = clHighlightText;
        SetSelectionColor(clHighlight);
        SetSelectionColorTo(clHighlight);
        break;
    case tsOffice2010Blue:
    case tsOffice2010Silver:
    case tsOffice2010Black:
        if (!StylesOffice2010())
            break;
        FHeaderColor = AStyle == tsOffice2010Blue ? 0xEDDBCD : AStyle == tsOffice2010Silver ? 0xEDE9E5 : 0x828282;
        FHeaderColorTo = clNone;
        FHeaderFont->SetColor(AStyle == tsOffice2010Black ? 0xD7D7D6 : 0x5B391E);
        SetSelectionColorStyle(scCustom);
        FLineColor = FFixedLineColor = 0xEEDDCF;
        FSelectionTextColor = 0;
        SetSelectionColor(0x6CD0FF);
        SetSelectionColorTo(0x6CD0FF);
        break;
    default: break;
    }
}
