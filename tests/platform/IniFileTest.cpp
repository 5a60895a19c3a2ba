#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/IniFile.h"
#include "platform/StringList.h"

namespace {

QByteArray Get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(IniFileTest, ReadsWhatAnotherProgramWrote)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("old.ini");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("; settings\r\n[Main]\r\n  Name =  \"quoted value\" \r\nPort=502\r\nHex=$1F\r\nHex2=0xFFFFFFFF\r\n"
                "Bad=12abc\r\nBig=4294967296\r\nFlag=0\r\nOn=7\r\n\r\n[other]\r\nname=second\r\n");
    }
    const TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("main", "NAME", "d"), QStringLiteral("quoted value"));
    EXPECT_EQ(ini.ReadString("Other", "Name", "d"), QStringLiteral("second"));
    EXPECT_EQ(ini.ReadString("Main", "Missing", "d"), QStringLiteral("d"));
    EXPECT_EQ(ini.ReadString("Nowhere", "Name", "d"), QStringLiteral("d"));
    struct { const char* key; Integer expected; } ints[] = {
        {"Port", 502}, {"Hex", 31}, {"Hex2", -1}, {"Bad", -5}, {"Big", -5}, {"Name", -5}, {"Missing", -5},
    };
    for (const auto& c : ints)
        EXPECT_EQ(ini.ReadInteger("Main", c.key, -5), c.expected) << c.key;
    EXPECT_FALSE(ini.ReadBool("Main", "Flag", true));
    EXPECT_TRUE(ini.ReadBool("Main", "On", false));
    EXPECT_TRUE(ini.ReadBool("Main", "Missing", true));
    EXPECT_TRUE(ini.SectionExists("OTHER"));
    EXPECT_TRUE(ini.ValueExists("Main", "hex"));
    EXPECT_FALSE(ini.ValueExists("Main", "settings"));

    TStringList l;
    ini.ReadSections(&l);
    EXPECT_EQ(l.CommaText(), QStringLiteral("Main,other"));
    ini.ReadSection("Main", &l);
    EXPECT_EQ(l.CommaText(), QStringLiteral("Name,Port,Hex,Hex2,Bad,Big,Flag,On"));
    ini.ReadSectionValues("other", &l);
    EXPECT_EQ(l.CommaText(), QStringLiteral("name=second"));
}

TEST(IniFileTest, WritesKeepTheRestOfTheFile)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("new.ini");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("A", "x", "none"), QStringLiteral("none")); // no file yet
    ASSERT_TRUE(ini.WriteString("A", "x", "1"));
    ASSERT_TRUE(ini.WriteInteger("B", "n", -42));
    ASSERT_TRUE(ini.WriteBool("A", "flag", true));
    ASSERT_TRUE(ini.WriteString("a", "X", "changed"));
    EXPECT_EQ(Get(path), QByteArray("[A]\r\nx=changed\r\nflag=1\r\n\r\n[B]\r\nn=-42\r\n"));
    EXPECT_EQ(TIniFile(path).ReadInteger("B", "n", 0), -42);

    // Writes that would break the file's lines are refused.
    EXPECT_FALSE(ini.WriteString("A", "x", "two\nlines"));
    EXPECT_FALSE(ini.WriteString("A", "k=v", "1"));
    EXPECT_FALSE(ini.WriteString("A]", "k", "1"));
    EXPECT_FALSE(ini.WriteString("A", " ", "1"));

    ASSERT_TRUE(ini.DeleteKey("A", "flag"));
    ASSERT_TRUE(ini.EraseSection("b"));
    ASSERT_TRUE(ini.WriteString("C", "u", QString::fromUtf8("Grüße ") + QChar(0x4E2D)));
    EXPECT_EQ(TIniFile(path).ReadString("C", "u", ""), QString::fromUtf8("Grüße ") + QChar(0x4E2D));
    EXPECT_FALSE(ini.SectionExists("B"));
    EXPECT_EQ(ini.ReadString("A", "x", ""), QStringLiteral("changed"));

    TIniFile nowhere(tmp.filePath("no/such/folder/x.ini"));
    EXPECT_FALSE(nowhere.WriteString("A", "x", "1"));
}

} // namespace
