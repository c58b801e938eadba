// Base64, hexadecimal and URL encodings of streams and texts.

#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/StringUtils.h"

namespace {

constexpr char Base64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr Char HexDigits[] = u"0123456789ABCDEF";

String EncodeBase64(const TBytes& bytes) {
    String result;
    result.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
        Cardinal group = Cardinal(bytes[i]) << 16;
        if (count > 1) group |= Cardinal(bytes[i + 1]) << 8;
        if (count > 2) group |= bytes[i + 2];
        for (std::size_t k = 0; k < 4; ++k)
            result += k <= count ? Char(Base64Alphabet[(group >> (18 - 6 * k)) & 0x3F]) : u'=';
    }
    return result;
}

int Base64Value(Char ch) {
    if (ch >= u'A' && ch <= u'Z') return ch - u'A';
    if (ch >= u'a' && ch <= u'z') return ch - u'a' + 26;
    if (ch >= u'0' && ch <= u'9') return ch - u'0' + 52;
    if (ch == u'+') return 62;
    if (ch == u'/') return 63;
    return -1;
}

// Standard Base64; line breaks and blanks between the characters are skipped,
// padding ends the data. A character outside the alphabet, or a last group of
// a single character, raises EConvertError.
TBytes DecodeBase64(const String& text) {
    TBytes result;
    result.reserve(text.size() / 4 * 3);
    Cardinal group = 0;
    int collected = 0;
    for (const Char ch : text) {
        if (ch == u'=') break;
        if (ch <= u' ') continue;
        const int value = Base64Value(ch);
        if (value < 0) throw EConvertError(u"Invalid Base64 text");
        group = (group << 6) | Cardinal(value);
        if (++collected == 4) {
            result.push_back(Byte(group >> 16));
            result.push_back(Byte(group >> 8));
            result.push_back(Byte(group));
            group = 0;
            collected = 0;
        }
    }
    if (collected == 1) throw EConvertError(u"Invalid Base64 text");
    if (collected >= 2) result.push_back(Byte(group >> (6 * collected - 8)));
    if (collected == 3) result.push_back(Byte(group >> 2));
    return result;
}

TBytes ReadWholeStream(TStream* AStream) {
    TBytes bytes(std::size_t(AStream->Size()));
    AStream->SetPosition(0);
    if (!bytes.empty()) AStream->ReadBuffer(bytes.data(), Int64(bytes.size()));
    return bytes;
}

int HexValue(Char ch) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    return -1;
}

bool IsUnreservedUrlByte(Byte b) {
    return b == '-' || b == '.' || b == '_' || (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') ||
           (b >= 'a' && b <= 'z');
}

} // namespace

String TRarEvads::SaveStreamToBase64(TStream* AStream, bool AURL) {
    String result = EncodeBase64(ReadWholeStream(AStream));
    if (AURL) {
        for (Char& ch : result) {
            if (ch == u'+') ch = u'-';
            if (ch == u'/') ch = u'_';
        }
        std::erase(result, u'=');
    }
    return result;
}

String TRarEvads::SaveStreamToHexStr(TStream* AStream) {
    const TBytes bytes = ReadWholeStream(AStream);
    String result;
    result.reserve(bytes.size() * 2);
    for (const Byte b : bytes) {
        result += HexDigits[b >> 4];
        result += HexDigits[b & 0x0F];
    }
    return result;
}

TBytes TRarEvads::Decode64ToBytes(const String& AValue, bool AURL) {
    if (AValue.empty()) return {};
    if (!AURL) return DecodeBase64(AValue);
    String standard = AValue;
    while (standard.size() % 4 != 0)
        standard += u'=';
    for (Char& ch : standard) {
        if (ch == u'-') ch = u'+';
        if (ch == u'_') ch = u'/';
    }
    return DecodeBase64(standard);
}

TBytes TRarEvads::HexStrToBytes(const String& AValue) {
    if (AValue.size() % 2 != 0) throw EConvertError(u"'%s' is not a valid integer value", {AValue});
    TBytes result;
    result.reserve(AValue.size() / 2);
    for (std::size_t i = 0; i < AValue.size(); i += 2) {
        const int high = HexValue(AValue[i]);
        const int low = HexValue(AValue[i + 1]);
        if (high < 0 || low < 0)
            throw EConvertError(u"'%s' is not a valid integer value", {u"$" + AValue.substr(i, 2)});
        result.push_back(Byte(high * 16 + low));
    }
    return result;
}

void TRarEvads::LoadStreamFromBase64(const String& ABase64, TStream* AStream, bool AURL) {
    const TBytes bytes = Decode64ToBytes(ABase64, AURL);
    if (!bytes.empty()) AStream->WriteBuffer(bytes.data(), Int64(bytes.size()));
}

void TRarEvads::LoadStreamFromHexStr(const String& AHexStr, TStream* AStream) {
    // A last single character is no byte and is ignored.
    const TBytes bytes = HexStrToBytes(AHexStr.substr(0, AHexStr.size() / 2 * 2));
    if (!bytes.empty()) AStream->WriteBuffer(bytes.data(), Int64(bytes.size()));
}

String TRarEvads::URLEncode(const String& AURL) {
    String result;
    for (const char c : Utf8(AURL)) {
        const Byte b = Byte(c);
        if (IsUnreservedUrlByte(b)) {
            result += Char(b);
        } else {
            result += u'%';
            result += HexDigits[b >> 4];
            result += HexDigits[b & 0x0F];
        }
    }
    return result;
}

String TRarEvads::URLDecode(const String& AURL) {
    if (AURL.empty()) return String();
    std::string bytes;
    for (std::size_t i = 0; i < AURL.size(); ++i) {
        if (AURL[i] != u'%') {
            bytes += char(AURL[i] & 0xFF);
            continue;
        }
        // "%" and two upper-case hexadecimal digits give a byte; with other
        // characters the three give nothing. A "%" with fewer than two
        // characters after it gives nothing.
        if (i + 2 < AURL.size()) {
            const Char high = AURL[i + 1], low = AURL[i + 2];
            const auto upperHex = [](Char ch) {
                return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F');
            };
            if (upperHex(high) && upperHex(low)) bytes += char(HexValue(high) * 16 + HexValue(low));
            i += 2;
        }
    }
    return Trim(FromUtf8(bytes));
}
