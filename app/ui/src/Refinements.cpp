#include "ui/Refinements.h"

#include "core/DataModule.h"
#include "core/Folders.h"
#include "core/Project.h"
#include "core/UserInteraction.h"
#include "grid/VarErozidOvur.h"
#include "os/FilePath.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Format.h"
#include "ui/CropAreas.h"
#include "ui/ProjectSummary.h"
#include "ui/RCA.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/GroupBox.h"
#include "vcl/OpenDialog.h"
#include "vcl/PageControl.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"

#include <cmath>

namespace {

constexpr Integer ColFactor = 1;
const Char* const RangeMessage = u"value must be in range [0,1]";
const Char* const FailedToAssign = u"Failed to assign CropArea file: ";

// Sets a flag for as long as it lives and then puts back what it held.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& Flag) : FFlag(Flag), FWas(Flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = FWas; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
    bool FWas;
};

} // namespace

const TClassInfo& TfrmRefinements::StaticClassInfo() {
    using C = TfrmRefinements;
    static const TClassInfo Info = TClassBuilder<C, TForm>()
                                       .Method(u"FormCreate", &C::FormCreate)
                                       .Method(u"FormShow", &C::FormShow)
                                       .Method(u"FormActivate", &C::FormActivate)
                                       .Method(u"FormClose", &C::FormClose)
                                       .Method(u"pagPagesChange", &C::pagPagesChange)
                                       .Method(u"radFileClick", &C::radFileClick)
                                       .Method(u"radDefaultClick", &C::radDefaultClick)
                                       .Method(u"btnBrowseClick", &C::btnBrowseClick)
                                       .Method(u"btnCancelClick", &C::btnCancelClick)
                                       .Method(u"btnCloseClick", &C::btnCloseClick)
                                       .Build();
    return Info;
}

TfrmRefinements::TfrmRefinements(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TfraProjectSummary* TfrmRefinements::fraProjectSummary1() const {
    return LayoutPart<TfraProjectSummary>(this, u"fraProjectSummary1");
}
TGroupBox* TfrmRefinements::gbCropArcreage() const { return LayoutPart<TGroupBox>(this, u"gbCropArcreage"); }
TRadioButton* TfrmRefinements::radDefault() const { return LayoutPart<TRadioButton>(this, u"radDefault"); }
TRadioButton* TfrmRefinements::radFile() const { return LayoutPart<TRadioButton>(this, u"radFile"); }
TStaticText* TfrmRefinements::txtFileName() const { return LayoutPart<TStaticText>(this, u"txtFileName"); }
TButton* TfrmRefinements::btnBrowse() const { return LayoutPart<TButton>(this, u"btnBrowse"); }
TMemo* TfrmRefinements::mmComments() const { return LayoutPart<TMemo>(this, u"mmComments"); }
TPageControl* TfrmRefinements::pagPages() const { return LayoutPart<TPageControl>(this, u"pagPages"); }
TTabSheet* TfrmRefinements::tabAreas() const { return LayoutPart<TTabSheet>(this, u"tabAreas"); }
TTabSheet* TfrmRefinements::tabADF() const { return LayoutPart<TTabSheet>(this, u"tabADF"); }
TTabSheet* TfrmRefinements::tabRCA() const { return LayoutPart<TTabSheet>(this, u"tabRCA"); }
TfraCropAreas* TfrmRefinements::fraCropAreas1() const { return LayoutPart<TfraCropAreas>(this, u"fraCropAreas1"); }
TVarErozidOvur* TfrmRefinements::grdADF() const { return LayoutPart<TVarErozidOvur>(this, u"grdADF"); }
TfraRCA* TfrmRefinements::fraRCA1() const { return LayoutPart<TfraRCA>(this, u"fraRCA1"); }
TButton* TfrmRefinements::btnCancel() const { return LayoutPart<TButton>(this, u"btnCancel"); }
TButton* TfrmRefinements::btnClose() const { return LayoutPart<TButton>(this, u"btnClose"); }
TOpenDialog* TfrmRefinements::OpenDialog1() const { return LayoutPart<TOpenDialog>(this, u"OpenDialog1"); }

void TfrmRefinements::Loaded() {
    TForm::Loaded();
    fraProjectSummary1()->GroupBox1()->SetCaption(u" VANDREL project ");
    TVarErozidOvur& Grid = *grdADF();
    Grid.SetFixedRows(1);
    Grid.SetFixedCols(0);
    Grid.SetDefaultRowHeight(21);
    TGridOptions Options = Grid.Options();
    Options.Include(goEditing);
    Options.Include(goAlwaysShowEditor);
    Grid.SetOptions(Options);
}

void TfrmRefinements::FormCreate(TObject*) { OpenDialog1()->SetInitialDir(GetDataDir()); }

void TfrmRefinements::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmRefinements::FormShow(TObject*) {
    pagPages()->SetActivePage(tabAreas());
    pagPagesChange(this);
    UpdateFileControls();
    FUpdating = false;
}

void TfrmRefinements::FormClose(TObject*, TCloseAction&) { fraRCA1()->CloseFrame(); }

void TfrmRefinements::AssignProject(TDWProject* AProject) {
    FProject = AProject;
    const TAbstractionPoints& Points = *FProject->AbstractionPoints();
    mmComments()->Lines()->Assign(Points.Comment());
    {
        TFlagGuard Updating(FUpdating);
        if (Points.IsDefault())
            radDefault()->SetChecked(true);
        else
            radFile()->SetChecked(true);
    }
    UpdateFileControls();
    fraProjectSummary1()->AssignProject(*FProject);
    fraCropAreas1()->AssignProject(*FProject);
    fraRCA1()->AssignProject(*FProject);
    LoadDilutionFactors();
}

void TfrmRefinements::UpdateFileControls() {
    const bool Default = radDefault()->Checked();
    txtFileName()->SetCaption(Default || !FProject ? String() : FProject->AbstractionPoints()->FileName());
    btnBrowse()->SetVisible(radFile()->Checked());
}

void TfrmRefinements::pagPagesChange(TObject*) {
    gbCropArcreage()->SetVisible(pagPages()->ActivePage() == tabAreas());
}

void TfrmRefinements::LoadDilutionFactors() {
    TVarErozidOvur& Grid = *grdADF();
    const TAbstractionPoints& Points = *FProject->AbstractionPoints();
    Grid.SetRowCount(std::max<Integer>(Points.Count() + 1, 2));
    Grid.ClearNormalRows(1, Grid.RowCount() - 1);
    const String FactorFormat = Grid.ColumnFloatFormat(ColFactor);
    for (Integer I = 0; I < Points.Count(); ++I) {
        Grid.SetCells(0, I + 1, Points.Items(I)->Caption());
        Grid.SetCells(ColFactor, I + 1, Format(FactorFormat, {Points.Items(I)->ADF()}));
    }
}

String TfrmRefinements::NewFileMessage(const String& FileName) {
    return u"- New values for Crop Acreages read from file: \"" + ExtractFileName(FileName) + u"\".\n\r" +
           u"- Additional Dilution Factors and Market Shares are reset to the default values.";
}

bool TfrmRefinements::AssignCropAreaFile(const String& FileName) {
    TAbstractionPoints& Points = *FProject->AbstractionPoints();
    const std::unique_ptr<TAbstractionPoints> Before = Points.Copy();
    try {
        Points.SetFileName(FileName);
    } catch (const Exception& E) {
        // A file that fails half-way leaves points built from it; the
        // project keeps what it held before instead.
        Before->CopyData(Points);
        ShowError(FailedToAssign + E.Message());
        return false;
    }
    AssignProject(FProject);
    return true;
}

void TfrmRefinements::CheckDefault() {
    radDefault()->SetChecked(true);
    if (radDefault()->CanFocus()) radDefault()->SetFocus();
}

void TfrmRefinements::radFileClick(TObject*) {
    if (FUpdating || !FProject) return;
    TFlagGuard Updating(FUpdating);
    if (radFile()->Checked()) {
        if (!OpenDialog1()->Execute())
            CheckDefault();
        else if (AssignCropAreaFile(OpenDialog1()->FileName()))
            UserInteraction().ShowMessage(NewFileMessage(OpenDialog1()->FileName()));
        else
            CheckDefault();
    }
    UpdateFileControls();
}

void TfrmRefinements::radDefaultClick(TObject*) {
    if (FUpdating || !FProject) return;
    FProject->AbstractionPoints()->ResetToDefault();
    UserInteraction().ShowMessage(
        u"Crop Acreages, Additional Dilution Factors and Market Shares are reset to the default values.");
    AssignProject(FProject);
    UpdateFileControls();
}

void TfrmRefinements::btnBrowseClick(TObject*) {
    if (!FProject) return;
    if (OpenDialog1()->Execute()) AssignCropAreaFile(OpenDialog1()->FileName());
}

void TfrmRefinements::btnCancelClick(TObject*) { Close(); }

bool TfrmRefinements::SaveDilutionFactors() {
    TVarErozidOvur& Grid = *grdADF();
    TAbstractionPoints& Points = *FProject->AbstractionPoints();
    const String FactorFormat = Grid.ColumnFloatFormat(ColFactor);
    for (Integer I = 0; I < Points.Count() && I + 1 < Grid.RowCount(); ++I) {
        TAbstractionPoint& Point = *Points.Items(I);
        // A cell that still shows the stored factor keeps it unrounded.
        const Double Value = Grid.Cells(ColFactor, I + 1) == Format(FactorFormat, {Point.ADF()})
                                 ? Point.ADF()
                                 : Grid.Floats(ColFactor, I + 1);
        if (std::isnan(Value) || Value < 0 || Value > 1) {
            pagPages()->SetActivePage(tabADF());
            pagPagesChange(this);
            Grid.FocusCell(ColFactor, I + 1);
            ShowError(RangeMessage);
            return false;
        }
        Point.SetADF(Value);
    }
    return true;
}

bool TfrmRefinements::CheckMarketShares() {
    if (fraRCA1()->CheckInputMarketShare(*FProject)) return true;
    pagPages()->SetActivePage(tabRCA());
    pagPagesChange(this);
    ShowError(RangeMessage);
    return false;
}

void TfrmRefinements::btnCloseClick(TObject*) {
    if (!SaveDilutionFactors()) return;
    if (!CheckMarketShares()) return;
    fraRCA1()->SaveToProject(*FProject);
    dmDataObjects->SaveProject(*FProject);
    SetModalResult(mrOk);
}
