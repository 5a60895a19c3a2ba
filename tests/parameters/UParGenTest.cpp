// The general parameters window worked as a user works it: shown on a
// configuration folder, fields picked and typed, OK and Cancel pressed, the
// file and the boxes it leaves behind read back.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "OkButton.h"
#include "ParGenFixture.h"
#include "Screenshot.h"
#include "controls/FxButton.h"
#include "parameters/UParGen.h"
#include "platform/CategoryPanel.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

const QString AS923_DR6 = QStringLiteral("6\t- LoRa: SF7/250kHz 11000 [bit/s]");

struct TParGenWindow : TParGenFixture {

    // Opens the window as the main window's step does (without the modal loop).
    void Open()
    {
        form->Hide();
        form->SetModalResult(mrNone);
        form->Show();
    }
    void Write_File(const QString& xml)
    {
        QFile f(ParGen_File);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(xml.toUtf8());
    }
    void Write_Elements(const QString& children)
    {
        Write_File(QStringLiteral("<Par_Gen>%1</Par_Gen><!--SW_VERSION = 1.006-->").arg(children));
    }
    QString File_Text() const
    {
        QFile f(ParGen_File);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    // The stored text of one element of the written file.
    QString Stored(const char* element) const
    {
        TXMLDocument doc;
        EXPECT_TRUE(doc.LoadFromFile(ParGen_File));
        return doc.Root().FindChild(QString::fromLatin1(element)).Text();
    }
    QString OK_Fails() { return ::OK_Fails(form, form->Btn_OK); }
    void OK_Passes() { ::OK_Passes(form, form->Btn_OK); }
    static QString Lang(Integer i) { return Language_Texts->Strings(i); }
    // The window sized by the user to show every panel, grabbed.
    void Save_Screenshot(const char* name)
    {
        const Integer height = form->ClientHeight();
        form->SetClientHeight(1130);
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), QString::fromLatin1(name)).isEmpty());
        form->SetClientHeight(height);
    }
    // Clicks a check box on its box, as a user does.
    static void Tick(TCheckBox* cb) { TestInput::Click(cb, TPoint{6, 8}); }
};

TEST_F(TParGenWindow, NewConfigurationShowsDefaultsAndOKWritesTheWholeFile)
{
    Open();
    EXPECT_EQ(form->CB_LoRa_RF_Band->Text(), "AS923");
    EXPECT_EQ(form->CB_LoRa_DataRate->Text(), AS923_DR6);
    EXPECT_EQ(form->E_LoRa_Payload_Size->Text(), "230");
    EXPECT_EQ(form->CB_BACnet_Master_Type->Text(), "BACnet/IP");
    EXPECT_EQ(form->E_BACnet_IP_Master_Port->Text(), "47808");
    EXPECT_EQ(form->E_Ethernet_IP[3]->Text(), "10");
    EXPECT_FALSE(form->Is_Change);

    OK_Passes();
    TXMLDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(ParGen_File));
    ASSERT_EQ(doc.ChildCount(), 2);
    EXPECT_EQ(doc.Root().NodeName(), "Par_Gen");
    EXPECT_EQ(doc.Child(1).Text(), "SW_VERSION = 1.006");
    ASSERT_EQ(doc.Root().ChildCount(), 65);
    EXPECT_EQ(doc.Root().Child(0).NodeName(), "Eth_Conn_Device_Name");
    EXPECT_EQ(doc.Root().Child(64).NodeName(), "BACnet_Master_Ser_Dev_Instance");
    EXPECT_EQ(Stored("LoRa_DataRate"), AS923_DR6);
    EXPECT_EQ(Stored("LoRa_Payload_Size"), "230");
    EXPECT_EQ(Stored("BACnet_Master_Type"), "0");
    EXPECT_EQ(Stored("BACnet_Master_Ser_Par"), "0");
    EXPECT_EQ(Stored("Eth_Conn_DHCP_WiFi"), "0");
}

TEST_F(TParGenWindow, StoredValuesAreShownAndWrittenBack)
{
    Write_Elements(
        "<Eth_Conn_Device_Name>site1</Eth_Conn_Device_Name><Eth_Conn_DHCP_WiFi>1</Eth_Conn_DHCP_WiFi>"
        "<LoRa_RF_Band>us915-hybrid</LoRa_RF_Band><LoRa_Payload_Size>100</LoRa_Payload_Size>"
        "<LoRa_JoinEUI>70b3d57ed0001234</LoRa_JoinEUI><BACnet_Master_Type>1</BACnet_Master_Type>"
        "<BACnet_Master_Port>10000</BACnet_Master_Port><BACnet_Master_Ser_Baud>5</BACnet_Master_Ser_Baud>");
    Open();
    EXPECT_EQ(form->CB_LoRa_RF_Band->Text(), "US915-Hybrid");
    // No data rate stored: the band's first item, and its payload.
    EXPECT_EQ(form->CB_LoRa_DataRate->Text(), "0  - LoRa: SF10/125kHz 980 [bit/s]");
    EXPECT_EQ(form->E_LoRa_Payload_Size->Text(), "11");
    EXPECT_TRUE(form->CB_LoRa_FrequencySubBand->Visible());
    EXPECT_FALSE(form->CB_EthConn_En_DHCP_WiFi->Checked());
    EXPECT_EQ(form->E_LoRa_JoinEUI->Text(), "70B3D57ED0001234");
    EXPECT_EQ(form->CB_BACnet_MSTP_Master_Baudrate->Text(), "115200");

    // MS/TP chosen: the BACnet/IP port 10000 does not stop the save.
    OK_Passes();
    EXPECT_EQ(Stored("LoRa_RF_Band"), "US915-Hybrid");
    EXPECT_EQ(Stored("LoRa_Payload_Size"), "11");
    EXPECT_EQ(Stored("Eth_Conn_DHCP_WiFi"), "0");
    EXPECT_EQ(Stored("Eth_Conn_Device_Name"), "site1");
    EXPECT_EQ(Stored("BACnet_Master_Port"), "10000");
    EXPECT_EQ(Stored("BACnet_Master_Ser_Baud"), "5");
}

TEST_F(TParGenWindow, UnknownBandIsRefusedBeforeAnythingIsWritten)
{
    Write_Elements("<LoRa_RF_Band>EU433</LoRa_RF_Band>");
    const QString before = File_Text();
    Open();
    EXPECT_EQ(form->CB_LoRa_RF_Band->ItemIndex(), -1);
    EXPECT_EQ(form->CB_LoRa_DataRate->Items()->Count(), 0);
    EXPECT_EQ(form->E_LoRa_Payload_Size->Text(), "0");
    EXPECT_FALSE(form->CB_LoRa_FrequencySubBand->Visible());
    EXPECT_EQ(OK_Fails(), "Error LoRa!! RF Band cannot be empty");
    EXPECT_EQ(File_Text(), before);

    // Picking a band fills its list and lets OK through.
    Pick(form->CB_LoRa_RF_Band, 2);
    EXPECT_EQ(form->CB_LoRa_DataRate->Text(), "0 -\tLoRa: SF12/125kHz 250 [bit/s]");
    EXPECT_EQ(form->E_LoRa_Payload_Size->Text(), "51");
    OK_Passes();
    EXPECT_EQ(Stored("LoRa_RF_Band"), "EU868");
}

TEST_F(TParGenWindow, BandAndDataRatePicksRecomputeThePayload)
{
    Open();
    Pick(form->CB_LoRa_RF_Band, 5);  // US915
    Pick(form->CB_LoRa_DataRate, 7);
    EXPECT_EQ(form->CB_LoRa_DataRate->Text(), "10 - LoRa: SF10/500kHz 3900 [bit/s]");
    EXPECT_EQ(form->E_LoRa_Payload_Size->Text(), "222");
    EXPECT_TRUE(form->Is_Change);
    // The hybrid list holds the same text, yet its first item is selected.
    Pick(form->CB_LoRa_RF_Band, 6);
    EXPECT_EQ(form->CB_LoRa_DataRate->ItemIndex(), 0);
    EXPECT_EQ(form->E_LoRa_Payload_Size->Text(), "11");
    // Adaptive DataRate changes neither.
    Tick(form->CB_LoRa_Adaptive_DataRate);
    EXPECT_TRUE(form->CB_LoRa_Adaptive_DataRate->Checked());
    EXPECT_EQ(form->E_LoRa_Payload_Size->Text(), "11");

    // A payload out of range names the maximum of the band and data rate.
    form->E_LoRa_Payload_Size->SetText("12");
    EXPECT_EQ(OK_Fails(), "Error LoRa!! Payload Size must be between 1 and 11");
    EXPECT_FALSE(QFile::exists(ParGen_File));
}

TEST_F(TParGenWindow, ChecksStopAtTheFirstFault)
{
    Open();
    Tick(form->CB_EthConn_Enable_DNS);
    form->E_EthConn_Pri_DNS_IP[1]->SetText("300");
    form->E_LoRa_LNCHECK->SetText("61");
    EXPECT_EQ(OK_Fails(), Lang(2926));
    form->E_EthConn_Pri_DNS_IP[1]->SetText("8");
    EXPECT_EQ(OK_Fails(), Lang(2935));
    form->E_LoRa_LNCHECK->SetText("60");
    form->E_BACnet_IP_Master_Device_Name->SetText("dev-1");
    EXPECT_EQ(OK_Fails(), Lang(602));
    EXPECT_FALSE(QFile::exists(ParGen_File));
    // The values stay as the user left them.
    EXPECT_EQ(form->E_BACnet_IP_Master_Device_Name->Text(), "dev-1");
    form->E_BACnet_IP_Master_Device_Name->SetText("");
    OK_Passes();
    EXPECT_EQ(Stored("Eth_Conn_Enable_DNS"), "1");
}

TEST_F(TParGenWindow, CancelWritesNothingAndTheNextOpeningReloads)
{
    Write_Elements("<LoRa_LNCHECK>30</LoRa_LNCHECK>");
    const QString before = File_Text();
    Open();
    form->E_LoRa_LNCHECK->SetText("45");
    TestInput::Click(form->Btn_Cancel);
    EXPECT_EQ(form->ModalResult(), mrCancel);
    EXPECT_TRUE(DialogSeam::Shown().empty());
    EXPECT_EQ(File_Text(), before);
    Open();
    EXPECT_EQ(form->E_LoRa_LNCHECK->Text(), "30");
}

TEST_F(TParGenWindow, UnreadableFileShowsItsErrorThenTheDefaults)
{
    Write_Elements("<LoRa_RF_Band>EU868</LoRa_RF_Band><Eth_Conn_Device_Name>site1</Eth_Conn_Device_Name>");
    Open();
    ASSERT_EQ(form->E_EthConn_Device_Name->Text(), "site1");

    // Another configuration whose file is broken: nothing of the first stays.
    Write_File("<Par_Gen><LoRa_RF_Band>KR920</LoRa_RF_Band>");
    DialogSeam::QueueAnswer(IDOK);
    Open();
    ASSERT_EQ(DialogSeam::Shown().size(), 1u);
    EXPECT_EQ(DialogSeam::Shown()[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_FALSE(DialogSeam::Shown()[0].Text.isEmpty());
    EXPECT_EQ(form->E_EthConn_Device_Name->Text(), "");
    EXPECT_EQ(form->CB_LoRa_RF_Band->Text(), "AS923");
    EXPECT_EQ(form->CB_LoRa_DataRate->Text(), AS923_DR6);
    EXPECT_EQ(form->E_LoRa_Payload_Size->Text(), "230");
}

TEST_F(TParGenWindow, KeyFilters)
{
    Open();
    Pick(form->CB_BACnet_Master_Type, 1);
    // "." moves along the Ethernet chain and never enters an octet.
    form->E_Ethernet_IP[3]->SetFocus();
    TestInput::TypeText(form->E_Ethernet_IP[3], ".");
    EXPECT_EQ(form->ActiveControl(), form->E_Ethernet_SM[0]);
    EXPECT_EQ(form->E_Ethernet_IP[3]->Text(), "10");
    form->E_Ethernet_GAT[3]->SetFocus();
    TestInput::TypeText(form->E_Ethernet_GAT[3], ".");
    EXPECT_EQ(form->ActiveControl(), form->E_Ethernet_GAT[3]);
    EXPECT_EQ(form->E_Ethernet_GAT[3]->Text(), "1");
    form->E_EthConn_Pri_DNS_IP[3]->SetFocus();
    form->E_EthConn_Pri_DNS_IP[3]->SetText("");
    TestInput::TypeText(form->E_EthConn_Pri_DNS_IP[3], "9.");
    EXPECT_EQ(form->ActiveControl(), form->E_EthConn_Sec_DNS_IP[0]);
    EXPECT_EQ(form->E_EthConn_Pri_DNS_IP[3]->Text(), "9");

    // BACnet/IP octets: the dot is dropped, the focus stays.
    Pick(form->CB_BACnet_Master_Type, 0);
    form->E_BACnet_IP_Master_IP[0]->SetFocus();
    TestInput::TypeText(form->E_BACnet_IP_Master_IP[0], ".");
    EXPECT_EQ(form->ActiveControl(), form->E_BACnet_IP_Master_IP[0]);
    EXPECT_EQ(form->E_BACnet_IP_Master_IP[0]->Text(), "192");

    // Key edits take hexadecimal digits only, shown in upper case.
    form->E_LoRa_Device_Address->SetFocus();
    TestInput::TypeText(form->E_LoRa_Device_Address, "g-a1 z0F");
    EXPECT_EQ(form->E_LoRa_Device_Address->Text(), "A1 0F");

    // A blank the filter let through, or a key pasted with dashes, would
    // compile to zero bytes: OK refuses it with the key's text.
    EXPECT_EQ(OK_Fails(), Lang(500));
    form->E_LoRa_Device_Address->SetText("26-0B-1F");
    EXPECT_EQ(OK_Fails(), Lang(500));
    form->E_LoRa_Device_Address->SetText("260B1F");
    form->E_LoRa_JoinEUI->SetText("70-B3");
    EXPECT_EQ(OK_Fails(), Lang(501));
    form->E_LoRa_JoinEUI->SetText("70B3");
    OK_Passes();
}

TEST_F(TParGenWindow, PanelsFollowTheBACnetTypeBandActivationAndDHCP)
{
    if (ParGen_Served_Model() != "59D16")
        GTEST_SKIP() << "the window is built for " << ParGen_Served_Model().toStdString();
    Open();
    EXPECT_EQ(form->CP_Ethernet_Connection->Caption(), "1. Ethernet Connection");
    EXPECT_EQ(form->CP_LoRa->Caption(), "2. LoRaWAN");
    EXPECT_EQ(form->CP_BACnet_Master->Caption(), "3. BACnet Master");
    EXPECT_EQ(form->CP_Ethernet->Caption(), "4. Ethernet");
    EXPECT_EQ(form->CP_LoRa->TabOrder(), 1);
    EXPECT_FALSE(form->CP_Ethernet->Visible());
    EXPECT_EQ(form->CP_Ethernet_Connection->Height(), 206);
    EXPECT_EQ(form->CP_LoRa->Height(), 394);
    EXPECT_EQ(form->CP_BACnet_Master->Height(), 262);
    EXPECT_TRUE(form->E_BACnet_IP_Master_Port->Visible());
    EXPECT_FALSE(form->CB_BACnet_MSTP_Master_Baudrate->Visible());
    EXPECT_FALSE(form->CB_EthConn_En_DHCP_WiFi->Enabled());
    Save_Screenshot("TFParGen-bacnet-ip");

    Pick(form->CB_BACnet_Master_Type, 1);
    EXPECT_TRUE(form->CP_Ethernet->Visible());
    EXPECT_GT(form->CP_Ethernet->Top(), form->CP_BACnet_Master->Top());
    EXPECT_EQ(form->CP_Ethernet->Height(), 123);
    EXPECT_EQ(form->CP_BACnet_Master->Height(), 262);
    EXPECT_FALSE(form->E_BACnet_IP_Master_Port->Visible());
    EXPECT_FALSE(form->E_BACnet_IP_Master_IP[0]->Visible());
    EXPECT_EQ(form->L_BACnet_MSTP_Master_Baudrate->Top(), 40);
    EXPECT_EQ(form->CB_BACnet_MSTP_Master_Baudrate->Top(), 37);
    EXPECT_EQ(form->E_BACnet_MSTP_Master_Device_Instance->Top(), 205);
    EXPECT_FALSE(form->E_Ethernet_TCP_Port->Visible());
    Save_Screenshot("TFParGen-bacnet-mstp");

    // Sub-band row in, every row below it 28 lower; OTAA: one key row.
    const Integer network_top = form->L_LoRa_Network_Type->Top();
    Pick(form->CB_LoRa_RF_Band, 1);
    EXPECT_TRUE(form->L_LoRa_FrequencySubBand->Visible());
    EXPECT_EQ(form->L_LoRa_Network_Type->Top(), network_top + 28);
    EXPECT_EQ(form->CP_LoRa->Height(), 422);
    Pick(form->CB_LoRa_Activation_Method, 1);
    EXPECT_FALSE(form->E_LoRa_Device_Address->Visible());
    EXPECT_TRUE(form->E_LoRa_Application_Key->Visible());
    EXPECT_EQ(form->CP_LoRa->Height(), 366);

    // Cable DHCP disables the address edits, not the BACnet gateway box.
    Tick(form->CB_EthConn_En_DHCP_Cable);
    EXPECT_FALSE(form->E_Ethernet_IP[0]->Enabled());
    EXPECT_FALSE(form->CB_Ethernet_En_GAT->Enabled());
    Pick(form->CB_BACnet_Master_Type, 0);
    EXPECT_FALSE(form->CP_Ethernet->Visible());
    EXPECT_FALSE(form->E_BACnet_IP_Master_GAT[3]->Enabled());
    EXPECT_TRUE(form->CB_BACnet_IP_Master_GAT->Enabled());
    Tick(form->CB_EthConn_En_DHCP_Cable);
    EXPECT_TRUE(form->E_Ethernet_IP[0]->Enabled());
    EXPECT_TRUE(form->E_BACnet_IP_Master_GAT[3]->Enabled());

    // The client width stays; the height follows the user.
    form->SetClientSize(600, 500);
    EXPECT_EQ(form->ClientWidth(), 460);
    EXPECT_EQ(form->ClientHeight(), 500);
}

TEST_F(TParGenWindow, WheelScrollsThePanelsOnlyOverThem)
{
    Open();
    TControlScrollBar* bar = form->CPG->VertScrollBar();
    ASSERT_EQ(bar->Position(), 0);
    TestInput::Wheel(form->P_Title, -120);
    TestInput::Wheel(form->P_Button, -120);
    EXPECT_EQ(bar->Position(), 0);
    // Over a list inside the group the group scrolls; the list keeps its item.
    TestInput::Wheel(form->CB_LoRa_Network_Type, -120);
    const Integer down = bar->Position();
    EXPECT_GT(down, 0);
    EXPECT_EQ(form->CB_LoRa_Network_Type->ItemIndex(), 0);
    TestInput::Wheel(form->CPG, 120);
    EXPECT_LT(bar->Position(), down);
}

TEST_F(TParGenWindow, FailedSaveKeepsTheWindowOpen)
{
    ParGen_File = dir.filePath(QStringLiteral("missing/ParGen.xml"));
    Open();
    EXPECT_FALSE(OK_Fails().isEmpty());
    EXPECT_FALSE(QFile::exists(ParGen_File));
}

TEST_F(TParGenWindow, TextsComeFromTheLanguageList)
{
    EXPECT_EQ(form->Caption(), "Set Communication");
    EXPECT_EQ(form->L_SW_Desc->Caption(), "Set Communication Setting");
    EXPECT_EQ(form->L_SW_Code->Caption(), "SW59D16");
    EXPECT_EQ(form->Btn_OK->Caption(), "OK");
    EXPECT_EQ(form->Btn_Cancel->Caption(), "Cancel");
    EXPECT_EQ(form->Btn_OK->Hint(), "Confirm and Save the current configuration");
    EXPECT_EQ(form->Btn_Cancel->Hint(), "Exit and Discard the current configuration");
    EXPECT_EQ(form->CB_EthConn_En_DHCP_Cable->Caption(), Lang(2909));
    EXPECT_EQ(form->E_BACnet_IP_Master_GAT[3]->Hint(), Lang(523));
    EXPECT_EQ(form->E_Ethernet_UDP_Port->Hint(), Lang(462));

    // A new language changes captions and hints, not the panel captions.
    Language_Texts->SetStrings(407, "Banda RF");
    Language_Texts->SetStrings(406, "LoRa");
    Open();
    Pick(form->CB_LoRa_RF_Band, 3);
    form->Set_Lang();
    EXPECT_EQ(form->L_LoRa_RF_Band->Caption(), "Banda RF");
    EXPECT_EQ(form->CP_LoRa->Caption(), "2. LoRaWAN");
    EXPECT_EQ(form->CB_LoRa_RF_Band->ItemIndex(), 3);
}

} // namespace
