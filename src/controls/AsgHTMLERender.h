#pragma once
// Internal to the markup renderer: the state of one DrawHTMLText call, shared
// by the text layout (AsgHTMLE.cpp) and the images, backgrounds and form
// controls inside a line (AsgHTMLEObjects.cpp).

#include "AsgHTMLE.h"

#include <memory>

class THTMLPicture;

// What one pass over a line reports.
struct THTMLLine {
    QString Markup;      // the markup consumed by the line
    int Width = 0;       // width so far
    int Height = 0;      // line height
    int SubRoom = 0;
    int SupRoom = 0;
    int ImgAlign = 0;    // image alignment offset lifting the text
    int BlankWidth = 0;  // trailing blank, taken back at the end
    bool EndsBlank = false;  // the last run taken ends with a blank
    bool DropRest = false;
    bool Hit = false;    // an image in an anchor or a control under the point
    bool RunHit = false; // an anchor's text run under the point (measuring)
};

// The geometry of the line a pass works on.
struct THTMLLineGeometry {
    TRect Rect;          // line rectangle (working rectangle in the first pass)
    int TextBottom = 0;  // bottom the text stands on
    bool Drawing = false;
    bool FirstPass = false;
};

class THTMLRenderer {
public:
    THTMLRenderer(TCanvas* canvas, const TRect& rect, const THTMLDrawArgs& args,
                  THTMLDrawResult& result);
    ~THTMLRenderer();
    bool Run(const QString& text);

private:
    // Layout (AsgHTMLE.cpp).
    TSize Extent(const QString& s);
    int GhHeight() { return Extent(QStringLiteral("gh")).cy; }
    void RenderLine(QString& s, const THTMLLineGeometry& g, THTMLLine& line);
    // One tag at the front of s; false when the line ends before it. Sets
    // lineEnds when the tag ended the line after being consumed.
    bool HandleTag(const QString& tag, const THTMLLineGeometry& g, THTMLLine& line, bool& lineEnds);
    void HandleRun(QString& s, const THTMLLineGeometry& g, THTMLLine& line, bool firstRun,
                   bool& lineEnds);
    void OpenAnchor(const QString& tag, const QString& upper, const THTMLLineGeometry& g,
                    const THTMLLine& line);
    void CloseAnchor(const THTMLLineGeometry& g, const THTMLLine& line);
    void CloseFocusRect(const THTMLLineGeometry& g, const THTMLLine& line);
    void FontTag(const QString& upper, const THTMLLineGeometry& g);
    void ParagraphTag(const QString& upper, const THTMLLineGeometry& g);
    void SetBrushColor(TColor c);
    TColor BrushColorNow() const;
    int LineLeft(const THTMLLineGeometry& g) const { return g.Rect.Left; }
    int HitOffsetX(const THTMLLineGeometry& g) const;

    // Objects (AsgHTMLEObjects.cpp).
    bool ImageTag(const QString& tag, const QString& upper, const THTMLLineGeometry& g,
                  THTMLLine& line);
    bool ControlTag(const QString& tag, const THTMLLineGeometry& g, THTMLLine& line);
    void BodyBackground(const QString& tag, const QString& upper);
    THTMLPicture* LookUpPicture(const QString& src);
    void DrawControl(const TControlTag& ct, int x, int b, int w, int h, int l, int buttonH);
    // True when the room rule ends the first pass's line before an object of width w.
    bool ObjectEndsLine(const THTMLLineGeometry& g, const THTMLLine& line, int w) const;
    void ObjectHit(const THTMLLineGeometry& g, THTMLLine& line, int w, int h);

    TCanvas* C;
    TRect FRect;
    const THTMLDrawArgs& A;
    THTMLDrawResult& R;
    TCanvasTextMeasurer FCanvasMeasurer;
    IHTMLTextMeasurer* FMeasurer;
    unsigned FFlags = 0;
    bool FRightToLeft = false;
    bool FThemed = false;

    std::unique_ptr<TFont> FDefFont;
    TColor FEntryBrush = clNone;
    // The R tags of the measuring and of the drawing passes, each carried
    // from line to line with its pass's font.
    TRotatedFontStack FRotatedMeasure;
    TRotatedFontStack FRotatedDraw;

    // Render state.
    bool FInAnchor = false;
    bool FHidden = false;
    bool FSup = false;
    bool FSub = false;
    bool FShadow = false;
    bool FError = false;
    bool FParaBackground = false;
    TColor FCurrentBg = clNone;
    TColor FParaPrevBrush = clNone;
    TColor FHiPrevText = clNone;
    TColor FHiPrevBrush = clNone;
    TColor FHoverPrevBrush = clNone;
    TColor FHoverPrevText = clNone;
    bool FHoverBgApplied = false;
    bool FHoverTextApplied = false;
    int FAnchorCounter = 0;
    int FListLevel = 0;
    int FImageCounter = 0;
    int FImageUnderPoint = -1;
    QString FAnchorValue;
    QString FAnchorTitle;
    int FAnchorStartW = 0;
    bool FAnchorStartedInLine = false;
    bool FHoverPending = false;
    bool FFocusOpen = false;
    TRect FFocusRect;
    int FAlign = 0;   // 0 left, 1 right, 2 centre
    int FIndent = 0;
    bool FLiInLine = false;
    int FPenX = 0;
};

// Pixel values from markup stay within 0..32767.
inline int MarkupPixels(int v) { return v < 0 ? 0 : (v > 32767 ? 32767 : v); }
