#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/StringList.h"

namespace {

QStringList Lines(const TStrings& s)
{
    QStringList r;
    for (Integer i = 0; i < s.Count(); ++i)
        r << s[i];
    return r;
}

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Counts live instances, to see what an owning list frees.
struct Tracked : TObject {
    static inline int alive = 0;
    Tracked() { ++alive; }
    ~Tracked() override { --alive; }
};

TEST(StringListTest, EditingAndLookup)
{
    TStringList l;
    EXPECT_EQ(l.Add(QStringLiteral("beta")), 0);
    EXPECT_EQ(l.Add(QStringLiteral("Alpha")), 1);
    l.Insert(0, QStringLiteral("gamma"));
    l.Insert(3, QStringLiteral("delta"));
    EXPECT_EQ(Lines(l), QStringList({"gamma", "beta", "Alpha", "delta"}));
    EXPECT_EQ(l.IndexOf(QStringLiteral("ALPHA")), 2); // letter case ignored by default
    EXPECT_EQ(l.IndexOf(QStringLiteral("none")), -1);
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf(QStringLiteral("ALPHA")), -1);
    l.Delete(1);
    l.SetStrings(0, QStringLiteral("G"));
    l.Move(0, 2);
    l.Exchange(0, 1);
    EXPECT_EQ(Lines(l), QStringList({"delta", "Alpha", "G"}));
    for (Integer bad : {-1, 3})
        EXPECT_THROW(l.Get(bad), EStringListError) << bad;
    EXPECT_THROW(l.Insert(5, QStringLiteral("x")), EStringListError);
    EXPECT_THROW(l.Delete(3), EStringListError);
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringListTest, SortedListsIgnoreCaseAndHandleDuplicates)
{
    struct { TDuplicates dup; QStringList expected; bool throws; } cases[] = {
        {dupIgnore, {"apple", "Banana", "cherry"}, false},
        {dupAccept, {"apple", "BANANA", "Banana", "cherry"}, false},
        {dupError, {"apple", "Banana", "cherry"}, true},
    };
    for (const auto& c : cases) {
        TStringList l;
        l.SetSorted(true);
        l.SetDuplicates(c.dup);
        for (const char* s : {"cherry", "Banana", "apple"})
            l.Add(QString::fromLatin1(s));
        if (c.throws)
            EXPECT_THROW(l.Add(QStringLiteral("BANANA")), EStringListError);
        else
            l.Add(QStringLiteral("BANANA"));
        EXPECT_EQ(Lines(l), c.expected) << int(c.dup);
        Integer at = -1;
        EXPECT_TRUE(l.Find(QStringLiteral("banana"), at));
        EXPECT_EQ(at, 1);
        EXPECT_FALSE(l.Find(QStringLiteral("b"), at));
        EXPECT_EQ(at, 1);
        EXPECT_EQ(l.IndexOf(QStringLiteral("CHERRY")), c.expected.size() - 1);
    }
    TStringList l;
    l.SetSorted(true);
    l.Add(QStringLiteral("b"));
    EXPECT_THROW(l.Insert(0, QStringLiteral("a")), EStringListError);
    EXPECT_THROW(l.SetStrings(0, QStringLiteral("a")), EStringListError);

    // Sorting an unsorted list, and sorting when Sorted is switched on.
    TStringList u;
    u.SetCommaText(QStringLiteral("Delta,alpha,Charlie,bravo"));
    u.Sort();
    EXPECT_EQ(Lines(u), QStringList({"alpha", "bravo", "Charlie", "Delta"}));
    u.SetCaseSensitive(true);
    u.SetSorted(true);
    EXPECT_EQ(Lines(u), QStringList({"Charlie", "Delta", "alpha", "bravo"}));
    u.SetSorted(false);
    u.CustomSort([](TStringList* list, Integer a, Integer b) { return int(list->Get(a).size() - list->Get(b).size()); });
    EXPECT_EQ(Lines(u), QStringList({"Delta", "alpha", "bravo", "Charlie"}));
}

TEST(StringListTest, CommaAndDelimitedText)
{
    struct { const char* text; QStringList items; } reading[] = {
        {"a,b,c", {"a", "b", "c"}},
        {"  a , b  ", {"a", "b"}},
        {"a b,c", {"a", "b", "c"}}, // blanks separate too
        {"\"a b\",\"c,d\",\"say \"\"hi\"\"\"", {"a b", "c,d", "say \"hi\""}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"\"\"", {""}},
        {"", {}},
        {"\"unterminated", {"unterminated"}},
    };
    for (const auto& c : reading) {
        TStringList l;
        l.SetCommaText(QString::fromLatin1(c.text));
        EXPECT_EQ(Lines(l), c.items) << c.text;
    }
    struct { QStringList items; const char* text; } writing[] = {
        {{"a", "b"}, "a,b"},
        {{"a b", "c,d", "e\"f", ""}, "\"a b\",\"c,d\",\"e\"\"f\","},
        {{""}, "\"\""},
        {{}, ""},
        {{"tab\there"}, "\"tab\there\""},
    };
    for (const auto& c : writing) {
        TStringList l;
        for (const QString& s : c.items)
            l.Add(s);
        EXPECT_EQ(l.CommaText(), QString::fromLatin1(c.text));
        TStringList back;
        back.SetCommaText(l.CommaText());
        EXPECT_EQ(Lines(back), c.items) << c.text;
    }

    TStringList l;
    l.SetDelimiter(QLatin1Char(';'));
    l.SetQuoteChar(QLatin1Char('\''));
    l.SetDelimitedText(QStringLiteral("a b;'c;d';e"));
    EXPECT_EQ(Lines(l), QStringList({"a", "b", "c;d", "e"}));
    l.SetStrictDelimiter(true);
    l.SetDelimitedText(QStringLiteral(" a b ;'c;d'; e"));
    EXPECT_EQ(Lines(l), QStringList({" a b ", "c;d", " e"}));
    EXPECT_EQ(l.DelimitedText(), QStringLiteral(" a b ;'c;d'; e"));
    // CommaText keeps to its own delimiter whatever the list's settings.
    EXPECT_EQ(l.CommaText(), QStringLiteral("\" a b \",c;d,\" e\""));
    EXPECT_EQ(l.Delimiter(), QLatin1Char(';'));
}

TEST(StringListTest, NamesAndValues)
{
    TStringList l;
    l.SetText(QStringLiteral("Host=10.0.0.1\nport=502\nnoequals\nkey=a=b\n"));
    EXPECT_EQ(l.Names(0), QStringLiteral("Host"));
    EXPECT_EQ(l.Names(2), QString());
    EXPECT_EQ(l.Values(QStringLiteral("PORT")), QStringLiteral("502"));
    EXPECT_EQ(l.Values(QStringLiteral("key")), QStringLiteral("a=b"));
    EXPECT_EQ(l.Values(QStringLiteral("missing")), QString());
    EXPECT_EQ(l.IndexOfName(QStringLiteral("noequals")), -1);
    l.SetValues(QStringLiteral("port"), QStringLiteral("47808"));
    l.SetValues(QStringLiteral("new"), QStringLiteral("1"));
    l.SetValues(QStringLiteral("host"), QString());
    EXPECT_EQ(Lines(l), QStringList({"port=47808", "noequals", "key=a=b", "new=1"}));
    l.SetValueFromIndex(2, QStringLiteral("c"));
    EXPECT_EQ(l.ValueFromIndex(2), QStringLiteral("c"));
    l.SetNameValueSeparator(QLatin1Char(':'));
    l.SetText(QStringLiteral("a:1"));
    EXPECT_EQ(l.Values(QStringLiteral("a")), QStringLiteral("1"));
}

TEST(StringListTest, TextSplitsAtEveryLineEnd)
{
    TStringList l;
    l.SetText(QStringLiteral("one\r\ntwo\nthree\rfour\r\n\r\nsix"));
    EXPECT_EQ(Lines(l), QStringList({"one", "two", "three", "four", "", "six"}));
    EXPECT_EQ(l.Text(), QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\n\r\nsix\r\n"));
    l.SetText(QStringLiteral("x\n"));
    EXPECT_EQ(Lines(l), QStringList({"x"}));
    l.SetLineBreak(QStringLiteral("\n"));
    EXPECT_EQ(l.Text(), QStringLiteral("x\n"));
    l.SetText(QString());
    EXPECT_EQ(l.Count(), 0);
}

TEST(StringListTest, LoadFromFileDetectsTheEncoding)
{
    const QStringList expected = {QString::fromUtf8("STR1 = Café €"), QString::fromUtf8("STR2 = ¶ keep ¶"), "last line", "end"};
    struct { const char* file; TTextEncoding enc; } cases[] = {
        {"lines-utf8-bom.txt", TTextEncoding::UTF8},
        {"lines-utf16le.txt", TTextEncoding::UTF16LE},
        {"lines-utf16be.txt", TTextEncoding::UTF16BE},
        {"lines-cp1252.txt", TTextEncoding::ANSI},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const QString path = QStringLiteral(TEST_DATA_DIR "/platform/") + QString::fromLatin1(c.file);
        TStringList l;
        ASSERT_TRUE(l.LoadFromFile(path)) << c.file;
        EXPECT_EQ(Lines(l), expected) << c.file;
        EXPECT_EQ(l.Encoding(), c.enc) << c.file;
        // Saving keeps the encoding the file had, with CR LF line ends.
        const QString copy = dir.filePath(QString::fromLatin1(c.file));
        ASSERT_TRUE(l.SaveToFile(copy));
        TStringList again;
        ASSERT_TRUE(again.LoadFromFile(copy));
        EXPECT_EQ(Lines(again), expected);
        EXPECT_EQ(again.Encoding(), c.enc);
    }
    EXPECT_EQ(ReadAll(dir.filePath("lines-cp1252.txt")), QByteArray("STR1 = Caf\xE9 \x80\r\nSTR2 = \xB6 keep \xB6\r\nlast line\r\nend\r\n"));
}

TEST(StringListTest, SavingLosesNothingAndFailsCleanly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out.txt");
    TStringList l;
    l.Add(QStringLiteral("plain"));
    ASSERT_TRUE(l.SaveToFile(path));
    EXPECT_EQ(ReadAll(path), QByteArray("plain\r\n"));

    // A character Windows-1252 lacks: the file becomes UTF-8 with a mark.
    l.Add(QString(QChar(0x4E2D)));
    ASSERT_TRUE(l.SaveToFile(path));
    TStringList back;
    ASSERT_TRUE(back.LoadFromFile(path));
    EXPECT_EQ(Lines(back), Lines(l));
    EXPECT_EQ(back.Encoding(), TTextEncoding::UTF8);
    // An explicit 8-bit encoding is honoured.
    ASSERT_TRUE(l.SaveToFile(path, TTextEncoding::ANSI));
    EXPECT_EQ(ReadAll(path), QByteArray("plain\r\n?\r\n"));

    QString error;
    TStringList keep;
    keep.Add(QStringLiteral("unchanged"));
    EXPECT_FALSE(keep.LoadFromFile(dir.filePath("missing.txt"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("missing.txt")));
    EXPECT_EQ(Lines(keep), QStringList({"unchanged"}));
    error.clear();
    EXPECT_FALSE(keep.SaveToFile(dir.filePath("no/such/folder/x.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath("no")));
}

TEST(StringListTest, ObjectsAndOwnership)
{
    Tracked::alive = 0;
    {
        TStringList owning(true);
        owning.AddObject(QStringLiteral("a"), new Tracked);
        owning.AddObject(QStringLiteral("b"), new Tracked);
        owning.AddObject(QStringLiteral("c"), new Tracked);
        owning.Move(2, 0); // moving keeps the object alive
        EXPECT_EQ(Tracked::alive, 3);
        EXPECT_NE(owning.Objects(0), nullptr);
        EXPECT_EQ(owning.IndexOfObject(owning.Objects(2)), 2);
        owning.Delete(0);
        EXPECT_EQ(Tracked::alive, 2);
    }
    EXPECT_EQ(Tracked::alive, 0);

    Tracked kept;
    {
        TStringList plain;
        plain.AddObject(QStringLiteral("x"), &kept);
        TStringList copy;
        copy.Assign(&plain);
        EXPECT_EQ(copy.Objects(0), &kept);
    }
    EXPECT_EQ(Tracked::alive, 1);
}

TEST(StringListTest, ChangeEventsAreBatchedByUpdates)
{
    TStringList l;
    int changing = 0, changed = 0;
    l.OnChanging = [&](TObject* s) { EXPECT_EQ(s, &l); ++changing; };
    l.OnChange = [&](TObject*) { ++changed; };
    l.Add(QStringLiteral("a"));
    EXPECT_EQ(changed, 1);
    l.BeginUpdate();
    l.SetText(QStringLiteral("x\ny\nz"));
    l.Delete(0);
    EXPECT_EQ(changed, 1);
    l.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(Lines(l), QStringList({"y", "z"}));
}

} // namespace
