// The GDI+ drawing context on a small bitmap: the surface's life, shapes and
// their pixel rules, gradients, clipping, transforms, state, text and pictures.

#include "KelContextTestSupport.h"
#include "kel/KelGraphicsContextWin.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;

// A GDI+ context with an open surface, an opaque red 1-pixel stroke and a
// solid red fill, smoothing off.
struct TWinContext {
    explicit TWinContext(Integer AWidth = 20, Integer AHeight = 20) : Surface(AWidth, AHeight) {
        Context.SetSize(Single(AWidth), Single(AHeight));
        TKelGraphicsStroke Stroke(gskSolid, Red);
        Context.SetStroke(&Stroke);
        TKelGraphicsFill Fill(gfkSolid, Red);
        Context.SetFill(&Fill);
        TKelGraphicsFont Font;
        Font.SetName(u"DejaVu Sans");
        Font.SetColor(clBlack);
        Context.SetFont(&Font);
    }
    TGPGraphics* Native() { return static_cast<TGPGraphics*>(Context.NativeCanvas()); }

    TContextSurface Surface;
    TKelGraphicsContextWin Context{&Surface.Graphics};
};

TEST(KelGraphicsContextWin, DrawsNothingWithoutASurface) {
    TContextSurface Surface;
    TKelGraphicsContextWin Context(&Surface.Graphics);
    EXPECT_EQ(Context.NativeCanvas(), nullptr);
    TKelGraphicsFill Fill(gfkSolid, Blue);
    Context.SetFill(&Fill); // ignored: no surface
    EXPECT_EQ(Context.Fill()->Color(), 0xFFFFFFu);
    Context.FillRect(nullptr, RectF(0, 0, 20, 20));
    EXPECT_EQ(Context.CalculateText(u"Text", RectF(0, 0, 100, 100), false), TRectF{});
    EXPECT_EQ(Surface.Ink(), TRect{});

    // A surface lasts until the first EndScene; later drawing does nothing.
    Context.SetSize(20, 20);
    Context.SetFill(&Fill);
    Context.BeginScene();
    Context.FillRect(nullptr, RectF(0, 0, 2, 2));
    Context.EndScene();
    EXPECT_EQ(Context.NativeCanvas(), nullptr);
    Context.FillRect(nullptr, RectF(10, 10, 20, 20));
    EXPECT_EQ(Surface.Ink(), Rect(0, 0, 2, 2));
    EXPECT_EQ(Surface.Pixel(1, 1), Blue);
}

TEST(KelGraphicsContextWin, RectangleSidesLieOnTheLastPixelInside) {
    TWinContext W;
    W.Context.DrawRect(nullptr, RectF(0, 0, 10, 10), {gsLeft, gsTop, gsRight, gsBottom});
    EXPECT_EQ(W.Surface.Ink(), Rect(0, 0, 10, 10));
    EXPECT_EQ(W.Surface.Pixel(9, 0), Red);
    EXPECT_EQ(W.Surface.Pixel(0, 9), Red);
    EXPECT_EQ(W.Surface.Pixel(5, 5), clWhite);

    TWinContext Sides;
    Sides.Context.DrawRect(nullptr, RectF(0, 0, 10, 10), {gsTop});
    EXPECT_EQ(Sides.Surface.Ink().Bottom, 1);
    EXPECT_EQ(Sides.Surface.Pixel(8, 0), Red);
}

TEST(KelGraphicsContextWin, EllipseOutlineIsOnePixelSmallerThanItsFill) {
    TWinContext Outline;
    Outline.Context.DrawEllipse(nullptr, RectF(0, 0, 10, 10));
    EXPECT_EQ(Outline.Surface.Ink(), Rect(0, 0, 10, 10)); // the ellipse in (0, 0, 9, 9), pen centred on it

    TWinContext Filled;
    Filled.Context.FillEllipse(nullptr, RectF(0, 0, 10, 10));
    EXPECT_EQ(Filled.Surface.Ink(), Rect(0, 0, 10, 10));
    EXPECT_EQ(Filled.Surface.Pixel(5, 5), Red);
    EXPECT_EQ(Outline.Surface.Pixel(5, 5), clWhite);
}

TEST(KelGraphicsContextWin, FillsSolidShapesAndSkipsEmptyPolygons) {
    TWinContext W;
    W.Context.FillRect(nullptr, RectF(2, 2, 6, 6));
    EXPECT_EQ(W.Surface.Ink(), Rect(2, 2, 6, 6));
    W.Context.FillPolygon(nullptr, {});
    W.Context.DrawPolyline(nullptr, {});
    W.Context.FillPolyline(nullptr, {PointF(10, 10), PointF(19, 10), PointF(10, 19)}); // filled as a polygon
    EXPECT_EQ(W.Surface.Pixel(12, 12), Red);
    W.Context.FillArc(nullptr, PointF(4, 15), PointF(4, 4), 0, 180); // the lower half disc
    EXPECT_EQ(W.Surface.Pixel(4, 17), Red);
    EXPECT_EQ(W.Surface.Pixel(4, 13), clWhite);
}

TEST(KelGraphicsContextWin, LinearGradientRunsBetweenItsColours) {
    TWinContext W;
    TKelGraphicsFill Fill(gfkGradient, clBlack);
    Fill.SetColorTo(clWhite);
    Fill.SetOrientation(gfoHorizontal);
    W.Context.SetFill(&Fill);
    W.Context.FillRect(nullptr, RectF(0, 0, 20, 4));
    Byte Previous = 0;
    for (Integer X = 0; X < 20; X += 4) {
        const Byte Level = GetRValue(W.Surface.Pixel(X, 1));
        EXPECT_GE(Level, Previous) << X;
        Previous = Level;
    }
    EXPECT_LT(GetRValue(W.Surface.Pixel(0, 1)), 40);
    EXPECT_GT(GetRValue(W.Surface.Pixel(19, 1)), 215);
    EXPECT_EQ(W.Surface.Pixel(0, 5), clWhite);
}

TEST(KelGraphicsContextWin, CollectionGradientIsPaddedToBothEnds) {
    // Stops at 0.25 and 0.75 only: the first colour holds from 0, the last to 1.
    TWinContext W;
    TKelGraphicsFill Fill(gfkGradient, clBlack);
    Fill.SetOrientation(gfoHorizontal);
    Fill.SetGradientMode(gfgmCollection);
    Fill.AddGradientItem(Red, 0.25f, 1);
    Fill.AddGradientItem(Blue, 0.75f, 1);
    W.Context.SetFill(&Fill);
    W.Context.FillRect(nullptr, RectF(0, 0, 20, 4));
    EXPECT_EQ(W.Surface.Pixel(0, 1), Red);
    EXPECT_EQ(W.Surface.Pixel(3, 1), Red);
    EXPECT_EQ(W.Surface.Pixel(17, 1), Blue);
    EXPECT_EQ(W.Surface.Pixel(19, 1), Blue);
    const TColor Middle = W.Surface.Pixel(10, 1);
    EXPECT_GT(GetRValue(Middle), 60);
    EXPECT_GT(GetBValue(Middle), 60);
}

TEST(KelGraphicsContextWin, NoneAndTextureFillsPaintNothing) {
    for (TKelGraphicsFillKind Kind : {gfkNone, gfkTexture}) {
        TWinContext W;
        W.Context.SetFillKind(Kind);
        W.Context.FillRect(nullptr, RectF(0, 0, 20, 20));
        EXPECT_EQ(W.Surface.Ink(), TRect{}) << int(Kind);
    }
}

TEST(KelGraphicsContextWin, ClipRectReplacesTheClip) {
    TWinContext W;
    W.Context.ClipRect(RectF(0, 0, 5, 5));
    W.Context.ClipRect(RectF(10, 10, 15, 15));
    W.Context.FillRect(nullptr, RectF(0, 0, 20, 20));
    EXPECT_EQ(W.Surface.Ink(), Rect(10, 10, 15, 15));
    W.Context.ResetClip();
    W.Context.FillRect(nullptr, RectF(0, 0, 1, 1));
    EXPECT_EQ(W.Surface.Pixel(0, 0), Red);

    TWinContext P;
    TKelGraphicsPath Path;
    Path.AddRectangle(RectF(2, 2, 6, 6));
    P.Context.ClipPath(&Path);
    P.Context.FillRect(nullptr, RectF(0, 0, 20, 20));
    EXPECT_EQ(P.Surface.Ink(), Rect(2, 2, 6, 6));
}

TEST(KelGraphicsContextWin, TransformsArePrependedAndStateIsRestored) {
    TWinContext W;
    TKelGraphicsSaveState State;
    W.Context.SaveState(&State);
    W.Context.TranslateTransform(10, 0);
    W.Context.ScaleTransform(2, 2); // acts before the translation
    EXPECT_EQ(W.Context.GetMatrix().m11, 2);
    EXPECT_EQ(W.Context.GetMatrix().m31, 10);
    W.Context.FillRect(nullptr, RectF(0, 0, 2, 2));
    EXPECT_EQ(W.Surface.Ink(), Rect(10, 0, 14, 4));
    W.Context.RestoreState(&State);
    EXPECT_EQ(W.Context.GetMatrix(), TKelGraphicsMatrix::Identity());

    TKelGraphicsMatrix Shift = TKelGraphicsMatrix::Identity();
    Shift.m32 = 5;
    W.Context.SetMatrix(Shift);
    W.Context.ClipRect(RectF(0, 0, 1, 1));
    W.Context.ResetTransform(); // back to the base state: transform and clip dropped
    EXPECT_EQ(W.Context.GetMatrix(), TKelGraphicsMatrix::Identity());
    W.Context.FillRect(nullptr, RectF(0, 18, 2, 20));
    EXPECT_EQ(W.Surface.Pixel(1, 19), Red);
}

TEST(KelGraphicsContextWin, DashedStrokesAreDrawnWithoutSmoothing) {
    TWinContext W;
    W.Context.SetAntiAliasing(true);
    W.Context.SetStrokeKind(gskDash);
    W.Context.DrawLine(nullptr, PointF(0, 5.3f), PointF(19, 5.3f));
    EXPECT_EQ(W.Native()->GetSmoothingMode(), SmoothingModeAntiAlias);
    EXPECT_TRUE(W.Surface.Pixel(0, 5) == Red || W.Surface.Pixel(0, 5) == clWhite);
    for (Integer X = 0; X < 20; ++X)
        for (Integer Y = 0; Y < 20; ++Y) {
            const TColor C = W.Surface.Pixel(X, Y);
            EXPECT_TRUE(C == Red || C == clWhite) << X << "," << Y;
        }
    EXPECT_NE(W.Surface.Ink(), TRect{});
}

TEST(KelGraphicsContextWin, FocusRectangleIsDottedAndThePenComesBack) {
    TWinContext W;
    W.Context.SetStrokeWidth(3);
    W.Context.DrawFocusRectangle(nullptr, RectF(0, 0, 20, 10), Blue);
    EXPECT_EQ(W.Surface.Ink(), Rect(0, 0, 20, 10));
    Integer Dots = 0;
    for (Integer X = 0; X < 20; ++X)
        Dots += W.Surface.Pixel(X, 0) == Blue;
    EXPECT_GT(Dots, 4);
    EXPECT_LT(Dots, 16);
    W.Context.DrawLine(nullptr, PointF(0, 15), PointF(19, 15));
    EXPECT_EQ(W.Surface.Pixel(10, 14), Red); // width 3 and red again
    EXPECT_EQ(W.Surface.Pixel(10, 16), Red);
}

TEST(KelGraphicsContextWin, TextAngleTurnsTheLayoutRectangle) {
    TWinContext W;
    EXPECT_EQ(W.Context.SetTextAngle(RectF(0, 0, 10, 40), 0), RectF(0, 0, 10, 40));
    EXPECT_EQ(W.Context.SetTextAngle(RectF(0, 0, 10, 40), 90), RectF(-20, -5, 20, 5));
    const TKelGraphicsMatrix Turned = W.Context.GetMatrix();
    EXPECT_FLOAT_EQ(Turned.m31, 5);
    EXPECT_FLOAT_EQ(Turned.m32, 20);
    EXPECT_NEAR(Turned.m12, 1, 1e-6);
    W.Context.ResetTextAngle(90);
    EXPECT_EQ(W.Context.GetMatrix(), TKelGraphicsMatrix::Identity());
    EXPECT_EQ(W.Context.SetTextAngle(RectF(0, 0, 40, 10), 45), RectF(-20, -5, 20, 5));
}

TEST(KelGraphicsContextWin, TextIsPlacedByItsAlignment) {
    const TRectF Box = RectF(0, 0, 60, 20);
    TWinContext Leading(60, 20);
    Leading.Context.DrawText(u"Ab", Box, false, gtaLeading, gtaLeading, gttNone, 0);
    TWinContext Trailing(60, 20);
    Trailing.Context.DrawText(u"Ab", Box, false, gtaTrailing, gtaLeading, gttNone, 0);
    const TRect L = Leading.Surface.Ink();
    const TRect T = Trailing.Surface.Ink();
    ASSERT_NE(L, TRect{});
    EXPECT_LT(L.Right, 30);
    EXPECT_GT(T.Left, 30);
    EXPECT_EQ(L.Width(), T.Width());

    const TRectF Measured = Leading.Context.CalculateText(u"Ab", Box, false);
    EXPECT_EQ(Measured.Left, 0);
    EXPECT_GE(Measured.Right, Single(L.Right));
    EXPECT_GE(Measured.Bottom, Single(L.Bottom));
}

TEST(KelGraphicsContextWin, DrawsAPictureIntoTheDestination) {
    TWinContext W;
    TBitmap Picture;
    Picture.SetSize(2, 2);
    Picture.Canvas()->Brush()->SetColor(Blue);
    Picture.Canvas()->FillRect(Rect(0, 0, 2, 2));
    W.Context.DrawBitmap(&Picture, RectF(0, 0, 2, 2), RectF(4, 4, 8, 8), 1);
    EXPECT_EQ(W.Surface.Pixel(5, 5), Blue);
    EXPECT_EQ(W.Surface.Pixel(6, 6), Blue);
    EXPECT_EQ(W.Surface.Pixel(9, 9), clWhite);
}

TEST(KelGraphicsContextWin, RoundRectRoundsOnlyTheListedCorners) {
    TWinContext W;
    W.Context.FillRoundRect(nullptr, RectF(0, 0, 20, 20), 6, {gcTopLeft});
    EXPECT_EQ(W.Surface.Pixel(0, 0), clWhite);
    EXPECT_EQ(W.Surface.Pixel(18, 0), Red);
    EXPECT_EQ(W.Surface.Pixel(0, 18), Red);
    EXPECT_EQ(W.Surface.Pixel(18, 18), Red);
}

TEST(KelGraphicsContextWin, ModifyModesLeaveTheGeometry) {
    TWinContext Plain;
    Plain.Context.DrawRect(nullptr, RectF(2, 2, 12, 9), {gsLeft, gsTop, gsRight, gsBottom}, gcrmNone);
    TWinContext Shifted;
    Shifted.Context.DrawRect(nullptr, RectF(2, 2, 12, 9), {gsLeft, gsTop, gsRight, gsBottom},
                             gcrmShiftRightDown);
    EXPECT_EQ(Plain.Surface.Mask(), Shifted.Surface.Mask());
}

TEST(KelGraphicsContextWin, ColoursCarryTheirOpacity) {
    EXPECT_EQ(ColorToGPColor(0x336699, 1), 0xFF996633u);
    EXPECT_EQ(ColorToGPColor(0x336699, 0.5f), 0x80996633u);
    EXPECT_EQ(ColorToGPColor(0x336699, 2), 0xFF996633u); // clamped
    EXPECT_EQ(ARGBAlpha(ColorToGPColor(gcNull, 0)), 0);
}

TEST(KelGraphicsContextWin, TheNativeClassMakesThisContext) {
    TContextSurface Surface;
    std::unique_ptr<TKelGraphicsContext> Context(GetNativeContextClass()(&Surface.Graphics));
    EXPECT_NE(dynamic_cast<TKelGraphicsContextWin*>(Context.get()), nullptr);
    EXPECT_EQ(Context->Graphics(), &Surface.Graphics);
    EXPECT_EQ(Context->Canvas(), Surface.Canvas());
}

} // namespace
