#include "shell/Settings.h"

#include "BrokenFiles.h"

#include "shell/UComon.h"

#include "platform/XmlDocument.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

class SettingsFile : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Exe_Folder = dir.path();
        // Values a previous run would have left, so that defaults show.
        Project_Name = "stale";
        Project_Folder = "/stale";
        Last_IP_Address = "1.1.1.1";
        Language_Name = "stale";
        Enable_Internet = Enable_Update = Enable_Jump_Field_Tables = Double_Click_Auto_Size = true;
    }

    void Write(const QByteArray& content)
    {
        QFile f(Setting_File());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QByteArray Read()
    {
        QFile f(Setting_File());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void ExpectDefaults()
    {
        EXPECT_EQ(Project_Name, "");
        EXPECT_EQ(Project_Folder, "");
        EXPECT_EQ(Last_IP_Address, "192.168.2.205");
        EXPECT_EQ(Language_Name, "English");
        EXPECT_FALSE(Enable_Internet);
        EXPECT_FALSE(Enable_Update);
        EXPECT_FALSE(Enable_Jump_Field_Tables);
        EXPECT_FALSE(Double_Click_Auto_Size);
    }

    QTemporaryDir dir;
};

TEST_F(SettingsFile, MissingEmptyOrBrokenFileGivesDefaults)
{
    {
        SCOPED_TRACE("missing");
        Load_Setting();
        ExpectDefaults();
    }
    const char* broken[] = {"", "   \n", "<Conf_Settings><lastproj>", "not xml at all", "<a></b>"};
    for (const char* content : broken) {
        SCOPED_TRACE(content);
        SetUp();
        Write(content);
        Load_Setting();
        ExpectDefaults();
    }
    // A written file cut short, and random bytes.
    SetUp();
    Save_Setting();
    const QByteArray written = Read();
    ASSERT_FALSE(written.isEmpty());
    for (const TBrokenFile& b : BrokenFiles(written)) {
        SCOPED_TRACE(b.Name);
        SetUp();
        Write(b.Bytes);
        Load_Setting();
        ExpectDefaults();
    }
}

TEST_F(SettingsFile, EachValueIsReadOnItsOwn)
{
    struct Case {
        const char* xml;
        const char* name; const char* ip; const char* language;
        bool internet, update, jump, autosize;
    };
    const Case cases[] = {
        // only the language
        {"<Conf_Settings><lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
         "", "192.168.2.205", "Deutsch", false, false, false, false},
        // a name New would refuse reopens nothing; the rest is read
        {"<Conf_Settings><lastproj><projectname>..</projectname></lastproj>"
         "<lastlang><language>Deutsch</language></lastlang></Conf_Settings>",
         "", "192.168.2.205", "Deutsch", false, false, false, false},
        {"<Conf_Settings><lastproj><projectname>../x</projectname></lastproj></Conf_Settings>",
         "", "192.168.2.205", "English", false, false, false, false},
        {"<Conf_Settings><lastproj><projectname>/etc</projectname></lastproj></Conf_Settings>",
         "", "192.168.2.205", "English", false, false, false, false},
        {"<Conf_Settings><lastproj><projectname>a\\b</projectname></lastproj></Conf_Settings>",
         "", "192.168.2.205", "English", false, false, false, false},
        // a comment before the root does not hide it
        {"<!-- saved --><Conf_Settings><lastproj><projectname>Plant.1</projectname></lastproj></Conf_Settings>",
         "Plant.1", "192.168.2.205", "English", false, false, false, false},
        // everything, in another root name (the document element is the root)
        {"<Other><lastproj><projectname>Plant A</projectname></lastproj>"
         "<lastipadd><ipaddress>10.0.0.7</ipaddress></lastipadd>"
         "<lastlang><language>Italiano</language></lastlang>"
         "<lastinternet><enable_internet>1</enable_internet><enable_update>1</enable_update>"
         "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>1</Double_Click_Auto_Size>"
         "</lastinternet></Other>",
         "Plant A", "10.0.0.7", "Italiano", true, true, true, true},
        // flags are true only for exactly "1"
        {"<Conf_Settings><lastinternet><enable_internet>true</enable_internet><enable_update> 1</enable_update>"
         "<enable_jump_field_tables>1</enable_jump_field_tables><Double_Click_Auto_Size>0</Double_Click_Auto_Size>"
         "</lastinternet></Conf_Settings>",
         "", "192.168.2.205", "English", false, false, true, false},
        // no lastinternet: all flags off; leaves at the wrong level do not count
        {"<Conf_Settings><lastproj><projectname>P</projectname></lastproj><enable_internet>1</enable_internet>"
         "</Conf_Settings>",
         "P", "192.168.2.205", "English", false, false, false, false},
        // a present but empty element gives the empty text
        {"<Conf_Settings><lastipadd><ipaddress/></lastipadd><lastlang><language></language></lastlang></Conf_Settings>",
         "", "", "", false, false, false, false},
        // element names are case-sensitive; the first of a name counts
        {"<Conf_Settings><LastProj><projectname>X</projectname></LastProj>"
         "<lastipadd><ipaddress>1.2.3.4</ipaddress><ipaddress>5.6.7.8</ipaddress></lastipadd></Conf_Settings>",
         "", "1.2.3.4", "English", false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.xml);
        SetUp();
        Write(c.xml);
        Load_Setting();
        EXPECT_EQ(Project_Name, QString::fromUtf8(c.name));
        EXPECT_EQ(Last_IP_Address, QString::fromUtf8(c.ip));
        EXPECT_EQ(Language_Name, QString::fromUtf8(c.language));
        EXPECT_EQ(Enable_Internet, c.internet);
        EXPECT_EQ(Enable_Update, c.update);
        EXPECT_EQ(Enable_Jump_Field_Tables, c.jump);
        EXPECT_EQ(Double_Click_Auto_Size, c.autosize);
    }
}

TEST_F(SettingsFile, WriteHasTheFixedTreeAndReadsBack)
{
    Load_Setting();  // no file: defaults
    ASSERT_TRUE(Save_Setting());

    TXMLDocument xml;
    ASSERT_TRUE(xml.LoadFromFile(Setting_File()));
    ASSERT_EQ(xml.ChildCount(), 1);  // no comment beside the root
    const TXMLNode root = xml.Root();
    EXPECT_EQ(root.NodeName(), "Conf_Settings");
    const QStringList groups = {"lastproj", "lastipadd", "lastlang", "lastinternet"};
    const QList<QStringList> leaves = {{"projectname"}, {"ipaddress"}, {"language"},
                                       {"enable_internet", "enable_update", "enable_jump_field_tables",
                                        "Double_Click_Auto_Size"}};
    const QList<QStringList> values = {{""}, {"192.168.2.205"}, {"English"}, {"0", "0", "0", "0"}};
    ASSERT_EQ(root.ChildCount(), 4);
    for (int g = 0; g < 4; ++g) {
        const TXMLNode group = root.Child(g);
        EXPECT_EQ(group.NodeName(), groups[g]);
        ASSERT_EQ(group.ChildCount(), leaves[g].size());
        for (int l = 0; l < leaves[g].size(); ++l) {
            EXPECT_EQ(group.Child(l).NodeName(), leaves[g][l]);
            EXPECT_EQ(group.Child(l).Text(), values[g][l]);
        }
    }

    Project_Name = "Plant A";
    Last_IP_Address = "10.1.2.3";
    Language_Name = QString::fromUtf8("Fran\xc3\xa7" "ais");
    Enable_Internet = true;
    Enable_Update = false;
    Enable_Jump_Field_Tables = true;
    Double_Click_Auto_Size = false;
    ASSERT_TRUE(Save_Setting());
    SetUp();
    Load_Setting();
    EXPECT_EQ(Project_Name, "Plant A");
    EXPECT_EQ(Last_IP_Address, "10.1.2.3");
    EXPECT_EQ(Language_Name, QString::fromUtf8("Fran\xc3\xa7" "ais"));
    EXPECT_TRUE(Enable_Internet);
    EXPECT_FALSE(Enable_Update);
    EXPECT_TRUE(Enable_Jump_Field_Tables);
    EXPECT_FALSE(Double_Click_Auto_Size);
}

TEST_F(SettingsFile, FailedWriteKeepsTheOldFile)
{
    Project_Name = "Old";
    ASSERT_TRUE(Save_Setting());
    const QByteArray old = Read();
    ASSERT_TRUE(old.contains("Old"));
    Project_Name = "New";

    // A locked (read-only) file.
    ASSERT_TRUE(QFile::setPermissions(Setting_File(), QFile::ReadOwner));
    QString error;
    EXPECT_FALSE(Save_Setting(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(Read(), old);
    ASSERT_TRUE(QFile::setPermissions(Setting_File(), QFile::ReadOwner | QFile::WriteOwner));

    // A program folder that is gone: no file, no crash.
    Exe_Folder = dir.filePath("gone");
    EXPECT_FALSE(Save_Setting());
    EXPECT_FALSE(QFile::exists(Setting_File()));
}

// No room on the disk: a file size limit stops the write part-way. Disabled
// while the platform's whole-file write still commits the part it wrote
// (its buffered write does not see the short write); enable it with that fix.
TEST_F(SettingsFile, NoRoomKeepsTheOldFile)
{
    Project_Name = "Old";
    ASSERT_TRUE(Save_Setting());
    const QByteArray old = Read();
    Project_Name = "New";

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 40;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = Save_Setting();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(Read(), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"Arvinto.xml"});

}

} // namespace
