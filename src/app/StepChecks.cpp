#include "app/StepChecks.h"

#include "shell/TextChecks.h"
#include "shell/UComon.h"

#include "platform/FileSystem.h"
#include "platform/XmlDocument.h"

#include <stdexcept>

namespace {

// Loads FileName into XML and returns its document element.
TXMLNode Load_Root(TXMLDocument& XML, const QString& FileName)
{
    XML.SetActive(true);
    if (!XML.LoadFromFile(FileName))
        throw std::runtime_error(XML.ErrorMessage().toStdString());
    return XML.Root();
}

// An integer element of ParGen_File, Fallback without the file or element.
Integer ParGen_Integer(TXMLDocument& XML, const QString& Element, Integer Fallback)
{
    if (!FileExists(ParGen_File))
        return Fallback;
    return Text_To_Int(Load_Root(XML, ParGen_File).FindChild(Element).Text(), Fallback);
}

} // namespace

bool Check_Config_LoraWAN(TXMLDocument& XML1)
{
    const Integer payload = ParGen_Integer(XML1, QStringLiteral("LoRa_Payload_Size"), 0);
    if (!FileExists(LoRaWAN_SetAccess_File))
        return true;
    // A file without the uplink table has no rule to check.
    const TXMLNode uplink = Load_Root(XML1, LoRaWAN_SetAccess_File).FindChild(QStringLiteral("LoRaWAN_Uplink"));
    for (TXMLNode rule = uplink.FirstChild(); rule; rule = rule.NextSibling()) {
        if (rule.Attribute(QStringLiteral("Enable")) != QLatin1String("Y"))
            continue;
        const Integer numByte = Text_To_Int(rule.Attribute(QStringLiteral("NumByte")), -1);
        if (numByte < 0 || numByte > payload - 2)
            return false;
    }
    return true;
}

Integer Get_Type_BACnet(TXMLDocument& XML1)
{
    return ParGen_Integer(XML1, QStringLiteral("BACnet_Master_Type"), 0);
}
