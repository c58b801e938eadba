#pragma once
// THTMLSettings: the grid's HTMLSettings, the options of its HTML export.

#include "gridbase/IntList.h"
#include "rtl/Persistent.h"

#include <memory>

class THTMLSettings : public TPersistent {
    RTL_CLASS(THTMLSettings)
public:
    THTMLSettings();
    ~THTMLSettings() override;

    // From other HTML settings: every published option but ExportImages;
    // ColWidths is not copied. Other sources change nothing.
    void Assign(const TPersistent* Source) override;

    bool AutoPreview() const { return FAutoPreview; }
    void SetAutoPreview(bool Value) { FAutoPreview = Value; }
    Integer BorderSize() const { return FBorderSize; }
    void SetBorderSize(Integer Value) { FBorderSize = Value; }
    Integer CellSpacing() const { return FCellSpacing; }
    void SetCellSpacing(Integer Value) { FCellSpacing = Value; }
    Integer CellPadding() const { return FCellPadding; }
    void SetCellPadding(Integer Value) { FCellPadding = Value; }
    bool ConvertSpecialChars() const { return FConvertSpecialChars; }
    void SetConvertSpecialChars(bool Value) { FConvertSpecialChars = Value; }
    bool ExportImages() const { return FExportImages; }
    void SetExportImages(bool Value) { FExportImages = Value; }
    const String& FooterFile() const { return FFooterFile; }
    void SetFooterFile(const String& Value) { FFooterFile = Value; }
    const String& FooterText() const { return FFooterText; }
    void SetFooterText(const String& Value) { FFooterText = Value; }
    const String& HeaderFile() const { return FHeaderFile; }
    void SetHeaderFile(const String& Value) { FHeaderFile = Value; }
    const String& HeaderText() const { return FHeaderText; }
    void SetHeaderText(const String& Value) { FHeaderText = Value; }
    const String& ImageFolder() const { return FImageFolder; }
    void SetImageFolder(const String& Value) { FImageFolder = Value; }
    const String& ImageBaseName() const { return FImageBaseName; }
    void SetImageBaseName(const String& Value) { FImageBaseName = Value; }
    bool NonBreakingText() const { return FNonBreakingText; }
    void SetNonBreakingText(bool Value) { FNonBreakingText = Value; }
    const String& PrefixTag() const { return FPrefixTag; }
    void SetPrefixTag(const String& Value) { FPrefixTag = Value; }
    bool SaveColor() const { return FSaveColor; }
    void SetSaveColor(bool Value) { FSaveColor = Value; }
    bool SaveFonts() const { return FSaveFonts; }
    void SetSaveFonts(bool Value) { FSaveFonts = Value; }
    const String& SuffixTag() const { return FSuffixTag; }
    void SetSuffixTag(const String& Value) { FSuffixTag = Value; }
    const String& Summary() const { return FSummary; }
    void SetSummary(const String& Value) { FSummary = Value; }
    const String& TableStyle() const { return FTableStyle; }
    void SetTableStyle(const String& Value) { FTableStyle = Value; }
    // Table width in percent.
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { FWidth = Value; }
    bool XHTML() const { return FXHTML; }
    void SetXHTML(bool Value) { FXHTML = Value; }

    // Public: column widths in pixels for the width attributes.
    TIntList* ColWidths() const { return FColWidths.get(); }

private:
    bool FAutoPreview = false;
    Integer FBorderSize = 1;
    Integer FCellSpacing = 0;
    Integer FCellPadding = 0;
    bool FConvertSpecialChars = false;
    bool FExportImages = true;
    String FFooterFile;
    String FFooterText;
    String FHeaderFile;
    String FHeaderText;
    String FImageFolder = u"images";
    String FImageBaseName = u"img";
    bool FNonBreakingText = false;
    String FPrefixTag;
    bool FSaveColor = true;
    bool FSaveFonts = true;
    String FSuffixTag;
    String FSummary;
    String FTableStyle;
    Integer FWidth = 100;
    bool FXHTML = false;
    std::unique_ptr<TIntList> FColWidths;
};
