// PNG files through libpng. libpng reports errors through a callback that
// must not return; it jumps back to the decoder, which then raises.

#include "ByteReader.h"

#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <png.h>

namespace {

const String PngDamaged = u"PNG image is not valid";
// Bounds on the ancillary chunks (text, profiles, unknown chunks) libpng
// keeps: the largest one it allocates, and how many it stores.
constexpr png_alloc_size_t MaxChunkBytes = 8'000'000;
constexpr png_uint_32 MaxAncillaryChunks = 1000;

struct TPngSource {
    std::span<const Byte> Data;
    std::size_t Position = 0;
};

void ReadFromSource(png_structp png, png_bytep out, png_size_t count) {
    auto* source = static_cast<TPngSource*>(png_get_io_ptr(png));
    if (count > source->Data.size() - source->Position) png_error(png, "unexpected end of data");
    std::memcpy(out, source->Data.data() + source->Position, count);
    source->Position += count;
}

void WriteToVector(png_structp png, png_bytep data, png_size_t count) {
    auto* out = static_cast<std::vector<Byte>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + count);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// libpng's own allocations: none may exceed the chunk limit, whatever a
// chunk's length field claims (libpng reads ancillary chunks whole). The
// picture's pixels are not libpng's: they go into the decoder's buffer.
png_voidp LimitedMalloc(png_structp, png_alloc_size_t size) {
    return size <= MaxChunkBytes ? std::malloc(size) : nullptr;
}

void FreeMemory(png_structp, png_voidp memory) {
    std::free(memory);
}

// Errors return to the decoder's jump point without printing anything.
[[noreturn]] void JumpOnError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// Everything the decoder learns inside the jump-protected section; kept in a
// plain record so that nothing with a destructor lives across the jump.
struct TPngHeader {
    png_uint_32 Width = 0, Height = 0;
    int BitDepth = 0, ColorType = 0;
    int Channels = 0;
};

} // namespace

TDecodedImage DecodePng(std::span<const Byte> data) {
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0) throw EInvalidGraphic(PngDamaged);
    TPngSource source{data, 0};
    png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning,
                                               nullptr, LimitedMalloc, FreeMemory);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        throw EOutOfMemory(u"Out of memory");
    }

    TDecodedImage image;
    std::vector<png_bytep> rows;
    TPngHeader header;
    bool sizeRejected = false;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        throw EInvalidGraphic(PngDamaged);
    }
    png_set_read_fn(png, &source, ReadFromSource);
    // The size is checked by the codec below, with its own message; libpng
    // itself only refuses what the format cannot hold. Ancillary chunks are
    // bounded in size and number, so that a chunk length cannot make libpng
    // allocate what the file does not hold.
    png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_set_chunk_malloc_max(png, MaxChunkBytes);
    png_set_chunk_cache_max(png, MaxAncillaryChunks);
    png_read_info(png, info);
    png_get_IHDR(png, info, &header.Width, &header.Height, &header.BitDepth, &header.ColorType, nullptr,
                 nullptr, nullptr);
    header.Channels = png_get_channels(png, info);
    if (!detail::ImageSizeAcceptable(header.Width, header.Height)) {
        sizeRejected = true;
    } else {
        image.Width = Integer(header.Width);
        image.Height = Integer(header.Height);
        image.BitsPerPixel = header.BitDepth * header.Channels;
        image.Indexed = header.ColorType == PNG_COLOR_TYPE_PALETTE;
        const bool transparentKey = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
        image.HasAlpha = (header.ColorType & PNG_COLOR_MASK_ALPHA) != 0 || transparentKey;
        if (image.Indexed) {
            png_colorp palette = nullptr;
            int count = 0;
            png_get_PLTE(png, info, &palette, &count);
            png_bytep alphas = nullptr;
            int alphaCount = 0;
            if (transparentKey) png_get_tRNS(png, info, &alphas, &alphaCount, nullptr);
            for (int i = 0; i < count; ++i)
                image.Palette.push_back(detail::Argb(i < alphaCount ? alphas[i] : 255, palette[i].red,
                                                     palette[i].green, palette[i].blue));
        }
        // Everything becomes 8-bit RGBA, read straight into the pixel buffer
        // and turned into ARGB values in place below.
        png_set_expand(png);
        png_set_strip_16(png);
        png_set_gray_to_rgb(png);
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
        png_set_interlace_handling(png);
        png_read_update_info(png, info);
        // Deflate packs at most 1,032 bytes into one: the filtered rows
        // (a filter byte each) cannot come from less.
        const std::int64_t fileRowBytes = (std::int64_t(header.Width) * header.BitDepth * header.Channels + 7) / 8;
        if (!detail::DataCanHold((fileRowBytes + 1) * header.Height, data.size(), 1032)) {
            png_destroy_read_struct(&png, &info, nullptr);
            throw EInvalidGraphic(PngDamaged);
        }
        image.Pixels.resize(std::size_t(header.Width) * header.Height);
        rows.resize(header.Height);
        Byte* bytes = reinterpret_cast<Byte*>(image.Pixels.data());
        for (png_uint_32 y = 0; y < header.Height; ++y)
            rows[y] = bytes + std::size_t(y) * header.Width * 4;
        png_read_image(png, rows.data());
        png_read_end(png, nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (sizeRejected) {
        detail::CheckImageSize(header.Width, header.Height);
        throw EInvalidGraphic(PngDamaged);
    }

    for (std::uint32_t& pixel : image.Pixels) {
        const Byte* p = reinterpret_cast<const Byte*>(&pixel);
        pixel = detail::Argb(p[3], p[0], p[1], p[2]);
    }
    return image;
}

std::vector<Byte> EncodePng(const TDecodedImage& image) {
    std::vector<Byte> out;
    std::vector<Byte> rgba(image.Pixels.size() * 4);
    for (std::size_t i = 0; i < image.Pixels.size(); ++i) {
        const std::uint32_t p = image.Pixels[i];
        rgba[i * 4] = Byte(p >> 16), rgba[i * 4 + 1] = Byte(p >> 8), rgba[i * 4 + 2] = Byte(p),
                 rgba[i * 4 + 3] = Byte(p >> 24);
    }
    std::vector<png_bytep> rows(image.Height);
    for (Integer y = 0; y < image.Height; ++y)
        rows[y] = rgba.data() + std::size_t(y) * image.Width * 4;

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw EOutOfMemory(u"Out of memory");
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw EInvalidGraphicOperation(u"PNG image could not be written");
    }
    png_set_write_fn(png, &out, WriteToVector, nullptr);
    png_set_IHDR(png, info, png_uint_32(image.Width), png_uint_32(image.Height), 8,
                 image.HasAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    if (!image.HasAlpha) png_set_filler(png, 0, PNG_FILLER_AFTER); // drop the alpha byte
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}
