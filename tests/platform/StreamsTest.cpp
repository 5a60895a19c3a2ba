#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/StringList.h"
#include "platform/Streams.h"

namespace {

QByteArray Get(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TEST(StreamsTest, MemoryStreamReadsWritesAndSeeks)
{
    TMemoryStream m;
    m.WriteBuffer("hello", 5);
    EXPECT_EQ(m.Position(), 5);
    EXPECT_EQ(m.Seek(-2, soEnd), 3);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 8), 2);
    EXPECT_EQ(QByteArray(buf, 2), QByteArray("lo"));
    EXPECT_THROW(m.ReadBuffer(buf, 1), EReadError);
    // Writing past the end leaves zeros in the gap.
    m.SetPosition(7);
    m.WriteBuffer("!", 1);
    EXPECT_EQ(m.Bytes(), QByteArray("hello\0\0!", 8));
    m.SetSize(3);
    EXPECT_EQ(m.Position(), 3);
    m.SetSize(5);
    EXPECT_EQ(m.Bytes(), QByteArray("hel\0\0", 5));
    EXPECT_EQ(m.Seek(-10, soCurrent), 3); // a seek before the start is ignored
    m.Clear();
    EXPECT_EQ(m.Size(), 0);
}

TEST(StreamsTest, FileStreamCreateReplacesTheFileOnlyWhenComplete)
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath("tree.dat");
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("first version", 13);
        EXPECT_FALSE(QFile::exists(path)); // not in place before the stream ends
    }
    EXPECT_EQ(Get(path), QByteArray("first version"));

    // A writer that fails half-way: the old file stays whole.
    try {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("half", 4);
        throw std::runtime_error("writer failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Get(path), QByteArray("first version"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"tree.dat"}));

    {
        TFileStream f(path, fmOpenReadWrite | fmShareDenyWrite);
        EXPECT_EQ(f.Size(), 13);
        f.Seek(6, soBeginning);
        f.WriteBuffer("VERSION", 7);
        f.SetSize(9);
    }
    EXPECT_EQ(Get(path), QByteArray("first VER"));
    {
        TFileStream f(path, fmOpenRead);
        char buf[16] = {};
        EXPECT_EQ(f.Read(buf, 16), 9);
        EXPECT_EQ(f.Write("x", 1), 0); // opened for reading only
        EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
    }

    EXPECT_THROW(TFileStream(tmp.filePath("missing"), fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(tmp.filePath("no/folder/x"), fmCreate), EFCreateError);
    EXPECT_THROW(TFileStream(tmp.path(), fmCreate), EFCreateError);
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    EXPECT_THROW(TFileStream(path, fmCreate), EFCreateError);
    EXPECT_EQ(Get(path), QByteArray("first VER"));
}

TEST(StreamsTest, CopyAndWholeStreamTransfers)
{
    QTemporaryDir tmp;
    TMemoryStream src;
    QByteArray big(200000, 'a');
    for (int i = 0; i < big.size(); ++i)
        big[i] = char(i % 251);
    src.WriteBuffer(big);
    TMemoryStream dst;
    EXPECT_EQ(dst.CopyFrom(&src, 0), big.size());
    EXPECT_EQ(dst.Bytes(), big);
    src.SetPosition(10);
    TMemoryStream part;
    EXPECT_EQ(part.CopyFrom(&src, 5), 5);
    EXPECT_EQ(part.Bytes(), big.mid(10, 5));
    EXPECT_THROW(part.CopyFrom(&src, big.size()), EReadError);

    src.SaveToFile(tmp.filePath("m.bin"));
    TMemoryStream back;
    back.LoadFromFile(tmp.filePath("m.bin"));
    EXPECT_EQ(back.Bytes(), big);
    EXPECT_THROW(back.LoadFromFile(tmp.filePath("none.bin")), EFOpenError);
    EXPECT_EQ(back.Bytes(), big);
    EXPECT_THROW(back.SaveToFile(tmp.filePath("none/m.bin")), EFCreateError);

    // String lists through streams: from the position on, in the list's encoding.
    TStringList l;
    l.SetText(QString::fromUtf8("één\ntwee"));
    TMemoryStream text;
    text.WriteBuffer("skip", 4);
    l.SaveToStream(&text, TTextEncoding::UTF16LE);
    text.SetPosition(4);
    TStringList l2;
    l2.LoadFromStream(&text);
    EXPECT_EQ(l2.Text(), l.Text());
    EXPECT_EQ(l2.Encoding(), TTextEncoding::UTF16LE);
}

} // namespace
