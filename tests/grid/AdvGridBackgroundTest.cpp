// What shows behind and in the cells: the background strips and tiles,
// pictures read from files (also broken ones) and rich text cells.

#include "AdvGridLook.h"
#include "AdvGridPaint.h"
#include "AdvGridTestKit.h"
#include "GraphicsRecording.h"
#include "TestHarness.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace {

struct TBackgroundForm {
    TBackgroundForm()
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 500, 400);
        Grid = Create<TTestAdvGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(TScrollStyle::ssNone);
        Grid->SetBounds(0, 0, 400, 300);
        Grid->SetDefaultColWidth(60);
        Grid->SetDefaultRowHeight(24);
    }
    ~TBackgroundForm() { Free(Form); }
    QImage Render()
    {
        QImage img(Grid->Width(), Grid->Height(), QImage::Format_RGB32);
        img.fill(Qt::black);
        Grid->Widget()->render(&img);
        return img;
    }
    TForm* Form = nullptr;
    TTestAdvGrid* Grid = nullptr;
};

// A picture whose every pixel differs from its neighbours, so a tile that
// starts at the wrong place shows.
TBitmap* PatternBitmap()
{
    QImage img(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixelColor(x, y, QColor(30 * x + 20, 40 * y + 10, 200));
    auto* b = new TBitmap;
    b->SetImage(img);
    return b;
}

}  // namespace

TEST(AdvGridBackground, StripsOutsideTheCellsOnlyWhereTheCellsEndInTheWindow)
{
    struct Case {
        int Cols, Rows;
        TBackGroundDisplay Display;
        TColor ColorTo;
        bool Right, Below;
    };
    const Case cases[] = {
        {5, 5, bdGradientVert, clRed, true, true},
        {5, 100, bdGradientVert, clRed, true, false},   // rows overflow
        {20, 5, bdGradientHorz, clRed, false, true},    // columns overflow
        {20, 100, bdGradientVert, clRed, false, false}, // both
        {5, 5, bdGradientVert, clNone, false, false},   // gradient switched off
        {5, 5, bdTile, clRed, false, false},            // no picture, no gradient mode
    };
    for (const Case& c : cases) {
        TBackgroundForm f;
        f.Grid->SetColCount(c.Cols);
        f.Grid->SetRowCount(c.Rows);
        f.Grid->BackGround()->SetCells(bcFixed);   // keeps the normal cells plain
        f.Grid->BackGround()->SetDisplay(c.Display);
        f.Grid->BackGround()->SetColor(clRed);
        f.Grid->BackGround()->SetColorTo(c.ColorTo);
        const QImage img = f.Render();
        const QColor right = img.pixelColor(395, 60), below = img.pixelColor(30 + 60 * 2, 295);
        SCOPED_TRACE(testing::Message() << c.Cols << "x" << c.Rows);
        EXPECT_EQ(right == QColor(Qt::red), c.Right) << right.name().toStdString();
        EXPECT_EQ(below == QColor(Qt::red), c.Below) << below.name().toStdString();
    }
}

TEST(AdvGridBackground, TilesContinueAcrossCellsAsOnePicture)
{
    const std::pair<int, int> scrolls[] = {{1, 1}, {3, 4}};
    for (auto [left, top] : scrolls) {
        TBackgroundForm f;
        f.Grid->SetColCount(12);
        f.Grid->SetRowCount(30);
        f.Grid->SetColWidths(2, 37);   // uneven widths and heights
        f.Grid->SetRowHeights(3, 19);
        for (int r = 0; r < f.Grid->RowCount(); ++r)
            for (int c = 0; c < f.Grid->ColCount(); ++c) f.Grid->SetCells(c, r, QString());
        std::unique_ptr<TBitmap> pic(PatternBitmap());
        f.Grid->BackGround()->SetBitmap(pic.get());
        f.Grid->BackGround()->SetDisplay(bdTile);
        // The current cell shows the selection, not the picture.
        f.Grid->SetCol(left);
        f.Grid->SetRow(top);
        f.Grid->SetLeftCol(left);
        f.Grid->SetTopRow(top);
        ASSERT_EQ(f.Grid->LeftCol(), left);
        const QImage img = f.Render();
        const QImage tile = pic->Image();
        // The pixels inside the cells (grid lines and the current cell left out).
        std::vector<QPoint> inside;
        for (int r = top; r < top + 4; ++r)
            for (int c = left; c < left + 4; ++c) {
                if (c == left && r == top) continue;
                const TRect cr = f.Grid->CellRect(c, r);
                for (int y = cr.Top + 1; y < cr.Bottom - 1; ++y)
                    for (int x = cr.Left + 1; x < cr.Right - 1; ++x) inside.emplace_back(x, y);
            }
        // One tiled image behind all of them: some single phase explains
        // every pixel, across the seams between cells.
        int wrong = int(inside.size());
        for (int ox = 0; ox < tile.width(); ++ox)
            for (int oy = 0; oy < tile.height(); ++oy) {
                int bad = 0;
                for (const QPoint& p : inside)
                    if (img.pixelColor(p) != tile.pixelColor((p.x() + ox) % tile.width(), (p.y() + oy) % tile.height()))
                        ++bad;
                wrong = std::min(wrong, bad);
            }
        const int checked = int(inside.size());
        EXPECT_GT(checked, 1000);
        EXPECT_EQ(wrong, 0) << "scrolled to " << left << "," << top;
    }
}

TEST(AdvGridBackground, SettingsRepaintAndAssignCopies)
{
    TBackgroundForm f;
    TBackGround src(nullptr);
    std::unique_ptr<TBitmap> pic(PatternBitmap());
    src.SetBitmap(pic.get());
    src.SetDisplay(bdFixed);
    src.SetCells(bcAll);
    src.SetLeft(5);
    src.SetTop(6);
    src.SetColor(clRed);
    src.SetColorTo(clNone);
    f.Grid->BackGround()->Assign(&src);
    TBackGround* b = f.Grid->BackGround();
    EXPECT_EQ(b->Display(), bdFixed);
    EXPECT_EQ(b->Cells(), bcAll);
    EXPECT_EQ(b->Left(), 5);
    EXPECT_EQ(b->Top(), 6);
    EXPECT_EQ(b->Color(), clRed);
    EXPECT_EQ(b->ColorTo(), clNone);
    EXPECT_EQ(b->Bitmap()->Width(), 7);
    pic->SetSize(1, 1);
    EXPECT_EQ(b->Bitmap()->Width(), 7) << "a copy";
}

TEST(AdvGridBackground, AFixedPictureShowsOnlyWhereItLies)
{
    TBackgroundForm f;
    f.Grid->SetColCount(5);
    f.Grid->SetRowCount(8);
    QImage red(30, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    TBitmap pic;
    pic.SetImage(red);
    f.Grid->BackGround()->SetBitmap(&pic);
    f.Grid->BackGround()->SetDisplay(bdFixed);
    f.Grid->BackGround()->SetCells(bcAll);
    f.Grid->BackGround()->SetLeft(330);
    f.Grid->BackGround()->SetTop(250);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 5; ++c) f.Grid->SetCells(c, r, QString());
    const QImage img = f.Render();
    EXPECT_EQ(img.pixelColor(345, 260), QColor(Qt::red)) << "in the strip";
    EXPECT_NE(img.pixelColor(320, 260), QColor(Qt::red)) << "left of the picture";
    EXPECT_NE(img.pixelColor(345, 280), QColor(Qt::red)) << "below the picture";
}

TEST(AdvGridCellPicture, FilePicturesDrawWhatReadsAndNothingElse)
{
    const QString dir = TestHarness::ProgramDir();
    QImage blue(16, 16, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    ASSERT_TRUE(blue.save(dir + QStringLiteral("/good.png")));
    QFile hostile(dir + QStringLiteral("/hostile.png"));
    ASSERT_TRUE(hostile.open(QIODevice::WriteOnly));
    // A PNG header claiming a huge picture, then garbage.
    hostile.write(QByteArray::fromHex("89504e470d0a1a0a0000000d494844527fffffff7fffffff0806000000"));
    hostile.write(QByteArray(300, '\xAB'));
    hostile.close();

    struct Case {
        const char* File;
        bool Blue;
    };
    const Case cases[] = {{"good.png", true}, {"missing.png", false}, {"hostile.png", false}, {"", false}};
    for (const Case& c : cases) {
        TBackgroundForm f;
        f.Grid->SetColCount(4);
        f.Grid->SetRowCount(4);
        TFilePicture* p = f.Grid->CreateFilePicture(1, 1, false, Stretch, 0, haFull, vaFull);
        ASSERT_EQ(f.Grid->GetFilePicture(1, 1), p);
        EXPECT_EQ(f.Grid->GetPicture(1, 1), nullptr) << "the other kind";
        p->SetStoredFile(QLatin1String(c.File).isEmpty() ? QString() : dir + QLatin1Char('/') + QLatin1String(c.File),
                         16, 16);
        QImage img;
        EXPECT_NO_THROW(img = f.Render()) << c.File;
        const TRect r = f.Grid->CellRect(1, 1);
        int blueCount = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) blueCount += img.pixelColor(x, y) == QColor(Qt::blue);
        EXPECT_EQ(blueCount > 50, c.Blue) << c.File;
    }
    // A cell's own picture kind replaces and removes like the others.
    TBackgroundForm f;
    TPicture* pic = f.Grid->CreatePicture(2, 2, false, noStretch, 0, haLeft, vaTop);
    EXPECT_TRUE(f.Grid->HasPicture(2, 2));
    EXPECT_EQ(f.Grid->GetPicture(2, 2), pic);
    f.Grid->AddComment(2, 2, QStringLiteral("note"));
    EXPECT_FALSE(f.Grid->HasPicture(2, 2));
}

TEST(AdvGridRichText, RichCellsDrawFormattedAndMeasureByTheirText)
{
    TBackgroundForm f;
    f.Grid->SetColCount(4);
    f.Grid->SetRowCount(4);
    const QString rtf = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}{\\colortbl ;\\red255\\green0\\blue0;}"
                                       "\\f0\\fs20 {\\b\\cf1 Red} plain}");
    f.Grid->SetCells(1, 1, rtf);
    // The recording canvas sees the text without its markup in the cell.
    TRecordingCanvas rc;
    f.Grid->PaintCell(&rc, 1, 1, f.Grid->CellRect(1, 1), TGridDrawState());
    EXPECT_TRUE(rc.Log().join(u'\n').contains(QStringLiteral("Red plain"))) << rc.Log().join(u'\n').toStdString();
    // On the screen the first word is red.
    f.Grid->SetRow(3);
    const QImage img = f.Render();
    const TRect r = f.Grid->CellRect(1, 1);
    int red = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const QColor c = img.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 90 && c.blue() < 90;
        }
    EXPECT_GT(red, 5);
    TestHarness::GrabToPng(f.Grid, TestHarness::GrabPath(QStringLiteral("grid-rich-text.png")));
    // Automatic sizing measures what shows, not the markup.
    f.Grid->AutoSizeCol(1, 4);
    EXPECT_LT(f.Grid->ColWidths(1), 120);
    EXPECT_GT(f.Grid->ColWidths(1), 30);
}
