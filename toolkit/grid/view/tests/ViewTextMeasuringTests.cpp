#include "ViewTestSupport.h"

#include "graphics/Canvas.h"
#include "gridbase/MarkupRenderer.h"
#include "vcl/RichEdit.h"

namespace {

void UseTestFont(TTestGrid* G) {
    G->Font()->SetName(u"DejaVu Sans");
    G->Font()->SetHeight(-13);
    G->SetColCount(4);
    G->SetRowCount(4);
    G->SetColWidths(1, 120);
    G->SetRowHeights(1, 40);
}

} // namespace

TEST_F(ViewTest, NumbersAlignRightWithAutoNumAlign) {
    Grid->SetAutoNumAlign(true);
    Grid->SetAlignments(1, 1, taCenter);
    for (const auto& [Text, Right] : {std::pair{u"12.5", true}, {u"1E3", true}, {u"12a", false}, {u"", false}}) {
        Grid->SetCells(1, 1, Text);
        TAlignment HA = taCenter;
        TVAlignment VA = vtaBottom;
        Grid->ResolveAlignment(1, 1, HA, VA);
        EXPECT_EQ(HA, Right ? taRightJustify : taLeftJustify) << Utf8(String(Text));
    }
    // Without it the cell's own alignment holds.
    Grid->SetAutoNumAlign(false);
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    Grid->ResolveAlignment(1, 1, HA, VA);
    EXPECT_EQ(HA, taCenter);
}

TEST_F(ViewTest, RotatedTextMeasuresItsTurnedBox) {
    Show();
    UseTestFont(Grid);
    Grid->AddRotated(1, 1, 90, u"Rotated");
    const TSize S = Grid->GetCellTextSize(1, 1, false, false);
    TCanvas* C = Grid->Canvas();
    EXPECT_EQ(S.cx, C->TextHeight(u"gh") + 12);
    EXPECT_EQ(S.cy, C->TextWidth(u"Rotated") + 12);
}

TEST_F(ViewTest, MarkupMeasuresTwoPixelsBeyondItsExtent) {
    Show();
    UseTestFont(Grid);
    const String Text = u"<b>bold</b> and plain";
    Grid->SetCells(1, 1, Text);
    const TSize S = Grid->GetCellTextSize(1, 1, false, false);
    TMarkupDrawParams P;
    P.Canvas = Grid->Canvas();
    P.Text = Text;
    P.Rect = TRect(0, 0, 1000, 65535);
    P.MeasureOnly = true;
    TMarkupDrawResult R;
    DrawMarkupOnCanvas(P, R);
    ASSERT_GT(R.Width, 0);
    EXPECT_EQ(S.cx, R.Width + 2);
    EXPECT_EQ(S.cy, R.Height + 2);
}

TEST_F(ViewTest, LineBreaksCountOnlyInMultilineCells) {
    Show();
    UseTestFont(Grid);
    Grid->SetCells(1, 1, u"first\r\nsecond");
    const Integer Line = [&] {
        Grid->GetCellTextSize(1, 1, false, false);
        return Grid->Canvas()->TextHeight(u"gh");
    }();
    EXPECT_EQ(Grid->GetCellTextSize(1, 1, false, false).cy, Line);
    EXPECT_EQ(Grid->MaxLinesInRow(1), 1);
    Grid->SetMultilinecells(true);
    EXPECT_EQ(Grid->GetCellTextSize(1, 1, false, false).cy, 2 * Line);
    EXPECT_EQ(Grid->MaxLinesInRow(1), 2);
    EXPECT_EQ(Grid->MaxColumnTextLength(1), 6);
    Grid->SetMultilinecells(false);
    EXPECT_EQ(Grid->MaxColumnTextLength(1), 5);
}

TEST_F(ViewTest, AlwaysVisibleDropDownButtonNarrowsTheWrappedText) {
    Show();
    UseTestFont(Grid);
    Grid->SetCells(1, 1, u"some words that wrap in a cell of this width");
    const TSize Plain = Grid->GetCellTextSize(1, 1, true, false);
    const TSize WithButton = Grid->GetCellTextSize(1, 1, true, true);
    EXPECT_GT(WithButton.cy, Plain.cy - 1);
    Grid->SetDefaultEditor(edComboList);
    Grid->ControlLook()->SetDropDownAlwaysVisible(true);
    const TSize Combo = Grid->GetCellTextSize(1, 1, true, false);
    EXPECT_EQ(Combo.cx, WithButton.cx);
    EXPECT_EQ(Combo.cy, WithButton.cy);
    EXPECT_LE(Combo.cx, 120 - 6 - 17);
    EXPECT_GT(Combo.cx, 120 - 6 - 17 - 40);
    // The button grows with the DPI scale.
    Grid->SetDPIScaleValue(2.0f);
    EXPECT_LE(Grid->GetCellTextSize(1, 1, true, false).cx, 120 - 6 - 34);
}

TEST_F(ViewTest, RichTextMeasuresWithItsOwnFont) {
    Show();
    UseTestFont(Grid);
    Grid->SetCells(1, 1, u"{\\rtf1\\ansi {\\fs16 Small}}");
    Grid->SetCells(1, 2, u"{\\rtf1\\ansi {\\fs48 Small}}");
    const TSize Small = Grid->GetCellTextSize(1, 1, false, false);
    const TSize Big = Grid->GetCellTextSize(1, 2, false, false);
    EXPECT_GT(Small.cx, 0);
    EXPECT_GT(Big.cx, Small.cx);
    EXPECT_GT(Big.cy, Small.cy);
    EXPECT_GE(Big.cy, Grid->RichEdit()->ContentSize().cy + 4);
}
