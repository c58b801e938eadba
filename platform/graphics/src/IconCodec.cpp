// Icon files: a directory of images, each a device-independent bitmap with an
// AND mask, or a PNG file.

#include "Dib.h"
#include "rtl/Convert.h"

#include <algorithm>

namespace {

const String IconDamaged = u"Icon image is not valid";
constexpr Byte PngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

} // namespace

std::vector<TDecodedImage> DecodeIconImages(std::span<const Byte> data) {
    detail::TByteReader reader(data, IconDamaged);
    const std::uint16_t reserved = reader.U16();
    const std::uint16_t type = reader.U16();
    const std::uint16_t count = reader.U16();
    if (reserved != 0 || (type != 1 && type != 2) || count == 0) reader.Fail();
    reader.Require(6, std::size_t(count) * 16);

    std::vector<TDecodedImage> images;
    std::int64_t totalPixels = 0;
    for (std::uint16_t i = 0; i < count; ++i) {
        reader.Seek(6 + std::size_t(i) * 16);
        reader.U32(); // width, height, colour count, reserved
        reader.U32(); // planes or hot spot
        const std::uint32_t size = reader.U32();
        const std::uint32_t offset = reader.U32();
        auto payload = reader.Bytes(offset, size);
        if (size >= 8 && std::equal(PngSignature, PngSignature + 8, payload.begin())) {
            // A damaged image is a damaged icon; a picture too large keeps
            // its own message, with its size.
            try {
                images.push_back(DecodePng(payload));
            } catch (const EInvalidGraphic& e) {
                if (e.Message().starts_with(u"Picture too large")) throw;
                reader.Fail();
            }
        } else {
            // The bitmap may only use its own entry's bytes.
            detail::TByteReader entryReader(payload, IconDamaged);
            images.push_back(detail::ReadDib(entryReader, 0, detail::TDibKind::Icon));
        }
        // Entries may share their bytes; all images together stay within
        // one picture's pixel budget.
        totalPixels += std::int64_t(images.back().Width) * images.back().Height;
        if (totalPixels > detail::MaxImagePixels)
            throw EInvalidGraphic(u"Picture too large: " + IntToStr(Int64(images.size())) + u" icon images");
    }
    return images;
}

std::size_t BestIconImage(std::span<const TDecodedImage> images) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < images.size(); ++i) {
        const auto& a = images[i];
        const auto& b = images[best];
        const std::int64_t areaA = std::int64_t(a.Width) * a.Height, areaB = std::int64_t(b.Width) * b.Height;
        if (areaA > areaB || (areaA == areaB && a.BitsPerPixel > b.BitsPerPixel)) best = i;
    }
    return best;
}

TDecodedImage DecodeIcon(std::span<const Byte> data) {
    auto images = DecodeIconImages(data);
    return std::move(images[BestIconImage(images)]);
}

std::vector<Byte> EncodeIcon(std::span<const TDecodedImage> images) {
    if (images.empty()) throw EInvalidGraphicOperation(u"Icon has no image to save");
    std::vector<std::vector<Byte>> payloads;
    for (const auto& image : images) {
        if (image.Width > 256 || image.Height > 256)
            throw EInvalidGraphicOperation(u"Icon images are at most 256 pixels wide and high");
        payloads.push_back(detail::WriteDib(image, 32, detail::TDibKind::Icon));
    }
    std::vector<Byte> out;
    detail::PutU16(out, 0);
    detail::PutU16(out, 1);
    detail::PutU16(out, std::uint32_t(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(Byte(images[i].Width & 0xFF)); // 256 is written as 0
        out.push_back(Byte(images[i].Height & 0xFF));
        out.push_back(0); // colour count
        out.push_back(0);
        detail::PutU16(out, 1);  // planes
        detail::PutU16(out, 32); // bits per pixel
        detail::PutU32(out, std::uint32_t(payloads[i].size()));
        detail::PutU32(out, std::uint32_t(offset));
        offset += payloads[i].size();
    }
    for (const auto& p : payloads)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}
