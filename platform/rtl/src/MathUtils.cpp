#include "rtl/MathUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Whether an integral double lies within Int64 (2^63 itself does not).
bool FitsInt64(double integral) {
    return integral >= -9223372036854775808.0 && integral < 9223372036854775808.0;
}

[[noreturn]] void RaiseInvalidOp() {
    throw EInvalidOp(u"Invalid floating point operation");
}

} // namespace

Int64 Round(double value) {
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (!std::isfinite(rounded) || !FitsInt64(rounded)) RaiseInvalidOp();
    return static_cast<Int64>(rounded);
}

Int64 Trunc(double value) {
    const double truncated = std::trunc(value);
    if (!std::isfinite(truncated) || !FitsInt64(truncated)) RaiseInvalidOp();
    return static_cast<Int64>(truncated);
}

double Frac(double value) {
    return value - std::trunc(value);
}

Integer MulDiv(Integer number, Integer numerator, Integer denominator) {
    if (denominator == 0) return -1;
    const Int64 product = static_cast<Int64>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const UInt64 p = product < 0 ? UInt64(0) - static_cast<UInt64>(product) : static_cast<UInt64>(product);
    const UInt64 d = denominator < 0 ? UInt64(0) - static_cast<UInt64>(static_cast<Int64>(denominator))
                                     : static_cast<UInt64>(denominator);
    UInt64 quotient = p / d;
    if (2 * (p % d) >= d) ++quotient; // halves away from zero
    if (quotient > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return -1;
    return negative ? static_cast<Integer>(-static_cast<Int64>(quotient)) : static_cast<Integer>(quotient);
}

bool SameValue(double a, double b, double epsilon) {
    if (epsilon == 0) epsilon = std::max(std::min(std::fabs(a), std::fabs(b)) * 1e-12, 1e-12);
    return a > b ? a - b <= epsilon : b - a <= epsilon;
}

double ExtendedToDouble(const TExtended80& bytes) {
    UInt64 mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = (mantissa << 8) | bytes[i];
    const unsigned signAndExponent = bytes[8] | (bytes[9] << 8);
    const bool negative = (signAndExponent & 0x8000) != 0;
    const int exponent = static_cast<int>(signAndExponent & 0x7FFF);
    double magnitude = 0;
    if (exponent == 0x7FFF) {
        magnitude = (mantissa << 1) == 0 ? std::numeric_limits<double>::infinity()
                                         : std::numeric_limits<double>::quiet_NaN();
    } else if (mantissa != 0) {
        // value = mantissa * 2^(exponent - 16383 - 63); denormals use exponent 1.
        magnitude = std::ldexp(static_cast<double>(mantissa), std::max(exponent, 1) - 16383 - 63);
    }
    return negative ? -magnitude : magnitude;
}

TExtended80 DoubleToExtended(double value) {
    TExtended80 bytes{};
    unsigned signAndExponent = std::signbit(value) ? 0x8000 : 0;
    UInt64 mantissa = 0;
    if (std::isnan(value)) {
        signAndExponent |= 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        signAndExponent |= 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0) {
        int exponent = 0;
        const double fraction = std::frexp(std::fabs(value), &exponent); // in [0.5, 1)
        mantissa = static_cast<UInt64>(std::ldexp(fraction, 64));
        signAndExponent |= static_cast<unsigned>(exponent - 1 + 16383);
    }
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<Byte>(mantissa >> (8 * i));
    bytes[8] = static_cast<Byte>(signAndExponent);
    bytes[9] = static_cast<Byte>(signAndExponent >> 8);
    return bytes;
}
