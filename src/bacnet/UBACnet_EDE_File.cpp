#include "bacnet/UBACnet_EDE_File.h"

#include "shell/FileWriters.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"

#include <stdexcept>

std::vector<std::unique_ptr<TBACnet_EDE_Obj>> EDE_Object_List;
QString EDE_Dev_Instance;
bool EDE_Long_Names = false;
Integer EDE_Instance_Counters[EDE_Type_Count] = {};

namespace {

// The object types by their Data_Type text, each with its own counter.
const struct {
    const char* Text;
    Integer Number;
} Object_Types[EDE_Type_Count] = {
    {"ANALOG INPUT", 0}, {"ANALOG OUT", 1}, {"ANALOG VALUE", 2}, {"BINARY INPUT", 3}, {"BINARY OUT", 4},
    {"BINARY VALUE", 5}, {"MULTI STATE INPUT", 13}, {"MULTI STATE OUTPUT", 14}, {"MULTI STATE VALUE", 19},
    {"LIFE SAFETY POINT", 21}, {"LIFE SAFETY ZONE", 22}, {"ACCUMULATOR", 23}, {"ACCESS DOOR", 30},
    {"CHARACTERSTRING VALUE", 40}, {"DATETIME VALUE", 44}, {"INTEGER VALUE", 45}, {"LARGE ANALOG VALUE", 46},
    {"POSITIVE INTEGER VALUE", 48},
};

QString Required(const TXMLNode& Row, const char* Name)
{
    const QString name = QString::fromLatin1(Name);
    if (!Row.HasAttribute(name))
        throw std::runtime_error(QStringLiteral("A row of \"%1\" has no attribute \"%2\"")
                                     .arg(ExtractFileName(BACnet_Slave_SetAccess_File), name).toStdString());
    return Row.Attribute(name);
}

void Read_Table(const TXMLNode& Root, const char* Table)
{
    const TXMLNode table = Root.FindChild(QString::fromLatin1(Table));
    if (table.IsNull())
        throw std::runtime_error(QStringLiteral("\"%1\" has no element \"%2\"")
                                     .arg(ExtractFileName(BACnet_Slave_SetAccess_File), QLatin1String(Table)).toStdString());
    for (TXMLNode row = table.FirstChild(); row; row = row.NextSibling()) {
        if (row.NodeType() != ntElement)
            continue;
        const Integer type = EDE_Object_Type_Code(Required(row, "Data_Type"));
        const QString mnemonic = EDE_Field_Text(Required(row, "Mnemonic"));
        auto obj = std::make_unique<TBACnet_EDE_Obj>();
        obj->DevObjInstance = EDE_Dev_Instance;
        obj->ObjectName = mnemonic.left(EDE_Long_Names ? 32 : 16);
        obj->ObjectType = IntToStr(type);
        obj->ObjectInstance = IntToStr(EDE_Next_Instance(type));
        obj->Keyname = EDE_Dev_Instance + u'_' + mnemonic + u'_' + obj->ObjectInstance;
        obj->Description = obj->ObjectName;
        obj->UnitCode = EDE_Field_Text(Required(row, "Eng_Unit"));
        EDE_Object_List.push_back(std::move(obj));
    }
}

} // namespace

Integer EDE_Object_Type_Code(const QString& Data_Type)
{
    const QString text = UpperCase(Trim(Data_Type));
    for (const auto& t : Object_Types)
        if (text == QLatin1String(t.Text))
            return t.Number;
    return 0;
}

Integer EDE_Next_Instance(Integer Object_Type)
{
    for (Integer i = 0; i < EDE_Type_Count; ++i)
        if (Object_Types[i].Number == Object_Type)
            return EDE_Instance_Counters[i]++;
    return EDE_Instance_Counters[0]++;
}

QString EDE_Timestamp_Text(TDateTime When)
{
    Word year, month, day, hour, minute, second, msec;
    DecodeDate(When, year, month, day);
    DecodeTime(When, hour, minute, second, msec);
    auto two = [](Word v) { return QStringLiteral("%1").arg(v, 2, 10, QChar(u'0')); };
    return two(hour) + u':' + two(minute) + u':' + two(second) + u' ' + two(day) + u'/' + two(month) + u'/' +
           QString::number(year);
}

QString EDE_Field_Text(const QString& Text)
{
    QString field = Text;
    for (QChar& c : field)
        if (c == u';' || c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return field;
}

void Reset_EDE_Instances()
{
    for (Integer& counter : EDE_Instance_Counters)
        counter = 0;
    EDE_Dev_Instance.clear();
}

void Read_EDE_ParGen()
{
    EDE_Long_Names = false;
    if (!FileExists(ParGen_File))
        return;
    TXMLDocument xml;
    const TXMLNode root = Load_Config_Root(xml, ParGen_File);
    const bool serial = Config_Integer(root, QStringLiteral("BACnet_Type"), 0) == 1;
    const TXMLNode instance =
        root.FindChild(serial ? QStringLiteral("BACnet_Ser_DEV_IDE") : QStringLiteral("BACnet_DEV_IDE"));
    if (!instance.IsNull())
        EDE_Dev_Instance = EDE_Field_Text(instance.Text());
    EDE_Long_Names = root.FindChild(QStringLiteral("BACnet_Desc_Chars_Limit")).Text() == QLatin1String("1");
}

void Read_EDE_Objects()
{
    if (!FileExists(BACnet_Slave_SetAccess_File))
        return;
    TXMLDocument xml;
    const TXMLNode root = Load_Config_Root(xml, BACnet_Slave_SetAccess_File);
    Read_Table(root, "BACnet_in_Read");
    Read_Table(root, "BACnet_in_Write");
}

void Write_EDE_Lines(const QString& Path, TDateTime When)
{
    TStringList lines;
    lines.Add(QStringLiteral("PROJECT_NAME; Velmora--") + EDE_Field_Text(Project_Name) + QStringLiteral(";;;;;;"));
    lines.Add(QStringLiteral("VERSION_OF_REFERENCEFILE;1.0;;;;;;"));
    lines.Add(QStringLiteral("TIMESTAMP_OF_LAST_CHANGE;") + EDE_Timestamp_Text(When) + QStringLiteral(";;;;;;"));
    lines.Add(QStringLiteral("AUTHOR_OF_LAST_CHANGE;Velmora;;;;;;"));
    lines.Add(QStringLiteral("VERSION_OF_LAYOUT;2;;;;;;"));
    lines.Add(QStringLiteral("# mandatory;mandatory;mandatory;mandatory;mandatory;optional;optional;"));
    lines.Add(QStringLiteral("# keyname;device obj.-instance;object-name;object-type;object-instance;description;unit-code;"));
    for (const auto& o : EDE_Object_List) {
        QString line;
        for (const QString* field : {&o->Keyname, &o->DevObjInstance, &o->ObjectName, &o->ObjectType,
                                     &o->ObjectInstance, &o->Description, &o->UnitCode})
            line += *field + u';';
        lines.Add(line);
    }
    Save_Text_Lines(lines, Path, TTextEncoding::ANSI);
}

void Write_EDE_File(const QString& Path)
{
    Write_EDE_File(Path, Now());
}

void Write_EDE_File(const QString& Path, TDateTime When)
{
    // The list lives for this write only, whatever ends it.
    struct TRelease {
        ~TRelease() { EDE_Object_List.clear(); }
    } release;
    EDE_Object_List.clear();
    Reset_EDE_Instances();
    Read_EDE_ParGen();
    Read_EDE_Objects();
    Write_EDE_Lines(Path, When);
}

QString EDE_File_Path(const QString& Chosen)
{
    if (UpperCase(Chosen).endsWith(QStringLiteral(".CSV")))
        return Chosen;
    return Chosen + QStringLiteral(".csv");
}

void BACnet_EDE_File(TSaveDialog& SD1)
{
    SD1.SetFilter(QStringLiteral("CSV (MS-DOS) (*.csv)|*.csv"));
    SD1.SetInitialDir(Project_Folder);
    if (!SD1.Execute())
        return;
    const QString path = EDE_File_Path(SD1.FileName());
    if (!Confirm_Overwrite(path, Language_Texts->Strings(1103), true))
        return;
    Run_Step([&] { Write_EDE_File(path); });
}
