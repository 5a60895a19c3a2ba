#include "fieldbus/UProfinetXML.h"

#include "shell/FileWriters.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"

#include <initializer_list>
#include <iterator>
#include <utility>

namespace UProfinetXML {
Integer PROFINET_NB_IN = Default_NB;
Integer PROFINET_NB_OUT = Default_NB;
QString PROFINET_NAME_STA;
} // namespace UProfinetXML

using namespace UProfinetXML;

namespace {

// The maker's and the device's PROFINET identifiers.
const char* const Vendor_ID = "0x0A59";
const char* const Device_ID = "0x0D33";

using TAttributes = std::initializer_list<std::pair<const char*, QString>>;

// An attribute value or element text with the characters XML reserves escaped.
QString Escaped(const QString& Value)
{
    QString out;
    out.reserve(Value.size());
    for (QChar c : Value) {
        switch (c.unicode()) {
        case u'&': out += QStringLiteral("&amp;"); break;
        case u'<': out += QStringLiteral("&lt;"); break;
        case u'>': out += QStringLiteral("&gt;"); break;
        case u'"': out += QStringLiteral("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

// Each tag on a line of its own, indented with one tab per level.
class TXML_Lines {
public:
    explicit TXML_Lines(TStringList& Lines) : L(Lines) {}

    void Open(const char* Name, TAttributes Attributes = {}) { Line(Tag(Name, Attributes) + u'>'); ++Depth; }
    void Close(const char* Name)
    {
        --Depth;
        Line(QStringLiteral("</") + QLatin1String(Name) + u'>');
    }
    void Empty(const char* Name, TAttributes Attributes) { Line(Tag(Name, Attributes) + QStringLiteral("/>")); }
    void Text(const char* Name, const char* Text)
    {
        Line(u'<' + QLatin1String(Name) + u'>' + Escaped(QLatin1String(Text)) + QStringLiteral("</") + QLatin1String(Name) + u'>');
    }
    void Comment(const QString& Text) { Line(QStringLiteral("<!--") + Text + QStringLiteral("-->")); }
    void Raw(const QString& Text) { L.Add(Text); }

private:
    void Line(const QString& Text) { L.Add(QString(Depth, u'\t') + Text); }
    static QString Tag(const char* Name, TAttributes Attributes)
    {
        QString tag = u'<' + QLatin1String(Name);
        for (const auto& [name, value] : Attributes)
            tag += u' ' + QLatin1String(name) + QStringLiteral("=\"") + Escaped(value) + u'"';
        return tag;
    }
    TStringList& L;
    Integer Depth = 0;
};

void Name_And_Info(TXML_Lines& X, const char* Name, const char* Info)
{
    X.Empty("Name", {{"TextId", Name}});
    X.Empty("InfoText", {{"TextId", Info}});
}

void Device_Access_Point(TXML_Lines& X)
{
    X.Open("DeviceAccessPointList");
    X.Open("DeviceAccessPointItem",
           {{"PNIO_Version", "V2.3"}, {"RequiredSchemaVersion", "V2.25"}, {"ID", "IDD_1"}, {"PhysicalSlots", "0..4"},
            {"ModuleIdentNumber", "0x00000001"}, {"MinDeviceInterval", "64"}, {"ImplementationType", PROFINET_NAME_STA},
            {"DNS_CompatibleName", PROFINET_NAME_STA}, {"FixedInSlots", "0"}, {"ObjectUUID_LocalIndex", "1"},
            {"MultipleWriteSupported", "true"}, {"MaxSupportedRecordSize", "8192"},
            {"ParameterizationSpeedupSupported", "true"}, {"PowerOnToCommReady", "350"},
            {"DeviceAccessSupported", "true"}, {"SharedDeviceSupported", "true"}, {"CheckDeviceID_Allowed", "false"},
            {"NameOfStationNotTransferable", "true"}});
    X.Open("ModuleInfo");
    Name_And_Info(X, "IDT_NAME_DAP1", "IDT_INFO_DAP1");
    X.Empty("VendorName", {{"Value", "Velmora"}});
    X.Empty("OrderNumber", {{"Value", "HD59D33"}});
    X.Close("ModuleInfo");
    X.Open("SubslotList");
    X.Empty("SubslotItem", {{"SubslotNumber", "0"}, {"TextId", "IDT_SUBSLOT_1"}});
    X.Empty("SubslotItem", {{"SubslotNumber", "32768"}, {"TextId", "IDT_SUBSLOT_Interface"}});
    X.Empty("SubslotItem", {{"SubslotNumber", "32769"}, {"TextId", "IDT_SUBSLOT_Port1"}});
    X.Empty("SubslotItem", {{"SubslotNumber", "32770"}, {"TextId", "IDT_SUBSLOT_Port2"}});
    X.Close("SubslotList");
    X.Empty("IOConfigData", {{"MaxInputLength", "1440"}, {"MaxOutputLength", "1440"}, {"MaxDataLength", "2880"}});
    X.Open("UseableModules");
    X.Empty("ModuleItemRef", {{"ModuleItemTarget", "IDM_1"}, {"FixedInSlots", "1"}});
    X.Close("UseableModules");
    X.Open("VirtualSubmoduleList");
    X.Open("VirtualSubmoduleItem", {{"ID", "IDS_V1"}, {"SubmoduleIdentNumber", "0x00000000"}});
    X.Empty("IOData", {{"IOPS_Length", "1"}, {"IOCS_Length", "1"}});
    X.Open("ModuleInfo");
    Name_And_Info(X, "IDT_NAME_VS1", "IDT_INFO_VS1");
    X.Close("ModuleInfo");
    X.Close("VirtualSubmoduleItem");
    X.Close("VirtualSubmoduleList");
    X.Open("SystemDefinedSubmoduleList");
    X.Open("InterfaceSubmoduleItem",
           {{"ID", "IDS_I"}, {"SubmoduleIdentNumber", "0x00000001"}, {"SubslotNumber", "32768"}, {"TextId", "IDT_NAME_IS"},
            {"SupportedRT_Classes", "RT_CLASS_1"}, {"SupportedProtocols", "SNMP;LLDP"}, {"SupportedMibs", "MIB2"}});
    X.Open("ApplicationRelations");
    X.Empty("TimingProperties", {{"SendClock", "32"}, {"ReductionRatio", "1 2 4 8 16 32 64 128 256 512"}});
    X.Close("ApplicationRelations");
    X.Close("InterfaceSubmoduleItem");
    for (const char* port : {"1", "2"}) {
        const QString p = QLatin1String(port);
        X.Empty("PortSubmoduleItem",
                {{"ID", QStringLiteral("IDS_P") + p}, {"SubmoduleIdentNumber", "0x00000002"},
                 {"SubslotNumber", QString::number(32768 + p.toInt())}, {"TextId", QStringLiteral("IDT_NAME_PS") + p},
                 {"MaxPortRxDelay", "350"}, {"MaxPortTxDelay", "160"}});
    }
    X.Close("SystemDefinedSubmoduleList");
    X.Comment(QStringLiteral(" This element tells the engineering tool that the DAP supports fieldbus integration (slot clusters). "));
    X.Comment(QStringLiteral("<FieldbusIntegrationSlots MaxSupported=\"127\" Range=\"100..9999\"/>"));
    X.Close("DeviceAccessPointItem");
    X.Close("DeviceAccessPointList");
}

void Module(TXML_Lines& X)
{
    X.Open("ModuleList");
    X.Comment(QStringLiteral(" The \"normal\" module carrying the FAP. "));
    X.Open("ModuleItem", {{"ID", "IDM_1"}, {"ModuleIdentNumber", "0x00000001"}});
    X.Open("ModuleInfo");
    Name_And_Info(X, "IDT_NAME_M1", "IDT_INFO_M1");
    X.Empty("OrderNumber", {{"Value", "12345-0040-M"}});
    X.Close("ModuleInfo");
    X.Open("VirtualSubmoduleList");
    X.Open("VirtualSubmoduleItem", {{"ID", "IDM_1"}, {"SubmoduleIdentNumber", "0x00000001"}});
    X.Open("IOData", {{"IOPS_Length", "1"}, {"IOCS_Length", "1"}});
    X.Open("Input");
    X.Empty("DataItem", {{"DataType", "OctetString"}, {"Length", QString::number(PROFINET_NB_OUT)}, {"TextId", "IDT_Input_1"}});
    X.Close("Input");
    X.Open("Output");
    X.Empty("DataItem", {{"DataType", "OctetString"}, {"Length", QString::number(PROFINET_NB_IN)}, {"TextId", "IDT_Output_1"}});
    X.Close("Output");
    X.Close("IOData");
    X.Open("RecordDataList");
    X.Open("ParameterRecordDataItem", {{"Index", "128"}, {"Length", "2"}});
    X.Empty("Name", {{"TextId", "IDT_NAME_M1_IDT_REF_channel"}});
    X.Empty("Const", {{"ByteOffset", "0"}, {"Data", "0x00,0x00"}});
    X.Empty("Ref", {{"TextId", "IDT_REF_reaction_to_cpu_stop"}, {"Visible", "true"}, {"DataType", "BitArea"},
                    {"ByteOffset", "0"}, {"BitOffset", "0"}, {"BitLength", "2"}, {"DefaultValue", "2"},
                    {"AllowedValues", "0..2"}, {"ValueItemTarget", "IDV_reaction_to_cpu_stop"},
                    {"ID", "IDT_REF_reaction_to_cpu_stop"}});
    X.Open("MenuList");
    X.Open("MenuItem", {{"ID", "IDT_NAME_M1_IDT_REF_channel"}});
    X.Empty("Name", {{"TextId", "IDT_NAME_M1_IDT_REF_channel"}});
    X.Empty("MenuRef", {{"MenuTarget", "IDT_NAME_M1_Base_Parameters"}});
    X.Close("MenuItem");
    X.Open("MenuItem", {{"ID", "IDT_NAME_M1_Base_Parameters"}});
    X.Empty("Name", {{"TextId", "IDT_NAME_M1_Base_Parameters"}});
    X.Empty("ParameterRef", {{"ParameterTarget", "IDT_REF_reaction_to_cpu_stop"}});
    X.Close("MenuItem");
    X.Close("MenuList");
    X.Close("ParameterRecordDataItem");
    X.Close("RecordDataList");
    X.Open("ModuleInfo");
    Name_And_Info(X, "IDT_NAME_M1", "IDT_INFO_M1");
    X.Close("ModuleInfo");
    X.Close("VirtualSubmoduleItem");
    X.Close("VirtualSubmoduleList");
    X.Close("ModuleItem");
    X.Close("ModuleList");
}

// The texts the identifiers above refer to.
const char* const External_Texts[][2] = {
    {"IDT_INFO_Device", "Velmora Gateways"},
    {"IDT_NAME_DAP1", "LORAWANNODEDevice"},
    {"IDT_INFO_DAP1", "Profinet LoRaWAN Adapter"},
    {"IDT_SUBSLOT_1", "Subslot 1"},
    {"IDT_SUBSLOT_Interface", "Interface"},
    {"IDT_SUBSLOT_Port1", "Port 1"},
    {"IDT_SUBSLOT_Port2", "Port 2"},
    {"IDT_RECORD_NAME_Head", "Parameters of head module"},
    {"IDT_REF_Power", "Percent power"},
    {"IDT_NAME_VS1", "Submodule V1"},
    {"IDT_INFO_VS1", "Description of submodule V1"},
    {"IDT_NAME_IS", "I"},
    {"IDT_NAME_PS1", "P1"},
    {"IDT_NAME_PS2", "P2"},
    {"IDT_NAME_M1", "Module"},
    {"IDT_INFO_M1", "device LORAWANNODE"},
    {"IDT_NAME_FAP", "FAP for LORAWANNODE"},
    {"IDT_INFO_FAP", "Description of FAP for LORAWANNODE"},
    {"IDT_RECORD_NAME_SlotCluster", "Parameters of the FAP"},
    {"IDT_REF_SlotClusterBegin", "Beginning of slot cluster"},
    {"IDT_NAME_M_PB1", "LORAWANNODE Device "},
    {"IDT_INFO_M_PB1", "Description of LORAWANNODE"},
    {"IDT_NAME_S_PB1", "Module of a LORAWANNODE"},
    {"IDT_INFO_S_PB1", "Description of module of a LORAWANNODE"},
    {"IDT_PB_Input", "Digital input LORAWANNODE"},
    {"IDT_PB_InputBit0", "Digital input bit LORAWANNODE"},
    {"IDT_NAME_S1", "Submodule 1"},
    {"IDT_INFO_S1", "Description of submodule 1"},
    {"IDT_Input_1", "Input byte"},
    {"IDT_Output_1", "Output word"},
    {"IDT_CATEGORY_DI", "Digital Input"},
    {"IDT_INFO_DI", "Description of digital input"},
    {"IDT_CATEGORY_DO", "Digital output"},
    {"IDT_INFO_DO", "Description of digital output"},
    {"IDT_NAME_M1_IDT_REF_channel", "Canale x"},
    {"IDT_REF_reaction_to_cpu_stop", "Reaction to CPU STOP"},
    {"IDT_NAME_M1_Base_Parameters", "Base Parameters"},
    {"IDT_ASSIGN_do_set_substitude_values", "Output substitute value"},
    {"IDT_ASSIGN_do_values_will_hold", "Keep last value"},
    {"IDT_ASSIGN_do_continue_counting", "Continue operation"},
};

void Lists(TXML_Lines& X)
{
    X.Open("ValueList");
    X.Open("ValueItem", {{"ID", "IDV_reaction_to_cpu_stop"}});
    X.Open("Assignments");
    X.Empty("Assign", {{"TextId", "IDT_ASSIGN_do_set_substitude_values"}, {"Content", "0"}});
    X.Empty("Assign", {{"TextId", "IDT_ASSIGN_do_values_will_hold"}, {"Content", "1"}});
    X.Empty("Assign", {{"TextId", "IDT_ASSIGN_do_continue_counting"}, {"Content", "2"}});
    X.Close("Assignments");
    X.Close("ValueItem");
    X.Close("ValueList");

    X.Open("CategoryList");
    for (const char* kind : {"DI", "DO"}) {
        const QString k = QLatin1String(kind);
        X.Open("CategoryItem", {{"ID", QStringLiteral("IDC_") + k}, {"TextId", QStringLiteral("IDT_CATEGORY_") + k}});
        X.Empty("InfoText", {{"TextId", QStringLiteral("IDT_INFO_") + k}});
        X.Close("CategoryItem");
    }
    X.Close("CategoryList");

    X.Open("ExternalTextList");
    X.Open("PrimaryLanguage");
    const std::size_t count = std::size(External_Texts);
    for (std::size_t i = 0; i < count; ++i) {
        const QString id = QLatin1String(External_Texts[i][0]), value = QLatin1String(External_Texts[i][1]);
        // The last three carry their attributes the other way round.
        if (i + 3 < count)
            X.Empty("Text", {{"TextId", id}, {"Value", value}});
        else
            X.Empty("Text", {{"Value", value}, {"TextId", id}});
    }
    X.Close("PrimaryLanguage");
    X.Close("ExternalTextList");
}

} // namespace

void Read_PROFINET_Param()
{
    PROFINET_NB_IN = Default_NB;
    PROFINET_NB_OUT = Default_NB;
    PROFINET_NAME_STA.clear();
    if (FileExists(ParGen_File)) {
        TXMLDocument xml;
        const TXMLNode root = Load_Config_Root(xml, ParGen_File);
        PROFINET_NB_IN = Config_Integer(root, QStringLiteral("PROFINET_NB_IN"), Default_NB);
        PROFINET_NB_OUT = Config_Integer(root, QStringLiteral("PROFINET_NB_OUT"), Default_NB);
        PROFINET_NAME_STA = root.FindChild(QStringLiteral("PROFINET_NAME_STA")).Text();
    }
    if (Trim(PROFINET_NAME_STA).isEmpty())
        PROFINET_NAME_STA = QStringLiteral("SERIAL");
}

void Write_GSDML_File(const QString& Path)
{
    Read_PROFINET_Param();
    TStringList lines;
    TXML_Lines x(lines);
    x.Raw(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    x.Comment(QStringLiteral(" A fieldbus integration example. "));
    const QString ns = QStringLiteral("http://www.profibus.com/GSDML/2003/11/DeviceProfile");
    x.Open("ISO15745Profile", {{"xmlns", ns},
                               {"xmlns:xsi", "http://www.w3.org/2001/XMLSchema-instance"},
                               {"xsi:schemaLocation", ns + QStringLiteral(" ..\\xsd\\GSDML-DeviceProfile-v2.31.xsd")}});
    x.Open("ProfileHeader");
    x.Text("ProfileIdentification", "PROFINET Device Profile");
    x.Text("ProfileRevision", "1.00");
    x.Text("ProfileName", "Device Profile for PROFINET Devices");
    x.Text("ProfileSource", "PROFIBUS Nutzerorganisation e. V. (PNO)");
    x.Text("ProfileClassID", "Device");
    x.Open("ISO15745Reference");
    x.Text("ISO15745Part", "4");
    x.Text("ISO15745Edition", "1");
    x.Text("ProfileTechnology", "GSDML");
    x.Close("ISO15745Reference");
    x.Close("ProfileHeader");
    x.Open("ProfileBody");
    x.Open("DeviceIdentity", {{"VendorID", Vendor_ID}, {"DeviceID", Device_ID}});
    x.Empty("InfoText", {{"TextId", "IDT_INFO_Device"}});
    x.Empty("VendorName", {{"Value", "Velmora"}});
    x.Close("DeviceIdentity");
    x.Open("DeviceFunction");
    x.Empty("Family", {{"MainFamily", "Gateway"}, {"ProductFamily", "HD59D33"}});
    x.Close("DeviceFunction");
    x.Open("ApplicationProcess");
    Device_Access_Point(x);
    Module(x);
    Lists(x);
    x.Close("ApplicationProcess");
    x.Close("ProfileBody");
    x.Close("ISO15745Profile");
    Save_Text_Lines(lines, Path, TTextEncoding::UTF8);
}

void Create_GSDML_File(const QString& Name)
{
    TSaveDialog dialog(nullptr);
    dialog.SetInitialDir(Project_Folder);
    dialog.SetFileName(Name);
    dialog.SetFilter(QStringLiteral("PROFINET XML (*.xml)|") + Name);
    if (!dialog.Execute())
        return;
    // Only the chosen folder counts: the file keeps the dialog's name.
    const QString path = IncludeTrailingPathDelimiter(ExtractFilePath(dialog.FileName())) + Name;
    if (!Confirm_Overwrite(path, Language_Texts->Strings(4808)))
        return;
    Run_Step([&] { Write_GSDML_File(path); });
}
