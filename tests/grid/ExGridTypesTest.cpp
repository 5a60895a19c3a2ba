// The string grid's typed cell access (integers, floats, dates and times
// under two format settings, with the grid's errors), cell graphics and
// types, header texts and the display text hook.
#include "grid/ExGrid.h"

#include "platform/Locale.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Runs with the given format settings and puts the defaults back after.
class FormatScope {
public:
    explicit FormatScope(const TFormatSettings& Settings) { FormatSettings() = Settings; }
    ~FormatScope() { ResetFormatSettings(); }
};

TFormatSettings German()
{
    TFormatSettings s = TFormatSettings::Invariant();
    s.DecimalSeparator = QLatin1Char(',');
    s.ThousandSeparator = QLatin1Char('.');
    s.DateSeparator = QLatin1Char('.');
    s.ShortDateFormat = QStringLiteral("dd.mm.yyyy");
    s.TimeSeparator = QLatin1Char(':');
    s.LongTimeFormat = QStringLiteral("hh:nn:ss");
    return s;
}

TFormatSettings English()
{
    TFormatSettings s = TFormatSettings::Invariant();
    s.DecimalSeparator = QLatin1Char('.');
    s.ThousandSeparator = QLatin1Char(',');
    s.DateSeparator = QLatin1Char('/');
    s.ShortDateFormat = QStringLiteral("mm/dd/yyyy");
    s.LongTimeFormat = QStringLiteral("hh:nn:ss");
    return s;
}

// The message of the grid's error, or nothing when none was raised.
template <class F>
std::optional<QString> GridError(F&& Fn)
{
    try {
        Fn();
    } catch (const DOzeDidoRivar& e) {
        return e.Message();
    }
    return std::nullopt;
}

} // namespace

TEST(ExGridTypes, IntsReadStrippedTextAndRaiseForOtherText)
{
    TExStringGrid g(nullptr);
    struct Case {
        QString Text;
        std::optional<Integer> Value;  // nothing: the grid's error
    };
    const Case cases[] = {
        {QStringLiteral("<b>12</b>"), 12},
        {QStringLiteral("  -7 "), -7},
        {QStringLiteral("-"), 0},
        {QString(), 0},
        {QStringLiteral("12a"), std::nullopt},
        {QStringLiteral("1.5"), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        g.SetCells(1, 1, c.Text);
        Integer value = -999;
        const auto error = GridError([&] { value = g.Ints(1, 1); });
        if (c.Value) {
            EXPECT_FALSE(error);
            EXPECT_EQ(value, *c.Value);
        } else {
            ASSERT_TRUE(error);
            EXPECT_EQ(*error, QStringLiteral("Cell does not contain integer value"));
        }
    }
    g.SetInts(2, 3, -42);
    EXPECT_EQ(g.Cells(2, 3), QStringLiteral("-42"));
}

TEST(ExGridTypes, FloatsFollowTheFormatSettings)
{
    struct Case {
        TFormatSettings Settings;
        QString Stored;     // what Floats := 3.14159 writes
        QString Text;       // a text to read back
        double Value;
    };
    const Case cases[] = {
        {English(), QStringLiteral("3.14"), QStringLiteral("1,234.5 kg"), 1234.5},
        {German(), QStringLiteral("3,14"), QStringLiteral("1.234,5 kg"), 1234.5},
    };
    for (const Case& c : cases) {
        FormatScope scope(c.Settings);
        SCOPED_TRACE(c.Stored.toStdString());
        TExStringGrid g(nullptr);
        g.SetFloats(1, 1, 3.14159);
        EXPECT_EQ(g.Cells(1, 1), c.Stored);
        EXPECT_DOUBLE_EQ(g.Floats(1, 1), 3.14);
        g.SetCells(1, 2, c.Text);
        EXPECT_DOUBLE_EQ(g.Floats(1, 2), c.Value);
        g.SetCells(1, 3, QStringLiteral("-"));
        EXPECT_DOUBLE_EQ(g.Floats(1, 3), 0.0);
        g.SetFloatFormat(QStringLiteral("%.3f"));
        g.SetAllFloats(2, 1, 0.5);
        EXPECT_EQ(g.Cells(2, 1), QStringLiteral("0") + c.Settings.DecimalSeparator + QStringLiteral("500"));
    }
    FormatScope scope(English());
    TExStringGrid g(nullptr);
    g.SetCells(1, 1, QStringLiteral("1.2.3"));
    const auto error = GridError([&] { g.Floats(1, 1); });
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, QStringLiteral("Cell does not contain a float value"));
}

TEST(ExGridTypes, DatesAndTimesFollowTheFormatSettings)
{
    const TDateTime day = EncodeDate(2024, 3, 9);
    const TDateTime time = EncodeTime(14, 5, 30, 0);
    struct Case {
        TFormatSettings Settings;
        QString Date;
        QString Time;
    };
    const Case cases[] = {
        {English(), QStringLiteral("03/09/2024"), QStringLiteral("14:05:30")},
        {German(), QStringLiteral("09.03.2024"), QStringLiteral("14:05:30")},
    };
    for (const Case& c : cases) {
        FormatScope scope(c.Settings);
        SCOPED_TRACE(c.Date.toStdString());
        TExStringGrid g(nullptr);
        g.SetDates(1, 1, day);
        EXPECT_EQ(g.Cells(1, 1), c.Date);
        EXPECT_DOUBLE_EQ(g.Dates(1, 1), day);
        g.SetTimes(1, 2, time);
        EXPECT_EQ(g.Cells(1, 2), c.Time);
        EXPECT_NEAR(g.Times(1, 2), time, 1e-8);
    }
    // A zero date empties the cell unless null dates are shown; a text that
    // is no date raises the conversion error.
    TExStringGrid g(nullptr);
    g.SetShowNullDates(false);
    g.SetCells(1, 1, QStringLiteral("x"));
    g.SetDates(1, 1, 0);
    EXPECT_EQ(g.Cells(1, 1), QString());
    g.SetShowNullDates(true);
    g.SetDates(1, 1, 0);
    EXPECT_FALSE(g.Cells(1, 1).isEmpty());
    g.SetCells(1, 1, QStringLiteral("not a date"));
    EXPECT_THROW(g.Dates(1, 1), EConvertError);
}

TEST(ExGridTypes, PrintColumnAccessorsRaiseOutsideTheirRange)
{
    TExStringGrid g(nullptr);
    EXPECT_EQ(g.GetPrintColWidth(0), 0);
    EXPECT_EQ(g.GetPrintColOffset(511), 0);
    for (Integer bad : {-1, 512}) {
        const auto error = GridError([&] { g.GetPrintColWidth(bad); });
        ASSERT_TRUE(error);
        EXPECT_EQ(*error, QStringLiteral("Columns is not in valid range"));
    }
}

TEST(ExGridTypes, GraphicsTypesAndSizes)
{
    TExStringGrid g(nullptr);
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);
    EXPECT_EQ(g.GetCellType(-1, 1), ctEmpty);
    EXPECT_EQ(g.GetCellGraphic(1, 1), nullptr);

    TCellGraphic* gr = g.CreateCellGraphic(1, 1);
    EXPECT_EQ(g.GetCellType(1, 1), ctNone);
    EXPECT_EQ(g.Cells(1, 1), QString());  // the cell text stays empty
    gr->CellType = ctRating;
    gr->CellAngle = 5;
    EXPECT_EQ(g.GetCellGraphicSize(1, 1), (TPoint{90, 16}));
    gr->CellType = ctProgressPie;
    EXPECT_EQ(g.GetCellGraphicSize(1, 1), (TPoint{20, 20}));
    gr->CellType = ctTriStateCheckBox;
    EXPECT_EQ(g.GetCellGraphicSize(1, 1), (TPoint{g.ControlLook()->CheckSize(), g.ControlLook()->CheckSize()}));

    EXPECT_FALSE(g.RemoveCellGraphicOfType(1, 1, ctButton));
    EXPECT_TRUE(g.RemoveCellGraphicOfType(1, 1, ctTriStateCheckBox));
    EXPECT_FALSE(g.RemoveCellGraphic(1, 1));
    EXPECT_EQ(g.GetCellType(1, 1), ctEmpty);
}

TEST(ExGridTypes, HotmailRowSelectSharesOneRowCheckBox)
{
    TExStringGrid g(nullptr);
    g.SetRowCount(5);  // four data rows
    g.MouseActions()->SetHotmailRowSelect(true);
    for (Integer r = 0; r < 5; ++r)
        EXPECT_EQ(g.GetCellType(0, r), ctRowCheckBox);
    TCellGraphic* shared = g.GetCellGraphic(0, 2);
    EXPECT_EQ(g.GetCellGraphic(0, 3), shared);

    g.SetRowSelect(2, true);
    EXPECT_TRUE(g.GetCellGraphic(0, 2)->CellBoolean);
    EXPECT_FALSE(g.GetCellGraphic(0, 3)->CellBoolean);
    EXPECT_EQ(g.GetCellGraphic(0, 0)->CellAngle, 1);  // header grey: some rows selected
    for (Integer r = 1; r < 5; ++r)
        g.SetRowSelect(r, true);
    EXPECT_EQ(g.GetCellGraphic(0, 0)->CellAngle, 0);
    EXPECT_TRUE(g.GetCellGraphic(0, 0)->CellBoolean);

    // Neither removing nor creating at column 0 frees the shared graphic.
    g.RemoveCellGraphic(0, 2);
    g.CreateCellGraphic(0, 2);
    EXPECT_EQ(g.GetCellGraphic(0, 4), shared);
    EXPECT_EQ(shared->CellType, ctRowCheckBox);
}

TEST(ExGridTypes, HeadersAndLinkedAddresses)
{
    TExStringGrid g(nullptr);
    TStringList headers;
    headers.Add(QStringLiteral("#"));
    headers.Add(QStringLiteral("Start\\nByte"));
    g.SetColumnHeaders(&headers);
    EXPECT_EQ(g.Cells(1, 0), QStringLiteral("Start\rByte"));
    EXPECT_EQ(g.Cells(0, 0), QStringLiteral("#"));

    g.SetURLShowInText(true);
    g.SetCells(1, 1, QStringLiteral("see www.example.com or http://a.b"));
    const QString shown = g.Cells(1, 1);
    // Only the first prefix of the list that occurs is linked.
    EXPECT_TRUE(shown.contains(QStringLiteral("href=\"http://a.b\"")));
    EXPECT_FALSE(shown.contains(QStringLiteral("href=\"www.example.com\"")));
}
