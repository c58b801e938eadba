#include "RecordingSettingsOwner.h"
#include "grid/BackGround.h"

#include <gtest/gtest.h>

namespace {

// A picture whose every pixel tells where it lies: red = 4x, green = 4y.
std::unique_ptr<TBitmap> CoordinatePicture(Integer W, Integer H) {
    auto Picture = std::make_unique<TBitmap>();
    Picture->SetSize(W, H);
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X)
            Picture->Canvas()->SetPixels(X, Y, RGB(Byte(4 * X), Byte(4 * Y), 0x80));
    return Picture;
}

std::unique_ptr<TBitmap> WhiteSurface(Integer W, Integer H) {
    auto Surface = std::make_unique<TBitmap>();
    Surface->SetSize(W, H);
    Surface->Canvas()->Brush()->SetColor(clWhite);
    Surface->Canvas()->FillRect(TRect{0, 0, W, H});
    return Surface;
}

TEST(BackGround, NewBackgroundAndItsSettersRepaintWithoutComparing) {
    TRecordingSettingsOwner Grid;
    TBackGround BackGround(&Grid);
    EXPECT_EQ(BackGround.Display(), bdTile);
    EXPECT_EQ(BackGround.Cells(), bcNormal);
    EXPECT_EQ(BackGround.Color(), clWindow);
    EXPECT_EQ(BackGround.ColorTo(), clBtnFace);
    EXPECT_EQ(BackGround.Left(), 0);
    EXPECT_TRUE(BackGround.Bitmap()->Empty());
    for (const char16_t* Name : {u"Top", u"Left", u"Display", u"Cells", u"Color", u"ColorTo"}) {
        const Int64 Value = GetOrdProp(&BackGround, Name);
        SetOrdProp(&BackGround, Name, Value);
        EXPECT_EQ(Grid.Take(), std::vector<std::string>{"Repaint"}) << Utf8(Name);
    }
}

TEST(BackGround, AssignCopiesEverySettingWithoutRepaint) {
    TRecordingSettingsOwner Grid;
    TBackGround Source(nullptr), Target(&Grid);
    Source.SetTop(3);
    Source.SetLeft(4);
    Source.SetDisplay(bdFixed);
    Source.SetBitmap(CoordinatePicture(7, 8).get());
    Source.SetCells(bcAll);
    Source.SetColor(clRed);
    Source.SetColorTo(clBlue);
    Grid.Take();
    Target.Assign(&Source);
    EXPECT_TRUE(Grid.Take().empty());
    EXPECT_EQ(Target.Top(), 3);
    EXPECT_EQ(Target.Left(), 4);
    EXPECT_EQ(Target.Display(), bdFixed);
    EXPECT_EQ(Target.Bitmap()->Width(), 7);
    EXPECT_EQ(Target.Cells(), bcAll);
    EXPECT_EQ(Target.Color(), clRed);
    EXPECT_EQ(Target.ColorTo(), clBlue);
}

TEST(BackGround, FixedPictureCopiesOnlyThePartUnderTheRectangle) {
    TBackGround BackGround(nullptr);
    BackGround.SetBitmap(CoordinatePicture(50, 50).get());
    BackGround.SetLeft(100);
    BackGround.SetTop(100);
    auto Surface = WhiteSurface(200, 200);
    PaintBackgroundFixed(Surface->Canvas(), BackGround, TRect{0, 0, 120, 120});
    TCanvas* Canvas = Surface->Canvas();
    // Source (0, 0, 20, 20) lands on (100, 100, 120, 120).
    for (Integer Y = 0; Y < 20; ++Y)
        for (Integer X = 0; X < 20; ++X)
            ASSERT_EQ(Canvas->Pixels(100 + X, 100 + Y), RGB(Byte(4 * X), Byte(4 * Y), 0x80)) << X << "," << Y;
    EXPECT_EQ(Canvas->Pixels(120, 110), clWhite);
    EXPECT_EQ(Canvas->Pixels(110, 120), clWhite);
    EXPECT_EQ(Canvas->Pixels(99, 100), clWhite);
}

TEST(BackGround, FixedPictureOutsideTheRectangleDrawsNothing) {
    TBackGround BackGround(nullptr);
    BackGround.SetBitmap(CoordinatePicture(10, 10).get());
    BackGround.SetLeft(50);
    auto Surface = WhiteSurface(100, 100);
    PaintBackgroundFixed(Surface->Canvas(), BackGround, TRect{0, 0, 50, 50});
    EXPECT_EQ(Surface->Canvas()->Pixels(50, 0), clWhite);
    EXPECT_EQ(Surface->Canvas()->Pixels(49, 0), clWhite);
}

TEST(BackGround, TilesStartOnePixelBeforeTheRectangleAndStopAtItsEdges) {
    TBackGround BackGround(nullptr);
    BackGround.SetBitmap(CoordinatePicture(10, 10).get());
    auto Surface = WhiteSurface(60, 60);
    PaintBackgroundTiled(Surface->Canvas(), BackGround, TRect{5, 5, 30, 28});
    TCanvas* Canvas = Surface->Canvas();
    // Tiles start at (4, 4): pixel (5, 5) shows the picture's (1, 1), the
    // next tile starts at (14, 4), the rows at y 4, 14, 24.
    EXPECT_EQ(Canvas->Pixels(4, 4), RGB(0, 0, 0x80));
    EXPECT_EQ(Canvas->Pixels(5, 5), RGB(4, 4, 0x80));
    EXPECT_EQ(Canvas->Pixels(14, 4), RGB(0, 0, 0x80));
    EXPECT_EQ(Canvas->Pixels(29, 27), RGB(4 * 5, 4 * 3, 0x80));
    EXPECT_EQ(Canvas->Pixels(30, 10), clWhite);
    EXPECT_EQ(Canvas->Pixels(10, 28), clWhite);
}

TEST(BackGround, EmptyPictureTilesNothing) {
    TBackGround BackGround(nullptr);
    auto Surface = WhiteSurface(20, 20);
    PaintBackgroundTiled(Surface->Canvas(), BackGround, TRect{0, 0, 20, 20});
    PaintBackgroundFixed(Surface->Canvas(), BackGround, TRect{0, 0, 20, 20});
    EXPECT_EQ(Surface->Canvas()->Pixels(0, 0), clWhite);
}

} // namespace
