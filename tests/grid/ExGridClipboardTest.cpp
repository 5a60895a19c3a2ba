// The grid and the clipboard: copy and cut as text, in the grid's own cell
// format, as rich text and HTML; paste of each, the smart fill of the
// selection, and the clipboard keys. Also the column and row statistics and
// swapping rows and columns.
#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "platform/Clipboard.h"
#include "platform/Form.h"
#include "platform/Messages.h"
#include "platform/TestHooks.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <gtest/gtest.h>

#include <memory>

namespace {

std::unique_ptr<TExStringGrid> Editing(Integer cols, Integer rows)
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetOptions(g->Options() | goEditing | goRangeSelect);
    return g;
}

void Select(TExStringGrid* g, Integer l, Integer t, Integer r, Integer b)
{
    g->SetSelection(TGridRect{l, t, r, b});
}

} // namespace

TEST(ExGridClipboard, CopiedRangesAsTextWithTabsLineBreaksAndQuotes)
{
    auto g = Editing(4, 4);
    g->SetCells(1, 1, QStringLiteral("a"));
    g->SetCells(2, 1, QStringLiteral("b"));
    g->SetCells(1, 2, QStringLiteral("c"));
    g->SetCells(2, 2, QStringLiteral("x\r\ny"));
    Select(g.get(), 1, 1, 2, 2);
    g->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("a\tb\r\nc\t\"x\n\ny\"\r\n"));
    EXPECT_EQ(g->ClipLastOp(), coCopy);
    EXPECT_EQ(g->ClipTopLeft(), TPoint(1, 1));
    Select(g.get(), 1, 1, 2, 1);
    g->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("a\tb"));

    // Stripped tags and rich text, with the spreadsheet quoting.
    g->SetCells(1, 3, QStringLiteral("<b>one</b><br>two"));
    g->SetCells(2, 3, QStringLiteral("{\\rtf1\\ansi {\\fonttbl{\\f0 Arial;}}\\f0 Hello\\par World}"));
    g->Navigation()->SetCopyHTMLTagsToClipboard(false);
    g->SetExcelClipboardFormat(true);
    g->SetMultilinecells(true);
    Select(g.get(), 1, 3, 2, 3);
    g->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("\"one") + QChar(11) + QStringLiteral("two\"\t\"Hello")
                                         + QChar(11) + QStringLiteral("World\""));

    // A disjunct row selection copies only its rows.
    auto d = Editing(3, 5);
    for (Integer r = 1; r < 5; ++r)
        d->SetCells(1, r, QString::number(r));
    d->MouseActions()->SetDisjunctRowSelect(true);
    d->SetRowSelect(2, true);
    d->SetRowSelect(4, true);
    d->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("2\t\r\n4\t\r\n"));
}

TEST(ExGridClipboard, CutEmptiesEditableCellsAndReportsTheSelectionOnce)
{
    auto g = Editing(3, 3);
    g->SetCells(1, 1, QStringLiteral("one"));
    g->SetCells(2, 1, QStringLiteral("two"));
    g->GetCellProperties(2, 1)->SetReadOnly(true);
    std::vector<TRect> changed;
    g->OnCellsChanged = [&](TObject*, TRect R) { changed.push_back(R); };
    Select(g.get(), 1, 1, 2, 1);
    g->CutSelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("one\ttwo"));
    EXPECT_EQ(g->Cells(1, 1), QString());
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("two"));  // read-only stays
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], TRect(1, 1, 2, 1));
    EXPECT_EQ(g->ClipLastOp(), coCut);

    g->Navigation()->SetAllowClipboardAlways(true);
    g->CutToClipboard();
    EXPECT_EQ(g->Cells(2, 1), QString());
}

TEST(ExGridClipboard, CellFormatCarriesPropertiesBetweenGrids)
{
    auto a = Editing(4, 4);
    a->Navigation()->SetAllowFmtClipboard(true);
    a->SetCells(1, 1, QStringLiteral("red"));
    a->GetCellProperties(1, 1)->SetBrushColor(clRed);
    a->SetCells(2, 1, QStringLiteral("plain"));
    Select(a.get(), 1, 1, 2, 1);
    a->CopySelectionToClipboard();
    EXPECT_TRUE(Clipboard()->HasFormat(QStringLiteral("TExStringGrid Cells")));

    auto b = Editing(3, 3);
    b->Navigation()->SetAllowFmtClipboard(true);
    b->Navigation()->SetAllowClipboardColGrow(true);
    Select(b.get(), 2, 2, 2, 2);
    b->PasteSelectionFromClipboard();
    EXPECT_EQ(b->ColCount(), 4);  // grown to take the block
    EXPECT_EQ(b->Cells(2, 2), QStringLiteral("red"));
    EXPECT_EQ(b->Cells(3, 2), QStringLiteral("plain"));
    EXPECT_EQ(b->GetCellProperties(2, 2)->BrushColor(), clRed);
}

TEST(ExGridClipboard, RichTextAndHtmlFormats)
{
    auto g = Editing(3, 3);
    const QString rtf = QStringLiteral("{\\rtf1 bold}");
    g->SetCells(1, 1, rtf);
    g->Navigation()->SetAllowRTFClipboard(true);
    Select(g.get(), 1, 1, 1, 1);
    g->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsFormat(QStringLiteral("Rich Text Format")), rtf.toLatin1() + '\0');
    // Other programs find it as text/rtf.
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
    g->SetCells(1, 1, QString());
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(g->Cells(1, 1), rtf);

    g->SetCells(1, 1, QStringLiteral("x"));
    g->CopyToClipBoardAsHTML();
    const QString text = Clipboard()->AsText();
    const QString html = g->SaveToHTMLString(QString());
    EXPECT_TRUE(text.startsWith(QStringLiteral("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:%1\r\nStartFragment:00000274\r\n")
                                    .arg(html.size() + 306, 8, 10, QLatin1Char('0'))));
    EXPECT_EQ(text.mid(274, html.size()), html);
    EXPECT_TRUE(text.endsWith(QStringLiteral("<!--EndFragment--></body></html>")));
    EXPECT_TRUE(Clipboard()->HasFormat(QStringLiteral("HTML Format")));
}

TEST(ExGridClipboard, TextPasteGrowsTheGridAndInsertsRows)
{
    auto g = Editing(2, 2);
    Integer rows = 0, cols = 0;
    EXPECT_EQ(g->PasteTextAt(0, 1, rows, cols, QStringLiteral("a\tb\r\nc\td\r\n")), 5);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(cols, 1);
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("b"));
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("d"));
    EXPECT_EQ(g->RowCount(), 3);
    // A quoted multi-line field loses its quotes.
    g->PasteTextAt(1, 1, rows, cols, QStringLiteral("\"x\ny\""));
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("x\ny"));

    auto ins = Editing(2, 3);
    ins->SetCells(1, 1, QStringLiteral("old"));
    ins->Navigation()->SetClipboardPasteAction(paInsert);
    ins->PasteTextAt(1, 1, rows, cols, QStringLiteral("1\r\n2\r\n3"));
    EXPECT_EQ(ins->RowCount(), 6);
    EXPECT_EQ(ins->Cells(1, 1), QStringLiteral("1"));
    EXPECT_EQ(ins->Cells(1, 3), QStringLiteral("3"));
    EXPECT_EQ(ins->Cells(1, 4), QStringLiteral("old"));

    // Handlers may change or refuse a value; a grid without editing takes none.
    auto h = Editing(3, 2);
    h->OnClipboardBeforePasteCell = [](TObject*, Integer c, Integer, QString& v, bool& allow) {
        allow = c != 2;
        v = v.toUpper();
    };
    h->PasteTextAt(0, 1, rows, cols, QStringLiteral("a\tb\tc"));
    EXPECT_EQ(h->Cells(1, 1), QStringLiteral("B"));
    EXPECT_EQ(h->Cells(2, 1), QString());
    auto ro = std::make_unique<TExStringGrid>(nullptr);
    EXPECT_EQ(ro->PasteTextAt(1, 1, rows, cols, QStringLiteral("z")), 0);
}

TEST(ExGridClipboard, SmartFillSeriesAndRepeats)
{
    auto g = Editing(8, 8);
    g->Navigation()->SetAllowSmartClipboard(true);
    struct {
        const char* what;
        QString clip;
        TGridRect sel;
        QStringList expected;  // down the column or along the row
    } cases[] = {
        {"numbers", QStringLiteral("1\r\n3\r\n"), {1, 1, 1, 5}, {"1", "3", "5", "7", "9"}},
        {"floats", QStringLiteral("1.5\r\n2\r\n"), {2, 1, 2, 4}, {"1.50", "2.00", "2.50", "3.00"}},
        {"repeat", QStringLiteral("a\tb\tc"), {1, 7, 6, 7}, {"a", "b", "a", "b", "a", "b"}},
        {"one value", QStringLiteral("v"), {3, 1, 4, 2}, {"v", "v"}},
    };
    for (const auto& c : cases) {
        Clipboard()->SetAsText(c.clip);
        g->SetSelection(c.sel);
        g->PasteSelectionFromClipboard();
        const bool column = c.sel.Left == c.sel.Right;
        for (Integer i = 0; i < c.expected.size(); ++i) {
            const Integer col = column ? c.sel.Left : c.sel.Left + i, row = column ? c.sel.Top + i : c.sel.Top;
            EXPECT_EQ(g->Cells(col, row), c.expected[i]) << c.what << " " << i;
        }
    }
    EXPECT_EQ(g->Cells(4, 2), QStringLiteral("v"));  // all four cells of the 2 x 2 block

    // Without smart paste one value stays in one cell.
    auto p = Editing(4, 4);
    Clipboard()->SetAsText(QStringLiteral("w"));
    p->SetSelection(TGridRect{1, 1, 2, 2});
    p->PasteSelectionFromClipboard();
    EXPECT_EQ(p->Cells(1, 1), QStringLiteral("w"));
    EXPECT_EQ(p->Cells(2, 2), QString());
}

TEST(ExGridClipboard, ClipboardKeysWorkWhenAllowedAndHandlersCanVeto)
{
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    auto* g = new TExStringGrid(form.get());
    g->SetParent(form.get());
    g->SetBounds(0, 0, 300, 200);
    g->SetColCount(3);
    g->SetRowCount(3);
    g->SetOptions(g->Options() | goEditing);
    g->SetCells(1, 1, QStringLiteral("key"));
    form->Show();
    g->SetFocus();
    g->SetCol(1);
    g->SetRow(1);
    Clipboard()->SetAsText(QStringLiteral("before"));
    TestInput::KeyDown(g, 'C', TShiftState(ssCtrl));
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("before"));  // off by default

    g->Navigation()->SetAllowClipboardShortCuts(true);
    TestInput::KeyDown(g, 'C', TShiftState(ssCtrl));
    EXPECT_EQ(Clipboard()->AsText(), QStringLiteral("key"));
    g->SetCol(2);
    TestInput::KeyDown(g, VK_INSERT, TShiftState(ssShift));
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("key"));
    bool asked = false;
    g->OnClipboardCut = [&](TObject*, bool& Allow) {
        asked = true;
        Allow = false;
    };
    TestInput::KeyDown(g, 'X', TShiftState(ssCtrl));
    EXPECT_TRUE(asked);
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("key"));
    g->OnClipboardCut = nullptr;
    TestInput::KeyDown(g, VK_DELETE, TShiftState(ssShift));
    EXPECT_EQ(g->Cells(2, 1), QString());
}

TEST(ExGridStatistics, ColumnAndRowFunctions)
{
    TExStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(6);
    const char* col1[] = {"1", "abc", "2", "", "(5)"};
    for (Integer r = 1; r <= 5; ++r)
        g.SetCells(1, r, QString::fromLatin1(col1[r - 1]));
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, 1, 3), 3);
    EXPECT_DOUBLE_EQ(g.ColumnAvg(1, 1, 3), 1);
    EXPECT_DOUBLE_EQ(g.ColumnSum(1, -1, -1), -2);  // all normal rows; (5) is -5
    EXPECT_DOUBLE_EQ(g.ColumnMin(1, 1, 5), -5);
    EXPECT_DOUBLE_EQ(g.ColumnMax(1, 1, 5), 2);
    g.SetCells(2, 1, QStringLiteral("a"));
    g.SetCells(2, 2, QStringLiteral("A"));
    g.SetCells(2, 3, QStringLiteral("b"));
    EXPECT_DOUBLE_EQ(g.ColumnDistinct(2, 1, 4), 3);
    g.SetCells(3, 1, QStringLiteral("2"));
    g.SetCells(3, 2, QStringLiteral("4"));
    EXPECT_DOUBLE_EQ(g.ColumnStdDev(3, 1, 2), 1);
    EXPECT_DOUBLE_EQ(g.RowSum(1, 1, 3), 3);
    EXPECT_DOUBLE_EQ(g.RowAvg(1, 3, 2), 0);
    EXPECT_DOUBLE_EQ(g.RowMax(1, 1, 3), 2);
    std::vector<Integer> states;
    struct Spy : TExStringGrid {
        using TExStringGrid::TExStringGrid;
        std::vector<Integer>* S = nullptr;
        void ExportNotification(Integer AState, Integer) override { S->push_back(AState); }
    } spy(nullptr);
    spy.S = &states;
    spy.SetRowCount(3);
    spy.ColumnSum(1, 1, 2);
    EXPECT_EQ(states, (std::vector<Integer>{esExportStart, esExportNextRow, esExportNextRow, esExportDone}));
    g.OnColumnCalc = [](TObject*, Integer, Integer From, Integer To, double& Res) { Res = To - From; };
    EXPECT_DOUBLE_EQ(g.ColumnCustomCalc(1, 2, 5), 3);
}

TEST(ExGridSwap, ColumnsAndRowsSwapWithObjectsSizesAndSortColumn)
{
    TExStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(4);
    for (Integer c = 0; c < 4; ++c)
        for (Integer r = 0; r < 4; ++r)
            g.SetCells(c, r, QStringLiteral("%1.%2").arg(c).arg(r));
    g.SetColWidths(1, 40);
    g.SetColWidths(3, 90);
    g.AddComment(1, 2, QStringLiteral("note"));
    g.SortSettings()->Column = 1;
    g.SwapColumns(1, 3);
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("3.2"));
    EXPECT_EQ(g.Cells(3, 2), QStringLiteral("1.2"));
    EXPECT_EQ(g.ColWidths(1), 90);
    EXPECT_EQ(g.ColWidths(3), 40);
    EXPECT_EQ(g.GetComment(3, 2), QStringLiteral("note"));
    EXPECT_EQ(g.SortSettings()->Column, 3);
    EXPECT_EQ(g.ColCount(), 4);
    g.SwapColumns(2, 2);
    EXPECT_EQ(g.Cells(2, 2), QStringLiteral("2.2"));

    g.SetRowHeights(1, 30);
    g.SwapRows(1, 2);
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("0.2"));
    EXPECT_EQ(g.GetComment(3, 1), QStringLiteral("note"));
    EXPECT_EQ(g.RowHeights(2), 30);

    g.SetOptions(g.Options() | goRangeSelect);
    g.SetSelection(TGridRect{1, 1, 2, 2});
    EXPECT_TRUE(g.IsSelected(2, 2));
    EXPECT_FALSE(g.IsSelected(0, 1));  // fixed
    EXPECT_EQ(g.SelectedText(), QStringLiteral("3.2\t2.2\r\n3.1\t2.1"));
}
