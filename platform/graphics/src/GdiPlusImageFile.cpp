// Images as files and their descriptions: saving through the codecs,
// palettes, thumbnails, frames, turning and flipping, property items and
// encoder parameters.

#include "graphics/GdiPlusImage.h"

#include "GdiPlusNative.h"
#include "graphics/ImageCodecs.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"

#include <algorithm>
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <numbers>
#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>

using detail::GpImage;

namespace {

enum class TEncoder { None, Bmp, Jpeg, Gif, Png };

TEncoder EncoderOf(const TGUID& clsid) {
    if (clsid == EncoderClsidBMP) return TEncoder::Bmp;
    if (clsid == EncoderClsidJPEG) return TEncoder::Jpeg;
    if (clsid == EncoderClsidGIF) return TEncoder::Gif;
    if (clsid == EncoderClsidPNG) return TEncoder::Png;
    return TEncoder::None;
}

// The first value of a parameter of that category, if given.
bool ParameterValue(const EncoderParameters* params, const TGUID& category, Cardinal& value) {
    if (!params) return false;
    const EncoderParameter* list = params->Parameter;
    for (Cardinal i = 0; i < params->Count; ++i) {
        const EncoderParameter& p = list[i];
        if (!(p.Guid == category) || p.NumberOfValues < 1 || !p.Value) continue;
        if (p.Type == EncoderParameterValueTypeLong) value = *static_cast<const Cardinal*>(p.Value);
        else if (p.Type == EncoderParameterValueTypeShort) value = *static_cast<const Word*>(p.Value);
        else if (p.Type == EncoderParameterValueTypeByte) value = *static_cast<const Byte*>(p.Value);
        else continue;
        return true;
    }
    return false;
}

Status Encode(GpImage& image, const TGUID& clsid, const EncoderParameters* params, std::vector<Byte>& out) {
    const TEncoder encoder = EncoderOf(clsid);
    if (encoder == TEncoder::None) return FileNotFound; // GDI+'s answer for an unknown encoder
    TDecodedImage pixels;
    Cardinal transform = 0;
    if (ParameterValue(params, EncoderTransformation, transform)) {
        if (transform > Rotate270FlipX) return InvalidParameter;
        GpImage turned(image);
        detail::RotateFlipImage(turned, RotateFlipType(transform));
        detail::DecodedFromSurface(turned.Surface(), pixels);
    } else {
        detail::DecodedFromSurface(image.Surface(), pixels);
    }
    pixels.Palette = image.Palette;
    try {
        switch (encoder) {
        case TEncoder::Bmp: {
            Cardinal depth = 32;
            ParameterValue(params, EncoderColorDepth, depth);
            if (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32) return InvalidParameter;
            if (depth <= 8 && pixels.Palette.empty()) {
                // A gray ramp when the image has no palette of its own.
                const Cardinal n = 1u << depth;
                for (Cardinal i = 0; i < n; ++i) {
                    const Byte v = Byte(i * 255 / (n - 1));
                    pixels.Palette.push_back(ComposeARGB(255, v, v, v));
                }
            }
            out = EncodeBmp(pixels, Integer(depth));
            break;
        }
        case TEncoder::Jpeg: {
            Cardinal quality = 75;
            ParameterValue(params, EncoderQuality, quality);
            if (quality > 100) return InvalidParameter;
            out = EncodeJpeg(pixels, Integer(std::max<Cardinal>(1, quality)));
            break;
        }
        case TEncoder::Gif:
            out = EncodeGif(pixels);
            break;
        case TEncoder::Png:
            out = EncodePng(pixels);
            break;
        case TEncoder::None:
            break;
        }
    } catch (const EInvalidGraphic&) {
        return GenericError;
    }
    return Ok;
}

// Writes the bytes to a new file beside the target and renames it over the
// target, so the target is either the old file or the whole new one.
Status WriteWhole(const std::string& path, const std::vector<Byte>& bytes) {
    std::string temp = path + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return errno == EACCES ? AccessDenied : Win32Error;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            close(fd);
            unlink(temp.c_str());
            return Win32Error;
        }
        done += std::size_t(n);
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        unlink(temp.c_str());
        return Win32Error;
    }
    // A new file gets the usual permissions rather than mkstemp's 0600.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(temp.c_str(), 0666 & ~mask);
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return Win32Error;
    }
    return Ok;
}

} // namespace

namespace detail {

void RotateFlipImage(GpImage& image, RotateFlipType type) {
    const int turns = int(type) & 3;
    const bool flip = int(type) & 4;
    for (auto*& frame : image.Frames) {
        const int w = cairo_image_surface_get_width(frame), h = cairo_image_surface_get_height(frame);
        const bool swap = turns % 2 == 1;
        cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, swap ? h : w, swap ? w : h);
        cairo_t* cr = cairo_create(out);
        // Turn clockwise by quarter turns, then mirror left to right.
        const int ow = swap ? h : w;
        if (flip) {
            cairo_translate(cr, ow, 0);
            cairo_scale(cr, -1, 1);
        }
        switch (turns) {
        case 1:
            cairo_translate(cr, h, 0);
            break;
        case 2:
            cairo_translate(cr, w, h);
            break;
        case 3:
            cairo_translate(cr, 0, w);
            break;
        default:
            break;
        }
        cairo_rotate(cr, turns * std::numbers::pi / 2);
        cairo_set_source_surface(cr, frame, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(frame);
        frame = out;
    }
    if (turns % 2 == 1) std::swap(image.DpiX, image.DpiY);
}

} // namespace detail

Status TGPImage::Save(const String& filename, const TGUID& clsidEncoder, const EncoderParameters* params) {
    if (!nativeImage) return SetStatus(InvalidParameter);
    std::vector<Byte> bytes;
    const Status status = Encode(*nativeImage, clsidEncoder, params, bytes);
    if (status != Ok) return SetStatus(status);
    return SetStatus(WriteWhole(Utf8(filename), bytes));
}

Status TGPImage::Save(TStream* stream, const TGUID& clsidEncoder, const EncoderParameters* params) {
    if (!nativeImage || !stream) return SetStatus(InvalidParameter);
    std::vector<Byte> bytes;
    const Status status = Encode(*nativeImage, clsidEncoder, params, bytes);
    if (status != Ok) return SetStatus(status);
    if (stream->Write(bytes.data(), Int64(bytes.size())) != Int64(bytes.size())) return SetStatus(Win32Error);
    return Ok;
}

Status TGPImage::SaveAdd(const EncoderParameters*) {
    if (!nativeImage) return SetStatus(InvalidParameter);
    return SetStatus(NotImplemented);
}

Status TGPImage::SaveAdd(TGPImage* newImage, const EncoderParameters*) {
    if (!newImage) return SetStatus(InvalidParameter);
    if (!nativeImage) return SetStatus(InvalidParameter);
    return SetStatus(NotImplemented);
}

Status TGPImage::GetPhysicalDimension(TGPSizeF& size) {
    if (!nativeImage) return SetStatus(InvalidParameter);
    size = {Single(GetWidth()), Single(GetHeight())};
    return Ok;
}

Status TGPImage::GetBounds(TGPRectF& srcRect, Unit_& srcUnit) {
    if (!nativeImage) return SetStatus(InvalidParameter);
    srcRect = {0, 0, Single(GetWidth()), Single(GetHeight())};
    srcUnit = UnitPixel;
    return Ok;
}

Single TGPImage::GetHorizontalResolution() {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    return nativeImage->DpiX;
}

Single TGPImage::GetVerticalResolution() {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    return nativeImage->DpiY;
}

Cardinal TGPImage::GetFlags() {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    Cardinal flags = 0x10 | 0x1000; // colour space RGB, pixels readable
    if (nativeImage->Format & (PixelFormatAlpha | PixelFormatPAlpha)) flags |= 0x2; // has alpha
    if (nativeImage->RawFormat == ImageFormatMemoryBMP) flags |= 0x10000; // changeable in memory
    return flags;
}

Integer TGPImage::GetPaletteSize() {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    const std::size_t n = std::max<std::size_t>(1, nativeImage->Palette.size());
    return Integer(sizeof(ColorPalette) + (n - 1) * sizeof(ARGB));
}

Status TGPImage::GetPalette(ColorPalette* palette, Integer size) {
    if (!nativeImage || !palette || size < GetPaletteSize()) return SetStatus(InvalidParameter);
    palette->Flags = 0;
    palette->Count = Cardinal(nativeImage->Palette.size());
    ARGB* entries = palette->Entries;
    for (std::size_t i = 0; i < nativeImage->Palette.size(); ++i) {
        entries[i] = nativeImage->Palette[i];
        if (ARGBAlpha(entries[i]) != 255) palette->Flags |= PaletteFlagsHasAlpha;
    }
    return Ok;
}

Status TGPImage::SetPalette(const ColorPalette* palette) {
    if (!nativeImage || !palette || palette->Count == 0 || palette->Count > 256) return SetStatus(InvalidParameter);
    const ARGB* entries = palette->Entries;
    std::vector<ARGB> fresh(entries, entries + palette->Count);
    // An indexed image shows its pixels through the palette: each pixel of
    // an old entry takes the new entry at the same place.
    if ((nativeImage->Format & PixelFormatIndexed) && !nativeImage->Palette.empty()) {
        for (auto* frame : nativeImage->Frames) {
            TDecodedImage pixels;
            detail::DecodedFromSurface(frame, pixels);
            for (auto& p : pixels.Pixels) {
                const auto it = std::find(nativeImage->Palette.begin(), nativeImage->Palette.end(), p);
                const std::size_t index = std::size_t(it - nativeImage->Palette.begin());
                if (it != nativeImage->Palette.end() && index < fresh.size()) p = fresh[index];
            }
            cairo_surface_t* replaced = detail::SurfaceFromDecoded(pixels);
            cairo_surface_t* target = frame;
            cairo_t* cr = cairo_create(target);
            cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
            cairo_set_source_surface(cr, replaced, 0, 0);
            cairo_paint(cr);
            cairo_destroy(cr);
            cairo_surface_destroy(replaced);
        }
    }
    nativeImage->Palette = std::move(fresh);
    return Ok;
}

TGPImage* TGPImage::GetThumbnailImage(Cardinal thumbWidth, Cardinal thumbHeight, GetThumbnailImageAbort callback,
                                      void* callbackData) {
    if (!nativeImage) return SetStatus(InvalidParameter), nullptr;
    if (callback && callback(callbackData)) return SetStatus(Aborted), nullptr;
    if (thumbWidth == 0 && thumbHeight == 0) thumbWidth = thumbHeight = 120;
    if (thumbWidth == 0 || thumbHeight == 0 || thumbWidth > 16384 || thumbHeight > 16384)
        return SetStatus(InvalidParameter), nullptr;
    cairo_surface_t* source = nativeImage->Surface();
    cairo_surface_t* thumb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(thumbWidth), int(thumbHeight));
    cairo_t* cr = cairo_create(thumb);
    cairo_scale(cr, double(thumbWidth) / cairo_image_surface_get_width(source),
                double(thumbHeight) / cairo_image_surface_get_height(source));
    cairo_set_source_surface(cr, source, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_destroy(cr);
    TGPImage* result = detail::ImageOfSurface(thumb);
    cairo_surface_destroy(thumb);
    return result;
}

namespace {

// Animated GIF frames run in time; other images have pages.
TGUID DimensionOf(const GpImage& image) {
    return image.RawFormat == ImageFormatGIF ? FrameDimensionTime : FrameDimensionPage;
}

} // namespace

Cardinal TGPImage::GetFrameDimensionsCount() {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    return 1;
}

Status TGPImage::GetFrameDimensionsList(TGUID* dimensionIDs, Cardinal count) {
    if (!nativeImage || !dimensionIDs || count < 1) return SetStatus(InvalidParameter);
    dimensionIDs[0] = DimensionOf(*nativeImage);
    return Ok;
}

Cardinal TGPImage::GetFrameCount(const TGUID& dimensionID) {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    if (!(dimensionID == DimensionOf(*nativeImage))) return SetStatus(InvalidParameter), 0;
    return Cardinal(nativeImage->Frames.size());
}

Status TGPImage::SelectActiveFrame(const TGUID& dimensionID, Cardinal frameIndex) {
    if (!nativeImage || !(dimensionID == DimensionOf(*nativeImage))) return SetStatus(InvalidParameter);
    return SelectActiveFrame(Integer(std::min<Cardinal>(frameIndex, 0x7FFFFFFF)));
}

Status TGPImage::RotateFlip(RotateFlipType rotateFlipType) {
    if (!nativeImage || rotateFlipType < RotateNoneFlipNone || rotateFlipType > Rotate270FlipX)
        return SetStatus(InvalidParameter);
    if (nativeImage->Lock) return SetStatus(WrongState);
    detail::RotateFlipImage(*nativeImage, rotateFlipType);
    return Ok;
}

// ---- Property items ----

namespace {

const GpImage::TProperty* FindProperty(const GpImage& image, Cardinal id) {
    for (const auto& p : image.Properties)
        if (p.Id == id) return &p;
    return nullptr;
}

} // namespace

Cardinal TGPImage::GetPropertyCount() {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    return Cardinal(nativeImage->Properties.size());
}

Status TGPImage::GetPropertyIdList(Cardinal numOfProperty, Cardinal* list) {
    if (!nativeImage || !list || numOfProperty != nativeImage->Properties.size()) return SetStatus(InvalidParameter);
    for (std::size_t i = 0; i < nativeImage->Properties.size(); ++i)
        list[i] = nativeImage->Properties[i].Id;
    return Ok;
}

Cardinal TGPImage::GetPropertyItemSize(Cardinal propId) {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    const auto* p = FindProperty(*nativeImage, propId);
    if (!p) return SetStatus(PropertyNotFound), 0;
    return Cardinal(sizeof(PropertyItem) + p->Value.size());
}

Status TGPImage::GetPropertyItem(Cardinal propId, Cardinal propSize, PropertyItem* buffer) {
    if (!nativeImage || !buffer) return SetStatus(InvalidParameter);
    const auto* p = FindProperty(*nativeImage, propId);
    if (!p) return SetStatus(PropertyNotFound);
    if (propSize < sizeof(PropertyItem) + p->Value.size()) return SetStatus(InvalidParameter);
    Byte* value = reinterpret_cast<Byte*>(buffer + 1);
    std::memcpy(value, p->Value.data(), p->Value.size());
    *buffer = {p->Id, Cardinal(p->Value.size()), p->Type, value};
    return Ok;
}

Status TGPImage::GetPropertySize(Cardinal& totalBufferSize, Cardinal& numProperties) {
    totalBufferSize = 0;
    numProperties = 0;
    if (!nativeImage) return SetStatus(InvalidParameter);
    numProperties = Cardinal(nativeImage->Properties.size());
    totalBufferSize = numProperties * Cardinal(sizeof(PropertyItem));
    for (const auto& p : nativeImage->Properties)
        totalBufferSize += Cardinal(p.Value.size());
    return Ok;
}

Status TGPImage::GetAllPropertyItems(Cardinal totalBufferSize, Cardinal numProperties, PropertyItem* allItems) {
    Cardinal size = 0, count = 0;
    if (GetPropertySize(size, count) != Ok) return lastResult;
    if (!allItems || numProperties != count || totalBufferSize < size) return SetStatus(InvalidParameter);
    // The records first, then the values they point to.
    Byte* values = reinterpret_cast<Byte*>(allItems + count);
    for (Cardinal i = 0; i < count; ++i) {
        const auto& p = nativeImage->Properties[i];
        std::memcpy(values, p.Value.data(), p.Value.size());
        allItems[i] = {p.Id, Cardinal(p.Value.size()), p.Type, values};
        values += p.Value.size();
    }
    return Ok;
}

Status TGPImage::RemovePropertyItem(Cardinal propId) {
    if (!nativeImage) return SetStatus(InvalidParameter);
    auto& list = nativeImage->Properties;
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.Id == propId; });
    if (it == list.end()) return SetStatus(PropertyNotFound);
    list.erase(it);
    return Ok;
}

Status TGPImage::SetPropertyItem(const PropertyItem* item) {
    if (!nativeImage || !item || (item->length > 0 && !item->value)) return SetStatus(InvalidParameter);
    const Byte* bytes = static_cast<const Byte*>(item->value);
    GpImage::TProperty property{item->id, item->type, std::vector<Byte>(bytes, bytes + item->length)};
    auto& list = nativeImage->Properties;
    const auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.Id == item->id; });
    if (it != list.end())
        *it = std::move(property);
    else
        list.push_back(std::move(property));
    return Ok;
}

// ---- Encoder parameters ----

namespace {

// What each encoder takes: JPEG a quality range and the turns, BMP the
// colour depths, PNG and GIF the turns.
struct TParameterList {
    std::vector<std::pair<TGUID, std::vector<Cardinal>>> Entries; // category, values (ranges: low, high)
};

TParameterList ListFor(TEncoder encoder) {
    TParameterList list;
    const std::vector<Cardinal> turns{Rotate90FlipNone, Rotate180FlipNone, Rotate270FlipNone, RotateNoneFlipX,
                                      Rotate180FlipX};
    switch (encoder) {
    case TEncoder::Jpeg:
        list.Entries.push_back({EncoderQuality, {0, 100}});
        list.Entries.push_back({EncoderTransformation, turns});
        break;
    case TEncoder::Bmp:
        list.Entries.push_back({EncoderColorDepth, {1, 4, 8, 24, 32}});
        break;
    case TEncoder::Png:
    case TEncoder::Gif:
        list.Entries.push_back({EncoderTransformation, turns});
        break;
    case TEncoder::None:
        break;
    }
    return list;
}

std::size_t ListBytes(const TParameterList& list) {
    std::size_t size = sizeof(EncoderParameters) + (std::max<std::size_t>(1, list.Entries.size()) - 1) *
                                                       sizeof(EncoderParameter);
    for (const auto& e : list.Entries)
        size += e.second.size() * sizeof(Cardinal);
    return size;
}

} // namespace

Cardinal TGPImage::GetEncoderParameterListSize(const TGUID& clsidEncoder) {
    if (!nativeImage) return SetStatus(InvalidParameter), 0;
    const TEncoder encoder = EncoderOf(clsidEncoder);
    if (encoder == TEncoder::None) return SetStatus(FileNotFound), 0;
    return Cardinal(ListBytes(ListFor(encoder)));
}

Status TGPImage::GetEncoderParameterList(const TGUID& clsidEncoder, Cardinal size, EncoderParameters* buffer) {
    if (!nativeImage || !buffer) return SetStatus(InvalidParameter);
    const TEncoder encoder = EncoderOf(clsidEncoder);
    if (encoder == TEncoder::None) return SetStatus(FileNotFound);
    const TParameterList list = ListFor(encoder);
    if (size < ListBytes(list)) return SetStatus(InvalidParameter);
    buffer->Count = Cardinal(list.Entries.size());
    EncoderParameter* params = buffer->Parameter;
    auto* values = reinterpret_cast<Cardinal*>(params + std::max<std::size_t>(1, list.Entries.size()));
    for (std::size_t i = 0; i < list.Entries.size(); ++i) {
        const auto& [category, entries] = list.Entries[i];
        const bool range = category == EncoderQuality;
        params[i].Guid = category;
        params[i].NumberOfValues = range ? 1 : Cardinal(entries.size());
        params[i].Type = range ? EncoderParameterValueTypeLongRange : EncoderParameterValueTypeLong;
        params[i].Value = values;
        std::copy(entries.begin(), entries.end(), values);
        values += entries.size();
    }
    return Ok;
}
