// The CANopen EDS file: the whole file from a PDO and a server-object
// fixture, what missing, odd and broken configuration files give, the time
// texts, and the step with its save dialog.
#include "fieldbus/UCANopen_EDS.h"

#include "DescriptionFileTest.h"

#include "platform/Dialogs.h"

namespace {

class CANopenEDSTest : public TDescriptionFileTest {
protected:
    static TDateTime At(Word h, Word m) { return EncodeDate(2025, 3, 5) + EncodeTime(h, m, 0, 0); }
    // A PDO file whose receive and transmit sections hold these rows.
    void PDO_File(const QString& receive, const QString& transmit = QString())
    {
        Write(PDO_CANopen_File, QStringLiteral("<PDO_CANopen><Receive_PDO>%1</Receive_PDO><Transmit_PDO>%2</Transmit_PDO>"
                                               "</PDO_CANopen><!--SW_VERSION = 1.000-->")
                                    .arg(receive, transmit)
                                    .toUtf8());
    }
    static QString PDO(const QString& cob, const QString& dimension)
    {
        return QStringLiteral("<row COB-ID=\"%1\" Dimension=\"%2\" Mnemonic=\"\"/>").arg(cob, dimension);
    }
    QString Text() const { return QString::fromLatin1(Read(Out("out.eds"))); }
};

TEST_F(CANopenEDSTest, WritesTheWholeFileFromThePDOAndServerObjectFiles)
{
    Use("fieldbus/eds/PDO_CANopen.xml", PDO_CANopen_File);
    Use("fieldbus/eds/SDO_Server_CANopen.xml", SDO_Server_CANopen_File);
    Write_EDS_File(Out("out.eds"), At(12, 30));
    ExpectSameFile(Read(Out("out.eds")), Expected("fieldbus/eds/expected.eds"));

    // Module state after the write: the PDOs and the objects in order of first appearance.
    EXPECT_EQ(Num_Receive_PDO, 1);
    EXPECT_EQ(Num_Transmit_PDO, 1);
    EXPECT_EQ(EDS_PDO_Table[30].COB_ID, 0x181);
    ASSERT_EQ(SDO_Index_List.size(), 3u);
    EXPECT_EQ(Find_SDO_Index(0x2200), 2);
    EXPECT_EQ(Find_SDO_Index(0x2300), -1);

    // A second write starts afresh: nothing accumulates.
    Write_EDS_File(Out("out.eds"), At(12, 30));
    ExpectSameFile(Read(Out("out.eds")), Expected("fieldbus/eds/expected.eds"));
}

TEST_F(CANopenEDSTest, WithoutBothFilesOnlyTheFixedSectionsAreWritten)
{
    Write_EDS_File(Out("out.eds"), At(9, 5));
    const QString text = Text();
    EXPECT_TRUE(text.contains("NrOfRXPDO=0\r\nNrOfTXPDO=0\r\n"));
    EXPECT_TRUE(text.contains("[OptionalObjects]\r\nSupportedObjects=8\r\n1=0x1005\r\n"));
    EXPECT_TRUE(text.contains("8=0x1280\r\n\r\n[ManufacturerObjects]\r\nSupportedObjects=0\r\n\r\n[1000]"));
    EXPECT_TRUE(text.endsWith("[1280sub3]\r\nParameterName=Node ID of the SDO Server\r\nObjectType=0x07\r\n"
                              "DataType=0x0005\r\nAccessType=rw\r\nPDOMapping=0\r\n\r\n"));
    EXPECT_FALSE(text.contains("[1400]"));
}

TEST_F(CANopenEDSTest, PDOVariablesAreNamedFromTheTablesAndOddValuesFallBack)
{
    // Eleven receive PDOs of one byte, then one whose texts are no numbers.
    QString rows;
    for (int i = 0; i < 11; ++i)
        rows += PDO(QString::number(0x200 + i), "1");
    rows += PDO("zz", "");
    PDO_File(rows, PDO("0x181", "1"));
    Write_EDS_File(Out("out.eds"), At(9, 5));
    const QString text = Text();
    EXPECT_EQ(Num_Receive_PDO, 12);
    // The tenth is named with i, the eleventh with aa.
    EXPECT_TRUE(text.contains("[7009sub1]\r\nParameterName=i1\r\n"));
    EXPECT_TRUE(text.contains("[700Asub1]\r\nParameterName=aa1\r\n"));
    EXPECT_TRUE(text.contains("[7050sub1]\r\nParameterName=l1\r\nObjectType=0x07\r\nDataType=0x0005\r\nAccessType=rwr\r\n"));
    // COB-ID "zz" gives 0, an empty Dimension 8.
    EXPECT_TRUE(text.contains("[140Bsub1]\r\nParameterName=COB-ID\r\nObjectType=0x07\r\nDataType=0x0007\r\n"
                              "AccessType=rw\r\nDefaultValue=0x00000000\r\n"));
    EXPECT_TRUE(text.contains("[160B]\r\nSubNumber=9\r\n"));
    EXPECT_TRUE(text.contains("[700Bsub8]\r\nParameterName=ab8\r\n"));
    EXPECT_TRUE(text.contains("SupportedObjects=47\r\n"));  // 8 + 3 x 12 + 3 x 1
}

TEST_F(CANopenEDSTest, MoreThanThirtyPDOsInASectionAreCutToThirty)
{
    QString rows;
    for (int i = 0; i < 35; ++i)
        rows += PDO(QString::number(0x200 + i), "1");
    PDO_File(QString(), rows);
    Write_EDS_File(Out("out.eds"), At(9, 5));
    EXPECT_EQ(Num_Transmit_PDO, 30);
    const QString text = Text();
    EXPECT_TRUE(text.contains("NrOfTXPDO=30\r\n"));
    EXPECT_TRUE(text.contains("[706Dsub1]\r\nParameterName=cv1\r\n"));
    EXPECT_FALSE(text.contains("[706E]"));
}

TEST_F(CANopenEDSTest, ServerObjectsWithSubIndexZeroOrTwiceAndMissingSections)
{
    // The same Index and SubIndex in both tables: two sections of one name, read-only first.
    Write(SDO_Server_CANopen_File,
          "<SDO_Server_CANopen><SDO_Read><row Index=\"0x3000\" SubIndex=\"10\" NByte=\"1\"/></SDO_Read>"
          "<SDO_Write><row Index=\"$3000\" SubIndex=\"10\" NByte=\"2\"/></SDO_Write></SDO_Server_CANopen>");
    // A PDO file without its sections gives no PDO.
    Write(PDO_CANopen_File, "<PDO_CANopen/>");
    Write_EDS_File(Out("out.eds"), At(9, 5));
    const QString text = Text();
    EXPECT_TRUE(text.contains("NrOfRXPDO=0\r\n"));
    EXPECT_TRUE(text.contains("[3000]\r\nSubNumber=3\r\nParameterName=App Vars\r\nObjectType=0x9\r\n\r\n"
                              "[3000sub0]\r\nParameterName=Largest Sub-Index supported\r\nObjectType=0x7\r\n"
                              "DataType=0x0005\r\nAccessType=ro\r\nDefaultValue=0x0A\r\nPDOMapping=0\r\n\r\n"
                              "[3000sub10]\r\nParameterName=Application Variable\r\nObjectType=0x7\r\nDataType=0x0005\r\n"
                              "LowLimit=0x00\r\nHighLimit=0xFF\r\nDefaultValue=0x00\r\nAccessType=ro\r\nPDOMapping=0\r\n\r\n"
                              "[3000sub10]\r\nParameterName=Application Variable\r\nObjectType=0x7\r\nDataType=0x0006\r\n"));

    // A server file with neither table: no manufacturer object.
    Write(SDO_Server_CANopen_File, "<SDO_Server_CANopen/>");
    Write_EDS_File(Out("out.eds"), At(9, 5));
    EXPECT_TRUE(Text().contains("[ManufacturerObjects]\r\nSupportedObjects=0\r\n"));
}

TEST_F(CANopenEDSTest, BrokenConfigurationFilesStopTheWriterAndLeaveTheOldFile)
{
    const struct {
        const char* what;
        const char* pdo;
        const char* sdo;
        const char* message;
    } cases[] = {
        {"no COB-ID", "<PDO_CANopen><Receive_PDO><row Dimension=\"2\"/></Receive_PDO></PDO_CANopen>", nullptr,
         "A row of \"PDO_CANopen.xml\" has no attribute \"COB-ID\""},
        {"no Dimension", "<PDO_CANopen><Transmit_PDO><row COB-ID=\"1\"/></Transmit_PDO></PDO_CANopen>", nullptr,
         "A row of \"PDO_CANopen.xml\" has no attribute \"Dimension\""},
        {"no NByte", nullptr, "<SDO_Server_CANopen><SDO_Write><row Index=\"0x2000\" SubIndex=\"1\"/></SDO_Write></SDO_Server_CANopen>",
         "A row of \"SDO_Server_CANopen.xml\" has no attribute \"NByte\""},
        {"Index no number", nullptr, "<SDO_Server_CANopen><SDO_Read><row Index=\"abc\" SubIndex=\"1\" NByte=\"1\"/></SDO_Read></SDO_Server_CANopen>",
         "'abc' is not a valid integer value (attribute \"Index\" in \"SDO_Server_CANopen.xml\")"},
        {"Dimension too large", "<PDO_CANopen><Receive_PDO><row COB-ID=\"1\" Dimension=\"1000000\"/></Receive_PDO></PDO_CANopen>",
         nullptr, "A row of \"PDO_CANopen.xml\" has the Dimension 1000000, outside 1 to 8"},
        {"Dimension negative", "<PDO_CANopen><Transmit_PDO><row COB-ID=\"1\" Dimension=\"-4\"/></Transmit_PDO></PDO_CANopen>",
         nullptr, "A row of \"PDO_CANopen.xml\" has the Dimension -4, outside 1 to 8"},
        {"Dimension zero", "<PDO_CANopen><Transmit_PDO><row COB-ID=\"1\" Dimension=\"0\"/></Transmit_PDO></PDO_CANopen>",
         nullptr, "A row of \"PDO_CANopen.xml\" has the Dimension 0, outside 1 to 8"},
        {"not well-formed", "<PDO_CANopen><Receive_PDO>", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(PDO_CANopen_File);
        QFile::remove(SDO_Server_CANopen_File);
        if (c.pdo)
            Write(PDO_CANopen_File, c.pdo);
        if (c.sdo)
            Write(SDO_Server_CANopen_File, c.sdo);
        Write(Out("old.eds"), "old");
        DialogSeam::QueueFileName("old.eds");
        DialogSeam::QueueAnswer(IDOK);
        TSaveDialog dialog(nullptr);
        Build_EDS_File(dialog);
        EXPECT_EQ(Read(Out("old.eds")), "old");
        const QStringList boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1);
        if (c.message) {
            EXPECT_EQ(boxes[0], QString::fromLatin1(c.message) + u'.');
        }
        EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_OK | MB_ICONERROR);
        DialogSeam::Clear();
    }
}

TEST_F(CANopenEDSTest, TheStepAsksTheNameInTheConfigurationFolderAndReplacesWithoutAQuestion)
{
    Use("fieldbus/eds/PDO_CANopen.xml", PDO_CANopen_File);
    TSaveDialog SaveEDS(nullptr);

    DialogSeam::QueueCancel();
    Build_EDS_File(SaveEDS);
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    const TShownDialog& shown = DialogSeam::Shown()[0];
    EXPECT_EQ(shown.Kind, TShownDialog::SaveDialog);
    EXPECT_EQ(shown.Filter, "Electronic Data Sheet (*.eds)|*.eds");
    EXPECT_EQ(shown.InitialDir, Project_Folder);
    EXPECT_EQ(shown.DefaultExt, "eds");
    EXPECT_TRUE(QDir(Project_Folder).entryList(QDir::Files).contains("PDO_CANopen.xml"));
    EXPECT_EQ(QDir(Project_Folder).entryList(QDir::Files).size(), 1);

    Write(Out("device.eds"), "old");
    DialogSeam::QueueFileName("device");
    Build_EDS_File(SaveEDS);
    EXPECT_TRUE(Boxes().isEmpty());
    const QString text = QString::fromLatin1(Read(Out("device.eds")));
    EXPECT_TRUE(text.startsWith("[FileInfo]\r\nFileName=NMEA_Send_Frames_CANopen.eds\r\n"));
    EXPECT_TRUE(text.contains("NrOfRXPDO=1\r\n"));
}

TEST(EDSTimeTexts, TwelveHourClockAndMonthFirstDate)
{
    const struct { Word h, m; const char* text; } times[] = {
        {0, 15, "12:15AM"}, {9, 7, "09:07AM"}, {11, 59, "11:59AM"}, {12, 0, "12:00PM"},
        {12, 30, "12:30PM"}, {13, 5, "01:05PM"}, {23, 59, "11:59PM"},
    };
    for (const auto& t : times)
        EXPECT_EQ(EDS_Time_Text(EncodeDate(2025, 3, 5) + EncodeTime(t.h, t.m, 59, 0)), t.text) << t.h << ":" << t.m;
    EXPECT_EQ(EDS_Date_Text(EncodeDate(2025, 3, 5)), "03-05-2025");
    EXPECT_EQ(EDS_Date_Text(EncodeDate(1999, 12, 31)), "12-31-1999");
}

} // namespace
