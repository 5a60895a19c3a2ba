#include "parameters/ParGenData.h"

#include "parameters/LoRaWAN_Rates.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"

#include <span>

const QString ParGen_Root_Name = QStringLiteral("Par_Gen");
const QString ParGen_Version_Comment = QStringLiteral("SW_VERSION = 1.006");

namespace {

struct TElementInfo {
    const char16_t* Name;
    TParGenKind Kind;
    const char16_t* Default;
};

// File order; the defaults are what the window shows for a missing element.
constexpr TElementInfo Elements[ParGen_Element_Count] = {
    {u"Eth_Conn_Device_Name", pkEdit, u""},
    {u"Eth_Conn_DHCP_Cable", pkCheck, u"0"},
    {u"Eth_Conn_DHCP_WiFi", pkCheck, u"0"},
    {u"Eth_Conn_Enable_DNS", pkCheck, u"0"},
    {u"Eth_Conn_Primary_DNS1", pkEdit, u"8"},
    {u"Eth_Conn_Primary_DNS2", pkEdit, u"8"},
    {u"Eth_Conn_Primary_DNS3", pkEdit, u"8"},
    {u"Eth_Conn_Primary_DNS4", pkEdit, u"8"},
    {u"Eth_Conn_Secondary_DNS1", pkEdit, u"8"},
    {u"Eth_Conn_Secondary_DNS2", pkEdit, u"8"},
    {u"Eth_Conn_Secondary_DNS3", pkEdit, u"4"},
    {u"Eth_Conn_Secondary_DNS4", pkEdit, u"4"},
    {u"LoRa_RF_Band", pkTextCombo, u"AS923"},
    {u"LoRa_Network_Type", pkTextCombo, u"Private"},
    {u"LoRa_Adaptive_DataRate", pkCheck, u"0"},
    {u"LoRa_DataRate", pkTextCombo, nullptr},  // the band's first item
    {u"LoRa_Transmission_Type", pkTextCombo, u"Unconfirmed"},
    {u"LoRa_Payload_Size", pkEdit, u"0"},
    {u"LoRa_Activation_Method", pkTextCombo, u"Activation by Personalization [ABP]"},
    {u"LoRa_Device_Address", pkEdit, u""},
    {u"LoRa_JoinEUI", pkEdit, u""},
    {u"LoRa_Network_Session_Key", pkEdit, u""},
    {u"LoRa_Application_Session_Key", pkEdit, u""},
    {u"LoRa_Application_Key", pkEdit, u""},
    {u"LoRa_FPort", pkTextCombo, u"Fixed"},
    {u"LoRa_Frequency_SubBand", pkTextCombo, u"1"},
    {u"LoRa_LNCHECK", pkEdit, u"5"},
    {u"Ethernet_IP1", pkEdit, u"192"},
    {u"Ethernet_IP2", pkEdit, u"168"},
    {u"Ethernet_IP3", pkEdit, u"0"},
    {u"Ethernet_IP4", pkEdit, u"10"},
    {u"Ethernet_SM1", pkEdit, u"255"},
    {u"Ethernet_SM2", pkEdit, u"255"},
    {u"Ethernet_SM3", pkEdit, u"255"},
    {u"Ethernet_SM4", pkEdit, u"0"},
    {u"Ethernet_GAT1", pkEdit, u"192"},
    {u"Ethernet_GAT2", pkEdit, u"168"},
    {u"Ethernet_GAT3", pkEdit, u"0"},
    {u"Ethernet_GAT4", pkEdit, u"1"},
    {u"Ethernet_EN_GAT", pkCheck, u"0"},
    {u"BACnet_Master_Type", pkIndexCombo, u"0"},
    {u"BACnet_Master_IP1", pkEdit, u"192"},
    {u"BACnet_Master_IP2", pkEdit, u"168"},
    {u"BACnet_Master_IP3", pkEdit, u"0"},
    {u"BACnet_Master_IP4", pkEdit, u"5"},
    {u"BACnet_Master_SM1", pkEdit, u"255"},
    {u"BACnet_Master_SM2", pkEdit, u"255"},
    {u"BACnet_Master_SM3", pkEdit, u"255"},
    {u"BACnet_Master_SM4", pkEdit, u"0"},
    {u"BACnet_Master_EN_GAT", pkCheck, u"0"},
    {u"BACnet_Master_GAT1", pkEdit, u"192"},
    {u"BACnet_Master_GAT2", pkEdit, u"168"},
    {u"BACnet_Master_GAT3", pkEdit, u"0"},
    {u"BACnet_Master_GAT4", pkEdit, u"1"},
    {u"BACnet_Master_Port", pkEdit, u"47808"},
    {u"BACnet_Master_IP_Device_Name", pkEdit, u"devicename1"},
    {u"BACnet_Master_Dev_Instance", pkEdit, u"0"},
    {u"BACnet_Master_TimeOut_Polling", pkEdit, u"2000"},
    {u"BACnet_Master_Ser_Baud", pkIndexCombo, u"0"},
    {u"BACnet_Master_Ser_Par", pkIndexCombo, u"0"},
    {u"BACnet_Master_Ser_Device_Name", pkEdit, u"devicename1"},
    {u"BACnet_Master_Ser_MAC_Address", pkEdit, u"0"},
    {u"BACnet_Master_Ser_Max_Master", pkEdit, u"1"},
    {u"BACnet_Master_Ser_Max_Info_Frames", pkEdit, u"1"},
    {u"BACnet_Master_Ser_Dev_Instance", pkEdit, u"0"},
};

constexpr const char16_t* Network_Types[] = {u"Private", u"Public"};
constexpr const char16_t* Transmission_Types[] = {u"Unconfirmed", u"Confirmed"};
constexpr const char16_t* Activation_Methods[] = {u"Activation by Personalization [ABP]",
                                                  u"Over-the-Air Activation [OTAA]"};
constexpr const char16_t* Port_Fields[] = {u"Fixed", u"Variable"};
constexpr const char16_t* Sub_Bands[] = {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8"};
constexpr const char16_t* BACnet_Types[] = {u"BACnet/IP", u"BACnet MS/TP"};
constexpr const char16_t* Baud_Rates[] = {u"9600", u"19200", u"38400", u"57600", u"76800", u"115200"};
constexpr const char16_t* Parities[] = {u"NONE", u"ODD", u"EVEN"};

std::span<const char16_t* const> Fixed_Items(Integer element)
{
    switch (element) {
    case pgLoRa_Network_Type: return Network_Types;
    case pgLoRa_Transmission_Type: return Transmission_Types;
    case pgLoRa_Activation_Method: return Activation_Methods;
    case pgLoRa_FPort: return Port_Fields;
    case pgLoRa_Frequency_SubBand: return Sub_Bands;
    case pgBACnet_Master_Type: return BACnet_Types;
    case pgBACnet_Master_Ser_Baud: return Baud_Rates;
    case pgBACnet_Master_Ser_Par: return Parities;
    default: return {};
    }
}

// The item of a list whose text equals text ignoring letter case, or -1.
template <class ItemAt>
Integer Find_Item(Integer count, ItemAt item_at, const QString& text)
{
    for (Integer i = 0; i < count; ++i)
        if (item_at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

// The item text the data-rate list selects for a stored text: the matching
// item, else the band's first one (empty when the band has no list).
QString Select_DataRate(Integer band, const QString& text)
{
    const Integer item = Find_Item(LoRa_DataRate_Count(band),
                                   [band](Integer i) { return LoRa_DataRate_Text(band, i); }, text);
    return LoRa_DataRate_Text(band, item < 0 ? 0 : item);
}

// The control's state for a stored text, by the field's kind.
QString Read_Value(Integer element, const QString& text, const TParGenValues& so_far)
{
    switch (Elements[element].Kind) {
    case pkEdit: return text;
    case pkCheck: return text == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0");
    case pkIndexCombo: {
        const Integer n = Text_To_Int(text, 0);
        return QString::number(n >= 0 && n < ParGen_Combo_Count(element) ? n : -1);
    }
    case pkTextCombo:
        if (element == pgLoRa_DataRate)
            return Select_DataRate(LoRa_Band_Index(so_far[pgLoRa_RF_Band]), text);
        const Integer item = Find_Item(ParGen_Combo_Count(element),
                                       [element](Integer i) { return ParGen_Combo_Item(element, i); }, text);
        return ParGen_Combo_Item(element, item);
    }
    return text;
}

QString Default_Value(Integer element, const TParGenValues& so_far)
{
    if (element == pgLoRa_DataRate)
        return LoRa_DataRate_Text(LoRa_Band_Index(so_far[pgLoRa_RF_Band]), 0);
    return QString::fromUtf16(Elements[element].Default);
}

} // namespace

TParGenKind ParGen_Kind(Integer element)
{
    return Elements[element].Kind;
}

QString ParGen_Element_Name(Integer element)
{
    return QString::fromUtf16(Elements[element].Name);
}

Integer ParGen_Combo_Count(Integer element)
{
    if (element == pgLoRa_RF_Band)
        return LoRa_Band_Count;
    return Integer(Fixed_Items(element).size());
}

QString ParGen_Combo_Item(Integer element, Integer item)
{
    if (element == pgLoRa_RF_Band)
        return LoRa_Band_Text(item);
    const auto items = Fixed_Items(element);
    if (item < 0 || item >= Integer(items.size()))
        return QString();
    return QString::fromUtf16(items[size_t(item)]);
}

Integer TParGenValues::Item_Index(Integer e) const
{
    const QString& v = V[size_t(e)];
    switch (Elements[e].Kind) {
    case pkIndexCombo: return v.toInt();
    case pkTextCombo:
        if (e == pgLoRa_DataRate)
            return LoRa_DataRate_Index(LoRa_Band_Index(V[pgLoRa_RF_Band]), v);
        for (Integer i = 0; i < ParGen_Combo_Count(e); ++i)
            if (ParGen_Combo_Item(e, i) == v)
                return i;
        return -1;
    default: return -1;
    }
}

Integer ParGen_Max_Payload(const TParGenValues& values)
{
    return LoRa_Max_Payload(values[pgLoRa_RF_Band], values[pgLoRa_DataRate]);
}

TParGenValues ParGen_New_Values()
{
    TParGenValues values;
    for (Integer e = 0; e < ParGen_Element_Count; ++e)
        values[e] = Default_Value(e, values);
    values[pgLoRa_DataRate] = LoRa_DataRate_Text(LoRa_Band_Index(values[pgLoRa_RF_Band]), 6);
    values[pgLoRa_Payload_Size] = QString::number(ParGen_Max_Payload(values));
    return values;
}

TParGenValues ParGen_Read(const TXMLNode& root)
{
    TParGenValues values;
    for (Integer e = 0; e < ParGen_Element_Count; ++e) {
        const TXMLNode node = root.FindChild(ParGen_Element_Name(e));
        // The Wi-Fi DHCP box does not exist on this converter: never read.
        if (e == pgEth_Conn_DHCP_WiFi || !node || !node.IsTextElement())
            values[e] = Default_Value(e, values);
        else
            values[e] = Read_Value(e, node.Text(), values);
    }
    values[pgLoRa_Payload_Size] = QString::number(ParGen_Max_Payload(values));
    return values;
}

void ParGen_Write(TXMLDocument& doc, const TParGenValues& values)
{
    doc.SetActive(true);
    doc.Clear();
    TXMLNode root = doc.AddChild(ParGen_Root_Name);
    doc.AddComment(ParGen_Version_Comment);
    for (Integer e = 0; e < ParGen_Element_Count; ++e)
        root.AddChild(ParGen_Element_Name(e)).SetText(values[e]);
}
