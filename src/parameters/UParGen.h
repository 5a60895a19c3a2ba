#pragma once
// The general parameters window (step 2 of the main window): the converter's
// Ethernet connection, LoRaWAN radio and activation, BACnet master side and,
// for BACnet MS/TP, its Ethernet address, kept in the configuration's
// ParGen.xml. Loaded at every showing, checked and written whole on OK;
// Cancel writes nothing.

#include <array>
#include <initializer_list>
#include <memory>
#include <vector>

#include "parameters/ParGenData.h"
#include "parameters/ParGenFieldBusPanels.h"
#include "parameters/ParGenPlantPanels.h"
#include "platform/Form.h"
#include "shell/ConfigFileGuard.h"

class TXMLDocument;
class TCategoryPanelGroup;
class TPanel;
class TFxButton;
struct TRowPlace;

// The window is shared by every model of the series: it holds the panels of
// every model and shows those of the model the program is built for.
class TFParGen : public TForm, public TParGenFieldBusPanels, public TParGenPlantPanels {
public:
    explicit TFParGen(TComponent* AOwner);
    ~TFParGen() override;
    QString ClassName() const override { return QStringLiteral("TFParGen"); }

    // Events of the window.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormResize(TObject* Sender);
    void FormMouseWheel(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled);
    void Btn_OKClick(TObject* Sender);
    // Shared change handler of the edits and combo boxes, click handler of
    // the check boxes.
    void On_Change(TObject* Sender);
    void On_Click(TObject* Sender);
    // Octet edits: "." moves to the next octet of the DNS and Ethernet rows
    // and never enters the edit.
    void KeyPress(TObject* Sender, QChar& Key);
    // Address and key edits: hexadecimal digits and control keys only.
    void OnKeyPress(TObject* Sender, QChar& Key);

    // Checks every field in order; shows the first fault and returns false.
    bool Controllo_Dati();
    // Refills the data-rate list for the selected band and selects its first item.
    void Change_LoRa_DataRate();
    Integer Find_Max_PayLoad();
    void Set_Max_Payload_Size();
    // Which panels the served model shows, their order, numbered captions
    // and tab order: one member per model, run once at creation.
    void Order_TAB_Panels();
    void Order_TAB_Panels_59D01();
    void Order_TAB_Panels_59D02();
    void Order_TAB_Panels_59D03();
    void Order_TAB_Panels_59D04();
    void Order_TAB_Panels_59D05();
    void Order_TAB_Panels_59D15();
    void Order_TAB_Panels_59D16();
    void Order_TAB_Panels_59D17();
    void Order_TAB_Panels_59D18();
    void Order_TAB_Panels_59D19();
    void Order_TAB_Panels_59D20();
    void Order_TAB_Panels_59D21();
    void Order_TAB_Panels_59D22();
    void Order_TAB_Panels_59D23();
    void Order_TAB_Panels_59D24();
    void Order_TAB_Panels_59D25();
    void Order_TAB_Panels_59D26();
    void Order_TAB_Panels_59D27();
    void Order_TAB_Panels_59D29();
    void Order_TAB_Panels_59D31();
    void Order_TAB_Panels_59D33();
    void Order_TAB_Panels_59D34();
    void Order_TAB_Panels_59D35();
    void Order_TAB_Panels_59D36();
    void Order_TAB_Panels_59D37();
    void Order_TAB_Panels_59D38();
    void Order_TAB_Panels_59D39();
    void Order_TAB_Panels_59D40();
    void Order_TAB_Panels_59D41();
    // Rows, visibility, enabled state and heights of the served model's
    // panels: one member per model, in the model's panel order.
    void Move_GroupBoxs();
    void RePosition_Objects_59D01();
    void RePosition_Objects_59D02();
    void RePosition_Objects_59D03();
    void RePosition_Objects_59D04();
    void RePosition_Objects_59D05();
    void RePosition_Objects_59D15();
    void RePosition_Objects_59D16();
    void RePosition_Objects_59D17();
    void RePosition_Objects_59D18();
    void RePosition_Objects_59D19();
    void RePosition_Objects_59D20();
    void RePosition_Objects_59D21();
    void RePosition_Objects_59D22();
    void RePosition_Objects_59D23();
    void RePosition_Objects_59D24();
    void RePosition_Objects_59D25();
    void RePosition_Objects_59D26();
    void RePosition_Objects_59D27();
    void RePosition_Objects_59D29();
    void RePosition_Objects_59D31();
    void RePosition_Objects_59D33();
    void RePosition_Objects_59D34();
    void RePosition_Objects_59D35();
    void RePosition_Objects_59D36();
    void RePosition_Objects_59D37();
    void RePosition_Objects_59D38();
    void RePosition_Objects_59D39();
    void RePosition_Objects_59D40();
    void RePosition_Objects_59D41();
    // One panel's rows and height each.
    void RePosition_Object_Ethernet_Connection();
    void RePosition_Object_LoRa();
    void RePosition_Object_BACnet_Master();
    void RePosition_Object_Ethernet();
    void RePosition_Object_Modbus_Master();
    void RePosition_Object_Modbus_Slave();
    void RePosition_Object_Modbus_TCP_Master();
    void RePosition_Object_Modbus_TCP_Slave();
    void RePosition_Object_Serial();
    void RePosition_Object_MBus();
    void RePosition_Object_wMBus();
    void RePosition_Object_BACnet_Slave();
    void RePosition_Object_CAN();
    void RePosition_Object_CANopen();
    void RePosition_Object_DeviceNet_Master();
    void RePosition_Object_DeviceNet_Slave();
    void RePosition_Object_DMX();
    void RePosition_Object_EtherNetIP_Master();
    void RePosition_Object_EtherNetIP();
    void RePosition_Object_J1939();
    void RePosition_Object_KNX();
    void RePosition_Object_NMEA2000();
    void RePosition_Object_PROFIBUS();
    void RePosition_Object_PROFINET();
    void RePosition_Object_IEC61850_Client();
    void RePosition_Object_IEC61850_Server();
    void RePosition_Object_TLS_Server();
    void RePosition_Object_NTP();
    void RePosition_Object_MQTT();
    void RePosition_Object_TLS();
    void RePosition_Object_OPC_UA_Client();
    void RePosition_Object_OPC_UA_Server();
    void RePosition_Object_S7_Protocol();
    void RePosition_Object_SNMP_Manager();
    void RePosition_Object_SNMP_Agent();
    void RePosition_Object_WiFi();
    void Set_Lang();

    TXMLDocument* XML1() const { return FXML1.get(); }
    bool Is_Change = false;

    TPanel* P_Title;
    TLabel* L_SW_Code;
    TLabel* L_SW_Desc;
    TPanel* P_Button;
    TFxButton* Btn_OK;
    TFxButton* Btn_Cancel;
    TCategoryPanelGroup* CPG;
    TCategoryPanel* CP_Ethernet_Connection;
    TCategoryPanel* CP_LoRa;
    TCategoryPanel* CP_BACnet_Master;
    TCategoryPanel* CP_Ethernet;

    TLabel* L_EthConn_Device_Name;
    TEdit* E_EthConn_Device_Name;
    TCheckBox* CB_EthConn_En_DHCP_Cable;
    TCheckBox* CB_EthConn_En_DHCP_WiFi;
    TCheckBox* CB_EthConn_Enable_DNS;
    TLabel* L_EthConn_Primary_DNS;
    TOctetRow E_EthConn_Pri_DNS_IP;
    TLabel* L_EthConn_Secondary_DNS;
    TOctetRow E_EthConn_Sec_DNS_IP;

    TLabel* L_LoRa_RF_Band;
    TComboBox* CB_LoRa_RF_Band;
    TLabel* L_LoRa_FrequencySubBand;
    TComboBox* CB_LoRa_FrequencySubBand;
    TLabel* L_LoRa_Network_Type;
    TComboBox* CB_LoRa_Network_Type;
    TCheckBox* CB_LoRa_Adaptive_DataRate;
    TLabel* L_LoRa_DataRate;
    TComboBox* CB_LoRa_DataRate;
    TLabel* L_LoRa_Transmission_Type;
    TComboBox* CB_LoRa_Transmission_Type;
    TLabel* L_LoRa_Payload_Size;
    TEdit* E_LoRa_Payload_Size;
    TLabel* L_LoRa_JoinEUI;
    TEdit* E_LoRa_JoinEUI;
    TLabel* L_LoRa_Activation_Method;
    TComboBox* CB_LoRa_Activation_Method;
    TLabel* L_LoRa_Device_Address;
    TEdit* E_LoRa_Device_Address;
    TLabel* L_LoRa_Network_Session_Key;
    TEdit* E_LoRa_Network_Session_Key;
    TLabel* L_LoRa_Application_Session_Key;
    TEdit* E_LoRa_Application_Session_Key;
    TLabel* L_LoRa_Application_Key;
    TEdit* E_LoRa_Application_Key;
    TLabel* L_LoRa_FPort;
    TComboBox* CB_LoRa_FPort;
    TLabel* L_LoRa_LNCHECK;
    TEdit* E_LoRa_LNCHECK;

    TLabel* L_BACnet_Master_Type;
    TComboBox* CB_BACnet_Master_Type;
    TLabel* L_BACnet_IP_Master_IP;
    TOctetRow E_BACnet_IP_Master_IP;
    TLabel* L_BACnet_IP_Master_SM;
    TOctetRow E_BACnet_IP_Master_SM;
    TCheckBox* CB_BACnet_IP_Master_GAT;
    TOctetRow E_BACnet_IP_Master_GAT;
    TLabel* L_BACnet_IP_Master_Port;
    TEdit* E_BACnet_IP_Master_Port;
    TLabel* L_BACnet_IP_Master_Device_Name;
    TEdit* E_BACnet_IP_Master_Device_Name;
    TLabel* L_BACnet_IP_Master_Device_Identifier;
    TEdit* E_BACnet_IP_Master_Device_Identifier;
    TLabel* L_BACnet_IP_Master_TimeOut_Polling;
    TEdit* E_BACnet_IP_Master_TimeOut_Polling;
    TLabel* L_BACnet_MSTP_Master_Baudrate;
    TComboBox* CB_BACnet_MSTP_Master_Baudrate;
    TLabel* L_BACnet_MSTP_Master_Parity;
    TComboBox* CB_BACnet_MSTP_Master_Parity;
    TLabel* L_BACnet_MSTP_Master_Device_Name;
    TEdit* E_BACnet_MSTP_Master_Device_Name;
    TLabel* L_BACnet_MSTP_Master_MAC_Address;
    TEdit* E_BACnet_MSTP_Master_MAC_Address;
    TLabel* L_BACnet_MSTP_Master_Max_Master;
    TEdit* E_BACnet_MSTP_Master_Max_Master;
    TLabel* L_BACnet_MSTP_Master_Max_Info_Frame;
    TEdit* E_BACnet_MSTP_Master_Max_Info_Frame;
    TLabel* L_BACnet_MSTP_Master_Device_Instance;
    TEdit* E_BACnet_MSTP_Master_Device_Instance;

    TLabel* L_Ethernet_IP;
    TOctetRow E_Ethernet_IP;
    TLabel* L_Ethernet_SM;
    TOctetRow E_Ethernet_SM;
    TCheckBox* CB_Ethernet_En_GAT;
    TOctetRow E_Ethernet_GAT;
    TLabel* L_Ethernet_TCP_Port;
    TEdit* E_Ethernet_TCP_Port;
    TLabel* L_Ethernet_UDP_Port;
    TEdit* E_Ethernet_UDP_Port;

private:
    void Create_Controls();
    void Create_Ethernet_Connection();
    void Create_LoRa();
    void Create_BACnet_Master();
    void Create_Ethernet();
    void Create_FieldBus_Panels();
    void Create_Plant_Panels();
    void Set_Lang_FieldBus();
    void Set_Lang_Plant();
    // A panel of the group; its caption text is kept as its tag.
    TCategoryPanel* Make_Panel(Integer CaptionText);
    TLabel* Make_Label(TWinControl* Parent, Integer Top);
    TEdit* Make_Edit(TWinControl* Parent, Integer Top, Integer Element);
    TComboBox* Make_Combo(TWinControl* Parent, Integer Top, Integer Element);
    TCheckBox* Make_Check(TWinControl* Parent, Integer Top, Integer Element);
    void Make_Octets(TWinControl* Parent, Integer Top, TOctetRow& Row, Integer FirstElement);

    // Places a row: its label (or heading box), its input controls and, for
    // an address row, its dots; hides it all when the row is not shown.
    void Place_Row(TControl* Label, std::initializer_list<TControl*> Inputs, const TRowPlace& Place);
    void Place_Octets(TControl* Label, TOctetRow& Row, const TRowPlace& Place, bool HeadingBox = false);
    void Enable_Octets(TOctetRow& Row, bool Enabled);
    // Flowing rows: each placed at y (its inputs 3 pixels higher, a check box
    // forming a row at y itself), then y moves on by a row.
    void Flow_Row(Integer& Y, TControl* Label, std::initializer_list<TControl*> Inputs = {});
    void Flow_Octets(Integer& Y, TControl* Label, TOctetRow& Row, bool HeadingBox = false);
    void Hide_Row(TControl* Label, std::initializer_list<TControl*> Inputs = {});
    void Hide_Octets(TControl* Label, TOctetRow& Row);
    // Rows that stay at the form's places, shown or hidden.
    void Set_Shown(std::initializer_list<TControl*> Controls, bool Shown);
    // Height of a panel: the bottom of its lowest visible control, a margin
    // and the header.
    void Fit_Panel(TCategoryPanel* Panel, TControl* Lowest);
    // A panel's address, mask and gateway edits (and the gateway box when
    // given) are off while the cable connection takes its address by DHCP.
    void Apply_DHCP(std::initializer_list<TOctetRow*> Rows, TControl* GatewayBox = nullptr);
    // Shows the panels in this order, stacked top-down, captioned "k. " and
    // their text, tab order k - 1.
    void Order_Panels(std::initializer_list<TCategoryPanel*> Panels);
    // The panels ParGen.xml does not store show their form values at every
    // showing.
    void Keep_Form_Values();
    void Restore_Form_Values();

    // The window's fields as the file stores them, and back.
    TParGenValues Get_Values() const;
    void Put_Values(const TParGenValues& Values);

    std::unique_ptr<TXMLDocument> FXML1;
    // An unreadable ParGen.xml is replaced by OK only after a question.
    TConfig_File_Guard FLoad;
    // The control of each ParGen.xml element, in file order.
    std::array<TControl*, ParGen_Element_Count> FField{};
    bool FLoading = false;
    struct TFormValue {
        TControl* Control;
        QString Text;
        Integer Index;
    };
    std::vector<TFormValue> FForm_Values;
};

// The one instance, made at start-up by the main window.
extern TFParGen* FParGen;

// The converter model the program is built for ("59D16").
QString ParGen_Served_Model();
