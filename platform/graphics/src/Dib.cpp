#include "Dib.h"

#include <bit>
#include <cstdlib>

namespace detail {
namespace {

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;
constexpr std::uint32_t BI_ALPHABITFIELDS = 6;

std::size_t RowStride(std::int64_t width, std::int64_t bitsPerPixel) {
    return std::size_t((width * bitsPerPixel + 31) / 32 * 4);
}

// One colour channel described by a bit mask, scaled to 0..255.
struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint32_t Max = 0;

    explicit TChannel(std::uint32_t mask) : Mask(mask) {
        if (mask == 0) return;
        Shift = std::countr_zero(mask);
        Max = mask >> Shift;
    }
    std::uint32_t Read(std::uint32_t value) const {
        if (Mask == 0) return 0;
        return (((value & Mask) >> Shift) * 255 + Max / 2) / Max;
    }
};

} // namespace

TDecodedImage ReadDib(TByteReader& reader, std::size_t dibStart, TDibKind kind, std::size_t pixelOffset) {
    reader.Seek(dibStart);
    const std::uint32_t headerSize = reader.U32();
    std::int64_t width = 0, height = 0;
    std::uint32_t bitsPerPixel = 0, compression = BI_RGB, colorsUsed = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0};
    bool hasMaskFields = false;
    const bool core = headerSize == 12;
    if (core) {
        width = reader.U16();
        height = reader.U16();
        reader.U16(); // planes
        bitsPerPixel = reader.U16();
    } else if (headerSize >= 40 && headerSize <= 124) {
        width = reader.I32();
        height = reader.I32();
        reader.U16(); // planes
        bitsPerPixel = reader.U16();
        compression = reader.U32();
        reader.U32(); // image size
        reader.U32(); // horizontal resolution
        reader.U32(); // vertical resolution
        colorsUsed = reader.U32();
        reader.U32(); // important colours
        const std::size_t maskFields = compression == BI_ALPHABITFIELDS ? 4 : 3;
        if (headerSize >= 52 || compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) {
            // Masks follow a 40-byte header or are part of a longer one.
            hasMaskFields = true;
            const std::size_t available = headerSize >= 56 ? 4 : headerSize >= 52 ? 3 : maskFields;
            for (std::size_t i = 0; i < available; ++i)
                masks[i] = reader.U32();
        }
    } else {
        reader.Fail();
    }

    const bool topDown = height < 0;
    height = std::llabs(height);
    if (kind == TDibKind::Icon) height /= 2;
    if (width <= 0 || height <= 0) reader.Fail();
    CheckImageSize(width, height);
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
        bitsPerPixel != 24 && bitsPerPixel != 32)
        reader.Fail();
    const bool bitfields = compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS;
    if (compression != BI_RGB && !(bitfields && (bitsPerPixel == 16 || bitsPerPixel == 32))) reader.Fail();

    if (!bitfields) {
        // Masks that a long header carries are only meaningful for BI_BITFIELDS.
        if (bitsPerPixel == 16) {
            masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F, masks[3] = 0;
        } else {
            masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF, masks[3] = 0;
        }
    }

    TDecodedImage image;
    image.Width = Integer(width);
    image.Height = Integer(height);
    image.BitsPerPixel = Integer(bitsPerPixel);
    image.Indexed = bitsPerPixel <= 8;

    // The palette follows the header and, for a 40-byte header, the masks.
    std::size_t palettePos = dibStart + headerSize;
    if (headerSize == 40 && hasMaskFields) palettePos += (compression == BI_ALPHABITFIELDS ? 16 : 12);
    if (image.Indexed) {
        const std::uint32_t maxColors = 1u << bitsPerPixel;
        const std::uint32_t count = colorsUsed == 0 ? maxColors : colorsUsed;
        if (count > 256) reader.Fail();
        const std::size_t entry = core ? 3 : 4;
        auto bytes = reader.Bytes(palettePos, count * entry);
        for (std::uint32_t i = 0; i < count; ++i)
            image.Palette.push_back(Argb(255, bytes[i * entry + 2], bytes[i * entry + 1], bytes[i * entry]));
        palettePos += count * entry;
    }
    if (kind == TDibKind::Icon || pixelOffset == 0) pixelOffset = palettePos;

    const std::size_t stride = RowStride(width, bitsPerPixel);
    auto rows = reader.Bytes(pixelOffset, stride * std::size_t(height));
    const TChannel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);

    image.Pixels.resize(std::size_t(width * height));
    bool anyAlpha = false;
    for (std::int64_t fileRow = 0; fileRow < height; ++fileRow) {
        const Byte* row = rows.data() + fileRow * stride;
        const Integer y = Integer(topDown ? fileRow : height - 1 - fileRow);
        for (Integer x = 0; x < image.Width; ++x) {
            std::uint32_t argb = 0;
            if (image.Indexed) {
                const std::size_t bit = std::size_t(x) * bitsPerPixel;
                const std::uint32_t index =
                    (row[bit / 8] >> (8 - bitsPerPixel - bit % 8)) & ((1u << bitsPerPixel) - 1);
                // Indexes beyond a short palette show black, as Windows draws them.
                argb = index < image.Palette.size() ? image.Palette[index] : Argb(255, 0, 0, 0);
            } else if (bitsPerPixel == 24) {
                const Byte* p = row + x * 3;
                argb = Argb(255, p[2], p[1], p[0]);
            } else {
                const Byte* p = row + x * (bitsPerPixel / 8);
                const std::uint32_t value =
                    bitsPerPixel == 16 ? std::uint32_t(p[0] | (p[1] << 8))
                                       : std::uint32_t(p[0] | (p[1] << 8) | (p[2] << 16) | (p[3] << 24));
                // A plain 32-bit row keeps its fourth byte as a possible alpha.
                const std::uint32_t a =
                    alpha.Mask ? alpha.Read(value) : (bitsPerPixel == 32 && !bitfields ? p[3] : 255);
                argb = Argb(a, red.Read(value), green.Read(value), blue.Read(value));
                if (a != 255) anyAlpha = true;
            }
            image.SetPixel(x, y, argb);
        }
    }

    // A 32-bit image whose fourth bytes are all zero has no alpha channel.
    if (bitsPerPixel == 32) {
        bool allZero = true;
        for (auto p : image.Pixels)
            allZero = allZero && (p >> 24) == 0;
        if (allZero) {
            for (auto& p : image.Pixels)
                p |= 0xFF000000u;
            anyAlpha = false;
        }
        image.HasAlpha = anyAlpha;
    }

    if (kind == TDibKind::Icon) {
        const std::size_t maskStride = RowStride(width, 1);
        const std::size_t maskPos = pixelOffset + stride * std::size_t(height);
        // Some writers omit the mask of 32-bit images; their alpha suffices.
        if (!(image.HasAlpha && maskPos + maskStride * std::size_t(height) > reader.Size())) {
            auto mask = reader.Bytes(maskPos, maskStride * std::size_t(height));
            if (!image.HasAlpha) {
                for (std::int64_t fileRow = 0; fileRow < height; ++fileRow) {
                    const Integer y = Integer(topDown ? fileRow : height - 1 - fileRow);
                    for (Integer x = 0; x < image.Width; ++x)
                        if ((mask[fileRow * maskStride + x / 8] >> (7 - x % 8)) & 1)
                            image.SetPixel(x, y, image.Pixel(x, y) & 0x00FFFFFFu);
                }
            }
        }
        image.HasAlpha = true;
    }
    return image;
}

std::size_t NearestPaletteIndex(const std::vector<std::uint32_t>& palette, std::uint32_t argb) {
    std::size_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        long distance = 0;
        for (int shift : {16, 8, 0}) {
            const long d = long((palette[i] >> shift) & 0xFF) - long((argb >> shift) & 0xFF);
            distance += d * d;
        }
        if (bestDistance < 0 || distance < bestDistance) best = i, bestDistance = distance;
        if (distance == 0) break;
    }
    return best;
}

std::vector<Byte> WriteDib(const TDecodedImage& image, Integer bitsPerPixel, TDibKind kind) {
    const bool indexed = bitsPerPixel <= 8;
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 &&
        bitsPerPixel != 32)
        throw EInvalidGraphicOperation(u"Bitmap pixel format is not supported");
    if (indexed && (image.Palette.empty() || image.Palette.size() > (1u << bitsPerPixel)))
        throw EInvalidGraphicOperation(u"Bitmap palette does not fit its pixel format");

    const std::size_t stride = RowStride(image.Width, bitsPerPixel);
    const std::size_t maskStride = RowStride(image.Width, 1);
    std::vector<Byte> out;
    PutU32(out, 40);
    PutU32(out, std::uint32_t(image.Width));
    PutU32(out, std::uint32_t(kind == TDibKind::Icon ? image.Height * 2 : image.Height));
    PutU16(out, 1);
    PutU16(out, std::uint32_t(bitsPerPixel));
    PutU32(out, BI_RGB);
    PutU32(out, std::uint32_t(stride * image.Height));
    PutU32(out, 3780); // 96 dots per inch
    PutU32(out, 3780);
    PutU32(out, indexed ? std::uint32_t(image.Palette.size()) : 0);
    PutU32(out, 0);
    if (indexed)
        for (auto c : image.Palette)
            PutU32(out, c & 0x00FFFFFFu);

    for (Integer y = image.Height - 1; y >= 0; --y) {
        std::vector<Byte> row(stride, 0);
        for (Integer x = 0; x < image.Width; ++x) {
            const std::uint32_t argb = image.Pixel(x, y);
            if (indexed) {
                const std::size_t index = NearestPaletteIndex(image.Palette, argb);
                const std::size_t bit = std::size_t(x) * bitsPerPixel;
                row[bit / 8] |= Byte(index << (8 - bitsPerPixel - bit % 8));
            } else {
                Byte* p = row.data() + x * (bitsPerPixel / 8);
                p[0] = Byte(argb), p[1] = Byte(argb >> 8), p[2] = Byte(argb >> 16);
                if (bitsPerPixel == 32) p[3] = Byte(argb >> 24);
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    if (kind == TDibKind::Icon) {
        for (Integer y = image.Height - 1; y >= 0; --y) {
            std::vector<Byte> row(maskStride, 0);
            for (Integer x = 0; x < image.Width; ++x)
                if ((image.Pixel(x, y) >> 24) == 0) row[x / 8] |= Byte(0x80 >> (x % 8));
            out.insert(out.end(), row.begin(), row.end());
        }
    }
    return out;
}

} // namespace detail
