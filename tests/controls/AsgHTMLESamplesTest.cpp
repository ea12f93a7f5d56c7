// The renderer with real fonts on a window: a sheet of markup samples
// (grabbed to a PNG when CALYPTOR_GRAB_DIR names a folder) with a few pixel
// probes, and a benchmark run by hand.

#include "AsgHTMLE.h"

#include "ImgList.h"
#include "MarkupFixtures.h"
#include "OsProfile.h"
#include "PictureContainer.h"
#include "Services.h"
#include "TestHarness.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

using namespace MarkupTest;

namespace {

struct Sample {
    QString Text;
    int Height;
    int FocusedAnchor = -1;
    int HoverAnchor = 0;
    bool Themed = true;
};

// The seven control types in one line.
const QString Controls =
    "<CONTROL TYPE=\"EDIT\" WIDTH=\"70\" ID=\"e\" VALUE=\"edit\"> "
    "<CONTROL TYPE=\"PASSWORD\" WIDTH=\"60\" ID=\"p\" VALUE=\"pass\"> "
    "<CONTROL TYPE=\"MASK\" WIDTH=\"60\" ID=\"m\" VALUE=\"12-34\"> "
    "<CONTROL TYPE=\"COMBO\" WIDTH=\"70\" ID=\"c\" VALUE=\"combo\"> "
    "<CONTROL TYPE=\"CHECK\" WIDTH=\"20\" ID=\"k\" VALUE=\"TRUE\"> "
    "<CONTROL TYPE=\"RADIO\" WIDTH=\"20\" ID=\"r\" VALUE=\"TRUE\"> "
    "<CONTROL TYPE=\"BUTTON\" WIDTH=\"60\" ID=\"b\" VALUE=\"Button\">";

const QList<Sample>& Samples()
{
    static const QList<Sample> samples = {
        {"<B>bold</B> <I>italic</I> <U>underline</U> <S>strike-out</S> <SHAD>shadow</SHAD> "
         "<E>eror</E> &amp; &permil; &euro;", 22},
        {"<FONT FACE=\"DejaVu Serif\" SIZE=\"4\" COLOR=\"clRed\">serif red</FONT> "
         "<FONT COLOR=\"#0080FF\" BGCOLOR=\"clYellow\">on yellow</FONT> "
         "H<SUB>2</SUB>O x<SUP>2</SUP> <HI>highlighted</HI>", 30},
        {"<UL><LI>first item<UL><LI>second level</UL><LI>back</UL>", 82},
        {"<P ALIGN=\"RIGHT\" BGCOLOR=\"clSilver\">right on silver</P>"
         "<P ALIGN=\"CENTER\">centred<HR>after the rule</P>", 62},
        {"Links: <A HREF=\"one\">focused</A>, <A HREF=\"two\" TITLE=\"t\">hovered</A>, "
         "<A HREF=\"three\">plain</A>", 22, 0, 2},
        {"List <IMG SRC=\"IDX:0\"> <IMG SRC=\"IDX:1\"> container <IMG SRC=\"logo\" WIDTH=\"32\"> "
         "GIF frame <IMG SRC=\"anim\">", 40},
        {Controls + " themed", 34},
        {Controls + " classic", 34, -1, 0, false},
        {"<BODY BACKGROUND=\"tile\">text over a tiled <B>BODY</B> background", 40},
    };
    return samples;
}

class SampleSheet : public QWidget {
public:
    SampleSheet()
    {
        setAutoFillBackground(false);
        int h = 0;
        for (const Sample& s : Samples()) h += s.Height + 6;
        resize(620, h + 4);
        list.SetSize(16, 16);
        const TColor colours[] = {clRed, clGreen};
        for (TColor col : colours) {
            TBitmap b(16, 16);
            b.Canvas()->Brush()->SetColor(col);
            b.Canvas()->Ellipse(TRect(1, 1, 15, 15));
            list.Add(&b);
        }
        auto add = [this](const QString& name, const QByteArray& bytes) {
            TPictureItem* item = container.Items()->Add();
            item->SetName(name);
            item->Picture()->LoadFromStream(bytes);
        };
        add("logo", PngBytes(64, 48, 0xFF3366CC));
        add("anim", ThreeFrameGif());
        container.FindPicture("anim")->SetFrame(2);
        QImage tile(12, 12, QImage::Format_ARGB32);
        tile.fill(0xFFEFF7FF);
        for (int i = 0; i < 12; ++i) tile.setPixel(i, i, 0xFFB0C8E8);
        QByteArray bytes;
        QBuffer buf(&bytes);
        buf.open(QIODevice::WriteOnly);
        tile.save(&buf, "PNG");
        add("tile", bytes);
    }

    TImageList list;
    TPictureContainer container;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        TCanvas c(&painter);
        c.Font()->SetName("DejaVu Sans");
        c.Font()->SetSize(9);
        int y = 2;
        for (const Sample& s : Samples()) {
            auto profile = std::make_shared<OsProfile>();
            profile->VisualStylesActive = s.Themed;
            ScopedService<std::shared_ptr<const OsProfile>> guard(&PlatformServices::Profile, profile);
            THTMLDrawArgs a;
            a.ImageList = &list;
            a.PictureContainer = &container;
            a.FocusedAnchor = s.FocusedAnchor;
            a.HoverAnchor = s.HoverAnchor;
            a.HoverOnlyLinks = s.HoverAnchor > 0;
            a.HoverBackground = s.HoverAnchor > 0 ? clInfoBk : clNone;
            a.HoverTextColor = s.HoverAnchor > 0 ? clRed : clNone;
            a.WordWrap = true;
            THTMLDrawResult r;
            c.Brush()->SetColor(clWhite);
            DrawHTMLText(&c, s.Text, TRect(4, y, 612, y + s.Height), a, r);
            painter.setPen(QColor(220, 220, 220));
            painter.drawLine(0, y + s.Height + 2, width(), y + s.Height + 2);
            y += s.Height + 6;
        }
    }
};

int CountPixels(const QImage& img, const QRect& area, QRgb rgb)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF)) ++n;
    return n;
}

}  // namespace

TEST(MarkupSamples, SheetDrawsWithRealFonts)
{
    SampleSheet sheet;
    const QImage img = sheet.grab().toImage();
    if (!TestHarness::GrabDir().isEmpty())
        TestHarness::GrabToPng(&sheet, TestHarness::GrabPath("markup_samples.png"));
    // Row 2: red serif text and a yellow text background.
    const int row2 = 2 + 22 + 6;
    EXPECT_GT(CountPixels(img, QRect(0, row2, 620, 30), 0xFF0000), 10);
    EXPECT_GT(CountPixels(img, QRect(0, row2, 620, 30), 0xFFFF00), 50);
    // Row 4: the silver paragraph background across the full width.
    const int row4 = row2 + 30 + 6 + 82 + 6;
    EXPECT_NEAR(qGray(img.pixel(600, row4 + 5)), 0xC0, 2);
    // Row 6: the container picture stretched to 32 x 24.
    const int row6 = row4 + 62 + 6 + 22 + 6;
    EXPECT_GT(CountPixels(img, QRect(0, row6, 620, 40), 0x3366CC), 32 * 24 - 1);
}

// Not a test: run with --gtest_also_run_disabled_tests in an optimised build.
TEST(MarkupSamples, DISABLED_Benchmark)
{
    const QString text = "Order <B>1234</B> for <A HREF=\"mailto:x@y\">Jane &amp; Co</A>: "
                         "<FONT COLOR=\"clRed\">due today</FONT>, 12 items";
    QImage image(400, 40, QImage::Format_ARGB32);
    TCanvas c;
    c.BindImage(&image);
    c.Font()->SetName("DejaVu Sans");
    THTMLDrawArgs a;
    THTMLDrawResult r;
    for (bool measure : {true, false}) {
        a.MeasureOnly = measure;
        const int n = 2000;
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < n; ++i) DrawHTMLText(&c, text, TRect(0, 0, 400, 40), a, r);
        std::printf("%s: %.1f us per call\n", measure ? "measure" : "draw",
                    double(t.nsecsElapsed()) / 1000.0 / n);
    }
}
