#include "AdvObjPopup.h"
#include "Forms.h"

#include <gtest/gtest.h>

namespace {

TBitmap* Filled24(TBitmap* b, int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_BGR888);
    img.fill(QColor::fromRgb(c));
    b->SetImage(img);
    return b;
}

QRgb At(TBitmap* b, int x, int y) { return b->Image().pixel(x, y); }

}  // namespace

TEST(ArrowWindow, OutlinesAndWindowKind)
{
    struct Case {
        TArrowDirection Dir;
        std::vector<std::pair<int, int>> Points;
    };
    const std::vector<Case> cases = {
        {arrUp, {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}},
        {arrDown, {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}},
        {arrLeft, {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}},
        {arrRight, {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}},
    };
    auto* grid = Create<TForm>(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Dir));
        auto* w = new TArrowWindow(grid, c.Dir);
        EXPECT_EQ(w->Dir(), c.Dir);
        for (size_t i = 0; i < 7; ++i) {
            EXPECT_EQ(w->Arrow()[i].X, c.Points[i].first);
            EXPECT_EQ(w->Arrow()[i].Y, c.Points[i].second);
        }
        EXPECT_FALSE(w->Visible());
        EXPECT_EQ(w->Color(), TColor(0x00FF00));
        EXPECT_EQ(w->Owner(), grid);
        const Qt::WindowFlags f = w->Widget()->windowFlags();
        EXPECT_TRUE(f.testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(f.testFlag(Qt::WindowDoesNotAcceptFocus));
        EXPECT_FALSE((f & Qt::WindowType_Mask) == Qt::Popup);
        EXPECT_FALSE(w->Widget()->mask().isEmpty());
    }
    EXPECT_EQ(ArrowOutline(arrLeft)[4].X, 8);
    EXPECT_EQ(ArrowOutline(arrLeft)[4].Y, 5);
    EXPECT_EQ(ArrowOutline(arrUp)[0].X, 5);
    EXPECT_EQ(ArrowOutline(arrUp)[0].Y, 0);
    Free(grid);
}

TEST(GridFocusWindow, InvisibleDisabledTopmost)
{
    auto* grid = Create<TForm>(nullptr);
    auto* w = new TGridFocusWindow(grid);
    EXPECT_EQ(w->Width(), 0);
    EXPECT_EQ(w->Height(), 0);
    EXPECT_EQ(w->Color(), TColor(0x0000FF));
    EXPECT_FALSE(w->Enabled());
    const Qt::WindowFlags f = w->Widget()->windowFlags();
    EXPECT_TRUE(f.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(f.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(w->Widget()->testAttribute(Qt::WA_ShowWithoutActivating));
    Free(grid);
}

TEST(GridAlphaMask, MergeMask)
{
    TGridAlphaMask m;
    EXPECT_EQ(m.Opacity(), 255);
    EXPECT_EQ(m.PixelFormat(), pf32bit);

    TBitmap colour, mask;
    Filled24(&colour, 3, 2, qRgb(200, 100, 50));
    QImage mi(3, 2, QImage::Format_BGR888);
    mi.fill(QColor(128, 128, 128));
    mi.setPixel(0, 0, qRgb(255, 255, 255));
    mi.setPixel(1, 0, qRgb(0, 0, 0));
    // Only red counts.
    mi.setPixel(2, 0, qRgb(128, 0, 255));
    mask.SetImage(mi);
    m.MergeMask(&mask, &colour, clRed);
    ASSERT_EQ(m.Width(), 3);
    ASSERT_EQ(m.Height(), 2);
    const QImage out = m.PremultipliedImage();
    EXPECT_EQ(out.format(), QImage::Format_ARGB32_Premultiplied);
    // Bytes in memory: blue, green, red, alpha.
    auto bytes = [&out](int x, int y) {
        const uchar* p = out.constScanLine(y) + 4 * x;
        return std::array<int, 4>{p[0], p[1], p[2], p[3]};
    };
    EXPECT_EQ(bytes(0, 0), (std::array<int, 4>{50, 100, 200, 255}));
    EXPECT_EQ(bytes(1, 0), (std::array<int, 4>{0, 0, 0, 0}));
    // 200 * 128 / 255 = 100.39, 100 * 128 / 255 = 50.20, 50 * 128 / 255 = 25.10.
    EXPECT_EQ(bytes(2, 0), (std::array<int, 4>{25, 50, 100, 128}));
    EXPECT_EQ(bytes(1, 1), (std::array<int, 4>{25, 50, 100, 128}));
    // Drawn (or shown in a layered window) the picture keeps its colour.
    const QRgb shown = m.Image().pixel(2, 0);
    EXPECT_NEAR(qRed(shown), 200, 1);
    EXPECT_NEAR(qGreen(shown), 100, 1);
    EXPECT_EQ(qAlpha(shown), 128);

    // A 32-bit colour bitmap or a mask of another size changes nothing.
    const QImage before = m.Image();
    TBitmap wide;
    Filled24(&wide, 5, 2, qRgb(1, 2, 3));
    m.MergeMask(&mask, &wide, clRed);
    EXPECT_EQ(m.Image(), before);
    TBitmap c32;
    Filled24(&c32, 3, 2, qRgb(1, 2, 3));
    c32.SetPixelFormat(pf32bit);
    m.MergeMask(&mask, &c32, clRed);
    EXPECT_EQ(m.Image(), before);
}

TEST(GridAlphaMask, AssignTakesTheSourceSize)
{
    for (int size : {2, 9}) {
        SCOPED_TRACE(size);
        TGridAlphaMask src, dst;
        TBitmap colour, mask;
        Filled24(&colour, size, size, qRgb(10, 20, 30));
        Filled24(&mask, size, size, qRgb(255, 255, 255));
        src.MergeMask(&mask, &colour, clNone);
        src.SetOpacity(230);
        Filled24(&colour, 5, 5, qRgb(1, 1, 1));
        Filled24(&mask, 5, 5, qRgb(255, 255, 255));
        dst.MergeMask(&mask, &colour, clNone);
        dst.Assign(&src);
        EXPECT_EQ(dst.Width(), size);
        EXPECT_EQ(dst.Height(), size);
        EXPECT_EQ(dst.Opacity(), 230);
        EXPECT_EQ(dst.PixelFormat(), pf32bit);
        EXPECT_EQ(dst.Image().pixel(size - 1, size - 1), qRgba(10, 20, 30, 255));
    }
}

TEST(RoundRectMask, FilledAndOutline)
{
    TBitmap b;
    MakeRoundRectMask(&b, 20, 12, 0, 5, 0);
    EXPECT_EQ(b.PixelFormat(), pf24bit);
    ASSERT_EQ(b.Width(), 20);
    ASSERT_EQ(b.Height(), 12);
    for (int x = 0; x < 20; ++x)
        for (int y : {0, 1, 10, 11}) EXPECT_EQ(At(&b, x, y) & 0xFFFFFF, 0u) << x << "," << y;
    for (int y = 0; y < 12; ++y)
        for (int x : {0, 1, 18, 19}) EXPECT_EQ(At(&b, x, y) & 0xFFFFFF, 0u) << x << "," << y;
    for (int x = 5; x < 15; ++x)
        for (int y = 2; y < 10; ++y) EXPECT_EQ(At(&b, x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(At(&b, 2, 2) & 0xFFFFFF, 0u);  // the rounded corner

    TBitmap o;
    MakeRoundRectMask(&o, 40, 30, 4, 5, 0);
    EXPECT_EQ(At(&o, 20, 15) & 0xFFFFFF, 0u);           // inside stays black
    EXPECT_EQ(At(&o, 20, 5) & 0xFFFFFF, 0xFFFFFFu);     // the outline is white
}

TEST(BlurBitmap, RulesAndErrors)
{
    TBitmap white;
    Filled24(&white, 50, 50, qRgb(255, 255, 255));
    BlurBitmap(&white, 3.0);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) ASSERT_EQ(At(&white, x, y) & 0xFFFFFF, 0xFFFFFFu) << x << "," << y;

    TBitmap b32;
    Filled24(&b32, 4, 4, qRgb(1, 2, 3));
    b32.SetPixelFormat(pf32bit);
    try {
        BlurBitmap(&b32, 2);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Blur only works for 24-bit bitmaps");
    }

    TBitmap dot;
    Filled24(&dot, 41, 41, qRgb(0, 0, 0));
    QImage img = dot.Image();
    img.setPixel(20, 20, qRgb(255, 255, 255));
    dot.SetImage(img);
    const QImage original = dot.Image();
    BlurBitmap(&dot, 0);
    EXPECT_EQ(dot.Image(), original);

    // 41 x 41: everything blurred, so the spot is symmetric about the dot.
    BlurBitmap(&dot, 2.0);
    const int centre = qRed(At(&dot, 20, 20));
    EXPECT_GT(centre, 0);
    EXPECT_LT(centre, 255);
    for (int d = 1; d <= 4; ++d) {
        SCOPED_TRACE(d);
        const int v = qRed(At(&dot, 20 + d, 20));
        EXPECT_EQ(qRed(At(&dot, 20 - d, 20)), v);
        EXPECT_EQ(qRed(At(&dot, 20, 20 + d)), v);
        EXPECT_EQ(qRed(At(&dot, 20, 20 - d)), v);
        EXPECT_LE(v, centre);
    }

    // 60 x 60: inner columns copy column 15.
    TBitmap mask;
    MakeRoundRectMask(&mask, 60, 60, 4, 5, 3.0);
    for (int x = 21; x <= 39; ++x)
        for (int y = 0; y < 60; ++y) ASSERT_EQ(At(&mask, x, y), At(&mask, 15, y)) << x << "," << y;
    // The blurred outline has soft edges.
    EXPECT_GT(qRed(At(&mask, 30, 2)), 0);
    EXPECT_LT(qRed(At(&mask, 30, 2)), 255);
}
