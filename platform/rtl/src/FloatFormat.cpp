// FloatToStr, FloatToStrF and FormatFloat over the shared decimal engine.

#include "DecimalText.h"
#include "rtl/Format.h"

#include <algorithm>

using detail::TDecimal;

namespace {

constexpr int kMaxPrecision = 18;

String CurrencyText(const TDecimal& d, int decimals, const TFormatSettings& s) {
    String number;
    detail::AppendFixed(number, d, decimals, s.DecimalSeparator, s.ThousandSeparator);
    const String& c = s.CurrencyString;
    if (!d.Negative) {
        switch (s.CurrencyFormat) {
        case 1:
            return number + c;
        case 2:
            return c + u' ' + number;
        case 3:
            return number + u' ' + c;
        default:
            return c + number;
        }
    }
    switch (s.NegCurrFormat) {
    case 1:
        return u'-' + c + number;
    case 2:
        return c + u'-' + number;
    case 3:
        return c + number + u'-';
    case 4:
        return u'(' + number + c + u')';
    case 5:
        return u'-' + number + c;
    case 6:
        return number + u'-' + c;
    case 7:
        return number + c + u'-';
    case 8:
        return u'-' + number + u' ' + c;
    case 9:
        return u'-' + c + u' ' + number;
    case 10:
        return number + u' ' + c + u'-';
    case 11:
        return c + u' ' + number + u'-';
    case 12:
        return c + u' ' + u'-' + number;
    case 13:
        return number + u'-' + u' ' + c;
    case 14:
        return u'(' + c + u' ' + number + u')';
    case 15:
        return u'(' + number + u' ' + c + u')';
    default:
        return u'(' + c + number + u')';
    }
}

// One section of a FormatFloat picture, measured before rendering.
struct TPicture {
    std::u16string_view Text;
    int IntegerPlaces = 0;   // "0" and "#" before the decimal point
    int MinInteger = 0;      // places from the first "0" before the point
    int MaxDecimals = 0;     // places after the point
    int MinDecimals = 0;     // up to the last "0" after the point
    bool Grouping = false;   // a "," before the point
    bool Scientific = false; // an exponent marker was found
    bool HasDigits = false;
};

// Calls visit(kind, position) for every character of the section outside
// quotes; quoted text is reported as literals without its quotes.
template <class Visit>
void WalkPicture(std::u16string_view text, Visit&& visit) {
    for (size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c == u'"' || c == u'\'') {
            size_t j = i + 1;
            while (j < text.size() && text[j] != c)
                visit(true, j++);
            i = j;
            continue;
        }
        visit(false, i);
    }
}

bool IsExponentAt(std::u16string_view text, size_t i) {
    return (text[i] == u'E' || text[i] == u'e') && i + 1 < text.size() &&
           (text[i + 1] == u'+' || text[i + 1] == u'-');
}

TPicture MeasurePicture(std::u16string_view text) {
    TPicture p;
    p.Text = text;
    bool afterPoint = false;
    bool inExponent = false;
    int firstZero = -1;
    WalkPicture(text, [&](bool literal, size_t i) {
        if (literal || inExponent) return;
        const Char c = text[i];
        if (c == u'0' || c == u'#') {
            p.HasDigits = true;
            if (afterPoint) {
                ++p.MaxDecimals;
                if (c == u'0') p.MinDecimals = p.MaxDecimals;
            } else {
                if (c == u'0' && firstZero < 0) firstZero = p.IntegerPlaces;
                ++p.IntegerPlaces;
            }
        } else if (c == u'.') {
            afterPoint = true;
        } else if (c == u',' && !afterPoint) {
            p.Grouping = true;
        } else if (IsExponentAt(text, i) && p.HasDigits) {
            p.Scientific = true;
            inExponent = true;
        }
    });
    p.MinInteger = firstZero < 0 ? 0 : p.IntegerPlaces - firstZero;
    return p;
}

String RenderPicture(const TPicture& p, double value, const TFormatSettings& s, bool& isZero) {
    TDecimal d = detail::ToDecimal(value);
    d.Negative = false;
    int exponent = 0;
    if (p.Scientific) {
        const int places = std::max(p.IntegerPlaces, 1);
        detail::RoundToSignificant(d, places + p.MaxDecimals);
        exponent = d.IsZero() ? 0 : d.Exponent - places;
        d.Exponent = places;
    } else {
        detail::RoundToDecimals(d, p.MaxDecimals);
    }
    isZero = d.IsZero();

    // Integer digits without leading zeros, then padded to the minimum.
    String integer;
    for (int i = 0; i < d.Exponent; ++i)
        integer += static_cast<Char>(d.Digit(i));
    const size_t firstNonZero = integer.find_first_not_of(u'0');
    integer.erase(0, firstNonZero == String::npos ? integer.size() : firstNonZero);
    if (static_cast<int>(integer.size()) < p.MinInteger)
        integer.insert(0, p.MinInteger - integer.size(), u'0');
    String fraction;
    for (int i = 0; i < p.MaxDecimals; ++i)
        fraction += static_cast<Char>(d.Digit(d.Exponent + i));
    while (static_cast<int>(fraction.size()) > p.MinDecimals && fraction.back() == u'0')
        fraction.pop_back();

    const int length = static_cast<int>(integer.size());
    String out;
    int integerPlace = 0;
    int decimalPlace = 0;
    bool afterPoint = false;
    bool afterExponent = false;
    size_t skipUntil = 0;
    auto putIntegerDigit = [&](int position) {
        out += integer[position];
        const int remaining = length - 1 - position;
        if (p.Grouping && remaining > 0 && remaining % 3 == 0) out += s.ThousandSeparator;
    };
    WalkPicture(p.Text, [&](bool literal, size_t i) {
        if (i < skipUntil) return;
        const Char c = p.Text[i];
        if (literal || afterExponent) {
            // What follows the exponent is text, as the picture was measured.
            out += c;
        } else if ((c == u'0' || c == u'#') && !afterPoint) {
            // Places are right-aligned on the digits; the first place also
            // takes every digit the picture has no place for.
            const int position = length - p.IntegerPlaces + integerPlace;
            if (integerPlace == 0)
                for (int k = 0; k < position; ++k)
                    putIntegerDigit(k);
            if (position >= 0) putIntegerDigit(position);
            ++integerPlace;
        } else if (c == u'0' || c == u'#') {
            if (decimalPlace < static_cast<int>(fraction.size())) out += fraction[decimalPlace];
            ++decimalPlace;
        } else if (c == u'.') {
            if (!afterPoint && p.IntegerPlaces == 0)
                for (int k = 0; k < length; ++k)
                    putIntegerDigit(k);
            if (!afterPoint && !fraction.empty()) out += s.DecimalSeparator;
            afterPoint = true;
        } else if (c == u',') {
            // Grouping marker only.
        } else if (p.Scientific && IsExponentAt(p.Text, i)) {
            out += c;
            if (exponent < 0)
                out += u'-';
            else if (p.Text[i + 1] == u'+')
                out += u'+';
            // The exponent's places are its "0" and "#"; each "0" is one
            // digit shown at least.
            size_t j = i + 2;
            int zeros = 0;
            for (; j < p.Text.size() && (p.Text[j] == u'0' || p.Text[j] == u'#'); ++j)
                if (p.Text[j] == u'0') ++zeros;
            String digits;
            detail::AppendUnsigned(digits, static_cast<UInt64>(std::abs(exponent)));
            if (static_cast<int>(digits.size()) < zeros) out.append(zeros - digits.size(), u'0');
            out += digits;
            skipUntil = j;
            afterExponent = true;
        } else {
            out += c;
        }
    });
    return out;
}

std::u16string_view SectionOf(std::u16string_view format, int index) {
    size_t start = 0;
    int section = 0;
    Char quote = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        const Char c = format[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            if (section == index) return format.substr(start, i - start);
            ++section;
            start = i + 1;
        }
    }
    return section == index ? format.substr(start) : std::u16string_view();
}

} // namespace

String FloatToStr(double value, const TFormatSettings& settings) {
    return detail::GeneralText(value, 15, 0, settings.DecimalSeparator);
}

String FloatToStr(double value) {
    return FloatToStr(value, FormatSettings);
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& settings) {
    precision = std::clamp(precision, 1, kMaxPrecision);
    TDecimal d = detail::ToDecimal(value);
    if (d.Kind != TDecimal::TKind::Finite) return detail::SpecialText(d);
    switch (format) {
    case ffGeneral:
        return detail::GeneralText(value, precision, std::clamp(digits, 0, 4), settings.DecimalSeparator);
    case ffExponent: {
        detail::RoundToSignificant(d, precision);
        String out = d.Negative ? u"-" : u"";
        detail::AppendExponent(out, d, precision, settings.DecimalSeparator, std::clamp(digits, 0, 4), true,
                               false);
        return out;
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        if (d.Exponent > precision)
            return detail::GeneralText(value, precision, 0, settings.DecimalSeparator);
        digits = std::clamp(digits, 0, kMaxPrecision);
        detail::RoundToSignificant(d, std::min(precision, d.Exponent + digits));
        if (format == ffCurrency) return CurrencyText(d, digits, settings);
        String out = d.Negative ? u"-" : u"";
        detail::AppendFixed(out, d, digits, settings.DecimalSeparator,
                            format == ffNumber ? settings.ThousandSeparator : Char(0));
        return out;
    }
    }
    return detail::GeneralText(value, precision, 0, settings.DecimalSeparator);
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits) {
    return FloatToStrF(value, format, precision, digits, FormatSettings);
}

String FormatFloat(std::u16string_view format, double value, const TFormatSettings& settings) {
    if (format.empty()) return FloatToStr(value, settings);
    const TDecimal special = detail::ToDecimal(value);
    if (special.Kind != TDecimal::TKind::Finite) return detail::SpecialText(special);

    const std::u16string_view positive = SectionOf(format, 0);
    const std::u16string_view negative = SectionOf(format, 1);
    const std::u16string_view zero = SectionOf(format, 2);
    const bool useNegative = value < 0 && !negative.empty();
    bool isZero = false;
    String text = RenderPicture(MeasurePicture(useNegative ? negative : positive), value, settings, isZero);
    if (isZero) {
        // A value that shows as zero takes the zero section, or else the first.
        if (!zero.empty()) return RenderPicture(MeasurePicture(zero), 0.0, settings, isZero);
        if (useNegative) return RenderPicture(MeasurePicture(positive), 0.0, settings, isZero);
        return text;
    }
    if (value < 0 && !useNegative) text.insert(0, 1, u'-');
    return text;
}

String FormatFloat(std::u16string_view format, double value) {
    return FormatFloat(format, value, FormatSettings);
}
