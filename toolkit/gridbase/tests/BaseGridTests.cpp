// The base grid: merge encoding and queries, accessors and their side
// effects, wide texts, display events, clearing and ownership, geometry,
// painting merged areas once per cycle, grid lines and navigation.

#include "BaseGridTestSupport.h"
#include "graphics/Graphic.h"
#include "rtl/Encoding.h"
#include "windowing/Input.h"

namespace {

// The string grid's cell graphic: the grid owns it.
class TCellGraphic : public TObject {
    RTL_CLASS(TCellGraphic)
public:
    explicit TCellGraphic(bool* AFreed) : Freed(AFreed) {}
    ~TCellGraphic() override { *Freed = true; }
    bool* Freed;
};

class TOtherGraphic : public TObject {
    RTL_CLASS(TOtherGraphic)
public:
    explicit TOtherGraphic(bool* AFreed) : Freed(AFreed) {}
    ~TOtherGraphic() override { *Freed = true; }
    bool* Freed;
};

} // namespace

const TClassInfo& TCellGraphic::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCellGraphic, TObject>().Build();
    return Info;
}
const TClassInfo& TOtherGraphic::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TOtherGraphic, TObject>().Build();
    return Info;
}

namespace {

TEST_F(BaseGridTest, MergeEncodingAndQueries) {
    Grid->MergeCells(2, 0, 3, 1);
    EXPECT_EQ(Grid->MergeCount(), 1);
    const struct {
        Integer Col, Row;
        bool Base;
        Integer SpanX, SpanY;
    } Records[] = {{2, 0, true, 2, 0}, {3, 0, false, 1, 0}, {4, 0, false, 2, 0}};
    for (const auto& R : Records) {
        TCellProperties* P = Grid->GetRawObject(R.Col, R.Row);
        ASSERT_NE(P, nullptr);
        EXPECT_EQ(P->IsBaseCell(), R.Base);
        EXPECT_EQ(P->CellSpanX(), R.SpanX) << R.Col;
        EXPECT_EQ(P->CellSpanY(), R.SpanY);
    }
    EXPECT_TRUE(Grid->CellSpan(3, 0) == (TPoint{2, 0}));
    EXPECT_TRUE(Grid->BaseCell(4, 0) == (TPoint{2, 0}));
    EXPECT_TRUE(Grid->CellExt(3, 0) == (TPoint{1, 0}));
    EXPECT_TRUE(Grid->IsXMergedCell(4, 0));
    EXPECT_FALSE(Grid->IsYMergedCell(4, 0));
    EXPECT_TRUE(Grid->IsMergedNonBaseCell(3, 0));
    EXPECT_FALSE(Grid->IsMergedNonBaseCell(2, 0));
    EXPECT_FALSE(Grid->IsMergedCell(5, 0));
    Integer BC = 0, BR = 0;
    EXPECT_FALSE(Grid->ResolveBaseCell(4, 0, BC, BR));
    EXPECT_EQ(BC, 2);

    // Cells of a covered cell is the base cell's text; GridCells its own.
    Grid->SetCells(4, 0, u"caption");
    EXPECT_EQ(Grid->Cells(3, 0), u"caption");
    EXPECT_EQ(Grid->GridCells(2, 0), u"caption");
    EXPECT_EQ(Grid->GridCells(4, 0), u"");

    Grid->SplitCells(3, 0);
    EXPECT_EQ(Grid->MergeCount(), 0);
    EXPECT_FALSE(Grid->IsMergedCell(2, 0));
    EXPECT_TRUE(Grid->IsBaseCell(4, 0));
}

TEST_F(BaseGridTest, DegenerateMergesSplitsAndCollapsedRows) {
    Grid->MergeCells(1, 1, 0, 2);
    EXPECT_EQ(Grid->MergeCount(), 1);
    EXPECT_FALSE(Grid->HasCellProperties(1, 1));
    Grid->SplitCells(6, 6); // unmerged: a record, and the count still drops
    EXPECT_TRUE(Grid->HasCellProperties(6, 6));
    EXPECT_EQ(Grid->MergeCount(), 0);

    Grid->MergeCells(1, 2, 2, 3);
    EXPECT_TRUE(Grid->BaseCell(2, 4) == (TPoint{1, 2}));
    Grid->GetRawObject(2, 4)->SetMergeCollaps(true);
    EXPECT_TRUE(Grid->BaseCell(2, 4) == (TPoint{1, 4})); // resolves within its own row

    // A merge beyond the grid is clipped to it.
    Grid->MergeCells(8, 8, 5, 5);
    EXPECT_TRUE(Grid->CellSpan(8, 8) == (TPoint{1, 1}));
    EXPECT_TRUE(Grid->BaseCell(9, 9) == (TPoint{8, 8}));
}

TEST_F(BaseGridTest, AccessorsAndTheirSideEffects) {
    Grid->SetColor(0x123456);
    EXPECT_FALSE(Grid->HasCellProperties(3, 3));
    EXPECT_EQ(Grid->Objects(3, 3), nullptr);
    EXPECT_FALSE(Grid->HasCellProperties(3, 3)); // reads never create a record

    TCellProperties* P = Grid->CellProperties(3, 3);
    ASSERT_NE(P, nullptr);
    EXPECT_EQ(P->BrushColor(), 0x123456);
    EXPECT_EQ(P->Alignment(), taLeftJustify);
    EXPECT_EQ(P->VAlignment(), vtaTop);
    EXPECT_TRUE(P->WordWrap());
    EXPECT_EQ(P->CellSpanX(), -1);
    EXPECT_EQ(P->BrushColorTo(), clNone);
    EXPECT_TRUE(Grid->HasCellProps());

    TObject Tag;
    Grid->SetObjects(5, 5, &Tag);
    EXPECT_EQ(Grid->Objects(5, 5), &Tag);
    EXPECT_EQ(Grid->GridCells(5, 5), u""); // the text stays empty

    // Outside the grid: empty reads, ignored writes, no records.
    Grid->SetCells(10, 2, u"x");
    Grid->SetCells(-1, 2, u"x");
    EXPECT_EQ(Grid->Cells(10, 2), u"");
    EXPECT_EQ(Grid->Cells(2, 99), u"");
    EXPECT_EQ(Grid->CellProperties(10, 0), nullptr);
    EXPECT_FALSE(Grid->HasCellProperties(-1, 0));
}

TEST_F(BaseGridTest, WideCellTextRoundTrips) {
    const String Wide = u"\u20AC a \u03A9 \U0001F600 |\\";
    const String Encoded = EncodeWideCellText(Wide);
    EXPECT_TRUE(Encoded.starts_with(u"|\\"));
    EXPECT_EQ(Encoded.size(), 2 + 2 * Wide.size());
    EXPECT_EQ(Encoded[2], Char(0x20));
    EXPECT_EQ(Encoded[3], Char(0xAC));
    EXPECT_EQ(DecodeWideCellText(Encoded), Wide);
    EXPECT_EQ(DecodeWideCellText(u"plain"), u"plain");
    EXPECT_EQ(DecodeWideCellText(String(u"|\\") + Char(0) + Char(65) + Char(1)), u"A"); // odd last char
}

TEST_F(BaseGridTest, DisplayEventsOnlyForNormalRows) {
    Grid->SetCells(1, 1, u"raw");
    Grid->OnGetDisplText = [](TObject*, Integer, Integer, String& Value) { Value += u"!"; };
    EXPECT_EQ(Grid->Cells(1, 1), u"raw"); // a bare grid has no normal rows
    Grid->SetNormalRowCount(2);
    EXPECT_EQ(Grid->Cells(1, 1), u"raw!");
    EXPECT_EQ(Grid->Cells(1, 2), u"");
    Grid->OnGetDisplWideText = [](TObject*, Integer, Integer, String& Value) { Value = u"<" + Value + u">"; };
    EXPECT_EQ(DecodeWideCellText(Grid->Cells(1, 1)), u"<raw!>");
}

TEST_F(BaseGridTest, HiddenLastRowWritesAreReported) {
    Grid->SetHideLastRow(true);
    Grid->SetCells(2, 9, u"footer");
    Grid->SetCells(2, 8, u"data");
    EXPECT_EQ(Grid->HiddenRowChanges, 1);
}

TEST_F(BaseGridTest, ClearingFreesOwnedGraphicsOnEveryPath) {
    bool OwnedFreed = false, OtherFreed = false, ByClearFreed = false, ReplacedFreed = false;
    Grid->SetGraphicObjects(1, 1, new TCellGraphic(&OwnedFreed));
    Grid->SetGraphicObjects(2, 1, new TOtherGraphic(&OtherFreed));
    Grid->SetGraphicObjects(3, 1, new TCellGraphic(&ByClearFreed));
    EXPECT_EQ(Grid->GridCells(1, 1), u""); // the text stays empty
    EXPECT_NE(Grid->GraphicObjects(1, 1), nullptr);

    Grid->ClearCellProps(3, 1);
    EXPECT_TRUE(ByClearFreed);
    EXPECT_FALSE(Grid->HasCellProperties(3, 1));

    TObject* Other = Grid->GraphicObjects(2, 1);
    Grid->ClearCellPropsRange(0, 0, 9, 9);
    EXPECT_TRUE(OwnedFreed);
    EXPECT_FALSE(OtherFreed); // belongs to whoever assigned it
    delete Other;

    Grid->SetGraphicObjects(4, 4, new TCellGraphic(&ReplacedFreed));
    Grid->SetCellProperties(4, 4, nullptr);
    EXPECT_TRUE(ReplacedFreed);

    // ClearCell empties the slot without freeing the record, which moved elsewhere.
    TCellProperties* Moved = Grid->CellProperties(6, 6);
    Grid->ClearCell(6, 6);
    EXPECT_FALSE(Grid->HasCellProperties(6, 6));
    Free(Moved);
}

TEST_F(BaseGridTest, GeometryAtWidthsAndScrollPositions) {
    Grid->SetColWidths(1, 30);
    Grid->SetRowHeights(1, 10);
    // Unscrolled: the sums of widths and heights.
    TRect R = Grid->GetVirtualCellRect(2, 2);
    EXPECT_EQ(R.Left, 50 + 30);
    EXPECT_EQ(R.Top, 20 + 10);
    EXPECT_EQ(R.Right - R.Left, 50);

    Grid->MergeCells(2, 2, 2, 2);
    const TRect M = Grid->CellRect(3, 3);
    EXPECT_EQ(M.Left, 80);
    EXPECT_EQ(M.Right, 180);
    EXPECT_EQ(M.Top, 30);
    EXPECT_EQ(M.Bottom, 70);
    const TPoint Size = Grid->CellSize(2, 2);
    EXPECT_EQ(Size.X, 100);
    EXPECT_EQ(Size.Y, 40);

    // Scrolled by one column: scrollable cells move left, fixed ones stay.
    Show();
    Grid->SetLeftCol(2);
    R = Grid->GetVirtualCellRect(3, 1);
    const TRect Platform = Grid->TStringGrid::CellRect(3, 1);
    EXPECT_EQ(R.Left, Platform.Left);
    EXPECT_EQ(Grid->GetVirtualCellRect(0, 1).Left, 0);
    EXPECT_LT(Grid->GetVirtualCellRect(1, 1).Left, Grid->GetVirtualCellRect(0, 1).Right);
}

TEST_F(BaseGridTest, MergedAreaPaintedOncePerCycle) {
    Grid->MergeCells(1, 1, 3, 2);
    Show();
    Grid->Drawn.clear();
    Grid->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ((Grid->Drawn[{1, 1}]), 1);
    EXPECT_EQ((Grid->Drawn[{2, 1}]), 0);
    EXPECT_EQ((Grid->Drawn[{3, 2}]), 0);
    // The content spans the whole area (inside the grid lines).
    const TRect Content = Grid->LastContent[{1, 1}];
    EXPECT_EQ(Content.Right - Content.Left, 150 - 2);
    EXPECT_EQ(Content.Bottom - Content.Top, 40 - 2);
    // Scrolled so that the base cell is out of view, the area still paints once.
    Grid->SetTopRow(2);
    Grid->Drawn.clear();
    Grid->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ((Grid->Drawn[{1, 1}]), 1);
}

TEST_F(BaseGridTest, HiddenLastRowPaintsAPlainRectangle) {
    Grid->SetRowCount(3);
    Grid->SetHideLastRow(true);
    Show();
    Grid->Drawn.clear();
    Grid->Invalidate();
    Application->ProcessMessages();
    EXPECT_EQ((Grid->Drawn[{1, 1}]), 1);
    EXPECT_EQ((Grid->Drawn[{1, 2}]), 0);
}

TEST_F(BaseGridTest, GridLinesAtWidthsZeroOneAndTwo) {
    Grid->SetOptions({goVertLine, goHorzLine, goFixedVertLine, goFixedHorzLine});
    Grid->SetColor(clWhite);
    const struct {
        Integer Width;
        TColor AtEdge;
    } Cases[] = {{0, clWhite}, {1, 0xC0C0C0}, {2, 0xC0C0C0}};
    for (const auto& C : Cases) {
        Grid->SetGridLineWidth(C.Width);
        TBitmap Bitmap;
        Bitmap.SetSize(200, 100);
        TCanvas* Canvas = Bitmap.Canvas();
        Canvas->Brush()->SetColor(clBlack);
        Canvas->FillRect({0, 0, 200, 100});
        // Where the cell lies, right of the fixed column and below the fixed row.
        const TRect Cell{100, 40, 150, 60};
        // The platform's paint hands every cell the grid's colour as brush.
        Canvas->Brush()->SetColor(clWhite);
        Grid->PaintCellExt(Canvas, 2, 2, Cell, {});
        // The vertical and horizontal lines lie one pixel inside the right and
        // bottom edges; with width 0 the background shows there.
        EXPECT_EQ(ColorToRGB(Canvas->Pixels(149, 50)), C.AtEdge) << "width " << C.Width;
        EXPECT_EQ(ColorToRGB(Canvas->Pixels(120, 59)), C.AtEdge) << "width " << C.Width;
        EXPECT_EQ(ColorToRGB(Canvas->Pixels(120, 50)), clWhite);
        EXPECT_EQ(ColorToRGB(Canvas->Pixels(147, 50)), clWhite); // a 2-pixel line stays within 148..149
    }
    // The content rectangle shrinks by the line width on each side.
    Grid->SetGridLineWidth(2);
    Show();
    Grid->Invalidate();
    Application->ProcessMessages();
    const TRect Content = Grid->LastContent[{2, 2}];
    const TRect Cell = Grid->CellRect(2, 2);
    EXPECT_EQ(Content.Left, Cell.Left + 2);
    EXPECT_EQ(Content.Bottom, Cell.Bottom - 2);
}

TEST_F(BaseGridTest, KeysStepOverMergedAreas) {
    Grid->MergeCells(2, 2, 2, 2);
    Show();
    Grid->SetCol(1);
    Grid->SetRow(2);
    const struct {
        Word Key;
        Integer Col, Row;
    } Steps[] = {
        {winapi::VK_RIGHT, 2, 2}, // into the area: its base cell
        {winapi::VK_RIGHT, 4, 2}, // out of it on the right
        {winapi::VK_LEFT, 2, 2},  // back: the base cell
        {winapi::VK_DOWN, 2, 4},  // below the area
        {winapi::VK_UP, 2, 2},    // up into it
        {winapi::VK_UP, 2, 1},    // and out above it
    };
    for (const auto& S : Steps) {
        Word Key = S.Key;
        Grid->KeyDown(Key, {});
        EXPECT_EQ(Grid->Col(), S.Col) << "key " << S.Key;
        EXPECT_EQ(Grid->Row(), S.Row) << "key " << S.Key;
    }
}

TEST_F(BaseGridTest, WheelStepsOverMergedAreas) {
    Grid->MergeCells(2, 2, 2, 2);
    Show();
    Grid->SetCol(2);
    Grid->SetRow(1);
    const struct {
        bool Down;
        Integer Row;
    } Steps[] = {
        {true, 2},  // into the area: its base cell
        {true, 4},  // on below it, not back to its base
        {false, 2}, // up into it: the base cell again
        {false, 1}, // and out above it
    };
    for (const auto& S : Steps) {
        if (S.Down)
            Grid->DoMouseWheelDown({}, {0, 0});
        else
            Grid->DoMouseWheelUp({}, {0, 0});
        EXPECT_EQ(Grid->Col(), 2);
        EXPECT_EQ(Grid->Row(), S.Row) << (S.Down ? "down" : "up");
    }
}

TEST_F(BaseGridTest, HoverAndActiveRowColours) {
    Grid->SetColor(clWhite);
    Grid->SetHoverRow(true);
    Grid->SetHoverRowColor(clYellow);
    Grid->SetHoverRowIdx(3);
    Grid->SetActiveRowColor(clAqua);
    Grid->SetRow(5);
    Grid->SetCol(1);
    const struct {
        bool ActiveShow;
        Integer Col, Row;
        TGridDrawState State;
        THoverRowCells Cells;
        TColor Expected;
    } Cases[] = {
        {false, 2, 3, {}, {hcNormal, hcSelected}, clYellow},
        {false, 2, 4, {}, {hcNormal, hcSelected}, clWhite},
        {false, 0, 3, {gdFixed}, {hcNormal, hcSelected}, clWhite}, // fixed cells only with hcFixed
        {false, 0, 3, {gdFixed}, {hcFixed}, clYellow},
        {true, 2, 5, {}, {hcNormal}, clAqua},  // the active row
        {true, 2, 4, {}, {hcNormal}, clWhite},
        {true, 0, 5, {gdFixed}, {hcNormal}, clWhite}, // not in the fixed column
    };
    for (const auto& C : Cases) {
        Grid->SetActiveRowShow(C.ActiveShow);
        Grid->SetHoverRowCells(C.Cells);
        TBitmap Bitmap;
        Bitmap.SetSize(200, 100);
        TCanvas* Canvas = Bitmap.Canvas();
        Canvas->Brush()->SetColor(clWhite);
        Grid->PaintCellExt(Canvas, C.Col, C.Row, {100, 40, 150, 60}, C.State);
        EXPECT_EQ(ColorToRGB(Canvas->Pixels(120, 50)), C.Expected) << C.Col << "," << C.Row;
    }
}

TEST_F(BaseGridTest, UndoLinkIsForgottenOnEitherSide) {
    auto* Undo = Create<TKelGridUndoRedo>(nullptr);
    Grid->SetUndoRedo(Undo);
    EXPECT_EQ(Undo->Grid(), Grid);
    Free(Undo);
    EXPECT_EQ(Grid->UndoRedo(), nullptr);
}

} // namespace
