// Workbooks, documents and databases exchanged through the office suite
// (LibreOffice run headless) and the Access database tools: a workbook with
// two sheets is written, its sheets listed and one read back; a document
// gets the grid as a table; a missing server or file gives the grid's error.
#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "platform/OleAutomation.h"
#include "platform/StringList.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

bool OfficeInstalled()
{
    return !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty();
}

std::unique_ptr<TExStringGrid> Meters()
{
    auto g = std::make_unique<TExStringGrid>(nullptr);
    g->SetColCount(3);
    g->SetRowCount(4);
    const char* texts[4][3] = {{"Meter", "Value", "Unit"},
                               {"Flow \"main\"", "3,5", "m\xC2\xB3/h"},
                               {"\xD0\xA2\xD0\xB5\xD0\xBF\xD0\xBB\xD0\xBE", "<21.5 & up>", "\xC2\xB0" "C"},
                               {"", "x;y", "end"}};
    for (Integer r = 0; r < 4; ++r)
        for (Integer c = 0; c < 3; ++c)
            g->SetCells(c, r, QString::fromUtf8(texts[r][c]));
    return g;
}

// The text of a document's body (its XML inside the package).
QString DocumentXml(const QString& File)
{
    QProcess p;
    p.start(QStringLiteral("python3"), {QStringLiteral("-c"),
                                        QStringLiteral("import sys,zipfile;sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read('word/document.xml'))"),
                                        File});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST(ExGridOffice, WorkbookWithTwoSheetsIsWrittenListedAndRead)
{
    if (!OfficeInstalled())
        GTEST_SKIP() << "LibreOffice is not installed (scripts/install-deps installs it)";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("meters.xlsx"));
    auto g = Meters();
    g->SaveToXLSSheet(file, QStringLiteral("Meters"));
    auto totals = std::make_unique<TExStringGrid>(nullptr);
    totals->SetColCount(2);
    totals->SetRowCount(2);
    totals->SetCells(0, 0, QStringLiteral("Total"));
    totals->SetCells(1, 1, QStringLiteral("42"));
    totals->SaveToXLSSheet(file, QStringLiteral("Totals"));

    const std::unique_ptr<TStringList> sheets = g->GetXLSSheets(file);
    ASSERT_NE(sheets, nullptr);
    EXPECT_GE(sheets->IndexOf(QStringLiteral("Meters")), 0);
    EXPECT_GE(sheets->IndexOf(QStringLiteral("Totals")), 0);

    TExStringGrid back(nullptr);
    back.LoadFromXLSSheet(file, QStringLiteral("Meters"));
    ASSERT_EQ(back.ColCount(), 3);
    ASSERT_EQ(back.RowCount(), 4);
    for (Integer r = 0; r < 4; ++r)
        for (Integer c = 0; c < 3; ++c)
            EXPECT_EQ(back.Cells(c, r), g->Cells(c, r)) << c << "," << r;
    TExStringGrid other(nullptr);
    other.LoadFromXLSSheet(file, QStringLiteral("Totals"));
    EXPECT_EQ(other.Cells(1, 1), QStringLiteral("42"));
    // Without the fixed cells saved, the sheet lands after one fixed row
    // and column, which the grid keeps.
    TExStringGrid fixed(nullptr);
    fixed.SetSaveFixedCells(false);
    fixed.SetFixedCols(1);
    fixed.SetFixedRows(1);
    fixed.LoadFromXLSSheet(file, QStringLiteral("Totals"));
    EXPECT_EQ(fixed.ColCount(), 3);
    EXPECT_EQ(fixed.RowCount(), 3);
    EXPECT_EQ(fixed.FixedCols(), 1);
    EXPECT_EQ(fixed.FixedRows(), 1);
    EXPECT_EQ(fixed.Cells(1, 1), QStringLiteral("Total"));
    EXPECT_EQ(fixed.Cells(2, 2), QStringLiteral("42"));
    EXPECT_EQ(fixed.Cells(0, 0), QString());

    // A sheet that is not there, and a file that is no workbook: the grid
    // stays, and the file is not replaced by a new workbook.
    EXPECT_THROW(back.LoadFromXLSSheet(file, QStringLiteral("Nope")), DOzeDidoRivar);
    EXPECT_EQ(back.Cells(0, 0), QStringLiteral("Meter"));
    const QString notes = dir.filePath(QStringLiteral("notes.xlsx"));
    const QByteArray garbage("PK\x03\x04 this is no workbook \x01\x02\x03", 28);
    {
        QFile f(notes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    }
    EXPECT_THROW(back.LoadFromXLS(notes), std::exception);
    EXPECT_EQ(back.Cells(2, 1), QString::fromUtf8("m\xC2\xB3/h"));
    try {
        g->SaveToXLSSheet(notes, QStringLiteral("Meters"));
        ADD_FAILURE() << "no error";
    } catch (const DOzeDidoRivar& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Incorrect XLS file"));
    }
    QFile f(notes);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), garbage);
    // Saving leaves no file beside the workbook.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(ExGridOffice, DocumentGetsTheGridAsATable)
{
    if (!OfficeInstalled())
        GTEST_SKIP() << "LibreOffice is not installed (scripts/install-deps installs it)";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("meters.docx"));
    auto g = Meters();
    g->SetCaption(QStringLiteral("Meter list"));
    g->SaveToDOC(file);
    const QString xml = DocumentXml(file);
    EXPECT_TRUE(xml.contains(QStringLiteral("<w:tbl>"))) << xml.left(300).toStdString();
    EXPECT_TRUE(xml.contains(QStringLiteral("Meter list")));
    qsizetype at = 0;
    for (const QString& t : {QStringLiteral("Meter"), QStringLiteral("Flow &quot;main&quot;"), QString::fromUtf8("m³/h"),
                             QString::fromUtf8("Тепло"), QStringLiteral("&lt;21.5 &amp; up&gt;"), QStringLiteral("end")}) {
        const qsizetype p = xml.indexOf(t, at);
        EXPECT_GE(p, 0) << t.toStdString();
        at = std::max(at, p);
    }
    // Appended at the end when the bookmark is not there.
    auto more = std::make_unique<TExStringGrid>(nullptr);
    more->SetColCount(1);
    more->SetRowCount(1);
    more->SetCells(0, 0, QStringLiteral("appended"));
    more->AppendToDoc(file, QStringLiteral("nobookmark"));
    const QString after = DocumentXml(file);
    EXPECT_EQ(after.count(QStringLiteral("<w:tbl>")), 2);
    EXPECT_GT(after.indexOf(QStringLiteral("appended")), after.indexOf(QStringLiteral("end")));
}
