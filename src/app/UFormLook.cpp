#include "UFormLook.h"

#include "UComon.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

QString LangText(int n)
{
    if (n < 0 || n >= Language_Table->Count()) return QString();
    return Language_Table->Strings(n);
}

void SetVerdana(TFont* font, int pixels, TFontStyles style, TColor color)
{
    font->SetName(QStringLiteral("Verdana"));
    font->SetHeight(-pixels);
    font->SetStyle(style);
    font->SetColor(color);
}

void StyleForm(TForm* form, TFormBorderStyle border, int clientWidth, int clientHeight)
{
    form->SetBorderStyle(border);
    form->SetPosition(poScreenCenter);
    form->SetColor(WindowColor);
    SetVerdana(form->Font(), 11);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
}

TLabel* NewLabel(TWinControl* parent, int left, int top, const QString& caption)
{
    auto* l = new TLabel(parent);
    l->SetParent(parent);
    l->SetTransparent(true);
    l->SetLeft(left);
    l->SetTop(top);
    l->SetCaption(caption);
    return l;
}

TLinkLabel* NewLinkLabel(TWinControl* parent, int left, int top, int width, int height,
                         std::function<void(const QString& Link)> onLink)
{
    auto* l = new TLinkLabel(parent);
    l->SetParent(parent);
    l->SetBounds(left, top, width, height);
    l->SetVisible(false);
    l->OnLinkClick = [onLink = std::move(onLink)](TObject*, const QString& Link, TSysLinkType) { onLink(Link); };
    return l;
}

TLbButton* NewButton(TWinControl* parent, int left, int top, int width, int height,
                     TLbButtonStyle style, TColor hotTrack)
{
    auto* b = new TLbButton(parent);
    b->SetParent(parent);
    b->SetBounds(left, top, width, height);
    b->SetStyle(style);
    b->SetColor(WindowColor);
    b->SetColorWhenDown(ButtonDownColor);
    b->SetLightColor(ButtonLightColor);
    b->SetHotTrackColor(hotTrack);
    b->SetShowHint(true);
    return b;
}

// ---------------------------------------------------------------------------
// Pictures

namespace {

// Magenta marks the see-through pixels; the bottom-left pixel carries it.
const QColor Clear(255, 0, 255);
const QColor Ink(70, 70, 70);
const QColor Accent(0, 112, 192);
const QColor Warm(255, 128, 0);
const QColor Good(40, 150, 60);
const QColor Bad(200, 40, 40);

void DrawPage(QPainter& p, double s, const QColor& fill)
{
    QPolygonF page;
    page << QPointF(0.22 * s, 0.10 * s) << QPointF(0.62 * s, 0.10 * s) << QPointF(0.80 * s, 0.28 * s)
         << QPointF(0.80 * s, 0.90 * s) << QPointF(0.22 * s, 0.90 * s);
    p.setBrush(fill);
    p.drawPolygon(page);
    p.drawLine(QPointF(0.62 * s, 0.10 * s), QPointF(0.62 * s, 0.28 * s));
    p.drawLine(QPointF(0.62 * s, 0.28 * s), QPointF(0.80 * s, 0.28 * s));
}

void DrawArrow(QPainter& p, double s, bool right, const QColor& c)
{
    QPolygonF a;
    if (right)
        a << QPointF(0.30 * s, 0.20 * s) << QPointF(0.75 * s, 0.50 * s) << QPointF(0.30 * s, 0.80 * s);
    else
        a << QPointF(0.70 * s, 0.20 * s) << QPointF(0.25 * s, 0.50 * s) << QPointF(0.70 * s, 0.80 * s);
    p.setBrush(c);
    p.drawPolygon(a);
}

// Three table rows, the row buttons' common ground.
void DrawRows(QPainter& p, double s)
{
    p.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(0.08 * s, (0.12 + 0.22 * i) * s, 0.60 * s, 0.18 * s));
}

void DrawGlyph(QPainter& p, TGlyphKind kind, double s)
{
    p.setPen(QPen(Ink, std::max(1.0, s / 16)));
    switch (kind) {
    case TGlyphKind::New:
        DrawPage(p, s, Qt::white);
        p.setPen(QPen(Good, s / 8));
        p.drawLine(QPointF(0.51 * s, 0.42 * s), QPointF(0.51 * s, 0.78 * s));
        p.drawLine(QPointF(0.33 * s, 0.60 * s), QPointF(0.69 * s, 0.60 * s));
        break;
    case TGlyphKind::Open: {
        p.setBrush(QColor(250, 210, 90));
        QPolygonF back;
        back << QPointF(0.08 * s, 0.22 * s) << QPointF(0.40 * s, 0.22 * s) << QPointF(0.48 * s, 0.32 * s)
             << QPointF(0.88 * s, 0.32 * s) << QPointF(0.88 * s, 0.84 * s) << QPointF(0.08 * s, 0.84 * s);
        p.drawPolygon(back);
        p.setBrush(QColor(255, 228, 130));
        QPolygonF front;
        front << QPointF(0.08 * s, 0.84 * s) << QPointF(0.20 * s, 0.46 * s) << QPointF(0.96 * s, 0.46 * s)
              << QPointF(0.88 * s, 0.84 * s);
        p.drawPolygon(front);
        break;
    }
    case TGlyphKind::Parameters:
        p.setBrush(QColor(200, 200, 210));
        for (int i = 0; i < 3; ++i) {
            const double y = (0.25 + 0.25 * i) * s;
            p.drawLine(QPointF(0.12 * s, y), QPointF(0.88 * s, y));
            const double x = (0.30 + 0.20 * ((i * 2) % 3)) * s;
            p.drawRect(QRectF(x - 0.08 * s, y - 0.08 * s, 0.16 * s, 0.16 * s));
        }
        break;
    case TGlyphKind::Table:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(0.10 * s, 0.15 * s, 0.80 * s, 0.70 * s));
        p.setBrush(QColor(176, 216, 255));
        p.drawRect(QRectF(0.10 * s, 0.15 * s, 0.80 * s, 0.18 * s));
        for (double y : {0.51, 0.68}) p.drawLine(QPointF(0.10 * s, y * s), QPointF(0.90 * s, y * s));
        for (double x : {0.36, 0.63}) p.drawLine(QPointF(x * s, 0.15 * s), QPointF(x * s, 0.85 * s));
        break;
    case TGlyphKind::Update:
        p.setBrush(QColor(90, 90, 100));
        p.drawRect(QRectF(0.12 * s, 0.58 * s, 0.76 * s, 0.26 * s));
        p.setBrush(Good);
        p.drawEllipse(QRectF(0.70 * s, 0.66 * s, 0.10 * s, 0.10 * s));
        p.setBrush(Warm);
        {
            QPolygonF a;
            a << QPointF(0.38 * s, 0.10 * s) << QPointF(0.62 * s, 0.10 * s) << QPointF(0.62 * s, 0.30 * s)
              << QPointF(0.76 * s, 0.30 * s) << QPointF(0.50 * s, 0.52 * s) << QPointF(0.24 * s, 0.30 * s)
              << QPointF(0.38 * s, 0.30 * s);
            p.drawPolygon(a);
        }
        break;
    case TGlyphKind::Document:
        DrawPage(p, s, Qt::white);
        for (double y : {0.42, 0.56, 0.70}) p.drawLine(QPointF(0.32 * s, y * s), QPointF(0.70 * s, y * s));
        break;
    case TGlyphKind::Info:
        p.setBrush(Accent);
        p.drawEllipse(QRectF(0.08 * s, 0.08 * s, 0.84 * s, 0.84 * s));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(0.44 * s, 0.22 * s, 0.12 * s, 0.12 * s));
        p.drawRect(QRectF(0.44 * s, 0.40 * s, 0.12 * s, 0.36 * s));
        break;
    case TGlyphKind::Options: {
        p.setBrush(QColor(150, 150, 160));
        QPainterPath gear;
        const QPointF c(0.5 * s, 0.5 * s);
        for (int i = 0; i < 8; ++i) {
            QRectF tooth(-0.07 * s, -0.44 * s, 0.14 * s, 0.2 * s);
            QTransform t;
            t.translate(c.x(), c.y());
            t.rotate(45.0 * i);
            gear.addPolygon(t.map(QPolygonF(tooth)));
        }
        gear.addEllipse(c, 0.30 * s, 0.30 * s);
        p.drawPath(gear.simplified());
        p.setBrush(Clear);
        p.drawEllipse(c, 0.12 * s, 0.12 * s);
        break;
    }
    case TGlyphKind::Close:
    case TGlyphKind::Cancel:
        p.setPen(QPen(Bad, s / 7, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0.24 * s, 0.24 * s), QPointF(0.76 * s, 0.76 * s));
        p.drawLine(QPointF(0.76 * s, 0.24 * s), QPointF(0.24 * s, 0.76 * s));
        break;
    case TGlyphKind::Ok:
    case TGlyphKind::Check:
        p.setPen(QPen(Good, s / 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        {
            QPolygonF tick;
            tick << QPointF(0.18 * s, 0.52 * s) << QPointF(0.40 * s, 0.74 * s) << QPointF(0.82 * s, 0.26 * s);
            p.drawPolyline(tick);
        }
        break;
    case TGlyphKind::Previous:
        DrawArrow(p, s, false, Accent);
        break;
    case TGlyphKind::Next:
        DrawArrow(p, s, true, Accent);
        break;
    case TGlyphKind::DeleteRow:
    case TGlyphKind::InsertRow:
        DrawRows(p, s);
        p.setPen(QPen(kind == TGlyphKind::DeleteRow ? Bad : Good, s / 8));
        p.drawLine(QPointF(0.56 * s, 0.72 * s), QPointF(0.92 * s, 0.72 * s));
        if (kind == TGlyphKind::InsertRow)
            p.drawLine(QPointF(0.74 * s, 0.54 * s), QPointF(0.74 * s, 0.90 * s));
        break;
    case TGlyphKind::CopyRow:
        DrawRows(p, s);
        p.setBrush(QColor(176, 216, 255));
        p.drawRect(QRectF(0.50 * s, 0.52 * s, 0.42 * s, 0.30 * s));
        break;
    case TGlyphKind::PasteRow:
        p.setBrush(QColor(200, 160, 100));
        p.drawRect(QRectF(0.14 * s, 0.16 * s, 0.62 * s, 0.72 * s));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(0.38 * s, 0.44 * s, 0.50 * s, 0.44 * s));
        p.drawLine(QPointF(0.46 * s, 0.60 * s), QPointF(0.80 * s, 0.60 * s));
        p.drawLine(QPointF(0.46 * s, 0.74 * s), QPointF(0.80 * s, 0.74 * s));
        break;
    }
}

}  // namespace

std::unique_ptr<TBitmap> MakeGlyph(TGlyphKind kind, int size, int images)
{
    QImage one(size, size, QImage::Format_RGB32);
    one.fill(Clear);
    {
        QPainter p(&one);
        DrawGlyph(p, kind, size);
    }
    one.setPixelColor(0, size - 1, Clear);
    QImage strip(size * std::max(1, images), size, QImage::Format_RGB32);
    strip.fill(Clear);
    for (int i = 0; i < std::max(1, images); ++i)
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                QColor c = one.pixelColor(x, y);
                if (i > 0 && c != Clear) {
                    const int grey = 128 + qGray(c.rgb()) / 2;
                    c = QColor(grey, grey, grey);
                }
                strip.setPixelColor(i * size + x, y, c);
            }
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetImage(strip);
    bmp->SetTransparent(true);
    return bmp;
}

void SetButtonGlyph(TLbButton* button, TGlyphKind kind, int size, int images)
{
    auto g = MakeGlyph(kind, size, images);
    button->SetGlyph(g.get());
    button->SetNumGlyphs(images);
}

std::unique_ptr<TBitmap> MakeLogo(int size)
{
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(QColor(248, 247, 237));
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        const double s = size;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 84, 150));
        p.drawRoundedRect(QRectF(0.06 * s, 0.06 * s, 0.88 * s, 0.88 * s), 0.14 * s, 0.14 * s);
        p.setBrush(QColor(255, 128, 0));
        p.drawEllipse(QRectF(0.58 * s, 0.16 * s, 0.22 * s, 0.22 * s));
        // A "K" of two strokes.
        p.setPen(QPen(Qt::white, 0.11 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(0.30 * s, 0.24 * s), QPointF(0.30 * s, 0.78 * s));
        p.drawLine(QPointF(0.68 * s, 0.78 * s), QPointF(0.34 * s, 0.50 * s));
        p.drawLine(QPointF(0.34 * s, 0.50 * s), QPointF(0.56 * s, 0.32 * s));
    }
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetImage(img);
    return bmp;
}

// ---------------------------------------------------------------------------
// Panels

TTitlePanel NewTitlePanel(TForm* form)
{
    TTitlePanel t;
    t.P_Title = new TPanel(form);
    t.P_Title->SetParent(form);
    t.P_Title->SetAlign(alTop);
    t.P_Title->SetHeight(69);
    t.P_Title->SetBevelOuter(bvNone);
    t.P_Title->SetColor(WindowColor);
    t.L_SW_Code = NewLabel(t.P_Title, 16, 8);
    t.L_SW_Code->SetParentFont(false);
    SetVerdana(t.L_SW_Code->Font(), 32, {}, TitleTextColor);
    t.L_SW_Desc = NewLabel(t.P_Title, 16, 46);
    t.L_SW_Desc->SetParentFont(false);
    SetVerdana(t.L_SW_Desc->Font(), 11, {fsBold}, TitleTextColor);
    return t;
}

TPanel* NewButtonPanel(TForm* form)
{
    auto* p = new TPanel(form);
    p->SetParent(form);
    p->SetAlign(alBottom);
    p->SetHeight(40);
    p->SetBevelOuter(bvNone);
    p->SetColor(WindowColor);
    return p;
}

void SetButtonTexts(TLbButton* button, int captionEntry, int hintEntry)
{
    button->SetCaption(LangText(captionEntry));
    button->SetHint(LangText(hintEntry));
}

// ---------------------------------------------------------------------------
// TFramedDialog

TFramedDialog::TFramedDialog(TComponent* AOwner, TFormBorderStyle border, int clientWidth,
                             int clientHeight, int okLeft, int cancelLeft)
    : TForm(AOwner)
{
    StyleForm(this, border, clientWidth, clientHeight);
    const TTitlePanel t = NewTitlePanel(this);
    P_Title = t.P_Title;
    L_SW_Code = t.L_SW_Code;
    L_SW_Desc = t.L_SW_Desc;
    P_Button = NewButtonPanel(this);
    Btn_OK = NewButton(P_Button, okLeft, 6, 110, 28, bsEncarta);
    SetButtonGlyph(Btn_OK, TGlyphKind::Ok, 16);
    Btn_Cancel = NewButton(P_Button, cancelLeft, 6, 110, 28, bsEncarta);
    SetButtonGlyph(Btn_Cancel, TGlyphKind::Cancel, 16);
    Btn_Cancel->SetModalResult(mrCancel);
}

// ---------------------------------------------------------------------------
// TTitledForm

TTitledForm::TTitledForm(TComponent* AOwner, int clientWidth, int clientHeight, int captionEntry,
                         int descEntry)
    : TForm(AOwner), FCaptionEntry(captionEntry), FDescEntry(descEntry)
{
    StyleForm(this, bsSingle, clientWidth, clientHeight);
    const TTitlePanel t = NewTitlePanel(this);
    P_Title = t.P_Title;
    L_SW_Code = t.L_SW_Code;
    L_SW_Desc = t.L_SW_Desc;
    OnCreate = [this](TObject*) { FormCreate(); };
}

void TTitledForm::FormCreate()
{
    L_SW_Code->SetCaption(Software_Code);
    Set_Lang();
}

void TTitledForm::Set_Lang()
{
    ShowTitleTexts(FCaptionEntry, FDescEntry);
}

void TTitledForm::ShowTitleTexts(int captionEntry, int descEntry)
{
    SetCaption(LangText(captionEntry));
    L_SW_Desc->SetCaption(LangText(descEntry));
}
