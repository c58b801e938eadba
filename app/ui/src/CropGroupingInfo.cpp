#include "ui/CropGroupingInfo.h"

#include "core/DataModule.h"
#include "core/Project.h"
#include "data/DataSource.h"
#include "dbctrls/DBGrid.h"
#include "rtl/ClassBuilder.h"
#include "ui/CropAreas.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/PageControl.h"
#include "vcl/StdCtrls.h"

const TClassInfo& TfrmCropGroupingInfo::StaticClassInfo() {
    using C = TfrmCropGroupingInfo;
    static const TClassInfo Info =
        TClassBuilder<C, TForm>().Method(u"FormActivate", &C::FormActivate).Build();
    return Info;
}

TfrmCropGroupingInfo::TfrmCropGroupingInfo(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TPageControl* TfrmCropGroupingInfo::pagPages() const { return LayoutPart<TPageControl>(this, u"pagPages"); }
TDBGrid* TfrmCropGroupingInfo::grdCrops() const { return LayoutPart<TDBGrid>(this, u"grdCrops"); }
TDataSource* TfrmCropGroupingInfo::dsCrops() const { return LayoutPart<TDataSource>(this, u"dsCrops"); }
TfraCropAreas* TfrmCropGroupingInfo::fraCropAreas1() const {
    return LayoutPart<TfraCropAreas>(this, u"fraCropAreas1");
}
TButton* TfrmCropGroupingInfo::btnClose() const { return LayoutPart<TButton>(this, u"btnClose"); }

void TfrmCropGroupingInfo::Execute() {
    auto* Form = Create<TfrmCropGroupingInfo>(nullptr);
    try {
        Form->OpenCropsTable();
        Form->LoadDefaultCropAreas();
        Form->pagPages()->SetActivePageIndex(0);
        Form->ShowModal();
    } catch (...) {
        Form->CloseCropsTable();
        Free(Form);
        throw;
    }
    Form->CloseCropsTable();
    Free(Form);
}

void TfrmCropGroupingInfo::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmCropGroupingInfo::OpenCropsTable() {
    dsCrops()->SetDataSet(dmDataObjects->tblDWTCrops);
    grdCrops()->SetDataSource(dsCrops());
    TGridOptions Options = grdCrops()->Options();
    Options.Include(goRowSelect);
    grdCrops()->SetOptions(Options);
    dmDataObjects->tblDWTCrops->Open();
}

void TfrmCropGroupingInfo::CloseCropsTable() {
    if (dmDataObjects) dmDataObjects->tblDWTCrops->Close();
}

void TfrmCropGroupingInfo::LoadDefaultCropAreas() {
    TDWProject Defaults;
    Defaults.AbstractionPoints()->SetFileName(dmDataObjects->DefaultCropAreaFile());
    fraCropAreas1()->AssignProject(Defaults);
}
