#pragma once
// The device-independent bitmap layout shared by BMP files and the bitmap
// images inside icon files.

#include "ByteReader.h"
#include "graphics/GdiBlit.h"

namespace detail {

enum class TDibKind {
    File, // a BMP file: the pixels start where the file header says
    Icon  // an icon image: doubled height, colour rows then a 1-bit AND mask
};

// Reads the header at dibStart and the pixels. For TDibKind::File,
// pixelOffset is the file header's offset of the pixel rows.
TDecodedImage ReadDib(TByteReader& reader, std::size_t dibStart, TDibKind kind, std::size_t pixelOffset = 0);

// The 40-byte header, palette and pixel rows (bottom-up) of an image, with
// the height doubled and an AND mask appended for icons.
std::vector<Byte> WriteDib(const TDecodedImage& image, Integer bitsPerPixel, TDibKind kind);

// The pixels of a packed bitmap given as its description and its rows
// (1 to 32 bits, uncompressed or with bit fields, either row order), all
// opaque: GDI bitmaps carry no alpha. False for a damaged description.
bool ReadDibBits(const BITMAPINFO* info, const void* bits, TDecodedImage& image);

// Index of the palette entry closest to an ARGB colour (alpha ignored).
std::size_t NearestPaletteIndex(const std::vector<std::uint32_t>& palette, std::uint32_t argb);

} // namespace detail
