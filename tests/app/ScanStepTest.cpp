// The hidden M-Bus steps of the main window. M-Bus opens the network editor
// on the open configuration. Scan & Decode needs a configuration, asks
// before a scan can replace an existing M-Bus network, and opens the scan
// window for wired scanning; the scan window and its dialogs keep the texts
// of the program start.
#include "AppFixture.h"

#include "controls/FxButton.h"
#include "mbus/UInsertKeyWireless.h"
#include "mbus/UMeter_Bus.h"
#include "mbus/UModbusStartAdd_SD.h"
#include "mbus/UScanDecode.h"
#include "mbus/UScanModbusStart.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "shell/ULanguage.h"

#include <QDir>

namespace {

class ScanStepTest : public AppTest {
protected:
    TFxButton* Step() { return static_cast<TFxButton*>(main->FindComponent("Btn_ScanDecode")); }
    void Open_Site()
    {
        ASSERT_TRUE(QDir().mkpath(Exe_Folder + "/PROJECTS/Site1"));
        Project_Name = "Site1";
        Project_Folder = Exe_Folder + "/PROJECTS/Site1";
        Set_Files();
    }
};

TEST_F(ScanStepTest, TheMBusStepOpensTheNetworkEditor)
{
    auto* step = static_cast<TFxButton*>(main->FindComponent("Btn_MBus"));
    ASSERT_NE(step, nullptr);
    EXPECT_FALSE(step->Visible());
    // Without a configuration: text 18, and no editor.
    DialogSeam::QueueAnswer(IDOK);
    main->Btn_Click(step);
    EXPECT_EQ(Boxes(), QStringList {Language_Texts->Strings(18)});
    EXPECT_FALSE(FMeter_Bus->Showing());

    Open_Site();
    DialogSeam::Clear();
    bool shown = false;
    WhileModal([&] { main->Btn_Click(step); }, [&] {
        shown = FMeter_Bus->Showing();
        TestInput::Click(FMeter_Bus->Btn_Cancel);
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Boxes().isEmpty());
    EXPECT_FALSE(FMeter_Bus->Showing());
    EXPECT_FALSE(QFile::exists(M_Bus_File));
}

TEST_F(ScanStepTest, TheStepNeedsAConfiguration)
{
    ASSERT_NE(Step(), nullptr);
    EXPECT_FALSE(Step()->Visible());
    DialogSeam::QueueAnswer(IDOK);
    main->Btn_Click(Step());
    EXPECT_EQ(Boxes(), QStringList {Language_Texts->Strings(18)});
    EXPECT_FALSE(FScanDecode->Showing());
}

TEST_F(ScanStepTest, AnExistingNetworkIsOnlyReplacedAfterYes)
{
    Open_Site();
    Write(M_Bus_File, "<M-Bus_Network/>");
    DialogSeam::QueueAnswer(IDNO);
    main->Btn_Click(Step());
    EXPECT_EQ(Boxes(), QStringList {Language_Texts->Strings(35)});
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_YESNO | MB_ICONWARNING);
    EXPECT_FALSE(FScanDecode->Showing());

    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    bool shown = false;
    WhileModal([&] { main->Btn_Click(Step()); }, [&] {
        shown = FScanDecode->Showing();
        EXPECT_EQ(FScanDecode->XML_Code_Dev, 12);
        EXPECT_EQ(FScanDecode->FileName_MBus, M_Bus_File);
        EXPECT_EQ(FScanDecode->Form_Type, 0);
        EXPECT_TRUE(FScanDecode->Btn_StartScan->Visible());
        FScanDecode->Close();
    });
    EXPECT_TRUE(shown);
    EXPECT_FALSE(FScanDecode->Showing());
}

TEST_F(ScanStepTest, TheScanWindowsKeepTheTextsOfTheProgramStart)
{
    Language_Texts->Put(2100, "Scansione");
    Language_Texts->Put(2200, "Registro iniziale");
    Language_Texts->Put(2300, "Chiave");
    Language_Texts->Put(2400, "Indirizzi iniziali");
    main->Change_Language();
    EXPECT_EQ(FScanDecode->Caption(), "Scan & Decode");
    EXPECT_EQ(FScanModbusStart->Caption(), "Start Modbus Register");
    EXPECT_EQ(FInsertKeyWireless->L_InsKey->Caption(), "Insert Key (HEX)");
    EXPECT_EQ(FModbusStartAdd_SD->Caption(), "Modbus Start Address");
}

} // namespace
