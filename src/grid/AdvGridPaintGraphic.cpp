// The string grid's cell graphic painter: how a cell object shares the cell
// with the text (its layout), where it stands, and how each kind draws -
// pictures, check boxes and radio buttons by control style, radio groups,
// progress bars, comments, buttons, shapes, ratings and rotated text - plus
// the pictures of the check, radio and filter glyphs, drawn by our own code.
//
// Numbers a cell object reads from its text count as 0 when the text does
// not read: one odd cell never stops the paint of the whole grid.

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "AdvGridPaint.h"
#include "AdvUtil.h"
#include "AdvUtilPaint.h"
#include "GraphUtils.h"
#include "ImgList.h"
#include "Resources.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <mutex>

namespace {

// ---- glyph pictures ---------------------------------------------------------------------------------

// Magenta is the key colour: DrawBitmapTransparent takes the top-left
// pixel's colour as the cell background.

struct TGlyphLook {
    QColor Frame, FillFrom, FillTo, Mark;
};

QImage CheckGlyph(bool checked, const TGlyphLook& l, bool round)
{
    QImage img(15, 15, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, round);
    QLinearGradient g(0, 1, 0, 13);
    g.setColorAt(0, l.FillFrom);
    g.setColorAt(1, l.FillTo);
    p.setBrush(g);
    p.setPen(l.Frame);
    if (round) p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
    else p.drawRect(1, 1, 12, 12);
    if (checked) {
        if (round) {
            p.setPen(Qt::NoPen);
            p.setBrush(l.Mark);
            p.drawEllipse(QRectF(4.5, 4.5, 5, 5));
        } else {
            QPen pen(l.Mark, 2);
            p.setPen(pen);
            p.drawPolyline(QPolygon({QPoint(4, 7), QPoint(6, 10), QPoint(11, 4)}));
        }
    }
    return img;
}

QImage FilterGlyph()
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(QColor(96, 96, 96));
    p.drawPolygon(QPolygon({QPoint(3, 4), QPoint(12, 4), QPoint(8, 8), QPoint(8, 12), QPoint(7, 12), QPoint(7, 8)}));
    return img;
}

void RegisterGridGlyphs()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const TGlyphLook xp{QColor(28, 81, 128), QColor(220, 220, 215), QColor(255, 255, 255), QColor(33, 161, 33)};
        const TGlyphLook xpOff{QColor(202, 200, 187), QColor(245, 244, 234), QColor(245, 244, 234),
                               QColor(202, 200, 187)};
        const TGlyphLook zur{QColor(128, 128, 128), QColor(255, 255, 255), QColor(225, 225, 225), QColor(0, 0, 0)};
        const TGlyphLook zurOff{QColor(192, 192, 192), QColor(240, 240, 240), QColor(240, 240, 240),
                                QColor(160, 160, 160)};
        const TGlyphLook metro{QColor(100, 100, 100), QColor(255, 255, 255), QColor(255, 255, 255),
                               QColor(40, 40, 40)};
        // 1-4 and 5-8: checked, unchecked, disabled checked, disabled unchecked.
        auto set = [](const char* prefix, int first, const TGlyphLook& on, const TGlyphLook& off, bool round) {
            const bool states[] = {true, false, true, false};
            for (int i = 0; i < 4; ++i)
                RegisterResource(QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(first + i, 2, 10, QLatin1Char('0')),
                                 CheckGlyph(states[i], i < 2 ? on : off, round));
        };
        set("ASGCHK", 1, zur, zurOff, false);
        set("ASGCHK", 5, xp, xpOff, false);
        set("ASGRAD", 1, zur, zurOff, true);
        set("ASGRAD", 5, xp, xpOff, true);
        RegisterResource(QStringLiteral("metrocheckon"), CheckGlyph(true, metro, false));
        RegisterResource(QStringLiteral("metrocheckoff"), CheckGlyph(false, metro, false));
        RegisterResource(QStringLiteral("metroradioon"), CheckGlyph(true, metro, true));
        RegisterResource(QStringLiteral("metroradiooff"), CheckGlyph(false, metro, true));
        RegisterResource(QStringLiteral("ASGFILT"), FilterGlyph());
    });
}

const bool GridGlyphsAtStart = (RegisterGridGlyphs(), true);

// ---- numbers of a cell -------------------------------------------------------------------------------

double CellNumber(const QString& Text)
{
    bool ok = false;
    const double v = Text.trimmed().toDouble(&ok);
    if (ok && std::isfinite(v)) return v;
    const QString n = NormalizeNumberText(Text.trimmed());
    const double w = n.toDouble(&ok);
    return ok && std::isfinite(w) ? w : 0;
}

bool IsCheckKind(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox
           || t == ctTriStateCheckBox || t == ctRadioButton;
}

bool IsDataBound(TCellType t) { return t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox; }

// Halves round to even, as the shared rounding does.
double RoundToHalf(double v) { return std::nearbyint(v * 2) / 2; }

} // namespace

void PlaceRotatedText(TRect& R, int HAlign, int VAlign, int Angle, int Wc, int Hs, int Ws, int Hc)
{
    const int q = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
    const int L = R.Left, Rt = R.Right, T = R.Top, B = R.Bottom;
    const int lefts[4][3] = {{L, Rt - Wc - Hs, L + (Rt - L - Hs - Wc) / 2},
                             {L + Wc, Rt - Hs, Rt - (Rt - L + Hs - Wc) / 2},
                             {L + Hs + Wc, Rt, Rt - (Rt - L - Hs - Wc) / 2},
                             {L + Hs, Rt - Wc, L + (Rt - L + Hs - Wc) / 2}};
    const int tops[4][3] = {{T + Ws, T + Ws - (T + Hc + Ws - B) / 2, B - Hc},
                            {T + Hc + Ws, T + Hc + Ws - (T + Hc + Ws - B) / 2, B},
                            {T + Hc, T + Hc - (T + Hc + Ws - B) / 2, B - Ws},
                            {T, T - (T + Hc + Ws - B) / 2, B - Hc - Ws}};
    R.Left = lefts[q - 1][std::clamp(HAlign, 0, 2)];
    R.Top = tops[q - 1][std::clamp(VAlign, 0, 2)];
}

void CalcRotatedTextOrigin(TCanvas* Canvas, TRect& R, int Angle, const QString& Text, int HAlign, int VAlign)
{
    const int keep = Canvas->Font()->Orientation();
    Canvas->Font()->SetOrientation(0);
    const int w = Canvas->TextWidth(Text), h = Canvas->TextHeight(Text);
    Canvas->Font()->SetOrientation(keep);
    R.Inflate(-2, -2);
    const double a = Angle * M_PI / 180.0;
    const int Wc = std::abs(int(std::trunc(std::cos(a) * w))), Hs = std::abs(int(std::trunc(std::sin(a) * h)));
    const int Ws = std::abs(int(std::trunc(std::sin(a) * w))), Hc = std::abs(int(std::trunc(std::cos(a) * h)));
    PlaceRotatedText(R, HAlign, VAlign, Angle, Wc, Hs, Ws, Hc);
}

TSize RotatedTextExtent(int Width, int Height, int Angle)
{
    const double a = Angle * M_PI / 180.0;
    const int w = int(std::lround(std::abs(Width * std::cos(a)))) + int(std::lround(std::abs(Height * std::sin(a))));
    const int h = int(std::lround(std::abs(Width * std::sin(a)))) + int(std::lround(std::abs(Height * std::cos(a))));
    return TSize(w + 12, h + 12);
}

int AdvGridCellNumberForPaint(const QString& Text) { return int(CellNumber(Text)); }

// ---- layout -----------------------------------------------------------------------------------------

void TAdvStringGrid::GetCellGraphicLayout(int ACol, int ARow, TCellDrawContext& c)
{
    c.Graphic = nullptr;
    c.GraphicWidth = c.GraphicHeight = 0;
    c.TextBeside = true;
    // Not only the cell's own object: a derived grid may answer a graphic
    // that stands for a whole column (the column grid's data check boxes).
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    c.Graphic = g;
    c.GraphicHAlign = g->CellHAlign();
    c.GraphicVAlign = g->CellVAlign();
    const int cs = FControlLook->CheckSize();
    int w = 0, h = 0;
    bool beside = true;
    TCustomImageList* il = GetImageList();
    switch (g->CellType()) {
    case ctBitmap:
        if (TBitmap* b = g->CellBitmap()) w = b->Width(), h = b->Height();
        break;
    case ctIcon:
        if (TIcon* i = g->CellIcon()) w = i->Width(), h = i->Height();
        break;
    case ctImageList:
        if (il) w = il->Width(), h = il->Height();
        break;
    case ctDataImage:
        if (il) w = il->Width(), h = il->Height();
        beside = false;
        break;
    case ctCheckBox:
    case ctTriStateCheckBox: w = h = cs; break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        w = h = cs;
        beside = false;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress: beside = false; break;
    case ctImages:
        if (il && g->CellIntList()) {
            const int n = g->CellIntList()->Count();
            if (g->CellBoolean()) w = n * il->Width(), h = il->Height();
            else w = il->Width(), h = n * il->Height();
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TRect r = CellRect(DisplColIndex(ACol), ARow);
        g->GetPictureSize(r.Width(), r.Height(), true, w, h);
        break;
    }
    case ctButton:
    case ctBitButton:
        w = g->CellIndex() & 0xFFFF;
        h = (g->CellIndex() >> 16) & 0xFFFF;
        break;
    case ctProgressPie: w = h = 20; break;
    case ctRadioButton: w = h = FControlLook->RadioSize() + 4; break;
    case ctShape: w = h = RowHeights(ARow) - 2 * XYOffset().Y; break;
    case ctRating:
        w = g->CellAngle() * 18;
        h = 16;
        beside = false;
        break;
    case ctInterface:
        if (auto* o = dynamic_cast<ICellGraphicObject*>(g->CellInterface())) w = o->GetWidth(), h = o->GetHeight();
        break;
    default: break;
    }
    c.GraphicWidth = w;
    c.GraphicHeight = h;
    c.TextBeside = beside;
}

// ---- glyph painters --------------------------------------------------------------------------------

void TAdvStringGrid::PaintCheckBox(TCanvas* Canvas, const TRect& Place, TCheckBoxState State, bool Enabled)
{
    const int cs = FControlLook->CheckSize();
    const TRect box(Place.Left, Place.Top, Place.Left + cs, Place.Top + cs);
    const TColor bk = Canvas->Brush()->Color() == clNone ? Color() : Canvas->Brush()->Color();
    TControlStyle style = FControlLook->ControlStyle();
    if (style == csGlyph) {
        TBitmap* glyph = State == cbChecked ? FControlLook->CheckedGlyph() : FControlLook->UnCheckedGlyph();
        if (glyph && !glyph->Empty()) {
            DrawBitmapTransparent(Canvas, glyph, bk, box);
            return;
        }
    }
    // A grey box has no picture of its own in the picture styles: it draws
    // as the disabled checked one.
    auto picture = [&](int first) {
        int n;
        if (State == cbGrayed) n = first + 2;
        else n = first + (State == cbChecked ? 0 : 1) + (Enabled ? 0 : 2);
        DrawResourceBitmap(Canvas, bk, box, QStringLiteral("ASGCHK%1").arg(n, 2, 10, QLatin1Char('0')));
    };
    switch (style) {
    case csWinXP: picture(5); return;
    case csZUR:
    case csGlyph: picture(1); return;
    case csBorland: {
        FillRectColor(Canvas, box, Enabled ? clBtnFace : clBtnShadow);
        TRect e = box;
        DrawEdge(Canvas, e, BDR_SUNKENOUTER, BF_RECT);
        if (State != cbUnchecked) {
            Canvas->Pen()->SetColor(Enabled ? FControlLook->Color() : TColor(0x808080));
            Canvas->Pen()->SetWidth(2);
            Canvas->MoveTo(box.Left + 3, box.Top + cs / 2);
            Canvas->LineTo(box.Left + cs / 2 - 1, box.Bottom - 4);
            Canvas->LineTo(box.Right - 3, box.Top + 3);
            Canvas->Pen()->SetWidth(1);
        }
        return;
    }
    default: {
        unsigned st = DFCS_BUTTONCHECK;
        if (State == cbChecked) st |= DFCS_CHECKED;
        if (State == cbGrayed) st |= DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (style == csFlat) st |= DFCS_FLAT;
        if (!Enabled) st |= DFCS_INACTIVE;
        TRect r = box;
        DrawFrameControl(Canvas, r, DFC_BUTTON, st);
        return;
    }
    }
}

void TAdvStringGrid::PaintRadioButton(TCanvas* Canvas, const TRect& Place, bool Checked, bool Enabled)
{
    const int rs = FControlLook->RadioSize() + 4;
    const TRect box(Place.Left, Place.Top, Place.Left + rs, Place.Top + rs);
    const TColor bk = Canvas->Brush()->Color() == clNone ? Color() : Canvas->Brush()->Color();
    switch (FControlLook->ControlStyle()) {
    case csWinXP:
    case csZUR: {
        const int first = FControlLook->ControlStyle() == csWinXP ? 5 : 1;
        const int n = first + (Checked ? 0 : 1) + (Enabled ? 0 : 2);
        DrawResourceBitmap(Canvas, bk, box, QStringLiteral("ASGRAD%1").arg(n, 2, 10, QLatin1Char('0')));
        return;
    }
    case csGlyph: {
        TBitmap* glyph = Checked ? FControlLook->RadioOnGlyph() : FControlLook->RadioOffGlyph();
        if (glyph && !glyph->Empty()) DrawBitmapTransparent(Canvas, glyph, bk, box);
        return;
    }
    case csBorland: {
        const int cx = box.Left + rs / 2, cy = box.Top + rs / 2, d = rs / 2 - 1;
        Canvas->Pen()->SetColor(clBtnShadow);
        Canvas->Brush()->SetColor(Enabled ? clBtnFace : clBtnShadow);
        Canvas->Polygon({TPoint(cx, cy - d), TPoint(cx + d, cy), TPoint(cx, cy + d), TPoint(cx - d, cy)});
        if (Checked) {
            Canvas->Brush()->SetColor(FControlLook->Color());
            Canvas->Polygon({TPoint(cx, cy - 2), TPoint(cx + 2, cy), TPoint(cx, cy + 2), TPoint(cx - 2, cy)});
        }
        Canvas->Brush()->SetColor(bk);
        return;
    }
    default: {
        unsigned st = DFCS_BUTTONRADIO;
        if (Checked) st |= DFCS_CHECKED;
        if (FControlLook->ControlStyle() == csFlat) st |= DFCS_FLAT;
        if (!Enabled) st |= DFCS_INACTIVE;
        TRect r = box;
        DrawFrameControl(Canvas, r, DFC_BUTTON, st);
        return;
    }
    }
}

void TAdvStringGrid::PaintRadioGroup(TCellDrawContext& c, const TRect& Place)
{
    TStrings* captions = GetRadioStrings(c.RealCol, c.Row);
    if (!captions) return;
    TCanvas* cv = c.Canvas;
    const int rs = FControlLook->RadioSize() + 4;
    const int idx = c.Graphic->CellIndex();
    const QString text = Cells(c.RealCol, c.Row);
    bool canEdit = true;
    CanEditCell(c.RealCol, c.Row, canEdit);
    const bool enabled = canEdit || FControlLook->NoDisabledCheckRadioLook() || FControlLook->RadioAlwaysActive();
    if (c.State.Contains(gdSelected) && ShowSelection() && SelectionTextColor() != clNone)
        cv->Font()->SetColor(SelectionTextColor());
    const int lineH = cv->TextHeight(QStringLiteral("gh"));
    int x = Place.Left + 2;
    cv->Brush()->SetStyle(bsClear);
    for (int i = 0; i < captions->Count(); ++i) {
        const QString cap = captions->Strings(i);
        const bool on = idx >= 0 ? i == idx : cap == text;
        int y;
        TRect box;
        if (c.Graphic->CellBoolean()) {
            y = Place.Top + (Place.Height() - rs) / 2;
            box = TRect(x, y, x + rs, y + rs);
        } else {
            y = Place.Top + 2 + i * lineH;
            box = TRect(Place.Left + 2, y, Place.Left + 2 + rs, y + rs);
        }
        cv->Brush()->SetStyle(bsSolid);
        PaintRadioButton(cv, box, on, enabled);
        cv->Brush()->SetStyle(bsClear);
        if (!cap.isEmpty()) cv->TextOut(box.Right + 2, box.Top + (rs - lineH) / 2, cap);
        if (c.Graphic->CellBoolean()) x += rs + 4 + cv->TextWidth(cap) + 4;
    }
    cv->Brush()->SetStyle(bsSolid);
}

// ---- the painter ------------------------------------------------------------------------------------

void TAdvStringGrid::PaintCellGraphic(TCellDrawContext& c)
{
    TCellGraphic* g = c.Graphic;
    TCanvas* cv = c.Canvas;
    const TCellType kind = g->CellType();
    TRect r = c.Rect;
    // 1.
    if (kind != ctNode && kind != ctProgress && kind != ctRangeIndicator && kind != ctXPProgress)
        r.Inflate(-(XYOffset().X - 1), -(XYOffset().Y - 1));
    const int gw = c.GraphicWidth, gh = c.GraphicHeight;
    const int tw = c.TextWidth > 0 ? c.TextWidth : 0;
    const int cw = r.Width();
    // 2. horizontal place
    int x = r.Left + 1;
    if (IsCheckKind(kind)) {
        const int size = kind == ctRadioButton ? FControlLook->RadioSize() + 4 : FControlLook->CheckSize();
        const bool data = IsDataBound(kind);
        const bool hasText = !data && !Cells(c.RealCol, c.Row).isEmpty();
        switch (c.HA) {
        case taRightJustify: x = data || !hasText ? r.Right - size - 1 : r.Right - tw - size - 1; break;
        case taCenter: x = data || !hasText ? r.Left + (cw - size) / 2 : r.Left + (cw - tw) / 2 - size; break;
        default: x = r.Left + 1; break;
        }
        if (kind == ctRadioButton) x += XYOffset().X - 1;
        x = std::max(x, r.Left + 1);
    } else {
        switch (g->CellHAlign()) {
        case haRight: x = r.Right - 1 - gw; break;
        case haCenter: x = gw < cw ? r.Left + (cw - gw) / 2 : r.Left + 1; break;
        case haBeforeText:
            x = c.HA == taRightJustify ? r.Right - tw - gw
                : c.HA == taCenter     ? r.Left + (cw - tw - gw) / 2
                                       : r.Left + 1;
            break;
        case haAfterText:
            x = c.HA == taRightJustify ? r.Right - 1 - gw
                : c.HA == taCenter     ? r.Left + tw + (cw - tw - gw) / 2
                                       : r.Left + tw;
            break;
        case haFull: x = r.Left; break;
        default: x = r.Left + 1; break;
        }
        if (x < r.Left) x = r.Left + 1;
    }
    // 3. vertical place
    TCellVAlign va = g->CellVAlign();
    if (IsCheckKind(kind) && c.VA != VAlignment())
        va = c.VA == vtaCenter ? vaCenter : c.VA == vtaBottom ? vaBottom : vaTop;
    int y;
    switch (va) {
    case vaBottom: y = r.Bottom - 1 - gh; break;
    case vaCenter: y = gh < r.Height() ? r.Top + (r.Height() - gh) / 2 : r.Top + 1; break;
    case vaUnderText: y = r.Bottom - gh; break;
    case vaFull: y = r.Top; break;
    default: y = r.Top + 1; break;
    }
    const TRect place(x, y, g->CellHAlign() == haFull ? r.Right : x + gw, va == vaFull ? r.Bottom : y + gh);
    const TColor bk = cv->Brush()->Color() == clNone ? Color() : cv->Brush()->Color();
    bool canEdit = true;
    auto enabledLook = [&] {
        CanEditCell(c.RealCol, c.Row, canEdit);
        return canEdit || FControlLook->NoDisabledCheckRadioLook() || FControlLook->CheckAlwaysActive();
    };
    TCustomImageList* il = GetImageList();

    // 4. by kind
    switch (kind) {
    case ctBitmap:
        if (TBitmap* b = g->CellBitmap()) {
            if (g->CellTransparent()) DrawBitmapTransparent(cv, b, bk, place);
            else cv->Draw(place.Left, place.Top, b);
        }
        break;
    case ctIcon:
        if (TIcon* i = g->CellIcon()) cv->Draw(place.Left, place.Top, i);
        break;
    case ctImageList:
        if (il && g->CellIndex() >= 0 && g->CellIndex() < il->Count()) il->Draw(cv, place.Left, place.Top, g->CellIndex());
        break;
    case ctDataImage: {
        const int n = int(CellNumber(Cells(c.RealCol, c.Row))) + g->CellIndex();
        if (il && n >= 0 && n < il->Count()) il->Draw(cv, place.Left, place.Top, n);
        break;
    }
    case ctImages:
        if (il && g->CellIntList()) {
            int px = place.Left, py = place.Top;
            for (int i = 0; i < g->CellIntList()->Count(); ++i) {
                const int n = g->CellIntList()->Items(i);
                if (n >= 0 && n < il->Count()) il->Draw(cv, px, py, n);
                if (g->CellBoolean()) px += il->Width();
                else py += il->Height();
            }
        }
        break;
    case ctCheckBox:
    case ctRowCheckBox:
        PaintCheckBox(cv, place, g->Greyed() ? cbGrayed : BoolToCheckBoxState(g->CellBoolean()), enabledLook());
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
        QString t;
        GetCheckTrue(c.RealCol, c.Row, t);
        PaintCheckBox(cv, place, BoolToCheckBoxState(Cells(c.RealCol, c.Row) == t), enabledLook());
        break;
    }
    case ctTriStateCheckBox: PaintCheckBox(cv, place, g->CellCheckBoxState(), enabledLook()); break;
    case ctRadioButton: PaintRadioButton(cv, place, g->CellBoolean(), enabledLook()); break;
    case ctRadio: PaintRadioGroup(c, r); break;
    case ctRotated: {
        const QString text = Cells(c.RealCol, c.Row);
        const int keep = cv->Font()->Orientation();
        cv->Font()->SetOrientation(g->CellAngle() * 10);
        TRect o = r;
        const int ha = c.HA == taRightJustify ? 1 : c.HA == taCenter ? 2 : 0;
        const int vaR = c.VA == vtaCenter ? 1 : c.VA == vtaBottom ? 2 : 0;
        CalcRotatedTextOrigin(cv, o, g->CellAngle(), text, ha, vaR);
        cv->Brush()->SetStyle(bsClear);
        cv->TextOut(o.Left, o.Top, text);
        cv->Brush()->SetStyle(bsSolid);
        cv->Font()->SetOrientation(keep);
        break;
    }
    case ctPicture:
        if (TPicture* p = g->CellPicture(); p && p->Graphic()) cv->StretchDraw(place, p->Graphic());
        break;
    case ctFilePicture:
        // Read at every paint; a file gone, unreadable or hostile draws nothing.
        if (TFilePicture* f = g->CellFilePicture()) f->DrawPicture(cv, place);
        break;
    case ctProgress: {
        const double v = CellNumber(Cells(c.RealCol, c.Row));
        TGridProgressAppearance* pa = FProgressAppearance;
        const TRect pr(r.Left + FControlLook->ProgressMarginX(), r.Top + FControlLook->ProgressMarginY(),
                       r.Right - FControlLook->ProgressMarginX(), r.Bottom - FControlLook->ProgressMarginY());
        TColor fgText = pa->CompleteFontColor(), bkText = pa->UnCompleteFontColor();
        const QVariantList textColors = g->CellVar().toList();
        if (textColors.size() == 2) {
            if (TColor(textColors[0].toLongLong()) != clNone) fgText = TColor(textColors[0].toLongLong());
            if (TColor(textColors[1].toLongLong()) != clNone) bkText = TColor(textColors[1].toLongLong());
        }
        const TColor bkColor = g->CellColorTo() != clNone ? g->CellColorTo() : pa->UnCompleteColor();
        DrawProgressBar(cv, pr, g->CellColor() != clNone ? g->CellColor() : pa->CompleteColor(), false,
                        FControlLook->ProgressBorderColor(), g->CellText(), 100, 0, 0, 0, Limit(v), fgText,
                        bkColor == clNone ? bk : bkColor, bkText);
        break;
    }
    case ctProgressPie:
        DrawProgressPie(cv, place, g->CellColor() != clNone ? g->CellColor() : clLime, false,
                        Limit(CellNumber(Cells(c.RealCol, c.Row))));
        break;
    case ctRangeIndicator: {
        const TRect pr(r.Left + FControlLook->ProgressMarginX(), r.Top + FControlLook->ProgressMarginY(),
                       r.Right - FControlLook->ProgressMarginX(), r.Bottom - FControlLook->ProgressMarginY());
        DrawRangeIndicator(cv, pr, int(CellNumber(Cells(c.RealCol, c.Row))), g->CellColor(), g->CellColorTo(), true,
                           int(g->CellValue()));
        break;
    }
    case ctXPProgress: {
        TGridProgressAppearance* pa = FProgressAppearance;
        TProgressLevels lv;
        lv.Level0Color = pa->Level0Color(), lv.Level0ColorTo = pa->Level0ColorTo();
        lv.Level1Color = pa->Level1Color(), lv.Level1ColorTo = pa->Level1ColorTo();
        lv.Level2Color = pa->Level2Color(), lv.Level2ColorTo = pa->Level2ColorTo();
        lv.Level3Color = pa->Level3Color(), lv.Level3ColorTo = pa->Level3ColorTo();
        lv.Level1Perc = pa->Level1Perc(), lv.Level2Perc = pa->Level2Perc();
        lv.BorderColor = pa->BorderColor(), lv.ShowBorder = pa->ShowBorder(), lv.Stacked = pa->Stacked();
        lv.ShowPercentage = pa->ShowPercentage(), lv.CompletionSmooth = pa->CompletionSmooth();
        lv.ShowGradient = pa->ShowGradient(), lv.Steps = pa->Steps();
        lv.TextColor = pa->CompleteFontColor();
        lv.BackgroundColor = pa->UnCompleteColor() == clNone ? bk : pa->UnCompleteColor();
        const int lo = g->CellIndex(), hi = int(g->CellValue());
        const int v = int(CellNumber(Cells(c.RealCol, c.Row)));
        const int pct = hi > lo ? Limit(100.0 * (v - lo) / (hi - lo)) : Limit(v);
        const TRect pr(r.Left + FControlLook->ProgressMarginX(), r.Top + FControlLook->ProgressMarginY(),
                       r.Right - FControlLook->ProgressMarginX(), r.Bottom - FControlLook->ProgressMarginY());
        DrawLevelProgressBar(cv, pr, pct, lv);
        break;
    }
    case ctComment: {
        const TColor cc = g->CellColor() != clNone ? g->CellColor() : FControlLook->CommentColor();
        if (FControlLook->CommentColor() == clNone) break;
        const int rx = c.Rect.Right + XYOffset().X, ty = c.Rect.Top - XYOffset().Y;
        cv->Brush()->SetColor(cc);
        cv->Pen()->SetColor(cc);
        cv->Polygon({TPoint(rx - 8, ty + 1), TPoint(rx - 3, ty + 1), TPoint(rx - 3, ty + 6)});
        cv->Brush()->SetColor(bk);
        break;
    }
    case ctButton:
    case ctBitButton:
    case ctExpand: {
        const int kindB = FControlLook->FlatButton() ? 2 : (Flat() && FTones.Background.BrushColor != clNone ? 3 : 0);
        CanEditCell(c.RealCol, c.Row, canEdit);
        const bool pressed = FPushedCellButton.X == c.RealCol && FPushedCellButton.Y == c.Row;
        const bool hot = FHoverButton.X == c.DisplayCol && FHoverButton.Y == c.Row;
        int state = pressed ? 2 : hot ? 1 : 0;
        if (kind != ctExpand && !canEdit && !FControlLook->NoDisabledButtonLook()) state = 3;
        TRect face = place;
        if (kind == ctExpand) face = TRect(r.Right - 14, r.Top + 1, r.Right - 1, r.Top + 14);
        // The press finds the button where it was drawn.
        else g->SetCellValue(double((place.Top - c.Rect.Top) * 65536 + (place.Left - c.Rect.Left)));
        DrawThemedButton(cv, this, face, FTones, state, kindB);
        const int shift = pressed ? 1 : 0;
        if (kind == ctExpand) {
            const bool up = g->CellVar().toBool();
            cv->Pen()->SetColor(clBlack);
            const int ry = face.Top + shift, rx = face.Right + shift;
            if (!up) {
                cv->MoveTo(rx - 10, ry + 5);
                cv->LineTo(rx - 7, ry + 8);
                cv->LineTo(rx - 3, ry + 4);
            } else {
                cv->MoveTo(rx - 10, ry + 8);
                cv->LineTo(rx - 7, ry + 5);
                cv->LineTo(rx - 3, ry + 9);
            }
        } else {
            TRect tr = face;
            tr.Offset(shift, shift);
            if (kind == ctBitButton && g->CellBitmap()) {
                TBitmap* b = g->CellBitmap();
                const int by = tr.Top + (tr.Height() - b->Height()) / 2;
                DrawBitmapTransparent(cv, b, clBtnFace, TRect(tr.Left + 3, by, tr.Left + 3 + b->Width(), by + b->Height()));
                tr.Left += 3 + b->Width() + 4;
            }
            cv->Brush()->SetStyle(bsClear);
            const QString cap = g->CellText();
            unsigned fl = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
            if (!cap.contains(QLatin1Char('\n'))) fl |= DT_SINGLELINE;
            if (state == 3) cv->Font()->SetColor(clGrayText);
            cv->DrawText(cap, tr, fl);
            cv->Brush()->SetStyle(bsSolid);
        }
        break;
    }
    case ctShape:
        DrawCellShape(cv, place.Left, place.Top, g->CellColor(), g->CellColorTo(), TCellShape(g->CellIndex()), gh, gw);
        break;
    case ctRating: {
        const double value = RoundToHalf(CellNumber(Cells(c.RealCol, c.Row)));
        const int stars = g->CellAngle();
        const int full = int(std::floor(value));
        for (int i = 0; i < stars; ++i) {
            const int sx = place.Left + i * 18;
            const TColor fill = i < full ? TColor(g->CellIndex()) : g->CellColorTo();
            DrawCellShape(cv, sx, place.Top, fill, fill, csStar, 16, 16);
            if (i == full && value - full >= 0.5)
                DrawCellShape(cv, sx, place.Top, TColor(g->CellIndex()), TColor(g->CellIndex()), csHalfStar, 16, 16);
        }
        break;
    }
    case ctNode: DrawNodeGlyph(c); break;
    default: break;
    }
    c.Rect = r;
}
