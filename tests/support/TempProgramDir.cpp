#include "TempProgramDir.h"

#include "Services.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>

namespace {
TempProgramDirListener* gListener = nullptr;

std::unique_ptr<QTemporaryDir> NewDir()
{
    auto d = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/calyptor-prog-XXXXXX"));
    if (!d->isValid()) {
        std::fprintf(stderr, "Cannot create a temporary program folder: %s\n",
                     qPrintable(d->errorString()));
        std::abort();
    }
    return d;
}
}  // namespace

TempProgramDirListener::TempProgramDirListener() : FRunDir(NewDir())
{
    Install(*FRunDir);
}

TempProgramDirListener::~TempProgramDirListener()
{
    if (gListener == this) gListener = nullptr;
}

void TempProgramDirListener::OnTestStart(const ::testing::TestInfo&)
{
    FTestDir = NewDir();
    Install(*FTestDir);
}

void TempProgramDirListener::OnTestEnd(const ::testing::TestInfo&)
{
    Install(*FRunDir);
    FTestDir.reset();
}

QString TempProgramDirListener::Path() const
{
    return FTestDir ? FTestDir->path() : FRunDir->path();
}

void TempProgramDirListener::Install(const QTemporaryDir& dir)
{
    Services().ProgramDirOverride = QDir(dir.path()).canonicalPath();
}

void InstallTempProgramDir()
{
    if (gListener) return;
    gListener = new TempProgramDirListener;
    // gtest owns the listener from here on.
    ::testing::UnitTest::GetInstance()->listeners().Append(gListener);
}

QString CurrentTempProgramDir()
{
    return gListener ? gListener->Path() : QString();
}
