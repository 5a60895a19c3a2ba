#include "Locale.h"

#include <QLocale>
#include <optional>

namespace {

const char* const kShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[12] = {"January", "February", "March", "April", "May", "June",
                                     "July", "August", "September", "October", "November", "December"};
const char* const kShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Turns a Qt date or time pattern into the FormatDateTime notation. The first
// separator found becomes `separator` and is written as `placeholder` (a
// null placeholder keeps every separator as it stands).
QString ConvertQtPattern(const QString& qt, QChar& separator, QChar placeholder)
{
    QString out;
    std::optional<QChar> found;
    for (qsizetype i = 0; i < qt.size();) {
        const QChar c = qt[i];
        qsizetype run = 1;
        while (i + run < qt.size() && qt[i + run] == c)
            ++run;
        if (c == QLatin1Char('\'')) {
            // Quoted text runs to the next single quote.
            const qsizetype end = qt.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? qt.size() : end + 1;
            out += qt.mid(i, stop - i);
            i = stop;
            continue;
        }
        if (c.isLetter()) {
            const char l = char(c.toLatin1());
            switch (l) {
            case 'd': out += QString(run, QLatin1Char('d')); break;
            case 'M': out += QString(run, QLatin1Char('m')); break;
            case 'y': out += run <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy"); break;
            case 'h': case 'H': out += QString(std::min<qsizetype>(run, 2), QLatin1Char('h')); break;
            case 'm': out += QString(std::min<qsizetype>(run, 2), QLatin1Char('n')); break;
            case 's': out += QString(std::min<qsizetype>(run, 2), QLatin1Char('s')); break;
            case 'z': out += run >= 3 ? QStringLiteral("zzz") : QStringLiteral("z"); break;
            case 'a': case 'A':
                if (i + run < qt.size() && qt[i + run].toLower() == QLatin1Char('p'))
                    ++run;
                out += QStringLiteral("ampm");
                break;
            default: break; // time zones and the like are left out
            }
            i += run;
            continue;
        }
        if (!placeholder.isNull() && !c.isSpace() && (!found || *found == c)) {
            found = c;
            out += QString(run, placeholder);
        } else {
            out += qt.mid(i, run);
        }
        i += run;
    }
    if (found)
        separator = *found;
    return out.trimmed();
}

struct LocaleState {
    TFormatSettings settings = TFormatSettings::FromSystem();
    QString regionalDecimal = QLocale::system().decimalPoint().left(3);
};

LocaleState& State()
{
    static LocaleState state;
    return state;
}

} // namespace

TFormatSettings TFormatSettings::Invariant()
{
    TFormatSettings s;
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = QString::fromLatin1(kShortMonths[i]);
        s.LongMonthNames[i] = QString::fromLatin1(kLongMonths[i]);
    }
    for (int i = 0; i < 7; ++i) {
        s.ShortDayNames[i] = QString::fromLatin1(kShortDays[i]);
        s.LongDayNames[i] = QString::fromLatin1(kLongDays[i]);
    }
    return s;
}

TFormatSettings TFormatSettings::FromSystem()
{
    TFormatSettings s = Invariant();
    const QLocale loc = QLocale::system();
    if (loc.language() == QLocale::C)
        return s;
    const QString dp = loc.decimalPoint();
    const QString gs = loc.groupSeparator();
    if (dp.size() == 1)
        s.DecimalSeparator = dp[0];
    if (gs.size() == 1)
        s.ThousandSeparator = gs[0];
    s.ListSeparator = s.DecimalSeparator == QLatin1Char(',') ? QLatin1Char(';') : QLatin1Char(',');
    s.MetricMeasurement = loc.measurementSystem() == QLocale::MetricSystem;

    QChar dateSep = s.DateSeparator;
    const QString shortDate = ConvertQtPattern(loc.dateFormat(QLocale::ShortFormat), dateSep, QLatin1Char('/'));
    // Only a numeric short date is usable for reading dates back.
    if (!shortDate.isEmpty() && !shortDate.contains(QStringLiteral("mmm"))) {
        s.ShortDateFormat = shortDate;
        s.DateSeparator = dateSep;
    }
    QChar unused;
    const QString longDate = ConvertQtPattern(loc.dateFormat(QLocale::LongFormat), unused, QChar());
    if (!longDate.isEmpty())
        s.LongDateFormat = longDate;

    QChar timeSep = s.TimeSeparator;
    const QString shortTime = ConvertQtPattern(loc.timeFormat(QLocale::ShortFormat), timeSep, QLatin1Char(':'));
    QChar timeSep2 = timeSep;
    const QString longTime = ConvertQtPattern(loc.timeFormat(QLocale::LongFormat), timeSep2, QLatin1Char(':'));
    if (!shortTime.isEmpty()) {
        s.ShortTimeFormat = shortTime;
        s.TimeSeparator = timeSep;
    }
    if (!longTime.isEmpty())
        s.LongTimeFormat = longTime;
    if (!loc.amText().isEmpty())
        s.TimeAMString = loc.amText();
    if (!loc.pmText().isEmpty())
        s.TimePMString = loc.pmText();
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = loc.monthName(i + 1, QLocale::ShortFormat);
        s.LongMonthNames[i] = loc.monthName(i + 1, QLocale::LongFormat);
    }
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i; // Qt counts Monday as 1
        s.ShortDayNames[i] = loc.dayName(qtDay, QLocale::ShortFormat);
        s.LongDayNames[i] = loc.dayName(qtDay, QLocale::LongFormat);
    }
    return s;
}

TFormatSettings& FormatSettings()
{
    return State().settings;
}

QString RegionalDecimalSeparator()
{
    return State().regionalDecimal;
}

void SetRegionalDecimalSeparator(const QString& Value)
{
    State().regionalDecimal = Value.left(3);
    if (!Value.isEmpty())
        State().settings.DecimalSeparator = Value[0];
}

void ResetFormatSettings()
{
    State() = LocaleState();
}
