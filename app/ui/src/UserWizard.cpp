#include "ui/UserWizard.h"

#include "core/CropGroupCache.h"
#include "core/DataModule.h"
#include "core/Project.h"
#include "core/TextChecks.h"
#include "core/UserInteraction.h"
#include "grid/VarErozidOvur.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "ui/PeakInput.h"
#include "ui/ProjectSummary.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/GroupBox.h"
#include "vcl/PageControl.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

#include <algorithm>

namespace {

const Char* const SelectKorvalisCrop = u"<select Korvalis crop>";

// The crop grid's columns.
constexpr Integer CropColFocus = 0;
constexpr Integer CropColGrouping = 1;
constexpr Integer CropColAppls = 2;
constexpr Integer CropColRate = 3;
constexpr Integer CropColDate = 4;

} // namespace

const TClassInfo& TfrmUserWizard::StaticClassInfo() {
    using C = TfrmUserWizard;
    static const TClassInfo Info = TClassBuilder<C, TForm>()
                                       .Method(u"FormCreate", &C::FormCreate)
                                       .Method(u"FormDestroy", &C::FormDestroy)
                                       .Method(u"FormKeyDown", &C::FormKeyDown)
                                       .Method(u"FormActivate", &C::FormActivate)
                                       .Method(u"btnNextClick", &C::btnNextClick)
                                       .Method(u"btnBackClick", &C::btnBackClick)
                                       .Method(u"btnFinishClick", &C::btnFinishClick)
                                       .Method(u"pagPagesChanging", &C::pagPagesChanging)
                                       .Method(u"pagPagesChange", &C::pagPagesChange)
                                       .Method(u"cmbTravoProjectsChange", &C::cmbTravoProjectsChange)
                                       .Method(u"TabSheet4Show", &C::TabSheet4Show)
                                       .Method(u"ComboBox1Change", &C::ComboBox1Change)
                                       .Method(u"edtNameChange", &C::edtNameChange)
                                       .Method(u"grdCropsRowChanging", &C::grdCropsRowChanging)
                                       .Method(u"grdCropsColChanging", &C::grdCropsColChanging)
                                       .Method(u"grdPecGridHint", &C::grdPecGridHint)
                                       .Build();
    return Info;
}

TfrmUserWizard::TfrmUserWizard(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TfrmUserWizard::~TfrmUserWizard() = default;

TPageControl* TfrmUserWizard::pagPages() const { return LayoutPart<TPageControl>(this, u"pagPages"); }
TComboBox* TfrmUserWizard::cmbTravoProjects() const { return LayoutPart<TComboBox>(this, u"cmbTravoProjects"); }
TVarErozidOvur* TfrmUserWizard::grdCrops() const { return LayoutPart<TVarErozidOvur>(this, u"grdCrops"); }
TVarErozidOvur* TfrmUserWizard::grdPec() const { return LayoutPart<TVarErozidOvur>(this, u"grdPec"); }
TEdit* TfrmUserWizard::edtName() const { return LayoutPart<TEdit>(this, u"edtName"); }
TEdit* TfrmUserWizard::edtDescription() const { return LayoutPart<TEdit>(this, u"edtDescription"); }
TButton* TfrmUserWizard::btnBack() const { return LayoutPart<TButton>(this, u"btnBack"); }
TButton* TfrmUserWizard::btnNext() const { return LayoutPart<TButton>(this, u"btnNext"); }
TButton* TfrmUserWizard::btnFinish() const { return LayoutPart<TButton>(this, u"btnFinish"); }
TButton* TfrmUserWizard::btnCancel() const { return LayoutPart<TButton>(this, u"btnCancel"); }
TfraProjectSummary* TfrmUserWizard::Frame(Integer Page) const {
    return LayoutPart<TfraProjectSummary>(this, u"fraTRAVOProject" + IntToStr(Page));
}

Integer TfrmUserWizard::Execute() {
    auto* Wizard = Create<TfrmUserWizard>(nullptr);
    Integer Result = -1;
    try {
        Wizard->changing = false;
        Wizard->LoadScenarioProjects();
        Wizard->UpdateCaption();
        Wizard->InitCausedByItems();
        if (Wizard->ShowModal() == mrOk) Result = Wizard->DWProject()->ID;
    } catch (...) {
        Free(Wizard);
        throw;
    }
    Free(Wizard);
    return Result;
}

void TfrmUserWizard::Loaded() {
    TForm::Loaded();
    for (Integer Page = 1; Page <= 4; ++Page)
        Frame(Page)->GroupBox1()->SetCaption(u"MIRETH project: ");
    Frame(2)->txtSubstance()->SetColor(clRed);
    TVarErozidOvur& Crops = *grdCrops();
    Crops.SetFixedRows(1);
    Crops.SetFixedCols(0);
    Crops.SetDefaultRowHeight(21);
    TGridOptions Options = Crops.Options();
    Options.Include(goEditing);
    Options.Include(goAlwaysShowEditor);
    Crops.SetOptions(Options);
    SetUpPeakGrid(*grdPec());
    TPageControl& Pages = *pagPages();
    for (Integer Page = 0; Page < Pages.PageCount(); ++Page)
        Pages.Pages(Page)->SetTabVisible(false);
    Pages.SetActivePageIndex(0);
    pagPagesChange(this);
}

void TfrmUserWizard::FormCreate(TObject*) { FDWProject = std::make_unique<TDWProject>(); }

void TfrmUserWizard::FormDestroy(TObject*) { FDWProject.reset(); }

void TfrmUserWizard::FormKeyDown(TObject*, Word& Key, TShiftState) {
    if (Key == winapi::VK_ESCAPE) {
        Key = 0;
        SetModalResult(mrCancel);
    }
}

void TfrmUserWizard::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmUserWizard::UpdateCaption() {
    static const Char* const Captions[] = {
        u"Wizard: Select MIRETH project (1/4)", u"Wizard: View applications (2/4)",
        u"Wizard: Enter Peak (3/4)", u"Wizard: Finish VANDREL project info (4/4)"};
    const Integer Page = pagPages()->ActivePageIndex();
    if (Page >= 0 && Page < 4) SetCaption(Captions[Page]);
}

void TfrmUserWizard::InitCausedByItems() { ::InitCausedByItems(*grdPec()); }

void TfrmUserWizard::LoadScenarioProjects() {
    TComboBox& Combo = *cmbTravoProjects();
    dmDataObjects->GetTravoProjects(*Combo.Items(), AssessedScenario);
    if (Combo.Items()->Count() == 0)
        throw Exception(u"No suitable projects available. Only projects copied in MIRETH (and linked to the "
                        u"correct Dutch drift deposition) can be selected.");
    Combo.SetItemIndex(0);
    cmbTravoProjectsChange(this);
}

void TfrmUserWizard::cmbTravoProjectsChange(TObject*) {
    TComboBox& Combo = *cmbTravoProjects();
    if (Combo.ItemIndex() < 0) return;
    try {
        dmDataObjects->ReadTravoProject(*FDWProject->TRAVOProject(),
                                        TravoProjectIDOf(*Combo.Items(), Combo.ItemIndex()), AssessedScenario);
    } catch (...) {
        Application->HandleException(this);
    }
    AssignScenarioProject();
}

void TfrmUserWizard::AssignScenarioProject() {
    const TTRAVOProject& Scenario = *FDWProject->TRAVOProject();
    Frame(1)->AssignProject(Scenario);
    Frame(2)->AssignProject(Scenario);
    FillCropGrid();
    Frame(3)->AssignProject(Scenario);
    Frame(4)->AssignProject(Scenario);
}

void TfrmUserWizard::FillCropGrid() {
    TVarErozidOvur& Grid = *grdCrops();
    const TTRAVOProject& Scenario = *FDWProject->TRAVOProject();
    Integer Rows = 1;
    for (const TRun* Run : Scenario.Runs())
        if (Run->available) Rows += std::max<Integer>(1, Run->Applications().Count());
    const bool WasChanging = changing;
    changing = true;
    Grid.SetRowCount(std::max<Integer>(Rows, 2));
    Grid.ClearNormalRows(1, Grid.RowCount() - 1);
    Integer Row = 1;
    for (const TRun* Run : Scenario.Runs()) {
        if (!Run->available) continue;
        const String Crop = Run->FOCUS_D3_Crop()->AsString();
        TStringList Names;
        GetKorvalisCropNames(Crop, Names);
        Grid.SetCells(CropColFocus, Row, Crop);
        Grid.SetCells(CropColGrouping, Row, Names.Count() == 1 ? Names.Strings(0) : String(SelectKorvalisCrop));
        Grid.SetCells(CropColAppls, Row, IntToStr(Run->NumberOfApplications));
        if (Run->Applications().Count() == 0) ++Row;
        for (const TRunApplication* Application : Run->Applications()) {
            Grid.SetCells(CropColRate, Row, FloatToStrF(Application->Rate, ffFixed, 5, 4));
            Grid.SetCells(CropColDate, Row, Application->ApplDate);
            ++Row;
        }
    }
    Grid.SetRowCount(std::max<Integer>(Row, 2));
    Grid.SetCol(CropColGrouping);
    Grid.SetRow(1);
    changing = WasChanging;
    SetGroupingChoices(Grid, 1);
}

void TfrmUserWizard::grdCropsRowChanging(TObject*, Integer OldRow, Integer NewRow, bool& Allow) {
    if (changing) return;
    changing = true;
    Allow = false;
    TVarErozidOvur& Grid = *grdCrops();
    Integer Target = -1;
    if (NewRow > OldRow) {
        for (Integer Row = NewRow; Row < Grid.RowCount() && Target < 0; ++Row)
            if (!Grid.Cells(CropColFocus, Row).empty()) Target = Row;
    } else {
        for (Integer Row = NewRow; Row >= 1 && Target < 0; --Row)
            if (!Grid.Cells(CropColFocus, Row).empty()) Target = Row;
    }
    // The list of the row the cursor goes to is in place before it gets
    // there: its grouping editor opens as the cursor arrives.
    if (Target >= 0) {
        SetGroupingChoices(Grid, Target);
        Grid.SetRow(Target);
    }
    SetGroupingChoices(Grid, Grid.Row());
    changing = false;
}

void TfrmUserWizard::grdCropsColChanging(TObject*, Integer, Integer NewCol, bool& Allow) {
    Allow = NewCol == CropColGrouping;
}

void TfrmUserWizard::FillPeakGrid() {
    TVarErozidOvur& Grid = *grdPec();
    const TTRAVOProject& Scenario = *FDWProject->TRAVOProject();
    Integer Rows = 1;
    for (const TRun* Run : Scenario.Runs())
        if (Run->available) ++Rows;
    Grid.SetRowCount(std::max<Integer>(Rows, 2));
    Grid.ClearNormalRows(1, Grid.RowCount() - 1);
    Integer Row = 1;
    for (const TRun* Run : Scenario.Runs()) {
        if (!Run->available) continue;
        Grid.SetCells(PeakColCrop, Row, Run->FOCUS_D3_Crop()->AsString());
        Grid.SetCells(PeakColGrouping, Row, Run->KorvalisCrop()->KV_NameE);
        Grid.SetCells(PeakColPeak, Row, Run->valid ? FloatToStr(Run->PEC_peak) : String());
        Grid.SetCells(PeakColDate, Row, Run->valid ? Run->Date_peak : String());
        Grid.SetCells(PeakColCausedBy, Row, Run->valid ? Run->sCausedBy : String());
        ++Row;
    }
    Grid.SetCol(PeakColPeak);
    Grid.SetRowCount(std::max<Integer>(Row, 2));
}

void TfrmUserWizard::CheckCropChoice() {
    TVarErozidOvur& Grid = *grdCrops();
    TTRAVOProject& Scenario = *FDWProject->TRAVOProject();
    for (Integer Row = 1; Row < Grid.RowCount(); ++Row) {
        const String Crop = Grid.Cells(CropColFocus, Row);
        if (Crop.empty()) continue;
        TRun* Run = Scenario.getRun(Crop);
        const String Grouping = Grid.Cells(CropColGrouping, Row);
        if (Grouping.find(SelectKorvalisCrop) != String::npos) {
            changing = true;
            Grid.FocusCell(CropColGrouping, Row);
            changing = false;
            throw Exception(u"Select Korvalis crop");
        }
        if (!Run) continue;
        Run->KorvalisCrop()->KV_NameE = Grouping;
        Run->KorvalisCrop()->ID = GetKorvalisCropID(Crop, Grouping);
    }
    FillPeakGrid();
}

bool TfrmUserWizard::CheckPeakInput() { return CheckPeakRows(*grdPec(), *FDWProject->TRAVOProject(), false); }

void TfrmUserWizard::btnNextClick(TObject*) {
    doCheckInput = true;
    pagPages()->SelectNextPage(true, false);
}

void TfrmUserWizard::btnBackClick(TObject*) {
    doCheckInput = false;
    pagPages()->SelectNextPage(false, false);
}

void TfrmUserWizard::pagPagesChanging(TObject*, bool& AllowChange) {
    if (!doCheckInput) return;
    switch (pagPages()->ActivePageIndex()) {
    case 1:
        CheckCropChoice();
        break;
    case 2:
        AllowChange = CheckPeakInput();
        if (FDWProject->MultipleKorvalisGrouping()) ShowWarning(MultipleGroupingWarning());
        break;
    default:
        break;
    }
}

void TfrmUserWizard::pagPagesChange(TObject*) {
    const Integer Page = pagPages()->ActivePageIndex();
    const Integer Last = pagPages()->PageCount() - 1;
    btnFinish()->SetEnabled(Page == Last);
    btnNext()->SetEnabled(Page < Last);
    btnBack()->SetEnabled(Page > 0);
    UpdateCaption();
}

void TfrmUserWizard::TabSheet4Show(TObject*) {
    if (edtName()->CanFocus()) edtName()->SetFocus();
}

void TfrmUserWizard::ComboBox1Change(TObject*) { UserInteraction().ShowMessage(u"  "); }

void TfrmUserWizard::grdPecGridHint(TObject*, Integer, Integer ACol, String& HintStr) {
    switch (ACol) {
    case PeakColPeak:
        HintStr = u"Select peak concentration from MIRETH output file *.sum";
        break;
    case PeakColDate:
        HintStr = u"Fill in correct date ([dd-mon-yyyy], e.g. 12-apr-2008)";
        break;
    case PeakColCausedBy:
        HintStr = u"Select entry route that contributed most to peak";
        break;
    default:
        HintStr.clear();
        break;
    }
}

void TfrmUserWizard::edtNameChange(TObject*) {
    TEdit& Edit = *edtName();
    StripNonASCIIFromEdit(Edit);
    try {
        FDWProject->SetName(Edit.Text());
    } catch (...) {
        Edit.SetText(FDWProject->Name());
        throw;
    }
}

bool TfrmUserWizard::CheckProjectName() {
    TEdit& Edit = *edtName();
    const String Name = Trim(Edit.Text());
    Edit.SetText(Name);
    String Message;
    if (Name.empty())
        Message = u"Enter a name";
    else if (dmDataObjects->ProjectNameExists(Name))
        Message = u"Name already exists";
    if (Message.empty()) return true;
    if (Edit.CanFocus()) Edit.SetFocus();
    ShowError(Message);
    return false;
}

void TfrmUserWizard::btnFinishClick(TObject*) {
    if (!CheckProjectName()) {
        SetModalResult(mrNone);
        return;
    }
    FDWProject->SetName(edtName()->Text());
    FDWProject->Description = edtDescription()->Text();
    FDWProject->CreateProjectDir();
    FDWProject->AbstractionPoints()->SetFileName(dmDataObjects->DefaultCropAreaFile());
    FDWProject->TRAVOProject()->Substance()->Copy(*FDWProject->Substance());
    dmDataObjects->SaveProject(*FDWProject);
    SetModalResult(mrOk);
}
