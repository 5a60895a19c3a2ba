#pragma once
// The built-in English user-interface texts, by text number. Numbers that
// the table does not list hold the filler " " (one blank).

#include "platform/Types.h"

#include <cstddef>

struct TBuiltinText {
    Integer Index;
    const char16_t* Text;
};

extern const TBuiltinText Builtin_Texts[];
extern const std::size_t Builtin_Texts_Count;
