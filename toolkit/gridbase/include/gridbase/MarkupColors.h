#pragma once
// Colour values of the cell markup: "#RRGGBB" and colour names, the
// static-text dialect's short list of names, and the program-wide colours of
// the HI tag.

#include "rtl/Types.h"

#include <span>

// "#RRGGBB" (the "#" may be left out): three pairs of hexadecimal digits of
// either case giving red, green and blue. A missing pair, or a pair holding
// anything but hexadecimal digits, counts as 0.
TColor HexRGBToColor(const String& AValue);

// A colour value of the grid dialect: "#RRGGBB", or a colour name that is
// lower-cased, loses a leading "cl" and is looked up in the colour-name table
// (CSS colour keywords and system colours; the latter stay symbolic system
// colours). An unknown name gives black.
TColor ParseMarkupColor(const String& AValue);

// A colour value of the static-text dialect: "#RRGGBB", or one of its 40
// names with the "cl" prefix, matched whole ignoring case; black otherwise.
TColor ParseStaticMarkupColor(const String& AValue);

// The colour-name table in its lookup order (ordinal order of the names).
struct TMarkupColorName {
    const char16_t* Name;
    TColor Color;
};
std::span<const TMarkupColorName> MarkupColorNames();

// The background and text colours of highlighted (HI) text, shared by every
// grid of the program; initially the system highlight colours.
void SetMarkupHighlightColors(TColor ABackground, TColor AText);
TColor MarkupHighlightColor();
TColor MarkupHighlightTextColor();
