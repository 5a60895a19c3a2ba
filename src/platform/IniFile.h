#pragma once
// Settings files of "[section]" headers and "key=value" lines. Every call
// reads the file afresh, and every write rewrites it whole at once, so two
// TIniFile objects on one file always agree. Sections and keys match without
// regard to letter case; lines starting with ";" are comments.

#include <QString>

#include "Object.h"
#include "Types.h"

class TStrings;

class TIniFile : public TObject {
public:
    explicit TIniFile(const QString& FileName) : fileName_(FileName) {}
    QString ClassName() const override { return QStringLiteral("TIniFile"); }
    QString FileName() const { return fileName_; }

    // The value with blanks removed at both ends (and one pair of enclosing
    // double quotes), or Default when the key is missing.
    QString ReadString(const QString& Section, const QString& Ident, const QString& Default) const;
    // A decimal number, or hexadecimal after "$" or "0x"; Default when the
    // key is missing or holds anything else.
    Integer ReadInteger(const QString& Section, const QString& Ident, Integer Default) const;
    // An integer: 0 is false, any other true.
    bool ReadBool(const QString& Section, const QString& Ident, bool Default) const;

    // Each write changes or adds the key (and the section) and saves the
    // file; false, with the file unchanged, when it cannot be written.
    bool WriteString(const QString& Section, const QString& Ident, const QString& Value);
    bool WriteInteger(const QString& Section, const QString& Ident, Integer Value);
    bool WriteBool(const QString& Section, const QString& Ident, bool Value);

    bool SectionExists(const QString& Section) const;
    bool ValueExists(const QString& Section, const QString& Ident) const;
    // Fill Strings (emptied first) with the section names, a section's key
    // names, or its "key=value" lines.
    void ReadSections(TStrings* Strings) const;
    void ReadSection(const QString& Section, TStrings* Strings) const;
    void ReadSectionValues(const QString& Section, TStrings* Strings) const;
    bool EraseSection(const QString& Section);
    bool DeleteKey(const QString& Section, const QString& Ident);

private:
    QString fileName_;
};
