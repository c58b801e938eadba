#include "TestImages.h"
#include "graphics/Colors.h"
#include "graphics/GdiBlit.h"
#include "graphics/ImageList.h"
#include "graphics/Picture.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Red = 0x0000FF, Blue = 0xFF0000, White = 0xFFFFFF;

TBytesStream StreamOf(const std::vector<Byte>& bytes) {
    return TBytesStream(TBytes(bytes.begin(), bytes.end()));
}

// A bitmap of the given size filled with one colour, as a drawing target.
std::unique_ptr<TBitmap> Filled(Integer w, Integer h, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(w, h);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(TRect{0, 0, w, h});
    return bitmap;
}

TColor Rgb(std::uint32_t argb) {
    return TColor(((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16));
}

TEST(Bitmap, LoadsAndSavesInItsPixelFormat) {
    const struct {
        const char* File;
        TPixelFormat Format;
        int Bits;
    } cases[] = {{"grid-1bit.bmp", pf1bit, 1},
                 {"grid-4bit-topdown.bmp", pf4bit, 4},
                 {"grid-8bit.bmp", pf8bit, 8},
                 {"grid-24bit.bmp", pf24bit, 24},
                 {"grid-32bit.bmp", pf32bit, 32}};
    for (const auto& c : cases) {
        TBitmap bitmap;
        auto in = StreamOf(FixtureBytes(c.File));
        bitmap.LoadFromStream(&in);
        EXPECT_EQ(bitmap.PixelFormat(), c.Format) << c.File;
        EXPECT_EQ(bitmap.Width(), grid::Width);
        const int colours = c.Bits == 1 ? 2 : 4;
        EXPECT_EQ(bitmap.Canvas()->Pixels(4, 2), Rgb(grid::Rgb(4, 2, colours))) << c.File;
        TBytesStream out;
        bitmap.SaveToStream(&out);
        const TDecodedImage again = DecodeBmp(out.Bytes());
        EXPECT_EQ(again.BitsPerPixel, c.Bits) << c.File;
        EXPECT_EQ(again.Pixel(3, 1), 0xFF000000u | grid::Rgb(3, 1, colours)) << c.File;
    }
    TBitmap broken;
    auto damaged = FixtureBytes("grid-8bit.bmp");
    damaged.resize(30);
    auto in = StreamOf(damaged);
    try {
        broken.LoadFromStream(&in);
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), u"Bitmap image is not valid");
    }
}

TEST(Bitmap, CanvasScanLineAndPaletteFormat) {
    auto bitmap = Filled(4, 3, Red);
    EXPECT_EQ(bitmap->Canvas()->Pixels(3, 2), Red);
    auto* row = static_cast<std::uint32_t*>(bitmap->ScanLine(1));
    row[2] = 0xFF0000FF; // premultiplied BGRA: opaque blue
    EXPECT_EQ(bitmap->Canvas()->Pixels(2, 1), Blue);
    EXPECT_THROW(bitmap->ScanLine(3), EInvalidGraphicOperation);

    bitmap->SetSize(6, 3); // keeps the old pixels, new ones white
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), Red);
    EXPECT_EQ(bitmap->Canvas()->Pixels(5, 0), White);

    bitmap->Canvas()->SetPixels(1, 1, 0x102030);
    bitmap->SetPixelFormat(pf1bit); // maps onto black and white
    EXPECT_EQ(bitmap->Canvas()->Pixels(1, 1), 0);
    EXPECT_EQ(bitmap->Canvas()->Pixels(5, 0), White);
}

TEST(Bitmap, TransparentDrawSkipsTheTransparentColour) {
    auto picture = Filled(2, 2, Red);
    picture->Canvas()->SetPixels(0, 1, White); // bottom left: the automatic colour
    picture->SetTransparent(true);
    EXPECT_EQ(picture->TransparentColor(), White);
    auto target = Filled(4, 4, Blue);
    picture->Draw(target->Canvas(), TRect{0, 0, 2, 2});
    EXPECT_EQ(target->Canvas()->Pixels(0, 1), Blue);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), Red);

    picture->SetTransparentColor(Red); // fixed
    EXPECT_EQ(picture->TransparentMode(), tmFixed);
    auto second = Filled(4, 4, Blue);
    picture->Draw(second->Canvas(), TRect{0, 0, 4, 4}); // stretched
    EXPECT_EQ(second->Canvas()->Pixels(0, 3), White);
    EXPECT_EQ(second->Canvas()->Pixels(3, 0), Blue);
}

TEST(Canvas, DrawAndStretchDrawPictures) {
    // A transparent bitmap keeps the background where its transparent colour is.
    auto picture = Filled(2, 2, Red);
    picture->Canvas()->SetPixels(0, 1, White);
    picture->SetTransparent(true);
    auto target = Filled(5, 5, Blue);
    TCanvas* canvas = target->Canvas();
    canvas->Draw(2, 2, picture.get());
    EXPECT_EQ(canvas->Pixels(2, 3), Blue);
    EXPECT_EQ(canvas->Pixels(3, 3), Red);
    EXPECT_EQ(canvas->Pixels(2, 2), Red);
    EXPECT_EQ(canvas->Pixels(4, 4), Blue);
    canvas->StretchDraw(TRect{0, 0, 4, 4}, picture.get());
    EXPECT_EQ(canvas->Pixels(1, 3), Blue); // the transparent quarter, stretched
    EXPECT_EQ(canvas->Pixels(2, 3), Red);

    // An opaque bitmap combines by the canvas's copy mode.
    auto opaque = Filled(1, 1, Red);
    canvas->SetCopyMode(Integer(SRCINVERT));
    canvas->Draw(4, 0, opaque.get());
    EXPECT_EQ(canvas->Pixels(4, 0), Red ^ Blue);
    canvas->SetCopyMode(Integer(SRCCOPY));

    // A picture with alpha is blended.
    TPngImage png;
    TDecodedImage half = TDecodedImage::Blank(1, 1, 0x80FF0000u);
    half.HasAlpha = true;
    png.SetPixels(half);
    canvas->Draw(0, 4, &png);
    const TColor blended = canvas->Pixels(0, 4);
    EXPECT_NEAR(GetRValue(blended), 128, 1);
    EXPECT_EQ(GetGValue(blended), 0);
    EXPECT_NEAR(GetBValue(blended), 127, 1);

    // Nothing to draw.
    TBitmap empty;
    canvas->Draw(0, 0, &empty);
    canvas->Draw(0, 0, nullptr);
    canvas->StretchDraw(TRect{0, 0, 5, 5}, nullptr);
    EXPECT_EQ(canvas->Pixels(4, 4), Blue);
}

TEST(Icon, DrawsThroughItsMaskAndSavesEveryImage) {
    const auto images = DecodeIconImages(FixtureBytes("grid.ico"));
    const TDecodedImage masked[] = {images[0]};
    TIcon icon;
    auto in = StreamOf(EncodeIcon(masked));
    icon.LoadFromStream(&in);
    auto target = Filled(5, 3, Blue);
    icon.Draw(target->Canvas(), TRect{0, 0, 5, 3});
    EXPECT_EQ(target->Canvas()->Pixels(0, 1), Blue); // masked column
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), Rgb(grid::Rgb(1, 1, 4)));

    TIcon both;
    auto file = StreamOf(FixtureBytes("grid.ico"));
    both.LoadFromStream(&file);
    TBytesStream out;
    both.SaveToStream(&out);
    EXPECT_EQ(DecodeIconImages(out.Bytes()).size(), 2u);
}

TEST(JpegImage, QualityDecidesTheSize) {
    TJPEGImage jpeg;
    auto in = StreamOf(FixtureBytes("quadrants.jpg"));
    jpeg.LoadFromStream(&in);
    TBytesStream low, high;
    jpeg.SetCompressionQuality(5);
    jpeg.SaveToStream(&low);
    jpeg.SetCompressionQuality(100);
    jpeg.SaveToStream(&high);
    EXPECT_LT(low.Size(), high.Size());
    try {
        jpeg.SetCompressionQuality(101);
        FAIL();
    } catch (const EInvalidGraphicOperation& e) {
        EXPECT_EQ(e.Message(), u"JPEG quality must be between 1 and 100");
    }
}

TEST(GifImage, FramesAndTransparency) {
    TGIFImage gif;
    auto in = StreamOf(FixtureBytes("two-frames.gif"));
    gif.LoadFromStream(&in);
    ASSERT_EQ(gif.FrameCount(), 2);
    EXPECT_GE(gif.Frames(1).TransparentIndex, 0);
    auto target = Filled(4, 4, White);
    gif.Draw(target->Canvas(), TRect{0, 0, 4, 4});
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), Blue);
    gif.SetActiveFrame(1);
    gif.Draw(target->Canvas(), TRect{0, 0, 4, 4});
    EXPECT_EQ(target->Canvas()->Pixels(0, 0), Red);
    EXPECT_EQ(target->Canvas()->Pixels(3, 3), Blue);
    EXPECT_THROW(gif.SetActiveFrame(2), EInvalidGraphicOperation);
    TBytesStream out;
    EXPECT_THROW(gif.SaveToStream(&out), EInvalidGraphicOperation);
}

TEST(Picture, FindsTheFormatByExtensionAndByContent) {
    const struct {
        const char* File;
        const char16_t* ClassName;
    } cases[] = {{"grid-8bit.bmp", u"TBitmap"},
                 {"grid.ico", u"TIcon"},
                 {"grid-alpha.png", u"TPngImage"},
                 {"quadrants.jpg", u"TJPEGImage"},
                 {"two-frames.gif", u"TGIFImage"}};
    for (const auto& c : cases) {
        TPicture byName;
        byName.LoadFromFile(FromUtf8(std::string(VANDREL_FIXTURES) + "/" + c.File));
        ASSERT_NE(byName.Graphic(), nullptr);
        EXPECT_EQ(byName.Graphic()->ClassName(), c.ClassName);
        TPicture byContent;
        auto stream = StreamOf(FixtureBytes(c.File));
        byContent.LoadFromStream(&stream);
        EXPECT_EQ(byContent.Graphic()->ClassName(), c.ClassName);
        EXPECT_EQ(byContent.Width(), byName.Width());
    }
    TPicture picture;
    try {
        picture.LoadFromFile(u"drawing.xyz");
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), u"Unknown picture file extension (.xyz)");
    }
    auto text = StreamOf({'<', 's', 'v', 'g', '/', '>'});
    try {
        picture.LoadFromStream(&text);
        FAIL();
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), u"Unknown picture format");
    }
}

// A stand-in vector format that recognises any data the raster formats don't.
class TVectorStub : public TPngImage {
    RTL_CLASS(TVectorStub)
public:
    void LoadFromStream(TStream*) override { SetSize(7, 7); }
};

const TClassInfo& TVectorStub::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TVectorStub, TPngImage>().Build();
    return Info;
}

TEST(Picture, RegisteredFormatsJoinTheSearchAndBitmapConverts) {
    TGraphicClass stub = GraphicClassOf<TVectorStub>();
    stub.CanLoadFromStream = [](TStream*) { return true; };
    TPicture::RegisterFileFormat(u"SVG", u"Scalable Vector Graphics", stub);
    ASSERT_NE(TPicture::FindGraphicClass(u"svg"), nullptr);
    TPicture picture;
    auto text = StreamOf({'<', 's', 'v', 'g', '/', '>'});
    picture.LoadFromStream(&text);
    EXPECT_EQ(picture.Width(), 7);
    auto png = StreamOf(FixtureBytes("grid-alpha.png"));
    picture.LoadFromStream(&png); // raster signatures come first
    EXPECT_EQ(picture.Graphic()->ClassName(), u"TPngImage");
    TPicture::UnregisterGraphicClass(u"TVectorStub");
    EXPECT_EQ(TPicture::FindGraphicClass(u"svg"), nullptr);

    TBitmap* bitmap = picture.Bitmap();
    EXPECT_EQ(bitmap->PixelFormat(), pf32bit);
    EXPECT_TRUE(bitmap->HasAlpha());
    EXPECT_EQ(bitmap->Width(), grid::Width);
}

TEST(ImageList, AddMaskedAddAndDrawEnabledOrDisabled) {
    TImageList list;
    list.SetWidth(2);
    list.SetHeight(2);
    auto strip = Filled(4, 2, Red); // two images
    strip->Canvas()->SetPixels(0, 1, Blue);
    EXPECT_EQ(list.AddMasked(strip.get(), clDefault), 0); // bottom-left blue is the key
    EXPECT_EQ(list.Count(), 2);
    auto mask = Filled(2, 2, 0);
    mask->Canvas()->SetPixels(1, 0, White);
    auto single = Filled(2, 2, Red);
    EXPECT_EQ(list.Add(single.get(), mask.get()), 2);

    auto target = Filled(4, 2, White);
    list.Draw(target->Canvas(), 0, 0, 0);
    EXPECT_EQ(target->Canvas()->Pixels(0, 1), White);
    EXPECT_EQ(target->Canvas()->Pixels(1, 1), Red);
    list.Draw(target->Canvas(), 2, 0, 2);
    EXPECT_EQ(target->Canvas()->Pixels(3, 0), White); // masked
    EXPECT_EQ(target->Canvas()->Pixels(2, 0), Red);

    auto disabled = Filled(2, 2, White);
    list.Draw(disabled->Canvas(), 0, 0, 1, false);
    const TColor grey = disabled->Canvas()->Pixels(1, 0);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey)); // grey, lightened by the white beneath
    EXPECT_GT(GetRValue(grey), 76);
    try {
        list.Draw(target->Canvas(), 0, 0, 3);
        FAIL();
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), u"Invalid image list index");
    }
}

} // namespace
