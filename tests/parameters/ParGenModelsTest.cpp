// The general parameters window as each model of the series lays it out:
// the model's members called directly on one window (the program itself is
// built for one model), the panels read back as the user sees them.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <vector>

#include <QRegularExpression>

#include "ParGenFixture.h"
#include "Screenshot.h"
#include "controls/FxButton.h"
#include "parameters/UParGen.h"
#include "platform/CategoryPanel.h"
#include "platform/ExtCtrls.h"
#include "platform/StdControls.h"
#include "platform/StringList.h"
#include "platform/TestHooks.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

using TMember = void (TFParGen::*)();

// A shown panel: its caption and its height.
struct TPanelView {
    QString Caption;
    Integer Height;
    bool operator==(const TPanelView&) const = default;
};

std::ostream& operator<<(std::ostream& os, const TPanelView& p)
{
    return os << p.Caption.toStdString() << " (" << p.Height << ")";
}

struct TModel {
    const char* Name;
    TMember Order;
    TMember Lay_Out;
    // Panels 3 onward in the default state (every model starts with
    // 1. Ethernet Connection 206 and 2. LoRaWAN 394).
    std::vector<TPanelView> Panels;
};

#define MODEL(m) #m, &TFParGen::Order_TAB_Panels_##m, &TFParGen::RePosition_Objects_##m

const std::vector<TModel>& Models()
{
    static const std::vector<TModel> models = {
        {MODEL(59D01), {{"3. Modbus Master", 206}, {"4. Ethernet", 123}}},
        {MODEL(59D02), {{"3. Modbus Slave", 205}, {"4. Ethernet", 123}}},
        {MODEL(59D03), {{"3. Modbus TCP Master", 178}}},
        {MODEL(59D04), {{"3. Modbus TCP Slave", 177}}},
        {MODEL(59D05), {{"3. Serial", 151}, {"4. Ethernet", 123}}},
        {MODEL(59D15), {{"3. M-Bus", 67}, {"4. M-Bus Wireless", 67}, {"5. Ethernet", 123}}},
        {MODEL(59D16), {{"3. BACnet Master", 262}}},
        {MODEL(59D17), {{"3. BACnet Slave", 261}}},
        {MODEL(59D18), {{"3. Ethernet", 123}}},
        {MODEL(59D19), {{"3. CAN", 67}, {"4. Ethernet", 123}}},
        {MODEL(59D20), {{"3. CANopen", 178}, {"4. Ethernet", 123}}},
        {MODEL(59D21), {{"3. DeviceNet Master", 95}, {"4. Ethernet", 123}}},
        {MODEL(59D22), {{"3. DeviceNet Slave", 150}, {"4. Ethernet", 123}}},
        {MODEL(59D23), {{"3. DMX", 94}, {"4. Ethernet", 123}}},
        {MODEL(59D24), {{"3. EtherNet/IP Master", 150}}},
        {MODEL(59D25), {{"3. EtherNet/IP", 206}}},
        {MODEL(59D26), {{"3. J1939", 150}, {"4. Ethernet", 123}}},
        {MODEL(59D27), {{"3. KNX", 94}, {"4. Ethernet", 123}}},
        {MODEL(59D29), {{"3. NMEA 2000", 121}, {"4. Ethernet", 123}}},
        {MODEL(59D31), {{"3. PROFIBUS", 150}, {"4. Ethernet", 123}}},
        {MODEL(59D33), {{"3. PROFINET", 234}}},
        {MODEL(59D34), {{"3. IEC61850 Client", 178}}},
        {MODEL(59D35), {{"3. IEC61850 Server", 178}, {"4. TLS (Transport Layer Security) Server", 65},
                        {"5. NTP (Network Time Protocol)", 94}}},
        {MODEL(59D36), {{"3. MQTT", 290}, {"4. Ethernet", 123}, {"5. TLS (Transport Layer Security)", 65},
                        {"6. NTP (Network Time Protocol)", 94}}},
        {MODEL(59D37), {{"3. OPC UA Client", 123}, {"4. NTP (Network Time Protocol)", 94}}},
        {MODEL(59D38), {{"3. OPC UA Server", 150}, {"4. NTP (Network Time Protocol)", 94}}},
        {MODEL(59D39), {{"3. S7comm", 123}}},
        {MODEL(59D40), {{"3. SNMP Manager", 150}}},
        {MODEL(59D41), {{"3. SNMP Agent", 233}}},
    };
    return models;
}

const TModel& Model(const QString& name)
{
    for (const TModel& m : Models())
        if (QString::fromLatin1(m.Name) == name)
            return m;
    ADD_FAILURE() << "no model " << name.toStdString();
    return Models().front();
}

std::vector<TPanelView> With_Common(std::vector<TPanelView> rest, Integer lora = 394)
{
    rest.insert(rest.begin(), {{"1. Ethernet Connection", 206}, {"2. LoRaWAN", lora}});
    return rest;
}

struct TParGenModels : TParGenFixture {
    void SetUp() override
    {
        TParGenFixture::SetUp();
        form->Show();
    }

    // Creation's steps for one model: every panel hidden, then the model's
    // order and layout.
    void Lay_Out(const TModel& m)
    {
        for (TCategoryPanel* p : form->CPG->Panels())
            p->SetVisible(false);
        (form->*m.Order)();
        (form->*m.Lay_Out)();
    }
    // The shown panels top-down, each checked to stand right below the one
    // before and to take its place in the tab order.
    std::vector<TPanelView> Shown()
    {
        std::vector<TPanelView> out;
        Integer top = 0;
        for (TCategoryPanel* p : form->CPG->Panels()) {
            if (!p->Visible())
                continue;
            EXPECT_EQ(p->Top(), top) << p->Caption().toStdString();
            EXPECT_EQ(p->TabOrder(), Integer(out.size())) << p->Caption().toStdString();
            top += p->Height();
            out.push_back({p->Caption(), p->Height()});
        }
        return out;
    }
    // The window sized to show every panel, grabbed.
    void Save_Screenshot(const QString& name)
    {
        Integer panels = 0;
        for (const TPanelView& p : Shown())
            panels += p.Height;
        const Integer height = form->ClientHeight();
        form->SetClientHeight(69 + 40 + panels);
        EXPECT_FALSE(testsupport::SaveScreenshot(GrabControl(form), name).isEmpty());
        form->SetClientHeight(height);
    }
};

TEST_F(TParGenModels, EveryModelShowsItsPanelsInOrderWithNumberedCaptions)
{
    for (const TModel& m : Models()) {
        SCOPED_TRACE(m.Name);
        Lay_Out(m);
        EXPECT_EQ(Shown(), With_Common(m.Panels));
        Save_Screenshot(QStringLiteral("TFParGen-model-%1").arg(QString::fromLatin1(m.Name)));
    }
}

TEST_F(TParGenModels, PanelsFollowTheStatesThatGovernThem)
{
    struct TState {
        const char* Model;
        const char* What;
        std::function<void(TFParGen*)> Set;
        std::vector<TPanelView> Panels;  // 3 onward
        Integer LoRa = 394;
    };
    const std::vector<TState> states = {
        {"59D16", "MS/TP", [](TFParGen* f) { f->CB_BACnet_Master_Type->SetItemIndex(1); },
         {{"3. BACnet Master", 262}, {"4. Ethernet", 123}}},
        {"59D18", "OTAA", [](TFParGen* f) { f->CB_LoRa_Activation_Method->SetItemIndex(1); },
         {{"3. Ethernet", 123}}, 338},
        {"59D18", "AU915 and OTAA",
         [](TFParGen* f) {
             f->CB_LoRa_RF_Band->SetItemIndex(1);
             f->CB_LoRa_Activation_Method->SetItemIndex(1);
         },
         {{"3. Ethernet", 123}}, 366},
        {"59D17", "MS/TP", [](TFParGen* f) { f->CB_BACnet_Slave_Type->SetItemIndex(1); },
         {{"3. BACnet Slave", 317}, {"4. Ethernet", 123}}},
        {"59D15", "wired and wireless meters",
         [](TFParGen* f) {
             f->CB_MBus_OnWire_Present->SetItemIndex(1);
             f->CB_wMBus_Wireless_Present->SetItemIndex(1);
         },
         {{"3. M-Bus", 207}, {"4. M-Bus Wireless", 123}, {"5. Ethernet", 123}}},
        {"59D35", "TLS server on", [](TFParGen* f) { f->CB_TLS_Server_Enable->SetChecked(true); },
         {{"3. IEC61850 Server", 178}, {"4. TLS (Transport Layer Security) Server", 205},
          {"5. NTP (Network Time Protocol)", 94}}},
        {"59D36", "will", [](TFParGen* f) { f->CB_MQTT_WillFlag->SetChecked(true); },
         {{"3. MQTT", 402}, {"4. Ethernet", 123}, {"5. TLS (Transport Layer Security)", 65},
          {"6. NTP (Network Time Protocol)", 94}}},
        {"59D36", "connection topic and TLS",
         [](TFParGen* f) {
             f->CB_MQTT_PublishTopicConnection->SetChecked(true);
             f->CB_TLS_Enable->SetChecked(true);
         },
         {{"3. MQTT", 374}, {"4. Ethernet", 123}, {"5. TLS (Transport Layer Security)", 121},
          {"6. NTP (Network Time Protocol)", 94}}},
        {"59D36", "will, connection topic, server authentication",
         [](TFParGen* f) {
             f->CB_MQTT_WillFlag->SetChecked(true);
             f->CB_MQTT_PublishTopicConnection->SetChecked(true);
             f->CB_TLS_Enable->SetChecked(true);
             f->CB_TLS_En_Server_Auth->SetChecked(true);
         },
         {{"3. MQTT", 486}, {"4. Ethernet", 123}, {"5. TLS (Transport Layer Security)", 146},
          {"6. NTP (Network Time Protocol)", 94}}},
        {"59D36", "client authentication",
         [](TFParGen* f) {
             f->CB_TLS_Enable->SetChecked(true);
             f->CB_TLS_En_Client_Auth->SetChecked(true);
         },
         {{"3. MQTT", 290}, {"4. Ethernet", 123}, {"5. TLS (Transport Layer Security)", 206},
          {"6. NTP (Network Time Protocol)", 94}}},
        {"59D36", "both authentications",
         [](TFParGen* f) {
             f->CB_TLS_Enable->SetChecked(true);
             f->CB_TLS_En_Server_Auth->SetChecked(true);
             f->CB_TLS_En_Client_Auth->SetChecked(true);
         },
         {{"3. MQTT", 290}, {"4. Ethernet", 123}, {"5. TLS (Transport Layer Security)", 231},
          {"6. NTP (Network Time Protocol)", 94}}},
        // Client authentication alone counts only while TLS is on.
        {"59D36", "client authentication without TLS", [](TFParGen* f) { f->CB_TLS_En_Client_Auth->SetChecked(true); },
         {{"3. MQTT", 290}, {"4. Ethernet", 123}, {"5. TLS (Transport Layer Security)", 65},
          {"6. NTP (Network Time Protocol)", 94}}},
        {"59D41", "version 3", [](TFParGen* f) { f->CB_SNMP_Agent_Version3->SetChecked(true); },
         {{"3. SNMP Agent", 291}}},
        {"59D41", "authority",
         [](TFParGen* f) {
             f->CB_SNMP_Agent_Version3->SetChecked(true);
             f->CB_SNMP_Agent_SecurityLevel->SetItemIndex(1);
         },
         {{"3. SNMP Agent", 347}}},
        {"59D41", "authority and privacy",
         [](TFParGen* f) {
             f->CB_SNMP_Agent_Version3->SetChecked(true);
             f->CB_SNMP_Agent_SecurityLevel->SetItemIndex(2);
         },
         {{"3. SNMP Agent", 403}}},
        {"59D41", "privacy level without version 3",
         [](TFParGen* f) { f->CB_SNMP_Agent_SecurityLevel->SetItemIndex(2); }, {{"3. SNMP Agent", 233}}},
    };
    for (const TState& s : states) {
        SCOPED_TRACE(std::string(s.Model) + ": " + s.What);
        New_Form();
        form->Show();
        s.Set(form);
        Lay_Out(Model(QString::fromLatin1(s.Model)));
        EXPECT_EQ(Shown(), With_Common(s.Panels, s.LoRa));
        QString state = QString::fromLatin1(s.What).toLower();
        state.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
        Save_Screenshot(QStringLiteral("TFParGen-model-%1-%2").arg(QString::fromLatin1(s.Model), state));
    }
}

TEST_F(TParGenModels, AHiddenPanelKeepsItsPlaceWhilePanelsAboveItGrow)
{
    if (ParGen_Served_Model() != "59D16")
        GTEST_SKIP() << "the window is built for " << ParGen_Served_Model().toStdString();
    // US915 makes the LoRaWAN panel taller while Ethernet is hidden ...
    Pick(form->CB_LoRa_RF_Band, 5);
    // ... and MS/TP still shows it below the BACnet panel.
    Pick(form->CB_BACnet_Master_Type, 1);
    EXPECT_EQ(Shown(), With_Common({{"3. BACnet Master", 262}, {"4. Ethernet", 123}}, 422));
    Pick(form->CB_BACnet_Master_Type, 0);
    EXPECT_EQ(Shown(), With_Common({{"3. BACnet Master", 262}}, 422));
}

TEST_F(TParGenModels, FlowingRowsTakeTheirPlaces)
{
    // BACnet server, MS/TP: the rows flow from the IP address row, the
    // 32-character box 28 below the network label.
    form->CB_BACnet_Slave_Type->SetItemIndex(1);
    form->RePosition_Object_BACnet_Slave();
    EXPECT_FALSE(form->L_BACnet_IP_Slave_IP->Visible());
    EXPECT_FALSE(form->E_BACnet_IP_Slave_GAT[3]->Visible());
    EXPECT_FALSE(form->E_BACnet_IP_Slave_Port->Visible());
    EXPECT_EQ(form->L_BACnet_MSTP_Slave_Baudrate->Top(), 40);
    EXPECT_EQ(form->CB_BACnet_MSTP_Slave_Baudrate->Top(), 37);
    EXPECT_EQ(form->L_BACnet_MSTP_Slave_Network->Top(), 236);
    EXPECT_EQ(form->CB_BACnet_Slave_Desc_32_Chars->Top(), 264);
    form->CB_BACnet_Slave_Type->SetItemIndex(0);
    form->RePosition_Object_BACnet_Slave();
    EXPECT_FALSE(form->E_BACnet_MSTP_Slave_Network->Visible());
    EXPECT_EQ(form->E_BACnet_IP_Slave_GAT[0]->Top(), 94);
    EXPECT_EQ(form->CB_BACnet_Slave_Desc_32_Chars->Top(), 208);

    // MQTT: without a will the connection box takes the will topic's place.
    form->RePosition_Object_MQTT();
    EXPECT_FALSE(form->E_MQTT_WillTopic->Visible());
    EXPECT_EQ(form->CB_MQTT_PublishTopicConnection->Top(), form->L_MQTT_WillTopic->Top());
    EXPECT_FALSE(form->E_MQTT_ConnectionTopic->Visible());
    EXPECT_EQ(form->L_MQTT_UserName->Top(), 208);
    EXPECT_FALSE(form->E_MQTT_AsyncSendTime->Visible());
    form->CB_MQTT_WillFlag->SetChecked(true);
    form->CB_MQTT_PublishTopicConnection->SetChecked(true);
    form->RePosition_Object_MQTT();
    EXPECT_EQ(form->CB_MQTT_PublishTopicConnection->Top(), form->L_MQTT_WillQoS->Top() + 28);
    EXPECT_EQ(form->E_MQTT_ConnectionTopic->Top(), form->CB_MQTT_PublishTopicConnection->Top() + 25);
    EXPECT_EQ(form->CB_MQTT_Connection_Retained->Top(), form->CB_MQTT_PublishTopicConnection->Top() + 84);
    EXPECT_FALSE(form->E_MQTT_AsyncSendTime->Visible());

    // TLS: the client box 28 below the server box, or below the server
    // certificate's edit.
    form->CB_TLS_Enable->SetChecked(true);
    form->RePosition_Object_TLS();
    EXPECT_FALSE(form->E_TLS_Server_Cert->Visible());
    EXPECT_EQ(form->CB_TLS_En_Client_Auth->Top(), 68);
    form->CB_TLS_En_Server_Auth->SetChecked(true);
    form->CB_TLS_En_Client_Auth->SetChecked(true);
    form->RePosition_Object_TLS();
    EXPECT_EQ(form->E_TLS_Server_Cert->Top(), 65);
    EXPECT_EQ(form->CB_TLS_En_Client_Auth->Top(), 93);
    EXPECT_EQ(form->L_TLS_Client_Cert->Top(), 121);
    EXPECT_EQ(form->E_TLS_Client_Cert_Key_Pass->Top(), 174);

    // PROFINET's diagnostic row never shows.
    form->RePosition_Object_PROFINET();
    EXPECT_FALSE(form->CB_PROFINET_Diagnostic->Visible());
    EXPECT_FALSE(form->E_PROFINET_Diagnostic->Visible());
}

TEST_F(TParGenModels, WiFiRowsFollowTheTypeSecurityAndDHCP)
{
    struct {
        const char* What;
        Integer Type, Secure;
        bool Auto, DHCP;
        Integer Height;
        TControl* Last;  // checked to be shown
    } const cases[] = {
        {"access point", 0, 0, false, false, 347, form->CB_WiFi_Channel},
        {"access point, WPA", 0, 1, false, false, 375, form->E_WiFi_Password},
        {"access point, WPA, DHCP", 0, 1, false, true, 459, form->E_WiFi_Lease_Time},
        {"client", 1, 0, false, false, 290, form->E_WiFi_DNS[3]},
        {"client, automatic address", 1, 0, true, false, 206, form->E_WiFi_Name},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        form->CB_WiFi_Type->SetItemIndex(c.Type);
        form->CB_WiFi_Secure_Type->SetItemIndex(c.Secure);
        form->CB_WiFi_IP_Auto->SetChecked(c.Auto);
        form->CB_WiFi_En_DHCP->SetChecked(c.DHCP);
        form->RePosition_Object_WiFi();
        EXPECT_EQ(form->CP_WiFi->Height(), c.Height);
        EXPECT_TRUE(c.Last->Visible());
        EXPECT_FALSE(form->CB_WiFi_En_WPS->Visible());
        EXPECT_EQ(form->CB_WiFi_IP_Auto->Visible(), c.Type == 1);
        EXPECT_EQ(form->CB_WiFi_Channel->Visible(), c.Type == 0);
        EXPECT_EQ(form->E_WiFi_IP[0]->Visible(), !c.Auto);
    }
    // Access point: the address rows start right below the type.
    form->CB_WiFi_Type->SetItemIndex(0);
    form->RePosition_Object_WiFi();
    EXPECT_EQ(form->L_WiFi_IP->Top(), 40);
    EXPECT_EQ(form->E_WiFi_GAT[0]->Top(), 94);
    // The panel belongs to no model: shown alone for the record.
    form->CB_WiFi_Secure_Type->SetItemIndex(1);
    form->CB_WiFi_En_DHCP->SetChecked(true);
    for (TCategoryPanel* p : form->CPG->Panels())
        p->SetVisible(false);
    form->CP_WiFi->SetVisible(true);
    form->CP_WiFi->SetTabOrder(0);
    form->RePosition_Object_WiFi();
    EXPECT_EQ(form->CP_WiFi->Height(), 459);
    Save_Screenshot(QStringLiteral("TFParGen-panel-WiFi-access-point"));
    form->CB_WiFi_En_DHCP->SetChecked(false);
    form->CB_WiFi_Secure_Type->SetItemIndex(0);
    form->RePosition_Object_WiFi();
    // The third type changes nothing.
    form->CB_WiFi_Type->SetItemIndex(2);
    form->RePosition_Object_WiFi();
    EXPECT_EQ(form->CP_WiFi->Height(), 347);
    EXPECT_TRUE(form->CB_WiFi_Channel->Visible());
    EXPECT_EQ(form->L_WiFi_IP->Top(), 40);
}

TEST_F(TParGenModels, CableDHCPSwitchesEveryPanelsAddressEdits)
{
    struct {
        const char* Model;
        TOctetRow* Row;
        TControl* Box;     // the gateway box, or a control that stays enabled
        bool Box_Follows;  // "DHCP + box"
    } const cases[] = {
        {"59D03", &form->E_ModbusTCPMaster_GAT, form->CB_ModbusTCPMaster_En_GAT, true},
        {"59D04", &form->E_ModbusTCPSlave_IP, form->CB_ModbusTCPSlave_En_GAT, true},
        {"59D17", &form->E_BACnet_IP_Slave_SM, form->CB_BACnet_IP_Slave_GAT, false},
        {"59D24", &form->E_EtherNetIP_Master_GAT, form->CB_EtherNetIP_Master_En_GAT, false},
        {"59D25", &form->E_EtherNetIP_IP, form->CB_EtherNetIP_En_GAT, false},
        {"59D33", &form->E_PROFINET_GAT, form->CB_PROFINET_En_GAT, false},
        {"59D34", &form->E_IEC61850_Client_IP, form->CB_IEC61850_Client_En_GAT, false},
        {"59D35", &form->E_IEC61850_Server_SM, form->CB_IEC61850_Server_En_GAT, false},
        {"59D37", &form->E_OPC_UA_Client_GAT, form->CB_OPC_UA_Client_En_GAT, false},
        {"59D38", &form->E_OPC_UA_Server_IP, form->CB_OPC_UA_Server_En_GAT, false},
        {"59D39", &form->E_S7_Protocol_GAT, form->CB_S7_Protocol_En_GAT, false},
        {"59D40", &form->E_SNMP_Manager_GAT, form->E_SNMP_Manager_NameStation, false},
        {"59D41", &form->E_SNMP_Agent_GAT, form->E_SNMP_Agent_Trap_IP[0], false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Model);
        for (bool dhcp : {true, false}) {
            form->CB_EthConn_En_DHCP_Cable->SetChecked(dhcp);
            Lay_Out(Model(QString::fromLatin1(c.Model)));
            for (TEdit* e : c.Row->Edit)
                EXPECT_EQ(e->Enabled(), !dhcp);
            EXPECT_EQ(c.Box->Enabled(), !dhcp || !c.Box_Follows);
        }
    }
}

TEST_F(TParGenModels, TheServedModelIsTheOneTheDispatchersLayOut)
{
    const TModel& served = Model(ParGen_Served_Model());
    EXPECT_EQ(Shown(), With_Common(served.Panels));
    Lay_Out(Model(QStringLiteral("59D36")));
    for (TCategoryPanel* p : form->CPG->Panels())
        p->SetVisible(false);
    form->Order_TAB_Panels();
    form->Move_GroupBoxs();
    EXPECT_EQ(Shown(), With_Common(served.Panels));
}

TEST_F(TParGenModels, OnlyTheGoverningControlsReRunTheLayout)
{
    // The layout disables the Wi-Fi DHCP box at every run: enabled by hand,
    // it shows whether a change ran the layout.
    const auto reruns = [this](std::function<void()> change) {
        form->CB_EthConn_En_DHCP_WiFi->SetEnabled(true);
        change();
        return !form->CB_EthConn_En_DHCP_WiFi->Enabled();
    };
    for (TComboBox* cb : {form->CB_LoRa_Activation_Method, form->CB_BACnet_Master_Type, form->CB_BACnet_Slave_Type,
                          form->CB_MBus_OnWire_Present, form->CB_wMBus_Wireless_Present, form->CB_WiFi_Type,
                          form->CB_WiFi_Secure_Type, form->CB_SNMP_Agent_SecurityLevel, form->CB_LoRa_RF_Band})
        EXPECT_TRUE(reruns([&] { form->On_Change(cb); })) << cb->Hint().toStdString();
    for (TCheckBox* box : {form->CB_EthConn_En_DHCP_Cable, form->CB_TLS_Enable, form->CB_TLS_En_Server_Auth,
                           form->CB_TLS_En_Client_Auth, form->CB_TLS_Server_Enable, form->CB_MQTT_WillFlag,
                           form->CB_MQTT_PublishTopicConnection, form->CB_SNMP_Agent_Version3, form->CB_WiFi_IP_Auto,
                           form->CB_WiFi_En_DHCP})
        EXPECT_TRUE(reruns([&] { form->On_Click(box); })) << box->Caption().toStdString();
    for (TControl* c : std::initializer_list<TControl*>{form->CB_LoRa_DataRate, form->CB_LoRa_Network_Type,
                                                        form->E_MQTT_Broker, form->CB_CAN_Baudrate,
                                                        form->CB_WiFi_Channel, form->CB_MQTT_WillQoS})
        EXPECT_FALSE(reruns([&] { form->On_Change(c); })) << c->Hint().toStdString();
    for (TCheckBox* box : {form->CB_MQTT_CleanSession, form->CB_TLS_Server_En_Known_Cert, form->CB_WiFi_En_WPS,
                           form->CB_Ethernet_En_GAT, form->CB_LoRa_Adaptive_DataRate})
        EXPECT_FALSE(reruns([&] { form->On_Click(box); })) << box->Caption().toStdString();
}

TEST_F(TParGenModels, PanelsTheFileDoesNotKeepShowTheirFormValuesAtEveryShowing)
{
    form->E_MQTT_Broker->SetText("broker.example");
    form->CB_TLS_Enable->SetChecked(true);
    form->CB_WiFi_Type->SetItemIndex(2);
    form->E_ModbusTCPMaster_IP[3]->SetText("77");
    form->Hide();
    form->Show();
    EXPECT_EQ(form->E_MQTT_Broker->Text(), "");
    EXPECT_FALSE(form->CB_TLS_Enable->Checked());
    EXPECT_EQ(form->CB_WiFi_Type->ItemIndex(), 0);
    EXPECT_EQ(form->E_ModbusTCPMaster_IP[3]->Text(), "10");
    EXPECT_EQ(form->CB_CAN_Baudrate->Text(), "125 kbit/s");
    EXPECT_FALSE(form->Is_Change);
}

// Every control the window's texts reach, its panel (null for the bands).
void Walk(TWinControl* parent, TCategoryPanel* panel, std::vector<std::pair<TControl*, TCategoryPanel*>>& out)
{
    for (Integer i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        auto* p = dynamic_cast<TCategoryPanel*>(c);
        out.emplace_back(c, p != nullptr ? p : panel);
        if (auto* w = dynamic_cast<TWinControl*>(c))
            Walk(w, p != nullptr ? p : panel, out);
    }
}

TEST_F(TParGenModels, EachTextOfTheBlocksGoesToOneControlOfItsPanel)
{
    // The text ranges of each panel.
    const std::map<TCategoryPanel*, std::vector<std::pair<Integer, Integer>>> ranges = {
        {form->CP_LoRa, {{407, 422}, {483, 492}, {2904, 2905}, {2933, 2934}}},
        {form->CP_Modbus_Slave, {{424, 435}}},
        {form->CP_Ethernet, {{437, 452}, {459, 462}}},
        {form->CP_BACnet_Master, {{506, 545}}},
        {form->CP_BACnet_Slave, {{547, 588}}},
        {form->CP_MBus, {{632, 643}, {655, 657}}},
        {form->CP_wMBus, {{645, 652}}},
        {form->CP_Modbus_Master, {{659, 670}}},
        {form->CP_Modbus_TCP_Master, {{675, 694}}},
        {form->CP_Modbus_TCP_Slave, {{710, 727}, {2894, 2895}}},
        {form->CP_Serial, {{742, 749}}},
        {form->CP_CAN, {{752, 753}}},
        {form->CP_CANopen, {{755, 765}}},
        {form->CP_DeviceNet_Master, {{770, 773}}},
        {form->CP_DeviceNet_Slave, {{776, 783}}},
        {form->CP_DMX, {{788, 791}}},
        {form->CP_EtherNetIP_Master, {{794, 811}}},
        {form->CP_EtherNetIP, {{825, 846}}},
        {form->CP_J1939, {{867, 874}}},
        {form->CP_KNX, {{878, 881}}},
        {form->CP_NMEA2000, {{884, 889}}},
        {form->CP_PROFIBUS, {{892, 899}}},
        {form->CP_PROFINET, {{904, 930}}},
        {form->CP_IEC61850_Client, {{948, 967}}},
        {form->CP_IEC61850_Server, {{2501, 2520}}},
        {form->CP_TLS_Server, {{2545, 2556}}},
        {form->CP_NTP, {{2558, 2561}}},
        {form->CP_MQTT, {{2564, 2589}, {2896, 2903}}},
        {form->CP_WiFi, {{2591, 2665}}},
        {form->CP_TLS, {{2693, 2706}}},
        {form->CP_OPC_UA_Client, {{2708, 2723}}},
        {form->CP_OPC_UA_Server, {{2747, 2762}, {2769, 2770}}},
        {form->CP_S7_Protocol, {{2785, 2800}}},
        {form->CP_SNMP_Manager, {{2814, 2830}}},
        {form->CP_SNMP_Agent, {{2844, 2881}}},
        {form->CP_Ethernet_Connection, {{2907, 2924}}},
        {nullptr, {{400, 405}}},
    };
    std::vector<std::pair<TControl*, TCategoryPanel*>> controls;
    Walk(form, nullptr, controls);
    // Rows and lists as they stand before the texts change.
    std::vector<std::tuple<bool, Integer>> before;
    for (const auto& c : controls)
        before.emplace_back(c.first->Visible(), c.first->Top());
    const QString lora_caption = form->CP_LoRa->Caption();
    form->CB_LoRa_RF_Band->SetItemIndex(3);

    // Each text of the blocks marked with its number.
    for (Integer i : {400, 2500})
        for (Integer n = i; n <= (i == 400 ? 979 : 2935); ++n)
            Language_Texts->SetStrings(n, QStringLiteral("#%1").arg(n));
    form->Set_Lang();

    std::multiset<Integer> seen;
    const auto take = [&](const QString& text, TCategoryPanel* panel) {
        if (!text.startsWith('#'))
            return;
        const Integer n = text.mid(1).toInt();
        seen.insert(n);
        bool inside = false;
        for (const auto& [first, last] : ranges.at(panel))
            inside = inside || (n >= first && n <= last);
        EXPECT_TRUE(inside) << "text " << n;
    };
    take(form->Caption(), nullptr);
    for (const auto& [c, panel] : controls) {
        if (c == panel)
            continue;  // the panel captions are composed once, at creation
        take(c->Hint(), panel);
        if (auto* cb = dynamic_cast<TComboBox*>(c)) {
            // A list's text is its selected item.
            for (Integer i = 0; i < cb->Items()->Count(); ++i)
                take(cb->Items()->Strings(i), panel);
        } else {
            take(c->Caption(), panel);
        }
    }
    EXPECT_EQ(seen.size(), 657u);
    EXPECT_EQ(std::set<Integer>(seen.begin(), seen.end()).size(), seen.size()) << "a text used twice";
    EXPECT_EQ(form->CB_WiFi_Type->Hint(), "#2592");
    EXPECT_EQ(form->CB_WiFi_Channel->Items()->Strings(11), "#2665");

    // Nothing moved, showed or hid; the panel captions and the fixed lists kept.
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(std::make_tuple(controls[i].first->Visible(), controls[i].first->Top()), before[i]) << i;
    EXPECT_EQ(form->CP_LoRa->Caption(), lora_caption);
    EXPECT_EQ(form->CB_LoRa_RF_Band->ItemIndex(), 3);
    Load_Default_Texts();
}

TEST_F(TParGenModels, BuiltInEnglishTextsOfOtherPanels)
{
    form->Set_Lang();
    EXPECT_EQ(form->L_MBus_OnWire_Present->Caption(), "M-Bus on Wire");
    EXPECT_EQ(form->CB_MBus_OnWire_Present->Text(), "Not Present");
    EXPECT_EQ(form->CB_WiFi_Type->Text(), "Access Point");
    EXPECT_EQ(form->CB_WiFi_Secure_Type->Text(), "Unsecured");
    EXPECT_EQ(form->CB_WiFi_Channel->Text(), "Auto Search");
    EXPECT_EQ(form->CB_WiFi_Type->Hint(), "");
    EXPECT_EQ(form->CB_TLS_En_Client_Auth->Caption(), "Client Authentication");
    EXPECT_EQ(form->E_SNMP_Agent_Trap_IP[2]->Hint(), "Trap Receiver IP (Byte 3)");
    // A language change puts the language lists back on item 0.
    form->CB_WiFi_Type->SetItemIndex(1);
    form->CB_MBus_OnWire_Present->SetItemIndex(1);
    form->CB_CAN_Baudrate->SetItemIndex(5);
    form->Set_Lang();
    EXPECT_EQ(form->CB_WiFi_Type->ItemIndex(), 0);
    EXPECT_EQ(form->CB_MBus_OnWire_Present->ItemIndex(), 0);
    EXPECT_EQ(form->CB_CAN_Baudrate->ItemIndex(), 5);
}

} // namespace
