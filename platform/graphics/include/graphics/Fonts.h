#pragma once
// Fonts through fontconfig and Pango, configured by the program's own
// fonts.conf (embedded): only the DejaVu and Liberation families, with the
// Windows family names the program uses mapped to metric-compatible ones.
// Every text routine of the graphics layer (GDI and GDI+ style) measures and
// draws through the font map and context here.

#include <pango/pango.h>

#include "rtl/Types.h"

// The font map over the program's fontconfig configuration.
PangoFontMap* GraphicsFontMap();
// The shared Pango context: device pixels, unhinted metrics, grey antialiasing.
PangoContext* GraphicsPangoContext();

// True when `family` is installed or is one of the configured aliases whose
// target is installed; a family fontconfig would only substitute is missing.
bool FontFamilyExists(const String& family);

// A description of `family` at `pixelSize` pixels per em; the caller frees it
// with pango_font_description_free.
PangoFontDescription* CreatePangoFontDescription(const String& family, double pixelSize, Integer weight,
                                                 bool italic);
