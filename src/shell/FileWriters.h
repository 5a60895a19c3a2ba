#pragma once
// What the writers of the device-description files share: loading a
// configuration file whose failure ends the step, saving a text file whole,
// the question before overwriting a file, and a step whose errors are shown
// to the user in an error box while the program goes on.

#include "platform/Text.h"
#include "platform/Types.h"
#include "platform/XmlDocument.h"

#include <QString>
#include <functional>

class TStrings;

// Loads FileName into Document and returns its document element, the
// root. A file that cannot be read or is not well-formed raises
// std::runtime_error with the reason.
TXMLNode Load_Config_Root(TXMLDocument& Document, const QString& FileName);

// The integer text of the root's child element Name, Fallback when the
// element is missing or its text is no integer.
Integer Config_Integer(const TXMLNode& Root, const QString& Name, Integer Fallback);

// Saves Lines (each followed by CR LF) whole in Encoding; the old file stays
// when that fails, and std::runtime_error says why.
void Save_Text_Lines(const TStrings& Lines, const QString& FileName, TTextEncoding Encoding);

// True when FileName does not exist, or when the user answers Yes to the
// question (question icon; Yes and No, or Yes, No and Cancel with WithCancel).
bool Confirm_Overwrite(const QString& FileName, const QString& Question, bool WithCancel = false);

// Runs Step; an error it raises ends it with an error box that shows the
// error's message, and the program goes on.
void Run_Step(const std::function<void()>& Step);
