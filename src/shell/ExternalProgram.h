#pragma once
// The runner of external programs (the updater): starts a program and holds
// the calling thread until it ends, looking every 10 ms, for a limited time.

#include "platform/Types.h"

#include <QString>

// Longest wait for the started program, in milliseconds.
inline constexpr Integer Start_Program_Limit_Ms = 150000;

// Starts NomeSW (full path) with the command-line text Parameter, hidden when
// tipo is true, and waits until it ends or LimitMs have passed; a program
// still running then is left running. No window messages are processed while
// waiting. A program that cannot be started ends the call at once. The
// caller learns nothing of the outcome.
void Start_Program(const QString& NomeSW, const QString& Parameter, bool tipo, Integer LimitMs = Start_Program_Limit_Ms);
