#pragma once
// The process-wide table of colour names: the SVG and CSS colour keywords,
// 160 entries sorted by name without regard to case. Each entry's object is
// a TKelGraphicsColorObject (kel/KelGraphicsTypes.h) holding the colour as a
// TColor. Find a name with the list's case-insensitive IndexOf; a negative
// index means the name is unknown. Built on first use, freed at exit, never
// changed in between.

#include "rtl/StringList.h"

const TStringList* ColorNameList();
