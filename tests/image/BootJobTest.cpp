// The updater's job file Ethernet_Update.xml as the update dialog writes it
// beside the program: the whole file for one job, and the operations each
// update option, read-back state and BACnet side give.

#include <QFile>

#include "BootTestSupport.h"
#include "platform/StdControls.h"

namespace {

class BootJobTest : public BootTest {
protected:
    void SetUp() override
    {
        BootTest::SetUp();
        // The job names the files by their full paths, written as they stand.
        Master_Folder = QStringLiteral("/opt/arvinto/MASTER");
        Project_Folder = QStringLiteral("/opt/arvinto/PROJECTS/Plant_1");
    }

    // Writes the job for an option, read-back state and BACnet side.
    void Write_Job(TFBoot& form, Integer option, bool read_back, Integer bacnet_type)
    {
        form.CB_Update_Options->SetItemIndex(option);
        form.CB_Update_Option_Read_Back->SetChecked(read_back);
        form.BACnetType = bacnet_type;
        QString error;
        ASSERT_TRUE(form.Compile_XML_Parameter_New_Boot(&error)) << error.toStdString();
    }
};

TEST_F(BootJobTest, WholeFileOfAFirmwareAndConfigurationJob)
{
    TFBoot form(nullptr);
    Set_Address(form, "10", "1", "20", "7");
    Write_Job(form, Update_Option_Firmware_Configuration, true, 0);

    QFile written(Path("Ethernet_Update.xml"));
    QFile expected(QStringLiteral(TEST_DATA_DIR "/image/Ethernet_Update-firmware-configuration.xml"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(written.readAll()), QString::fromUtf8(expected.readAll()));
}

TEST_F(BootJobTest, OperationsPerOptionReadBackAndBACnetSide)
{
    const QString fw = QStringLiteral("/opt/arvinto/MASTER/Sim59D16.sim");
    const QString b1 = QStringLiteral("/opt/arvinto/PROJECTS/Plant_1/bin/bank1.bin");
    const QString b2 = QStringLiteral("/opt/arvinto/PROJECTS/Plant_1/bin/bank2.bin");
    struct Case {
        Integer option;
        bool read_back;
        Integer bacnet_type;
        const char* protection;
        std::vector<TJob_Op> ops;
    };
    const Case cases[] = {
        // Firmware, read back off, BACnet/IP: the firmware image alone goes to the application after it.
        {Update_Option_Firmware, false, 0, "0x301", {{fw, "0x8000", "1", "0", "1", "0", "1"}}},
        // Configuration, BACnet MS/TP: bank 1 writes the internal data, bank 2 goes to the application.
        {Update_Option_Configuration, true, 1, "0x302",
         {{b1, "0x07000", "2", "1", "0", "1", "0"}, {b2, "0x80000", "2", "1", "0", "0", "1"}}},
        // Firmware and configuration: only the third goes to the application.
        {Update_Option_Firmware_Configuration, false, 1, "0x302",
         {{fw, "0x8000", "1", "0", "1", "0", "0"},
          {b1, "0x07000", "2", "0", "0", "1", "0"},
          {b2, "0x80000", "2", "0", "0", "0", "1"}}},
    };
    TFBoot form(nullptr);
    Set_Address(form, "127", "0", "0", "1");
    TXMLDocument doc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        Write_Job(form, c.option, c.read_back, c.bacnet_type);
        EXPECT_EQ(Job_Operations(doc, Path("Ethernet_Update.xml")), c.ops);
        const TXMLNode root = doc.Root();
        EXPECT_EQ(root.NodeName(), QStringLiteral("Ethernet_Update"));
        EXPECT_EQ(root.FindChild(QStringLiteral("Protections")).FindChild(QStringLiteral("Protection")).Text(),
                  QLatin1String(c.protection));
        EXPECT_EQ(root.FindChild(QStringLiteral("IP_Address_Dev")).Text(), QStringLiteral("127.0.0.1"));
    }
}

TEST_F(BootJobTest, ASecondJobReplacesTheWholeFile)
{
    TFBoot form(nullptr);
    Set_Address(form, "127", "0", "0", "1");
    Write_Job(form, Update_Option_Firmware_Configuration, true, 0);
    // Typed texts go in as they are, even an empty part.
    Set_Address(form, "127", "0", "0", "");
    Write_Job(form, Update_Option_Firmware, true, 0);
    TXMLDocument doc;
    EXPECT_EQ(Job_Operations(doc, Path("Ethernet_Update.xml")).size(), 1u);
    EXPECT_EQ(doc.Root().FindChild(QStringLiteral("IP_Address_Dev")).Text(), QStringLiteral("127.0.0."));
    EXPECT_EQ(doc.ChildCount(), 1);
}

TEST_F(BootJobTest, AJobThatCannotBeWrittenSaysWhy)
{
    TFBoot form(nullptr);
    Exe_Folder = Exe.filePath(QStringLiteral("gone"));
    QString error;
    EXPECT_FALSE(form.Compile_XML_Parameter_New_Boot(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(TFBoot::Job_File_Name()));
}

} // namespace
