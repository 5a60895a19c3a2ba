#include "shell/ULanguage.h"

#include "shell/TextChecks.h"

namespace {

QString TrimCtl(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= 0x20)
        ++b;
    while (e > b && s[e - 1].unicode() <= 0x20)
        --e;
    return s.mid(b, e - b);
}

constexpr QChar kPilcrow = QChar(0x00B6);

} // namespace

bool Parse_Language_Line(const QString& Line, Integer Max, Integer& Index, QString& Text)
{
    const QString l = TrimCtl(Line);
    if (!l.startsWith(QLatin1String("STR")))
        return false;
    const qsizetype eq = l.indexOf(u'=');
    if (eq < 0)
        return false;
    // The number stands between "STR" and the character before the first
    // "=", which files keep for a blank.
    const QString number = eq - 4 > 0 ? TrimCtl(l.mid(3, eq - 4)) : QString();
    const Integer index = Text_To_Int(number, -1);
    if (index < 0 || index >= Max)
        return false;

    QString t = TrimCtl(l.mid(eq + 1));
    if (t.isEmpty())
        return false;
    const qsizetype comment = t.indexOf(QLatin1String("/#/"));
    if (comment >= 0) {
        t = TrimCtl(t.left(comment));
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
