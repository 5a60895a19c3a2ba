#include "plant/USNMP_MIB.h"

#include "shell/FileWriters.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/XmlDocument.h"

#include <memory>
#include <stdexcept>

Byte MIB_Int_Flags[2 * MIB_Side_Max] = {};

namespace {

// The maker's private enterprise number and the module's identity texts.
constexpr Integer Enterprise_Number = 59016;
const char* const Organization = "\"Velmora\"";
const char* const Contact = "\t \"Velmora - info@velmora.example\"";

TStringList& List(std::unique_ptr<TStringList>& L)
{
    if (!L)
        L = std::make_unique<TStringList>();
    return *L;
}

// The enabled rows of one table into List, their type flags from First.
void Read_Side(const TXMLNode& Root, const char* Table, TStringList& Descriptions, Integer First)
{
    for (TXMLNode row = Root.FindChild(QString::fromLatin1(Table)).FirstChild(); row; row = row.NextSibling()) {
        if (row.NodeType() != ntElement || row.NodeName() != QLatin1String("row"))
            continue;
        if (UpperCase(row.Attribute(QStringLiteral("Enable"))) != QLatin1String("Y"))
            continue;
        if (Descriptions.Count() >= MIB_Side_Max)
            break;
        const QString description = row.Attribute(QStringLiteral("Description"));
        // A MIB text has no way to hold a double quote: it would end the
        // DESCRIPTION (and the object's name) early and break the module.
        if (description.contains(u'"'))
            throw std::runtime_error(QStringLiteral("The Description %1 of \"%2\" holds a '\"', which a MIB cannot hold")
                                         .arg(description, ExtractFileName(SNMP_Trap_File))
                                         .toStdString());
        MIB_Int_Flags[First + Descriptions.Count()] =
            UpperCase(row.Attribute(QStringLiteral("Type"))) == QLatin1String("INT") ? 1 : 0;
        Descriptions.Add(description);
    }
}

// The object lines of one side: name, syntax and access, description, place.
void Objects(TStringList& Lines, const TStringList& Descriptions, Integer First, const QString& Fallback,
             const char* Kind, const char* Access, const QString& Parent)
{
    for (Integer i = 0; i < Descriptions.Count(); ++i) {
        const QString description = Descriptions[i];
        QString name;
        if (Fallback.isEmpty())
            name = QStringLiteral("trapval") + IntToStr(i + 1);
        else
            name = description.isEmpty() ? Fallback + IntToStr(i + 1) : description;
        const QString syntax = MIB_Int_Flags[First + i] == 1 ? QStringLiteral("INTEGER") : QStringLiteral("OCTET STRING");
        Lines.Add(name + u' ' + QLatin1String(Kind) + QStringLiteral(" SYNTAX ") + syntax + QStringLiteral(" MAX-ACCESS ") +
                  QLatin1String(Access) + QStringLiteral(" STATUS current DESCRIPTION \"") + description +
                  QStringLiteral("\" ::= { ") + Parent + u' ' + IntToStr(i + 1) + QStringLiteral(" }"));
    }
}

void Data_Blocks(TStringList& Lines, const char* Name, const char* Access)
{
    for (Integer k = 1; k <= 8; ++k)
        Lines.Add(QStringLiteral("%1blk%2 OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS %3 STATUS current DESCRIPTION "
                                 "\"data block n.%2\" ::= { %1 %2 }")
                      .arg(QLatin1String(Name))
                      .arg(k)
                      .arg(QLatin1String(Access)));
}

} // namespace

void Read_SNMP_Trap_Lists()
{
    TStringList& read = List(MIB_Read_List);
    TStringList& write = List(MIB_Write_List);
    read.Clear();
    write.Clear();
    if (!FileExists(SNMP_Trap_File))
        return;
    TXMLDocument xml;
    const TXMLNode root = Load_Config_Root(xml, SNMP_Trap_File);
    Read_Side(root, "SNMP_Trap_Read", read, 0);
    Read_Side(root, "SNMP_Trap_Write", write, MIB_Side_Max);
}

void Write_SNMP_MIB(const QString& FileName)
{
    const TStringList& read = List(MIB_Read_List);
    const TStringList& write = List(MIB_Write_List);
    TStringList lines;
    for (const char* line : {
             "GATEWAY DEFINITIONS ::= BEGIN", "IMPORTS", "       MODULE-IDENTITY,OBJECT-TYPE",
             "         FROM SNMPv2-SMI", "         DisplayString, TimeStamp", "         FROM SNMPv2-TC",
             "         enterprises", "         FROM RFC1155-SMI;", "", "identity MODULE-IDENTITY",
             "    LAST-UPDATED \"201701310000Z\""})
        lines.Add(QLatin1String(line));
    lines.Add(QStringLiteral("    ORGANIZATION ") + QLatin1String(Organization));
    lines.Add(QStringLiteral("    CONTACT-INFO"));
    lines.Add(QLatin1String(Contact));
    for (const char* line : {
             "    DESCRIPTION", "\t\"MIB objects for agent module \"", "    REVISION     \"201701310000Z\"",
             "    DESCRIPTION", "\t\"Corrected notification \"", "    REVISION     \"200202060000Z\"",
             "    DESCRIPTION", "\t\"First draft\"", "    ::= { velmora 2 }"})
        lines.Add(QLatin1String(line));
    lines.Add(QStringLiteral("velmora          OBJECT IDENTIFIER ::= { enterprises %1 }").arg(Enterprise_Number));
    for (const char* line : {
             "gateway OBJECT IDENTIFIER::= { velmora 1 }", "application OBJECT IDENTIFIER::= { gateway 1 }",
             "data OBJECT IDENTIFIER::= { application 1 }",
             "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 1}",
             "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION \"\" ::= { data 2}",
             "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION \"\" ::= { data 3}",
             "bufferin OBJECT IDENTIFIER::= { data 4 }"})
        lines.Add(QLatin1String(line));
    Data_Blocks(lines, "bufferin", "read-only");
    lines.Add(QStringLiteral(" bufferinval OBJECT IDENTIFIER::= { bufferin 9 }"));
    Objects(lines, read, 0, QStringLiteral("bufferinval"), "OBJECT-TYPE", "read-only", QStringLiteral("bufferinval"));
    lines.Add(QStringLiteral("bufferout OBJECT IDENTIFIER::= { data 5 }"));
    Data_Blocks(lines, "bufferout", "read-write");
    lines.Add(QStringLiteral(" bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }"));
    Objects(lines, write, MIB_Side_Max, QStringLiteral("bufferoutval"), "OBJECT-TYPE", "read-write",
            QStringLiteral("bufferoutval"));
    lines.Add(QStringLiteral("traps OBJECT IDENTIFIER::= { application 2 }"));
    lines.Add(QStringLiteral(" trapsval OBJECT IDENTIFIER::= { traps 1 }"));
    Objects(lines, read, 0, QString(), "NOTIFICATION-TYPE", "read-only", QStringLiteral("trapsval"));
    lines.Add(QStringLiteral("END"));
    Save_Text_Lines(lines, FileName, TTextEncoding::ANSI);
}

void Create_SNMP_MIB(TSaveDialog& SaveMIB)
{
    SaveMIB.SetDefaultExt(QStringLiteral("mib"));
    SaveMIB.SetFilter(QStringLiteral("Management Information Base (*.mib)|*.mib"));
    SaveMIB.SetInitialDir(Project_Folder);
    if (!SaveMIB.Execute())
        return;
    const QString path = SaveMIB.FileName();
    if (!Confirm_Overwrite(path, Language_Texts->Strings(1105)))
        return;
    Run_Step([&] {
        Read_SNMP_Trap_Lists();
        Write_SNMP_MIB(path);
    });
}
