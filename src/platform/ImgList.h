#pragma once
// Image lists: equally sized images kept in order and drawn by index.

#include "Classes.h"
#include "Graphics.h"

#include <QImage>
#include <vector>

class TCustomImageList : public TComponent {
public:
    DECLARE_CLASSNAME(TCustomImageList)
    explicit TCustomImageList(TComponent* AOwner = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // A new size empties the list, as on the platform.
    void SetWidth(int v) { SetSize(v, FHeight); }
    void SetHeight(int v) { SetSize(FWidth, v); }
    void SetSize(int w, int h);
    int Count() const { return int(FImages.size()); }
    bool Masked() const { return FMasked; }
    void SetMasked(bool v) { FMasked = v; }

    // Adds the image (a strip wider than Width gives one image per Width
    // pixels); 'mask' marks see-through pixels in white. Answers the index
    // of the first image added, -1 for no image.
    int Add(TBitmap* image, TBitmap* mask = nullptr);
    // As Add, with the pixels of maskColor see-through (clDefault: the
    // bottom-left pixel's colour).
    int AddMasked(TBitmap* image, TColor maskColor);
    void Delete(int index);
    void Clear();

    // Draws image 'index' with its top-left at (x, y); disabled images are
    // drawn embossed in the 3D colours. An index outside the list draws nothing.
    void Draw(TCanvas* c, int x, int y, int index, bool enabled = true);
    // The image on a white bitmap of the list's size; false for a bad index.
    bool GetBitmap(int index, TBitmap* image);
    // The image with its transparency (null for a bad index).
    QImage Image(int index) const;

    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    int AddImage(const QImage& strip);

    int FWidth = 16;
    int FHeight = 16;
    bool FMasked = true;
    std::vector<QImage> FImages;
};

class TImageList : public TCustomImageList {
public:
    DECLARE_CLASSNAME(TImageList)
    using TCustomImageList::TCustomImageList;
};
