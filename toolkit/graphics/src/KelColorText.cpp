#include "kel/KelColorText.h"

#include "kel/KelGraphicsTypes.h"
#include "kel/KelNamedColors.h"
#include "rtl/StringUtils.h"

namespace {

Integer HexDigit(Char ch) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    return -1;
}

// The channel written by the digits at 0-based positions AFirst and ASecond;
// -1 when one is missing or no hexadecimal digit.
Integer HexChannel(const String& AText, size_t AFirst, size_t ASecond) {
    if (ASecond >= AText.size()) return -1;
    const Integer High = HexDigit(AText[AFirst]);
    const Integer Low = HexDigit(AText[ASecond]);
    if (High < 0 || Low < 0) return -1;
    return High * 16 + Low;
}

void RemovePrefix(String& AText, std::u16string_view APrefix) {
    if (AText.starts_with(APrefix)) AText.erase(0, APrefix.size());
}

} // namespace

TColor HTMLToColor(const String& AHTML) {
    if (AHTML.empty()) return gcNull;
    // "#RGB" doubles each digit; every other length reads two digits per channel.
    const bool Short = AHTML.size() == 4;
    const Integer Red = Short ? HexChannel(AHTML, 1, 1) : HexChannel(AHTML, 1, 2);
    const Integer Green = Short ? HexChannel(AHTML, 2, 2) : HexChannel(AHTML, 3, 4);
    const Integer Blue = Short ? HexChannel(AHTML, 3, 3) : HexChannel(AHTML, 5, 6);
    if (Red < 0 || Green < 0 || Blue < 0) return gcNull;
    return Red + Green * 256 + Blue * 65536;
}

TColor TextToColor(const String& AText) {
    String Name = LowerCase(AText);
    RemovePrefix(Name, u"cl");
    RemovePrefix(Name, u"cla");
    RemovePrefix(Name, u"gc");
    const TStringList* Names = ColorNameList();
    if (Names == nullptr) return 0;
    const Integer Index = Names->IndexOf(Name);
    if (Index < 0) return 0;
    return static_cast<const TKelGraphicsColorObject*>(Names->Objects(Index))->Color();
}
