#pragma once
// The program's settings file, Arvinto.xml beside the program: the last
// configuration, the converter's last address, the language and the four
// option flags.
//
//   <Conf_Settings>
//     <lastproj><projectname/></lastproj>
//     <lastipadd><ipaddress/></lastipadd>
//     <lastlang><language/></lastlang>
//     <lastinternet><enable_internet/><enable_update/>
//       <enable_jump_field_tables/><Double_Click_Auto_Size/></lastinternet>
//   </Conf_Settings>

#include <QString>

// Path of the settings file: Data_Folder (Exe_Folder until it is set) +
// "/Arvinto.xml".
QString Setting_File();

// Reads the settings file into Project_Name, Last_IP_Address, Language_Name
// and the four flags. A missing value takes its default (empty name,
// "192.168.2.205", "English", flags off); a missing, empty or unreadable file
// gives every default and closes the configuration (Project_Folder empty).
void Load_Setting();

// Writes the settings file whole from the state. False (and Error) when it
// cannot be written; the old file then stays as it was.
bool Save_Setting(QString* Error = nullptr);
