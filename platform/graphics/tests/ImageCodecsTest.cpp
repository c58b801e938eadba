#include "graphics/ImageCodecs.h"

#include "TestImages.h"

#include <gtest/gtest.h>

namespace {

std::uint32_t Opaque(std::uint32_t rgb) {
    return 0xFF000000u | rgb;
}

void ExpectGrid(const TDecodedImage& image, int colours, bool withAlpha) {
    ASSERT_EQ(image.Width, grid::Width);
    ASSERT_EQ(image.Height, grid::Height);
    for (int y = 0; y < grid::Height; ++y)
        for (int x = 0; x < grid::Width; ++x) {
            const std::uint32_t alpha = withAlpha ? grid::Alpha(x) : 255;
            EXPECT_EQ(image.Pixel(x, y), (alpha << 24) | grid::Rgb(x, y, colours)) << x << "," << y;
        }
}

struct BmpCase {
    const char* File;
    int Bits;
    int Colours;
    bool Alpha;
};

class BmpDecoding : public testing::TestWithParam<BmpCase> {};

TEST_P(BmpDecoding, GivesTheGridWithItsStoredFormat) {
    const auto& c = GetParam();
    const TDecodedImage image = DecodeBmp(FixtureBytes(c.File));
    ExpectGrid(image, c.Colours, c.Alpha);
    EXPECT_EQ(image.BitsPerPixel, c.Bits);
    EXPECT_EQ(image.Indexed, c.Bits <= 8);
    EXPECT_EQ(image.HasAlpha, c.Alpha);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BmpDecoding,
    testing::Values(BmpCase{"grid-1bit.bmp", 1, 2, false}, BmpCase{"grid-1bit-topdown.bmp", 1, 2, false},
                    BmpCase{"grid-4bit.bmp", 4, 4, false}, BmpCase{"grid-4bit-topdown.bmp", 4, 4, false},
                    BmpCase{"grid-8bit.bmp", 8, 4, false}, BmpCase{"grid-8bit-topdown.bmp", 8, 4, false},
                    BmpCase{"grid-24bit.bmp", 24, 4, false}, BmpCase{"grid-24bit-topdown.bmp", 24, 4, false},
                    BmpCase{"grid-32bit.bmp", 32, 4, false}, BmpCase{"grid-32bit-topdown.bmp", 32, 4, false},
                    BmpCase{"grid-32bit-alpha.bmp", 32, 4, true}));

TEST(BmpEncoding, RoundTripsEveryPixelFormat) {
    TDecodedImage source = DecodeBmp(FixtureBytes("grid-4bit.bmp"));
    for (int bits : {4, 8, 24, 32}) {
        const TDecodedImage again = DecodeBmp(EncodeBmp(source, bits));
        ExpectGrid(again, 4, false);
        EXPECT_EQ(again.BitsPerPixel, bits);
    }
    source = DecodeBmp(FixtureBytes("grid-1bit.bmp"));
    ExpectGrid(DecodeBmp(EncodeBmp(source, 1)), 2, false);
    EXPECT_THROW(EncodeBmp(DecodeBmp(FixtureBytes("grid-24bit.bmp")), 8), EInvalidGraphicOperation);
}

TEST(PngDecoding, AlphaPaletteAndGrey) {
    const TDecodedImage alpha = DecodePng(FixtureBytes("grid-alpha.png"));
    ExpectGrid(alpha, 4, true);
    EXPECT_TRUE(alpha.HasAlpha);
    EXPECT_EQ(alpha.BitsPerPixel, 32);

    // Palette entry 1 is half transparent through the tRNS chunk.
    const TDecodedImage palette = DecodePng(FixtureBytes("grid-palette.png"));
    EXPECT_TRUE(palette.Indexed);
    EXPECT_TRUE(palette.HasAlpha);
    EXPECT_EQ(palette.BitsPerPixel, 8);
    ASSERT_EQ(palette.Palette.size(), 4u);
    EXPECT_EQ(palette.Palette[1], 0x8000FF00u);
    EXPECT_EQ(palette.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(palette.Pixel(1, 0), 0x8000FF00u);
    EXPECT_EQ(palette.Pixel(1, 1), 0xFFFFFFFFu);

    const TDecodedImage grey = DecodePng(FixtureBytes("grid-grey.png"));
    EXPECT_FALSE(grey.HasAlpha);
    EXPECT_EQ(grey.BitsPerPixel, 8);
    for (int y = 0; y < grid::Height; ++y)
        for (int x = 0; x < grid::Width; ++x) {
            const std::uint32_t level = 60u * ((x + 2 * y) % 4);
            EXPECT_EQ(grey.Pixel(x, y), 0xFF000000u | level << 16 | level << 8 | level);
        }
}

TEST(PngEncoding, RoundTripsAlpha) {
    const TDecodedImage source = DecodePng(FixtureBytes("grid-alpha.png"));
    ExpectGrid(DecodePng(EncodePng(source)), 4, true);
}

// Each channel within tol of the expected colour.
void ExpectNear(std::uint32_t actual, std::uint32_t expected, int tol) {
    for (int shift : {24, 16, 8, 0})
        EXPECT_NEAR(int((actual >> shift) & 0xFF), int((expected >> shift) & 0xFF), tol)
            << std::hex << actual << " vs " << expected;
}

TEST(JpegDecoding, QuadrantsKeepTheirColours) {
    const TDecodedImage image = DecodeJpeg(FixtureBytes("quadrants.jpg"));
    ASSERT_EQ(image.Width, 16);
    ASSERT_EQ(image.Height, 16);
    EXPECT_EQ(image.BitsPerPixel, 24);
    ExpectNear(image.Pixel(3, 3), 0xFFFF0000u, 12);
    ExpectNear(image.Pixel(12, 3), 0xFF00FF00u, 12);
    ExpectNear(image.Pixel(3, 12), 0xFF0000FFu, 12);
    ExpectNear(image.Pixel(12, 12), 0xFFFFFFFFu, 12);
}

TEST(JpegEncoding, QualityChangesSizeNotContent) {
    const TDecodedImage source = DecodeJpeg(FixtureBytes("quadrants.jpg"));
    const auto low = EncodeJpeg(source, 10);
    const auto high = EncodeJpeg(source, 100);
    EXPECT_LT(low.size(), high.size());
    ExpectNear(DecodeJpeg(high).Pixel(3, 3), source.Pixel(3, 3), 4);
    EXPECT_THROW(EncodeJpeg(source, 0), EInvalidGraphicOperation);
}

TEST(GifDecoding, TwoFramesWithTransparency) {
    const auto frames = DecodeGif(FixtureBytes("two-frames.gif"));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].DelayMs, 200);
    EXPECT_EQ(frames[0].Image.Pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(frames[0].Image.Pixel(3, 3), 0xFF0000FFu);
    // The second frame paints (0,0) red; its transparent pixels show frame 1.
    EXPECT_GE(frames[1].TransparentIndex, 0);
    EXPECT_EQ(frames[1].Image.Pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(frames[1].Image.Pixel(3, 3), 0xFF0000FFu);
}

TEST(GifDecoding, InterlacedRowsLandWhereThePlainFileHasThem) {
    const auto interlaced = DecodeGif(FixtureBytes("gradient-interlaced.gif"));
    const auto plain = DecodeGif(FixtureBytes("gradient.gif"));
    ASSERT_EQ(interlaced.size(), 1u);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(interlaced[0].Image.Height, 11);
    EXPECT_EQ(interlaced[0].Image.Pixels, plain[0].Image.Pixels);
    EXPECT_NE(plain[0].Image.Pixel(0, 0), plain[0].Image.Pixel(0, 10)); // a gradient from top to bottom
}

TEST(IconDecoding, BitmapWithMaskAndPngImages) {
    const auto images = DecodeIconImages(FixtureBytes("grid.ico"));
    ASSERT_EQ(images.size(), 2u);
    // The AND mask clears column 0.
    const TDecodedImage& masked = images[0];
    EXPECT_EQ(masked.BitsPerPixel, 4);
    EXPECT_TRUE(masked.HasAlpha);
    for (int y = 0; y < grid::Height; ++y) {
        EXPECT_EQ(masked.Pixel(0, y) >> 24, 0u);
        for (int x = 1; x < grid::Width; ++x)
            EXPECT_EQ(masked.Pixel(x, y), Opaque(grid::Rgb(x, y, 4)));
    }
    ExpectGrid(images[1], 4, true);
    // Same size: the deeper image shows.
    EXPECT_EQ(DecodeIcon(FixtureBytes("grid.ico")).BitsPerPixel, 32);
}

TEST(IconEncoding, RoundTripsAlpha) {
    const TDecodedImage source = DecodePng(FixtureBytes("grid-alpha.png"));
    const TDecodedImage images[] = {source};
    ExpectGrid(DecodeIcon(EncodeIcon(images)), 4, true);
}

TEST(ImageSniffing, TellsEachFormatByItsFirstBytes) {
    EXPECT_EQ(SniffImageFormat(FixtureBytes("grid-8bit.bmp")), TImageFileFormat::Bmp);
    EXPECT_EQ(SniffImageFormat(FixtureBytes("grid.ico")), TImageFileFormat::Icon);
    EXPECT_EQ(SniffImageFormat(FixtureBytes("grid-alpha.png")), TImageFileFormat::Png);
    EXPECT_EQ(SniffImageFormat(FixtureBytes("quadrants.jpg")), TImageFileFormat::Jpeg);
    EXPECT_EQ(SniffImageFormat(FixtureBytes("two-frames.gif")), TImageFileFormat::Gif);
    const std::vector<Byte> svg{'<', 's', 'v', 'g'};
    EXPECT_EQ(SniffImageFormat(svg), TImageFileFormat::Unknown);
    try {
        DecodeImage(svg);
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), u"Unknown picture format");
    }
}

// Damaged files: every truncation and a corrupted header must raise the
// codec's error. Each cut is copied into a buffer of exactly its size, so
// the address sanitizer catches any read past it.
struct DamageCase {
    const char* File;
    const char16_t* MessageStart;
};

class DamagedFile : public testing::TestWithParam<DamageCase> {};

// Decodes with the codec of the undamaged file's format.
void DecodeAs(TImageFileFormat format, const std::vector<Byte>& bytes) {
    switch (format) {
    case TImageFileFormat::Gif:
        DecodeGif(bytes);
        break;
    case TImageFileFormat::Icon:
        DecodeIconImages(bytes);
        break;
    case TImageFileFormat::Bmp:
        DecodeBmp(bytes);
        break;
    case TImageFileFormat::Png:
        DecodePng(bytes);
        break;
    case TImageFileFormat::Jpeg:
        DecodeJpeg(bytes);
        break;
    case TImageFileFormat::Unknown:
        DecodeImage(bytes);
        break;
    }
}

void ExpectRefused(TImageFileFormat format, const std::vector<Byte>& bytes, const String& messageStart) {
    try {
        DecodeAs(format, bytes);
        ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message().substr(0, messageStart.size()), messageStart);
    }
}

TEST_P(DamagedFile, RaisesAClearErrorAndStaysInsideItsBuffer) {
    const auto& c = GetParam();
    const std::vector<Byte> whole = FixtureBytes(c.File);
    ASSERT_FALSE(whole.empty());
    const TImageFileFormat format = SniffImageFormat(whole);
    for (std::size_t size = 0; size + 1 < whole.size(); size += (size < 64 ? 1 : 7))
        ExpectRefused(format, std::vector<Byte>(whole.begin(), whole.begin() + size), c.MessageStart);
    // Header fields set to absurd values.
    std::vector<Byte> corrupt = whole;
    for (std::size_t i = 6; i < 30 && i < corrupt.size(); ++i)
        corrupt[i] = 0xFF;
    ExpectRefused(format, corrupt, c.MessageStart);
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedFile,
                         testing::Values(DamageCase{"grid-24bit.bmp", u"Bitmap image is not valid"},
                                         DamageCase{"grid-4bit-topdown.bmp", u"Bitmap image is not valid"},
                                         DamageCase{"grid.ico", u"Icon image is not valid"},
                                         DamageCase{"grid-palette.png", u"PNG image is not valid"},
                                         DamageCase{"quadrants.jpg", u"JPEG image is not valid: "},
                                         DamageCase{"two-frames.gif", u"GIF image is not valid: "}));

} // namespace
