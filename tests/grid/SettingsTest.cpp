// The grid's settings objects: defaults, change notices and copies.
#include "grid/ExObj.h"

#include "platform/Graphics.h"

#include <gtest/gtest.h>

namespace {

// Counts the notices of one event.
struct Counter {
    int n = 0;
    TNotifyEvent Event() { return [this](TObject*) { ++n; }; }
};

} // namespace

TEST(SearchFooter, CaptionsOnlyAtDesignTime)
{
    TSearchFooter design(nullptr, true), run(nullptr, false);
    EXPECT_EQ(design.FindNextCaption(), QStringLiteral("Find &next"));
    EXPECT_EQ(design.FindPrevCaption(), QStringLiteral("Find &previous"));
    EXPECT_EQ(design.MatchCaseCaption(), QStringLiteral("Match case"));
    EXPECT_EQ(design.HighLightCaption(), QStringLiteral("Highlight"));
    EXPECT_EQ(design.HintFindNext(), QStringLiteral("Find next occurrence"));
    EXPECT_EQ(design.HintFindPrev(), QStringLiteral("Find previous occurrence"));
    EXPECT_EQ(design.HintHighlight(), QStringLiteral("Highlight occurrences"));
    EXPECT_EQ(design.HintClose(), QStringLiteral("Close"));
    for (const QString& s : {run.FindNextCaption(), run.FindPrevCaption(), run.MatchCaseCaption(),
                             run.HighLightCaption(), run.HintFindNext(), run.HintFindPrev(), run.HintHighlight(),
                             run.HintClose()})
        EXPECT_TRUE(s.isEmpty());

    EXPECT_EQ(run.Color(), RGB(255, 255, 255));
    EXPECT_EQ(run.ColorTo(), clBtnFace);
    EXPECT_TRUE(run.ShowFindNext() && run.ShowFindPrev() && run.ShowMatchCase() && run.ShowHighLight()
                && run.ShowClose() && run.AutoSearch());
    EXPECT_FALSE(run.AlwaysHighLight() || run.SearchActiveColumnOnly() || run.SearchMatchStart()
                 || run.SearchFixedCells() || run.SearchHiddenRows() || run.Visible() || run.AutoThemeAdapt());
    EXPECT_EQ(run.SearchColumn(), -1);
    EXPECT_EQ(run.SearchDirection(), sdTopBottom);
}

TEST(SearchFooter, ChangeNotices)
{
    TSearchFooter f(nullptr, false);
    Counter c;
    f.OnChange = c.Event();
    f.SetColor(clRed);                 // always
    f.SetFindNextCaption("Next");      // always
    f.SetShowClose(true);              // always, even unchanged
    EXPECT_EQ(c.n, 3);
    f.SetShowFindNext(true);           // only on a change
    f.SetVisible(false);
    EXPECT_EQ(c.n, 3);
    f.SetVisible(true);
    f.SetShowMatchCase(false);
    EXPECT_EQ(c.n, 5);
    f.SetSearchColumn(2);              // stores only
    f.SetAutoSearch(false);
    EXPECT_EQ(c.n, 5);
    TFont font;
    font.SetSize(14);
    f.SetFont(&font);
    EXPECT_EQ(c.n, 6);
    EXPECT_EQ(f.Font()->Size(), 14);

    TSearchFooter g(nullptr, false);
    Counter d;
    g.OnChange = d.Event();
    g.Assign(&f);
    EXPECT_EQ(d.n, 0); // a copy fires nothing
    EXPECT_EQ(g.Color(), clRed);
    EXPECT_EQ(g.FindNextCaption(), QStringLiteral("Next"));
    EXPECT_TRUE(g.Visible());
    EXPECT_FALSE(g.ShowMatchCase());
    EXPECT_EQ(g.SearchColumn(), 2);
    EXPECT_EQ(g.Font()->Size(), 14);
    EXPECT_NE(g.Font(), f.Font()); // copied, not shared
}

TEST(Navigation, DefaultsNoticesAndCopy)
{
    TNavigation n;
    EXPECT_TRUE(n.AdvanceOnEnterLoop() && n.AdvanceAutoEdit() && n.AdvanceSkipReadOnlyCells() && n.AllowCtrlEnter()
                && n.AllowClipboardRowGrow() && n.AllowClipboardColGrow() && n.EditSelectAll() && n.ComboGetUpDown()
                && n.CursorWalkAlwaysEdit() && n.LeftRightRowSelect() && n.CopyHTMLTagsToClipboard()
                && n.SkipFixedCells() && n.SkipDisabledRows());
    EXPECT_FALSE(n.AllowInsertRow() || n.AlwaysEdit() || n.AdvanceOnEnter() || n.AdvanceInsert()
                 || n.AllowClipboardShortCuts() || n.AdvanceAuto() || n.KeepScrollOnSort() || n.TabToNextAtEnd());
    EXPECT_EQ(n.AdvanceDirection(), adLeftRight);
    EXPECT_EQ(n.TabAdvanceDirection(), adLeftRight);
    EXPECT_EQ(n.InsertPosition(), pInsertBefore);
    EXPECT_EQ(n.ClipboardPasteAction(), paReplace);
    EXPECT_EQ(n.CursorAdvance(), caDefault);
    EXPECT_EQ(n.HomeEndKey(), heFirstLastColumn);

    Counter c;
    n.OnChange = c.Event();
    n.SetAdvanceDirection(adLeftRight); // unchanged
    n.SetAdvanceDirection(adTopBottom);
    n.SetAdvanceInsert(true);
    n.SetAllowInsertRow(true); // stores only
    EXPECT_EQ(c.n, 2);
    n.SetAdvanceAuto(true);
    EXPECT_TRUE(n.AdvanceOnEnter());
    n.SetAdvanceAuto(false);
    EXPECT_TRUE(n.AdvanceOnEnter());
    EXPECT_EQ(c.n, 2);

    n.SetTabAdvanceDirection(adTopBottomInCol);
    n.SetKeepScrollOnSort(true);
    n.SetSkipFixedCells(false);
    n.SetHomeEndKey(heFirstLastCell);
    TNavigation m;
    m.Assign(&n);
    EXPECT_EQ(m.TabAdvanceDirection(), adTopBottomInCol);
    EXPECT_TRUE(m.KeepScrollOnSort());
    EXPECT_FALSE(m.SkipFixedCells());
    EXPECT_TRUE(m.AllowInsertRow());
    EXPECT_EQ(m.AdvanceDirection(), adTopBottom);
    EXPECT_EQ(m.HomeEndKey(), heFirstLastCell);

    TBands other;
    m.Assign(&other); // another class is ignored
    EXPECT_TRUE(m.KeepScrollOnSort());
}

TEST(MouseActions, LinkedSwitchesAndEvents)
{
    TMouseActions m(nullptr);
    EXPECT_TRUE(m.AutoSizeColOnDblClick());
    EXPECT_TRUE(m.PreciseNodeClick());
    EXPECT_FALSE(m.RowSelect() || m.DisjunctRowSelect() || m.CheckAllCheck() || m.HotmailRowSelect());
    EXPECT_EQ(m.FixedRowsEdit(), fceNone);
    EXPECT_EQ(m.FixedColsEditor(), fceEdit);
    EXPECT_EQ(m.WheelAction(), waMoveSelection);
    EXPECT_EQ(m.WheelIncrement(), 0);
    EXPECT_EQ(m.FixedComboValues()->Count(), 0);

    Counter invalidate, disable, change;
    m.OnInvalidate = invalidate.Event();
    m.OnDisableEdit = disable.Event();
    m.OnChange = change.Event();

    m.SetHotmailRowSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_TRUE(m.CheckAllCheck());
    m.SetHotmailRowSelect(false);
    EXPECT_TRUE(m.DisjunctRowSelect()); // left as they are
    EXPECT_TRUE(m.CheckAllCheck());
    EXPECT_EQ(invalidate.n, 2);

    m.SetEditOnDblClickOnly(false);
    m.SetEditOnDblClickOnly(true);
    EXPECT_EQ(disable.n, 1);

    m.SetWheelAction(waMoveSelection);
    m.SetWheelAction(waScroll);
    EXPECT_EQ(change.n, 1);

    // At run time the disjunct switches are independent.
    m.SetDisjunctColSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    // At design time one turns the other two off.
    m.OnIsDesigning = [](TObject*, bool& d) { d = true; };
    m.SetDisjunctCellSelect(true);
    EXPECT_FALSE(m.DisjunctRowSelect());
    EXPECT_FALSE(m.DisjunctColSelect());
    EXPECT_TRUE(m.DisjunctCellSelect());

    TStringList values;
    values.Add("A");
    values.Add("B");
    m.SetFixedComboValues(&values);
    TMouseActions copy(nullptr);
    copy.Assign(&m);
    EXPECT_EQ(copy.FixedComboValues()->Count(), 2);
    EXPECT_NE(copy.FixedComboValues(), m.FixedComboValues());
    EXPECT_TRUE(copy.DisjunctCellSelect());
    EXPECT_EQ(copy.WheelAction(), waScroll);
    EXPECT_FALSE(copy.HotmailRowSelect());
    EXPECT_TRUE(copy.CheckAllCheck());
}

TEST(SyncGridAndBands, OwnerAndLengths)
{
    TObjStringGrid owner(nullptr), other(nullptr);
    TSyncGrid s(&owner);
    EXPECT_EQ(s.Grid(), nullptr);
    s.SetGrid(&owner); // its own grid: stays unchanged
    EXPECT_EQ(s.Grid(), nullptr);
    s.SetGrid(&other);
    EXPECT_EQ(s.Grid(), &other);
    s.SetScrollVertical(true);
    TSyncGrid t(&other);
    t.Assign(&s); // through the setter: the other grid is t's own owner
    EXPECT_EQ(t.Grid(), nullptr);
    EXPECT_TRUE(t.ScrollVertical());

    TBands b;
    EXPECT_FALSE(b.Active());
    EXPECT_EQ(b.PrimaryColor(), clInfoBk);
    EXPECT_EQ(b.SecondaryColor(), clWindow);
    EXPECT_EQ(b.TotalLength(), 2);
    Counter c;
    b.OnChange = c.Event();
    b.SetPrimaryColor(clRed); // not active: no notice
    b.SetPrimaryLength(3);
    EXPECT_EQ(c.n, 0);
    EXPECT_EQ(b.TotalLength(), 4);
    b.SetActive(true);
    b.SetSecondaryColor(clYellow);
    b.SetSecondaryColor(clYellow); // unchanged
    b.SetSecondaryLength(2);
    EXPECT_EQ(c.n, 3);
    b.SetPrint(true);

    TBands copy;
    copy.Assign(&b);
    EXPECT_TRUE(copy.Print());
    EXPECT_TRUE(copy.Active());
    EXPECT_EQ(copy.TotalLength(), 5);
    EXPECT_EQ(copy.PrimaryColor(), clRed);

    TFocusHelper f(nullptr), g(nullptr);
    EXPECT_FALSE(f.Enabled());
    f.SetEnabled(true);
    g.Assign(&f);
    EXPECT_TRUE(g.Enabled());
}
