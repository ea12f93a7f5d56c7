#pragma once
// Starting an external program and waiting for it to end.
//
// A program that cannot be started (missing file, no execute permission, a
// file that is no Linux program) is reported as not started with the
// reason; it is never taken for a child that ran. The wait polls with the
// clock's Sleep and pumps no events. A child that outlives its wait is left
// running and handed to the reaper, which collects it once it ends (at
// every later start, on a 1 s timer while any remain, and at program exit),
// so no zombie stays behind.

#include <QString>
#include <QStringList>
#include <cstdint>

struct TProcessStart {
    bool Started = false;
    qint64 Handle = 0;  // the child's process id when started
    QString Error;      // the reason when not started
};

struct TProcessWait {
    bool Exited = false;  // false: the limit passed with the child still running
    int ExitCode = 0;     // the exit status; 128 + signal for a child killed by one
};

class IProcessLauncher {
public:
    virtual ~IProcessLauncher() = default;
    // Starts the program file with the argument text (split by
    // SplitArguments). The child inherits the standard streams only.
    virtual TProcessStart Start(const QString& path, const QString& argumentText) = 0;
    virtual bool Running(qint64 handle) = 0;
    virtual TProcessWait WaitForExit(qint64 handle, uint32_t limitMs, uint32_t pollMs = 10) = 0;
};

class TPosixProcessLauncher : public IProcessLauncher {
public:
    TProcessStart Start(const QString& path, const QString& argumentText) override;
    bool Running(qint64 handle) override;
    TProcessWait WaitForExit(qint64 handle, uint32_t limitMs, uint32_t pollMs = 10) override;
};

// Arguments split at blanks; double quotes group blanks into an argument
// and are removed ("a \"b c\"" gives a and "b c").
QStringList SplitArguments(const QString& text);

// Collects every handed-over child that has ended; the number still running.
int ReapChildren();
