// The LoRaWAN rule tables window worked as a user works it: opened on a
// configuration folder, cells typed and ticked, the row buttons pressed, OK
// and Cancel; then the file it wrote, the boxes it showed and what the
// compiler makes of the file.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "OkButton.h"
#include "Screenshot.h"
#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "image/USaveBincc.h"
#include "parameters/ULoRa_Set_Access.h"
#include "platform/Dialogs.h"
#include "platform/PageControl.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

const QString Data_Dir = QStringLiteral(TEST_DATA_DIR "/parameters/lora/");

// Uplink columns by real index.
enum { cN, cEnable, cStart, cNum, cOnChange, cOnCMD, cOnTimer, cTime, cFPort, cMnemonic };
// Downlink columns by real index.
enum { dN, dEnable, dStart, dNum, dFPort, dMnemonic };

QString Lang(Integer n)
{
    return Language_Texts->Strings(n);
}

QByteArray Read_Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct LoRaWindow : ::testing::Test {
    QTemporaryDir dir;
    TFLoRa_Set_Access* form = nullptr;
    TExColumnGrid* up = nullptr;
    TExColumnGrid* down = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Load_Default_Texts();
        SW_Code = Const_SW_Code;
        Enable_Jump_Field_Tables = false;
        Double_Click_Auto_Size = false;
        Row_Clipboard = std::make_unique<TStringList>();
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        Project_Folder = dir.path();
        Set_Files();
        form = new TFLoRa_Set_Access(nullptr);
        form->AfterConstruction();
        up = form->ACG_LoRa_Uplink;
        down = form->ACG_LoRa_Downlink;
    }
    void TearDown() override
    {
        delete form;
        Project_Folder.clear();
        EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
    }

    void Copy_Fixture(const char* name)
    {
        QFile::remove(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(QFile::copy(Data_Dir + QLatin1String(name), dir.filePath(QLatin1String(name))));
    }
    void Write(const char* name, const QString& text)
    {
        QFile f(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text.toUtf8());
    }
    void Write_ParGen(const QString& payload, const QString& fport)
    {
        Write("ParGen.xml", QStringLiteral("<Par_Gen><LoRa_Payload_Size>%1</LoRa_Payload_Size>"
                                           "<LoRa_FPort>%2</LoRa_FPort></Par_Gen>")
                                .arg(payload, fport));
    }
    // Opens the window as the main window's step does (without the modal
    // loop); Warned expects the missing payload size warning.
    void Open(bool warned = false) { Open_Warning(warned ? Lang(1242) : QString()); }
    // The same expecting one warning box of that text (none when empty).
    void Open_Warning(const QString& warning)
    {
        DialogSeam::Clear();
        if (!warning.isEmpty())
            DialogSeam::QueueAnswer(IDOK);
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
        if (!warning.isEmpty()) {
            ASSERT_EQ(DialogSeam::Shown().size(), 1u);
            EXPECT_EQ(DialogSeam::Shown()[0].Text, warning);
            EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONWARNING);
        } else {
            EXPECT_TRUE(DialogSeam::Shown().empty());
        }
        DialogSeam::Clear();
    }
    void Open_Fixture()
    {
        Copy_Fixture("ParGen.xml");
        Copy_Fixture("LoRaWAN_SetAccess.xml");
        Open();
    }
    // Cells 1 .. last of a row joined by "|".
    static QString Row(TExColumnGrid* g, Integer r)
    {
        QStringList cells;
        for (Integer c = 1; c < g->GetColCount() + g->NumHiddenColumns(); ++c)
            cells << g->GetCellEx(c, r);
        return cells.join(QLatin1Char('|'));
    }
    static void Set_Row(TExColumnGrid* g, Integer r, const QStringList& cells)
    {
        for (Integer c = 0; c < cells.size(); ++c)
            g->SetCellEx(c + 1, r, cells[c]);
    }
    QString OK_Fails() { return ::OK_Fails(form, form->Btn_OK); }
    void OK_Passes() { ::OK_Passes(form, form->Btn_OK); }
    void Show_Tab(TTabSheet* sheet) { form->PC_LoRa->SetActivePage(sheet); }
    void Select(TExColumnGrid* g, Integer row)
    {
        g->SetRowEx(row);
        g->SetCol(2);
    }
    void Screenshot(const char* name)
    {
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QString::fromLatin1(name)).isEmpty());
    }
    TPoint Center(TExColumnGrid* g, Integer c, Integer r) const
    {
        const TRect rc = g->CellRect(c, r);
        return {(rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2};
    }
};

TEST_F(LoRaWindow, OpensTheConfigurationsRulesAndOKWritesThemBack)
{
    Open_Fixture();
    EXPECT_EQ(form->MaxPayloadSize, 51);
    EXPECT_TRUE(form->FPortFixed);
    EXPECT_TRUE(up->IsHiddenColumn(cFPort));
    EXPECT_TRUE(down->IsHiddenColumn(dFPort));
    EXPECT_EQ(up->GetRowCount(), 257);
    EXPECT_EQ(down->GetRowCount(), 257);
    EXPECT_EQ(form->PC_LoRa->ActivePage(), form->TS_LoRa_Uplink);

    EXPECT_EQ(up->GetCellEx(cN, 1), "0");
    EXPECT_EQ(up->GetCellEx(cN, 256), "255");
    EXPECT_EQ(Row(up, 2), "Y|10|49|N|Y|Y|3600||Meter & <totals>");
    // Missing attributes: Enable ticked, the send conditions not.
    EXPECT_EQ(Row(up, 4), "Y|100|2|N|N|N|||defaults");
    // A comment is no rule; rows after the file's are blank with Enable ticked.
    EXPECT_EQ(Row(up, 3), "N|9999|999|N|N|Y|1||parked");
    EXPECT_EQ(Row(up, 7), "Y||||||||");
    EXPECT_EQ(Row(down, 2), "N|600|2|9|off");
    EXPECT_EQ(Row(down, 3), "Y||||");
    Screenshot("TFLoRa_Set_Access-uplink");
    {
        // The rule table is framed by the one-pixel border line of its look.
        const QImage table = up->GrabWindow();
        ASSERT_FALSE(table.isNull());
        EXPECT_FALSE(testsupport::SaveScreenshot(table, QStringLiteral("TFLoRa_Set_Access-uplink-table")).isEmpty());
        const TColor c = ColorToRGB(up->BorderColor());
        const QColor border(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        EXPECT_NE(up->BorderColor(), clNone);
        EXPECT_EQ(table.pixelColor(1, table.height() / 2), border);
        EXPECT_EQ(table.pixelColor(table.width() / 2, 1), border);
        EXPECT_EQ(table.pixelColor(table.width() - 2, table.height() / 2), border);
    }

    // The user ticks On Timer of rule 0 and types its time.
    bool ticked = false;
    TestInput::Click(up, Center(up, cOnTimer, 1));
    ASSERT_TRUE(up->GetCheckBoxState(cOnTimer, 1, ticked));
    EXPECT_TRUE(ticked);
    EXPECT_EQ(up->GetCellEx(cOnTimer, 1), "Y");
    up->SetCellEx(cTime, 1, QStringLiteral("60"));

    Show_Tab(form->TS_LoRa_Downlink);
    Screenshot("TFLoRa_Set_Access-downlink");

    // Row 5's Start Byte is blanks only: it would end the table and drop
    // row 6, so OK refuses, naming it, on the uplink tab.
    EXPECT_EQ(OK_Fails(), Lang(1243) + "5" + Lang(1108));
    EXPECT_EQ(form->PC_LoRa->ActivePage(), form->TS_LoRa_Uplink);
    EXPECT_EQ(Read_Bytes(LoRaWAN_SetAccess_File), Read_Bytes(Data_Dir + "LoRaWAN_SetAccess.xml"));
    Grid_Delete_Row(5, up);
    Grid_Delete_Row(5, up);
    OK_Passes();
    // The hidden FPort is written as the file gave it.
    EXPECT_EQ(Read_Bytes(LoRaWAN_SetAccess_File), Read_Bytes(Data_Dir + "expected-LoRaWAN_SetAccess.xml"));
}

TEST_F(LoRaWindow, ABlankRowAboveRulesIsRefusedNotDropped)
{
    Write_ParGen(QStringLiteral("51"), QStringLiteral("Fixed"));
    QString rows;
    for (int i = 1; i <= 5; ++i)
        rows += QStringLiteral("<row Enable=\"Y\" StartByte=\"%1\" NumByte=\"1\" Mnemonic=\"rule %1\"/>").arg(i);
    Write("LoRaWAN_SetAccess.xml", QStringLiteral("<LoRaWAN_Set_Access><LoRaWAN_Uplink>%1</LoRaWAN_Uplink>"
                                                  "<LoRaWAN_Downlink>%1</LoRaWAN_Downlink></LoRaWAN_Set_Access>")
                                       .arg(rows));
    const QByteArray before = Read_Bytes(LoRaWAN_SetAccess_File);
    const struct {
        const char* what;
        TExColumnGrid* grid;
        TTabSheet* sheet;
        Integer row;
        bool insert;         // Insert Row at the row, else a text typed there
        Integer mnemonic;    // the text's column
    } cases[] = {
        {"uplink insert", up, form->TS_LoRa_Uplink, 3, true, cMnemonic},
        {"downlink insert", down, form->TS_LoRa_Downlink, 1, true, dMnemonic},
        {"a Mnemonic without a Start Byte", up, form->TS_LoRa_Uplink, 6, false, cMnemonic},
        {"a Num. Byte far below the rules", down, form->TS_LoRa_Downlink, 256, false, dNum},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Open();
        Show_Tab(c.sheet);
        if (c.insert) {
            Select(c.grid, c.row);
            TestInput::Click(form->Btn_InsRow);
        } else {
            c.grid->SetCellEx(c.mnemonic, c.row, QStringLiteral("typed"));
        }
        Show_Tab(c.sheet == form->TS_LoRa_Uplink ? form->TS_LoRa_Downlink : form->TS_LoRa_Uplink);
        EXPECT_EQ(OK_Fails(), Lang(1243) + QString::number(c.insert ? c.row : 6) + Lang(1108));
        EXPECT_EQ(form->PC_LoRa->ActivePage(), c.sheet);
        EXPECT_EQ(Read_Bytes(LoRaWAN_SetAccess_File), before);
        if (c.insert && c.grid == up)
            Screenshot("TFLoRa_Set_Access-blank-row-refused");
    }

    // Filled in, the row is written in its place with every rule below it.
    Open();
    Select(up, 3);
    TestInput::Click(form->Btn_InsRow);
    Set_Row(up, 3, {"Y", "30", "2"});
    OK_Passes();
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(LoRaWAN_SetAccess_File));
    QStringList starts;
    for (TXMLNode n = xml.Root().FindChild("LoRaWAN_Uplink").FirstChild(); n; n = n.NextSibling())
        starts << n.Attribute("StartByte");
    EXPECT_EQ(starts, (QStringList{"1", "2", "30", "3", "4", "5"}));
}

TEST_F(LoRaWindow, TheSavedRulesCompileIntoTheBank)
{
    Open_Fixture();
    // The blank row 5 and the rule below it go, as the user deletes them.
    Grid_Delete_Row(5, up);
    Grid_Delete_Row(5, up);
    up->SetCellEx(cOnTimer, 1, QStringLiteral("Y"));
    up->SetCellEx(cTime, 1, QStringLiteral("60"));
    OK_Passes();

    const TBin_Result compiled = Create_Bin();
    ASSERT_TRUE(compiled.Ok) << compiled.Message.toStdString();
    ASSERT_TRUE(Save_Bin().Ok);
    const QByteArray bank2 = Read_Bytes(dir.filePath(QStringLiteral("bin/bank2.bin")));
    ASSERT_EQ(bank2.size(), 57344);
    auto bytes = [&](Integer at, Integer n) {
        std::vector<int> v;
        for (Integer i = at; i < at + n; ++i)
            v.push_back(uchar(bank2[i]));
        return v;
    };
    // Head: payload 51, fixed port, three uplink and one downlink rule.
    EXPECT_EQ(bytes(66, 2), (std::vector<int>{51, 0}));
    EXPECT_EQ(bytes(80, 4), (std::vector<int>{3, 0, 1, 0}));
    // Uplink entries: start, count, conditions (1 change, 2 command, 4 timer),
    // port 2 while fixed, time; the parked rule is left out.
    EXPECT_EQ(bytes(1024, 36), (std::vector<int>{0, 0, 10, 0, 5, 2, 0, 0, 60, 0, 0, 0,       //
                                                 10, 0, 49, 0, 6, 2, 0, 0, 0x10, 0x0E, 0, 0, //
                                                 100, 0, 2, 0, 0, 2, 0, 0, 30, 0, 0, 0}));
    EXPECT_EQ(bytes(1060, 12), std::vector<int>(12, 0));
    EXPECT_EQ(bytes(4096, 24), (std::vector<int>{0xF4, 1, 8, 0, 0, 2, 0, 0, 0, 0, 0, 0, //
                                                 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(LoRaWindow, CancelWritesNothing)
{
    Open_Fixture();
    const QByteArray before = Read_Bytes(LoRaWAN_SetAccess_File);
    up->SetCellEx(cMnemonic, 1, QStringLiteral("changed"));
    Grid_Delete_Row(2, up);
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(LoRaWAN_SetAccess_File), before);

    // Without a file, Cancel leaves none.
    QFile::remove(LoRaWAN_SetAccess_File);
    Open();
    up->SetCellEx(cStart, 1, QStringLiteral("1"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_FALSE(QFile::exists(LoRaWAN_SetAccess_File));
}

TEST_F(LoRaWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    const QString up_row = QStringLiteral("Y|%1|%2|N|N|%3|%4|%5|");
    const struct {
        const char* what;
        const char* fport_mode;
        bool uplink;
        QString cells;
        QString message;  // empty: passes
    } cases[] = {
        {"start byte too big", "Fixed", true, up_row.arg("1537", "1", "N", "", ""), Lang(1244)},
        {"start byte with a trailing blank", "Fixed", true, up_row.arg("12 ", "1", "N", "", ""), Lang(1244)},
        {"start byte with a leading blank", "Fixed", true, up_row.arg(" 12", "1", "N", "", ""), QString()},
        {"start byte in hexadecimal", "Fixed", true, up_row.arg("$600", "1", "N", "", ""), QString()},
        {"num byte above the payload", "Fixed", true, up_row.arg("0", "50", "N", "", ""), Lang(1245) + "49"},
        {"num byte at the payload bound", "Fixed", true, up_row.arg("1536", "49", "N", "", ""), QString()},
        {"num byte not a number", "Fixed", true, up_row.arg("0", "", "N", "", ""), Lang(1245) + "49"},
        {"timer too short", "Fixed", true, up_row.arg("0", "1", "Y", "29", ""), Lang(1246)},
        {"timer too long", "Fixed", true, up_row.arg("0", "1", "Y", "86401", ""), Lang(1246)},
        {"time unchecked without timer", "Fixed", true, up_row.arg("0", "1", "N", "29", ""), QString()},
        {"uplink fport hidden", "Fixed", true, up_row.arg("0", "1", "N", "", "0"), QString()},
        {"uplink fport 0", "Variable", true, up_row.arg("0", "1", "N", "", "0"), Lang(1254)},
        {"uplink fport 224", "Variable", true, up_row.arg("0", "1", "N", "", "224"), Lang(1254)},
        {"uplink fport 223", "Variable", true, up_row.arg("0", "1", "N", "", "223"), QString()},
        {"disabled rule", "Variable", true, QStringLiteral("N|9999|x|N|N|Y|1|0|"), QString()},
        {"downlink start byte", "Fixed", false, QStringLiteral("Y|-1|1||"), Lang(1247)},
        {"downlink num byte", "Fixed", false, QStringLiteral("Y|0|50||"), Lang(1248) + "49"},
        {"downlink fport", "Variable", false, QStringLiteral("Y|0|1|300|"), Lang(1255)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Write_ParGen(QStringLiteral("51"), QLatin1String(k.fport_mode));
        QFile::remove(LoRaWAN_SetAccess_File);
        Open();
        // A good rule above the one under test: the fault names grid row 2.
        TExColumnGrid* g = k.uplink ? up : down;
        Set_Row(g, 1, k.uplink ? up_row.arg("0", "1", "N", "", "1").split('|') : QStringList{"Y", "0", "1", "1"});
        Set_Row(g, 2, k.cells.split('|'));
        if (k.message.isEmpty()) {
            OK_Passes();
            EXPECT_TRUE(QFile::exists(LoRaWAN_SetAccess_File));
        } else {
            EXPECT_EQ(OK_Fails(), Lang(1243) + "2" + k.message);
            EXPECT_FALSE(QFile::exists(LoRaWAN_SetAccess_File));
        }
    }
}

TEST_F(LoRaWindow, WithoutAPayloadSizeTheWindowWarnsAndEveryEnabledRuleFails)
{
    Open(true);
    EXPECT_EQ(form->MaxPayloadSize, 0);
    // Blank tables pass.
    OK_Passes();
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(LoRaWAN_SetAccess_File));
    EXPECT_EQ(xml.Root().FindChild("LoRaWAN_Uplink").ChildCount(), 0);
    EXPECT_EQ(xml.Root().FindChild("LoRaWAN_Downlink").ChildCount(), 0);

    Open(true);
    Set_Row(up, 1, {"Y", "0", "0"});
    EXPECT_EQ(OK_Fails(), Lang(1243) + "1" + Lang(1245) + "-2");

    // A payload that is no number warns the same.
    Write_ParGen(QStringLiteral("fifty"), QStringLiteral("Fixed"));
    Open(true);
}

TEST_F(LoRaWindow, VariableFPortShowsTheColumnsAndHolds223Rules)
{
    Write_ParGen(QStringLiteral("222"), QStringLiteral(" variable "));
    // A file saved with 230 rules while the port was fixed: the first 223 show.
    QString rows;
    for (int i = 0; i < 230; ++i)
        rows += QStringLiteral("<row Enable=\"Y\" StartByte=\"%1\" NumByte=\"1\" FPort=\"%2\" Mnemonic=\"r%1\"/>")
                    .arg(i)
                    .arg(i % 223 + 1);
    Write("LoRaWAN_SetAccess.xml", QStringLiteral("<LoRaWAN_Set_Access><LoRaWAN_Uplink>%1</LoRaWAN_Uplink>"
                                                  "<LoRaWAN_Downlink/></LoRaWAN_Set_Access>")
                                       .arg(rows));
    // The seven rules the table cannot hold are named when it opens.
    Open_Warning("Warning!! The table LoRaWAN Uplink holds 223 rows: rows of LoRaWAN_SetAccess.xml not loaded: 7. "
                 "OK will not keep them");
    EXPECT_FALSE(form->FPortFixed);
    EXPECT_FALSE(up->IsHiddenColumn(cFPort));
    EXPECT_FALSE(down->IsHiddenColumn(dFPort));
    EXPECT_EQ(up->GetRowCount(), 224);
    EXPECT_EQ(down->GetRowCount(), 224);
    EXPECT_EQ(up->GetCellEx(cMnemonic, 223), "r222");
    EXPECT_EQ(up->GetCellEx(cFPort, 223), "223");
    Screenshot("TFLoRa_Set_Access-variable-fport");

    OK_Passes();
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(LoRaWAN_SetAccess_File));
    EXPECT_EQ(xml.Root().FindChild("LoRaWAN_Uplink").ChildCount(), 223);

    // Back to fixed: the same file opens with the columns hidden, 256 rows,
    // and nothing of the earlier opening left over.
    Write_ParGen(QStringLiteral("222"), QStringLiteral("Fixed"));
    up->SetCellEx(cMnemonic, 250, QStringLiteral("typed, not saved"));
    Open();
    EXPECT_TRUE(up->IsHiddenColumn(cFPort));
    EXPECT_EQ(up->GetRowCount(), 257);
    EXPECT_EQ(Row(up, 223), "Y|222|1|N|N|N||223|r222");
    EXPECT_EQ(Row(up, 224), "Y||||||||");
}

TEST_F(LoRaWindow, TwoOpeningsGiveTheSameTables)
{
    Open_Fixture();
    QStringList first;
    for (Integer r = 1; r < 257; ++r)
        first << Row(up, r) + "/" + Row(down, r);
    Set_Row(up, 9, {"N", "5", "5"});
    Set_Row(down, 9, {"N", "5", "5"});
    Show_Tab(form->TS_LoRa_Downlink);
    Open();
    EXPECT_EQ(form->PC_LoRa->ActivePage(), form->TS_LoRa_Uplink);
    QStringList second;
    for (Integer r = 1; r < 257; ++r)
        second << Row(up, r) + "/" + Row(down, r);
    EXPECT_EQ(first, second);
}

TEST_F(LoRaWindow, DeleteAsksForTheGridRowAndInsertMakesAnEnabledBlankRow)
{
    Open_Fixture();
    Select(up, 2);
    DialogSeam::QueueAnswer(IDNO);
    TestInput::Click(form->Btn_DelRow);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Text, Lang(1249) + "2");
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(up->GetCellEx(cMnemonic, 2), "Meter & <totals>");

    DialogSeam::QueueAnswer(IDYES);
    TestInput::Click(form->Btn_DelRow);
    EXPECT_EQ(up->GetCellEx(cMnemonic, 2), "parked");
    EXPECT_EQ(up->GetCellEx(cN, 2), "1");
    EXPECT_EQ(Row(up, 256), "||||||||");

    // Insert on the downlink tab works on the downlink table.
    Show_Tab(form->TS_LoRa_Downlink);
    Select(down, 1);
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(Row(down, 1), "Y||||");
    EXPECT_EQ(Row(down, 2), "Y|500|8||Setpoints");
    EXPECT_EQ(Row(up, 1), "Y|0|10|Y|N|N|||Temperatures");
}

TEST_F(LoRaWindow, PasteTakesOnlyARowCopiedFromTheSameTableInThisOpening)
{
    Open_Fixture();
    Select(up, 1);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy_Uplink);
    EXPECT_FALSE(form->Do_Copy_Downlink);

    // Into a blank row: no question; the hidden FPort travels too.
    up->SetCellEx(cFPort, 1, QStringLiteral("7"));
    TestInput::Click(form->Btn_CopyRow);
    Select(up, 8);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(Row(up, 8), "Y|0|10|Y|N|N||7|Temperatures");
    EXPECT_EQ(up->GetCellEx(cN, 8), "7");

    // Over a used row: asked first.
    Select(up, 2);
    DialogSeam::QueueAnswer(IDNO);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(DialogSeam::Shown().back().Text, Lang(1100));
    EXPECT_EQ(up->GetCellEx(cMnemonic, 2), "Meter & <totals>");

    // The downlink table has no copy of its own.
    Show_Tab(form->TS_LoRa_Downlink);
    Select(down, 3);
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(DialogSeam::Shown().back().Text, Lang(1102));
    EXPECT_EQ(Row(down, 3), "Y||||");

    // A new opening forgets the copy.
    Open();
    EXPECT_FALSE(form->Do_Copy_Uplink);
    Select(up, 9);
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_EQ(DialogSeam::Shown().back().Text, Lang(1102));
}

TEST_F(LoRaWindow, GridHandlersSelectRowsHintHeadersAndMoveOnEnter)
{
    Open_Fixture();
    // A click on the N cell selects the row (as the grid's click event calls it).
    form->ClickCell(up, 5, 0);
    EXPECT_EQ(up->Selection().Top, 5);
    EXPECT_EQ(up->Selection().Bottom, 5);
    EXPECT_EQ(up->Selection().Left, 1);

    // Header hints by real column: with FPort hidden the last shown column
    // is the Mnemonic.
    const struct {
        TExColumnGrid* grid;
        Integer row, col;
        QString hint;
    } hints[] = {
        {up, 0, 1, Lang(1225)}, {up, 0, 7, Lang(1231)}, {up, 0, 8, Lang(1232)},
        {down, 0, 4, Lang(1241)}, {up, 0, 0, QString()},  {up, 3, 2, QString()},
    };
    for (const auto& h : hints) {
        QString text = QStringLiteral("stale");
        form->GridHint(h.grid, h.row, h.col, text);
        EXPECT_EQ(text, h.hint) << h.row << "," << h.col;
    }
    EXPECT_EQ(up->Columns()->Items(cMnemonic)->Header(), Lang(1224));
    EXPECT_EQ(down->Columns()->Items(dFPort)->Header(), Lang(1252));

    // Enter moves on while the option is on.
    Enable_Jump_Field_Tables = true;
    up->SetRowEx(3);
    up->SetCol(8);
    TestInput::PressKey(up, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(up->GetRowEx(), 4);
    EXPECT_EQ(up->GetCol(), 1);
    Enable_Jump_Field_Tables = false;
}

TEST_F(LoRaWindow, ABrokenRulesFileIsReportedAndTheTablesStayBlank)
{
    Copy_Fixture("ParGen.xml");
    Write("LoRaWAN_SetAccess.xml", QStringLiteral("<LoRaWAN_Set_Access><LoRaWAN_Uplink>"));
    DialogSeam::QueueAnswer(IDOK);
    form->Show();
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(Row(up, 1), "Y||||||||");
}

TEST_F(LoRaWindow, ABrokenParGenIsReportedBeforeThePayloadWarning)
{
    Write("ParGen.xml", QStringLiteral("<Par_Gen><LoRa_Payload_Size>51</LoRa_Payload_Size>"));
    TXMLDocument parser;
    ASSERT_FALSE(parser.LoadFromFile(ParGen_File));
    DialogSeam::QueueAnswer(IDOK);
    DialogSeam::QueueAnswer(IDOK);
    form->Show();
    ASSERT_EQ(DialogSeam::Shown().size(), 2u);
    // The parser's own message, as an error, then the warning it leads to.
    EXPECT_EQ(DialogSeam::Shown()[0].Text, parser.ErrorMessage());
    EXPECT_FALSE(DialogSeam::Shown()[0].Text.isEmpty());
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_EQ(DialogSeam::Shown()[1].Text, Lang(1242));
    EXPECT_EQ(form->MaxPayloadSize, 0);
}

TEST_F(LoRaWindow, AFailedSaveKeepsTheWindowOpenWithTheRules)
{
    Open_Fixture();
    LoRaWAN_SetAccess_File = dir.filePath(QStringLiteral("missing/LoRaWAN_SetAccess.xml"));
    EXPECT_FALSE(OK_Fails().isEmpty());
    EXPECT_FALSE(QFile::exists(LoRaWAN_SetAccess_File));
    EXPECT_EQ(up->GetCellEx(cMnemonic, 1), "Temperatures");
}

TEST_F(LoRaWindow, TextsComeFromTheLanguageList)
{
    Language_Texts->Put(1200, QStringLiteral("Regole LoRaWAN"));
    Language_Texts->Put(1206, QStringLiteral("Copia Riga"));
    Language_Texts->Put(1219, QStringLiteral("Num. Byte (it)"));
    Language_Texts->Put(1227, QStringLiteral("Numero di byte"));
    form->Set_Lang();
    EXPECT_EQ(form->Caption(), "Regole LoRaWAN");
    EXPECT_EQ(form->Btn_CopyRow->Caption(), "Copia Riga");
    EXPECT_EQ(form->Btn_CopyRow->Hint(), Lang(1212));
    EXPECT_EQ(up->Columns()->Items(cNum)->Header(), "Num. Byte (it)");
    ASSERT_EQ(form->Hint_UpLink->Count(), 9);
    EXPECT_EQ(form->Hint_UpLink->Strings(2), "Numero di byte");
    EXPECT_EQ(form->Hint_DownLink->Count(), 5);
    EXPECT_EQ(form->TS_LoRa_Downlink->Caption(), "LoRaWAN Downlink");
}

} // namespace
