#include "AdvGridHTML.h"

#include "BaseGrid.h"

// The width list belongs to no cell.
THTMLSettings::THTMLSettings(TBaseGrid* AOwner) : FGrid(AOwner), FColWidths(std::make_unique<TIntList>(-1, -1)) {}

THTMLSettings::~THTMLSettings() = default;

TPersistent* THTMLSettings::GetOwner()
{
    return FGrid;
}

void THTMLSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<THTMLSettings*>(Source);
    if (!src) return;
    FBorderSize = src->FBorderSize;
    FCellSpacing = src->FCellSpacing;
    FCellPadding = src->FCellPadding;
    FSaveColor = src->FSaveColor;
    FSaveFonts = src->FSaveFonts;
    FFooterFile = src->FFooterFile;
    FHeaderFile = src->FHeaderFile;
    FTableStyle = src->FTableStyle;
    FPrefixTag = src->FPrefixTag;
    FSuffixTag = src->FSuffixTag;
    FSummary = src->FSummary;
    FWidth = src->FWidth;
    FXHTML = src->FXHTML;
    FConvertSpecialChars = src->FConvertSpecialChars;
    FAutoPreview = src->FAutoPreview;
    FNonBreakingText = src->FNonBreakingText;
}

const TPropertyList& THTMLSettings::Properties()
{
    using C = THTMLSettings;
    static const TPropertyList list =
        TPropertyList()
            .Boolean<C>("AutoPreview", &C::AutoPreview, &C::SetAutoPreview)
            .Integer<C>("BorderSize", &C::BorderSize, &C::SetBorderSize)
            .Integer<C>("CellSpacing", &C::CellSpacing, &C::SetCellSpacing)
            .Integer<C>("CellPadding", &C::CellPadding, &C::SetCellPadding)
            .Boolean<C>("ConvertSpecialChars", &C::ConvertSpecialChars, &C::SetConvertSpecialChars)
            .Boolean<C>("ExportImages", &C::ExportImages, &C::SetExportImages)
            .String<C>("FooterFile", &C::FooterFile, &C::SetFooterFile)
            .String<C>("HeaderFile", &C::HeaderFile, &C::SetHeaderFile)
            .Boolean<C>("NonBreakingText", &C::NonBreakingText, &C::SetNonBreakingText)
            .String<C>("PrefixTag", &C::PrefixTag, &C::SetPrefixTag)
            .Boolean<C>("SaveColor", &C::SaveColor, &C::SetSaveColor)
            .Boolean<C>("SaveFonts", &C::SaveFonts, &C::SetSaveFonts)
            .String<C>("SuffixTag", &C::SuffixTag, &C::SetSuffixTag)
            .String<C>("Summary", &C::Summary, &C::SetSummary)
            .String<C>("TableStyle", &C::TableStyle, &C::SetTableStyle)
            .Integer<C>("Width", &C::Width, &C::SetWidth)
            .Boolean<C>("XHTML", &C::XHTML, &C::SetXHTML);
    return list;
}
