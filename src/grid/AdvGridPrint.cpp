#include "AdvGridPrint.h"

#include "AdvGrid.h"
#include "AdvUtil.h"
#include "BaseGrid.h"
#include "IniFiles.h"

TPrintSettings::TPrintSettings(TBaseGrid* AOwner)
    : FGrid(AOwner),
      FTitleLines(std::make_unique<TStringList>()),
      FFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()),
      FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>())
{
}

TPrintSettings::~TPrintSettings() = default;

TPersistent* TPrintSettings::GetOwner()
{
    return FGrid;
}

void TPrintSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TPrintSettings*>(Source);
    if (!src) {
        // Also for no source: the base raises the assign error.
        TPersistent::Assign(Source);
        return;
    }
    FFooterSize = src->FFooterSize;
    FHeaderSize = src->FHeaderSize;
    FTime = src->FTime;
    FDate = src->FDate;
    FDateFormat = src->FDateFormat;
    FPageNr = src->FPageNr;
    FTitle = src->FTitle;
    FTitleText = src->FTitleText;
    FTitleLines->Assign(src->FTitleLines.get());
    FFont->Assign(src->FFont.get());
    FFixedFont->Assign(src->FFixedFont.get());
    FHeaderFont->Assign(src->FHeaderFont.get());
    FFooterFont->Assign(src->FFooterFont.get());
    FBorders = src->FBorders;
    FBorderStyle = src->FBorderStyle;
    FBorderColor = src->FBorderColor;
    FCentered = src->FCentered;
    FRepeatFixedRows = src->FRepeatFixedRows;
    FRepeatFixedCols = src->FRepeatFixedCols;
    FLeftSize = src->FLeftSize;
    FRightSize = src->FRightSize;
    FColumnSpacing = src->FColumnSpacing;
    FRowSpacing = src->FRowSpacing;
    FTitleSpacing = src->FTitleSpacing;
    FOrientation = src->FOrientation;
    FPagePrefix = src->FPagePrefix;
    FPageSuffix = src->FPageSuffix;
    FPageNumberOffset = src->FPageNumberOffset;
    FMaxPagesOffset = src->FMaxPagesOffset;
    FFixedWidth = src->FFixedWidth;
    FFixedHeight = src->FFixedHeight;
    FUseFixedHeight = src->FUseFixedHeight;
    FUseFixedWidth = src->FUseFixedWidth;
    FFitToPage = src->FFitToPage;
    FJobName = src->FJobName;
    FPageNumSep = src->FPageNumSep;
    FNoAutoSize = src->FNoAutoSize;
    FNoAutoSizeRow = src->FNoAutoSizeRow;
    FPrintGraphics = src->FPrintGraphics;
    FUseDisplayFont = src->FUseDisplayFont;
    FUseDefaultOrientation = src->FUseDefaultOrientation;
}

const TPropertyList& TPrintSettings::Properties()
{
    using C = TPrintSettings;
    const QStringList positions = {"ppNone",       "ppTopLeft",     "ppTopRight",    "ppTopCenter",
                                   "ppBottomLeft", "ppBottomRight", "ppBottomCenter"};
    static const TPropertyList list =
        TPropertyList()
            .Integer<C>("FooterSize", &C::FooterSize, &C::SetFooterSize)
            .Integer<C>("HeaderSize", &C::HeaderSize, &C::SetHeaderSize)
            .Enum<C, TPrintPosition>("Time", &C::Time, &C::SetTime, positions)
            .Enum<C, TPrintPosition>("Date", &C::Date, &C::SetDate, positions)
            .String<C>("DateFormat", &C::DateFormat, &C::SetDateFormat)
            .Enum<C, TPrintPosition>("PageNr", &C::PageNr, &C::SetPageNr, positions)
            .Enum<C, TPrintPosition>("Title", &C::Title, &C::SetTitle, positions)
            .String<C>("TitleText", &C::TitleText, &C::SetTitleText)
            .Object<C, TStrings>("TitleLines", &C::TitleLines, &C::SetTitleLines)
            .Object<C, TFont>("Font", &C::Font, &C::SetFont)
            .Object<C, TFont>("FixedFont", &C::FixedFont, &C::SetFixedFont)
            .Object<C, TFont>("HeaderFont", &C::HeaderFont, &C::SetHeaderFont)
            .Object<C, TFont>("FooterFont", &C::FooterFont, &C::SetFooterFont)
            .Enum<C, TPrintBorders>("Borders", &C::Borders, &C::SetBorders,
                                    {"pbNoborder", "pbSingle", "pbDouble", "pbVertical", "pbHorizontal", "pbAround",
                                     "pbAroundVertical", "pbAroundHorizontal", "pbCustom"})
            .Enum<C, TPenStyle>("BorderStyle", &C::BorderStyle, &C::SetBorderStyle,
                                {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear",
                                 "psInsideFrame"})
            .Color<C>("BorderColor", &C::BorderColor, &C::SetBorderColor)
            .Boolean<C>("Centered", &C::Centered, &C::SetCentered)
            .Boolean<C>("RepeatFixedRows", &C::RepeatFixedRows, &C::SetRepeatFixedRows)
            .Boolean<C>("RepeatFixedCols", &C::RepeatFixedCols, &C::SetRepeatFixedCols)
            .Integer<C>("LeftSize", &C::LeftSize, &C::SetLeftSize)
            .Integer<C>("RightSize", &C::RightSize, &C::SetRightSize)
            .Integer<C>("ColumnSpacing", &C::ColumnSpacing, &C::SetColumnSpacing)
            .Integer<C>("RowSpacing", &C::RowSpacing, &C::SetRowSpacing)
            .Integer<C>("TitleSpacing", &C::TitleSpacing, &C::SetTitleSpacing)
            .Enum<C, TPrinterOrientation>("Orientation", &C::Orientation, &C::SetOrientation,
                                          {"poPortrait", "poLandscape"})
            .String<C>("PagePrefix", &C::PagePrefix, &C::SetPagePrefix)
            .String<C>("PageSuffix", &C::PageSuffix, &C::SetPageSuffix)
            .Integer<C>("PageNumberOffset", &C::PageNumberOffset, &C::SetPageNumberOffset)
            .Integer<C>("MaxPagesOffset", &C::MaxPagesOffset, &C::SetMaxPagesOffset)
            .Integer<C>("FixedWidth", &C::FixedWidth, &C::SetFixedWidth)
            .Integer<C>("FixedHeight", &C::FixedHeight, &C::SetFixedHeight)
            .Boolean<C>("UseFixedHeight", &C::UseFixedHeight, &C::SetUseFixedHeight)
            .Boolean<C>("UseFixedWidth", &C::UseFixedWidth, &C::SetUseFixedWidth)
            .Enum<C, TFitToPage>("FitToPage", &C::FitToPage, &C::SetFitToPage,
                                 {"fpNever", "fpGrow", "fpShrink", "fpAlways", "fpCustom"})
            .String<C>("JobName", &C::JobName, &C::SetJobName)
            .String<C>("PageNumSep", &C::PageNumSep, &C::SetPageNumSep)
            .Boolean<C>("NoAutoSize", &C::NoAutoSize, &C::SetNoAutoSize)
            .Boolean<C>("NoAutoSizeRow", &C::NoAutoSizeRow, &C::SetNoAutoSizeRow)
            .Boolean<C>("PrintGraphics", &C::PrintGraphics, &C::SetPrintGraphics)
            .Boolean<C>("UseDisplayFont", &C::UseDisplayFont, &C::SetUseDisplayFont)
            .Boolean<C>("UseDefaultOrientation", &C::UseDefaultOrientation, &C::SetUseDefaultOrientation);
    return list;
}

// ---- print settings in an INI file ------------------------------------------------------

namespace {

// Booleans are "Y" or "N"; only "Y" reads as true.
QString AdvGridPrintYN(bool b)
{
    return b ? QStringLiteral("Y") : QStringLiteral("N");
}

int AdvGridPrintStyleBits(TFontStyles s)
{
    return (s.Contains(fsBold) ? 1 : 0) | (s.Contains(fsItalic) ? 2 : 0) | (s.Contains(fsUnderline) ? 4 : 0) |
           (s.Contains(fsStrikeOut) ? 8 : 0);
}

// The stored font lines: name, size in points, style bits and colour.
const char* const AdvGridPrintFontKeys[3] = {"Font", "HeaderFont", "FooterFont"};

void AdvGridPrintWriteFont(TMemIniFile& ini, const QString& sec, const QString& prefix, TFont* f)
{
    ini.WriteString(sec, prefix + QStringLiteral("Name"), f->Name());
    ini.WriteInteger(sec, prefix + QStringLiteral("Size"), f->Size());
    ini.WriteInteger(sec, prefix + QStringLiteral("Style"), AdvGridPrintStyleBits(f->Style()));
    ini.WriteInteger(sec, prefix + QStringLiteral("Color"), int(f->Color()));
}

void AdvGridPrintReadFont(const TMemIniFile& ini, const QString& sec, const QString& prefix, TFont* f)
{
    f->SetName(ini.ReadString(sec, prefix + QStringLiteral("Name"), QStringLiteral("Arial")));
    f->SetSize(ini.ReadInteger(sec, prefix + QStringLiteral("Size"), 10));
    // Set bits add to the font's style; clear bits remove nothing.
    const int bits = ini.ReadInteger(sec, prefix + QStringLiteral("Style"), 0);
    TFontStyles s = f->Style();
    if (bits & 1) s.Include(fsBold);
    if (bits & 2) s.Include(fsItalic);
    if (bits & 4) s.Include(fsUnderline);
    if (bits & 8) s.Include(fsStrikeOut);
    f->SetStyle(s);
    f->SetColor(TColor(ini.ReadInteger(sec, prefix + QStringLiteral("Color"), 0)));
}

TPrintPosition AdvGridPrintPosition(int v)
{
    return v >= 1 && v <= 6 ? TPrintPosition(v) : ppNone;
}

} // namespace

void TAdvStringGrid::SavePrintSettings(const QString& Key, const QString& Section)
{
    TPrintSettings* ps = FPrintSettings;
    TMemIniFile ini(Key);
    const QString& s = Section;
    ini.WriteInteger(s, "ColumnSpacing", ps->ColumnSpacing());
    ini.WriteInteger(s, "RowSpacing", ps->RowSpacing());
    ini.WriteInteger(s, "TitleSpacing", ps->TitleSpacing());
    ini.WriteInteger(s, "FixedHeight", ps->FixedHeight());
    ini.WriteInteger(s, "FixedWidth", ps->FixedWidth());
    ini.WriteString(s, "Centered", AdvGridPrintYN(ps->Centered()));
    ini.WriteString(s, "NoAutoSize", AdvGridPrintYN(ps->NoAutoSize()));
    ini.WriteString(s, "UseFixedHeight", AdvGridPrintYN(ps->UseFixedHeight()));
    ini.WriteString(s, "UseFixedWidth", AdvGridPrintYN(ps->UseFixedWidth()));
    ini.WriteString(s, "RepeatFixedRows", AdvGridPrintYN(ps->RepeatFixedRows()));
    ini.WriteString(s, "RepeatFixedCols", AdvGridPrintYN(ps->RepeatFixedCols()));
    ini.WriteString(s, "UseDisplFont", AdvGridPrintYN(ps->UseDisplayFont()));
    ini.WriteString(s, "UseDefOrientation", AdvGridPrintYN(ps->UseDefaultOrientation()));
    ini.WriteInteger(s, "Borders", int(ps->Borders()));
    ini.WriteInteger(s, "BorderColor", int(ps->BorderColor()));
    ini.WriteInteger(s, "BorderStyle", int(ps->BorderStyle()));
    ini.WriteInteger(s, "Date", int(ps->Date()));
    ini.WriteInteger(s, "PageNr", int(ps->PageNr()));
    ini.WriteInteger(s, "Title", int(ps->Title()));
    ini.WriteInteger(s, "Time", int(ps->Time()));
    ini.WriteString(s, "DateFormat", ps->DateFormat());
    ini.WriteString(s, "TitleText", ps->TitleText());
    ini.WriteInteger(s, "FooterSize", ps->FooterSize());
    ini.WriteInteger(s, "HeaderSize", ps->HeaderSize());
    ini.WriteInteger(s, "LeftSize", ps->LeftSize());
    ini.WriteInteger(s, "RightSize", ps->RightSize());
    ini.WriteInteger(s, "FitToPage", int(ps->FitToPage()));
    TFont* fonts[3] = {ps->Font(), ps->HeaderFont(), ps->FooterFont()};
    for (int i = 0; i < 3; ++i) AdvGridPrintWriteFont(ini, s, QLatin1String(AdvGridPrintFontKeys[i]), fonts[i]);
    ini.WriteString(s, "PageNumSep", ps->PageNumSep());
    ini.WriteString(s, "PageSuffix", ps->PageSuffix());
    ini.WriteString(s, "PagePrefix", ps->PagePrefix());
    ini.WriteInteger(s, "Orientation", int(ps->Orientation()));
    ini.WriteString(s, "TitleLines", EscapeNewlines(ps->TitleLines()->Text()));
    ini.WriteString(s, "PrintGraphics", AdvGridPrintYN(ps->PrintGraphics()));
    ini.UpdateFile();
}

void TAdvStringGrid::LoadPrintSettings(const QString& Key, const QString& Section)
{
    TPrintSettings* ps = FPrintSettings;
    TMemIniFile ini(Key);
    const QString& s = Section;
    const auto yes = [&](const char* key, const char* def) {
        return ini.ReadString(s, key, QLatin1String(def)) == QLatin1String("Y");
    };
    const auto inRange = [&](const char* key, int def, int hi, auto set) {
        const int v = ini.ReadInteger(s, key, def);
        if (v >= 0 && v <= hi) set(v);
    };
    ps->SetColumnSpacing(ini.ReadInteger(s, "ColumnSpacing", 20));
    ps->SetRowSpacing(ini.ReadInteger(s, "RowSpacing", 20));
    ps->SetTitleSpacing(ini.ReadInteger(s, "TitleSpacing", 20));
    ps->SetFixedHeight(ini.ReadInteger(s, "FixedHeight", 0));
    ps->SetFixedWidth(ini.ReadInteger(s, "FixedWidth", 0));
    ps->SetCentered(yes("Centered", "Y"));
    ps->SetNoAutoSize(yes("NoAutoSize", "N"));
    ps->SetUseFixedHeight(yes("UseFixedHeight", "N"));
    ps->SetUseFixedWidth(yes("UseFixedWidth", "N"));
    ps->SetRepeatFixedRows(yes("RepeatFixedRows", "N"));
    ps->SetRepeatFixedCols(yes("RepeatFixedCols", "N"));
    ps->SetUseDisplayFont(yes("UseDisplFont", "N"));
    ps->SetUseDefaultOrientation(yes("UseDefOrientation", "N"));
    inRange("Borders", 0, 8, [&](int v) { ps->SetBorders(TPrintBorders(v)); });
    ps->SetBorderColor(TColor(ini.ReadInteger(s, "BorderColor", 0)));
    inRange("BorderStyle", 0, 6, [&](int v) { ps->SetBorderStyle(TPenStyle(v)); });
    ps->SetDate(AdvGridPrintPosition(ini.ReadInteger(s, "Date", 0)));
    ps->SetPageNr(AdvGridPrintPosition(ini.ReadInteger(s, "PageNr", 0)));
    ps->SetTitle(AdvGridPrintPosition(ini.ReadInteger(s, "Title", 0)));
    ps->SetTime(AdvGridPrintPosition(ini.ReadInteger(s, "Time", 0)));
    ps->SetDateFormat(ini.ReadString(s, "DateFormat", QString()));
    ps->SetTitleText(ini.ReadString(s, "TitleText", QString()));
    ps->SetFooterSize(ini.ReadInteger(s, "FooterSize", 100));
    ps->SetHeaderSize(ini.ReadInteger(s, "HeaderSize", 100));
    ps->SetLeftSize(ini.ReadInteger(s, "LeftSize", 100));
    ps->SetRightSize(ini.ReadInteger(s, "RightSize", 100));
    inRange("FitToPage", 0, 4, [&](int v) { ps->SetFitToPage(TFitToPage(v)); });
    TFont* fonts[3] = {ps->Font(), ps->HeaderFont(), ps->FooterFont()};
    for (int i = 0; i < 3; ++i) AdvGridPrintReadFont(ini, s, QLatin1String(AdvGridPrintFontKeys[i]), fonts[i]);
    ps->SetPageNumSep(ini.ReadString(s, "PageNumSep", QString()));
    ps->SetPageSuffix(ini.ReadString(s, "PageSuffix", QString()));
    ps->SetPagePrefix(ini.ReadString(s, "PagePrefix", QString()));
    inRange("Orientation", 0, 1, [&](int v) { ps->SetOrientation(TPrinterOrientation(v)); });
    ps->TitleLines()->SetText(UnescapeNewlines(ini.ReadString(s, "TitleLines", QString())));
    ps->SetPrintGraphics(yes("PrintGraphics", "N"));
    // Written back also after a load, so a missing file is created.
    ini.UpdateFile();
}
