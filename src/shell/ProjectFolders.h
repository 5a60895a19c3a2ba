#pragma once
// The configuration folders under Projects_Folder: creating a new one and
// listing those that exist. The new and open dialogs stand on these.

#include "platform/Types.h"

#include <QString>
#include <QStringList>

class TStringList;

// Places the program's folders and makes those that are missing. Where the
// program's own folder (Exe_Folder) can be written, MASTER, PROJECTS and
// LANGUAGE stand beside the program and Data_Folder is Exe_Folder. Otherwise
// (a system-wide install) Data_Folder is UserFolder, the per-user data
// folder: PROJECTS goes there, and MASTER and LANGUAGE too unless the
// install brought them beside the program, where they are only read.
// Returns a message for each folder that could not be made; empty when all
// stand.
QStringList Make_Program_Folders(const QString& UserFolder);

// Creates the folder of a new configuration named Name (exactly as typed)
// with its bin sub-folder, makes it the open configuration and sets every
// file path. Returns 0 on success, else the number of the text to show:
// 107 for an empty name, 106 when a folder of that name exists already, in
// any letter case, 105 when the name is not one folder inside
// Projects_Folder ("." or "..", a path separator) or the folder cannot be
// created.
Integer Create_Project_Folder(const QString& Name);

// Name is one folder inside Projects_Folder, as a new configuration's name
// must be (not empty, not "." or "..", no path separator): what a name read
// from the settings file must be too.
bool Project_Name_Allowed(const QString& Name);

// Fills List with the names of the visible folders in Projects_Folder, in
// the order the folder listing gives them. An absent folder gives no names.
void List_Project_Folders(TStringList& List);

// Index of the name in List equal to Name; without one, of the first name
// equal to it with the letters a to z compared without regard to case
// (other characters exactly); -1 when none.
Integer Find_Project_Name(const TStringList& List, const QString& Name);
