#include "ViewTestSupport.h"

#include "graphics/Colors.h"
#include "grid/GridError.h"
#include "rtl/Convert.h"

#include <functional>

namespace {

struct TLook {
    TColor Brush = clNone, ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TColor FontColor = clNone;
    Integer FontHeight = 0;
    TGridDrawState State;
};

TLook LookOf(TTestGrid* G, Integer ACol, Integer ARow, bool Print = false, bool Select = false,
             TGridDrawState State = TGridDrawState()) {
    TBrush Brush;
    TFont Font;
    TLook L;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientHorizontal;
    G->GetVisualProperties(ACol, ARow, State, Print, Select, true, &Brush, L.ColorTo, L.Mirror, L.MirrorTo, &Font,
                           HA, VA, WW, GD);
    L.Brush = Brush.Color();
    L.FontColor = Font.Color();
    L.FontHeight = Font.Height();
    L.State = State;
    return L;
}

constexpr TColor GridColor = 0xF0F0F0, Fixed = 0x00AA00, Primary = 0x0000C0, Secondary = 0xC00000;

// The colours a look preset may change, set again after the case's set-up.
void Recolour(TTestGrid* G) {
    G->SetColor(GridColor);
    G->SetFixedColor(Fixed);
    G->Font()->SetColor(0x000001);
    G->Font()->SetHeight(-11);
    G->FixedFont()->SetColor(0x000002);
}

void Prepare(TTestGrid* G) {
    G->SetColCount(5);
    G->SetRowCount(10);
    G->SetColor(GridColor);
    G->SetFixedColor(Fixed);
    G->Font()->SetColor(0x000001);
    G->Font()->SetHeight(-11);
    G->FixedFont()->SetColor(0x000002);
    G->SetDOVGradientFrom(0x111111);
    G->SetDOVGradientTo(0x222222);
    G->SetDOVGradientMirrorFrom(0x333333);
    G->SetDOVGradientMirrorTo(0x444444);
}

void Banded(TTestGrid* G) {
    G->SetLook(glClassic);
    G->SetFixedRightCols(1);
    G->SetFixedFooters(1);
    G->Bands()->SetPrimaryColor(Primary);
    G->Bands()->SetSecondaryColor(Secondary);
    G->Bands()->SetPrimaryLength(1);
    G->Bands()->SetSecondaryLength(2);
    G->Bands()->SetActive(true);
}

struct TCase {
    const char* Name;
    std::function<void(TTestGrid*)> Setup;
    Integer Col, Row;
    bool Select;
    TColor Brush, ColorTo, Mirror, MirrorTo, FontColor;
    Integer FontHeight = -11;
};

} // namespace

TEST_F(ViewTest, VisualPropertiesFollowTheirOrderOfPrecedence) {
    const TColor N = clNone;
    const auto Nothing = [](TTestGrid*) {};
    const TCase Cases[] = {
        {"default normal cell", Nothing, 2, 2, false, GridColor, N, N, N, 0x000001},
        {"XP fixed cell takes the gradient", Nothing, 0, 2, false, 0x111111, 0x222222, 0x333333, 0x444444, 0x000002},
        {"XP fixed cell with none colours",
         [](TTestGrid* G) {
             G->SetDOVGradientFrom(clNone);
             G->SetDOVGradientTo(clNone);
             G->SetDOVGradientMirrorFrom(clNone);
             G->SetDOVGradientMirrorTo(clNone);
         },
         2, 0, false, N, N, N, N, 0x000002},
        {"classic fixed cell", [](TTestGrid* G) { G->SetLook(glClassic); }, 0, 2, false, Fixed, N, N, N, 0x000002},
        {"check box keeps its record colour",
         [](TTestGrid* G) {
             G->AddCheckBox(2, 2, false, false);
             G->SetColors(2, 2, 0x0000AA);
         },
         2, 2, false, 0x0000AA, N, N, N, 0x000001},
        {"check box without a colour takes the band",
         [](TTestGrid* G) {
             Banded(G);
             G->AddCheckBox(2, 1, false, false);
         },
         2, 1, false, Primary, N, N, N, 0x000001},
        {"band primary on normal row 0", Banded, 2, 1, false, Primary, N, N, N, 0x000001},
        {"band secondary on normal row 1", Banded, 2, 2, false, Secondary, N, N, N, 0x000001},
        {"band primary on normal row 3", Banded, 2, 4, false, Primary, N, N, N, 0x000001},
        {"band primary on normal row 6", Banded, 2, 7, false, Primary, N, N, N, 0x000001},
        {"no band on a fixed row", Banded, 2, 0, false, Fixed, N, N, N, 0x000002},
        {"no band on a right fixed column", Banded, 4, 4, false, Fixed, N, N, N, 0x000002},
        {"no band on a footer row", Banded, 2, 9, false, Fixed, N, N, N, 0x000002},
        {"negative number coloured",
         [](TTestGrid* G) {
             G->AutoColor()->NegativeNumber()->SetTextColor(0x0000FF);
             G->AutoColor()->PositiveNumber()->SetBkgColor(0x00FF00);
             G->SetCells(2, 2, u"-3");
         },
         2, 2, false, GridColor, N, N, N, 0x0000FF},
        {"zero takes the positive colours",
         [](TTestGrid* G) {
             G->AutoColor()->NegativeNumber()->SetTextColor(0x0000FF);
             G->AutoColor()->PositiveNumber()->SetBkgColor(0x00FF00);
             G->SetCells(2, 2, u"0");
         },
         2, 2, false, 0x00FF00, N, N, N, 0x000001},
        {"text is no number",
         [](TTestGrid* G) {
             G->AutoColor()->NegativeNumber()->SetTextColor(0x0000FF);
             G->AutoColor()->PositiveNumber()->SetBkgColor(0x00FF00);
             G->SetCells(2, 2, u"abc");
         },
         2, 2, false, GridColor, N, N, N, 0x000001},
        {"cell font height with the display font",
         [](TTestGrid* G) { G->SetFontSizes(2, 2, 12); }, 2, 2, false, GridColor, N, N, N, 0x000001, -16},
        {"cell font height without the display font",
         [](TTestGrid* G) {
             G->SetFontSizes(2, 2, 12);
             G->PrintSettings()->SetUseDisplayFont(false);
         },
         2, 2, false, GridColor, N, N, N, 0x000001},
        {"selected cell with a selection text colour",
         [](TTestGrid* G) {
             G->SetSelectionColor(0x123456);
             G->SetSelectionTextColor(0x654321);
         },
         1, 1, true, 0x123456, N, N, N, 0x654321},
        {"selected cell without a selection text colour",
         [](TTestGrid* G) {
             G->SetSelectionColor(0x123456);
             G->SetSelectionTextColor(clNone);
         },
         1, 1, true, 0x123456, N, N, N, 0x000001},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TTestGrid* G = Create<TTestGrid>(Form);
        G->SetParent(Form);
        Prepare(G);
        C.Setup(G);
        Recolour(G);
        const TLook L = LookOf(G, C.Col, C.Row, false, C.Select);
        EXPECT_EQ(L.Brush, C.Brush);
        EXPECT_EQ(L.ColorTo, C.ColorTo);
        EXPECT_EQ(L.Mirror, C.Mirror);
        EXPECT_EQ(L.MirrorTo, C.MirrorTo);
        EXPECT_EQ(L.FontColor, C.FontColor);
        EXPECT_EQ(L.FontHeight, C.FontHeight);
        Free(G);
    }
}

TEST_F(ViewTest, FixedCellsAreMarkedAndSelectedCellsGetAVerticalGradient) {
    Prepare(Grid);
    EXPECT_TRUE(LookOf(Grid, 0, 3).State.Contains(gdFixed));
    EXPECT_FALSE(LookOf(Grid, 2, 3).State.Contains(gdFixed));

    TBrush Brush;
    TFont Font;
    TColor To = clNone, M = clNone, MT = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientHorizontal;
    TGridDrawState State{gdSelected};
    Grid->GetVisualProperties(2, 3, State, false, false, true, &Brush, To, M, MT, &Font, HA, VA, WW, GD);
    EXPECT_EQ(GD, GradientVertical);
}

TEST_F(ViewTest, BlendingAtTheEndsGivesOneOfTheColours) {
    EXPECT_EQ(BlendColors(0x102030, 0x405060, 100), 0x102030);
    EXPECT_EQ(BlendColors(0x102030, 0x405060, 0), 0x405060);
    EXPECT_EQ(BlendColors(0x000000, 0x0000FF, 50), 0x000080);
    EXPECT_EQ(BlendColors(clNone, 0x405060, 50), 0x405060);
    EXPECT_EQ(MixSelectionColor(0x102030, 0x405060, true, 100), 0x102030);
    EXPECT_EQ(MixSelectionColor(0x102030, 0x405060, true, 0), 0x405060);
    EXPECT_EQ(MixSelectionColor(0x102030, 0x405060, false, 0), 0x102030);

    // The mixer in a selected cell with a band colour.
    Prepare(Grid);
    Banded(Grid);
    Grid->SetSelectionColor(0x000000);
    Grid->SetSelectionColorMixer(true);
    Grid->SetSelectionColorMixerFactor(0);
    EXPECT_EQ(LookOf(Grid, 1, 1, false, true).Brush, Primary);
    Grid->SetSelectionColorMixerFactor(100);
    EXPECT_EQ(LookOf(Grid, 1, 1, false, true).Brush, 0x000000);
}

TEST_F(ViewTest, GraphicLayoutSizesByKind) {
    Grid->SetColCount(5);
    Grid->SetRowCount(5);
    EXPECT_EQ(Grid->GetCellGraphicLayout(1, 1).Graphic, nullptr);

    Grid->AddCheckBox(1, 1, false, false);
    TCellGraphicLayout L = Grid->GetCellGraphicLayout(1, 1);
    EXPECT_EQ(L.Width, Grid->ControlLook()->CheckSize());
    EXPECT_EQ(L.Height, Grid->ControlLook()->CheckSize());
    EXPECT_TRUE(L.TextShown);

    Grid->AddCheckBox(2, 1, false, true);
    EXPECT_FALSE(Grid->GetCellGraphicLayout(2, 1).TextShown);

    Grid->AddRotated(1, 2, 90, u"abc");
    L = Grid->GetCellGraphicLayout(1, 2);
    EXPECT_EQ(L.Width, 0);
    EXPECT_FALSE(L.TextShown);
}

// ---- Display and export texts ----

TEST_F(ViewTest, FormattedCellWithoutTheEventIsTheExportedText) {
    Grid->SetCells(1, 1, u"12.5");
    EXPECT_EQ(Grid->GetFormattedCell(1, 1), u"12.5");
}

TEST_F(ViewTest, FormattedCellAsksOnlyForNumbers) {
    Integer Asked = 0;
    Grid->OnGetFloatFormat = [&](TObject*, Integer, Integer, bool& IsFloat, String& Fmt) {
        ++Asked;
        EXPECT_TRUE(IsFloat);
        EXPECT_EQ(Fmt, u"%.2f");
        Fmt = u"%.3f";
    };
    Grid->SetCells(1, 1, u"abc");
    EXPECT_EQ(Grid->GetFormattedCell(1, 1), u"abc");
    EXPECT_EQ(Asked, 0);
    Grid->SetCells(1, 1, u"12.5");
    EXPECT_EQ(Grid->GetFormattedCell(1, 1), u"12.500");
    EXPECT_EQ(Asked, 1);
}

TEST_F(ViewTest, FormatThatDoesNotFitTheValueGivesTheExportedText) {
    String Fmt;
    Grid->OnGetFloatFormat = [&](TObject*, Integer, Integer, bool&, String& F) { F = Fmt; };
    Grid->SetCells(1, 1, u"12.5");
    for (const char16_t* F : {u"%d", u"%s%s", u"%x", u"%p"}) {
        Fmt = F;
        EXPECT_EQ(Grid->GetFormattedCell(1, 1), u"12.5") << Utf8(Fmt);
    }
    Fmt = u"%d";
    Grid->SetCells(1, 1, u"42");
    EXPECT_EQ(Grid->GetFormattedCell(1, 1), u"42");
}

TEST_F(ViewTest, SavedCellTexts) {
    Grid->SetColCount(5);
    Grid->SetRowCount(5);
    Grid->SetCells(1, 1, u"<b>bold</b>");
    String V;
    Grid->SaveCell(1, 1, V);
    EXPECT_EQ(V, u"<b>bold</b>");
    Grid->SetSaveWithHTML(false);
    Grid->SaveCell(1, 1, V);
    EXPECT_EQ(V, u"bold");

    Grid->AddCheckBox(2, 1, cbGrayed);
    Grid->SaveCell(2, 1, V);
    EXPECT_EQ(V, u"-");
    Grid->AddCheckBox(2, 2, cbChecked);
    Grid->SaveCell(2, 2, V);
    EXPECT_EQ(V, Grid->CheckTrue());

    Grid->SetCells(1, 3, u"top");
    Grid->SetCells(2, 3, u"covered");
    Grid->MergeCells(1, 3, 2, 1);
    Grid->SaveCell(2, 3, V);
    EXPECT_EQ(V, u"");
    Grid->SetSaveMergedCells(true);
    Grid->SaveCell(2, 3, V);
    EXPECT_EQ(V, Grid->Cells(2, 3));

    Grid->OnSaveCell = [](TObject*, Integer ACol, Integer ARow, String& Value) {
        Value += u"@" + IntToStr(ACol) + u"," + IntToStr(ARow);
    };
    Grid->SaveCell(1, 3, V);
    EXPECT_EQ(V, u"top@1,3");
}

TEST_F(ViewTest, WorkbookFormatAppliesToFloats) {
    Grid->SetFormatType(ftExcel);
    Grid->OnGetFloatFormat = [](TObject*, Integer, Integer, bool&, String& F) { F = u"0.00"; };
    Grid->SetCells(1, 1, u"12.5");
    EXPECT_EQ(Grid->GetFormattedCell(1, 1), u"12.50");
}
