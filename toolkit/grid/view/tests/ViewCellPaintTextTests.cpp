// The text step of the cell painter: lines, placeholders, scrolling, the
// search highlight's cells, the sort indicator's anchor and rich text.

#include "ViewTestSupport.h"

#include "graphics/Graphic.h"
#include "grid/RtfToText.h"

namespace {

class CellTextTest : public GridFormTest<TCellPaintGrid> {
protected:
    // The ink of one cell painted alone on a white bitmap.
    TRect PaintedInk(Integer ACol, Integer ARow, const TRect& R, TGridDrawState State = TGridDrawState()) {
        TBitmap* Bmp = WhiteCanvasBitmap(R.Right + 10, R.Bottom + 10);
        Bmp->Canvas()->Font()->Assign(Grid->Font());
        Grid->DrawCellContent(Bmp->Canvas(), ACol, ARow, R, State);
        const TRect Box = CellInkBox(Bmp);
        Free(Bmp);
        return Box;
    }
};

} // namespace

TEST_F(CellTextTest, ALineBreakShowsOnlyTheFirstLineUnlessMultilineOrWordWrap) {
    Grid->SetWordWrap(false);
    Grid->SetCells(1, 1, u"Hg");
    const TRect One = PaintedInk(1, 1, TRect(0, 0, 80, 60));
    Grid->SetCells(1, 1, u"Hg\r\nHg");
    EXPECT_EQ(PaintedInk(1, 1, TRect(0, 0, 80, 60)), One);
    Grid->SetMultilinecells(true);
    const TRect Two = PaintedInk(1, 1, TRect(0, 0, 80, 60));
    EXPECT_EQ(Two.Top, One.Top);
    EXPECT_GT(Two.Bottom, One.Bottom + (One.Bottom - One.Top) / 2);
    Grid->SetMultilinecells(false);
    Grid->SetWordWrap(true);
    EXPECT_GT(PaintedInk(1, 1, TRect(0, 0, 80, 60)).Bottom, One.Bottom + (One.Bottom - One.Top) / 2);
}

TEST_F(CellTextTest, EnhTextSizeEndsATooWideLeftAlignedTextWithAnEllipsis) {
    Grid->SetWordWrap(false);
    Grid->SetCells(1, 1, u"HHHHHHHHHHHHHHHHHHHHHHHH");
    const TRect Cell(0, 0, 80, 30);
    // The rightmost ink in the upper half of the letters: an ellipsis has
    // its dots on the base line only.
    auto UpperRight = [&]() {
        TBitmap* Bmp = WhiteCanvasBitmap(90, 40);
        Bmp->Canvas()->Font()->Assign(Grid->Font());
        Grid->DrawCellContent(Bmp->Canvas(), 1, 1, Cell, TGridDrawState());
        const TRect Ink = CellInkBox(Bmp);
        Integer Right = -1;
        for (Integer y = Ink.Top; y < Ink.Top + (Ink.Bottom - Ink.Top) / 2; ++y)
            for (Integer x = 0; x < 90; ++x)
                if (Bmp->Canvas()->Pixels(x, y) != clWhite) Right = std::max(Right, x);
        Free(Bmp);
        return std::pair{Right, Ink.Right};
    };
    const auto [CutUpper, CutRight] = UpperRight();
    EXPECT_GE(CutUpper, CutRight - 3);
    EXPECT_LT(CutRight, Cell.Right);
    Grid->SetEnhTextSize(true);
    const auto [EllipsisUpper, EllipsisRight] = UpperRight();
    EXPECT_LT(EllipsisUpper, EllipsisRight - 4);
    EXPECT_LT(EllipsisRight, Cell.Right);
}

TEST_F(CellTextTest, AnEmptyFilterEditCellShowsTheTypeNameInGrey) {
    Grid->SetFixedRows(1);
    Grid->FilterEdit()->SetEnabled(true);
    Grid->FilterEdit()->SetRow(1);
    for (const char16_t* Name : {u"Starts", u"Ends", u"Contains"}) Grid->FilterEdit()->TypeNames()->Add(Name);
    // Whether the text part of the cell (right of the 18 pixels of the
    // filter type's glyph) shows ink, and ink darker than mid grey.
    auto Paint = [&](bool& Ink, bool& Dark) {
        TBitmap* Bmp = WhiteCanvasBitmap(90, 30);
        Bmp->Canvas()->Font()->Assign(Grid->Font());
        Grid->DrawCellContent(Bmp->Canvas(), 1, 1, TRect(0, 0, 90, 30), TGridDrawState());
        Ink = Dark = false;
        for (Integer y = 0; y < 30; ++y)
            for (Integer x = 2 + 18; x < 90; ++x) {
                const TColor P = Bmp->Canvas()->Pixels(x, y);
                Ink |= P != clWhite;
                Dark |= (P & 0xFF) < 0x80 || ((P >> 8) & 0xFF) < 0x80 || ((P >> 16) & 0xFF) < 0x80;
            }
        Free(Bmp);
    };
    bool Ink = false, Dark = false;
    Paint(Ink, Dark);
    EXPECT_TRUE(Ink);
    EXPECT_FALSE(Dark);
    // A typed condition is drawn in black.
    Grid->SetCells(1, 1, u"abc");
    Paint(Ink, Dark);
    EXPECT_TRUE(Dark);
}

TEST_F(CellTextTest, AScrolledCellShowsItsTextHigherClippedToTheCell) {
    Grid->SetWordWrap(false);
    Grid->SetCells(1, 1, u"Hg");
    const TRect Cell(0, 20, 80, 60);
    const TRect Plain = PaintedInk(1, 1, Cell);
    Grid->AddScrollBar(1, 1, false);
    Grid->SetScrollProp(1, 1, TScrollProp{100, 100});
    Grid->SetScrollPosition(1, 1, 10);
    const TRect Scrolled = PaintedInk(1, 1, Cell);
    EXPECT_EQ(Scrolled.Bottom, Plain.Bottom - 10);
    EXPECT_GE(Scrolled.Top, Cell.Top);
}

TEST_F(CellTextTest, SearchHighlightOnlyInNormalCells) {
    Grid->SetColCount(6);
    Grid->SetRowCount(6);
    Grid->SetFixedCols(1);
    Grid->SetFixedRows(1);
    Grid->SetFixedFooters(1);
    Grid->SetFixedRightCols(1);
    struct Case {
        Integer SearchCol, Col, Row;
        bool Marked;
    } Cases[] = {{-1, 2, 2, true}, {-1, 0, 2, false}, {-1, 2, 0, false}, {-1, 2, 5, false},
                 {-1, 5, 2, false}, {3, 3, 2, true}, {3, 2, 2, false}, {3, 3, 0, false}};
    for (const Case& T : Cases) {
        Grid->SearchFooter()->SetSearchColumn(T.SearchCol);
        EXPECT_EQ(Grid->SearchHighlightCell(T.Col, T.Row), T.Marked) << T.SearchCol << " " << T.Col << " " << T.Row;
    }
}

TEST_F(CellTextTest, TheSortIndicatorOfACentredHeaderSitsEightPixelsFromTheLeft) {
    Grid->SetLook(glStandard);
    Grid->SetFixedRows(1);
    Grid->SetRowCount(5);
    Grid->SetDefaultAlignment(taCenter);
    Grid->SortSettings()->SetShow(true);
    Grid->SortSettings()->SetColumn(1);
    // With the grid line the text rectangle starts at 1: the 8-pixel wide
    // triangle is centred at 1 + 8.
    const TRect Ink = PaintedInk(1, 0, TRect(0, 0, 80, 20), TGridDrawState({gdFixed}));
    EXPECT_EQ(Ink.Left, 1 + 8 - 4);
    EXPECT_EQ(Ink.Right, 1 + 8 + 4);
    // Other columns show none.
    EXPECT_LT(PaintedInk(2, 0, TRect(0, 0, 80, 20), TGridDrawState({gdFixed})).Right, 0);
}

TEST_F(CellTextTest, RichTextCellsDrawTheirTextInsideTheCell) {
    Grid->SetCells(1, 1, u"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hello\\par}");
    const TRect Ink = PaintedInk(1, 1, TRect(10, 10, 70, 40));
    EXPECT_GE(Ink.Left, 10);
    EXPECT_GE(Ink.Top, 10);
    EXPECT_LT(Ink.Right, 70);
    EXPECT_LT(Ink.Bottom, 40);
    EXPECT_GT(Ink.Right, Ink.Left + 10);
}

TEST(RtfToTextTest, PlainTextOfRichText) {
    EXPECT_EQ(RtfToText(u"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}"
                        u"\\f0\\b Bold\\b0  and \\cf1 red\\par second\\'e9}"),
              u"Bold and red\r\nsecond\u00e9");
    EXPECT_EQ(RtfToText(u"not rich"), u"not rich");
    EXPECT_EQ(RtfToText(u""), u"");
}
