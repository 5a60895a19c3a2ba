#pragma once
// The general parameters window's panels of the plant and network sides of
// the series' other models: IEC 61850, TLS, NTP, MQTT, OPC UA, S7, SNMP and
// Wi-Fi. ParGen.xml does not store them: they keep their values while the
// window is open.

#include "parameters/ParGenControls.h"

struct TParGenPlantPanels {
    TCategoryPanel* CP_IEC61850_Client = nullptr;
    TLabel* L_IEC61850_Client_IP;
    TOctetRow E_IEC61850_Client_IP;
    TLabel* L_IEC61850_Client_SM;
    TOctetRow E_IEC61850_Client_SM;
    TCheckBox* CB_IEC61850_Client_En_GAT;
    TOctetRow E_IEC61850_Client_GAT;
    TLabel* L_IEC61850_Client_IED_Name;
    TEdit* E_IEC61850_Client_IED_Name;
    TLabel* L_IEC61850_Client_AppID;
    TEdit* E_IEC61850_Client_AppID;

    TCategoryPanel* CP_IEC61850_Server = nullptr;
    TLabel* L_IEC61850_Server_IP;
    TOctetRow E_IEC61850_Server_IP;
    TLabel* L_IEC61850_Server_SM;
    TOctetRow E_IEC61850_Server_SM;
    TCheckBox* CB_IEC61850_Server_En_GAT;
    TOctetRow E_IEC61850_Server_GAT;
    TLabel* L_IEC61850_Server_IED_Name;
    TEdit* E_IEC61850_Server_IED_Name;
    TLabel* L_IEC61850_Server_Password;
    TEdit* E_IEC61850_Server_Password;

    TCategoryPanel* CP_TLS_Server = nullptr;
    TCheckBox* CB_TLS_Server_Enable;
    TLabel* L_TLS_Server_Key;
    TEdit* E_TLS_Server_Key;
    TLabel* L_TLS_Server_Key_Pass;
    TEdit* E_TLS_Server_Key_Pass;
    TLabel* L_TLS_Server_Server_Cert;
    TEdit* E_TLS_Server_Server_Cert;
    TLabel* L_TLS_Server_Root_Cert;
    TEdit* E_TLS_Server_Root_Cert;
    TCheckBox* CB_TLS_Server_En_Known_Cert;

    TCategoryPanel* CP_NTP = nullptr;
    TLabel* L_NTP_Server;
    TEdit* E_NTP_Server;
    TLabel* L_NTP_Poll_Time;
    TEdit* E_NTP_Poll_Time;

    TCategoryPanel* CP_MQTT = nullptr;
    TLabel* L_MQTT_Broker;
    TEdit* E_MQTT_Broker;
    TLabel* L_MQTT_Port;
    TEdit* E_MQTT_Port;
    TLabel* L_MQTT_ClientID;
    TEdit* E_MQTT_ClientID;
    TLabel* L_MQTT_KeepAlive;
    TEdit* E_MQTT_KeepAlive;
    TCheckBox* CB_MQTT_CleanSession;
    TCheckBox* CB_MQTT_WillFlag;
    TLabel* L_MQTT_WillTopic;
    TEdit* E_MQTT_WillTopic;
    TLabel* L_MQTT_WillMessage;
    TEdit* E_MQTT_WillMessage;
    TCheckBox* CB_MQTT_Will_Retained;
    TLabel* L_MQTT_WillQoS;
    TComboBox* CB_MQTT_WillQoS;
    TCheckBox* CB_MQTT_PublishTopicConnection;
    TLabel* L_MQTT_ConnectionTopic;
    TEdit* E_MQTT_ConnectionTopic;
    TLabel* L_MQTT_ConnectionMessage;
    TEdit* E_MQTT_ConnectionMessage;
    TCheckBox* CB_MQTT_Connection_Retained;
    TLabel* L_MQTT_UserName;
    TEdit* E_MQTT_UserName;
    TLabel* L_MQTT_Password;
    TEdit* E_MQTT_Password;
    TLabel* L_MQTT_AsyncSendTime;
    TEdit* E_MQTT_AsyncSendTime;

    TCategoryPanel* CP_TLS = nullptr;
    TCheckBox* CB_TLS_Enable;
    TCheckBox* CB_TLS_En_Server_Auth;
    TLabel* L_TLS_Server_Cert;
    TEdit* E_TLS_Server_Cert;
    TCheckBox* CB_TLS_En_Client_Auth;
    TLabel* L_TLS_Client_Cert;
    TEdit* E_TLS_Client_Cert;
    TLabel* L_TLS_Client_Cert_Key;
    TEdit* E_TLS_Client_Cert_Key;
    TLabel* L_TLS_Client_Cert_Key_Pass;
    TEdit* E_TLS_Client_Cert_Key_Pass;

    TCategoryPanel* CP_OPC_UA_Client = nullptr;
    TLabel* L_OPC_UA_Client_IP;
    TOctetRow E_OPC_UA_Client_IP;
    TLabel* L_OPC_UA_Client_SM;
    TOctetRow E_OPC_UA_Client_SM;
    TCheckBox* CB_OPC_UA_Client_En_GAT;
    TOctetRow E_OPC_UA_Client_GAT;

    TCategoryPanel* CP_OPC_UA_Server = nullptr;
    TLabel* L_OPC_UA_Server_IP;
    TOctetRow E_OPC_UA_Server_IP;
    TLabel* L_OPC_UA_Server_SM;
    TOctetRow E_OPC_UA_Server_SM;
    TCheckBox* CB_OPC_UA_Server_En_GAT;
    TOctetRow E_OPC_UA_Server_GAT;
    TLabel* L_OPC_UA_Server_Port;
    TEdit* E_OPC_UA_Server_Port;

    TCategoryPanel* CP_S7_Protocol = nullptr;
    TLabel* L_S7_Protocol_IP;
    TOctetRow E_S7_Protocol_IP;
    TLabel* L_S7_Protocol_SM;
    TOctetRow E_S7_Protocol_SM;
    TCheckBox* CB_S7_Protocol_En_GAT;
    TOctetRow E_S7_Protocol_GAT;

    TCategoryPanel* CP_SNMP_Manager = nullptr;
    TLabel* L_SNMP_Manager_IP;
    TOctetRow E_SNMP_Manager_IP;
    TLabel* L_SNMP_Manager_SM;
    TOctetRow E_SNMP_Manager_SM;
    TLabel* L_SNMP_Manager_GAT;
    TOctetRow E_SNMP_Manager_GAT;
    TLabel* L_SNMP_Manager_NameStation;
    TEdit* E_SNMP_Manager_NameStation;

    TCategoryPanel* CP_SNMP_Agent = nullptr;
    TLabel* L_SNMP_Agent_IP;
    TOctetRow E_SNMP_Agent_IP;
    TLabel* L_SNMP_Agent_SM;
    TOctetRow E_SNMP_Agent_SM;
    TLabel* L_SNMP_Agent_GAT;
    TOctetRow E_SNMP_Agent_GAT;
    TLabel* L_SNMP_Agent_Trap_IP;
    TOctetRow E_SNMP_Agent_Trap_IP;
    TLabel* L_SNMP_Agent_Read_Community;
    TEdit* E_SNMP_Agent_Read_Community;
    TLabel* L_SNMP_Agent_Write_Community;
    TEdit* E_SNMP_Agent_Write_Community;
    TCheckBox* CB_SNMP_Agent_Version3;
    TLabel* L_SNMP_Agent_User;
    TEdit* E_SNMP_Agent_User;
    TLabel* L_SNMP_Agent_SecurityLevel;
    TComboBox* CB_SNMP_Agent_SecurityLevel;
    TLabel* L_SNMP_Agent_Authority;
    TEdit* E_SNMP_Agent_Authority;
    TLabel* L_SNMP_Agent_AuthorityMode;
    TComboBox* CB_SNMP_Agent_AuthorityMode;
    TLabel* L_SNMP_Agent_Privacy;
    TEdit* E_SNMP_Agent_Privacy;
    TLabel* L_SNMP_Agent_PrivacyMode;
    TComboBox* CB_SNMP_Agent_PrivacyMode;

    TCategoryPanel* CP_WiFi = nullptr;
    TLabel* L_WiFi_Type;
    TComboBox* CB_WiFi_Type;
    TCheckBox* CB_WiFi_IP_Auto;
    TLabel* L_WiFi_Name;
    TEdit* E_WiFi_Name;
    TLabel* L_WiFi_IP;
    TOctetRow E_WiFi_IP;
    TLabel* L_WiFi_SM;
    TOctetRow E_WiFi_SM;
    TCheckBox* CB_WiFi_En_GAT;
    TOctetRow E_WiFi_GAT;
    TCheckBox* CB_WiFi_En_DNS;
    TOctetRow E_WiFi_DNS;
    TLabel* L_WiFi_Port;
    TEdit* E_WiFi_Port;
    TLabel* L_WiFi_SSID;
    TEdit* E_WiFi_SSID;
    TLabel* L_WiFi_Secure_Type;
    TComboBox* CB_WiFi_Secure_Type;
    TLabel* L_WiFi_Password;
    TEdit* E_WiFi_Password;
    TCheckBox* CB_WiFi_En_DHCP;
    TLabel* L_WiFi_DHCP_First;
    TOctetRow E_WiFi_DHCP_First;
    TLabel* L_WiFi_DHCP_SM;
    TOctetRow E_WiFi_DHCP_SM;
    TLabel* L_WiFi_Lease_Time;
    TEdit* E_WiFi_Lease_Time;
    TLabel* L_WiFi_Max_Clients;
    TEdit* E_WiFi_Max_Clients;
    TLabel* L_WiFi_Channel;
    TComboBox* CB_WiFi_Channel;
    TCheckBox* CB_WiFi_En_WPS;
};
