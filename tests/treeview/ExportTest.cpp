// The string tree's exports: HTML, RTF and CSV of a tree with columns
// compared with expected files, the rules of each format on small trees,
// the clipboard's HTML envelope, the export events and the clipboard
// formats read back.

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

#include "TreeFixture.h"
#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/Locale.h"
#include "treeview/header/NodeTreeHeader.h"
#include "treeview/transfer/NodeTreeDataObject.h"
#include "treeview/transfer/NodeTreeExport.h"

namespace {
QByteArray Expected(const char* Name)
{
    QFile f(QStringLiteral(TEST_DATA_DIR "/treeview/export/") + QLatin1String(Name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << Name;
    return f.readAll();
}

struct TRow {
    QString Name, Value, Note;
};

// A tree with three columns and nodes on three levels whose texts carry
// the characters each format must treat specially.
class TExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FormatSettings().MetricMeasurement = true;
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 420, 220);
        tree = new TNodeStringTree(form.get());
        tree->SetParent(form.get());
        tree->SetBounds(10, 10, 400, 200);
        tree->Font()->SetName(QStringLiteral("DejaVu Sans"));
        tree->Font()->SetSize(8);
        tree->SetNodeDataSize(sizeof(Integer));
        header = tree->Header();
        header->Font()->SetName(QStringLiteral("DejaVu Sans"));
        header->Font()->SetSize(8);
        const struct {
            const char* text;
            Integer width;
            TAlignment align;
        } defs[3] = {{"Name", 150, taLeftJustify}, {"Value", 100, taRightJustify}, {"Note", 80, taCenter}};
        for (const auto& d : defs) {
            TNodeTreeColumn* c = header->Columns()->Add();
            c->SetText(QLatin1String(d.text));
            c->SetWidth(d.width);
            c->SetAlignment(d.align);
        }
        header->SetOptions(header->Options() | hoVisible);
        tree->OnGetText = [this](TBaseNodeTree* t, PDataNode n, TColumnIndex column, TNSTTextType type, QString& text) {
            if (type != ttNormal)
                return;
            const TRow& r = rows[*t->GetNodeData<Integer>(n)];
            text = column == 1 ? r.Value : column == 2 ? r.Note : r.Name;
        };
        // The owner shows registers in bold.
        tree->OnPaintText = [](TBaseNodeTree* t, TCanvas* canvas, PDataNode n, TColumnIndex column, TNSTTextType) {
            if (t->GetNodeLevel(n) == 1 && column == 0)
                canvas->Font()->SetStyle(fsBold);
        };
        meter1 = Add(nullptr, 0);
        reg = Add(meter1, 1);
        Add(reg, 2);
        meter2 = Add(nullptr, 3);
        tree->FullExpand();
    }
    void TearDown() override
    {
        QGuiApplication::clipboard()->clear();
        form.reset();
        ResetFormatSettings();
    }
    PDataNode Add(PDataNode parent, Integer row)
    {
        PDataNode n = tree->AddChild(parent);
        *tree->GetNodeData<Integer>(n) = row;
        return n;
    }

    std::vector<TRow> rows{
        {QStringLiteral("Meter 1"), QStringLiteral("12,5"), QStringLiteral("say \"hi\"")},
        {QStringLiteral("Register A"), QStringLiteral("7"), QString()},
        {QStringLiteral("Temp < 5 \u00B0C"), QStringLiteral("-3"), QStringLiteral("line1\r\nline2")},
        {QStringLiteral("Caf\u00E9 \u20AC"), QStringLiteral("0"), QStringLiteral("a, b")},
    };
    std::unique_ptr<TForm> form;
    TNodeStringTree* tree = nullptr;
    TNtHeader* header = nullptr;
    PDataNode meter1 = nullptr, reg = nullptr, meter2 = nullptr;
};
} // namespace

TEST_F(TExportTest, ATreeWithColumnsExportsAsTheExpectedFiles)
{
    EXPECT_EQ(tree->ContentToHTML(tstAll, QStringLiteral("Meters")).toUtf8(), Expected("columns.html"));
    EXPECT_EQ(tree->ContentToRTF(tstAll), Expected("columns.rtf"));
    EXPECT_EQ(tree->ContentToText(tstAll, QLatin1Char(',')).toUtf8(), Expected("columns.csv"));
}

TEST_F(TExportTest, CsvQuotesFieldsWithTheSeparatorOrALineBreakOnly)
{
    const QStringList lines = tree->ContentToText(tstAll, QLatin1Char(',')).split(QStringLiteral("\r\n"));
    // The header line: the main column followed by two indentation separators.
    EXPECT_EQ(lines[0], QStringLiteral("Name,,,Value,Note"));
    // A comma is quoted; a double quote alone is written unchanged.
    EXPECT_EQ(lines[1], QStringLiteral("Meter 1,,,\"12,5\",say \"hi\""));
    EXPECT_EQ(lines[2], QStringLiteral(",Register A,,7,"));
    // A line break inside a field keeps the record on one row.
    EXPECT_EQ(lines[3], QStringLiteral(",,Temp < 5 \u00B0C,-3,\"line1"));
    EXPECT_EQ(lines[4], QStringLiteral("line2\""));
    // No node selected: no levels to make room for.
    EXPECT_EQ(tree->ContentToText(tstSelected, QStringLiteral(";")), QStringLiteral("Name;Value;Note\r\n"));
    EXPECT_EQ(tree->ContentToUnicode(tstAll, QLatin1Char('\t')), tree->ContentToText(tstAll, QStringLiteral("\t")));
}

TEST_F(TExportTest, WithoutColumnsEachNodeIsOneCellIndentedByItsLevel)
{
    while (header->Columns()->Count() > 0)
        delete header->Columns()->Items(0);
    EXPECT_EQ(tree->ContentToText(tstAll, QStringLiteral("\t")),
              QStringLiteral("Meter 1\r\n\tRegister A\r\n\t\tTemp < 5 \u00B0C\r\nCaf\u00E9 \u20AC\r\n"));
    const QString html = tree->ContentToHTML(tstAll);
    EXPECT_EQ(html.count(QStringLiteral("<tr")), 4) << "no header row, one row per node";
    EXPECT_TRUE(html.contains(QStringLiteral(" <td class=\"normalborder\"  height=\"18px\" align=left colspan=\"3\">Meter 1</td>")));
    const QByteArray rtf = tree->ContentToRTF(tstAll);
    EXPECT_EQ(rtf.count("\\cellx"), 1);
    EXPECT_TRUE(rtf.contains("\\cellx" + QByteArray::number(qRound(tree->ClientWidth() * 15.0))));
}

TEST_F(TExportTest, HtmlIndentsByLevelAndSpansTheMainColumn)
{
    // The main column in a colour of its own: its indentation cells take it.
    TNodeTreeColumn* name = header->Columns()->Items(0);
    name->SetOptions(name->Options() & ~coParentColor);
    name->SetColor(clYellow);
    const QString html = tree->ContentToHTML(tstAll);
    // MaxLevel 2: the header's main cell spans three columns.
    EXPECT_TRUE(html.contains(QStringLiteral("<th height=\"%1px\" align=left colspan=\"3\" bgcolor=#D4D0C8 width=\"150px\">Name</th>")
                                  .arg(header->Height())))
        << html.toStdString();
    // A level-1 node: one indentation cell and a span of two, in its own bold font.
    const QString indent = QStringLiteral("<td class=\"noborder\" width=\"18\" height=\"18px\" bgcolor=#FFFF00>&nbsp;</td>");
    EXPECT_TRUE(html.contains(indent + QStringLiteral(" <td class=\"normalborder\"  style=\"{font-family: 'DejaVu Sans'; font-size: 8pt; "
                                                      "font-style: normal; font-weight: bold; text-decoration: none; color: #000000;}\" "
                                                      "height=\"18px\" align=left colspan=\"2\" bgcolor=#FFFF00>Register A</td>")
));
    // A level-2 node: two indentation cells, no span; its text arrives as text.
    EXPECT_TRUE(html.contains(indent + indent + QStringLiteral(" <td class=\"normalborder\"  height=\"18px\" align=left bgcolor=#FFFF00>"
                                                               "Temp &lt; 5 \u00B0C</td>")));
    // ExportMode counts the levels only over the nodes it passes.
    tree->TreeOptions()->SetExportMode(emSelected);
    tree->SetSelected(meter2, true);
    const QString selected = tree->ContentToHTML(tstAll);
    EXPECT_FALSE(selected.contains(QStringLiteral("colspan")));
    EXPECT_EQ(selected.count(QStringLiteral(" <tr class=\"default\">")), 1);
}

TEST_F(TExportTest, ExportModeFiltersHtmlRtfAndCustomButNotText)
{
    TCustomNodeTreeOptions* o = tree->TreeOptions();
    const struct {
        TNtExportMode mode;
        bool top, child, hiddenChild;
    } cases[] = {
        {emAll, true, true, true},
        {emVisibleDueToExpansion, true, true, false},
        {emChecked, false, false, false},
        {emUnchecked, true, true, true},
    };
    tree->SetExpanded(reg, false);
    PDataNode hidden = tree->GetFirstChild(reg);
    for (const auto& c : cases) {
        o->SetExportMode(c.mode);
        EXPECT_EQ(tree->IsNodeExported(meter1), c.top) << c.mode;
        EXPECT_EQ(tree->IsNodeExported(reg), c.child) << c.mode;
        EXPECT_EQ(tree->IsNodeExported(hidden), c.hiddenChild) << c.mode;
    }
    o->SetExportMode(emVisibleDueToExpansion);
    EXPECT_FALSE(tree->ContentToRTF(tstAll).contains("\\u84\\'3f"));  // "T" of the hidden "Temp"
    EXPECT_TRUE(tree->ContentToText(tstAll, QStringLiteral(";")).contains(QStringLiteral("Temp")));
}

TEST_F(TExportTest, RtfWritesUnicodeUnitsLineBreaksAndEachFontOnce)
{
    rows[0].Name = QStringLiteral("\u00E9\u20AC\uFFFD");
    rows[0].Note = QStringLiteral("a\r\nb");
    const QByteArray rtf = tree->ContentToRTF(tstAll);
    EXPECT_TRUE(rtf.contains(" \\u233\\'3f\\u8364\\'3f\\u-3\\'3f\\cell"));
    EXPECT_TRUE(rtf.contains("\\u97\\'3f{\\par}\\u98\\'3f"));
    // One font, in the table as font 0 and selected once; one colour.
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1043{\\fonttbl{\\f0 DejaVu Sans;}}{\\colortbl;\\red0\\green0\\blue0;}"
                               "\\paperw16840\\paperh11907\\margl720\\margr720\\margt720\\margb720"));
    EXPECT_EQ(rtf.count("\\f0"), 2);
    // A third font appends to the table and is selected as font 1.
    tree->OnPaintText = [](TBaseNodeTree*, TCanvas* canvas, PDataNode, TColumnIndex column, TNSTTextType) {
        if (column == 2)
            canvas->Font()->SetName(QStringLiteral("DejaVu Serif"));
    };
    const QByteArray two = tree->ContentToRTF(tstAll);
    EXPECT_TRUE(two.contains("{\\f0 DejaVu Sans;}{\\f1 DejaVu Serif;}"));
    EXPECT_TRUE(two.contains("\\qc\\f1 "));
    FormatSettings().MetricMeasurement = false;
    EXPECT_TRUE(tree->ContentToRTF(tstAll).contains("\\paperw15840\\paperh12240"));
}

TEST_F(TExportTest, TheClipboardHtmlEnvelopeCountsItsBytes)
{
    const QByteArray empty = MakeClipboardHtml(QByteArray());
    EXPECT_TRUE(empty.startsWith("Version:1.0\r\nStartHTML:00000097\r\nEndHTML:00000301\r\nStartFragment:00000269\r\nEndFragment:00000269\r\n"));
    EXPECT_EQ(empty.size(), 301);
    const QByteArray fragment = tree->ContentToHTML(tstAll).toUtf8();
    const QByteArray block = tree->ContentToClipboard(QStringLiteral("HTML Format"), tstAll);
    ASSERT_EQ(block.size(), fragment.size() + 302);
    EXPECT_EQ(block.back(), '\0');
    EXPECT_EQ(block.mid(269, fragment.size()), fragment);
    EXPECT_TRUE(block.mid(97).startsWith("<!DOCTYPE"));
    EXPECT_TRUE(block.left(fragment.size() + 301).endsWith("</body></html>"));
    EXPECT_EQ(block.mid(41, 8).toInt(), fragment.size() + 301);
}

TEST_F(TExportTest, ClipboardBlocksOfEachTextFormat)
{
    const QString text = tree->ContentToText(tstAll, QStringLiteral("\t"));
    const QByteArray unicode = tree->ContentToClipboard(QStringLiteral("Unicode text"), tstAll);
    ASSERT_EQ(unicode.size(), 2 * (text.size() + 1));
    EXPECT_EQ(unicode.right(2), QByteArray(2, '\0'));
    EXPECT_EQ(tree->ContentToClipboard(QStringLiteral("Plain text"), tstAll), text.toUtf8() + '\0');
    FormatSettings().ListSeparator = QLatin1Char(';');
    EXPECT_EQ(tree->ContentToClipboard(QStringLiteral("CSV"), tstAll), tree->ContentToText(tstAll, QLatin1Char(';')).toUtf8() + '\0');
    EXPECT_EQ(tree->ContentToClipboard(QStringLiteral("Rich Text Format Without Objects"), tstAll), tree->ContentToRTF(tstAll) + '\0');
    EXPECT_TRUE(tree->ContentToClipboard(QStringLiteral("Node Tree Data"), tstAll).isEmpty());
}

TEST_F(TExportTest, CustomExportFiresTheEventsInOrder)
{
    QStringList log;
    tree->OnBeforeTreeExport = [&](TBaseNodeTree*, TNtExportType t) { log << QStringLiteral("tree(%1)").arg(t); };
    tree->OnAfterTreeExport = [&](TBaseNodeTree*, TNtExportType) { log << QStringLiteral("/tree"); };
    tree->OnBeforeHeaderExport = [&](TBaseNodeTree*, TNtExportType) { log << QStringLiteral("header"); };
    tree->OnAfterHeaderExport = [&](TBaseNodeTree*, TNtExportType) { log << QStringLiteral("/header"); };
    tree->OnColumnExport = [&](TBaseNodeTree*, TNtExportType, TNodeTreeColumn* c) { log << c->Text(); };
    tree->OnBeforeNodeExport = [&](TBaseNodeTree*, TNtExportType, PDataNode n) {
        log << QStringLiteral("before %1").arg(tree->GetNodeLevel(n));
        return false;  // ignored by the custom export
    };
    tree->OnNodeExport = [&](TBaseNodeTree*, TNtExportType, PDataNode) {
        log << QStringLiteral("node");
        return true;
    };
    tree->ContentToCustom(tstVisible);
    EXPECT_EQ(log.join(QLatin1Char(' ')), QStringLiteral("tree(6) header Name Value Note /header before 0 node before 1 node before 2 node "
                                                         "before 0 node /tree"));
    // The HTML export skips what OnBeforeNodeExport refuses; text ignores it.
    log.clear();
    EXPECT_EQ(tree->ContentToHTML(tstAll).count(QStringLiteral(" <tr class=\"default\">")), 0);
    // The header, four nodes and the line break inside one quoted field.
    EXPECT_EQ(tree->ContentToText(tstAll, QStringLiteral(",")).count(QStringLiteral("\r\n")), 6);
    // A cancel inside the export ends the walk; the table still closes.
    tree->OnBeforeNodeExport = [&](TBaseNodeTree* t, TNtExportType, PDataNode) {
        t->CancelOperation();
        return true;
    };
    const QString cut = tree->ContentToHTML(tstAll);
    EXPECT_EQ(cut.count(QStringLiteral(" <tr class=\"default\">")), 1);
    EXPECT_TRUE(cut.endsWith(QStringLiteral("</table>")));
    EXPECT_EQ(tree->OperationCount(), 0u);
}

TEST_F(TExportTest, CopiedNodesReachTheClipboardAsTextCsvHtmlAndRtf)
{
    tree->SetClipboardFormats({QStringLiteral("Plain text"), QStringLiteral("Unicode text"), QStringLiteral("CSV"),
                               QStringLiteral("Rich Text Format"), QStringLiteral("HTML Format")});
    tree->TreeOptions()->SetSelectionOptions(toMultiSelect);
    tree->SetSelected(meter1, true);
    tree->SetSelected(meter2, true);
    tree->CopyToClipboard();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QString text = tree->ContentToText(tstCutCopySet, QStringLiteral("\t"));
    EXPECT_TRUE(text.contains(QStringLiteral("Caf\u00E9")));
    EXPECT_EQ(data->text(), text);
    EXPECT_EQ(QString::fromUtf8(data->data(QStringLiteral("text/plain;charset=utf-8"))), text);
    EXPECT_EQ(data->data(QStringLiteral("text/csv")), tree->ContentToText(tstCutCopySet, QString(FormatSettings().ListSeparator)).toUtf8());
    EXPECT_EQ(data->data(QStringLiteral("text/rtf")), tree->ContentToRTF(tstCutCopySet));
    const QString html = data->html();
    EXPECT_TRUE(html.startsWith(QStringLiteral("<!DOCTYPE")));
    EXPECT_TRUE(html.contains(QStringLiteral("<!--StartFragment-->") + tree->ContentToHTML(tstCutCopySet) + QStringLiteral("<!--EndFragment-->")));
    EXPECT_TRUE(html.endsWith(QStringLiteral("</html>")));
}

TEST_F(TExportTest, TheCsvFileHoldsTheTopLevelTexts)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("tree.csv"));
    rows[3].Value.clear();
    ASSERT_TRUE(tree->SaveToCSVFile(file, true));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), QStringLiteral("\"Name\",\"Value\",\"Note\"\r\n\"Meter 1\",\"12,5\",\"say \"\"hi\"\"\"\r\n"
                                                             "\"Caf\u00E9 \u20AC\",\" \",\"a, b\"\r\n"));
}
