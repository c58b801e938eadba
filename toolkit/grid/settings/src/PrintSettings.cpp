#include "grid/PrintSettings.h"

#include "rtl/ClassBuilder.h"

const TClassInfo& TPrintSettings::StaticClassInfo() {
    using C = TPrintSettings;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"FooterSize", &C::FooterSize, &C::SetFooterSize)
            .Default(0)
            .Property(u"HeaderSize", &C::HeaderSize, &C::SetHeaderSize)
            .Default(0)
            .Property(u"Time", &C::Time, &C::SetTime)
            .Default(ppNone)
            .Property(u"Date", &C::Date, &C::SetDate)
            .Default(ppNone)
            .Property(u"DateFormat", &C::DateFormat, &C::SetDateFormat)
            .Property(u"PageNr", &C::PageNr, &C::SetPageNr)
            .Default(ppNone)
            .Property(u"Title", &C::Title, &C::SetTitle)
            .Default(ppNone)
            .Property(u"TitleText", &C::TitleText, &C::SetTitleText)
            .Property(u"TitleLines", &C::TitleLines, &C::SetTitleLines)
            .Stored([](const C& Settings) { return Settings.TitleLines()->Count() > 0; })
            .Property(u"Font", &C::Font, &C::SetFont)
            .Property(u"FixedFont", &C::FixedFont, &C::SetFixedFont)
            .Property(u"HeaderFont", &C::HeaderFont, &C::SetHeaderFont)
            .Property(u"FooterFont", &C::FooterFont, &C::SetFooterFont)
            .Property(u"Borders", &C::Borders, &C::SetBorders)
            .Default(pbSingle)
            .Property(u"BorderStyle", &C::BorderStyle, &C::SetBorderStyle)
            .Default(psSolid)
            .Property(u"BorderColor", TypeInfo_TColor(), &C::BorderColor, &C::SetBorderColor)
            .Default(0)
            .Property(u"Centered", &C::Centered, &C::SetCentered)
            .Default(true)
            .Property(u"RepeatFixedRows", &C::RepeatFixedRows, &C::SetRepeatFixedRows)
            .Default(false)
            .Property(u"RepeatFixedCols", &C::RepeatFixedCols, &C::SetRepeatFixedCols)
            .Default(false)
            .Property(u"LeftSize", &C::LeftSize, &C::SetLeftSize)
            .Default(0)
            .Property(u"RightSize", &C::RightSize, &C::SetRightSize)
            .Default(0)
            .Property(u"ColumnSpacing", &C::ColumnSpacing, &C::SetColumnSpacing)
            .Default(0)
            .Property(u"RowSpacing", &C::RowSpacing, &C::SetRowSpacing)
            .Default(0)
            .Property(u"TitleSpacing", &C::TitleSpacing, &C::SetTitleSpacing)
            .Default(0)
            .Property(u"Orientation", &C::Orientation, &C::SetOrientation)
            .Default(poPortrait)
            .Property(u"PagePrefix", &C::PagePrefix, &C::SetPagePrefix)
            .Property(u"PageSuffix", &C::PageSuffix, &C::SetPageSuffix)
            .Property(u"PageNumberOffset", &C::PageNumberOffset, &C::SetPageNumberOffset)
            .Default(0)
            .Property(u"MaxPagesOffset", &C::MaxPagesOffset, &C::SetMaxPagesOffset)
            .Default(0)
            .Property(u"FixedWidth", &C::FixedWidth, &C::SetFixedWidth)
            .Default(0)
            .Property(u"FixedHeight", &C::FixedHeight, &C::SetFixedHeight)
            .Default(0)
            .Property(u"UseFixedHeight", &C::UseFixedHeight, &C::SetUseFixedHeight)
            .Default(false)
            .Property(u"UseFixedWidth", &C::UseFixedWidth, &C::SetUseFixedWidth)
            .Default(false)
            .Property(u"FitToPage", &C::FitToPage, &C::SetFitToPage)
            .Default(fpNever)
            .Property(u"JobName", &C::JobName, &C::SetJobName)
            .Property(u"PageNumSep", &C::PageNumSep, &C::SetPageNumSep)
            .Property(u"NoAutoSize", &C::NoAutoSize, &C::SetNoAutoSize)
            .Default(false)
            .Property(u"NoAutoSizeRow", &C::NoAutoSizeRow, &C::SetNoAutoSizeRow)
            .Default(false)
            .Property(u"PrintGraphics", &C::PrintGraphics, &C::SetPrintGraphics)
            .Default(false)
            .Property(u"UseDisplayFont", &C::UseDisplayFont, &C::SetUseDisplayFont)
            .Default(true)
            .Property(u"UseDefaultOrientation", &C::UseDefaultOrientation, &C::SetUseDefaultOrientation)
            .Default(false)
            .Build();
    return Info;
}

TPrintSettings::TPrintSettings(IGridSettingsOwner*)
    : FTitleLines(std::make_unique<TStringList>()), FFont(std::make_unique<TFont>()),
      FFixedFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()) {}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::SetFont(const TFont* Value) {
    if (Value) FFont->Assign(Value);
}

void TPrintSettings::SetFixedFont(const TFont* Value) {
    if (Value) FFixedFont->Assign(Value);
}

void TPrintSettings::SetHeaderFont(const TFont* Value) {
    if (Value) FHeaderFont->Assign(Value);
}

void TPrintSettings::SetFooterFont(const TFont* Value) {
    if (Value) FFooterFont->Assign(Value);
}

void TPrintSettings::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TPrintSettings*>(Source);
    if (!Other) throw EInvalidCast(u"Invalid class typecast");
    FFooterSize = Other->FFooterSize;
    FHeaderSize = Other->FHeaderSize;
    FTime = Other->FTime;
    FDate = Other->FDate;
    FDateFormat = Other->FDateFormat;
    FPageNr = Other->FPageNr;
    FTitle = Other->FTitle;
    FTitleText = Other->FTitleText;
    FTitleLines->Assign(Other->FTitleLines.get());
    FFont->Assign(Other->FFont.get());
    FFixedFont->Assign(Other->FFixedFont.get());
    FHeaderFont->Assign(Other->FHeaderFont.get());
    FFooterFont->Assign(Other->FFooterFont.get());
    FBorders = Other->FBorders;
    FBorderStyle = Other->FBorderStyle;
    FCentered = Other->FCentered;
    FRepeatFixedRows = Other->FRepeatFixedRows;
    FRepeatFixedCols = Other->FRepeatFixedCols;
    FLeftSize = Other->FLeftSize;
    FRightSize = Other->FRightSize;
    FColumnSpacing = Other->FColumnSpacing;
    FRowSpacing = Other->FRowSpacing;
    FTitleSpacing = Other->FTitleSpacing;
    FOrientation = Other->FOrientation;
    FPagePrefix = Other->FPagePrefix;
    FPageSuffix = Other->FPageSuffix;
    FPageNumberOffset = Other->FPageNumberOffset;
    FMaxPagesOffset = Other->FMaxPagesOffset;
    FFixedWidth = Other->FFixedWidth;
    FFixedHeight = Other->FFixedHeight;
    FUseFixedHeight = Other->FUseFixedHeight;
    FUseFixedWidth = Other->FUseFixedWidth;
    FFitToPage = Other->FFitToPage;
    FJobName = Other->FJobName;
    FPageNumSep = Other->FPageNumSep;
    FNoAutoSize = Other->FNoAutoSize;
    FNoAutoSizeRow = Other->FNoAutoSizeRow;
    FPrintGraphics = Other->FPrintGraphics;
    FUseDisplayFont = Other->FUseDisplayFont;
    FUseDefaultOrientation = Other->FUseDefaultOrientation;
    FBorderColor = Other->FBorderColor;
    FPrintComments = Other->FPrintComments;
}
