// A picture as JPEG data.

#include "graphics/Colors.h"
#include "graphics/ImageCodecs.h"
#include "graphics/Picture.h"
#include "kel/RarEvads.h"
#include "rtl/MathUtils.h"

#include <algorithm>

namespace {

// The straight ARGB pixel over an opaque background colour.
std::uint32_t OverBackground(std::uint32_t argb, std::uint32_t background) {
    const std::uint32_t alpha = argb >> 24;
    std::uint32_t result = 0xFF000000;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t front = (argb >> shift) & 0xFF;
        const std::uint32_t back = (background >> shift) & 0xFF;
        result |= ((front * alpha + back * (255 - alpha) + 127) / 255) << shift;
    }
    return result;
}

} // namespace

std::unique_ptr<TMemoryStream> TRarEvads::ConvertBitmapToJPEGStream(const TPicture* ABitmap, Single AQuality,
                                                                    TColor ABackgroundColor) {
    if (!ABitmap || !ABitmap->Graphic()) return nullptr;
    TBytesStream saved;
    ABitmap->SaveToStream(&saved);
    const TBytes& bytes = saved.Bytes();
    const TGraphicClass* graphicClass = nullptr;
    if (!FindGraphicClass(bytes.data(), Int64(bytes.size()), graphicClass)) return nullptr;

    auto result = std::make_unique<TMemoryStream>();
    if (graphicClass->ClassName == u"TJPEGImage") {
        result->WriteBuffer(bytes.data(), Int64(bytes.size()));
        result->SetPosition(0);
        return result;
    }
    const TColor color = ABackgroundColor == clNone || ABackgroundColor == -1 ? clWhite : ABackgroundColor;
    const TColor rgb = ColorToRGB(color);
    const std::uint32_t background = (std::uint32_t(GetRValue(rgb)) << 16) |
                                     (std::uint32_t(GetGValue(rgb)) << 8) | std::uint32_t(GetBValue(rgb));
    TDecodedImage image = DecodeImage(bytes);
    for (std::uint32_t& pixel : image.Pixels)
        pixel = OverBackground(pixel, background);
    const Integer quality = Integer(std::clamp<Int64>(Round(double(AQuality) * 100), 1, 100));
    const std::vector<Byte> jpeg = EncodeJpeg(image, quality);
    result->WriteBuffer(jpeg.data(), Int64(jpeg.size()));
    result->SetPosition(0);
    return result;
}
