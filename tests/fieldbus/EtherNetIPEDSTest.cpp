// The EDS reader: the [Device] keys, the [Connection Manager] entries with
// their comments and continued lines, the field splitter, the connection
// paths of every segment size, the path cap, broken and oversized files, and
// the dialog that lists the connections or closes with its error.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "OkButton.h"
#include "Screenshot.h"
#include "fieldbus/UEtherNetIP_EDS.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/TestHooks.h"
#include "platform/Timer.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

QString Fixture(const char* name)
{
    return QStringLiteral(TEST_DATA_DIR "/fieldbus/ethernetip/") + QLatin1String(name);
}

TEDS_Contents Read_Fixture(const char* name)
{
    QStringList lines;
    EXPECT_TRUE(Load_EDS_Lines(Fixture(name), lines)) << name;
    TEDS_Contents contents;
    Read_EDS(lines, contents);
    return contents;
}

// A connection as "name|inst OT|point OT|inst TO|point TO|header OT|header TO".
QString Describe(const TConnData& c)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7")
        .arg(c.ConnName)
        .arg(c.InstanceOT)
        .arg(c.ConnPointOT)
        .arg(c.InstanceTO)
        .arg(c.ConnPointTO)
        .arg(c.DimHeaderOT)
        .arg(c.DimHeaderTO);
}

TEST(EDSReader, TakesTheIdentityAndTheConnectionsOfADevice)
{
    const TEDS_Contents eds = Read_Fixture("device.eds");
    EXPECT_EQ(eds.VendCode, 1);
    EXPECT_EQ(eds.ProdType, 12);
    EXPECT_EQ(eds.ProdCode, 42);
    EXPECT_EQ(eds.MajRev, 3);
    EXPECT_EQ(eds.MinRev, 1);
    ASSERT_EQ(eds.List_Conn.size(), 2u);
    // Spread over lines with comments after each piece, joined whole.
    const TConnData& owner = eds.List_Conn[0];
    EXPECT_EQ(owner.ConnIndex, 1);
    EXPECT_EQ(Describe(owner), "\"Exclusive Owner\"|100|150|100|100|4|0");
    EXPECT_EQ(owner.HelpStr, "\"\"");
    EXPECT_EQ(owner.TargetConfSize, "5");
    EXPECT_EQ(owner.TargetConfFormat, "Assem100");
    // Separators inside quotes belong to the name; the quotes stay.
    const TConnData& listen = eds.List_Conn[1];
    EXPECT_EQ(listen.ConnIndex, 2);
    EXPECT_EQ(Describe(listen), "\"Listen, Only; \"\"1\"\"\"|100|151|100|101|3|1");
    EXPECT_EQ(listen.TargetConfSize, "");
}

TEST(EDSReader, DecodesEveryKindOfPathAndLeavesOutWhatIsNoConnection)
{
    const TEDS_Contents eds = Read_Fixture("segments.eds");
    QStringList found;
    for (const TConnData& c : eds.List_Conn)
        found << QString::number(c.ConnIndex) + ":" + Describe(c);
    const QStringList expected = {
        "1:\"no instance\"|1|150|1|100|0|0",
        "2:\"second instance\"|1|150|2|100|0|0",
        "3:\"16-bit instance\"|300|150|300|100|0|0",
        // Connection 4 (one point), 5 (14 fields) are left out.
        "4:\"bad parameters\"|1|150|1|100|7|7",
        "5:\"32-bit\"|1000|150|1000|100|0|0",
        "6:\"16-bit class\"|5|150|5|100|0|0",
        // A prefixed piece, a symbol and a double blank are no bytes.
        "7:\"odd pieces\"|100|150|100|100|0|0",
        // The continuation with "=" is left out of the entry.
        "8:\"joined\"|7|150|7|100|0|0",
        // "$" in a quoted name cuts the line; a path without a class
        // segment and an entry outside the section are no connections.
    };
    EXPECT_EQ(found, expected);
}

TEST(EDSReader, DeviceKeysFollowTheirGrammar)
{
    const TEDS_Contents eds = Read_Fixture("device-keys.eds");
    EXPECT_EQ(eds.VendCode, 0x1A);  // after the unrecognised "VendCode=9;"
    EXPECT_EQ(eds.ProdType, 2);
    EXPECT_EQ(eds.ProdCode, 70000 & 0xFFFF);
    EXPECT_EQ(eds.MajRev, 0);
    EXPECT_EQ(eds.MinRev, 0x1F);
    ASSERT_EQ(eds.List_Conn.size(), 1u);

    const struct {
        const char* line;
        const char* key;
        Integer value;
    } cases[] = {
        {"VENDCODE = 1;", "VENDCODE =", 1},
        {"VENDCODE =1;", "VENDCODE =", 0},
        {"VENDCODE =  0X10 ; $", "VENDCODE =", 16},
        {"VENDCODE = 1", "VENDCODE =", 0},
        {"VENDCODE = ABC;", "VENDCODE =", 0},
        {"MINREV = -1;", "MINREV =", -1},
        {"PRODCODE = 5;", "VENDCODE =", 0},
    };
    for (const auto& k : cases)
        EXPECT_EQ(GetDeviceValue(QLatin1String(k.line), QLatin1String(k.key)), k.value) << k.line;
}

TEST(EDSReader, FieldSplitterKeepsQuotesAndEmptyFields)
{
    const struct {
        const char* text;
        QStringList fields;
    } cases[] = {
        {"a,b;c", {"a", "b", "c"}},
        {"a,,b,", {"a", "", "b"}},
        {"\"x,y;z\", w", {"\"x,y;z\"", " w"}},
        {"\"open, never closed", {"\"open, never closed"}},
        {"", {}},
        {";", {""}},
    };
    for (const auto& k : cases) {
        QStringList list{"stale"};
        Split_EDS_Fields(QLatin1String(k.text), list);
        EXPECT_EQ(list, k.fields) << k.text;
    }
}

// A path of n bytes "20 04 24 01" then filler, with the two connection
// points at the given offsets.
QString Long_Path(Integer bytes, Integer first_point, Integer second_point)
{
    QStringList pieces;
    for (Integer i = 0; i < bytes; ++i) {
        QString b = QStringLiteral("00");
        if (i == 0) b = "20";
        if (i == 1) b = "04";
        if (i == 2) b = "24";
        if (i == 3) b = "01";
        if (i == first_point || i == second_point) b = "2C";
        if (i == first_point + 1 || i == second_point + 1) b = "05";
        pieces << b;
    }
    return QStringLiteral("0,0,,,,,,,,,,,\"long\",\"\",\"%1\"").arg(pieces.join(u' '));
}

TEST(EDSReader, APathIsReadUpToItsCap)
{
    std::vector<TConnData> list;
    DecodeConnStr(Long_Path(1200, 996, 998), list);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].ConnPointTO, 5u);
    // A code in byte 1001 stands past the kept bytes.
    DecodeConnStr(Long_Path(1200, 996, 1000), list);
    EXPECT_EQ(list.size(), 1u);
    // A code that is the path's last byte has no value.
    DecodeConnStr(QStringLiteral("0,0,,,,,,,,,,,\"x\",\"\",\"20 04 24 01 2C 96 2C\""), list);
    EXPECT_EQ(list.size(), 1u);
}

TEST(EDSReader, BrokenMissingAndOversizedFilesGiveNoConnection)
{
    QTemporaryDir dir;
    QStringList lines;
    EXPECT_FALSE(Load_EDS_Lines(dir.filePath("missing.eds"), lines));

    const QString big = dir.filePath("big.eds");
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const QByteArray entry = "[Connection Manager]\nConnection1 = 0,0,,,,,,,,,,,\"a\",\"\",\"20 04 24 01 2C 96 2C 64\";\n";
        f.write(entry);
        f.write(QByteArray(Max_EDS_File_Size, ' '));
    }
    EXPECT_FALSE(Load_EDS_Lines(big, lines));
    EXPECT_TRUE(lines.isEmpty());

    // The empty file and a device's file cut in the middle of its
    // connection list: no connection, or only those read whole.
    QStringList whole;
    ASSERT_TRUE(Load_EDS_Lines(Fixture("device.eds"), whole));
    TEDS_Contents intact;
    Read_EDS(whole, intact);
    TEDS_Contents empty;
    Read_EDS(QStringList(), empty);
    EXPECT_TRUE(empty.List_Conn.empty());
    ASSERT_GE(intact.List_Conn.size(), 2u);
    TEDS_Contents part;
    Read_EDS(whole.mid(0, whole.size() / 2), part);
    EXPECT_LT(part.List_Conn.size(), intact.List_Conn.size());
    for (size_t i = 0; i < part.List_Conn.size(); ++i)
        EXPECT_EQ(Describe(part.List_Conn[i]), Describe(intact.List_Conn[i]));

    const QString garbage = dir.filePath("garbage.eds");
    {
        QFile f(garbage);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes;
        for (int i = 0; i < 4096; ++i)
            bytes.append(char((i * 7919) & 0xFF));
        f.write(bytes);
    }
    ASSERT_TRUE(Load_EDS_Lines(garbage, lines));
    TEDS_Contents contents;
    Read_EDS(lines, contents);
    EXPECT_TRUE(contents.List_Conn.empty());
}

// ------------------------------------------------------------ the dialog

struct EDSDialog : ::testing::Test {
    TFEtherNEtIP_EDS* form = nullptr;
    void SetUp() override
    {
        Load_Default_Texts();
        SW_Code = Const_SW_Code;
        DialogSeam::Clear();
        form = new TFEtherNEtIP_EDS(nullptr);
        form->AfterConstruction();
    }
    void TearDown() override
    {
        delete form;
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
    }
};

TEST_F(EDSDialog, ListsTheConnectionsAndOKChoosesOne)
{
    form->EDS_FileName = Fixture("device.eds");
    Integer result = -1;
    QTimer::singleShot(0, [&] {
        TExColumnGrid* g = form->ACG;
        EXPECT_EQ(g->GetRowCount(), 3);
        EXPECT_EQ(g->Row(), 1);
        const QString row1[9] = {"Connection1", "\"Exclusive Owner\"", "\"\"", "100", "150", "100", "100",
                                 "Default", "Default"};
        for (Integer c = 0; c < 9; ++c)
            EXPECT_EQ(g->GetCellEx(c, 1), row1[c]) << c;
        EXPECT_EQ(g->GetCellEx(7, 2), "3");
        EXPECT_EQ(g->GetCellEx(8, 2), "1");
        EXPECT_EQ(g->Columns()->Items(3)->Header(), "Instance O > T");
        EXPECT_FALSE(form->TClose->Enabled());
        testsupport::SaveScreenshot(GrabControl(form), QStringLiteral("TFEtherNEtIP_EDS"));
        g->SetRowEx(2);
        TestInput::Click(form->Btn_OK);
    });
    result = form->ShowModal();
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(form->ACG->Row(), 2);
    EXPECT_EQ(form->List_Conn.size(), 2u);
    EXPECT_EQ(form->VendCode, 1);
    EXPECT_EQ(form->MajRev, 3);
    EXPECT_EQ(form->Caption(), Lang_Text(4200));
    EXPECT_TRUE(DialogSeam::Shown().empty());
}

TEST_F(EDSDialog, WithoutAConnectionItShowsTheErrorAndCloses)
{
    QTemporaryDir dir;
    const QString plain = dir.filePath("plain.eds");
    {
        QFile f(plain);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Device]\nVendCode = 5;\n");
    }
    for (const QString& file : {plain, dir.filePath("missing.eds"), Fixture("device.eds")}) {
        SCOPED_TRACE(file.toStdString());
        // A good file read after a bad one lists its connections again.
        const bool good = file.endsWith(QLatin1String("device.eds"));
        DialogSeam::Clear();
        if (good)
            QTimer::singleShot(0, [&] { TestInput::Click(form->Btn_Cancel); });
        else
            DialogSeam::QueueAnswer(IDOK);
        form->EDS_FileName = file;
        EXPECT_EQ(form->ShowModal(), mrCancel);
        const auto shown = DialogSeam::Shown();
        if (good) {
            EXPECT_TRUE(shown.empty());
            EXPECT_EQ(form->List_Conn.size(), 2u);
            continue;
        }
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].Text, Lang_Text(4215));
        EXPECT_EQ(shown[0].Flags, Cardinal(MB_OK | MB_ICONERROR));
        EXPECT_EQ(form->ACG->GetRowCount(), 2);
        EXPECT_EQ(form->ACG->GetCellEx(1, 1), "");
        EXPECT_EQ(form->VendCode, file == plain ? 5 : 0);
        EXPECT_FALSE(form->TClose->Enabled());
    }
}

} // namespace
