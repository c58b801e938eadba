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

// A device-independent bitmap's description: BITMAPINFOHEADER, followed in
// memory by the colour masks of BI_BITFIELDS and the colour table.
struct BITMAPINFOHEADER {
    Cardinal biSize = 40;
    Integer biWidth = 0;
    Integer biHeight = 0; // positive: rows from the bottom up; negative: top down
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 0;
    Cardinal biCompression = 0;
    Cardinal biSizeImage = 0;
    Integer biXPelsPerMeter = 0;
    Integer biYPelsPerMeter = 0;
    Cardinal biClrUsed = 0;
    Cardinal biClrImportant = 0;
};

struct RGBQUAD {
    Byte rgbBlue = 0;
    Byte rgbGreen = 0;
    Byte rgbRed = 0;
    Byte rgbReserved = 0;
};

// Callers with a larger colour table allocate room for it behind bmiColors.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

enum : Cardinal {
    BI_RGB = 0,
    BI_BITFIELDS = 3,
    DIB_RGB_COLORS = 0,
    DIB_PAL_COLORS = 1,
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


// Stretches a rectangle of a device-independent bitmap (1, 4, 8, 16, 24 or
// 32 bits per pixel, uncompressed or with bit fields, either row order) into
// the destination with a raster operation. The source rectangle counts rows
// from the bitmap's first row in memory: the bottom one of a bottom-up bitmap.
// Alpha bytes are ignored. Answers the number of rows copied, 0 on failure
// (damaged description, DIB_PAL_COLORS, no bits).
Integer StretchDIBits(HDC dest, Integer xDest, Integer yDest, Integer destWidth, Integer destHeight, Integer xSrc,
                      Integer ySrc, Integer srcWidth, Integer srcHeight, const void* bits, const BITMAPINFO* info,
                      Cardinal usage, Cardinal rop);

} // namespace winapi

// Draws a rectangle of an ARGB32 (premultiplied) image surface stretched into
// a rectangle of logical units, with a raster operation; what StretchDIBits
// and the bitmap classes build on.
bool StretchSurface(winapi::HDC dest, const TRect& destRect, cairo_surface_t* source, const TRect& sourceRect,
                    Cardinal rop);
