// Tags and attributes of the cell markup.

#include "gridbase/MarkupTags.h"

#include "gridbase/MarkupColors.h"
#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"

namespace {

Char UpperAt(std::u16string_view text, std::size_t index) {
    if (index >= text.size()) return 0;
    const Char ch = text[index];
    return ch >= u'a' && ch <= u'z' ? Char(ch - u'a' + u'A') : ch;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (UpperAt(text, i) != prefix[i]) return false;
    return true;
}

// 0-based index of AName in the text ignoring ASCII case, or npos.
std::size_t FindNoCase(std::u16string_view text, std::u16string_view name) {
    const Integer position = TRarEvads::IPos(String(name), String(text));
    return position == 0 ? std::u16string_view::npos : std::size_t(position - 1);
}

} // namespace

TMarkupTag MarkupOpeningTag(std::u16string_view ATag, TMarkupDialect ADialect) {
    const Char second = UpperAt(ATag, 2);
    switch (UpperAt(ATag, 1)) {
    case u'A':
        return TMarkupTag::A;
    case u'B':
        switch (second) {
        case u'>':
            return TMarkupTag::B;
        case u'R':
            return TMarkupTag::BR;
        case u'L':
            return TMarkupTag::BLINK;
        case u'O':
            return TMarkupTag::BODY;
        default:
            return TMarkupTag::None;
        }
    case u'C':
        return ADialect == TMarkupDialect::Grid ? TMarkupTag::CONTROL : TMarkupTag::None;
    case u'E':
        return TMarkupTag::E;
    case u'F':
        return TMarkupTag::FONT;
    case u'H':
        if (second == u'I') return TMarkupTag::HI;
        if (second == u'R') return TMarkupTag::HR;
        return TMarkupTag::None;
    case u'I':
        if (second == u'>') return TMarkupTag::I;
        if (second == u'N') return TMarkupTag::IND;
        if (second == u'M') return TMarkupTag::IMG;
        return TMarkupTag::None;
    case u'J':
        return TMarkupTag::J;
    case u'L':
        return TMarkupTag::LI;
    case u'O':
        if (second == u'L') return TMarkupTag::OL;
        if (second == u'F' && ADialect == TMarkupDialect::StaticText) return TMarkupTag::OFS;
        return TMarkupTag::None;
    case u'P':
        return TMarkupTag::P;
    case u'R':
        return TMarkupTag::R;
    case u'S':
        if (second == u'>') return TMarkupTag::S;
        if (second == u'T') return TMarkupTag::STRIKE;
        if (second == u'P') return TMarkupTag::SPAN;
        if (second == u'H') return TMarkupTag::SHAD;
        if (StartsWithNoCase(ATag, u"<SUB>")) return TMarkupTag::SUB;
        if (StartsWithNoCase(ATag, u"<SUP>")) return TMarkupTag::SUP;
        return TMarkupTag::None;
    case u'U':
        return second == u'>' ? TMarkupTag::U : TMarkupTag::UL;
    case u'Z':
        return TMarkupTag::Z;
    default:
        return TMarkupTag::None;
    }
}

TMarkupTag MarkupClosingTag(std::u16string_view ATag, Integer AListDepth) {
    if (UpperAt(ATag, 1) != u'/') return TMarkupTag::None;
    const Char second = UpperAt(ATag, 3);
    switch (UpperAt(ATag, 2)) {
    case u'A':
        return TMarkupTag::A;
    case u'B':
        return second == u'>' ? TMarkupTag::B : TMarkupTag::BODY;
    case u'E':
        return TMarkupTag::E;
    case u'F':
        return TMarkupTag::FONT;
    case u'H':
        return TMarkupTag::HI;
    case u'I':
        return TMarkupTag::I;
    case u'L':
        return TMarkupTag::LI;
    case u'O':
        return second == u'>' ? TMarkupTag::None : TMarkupTag::OL;
    case u'P':
        return TMarkupTag::P;
    case u'R':
        return TMarkupTag::R;
    case u'S':
        switch (second) {
        case u'T':
            return TMarkupTag::STRIKE;
        case u'U':
            return TMarkupTag::SUB;
        case u'P':
            return TMarkupTag::SPAN;
        case u'H':
            return TMarkupTag::SHAD;
        default:
            return TMarkupTag::S;
        }
    case u'U':
        return second == u'>' || AListDepth <= 0 ? TMarkupTag::U : TMarkupTag::UL;
    case u'Z':
        return TMarkupTag::Z;
    default:
        return TMarkupTag::None;
    }
}

std::optional<std::size_t> MarkupTagEnd(std::u16string_view AText, std::size_t AOpen) {
    if (AOpen >= AText.size() || AText.size() - AOpen <= 2) return std::nullopt;
    const std::size_t close = AText.find(u'>', AOpen + 1);
    if (close == std::u16string_view::npos) return std::nullopt;
    return close;
}

String MarkupAttributeText(std::u16string_view ATag) {
    if (ATag.starts_with(u'<')) ATag.remove_prefix(1);
    if (ATag.ends_with(u'>')) ATag.remove_suffix(1);
    const std::size_t blank = ATag.find(u' ');
    return blank == std::u16string_view::npos ? String() : String(ATag.substr(blank));
}

std::optional<String> MarkupAttributeValue(std::u16string_view AAttributes, std::u16string_view AName) {
    const std::size_t at = FindNoCase(AAttributes, AName);
    if (at == std::u16string_view::npos) return std::nullopt;
    const std::size_t open = AAttributes.find(u'"', at + AName.size());
    if (open == std::u16string_view::npos) return String();
    const std::size_t close = AAttributes.find(u'"', open + 1);
    const std::size_t end = close == std::u16string_view::npos ? AAttributes.size() : close;
    return String(AAttributes.substr(open + 1, end - open - 1));
}

bool MarkupTagUpperCasesValues(TMarkupTag ATag) {
    switch (ATag) {
    case TMarkupTag::BODY:
    case TMarkupTag::FONT:
    case TMarkupTag::IMG:
    case TMarkupTag::LI:
    case TMarkupTag::P:
    case TMarkupTag::SPAN:
        return true;
    default:
        return false;
    }
}

Integer MarkupNumber(std::u16string_view AValue) {
    Int64 value = 0;
    for (Char ch : AValue) {
        if (ch < u'0' || ch > u'9') break;
        value = std::min<Int64>(value * 10 + (ch - u'0'), Int64(INT32_MAX));
    }
    return Integer(value);
}

std::optional<Integer> MarkupStrictNumber(std::u16string_view AValue) {
    Integer value = 0;
    if (!TryStrToInt(AValue, value)) return std::nullopt;
    return value;
}

std::optional<String> MarkupStyleValue(std::u16string_view AAttributes, std::u16string_view AName) {
    const std::size_t at = FindNoCase(AAttributes, AName);
    if (at == std::u16string_view::npos) return std::nullopt;
    const std::size_t start = std::min(at + AName.size() + 1, AAttributes.size());
    const std::size_t end = AAttributes.find_first_of(u";'\"", start);
    return String(AAttributes.substr(start, end == std::u16string_view::npos ? end : end - start));
}

std::optional<Integer> MarkupBodyFontSize(std::u16string_view AAttributes) {
    auto value = MarkupStyleValue(AAttributes, u"FONT-SIZE");
    if (!value) return std::nullopt;
    String size = Trim(*value);
    if (UpperCase(size).ends_with(u"PT")) size.resize(size.size() - 2);
    return MarkupNumber(Trim(size));
}

std::optional<Integer> MarkupFontSize(std::u16string_view AAttributes) {
    if (const auto style = MarkupAttributeValue(AAttributes, u"STYLE")) {
        const std::size_t at = FindNoCase(*style, u"FONT-SIZE:");
        if (at == std::u16string_view::npos) return std::nullopt;
        String rest = style->substr(at + 10);
        const std::size_t unit = FindNoCase(rest, u"PT");
        if (unit == std::u16string_view::npos) return std::nullopt;
        return MarkupNumber(Trim(std::u16string_view(rest).substr(0, unit)));
    }
    const auto size = MarkupAttributeValue(AAttributes, u"SIZE");
    if (!size) return std::nullopt;
    static constexpr Integer Points[] = {8, 10, 12, 14, 16};
    const Integer number = MarkupNumber(*size);
    return number >= 1 && number <= 5 ? Points[number - 1] : number;
}

std::optional<Integer> StaticMarkupFontSizeStep(Integer ASize) {
    static constexpr Integer Steps[] = {1, 2, 4, 6, 8};
    if (ASize < 1 || ASize > 5) return std::nullopt;
    return Steps[ASize - 1];
}

std::optional<TColor> MarkupSpanBackground(std::u16string_view AAttributes) {
    const auto style = MarkupAttributeValue(AAttributes, u"STYLE");
    if (!style) return std::nullopt;
    constexpr std::u16string_view Key = u"BACKGROUND-COLOR:";
    const std::size_t at = FindNoCase(*style, Key);
    if (at == std::u16string_view::npos || at + Key.size() >= style->size() ||
        (*style)[at + Key.size()] != u'#')
        return std::nullopt;
    return HexRGBToColor(style->substr(at + Key.size(), 7));
}

std::optional<TMarkupAlign> MarkupParagraphAlign(std::u16string_view AAttributes) {
    const auto value = MarkupAttributeValue(AAttributes, u"ALIGN");
    if (!value) return std::nullopt;
    std::optional<TMarkupAlign> align;
    if (FindNoCase(*value, u"RIGHT") != std::u16string_view::npos) align = TMarkupAlign::Right;
    if (FindNoCase(*value, u"LEFT") != std::u16string_view::npos) align = TMarkupAlign::Left;
    if (FindNoCase(*value, u"CENTER") != std::u16string_view::npos) align = TMarkupAlign::Center;
    return align;
}

std::optional<TMarkupPictureSource> MarkupPictureSource(const String& ASource) {
    struct TPrefix {
        std::u16string_view Text;
        TMarkupPictureKind Kind;
    };
    static constexpr TPrefix Prefixes[] = {{u"IDX:", TMarkupPictureKind::ImageList},
                                           {u"SSYS:", TMarkupPictureKind::SmallSystemIcon},
                                           {u"LSYS:", TMarkupPictureKind::LargeSystemIcon}};
    for (const TPrefix& prefix : Prefixes)
        if (StartsWithNoCase(ASource, prefix.Text))
            return TMarkupPictureSource{prefix.Kind, ASource.substr(prefix.Text.size())};
    if (ASource.find(u"://") != String::npos) return TMarkupPictureSource{TMarkupPictureKind::Cache, ASource};
    if (ASource.find(u':') == String::npos)
        return TMarkupPictureSource{TMarkupPictureKind::Container, ASource};
    return std::nullopt;
}
