#pragma once
// The system's default sound, which controls play when they refuse a key.
// Tests count the beeps instead of hearing them.

#include "platform/Types.h"

// Plays the sound of the given kind (0: the default beep); silent without a screen.
void MessageBeep(Cardinal Type);

namespace BeepSeam {
// Beeps since the start or the last Reset.
Integer Count();
void Reset();
} // namespace BeepSeam
