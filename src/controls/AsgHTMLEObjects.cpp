// Images, page backgrounds and drawn form controls inside a line of markup.

#include "AsgHTMLERender.h"

#include "AdvXPVS.h"
#include "GraphUtils.h"
#include "ImgList.h"
#include "PictureContainer.h"
#include "ShellIcons.h"
#include "SysFormat.h"

#include <QFileInfo>
#include <algorithm>

namespace {

// A visual-style part of the theme layer, opened for the window and closed after.
void DrawThemePart(TCanvas* c, TWinControl* window, const char* cls, int part, int state,
                   const TRect& r)
{
    TThemeEntries& theme = AdvXPVS::Theme;
    if (!theme.OpenThemeData || !theme.DrawThemeBackground) return;
    const HTHEME h = theme.OpenThemeData(window, QLatin1StringView(cls));
    if (!h) return;
    theme.DrawThemeBackground(h, c, part, state, r, nullptr);
    if (theme.CloseThemeData) theme.CloseThemeData(h);
}

int ScaleFrom96(int v, int dpi) { return MulDiv(v, dpi, ScreenPixelsPerInch); }

}  // namespace

// ---------------------------------------------------------------------------
// Routines of the unit

void DrawShellIcon(TCanvas* c, int x, int y, int& size, double scale, bool printing, bool draw,
                   bool large, const QString& name)
{
    size = 0;
    bool isNumber = false;
    name.toInt(&isNumber);
    // A system image-list index has no counterpart here: nothing, no room.
    if (isNumber || name.isEmpty()) return;
    size = large ? LargeShellIconSize : SmallShellIconSize;
    if (!draw || !c) return;
    const QImage img = ShellIconImage(name, large);
    if (img.isNull()) return;  // no icon (headless desktop): the room stays
    const int w = printing ? int(Round(size * scale)) : size;
    c->Backend()->DrawImage(*c, Bounds(x, y, w, w), img, TRect(0, 0, img.width(), img.height()));
}

void DrawBitmapStretched(TCanvas* c, const TRect& r, TBitmap* bitmap)
{
    if (c && bitmap) c->StretchDraw(r, bitmap);
}

bool IsDirectoryPath(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// ---------------------------------------------------------------------------
// Pictures

THTMLPicture* THTMLRenderer::LookUpPicture(const QString& src)
{
    if (src.isEmpty()) return nullptr;
    if (!src.contains(u':') && A.PictureContainer) return A.PictureContainer->FindPicture(src);
    if (src.contains(QStringLiteral("://")) && A.PictureCache) {
        THTMLPicture* pic = A.PictureCache->FindPicture(src);
        if (!pic) {
            pic = A.PictureCache->AddPicture();
            pic->SetAsynch(false);
            try {
                pic->LoadFromURL(src);
            } catch (...) {
                // A picture that cannot be loaded counts as empty.
            }
            if (pic->ID().isEmpty()) pic->SetID(src);
        }
        return pic;
    }
    return nullptr;
}

bool THTMLRenderer::ObjectEndsLine(const THTMLLineGeometry& g, const THTMLLine& line, int w) const
{
    const int lineWidth = g.Rect.Width();
    return g.FirstPass && !g.Drawing && lineWidth < line.Width + w && w < lineWidth;
}

bool THTMLRenderer::ImageTag(const QString& tag, const QString& upper, const THTMLLineGeometry& g,
                             THTMLLine& line)
{
    ++FImageCounter;
    // Source values keep their case (paths and file names on Linux do).
    QString src = TagAttribute(tag, upper, QStringLiteral("SRC"));
    const QString alt = TagAttribute(tag, upper, QStringLiteral("ALT"));
    if (!alt.isEmpty() && FImageCounter == FImageUnderPoint) src = alt;
    const int wantW = MarkupPixels(LeadingInt(TagAttribute(tag, upper, QStringLiteral("WIDTH"))));
    const int wantH = MarkupPixels(LeadingInt(TagAttribute(tag, upper, QStringLiteral("HEIGHT"))));
    const QString usrc = UpCaseAscii(src);
    const int dpiX = C->PixelsPerInch(), dpiY = C->PixelsPerInch();
    const int top = g.Rect.Top;
    int w = 0, h = 0;
    // What to draw once the room is settled.
    int listIndex = -1, shellSize = 0;
    THTMLPicture* pic = nullptr;
    int shownW = 0, shownH = 0;

    if (usrc.startsWith(QStringLiteral("IDX:")) && A.ImageList) {
        const int n = LeadingInt(src.mid(4));
        if (n >= 0 && n < A.ImageList->Count()) {
            listIndex = n;
            w = ScaleFrom96(A.ImageList->Width(), dpiX);
            h = ScaleFrom96(A.ImageList->Height(), dpiY);
        }
    }
    const bool large = usrc.startsWith(QStringLiteral("LSYS:"));
    if (large || usrc.startsWith(QStringLiteral("SSYS:"))) {
        DrawShellIcon(C, FPenX, top, shellSize, A.Scale, A.Printing, false, large, src.mid(5));
        if (shellSize > 0) {
            w = ScaleFrom96(shellSize, dpiX);
            h = ScaleFrom96(shellSize, dpiY);
        }
    }
    pic = LookUpPicture(src);
    // A picture whose bytes did not decode has no size: it counts as missing.
    if (pic && !pic->Empty() && pic->Width() > 0 && pic->Height() > 0) {
        const int pw = pic->Width(), ph = pic->Height();
        if (wantW > 0 && wantH > 0) {
            shownW = wantW;
            shownH = wantH;
        } else if (wantW > 0) {
            shownW = wantW;
            shownH = pw > 0 ? int(Round(double(wantW) * ph / pw)) : 0;
        } else if (wantH > 0) {
            shownH = wantH;
            shownW = ph > 0 ? int(Round(double(wantH) * pw / ph)) : 0;
        } else {
            shownW = pw;
            shownH = ph;
        }
        if (wantW > 0 || wantH > 0) {
            w = ScaleFrom96(shownW, dpiX);
            h = ScaleFrom96(shownH, dpiY);
        } else {
            pic->FrameCount();  // counted once, so that the animation can step
            w = ScaleFrom96(pic->MaxWidth(), dpiX);
            h = ScaleFrom96(pic->MaxHeight(), dpiY);
        }
    } else {
        pic = nullptr;
    }

    if (ObjectEndsLine(g, line, w)) {
        --FImageCounter;  // counted again on the next line
        return false;
    }

    const int x = FRightToLeft ? FPenX - w : FPenX;
    if (g.Drawing) {
        if (listIndex >= 0) {
            if (!A.Printing) {
                A.ImageList->Draw(C, x, top, listIndex, true);
            } else {
                TBitmap bmp;
                if (A.ImageList->GetBitmap(listIndex, &bmp))
                    DrawBitmapStretched(C, Bounds(x, top, int(Round(A.ImageList->Width() * A.Scale)),
                                                  int(Round(A.ImageList->Height() * A.Scale))),
                                        &bmp);
            }
        }
        if (shellSize > 0) DrawShellIcon(C, x, top, shellSize, A.Scale, A.Printing, true, large, src.mid(5));
        if (pic) {
            try {
                if (wantW > 0 || wantH > 0) {
                    pic->SetStretch(true);
                    C->StretchDraw(Bounds(x, top, shownW, shownH), pic);
                } else {
                    if (pic->FrameCount() > 1) {
                        const TColor old = BrushColorNow();
                        SetBrushColor(FEntryBrush);
                        if (FEntryBrush != clNone)
                            C->FillRect(Bounds(x, top, pic->MaxWidth(), pic->MaxHeight()));
                        SetBrushColor(old);
                    }
                    pic->SetStretch(false);
                    C->Draw(x + pic->FrameXPos(), top + pic->FrameYPos(), pic);
                }
            } catch (...) {
                // A picture that cannot be drawn is skipped.
            }
        }
    }

    if (FInAnchor && w > 0) {
        const int hx = HitOffsetX(g);
        if (hx > line.Width && hx < line.Width + w && A.HitPoint.Y > top && A.HitPoint.Y < top + h) {
            line.Hit = true;
            R.AnchorValue = FAnchorValue;
            R.AnchorTitle = FAnchorTitle;
            FImageUnderPoint = FImageCounter;
        }
    }
    if (w > 0) {
        line.Width += w;
        FPenX += FRightToLeft ? -w : w;
        line.Height = std::max(line.Height, h);
        line.EndsBlank = false;
        line.BlankWidth = 0;
    }
    if (upper.contains(QStringLiteral("ALIGN"))) {
        const int gh = GhHeight();
        if (upper.contains(QStringLiteral("\"TOP")))
            line.ImgAlign = line.Height - gh;
        else if (upper.contains(QStringLiteral("\"MIDDLE")))
            line.ImgAlign = (line.Height - gh) / 2;
    }
    return true;
}

void THTMLRenderer::BodyBackground(const QString& tag, const QString& upper)
{
    if (!upper.contains(QStringLiteral("BACKGROUND"))) return;
    THTMLPicture* pic = LookUpPicture(TagAttribute(tag, upper, QStringLiteral("BACKGROUND")));
    if (!pic || pic->Empty() || pic->Width() <= 0 || pic->Height() <= 0) return;
    const std::optional<QRegion> saved = C->ClipRegion();
    C->SelectClipRect(FRect);
    try {
        for (int y = FRect.Top; y < FRect.Bottom; y += pic->Height())
            for (int x = FRect.Left; x < FRect.Right; x += pic->Width()) C->Draw(x, y, pic);
    } catch (...) {
        // A picture that cannot be drawn is skipped.
    }
    if (saved)
        C->SelectClipRegion(*saved);
    else
        C->ClearClip();
}

// ---------------------------------------------------------------------------
// Form controls

bool THTMLRenderer::ControlTag(const QString& tag, const THTMLLineGeometry& g, THTMLLine& line)
{
    const TControlTag ct = ParseControlTag(tag.mid(9));
    // A WIDTH without leading digits counts as absent: the control is ignored.
    QString digits = ct.Width.trimmed();
    if (digits.startsWith(u'+') || digits.startsWith(u'-')) digits.remove(0, 1);
    if (digits.isEmpty() || !digits[0].isDigit()) return true;

    int w = MarkupPixels(LeadingInt(ct.Width));
    int h = 0, l = 23;
    int buttonH = 25;
    const QString& type = ct.Type;
    if (type == u"CHECK" || type == u"RADIO") {
        w = h = l = 16;
    } else if (type == u"COMBO" || type == u"BUTTON") {
        h = 25;
    } else {
        h = GhHeight() + 10;
    }
    if (type == u"BUTTON") {
        const int v = MarkupPixels(LeadingInt(ct.Height));
        if (v > 0) buttonH = v;
        if (buttonH > 25) l = buttonH - 2;
    }
    if (ObjectEndsLine(g, line, w)) return false;

    if (g.Drawing) DrawControl(ct, FRightToLeft ? FPenX - w : FPenX, g.TextBottom, w, h, l, buttonH);

    const int hx = HitOffsetX(g);
    const bool under = hx > line.Width && hx < line.Width + w && A.HitPoint.Y > g.Rect.Top &&
                       A.HitPoint.Y < g.Rect.Top + h;
    if (under || (A.LocatePass && !A.ControlID.isEmpty() && ct.ID == A.ControlID)) {
        line.Hit = true;
        R.AnchorValue = QStringLiteral("ctrl");
        FImageUnderPoint = FImageCounter;
        R.ControlRect = Bounds(FRightToLeft ? g.Rect.Right - line.Width - w : LineLeft(g) + line.Width,
                               g.Rect.Top, w, h);
        R.ControlValue = ct.Value;
        R.ControlID = ct.ID;
        R.ControlType = ct.Type;
    }
    line.Width += w;
    FPenX += FRightToLeft ? -w : w;
    line.Height = std::max(l, h);  // an assignment: it replaces a taller run's height
    line.EndsBlank = false;
    line.BlankWidth = 0;
    return true;
}

void THTMLRenderer::DrawControl(const TControlTag& ct, int x, int b, int w, int h, int l, int buttonH)
{
    const TColor penColor = C->Pen()->Color();
    const TColor brushColor = C->Brush()->Color();
    const TBrushStyle brushStyle = C->Brush()->Style();
    const TColor fontColor = C->Font()->Color();
    const QString& type = ct.Type;
    const TPoint p = A.HitPoint;
    const bool hot = p.X > x - 2 && p.X < x - 2 + w && p.Y > b - h - 2 && p.Y < b - 2;
    const bool checked = UpCaseAscii(ct.Value) == u"TRUE";
    auto field = [&](const TRect& frame) {
        C->Pen()->SetColor(FThemed ? TColor(0xB99D7F) : TColor(0x808080));
        C->Brush()->SetColor(clWhite);
        C->Rectangle(frame);
        C->Brush()->SetStyle(bsClear);
    };
    auto text = [&](const QString& s, TRect r, unsigned flags) {
        C->Font()->SetColor(clWindowText);
        // The value as stored: no prefix character.
        C->DrawText(s, r, flags | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    };
    if (type == u"EDIT" || type == u"PASSWORD" || type == u"MASK") {
        field(TRect(x, b - l + 4, x + w, b + 2));
        text(type == u"PASSWORD" ? PasswordMask(ct.Value) : ct.Value, TRect(x + 2, b - l + 4, x + w, b),
             DT_LEFT);
    } else if (type == u"COMBO") {
        field(TRect(x, b - l + 4, x + w, b + 2));
        text(ct.Value, TRect(x + 4, b - l + 4, x + w - 18, b), DT_LEFT);
        TRect btn(x + w - 18, b - l + 5, x + w - 1, b + 1);
        if (FThemed)
            DrawThemePart(C, A.Window, "combobox", CP_DROPDOWNBUTTON, hot ? CBXS_HOT : CBXS_NORMAL, btn);
        else
            DrawFrameControl(C, btn, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
    } else if (type == u"CHECK" || type == u"RADIO") {
        // Check boxes and radio buttons are never drawn hot.
        const bool radio = type == u"RADIO";
        TRect box(x + 2, b - (radio ? 14 : 15), x + (radio ? 14 : 15), b);
        if (FThemed)
            DrawThemePart(C, A.Window, "button", radio ? BP_RADIOBUTTON : BP_CHECKBOX,
                          checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, box);
        else
            DrawFrameControl(C, box, DFC_BUTTON,
                             (radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | DFCS_FLAT |
                                 (checked ? DFCS_CHECKED : 0));
    } else if (type == u"BUTTON") {
        TRect face(x + 2, b - buttonH, x + w - 2, b);
        if (FThemed)
            DrawThemePart(C, A.Window, "button", BP_PUSHBUTTON,
                          A.Pressed && hot ? PBS_PRESSED : hot ? PBS_HOT : PBS_NORMAL, face);
        else
            DrawFrameControl(C, face, DFC_BUTTON, DFCS_BUTTONPUSH | (hot && A.Pressed ? DFCS_PUSHED : 0));
        C->Brush()->SetStyle(bsClear);
        TRect caption(x + 4, b - buttonH + 2, x + w - 4, b - 2);
        text(ct.Value, caption, DT_CENTER);
    }
    C->Pen()->SetColor(penColor);
    C->Brush()->SetColor(brushColor);
    C->Brush()->SetStyle(brushStyle);
    C->Font()->SetColor(fontColor);
    C->SetBkMode(TRANSPARENT);
}
