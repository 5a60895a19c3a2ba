#include "ScanWindowFixture.h"

#include <QElapsedTimer>
#include <QFile>

#include <chrono>
#include <thread>

#include "Screenshot.h"
#include "ScanFixture.h"
#include "controls/FxButton.h"
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UMBusScanDecode.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanDecode.h"
#include "mbus/UScanModbusStart.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/Timer.h"
#include "platform/TestHooks.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

void ScanWindowTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    Load_Default_Texts();
    SW_Code = Const_SW_Code;
    Make_Slave_Lists();
    Project_Folder = dir.path();
    Set_Files();
    FInsertKeyWireless = new TFInsertKeyWireless(nullptr);
    FInsertKeyWireless->AfterConstruction();
    FModbusStartAdd_SD = new TFModbusStartAdd_SD(nullptr);
    FModbusStartAdd_SD->AfterConstruction();
    FScanDecode = form = new TFScanDecode(nullptr);
    form->AfterConstruction();
    FScanModbusStart = new TFScanModbusStart(nullptr);
    FScanModbusStart->AfterConstruction();

    TMBusScanDecode* e = form->TR_ScanDecode.get();
    e->Timing.Step_Interval = 1;
    e->Timing.Idle_Interval = 1;
    e->Timing.Pause_Primary = 0;
    e->Timing.Pause_Secondary = 0;
    e->Timing.TimeOut_Margin = 0;
    e->Timing.TimeOut_Base = 300;
    e->Timing.Text_TimeOut = 300;
    e->Timing.Radio_TimeOut = 300;
    e->Timing.Radio_Config_TimeOut = 5;
    e->Timing.Radio_Slot_TimeOut = 5;
    e->Converter_Port = sim.Port();
    e->Wireless_Local_Port = 0; // the simulated converter holds the scan's port
    sim.No_Slave_For_Absent = true;
    form->XML_Code_Dev = 0;
    form->FileName_MBus = M_Bus_File;
}

void ScanWindowTest::TearDown()
{
    // The window goes first: its engine's thread ends with it.
    delete form;
    delete FScanModbusStart;
    delete FModbusStartAdd_SD;
    delete FInsertKeyWireless;
    Free_Slave_Lists();
    Project_Folder.clear();
    EXPECT_EQ(DialogSeam::PendingAnswers(), 0);
}

void ScanWindowTest::Open()
{
    form->Hide();
    form->SetModalResult(mrNone);
    form->Show();
    // Scans go to loopback only.
    TEdit* ip[] = {form->E_IP1, form->E_IP2, form->E_IP3, form->E_IP4};
    const char* parts[] = {"127", "0", "0", "1"};
    for (int i = 0; i < 4; ++i)
        ip[i]->SetText(QString::fromLatin1(parts[i]));
    form->E_Port->SetText(QString::number(sim.Port()));
}

bool ScanWindowTest::Pump_Until(const std::function<bool()>& Done, int Milliseconds)
{
    QElapsedTimer t;
    t.start();
    while (!Done()) {
        if (t.elapsed() >= Milliseconds)
            return false;
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    Application->ProcessMessages();
    return true;
}

void ScanWindowTest::Scan_To_End(TFxButton* Start)
{
    TestInput::Click(Start);
    Wait_Timer_End();
}

void ScanWindowTest::Expect_Start_Refused(const QString& Reason)
{
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(form->Btn_StartScan);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_TRUE(DialogSeam::Shown()[0].Text.contains(Reason));
    EXPECT_FALSE(form->TR_ScanDecode->InScan());
    EXPECT_TRUE(form->Btn_StartScan->Visible());
    EXPECT_FALSE(form->P_TreeView->Visible());
    EXPECT_FALSE(form->P_View_Wireless->Visible());
    EXPECT_FALSE(form->T_InScan->Enabled());
    EXPECT_TRUE(sim.Received().empty());
}

void ScanWindowTest::Wait_Timer_End()
{
    ASSERT_TRUE(Pump_Until([this] { return !form->TR_ScanDecode->InScan() && !form->T_InScan->Enabled(); }));
}

void ScanWindowTest::Screenshot(const char* Name)
{
    Application->ProcessMessages();
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QString::fromLatin1(Name)).isEmpty());
}

void ScanWindowTest::Write(const QString& Path, const QByteArray& Text)
{
    QFile f(Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(Text);
}

QByteArray ScanWindowTest::Read(const QString& Path)
{
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList ScanWindowTest::Values(const char* Element, const char* Attribute)
{
    TXMLDocument xml;
    EXPECT_TRUE(xml.LoadFromFile(M_Bus_File));
    QStringList out;
    std::function<void(TXMLNode)> walk = [&](TXMLNode n) {
        for (Integer i = 0; i < n.ChildCount(); ++i) {
            TXMLNode c = n.Child(i);
            if (c.NodeName() == QLatin1String(Element))
                out << c.Attribute(QLatin1String(Attribute));
            walk(c);
        }
    };
    walk(xml.Root());
    return out;
}
