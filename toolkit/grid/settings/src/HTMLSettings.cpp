#include "grid/HTMLSettings.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& THTMLSettings::StaticClassInfo() {
    using C = THTMLSettings;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"AutoPreview", &C::AutoPreview, &C::SetAutoPreview)
            .Default(false)
            .Property(u"BorderSize", &C::BorderSize, &C::SetBorderSize)
            .Default(1)
            .Property(u"CellSpacing", &C::CellSpacing, &C::SetCellSpacing)
            .Default(0)
            .Property(u"CellPadding", &C::CellPadding, &C::SetCellPadding)
            .Default(0)
            .Property(u"ConvertSpecialChars", &C::ConvertSpecialChars, &C::SetConvertSpecialChars)
            .Default(false)
            .Property(u"ExportImages", &C::ExportImages, &C::SetExportImages)
            .Default(true)
            .Property(u"FooterFile", &C::FooterFile, &C::SetFooterFile)
            .Property(u"FooterText", &C::FooterText, &C::SetFooterText)
            .Property(u"HeaderFile", &C::HeaderFile, &C::SetHeaderFile)
            .Property(u"HeaderText", &C::HeaderText, &C::SetHeaderText)
            .Property(u"ImageFolder", &C::ImageFolder, &C::SetImageFolder)
            .Property(u"ImageBaseName", &C::ImageBaseName, &C::SetImageBaseName)
            .Property(u"NonBreakingText", &C::NonBreakingText, &C::SetNonBreakingText)
            .Default(false)
            .Property(u"PrefixTag", &C::PrefixTag, &C::SetPrefixTag)
            .Property(u"SaveColor", &C::SaveColor, &C::SetSaveColor)
            .Default(true)
            .Property(u"SaveFonts", &C::SaveFonts, &C::SetSaveFonts)
            .Default(true)
            .Property(u"SuffixTag", &C::SuffixTag, &C::SetSuffixTag)
            .Property(u"Summary", &C::Summary, &C::SetSummary)
            .Property(u"TableStyle", &C::TableStyle, &C::SetTableStyle)
            .Property(u"Width", &C::Width, &C::SetWidth)
            .Default(100)
            .Property(u"XHTML", &C::XHTML, &C::SetXHTML)
            .Default(false)
            .Build();
    return Info;
}

THTMLSettings::THTMLSettings() : FColWidths(std::make_unique<TIntList>(0, 0)) {}

THTMLSettings::~THTMLSettings() = default;

void THTMLSettings::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const THTMLSettings*>(Source);
    if (!Other) return;
    FAutoPreview = Other->FAutoPreview;
    FBorderSize = Other->FBorderSize;
    FCellSpacing = Other->FCellSpacing;
    FCellPadding = Other->FCellPadding;
    FConvertSpecialChars = Other->FConvertSpecialChars;
    FFooterFile = Other->FFooterFile;
    FFooterText = Other->FFooterText;
    FHeaderFile = Other->FHeaderFile;
    FHeaderText = Other->FHeaderText;
    FImageFolder = Other->FImageFolder;
    FImageBaseName = Other->FImageBaseName;
    FNonBreakingText = Other->FNonBreakingText;
    FPrefixTag = Other->FPrefixTag;
    FSaveColor = Other->FSaveColor;
    FSaveFonts = Other->FSaveFonts;
    FSuffixTag = Other->FSuffixTag;
    FSummary = Other->FSummary;
    FTableStyle = Other->FTableStyle;
    FWidth = Other->FWidth;
    FXHTML = Other->FXHTML;
}
