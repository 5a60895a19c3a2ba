#pragma once
// Text helpers under the names the program uses: trimming, ASCII case,
// 1-based positions, number and Format texts, dates and times, and the
// conversion of text files' bytes to and from strings.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <initializer_list>

#include "Object.h"
#include "Types.h"

// ---------------------------------------------------------------------------
// Trimming and case

// Removes every character up to U+0020 (blanks and control characters).
QString Trim(const QString& S);
QString TrimLeft(const QString& S);
QString TrimRight(const QString& S);

// Only the ASCII letters change; every other character stays as it is.
QString UpperCase(const QString& S);
QString LowerCase(const QString& S);
// Every letter changes, by Unicode rules.
QString AnsiUpperCase(const QString& S);
QString AnsiLowerCase(const QString& S);

// Comparisons: < 0, 0 or > 0 by UTF-16 code units. CompareText ignores the
// case of ASCII letters only; AnsiCompareText ignores letter case fully.
int CompareStr(const QString& S1, const QString& S2);
int CompareText(const QString& S1, const QString& S2);
int AnsiCompareText(const QString& S1, const QString& S2);
bool SameText(const QString& S1, const QString& S2);
bool AnsiSameText(const QString& S1, const QString& S2);

// ---------------------------------------------------------------------------
// Positions count from 1

// Position of the first Substr in S, 0 when absent (and for an empty Substr).
Integer Pos(const QString& Substr, const QString& S);
// The same, searching from position Offset on; 0 when Offset is out of S.
Integer PosEx(const QString& Substr, const QString& S, Integer Offset = 1);
// Count characters from position Index; an Index below 1 counts as 1 and a
// Count running past the end stops there.
QString Copy(const QString& S, Integer Index, Integer Count);
// Removes Count characters of S from position Index; nothing when Index is
// outside S.
void Delete(QString& S, Integer Index, Integer Count);
// Puts Source into S before position Index (clamped to 1 .. length + 1).
void Insert(const QString& Source, QString& S, Integer Index);

// ---------------------------------------------------------------------------
// Numbers as text

QString IntToStr(Int64 Value);
// Upper-case hexadecimal with at least Digits digits; negative values as
// their 64-bit pattern.
QString IntToHex(Int64 Value, Integer Digits);
// The general number format: up to 15 significant digits, plain notation
// for decimal exponents -4 .. 14 and "1.5E20" / "1E-5" outside them, with
// FormatSettings()'s decimal separator; "NAN", "INF", "-INF".
QString FloatToStr(long double Value);

// One argument of Format: an integer, a floating-point number or a text.
class TVarRec {
public:
    enum class Kind { Integer, Unsigned, Float, String };
    TVarRec(int v) : kind_(Kind::Integer), i_(v) {}
    TVarRec(long v) : kind_(Kind::Integer), i_(v) {}
    TVarRec(long long v) : kind_(Kind::Integer), i_(v) {}
    TVarRec(unsigned v) : kind_(Kind::Unsigned), u_(v) {}
    TVarRec(unsigned long v) : kind_(Kind::Unsigned), u_(v) {}
    TVarRec(unsigned long long v) : kind_(Kind::Unsigned), u_(v) {}
    TVarRec(double v) : kind_(Kind::Float), f_(v) {}
    TVarRec(float v) : kind_(Kind::Float), f_(v) {}
    TVarRec(const QString& v) : kind_(Kind::String), s_(v) {}
    TVarRec(const char* v) : kind_(Kind::String), s_(QString::fromUtf8(v)) {}
    TVarRec(QChar v) : kind_(Kind::String), s_(v) {}
    TVarRec(bool) = delete; // a Boolean is no Format argument

    Kind kind() const { return kind_; }
    Int64 asInteger() const { return kind_ == Kind::Unsigned ? Int64(u_) : i_; }
    UInt64 asUnsigned() const { return kind_ == Kind::Unsigned ? u_ : UInt64(i_); }
    double asFloat() const { return f_; }
    const QString& asString() const { return s_; }

private:
    Kind kind_;
    Int64 i_ = 0;
    UInt64 u_ = 0;
    double f_ = 0;
    QString s_;
};

// Formats Args by Fmt. Specifiers: "%" [index ":"] ["-"] [width] ["." precision]
// type, with width and precision given as digits or "*" (taken from the
// arguments), and the types d (decimal), u (unsigned), x (upper-case
// hexadecimal), s (text), f (fixed), e (scientific), g (general), n (fixed
// with thousand separators); "%%" is one "%". For d, u and x the precision is
// the minimum number of digits, for s the maximum length, for f, e, g and n
// the number of decimals (e, g: significant digits). Floating-point output
// uses FormatSettings()'s separators. A specifier without its argument, an
// argument of the wrong kind or a malformed specifier raises EConvertError;
// arguments no specifier uses are ignored.
QString Format(const QString& Fmt, std::initializer_list<TVarRec> Args);

// ---------------------------------------------------------------------------
// Dates and times: days since 30 December 1899, the time as the fraction.

using TDateTime = double;

TDateTime Now();
TDateTime Date();
TDateTime Time();

// EncodeDate and EncodeTime raise EConvertError for an invalid date or time.
TDateTime EncodeDate(Word Year, Word Month, Word Day);
TDateTime EncodeTime(Word Hour, Word Min, Word Sec, Word MSec);
bool TryEncodeDate(Word Year, Word Month, Word Day, TDateTime& Result);
bool TryEncodeTime(Word Hour, Word Min, Word Sec, Word MSec, TDateTime& Result);
void DecodeDate(TDateTime DateTime, Word& Year, Word& Month, Word& Day);
void DecodeTime(TDateTime DateTime, Word& Hour, Word& Min, Word& Sec, Word& MSec);
// 1 = Sunday .. 7 = Saturday.
Integer DayOfWeek(TDateTime DateTime);

// Pattern letters: c (short date and long time), d, dd, ddd, dddd, ddddd
// (short date), dddddd (long date), m, mm, mmm, mmmm (minutes right after an
// h or hh), yy, yyyy, h, hh, n, nn, s, ss, z, zzz, t (short time), tt (long
// time), am/pm, a/p, ampm, "/" (date separator), ":" (time separator), and
// text in single or double quotes. Letters match in either case.
QString FormatDateTime(const QString& Fmt, TDateTime DateTime);
QString DateToStr(TDateTime DateTime);
QString TimeToStr(TDateTime DateTime);
QString DateTimeToStr(TDateTime DateTime);

// Read a date in the order of the short date pattern (day, month and year
// numbers between date separators; a missing year is this year), a time as
// hours, minutes, optional seconds and milliseconds with an optional AM/PM
// marker, and a date followed by a time. The Str... forms raise
// EConvertError for a text they cannot read.
bool TryStrToDate(const QString& S, TDateTime& Value);
bool TryStrToTime(const QString& S, TDateTime& Value);
bool TryStrToDateTime(const QString& S, TDateTime& Value);
TDateTime StrToDate(const QString& S);
TDateTime StrToTime(const QString& S);
TDateTime StrToDateTime(const QString& S);

// ---------------------------------------------------------------------------
// Bytes of text files

enum class TTextEncoding {
    ANSI,       // the 8-bit code page: Windows-1252
    UTF8,
    UTF16LE,
    UTF16BE,
};

// Decodes a text file's bytes: a byte-order mark selects UTF-8, UTF-16LE or
// UTF-16BE (and is dropped); without one the bytes are Windows-1252.
QString DecodeText(const QByteArray& Bytes, TTextEncoding* Found = nullptr);
// Encodes S, with the byte-order mark of a Unicode encoding when WithBOM. In
// ANSI a character outside Windows-1252 becomes "?".
QByteArray EncodeText(const QString& S, TTextEncoding Encoding, bool WithBOM);
// True when every character of S exists in Windows-1252.
bool FitsAnsi(const QString& S);
