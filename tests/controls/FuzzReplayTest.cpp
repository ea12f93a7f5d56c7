// Replays the fuzz targets' seed corpora and every reproducer kept beside
// them through the same checks the fuzzers run.
#include "FuzzChecks.h"
#include "TestHarness.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

void Replay(const char* target, void (*check)(const uint8_t*, size_t))
{
    const QDir dir(TestHarness::SourcePath(QStringLiteral("tests/fuzz/corpus/") + QString::fromLatin1(target)));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << target;
    std::vector<std::string> failures;
    auto old = FuzzFailure;
    FuzzFailure = [&](const std::string& what) { failures.push_back(what); };
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        failures.clear();
        EXPECT_NO_THROW(check(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())))
            << target << "/" << name.toStdString();
        for (const std::string& w : failures)
            ADD_FAILURE() << target << "/" << name.toStdString() << ": " << w;
    }
    FuzzFailure = old;
}

TEST(FuzzReplay, Matcher) { Replay("matcher", CheckMatcher); }
TEST(FuzzReplay, TextRoutines) { Replay("text", CheckTextRoutines); }
TEST(FuzzReplay, DropReaders) { Replay("drop", CheckDropReaders); }
TEST(FuzzReplay, DropDownEdit) { Replay("dropdownedit", CheckDropDownEdit); }
TEST(FuzzReplay, PictureLoading) { Replay("picture", CheckPictureLoading); }

}  // namespace
