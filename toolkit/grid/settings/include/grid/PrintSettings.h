#pragma once
// TPrintSettings: every option of the grid's printing and print preview
// (header and footer items, fonts, borders, margins, spacings, sizing,
// scaling, orientation, page numbering), and its INI file form.

#include "graphics/GraphicsObjects.h"
#include "graphics/Printer.h"
#include "grid/GridSettingsOwner.h"
#include "grid/GridSettingsTypes.h"
#include "rtl/StringList.h"

#include <memory>

class TCustomIniFile;

class TPrintSettings : public TPersistent {
    RTL_CLASS(TPrintSettings)
public:
    // The owning grid is not kept.
    explicit TPrintSettings(IGridSettingsOwner* AOwner = nullptr);
    ~TPrintSettings() override;

    // Source must be print settings: any other object, none included,
    // raises EInvalidCast "Invalid class typecast". FixedCellsAlways,
    // ScaleHeader and ScaleFooter are not copied.
    void Assign(const TPersistent* Source) override;

    // The INI file form: one section of the file Key. Saving keeps the
    // file's other sections and writes it as UTF-8 without a byte-order
    // mark; loading never writes the file (a missing file gives the keys'
    // defaults). Errors of reading or writing the file reach the caller.
    void SaveToIni(const String& Key, const String& Section) const;
    void LoadFromIni(const String& Key, const String& Section);
    // The same on an INI store the caller holds.
    void WriteTo(TCustomIniFile& Ini, const String& Section) const;
    void ReadFrom(const TCustomIniFile& Ini, const String& Section);

    Integer FooterSize() const { return FFooterSize; }
    void SetFooterSize(Integer Value) { FFooterSize = Value; }
    Integer HeaderSize() const { return FHeaderSize; }
    void SetHeaderSize(Integer Value) { FHeaderSize = Value; }
    TPrintPosition Time() const { return FTime; }
    void SetTime(TPrintPosition Value) { FTime = Value; }
    TPrintPosition Date() const { return FDate; }
    void SetDate(TPrintPosition Value) { FDate = Value; }
    const String& DateFormat() const { return FDateFormat; }
    void SetDateFormat(const String& Value) { FDateFormat = Value; }
    TPrintPosition PageNr() const { return FPageNr; }
    void SetPageNr(TPrintPosition Value) { FPageNr = Value; }
    TPrintPosition Title() const { return FTitle; }
    void SetTitle(TPrintPosition Value) { FTitle = Value; }
    const String& TitleText() const { return FTitleText; }
    void SetTitleText(const String& Value) { FTitleText = Value; }
    TStringList* TitleLines() const { return FTitleLines.get(); }
    void SetTitleLines(const TStringList* Value) { FTitleLines->Assign(Value); }
    // The font setters copy the given font; null is ignored.
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value);
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(const TFont* Value);
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value);
    TFont* FooterFont() const { return FFooterFont.get(); }
    void SetFooterFont(const TFont* Value);
    TPrintBorders Borders() const { return FBorders; }
    void SetBorders(TPrintBorders Value) { FBorders = Value; }
    TPenStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TPenStyle Value) { FBorderStyle = Value; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { FBorderColor = Value; }
    bool Centered() const { return FCentered; }
    void SetCentered(bool Value) { FCentered = Value; }
    bool RepeatFixedRows() const { return FRepeatFixedRows; }
    void SetRepeatFixedRows(bool Value) { FRepeatFixedRows = Value; }
    bool RepeatFixedCols() const { return FRepeatFixedCols; }
    void SetRepeatFixedCols(bool Value) { FRepeatFixedCols = Value; }
    Integer LeftSize() const { return FLeftSize; }
    void SetLeftSize(Integer Value) { FLeftSize = Value; }
    Integer RightSize() const { return FRightSize; }
    void SetRightSize(Integer Value) { FRightSize = Value; }
    Integer ColumnSpacing() const { return FColumnSpacing; }
    void SetColumnSpacing(Integer Value) { FColumnSpacing = Value; }
    Integer RowSpacing() const { return FRowSpacing; }
    void SetRowSpacing(Integer Value) { FRowSpacing = Value; }
    Integer TitleSpacing() const { return FTitleSpacing; }
    void SetTitleSpacing(Integer Value) { FTitleSpacing = Value; }
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation Value) { FOrientation = Value; }
    const String& PagePrefix() const { return FPagePrefix; }
    void SetPagePrefix(const String& Value) { FPagePrefix = Value; }
    const String& PageSuffix() const { return FPageSuffix; }
    void SetPageSuffix(const String& Value) { FPageSuffix = Value; }
    Integer PageNumberOffset() const { return FPageNumberOffset; }
    void SetPageNumberOffset(Integer Value) { FPageNumberOffset = Value; }
    Integer MaxPagesOffset() const { return FMaxPagesOffset; }
    void SetMaxPagesOffset(Integer Value) { FMaxPagesOffset = Value; }
    Integer FixedWidth() const { return FFixedWidth; }
    void SetFixedWidth(Integer Value) { FFixedWidth = Value; }
    Integer FixedHeight() const { return FFixedHeight; }
    void SetFixedHeight(Integer Value) { FFixedHeight = Value; }
    bool UseFixedHeight() const { return FUseFixedHeight; }
    void SetUseFixedHeight(bool Value) { FUseFixedHeight = Value; }
    bool UseFixedWidth() const { return FUseFixedWidth; }
    void SetUseFixedWidth(bool Value) { FUseFixedWidth = Value; }
    TFitToPage FitToPage() const { return FFitToPage; }
    void SetFitToPage(TFitToPage Value) { FFitToPage = Value; }
    const String& JobName() const { return FJobName; }
    void SetJobName(const String& Value) { FJobName = Value; }
    const String& PageNumSep() const { return FPageNumSep; }
    void SetPageNumSep(const String& Value) { FPageNumSep = Value; }
    bool NoAutoSize() const { return FNoAutoSize; }
    void SetNoAutoSize(bool Value) { FNoAutoSize = Value; }
    bool NoAutoSizeRow() const { return FNoAutoSizeRow; }
    void SetNoAutoSizeRow(bool Value) { FNoAutoSizeRow = Value; }
    bool PrintGraphics() const { return FPrintGraphics; }
    void SetPrintGraphics(bool Value) { FPrintGraphics = Value; }
    bool UseDisplayFont() const { return FUseDisplayFont; }
    void SetUseDisplayFont(bool Value) { FUseDisplayFont = Value; }
    bool UseDefaultOrientation() const { return FUseDefaultOrientation; }
    void SetUseDefaultOrientation(bool Value) { FUseDefaultOrientation = Value; }

    // Public, not streamed.
    bool FixedCellsAlways() const { return FFixedCellsAlways; }
    void SetFixedCellsAlways(bool Value) { FFixedCellsAlways = Value; }
    bool PrintComments() const { return FPrintComments; }
    void SetPrintComments(bool Value) { FPrintComments = Value; }
    bool ScaleHeader() const { return FScaleHeader; }
    void SetScaleHeader(bool Value) { FScaleHeader = Value; }
    bool ScaleFooter() const { return FScaleFooter; }
    void SetScaleFooter(bool Value) { FScaleFooter = Value; }

private:
    Integer FFooterSize = 0;
    Integer FHeaderSize = 0;
    TPrintPosition FTime = ppNone;
    TPrintPosition FDate = ppNone;
    String FDateFormat = u"dd/mm/yyyy";
    TPrintPosition FPageNr = ppNone;
    TPrintPosition FTitle = ppNone;
    String FTitleText;
    std::unique_ptr<TStringList> FTitleLines;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TFont> FFooterFont;
    TPrintBorders FBorders = pbSingle;
    TPenStyle FBorderStyle = psSolid;
    TColor FBorderColor = clBlack;
    bool FCentered = true;
    bool FRepeatFixedRows = false;
    bool FRepeatFixedCols = false;
    Integer FLeftSize = 0;
    Integer FRightSize = 0;
    Integer FColumnSpacing = 0;
    Integer FRowSpacing = 0;
    Integer FTitleSpacing = 0;
    TPrinterOrientation FOrientation = poPortrait;
    String FPagePrefix;
    String FPageSuffix;
    Integer FPageNumberOffset = 0;
    Integer FMaxPagesOffset = 0;
    Integer FFixedWidth = 0;
    Integer FFixedHeight = 0;
    bool FUseFixedHeight = false;
    bool FUseFixedWidth = false;
    TFitToPage FFitToPage = fpNever;
    String FJobName;
    String FPageNumSep = u"/";
    bool FNoAutoSize = false;
    bool FNoAutoSizeRow = false;
    bool FPrintGraphics = false;
    bool FUseDisplayFont = true;
    bool FUseDefaultOrientation = false;
    bool FFixedCellsAlways = false;
    bool FPrintComments = true;
    bool FScaleHeader = true;
    bool FScaleFooter = true;
};
