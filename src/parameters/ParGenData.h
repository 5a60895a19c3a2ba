#pragma once
// The content of ParGen.xml, the converter's communication parameters: the
// 65 elements in their file order, how each is read back into the window's
// controls, their defaults, and the whole-file write.
//
// TParGenValues holds every field as the window's control shows it and as
// the file stores it: an edit's text; "1"/"0" for a check box; a text list's
// selected item text (empty when none is selected); an index list's selected
// item index in decimal ("-1" when none is selected).

#include "platform/Types.h"

#include <QString>
#include <array>

class TXMLDocument;
class TXMLNode;

enum TParGenElement : Integer {
    pgEth_Conn_Device_Name,
    pgEth_Conn_DHCP_Cable,
    pgEth_Conn_DHCP_WiFi,
    pgEth_Conn_Enable_DNS,
    pgEth_Conn_Primary_DNS1,
    pgEth_Conn_Primary_DNS2,
    pgEth_Conn_Primary_DNS3,
    pgEth_Conn_Primary_DNS4,
    pgEth_Conn_Secondary_DNS1,
    pgEth_Conn_Secondary_DNS2,
    pgEth_Conn_Secondary_DNS3,
    pgEth_Conn_Secondary_DNS4,
    pgLoRa_RF_Band,
    pgLoRa_Network_Type,
    pgLoRa_Adaptive_DataRate,
    pgLoRa_DataRate,
    pgLoRa_Transmission_Type,
    pgLoRa_Payload_Size,
    pgLoRa_Activation_Method,
    pgLoRa_Device_Address,
    pgLoRa_JoinEUI,
    pgLoRa_Network_Session_Key,
    pgLoRa_Application_Session_Key,
    pgLoRa_Application_Key,
    pgLoRa_FPort,
    pgLoRa_Frequency_SubBand,
    pgLoRa_LNCHECK,
    pgEthernet_IP1,
    pgEthernet_IP2,
    pgEthernet_IP3,
    pgEthernet_IP4,
    pgEthernet_SM1,
    pgEthernet_SM2,
    pgEthernet_SM3,
    pgEthernet_SM4,
    pgEthernet_GAT1,
    pgEthernet_GAT2,
    pgEthernet_GAT3,
    pgEthernet_GAT4,
    pgEthernet_EN_GAT,
    pgBACnet_Master_Type,
    pgBACnet_Master_IP1,
    pgBACnet_Master_IP2,
    pgBACnet_Master_IP3,
    pgBACnet_Master_IP4,
    pgBACnet_Master_SM1,
    pgBACnet_Master_SM2,
    pgBACnet_Master_SM3,
    pgBACnet_Master_SM4,
    pgBACnet_Master_EN_GAT,
    pgBACnet_Master_GAT1,
    pgBACnet_Master_GAT2,
    pgBACnet_Master_GAT3,
    pgBACnet_Master_GAT4,
    pgBACnet_Master_Port,
    pgBACnet_Master_IP_Device_Name,
    pgBACnet_Master_Dev_Instance,
    pgBACnet_Master_TimeOut_Polling,
    pgBACnet_Master_Ser_Baud,
    pgBACnet_Master_Ser_Par,
    pgBACnet_Master_Ser_Device_Name,
    pgBACnet_Master_Ser_MAC_Address,
    pgBACnet_Master_Ser_Max_Master,
    pgBACnet_Master_Ser_Max_Info_Frames,
    pgBACnet_Master_Ser_Dev_Instance,
    ParGen_Element_Count
};

// How a field is shown, and so how its text is read back.
enum TParGenKind { pkEdit, pkCheck, pkTextCombo, pkIndexCombo };

TParGenKind ParGen_Kind(Integer element);
// The element's name in the file.
QString ParGen_Element_Name(Integer element);

// The fixed item list of a combo-box field (the data-rate list depends on
// the band: see LoRaWAN_Rates.h). Empty for other fields.
Integer ParGen_Combo_Count(Integer element);
QString ParGen_Combo_Item(Integer element, Integer item);

// Root element and the comment written after it.
extern const QString ParGen_Root_Name;
extern const QString ParGen_Version_Comment;

struct TParGenValues {
    std::array<QString, ParGen_Element_Count> V;
    QString& operator[](Integer e) { return V[size_t(e)]; }
    const QString& operator[](Integer e) const { return V[size_t(e)]; }
    bool Checked(Integer e) const { return V[size_t(e)] == QLatin1String("1"); }
    // A combo box's selected item index (-1: none selected).
    Integer Item_Index(Integer e) const;
};

// The values of a configuration that has no ParGen.xml yet: every default,
// with the AS923 band's data rate 6 and its maximum payload.
TParGenValues ParGen_New_Values();

// Reads every element on its own from the children of root (the document
// element, whatever its name): a missing element, or one that
// holds more than one text, gets its default. The payload size is always the
// computed maximum of the band and data rate read.
TParGenValues ParGen_Read(const TXMLNode& root);

// Replaces the document's content with the root element, the version comment
// after it and the 65 elements in file order.
void ParGen_Write(TXMLDocument& doc, const TParGenValues& values);

// Maximum payload of the band and data rate the values hold.
Integer ParGen_Max_Payload(const TParGenValues& values);
