#include "Process.h"

#include "Files.h"
#include "Clock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct {
    const char* NoPath = "No program file given";
    const char* Missing = "The program file \"%1\" does not exist";
    const char* NotFile = "\"%1\" is not a file";
    const char* NotExecutable = "The program file \"%1\" may not be executed";
    const char* NoProgram = "\"%1\" is not a program this system can run";
    const char* SpawnFailed = "Cannot start \"%1\": %2";
} const Msg;

// The children this process started and has not yet collected.
struct ChildTable {
    std::mutex Lock;
    std::map<pid_t, int> Collected;  // ended, exit status not yet asked for
    std::set<pid_t> Abandoned;       // outlived their wait; the reaper's
};

ChildTable& Children()
{
    static ChildTable t;
    return t;
}

QPointer<QTimer>& ReaperTimer()
{
    static QPointer<QTimer> timer;
    return timer;
}

int ExitCodeOf(int status)
{
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

// Whether the child has ended, collecting it when it just did. Call with
// the table locked.
bool Ended(ChildTable& t, pid_t pid, int& code)
{
    auto it = t.Collected.find(pid);
    if (it != t.Collected.end()) {
        code = it->second;
        return true;
    }
    int status = 0;
    pid_t r;
    do
        r = ::waitpid(pid, &status, WNOHANG);
    while (r < 0 && errno == EINTR);
    if (r == 0)
        return false;
    // r < 0: not (or no longer) a child of ours; nothing to wait for.
    code = r > 0 ? ExitCodeOf(status) : -1;
    t.Collected[pid] = code;
    return true;
}

void StartReaperTimer()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app->thread() != QThread::currentThread())
        return;  // collected at the next start instead
    QPointer<QTimer>& timer = ReaperTimer();
    if (!timer) {
        timer = new QTimer(app);
        timer->setInterval(1000);
        QObject::connect(timer, &QTimer::timeout, [] { ReapChildren(); });
        QObject::connect(app, &QCoreApplication::aboutToQuit, [] { ReapChildren(); });
    }
    if (!timer->isActive())
        timer->start();
}

}  // namespace

QStringList SplitArguments(const QString& text)
{
    QStringList args;
    QString current;
    bool inToken = false;
    bool quoted = false;
    for (QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            inToken = true;  // "" is an empty argument
        } else if (!quoted && (c == QLatin1Char(' ') || c == QLatin1Char('\t'))) {
            if (inToken)
                args.append(current);
            current.clear();
            inToken = false;
        } else {
            current.append(c);
            inToken = true;
        }
    }
    if (inToken)
        args.append(current);
    return args;
}

int ReapChildren()
{
    ChildTable& t = Children();
    std::lock_guard<std::mutex> lock(t.Lock);
    for (auto it = t.Abandoned.begin(); it != t.Abandoned.end();) {
        int code = 0;
        if (Ended(t, *it, code)) {
            t.Collected.erase(*it);
            it = t.Abandoned.erase(it);
        } else {
            ++it;
        }
    }
    if (t.Abandoned.empty() && ReaperTimer())
        ReaperTimer()->stop();
    return int(t.Abandoned.size());
}

TProcessStart TPosixProcessLauncher::Start(const QString& path, const QString& argumentText)
{
    ReapChildren();
    TProcessStart result;
    if (path.isEmpty()) {
        result.Error = QLatin1String(Msg.NoPath);
        return result;
    }
    const QFileInfo fi(path);
    if (!fi.exists()) {
        result.Error = QString::fromLatin1(Msg.Missing).arg(path);
        return result;
    }
    if (!fi.isFile()) {
        result.Error = QString::fromLatin1(Msg.NotFile).arg(path);
        return result;
    }

    const QByteArray file = QFile::encodeName(path);
    std::vector<QByteArray> bytes{file};
    for (const QString& a : SplitArguments(argumentText))
        bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);

    // Only the standard streams pass to the child, and it starts with the
    // default signal dispositions and no blocked signals.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, file.constData(), &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);

    if (rc == 0) {
        result.Started = true;
        result.Handle = pid;
        // A status kept for an earlier child with the same number is stale.
        ChildTable& t = Children();
        std::lock_guard<std::mutex> lock(t.Lock);
        t.Collected.erase(pid);
    } else if (rc == EACCES) {
        result.Error = QString::fromLatin1(Msg.NotExecutable).arg(path);
    } else if (rc == ENOEXEC) {
        result.Error = QString::fromLatin1(Msg.NoProgram).arg(path);
    } else {
        result.Error = QString::fromLatin1(Msg.SpawnFailed).arg(path, SystemErrorText(rc));
    }
    return result;
}

bool TPosixProcessLauncher::Running(qint64 handle)
{
    if (handle <= 0)
        return false;
    ChildTable& t = Children();
    std::lock_guard<std::mutex> lock(t.Lock);
    int code = 0;
    return !Ended(t, pid_t(handle), code);
}

TProcessWait TPosixProcessLauncher::WaitForExit(qint64 handle, uint32_t limitMs, uint32_t pollMs)
{
    TProcessWait result;
    if (handle <= 0) {
        result.Exited = true;
        result.ExitCode = -1;
        return result;
    }
    const pid_t pid = pid_t(handle);
    ChildTable& t = Children();
    const uint32_t start = GetTickCount();
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(t.Lock);
            int code = 0;
            if (Ended(t, pid, code)) {
                t.Collected.erase(pid);
                t.Abandoned.erase(pid);
                result.Exited = true;
                result.ExitCode = code;
                return result;
            }
            if (uint32_t(GetTickCount() - start) >= limitMs) {
                // Left running; the reaper collects it once it ends.
                t.Abandoned.insert(pid);
                break;
            }
        }
        Sleep(pollMs);
    }
    StartReaperTimer();
    return result;
}
