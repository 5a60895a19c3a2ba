#pragma once
// The PROFINET device description (GSDML, schema 2.25) of the converter's
// PROFINET IO device: one fixed module whose input and output lengths and
// station name come from ParGen.xml.

#include "platform/Types.h"

#include <QString>

namespace UProfinetXML {
// Set by Read_PROFINET_Param before each write: bytes from the controller to
// the converter, bytes back, and the station name.
extern Integer PROFINET_NB_IN;
extern Integer PROFINET_NB_OUT;
extern QString PROFINET_NAME_STA;
// The lengths taken without ParGen.xml or its elements.
constexpr Integer Default_NB = 1438;
} // namespace UProfinetXML

// The step after the file-name dialog: asks the folder (the file keeps the
// name Name), asks text 4808 before overwriting an existing file, then
// writes it. Errors are shown in an error box.
void Create_GSDML_File(const QString& Name);

// Fills the three values from ParGen_File (1438, 1438 and "SERIAL" where it
// gives nothing). A ParGen.xml that is not well-formed raises
// std::runtime_error.
void Read_PROFINET_Param();

// Reads the values and writes the document at Path, replacing any file
// there; std::runtime_error when it cannot.
void Write_GSDML_File(const QString& Path);
