#pragma once
// A small white image surface with a device context on it, and ways to look
// at its pixels: one colour, or a picture of where a colour lies ("#") and
// where it does not (".").

#include <cairo.h>

#include <string>
#include <vector>

#include "graphics/DeviceContext.h"

class TPixelSurface {
public:
    TPixelSurface(int width, int height, TDeviceTechnology technology = TDeviceTechnology::Display,
                  Integer pixelsPerInch = 96);
    ~TPixelSurface();

    winapi::HDC DC() { return FDC; }
    // Selects a new object into the context and frees it with the surface.
    void Select(winapi::HGDIOBJ object);
    cairo_surface_t* Surface() { return FSurface; }
    TColor Pixel(int x, int y) const;
    // One row of text per pixel row: '#' where the pixel has `color`.
    std::vector<std::string> Mask(TColor color) const;
    // The number of pixels of `color`.
    int Count(TColor color) const;
    // True when every pixel is either `a` or `b`.
    bool OnlyColors(TColor a, TColor b) const;

private:
    cairo_surface_t* FSurface;
    winapi::HDC FDC;
    std::vector<winapi::HGDIOBJ> FOwned;
};
