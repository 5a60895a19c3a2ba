#include "shell/ULanguage.h"

#include <gtest/gtest.h>

namespace {

const QString kPilcrow = QString(QChar(0x00B6));

TEST(LanguageLine, Grammar)
{
    struct Case { QString line; bool sets; Integer index; QString text; };
    const QString P = kPilcrow;
    const Case cases[] = {
        {"STR12 = Ciao", true, 12, "Ciao"},
        {"STR12=Ciao", true, 1, "Ciao"},            // the character before "=" is never the number's
        {"STR 12 = Ciao", true, 12, "Ciao"},
        {"str12 = Ciao", false, 0, ""},
        {"XSTR12 = Ciao", false, 0, ""},
        {"\t  STR12 = Ciao", true, 12, "Ciao"},
        {"STR12 = Ciao \r", true, 12, "Ciao"},
        {"STR6400 = x", false, 0, ""},
        {"STR6399 = x", true, 6399, "x"},
        {"STR0 = x", true, 0, "x"},
        {"STR-1 = x", false, 0, ""},
        {"STR+5 = x", true, 5, "x"},
        {"STR$A = x", true, 10, "x"},
        {"STR5 =", false, 0, ""},
        {"STR5 =    ", false, 0, ""},
        {"STR5 = a = b", true, 5, "a = b"},
        {"STR5 = Hello /#/ my note", true, 5, "Hello"},
        {"STR5 = " + P + " Hello " + P + " /#/ note", true, 5, " Hello "},
        {"STR5 = " + P, true, 5, ""},
        {"STR5 = Hel" + P + "lo", true, 5, "Hel"},
        {"STR5 = " + P + "   lead", true, 5, "   lead"},
        {"STR9 = " + P + "None Configuration Opened " + P, true, 9, "None Configuration Opened "},
        {"STR5 = /#/ note", false, 0, ""},           // only a comment: the entry keeps its text
        {"STR5 x", false, 0, ""},                    // no "="
        {"STR= x", false, 0, ""},
        {"STR5= x", false, 0, ""},                   // the number text is empty
        {"STRa = x", false, 0, ""},
        {"STR5 5 = x", false, 0, ""},
        {"", false, 0, ""},
        {"/#/ STR5 = x", false, 0, ""},
        {"STR5 = Scan && Decode", true, 5, "Scan && Decode"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        Integer index = -7;
        QString text = "unchanged";
        ASSERT_EQ(Parse_Language_Line(c.line, 6400, index, text), c.sets);
        if (c.sets) {
            EXPECT_EQ(index, c.index);
            EXPECT_EQ(text, c.text);
        } else {
            EXPECT_EQ(index, -7);
            EXPECT_EQ(text, "unchanged");
        }
    }
}

} // namespace
