#pragma once
// Colours written as text: "#RRGGBB" and "#RGB" hexadecimal forms and colour
// names. The drawing class's colour helpers and the SVG engine read colours
// through these two routines.

#include "graphics/GraphicsObjects.h"
#include "rtl/Types.h"

// "#RRGGBB" (or "#RGB", each digit doubled) as a colour; the first character
// is not checked. gcNull for an empty text, for characters that are not
// hexadecimal digits and for a text too short for its form.
TColor HTMLToColor(const String& AHTML);
// A colour name of the named-colour list, without regard to case and with an
// optional "cl", "cla" or "gc" prefix; 0 (black) for a name not in the list.
TColor TextToColor(const String& AText);
