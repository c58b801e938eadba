#include "ui/ProjectList.h"

#include "VORN/VORNInterface.h"
#include "core/DataModule.h"
#include "core/Folders.h"
#include "core/Project.h"
#include "core/UserInteraction.h"
#include "dbctrls/DBGrid.h"
#include "dbctrls/DBNavigator.h"
#include "os/Shell.h"
#include "rtl/ClassBuilder.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"
#include "ui/CopyProject.h"
#include "ui/PecPeak.h"
#include "ui/ProjectSummary.h"
#include "ui/Results.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/Buttons.h"
#include "vcl/GroupBox.h"
#include "vcl/StaticText.h"
#include "vcl/StdCtrls.h"

#include "ui/Refinements.h"

#include <memory>

namespace {

TStringList* InfoListOf(const TStrings& List, Integer Index) {
    return static_cast<TStringList*>(List.Objects(Index));
}

} // namespace

void ShowProjectList(Integer ProjectID) {
    TOwnedForm<TfrmDWProjects> Form(Create<TfrmDWProjects>(nullptr));
    dmDataObjects->FocusDWTSubstance(ProjectID);
    Form->ShowModal();
}

const TClassInfo& TfrmDWProjects::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TfrmDWProjects, TForm>()
                                       .Method(u"FormCreate", &TfrmDWProjects::FormCreate)
                                       .Method(u"FormDestroy", &TfrmDWProjects::FormDestroy)
                                       .Method(u"FormShow", &TfrmDWProjects::FormShow)
                                       .Method(u"FormClose", &TfrmDWProjects::FormClose)
                                       .Method(u"FormActivate", &TfrmDWProjects::FormActivate)
                                       .Method(u"cbxSubstanceCodeChange", &TfrmDWProjects::cbxSubstanceCodeChange)
                                       .Method(u"btnSubstancesClick", &TfrmDWProjects::btnSubstancesClick)
                                       .Method(u"btnCreateViewClick", &TfrmDWProjects::btnCreateViewClick)
                                       .Method(u"btnCreateCalcClick", &TfrmDWProjects::btnCreateCalcClick)
                                       .Method(u"btnResultsClick", &TfrmDWProjects::btnResultsClick)
                                       .Method(u"btnRefinementsClick", &TfrmDWProjects::btnRefinementsClick)
                                       .Method(u"btnPecPeakClick", &TfrmDWProjects::btnPecPeakClick)
                                       .Method(u"btnCopyClick", &TfrmDWProjects::btnCopyClick)
                                       .Method(u"btnExploreClick", &TfrmDWProjects::btnExploreClick)
                                       .Build();
    return Info;
}

TfrmDWProjects::TfrmDWProjects(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TfrmDWProjects::~TfrmDWProjects() {
    if (FSelectedProject) FSelectedProject->OnChange = nullptr;
    FreeSubstanceLists();
}

void TfrmDWProjects::Loaded() {
    TForm::Loaded();
    fraTRAVOProject()->GroupBox1()->SetCaption(u"MIRETH project: ");
    const std::pair<TNavigateBtn, const Char*> Hints[] = {
        {nbFirst, u"First project"}, {nbPrior, u"Prior project"}, {nbNext, u"Next project"},
        {nbLast, u"Last project"},   {nbDelete, u"Delete project"},
    };
    for (const auto& [Button, Hint] : Hints)
        DBNavigator1()->Button(Button)->SetHint(Hint);
    TGridOptions Options = grdProjects()->Options();
    Options.Include(goRowSelect);
    grdProjects()->SetOptions(Options);
    if (dmDataObjects) {
        grdProjects()->SetDataSource(dmDataObjects->dsProjects);
        DBNavigator1()->SetDataSource(dmDataObjects->dsProjects);
    }
}

TDBGrid* TfrmDWProjects::grdProjects() const { return LayoutPart<TDBGrid>(this, u"grdProjects"); }
TDBNavigator* TfrmDWProjects::DBNavigator1() const { return LayoutPart<TDBNavigator>(this, u"DBNavigator1"); }
TButton* TfrmDWProjects::btnCopy() const { return LayoutPart<TButton>(this, u"btnCopy"); }
TGroupBox* TfrmDWProjects::grpRuns() const { return LayoutPart<TGroupBox>(this, u"grpRuns"); }
TStaticText* TfrmDWProjects::txtName() const { return LayoutPart<TStaticText>(this, u"txtName"); }
TMemo* TfrmDWProjects::mmoDescription() const { return LayoutPart<TMemo>(this, u"mmoDescription"); }
TStaticText* TfrmDWProjects::txtCreated() const { return LayoutPart<TStaticText>(this, u"txtCreated"); }
TStaticText* TfrmDWProjects::txtModified() const { return LayoutPart<TStaticText>(this, u"txtModified"); }
TStaticText* TfrmDWProjects::txtPath() const { return LayoutPart<TStaticText>(this, u"txtPath"); }
TComboBox* TfrmDWProjects::cbxSubstanceCode() const { return LayoutPart<TComboBox>(this, u"cbxSubstanceCode"); }
TButton* TfrmDWProjects::btnSubstances() const { return LayoutPart<TButton>(this, u"btnSubstances"); }
TButton* TfrmDWProjects::btnRefinements() const { return LayoutPart<TButton>(this, u"btnRefinements"); }
TButton* TfrmDWProjects::btnPecPeak() const { return LayoutPart<TButton>(this, u"btnPecPeak"); }
TButton* TfrmDWProjects::btnCreateView() const { return LayoutPart<TButton>(this, u"btnCreateView"); }
TButton* TfrmDWProjects::btnCreateCalc() const { return LayoutPart<TButton>(this, u"btnCreateCalc"); }
TButton* TfrmDWProjects::btnResults() const { return LayoutPart<TButton>(this, u"btnResults"); }
TButton* TfrmDWProjects::btnExplore() const { return LayoutPart<TButton>(this, u"btnExplore"); }
TfraProjectSummary* TfrmDWProjects::fraTRAVOProject() const {
    return LayoutPart<TfraProjectSummary>(this, u"fraTRAVOProject");
}
TBitBtn* TfrmDWProjects::BitBtn1() const { return LayoutPart<TBitBtn>(this, u"BitBtn1"); }

void TfrmDWProjects::FormCreate(TObject*) {
    FSelectedProject = dmDataObjects->CurrentProject();
    slSubstances = new TStringList();
}

void TfrmDWProjects::FreeSubstanceLists() {
    if (!slSubstances) return;
    for (Integer I = 0; I < slSubstances->Count(); ++I)
        Free(slSubstances->Objects(I));
    slSubstances->Clear();
}

void TfrmDWProjects::FormDestroy(TObject*) {
    FreeSubstanceLists();
    Free(slSubstances);
    slSubstances = nullptr;
}

void TfrmDWProjects::FormShow(TObject*) {
    UpdateCheckSums();
    LoadSubstances();
    FSelectedProject->OnChange = [this](TObject* Sender) { ProjectChanged(Sender); };
    ProjectChanged(FSelectedProject);
}

void TfrmDWProjects::FormClose(TObject*, TCloseAction&) {
    if (FSelectedProject) FSelectedProject->OnChange = nullptr;
}

void TfrmDWProjects::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmDWProjects::UpdateCheckSums() { dmDataObjects->UpdatCheckSums(); }

void TfrmDWProjects::LoadSubstances() {
    TVORNInterface& Library = TVORNInterface::GetSingleton();
    // The drop-down's items point at the information lists: empty it first.
    cbxSubstanceCode()->Items()->Clear();
    FreeSubstanceLists();
    Library.GetSubstancesGUIDList(true, true, slSubstances);
    const String Incomplete = Library.IncompleteAttributeName();
    TStrings& Items = *cbxSubstanceCode()->Items();
    for (const bool IncompletePass : {false, true})
        for (Integer I = 0; I < slSubstances->Count(); ++I) {
            TStringList* Info = InfoListOf(*slSubstances, I);
            if (!Info) continue;
            if (Library.StrToBoolean(Info->Values(Incomplete)) != IncompletePass) continue;
            Items.AddObject(Info->Values(u"SubstanceCode") + (IncompletePass ? u" (incomplete)" : u""), Info);
        }
}

String TfrmDWProjects::SelectedSubstanceGUID() const {
    const TComboBox& Combo = *cbxSubstanceCode();
    if (Combo.ItemIndex() < 0) return String();
    return InfoListOf(*Combo.Items(), Combo.ItemIndex())->Values(u"SubstanceGUID");
}

Integer TfrmDWProjects::IndexOfSubstance(const String& GUID) const {
    const TStrings& Items = *cbxSubstanceCode()->Items();
    for (Integer I = 0; I < Items.Count(); ++I)
        if (InfoListOf(Items, I)->Values(u"SubstanceGUID") == GUID) return I;
    return -1;
}

String TfrmDWProjects::SubstanceCaption(const String& GUID) {
    if (Trim(GUID).empty()) return u"unknown substance";
    TVORNInterface& Library = TVORNInterface::GetSingleton();
    std::unique_ptr<TStringList> Info(new TStringList());
    TStringList* List = Info.get();
    Library.GetSubstanceInfoListByGUID(GUID, true, List);
    if (Info->Count() == 0) return u"unknown substance";
    const String Code = Info->Values(u"SubstanceCode");
    if (Library.StrToBoolean(Info->Values(Library.IncompleteAttributeName()))) return Code + u" (incomplete)";
    return Code;
}

void TfrmDWProjects::ProjectChanged(TObject*) {
    if (!FSelectedProject || !slSubstances) return;
    TDWProject& Project = *FSelectedProject;
    txtName()->SetCaption(Project.Name());
    mmoDescription()->Lines()->SetText(Project.Description);
    txtCreated()->SetCaption(Project.Created);
    txtModified()->SetCaption(Project.Modified);
    txtPath()->SetCaption(Project.Path());
    txtPath()->SetHint(Project.Path());
    cbxSubstanceCode()->SetItemIndex(IndexOfSubstance(Project.Substance()->GUID()));
    fraTRAVOProject()->AssignProject(*Project.TRAVOProject());

    const bool HasName = !Project.Name().empty();
    for (TControl* Control : std::initializer_list<TControl*>{
             btnRefinements(), btnPecPeak(), btnCreateView(), btnCreateCalc(), btnSubstances(), btnCopy(),
             cbxSubstanceCode(), btnExplore()})
        Control->SetEnabled(HasName);
    btnResults()->SetEnabled(Project.ResultAvailable());
}

void TfrmDWProjects::RereadCurrentProject() {
    FSelectedProject = dmDataObjects->CurrentProject();
    dmDataObjects->ReadDWTProject(*FSelectedProject, -1);
}

void TfrmDWProjects::cbxSubstanceCodeChange(TObject*) {
    TDWProject& Project = *FSelectedProject;
    const String GUID = SelectedSubstanceGUID();
    if (GUID == Project.Substance()->GUID()) return;
    if (::Confirm(u"Warning! If you change properties of this compound and next, continue your calculations, you "
                  u"will obtain inconsistent results: You will obtain a PEC_TierI based upon different compound "
                  u"properties as your PEC_FOCUS_NL,D3. Do you want to continue ?")) {
        TVORNInterface& Library = TVORNInterface::GetSingleton();
        Project.Substance()->SetGUID(GUID);
        Project.Substance()->SetCheckSum(Library.GetSubstanceChecksumByGUID(GUID));
        Project.Substance()->SetCaption(SubstanceCaption(GUID));
        dmDataObjects->SetSubstance(Project.ID, Project.Substance()->GUID(), Project.Substance()->CheckSum());
    }
    ProjectChanged(FSelectedProject);
}

void TfrmDWProjects::btnSubstancesClick(TObject*) {
    if (!FSelectedProject) return;
    const Integer ProjectID = FSelectedProject->ID;
    try {
        TVORNInterface::GetSingleton().OpenUI(FSelectedProject->Substance()->GUID(), false);
    } catch (const Exception& E) {
        // The library may still have changed substances before it failed:
        // the list and the checksums are brought up to date all the same.
        ::ShowError(E.Message());
    }
    LoadSubstances();
    UpdateCheckSums();
    // The checksum pass leaves the table on its last row; a calculation that
    // follows must run on the project the user was looking at.
    if (!dmDataObjects->FocusDWTProject(ProjectID)) RereadCurrentProject();
    ProjectChanged(FSelectedProject);
}

void TfrmDWProjects::btnCreateViewClick(TObject*) {
    FSelectedProject->CreateInputFiles();
    FSelectedProject->ViewInputFiles();
}

void TfrmDWProjects::btnCreateCalcClick(TObject*) {
    FSelectedProject->CreateInputFiles();
    if (FSelectedProject->Calculate()) {
        btnResults()->SetEnabled(true);
        if (::Confirm(u"Calculation succesful. Do you want to view the result?")) btnResults()->Click();
    } else {
        btnResults()->SetEnabled(false);
        ::ShowError(u"Calculation failed");
    }
}

void TfrmDWProjects::btnResultsClick(TObject*) {
    TOwnedForm<TfrmResults> Form(Create<TfrmResults>(this));
    Form->AssignProject(FSelectedProject);
    Form->ShowModal();
}

void TfrmDWProjects::btnRefinementsClick(TObject*) {
    {
        TOwnedForm<TfrmRefinements> Form(Create<TfrmRefinements>(this));
        Form->AssignProject(FSelectedProject);
        Form->ShowModal();
    }
    // Values the user did not store must not reach the next calculation.
    RereadCurrentProject();
}

void TfrmDWProjects::btnPecPeakClick(TObject*) {
    {
        TOwnedForm<TfrmPecPeak> Form(Create<TfrmPecPeak>(this));
        Form->AssignProject(FSelectedProject);
        Form->ShowModal();
    }
    RereadCurrentProject();
}

void TfrmDWProjects::btnCopyClick(TObject*) {
    {
        TOwnedForm<TfrmCopyProject> Dialog(Create<TfrmCopyProject>(this));
        Dialog->edtDesc()->SetText(FSelectedProject->Description);
        Dialog->edtName()->SetText(FSelectedProject->Name());
        if (Dialog->ShowModal() == mrOk) {
            TDWProject NewProject;
            NewProject.SetName(Dialog->edtNameNew()->Text());
            NewProject.Description = Dialog->edtDescNew()->Text();
            NewProject.CreateProjectDir();
            dmDataObjects->CopyProject(FSelectedProject->ID, NewProject);
            grdProjects()->Invalidate();
        }
    }
    RereadCurrentProject();
}

void TfrmDWProjects::btnExploreClick(TObject*) { os::ShellOpen(txtPath()->Caption()); }
