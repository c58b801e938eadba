// Where a cell's object sits in its cell and how the kinds are drawn.

#include "ViewTestSupport.h"

#include "graphics/Graphic.h"

#include <functional>

using namespace ZirOvararIzaz;

namespace {

// The cell (10, 20) - (70, 50); with the default XYOffset of 2 the object
// room is (11, 21) - (69, 49).
const TRect Cell(10, 20, 70, 50);

TCellObjectContext ContextFor(TCanvas* Cv, Integer ACol, Integer ARow, Integer W, Integer H) {
    TCellObjectContext C;
    C.Canvas = Cv;
    C.Col = C.RealCol = ACol;
    C.Row = ARow;
    C.CellRect = Cell;
    C.ObjectWidth = W;
    C.ObjectHeight = H;
    return C;
}

struct TCanvasShot {
    TBitmap Bmp;
    TCanvasShot() {
        Bmp.SetSize(100, 80);
        Bmp.Canvas()->Brush()->SetColor(clFuchsia);
        Bmp.Canvas()->FillRect(TRect(0, 0, 100, 80));
    }
    TCanvas* Cv() { return Bmp.Canvas(); }
    TColor At(Integer X, Integer Y) { return Bmp.Canvas()->Pixels(X, Y); }
    Integer TopOfDrawing() {
        for (Integer y = 0; y < 80; ++y)
            for (Integer x = 0; x < 100; ++x)
                if (At(x, y) != clFuchsia) return y;
        return -1;
    }
};

} // namespace

TEST_F(ViewTest, AButtonIsPlacedByItsAlignmentsAndKeepsItsOffsetInTheCell) {
    struct TCase {
        TCellHAlign HA;
        TCellVAlign VA;
        Integer W, H, Dx, Dy;
    };
    const TCase Cases[] = {
        {haLeft, vaTop, 20, 10, 2, 2},
        {haRight, vaBottom, 20, 10, 38, 18},   // 69 - 1 - 20, 49 - 1 - 10
        {haCenter, vaCenter, 20, 10, 20, 10},  // 11 + (58 - 20) / 2, 21 + (28 - 10) / 2
        {haCenter, vaCenter, 80, 40, 2, 2},    // wider and higher than the room: at left + 1, top + 1
        {haCenter, vaUnderText, 20, 10, 20, 19},  // under the text: 49 - 10
    };
    Grid->AddButton(1, 1, 20, 10, u"Go", haLeft, vaTop);
    TCellGraphic* G = Grid->GetCellGraphic(1, 1);
    ASSERT_NE(G, nullptr);
    for (const TCase& C : Cases) {
        TCanvasShot Shot;
        G->SetCellHAlign(C.HA);
        G->SetCellVAlign(C.VA);
        G->SetCellValue(0);
        Grid->DrawCellObject(Cell, G, vtaTop, ContextFor(Shot.Cv(), 1, 1, C.W, C.H));
        EXPECT_EQ(G->CellValue(), C.Dy * 65536 + C.Dx) << C.HA << " " << C.VA << " " << C.W;
    }
}

TEST_F(ViewTest, ACheckBoxFollowsTheCellsBottomAlignmentOverItsOwn) {
    Grid->ControlLook()->SetControlStyle(csWinXP);
    Grid->AddCheckBox(1, 1, true, false);
    TCellGraphic* G = Grid->GetCellGraphic(1, 1);
    G->SetCellVAlign(vaCenter);
    ASSERT_EQ(Grid->VAlignment(), vtaTop);
    TCanvasShot Bottom, Own;
    Grid->DrawCellObject(Cell, G, vtaBottom, ContextFor(Bottom.Cv(), 1, 1, 16, 16));
    Grid->DrawCellObject(Cell, G, vtaTop, ContextFor(Own.Cv(), 1, 1, 16, 16));
    // The pictures leave their top row to the background.
    EXPECT_EQ(Bottom.TopOfDrawing(), 49 - 1 - 16 + 1);
    EXPECT_EQ(Own.TopOfDrawing(), 21 + (28 - 16) / 2 + 1);
}

TEST_F(ViewTest, ARatingOfTwoPointSevenShowsTwoFullOneHalfAndTwoEmptyStars) {
    Grid->AddRating(1, 1, 5, clRed, clSilver);
    Grid->SetFloats(1, 1, 2.7);
    TCellGraphic* G = Grid->GetCellGraphic(1, 1);
    TCanvasShot Shot;
    const TRect Wide(0, 20, 100, 50);
    TCellObjectContext C = ContextFor(Shot.Cv(), 1, 1, 90, 16);
    C.CellRect = Wide;
    G->SetCellHAlign(haLeft);
    Grid->DrawCellObject(Wide, G, vtaTop, C);
    // Stars from x = 0 + 2 every 18 pixels, 16 x 16 from y = 22.
    for (Integer i = 0; i < 5; ++i) {
        const Integer X = 2 + 18 * i, Y = 22;
        const TColor Left = Shot.At(X + 5, Y + 9), Right = Shot.At(X + 11, Y + 9);
        EXPECT_EQ(Left, i < 3 ? clRed : clSilver) << i;
        EXPECT_EQ(Right, i < 2 ? clRed : clSilver) << i;
    }
}

TEST_F(ViewTest, AProgressBarHoldsItsValueWithinTheRange) {
    Grid->AddProgress(1, 1, clBlue, clYellow);
    TCellGraphic* G = Grid->GetCellGraphic(1, 1);
    for (double Value : {150.0, -5.0}) {
        Grid->SetFloats(1, 1, Value);
        TCanvasShot Shot;
        Grid->DrawCellObject(Cell, G, vtaTop, ContextFor(Shot.Cv(), 1, 1, 0, 0));
        const TColor Expected = Value > 0 ? clBlue : clYellow;
        EXPECT_EQ(Shot.At(16, 35), Expected) << Value;  // near the left end
        EXPECT_EQ(Shot.At(63, 35), Expected) << Value;  // near the right end
    }
}

TEST_F(ViewTest, TheExpandChevronPointsUpWhileCollapsed) {
    Grid->AddExpand(1, 1, 80);
    TCellGraphic* G = Grid->GetCellGraphic(1, 1);
    // The room's top-right corner is (69, 21).
    for (Integer Expanded : {0, 1}) {
        G->SetCellVar(Expanded);
        TCanvasShot Shot;
        Grid->DrawCellObject(Cell, G, vtaTop, ContextFor(Shot.Cv(), 1, 1, 13, 13));
        EXPECT_EQ(Shot.At(69 - 7, 21 + 5) == clBlack, Expanded == 0) << Expanded;
        EXPECT_EQ(Shot.At(69 - 7, 21 + 8) == clBlack, Expanded == 1) << Expanded;
    }
    // The button stands in the room's top-right 13 x 13 square.
    EXPECT_EQ(G->CellValue(), 1 * 65536 + (69 - 13 - 10));
}

TEST_F(ViewTest, ACommentedObjectShowsTheCommentTriangle) {
    Grid->AddCheckBox(1, 1, false, false);
    TCellGraphic* G = Grid->GetCellGraphic(1, 1);
    TCanvasShot Plain;
    Grid->DrawCellObject(Cell, G, vtaTop, ContextFor(Plain.Cv(), 1, 1, 16, 16));
    G->SetCellComment(u"note");
    TCanvasShot Marked;
    Grid->DrawCellObject(Cell, G, vtaTop, ContextFor(Marked.Cv(), 1, 1, 16, 16));
    // The triangle's right-angle corner: (right + 2 - 3, top - 2 + 1) of the room.
    EXPECT_EQ(Plain.At(69 + 2 - 4, 21 - 2 + 2), clFuchsia);
    EXPECT_EQ(Marked.At(69 + 2 - 4, 21 - 2 + 2), Grid->ControlLook()->CommentColor());
}

TEST(ViewClampPercent, HoldsValuesWithinZeroAndAHundred) {
    EXPECT_EQ(TZirOvararIzaz::ClampPercent(150), 100);
    EXPECT_EQ(TZirOvararIzaz::ClampPercent(-5), 0);
    EXPECT_EQ(TZirOvararIzaz::ClampPercent(42.5), 42.5);
}

TEST(ViewRotatedText, TheStartPointLiesWhereTheTurnedTextBegins) {
    // A 40 x 10 text in a 100 x 100 box placed at the top-left.
    const TRect R(0, 0, 100, 100);
    // The projections of a 40 x 10 text at 0, 90, 180 and 270 degrees.
    struct TCase {
        Integer Angle, A, B, S1, C2, X, Y;
    };
    for (TCase C : {TCase{0, 0, 40, 0, 10, 0, 0}, TCase{90, 10, 0, 40, 0, 0, 40}, TCase{180, 0, 40, 0, 10, 40, 10},
                    TCase{270, 10, 0, 40, 0, 10, 0}})
        EXPECT_EQ(PositionRotatedText(R, taLeftJustify, vtaTop, C.A, C.B, C.S1, C.C2, C.Angle), TPoint(C.X, C.Y))
            << C.Angle;
}

TEST_F(ViewTest, NodeGlyphsShowTheirStateInEveryPictureType) {
    Grid->SetRowCount(6);
    Grid->AddNode(1, 3);
    TCellGraphic* G = Grid->GetCellGraphic(0, 1);
    ASSERT_NE(G, nullptr);
    for (TNodeType Type : {cnXP, cnLeaf, cnFlat, cn3D}) {
        Grid->CellNode()->SetNodeType(Type);
        auto Draw = [&](bool Contracted) {
            G->SetCellBoolean(Contracted);
            auto Shot = std::make_unique<TCanvasShot>();
            Grid->DrawCellObject(Cell, G, vtaTop, ContextFor(Shot->Cv(), 0, 1, 0, 0));
            std::vector<TColor> Px;
            for (Integer y = 0; y < 80; ++y)
                for (Integer x = 0; x < 100; ++x) Px.push_back(Shot->At(x, y));
            return Px;
        };
        const auto Open = Draw(false), Closed = Draw(true);
        EXPECT_NE(Open, Closed) << Type;
        EXPECT_NE(std::count(Closed.begin(), Closed.end(), clFuchsia), Integer(Closed.size())) << Type;
    }
}
