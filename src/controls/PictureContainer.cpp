#include "PictureContainer.h"

#include "AsgHTMLEText.h"
#include "Files.h"
#include "Resources.h"
#include "SysFormat.h"

#include <QIODevice>

namespace {

// Messages of the picture loader.
namespace Msg {
const char* const NoMemory = "Could not allocate memory for image";
const char* const NoStream = "Could not create image stream";
const char* const EmptyStream = "Empty image stream created";
const char* const InvalidFormat = "Could not load image. Invalid format";
const char* const NotLoaded = "Could not load image";
}  // namespace Msg

int GifWord(const QByteArray& d, qsizetype at)
{
    return uint8_t(d[at]) | (uint8_t(d[at + 1]) << 8);
}

constexpr int HiMetricPerInch = 2540;

}  // namespace

THTMLPicture::THTMLPicture() = default;
THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::Reset()
{
    FIsEmpty = true;
    FImage = QImage();
    FHiMetricW = FHiMetricH = 0;
    FFrameCount = -1;
    FFrame = 1;
    FNextCount = -1;
    FTimerCount = -1;
    FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
    FAnimMaxX = FAnimMaxY = 0;
}

int THTMLPicture::Width() const
{
    return FImage.isNull() ? 0 : int(Round(double(FHiMetricW) * FLogPixX / HiMetricPerInch));
}

int THTMLPicture::Height() const
{
    return FImage.isNull() ? 0 : int(Round(double(FHiMetricH) * FLogPixY / HiMetricPerInch));
}

void THTMLPicture::Draw(TCanvas* c, const TRect& r)
{
    if (!c || FIsEmpty || FImage.isNull()) return;
    const TRect src(0, 0, FImage.width(), FImage.height());
    if (FStretched) {
        c->Backend()->DrawImage(*c, r, FImage, src);
        return;
    }
    const int dpi = c->PixelsPerInch();
    const int w = int(Round(double(FHiMetricW) * dpi / HiMetricPerInch));
    const int h = int(Round(double(FHiMetricH) * dpi / HiMetricPerInch));
    c->Backend()->DrawImage(*c, TRect(r.Left, r.Top, r.Left + w, r.Top + h), FImage, src);
}

std::vector<qsizetype> THTMLPicture::FrameMarkers() const
{
    std::vector<qsizetype> marks;
    const QByteArray& d = FDatastream;
    // A marker counts only when its whole image descriptor (up to j + 16)
    // lies inside the data.
    for (qsizetype j = 0; j + 17 <= d.size(); ++j)
        if (uint8_t(d[j]) == 0x21 && uint8_t(d[j + 1]) == 0xF9 && uint8_t(d[j + 2]) == 0x04 &&
            uint8_t(d[j + 8]) == 0x2C)
            marks.push_back(j);
    return marks;
}

void THTMLPicture::Reload()
{
    FFrameXPos = FFrameYPos = FFrameXSize = FFrameYSize = 0;
    FAnimMaxX = FAnimMaxY = 0;
    FImage = QImage();
    FHiMetricW = FHiMetricH = 0;
    if (FDatastream.isEmpty()) throw EInvalidGraphic(QString::fromLatin1(Msg::EmptyStream));

    QByteArray bytes = FDatastream;
    bool crop = false;
    const std::vector<qsizetype> marks = IsGIF() ? FrameMarkers() : std::vector<qsizetype>();
    if (!marks.empty() && FFrame >= 1 && FFrame <= int(marks.size())) {
        FAnimMaxX = uint16_t(GifWord(FDatastream, 6));
        FAnimMaxY = uint16_t(GifWord(FDatastream, 8));
        const qsizetype j = marks[size_t(FFrame - 1)];
        FFrameXPos = uint16_t(GifWord(FDatastream, j + 9));
        FFrameYPos = uint16_t(GifWord(FDatastream, j + 11));
        FFrameXSize = uint16_t(GifWord(FDatastream, j + 13));
        FFrameYSize = uint16_t(GifWord(FDatastream, j + 15));
        // Leave out the frames before the current one: the loader shows the
        // first frame it finds.
        bytes = FDatastream.left(marks[0]) + FDatastream.mid(j);
        crop = true;
    }

    std::unique_ptr<TGraphic> g;
    try {
        g = LoadGraphic(bytes);
    } catch (const std::exception&) {
        throw EInvalidGraphic(QString::fromLatin1(Msg::InvalidFormat));
    }
    QImage img = g ? g->ToImage() : QImage();
    if (img.isNull()) throw EInvalidGraphic(QString::fromLatin1(Msg::NotLoaded));
    // The reader places a GIF's first image on the logical screen; the
    // decoded frame is that image alone.
    if (crop && FFrameXSize > 0 && FFrameYSize > 0) {
        const QRect frame = QRect(FFrameXPos, FFrameYPos, FFrameXSize, FFrameYSize) & img.rect();
        if (!frame.isEmpty() && frame != img.rect()) img = img.copy(frame);
    }
    FImage = img;
    FHiMetricW = int(Round(double(img.width()) * HiMetricPerInch / FLogPixX));
    FHiMetricH = int(Round(double(img.height()) * HiMetricPerInch / FLogPixY));
}

void THTMLPicture::LoadFromStream(const QByteArray& data)
{
    FDatastream = data;
    FIsEmpty = false;
    Reload();
    Changed();
}

void THTMLPicture::LoadFromStream(QIODevice* stream)
{
    if (!stream) return;
    LoadFromStream(stream->readAll());
}

void THTMLPicture::SaveToStream(QIODevice* stream) const
{
    if (stream) stream->write(FDatastream);
}

void THTMLPicture::ReadData(QIODevice* stream)
{
    if (!stream) return;
    FDatastream = stream->readAll();
    FIsEmpty = false;
    Reload();
}

void THTMLPicture::WriteData(QIODevice* stream) const { SaveToStream(stream); }

void THTMLPicture::LoadFromFile(const QString& fileName)
{
    // Markup asks for pictures while it paints: only a regular file within
    // the picture limit is read, so a FIFO or a device cannot hang or exhaust
    // a paint.
    try {
        LoadFromStream(ReadFileBytes(fileName, TReadKind::Picture));
    } catch (const std::exception&) {
        Reset();
    }
}

void THTMLPicture::LoadFromResourceName(const QString& name)
{
    if (const std::optional<QByteArray> bytes = FindResource(name)) LoadFromStream(*bytes);
}

void THTMLPicture::LoadFromResourceID(int id)
{
    LoadFromStream(LoadResource(QString::number(id)));
}

void THTMLPicture::LoadFromURL(const QString& url)
{
    const QString upper = UpCaseAscii(url);
    if (upper.startsWith(u"RES://")) {
        FID = url;
        LoadFromResourceName(url.mid(6));
    } else if (upper.startsWith(u"FILE://")) {
        FID = url;
        LoadFromFile(url.mid(7));
    } else {
        // Network sources are never fetched: the picture stays empty and no
        // download is started.
        FURL = url;
        if (!FAsynch) FID = url;
    }
}

void THTMLPicture::Assign(TPersistent* Source)
{
    Reset();
    if (!Source) {
        FDatastream.clear();
        return;
    }
    if (auto* p = dynamic_cast<THTMLPicture*>(Source)) {
        if (p == this) return;
        LoadFromStream(p->FDatastream);
    }
}

bool THTMLPicture::IsGIF() const
{
    return FDatastream.size() >= 5 && FDatastream.startsWith("GIF8");
}

int THTMLPicture::FrameCount()
{
    if (FFrameCount == -1) FFrameCount = IsGIF() ? int(FrameMarkers().size()) : -1;
    return FFrameCount;
}

int THTMLPicture::GetFrameTime(int i)
{
    if (!IsGIF()) return -1;
    const std::vector<qsizetype> marks = FrameMarkers();
    if (i < 1 || i > int(marks.size())) return -1;
    const qsizetype j = marks[size_t(i - 1)];
    const uint8_t packed = uint8_t(FDatastream[j + 3]);
    FFrameTransp = (packed & 1) != 0;
    FFrameDisposal = uint16_t((packed >> 2) & 7);
    return GifWord(FDatastream, j + 4);
}

void THTMLPicture::SetFrame(int v)
{
    if (IsGIF() && (v < 1 || v > FrameCount())) return;
    FFrame = v;
    if (FIsEmpty) return;
    Reload();
    if (OnFrameChange) OnFrameChange(this);
}

void THTMLPicture::FrameNext()
{
    ++FFrame;
    if (FFrame > FrameCount()) FFrame = 1;
}

void THTMLPicture::FramePrev()
{
    --FFrame;
    if (FFrame < 1) FFrame = std::max(1, FrameCount());
}

bool THTMLPicture::Step()
{
    if (FFrameCount < 2 || FIsEmpty) return false;
    bool changed = false;
    if (FNextCount == -1) FNextCount = GetFrameTime(FFrame);
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        Reload();
        FNextCount += GetFrameTime(FFrame);
        changed = true;
    }
    ++FTimerCount;
    return changed;
}

int THTMLPicture::MaxWidth() const
{
    if (FImage.isNull()) return 0;
    return FAnimMaxX > 0 ? FAnimMaxX : Width();
}

int THTMLPicture::MaxHeight() const
{
    if (FImage.isNull()) return 0;
    return FAnimMaxY > 0 ? FAnimMaxY : Height();
}

// ---------------------------------------------------------------------------

THTMLPicture* THTMLPictureCache::AddPicture()
{
    FItems.push_back(std::make_unique<THTMLPicture>());
    return FItems.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& id) const
{
    for (const auto& p : FItems)
        if (p->ID() == id) return p.get();
    return nullptr;
}

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (const auto& p : FItems) changed = p->Step() || changed;
    return changed;
}

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>())
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(TPersistent* Source)
{
    if (auto* s = dynamic_cast<TPictureItem*>(Source)) {
        FPicture->Assign(s->Picture());
        FName = s->FName;
        FTag = s->FTag;
        return;
    }
    TCollectionItem::Assign(Source);
}

TPictureCollection::TPictureCollection(TComponent* AOwner)
    : TOwnedCollection(AOwner, ItemClassOf<TPictureItem>())
{
}

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (int i = 0; i < Count(); ++i) changed = Items(i)->Picture()->Step() || changed;
    return changed;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

TPictureContainer::~TPictureContainer() = default;

void TPictureContainer::SetItems(TPictureCollection* v)
{
    if (v == FItems.get()) return;
    FItems.reset(v ? v : new TPictureCollection(this));
}

THTMLPicture* TPictureContainer::FindPicture(const QString& name) const
{
    const QString upper = UpCaseAscii(name);
    for (int i = 0; i < FItems->Count(); ++i)
        if (UpCaseAscii(FItems->Items(i)->Name()) == upper) return FItems->Items(i)->Picture();
    return nullptr;
}
