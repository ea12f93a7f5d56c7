#include "Files.h"

#include "Services.h"
#include "SysUtils.h"
#include "TestHarness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
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
