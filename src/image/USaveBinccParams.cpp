// Bank 1: the parameter block, its cleared values, its reading from
// ParGen.xml and its checksum.

#include <utility>

#include "image/USaveBincc.h"
#include "image/USaveBinccBytes.h"
#include "image/USaveBinccFile.h"
#include "shell/UComon.h"
#include "image/USaveBinccText.h"
#include "image/USaveBinccValues.h"

namespace {

void Put_IPv4(Integer offset, int a, int b, int c, int d)
{
    Put_U8(Param_Block, offset, unsigned(a));
    Put_U8(Param_Block, offset + 1, unsigned(b));
    Put_U8(Param_Block, offset + 2, unsigned(c));
    Put_U8(Param_Block, offset + 3, unsigned(d));
}

} // namespace

void Clear_Param_Block()
{
    Put_Zeros(Param_Block, 0, Param_Block_Size);
    Put_U32(Param_Block, 0, 250000);
    Put_U32(Param_Block, 4, 250000);
    Put_U32(Param_Block, 12, 9600);
    Put_IPv4(40, 192, 168, 2, 205);
    Put_IPv4(44, 255, 255, 255, 0);
    Put_IPv4(48, 255, 255, 255, 255);
    Put_U16(Param_Block, 52, 10000);
    Put_U16(Param_Block, 54, 10001);
    Put_U16(Param_Block, 56, 10001);
    for (Integer k = 0; k < 6; ++k)
        Put_U8(Param_Block, 436 + k, 8);
    Put_U8(Param_Block, 442, 8);
    Put_U8(Param_Block, 443, 8);
    Master_Type_Code = 0;
}

LongWord Param_Block_Checksum(const Byte* block)
{
    LongWord sum = 0;
    for (Integer i = 0; i < Param_Checksum_Offset; ++i)
        sum += block[i];
    return sum;
}

Integer Store_Param_Block(Byte* buffer, Integer position)
{
    Put_U32(Param_Block, Param_Checksum_Offset, Param_Block_Checksum(Param_Block));
    return Put_Bytes(buffer, position, Param_Block, Param_Block_Size);
}

LongWord Baud_Rate_Of_Index(Integer index)
{
    static const LongWord rates[] = {9600, 19200, 38400, 57600, 76800, 115200};
    return index >= 0 && index < 6 ? rates[index] : 9600;
}

QString Pad_Hex_Text(const QString& text, Integer n)
{
    if (text.size() >= n)
        return text;
    return QString(n - text.size(), QLatin1Char('0')) + text;
}

void Set_SW_Version_Bytes()
{
    Put_Zeros(Param_Block, 1644, 8);
    const char version[] = "1.006";
    Put_Bytes(Param_Block, 1644, reinterpret_cast<const Byte*>(version), 5);
}

Byte RF_Band_Code(const QString& text)
{
    static const std::pair<const char*, Byte> bands[] = {
        {"AS923", 0}, {"AU915", 1}, {"EU868", 5}, {"KR920", 6},
        {"IN865", 7}, {"US915", 8}, {"US915-HYBRID", 9}};
    const QString t = Trim_Upper(text);
    for (const auto& [name, code] : bands)
        if (t == QLatin1String(name))
            return code;
    return 0;
}

Byte Network_Type_Code(const QString& text)
{
    return Trim_Upper(text) == QLatin1String("PUBLIC") ? 1 : 0;
}

Byte Activation_Code(const QString& text)
{
    return Trim_Upper(text) == QLatin1String("OVER-THE-AIR ACTIVATION [OTAA]") ? 1 : 0;
}

Byte Transmission_Type_Code(const QString& text)
{
    // Compared exactly: the window stores one of its two item texts.
    return text == QLatin1String("Confirmed") ? 1 : 0;
}

void Hex_Text_To_Bytes(const QString& text, Byte* destination, Integer size)
{
    QString rest = text;
    for (Integer i = 0; !rest.isEmpty() && i < size; ++i) {
        destination[i] = Byte(Text_To_Int(QLatin1String("0x") + rest.left(2), 0) & 0xFF);
        rest.remove(0, 2);
    }
}

namespace {

// The named values of ParGen.xml with the conversions of the block's fields.
struct TParGen_Reader {
    const TNamed_Values& Values;

    bool Has(const char* name, QString& text) const { return Values.Value(name, text); }

    QString Text(const char* name, const QString& def = QString()) const
    {
        return Value_Text(Values, name, def);
    }

    Integer Int(const char* name, Integer def) const { return Value_Int(Values, name, def); }

    bool Is(const char* name, const char* exact) const
    {
        QString t;
        return Has(name, t) && t == QLatin1String(exact);
    }

    // Four elements NAME1..NAME4 as octets at the offset.
    void Octets(const char* prefix, Integer offset, const int (&defaults)[4]) const
    {
        for (int i = 0; i < 4; ++i) {
            const QByteArray name = QByteArray(prefix) + QByteArray::number(i + 1);
            Put_U8(Param_Block, offset + i, unsigned(Int(name.constData(), defaults[i])));
        }
    }

    // At most max characters, one byte each (low 8 bits of the UTF-16 unit).
    void Name(const QString& text, Integer offset, Integer max) const
    {
        const QString t = text.left(max);
        for (qsizetype i = 0; i < t.size(); ++i)
            Put_U8(Param_Block, offset + Integer(i), t[i].unicode());
    }

    void Key(const char* name, Integer length, Byte* field, Integer size) const
    {
        Hex_Text_To_Bytes(Pad_Hex_Text(Text(name), length), field, size);
    }
};

void Put_Gateway_Off() { Put_IPv4(48, 255, 255, 255, 255); }

} // namespace

void Fill_Param_Block(const TNamed_Values& values)
{
    const TParGen_Reader r{values};
    LoRaWAN_Head_Record& head = LoRaWAN_Head;

    Set_SW_Version_Bytes();
    r.Name(r.Text("Eth_Conn_Device_Name"), 1300, 31);

    unsigned dhcp = 0;
    if (r.Is("Eth_Conn_DHCP_Cable", "1"))
        dhcp |= 1;
    if (r.Is("Eth_Conn_DHCP_WiFi", "1"))
        dhcp |= 2;
    Put_U16(Param_Block, 1256, dhcp);

    if (r.Is("Eth_Conn_Enable_DNS", "1")) {
        r.Octets("Eth_Conn_Primary_DNS", 1420, {8, 8, 8, 8});
        r.Octets("Eth_Conn_Secondary_DNS", 1340, {8, 8, 4, 4});
    }

    head.RF_Band = RF_Band_Code(r.Text("LoRa_RF_Band"));
    head.Network_Type = Network_Type_Code(r.Text("LoRa_Network_Type"));
    head.Adaptive_Data_Rate = Byte(r.Int("LoRa_Adaptive_DataRate", 0));
    // The data-rate item text begins with its number: "10 - LoRa: SF10/500kHz ...".
    const QString data_rate = r.Text("LoRa_DataRate");
    const qsizetype dash = data_rate.indexOf(QLatin1Char('-'));
    head.Data_Rate = dash < 0 ? 0 : Byte(Text_To_Int(Trim(data_rate.left(dash)), 0));
    head.Transmission_Type = Transmission_Type_Code(r.Text("LoRa_Transmission_Type"));
    head.Payload_Size = Byte(r.Int("LoRa_Payload_Size", 1));

    r.Key("LoRa_JoinEUI", 16, head.JoinEUI, 8);
    head.Transmit_Interval = LongWord(r.Int("LoRa_Transmit_Interval", 1));
    head.Activation_Method = Activation_Code(r.Text("LoRa_Activation_Method"));
    if (head.Activation_Method == 0) {
        r.Key("LoRa_Device_Address", 8, head.Device_Address, 4);
        r.Key("LoRa_Network_Session_Key", 32, head.Network_Session_Key, 16);
        r.Key("LoRa_Application_Session_Key", 32, head.Application_Session_Key, 16);
    } else {
        r.Key("LoRa_Application_Key", 32, head.Application_Key, 16);
    }

    if (Trim_Upper(r.Text("LoRa_FPort")) == QLatin1String("VARIABLE"))
        head.Port_Mode = 1;
    head.Frequency_SubBand = Byte(r.Int("LoRa_Frequency_SubBand", 1));
    head.LNCHECK = Byte(r.Int("LoRa_LNCHECK", 5));

    // Serial setting 5: the LoRaWAN side's fixed link.
    Put_U32(Param_Block, 420, 19200);
    Put_U8(Param_Block, 429, 0);
    Put_U8(Param_Block, 435, 1);
    Put_U8(Param_Block, 441, 8);

    r.Octets("Ethernet_IP", 40, {192, 168, 0, 10});
    r.Octets("Ethernet_SM", 44, {255, 255, 255, 0});
    r.Octets("Ethernet_GAT", 48, {192, 168, 0, 1});
    if (!r.Is("Ethernet_EN_GAT", "1"))
        Put_Gateway_Off();

    Master_Type_Code = r.Int("BACnet_Master_Type", 0);
    if (Master_Type_Code == 0)
        Put_U8(Param_Block, 96, 4);
    else if (Master_Type_Code == 1)
        Put_U8(Param_Block, 97, 0x20);
    else if (Master_Type_Code == 2)
        Put_U8(Param_Block, 97, 2);

    const QString default_name = QStringLiteral("devicename1");
    if (Master_Type_Code == 0) {
        r.Octets("BACnet_Master_IP", 40, {192, 168, 0, 5});
        r.Octets("BACnet_Master_SM", 44, {255, 255, 255, 0});
        r.Octets("BACnet_Master_GAT", 48, {192, 168, 0, 1});
        QString gateway;
        if (!r.Has("BACnet_Master_EN_GAT", gateway) || gateway == QLatin1String("0"))
            Put_Gateway_Off();
        Put_U16(Param_Block, 58, unsigned(r.Int("BACnet_Master_Port", 47808)));
        r.Name(r.Text("BACnet_Master_IP_Device_Name", default_name), 80, 15);
        Put_U32(Param_Block, 308, LongWord(r.Int("BACnet_Master_Dev_Instance", 0)));
        Put_U32(Param_Block, 264, LongWord(r.Int("BACnet_Master_TimeOut_Polling", 2000)));
    } else {
        const LongWord baud = Baud_Rate_Of_Index(r.Int("BACnet_Master_Ser_Baud", 0));
        Put_U32(Param_Block, 400, baud);
        Put_U32(Param_Block, 412, baud);
        const unsigned parity = unsigned(r.Int("BACnet_Master_Ser_Par", 0));
        Put_U8(Param_Block, 424, parity);
        Put_U8(Param_Block, 427, parity);
        Put_U8(Param_Block, 430, 0);
        Put_U8(Param_Block, 433, 0);
        Put_U8(Param_Block, 436, 8);
        Put_U8(Param_Block, 439, 8);
        r.Name(r.Text("BACnet_Master_Ser_Device_Name", default_name), 80, 15);
        Put_U8(Param_Block, 256, unsigned(r.Int("BACnet_Master_Ser_MAC_Address", 0)));
        Put_U8(Param_Block, 257, unsigned(r.Int("BACnet_Master_Ser_Max_Master", 1)));
        Put_U8(Param_Block, 258, unsigned(r.Int("BACnet_Master_Ser_Max_Info_Frames", 1)));
        Put_U32(Param_Block, 308, LongWord(r.Int("BACnet_Master_Ser_Dev_Instance", 0)));
    }
}

TBin_Result Read_ParGen_To_Block()
{
    if (!TConfig_File::Exists(ParGen_File))
        return TBin_Result::Success();
    TConfig_File file;
    QString error;
    if (!file.Load(ParGen_File, error))
        return TBin_Result::Failure(error);
    Fill_Param_Block(file.Root_Values());
    return TBin_Result::Success();
}
