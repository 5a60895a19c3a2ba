// Sorting: a table of keys per sort style checked on whole rows, rows that
// keep their hidden cells, cell properties, objects and check states, the
// unsort, the sort settings' text form, and the header click that sorts
// and shows the indicator.
#include "grid/ExGrid.h"

#include "platform/Form.h"
#include "platform/TestHooks.h"
#include "platform/Text.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Screenshot.h"

namespace {

// One header row; column 1 the key, column 2 the row's tag, column 3 the
// tag again with a suffix, so that a row torn apart shows at once.
std::unique_ptr<TExStringGrid> KeyGrid(const std::vector<QString>& Keys)
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(4);
    g->SetRowCount(Integer(Keys.size()) + 1);
    for (size_t i = 0; i < Keys.size(); ++i) {
        const Integer r = Integer(i) + 1;
        const QString tag = QString(QChar(u'a' + int(i)));
        g->SetCells(1, r, Keys[i]);
        g->SetCells(2, r, tag);
        g->SetCells(3, r, tag + QStringLiteral("-x"));
    }
    return g;
}

// The tags top to bottom; "!" where a row's cells no longer belong together.
QString Tags(TExStringGrid& g)
{
    QString s;
    for (Integer r = 1; r < g.RowCount(); ++r) {
        const QString tag = g.Cells(2, r);
        s += g.Cells(3, r) == tag + QStringLiteral("-x") ? tag : QStringLiteral("!");
    }
    return s;
}

} // namespace

TEST(ExGridSort, KeysOfEveryStyleOrderWholeRows)
{
    const QString d1 = DateToStr(EncodeDate(2024, 3, 9)), d2 = DateToStr(EncodeDate(2023, 12, 31)),
                  d3 = DateToStr(EncodeDate(2024, 11, 2));
    struct Case {
        const char* Name;
        std::vector<QString> Keys;
        TSortStyle Style;  // ssAutomatic: no OnGetFormat
        TSortDirection Dir;
        bool AutoFormat, IgnoreBlanks, Full;
        TSortBlankPosition BlankPos;
        QString Expected;
    };
    const Case cases[] = {
        {"numbers read as numbers", {"10", "9", "100", "-2.5"}, ssAutomatic, sdAscending, true, false, true, blFirst,
         "dbac"},
        {"numbers as texts without AutoFormat", {"10", "9", "100"}, ssAutomatic, sdAscending, false, false, true,
         blFirst, "acb"},
        {"numbers descending", {"10", "9", "100"}, ssAutomatic, sdDescending, true, false, true, blFirst, "cab"},
        {"dates of the locale", {d1, d2, d3}, ssAutomatic, sdAscending, true, false, true, blFirst, "bac"},
        {"day-month-year dates", {"09/03/2024", "31-12-2023", "02.11.2024"}, ssShortDateEU, sdAscending, true,
         false, true, blFirst, "bac"},
        {"month-day-year dates", {"03/09/2024", "12/31/2023", "11/02/2024"}, ssShortDateUS, sdAscending, true,
         false, true, blFirst, "bac"},
        {"mixed: empty, numbers, then texts", {"pump", "", "12", "Fan", "3"}, ssAutomatic, sdAscending, true, false,
         true, blFirst, "becda"},
        {"empty cells last in both directions (ascending)", {"b", "", "a", ""}, ssAlphabetic, sdAscending, true, true,
         true, blLast, "cabd"},
        // Ties go to the next column, in the same direction.
        {"empty cells last in both directions (descending)", {"b", "", "a", ""}, ssAlphabetic, sdDescending, true,
         true, true, blLast, "acdb"},
        {"case: ordinal puts capitals first", {"beta", "Alpha", "alpha", "Beta"}, ssAlphabetic, sdAscending, true,
         false, false, blFirst, "bdca"},
        {"case ignored keeps ties in order", {"beta", "Alpha", "alpha", "Beta"}, ssAlphaNoCase, sdAscending, true,
         false, false, blFirst, "bcad"},
        {"financial with thousands and prefix", {"$1,200.50", "$99", "$12,000"}, ssFinancial, sdAscending, true, false,
         true, blFirst, "bac"},
        {"alphanumeric: numbers when both are", {"20", "100", "x1", "3"}, ssAlphaNumeric, sdAscending, true, false,
         true, blFirst, "dabc"},
        {"HTML compares the text only", {"<b>zeta</b>", "eta", "<i>beta</i>"}, ssHTML, sdAscending, true, false, true,
         blFirst, "cba"},
        {"stable ties without Full", {"1", "2", "1", "2", "1"}, ssNumeric, sdAscending, true, false, false, blFirst,
         "acebd"},
        {"stable ties descending", {"1", "2", "1", "2", "1"}, ssNumeric, sdDescending, true, false, false, blFirst,
         "bdace"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto g = KeyGrid(c.Keys);
        TSortSettings* s = g->SortSettings();
        s->AutoFormat = c.AutoFormat;
        s->IgnoreBlanks = c.IgnoreBlanks;
        s->BlankPos = c.BlankPos;
        s->Full = c.Full;
        if (c.Style != ssAutomatic)
            g->OnGetFormat = [&c](TObject*, Integer ACol, TSortStyle& Style, QString& Prefix, QString&) {
                if (ACol == 1) {
                    Style = c.Style;
                    if (c.Style == ssFinancial)
                        Prefix = QStringLiteral("$");
                }
            };
        g->Sort(1, c.Dir);
        EXPECT_EQ(Tags(*g), c.Expected);
    }
}

TEST(ExGridSort, CustomAndRawComparesDecide)
{
    auto g = KeyGrid({QStringLiteral("ccc"), QStringLiteral("a"), QStringLiteral("bb")});
    g->OnGetFormat = [](TObject*, Integer, TSortStyle& Style, QString&, QString&) { Style = ssCustom; };
    g->OnCustomCompare = [](TObject*, const QString& A, const QString& B, Integer& Res) {
        Res = A.size() < B.size() ? 1 : (A.size() > B.size() ? -1 : 0);  // longest first
    };
    g->Sort(1, sdAscending);
    EXPECT_EQ(Tags(*g), QStringLiteral("acb"));

    g->OnGetFormat = [](TObject*, Integer, TSortStyle& Style, QString&, QString&) { Style = ssRaw; };
    g->OnRawCompare = [&g](TObject*, Integer, Integer R1, Integer R2, Integer& Res) {
        // by the tag column, descending
        Res = -QString::compare(g->Cells(2, R1), g->Cells(2, R2));
    };
    g->Sort(1, sdAscending);
    EXPECT_EQ(Tags(*g), QStringLiteral("cba"));
}

TEST(ExGridSort, RowsKeepHiddenCellsPropertiesObjectsAndCheckStates)
{
    // Column 1 key, 2 coloured and bold, 3 hidden, 4 check box, 5 object.
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(6);
    g->SetRowCount(5);
    const char* const keys[] = {"delta", "alpha", "charlie", "bravo"};
    std::vector<std::unique_ptr<TObject>> objects;
    for (Integer r = 1; r <= 4; ++r) {
        const QString k = QString::fromLatin1(keys[r - 1]);
        g->SetCells(1, r, k);
        g->SetCells(2, r, k + QStringLiteral("-2"));
        g->SetCells(3, r, k + QStringLiteral("-hidden"));
        g->SetColors(2, r, TColor(0x100 * r));
        if (r % 2 == 0)
            g->SetFontStyles(2, r, TFontStyles{fsBold});
        g->AddCheckBox(4, r, r % 2 == 1, false);
        objects.push_back(std::make_unique<TObject>());
        g->SetObjects(5, r, objects.back().get());
    }
    g->HideColumn(3);
    ASSERT_EQ(g->ColCount(), 5);

    // Each row as it was: key, its original row.
    auto checkRows = [&](const std::vector<Integer>& OriginalRowOf) {
        for (Integer r = 1; r <= 4; ++r) {
            const Integer o = OriginalRowOf[size_t(r - 1)];
            const QString k = QString::fromLatin1(keys[o - 1]);
            SCOPED_TRACE(k.toStdString());
            EXPECT_EQ(g->Cells(1, r), k);
            EXPECT_EQ(g->AllCells(2, r), k + QStringLiteral("-2"));
            EXPECT_EQ(g->AllCells(3, r), k + QStringLiteral("-hidden"));
            EXPECT_EQ(g->Colors(2, r), TColor(0x100 * o));
            EXPECT_EQ(g->FontStyles(2, r) == TFontStyles{fsBold}, o % 2 == 0);
            bool state = false;
            EXPECT_TRUE(g->GetCheckBoxState(4, r, state));
            EXPECT_EQ(state, o % 2 == 1);
            EXPECT_EQ(g->AllObjects(5, r), objects[size_t(o - 1)].get());
        }
    };
    g->Sort(1, sdAscending);
    checkRows({2, 4, 3, 1});
    g->Sort(2, sdDescending);  // real column 2, with the hidden one behind it
    checkRows({1, 3, 4, 2});
    g->QUnSort();
    checkRows({1, 2, 3, 4});

    g->UnHideColumn(3);
    g->Sort(1, sdAscending);
    checkRows({2, 4, 3, 1});
}

TEST(ExGridSort, NothingToSortAndTheSettingsTextForm)
{
    auto g = KeyGrid({QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a")});
    g->QSort();  // Column -1
    EXPECT_EQ(Tags(*g), QStringLiteral("abc"));
    EXPECT_THROW(g->QSortIndexed(), DOzeDidoRivar);

    g->Sort(1, sdDescending);
    EXPECT_EQ(g->SortSettings()->SaveToString(), QStringLiteral("d1"));
    g->SortSettings()->LoadFromString(QStringLiteral("u1"));
    EXPECT_TRUE(g->SortSettings()->Show);
    EXPECT_EQ(Tags(*g), QStringLiteral("cab"));
    EXPECT_THROW(g->SortSettings()->LoadFromString(QStringLiteral("x")), DOzeDidoRivar);
    EXPECT_THROW(g->SortSettings()->SetRow(1), DOzeDidoRivar);

    auto one = KeyGrid({});
    one->SortByColumn(1);
    EXPECT_EQ(one->SortSettings()->Column, -1);
}

TEST(ExGridSort, IndexedSortTakesEachColumnsDirection)
{
    auto g = KeyGrid({QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1")});
    g->SetCells(3, 1, QStringLiteral("a-x"));
    g->SortIndexes()->AddIndex(1, true);
    g->SortIndexes()->AddIndex(2, false);
    g->QSortIndexed();
    EXPECT_EQ(Tags(*g), QStringLiteral("dbca"));
}

TEST(ExGridSort, HeaderClicksSortToggleAndShowTheIndicator)
{
    TForm form(nullptr);
    form.SetClientSize(360, 170);
    auto* g = new TExStringGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 360, 170);
    g->SetColCount(4);
    g->SetRowCount(6);
    const char* const heads[] = {"", "Name", "Value", "Unit"};
    const char* const rows[][3] = {{"Pump", "12", "kW"}, {"Fan", "7", "W"}, {"Heater", "120", "kW"},
                                   {"Valve", "-3", "%"}, {"Boiler", "55", "kW"}};
    for (Integer c = 1; c < 4; ++c)
        g->SetCells(c, 0, QString::fromLatin1(heads[c]));
    for (Integer r = 1; r < 6; ++r)
        for (Integer c = 1; c < 4; ++c)
            g->SetCells(c, r, QString::fromLatin1(rows[r - 1][c - 1]));
    g->SortSettings()->SetShow(true);
    g->SortSettings()->UndoSort = true;
    std::vector<Integer> clicked;
    g->OnClickSort = [&](TObject*, Integer Col) { clicked.push_back(Col); };
    const QImage unsorted = GrabControl(g);

    auto column = [&](Integer C) {
        QStringList s;
        for (Integer r = 1; r < g->RowCount(); ++r)
            s << g->Cells(C, r);
        return s.join(u',');
    };
    const TRect head = g->CellRect(2, 0);
    const TPoint at{(head.Left + head.Right) / 2, (head.Top + head.Bottom) / 2};
    TestInput::Click(g, at);
    EXPECT_EQ(column(2), QStringLiteral("-3,7,12,55,120"));
    EXPECT_EQ(column(1), QStringLiteral("Valve,Fan,Pump,Boiler,Heater"));
    const QImage ascending = GrabControl(g);
    // The indicator is drawn in the clicked header cell and nowhere else in the header.
    const QRect headRect(head.Left, head.Top, head.Right - head.Left, head.Bottom - head.Top);
    EXPECT_NE(ascending.copy(headRect), unsorted.copy(headRect));
    const TRect other = g->CellRect(3, 0);
    const QRect otherRect(other.Left, other.Top, other.Right - other.Left, other.Bottom - other.Top);
    EXPECT_EQ(ascending.copy(otherRect), unsorted.copy(otherRect));
    testsupport::SaveScreenshot(ascending, QStringLiteral("TExStringGrid-sorted-ascending"));

    TestInput::Click(g, at);
    EXPECT_EQ(column(2), QStringLiteral("120,55,12,7,-3"));
    const QImage descending = GrabControl(g);
    EXPECT_NE(descending.copy(headRect), ascending.copy(headRect));  // the glyph turned
    testsupport::SaveScreenshot(descending, QStringLiteral("TExStringGrid-sorted-descending"));

    TestInput::Click(g, at);  // the third click undoes the sort
    EXPECT_EQ(column(1), QStringLiteral("Pump,Fan,Heater,Valve,Boiler"));
    EXPECT_EQ(g->SortSettings()->Column, -1);
    EXPECT_EQ(clicked, (std::vector<Integer>{2, 2, -1}));
}
