#pragma once
// The PROFIBUS DP device description (GSD, revision 5) of the converter's
// PROFIBUS slave: fixed text around the module list and slot list that
// follow from the two byte counts of ParGen.xml.

#include "platform/Types.h"

#include <QString>

namespace UProfibus_GSD {
// Byte counts of the one run, as read from ParGen.xml: what the master
// writes to the converter (its output data) and what the converter returns
// (the master's input data).
extern Integer PROFINET_NB_IN;
extern Integer PROFINET_NB_OUT;
// Bytes one module carries at the most.
constexpr Integer Module_Bytes = 64;
} // namespace UProfibus_GSD

// The step: needs ParGen.xml (else text 1104), reads the two counts, asks
// the file name (".gsd" added when missing) and, for an existing file,
// whether to overwrite it (text 1103), then writes the file. Errors are
// shown in an error box.
void Create_GSD_File();

// The file name the chosen name stands for: the name itself when it ends in
// ".gsd" in any letter case, else the name with ".gsd" added.
QString GSD_File_Path(const QString& Chosen);

// Builds the text from the two counts and saves it at Path, replacing any
// file there; std::runtime_error when it cannot be written.
void Write_GSD_File(const QString& Path);
