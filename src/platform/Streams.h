#pragma once
// Byte streams: the TStream interface, files (TFileStream) and memory
// (TMemoryStream). Failures raise the stream errors below, as callers of
// streams expect.

#include <QByteArray>
#include <QString>
#include <memory>
#include <stdexcept>

#include "Object.h"
#include "Types.h"

class EStreamError : public std::runtime_error {
public:
    explicit EStreamError(const QString& message) : std::runtime_error(message.toStdString()) {}
};
class EFOpenError : public EStreamError { using EStreamError::EStreamError; };
class EFCreateError : public EStreamError { using EStreamError::EStreamError; };
class EReadError : public EStreamError { using EStreamError::EStreamError; };
class EWriteError : public EStreamError { using EStreamError::EStreamError; };

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream : public TObject {
public:
    QString ClassName() const override { return QStringLiteral("TStream"); }

    // Up to Count bytes; returns how many were moved.
    virtual Int64 Read(void* Buffer, Int64 Count) = 0;
    virtual Int64 Write(const void* Buffer, Int64 Count) = 0;
    // Returns the new position.
    virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
    virtual Int64 Size();
    virtual void SetSize(Int64 NewSize) = 0;

    // Exactly Count bytes, or EReadError / EWriteError.
    void ReadBuffer(void* Buffer, Int64 Count);
    void WriteBuffer(const void* Buffer, Int64 Count);
    void WriteBuffer(const QByteArray& Bytes) { WriteBuffer(Bytes.constData(), Bytes.size()); }
    // Copies Count bytes from Source's position (Count 0: all of Source from
    // its start); returns the number copied.
    Int64 CopyFrom(TStream* Source, Int64 Count);

    Int64 Position() { return Seek(0, soCurrent); }
    void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
};

// Open modes: one access mode, or fmCreate; the sharing flags are accepted
// and have no effect on this platform.
enum : Word {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// A file as a stream. fmCreate makes a new, empty content for the file that
// is written beside it and takes the file's place when the stream is freed,
// so the old file stays whole until then; when the stream is freed while an
// exception is on its way, the new content is dropped and the old file kept.
class TFileStream : public TStream {
public:
    // Raises EFOpenError (EFCreateError for fmCreate) when the file cannot be opened.
    TFileStream(const QString& FileName, Word Mode);
    ~TFileStream() override;
    QString ClassName() const override { return QStringLiteral("TFileStream"); }

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    void SetSize(Int64 NewSize) override;
    QString FileName() const { return fileName_; }

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
    QString fileName_;
};

class TMemoryStream : public TStream {
public:
    QString ClassName() const override { return QStringLiteral("TMemoryStream"); }

    Int64 Read(void* Buffer, Int64 Count) override;
    Int64 Write(const void* Buffer, Int64 Count) override;
    Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
    Int64 Size() override { return data_.size(); }
    // Growing fills with zero bytes; the position stays, clamped to the size.
    void SetSize(Int64 NewSize) override;
    void Clear();

    void* Memory() { return data_.data(); }
    const QByteArray& Bytes() const { return data_; }

    // Replace the content with a whole file or stream (from its start), or
    // write the content out. The file forms raise EFOpenError / EFCreateError.
    void LoadFromFile(const QString& FileName);
    void SaveToFile(const QString& FileName) const;
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream) const;

private:
    QByteArray data_;
    Int64 pos_ = 0;
};
