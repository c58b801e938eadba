// The print-settings INI: one section, keys in a fixed order, integers in
// decimal, Booleans as "Y"/"N", enumerations by ordinal, a font as four keys
// and the title lines as one escaped line.

#include "grid/PrintSettings.h"
#include "gridbase/RarEvad.h"
#include "rtl/Encoding.h"
#include "rtl/IniFile.h"

namespace {

// UTF-8 without a byte-order mark; bytes that are not valid UTF-8 are read
// as Windows-1252, so files written by older programs still read right. A
// byte-order mark names the encoding of the bytes after it.
class TUtf8OrAnsiEncoding : public TEncoding {
public:
    std::string GetBytes(std::u16string_view Text) const override { return Utf8(Text); }
    String GetString(std::string_view Bytes) const override {
        const TBomInfo Bom = DetectBom(Bytes);
        const std::string_view Rest = Bytes.substr(static_cast<size_t>(Bom.Length));
        if (Bom.Encoding == TBomEncoding::Utf16LE) return TEncoding::Unicode().GetString(Rest);
        if (Bom.Encoding == TBomEncoding::Utf16BE) return TEncoding::BigEndianUnicode().GetString(Rest);
        if (Bom.Encoding == TBomEncoding::Utf8) return FromUtf8(Rest);
        String Text = FromUtf8(Bytes);
        // Valid UTF-8 survives the round trip byte for byte; anything that
        // was replaced does not.
        if (Utf8(Text) == Bytes) return Text;
        return FromAnsi(Bytes);
    }
    String EncodingName() const override { return u"UTF-8"; }
};

const TEncoding& Utf8OrAnsi() {
    static const TUtf8OrAnsiEncoding Encoding;
    return Encoding;
}

const String YesText = u"Y";
const String NoText = u"N";

void WriteYesNo(TCustomIniFile& Ini, const String& Section, const String& Key, bool Value) {
    Ini.WriteString(Section, Key, Value ? YesText : NoText);
}

// True only for exactly "Y"; a missing key reads as Default.
bool ReadYesNo(const TCustomIniFile& Ini, const String& Section, const String& Key, bool Default) {
    return Ini.ReadString(Section, Key, Default ? YesText : NoText) == YesText;
}

void WriteFont(TCustomIniFile& Ini, const String& Section, const String& Prefix, const TFont& Font) {
    Ini.WriteString(Section, Prefix + u"Name", Font.Name());
    Ini.WriteInteger(Section, Prefix + u"Size", Font.Size());
    Ini.WriteInteger(Section, Prefix + u"Style", static_cast<Integer>(Font.Style().Mask()));
    Ini.WriteInteger(Section, Prefix + u"Color", Font.Color());
}

// The style becomes exactly the stored bits, so a stored style without bold
// clears the bold of the font read into.
void ReadFont(const TCustomIniFile& Ini, const String& Section, const String& Prefix, TFont& Font) {
    Font.SetName(Ini.ReadString(Section, Prefix + u"Name", u"Arial"));
    Font.SetSize(Ini.ReadInteger(Section, Prefix + u"Size", 10));
    const Integer Style = Ini.ReadInteger(Section, Prefix + u"Style", 0);
    Font.SetStyle(TFontStyles::FromMask(static_cast<UInt64>(Style) & 0xF));
    Font.SetColor(Ini.ReadInteger(Section, Prefix + u"Color", 0));
}

// Header and footer positions: 1 to 6, anything else none.
TPrintPosition ReadPosition(const TCustomIniFile& Ini, const String& Section, const String& Key) {
    const Integer Value = Ini.ReadInteger(Section, Key, 0);
    return Value >= 1 && Value <= 6 ? static_cast<TPrintPosition>(Value) : ppNone;
}

// An ordinal in 0..Last is taken; any other number keeps Current.
template <class E>
E ReadOrdinal(const TCustomIniFile& Ini, const String& Section, const String& Key, Integer Last, E Current) {
    const Integer Value = Ini.ReadInteger(Section, Key, 0);
    return Value >= 0 && Value <= Last ? static_cast<E>(Value) : Current;
}

} // namespace

void TPrintSettings::WriteTo(TCustomIniFile& Ini, const String& Section) const {
    Ini.WriteInteger(Section, u"ColumnSpacing", FColumnSpacing);
    Ini.WriteInteger(Section, u"RowSpacing", FRowSpacing);
    Ini.WriteInteger(Section, u"TitleSpacing", FTitleSpacing);
    Ini.WriteInteger(Section, u"FixedHeight", FFixedHeight);
    Ini.WriteInteger(Section, u"FixedWidth", FFixedWidth);
    WriteYesNo(Ini, Section, u"Centered", FCentered);
    WriteYesNo(Ini, Section, u"NoAutoSize", FNoAutoSize);
    WriteYesNo(Ini, Section, u"NoAutoSizeRow", FNoAutoSizeRow);
    WriteYesNo(Ini, Section, u"UseFixedHeight", FUseFixedHeight);
    WriteYesNo(Ini, Section, u"UseFixedWidth", FUseFixedWidth);
    WriteYesNo(Ini, Section, u"RepeatFixedRows", FRepeatFixedRows);
    WriteYesNo(Ini, Section, u"RepeatFixedCols", FRepeatFixedCols);
    WriteYesNo(Ini, Section, u"UseDisplFont", FUseDisplayFont);
    WriteYesNo(Ini, Section, u"UseDefOrientation", FUseDefaultOrientation);
    Ini.WriteInteger(Section, u"Borders", FBorders);
    Ini.WriteInteger(Section, u"BorderColor", FBorderColor);
    Ini.WriteInteger(Section, u"BorderStyle", FBorderStyle);
    Ini.WriteInteger(Section, u"Date", FDate);
    Ini.WriteInteger(Section, u"PageNr", FPageNr);
    Ini.WriteInteger(Section, u"Title", FTitle);
    Ini.WriteInteger(Section, u"Time", FTime);
    Ini.WriteString(Section, u"DateFormat", FDateFormat);
    Ini.WriteString(Section, u"TitleText", FTitleText);
    Ini.WriteInteger(Section, u"FooterSize", FFooterSize);
    Ini.WriteInteger(Section, u"HeaderSize", FHeaderSize);
    Ini.WriteInteger(Section, u"LeftSize", FLeftSize);
    Ini.WriteInteger(Section, u"RightSize", FRightSize);
    Ini.WriteInteger(Section, u"FitToPage", FFitToPage);
    WriteFont(Ini, Section, u"Font", *FFont);
    WriteFont(Ini, Section, u"FixedFont", *FFixedFont);
    WriteFont(Ini, Section, u"HeaderFont", *FHeaderFont);
    WriteFont(Ini, Section, u"FooterFont", *FFooterFont);
    Ini.WriteString(Section, u"PageNumSep", FPageNumSep);
    Ini.WriteString(Section, u"PageSuffix", FPageSuffix);
    Ini.WriteString(Section, u"PagePrefix", FPagePrefix);
    Ini.WriteInteger(Section, u"Orientation", FOrientation);
    Ini.WriteString(Section, u"TitleLines", LineBreaksToEscapes(FTitleLines->Text()));
    WriteYesNo(Ini, Section, u"PrintGraphics", FPrintGraphics);
}

void TPrintSettings::ReadFrom(const TCustomIniFile& Ini, const String& Section) {
    FColumnSpacing = Ini.ReadInteger(Section, u"ColumnSpacing", 20);
    FRowSpacing = Ini.ReadInteger(Section, u"RowSpacing", 20);
    FTitleSpacing = Ini.ReadInteger(Section, u"TitleSpacing", 20);
    FFixedHeight = Ini.ReadInteger(Section, u"FixedHeight", 0);
    FFixedWidth = Ini.ReadInteger(Section, u"FixedWidth", 0);
    FCentered = ReadYesNo(Ini, Section, u"Centered", true);
    FNoAutoSize = ReadYesNo(Ini, Section, u"NoAutoSize", false);
    FNoAutoSizeRow = ReadYesNo(Ini, Section, u"NoAutoSizeRow", false);
    FUseFixedHeight = ReadYesNo(Ini, Section, u"UseFixedHeight", false);
    FUseFixedWidth = ReadYesNo(Ini, Section, u"UseFixedWidth", false);
    FRepeatFixedRows = ReadYesNo(Ini, Section, u"RepeatFixedRows", false);
    FRepeatFixedCols = ReadYesNo(Ini, Section, u"RepeatFixedCols", false);
    FUseDisplayFont = ReadYesNo(Ini, Section, u"UseDisplFont", false);
    FUseDefaultOrientation = ReadYesNo(Ini, Section, u"UseDefOrientation", false);
    FDateFormat = Ini.ReadString(Section, u"DateFormat", u"");
    FTitleText = Ini.ReadString(Section, u"TitleText", u"");
    FFooterSize = Ini.ReadInteger(Section, u"FooterSize", 100);
    FHeaderSize = Ini.ReadInteger(Section, u"HeaderSize", 100);
    FLeftSize = Ini.ReadInteger(Section, u"LeftSize", 100);
    FRightSize = Ini.ReadInteger(Section, u"RightSize", 100);
    FPageNumSep = Ini.ReadString(Section, u"PageNumSep", u"");
    FPageSuffix = Ini.ReadString(Section, u"PageSuffix", u"");
    FPagePrefix = Ini.ReadString(Section, u"PagePrefix", u"");
    FPrintGraphics = ReadYesNo(Ini, Section, u"PrintGraphics", false);
    FBorders = ReadOrdinal(Ini, Section, u"Borders", pbCustom, FBorders);
    FBorderStyle = ReadOrdinal(Ini, Section, u"BorderStyle", psInsideFrame, FBorderStyle);
    FBorderColor = Ini.ReadInteger(Section, u"BorderColor", 0);
    FDate = ReadPosition(Ini, Section, u"Date");
    FPageNr = ReadPosition(Ini, Section, u"PageNr");
    FTitle = ReadPosition(Ini, Section, u"Title");
    FTime = ReadPosition(Ini, Section, u"Time");
    FFitToPage = ReadOrdinal(Ini, Section, u"FitToPage", fpCustom, FFitToPage);
    ReadFont(Ini, Section, u"Font", *FFont);
    ReadFont(Ini, Section, u"FixedFont", *FFixedFont);
    ReadFont(Ini, Section, u"HeaderFont", *FHeaderFont);
    ReadFont(Ini, Section, u"FooterFont", *FFooterFont);
    FTitleLines->SetText(EscapedNewlinesToCR(Ini.ReadString(Section, u"TitleLines", u"")));
    FOrientation = ReadOrdinal(Ini, Section, u"Orientation", poLandscape, FOrientation);
}

void TPrintSettings::SaveToIni(const String& Key, const String& Section) const {
    TMemIniFile Ini(Key, &Utf8OrAnsi());
    WriteTo(Ini, Section);
    // Written anew in UTF-8 without a byte-order mark, whatever the file
    // was in before.
    TStringList Lines;
    Ini.GetStrings(Lines);
    TMemIniFile Output(String(), &Utf8OrAnsi());
    Output.SetStrings(Lines);
    Output.Rename(Key, false);
    Output.UpdateFile();
}

void TPrintSettings::LoadFromIni(const String& Key, const String& Section) {
    const TMemIniFile Ini(Key, &Utf8OrAnsi());
    ReadFrom(Ini, Section);
}
