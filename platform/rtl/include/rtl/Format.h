#pragma once
// Formatting of numbers into text: the printf-like Format, and the float
// conversions FloatToStr, FloatToStrF and FormatFloat.
//
// Format specifiers: "%" [index ":"] ["-"] [width] ["." precision] type, where
// width and precision may be "*" (taken from the next argument) and type is
//   d  decimal integer (precision: minimum digits, zero-padded)
//   u  unsigned decimal integer (a negative Integer counts as 32-bit unsigned)
//   x  upper-case hexadecimal integer (precision: minimum digits)
//   e  exponent form: precision significant digits (default 15; one digit has
//      no decimal point), "E", the exponent's sign and at least three digits
//   f  fixed-point with precision decimals (default 2)
//   g  the shorter of fixed and exponent form, precision significant digits
//      (default 15), trailing zeros removed
//   n  as f, with thousands separators
//   m  money: as n, with the currency string placed by the settings
//   s  text (precision: maximum characters)
//   p  pointer as hexadecimal digits
//   %  a percent sign
// Width is a minimum: the value is padded with blanks on the left, or on the
// right with "-", and never cut. Decimals round halves away from zero.

#include "rtl/FormatSettings.h"
#include "rtl/Types.h"

#include <concepts>
#include <initializer_list>
#include <span>
#include <string_view>

// One argument of Format: an integer, a floating-point number, a text, a
// character, a Boolean or a pointer. A text argument refers to the caller's
// string, which must outlive the call (temporaries in the argument list do).
class TVarRec {
public:
    enum class TKind : Byte { Integer, Cardinal, Int64, UInt64, Extended, String, Char, Boolean, Pointer };

    template <class T>
    requires std::signed_integral<T> &&(!std::same_as<T, char>)&&(!std::same_as<T, wchar_t>)TVarRec(T value)
        : FKind(sizeof(T) <= 4 ? TKind::Integer : TKind::Int64), FInt(value) {}

    template <class T>
    requires std::unsigned_integral<T> &&(!std::same_as<T, bool>)&&(!std::same_as<T, char16_t>)&&(
        !std::same_as<T, char32_t>)&&(!std::same_as<T, char8_t>)&&(!std::same_as<T, char>)TVarRec(T value)
        : FKind(sizeof(T) <= 4 ? TKind::Cardinal : TKind::UInt64), FUInt(value) {}

    template <std::floating_point T>
    TVarRec(T value) : FKind(TKind::Extended), FFloat(static_cast<double>(value)) {}

    TVarRec(bool value) : FKind(TKind::Boolean), FUInt(value ? 1 : 0) {}
    TVarRec(Char value) : FKind(TKind::Char), FUInt(value) {}
    TVarRec(const String& value) : FKind(TKind::String), FText(value) {}
    TVarRec(std::u16string_view value) : FKind(TKind::String), FText(value) {}
    TVarRec(const Char* value) : FKind(TKind::String), FText(value ? std::u16string_view(value) : u"") {}
    TVarRec(const void* value) : FKind(TKind::Pointer), FPointer(value) {}
    // Narrow texts have no defined encoding here; convert them with FromUtf8.
    TVarRec(const char*) = delete;

    TKind Kind() const { return FKind; }
    Int64 AsInt64() const { return FInt; }
    UInt64 AsUInt64() const { return FUInt; }
    double AsDouble() const { return FFloat; }
    std::u16string_view AsText() const { return FText; }
    const void* AsPointer() const { return FPointer; }

private:
    TKind FKind;
    Int64 FInt = 0;
    UInt64 FUInt = 0;
    double FFloat = 0;
    std::u16string_view FText;
    const void* FPointer = nullptr;
};

// Raises EConvertError "Format '%s' invalid or incompatible with argument" for
// a malformed specifier or an argument of the wrong kind, and "No argument for
// format '%s'" when the arguments run out.
String Format(std::u16string_view format, std::span<const TVarRec> args, const TFormatSettings& settings);
String Format(std::u16string_view format, std::span<const TVarRec> args);
inline String Format(std::u16string_view format, std::initializer_list<TVarRec> args) {
    return Format(format, std::span<const TVarRec>(args.begin(), args.size()));
}
inline String Format(std::u16string_view format, std::initializer_list<TVarRec> args,
                     const TFormatSettings& settings) {
    return Format(format, std::span<const TVarRec>(args.begin(), args.size()), settings);
}

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The shortest of fixed and exponent notation with 15 significant digits:
// 0.1 + 0.2 gives "0.3", 1E20 gives "1E20", 1.5E-7 gives "1.5E-7".
String FloatToStr(double value);
String FloatToStr(double value, const TFormatSettings& settings);

// Precision: significant digits (at most 18). Digits: ffGeneral and
// ffExponent the minimum number of exponent digits (0 to 4), ffFixed, ffNumber
// and ffCurrency the number of decimals. Values with more integer digits than
// Precision are written in exponent form. NaN and infinities give "NAN",
// "INF" and "-INF".
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits,
                   const TFormatSettings& settings);

// A picture format of up to three sections "positive;negative;zero" (an empty
// negative or zero section falls back to the first). In a section: "0" a
// digit, "#" a digit only where needed, "." the decimal separator, "," (before
// the decimal point) thousands grouping, "E+", "E-", "e+", "e-" exponent form
// with as many exponent digits as zeros follow, text in single or double
// quotes literal, every other character literal. An empty format is
// FloatToStr.
String FormatFloat(std::u16string_view format, double value);
String FormatFloat(std::u16string_view format, double value, const TFormatSettings& settings);
