// Configuration folders: creating one with its checks and refusals, listing
// them, finding a name in the list.
#include "shell/ProjectFolders.h"
#include "shell/UComon.h"

#include "Capabilities.h"
#include "platform/FileSystem.h"
#include "platform/StringList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <linux/capability.h>

namespace {

class ProjectFoldersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        Exe_Folder = tmp.path();
        Projects_Folder = Exe_Folder + "/PROJECTS";
        ASSERT_TRUE(QDir().mkdir(Projects_Folder));
        Project_Name = "Old";
        Project_Folder = Projects_Folder + "/Old";
        Set_Files();
    }
    QTemporaryDir tmp;
};

TEST_F(ProjectFoldersTest, CreatesTheFolderWithBinAndOpensIt)
{
    EXPECT_EQ(Create_Project_Folder("Site1"), 0);
    EXPECT_TRUE(QDir(Projects_Folder + "/Site1/bin").exists());
    EXPECT_EQ(Project_Name, "Site1");
    EXPECT_EQ(Project_Folder, Projects_Folder + "/Site1");
    EXPECT_EQ(ParGen_File, Projects_Folder + "/Site1/ParGen.xml");
    // No configuration file is made: only the empty bin folder.
    EXPECT_EQ(QDir(Projects_Folder + "/Site1").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"bin"});
    // The name is used as typed, blanks included.
    EXPECT_EQ(Create_Project_Folder(" Plant A "), 0);
    EXPECT_TRUE(QDir(Projects_Folder + "/ Plant A /bin").exists());
}

TEST_F(ProjectFoldersTest, RefusedNamesChangeNothing)
{
    ASSERT_TRUE(QDir().mkdir(Projects_Folder + "/Site1"));
    ASSERT_TRUE(QDir().mkdir(Exe_Folder + "/Outside"));
    const struct { QString name; Integer text; } cases[] = {
        {"", 107},
        {"Site1", 106},
        {"..", 105},
        {".", 105},
        {"../Escaped", 105},
        {"Site1/Nested", 105},
        {"a\\b", 105},
        {"/abs", 105},
        {QString(300, u'x'), 105},  // longer than a folder name may be
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(Create_Project_Folder(c.name), c.text);
        EXPECT_EQ(Project_Name, "Old");
        EXPECT_EQ(Project_Folder, Projects_Folder + "/Old");
        EXPECT_EQ(ParGen_File, Projects_Folder + "/Old/ParGen.xml");
    }
    EXPECT_FALSE(QDir(Exe_Folder + "/Escaped").exists());
    EXPECT_FALSE(QDir(Projects_Folder + "/Site1/Nested").exists());
    EXPECT_EQ(QDir(Projects_Folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Site1"});

    // Without the PROJECTS folder nothing can be created.
    ASSERT_TRUE(QDir(Projects_Folder).removeRecursively());
    EXPECT_EQ(Create_Project_Folder("Site2"), 105);
    EXPECT_FALSE(QDir(Projects_Folder).exists());
}

TEST_F(ProjectFoldersTest, ANameInAnotherLetterCaseIsTakenAndTheExactNameIsFound)
{
    ASSERT_TRUE(QDir().mkdir(Projects_Folder + "/Plant"));
    ASSERT_TRUE(QDir().mkdir(Projects_Folder + "/.Hidden"));
    for (const char* name : {"plant", "PLANT", ".hidden"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Create_Project_Folder(name), 106);
        EXPECT_EQ(Project_Name, "Old");
    }
    EXPECT_EQ(QDir(Projects_Folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{".Hidden", "Plant"}));
    // A file of that name is no configuration: the folder is made beside it.
    QFile file(Projects_Folder + "/notes");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(Create_Project_Folder("Notes"), 0);

    // Folders made by other means may differ only in case: the exact name
    // wins wherever it stands; without it, the first in any case.
    TStringList list;
    for (const char* name : {"Plant", "plant", "PLANT"})
        list.Add(name);
    EXPECT_EQ(Find_Project_Name(list, "plant"), 1);
    EXPECT_EQ(Find_Project_Name(list, "PLANT"), 2);
    EXPECT_EQ(Find_Project_Name(list, "pLant"), 0);
}

TEST_F(ProjectFoldersTest, ListsVisibleFoldersOnlyAndFindsNamesIgnoringAsciiCase)
{
    for (const char* name : {"B", "A", "C", ".hidden", "Été"})
        ASSERT_TRUE(QDir().mkdir(Projects_Folder + "/" + QString::fromUtf8(name)));
    QFile file(Projects_Folder + "/notes.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    TStringList list;
    list.Add("stale");
    List_Project_Folders(list);
    ASSERT_EQ(list.Count(), 4);
    QStringList names;
    for (Integer i = 0; i < list.Count(); ++i)
        names << list.Strings(i);
    names.sort();
    EXPECT_EQ(names, (QStringList{"A", "B", "C", QString::fromUtf8("Été")}));

    ASSERT_GE(list.IndexOf("B"), 0);
    EXPECT_EQ(Find_Project_Name(list, "b"), list.IndexOf("B"));
    EXPECT_EQ(Find_Project_Name(list, QString::fromUtf8("Été")), list.IndexOf(QString::fromUtf8("Été")));
    // Only a to z ignore case.
    EXPECT_EQ(Find_Project_Name(list, QString::fromUtf8("éTÉ")), -1);
    EXPECT_EQ(Find_Project_Name(list, "D"), -1);
    EXPECT_EQ(Find_Project_Name(list, ""), -1);

    Projects_Folder = Exe_Folder + "/missing";
    List_Project_Folders(list);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ProgramFolders, BesideAWritableProgramOrInTheUsersDataFolder)
{
    QTemporaryDir program, user;
    ASSERT_TRUE(program.isValid() && user.isValid());
    Exe_Folder = program.path();
    const QString userData = user.path() + "/Arvinto";

    // A program folder that can be written keeps everything beside itself.
    EXPECT_TRUE(Make_Program_Folders(userData).isEmpty());
    EXPECT_EQ(Data_Folder, Exe_Folder);
    EXPECT_EQ(Projects_Folder, Exe_Folder + "/PROJECTS");
    EXPECT_EQ(Master_Folder, Exe_Folder + "/MASTER");
    EXPECT_EQ(Language_Folder, Exe_Folder + "/LANGUAGE");
    for (const char* folder : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(QDir(Exe_Folder + "/" + folder).exists()) << folder;
    EXPECT_FALSE(QDir(userData).exists());

    // A system-wide install: nobody may write the program's folder, which
    // brought its languages along but no MASTER folder.
    ASSERT_TRUE(QDir(Exe_Folder + "/MASTER").removeRecursively());
    ASSERT_TRUE(QDir(Exe_Folder + "/PROJECTS").removeRecursively());
    ASSERT_TRUE(QFile::setPermissions(Exe_Folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QStringList failures;
    std::string why;
    ASSERT_TRUE(testsupport::WithoutCapabilities({CAP_DAC_OVERRIDE}, [&] {
        EXPECT_FALSE(DirectoryWritable(Exe_Folder));
        failures = Make_Program_Folders(userData);
    }, why)) << why;
    EXPECT_TRUE(failures.isEmpty()) << failures.join('\n').toStdString();
    EXPECT_EQ(Data_Folder, userData);
    EXPECT_EQ(Projects_Folder, userData + "/PROJECTS");
    EXPECT_EQ(Master_Folder, userData + "/MASTER");
    EXPECT_EQ(Language_Folder, Exe_Folder + "/LANGUAGE");
    EXPECT_TRUE(QDir(userData + "/PROJECTS").exists());
    EXPECT_TRUE(QDir(userData + "/MASTER").exists());
    EXPECT_FALSE(QDir(userData + "/LANGUAGE").exists());

    // A user folder that cannot be made either: each folder is named.
    QFile blocker(user.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ASSERT_TRUE(testsupport::WithoutCapabilities({CAP_DAC_OVERRIDE}, [&] {
        failures = Make_Program_Folders(user.path() + "/file/Arvinto");
    }, why)) << why;
    ASSERT_EQ(failures.size(), 2);
    EXPECT_TRUE(failures[0].contains(user.path() + "/file/Arvinto/MASTER"));
    EXPECT_TRUE(failures[1].contains(user.path() + "/file/Arvinto/PROJECTS"));
    EXPECT_TRUE(failures[1].endsWith("File exists")) << failures[1].toStdString(); // the system's own reason

    ASSERT_TRUE(QFile::setPermissions(Exe_Folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    Data_Folder.clear();
}

} // namespace
