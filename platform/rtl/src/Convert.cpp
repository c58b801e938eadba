#include "rtl/Convert.h"

#include "DecimalText.h"
#include "rtl/Exception.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

String HexText(UInt64 value, Integer digits) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, value, 16).ptr;
    String out;
    const int count = static_cast<int>(end - buf);
    if (digits > count) out.append(digits - count, u'0');
    for (const char* p = buf; p < end; ++p)
        out += static_cast<Char>(*p >= 'a' ? *p - 'a' + 'A' : *p);
    return out;
}

bool IsBlank(Char c) {
    return c == u' ' || c == u'\t';
}

int HexDigit(Char c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

struct TIntegerScan {
    size_t Stop = 0;       // index where reading stopped; text.size() when all was read
    bool AnyDigit = false; // at least one digit was read
    Int64 Value = 0;       // the value of the digits read
    bool Complete(std::u16string_view text) const { return AnyDigit && Stop == text.size(); }
};

// Reads an integer of `bits` width (32 or 64) as far as the text allows.
TIntegerScan ScanInteger(std::u16string_view text, int bits) {
    TIntegerScan scan;
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
    bool hex = false;
    if (i < text.size() && text[i] == u'$') {
        hex = true, ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true, i += 2;
    } else if (i < text.size() && (text[i] == u'x' || text[i] == u'X')) {
        hex = true, ++i;
    }
    const UInt64 base = hex ? 16 : 10;
    const UInt64 limit =
        hex ? (bits == 64 ? ~UInt64(0) : 0xFFFFFFFFull)
            : (bits == 64 ? UInt64(std::numeric_limits<Int64>::max()) : 0x7FFFFFFFull) + (negative ? 1 : 0);
    UInt64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit =
            hex ? HexDigit(text[i]) : (text[i] >= u'0' && text[i] <= u'9' ? text[i] - u'0' : -1);
        if (digit < 0 || magnitude > (limit - digit) / base) break; // not a digit, or it would overflow
        magnitude = magnitude * base + digit;
        scan.AnyDigit = true;
    }
    scan.Stop = i;
    // Hexadecimal digits fill the type's bits: "$FFFFFFFF" is -1 as an Integer.
    if (hex && bits == 32)
        magnitude = static_cast<UInt64>(static_cast<Int64>(static_cast<Integer>(magnitude)));
    scan.Value = negative ? static_cast<Int64>(UInt64(0) - magnitude) : static_cast<Int64>(magnitude);
    return scan;
}

bool ReadWholeInteger(std::u16string_view text, int bits, Int64& value) {
    const TIntegerScan scan = ScanInteger(text, bits);
    if (!scan.Complete(text)) return false;
    value = scan.Value;
    return true;
}

// The number in "." notation for from_chars; short numbers need no heap.
class TAsciiNumber {
public:
    TAsciiNumber& operator+=(char c) {
        if (FLength < sizeof FSmall) {
            FSmall[FLength] = c;
        } else {
            if (FLarge.empty()) FLarge.assign(FSmall, FLength);
            FLarge += c;
        }
        ++FLength;
        return *this;
    }
    TAsciiNumber& operator+=(const std::string& text) {
        for (const char c : text)
            *this += c;
        return *this;
    }
    const char* data() const { return FLarge.empty() ? FSmall : FLarge.data(); }
    size_t size() const { return FLength; }
    char operator[](size_t i) const { return data()[i]; }

private:
    char FSmall[64];
    size_t FLength = 0;
    std::string FLarge;
};

struct TFloatScan {
    size_t Stop = 0;    // index where the number ends
    bool Valid = false; // a mantissa digit was read
    TAsciiNumber Ascii; // the number in "." notation, for from_chars
    int Magnitude = 0;  // integer digits (without leading zeros) plus exponent
};

// Reads [sign] digits [separator digits] [(E|e) [sign] digits] from `i`.
TFloatScan ScanFloat(std::u16string_view text, size_t i, Char decimalSeparator) {
    TFloatScan scan;
    auto isDigit = [&](size_t k) { return k < text.size() && text[k] >= u'0' && text[k] <= u'9'; };
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-') scan.Ascii += '-';
        ++i;
    }
    bool leading = true;
    for (; isDigit(i); ++i) {
        scan.Ascii += static_cast<char>(text[i]);
        scan.Valid = true;
        if (text[i] != u'0') leading = false;
        if (!leading) ++scan.Magnitude;
    }
    if (i < text.size() && text[i] == decimalSeparator) {
        size_t k = i + 1;
        if (scan.Valid || isDigit(k)) {
            scan.Ascii += '.';
            for (; isDigit(k); ++k) {
                scan.Ascii += static_cast<char>(text[k]);
                if (leading && text[k] == u'0') --scan.Magnitude;
                if (text[k] != u'0') leading = false;
            }
            scan.Valid = true;
            i = k;
        }
    }
    if (scan.Valid && i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        size_t k = i + 1;
        bool negative = false;
        if (k < text.size() && (text[k] == u'-' || text[k] == u'+')) negative = text[k++] == u'-';
        if (isDigit(k)) {
            int exponent = 0;
            for (; isDigit(k); ++k)
                exponent = std::min(exponent * 10 + (text[k] - u'0'), 100000);
            scan.Ascii += 'e';
            if (negative) scan.Ascii += '-';
            scan.Ascii += std::to_string(exponent);
            scan.Magnitude += negative ? -exponent : exponent;
            i = k;
        }
    }
    scan.Stop = i;
    return scan;
}

// The value of a scanned number; false when it is beyond the range of Double.
bool FloatValue(const TFloatScan& scan, Double& value) {
    const char* end = scan.Ascii.data() + scan.Ascii.size();
    const auto result = std::from_chars(scan.Ascii.data(), end, value);
    if (result.ec == std::errc::result_out_of_range) {
        if (scan.Magnitude > 0) return false;
        value = scan.Ascii[0] == '-' ? -0.0 : 0.0; // too small: reads as zero
        return true;
    }
    return result.ec == std::errc() && result.ptr == end;
}

[[noreturn]] void RaiseInvalidInteger(std::u16string_view text) {
    throw EConvertError(u"'" + String(text) + u"' is not a valid integer value");
}

} // namespace

String IntToStr(Int64 value) {
    String out;
    if (value < 0) out += u'-';
    detail::AppendUnsigned(out,
                           value < 0 ? UInt64(0) - static_cast<UInt64>(value) : static_cast<UInt64>(value));
    return out;
}

String UIntToStr(UInt64 value) {
    String out;
    detail::AppendUnsigned(out, value);
    return out;
}

String IntToHex(Integer value, Integer digits) {
    return HexText(static_cast<Cardinal>(value), digits);
}
String IntToHex(Cardinal value, Integer digits) {
    return HexText(value, digits);
}
String IntToHex(Int64 value, Integer digits) {
    return HexText(static_cast<UInt64>(value), digits);
}
String IntToHex(UInt64 value, Integer digits) {
    return HexText(value, digits);
}

bool TryStrToInt(std::u16string_view text, Integer& value) {
    Int64 read = 0;
    if (!ReadWholeInteger(text, 32, read)) return false;
    value = static_cast<Integer>(read);
    return true;
}

bool TryStrToInt64(std::u16string_view text, Int64& value) {
    return ReadWholeInteger(text, 64, value);
}

Integer StrToInt(std::u16string_view text) {
    Integer value = 0;
    if (!TryStrToInt(text, value)) RaiseInvalidInteger(text);
    return value;
}

Int64 StrToInt64(std::u16string_view text) {
    Int64 value = 0;
    if (!TryStrToInt64(text, value)) RaiseInvalidInteger(text);
    return value;
}

Integer StrToIntDef(std::u16string_view text, Integer defaultValue) {
    Integer value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

Int64 StrToInt64Def(std::u16string_view text, Int64 defaultValue) {
    Int64 value = 0;
    return TryStrToInt64(text, value) ? value : defaultValue;
}

void Val(std::u16string_view text, Int64& value, Integer& code) {
    const TIntegerScan scan = ScanInteger(text, 64);
    value = scan.Value;
    code = scan.Complete(text) ? 0 : static_cast<Integer>(scan.Stop + 1);
}

void Val(std::u16string_view text, Integer& value, Integer& code) {
    const TIntegerScan scan = ScanInteger(text, 32);
    value = static_cast<Integer>(scan.Value);
    code = scan.Complete(text) ? 0 : static_cast<Integer>(scan.Stop + 1);
}

void Val(std::u16string_view text, Double& value, Integer& code) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const TFloatScan scan = ScanFloat(text, i, u'.');
    value = 0;
    if (scan.Valid && !FloatValue(scan, value)) {
        value = 0;
        code = static_cast<Integer>(i + 1);
        return;
    }
    code = scan.Valid && scan.Stop == text.size() ? 0 : static_cast<Integer>(scan.Stop + 1);
}

bool TryStrToFloat(std::u16string_view text, Double& value, const TFormatSettings& settings) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    const std::u16string_view number = text.substr(first, last - first);
    const TFloatScan scan = ScanFloat(number, 0, settings.DecimalSeparator);
    if (!scan.Valid || scan.Stop != number.size()) return false;
    Double read = 0;
    if (!FloatValue(scan, read)) return false;
    value = read;
    return true;
}

bool TryStrToFloat(std::u16string_view text, Double& value) {
    return TryStrToFloat(text, value, FormatSettings);
}

Double StrToFloat(std::u16string_view text, const TFormatSettings& settings) {
    Double value = 0;
    if (!TryStrToFloat(text, value, settings))
        throw EConvertError(u"'" + String(text) + u"' is not a valid floating point value");
    return value;
}

Double StrToFloat(std::u16string_view text) {
    return StrToFloat(text, FormatSettings);
}

Double StrToFloatDef(std::u16string_view text, Double defaultValue, const TFormatSettings& settings) {
    Double value = 0;
    return TryStrToFloat(text, value, settings) ? value : defaultValue;
}

Double StrToFloatDef(std::u16string_view text, Double defaultValue) {
    return StrToFloatDef(text, defaultValue, FormatSettings);
}

String BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs) return value ? u"True" : u"False";
    return value ? u"-1" : u"0";
}
