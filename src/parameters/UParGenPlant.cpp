// The general parameters window's panels of the plant and network sides
// (IEC 61850, TLS, NTP, MQTT, OPC UA, S7, SNMP, Wi-Fi): their controls at the
// form's places, their layout and their texts.
#include "parameters/ParGenLayout.h"
#include "parameters/ParGenRows.h"
#include "parameters/UParGen.h"
#include "platform/CategoryPanel.h"
#include "platform/StdControls.h"

namespace {

constexpr const char* Default_IP = "192.168.0.10";
constexpr const char* Default_SM = "255.255.255.0";
constexpr const char* Default_GAT = "192.168.0.1";

} // namespace

void TFParGen::Create_Plant_Panels()
{
    {
        TParGenRows r(this, CP_IEC61850_Client = Make_Panel(947));
        r.Octet_Row(L_IEC61850_Client_IP, E_IEC61850_Client_IP, Default_IP);
        r.Octet_Row(L_IEC61850_Client_SM, E_IEC61850_Client_SM, Default_SM);
        r.Octet_Row(CB_IEC61850_Client_En_GAT, E_IEC61850_Client_GAT, Default_GAT);
        r.Edit_Row(L_IEC61850_Client_IED_Name, E_IEC61850_Client_IED_Name);
        r.Edit_Row(L_IEC61850_Client_AppID, E_IEC61850_Client_AppID, QStringLiteral("0000"));
    }
    {
        TParGenRows r(this, CP_IEC61850_Server = Make_Panel(2500));
        r.Octet_Row(L_IEC61850_Server_IP, E_IEC61850_Server_IP, Default_IP);
        r.Octet_Row(L_IEC61850_Server_SM, E_IEC61850_Server_SM, Default_SM);
        r.Octet_Row(CB_IEC61850_Server_En_GAT, E_IEC61850_Server_GAT, Default_GAT);
        r.Edit_Row(L_IEC61850_Server_IED_Name, E_IEC61850_Server_IED_Name);
        r.Edit_Row(L_IEC61850_Server_Password, E_IEC61850_Server_Password);
    }
    {
        TParGenRows r(this, CP_TLS_Server = Make_Panel(2544));
        r.Check_Row(CB_TLS_Server_Enable);
        r.Edit_Row(L_TLS_Server_Key, E_TLS_Server_Key);
        r.Edit_Row(L_TLS_Server_Key_Pass, E_TLS_Server_Key_Pass);
        r.Edit_Row(L_TLS_Server_Server_Cert, E_TLS_Server_Server_Cert);
        r.Edit_Row(L_TLS_Server_Root_Cert, E_TLS_Server_Root_Cert);
        r.Check_Row(CB_TLS_Server_En_Known_Cert);
    }
    {
        TParGenRows r(this, CP_NTP = Make_Panel(2557));
        r.Edit_Row(L_NTP_Server, E_NTP_Server, QStringLiteral("pool.ntp.org"));
        r.Edit_Row(L_NTP_Poll_Time, E_NTP_Poll_Time, QStringLiteral("60"));
    }
    {
        TParGenRows r(this, CP_MQTT = Make_Panel(2563));
        r.Edit_Row(L_MQTT_Broker, E_MQTT_Broker);
        r.Edit_Row(L_MQTT_Port, E_MQTT_Port, QStringLiteral("1883"));
        r.Edit_Row(L_MQTT_ClientID, E_MQTT_ClientID);
        r.Edit_Row(L_MQTT_KeepAlive, E_MQTT_KeepAlive, QStringLiteral("60"));
        r.Check_Row(CB_MQTT_CleanSession);
        r.Check_Row(CB_MQTT_WillFlag);
        r.Edit_Row(L_MQTT_WillTopic, E_MQTT_WillTopic);
        r.Edit_Row(L_MQTT_WillMessage, E_MQTT_WillMessage);
        r.Check_Row(CB_MQTT_Will_Retained);
        r.Combo_Row(L_MQTT_WillQoS, CB_MQTT_WillQoS, {"0", "1", "2"});
        r.Check_Row(CB_MQTT_PublishTopicConnection);
        r.Edit_Row(L_MQTT_ConnectionTopic, E_MQTT_ConnectionTopic);
        r.Edit_Row(L_MQTT_ConnectionMessage, E_MQTT_ConnectionMessage);
        r.Check_Row(CB_MQTT_Connection_Retained);
        r.Edit_Row(L_MQTT_UserName, E_MQTT_UserName);
        r.Edit_Row(L_MQTT_Password, E_MQTT_Password);
        r.Edit_Row(L_MQTT_AsyncSendTime, E_MQTT_AsyncSendTime, QStringLiteral("0"));
    }
    {
        TParGenRows r(this, CP_TLS = Make_Panel(2692));
        r.Check_Row(CB_TLS_Enable);
        r.Check_Row(CB_TLS_En_Server_Auth);
        r.Edit_Row(L_TLS_Server_Cert, E_TLS_Server_Cert);
        r.Check_Row(CB_TLS_En_Client_Auth);
        r.Edit_Row(L_TLS_Client_Cert, E_TLS_Client_Cert);
        r.Edit_Row(L_TLS_Client_Cert_Key, E_TLS_Client_Cert_Key);
        r.Edit_Row(L_TLS_Client_Cert_Key_Pass, E_TLS_Client_Cert_Key_Pass);
    }
    {
        TParGenRows r(this, CP_OPC_UA_Client = Make_Panel(2707));
        r.Octet_Row(L_OPC_UA_Client_IP, E_OPC_UA_Client_IP, Default_IP);
        r.Octet_Row(L_OPC_UA_Client_SM, E_OPC_UA_Client_SM, Default_SM);
        r.Octet_Row(CB_OPC_UA_Client_En_GAT, E_OPC_UA_Client_GAT, Default_GAT);
    }
    {
        TParGenRows r(this, CP_OPC_UA_Server = Make_Panel(2746));
        r.Octet_Row(L_OPC_UA_Server_IP, E_OPC_UA_Server_IP, Default_IP);
        r.Octet_Row(L_OPC_UA_Server_SM, E_OPC_UA_Server_SM, Default_SM);
        r.Octet_Row(CB_OPC_UA_Server_En_GAT, E_OPC_UA_Server_GAT, Default_GAT);
        r.Edit_Row(L_OPC_UA_Server_Port, E_OPC_UA_Server_Port, QStringLiteral("4840"));
    }
    {
        TParGenRows r(this, CP_S7_Protocol = Make_Panel(2784));
        r.Octet_Row(L_S7_Protocol_IP, E_S7_Protocol_IP, Default_IP);
        r.Octet_Row(L_S7_Protocol_SM, E_S7_Protocol_SM, Default_SM);
        r.Octet_Row(CB_S7_Protocol_En_GAT, E_S7_Protocol_GAT, Default_GAT);
    }
    {
        TParGenRows r(this, CP_SNMP_Manager = Make_Panel(2813));
        r.Octet_Row(L_SNMP_Manager_IP, E_SNMP_Manager_IP, Default_IP);
        r.Octet_Row(L_SNMP_Manager_SM, E_SNMP_Manager_SM, Default_SM);
        r.Octet_Row(L_SNMP_Manager_GAT, E_SNMP_Manager_GAT, Default_GAT);
        r.Edit_Row(L_SNMP_Manager_NameStation, E_SNMP_Manager_NameStation);
    }
    {
        TParGenRows r(this, CP_SNMP_Agent = Make_Panel(2843));
        r.Octet_Row(L_SNMP_Agent_IP, E_SNMP_Agent_IP, Default_IP);
        r.Octet_Row(L_SNMP_Agent_SM, E_SNMP_Agent_SM, Default_SM);
        r.Octet_Row(L_SNMP_Agent_GAT, E_SNMP_Agent_GAT, Default_GAT);
        r.Octet_Row(L_SNMP_Agent_Trap_IP, E_SNMP_Agent_Trap_IP, "192.168.0.100");
        r.Edit_Row(L_SNMP_Agent_Read_Community, E_SNMP_Agent_Read_Community, QStringLiteral("public"));
        r.Edit_Row(L_SNMP_Agent_Write_Community, E_SNMP_Agent_Write_Community, QStringLiteral("private"));
        r.Check_Row(CB_SNMP_Agent_Version3);
        r.Edit_Row(L_SNMP_Agent_User, E_SNMP_Agent_User);
        r.Combo_Row(L_SNMP_Agent_SecurityLevel, CB_SNMP_Agent_SecurityLevel,
                    {"NoAuthority NoPrivacy", "Authority NoPrivacy", "Authority Privacy"});
        r.Edit_Row(L_SNMP_Agent_Authority, E_SNMP_Agent_Authority);
        r.Combo_Row(L_SNMP_Agent_AuthorityMode, CB_SNMP_Agent_AuthorityMode, {"MD5", "SHA"});
        r.Edit_Row(L_SNMP_Agent_Privacy, E_SNMP_Agent_Privacy);
        r.Combo_Row(L_SNMP_Agent_PrivacyMode, CB_SNMP_Agent_PrivacyMode, {"DES", "AES"});
    }
    {
        // The type, security and channel lists take their items from the
        // language (Set_Lang).
        TParGenRows r(this, CP_WiFi = Make_Panel(2590));
        r.Combo_Row(L_WiFi_Type, CB_WiFi_Type);
        r.Check_Row(CB_WiFi_IP_Auto);
        r.Edit_Row(L_WiFi_Name, E_WiFi_Name);
        r.Octet_Row(L_WiFi_IP, E_WiFi_IP, "192.168.4.1");
        r.Octet_Row(L_WiFi_SM, E_WiFi_SM, Default_SM);
        r.Octet_Row(CB_WiFi_En_GAT, E_WiFi_GAT, "192.168.4.1");
        r.Octet_Row(CB_WiFi_En_DNS, E_WiFi_DNS, "8.8.8.8");
        r.Edit_Row(L_WiFi_Port, E_WiFi_Port, QStringLiteral("10000"));
        r.Edit_Row(L_WiFi_SSID, E_WiFi_SSID);
        r.Combo_Row(L_WiFi_Secure_Type, CB_WiFi_Secure_Type);
        r.Edit_Row(L_WiFi_Password, E_WiFi_Password);
        r.Check_Row(CB_WiFi_En_DHCP);
        r.Octet_Row(L_WiFi_DHCP_First, E_WiFi_DHCP_First, "192.168.4.100");
        r.Octet_Row(L_WiFi_DHCP_SM, E_WiFi_DHCP_SM, Default_SM);
        r.Edit_Row(L_WiFi_Lease_Time, E_WiFi_Lease_Time, QStringLiteral("120"));
        r.Edit_Row(L_WiFi_Max_Clients, E_WiFi_Max_Clients, QStringLiteral("4"));
        r.Combo_Row(L_WiFi_Channel, CB_WiFi_Channel);
        r.Check_Row(CB_WiFi_En_WPS);
    }
}

// ------------------------------------------------------------ layout

void TFParGen::RePosition_Object_IEC61850_Client()
{
    Fit_Panel(CP_IEC61850_Client, E_IEC61850_Client_AppID);
    Apply_DHCP({&E_IEC61850_Client_IP, &E_IEC61850_Client_SM, &E_IEC61850_Client_GAT});
}

void TFParGen::RePosition_Object_IEC61850_Server()
{
    Fit_Panel(CP_IEC61850_Server, E_IEC61850_Server_Password);
    Apply_DHCP({&E_IEC61850_Server_IP, &E_IEC61850_Server_SM, &E_IEC61850_Server_GAT});
}

void TFParGen::RePosition_Object_TLS_Server()
{
    const bool enabled = CB_TLS_Server_Enable->Checked();
    Set_Shown({L_TLS_Server_Key, E_TLS_Server_Key, L_TLS_Server_Key_Pass, E_TLS_Server_Key_Pass,
               L_TLS_Server_Server_Cert, E_TLS_Server_Server_Cert, L_TLS_Server_Root_Cert, E_TLS_Server_Root_Cert,
               CB_TLS_Server_En_Known_Cert},
              enabled);
    Fit_Panel(CP_TLS_Server, enabled ? CB_TLS_Server_En_Known_Cert : CB_TLS_Server_Enable);
}

void TFParGen::RePosition_Object_NTP()
{
    Fit_Panel(CP_NTP, E_NTP_Poll_Time);
}

void TFParGen::RePosition_Object_MQTT()
{
    // The will rows keep the form's places; everything after them flows.
    const bool will = CB_MQTT_WillFlag->Checked();
    Set_Shown({L_MQTT_WillTopic, E_MQTT_WillTopic, L_MQTT_WillMessage, E_MQTT_WillMessage, CB_MQTT_Will_Retained,
               L_MQTT_WillQoS, CB_MQTT_WillQoS},
              will);
    Integer y = will ? L_MQTT_WillQoS->Top() + Row_Pitch : L_MQTT_WillTopic->Top();
    Flow_Row(y, CB_MQTT_PublishTopicConnection);
    if (CB_MQTT_PublishTopicConnection->Checked()) {
        Flow_Row(y, L_MQTT_ConnectionTopic, {E_MQTT_ConnectionTopic});
        Flow_Row(y, L_MQTT_ConnectionMessage, {E_MQTT_ConnectionMessage});
        Flow_Row(y, CB_MQTT_Connection_Retained);
    } else {
        Hide_Row(L_MQTT_ConnectionTopic, {E_MQTT_ConnectionTopic});
        Hide_Row(L_MQTT_ConnectionMessage, {E_MQTT_ConnectionMessage});
        Hide_Row(CB_MQTT_Connection_Retained);
    }
    Flow_Row(y, L_MQTT_UserName, {E_MQTT_UserName});
    Flow_Row(y, L_MQTT_Password, {E_MQTT_Password});
    Hide_Row(L_MQTT_AsyncSendTime, {E_MQTT_AsyncSendTime});
    Fit_Panel(CP_MQTT, E_MQTT_Password);
}

void TFParGen::RePosition_Object_TLS()
{
    const auto hide_client_rows = [this] {
        Hide_Row(L_TLS_Client_Cert, {E_TLS_Client_Cert});
        Hide_Row(L_TLS_Client_Cert_Key, {E_TLS_Client_Cert_Key});
        Hide_Row(L_TLS_Client_Cert_Key_Pass, {E_TLS_Client_Cert_Key_Pass});
    };
    if (!CB_TLS_Enable->Checked()) {
        Set_Shown({CB_TLS_En_Server_Auth, L_TLS_Server_Cert, E_TLS_Server_Cert, CB_TLS_En_Client_Auth}, false);
        hide_client_rows();
        Fit_Panel(CP_TLS, CB_TLS_Enable);
        return;
    }
    const bool server_auth = CB_TLS_En_Server_Auth->Checked();
    CB_TLS_En_Server_Auth->SetVisible(true);
    Set_Shown({L_TLS_Server_Cert, E_TLS_Server_Cert}, server_auth);
    // Below the server-authentication box, or below the certificate's edit.
    Integer y = (server_auth ? E_TLS_Server_Cert->Top() : CB_TLS_En_Server_Auth->Top()) + Row_Pitch;
    Flow_Row(y, CB_TLS_En_Client_Auth);
    if (CB_TLS_En_Client_Auth->Checked()) {
        Flow_Row(y, L_TLS_Client_Cert, {E_TLS_Client_Cert});
        Flow_Row(y, L_TLS_Client_Cert_Key, {E_TLS_Client_Cert_Key});
        Flow_Row(y, L_TLS_Client_Cert_Key_Pass, {E_TLS_Client_Cert_Key_Pass});
        Fit_Panel(CP_TLS, E_TLS_Client_Cert_Key_Pass);
    } else {
        hide_client_rows();
        Fit_Panel(CP_TLS, CB_TLS_En_Client_Auth);
    }
}

void TFParGen::RePosition_Object_OPC_UA_Client()
{
    Fit_Panel(CP_OPC_UA_Client, E_OPC_UA_Client_GAT[3]);
    Apply_DHCP({&E_OPC_UA_Client_IP, &E_OPC_UA_Client_SM, &E_OPC_UA_Client_GAT});
}

void TFParGen::RePosition_Object_OPC_UA_Server()
{
    Fit_Panel(CP_OPC_UA_Server, E_OPC_UA_Server_Port);
    Apply_DHCP({&E_OPC_UA_Server_IP, &E_OPC_UA_Server_SM, &E_OPC_UA_Server_GAT});
}

void TFParGen::RePosition_Object_S7_Protocol()
{
    Fit_Panel(CP_S7_Protocol, E_S7_Protocol_GAT[3]);
    Apply_DHCP({&E_S7_Protocol_IP, &E_S7_Protocol_SM, &E_S7_Protocol_GAT});
}

void TFParGen::RePosition_Object_SNMP_Manager()
{
    Fit_Panel(CP_SNMP_Manager, E_SNMP_Manager_NameStation);
    Apply_DHCP({&E_SNMP_Manager_IP, &E_SNMP_Manager_SM, &E_SNMP_Manager_GAT});
}

void TFParGen::RePosition_Object_SNMP_Agent()
{
    // Version 3 shows the user and the security level; the level shows the
    // authority rows (item 1) or the authority and privacy rows (item 2).
    const bool v3 = CB_SNMP_Agent_Version3->Checked();
    const Integer level = v3 ? CB_SNMP_Agent_SecurityLevel->ItemIndex() : 0;
    const bool authority = level == 1 || level == 2;
    const bool privacy = level == 2;
    Set_Shown({L_SNMP_Agent_User, E_SNMP_Agent_User, L_SNMP_Agent_SecurityLevel, CB_SNMP_Agent_SecurityLevel}, v3);
    Set_Shown({L_SNMP_Agent_Authority, E_SNMP_Agent_Authority, L_SNMP_Agent_AuthorityMode,
               CB_SNMP_Agent_AuthorityMode},
              authority);
    Set_Shown({L_SNMP_Agent_Privacy, E_SNMP_Agent_Privacy, L_SNMP_Agent_PrivacyMode, CB_SNMP_Agent_PrivacyMode},
              privacy);
    TControl* lowest = privacy     ? static_cast<TControl*>(CB_SNMP_Agent_PrivacyMode)
                       : authority ? static_cast<TControl*>(CB_SNMP_Agent_AuthorityMode)
                       : v3        ? static_cast<TControl*>(CB_SNMP_Agent_SecurityLevel)
                                   : static_cast<TControl*>(CB_SNMP_Agent_Version3);
    Fit_Panel(CP_SNMP_Agent, lowest);
    Apply_DHCP({&E_SNMP_Agent_IP, &E_SNMP_Agent_SM, &E_SNMP_Agent_GAT});
}

void TFParGen::RePosition_Object_WiFi()
{
    const Integer type = CB_WiFi_Type->ItemIndex();
    // Any other type leaves the panel as it is.
    if (type != 0 && type != 1)
        return;
    Integer y = L_WiFi_Type->Top() + Row_Pitch;
    const auto addresses = [&](bool shown) {
        if (shown) {
            Flow_Octets(y, L_WiFi_IP, E_WiFi_IP);
            Flow_Octets(y, L_WiFi_SM, E_WiFi_SM);
            Flow_Octets(y, CB_WiFi_En_GAT, E_WiFi_GAT, true);
            Flow_Octets(y, CB_WiFi_En_DNS, E_WiFi_DNS, true);
        } else {
            Hide_Octets(L_WiFi_IP, E_WiFi_IP);
            Hide_Octets(L_WiFi_SM, E_WiFi_SM);
            Hide_Octets(CB_WiFi_En_GAT, E_WiFi_GAT);
            Hide_Octets(CB_WiFi_En_DNS, E_WiFi_DNS);
        }
    };
    const auto dhcp_rows = [&](bool shown) {
        if (shown) {
            Flow_Octets(y, L_WiFi_DHCP_First, E_WiFi_DHCP_First);
            Flow_Octets(y, L_WiFi_DHCP_SM, E_WiFi_DHCP_SM);
            Flow_Row(y, L_WiFi_Lease_Time, {E_WiFi_Lease_Time});
        } else {
            Hide_Octets(L_WiFi_DHCP_First, E_WiFi_DHCP_First);
            Hide_Octets(L_WiFi_DHCP_SM, E_WiFi_DHCP_SM);
            Hide_Row(L_WiFi_Lease_Time, {E_WiFi_Lease_Time});
        }
    };
    Hide_Row(CB_WiFi_En_WPS);
    if (type == 0) {
        // Access point.
        Hide_Row(CB_WiFi_IP_Auto);
        Hide_Row(L_WiFi_Name, {E_WiFi_Name});
        addresses(true);
        Flow_Row(y, L_WiFi_Port, {E_WiFi_Port});
        Flow_Row(y, L_WiFi_SSID, {E_WiFi_SSID});
        Flow_Row(y, L_WiFi_Secure_Type, {CB_WiFi_Secure_Type});
        if (CB_WiFi_Secure_Type->ItemIndex() != 0)
            Flow_Row(y, L_WiFi_Password, {E_WiFi_Password});
        else
            Hide_Row(L_WiFi_Password, {E_WiFi_Password});
        Flow_Row(y, CB_WiFi_En_DHCP);
        dhcp_rows(CB_WiFi_En_DHCP->Checked());
        Flow_Row(y, L_WiFi_Max_Clients, {E_WiFi_Max_Clients});
        Flow_Row(y, L_WiFi_Channel, {CB_WiFi_Channel});
        Fit_Panel(CP_WiFi, CB_WiFi_Channel);
    } else {
        // Client of another network: its own address, or a name when it
        // takes one automatically.
        Flow_Row(y, CB_WiFi_IP_Auto);
        const bool automatic = CB_WiFi_IP_Auto->Checked();
        addresses(!automatic);
        if (automatic)
            Flow_Row(y, L_WiFi_Name, {E_WiFi_Name});
        else
            Hide_Row(L_WiFi_Name, {E_WiFi_Name});
        Flow_Row(y, L_WiFi_Port, {E_WiFi_Port});
        Flow_Row(y, L_WiFi_SSID, {E_WiFi_SSID});
        Flow_Row(y, L_WiFi_Password, {E_WiFi_Password});
        Hide_Row(L_WiFi_Secure_Type, {CB_WiFi_Secure_Type});
        Hide_Row(CB_WiFi_En_DHCP);
        dhcp_rows(false);
        Hide_Row(L_WiFi_Max_Clients, {E_WiFi_Max_Clients});
        Hide_Row(L_WiFi_Channel, {CB_WiFi_Channel});
        Fit_Panel(CP_WiFi, E_WiFi_Password);
    }
}

// ------------------------------------------------------------ texts

void TFParGen::Set_Lang_Plant()
{
    Octet_Texts(L_IEC61850_Client_IP, E_IEC61850_Client_IP, 948);
    Octet_Texts(L_IEC61850_Client_SM, E_IEC61850_Client_SM, 953);
    Box_Octet_Texts(CB_IEC61850_Client_En_GAT, E_IEC61850_Client_GAT, 958);
    Row_Texts(L_IEC61850_Client_IED_Name, {E_IEC61850_Client_IED_Name}, 964);
    Row_Texts(L_IEC61850_Client_AppID, {E_IEC61850_Client_AppID}, 966);

    Octet_Texts(L_IEC61850_Server_IP, E_IEC61850_Server_IP, 2501);
    Octet_Texts(L_IEC61850_Server_SM, E_IEC61850_Server_SM, 2506);
    Box_Octet_Texts(CB_IEC61850_Server_En_GAT, E_IEC61850_Server_GAT, 2511);
    Row_Texts(L_IEC61850_Server_IED_Name, {E_IEC61850_Server_IED_Name}, 2517);
    Row_Texts(L_IEC61850_Server_Password, {E_IEC61850_Server_Password}, 2519);

    Box_Texts(CB_TLS_Server_Enable, {}, 2545);
    Row_Texts(L_TLS_Server_Key, {E_TLS_Server_Key}, 2547);
    Row_Texts(L_TLS_Server_Key_Pass, {E_TLS_Server_Key_Pass}, 2549);
    Row_Texts(L_TLS_Server_Server_Cert, {E_TLS_Server_Server_Cert}, 2551);
    Row_Texts(L_TLS_Server_Root_Cert, {E_TLS_Server_Root_Cert}, 2553);
    Box_Texts(CB_TLS_Server_En_Known_Cert, {}, 2555);

    Row_Texts(L_NTP_Server, {E_NTP_Server}, 2558);
    Row_Texts(L_NTP_Poll_Time, {E_NTP_Poll_Time}, 2560);

    Row_Texts(L_MQTT_Broker, {E_MQTT_Broker}, 2564);
    Row_Texts(L_MQTT_Port, {E_MQTT_Port}, 2566);
    Row_Texts(L_MQTT_ClientID, {E_MQTT_ClientID}, 2568);
    Row_Texts(L_MQTT_KeepAlive, {E_MQTT_KeepAlive}, 2570);
    Box_Texts(CB_MQTT_CleanSession, {}, 2572);
    Box_Texts(CB_MQTT_WillFlag, {}, 2574);
    Row_Texts(L_MQTT_WillTopic, {E_MQTT_WillTopic}, 2576);
    Row_Texts(L_MQTT_WillMessage, {E_MQTT_WillMessage}, 2578);
    Box_Texts(CB_MQTT_Will_Retained, {}, 2580);
    Row_Texts(L_MQTT_WillQoS, {CB_MQTT_WillQoS}, 2582);
    Row_Texts(L_MQTT_UserName, {E_MQTT_UserName}, 2584);
    Row_Texts(L_MQTT_Password, {E_MQTT_Password}, 2586);
    Row_Texts(L_MQTT_AsyncSendTime, {E_MQTT_AsyncSendTime}, 2588);
    Box_Texts(CB_MQTT_PublishTopicConnection, {}, 2896);
    Row_Texts(L_MQTT_ConnectionTopic, {E_MQTT_ConnectionTopic}, 2898);
    Row_Texts(L_MQTT_ConnectionMessage, {E_MQTT_ConnectionMessage}, 2900);
    Box_Texts(CB_MQTT_Connection_Retained, {}, 2902);

    // The lists of the Wi-Fi panel: caption, hint, then the items.
    Row_Texts(L_WiFi_Type, {CB_WiFi_Type}, 2591);
    Combo_Texts(CB_WiFi_Type, 2593, 3);
    Box_Texts(CB_WiFi_IP_Auto, {}, 2596);
    Row_Texts(L_WiFi_Name, {E_WiFi_Name}, 2598);
    Octet_Texts(L_WiFi_IP, E_WiFi_IP, 2600);
    Octet_Texts(L_WiFi_SM, E_WiFi_SM, 2605);
    Box_Octet_Texts(CB_WiFi_En_GAT, E_WiFi_GAT, 2610);
    Box_Octet_Texts(CB_WiFi_En_DNS, E_WiFi_DNS, 2616);
    Row_Texts(L_WiFi_Port, {E_WiFi_Port}, 2622);
    Row_Texts(L_WiFi_SSID, {E_WiFi_SSID}, 2624);
    Row_Texts(L_WiFi_Password, {E_WiFi_Password}, 2626);
    Row_Texts(L_WiFi_Secure_Type, {CB_WiFi_Secure_Type}, 2628);
    Combo_Texts(CB_WiFi_Secure_Type, 2630, 4);
    Box_Texts(CB_WiFi_En_DHCP, {}, 2634);
    Octet_Texts(L_WiFi_DHCP_First, E_WiFi_DHCP_First, 2636);
    Octet_Texts(L_WiFi_DHCP_SM, E_WiFi_DHCP_SM, 2641);
    Row_Texts(L_WiFi_Lease_Time, {E_WiFi_Lease_Time}, 2646);
    Row_Texts(L_WiFi_Max_Clients, {E_WiFi_Max_Clients}, 2648);
    Box_Texts(CB_WiFi_En_WPS, {}, 2650);
    Row_Texts(L_WiFi_Channel, {CB_WiFi_Channel}, 2652);
    Combo_Texts(CB_WiFi_Channel, 2654, 12);

    Box_Texts(CB_TLS_Enable, {}, 2693);
    Box_Texts(CB_TLS_En_Server_Auth, {}, 2695);
    Row_Texts(L_TLS_Server_Cert, {E_TLS_Server_Cert}, 2697);
    Box_Texts(CB_TLS_En_Client_Auth, {}, 2699);
    Row_Texts(L_TLS_Client_Cert, {E_TLS_Client_Cert}, 2701);
    Row_Texts(L_TLS_Client_Cert_Key, {E_TLS_Client_Cert_Key}, 2703);
    Row_Texts(L_TLS_Client_Cert_Key_Pass, {E_TLS_Client_Cert_Key_Pass}, 2705);

    Octet_Texts(L_OPC_UA_Client_IP, E_OPC_UA_Client_IP, 2708);
    Octet_Texts(L_OPC_UA_Client_SM, E_OPC_UA_Client_SM, 2713);
    Box_Octet_Texts(CB_OPC_UA_Client_En_GAT, E_OPC_UA_Client_GAT, 2718);

    Octet_Texts(L_OPC_UA_Server_IP, E_OPC_UA_Server_IP, 2747);
    Octet_Texts(L_OPC_UA_Server_SM, E_OPC_UA_Server_SM, 2752);
    Box_Octet_Texts(CB_OPC_UA_Server_En_GAT, E_OPC_UA_Server_GAT, 2757);
    Row_Texts(L_OPC_UA_Server_Port, {E_OPC_UA_Server_Port}, 2769);

    Octet_Texts(L_S7_Protocol_IP, E_S7_Protocol_IP, 2785);
    Octet_Texts(L_S7_Protocol_SM, E_S7_Protocol_SM, 2790);
    Box_Octet_Texts(CB_S7_Protocol_En_GAT, E_S7_Protocol_GAT, 2795);

    Octet_Texts(L_SNMP_Manager_IP, E_SNMP_Manager_IP, 2814);
    Octet_Texts(L_SNMP_Manager_SM, E_SNMP_Manager_SM, 2819);
    Octet_Texts(L_SNMP_Manager_GAT, E_SNMP_Manager_GAT, 2824);
    Row_Texts(L_SNMP_Manager_NameStation, {E_SNMP_Manager_NameStation}, 2829);

    Octet_Texts(L_SNMP_Agent_IP, E_SNMP_Agent_IP, 2844);
    Octet_Texts(L_SNMP_Agent_SM, E_SNMP_Agent_SM, 2849);
    Octet_Texts(L_SNMP_Agent_GAT, E_SNMP_Agent_GAT, 2854);
    Octet_Texts(L_SNMP_Agent_Trap_IP, E_SNMP_Agent_Trap_IP, 2859);
    Row_Texts(L_SNMP_Agent_Read_Community, {E_SNMP_Agent_Read_Community}, 2864);
    Row_Texts(L_SNMP_Agent_Write_Community, {E_SNMP_Agent_Write_Community}, 2866);
    Box_Texts(CB_SNMP_Agent_Version3, {}, 2868);
    Row_Texts(L_SNMP_Agent_User, {E_SNMP_Agent_User}, 2870);
    Row_Texts(L_SNMP_Agent_SecurityLevel, {CB_SNMP_Agent_SecurityLevel}, 2872);
    Row_Texts(L_SNMP_Agent_Authority, {E_SNMP_Agent_Authority}, 2874);
    Row_Texts(L_SNMP_Agent_AuthorityMode, {CB_SNMP_Agent_AuthorityMode}, 2876);
    Row_Texts(L_SNMP_Agent_Privacy, {E_SNMP_Agent_Privacy}, 2878);
    Row_Texts(L_SNMP_Agent_PrivacyMode, {CB_SNMP_Agent_PrivacyMode}, 2880);
}
