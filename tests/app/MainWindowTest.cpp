// The main window as a user works it: start in an empty program folder,
// create and open configurations through step 1's dialogs, the steps that
// need a configuration, step 5's check, the version-check timer, and the
// settings written at close and read at the next start.
#include "AppFixture.h"
#include "bacnet/UBACnetAccess.h"
#include "bacnet/UBACnetSlaveSetAccess.h"
#include "bacnet/UBACnet_Eng_Unit.h"
#include "bacnet/UImportEDEFile.h"
#include "image/UBoot.h"
#include "parameters/UParGen.h"

#include "shell/UComon.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"

#include "Capabilities.h"
#include "Screenshot.h"
#include "controls/FxButton.h"
#include "grid/columns/ExColumnGrid.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "platform/Timer.h"
#include "platform/XmlDocument.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <memory>

namespace {

class MainWindowTest : public AppTest {
protected:
    QString Projects() const { return tmp.path() + "/PROJECTS"; }
};

TEST_F(MainWindowTest, FirstStartInAnEmptyFolderShowsThisModelsStepsAndWritesDefaultsAtClose)
{
    for (const char* folder : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(QDir(tmp.path() + "/" + folder).exists()) << folder;
    EXPECT_EQ(main->Caption(), "Velmora - Configurator SW59D16 BACnet Master / LoRaWAN ");
    EXPECT_EQ(main->L_SW_Code->Caption(), "SW59D16");
    EXPECT_EQ(main->L_SW_Desc->Caption(), "BACnet Master / LoRaWAN - Converter");
    EXPECT_EQ(main->L_Name_Conf->Caption(), "None Configuration Opened ");
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Use Step1 to open or create new configuration");
    EXPECT_EQ(Language_Name, "English");
    EXPECT_FALSE(main->Timer_Update->Enabled());
    EXPECT_TRUE(Read_Back);
    EXPECT_EQ(ParGen_File, "/ParGen.xml");
    EXPECT_EQ(main->ClientWidth(), 694);
    EXPECT_EQ(main->ClientHeight(), 440);

    // This model's steps in a column 44 pixels apart, labels 16 below each row's top.
    const struct { TFxButton* button; Integer left, top; const char* caption; } steps[] = {
        {main->Btn_New, 80, 112, "New Configuration"},
        {main->Btn_Open, 258, 112, "Open Configuration"},
        {main->Btn_Prm_Gen, 80, 156, "Set Communication"},
        {main->Btn_LoRaWAN_Access, 80, 200, "Set LoRaWAN Access"},
        {main->Btn_BACnet_SetAccess, 80, 244, "Set BACnet Access"},
        {main->Btn_CreateBin, 80, 288, "Update Device UDP"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.caption);
        EXPECT_TRUE(s.button->Visible());
        EXPECT_EQ(s.button->Left(), s.left);
        EXPECT_EQ(s.button->Top(), s.top);
        EXPECT_EQ(s.button->Caption(), s.caption);
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(main->L_Step[i]->Visible(), i < 5) << i;
        EXPECT_EQ(main->L_Step[i]->Top(), 128 + 44 * i);
    }
    EXPECT_EQ(main->L_Step[4]->Caption(), "Step 5");
    EXPECT_EQ(main->Other_Step_Buttons.size(), 27u);
    for (TFxButton* b : main->Other_Step_Buttons)
        EXPECT_FALSE(b->Visible()) << b->Name().toStdString();
    EXPECT_EQ(main->Shape1->Top(), 339);
    EXPECT_TRUE(main->L_Velmora->Visible());
    EXPECT_EQ(main->L_Velmora->Top(), 304);
    EXPECT_FALSE(main->LL_Update->Visible());

    main->Show();
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(main), "TFArvintoFirmWare-no-configuration").isEmpty());

    main->Close();
    EXPECT_EQ(Setting("lastproj", "projectname"), "");
    EXPECT_EQ(Setting("lastipadd", "ipaddress"), "192.168.2.205");
    EXPECT_EQ(Setting("lastlang", "language"), "English");
    for (const char* flag : {"enable_internet", "enable_update", "enable_jump_field_tables", "Double_Click_Auto_Size"})
        EXPECT_EQ(Setting("lastinternet", flag), "0") << flag;
}

TEST_F(MainWindowTest, StepsThatNeedAConfigurationAnswerProjectNotValid)
{
    TFxButton* needing[] = {main->Btn_Prm_Gen, main->Btn_LoRaWAN_Access, main->Btn_BACnet_SetAccess, main->Btn_CreateBin};
    for (TFxButton* b : needing) {
        DialogSeam::QueueAnswer(IDOK);
        TestInput::Click(b);
    }
    // The other models' steps answer the same.
    DialogSeam::QueueAnswer(IDOK);
    main->Btn_Click(main->Other_Step_Buttons.front());
    EXPECT_EQ(Boxes(), QStringList(5, "Error! Project not Valid"));
    for (const TShownDialog& d : DialogSeam::Shown())
        EXPECT_EQ(d.Flags & (MB_ICONMASK | MB_TYPEMASK), MB_ICONERROR | MB_OK);
    EXPECT_TRUE(Project_Folder.isEmpty());
    EXPECT_FALSE(QDir(Projects()).exists("bin"));
}

TEST_F(MainWindowTest, NewConfigurationIsCreatedOpenedAndReopenedAfterARestart)
{
    // A name that would leave PROJECTS is refused and the dialog stays open;
    // then Site1 is typed and confirmed with Enter.
    WhileModal([&] { TestInput::Click(main->Btn_New); }, [&] {
        TFNew_Project* dlg = FNew_Project;
        EXPECT_TRUE(dlg->Visible());
        EXPECT_EQ(dlg->Caption(), "Create New Configuration");
        dlg->E_New_Proj->SetText("../Escaped");
        DialogSeam::QueueAnswer(IDOK);
        TestInput::Click(dlg->Btn_OK);
        EXPECT_TRUE(dlg->Visible());
        EXPECT_EQ(dlg->E_New_Proj->Text(), "../Escaped");
        dlg->E_New_Proj->SetText("");
        TestInput::TypeText(dlg->E_New_Proj, "Site1");
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(dlg), "TFNew_Project-typed").isEmpty());
        TestInput::PressKey(dlg->E_New_Proj, VK_RETURN, {}, "\r");
    });
    EXPECT_EQ(Boxes(), QStringList{"Error! Name project is not valid"});
    EXPECT_FALSE(QDir(tmp.path() + "/Escaped").exists());
    EXPECT_TRUE(QDir(Projects() + "/Site1/bin").exists());
    EXPECT_EQ(Project_Name, "Site1");
    EXPECT_EQ(main->L_Name_Conf->Caption(), "Opened Configuration of the Converter : ");
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Site1");
    EXPECT_EQ(ParGen_File, Projects() + "/Site1/ParGen.xml");
    main->Show();
    EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(main), "TFArvintoFirmWare-configuration-open").isEmpty());

    // The same name again: the folder exists. Cancel then keeps Site1 open.
    DialogSeam::Clear();
    WhileModal([&] { main->Btn_Click(main->Btn_New); }, [&] {
        EXPECT_EQ(FNew_Project->E_New_Proj->Text(), "");  // cleared at every showing
        FNew_Project->E_New_Proj->SetText("Site1");
        DialogSeam::QueueAnswer(IDOK);
        TestInput::Click(FNew_Project->Btn_OK);
        DialogSeam::QueueAnswer(IDOK);
        FNew_Project->E_New_Proj->SetText("");
        TestInput::Click(FNew_Project->Btn_OK);
        TestInput::Click(FNew_Project->Btn_Cancel);
    });
    EXPECT_EQ(Boxes(), (QStringList{"Error! Name project is not valid because directory already exists",
                                    "Error! Name Project is not valid"}));
    EXPECT_EQ(Project_Name, "Site1");
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Site1");

    Restart();
    EXPECT_EQ(Setting("lastproj", "projectname"), "Site1");
    EXPECT_EQ(Project_Name, "Site1");
    EXPECT_EQ(Project_Folder, Projects() + "/Site1");
    EXPECT_EQ(main->L_Name_Conf->Caption(), "Opened Configuration of the Converter : ");
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Site1");
    EXPECT_EQ(LoRaWAN_SetAccess_File, Projects() + "/Site1/LoRaWAN_SetAccess.xml");

    // Its folder deleted, the next start opens nothing and forgets the name at close.
    ASSERT_TRUE(QDir(Projects() + "/Site1").removeRecursively());
    Restart();
    EXPECT_TRUE(Project_Folder.isEmpty());
    EXPECT_EQ(main->L_Name_Conf->Caption(), "None Configuration Opened ");
    main->Close();
    EXPECT_EQ(Setting("lastproj", "projectname"), "");
}

TEST_F(MainWindowTest, ASystemWideInstallKeepsItsConfigurationsAndSettingsInTheUsersDataFolder)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray savedHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    const QString user = home.path() + "/Arvinto";
    // The program's folder, with the languages the install brought, cannot
    // be written by the user who runs it.
    const QString install = tmp.path() + "/install";
    ASSERT_TRUE(QDir().mkpath(install + "/LANGUAGE"));
    Exe_Folder = install;
    ASSERT_TRUE(QFile::setPermissions(install, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    std::string why;
    ASSERT_TRUE(testsupport::WithoutCapabilities({CAP_DAC_OVERRIDE}, [&] {
        Start();
        WhileModal([&] { TestInput::Click(main->Btn_New); }, [&] {
            FNew_Project->E_New_Proj->SetText("Site1");
            TestInput::Click(FNew_Project->Btn_OK);
        });
        main->Close();
    }, why)) << why;
    ASSERT_TRUE(QFile::setPermissions(install, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));

    EXPECT_TRUE(Boxes().isEmpty()) << Boxes().join('\n').toStdString();
    EXPECT_EQ(Project_Folder, user + "/PROJECTS/Site1");
    EXPECT_TRUE(QDir(user + "/PROJECTS/Site1/bin").exists());
    EXPECT_TRUE(QDir(user + "/MASTER").exists());
    EXPECT_EQ(Language_Folder, install + "/LANGUAGE");
    EXPECT_EQ(QDir(install).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList {"LANGUAGE"});
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(user + "/Arvinto.xml"));
    EXPECT_EQ(xml.Root().FindChild("lastproj").FindChild("projectname").Text(), "Site1");

    // Where not even the user's data folder can be made, the start says so.
    QFile blocker(home.path() + "/Arvinto");
    ASSERT_TRUE(QDir(user).removeRecursively());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(QFile::setPermissions(install, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    DialogSeam::Clear();
    ASSERT_TRUE(testsupport::WithoutCapabilities({CAP_DAC_OVERRIDE}, [&] {
        for (int i = 0; i < 2; ++i)
            DialogSeam::QueueAnswer(IDOK);
        Start();
    }, why)) << why;
    ASSERT_TRUE(QFile::setPermissions(install, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    const QStringList boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_TRUE(boxes[0].contains(user + "/MASTER"));
    EXPECT_TRUE(boxes[1].contains(user + "/PROJECTS"));
    if (savedHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", savedHome);
}

TEST_F(MainWindowTest, OpenListsTheConfigurationsPreselectsTheOpenOneAndCancelChangesNothing)
{
    for (const char* name : {"A", "B", "C"})
        ASSERT_TRUE(QDir().mkpath(Projects() + "/" + name));
    Project_Name = "B";
    Project_Folder = Projects() + "/B";
    Set_Files();

    // OK at once keeps B.
    WhileModal([&] { TestInput::Click(main->Btn_Open); }, [&] {
        TFOpenConf* dlg = FOpenConf;
        EXPECT_EQ(dlg->ListBox1->Count(), 3);
        EXPECT_EQ(dlg->ListBox1->Items()->Strings(dlg->ListBox1->ItemIndex()), "B");
        EXPECT_EQ(dlg->Name_Conf, "B");
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(dlg), "TFOpenConf-three-configurations").isEmpty());
        TestInput::Click(dlg->Btn_OK);
    });
    EXPECT_EQ(Project_Name, "B");
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "B");

    // A click on C, then Cancel: B stays open with its paths.
    WhileModal([&] { main->Btn_Click(main->Btn_Open); }, [&] {
        FOpenConf->ListBox1->SetItemIndex(FOpenConf->SL->IndexOf("C"));
        FOpenConf->ListBox1Click(FOpenConf->ListBox1);
        EXPECT_EQ(FOpenConf->Name_Conf, "C");
        TestInput::Click(FOpenConf->Btn_Cancel);
    });
    EXPECT_EQ(Project_Name, "B");
    EXPECT_EQ(ParGen_File, Projects() + "/B/ParGen.xml");

    // The open configuration's folder gone: the first listed is preselected; OK opens it.
    ASSERT_TRUE(QDir(Projects() + "/B").removeRecursively());
    WhileModal([&] { main->Btn_Click(main->Btn_Open); }, [&] {
        EXPECT_EQ(FOpenConf->ListBox1->ItemIndex(), 0);
        EXPECT_EQ(FOpenConf->Name_Conf, FOpenConf->SL->Strings(0));
        TestInput::Click(FOpenConf->Btn_OK);
    });
    EXPECT_EQ(Project_Folder, Projects() + "/" + Project_Name);
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), Project_Name);

    // An empty PROJECTS folder and OK: no configuration is open.
    ASSERT_TRUE(QDir(Projects()).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(Projects()));
    WhileModal([&] { main->Btn_Click(main->Btn_Open); }, [&] {
        EXPECT_EQ(FOpenConf->ListBox1->Count(), 0);
        EXPECT_EQ(FOpenConf->Name_Conf, "");
        TestInput::Click(FOpenConf->Btn_OK);
    });
    EXPECT_TRUE(Project_Folder.isEmpty());
    EXPECT_EQ(main->L_Name_Conf->Caption(), "None Configuration Opened ");
    EXPECT_EQ(main->L_Name_Conf_L2->Caption(), "Use Step1 to open or create new configuration");
    EXPECT_EQ(ParGen_File, "/ParGen.xml");
    DialogSeam::QueueAnswer(IDOK);
    main->Btn_Click(main->Btn_Prm_Gen);
    EXPECT_EQ(Boxes(), QStringList{"Error! Project not Valid"});
}

TEST_F(MainWindowTest, StepFiveChecksThePayloadsThenWritesTheBanks)
{
    ASSERT_TRUE(QDir().mkpath(Projects() + "/Site1/bin"));
    Project_Name = "Site1";
    Project_Folder = Projects() + "/Site1";
    Set_Files();
    Write(ParGen_File, "<Par_Gen><LoRa_Payload_Size>51</LoRa_Payload_Size></Par_Gen>");
    Write(LoRaWAN_SetAccess_File, "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row Enable=\"Y\" NumByte=\"50\"/>"
                                  "</LoRaWAN_Uplink></LoRaWAN_Set_Access>");
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(main->Btn_CreateBin);
    ASSERT_EQ(Boxes(), QStringList{"Error in configuration, Num. Byte not conformed with Max Payload Size"});
    EXPECT_EQ(DialogSeam::Shown()[0].Flags & MB_ICONMASK, MB_ICONERROR);
    EXPECT_EQ(QDir(Projects() + "/Site1/bin").entryList(QDir::Files), QStringList{});

    DialogSeam::Clear();
    Write(LoRaWAN_SetAccess_File, "<LoRaWAN_Set_Access><LoRaWAN_Uplink>");
    DialogSeam::QueueAnswer(IDOK);
    TestInput::Click(main->Btn_CreateBin);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_TRUE(DialogSeam::Shown()[0].Text.contains("LoRaWAN_SetAccess.xml")) << DialogSeam::Shown()[0].Text.toStdString();
    EXPECT_TRUE(DialogSeam::Shown()[0].Text.contains("not well-formed"));
    EXPECT_EQ(QDir(Projects() + "/Site1/bin").entryList(QDir::Files), QStringList{});

    // Rules within the payload: both banks are written, without a question.
    DialogSeam::Clear();
    for (const char* file : {"ParGen.xml", "LoRaWAN_SetAccess.xml", "BACnet_Master_Access.xml"}) {
        QFile::remove(Project_Folder + "/" + file);
        ASSERT_TRUE(QFile::copy(QStringLiteral(TEST_DATA_DIR "/image/rules/") + file, Project_Folder + "/" + file));
    }
    // The banks are written before the update dialog opens; it is cancelled here.
    bool updateShown = false;
    WhileModal([&] { TestInput::Click(main->Btn_CreateBin); }, [&] {
        updateShown = FBoot->Showing();
        EXPECT_EQ(QDir(Projects() + "/Site1/bin").entryList(QDir::Files), (QStringList{"bank1.bin", "bank2.bin"}));
        TestInput::Click(FBoot->Btn_Cancel);
    });
    EXPECT_TRUE(updateShown);
    EXPECT_EQ(Boxes(), QStringList{});

    // Without the rules file the check passes and the banks are compiled again.
    ASSERT_TRUE(QFile::remove(Projects() + "/Site1/bin/bank1.bin"));
    ASSERT_TRUE(QFile::remove(LoRaWAN_SetAccess_File));
    WhileModal([&] { TestInput::Click(main->Btn_CreateBin); }, [&] { TestInput::Click(FBoot->Btn_Cancel); });
    EXPECT_EQ(Boxes(), QStringList{});
    EXPECT_TRUE(QFile::exists(Projects() + "/Site1/bin/bank1.bin"));
}

TEST_F(MainWindowTest, VersionTimerRunsWhenBothInternetOptionsAreOn)
{
    Enable_Internet = true;
    Enable_Update = true;
    main->Close();  // writes both flags
    Start();
    EXPECT_TRUE(main->Timer_Update->Enabled());
    EXPECT_EQ(main->Timer_Update->Interval(), 60000u);

    main->Check_Version = [] { return true; };
    main->Timer_UpdateTimer(main->Timer_Update);
    EXPECT_TRUE(main->LL_Update->Visible());
    EXPECT_EQ(main->LL_Update->Caption(),
              "<a href=\"https://velmora.example/Home/download/download.asp#HD59D16\">"
              "New Version Available. Click Here for more Details</a>");
    EXPECT_TRUE(main->Timer_Update->Enabled());
    EXPECT_EQ(main->Timer_Update->Interval(), 7200000u);

    main->Check_Version = [] { return false; };
    main->Timer_UpdateTimer(main->Timer_Update);
    EXPECT_FALSE(main->LL_Update->Visible());
    EXPECT_EQ(main->Timer_Update->Interval(), 7200000u);

    // Either option off: no checks.
    Enable_Update = false;
    main->Close();
    Start();
    EXPECT_FALSE(main->Timer_Update->Enabled());
}

} // namespace

namespace {

TEST_F(MainWindowTest, StepTwoOpensTheGeneralParametersOfTheOpenConfiguration)
{
    ASSERT_TRUE(QDir().mkpath(Projects() + "/Site1/bin"));
    Project_Name = "Site1";
    Project_Folder = Projects() + "/Site1";
    Set_Files();

    bool shown = false;
    WhileModal([&] { TestInput::Click(main->Btn_Prm_Gen); }, [&] {
        shown = FParGen->Showing();
        TestInput::Click(FParGen->Btn_OK);
    });
    EXPECT_TRUE(shown);
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(Projects() + "/Site1/ParGen.xml")) << xml.ErrorMessage().toStdString();
    EXPECT_EQ(xml.Root().NodeName(), "Par_Gen");
}

} // namespace

namespace {

TEST_F(MainWindowTest, StepFourOpensTheBACnetRequestTablesAndTheBACnetWindowsFollowLanguageChanges)
{
    ASSERT_TRUE(QDir().mkpath(Projects() + "/Site1/bin"));
    Project_Name = "Site1";
    Project_Folder = Projects() + "/Site1";
    Set_Files();
    Write(ParGen_File, "<Par_Gen><BACnet_Master_Type>1</BACnet_Master_Type></Par_Gen>");

    bool shown = false;
    WhileModal([&] { TestInput::Click(main->Btn_BACnet_SetAccess); }, [&] {
        shown = FBACnetAccess->Showing();
        EXPECT_EQ(FBACnetAccess->ACG1->Columns()->Items(2)->Header(), "Slave ID");
        TestInput::Click(FBACnetAccess->Btn_OK);
    });
    EXPECT_TRUE(shown);
    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(BACnet_Master_Access_File)) << xml.ErrorMessage().toStdString();
    EXPECT_EQ(xml.Root().NodeName(), "BACnet_Master_Access");

    // The BACnet windows take new texts with the others.
    Language_Texts->SetStrings(1300, "Accesso BACnet");
    Language_Texts->SetStrings(1400, "Importa File EDE");
    Language_Texts->SetStrings(1500, "Oggetti BACnet");
    Language_Texts->SetStrings(1600, "Unita BACnet");
    main->Change_Language();
    EXPECT_EQ(FBACnetAccess->Caption(), "Accesso BACnet");
    EXPECT_EQ(FImportEDEFile->Caption(), "Importa File EDE");
    EXPECT_EQ(FBACnetSlaveSetAccess->Caption(), "Oggetti BACnet");
    EXPECT_EQ(FBACnet_Eng_Unit->Caption(), "Unita BACnet");
    Load_Default_Texts();
}

} // namespace
