#pragma once
// Pictures of the mini-markup: a graphic that keeps its file bytes, decodes
// them with the platform's picture loader and steps through the frames of
// an animated GIF; the cache of pictures loaded by URL-like sources and the
// container component of named pictures.
//
// Nothing here fetches from the network: only "RES://" (program resources)
// and "FILE://" (local files) sources load anything.

#include "Classes.h"
#include "ClassesLists.h"
#include "Graphics.h"

#include <QByteArray>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;

using TDownloadProgressEvent = std::function<void(TObject* Sender, int64_t size, int64_t totalSize)>;
using TDownloadCancelEvent = std::function<void(TObject* Sender, bool& cancel)>;
using TDownloadCompleteEvent = std::function<void(TObject* Sender)>;
using TDownloadErrorEvent = std::function<void(TObject* Sender, const QString& error)>;

class THTMLPicture : public TGraphic {
public:
    DECLARE_CLASSNAME(THTMLPicture)
    THTMLPicture();
    ~THTMLPicture() override;

    // TGraphic
    bool Empty() const override { return FIsEmpty; }
    bool GetEmpty() const { return FIsEmpty; }
    int Width() const override;
    int Height() const override;
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    // Stretched into r, or at r's top-left at its natural size for the
    // canvas's resolution.
    void Draw(TCanvas* c, const TRect& r) override;
    QImage ToImage() const override { return FImage; }
    void Assign(TPersistent* Source) override;
    // Any failure leaves the picture empty.
    void LoadFromFile(const QString& fileName) override;
    void LoadFromBytes(const QByteArray& data) override { LoadFromStream(data); }
    QByteArray SaveToBytes() const override { return FDatastream; }

    // Copies the bytes, decodes them (errors raise EInvalidGraphic) and
    // fires OnChange. No stream does nothing.
    void LoadFromStream(QIODevice* stream);
    void LoadFromStream(const QByteArray& data);
    void SaveToStream(QIODevice* stream) const;
    // The streamed form is the file bytes; reading decodes without OnChange.
    void ReadData(QIODevice* stream);
    void WriteData(QIODevice* stream) const;
    // A raw-data resource of that name; nothing when there is none.
    void LoadFromResourceName(const QString& name);
    // The resource with that number; EResNotFound when missing.
    void LoadFromResourceID(int id);
    // "RES://name" and "FILE://path" load; any other source is only noted.
    void LoadFromURL(const QString& url);
    void LoadFromClipboardFormat() {}
    void SaveToClipboardFormat() const {}

    bool Stretch() const { return FStretched; }
    void SetStretch(bool v) { FStretched = v; }
    const QString& ID() const { return FID; }
    void SetID(const QString& v) { FID = v; }
    const QString& URL() const { return FURL; }
    bool IsDB() const { return FIsDB; }
    void SetIsDB(bool v) { FIsDB = v; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool v) { FAsynch = v; }
    bool Busy() const { return FThreadBusy; }

    // Animation.
    bool IsGIF() const;
    int FrameCount();
    // Delay of frame i in hundredths of a second; -1 when there is none.
    int GetFrameTime(int i);
    int Frame() const { return FFrame; }
    // Decodes that frame and fires OnFrameChange; a GIF frame outside
    // 1..FrameCount is ignored. Decode errors raise.
    void SetFrame(int v);
    void FrameNext();
    void FramePrev();
    // One step of 100 ms of animation time; true when the frame changed.
    bool Step();
    int MaxWidth() const;
    int MaxHeight() const;
    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }
    int FrameXSize() const { return FFrameXSize; }
    int FrameYSize() const { return FFrameYSize; }
    bool FrameTransp() const { return FFrameTransp; }
    int FrameDisposal() const { return FFrameDisposal; }
    int LogPixX() const { return FLogPixX; }
    int LogPixY() const { return FLogPixY; }

    TNotifyEvent OnFrameChange;
    TDownloadProgressEvent OnDownLoadProgress;
    TDownloadCancelEvent OnDownLoadCancel;
    TDownloadCompleteEvent OnDownLoadComplete;
    TDownloadErrorEvent OnDownLoadError;

private:
    void Reset();
    // Decodes the bytes for the current frame (raises on failure).
    void Reload();
    // Byte offsets of the GIF frame markers whose image descriptor is
    // wholly inside the data.
    std::vector<qsizetype> FrameMarkers() const;

    QByteArray FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    QImage FImage;
    int FHiMetricW = 0;  // decoded size in hundredths of a millimetre
    int FHiMetricH = 0;
    int FLogPixX = 96;
    int FLogPixY = 96;
    QString FURL;
    QString FID;
    bool FIsDB = false;
    bool FAsynch = true;
    bool FThreadBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    uint16_t FFrameXPos = 0, FFrameYPos = 0;
    uint16_t FFrameXSize = 0, FFrameYSize = 0;
    bool FFrameTransp = false;
    uint16_t FFrameDisposal = 0;
    uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;
};

// Pictures loaded by source, owned, found by their exact ID.
class THTMLPictureCache {
public:
    THTMLPicture* AddPicture();
    THTMLPicture* FindPicture(const QString& id) const;
    void ClearPictures() { FItems.clear(); }
    int Count() const { return int(FItems.size()); }
    THTMLPicture* Items(int i) const { return FItems.at(size_t(i)).get(); }
    // Step on every picture; true when any changed.
    bool Animate();

private:
    std::vector<std::unique_ptr<THTMLPicture>> FItems;
};

class TPictureItem : public TCollectionItem {
public:
    DECLARE_CLASSNAME(TPictureItem)
    explicit TPictureItem(TCollection* Collection);
    ~TPictureItem() override;
    THTMLPicture* Picture() const { return FPicture.get(); }
    // Keeps a copy of the given picture.
    void SetPicture(THTMLPicture* v) { FPicture->Assign(v); }
    const QString& Name() const { return FName; }
    void SetName(const QString& v) { FName = v; }
    int Tag() const { return FTag; }
    void SetTag(int v) { FTag = v; }
    void Assign(TPersistent* Source) override;
    QString DisplayName() const override { return FName; }

private:
    std::unique_ptr<THTMLPicture> FPicture;
    QString FName;
    int FTag = 0;
};

class TPictureCollection : public TOwnedCollection {
public:
    DECLARE_CLASSNAME(TPictureCollection)
    explicit TPictureCollection(TComponent* AOwner);
    TPictureItem* Add() { return static_cast<TPictureItem*>(TCollection::Add()); }
    TPictureItem* Insert(int index) { return static_cast<TPictureItem*>(TCollection::Insert(index)); }
    TPictureItem* Items(int index) const { return static_cast<TPictureItem*>(TCollection::Items(index)); }
    void SetItems(int index, TPictureItem* v) { TCollection::SetItems(index, v); }
    bool Animate();
};

class TPictureContainer : public TComponent {
public:
    DECLARE_CLASSNAME(TPictureContainer)
    explicit TPictureContainer(TComponent* AOwner = nullptr);
    ~TPictureContainer() override;
    TPictureCollection* Items() const { return FItems.get(); }
    // Takes ownership of the given collection.
    void SetItems(TPictureCollection* v);
    // The picture of the first item whose name matches without case (a-z).
    virtual THTMLPicture* FindPicture(const QString& name) const;

private:
    std::unique_ptr<TPictureCollection> FItems;
};
