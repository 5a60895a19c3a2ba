// Office exchange without the office suite: a missing server gives the
// grid's own error and leaves the cells alone; a database query goes to the
// Access database tool as the grid builds it, and its records fill the grid.
#include "grid/ExGrid.h"

#include "grid/ExObj.h"
#include "platform/OleAutomation.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Puts PATH back when a test ends, also when it fails.
struct TPathGuard {
    QByteArray Saved = qgetenv("PATH");
    ~TPathGuard() { qputenv("PATH", Saved); }
};

} // namespace

TEST(ExGridOffice, MissingServersAndDatabasesGiveErrors)
{
    // Without the office suite on the path the grid's own error comes.
    ShutdownOleServers();
    const TPathGuard path;
    QTemporaryDir empty;
    qputenv("PATH", empty.path().toLocal8Bit());
    TExStringGrid g(nullptr);
    g.SetCells(1, 1, QStringLiteral("kept"));
    try {
        g.SaveToXLS(empty.filePath(QStringLiteral("x.xlsx")));
        ADD_FAILURE() << "no error";
    } catch (const DOzeDidoRivar& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Excel OLE server not found"));
    }
    try {
        g.SaveToDOC(empty.filePath(QStringLiteral("x.docx")));
        ADD_FAILURE() << "no error";
    } catch (const DOzeDidoRivar& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Word OLE server not found"));
    }
    qputenv("PATH", path.Saved);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("kept"));
    // A database file that is not there.
    EXPECT_THROW(g.LoadFromMDBTable(empty.filePath(QStringLiteral("none.mdb")), QStringLiteral("T")), EOleException);
    EXPECT_EQ(g.Cells(1, 1), QStringLiteral("kept"));
}

TEST(ExGridOffice, DatabaseQueryFillsTheGridBelowTheFieldNames)
{
    // A stand-in for the Access database tool: it keeps the query it was
    // given and answers with three fields, one text over two lines and an
    // empty value, separated by the character the grid asks for.
    QTemporaryDir dir;
    const QString query = dir.filePath(QStringLiteral("query.txt"));
    QFile tool(dir.filePath(QStringLiteral("mdb-sql")));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.write(QStringLiteral("#!/bin/sh\n"
                              "[ \"$1 $2 $3\" = \"-P -F -d\" ] || exit 3\n"
                              "/bin/cat > '%1'\n"
                              "printf 'Id\\037Name\\037Note\\n1\\037Flow\\037line one\\nline two\\n2\\037\\320\\242\\037\\n'\n")
                   .arg(query)
                   .toUtf8());
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString db = dir.filePath(QStringLiteral("meters.mdb"));
    QFile(db).open(QIODevice::WriteOnly);
    const TPathGuard path;
    qputenv("PATH", dir.path().toLocal8Bit());

    TExStringGrid g(nullptr);
    g.SetFixedCols(0);
    g.SetFixedRows(1);
    g.SetRowCount(9);
    g.LoadFromMDBTable(db, QStringLiteral("Meters"));

    QFile sent(query);
    ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(sent.readAll()), QStringLiteral("SELECT * FROM Meters\ngo\n"));
    EXPECT_EQ(g.ColCount(), 3);
    EXPECT_EQ(g.RowCount(), 3);
    const QString expected[3][3] = {{QStringLiteral("Id"), QStringLiteral("Name"), QStringLiteral("Note")},
                                    {QStringLiteral("1"), QStringLiteral("Flow"), QStringLiteral("line one\nline two")},
                                    {QStringLiteral("2"), QString::fromUtf8("\xD0\xA2"), QString()}};
    for (Integer r = 0; r < 3; ++r)
        for (Integer c = 0; c < 3; ++c)
            EXPECT_EQ(g.Cells(c, r), expected[r][c]) << c << "," << r;
}
