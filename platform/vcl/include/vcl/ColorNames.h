#pragma once
// Colour names as layouts, streams and settings write them: the named and
// system colours by their identifiers ("clRed", "clBtnFace"), every other
// colour as "$00BBGGRR" (the colour value in hexadecimal).

#include "graphics/Colors.h"

#include <functional>

// "clRed" for a named colour, else "$" and eight hexadecimal digits.
String ColorToString(TColor Color);
// An identifier (without regard to case) or an integer ("$00FF8000",
// "255"); raises EConvertError "'%s' is not a valid integer value" otherwise.
TColor StringToColor(const String& S);
bool IdentToColor(const String& Ident, TColor& Color);
bool ColorToIdent(TColor Color, String& Ident);
// Calls Proc with every identifier, in table order.
void GetColorValues(const std::function<void(const String&)>& Proc);
