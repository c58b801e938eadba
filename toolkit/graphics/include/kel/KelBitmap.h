#pragma once
// TKelBitmap: the toolkit's picture holder. For now it is the platform's
// picture holder as it stands; the vector picture format and the SVG
// importer it hands out join it with the SVG picture.

#include "graphics/Picture.h"

class TKelBitmap : public TPicture {
    RTL_CLASS(TKelBitmap)
public:
    TKelBitmap() = default;
};
