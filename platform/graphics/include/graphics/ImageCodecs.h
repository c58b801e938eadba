#pragma once
// Image file codecs over byte buffers: BMP and ICO (own readers and writers),
// PNG (libpng), JPEG (libjpeg) and GIF (giflib). Every decoder checks each
// length against its buffer and raises EInvalidGraphic with the image kind
// and the reason when the data is damaged; none reads past the buffer.

#include "rtl/Exception.h"
#include "rtl/Types.h"

#include <cstdint>
#include <span>
#include <vector>

class EInvalidGraphic : public Exception {
public:
    explicit EInvalidGraphic(String message) : Exception(std::move(message)) {}
};

class EInvalidGraphicOperation : public Exception {
public:
    explicit EInvalidGraphicOperation(String message) : Exception(std::move(message)) {}
};

// The file formats the codecs know, as told by a file's first bytes.
enum class TImageFileFormat { Unknown, Bmp, Icon, Png, Jpeg, Gif };

// A decoded picture: straight (not premultiplied) ARGB values, alpha in bits
// 24-31, red 16-23, green 8-15, blue 0-7, rows from the top. The remaining
// fields describe how the file stored the pixels.
struct TDecodedImage {
    Integer Width = 0;
    Integer Height = 0;
    std::vector<std::uint32_t> Pixels;
    Integer BitsPerPixel = 32;          // per pixel as stored in the file
    bool Indexed = false;               // stored as palette indexes
    bool HasAlpha = false;              // carries transparency (alpha channel, mask or key)
    std::vector<std::uint32_t> Palette; // ARGB entries of an indexed image

    std::uint32_t Pixel(Integer x, Integer y) const { return Pixels[std::size_t(y) * Width + x]; }
    void SetPixel(Integer x, Integer y, std::uint32_t argb) { Pixels[std::size_t(y) * Width + x] = argb; }
    static TDecodedImage Blank(Integer width, Integer height, std::uint32_t argb = 0);
};

// One frame of an animated GIF: the whole logical screen as it shows after
// the frame was drawn over its predecessors.
struct TGifFrame {
    TDecodedImage Image;
    Integer DelayMs = 0;
    Integer TransparentIndex = -1; // -1 when the frame has no transparent colour
};

TImageFileFormat SniffImageFormat(std::span<const Byte> data);

TDecodedImage DecodeBmp(std::span<const Byte> data);
// All images of an icon file, in file order.
std::vector<TDecodedImage> DecodeIconImages(std::span<const Byte> data);
// The image of an icon file that shows best: the largest, then the deepest.
TDecodedImage DecodeIcon(std::span<const Byte> data);
std::size_t BestIconImage(std::span<const TDecodedImage> images);
TDecodedImage DecodePng(std::span<const Byte> data);
TDecodedImage DecodeJpeg(std::span<const Byte> data);
std::vector<TGifFrame> DecodeGif(std::span<const Byte> data);
// The first image of any known format; EInvalidGraphic for unknown data.
TDecodedImage DecodeImage(std::span<const Byte> data);

// bitsPerPixel 1, 4 or 8 writes palette indexes (image.Palette, nearest
// entry); 24 drops alpha; 32 keeps it.
std::vector<Byte> EncodeBmp(const TDecodedImage& image, Integer bitsPerPixel);
// 32-bit images with alpha and an AND mask from alpha 0.
std::vector<Byte> EncodeIcon(std::span<const TDecodedImage> images);
std::vector<Byte> EncodePng(const TDecodedImage& image);
// quality 1..100.
std::vector<Byte> EncodeJpeg(const TDecodedImage& image, Integer quality);
// One frame: the image's colours when there are at most 255 of them (else
// a colour cube), alpha below 128 transparent.
std::vector<Byte> EncodeGif(const TDecodedImage& image);
