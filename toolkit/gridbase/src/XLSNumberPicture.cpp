// Number sections of spreadsheet formats, read as one picture: every digit
// placeholder of the section takes its share of one number, so literals may
// stand between digit runs ("(###) ###-####"), the sign goes before leading
// literals, trailing commas scale by thousands and "?/?" writes fractions.

#include "XLSNumberPicture.h"

#include "rtl/FormatSettings.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace detail {
namespace {

enum class TTokenKind { Literal, Digit, Point, Comma, Percent, Slash };

struct TToken {
    TTokenKind Kind;
    Char Ch = 0;  // the placeholder ("0", "#", "?") or the character read
    String Text;  // a literal's text
};

Char Upper(Char c) {
    return c >= u'a' && c <= u'z' ? Char(c - 32) : c;
}

bool IsDateLetter(Char c) {
    return std::u16string_view(u"ACDHMNPQSTWY").find(Upper(c)) != std::u16string_view::npos;
}

bool IsLiteral(Char c) {
    return std::u16string_view(u" !$&'()<=>^{}~\u00B4-+:").find(c) != std::u16string_view::npos;
}

bool IsElapsedBracket(std::u16string_view inside) {
    if (inside.empty()) return false;
    const Char unit = Upper(inside[0]);
    if (unit != u'H' && unit != u'M' && unit != u'S') return false;
    for (const Char c : inside)
        if (Upper(c) != unit) return false;
    return true;
}

std::optional<std::vector<TToken>> Tokenize(std::u16string_view section) {
    std::vector<TToken> tokens;
    auto literal = [&](String text) { tokens.push_back({TTokenKind::Literal, 0, std::move(text)}); };
    bool hasDigit = false, hasPoint = false;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const Char c = section[i];
        switch (c) {
        case u'"': {
            const std::size_t close = section.find(u'"', i + 1);
            const std::size_t end = close == section.npos ? section.size() : close;
            literal(String(section.substr(i + 1, end - i - 1)));
            i = end;
            continue;
        }
        case u'\\':
        case u'*':
            if (i + 1 < section.size()) literal(String(1, section[++i]));
            continue;
        case u'_':
            literal(u" ");
            ++i;
            continue;
        case u'[': {
            const std::size_t close = section.find(u']', i);
            if (close == section.npos) return std::nullopt;
            const std::u16string_view inside = section.substr(i + 1, close - i - 1);
            if (IsElapsedBracket(inside)) return std::nullopt;
            if (inside.starts_with(u"$")) literal(String(inside.substr(1, inside.find(u'-') - 1)));
            i = close;
            continue;
        }
        case u'0':
        case u'#':
        case u'?':
            tokens.push_back({TTokenKind::Digit, c, {}});
            hasDigit = true;
            continue;
        case u'.':
            if (hasPoint) {
                literal(u".");
            } else {
                tokens.push_back({TTokenKind::Point, c, {}});
                hasPoint = true;
            }
            continue;
        case u',':
            tokens.push_back({TTokenKind::Comma, c, {}});
            continue;
        case u'%':
            tokens.push_back({TTokenKind::Percent, c, {}});
            continue;
        case u'/':
            tokens.push_back({TTokenKind::Slash, c, {}});
            continue;
        default:
            break;
        }
        if (c >= u'1' && c <= u'9') {
            tokens.push_back({TTokenKind::Literal, c, String(1, c)});
        } else if ((c == u'E' || c == u'e') && i + 1 < section.size() &&
                   (section[i + 1] == u'+' || section[i + 1] == u'-')) {
            return std::nullopt; // exponents go to the platform's float formatting
        } else if (IsLiteral(c)) {
            literal(String(1, c));
        } else {
            return std::nullopt; // letters, "@": the piecewise rendering decides
        }
    }
    if (!hasDigit) return std::nullopt;
    return tokens;
}

// The decimal digits of a ≥ 0 rounded half away from zero to `decimals`
// places: the integer digits ("0" for none) and exactly `decimals` more.
struct TDigits {
    std::string Integer;
    std::string Fraction;
};

// The shortest digits that read back as a, placed by their exponent (so
// 1e300 is a one and 300 zeros, not the binary value's long tail).
TDigits DecimalDigits(double a, std::size_t decimals) {
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, a, std::chars_format::scientific);
    const std::string text(buffer, written.ptr);
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    std::erase(mantissa, '.');
    const int exponent = std::stoi(text.substr(e + 1));
    TDigits digits;
    if (exponent >= 0) {
        const std::size_t integerDigits = std::size_t(exponent) + 1;
        if (mantissa.size() < integerDigits) mantissa.resize(integerDigits, '0');
        digits.Integer = mantissa.substr(0, integerDigits);
        digits.Fraction = mantissa.substr(integerDigits);
    } else {
        digits.Integer = "0";
        digits.Fraction = std::string(std::size_t(-exponent - 1), '0') + mantissa;
    }
    const bool roundUp = digits.Fraction.size() > decimals && digits.Fraction[decimals] >= '5';
    digits.Fraction.resize(decimals, '0');
    if (roundUp) {
        std::string all = digits.Integer + digits.Fraction;
        std::size_t k = all.size();
        while (k > 0 && all[k - 1] == '9')
            all[--k] = '0';
        if (k == 0)
            all.insert(all.begin(), '1');
        else
            ++all[k - 1];
        digits.Integer = all.substr(0, all.size() - decimals);
        digits.Fraction = all.substr(all.size() - decimals);
    }
    return digits;
}

bool AllZero(const std::string& digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

// Writes whole-number digits into a run of placeholders, right-aligned:
// the first placeholder takes every digit left over, a placeholder without
// a digit writes "0" for "0", a blank for "?" when `blankPad`, else nothing.
// With `group` a thousands separator follows every third digit from the right.
class TDigitWriter {
public:
    TDigitWriter(std::string digits, std::size_t placeholders, bool blankPad, bool group)
        : FDigits(std::move(digits)), FPlaceholders(placeholders), FBlankPad(blankPad), FGroup(group) {
        if (AllZero(FDigits)) FDigits.clear();
    }

    // The text of the placeholder `index` (0-based from the left) of kind `ch`.
    String Write(std::size_t index, Char ch, std::size_t digitsToTheRight) {
        const std::size_t fromRight = FPlaceholders - 1 - index;
        std::string own;
        if (fromRight < FDigits.size()) {
            const std::size_t end = FDigits.size() - fromRight;
            own = index == 0 ? FDigits.substr(0, end) : FDigits.substr(end - 1, 1);
        }
        String text;
        if (own.empty()) {
            if (ch == u'0') own = "0";
            else if (ch == u'?' && FBlankPad) return u" ";
            else return text;
        }
        std::size_t k = own.size() + digitsToTheRight;
        for (const char digit : own) {
            text += Char(digit);
            --k;
            if (FGroup && k > 0 && k % 3 == 0) text += FormatSettings.ThousandSeparator;
        }
        return text;
    }

    // How many digits the placeholders from `index` on write.
    std::size_t DigitsFrom(std::size_t index, const std::vector<Char>& kinds) const {
        std::size_t count = 0;
        for (std::size_t k = index; k < FPlaceholders; ++k) {
            const std::size_t fromRight = FPlaceholders - 1 - k;
            if (fromRight < FDigits.size())
                count += k == 0 ? FDigits.size() - fromRight : 1;
            else if (kinds[k] == u'0')
                count += 1;
        }
        return count;
    }

private:
    std::string FDigits;
    std::size_t FPlaceholders;
    bool FBlankPad;
    bool FGroup;
};

// The placeholders of one run, left to right, with their writer.
struct TRun {
    std::vector<std::size_t> Tokens; // token indexes of the placeholders
    std::vector<Char> Kinds;
};

void WriteRun(const TRun& run, const std::string& digits, bool blankPad, bool group, std::vector<String>& out) {
    TDigitWriter writer(digits, run.Kinds.size(), blankPad, group);
    for (std::size_t k = 0; k < run.Kinds.size(); ++k)
        out[run.Tokens[k]] = writer.Write(k, run.Kinds[k], writer.DigitsFrom(k + 1, run.Kinds));
}

String Join(const std::vector<TToken>& tokens, const std::vector<String>& out, bool negative) {
    String text;
    if (negative) text += u'-';
    for (std::size_t i = 0; i < tokens.size(); ++i)
        text += tokens[i].Kind == TTokenKind::Literal ? tokens[i].Text : out[i];
    return text;
}

std::string ToDigits(unsigned long long value) {
    return std::to_string(value);
}

// A fraction "# ?/?": the slash with placeholders right before it and
// placeholders or a fixed denominator right after it.
std::optional<String> RenderFraction(std::vector<TToken> tokens, std::size_t slash, double x, bool absolute,
                                     std::u16string_view section) {
    TRun whole, numerator, denominator;
    std::size_t first = slash;
    while (first > 0 && tokens[first - 1].Kind == TTokenKind::Digit)
        --first;
    for (std::size_t k = first; k < slash; ++k) {
        numerator.Tokens.push_back(k);
        numerator.Kinds.push_back(tokens[k].Ch);
    }
    std::string fixedDenominator;
    std::size_t last = slash + 1;
    for (; last < tokens.size(); ++last) {
        const TToken& token = tokens[last];
        const bool literalDigit = token.Kind == TTokenKind::Literal && token.Ch >= u'1' && token.Ch <= u'9';
        if (literalDigit || (!fixedDenominator.empty() && token.Kind == TTokenKind::Digit && token.Ch == u'0')) {
            fixedDenominator += char(token.Ch);
            tokens[last] = {TTokenKind::Literal, token.Ch, String(1, token.Ch)};
        } else if (fixedDenominator.empty() && token.Kind == TTokenKind::Digit) {
            denominator.Tokens.push_back(last);
            denominator.Kinds.push_back(token.Ch);
        } else {
            break;
        }
    }
    for (std::size_t k = 0; k < first; ++k) {
        if (tokens[k].Kind != TTokenKind::Digit) continue;
        whole.Tokens.push_back(k);
        whole.Kinds.push_back(tokens[k].Ch);
    }
    for (std::size_t k = last; k < tokens.size(); ++k)
        if (tokens[k].Kind == TTokenKind::Digit) return std::nullopt; // digits after the fraction

    double a = std::fabs(x);
    for (const TToken& token : tokens)
        if (token.Kind == TTokenKind::Percent) a *= 100;
    if (!std::isfinite(a) || a >= 1e15) return UnshowableValue(section);
    double integer = whole.Kinds.empty() ? 0 : std::floor(a);
    const double part = a - integer;
    unsigned long long num = 0, den = 1;
    if (!fixedDenominator.empty()) {
        // A denominator beyond 15 digits cannot be counted in a double.
        if (fixedDenominator.size() > 15) return UnshowableValue(section);
        den = std::stoull(fixedDenominator);
        num = static_cast<unsigned long long>(std::llround(part * double(den)));
    } else {
        const std::size_t width = std::min<std::size_t>(denominator.Kinds.size(), 4);
        unsigned long long maxDen = 1;
        for (std::size_t k = 0; k < width; ++k)
            maxDen *= 10;
        double best = 2;
        for (unsigned long long d = 1; d < maxDen; ++d) {
            const double n = std::round(part * double(d));
            const double error = std::fabs(part - n / double(d));
            if (error < best - 1e-12) {
                best = error;
                num = static_cast<unsigned long long>(n);
                den = d;
            }
        }
    }
    if (!whole.Kinds.empty() && num >= den && den > 0) {
        integer += double(num / den);
        num %= den;
    }
    const bool negative = x < 0 && !absolute && (integer != 0 || num != 0);
    std::vector<String> out(tokens.size());
    WriteRun(whole, ToDigits(static_cast<unsigned long long>(integer)), true, false, out);
    if (num == 0 && !whole.Kinds.empty()) {
        // No fraction to show: the whole number, and blanks where the fraction goes.
        if (integer == 0 && out[whole.Tokens.back()].empty()) out[whole.Tokens.back()] = u"0";
        for (std::size_t k = first; k < last; ++k) {
            const std::size_t width = tokens[k].Kind == TTokenKind::Literal ? tokens[k].Text.size() : 1;
            tokens[k] = {TTokenKind::Literal, 0, String(width, u' ')};
        }
        return Join(tokens, out, negative);
    }
    WriteRun(numerator, ToDigits(num), true, false, out);
    if (fixedDenominator.empty()) {
        // The denominator stands left-aligned: "?" blanks go after its digits.
        const std::string digits = ToDigits(den);
        for (std::size_t k = 0; k < denominator.Kinds.size(); ++k) {
            String& text = out[denominator.Tokens[k]];
            if (k == 0) text = String(digits.begin(), digits.end());
            if (k > 0 && k < digits.size()) text.clear();
            if (k >= std::max<std::size_t>(digits.size(), 1))
                text = denominator.Kinds[k] == u'?' ? u" " : denominator.Kinds[k] == u'0' ? u"0" : u"";
        }
    }
    out[slash] = u"/";
    return Join(tokens, out, negative);
}

} // namespace

bool HasDateCodes(std::u16string_view section) {
    for (std::size_t i = 0; i < section.size(); ++i) {
        const Char c = section[i];
        if (c == u'"') {
            const std::size_t close = section.find(u'"', i + 1);
            if (close == section.npos) return false;
            i = close;
        } else if (c == u'\\' || c == u'*' || c == u'_') {
            ++i;
        } else if (c == u'[') {
            const std::size_t close = section.find(u']', i);
            if (close == section.npos) return false;
            i = close;
        } else if (IsDateLetter(c)) {
            return true;
        }
    }
    return false;
}

String UnshowableValue(std::u16string_view section) {
    return String(std::max<std::size_t>(section.size(), 2), u'#');
}

std::optional<String> RenderNumberPicture(std::u16string_view section, double x, bool absolute) {
    if (HasDateCodes(section)) return std::nullopt;
    auto tokens = Tokenize(section);
    if (!tokens) return std::nullopt;
    if (std::isnan(x) || std::isinf(x)) return UnshowableValue(section);

    for (std::size_t k = 1; k + 1 < tokens->size(); ++k)
        if ((*tokens)[k].Kind == TTokenKind::Slash && (*tokens)[k - 1].Kind == TTokenKind::Digit) {
            const TToken& next = (*tokens)[k + 1];
            if (next.Kind == TTokenKind::Digit || (next.Ch >= u'1' && next.Ch <= u'9'))
                return RenderFraction(*tokens, k, x, absolute, section);
        }

    // Placeholders before the decimal point are the integer part.
    TRun integer, decimals;
    bool afterPoint = false, group = false;
    double a = std::fabs(x);
    std::vector<String> out(tokens->size());
    for (std::size_t k = 0; k < tokens->size(); ++k) {
        TToken& token = (*tokens)[k];
        switch (token.Kind) {
        case TTokenKind::Digit:
            (afterPoint ? decimals : integer).Tokens.push_back(k);
            (afterPoint ? decimals : integer).Kinds.push_back(token.Ch);
            break;
        case TTokenKind::Point:
            afterPoint = true;
            out[k] = String(1, FormatSettings.DecimalSeparator);
            break;
        case TTokenKind::Percent:
            a *= 100;
            out[k] = u"%";
            break;
        case TTokenKind::Slash:
            out[k] = u"/";
            break;
        case TTokenKind::Comma: {
            // Between integer placeholders: grouping; right after the last
            // placeholder of a run: one thousand less per comma.
            std::size_t next = k;
            while (next < tokens->size() && (*tokens)[next].Kind == TTokenKind::Comma)
                ++next;
            const bool afterDigit = k > 0 && (*tokens)[k - 1].Kind == TTokenKind::Digit;
            const bool beforeDigit = next < tokens->size() && (*tokens)[next].Kind == TTokenKind::Digit;
            if (afterDigit && beforeDigit && !afterPoint) {
                group = true;
            } else if (k > 0 && ((*tokens)[k - 1].Kind == TTokenKind::Digit ||
                                 (*tokens)[k - 1].Kind == TTokenKind::Comma) &&
                       !beforeDigit) {
                a /= 1000;
            } else {
                out[k] = u",";
            }
            break;
        }
        case TTokenKind::Literal:
            break;
        }
    }
    // "%" can carry a finite value past the double range.
    if (!std::isfinite(a)) return UnshowableValue(section);
    const TDigits digits = DecimalDigits(a, std::min<std::size_t>(decimals.Kinds.size(), 300));
    const bool negative = x < 0 && !absolute && !(AllZero(digits.Integer) && AllZero(digits.Fraction));
    WriteRun(integer, digits.Integer, false, group, out);
    if (integer.Kinds.empty() && !AllZero(digits.Integer)) {
        // No integer placeholders: the whole number stands before the point.
        for (std::size_t k = 0; k < tokens->size(); ++k)
            if ((*tokens)[k].Kind == TTokenKind::Point)
                out[k] = String(digits.Integer.begin(), digits.Integer.end()) + out[k];
    }
    // Decimal places: digits up to the last significant one or the last "0".
    std::size_t shown = 0;
    for (std::size_t k = 0; k < decimals.Kinds.size(); ++k)
        if (digits.Fraction[k] != '0' || decimals.Kinds[k] == u'0') shown = k + 1;
    for (std::size_t k = 0; k < shown; ++k)
        out[decimals.Tokens[k]] = String(1, Char(digits.Fraction[k]));
    return Join(*tokens, out, negative);
}

} // namespace detail
