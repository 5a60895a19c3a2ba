// The SNMP MIB file: the whole module from an agent-table fixture, the
// fixed part alone, the lists and flags it reads, and the step with its
// save dialog, overwrite question and errors.
#include "plant/USNMP_MIB.h"

#include "DescriptionFileTest.h"

#include "platform/Dialogs.h"

namespace {

class SNMPMIBTest : public TDescriptionFileTest {
protected:
    // Runs the step answering the save dialog with Name.
    static void Step(const QString& Name)
    {
        TSaveDialog SaveMIB(nullptr);
        DialogSeam::QueueFileName(Name);
        Create_SNMP_MIB(SaveMIB);
    }
};

TEST_F(SNMPMIBTest, WritesTheWholeModuleFromTheAgentTables)
{
    Use("plant/mib/SNMP_Trap.xml", SNMP_Trap_File);
    Step("agent");
    EXPECT_TRUE(Boxes().isEmpty());
    ExpectSameFile(Read(Out("agent.mib")), Expected("plant/mib/expected.mib"));

    const TShownDialog& dialog = DialogSeam::Shown().front();
    EXPECT_EQ(dialog.Filter, "Management Information Base (*.mib)|*.mib");
    EXPECT_EQ(dialog.DefaultExt, "mib");
    EXPECT_EQ(dialog.InitialDir, Project_Folder);

    // The lists hold the enabled rows' descriptions, the flags their types.
    EXPECT_EQ(MIB_Read_List->Text(), "temp1\r\n\r\nhum1\r\n");
    EXPECT_EQ(MIB_Write_List->Text(), "setp1\r\n\r\n");
    EXPECT_EQ(MIB_Int_Flags[0], 1);
    EXPECT_EQ(MIB_Int_Flags[1], 0);
    EXPECT_EQ(MIB_Int_Flags[2], 1);
    EXPECT_EQ(MIB_Int_Flags[256], 1);
    EXPECT_EQ(MIB_Int_Flags[257], 0);
}

TEST_F(SNMPMIBTest, WithoutTheAgentFileOnlyTheFixedPartIsWritten)
{
    Use("plant/mib/SNMP_Trap.xml", SNMP_Trap_File);
    Read_SNMP_Trap_Lists();
    QFile::remove(SNMP_Trap_File);
    Step("fixed.mib");
    EXPECT_TRUE(MIB_Read_List->Count() == 0 && MIB_Write_List->Count() == 0);
    QStringList expected = QString::fromLatin1(Expected("plant/mib/expected.mib")).split("\r\n");
    expected.removeLast();
    for (const char* varying : {"temp1 ", "bufferinval2 ", "hum1 ", "setp1 ", "bufferoutval2 ", "trapval"})
        expected.erase(std::remove_if(expected.begin(), expected.end(),
                                      [&](const QString& l) { return l.startsWith(QLatin1String(varying)); }),
                       expected.end());
    EXPECT_EQ(Lines(Out("fixed.mib")), expected);

    // Tables without their elements give no objects either.
    Write(SNMP_Trap_File, "<SNMP_Trap/>");
    Write(Out("fixed.mib"), "");
    DialogSeam::QueueAnswer(IDYES);
    Step("fixed.mib");
    EXPECT_EQ(Lines(Out("fixed.mib")), expected);
}

TEST_F(SNMPMIBTest, EachSideTakesAtMostTheAgentsTwoHundredFiftySixRows)
{
    QString rows;
    for (int i = 1; i <= 260; ++i)
        rows += QStringLiteral("<row Enable=\"Y\" Type=\"Int\" Description=\"v%1\"/>").arg(i);
    Write(SNMP_Trap_File, ("<SNMP_Trap><SNMP_Trap_Read/><SNMP_Trap_Write>" + rows + "</SNMP_Trap_Write></SNMP_Trap>").toUtf8());
    Step("big.mib");
    EXPECT_EQ(MIB_Write_List->Count(), 256);
    const QStringList lines = Lines(Out("big.mib"));
    EXPECT_TRUE(lines.contains("v256 OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-write STATUS current DESCRIPTION \"v256\" ::= { bufferoutval 256 }"));
    EXPECT_FALSE(lines.filter("v257").size());
    EXPECT_EQ(lines.filter("NOTIFICATION-TYPE").size(), 0);
}

TEST_F(SNMPMIBTest, AnExistingFileNeedsYesAndCancelOrErrorsWriteNothing)
{
    Use("plant/mib/SNMP_Trap.xml", SNMP_Trap_File);
    Write(Out("agent.mib"), "old");
    DialogSeam::QueueAnswer(IDNO);
    Step("agent.mib");
    EXPECT_EQ(Read(Out("agent.mib")), "old");
    ASSERT_EQ(Boxes(), QStringList{"File already exists. Do you want to overwrite?"});
    EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_YESNO | MB_ICONQUESTION);

    DialogSeam::Clear();
    DialogSeam::QueueAnswer(IDYES);
    Step("agent.mib");
    EXPECT_TRUE(Read(Out("agent.mib")).startsWith("GATEWAY DEFINITIONS ::= BEGIN\r\n"));

    DialogSeam::Clear();
    TSaveDialog SaveMIB(nullptr);
    DialogSeam::QueueCancel();
    Create_SNMP_MIB(SaveMIB);
    EXPECT_EQ(DialogSeam::Shown().size(), 1u);

    // An agent file that is not well-formed: its error in a box, the old file kept.
    DialogSeam::Clear();
    Write(SNMP_Trap_File, "<SNMP_Trap><SNMP_Trap_Read>");
    Write(Out("agent.mib"), "old");
    DialogSeam::QueueAnswer(IDYES);
    DialogSeam::QueueAnswer(IDOK);
    Step("agent.mib");
    EXPECT_EQ(Read(Out("agent.mib")), "old");
    EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_OK | MB_ICONERROR);

    // A double quote in an enabled row's Description would end the MIB's
    // text early: refused by name, the old file kept. A disabled row is
    // not written and passes.
    for (const char* side : {"SNMP_Trap_Read", "SNMP_Trap_Write"}) {
        SCOPED_TRACE(side);
        DialogSeam::Clear();
        Write(SNMP_Trap_File, QStringLiteral("<SNMP_Trap><%1><row Enable=\"Y\" Type=\"INT\" Description=\"say &quot;hi&quot;\"/>"
                                             "</%1></SNMP_Trap>").arg(QLatin1String(side)).toUtf8());
        DialogSeam::QueueAnswer(IDYES);
        DialogSeam::QueueAnswer(IDOK);
        Step("agent.mib");
        EXPECT_EQ(Read(Out("agent.mib")), "old");
        ASSERT_FALSE(DialogSeam::Shown().empty());
        EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_OK | MB_ICONERROR);
        EXPECT_TRUE(DialogSeam::Shown().back().Text.contains(QStringLiteral("say \"hi\""))) << DialogSeam::Shown().back().Text.toStdString();
        EXPECT_TRUE(DialogSeam::Shown().back().Text.contains(QStringLiteral("SNMP_Trap.xml")));
    }
    DialogSeam::Clear();
    Write(SNMP_Trap_File, "<SNMP_Trap><SNMP_Trap_Read><row Enable=\"N\" Description=\"a&quot;b\"/>"
                          "<row Enable=\"Y\" Type=\"INT\" Description=\"ok\"/></SNMP_Trap_Read></SNMP_Trap>");
    DialogSeam::QueueAnswer(IDYES);
    Step("agent.mib");
    const QByteArray mib = Read(Out("agent.mib"));
    EXPECT_TRUE(mib.contains("ok OBJECT-TYPE SYNTAX INTEGER MAX-ACCESS read-only STATUS current DESCRIPTION \"ok\""));
    EXPECT_FALSE(mib.contains("a\"b"));
}

} // namespace
