// Filter expressions: the matcher behind the grid's row filters and its
// wildcard find.
#include "ExUtil.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

const QChar Quote(u'"');
const QChar Blank(u' ');
constexpr qsizetype MaxOperand = 255;

// A decimal number as text-to-float conversions take it: sign, digits with
// an optional "." and an optional exponent, blanks around it allowed.
bool TextToFloat(const QString& Text, double& Value)
{
    const QString s = Text.trimmed();
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto digits = [&] {
        const qsizetype from = i;
        while (i < n && s.at(i) >= u'0' && s.at(i) <= u'9')
            ++i;
        return i - from;
    };
    if (i < n && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    qsizetype mantissa = digits();
    if (i < n && s.at(i) == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < n && (s.at(i) == u'e' || s.at(i) == u'E')) {
        ++i;
        if (i < n && (s.at(i) == u'+' || s.at(i) == u'-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    if (i != n)
        return false;
    bool ok = false;
    Value = s.toDouble(&ok);
    return ok;
}

// A whole text as a non-negative integer.
bool FieldValue(const QString& Text, Integer& Value)
{
    return TextToInteger(Text, Value) && Value >= 0;
}

// The operand of a comparison starting at From: blanks skipped, then up to a
// blank, "&" or "|" outside double quotes (a blank ends the operand only
// outside quotes), without a quote at its very start or end, at most 255
// characters.
QString ScanOperand(const QString& S, qsizetype From)
{
    qsizetype i = From;
    while (i < S.size() && S.at(i) == Blank)
        ++i;
    bool quoted = false;
    QString op;
    for (; i < S.size(); ++i) {
        const QChar c = S.at(i);
        if (c == Quote)
            quoted = !quoted;
        else if (!quoted && (c == Blank || c == u'&' || c == u'|'))
            break;
        op.append(c);
    }
    if (op.startsWith(Quote))
        op.remove(0, 1);
    if (op.endsWith(Quote))
        op.chop(1);
    return op.left(MaxOperand);
}

// One side of a comparison read as a number and as a date.
struct TSide {
    bool IsNumber = false;
    bool IsDate = false;
    double Number = 0;
    TDateTime Date = 0;
};

TSide ReadSide(const QString& Text)
{
    TSide side;
    side.IsDate = ParseLocaleDateTime(Text, side.Date);
    side.IsNumber = !side.IsDate && TextToFloat(NormalizeNumberText(Text), side.Number);
    return side;
}

// Sign of Value against Operand: numbers, then dates, then texts (at most
// 255 characters, by character codes).
int CompareSides(const QString& Value, const QString& Operand)
{
    const TSide v = ReadSide(Value);
    const TSide o = ReadSide(Operand);
    if (v.IsNumber && o.IsNumber)
        return v.Number < o.Number ? -1 : v.Number > o.Number ? 1 : 0;
    if (v.IsDate && o.IsDate)
        return v.Date < o.Date ? -1 : v.Date > o.Date ? 1 : 0;
    const int c = CompareStr(Value.left(MaxOperand), Operand.left(MaxOperand));
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// The wildcard walk of pattern S against V. "!" anywhere negates the walk
// it stands in, quotes are skipped, "?" takes one character, "*" (a run
// counts as one) tries the rest of the pattern at every later position of V.
// The rest after each star is evaluated for every position of V once, from
// the last star back to the first, so the walk needs neither recursion nor
// more than pattern length times text length steps.
class TPatternWalk {
public:
    TPatternWalk(const QString& S, const QString& V) : S_(S), V_(V) {}

    bool Match()
    {
        // Pattern positions right after each run of stars.
        std::vector<qsizetype> starEnds;
        for (qsizetype i = 0; i < S_.size();) {
            if (S_.at(i) != u'*') {
                ++i;
                continue;
            }
            while (i < S_.size() && S_.at(i) == u'*')
                ++i;
            starEnds.push_back(i);
        }
        // AnyFrom_[k]: the rest after the next star matches V from some
        // position k or later.
        const qsizetype n = V_.size();
        std::vector<char> rest(size_t(n + 1));
        for (auto j = starEnds.rbegin(); j != starEnds.rend(); ++j) {
            for (qsizetype k = 0; k <= n; ++k)
                rest[size_t(k)] = Segment(*j, k);
            AnyFrom_.assign(size_t(n + 2), 0);
            for (qsizetype k = n; k >= 0; --k)
                AnyFrom_[size_t(k)] = char(rest[size_t(k)] || AnyFrom_[size_t(k + 1)]);
        }
        return Segment(0, 0);
    }

private:
    // The walk from Si and Vi up to the end of the pattern or its next star.
    bool Segment(qsizetype Si, qsizetype Vi) const
    {
        bool negate = false;
        bool ok = true;
        while (Si < S_.size()) {
            const QChar c = S_.at(Si);
            if (c == u'!') {
                negate = true;
            } else if (c == u'*') {
                ok = AnyFrom_[size_t(Vi)] != 0;
                return negate ? !ok : ok;
            } else if (c == u'?') {
                if (Vi >= V_.size()) {
                    ok = false;
                    break;
                }
                ++Vi;
            } else if (c != Quote) {
                if (Vi >= V_.size() || V_.at(Vi) != c) {
                    ok = false;
                    break;
                }
                ++Vi;
            }
            ++Si;
        }
        if (ok)
            ok = Vi == V_.size();
        return negate ? !ok : ok;
    }

    const QString& S_;
    const QString& V_;
    std::vector<char> AnyFrom_;
};

// Combines Value into Result by the pending operator.
void Combine(bool& Result, QChar Pending, bool Value)
{
    if (Pending.isNull())
        Result = Value;
    else if (Pending == u'&')
        Result = Result && Value;
    else if (Pending == u';' || Pending == u'^' || Pending == u'|')
        Result = Result || Value;
}

} // namespace

QString RemoveBlanksOutsideQuotes(const QString& Text)
{
    QString r;
    r.reserve(Text.size());
    bool quoted = false;
    for (QChar c : Text) {
        if (c == Quote)
            quoted = !quoted;
        else if (c == Blank && !quoted)
            continue;
        r.append(c);
    }
    return r;
}

Integer FindClosingParen(const QString& Text)
{
    Integer open = 0, close = 0;
    bool quoted = false;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c == Quote)
            quoted = !quoted;
        if (quoted)
            continue;
        if (c == u'(')
            ++open;
        else if (c == u')' && ++close == open)
            return Integer(i + 1);
    }
    return 0;
}

QString NormalizeNumberText(const QString& Text)
{
    const QChar decimal = LocaleDecimalSeparator();
    const QChar thousand = LocaleThousandSeparator();
    QString r;
    r.reserve(Text.size());
    for (QChar c : Text) {
        if (c == decimal)
            r.append(u'.');
        else if (c != thousand)
            r.append(c);
    }
    return r;
}

bool ParseLocaleDateTime(const QString& Text, TDateTime& Value)
{
    // Where day, month and year stand: the order of their first letters in
    // the short date format.
    const QString format = LocaleShortDateFormat().toUpper();
    std::array<std::pair<qsizetype, char>, 3> order = {
        std::pair{format.indexOf(u'D'), 'D'}, std::pair{format.indexOf(u'M'), 'M'}, std::pair{format.indexOf(u'Y'), 'Y'}};
    for (auto& o : order)
        if (o.first < 0)
            o.first = format.size();
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    const QChar sep = LocaleDateSeparator();
    const qsizetype s1 = Text.indexOf(sep);
    if (s1 < 0)
        return false;
    const qsizetype s2 = Text.indexOf(sep, s1 + 1);
    if (s2 < 0)
        return false;
    QString third = Text.mid(s2 + 1).trimmed();
    QString timeText;
    if (const qsizetype blank = third.indexOf(Blank); blank >= 0) {
        timeText = third.mid(blank).trimmed();
        third = third.left(blank);
    }
    std::array<Integer, 3> fields{};
    if (!FieldValue(Text.left(s1), fields[0]) || !FieldValue(Text.mid(s1 + 1, s2 - s1 - 1), fields[1])
        || !FieldValue(third, fields[2]))
        return false;
    Integer day = 0, month = 0, year = 0;
    for (size_t i = 0; i < order.size(); ++i)
        (order[i].second == 'D' ? day : order[i].second == 'M' ? month : year) = fields[i];
    if (day > 31 || month > 12 || year > 65535)
        return false;
    TDateTime date = 0;
    if (!TryEncodeDate(Word(year), Word(month), Word(day), date))
        return false;
    Value = date;
    if (timeText.isEmpty())
        return true;

    const QChar timeSep = LocaleTimeSeparator();
    const qsizetype t1 = timeText.indexOf(timeSep);
    if (t1 < 0)
        return false; // the date alone is kept
    Integer hour = 0, minute = 0, second = 0;
    if (!FieldValue(timeText.left(t1), hour) || hour > 23)
        return false;
    const QString rest = timeText.mid(t1 + 1);
    if (const qsizetype t2 = rest.indexOf(timeSep); t2 >= 0) {
        if (!FieldValue(rest.left(t2), minute) || !FieldValue(rest.mid(t2 + 1), second) || second > 60)
            return false;
    } else if (!FieldValue(rest, minute)) {
        return false;
    }
    if (minute > 59)
        return false;
    TDateTime time = 0;
    if (!TryEncodeTime(Word(hour), Word(minute), Word(second), 0, time))
        return false;
    Value = date + time;
    return true;
}

bool MatchFilterCondition(const QString& S, const QString& V)
{
    bool greater = false, less = false;
    bool greaterPart = false, lessPart = false;

    if (const qsizetype g = S.indexOf(u'>'); g >= 0) {
        const bool orEqual = g + 1 < S.size() && S.at(g + 1) == u'=';
        const int c = CompareSides(V, ScanOperand(S, g + (orEqual ? 2 : 1)));
        greater = orEqual ? c >= 0 : c > 0;
        greaterPart = true;
    }
    if (const qsizetype l = S.indexOf(u'<'); l >= 0) {
        const bool orEqual = l + 1 < S.size() && S.at(l + 1) == u'=';
        const int c = CompareSides(V, ScanOperand(S, l + (orEqual ? 2 : 1)));
        less = orEqual ? c <= 0 : c < 0;
        lessPart = true;
    }
    // A negation counts as both comparisons holding, for those S lacks.
    if (S.contains(u'!')) {
        if (!greaterPart) {
            greaterPart = true;
            greater = true;
        }
        if (!lessPart) {
            lessPart = true;
            less = true;
        }
    }

    if (S.contains(u'^') && (greaterPart || lessPart))
        return greater || less;
    if (S.contains(u'&') && greaterPart && lessPart)
        return greater && less;
    if (S.contains(u'>') && greater)
        return true;
    if (S.contains(u'<') && less)
        return true;
    return TPatternWalk(S, V).Match();
}

bool MatchFilterText(const QString& SimpleCondition, const QString& Value, bool CaseSensitive)
{
    if (CaseSensitive)
        return MatchFilterCondition(SimpleCondition, Value);
    return MatchFilterCondition(AnsiUpperCase(SimpleCondition), AnsiUpperCase(Value));
}

namespace {

// Groups nested deeper than this do not match (the walk keeps its stack).
constexpr int MaxGroupDepth = 256;

bool MatchFilterAt(const QString& Condition, const QString& Value, bool CaseSensitive, int Depth)
{
    if (Depth > MaxGroupDepth)
        return false;
    QString cond = RemoveBlanksOutsideQuotes(Trim(Condition));
    if (cond.startsWith(u'='))
        cond.remove(0, 1);

    QChar pending;
    bool result = true;
    for (;;) {
        Integer pos = -1;
        const QChar found = FirstOfOutsideQuotes(QStringLiteral("(;^&|"), cond, pos);
        if (found.isNull())
            break;
        bool value = false;
        if (cond.startsWith(u'(')) {
            // A "(" without its ")" groups the rest of the condition.
            Integer close = FindClosingParen(cond);
            if (close == 0)
                close = Integer(cond.size()) + 1;
            value = MatchFilterAt(cond.mid(1, close - 2), Value, CaseSensitive, Depth + 1);
            cond.remove(0, close);
        } else {
            value = MatchFilterText(cond.left(pos - 1), Value, CaseSensitive);
            cond.remove(0, pos);
        }
        Combine(result, pending, value);
        pending = found;
    }
    const bool last = MatchFilterText(cond, Value, CaseSensitive);
    if (pending.isNull())
        return last;
    Combine(result, pending, last);
    return result;
}

} // namespace

bool MatchFilter(const QString& Condition, const QString& Value, bool CaseSensitive)
{
    return MatchFilterAt(Condition, Value, CaseSensitive, 0);
}
