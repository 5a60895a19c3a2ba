#pragma once
// Text n of the language list for the BACnet windows (empty past its end).

#include "shell/ULanguage.h"
#include "platform/StringList.h"

inline QString BACnet_Lang(Integer n)
{
    return Language_Texts && n >= 0 && n < Language_Texts->Count() ? Language_Texts->Strings(n) : QString();
}
