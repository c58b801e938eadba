#include "DecimalText.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace detail {

TDecimal ToDecimal(double value) {
    TDecimal d;
    if (std::isnan(value)) {
        d.Kind = TDecimal::TKind::NaN;
        return d;
    }
    d.Negative = std::signbit(value);
    if (std::isinf(value)) {
        d.Kind = TDecimal::TKind::Infinite;
        return d;
    }
    if (value == 0) {
        d.Negative = false;
        return d;
    }
    // Shortest round-trip form "d[.ddd]e[+-]xx".
    char buf[40];
    const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    const char* p = buf;
    for (; p < result.ptr && *p != 'e'; ++p)
        if (*p != '.') d.Digits[d.Count++] = *p;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+'), result.ptr, exponent);
    d.Exponent = exponent + 1;
    while (d.Count > 0 && d.Digits[d.Count - 1] == '0')
        --d.Count;
    return d;
}

namespace {

// Keep the first `keep` digits, rounding on the next one.
void RoundAt(TDecimal& d, int keep) {
    if (d.Kind != TDecimal::TKind::Finite || keep >= d.Count) return;
    if (keep < 0) {
        d.Count = 0;
    } else {
        const bool up = d.Digits[keep] >= '5';
        d.Count = keep;
        if (up) {
            int i = keep - 1;
            while (i >= 0 && d.Digits[i] == '9')
                --i;
            if (i < 0) {
                d.Digits[0] = '1';
                d.Count = 1;
                ++d.Exponent;
            } else {
                ++d.Digits[i];
                d.Count = i + 1;
            }
        }
        while (d.Count > 0 && d.Digits[d.Count - 1] == '0')
            --d.Count;
    }
    if (d.Count == 0) {
        d.Negative = false;
        d.Exponent = 0;
    }
}

} // namespace

void RoundToSignificant(TDecimal& d, int digits) {
    RoundAt(d, digits);
}

void RoundToDecimals(TDecimal& d, int decimals) {
    RoundAt(d, d.Exponent + decimals);
}

String SpecialText(const TDecimal& d) {
    if (d.Kind == TDecimal::TKind::NaN) return u"NAN";
    return d.Negative ? u"-INF" : u"INF";
}

void AppendFixed(String& out, const TDecimal& d, int decimals, Char decimalSeparator,
                 Char thousandSeparator) {
    const int integerDigits = d.IsZero() ? 1 : std::max(d.Exponent, 1);
    // Digit index i of the integer part is position i - (integerDigits - Exponent).
    const int shift = d.IsZero() ? 1 : integerDigits - d.Exponent;
    for (int i = 0; i < integerDigits; ++i) {
        if (thousandSeparator != 0 && i > 0 && (integerDigits - i) % 3 == 0) out += thousandSeparator;
        out += static_cast<Char>(d.Digit(i - shift));
    }
    if (decimals <= 0) return;
    out += decimalSeparator;
    for (int i = 0; i < decimals; ++i)
        out += static_cast<Char>(d.Digit(d.Exponent + i));
}

void AppendExponent(String& out, const TDecimal& d, int precision, Char decimalSeparator, int exponentDigits,
                    bool plusSign, bool trimZeros) {
    int mantissaDigits = std::max(precision, 1);
    if (trimZeros) mantissaDigits = std::max(std::min(mantissaDigits, d.Count), 1);
    out += static_cast<Char>(d.Digit(0));
    if (mantissaDigits > 1) {
        out += decimalSeparator;
        for (int i = 1; i < mantissaDigits; ++i)
            out += static_cast<Char>(d.Digit(i));
    }
    out += u'E';
    const int exponent = d.IsZero() ? 0 : d.Exponent - 1;
    if (exponent < 0)
        out += u'-';
    else if (plusSign)
        out += u'+';
    char buf[8];
    const auto end = std::to_chars(buf, buf + sizeof buf, std::abs(exponent)).ptr;
    for (int pad = exponentDigits - static_cast<int>(end - buf); pad > 0; --pad)
        out += u'0';
    for (const char* p = buf; p < end; ++p)
        out += static_cast<Char>(*p);
}

String GeneralText(double value, int precision, int exponentDigits, Char decimalSeparator) {
    TDecimal d = ToDecimal(value);
    if (d.Kind != TDecimal::TKind::Finite) return SpecialText(d);
    RoundToSignificant(d, precision);
    String out;
    if (d.Negative) out += u'-';
    if (d.IsZero()) {
        out += u'0';
    } else if (d.Exponent > precision || d.Exponent < -4) {
        AppendExponent(out, d, precision, decimalSeparator, exponentDigits, false, true);
    } else {
        AppendFixed(out, d, std::max(d.Count - d.Exponent, 0), decimalSeparator, 0);
    }
    return out;
}

void AppendUnsigned(String& out, UInt64 value) {
    char buf[24];
    const auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
    for (const char* p = buf; p < end; ++p)
        out += static_cast<Char>(*p);
}

} // namespace detail
