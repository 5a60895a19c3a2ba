#pragma once
// The configuration folders under Projects_Folder: creating a new one and
// listing those that exist. The new and open dialogs stand on these.

#include "platform/Types.h"

#include <QString>

class TStringList;

// Creates the folder of a new configuration named Name (exactly as typed)
// with its bin sub-folder, makes it the open configuration and sets every
// file path. Returns 0 on success, else the number of the text to show:
// 107 for an empty name, 106 when the folder exists already, 105 when the
// name is not one folder inside Projects_Folder ("." or "..", a path
// separator) or the folder cannot be created.
Integer Create_Project_Folder(const QString& Name);

// Fills List with the names of the visible folders in Projects_Folder, in
// the order the folder listing gives them. An absent folder gives no names.
void List_Project_Folders(TStringList& List);

// Index of the first name in List equal to Name with the letters a to z
// compared without regard to case (other characters exactly), -1 when none.
Integer Find_Project_Name(const TStringList& List, const QString& Name);
