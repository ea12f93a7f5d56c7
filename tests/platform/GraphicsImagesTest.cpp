// Bitmaps, picture formats, resources, the image list, edges and frame controls.

#include "GraphUtils.h"
#include "Graphics.h"
#include "GraphicsJpeg.h"
#include "GraphicsRecording.h"
#include "ImgList.h"
#include "Resources.h"
#include "TestHarness.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Encode(const QImage& img, const char* format)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return out;
}

void WriteFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// 8 x 6: left half red, right half blue.
QImage TwoColourImage()
{
    QImage img(8, 6, QImage::Format_RGB32);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) img.setPixel(x, y, x < 4 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return img;
}

bool Reddish(TColor c)
{
    return GetRValue(c) > 200 && GetGValue(c) < 60 && GetBValue(c) < 60;
}

bool Bluish(TColor c)
{
    return GetBValue(c) > 200 && GetRValue(c) < 60 && GetGValue(c) < 60;
}

// A white bitmap to draw on.
std::unique_ptr<TBitmap> WhiteBitmap(int w, int h)
{
    auto b = std::make_unique<TBitmap>(w, h);
    return b;
}


// ---- hostile pictures: a few bytes that claim a huge picture

uint32_t Crc32(const QByteArray& bytes)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (char ch : bytes) {
        crc ^= uchar(ch);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBE32(QByteArray& b, uint32_t v)
{
    for (int shift : {24, 16, 8, 0}) b.append(char(v >> shift));
}

void PutLE(QByteArray& b, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) b.append(char(v >> (8 * i)));
}

QByteArray PngChunk(const char* type, const QByteArray& data)
{
    QByteArray c;
    PutBE32(c, uint32_t(data.size()));
    const QByteArray body = QByteArray(type) + data;
    c += body;
    PutBE32(c, Crc32(body));
    return c;
}

// A PNG header claiming w x h RGB pixels, with a few bytes of data.
QByteArray HostilePng(uint32_t w, uint32_t h)
{
    QByteArray ihdr;
    PutBE32(ihdr, w);
    PutBE32(ihdr, h);
    ihdr += QByteArray("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", ihdr) +
           PngChunk("IDAT", QByteArray("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9)) + PngChunk("IEND", {});
}

// A 24-bit BMP header claiming w x h pixels and no pixel data.
QByteArray HostileBmp(uint32_t w, uint32_t h)
{
    QByteArray b("BM");
    PutLE(b, 54, 4);
    PutLE(b, 0, 4);
    PutLE(b, 54, 4);
    PutLE(b, 40, 4);
    PutLE(b, w, 4);
    PutLE(b, h, 4);
    PutLE(b, 1, 2);
    PutLE(b, 24, 2);
    for (int i = 0; i < 6; ++i) PutLE(b, 0, 4);
    return b;
}

// A GIF whose logical screen is w x h, holding one 1 x 1 frame.
QByteArray HostileGif(uint32_t w, uint32_t h)
{
    QByteArray b("GIF89a");
    PutLE(b, w, 2);
    PutLE(b, h, 2);
    b += QByteArray("\x80\x00\x00" "\x00\x00\x00" "\xff\xff\xff", 9);  // two-colour table
    b += ',';
    for (uint32_t v : {0u, 0u, 1u, 1u}) PutLE(b, v, 2);
    b += QByteArray("\x00\x02\x02\x44\x01\x00;", 7);
    return b;
}

// A real small JPEG whose frame header is changed to claim w x h.
QByteArray HostileJpeg(uint16_t w, uint16_t h)
{
    QString err;
    QByteArray b = EncodeJpeg(TwoColourImage(), 90, false, &err);
    const qsizetype sof = b.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0) return {};
    b[sof + 5] = char(h >> 8);
    b[sof + 6] = char(h);
    b[sof + 7] = char(w >> 8);
    b[sof + 8] = char(w);
    return b;
}
// ---- pictures cut short

// w x h in rows of blue and red.
QImage RowStripes(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, y % 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return img;
}

// A GIF of w x h pixels in rows of colours 2 (blue) and 1 (red) of a
// 256-colour table: 9-bit codes, with a clear code before the code table
// would grow.
QByteArray StripedGif(int w, int h)
{
    QByteArray b("GIF89a");
    PutLE(b, uint32_t(w), 2);
    PutLE(b, uint32_t(h), 2);
    b += QByteArray("\xF7\x00\x00", 3);  // a global table of 256 colours
    for (int i = 0; i < 256; ++i)
        b += i == 1 ? QByteArray("\xff\x00\x00", 3) : i == 2 ? QByteArray("\x00\x00\xff", 3) : QByteArray(3, '\0');
    b += ',';
    for (uint32_t v : {0u, 0u, uint32_t(w), uint32_t(h)}) PutLE(b, v, 2);
    b += '\0';
    b += char(8);  // LZW minimum code size
    std::vector<int> codes;
    for (int i = 0; i < w * h; ++i) {
        if (i % 200 == 0) codes.push_back(256);
        codes.push_back((i / w) % 2 ? 1 : 2);
    }
    codes.push_back(257);
    QByteArray data;
    uint32_t acc = 0;
    int bits = 0;
    for (int c : codes) {
        acc |= uint32_t(c) << bits;
        for (bits += 9; bits >= 8; bits -= 8, acc >>= 8) data += char(acc & 0xFF);
    }
    if (bits > 0) data += char(acc & 0xFF);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray chunk = data.mid(at, 255);
        b += char(chunk.size());
        b += chunk;
    }
    b += '\0';
    b += ';';
    return b;
}

// An 8 x 40 BMP with 8-bit run-length data in rows of blue and red: each row
// one run, then the row's end; the picture's end marker last.
QByteArray Rle8Bmp()
{
    QByteArray pixels;
    for (int y = 0; y < 40; ++y) pixels += QByteArray(1, char(8)) + char((y + 1) % 2) + QByteArray(2, '\0');
    pixels += QByteArray("\x00\x01", 2);
    QByteArray b("BM");
    PutLE(b, uint32_t(62 + pixels.size()), 4);
    PutLE(b, 0, 4);
    PutLE(b, 62, 4);
    PutLE(b, 40, 4);
    PutLE(b, 8, 4);
    PutLE(b, 40, 4);
    PutLE(b, 1, 2);
    PutLE(b, 8, 2);
    PutLE(b, 1, 4);  // RLE8
    PutLE(b, uint32_t(pixels.size()), 4);
    for (int i = 0; i < 4; ++i) PutLE(b, i < 2 ? 0 : 2, 4);  // resolution, then two colours used
    b += QByteArray("\xff\x00\x00\x00" "\x00\x00\xff\x00", 8);
    return b + pixels;
}

}  // namespace

// A picture whose data ends early is refused in every format instead of
// being shown with blank rows where the data is missing.
TEST(Pictures, DataCutShortIsRefusedInEveryFormat)
{
    const QImage stripes = RowStripes(48, 40);
    struct Case {
        const char* Name;
        QByteArray Whole;
    };
    const Case cases[] = {
        {"bmp 32 bits", Encode(stripes, "BMP")},
        {"bmp 8 bits", Encode(stripes.convertToFormat(QImage::Format_Indexed8), "BMP")},
        {"bmp 8 bits run-length", Rle8Bmp()},
        {"png", Encode(stripes, "PNG")},
        {"gif", StripedGif(48, 40)},
        {"ico", Encode(stripes.copy(0, 0, 32, 32), "ICO")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        std::unique_ptr<TGraphic> whole;
        ASSERT_NO_THROW(whole = LoadGraphic(c.Whole));
        const QImage img = whole->ToImage();
        EXPECT_EQ(img.pixel(0, 0) & 0xFFFFFFu, 0x0000FFu);
        EXPECT_EQ(img.pixel(0, img.height() - 1) & 0xFFFFFFu, img.height() % 2 ? 0x0000FFu : 0xFF0000u);
        for (qsizetype cut : {c.Whole.size() / 2, c.Whole.size() * 3 / 4}) {
            SCOPED_TRACE(cut);
            EXPECT_THROW(LoadGraphic(c.Whole.left(cut)), EInvalidGraphic);
        }
    }
    // The same through a file.
    const QString file = TestHarness::ProgramPath("cut.bmp");
    WriteFile(file, Encode(stripes, "BMP").chopped(100));
    TPicture pic;
    EXPECT_THROW(pic.LoadFromFile(file), EInvalidGraphic);
    EXPECT_EQ(pic.Graphic(), nullptr);
}

TEST(Pictures, JpegAndPngLoadFromFilesAndDraw)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString err;
    const QByteArray jpeg = EncodeJpeg(TwoColourImage(), 95, false, &err);
    ASSERT_FALSE(jpeg.isEmpty()) << err.toStdString();
    // Our encoder writes what another decoder reads.
    EXPECT_EQ(QImage::fromData(jpeg, "JPG").size(), QSize(8, 6));
    WriteFile(dir.filePath("pic.jpg"), jpeg);

    QImage withAlpha(4, 4, QImage::Format_ARGB32);
    withAlpha.fill(qRgba(0, 255, 0, 255));
    withAlpha.setPixel(0, 0, qRgba(0, 0, 0, 0));
    WriteFile(dir.filePath("pic.png"), Encode(withAlpha, "PNG"));

    TPicture pic;
    int changes = 0;
    pic.OnChange = [&](TObject*) { ++changes; };
    pic.LoadFromFile(dir.filePath("pic.jpg"));
    ASSERT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr);
    EXPECT_EQ(pic.Width(), 8);
    EXPECT_EQ(pic.Height(), 6);
    EXPECT_EQ(changes, 1);

    auto target = WhiteBitmap(12, 10);
    target->Canvas()->Draw(2, 2, pic.Graphic());
    EXPECT_TRUE(Reddish(target->Canvas()->Pixels(3, 4)));
    EXPECT_TRUE(Bluish(target->Canvas()->Pixels(8, 4)));
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(10, 4), clWhite);

    pic.LoadFromFile(dir.filePath("pic.png"));
    ASSERT_NE(dynamic_cast<TPngImage*>(pic.Graphic()), nullptr);
    target->Canvas()->StretchDraw(TRect(0, 0, 8, 8), pic.Graphic());
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), clWhite);  // see-through pixel, stretched to 2 x 2
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), clWhite);
    EXPECT_EQ(target->Canvas()->Pixels(2, 2), clLime);
    EXPECT_EQ(target->Canvas()->Pixels(7, 7), clLime);

    // A JPEG written by another encoder reads through libjpeg, also by signature.
    std::unique_ptr<TGraphic> g = LoadGraphic(Encode(TwoColourImage(), "JPG"));
    ASSERT_NE(dynamic_cast<TJPEGImage*>(g.get()), nullptr);
    EXPECT_TRUE(Reddish(FromQColor(QColor(g->ToImage().pixel(1, 1)))));
}

TEST(Pictures, JpegRoundTripThroughBitmap)
{
    TBitmap bmp;
    bmp.SetImage(TwoColourImage());
    TJPEGImage jpg;
    jpg.Assign(&bmp);
    jpg.SetCompressionQuality(90);
    QTemporaryDir dir;
    jpg.SaveToFile(dir.filePath("out.jpg"));
    TJPEGImage back;
    back.LoadFromFile(dir.filePath("out.jpg"));
    EXPECT_EQ(back.Width(), 8);
    TBitmap again;
    again.Assign(&back);
    EXPECT_TRUE(Bluish(again.Canvas()->Pixels(6, 3)));

    back.SetGrayscale(true);
    QRgb v = back.ToImage().pixel(1, 1);
    EXPECT_EQ(qRed(v), qGreen(v));
    EXPECT_EQ(qGreen(v), qBlue(v));
}

TEST(Pictures, BadDataGivesClearErrors)
{
    QByteArray notJpeg("\xFF\xD8\xFF\xE0" " this is no JPEG at all");
    TJPEGImage jpg;
    try {
        jpg.LoadFromBytes(notJpeg);
        FAIL() << "no error";
    } catch (const EInvalidGraphic& e) {
        EXPECT_TRUE(e.Message().startsWith("JPEG error: ")) << e.Message().toStdString();
    }
    EXPECT_TRUE(jpg.Empty());

    struct Case {
        const char* Name;
        std::function<void()> Run;
    };
    const std::vector<Case> cases = {
        {"png from other bytes", [] { TPngImage p; p.LoadFromBytes("GIF89a"); }},
        {"bitmap from text", [] { TBitmap b; b.LoadFromBytes("hello"); }},
        {"unknown signature", [] { LoadGraphic("hello"); }},
        {"empty jpeg", [] { TJPEGImage j; j.LoadFromBytes(QByteArray()); }},
        {"unknown extension", [] { TPicture p; p.LoadFromFile("/tmp/picture.xyz"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_THROW(c.Run(), EInvalidGraphic);
    }
    TPicture p;
    EXPECT_THROW(p.LoadFromFile("/nonexistent/folder/x.png"), EFOpenError);
    EXPECT_EQ(p.Graphic(), nullptr);
}

// A few bytes that claim a picture beyond the limit are refused with a clear
// error before anything is allocated (in the sanitized build an attempt at
// tens of gigabytes would fail the test), and what was loaded before stays.
TEST(Pictures, HostileSizesAreRefusedInEveryFormat)
{
    struct Case {
        const char* Name;
        QByteArray Bytes;
    };
    const Case cases[] = {
        {"bmp 60000 x 60000", HostileBmp(60000, 60000)},
        {"png 60000 x 60000", HostilePng(60000, 60000)},
        {"png wider than a side may be", HostilePng(MaxPictureSide + 1, 1)},
        {"png more pixels than allowed", HostilePng(4097, 4096)},
        {"gif screen 60000 x 60000", HostileGif(60000, 60000)},
        {"jpeg 60000 x 60000", HostileJpeg(60000, 60000)},
        {"jpeg wider than a side may be", HostileJpeg(MaxPictureSide + 1, 8)},
    };
    EXPECT_TRUE(PictureSizeAllowed(MaxPictureSide, MaxPicturePixels / MaxPictureSide));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_LT(c.Bytes.size(), 1024);
        TPicture pic;
        pic.LoadFromBytes(Encode(TwoColourImage(), "PNG"));
        TBitmap bmp;
        bmp.SetImage(TwoColourImage());
        for (const std::function<void()>& load : std::initializer_list<std::function<void()>>{
                 [&] { pic.LoadFromBytes(c.Bytes); }, [&] { bmp.LoadFromBytes(c.Bytes); }}) {
            try {
                load();
                ADD_FAILURE() << "loaded";
            } catch (const EInvalidGraphic& e) {
                EXPECT_TRUE(e.Message().contains(QStringLiteral("The picture is too large ("))) << e.Message().toStdString();
            }
        }
        EXPECT_EQ(pic.Width(), 8);
        EXPECT_EQ(bmp.Width(), 8);
        EXPECT_TRUE(Reddish(bmp.Canvas()->Pixels(1, 1)));
    }
}

// JPEG data that ends before the picture does is an error, not a picture
// with grey rows at the bottom.
TEST(Pictures, JpegThatEndsEarlyIsAnError)
{
    // Stripes, so the scan data is long enough to cut inside it.
    QImage big(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) big.setPixel(x, y, (x / 3 + y / 5) % 2 ? qRgb(255, 0, 0) : qRgb(0, 90, 255));
    QString err;
    const QByteArray whole = EncodeJpeg(big, 90, false, &err);
    ASSERT_FALSE(DecodeJpeg(whole, false, &err).isNull()) << err.toStdString();
    const qsizetype scan = whole.indexOf(QByteArray("\xFF\xDA", 2));
    ASSERT_GT(scan, 0);
    ASSERT_GT(whole.size(), scan + 100);
    const QByteArray cut = whole.left(scan + 60);
    EXPECT_TRUE(DecodeJpeg(cut, false, &err).isNull());
    EXPECT_EQ(err, QStringLiteral("Premature end of JPEG file"));
    TJPEGImage jpg;
    EXPECT_THROW(jpg.LoadFromBytes(cut), EInvalidGraphic);
    EXPECT_TRUE(jpg.Empty());
    // The same with the end marker after the cut: the scan ends early.
    EXPECT_TRUE(DecodeJpeg(cut + QByteArray("\xFF\xD9", 2), false, &err).isNull());
    EXPECT_EQ(err, QStringLiteral("Corrupt JPEG data: premature end of data segment"));
}

TEST(Bitmap, ScanLinesSizeAndBmpFiles)
{
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(3, 2);
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), clWhite);  // new pixels are white
    uint8_t* row = b.ScanLine(0);
    // Blue, green, red per pixel.
    row[0] = 255; row[1] = 0; row[2] = 0;
    row[3] = 0; row[4] = 0; row[5] = 255;
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(1, 0), clRed);
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphicOperation);

    // Growing keeps the pixels, the new area is white.
    b.Canvas()->Brush()->SetColor(clLime);
    b.Canvas()->FillRect(TRect(2, 1, 3, 2));
    b.SetSize(5, 3);
    EXPECT_EQ(b.Canvas()->Pixels(0, 0), clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(2, 1), clLime);
    EXPECT_EQ(b.Canvas()->Pixels(4, 2), clWhite);

    b.SetPixelFormat(pf32bit);
    uint8_t* r32 = b.ScanLine(2);
    r32[4] = 0; r32[5] = 255; r32[6] = 255;  // pixel 1: yellow as blue, green, red
    EXPECT_EQ(b.Canvas()->Pixels(1, 2), clYellow);

    QTemporaryDir dir;
    b.SaveToFile(dir.filePath("b.bmp"));
    TPicture pic;
    pic.LoadFromFile(dir.filePath("b.bmp"));
    TBitmap* loaded = pic.Bitmap();
    EXPECT_EQ(loaded->Width(), 5);
    EXPECT_EQ(loaded->Canvas()->Pixels(2, 1), clLime);
    EXPECT_EQ(loaded->Canvas()->Pixels(1, 2), clYellow);
}

TEST(Bitmap, TransparentDrawLeavesKeyColourOut)
{
    TBitmap glyph(4, 4);
    glyph.Canvas()->Brush()->SetColor(clFuchsia);
    glyph.Canvas()->FillRect(TRect(0, 0, 4, 4));
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect(1, 1, 3, 3));
    glyph.SetTransparent(true);
    EXPECT_EQ(glyph.TransparentMode(), tmAuto);
    EXPECT_EQ(glyph.TransparentColor(), clFuchsia);  // the bottom-left pixel

    TBitmap target(6, 6);
    target.Canvas()->Draw(1, 1, &glyph);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clWhite);
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(4, 4), clWhite);

    // A fixed key colour: now red is see-through and fuchsia is drawn.
    glyph.SetTransparentColor(clRed);
    EXPECT_EQ(glyph.TransparentMode(), tmFixed);
    TBitmap t2(4, 4);
    t2.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(t2.Canvas()->Pixels(0, 0), clFuchsia);
    EXPECT_EQ(t2.Canvas()->Pixels(1, 1), clWhite);

    // Without Transparent every pixel is drawn.
    glyph.SetTransparent(false);
    TBitmap t3(4, 4);
    t3.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(t3.Canvas()->Pixels(0, 0), clFuchsia);
}

TEST(Bitmap, CopyRectAndAssign)
{
    TBitmap src(4, 4);
    src.Canvas()->Brush()->SetColor(clBlue);
    src.Canvas()->FillRect(TRect(2, 2, 4, 4));
    TBitmap copy;
    copy.Assign(&src);
    // Drawing on the source afterwards does not reach the copy.
    src.Canvas()->Brush()->SetColor(clRed);
    src.Canvas()->FillRect(TRect(0, 0, 1, 1));
    EXPECT_EQ(copy.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(copy.Canvas()->Pixels(3, 3), clBlue);

    TBitmap dst(4, 4);
    dst.Canvas()->CopyRect(TRect(0, 0, 2, 2), src.Canvas(), TRect(2, 2, 4, 4));
    EXPECT_EQ(dst.Canvas()->Pixels(1, 1), clBlue);
    EXPECT_EQ(dst.Canvas()->Pixels(2, 2), clWhite);
}

TEST(Resources, NamesWithoutCaseAndBitmapResources)
{
    QImage img(2, 2, QImage::Format_RGB32);
    img.fill(qRgb(255, 0, 0));
    RegisterResource("LbTestGlyph", Encode(img, "BMP"));
    ASSERT_TRUE(FindResource("lbtestglyph").has_value());
    EXPECT_FALSE(FindResource("LbNoSuchThing").has_value());
    TBitmap b;
    b.LoadFromResourceName("LBTESTGLYPH");
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Canvas()->Pixels(1, 1), clRed);
    EXPECT_THROW(b.LoadFromResourceName("LbNoSuchThing"), EResNotFound);
    EXPECT_EQ(b.Width(), 2);
    UnregisterResource("lbTestGlyph");
    EXPECT_FALSE(FindResource("LbTestGlyph").has_value());
}

TEST(ImageList, AddsStripsDrawsItemsAndGreysDisabled)
{
    TImageList list;
    list.SetSize(4, 4);
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    // A strip of two images on a fuchsia background: a red and a blue square.
    TBitmap strip(8, 4);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(TRect(0, 0, 8, 4));
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect(1, 1, 3, 3));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(TRect(5, 1, 7, 3));
    EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(changes, 1);

    TBitmap target(10, 6);
    list.Draw(target.Canvas(), 5, 1, 1);
    EXPECT_EQ(target.Canvas()->Pixels(5, 1), clWhite);  // masked
    EXPECT_EQ(target.Canvas()->Pixels(6, 2), clBlue);
    EXPECT_EQ(target.Canvas()->Pixels(7, 3), clBlue);
    list.Draw(target.Canvas(), 0, 0, 7);  // outside the list: nothing
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clWhite);

    list.Draw(target.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), ColorToRGB(clBtnShadow));
    EXPECT_EQ(target.Canvas()->Pixels(3, 3), ColorToRGB(clBtnHighlight));

    TBitmap one;
    EXPECT_TRUE(list.GetBitmap(0, &one));
    EXPECT_EQ(one.Width(), 4);
    EXPECT_EQ(one.Canvas()->Pixels(0, 0), clWhite);
    EXPECT_EQ(one.Canvas()->Pixels(1, 1), clRed);
    EXPECT_FALSE(list.GetBitmap(2, &one));

    // Add with a mask bitmap: white mask pixels are see-through.
    TBitmap mask(4, 4);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(TRect(0, 0, 2, 4));
    EXPECT_EQ(list.Add(&one, &mask), 2);
    TRecordingCanvas rec;
    list.Draw(&rec, 3, 4, 2);
    EXPECT_EQ(rec.Log(), QStringList({"DrawImage(3,4,7,8,4x4 from 0,0,4,4)"}));
    EXPECT_EQ(qAlpha(list.Image(2).pixel(3, 0)), 0);
    EXPECT_EQ(qAlpha(list.Image(2).pixel(1, 1)), 255);

    list.SetWidth(16);
    EXPECT_EQ(list.Count(), 0);
}

TEST(Edges, RaisedSunkenAndAdjust)
{
    TBitmap b(4, 4);
    TRect r(0, 0, 4, 4);
    ASSERT_TRUE(DrawEdge(b.Canvas(), r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(r, TRect(2, 2, 2, 2));
    TCanvas* c = b.Canvas();
    EXPECT_EQ(c->Pixels(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(c->Pixels(2, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(c->Pixels(3, 0), ColorToRGB(cl3DDkShadow));  // the corner belongs to the dark side
    EXPECT_EQ(c->Pixels(0, 3), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(c->Pixels(1, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(c->Pixels(2, 2), ColorToRGB(clBtnShadow));

    TBitmap s(5, 5);
    r = TRect(0, 0, 5, 5);
    DrawEdge(s.Canvas(), r, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE);
    EXPECT_EQ(r, TRect(0, 0, 5, 5));  // no BF_ADJUST: unchanged
    EXPECT_EQ(s.Canvas()->Pixels(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(s.Canvas()->Pixels(4, 4), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(s.Canvas()->Pixels(2, 2), ColorToRGB(clBtnFace));

    // Only the sides asked for; the canvas's tools are left as they were.
    TRecordingCanvas rec;
    rec.Brush()->SetColor(clRed);
    r = TRect(0, 0, 10, 10);
    DrawEdge(&rec, r, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
    EXPECT_EQ(rec.Log(), QStringList({"FillRect(0,0,1,10) brush=clBtnHighlight",
                                      "FillRect(0,0,10,1) brush=clBtnHighlight"}));
    EXPECT_EQ(rec.Brush()->Color(), clRed);
}

TEST(FrameControls, ComboArrowCheckBoxAndPushButton)
{
    TBitmap b(17, 17);
    TRect r(0, 0, 17, 17);
    ASSERT_TRUE(DrawFrameControl(b.Canvas(), r, DFC_SCROLL, DFCS_SCROLLCOMBOBOX));
    TCanvas* c = b.Canvas();
    // The arrow: 7 pixels wide at the top row, 1 at the tip, centred.
    int top = -1;
    for (int y = 0; y < 17 && top < 0; ++y)
        if (c->Pixels(8, y) == ColorToRGB(clBtnText)) top = y;
    ASSERT_GE(top, 0);
    for (int x = 5; x <= 11; ++x) EXPECT_EQ(c->Pixels(x, top), ColorToRGB(clBtnText)) << x;
    EXPECT_EQ(c->Pixels(4, top), ColorToRGB(clBtnFace));
    EXPECT_EQ(c->Pixels(8, top + 3), ColorToRGB(clBtnText));
    EXPECT_EQ(c->Pixels(7, top + 3), ColorToRGB(clBtnFace));

    TBitmap box(13, 13);
    r = TRect(0, 0, 13, 13);
    DrawFrameControl(box.Canvas(), r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    int marks = 0;
    for (int y = 2; y < 11; ++y)
        for (int x = 2; x < 11; ++x) marks += box.Canvas()->Pixels(x, y) == ColorToRGB(clWindowText);
    EXPECT_EQ(marks, 21);  // seven columns, three pixels each
    EXPECT_EQ(box.Canvas()->Pixels(0, 0), ColorToRGB(clBtnShadow));

    r = TRect(0, 0, 40, 20);
    TRecordingCanvas rec;
    DrawFrameControl(&rec, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(r, TRect(2, 2, 38, 18));
    EXPECT_EQ(rec.Log().last(), "FillRect(2,2,38,18) brush=clBtnFace");
    EXPECT_FALSE(DrawFrameControl(&rec, r, DFC_CAPTION, 0));
}

// Draws every kind of primitive on one picture. Set CALYPTOR_GRAB_DIR to a
// folder to get it as graphics-look.png (and a 3x enlargement) for a look.
TEST(GraphicsLook, AllPrimitivesOnOnePicture)
{
    TBitmap b(360, 220);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(TRect(0, 0, 360, 220));

    // Frames, rectangles, lines.
    c->Brush()->SetColor(clNavy);
    c->FrameRect(TRect(5, 5, 45, 30));
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clYellow);
    c->Rectangle(50, 5, 90, 30);
    c->RoundRect(95, 5, 135, 30, 10, 10);
    c->Brush()->SetColor(clAqua);
    c->Ellipse(140, 5, 180, 30);
    c->Pen()->SetStyle(psDot);
    c->MoveTo(185, 5);
    c->LineTo(225, 30);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(3);
    c->MoveTo(230, 17);
    c->LineTo(270, 17);
    c->Pen()->SetWidth(1);
    c->Brush()->SetColor(clLime);
    c->Polygon({TPoint(280, 30), TPoint(300, 5), TPoint(320, 30)});
    c->Brush()->SetColor(clRed);
    c->Pie(325, 5, 355, 30, 355, 5, 325, 5);

    // Edges.
    const unsigned edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP, BDR_RAISEDINNER,
                              BDR_SUNKENOUTER};
    int x = 5;
    for (unsigned e : edges) {
        TRect r(x, 40, x + 50, 70);
        DrawEdge(c, r, e, BF_RECT | BF_MIDDLE);
        x += 58;
    }

    // Frame controls.
    struct Fc { unsigned Type, State; int W, H; };
    const Fc controls[] = {
        {DFC_BUTTON, DFCS_BUTTONPUSH, 60, 23},
        {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED, 60, 23},
        {DFC_BUTTON, DFCS_BUTTONCHECK, 13, 13},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED, 13, 13},
        {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, 13, 13},
        {DFC_BUTTON, DFCS_BUTTONRADIO, 12, 12},
        {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED, 12, 12},
        {DFC_SCROLL, DFCS_SCROLLCOMBOBOX, 17, 19},
        {DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_PUSHED, 17, 19},
        {DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE, 17, 19},
        {DFC_SCROLL, DFCS_SCROLLUP, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLLEFT, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLRIGHT, 16, 16},
        {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_FLAT, 16, 16},
    };
    x = 5;
    for (const Fc& f : controls) {
        TRect r = Bounds(x, 80, f.W, f.H);
        EXPECT_TRUE(DrawFrameControl(c, r, f.Type, f.State));
        x += f.W + 6;
    }

    // Text.
    c->Brush()->SetStyle(bsClear);
    c->Font()->SetColor(clBlack);
    c->TextOut(5, 110, "TextOut in the default font");
    c->Font()->SetStyle(TFontStyles{fsBold});
    TRect tr(5, 130, 150, 150);
    c->Brush()->SetColor(clWhite);
    c->FillRect(tr);
    c->Brush()->SetStyle(bsClear);
    c->DrawText("&Bold centred, prefix", tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    c->Font()->SetStyle(TFontStyles());
    TRect er(5, 155, 100, 172);
    c->Brush()->SetColor(clWhite);
    c->FillRect(er);
    c->Brush()->SetStyle(bsClear);
    c->DrawText("An ellipsis cuts this long text", er, DT_SINGLELINE | DT_END_ELLIPSIS | DT_VCENTER);
    TRect wr(160, 110, 260, 215);
    c->Brush()->SetColor(clWhite);
    c->FillRect(wr);
    c->Brush()->SetStyle(bsClear);
    c->DrawText("Word break wraps this text into several lines inside its box.", wr, DT_WORDBREAK);
    c->Font()->SetOrientation(900);
    c->TextOut(290, 210, "Turned 90");
    c->Font()->SetOrientation(0);
    c->DrawFocusRect(TRect(3, 128, 152, 152));

    if (!TestHarness::GrabDir().isEmpty()) {
        const QImage img = b.Image();
        img.save(TestHarness::GrabPath("graphics-look.png"));
        img.scaled(img.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(TestHarness::GrabPath("graphics-look-3x.png"));
        img.copy(QRect(130, 75, 230, 30)).scaled(230 * 6, 30 * 6, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .save(TestHarness::GrabPath("graphics-look-controls-6x.png"));
    }
    EXPECT_EQ(c->Pixels(6, 6), ColorToRGB(clBtnFace));
    EXPECT_EQ(c->Pixels(5, 5), clNavy);
}

TEST(Bitmap, SizeSetOneSideAtATime)
{
    // Width first, then height: the width must survive the moment the
    // bitmap has no pixels.
    TBitmap b;
    b.SetWidth(16);
    EXPECT_EQ(b.Width(), 16);
    EXPECT_EQ(b.Height(), 0);
    EXPECT_TRUE(b.Empty());
    b.SetHeight(12);
    EXPECT_EQ(b.Width(), 16);
    EXPECT_EQ(b.Height(), 12);
    EXPECT_FALSE(b.Empty());
    EXPECT_EQ(b.Image().width(), 16);
    EXPECT_EQ(b.Image().height(), 12);
    EXPECT_THROW(TBitmap().ScanLine(0), EInvalidGraphicOperation);
}
