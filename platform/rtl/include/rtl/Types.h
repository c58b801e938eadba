#pragma once
// The basic value types every library of the desktop program speaks in.

#include <cstdint>
#include <string>

using Char = char16_t;
using AnsiChar = char;
using String = std::u16string;   // UTF-16 text; positions are 1-based where routines count
using AnsiString = std::string;  // 8-bit text in Windows-1252

using Boolean = bool;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using ShortInt = std::int8_t;
using SmallInt = std::int16_t;
using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using NativeInt = std::intptr_t;
using NativeUInt = std::uintptr_t;

using Single = float;
using Double = double;
using Extended = double;

using TDateTime = double;  // days since 1899-12-30, time of day as the fraction
using TColor = std::int32_t;
