// The canvas drawing context on a small bitmap: GDI's pixel rules for its
// shapes, the kind mappings, the focus pen, clipping, saved states and text
// placement.

#include "KelContextTestSupport.h"
#include "kel/KelGraphicsContextGeneral.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;

// A canvas context with a red 1-pixel pen and a solid red brush.
struct TGeneralContext {
    explicit TGeneralContext(Integer AWidth = 20, Integer AHeight = 20) : Surface(AWidth, AHeight) {
        TKelGraphicsStroke Stroke(gskSolid, Red);
        Context.SetStroke(&Stroke);
        Context.SetFill(&Fill);
        TKelGraphicsFont Font;
        Font.SetName(u"DejaVu Sans");
        Font.SetColor(clBlack);
        Context.SetFont(&Font);
    }

    TContextSurface Surface;
    TKelGraphicsContextGeneral Context{&Surface.Graphics};
    TKelGraphicsFill Fill{gfkSolid, Red};
};

const std::vector<std::string> Border10 = {"##########..", "#........#..", "#........#..", "#........#..",
                                           "#........#..", "#........#..", "#........#..", "#........#..",
                                           "#........#..", "##########..", "............", "............"};

TEST(KelGraphicsContextGeneral, RectangleSidesSetExactlyTheBorderPixels) {
    TGeneralContext G(12, 12);
    G.Context.DrawRect(nullptr, RectF(0, 0, 10, 10), {gsLeft, gsTop, gsRight, gsBottom});
    EXPECT_EQ(G.Surface.Mask(), Border10);

    // Modify modes leave the geometry as it is; coordinates round halves to even.
    TGeneralContext Shifted(12, 12);
    Shifted.Context.DrawRect(nullptr, RectF(0.5f, 0.4f, 10.5f, 9.6f), {gsLeft, gsTop, gsRight, gsBottom},
                             gcrmExpandAll);
    EXPECT_EQ(Shifted.Surface.Mask(), Border10);
}

TEST(KelGraphicsContextGeneral, RoundRectWithAllCornersIsTheCanvasRoundRect) {
    TGeneralContext G;
    G.Context.DrawRoundRect(nullptr, RectF(1, 1, 19, 15), 4,
                            {gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight});
    TContextSurface Expected;
    Expected.Canvas()->Pen()->SetColor(Red);
    Expected.Canvas()->Brush()->SetStyle(bsClear);
    Expected.Canvas()->RoundRect(1, 1, 19, 15, 8, 8);
    EXPECT_EQ(G.Surface.Mask(), Expected.Mask());
    EXPECT_EQ(G.Surface.Canvas()->Brush()->Style(), bsSolid); // the brush comes back

    TGeneralContext Plain(12, 12); // no corner: a plain rectangle
    Plain.Context.DrawRoundRect(nullptr, RectF(0, 0, 10, 10), 4, {});
    EXPECT_EQ(Plain.Surface.Mask(), Border10);
}

TEST(KelGraphicsContextGeneral, RoundRectWithSomeCornersRoundsOnlyThose) {
    TGeneralContext G;
    G.Context.DrawRoundRect(nullptr, RectF(0, 0, 20, 20), 6, {gcTopLeft});
    EXPECT_EQ(G.Surface.Pixel(0, 0), clWhite);
    EXPECT_EQ(G.Surface.Pixel(19, 0), Red);
    EXPECT_EQ(G.Surface.Pixel(19, 19), Red);
    EXPECT_EQ(G.Surface.Pixel(0, 19), Red);
    EXPECT_EQ(G.Surface.Pixel(10, 10), clWhite);
}

TEST(KelGraphicsContextGeneral, SolidRoundFillCoversOnePixelMoreThanAGradient) {
    TGeneralContext Solid;
    Solid.Context.FillRoundRect(&Solid.Fill, RectF(0, 0, 10, 10), 0, {});
    EXPECT_EQ(Solid.Surface.Ink(), Rect(0, 0, 10, 10));

    TGeneralContext Gradient;
    TKelGraphicsFill Fill(gfkGradient, Red);
    Fill.SetColorTo(Red);
    Gradient.Context.FillRoundRect(&Fill, RectF(0, 0, 10, 10), 0, {});
    EXPECT_EQ(Gradient.Surface.Ink(), Rect(0, 0, 9, 9));
}

TEST(KelGraphicsContextGeneral, FillRectByKind) {
    TGeneralContext Solid;
    Solid.Context.FillRect(&Solid.Fill, RectF(2, 2, 8, 8));
    EXPECT_EQ(Solid.Surface.Ink(), Rect(2, 2, 7, 7)); // GDI: no pen, one pixel less
    EXPECT_EQ(Solid.Surface.Canvas()->Pen()->Style(), psSolid);

    // Mirrored horizontal gradient: two halves, each from its first colour.
    TGeneralContext Mirrored;
    TKelGraphicsFill Fill(gfkGradient, Red);
    Fill.SetColorTo(Red);
    Fill.SetColorMirror(Blue);
    Fill.SetColorMirrorTo(Blue);
    Fill.SetOrientation(gfoHorizontal);
    Mirrored.Context.FillRect(&Fill, RectF(0, 0, 10, 4));
    EXPECT_EQ(Mirrored.Surface.Pixel(4, 1), Red);
    EXPECT_EQ(Mirrored.Surface.Pixel(5, 1), Blue);
    EXPECT_EQ(Mirrored.Surface.Pixel(9, 1), Blue);

    for (TKelGraphicsFillKind Kind : {gfkNone, gfkTexture}) {
        TGeneralContext Nothing;
        Fill.SetKind(Kind);
        Nothing.Context.FillRect(&Fill, RectF(0, 0, 10, 10));
        EXPECT_EQ(Nothing.Surface.Ink(), TRect{}) << int(Kind);
    }
    TGeneralContext Custom;
    Fill.SetKind(gfkGradient);
    Fill.SetOrientation(gfoCustom);
    Custom.Context.FillRect(&Fill, RectF(0, 0, 10, 10));
    EXPECT_EQ(Custom.Surface.Ink(), TRect{});
}

TEST(KelGraphicsContextGeneral, KindsMapToPenAndBrushStyles) {
    const std::pair<TKelGraphicsStrokeKind, TPenStyle> Pens[] = {
        {gskNone, psClear}, {gskSolid, psSolid},     {gskDash, psDash},
        {gskDot, psDot},    {gskDashDot, psDashDot}, {gskDashDotDot, psDashDotDot}};
    for (const auto& [Kind, Style] : Pens)
        EXPECT_EQ(StrokeKindToPenStyle(Kind), Style) << int(Kind);
    EXPECT_EQ(FillKindToBrushStyle(gfkNone, bsSolid), bsClear);
    EXPECT_EQ(FillKindToBrushStyle(gfkGradient, bsClear), bsSolid);
    EXPECT_EQ(FillKindToBrushStyle(gfkTexture, bsCross), bsCross);

    TGeneralContext G;
    G.Context.SetStrokeWidth(2.5f); // rounded, halves to even
    EXPECT_EQ(G.Surface.Canvas()->Pen()->Width(), 2);
    G.Context.SetFillColor(Blue);
    EXPECT_EQ(G.Context.GetFillColor(), Blue);
}

TEST(KelGraphicsContextGeneral, TextFormatsFollowTheArguments) {
    EXPECT_EQ(KelTextFormat(true, false, gtaCenter, gtaTrailing, gttWord),
              (TTextFormat{tfWordBreak, tfNoPrefix, tfCenter, tfBottom, tfWordEllipsis}));
    EXPECT_EQ(KelTextFormat(false, true, gtaTrailing, gtaCenter, gttCharacter),
              (TTextFormat{tfSingleLine, tfRight, tfVerticalCenter, tfEndEllipsis}));
    EXPECT_EQ(KelTextFormat(false, true, gtaLeading, gtaLeading, gttNone),
              (TTextFormat{tfSingleLine, tfLeft, tfTop}));
}

TEST(KelGraphicsContextGeneral, FocusRectangleSetsEveryOtherPixel) {
    TGeneralContext G;
    G.Context.DrawFocusRectangle(nullptr, RectF(0, 0, 10, 10), Blue);
    EXPECT_EQ(G.Surface.Pixel(0, 0), Blue);
    EXPECT_EQ(G.Surface.Pixel(1, 0), clWhite);
    EXPECT_EQ(G.Surface.Pixel(2, 0), Blue);
    EXPECT_EQ(G.Surface.Pixel(5, 5), clWhite);
    // The pen keeps the focus colour; the brush is back.
    EXPECT_EQ(G.Surface.Canvas()->Pen()->Color(), Blue);
    EXPECT_EQ(G.Surface.Canvas()->Brush()->Style(), bsSolid);
    G.Context.DrawLine(nullptr, PointF(0, 15), PointF(10, 15));
    EXPECT_EQ(G.Surface.Pixel(1, 15), Blue); // the normal pen again
}

TEST(KelGraphicsContextGeneral, FocusRectangleWhilePrintingIsDottedAndThePenComesBack) {
    TGeneralContext G;
    G.Context.SetStrokeWidth(3);
    G.Context.SetStrokeKind(gskDash);
    G.Context.BeginPrinting();
    G.Context.DrawFocusRectangle(nullptr, RectF(0, 0, 20, 10), Blue);
    TPen* Pen = G.Surface.Canvas()->Pen();
    EXPECT_EQ(Pen->Style(), psDash);
    EXPECT_EQ(Pen->Width(), 3);
    EXPECT_EQ(Pen->Color(), Blue);
    Integer Dots = 0;
    for (Integer X = 0; X < 20; ++X)
        Dots += G.Surface.Pixel(X, 0) == Blue;
    EXPECT_GT(Dots, 2);
    EXPECT_LT(Dots, 18);
    EXPECT_EQ(G.Surface.Pixel(5, 1), clWhite); // one pixel wide
}

TEST(KelGraphicsContextGeneral, ClippingOnlyNarrowsAndStateRestoresIt) {
    TGeneralContext G;
    TKelGraphicsSaveState State;
    G.Context.SaveState(&State);
    EXPECT_GT(State.SaveDC(), 0);
    G.Context.ClipRect(RectF(0, 0, 10, 10));
    G.Context.ClipRect(RectF(5, 5, 20, 20));
    G.Context.FillRect(&G.Fill, RectF(0, 0, 21, 21));
    EXPECT_EQ(G.Surface.Ink(), Rect(5, 5, 10, 10));
    G.Context.RestoreState(&State);
    EXPECT_EQ(State.SaveDC(), 0);
    G.Context.FillRect(&G.Fill, RectF(0, 0, 21, 21));
    EXPECT_EQ(G.Surface.Ink(), Rect(0, 0, 20, 20));

    TGeneralContext P;
    TKelGraphicsPath Path;
    Path.AddEllipse(RectF(2, 2, 6, 6));
    P.Context.ClipPath(&Path); // the path's bounds
    P.Context.ClipPath(nullptr);
    P.Context.FillRect(&P.Fill, RectF(0, 0, 21, 21));
    EXPECT_EQ(P.Surface.Ink(), Rect(2, 2, 6, 6));
}

TEST(KelGraphicsContextGeneral, ArcsRunClockwiseFromTheStartAngle) {
    TGeneralContext G;
    G.Context.DrawArc(nullptr, PointF(10, 10), PointF(8, 8), 0, 90); // from +x to +y: the lower right
    const TRect Ink = G.Surface.Ink();
    EXPECT_GE(Ink.Left, 9);
    EXPECT_GE(Ink.Top, 9);
    EXPECT_EQ(G.Surface.Canvas()->Brush()->Style(), bsSolid);

    TGeneralContext Filled; // filled as the arc closed by its chord
    Filled.Context.FillArc(&Filled.Fill, PointF(10, 10), PointF(8, 8), 0, 180);
    EXPECT_EQ(Filled.Surface.Pixel(10, 15), Red);
    EXPECT_EQ(Filled.Surface.Pixel(10, 5), clWhite);
}

TEST(KelGraphicsContextGeneral, PolygonsPolylinesAndPaths) {
    const TKelGraphicsPathPolygon Triangle = {PointF(2, 2), PointF(17, 2), PointF(2, 17)};
    TGeneralContext Outline;
    Outline.Context.DrawPolygon(nullptr, Triangle);
    EXPECT_EQ(Outline.Surface.Pixel(5, 5), clWhite);
    EXPECT_EQ(Outline.Surface.Pixel(2, 10), Red);

    TGeneralContext Filled; // a polyline fills as a polygon
    Filled.Context.FillPolyline(&Filled.Fill, Triangle);
    EXPECT_EQ(Filled.Surface.Pixel(5, 5), Red);
    Filled.Context.FillPolygon(&Filled.Fill, {});

    TKelGraphicsPath Path;
    Path.AddEllipse(RectF(2, 2, 18, 18));
    for (TKelGraphicsPathDrawMode Mode : {pdmPolygon, pdmPath}) {
        TGeneralContext Fill;
        Fill.Context.FillPath(&Fill.Fill, &Path, Mode);
        EXPECT_EQ(Fill.Surface.Pixel(10, 10), Red) << int(Mode);
        TGeneralContext Draw;
        Draw.Context.DrawPath(nullptr, &Path, Mode);
        EXPECT_EQ(Draw.Surface.Pixel(10, 10), clWhite) << int(Mode);
        EXPECT_EQ(Draw.Surface.Pixel(2, 10), Red) << int(Mode);
    }
}

TEST(KelGraphicsContextGeneral, WrappedTextCentredInATooSmallBoxStartsAtTheTop) {
    const String Text = u"one two three four five six";
    const TRectF Box = RectF(0, 2, 40, 12);
    TGeneralContext Centred(40, 60);
    Centred.Context.DrawText(Text, Box, true, gtaLeading, gtaCenter, gttNone, 0);
    TGeneralContext Top(40, 60);
    Top.Context.DrawText(Text, Box, true, gtaLeading, gtaLeading, gttNone, 0);
    ASSERT_NE(Top.Surface.Ink(), TRect{});
    EXPECT_EQ(Centred.Surface.Mask(), Top.Surface.Mask());

    // In a tall box the centred text sits lower and bottom-aligned text lower still.
    const TRectF Tall = RectF(0, 0, 40, 60);
    TGeneralContext Middle(40, 60), Bottom(40, 60);
    Middle.Context.DrawText(u"one", Tall, true, gtaLeading, gtaCenter, gttNone, 0);
    Bottom.Context.DrawText(u"one", Tall, true, gtaLeading, gtaTrailing, gttNone, 0);
    EXPECT_GT(Middle.Surface.Ink().Top, 15);
    EXPECT_GT(Bottom.Surface.Ink().Top, 40);
    EXPECT_EQ(Middle.Surface.Canvas()->Brush()->Style(), bsSolid);

    const TRectF Measured = Top.Context.CalculateText(u"one", RectF(3, 4, 100, 100), false);
    EXPECT_EQ(Measured.Left, 3);
    EXPECT_EQ(Measured.Top, 4);
    EXPECT_GT(Measured.Width(), 5);
}

TEST(KelGraphicsContextGeneral, TextTurnedBy90StartsAtTheTopRightAndRunsDown) {
    TGeneralContext G(40, 60);
    G.Context.DrawText(u"Turned", RectF(0, 0, 30, 60), false, gtaLeading, gtaLeading, gttNone, 90);
    const TRect Ink = G.Surface.Ink();
    ASSERT_NE(Ink, TRect{});
    EXPECT_GT(Ink.Height(), Ink.Width());
    EXPECT_LE(Ink.Top, 3);
    EXPECT_LE(Ink.Right, 30);
    EXPECT_GT(Ink.Left, 10);
    EXPECT_EQ(G.Surface.Canvas()->Font()->Orientation(), 0);
}

TEST(KelGraphicsContextGeneral, PicturesAreStretchedIntoTheRoundedDestination) {
    TGeneralContext G;
    TBitmap Picture;
    Picture.SetSize(2, 2);
    Picture.Canvas()->Brush()->SetColor(Blue);
    Picture.Canvas()->FillRect(Rect(0, 0, 2, 2));
    G.Context.DrawBitmap(&Picture, RectF(0, 0, 2, 2), RectF(4, 4, 8.4f, 8.4f), 0.5f);
    EXPECT_EQ(G.Surface.Ink(), Rect(4, 4, 8, 8));
    EXPECT_EQ(G.Surface.Pixel(5, 5), Blue);
}

TEST(KelGraphicsContextGeneral, IsACanvasWithoutTransforms) {
    TGeneralContext G;
    EXPECT_EQ(G.Context.NativeCanvas(), G.Surface.Canvas());
    EXPECT_EQ(G.Context.CreatePath(), nullptr);
    G.Context.TranslateTransform(5, 5);
    EXPECT_EQ(G.Context.GetMatrix(), TKelGraphicsMatrix::Identity());
    EXPECT_EQ(G.Context.SetTextAngle(RectF(1, 2, 3, 4), 90), RectF(1, 2, 3, 4));
}

} // namespace
