#pragma once
// Files and folders: the program folder, existence tests, folder creation,
// sorted folder listings and the one safe way to write a file.
//
// Every listing is sorted without case (ties in exact order), so the result
// is the same on every machine whatever order the file system returns.

#include <QByteArray>
#include <QString>
#include <QStringList>

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

// The outcome of a write: success, or the system's reason.
struct TWriteResult {
    bool Ok = false;
    QString Error;
    explicit operator bool() const { return Ok; }
};

// Creates every missing level of the folder: success when it exists
// afterwards, otherwise the system's reason.
TWriteResult CreateFolders(const QString& path);

// Writes the bytes to a temporary file in the same folder and renames it
// over `path`. On failure the old file is untouched and no temporary file
// is left behind.
TWriteResult SafeWriteFile(const QString& path, const QByteArray& bytes);

// The whole file; raises EFOpenError with the reason when it cannot be read.
QByteArray ReadFileBytes(const QString& path);

// The system's own wording of an errno value ("Permission denied").
QString SystemErrorText(int error);

// The texts of the file errors: Cannot open file "<name>". <reason>
QString FileOpenErrorText(const QString& path, const QString& reason);
QString FileCreateErrorText(const QString& path, const QString& reason);
[[noreturn]] void RaiseFileOpenError(const QString& path, const QString& reason);
[[noreturn]] void RaiseFileCreateError(const QString& path, const QString& reason);
