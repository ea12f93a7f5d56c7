// Graphics: bitmaps, the picture formats and the picture that holds any of them.

#include "Graphics.h"
#include "Files.h"
#include "GraphicsJpeg.h"
#include "Resources.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <typeinfo>

namespace {

// The unit's error texts.
namespace Msg {
const char* const InvalidBitmap = "Bitmap image is not valid";
const char* const InvalidPng = "The PNG image is not valid";
const char* const InvalidGif = "The GIF image is not valid";
const char* const InvalidIcon = "Icon image is not valid";
const char* const JpegError = "JPEG error: %1";
const char* const GifNotWritable = "A GIF image can only be saved as it was read";
const char* const ScanLineRange = "Scan line index out of range";
const char* const UnknownExtension = "Unknown picture file extension (.%1)";
const char* const UnknownFormat = "Unknown picture format";
const char* const TooLarge = "The picture is too large (%1 x %2 pixels; at most %3 on a side and %4 in all)";
}  // namespace Msg

QString Text(const char* msg)
{
    return QString::fromUtf8(msg);
}

enum class FileKind { Unknown, Bmp, Png, Gif, Jpeg, Ico };

FileKind Sniff(const QByteArray& d)
{
    if (d.startsWith("BM")) return FileKind::Bmp;
    if (d.startsWith("\x89PNG")) return FileKind::Png;
    if (d.startsWith("GIF8")) return FileKind::Gif;
    if (d.size() >= 3 && uchar(d[0]) == 0xFF && uchar(d[1]) == 0xD8 && uchar(d[2]) == 0xFF)
        return FileKind::Jpeg;
    if (d.size() >= 4 && d[0] == 0 && d[1] == 0 && d[2] == 1 && d[3] == 0) return FileKind::Ico;
    return FileKind::Unknown;
}

uint32_t ImagesUnitLE(const QByteArray& d, int at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | uchar(d[at + i]);
    return v;
}

// The picture size the header of a BMP or a GIF claims, read here because
// Qt does not tell it: a BMP beyond its own limit is merely "not valid" to
// Qt, and a GIF's decoder allocates the logical screen whatever the size of
// the frames in it. Invalid for other formats and short headers.
QSize PictureHeaderSize(const QByteArray& d, FileKind kind)
{
    if (kind == FileKind::Gif && d.size() >= 10)
        return QSize(int(ImagesUnitLE(d, 6, 2)), int(ImagesUnitLE(d, 8, 2)));
    if (kind != FileKind::Bmp || d.size() < 26) return QSize();
    if (ImagesUnitLE(d, 14, 4) == 12)  // the old core header: 16-bit sides
        return QSize(int(ImagesUnitLE(d, 18, 2)), int(ImagesUnitLE(d, 20, 2)));
    // 32-bit sides; a negative height means rows from the top.
    const qint64 w = int32_t(ImagesUnitLE(d, 18, 4));
    const qint64 h = int32_t(ImagesUnitLE(d, 22, 4));
    return QSize(int(std::min<qint64>(std::abs(w), INT_MAX)), int(std::min<qint64>(std::abs(h), INT_MAX)));
}

// Whether an RLE-compressed BMP's data, from `at`, reaches its end marker
// (or the last row) before the bytes end.
bool BmpRleComplete(const QByteArray& d, qsizetype at, bool rle4, qint64 height)
{
    qint64 row = 0;
    while (at + 2 <= d.size()) {
        const int count = uchar(d[at]);
        const int code = uchar(d[at + 1]);
        at += 2;
        if (count > 0) continue;  // a run: the two bytes are all of it
        if (code == 0) {          // end of a row
            if (++row >= height) return true;
        } else if (code == 1) {   // end of the picture
            return true;
        } else if (code == 2) {   // a jump right and down
            if (at + 2 > d.size()) return false;
            row += uchar(d[at + 1]);
            at += 2;
            if (row >= height) return true;
        } else {                  // pixels as they are, padded to a word
            const qsizetype bytes = rle4 ? (code + 1) / 2 : code;
            at += bytes + (bytes & 1);
            if (at > d.size()) return false;
        }
    }
    return false;
}

// Whether the bytes hold all the pixel data a BMP's header promises. Qt's
// reader stops quietly where the data ends and leaves the rest of the
// picture blank; a file cut short is refused instead. Other compressions
// are Qt's to refuse.
bool BmpDataComplete(const QByteArray& d)
{
    if (d.size() < 26) return false;
    const qint64 offset = ImagesUnitLE(d, 10, 4);
    qint64 width = 0, height = 0;
    int bits = 0;
    uint32_t compression = 0;
    if (ImagesUnitLE(d, 14, 4) == 12) {
        width = ImagesUnitLE(d, 18, 2);
        height = ImagesUnitLE(d, 20, 2);
        bits = int(ImagesUnitLE(d, 24, 2));
    } else {
        if (d.size() < 34) return false;
        width = std::abs(qint64(int32_t(ImagesUnitLE(d, 18, 4))));
        height = std::abs(qint64(int32_t(ImagesUnitLE(d, 22, 4))));
        bits = int(ImagesUnitLE(d, 28, 2));
        compression = ImagesUnitLE(d, 30, 4);
    }
    if (offset > d.size()) return false;
    enum { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };
    switch (compression) {
    case Rgb:
    case BitFields:
    case AlphaBitFields: {
        // The sides were checked against the picture limit before.
        const qint64 rowBytes = (width * bits + 31) / 32 * 4;
        return offset + rowBytes * height <= d.size();
    }
    case Rle8:
    case Rle4: return BmpRleComplete(d, qsizetype(offset), compression == Rle4, height);
    default: return true;
    }
}

// Whether the first picture of a GIF, the one shown, and every block before
// it end inside the bytes. Qt's reader shows a picture whose data ends early
// with the rest left blank; later frames are read only when they are shown.
bool GifDataComplete(const QByteArray& d)
{
    if (d.size() < 13) return false;
    auto colourTable = [](uint8_t flags) { return (flags & 0x80) ? 3 * (qsizetype(2) << (flags & 7)) : 0; };
    qsizetype at = 13 + colourTable(uchar(d[10]));
    // Data sub-blocks up to their empty terminator.
    auto subBlocks = [&]() {
        for (;;) {
            if (at >= d.size()) return false;
            const int n = uchar(d[at++]);
            if (n == 0) return true;
            at += n;
        }
    };
    while (at < d.size()) {
        const int block = uchar(d[at++]);
        if (block == 0x21) {  // an extension: its label, then its data
            ++at;
            if (!subBlocks()) return false;
        } else if (block == 0x2C) {  // a picture: descriptor, colours, code size, data
            if (at + 9 > d.size()) return false;
            at += 9 + colourTable(uchar(d[at + 8]));
            ++at;
            return subBlocks();
        } else {
            return false;  // the trailer or other bytes before any picture
        }
    }
    return false;
}

void CheckPictureSize(QSize size)
{
    if (size.isValid() && !PictureSizeAllowed(size.width(), size.height()))
        throw EInvalidGraphic(PictureTooLargeText(size.width(), size.height()));
}

// The formats Qt decodes for us, by its names.
const char* QtFormatName(FileKind kind)
{
    switch (kind) {
    case FileKind::Bmp: return "BMP";
    case FileKind::Png: return "PNG";
    case FileKind::Gif: return "GIF";
    case FileKind::Ico: return "ICO";
    default: return nullptr;
    }
}

// Null when the bytes do not decode; raises EInvalidGraphic for a picture
// beyond the size limit, before its pixels are allocated.
QImage DecodeWithQt(const QByteArray& data, FileKind kind)
{
    // Qt's own refusal, in bytes of the decoded image, follows the same
    // limit: a picture within it is never turned away for its size, whatever
    // pixel format Qt decodes it to (up to 8 bytes a pixel for 16-bit colour).
    QImageReader::setAllocationLimit(int(MaxPicturePixels * 8 / (1024 * 1024)) + 1);
    CheckPictureSize(PictureHeaderSize(data, kind));
    if ((kind == FileKind::Bmp && !BmpDataComplete(data)) || (kind == FileKind::Gif && !GifDataComplete(data)))
        return QImage();
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QtFormatName(kind));
    CheckPictureSize(reader.size());
    const QImage img = reader.read();
    // A picture inside the file (an icon's embedded PNG) may claim more than its header did.
    CheckPictureSize(img.size());
    return img;
}

// Raises EInvalidGraphic with libjpeg's reason when the bytes do not decode.
QImage DecodeJpegChecked(const QByteArray& data, bool grayscale)
{
    QString err;
    QImage img = DecodeJpeg(data, grayscale, &err);
    if (img.isNull()) throw EInvalidGraphic(Text(Msg::JpegError).arg(err));
    return img;
}

// Bytes of one format only; raises EInvalidGraphic with 'msg' otherwise.
QImage DecodeChecked(const QByteArray& data, FileKind kind, const char* msg)
{
    QImage img = Sniff(data) == kind ? DecodeWithQt(data, kind) : QImage();
    if (img.isNull()) throw EInvalidGraphic(Text(msg));
    return img;
}

// Any of the known formats, by signature; null when none decodes. Raises
// EInvalidGraphic for a picture beyond the size limit, and for a JPEG that
// does not decode, with libjpeg's reason.
QImage DecodeAny(const QByteArray& data)
{
    const FileKind kind = Sniff(data);
    if (kind == FileKind::Jpeg) return DecodeJpegChecked(data, false);
    return kind == FileKind::Unknown ? QImage() : DecodeWithQt(data, kind);
}

QByteArray EncodeWithQt(const QImage& img, const char* format)
{
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, format);
    return out;
}

std::unique_ptr<TGraphic> NewGraphic(FileKind k)
{
    switch (k) {
    case FileKind::Bmp: return std::make_unique<TBitmap>();
    case FileKind::Png: return std::make_unique<TPngImage>();
    case FileKind::Gif: return std::make_unique<TGIFImage>();
    case FileKind::Jpeg: return std::make_unique<TJPEGImage>();
    case FileKind::Ico: return std::make_unique<TIcon>();
    case FileKind::Unknown: break;
    }
    return nullptr;
}

// An empty graphic of the same kind (a bitmap for kinds defined elsewhere).
std::unique_ptr<TGraphic> NewGraphicLike(const TGraphic* g)
{
    if (dynamic_cast<const TJPEGImage*>(g)) return NewGraphic(FileKind::Jpeg);
    if (dynamic_cast<const TPngImage*>(g)) return NewGraphic(FileKind::Png);
    if (dynamic_cast<const TGIFImage*>(g)) return NewGraphic(FileKind::Gif);
    if (dynamic_cast<const TIcon*>(g)) return NewGraphic(FileKind::Ico);
    return NewGraphic(FileKind::Bmp);
}

FileKind KindForExtension(const QString& fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("bmp") || ext == QLatin1String("dib")) return FileKind::Bmp;
    if (ext == QLatin1String("png")) return FileKind::Png;
    if (ext == QLatin1String("gif")) return FileKind::Gif;
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg") || ext == QLatin1String("jpe") ||
        ext == QLatin1String("jfif"))
        return FileKind::Jpeg;
    if (ext == QLatin1String("ico")) return FileKind::Ico;
    return FileKind::Unknown;
}

QImage::Format StorageFormat(TPixelFormat pf, bool alpha)
{
    if (pf == pf24bit) return QImage::Format_BGR888;
    return alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

// Bits per pixel of a BMP file (0 when unknown).
int BmpBitCount(const QByteArray& d)
{
    if (d.size() < 30) return 0;
    return uchar(d[28]) | (uchar(d[29]) << 8);
}

}  // namespace

// ---------------------------------------------------------------------------

QString PictureTooLargeText(qint64 width, qint64 height)
{
    return Text(Msg::TooLarge).arg(width).arg(height).arg(MaxPictureSide).arg(MaxPicturePixels);
}

void TGraphic::Changed()
{
    FModified = true;
    if (OnChange) OnChange(this);
}

void TGraphic::SetTransparent(bool v)
{
    if (v == FTransparent) return;
    FTransparent = v;
    Changed();
}

void TGraphic::Draw(TCanvas* c, const TRect& r)
{
    if (!c || Empty()) return;
    QImage img = ToImage();
    c->Backend()->DrawImage(*c, r, img, TRect(0, 0, img.width(), img.height()));
}

void TGraphic::LoadFromFile(const QString& fileName)
{
    LoadFromBytes(ReadFileBytes(fileName, TReadKind::Picture));
}

void TGraphic::SaveToFile(const QString& fileName)
{
    const TWriteResult written = SafeWriteFile(fileName, SaveToBytes());
    if (!written) RaiseFileCreateError(fileName, written.Error);
}

// ---------------------------------------------------------------------------

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height)
{
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    FCanvas.reset();
}

void TBitmap::FlushCanvas() const
{
    if (FCanvas) FCanvas->Flush();
}

bool TBitmap::Empty() const
{
    return FImage.isNull() || FImage.width() == 0 || FImage.height() == 0;
}

void TBitmap::SetSize(int w, int h)
{
    w = std::max(0, w);
    h = std::max(0, h);
    if (w == Width() && h == Height()) return;
    FlushCanvas();
    FWidth = w;
    FHeight = h;
    if (w == 0 || h == 0) {
        FImage = QImage();
    } else {
        QImage n(w, h, FImage.isNull() ? StorageFormat(FPixelFormat, false) : FImage.format());
        n.fill(Qt::white);
        if (!FImage.isNull()) {
            QPainter p(&n);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, FImage);
        }
        FImage = n;
    }
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat v)
{
    if (v == FPixelFormat) return;
    FlushCanvas();
    FPixelFormat = v;
    if (!FImage.isNull())
        FImage = FImage.convertToFormat(StorageFormat(v, v == pf32bit && FImage.hasAlphaChannel()));
    Changed();
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->BindImage(&FImage);
    }
    return FCanvas.get();
}

uint8_t* TBitmap::ScanLine(int row)
{
    if (row < 0 || row >= FImage.height()) throw EInvalidGraphicOperation(Text(Msg::ScanLineRange));
    FlushCanvas();
    return FImage.scanLine(row);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (Empty()) return clDefault;
    FlushCanvas();
    QRgb v = FImage.pixel(0, Height() - 1);
    return RGBColor(qRed(v), qGreen(v), qBlue(v));
}

void TBitmap::SetTransparentColor(TColor v)
{
    FTransparentColor = v;
    FTransparentMode = v == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode v)
{
    if (v == FTransparentMode) return;
    FTransparentMode = v;
    if (v == tmAuto) FTransparentColor = clDefault;
    Changed();
}

const QImage& TBitmap::Image() const
{
    FlushCanvas();
    return FImage;
}

void TBitmap::Adopt(QImage img)
{
    FlushCanvas();
    if (img.format() == QImage::Format_BGR888 || img.format() == QImage::Format_RGB888) {
        FPixelFormat = pf24bit;
    } else if (FPixelFormat == pf24bit) {
        FPixelFormat = img.hasAlphaChannel() ? pf32bit : pf24bit;
    }
    FImage = img.isNull() ? QImage() : img.convertToFormat(StorageFormat(FPixelFormat, img.hasAlphaChannel()));
    FWidth = FImage.width();
    FHeight = FImage.height();
}

void TBitmap::SetImage(const QImage& img)
{
    Adopt(img);
    Changed();
}

QImage TBitmap::ToImage() const
{
    FlushCanvas();
    if (FImage.isNull()) return QImage();
    const bool alpha = FImage.hasAlphaChannel();
    if (!Transparent() && !alpha) return FImage;
    QImage img = FImage.convertToFormat(QImage::Format_ARGB32);
    if (Transparent()) {
        const QRgb key = ToQColor(TransparentColor()).rgb() & 0xFFFFFF;
        for (int y = 0; y < img.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
        }
    }
    return img;
}

void TBitmap::Assign(TPersistent* Source)
{
    if (!Source) {
        FlushCanvas();
        FImage = QImage();
        FWidth = FHeight = 0;
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        if (b == this) return;
        FlushCanvas();
        FImage = b->Image();
        FWidth = b->FWidth;
        FHeight = b->FHeight;
        FPixelFormat = b->FPixelFormat;
        FTransparentColor = b->FTransparentColor;
        FTransparentMode = b->FTransparentMode;
        SetTransparent(b->Transparent());
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetImage(g->ToImage());
        return;
    }
    TGraphic::Assign(Source);
}

void TBitmap::LoadFromBytes(const QByteArray& data)
{
    QImage img = DecodeAny(data);
    if (img.isNull()) throw EInvalidGraphic(Text(Msg::InvalidBitmap));
    if (Sniff(data) == FileKind::Bmp) {
        int bits = BmpBitCount(data);
        FPixelFormat = bits == 24 ? pf24bit : bits == 32 ? pf32bit : pfDevice;
    } else {
        FPixelFormat = img.hasAlphaChannel() ? pf32bit : pfDevice;
    }
    SetImage(img);
}

QByteArray TBitmap::SaveToBytes() const
{
    FlushCanvas();
    if (FImage.isNull()) return QByteArray();
    return EncodeWithQt(FImage, "BMP");
}

void TBitmap::LoadFromResourceName(const QString& name)
{
    LoadFromBytes(LoadResource(name));
}

// ---------------------------------------------------------------------------

void TImageGraphic::SetDecoded(const QImage& img, const QByteArray& data)
{
    FImage = img;
    FData = data;
    Changed();
}

void TImageGraphic::LoadFromBytes(const QByteArray& data)
{
    QImage img = Decode(data);
    SetDecoded(img, data);
}

QByteArray TImageGraphic::SaveToBytes() const
{
    if (!FData.isEmpty()) return FData;
    if (FImage.isNull()) return QByteArray();
    return Encode(FImage);
}

void TImageGraphic::Assign(TPersistent* Source)
{
    if (!Source) {
        SetDecoded(QImage(), QByteArray());
        return;
    }
    if (Source == this) return;
    auto* same = dynamic_cast<TImageGraphic*>(Source);
    if (same && typeid(*same) == typeid(*this)) {
        SetTransparent(same->Transparent());
        SetDecoded(same->FImage, same->FData);
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetDecoded(g->ToImage(), QByteArray());
        return;
    }
    TGraphic::Assign(Source);
}

void TJPEGImage::SetCompressionQuality(int v)
{
    FQuality = v < 1 ? 1 : v > 100 ? 100 : v;
}

void TJPEGImage::SetGrayscale(bool v)
{
    if (v == FGrayscale) return;
    FGrayscale = v;
    if (!FData.isEmpty()) SetDecoded(Decode(FData), FData);
}

QImage TJPEGImage::Decode(const QByteArray& data) const
{
    return DecodeJpegChecked(data, FGrayscale);
}

QByteArray TJPEGImage::Encode(const QImage& img) const
{
    QString err;
    QByteArray out = EncodeJpeg(img, FQuality, FGrayscale, &err);
    if (out.isEmpty()) throw EInvalidGraphicOperation(Text(Msg::JpegError).arg(err));
    return out;
}

QImage TPngImage::Decode(const QByteArray& data) const
{
    return DecodeChecked(data, FileKind::Png, Msg::InvalidPng);
}

QByteArray TPngImage::Encode(const QImage& img) const
{
    return EncodeWithQt(img, "PNG");
}

QImage TGIFImage::Decode(const QByteArray& data) const
{
    return DecodeChecked(data, FileKind::Gif, Msg::InvalidGif);
}

QByteArray TGIFImage::Encode(const QImage&) const
{
    throw EInvalidGraphicOperation(Text(Msg::GifNotWritable));
}

QImage TIcon::Decode(const QByteArray& data) const
{
    return DecodeChecked(data, FileKind::Ico, Msg::InvalidIcon);
}

QByteArray TIcon::Encode(const QImage& img) const
{
    return EncodeWithQt(img, "ICO");
}

// ---------------------------------------------------------------------------

std::unique_ptr<TGraphic> LoadGraphic(const QByteArray& data)
{
    std::unique_ptr<TGraphic> g = NewGraphic(Sniff(data));
    if (!g) throw EInvalidGraphic(Text(Msg::UnknownFormat));
    g->LoadFromBytes(data);
    return g;
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Changed()
{
    if (OnChange) OnChange(this);
}

void TPicture::Take(std::unique_ptr<TGraphic> g)
{
    FGraphic = std::move(g);
    if (FGraphic) FGraphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(TGraphic* g)
{
    if (!g) {
        Take(nullptr);
        return;
    }
    if (g == FGraphic.get()) return;
    std::unique_ptr<TGraphic> copy = NewGraphicLike(g);
    copy->Assign(g);
    Take(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const QString& fileName)
{
    FileKind k = KindForExtension(fileName);
    if (k == FileKind::Unknown)
        throw EInvalidGraphic(Text(Msg::UnknownExtension).arg(QFileInfo(fileName).suffix()));
    std::unique_ptr<TGraphic> g = NewGraphic(k);
    g->LoadFromFile(fileName);
    Take(std::move(g));
}

void TPicture::SaveToFile(const QString& fileName)
{
    if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::LoadFromBytes(const QByteArray& data)
{
    Take(LoadGraphic(data));
}

void TPicture::Assign(TPersistent* Source)
{
    if (!Source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* p = dynamic_cast<TPicture*>(Source)) {
        if (p != this) SetGraphic(p->Graphic());
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(g);
        return;
    }
    TPersistent::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest)
{
    if (FGraphic && dynamic_cast<TGraphic*>(Dest)) {
        Dest->Assign(FGraphic.get());
        return;
    }
    TPersistent::AssignTo(Dest);
}
