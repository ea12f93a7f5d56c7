#include "AdvGridSearchFooter.h"

#include "AdvDropDownPaint.h"
#include "AdvObjButton.h"
#include "AdvObjCheckBox.h"
#include "Messages.h"
#include "Resources.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <mutex>

namespace {

// ---- the footer's glyphs: 16 x 16 on the transparent magenta -------------------------------

QImage SearchFooterGlyphCanvas()
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    return img;
}

QImage SearchFooterArrowGlyph(bool Down, bool Enabled)
{
    QImage img = SearchFooterGlyphCanvas();
    QPainter p(&img);
    const QColor c = Enabled ? QColor(30, 90, 170) : QColor(160, 160, 160);
    p.setPen(c);
    p.setBrush(c);
    if (Down) {
        p.drawRect(6, 2, 3, 6);
        p.drawPolygon(QPolygon({QPoint(2, 8), QPoint(13, 8), QPoint(7, 14)}));
    } else {
        p.drawRect(6, 7, 3, 6);
        p.drawPolygon(QPolygon({QPoint(2, 7), QPoint(13, 7), QPoint(7, 1)}));
    }
    return img;
}

QImage SearchFooterHighlightGlyph(bool Enabled)
{
    QImage img = SearchFooterGlyphCanvas();
    QPainter p(&img);
    // A marker pen drawn at a slant over a yellow stroke.
    p.setPen(Qt::NoPen);
    p.setBrush(Enabled ? QColor(255, 230, 0) : QColor(220, 220, 220));
    p.drawRect(1, 12, 14, 3);
    const QColor body = Enabled ? QColor(90, 90, 90) : QColor(170, 170, 170);
    p.setPen(body);
    p.setBrush(Enabled ? QColor(250, 210, 40) : QColor(200, 200, 200));
    p.drawPolygon(QPolygon({QPoint(9, 1), QPoint(14, 6), QPoint(8, 12), QPoint(4, 12), QPoint(4, 8)}));
    return img;
}

QImage SearchFooterCloseGlyph(QColor Cross, QColor Back)
{
    QImage img = SearchFooterGlyphCanvas();
    QPainter p(&img);
    if (Back.isValid()) p.fillRect(0, 0, 14, 14, Back);
    QPen pen(Cross);
    pen.setWidth(2);
    p.setPen(pen);
    p.drawLine(3, 3, 10, 10);
    p.drawLine(10, 3, 3, 10);
    return img;
}

void RegisterSearchFooterGlyphs()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterResource(QStringLiteral("ASGARDOWN"), SearchFooterArrowGlyph(true, true));
        RegisterResource(QStringLiteral("ASGARDOWND"), SearchFooterArrowGlyph(true, false));
        RegisterResource(QStringLiteral("ASGARUP"), SearchFooterArrowGlyph(false, true));
        RegisterResource(QStringLiteral("ASGARUPD"), SearchFooterArrowGlyph(false, false));
        RegisterResource(QStringLiteral("ASGHI"), SearchFooterHighlightGlyph(true));
        RegisterResource(QStringLiteral("ASGHID"), SearchFooterHighlightGlyph(false));
        RegisterResource(QStringLiteral("ASGCLOSEH"), SearchFooterCloseGlyph(QColor(200, 30, 30), QColor(250, 220, 180)));
        RegisterResource(QStringLiteral("ASGCLOSED"), SearchFooterCloseGlyph(QColor(150, 0, 0), QColor(240, 180, 120)));
        if (!FindResource(QStringLiteral("ASGCLOSE")))
            RegisterResource(QStringLiteral("ASGCLOSE"), SearchFooterCloseGlyph(QColor(80, 80, 80), QColor()));
    });
}

void SearchFooterLoadGlyph(TBitmap* Target, const char* Name)
{
    TBitmap bmp;
    bmp.LoadFromResourceName(QString::fromLatin1(Name));
    Target->Assign(&bmp);
}

// The placement table, in panel pixels; height 0 keeps the control's own.
constexpr TSearchPanelPlace kSearchEditPlace{25, 6, 110, 0};
constexpr TSearchPanelPlace kSearchForwardPlace{140, 5, 90, 23};
constexpr TSearchPanelPlace kSearchBackwardPlace{235, 5, 90, 23};
constexpr TSearchPanelPlace kSearchExitPlace{5, 7, 14, 14};
constexpr TSearchPanelPlace kSearchHilitePlace{330, 5, 90, 23};
constexpr int kSearchMatchCaseTop = 8;

}  // namespace

int SearchPanelMirroredLeft(int PanelWidth, int ControlWidth, int Left) { return PanelWidth - ControlWidth - Left; }

// ---- TRetEdit -----------------------------------------------------------------------------------

TRetEdit::TRetEdit(TComponent* AOwner) : TEdit(AOwner)
{
    // Enter belongs to the box, not to the form's default button.
    SetWantKeys(WantKeys() | DLGC_WANTALLKEYS);
}

void TRetEdit::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN) {
        Key = 0;
        if (Shift.Contains(ssCtrl)) {
            if (OnCtrlReturn) OnCtrlReturn(this);
        } else if (OnReturn) {
            OnReturn(this);
        }
        return;
    }
    TEdit::KeyDown(Key, Shift);
}

void TRetEdit::KeyPress(QChar& Key)
{
    if (Key == QChar(13) || Key == QChar(10)) {
        TEdit::KeyPress(Key);
        Key = QChar();
        return;
    }
    TEdit::KeyPress(Key);
}

// ---- TSearchPanel -------------------------------------------------------------------------------

TSearchPanel::TSearchPanel(TComponent* AOwner) : TPanel(AOwner)
{
    RegisterSearchFooterGlyphs();
    SetAlign(alBottom);
    SetBorderWidth(0);
    SetHeight(0);

    FEditControl = new TRetEdit(this);
    FEditControl->SetParent(this);
    FEditControl->OnChange = [this](TObject*) { EditChanged(); };
    FEditControl->OnReturn = [this](TObject*) {
        if (OnForwardClick) OnForwardClick(this);
    };
    FEditControl->OnCtrlReturn = [this](TObject*) {
        if (OnBackwardClick) OnBackwardClick(this);
    };
    FEditControl->OnKeyDown = [](TObject*, Word&, TShiftState) {};

    auto button = [this](const char* glyph, const char* disabled) {
        auto* b = new TAdvGridButton(this);
        b->SetParent(this);
        b->SetParentFont(true);
        SearchFooterLoadGlyph(b->Glyph(), glyph);
        if (disabled) {
            TBitmap bmp;
            bmp.LoadFromResourceName(QString::fromLatin1(disabled));
            b->SetGlyphDisabled(&bmp);
        }
        return b;
    };
    FForwardButton = button("ASGARDOWN", "ASGARDOWND");
    FForwardButton->SetEnabled(false);
    FForwardButton->OnClick = [this](TObject*) {
        if (OnForwardClick) OnForwardClick(this);
    };
    FBackwardButton = button("ASGARUP", "ASGARUPD");
    FBackwardButton->SetEnabled(false);
    FBackwardButton->OnClick = [this](TObject*) {
        if (OnBackwardClick) OnBackwardClick(this);
    };
    FExitButton = button("ASGCLOSE", nullptr);
    SearchFooterLoadGlyph(FExitButton->GlyphHot(), "ASGCLOSEH");
    SearchFooterLoadGlyph(FExitButton->GlyphDown(), "ASGCLOSED");
    FExitButton->OnClick = [this](TObject*) {
        if (OnExitClick) OnExitClick(this);
    };
    FHiliteButton = button("ASGHI", "ASGHID");
    FHiliteButton->SetEnabled(false);
    FHiliteButton->SetStyle(tasCheck);
    FHiliteButton->OnClick = [this](TObject*) {
        if (OnHighlightClick) OnHighlightClick(this);
    };
    FMatchCase = new TAdvCheckBox(this);
    FMatchCase->SetParent(this);
    PlaceControls(false);
}

void TSearchPanel::PlaceControls(bool RightToLeft)
{
    const int w = Width();
    auto place = [&](TControl* c, const TSearchPanelPlace& at, bool mirror) {
        const int height = at.Height > 0 ? at.Height : c->Height();
        const int left = mirror ? SearchPanelMirroredLeft(w, at.Width, at.Left) : at.Left;
        c->SetBounds(left, at.Top, at.Width, height);
    };
    place(FEditControl, kSearchEditPlace, RightToLeft);
    place(FForwardButton, kSearchForwardPlace, RightToLeft);
    place(FBackwardButton, kSearchBackwardPlace, RightToLeft);
    place(FExitButton, kSearchExitPlace, RightToLeft);
    place(FHiliteButton, kSearchHilitePlace, RightToLeft);
    const int mcLeft = FHiliteButton->Visible() ? 425 : 330;
    FMatchCase->SetBounds(mcLeft, kSearchMatchCaseTop, FMatchCase->Width(), FMatchCase->Height());
}

void TSearchPanel::CreateWnd(bool RightToLeft)
{
    PlaceControls(RightToLeft);
    if (OnCreated) OnCreated(this);
}

void TSearchPanel::EditChanged()
{
    const bool any = !FEditControl->Text().isEmpty();
    FForwardButton->SetEnabled(any);
    FBackwardButton->SetEnabled(any);
    FHiliteButton->SetEnabled(any);
    if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::SetColorTo(TColor v)
{
    if (v == FColorTo) return;
    FColorTo = v;
    Invalidate();
}

void TSearchPanel::Paint()
{
    TPanel::Paint();
    TCanvas* cv = Canvas();
    const TRect r = ClientRect();
    if (FColorTo == clNone) {
        cv->Pen()->SetColor(Color());
        cv->Brush()->SetColor(Color());
        cv->Rectangle(r);
    } else {
        DrawDropDownGradient(cv, Color(), FColorTo, 32, r, false);
    }
    cv->Pen()->SetColor(FLineColor);
    cv->MoveTo(0, 0);
    cv->LineTo(Width(), 0);
}
