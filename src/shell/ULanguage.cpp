#include "shell/ULanguage.h"

#include "shell/BuiltinTexts.h"
#include "shell/TextChecks.h"
#include "shell/UComon.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"
#include "platform/Text.h"

#include <QtGlobal>

std::unique_ptr<TStringList> Language_Texts;
Integer Max_Text_Index = 0;

namespace {

constexpr QChar kPilcrow = QChar(0x00B6);
constexpr Integer kTextSlots = 6400;

} // namespace

bool Parse_Language_Line(const QString& Line, Integer Max, Integer& Index, QString& Text)
{
    const QString l = Trim(Line);
    if (!l.startsWith(QLatin1String("STR")))
        return false;
    const qsizetype eq = l.indexOf(u'=');
    if (eq < 0)
        return false;
    // The number stands between "STR" and the character before the first
    // "=", which files keep for a blank.
    const QString number = eq - 4 > 0 ? Trim(l.mid(3, eq - 4)) : QString();
    const Integer index = Text_To_Int(number, -1);
    if (index < 0 || index >= Max)
        return false;

    QString t = Trim(l.mid(eq + 1));
    if (t.isEmpty())
        return false;
    const qsizetype comment = t.indexOf(QLatin1String("/#/"));
    if (comment >= 0) {
        t = Trim(t.left(comment));
        // Nothing but a comment: the entry keeps its text.
        if (t.isEmpty())
            return false;
    }
    // "¶" quotes a text whose blanks must survive; a lone "¶" is the empty text.
    if (t.startsWith(kPilcrow))
        t.remove(0, 1);
    const qsizetype end = t.indexOf(kPilcrow);
    if (end >= 0)
        t.truncate(end);
    Index = index;
    Text = t;
    return true;
}

void Load_Default_Texts()
{
    if (!Language_Texts)
        Language_Texts = std::make_unique<TStringList>();
    TStringList& texts = *Language_Texts;
    texts.BeginUpdate();
    texts.Clear();
    const QString filler = QStringLiteral(" ");
    for (Integer i = 0; i < kTextSlots; ++i)
        texts.Add(filler);
    for (std::size_t i = 0; i < Builtin_Texts_Count; ++i)
        texts.SetStrings(Builtin_Texts[i].Index, QString::fromUtf16(Builtin_Texts[i].Text));
    texts.EndUpdate();
    Max_Text_Index = kTextSlots;
}

bool Load_Language_File(const QString& FileName, QString* Error)
{
    TStringList lines;
    QString error;
    if (!lines.LoadFromFile(FileName, &error)) {
        qWarning("Language file %s not read: %s", qUtf8Printable(FileName), qUtf8Printable(error));
        if (Error)
            *Error = error;
        return false;
    }
    if (!Language_Texts)
        Load_Default_Texts();
    const Integer count = std::min(Max_Text_Index, Language_Texts->Count());
    Integer index = 0;
    QString text;
    for (Integer i = 0; i < lines.Count(); ++i)
        if (Parse_Language_Line(lines.Strings(i), count, index, text))
            Language_Texts->SetStrings(index, text);
    return true;
}

QString Language_File(const QString& Name)
{
    const QString wanted = Name + QStringLiteral(".lng");
    const QString exact = Language_Folder + PathDelim + wanted;
    if (FileExists(exact))
        return exact;
    // The options dialog lists "*.lng" without regard to letter case, so a
    // language it offers may stand in a file named "Deutsch.LNG".
    QString found;
    TSearchRec F;
    if (FindFirst(Language_Folder + PathDelim + QStringLiteral("*.lng"), faAnyFile & ~faDirectory, F) == 0) {
        do {
            if ((F.Attr & faDirectory) == 0 && CompareText(F.Name, wanted) == 0)
                found = Language_Folder + PathDelim + F.Name;
        } while (found.isEmpty() && FindNext(F) == 0);
    }
    FindClose(F);
    return found;
}

namespace {

// Reads a language file; one that cannot be read is said in an error box,
// and the texts stay as they were (the built-in ones at least).
void Load_Or_Report(const QString& FileName)
{
    QString error;
    if (!Load_Language_File(FileName, &error))
        MessageDlg(QStringLiteral("The language file \"%1\" cannot be read: %2").arg(FileName, error), mtError, mbOK);
}

} // namespace

void Load_Language()
{
    Load_Default_Texts();
    const QString chosen = Language_File(Language_Name);
    if (!chosen.isEmpty()) {
        Load_Or_Report(chosen);
        return;
    }
    Language_Name = QStringLiteral("English");
    const QString english = Language_File(Language_Name);
    if (!english.isEmpty())
        Load_Or_Report(english);
}

QString Lang_Text(Integer n)
{
    return Language_Texts && n >= 0 && n < Language_Texts->Count() ? Language_Texts->Strings(n) : QString();
}
