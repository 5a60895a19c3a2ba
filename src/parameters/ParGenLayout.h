#pragma once
// Where the rows of the general parameters window's panels go. A row is a
// label (or a heading check box) at the left and its input controls at the
// right; the rows that depend on the user's choices flow 28 pixels apart,
// the input controls 3 pixels above their label. A panel is as tall as the
// bottom of its lowest visible control, plus a margin and the header.

#include "platform/Types.h"

// Fixed geometry of the window's form.
constexpr Integer Row_Pitch = 28;
constexpr Integer Label_Height = 13;
constexpr Integer Edit_Height = 21;
constexpr Integer Combo_Height = 22;
constexpr Integer Check_Height = 17;
constexpr Integer Panel_Margin = 12;
constexpr Integer Panel_Header_Height = 24;
constexpr Integer Row_Label_Left = 14;
constexpr Integer Row_Control_Left = 191;
constexpr Integer Row_Control_Width = 238;
// The four edits of an address row and the dot labels between them.
constexpr Integer Octet_Width = 55;
constexpr Integer Octet_Left[4] = {191, 252, 313, 374};
constexpr Integer Octet_Dot_Left[3] = {247, 308, 369};

// Height of a panel whose lowest visible control has that top and height.
constexpr Integer Panel_Height(Integer lowest_top, Integer lowest_height)
{
    return lowest_top + lowest_height + Panel_Margin + Panel_Header_Height;
}

// One row's place: its label's top (or its heading check box's) and its
// input controls' top.
struct TRowPlace {
    bool Visible = false;
    Integer Label_Top = 0;
    Integer Control_Top = 0;
};

// Ethernet connection panel: rows at fixed places.
enum TEthConnRow {
    ecDevice_Name, ecDHCP_Cable, ecDHCP_WiFi, ecEnable_DNS, ecPrimary_DNS, ecSecondary_DNS, EthConn_Row_Count
};
struct TEthConnLayout {
    TRowPlace Row[EthConn_Row_Count];
    Integer Height = 0;
};
TEthConnLayout Layout_Ethernet_Connection();

// LoRaWAN panel: the band row stays, the others flow below it.
enum TLoRaRow {
    lrRF_Band, lrFrequencySubBand, lrNetwork_Type, lrAdaptive_DataRate, lrDataRate, lrTransmission_Type,
    lrPayload_Size, lrJoinEUI, lrActivation_Method, lrDevice_Address, lrNetwork_Session_Key,
    lrApplication_Session_Key, lrApplication_Key, lrFPort, lrLNCHECK, LoRa_Row_Count
};
struct TLoRaLayout {
    TRowPlace Row[LoRa_Row_Count];
    Integer Height = 0;
};
// band: item of the band list; activation: item of the activation list (0 ABP).
TLoRaLayout Layout_LoRa(Integer band, Integer activation);

// BACnet master panel: the type row stays; BACnet/IP shows its eight rows,
// any other type the seven MS/TP rows in the place of the IP rows.
enum TBACnetRow {
    brType, brIP, brSM, brGAT, brPort, brDevice_Name, brDevice_Identifier, brTimeOut_Polling,
    brMSTP_Baudrate, brMSTP_Parity, brMSTP_Device_Name, brMSTP_MAC_Address, brMSTP_Max_Master,
    brMSTP_Max_Info_Frame, brMSTP_Device_Instance, BACnet_Row_Count
};
struct TBACnetLayout {
    TRowPlace Row[BACnet_Row_Count];
    // The address, mask and gateway edits of BACnet/IP are off under cable DHCP.
    bool Address_Enabled = true;
    Integer Height = 0;
};
TBACnetLayout Layout_BACnet_Master(Integer bacnet_type, bool dhcp_cable);

// Ethernet panel (shown for MS/TP): address, mask, gateway; the TCP and UDP
// port rows are never shown.
enum TEthernetRow { erIP, erSM, erGAT, erTCP_Port, erUDP_Port, Ethernet_Row_Count };
struct TEthernetLayout {
    TRowPlace Row[Ethernet_Row_Count];
    // Address, mask, gateway edits and the gateway box; off under cable DHCP.
    bool Address_Enabled = true;
    Integer Height = 0;
};
TEthernetLayout Layout_Ethernet(bool dhcp_cable);
// The Ethernet panel is shown only for a BACnet type other than BACnet/IP.
constexpr bool Ethernet_Panel_Shown(Integer bacnet_type) { return bacnet_type != 0; }
