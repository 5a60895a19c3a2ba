#include "FileSystem.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace {

// 0 = found, 2 = nothing matches, 3 = no such folder, 18 = no more entries:
// the codes the system's own listing gives.
constexpr Integer kFileNotFound = 2;
constexpr Integer kPathNotFound = 3;
constexpr Integer kNoMoreFiles = 18;

bool IsReadOnly(const QFileInfo& info)
{
    // The permission bits, not the caller's access: a privileged user may
    // write anywhere, but a file marked read-only still counts as such.
    return !(info.permissions() & QFileDevice::WriteOwner);
}

TDateTime ToDateTime(const QDateTime& d)
{
    const QDateTime local = d.toLocalTime();
    return double(local.date().toJulianDay() - QDate(1899, 12, 30).toJulianDay())
        + local.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

struct TSearchState {
    std::vector<TSearchRec> entries;
    size_t next = 0;
};

bool FileExists(const QString& FileName)
{
    const QFileInfo info(FileName);
    return !FileName.isEmpty() && info.exists() && !info.isDir();
}

bool DirectoryExists(const QString& Directory)
{
    return !Directory.isEmpty() && QFileInfo(Directory).isDir();
}

bool CreateDir(const QString& Dir)
{
    return !Dir.isEmpty() && QDir().mkdir(Dir);
}

bool ForceDirectories(const QString& Dir, QString* Error)
{
    if (Dir.isEmpty()) {
        if (Error)
            *Error = QStringLiteral("No folder name");
        return false;
    }
    // Each missing level in turn, so that the reason of a failure is the
    // system's own.
    const QString path = QDir::cleanPath(QDir(Dir).absolutePath());
    const QStringList parts = path.split(QLatin1Char('/'));
    QString current;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        current += (i == 0 ? QString() : QStringLiteral("/")) + parts[i];
        if (current.isEmpty() || DirectoryExists(current))
            continue;
        if (::mkdir(QFile::encodeName(current).constData(), 0777) != 0 && !DirectoryExists(current)) {
            if (Error)
                *Error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
    }
    return DirectoryExists(Dir);
}

bool DirectoryWritable(const QString& Dir)
{
    if (!DirectoryExists(Dir))
        return false;
    QTemporaryFile probe(IncludeTrailingPathDelimiter(Dir) + QStringLiteral(".write-test-XXXXXX"));
    return probe.open();
}

bool RemoveDir(const QString& Dir)
{
    return !Dir.isEmpty() && QDir().rmdir(Dir);
}

bool DeleteFile(const QString& FileName)
{
    return FileExists(FileName) && QFile::remove(FileName);
}

bool RenameFile(const QString& OldName, const QString& NewName)
{
    return QFile::rename(OldName, NewName);
}

bool CopyFile(const QString& ExistingFileName, const QString& NewFileName, bool FailIfExists, QString* Error)
{
    if (FailIfExists && QFileInfo::exists(NewFileName)) {
        if (Error)
            *Error = QStringLiteral("The file \"%1\" already exists.").arg(NewFileName);
        return false;
    }
    QByteArray data;
    return ReadWholeFile(ExistingFileName, data, Error) && WriteWholeFile(NewFileName, data, Error);
}

QString ExtractFilePath(const QString& FileName)
{
    const qsizetype p = FileName.lastIndexOf(PathDelim);
    return p < 0 ? QString() : FileName.left(p + 1);
}

QString ExtractFileName(const QString& FileName)
{
    return FileName.mid(FileName.lastIndexOf(PathDelim) + 1);
}

QString ExtractFileExt(const QString& FileName)
{
    const QString name = ExtractFileName(FileName);
    const qsizetype p = name.lastIndexOf(QLatin1Char('.'));
    return p < 0 ? QString() : name.mid(p);
}

QString ChangeFileExt(const QString& FileName, const QString& Extension)
{
    const QString ext = ExtractFileExt(FileName);
    return FileName.left(FileName.size() - ext.size()) + Extension;
}

QString IncludeTrailingPathDelimiter(const QString& S)
{
    return S.endsWith(PathDelim) ? S : S + PathDelim;
}

QString ExcludeTrailingPathDelimiter(const QString& S)
{
    QString r = S;
    while (r.size() > 1 && r.endsWith(PathDelim))
        r.chop(1);
    return r;
}

QString ExeFolder()
{
    return ExcludeTrailingPathDelimiter(QCoreApplication::applicationDirPath());
}

QString UserDataFolder(const QString& AppName)
{
    return ExcludeTrailingPathDelimiter(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
           + PathDelim + AppName;
}

bool ReadWholeFile(const QString& FileName, QByteArray& Data, QString* Error)
{
    QFile f(FileName);
    if (QFileInfo(FileName).isDir() || !f.open(QIODevice::ReadOnly)) {
        if (Error)
            *Error = QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, f.errorString());
        return false;
    }
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        if (Error)
            *Error = QStringLiteral("Cannot read file \"%1\". %2").arg(FileName, f.errorString());
        return false;
    }
    Data = std::move(bytes);
    return true;
}

bool WriteWholeFile(const QString& FileName, const QByteArray& Data, QString* Error)
{
    const QFileInfo target(FileName);
    auto fail = [&](const QString& why) {
        if (Error)
            *Error = QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, why);
        return false;
    };
    if (target.isDir())
        return fail(QStringLiteral("It is a folder."));
    if (target.exists() && IsReadOnly(target))
        return fail(QStringLiteral("Access is denied: the file is read-only."));
    // Unbuffered, so that a short write (no room, a size limit) is seen here
    // and not lost in a later flush that reports success.
    QSaveFile f(FileName);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(f.errorString());
    if (f.write(Data) != Data.size()) {
        const QString why = f.errorString();
        f.cancelWriting();
        return fail(why);
    }
    if (!f.commit())
        return fail(f.errorString());
    return true;
}

bool WriteWholeFiles(const std::vector<TFileContent>& Files, QString* Error)
{
    namespace fs = std::filesystem;
    const auto P = [](const QString& name) { return fs::path(QFile::encodeName(name).toStdString()); };
    struct TStep {
        QString Target;
        QString Temp;    // the new content, beside the target
        QString Backup;  // the old content while the renames run ("" when none)
        bool Renamed = false;
    };
    std::vector<TStep> steps;
    const auto clean_up = [&steps] {
        for (const TStep& s : steps) {
            if (!s.Temp.isEmpty() && !s.Renamed)
                QFile::remove(s.Temp);
            if (!s.Backup.isEmpty())
                QFile::remove(s.Backup);
        }
    };
    const auto fail = [&](const QString& FileName, const QString& why) {
        clean_up();
        if (Error)
            *Error = QStringLiteral("Cannot create file \"%1\". %2").arg(FileName, why);
        return false;
    };

    // Every new file whole beside its target; nothing old is touched yet.
    for (const TFileContent& f : Files) {
        const QFileInfo target(f.FileName);
        if (target.isDir())
            return fail(f.FileName, QStringLiteral("It is a folder."));
        if (target.exists() && IsReadOnly(target))
            return fail(f.FileName, QStringLiteral("Access is denied: the file is read-only."));
        QTemporaryFile temp(f.FileName + QStringLiteral(".XXXXXX"));
        temp.setAutoRemove(false);
        if (!temp.open())
            return fail(f.FileName, temp.errorString());
        steps.push_back({f.FileName, temp.fileName()});
        if (temp.write(f.Data) != f.Data.size() || !temp.flush()) {
            const QString why = temp.errorString();
            temp.close();
            return fail(f.FileName, why);
        }
        // A temporary file is private; the new file takes the old one's
        // permissions, or those of a plain new file.
        temp.setPermissions(target.exists() ? target.permissions()
                                            : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                                                  | QFileDevice::WriteUser | QFileDevice::ReadGroup
                                                  | QFileDevice::ReadOther);
        temp.close();
        if (temp.error() != QFileDevice::NoError)
            return fail(f.FileName, temp.errorString());
    }

    // The old files are linked aside so that a failed rename can put them back.
    for (TStep& s : steps) {
        if (!QFileInfo::exists(s.Target))
            continue;
        s.Backup = s.Temp + QStringLiteral(".old");
        std::error_code ec;
        fs::create_hard_link(P(s.Target), P(s.Backup), ec);
        if (ec && !QFile::copy(s.Target, s.Backup)) {
            s.Backup.clear();
            return fail(s.Target, QStringLiteral("Its old content cannot be kept aside."));
        }
    }
    for (TStep& s : steps) {
        std::error_code ec;
        fs::rename(P(s.Temp), P(s.Target), ec);
        if (!ec) {
            s.Renamed = true;
            continue;
        }
        for (const TStep& done : steps) {
            if (!done.Renamed)
                continue;
            std::error_code ignored;
            if (done.Backup.isEmpty())
                fs::remove(P(done.Target), ignored);
            else
                fs::rename(P(done.Backup), P(done.Target), ignored);
        }
        for (TStep& done : steps)
            if (done.Renamed && !done.Backup.isEmpty())
                done.Backup.clear();  // moved back over its target
        return fail(s.Target, QString::fromStdString(ec.message()));
    }
    clean_up();
    return true;
}

// ---------------------------------------------------------------------------
// Folder listing

Integer FindFirst(const QString& Path, Integer Attr, TSearchRec& F)
{
    FindClose(F);
    QString folder = ExtractFilePath(Path);
    QString mask = ExtractFileName(Path);
    if (folder.isEmpty())
        folder = QStringLiteral(".");
    if (mask.isEmpty() || mask == QLatin1String("*.*"))
        mask = QStringLiteral("*");
    const QDir dir(folder);
    if (!dir.exists())
        return kPathNotFound;

    // Only "*" and "?" are wildcards; every other character stands for itself.
    QString pattern;
    for (QChar c : mask)
        pattern += c == QLatin1Char('*') ? QStringLiteral(".*") : c == QLatin1Char('?') ? QStringLiteral(".") : QRegularExpression::escape(QString(c));
    const QRegularExpression anchored(QRegularExpression::anchoredPattern(pattern), QRegularExpression::CaseInsensitiveOption);
    // Entries carrying one of these bits are listed only when asked for.
    const Integer excluded = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);

    auto state = std::make_shared<TSearchState>();
    const QFileInfoList infos = dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo& info : infos) {
        const QString name = info.fileName();
        if (!anchored.match(name).hasMatch())
            continue;
        TSearchRec rec;
        rec.Name = name;
        if (info.isSymLink())
            rec.Attr |= faSymLink;
        if (info.isDir())
            rec.Attr |= faDirectory;
        else if (info.isFile())
            rec.Attr |= faArchive;
        else
            rec.Attr |= faSysFile; // devices, sockets, pipes
        if (name.startsWith(QLatin1Char('.')))
            rec.Attr |= faHidden;
        if (IsReadOnly(info))
            rec.Attr |= faReadOnly;
        if ((rec.Attr & excluded) != 0)
            continue;
        rec.Size = info.isDir() ? 0 : info.size();
        rec.Time = ToDateTime(info.lastModified());
        state->entries.push_back(std::move(rec));
    }
    std::stable_sort(state->entries.begin(), state->entries.end(), [](const TSearchRec& a, const TSearchRec& b) {
        const int c = a.Name.compare(b.Name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.Name < b.Name;
    });
    if (state->entries.empty())
        return kFileNotFound;
    F.State = state;
    return FindNext(F);
}

Integer FindNext(TSearchRec& F)
{
    if (!F.State || F.State->next >= F.State->entries.size())
        return kNoMoreFiles;
    const TSearchRec& rec = F.State->entries[F.State->next++];
    F.Name = rec.Name;
    F.Attr = rec.Attr;
    F.Size = rec.Size;
    F.Time = rec.Time;
    return 0;
}

void FindClose(TSearchRec& F)
{
    F.State.reset();
}
