#pragma once
// The decimal digits of a double and their rendering into text: the one
// engine behind Format's float conversions, FloatToStr(F) and FormatFloat.

#include "rtl/Types.h"

namespace detail {

// A finite value as 0.d1d2...dn x 10^Exponent, or a special value. Digits
// hold no trailing zeros; zero has no digits.
struct TDecimal {
    enum class TKind : Byte { Finite, NaN, Infinite };
    TKind Kind = TKind::Finite;
    bool Negative = false;
    int Count = 0;
    int Exponent = 0;
    char Digits[24] = {};

    bool IsZero() const { return Kind == TKind::Finite && Count == 0; }
    // The digit at 0-based position i, '0' beyond the stored ones.
    char Digit(int i) const { return i >= 0 && i < Count ? Digits[i] : '0'; }
};

// The shortest digits that read back as the same double.
TDecimal ToDecimal(double value);

// Round, halves away from zero, to that many significant digits, or to that
// many digits after the decimal point. A result of zero loses its sign.
void RoundToSignificant(TDecimal& d, int digits);
void RoundToDecimals(TDecimal& d, int decimals);

// "NAN", "INF" or "-INF" for a special value.
String SpecialText(const TDecimal& d);

// Fixed-point digits with exactly `decimals` decimals, no sign. With a
// thousands separator other than 0 the integer digits are grouped by three.
void AppendFixed(String& out, const TDecimal& d, int decimals, Char decimalSeparator, Char thousandSeparator);

// Mantissa with `precision` digits ("d.ddd"; one digit has no point, with
// `trimZeros` trailing zeros of the mantissa are dropped), then "E", the
// exponent's sign ("+" only when `plusSign`) and at least `exponentDigits`
// digits. No sign of the value.
void AppendExponent(String& out, const TDecimal& d, int precision, Char decimalSeparator, int exponentDigits,
                    bool plusSign, bool trimZeros);

// General form: fixed when -5 < exponent <= precision, else exponent form;
// trailing zeros removed. Includes the value's sign.
String GeneralText(double value, int precision, int exponentDigits, Char decimalSeparator);

// Decimal digits of an unsigned integer.
void AppendUnsigned(String& out, UInt64 value);

} // namespace detail
