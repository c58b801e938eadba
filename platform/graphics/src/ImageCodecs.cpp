#include "graphics/ImageCodecs.h"

#include "ByteReader.h"
#include "rtl/Convert.h"

#include <algorithm>

TDecodedImage TDecodedImage::Blank(Integer width, Integer height, std::uint32_t argb) {
    TDecodedImage image;
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(std::size_t(std::max(width, 0)) * std::max(height, 0), argb);
    return image;
}

void detail::CheckImageSize(std::int64_t width, std::int64_t height) {
    if (width > 0 && height > 0 && !ImageSizeAcceptable(width, height))
        throw EInvalidGraphic(u"Picture too large: " + IntToStr(width) + u" x " + IntToStr(height));
}

TImageFileFormat SniffImageFormat(std::span<const Byte> data) {
    auto startsWith = [&](std::initializer_list<Byte> head) {
        return data.size() >= head.size() && std::equal(head.begin(), head.end(), data.begin());
    };
    if (startsWith({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return TImageFileFormat::Png;
    if (startsWith({0xFF, 0xD8, 0xFF})) return TImageFileFormat::Jpeg;
    if (startsWith({'G', 'I', 'F', '8'})) return TImageFileFormat::Gif;
    if (startsWith({'B', 'M'})) return TImageFileFormat::Bmp;
    if (startsWith({0, 0, 1, 0}) || startsWith({0, 0, 2, 0})) return TImageFileFormat::Icon;
    return TImageFileFormat::Unknown;
}

TDecodedImage DecodeImage(std::span<const Byte> data) {
    switch (SniffImageFormat(data)) {
    case TImageFileFormat::Png:
        return DecodePng(data);
    case TImageFileFormat::Jpeg:
        return DecodeJpeg(data);
    case TImageFileFormat::Gif:
        return std::move(DecodeGif(data).front().Image);
    case TImageFileFormat::Bmp:
        return DecodeBmp(data);
    case TImageFileFormat::Icon:
        return DecodeIcon(data);
    case TImageFileFormat::Unknown:
        break;
    }
    throw EInvalidGraphic(u"Unknown picture format");
}
