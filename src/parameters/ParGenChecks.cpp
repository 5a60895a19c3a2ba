#include "parameters/ParGenChecks.h"

#include "parameters/ParGenData.h"
#include "shell/TextChecks.h"

namespace {

// ckKey: hexadecimal digits only (a pasted "26-0B-1F" would compile to zero
// bytes); ckKeyABP and ckKeyOTAA the same for the keys of one activation
// method, the only ones the compiler reads.
enum TCheckKind { ckRange, ckNotEmpty, ckPayload, ckDeviceName, ckPort, ckKey, ckKeyABP, ckKeyOTAA };

struct TCheck {
    Integer Condition;  // check box that must be on for the check to run, or -1
    Integer Element;
    TCheckKind Kind;
    Integer Min, Max;
    Integer Text;
};

constexpr Integer None = -1;

// Checked in every BACnet type, in this order.
constexpr TCheck Common_Checks[] = {
    {pgEth_Conn_Enable_DNS, pgEth_Conn_Primary_DNS1, ckRange, 0, 255, 2925},
    {pgEth_Conn_Enable_DNS, pgEth_Conn_Primary_DNS2, ckRange, 0, 255, 2926},
    {pgEth_Conn_Enable_DNS, pgEth_Conn_Primary_DNS3, ckRange, 0, 255, 2927},
    {pgEth_Conn_Enable_DNS, pgEth_Conn_Primary_DNS4, ckRange, 0, 255, 2928},
    {pgEth_Conn_Enable_DNS, pgEth_Conn_Secondary_DNS1, ckRange, 0, 255, 2929},
    {pgEth_Conn_Enable_DNS, pgEth_Conn_Secondary_DNS2, ckRange, 0, 255, 2930},
    {pgEth_Conn_Enable_DNS, pgEth_Conn_Secondary_DNS3, ckRange, 0, 255, 2931},
    {pgEth_Conn_Enable_DNS, pgEth_Conn_Secondary_DNS4, ckRange, 0, 255, 2932},
    {None, pgLoRa_RF_Band, ckNotEmpty, 0, 0, 493},
    {None, pgLoRa_Network_Type, ckNotEmpty, 0, 0, 494},
    {None, pgLoRa_DataRate, ckNotEmpty, 0, 0, 495},
    {None, pgLoRa_Transmission_Type, ckNotEmpty, 0, 0, 496},
    {None, pgLoRa_Payload_Size, ckPayload, 1, 0, 497},
    {None, pgLoRa_Activation_Method, ckNotEmpty, 0, 0, 499},
    {None, pgLoRa_Device_Address, ckKeyABP, 0, 0, 500},
    {None, pgLoRa_JoinEUI, ckKey, 0, 0, 501},
    {None, pgLoRa_Network_Session_Key, ckKeyABP, 0, 0, 502},
    {None, pgLoRa_Application_Session_Key, ckKeyABP, 0, 0, 503},
    {None, pgLoRa_Application_Key, ckKeyOTAA, 0, 0, 504},
    {None, pgLoRa_LNCHECK, ckRange, 5, 60, 2935},
    {None, pgEthernet_IP1, ckRange, 0, 255, 465},
    {None, pgEthernet_IP2, ckRange, 0, 255, 466},
    {None, pgEthernet_IP3, ckRange, 0, 255, 467},
    {None, pgEthernet_IP4, ckRange, 0, 255, 468},
    {None, pgEthernet_SM1, ckRange, 0, 255, 469},
    {None, pgEthernet_SM2, ckRange, 0, 255, 470},
    {None, pgEthernet_SM3, ckRange, 0, 255, 471},
    {None, pgEthernet_SM4, ckRange, 0, 255, 472},
    {pgEthernet_EN_GAT, pgEthernet_GAT1, ckRange, 0, 255, 473},
    {pgEthernet_EN_GAT, pgEthernet_GAT2, ckRange, 0, 255, 474},
    {pgEthernet_EN_GAT, pgEthernet_GAT3, ckRange, 0, 255, 475},
    {pgEthernet_EN_GAT, pgEthernet_GAT4, ckRange, 0, 255, 476},
};

constexpr TCheck MSTP_Checks[] = {
    {None, pgBACnet_Master_Ser_Device_Name, ckDeviceName, 0, 0, 605},
    {None, pgBACnet_Master_Ser_MAC_Address, ckRange, 0, 127, 606},
    {None, pgBACnet_Master_Ser_Max_Master, ckRange, 1, 127, 607},
    {None, pgBACnet_Master_Ser_Max_Info_Frames, ckRange, 1, 100, 608},
    {None, pgBACnet_Master_Ser_Dev_Instance, ckRange, 0, 4194303, 609},
};

constexpr TCheck IP_Checks[] = {
    {None, pgBACnet_Master_IP1, ckRange, 0, 255, 589},
    {None, pgBACnet_Master_IP2, ckRange, 0, 255, 590},
    {None, pgBACnet_Master_IP3, ckRange, 0, 255, 591},
    {None, pgBACnet_Master_IP4, ckRange, 0, 255, 592},
    {None, pgBACnet_Master_SM1, ckRange, 0, 255, 593},
    {None, pgBACnet_Master_SM2, ckRange, 0, 255, 594},
    {None, pgBACnet_Master_SM3, ckRange, 0, 255, 595},
    {None, pgBACnet_Master_SM4, ckRange, 0, 255, 596},
    {pgBACnet_Master_EN_GAT, pgBACnet_Master_GAT1, ckRange, 0, 255, 597},
    {pgBACnet_Master_EN_GAT, pgBACnet_Master_GAT2, ckRange, 0, 255, 598},
    {pgBACnet_Master_EN_GAT, pgBACnet_Master_GAT3, ckRange, 0, 255, 599},
    {pgBACnet_Master_EN_GAT, pgBACnet_Master_GAT4, ckRange, 0, 255, 600},
    {None, pgBACnet_Master_Port, ckPort, 0, 65535, 601},
    {None, pgBACnet_Master_IP_Device_Name, ckDeviceName, 0, 0, 602},
    {None, pgBACnet_Master_Dev_Instance, ckRange, 0, 4194303, 603},
    {None, pgBACnet_Master_TimeOut_Polling, ckRange, 0, 1000000000, 604},
};

// Converter's own service port, which the BACnet/IP port may not take.
constexpr Integer Reserved_Port = 10000;

bool In_Range(const QString& text, Integer min, Integer max)
{
    // A text that is not a whole number reads as -1, below every range.
    const Integer n = Text_To_Int(text, -1);
    return n >= min && n <= max;
}

bool Is_Hex_Text(const QString& text)
{
    for (const QChar c : text)
        if (!(c >= u'0' && c <= u'9') && !(c >= u'A' && c <= u'F') && !(c >= u'a' && c <= u'f'))
            return false;
    return true;
}

// OTAA as the compiler tells it: the OTAA item's text, trimmed, any case.
bool Is_OTAA(const TParGenValues& values)
{
    return values[pgLoRa_Activation_Method].trimmed().compare(ParGen_Combo_Item(pgLoRa_Activation_Method, 1),
                                                              Qt::CaseInsensitive) == 0;
}

// The first failing check of a list, or no fault.
template <size_t N>
TParGenFault First_Fault(const TCheck (&checks)[N], const TParGenValues& values)
{
    for (const TCheck& c : checks) {
        if (c.Condition != None && !values.Checked(c.Condition))
            continue;
        const QString& text = values[c.Element];
        bool passes = true;
        Integer max_payload = 0;
        switch (c.Kind) {
        case ckRange: passes = In_Range(text, c.Min, c.Max); break;
        case ckNotEmpty: passes = !text.trimmed().isEmpty(); break;
        case ckPayload:
            max_payload = ParGen_Max_Payload(values);
            passes = In_Range(text, c.Min, max_payload);
            break;
        case ckDeviceName: passes = !Has_Non_Alnum_Char(text); break;
        case ckPort: passes = In_Range(text, c.Min, c.Max) && Text_To_Int(text, -1) != Reserved_Port; break;
        case ckKey: passes = Is_Hex_Text(text); break;
        case ckKeyABP: passes = Is_OTAA(values) || Is_Hex_Text(text); break;
        case ckKeyOTAA: passes = !Is_OTAA(values) || Is_Hex_Text(text); break;
        }
        if (!passes)
            return {c.Text, max_payload};
    }
    return {};
}

} // namespace

TParGenFault ParGen_First_Fault(const TParGenValues& values)
{
    if (const TParGenFault fault = First_Fault(Common_Checks, values))
        return fault;
    if (values.Item_Index(pgBACnet_Master_Type) != 0)
        return First_Fault(MSTP_Checks, values);
    return First_Fault(IP_Checks, values);
}

bool Hex_Key_Passes(QChar key)
{
    const char16_t c = key.unicode();
    return c <= 32 || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

Integer Next_Octet_Element(Integer element)
{
    if (element >= pgEth_Conn_Primary_DNS1 && element < pgEth_Conn_Secondary_DNS4)
        return element + 1;
    if (element >= pgEthernet_IP1 && element < pgEthernet_GAT4)
        return element + 1;
    return -1;
}
