// Picture bombs: small files whose headers claim pictures far larger than
// the platform's bitmaps allow. Each is refused from its header, with the
// codec's error, before memory is taken for it.

#include "graphics/ImageCodecs.h"

#include "PeakMemory.h"
#include "TestImages.h"
#include "rtl/Encoding.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t MaxGrowth = 100 * 1024 * 1024;

struct BombCase {
    const char* File;
    const char16_t* Message;
};

class PictureBomb : public testing::TestWithParam<BombCase> {};

TEST_P(PictureBomb, IsRefusedWithoutTakingMemory) {
    const BombCase& c = GetParam();
    const std::vector<Byte> bytes = FixtureBytes(c.File);
    ASSERT_FALSE(bytes.empty());
    String message;
    const TPeakMemoryGrowth growth = MeasurePeakMemoryGrowth([&] {
        try {
            DecodeImage(bytes);
        } catch (const EInvalidGraphic& e) {
            message = e.Message();
        }
    });
    EXPECT_EQ(Utf8(message), Utf8(c.Message));
    EXPECT_LT(growth.Resident, MaxGrowth);
    EXPECT_LT(growth.Heap, MaxGrowth);
}

INSTANTIATE_TEST_SUITE_P(
    Files, PictureBomb,
    testing::Values(BombCase{"bomb-16384x16384.png", u"Picture too large: 16384 x 16384"},
                    BombCase{"bomb-text-chunk.png", u"PNG image is not valid"},
                    BombCase{"bomb-progressive.jpg", u"Picture too large: 65500 x 65500"},
                    BombCase{"bomb-screen.gif", u"Picture too large: 24909 x 8192"},
                    BombCase{"bomb-frame.gif", u"GIF image is not valid: a frame lies outside the screen"},
                    // Within the limits, but the data cannot hold the pixels.
                    BombCase{"truncated-10000x10000.png", u"PNG image is not valid"},
                    BombCase{"truncated-10000x10000.jpg", u"JPEG image is not valid: the data is too short"},
                    BombCase{"truncated-10000x10000.gif", u"GIF image is not valid: the data ends within a frame"}));

TEST(PictureBomb, AnIconKeepsTheMessageOfItsImage) {
    // One directory entry pointing at a PNG right behind it.
    auto icon = [](const std::vector<Byte>& png) {
        std::vector<Byte> ico = {0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 32, 0};
        for (std::uint32_t v : {std::uint32_t(png.size()), 22u})
            for (int i = 0; i < 4; ++i)
                ico.push_back(Byte(v >> (8 * i)));
        ico.insert(ico.end(), png.begin(), png.end());
        return ico;
    };
    std::vector<Byte> bomb = FixtureBytes("bomb-16384x16384.png");
    ASSERT_FALSE(bomb.empty());
    std::vector<Byte> damaged = bomb;
    damaged.resize(30); // within the image header
    const struct {
        std::vector<Byte> Png;
        const char* Message;
    } cases[] = {{bomb, "Picture too large: 16384 x 16384"}, {damaged, "Icon image is not valid"}};
    for (const auto& c : cases) {
        try {
            DecodeIcon(icon(c.Png));
            ADD_FAILURE() << c.Message;
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(Utf8(e.Message()), c.Message);
        }
    }
}

TEST(PictureSize, EachSideAndThePixelCountAreLimited) {
    // The largest sides and pixel count the platform's bitmaps allow pass
    // the header check; one pixel more is refused.
    const struct {
        std::int64_t Width, Height;
        bool Accepted;
    } cases[] = {{32767, 3051, true}, {32768, 1, false}, {1, 32768, false}, {10000, 10000, true},
                 {10000, 10001, false}};
    for (const auto& c : cases) {
        std::vector<Byte> bmp(54, 0);
        bmp[0] = 'B', bmp[1] = 'M';
        bmp[10] = 54, bmp[14] = 40;
        for (int i = 0; i < 4; ++i) {
            bmp[18 + i] = Byte(c.Width >> (8 * i));
            bmp[22 + i] = Byte(c.Height >> (8 * i));
        }
        bmp[26] = 1, bmp[28] = 1; // one plane, 1 bit per pixel
        try {
            DecodeBmp(bmp);
            ADD_FAILURE() << c.Width << " x " << c.Height << " decoded from a header alone";
        } catch (const EInvalidGraphic& e) {
            // An accepted size goes on to find the pixels missing.
            EXPECT_EQ(Utf8(e.Message()), c.Accepted ? std::string("Bitmap image is not valid")
                                                    : "Picture too large: " + std::to_string(c.Width) +
                                                          " x " + std::to_string(c.Height))
                << c.Width << " x " << c.Height;
        }
    }
}

} // namespace
