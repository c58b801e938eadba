// JSON-style character escaping and the reversible character scramble.

#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"

namespace {

// The characters written as "\u" escapes although they lie below 128.
constexpr Char EscapedCharacters[] = {u'"', u'\\', 8, 12, 10, 13, 9};

bool IsEscaped(Char ch) {
    for (const Char escaped : EscapedCharacters)
        if (ch == escaped) return true;
    return false;
}

int HexDigitValue(Char ch) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    return -1;
}

// The five low bits every character is combined with by EnDeCrypt.
constexpr Char ScrambleBits = 0x15;

} // namespace

String TRarEvads::EscapeString(const String& AValue) {
    String result;
    result.reserve(AValue.size());
    for (const Char ch : AValue) {
        if (ch < 128 && !IsEscaped(ch))
            result += ch;
        else
            result += u"\\u" + IntToHex(Integer(ch), 4);
    }
    return result;
}

String TRarEvads::UnescapeString(const String& AValue) {
    String result;
    result.reserve(AValue.size());
    for (std::size_t i = 0; i < AValue.size(); ++i) {
        if (AValue[i] != u'\\') {
            result += AValue[i];
            continue;
        }
        const std::size_t backslash = i;
        if (++i == AValue.size()) throw Exception(u"Unexpected end of string");
        const auto invalid = [&] {
            return Exception(u"Invalid code at position %s", {IntToStr(backslash + 1)});
        };
        switch (AValue[i]) {
        case u'\\':
            result += u'\\';
            break;
        case u'/':
            result += u'/';
            break;
        // The standard JSON escape of a quote, which other writers produce.
        case u'"':
            result += u'"';
            break;
        case u'b':
            result += Char(8);
            break;
        case u'f':
            result += Char(12);
            break;
        case u'n':
            result += Char(10);
            break;
        case u'r':
            result += Char(13);
            break;
        case u't':
            result += Char(9);
            break;
        case u'u': {
            if (AValue.size() - i - 1 < 4) throw invalid();
            Char code = 0;
            for (std::size_t k = 1; k <= 4; ++k) {
                const int digit = HexDigitValue(AValue[i + k]);
                if (digit < 0) throw invalid();
                code = Char(code * 16 + digit);
            }
            result += code;
            i += 4;
            break;
        }
        default:
            throw invalid();
        }
    }
    return result;
}

String TRarEvads::EnDeCrypt(const String& AValue) {
    String result;
    result.reserve(AValue.size());
    for (const Char ch : AValue)
        result += Char((ch & 0xE0) | ((ch ^ ScrambleBits) & 0x1F));
    return result;
}
