#pragma once
// The list of user-interface texts, taken by number: filled with the
// built-in English texts and then overwritten, entry by entry, from the
// language file the user chose (LANGUAGE/<language>.lng).

#include "platform/Types.h"

#include <QString>

// Reads one line of a language file, "STR" + number + " =" + text. True, with
// the number and the text, when the line sets an entry below Max; false for
// any other line (comments, blank lines, bad numbers, empty texts).
bool Parse_Language_Line(const QString& Line, Integer Max, Integer& Index, QString& Text);
