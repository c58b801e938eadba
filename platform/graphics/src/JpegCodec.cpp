// JPEG files through libjpeg. Its error handler jumps back to the codec,
// which raises; warnings about damaged data are treated as errors, so that a
// truncated file is refused instead of being shown half grey.

#include "ByteReader.h"
#include "rtl/Encoding.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace {

constexpr long MaxWorkingMemory = 512L * 1024 * 1024;

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOnError(j_common_ptr info) {
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

void JumpOnWarning(j_common_ptr info, int level) {
    if (level < 0) JumpOnError(info); // -1: a warning about the data itself
}

String DamagedMessage(const TJpegError& error) {
    return u"JPEG image is not valid: " + FromUtf8(error.Message);
}

} // namespace

TDecodedImage DecodeJpeg(std::span<const Byte> data) {
    jpeg_decompress_struct info;
    TJpegError error;
    error.Message[0] = 0;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JumpOnError;
    error.Manager.emit_message = JumpOnWarning;
    if (data.size() < 4) throw EInvalidGraphic(u"JPEG image is not valid: the data is too short");

    TDecodedImage image;
    std::vector<Byte> row;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        throw EInvalidGraphic(DamagedMessage(error));
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data.data(), static_cast<unsigned long>(data.size()));
    // libjpeg's own working memory (a progressive picture's coefficients
    // among it) is capped; what does not fit is an error, never a swap file.
    info.mem->max_memory_to_use = MaxWorkingMemory;
    jpeg_read_header(&info, TRUE);
    // The size comes from the frame header; nothing is allocated for the
    // picture before it is accepted.
    if (!detail::ImageSizeAcceptable(info.image_width, info.image_height)) {
        const std::int64_t width = info.image_width, height = info.image_height;
        jpeg_destroy_decompress(&info);
        detail::CheckImageSize(width, height);
        throw EInvalidGraphic(u"JPEG image is not valid: the picture has no size");
    }
    // With Huffman coding every 8 x 8 block takes at least one bit of the
    // first scan: at most 512 pixels a byte.
    if (!info.arith_code &&
        !detail::DataCanHold(std::int64_t(info.image_width) * info.image_height, data.size(), 512)) {
        jpeg_destroy_decompress(&info);
        throw EInvalidGraphic(u"JPEG image is not valid: the data is too short");
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    image.Width = Integer(info.output_width);
    image.Height = Integer(info.output_height);
    image.BitsPerPixel = info.num_components * 8;
    image.Pixels.resize(std::size_t(image.Width) * image.Height);
    row.resize(std::size_t(info.output_width) * info.output_components);
    while (info.output_scanline < info.output_height) {
        const JDIMENSION y = info.output_scanline;
        JSAMPROW rowPointer = row.data();
        jpeg_read_scanlines(&info, &rowPointer, 1);
        for (JDIMENSION x = 0; x < info.output_width; ++x) {
            const Byte* p = row.data() + std::size_t(x) * info.output_components;
            std::uint32_t argb;
            if (cmyk) {
                // Adobe writes CMYK inverted: the stored values are 255 - ink.
                const unsigned k = p[3];
                argb = detail::Argb(255, p[0] * k / 255, p[1] * k / 255, p[2] * k / 255);
            } else {
                argb = detail::Argb(255, p[0], p[1], p[2]);
            }
            image.Pixels[std::size_t(y) * image.Width + x] = argb;
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

std::vector<Byte> EncodeJpeg(const TDecodedImage& image, Integer quality) {
    if (quality < 1 || quality > 100)
        throw EInvalidGraphicOperation(u"JPEG quality must be between 1 and 100");
    jpeg_compress_struct info;
    TJpegError error;
    error.Message[0] = 0;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JumpOnError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<Byte> row(std::size_t(image.Width) * 3);
    if (setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        throw EInvalidGraphicOperation(u"JPEG image could not be written: " + FromUtf8(error.Message));
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.Width);
    info.image_height = JDIMENSION(image.Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        for (Integer x = 0; x < image.Width; ++x) {
            const std::uint32_t p = image.Pixel(x, Integer(info.next_scanline));
            row[x * 3] = Byte(p >> 16), row[x * 3 + 1] = Byte(p >> 8), row[x * 3 + 2] = Byte(p);
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<Byte> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}
