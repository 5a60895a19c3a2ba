// The grid dropdown as a user works it: the list filled from the items or
// by the caller, chosen from by keys and mouse, cancelled; the search typed
// into the list moving to the first match or narrowing the rows down; the
// popup cut to whole rows.
#include "DropdownOpenShot.h"

#include "grid/dropdown/ExGridDropDown.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"

using namespace ExGridDropDown;

namespace {

const std::initializer_list<const char*> Meters = {
    "1|Boiler|Basement", "2|Chiller|Roof",  "3|Cabinet|Office", "4|Pump|Basement",
    "5|Robot|Lab",       "6|Bus bar|Plant", "7|Valve|Roof",     "8|Heater|Office",
};

class TGridDropDown : public TDropDownForm_ {
protected:
    TCustomExGridDropDown* AddGridDropDown(std::initializer_list<const char*> Rows = Meters)
    {
        auto* dd = new TCustomExGridDropDown(form);
        dd->SetParent(form);
        dd->SetBounds(20, 20, 200, 21);
        dd->SetLookupColumn(1);
        for (const char* h : {"No", "Name", "Place"})
            dd->Columns()->Add()->SetHeader(QString::fromUtf8(h));
        dd->BeginUpdate();
        for (const char* r : Rows) {
            TDropDownItem* item = dd->Items()->Add();
            for (const QString& s : QString::fromUtf8(r).split(u'|'))
                item->Text()->Add(s);
        }
        dd->EndUpdate();
        dd->OnSelect = [this](TObject*) { ++selects; };
        return dd;
    }
    static QStringList ShownNames(TExColGrid* G)
    {
        QStringList names;
        for (Integer r = G->FixedRows(); r < G->RowCount(); ++r)
            names << G->Cells(1, r);
        return names;
    }
    Integer selects = 0;
};

} // namespace

TEST_F(TGridDropDown, NewDropDownHasItsDefaults)
{
    auto* dd = new TCustomExGridDropDown(form);
    EXPECT_EQ(dd->GetVersionNr(), 0x06000101);
    EXPECT_EQ(dd->DropDownRowHeight(), 22);
    EXPECT_EQ(dd->DropDownHeight(), 200);
    EXPECT_EQ(dd->LineColor(), TColor(0xF1EDEB));
    EXPECT_EQ(dd->FixedLineColor(), TColor(0xD1BBA4));
    EXPECT_EQ(dd->LookupMethod(), lmLookup);
    EXPECT_TRUE(dd->UseItems());
    EXPECT_TRUE(dd->AutoSizeColumns());
    EXPECT_EQ(dd->Navigation()->HomeEndKey(), heFirstLastRow);
    ASSERT_NE(dd->GetGrid(), nullptr);
    EXPECT_TRUE(dd->GetGrid()->FixedRowAlways());
    EXPECT_EQ(dd->GetGrid()->Parent(), dd->DropDownForm());
    dd->SetStyle(dsDropDownList);
    EXPECT_FALSE(dd->EditorEnabled());
    // The 2010 styles leave the list's own colours alone.
    dd->SetComponentStyle(tsOffice2010Blue);
    EXPECT_EQ(dd->HeaderColor(), TColor(0xFFFFFF));
    dd->SetComponentStyle(tsOffice2003Olive);
    EXPECT_EQ(dd->HeaderColor(), TColor(0x82C0AF));
    EXPECT_EQ(dd->LineColor(), TColor(0x588060));
}

TEST_F(TGridDropDown, ItemsFillTheListAndKeysAndMouseChoose)
{
    TCustomExGridDropDown* dd = AddGridDropDown();
    dd->SetItemIndex(1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Chiller"));
    dd->SetFocus();
    TestInput::Click(dd->Button());
    ASSERT_TRUE(dd->DroppedDown());
    TExColGrid* g = dd->GetGrid();
    EXPECT_EQ(g->RowCount(), 9);
    EXPECT_EQ(g->Cells(1, 0), QStringLiteral("Name"));
    EXPECT_EQ(g->Cells(2, 4), QStringLiteral("Basement"));
    EXPECT_EQ(dd->ItemOfRow(4), 3);
    EXPECT_EQ(dd->ItemOfRow(0), -1);
    EXPECT_EQ(dd->RowOfItem(3), 4);
    EXPECT_EQ(g->Row(), 2);
    // The popup shows whole rows: 25 + 7 * 22 + 6 below the bars.
    Integer bars = 0;
    if (dd->DropDownHeader()->Visible())
        bars += dd->DropDownHeader()->Height();
    if (dd->DropDownFooter()->Visible())
        bars += dd->DropDownFooter()->Height();
    EXPECT_EQ(dd->DropDownForm()->Height(), bars + 25 + (200 - bars - 27) / 22 * 22 + 6);
    // Down in the list moves the row and the edit follows.
    TestInput::PressKey(g, VK_DOWN);
    EXPECT_EQ(dd->Text(), QStringLiteral("Cabinet"));
    EXPECT_EQ(dd->ItemIndex(), 2);
    SaveOpenDropDown(form, dd, QStringLiteral("TCustomExGridDropDown-open"));
    TestInput::PressKey(g, VK_ESCAPE, {}, QStringLiteral("\x1b"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Chiller"));
    EXPECT_EQ(selects, 0);
    // Enter on the row the list opened at chooses that row.
    dd->ShowDropDown();
    TestInput::PressKey(g, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
    // A click on a row chooses it.
    dd->ShowDropDown();
    TestInput::Click(g, CentreOf(g->CellRect(1, 5)));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 4);
    EXPECT_EQ(dd->Text(), QStringLiteral("Robot"));
    EXPECT_EQ(selects, 2);
    // Keys on the closed edit step through the items.
    TestInput::PressKey(dd, VK_DOWN);
    EXPECT_EQ(dd->Text(), QStringLiteral("Bus bar"));
    TestInput::PressKey(dd, VK_PRIOR);
    EXPECT_EQ(dd->ItemIndex(), 0);
}

TEST_F(TGridDropDown, TypingInTheListMovesToTheFirstMatch)
{
    TCustomExGridDropDown* dd = AddGridDropDown();
    dd->SetFocus();
    dd->ShowDropDown();
    TExColGrid* g = dd->GetGrid();
    TestInput::PressKey(g, 'C', {}, QStringLiteral("c"));
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(dd->Text(), QStringLiteral("Chiller"));
    EXPECT_EQ(dd->SelStart(), 1);
    EXPECT_EQ(dd->SelLength(), 6);
    TestInput::PressKey(g, 'A', {}, QStringLiteral("a"));
    EXPECT_EQ(dd->Text(), QStringLiteral("Cabinet"));
    EXPECT_EQ(g->Row(), 3);
    // A typed text that no row starts with keeps the entry and the row.
    TestInput::PressKey(g, 'X', {}, QStringLiteral("x"));
    EXPECT_EQ(dd->LookupEntry(), QString());
    EXPECT_EQ(g->Row(), 3);
    dd->HideDropDown(false);

    // Not typed into: a character that leads nowhere starts a new search.
    dd->SetStyle(dsDropDownList);
    dd->ShowDropDown();
    TestInput::PressKey(g, 'P', {}, QStringLiteral("p"));
    EXPECT_EQ(dd->Text(), QStringLiteral("Pump"));
    TestInput::PressKey(g, 'R', {}, QStringLiteral("r"));
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("r"));
    EXPECT_EQ(dd->Text(), QStringLiteral("Robot"));
    EXPECT_EQ(g->Row(), 5);
    TestInput::PressKey(g, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(dd->ItemIndex(), 4);
    EXPECT_FALSE(dd->DroppedDown());
}

TEST_F(TGridDropDown, NarrowDownKeepsTheMatchingRowsUntilTheEditIsEntered)
{
    TCustomExGridDropDown* dd = AddGridDropDown();
    dd->SetLookupMethod(lmNarrowDown);
    dd->SetFocus();
    dd->ShowDropDown();
    TExColGrid* g = dd->GetGrid();
    TestInput::PressKey(g, 'B', {}, QStringLiteral("b"));
    EXPECT_EQ(ShownNames(g), (QStringList{"Boiler", "Cabinet", "Robot", "Bus bar"}));
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Boiler"));
    EXPECT_EQ(dd->SelStart(), 1);
    EXPECT_EQ(dd->SelLength(), 5);
    TestInput::PressKey(g, 'U', {}, QStringLiteral("u"));
    EXPECT_EQ(ShownNames(g), (QStringList{"Bus bar"}));
    // Backspace takes the completed tail, then the typed entry's last
    // character; the rows stay filtered.
    TestInput::PressKey(g, VK_BACK, {}, QStringLiteral("\b"));
    EXPECT_EQ(dd->Text(), QStringLiteral("Bu"));
    TestInput::PressKey(g, VK_BACK, {}, QStringLiteral("\b"));
    EXPECT_EQ(dd->LookupEntry(), QStringLiteral("b"));
    EXPECT_EQ(ShownNames(g), (QStringList{"Bus bar"}));
    // The next character filters with the shortened entry plus it.
    TestInput::PressKey(g, 'O', {}, QStringLiteral("o"));
    EXPECT_EQ(ShownNames(g), (QStringList{"Boiler", "Robot"}));
    SaveOpenDropDown(form, dd, QStringLiteral("TCustomExGridDropDown-narrowed"));
    // Enter chooses the shown row; entering the edit again shows all rows.
    TestInput::PressKey(g, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 0);
    EXPECT_EQ(dd->Text(), QStringLiteral("Boiler"));
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(20, 100, 100, 21);
    other->SetFocus();
    EXPECT_EQ(g->RowCount(), 3);
    dd->SetFocus();
    EXPECT_EQ(g->RowCount(), 9);
    // An entry that no row holds leaves the list empty, and Enter chooses nothing.
    dd->ShowDropDown();
    TestInput::PressKey(g, 'Z', {}, QStringLiteral("z"));
    TestInput::PressKey(g, 'Q', {}, QStringLiteral("q"));
    EXPECT_EQ(g->RowCount(), 1);
    TestInput::PressKey(g, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(dd->ItemIndex(), 0);
}

TEST_F(TGridDropDown, GridFilledByTheCallerIsReadByRow)
{
    auto* dd = new TCustomExGridDropDown(form);
    dd->SetParent(form);
    dd->SetBounds(20, 20, 200, 21);
    dd->SetUseItems(false);
    dd->SetLookupColumn(0);
    TExColGrid* g = dd->GetGrid();
    g->SetColCount(2);
    g->SetRowCount(5);
    const char* rows[][2] = {{"Tag", "Unit"}, {"flow", "m3/h"}, {"power", "kW"}, {"pressure", "bar"}, {"temp", "C"}};
    for (Integer r = 0; r < 5; ++r)
        for (Integer c = 0; c < 2; ++c)
            g->SetCells(c, r, QString::fromLatin1(rows[r][c]));
    dd->SetItemIndex(2);
    EXPECT_EQ(dd->Text(), QStringLiteral("pressure"));
    EXPECT_EQ(dd->RowCount(), 0);  // the items, none here
    // A row index past the grid's last row shows no text instead of failing.
    dd->SetItemIndex(4);
    EXPECT_EQ(dd->ItemIndex(), 4);
    EXPECT_EQ(dd->Text(), QString());
    QString full;
    Integer row = -1;
    EXPECT_TRUE(dd->LookupText(QStringLiteral("PO"), full, row));
    EXPECT_EQ(full, QStringLiteral("power"));
    EXPECT_EQ(row, 2);
    EXPECT_FALSE(dd->LookupText(QStringLiteral("x"), full, row));
    EXPECT_EQ(row, -1);
    // Opening finds the row of the text; the list's columns join the settings.
    dd->SetText(QStringLiteral("temp"));
    dd->SetFocus();
    dd->ShowDropDown();
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(dd->Columns()->Count(), 2);
    TestInput::PressKey(g, VK_UP);
    EXPECT_EQ(dd->Text(), QStringLiteral("pressure"));
    TestInput::PressKey(g, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_FALSE(dd->DroppedDown());
    EXPECT_EQ(dd->ItemIndex(), 2);
    EXPECT_EQ(dd->Text(), QStringLiteral("pressure"));
}

TEST_F(TGridDropDown, ClickOnACheckBoxCellDoesNotChoose)
{
    TCustomExGridDropDown* dd = AddGridDropDown();
    dd->SetItemIndex(0);
    dd->SetFocus();
    dd->ShowDropDown();
    TExColGrid* g = dd->GetGrid();
    g->AddCheckBox(2, 3, false, false);
    TestInput::Click(g, CentreOf(g->CellRect(2, 3)));
    EXPECT_TRUE(dd->DroppedDown());
    EXPECT_EQ(selects, 0);
    dd->HideDropDown(true);
}

TEST_F(TGridDropDown, ListEventsReachTheDropDownWithTheColumnSettingsFirst)
{
    TCustomExGridDropDown* dd = AddGridDropDown();
    dd->Columns()->Items(2)->SetColor(0x00FFFF);
    dd->Columns()->Items(2)->SetAlignment(taRightJustify);
    TColor seenColor = clNone;
    TAlignment seenAlign = taLeftJustify;
    TObject* topLeftSender = nullptr;
    dd->OnGridGetCellColor = [&](TObject*, Integer, Integer, TGridDrawState, TBrush* B, TFont*) {
        seenColor = B->Color();
    };
    dd->OnGridGetAlignment = [&](TObject*, Integer, Integer, TAlignment& H, TVAlignment&) { seenAlign = H; };
    dd->OnGridTopLeftChanged = [&](TObject* Sender) { topLeftSender = Sender; };
    dd->ShowDropDown();
    TExColGrid* g = dd->GetGrid();
    TBrush brush;
    TFont font;
    g->OnGetCellColor(g, 3, 2, 0, &brush, &font);
    EXPECT_EQ(seenColor, TColor(0x00FFFF));
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaCenter;
    g->OnGetAlignment(g, 3, 2, h, v);
    EXPECT_EQ(seenAlign, taRightJustify);
    // Beyond the columns the grid's own values stay.
    brush.SetColor(clRed);
    g->OnGetCellColor(g, 3, 5, 0, &brush, &font);
    EXPECT_EQ(seenColor, clRed);
    g->SetTopRow(4);
    EXPECT_EQ(topLeftSender, dd);
    // The float format starts empty for the handler.
    bool isFloat = false;
    QString format = QStringLiteral("%.2f");
    g->OnGetFloatFormat(g, 1, 1, isFloat, format);
    EXPECT_TRUE(format.isEmpty());
    // Sizing, moving and links of the list reach the dropdown's handlers,
    // which may refuse; a link is followed with the popup held open.
    dd->OnGridColumnSize = [](TObject*, Integer, bool& Allow) { Allow = false; };
    dd->OnGridRowMove = [](TObject*, Integer ARow, bool& Allow) { Allow = ARow > 1; };
    bool blocked = false;
    dd->OnGridAnchorClick = [&](TObject*, Integer, Integer, const QString&, bool& AutoHandle) {
        blocked = dd->DropDownForm()->BlockActivate();
        AutoHandle = false;
    };
    bool allow = true;
    g->OnColumnSize(g, 1, allow);
    EXPECT_FALSE(allow);
    allow = true;
    g->OnRowMove(g, 1, allow);
    EXPECT_FALSE(allow);
    bool autoHandle = true;
    g->OnAnchorClick(g, 1, 1, QStringLiteral("go"), autoHandle);
    EXPECT_TRUE(blocked);
    EXPECT_FALSE(autoHandle);
    EXPECT_FALSE(dd->DropDownForm()->BlockActivate());
    dd->HideDropDown(true);
}

// With Sorting on, a click on the list's header sorts it by that column,
// the chosen item stays the current row, and the list opens in that order
// the next time. The application may refuse a sort; without Sorting the
// header does not sort.
TEST_F(TGridDropDown, HeaderClickSortsTheListAndKeepsTheChoice)
{
    TCustomExGridDropDown* dd = AddGridDropDown();
    std::vector<QString> heard;
    bool allow = true;
    dd->OnGridCanSort = [&](TObject*, Integer ACol, bool& DoSort) {
        heard.push_back(QStringLiteral("can %1").arg(ACol));
        DoSort = allow;
    };
    dd->OnGridClickSort = [&](TObject*, Integer ACol) { heard.push_back(QStringLiteral("sorted %1").arg(ACol)); };
    dd->SetSorting(gsSingleColumn);
    dd->SetItemIndex(1);
    dd->SetFocus();
    dd->ShowDropDown();
    TExColGrid* g = dd->GetGrid();
    EXPECT_TRUE(g->SortSettings()->Show);
    EXPECT_FALSE(g->SortSettings()->IndexShow);
    TestInput::Click(g, CentreOf(g->CellRect(1, 0)));
    const QStringList byName{"Boiler", "Bus bar", "Cabinet", "Chiller", "Heater", "Pump", "Robot", "Valve"};
    EXPECT_EQ(ShownNames(g), byName);
    EXPECT_EQ(heard, (std::vector<QString>{"can 1", "sorted 1"}));
    EXPECT_EQ(g->Row(), 4);
    EXPECT_EQ(dd->ItemIndex(), 1);
    EXPECT_EQ(dd->Text(), QStringLiteral("Chiller"));
    EXPECT_TRUE(dd->DroppedDown());
    SaveOpenDropDown(form, dd, QStringLiteral("TCustomExGridDropDown-sorted"));
    // Refused: the order stays.
    allow = false;
    TestInput::Click(g, CentreOf(g->CellRect(2, 0)));
    EXPECT_EQ(ShownNames(g), byName);
    allow = true;
    // A row below is chosen by name order; the next opening is in that order
    // on the chosen item, and Enter keeps it.
    TestInput::PressKey(g, VK_DOWN);
    TestInput::PressKey(g, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(dd->Text(), QStringLiteral("Heater"));
    EXPECT_EQ(dd->ItemIndex(), 7);
    dd->ShowDropDown();
    EXPECT_EQ(ShownNames(g), byName);
    EXPECT_EQ(g->Row(), 5);
    TestInput::PressKey(g, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(dd->ItemIndex(), 7);

    // Without Sorting the header click leaves the item order.
    dd->SetSorting(gsNone);
    g->SortSettings()->Column = -1;
    dd->ShowDropDown();
    EXPECT_FALSE(g->SortSettings()->Show);
    heard.clear();
    TestInput::Click(g, CentreOf(g->CellRect(1, 0)));
    EXPECT_EQ(ShownNames(g).front(), QStringLiteral("Boiler"));
    EXPECT_EQ(ShownNames(g)[1], QStringLiteral("Chiller"));
    EXPECT_TRUE(heard.empty());
    dd->HideDropDown(true);
    dd->SetSorting(gsMultiColumn);
    dd->ShowDropDown();
    EXPECT_TRUE(g->SortSettings()->IndexShow);
    dd->HideDropDown(true);
}

// The list takes the dropdown's look each time it opens.
TEST_F(TGridDropDown, ListTakesTheDropDownsStyle)
{
    TCustomExGridDropDown* dd = AddGridDropDown();
    for (TKavroStyle style : {tsOffice2003Olive, tsOffice2007Obsidian, tsWindowsXP}) {
        dd->SetComponentStyle(style);
        dd->SetFocus();
        dd->ShowDropDown();
        EXPECT_EQ(dd->GetGrid()->Style(), style);
        if (style == tsOffice2003Olive)
            SaveOpenDropDown(form, dd, QStringLiteral("TCustomExGridDropDown-olive"));
        dd->HideDropDown(true);
    }
}
