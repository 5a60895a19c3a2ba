#pragma once
// What a window remembers of the last load of its configuration file, so
// that nothing the file held is lost without a word: a file that could not
// be read whole (not well-formed, a required value missing) is replaced by
// OK only after a question, and its unreadable original is kept beside it;
// rows that a table could not hold are reported when the window opens.
//
// Every window that loads and writes a configuration file keeps one.

#include <QString>
#include <QStringList>

#include "platform/Types.h"

class TConfig_File_Guard {
public:
    // A new opening of the window on the file at Path: nothing failed yet.
    void Begin(const QString& Path);
    // The file could not be read whole: the window shows less than it holds.
    void Set_Failed();
    bool Failed() const { return FFailed; }
    // Rows of the table named Table (as the user sees it) that the window
    // could not show, the table holding Capacity rows.
    void Left_Out(const QString& Table, Integer Rows, Integer Capacity);
    // After loading: one warning box naming every table whose rows were left
    // out; nothing when none was.
    void Report_Left_Out();
    // Before OK writes the file: true when it may be replaced. After a failed
    // load it asks first (Yes/No), and on Yes keeps the unreadable file
    // beside it under the first free name of <file>.bad, <file>.bad2 ...;
    // false on No, or when that copy cannot be made (reported).
    bool Confirm_Replace();

    // The name the unreadable file Path would be kept under.
    static QString Keep_Name(const QString& Path);

private:
    QString FPath;
    bool FFailed = false;
    QStringList FLeft_Out;
};

class TXMLNode;
// The element nodes among Node and its following siblings: the rows a table
// reader did not take when it stopped at Node.
Integer Count_Elements_From(TXMLNode Node);
