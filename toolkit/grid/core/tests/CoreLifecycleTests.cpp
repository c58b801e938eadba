// A new grid's values, its owned objects, window creation, loading, copying,
// integral height, the always-visible scroll bars, wheel lines and freeing.

#include "CoreTestSupport.h"

#include "rtl/Filer.h"
#include "rtl/Stream.h"
#include "windowing/ScrollBar.h"
#include "windowing/Window.h"

namespace {

TEST_F(CoreTest, NewGridStartsWithItsDocumentedValues) {
    EXPECT_EQ(Grid->RowCount(), 10);
    EXPECT_EQ(Grid->ColCount(), 5);
    EXPECT_EQ(Grid->FixedRows(), 1);
    EXPECT_EQ(Grid->FixedCols(), 1);
    EXPECT_EQ(Grid->DefaultRowHeight(), 22);
    EXPECT_EQ(Grid->FixedRowHeight(), 22);
    EXPECT_EQ(Grid->RowHeights(0), 22);
    EXPECT_EQ(Grid->FloatFormat(), u"%.2f");
    EXPECT_EQ(Grid->SelectionColor(), 0xEACAB6);
    EXPECT_EQ(Grid->Look(), glXP);
    EXPECT_EQ(Grid->UIStyle(), tsCustom);
    EXPECT_EQ(Grid->Width(), 400);
    EXPECT_EQ(Grid->Height(), 250);
    EXPECT_EQ(Grid->BorderColor(), 0xB99D7F);
    EXPECT_EQ(Grid->FixedFont()->Name(), u"Tahoma");
    EXPECT_TRUE(Grid->ActiveCellFont()->Style().Contains(fsBold));
    EXPECT_EQ(Grid->DrawingStyle(), gdsClassic);
    EXPECT_EQ(Grid->ColumnVisibility(), std::vector<bool>(5, true));
    EXPECT_EQ(Grid->FilterGlyphs()->Count(), 9);
    EXPECT_EQ(Grid->FilterEdit()->TypeNames()->Count(), 9);
    EXPECT_EQ(LinkCursor(), crHandPoint);
    EXPECT_EQ(Grid->CheckTrue(), u"Y");
    EXPECT_EQ(Grid->CheckFalse(), u"N");
    EXPECT_TRUE(Grid->ShowNullDates());
}

TEST_F(CoreTest, IntegralHeightRoundsToWholeRows) {
    Show();
    Grid->SetScrollBars(ssBoth);
    Grid->SetBorderStyle(bsSingle);
    Grid->SetIntegralHeight(true);
    struct {
        Integer ColCount;
        Integer Expected;
    } Cases[] = {
        {5, 92},  // 98 rounded down to 88, plus 4
        {40, 87}, // 81 rounded down to 66, plus a 17-pixel bar, plus 4
    };
    for (const auto& Case : Cases) {
        Grid->SetColCount(Case.ColCount);
        Grid->SetBounds(0, 0, 400, 100);
        EXPECT_EQ(Grid->Height(), Case.Expected) << Case.ColCount << " columns";
    }
}

TEST_F(CoreTest, ScrollBarAlwaysKeepsTheVerticalBarOnAGridWhoseRowsFit) {
    Show();
    Grid->SetRowCount(3);
    Grid->SetScrollBars(ssBoth);
    Grid->SetScrollBarAlways(saVert);
    Grid->ApplyScrollBarAlways(false);
    const auto Style = winapi::GetWindowLong(Grid->Handle(), winapi::GWL_STYLE);
    EXPECT_TRUE(Style & winapi::WS_VSCROLL);
    // Without the setting, unneeded bars go when asked.
    Grid->SetScrollBarAlways(saNone);
    Grid->ApplyScrollBarAlways(true);
    EXPECT_FALSE(winapi::GetWindowLong(Grid->Handle(), winapi::GWL_STYLE) & winapi::WS_VSCROLL);
}

TEST_F(CoreTest, APageWheelSettingScrollsTheVisibleRows) {
    Show();
    GridPlatformAnswers().WheelScrollLines = [] { return -1; };
    Grid->InitWheelScroll(true);
    EXPECT_EQ(Grid->WheelScrollLines(), Grid->VisibleRowCount());
    EXPECT_EQ(Grid->WheelMessage(), winapi::UINT(winapi::WM_MOUSEWHEEL));
    GridPlatformAnswers().WheelScrollLines = [] { return 5; };
    Grid->InitWheelScroll(false);
    EXPECT_EQ(Grid->WheelScrollLines(), 5);
}

TEST_F(CoreTest, GridsWithCellPropertiesAreFreedWithAndWithoutAWindow) {
    auto* Unshown = Create<TTestCore>(nullptr);
    Unshown->SetRowCount(4);
    Unshown->CellProperties(2, 2)->SetReadOnly(true);
    Unshown->SetCells(1, 1, u"text");
    Unshown->SetRowCount(3);
    Free(Unshown);

    Show();
    Grid->CellProperties(3, 5)->SetBrushColor(0xFF);
    Grid->SetRowCount(20);
    Grid->SetRowCount(2); // the record at row 5 lies beyond the count now
    Free(Grid);
    Pump();
}

TEST_F(CoreTest, AssignCopiesAnotherGridAndIgnoresOtherSources) {
    auto* Source = Create<TTestCore>(Form);
    Source->SetColCount(2);
    Source->SetRowCount(3);
    Source->SetColWidths(1, 90);
    Source->SetRowHeights(2, 40);
    Source->SetCells(1, 2, u"copied");
    Source->SetFloatFormat(u"%.3f");
    Source->SortSettings()->SetColumn(1);
    Grid->Assign(Source);
    EXPECT_EQ(Grid->ColCount(), 2);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->ColWidths(1), 90);
    EXPECT_EQ(Grid->RowHeights(2), 40);
    EXPECT_EQ(Grid->Cells(1, 2), u"copied");
    EXPECT_EQ(Grid->SortSettings()->Column(), 1);

    TSortSettings NotAGrid;
    Grid->Assign(&NotAGrid);
    Grid->AssignCells(&NotAGrid);
    EXPECT_EQ(Grid->RowCount(), 3);
    EXPECT_EQ(Grid->Cells(1, 2), u"copied");
}

TEST_F(CoreTest, AStreamedGridReadsBackWithoutItsOwnPanels) {
    auto* Source = Create<TZirOvararIzazCore>(Form);
    Source->SetParent(Form);
    Source->SetBounds(10, 20, 333, 144);
    TMemoryStream Stream;
    WriteComponent(Stream, Source);
    Stream.SetPosition(0);
    const String Text = ObjectBinaryToText(Stream);
    EXPECT_EQ(Text.find(u"TFooterPanel"), String::npos);
    Stream.SetPosition(0);
    auto* Copy = Create<TZirOvararIzazCore>(Form);
    ReadComponent(Stream, Copy);
    EXPECT_EQ(Copy->BoundsRect(), TRect(10, 20, 343, 164));
}

TEST_F(CoreTest, AMissingFilterGlyphRaisesFromCreate) {
    TResourceModule Empty({});
    GridResourceInstance() = &Empty;
    try {
        Free(Create<TTestCore>(nullptr));
        GridResourceInstance() = &TResourceModule::Program();
        FAIL() << "no error";
    } catch (const EResNotFound& E) {
        GridResourceInstance() = &TResourceModule::Program();
        EXPECT_EQ(E.Message(), u"Resource BKELGRDSTARTSWITH not found");
    }
}

TEST_F(CoreTest, LoadingMovesAlwaysShowEditorIntoNavigation) {
    Grid->IncludeComponentState(TComponentState{csLoading});
    TGridOptions Opts = Grid->Options();
    Opts.Include(goAlwaysShowEditor);
    Grid->SetOptions(Opts);
    Grid->SetFixedRows(2);
    Grid->Loaded();
    EXPECT_TRUE(Grid->Navigation()->Settings().AlwaysEdit);
    EXPECT_FALSE(Grid->Options().Contains(goAlwaysShowEditor));
    EXPECT_EQ(Grid->MinFixedRows(), 2);
    EXPECT_EQ(Grid->MaxRowCount(), 10);
}

} // namespace
