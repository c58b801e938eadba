#pragma once
// Rounding and small numeric helpers, and the 80-bit extended format that
// component streams store reals in.

#include "rtl/Exception.h"
#include "rtl/Types.h"

#include <array>

class EMathError : public Exception {
public:
    using Exception::Exception;
};
// NaN, an infinity or a value beyond Int64 where an integer is needed.
class EInvalidOp : public EMathError {
public:
    using EMathError::EMathError;
};

// To the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Raises EInvalidOp "Invalid floating point operation" for NaN, infinities and
// values beyond Int64.
Int64 Round(double value);
// Round for sizes and positions in pixels, as an Integer.
inline Integer RoundToInt(double value) {
    return Integer(Round(value));
}
// Toward zero; the same failures as Round.
Int64 Trunc(double value);
// The part after the decimal point, with the value's sign.
double Frac(double value);

// number * numerator / denominator with a 64-bit product, rounded to the
// nearest integer with halves away from zero; -1 when the denominator is 0 or
// the result does not fit an Integer.
Integer MulDiv(Integer number, Integer numerator, Integer denominator);

template <class T>
constexpr T Min(T a, T b) {
    return b < a ? b : a;
}
template <class T>
constexpr T Max(T a, T b) {
    return a < b ? b : a;
}

// Equal within epsilon; with epsilon 0 within 1E-12 relative to the smaller
// magnitude (at least 1E-12).
bool SameValue(double a, double b, double epsilon = 0);

// 80-bit extended precision, 10 bytes little-endian (64-bit mantissa with an
// explicit integer bit, then sign and 15-bit exponent). Reading rounds to the
// nearest double; values beyond its range become infinities or zero.
using TExtended80 = std::array<Byte, 10>;
double ExtendedToDouble(const TExtended80& bytes);
TExtended80 DoubleToExtended(double value);
