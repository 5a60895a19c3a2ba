#pragma once
// Text helpers of the compiler's readers: the shared trimming, case, integer
// reading and text checks, and the one combination the code tables use.

#include <QString>

#include "platform/Text.h"
#include "platform/Types.h"
#include "shell/TextChecks.h"

// Upper-cased (ASCII letters only), then trimmed of blanks and control characters.
inline QString Trim_Upper(const QString& text) { return Trim(UpperCase(text)); }
