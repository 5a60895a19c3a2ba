// The PROFIBUS GSD file: the whole file for one pair of byte counts, the
// modules other counts give, and the step with its file name, overwrite
// question and errors.
#include "fieldbus/UProfibus_GSD.h"

#include "DescriptionFileTest.h"

#include "platform/Dialogs.h"

namespace {

class ProfibusGSDTest : public TDescriptionFileTest {
protected:
    void Counts(const char* in, const char* out)
    {
        Write(ParGen_File, QStringLiteral("<Par_Gen><PROFINET_NB_IN>%1</PROFINET_NB_IN><PROFINET_NB_OUT>%2</PROFINET_NB_OUT>"
                                          "</Par_Gen><!--SW_VERSION = 1.006-->")
                               .arg(QLatin1String(in), QLatin1String(out))
                               .toUtf8());
    }
    // Runs the step answering the save dialog with Name (and the queued boxes).
    static void Step(const QString& Name)
    {
        DialogSeam::QueueFileName(Name);
        Create_GSD_File();
    }
    // The module and slot lines of a written file.
    QStringList Modules(const QString& path) const
    {
        QStringList found;
        for (const QString& line : Lines(path))
            if (line.startsWith("Module=") || line.startsWith("Slot(") || (line.startsWith("Max_") && !line.contains(' ')))
                found << line;
        return found;
    }
};

TEST_F(ProfibusGSDTest, WritesTheWholeFileForHundredInputAndSixtyFourOutputBytes)
{
    Use("fieldbus/gsd/ParGen.xml", ParGen_File);
    Step("device");
    EXPECT_TRUE(Boxes().isEmpty());
    EXPECT_EQ(UProfibus_GSD::PROFINET_NB_IN, 64);
    EXPECT_EQ(UProfibus_GSD::PROFINET_NB_OUT, 100);
    ExpectSameFile(Read(Out("device.gsd")), Expected("fieldbus/gsd/expected.gsd"));
    const TShownDialog& dialog = DialogSeam::Shown().front();
    EXPECT_EQ(dialog.Kind, TShownDialog::SaveDialog);
    EXPECT_EQ(dialog.Filter, "Generic Station Description (*.gsd)|*.gsd");
    EXPECT_EQ(dialog.InitialDir, Project_Folder);
}

TEST_F(ProfibusGSDTest, ModulesFollowTheByteCounts)
{
    const struct {
        const char *in, *out;
        QStringList lines;
    } cases[] = {
        {"0", "128",
         {"Max_Module=2", "Max_Input_Len=128", "Max_Output_Len=0", "Max_Data_Len=128", "Max_Diag_Data_Len=15",
          "Module=\"DI  (PORT1)    \" 0x42,0x3F,0x00,0x01", "Module=\"DI  (PORT2)    \" 0x42,0x3F,0x00,0x02",
          "Slot(1) = \"Slot 1\" 1 1", "Slot(2) = \"Slot 2\" 2 2"}},
        {"10", "0",
         {"Max_Module=1", "Max_Input_Len=0", "Max_Output_Len=10", "Max_Data_Len=10", "Max_Diag_Data_Len=15",
          "Module=\"DO  (PORT1)    \" 0x82,0x09,0x00,0x01", "Slot(1) = \"Slot 1\" 1 1"}},
        // Negative counts are written as they are and give no module.
        {"-5", "1",
         {"Max_Module=1", "Max_Input_Len=1", "Max_Output_Len=-5", "Max_Data_Len=-4", "Max_Diag_Data_Len=15",
          "Module=\"DI  (PORT1)    \" 0x42,0x00,0x00,0x01", "Slot(1) = \"Slot 1\" 1 1"}},
        // Texts that are no numbers count as 0: no module, empty slot definition.
        {"abc", "", {"Max_Module=0", "Max_Input_Len=0", "Max_Output_Len=0", "Max_Data_Len=0", "Max_Diag_Data_Len=15"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.in) + "/" + c.out);
        Counts(c.in, c.out);
        QFile::remove(Out("m.gsd"));
        Step("m.gsd");
        EXPECT_EQ(Modules(Out("m.gsd")), c.lines);
    }
    // Without the elements both counts are 0; the slot definition stays, empty.
    Write(ParGen_File, "<Par_Gen/>");
    QFile::remove(Out("m.gsd"));
    Step("m.gsd");
    EXPECT_TRUE(QString::fromLatin1(Read(Out("m.gsd"))).endsWith("=\r\n\r\n\r\n\r\n\r\nSlotDefinition\r\nEndSlotDefinition\r\n\r\n\r\n\r\n\r\n"));
}

TEST_F(ProfibusGSDTest, ModuleNumbersFromTwoHundredFiftySixTakeThreeDigits)
{
    Counts("0", "16384");  // 256 modules of 64 bytes
    Step("big.gsd");
    const QStringList lines = Lines(Out("big.gsd"));
    EXPECT_TRUE(lines.contains("Module=\"DI  (PORT255)    \" 0x42,0x3F,0x00,0xFF"));
    EXPECT_TRUE(lines.contains("Module=\"DI  (PORT256)    \" 0x42,0x3F,0x00,0x100"));
    EXPECT_TRUE(lines.contains("Slot(256) = \"Slot 256\" 256 256"));
}

TEST_F(ProfibusGSDTest, TheChosenNameGetsTheExtensionOnlyWhenItLacksIt)
{
    const struct { const char *chosen, *written; } names[] = {
        {"plant", "plant.gsd"}, {"plant.GSD", "plant.GSD"}, {"a.gsd.gsd", "a.gsd.gsd"},
        {"plant.txt", "plant.txt.gsd"}, {"x.gsdx", "x.gsdx.gsd"},
    };
    for (const auto& n : names)
        EXPECT_EQ(GSD_File_Path(Out(n.chosen)), Out(n.written)) << n.chosen;

    Counts("8", "8");
    Step("plant.GSD");
    EXPECT_TRUE(QFile::exists(Out("plant.GSD")));
    EXPECT_FALSE(QFile::exists(Out("plant.GSD.gsd")));
}

TEST_F(ProfibusGSDTest, AnExistingFileIsReplacedOnlyAfterYes)
{
    Counts("8", "8");
    Write(Out("old.gsd"), "old");
    DialogSeam::QueueAnswer(IDNO);
    Step("old");
    EXPECT_EQ(Read(Out("old.gsd")), "old");
    ASSERT_EQ(Boxes(), QStringList{"File already exists! Do you want to overwrite the file?"});
    EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_YESNO | MB_ICONQUESTION);

    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    Step("old.gsd");
    EXPECT_TRUE(Read(Out("old.gsd")).startsWith(";\r\n;*****"));
}

TEST_F(ProfibusGSDTest, MissingOrBrokenParGenAndCancelWriteNothing)
{
    // No ParGen.xml: text 1104 and no dialog.
    DialogSeam::QueueAnswer(IDOK);
    Create_GSD_File();
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(Boxes(), QStringList{"Error! Please set the Set Communication Parameter before to create the GSD file"});
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);

    // A ParGen.xml that is not well-formed: its error, no dialog, no file.
    DialogSeam::Clear();
    Write(ParGen_File, "<Par_Gen><PROFINET_NB_IN>");
    DialogSeam::QueueAnswer(IDOK);
    Create_GSD_File();
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);

    // Cancel in the save dialog ends the step silently.
    DialogSeam::Clear();
    Counts("8", "8");
    DialogSeam::QueueCancel();
    Create_GSD_File();
    EXPECT_TRUE(Boxes().isEmpty());
    EXPECT_EQ(QDir(Project_Folder).entryList(QDir::Files), QStringList{"ParGen.xml"});

    // A folder that does not exist: the save error, nothing else.
    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDOK);
    Step(Out("missing/x.gsd"));
    ASSERT_EQ(Boxes().size(), 1);
    EXPECT_TRUE(Boxes()[0].contains("missing/x.gsd")) << Boxes()[0].toStdString();
}

} // namespace
