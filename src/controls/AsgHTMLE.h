#pragma once
// The mini-markup renderer: lays a marked-up text out on a canvas inside a
// rectangle, measures it, draws it and answers which anchor or form control
// lies under a point. Every caller (grid cells, hints, drop-downs, printing)
// goes through DrawHTMLText with one argument and one result record.
//
// Markup comes from cell texts that users type and import: the renderer
// always ends, never fetches anything from the network, leaves the canvas
// as it found it and treats a picture it cannot load as missing.

#include "AsgHTMLEText.h"
#include "Graphics.h"
#include "Types.h"

#include <QString>

class TBitmap;
class TCustomImageList;
class THTMLPictureCache;
class TPictureContainer;
class TWinControl;

// Measures text for the renderer: the extent of a text in the canvas's
// current font with the renderer's text flags (prefix processing and
// expanded tabs included).
class IHTMLTextMeasurer {
public:
    virtual ~IHTMLTextMeasurer() = default;
    virtual TSize TextExtent(TCanvas* c, const QString& text, unsigned flags) = 0;
};

// The default: asks the canvas (DrawText with DT_CALCRECT).
class TCanvasTextMeasurer : public IHTMLTextMeasurer {
public:
    TSize TextExtent(TCanvas* c, const QString& text, unsigned flags) override;
};

struct THTMLDrawArgs {
    TCustomImageList* ImageList = nullptr;    // source of "IDX:" images
    TPoint HitPoint = TPoint(-1, -1);         // point to hit-test; -1 none
    int FocusedAnchor = -1;                   // 0-based; -1 none
    int HoverAnchor = 0;                      // 1-based
    int ShadowOffset = 1;
    bool LocatePass = false;                  // second pass measures; finds ControlID
    bool MeasureOnly = false;
    bool Printing = false;                    // image list and icons stretched by Scale
    bool FixedColors = false;                 // markup colours ignored
    bool BlinkVisible = true;
    bool HoverOnlyLinks = false;
    bool WordWrap = false;
    bool Pressed = false;                     // mouse button down over a control
    double Scale = 1.0;
    TColor LinkColor = clBlue;
    TColor HoverBackground = clNone;
    TColor HoverTextColor = clNone;
    TColor ShadowColor = clGray;
    QString ControlID;                        // the control the locate pass finds
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    TWinControl* Window = nullptr;            // theme data is opened for it (may be none)
    int BiDiMode = 0;                         // 0 left to right, 1 right to left, 2/3 RTL reading
    IHTMLTextMeasurer* Measurer = nullptr;    // none: the canvas measures
};

struct THTMLDrawResult {
    QString AnchorValue;    // HREF under the point, "ctrl" for a control; kept when nothing is hit
    QString VisibleText;    // the text runs of every pass, CR for each BR
    QString FocusedValue;   // HREF of the focused anchor
    QString AnchorTitle;
    int Width = 0;          // widest line
    int Height = 0;         // lines laid out
    int AnchorCount = 0;
    int HitAnchor = -1;     // 1-based anchor under the point
    TRect HoverRect;        // written only on an anchor hit
    TRect ControlRect;
    QString ControlID;
    QString ControlValue;
    QString ControlType;    // upper case
};

// Lays out, measures, draws and hit-tests one marked-up text. Measure
// (MeasureOnly), hit test (LocatePass) or draw (neither). Answers true when
// an image in an anchor, a form control or (hit test) an anchor's text lies
// under the point.
bool DrawHTMLText(TCanvas* canvas, const QString& text, const TRect& rect,
                  const THTMLDrawArgs& args, THTMLDrawResult& result);

// The unit-wide colours of the HI tag.
void SetHTMLHighlightColors(TColor background, TColor text);
TColor HTMLHighlightColor();
TColor HTMLHighlightTextColor();
// Reads the system version once (called by the first DrawHTMLText).
void DetectWinXP();

// A colour by its lower-case name with the "cl" prefix; black when unknown.
TColor HTMLColorByName(const QString& name);
// "#RRGGBB" (upper case hexadecimal) or a colour name.
TColor HTMLColorValue(const QString& value);

// Shell icon of a file or folder (or by name alone) at (x, y); size gets the
// icon's size (16 or 32, 0 for a name the platform has no icon for). With
// printing the icon is stretched by scale.
void DrawShellIcon(TCanvas* c, int x, int y, int& size, double scale, bool printing, bool draw,
                   bool large, const QString& name);
void DrawBitmapStretched(TCanvas* c, const TRect& r, TBitmap* bitmap);
bool IsDirectoryPath(const QString& path);
