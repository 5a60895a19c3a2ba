// The Modbus RTU and TCP master request windows: loading their files, the
// checks of both tables, OK writing the file, Cancel writing nothing, the
// row buttons and the grid handlers.
#include "RuleTableFixture.h"

#include "fieldbus/UModbus_TCP_Master_Set_Access.h"
#include "fieldbus/USetAccess.h"
#include "platform/XmlDocument.h"

namespace {

const QString Modbus = QStringLiteral("modbus");
const QString TCP_File = QStringLiteral("ModbusTCPM_SetAccess.xml");
const QString RTU_File = QStringLiteral("ModbusM_SetAccess.xml");

// TCP columns by real index (the RTU ones are two lower from the Slave ID).
enum { tIP = 2, tPort, tSlave, tType, tAddress, tNPoint, tPoll };
enum { tReadMaxError = 9, tReadPosition, tReadBit, tReadSwap, tReadSwapWord, tTopic, tReadMnemonic };
enum { tOnChange = 9, tOnCMD, tWriteMaxError, tWritePosition, tWriteBit };

using TcpWindow = RuleTableTest<TFModbus_TCP_Master_Set_Access>;
using RtuWindow = RuleTableTest<TFSetAccess>;

TEST_F(TcpWindow, OpensTheConfigurationsRequestsAndOKWritesThemBack)
{
    Copy_Fixture(Modbus, TCP_File);
    Open();
    TExColumnGrid* rd = form->ACG_Modbus_Read;
    TExColumnGrid* wr = form->ACG_Modbus_Write;
    EXPECT_EQ(form->PageControl1->ActivePage(), form->TS_Modbus_Read);
    EXPECT_EQ(form->NByte_IN, 1500);
    EXPECT_EQ(form->NByte_OUT, 1500);
    EXPECT_EQ(rd->GetRowCount(), 513);
    EXPECT_TRUE(rd->IsHiddenColumn(tTopic));
    EXPECT_FALSE(rd->IsHiddenColumn(tReadPosition));
    EXPECT_EQ(rd->GetCellEx(0, 1), "1");
    EXPECT_EQ(rd->GetCellEx(0, 512), "512");
    EXPECT_EQ(rd->Columns()->Items(tReadPosition)->ComboItems()->Count(), 1500);
    EXPECT_EQ(rd->Columns()->Items(tType)->ComboItems()->Count(), 4);
    EXPECT_EQ(wr->Columns()->Items(tType)->ComboItems()->Count(), 2);

    // Stored topic indexes leave the Topic empty; missing Swap, Swap Word,
    // Enable and On CMD take their defaults.
    EXPECT_EQ(TcpWindow::Row(rd, 1), "Y|192.168.1.125|502|1|Holding Register|100|10|1000|0|0||Y|N||Boiler & pumps");
    EXPECT_EQ(TcpWindow::Row(rd, 2), "N|10.0.0|70000|0||x|0|0|-1|1499||N|N|| parked ");
    EXPECT_EQ(TcpWindow::Row(rd, 3), "Y|192.168.1.126|502|2|Coil Status|0x10|16|500|3|20|0|N|N||alarms");
    EXPECT_EQ(TcpWindow::Row(rd, 4), "Y||||||||||||||");
    EXPECT_EQ(TcpWindow::Row(wr, 1), "Y|192.168.1.125|502|1|Holding Register|200|2|0|Y|N|0|0||N|Y|setpoints");
    Screenshot("TFModbus_TCP_Master_Set_Access-read");
    form->PageControl1->SetActivePage(form->TS_Modbus_Write);
    Screenshot("TFModbus_TCP_Master_Set_Access-write");

    OK_Passes();
    EXPECT_EQ(Read_Bytes(ModbusTCPM_SetAccess_File),
              Read_Bytes(QStringLiteral(TEST_DATA_DIR "/fieldbus/modbus/expected-") + TCP_File));
}

TEST_F(RtuWindow, OpensTheConfigurationsRequestsAndOKWritesThemBack)
{
    Copy_Fixture(Modbus, RTU_File);
    Open();
    TExColumnGrid* rd = form->ACG_Modbus_Read;
    EXPECT_TRUE(rd->IsHiddenColumn(12));
    EXPECT_EQ(RtuWindow::Row(rd, 1), "Y|5|Input Register|0|125|100|10|1250||N|N||meter");
    EXPECT_EQ(RtuWindow::Row(form->ACG_Modbus_Write, 2), "N|6|Coil Status|9|1|250|N|N|0|4|0|N|N|no swaps");
    Screenshot("TFSetAccess-read");

    OK_Passes();
    EXPECT_EQ(Read_Bytes(ModbusM_SetAccess_File),
              Read_Bytes(QStringLiteral(TEST_DATA_DIR "/fieldbus/modbus/expected-") + RTU_File));
}

struct ModbusCase {
    const char* what;
    bool write;
    std::vector<std::pair<Integer, QString>> cells;  // TCP columns over the good row
    Integer text;                                    // TCP text; -1: passes
    const char* bound;
};

const QString Good_Read = QStringLiteral("Y|192.168.1.10|502|1|Holding Register|0|10|1000|0|0||N|N||m");
const QString Good_Write = QStringLiteral("Y|192.168.1.10|502|1|Holding Register|0|10|0|N|N|0|0||N|N|m");

const ModbusCase Tcp_Cases[] = {
    {"good rows", false, {}, -1, ""},
    {"three-part address", false, {{tIP, "10.0.0"}}, 3139, ""},
    {"five-part address", false, {{tIP, "192.168.1.1.1"}}, 3139, ""},
    {"address part too big", false, {{tIP, "192.168.1.256"}}, 3139, ""},
    {"address of letters", false, {{tIP, "a.b.c.d"}}, 3139, ""},
    {"port too big", false, {{tPort, "65536"}}, 3140, ""},
    {"slave id 0", false, {{tSlave, "0"}}, 3141, ""},
    {"slave id 248", false, {{tSlave, "248"}}, 3141, ""},
    {"no type", false, {{tType, ""}}, 3142, ""},
    {"address too big", false, {{tAddress, "65536"}}, 3143, ""},
    {"register points", false, {{tNPoint, "126"}}, 3144, "125"},
    {"coil points", false, {{tType, "Coil Status"}, {tNPoint, "2001"}, {tReadBit, "0"}}, 3144, "2000"},
    {"poll time 0", false, {{tPoll, "0"}}, 3199, ""},
    {"max error", false, {{tReadMaxError, "100000001"}}, 3146, ""},
    {"position", false, {{tReadPosition, "1500"}}, 3147, "1499"},
    {"input status without bit", false, {{tType, "input status"}}, 3148, ""},
    {"registers to the end", false, {{tReadPosition, "1400"}, {tNPoint, "50"}}, -1, ""},
    {"registers past the end", false, {{tReadPosition, "1400"}, {tNPoint, "51"}}, 3149, ""},
    {"coils to the end", false, {{tType, "Coil Status"}, {tReadPosition, "1499"}, {tReadBit, "0"}, {tNPoint, "8"}}, -1,
     ""},
    {"coils past the end", false, {{tType, "Coil Status"}, {tReadPosition, "1499"}, {tReadBit, "0"}, {tNPoint, "9"}},
     3149, ""},
    {"coils from bit 1", false, {{tType, "Coil Status"}, {tReadPosition, "1499"}, {tReadBit, "1"}, {tNPoint, "8"}},
     3149, ""},
    // A Start Bit near the integer limit must not wrap back into the area.
    {"coils from bit 2147483647", false,
     {{tType, "Coil Status"}, {tReadPosition, "0"}, {tReadBit, "2147483647"}, {tNPoint, "8"}}, 3149, ""},
    {"write coils from bit 0x7FFFFFFF", true,
     {{tType, "Coil Status"}, {tWritePosition, "0"}, {tWriteBit, "0x7FFFFFFF"}, {tNPoint, "1"}}, 3160, ""},
    {"disabled and wrong", false, {{1, "N"}, {tIP, "x"}, {tSlave, "0"}}, -1, ""},
    {"hexadecimal numbers", false, {{tAddress, "0xFFFF"}, {tNPoint, "$7D"}}, -1, ""},
    {"trailing blank", false, {{tAddress, "1 "}}, 3143, ""},
    {"write address", true, {{tIP, "1.2.3"}}, 3150, ""},
    {"write port", true, {{tPort, "-1"}}, 3151, ""},
    {"write slave", true, {{tSlave, ""}}, 3152, ""},
    {"write type", true, {{tType, " "}}, 3153, ""},
    {"write address", true, {{tAddress, "-1"}}, 3154, ""},
    {"write registers", true, {{tNPoint, "124"}}, 3155, "123"},
    {"write coils", true, {{tType, "Coil Status"}, {tNPoint, "1969"}, {tWriteBit, "0"}}, 3155, "1968"},
    {"write input status counts as registers", true, {{tType, "Input Status"}, {tNPoint, "124"}}, 3155, "123"},
    {"write poll time", true, {{tPoll, "100000001"}}, 3156, ""},
    {"write max error", true, {{tWriteMaxError, ""}}, 3157, ""},
    {"write position", true, {{tWritePosition, "1500"}}, 3158, "1499"},
    {"write coil without bit", true, {{tType, "Coil Status"}}, 3159, ""},
    {"write past the end", true, {{tWritePosition, "1499"}, {tNPoint, "1"}}, 3160, ""},
};

TEST_F(TcpWindow, EveryCheckRefusesItsFaultWithTheRowItIsIn)
{
    for (const ModbusCase& k : Tcp_Cases) {
        SCOPED_TRACE(k.what);
        QFile::remove(ModbusTCPM_SetAccess_File);
        Open();
        TExColumnGrid* g = k.write ? form->ACG_Modbus_Write : form->ACG_Modbus_Read;
        const QString good = k.write ? Good_Write : Good_Read;
        Set_Row(g, 1, good);
        Set_Row(g, 2, good);
        for (const auto& [col, text] : k.cells)
            g->SetCellEx(col, 2, text);
        if (k.text < 0) {
            OK_Passes();
            EXPECT_TRUE(QFile::exists(ModbusTCPM_SetAccess_File));
        } else {
            EXPECT_EQ(OK_Fails(), Lang(3138) + "2" + Lang(k.text) + QLatin1String(k.bound));
            EXPECT_FALSE(QFile::exists(ModbusTCPM_SetAccess_File));
        }
    }
}

TEST_F(RtuWindow, TheChecksUseTheRtuColumnsAndTexts)
{
    const struct {
        const char* what;
        bool write;
        QString cells;
        QString message;
    } cases[] = {
        {"read points", false, "Y|1|Holding Register|0|126|1000|0|0||N|N||m", Lang(3072) + "125"},
        {"read coil bit", false, "Y|1|Coil Status|0|1|1000|0|0||N|N||m", Lang(3076)},
        {"write points", true, "Y|1|Holding Register|0|124|0|N|N|0|0||N|N|m", Lang(3082) + "123"},
        {"write too many", true, "Y|1|Holding Register|0|2|0|N|N|0|1498||N|N|m", Lang(3087)},
        {"read checked first", false, "Y|0|Holding Register|0|1|1000|0|0||N|N||m", Lang(3069)},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        Open();
        Set_Row(k.write ? form->ACG_Modbus_Write : form->ACG_Modbus_Read, 3, k.cells);
        // A faulty write request too: the read table is checked first.
        Set_Row(form->ACG_Modbus_Write, 4, QStringLiteral("Y|0"));
        for (Integer r = 1; r < 3; ++r) {
            Set_Row(form->ACG_Modbus_Read, r, QStringLiteral("Y|1|Input Register|0|1|1000|0|0||N|N||m"));
            Set_Row(form->ACG_Modbus_Write, r, QStringLiteral("Y|1|Holding Register|0|1|0|N|N|0|0||N|N|m"));
        }
        EXPECT_EQ(OK_Fails(), Lang(3068) + "3" + k.message);
    }
    EXPECT_FALSE(QFile::exists(ModbusM_SetAccess_File));
}

TEST_F(RtuWindow, AnEmptyKeyEndsTheTableForTheCheckAndTheFile)
{
    Open();
    TExColumnGrid* rd = form->ACG_Modbus_Read;
    Set_Row(rd, 1, QStringLiteral("Y|1|Input Register|0|1|1000|0|0||N|N||first"));
    Set_Row(rd, 2, QStringLiteral("Y| |Input Register|0|1|1000|0|0||N|N||gap"));
    Set_Row(rd, 3, QStringLiteral("Y|0|broken"));
    // The rows from the gap on are not checked: OK refuses to drop them.
    EXPECT_EQ(OK_Fails(), Lang(3068) + "2" + Lang(1108));
    EXPECT_FALSE(QFile::exists(ModbusM_SetAccess_File));
    Set_Row(rd, 2, QStringLiteral("Y| |||||||||||"));
    Set_Row(rd, 3, QStringLiteral("Y||"));
    OK_Passes();
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(ModbusM_SetAccess_File));
    EXPECT_EQ(xml.Root().NodeName(), "EtherNetIP_to_Modbus");
    EXPECT_EQ(xml.Child(1).Text(), "SW_VERSION = 1.002");
    EXPECT_EQ(xml.Root().FindChild("Modbus_Read").ChildCount(), 1);
    EXPECT_EQ(xml.Root().FindChild("Modbus_Write").ChildCount(), 0);

    Open();
    EXPECT_EQ(RtuWindow::Row(rd, 1), "Y|1|Input Register|0|1|1000|0|0||N|N||first");
    EXPECT_EQ(RtuWindow::Row(rd, 3), "Y||||||||||||");
}

TEST_F(RtuWindow, AMissingRequiredAttributeStopsTheLoadingThere)
{
    Write(RTU_File, QStringLiteral("<EtherNetIP_to_Modbus><Modbus_Read>"
                                   "<row Slave_ID=\"1\" Type=\"Coil Status\" Address=\"1\" NPoint=\"1\" PollTime=\"1\""
                                   " MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"one\"/>"
                                   "<row Enable=\"N\" Type=\"Coil Status\" Address=\"2\"/>"
                                   "<row Slave_ID=\"3\" Type=\"Coil Status\" Address=\"3\" NPoint=\"1\" PollTime=\"1\""
                                   " MaxError=\"0\" Position=\"0\" Bit=\"0\" Mnemonic=\"three\"/>"
                                   "</Modbus_Read><Modbus_Write><row Enable=\"N\"/></Modbus_Write>"
                                   "</EtherNetIP_to_Modbus>"));
    EXPECT_TRUE(Open_Fails().contains(QLatin1String("Slave_ID")));
    TExColumnGrid* rd = form->ACG_Modbus_Read;
    EXPECT_EQ(RtuWindow::Row(rd, 1), "Y|1|Coil Status|1|1|1|0|0|0|N|N||one");
    EXPECT_EQ(RtuWindow::Row(rd, 2), "N||||||||||||");
    EXPECT_EQ(RtuWindow::Row(rd, 3), "Y||||||||||||");
    EXPECT_EQ(RtuWindow::Row(form->ACG_Modbus_Write, 1), "Y|||||||||||||");

    // A file that is no XML leaves the tables blank, reported.
    Write(RTU_File, QStringLiteral("<EtherNetIP_to_Modbus><Modbus_Read>"));
    EXPECT_FALSE(Open_Fails().isEmpty());
    EXPECT_EQ(RtuWindow::Row(rd, 1), "Y||||||||||||");
}

TEST_F(TcpWindow, CancelWritesNothing)
{
    Copy_Fixture(Modbus, TCP_File);
    Open();
    const QByteArray before = Read_Bytes(ModbusTCPM_SetAccess_File);
    form->ACG_Modbus_Read->SetCellEx(tReadMnemonic, 1, QStringLiteral("changed"));
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_EQ(Read_Bytes(ModbusTCPM_SetAccess_File), before);

    QFile::remove(ModbusTCPM_SetAccess_File);
    Open();
    Set_Row(form->ACG_Modbus_Read, 1, Good_Read);
    TestInput::Click(form->Btn_Cancel);
    EXPECT_FALSE(QFile::exists(ModbusTCPM_SetAccess_File));
}

TEST_F(TcpWindow, AFailedSaveKeepsTheWindowOpenWithTheRequests)
{
    Open();
    Set_Row(form->ACG_Modbus_Read, 1, Good_Read);
    ModbusTCPM_SetAccess_File = dir.filePath(QStringLiteral("missing/") + TCP_File);
    EXPECT_FALSE(OK_Fails().isEmpty());
    EXPECT_FALSE(QFile::exists(ModbusTCPM_SetAccess_File));
    EXPECT_EQ(TcpWindow::Row(form->ACG_Modbus_Read, 1), Good_Read);
}

TEST_F(TcpWindow, RowButtonsWorkOnTheActiveTabsTable)
{
    Copy_Fixture(Modbus, TCP_File);
    Open();
    TExColumnGrid* rd = form->ACG_Modbus_Read;
    TExColumnGrid* wr = form->ACG_Modbus_Write;

    // Copy in the read table; the write table refuses it.
    Select(rd, 1);
    TestInput::Click(form->Btn_CopyRow);
    EXPECT_TRUE(form->Do_Copy_In_Read());
    EXPECT_FALSE(form->Do_Copy_In_Write());
    form->PageControl1->SetActivePage(form->TS_Modbus_Write);
    Select(wr, 2);
    EXPECT_EQ(Paste_Refused(), Lang(1102));
    EXPECT_EQ(TcpWindow::Row(wr, 2), "Y|||||||||||||||");

    // Pasted into a blank read row without a question; the hidden Topic travels.
    form->PageControl1->SetActivePage(form->TS_Modbus_Read);
    Select(rd, 7);
    DialogSeam::Clear();
    TestInput::Click(form->Btn_PasteRow);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(TcpWindow::Row(rd, 7), TcpWindow::Row(rd, 1));

    // Delete asks with the grid row; No keeps, Yes moves the rows up.
    Select(rd, 2);
    EXPECT_EQ(Delete(IDNO), Lang(3161) + "2");
    EXPECT_EQ(rd->GetCellEx(tReadMnemonic, 2), " parked ");
    EXPECT_EQ(Delete(IDYES), Lang(3161) + "2");
    EXPECT_EQ(rd->GetCellEx(tReadMnemonic, 2), "alarms");
    EXPECT_EQ(rd->GetCellEx(0, 2), "2");

    // Insert on the last row empties it with Enable ticked.
    Select(rd, 512);
    rd->SetCellEx(tIP, 512, QStringLiteral("1.1.1.1"));
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(TcpWindow::Row(rd, 512), "Y||||||||||||||");
    Select(rd, 1);
    TestInput::Click(form->Btn_InsRow);
    EXPECT_EQ(rd->GetCellEx(tReadMnemonic, 2), "Boiler & pumps");

    // A new show forgets the copy.
    Open();
    EXPECT_FALSE(form->Do_Copy_In_Read());
    Select(rd, 9);
    EXPECT_EQ(Paste_Refused(), Lang(1102));
}

TEST_F(RtuWindow, GridHandlersFollowEachTablesSettings)
{
    Open();
    TExColumnGrid* rd = form->ACG_Modbus_Read;
    TExColumnGrid* wr = form->ACG_Modbus_Write;
    // Read header hints by the real column: past the hidden Topic the
    // displayed column 12 is the Mnemonic.
    EXPECT_EQ(Header_Hint(rd, 0, 1), Lang(3043));
    EXPECT_EQ(Header_Hint(rd, 0, 11), Lang(3092));
    EXPECT_EQ(Header_Hint(rd, 0, 12), Lang(3054));
    EXPECT_EQ(Header_Hint(rd, 3, 2), "own");
    EXPECT_EQ(Header_Hint(wr, 0, 2), "own");
    EXPECT_EQ(form->Hint_List(rd)->Count(), 13);
    EXPECT_EQ(form->Hint_List(wr)->Count(), 14);

    form->ClickCell(wr, 6, 0);
    EXPECT_EQ(wr->Selection().Top, 6);
    EXPECT_EQ(wr->Selection().Bottom, 6);

    Enable_Jump_Field_Tables = true;
    QChar key = QChar(13);
    rd->SetRowEx(3);
    rd->SetCol(2);
    form->KeyPress(rd, key);
    EXPECT_EQ(key, QChar(0));
    EXPECT_EQ(rd->GetCol(), 3);
}

TEST_F(TcpWindow, TheReadTableKeepsTheGridsOwnEnterAndShowsNoHints)
{
    Open();
    Enable_Jump_Field_Tables = true;
    TExColumnGrid* rd = form->ACG_Modbus_Read;
    QChar key = QChar(13);
    rd->SetRowEx(3);
    rd->SetCol(2);
    form->KeyPress(rd, key);
    EXPECT_EQ(key, QChar(13));
    EXPECT_EQ(rd->GetCol(), 2);
    key = QChar(13);
    form->KeyPress(form->ACG_Modbus_Write, key);
    EXPECT_EQ(key, QChar(0));
    EXPECT_EQ(Header_Hint(rd, 0, 1), "own");
    EXPECT_FALSE(rd->ShowHint());
}

TEST_F(TcpWindow, TextsComeFromTheLanguageList)
{
    Language_Texts->Put(3100, QStringLiteral("Accesso Modbus TCP"));
    Language_Texts->Put(3110, QStringLiteral("Indirizzo IP"));
    Language_Texts->Put(3165, QStringLiteral("Cancella la riga"));
    form->Set_Lang();
    EXPECT_EQ(form->Caption(), "Accesso Modbus TCP");
    EXPECT_EQ(form->ACG_Modbus_Read->Columns()->Items(tIP)->Header(), "Indirizzo IP");
    EXPECT_EQ(form->Btn_DelRow->Hint(), "Cancella la riga");
    EXPECT_EQ(form->Btn_DelRow->Caption(), Lang(3104));
    // Copy Row and Paste Row keep their built-in captions.
    EXPECT_EQ(form->Btn_CopyRow->Caption(), "Copy Row");
    EXPECT_EQ(form->Btn_PasteRow->Caption(), "Paste Row");
    EXPECT_EQ(form->TS_Modbus_Write->Caption(), Lang(3107));
    EXPECT_EQ(form->ACG_Modbus_Read->Columns()->Items(tTopic)->Header(), Lang(3162));
    EXPECT_EQ(form->L_SW_Code->Caption(), "SW59D16");
}

} // namespace
