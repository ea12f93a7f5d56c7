#pragma once
// Helpers every test uses.

#include <QString>
#include <QStringList>

#include <ostream>

class QWidget;
class TControl;

// Readable failure output for Qt strings in the test framework's messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << "\n";
    for (const QString& s : l) *os << "  " << s.toStdString() << "\n";
}

namespace TestHarness {

// Registers the one free font the tests draw with (DejaVu Sans) and makes
// it the application font, so text metrics are the same on every machine.
void InstallFont();

// Installs the test doubles of the platform services (fake clock, network
// sandbox, ...). Called once by the test main before the tests run.
void InstallTestServices();

// The program folder of the running test: a fresh empty temporary folder
// for every test, installed as the services' program-folder override.
QString ProgramDir();
// A file in that folder: <ProgramDir>/<name>.
QString ProgramPath(const QString& name);

// The folder the opt-in variable CALYPTOR_GRAB_DIR names for pictures to
// look at by eye; empty when it is not set.
QString GrabDir();
// Where a test writes a picture of what it drew: <GrabDir>/<name> when the
// variable names a folder (made when missing), else the test's own temporary
// folder, so a run leaves nothing behind unless asked to.
QString GrabPath(const QString& name);

// A file of the source tree (e.g. "tests/fuzz/corpus"), found at run time
// rather than compiled in, so a build in another folder shares the compiler
// cache: CALYPTOR_SOURCE_DIR (set by ctest) or, failing that, the nearest
// folder above the test program that holds the tests' own sources.
QString SourcePath(const QString& relative);

// Grabs a widget to a PNG file (for a look at what a window shows).
bool GrabToPng(QWidget* w, const QString& path);
// Grabs a control or form (also a hidden one, laid out as it would show).
bool GrabToPng(TControl* c, const QString& path);

}  // namespace TestHarness
