// The converter's EDE file: the whole file from a server-object fixture, the
// device instance and name length ParGen.xml selects, numbering, broken
// files, and the step with its ".csv" rule and its Yes/No/Cancel question.
#include "bacnet/UBACnet_EDE_File.h"

#include "DescriptionFileTest.h"

#include "platform/Dialogs.h"

namespace {

class EDEFileTest : public TDescriptionFileTest {
protected:
    void SetUp() override
    {
        TDescriptionFileTest::SetUp();
        EDE_Dev_Instance.clear();  // as at program start
    }
    static TDateTime When() { return EncodeDate(2025, 1, 7) + EncodeTime(9, 5, 3, 0); }
    void ParGen(const QString& children)
    {
        Write(ParGen_File, ("<Par_Gen>" + children + "</Par_Gen>").toUtf8());
    }
    void Objects(const QString& read, const QString& write = QString())
    {
        Write(BACnet_Slave_SetAccess_File, QStringLiteral("<BACnet_to_Modbus><BACnet_in_Read>%1</BACnet_in_Read>"
                                                          "<BACnet_in_Write>%2</BACnet_in_Write></BACnet_to_Modbus>")
                                               .arg(read, write)
                                               .toUtf8());
    }
    static QString Row(const QString& type, const QString& mnemonic, const QString& unit = "62")
    {
        return QStringLiteral("<row Data_Type=\"%1\" Eng_Unit=\"%2\" Mnemonic=\"%3\"/>").arg(type, unit, mnemonic);
    }
    // The object lines of a write.
    QStringList Object_Lines()
    {
        Write_EDE_File(Out("out.csv"), When());
        return Lines(Out("out.csv")).mid(7);
    }
};

TEST_F(EDEFileTest, WritesTheWholeFileFromTheServerObjects)
{
    Use("bacnet/ede/ParGen.xml", ParGen_File);
    Use("bacnet/ede/BACnet_Slave_SetAccess.xml", BACnet_Slave_SetAccess_File);
    Write_EDE_File(Out("plant.csv"), When());
    ExpectSameFile(Read(Out("plant.csv")), Expected("bacnet/ede/expected.csv"));
    EXPECT_TRUE(EDE_Object_List.empty());  // released after the write

    // A second write numbers from 0 again.
    Write_EDE_File(Out("plant.csv"), When());
    ExpectSameFile(Read(Out("plant.csv")), Expected("bacnet/ede/expected.csv"));
}

TEST_F(EDEFileTest, ParGenChoosesTheDeviceInstanceAndTheNameLength)
{
    Objects(Row("Analog Input", "Boiler supply temperature"));

    ParGen("<BACnet_Type>0</BACnet_Type><BACnet_DEV_IDE>1001</BACnet_DEV_IDE><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit>");
    EXPECT_EQ(Object_Lines(), QStringList{"1001_Boiler supply temperature_0;1001;Boiler supply temperature;0;0;"
                                          "Boiler supply temperature;62;"});

    // Serial link: the serial device instance; without the limit 16 characters again.
    ParGen("<BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>1001</BACnet_DEV_IDE><BACnet_Ser_DEV_IDE>77</BACnet_Ser_DEV_IDE>");
    EXPECT_EQ(Object_Lines(), QStringList{"77_Boiler supply temperature_0;77;Boiler supply te;0;0;Boiler supply te;62;"});

    // Without the chosen element, or without the file, the instance is
    // empty: nothing of the previous write's configuration is carried over.
    ParGen("<BACnet_Type>1</BACnet_Type><BACnet_DEV_IDE>1001</BACnet_DEV_IDE><BACnet_Desc_Chars_Limit>0</BACnet_Desc_Chars_Limit>");
    EXPECT_EQ(Object_Lines().front(), "_Boiler supply temperature_0;;Boiler supply te;0;0;Boiler supply te;62;");
    ParGen("<BACnet_Type>0</BACnet_Type><BACnet_DEV_IDE>1001</BACnet_DEV_IDE>");
    QFile::remove(ParGen_File);
    EXPECT_EQ(Object_Lines().front().section(';', 1, 1), "");
    EXPECT_FALSE(EDE_Long_Names);
    ParGen("<BACnet_Type>x</BACnet_Type>");
    EXPECT_EQ(Object_Lines().front(), "_Boiler supply temperature_0;;Boiler supply te;0;0;Boiler supply te;62;");

    // A device instance with a ";" or a line break stays one column.
    ParGen("<BACnet_DEV_IDE>10;01&#10;</BACnet_DEV_IDE>");
    EXPECT_EQ(Object_Lines(), QStringList{"10 01 _Boiler supply temperature_0;10 01 ;Boiler supply te;0;0;"
                                          "Boiler supply te;62;"});
}

TEST_F(EDEFileTest, ObjectTypesAndTheirInstanceCounters)
{
    const struct { const char* text; Integer type; } types[] = {
        {"Analog Input", 0}, {"ANALOG OUT", 1}, {"analog value ", 2}, {" Binary Input", 3}, {"Binary Out", 4},
        {"Binary Value", 5}, {"Multi State Input", 13}, {"Multi State Output", 14}, {"Multi State Value", 19},
        {"Life Safety Point", 21}, {"Life Safety Zone", 22}, {"Accumulator", 23}, {"Access Door", 30},
        {"CharacterString Value", 40}, {"DateTime Value", 44}, {"Integer Value", 45}, {"Large Analog Value", 46},
        {"Positive Integer Value", 48}, {"Float", 0}, {"", 0},
    };
    for (const auto& t : types)
        EXPECT_EQ(EDE_Object_Type_Code(t.text), t.type) << t.text;

    Reset_EDE_Instances();
    EXPECT_EQ(EDE_Next_Instance(19), 0);
    EXPECT_EQ(EDE_Next_Instance(19), 1);
    EXPECT_EQ(EDE_Next_Instance(48), 0);
    EXPECT_EQ(EDE_Next_Instance(0), 0);
    Reset_EDE_Instances();
    EXPECT_EQ(EDE_Next_Instance(19), 0);
    EXPECT_EQ(EDE_Timestamp_Text(When()), "09:05:03 07/01/2025");
}

TEST_F(EDEFileTest, MissingFilesGiveHeaderLinesOnlyAndBrokenOnesWriteNothing)
{
    Project_Name.clear();
    Write_EDE_File(Out("empty.csv"), When());
    const QStringList lines = Lines(Out("empty.csv"));
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "PROJECT_NAME; Velmora--;;;;;;");

    const struct { const char *what, *file, *message; } broken[] = {
        {"no Mnemonic", "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\"/></BACnet_in_Read>"
                        "<BACnet_in_Write/></BACnet_to_Modbus>",
         "A row of \"BACnet_Slave_SetAccess.xml\" has no attribute \"Mnemonic\"."},
        {"no Eng_Unit", "<BACnet_to_Modbus><BACnet_in_Read/><BACnet_in_Write><row Data_Type=\"x\" Mnemonic=\"m\"/>"
                        "</BACnet_in_Write></BACnet_to_Modbus>",
         "A row of \"BACnet_Slave_SetAccess.xml\" has no attribute \"Eng_Unit\"."},
        {"no write table", "<BACnet_to_Modbus><BACnet_in_Read/></BACnet_to_Modbus>",
         "\"BACnet_Slave_SetAccess.xml\" has no element \"BACnet_in_Write\"."},
        {"not well-formed", "<BACnet_to_Modbus><BACnet_in_Read>", nullptr},
    };
    for (const auto& b : broken) {
        SCOPED_TRACE(b.what);
        DialogSeam::Clear();
        Write(BACnet_Slave_SetAccess_File, b.file);
        Write(Out("old.csv"), "old");
        TSaveDialog SD1(nullptr);
        DialogSeam::QueueFileName("old.csv");
        DialogSeam::QueueAnswer(IDYES);
        DialogSeam::QueueAnswer(IDOK);
        BACnet_EDE_File(SD1);
        EXPECT_EQ(Read(Out("old.csv")), "old");
        ASSERT_EQ(Boxes().size(), 2);
        if (b.message) {
            EXPECT_EQ(Boxes()[1], b.message);
        }
        EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_OK | MB_ICONERROR);
        EXPECT_TRUE(EDE_Object_List.empty());
    }
}

TEST_F(EDEFileTest, TheStepAddsCsvAndOverwritesOnlyOnYes)
{
    const struct { const char *chosen, *written; } names[] = {
        {"plant.CSV", "plant.CSV"}, {"plant.csv", "plant.csv"}, {"plant.Csv", "plant.Csv"},
        {"plant", "plant.csv"}, {"plant.txt", "plant.txt.csv"}, {"csv", "csv.csv"},
    };
    for (const auto& n : names)
        EXPECT_EQ(EDE_File_Path(n.chosen), n.written) << n.chosen;

    Use("bacnet/ede/BACnet_Slave_SetAccess.xml", BACnet_Slave_SetAccess_File);
    TSaveDialog SD1(nullptr);
    DialogSeam::QueueFileName("plant");
    BACnet_EDE_File(SD1);
    EXPECT_TRUE(Boxes().isEmpty());
    EXPECT_EQ(Lines(Out("plant.csv")).size(), 17);
    const TShownDialog& dialog = DialogSeam::Shown().front();
    EXPECT_EQ(dialog.Filter, "CSV (MS-DOS) (*.csv)|*.csv");
    EXPECT_EQ(dialog.InitialDir, Project_Folder);

    for (Integer answer : {IDNO, IDCANCEL, IDYES}) {
        SCOPED_TRACE(answer);
        DialogSeam::Clear();
        Write(Out("plant.csv"), "old");
        DialogSeam::QueueFileName("plant.csv");
        DialogSeam::QueueAnswer(answer);
        BACnet_EDE_File(SD1);
        ASSERT_EQ(Boxes(), QStringList{"File already exists! Do you want to overwrite the file?"});
        EXPECT_EQ(DialogSeam::Shown().back().Flags, MB_YESNOCANCEL | MB_ICONQUESTION);
        EXPECT_EQ(Read(Out("plant.csv")) == "old", answer != IDYES);
    }

    DialogSeam::Clear();
    DialogSeam::QueueCancel();
    BACnet_EDE_File(SD1);
    EXPECT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_FALSE(QFile::exists(Out(".csv")));
}

} // namespace
