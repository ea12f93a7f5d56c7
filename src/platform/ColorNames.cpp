#include "ColorNames.h"

#include "SysFormat.h"
#include "SysUtils.h"

namespace {

struct ColorName {
    TColor Value;
    const char* Name;
};

// In this order: a value with two names (clGray and clDkGray, clSilver and
// clLtGray) writes the first.
const ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
};

const char* const kNotAColor = "'%1' is not a valid colour";

}  // namespace

QString ColorToString(TColor color)
{
    for (const ColorName& c : kColorNames)
        if (c.Value == color)
            return QString::fromLatin1(c.Name);
    return QStringLiteral("$") + QString::number(uint32_t(color), 16).toUpper().rightJustified(8, u'0');
}

bool IdentToColor(const QString& ident, TColor& color)
{
    for (const ColorName& c : kColorNames) {
        if (ident.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0) {
            color = c.Value;
            return true;
        }
    }
    return false;
}

TColor StringToColor(const QString& text)
{
    TColor color = 0;
    if (IdentToColor(text, color))
        return color;
    // Colour numbers are written as eight hex digits, so "$FF00000F" (a
    // system colour) must read although it is above the signed 32-bit range
    // of the integer reader: read the unsigned value and keep its bits.
    if (text.size() == 9 && text[0] == u'$') {
        uint32_t v = 0;
        bool ok = true;
        for (qsizetype i = 1; i < 9 && ok; ++i) {
            const int d = QStringView(u"0123456789ABCDEF").indexOf(text[i].toUpper());
            ok = d >= 0;
            v = v * 16 + uint32_t(d);
        }
        if (ok)
            return TColor(v);
    }
    int v = 0;
    if (TryStrToInt(text, v))
        return TColor(v);
    throw EConvertError(QString::fromLatin1(kNotAColor).arg(text));
}
