// The hidden steps of the description-file writers: without a configuration
// each refuses with text 18; with one, each reaches its writer, whose save
// dialog starts in the configuration's folder, and the PROFINET step shows
// its file-name dialog first.
#include "AppFixture.h"

#include "controls/FxButton.h"
#include "fieldbus/UProfinetFileName.h"
#include "platform/StringList.h"
#include "shell/ULanguage.h"

#include <QDir>

namespace {

class WriterStepsTest : public AppTest {
protected:
    TFxButton* Step(const char* name) const
    {
        return static_cast<TFxButton*>(main->FindComponent(QString::fromLatin1(name)));
    }
};

TEST_F(WriterStepsTest, EachWriterStepReachesItsWriter)
{
    const char* const buttons[] = {"Btn_BACnet_EDE_File", "Btn_CANopen_EDS", "Btn_PROFIBUS_GSD",
                                   "Btn_PROFINET_XML", "Btn_SNMP_MIB"};
    for (const char* b : buttons) {
        SCOPED_TRACE(b);
        ASSERT_NE(Step(b), nullptr);
        DialogSeam::QueueAnswer(IDOK);
        main->Btn_Click(Step(b));
        EXPECT_EQ(Boxes(), QStringList{"Error! Project not Valid"});
        DialogSeam::Clear();
    }

    ASSERT_TRUE(QDir().mkpath(Exe_Folder + "/PROJECTS/Site1/bin"));
    Project_Name = "Site1";
    Project_Folder = Exe_Folder + "/PROJECTS/Site1";
    Set_Files();

    // The save steps: the dialog of each writer, cancelled, writes nothing.
    const struct { const char* button; const char* filter; } saves[] = {
        {"Btn_BACnet_EDE_File", "CSV (MS-DOS) (*.csv)|*.csv"},
        {"Btn_CANopen_EDS", "Electronic Data Sheet (*.eds)|*.eds"},
        {"Btn_SNMP_MIB", "Management Information Base (*.mib)|*.mib"},
    };
    for (const auto& s : saves) {
        SCOPED_TRACE(s.button);
        DialogSeam::Clear();
        DialogSeam::QueueCancel();
        main->Btn_Click(Step(s.button));
        ASSERT_EQ(DialogSeam::Shown().size(), 1u);
        EXPECT_EQ(DialogSeam::Shown()[0].Kind, TShownDialog::SaveDialog);
        EXPECT_EQ(DialogSeam::Shown()[0].Filter, s.filter);
        EXPECT_EQ(DialogSeam::Shown()[0].InitialDir, Project_Folder);
    }
    EXPECT_EQ(QDir(Project_Folder).entryList(QDir::Files), QStringList{});

    // The GSD writer needs the configuration's general parameters first.
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    main->Btn_Click(Step("Btn_PROFIBUS_GSD"));
    EXPECT_EQ(Boxes(), QStringList{Language_Texts->Strings(1104)});

    // The PROFINET step shows its file-name dialog; Cancel there writes nothing.
    DialogSeam::Clear();
    bool shown = false;
    WhileModal([&] { main->Btn_Click(Step("Btn_PROFINET_XML")); }, [&] {
        shown = FProfinetFileName->Showing();
        FProfinetFileName->SetModalResult(mrCancel);
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(DialogSeam::Shown().empty());
}

TEST_F(WriterStepsTest, TheFileNameDialogTakesANewLanguage)
{
    Language_Texts->Put(4800, "Nome del file GSDML");
    main->Change_Language();
    EXPECT_EQ(FProfinetFileName->Caption(), "Nome del file GSDML");
}

} // namespace
