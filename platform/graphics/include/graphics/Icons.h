#pragma once
// Icon handles: a picture with its transparency, made from a colour bitmap
// and a mask bitmap (or from a GDI+ bitmap) and taken apart the same way.

#include "graphics/GdiObjects.h"

#include <cairo.h>

class TGdiIcon {
public:
    // Takes over the surface (ARGB32, premultiplied).
    TGdiIcon(cairo_surface_t* surface, bool isIcon, TPoint hotSpot);
    ~TGdiIcon();
    TGdiIcon(const TGdiIcon&) = delete;
    TGdiIcon& operator=(const TGdiIcon&) = delete;

    cairo_surface_t* Surface() const { return FSurface; }
    bool IsIcon() const { return FIsIcon; }
    TPoint HotSpot() const { return FHotSpot; }

private:
    cairo_surface_t* FSurface;
    bool FIsIcon;
    TPoint FHotSpot;
};

namespace winapi {

using HICON = TGdiIcon*;

struct ICONINFO {
    bool fIcon = true; // false: a cursor with its hot spot
    Cardinal xHotspot = 0;
    Cardinal yHotspot = 0;
    HBITMAP hbmMask = nullptr;
    HBITMAP hbmColor = nullptr;
};

// An icon of the colour bitmap's pixels, transparent where the mask bitmap
// (of the same size) is white; null without both bitmaps or for sizes
// that differ.
HICON CreateIconIndirect(const ICONINFO* info);
// New colour and mask bitmaps of the icon, which the caller deletes: the
// mask white where the icon is transparent (alpha below one half) and the
// colour black there.
bool GetIconInfo(HICON icon, ICONINFO* info);
bool DestroyIcon(HICON icon);

} // namespace winapi
