#include "ui/CropAreas.h"

#include "core/Project.h"
#include "graphics/Colors.h"
#include "graphics/GraphicsObjects.h"
#include "grid/VarErozidOvur.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"

namespace {

constexpr Integer RowPoints = 0;   // "Abstraction Points" over the point columns
constexpr Integer RowCaptions = 1; // the points' captions
constexpr Integer RowIntake = 2;   // the intake areas
constexpr Integer RowUnits = 3;    // "Korvalis Crops" and "[ha]"
constexpr Integer FirstCropRow = 4;
constexpr Integer ColName = 1;
constexpr Integer FirstPointCol = 2;

constexpr TColor LightGrey = RGB(243, 243, 243);
constexpr TColor LightYellow = RGB(255, 255, 128);

} // namespace

const TClassInfo& TfraCropAreas::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfraCropAreas, TFrame>().Build();
    return Info;
}

TfraCropAreas::TfraCropAreas(TComponent* AOwner) : TFrame(AOwner) { RegisterUiClasses(); }

TVarErozidOvur* TfraCropAreas::grdCropAreas() const { return LayoutPart<TVarErozidOvur>(this, u"grdCropAreas"); }

void TfraCropAreas::Loaded() {
    TFrame::Loaded();
    TVarErozidOvur& Grid = *grdCropAreas();
    Grid.SetColor(LightGrey);
    Grid.SetRowCount(FirstCropRow + 1);
    Grid.SetColCount(FirstPointCol + 1);
    Grid.SetFixedRows(2);
    Grid.SetFixedCols(1);
    TGridOptions Options = Grid.Options();
    Options.Exclude(goEditing);
    Options.Exclude(goAlwaysShowEditor);
    Options.Include(goRowSelect);
    Grid.SetOptions(Options);
    // The grid publishes none of these events, so they are bound here.
    Grid.OnIsFixedCell = [this](TObject* Sender, Integer ARow, Integer ACol, bool& IsFixed) {
        grdCropAreasIsFixedCell(Sender, ARow, ACol, IsFixed);
    };
    Grid.OnGetCellColor = [this](TObject* Sender, Integer ARow, Integer ACol, TGridDrawState AState,
                                 TBrush* ABrush, TFont* AFont) {
        grdCropAreasGetCellColor(Sender, ARow, ACol, AState, ABrush, AFont);
    };
    Grid.OnGetCellBorder = [this](TObject* Sender, Integer ARow, Integer ACol, TPen* APen, TCellBorders& Borders) {
        grdCropAreasGetCellBorder(Sender, ARow, ACol, APen, Borders);
    };
    Grid.OnGetAlignment = [this](TObject* Sender, Integer ARow, Integer ACol, TAlignment& HAlign,
                                 TVAlignment& VAlign) { grdCropAreasGetAlignment(Sender, ARow, ACol, HAlign, VAlign); };
}

void TfraCropAreas::AssignProject(const TDWProject& Project) {
    const TAbstractionPoints& Points = *Project.AbstractionPoints();
    TVarErozidOvur& Grid = *grdCropAreas();
    const Integer N = Points.Count();
    Grid.BeginUpdate();
    Grid.SplitAllCells();
    Grid.SetColCount(N + FirstPointCol);
    Grid.SetRowCount(FirstCropRow + 1);
    Grid.ClearRows(0, Grid.RowCount());
    // The column grid paints a cell in its column's colour.
    for (Integer C = 0; C < Grid.Columns()->Count(); ++C)
        Grid.Columns()->Items(C)->SetColor(LightGrey);
    Grid.SetColWidths(0, ScaledWidth(5));
    Grid.SetColWidths(ColName, ScaledWidth(145));
    for (Integer I = 0; I < N; ++I)
        Grid.SetColWidths(FirstPointCol + I, ScaledWidth(I == N - 1 ? 180 : 80));
    Grid.MergeCells(ColName, RowPoints, 1, 2);
    if (N > 0) {
        Grid.SetCells(FirstPointCol, RowPoints, u"Abstraction Points");
        Grid.MergeCells(FirstPointCol, RowPoints, N, 1);
    }
    Grid.SetCells(ColName, RowIntake, u"Intake Area");
    Grid.SetCells(ColName, RowUnits, u"Korvalis Crops");
    for (Integer I = 0; I < N; ++I) {
        const TAbstractionPoint& Point = *Points.Items(I);
        Grid.SetCells(FirstPointCol + I, RowCaptions, Point.Caption());
        Grid.SetCells(FirstPointCol + I, RowIntake, IntToStr(Point.Area()));
        Grid.SetCells(FirstPointCol + I, RowUnits, u"[ha]");
    }
    Grid.EndUpdate();
    LoadCropAreas(Points);
}

void TfraCropAreas::LoadCropAreas(const TAbstractionPoints& Points) {
    TVarErozidOvur& Grid = *grdCropAreas();
    Grid.SetRowCount(Points.CropCount() + FirstCropRow);
    for (Integer K = 0; K < Points.CropCount(); ++K) {
        const TKorvalisCrop* Grouping = Points.Crops(K);
        const Integer Row = FirstCropRow + K;
        Grid.SetCells(0, Row, String());
        Grid.SetCells(ColName, Row, Grouping->KV_NameE);
        for (Integer I = 0; I < Points.Count(); ++I) {
            const TCropData* Data = Points.Items(I)->Find(Grouping);
            Grid.SetCells(FirstPointCol + I, Row, Data ? IntToStr(Data->Area_ha()) : String(u"-"));
        }
    }
    if (Grid.RowCount() > FirstCropRow) Grid.SetRow(FirstCropRow);
}

bool TfraCropAreas::IsTotalRow(Integer ARow) const {
    return ARow >= FirstCropRow && SameText(grdCropAreas()->Cells(ColName, ARow), u"total");
}

void TfraCropAreas::grdCropAreasIsFixedCell(TObject*, Integer ARow, Integer, bool& IsFixed) {
    if (ARow == RowUnits || IsTotalRow(ARow)) IsFixed = true;
}

void TfraCropAreas::grdCropAreasGetCellColor(TObject*, Integer ARow, Integer ACol, TGridDrawState, TBrush* ABrush,
                                             TFont* AFont) {
    TVarErozidOvur& Grid = *grdCropAreas();
    bool Fixed = ARow < Grid.FixedRows() || ACol < Grid.FixedCols();
    grdCropAreasIsFixedCell(&Grid, ARow, ACol, Fixed);
    if (Fixed) {
        AFont->Assign(Font());
        if (ARow != RowPoints) AFont->SetName(u"Arial Narrow");
    } else if (ARow < FirstCropRow) {
        ABrush->SetColor(LightYellow);
    }
}

void TfraCropAreas::grdCropAreasGetCellBorder(TObject*, Integer ARow, Integer, TPen*, TCellBorders& Borders) {
    if (IsTotalRow(ARow)) Borders = TCellBorders{cbTop, cbLeft, cbRight, cbBottom};
}

void TfraCropAreas::grdCropAreasGetAlignment(TObject*, Integer ARow, Integer ACol, TAlignment& HAlign,
                                             TVAlignment&) {
    HAlign = ARow == RowPoints || ACol <= ColName ? taLeftJustify : taRightJustify;
}
