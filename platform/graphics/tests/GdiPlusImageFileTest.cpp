#include "graphics/GdiPlusGraphics.h"
#include "graphics/ImageCodecs.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr ARGB Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF, White = 0xFFFFFFFF, Black = 0xFF000000;

// A small picture of four colours, so every pixel is exact in the
// lossless formats.
void Paint(TGPBitmap& b) {
    const ARGB colours[4] = {Red, Green, Blue, White};
    for (Integer y = 0; y < Integer(b.GetHeight()); ++y)
        for (Integer x = 0; x < Integer(b.GetWidth()); ++x)
            b.SetPixel(x, y, colours[(x / 3 + y / 2) % 4]);
}

std::filesystem::path TempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() / ("gdiplus-" + std::to_string(getpid()) + "-" + name);
}

std::vector<Byte> ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The size ImageMagick reads, or "" when it is not installed.
std::string IdentifySize(const std::filesystem::path& path) {
    if (access("/usr/bin/identify", X_OK) != 0) return "";
    const std::string command = "/usr/bin/identify -format '%w %h' '" + path.string() + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "";
    char buffer[64] = {};
    const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, pipe);
    pclose(pipe);
    return std::string(buffer, n);
}

struct TSaveCase {
    const char* Name;
    TGUID Encoder;
    TImageFileFormat Format;
    bool Lossless;
};

class GdiPlusSave : public testing::TestWithParam<TSaveCase> {};

TEST_P(GdiPlusSave, RoundTripThroughTheCodecsAndImageMagick) {
    TGPBitmap bitmap(13, 7);
    Paint(bitmap);
    const auto path = TempPath(GetParam().Name);
    ASSERT_EQ(bitmap.Save(String(path.u16string()), GetParam().Encoder), Ok);
    const std::vector<Byte> bytes = ReadFile(path);
    EXPECT_EQ(SniffImageFormat(bytes), GetParam().Format);
    const TDecodedImage decoded = DecodeImage(bytes);
    ASSERT_EQ(decoded.Width, 13);
    ASSERT_EQ(decoded.Height, 7);
    if (GetParam().Lossless) {
        TDecodedImage original;
        bitmap.GetPixels(original);
        for (std::size_t i = 0; i < original.Pixels.size(); ++i)
            ASSERT_EQ(decoded.Pixels[i] | 0xFF000000, original.Pixels[i]) << "pixel " << i;
    }
    const std::string identified = IdentifySize(path);
    if (!identified.empty()) {
        EXPECT_EQ(identified, "13 7");
    }
    std::filesystem::remove(path);
}

INSTANTIATE_TEST_SUITE_P(Formats, GdiPlusSave,
                         testing::Values(TSaveCase{"a.png", EncoderClsidPNG, TImageFileFormat::Png, true},
                                         TSaveCase{"a.bmp", EncoderClsidBMP, TImageFileFormat::Bmp, true},
                                         TSaveCase{"a.gif", EncoderClsidGIF, TImageFileFormat::Gif, true},
                                         TSaveCase{"a.jpg", EncoderClsidJPEG, TImageFileFormat::Jpeg, false}),
                         [](const auto& info) { return std::string(info.param.Name).substr(2); });

TEST(GdiPlusSave, ParametersAndFailuresLeaveNoPartialFile) {
    TGPBitmap bitmap(8, 4);
    Paint(bitmap);
    // A turn by the encoder's transformation parameter.
    Cardinal turn = Rotate90FlipNone;
    EncoderParameters params;
    params.Count = 1;
    params.Parameter[0] = {EncoderTransformation, 1, EncoderParameterValueTypeLong, &turn};
    const auto path = TempPath("turned.png");
    ASSERT_EQ(bitmap.Save(String(path.u16string()), EncoderClsidPNG, &params), Ok);
    const TDecodedImage turned = DecodePng(ReadFile(path));
    EXPECT_EQ(turned.Width, 4);
    EXPECT_EQ(turned.Height, 8);

    // A bad quality fails and leaves the old file as it was.
    const std::vector<Byte> before = ReadFile(path);
    Cardinal quality = 101;
    params.Parameter[0] = {EncoderQuality, 1, EncoderParameterValueTypeLong, &quality};
    EXPECT_EQ(bitmap.Save(String(path.u16string()), EncoderClsidJPEG, &params), InvalidParameter);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(bitmap.Save(u"/nonexistent-folder/x.png", EncoderClsidPNG), Win32Error);
    EXPECT_EQ(bitmap.Save(String(path.u16string()), ImageFormatPNG), FileNotFound); // not an encoder
    int leftovers = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path()))
        leftovers += entry.path().filename().string().rfind(path.filename().string() + ".", 0) == 0;
    EXPECT_EQ(leftovers, 0);
    std::filesystem::remove(path);
    EXPECT_EQ(bitmap.SaveAdd(nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(bitmap.SaveAdd(&bitmap, nullptr), NotImplemented);

    const Cardinal size = bitmap.GetEncoderParameterListSize(EncoderClsidJPEG);
    std::vector<Byte> buffer(size);
    auto* list = reinterpret_cast<EncoderParameters*>(buffer.data());
    ASSERT_EQ(bitmap.GetEncoderParameterList(EncoderClsidJPEG, size, list), Ok);
    EXPECT_EQ(list->Count, 2u);
    EXPECT_TRUE(list->Parameter[0].Guid == EncoderQuality);
}

// ---- Locking pixels ----

struct TLockCase {
    PixelFormat Format;
    Integer Bytes;
    ARGB Written; // what a written pure colour reads back as
};

class GdiPlusLock : public testing::TestWithParam<TLockCase> {};

TEST_P(GdiPlusLock, ReadWriteAndBounds) {
    TGPBitmap bitmap(6, 4);
    Paint(bitmap);
    const TGPRect part{1, 1, 3, 2};
    BitmapData data;
    ASSERT_EQ(bitmap.LockBits(&part, ImageLockModeRead | ImageLockModeWrite, GetParam().Format, &data), Ok);
    EXPECT_EQ(data.Width, 3u);
    EXPECT_EQ(data.Height, 2u);
    EXPECT_GE(data.Stride, 3 * GetParam().Bytes);
    BitmapData again;
    EXPECT_EQ(bitmap.LockBits(nullptr, ImageLockModeRead, GetParam().Format, &again), WrongState);
    // Write the first locked pixel as the second one reads.
    auto* row = static_cast<Byte*>(data.Scan0);
    std::copy(row + GetParam().Bytes, row + 2 * GetParam().Bytes, row);
    ASSERT_EQ(bitmap.UnlockBits(&data), Ok);
    ARGB second = 0, first = 0;
    bitmap.GetPixel(2, 1, second);
    bitmap.GetPixel(1, 1, first);
    EXPECT_EQ(first, second);

    // A pure colour written through the format.
    TGPBitmap blank(2, 2);
    ASSERT_EQ(blank.LockBits(nullptr, ImageLockModeWrite, GetParam().Format, &data), Ok);
    TGPBitmap source(1, 1);
    source.SetPixel(0, 0, Red);
    BitmapData red;
    ASSERT_EQ(source.LockBits(nullptr, ImageLockModeRead, GetParam().Format, &red), Ok);
    for (Integer i = 0; i < 2; ++i)
        std::copy(static_cast<Byte*>(red.Scan0), static_cast<Byte*>(red.Scan0) + GetParam().Bytes,
                  static_cast<Byte*>(data.Scan0) + i * GetParam().Bytes);
    source.UnlockBits(&red);
    blank.UnlockBits(&data);
    ARGB back = 0;
    blank.GetPixel(1, 0, back);
    EXPECT_EQ(back, GetParam().Written);

    const TGPRect outside{4, 2, 3, 3};
    EXPECT_EQ(bitmap.LockBits(&outside, ImageLockModeRead, GetParam().Format, &data), InvalidParameter);
    BitmapData user;
    Byte tiny[4];
    user.Scan0 = tiny;
    user.Stride = 1; // shorter than a row
    EXPECT_EQ(bitmap.LockBits(&part, ImageLockModeRead | ImageLockModeUserInputBuf, GetParam().Format, &user),
              InvalidParameter);
}

INSTANTIATE_TEST_SUITE_P(Formats, GdiPlusLock,
                         testing::Values(TLockCase{PixelFormat32bppARGB, 4, Red}, TLockCase{PixelFormat32bppPARGB, 4, Red},
                                         TLockCase{PixelFormat32bppRGB, 4, Red}, TLockCase{PixelFormat24bppRGB, 3, Red},
                                         TLockCase{PixelFormat16bppRGB565, 2, Red},
                                         TLockCase{PixelFormat16bppRGB555, 2, Red},
                                         TLockCase{PixelFormat16bppARGB1555, 2, Red},
                                         TLockCase{PixelFormat8bppIndexed, 1, 0xFF555555}));

TEST(GdiPlusLock, FormatsThatCannotBeLocked) {
    TGPBitmap bitmap(4, 4);
    BitmapData data;
    EXPECT_EQ(bitmap.LockBits(nullptr, ImageLockModeRead, PixelFormat1bppIndexed, &data), InvalidParameter);
    EXPECT_EQ(bitmap.UnlockBits(&data), WrongState);
}

// ---- Image queries and changes ----

TEST(GdiPlusImageQueries, ClonesThumbnailsTurnsPalettesAndProperties) {
    TGPBitmap bitmap(6, 4);
    Paint(bitmap);
    std::unique_ptr<TGPBitmap> part(bitmap.Clone(TGPRect{3, 0, 3, 2}, PixelFormat24bppRGB));
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->GetWidth(), 3u);
    ARGB c = 0;
    part->GetPixel(0, 0, c);
    EXPECT_EQ(c, Green);
    part->SetPixel(0, 0, Black); // a copy of its own
    bitmap.GetPixel(3, 0, c);
    EXPECT_EQ(c, Green);
    EXPECT_EQ(bitmap.Clone(TGPRect{4, 0, 3, 2}, PixelFormat24bppRGB), nullptr);
    EXPECT_EQ(bitmap.GetLastStatus(), InvalidParameter);

    std::unique_ptr<TGPImage> thumb(bitmap.GetThumbnailImage(0, 0));
    ASSERT_NE(thumb, nullptr);
    EXPECT_EQ(thumb->GetWidth(), 120u);

    ASSERT_EQ(bitmap.RotateFlip(Rotate90FlipNone), Ok);
    EXPECT_EQ(bitmap.GetWidth(), 4u);
    bitmap.GetPixel(3, 0, c); // the old top left
    EXPECT_EQ(c, Red);
    ASSERT_EQ(bitmap.RotateFlip(Rotate270FlipX), Ok); // back, mirrored
    bitmap.GetPixel(5, 0, c);
    EXPECT_EQ(c, Red);
    EXPECT_EQ(bitmap.RotateFlip(RotateFlipType(8)), InvalidParameter);

    const Byte value[3] = {'a', 'b', 0};
    PropertyItem item{0x010E, 3, PropertyTagTypeASCII, const_cast<Byte*>(value)};
    ASSERT_EQ(bitmap.SetPropertyItem(&item), Ok);
    EXPECT_EQ(bitmap.GetPropertyCount(), 1u);
    const Cardinal size = bitmap.GetPropertyItemSize(0x010E);
    std::vector<Byte> buffer(size);
    auto* read = reinterpret_cast<PropertyItem*>(buffer.data());
    ASSERT_EQ(bitmap.GetPropertyItem(0x010E, size, read), Ok);
    EXPECT_EQ(static_cast<const char*>(read->value), std::string("ab"));
    EXPECT_EQ(bitmap.RemovePropertyItem(0x010E), Ok);
    EXPECT_EQ(bitmap.GetPropertyItemSize(0x010E), 0u);
    EXPECT_EQ(bitmap.GetLastStatus(), PropertyNotFound);

    TGPSizeF physical;
    ASSERT_EQ(bitmap.GetPhysicalDimension(physical), Ok);
    EXPECT_EQ(physical.Width, 6);
    ASSERT_EQ(bitmap.SetResolution(300, 150), Ok);
    EXPECT_EQ(bitmap.GetVerticalResolution(), 150);

    winapi::HBITMAP handle = nullptr;
    ASSERT_EQ(bitmap.GetHBITMAP(White, handle), Ok);
    ASSERT_NE(handle, nullptr);
    TGPBitmap back(handle, nullptr);
    back.GetPixel(5, 0, c);
    EXPECT_EQ(c, Red);
    winapi::DeleteObject(handle);
    TGPBitmap icon(static_cast<winapi::HICON>(nullptr));
    EXPECT_EQ(icon.GetLastStatus(), InvalidParameter);
}

TEST(GdiPlusImageQueries, GifFramesPaletteAndDelays) {
    TGPBitmap bitmap(4, 4);
    Paint(bitmap);
    std::vector<Byte> bytes;
    {
        const auto path = TempPath("frames.gif");
        ASSERT_EQ(bitmap.Save(String(path.u16string()), EncoderClsidGIF), Ok);
        bytes = ReadFile(path);
        std::filesystem::remove(path);
    }
    TGPBitmap gif(bytes);
    ASSERT_EQ(gif.GetLastStatus(), Ok);
    TGUID dimension;
    ASSERT_EQ(gif.GetFrameDimensionsList(&dimension, 1), Ok);
    EXPECT_TRUE(dimension == FrameDimensionTime);
    EXPECT_EQ(gif.GetFrameCount(dimension), 1u);
    EXPECT_EQ(gif.GetFrameCount(FrameDimensionPage), 0u);
    EXPECT_EQ(gif.SelectActiveFrame(dimension, 1), InvalidParameter);
    EXPECT_GT(gif.GetPropertyItemSize(PropertyTagFrameDelay), 0u);

    const Integer size = gif.GetPaletteSize();
    std::vector<Byte> buffer(std::size_t(size), 0);
    auto* palette = reinterpret_cast<ColorPalette*>(buffer.data());
    ASSERT_EQ(gif.GetPalette(palette, size), Ok);
    ASSERT_GE(palette->Count, 4u);
    // Changing the entry of the red pixels recolours them.
    ARGB* entries = palette->Entries;
    for (Cardinal i = 0; i < palette->Count; ++i)
        if (entries[i] == Red) entries[i] = Black;
    ASSERT_EQ(gif.SetPalette(palette), Ok);
    ARGB c = 0;
    gif.GetPixel(0, 0, c);
    EXPECT_EQ(c, Black);
    gif.GetPixel(3, 0, c);
    EXPECT_EQ(c, Green);
}

} // namespace

namespace {

// ---- Image attributes ----

struct TAdjustCase {
    const char* Name;
    void (*Set)(TGPImageAttributes&);
    ARGB Source, Expected;
};

class GdiPlusAttributes : public testing::TestWithParam<TAdjustCase> {};

TEST_P(GdiPlusAttributes, DrawImageAdjustsEachPixel) {
    TGPBitmap source(1, 1);
    source.SetPixel(0, 0, GetParam().Source);
    TGPImageAttributes attributes;
    GetParam().Set(attributes);
    TGPBitmap target(2, 2);
    TGPGraphics g(&target);
    g.Clear(0xFFFFFFFF);
    g.SetInterpolationMode(InterpolationModeNearestNeighbor);
    ASSERT_EQ(g.DrawImage(&source, TGPRectF{0, 0, 2, 2}, 0, 0, 1, 1, UnitPixel, &attributes), Ok);
    ARGB c = 0;
    target.GetPixel(1, 1, c);
    EXPECT_EQ(c, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Adjustments, GdiPlusAttributes,
    testing::Values(
        TAdjustCase{"SwapRedAndBlue",
                    [](TGPImageAttributes& a) {
                        ColorMatrix m;
                        m.m[0][2] = m.m[2][0] = m.m[1][1] = m.m[3][3] = m.m[4][4] = 1;
                        a.SetColorMatrix(&m);
                    },
                    0xFFFF0000, 0xFF0000FF},
        TAdjustCase{"GrayKeptBySkipGrays",
                    [](TGPImageAttributes& a) {
                        ColorMatrix m; // everything to black
                        m.m[3][3] = 1;
                        a.SetColorMatrix(&m, ColorMatrixFlagsSkipGrays);
                    },
                    0xFF808080, 0xFF808080},
        TAdjustCase{"Threshold",
                    [](TGPImageAttributes& a) { a.SetThreshold(0.5f); },
                    0xFF90206F, 0xFFFF0000},
        TAdjustCase{"Gamma", [](TGPImageAttributes& a) { a.SetGamma(2.0f); }, 0xFF808080, 0xFF404040},
        TAdjustCase{"Remap",
                    [](TGPImageAttributes& a) {
                        const ColorMap map[1] = {{0xFF00FF00, 0xFF123456}};
                        a.SetRemapTable(1, map);
                    },
                    0xFF00FF00, 0xFF123456},
        TAdjustCase{"KeyMakesTransparent",
                    [](TGPImageAttributes& a) { a.SetColorKey(0xFF000000, 0xFF101010); },
                    0xFF080808, 0xFFFFFFFF},
        TAdjustCase{"NoOpForBitmapsWins",
                    [](TGPImageAttributes& a) {
                        a.SetGamma(3.0f);
                        a.SetNoOp(ColorAdjustTypeBitmap);
                    },
                    0xFF808080, 0xFF808080},
        TAdjustCase{"CyanChannel",
                    [](TGPImageAttributes& a) { a.SetOutputChannel(ColorChannelFlagsC); },
                    0xFF00FFFF, 0xFF000000}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(GdiPlusAttributes, WrapModeAndBadArguments) {
    TGPBitmap source(2, 1);
    source.SetPixel(0, 0, Red), source.SetPixel(1, 0, Blue);
    TGPImageAttributes tile;
    ASSERT_EQ(tile.SetWrapMode(WrapModeTile), Ok);
    TGPBitmap target(4, 1);
    TGPGraphics g(&target);
    g.SetInterpolationMode(InterpolationModeNearestNeighbor);
    // A source part twice the image's width repeats it.
    ASSERT_EQ(g.DrawImage(&source, TGPRectF{0, 0, 4, 1}, 0, 0, 4, 1, UnitPixel, &tile), Ok);
    ARGB c = 0;
    target.GetPixel(2, 0, c);
    EXPECT_EQ(c, Red);
    target.GetPixel(3, 0, c);
    EXPECT_EQ(c, Blue);

    TGPImageAttributes bad;
    EXPECT_EQ(bad.SetGamma(0), InvalidParameter);
    EXPECT_EQ(bad.SetColorMatrix(nullptr), InvalidParameter);
    EXPECT_EQ(bad.SetRemapTable(0, nullptr), InvalidParameter);
    EXPECT_EQ(bad.SetThreshold(0.5f, ColorAdjustType(9)), InvalidParameter);
    EXPECT_EQ(bad.SetOutputChannelColorProfile(u"x.icc"), NotImplemented);
    EXPECT_EQ(bad.GetLastStatus(), NotImplemented);
    // An abort callback that answers true stops the drawing.
    EXPECT_EQ(g.DrawImage(&source, TGPRectF{0, 0, 4, 1}, 0, 0, 2, 1, UnitPixel, nullptr,
                          [](void*) { return true; }, nullptr),
              Aborted);
}

// ---- Fonts from GDI and the installed families ----

TEST(GdiPlusFonts, FromLogFontsAndTheInstalledFamilies) {
    TLogFont log;
    log.Height = -20;
    log.Weight = 700;
    log.FaceName = u"Courier New";
    TGPFont font(static_cast<winapi::HDC>(nullptr), &log);
    ASSERT_EQ(font.GetLastStatus(), Ok);
    EXPECT_EQ(font.GetSize(), 20);
    EXPECT_EQ(font.GetStyle(), FontStyleBold);
    TLogFont back;
    ASSERT_EQ(font.GetLogFontW(nullptr, back), Ok);
    EXPECT_EQ(back.Height, -20);
    EXPECT_EQ(back.FaceName, u"Courier New");

    TGPFontCollection installed;
    const Integer count = installed.GetFamilyCount();
    ASSERT_GT(count, 0);
    std::vector<TGPFontFamily> families(static_cast<std::size_t>(count));
    Integer found = 0;
    ASSERT_EQ(installed.GetFamilies(count, families.data(), found), Ok);
    EXPECT_EQ(found, count);
    String name;
    families[0].GetFamilyName(name);
    EXPECT_FALSE(name.empty());
    EXPECT_EQ(installed.GetFamilies(0, families.data(), found), InvalidParameter);
}

} // namespace
