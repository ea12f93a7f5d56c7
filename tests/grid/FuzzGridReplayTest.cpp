// Replays the grid importers' fuzz corpora through the fuzz checks and
// through the grid's own importers on a grid of known cells: an error
// leaves cells, counts and selection as they were, and nothing is written
// beyond the counts.
#include "AdvGridFilesTestKit.h"

#include "FuzzChecks.h"
#include "FuzzGridChecks.h"
#include "Files.h"
#include "TempProgramDir.h"
#include "TestHarness.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

QList<QPair<QString, QByteArray>> Corpus(const char* target)
{
    QList<QPair<QString, QByteArray>> files;
    const QDir dir(TestHarness::SourcePath(QStringLiteral("tests/fuzz/corpus/") + QString::fromLatin1(target)));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::ReadOnly)) files.append({name, f.readAll()});
    }
    return files;
}

void Replay(const char* target, void (*check)(const uint8_t*, size_t))
{
    const auto files = Corpus(target);
    ASSERT_FALSE(files.isEmpty()) << target;
    std::vector<std::string> failures;
    auto old = FuzzFailure;
    FuzzFailure = [&](const std::string& what) { failures.push_back(what); };
    for (const auto& [name, bytes] : files) {
        failures.clear();
        EXPECT_NO_THROW(check(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size())))
            << target << "/" << name.toStdString();
        for (const std::string& w : failures) ADD_FAILURE() << target << "/" << name.toStdString() << ": " << w;
    }
    FuzzFailure = old;
}

// The importer on a fixture grid: success or an exception with the grid as it was.
void Import(const char* target, const std::function<void(TAdvStringGrid*, const QByteArray&)>& load)
{
    for (const auto& [name, bytes] : Corpus(target)) {
        auto g = NewFixtureGrid();
        g->SetSelection(TGridRect{2, 3, 3, 4});
        const QStringList before = Snapshot(g.get());
        bool failed = false;
        try {
            load(g.get(), bytes);
        } catch (const Exception&) {
            failed = true;
        }
        if (failed) {
    EXPECT_EQ(Snapshot(g.get()), before) << target << "/" << name.toStdString();
        }
        EXPECT_EQ(g->TotalColCount(), g->ColCount()) << target << "/" << name.toStdString();
    }
}

}  // namespace

TEST(FuzzGridReplay, Checks)
{
    Replay("textcells", CheckTextCellReaders);
    Replay("csv", CheckCSVReader);
    Replay("fixed", CheckFixedReader);
    Replay("cliptext", CheckClipText);
    Replay("stream", CheckGridStream);
    Replay("xml", CheckXmlReader);
}

TEST(FuzzGridReplay, RealImporters)
{
    const QString path = QDir(CurrentTempProgramDir()).filePath(QStringLiteral("replay.dat"));
    Import("textcells", [&](TAdvStringGrid* g, const QByteArray& bytes) {
        ASSERT_TRUE(SafeWriteFile(path, bytes));
        g->LoadFromFile(path);
    });
    Import("textcells", [](TAdvStringGrid* g, const QByteArray& bytes) {
        QByteArray data = bytes;
        QBuffer b(&data);
        b.open(QIODevice::ReadOnly);
        g->LoadFromStream(&b);
    });
    Import("csv", [](TAdvStringGrid* g, const QByteArray& bytes) {
        QByteArray data = bytes;
        QBuffer b(&data);
        b.open(QIODevice::ReadOnly);
        g->LoadFromCSVStream(&b, 0);
    });
    Import("stream", [](TAdvStringGrid* g, const QByteArray& bytes) {
        QByteArray data = bytes;
        QBuffer b(&data);
        b.open(QIODevice::ReadOnly);
        g->LoadAtPointFromBinStream(TPoint(4, 5), &b);
    });
    Import("xml", [&](TAdvStringGrid* g, const QByteArray& bytes) {
        ASSERT_TRUE(SafeWriteFile(path, bytes));
        g->LoadFromXML(path, bytes.size() % 2 == 1);
    });
    Import("cliptext", [](TAdvStringGrid* g, const QByteArray& bytes) {
        g->SetSelectionAsText(QString::fromUtf8(bytes));
    });
}
