#pragma once
// Files and folders: existence, creation, copying, path pieces, folder
// listing with an attribute mask, and whole-file reading and writing. A file
// is written whole or not at all: beside the target first, then renamed
// over it.

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "Text.h"
#include "Types.h"

// The path separator of this platform.
inline constexpr QChar PathDelim = QLatin1Char('/');

bool FileExists(const QString& FileName);
bool DirectoryExists(const QString& Directory);
// Creates one folder; its parent must exist. False when it cannot be made
// (or is there already).
bool CreateDir(const QString& Dir);
// Creates a folder with every missing parent; true when it exists afterwards.
// Error, when given, says why it could not be made.
bool ForceDirectories(const QString& Dir, QString* Error = nullptr);
// Whether new files can be made in the folder (tried, not read from its
// permission bits, which a privileged user or a read-only mount overrule).
bool DirectoryWritable(const QString& Dir);
bool RemoveDir(const QString& Dir);
bool DeleteFile(const QString& FileName);
bool RenameFile(const QString& OldName, const QString& NewName);
// Copies the file's bytes whole, or leaves the target as it was. With
// FailIfExists an existing target is not touched and the result is false.
bool CopyFile(const QString& ExistingFileName, const QString& NewFileName, bool FailIfExists, QString* Error = nullptr);

// The folder part with its trailing separator ("" without one), the name
// part, the extension with its dot ("" without one).
QString ExtractFilePath(const QString& FileName);
QString ExtractFileName(const QString& FileName);
QString ExtractFileExt(const QString& FileName);
QString ChangeFileExt(const QString& FileName, const QString& Extension);
QString IncludeTrailingPathDelimiter(const QString& S);
QString ExcludeTrailingPathDelimiter(const QString& S);

// Folder of the running program file, without a trailing separator.
QString ExeFolder();
// The per-user folder where a program named AppName keeps its data: Qt's
// location for application data ($XDG_DATA_HOME/AppName, by default
// ~/.local/share/AppName), without a trailing separator. Not created here.
QString UserDataFolder(const QString& AppName);

// Reads a whole file; false (and Error) when it cannot be read.
bool ReadWholeFile(const QString& FileName, QByteArray& Data, QString* Error = nullptr);
// Writes Data as the whole new content of FileName, through a file beside it
// that is renamed over it once complete: the old file stays as it was when
// anything fails. A file without write permission is refused like a locked one.
bool WriteWholeFile(const QString& FileName, const QByteArray& Data, QString* Error = nullptr);

// One file of a set written together.
struct TFileContent {
    QString FileName;
    QByteArray Data;
};
// Writes files that belong together: every one is written whole beside its
// target first, and only when all are complete are they renamed over their
// targets, so a file that cannot be written leaves every old file as it was.
// Should a rename fail after others, the files already replaced get their
// old content back.
bool WriteWholeFiles(const std::vector<TFileContent>& Files, QString* Error = nullptr);

// ---------------------------------------------------------------------------
// Folder listing

// Entry attributes. On this platform a name beginning with "." is hidden, an
// entry without the owner's write permission is read-only, a symbolic link is
// a reparse point, and a plain file carries faArchive.
enum : Integer {
    faReadOnly = 0x0001,
    faHidden = 0x0002,
    faSysFile = 0x0004,
    faVolumeID = 0x0008,
    faDirectory = 0x0010,
    faArchive = 0x0020,
    faNormal = 0x0080,
    faTemporary = 0x0100,
    faSymLink = 0x0400,
    faCompressed = 0x0800,
    faEncrypted = 0x4000,
    faAnyFile = 0x01FF,
};

struct TSearchRec {
    QString Name;       // the entry's name, without its folder
    Integer Attr = 0;   // fa... bits
    Int64 Size = 0;     // bytes (0 for folders)
    TDateTime Time = 0; // last change
    // The rest of the listing, kept between FindFirst and FindClose.
    std::shared_ptr<struct TSearchState> State;
};

// Lists the entries of the folder part of Path whose names match its last
// part (wildcards "*" and "?", letter case ignored; "*.*" matches every
// name). Hidden, system and folder entries are listed only when Attr asks for
// them; other entries always. "." and ".." are never listed. Entries come in
// name order. Returns 0 and fills F with the first entry, or a non-zero code
// when nothing matches.
Integer FindFirst(const QString& Path, Integer Attr, TSearchRec& F);
// The next entry: 0, or non-zero when there is none.
Integer FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);
