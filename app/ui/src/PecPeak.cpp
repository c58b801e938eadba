#include "ui/PecPeak.h"

#include "core/DataModule.h"
#include "core/Project.h"
#include "core/UserInteraction.h"
#include "grid/VarErozidOvur.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "ui/PeakInput.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/StdCtrls.h"

#include <algorithm>

const TClassInfo& TfrmPecPeak::StaticClassInfo() {
    using C = TfrmPecPeak;
    static const TClassInfo Info = TClassBuilder<C, TForm>()
                                       .Method(u"FormCreate", &C::FormCreate)
                                       .Method(u"FormActivate", &C::FormActivate)
                                       .Method(u"FormClose", &C::FormClose)
                                       .Method(u"grdPecRowChanging", &C::grdPecRowChanging)
                                       .Method(u"grdPecColChanging", &C::grdPecColChanging)
                                       .Build();
    return Info;
}

TfrmPecPeak::TfrmPecPeak(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TVarErozidOvur* TfrmPecPeak::grdPec() const { return LayoutPart<TVarErozidOvur>(this, u"grdPec"); }
TButton* TfrmPecPeak::btnOK() const { return LayoutPart<TButton>(this, u"btnOK"); }
TButton* TfrmPecPeak::btnCancel() const { return LayoutPart<TButton>(this, u"btnCancel"); }

void TfrmPecPeak::Loaded() {
    TForm::Loaded();
    SetUpPeakGrid(*grdPec());
}

void TfrmPecPeak::FormCreate(TObject*) { InitCausedByItems(); }

void TfrmPecPeak::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmPecPeak::InitCausedByItems() { ::InitCausedByItems(*grdPec()); }

void TfrmPecPeak::AssignProject(TDWProject* AProject) {
    FProject = AProject;
    LoadRuns();
}

void TfrmPecPeak::LoadRuns() {
    TVarErozidOvur& Grid = *grdPec();
    const TTRAVOProject& Scenario = *FProject->TRAVOProject();
    Integer Valid = 0;
    for (const TRun* Run : Scenario.Runs())
        if (Run->valid) ++Valid;
    Grid.SetRowCount(std::max<Integer>(Valid + 1, 2));
    Grid.ClearNormalRows(1, Grid.RowCount() - 1);
    Integer Row = 1;
    for (const TRun* Run : Scenario.Runs()) {
        if (!Run->valid) continue;
        Grid.SetCells(PeakColCrop, Row, Run->FOCUS_D3_Crop()->AsString());
        Grid.SetCells(PeakColGrouping, Row, Run->KorvalisCrop()->KV_NameE);
        Grid.SetCells(PeakColPeak, Row, FloatToStr(Run->PEC_peak));
        Grid.SetCells(PeakColDate, Row, Run->Date_peak);
        Grid.SetCells(PeakColCausedBy, Row, Run->sCausedBy);
        ++Row;
    }
    Grid.SetCol(PeakColGrouping);
    Grid.SetRowCount(std::max<Integer>(Row, 2));
    SetGroupingChoices(Grid, 1);
}

void TfrmPecPeak::grdPecRowChanging(TObject*, Integer, Integer NewRow, bool&) {
    SetGroupingChoices(*grdPec(), NewRow);
}

void TfrmPecPeak::grdPecColChanging(TObject*, Integer, Integer NewCol, bool& Allow) {
    if (NewCol != PeakColCrop) return;
    Allow = false;
    grdPec()->SetCol(PeakColGrouping);
}

bool TfrmPecPeak::CheckPeakInput() { return CheckPeakRows(*grdPec(), *FProject->TRAVOProject(), true); }

// Only OK checks and saves; a check that fails or raises keeps the window
// open. Cancel and the close box close without either.
void TfrmPecPeak::FormClose(TObject*, TCloseAction& Action) {
    if (ModalResult() != mrOk) return;
    if (!CheckPeakInput()) {
        Action = caNone;
        return;
    }
    dmDataObjects->SaveProject(*FProject);
    if (FProject->MultipleKorvalisGrouping()) ShowWarning(MultipleGroupingWarning());
}
