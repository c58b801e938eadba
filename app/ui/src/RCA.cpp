#include "ui/RCA.h"

#include "core/Project.h"
#include "grid/VarErozidOvur.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "ui/UiLayouts.h"
#include "windowing/Input.h"

#include <cmath>

namespace {

constexpr Integer ColPoint = 1;
constexpr Integer ColGrouping = 2;
constexpr Integer ColShare = 3;
constexpr Integer ColRCA = 4;
constexpr Integer FirstRow = 1;

// The grouping code whose crop data never take a market share.
const Char* const NoGrouping = u"000";

} // namespace

const TClassInfo& TfraRCA::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfraRCA, TFrame>().Build();
    return Info;
}

TfraRCA::TfraRCA(TComponent* AOwner) : TFrame(AOwner) { RegisterUiClasses(); }

TfraRCA::~TfraRCA() = default;

TVarErozidOvur* TfraRCA::grdAbsPoints1() const { return LayoutPart<TVarErozidOvur>(this, u"grdAbsPoints1"); }

void TfraRCA::Loaded() {
    TFrame::Loaded();
    TVarErozidOvur& Grid = *grdAbsPoints1();
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(0);
    TGridOptions Options = Grid.Options();
    Options.Include(goEditing);
    Options.Include(goAlwaysShowEditor);
    Options.Include(goTabs);
    Grid.SetOptions(Options);
    Grid.ColumnSize()->SetStretchColumn(ColPoint);
    Grid.ColumnSize()->SetStretch(true);
    // The grid publishes neither event, so they are bound here.
    Grid.OnColChanging = [this](TObject* Sender, Integer OldCol, Integer NewCol, bool& Allow) {
        grdAbsPoints1ColChanging(Sender, OldCol, NewCol, Allow);
    };
    Grid.OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { grdAbsPoints1KeyDown(Sender, Key, Shift); };
    Grid.OnCanEditCell = [this](TObject* Sender, Integer ARow, Integer ACol, bool& CanEdit) {
        grdAbsPoints1CanEditCell(Sender, ARow, ACol, CanEdit);
    };
}

void TfraRCA::AssignProject(const TDWProject& Project) {
    FUsedCrops = Project.GetUsedCrops();
    const TAbstractionPoints& Points = *Project.AbstractionPoints();
    TVarErozidOvur& Grid = *grdAbsPoints1();
    const String ShareFormat = Grid.ColumnFloatFormat(ColShare);
    FRows.assign(FirstRow, TRowData{});
    for (Integer P = 0; P < Points.Count(); ++P) {
        const TAbstractionPoint& Point = *Points.Items(P);
        const size_t First = FRows.size();
        for (Integer C = 0; C < Point.CropCount(); ++C) {
            const String& Code = Point.Crops(C)->Crop()->ID;
            if (Code != NoGrouping && FUsedCrops->IndexOf(Code) >= 0) FRows.push_back({P, C});
        }
        if (FRows.size() == First) FRows.push_back({P, -1});
    }
    Grid.BeginUpdate();
    Grid.SplitAllCells();
    Grid.SetRowCount(std::max<Integer>(Integer(FRows.size()), FirstRow + 1));
    Grid.ClearNormalRows(FirstRow, Grid.RowCount() - FirstRow);
    Integer Row = FirstRow;
    while (Row < Integer(FRows.size())) {
        const TAbstractionPoint& Point = *Points.Items(FRows[Row].Point);
        const Integer First = Row;
        Grid.SetCells(ColPoint, Row, Point.Caption());
        for (; Row < Integer(FRows.size()) && Points.Items(FRows[Row].Point) == &Point; ++Row) {
            if (FRows[Row].Crop < 0) continue;
            const TCropData& Data = *Point.Crops(FRows[Row].Crop);
            Grid.SetCells(ColGrouping, Row, Data.Crop()->KV_NameE);
            Grid.SetCells(ColShare, Row, Format(ShareFormat, {Data.MarketShare()}));
            Grid.SetCells(ColRCA, Row, FloatToStrF(Data.RCA(), ffFixed, 6, 4));
        }
        if (Row - First > 1) Grid.MergeCells(ColPoint, First, 1, Row - First);
    }
    Grid.EndUpdate();
    Grid.SetCol(ColShare);
}

TCropData* TfraRCA::RowCrop(const TDWProject& Project, Integer Row) const {
    if (Row < 0 || Row >= Integer(FRows.size()) || FRows[Row].Crop < 0) return nullptr;
    const TAbstractionPoints& Points = *Project.AbstractionPoints();
    if (FRows[Row].Point >= Points.Count()) return nullptr;
    const TAbstractionPoint& Point = *Points.Items(FRows[Row].Point);
    return FRows[Row].Crop < Point.CropCount() ? Point.Crops(FRows[Row].Crop) : nullptr;
}

double TfraRCA::RowShare(const TDWProject& Project, Integer Row) const {
    TVarErozidOvur& Grid = *grdAbsPoints1();
    const TCropData* Data = RowCrop(Project, Row);
    if (Data && Grid.Cells(ColShare, Row) == Format(Grid.ColumnFloatFormat(ColShare), {Data->MarketShare()}))
        return Data->MarketShare();
    return Grid.Floats(ColShare, Row);
}

void TfraRCA::SaveToProject(TDWProject& Project) {
    for (Integer Row = FirstRow; Row < Integer(FRows.size()); ++Row)
        if (TCropData* Data = RowCrop(Project, Row)) Data->SetMarketShare(RowShare(Project, Row));
}

bool TfraRCA::CheckInputMarketShare(TDWProject& Project) {
    for (Integer Row = FirstRow; Row < Integer(FRows.size()); ++Row) {
        if (!RowCrop(Project, Row)) continue;
        const double Share = RowShare(Project, Row);
        if (std::isnan(Share) || Share < 0 || Share > 1) {
            grdAbsPoints1()->FocusCell(ColShare, Row);
            return false;
        }
    }
    return true;
}

void TfraRCA::CloseFrame() { FUsedCrops.reset(); }

void TfraRCA::grdAbsPoints1ColChanging(TObject*, Integer, Integer NewCol, bool& Allow) {
    if (NewCol == ColShare) return;
    Allow = false;
    TVarErozidOvur& Grid = *grdAbsPoints1();
    if (NewCol < ColShare) {
        if (Grid.Row() > FirstRow) Grid.SetRow(Grid.Row() - 1);
    } else if (Grid.Row() < Grid.RowCount() - 1) {
        Grid.SetRow(Grid.Row() + 1);
    }
}

void TfraRCA::grdAbsPoints1KeyDown(TObject*, Word& Key, TShiftState Shift) {
    if (Key != winapi::VK_TAB || Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return;
    Key = 0;
    TVarErozidOvur& Grid = *grdAbsPoints1();
    const Integer Row = Grid.Row() + (Shift.Contains(ssShift) ? -1 : 1);
    if (Row >= FirstRow && Row < Grid.RowCount()) Grid.SetRow(Row);
}

void TfraRCA::grdAbsPoints1CanEditCell(TObject*, Integer ARow, Integer ACol, bool& CanEdit) {
    // A point without used groupings has no share to edit.
    if (ACol == ColShare && (ARow >= Integer(FRows.size()) || FRows[ARow].Crop < 0)) CanEdit = false;
}
