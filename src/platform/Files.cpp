#include "Files.h"

#include "Services.h"
#include "SysUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <system_error>
#include <sys/stat.h>

namespace {

// The messages of this unit.
const char* const kOpenErrorFmt = "Cannot open file \"%1\". %2";
const char* const kCreateErrorFmt = "Cannot create file \"%1\". %2";
const char* const kNoFolder = "The folder does not exist";
const char* const kIsFolder = "A folder has this name";
const char* const kNoName = "No file name";

QString DisplayName(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString JoinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty()) return name;
    if (folder.endsWith(QLatin1Char('/'))) return folder + name;
    return folder + QLatin1Char('/') + name;
}

// Every name in the folder with the entry filter, hidden ones included.
QStringList RawEntries(const QString& folder, QDir::Filters filters)
{
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    return dir.entryList(filters | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
}

}  // namespace

QString ProgramDir()
{
    const QString& over = Services().ProgramDirOverride;
    if (!over.isEmpty()) return QDir::cleanPath(over);
    const QString exe = QCoreApplication::applicationFilePath();
    QFileInfo fi(exe);
    QString dir = fi.canonicalPath();
    if (dir.isEmpty()) dir = QCoreApplication::applicationDirPath();
    return dir;
}

bool FileExists(const QString& path)
{
    if (path.isEmpty()) return false;
    QFileInfo fi(path);
    return fi.exists() && !fi.isDir();
}

bool DirectoryExists(const QString& path)
{
    if (path.isEmpty()) return false;
    return QFileInfo(path).isDir();
}

bool CreateDir(const QString& path)
{
    if (path.isEmpty()) return false;
    return QDir().mkdir(path);
}

bool ForceDirectories(const QString& path)
{
    return CreateFolders(path).Ok;
}

TWriteResult CreateFolders(const QString& path)
{
    TWriteResult r;
    if (path.isEmpty()) {
        r.Error = QString::fromLatin1(kNoName);
        return r;
    }
    const QString folder = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (DirectoryExists(folder)) {
        r.Ok = true;
        return r;
    }
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent != folder) {
        r = CreateFolders(parent);
        if (!r) return r;
        r.Ok = false;
    }
    // The system's own call, for the system's reason when it refuses.
    if (::mkdir(QFile::encodeName(folder).constData(), 0777) != 0) {
        const int error = errno;  // before anything else can change it
        if (DirectoryExists(folder)) {  // made meanwhile by someone else
            r.Ok = true;
            return r;
        }
        // A file of that name: mkdir says it exists, but no folder does.
        r.Error = SystemErrorText(error == EEXIST ? ENOTDIR : error);
        return r;
    }
    r.Ok = true;
    return r;
}

void SortNamesNoCase(QStringList& names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        int c = QString::compare(a, b, Qt::CaseInsensitive);
        if (c != 0) return c < 0;
        return QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
}

bool MatchesMask(const QString& name, const QString& maskIn)
{
    // "*.*" means every name, with or without a dot, as on Windows.
    const QString mask = maskIn == QLatin1String("*.*") ? QStringLiteral("*") : maskIn;
    auto same = [](QChar a, QChar b) { return a == b || a.toCaseFolded() == b.toCaseFolded(); };
    qsizetype n = 0, m = 0, starM = -1, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == QLatin1Char('*')) {
            starM = m++;
            starN = n;
        } else if (m < mask.size() && (mask[m] == QLatin1Char('?') || same(mask[m], name[n]))) {
            ++m;
            ++n;
        } else if (starM >= 0) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == QLatin1Char('*')) ++m;
    return m == mask.size();
}

QStringList ListSubFolders(const QString& folder)
{
    QStringList out;
    for (const QString& name : RawEntries(folder, QDir::Dirs)) {
        if (!name.startsWith(QLatin1Char('.'))) out << name;
    }
    SortNamesNoCase(out);
    return out;
}

QStringList ListFiles(const QString& folder, const QString& suffix)
{
    QStringList out;
    for (const QString& name : RawEntries(folder, QDir::Files)) {
        if (name.endsWith(suffix, Qt::CaseInsensitive)) out << name;
    }
    SortNamesNoCase(out);
    return out;
}

QStringList ListEntries(const QString& pathWithMask)
{
    const qsizetype slash = pathWithMask.lastIndexOf(QLatin1Char('/'));
    const QString folder = slash < 0 ? QStringLiteral(".")
                           : slash == 0 ? QStringLiteral("/")
                                        : pathWithMask.left(slash);
    const QString mask = pathWithMask.mid(slash + 1);
    QStringList out;
    for (const QString& name : RawEntries(folder, QDir::Files | QDir::Dirs)) {
        if (!name.startsWith(QLatin1Char('.')) && MatchesMask(name, mask)) out << name;
    }
    SortNamesNoCase(out);
    return out;
}

QString FindFileNoCase(const QString& folder, const QString& name)
{
    if (name.isEmpty()) return QString();
    const QString exact = JoinPath(folder, name);
    if (QFileInfo::exists(exact)) return exact;
    QStringList hits;
    for (const QString& entry : RawEntries(folder, QDir::Files | QDir::Dirs | QDir::System)) {
        if (QString::compare(entry, name, Qt::CaseInsensitive) == 0) hits << entry;
    }
    if (hits.isEmpty()) return QString();
    SortNamesNoCase(hits);
    return JoinPath(folder, hits.first());
}

TWriteResult SafeWriteFile(const QString& path, const QByteArray& bytes)
{
    TWriteResult r;
    QFileInfo target(path);
    if (path.isEmpty()) {
        r.Error = QString::fromLatin1(kNoName);
        return r;
    }
    if (!target.absoluteDir().exists()) {
        r.Error = QString::fromLatin1(kNoFolder);
        return r;
    }
    if (target.isDir()) {
        r.Error = QString::fromLatin1(kIsFolder);
        return r;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        r.Error = f.errorString();
        return r;
    }
    if (f.write(bytes) != bytes.size()) {
        r.Error = f.errorString();
        return r;  // the destructor discards the temporary file
    }
    if (!f.commit()) {
        r.Error = f.errorString();
        return r;
    }
    r.Ok = true;
    return r;
}

QByteArray ReadFileBytes(const QString& path)
{
    QFile f(path);
    if (path.isEmpty()) RaiseFileOpenError(path, QString::fromLatin1(kNoName));
    if (QFileInfo(path).isDir()) RaiseFileOpenError(path, QString::fromLatin1(kIsFolder));
    if (!f.open(QIODevice::ReadOnly)) RaiseFileOpenError(path, f.errorString());
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError) RaiseFileOpenError(path, f.errorString());
    return data;
}

QString SystemErrorText(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

QString FileOpenErrorText(const QString& path, const QString& reason)
{
    return QString::fromLatin1(kOpenErrorFmt).arg(DisplayName(path), reason);
}

QString FileCreateErrorText(const QString& path, const QString& reason)
{
    return QString::fromLatin1(kCreateErrorFmt).arg(DisplayName(path), reason);
}

void RaiseFileOpenError(const QString& path, const QString& reason)
{
    throw EFOpenError(FileOpenErrorText(path, reason));
}

void RaiseFileCreateError(const QString& path, const QString& reason)
{
    throw EFCreateError(FileCreateErrorText(path, reason));
}
