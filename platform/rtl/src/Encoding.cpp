#include "rtl/Encoding.h"

#include <array>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined
// map to the C1 control with the same number, as the Windows conversion does.
constexpr std::array<Char, 32> kAnsiHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

bool IsHighSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void AppendUtf16(String& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<Char>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<Char>(0xD800 + (cp >> 10));
        out += static_cast<Char>(0xDC00 + (cp & 0x3FF));
    }
}

} // namespace

std::string Utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

String FromUtf8(std::string_view bytes) {
    String out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            out += static_cast<Char>(b0);
            ++i;
            continue;
        }
        int extra = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if ((b0 & 0xE0) == 0xC0) {
            extra = 1, cp = b0 & 0x1F, minimum = 0x80;
        } else if ((b0 & 0xF0) == 0xE0) {
            extra = 2, cp = b0 & 0x0F, minimum = 0x800;
        } else if ((b0 & 0xF8) == 0xF0) {
            extra = 3, cp = b0 & 0x07, minimum = 0x10000;
        } else {
            out += static_cast<Char>(kReplacement);
            ++i;
            continue;
        }
        size_t j = i + 1;
        for (; j < bytes.size() && j <= i + extra; ++j) {
            const auto b = static_cast<unsigned char>(bytes[j]);
            if ((b & 0xC0) != 0x80) break;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (j != i + 1 + extra || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            // Malformed: replace the lead byte and resynchronise after it.
            out += static_cast<Char>(kReplacement);
            i = (j == i + 1) ? i + 1 : j;
            continue;
        }
        AppendUtf16(out, cp);
        i = j;
    }
    return out;
}

AnsiString ToAnsi(std::u16string_view text) {
    AnsiString out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char byte = '?';
        for (size_t k = 0; k < kAnsiHighControls.size(); ++k) {
            if (kAnsiHighControls[k] == c) {
                byte = static_cast<char>(0x80 + k);
                break;
            }
        }
        out += byte;
        // A surrogate pair is one character and gets one '?'.
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    }
    return out;
}

String FromAnsi(std::string_view bytes) {
    String out;
    out.reserve(bytes.size());
    for (const char b : bytes) {
        const auto byte = static_cast<unsigned char>(b);
        out += (byte >= 0x80 && byte <= 0x9F) ? kAnsiHighControls[byte - 0x80] : static_cast<Char>(byte);
    }
    return out;
}

TBomInfo DetectBom(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return {TBomEncoding::Utf8, 3};
    if (bytes.starts_with("\xFF\xFE")) return {TBomEncoding::Utf16LE, 2};
    if (bytes.starts_with("\xFE\xFF")) return {TBomEncoding::Utf16BE, 2};
    return {};
}

namespace {

class TAnsiEncoding final : public TEncoding {
public:
    std::string GetBytes(std::u16string_view text) const override { return ToAnsi(text); }
    String GetString(std::string_view bytes) const override { return FromAnsi(bytes); }
    String EncodingName() const override { return u"Windows-1252"; }
};

class TAsciiEncoding final : public TEncoding {
public:
    std::string GetBytes(std::u16string_view text) const override {
        std::string out;
        out.reserve(text.size());
        for (size_t i = 0; i < text.size(); ++i) {
            const Char c = text[i];
            out += c < 0x80 ? static_cast<char>(c) : '?';
            if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
        }
        return out;
    }
    String GetString(std::string_view bytes) const override {
        String out;
        out.reserve(bytes.size());
        for (const char b : bytes)
            out += static_cast<unsigned char>(b) < 0x80 ? static_cast<Char>(b) : u'?';
        return out;
    }
    String EncodingName() const override { return u"US-ASCII"; }
};

class TUtf8Encoding final : public TEncoding {
public:
    std::string GetBytes(std::u16string_view text) const override { return Utf8(text); }
    String GetString(std::string_view bytes) const override { return FromUtf8(bytes); }
    std::string GetPreamble() const override { return "\xEF\xBB\xBF"; }
    String EncodingName() const override { return u"UTF-8"; }
};

// UTF-16 in either byte order. Code units pass through unchanged, unpaired
// surrogates included; an odd last byte becomes U+FFFD.
class TUtf16Encoding final : public TEncoding {
public:
    explicit TUtf16Encoding(bool bigEndian) : FBigEndian(bigEndian) {}

    std::string GetBytes(std::u16string_view text) const override {
        std::string out;
        out.reserve(text.size() * 2);
        for (const Char c : text) {
            const char high = static_cast<char>(c >> 8);
            const char low = static_cast<char>(c & 0xFF);
            out += FBigEndian ? high : low;
            out += FBigEndian ? low : high;
        }
        return out;
    }
    String GetString(std::string_view bytes) const override {
        String out;
        out.reserve(bytes.size() / 2 + 1);
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const auto first = static_cast<unsigned char>(bytes[i]);
            const auto second = static_cast<unsigned char>(bytes[i + 1]);
            out += static_cast<Char>(FBigEndian ? (first << 8) | second : (second << 8) | first);
        }
        if (bytes.size() % 2 != 0) out += static_cast<Char>(kReplacement);
        return out;
    }
    std::string GetPreamble() const override { return FBigEndian ? "\xFE\xFF" : "\xFF\xFE"; }
    String EncodingName() const override { return FBigEndian ? u"UTF-16BE" : u"UTF-16LE"; }

private:
    bool FBigEndian;
};

} // namespace

const TEncoding& TEncoding::ANSI() {
    static const TAnsiEncoding instance;
    return instance;
}

const TEncoding& TEncoding::Default() {
    return ANSI();
}

const TEncoding& TEncoding::ASCII() {
    static const TAsciiEncoding instance;
    return instance;
}

const TEncoding& TEncoding::UTF8() {
    static const TUtf8Encoding instance;
    return instance;
}

const TEncoding& TEncoding::Unicode() {
    static const TUtf16Encoding instance(false);
    return instance;
}

const TEncoding& TEncoding::BigEndianUnicode() {
    static const TUtf16Encoding instance(true);
    return instance;
}

Integer TEncoding::GetBufferEncoding(std::string_view bytes, const TEncoding*& encoding,
                                     const TEncoding& defaultEncoding) {
    if (encoding != nullptr) {
        const std::string preamble = encoding->GetPreamble();
        return !preamble.empty() && bytes.starts_with(preamble) ? static_cast<Integer>(preamble.size()) : 0;
    }
    const TBomInfo bom = DetectBom(bytes);
    switch (bom.Encoding) {
    case TBomEncoding::Utf8:
        encoding = &UTF8();
        break;
    case TBomEncoding::Utf16LE:
        encoding = &Unicode();
        break;
    case TBomEncoding::Utf16BE:
        encoding = &BigEndianUnicode();
        break;
    case TBomEncoding::None:
        encoding = &defaultEncoding;
        break;
    }
    return bom.Length;
}

String DecodeText(std::string_view bytes, const TEncoding& withoutBom) {
    const TEncoding* encoding = nullptr;
    const Integer skip = TEncoding::GetBufferEncoding(bytes, encoding, withoutBom);
    return encoding->GetString(bytes.substr(static_cast<size_t>(skip)));
}
