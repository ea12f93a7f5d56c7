// Markup pictures: decoding, GIF frames and their timing, loading by
// source, the cache and the container.

#include "PictureContainer.h"

#include "Files.h"
#include "HostileFiles.h"
#include "MarkupFixtures.h"
#include "Resources.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace MarkupTest;

namespace {

QString ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QString();
}

}  // namespace

TEST(HTMLPicture, GifFramesOffsetsAndTiming)
{
    const QByteArray gif = ThreeFrameGif();
    // Undecodable bytes raise but are kept, which is enough for IsGIF.
    auto isGif = [](const char* bytes) {
        THTMLPicture p;
        try { p.LoadFromStream(QByteArray(bytes)); } catch (const Exception&) {}
        return p.IsGIF();
    };
    EXPECT_FALSE(isGif("GIF8"));
    EXPECT_TRUE(isGif("GIF89"));

    THTMLPicture p;
    p.LoadFromStream(gif);
    EXPECT_TRUE(p.IsGIF());
    EXPECT_FALSE(p.Empty());
    EXPECT_EQ(p.FrameCount(), 3);
    EXPECT_EQ(p.Frame(), 1);
    EXPECT_EQ(p.Width(), 20);
    EXPECT_EQ(p.ToImage().pixel(0, 0) & 0xFFFFFF, 0xFF0000u);

    int changes = 0;
    p.OnFrameChange = [&](TObject*) { ++changes; };
    p.SetFrame(2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(p.FrameXPos(), 3);
    EXPECT_EQ(p.FrameYPos(), 2);
    EXPECT_EQ(p.Width(), 6);   // the frame's own picture
    EXPECT_EQ(p.Height(), 4);
    EXPECT_EQ(p.ToImage().pixel(0, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(p.MaxWidth(), 20);  // the logical screen
    EXPECT_EQ(p.MaxHeight(), 10);

    EXPECT_EQ(p.GetFrameTime(2), 20);
    EXPECT_TRUE(p.FrameTransp());
    EXPECT_EQ(p.FrameDisposal(), 2);
    EXPECT_EQ(p.GetFrameTime(3), 30);
    EXPECT_FALSE(p.FrameTransp());
    EXPECT_EQ(p.FrameDisposal(), 1);
    EXPECT_EQ(p.GetFrameTime(4), -1);

    p.SetFrame(7);  // outside 1..3: nothing
    EXPECT_EQ(p.Frame(), 2);
    EXPECT_EQ(changes, 1);
    p.SetFrame(3);
    p.FrameNext();
    EXPECT_EQ(p.Frame(), 1);
    p.FramePrev();
    EXPECT_EQ(p.Frame(), 3);
    EXPECT_EQ(p.FrameXPos(), 10);  // FrameNext/FramePrev do not decode
}

TEST(HTMLPicture, StepChangesFramesAtTheirDueTimes)
{
    THTMLPicture p;
    p.LoadFromStream(ThreeFrameGif());
    for (int i = 0; i < 20; ++i) ASSERT_FALSE(p.Step());  // frames never counted
    THTMLPicture q;
    q.LoadFromStream(ThreeFrameGif());
    ASSERT_EQ(q.FrameCount(), 3);
    // Delays 10, 20, 30 hundredths; one step is 10 hundredths.
    std::vector<int> changedAt, frames;
    for (int call = 1; call <= 9; ++call)
        if (q.Step()) {
            changedAt.push_back(call);
            frames.push_back(q.Frame());
        }
    EXPECT_EQ(changedAt, (std::vector<int>{3, 5, 8, 9}));
    EXPECT_EQ(frames, (std::vector<int>{2, 3, 1, 2}));
}

TEST(HTMLPicture, TruncatedGifCountsCompleteMarkersOnly)
{
    const QByteArray gif = ThreeFrameGif();
    const qsizetype third = GifFrameMarker(gif, 3);
    for (qsizetype cut : {third + 9, third + 16, third + 17}) {
        THTMLPicture p;
        p.LoadFromStream(gif.left(cut));
        EXPECT_EQ(p.FrameCount(), cut >= third + 17 ? 3 : 2) << cut;
        EXPECT_EQ(p.GetFrameTime(3), cut >= third + 17 ? 30 : -1) << cut;
    }
}

TEST(HTMLPicture, LoadErrorsSizesAssignAndDraw)
{
    const QByteArray junk("this is not a picture at all");
    THTMLPicture bad;
    EXPECT_EQ(ErrorOf([&] { bad.LoadFromStream(junk); }), "Could not load image. Invalid format");

    QTemporaryDir dir;
    const QString junkFile = dir.filePath("junk.png");
    {
        QFile f(junkFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(junk);
    }
    THTMLPicture fromFile;
    EXPECT_NO_THROW(fromFile.LoadFromFile(junkFile));
    EXPECT_TRUE(fromFile.Empty());

    THTMLPicture png;
    png.LoadFromStream(PngBytes(64, 48));
    EXPECT_EQ(png.Width(), 64);
    EXPECT_EQ(png.Height(), 48);
    EXPECT_EQ(png.FrameCount(), -1);
    EXPECT_EQ(png.SaveToBytes(), PngBytes(64, 48));

    THTMLPicture copy;
    copy.Assign(&png);
    EXPECT_FALSE(copy.Empty());
    EXPECT_EQ(copy.Width(), 64);
    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Width(), 0);

    TCanvas hiRes;
    auto* rec = new TDpiRecordingBackend(192);
    hiRes.SetBackend(std::unique_ptr<TCanvasBackend>(rec));
    png.Draw(&hiRes, TRect(5, 5, 10, 10));
    ASSERT_EQ(rec->Ops().size(), 1u);
    EXPECT_EQ(rec->Ops()[0].Rect, TRect(5, 5, 133, 101));  // natural size at 192 dpi
    png.SetStretch(true);
    png.Draw(&hiRes, TRect(5, 5, 10, 10));
    EXPECT_EQ(rec->Ops()[1].Rect, TRect(5, 5, 10, 10));
}

TEST(HTMLPicture, LoadFromURLReadsOnlyResourcesAndLocalFiles)
{
    RegisterResource("Logo", PngBytes(64, 48));
    THTMLPicture res;
    res.LoadFromURL("res://Logo");
    EXPECT_FALSE(res.Empty());
    EXPECT_EQ(res.ID(), "res://Logo");
    THTMLPicture res2;
    res2.LoadFromURL("RES://lOGO");
    EXPECT_FALSE(res2.Empty());
    UnregisterResource("Logo");

    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("Mixed Case"));
    const QString path = dir.path() + "/Mixed Case/PicTure.png";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(PngBytes(8, 8));
    }
    THTMLPicture file;
    file.LoadFromURL("FILE://" + path);
    EXPECT_FALSE(file.Empty());
    EXPECT_EQ(file.Width(), 8);
    THTMLPicture missing;
    EXPECT_NO_THROW(missing.LoadFromURL("file://" + dir.path() + "/none.png"));
    EXPECT_TRUE(missing.Empty());

    THTMLPicture sync;
    sync.SetAsynch(false);
    sync.LoadFromURL("http://127.0.0.1:9/x.png");
    EXPECT_TRUE(sync.Empty());
    EXPECT_EQ(sync.ID(), "http://127.0.0.1:9/x.png");
    THTMLPicture async;
    async.LoadFromURL("http://127.0.0.1:9/x.png");
    EXPECT_TRUE(async.Empty());
    EXPECT_FALSE(async.Busy());
    EXPECT_EQ(async.ID(), "");
    EXPECT_EQ(async.URL(), "http://127.0.0.1:9/x.png");
}

// Markup asks for a file source while it paints: a FIFO, a device or a file
// above the picture limit leaves the picture empty at once.
TEST(HTMLPicture, FileSourcesThatAreNoPictureFilesStayEmptyAtOnce)
{
    QTemporaryDir dir;
    const QString fifoPath = dir.filePath("fifo.png");
    TFifo fifo(fifoPath);
    ASSERT_TRUE(fifo.Made());
    ASSERT_TRUE(QFile::link("/dev/zero", dir.filePath("zero.png")));
    const QString big = dir.filePath("big.png");
    ASSERT_TRUE(MakeSparseFile(big, ReadLimit(TReadKind::Picture) + 1));
    QElapsedTimer clock;
    clock.start();
    for (const QString& url : {QStringLiteral("file:///dev/zero"), "FILE://" + fifoPath, "file://" + dir.filePath("zero.png"),
                               "file://" + big}) {
        THTMLPicture p;
        EXPECT_NO_THROW(p.LoadFromURL(url)) << url.toStdString();
        EXPECT_TRUE(p.Empty()) << url.toStdString();
        EXPECT_EQ(p.ID(), url);
    }
    EXPECT_LT(clock.elapsed(), 1000);
}

TEST(PictureContainer, FindByNameCacheByExactIdAndAnimate)
{
    TPictureContainer container;
    TPictureItem* item = container.Items()->Add();
    item->SetName("Logo");
    THTMLPicture png;
    png.LoadFromStream(PngBytes(64, 48));
    item->SetPicture(&png);
    EXPECT_EQ(container.FindPicture("logo"), item->Picture());
    EXPECT_EQ(container.FindPicture("LOGO"), item->Picture());
    EXPECT_EQ(container.FindPicture("other"), nullptr);
    EXPECT_EQ(item->Picture()->Width(), 64);
    EXPECT_EQ(container.Items()->GetOwner(), &container);

    auto* replaced = new TPictureCollection(&container);
    replaced->Add()->SetName("Second");
    container.SetItems(replaced);
    EXPECT_EQ(container.FindPicture("logo"), nullptr);
    EXPECT_NE(container.FindPicture("second"), nullptr);

    THTMLPictureCache cache;
    THTMLPicture* a = cache.AddPicture();
    a->SetID("res://A");
    EXPECT_EQ(cache.FindPicture("res://A"), a);
    EXPECT_EQ(cache.FindPicture("res://a"), nullptr);

    THTMLPicture* anim = cache.AddPicture();
    anim->LoadFromStream(ThreeFrameGif());
    anim->FrameCount();
    bool any = false;
    for (int i = 0; i < 3; ++i) any = cache.Animate() || any;
    EXPECT_TRUE(any);
    EXPECT_EQ(anim->Frame(), 2);
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
}
