#include "shell/Settings.h"

#include "shell/ProjectFolders.h"
#include "shell/UComon.h"

#include "platform/FileSystem.h"
#include "platform/XmlDocument.h"

namespace {

const QString kDefaultIPAddress = QStringLiteral("192.168.2.205");
const QString kDefaultLanguage = QStringLiteral("English");

// Text of root/group/leaf, or fallback when an element on the path is missing.
QString Leaf(const TXMLNode& root, const char* group, const char* leaf, const QString& fallback)
{
    const TXMLNode g = root.FindChild(QString::fromLatin1(group));
    const TXMLNode l = g.FindChild(QString::fromLatin1(leaf));
    return l ? l.Text() : fallback;
}

bool Flag(const TXMLNode& root, const char* leaf)
{
    return Leaf(root, "lastinternet", leaf, QString()) == QLatin1String("1");
}

void AddLeaf(TXMLNode group, const char* leaf, const QString& value)
{
    group.AddChild(QString::fromLatin1(leaf)).SetText(value);
}

QString FlagText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString Setting_File()
{
    // With the program's other data where its own folder cannot be written.
    return (Data_Folder.isEmpty() ? Exe_Folder : Data_Folder) + PathDelim + QStringLiteral("Arvinto.xml");
}

void Load_Setting()
{
    TXMLDocument xml;
    if (!FileExists(Setting_File()) || !xml.LoadFromFile(Setting_File())) {
        Project_Name.clear();
        Project_Folder.clear();
        Last_IP_Address = kDefaultIPAddress;
        Language_Name = kDefaultLanguage;
        Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = false;
        return;
    }
    // The document element is the root, whatever its name.
    const TXMLNode root = xml.Root();
    // A name New would refuse ("..", a path) could open a folder outside
    // PROJECTS: no configuration is reopened then.
    Project_Name = Leaf(root, "lastproj", "projectname", QString());
    if (!Project_Name_Allowed(Project_Name))
        Project_Name.clear();
    Last_IP_Address = Leaf(root, "lastipadd", "ipaddress", kDefaultIPAddress);
    Language_Name = Leaf(root, "lastlang", "language", kDefaultLanguage);
    Enable_Internet = Flag(root, "enable_internet");
    Enable_Update = Flag(root, "enable_update");
    Enable_Jump_Field_Tables = Flag(root, "enable_jump_field_tables");
    Double_Click_Auto_Size = Flag(root, "Double_Click_Auto_Size");
}

bool Save_Setting(QString* Error)
{
    TXMLDocument xml;
    xml.SetActive(true);
    xml.Clear();
    TXMLNode root = xml.AddChild(QStringLiteral("Conf_Settings"));
    AddLeaf(root.AddChild(QStringLiteral("lastproj")), "projectname", Project_Name);
    AddLeaf(root.AddChild(QStringLiteral("lastipadd")), "ipaddress", Last_IP_Address);
    AddLeaf(root.AddChild(QStringLiteral("lastlang")), "language", Language_Name);
    TXMLNode options = root.AddChild(QStringLiteral("lastinternet"));
    AddLeaf(options, "enable_internet", FlagText(Enable_Internet));
    AddLeaf(options, "enable_update", FlagText(Enable_Update));
    AddLeaf(options, "enable_jump_field_tables", FlagText(Enable_Jump_Field_Tables));
    AddLeaf(options, "Double_Click_Auto_Size", FlagText(Double_Click_Auto_Size));
    if (xml.SaveToFile(Setting_File()))
        return true;
    if (Error)
        *Error = xml.ErrorMessage();
    return false;
}
