#pragma once
// Text helpers of the compiler's readers.
// TEMPORARY: forwarders to the shared helpers once they land on main.

#include <QString>

#include "platform/Text.h"
#include "platform/Types.h"
#include "shell/TextChecks.h"

// Upper-cased (ASCII letters only), then trimmed of blanks and control characters.
inline QString Trim_Upper(const QString& text) { return Trim(UpperCase(text)); }

inline bool Bin_Text_To_Float(const QString& text, QChar separator, float& value)
{
    QString t = text;
    t.replace(separator == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.'), separator);
    if (separator == QLatin1Char(','))
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const float f = t.toFloat(&ok);
    value = ok ? f : 1.0f;
    return ok;
}

inline QChar Bin_Decimal_Separator() { return QLatin1Char('.'); }
