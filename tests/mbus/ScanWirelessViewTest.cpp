// The scan window's wireless view worked as a user works it: a wireless
// scan through the simulated converter's Telit module, the table filled as
// telegrams arrive, the records of a clicked meter, a key typed for an
// encrypted meter, and the ticked meters and records saved.
#include "ScanWindowFixture.h"

#include <QTimer>

#include "ScanTelegrams.h"
#include "controls/FxButton.h"
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UMBusScanDecode.h"
#include "mbus/UScanDecode.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/Lists.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "platform/Timer.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "treeview/NodeTrees.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

QString Lang(Integer n) { return Language_Texts->Strings(n); }

const TKey Key_A = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

class ScanWindowWireless : public ScanWindowTest {
protected:
    void Open_Wireless()
    {
        form->Form_Type = 1;
        Open();
        form->CB_ScanMethod->SetItemIndex(1);
        form->CB_HardwareTypeChange(form->CB_ScanMethod);
    }
    // Starts listening; the converter then forwards three meters: a plain
    // one, one that encrypts, and one whose telegram holds only fillers.
    void Listen_To_Three_Meters()
    {
        Open_Wireless();
        TestInput::Click(form->Btn_StartScan);
        ASSERT_TRUE(Pump_Until([this] { return form->TR_ScanDecode->Step() == 134; }));
        sim.Send_To_Engine(Wireless_Datagram(true, 0x44, 0x4024, 0x00000077, 1, 7, Hex("7A01000000") + Volume_Records(5)));
        sim.Send_To_Engine(
            Mode5_Datagram(0x4024, 0x11223344, 1, 7, 0x21, Block_Payload(Volume_Records(4321)), Key_A));
        sim.Send_To_Engine(Wireless_Datagram(true, 0x44, 0x4024, 0x00000055, 2, 3, Hex("7A020000002F2F")));
        ASSERT_TRUE(Pump_Until([this] { return Wireless_Rows(form) >= 4 && !Wireless_Cell(form, 0, 3).isEmpty(); }));
    }
    void Stop_And_End()
    {
        TestInput::Click(form->Btn_StopScan);
        Wait_Timer_End();
    }
    TSlave_wMBus* Meter(Integer i) { return static_cast<TSlave_wMBus*>(Wireless_Slave_List->Items(i)); }
    QString Text(PDataNode n) { return form->NST_Wireless->GetText(n, NoColumn); }
};

TEST_F(ScanWindowWireless, TheMethodChoiceLaysOutTheWirelessOptions)
{
    Open_Wireless();
    EXPECT_EQ(form->ClientHeight(), 571);
    EXPECT_TRUE(form->CB_ScanMethod->Visible());
    EXPECT_FALSE(form->CB_ScanBy->Visible());
    EXPECT_EQ(form->L_HardwareType->Top(), 43);
    EXPECT_EQ(form->L_IP->Top(), 67);
    EXPECT_TRUE(form->E_Port->Visible());
    EXPECT_EQ(form->L_Port->Top(), 91);
    EXPECT_EQ(form->L_wMBus_Mode->Top(), 155);
    EXPECT_EQ(form->CB_wMBus_Mode->Top(), 152);
    EXPECT_EQ(form->CB_Opt_Enable_Remote_Scan->Top(), 259);
    EXPECT_FALSE(form->CB_MBus_Baud->Visible());
    EXPECT_FALSE(form->CB_Opt_App_Reset->Visible());
    EXPECT_TRUE(form->E_Port->Enabled());
    Screenshot("TFScanDecode-wireless-setup");
    // The BACnet models' converter listens on 10001, which is not changed.
    form->XML_Code_Dev = 12;
    form->Move_Object_Type_Form();
    EXPECT_EQ(form->E_Port->Text(), "10001");
    EXPECT_FALSE(form->E_Port->Enabled());
    // The wired method: scan by first, then the hardware.
    form->CB_ScanMethod->SetItemIndex(0);
    form->Move_Object_Type_Form();
    EXPECT_EQ(form->L_ScanBy->Top(), 43);
    EXPECT_EQ(form->L_HardwareType->Top(), 75);
    EXPECT_FALSE(form->E_Port->Visible());
}

TEST_F(ScanWindowWireless, TelegramsFillTheTableAndAClickShowsTheMetersRecords)
{
    Listen_To_Three_Meters();
    EXPECT_TRUE(form->P_View_Wireless->Visible());
    EXPECT_TRUE(form->Btn_StopScan->Visible());
    ASSERT_EQ(Wireless_Rows(form), 4);
    EXPECT_EQ(Wireless_Cell(form, 0, 1), "1");
    EXPECT_EQ(Wireless_Cell(form, 2, 1), "0x44");
    EXPECT_EQ(Wireless_Cell(form, 4, 1), "00000077");
    EXPECT_EQ(Wireless_Cell(form, 8, 2), "11223344");
    EXPECT_EQ(Wireless_Cell(form, 9, 3), "2 (02)");
    EXPECT_EQ(Wireless_Cell(form, 11, 1), QString::number(Meter(0)->RSSI));
    // Plain meters green with the open lock, encrypted ones red with the shut one.
    EXPECT_EQ(Wireless_Color(form, 1, 1), TColor(0xA8FFA8));
    EXPECT_EQ(Wireless_Color(form, 12, 2), TColor(0xB9BBFF));
    EXPECT_EQ(Wireless_Image(form, 12, 1), 1);
    EXPECT_EQ(Wireless_Image(form, 12, 2), 0);

    // The encrypted meter's line says so.
    form->ESG_WirelessClickCell(nullptr, 2, 3);
    TNodeStringTree* t = form->NST_Wireless;
    ASSERT_EQ(t->RootNodeCount(), 1u);
    EXPECT_TRUE(Text(t->GetFirst()).endsWith(" - CRIPTED!!"));
    // The filler-only meter: each filler a record with its 12 details.
    form->ESG_WirelessClickCell(nullptr, 3, 3);
    PDataNode root = t->GetFirst();
    EXPECT_EQ(Text(root), "Manufacturer = " + Meter(2)->ALA_Manu_str + " - Address = 00000055 - Version = 2 - "
                          "Device Type = 3 - ");
    ASSERT_GE(t->ChildCount(root), 1u);
    EXPECT_EQ(Text(t->GetFirstChild(root)), "Idle Filler");
    EXPECT_EQ(t->ChildCount(t->GetFirstChild(root)), 12u);
    // The plain meter: its volume record, ticked.
    form->ESG_WirelessClickCell(nullptr, 1, 3);
    root = t->GetFirst();
    PDataNode record = t->GetFirstChild(root);
    EXPECT_TRUE(Text(record).startsWith("Value = "));
    EXPECT_EQ(record->CheckState, csCheckedNormal);
    t->FullExpand();
    Screenshot("TFScanDecode-wireless-listening");
    // Clicks on the header or below the last meter change nothing.
    form->ESG_WirelessClickCell(nullptr, 0, 3);
    form->ESG_WirelessClickCell(nullptr, 4, 3);
    EXPECT_EQ(t->GetFirst(), root);

    // Unticking the record is what the save writes.
    t->SetCheckState(record, csUncheckedNormal);
    EXPECT_FALSE(Meter(0)->List_Var[0]->Enable);
    Stop_And_End();
    EXPECT_TRUE(form->Btn_NewScan->Visible());
    EXPECT_TRUE(form->Btn_SaveConfManual->Visible());
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(form->Btn_SaveConf);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Text, Lang(2130));
    EXPECT_EQ(Values("Nodo", "wMBus_Add"), QStringList({"119", "287454020", "85"}));
    EXPECT_EQ(Values("Variabile", "Enable").first(), "0");
    Screenshot("TFScanDecode-wireless-results");
}

TEST_F(ScanWindowWireless, ADoubleClickOnAnEncryptedMeterTakesItsKey)
{
    Listen_To_Three_Meters();
    // A plain meter takes no key.
    form->ESG_WirelessDblClickCell(nullptr, 1, 2);
    EXPECT_FALSE(FInsertKeyWireless->Visible());

    // Cancel gives nothing.
    const size_t before = sim.Received().size();
    QTimer::singleShot(0, [] { TestInput::Click(FInsertKeyWireless->Btn_Cancel); });
    form->ESG_WirelessDblClickCell(nullptr, 2, 2);
    EXPECT_EQ(sim.Received().size(), before);

    QTimer::singleShot(0, [] {
        FInsertKeyWireless->E_Key->SetText(QStringLiteral("00112233445566778899aabbccddeeff"));
        TestInput::Click(FInsertKeyWireless->Btn_OK);
    });
    form->ESG_WirelessDblClickCell(nullptr, 2, 2);
    ASSERT_TRUE(sim.Wait_Until([](const std::vector<QByteArray>& log) {
        return std::find(log.begin(), log.end(), QByteArray("ATS485=255\r")) != log.end();
    }));
    const std::vector<QByteArray> log = sim.Received();
    EXPECT_NE(std::find(log.begin(), log.end(), QByteArray("ATS471=17\r")), log.end());
    ASSERT_TRUE(Pump_Until([this] { return Meter(1)->Enable_Key; }));
    EXPECT_EQ(Meter(1)->Key, Key_A);
    Stop_And_End();
}

TEST_F(ScanWindowWireless, TheKeyDialogStaysInsideTheWindow)
{
    Open();
    const Integer w = FInsertKeyWireless->Width();
    const Integer h = FInsertKeyWireless->Height();
    // Room enough: at the pointer.
    EXPECT_EQ(form->Key_Dialog_Place(TPoint(500, 400), TPoint(10, 20)), TPoint(500, 400));
    // Near the right and bottom edges: moved left and up by what sticks out.
    const TPoint q(form->ClientWidth() - 100, form->ClientHeight() - 10);
    EXPECT_EQ(form->Key_Dialog_Place(TPoint(900, 700), q), TPoint(900 - (w - 100), 700 - (h - 10)));
}

TEST_F(ScanWindowWireless, ABadPortStartsNoScanAndKeepsTheMeters)
{
    Listen_To_Three_Meters();
    Stop_And_End();
    TestInput::Click(form->Btn_NewScan);
    for (const char* port : {"65536", "-1", "abc", ""}) {
        form->E_Port->SetText(QString::fromLatin1(port));
        DialogSeam::Clear();
        DialogSeam::QueueAnswer(IDOK);
        TestInput::Click(form->Btn_StartScan);
        ASSERT_EQ(DialogSeam::Shown().size(), 1u) << port;
        EXPECT_EQ(DialogSeam::Shown()[0].Text, Lang(2138));
        EXPECT_FALSE(form->TR_ScanDecode->InScan());
        EXPECT_EQ(Wireless_Rows(form), 4);
        EXPECT_EQ(Wireless_Slave_List->Count(), 3);
    }
    // A start clears the meters, the table and the tree first.
    form->E_Port->SetText(QString::number(sim.Port()));
    TestInput::Click(form->Btn_StartScan);
    EXPECT_EQ(Wireless_Rows(form), 2);
    EXPECT_EQ(Wireless_Cell(form, 0, 1), "");
    EXPECT_EQ(Wireless_Color(form, 3, 1), TColor(0xFFFFFF));
    EXPECT_EQ(form->NST_Wireless->RootNodeCount(), 0u);
    ASSERT_TRUE(Pump_Until([this] { return form->TR_ScanDecode->Step() == 134; }));
    Stop_And_End();
}

TEST_F(ScanWindowWireless, TheUsersTicksOutliveTheMetersNextTelegrams)
{
    Open_Wireless();
    TestInput::Click(form->Btn_StartScan);
    ASSERT_TRUE(Pump_Until([this] { return form->TR_ScanDecode->Step() == 134; }));
    // A meter with two volume records.
    auto telegram = [](LongWord a, LongWord b) {
        return Wireless_Datagram(true, 0x44, 0x4024, 0x00000077, 1, 7, Hex("7A01000000") + Volume_Records(a)
                                                                            + Volume_Records(b));
    };
    sim.Send_To_Engine(telegram(5, 6));
    ASSERT_TRUE(Pump_Until([this] { return Wireless_Rows(form) >= 2 && !Wireless_Cell(form, 0, 1).isEmpty(); }));
    form->ESG_WirelessClickCell(nullptr, 1, 3);
    TNodeStringTree* t = form->NST_Wireless;
    PDataNode second = t->GetFirstChild(t->GetFirst())->NextSibling;
    ASSERT_NE(second, nullptr);
    // The user unticks the second record; then the meter sends twice more.
    t->SetCheckState(second, csUncheckedNormal);
    sim.Send_To_Engine(telegram(7, 8));
    sim.Send_To_Engine(telegram(9, 10));
    ASSERT_TRUE(Pump_Until([this] {
        auto lock = form->TR_ScanDecode->Lock_Lists();
        return Meter(0)->List_Var.size() == 2 && Meter(0)->List_Var[1]->dato_A == 10;
    }));
    {
        auto lock = form->TR_ScanDecode->Lock_Lists();
        EXPECT_TRUE(Meter(0)->List_Var[0]->Enable);
        EXPECT_FALSE(Meter(0)->List_Var[1]->Enable);
    }
    // Ticking it again in the tree shown before still reaches the record.
    t->SetCheckState(second, csCheckedNormal);
    t->SetCheckState(second, csUncheckedNormal);
    Stop_And_End();
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(form->Btn_SaveConf);
    EXPECT_EQ(Values("Variabile", "Enable"), QStringList({"1", "0"}));
}

TEST_F(ScanWindowWireless, AScanWhosePortIsTakenSaysWhyAndStaysInTheSetUp)
{
    // The scan's own port is the one the converter (here on this machine)
    // already holds.
    form->TR_ScanDecode->Wireless_Local_Port = -1;
    Open_Wireless();
    Expect_Start_Refused(QString::number(sim.Port()));
}

TEST_F(ScanWindowWireless, ClosingWhileListeningTakesTheConverterOutOfConfigurationMode)
{
    Open_Wireless();
    TestInput::Click(form->Btn_StartScan);
    ASSERT_TRUE(Pump_Until([this] { return form->TR_ScanDecode->Step() == 134; }));
    form->Close();
    EXPECT_FALSE(form->TR_ScanDecode->InScan());
    const std::vector<QByteArray> log = sim.Received();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), QByteArray("Velmora_Disable_Configuration_Mode"));
    // Telegrams sent afterwards reach nobody.
    sim.Send_To_Engine(Wireless_Datagram(true, 0x44, 0x4024, 0x00000077, 1, 7, Hex("7A01000000") + Volume_Records(5)));
    EXPECT_FALSE(Pump_Until([] { return Wireless_Slave_List->Count() > 0; }, 300));
}

} // namespace
