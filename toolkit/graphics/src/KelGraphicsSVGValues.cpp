// The value grammars of the SVG engine: angles, rgb() colours and their
// components, lengths with units, font families.

#include "KelGraphicsSVGNumbers.h"
#include "kel/KelGraphicsSVGEngine.h"
#include "kel/KelGraphicsTypes.h"
#include "kel/RarEvads.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

bool ReadNumber(const String& AText, Double& AValue) {
    return TRarEvads::TryStrToFloatDot(AText, AValue);
}

bool AllOf(const String& AText, bool (*AAccept)(Char)) {
    return std::all_of(AText.begin(), AText.end(), AAccept);
}

bool IsDecimalDigit(Char ch) {
    return ch >= u'0' && ch <= u'9';
}

bool IsHexDigit(Char ch) {
    return IsDecimalDigit(ch) || (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
}

// The digits as a number, stopping once it exceeds 255 (the caller caps it).
Integer ReadCapped(const String& ADigits, Integer ABase) {
    Integer Value = 0;
    for (const Char ch : ADigits) {
        const Integer Digit = IsDecimalDigit(ch) ? ch - u'0' : (ch | 0x20) - u'a' + 10;
        Value = Value * ABase + Digit;
        if (Value > 255) return 256;
    }
    return Value;
}

// Round(AValue * 255 / 100) with halves to even, in integers so that 50%
// gives exactly 127.5 and so 128.
Integer PercentToChannel(Integer APercent) {
    const Integer Scaled = std::min(APercent, 100) * 255;
    Integer Result = Scaled / 100;
    const Integer Remainder = Scaled % 100;
    if (Remainder > 50 || (Remainder == 50 && Result % 2 == 1)) ++Result;
    return Result;
}

// The alpha of rgba(): a number from 0 to 1 or a percentage, as 0 to 255;
// -1 when it cannot be read.
Integer ParseAlphaComponent(String AText) {
    const bool Percent = AText.ends_with(u'%');
    if (Percent) AText.pop_back();
    Double Value = 0;
    if (!ReadNumber(AText, Value) || std::isnan(Value)) return -1;
    if (Percent) Value /= 100;
    return static_cast<Integer>(std::lround(std::clamp(Value, 0.0, 1.0) * 255));
}

// Everything before the first ASeparator of ARest, trimmed; ARest keeps what
// follows it, trimmed. False when there is no separator.
bool TakeItem(String& ARest, Char ASeparator, String& AItem) {
    const size_t At = ARest.find(ASeparator);
    if (At == String::npos) return false;
    AItem = Trim(std::u16string_view(ARest).substr(0, At));
    ARest = Trim(std::u16string_view(ARest).substr(At + 1));
    return true;
}

bool RemoveSuffix(String& AText, std::u16string_view ASuffix) {
    if (!AText.ends_with(ASuffix)) return false;
    AText.erase(AText.size() - ASuffix.size());
    return true;
}

// Removes the first AWord of AText; false when there is none.
bool RemoveWord(String& AText, std::u16string_view AWord) {
    const size_t At = AText.find(AWord);
    if (At == String::npos) return false;
    AText.erase(At, AWord.size());
    return true;
}

String Unquote(const String& AText) {
    if (AText.size() >= 2 && (AText.front() == u'"' || AText.front() == u'\'') &&
        AText.back() == AText.front())
        return AText.substr(1, AText.size() - 2);
    return AText;
}

struct TLengthUnit {
    std::u16string_view Name;
    Double Factor;
};

// CSS absolute units: 96 user units per inch.
constexpr TLengthUnit LengthUnits[] = {
    {u"px", 1},           {u"pt", 96.0 / 72.0}, {u"pc", 16}, {u"mm", 96.0 / 25.4},
    {u"cm", 96.0 / 2.54}, {u"in", 96},          {u"em", 1},  {u"ex", 1},
};

} // namespace

Double ParseAngle(const String& AText) {
    constexpr Double Pi = std::numbers::pi;
    if (AText.empty()) return 0;
    struct TAngleUnit {
        std::u16string_view Name;
        Double Factor;
    };
    // "grad" is tested before "rad", which it contains.
    constexpr TAngleUnit Units[] = {{u"deg", Pi / 180}, {u"grad", Pi / 200}, {u"rad", 1}};
    for (const TAngleUnit& Unit : Units) {
        const size_t At = AText.find(Unit.Name);
        if (At == String::npos) continue;
        Double Value = 0;
        return ReadNumber(AText.substr(0, At), Value) ? Value * Unit.Factor : 0;
    }
    Double Value = 0;
    return ReadNumber(AText, Value) ? Value * Pi / 180 : 0;
}

Integer ParseColorComponent(const String& AText) {
    String Digits = u"0" + AText;
    const bool Percent = Digits.ends_with(u'%');
    if (Percent) Digits.pop_back();
    Integer Value = 0;
    Double Fraction = 0;
    // A number with a fractional part ("18.04%", as cairo writes colours).
    if (Digits.find(u'.') != String::npos && ReadNumber(Digits, Fraction) && std::isfinite(Fraction)) {
        const Double Channel = Percent ? Fraction * 255 / 100 : Fraction;
        return Integer(std::lround(std::clamp(Channel, 0.0, 255.0)));
    }
    if (AllOf(Digits, IsDecimalDigit))
        Value = ReadCapped(Digits, 10);
    else if (AllOf(Digits, IsHexDigit))
        Value = ReadCapped(Digits, 16);
    else
        return -1;
    return Percent ? PercentToChannel(Value) : std::min(Value, 255);
}

TColor TKelGraphicsSVGImport::ParseRGB(const String& AText, Integer& AAlpha) {
    AAlpha = 255;
    const bool HasAlpha = AText.starts_with(u"rgba(");
    if ((!HasAlpha && !AText.starts_with(u"rgb(")) || !AText.ends_with(u')')) return gcNull;
    const size_t Open = AText.find(u'(');
    String Rest = Trim(std::u16string_view(AText).substr(Open + 1, AText.size() - Open - 2));
    String Red, Green, Blue;
    if (!TakeItem(Rest, u',', Red) || !TakeItem(Rest, u',', Green)) return gcNull;
    if (HasAlpha) {
        if (!TakeItem(Rest, u',', Blue)) return gcNull;
        AAlpha = ParseAlphaComponent(Rest);
    } else {
        Blue = Rest;
    }
    const Integer R = ParseColorComponent(Red);
    const Integer G = ParseColorComponent(Green);
    const Integer B = ParseColorComponent(Blue);
    if (R < 0 || G < 0 || B < 0) return gcNull;
    return R + 256 * G + 65536 * B;
}

bool detail::TryParseSVGLength(const String& AText, Double& AValue, bool& APercent) {
    String Number = AText;
    Double Factor = 1;
    APercent = false;
    const auto Unit = std::find_if(std::begin(LengthUnits), std::end(LengthUnits),
                                   [&](const TLengthUnit& U) { return AText.ends_with(U.Name); });
    if (Unit != std::end(LengthUnits)) {
        Number.erase(Number.size() - 2);
        Factor = Unit->Factor;
    } else if (AText.ends_with(u'%')) {
        Number.pop_back();
        APercent = true;
    }
    Double Value = 0;
    if (!ReadNumber(Number, Value)) return false;
    AValue = Value * Factor;
    return true;
}

Single ParseLength(const String& AText) {
    Double Value = 0;
    bool Percent = false;
    return detail::TryParseSVGLength(AText, Value, Percent) ? static_cast<Single>(Value) : 0;
}

String ParseFontFamily(const String& AText, TFontStyles& AStyle) {
    AStyle = TFontStyles();
    // The first family of the list; the others are fallbacks the font
    // lookup does not need.
    const size_t Comma = AText.find(u',');
    String Family = Unquote(Trim(std::u16string_view(AText).substr(0, Comma)));
    // PostScript-style names carry the style: "Arial-BoldItalicMT".
    bool Removed = false;
    if (RemoveWord(Family, u"Bold")) {
        AStyle.Include(fsBold);
        Removed = true;
    }
    if (RemoveWord(Family, u"Italic")) {
        AStyle.Include(fsItalic);
        Removed = true;
    }
    if (Removed) {
        RemoveSuffix(Family, u"-");
        RemoveSuffix(Family, u"MT");
        RemoveSuffix(Family, u"-");
    }
    RemoveSuffix(Family, u"MT");
    RemoveSuffix(Family, u"-");
    return Trim(Family);
}
