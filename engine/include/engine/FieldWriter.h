#pragma once
// Fixed-width fields of the lines of Summary.out and of the console messages.
// A value that does not fit its field, or that is not a finite number, fills
// the field with asterisks.

#include <string>

namespace tesvorik {

// Fw.d: fixed point, rounded to `decimals`, right-aligned in `width`; the zero
// before the decimal point is left out when the field has no room for it.
std::string FixedField(float value, int width, int decimals);

// E7.2E2: a decimal point, two mantissa digits (mantissa from 0.1 to 1), "E",
// the exponent's sign and two exponent digits, as in .12E+04. A negative value
// does not fit.
std::string ExponentField(float value);

// Iw.w: the whole number with leading zeros to exactly `width` digits.
std::string ZeroPaddedField(int value, int width);

// Fixed point with three decimals in the narrowest field from F5.3 to F10.3
// that holds the value; ten asterisks when none does.
std::string NarrowestThreeDecimalField(float value);

} // namespace tesvorik
