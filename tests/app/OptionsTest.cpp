// The about box, the options dialog and the version check as a user works
// them from the main window: the language pages built from the LANGUAGE
// folder, a language chosen and kept (OK) or shown for this run only
// (Cancel), the internet and table options, the manual check and the
// timer's check against a version page served on loopback.
#include "AppFixture.h"

#include "image/UBoot.h"
#include "mbus/UMeter_Bus.h"
#include "mbus/UNewIDNode.h"
#include "parameters/UParGen.h"
#include "shell/MakerSite.h"
#include "shell/UAbout.h"
#include "shell/ULanguage.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"

#include "LoopbackHttpServer.h"
#include "Screenshot.h"
#include "UrlCatcher.h"
#include "controls/FxButton.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/ExtCtrls.h"
#include "platform/PageControl.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "platform/Timer.h"

#include <QDir>
#include <QImage>
#include <atomic>

namespace {

using testsupport::HttpReply;
using testsupport::LoopbackHttpServer;

// An Italian language file: texts of the main window, of the dialogs of
// step 1, 2 and 5 and of the options dialog.
const char Italiano[] =
    "\xEF\xBB\xBF"
    "/#/ Italiano\r\n"
    "STR15 = Nuova Configurazione\r\n"
    "STR100 = Crea Nuova Configurazione\r\n"
    "STR200 = Apri Configurazione\r\n"
    "STR300 = Opzioni Software\r\n"
    "STR302 = Lingua\r\n"
    "STR304 = \xC2\xB6Lingua Selezionata : \xC2\xB6\r\n"
    "STR305 = \xC2\xB6Pagina \xC2\xB6\r\n"
    "STR316 = \xC2\xB6Vuoi cambiare la lingua da \xC2\xB6\r\n"
    "STR317 = \xC2\xB6 a \xC2\xB6\r\n"
    "STR318 = ?\r\n"
    "STR400 = Imposta Comunicazione\r\n"
    "STR1002 = Aggiorna Dispositivo\r\n"
    "STR1700 = Rete M-Bus\r\n"
    "STR2000 = Nuovo ID Nodo\r\n";

class OptionsTest : public AppTest {
protected:
    void TearDown() override
    {
        Set_Maker_Web_Site(QString());
        AppTest::TearDown();
    }

    QString Language(const QString& name) const { return tmp.path() + "/LANGUAGE/" + name; }

    // A flag: three upright stripes on a 48 x 48 tile whose bottom-left
    // corner, left out by a transparent picture, is the background.
    void Write_Flag(const QString& name, TColor left, TColor middle, TColor right)
    {
        TBitmap flag(48, 48);
        TCanvas* c = flag.Canvas();
        c->Brush()->SetColor(clFuchsia);
        c->FillRect(TRect{0, 0, 48, 48});
        const TColor stripes[] = {left, middle, right};
        for (int i = 0; i < 3; ++i) {
            c->Brush()->SetColor(stripes[i]);
            c->FillRect(TRect{i * 16, 8, i * 16 + 16, 40});
        }
        ASSERT_TRUE(flag.SaveToFile(Language(name)));
    }

    // Shows the options dialog from the main window; its result.
    Integer Options(const std::function<void(TFSoftOptions*)>& action)
    {
        Integer result = -1;
        WhileModal([&] { TestInput::Click(main->Btn_Opz); }, [&] {
            action(FSoftOptions);
            result = FSoftOptions->ModalResult();
        });
        return result;
    }

    // The names the six slots show (hidden slots as "-").
    static QStringList Slots(TFSoftOptions* dlg)
    {
        QStringList names;
        for (TLabel* label : dlg->L_L)
            names << (label->Visible() ? label->Caption() : QStringLiteral("-"));
        return names;
    }

    // The colour of the flag picture of slot k at (x, y).
    static QColor Flag_Pixel(TFSoftOptions* dlg, int k, int x, int y)
    {
        return GrabControl(dlg->I_L[k]).pixelColor(x, y);
    }

    // A click on a check box's square, as a user ticks it.
    static void Tick(TCheckBox* box) { TestInput::Click(box, {6, 10}); }

    void Screenshot(TControl* window, const char* name)
    {
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(window), QString::fromLatin1(name)).isEmpty()) << name;
    }
};

TEST_F(OptionsTest, AboutBoxShowsTheFixedProductTextsInAnyLanguageAndLinksToTheHomePage)
{
    // Started in Italian: the main window follows it, the about box does not.
    Write(Language("Italiano.lng"), Italiano);
    Language_Name = "Italiano";
    Restart();
    ASSERT_EQ(main->Btn_New->Caption(), "Nuova Configurazione");

    testsupport::UrlCatcher catcher;
    Integer result = -1;
    WhileModal([&] { TestInput::Click(main->Btn_Info); }, [&] {
        TFAbout* about = FAbout;
        EXPECT_TRUE(about->Visible());
        EXPECT_EQ(about->ClientWidth(), 425);
        EXPECT_EQ(about->ClientHeight(), 148);
        const std::pair<TLabel*, const char*> texts[] = {
            {about->Label1, "Software Arvinto "},  {about->Label2, "BACnet Master / LoRaWAN - Converter"},
            {about->Label6, "Software Code : "},   {about->Label9, "SW59D16"},
            {about->Label3, "Version :"},          {about->Label10, "1.006"},
            {about->Label8, "Document Code :"},    {about->Label12, "MN59D16"},
            {about->Label4, "velmora.example"},
        };
        for (const auto& [label, text] : texts)
            EXPECT_EQ(label->Caption(), text) << label->Name().toStdString();
        EXPECT_EQ(about->FxButton1->Caption(), "OK");
        Screenshot(about, "TFAbout");

        TestInput::Click(about->Label4);
        TestInput::Click(about->Image2);
        EXPECT_TRUE(about->Visible());
        TestInput::Click(about->FxButton1);
        result = about->ModalResult();
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_FALSE(FAbout->Visible());
    ASSERT_EQ(catcher.urls.size(), 2);
    for (const QUrl& url : catcher.urls)
        EXPECT_EQ(url.toString(), "https://velmora.example/HOME/default.asp?frompg=SW59D16");
}

TEST_F(OptionsTest, LanguagePagesListTheLanguageFilesSixAtATimeWithTheirFlags)
{
    // Seven languages listed: a hidden file among them, lower case sorted in.
    for (const char* name : {"Italiano", "English", "deutsch", "Polski", "Español", "Français", ".Hidden"})
        Write(Language(QString::fromUtf8(name) + ".lng"), "STR0 = x\r\n");
    // Not listed: a read-only file, a folder, a link, another kind of file.
    Write(Language("ReadOnly.lng"), "STR0 = x\r\n");
    ASSERT_TRUE(QFile::setPermissions(Language("ReadOnly.lng"), QFile::ReadOwner | QFile::ReadGroup));
    ASSERT_TRUE(QDir().mkpath(Language("Folder.lng")));
    ASSERT_TRUE(QFile::link(Language("English.lng"), Language("Link.lng")));
    Write(Language("notes.txt"), "STR0 = x\r\n");
    // Italian has its own flag; Polish a broken one; the rest the default.
    Write_Flag("Italiano.bmp", RGB(0, 146, 70), clWhite, RGB(206, 43, 55));
    Write_Flag("DefaultFlag.bmp", clGray, clSilver, clGray);
    Write(Language("Polski.bmp"), "not a picture");

    Options([&](TFSoftOptions* dlg) {
        EXPECT_EQ(dlg->Caption(), "Software Options");
        EXPECT_EQ(dlg->L_SW_Code->Caption(), "SW59D16");
        EXPECT_EQ(dlg->PC_Options->ActivePage(), dlg->TS_Language);
        EXPECT_EQ(dlg->SL_Languages->Count(), 7);
        EXPECT_EQ(dlg->L_Sel_Lang->Caption(), "Selected Language : English");
        EXPECT_EQ(Slots(dlg), (QStringList{".Hidden", "deutsch", "English", "Español", "Français", "Italiano"}));
        EXPECT_EQ(dlg->L_Page_Lang->Caption(), "Page 1 / 2");
        EXPECT_FALSE(dlg->Btn_Prev->Visible());
        EXPECT_TRUE(dlg->Btn_Next->Visible());
        // Italian's own flag (green stripe, then white), the default elsewhere.
        EXPECT_EQ(Flag_Pixel(dlg, 5, 8, 24), QColor(0, 146, 70));
        EXPECT_EQ(Flag_Pixel(dlg, 5, 24, 24), QColor(255, 255, 255));
        EXPECT_EQ(Flag_Pixel(dlg, 1, 8, 24), QColor(128, 128, 128));
        for (TImage* flag : dlg->I_L)
            EXPECT_TRUE(flag->Visible()) << flag->Name().toStdString();
        Screenshot(dlg, "TFSoftOptions-language-page-1");

        // Page 2: Polish alone in the first slot, with the default flag.
        TestInput::Click(dlg->Btn_Next);
        EXPECT_EQ(dlg->Show_Page, 2);
        EXPECT_EQ(Slots(dlg), (QStringList{"Polski", "-", "-", "-", "-", "-"}));
        EXPECT_FALSE(dlg->I_L[1]->Visible());
        EXPECT_EQ(Flag_Pixel(dlg, 0, 8, 24), QColor(128, 128, 128));
        EXPECT_EQ(dlg->L_Page_Lang->Caption(), "Page 2 / 2");
        EXPECT_TRUE(dlg->Btn_Prev->Visible());
        EXPECT_FALSE(dlg->Btn_Next->Visible());
        Screenshot(dlg, "TFSoftOptions-language-page-2");
        dlg->Btn_NextClick(dlg->Btn_Next);  // past the last page: stays
        EXPECT_EQ(dlg->Show_Page, 2);
        TestInput::Click(dlg->Btn_Prev);
        EXPECT_EQ(dlg->L_Page_Lang->Caption(), "Page 1 / 2");
        EXPECT_EQ(Slots(dlg).front(), ".Hidden");
        dlg->Btn_NextClick(dlg->Btn_Prev);  // before the first page: stays
        EXPECT_EQ(dlg->Show_Page, 1);
        TestInput::Click(dlg->Btn_Cancel);
    });

    // Without any default flag a language shows its name alone; every showing
    // starts again on page 1.
    ASSERT_TRUE(QFile::remove(Language("DefaultFlag.bmp")));
    Options([&](TFSoftOptions* dlg) {
        EXPECT_EQ(dlg->Show_Page, 1);
        EXPECT_TRUE(dlg->I_L[5]->Visible());
        EXPECT_FALSE(dlg->I_L[1]->Visible());
        EXPECT_TRUE(dlg->L_L[1]->Visible());
        TestInput::Click(dlg->Btn_Cancel);
    });
}

TEST_F(OptionsTest, NoLanguageFileShowsAnEmptyPage)
{
    Options([&](TFSoftOptions* dlg) {
        EXPECT_EQ(Slots(dlg), QStringList(6, "-"));
        for (TImage* flag : dlg->I_L)
            EXPECT_FALSE(flag->Visible());
        EXPECT_EQ(dlg->L_Page_Lang->Caption(), "Page 1 / 0");
        EXPECT_FALSE(dlg->Btn_Prev->Visible());
        EXPECT_TRUE(dlg->Btn_Next->Visible());
        TestInput::Click(dlg->Btn_Next);
        EXPECT_EQ(dlg->Show_Page, 1);
        TestInput::Click(dlg->Btn_Cancel);
    });
}

TEST_F(OptionsTest, ChosenLanguageChangesEveryWindowAtOnceAndOkKeepsIt)
{
    Write(Language("English.lng"), "STR15 = New Configuration\r\n");
    Write(Language("Italiano.lng"), Italiano);
    Write_Flag("Italiano.bmp", RGB(0, 146, 70), clWhite, RGB(206, 43, 55));

    const Integer result = Options([&](TFSoftOptions* dlg) {
        ASSERT_EQ(Slots(dlg), (QStringList{"English", "Italiano", "-", "-", "-", "-"}));
        // No: nothing changes.
        DialogSeam::QueueAnswer(IDNO);
        TestInput::Click(dlg->L_L[1]);
        EXPECT_EQ(Boxes(), QStringList{"Do you want to change the Language from English to Italiano?"});
        EXPECT_EQ(DialogSeam::Shown().back().Flags & (MB_ICONMASK | MB_TYPEMASK), MB_ICONQUESTION | MB_YESNO);
        EXPECT_EQ(main->Btn_New->Caption(), "New Configuration");
        EXPECT_EQ(dlg->Language_In_Use, "English");

        // Yes on the flag: every window takes the Italian texts at once.
        DialogSeam::QueueAnswer(IDYES);
        TestInput::Click(dlg->I_L[1]);
        EXPECT_EQ(main->Btn_New->Caption(), "Nuova Configurazione");
        EXPECT_EQ(main->Btn_Open->Caption(), "Open Configuration");  // not in the file
        EXPECT_EQ(FNew_Project->Caption(), "Crea Nuova Configurazione");
        EXPECT_EQ(FOpenConf->Caption(), "Apri Configurazione");
        EXPECT_EQ(FParGen->Caption(), "Imposta Comunicazione");
        EXPECT_EQ(FBoot->Caption(), "Aggiorna Dispositivo");
        EXPECT_EQ(FMeter_Bus->Caption(), "Rete M-Bus");
        EXPECT_EQ(FNewIDNode->Caption(), "Nuovo ID Nodo");
        EXPECT_EQ(dlg->Caption(), "Opzioni Software");
        EXPECT_EQ(dlg->TS_Language->Caption(), "Lingua");
        EXPECT_EQ(dlg->L_Sel_Lang->Caption(), "Lingua Selezionata : Italiano");
        EXPECT_EQ(dlg->L_Page_Lang->Caption(), "Pagina 1 / 1");
        EXPECT_EQ(FAbout->Label1->Caption(), "Software Arvinto ");
        EXPECT_EQ(Language_Name, "English");  // stored by OK only
        Screenshot(dlg, "TFSoftOptions-language-chosen");

        // Asked again from the language now in use.
        DialogSeam::QueueAnswer(IDNO);
        TestInput::Click(dlg->L_L[0]);
        EXPECT_EQ(Boxes().back(), "Vuoi cambiare la lingua da Italiano a English?");
        TestInput::Click(dlg->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_EQ(Language_Name, "Italiano");
    // Written at once, not only when the program closes.
    EXPECT_EQ(Setting("lastlang", "language"), "Italiano");

    Restart();
    EXPECT_EQ(main->Btn_New->Caption(), "Nuova Configurazione");
    EXPECT_EQ(FOpenConf->Caption(), "Apri Configurazione");
}

TEST_F(OptionsTest, LanguageChosenThenCancelLastsUntilTheProgramEnds)
{
    Write(Language("Italiano.lng"), Italiano);
    const Integer result = Options([&](TFSoftOptions* dlg) {
        DialogSeam::QueueAnswer(IDYES);
        TestInput::Click(dlg->L_L[0]);
        TestInput::Click(dlg->Btn_Cancel);
    });
    EXPECT_EQ(result, mrCancel);
    EXPECT_EQ(main->Btn_New->Caption(), "Nuova Configurazione");
    EXPECT_EQ(Language_Name, "English");
    EXPECT_FALSE(QFile::exists(tmp.path() + "/Arvinto.xml"));

    // Shown again, the dialog offers the stored language as selected.
    Options([&](TFSoftOptions* dlg) {
        EXPECT_EQ(dlg->Language_In_Use, "English");
        TestInput::Click(dlg->Btn_Cancel);
    });

    Restart();
    EXPECT_EQ(Setting("lastlang", "language"), "English");
    EXPECT_EQ(main->Btn_New->Caption(), "New Configuration");
}

TEST_F(OptionsTest, InternetAndTableOptionsAreTakenByOkOnly)
{
    // The boxes follow the flags; CB_Update and the check follow CB_En_Con.
    Options([&](TFSoftOptions* dlg) {
        for (TCheckBox* box : {dlg->CB_En_Con, dlg->CB_Update, dlg->CB_Soft_Set_Jump_Table, dlg->CB_DoubleClick_Auto_Size})
            EXPECT_FALSE(box->Checked()) << box->Name().toStdString();
        EXPECT_FALSE(dlg->CB_Update->Enabled());
        EXPECT_FALSE(dlg->Btn_Check_Update->Enabled());

        dlg->PC_Options->SetActivePage(dlg->TS_Con_Options);
        Tick(dlg->CB_En_Con);
        EXPECT_TRUE(dlg->CB_Update->Enabled());
        EXPECT_FALSE(dlg->Btn_Check_Update->Enabled());
        Tick(dlg->CB_Update);
        EXPECT_TRUE(dlg->Btn_Check_Update->Enabled());
        // Internet off: both disabled, the update box keeps its tick.
        Tick(dlg->CB_En_Con);
        EXPECT_FALSE(dlg->CB_Update->Enabled());
        EXPECT_TRUE(dlg->CB_Update->Checked());
        EXPECT_FALSE(dlg->Btn_Check_Update->Enabled());
        Tick(dlg->CB_En_Con);
        EXPECT_TRUE(dlg->CB_Update->Enabled());
        EXPECT_TRUE(dlg->Btn_Check_Update->Enabled());
        Screenshot(dlg, "TFSoftOptions-connection");

        dlg->PC_Options->SetActivePage(dlg->TS_Soft_Settings);
        Tick(dlg->CB_Soft_Set_Jump_Table);
        Tick(dlg->CB_DoubleClick_Auto_Size);
        Screenshot(dlg, "TFSoftOptions-software-settings");
        TestInput::Click(dlg->Btn_Cancel);
    });
    EXPECT_FALSE(Enable_Internet || Enable_Update || Enable_Jump_Field_Tables || Double_Click_Auto_Size);
    EXPECT_FALSE(main->Timer_Update->Enabled());
    EXPECT_FALSE(QFile::exists(tmp.path() + "/Arvinto.xml"));

    // The same ticks and OK: stored, written and the version timer started.
    const Integer result = Options([&](TFSoftOptions* dlg) {
        EXPECT_EQ(dlg->PC_Options->ActivePage(), dlg->TS_Language);
        dlg->PC_Options->SetActivePage(dlg->TS_Con_Options);
        Tick(dlg->CB_En_Con);
        Tick(dlg->CB_Update);
        dlg->PC_Options->SetActivePage(dlg->TS_Soft_Settings);
        Tick(dlg->CB_Soft_Set_Jump_Table);
        Tick(dlg->CB_DoubleClick_Auto_Size);
        TestInput::Click(dlg->Btn_OK);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(Enable_Internet && Enable_Update && Enable_Jump_Field_Tables && Double_Click_Auto_Size);
    for (const char* flag : {"enable_internet", "enable_update", "enable_jump_field_tables", "Double_Click_Auto_Size"})
        EXPECT_EQ(Setting("lastinternet", flag), "1") << flag;
    EXPECT_TRUE(main->Timer_Update->Enabled());
    EXPECT_EQ(main->Timer_Update->Interval(), 60000u);

    // Shown again: the boxes come from the flags, all enabled.
    // Internet off with OK: the update flag keeps its tick, the timer stops.
    Options([&](TFSoftOptions* dlg) {
        EXPECT_TRUE(dlg->CB_Update->Checked());
        EXPECT_TRUE(dlg->Btn_Check_Update->Enabled());
        dlg->PC_Options->SetActivePage(dlg->TS_Con_Options);
        Tick(dlg->CB_En_Con);
        TestInput::Click(dlg->Btn_OK);
    });
    EXPECT_FALSE(Enable_Internet);
    EXPECT_TRUE(Enable_Update);
    EXPECT_EQ(Setting("lastinternet", "enable_internet"), "0");
    EXPECT_EQ(Setting("lastinternet", "enable_update"), "1");
    EXPECT_FALSE(main->Timer_Update->Enabled());
}

TEST_F(OptionsTest, ManualCheckShowsTheDownloadLinkOnlyForANewerVersion)
{
    std::atomic<const char*> version{"VER. 1.007"};
    LoopbackHttpServer server([&](const std::string&) { return HttpReply("200 OK", "", version.load()); });
    ASSERT_GT(server.Port(), 0);
    Set_Maker_Web_Site(server.Url("/"));
    const QString download = server.Url("/Home/download/download.asp#HD59D16");
    Enable_Internet = Enable_Update = true;

    testsupport::UrlCatcher catcher;
    Options([&](TFSoftOptions* dlg) {
        dlg->PC_Options->SetActivePage(dlg->TS_Con_Options);
        EXPECT_FALSE(dlg->LL_Check_Update->Visible());
        TestInput::Click(dlg->Btn_Check_Update);
        EXPECT_TRUE(dlg->LL_Check_Update->Visible());
        EXPECT_EQ(dlg->LL_Check_Update->Caption(),
                  "<a href=\"" + download + "\">New Version Available. Click Here for more Details</a>");
        Screenshot(dlg, "TFSoftOptions-connection-newer-version");
        TestInput::Click(dlg->LL_Check_Update, {20, 8});

        for (const char* reply : {"VER. 1.006", "VER. 0.000", "no version here"}) {
            version = reply;
            TestInput::Click(dlg->Btn_Check_Update);
            EXPECT_EQ(dlg->LL_Check_Update->Caption(), "No Update Available") << reply;
            EXPECT_TRUE(dlg->LL_Check_Update->Visible());
        }
        Screenshot(dlg, "TFSoftOptions-connection-no-update");
        TestInput::Click(dlg->Btn_Cancel);
    });
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0].toString(), download);
    EXPECT_EQ(server.Requests().size(), 4u);

    // The link is hidden again at the next showing.
    Options([&](TFSoftOptions* dlg) {
        EXPECT_FALSE(dlg->LL_Check_Update->Visible());
        TestInput::Click(dlg->Btn_Cancel);
    });
}

TEST_F(OptionsTest, TimerAsksTheVersionPageAndShowsTheLinkOnlyWhenNewer)
{
    std::atomic<const char*> reply{""};
    LoopbackHttpServer server([&](const std::string&) { return std::string(reply.load()); });
    ASSERT_GT(server.Port(), 0);
    Set_Maker_Web_Site(server.Url(""));
    const std::string newer = HttpReply("200 OK", "", "VER. 1.007");
    const std::string same = HttpReply("200 OK", "", "VER. 1.006");
    const std::string error = HttpReply("404 Not Found", "", "VER. 9.999");

    reply = newer.c_str();
    main->Timer_UpdateTimer(main->Timer_Update);
    EXPECT_TRUE(main->LL_Update->Visible());
    EXPECT_EQ(main->LL_Update->Caption(), "<a href=\"" + server.Url("/Home/download/download.asp#HD59D16")
                                              + "\">New Version Available. Click Here for more Details</a>");
    main->Show();
    Screenshot(main, "TFArvintoFirmWare-newer-version");

    for (const std::string* r : {&same, &error}) {
        reply = r->c_str();
        main->Timer_UpdateTimer(main->Timer_Update);
        EXPECT_FALSE(main->LL_Update->Visible());
        main->LL_Update->SetVisible(true);
    }
    EXPECT_EQ(server.Requests().size(), 3u);

    // No server at all.
    Set_Maker_Web_Site(QStringLiteral("http://127.0.0.1:%1/").arg(testsupport::UnusedLoopbackPort()));
    main->Timer_UpdateTimer(main->Timer_Update);
    EXPECT_FALSE(main->LL_Update->Visible());
    EXPECT_EQ(main->Timer_Update->Interval(), 7200000u);
}

} // namespace
