// Text on the drawing class: plain text through the context, the switch to
// the markup renderer (a recording stand-in here), placement of a marked-up
// block, minimum sizes, hit tests, the line-by-line shortcut and measuring.

#include "KelDrawingTestSupport.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

struct TRendererCall {
    TKelMarkupTextRequest Request;
};

// Reports every text as XSize x YSize in LineCount lines and, on a hit test
// at (5, 5), a link to "target".
struct TRecordingRenderer {
    static inline std::vector<TKelMarkupTextRequest> Calls;
    static inline Single XSize = 9;
    static inline Single YSize = 9;
    static inline Integer LineCount = 1;

    static void Render(TKelGraphics*, const TKelMarkupTextRequest& ARequest, TKelMarkupTextResult& AResult) {
        Calls.push_back(ARequest);
        AResult.XSize = XSize;
        AResult.YSize = YSize;
        AResult.LineCount = LineCount;
        if (ARequest.HitTest && ARequest.TestPoint.X == 5 && ARequest.TestPoint.Y == 5) {
            AResult.Hit = true;
            AResult.Anchor = u"target";
        }
    }
};

class KelGraphicsText : public ::testing::Test {
protected:
    void SetUp() override {
        TRecordingRenderer::Calls.clear();
        TRecordingRenderer::XSize = 9;
        TRecordingRenderer::YSize = 9;
        TRecordingRenderer::LineCount = 1;
        Previous = KelMarkupTextRenderer();
        SetKelMarkupTextRenderer(&TRecordingRenderer::Render);
        S.Graphics->SetFontName(u"DejaVu Sans");
        S.Graphics->SetFontColor(clBlack);
    }
    void TearDown() override { SetKelMarkupTextRenderer(Previous); }

    TKelMarkupTextRenderer Previous = nullptr;

    std::vector<TKelMarkupTextRequest> Draws() const {
        std::vector<TKelMarkupTextRequest> Result;
        for (const auto& Call : TRecordingRenderer::Calls)
            if (!Call.MeasureOnly) Result.push_back(Call);
        return Result;
    }

    TDrawingSurface S{60, 40};
};

TEST_F(KelGraphicsText, MarkupGoesToTheRendererOnlyWhenAllowed) {
    struct {
        const char* Name;
        String Text;
        bool SupportHTML;
        bool Markup;
    } const Cases[] = {
        {"closing tag", u"<b>x</b>", true, true},
        {"lower-case line break", u"a<br>b", true, true},
        {"self-closing tag", u"a<img/>", true, true},
        {"markup not allowed", u"<b>x</b>", false, false},
        {"plain", u"a < b", true, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TRecordingRenderer::Calls.clear();
        TDrawingSurface Surface(60, 20);
        Surface.Graphics->SetFontName(u"DejaVu Sans");
        Surface.Graphics->SetFontColor(clBlack);
        Surface.Graphics->DrawText(RectF(0, 0, 60, 20), C.Text, false, gtaLeading, gtaLeading, gttNone, 0, -1,
                                   -1, C.SupportHTML);
        EXPECT_EQ(!TRecordingRenderer::Calls.empty(), C.Markup);
        // Plain text (tags included) is drawn by the context.
        EXPECT_EQ(Surface.Ink() != TRect{}, !C.Markup);
    }
}

TEST_F(KelGraphicsText, WithoutARendererMarkupIsDrawnAsPlainText) {
    SetKelMarkupTextRenderer(nullptr);
    S.Graphics->DrawText(RectF(0, 0, 60, 40), u"<b>x</b>");
    EXPECT_NE(S.Ink(), TRect{});
}

TEST_F(KelGraphicsText, OneLineMarkupIsPlacedByTheAlignments) {
    // The block is 10 x 10 (the renderer's size plus 1) in a 60 x 40 rectangle.
    struct {
        TKelGraphicsTextAlign H, V;
        TRectF Expected;
    } const Cases[] = {
        {gtaLeading, gtaLeading, RectF(0, 0, 10, 10)},
        {gtaCenter, gtaCenter, RectF(25, 15, 35, 25)},
        {gtaTrailing, gtaTrailing, RectF(50, 30, 60, 40)},
    };
    for (const auto& C : Cases) {
        TRecordingRenderer::Calls.clear();
        S.Graphics->DrawText(RectF(0, 0, 60, 40), u"<b>x</b>", true, C.H, C.V);
        ASSERT_EQ(Draws().size(), 1u);
        EXPECT_EQ(Draws()[0].Rect, C.Expected);
    }
    // Wrapped into several lines it starts at the rectangle's top-left.
    TRecordingRenderer::Calls.clear();
    TRecordingRenderer::LineCount = 2;
    S.Graphics->DrawText(RectF(0, 0, 60, 40), u"<b>x</b>", true, gtaTrailing, gtaTrailing);
    EXPECT_EQ(Draws()[0].Rect, RectF(0, 0, 60, 40));
}

TEST_F(KelGraphicsText, MinimumHeightGrowsTheRectangleDownwards) {
    S.Graphics->DrawText(RectF(0, 0, 60, 20), u"<b>x</b>", false, gtaLeading, gtaCenter, gttNone, 0, -1, 40);
    EXPECT_EQ(Draws()[0].Rect, RectF(0, 15, 10, 25));
    // The same for plain text: centred in 40 rows instead of 20.
    TDrawingSurface Short(60, 40), Tall(60, 40);
    for (TDrawingSurface* T : {&Short, &Tall})
        T->Graphics->SetFontName(u"DejaVu Sans");
    Short.Graphics->DrawText(RectF(0, 0, 60, 20), u"x", false, gtaLeading, gtaCenter, gttNone, 0, -1, 40);
    Tall.Graphics->DrawText(RectF(0, 0, 60, 40), u"x");
    Tall.Surface.Canvas()->Brush()->SetColor(clWhite);
    Tall.Surface.Canvas()->FillRect(Rect(0, 0, 60, 40));
    Tall.Graphics->DrawText(RectF(0, 0, 60, 40), u"x", false, gtaLeading, gtaCenter);
    EXPECT_EQ(Short.Ink(), Tall.Ink());
}

TEST_F(KelGraphicsText, AnchorHitTestsDrawNothing) {
    String ID, Value, Type;
    EXPECT_EQ(S.Graphics->DrawText(RectF(0, 0, 60, 40), u"<a href=\"target\">x</a>", ID, Value, Type, false,
                                   gtaLeading, gtaLeading, gttNone, 0, -1, -1, true, true, 5, 5),
              u"target");
    EXPECT_TRUE(Draws()[0].HitTest);
    EXPECT_EQ(S.Graphics->DrawText(RectF(0, 0, 60, 40), u"<a href=\"target\">x</a>", false, gtaLeading,
                                   gtaLeading, gttNone, 0, -1, -1, true, true, 30, 30),
              u"");
    EXPECT_EQ(S.Graphics->DrawText(RectF(0, 0, 60, 40), u"plain", false, gtaLeading, gtaLeading, gttNone, 0,
                                   -1, -1, true, true, 5, 5),
              u"");
    EXPECT_EQ(S.Ink(), TRect{});
}

TEST_F(KelGraphicsText, OptimizedDrawingSplitsAtSelfClosingLineBreaks) {
    S.Graphics->SetOptimizedHTMLDrawing(true);
    const String Text = u"<b>a</b><BR/><b>b</b><BR/><b>c</b>";
    S.Graphics->DrawText(RectF(0, 0, 60, 40), Text);
    const auto Lines = Draws();
    ASSERT_EQ(Lines.size(), 3u);
    EXPECT_EQ(Lines[0].Text, u"<b>a</b>");
    EXPECT_EQ(Lines[2].Text, u"<b>c</b>");
    // Each line measured as 9 x 10 from the running top, drawn one unit wider.
    EXPECT_EQ(Lines[0].Rect.Width(), 10);
    EXPECT_EQ(Lines[1].Rect.Top, 10);
    EXPECT_EQ(S.Graphics->CalculateText(Text, RectF(0, 0, 60, 40)), RectF(0, 0, 60, 30));

    TRecordingRenderer::Calls.clear();
    S.Graphics->DrawText(RectF(0, 0, 60, 40), u"<b>a</b><br><b>b</b>");
    ASSERT_EQ(Draws().size(), 1u);
    EXPECT_EQ(Draws()[0].Text, u"<b>a</b><br><b>b</b>");
}

TEST_F(KelGraphicsText, Measuring) {
    EXPECT_EQ(S.Graphics->CalculateText(u"", RectF(5, 6, 50, 30)), RectF(5, 6, 5, 6));
    EXPECT_EQ(S.Graphics->CalculateText(u"text", RectF(5, 6, 5.4f, 30)).Height(), 0);
    const TRectF Context = S.Graphics->Context()->CalculateText(u"text", RectF(0, 0, 100, 100), false);
    const TRectF Measured = S.Graphics->CalculateText(u"text", RectF(0, 0, 100, 100));
    EXPECT_EQ(Measured.Height(), Context.Height() + 1);
    EXPECT_EQ(Measured.Width(), Context.Width());
    EXPECT_EQ(S.Graphics->CalculateTextSize(u"text").cx, Measured.Width());
    EXPECT_EQ(S.Graphics->CalculateTextInt(u"text"), RectFToRect(Measured));
    // Marked-up text: the renderer's size, one unit taller.
    EXPECT_EQ(S.Graphics->CalculateText(u"<b>x</b>", RectF(0, 0, 100, 100)), RectF(0, 0, 9, 10));
}

} // namespace
