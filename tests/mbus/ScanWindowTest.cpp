// The scan window worked as a user works it: a wired scan through the
// simulated converter, its progress list and tree, the ticks, and the saves
// into M_Bus.xml with their questions and start-position dialogs.
#include "ScanWindowFixture.h"

#include "ScanTelegrams.h"
#include "Screenshot.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <algorithm>

#include "controls/FxButton.h"
#include "mbus/ScanDecodeControls.h"
#include "mbus/UMBusScanDecode.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanDecode.h"
#include "mbus/UScanModbusStart.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/FileSystem.h"
#include "platform/Lists.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/Menus.h"
#include "platform/TestHooks.h"
#include "platform/Timer.h"
#include "platform/UdpSocket.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "treeview/NodeTrees.h"

namespace {

QByteArray Hex(const char* text) { return QByteArray::fromHex(text); }

const QString Data_Dir = QStringLiteral(TEST_DATA_DIR "/mbus/scanwin/");

QString Lang(Integer n) { return Language_Texts->Strings(n); }

// The datagrams the simulated converter heard from Index on.
std::vector<QByteArray> Heard_From(const TSimConverter& Sim, size_t Index)
{
    const std::vector<QByteArray> log = Sim.Received();
    return Index < log.size() ? std::vector<QByteArray>(log.begin() + qsizetype(Index), log.end())
                              : std::vector<QByteArray>();
}

const QByteArray Enable_Analyzer("Velmora_Enable_Analyzer_Mode");
const QByteArray Disable_Analyzer("Velmora_Disable_Analyzer_Mode");
const QByteArray Broadcast_SND_NKE = QByteArray::fromHex("1040FF3F16");

const QByteArray Line_SetUp("Velmora_S_M:\x00\x00\x09\x60,\x02", 18);

class ScanWindowWired : public ScanWindowTest {
protected:
    // Presses Start and waits until the converter has heard Frame.
    void Start_Until_Heard(const QByteArray& Frame)
    {
        TestInput::Click(form->Btn_StartScan);
        ASSERT_TRUE(sim.Wait_Until([&Frame](const std::vector<QByteArray>& log) {
            return std::find(log.begin(), log.end(), Frame) != log.end();
        }));
    }
    // Closes the window: the scan has ended when it is gone, within the bound.
    void Close_Ended()
    {
        QElapsedTimer t;
        t.start();
        form->Close();
        EXPECT_FALSE(form->TR_ScanDecode->InScan());
        EXPECT_LT(t.elapsed(), form->TR_ScanDecode->End_Scan_Limit());
    }
    // Two meters: address 1 with a volume and a BCD temperature, address 3
    // with one power record.
    void Two_Meters()
    {
        sim.Meters.push_back({1, QStringLiteral("12345678"),
                              {Rsp_Ud(1, QStringLiteral("12345678"), Hex("04132A000000" "0A5A4502"))}});
        sim.Meters.push_back({3, QStringLiteral("00000042"),
                              {Rsp_Ud(3, QStringLiteral("00000042"), Hex("022B0500"), 0x1593, 2, 4)}});
    }
    void Scan()
    {
        Open();
        Scan_To_End(form->Btn_StartScan);
        ASSERT_TRUE(form->P_TreeView->Visible());
    }
    PDataNode Meter_Node(Integer i)
    {
        return static_cast<PDataNode>(static_cast<TSlave_MBus*>(Wired_Slave_List->Items(i))->Node);
    }
    QString Text(PDataNode n) { return form->NST->GetText(n, NoColumn); }
    // Presses a save button with the boxes' answers queued; Dialog runs
    // inside the start-position dialog the save opens, when it does.
    void Save(TFxButton* button, std::initializer_list<Integer> answers, std::function<void()> Dialog = {})
    {
        DialogSeam::Clear();
        for (Integer a : answers)
            DialogSeam::QueueAnswer(a);
        bool ran = false;
        if (Dialog)
            QTimer::singleShot(0, [&] {
                ran = true;
                Dialog();
            });
        TestInput::Click(button);
        EXPECT_EQ(ran, bool(Dialog));
    }
    QStringList Boxes()
    {
        QStringList texts;
        for (const TShownDialog& d : DialogSeam::Shown())
            texts << d.Text;
        return texts;
    }
};

TEST_F(ScanWindowWired, OpensForSetUpWithTheWiredOptionsOnly)
{
    Open();
    EXPECT_EQ(form->Caption(), "Scan & Decode");
    EXPECT_EQ(form->ClientHeight(), 523);
    EXPECT_TRUE(form->P_Main->Visible());
    EXPECT_FALSE(form->P_TreeView->Visible());
    EXPECT_FALSE(form->CB_ScanMethod->Visible());
    EXPECT_FALSE(form->E_Port->Visible());
    EXPECT_FALSE(form->CB_wMBus_Mode->Visible());
    EXPECT_TRUE(form->CB_Opt_Use_Fix_C_Field_Value->Visible());
    EXPECT_EQ(form->CB_Opt_Enable_Remote_Scan->Top(), 323);
    EXPECT_EQ(form->CB_MBus_Baud->Text(), "2400");
    EXPECT_EQ(form->CB_MBus_Parity->Text(), "EVEN");
    EXPECT_FALSE(form->CB_HardwareType->Enabled());
    EXPECT_TRUE(form->Btn_StartScan->Visible());
    for (TFxButton* b : {form->Btn_StopScan, form->Btn_AbortScan, form->Btn_NewScan, form->Btn_SaveConf,
                         form->Btn_SaveConfManual})
        EXPECT_FALSE(b->Visible());
    Screenshot("TFScanDecode-setup");
}

TEST_F(ScanWindowWired, TheConverterAddressComesFromParGenByModelCode)
{
    struct Case {
        Integer Code;
        const char* Prefix;
    };
    for (const Case& c : {Case {0, "IP_"}, Case {6, "BACnet_IP"}, Case {15, "Modbus_TCP_Slave_IP"},
                          Case {11, "PROFINET_IP"}, Case {19, "Eth_IP"}, Case {18, "Ethernet_IP"}}) {
        // Only the first three parts are in the file: the fourth edit keeps its text.
        QByteArray xml = "<Par_Gen><Other>1</Other>";
        for (int i = 1; i <= 3; ++i)
            xml += "<" + QByteArray(c.Prefix) + QByteArray::number(i) + ">" + QByteArray::number(10 * i) + "</"
                   + QByteArray(c.Prefix) + QByteArray::number(i) + ">";
        Write(ParGen_File, xml + "</Par_Gen>");
        form->XML_Code_Dev = c.Code;
        form->E_IP4->SetText(QStringLiteral("77"));
        form->Hide();
        form->Show();
        EXPECT_EQ(form->E_IP1->Text() + "." + form->E_IP2->Text() + "." + form->E_IP3->Text() + "." +
                      form->E_IP4->Text(),
                  "10.20.30.77")
            << c.Code;
    }
}

TEST_F(ScanWindowWired, ADotTypedInAnAddressPartIsSwallowed)
{
    Open();
    form->E_IP4->SetText(QString());
    TestInput::TypeText(form->E_IP4, QStringLiteral("1.2"));
    EXPECT_EQ(form->E_IP4->Text(), "12");
    QChar key('.');
    form->KeyPress(form->E_IP1, key);
    EXPECT_EQ(key, QChar(0));
}

TEST_F(ScanWindowWired, APrimaryScanListsEveryAddressAndShowsTheMetersInTheTree)
{
    Two_Meters();
    Open();
    TestInput::Click(form->Btn_StartScan);
    EXPECT_TRUE(form->Btn_StopScan->Visible());
    EXPECT_TRUE(form->Btn_AbortScan->Visible());
    EXPECT_EQ(form->Btn_AbortScan->Left(), form->Btn_StopScan->Left() + 145 + 8);
    EXPECT_FALSE(form->Btn_StartScan->Visible());
    EXPECT_EQ(form->L_ScanProgress->Caption(), Lang(2118));
    // A second start while the scan runs is refused.
    if (form->TR_ScanDecode->InScan()) {
        DialogSeam::QueueAnswer(IDOK);
        form->StartScan();
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_EQ(DialogSeam::Shown()[0].Text, Lang(2126));
        EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    }
    ASSERT_TRUE(Pump_Until([this] { return form->LB_AvailableDevice->Count() >= 40; }));
    Screenshot("TFScanDecode-wired-scanning");
    Wait_Timer_End();

    // One line per address 0..250, the last on top.
    TScanDeviceList* list = form->LB_AvailableDevice;
    ASSERT_EQ(list->Count(), 251);
    EXPECT_EQ(list->Line(0), "ID = 0\t[NOT FOUND]");
    EXPECT_EQ(list->Line(1), "ID = 1\t");
    EXPECT_EQ(list->Line(3), "ID = 3\t");
    EXPECT_EQ(list->TopIndex(), 250);

    // Results: the tree with the meters, their records and 12 details each.
    EXPECT_EQ(form->L_ScanProgress->Caption(), Lang(2119));
    EXPECT_EQ(form->L_Num_Slave->Caption(), "2");
    EXPECT_FALSE(form->LB_AvailableDevice->Visible());
    EXPECT_TRUE(form->Btn_NewScan->Visible());
    EXPECT_EQ(form->Btn_SaveConf->Left(), form->Btn_StopScan->Left() + 145 + 8);
    EXPECT_TRUE(form->Btn_SaveConfManual->Visible());
    TNodeStringTree* t = form->NST;
    ASSERT_EQ(t->RootNodeCount(), 2u);
    PDataNode m1 = Meter_Node(0);
    EXPECT_EQ(Text(m1), "Primary Address = 1 - Secondary Address = 12345678 - Manufacturer = PAD(16420) - "
                        "Version = 1 - Type = 7");
    EXPECT_EQ(m1->CheckState, csCheckedNormal);
    ASSERT_EQ(t->ChildCount(m1), 2u);
    PDataNode volume = t->GetFirstChild(m1);
    EXPECT_EQ(Text(volume).left(8), "Value = ");
    EXPECT_TRUE(Text(volume).endsWith(" (U0S0T0)"));
    ASSERT_EQ(t->ChildCount(volume), 12u);
    QStringList details;
    for (PDataNode d = t->GetFirstChild(volume); d; d = t->GetNextSibling(d))
        details << Text(d).section(QStringLiteral(" = "), 0, 0);
    EXPECT_EQ(details, QStringList({"Storage Number", "Tariff", "Unit", "Data Field", "Function Field", "Type", "Value",
                                    "DIF", "VIF", "DIFE", "VIFE", "DATA"}));
    EXPECT_EQ(Text(t->GetFirstChild(volume)->NextSibling->NextSibling->NextSibling->NextSibling->NextSibling->NextSibling
                       ->NextSibling->NextSibling),
              "VIF = $13");
    EXPECT_EQ(t->ChildCount(Meter_Node(1)), 1u);
    t->FullExpand();
    Screenshot("TFScanDecode-wired-results");

    // New Scan frees the meters and empties the tree.
    TestInput::Click(form->Btn_NewScan);
    EXPECT_EQ(Wired_Slave_List->Count(), 0);
    EXPECT_EQ(t->RootNodeCount(), 0u);
    EXPECT_TRUE(form->Btn_StartScan->Visible());
}

TEST_F(ScanWindowWired, RealMetersShowWhatTheyMeasure)
{
    // Each meter at the primary address its frame carries.
    for (const char* name : {"ELS_Elster-F96-Plus", "manual_frame2", "ELV-Elvaco-CMa10", "REL-Relay-Padpuls2"}) {
        const QByteArray frame = Meter_Frame(QString::fromLatin1(name));
        ASSERT_GT(frame.size(), 21) << name;
        sim.Meters.push_back({Byte(frame[5]), QString(), {frame}});
    }
    // One telegram each, also from the meter that announces more.
    Open();
    form->E_Opt_Cut_After->SetText(QStringLiteral("1"));
    Scan_To_End(form->Btn_StartScan);
    ASSERT_EQ(form->NST->RootNodeCount(), 4u);
    EXPECT_EQ(form->NST->ChildCount(Meter_Node(2)), 12u);
    auto record = [&](Integer meter, int i) {
        PDataNode r = form->NST->GetFirstChild(Meter_Node(meter));
        while (r && i-- > 0)
            r = r->NextSibling;
        return r ? Text(r) : QString();
    };
    // The answer with the fixed structure: its number, medium and counters.
    EXPECT_EQ(Text(Meter_Node(1)), "Primary Address = 5 - Secondary Address = 12345678 - Manufacturer = (0) - "
                                   "Version = 0 - Type = 7");
    EXPECT_EQ(record(1, 0), "Value = 0.001 - Type = Volume m3 (U0S0T0)");
    EXPECT_EQ(record(1, 1), "Value = 0.135 - Type = Volume m3 (U0S1T0)");
    EXPECT_EQ(record(0, 4), "Value = Not a Number (DDDDEBBD) - Type = Power W (U0S0T0)");
    EXPECT_EQ(record(2, 1),
              "Value = 54.1 - Type = Vif in following String - Moltiplicative Correction Factor: 10^(-2) (U0S0T0)");
    EXPECT_EQ(record(3, 1), "Value = Invalid Time - Type = Time Point Date and Time (Type F) (U0S0T0)");
    form->NST->SetExpanded(Meter_Node(0), true);
    Screenshot("TFScanDecode-wired-real-meters");
    form->NST->SetExpanded(Meter_Node(0), false);
    for (Integer i = 1; i < 4; ++i)
        form->NST->SetExpanded(Meter_Node(i), true);
    form->NST->SetTopNode(form->NST->GetFirstChild(Meter_Node(2))->NextSibling);
    Screenshot("TFScanDecode-wired-real-meters-fixed-text-time");
}

TEST_F(ScanWindowWired, ASecondaryScansProgressNamesEachIdentificationNumber)
{
    Open();
    // As the engine's thread reports: start, two numbers tried, end.
    form->Update_Device_List(1, 0, 0, 2);
    form->Update_Device_List(2, 0x00012345, 0, 2);
    form->Update_Device_List(2, Integer(0xFFFFFFFF), 1, 2);
    form->Update_Device_List(3, 0, 0, 2);
    // The primary search reports nothing at its start and end.
    form->Update_Device_List(1, 0, 0, 1);
    form->Update_Device_List(3, 0, 0, 1);
    EXPECT_EQ(form->LB_AvailableDevice->Count(), 0); // delivered by the message loop
    Application->ProcessMessages();
    TScanDeviceList* list = form->LB_AvailableDevice;
    ASSERT_EQ(list->Count(), 4);
    EXPECT_EQ(list->Line(0), Lang(2127));
    EXPECT_EQ(list->Line(1), "ID = 00012345");
    EXPECT_EQ(list->Line(2), "ID = FFFFFFFF");
    EXPECT_EQ(list->Line(3), Lang(2128));
    EXPECT_EQ(list->TopIndex(), 3);
}

TEST_F(ScanWindowWired, AScanThatFindsNothingShowsNoMeters)
{
    Scan();
    EXPECT_EQ(form->L_Num_Slave->Caption(), "0");
    EXPECT_EQ(form->NST->RootNodeCount(), 0u);
    // Saving with no meter writes nothing and says nothing.
    Save(form->Btn_SaveConf, {});
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_FALSE(FileExists(M_Bus_File));
}

TEST_F(ScanWindowWired, AConverterThatDoesNotConfirmTheAnalyzerGivesAnErrorAndTheSetUp)
{
    sim.Ignore_Enable = true;
    Open();
    DialogSeam::QueueAnswer(IDOK);
    Scan_To_End(form->Btn_StartScan);
    EXPECT_EQ(Boxes(), QStringList {Lang(2129)});
    EXPECT_TRUE(form->Btn_StartScan->Visible());
    EXPECT_FALSE(form->P_TreeView->Visible());
}

TEST_F(ScanWindowWired, SaveConfWritesTheTickedMetersAndRecords)
{
    Two_Meters();
    Scan();
    // The user unticks the second record of the first meter and the second meter.
    form->NST->SetCheckState(form->NST->GetFirstChild(Meter_Node(0))->NextSibling, csUncheckedNormal);
    form->NST->SetCheckState(Meter_Node(1), csUncheckedNormal);
    form->CB_Opt_SND_NKE->SetChecked(true);
    form->E_Opt_Cut_After->SetText(QStringLiteral("x"));  // not a number: 3
    form->CB_MBus_Baud->SetItemIndex(5);
    Save(form->Btn_SaveConf, {IDOK});
    EXPECT_EQ(Boxes(), QStringList {Lang(2130)});
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(Read(M_Bus_File), Read(Data_Dir + "expected-M_Bus-wired.xml"));
    // The tree stays for another save.
    EXPECT_EQ(form->NST->RootNodeCount(), 2u);
}

TEST_F(ScanWindowWired, SavingOntoAnExistingFileAsksFirst)
{
    Two_Meters();
    Scan();
    const QByteArray old = "<M-Bus_Network><Nodo ID_Primary=\"9\"/></M-Bus_Network>";

    // Cancel writes nothing.
    Write(M_Bus_File, old);
    Save(form->Btn_SaveConf, {IDCANCEL});
    EXPECT_EQ(Boxes(), QStringList {Lang(2137)});
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(Read(M_Bus_File), old);

    // Yes with code 0 asks the start position; Cancel there writes nothing.
    Save(form->Btn_SaveConf, {IDYES}, [] { TestInput::Click(FScanModbusStart->Btn_Cancel); });
    EXPECT_EQ(Read(M_Bus_File), old);

    // Yes and a start position: the meters are added behind the old node.
    Save(form->Btn_SaveConf, {IDYES, IDOK}, [] {
        FScanModbusStart->E_StartModAdd->SetText(QStringLiteral("100"));
        TestInput::Click(FScanModbusStart->Btn_OK);
    });
    EXPECT_EQ(Values("Nodo", "ID_Primary"), QStringList({"9", "1", "3"}));
    EXPECT_EQ(Values("Variabile", "ModReg").first(), "100");

    // No overwrites without asking a start position.
    Save(form->Btn_SaveConf, {IDNO, IDOK});
    EXPECT_EQ(Boxes(), QStringList({Lang(2137), Lang(2130)}));
    EXPECT_EQ(Values("Nodo", "ID_Primary"), QStringList({"1", "3"}));
    EXPECT_EQ(Values("Variabile", "ModReg").first(), "1");

    // A model without start positions appends at once.
    form->XML_Code_Dev = 2;
    Save(form->Btn_SaveConf, {IDYES, IDOK});
    EXPECT_EQ(Values("Nodo", "ID_Primary").size(), 4);

    // A comment before the root: the meters still go under the root, and
    // the save is reported only because it happened.
    Write(M_Bus_File, "<!-- kept by hand -->\n" + old);
    Save(form->Btn_SaveConf, {IDYES, IDOK});
    EXPECT_EQ(Boxes(), QStringList({Lang(2137), Lang(2130)}));
    EXPECT_EQ(Values("Nodo", "ID_Primary"), QStringList({"9", "1", "3"}));
}

TEST_F(ScanWindowWired, SaveNodeAddConfAsksEachMetersStartPosition)
{
    Two_Meters();
    Scan();
    // After No as after Yes the per-meter dialog opens, filled with the meters.
    Write(M_Bus_File, "<M-Bus_Network/>");
    Save(form->Btn_SaveConfManual, {IDNO}, [] {
        EXPECT_EQ(Start_Rows(), 3);
        EXPECT_EQ(Start_Cell(0, 1), "1 - 12345678");
        EXPECT_EQ(Start_Cell(0, 2), "3 - 42");
        EXPECT_EQ(Start_Cell(1, 2), "1");
        TestInput::Click(FModbusStartAdd_SD->Btn_Cancel);
    });
    EXPECT_EQ(Read(M_Bus_File), "<M-Bus_Network/>");

    Save(form->Btn_SaveConfManual, {IDNO, IDOK}, [] {
        Set_Start_Cell(1, 1, QStringLiteral("10"));
        Set_Start_Cell(1, 2, QStringLiteral("50"));
        FModbusStartAdd_SD->CB_En_NodeState->SetChecked(true);
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(FModbusStartAdd_SD), "TFModbusStartAdd_SD-meters").isEmpty());
        TestInput::Click(FModbusStartAdd_SD->Btn_OK);
    });
    // Each meter starts at its own position; the node state takes one.
    EXPECT_EQ(Values("Nodo", "Node_State"), QStringList({"10", "50"}));
    EXPECT_EQ(Values("Variabile", "ModReg"), QStringList({"11", "13", "51"}));
    FModbusStartAdd_SD->CB_En_NodeState->SetChecked(false);
}

TEST_F(ScanWindowWired, ModelsWithoutPerMeterPositionsHideThatSave)
{
    Two_Meters();
    for (Integer code : {6, 11, 15, 20, 12}) {
        form->XML_Code_Dev = code;
        form->Form_Style(3);
        EXPECT_EQ(form->Btn_SaveConfManual->Visible(), code == 12) << code;
    }
    // Code 12 (this program's) saves without any start-position dialog.
    form->XML_Code_Dev = 12;
    Scan();
    Save(form->Btn_SaveConfManual, {IDOK});
    EXPECT_EQ(Values("Variabile", "BACnet_EngUnits"), QStringList({"95", "95", "95"}));
}

TEST_F(ScanWindowWired, ClosingMidScanTakesTheConverterOutOfAnalyzerModeFirst)
{
    Two_Meters();
    // A pause before each frame, longer than a glance at the engine.
    form->TR_ScanDecode->Timing.Pause_Primary = 300;
    Open();
    Start_Until_Heard(Broadcast_SND_NKE);
    // The scan has ended in order before the window went: the converter
    // left analyzer mode and the link is closed.
    Close_Ended();
    const std::vector<QByteArray> log = sim.Received();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), Disable_Analyzer);
    EXPECT_FALSE(form->T_InScan->Enabled());
    EXPECT_TRUE(DialogSeam::Shown().empty());

    // The next showing scans from the start again.
    const size_t before = sim.Received().size();
    form->TR_ScanDecode->Timing.Pause_Primary = 0;
    Open();
    TestInput::Click(form->Btn_StartScan);
    ASSERT_TRUE(sim.Wait_Until([before](const std::vector<QByteArray>& l) { return l.size() > before; }));
    EXPECT_EQ(Heard_From(sim, before).front(), Enable_Analyzer);
    Wait_Timer_End();
    EXPECT_EQ(form->L_Num_Slave->Caption(), "2");
}

TEST_F(ScanWindowWired, StartRightAfterACloseWithinAPauseBeginsWithAnalyzerMode)
{
    // Closed while the engine pauses before a frame and started again at
    // once: the new scan must not resume the old one's step.
    form->TR_ScanDecode->Timing.Pause_Primary = 400;
    Open();
    Start_Until_Heard(Line_SetUp);
    // Well into the pause before the first frame of the search.
    Pump_Until([] { return false; }, 150);
    form->Close();
    const size_t before = sim.Received().size();
    Open();
    TestInput::Click(form->Btn_StartScan);
    ASSERT_TRUE(sim.Wait_Until([before](const std::vector<QByteArray>& l) { return l.size() >= before + 3; }));
    const std::vector<QByteArray> again = Heard_From(sim, before);
    EXPECT_EQ(again[0], Enable_Analyzer);
    EXPECT_TRUE(again[1].startsWith("Velmora_S_M:"));
    EXPECT_EQ(again[2], Broadcast_SND_NKE);
    Close_Ended();
}

TEST_F(ScanWindowWired, ClosingEndsEvenWhenTheConverterNoLongerAnswers)
{
    Open();
    Start_Until_Heard(Broadcast_SND_NKE);
    sim.Set_Silent(true);
    Close_Ended();
    // Leaving analyzer mode was tried three times, then the scan ended.
    const std::vector<QByteArray> log = sim.Received();
    EXPECT_EQ(std::count(log.begin(), log.end(), Disable_Analyzer), 3);
}

TEST_F(ScanWindowWired, AScanWhoseSocketCannotBeOpenedSaysWhyAndStaysInTheSetUp)
{
    // The local port is taken by another socket.
    TUdpSocket holder;
    ASSERT_TRUE(holder.Open(0));
    form->TR_ScanDecode->Wired_Local_Port = holder.LocalPort();
    Open();
    Expect_Start_Refused(QString::number(holder.LocalPort()));
}

TEST_F(ScanWindowWired, AMistypedAddressGivesTheAnalyzerErrorWithItsReason)
{
    Open();
    form->E_IP4->SetText(QString());
    DialogSeam::QueueAnswer(IDOK);
    Scan_To_End(form->Btn_StartScan);
    EXPECT_EQ(Boxes(), QStringList {Lang(2129) + "\n" + form->TR_ScanDecode->LastError()});
    EXPECT_TRUE(Boxes().first().contains("127.0.0."));
    EXPECT_TRUE(form->Btn_StartScan->Visible());
    // A converter that merely does not confirm: the message alone.
    DialogSeam::Clear();
    sim.Ignore_Enable = true;
    form->E_IP4->SetText(QStringLiteral("1"));
    DialogSeam::QueueAnswer(IDOK);
    Scan_To_End(form->Btn_StartScan);
    EXPECT_EQ(Boxes(), QStringList {Lang(2129)});
}

TEST_F(ScanWindowWired, StopEndsACyclicScanSeries)
{
    Two_Meters();
    Open();
    // The series runs one scan after the other...
    form->Ciclic1->Click();
    EXPECT_TRUE(form->Cyclic_Scan);
    ASSERT_TRUE(Pump_Until([this] { return form->Error_Cyclic >= 1 && form->TR_ScanDecode->InScan(); }));
    EXPECT_EQ(form->Label1->Caption(), "2"); // two meters, not the 30 the series counts on
    // ...until Stop: once it has read both meters, the scan under way stops
    // and no next one begins.
    ASSERT_TRUE(Pump_Until([this] { return form->LB_AvailableDevice->Count() >= 5; }));
    TestInput::Click(form->Btn_StopScan);
    EXPECT_FALSE(form->Cyclic_Scan);
    Wait_Timer_End();
    // Well past the timer's next turn, no scan has begun.
    EXPECT_FALSE(Pump_Until([this] { return form->TR_ScanDecode->InScan(); }, 1500));
    EXPECT_FALSE(form->T_InScan->Enabled());
    EXPECT_TRUE(form->Btn_NewScan->Visible());
    EXPECT_EQ(form->L_Num_Slave->Caption(), "2");
    EXPECT_EQ(form->NST->RootNodeCount(), 2u);
    Screenshot("TFScanDecode-cyclic-stopped");

    // Closing the window ends a series as well.
    form->Ciclic1->Click();
    ASSERT_TRUE(Pump_Until([this] { return form->TR_ScanDecode->InScan(); }));
    form->Close();
    EXPECT_FALSE(form->Cyclic_Scan);
    EXPECT_FALSE(form->TR_ScanDecode->InScan());
    EXPECT_FALSE(form->T_InScan->Enabled());
}

} // namespace
