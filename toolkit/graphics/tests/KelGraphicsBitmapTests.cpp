// Pictures on the drawing class: the placement rule, drawing a picture and
// drawing part of one.

#include "KelDrawingTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Green = 0x00FF00;

TEST(KelGraphicsBitmaps, PlacementOfAPictureInARectangle) {
    TDrawingSurface S;
    const auto Small = SolidPicture(16, 16, Red);
    const auto Wide = SolidPicture(200, 100, Red);
    struct {
        const char* Name;
        const TKelBitmap* Picture;
        TRectF Rect;
        bool AspectRatio, Stretch, Center, Cropping;
        TRectF Expected;
    } const Cases[] = {
        {"aspect ratio", Small.get(), RectF(0, 0, 100, 50), true, false, false, false, RectF(0, 0, 16, 16)},
        {"aspect ratio, stretch", Small.get(), RectF(0, 0, 100, 50), true, true, false, false,
         RectF(0, 0, 50, 50)},
        {"stretch", Small.get(), RectF(0, 0, 100, 50), false, true, false, false, RectF(0, 0, 100, 50)},
        {"aspect ratio, centre", Small.get(), RectF(0, 0, 100, 50), true, false, true, false,
         RectF(42, 17, 58, 33)},
        {"cropping centres", Small.get(), RectF(10, 10, 110, 60), false, true, false, true,
         RectF(10, 10, 110, 60)},
        {"cropping at own size", Small.get(), RectF(10, 10, 110, 60), false, false, false, true,
         RectF(52, 27, 68, 43)},
        {"too big", Wide.get(), RectF(0, 0, 100, 100), true, false, false, false, RectF(0, 0, 100, 50)},
        {"no room", Small.get(), RectF(0, 0, 0, 50), true, false, false, false, RectF(0, 0, 0, 0)},
        {"no picture", nullptr, RectF(5, 5, 100, 50), true, false, true, false, RectF(0, 0, 0, 0)},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(S.Graphics->GetBitmapDrawRectangle(C.Rect, C.Picture, C.AspectRatio, C.Stretch, C.Center,
                                                     C.Cropping),
                  C.Expected);
    }
}

TEST(KelGraphicsBitmaps, DrawBitmapPaintsThePlacedRectangle) {
    TDrawingSurface S;
    const auto Picture = SolidPicture(4, 4, Red);
    S.Graphics->DrawBitmap(RectF(0, 0, 20, 10), Picture.get()); // aspect ratio and centring
    EXPECT_EQ(S.Ink(), Rect(8, 3, 12, 7));
    TDrawingSurface Natural;
    Natural.Graphics->DrawBitmap(Single(3), Single(5), Picture.get());
    EXPECT_EQ(Natural.Ink(), Rect(3, 5, 7, 9));
    Natural.Graphics->DrawBitmap(RectF(0, 0, 20, 20), nullptr); // nothing
}

TEST(KelGraphicsBitmaps, DrawBitmapPartDrawsExactlyTheSourcePart) {
    // A green 30 x 30 picture with a red square at (10, 10, 20, 20) and a blue pixel at its top-left.
    TBitmap Bitmap;
    Bitmap.SetSize(30, 30);
    Bitmap.Canvas()->Brush()->SetColor(Green);
    Bitmap.Canvas()->FillRect(Rect(0, 0, 30, 30));
    Bitmap.Canvas()->Brush()->SetColor(Red);
    Bitmap.Canvas()->FillRect(Rect(10, 10, 20, 20));
    Bitmap.Canvas()->Brush()->SetColor(Blue);
    Bitmap.Canvas()->FillRect(Rect(10, 10, 11, 11));
    TKelBitmap Picture;
    Picture.SetGraphic(&Bitmap);

    for (bool Native : {false, true}) {
        SCOPED_TRACE(Native ? "native" : "canvas");
        TDrawingSurface S(30, 30, Native);
        S.Graphics->BeginScene();
        S.Graphics->DrawBitmapPart(RectF(10, 10, 20, 20), RectF(2, 3, 12, 13), &Picture);
        S.Graphics->EndScene();
        EXPECT_EQ(S.Ink(), Rect(2, 3, 12, 13));
        EXPECT_EQ(S.Pixel(2, 3), Blue);
        EXPECT_EQ(S.Pixel(11, 12), Red);
    }

    const auto Part =
        TDrawingSurface().Graphics->DrawBitmapPartSync(RectF(10, 10, 20, 20), RectF(0, 0, 5, 5), &Picture);
    ASSERT_NE(Part, nullptr);
    EXPECT_EQ(Part->Width(), 10);
    EXPECT_EQ(Part->Height(), 10);

    TDrawingSurface Empty;
    Empty.Graphics->DrawBitmapPart(RectF(10, 10, 10, 20), RectF(0, 0, 10, 10), &Picture);
    Empty.Graphics->DrawBitmapPart(RectF(10, 10, 20, 20), RectF(0, 10, 10, 10), &Picture);
    EXPECT_EQ(Empty.Ink(), TRect{});
    EXPECT_EQ(Empty.Graphics->DrawBitmapPartSync(RectF(10, 10, 10, 20), RectF(0, 0, 10, 10), &Picture),
              nullptr);
}

} // namespace
