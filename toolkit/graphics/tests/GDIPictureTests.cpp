#include "KelContextTestSupport.h"
#include "PictureTestSupport.h"
#include "graphics/GdiPlusGraphics.h"
#include "graphics/GdiPlusImage.h"
#include "kel/GDIPicture.h"
#include "kel/Resources.h"
#include "rtl/Encoding.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TGDIPPicture> PictureOf(const std::vector<Byte>& ABytes) {
    auto Picture = std::make_unique<TGDIPPicture>();
    Picture->LoadFromStream(StreamOf(ABytes).get());
    return Picture;
}

TEST(GDIPPictureTest, DetectsFormatsByTheirFirstBytes) {
    const struct {
        std::vector<Byte> Head;
        std::size_t Size;
        TPictureFormat Format;
    } Cases[] = {
        {{'B', 'M'}, 44, pfBMP},           {{'B', 'M'}, 43, pfNone},
        {{0, 0, 1, 0}, 44, pfICO},         {{0, 0, 2, 0}, 44, pfNone},
        {{'I', 'I', 0x2A, 0}, 44, pfTiff}, {{'M', 'M', 0, 0x2A}, 44, pfTiff},
        {{'I', 'I', 0, 0}, 44, pfNone},    {{0xFF, 0xD8}, 44, pfJPG},
        {{'G', 'I', 'F'}, 44, pfGIF},      {{0xD7, 0xCD, 0xC6, 0x9A}, 44, pfMetaFile},
    };
    for (const auto& Case : Cases) {
        std::vector<Byte> Buffer(Case.Size, 0);
        std::copy(Case.Head.begin(), Case.Head.end(), Buffer.begin());
        EXPECT_EQ(TGDIPPicture::DetectPictureFormat(Buffer.data(), Int64(Buffer.size())), Case.Format)
            << int(Case.Head[0]) << " size " << Case.Size;
    }
    EXPECT_EQ(PictureOf(PngBytes(9, 9, 0xFF000000))->PictureFormat(), pfPNG);
}

TEST(GDIPPictureTest, MeasuresPngJpegAndGifBytes) {
    const struct {
        std::vector<Byte> Bytes;
        Integer Width, Height;
    } Cases[] = {{PngBytes(7, 3, 0xFF00FF00), 7, 3},
                 {EncodeJpeg(TDecodedImage::Blank(5, 4, 0xFF0000FF), 90), 5, 4},
                 {ThreeFrameGif(), 2, 1}};
    for (const auto& Case : Cases) {
        auto Picture = PictureOf(Case.Bytes);
        EXPECT_FALSE(Picture->Empty());
        EXPECT_EQ(Picture->Width(), Case.Width);
        EXPECT_EQ(Picture->Height(), Case.Height);
    }
}

TEST(GDIPPictureTest, DrawsIntoTheRectangle) {
    auto Picture = PictureOf(PngBytes(2, 2, 0xFFFF0000));
    TContextSurface Surface(10, 10);
    Picture->Draw(Surface.Canvas(), Rect(3, 3, 7, 5));
    EXPECT_EQ(Surface.Ink(), Rect(3, 3, 7, 5));
    EXPECT_EQ(Surface.Pixel(4, 4), clRed);
}

TEST(GDIPPictureTest, RotatesAboutItsOwnSizeAtTheTopLeftCorner) {
    // A 4 x 2 picture drawn into (0, 0, 4, 2) turned 90 degrees about (2, 1)
    // covers x 1..3, y -1..3.
    auto Picture = PictureOf(PngBytes(4, 2, 0xFFFF0000));
    Picture->SetAngle(90);
    TContextSurface Surface(10, 10);
    Picture->Draw(Surface.Canvas(), Rect(0, 0, 4, 2));
    EXPECT_EQ(Surface.Ink(), Rect(1, 0, 3, 3));
}

TEST(GDIPPictureTest, BitmapDataIsDrawnTransparentOrByGdiPlus) {
    TDecodedImage Image = TDecodedImage::Blank(2, 2, 0xFF0000FF); // blue
    Image.SetPixel(0, 1, 0xFF00FF00);                             // bottom-left green: the key colour
    const std::vector<Byte> Bmp = EncodeBmp(Image, 24);
    for (bool Transparent : {true, false}) {
        auto Picture = PictureOf(Bmp);
        Picture->SetTransparentBitmap(Transparent);
        TContextSurface Surface(4, 4);
        Picture->Draw(Surface.Canvas(), Rect(0, 0, 2, 2));
        EXPECT_EQ(Surface.Pixel(0, 1), Transparent ? clWhite : TColor(0x00FF00)) << Transparent;
        EXPECT_EQ(Surface.Pixel(1, 0), TColor(0xFF0000));
    }
}

TEST(GDIPPictureTest, DrawsOntoAGdiPlusSurfaceAtAPoint) {
    auto Picture = PictureOf(PngBytes(2, 2, 0xFFFF0000));
    TContextSurface Surface(10, 10);
    TGPGraphics Graphics(Surface.Canvas()->Handle());
    Picture->DrawImage(&Graphics, 5, 6);
    Picture->DrawImageRect(&Graphics, 0, 0, 1, 1);
    EXPECT_EQ(Surface.Ink(), Rect(0, 0, 7, 8));
    EXPECT_EQ(Surface.Pixel(6, 7), clRed);
    EXPECT_EQ(Surface.Pixel(1, 1), clWhite);
}

TEST(GDIPPictureTest, AssignNullFiresChangeThenClear) {
    auto Picture = PictureOf(PngBytes(2, 2, 0xFFFF0000));
    std::string Order;
    Picture->OnChange = [&](TObject*) { Order += "change "; };
    Picture->OnClear = [&](TObject*) { Order += "clear"; };
    Picture->Assign(nullptr);
    EXPECT_EQ(Order, "change clear");
    EXPECT_TRUE(Picture->Empty());
}

TEST(GDIPPictureTest, ReadDataDefersMeasuringAndWebAddressesDoNothing) {
    auto Picture = PictureOf(PngBytes(2, 2, 0xFFFF0000));
    Picture->ReadData(StreamOf(PngBytes(6, 5, 0xFF000000)).get());
    EXPECT_EQ(Picture->Width(), 2);
    EXPECT_TRUE(Picture->GetImageSizes());
    EXPECT_EQ(Picture->Width(), 6);
    Picture->LoadFromURL(u"https://example.com/x.png");
    EXPECT_EQ(Picture->Width(), 6);

    TMemoryStream Saved;
    Picture->SaveToStream(&Saved);
    Saved.SetPosition(0);
    TGDIPPicture Copy;
    Copy.LoadFromStream(&Saved);
    EXPECT_EQ(Copy.Height(), 5);
}

} // namespace

// GDI+ bitmaps read from module resources: the program's, or a module of
// one's own; names ignore case.
TEST(GdiPlusResourceTest, FromResourceReadsThePictureOfAModule) {
    const TResourceEntry* Clear = TResourceModule::Program().Find(u"BKELGRDCLEAR");
    ASSERT_NE(Clear, nullptr);
    std::unique_ptr<TGPBitmap> FromFileBytes(
        new TGPBitmap(StreamOf(std::vector<Byte>(Clear->Data.begin(), Clear->Data.end())).get()));
    ASSERT_EQ(FromFileBytes->GetLastStatus(), Ok);

    static const Byte NotAPicture[] = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
    const TResourceModule Own({{u"Picture", Clear->Data}, {u"Text", NotAPicture}});
    void* OwnHandle = const_cast<TResourceModule*>(&Own);
    struct TCase {
        void* Module;
        String Name;
        Status Expected;
    };
    const TCase Cases[] = {
        {nullptr, u"bkelgrdclear", Ok}, // the program's
        {OwnHandle, u"PICTURE", Ok},
        {OwnHandle, u"Text", UnknownImageFormat},
        {OwnHandle, u"BKELGRDCLEAR", InvalidParameter}, // not in that module
        {nullptr, u"NoSuchPicture", InvalidParameter},
    };
    for (const TCase& Case : Cases) {
        std::unique_ptr<TGPBitmap> Bitmap(TGPBitmap::FromResource(Case.Module, Case.Name));
        ASSERT_NE(Bitmap, nullptr);
        EXPECT_EQ(Bitmap->GetLastStatus(), Case.Expected) << Utf8(Case.Name);
        if (Case.Expected != Ok) continue;
        ASSERT_EQ(Bitmap->GetWidth(), 16u);
        ASSERT_EQ(Bitmap->GetHeight(), 16u);
        for (Integer Y = 0; Y < 16; Y += 5)
            for (Integer X = 0; X < 16; X += 3) {
                ARGB Got = 0, Want = 0;
                ASSERT_EQ(Bitmap->GetPixel(X, Y, Got), Ok);
                ASSERT_EQ(FromFileBytes->GetPixel(X, Y, Want), Ok);
                EXPECT_EQ(Got, Want) << X << "," << Y;
            }
    }
}
