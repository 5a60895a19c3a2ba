// The grid's files and streams: the cell block stream, the cell list text,
// CSV, XML, HTML, column-aligned and fixed-width text. Each format saves a
// grid with fixed rows and columns, a hidden column, merged cells and texts
// holding the format's special characters, and reads it back cell by cell;
// files other programs wrote are read; broken files end in the format's
// error and leave the grid as it was.
#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Streams.h"
#include "platform/StringList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Texts with the characters that each format must carry.
const QStringList Specials = {
    QStringLiteral("say \"hi\""),      QStringLiteral("a,b;c\td"),  QStringLiteral("line1\r\nline2"),
    QStringLiteral("<b> & </b>"),      QString::fromUtf8("Привет 温度 ±5 °C"), QStringLiteral("&amp; &lt;"),
    QStringLiteral("  lead and trail "), QStringLiteral("~^|#"),
};

// 6 columns (one hidden), 5 rows, one fixed row and column, a merged area.
std::unique_ptr<TExStringGrid> Sample()
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(6);
    g->SetRowCount(5);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    g->SetMultilineCells(true);
    Integer k = 0;
    for (Integer r = 0; r < 5; ++r)
        for (Integer c = 0; c < 6; ++c)
            g->SetCells(c, r, r == 0 || c == 0 ? QStringLiteral("H%1.%2").arg(c).arg(r) : Specials[k++ % Specials.size()]);
    g->SetCells(4, 3, QString());  // an empty cell
    g->SetColWidths(2, 77);
    g->MergeCells(1, 3, 2, 2);
    g->HideColumn(5);
    return g;
}

// Every stored cell of two grids, hidden columns included; the cells a
// merged area covers show its base cell and are not compared.
void ExpectSameCells(TExStringGrid* a, TExStringGrid* b, Integer cols, Integer rows)
{
    for (Integer r = 0; r < rows; ++r)
        for (Integer c = 0; c < cols; ++c)
            if (!a->IsMergedNonBaseCell(c, r))
                EXPECT_EQ(b->GetGridCell(c, r), a->GetGridCell(c, r)) << "cell " << c << "," << r;
}

// The grid's cells as one text, to see that a failed read changed nothing.
QString Snapshot(TExStringGrid* g)
{
    QString s = QStringLiteral("%1x%2|").arg(g->ColCount()).arg(g->RowCount());
    for (Integer r = 0; r < g->RowCount(); ++r)
        for (Integer c = 0; c < g->ColCount() + g->NumHiddenColumns(); ++c)
            s += g->GetGridCell(c, r) + u'|';
    return s;
}

void WriteFile(const QString& Path, const QByteArray& Bytes)
{
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(Bytes);
}

} // namespace

TEST(ExGridFiles, CellBlockStreamRoundTripsCellsPropertiesAndGraphics)
{
    auto g = Sample();
    g->SetSaveHiddenCells(true);
    g->UnHideColumnsAll();
    g->GetCellProperties(2, 1)->SetBrushColor(clRed);
    g->GetCellProperties(2, 1)->SetFontStyle(TFontStyles{fsBold, fsItalic});
    g->GetCellProperties(2, 1)->SetFontName(QStringLiteral("DejaVu Sans"));
    TBitmap* bmp = g->CreateBitmap(3, 2, false, haLeft, vaTop);
    bmp->SetSize(4, 3);
    bmp->Canvas()->Brush()->SetColor(clBlue);
    bmp->Canvas()->FillRect(TRect(0, 0, 4, 3));
    TBitmap shared(2, 2);
    g->AddBitmap(4, 2, &shared, false, haLeft, vaTop);  // referenced only
    Integer last = -1, progressCalls = 0;
    g->OnFileProgress = [&](TObject*, Integer P) {
        EXPECT_GT(P, last);
        last = P;
        ++progressCalls;
    };

    TMemoryStream ms;
    g->SaveToBinStream(&ms);
    EXPECT_EQ(last, 100);
    ms.SetPosition(0);
    TExStringGrid h(nullptr);
    h.SetColCount(2);
    h.SetRowCount(2);
    h.LoadFromBinStream(&ms);
    EXPECT_EQ(h.ColCount(), 6);
    EXPECT_EQ(h.RowCount(), 5);
    EXPECT_EQ(h.ColWidths(2), 77);
    ExpectSameCells(g.get(), &h, 6, 5);
    EXPECT_TRUE(h.IsMergedCell(2, 4));
    EXPECT_EQ(h.BaseCell(2, 4), TPoint(1, 3));
    EXPECT_EQ(h.CellSpan(1, 3), TPoint(1, 1));
    EXPECT_EQ(h.GetCellProperties(2, 1)->BrushColor(), clRed);
    EXPECT_TRUE(h.GetCellProperties(2, 1)->FontStyle().Contains(fsItalic));
    EXPECT_EQ(h.GetCellProperties(2, 1)->FontName(), QStringLiteral("DejaVu Sans"));
    TBitmap* back = h.GetBitmap(3, 2);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Width(), 4);
    EXPECT_EQ(back->Image().pixelColor(1, 1), QColor(0, 0, 255));
    // A bitmap the cell only refers to is not the block's to carry.
    EXPECT_EQ(h.GetBitmap(4, 2), nullptr);
    EXPECT_TRUE(h.HasCellProperties(4, 2));
}

TEST(ExGridFiles, CellBlockOfARectangleLandsAtAnyPointAndFilesRoundTrip)
{
    auto g = Sample();
    TMemoryStream ms;
    g->SaveRectToBinStream(TRect(2, 1, 3, 2), &ms);
    ms.WriteBuffer("\0", 1);  // one stray byte after the last record
    ms.SetPosition(0);
    TExStringGrid h(nullptr);
    h.SetColCount(4);
    h.SetRowCount(4);
    h.SetCells(3, 3, QStringLiteral("kept"));
    h.LoadAtPointFromBinStream(TPoint(0, 1), &ms);
    EXPECT_EQ(h.ColCount(), 4);  // a part of a grid does not resize
    EXPECT_EQ(h.Cells(0, 1), g->Cells(2, 1));
    EXPECT_EQ(h.Cells(1, 2), g->Cells(3, 2));
    EXPECT_EQ(h.Cells(3, 3), QStringLiteral("kept"));

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cells.bin"));
    g->SaveToBinFile(file);
    TExStringGrid f(nullptr);
    f.LoadFromBinFile(file);
    ExpectSameCells(g.get(), &f, 5, 5);
}

TEST(ExGridFiles, BrokenCellBlocksRaiseAndLeaveTheGridAsItWas)
{
    auto g = Sample();
    TMemoryStream good;
    g->SaveToBinStream(&good);
    const QByteArray bytes = good.Bytes();
    const struct {
        const char* what;
        QByteArray data;
    } cases[] = {
        {"wrong signature", QByteArray("XPF0") + bytes.mid(4)},
        {"truncated record", bytes.left(bytes.size() / 2)},
        {"huge length", bytes.left(60) + QByteArray(8, '\xFF')},
        {"empty", QByteArray()},
    };
    for (const auto& c : cases) {
        TExStringGrid h(nullptr);
        h.SetColCount(3);
        h.SetRowCount(3);
        h.SetCells(1, 1, QStringLiteral("before"));
        const QString before = Snapshot(&h);
        TMemoryStream ms;
        ms.WriteBuffer(c.data);
        ms.SetPosition(0);
        EXPECT_THROW(h.LoadFromBinStream(&ms), std::exception) << c.what;
        EXPECT_EQ(Snapshot(&h), before) << c.what;
    }
}

TEST(ExGridFiles, CellListFileRoundTripsAndReadsTheLayoutItDescribes)
{
    QTemporaryDir dir;
    for (bool unicode : {false, true}) {
        auto g = Sample();
        g->SetSaveHiddenCells(true);
        const QString file = dir.filePath(QStringLiteral("grid%1.txt").arg(unicode));
        g->SaveToFile(file, unicode);
        TExStringGrid h(nullptr);
        h.SetMultilineCells(true);
        h.LoadFromFile(file);
        EXPECT_EQ(h.ColCount(), 6);
        EXPECT_EQ(h.RowCount(), 5);
        EXPECT_EQ(h.ColWidths(2), 77);
        ExpectSameCells(g.get(), &h, 6, 5);
    }
    // The exact lines: line breaks as characters 9 and 8.
    TExStringGrid s(nullptr);
    s.SetColCount(2);
    s.SetRowCount(1);
    s.SetCells(1, 0, QStringLiteral("a\r\nb"));
    s.SetColWidths(0, 30);
    s.SetColWidths(1, 40);
    const QString file = dir.filePath(QStringLiteral("small.txt"));
    s.SaveToFile(file, false);
    TStringList lines;
    ASSERT_TRUE(lines.LoadFromFile(file));
    EXPECT_EQ(lines.Text(), QStringLiteral("2,1\r\ncw 0,30\r\ncw 1,40\r\n1,0,a") + QChar(9) + QChar(8)
                                + QStringLiteral("b\r\n"));
    TExStringGrid single(nullptr);
    single.LoadFromFile(file);
    EXPECT_EQ(single.Cells(1, 0), QStringLiteral("a"));  // one line without MultilineCells

    // A file without data raises and leaves the grid.
    WriteFile(dir.filePath(QStringLiteral("nodata.txt")), "0,5\r\n1,1,x\r\n");
    TExStringGrid h(nullptr);
    h.SetCells(1, 1, QStringLiteral("stays"));
    const QString before = Snapshot(&h);
    EXPECT_THROW(h.LoadFromFile(dir.filePath(QStringLiteral("nodata.txt"))), DOzeDidoRivar);
    EXPECT_EQ(Snapshot(&h), before);
}

TEST(ExGridFiles, CellListStreamStopsBeforeForeignLinesAndRejectsBadNumbers)
{
    auto g = Sample();
    TMemoryStream ms;
    g->SaveToStream(&ms);
    const Int64 end = ms.Size();
    const QString tail = QStringLiteral("abc\r\n");
    ms.WriteBuffer(reinterpret_cast<const char*>(tail.utf16()), tail.size() * 2);
    ms.SetPosition(0);
    TExStringGrid h(nullptr);
    h.SetMultilineCells(true);
    h.LoadFromStream(&ms);
    EXPECT_EQ(ms.Position(), end);
    for (Integer r = 0; r < 5; ++r)
        for (Integer c = 0; c < 5; ++c)
            EXPECT_EQ(h.Cells(c, r), g->Cells(c, r)) << c << "," << r;

    const QString bad = QStringLiteral("2,2\r\n1,x,oops\r\n");
    TMemoryStream bs;
    bs.WriteBuffer(reinterpret_cast<const char*>(bad.utf16()), bad.size() * 2);
    bs.SetPosition(0);
    TExStringGrid k(nullptr);
    k.SetCells(0, 0, QStringLiteral("stays"));
    const QString before = Snapshot(&k);
    EXPECT_THROW(k.LoadFromStream(&bs), EConvertError);
    EXPECT_EQ(Snapshot(&k), before);
}

TEST(ExGridFiles, CsvRoundTripsEveryTextInBothEncodings)
{
    QTemporaryDir dir;
    for (bool unicode : {false, true}) {
        auto g = Sample();
        g->SetSaveHiddenCells(true);
        const QString file = dir.filePath(QStringLiteral("grid%1.csv").arg(unicode));
        g->SaveToCSV(file, unicode);
        TExStringGrid h(nullptr);
        h.SetDelimiter(u',');
        h.SetSaveHiddenCells(true);
        h.LoadFromCSV(file);
        EXPECT_EQ(h.RowCount(), 5);
        ExpectSameCells(g.get(), &h, 6, 5);
    }
}

TEST(ExGridFiles, CompactCsvMarksEmptyCellsAndLineBreaks)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(1);
    g.SetJavaCSV(true);
    g.SetCells(0, 0, QStringLiteral("a\r\nb"));
    g.SetCells(2, 0, QStringLiteral("c"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("java.csv"));
    g.SaveToCSV(file);
    TStringList l;
    ASSERT_TRUE(l.LoadFromFile(file));
    EXPECT_EQ(l.Strings(0), QStringLiteral("a~b,^,c"));
    TExStringGrid h(nullptr);
    h.SetJavaCSV(true);
    h.SetCells(1, 0, QStringLiteral("old"));
    h.LoadFromCSV(file);
    EXPECT_EQ(h.Cells(0, 0), QStringLiteral("a\r\nb"));
    EXPECT_EQ(h.Cells(1, 0), QString());
    EXPECT_EQ(h.Cells(2, 0), QStringLiteral("c"));
}

TEST(ExGridFiles, CsvFieldsAreQuotedAsSpreadsheetsWriteThem)
{
    TExStringGrid g(nullptr);
    g.SetColCount(4);
    g.SetRowCount(1);
    g.SetCells(0, 0, QStringLiteral("\"word\""));
    g.SetCells(1, 0, QStringLiteral("a b"));
    g.SetCells(2, 0, QStringLiteral("x,y\r\nz"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("q.csv"));
    g.SaveToCSV(file, false);
    TStringList l;
    ASSERT_TRUE(l.LoadFromFile(file));
    EXPECT_EQ(l.Strings(0), QStringLiteral("\"\"\"word\"\"\",a b,\"x,y") + QChar(11) + QStringLiteral("z\",\"\""));
}

TEST(ExGridFiles, CsvWrittenElsewhereIsReadWithItsDelimiterBomAndLineEnds)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("excel.csv"));
    WriteFile(file, QByteArray("\xEF\xBB\xBF") + "Name;Value;Unit\r\n\"Flow; main\";3,5;m\xC2\xB3/h\r\nT\xC3\xA9mp;\"say \"\"x\"\"\";\xC2\xB0" "C\r\n");
    TExStringGrid g(nullptr);
    g.SetColCount(1);
    g.SetRowCount(1);
    g.LoadFromCSV(file);
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("Name"));
    EXPECT_EQ(g.Cells(0, 1), QStringLiteral("Flow; main"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("3,5"));
    EXPECT_EQ(g.Cells(2, 1), QString::fromUtf8("m³/h"));
    EXPECT_EQ(g.Cells(0, 2), QString::fromUtf8("Témp"));
    EXPECT_EQ(g.Cells(1, 2), QStringLiteral("say \"x\""));
    EXPECT_EQ(g.Delimiter(), QChar(0));  // detection lasts one read

    // MaxRows, a skipped header line, and an empty file that raises.
    QString many;
    for (int i = 0; i < 100; ++i)
        many += QStringLiteral("%1,x\r\n").arg(i);
    WriteFile(dir.filePath(QStringLiteral("many.csv")), many.toLatin1());
    TExStringGrid m(nullptr);
    m.SetFixedCols(0);
    m.SetFixedRows(1);
    m.SetSaveFixedCells(false);
    m.SetLoadFirstRow(false);
    m.LoadFromCSV(dir.filePath(QStringLiteral("many.csv")), 10);
    EXPECT_EQ(m.RowCount(), 1 + 10);
    EXPECT_EQ(m.Cells(0, 1), QStringLiteral("1"));
    TMemoryStream empty;
    EXPECT_THROW(m.LoadFromCSVStream(&empty), std::runtime_error);
}

TEST(ExGridFiles, InsertFromCsvKeepsTheFloatingFooterLast)
{
    TExStringGrid g(nullptr);
    g.SetFixedCols(0);
    g.SetColCount(2);
    g.SetRowCount(3);
    g.SetCells(0, 1, QStringLiteral("row"));
    g.SetCells(0, 2, QStringLiteral("total"));
    g.SetFloatingFooterVisible(true);
    QTemporaryDir dir;
    WriteFile(dir.filePath(QStringLiteral("add.csv")), "a,1\r\nb,2\r\n");
    g.InsertFromCSV(dir.filePath(QStringLiteral("add.csv")));
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.Cells(0, 2), QStringLiteral("a"));
    EXPECT_EQ(g.Cells(0, 3), QStringLiteral("b"));
    EXPECT_EQ(g.Cells(0, 4), QStringLiteral("total"));
}

TEST(ExGridFiles, XmlRoundTripsTextsAndReadsFieldNamesIntoTheHeader)
{
    QTemporaryDir dir;
    for (const QString& encoding : {QStringLiteral("ISO-8859-1"), QStringLiteral("UTF-8")}) {
        auto g = Sample();
        g->SplitCells(1, 3);  // merged areas move later fields left on reading
        g->SetXMLEncoding(encoding);
        const QString file = dir.filePath(QStringLiteral("grid-%1.xml").arg(encoding));
        g->SaveToXML(file, QStringLiteral("table"), QStringLiteral("record"), nullptr, true);
        TExStringGrid h(nullptr);
        h.SetMultilineCells(true);
        h.LoadFromXML(file);
        EXPECT_EQ(h.ColCount(), 5);  // the hidden column is not saved
        EXPECT_EQ(h.RowCount(), 5);
        for (Integer r = 0; r < 5; ++r)
            for (Integer c = 0; c < 5; ++c)
                EXPECT_EQ(h.Cells(c, r), g->Cells(c, r)) << c << "," << r << " " << encoding.toStdString();
    }
    // Field names from a list, "&" written as "$amp;", the header filled.
    TExStringGrid s(nullptr);
    s.SetColCount(2);
    s.SetRowCount(2);
    s.SetFixedCols(0);
    s.SetFixedRows(1);
    s.SetCells(0, 1, QStringLiteral("R&D"));
    s.SetCells(1, 1, QStringLiteral("5"));
    TStringList names;
    names.Add(QStringLiteral("dept"));
    names.Add(QStringLiteral("size"));
    const QString file = dir.filePath(QStringLiteral("named.xml"));
    s.SetSaveFixedCells(false);
    s.SaveToXML(file, QStringLiteral("list"), QStringLiteral("rec"), &names, false);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(f.readAll());
    EXPECT_TRUE(text.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<list>\r\n<rec>\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("<dept>R$amp;D</dept>")));
    TExStringGrid h(nullptr);
    h.SetFixedCols(0);
    h.SetFixedRows(1);
    h.SetSaveFixedRows(true);
    h.SetSaveFixedCells(false);
    h.LoadFromXML(file, false, true);
    EXPECT_EQ(h.Cells(0, 0), QStringLiteral("dept"));
    EXPECT_EQ(h.Cells(1, 0), QStringLiteral("size"));
    EXPECT_EQ(h.Cells(0, 1), QStringLiteral("R&D"));
}

TEST(ExGridFiles, XmlWithAttributesAndBrokenXml)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("attr.xml"));
    WriteFile(file, "<?xml version=\"1.0\"?>\n<devices>\n <dev id=\"1\" name=\"pump\"/>\n <dev id=\"2\" name=\"fan\"/>\n</devices>\n");
    TExStringGrid g(nullptr);
    g.SetFixedCols(0);
    g.SetFixedRows(0);
    g.SetSaveFixedCells(false);
    g.LoadFromXML(file);
    // One cell per attribute and one empty cell for the empty element.
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("1"));
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("pump"));
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("fan"));
    EXPECT_EQ(g.ColCount(), 2);
    EXPECT_EQ(g.RowCount(), 2);

    WriteFile(file, "<a>\n<b>x</b>\n<b>y</c>\n</a>\n");
    TExStringGrid h(nullptr);
    h.SetCells(0, 0, QStringLiteral("stays"));
    const QString before = Snapshot(&h);
    try {
        h.LoadFromXML(file);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(QStringLiteral("XMLDOM Parsing error "))) << e.what();
        EXPECT_TRUE(QString::fromUtf8(e.what()).endsWith(QStringLiteral(" on line 3"))) << e.what();
    }
    EXPECT_EQ(Snapshot(&h), before);
    EXPECT_THROW(h.LoadFromXML(dir.filePath(QStringLiteral("missing.xml"))), std::runtime_error);
}

TEST(ExGridFiles, HtmlTableHasClassesSpansEscapesAndSevenBitText)
{
    auto g = Sample();
    g->HTMLSettings()->ConvertSpecialChars = true;
    g->GetCellProperties(3, 1)->SetFontStyle(TFontStyles{fsBold});
    const QString html = g->SaveToHTMLString(QString());
    EXPECT_TRUE(html.startsWith(QStringLiteral("<style>\r\n.c0 {")));
    EXPECT_TRUE(html.contains(QStringLiteral("font-weight: bold")));
    EXPECT_TRUE(html.contains(QStringLiteral("COLSPAN=\"2\" ROWSPAN=\"2\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;b&gt; &amp; &lt;/b&gt;")));
    EXPECT_TRUE(html.contains(QStringLiteral("line1<br>")));
    EXPECT_TRUE(html.contains(QStringLiteral("&nbsp;</td>")));  // the empty cell
    EXPECT_EQ(html.count(QStringLiteral("<TR>")), 5);
    EXPECT_EQ(html.count(QStringLiteral("<TD")), 5 * 5 - 3);  // three cells covered by the merge

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("grid.html"));
    g->SaveToHTML(file, false, false);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    for (char b : bytes)
        ASSERT_GE(static_cast<signed char>(b), 0) << "only 7-bit characters";
    // Characters beyond them are kept as references.
    EXPECT_TRUE(bytes.contains("&#1055;"));
    g->AppendToHTML(file, false, true);
    TStringList back;
    ASSERT_TRUE(back.LoadFromFile(file));
    EXPECT_EQ(back.Text().count(QStringLiteral("</TABLE>")), 2);
    EXPECT_TRUE(back.Text().contains(QString::fromUtf8("Привет")));
}

TEST(ExGridFiles, AlignedAndFixedWidthTexts)
{
    TExStringGrid g(nullptr);
    g.SetColCount(3);
    g.SetRowCount(2);
    g.SetCells(0, 0, QStringLiteral("id"));
    g.SetCells(1, 0, QStringLiteral("name"));
    g.SetCells(2, 0, QStringLiteral("v"));
    g.SetCells(0, 1, QStringLiteral("1"));
    g.SetCells(1, 1, QStringLiteral("pump"));
    g.SetCells(2, 1, QStringLiteral("12.5"));
    QTemporaryDir dir;
    const QString ascii = dir.filePath(QStringLiteral("a.txt"));
    g.SaveToASCII(ascii);
    TStringList lines;
    ASSERT_TRUE(lines.LoadFromFile(ascii));
    EXPECT_EQ(lines.Strings(0), QStringLiteral("id name v    "));
    EXPECT_EQ(lines.Strings(1), QStringLiteral("1  pump 12.5 "));

    const QString fixed = dir.filePath(QStringLiteral("f.txt"));
    TIntList widths(0, 0);
    g.SaveToFixed(fixed, &widths);
    ASSERT_EQ(widths.Count(), 3);
    EXPECT_EQ(widths.Items(1), 5);
    TIntList bounds(0, 0);
    for (Integer p : {1, 4, 9, 14})
        bounds.Add(p);
    TExStringGrid h(nullptr);
    h.SetFixedCols(0);
    h.LoadFromFixed(fixed, &bounds, true, -1);
    EXPECT_EQ(h.ColCount(), 3);
    EXPECT_EQ(h.Cells(1, 1), QStringLiteral("pump"));
    EXPECT_EQ(h.Cells(2, 1), QStringLiteral("12.5"));
    EXPECT_THROW(h.LoadFromFixed(dir.filePath(QStringLiteral("none.txt")), &bounds, true, -1), DOzeDidoRivar);
}
