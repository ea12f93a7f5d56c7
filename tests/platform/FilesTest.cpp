#include "Files.h"

#include "HostileFiles.h"
#include "Services.h"
#include "SysUtils.h"
#include "TestHarness.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString Dir() { return TestHarness::ProgramDir(); }
QString Path(const QString& name) { return Dir() + QLatin1Char('/') + name; }

void Touch(const QString& path, const QByteArray& bytes = "x")
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

QStringList AllEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Limits the size of any file this process writes; a write past it fails
// with EFBIG instead of killing the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = FOld;
        r.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
};

}  // namespace

TEST(Files, ProgramDirIsTheTestFolderOrTheOverride)
{
    EXPECT_FALSE(Dir().isEmpty());
    EXPECT_EQ(ProgramDir(), Dir());
    EXPECT_TRUE(AllEntries(Dir()).isEmpty());  // fresh for every test
    {
        ScopedService g(&PlatformServices::ProgramDirOverride, Dir() + QStringLiteral("/other/"));
        EXPECT_EQ(ProgramDir(), Dir() + QStringLiteral("/other"));
    }
    EXPECT_EQ(ProgramDir(), Dir());
}

TEST(Files, ExistenceAndFolderCreation)
{
    Touch(Path("f.txt"));
    ASSERT_TRUE(QFile::link(Path("f.txt"), Path("link.txt")));
    ASSERT_TRUE(QFile::link(Dir(), Path("linkdir")));
    EXPECT_TRUE(FileExists(Path("f.txt")));
    EXPECT_TRUE(FileExists(Path("link.txt")));
    EXPECT_FALSE(FileExists(Dir()));
    EXPECT_FALSE(FileExists(Path("none")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(DirectoryExists(Dir()));
    EXPECT_TRUE(DirectoryExists(Path("linkdir")));
    EXPECT_FALSE(DirectoryExists(Path("f.txt")));

    EXPECT_TRUE(CreateDir(Path("MASTER")));
    EXPECT_FALSE(CreateDir(Path("MASTER")));       // exists already
    EXPECT_FALSE(CreateDir(Path("a/b")));          // one level only
    EXPECT_FALSE(CreateDir(Path("f.txt")));
    EXPECT_TRUE(ForceDirectories(Path("a/b/c")));
    EXPECT_TRUE(ForceDirectories(Path("a/b/c")));  // exists: still true
    EXPECT_FALSE(ForceDirectories(Path("f.txt/sub")));
    EXPECT_FALSE(ForceDirectories(""));
}

// A folder that cannot be made comes with the system's reason.
TEST(Files, CreateFoldersGivesTheSystemsReason)
{
    Touch(Path("f.txt"));
    struct Case {
        const char* what;
        QString path;
        bool ok;
        const char* error;
    } cases[] = {
        {"new levels", Path("x/y/z"), true, ""},
        {"exists", Path("x/y"), true, ""},
        {"a file of that name", Path("f.txt"), false, "Not a directory"},
        {"below a file", Path("f.txt/sub/deeper"), false, "Not a directory"},
        {"no name", QString(), false, "No file name"},
    };
    for (const Case& c : cases) {
        const TWriteResult r = CreateFolders(c.path);
        EXPECT_EQ(r.Ok, c.ok) << c.what;
        EXPECT_EQ(r.Error.toStdString(), c.error) << c.what;
        if (c.ok) {
            EXPECT_TRUE(DirectoryExists(c.path)) << c.what;
        }
    }
    EXPECT_FALSE(QFileInfo::exists(Path("f.txt/sub")));
}

TEST(Files, CreateFoldersInAReadOnlyFolder)
{
    if (geteuid() == 0) GTEST_SKIP() << "root writes into a read-only folder";
    ASSERT_TRUE(QDir(Dir()).mkdir("locked"));
    ASSERT_TRUE(QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::ExeOwner));
    const TWriteResult r = CreateFolders(Path("locked/a/b"));
    QFile::setPermissions(Path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error.toStdString(), "Permission denied");
}

TEST(Files, SubFoldersSortedWithoutHidden)
{
    for (const char* d : {"b", "A", "c", ".git", "B"}) ASSERT_TRUE(QDir(Dir()).mkdir(d));
    Touch(Path("file"));
    ASSERT_TRUE(QFile::link(Path("c"), Path("d-link")));
    EXPECT_EQ(ListSubFolders(Dir()), (QStringList{"A", "B", "b", "c", "d-link"}));
    EXPECT_TRUE(ListSubFolders(Path("missing")).isEmpty());
}

TEST(Files, ListFilesBySuffixWithoutCase)
{
    Touch(Path("x.LNG"));
    Touch(Path("English.lng"));
    Touch(Path("readme.txt"));
    Touch(Path("lng"));
    ASSERT_TRUE(QDir(Dir()).mkdir("y.lng"));
    ASSERT_TRUE(QFile::link(Path("English.lng"), Path("link.lng")));
    ASSERT_TRUE(QFile::link(Path("gone"), Path("broken.lng")));
    QFile::setPermissions(Path("x.LNG"), QFileDevice::Permissions());
    EXPECT_EQ(ListFiles(Dir(), ".lng"), (QStringList{"English.lng", "link.lng", "x.LNG"}));
}

TEST(Files, ListEntriesByMask)
{
    for (const char* f : {"a.bmp", "B.BMP", "c.jpg", "ab", ".hidden.bmp"}) Touch(Path(f));
    ASSERT_TRUE(QDir(Dir()).mkdir("sub.bmp"));
    struct Case {
        const char* mask;
        QStringList want;
    } cases[] = {
        {"*.bmp", {"a.bmp", "B.BMP", "sub.bmp"}},
        {"?.bmp", {"a.bmp", "B.BMP"}},
        {"a*", {"a.bmp", "ab"}},
        {"*.*", {"a.bmp", "ab", "B.BMP", "c.jpg", "sub.bmp"}},
        {"*", {"a.bmp", "ab", "B.BMP", "c.jpg", "sub.bmp"}},
        {"*b*p", {"a.bmp", "B.BMP", "sub.bmp"}},
        {"x*", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListEntries(Dir() + QLatin1Char('/') + c.mask), c.want) << c.mask;
}

TEST(Files, FindFileNoCasePrefersExactSpelling)
{
    Touch(Path("English.lng"));
    Touch(Path("ENGLISH.LNG"));
    Touch(Path("Italiano.LNG"));
    EXPECT_EQ(FindFileNoCase(Dir(), "English.lng"), Path("English.lng"));
    EXPECT_EQ(FindFileNoCase(Dir(), "ENGLISH.LNG"), Path("ENGLISH.LNG"));
    EXPECT_EQ(FindFileNoCase(Dir(), "italiano.lng"), Path("Italiano.LNG"));
    EXPECT_EQ(FindFileNoCase(Dir(), "english.Lng"), Path("ENGLISH.LNG"));  // first in sorted order
    EXPECT_EQ(FindFileNoCase(Dir(), "Deutsch.lng"), QString());
    EXPECT_EQ(FindFileNoCase(Dir(), ""), QString());
}

TEST(Files, SafeWriteReplacesContent)
{
    const QString f = Path("data.bin");
    ASSERT_TRUE(SafeWriteFile(f, "old").Ok);
    TWriteResult r = SafeWriteFile(f, QByteArray("new\0content", 11));
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(ReadFileBytes(f), QByteArray("new\0content", 11));
    EXPECT_EQ(AllEntries(Dir()), QStringList{"data.bin"});
}

TEST(Files, FailedSafeWriteKeepsOldFileAndLeavesNoTemporary)
{
    const QString target = Path("keep.txt");
    Touch(target, "old content");
    ASSERT_TRUE(QDir(Dir()).mkdir("adir"));

    struct Case {
        const char* what;
        QString path;
        bool limit;
    } cases[] = {
        {"missing folder", Path("missing/keep.txt"), false},
        {"folder in place of the file", Path("adir"), false},
        {"file size limit", target, true},
    };
    for (const Case& c : cases) {
        TWriteResult r;
        {
            std::optional<FileSizeLimit> lim;
            if (c.limit) lim.emplace(4096);
            r = SafeWriteFile(c.path, QByteArray(64 * 1024, 'z'));
        }
        EXPECT_FALSE(r.Ok) << c.what;
        EXPECT_FALSE(r.Error.isEmpty()) << c.what;
        EXPECT_EQ(ReadFileBytes(target), QByteArray("old content")) << c.what;
        EXPECT_EQ(AllEntries(Dir()), (QStringList{"adir", "keep.txt"})) << c.what;
        EXPECT_TRUE(AllEntries(Path("adir")).isEmpty()) << c.what;
    }
}

TEST(Files, ReadFileBytesRaisesWithReason)
{
    struct Case {
        const char* what;
        QString path;
    } cases[] = {{"missing", Path("none.txt")}, {"folder", Dir()}};
    for (const Case& c : cases) {
        try {
            ReadFileBytes(c.path);
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const EFOpenError& e) {
            const QString prefix = QStringLiteral("Cannot open file \"%1\". ").arg(c.path);
            EXPECT_TRUE(e.Message().startsWith(prefix)) << e.Message().toStdString();
            EXPECT_GT(e.Message().size(), prefix.size()) << c.what;  // a reason follows
        }
    }
    Touch(Path("empty"), "");
    EXPECT_TRUE(ReadFileBytes(Path("empty")).isEmpty());
}

// ---------------------------------------------------------------------------
// A full disk

namespace {

const QByteArray kOldContent = "old content";
const QString kNoSpace = QStringLiteral("No space left on device");

// Sizes on both sides of the 16 KiB a buffered file keeps before it writes.
constexpr int kWriteSizes[] = {1024, 16 * 1024, 100 * 1024};

}  // namespace

// The system's own full disk: a file system of 64 KiB filled to the last
// byte. Every write fails with the system's reason and the old file stays.
TEST(Files, SafeWriteOnAFullFileSystemKeepsTheOldFile)
{
    TSmallFileSystem fs(Path("small"), 64 * 1024);
    if (!fs.Mounted()) GTEST_SKIP() << "no file system can be mounted here: " << fs.Reason().toStdString();
    const QString target = Path("small/table.xml");
    ASSERT_TRUE(SafeWriteFile(target, kOldContent).Ok);
    ASSERT_TRUE(fs.Fill());
    for (int size : kWriteSizes) {
        const TWriteResult r = SafeWriteFile(target, QByteArray(size, 'n'));
        EXPECT_FALSE(r.Ok) << size;
        EXPECT_EQ(r.Error, kNoSpace) << size;
        EXPECT_EQ(r.Path, target) << size;
        EXPECT_EQ(ReadFileBytes(target), kOldContent) << size;
        EXPECT_EQ(AllEntries(Path("small")), (QStringList{"filler", "table.xml"})) << size;
    }
    // With room again the same write goes through.
    ASSERT_TRUE(QFile::remove(Path("small/filler")));
    const TWriteResult r = SafeWriteFile(target, QByteArray(20 * 1024, 'n'));
    ASSERT_TRUE(r.Ok) << r.Error.toStdString();
    EXPECT_EQ(ReadFileBytes(target), QByteArray(20 * 1024, 'n'));
}

// The same disk behind the injected system calls, also where the write is
// taken and only the flush or the close finds the disk full.
TEST(Files, SafeWriteThroughAFullDiskKeepsTheOldFile)
{
    const QString target = Path("bank1.bin");
    ASSERT_TRUE(SafeWriteFile(target, kOldContent).Ok);
    struct Case {
        qint64 room;
        TFullDiskWriter::TFailAt at;
    } cases[] = {
        {0, TFullDiskWriter::AtWrite},
        {512, TFullDiskWriter::AtWrite},
        {1 << 30, TFullDiskWriter::AtSync},
        {1 << 30, TFullDiskWriter::AtClose},
    };
    for (const Case& c : cases) {
        for (int size : kWriteSizes) {
            auto disk = std::make_shared<TFullDiskWriter>(c.room, c.at);
            ScopedService<std::shared_ptr<IFileWriter>> g(&PlatformServices::FileWriter, disk);
            const TWriteResult r = SafeWriteFile(target, QByteArray(size, 'n'));
            const std::string what = std::to_string(c.room) + "/" + std::to_string(int(c.at)) + "/" +
                                     std::to_string(size);
            EXPECT_FALSE(r.Ok) << what;
            EXPECT_EQ(r.Error, kNoSpace) << what;
            EXPECT_EQ(ReadFileBytes(target), kOldContent) << what;
            EXPECT_EQ(AllEntries(Dir()), QStringList{"bank1.bin"}) << what;
        }
    }
}

// A group is written whole or not at all: the second file failing leaves the
// first one's old content too.
TEST(Files, SafeWriteFilesReplacesOnlyACompleteGroup)
{
    const QString a = Path("bank1.bin"), b = Path("bank2.bin");
    ASSERT_TRUE(SafeWriteFiles({{a, "old 1"}, {b, "old 2"}}).Ok);
    {
        // Room for the first file and half of the second.
        auto disk = std::make_shared<TFullDiskWriter>(2048 + 1024);
        ScopedService<std::shared_ptr<IFileWriter>> g(&PlatformServices::FileWriter, disk);
        const TWriteResult r = SafeWriteFiles({{a, QByteArray(2048, '1')}, {b, QByteArray(2048, '2')}});
        EXPECT_FALSE(r.Ok);
        EXPECT_EQ(r.Path, b);
        EXPECT_EQ(r.Error, kNoSpace);
    }
    EXPECT_EQ(ReadFileBytes(a), "old 1");
    EXPECT_EQ(ReadFileBytes(b), "old 2");
    EXPECT_EQ(AllEntries(Dir()), (QStringList{"bank1.bin", "bank2.bin"}));

    ASSERT_TRUE(SafeWriteFiles({{a, "new 1"}, {b, "new 2"}}).Ok);
    EXPECT_EQ(ReadFileBytes(a), "new 1");
    EXPECT_EQ(ReadFileBytes(b), "new 2");
}

// ---------------------------------------------------------------------------
// Links and special files

// A write follows a link to the file it names and keeps the link; it never
// puts a file in place of a device or a FIFO.
TEST(Files, SafeWriteFollowsLinksButReplacesOnlyFiles)
{
    ASSERT_TRUE(QDir(Dir()).mkdir("elsewhere"));
    Touch(Path("elsewhere/real.xml"), "old");
    ASSERT_TRUE(QFile::link(Path("elsewhere/real.xml"), Path("table.xml")));
    ASSERT_TRUE(SafeWriteFile(Path("table.xml"), "new").Ok);
    EXPECT_TRUE(QFileInfo(Path("table.xml")).isSymLink());
    EXPECT_EQ(ReadFileBytes(Path("elsewhere/real.xml")), "new");

    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("fifo.xml")).constData(), 0644), 0);
    ASSERT_TRUE(QFile::link("/dev/null", Path("null.xml")));
    for (const char* name : {"fifo.xml", "null.xml"}) {
        const TWriteResult r = SafeWriteFile(Path(name), "x");
        EXPECT_FALSE(r.Ok) << name;
        EXPECT_EQ(r.Error, "Not a regular file") << name;
    }
    struct stat st{};
    ASSERT_EQ(::stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(AllEntries(Dir()), (QStringList{"elsewhere", "fifo.xml", "null.xml", "table.xml"}));
}

TEST(Files, WriteTargetsThroughLinks)
{
    const QString project = Path("PROJECTS/P1");
    ASSERT_TRUE(QDir().mkpath(project + "/bin"));
    ASSERT_TRUE(QDir().mkpath(Path("outside")));
    Touch(Path("outside/victim.xml"));
    const QString real = QFileInfo(Dir()).canonicalFilePath();
    auto link = [&](const QString& target, const QString& name) {
        ASSERT_TRUE(QFile::link(target, project + "/" + name)) << name.toStdString();
    };
    link(Path("outside/victim.xml"), "S7_Protocol.xml");
    link(Path("outside/missing.xml"), "ParGen.xml");      // target not there yet
    link("S7_Protocol.xml", "KNX_SetAccess.xml");         // a chain, relative
    link("bin/local.xml", "OPC_UA_Server.xml");           // stays inside
    link(Path("outside"), "out");                         // a folder leading out
    link("loop2.xml", "loop1.xml");
    link("loop1.xml", "loop2.xml");

    struct Case {
        const char* name;
        QString target;
        bool inside;
    } cases[] = {
        {"plain.xml", real + "/PROJECTS/P1/plain.xml", true},
        {"S7_Protocol.xml", real + "/outside/victim.xml", false},
        {"ParGen.xml", real + "/outside/missing.xml", false},
        {"KNX_SetAccess.xml", real + "/outside/victim.xml", false},
        {"OPC_UA_Server.xml", real + "/PROJECTS/P1/bin/local.xml", true},
        {"out/bank1.bin", real + "/outside/bank1.bin", false},
        {"loop1.xml", QString(), false},
    };
    for (const Case& c : cases) {
        const QString path = project + "/" + c.name;
        EXPECT_EQ(WriteTargetPath(path), c.target) << c.name;
        EXPECT_EQ(WritesInsideFolder(path, project), c.inside) << c.name;
    }
    const TWriteResult loop = SafeWriteFile(project + "/loop1.xml", "x");
    EXPECT_FALSE(loop.Ok);
    EXPECT_EQ(loop.Error, SystemErrorText(ELOOP));
}

// ---------------------------------------------------------------------------
// Reading only what is a file of reasonable size

namespace {

QString ReadError(const QString& path, TReadKind kind)
{
    try {
        ReadFileBytes(path, kind);
    } catch (const EFOpenError& e) {
        return e.Message();
    }
    return QStringLiteral("(read)");
}

}  // namespace

TEST(Files, ReadFileBytesRefusesSpecialFilesWithoutBlocking)
{
    const QString fifo = Path("fifo.lng");
    TFifo made(fifo);
    ASSERT_TRUE(made.Made());
    ASSERT_TRUE(QFile::link("/dev/zero", Path("zero.xml")));
    QElapsedTimer clock;
    clock.start();
    for (const char* name : {"fifo.lng", "zero.xml"}) {
        EXPECT_EQ(ReadError(Path(name), TReadKind::Document),
                  QStringLiteral("Cannot open file \"%1\". Not a regular file").arg(Path(name)));
    }
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(IsRegularFile(fifo));
    EXPECT_FALSE(IsRegularFile(Path("zero.xml")));
    EXPECT_FALSE(IsRegularFile(Dir()));
}

// Each kind has its limit: a file of exactly the limit is read, one byte
// more is refused with the limit named.
TEST(Files, ReadFileBytesRefusesFilesAboveTheKindsLimit)
{
    struct Case {
        TReadKind kind;
        qint64 limit;
        const char* text;
    } cases[] = {
        {TReadKind::Document, 16 << 20, "Larger than 16 MiB, the most a table, parameter or settings file may hold"},
        {TReadKind::Language, 4 << 20, "Larger than 4 MiB, the most a language file may hold"},
        {TReadKind::Picture, 80 << 20, "Larger than 80 MiB, the most a picture may hold"},
        {TReadKind::GridImport, 64 << 20, "Larger than 64 MiB, the most a file the grid imports may hold"},
    };
    const QString big = Path("big");
    for (const Case& c : cases) {
        EXPECT_EQ(ReadLimit(c.kind), c.limit) << c.text;
        ASSERT_TRUE(MakeSparseFile(big, c.limit + 1));
        EXPECT_EQ(ReadError(big, c.kind), QStringLiteral("Cannot open file \"%1\". %2").arg(big, c.text));
    }
    ASSERT_TRUE(MakeSparseFile(big, 4 << 20));
    EXPECT_EQ(ReadFileBytes(big, TReadKind::Language).size(), 4 << 20);
}
