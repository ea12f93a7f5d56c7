#include "AsgHTMLE.h"

#include "AdvStyleIF.h"
#include "AdvXPVS.h"
#include "AsgHTMLERender.h"
#include "OsProfile.h"

#include <algorithm>
#include <optional>

namespace {

TColor gHighlightBg = clHighlight;
TColor gHighlightText = clHighlightText;
std::optional<bool> gWinXP;

// The entity rounds before layout: matched without case, repeated while any
// replacement happened. "&amp;" becomes "&&" so that prefix processing
// draws one "&".
const struct {
    const char* Name;
    const char16_t* Text;
} kDrawEntities[] = {
    {"&AMP;", u"&&"},   {"&QUOT;", u"\""},     {"&SECT;", u"\u00A7"},
    {"&PERMIL;", u"\u2030"}, {"&REG;", u"\u00AE"}, {"&COPY;", u"\u00A9"},
    {"&PARA;", u"\u00B6"},   {"&TRADE;", u"\u2122"}, {"&EURO;", u"\u20AC"},
};

// The entity rounds on one stretch of text.
QString DrawEntityRounds(QString s)
{
    if (!s.contains(u'&')) return s;
    bool any = true;
    while (any) {
        any = false;
        for (const auto& e : kDrawEntities)
            any = ReplaceAllNoCase(QLatin1StringView(e.Name), QString::fromUtf16(e.Text), s) || any;
    }
    return s;
}

QString PrepareText(const QString& text)
{
    // CONTROL tags keep their entities: their values are stored encoded and
    // decoded when the tag is read; a decoded "&quot;" would end the value.
    QString s;
    const QString upper = UpCaseAscii(text);
    qsizetype from = 0;
    for (;;) {
        const qsizetype p = upper.indexOf(QStringLiteral("<CONTROL "), from);
        const qsizetype gt = p < 0 ? -1 : text.indexOf(u'>', p);
        if (gt < 0) break;
        s += DrawEntityRounds(text.mid(from, p - from));
        s += QStringView(text).mid(p, gt + 1 - p);
        from = gt + 1;
    }
    s += DrawEntityRounds(text.mid(from));
    return LineBreaksToBR(UnwrapHashTags(s), true);
}

QString RunEntities(QString run)
{
    if (!run.contains(u'&')) return run;
    run.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "), Qt::CaseInsensitive);
    run.replace(QStringLiteral("&lt;"), QStringLiteral("<"), Qt::CaseInsensitive);
    run.replace(QStringLiteral("&gt;"), QStringLiteral(">"), Qt::CaseInsensitive);
    return run;
}

int FontSizeFromTag(const QString& upper)
{
    const qsizetype p = upper.indexOf(QStringLiteral("SIZE"));
    const qsizetype eq = upper.indexOf(u'=', p);
    if (eq < 0) return 0;
    qsizetype from = eq + 1;
    const qsizetype q = upper.indexOf(u'"', eq);
    if (q >= 0) from = q + 1;
    const int v = LeadingInt(upper.mid(from));
    static const int kSizes[] = {8, 10, 12, 14, 16};
    if (v >= 1 && v <= 5) return kSizes[v - 1];
    return std::clamp(v, 1, 400);
}

}  // namespace

// ---------------------------------------------------------------------------
// Unit-wide state and colours

void SetHTMLHighlightColors(TColor background, TColor text)
{
    gHighlightBg = background;
    gHighlightText = text;
}

TColor HTMLHighlightColor() { return gHighlightBg; }
TColor HTMLHighlightTextColor() { return gHighlightText; }

void DetectWinXP()
{
    gWinXP = IsWinXPOrLater();
    AdvXPVS::InitThemeLibrary();
}

TColor HTMLColorByName(const QString& name)
{
    static const struct { const char* Name; TColor Value; } kBasic[] = {
        {"clred", 0x0000FF},     {"clblack", 0x000000}, {"clblue", 0xFF0000},
        {"clgreen", 0x008000},   {"claqua", 0xFFFF00},  {"clyellow", 0x00FFFF},
        {"clfuchsia", 0xFF00FF}, {"clwhite", 0xFFFFFF}, {"cllime", 0x00FF00},
        {"clsilver", 0xC0C0C0},  {"clgray", 0x808080},  {"clolive", 0x008080},
        {"clnavy", 0x800000},    {"clpurple", 0x800080}, {"clteal", 0x808000},
        {"clmaroon", 0x000080},
    };
    static const char* const kSystem[] = {
        "clbackground", "clactivecaption", "clinactivecaption", "clmenu", "clwindow",
        "clwindowframe", "clmenutext", "clwindowtext", "clcaptiontext", "clactiveborder",
        "clinactiveborder", "clappworkspace", "clhighlight", "clhighlighttext", "clbtnface",
        "clbtnshadow", "clgraytext", "clbtntext", "clinactivecaptiontext", "clbtnhighlight",
        "cl3ddkshadow", "cl3dlight", "clinfotext", "clinfobk",
    };
    for (const auto& b : kBasic)
        if (name == QLatin1StringView(b.Name)) return b.Value;
    for (int i = 0; i < int(std::size(kSystem)); ++i)
        if (name == QLatin1StringView(kSystem[i])) return TColor(0xFF000000u + unsigned(i + 1));
    return 0;
}

TColor HTMLColorValue(const QString& value)
{
    if (value.startsWith(u'#')) {
        const QString hex = UpCaseAscii(value);
        return RGBColor(HexPairValue(hex.mid(1)), HexPairValue(hex.mid(3)), HexPairValue(hex.mid(5)));
    }
    QString lower = value;
    for (QChar& c : lower)
        if (c >= u'A' && c <= u'Z') c = QChar(char16_t(c.unicode() + 32));
    return HTMLColorByName(lower);
}

TSize TCanvasTextMeasurer::TextExtent(TCanvas* c, const QString& text, unsigned flags)
{
    TRect r(0, 0, 100000, 100000);
    c->DrawText(text, r, (flags | DT_CALCRECT) & ~DT_END_ELLIPSIS);
    return TSize(r.Width(), r.Height());
}

// ---------------------------------------------------------------------------
// The renderer

THTMLRenderer::THTMLRenderer(TCanvas* canvas, const TRect& rect, const THTMLDrawArgs& args,
                             THTMLDrawResult& result)
    : C(canvas), FRect(rect), A(args), R(result),
      FMeasurer(args.Measurer ? args.Measurer : &FCanvasMeasurer)
{
}

THTMLRenderer::~THTMLRenderer() = default;

TSize THTMLRenderer::Extent(const QString& s) { return FMeasurer->TextExtent(C, s, FFlags); }

TColor THTMLRenderer::BrushColorNow() const
{
    return C->Brush()->Style() == bsClear ? clNone : C->Brush()->Color();
}

void THTMLRenderer::SetBrushColor(TColor c)
{
    if (c == clNone) {
        C->Brush()->SetStyle(bsClear);
    } else {
        C->Brush()->SetColor(c);
    }
}

int THTMLRenderer::HitOffsetX(const THTMLLineGeometry& g) const
{
    return FRightToLeft ? g.Rect.Right - A.HitPoint.X : A.HitPoint.X - g.Rect.Left;
}

bool THTMLRenderer::Run(const QString& text)
{
    // Canvas state to give back.
    const TColor penColor = C->Pen()->Color();
    const int penWidth = C->Pen()->Width();
    const TColor brushColor = C->Brush()->Color();
    const TBrushStyle brushStyle = C->Brush()->Style();
    FDefFont = std::make_unique<TFont>();
    FDefFont->Assign(C->Font());
    TFont measureFont, drawFont;
    measureFont.Assign(C->Font());
    drawFont.Assign(C->Font());
    FEntryBrush = BrushColorNow();
    SetBrushColor(clNone);
    C->SetBkMode(TRANSPARENT);

    if (!gWinXP) DetectWinXP();
    const TThemeEntries& theme = AdvXPVS::Theme;
    FThemed = *gWinXP && theme.IsThemeActive && theme.IsThemeActive();

    R.VisibleText.clear();
    R.FocusedValue.clear();
    R.AnchorTitle.clear();
    R.Width = 0;
    R.Height = 0;
    R.AnchorCount = 0;
    R.HitAnchor = -1;
    R.ControlRect = TRect();
    R.ControlID = A.LocatePass ? A.ControlID : QString();
    R.ControlValue.clear();
    R.ControlType.clear();

    TRect r = FRect;
    r.Left += 1;

    FFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
    if (!A.WordWrap) FFlags |= DT_END_ELLIPSIS;
    FRightToLeft = GetOsProfile().RightToLeftLocale && A.BiDiMode != 0;
    if (GetOsProfile().RightToLeftLocale) FFlags = BiDiTextFlags(FFlags, A.BiDiMode);

    QString s = PrepareText(text);
    bool hit = false;
    while (!s.isEmpty()) {
        const qsizetype before = s.size();
        C->Font()->Assign(&measureFont);
        const int gh = GhHeight();

        // First pass: measure one line of the remaining text. The anchor
        // state and the counters are put back so that the second pass of
        // the line starts from the same state.
        const bool inAnchor = FInAnchor;
        const QString anchorValue = FAnchorValue, anchorTitle = FAnchorTitle;
        const int anchorCounter = FAnchorCounter, imageCounter = FImageCounter;
        const int listLevel = FListLevel;
        const bool focusOpen = FFocusOpen, hoverPending = FHoverPending;
        THTMLLine line;
        line.Height = gh;
        THTMLLineGeometry g1{r, r.Bottom, false, true};
        RenderLine(s, g1, line);
        measureFont.Assign(C->Font());

        TRect dr = r;
        if (FAlign == 1 && r.Right - line.Width > r.Left) dr.Left = r.Right - line.Width;
        if (FAlign == 2 && r.Width() - line.Width > 0) dr.Left += (r.Width() - line.Width) / 2;
        dr.Left += FIndent;
        dr.Bottom = dr.Top + line.Height + line.SubRoom + line.SupRoom;

        if (!A.MeasureOnly) {
            FInAnchor = inAnchor;
            FAnchorValue = anchorValue;
            FAnchorTitle = anchorTitle;
            FAnchorCounter = anchorCounter;
            FImageCounter = imageCounter;
            FListLevel = listLevel;
            FFocusOpen = focusOpen;
            FHoverPending = hoverPending;
            C->Font()->Assign(&drawFont);
            QString markup = line.Markup;
            THTMLLine second = line;
            second.Markup.clear();
            second.Width = 0;
            second.Hit = second.RunHit = false;
            THTMLLineGeometry g2{dr, dr.Bottom - line.SubRoom, !A.LocatePass, false};
            RenderLine(markup, g2, second);
            drawFont.Assign(C->Font());
            const int bottom = dr.Bottom - line.ImgAlign;
            if (second.Hit ||
                (A.LocatePass && second.RunHit && A.HitPoint.Y > bottom - gh && A.HitPoint.Y < bottom))
                hit = true;
        }

        const int advance = line.Height + line.SubRoom + line.SupRoom;
        r.Top += advance;
        R.Height += advance;
        if (line.DropRest) s.clear();
        if (!A.MeasureOnly && r.Top + gh > FRect.Bottom) s.clear();
        // Every line consumes text; should a slip ever break that, stop
        // rather than paint for ever.
        if (s.size() >= before) break;
    }
    if (R.Height == 0) R.Height = GhHeight();
    R.AnchorCount = FAnchorCounter;

    C->Pen()->SetColor(penColor);
    C->Pen()->SetWidth(penWidth);
    C->Brush()->SetColor(brushColor);
    C->Brush()->SetStyle(brushStyle);
    C->SetBkMode(TRANSPARENT);
    C->Font()->Assign(FDefFont.get());
    return hit && !A.MeasureOnly;
}

void THTMLRenderer::RenderLine(QString& s, const THTMLLineGeometry& g, THTMLLine& line)
{
    FSup = FSub = false;
    FLiInLine = false;
    FAnchorStartedInLine = false;
    FPenX = FRightToLeft ? g.Rect.Right : g.Rect.Left;
    if (g.Drawing && FFocusOpen) {
        FFocusRect.Left = FPenX;
        FFocusRect.Top = g.Rect.Top;
    }
    if (FParaBackground && g.Drawing) {
        C->Pen()->SetColor(C->Brush()->Color());
        C->FillRect(TRect(FRect.Left, g.Rect.Top, FRect.Right, g.Rect.Top + GhHeight()));
    }
    bool lineEnds = false;
    bool firstRun = true;
    while (!s.isEmpty() && !lineEnds) {
        if (s[0] != u'<') {
            HandleRun(s, g, line, firstRun, lineEnds);
            firstRun = false;
            continue;
        }
        if (s.size() <= 2) {  // a lone "<" (and one more character) at the very end
            s.clear();
            break;
        }
        const qsizetype gt = s.indexOf(u'>');
        if (gt < 0) {  // a tag that never closes: the rest is dropped
            s.clear();
            break;
        }
        const QString tag = s.left(gt + 1);
        if (!HandleTag(tag, g, line, lineEnds)) break;  // stays for the next line
        line.Markup += tag;
        s.remove(0, gt + 1);
    }
    if (line.BlankWidth > 0) line.Width -= line.BlankWidth;
    R.Width = std::max(R.Width, line.Width);
    if (FFocusOpen && g.Drawing) {
        CloseFocusRect(g, line);
        FFocusOpen = true;  // restarted at the next line's left
    }
}

void THTMLRenderer::HandleRun(QString& s, const THTMLLineGeometry& g, THTMLLine& line,
                              bool firstRun, bool& lineEnds)
{
    const qsizetype lt = s.indexOf(u'<');
    qsizetype end = lt < 0 ? s.size() : lt;
    if (A.WordWrap) {
        const qsizetype sp = s.indexOf(u' ');
        if (sp >= 0 && sp < end) end = sp + 1;
    }
    const QString raw = s.left(end);
    const QString run = RunEntities(raw);

    const TSize ext = Extent(run);
    line.Height = std::max(line.Height, ext.cy);
    if (FSub) line.SubRoom = std::max(line.SubRoom, ext.cy / 4);
    if (FSup) line.SupRoom = std::max(line.SupRoom, ext.cy / 4);
    R.VisibleText += run;
    if (FHidden) {
        line.Markup += raw;
        s.remove(0, end);
        return;
    }

    const int before = line.Width;
    line.Width += ext.cx;
    if (!g.Drawing) {
        if (g.FirstPass) {
            const int lineWidth = g.Rect.Width();
            const bool fits = line.Width < lineWidth || ext.cx >= lineWidth;
            if (A.WordWrap) {
                const bool glued = !line.EndsBlank;  // a word never leaves the text glued to it
                if (!fits && !glued) {
                    line.Width = before;
                    lineEnds = true;
                    return;
                }
            } else if (!fits && !firstRun) {
                line.DropRest = true;  // nothing after an overflowing run is laid out
                lineEnds = true;
            }
        }
        if (FInAnchor) {
            const int x = HitOffsetX(g);
            if (x >= before && x < line.Width) {
                line.RunHit = true;
                if (A.HitPoint.Y > g.Rect.Top) {
                    R.AnchorValue = FAnchorValue;
                    R.AnchorTitle = FAnchorTitle;
                    // The hover rectangle comes from the last measuring pass
                    // of the line, which knows the line's final geometry.
                    FHoverPending = !g.FirstPass || A.MeasureOnly;
                }
            }
        }
    } else {
        TRect rr = FRightToLeft ? TRect(g.Rect.Left, g.Rect.Top, FPenX, g.TextBottom)
                                : TRect(FPenX, g.Rect.Top, g.Rect.Right, g.TextBottom);
        const int lift = (FSup ? line.SupRoom : 0) - (FSub ? line.SubRoom : 0) + line.ImgAlign;
        rr.Offset(0, -lift);
        if (FShadow) {
            const TColor old = C->Font()->Color();
            C->Font()->SetColor(A.ShadowColor);
            TRect sr = rr;
            sr.Offset(A.ShadowOffset, A.ShadowOffset);
            C->DrawText(run, sr, FFlags);
            C->Font()->SetColor(old);
        }
        TRect dr = rr;
        C->DrawText(run, dr, FFlags);
        const int startX = FPenX;
        FPenX += FRightToLeft ? -ext.cx : ext.cx;
        if (FError) {
            const TColor oldPen = C->Pen()->Color();
            const int oldWidth = C->Pen()->Width();
            C->Pen()->SetColor(clRed);
            C->Pen()->SetWidth(1);
            const int from = std::min(startX, FPenX), to = std::max(startX, FPenX);
            const int y = rr.Bottom;
            std::vector<TPoint> pts;
            for (int x = (from / 2) * 2;; x += 2) {
                pts.emplace_back(x, x % 4 == 0 ? y + 1 : y - 1);
                if (x >= to) break;
            }
            C->Polyline(pts);
            C->Pen()->SetColor(oldPen);
            C->Pen()->SetWidth(oldWidth);
        }
        if (FFocusOpen && FInAnchor) R.FocusedValue = FAnchorValue;
    }
    line.EndsBlank = run.endsWith(u' ');
    line.BlankWidth = line.EndsBlank ? Extent(QStringLiteral(" ")).cx : 0;
    line.Markup += raw;
    s.remove(0, end);
}

bool THTMLRenderer::HandleTag(const QString& tag, const THTMLLineGeometry& g, THTMLLine& line,
                              bool& lineEnds)
{
    const QString upper = UpCaseAscii(tag);
    TFont* f = C->Font();
    auto setStyle = [f](TFontStyle st, bool on) {
        TFontStyles s = f->Style();
        if (on) s += st; else s -= st;
        f->SetStyle(s);
    };
    const bool closing = upper.size() >= 4 && upper[1] == u'/';
    if (closing) {
        const QChar c = upper[2];
        const QChar c2 = upper[3];
        switch (c.unicode()) {
        case u'A': CloseAnchor(g, line); break;
        case u'B':
            if (c2 == u'>') setStyle(fsBold, false);
            else f->SetColor(FDefFont->Color());
            break;
        case u'E': if (g.Drawing) FError = false; break;
        case u'F':
            f->SetName(FDefFont->Name());
            f->SetSize(FDefFont->Size());
            if (g.Drawing && !A.FixedColors) {
                f->SetColor(FDefFont->Color());
                SetBrushColor(FCurrentBg);
            }
            break;
        case u'H':
            if (g.Drawing) {
                f->SetColor(FHiPrevText);
                SetBrushColor(FHiPrevBrush);
            }
            break;
        case u'I': setStyle(fsItalic, false); break;
        case u'L': lineEnds = true; break;
        case u'P':
            lineEnds = true;
            if (g.Drawing) {
                SetBrushColor(FParaPrevBrush);
                FParaBackground = false;
            }
            break;
        case u'R': RestoreRotatedFont(C, g.FirstPass ? FRotatedMeasure : FRotatedDraw); break;
        case u'S':
            if (c2 == u'U') FSub = FSup = false;
            else if (c2 == u'H') FShadow = false;
            else setStyle(fsStrikeOut, false);
            break;
        case u'U':
            if (c2 == u'>') setStyle(fsUnderline, false);
            else if (FListLevel > 0) --FListLevel;
            else setStyle(fsUnderline, false);
            break;
        case u'Z': FHidden = false; break;
        default: break;
        }
        return true;
    }
    if (upper.size() < 2 || upper[1] == u'/') return true;
    const QChar c = upper[1];
    const QChar c2 = upper.size() > 2 ? upper[2] : QChar();
    switch (c.unicode()) {
    case u'A': OpenAnchor(tag, upper, g, line); break;
    case u'B':
        if (c2 == u'>') {
            setStyle(fsBold, true);
        } else if (c2 == u'R') {
            R.VisibleText += u'\r';
            lineEnds = true;
        } else if (c2 == u'L') {
            if (!A.BlinkVisible) f->SetColor(FEntryBrush == clNone ? clWhite : FEntryBrush);
        } else if (c2 == u'O' && g.Drawing) {
            BodyBackground(tag, upper);
            if (upper.contains(QStringLiteral("BGCOLOR"))) {
                const QString bg = TagAttribute(tag, upper, QStringLiteral("BGCOLOR"));
                const QString ubg = UpCaseAscii(bg);
                if (ubg.contains(QStringLiteral("CL")))
                    SetBrushColor(HTMLColorValue(bg));
                else if (ubg.contains(u'#'))
                    SetBrushColor(HTMLColorValue(bg.mid(bg.indexOf(u'#'))));
                if (C->Brush()->Style() != bsClear) {
                    C->FillRect(FRect);
                    FCurrentBg = C->Brush()->Color();
                }
            }
        }
        break;
    case u'C': return ControlTag(tag, g, line);
    case u'E': if (g.Drawing) FError = true; break;
    case u'F': FontTag(upper, g); break;
    case u'H':
        if (c2 == u'I') {
            if (g.Drawing) {
                FHiPrevText = f->Color();
                FHiPrevBrush = BrushColorNow();
                SetBrushColor(gHighlightBg);
                f->SetColor(gHighlightText);
            }
        } else if (c2 == u'R') {
            if (g.Drawing) {
                const TColor oldPen = C->Pen()->Color();
                C->Pen()->SetColor(clBlack);
                C->MoveTo(g.Rect.Left, g.TextBottom + 1);
                C->LineTo(g.Rect.Right, g.TextBottom + 1);
                C->Pen()->SetColor(oldPen);
            }
            lineEnds = true;
        }
        break;
    case u'I':
        if (c2 == u'>') {
            setStyle(fsItalic, true);
        } else if (c2 == u'N') {
            const int v = MarkupPixels(LeadingInt(TagAttribute(tag, upper, QStringLiteral("IND"))));
            if (line.Width < v) {
                FPenX = FRightToLeft ? g.Rect.Right - v : g.Rect.Left + v;
                line.Width = v;
            }
        } else if (c2 == u'M') {
            return ImageTag(tag, upper, g, line);
        }
        break;
    case u'L':
        if (FLiInLine) return false;  // every item starts a line
        FLiInLine = true;
        line.Width += 12 * FListLevel;
        if (g.Drawing) {
            const QString bullet = FListLevel % 2 == 1 ? QStringLiteral("\u2022") : QStringLiteral("\u25E6");
            C->TextOut(FPenX + (FListLevel - 1) * 12, g.Rect.Top, bullet);
        }
        FPenX += (FRightToLeft ? -12 : 12) * FListLevel;
        break;
    case u'P': ParagraphTag(tag, g); break;
    case u'R': {
        const QString q = TagAttribute(tag, upper, QString());
        SelectRotatedFont(C, LeadingInt(q.isEmpty() ? upper.mid(2) : q),
                          g.FirstPass ? FRotatedMeasure : FRotatedDraw);
        break;
    }
    case u'S':
        if (c2 == u'>') setStyle(fsStrikeOut, true);
        else if (c2 == u'H') FShadow = true;
        else if (upper.startsWith(QStringLiteral("<SUB>"))) FSub = true;
        else if (upper.startsWith(QStringLiteral("<SUP>"))) FSup = true;
        break;
    case u'U':
        if (c2 == u'>') {
            setStyle(fsUnderline, true);
        } else {
            ++FListLevel;
            lineEnds = true;
        }
        break;
    case u'Z': FHidden = true; break;
    default: break;
    }
    return true;
}

void THTMLRenderer::FontTag(const QString& upper, const THTMLLineGeometry& g)
{
    TFont* f = C->Font();
    const QString face = TagAttribute(upper, upper, QStringLiteral("FACE"));
    if (!face.isEmpty()) f->SetName(face);
    const QString color = TagAttribute(upper, upper, QStringLiteral(" COLOR"));
    if (!color.isEmpty() && !A.FixedColors) f->SetColor(HTMLColorValue(color));
    const QString bg = TagAttribute(upper, upper, QStringLiteral("BGCOLOR"));
    if (!bg.isEmpty() && g.Drawing && !A.FixedColors) {
        FCurrentBg = BrushColorNow();
        SetBrushColor(HTMLColorValue(bg));
    }
    if (upper.contains(QStringLiteral("SIZE"))) {
        const int size = FontSizeFromTag(upper);
        if (size > 0) f->SetSize(size);
    }
}

void THTMLRenderer::ParagraphTag(const QString& tag, const THTMLLineGeometry& g)
{
    const QString upper = UpCaseAscii(tag);
    if (upper.contains(QStringLiteral("ALIGN"))) {
        const QString v = TagAttribute(upper, upper, QStringLiteral("ALIGN"));
        if (v.contains(QStringLiteral("RIGHT"))) FAlign = 1;
        if (v.contains(QStringLiteral("LEFT"))) FAlign = 0;
        if (v.contains(QStringLiteral("CENTER"))) FAlign = 2;
    }
    if (upper.contains(QStringLiteral("INDENT")))
        FIndent = MarkupPixels(LeadingInt(TagAttribute(upper, upper, QStringLiteral("INDENT"))));
    if (upper.contains(QStringLiteral("BGCOLOR")) && g.Drawing) {
        const QString v = TagAttribute(upper, upper, QStringLiteral("BGCOLOR"));
        const TColor col = v.isEmpty() ? clNone : HTMLColorValue(v);
        FParaPrevBrush = BrushColorNow();
        SetBrushColor(col);
        C->Pen()->SetColor(col == clNone ? C->Pen()->Color() : col);
        FParaBackground = true;
        if (col != clNone) C->FillRect(TRect(FRect.Left, g.Rect.Top, FRect.Right, g.Rect.Bottom));
    }
}

void THTMLRenderer::OpenAnchor(const QString& tag, const QString& upper, const THTMLLineGeometry& g,
                               const THTMLLine& line)
{
    TFont* f = C->Font();
    if (FAnchorCounter == A.FocusedAnchor && g.Drawing) {
        FFocusOpen = true;
        FFocusRect = TRect(FPenX, g.Rect.Top, FPenX, g.Rect.Top);
    }
    ++FAnchorCounter;
    const bool hovered = FAnchorCounter == A.HoverAnchor;
    FHoverBgApplied = FHoverTextApplied = false;
    if ((!A.HoverOnlyLinks || hovered) && g.Drawing) {
        TFontStyles st = f->Style();
        f->SetStyle(st + fsUnderline);
        if (A.HoverBackground != clNone) {
            FHoverPrevBrush = BrushColorNow();
            SetBrushColor(A.HoverBackground);
            FHoverBgApplied = true;
        }
        if (A.HoverTextColor != clNone) {
            FHoverPrevText = f->Color();
            f->SetColor(A.HoverTextColor);
            FHoverTextApplied = true;
        }
    }
    if (!A.FixedColors && !(A.HoverOnlyLinks && hovered && A.HoverTextColor != clNone))
        f->SetColor(A.LinkColor);
    if (upper.contains(QStringLiteral("HREF"))) {
        FAnchorValue = TagAttribute(tag, upper, QStringLiteral("HREF"));
        FInAnchor = true;
    }
    if (upper.contains(QStringLiteral("TITLE"))) FAnchorTitle = TagAttribute(tag, upper, QStringLiteral("TITLE"));
    FAnchorStartW = line.Width;
    FAnchorStartedInLine = true;
}

void THTMLRenderer::CloseAnchor(const THTMLLineGeometry& g, const THTMLLine& line)
{
    TFont* f = C->Font();
    const bool hovered = FAnchorCounter == A.HoverAnchor;
    if ((!A.HoverOnlyLinks || hovered) && g.Drawing) {
        TFontStyles st = f->Style();
        f->SetStyle(st - fsUnderline);
        if (FHoverBgApplied) SetBrushColor(FHoverPrevBrush);
        if (FHoverTextApplied) f->SetColor(FHoverPrevText);
        FHoverBgApplied = FHoverTextApplied = false;
    }
    if (!A.FixedColors) f->SetColor(FDefFont->Color());
    FInAnchor = false;
    if (FHoverPending) {
        const int start = FAnchorStartedInLine ? FAnchorStartW : 0;
        R.HoverRect = FRightToLeft
                          ? TRect(g.Rect.Right - line.Width, g.Rect.Top, g.Rect.Right - start, g.TextBottom)
                          : TRect(LineLeft(g) + start, g.Rect.Top, LineLeft(g) + line.Width, g.TextBottom);
        R.HitAnchor = FAnchorCounter;
        FHoverPending = false;
    }
    if (FFocusOpen && FAnchorCounter == A.FocusedAnchor + 1) CloseFocusRect(g, line);
}

void THTMLRenderer::CloseFocusRect(const THTMLLineGeometry& g, const THTMLLine& line)
{
    FFocusOpen = false;
    if (!g.Drawing) return;
    FFocusRect.Right = FPenX;
    FFocusRect.Bottom = g.TextBottom - line.ImgAlign;
    FFocusRect.Top = FFocusRect.Bottom - GhHeight();
    if (FFocusRect.Left > FFocusRect.Right) std::swap(FFocusRect.Left, FFocusRect.Right);
    FFocusRect.Left -= 1;
    FFocusRect.Right += 1;
    C->DrawFocusRect(FFocusRect);
}

bool DrawHTMLText(TCanvas* canvas, const QString& text, const TRect& rect,
                  const THTMLDrawArgs& args, THTMLDrawResult& result)
{
    if (!canvas) return false;
    THTMLRenderer renderer(canvas, rect, args, result);
    return renderer.Run(text);
}
