#include "Files.h"

#include "Services.h"
#include "SysUtils.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The messages of this unit.
const char* const kOpenErrorFmt = "Cannot open file \"%1\". %2";
const char* const kCreateErrorFmt = "Cannot create file \"%1\". %2";
const char* const kNoFolder = "The folder does not exist";
const char* const kIsFolder = "A folder has this name";
const char* const kNoName = "No file name";
const char* const kNotRegular = "Not a regular file";
const char* const kTooLargeFmt = "Larger than %1, the most %2 may hold";

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

// ---------------------------------------------------------------------------
// Writing

int TSystemFileWriter::Create(const QByteArray& path, unsigned mode, int& fd)
{
    fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, mode_t(mode));
    return fd < 0 ? errno : 0;
}

int TSystemFileWriter::Write(int fd, const char* data, qint64 size, qint64& written)
{
    const ssize_t n = ::write(fd, data, size_t(size));
    if (n < 0) return errno;
    written = n;
    return 0;
}

int TSystemFileWriter::Sync(int fd)
{
    return ::fsync(fd) == 0 ? 0 : errno;
}

int TSystemFileWriter::Close(int fd)
{
    return ::close(fd) == 0 ? 0 : errno;
}

int TSystemFileWriter::Rename(const QByteArray& from, const QByteArray& to)
{
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

int TSystemFileWriter::Remove(const QByteArray& path)
{
    return ::unlink(path.constData()) == 0 ? 0 : errno;
}

int TSystemFileWriter::SyncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

namespace {

IFileWriter& Writer()
{
    static TSystemFileWriter system;
    const std::shared_ptr<IFileWriter>& w = Services().FileWriter;
    return w ? *w : system;
}

// The folder with its own links resolved; as given when it does not exist.
QString RealFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? folder : canonical;
}

// A file system that cannot sync a file or folder says so with these; the
// write itself stands.
bool SyncUnsupported(int error)
{
    return error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS;
}

constexpr int MaxLinkHops = 40;  // as the system's own limit on link chains

// One file of a group on its way: its target, its temporary file.
struct TPendingFile {
    QString Target;
    QByteArray TargetName;
    QByteArray TempName;
    bool TempMade = false;
};

TWriteResult FailWith(const QString& path, const QString& reason)
{
    TWriteResult r;
    r.Error = reason;
    r.Path = path;
    return r;
}

TWriteResult FailWithErrno(const QString& path, int error)
{
    return FailWith(path, SystemErrorText(error));
}

// Checks the path and finds the file a write replaces.
TWriteResult PrepareTarget(const QString& path, TPendingFile& pending)
{
    if (path.isEmpty()) return FailWith(path, QString::fromLatin1(kNoName));
    const QString target = WriteTargetPath(path);
    if (target.isEmpty()) return FailWithErrno(path, ELOOP);
    if (!QFileInfo(QFileInfo(target).absolutePath()).isDir()) return FailWith(path, QString::fromLatin1(kNoFolder));
    struct stat st{};
    const QByteArray name = QFile::encodeName(target);
    if (::stat(name.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return FailWith(path, QString::fromLatin1(kIsFolder));
        // A device or FIFO is never replaced by a file.
        if (!S_ISREG(st.st_mode)) return FailWith(path, QString::fromLatin1(kNotRegular));
    }
    pending.Target = target;
    pending.TargetName = name;
    TWriteResult r;
    r.Ok = true;
    return r;
}

// Writes the bytes to a new temporary file beside the target, synced and
// closed; on failure nothing of it is left.
TWriteResult WriteTemporary(const QString& path, const QByteArray& bytes, TPendingFile& pending)
{
    IFileWriter& w = Writer();
    // A replaced file keeps its permissions; a new one gets the usual ones.
    struct stat old{};
    const bool existed = ::stat(pending.TargetName.constData(), &old) == 0;
    const unsigned mode = existed ? unsigned(old.st_mode & 07777) : 0666u;
    int fd = -1;
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        pending.TempName = pending.TargetName + '.'
                           + QByteArray::number(QRandomGenerator::global()->generate() % 0x1000000u, 36);
        error = w.Create(pending.TempName, mode, fd);
    }
    if (error != 0) return FailWithErrno(path, error);
    pending.TempMade = true;
    if (existed) (void)::fchmod(fd, mode_t(mode));  // the umask applied to the creation

    qint64 done = 0;
    while (error == 0 && done < bytes.size()) {
        qint64 written = 0;
        const qint64 chunk = std::min<qint64>(bytes.size() - done, qint64(1) << 30);
        error = w.Write(fd, bytes.constData() + done, chunk, written);
        if (error == EINTR) {
            error = 0;
            continue;
        }
        if (error == 0 && written <= 0) error = EIO;  // a write that takes nothing never ends
        done += written;
    }
    if (error == 0) {
        error = w.Sync(fd);
        if (SyncUnsupported(error)) error = 0;
    }
    const int closed = w.Close(fd);
    if (error == 0) error = closed;
    if (error != 0) return FailWithErrno(path, error);
    TWriteResult r;
    r.Ok = true;
    return r;
}

void RemoveTemporaries(std::vector<TPendingFile>& pending)
{
    for (TPendingFile& p : pending) {
        if (p.TempMade) Writer().Remove(p.TempName);
        p.TempMade = false;
    }
}

}  // namespace

QString WriteTargetPath(const QString& path)
{
    if (path.isEmpty()) return QString();
    QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (int hops = 0;; ++hops) {
        const QFileInfo fi(p);
        p = QDir::cleanPath(RealFolder(fi.absolutePath()) + QLatin1Char('/') + fi.fileName());
        struct stat st{};
        const QByteArray name = QFile::encodeName(p);
        if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        if (hops >= MaxLinkHops) return QString();
        QByteArray link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(name.constData(), link.data(), size_t(link.size()));
        if (n <= 0 || n >= link.size()) return QString();
        link.truncate(n);
        const QString target = QFile::decodeName(link);
        p = QDir::isAbsolutePath(target) ? QDir::cleanPath(target)
                                         : QDir::cleanPath(QFileInfo(p).absolutePath() + QLatin1Char('/') + target);
    }
}

bool WritesInsideFolder(const QString& path, const QString& folder)
{
    const QString target = WriteTargetPath(path);
    if (target.isEmpty() || folder.isEmpty()) return false;
    QString base = RealFolder(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    if (!base.endsWith(QLatin1Char('/'))) base += QLatin1Char('/');
    return target.startsWith(base);
}

TWriteResult SafeWriteFile(const QString& path, const QByteArray& bytes)
{
    return SafeWriteFiles({TFileContent{path, bytes}});
}

TWriteResult SafeWriteFiles(const std::vector<TFileContent>& files)
{
    std::vector<TPendingFile> pending(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        TWriteResult r = PrepareTarget(files[i].Path, pending[i]);
        if (!r) return r;
    }
    for (size_t i = 0; i < files.size(); ++i) {
        TWriteResult r = WriteTemporary(files[i].Path, files[i].Bytes, pending[i]);
        if (!r) {
            RemoveTemporaries(pending);
            return r;
        }
    }
    QStringList folders;
    for (size_t i = 0; i < files.size(); ++i) {
        if (const int error = Writer().Rename(pending[i].TempName, pending[i].TargetName)) {
            RemoveTemporaries(pending);
            return FailWithErrno(files[i].Path, error);
        }
        pending[i].TempMade = false;
        const QString folder = QFileInfo(pending[i].Target).absolutePath();
        if (!folders.contains(folder)) folders << folder;
    }
    // The renames themselves reach the disk only with their folder.
    for (const QString& folder : folders) {
        const int error = Writer().SyncFolder(QFile::encodeName(folder));
        if (error != 0 && !SyncUnsupported(error)) return FailWithErrno(folder, error);
    }
    TWriteResult r;
    r.Ok = true;
    return r;
}

// ---------------------------------------------------------------------------
// Reading

namespace {

// The limits of the file kinds, each named once.
struct TReadKindLimit {
    TReadKind Kind;
    qint64 Bytes;
    const char* Text;  // the limit as the message shows it
    const char* What;  // the kind in the message
};
constexpr qint64 MiB = 1024 * 1024;
constexpr TReadKindLimit kReadLimits[] = {
    {TReadKind::Document, 16 * MiB, "16 MiB", "a table, parameter or settings file"},
    {TReadKind::Language, 4 * MiB, "4 MiB", "a language file"},
    // A picture of the largest size allowed, uncompressed at 32 bits a pixel.
    {TReadKind::Picture, 80 * MiB, "80 MiB", "a picture"},
    {TReadKind::GridImport, 64 * MiB, "64 MiB", "a file the grid imports"},
};

const TReadKindLimit& LimitOf(TReadKind kind)
{
    for (const TReadKindLimit& l : kReadLimits)
        if (l.Kind == kind) return l;
    return kReadLimits[0];
}

[[noreturn]] void RaiseTooLarge(const QString& path, TReadKind kind)
{
    const TReadKindLimit& l = LimitOf(kind);
    RaiseFileOpenError(path, QString::fromLatin1(kTooLargeFmt).arg(QLatin1String(l.Text), QLatin1String(l.What)));
}

// Closes the descriptor when the read ends, also by an exception.
struct TFdCloser {
    int Fd;
    ~TFdCloser() { ::close(Fd); }
};

}  // namespace

qint64 ReadLimit(TReadKind kind)
{
    return LimitOf(kind).Bytes;
}

bool IsRegularFile(const QString& path)
{
    struct stat st{};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QByteArray ReadFileBytes(const QString& path, TReadKind kind)
{
    if (path.isEmpty()) RaiseFileOpenError(path, QString::fromLatin1(kNoName));
    const QByteArray name = QFile::encodeName(path);
    const qint64 limit = ReadLimit(kind);
    // Looked at before opening, so a FIFO or a device is never opened, and
    // again on the open file, which may have been swapped meanwhile.
    struct stat st{};
    auto check = [&](int statResult) {
        if (statResult != 0) RaiseFileOpenError(path, SystemErrorText(errno));
        if (S_ISDIR(st.st_mode)) RaiseFileOpenError(path, QString::fromLatin1(kIsFolder));
        if (!S_ISREG(st.st_mode)) RaiseFileOpenError(path, QString::fromLatin1(kNotRegular));
        if (qint64(st.st_size) > limit) RaiseTooLarge(path, kind);
    };
    check(::stat(name.constData(), &st));
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) RaiseFileOpenError(path, SystemErrorText(errno));
    const TFdCloser closer{fd};
    check(::fstat(fd, &st));
    // The size told is a hint only: the file may grow while it is read.
    constexpr qint64 chunk = 64 * 1024;
    QByteArray data;
    data.reserve(qsizetype(st.st_size + chunk));
    qint64 have = 0;
    for (;;) {
        data.resize(qsizetype(have + chunk));
        const ssize_t n = ::read(fd, data.data() + have, size_t(chunk));
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseFileOpenError(path, SystemErrorText(errno));
        }
        if (n == 0) break;
        have += n;
        if (have > limit) RaiseTooLarge(path, kind);
    }
    data.resize(qsizetype(have));
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
