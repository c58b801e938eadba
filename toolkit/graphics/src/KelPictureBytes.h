#pragma once
// Raw picture bytes, as the markup picture and the GDI+ picture hold them:
// the bytes of a raster file, or else an SVG document in the picture's base.
// Both decode the bytes anew whenever they measure or draw.

#include "graphics/GdiPlusImage.h"
#include "kel/KelBitmap.h"
#include "kel/Resources.h"
#include "rtl/Stream.h"

#include <memory>

namespace KelPictureBytes {

// Reads the whole stream into the picture: raster data (told by its first
// bytes) into Data with the SVG cleared, anything else as SVG with Data
// emptied. The SVG parser's error passes through.
void Read(TKelSVGBitmap& Picture, TMemoryStream& Data, TStream* Stream);
// The same for a file's bytes.
void ReadFile(TKelSVGBitmap& Picture, TMemoryStream& Data, const String& FileName);
// The SVG when the picture holds one, else Data's bytes; nothing for null.
void Write(const TKelSVGBitmap& Picture, const TMemoryStream& Data, TStream* Stream);

// The bytes decoded; null when there are none or they cannot be decoded.
// Raises "Could not allocate memory for image" when memory runs out.
std::unique_ptr<TGPImage> Decode(const TMemoryStream& Data);
// Draws BMP bytes stretched into Rect through a bitmap whose transparent
// colour is its bottom-left pixel's.
void StretchDrawBitmap(TCanvas* ACanvas, const TRect& Rect, const TMemoryStream& Data, bool Transparent);

// The module resource of that name as a stream; null when there is none.
std::unique_ptr<TMemoryStream> Resource(HINSTANCE Instance, const String& ResName);
// The resource numbered ResID (its name is "#" and the number); raises
// EResNotFound when there is none.
std::unique_ptr<TMemoryStream> ResourceByID(HINSTANCE Instance, Integer ResID);
// The rest of URL after Prefix when URL starts with it, ignoring case.
bool StripPrefix(const String& URL, const String& Prefix, String& Rest);

} // namespace KelPictureBytes
