// The drawing class: creation defaults, keeping the context in step with the
// fill, stroke and font, the fill-then-outline rule, texture fills, clipping,
// saved states, hit tests and colour conversion.

#include "KelDrawingTestSupport.h"
#include "kel/KelGraphicsContextGeneral.h"
#include "kel/KelGraphicsContextWin.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Blue = 0xFF0000;
constexpr TColor Green = 0x00FF00;

TEST(KelGraphics, DefaultsOfANewObject) {
    TDrawingSurface S;
    TKelGraphics* G = S.Graphics.get();
    EXPECT_EQ(G->Fill()->Kind(), gfkSolid);
    EXPECT_EQ(G->Fill()->Color(), 0xFFFFFF);
    EXPECT_EQ(G->Stroke()->Kind(), gskSolid);
    EXPECT_EQ(G->Stroke()->Color(), 0xC0C0C0);
    EXPECT_EQ(G->Stroke()->Width(), 1);
    EXPECT_EQ(G->URLColor(), 0xFF0000);
    EXPECT_TRUE(G->URLUnderline());
    EXPECT_FALSE(G->OptimizedHTMLDrawing());
    EXPECT_EQ(G->HighlightColor(), 0xFF0000);
    EXPECT_EQ(G->HighlightTextColor(), 0xFFFFFF);
    EXPECT_EQ(G->Canvas(), S.Surface.Canvas());
    EXPECT_EQ(G->Bitmap(), nullptr);
    EXPECT_NE(dynamic_cast<TKelGraphicsContextGeneral*>(G->Context()), nullptr);
    // The context starts with the object's state.
    EXPECT_EQ(G->Canvas()->Brush()->Color(), 0xFFFFFF);
    EXPECT_EQ(G->Canvas()->Pen()->Color(), 0xC0C0C0);

    TKelGraphicsPtr OnBitmap(TKelGraphics::CreateNativeBitmapCanvas(30, 20), &Free);
    EXPECT_NE(dynamic_cast<TKelGraphicsContextWin*>(OnBitmap->Context()), nullptr);
    ASSERT_NE(OnBitmap->Bitmap(), nullptr);
    EXPECT_EQ(OnBitmap->Bitmap()->Width(), 30);
    EXPECT_EQ(OnBitmap->Canvas(), OnBitmap->Bitmap()->Canvas());
    EXPECT_EQ(OnBitmap->HighlightColor(), 0);
    EXPECT_EQ(OnBitmap->HighlightTextColor(), 0);
}

TEST(KelGraphics, ChangesOfTheOwnFillStrokeAndFontReachTheContext) {
    TDrawingSurface S;
    TKelGraphics* G = S.Graphics.get();
    G->Fill()->SetColor(Red);
    EXPECT_EQ(G->Canvas()->Brush()->Color(), Red);
    G->Stroke()->SetColor(Blue);
    EXPECT_EQ(G->Canvas()->Pen()->Color(), Blue);
    G->Font()->SetColor(Green);
    EXPECT_EQ(G->Canvas()->Font()->Color(), Green);

    G->SetFillColor(Blue);
    EXPECT_EQ(G->Fill()->Color(), Blue);
    EXPECT_EQ(G->Canvas()->Brush()->Color(), Blue);
    G->SetStrokeWidth(3);
    EXPECT_EQ(G->Stroke()->Width(), 3);
    EXPECT_EQ(G->Canvas()->Pen()->Width(), 3);
    G->SetFontName(u"DejaVu Sans");
    EXPECT_EQ(G->Font()->Name(), u"DejaVu Sans");
    EXPECT_EQ(G->Canvas()->Font()->Name(), u"DejaVu Sans");

    TKelGraphicsFill Fill(gfkSolid, Green);
    G->SetFill(&Fill);
    EXPECT_EQ(G->Fill()->Color(), Green);
    EXPECT_EQ(G->Canvas()->Brush()->Color(), Green);
}

TEST(KelGraphics, AssignAndSavedStates) {
    TDrawingSurface A, B;
    B.Graphics->SetFillColor(Red);
    B.Graphics->SetStrokeKind(gskDash);
    B.Graphics->SetFontSize(14);
    A.Graphics->Assign(B.Graphics.get());
    EXPECT_EQ(A.Graphics->Fill()->Color(), Red);
    EXPECT_EQ(A.Graphics->Stroke()->Kind(), gskDash);
    EXPECT_EQ(A.Graphics->Font()->Size(), 14);
    EXPECT_EQ(A.Surface.Canvas()->Brush()->Color(), Red);
    A.Graphics->Assign(nullptr); // nothing

    TKelGraphicsSaveState* State = A.Graphics->SaveState();
    A.Graphics->SetFillColor(Blue);
    A.Graphics->RestoreState(State);
    EXPECT_EQ(A.Graphics->Fill()->Color(), Red);
    EXPECT_EQ(A.Surface.Canvas()->Brush()->Color(), Red);

    // Canvas only: the fill stays as it was changed.
    State = A.Graphics->SaveState(true);
    A.Graphics->SetFillColor(Blue);
    A.Graphics->RestoreState(State, true);
    EXPECT_EQ(A.Graphics->Fill()->Color(), Blue);
}

struct TShapeRuleCase {
    const char* Name;
    TKelGraphicsFillKind FillKind;
    TColor FillColor;
    TKelGraphicsStrokeKind StrokeKind;
    TColor StrokeColor;
    TColor Inside;  // at (10, 10)
    TColor Outline; // at (2, 2)
};

TEST(KelGraphics, ShapesAreFilledThenOutlinedAsFillAndStrokeAllow) {
    const TShapeRuleCase Cases[] = {
        {"fill and outline", gfkSolid, Red, gskSolid, Blue, Red, Blue},
        {"null fill colour", gfkSolid, gcNull, gskSolid, Blue, clWhite, Blue},
        {"no fill kind", gfkNone, Red, gskSolid, Blue, clWhite, Blue},
        {"null stroke colour", gfkSolid, Red, gskSolid, gcNull, Red, Red},
        {"no stroke kind", gfkSolid, Red, gskNone, Blue, Red, Red},
        {"texture with null colour", gfkTexture, gcNull, gskNone, Blue, Green, Green},
    };
    const auto Texture = SolidPicture(30, 30, Green);
    for (const TShapeRuleCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TDrawingSurface S;
        TKelGraphics* G = S.Graphics.get();
        G->Fill()->SetTexture(Texture.get());
        G->Fill()->SetTextureMode(gtmStretch);
        G->SetFillKind(C.FillKind);
        G->SetFillColor(C.FillColor);
        G->SetStrokeKind(C.StrokeKind);
        G->SetStrokeColor(C.StrokeColor);
        G->DrawRectangle(2.0, 2.0, 18.0, 18.0);
        EXPECT_EQ(S.Pixel(10, 10), C.Inside);
        EXPECT_EQ(S.Pixel(2, 2), C.Outline);
        EXPECT_EQ(S.Pixel(1, 1), clWhite);
    }
}

TEST(KelGraphics, ArcsAndPolylinesAreNeverTextured) {
    TDrawingSurface S;
    TKelGraphics* G = S.Graphics.get();
    const auto Texture = SolidPicture(30, 30, Green);
    G->Fill()->SetTexture(Texture.get());
    G->SetFillKind(gfkTexture);
    G->SetFillColor(gcNull);
    G->SetStrokeKind(gskNone);
    G->DrawArc(PointF(10, 10), PointF(8, 8), 0, 360);
    G->DrawPolyline({PointF(2, 2), PointF(18, 2), PointF(18, 18), PointF(2, 18)});
    EXPECT_EQ(S.Ink(), TRect{});
    // A polygon is.
    G->DrawPolygon({PointF(2, 2), PointF(18, 2), PointF(18, 18), PointF(2, 18)});
    EXPECT_EQ(S.Pixel(10, 10), Green);
}

TEST(KelGraphics, IntegerFormsDrawAndClipLikeTheFloatingPointOnes) {
    TDrawingSurface F, I;
    for (TDrawingSurface* S : {&F, &I}) {
        S->Graphics->SetFillColor(Red);
        S->Graphics->SetStrokeColor(Blue);
    }
    F.Graphics->ClipRect(RectF(0, 0, 12, 20));
    F.Graphics->DrawRectangle(RectF(3, 4, 16, 15));
    F.Graphics->DrawEllipse(RectF(1, 1, 9, 9));
    I.Graphics->ClipRect(Rect(0, 0, 12, 20));
    I.Graphics->DrawRectangle(Rect(3, 4, 16, 15));
    I.Graphics->DrawEllipse(Rect(1, 1, 9, 9));
    EXPECT_EQ(F.Mask(), I.Mask());
    EXPECT_EQ(F.Ink().Right, 12);
}

TEST(KelGraphics, RectangleSidesAndFocusRectangle) {
    TDrawingSurface S;
    S.Graphics->SetFillKind(gfkNone);
    S.Graphics->SetStrokeColor(Blue);
    S.Graphics->DrawRectangle(RectF(2, 2, 18, 18), TKelGraphicsSides{gsTop});
    EXPECT_EQ(S.Ink(), Rect(2, 2, 17, 3)); // the line ends before its end point

    // The focus rectangle draws whatever the stroke says.
    TDrawingSurface Focus;
    Focus.Graphics->SetStrokeKind(gskNone);
    Focus.Graphics->DrawFocusRectangle(RectF(2, 2, 18, 18), Red);
    EXPECT_NE(Focus.Ink(), TRect{});
}

// A 4 x 4 picture, red with a blue top-left pixel, as the fill's texture.
struct TTextureCase {
    const char* Name;
    TKelGraphicsTextureMode Mode;
    TRectF Rect;
    TRect Ink;
};

TEST(KelGraphics, TextureModesPlaceTheTexture) {
    const auto Texture = SolidPicture(4, 4, Red, Rect(0, 0, 1, 1), Blue);
    const TTextureCase Cases[] = {
        {"original", gtmOriginal, RectF(2, 2, 12, 12), Rect(2, 2, 6, 6)},
        {"original, cut by the rectangle", gtmOriginal, RectF(2, 2, 5, 4), Rect(2, 2, 5, 4)},
        {"stretch", gtmStretch, RectF(2, 2, 12, 12), Rect(2, 2, 12, 12)},
        {"fit", gtmFit, RectF(2, 2, 18, 10), Rect(6, 2, 14, 10)},
        {"centre", gtmCenter, RectF(2, 2, 12, 12), Rect(5, 5, 9, 9)},
        // Two and a half widths: three columns, the last one cut at the rectangle.
        {"tile", gtmTile, RectF(2, 2, 12, 6), Rect(2, 2, 12, 6)},
    };
    for (const TTextureCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TDrawingSurface S;
        TKelGraphics* G = S.Graphics.get();
        G->Fill()->SetTexture(Texture.get());
        G->Fill()->SetTextureMode(C.Mode);
        G->SetFillKind(gfkTexture);
        G->SetStrokeKind(gskNone);
        G->DrawRectangle(C.Rect);
        EXPECT_EQ(S.Ink(), C.Ink);
        EXPECT_EQ(S.Pixel(C.Ink.Left, C.Ink.Top), Blue);
    }
}

TEST(KelGraphics, TiledTextureRepeatsAndStaysInsideTheShape) {
    TDrawingSurface S;
    TKelGraphics* G = S.Graphics.get();
    const auto Texture = SolidPicture(4, 4, Red, Rect(0, 0, 1, 1), Blue);
    G->Fill()->SetTexture(Texture.get());
    G->Fill()->SetTextureMode(gtmTile);
    G->SetFillKind(gfkTexture);
    G->SetStrokeKind(gskNone);
    G->DrawRectangle(RectF(2, 2, 12, 6));
    EXPECT_EQ(S.Pixel(6, 2), Blue);
    EXPECT_EQ(S.Pixel(10, 2), Blue);
    EXPECT_EQ(S.Pixel(11, 5), Red);
    EXPECT_EQ(S.Pixel(12, 2), clWhite);
    // The clip is given back afterwards.
    G->SetFillKind(gfkSolid);
    G->SetFillColor(Green);
    G->DrawRectangle(RectF(14, 14, 18, 18));
    EXPECT_EQ(S.Pixel(15, 15), Green);
}

TEST(KelGraphics, HitTests) {
    const TRect R = Rect(0, 0, 10, 10);
    struct {
        TPoint P;
        bool In;
    } const RectCases[] = {
        {{0, 0}, true}, {{9, 9}, true}, {{10, 5}, false}, {{5, 10}, false}, {{-1, 5}, false}};
    for (const auto& C : RectCases) {
        EXPECT_EQ(TKelGraphics::PointInRect(C.P, R), C.In) << C.P.X << "," << C.P.Y;
    }
    EXPECT_FALSE(TKelGraphics::PointInCircle(PointF(5, 5), PointF(5, 5), 0));
    EXPECT_TRUE(TKelGraphics::PointInCircle(PointF(8, 5), PointF(5, 5), 3));
    EXPECT_FALSE(TKelGraphics::PointInCircle(PointF(8.1f, 5), PointF(5, 5), 3));
    const TKelGraphicsPathPolygon Square = {PointF(0, 0), PointF(10, 0), PointF(10, 10), PointF(0, 10)};
    EXPECT_TRUE(TKelGraphics::PointInPolygon(TPoint{5, 5}, Square));
    EXPECT_FALSE(TKelGraphics::PointInPolygon(TPoint{15, 5}, Square));
    TKelGraphicsPath Circle;
    Circle.AddEllipse(RectF(0, 0, 10, 10));
    EXPECT_TRUE(TKelGraphics::PointInPath(PointF(5, 5), &Circle));
    EXPECT_FALSE(TKelGraphics::PointInPath(PointF(0.5f, 0.5f), &Circle));
    EXPECT_FALSE(TKelGraphics::PointInPath(PointF(5, 5), nullptr));
}

TEST(KelGraphics, ColourConversions) {
    EXPECT_EQ(TKelGraphics::HTMLToColor(u"#F80"), TKelGraphics::HTMLToColor(u"#FF8800"));
    EXPECT_EQ(TKelGraphics::HTMLToColor(u"#FF8800"), MakeColor(0xFF, 0x88, 0));
    EXPECT_EQ(TKelGraphics::HTMLToColor(u""), gcNull);
    EXPECT_EQ(TKelGraphics::ColorToHTML(0x0000FF), u"#FF0000");
    EXPECT_EQ(TKelGraphics::ColorToHTML(MakeColor(0x0A, 0xBC, 0xDE)), u"#0ABCDE");
    EXPECT_EQ(TKelGraphics::TextToColor(u"clRed"), TKelGraphics::TextToColor(u"gcRed"));
    EXPECT_EQ(TKelGraphics::TextToColor(u"RED"), TKelGraphics::TextToColor(u"clRed"));
    EXPECT_EQ(TKelGraphics::TextToColor(u"nocolour"), 0);
    EXPECT_EQ(TKelGraphics::GetColorRed(MakeColor(1, 2, 3)), 1);
    EXPECT_EQ(TKelGraphics::GetColorGreen(MakeColor(1, 2, 3)), 2);
    EXPECT_EQ(TKelGraphics::GetColorBlue(MakeColor(1, 2, 3)), 3);
    // A system colour is resolved first.
    EXPECT_EQ(TKelGraphics::GetColorRed(clWindow), TKelGraphics::GetColorRed(ColorToRGB(clWindow)));
}

} // namespace
