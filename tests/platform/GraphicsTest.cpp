// Canvas pixel rules, text layout and the recording back-end.

#include "Graphics.h"
#include "GraphicsRecording.h"
#include "TestHarness.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>


namespace {

// The picture of an image as text: '.' white, '#' black, 'r' red, 'b' blue,
// 'g' lime, '?' anything else.
QStringList Art(const QImage& img)
{
    QStringList rows;
    for (int y = 0; y < img.height(); ++y) {
        QString row;
        for (int x = 0; x < img.width(); ++x) {
            QRgb v = img.pixel(x, y) & 0xFFFFFF;
            switch (v) {
            case 0xFFFFFF: row += '.'; break;
            case 0x000000: row += '#'; break;
            case 0xFF0000: row += 'r'; break;
            case 0x0000FF: row += 'b'; break;
            case 0x00FF00: row += 'g'; break;
            default: row += '?'; break;
            }
        }
        rows << row;
    }
    return rows;
}

// An image-bound canvas on a white w x h surface.
struct Surface {
    QImage Image;
    TCanvas Canvas;
    Surface(int w, int h) : Image(w, h, QImage::Format_RGB32)
    {
        Image.fill(Qt::white);
        Canvas.BindImage(&Image);
    }
    QStringList Picture()
    {
        Canvas.Flush();
        return Art(Image);
    }
};

}  // namespace

TEST(Canvas, PixelRulesOfRectanglesAndLines)
{
    struct Case {
        const char* Name;
        std::function<void(TCanvas&)> Draw;
        QStringList Expected;
    };
    const std::vector<Case> cases = {
        {"FillRect excludes right and bottom",
         [](TCanvas& c) { c.Brush()->SetColor(clRed); c.FillRect(TRect(1, 1, 4, 3)); },
         {"......", ".rrr..", ".rrr..", "......"}},
        {"FrameRect is one pixel of brush",
         [](TCanvas& c) { c.Brush()->SetColor(clBlue); c.FrameRect(TRect(1, 0, 5, 4)); },
         {".bbbb.", ".b..b.", ".b..b.", ".bbbb."}},
        {"Rectangle: pen outline, brush inside",
         [](TCanvas& c) {
             c.Pen()->SetColor(clBlack);
             c.Brush()->SetColor(clRed);
             c.Rectangle(0, 0, 5, 4);
         },
         {"#####.", "#rrr#.", "#rrr#.", "#####."}},
        {"Rectangle without pen fills one pixel less",
         [](TCanvas& c) {
             c.Pen()->SetStyle(psClear);
             c.Brush()->SetColor(clRed);
             c.Rectangle(0, 0, 5, 4);
         },
         {"rrrr..", "rrrr..", "rrrr..", "......"}},
        {"LineTo stops before its end point",
         [](TCanvas& c) {
             c.MoveTo(0, 1);
             c.LineTo(5, 1);
             c.MoveTo(5, 3);
             c.LineTo(5, 0);
         },
         {"......", "######", ".....#", ".....#"}},
        {"diagonal LineTo",
         [](TCanvas& c) { c.MoveTo(0, 0); c.LineTo(4, 4); },
         {"#.....", ".#....", "..#...", "...#..", "......"}},
        {"Polyline leaves out its last point",
         [](TCanvas& c) { c.Polyline({TPoint(0, 0), TPoint(3, 0), TPoint(3, 3)}); },
         {"####..", "...#..", "...#..", "......"}},
        {"Polygon is closed and filled",
         [](TCanvas& c) {
             c.Brush()->SetColor(clRed);
             c.Polygon({TPoint(0, 0), TPoint(4, 0), TPoint(4, 3), TPoint(0, 3)});
         },
         {"#####.", "#rrr#.", "#rrr#.", "#####."}},
        {"wide solid pen stays inside the rectangle",
         [](TCanvas& c) {
             c.Pen()->SetWidth(2);
             c.Brush()->SetStyle(bsClear);
             c.Rectangle(0, 0, 6, 6);
         },
         {"######", "######", "##..##", "##..##", "######", "######"}},
        {"Pixels write one pixel",
         [](TCanvas& c) { c.SetPixels(2, 1, clLime); },
         {"......", "..g...", "......"}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.Name);
        Surface s(6, int(tc.Expected.size()));
        tc.Draw(s.Canvas);
        EXPECT_EQ(s.Picture(), tc.Expected);
    }
}

TEST(Canvas, DottedPenAndFocusRect)
{
    Surface s(12, 3);
    s.Canvas.Pen()->SetStyle(psDot);
    s.Canvas.MoveTo(0, 0);
    s.Canvas.LineTo(12, 0);
    s.Canvas.Brush()->SetColor(clRed);
    s.Canvas.FillRect(TRect(0, 1, 12, 3));
    s.Canvas.DrawFocusRect(TRect(0, 1, 6, 3));
    QStringList pic = s.Picture();
    EXPECT_EQ(pic[0], "###...###...");
    // Every other pixel inverted (red becomes aqua: '?').
    EXPECT_EQ(pic[1], "r?r?r?rrrrrr");
    EXPECT_EQ(s.Image.pixel(1, 1), qRgb(0, 255, 255));
    // Drawing the focus rectangle again restores the picture.
    s.Canvas.DrawFocusRect(TRect(0, 1, 6, 3));
    EXPECT_EQ(s.Picture()[1], "rrrrrrrrrrrr");
    EXPECT_EQ(s.Image.pixel(0, 1), qRgb(255, 0, 0));
}

TEST(Canvas, ClipAndPixelsRead)
{
    Surface s(6, 2);
    s.Canvas.SelectClipRect(TRect(2, 0, 4, 2));
    EXPECT_EQ(s.Canvas.ClipRect(), TRect(2, 0, 4, 2));
    s.Canvas.Brush()->SetColor(clBlue);
    s.Canvas.FillRect(TRect(0, 0, 6, 2));
    s.Canvas.ClearClip();
    EXPECT_EQ(s.Canvas.ClipRect(), TRect(0, 0, 6, 2));
    s.Canvas.SetPixels(0, 0, clRed);
    EXPECT_EQ(s.Picture(), QStringList({"r.bb..", "..bb.."}));
    EXPECT_EQ(s.Canvas.Pixels(2, 1), clBlue);
    EXPECT_EQ(s.Canvas.Pixels(0, 0), clRed);
    EXPECT_EQ(s.Canvas.Pixels(9, 9), clNone);
}

TEST(Canvas, BoundToCallersPainterKeepsItsClip)
{
    QImage img(8, 1, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setClipRect(QRect(0, 0, 4, 1));
    {
        TCanvas c(&p);
        c.Brush()->SetColor(clBlack);
        c.SelectClipRect(TRect(2, 0, 8, 1));
        c.FillRect(TRect(0, 0, 8, 1));
    }
    EXPECT_TRUE(p.hasClipping());
    p.end();
    EXPECT_EQ(Art(img), QStringList({"..##...."}));

    // Binding again starts without the old clip, as a new device context does.
    TCanvas c;
    c.SelectClipRect(TRect(0, 0, 1, 1));
    c.MoveTo(3, 3);
    QImage img2(2, 1, QImage::Format_RGB32);
    c.BindImage(&img2);
    EXPECT_FALSE(c.ClipRegion().has_value());
    EXPECT_EQ(c.PenPos(), TPoint(0, 0));
    c.Unbind();
}

TEST(Canvas, BrushColourMakesAClearBrushSolidAndTextTransparency)
{
    TCanvas c;
    c.Brush()->SetStyle(bsClear);
    EXPECT_FALSE(c.OpaqueText());
    c.Brush()->SetColor(clRed);
    EXPECT_EQ(c.Brush()->Style(), bsSolid);
    EXPECT_TRUE(c.OpaqueText());
    c.SetBkMode(TRANSPARENT);
    EXPECT_FALSE(c.OpaqueText());
}

TEST(Font, SizeHeightAndChangeNotification)
{
    TFont f;
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
    f.SetStyle(TFontStyles{fsBold, fsItalic});
    EXPECT_TRUE(f.ToQFont().bold());
    EXPECT_TRUE(f.ToQFont().italic());
    EXPECT_EQ(f.ToQFont().pixelSize(), 16);
    EXPECT_EQ(changes, 2);  // SetSize(8) changed nothing: -11 already
    TFont g;
    g.Assign(&f);
    EXPECT_EQ(g.Height(), -16);
    EXPECT_TRUE(g.Style().Contains(fsItalic));
}

// ---------------------------------------------------------------------------

TEST(DrawText, CalcRectMeasuresLinesAndSingleLine)
{
    TCanvas c;
    const int lh = c.TextHeight("Ag");
    const int wHello = c.TextWidth("Hello");

    TRect r(10, 20, 500, 500);
    int h = c.DrawText("Hello", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(h, lh);
    EXPECT_EQ(r, TRect(10, 20, 10 + wHello, 20 + lh));

    // An empty text measures nothing, not even one line.
    r = TRect(10, 20, 500, 500);
    EXPECT_EQ(c.DrawText("", r, DT_CALCRECT | DT_SINGLELINE), 0);
    EXPECT_EQ(r, TRect(10, 20, 10, 20));

    r = TRect(0, 0, 500, 0);
    h = c.DrawText("Hello\r\nWorld wide\nx", r, DT_CALCRECT);
    EXPECT_EQ(h, 3 * lh);
    EXPECT_EQ(r.Width(), c.TextWidth("World wide"));

    // Word break: the rectangle's width decides the lines.
    r = TRect(0, 0, c.TextWidth("Hello world") - 1, 0);
    h = c.DrawText("Hello world again", r, DT_CALCRECT | DT_WORDBREAK);
    TTextLayout lay = c.LayoutText("Hello world again", TRect(0, 0, c.TextWidth("Hello world") - 1, 0),
                                   DT_WORDBREAK);
    ASSERT_EQ(lay.Lines.size(), 3u);
    EXPECT_EQ(lay.Lines[0].Pieces[0].Text, "Hello");
    EXPECT_EQ(lay.Lines[1].Pieces[0].Text, "world");
    EXPECT_EQ(h, 3 * lh);

    // A word wider than the line stays whole, except with edit-control rules.
    lay = c.LayoutText("Supercalifragilistic", TRect(0, 0, 30, 0), DT_WORDBREAK);
    EXPECT_EQ(lay.Lines.size(), 1u);
    lay = c.LayoutText("Supercalifragilistic", TRect(0, 0, 30, 0), DT_WORDBREAK | DT_EDITCONTROL);
    EXPECT_GT(lay.Lines.size(), 1u);
    for (const TTextLine& l : lay.Lines) EXPECT_LE(l.Width, 30);
}

TEST(DrawText, EllipsisAlignmentPrefixAndTabs)
{
    TCanvas c;
    const int lh = c.TextHeight("Ag");
    const QString longText = "A rather long caption";
    const int w = c.TextWidth("A rather");

    TTextLayout lay = c.LayoutText(longText, TRect(0, 0, w, lh), DT_SINGLELINE | DT_END_ELLIPSIS);
    ASSERT_EQ(lay.Lines.size(), 1u);
    QString shown = lay.Lines[0].Pieces[0].Text;
    EXPECT_TRUE(shown.endsWith("...")) << shown.toStdString();
    EXPECT_TRUE(longText.startsWith(shown.chopped(3)));
    EXPECT_LE(lay.Lines[0].Width, w);
    // Without the flag the text is only clipped.
    lay = c.LayoutText(longText, TRect(0, 0, w, lh), DT_SINGLELINE);
    EXPECT_EQ(lay.Lines[0].Pieces[0].Text, longText);

    // Alignment: right and centre, vertical centre and bottom for one line.
    const int tw = c.TextWidth("ab");
    lay = c.LayoutText("ab", TRect(0, 0, 100, 40), DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(lay.Lines[0].X, 100 - tw);
    EXPECT_EQ(lay.Lines[0].Y, 40 - lh);
    lay = c.LayoutText("ab", TRect(0, 0, 100, 40), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    EXPECT_EQ(lay.Lines[0].X, (100 - tw) / 2);
    EXPECT_EQ(lay.Lines[0].Y, (40 - lh) / 2);
    // Vertical centring needs a single line, as on the platform.
    lay = c.LayoutText("ab", TRect(0, 0, 100, 40), DT_VCENTER);
    EXPECT_EQ(lay.Lines[0].Y, 0);

    // Prefix: "&F" underlines F and drops the '&'; "&&" is one '&'.
    lay = c.LayoutText("&File && more", TRect(0, 0, 200, 20), DT_SINGLELINE);
    EXPECT_EQ(lay.Lines[0].Pieces[0].Text, "File & more");
    EXPECT_EQ(lay.Lines[0].UnderlineX, 0);
    EXPECT_EQ(lay.Lines[0].UnderlineWidth, c.TextWidth("F"));
    lay = c.LayoutText("Sa&ve", TRect(0, 0, 200, 20), DT_SINGLELINE);
    EXPECT_EQ(lay.Lines[0].UnderlineX, c.TextWidth("Sa"));
    lay = c.LayoutText("&File", TRect(0, 0, 200, 20), DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(lay.Lines[0].Pieces[0].Text, "&File");
    EXPECT_EQ(lay.Lines[0].UnderlineWidth, 0);

    // Tabs expand to multiples of eight average characters.
    lay = c.LayoutText("a\tb", TRect(0, 0, 500, 20), DT_SINGLELINE | DT_EXPANDTABS);
    ASSERT_EQ(lay.Lines[0].Pieces.size(), 2u);
    EXPECT_EQ(lay.Lines[0].Pieces[1].X, 8 * QFontMetrics(c.Font()->ToQFont()).averageCharWidth());
}

TEST(DrawText, DrawsInsideItsRectangleOnly)
{
    Surface s(60, 20);
    s.Canvas.Font()->SetColor(clBlack);
    s.Canvas.Brush()->SetStyle(bsClear);
    TRect r(5, 2, 25, 18);
    s.Canvas.DrawText("WWWWWWWWWW", r, DT_SINGLELINE | DT_VCENTER);
    QStringList pic = s.Picture();
    int inside = 0, outside = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            if (pic[y][x] != '.') (r.Contains(TPoint(x, y)) ? inside : outside)++;
    EXPECT_GT(inside, 20);
    EXPECT_EQ(outside, 0);
}

// ---------------------------------------------------------------------------

TEST(RecordingCanvas, RecordsOperationsInOrderWithTheirTools)
{
    TRecordingCanvas c(TRect(0, 0, 100, 50));
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(TRect(0, 0, 100, 23));
    c.Pen()->SetColor(clWhite);
    c.MoveTo(0, 22);
    c.LineTo(0, 0);
    c.LineTo(99, 0);
    c.Pen()->SetColor(clGray);
    c.Pen()->SetWidth(2);
    c.Rectangle(1, 1, 5, 5);
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetStyle(TFontStyles{fsBold});
    c.Font()->SetColor(clRed);
    TRect tr(4, 4, 96, 19);
    c.DrawText("&OK", tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    c.IntersectClipRect(TRect(10, 10, 20, 20));
    c.TextOut(3, 4, "x");
    c.DrawFocusRect(TRect(4, 4, 96, 19));

    const QString font = c.Font()->Name();
    EXPECT_EQ(c.Log(), QStringList({
        "FillRect(0,0,100,23) brush=clBtnFace",
        "Line(0,22 0,0) pen=clWhite",
        "Line(0,0 99,0) pen=clWhite",
        "Rectangle(1,1,5,5) pen=clGray/w2 brush=clBtnFace",
        "DrawText(4,4,96,19,\"&OK\",$25) font=" + font + "/-11/clRed/B",
        "Clip(10,10,20,20)",
        "TextOut(3,4,\"x\") font=" + font + "/-11/clRed/B",
        "DrawFocusRect(4,4,96,19)",
    }));
    EXPECT_EQ(c.PenPos(), TPoint(3 + c.TextWidth("x"), 4));
    c.ClearLog();
    EXPECT_TRUE(c.Log().isEmpty());
}

TEST(Colors, NamesRoundTrip)
{
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(0x123456), "$00123456");
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("$00123456"), 0x123456);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_THROW(StringToColor("reddish"), EConvertError);
}

namespace {
// A child widget that paints through a canvas and reads back what it drew.
class ProbeWidget : public QWidget {
public:
    using QWidget::QWidget;
    TColor Read = clNone;
    TColor ReadOutside = clNone;
    TRect Clip;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        TCanvas c(&p);
        c.Brush()->SetColor(clWhite);
        c.FillRect(TRect(0, 0, width(), height()));
        c.Brush()->SetColor(clRed);
        c.FillRect(TRect(2, 2, 6, 6));
        Read = c.Pixels(3, 3);
        ReadOutside = c.Pixels(8, 8);
        Clip = c.ClipRect();
        // Flood fill reads the surface too.
        c.Brush()->SetColor(clBlue);
        c.FloodFill(3, 3, clRed, fsSurface);
    }
};
}  // namespace

TEST(Canvas, WidgetPaintReadsItsOwnPixels)
{
    QWidget top;
    top.resize(40, 40);
    ProbeWidget probe(&top);
    probe.setGeometry(10, 12, 20, 20);
    QImage shot = top.grab().toImage();
    EXPECT_EQ(probe.Read, clRed);
    EXPECT_EQ(probe.ReadOutside, clWhite);
    EXPECT_EQ(probe.Clip, TRect(0, 0, 20, 20));
    EXPECT_EQ(shot.pixel(13, 15) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(shot.pixel(19, 21) & 0xFFFFFF, 0xFFFFFFu);

    // A partial repaint: ClipRect is the part being repainted.
    QImage target(40, 40, QImage::Format_RGB32);
    probe.render(&target, QPoint(0, 0), QRegion(5, 6, 4, 3));
    EXPECT_EQ(probe.Clip, TRect(5, 6, 9, 9));
}

TEST(Canvas, PixelsPerInchFollowsTheSurface)
{
    TCanvas unbound;
    EXPECT_EQ(unbound.PixelsPerInch(), 96);
    QImage img(4, 4, QImage::Format_RGB32);
    img.setDotsPerMeterX(11811);  // 300 dpi stored in the image: still drawn as the screen
    TCanvas onImage;
    onImage.BindImage(&img);
    EXPECT_EQ(onImage.PixelsPerInch(), 96);
    onImage.Unbind();

    QTemporaryDir dir;
    QPdfWriter pdf(dir.filePath("p.pdf"));
    pdf.setResolution(300);
    QPainter p(&pdf);
    TCanvas printer(&p);
    EXPECT_EQ(printer.PixelsPerInch(), 300);
}
