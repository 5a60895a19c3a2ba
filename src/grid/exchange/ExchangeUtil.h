#pragma once
// Helpers shared by the grid's file exchanges.

#include <QString>

#include "platform/Form.h"

class TStringList;

// Shows the hourglass over the program while it lives; the former cursor
// comes back also when the work fails.
class THourGlass {
public:
    THourGlass() : FOld(Screen != nullptr ? Screen->Cursor() : crDefault)
    {
        if (Screen != nullptr)
            Screen->SetCursor(crHourGlass);
    }
    ~THourGlass()
    {
        if (Screen != nullptr)
            Screen->SetCursor(FOld);
    }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;

private:
    TCursor FOld;
};

// Saves a text file whole: UTF-16 with byte-order mark for Unicode, else the
// 8-bit code page (UTF-8 with byte-order mark when the text does not fit
// it, so that nothing is lost). Raises EFCreateError.
void SaveExchangeLines(const TStringList& Lines, const QString& FileName, bool Unicode);
// Reads a text file's lines (a byte-order mark selects the encoding).
// Raises EFOpenError.
void LoadExchangeLines(TStringList& Lines, const QString& FileName);
// The plain text of a rich text (paragraphs as CR LF).
QString RichTextToPlain(const QString& Rtf);
