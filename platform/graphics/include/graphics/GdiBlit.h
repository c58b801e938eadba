#pragma once
// Copying pixels between device contexts: block transfers with raster
// operations, stretching, blending with alpha and copying with a colour key.

#include "graphics/DeviceContext.h"

enum : Cardinal {
    // Ternary raster operations.
    SRCCOPY = 0x00CC0020,
    SRCPAINT = 0x00EE0086,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
    SRCERASE = 0x00440328,
    NOTSRCCOPY = 0x00330008,
    NOTSRCERASE = 0x001100A6,
    MERGEPAINT = 0x00BB0226,
    PATCOPY = 0x00F00021,
    PATINVERT = 0x005A0049,
    DSTINVERT = 0x00550009,
    BLACKNESS = 0x00000042,
    WHITENESS = 0x00FF0062,
};

enum : Byte {
    AC_SRC_OVER = 0x00,
    AC_SRC_ALPHA = 0x01,
};

struct TBlendFunction {
    Byte BlendOp = AC_SRC_OVER;
    Byte BlendFlags = 0;
    Byte SourceConstantAlpha = 255;
    Byte AlphaFormat = 0; // AC_SRC_ALPHA: the source has premultiplied alpha
};

namespace winapi {

bool BitBlt(HDC dest, Integer x, Integer y, Integer width, Integer height, HDC source, Integer xSrc, Integer ySrc,
            Cardinal rop);
bool StretchBlt(HDC dest, Integer x, Integer y, Integer width, Integer height, HDC source, Integer xSrc, Integer ySrc,
                Integer widthSrc, Integer heightSrc, Cardinal rop);
bool AlphaBlend(HDC dest, Integer x, Integer y, Integer width, Integer height, HDC source, Integer xSrc, Integer ySrc,
                Integer widthSrc, Integer heightSrc, TBlendFunction blend);
// Copies every source pixel except those of `transparent`.
bool TransparentBlt(HDC dest, Integer x, Integer y, Integer width, Integer height, HDC source, Integer xSrc,
                    Integer ySrc, Integer widthSrc, Integer heightSrc, TColor transparent);

} // namespace winapi

// Draws a rectangle of an ARGB32 (premultiplied) image surface stretched into
// a rectangle of logical units, with a raster operation; what StretchDIBits
// and the bitmap classes build on.
bool StretchSurface(winapi::HDC dest, const TRect& destRect, cairo_surface_t* source, const TRect& sourceRect,
                    Cardinal rop);
