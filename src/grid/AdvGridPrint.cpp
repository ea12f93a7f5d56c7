#include "AdvGridPrint.h"

#include "BaseGrid.h"

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
