// Every window that loads and writes a configuration file keeps what the
// file holds: a root preceded by a comment or processing instruction still
// loads, and a file that cannot be read is replaced by OK only after a
// question, its original kept beside it.
#include "AppFixture.h"

#include "bacnet/UBACnetAccess.h"
#include "bacnet/UBACnetSlaveSetAccess.h"
#include "controls/FxButton.h"
#include "fieldbus/UReceiveCAN.h"
#include "mbus/UMeter_Bus.h"
#include "parameters/ULoRa_Set_Access.h"
#include "parameters/UParGen.h"
#include "platform/FileSystem.h"
#include "platform/TestHooks.h"

#include <QDir>

namespace {

QByteArray Read_File(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A window, its file, and a small file of it whose one row (or field)
// carries the word "marker".
struct TWindowCase {
    const char* Name;
    TForm* (*Window)();
    TFxButton* (*OK)();
    const QString* File;
    const char* Content;
};

const TWindowCase Cases[] = {
    {"general parameters", []() -> TForm* { return FParGen; }, [] { return FParGen->Btn_OK; }, &ParGen_File,
     "<Par_Gen><Eth_Conn_Device_Name>marker</Eth_Conn_Device_Name><BACnet_Master_Type>0</BACnet_Master_Type>"
     "</Par_Gen>"},
    {"LoRaWAN rules", []() -> TForm* { return FLoRa_Set_Access; }, [] { return FLoRa_Set_Access->Btn_OK; },
     &LoRaWAN_SetAccess_File,
     "<LoRaWAN_Set_Access><LoRaWAN_Uplink><row Enable=\"N\" StartByte=\"1\" NumByte=\"1\" Mnemonic=\"marker\"/>"
     "</LoRaWAN_Uplink><LoRaWAN_Downlink/></LoRaWAN_Set_Access>"},
    {"BACnet client", []() -> TForm* { return FBACnetAccess; }, [] { return FBACnetAccess->Btn_OK; },
     &BACnet_Master_Access_File,
     "<BACnet_Master_Access><BACnet_Read><row Enable=\"N\" IP_Address_Slave_ID=\"10.0.0.1\" Mnemonic=\"marker\"/>"
     "</BACnet_Read><BACnet_Write/></BACnet_Master_Access>"},
    {"BACnet server", []() -> TForm* { return FBACnetSlaveSetAccess; }, [] { return FBACnetSlaveSetAccess->Btn_OK; },
     &BACnet_Slave_SetAccess_File,
     "<BACnet_to_Modbus><BACnet_in_Read><row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"0\" "
     "Length=\"4\" Swap=\"N\" Mnemonic=\"marker\"/></BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus>"},
    {"M-Bus network", []() -> TForm* { return FMeter_Bus; }, [] { return FMeter_Bus->Btn_OK; }, &M_Bus_File,
     "<M-Bus_Network><Nodo Descrizione=\"marker\"><Variabile Enable=\"1\" Desc=\"v\" Type=\"0\" Fun_Field=\"0\" "
     "Dim=\"0\"/></Nodo></M-Bus_Network>"},
    {"rule-table frame (CAN receive)", []() -> TForm* { return FReceiveCAN; }, [] { return FReceiveCAN->Btn_OK; },
     &CAN_Rec_Frames_File, "<Receive_Frames><row Enable=\"N\" COBID=\"1\" Mnemonic=\"marker\"/></Receive_Frames>"},
};

class ConfigFilesKept : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(QDir().mkpath(Exe_Folder + "/PROJECTS/Site1/bin"));
        Project_Name = "Site1";
        Project_Folder = Exe_Folder + "/PROJECTS/Site1";
        Set_Files();
        // What the LoRaWAN and BACnet windows read of the general parameters.
        Write(ParGen_File, "<Par_Gen><LoRa_Payload_Size>51</LoRa_Payload_Size><LoRa_FPort>Fixed</LoRa_FPort>"
                           "<BACnet_Master_Type>0</BACnet_Master_Type></Par_Gen>");
    }
    // Opens the window as its step does (without the modal loop), answering
    // Boxes boxes with OK; returns their texts.
    static QStringList Open(TForm* form, int boxes)
    {
        DialogSeam::Clear();
        for (int i = 0; i < boxes; ++i)
            DialogSeam::QueueAnswer(IDOK);
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
        const QStringList shown = Boxes();
        DialogSeam::Clear();
        return shown;
    }
    // Presses OK answering each box in turn; returns their texts.
    static QStringList Press_OK(TFxButton* ok, std::initializer_list<Integer> answers)
    {
        DialogSeam::Clear();
        for (Integer a : answers)
            DialogSeam::QueueAnswer(a);
        TestInput::Click(ok);
        const QStringList shown = Boxes();
        DialogSeam::Clear();
        return shown;
    }
};

TEST_F(ConfigFilesKept, ARootAfterACommentOrInstructionLoadsAndOKKeepsIt)
{
    for (const TWindowCase& c : Cases) {
        for (const char* before : {"<!-- written by hand -->", "<?tool v1?>\n"}) {
            SCOPED_TRACE(std::string(c.Name) + " after " + before);
            Write(*c.File, QByteArray(before) + c.Content);
            EXPECT_EQ(Open(c.Window(), 0), QStringList());
            EXPECT_EQ(Press_OK(c.OK(), {}), QStringList());
            EXPECT_EQ(c.Window()->ModalResult(), mrOk);
            // The row or field the file held is written back, not wiped.
            EXPECT_TRUE(Read_File(*c.File).contains("marker")) << Read_File(*c.File).toStdString();
        }
    }
}

TEST_F(ConfigFilesKept, AnUnreadableFileIsReplacedOnlyAfterAQuestionAndKeptBeside)
{
    for (const TWindowCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        const QByteArray broken = QByteArray(c.Content).chopped(8);
        Write(*c.File, broken);
        QFile::remove(*c.File + ".bad");
        QFile::remove(*c.File + ".bad2");
        // An older unreadable copy is kept as it is.
        if (c.File == &M_Bus_File)
            Write(*c.File + ".bad", "older");
        const QString kept = *c.File + (c.File == &M_Bus_File ? ".bad2" : ".bad");

        // The load's error, and the window opens.
        EXPECT_EQ(Open(c.Window(), 1).size(), 1);

        // No: nothing is written and the window stays open.
        const QStringList asked = Press_OK(c.OK(), {IDNO});
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked[0].contains(ExtractFileName(*c.File))) << asked[0].toStdString();
        EXPECT_TRUE(asked[0].contains(ExtractFileName(kept))) << asked[0].toStdString();
        EXPECT_EQ(c.Window()->ModalResult(), mrNone);
        EXPECT_EQ(Read_File(*c.File), broken);
        EXPECT_FALSE(QFile::exists(kept));

        // Yes: the original is kept beside, then the file is written.
        EXPECT_EQ(Press_OK(c.OK(), {IDYES}).size(), 1);
        EXPECT_EQ(c.Window()->ModalResult(), mrOk);
        EXPECT_EQ(Read_File(kept), broken);
        TXMLDocument xml;
        EXPECT_TRUE(xml.LoadFromFile(*c.File)) << xml.ErrorMessage().toStdString();
        if (c.File == &M_Bus_File) {
            EXPECT_EQ(Read_File(*c.File + ".bad"), "older");
        }

        // The next opening reads the new file: OK asks nothing.
        EXPECT_EQ(Open(c.Window(), 0), QStringList());
        EXPECT_EQ(Press_OK(c.OK(), {}), QStringList());
        EXPECT_EQ(c.Window()->ModalResult(), mrOk);
    }
}

} // namespace
