#include "mbus/ScanTexts.h"

#include "platform/StringList.h"
#include "shell/ULanguage.h"

QString Scan_Lang(Integer n)
{
    return Language_Texts && n >= 0 && n < Language_Texts->Count() ? Language_Texts->Strings(n) : QString();
}
