#pragma once
// Files and folders: the program folder, existence tests, folder creation,
// sorted folder listings and the one safe way to write a file.
//
// Every listing is sorted without case (ties in exact order), so the result
// is the same on every machine whatever order the file system returns.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The folder of the executable (symlinks resolved), or the override that the
// services object holds (a test's temporary program folder). No trailing '/'.
QString ProgramDir();

// A symlink counts as what it points to.
bool FileExists(const QString& path);
bool DirectoryExists(const QString& path);

// Creates one folder level; false when it already exists or cannot be made.
bool CreateDir(const QString& path);
// Creates every missing level; true when the folder exists afterwards.
bool ForceDirectories(const QString& path);

// Names of the sub-folders, without "." and ".." and without names that
// start with "." (hidden folders on Linux).
QStringList ListSubFolders(const QString& folder);
// Names of the regular files (symlinks followed) whose name ends with the
// suffix, compared without case (".lng" finds "Italiano.LNG").
QStringList ListFiles(const QString& folder, const QString& suffix);
// Names of the files and folders in the folder part of the path whose name
// matches the mask after the last '/' ("*" and "?", without case).
// Hidden entries (leading ".") are not listed.
QStringList ListEntries(const QString& pathWithMask);
// The path of the entry of `folder` whose name equals `name` ignoring case,
// the exact spelling preferred; empty when there is none.
QString FindFileNoCase(const QString& folder, const QString& name);

// Sorts names without case, ties in exact order.
void SortNamesNoCase(QStringList& names);
// True when `name` matches the mask ("*" any run, "?" one character),
// compared without case.
bool MatchesMask(const QString& name, const QString& mask);

// The outcome of a write: success, or the system's reason and the file it
// concerns.
struct TWriteResult {
    bool Ok = false;
    QString Error;
    QString Path;  // on failure: the file whose write failed
    explicit operator bool() const { return Ok; }
};

// Creates every missing level of the folder: success when it exists
// afterwards, otherwise the system's reason.
TWriteResult CreateFolders(const QString& path);

// Writes the bytes to a temporary file in the folder of the file it
// replaces and renames it over that file. Every write, the flush to the disk
// and the close are checked, the file is synced before the rename and the
// folder after it. A symbolic link is followed: the file it names is the one
// replaced, and the link stays. On failure the old file is untouched, no
// temporary file is left behind and Error holds the system's reason.
TWriteResult SafeWriteFile(const QString& path, const QByteArray& bytes);

// One file of a group written together.
struct TFileContent {
    QString Path;
    QByteArray Bytes;
};
// Writes every file of the group to its temporary file first; only when all
// of them are complete are they renamed over their files, in order. A failure
// while writing leaves every old file as it was. (A rename takes no room;
// should one fail all the same, the files before it are already replaced.)
TWriteResult SafeWriteFiles(const std::vector<TFileContent>& files);

// The file a write to `path` replaces or creates: symbolic links followed,
// also a link whose target is missing, and the folder's links resolved.
// Empty when the links cannot be followed (a loop).
QString WriteTargetPath(const QString& path);
// True when the file `path` would write lies inside `folder` (links of
// both resolved).
bool WritesInsideFolder(const QString& path, const QString& folder);

// The system calls behind the safe writes. Production makes them directly;
// a test installs its own in Services().FileWriter to play a full or failing
// disk. Each call answers 0 or the system's error number.
class IFileWriter {
public:
    virtual ~IFileWriter() = default;
    // Creates a new file (it must not exist) for writing with the given
    // permission bits.
    virtual int Create(const QByteArray& path, unsigned mode, int& fd) = 0;
    // One write; `written` gets the bytes taken, which may be fewer.
    virtual int Write(int fd, const char* data, qint64 size, qint64& written) = 0;
    virtual int Sync(int fd) = 0;
    virtual int Close(int fd) = 0;
    virtual int Rename(const QByteArray& from, const QByteArray& to) = 0;
    virtual int Remove(const QByteArray& path) = 0;
    virtual int SyncFolder(const QByteArray& folder) = 0;
};

class TSystemFileWriter : public IFileWriter {
public:
    int Create(const QByteArray& path, unsigned mode, int& fd) override;
    int Write(int fd, const char* data, qint64 size, qint64& written) override;
    int Sync(int fd) override;
    int Close(int fd) override;
    int Rename(const QByteArray& from, const QByteArray& to) override;
    int Remove(const QByteArray& path) override;
    int SyncFolder(const QByteArray& folder) override;
};

// What a file read holds, which sets the most bytes it may have.
enum class TReadKind {
    Document,    // table and parameter files, the settings, job and INI files
    Language,    // language files
    Picture,     // pictures of every format
    GridImport,  // what the grid control imports: cell, CSV, XML and text files, layouts
};
// The size limit of a kind, in bytes.
qint64 ReadLimit(TReadKind kind);

// True when the path names a regular file (symbolic links followed).
bool IsRegularFile(const QString& path);

// The whole file. Only a regular file (links followed) within the kind's
// size limit is read; a FIFO, a device or a folder is refused without
// blocking. Raises EFOpenError with the reason when the file cannot be read.
QByteArray ReadFileBytes(const QString& path, TReadKind kind = TReadKind::Document);

// The system's own wording of an errno value ("Permission denied").
QString SystemErrorText(int error);

// The texts of the file errors: Cannot open file "<name>". <reason>
QString FileOpenErrorText(const QString& path, const QString& reason);
QString FileCreateErrorText(const QString& path, const QString& reason);
[[noreturn]] void RaiseFileOpenError(const QString& path, const QString& reason);
[[noreturn]] void RaiseFileCreateError(const QString& path, const QString& reason);
