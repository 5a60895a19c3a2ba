// M_Bus.xml: root "M-Bus_Network" with one "Nodo" element per node and one
// "Variabile" element per variable, every value an attribute.
#include "mbus/MBusNetwork.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "platform/XmlDocument.h"
#include "shell/TextChecks.h"

namespace {

const QString RootName = QStringLiteral("M-Bus_Network");
const QString VersionComment = QStringLiteral("SW_VERSION = 1.002");

// A required attribute that is missing or unreadable.
struct TLoadError {
    QString Message;
};

QString Required(const TXMLNode& n, const QString& name)
{
    if (!n.HasAttribute(name))
        throw TLoadError{QStringLiteral("Attribute \"%1\" was not found").arg(name)};
    return n.Attribute(name);
}

Integer RequiredInt(const TXMLNode& n, const QString& name)
{
    const QString text = Required(n, name);
    Integer v;
    if (!Try_Text_To_Int(text, v))
        throw TLoadError{QStringLiteral("'%1' is not a valid integer value").arg(text)};
    return v;
}

Integer IntOr(const TXMLNode& n, const QString& name, Integer fallback)
{
    return n.HasAttribute(name) ? Text_To_Int(n.Attribute(name), fallback) : fallback;
}

LongWord UnsignedOr(const TXMLNode& n, const QString& name, LongWord fallback)
{
    if (!n.HasAttribute(name))
        return fallback;
    const QString text = Trim(n.Attribute(name));
    bool ok = false;
    const uint v = text.toUInt(&ok, 10);
    if (ok)
        return v;
    Integer i;
    return Try_Text_To_Int(text, i) ? LongWord(i) : fallback;
}

bool FlagOf(const TXMLNode& n, const QString& name) { return n.Attribute(name) == QLatin1String("1"); }

QString Num(Int64 v) { return IntToStr(v); }
QString Flag(bool v) { return v ? QStringLiteral("1") : QStringLiteral("0"); }

void ReadNode(const TXMLNode& e, TNodo& nd)
{
    nd.Enable = Byte(IntOr(e, QStringLiteral("Node_Enable"), 1));
    nd.Description = Required(e, QStringLiteral("Descrizione"));
    nd.Node_ID_Type = Byte(IntOr(e, QStringLiteral("Node_ID_Type"), 0));
    Integer id;
    if (e.HasAttribute(QStringLiteral("ID")) && Try_Text_To_Int(e.Attribute(QStringLiteral("ID")), id)) {
        nd.Node_Pri = nd.Node_ID_Type == 0 ? id : 1;
        nd.Node_Sec = nd.Node_ID_Type == 0 ? 1 : id;
    } else {
        nd.Node_Pri = IntOr(e, QStringLiteral("ID_Primary"), 1);
        nd.Node_Sec = IntOr(e, QStringLiteral("ID_Secondary"), 1);
    }
    nd.Send_SNK = Byte(IntOr(e, QStringLiteral("Send_SND_NKE"), 0));
    nd.Reset_App = Byte(IntOr(e, QStringLiteral("Reset_App"), 0));
    nd.Enable_NS = Byte(IntOr(e, QStringLiteral("Enable_Node_State"), 0));
    nd.Node_State = IntOr(e, QStringLiteral("Node_State"), 0);
    nd.Enable_IN = Byte(IntOr(e, QStringLiteral("Enable_Ident_Num"), 0));
    nd.Ident_Num = IntOr(e, QStringLiteral("Ident_Num"), 0);
    nd.BCDtoINT_IN = Byte(IntOr(e, QStringLiteral("BCDtoINT_IN"), 0));
    nd.Swap_Ident = IntOr(e, QStringLiteral("Swap_IN"), 0);
    nd.Var_List_Type = Byte(IntOr(e, QStringLiteral("Var_List_Type"), 0));
    nd.Cut_After = Byte(IntOr(e, QStringLiteral("Cut_After"), 0));
    nd.Enable_MS = Byte(IntOr(e, QStringLiteral("Enable_Manufacturer_Specific_Data"), 0));
    nd.Manufacturer_Spec = IntOr(e, QStringLiteral("Manufacturer_Specific_Data"), 0);
    nd.MSD_Length = Byte(IntOr(e, QStringLiteral("MSD_Length"), 0));
    nd.MSD_Offset = Byte(IntOr(e, QStringLiteral("MSD_Offset"), 0));
    nd.Enable_AN = Byte(IntOr(e, QStringLiteral("Enable_Access_Number"), 0));
    nd.Access_Number = IntOr(e, QStringLiteral("Access_Number"), 0);
    nd.MBus_Type = Byte(IntOr(e, QStringLiteral("MBus_Type"), 1));
    nd.wMBus_ManID = e.Attribute(QStringLiteral("wMBus_ManID"));
    nd.wMBus_Add = e.Attribute(QStringLiteral("wMBus_Add"));
    nd.wMBus_Ver = e.Attribute(QStringLiteral("wMBus_Ver"));
    nd.wMBus_DevType = e.Attribute(QStringLiteral("wMBus_DevType"));
    nd.wMBus_En_Key = Byte(IntOr(e, QStringLiteral("wMBus_En_Key"), 0));
    for (int k = 0; k < 16; ++k)
        nd.wMBus_Key[k] = e.Attribute(QStringLiteral("wMBus_Key_%1").arg(k + 1));
    nd.Enable_RSSI = Byte(IntOr(e, QStringLiteral("wMBus_Enable_RSSI"), 0));
    nd.RSSI = IntOr(e, QStringLiteral("wMBus_RSSI"), 0);
}

void ReadVariable(const TXMLNode& e, TVariabile& v)
{
    v.Enable = FlagOf(e, QStringLiteral("Enable"));
    v.Description = Required(e, QStringLiteral("Desc"));
    v.Type_Of_Data = RequiredInt(e, QStringLiteral("Type"));
    v.Function_Field = RequiredInt(e, QStringLiteral("Fun_Field"));
    v.Dimension = RequiredInt(e, QStringLiteral("Dim"));
    v.Unita = IntOr(e, QStringLiteral("Unit"), 0);
    v.PositionData = IntOr(e, QStringLiteral("PositionData"), 0);
    v.Storage_Number = UnsignedOr(e, QStringLiteral("StoNumber"), 0);
    v.Tariff = IntOr(e, QStringLiteral("Tariff"), 0);
    v.VIFE = Byte(IntOr(e, QStringLiteral("VIFE"), 0));
    v.BCDtoINT = FlagOf(e, QStringLiteral("BCDtoINT"));
    v.VIF_ASCII = e.Attribute(QStringLiteral("VIF_ASCII"));
    v.Length = IntOr(e, QStringLiteral("Length"), 0);
    v.Conv_Float = FlagOf(e, QStringLiteral("Conv_Float"));
    v.Force_Int32 = FlagOf(e, QStringLiteral("Force_Int32"));
    v.TP_Mod_Regs = FlagOf(e, QStringLiteral("TP_Mod_Regs"));
    v.TP_Mod_Year = IntOr(e, QStringLiteral("TP_Mod_Year"), 0);
    v.Position = Word(IntOr(e, QStringLiteral("Position"), 1));
    v.Post_Operation = Byte(IntOr(e, QStringLiteral("Post_Operation"), 0));
}

void WriteNode(TXMLNode e, const TNodo& nd)
{
    e.SetAttribute(QStringLiteral("Node_Enable"), Num(nd.Enable));
    e.SetAttribute(QStringLiteral("ID_Primary"), Num(nd.Node_Pri));
    e.SetAttribute(QStringLiteral("ID_Secondary"), Num(nd.Node_Sec));
    e.SetAttribute(QStringLiteral("Descrizione"), nd.Description);
    e.SetAttribute(QStringLiteral("Send_SND_NKE"), Num(nd.Send_SNK));
    e.SetAttribute(QStringLiteral("Reset_App"), Num(nd.Reset_App));
    e.SetAttribute(QStringLiteral("Enable_Node_State"), Num(nd.Enable_NS));
    e.SetAttribute(QStringLiteral("Node_State"), Num(nd.Node_State));
    e.SetAttribute(QStringLiteral("Enable_Ident_Num"), Num(nd.Enable_IN));
    e.SetAttribute(QStringLiteral("Ident_Num"), Num(nd.Ident_Num));
    e.SetAttribute(QStringLiteral("BCDtoINT_IN"), Num(nd.BCDtoINT_IN));
    e.SetAttribute(QStringLiteral("Swap_IN"), Num(nd.Swap_Ident));
    e.SetAttribute(QStringLiteral("Node_ID_Type"), Num(nd.Node_ID_Type));
    e.SetAttribute(QStringLiteral("Var_List_Type"), Num(nd.Var_List_Type));
    e.SetAttribute(QStringLiteral("Cut_After"), Num(nd.Cut_After));
    e.SetAttribute(QStringLiteral("Enable_Manufacturer_Specific_Data"), Num(nd.Enable_MS));
    e.SetAttribute(QStringLiteral("Manufacturer_Specific_Data"), Num(nd.Manufacturer_Spec));
    e.SetAttribute(QStringLiteral("MSD_Length"), Num(nd.MSD_Length));
    e.SetAttribute(QStringLiteral("MSD_Offset"), Num(nd.MSD_Offset));
    e.SetAttribute(QStringLiteral("Enable_Access_Number"), Num(nd.Enable_AN));
    e.SetAttribute(QStringLiteral("Access_Number"), Num(nd.Access_Number));
    e.SetAttribute(QStringLiteral("MBus_Type"), Num(nd.MBus_Type));
    e.SetAttribute(QStringLiteral("wMBus_ManID"), nd.wMBus_ManID);
    e.SetAttribute(QStringLiteral("wMBus_Add"), nd.wMBus_Add);
    e.SetAttribute(QStringLiteral("wMBus_Ver"), nd.wMBus_Ver);
    e.SetAttribute(QStringLiteral("wMBus_DevType"), nd.wMBus_DevType);
    e.SetAttribute(QStringLiteral("wMBus_En_Key"), Num(nd.wMBus_En_Key));
    for (int k = 0; k < 16; ++k)
        e.SetAttribute(QStringLiteral("wMBus_Key_%1").arg(k + 1), nd.wMBus_Key[k]);
    e.SetAttribute(QStringLiteral("wMBus_Enable_RSSI"), Num(nd.Enable_RSSI));
    e.SetAttribute(QStringLiteral("wMBus_RSSI"), Num(nd.RSSI));
}

void WriteVariable(TXMLNode e, const TVariabile& v)
{
    e.SetAttribute(QStringLiteral("Enable"), Flag(v.Enable));
    e.SetAttribute(QStringLiteral("Desc"), v.Description);
    e.SetAttribute(QStringLiteral("Type"), Num(v.Type_Of_Data));
    e.SetAttribute(QStringLiteral("Fun_Field"), Num(v.Function_Field));
    e.SetAttribute(QStringLiteral("Dim"), Num(v.Dimension));
    e.SetAttribute(QStringLiteral("Unit"), Num(v.Unita));
    e.SetAttribute(QStringLiteral("PositionData"), Num(v.PositionData));
    e.SetAttribute(QStringLiteral("StoNumber"), Num(v.Storage_Number));
    e.SetAttribute(QStringLiteral("Tariff"), Num(v.Tariff));
    e.SetAttribute(QStringLiteral("VIFE"), Num(v.VIFE));
    e.SetAttribute(QStringLiteral("BCDtoINT"), Flag(v.BCDtoINT));
    e.SetAttribute(QStringLiteral("VIF_ASCII"), v.VIF_ASCII);
    e.SetAttribute(QStringLiteral("Length"), Num(v.Length));
    e.SetAttribute(QStringLiteral("Conv_Float"), Flag(v.Conv_Float));
    e.SetAttribute(QStringLiteral("Force_Int32"), Flag(v.Force_Int32));
    e.SetAttribute(QStringLiteral("TP_Mod_Regs"), Flag(v.TP_Mod_Regs));
    e.SetAttribute(QStringLiteral("TP_Mod_Year"), Num(v.TP_Mod_Year));
    e.SetAttribute(QStringLiteral("Position"), Num(v.Position));
    e.SetAttribute(QStringLiteral("Post_Operation"), Num(v.Post_Operation));
}

} // namespace

bool Load_MBus_Network(const QString& FileName, TNodo_List& Nodi_List, QString& Error)
{
    Error.clear();
    if (!FileExists(FileName))
        return true;
    TXMLDocument xml;
    xml.SetActive(true);
    if (!xml.LoadFromFile(FileName)) {
        Error = xml.ErrorMessage();
        return false;
    }
    const TXMLNode root = xml.Root();
    try {
        for (TXMLNode e = root.FirstChild(); e; e = e.NextSibling()) {
            if (e.NodeType() != ntElement)
                continue;
            auto nd = std::make_unique<TNodo>();
            ReadNode(e, *nd);
            TNodo* node = nd.get();
            Nodi_List.push_back(std::move(nd));
            for (TXMLNode ve = e.FirstChild(); ve; ve = ve.NextSibling()) {
                if (ve.NodeType() != ntElement)
                    continue;
                auto v = std::make_unique<TVariabile>();
                ReadVariable(ve, *v);
                node->Var_List.push_back(std::move(v));
            }
        }
    } catch (const TLoadError& e) {
        Error = e.Message;
        return false;
    }
    return true;
}

bool Save_MBus_Network(const QString& FileName, const TNodo_List& Nodi_List, QString& Error)
{
    TXMLDocument xml;
    xml.SetActive(true);
    xml.Clear();
    TXMLNode root = xml.AddChild(RootName);
    xml.AddComment(VersionComment);
    for (const auto& nd : Nodi_List) {
        TXMLNode e = root.AddChild(QStringLiteral("Nodo"));
        WriteNode(e, *nd);
        for (const auto& v : nd->Var_List)
            WriteVariable(e.AddChild(QStringLiteral("Variabile")), *v);
    }
    if (!xml.SaveToFile(FileName)) {
        Error = xml.ErrorMessage();
        return false;
    }
    Error.clear();
    return true;
}

const std::array<const char*, 26> Type_Of_Data_Texts = {
    "Energy (Wh)", "Energy (J)", "Volume (m³)", "Mass (Kg)", "On Time", "Operating Time", "Power (W)", "Power (J/h)",
    "Volume Flow (m³/h)", "Volume Flow Ext. (m³/min)", "Volume Flow Ext. (m³/s)", "Mass Flow (Kg/h)",
    "Flow Temperature (°C)", "Return Temperature (°C)", "Temperature Difference (K)", "External Temperature (°C)",
    "Pressure (bar)", "Averaging Duration ", "Actuality Duration", "Type of  Data in VIFE", "Time Point",
    "VIF is in ASCII", "Unit for H.C.A.", "Fabrication No", "(Enhanced) Identification", "Bus Address",
};
const std::array<const char*, 4> Function_Field_Texts = {"Instantaneous Value", "Minimun Value", "Maximum Value",
                                                         "Value During Error State"};
const std::array<const char*, 8> Dimension_Texts = {"8", "16", "32", "64", "24", "48", "32 Real", "Variable Length"};
const std::array<const char*, 13> Post_Operation_Texts = {"None", " : 10", " : 100", " : 1000", " : 10000", " : 100000",
                                                          " : 1000000", " * 10", " * 100", " * 1000", " * 10000",
                                                          " * 100000", " * 1000000"};
const std::array<const char*, 2> Swap_Ident_Texts = {"None", "Type 1"};
const std::array<const char*, 2> Var_List_Type_Texts = {"By Type", "By Position"};
const std::array<const char*, 152> VIFE_Texts = {
    "Not Selected",
    "Credit of the nominal local legal currency units",
    "Debit of the nominal local legal currency units",
    "Access Number (transmission count)",
    "Medium (as in fixed header)",
    "Manufacturer (as in fixed header)",
    "Parameter set identification",
    "Model/Version",
    "Hardware Version #",
    "Firmware Version #",
    "Software Version #",
    "Customer Location",
    "Customer",
    "Access Code User",
    "Access Code Operator",
    "Access Code System Operator",
    "Access Code Developer",
    "Password",
    "Error flags (binary)",
    "Error mask",
    "Digital Output (binary)",
    "Digital Input (binary)",
    "Baudrate [Baud]",
    "response delay time [bittimes]",
    "Retry",
    "First storage # for cyclic storage",
    "Last storage # for cyclic storage",
    "Size of storage block",
    "Storage interval [sec(s)..day(s)]",
    "Storage interval month(s)",
    "Storage interval year(s)",
    "Duration since last readout[sec(s)..day(s)]",
    "Start (date/time) of tariff",
    "Duration of tariff (nn=01..11:min to day)",
    "Period of tariff [sec(s) to day(s)]",
    "Period of tariff months(s)",
    "Period of tariff year(s)",
    "dimensionless/ no VIF",
    "Volts ",
    "Ampere",
    "Reset counter",
    "Comulation counter",
    "Control signal",
    "Day of week",
    "Week number",
    "Time point of day change",
    "State of parameter activation",
    "Special supplier information",
    "Duration since last comulation [hour(s)..year(s)]",
    "Operation time battery [hour(s)..year(s)]",
    "Date and time of battery change",
    "Energy MWh",
    "Energy GJ",
    "Volume ",
    "Mass",
    "Volume 0,1 feet^3",
    "Volume 0,1 american gallon",
    "Volume 1 american gallon",
    "Volume flow 0,001 american gallon/min",
    "Volume flow 1 american gallon/min",
    "Volume flow 1 american gallon/h",
    "Power MW",
    "Power GJ/h",
    "Flow Temperature",
    "Return Temperature",
    "Temperature Difference",
    "External Temperature",
    "Cold/Warm Temperature Limit °F",
    "Cold/Worm Temperature Limit °C",
    "Cumul. count max power",
    "per second",
    "per minute",
    "per hour",
    "per day",
    "per week",
    "per month",
    "per year",
    "per revolution/measurement",
    "increment per input pulse on input channel",
    "increment per output pulse on output channel",
    "per liter",
    "per m^3",
    "per kg",
    "per K (Kelvin)",
    "per kWh",
    "per GJ",
    "per kW",
    "per (K*l)(Kelvin*liter) ",
    "per V (Volt)",
    "per A (Ampere)",
    "multiplied by sek",
    "multiplied by sek/V",
    "multiplied by sek/A",
    "start date(/time) of",
    "VIF contains uncorrected unit instead of corrected unit",
    "Accumulation only if positive contributions",
    "Accumulation of abs value only if negative contributions",
    "upper/lower limit value",
    "# of exceeds of lower/upper limit",
    "Date(/time) of begin/end of first/last lower/upper limit exceed",
    "Duration of limit exceed",
    "Duration of first/last",
    "Date(/time) of first/last begin/end",
    "Multiplicative currection factor",
    "Additive correction constant * unit of VIF (offset)",
    "Moltiplicative correction factor: 10^3",
    "future value",
    "next VIFE's and data of this block are manufacturer specific",
    "None",
    "Too many DIFE's",
    "Storage number not implemented",
    "Unit number not implemented",
    "Tariff number not implemented",
    "Function not implemented",
    "Data class not implemented",
    "Data size not implemented",
    "Too many VIFE's",
    "Illegal VIF-Group",
    "Illegal VIF-Exponent",
    "VIF/DIF mismatch",
    "Unimplemented action",
    "No data available (undefined value)",
    "Data overflow",
    "Data underflow",
    "Data error",
    "Premature end of record ",
    "Security Key",
    "Remote control (devicespecific e.g. gas valve)",
    "Operator specific data",
    "Time point second (0 to 59)",
    "Data container for wireless M-Bus protocol",
    "Period of nominal data transmissions [sec(s) to day(s)]",
    "RF level units: dBm",
    "Daylight savings (beginning, ending, deviation) data type K",
    "Listening window management data type L",
    "Remaining battery life time (days)",
    "Number times the meter was stopped",
    "Reactive energy",
    "Apparent energy",
    "Energy",
    "Reactive power",
    "Relative humidity",
    "Volume",
    "Phase U-U (volt. to volt.)",
    "Phase U-I (volt. to current)",
    "Frequency",
    "Apparent power",
    "Reserved for alternate non-metric unit system",
    "Value at base conditions",
    "Value during lower (u= 0), upper (u = 1) limit exceed",
    "Leakage values",
    "Overflow values",
};
