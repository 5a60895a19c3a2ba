#include "fieldbus/UProfibus_GSD.h"

#include "shell/FileWriters.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"

#include <initializer_list>

namespace UProfibus_GSD {
Integer PROFINET_NB_IN = 0;
Integer PROFINET_NB_OUT = 0;
} // namespace UProfibus_GSD

using namespace UProfibus_GSD;

namespace {

// The maker's block of the header box and the device's PROFIBUS ident number.
const char* const Vendor_Lines[] = {
    "Vendor:   Velmora",
    "          Industrial Street 1",
    "          00000 Velmora Town",
    "          Example Land",
    "          Tel. : +00 000 0000000",
    "          FAX. : +00 000 0000001",
    "          eMail: info@velmora.example",
};
constexpr Integer Ident_Number = 0x59D3;

class TGSD_Text {
public:
    explicit TGSD_Text(TStringList& Lines) : L(Lines) {}

    void Add(const QString& Line) { L.Add(Line); }
    void Blank(Integer Count = 1)
    {
        for (Integer i = 0; i < Count; ++i)
            L.Add(QString());
    }
    // Lines one after the other, then Blanks empty lines.
    void Lines(std::initializer_list<const char*> Lines, Integer Blanks = 0)
    {
        for (const char* line : Lines)
            Add(QString::fromLatin1(line));
        Blank(Blanks);
    }
    // One line of the header box: 85 characters between ";*" and "*".
    void Box(const QString& Content = QString())
    {
        Add(QStringLiteral(";* ") + Content.leftJustified(81, u' ') + u'*');
    }
    // The three banner lines of a section, Width characters wide, and an empty line.
    void Banner(const char* Name, Integer Width)
    {
        const QString rule = u';' + QString(Width - 1, u'=');
        const QString title = QStringLiteral(";==== ") + QLatin1String(Name) + u' ';
        Add(rule);
        Add(title + QString(Width - title.size(), u'='));
        Add(rule);
        Blank();
    }

private:
    TStringList& L;
};

void Header(TGSD_Text& T)
{
    const QString rule = QString(80, u'=');
    T.Add(QStringLiteral(";"));
    T.Add(u';' + QString(21, u'*') + QStringLiteral(" PROFIBUS Slave / LoRaWAN - Converter ") + QString(25, u'*'));
    T.Box(rule);
    T.Box();
    for (const char* line : Vendor_Lines)
        T.Box(QString::fromLatin1(line));
    T.Box();
    T.Box(rule);
    T.Box();
    T.Box(QStringLiteral("Function:       PROFIBUS Slave / LoRaWAN - Converter"));
    T.Box();
    T.Box();
    T.Box(QStringLiteral("Order Number : HD59D31"));
    T.Box();
    T.Box();
    T.Add(u';' + QString(84, u'*'));
    T.Blank(2);
}

void Parameter_Texts(TGSD_Text& T)
{
    T.Banner("Prm-Text-Def-List", 85);
    T.Lines({"PrmText=1", "Text(0)=\"disable\"", "Text(1)=\"enable\"", "EndPrmText"}, 1);
    T.Lines({"PrmText  = 2", "Text(0)  = \"clock up\"", "Text(1)  = \"clock down\"", "EndPrmText"}, 1);
    T.Lines({"PrmText  = 3", "Text(1)  = \"10\"", "Text(2)  = \"20\"", "Text(3)  = \"30\"", "Text(4)  = \"40\"",
             "Text(5)  = \"50\"", "EndPrmText"},
            2);

    T.Banner("Ext-User-Prm-Data-Def-List", 86);
    const struct { const char *definition, *type, *reference; } parameters[] = {
        {"ExtUserPrmData=1 \"[SlotNumber]\"", "Unsigned8 0 0-32", nullptr},
        {"ExtUserPrmData=2 \"Diagnostic Alarm\"", "Bit(0) 0 0-1", "Prm_Text_Ref=1"},
        {"ExtUserPrmData=3 \"Process Alarm\"", "Bit(1) 0 0-1", "Prm_Text_Ref=1"},
        {"ExtUserPrmData=4 \"Counter mode\"", "Unsigned8 0 0-1", "Prm_Text_Ref=2"},
        {"ExtUserPrmData=5 \"Counter timebase (ms)\"", "Unsigned8 1 1-5", "Prm_Text_Ref=3"},
        {"ExtUserPrmData=6 \"Counter high-limit\"", "Unsigned16 65535 0-65535", nullptr},
        {"ExtUserPrmData=7 \"Counter low-limit\"", "Unsigned16 0 0-65535", nullptr},
    };
    for (const auto& p : parameters) {
        T.Lines({p.definition, p.type});
        if (p.reference != nullptr)
            T.Lines({p.reference});
        T.Lines({"EndExtUserPrmData"}, &p == &parameters[6] ? 2 : 1);
    }
}

void Keywords(TGSD_Text& T)
{
    T.Banner("General DP Keywords", 86);
    T.Lines({"GSD_Revision = 5", "Vendor_Name = \"Velmora\"", "Model_Name = \"HD59D31\"", "Revision = \"1.00\""});
    T.Add(QStringLiteral("Ident_Number = 0x") + IntToHex(Ident_Number, 4));
    T.Lines({"Protocol_Ident = 0", "Station_Type = 0", "FMS_supp = 0", "Hardware_Release = \"V1.00\"",
             "Software_Release = \"V1.00\"", "Redundancy = 0", "Repeater_Ctrl_Sig = 2", "24V_Pins = 0"},
            2);

    T.Banner("Supported baudrates", 79);
    T.Lines({"9.6_supp = 1", "19.2_supp = 1", "45.45_supp = 1", "93.75_supp = 1", "187.5_supp = 1", "500_supp = 1",
             "1.5M_supp = 1", "3M_supp = 1", "6M_supp = 1", "12M_supp = 1"},
            1);
    T.Lines({"MaxTsdr_9.6=15", "MaxTsdr_19.2=15", "MaxTsdr_45.45=15", "MaxTsdr_93.75=15", "MaxTsdr_187.5=15",
             "MaxTsdr_500=15", "MaxTsdr_1.5M=20", "MaxTsdr_3M=35", "MaxTsdr_6M=50", "MaxTsdr_12M=95"},
            2);
}

void Slave_Values(TGSD_Text& T, Integer Modules)
{
    T.Banner("Slave specific values", 79);
    T.Lines({"OrderNumber=\"HD59D31\"", "Slave_Family = 9@Velmora@HD59D31", "Implementation_Type = \"VPC3+\"",
             "Info_Text=\"Velmora: PROFIBUS Slave / LoRaWAN - Converter\"", "Bitmap_Device = \"DPV0_1N\"",
             "Bitmap_SF=\"DPV0_1S\""},
            1);
    T.Lines({"Freeze_Mode_supp=1", "Sync_Mode_supp=1", "Fail_Safe=1", "Auto_Baud_supp=1", "Set_Slave_Add_supp=0"}, 1);
    T.Lines({"Min_Slave_Intervall=6"}, 1);
    T.Add(QStringLiteral("Modular_Station=1"));
    T.Add(QStringLiteral("Max_Module=") + IntToStr(Modules));
    T.Add(QStringLiteral("Modul_Offset=1"));
    T.Add(QStringLiteral("Max_Input_Len=") + IntToStr(PROFINET_NB_OUT));
    T.Add(QStringLiteral("Max_Output_Len=") + IntToStr(PROFINET_NB_IN));
    T.Add(QStringLiteral("Max_Data_Len=") + IntToStr(Int64(PROFINET_NB_IN) + PROFINET_NB_OUT));
    T.Lines({"Max_Diag_Data_Len=15"}, 1);
    T.Lines({"WD_Base_1ms_supp = 1", "Publisher_supp = 1"}, 1);

    T.Banner("User-Prm-Data", 79);
    T.Lines({"Max_User_Prm_Data_Len = 12", "Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00"}, 1);

    T.Banner("Modulstatus", 79);
    for (Integer slot = 1; slot <= 2; ++slot) {
        T.Add(QStringLiteral("Unit_Diag_Area = %1 - %2").arg(22 + 2 * slot).arg(23 + 2 * slot));
        const char* const faults[] = {"Module error", "Wrong module", "No module"};
        for (Integer v = 1; v <= 3; ++v)
            T.Add(QStringLiteral("Value(%1)= \"Slot %2: %3\"").arg(v).arg(slot).arg(QLatin1String(faults[v - 1])));
        T.Add(QStringLiteral("Unit_Diag_Area_End"));
    }
    T.Blank(2);
}

// Number of modules that carry Bytes (none for 0 or less).
Integer Module_Count(Integer Bytes)
{
    return Bytes > 0 ? (Bytes + Module_Bytes - 1) / Module_Bytes : 0;
}

// The modules of one kind, numbered on from Number.
void Modules(TGSD_Text& T, Integer Bytes, bool Input, Integer& Number)
{
    const Integer count = Module_Count(Bytes);
    for (Integer m = 1; m <= count; ++m) {
        const Integer carried = m < count ? Module_Bytes : Bytes - Module_Bytes * (count - 1);
        const QString length = QStringLiteral("0x") + IntToHex(carried - 1, 2);
        ++Number;
        T.Add(QStringLiteral("Module=\"%1  (PORT%2)    \" %3,%4,0x00,0x%5")
                  .arg(Input ? QStringLiteral("DI") : QStringLiteral("DO"))
                  .arg(Number)
                  .arg(Input ? QStringLiteral("0x42") : QStringLiteral("0x82"))
                  .arg(length)
                  .arg(IntToHex(Number, 2)));
        T.Add(IntToStr(Number));
        T.Add(QStringLiteral("EndModule"));
    }
}

} // namespace

QString GSD_File_Path(const QString& Chosen)
{
    if (LowerCase(Chosen).endsWith(QStringLiteral(".gsd")))
        return Chosen;
    return Chosen + QStringLiteral(".gsd");
}

void Write_GSD_File(const QString& Path)
{
    const Integer modules = Module_Count(PROFINET_NB_OUT) + Module_Count(PROFINET_NB_IN);
    TStringList lines;
    TGSD_Text t(lines);
    Header(t);
    t.Lines({"#Profibus_DP"}, 2);
    Parameter_Texts(t);
    Keywords(t);
    Slave_Values(t, modules);

    t.Banner("Module-Definition-List", 79);
    Integer number = 0;
    Modules(t, PROFINET_NB_OUT, true, number);
    Modules(t, PROFINET_NB_IN, false, number);
    t.Blank(3);

    t.Add(QStringLiteral("SlotDefinition"));
    for (Integer s = 1; s <= modules; ++s)
        t.Add(QStringLiteral("Slot(%1) = \"Slot %1\" %1 %1").arg(s));
    t.Add(QStringLiteral("EndSlotDefinition"));
    t.Blank(4);
    Save_Text_Lines(lines, Path, TTextEncoding::ANSI);
}

void Create_GSD_File()
{
    if (!FileExists(ParGen_File)) {
        MessageDlg(Language_Texts->Strings(1104), mtError, mbOK);
        return;
    }
    Run_Step([] {
        {
            TXMLDocument xml;
            const TXMLNode root = Load_Config_Root(xml, ParGen_File);
            PROFINET_NB_IN = Config_Integer(root, QStringLiteral("PROFINET_NB_IN"), 0);
            PROFINET_NB_OUT = Config_Integer(root, QStringLiteral("PROFINET_NB_OUT"), 0);
        }
        TSaveDialog dialog(nullptr);
        dialog.SetInitialDir(Project_Folder);
        dialog.SetFilter(QStringLiteral("Generic Station Description (*.gsd)|*.gsd"));
        if (!dialog.Execute())
            return;
        const QString path = GSD_File_Path(dialog.FileName());
        if (!Confirm_Overwrite(path, Language_Texts->Strings(1103)))
            return;
        Write_GSD_File(path);
    });
}
