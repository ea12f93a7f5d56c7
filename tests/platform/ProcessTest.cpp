// Starting programs and waiting for them.
#include "Clock.h"
#include "Process.h"
#include "Services.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QString WriteFile(const QTemporaryDir& dir, const char* name, const QByteArray& text,
                  QFileDevice::Permissions perms)
{
    const QString path = dir.filePath(QLatin1String(name));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    EXPECT_TRUE(QFile::setPermissions(path, perms));
    return path;
}

const QFileDevice::Permissions Executable = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                            | QFileDevice::ExeOwner;
const QFileDevice::Permissions PlainFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

TEST(Process, SplitArguments)
{
    const struct {
        const char* Text;
        QStringList Args;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"a", {"a"}},
        {"  a   b ", {"a", "b"}},
        {"a \"b c\"", {"a", "b c"}},
        {"\"\" x", {"", "x"}},
        {"a\"b c\"d", {"ab cd"}},
        {"\"open end", {"open end"}},
        {"-f\t\"C:/My Files/job.xml\"", {"-f", "C:/My Files/job.xml"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(SplitArguments(QLatin1String(c.Text)), c.Args);
    }
}

TEST(Process, ExitCodesAreReturnedWithinAFewPolls)
{
    auto clock = std::make_shared<SystemClock>();
    ScopedService g(&PlatformServices::Clock, std::shared_ptr<IClock>(clock));
    TPosixProcessLauncher launcher;
    const struct {
        const char* Path;
        const char* Args;
        int Code;
    } cases[] = {
        {"/bin/true", "", 0},
        {"/bin/false", "", 1},
        {"/bin/sh", "-c \"exit 7\"", 7},
        {"/bin/sh", "-c \"kill -TERM $$\"", 128 + SIGTERM},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        const TProcessStart s = launcher.Start(QLatin1String(c.Path), QLatin1String(c.Args));
        ASSERT_TRUE(s.Started) << s.Error.toStdString();
        const uint32_t before = GetTickCount();
        const TProcessWait w = launcher.WaitForExit(s.Handle, 5000, 10);
        EXPECT_TRUE(w.Exited);
        EXPECT_EQ(w.ExitCode, c.Code);
        EXPECT_LT(uint32_t(GetTickCount() - before), 2000u);
        EXPECT_FALSE(launcher.Running(s.Handle));
    }
}

TEST(Process, WaitTimesOutInTestTimeAndTheReaperCollectsTheChildLater)
{
    auto clock = std::make_shared<TestClock>();
    ScopedService g(&PlatformServices::Clock, std::shared_ptr<IClock>(clock));
    TPosixProcessLauncher launcher;
    const TProcessStart s = launcher.Start(QStringLiteral("/bin/sleep"), QStringLiteral("5"));
    ASSERT_TRUE(s.Started) << s.Error.toStdString();

    const TProcessWait w = launcher.WaitForExit(s.Handle, 300, 10);
    EXPECT_FALSE(w.Exited);
    EXPECT_EQ(clock->SleepCount(), 30);
    EXPECT_EQ(clock->SleptMs(), 300u);
    EXPECT_TRUE(launcher.Running(s.Handle));
    EXPECT_GE(ReapChildren(), 1);

    ASSERT_EQ(::kill(pid_t(s.Handle), SIGKILL), 0);
    for (int i = 0; i < 2000 && ReapChildren() > 0; ++i)
        ::usleep(1000);
    EXPECT_EQ(ReapChildren(), 0);
    // Collected: no zombie keeps the process number.
    errno = 0;
    EXPECT_EQ(::kill(pid_t(s.Handle), 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

TEST(Process, ProgramsThatCannotStartAreReportedAsNotStarted)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString noExecBit = WriteFile(dir, "noexec.sh", "#!/bin/sh\nexit 0\n", PlainFile);
    const QString noShebang = WriteFile(dir, "text.sh", "exit 0\n", Executable);
    const QString garbage = WriteFile(dir, "garbage.exe", QByteArray("MZ\x90\0\3\0\0\0", 8), Executable);
    const struct {
        const char* Name;
        QString Path;
    } cases[] = {
        {"missing file", dir.filePath(QStringLiteral("Ethernet_Update.exe"))},
        {"no execute bit", noExecBit},
        {"text without #!", noShebang},
        {"a Windows program", garbage},
        {"a folder", dir.path()},
        {"no path", QString()},
    };
    TPosixProcessLauncher launcher;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TProcessStart s = launcher.Start(c.Path, QString());
        EXPECT_FALSE(s.Started);
        EXPECT_EQ(s.Handle, 0);
        EXPECT_FALSE(s.Error.isEmpty());
    }
}

TEST(Process, ArgumentsAndOnlyTheStandardStreamsReachTheChild)
{
    auto clock = std::make_shared<SystemClock>();
    ScopedService g(&PlatformServices::Clock, std::shared_ptr<IClock>(clock));
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("out.txt"));
    const QString fds = dir.filePath(QStringLiteral("fds.txt"));
    const QString marker = WriteFile(dir, "marker.bin", "x", PlainFile);
    const QString script = WriteFile(
        dir, "args.sh",
        "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + out.toUtf8() + "'\nls -l /proc/$$/fd > '"
            + fds.toUtf8() + "'\n",
        Executable);
    // A descriptor without close-on-exec must still not reach the child.
    const int leaky = ::open(QFile::encodeName(marker).constData(), O_RDONLY);
    ASSERT_GE(leaky, 0);

    TPosixProcessLauncher launcher;
    const TProcessStart s = launcher.Start(script, QStringLiteral("a \"b c\""));
    ::close(leaky);
    ASSERT_TRUE(s.Started) << s.Error.toStdString();
    const TProcessWait w = launcher.WaitForExit(s.Handle, 5000);
    ASSERT_TRUE(w.Exited);
    EXPECT_EQ(w.ExitCode, 0);
    EXPECT_EQ(ReadAll(out), QByteArray("2\na\nb c\n"));
    const QByteArray listing = ReadAll(fds);
    EXPECT_FALSE(listing.isEmpty());
    EXPECT_FALSE(listing.contains("marker.bin")) << listing.toStdString();
}
