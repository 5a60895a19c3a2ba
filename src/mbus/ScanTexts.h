#pragma once
// Text n of the language list for the scan window and its dialogs; the
// empty text while the list is not there or is shorter.

#include <QString>

#include "platform/Types.h"

QString Scan_Lang(Integer n);
