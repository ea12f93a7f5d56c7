#include "AdvXPVS.h"

#include "Graphics.h"
#include "OsProfile.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace {

enum ThemeClass : HTHEME { tcNone, tcButton, tcComboBox, tcSpin, tcHeader, tcProgress };

HTHEME OpenTheme(TWinControl*, const QString& classList)
{
    // A class list may name several classes separated by ";": the first
    // one known wins.
    for (const QString& name : classList.split(u';')) {
        const QString n = name.trimmed();
        if (n.compare(QLatin1String("button"), Qt::CaseInsensitive) == 0) return tcButton;
        if (n.compare(QLatin1String("combobox"), Qt::CaseInsensitive) == 0) return tcComboBox;
        if (n.compare(QLatin1String("spin"), Qt::CaseInsensitive) == 0) return tcSpin;
        if (n.compare(QLatin1String("header"), Qt::CaseInsensitive) == 0) return tcHeader;
        if (n.compare(QLatin1String("progress"), Qt::CaseInsensitive) == 0) return tcProgress;
    }
    return tcNone;
}

// The four common states: 1 normal, 2 hot, 3 pressed, 4 disabled.
QStyle::State CommonState(int state)
{
    switch (state) {
    case 2: return QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_MouseOver;
    case 3: return QStyle::State_Enabled | QStyle::State_Sunken;
    case 4: return QStyle::State_None;
    default: return QStyle::State_Enabled | QStyle::State_Raised;
    }
}

void Panel(QStyle* style, QPainter& p, const QRect& r, QStyle::State state, bool isDefault = false)
{
    QStyleOptionButton o;
    o.rect = r;
    o.state = state;
    if (isDefault)
        o.features |= QStyleOptionButton::DefaultButton;
    style->drawPrimitive(QStyle::PE_PanelButtonCommand, &o, &p);
}

void Arrow(QStyle* style, QPainter& p, const QRect& r, QStyle::State state, QStyle::PrimitiveElement arrow)
{
    QStyleOption o;
    o.rect = r.adjusted(2, 2, -2, -2);
    o.state = state;
    o.palette = QApplication::palette();
    style->drawPrimitive(arrow, &o, &p);
}

// Paints a part; false for a part or state the class does not have.
bool PaintPart(QStyle* style, QPainter& p, const QRect& r, HTHEME theme, int part, int state)
{
    switch (theme) {
    case tcButton:
        if (part == BP_PUSHBUTTON && state >= 1 && state <= 5) {
            Panel(style, p, r, CommonState(state == 5 ? 1 : state), state == 5);
            return true;
        }
        if ((part == BP_RADIOBUTTON && state >= 1 && state <= 8) ||
            (part == BP_CHECKBOX && state >= 1 && state <= 12)) {
            QStyleOptionButton o;
            o.rect = r;
            o.state = CommonState((state - 1) % 4 + 1);
            const int group = (state - 1) / 4;  // 0 unchecked, 1 checked, 2 mixed
            o.state |= group == 0 ? QStyle::State_Off : group == 1 ? QStyle::State_On : QStyle::State_NoChange;
            style->drawPrimitive(part == BP_RADIOBUTTON ? QStyle::PE_IndicatorRadioButton
                                                        : QStyle::PE_IndicatorCheckBox,
                                 &o, &p);
            return true;
        }
        return false;
    case tcComboBox:
        if (part != CP_DROPDOWNBUTTON || state < 1 || state > 4)
            return false;
        Panel(style, p, r, CommonState(state));
        Arrow(style, p, r, CommonState(state), QStyle::PE_IndicatorArrowDown);
        return true;
    case tcSpin: {
        if (part < SPNP_UP || part > SPNP_DOWNHORZ || state < 1 || state > 4)
            return false;
        static const QStyle::PrimitiveElement arrows[] = {
            QStyle::PE_IndicatorArrowUp, QStyle::PE_IndicatorArrowDown, QStyle::PE_IndicatorArrowRight,
            QStyle::PE_IndicatorArrowLeft};
        Panel(style, p, r, CommonState(state));
        Arrow(style, p, r, CommonState(state), arrows[part - 1]);
        return true;
    }
    case tcHeader: {
        if (!((part == HP_HEADERITEM && state >= 1 && state <= 3) || (part == HP_HEADERITEMRIGHT && state == 1)))
            return false;
        QStyleOptionHeader o;
        o.rect = r;
        o.state = CommonState(state);
        o.position = part == HP_HEADERITEMRIGHT ? QStyleOptionHeader::End : QStyleOptionHeader::Middle;
        style->drawControl(QStyle::CE_HeaderSection, &o, &p);
        return true;
    }
    case tcProgress: {
        if (part < PP_BAR || part > PP_CHUNKVERT || state > 1)  // parts without states
            return false;
        QStyleOptionProgressBar o;
        o.rect = r;
        o.state = QStyle::State_Enabled;
        if (part == PP_BAR || part == PP_CHUNK)
            o.state |= QStyle::State_Horizontal;
        o.minimum = 0;
        o.maximum = 100;
        o.progress = 100;
        if (part == PP_BAR || part == PP_BARVERT)
            style->drawControl(QStyle::CE_ProgressBarGroove, &o, &p);
        else
            style->drawPrimitive(QStyle::PE_IndicatorProgressChunk, &o, &p);
        return true;
    }
    default:
        return false;
    }
}

HRESULT DrawBackground(HTHEME theme, TCanvas* canvas, int part, int state, const TRect& rect, const TRect* clip)
{
    if (!canvas || theme == tcNone || rect.IsEmpty() || !qApp)
        return E_INVALIDARG;
    QStyle* style = QApplication::style();
    if (!style)
        return E_FAIL;
    QImage img(rect.Width(), rect.Height(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        if (!PaintPart(style, p, QRect(0, 0, rect.Width(), rect.Height()), theme, part, state))
            return E_INVALIDARG;
    }
    TBitmap bmp;
    bmp.SetImage(img);
    const std::optional<QRegion> oldClip = canvas->ClipRegion();
    if (clip)
        canvas->IntersectClipRect(*clip);
    canvas->Draw(rect.Left, rect.Top, &bmp);
    if (clip) {
        if (oldClip)
            canvas->SelectClipRegion(*oldClip);
        else
            canvas->ClearClip();
    }
    return S_OK;
}

HRESULT CurrentThemeName(QString& file, QString& color, QString& size)
{
    file = QStringLiteral("Qt");
    color = GetOsProfile().ThemeColorScheme;
    size = QStringLiteral("NormalSize");
    return S_OK;
}

}  // namespace

void TThemeEntries::Bind()
{
    OpenThemeData = OpenTheme;
    CloseThemeData = [](HTHEME) { return S_OK; };
    DrawThemeBackground = DrawBackground;
    IsThemeActive = [] { return GetOsProfile().VisualStylesActive; };
    GetCurrentThemeName = CurrentThemeName;
}

void TThemeEntries::Clear()
{
    *this = TThemeEntries();
}

void TThemeEntries::Load(bool& loaded)
{
    if (loaded || !GetOsProfile().VisualStylesPresent)
        return;
    Bind();
    loaded = true;
}

void TThemeEntries::Unload(bool& loaded)
{
    if (!loaded)
        return;
    Clear();
    loaded = false;
}

namespace AdvXPVS {

TThemeEntries Theme;
namespace {
bool Loaded = false;
}

void InitThemeLibrary() { Theme.Load(Loaded); }
void FreeThemeLibrary() { Theme.Unload(Loaded); }
bool ThemeLibraryLoaded() { return Loaded; }

}  // namespace AdvXPVS
