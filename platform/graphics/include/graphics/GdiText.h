#pragma once
// Text on a device context with the selected font: single runs (TextOut,
// ExtTextOut), measuring, and DrawText's formatted layout. Pango shapes and
// draws the runs; the layout rules (word breaks, ellipses, "&" prefixes,
// alignment) are GDI's.

#include "graphics/DeviceContext.h"

enum : Cardinal {
    DT_TOP = 0x0,
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_VCENTER = 0x4,
    DT_BOTTOM = 0x8,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_EXPANDTABS = 0x40,
    DT_TABSTOP = 0x80,
    DT_NOCLIP = 0x100,
    DT_EXTERNALLEADING = 0x200,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
    DT_EDITCONTROL = 0x2000,
    DT_PATH_ELLIPSIS = 0x4000,
    DT_END_ELLIPSIS = 0x8000,
    DT_MODIFYSTRING = 0x10000,
    DT_RTLREADING = 0x20000,
    DT_WORD_ELLIPSIS = 0x40000,
    DT_NOFULLWIDTHCHARBREAK = 0x80000,
    DT_HIDEPREFIX = 0x100000,
    DT_PREFIXONLY = 0x200000,
    DT_COMPOSITED = 0x800000,

    ETO_OPAQUE = 0x2,
    ETO_CLIPPED = 0x4,
};

struct TTextMetric {
    Integer tmHeight = 0;
    Integer tmAscent = 0;
    Integer tmDescent = 0;
    Integer tmInternalLeading = 0;
    Integer tmExternalLeading = 0;
    Integer tmAveCharWidth = 0;
    Integer tmMaxCharWidth = 0;
};

namespace winapi {

bool TextOut(HDC dc, Integer x, Integer y, const String& text);
// TextOut with an optional rectangle: ETO_OPAQUE fills it with the
// background colour, ETO_CLIPPED keeps the text inside it.
bool ExtTextOut(HDC dc, Integer x, Integer y, Cardinal options, const TRect* rect, const String& text);
bool GetTextExtentPoint32(HDC dc, const String& text, TSize& size);
bool GetTextMetrics(HDC dc, TTextMetric& metrics);
// Formats `text` in `rect`; with DT_CALCRECT only measures and widens or
// heightens `rect` to the text. Answers the height of the text.
Integer DrawText(HDC dc, const String& text, TRect& rect, Cardinal format);

} // namespace winapi
