// GIF files through giflib. Each frame is composed onto the logical screen
// the way a viewer shows it, honouring the frames' disposal methods.

#include "ByteReader.h"
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

} // namespace

std::vector<TGifFrame> DecodeGif(std::span<const Byte> data) {
    TGifSource source{data, 0};
    int error = 0;
    std::unique_ptr<GifFileType, TGifCloser> gif(DGifOpen(&source, ReadFromSource, &error));
    if (!gif) Damaged(GifErrorString(error));
    if (DGifSlurp(gif.get()) != GIF_OK) Damaged(GifErrorString(gif->Error));
    if (gif->ImageCount < 1) Damaged("it holds no image");
    const Integer width = gif->SWidth, height = gif->SHeight;
    if (!detail::ImageSizeAcceptable(width, height)) Damaged("the screen size is not valid");

    std::vector<TGifFrame> frames;
    TDecodedImage screen = TDecodedImage::Blank(width, height);
    screen.BitsPerPixel = 8;
    screen.Indexed = true;
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& saved = gif->SavedImages[i];
        const GifImageDesc& desc = saved.ImageDesc;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map) Damaged("a frame has no colour table");
        if (desc.Left < 0 || desc.Top < 0 || desc.Width < 0 || desc.Height < 0 ||
            desc.Left + desc.Width > width || desc.Top + desc.Height > height)
            Damaged("a frame lies outside the screen");

        GraphicsControlBlock control{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
        DGifSavedExtensionToGCB(gif.get(), i, &control);

        TGifFrame frame;
        frame.DelayMs = control.DelayTime * 10;
        frame.TransparentIndex = control.TransparentColor;
        const TDecodedImage before = screen;
        for (int y = 0; y < desc.Height; ++y) {
            for (int x = 0; x < desc.Width; ++x) {
                const int index = saved.RasterBits[std::size_t(y) * desc.Width + x];
                if (index == control.TransparentColor) continue;
                if (index >= map->ColorCount) Damaged("a pixel uses a colour beyond the colour table");
                const GifColorType& c = map->Colors[index];
                screen.SetPixel(desc.Left + x, desc.Top + y, detail::Argb(255, c.Red, c.Green, c.Blue));
            }
        }
        if (control.TransparentColor != NO_TRANSPARENT_COLOR) screen.HasAlpha = true;
        if (i == 0)
            for (int k = 0; k < map->ColorCount; ++k)
                screen.Palette.push_back(detail::Argb(k == control.TransparentColor ? 0 : 255,
                                                      map->Colors[k].Red, map->Colors[k].Green,
                                                      map->Colors[k].Blue));
        frame.Image = screen;
        frames.push_back(std::move(frame));

        // What the next frame is drawn over.
        if (control.DisposalMode == DISPOSE_BACKGROUND) {
            for (int y = 0; y < desc.Height; ++y)
                for (int x = 0; x < desc.Width; ++x)
                    screen.SetPixel(desc.Left + x, desc.Top + y, 0);
            screen.HasAlpha = true;
        } else if (control.DisposalMode == DISPOSE_PREVIOUS) {
            screen.Pixels = before.Pixels;
        }
    }
    return frames;
}
