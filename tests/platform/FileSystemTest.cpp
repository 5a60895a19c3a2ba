#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/FileSystem.h"

namespace {

void Put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList FolderEntries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

TEST(FileSystemTest, ExistenceAndFolders)
{
    QTemporaryDir tmp;
    const QString root = tmp.path();
    const QString file = root + "/a.txt";
    Put(file, "x");
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(root));
    EXPECT_FALSE(FileExists(QString()));
    EXPECT_TRUE(DirectoryExists(root));
    EXPECT_FALSE(DirectoryExists(file));

    EXPECT_TRUE(CreateDir(root + "/PROJECTS"));
    EXPECT_FALSE(CreateDir(root + "/PROJECTS"));       // already there
    EXPECT_FALSE(CreateDir(root + "/MASTER/sub"));     // parent missing
    EXPECT_TRUE(ForceDirectories(root + "/MASTER/sub/deeper"));
    EXPECT_TRUE(DirectoryExists(root + "/MASTER/sub/deeper"));
    EXPECT_TRUE(ForceDirectories(root + "/MASTER"));   // existing is fine
    EXPECT_FALSE(ForceDirectories(file + "/below"));   // a file in the way
    EXPECT_TRUE(RemoveDir(root + "/MASTER/sub/deeper"));
    EXPECT_TRUE(RenameFile(file, root + "/b.txt"));
    EXPECT_TRUE(DeleteFile(root + "/b.txt"));
    EXPECT_FALSE(DeleteFile(root + "/b.txt"));
}

TEST(FileSystemTest, PathPieces)
{
    EXPECT_EQ(ExtractFilePath("/opt/app/PROJECTS/Plant A/ParGen.xml"), QStringLiteral("/opt/app/PROJECTS/Plant A/"));
    EXPECT_EQ(ExtractFilePath("ParGen.xml"), QString());
    EXPECT_EQ(ExtractFileName("/x/y/English.lng"), QStringLiteral("English.lng"));
    EXPECT_EQ(ExtractFileExt("/x.d/y"), QString());
    EXPECT_EQ(ExtractFileExt("/x/file.tar.gz"), QStringLiteral(".gz"));
    EXPECT_EQ(ChangeFileExt("/x/EDE.txt", ".csv"), QStringLiteral("/x/EDE.csv"));
    EXPECT_EQ(ChangeFileExt("/x.d/EDE", ".csv"), QStringLiteral("/x.d/EDE.csv"));
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), QStringLiteral("/a/"));
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), QStringLiteral("/a/"));
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a//"), QStringLiteral("/a"));
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), QStringLiteral("/"));
    EXPECT_EQ(ExeFolder(), QCoreApplication::applicationDirPath());
    EXPECT_FALSE(ExeFolder().endsWith('/'));
    EXPECT_TRUE(FileExists(ExeFolder() + "/test_platform"));
}

TEST(FileSystemTest, WholeFileWriteNeverLeavesHalfAFile)
{
    QTemporaryDir tmp;
    const QString target = tmp.filePath("bank1.bin");
    QByteArray data(2048, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(i * 7);
    ASSERT_TRUE(WriteWholeFile(target, data));
    EXPECT_EQ(Get(target), data);
    ASSERT_TRUE(WriteWholeFile(target, "new"));
    EXPECT_EQ(Get(target), QByteArray("new"));
    EXPECT_EQ(FolderEntries(tmp.path()), QStringList({"bank1.bin"})); // nothing left beside it

    // A read-only target and a missing folder: refused, the old file intact.
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QString error;
    EXPECT_FALSE(WriteWholeFile(target, "other", &error));
    EXPECT_TRUE(error.contains(QStringLiteral("read-only"))) << error.toStdString();
    EXPECT_EQ(Get(target), QByteArray("new"));
    EXPECT_FALSE(WriteWholeFile(tmp.filePath("bin/bank2.bin"), "x", &error));
    EXPECT_FALSE(DirectoryExists(tmp.filePath("bin")));
    EXPECT_FALSE(WriteWholeFile(tmp.path(), "x", &error));
    EXPECT_EQ(FolderEntries(tmp.path()), QStringList({"bank1.bin"}));

    QByteArray back;
    EXPECT_TRUE(ReadWholeFile(target, back));
    EXPECT_EQ(back, QByteArray("new"));
    back = "kept";
    EXPECT_FALSE(ReadWholeFile(tmp.filePath("none"), back, &error));
    EXPECT_EQ(back, QByteArray("kept"));
    EXPECT_TRUE(error.contains(QStringLiteral("none")));
}

TEST(FileSystemTest, FilesWrittenTogetherAreReplacedTogetherOrNotAtAll)
{
    QTemporaryDir tmp;
    const QString one = tmp.filePath("bank1.bin"), two = tmp.filePath("bank2.bin");
    ASSERT_TRUE(WriteWholeFiles({{one, "old 1"}, {two, "old 2"}}));
    EXPECT_EQ(Get(one), QByteArray("old 1"));
    EXPECT_EQ(Get(two), QByteArray("old 2"));
    // The new files are readable by others, as a plain new file is.
    EXPECT_TRUE(QFileInfo(one).permissions() & QFileDevice::ReadOther);

    // The second cannot be written (read-only, a folder, no folder): the
    // first keeps its old content and nothing is left beside them.
    QFile::setPermissions(two, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QString error;
    EXPECT_FALSE(WriteWholeFiles({{one, "new 1"}, {two, "new 2"}}, &error));
    EXPECT_TRUE(error.contains("bank2.bin") && error.contains("read-only")) << error.toStdString();
    EXPECT_FALSE(WriteWholeFiles({{one, "new 1"}, {tmp.filePath("missing/bank2.bin"), "new 2"}}, &error));
    ASSERT_TRUE(QDir(tmp.path()).mkdir("bank3.bin"));
    EXPECT_FALSE(WriteWholeFiles({{one, "new 1"}, {tmp.filePath("bank3.bin"), "new 3"}}, &error));
    EXPECT_EQ(Get(one), QByteArray("old 1"));
    EXPECT_EQ(Get(two), QByteArray("old 2"));
    EXPECT_EQ(FolderEntries(tmp.path()), QStringList({"bank1.bin", "bank2.bin", "bank3.bin"}));

    // Both writable: both replaced, the first keeping its permissions.
    QFile::setPermissions(two, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::setPermissions(one, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(WriteWholeFiles({{one, "new 1"}, {two, "new 2"}}, &error)) << error.toStdString();
    EXPECT_EQ(Get(one), QByteArray("new 1"));
    EXPECT_EQ(Get(two), QByteArray("new 2"));
    EXPECT_FALSE(QFileInfo(one).permissions() & QFileDevice::ReadOther);
    EXPECT_EQ(FolderEntries(tmp.path()), QStringList({"bank1.bin", "bank2.bin", "bank3.bin"}));
}

TEST(FileSystemTest, CopyFile)
{
    QTemporaryDir tmp;
    Put(tmp.filePath("src.icd"), "<SCL/>");
    EXPECT_TRUE(CopyFile(tmp.filePath("src.icd"), tmp.filePath("dst.icd"), true));
    EXPECT_EQ(Get(tmp.filePath("dst.icd")), QByteArray("<SCL/>"));
    Put(tmp.filePath("src.icd"), "<SCL version='2'/>");
    EXPECT_FALSE(CopyFile(tmp.filePath("src.icd"), tmp.filePath("dst.icd"), true));
    EXPECT_EQ(Get(tmp.filePath("dst.icd")), QByteArray("<SCL/>"));
    EXPECT_TRUE(CopyFile(tmp.filePath("src.icd"), tmp.filePath("dst.icd"), false));
    EXPECT_EQ(Get(tmp.filePath("dst.icd")), QByteArray("<SCL version='2'/>"));
    QString error;
    EXPECT_FALSE(CopyFile(tmp.filePath("missing"), tmp.filePath("x"), false, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(FileExists(tmp.filePath("x")));
}

TEST(FileSystemTest, ListingWithAnAttributeMask)
{
    QTemporaryDir tmp;
    const QString d = tmp.path();
    Put(d + "/English.lng", "a");
    Put(d + "/italiano.LNG", "bb");
    Put(d + "/.hidden.lng", "c");
    Put(d + "/locked.lng", "d");
    Put(d + "/notes.txt", "e");
    QFile::setPermissions(d + "/locked.lng", QFileDevice::ReadOwner);
    QDir(d).mkdir("folder.lng");
    QFile::link(d + "/English.lng", d + "/link.lng");

    auto list = [&](const QString& pattern, Integer attr) {
        QStringList names;
        TSearchRec f;
        for (Integer r = FindFirst(pattern, attr, f); r == 0; r = FindNext(f))
            names << QStringLiteral("%1:%2").arg(f.Name).arg(f.Attr, 0, 16);
        FindClose(f);
        return names;
    };
    // Plain, read-only and link entries always; hidden ones and folders only on request.
    EXPECT_EQ(list(d + "/*.lng", 0), QStringList({"English.lng:20", "italiano.LNG:20", "link.lng:420", "locked.lng:21"}));
    EXPECT_EQ(list(d + "/*.lng", 0x22A6), QStringList({".hidden.lng:22", "English.lng:20", "italiano.LNG:20", "link.lng:420", "locked.lng:21"}));
    EXPECT_EQ(list(d + "/*", faAnyFile).size(), 7);
    EXPECT_EQ(list(d + "/*.*", faDirectory), QStringList({"English.lng:20", "folder.lng:10", "italiano.LNG:20", "link.lng:420", "locked.lng:21", "notes.txt:20"}));
    EXPECT_EQ(list(d + "/?otes.*", 0), QStringList({"notes.txt:20"}));

    TSearchRec f;
    ASSERT_EQ(FindFirst(d + "/italiano.lng", 0, f), 0);
    EXPECT_EQ(f.Size, 2);
    EXPECT_NEAR(f.Time, Now(), 1.0 / 24);
    EXPECT_NE(FindNext(f), 0);
    EXPECT_NE(FindFirst(d + "/*.xyz", faAnyFile, f), 0);
    EXPECT_NE(FindFirst(d + "/nowhere/*", faAnyFile, f), 0);
}

} // namespace
