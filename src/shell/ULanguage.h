#pragma once
// The list of user-interface texts, taken by number: filled with the
// built-in English texts and then overwritten, entry by entry, from the
// language file the user chose (LANGUAGE/<language>.lng). Text n of every
// window is Language_Texts->Strings(n).

#include "platform/Types.h"

#include <QString>
#include <memory>

class TStringList;

// The texts, 6400 entries after any load. Created by the main window at
// start-up (Load_Default_Texts creates it when nobody has).
extern std::unique_ptr<TStringList> Language_Texts;
// Number of slots (6400) once the built-in texts are in place.
extern Integer Max_Text_Index;

// Empties the list and puts the built-in English texts in it.
void Load_Default_Texts();

// Overwrites entries from a language file; lines that set nothing are
// skipped. False (and Error) when the file cannot be read, the texts then
// staying as they were.
bool Load_Language_File(const QString& FileName, QString* Error = nullptr);

// The file of a language in Language_Folder: Name + ".lng", the extension
// (and, where no file has the name exactly, the whole name) in any letter
// case; empty when there is none.
QString Language_File(const QString& Name);

// The built-in texts, then the file of Language_Name from Language_Folder.
// Without that file the language becomes "English" and English.lng is read
// when present. A file that is there but cannot be read is said in an error
// box; the built-in texts then stay.
void Load_Language();

// Reads one line of a language file, "STR" + number + " =" + text. True, with
// the number and the text, when the line sets an entry below Max; false for
// any other line (comments, blank lines, bad numbers, empty texts).
bool Parse_Language_Line(const QString& Line, Integer Max, Integer& Index, QString& Text);

// Text n of the list; empty beyond it or before the list exists.
QString Lang_Text(Integer n);
