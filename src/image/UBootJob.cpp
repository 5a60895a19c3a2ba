// The updater's job file: the converter's address, ports and protection
// value, then one operation per file to load (firmware image, bank 1, bank 2)
// with its start address and flags. The updater is started without
// arguments, so this file is everything it gets.
#include "image/UBoot.h"

#include "platform/FileSystem.h"
#include "platform/StdControls.h"
#include "platform/XmlDocument.h"
#include "shell/UComon.h"

namespace {

// What tells the three kinds of operation apart.
struct TJob_Operation {
    QString FileName;
    const char* Start_Address;
    const char* Bank_Type;
    const char* Write_CSS;
    const char* Write_Internal_Data;
    bool GoToApp_After;
};

void Add_Text(TXMLNode parent, const char* name, const QString& text)
{
    parent.AddChild(QLatin1String(name)).SetText(text);
}

void Add_Text(TXMLNode parent, const char* name, const char* text)
{
    Add_Text(parent, name, QLatin1String(text));
}

void Add_Operation(TXMLNode operations, const TJob_Operation& op, bool read_back)
{
    TXMLNode o = operations.AddChild(QStringLiteral("Operation"));
    Add_Text(o, "Ope_Protection_Enabled", "");
    Add_Text(o, "Ope_GoToBoot_Before", "0");
    Add_Text(o, "Ope_GoToApp_Before", "0");
    Add_Text(o, "Ope_IP_Address", "");
    Add_Text(o, "Ope_Port", "2008");
    Add_Text(o, "Ope_Port_Sec", "2007");
    Add_Text(o, "Ope_Erase_Memory", "0");
    Add_Text(o, "Ope_FileName", op.FileName);
    Add_Text(o, "Ope_Start_Address", op.Start_Address);
    Add_Text(o, "Ope_Memory_Type", "0");
    Add_Text(o, "Ope_Bank_Type", op.Bank_Type);
    Add_Text(o, "Ope_Read_Back", read_back ? "1" : "0");
    Add_Text(o, "Ope_Write_CSS", op.Write_CSS);
    Add_Text(o, "Ope_Address_CSS", "0x07A00");
    Add_Text(o, "Ope_Command_CSS", "0x02");
    Add_Text(o, "Ope_Write_Internal_Data", op.Write_Internal_Data);
    Add_Text(o, "Ope_WID_Address", "0x07810");
    Add_Text(o, "Ope_WID_Command", "0x02");
    Add_Text(o, "Ope_WID_Data", "0x00, 0x00, 0x00, 0x01");
    Add_Text(o, "Ope_GoToApp_After", op.GoToApp_After ? "1" : "0");
}

} // namespace

QString TFBoot::Job_File_Name()
{
    return Exe_Folder + PathDelim + QStringLiteral("Ethernet_Update.xml");
}

bool TFBoot::Compile_XML_Parameter_New_Boot(QString* Error)
{
    const Integer option = CB_Update_Options->ItemIndex();
    const bool read_back = CB_Update_Option_Read_Back->Checked();

    XML1->SetActive(true);
    XML1->Clear();
    TXMLNode root = XML1->AddChild(QStringLiteral("Ethernet_Update"));
    Add_Text(root, "Version", "1000");
    Add_Text(root, "Title", "Velmora - SW59D16 Ethernet Update");
    Add_Text(root, "IP_Address_Dev", IP_Address_Text());
    Add_Text(root, "Application_Port", "10000");
    Add_Text(root, "Boot_Port", "2008");
    Add_Text(root, "Boot_Port_Sec", "2007");
    Add_Text(root, "Address_Protection", "0x07800");
    Add_Text(root.AddChild(QStringLiteral("Protections")), "Protection", BACnetType == 1 ? "0x302" : "0x301");
    TXMLNode operations = root.AddChild(QStringLiteral("Operations"));

    if (option == Update_Option_Firmware_Configuration || option == Update_Option_Firmware)
        Add_Operation(operations,
                      {Master_Folder + PathDelim + QStringLiteral("Sim59D16.sim"), "0x8000", "1", "1", "0",
                       option == Update_Option_Firmware},
                      read_back);
    if (option == Update_Option_Firmware_Configuration || option == Update_Option_Configuration) {
        const QString bin = Project_Folder + PathDelim + QStringLiteral("bin") + PathDelim;
        Add_Operation(operations, {bin + QStringLiteral("bank1.bin"), "0x07000", "2", "0", "1", false}, read_back);
        Add_Operation(operations, {bin + QStringLiteral("bank2.bin"), "0x80000", "2", "0", "0", true}, read_back);
    }

    if (XML1->SaveToFile(Job_File_Name()))
        return true;
    if (Error != nullptr)
        *Error = XML1->ErrorMessage();
    return false;
}
