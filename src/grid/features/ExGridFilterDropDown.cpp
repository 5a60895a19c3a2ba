// The filter dropdown: its settings and lists, the popup form, and the
// grid's opening of the dropdown on a release over a filter glyph.

#include "grid/features/ExGridFilterDropDown.h"

#include <algorithm>

#include "grid/ExGrid.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Menus.h"
#include "platform/Messages.h"

// ------------------------------------------------------------ settings

TFilterDropDown::TFilterDropDown()
    : FFont(std::make_unique<TFont>()), FGlyph(std::make_unique<TBitmap>()), FGlyphActive(std::make_unique<TBitmap>())
{
}

TFilterDropDown::~TFilterDropDown() = default;

void TFilterDropDown::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TFilterDropDown*>(Source);
    if (src == nullptr)
        return;
    Color = src->Color;
    ColumnWidth = src->ColumnWidth;
    FFont->Assign(src->FFont.get());
    Height = src->Height;
    Width = src->Width;
    FGlyph->Assign(src->FGlyph.get());
    FGlyphActive->Assign(src->FGlyphActive.get());
}

void TFilterDropDown::SetFont(const TFont* Value)
{
    FFont->Assign(Value);
}

void TFilterDropDown::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    if (OnChange)
        OnChange(this);
}

void TFilterDropDown::SetGlyphActive(const TBitmap* Value)
{
    FGlyphActive->Assign(Value);
    if (OnChange)
        OnChange(this);
}

// ------------------------------------------------------------ lists

namespace {

// The list is closed: the grid's dropdown column goes back to none.
void CloseDropDown(TWinControl* List)
{
    List->SetVisible(false);
    if (auto* grid = dynamic_cast<TExStringGrid*>(List->Owner()))
        grid->SetFilterCol(-1);
}

} // namespace

TDropList::TDropList(TComponent* AOwner) : TListBox(AOwner)
{
    SetVisible(false);
    SetBounds(0, 0, 0, 0);
}

void TDropList::KeyPress(QChar& Key)
{
    TListBox::KeyPress(Key);
    if (Key == QChar(13)) {
        SetVisible(false);
        if (OnSelect)
            OnSelect(this, ItemIndex());
    }
}

void TDropList::KeyDown(Word& Key, TShiftState Shift)
{
    TListBox::KeyDown(Key, Shift);
    if (Key == VK_RETURN) {
        Key = 0;
        SetVisible(false);
        if (OnSelect)
            OnSelect(this, ItemIndex());
    } else if (Key == VK_ESCAPE) {
        Key = 0;
        CloseDropDown(this);
    }
}

void TDropList::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    TListBox::MouseUp(Button, Shift, X, Y);
    if (!Visible())
        return;
    const Integer i = ItemAtPos({X, Y}, true);
    if (i >= 0 && i != ItemIndex())
        SetItemIndex(i);
    SetVisible(false);
    if (OnSelect)
        OnSelect(this, ItemIndex());
}

void TDropList::DoExit()
{
    TListBox::DoExit();
    if (Visible())
        CloseDropDown(this);
}

TDropCheckList::TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner)
{
    SetVisible(false);
    SetBounds(0, 0, 0, 0);
    OnClickCheck = [this](TObject*) {
        if (OnSelect)
            OnSelect(this, -1);
    };
}

void TDropCheckList::KeyDown(Word& Key, TShiftState Shift)
{
    TCheckListBox::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE || Key == VK_RETURN) {
        Key = 0;
        CloseDropDown(this);
    }
}

void TDropCheckList::DoExit()
{
    TCheckListBox::DoExit();
    if (Visible())
        CloseDropDown(this);
}

TNoActiveForm::TNoActiveForm(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsNone);
    SetNoActivate(true);
    SetStayOnTop(true);
}

// ------------------------------------------------------------ the grid's side

TDropList* TExStringGrid::DropList()
{
    if (FDropList == nullptr) {
        FDropList = new TDropList(this);
        FDropList->OnSelect = [this](TObject*, Integer Index) { FilterSelect(Index); };
    }
    return FDropList;
}

TDropCheckList* TExStringGrid::FilterCheckList()
{
    if (FDropCheckList == nullptr) {
        FDropCheckList = new TDropCheckList(this);
        FDropCheckList->OnSelect = [this](TObject*, Integer) { FilterCheck(); };
    }
    return FDropCheckList;
}

void TExStringGrid::SetFilterDropDown(const TFilterDropDown* Value)
{
    FFilterDropDown->Assign(Value);
}

bool TExStringGrid::FilterChecked(Integer Index)
{
    return FilterCheckList()->Checked(Index);
}

void TExStringGrid::SetFilterChecked(Integer Index, bool Value)
{
    FilterCheckList()->SetChecked(Index, Value);
}

bool TExStringGrid::OpenFilterDropDown(Integer ACol, Integer ARow, Integer X, Integer Y)
{
    if (ACol < 0 || ARow < 0 || ARow != FFilterRow)
        return false;
    const Integer realCol = RealColIndex(ACol);
    const TRect r = CellRect(ACol, ARow);
    if (realCol == FFilterCol || !(r.Right - 16 < X && X < r.Right - 3 && Y < r.Top + 19))
        return false;
    if (!GetColumnFilter(realCol))
        return false;
    FFilterCol = realCol;
    const bool check = FilterDropDownCheck();
    TListBox* list = check ? static_cast<TListBox*>(FilterCheckList()) : static_cast<TListBox*>(DropList());
    list->SetColor(FFilterDropDown->Color);
    list->Font()->Assign(FFilterDropDown->Font());
    list->Items()->Clear();
    TCanvas* measure = Canvas();
    measure->Font()->Assign(FFilterDropDown->Font());
    Integer w = 0;
    for (Integer i = 0; i < FFilterList->Count(); ++i) {
        const QString entry = FFilterList->Strings(i);
        const qsizetype eq = entry.indexOf(u'=');
        const QString v = eq >= 0 ? entry.left(eq) : entry;
        list->Items()->Add(v);
        if (check) {
            const QString q = v.contains(u' ') ? u'"' + v + u'"' : v;
            for (Integer k = 0; k < FFilter->Count(); ++k)
                if (FFilter->Items(k)->Condition == q && FFilter->Items(k)->Column == FFilterCol)
                    FDropCheckList->SetChecked(list->Count() - 1, true);
            w = std::max(w, measure->TextWidth(q) + 8);
        } else {
            w = std::max(w, measure->TextWidth(v) + 8);
            if (i == 0)
                list->SetItemIndex(0);
        }
    }
    Integer lw = FFilterDropDown->Width, lh = FFilterDropDown->Height;
    if (FFilterDropDown->AutoSize) {
        lh = list->Count() * list->ItemHeight() + 2 * GetSystemMetrics(SM_CYEDGE);
        lw = w + 2 * GetSystemMetrics(SM_CXEDGE);
    }
    Integer top = r.Top + 16, left = r.Right - 16;
    if (FFilterDropDown->ColumnWidth) {
        lw = r.Right - r.Left;
        left = r.Left;
    }
    if (left + lw > Width())
        left = std::max(0, CellRect(ACol, 0).Right - lw);
    list->SetParent(this);
    list->SetBounds(left, top, lw, lh);
    list->SetVisible(true);
    list->BringToFront();
    if (list->CanFocus())
        list->SetFocus();
    return true;
}

void TExStringGrid::CloseFilterDropDown()
{
    if (FDropList != nullptr && FDropList->Visible())
        FDropList->SetVisible(false);
    FFilterCol = -1;
}

// ------------------------------------------------------------ fixed dropdown button

bool TExStringGrid::CanShowFixedDropDown(Integer ACol)
{
    bool allow = true;
    if (OnCanShowFixedDropDown)
        OnCanShowFixedDropDown(this, ACol, allow);
    return allow;
}

bool TExStringGrid::FixedDropDownPress(Integer ACol, Integer ARow, Integer X)
{
    const TRect r = CellRect(ACol, ARow);
    const Integer m = (Options() & goColSizing) != 0 ? 2 : 0;
    if (!(r.Right - 16 < X && X < r.Right - m && IsHoverFixedCell(ACol, ARow) && FControlLook->FixedDropDownButton))
        return false;
    FDropDownDown = true;
    bool keep = false;
    if (FFixedDropDownMenu == nullptr && !OnFixedDropDownClick)
        return false;
    FNoMouseLeave = true;
    TPopupMenu* menu = FFixedDropDownMenu;
    if (menu != nullptr)
        menu->SetTag(ACol);
    if (OnFixedDropDownClick)
        OnFixedDropDownClick(this, ACol, ARow, menu, keep);
    if (menu != nullptr) {
        FMouseDownMove = false;
        FHoverFixedX = ACol;
        FHoverFixedY = ARow;
        RepaintCell(ACol, ARow);
        const TPoint p = ClientToScreen({r.Right - 16, r.Bottom});
        menu->Popup(p.X, p.Y);
        FHoverFixedX = -1;
        FHoverFixedY = -1;
        RepaintCell(ACol, ARow);
    }
    FNoMouseLeave = keep;
    return true;
}
