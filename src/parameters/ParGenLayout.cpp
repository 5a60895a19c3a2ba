#include "parameters/ParGenLayout.h"

namespace {

constexpr Integer First_Row_Top = 12;  // label of a panel's first row
constexpr Integer Control_Raise = 3;   // input controls sit this much above their label

TRowPlace Row_At(Integer label_top, Integer control_top)
{
    return {true, label_top, control_top};
}

TRowPlace Row_At(Integer label_top)
{
    return Row_At(label_top, label_top - Control_Raise);
}

// A row headed by a check box: the box at the label's place.
TRowPlace Check_Row_At(Integer top)
{
    return Row_At(top, top);
}

} // namespace

TEthConnLayout Layout_Ethernet_Connection()
{
    TEthConnLayout l;
    l.Row[ecDevice_Name] = Row_At(First_Row_Top);
    l.Row[ecDHCP_Cable] = Check_Row_At(First_Row_Top + Row_Pitch);
    l.Row[ecDHCP_WiFi] = Check_Row_At(First_Row_Top + 2 * Row_Pitch);
    l.Row[ecEnable_DNS] = Check_Row_At(First_Row_Top + 3 * Row_Pitch);
    l.Row[ecPrimary_DNS] = Row_At(First_Row_Top + 4 * Row_Pitch);
    l.Row[ecSecondary_DNS] = Row_At(First_Row_Top + 5 * Row_Pitch);
    l.Height = Panel_Height(l.Row[ecSecondary_DNS].Control_Top, Edit_Height);
    return l;
}

TLoRaLayout Layout_LoRa(Integer band, Integer activation)
{
    TLoRaLayout l;
    l.Row[lrRF_Band] = Row_At(First_Row_Top);
    Integer y = l.Row[lrRF_Band].Control_Top + Row_Pitch;
    auto place = [&](TLoRaRow row, bool check_box = false) {
        l.Row[row] = check_box ? Check_Row_At(y) : Row_At(y);
        y += Row_Pitch;
    };
    // AU915, US915 and US915-Hybrid have frequency sub-bands.
    if (band == 1 || band == 5 || band == 6)
        place(lrFrequencySubBand);
    place(lrNetwork_Type);
    place(lrAdaptive_DataRate, true);
    place(lrDataRate);
    place(lrTransmission_Type);
    place(lrPayload_Size);
    place(lrJoinEUI);
    place(lrActivation_Method);
    if (activation == 0) {
        place(lrDevice_Address);
        place(lrNetwork_Session_Key);
        place(lrApplication_Session_Key);
    } else {
        place(lrApplication_Key);
    }
    place(lrFPort);
    place(lrLNCHECK);
    // Measured from the last label, not from its edit.
    l.Height = Panel_Height(l.Row[lrLNCHECK].Label_Top, Label_Height);
    return l;
}

TBACnetLayout Layout_BACnet_Master(Integer bacnet_type, bool dhcp_cable)
{
    TBACnetLayout l;
    l.Row[brType] = Row_At(First_Row_Top);
    TBACnetRow last;
    if (bacnet_type == 0) {
        l.Row[brIP] = Row_At(40);
        l.Row[brSM] = Row_At(68);
        // The gateway edits sit one pixel lower beside their heading box.
        l.Row[brGAT] = Row_At(96, 94);
        const TBACnetRow tail[] = {brPort, brDevice_Name, brDevice_Identifier, brTimeOut_Polling};
        Integer y = 124;
        for (TBACnetRow r : tail) {
            l.Row[r] = Row_At(y);
            y += Row_Pitch;
        }
        l.Address_Enabled = !dhcp_cable;
        last = brTimeOut_Polling;
    } else {
        Integer y = 40;
        for (Integer r = brMSTP_Baudrate; r <= brMSTP_Device_Instance; ++r) {
            l.Row[r] = Row_At(y);
            y += Row_Pitch;
        }
        last = brMSTP_Device_Instance;
    }
    l.Height = Panel_Height(l.Row[last].Control_Top, Edit_Height);
    return l;
}

TEthernetLayout Layout_Ethernet(bool dhcp_cable)
{
    TEthernetLayout l;
    l.Row[erIP] = Row_At(First_Row_Top);
    l.Row[erSM] = Row_At(40);
    l.Row[erGAT] = Row_At(68, 66);
    // Kept in the form's places below the gateway, never shown.
    l.Row[erTCP_Port] = {false, 96, 93};
    l.Row[erUDP_Port] = {false, 124, 121};
    l.Address_Enabled = !dhcp_cable;
    l.Height = Panel_Height(l.Row[erGAT].Control_Top, Edit_Height);
    return l;
}
