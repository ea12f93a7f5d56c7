#pragma once
// Drawing: fonts, pens, brushes and the canvas with the original platform's
// pixel rules, over a back-end that either paints with a QPainter or records
// the operations (for headless tests of painting code).
//
// Pixel rules kept from the original platform:
//  - rectangles exclude their right and bottom edge (TRect is exclusive);
//  - LineTo draws up to, but not including, its end point;
//  - Rectangle/Ellipse/RoundRect outline with the pen inside the rectangle
//    and fill the inside with the brush;
//  - FrameRect draws a one-pixel frame with the brush.
// Text metrics depend only on the font (pixel sizes at 96 dots per inch), so a
// canvas that is not bound to any surface still measures text.

#include "Classes.h"
#include "ColorNames.h"  // ColorToString, StringToColor
#include "Sets.h"
#include "SysFormat.h"   // MulDiv
#include "Types.h"

#include <QFont>
#include <QImage>
#include <QRegion>
#include <QString>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

class QPainter;
class TCanvas;
class TGraphic;
class TTextRuns;

// Screen resolution the layer assumes everywhere (points <-> pixels).
inline constexpr int ScreenPixelsPerInch = 96;

// ---------------------------------------------------------------------------
// Font, pen, brush

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };

inline constexpr int ANSI_CHARSET = 0;
inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int SYMBOL_CHARSET = 2;

// Base of the drawing tools: change notification through OnChange.
class TGraphicsObject : public TPersistent {
public:
    DECLARE_CLASSNAME(TGraphicsObject)
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

class TFont : public TGraphicsObject {
public:
    DECLARE_CLASSNAME(TFont)
    TFont();

    const QString& Name() const { return FName; }
    void SetName(const QString& v);
    // Size in points; negative when the height was given as a cell height.
    int Size() const;
    void SetSize(int v);
    // Height in pixels: negative = character height (the usual form),
    // positive = cell height including the internal leading.
    int Height() const { return FHeight; }
    void SetHeight(int v);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    // Angle of the text baseline in tenths of a degree, counter-clockwise.
    int Orientation() const { return FOrientation; }
    void SetOrientation(int v);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch v);
    int Charset() const { return FCharset; }
    void SetCharset(int v);

    void Assign(TPersistent* Source) override;
    // The Qt font with the same face, pixel size and style.
    const QFont& ToQFont() const;

protected:
    void Changed() override;

private:
    mutable std::optional<QFont> FQFont;
    QString FName;
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    int FOrientation = 0;
    TFontPitch FPitch = fpDefault;
    int FCharset = DEFAULT_CHARSET;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
public:
    DECLARE_CLASSNAME(TPen)
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle v);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode v);
    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};

class TBrush : public TGraphicsObject {
public:
    DECLARE_CLASSNAME(TBrush)
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle v);
    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// ---------------------------------------------------------------------------
// DrawText flags (values of the original platform)

inline constexpr unsigned DT_TOP = 0x0;
inline constexpr unsigned DT_LEFT = 0x0;
inline constexpr unsigned DT_CENTER = 0x1;
inline constexpr unsigned DT_RIGHT = 0x2;
inline constexpr unsigned DT_VCENTER = 0x4;
inline constexpr unsigned DT_BOTTOM = 0x8;
inline constexpr unsigned DT_WORDBREAK = 0x10;
inline constexpr unsigned DT_SINGLELINE = 0x20;
inline constexpr unsigned DT_EXPANDTABS = 0x40;
inline constexpr unsigned DT_TABSTOP = 0x80;
inline constexpr unsigned DT_NOCLIP = 0x100;
inline constexpr unsigned DT_EXTERNALLEADING = 0x200;
inline constexpr unsigned DT_CALCRECT = 0x400;
inline constexpr unsigned DT_NOPREFIX = 0x800;
inline constexpr unsigned DT_INTERNAL = 0x1000;
inline constexpr unsigned DT_EDITCONTROL = 0x2000;
inline constexpr unsigned DT_PATH_ELLIPSIS = 0x4000;
inline constexpr unsigned DT_END_ELLIPSIS = 0x8000;
inline constexpr unsigned DT_MODIFYSTRING = 0x10000;
inline constexpr unsigned DT_RTLREADING = 0x20000;
inline constexpr unsigned DT_WORD_ELLIPSIS = 0x40000;
inline constexpr unsigned DT_NOFULLWIDTHCHARBREAK = 0x80000;
inline constexpr unsigned DT_HIDEPREFIX = 0x100000;
inline constexpr unsigned DT_PREFIXONLY = 0x200000;

// Background mode of text output (SetBkMode).
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// FloodFill styles.
enum TFillStyle { fsSurface, fsBorder };

// Mapping modes: MM_TEXT draws in device pixels with y growing downward;
// MM_LOMETRIC in tenths of a millimetre with y growing upward (positions on
// a page below its top are negative).
inline constexpr int MM_TEXT = 1;
inline constexpr int MM_LOMETRIC = 2;

// GetDeviceCaps indexes.
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// One laid-out piece of a DrawText line: text at an x offset from the line's
// left edge (tabs split a line into several pieces).
struct TTextPiece {
    int X = 0;
    QString Text;
};

// A laid-out line of DrawText: its pieces, where it starts, its width and
// the prefix-underlined character (x offset and width; width 0 = none).
struct TTextLine {
    std::vector<TTextPiece> Pieces;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int UnderlineX = 0;
    int UnderlineWidth = 0;
};

struct TTextLayout {
    std::vector<TTextLine> Lines;
    TRect Bounds;      // the rectangle DT_CALCRECT reports
    int Height = 0;    // DrawText's answer
    int LineHeight = 0;
    int Ascent = 0;
};

// ---------------------------------------------------------------------------
// Canvas back-end: where a canvas's operations go. The canvas resolves its
// state (pen, brush, font, pen position) and the back-end paints or records.

class TCanvasBackend {
public:
    virtual ~TCanvasBackend() = default;

    virtual void FillRect(TCanvas& c, const TRect& r) = 0;
    virtual void FrameRect(TCanvas& c, const TRect& r) = 0;
    virtual void Rectangle(TCanvas& c, const TRect& r) = 0;
    virtual void RoundRect(TCanvas& c, const TRect& r, int cornerW, int cornerH) = 0;
    virtual void Ellipse(TCanvas& c, const TRect& r) = 0;
    // Kind: "Arc", "Pie" or "Chord"; start and end points as the platform gives them.
    virtual void ArcShape(TCanvas& c, const char* kind, const TRect& r, TPoint start, TPoint end) = 0;
    // One line from a to b, b itself not drawn.
    virtual void Line(TCanvas& c, TPoint a, TPoint b) = 0;
    virtual void Polyline(TCanvas& c, const std::vector<TPoint>& pts) = 0;
    virtual void Polygon(TCanvas& c, const std::vector<TPoint>& pts) = 0;
    virtual void SetPixel(TCanvas& c, int x, int y, TColor color) = 0;
    virtual TColor GetPixel(TCanvas& c, int x, int y) = 0;
    // Text with its top-left at (x, y), turned by the font's orientation;
    // clip: an optional rectangle the text is clipped to (TextRect).
    virtual void TextOut(TCanvas& c, int x, int y, const QString& text, const TRect* clip) = 0;
    virtual void DrawText(TCanvas& c, const QString& text, const TRect& r, unsigned flags,
                          const TTextLayout& layout) = 0;
    virtual void DrawFocusRect(TCanvas& c, const TRect& r) = 0;
    // Draw/StretchDraw of a graphic; a painting back-end hands it to the
    // graphic, which comes back through DrawImage.
    virtual void DrawGraphic(TCanvas& c, const TRect& dest, TGraphic* g, bool stretch) = 0;
    virtual void DrawImage(TCanvas& c, const TRect& dest, const QImage& img, const TRect& src) = 0;
    virtual void CopyRect(TCanvas& c, const TRect& dest, TCanvas& source, const TRect& src) = 0;
    virtual void FloodFill(TCanvas& c, int x, int y, TColor color, TFillStyle style) = 0;
    // The clip region changed (none: no clipping).
    virtual void ClipChanged(TCanvas& c) = 0;
    // The area that can be drawn on, in canvas coordinates; empty when unknown.
    virtual TRect DeviceRect(TCanvas& c) = 0;
    // The pixels of an area (source of CopyRect); a null image when not readable.
    virtual QImage Grab(TCanvas& c, const TRect& r) = 0;
    // Ends any painting in progress so the surface may be read or resized.
    virtual void Flush() {}
    // Dots per inch of the surface (a printer's differ from the screen's).
    virtual int PixelsPerInch(TCanvas&) { return ScreenPixelsPerInch; }
    // True when the operations are wanted in the canvas's logical units as
    // the caller gave them (a recording); otherwise they arrive in device
    // pixels, converted by the canvas's mapping mode.
    virtual bool LogicalCoordinates() const { return false; }
};

// ---------------------------------------------------------------------------
// Canvas

class TCanvas : public TPersistent {
public:
    DECLARE_CLASSNAME(TCanvas)
    // A canvas bound to nothing: it measures text, draws nothing.
    TCanvas();
    // Bound to a painter the caller owns and keeps active (e.g. in paintEvent).
    explicit TCanvas(QPainter* painter);
    ~TCanvas() override;

    TFont* Font() const { return FFont.get(); }
    TPen* Pen() const { return FPen.get(); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    void SetPen(TPen* v) { FPen->Assign(v); }
    void SetBrush(TBrush* v) { FBrush->Assign(v); }

    // Back-end binding.
    void BindPainter(QPainter* painter);
    // Paints on an image, with a painter of its own opened when needed.
    void BindImage(QImage* image);
    void SetBackend(std::unique_ptr<TCanvasBackend> backend);
    void Unbind();
    bool HandleAllocated() const { return FBound; }
    TCanvasBackend* Backend() const { return FBackend.get(); }
    // Ends painting in progress (an image-bound canvas reopens on the next operation).
    void Flush() { FBackend->Flush(); }

    // Pen position.
    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(TPoint p) { FPenPos = p; }
    void MoveTo(int x, int y) { FPenPos = TPoint(x, y); }
    void LineTo(int x, int y);

    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void Rectangle(int x1, int y1, int x2, int y2) { Rectangle(TRect(x1, y1, x2, y2)); }
    void Rectangle(const TRect& r);
    void RoundRect(int x1, int y1, int x2, int y2, int cornerW, int cornerH);
    void RoundRect(const TRect& r, int cornerW, int cornerH)
    {
        RoundRect(r.Left, r.Top, r.Right, r.Bottom, cornerW, cornerH);
    }
    void Ellipse(int x1, int y1, int x2, int y2) { Ellipse(TRect(x1, y1, x2, y2)); }
    void Ellipse(const TRect& r);
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
    void Polygon(const std::vector<TPoint>& pts);
    void Polyline(const std::vector<TPoint>& pts);
    void FloodFill(int x, int y, TColor color, TFillStyle style);

    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor color);

    // Text: top-left at (x, y); the pen position moves to the text's end.
    void TextOut(int x, int y, const QString& text);
    // Text at (x, y) clipped to r; an opaque brush fills r first.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    TSize TextExtent(const QString& text) const;
    // The platform's DrawText: lays the text out in r by the DT_* flags and
    // draws it (DT_CALCRECT: only measures and updates r). Answers the text
    // height.
    int DrawText(const QString& text, TRect& r, unsigned flags);
    // Text background: TRANSPARENT or OPAQUE; selecting a brush resets it as
    // the platform does (clear brush = transparent).
    int BkMode() const;
    int SetBkMode(int mode);

    void DrawFocusRect(const TRect& r);
    void Draw(int x, int y, TGraphic* g);
    void StretchDraw(const TRect& r, TGraphic* g);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);

    // Clipping. ClipRect is the bounding box of what can be drawn now.
    TRect ClipRect() const;
    const std::optional<QRegion>& ClipRegion() const { return FClip; }
    // In the metric mode a rectangle's top lies above its bottom.
    void SelectClipRect(const TRect& r)
    {
        SelectClipRegion(QRegion(TRect(std::min(r.Left, r.Right), std::min(r.Top, r.Bottom),
                                       std::max(r.Left, r.Right), std::max(r.Top, r.Bottom))
                                     .ToQRect()));
    }
    void SelectClipRegion(const QRegion& rgn);
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    void ClearClip();

    // The platform locks a canvas across threads; here all painting is on
    // the GUI thread, so these only count.
    void Lock() { ++FLockCount; }
    void Unlock() { if (FLockCount > 0) --FLockCount; }
    int LockCount() const { return FLockCount; }
    void Refresh() {}
    // Dots per inch of the surface drawn on: 96 for the screen and images.
    int PixelsPerInch() const { return FBackend->PixelsPerInch(const_cast<TCanvas&>(*this)); }

    // ---- mapping mode (GraphicsMapping.cpp) ----
    // In MM_LOMETRIC every coordinate and length given to the canvas, and
    // every measurement it answers (TextWidth, TextExtent, DrawText with
    // DT_CALCRECT, ClipRect), is in tenths of a millimetre with y upward;
    // font and pen sizes too. The canvas converts to device pixels by the
    // surface's resolution, so text stays upright. The viewport origin is
    // the device pixel where logical (0, 0) lies. MM_TEXT with the origin at
    // (0, 0) is the plain pixel canvas.
    int MapMode() const { return FMapMode; }
    // Answers the previous mode; unknown modes are refused (answer 0).
    int SetMapMode(int mode);
    TPoint ViewportOrg() const { return FViewportOrg; }
    void SetViewportOrg(TPoint p) { FViewportOrg = p; MappingChanged(); }
    TPoint LPtoDP(TPoint p) const;
    TPoint DPtoLP(TPoint p) const;
    // Corner by corner, as the platform converts rectangles (not reordered).
    TRect LPtoDP(const TRect& r) const;
    TRect DPtoLP(const TRect& r) const;
    // LOGPIXELSX/Y: PixelsPerInch; HORZRES/VERTRES: the surface in pixels.
    int GetDeviceCaps(int index) const;
    // The font as drawn on the device (its height taken to device pixels).
    const QFont& DeviceFont() const;
    // The pen's width on the device, at least one pixel.
    int DevicePenWidth() const;
    // A logical rectangle or point in the units the back-end wants.
    TRect BackendRect(const TRect& r) const;
    TPoint BackendPoint(TPoint p) const;
    // Draws an image into a logical rectangle (src in the image's pixels).
    void DrawImage(const TRect& dest, const QImage& img, const TRect& src);

    // Text layout used by DrawText (also for measuring without drawing).
    TTextLayout LayoutText(const QString& text, const TRect& r, unsigned flags) const;
    // The text background for output now: true when text cells are filled.
    bool OpaqueText() const;
    // Texts this canvas has measured and drawn, kept for the next paint.
    TTextRuns& TextRuns() const;

private:
    void BrushChanged();
    QRegion CurrentClip() const;
    bool Mapped() const { return FMapped; }
    void MappingChanged();
    // Device pixels of a logical length (positive) and back.
    int DeviceLen(int v) const;
    int LogicalLen(int v) const;
    // A logical rectangle as a device rectangle with top <= bottom.
    TRect DeviceRectOf(const TRect& r) const;
    QRegion DeviceRegion(const QRegion& logical) const;
    std::vector<TPoint> BackendPoints(const std::vector<TPoint>& pts) const;

    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<TCanvasBackend> FBackend;
    bool FBound = false;
    TPoint FPenPos;
    std::optional<QRegion> FClip;
    int FBkMode = OPAQUE;
    int FLockCount = 0;
    mutable std::unique_ptr<TTextRuns> FTextRuns;
    int FMapMode = MM_TEXT;
    TPoint FViewportOrg;
    bool FMapped = false;
    mutable std::optional<QFont> FDeviceFont;
    mutable int FDeviceFontDpi = 0;
};

// Gives a canvas back the clip it had when the keeper was made, whatever the
// scope narrowed in between (also when the scope ends by an exception).
class TCanvasClipKeeper {
public:
    explicit TCanvasClipKeeper(TCanvas* Canvas) : FCanvas(Canvas), FSaved(Canvas->ClipRegion()) {}
    ~TCanvasClipKeeper()
    {
        if (FSaved) FCanvas->SelectClipRegion(*FSaved);
        else FCanvas->ClearClip();
    }
    TCanvasClipKeeper(const TCanvasClipKeeper&) = delete;
    TCanvasClipKeeper& operator=(const TCanvasClipKeeper&) = delete;
    const std::optional<QRegion>& Saved() const { return FSaved; }

private:
    TCanvas* FCanvas;
    std::optional<QRegion> FSaved;
};

// Gives a canvas back the font it had when the keeper was made (also when
// the scope ends by an exception).
class TCanvasFontKeeper {
public:
    explicit TCanvasFontKeeper(TCanvas* Canvas) : FCanvas(Canvas) { FSaved.Assign(Canvas->Font()); }
    ~TCanvasFontKeeper() { FCanvas->Font()->Assign(&FSaved); }
    TCanvasFontKeeper(const TCanvasFontKeeper&) = delete;
    TCanvasFontKeeper& operator=(const TCanvasFontKeeper&) = delete;

private:
    TCanvas* FCanvas;
    TFont FSaved;
};

// The platform's spelling of the mapping calls.
inline int SetMapMode(TCanvas* c, int mode) { return c->SetMapMode(mode); }
inline int GetMapMode(TCanvas* c) { return c->MapMode(); }
inline int GetDeviceCaps(TCanvas* c, int index) { return c->GetDeviceCaps(index); }
inline void LPtoDP(TCanvas* c, TPoint* pts, int count)
{
    for (int i = 0; i < count; ++i) pts[i] = c->LPtoDP(pts[i]);
}
inline void DPtoLP(TCanvas* c, TPoint* pts, int count)
{
    for (int i = 0; i < count; ++i) pts[i] = c->DPtoLP(pts[i]);
}

// DrawText in the platform's spelling: DrawText(canvas, text, rect, flags).
inline int DrawText(TCanvas* c, const QString& text, TRect& r, unsigned flags)
{
    return c->DrawText(text, r, flags);
}
inline int SetBkMode(TCanvas* c, int mode) { return c->SetBkMode(mode); }

// ---------------------------------------------------------------------------
// Graphics (pictures that can draw themselves on a canvas)

class TGraphic : public TPersistent {
public:
    DECLARE_CLASSNAME(TGraphic)
    TNotifyEvent OnChange;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int v) = 0;
    virtual void SetHeight(int v) = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool v);
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }

    // Draws the graphic into r (stretched to it).
    virtual void Draw(TCanvas* c, const TRect& r);
    // The pixels as an image (32-bit with alpha where the graphic has any;
    // the transparent colour already knocked out when Transparent).
    virtual QImage ToImage() const = 0;

    virtual void LoadFromFile(const QString& fileName);
    virtual void SaveToFile(const QString& fileName);
    // The graphic's own file format as bytes.
    virtual void LoadFromBytes(const QByteArray& data) = 0;
    virtual QByteArray SaveToBytes() const = 0;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};

// ---------------------------------------------------------------------------
// Bitmaps and the picture formats

// The largest picture any format is decoded to. A file of a few bytes can
// claim a picture that would take all the memory, so every format checks the
// size its header claims against this before the pixels are allocated.
// 16 Mi pixels (a 4096 x 4096 picture, a 16-megapixel photo) is far more
// than any cell, glyph or flag needs, and keeps a decode within 128 MB even
// at 8 bytes a pixel.
inline constexpr int MaxPictureSide = 16384;
inline constexpr qint64 MaxPicturePixels = qint64(4096) * 4096;
constexpr bool PictureSizeAllowed(qint64 width, qint64 height)
{
    return width <= MaxPictureSide && height <= MaxPictureSide && width * height <= MaxPicturePixels;
}
// The error text for a picture beyond that size.
QString PictureTooLargeText(qint64 width, qint64 height);

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// A bitmap in memory. Its pixels are 24-bit (3 bytes per pixel, blue, green,
// red) or 32-bit (4 bytes, blue, green, red, alpha), as ScanLine shows them;
// other pixel formats are kept as 32-bit. A new or grown area is white.
class TBitmap : public TGraphic {
public:
    DECLARE_CLASSNAME(TBitmap)
    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;

    bool Empty() const override;
    // The size is kept apart from the image: a bitmap whose width is set
    // before its height has no pixels yet but must remember the width.
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetWidth(int v) override { SetSize(v, Height()); }
    void SetHeight(int v) override { SetSize(Width(), v); }
    void SetSize(int w, int h);
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat v);

    // The canvas drawing on the pixels.
    TCanvas* Canvas();
    // The bytes of one row; raises EInvalidGraphicOperation outside the bitmap.
    uint8_t* ScanLine(int row);

    // The colour drawn as see-through when Transparent: the bottom-left pixel
    // (tmAuto) or the one set (tmFixed). Setting clDefault returns to tmAuto.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor v);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode v);

    void Assign(TPersistent* Source) override;
    QImage ToImage() const override;
    // The pixels as they are (no transparency applied).
    const QImage& Image() const;
    void SetImage(const QImage& img);

    // BMP; the other picture formats are read as well.
    void LoadFromBytes(const QByteArray& data) override;
    QByteArray SaveToBytes() const override;
    // Loads the named image resource (see Resources.h); EResNotFound when missing.
    void LoadFromResourceName(const QString& name);

private:
    void FlushCanvas() const;
    void Adopt(QImage img);

    QImage FImage;
    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
    std::unique_ptr<TCanvas> FCanvas;
};

// Graphics that keep a decoded image and their file bytes.
class TImageGraphic : public TGraphic {
public:
    bool Empty() const override { return FImage.isNull(); }
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    // The size of a decoded picture is its file's; these do nothing.
    void SetWidth(int) override {}
    void SetHeight(int) override {}
    QImage ToImage() const override { return FImage; }
    void Assign(TPersistent* Source) override;
    void LoadFromBytes(const QByteArray& data) override;
    QByteArray SaveToBytes() const override;

protected:
    // Decodes the file bytes; raises EInvalidGraphic when they are not valid.
    virtual QImage Decode(const QByteArray& data) const = 0;
    // Encodes the image (when it did not come from file bytes).
    virtual QByteArray Encode(const QImage& img) const = 0;
    void SetDecoded(const QImage& img, const QByteArray& data);

    QImage FImage;
    QByteArray FData;  // the file bytes, empty when the image was assigned
};

// JPEG through libjpeg.
class TJPEGImage : public TImageGraphic {
public:
    DECLARE_CLASSNAME(TJPEGImage)
    // 1..100; used when the image is written.
    int CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(int v);
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool v);

protected:
    QImage Decode(const QByteArray& data) const override;
    QByteArray Encode(const QImage& img) const override;

private:
    int FQuality = 90;
    bool FGrayscale = false;
};

class TPngImage : public TImageGraphic {
public:
    DECLARE_CLASSNAME(TPngImage)
protected:
    QImage Decode(const QByteArray& data) const override;
    QByteArray Encode(const QImage& img) const override;
};

// GIF: the first frame is shown; written back only as the bytes it was read from.
class TGIFImage : public TImageGraphic {
public:
    DECLARE_CLASSNAME(TGIFImage)
protected:
    QImage Decode(const QByteArray& data) const override;
    QByteArray Encode(const QImage& img) const override;
};

class TIcon : public TImageGraphic {
public:
    DECLARE_CLASSNAME(TIcon)
protected:
    QImage Decode(const QByteArray& data) const override;
    QByteArray Encode(const QImage& img) const override;
};

// Holds one graphic of any of the formats above.
class TPicture : public TPersistent {
public:
    DECLARE_CLASSNAME(TPicture)
    TPicture();
    ~TPicture() override;
    TNotifyEvent OnChange;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Keeps a copy of g (none: empty).
    void SetGraphic(TGraphic* g);
    // The graphic as a bitmap; a graphic of another kind is replaced by an
    // empty bitmap, as on the platform.
    TBitmap* Bitmap();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // The format follows the file's extension (.bmp, .png, .gif, .jpg/.jpeg, .ico).
    void LoadFromFile(const QString& fileName);
    void SaveToFile(const QString& fileName);
    // The format follows the bytes' signature.
    void LoadFromBytes(const QByteArray& data);
    void Assign(TPersistent* Source) override;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    void Changed();
    void Take(std::unique_ptr<TGraphic> g);
    std::unique_ptr<TGraphic> FGraphic;
};

// A new graphic of the kind the bytes' signature shows, loaded from them;
// raises EInvalidGraphic for bytes of no known kind.
std::unique_ptr<TGraphic> LoadGraphic(const QByteArray& data);
