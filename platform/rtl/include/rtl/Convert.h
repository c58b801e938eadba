#pragma once
// Conversions between numbers and text: integers both ways, and text to
// floating-point numbers (numbers to text are in rtl/Format.h).
//
// Three strengths of reading:
//  - strict (StrToInt, StrToFloat): the whole text must be the number, or
//    EConvertError is raised;
//  - Try and Def forms: the same test, answering false or a default instead;
//  - lenient (Val): reads as far as the text is a number and reports where it
//    stopped.

#include "rtl/FormatSettings.h"
#include "rtl/Types.h"

#include <string_view>

String IntToStr(Int64 value);
String UIntToStr(UInt64 value);

// Upper-case hexadecimal digits, at least `digits` of them. A negative value
// is written as the two's complement of its own width.
String IntToHex(Integer value, Integer digits = 0);
String IntToHex(Cardinal value, Integer digits = 0);
String IntToHex(Int64 value, Integer digits = 0);
String IntToHex(UInt64 value, Integer digits = 0);

// Leading blanks, an optional sign, then decimal digits, or hexadecimal ones
// after "$", "0x" or "x" (a hexadecimal value may use every bit of the type:
// "$FFFFFFFF" is -1). Nothing may follow. Out of range is invalid.
// StrToInt raises EConvertError "'%s' is not a valid integer value".
Integer StrToInt(std::u16string_view text);
Int64 StrToInt64(std::u16string_view text);
Integer StrToIntDef(std::u16string_view text, Integer defaultValue);
Int64 StrToInt64Def(std::u16string_view text, Int64 defaultValue);
bool TryStrToInt(std::u16string_view text, Integer& value);
bool TryStrToInt64(std::u16string_view text, Int64& value);

// The lenient reader: the same syntax, but reading stops at the first
// character that does not fit (or that would overflow) and `value` holds what
// was read up to there (0 when nothing). `code` is 0 when the whole text was
// read, else the 1-based position of the character where reading stopped
// (an empty text stops at position 1).
void Val(std::u16string_view text, Integer& value, Integer& code);
void Val(std::u16string_view text, Int64& value, Integer& code);
// Floating-point form with "." as decimal point and an optional exponent,
// whatever the format settings.
void Val(std::u16string_view text, Double& value, Integer& code);

// Leading and trailing blanks, an optional sign, digits with at most one
// decimal separator of the settings, an optional exponent ("E" or "e", sign,
// digits). No thousands separators. A value beyond the range of Double is
// invalid; one too small for it reads as 0. StrToFloat raises EConvertError
// "'%s' is not a valid floating point value".
Double StrToFloat(std::u16string_view text);
Double StrToFloat(std::u16string_view text, const TFormatSettings& settings);
Double StrToFloatDef(std::u16string_view text, Double defaultValue);
Double StrToFloatDef(std::u16string_view text, Double defaultValue, const TFormatSettings& settings);
bool TryStrToFloat(std::u16string_view text, Double& value);
bool TryStrToFloat(std::u16string_view text, Double& value, const TFormatSettings& settings);

// "True" / "False" (with useBoolStrs) or "-1" / "0".
String BoolToStr(bool value, bool useBoolStrs = false);
