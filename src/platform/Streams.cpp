#include "Streams.h"

#include "FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// ---------------------------------------------------------------------------
// TStream

Int64 TStream::Size()
{
    const Int64 pos = Seek(0, soCurrent);
    const Int64 end = Seek(0, soEnd);
    Seek(pos, soBeginning);
    return end;
}

void TStream::ReadBuffer(void* Buffer, Int64 Count)
{
    if (Count > 0 && Read(Buffer, Count) != Count)
        throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void* Buffer, Int64 Count)
{
    if (Count > 0 && Write(Buffer, Count) != Count)
        throw EWriteError(QStringLiteral("Stream write error"));
}

Int64 TStream::CopyFrom(TStream* Source, Int64 Count)
{
    if (Source == nullptr)
        return 0;
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->Size();
    }
    char buf[65536];
    Int64 done = 0;
    while (done < Count) {
        const Int64 n = std::min<Int64>(Count - done, Int64(sizeof buf));
        Source->ReadBuffer(buf, n);
        WriteBuffer(buf, n);
        done += n;
    }
    return done;
}

// ---------------------------------------------------------------------------
// TFileStream

struct TFileStream::Impl {
    int fd = -1;
    bool creating = false;
    QByteArray target;    // fmCreate: the file that the new content replaces
    QByteArray temporary; // fmCreate: where the new content is written
    int uncaught = 0;
    mode_t mode = 0644;
};

namespace {
QString SystemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

TFileStream::TFileStream(const QString& FileName, Word Mode) : d_(std::make_unique<Impl>()), fileName_(FileName)
{
    const QByteArray path = QFile::encodeName(FileName);
    if ((Mode & 0xFF00) == fmCreate) {
        const QFileInfo info(FileName);
        auto fail = [&](const QString& why) {
            throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, why));
        };
        if (FileName.isEmpty() || info.isDir())
            fail(QStringLiteral("It is a folder."));
        struct stat st {};
        if (::stat(path.constData(), &st) == 0) {
            if (!(st.st_mode & S_IWUSR))
                fail(QStringLiteral("Access is denied: the file is read-only."));
            d_->mode = st.st_mode & 07777;
        }
        d_->target = path;
        d_->temporary = QFile::encodeName(ExtractFilePath(FileName) + QStringLiteral(".") + ExtractFileName(FileName) + QStringLiteral(".XXXXXX"));
        d_->fd = ::mkstemp(d_->temporary.data());
        if (d_->fd < 0)
            fail(SystemError());
        d_->creating = true;
        d_->uncaught = std::uncaught_exceptions();
        return;
    }
    const int access = Mode & 0x3;
    const int flags = access == fmOpenWrite ? O_WRONLY : access == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    if (QFileInfo(FileName).isDir())
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". It is a folder.").arg(FileName));
    d_->fd = ::open(path.constData(), flags | O_CLOEXEC);
    if (d_->fd < 0)
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, SystemError()));
}

TFileStream::~TFileStream()
{
    if (d_->fd < 0)
        return;
    if (!d_->creating) {
        ::close(d_->fd);
        return;
    }
    // The new content takes the file's place only when it was written to the
    // end: not while an exception unwinds the writer.
    const bool keep = std::uncaught_exceptions() <= d_->uncaught;
    bool ok = keep && ::fchmod(d_->fd, d_->mode) == 0 && ::fsync(d_->fd) == 0;
    ok = ::close(d_->fd) == 0 && ok;
    if (!ok || ::rename(d_->temporary.constData(), d_->target.constData()) != 0)
        ::unlink(d_->temporary.constData());
}

namespace {
// Moves up to Count bytes with `op` (read or write), past interruptions.
template <class Op>
Int64 Transfer(Op op, Int64 Count)
{
    Int64 done = 0;
    while (done < Count) {
        const ssize_t n = op(done, size_t(Count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}
} // namespace

Int64 TFileStream::Read(void* Buffer, Int64 Count)
{
    auto* p = static_cast<char*>(Buffer);
    return Transfer([&](Int64 at, size_t n) { return ::read(d_->fd, p + at, n); }, Count);
}

Int64 TFileStream::Write(const void* Buffer, Int64 Count)
{
    const auto* p = static_cast<const char*>(Buffer);
    return Transfer([&](Int64 at, size_t n) { return ::write(d_->fd, p + at, n); }, Count);
}

Int64 TFileStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(d_->fd, off_t(Offset), whence);
    return r < 0 ? ::lseek(d_->fd, 0, SEEK_CUR) : Int64(r);
}

void TFileStream::SetSize(Int64 NewSize)
{
    if (NewSize < 0 || ::ftruncate(d_->fd, off_t(NewSize)) != 0)
        throw EWriteError(QStringLiteral("Stream write error"));
    if (Position() > NewSize)
        SetPosition(NewSize);
}

// ---------------------------------------------------------------------------
// TMemoryStream

Int64 TMemoryStream::Read(void* Buffer, Int64 Count)
{
    const Int64 n = std::clamp<Int64>(data_.size() - pos_, 0, std::max<Int64>(Count, 0));
    if (n > 0)
        std::memcpy(Buffer, data_.constData() + pos_, size_t(n));
    pos_ += n;
    return n;
}

Int64 TMemoryStream::Write(const void* Buffer, Int64 Count)
{
    if (Count <= 0)
        return 0;
    if (pos_ + Count > data_.size()) {
        const qsizetype old = data_.size();
        data_.resize(qsizetype(pos_ + Count));
        if (pos_ > old) // a gap left by a seek past the end reads as zeros
            std::memset(data_.data() + old, 0, size_t(pos_ - old));
    }
    std::memcpy(data_.data() + pos_, Buffer, size_t(Count));
    pos_ += Count;
    return Count;
}

Int64 TMemoryStream::Seek(Int64 Offset, TSeekOrigin Origin)
{
    const Int64 base = Origin == soBeginning ? 0 : Origin == soCurrent ? pos_ : data_.size();
    const Int64 to = base + Offset;
    if (to >= 0)
        pos_ = to;
    return pos_;
}

void TMemoryStream::SetSize(Int64 NewSize)
{
    if (NewSize < 0)
        throw EWriteError(QStringLiteral("Stream write error"));
    const qsizetype old = data_.size();
    data_.resize(qsizetype(NewSize));
    if (NewSize > old)
        std::memset(data_.data() + old, 0, size_t(NewSize - old));
    pos_ = std::min(pos_, NewSize);
}

void TMemoryStream::Clear()
{
    data_.clear();
    pos_ = 0;
}

void TMemoryStream::LoadFromFile(const QString& FileName)
{
    QByteArray bytes;
    QString error;
    if (!ReadWholeFile(FileName, bytes, &error))
        throw EFOpenError(error);
    data_ = std::move(bytes);
    pos_ = 0;
}

void TMemoryStream::SaveToFile(const QString& FileName) const
{
    QString error;
    if (!WriteWholeFile(FileName, data_, &error))
        throw EFCreateError(error);
}

void TMemoryStream::LoadFromStream(TStream* Stream)
{
    Stream->SetPosition(0);
    const Int64 n = Stream->Size();
    QByteArray bytes(qsizetype(n), Qt::Uninitialized);
    Stream->ReadBuffer(bytes.data(), n);
    data_ = std::move(bytes);
    pos_ = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) const
{
    Stream->WriteBuffer(data_.constData(), data_.size());
}
