// Windows bitmap files: a 14-byte file header, then a device-independent
// bitmap.

#include "Dib.h"

namespace {
const String BmpDamaged = u"Bitmap image is not valid";
}

TDecodedImage DecodeBmp(std::span<const Byte> data) {
    detail::TByteReader reader(data, BmpDamaged);
    if (reader.U8() != 'B' || reader.U8() != 'M') reader.Fail();
    reader.U32(); // file size, often wrong in the wild
    reader.U32(); // reserved
    const std::uint32_t pixelOffset = reader.U32();
    if (pixelOffset < 14 + 12) reader.Fail();
    return detail::ReadDib(reader, 14, detail::TDibKind::File, pixelOffset);
}

std::vector<Byte> EncodeBmp(const TDecodedImage& image, Integer bitsPerPixel) {
    const std::vector<Byte> dib = detail::WriteDib(image, bitsPerPixel, detail::TDibKind::File);
    const std::size_t paletteSize = bitsPerPixel <= 8 ? image.Palette.size() * 4 : 0;
    std::vector<Byte> out{'B', 'M'};
    detail::PutU32(out, std::uint32_t(14 + dib.size()));
    detail::PutU32(out, 0);
    detail::PutU32(out, std::uint32_t(14 + 40 + paletteSize));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}
