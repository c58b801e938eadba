// Character entities of the cell markup.

#include "gridbase/MarkupEntities.h"

#include "rtl/Convert.h"

#include <array>

namespace {

constexpr std::array<TMarkupEntity, 81> GridEntities{{
    {u"\"", u"&quot;"},       {u" ", u"&nbsp;"},        {u"\u00E9", u"&eacute;"}, {u"\u00E8", u"&egrave;"},
    {u"\u00EB", u"&euml;"},   {u"\u00EA", u"&ecirc;"},  {u"\u00F3", u"&oacute;"}, {u"\u00F2", u"&ograve;"},
    {u"\u00F6", u"&ouml;"},   {u"\u00F4", u"&ocirc;"},  {u"\u00ED", u"&iacute;"}, {u"\u00EC", u"&igrave;"},
    {u"\u00EF", u"&iuml;"},   {u"\u00EE", u"&icirc;"},  {u"\u00FA", u"&uacute;"}, {u"\u00F9", u"&ugrave;"},
    {u"\u00FC", u"&uuml;"},   {u"\u00FB", u"&ucirc;"},  {u"\u00E1", u"&aacute;"}, {u"\u00E0", u"&agrave;"},
    {u"\u00E4", u"&auml;"},   {u"\u00E2", u"&acirc;"},  {u"\u00C9", u"&Eacute;"}, {u"\u00C8", u"&Egrave;"},
    {u"\u00CB", u"&Euml;"},   {u"\u00CA", u"&Ecirc;"},  {u"\u00D3", u"&Oacute;"}, {u"\u00D2", u"&Ograve;"},
    {u"\u00D6", u"&Ouml;"},   {u"\u00D4", u"&Ocirc;"},  {u"\u00CD", u"&Iacute;"}, {u"\u00CC", u"&Igrave;"},
    {u"\u00CF", u"&Iuml;"},   {u"\u00CE", u"&Icirc;"},  {u"\u00DA", u"&Uacute;"}, {u"\u00D9", u"&Ugrave;"},
    {u"\u00DC", u"&Uuml;"},   {u"\u00DB", u"&Ucirc;"},  {u"\u00C1", u"&Aacute;"}, {u"\u00C0", u"&Agrave;"},
    {u"\u00C4", u"&Auml;"},   {u"\u00C2", u"&Acirc;"},  {u"\u00E7", u"&ccedil;"}, {u"\u00C7", u"&Ccedil;"},
    {u"\u00F8", u"&oslash;"}, {u"\u00D8", u"&Oslash;"}, {u"\u00E5", u"&aring;"},  {u"\u00C5", u"&Aring;"},
    {u"\u00A9", u"&copy;"},   {u"\u00AE", u"&reg;"},    {u"\u20AC", u"&euro;"},   {u"\u00AB", u"&laquo;"},
    {u"\u00BB", u"&raquo;"},  {u"\u00E3", u"&atilde;"}, {u"\u00C3", u"&Atilde;"}, {u"\u00F5", u"&otilde;"},
    {u"\u00D5", u"&Otilde;"}, {u"\u2122", u"&trade;"},  {u"\u00A7", u"&sect;"},   {u"\u00B6", u"&para;"},
    {u"\u00DF", u"&szlig;"},  {u"\u00A3", u"&pound;"},  {u"$", u"&dollar;"},      {u"\u2030", u"&permil;"},
    {u"'", u"&#39;"},         {u"\u00A5", u"&yen;"},    {u"\u00A4", u"&curren;"}, {u"\u00A2", u"&cent;"},
    {u"\u00B1", u"&plusmn;"}, {u"\u00A1", u"&iexcl;"},  {u"\u00B0", u"&deg;"},    {u"\u00FD", u"&#x00FD;"},
    {u"\u00DD", u"&#221;"},   {u"\u00BC", u"&frac14;"}, {u"\u00BD", u"&frac12;"}, {u"\u00BE", u"&frac34;"},
    {u"\u00C6", u"&AElig;"},  {u"\u00E6", u"&aelig;"},  {u"\u00D1", u"&Ntilde;"}, {u"\u00F1", u"&ntilde;"},
    {u"\u00D0", u"&ETH;"},
}};

constexpr std::array<TMarkupEntity, 77> StaticEntities{{
    {u"\u00E9", u"&eacute;"}, {u"\u00E8", u"&egrave;"}, {u"\u00EB", u"&euml;"},   {u"\u00EA", u"&ecirc;"},
    {u"\u00F3", u"&oacute;"}, {u"\u00F2", u"&ograve;"}, {u"\u00F6", u"&ouml;"},   {u"\u00F4", u"&ocirc;"},
    {u"\u00ED", u"&iacute;"}, {u"\u00EC", u"&igrave;"}, {u"\u00EF", u"&iuml;"},   {u"\u00EE", u"&icirc;"},
    {u"\u00FA", u"&uacute;"}, {u"\u00F9", u"&ugrave;"}, {u"\u00FC", u"&uuml;"},   {u"\u00FB", u"&ucirc;"},
    {u"\u00E1", u"&aacute;"}, {u"\u00E0", u"&agrave;"}, {u"\u00E4", u"&auml;"},   {u"\u00E2", u"&acirc;"},
    {u"\u00C9", u"&Eacute;"}, {u"\u00C8", u"&Egrave;"}, {u"\u00CB", u"&Euml;"},   {u"\u00CA", u"&Ecirc;"},
    {u"\u00D3", u"&Oacute;"}, {u"\u00D2", u"&Ograve;"}, {u"\u00D6", u"&Ouml;"},   {u"\u00D4", u"&Ocirc;"},
    {u"\u00CD", u"&Iacute;"}, {u"\u00CC", u"&Igrave;"}, {u"\u00CF", u"&Iuml;"},   {u"\u00CE", u"&Icirc;"},
    {u"\u00DA", u"&Uacute;"}, {u"\u00D9", u"&Ugrave;"}, {u"\u00DC", u"&Uuml;"},   {u"\u00DB", u"&Ucirc;"},
    {u"\u00C1", u"&Aacute;"}, {u"\u00C0", u"&Agrave;"}, {u"\u00C4", u"&Auml;"},   {u"\u00C2", u"&Acirc;"},
    {u"\u00E7", u"&ccedil;"}, {u"\u00C7", u"&Ccedil;"}, {u"\u00F8", u"&oslash;"}, {u"\u00D8", u"&Oslash;"},
    {u"\u00E5", u"&aring;"},  {u"\u00C5", u"&Aring;"},  {u"\u00A9", u"&copy;"},   {u"\u00AE", u"&reg;"},
    {u"\u20AC", u"&euro;"},   {u"\u00AB", u"&laquo;"},  {u"\u00BB", u"&raquo;"},  {u"\u00E3", u"&atilde;"},
    {u"\u00C3", u"&Atilde;"}, {u"\u00F5", u"&otilde;"}, {u"\u00D5", u"&Otilde;"}, {u"\u00DF", u"&szlig;"},
    {u"\u2122", u"&trade;"},  {u"\u00A3", u"&pound;"},  {u"$", u"&dollar;"},      {u"\u00A7", u"&sect;"},
    {u"\u2030", u"&permil;"}, {u"\u00B6", u"&para;"},   {u"\"", u"&quot;"},       {u"'", u"&apos;"},
    {u"\u00A5", u"&yen;"},    {u"\u00A4", u"&curren;"}, {u"\u00A2", u"&cent;"},   {u"\u00B1", u"&plusmn;"},
    {u"\u00A1", u"&iexcl;"},  {u"\u00AB", u"&laquo;"},  {u"\u00BB", u"&raquo;"},  {u"\u00B0", u"&deg;"},
    {u"\u00F1", u"&ntilde;"}, {u"\u00D1", u"&Ntilde;"}, {u"\u00BC", u"&frac14;"}, {u"\u00BD", u"&frac12;"},
    {u"\u00BE", u"&frac34;"},
}};

constexpr Cardinal FirstEmojiCodePoint = 126980;
constexpr std::size_t MaxReferenceDigits = 6;
// The references that EncodeMarkupEntities writes: up to U+10FFFF (seven
// decimal digits) and lone surrogate halves, which a UTF-16 text may hold.
constexpr std::size_t MaxEncodedReferenceDigits = 7;
// A ";" further than this after the "&" does not end the reference.
constexpr std::size_t MaxReferenceReach = 7;

bool IsHighSurrogate(Char ch) {
    return ch >= 0xD800 && ch <= 0xDBFF;
}
bool IsLowSurrogate(Char ch) {
    return ch >= 0xDC00 && ch <= 0xDFFF;
}

void AppendCodePoint(String& text, Cardinal codePoint) {
    if (codePoint < 0x10000) {
        text += Char(codePoint);
        return;
    }
    codePoint -= 0x10000;
    text += Char(0xD800 + (codePoint >> 10));
    text += Char(0xDC00 + (codePoint & 0x3FF));
}

int DigitValue(Char ch, bool hex) {
    if (ch >= u'0' && ch <= u'9') return ch - u'0';
    if (!hex) return -1;
    if (ch >= u'a' && ch <= u'f') return ch - u'a' + 10;
    if (ch >= u'A' && ch <= u'F') return ch - u'A' + 10;
    return -1;
}

// The code point of a reference's digits; nothing when they are empty, more
// than maxDigits, hold a non-digit or name no character (0, beyond U+10FFFF,
// or a lone surrogate half unless those are allowed).
std::optional<Cardinal> ReferenceCodePoint(std::u16string_view digits, bool hex,
                                           std::size_t maxDigits = MaxReferenceDigits,
                                           bool allowSurrogates = false) {
    if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
    Cardinal value = 0;
    for (Char ch : digits) {
        const int digit = DigitValue(ch, hex);
        if (digit < 0) return std::nullopt;
        value = value * (hex ? 16 : 10) + Cardinal(digit);
    }
    if (value == 0 || value > 0x10FFFF) return std::nullopt;
    if (!allowSurrogates && value >= 0xD800 && value <= 0xDFFF) return std::nullopt;
    return value;
}

// A well-formed reference "&#n;" or "&#xh;" at `at`: its code point and
// length. Everything EncodeMarkupEntities writes reads back.
struct TReference {
    Cardinal CodePoint;
    std::size_t Length;
};
std::optional<TReference> StrictReferenceAt(std::u16string_view text, std::size_t at) {
    if (text.substr(at, 2) != u"&#") return std::nullopt;
    const std::size_t semicolon = text.find(u';', at);
    if (semicolon == std::u16string_view::npos || semicolon - at > 3 + MaxEncodedReferenceDigits)
        return std::nullopt;
    std::size_t start = at + 2;
    const bool hex = start < text.size() && (text[start] == u'x' || text[start] == u'X');
    if (hex) ++start;
    const auto codePoint =
        ReferenceCodePoint(text.substr(start, semicolon - start), hex, MaxEncodedReferenceDigits, true);
    if (!codePoint) return std::nullopt;
    return TReference{*codePoint, semicolon + 1 - at};
}

enum class TAmpersand { Single, Doubled };

// The one left-to-right decoder behind the decoding routines: the fixed
// entities (unless `fixed` is off), the names of `table`, and with
// `references` the numeric references.
String Decode(const String& text, bool withFixed, std::span<const TMarkupEntity> table, TAmpersand ampersand,
              bool references) {
    struct TFixed {
        std::u16string_view Name;
        std::u16string_view Character;
    };
    // Drawing keeps "&lt;" and "&gt;": the renderer decodes them per text
    // run, after the tags are found.
    const bool forDrawing = ampersand == TAmpersand::Doubled;
    const std::array<TFixed, 4> fixed{{{u"&quot;", u"\""},
                                       {u"&amp;", forDrawing ? u"&&" : u"&"},
                                       {u"&gt;", forDrawing ? u"&gt;" : u">"},
                                       {u"&lt;", forDrawing ? u"&lt;" : u"<"}}};
    const std::u16string_view view = text;
    String result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < view.size()) {
        const std::size_t next = view.find(u'&', i);
        if (next == std::u16string_view::npos) break;
        result.append(view, i, next - i);
        i = next;
        const std::u16string_view rest = view.substr(i);
        bool replaced = false;
        for (const TFixed& entry : fixed) {
            if (!withFixed || !rest.starts_with(entry.Name)) continue;
            result += entry.Character;
            i += entry.Name.size();
            replaced = true;
            break;
        }
        if (!replaced) {
            for (const TMarkupEntity& entity : table) {
                const std::u16string_view name = entity.Name;
                if (!rest.starts_with(name)) continue;
                result += entity.Character;
                i += name.size();
                replaced = true;
                break;
            }
        }
        if (!replaced && references) {
            if (const auto reference = StrictReferenceAt(view, i)) {
                AppendCodePoint(result, reference->CodePoint);
                i += reference->Length;
                replaced = true;
            }
        }
        if (!replaced) result += view[i++];
    }
    result.append(view, i);
    return result;
}

const Char* TableEntityOf(Char ch) {
    for (const TMarkupEntity& entity : GridEntities)
        if (entity.Character[0] == ch && entity.Character[1] == 0) return entity.Name;
    return nullptr;
}

} // namespace

std::span<const TMarkupEntity> MarkupEntities() {
    return GridEntities;
}

std::span<const TMarkupEntity> StaticMarkupEntities() {
    return StaticEntities;
}

String DecodeMarkupEntities(const String& AText, bool AFull) {
    return Decode(AText, true, AFull ? GridEntities : std::span<const TMarkupEntity>(), TAmpersand::Single,
                  AFull);
}

String DecodeStaticMarkupEntities(const String& AText) {
    return Decode(AText, false, StaticEntities, TAmpersand::Single, false);
}

String UnescapeMarkupForDraw(const String& AText, bool AFull) {
    return Decode(AText, true, AFull ? GridEntities : std::span<const TMarkupEntity>(), TAmpersand::Doubled,
                  false);
}

String EncodeMarkupEntities(const String& AText, bool AFull) {
    String result;
    result.reserve(AText.size() + AText.size() / 4);
    for (std::size_t i = 0; i < AText.size(); ++i) {
        const Char ch = AText[i];
        switch (ch) {
        case u'&':
            result += u"&amp;";
            continue;
        case u'"':
            result += u"&quot;";
            continue;
        case u'<':
            result += u"&lt;";
            continue;
        case u'>':
            result += u"&gt;";
            continue;
        default:
            break;
        }
        if (!AFull) {
            result += ch;
            continue;
        }
        if (const Char* entity = TableEntityOf(ch)) {
            result += entity;
            continue;
        }
        if (ch <= 256) {
            result += ch;
            continue;
        }
        Cardinal codePoint = ch;
        if (IsHighSurrogate(ch) && i + 1 < AText.size() && IsLowSurrogate(AText[i + 1])) {
            codePoint = 0x10000 + ((Cardinal(ch) - 0xD800) << 10) + (Cardinal(AText[i + 1]) - 0xDC00);
            ++i;
        }
        result += u"&#" + UIntToStr(codePoint) + u";";
    }
    return result;
}

String SpacesToNbsp(const String& AText) {
    String result;
    result.reserve(AText.size());
    for (Char ch : AText) {
        if (ch == u' ')
            result += u"&nbsp;";
        else
            result += ch;
    }
    return result;
}

String DecodeNumericEntities(const String& AText) {
    const std::u16string_view text = AText;
    String result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (true) {
        const std::size_t at = text.find(u"&#", i);
        if (at == std::u16string_view::npos) break;
        // "&&#" stops the decoding: it and everything after stay as written.
        if (at > 0 && text[at - 1] == u'&') break;
        result.append(text, i, at - i);
        const std::size_t semicolon = text.find(u';', at);
        if (semicolon == std::u16string_view::npos) {
            result += u"&#";
            i = at + 2;
            continue;
        }
        std::size_t start = at + 2;
        const bool hex = start < text.size() && (text[start] == u'x' || text[start] == u'X');
        if (hex) ++start;
        std::size_t end;  // one past the number
        std::size_t past; // one past the whole reference
        if (semicolon - at > MaxReferenceReach) {
            end = start;
            while (end < text.size() && DigitValue(text[end], hex) >= 0)
                ++end;
            past = std::min(end + 1, text.size());
        } else {
            end = semicolon;
            past = semicolon + 1;
        }
        const auto codePoint = ReferenceCodePoint(text.substr(start, end - start), hex);
        if (!codePoint) {
            result += u"&#";
            i = at + 2;
            continue;
        }
        if (*codePoint >= FirstEmojiCodePoint)
            result += MarkupEmojiTag(*codePoint);
        else
            AppendCodePoint(result, *codePoint);
        i = past;
    }
    result.append(text, i);
    return result;
}

String MarkupEmojiTag(Cardinal ACodePoint) {
    String tag = u"<J ";
    AppendCodePoint(tag, ACodePoint);
    tag += u" >";
    return tag;
}

std::optional<String> MarkupEmojiOf(std::u16string_view ATag) {
    if (ATag.size() != 7 || (ATag.substr(0, 3) != u"<J " && ATag.substr(0, 3) != u"<j ") ||
        ATag.substr(5) != u" >")
        return std::nullopt;
    if (!IsHighSurrogate(ATag[3]) || !IsLowSurrogate(ATag[4])) return std::nullopt;
    return String(ATag.substr(3, 2));
}
