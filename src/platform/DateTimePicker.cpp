// The date-time picker edits its fields itself (Qt's date edit commits a
// field at its first digit and moves on by itself, which a picker that
// advances only when told cannot use); its window is a widget that paints
// the fields, and its drop-down is Qt's calendar in a popup window.

#include "platform/DateTimePicker.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLocale>
#include <QPushButton>
#include <QTextCharFormat>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QVBoxLayout>
#include <QWidget>
#include <cmath>

#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/Locale.h"
#include "platform/Text.h"
#include "platform/WidgetBridge.h"

namespace {

enum TFieldKind { fkLiteral, fkDay, fkDayName, fkMonth, fkMonthName, fkYear, fkHour12, fkHour24, fkMinute, fkSecond, fkAmPm };

constexpr Integer CheckSize = 13;

QDate ToQDate(TDateTime v)
{
    return QDate(1899, 12, 30).addDays(qint64(std::floor(v)));
}

TDateTime FromQDate(const QDate& d)
{
    return TDateTime(QDate(1899, 12, 30).daysTo(d));
}

Word DaysIn(Word year, Word month)
{
    return Word(QDate(year, month, 1).daysInMonth());
}

TDateTime Compose(Integer y, Integer m, Integer d, Integer h, Integer n, Integer s)
{
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(Word(y), Word(m), Word(d), date) || !TryEncodeTime(Word(h), Word(n), Word(s), 0, time))
        return std::nan("");
    return date < 0 ? date - time : date + time;
}

Integer Wrap(Integer v, Integer lo, Integer hi)
{
    const Integer range = hi - lo + 1;
    return ((v - lo) % range + range) % range + lo;
}

QString Quoted(const QString& s)
{
    return QLatin1Char('\'') + QString(s).replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

// A pattern of the format settings (FormatDateTime's letters, "/" and ":"
// for the separators) in the picker's letters.
QString PickerPattern(const QString& f)
{
    const TFormatSettings& fs = FormatSettings();
    const QString lower = f.toLower();
    const bool twelve = lower.contains(QStringLiteral("am/pm")) || lower.contains(QStringLiteral("a/p")) || lower.contains(QStringLiteral("ampm"));
    QString out;
    QString text;  // literal text waiting to be quoted as one
    auto field = [&](const QString& letters) {
        if (!text.isEmpty())
            out += Quoted(text);
        text.clear();
        out += letters;
    };
    bool afterHour = false;
    for (qsizetype i = 0; i < f.size();) {
        const QChar c = f[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype j = f.indexOf(c, i + 1);
            if (j < 0)
                j = f.size();
            text += f.mid(i + 1, j - i - 1);
            i = j + 1;
            continue;
        }
        if (lower.mid(i, 5) == QLatin1String("am/pm") || lower.mid(i, 4) == QLatin1String("ampm")) {
            field(QStringLiteral("tt"));
            i += lower.mid(i, 5) == QLatin1String("am/pm") ? 5 : 4;
            continue;
        }
        if (lower.mid(i, 3) == QLatin1String("a/p")) {
            field(QStringLiteral("t"));
            i += 3;
            continue;
        }
        const QChar lc = c.toLower();
        qsizetype n = 1;
        while (i + n < f.size() && f[i + n].toLower() == lc)
            ++n;
        switch (lc.unicode()) {
        case 'd': field(n >= 4 ? QStringLiteral("dddd") : QString(n, QLatin1Char('d'))); afterHour = false; break;
        case 'm':
            if (afterHour) {
                field(n >= 2 ? QStringLiteral("mm") : QStringLiteral("m"));
                afterHour = false;
            } else {
                field(n >= 4 ? QStringLiteral("MMMM") : QString(n, QLatin1Char('M')));
            }
            break;
        case 'n': field(n >= 2 ? QStringLiteral("mm") : QStringLiteral("m")); afterHour = false; break;
        case 'y': field(n <= 2 ? QStringLiteral("yy") : QStringLiteral("yyyy")); afterHour = false; break;
        case 'h': field(QString(std::min<qsizetype>(n, 2), twelve ? QLatin1Char('h') : QLatin1Char('H'))); afterHour = true; break;
        case 's': field(n >= 2 ? QStringLiteral("ss") : QStringLiteral("s")); break;
        case 'z': break;
        case '/': text += QString(n, fs.DateSeparator); break;
        case ':': text += QString(n, fs.TimeSeparator); break;
        default: text += QString(n, c); break;
        }
        i += n;
    }
    field(QString());
    return out;
}

// The drop-down: a calendar in a popup window that reports its choice and
// its closing until it is detached.
class TCalendarPopup : public QWidget {
public:
    TCalendarPopup(QWidget* owner, std::function<void(QDate)> picked, std::function<void()> closed)
        : QWidget(owner, Qt::Popup), FPicked(std::move(picked)), FClosed(std::move(closed))
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        Calendar = new QCalendarWidget(this);
        layout->addWidget(Calendar);
        TodayLine = new QPushButton(this);
        TodayLine->setFlat(true);
        TodayLine->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(TodayLine);
        QObject::connect(Calendar, &QCalendarWidget::clicked, [this](QDate d) { Pick(d); });
        QObject::connect(Calendar, &QCalendarWidget::activated, [this](QDate d) { Pick(d); });
        QObject::connect(TodayLine, &QPushButton::clicked, [this] { Pick(QDate::currentDate()); });
    }
    // The month calendar's styles: week numbers, the "today" line under the
    // month, and today's date marked.
    void SetStyle(bool weekNumbers, bool showToday, bool showTodayCircle)
    {
        Calendar->setVerticalHeaderFormat(weekNumbers ? QCalendarWidget::ISOWeekNumbers : QCalendarWidget::NoVerticalHeader);
        const QDate today = QDate::currentDate();
        TodayLine->setText(QStringLiteral("Today: ") + QLocale().toString(today, QLocale::ShortFormat));
        TodayLine->setVisible(showToday);
        QTextCharFormat mark;
        if (showTodayCircle) {
            mark.setFontWeight(QFont::Bold);
            mark.setFontUnderline(true);
            mark.setUnderlineColor(Qt::red);
        }
        Calendar->setDateTextFormat(today, mark);
        adjustSize();
    }
    void Detach()
    {
        FPicked = nullptr;
        FClosed = nullptr;
    }
    QCalendarWidget* Calendar;
    QPushButton* TodayLine;

protected:
    void hideEvent(QHideEvent* e) override
    {
        QWidget::hideEvent(e);
        if (FClosed)
            FClosed();
    }

private:
    void Pick(QDate d)
    {
        if (FPicked)
            FPicked(d);
    }
    std::function<void(QDate)> FPicked;
    std::function<void()> FClosed;
};

} // namespace

// The picker's window: it paints what the picker tells it.
class TPickerWidget : public QWidget {
public:
    TPickerWidget(QWidget* parent, TDateTimePicker* picker) : QWidget(parent), FPicker(picker)
    {
        setAttribute(Qt::WA_InputMethodEnabled, false);
    }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    TDateTimePicker* FPicker;
};

struct TDateTimePicker::TField {
    TFieldKind Kind = fkLiteral;
    Integer Width = 1;  // letters in the pattern
    QString Literal;
    bool Editable() const { return Kind != fkLiteral && Kind != fkDayName; }
};

struct TDateTimePicker::TLayout {
    std::vector<QRect> Fields;
    QRect Check;
    QRect Button;
    QRect Up;
    QRect Down;
};

void TPickerWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    FPicker->Paint(p, *this);
}

// ------------------------------------------------------------ TDateTimePicker

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner), FDateTime(Now())
{
    FDlgCode = DLGC_WANTARROWS | DLGC_WANTCHARS;
    FControlStyle &= ~csSetCaption;
    SetBounds(0, 0, 186, 21);
    SetTabStop(true);
    SetColor(clWindow);
    BuildFields();
}

TDateTimePicker::~TDateTimePicker()
{
    if (FPopup != nullptr)
        static_cast<TCalendarPopup*>(FPopup)->Detach();
}

void TDateTimePicker::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new TPickerWidget(TWidgetBridge::ParentWidget(this), this);
    w->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
    TWidgetBridge::Attach(this, w);
}

void TDateTimePicker::DestroyWnd()
{
    // The calendar goes with the window.
    if (FPopup != nullptr) {
        static_cast<TCalendarPopup*>(FPopup)->Detach();
        FPopup = nullptr;
    }
    FDropped = false;
    TWinControl::DestroyWnd();
}

// ---- properties

void TDateTimePicker::SetKind(TDateTimeKind v)
{
    FKind = v;
    BuildFields();
    Invalidate();
}

void TDateTimePicker::SetDateTime(TDateTime v)
{
    // A cleared picker keeps the value without taking a check.
    if (Checked())
        Perform(DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&v));
    else
        FDateTime = Clamp(v);
    Invalidate();
}

TDateTime TDateTimePicker::Date() const
{
    return std::trunc(FDateTime);
}

void TDateTimePicker::SetDate(TDateTime v)
{
    const double time = std::fabs(FDateTime - std::trunc(FDateTime));
    const double date = std::trunc(v);
    SetDateTime(date < 0 ? date - time : date + time);
}

TDateTime TDateTimePicker::Time() const
{
    return std::fabs(FDateTime - std::trunc(FDateTime));
}

void TDateTimePicker::SetTime(TDateTime v)
{
    const double date = std::trunc(FDateTime);
    const double time = std::fabs(v - std::trunc(v));
    SetDateTime(date < 0 ? date - time : date + time);
}

void TDateTimePicker::SetFormat(const QString& v)
{
    FFormat = v;
    BuildFields();
    Invalidate();
}

void TDateTimePicker::SetDateFormat(TDTDateFormat v)
{
    FDateFormat = v;
    BuildFields();
    Invalidate();
}

void TDateTimePicker::SetDateMode(TDTDateMode v)
{
    FDateMode = v;
    Invalidate();
}

void TDateTimePicker::SetShowCheckbox(bool v)
{
    FShowCheckbox = v;
    Invalidate();
}

void TDateTimePicker::SetChecked(bool v)
{
    FChecked = v;
    TDateTime value = FDateTime;
    Perform(DTM_SETSYSTEMTIME, v ? GDT_VALID : GDT_NONE, LPARAM(&value));
    Invalidate();
}

void TDateTimePicker::SetMinDate(TDateTime v)
{
    FMinDate = v;
    FDateTime = Clamp(FDateTime);
    Invalidate();
}

void TDateTimePicker::SetMaxDate(TDateTime v)
{
    FMaxDate = v;
    FDateTime = Clamp(FDateTime);
    Invalidate();
}

TDateTime TDateTimePicker::Clamp(TDateTime v) const
{
    if (std::isnan(v))
        return FDateTime;
    if (FMinDate != 0 && v < FMinDate)
        return FMinDate;
    if (FMaxDate != 0 && v > FMaxDate)
        return FMaxDate;
    return v;
}

// ---- fields

void TDateTimePicker::BuildFields() const
{
    const TFormatSettings& fs = FormatSettings();
    QString pattern = FFormat;
    if (pattern.isEmpty())
        pattern = PickerPattern(FKind == dtkTime ? fs.LongTimeFormat : FDateFormat == dfLong ? fs.LongDateFormat : fs.ShortDateFormat);
    if (pattern == FFieldPattern && !FFields.empty())
        return;
    FFieldPattern = pattern;
    FFields.clear();
    auto literal = [this](const QString& text) {
        if (!FFields.empty() && FFields.back().Kind == fkLiteral)
            FFields.back().Literal += text;
        else
            FFields.push_back({fkLiteral, 1, text});
    };
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('\'')) {
            QString text;
            qsizetype j = i + 1;
            for (; j < pattern.size(); ++j) {
                if (pattern[j] == QLatin1Char('\'')) {
                    if (j + 1 < pattern.size() && pattern[j + 1] == QLatin1Char('\'')) {
                        text += QLatin1Char('\'');
                        ++j;
                        continue;
                    }
                    break;
                }
                text += pattern[j];
            }
            literal(text);
            i = j + 1;
            continue;
        }
        qsizetype n = 1;
        while (i + n < pattern.size() && pattern[i + n] == c)
            ++n;
        const Integer w = Integer(n);
        switch (c.unicode()) {
        case 'd': FFields.push_back({n <= 2 ? fkDay : fkDayName, w, {}}); break;
        case 'M': FFields.push_back({n <= 2 ? fkMonth : fkMonthName, w, {}}); break;
        case 'y': FFields.push_back({fkYear, n <= 2 ? 2 : 4, {}}); break;
        case 'h': FFields.push_back({fkHour12, w, {}}); break;
        case 'H': FFields.push_back({fkHour24, w, {}}); break;
        case 'm': FFields.push_back({fkMinute, w, {}}); break;
        case 's': FFields.push_back({fkSecond, w, {}}); break;
        case 't': FFields.push_back({fkAmPm, w, {}}); break;
        default: literal(QString(n, c)); break;
        }
        i += n;
    }
    FPending.clear();
    FFieldIndex = std::clamp<Integer>(FFieldIndex, 0, std::max<Integer>(EditableCount() - 1, 0));
}

Integer TDateTimePicker::EditableCount() const
{
    return Integer(std::count_if(FFields.begin(), FFields.end(), [](const TField& f) { return f.Editable(); }));
}

const TDateTimePicker::TField* TDateTimePicker::Editable(Integer index) const
{
    for (const TField& f : FFields)
        if (f.Editable() && index-- == 0)
            return &f;
    return nullptr;
}

QString TDateTimePicker::FieldText(const TField& f, bool withPending) const
{
    if (withPending && !FPending.isEmpty() && &f == Editable(FFieldIndex))
        return FPending;
    const TFormatSettings& fs = FormatSettings();
    Word y, m, d, h, n, s, ms;
    DecodeDate(FDateTime, y, m, d);
    DecodeTime(FDateTime, h, n, s, ms);
    auto num = [&](Integer v) { return f.Width >= 2 ? QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')) : QString::number(v); };
    switch (f.Kind) {
    case fkLiteral: return f.Literal;
    case fkDay: return num(d);
    case fkDayName: return (f.Width == 3 ? fs.ShortDayNames : fs.LongDayNames)[size_t(DayOfWeek(FDateTime) - 1)];
    case fkMonth: return num(m);
    case fkMonthName: return (f.Width == 3 ? fs.ShortMonthNames : fs.LongMonthNames)[size_t(m - 1)];
    case fkYear: return f.Width <= 2 ? QStringLiteral("%1").arg(y % 100, 2, 10, QLatin1Char('0')) : QStringLiteral("%1").arg(y, 4, 10, QLatin1Char('0'));
    case fkHour12: return num(h % 12 == 0 ? 12 : h % 12);
    case fkHour24: return num(h);
    case fkMinute: return num(n);
    case fkSecond: return num(s);
    case fkAmPm: {
        const QString t = h < 12 ? fs.TimeAMString : fs.TimePMString;
        return f.Width == 1 ? t.left(1) : t;
    }
    }
    return {};
}

QString TDateTimePicker::GetText() const
{
    BuildFields();
    QString out;
    for (const TField& f : FFields)
        out += FieldText(f, false);
    return out;
}

// ---- looks

TDateTimePicker::TLayout TDateTimePicker::Layout() const
{
    BuildFields();
    TLayout l;
    const QFontMetrics& fm = FontMetricsOf(*Font());
    const Integer W = Width(), H = Height();
    Integer x = 4;
    if (FShowCheckbox) {
        l.Check = QRect(x, (H - CheckSize) / 2, CheckSize, CheckSize);
        x += CheckSize + 4;
    }
    for (const TField& f : FFields) {
        const Integer w = fm.horizontalAdvance(FieldText(f, true));
        l.Fields.push_back(QRect(x, 0, w, H));
        x += w;
    }
    const Integer bw = GetSystemMetrics(SM_CXVSCROLL);
    if (FKind == dtkDate && FDateMode == dmComboBox) {
        l.Button = QRect(W - 2 - bw, 2, bw, H - 4);
    } else {
        l.Up = QRect(W - 2 - bw, 2, bw, (H - 4) / 2);
        l.Down = QRect(W - 2 - bw, 2 + (H - 4) / 2, bw, H - 4 - (H - 4) / 2);
    }
    return l;
}

void TDateTimePicker::Paint(QPainter& p, const QWidget& w) const
{
    QStyle* style = w.style();
    const TLayout l = Layout();
    QStyleOptionFrame frame;
    frame.initFrom(&w);
    frame.rect = w.rect();
    frame.lineWidth = 1;
    frame.state |= QStyle::State_Sunken;
    style->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &p, &w);
    const QPalette& pal = w.palette();
    const bool enabled = Enabled();
    if (FShowCheckbox) {
        QStyleOptionButton cb;
        cb.initFrom(&w);
        cb.rect = l.Check;
        cb.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        cb.state |= FChecked ? QStyle::State_On : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &cb, &p, &w);
    }
    const Integer textRight = (l.Button.isNull() ? l.Up.left() : l.Button.left()) - 1;
    p.save();
    p.setClipRect(QRect(2, 2, std::max(textRight - 2, 0), w.height() - 4));
    const QColor text = enabled && Checked() ? pal.color(QPalette::Text) : ToQColor(ColorToRGB(clGrayText));
    const TField* current = Editable(FFieldIndex);
    for (size_t i = 0; i < FFields.size(); ++i) {
        const TField& f = FFields[i];
        QRect r = l.Fields[i];
        const bool selected = &f == current && w.hasFocus() && enabled;
        if (selected) {
            p.fillRect(r.adjusted(0, 3, 0, -3), pal.color(QPalette::Highlight));
            p.setPen(pal.color(QPalette::HighlightedText));
        } else {
            p.setPen(text);
        }
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, FieldText(f, true));
    }
    p.restore();
    auto button = [&](const QRect& r, QStyle::PrimitiveElement arrow) {
        if (r.isNull())
            return;
        QStyleOptionButton b;
        b.initFrom(&w);
        b.rect = r;
        b.state &= ~QStyle::State_HasFocus;
        b.state |= QStyle::State_Raised;
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &b, &p, &w);
        QStyleOption a;
        a.initFrom(&w);
        a.rect = r.adjusted(3, 2, -3, -2);
        style->drawPrimitive(arrow, &a, &p, &w);
    };
    button(l.Button, QStyle::PE_IndicatorArrowDown);
    button(l.Up, QStyle::PE_IndicatorArrowUp);
    button(l.Down, QStyle::PE_IndicatorArrowDown);
}

// ---- editing

void TDateTimePicker::MoveField(Integer delta)
{
    CommitPending();
    FFieldIndex = std::clamp<Integer>(FFieldIndex + delta, 0, std::max<Integer>(EditableCount() - 1, 0));
    Invalidate();
}

void TDateTimePicker::StepField(Integer delta)
{
    CommitPending();
    const TField* f = Editable(FFieldIndex);
    if (f == nullptr)
        return;
    Word y, m, d, h, n, s, ms;
    DecodeDate(FDateTime, y, m, d);
    DecodeTime(FDateTime, h, n, s, ms);
    Integer Y = y, M = m, D = d, Hr = h, N = n, S = s;
    switch (f->Kind) {
    case fkDay: D = Wrap(D + delta, 1, DaysIn(y, m)); break;
    case fkMonth:
    case fkMonthName: M = Wrap(M + delta, 1, 12); break;
    case fkYear: Y = std::clamp<Integer>(Y + delta, 1, 9999); break;
    case fkHour12:
    case fkHour24: Hr = Wrap(Hr + delta, 0, 23); break;
    case fkMinute: N = Wrap(N + delta, 0, 59); break;
    case fkSecond: S = Wrap(S + delta, 0, 59); break;
    case fkAmPm: Hr = (Hr + 12) % 24; break;
    default: return;
    }
    D = std::min<Integer>(D, DaysIn(Word(Y), Word(M)));
    if (FShowCheckbox && !FChecked)
        FChecked = true;
    UserSet(Compose(Y, M, D, Hr, N, S));
}

void TDateTimePicker::SetFieldValue(bool toEnd)
{
    CommitPending();
    const TField* f = Editable(FFieldIndex);
    if (f == nullptr)
        return;
    Word y, m, d, h, n, s, ms;
    DecodeDate(FDateTime, y, m, d);
    DecodeTime(FDateTime, h, n, s, ms);
    Integer D = d, M = m, Hr = h, N = n, S = s;
    switch (f->Kind) {
    case fkDay: D = toEnd ? DaysIn(y, m) : 1; break;
    case fkMonth:
    case fkMonthName: M = toEnd ? 12 : 1; break;
    case fkHour12:
    case fkHour24: Hr = toEnd ? 23 : 0; break;
    case fkMinute: N = toEnd ? 59 : 0; break;
    case fkSecond: S = toEnd ? 59 : 0; break;
    default: return;
    }
    D = std::min<Integer>(D, DaysIn(y, Word(M)));
    UserSet(Compose(y, M, D, Hr, N, S));
}

void TDateTimePicker::TypeDigit(Integer digit)
{
    const TField* f = Editable(FFieldIndex);
    if (f == nullptr || f->Kind == fkAmPm)
        return;
    if (FShowCheckbox && !FChecked)
        FChecked = true;
    FPending += QChar(u'0' + digit);
    Word y, m, d;
    DecodeDate(FDateTime, y, m, d);
    Integer max = 59, digits = 2;
    switch (f->Kind) {
    case fkDay: max = DaysIn(y, m); break;
    case fkMonth:
    case fkMonthName: max = 12; break;
    case fkYear:
        digits = f->Width <= 2 ? 2 : 4;
        max = digits == 2 ? 99 : 9999;
        break;
    case fkHour12: max = 12; break;
    case fkHour24: max = 23; break;
    default: break;
    }
    // A field is complete with all its digits, or when no further digit
    // could follow (a day starting with 4).
    if (FPending.size() >= digits || FPending.toInt() * 10 > max)
        CommitPending();
    Invalidate();
}

void TDateTimePicker::CommitPending()
{
    if (FPending.isEmpty())
        return;
    const Integer typed = Integer(FPending.size());
    const Integer v = FPending.toInt();
    FPending.clear();
    const TField* f = Editable(FFieldIndex);
    if (f == nullptr)
        return;
    Word y, m, d, h, n, s, ms;
    DecodeDate(FDateTime, y, m, d);
    DecodeTime(FDateTime, h, n, s, ms);
    Integer Y = y, M = m, D = d, Hr = h, N = n, S = s;
    switch (f->Kind) {
    case fkDay:
        if (v < 1)
            return Invalidate();
        D = std::min<Integer>(v, DaysIn(y, m));
        break;
    case fkMonth:
    case fkMonthName:
        if (v < 1 || v > 12)
            return Invalidate();
        M = v;
        break;
    case fkYear:
        if (f->Width <= 2 || typed <= 2) {
            // Two digits name the year within the century window.
            Word cy, cm, cd;
            DecodeDate(Now(), cy, cm, cd);
            const Integer pivot = cy - FormatSettings().TwoDigitYearCenturyWindow;
            Y = pivot - pivot % 100 + v % 100;
            if (Y < pivot)
                Y += 100;
        } else {
            Y = v;
        }
        if (Y < 1)
            return Invalidate();
        break;
    case fkHour12:
        if (v < 1 || v > 12)
            return Invalidate();
        Hr = v % 12 + (h >= 12 ? 12 : 0);
        break;
    case fkHour24:
        if (v > 23)
            return Invalidate();
        Hr = v;
        break;
    case fkMinute:
        if (v > 59)
            return Invalidate();
        N = v;
        break;
    case fkSecond:
        if (v > 59)
            return Invalidate();
        S = v;
        break;
    default: return;
    }
    D = std::min<Integer>(D, DaysIn(Word(Y), Word(M)));
    UserSet(Compose(Y, M, D, Hr, N, S));
    Invalidate();
}

void TDateTimePicker::UserSet(TDateTime v)
{
    v = Clamp(v);
    if (v == FDateTime)
        return;
    FDateTime = v;
    Invalidate();
    NotifyChange();
}

void TDateTimePicker::UserCheck(bool v)
{
    FChecked = v;
    Invalidate();
    NotifyChange();
}

void TDateTimePicker::NotifyChange()
{
    TNMDateTimeChange rec;
    rec.hdr.hwndFrom = HandleAllocated() ? Handle() : nullptr;
    rec.hdr.code = DTN_DATETIMECHANGE;
    rec.dwFlags = Checked() ? GDT_VALID : GDT_NONE;
    if (rec.dwFlags == GDT_VALID) {
        DecodeDate(FDateTime, rec.st.wYear, rec.st.wMonth, rec.st.wDay);
        DecodeTime(FDateTime, rec.st.wHour, rec.st.wMinute, rec.st.wSecond, rec.st.wMilliseconds);
    }
    if (TWinControl* parent = Parent())
        parent->Perform(WM_NOTIFY, 0, LPARAM(&rec));
    Perform(CN_NOTIFY, 0, LPARAM(&rec));
}

void TDateTimePicker::Notify(Cardinal code)
{
    TNMHdr hdr;
    hdr.hwndFrom = HandleAllocated() ? Handle() : nullptr;
    hdr.code = code;
    Perform(CN_NOTIFY, 0, LPARAM(&hdr));
}

void TDateTimePicker::KeyMessage(TMessage& Message)
{
    const Word key = Word(Message.WParam);
    const bool canDrop = FKind == dtkDate && FDateMode == dmComboBox;
    switch (key) {
    case VK_LEFT: MoveField(-1); break;
    case VK_RIGHT: MoveField(1); break;
    case VK_UP: StepField(1); break;
    case VK_DOWN:
        if (canDrop && GetKeyState(VK_MENU) < 0)
            SetDroppedDown(true);
        else
            StepField(-1);
        break;
    case VK_HOME: SetFieldValue(false); break;
    case VK_END: SetFieldValue(true); break;
    case VK_F4:
        if (canDrop)
            SetDroppedDown(!DroppedDown());
        break;
    case VK_SPACE:
        if (FShowCheckbox)
            UserCheck(!FChecked);
        break;
    default:
        TWinControl::DefaultHandler(Message);
        break;
    }
}

void TDateTimePicker::CharMessage(TMessage& Message)
{
    const QChar c(char16_t(Message.WParam));
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
        TypeDigit(c.unicode() - u'0');
        return;
    }
    if (c == u'\b') {
        FPending.chop(1);
        Invalidate();
        return;
    }
    const TField* f = Editable(FFieldIndex);
    if (f == nullptr)
        return;
    if (f->Kind == fkAmPm) {
        const QChar lc = c.toLower();
        Word h, n, s, ms;
        DecodeTime(FDateTime, h, n, s, ms);
        const QString am = FormatSettings().TimeAMString.toLower(), pm = FormatSettings().TimePMString.toLower();
        if ((lc == am.left(1) && h >= 12) || (lc == pm.left(1) && h < 12))
            StepField(1);
        return;
    }
    // The separator after the field moves on to the next one.
    for (size_t i = 0; i + 1 < FFields.size(); ++i)
        if (&FFields[i] == f && FFields[i + 1].Kind == fkLiteral && FFields[i + 1].Literal.trimmed().startsWith(c)) {
            MoveField(1);
            return;
        }
}

void TDateTimePicker::MouseDownMessage(TMessage& Message)
{
    const TPoint pt = PointFromLParam(Message.LParam);
    const QPoint p(pt.X, pt.Y);
    if (CanFocus() && !Focused())
        SetFocus();
    const TLayout l = Layout();
    if (FShowCheckbox && l.Check.adjusted(-2, -2, 2, 2).contains(p)) {
        CommitPending();
        UserCheck(!FChecked);
        return;
    }
    if (!l.Button.isNull() && l.Button.contains(p)) {
        SetDroppedDown(!DroppedDown());
        return;
    }
    if (!l.Up.isNull() && l.Up.contains(p)) {
        StepField(1);
        return;
    }
    if (!l.Down.isNull() && l.Down.contains(p)) {
        StepField(-1);
        return;
    }
    Integer editable = 0;
    for (size_t i = 0; i < FFields.size(); ++i) {
        if (!FFields[i].Editable())
            continue;
        if (l.Fields[i].contains(p)) {
            CommitPending();
            FFieldIndex = editable;
            Invalidate();
            return;
        }
        ++editable;
    }
}

void TDateTimePicker::DefaultHandler(TMessage& Message)
{
    BuildFields();
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        KeyMessage(Message);
        break;
    case WM_CHAR: CharMessage(Message); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        MouseDownMessage(Message);
        break;
    default: TWinControl::DefaultHandler(Message); break;
    }
}

void TDateTimePicker::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: {
        const auto* hdr = reinterpret_cast<const TNMHdr*>(Message.LParam);
        if (hdr == nullptr)
            break;
        if (hdr->code == DTN_DATETIMECHANGE)
            Change();
        else if (hdr->code == DTN_DROPDOWN)
            DropDown();
        else if (hdr->code == DTN_CLOSEUP)
            CloseUp();
        return;
    }
    case DTM_GETSYSTEMTIME:
        if (Message.LParam != 0)
            *reinterpret_cast<TDateTime*>(Message.LParam) = FDateTime;
        Message.Result = Checked() ? GDT_VALID : GDT_NONE;
        return;
    case DTM_SETSYSTEMTIME:
        FPending.clear();
        if (Message.WParam == GDT_NONE) {
            if (FShowCheckbox)
                FChecked = false;
        } else if (Message.LParam != 0) {
            FDateTime = Clamp(*reinterpret_cast<const TDateTime*>(Message.LParam));
            FChecked = true;
        }
        Message.Result = 1;
        Invalidate();
        return;
    case WM_KILLFOCUS:
        CommitPending();
        [[fallthrough]];
    case WM_SETFOCUS:
        TWinControl::Dispatch(Message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TWinControl::Dispatch(Message);
}

void TDateTimePicker::Change()
{
    if (OnChange)
        OnChange(this);
}

void TDateTimePicker::DropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TDateTimePicker::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}

// ---- calendar

bool TDateTimePicker::DroppedDown() const
{
    return FDropped;
}

void TDateTimePicker::SetDroppedDown(bool v)
{
    if (v == FDropped)
        return;
    if (v) {
        ShowCalendar();
    } else if (FPopup != nullptr) {
        FPopup->hide();
    }
}

void TDateTimePicker::ShowCalendar()
{
    CommitPending();
    QWidget* w = TWidgetBridge::Widget(this);
    if (w == nullptr) {
        HandleNeeded();
        w = TWidgetBridge::Widget(this);
    }
    if (w == nullptr)
        return;
    if (FPopup == nullptr)
        FPopup = new TCalendarPopup(
            w, [this](QDate d) { TWidgetBridge::Guard(this, [&] { CalendarPicked(FromQDate(d)); }); },
            [this] { TWidgetBridge::Guard(this, [this] { CalendarClosed(); }); });
    auto* popup = static_cast<TCalendarPopup*>(FPopup);
    popup->Calendar->setMinimumDate(FMinDate != 0 ? ToQDate(FMinDate) : QDate(100, 1, 1));
    popup->Calendar->setMaximumDate(FMaxDate != 0 ? ToQDate(FMaxDate) : QDate(9999, 12, 31));
    popup->Calendar->setSelectedDate(ToQDate(FDateTime));
    popup->SetStyle(FCalWeekNumbers, FCalShowToday, FCalShowTodayCircle);
    popup->adjustSize();
    popup->move(w->mapToGlobal(QPoint(0, w->height())));
    FDropped = true;
    Notify(DTN_DROPDOWN);
    if (FPopup == nullptr)
        return;
    popup->show();
    popup->Calendar->setFocus();
}

void TDateTimePicker::SetCalendarStyle(bool WeekNumbers, bool ShowToday, bool ShowTodayCircle)
{
    FCalWeekNumbers = WeekNumbers;
    FCalShowToday = ShowToday;
    FCalShowTodayCircle = ShowTodayCircle;
    if (FPopup != nullptr) {
        auto* popup = static_cast<TCalendarPopup*>(FPopup);
        popup->SetStyle(WeekNumbers, ShowToday, ShowTodayCircle);
    }
}

void TDateTimePicker::CalendarPicked(TDateTime date)
{
    const double time = std::fabs(FDateTime - std::trunc(FDateTime));
    if (FShowCheckbox && !FChecked)
        FChecked = true;
    UserSet(date < 0 ? date - time : date + time);
    if (FPopup != nullptr)
        FPopup->hide();
}

void TDateTimePicker::CalendarClosed()
{
    if (!FDropped)
        return;
    FDropped = false;
    Invalidate();
    Notify(DTN_CLOSEUP);
}

// ------------------------------------------------------------ TMonthCalendar

TMonthCalendar::TMonthCalendar(TComponent* AOwner) : TWinControl(AOwner), FDate(std::trunc(Now()))
{
    FDlgCode = DLGC_WANTARROWS;
    SetBounds(0, 0, 225, 160);
    SetTabStop(true);
    SetColor(clWindow);
}

void TMonthCalendar::CreateWindowHandle(const TCreateParams&)
{
    auto* w = new QCalendarWidget(TWidgetBridge::ParentWidget(this));
    QObject::connect(w, &QCalendarWidget::clicked, [this](QDate d) { TWidgetBridge::Guard(this, [&] { UserPicked(FromQDate(d)); }); });
    QObject::connect(w, &QCalendarWidget::activated, [this](QDate d) { TWidgetBridge::Guard(this, [&] { UserPicked(FromQDate(d)); }); });
    TWidgetBridge::Attach(this, w);
}

void TMonthCalendar::CreateWnd()
{
    TWinControl::CreateWnd();
    if (auto* w = TWidgetBridge::WidgetAs<QCalendarWidget>(this)) {
        const QSignalBlocker block(w);
        w->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
        w->setMinimumDate(FMinDate != 0 ? ToQDate(FMinDate) : QDate(100, 1, 1));
        w->setMaximumDate(FMaxDate != 0 ? ToQDate(FMaxDate) : QDate(9999, 12, 31));
        w->setVerticalHeaderFormat(FWeekNumbers ? QCalendarWidget::ISOWeekNumbers : QCalendarWidget::NoVerticalHeader);
        w->setSelectedDate(ToQDate(FDate));
    }
}

void TMonthCalendar::SetDate(TDateTime v)
{
    v = std::trunc(v);
    if (FMinDate != 0 && v < FMinDate)
        v = FMinDate;
    if (FMaxDate != 0 && v > FMaxDate)
        v = FMaxDate;
    FDate = v;
    if (auto* w = TWidgetBridge::WidgetAs<QCalendarWidget>(this)) {
        const QSignalBlocker block(w);
        w->setSelectedDate(ToQDate(v));
    }
}

void TMonthCalendar::SetMinDate(TDateTime v)
{
    FMinDate = std::trunc(v);
    if (HandleAllocated())
        RecreateWnd();
    SetDate(FDate);
}

void TMonthCalendar::SetMaxDate(TDateTime v)
{
    FMaxDate = std::trunc(v);
    if (HandleAllocated())
        RecreateWnd();
    SetDate(FDate);
}

void TMonthCalendar::SetWeekNumbers(bool v)
{
    FWeekNumbers = v;
    if (auto* w = TWidgetBridge::WidgetAs<QCalendarWidget>(this))
        w->setVerticalHeaderFormat(v ? QCalendarWidget::ISOWeekNumbers : QCalendarWidget::NoVerticalHeader);
}

void TMonthCalendar::UserPicked(TDateTime v)
{
    FDate = v;
    Click();
}
