#pragma once
// The user's regional settings as the program reads them: separators, date
// and time patterns and month and day names. They are taken from the
// system's locale once, on first use, and tests may change them.

#include <QString>
#include <array>

struct TFormatSettings {
    QChar DecimalSeparator = QLatin1Char('.');
    QChar ThousandSeparator = QLatin1Char(',');
    QChar DateSeparator = QLatin1Char('/');
    QChar TimeSeparator = QLatin1Char(':');
    // Between the values of a list (CSV): ";" where the decimal separator
    // is a comma, else ",".
    QChar ListSeparator = QLatin1Char(',');
    // Lengths in the metric system (else the US customary one).
    bool MetricMeasurement = true;
    // Patterns in the FormatDateTime notation (d, m, yyyy, h, nn, ss ...);
    // "/" and ":" in them stand for the two separators above.
    QString ShortDateFormat = QStringLiteral("dd/mm/yyyy");
    QString LongDateFormat = QStringLiteral("dddd, d mmmm yyyy");
    QString ShortTimeFormat = QStringLiteral("hh:nn");
    QString LongTimeFormat = QStringLiteral("hh:nn:ss");
    QString TimeAMString = QStringLiteral("AM");
    QString TimePMString = QStringLiteral("PM");
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    // Index 0 is Sunday.
    std::array<QString, 7> ShortDayNames;
    std::array<QString, 7> LongDayNames;
    // Two-digit years are read within this many years before today's year
    // and 100 - this many years after it.
    int TwoDigitYearCenturyWindow = 50;

    // English names and the patterns above.
    static TFormatSettings Invariant();
    // The system locale's separators, patterns and names.
    static TFormatSettings FromSystem();
};

// The process-wide settings; every conversion of the layer reads them at
// each use, so a change takes effect at once.
TFormatSettings& FormatSettings();

// The raw decimal-separator setting of the user's region (up to 3
// characters; empty when the system gives none).
QString RegionalDecimalSeparator();

// Replaces the regional decimal-separator setting (tests, or a user option);
// a non-empty value also becomes FormatSettings().DecimalSeparator.
void SetRegionalDecimalSeparator(const QString& Value);

// Back to the system's settings, for both the format settings and the
// regional decimal separator.
void ResetFormatSettings();
