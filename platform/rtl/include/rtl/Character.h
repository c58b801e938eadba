#pragma once
// Classification of single UTF-16 characters by the Unicode character tables.

#include "rtl/Types.h"

// True for the Unicode number categories: decimal digit (0..9, Arabic-Indic
// digits …), letter number (Roman numerals) and other number (², ½). A lone
// surrogate is no number.
bool IsNumber(Char c);
