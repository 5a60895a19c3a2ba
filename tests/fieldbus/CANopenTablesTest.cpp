// The CANopen PDO, SDO client and SDO server windows: loading their files,
// the checks, OK writing files that the EDS writer takes as its own
// fixtures do, Cancel, the row buttons and the handlers of both tabs.
#include "RuleTableFixture.h"

#include "fieldbus/UCANopen_EDS.h"
#include "fieldbus/USet_PDO_Access.h"
#include "fieldbus/USet_SDO_Client_Access.h"
#include "fieldbus/USet_SDO_Server_Access.h"
#include "platform/Text.h"

namespace {

const QString EDS = QStringLiteral("eds");
const QString CANopen = QStringLiteral("canopen");

using PDOWindow = RuleTableTest<TFSet_PDO_Access>;
using SDOClientWindow = RuleTableTest<TFSet_SDO_Client_Access>;
using SDOServerWindow = RuleTableTest<TFSet_SDO_Server_Access>;

QByteArray Data(const char* name)
{
    return Read_Bytes(QStringLiteral(TEST_DATA_DIR "/fieldbus/") + QLatin1String(name));
}

// A row's cells with an expected text for every case of a table.
struct CheckCase {
    const char* what;
    bool second;  // the row goes into sgb
    QString cells;
    QString message;  // empty: passes
};

// Opens the window blank, puts a good row 1 and the case's row 2 into its
// table and presses OK.
template <class Test>
void Run_Cases(Test& t, const QString& file, Integer prefix, const QString& good_a, const QString& good_b,
               std::initializer_list<CheckCase> cases)
{
    for (const CheckCase& k : cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(file);
        t.Open();
        TExColumnGrid* g = k.second ? t.form->sgb : t.form->sga;
        t.Set_Row(g, 1, k.second ? good_b : good_a);
        t.Set_Row(g, 2, k.cells);
        if (k.message.isEmpty()) {
            t.OK_Passes();
            EXPECT_TRUE(QFile::exists(file));
        } else {
            EXPECT_EQ(t.OK_Fails(), Lang(prefix) + "2" + k.message);
            EXPECT_FALSE(QFile::exists(file));
        }
    }
}

TEST_F(PDOWindow, OpensThePDOsAndWritesAFileTheEDSWriterReadsAlike)
{
    Copy_Fixture(EDS, QStringLiteral("PDO_CANopen.xml"));
    Copy_Fixture(EDS, QStringLiteral("SDO_Server_CANopen.xml"));
    Open();
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_Receive_PDO);
    EXPECT_EQ(form->PROFINET_NByte_IN, 1500);
    EXPECT_EQ(form->PROFINET_NByte_OUT, 1500);
    EXPECT_EQ(form->sga->GetRowCount(), 31);
    EXPECT_EQ(form->sga->GetCellEx(0, 30), "30");
    EXPECT_EQ(PDOWindow::Row(form->sga, 1), "0x201|2|0|1|||||||0|Valve");
    EXPECT_EQ(PDOWindow::Row(form->sgb, 1), "$181|1|10||||||||1000|Y|Level");
    // No Enable column: blank rows stay empty.
    EXPECT_EQ(PDOWindow::Row(form->sga, 2), QString('|').repeated(11));
    Screenshot("TFSet_PDO_Access-receive");
    form->PageControl1->SetActivePage(form->TS_Transmit_PDO);
    Screenshot("TFSet_PDO_Access-transmit");

    OK_Passes();
    EXPECT_EQ(Read_Bytes(PDO_CANopen_File), Data("canopen/expected-PDO_CANopen.xml"));
    const QString eds = dir.filePath(QStringLiteral("out.eds"));
    Write_EDS_File(eds, EncodeDate(2025, 3, 5) + EncodeTime(12, 30, 0, 0));
    EXPECT_EQ(Read_Bytes(eds), Data("eds/expected.eds").replace("\n", "\r\n"));
}

TEST_F(SDOServerWindow, OpensTheObjectsAndWritesAFileTheEDSWriterReadsAlike)
{
    Copy_Fixture(EDS, QStringLiteral("PDO_CANopen.xml"));
    Copy_Fixture(EDS, QStringLiteral("SDO_Server_CANopen.xml"));
    Open();
    EXPECT_EQ(form->sga->GetRowCount(), 501);
    EXPECT_EQ(SDOServerWindow::Row(form->sga, 3), "0x2100|1|4|3|4|5|6|Total");
    EXPECT_EQ(SDOServerWindow::Row(form->sgb, 2), "8704|2|2|4|5|||Mode");
    Screenshot("TFSet_SDO_Server_Access-read");

    OK_Passes();
    EXPECT_EQ(Read_Bytes(SDO_Server_CANopen_File), Data("canopen/expected-SDO_Server_CANopen.xml"));
    const QString eds = dir.filePath(QStringLiteral("out.eds"));
    Write_EDS_File(eds, EncodeDate(2025, 3, 5) + EncodeTime(12, 30, 0, 0));
    EXPECT_EQ(Read_Bytes(eds), Data("eds/expected.eds").replace("\n", "\r\n"));
}

TEST_F(SDOClientWindow, OpensTheRequestsAndOKWritesThemBack)
{
    Copy_Fixture(CANopen, QStringLiteral("SDO_Client_CANopen.xml"));
    Open();
    EXPECT_EQ(form->sga->GetRowCount(), 257);
    EXPECT_EQ(SDOClientWindow::Row(form->sga, 2), "127|4096|$FF|4|100000000|2|3|4|1499|device type");
    EXPECT_EQ(SDOClientWindow::Row(form->sgb, 1), "5|0x6200|1|1|0|Y|10|x||| outputs ");
    Screenshot("TFSet_SDO_Client_Access-read");
    form->PageControl1->SetActivePage(form->TS_SDO_Write);
    Screenshot("TFSet_SDO_Client_Access-write");

    OK_Passes();
    EXPECT_EQ(Read_Bytes(SDO_Client_CANopen_File), Data("canopen/expected-SDO_Client_CANopen.xml"));
}

TEST_F(PDOWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    Run_Cases(*this, PDO_CANopen_File, 3568, "1|1|0||||||||0|m", "1|1|0||||||||0|N|m",
              {
                  {"good", false, "0x181|1|0||||||||65535|m", {}},
                  {"dollar COB-ID", false, "$181|1|0||||||||0|m", {}},
                  {"COB-ID 2048", false, "2048|1|0||||||||0|m", Lang(3569)},
                  {"COB-ID -1", false, "-1|1|0||||||||0|m", Lang(3569)},
                  {"dimension 0", false, "1|0|0||||||||0|m", Lang(3570)},
                  {"dimension 9", false, "1|9|0|0|0|0|0|0|0|0|0|m", Lang(3570)},
                  {"address byte 1", false, "1|1|1500||||||||0|m", Lang(3571) + "1499"},
                  {"address beyond the dimension", false, "1|3|0|1|2|x|||||0|m", {}},
                  {"address byte 3", false, "1|3|0|1|1500||||||0|m", Lang(3573) + "1499"},
                  {"leading blank", false, "1|1| 7||||||||0|m", {}},
                  {"trailing blank", false, "1|1|7 ||||||||0|m", Lang(3571) + "1499"},
                  {"time-out", false, "1|1|0||||||||65536|m", Lang(3579)},
                  {"transmit COB-ID", true, "0x800|1|0||||||||0|N|m", Lang(3580)},
                  {"transmit dimension", true, "1||0||||||||0|N|m", Lang(3581)},
                  {"transmit byte 8", true, "1|8|0|0|0|0|0|0|0|-1|0|N|m", Lang(3589) + "1499"},
                  {"send time limit", true, "1|1|0||||||||100000000|N|m", {}},
                  {"send time", true, "1|1|0||||||||100000001|N|m", Lang(3590)},
              });
}

TEST_F(SDOClientWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    Run_Cases(*this, SDO_Client_CANopen_File, 3660, "1|0x1000|0|1|1|0||||m", "1|0x1000|0|1|0|N|0||||m",
              {
                  {"good", false, "127|0xFFFF|255|4|1|0|1|2|3|m", {}},
                  {"device 0", false, "0|0x1000|0|1|1|0||||m", Lang(3661)},
                  {"device 128", false, "128|0x1000|0|1|1|0||||m", Lang(3661)},
                  {"index 0xFFF", false, "1|0xFFF|0|1|1|0||||m", Lang(3662)},
                  {"index 0x10000", false, "1|0x10000|0|1|1|0||||m", Lang(3662)},
                  {"subindex", false, "1|4096|256|1|1|0||||m", Lang(3663)},
                  {"three bytes", false, "1|4096|0|3|1|0|0|0||m", Lang(3664)},
                  {"read poll time 0", false, "1|4096|0|1|0|0||||m", Lang(3665)},
                  {"one byte checks one address", false, "1|4096|0|1|1|0|x|x|x|m", {}},
                  {"two bytes check two", false, "1|4096|0|2|1|0|1500|||m", Lang(3667) + "1499"},
                  {"four bytes check four", false, "1|4096|0|4|1|0|1|2||m", Lang(3669) + "1499"},
                  {"write poll time 0", true, "1|4096|0|1|0|N|0||||m", {}},
                  {"write poll time", true, "1|4096|0|1|100000001|N|0||||m", Lang(3674)},
                  {"write device", true, "x|4096|0|1|0|N|0||||m", Lang(3670)},
                  {"write address 1", true, "1|4096|0|1|0|Y|||||m", Lang(3675) + "1499"},
                  {"write address 3", true, "1|4096|0|4|0|Y|0|1|1500|3|m", Lang(3677) + "1499"},
              });
}

TEST_F(SDOServerWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    Run_Cases(*this, SDO_Server_CANopen_File, 3750, "0x2000|0|1|0||||m", "0x2000|0|1|0||||m",
              {
                  {"lowest and highest index", false, "0x5FFF|255|1|0||||m", {}},
                  {"index 0x1FFF", false, "0x1FFF|0|1|0||||m", Lang(3751)},
                  {"index 0x6000", false, "0x6000|0|1|0||||m", Lang(3751)},
                  {"subindex", false, "0x2000|-1|1|0||||m", Lang(3752)},
                  {"n byte", false, "0x2000|0|8|0||||m", Lang(3753)},
                  {"address 2", false, "0x2000|0|2|0|||||m", Lang(3755) + "1499"},
                  {"two bytes leave byte 3 alone", false, "0x2000|0|2|0|1|any||m", {}},
                  {"same object twice", false, "0x2000|0|1|0||||m", {}},
                  {"write index", true, "0x6000|0|1|0||||m", Lang(3758)},
                  {"write n byte", true, "0x2000|0|0|0||||m", Lang(3760)},
                  {"write address 4", true, "0x2000|0|4|0|1|2|1500|m", Lang(3764) + "1499"},
              });
}

TEST_F(PDOWindow, AMissingAttributeStopsTheLoadingAndCancelWritesNothing)
{
    Write(QStringLiteral("PDO_CANopen.xml"),
          QStringLiteral("<PDO_CANopen><Receive_PDO>"
                         "<row COB-ID=\"1\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" Address_B3=\"\""
                         " Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" Address_B8=\"\""
                         " TimeOut=\"0\" Mnemonic=\"one\"/>"
                         "<row COB-ID=\"2\" Dimension=\"1\"/><row COB-ID=\"3\"/></Receive_PDO>"
                         "<Transmit_PDO><row COB-ID=\"4\"/></Transmit_PDO></PDO_CANopen>"));
    const QByteArray before = Read_Bytes(PDO_CANopen_File);
    EXPECT_TRUE(Open_Fails().contains(QLatin1String("Address_B1")));
    EXPECT_EQ(PDOWindow::Row(form->sga, 1), "1|1|0||||||||0|one");
    EXPECT_EQ(PDOWindow::Row(form->sga, 2), "2|1" + QString('|').repeated(10));
    EXPECT_EQ(PDOWindow::Row(form->sga, 3), QString('|').repeated(11));
    EXPECT_EQ(PDOWindow::Row(form->sgb, 1), QString('|').repeated(12));

    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(PDO_CANopen_File), before);
}

TEST_F(PDOWindow, RowButtonsStayOnTheirTab)
{
    Copy_Fixture(EDS, QStringLiteral("PDO_CANopen.xml"));
    Open();
    Select(form->sga, 1);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy_Receive_PDO());
    form->PageControl1->SetActivePage(form->TS_Transmit_PDO);
    Select(form->sgb, 2);
    EXPECT_EQ(Paste_Refused(), Lang(1102));
    EXPECT_EQ(PDOWindow::Row(form->sgb, 2), QString('|').repeated(12));

    // Delete on row 30 empties row 30 only.
    form->sgb->SetCellEx(1, 30, QStringLiteral("5"));
    Select(form->sgb, 30);
    EXPECT_EQ(Delete(IDYES), Lang(3591) + "30");
    EXPECT_EQ(PDOWindow::Row(form->sgb, 30), QString('|').repeated(12));
    EXPECT_EQ(form->sgb->GetCellEx(1, 1), "$181");

    // Insert opens an empty row, without an Enable to tick.
    Select(form->sgb, 1);
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(PDOWindow::Row(form->sgb, 1), QString('|').repeated(12));
    EXPECT_EQ(form->sgb->GetCellEx(1, 2), "$181");
}

TEST_F(SDOServerWindow, TheWriteTabTakesEnterAndShowsItsHints)
{
    Open();
    form->PageControl1->SetActivePage(form->TS_SDO_Write);
    EXPECT_EQ(Header_Hint(form->sgb, 0, 4), Lang(3745));
    EXPECT_EQ(Header_Hint(form->sga, 0, 4), Lang(3737));
    EXPECT_EQ(Header_Hint(form->sgb, 1, 4), "");
    form->ClickCell(form->sgb, 7, 0);
    EXPECT_EQ(form->sgb->Selection().Top, 7);

    Enable_Jump_Field_Tables = true;
    form->sgb->SetRowEx(2);
    form->sgb->SetCol(8);
    TestInput::PressKey(form->sgb, VK_RETURN, {}, QStringLiteral("\r"));
    EXPECT_EQ(form->sgb->GetRowEx(), 3);
    EXPECT_EQ(form->sgb->GetCol(), 1);
    Enable_Jump_Field_Tables = false;

    EXPECT_EQ(form->sgb->Columns()->Items(4)->Header(), "Add Byte1");
    EXPECT_EQ(form->TS_SDO_Write->Caption(), "SDO in Write");
    EXPECT_EQ(form->ClientWidth(), 749);
}

} // namespace
