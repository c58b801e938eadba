// GIF files through giflib. Each frame is composed onto the logical screen
// the way a viewer shows it, honouring the frames' disposal methods.

#include "ByteReader.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>

namespace {

struct TGifSource {
    std::span<const Byte> Data;
    std::size_t Position = 0;
};

int ReadFromSource(GifFileType* gif, GifByteType* out, int count) {
    auto* source = static_cast<TGifSource*>(gif->UserData);
    const std::size_t available = source->Data.size() - source->Position;
    const std::size_t n = std::min<std::size_t>(std::size_t(std::max(count, 0)), available);
    if (n > 0) std::memcpy(out, source->Data.data() + source->Position, n);
    source->Position += n;
    return int(n);
}

[[noreturn]] void Damaged(const char* reason) {
    throw EInvalidGraphic(u"GIF image is not valid: " + FromUtf8(reason ? reason : "unknown error"));
}

struct TGifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// Reads one frame's pixels and draws them onto the screen, row by row in
// the file's order (interlaced frames in their four passes).
void DrawFrame(GifFileType* gif, const ColorMapObject& map, const GraphicsControlBlock& control,
               TDecodedImage& screen) {
    const GifImageDesc& desc = gif->Image;
    std::vector<GifPixelType> line(std::size_t(desc.Width));
    auto drawRow = [&](int y) {
        if (DGifGetLine(gif, line.data(), desc.Width) != GIF_OK) Damaged(GifErrorString(gif->Error));
        for (int x = 0; x < desc.Width; ++x) {
            const int index = line[std::size_t(x)];
            if (index == control.TransparentColor) continue;
            if (index >= map.ColorCount) Damaged("a pixel uses a colour beyond the colour table");
            const GifColorType& c = map.Colors[index];
            screen.SetPixel(desc.Left + x, desc.Top + y, detail::Argb(255, c.Red, c.Green, c.Blue));
        }
    };
    if (desc.Interlace) {
        constexpr int Start[] = {0, 4, 2, 1}, Step[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = Start[pass]; y < desc.Height; y += Step[pass])
                drawRow(y);
    } else {
        for (int y = 0; y < desc.Height; ++y)
            drawRow(y);
    }
}

// The screen's pixels inside a frame's rectangle, or that rectangle restored.
std::vector<std::uint32_t> SaveArea(const TDecodedImage& screen, const GifImageDesc& desc) {
    std::vector<std::uint32_t> area;
    area.reserve(std::size_t(desc.Width) * desc.Height);
    for (int y = 0; y < desc.Height; ++y)
        for (int x = 0; x < desc.Width; ++x)
            area.push_back(screen.Pixel(desc.Left + x, desc.Top + y));
    return area;
}

void RestoreArea(TDecodedImage& screen, const GifImageDesc& desc, const std::vector<std::uint32_t>* area) {
    std::size_t i = 0;
    for (int y = 0; y < desc.Height; ++y)
        for (int x = 0; x < desc.Width; ++x)
            screen.SetPixel(desc.Left + x, desc.Top + y, area ? (*area)[i++] : 0);
}

} // namespace

// The file is read record by record: each frame's rectangle is checked
// against the screen before its pixels are decoded, and every frame is drawn
// onto one screen buffer. The screen's size is checked before anything is
// allocated for it, and the frames together stay within one picture's
// pixel budget.
std::vector<TGifFrame> DecodeGif(std::span<const Byte> data) {
    TGifSource source{data, 0};
    int error = 0;
    std::unique_ptr<GifFileType, TGifCloser> gif(DGifOpen(&source, ReadFromSource, &error));
    if (!gif) Damaged(GifErrorString(error));
    const Integer width = gif->SWidth, height = gif->SHeight;
    if (width <= 0 || height <= 0) Damaged("the screen size is not valid");
    detail::CheckImageSize(width, height);

    std::vector<TGifFrame> frames;
    // The screen is made when the first frame arrives.
    TDecodedImage screen;
    GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    for (GifRecordType record = UNDEFINED_RECORD_TYPE; record != TERMINATE_RECORD_TYPE;) {
        if (DGifGetRecordType(gif.get(), &record) != GIF_OK) Damaged(GifErrorString(gif->Error));
        if (record == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) != GIF_OK) Damaged(GifErrorString(gif->Error));
            // The graphic control block applies to the next frame; one of
            // the wrong length is passed over.
            if (code == GRAPHICS_EXT_FUNC_CODE && block) DGifExtensionToGCB(block[0], block + 1, &control);
            while (block)
                if (DGifGetExtensionNext(gif.get(), &block) != GIF_OK) Damaged(GifErrorString(gif->Error));
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE) continue;

        if (DGifGetImageDesc(gif.get()) != GIF_OK) Damaged(GifErrorString(gif->Error));
        const GifImageDesc& desc = gif->Image;
        if (desc.Left < 0 || desc.Top < 0 || desc.Width <= 0 || desc.Height <= 0 ||
            desc.Left + desc.Width > width || desc.Top + desc.Height > height)
            Damaged("a frame lies outside the screen");
        if (std::int64_t(frames.size() + 1) * width * height > detail::MaxImagePixels)
            throw EInvalidGraphic(u"Picture too large: " + IntToStr(width) + u" x " + IntToStr(height) + u", " +
                                  IntToStr(Int64(frames.size() + 1)) + u" frames");
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map) Damaged("a frame has no colour table");

        // A code of the frame's data stands for at most 4,096 pixels and
        // takes at least 3 bits.
        if (!detail::DataCanHold(std::int64_t(desc.Width) * desc.Height, data.size() - source.Position, 10923))
            Damaged("the data ends within a frame");
        if (screen.Pixels.empty()) {
            screen = TDecodedImage::Blank(width, height);
            screen.BitsPerPixel = 8;
            screen.Indexed = true;
        }
        TGifFrame frame;
        frame.DelayMs = control.DelayTime * 10;
        frame.TransparentIndex = control.TransparentColor;
        std::vector<std::uint32_t> before;
        if (control.DisposalMode == DISPOSE_PREVIOUS) before = SaveArea(screen, desc);
        DrawFrame(gif.get(), *map, control, screen);
        if (control.TransparentColor != NO_TRANSPARENT_COLOR) screen.HasAlpha = true;
        if (frames.empty())
            for (int k = 0; k < map->ColorCount; ++k)
                screen.Palette.push_back(detail::Argb(k == control.TransparentColor ? 0 : 255,
                                                      map->Colors[k].Red, map->Colors[k].Green,
                                                      map->Colors[k].Blue));
        frame.Image = screen;
        frames.push_back(std::move(frame));

        // What the next frame is drawn over.
        if (control.DisposalMode == DISPOSE_BACKGROUND) {
            RestoreArea(screen, desc, nullptr);
            screen.HasAlpha = true;
        } else if (control.DisposalMode == DISPOSE_PREVIOUS) {
            RestoreArea(screen, desc, &before);
        }
        control = GraphicsControlBlock{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    }
    if (frames.empty()) Damaged("it holds no image");
    return frames;
}

// ---- Writing ----

namespace {

int WriteToVector(GifFileType* gif, const GifByteType* data, int length) {
    auto* out = static_cast<std::vector<Byte>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

struct TGifWriterCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};

} // namespace

std::vector<Byte> EncodeGif(const TDecodedImage& image) {
    if (image.Width <= 0 || image.Height <= 0 || image.Width > 65535 || image.Height > 65535)
        throw EInvalidGraphic(u"GIF image: the size cannot be written");
    // The palette: the image's own colours when there are at most 255 of
    // them, else a colour cube; one more entry stands for transparency.
    std::vector<std::uint32_t> colors;
    bool transparent = false;
    for (std::uint32_t p : image.Pixels) {
        if ((p >> 24) < 128) {
            transparent = true;
            continue;
        }
        const std::uint32_t rgb = p & 0xFFFFFF;
        if (std::find(colors.begin(), colors.end(), rgb) == colors.end()) {
            colors.push_back(rgb);
            if (colors.size() > 255) break;
        }
    }
    const bool cube = colors.size() > 255;
    if (cube) {
        colors.clear();
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 7; ++g)
                for (int b = 0; b < 6; ++b)
                    colors.push_back(std::uint32_t((r * 255 / 5) << 16 | (g * 255 / 6) << 8 | (b * 255 / 5)));
    }
    const int transparentIndex = transparent ? int(colors.size()) : -1;
    int size = 2;
    while (size < int(colors.size()) + (transparent ? 1 : 0)) size *= 2;
    ColorMapObject* map = GifMakeMapObject(size, nullptr);
    if (!map) throw EInvalidGraphic(u"GIF image: out of memory");
    for (std::size_t i = 0; i < colors.size(); ++i)
        map->Colors[i] = {GifByteType(colors[i] >> 16), GifByteType(colors[i] >> 8), GifByteType(colors[i])};

    auto nearest = [&](std::uint32_t rgb) {
        if (!cube) return int(std::find(colors.begin(), colors.end(), rgb) - colors.begin());
        const int r = int(rgb >> 16 & 0xFF), g = int(rgb >> 8 & 0xFF), b = int(rgb & 0xFF);
        return ((r * 5 + 127) / 255) * 42 + ((g * 6 + 127) / 255) * 6 + (b * 5 + 127) / 255;
    };
    std::vector<GifByteType> indexes(std::size_t(image.Width) * std::size_t(image.Height));
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        const std::uint32_t p = image.Pixels[i];
        indexes[i] = GifByteType((p >> 24) < 128 ? transparentIndex : nearest(p & 0xFFFFFF));
    }

    std::vector<Byte> out;
    int error = 0;
    std::unique_ptr<GifFileType, TGifWriterCloser> gif(EGifOpen(&out, WriteToVector, &error));
    if (!gif) {
        GifFreeMapObject(map);
        throw EInvalidGraphic(u"GIF image: the writer could not start");
    }
    EGifSetGifVersion(gif.get(), true);
    bool ok = EGifPutScreenDesc(gif.get(), image.Width, image.Height, 8, 0, map) == GIF_OK;
    if (ok && transparent) {
        const GifByteType control[4] = {0x01, 0, 0, GifByteType(transparentIndex)};
        ok = EGifPutExtension(gif.get(), GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif.get(), 0, 0, image.Width, image.Height, false, nullptr) == GIF_OK;
    for (Integer y = 0; ok && y < image.Height; ++y)
        ok = EGifPutLine(gif.get(), indexes.data() + std::size_t(y) * std::size_t(image.Width), image.Width) == GIF_OK;
    GifFreeMapObject(map);
    if (!ok) throw EInvalidGraphic(u"GIF image: the data could not be written");
    gif.reset(); // writes the trailer
    return out;
}
