#include "ui/InfoSurfaceAreas.h"

#include "core/DataModule.h"
#include "data/DataSource.h"
#include "dbctrls/DBGrid.h"
#include "rtl/ClassBuilder.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/StdCtrls.h"

const TClassInfo& TfrmInfoSurfaceAreas::StaticClassInfo() {
    using C = TfrmInfoSurfaceAreas;
    static const TClassInfo Info = TClassBuilder<C, TForm>()
                                       .Method(u"FormCreate", &C::FormCreate)
                                       .Method(u"FormShow", &C::FormShow)
                                       .Method(u"FormActivate", &C::FormActivate)
                                       .Method(u"btnBrakelClick", &C::btnBrakelClick)
                                       .Build();
    return Info;
}

TfrmInfoSurfaceAreas::TfrmInfoSurfaceAreas(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TDBGrid* TfrmInfoSurfaceAreas::grdAreas() const { return LayoutPart<TDBGrid>(this, u"grdAreas"); }
TDataSource* TfrmInfoSurfaceAreas::dsAbstractionPoints() const {
    return LayoutPart<TDataSource>(this, u"dsAbstractionPoints");
}
TButton* TfrmInfoSurfaceAreas::btnBrakel() const { return LayoutPart<TButton>(this, u"btnBrakel"); }
TButton* TfrmInfoSurfaceAreas::btnClose() const { return LayoutPart<TButton>(this, u"btnClose"); }

void TfrmInfoSurfaceAreas::Execute() {
    TOwnedForm<TfrmInfoSurfaceAreas> Form(Create<TfrmInfoSurfaceAreas>(nullptr));
    Form->ShowModal();
}

void TfrmInfoSurfaceAreas::FormCreate(TObject*) {
    dsAbstractionPoints()->SetDataSet(dmDataObjects->tblAbstractionPoints);
    grdAreas()->SetDataSource(dsAbstractionPoints());
    TGridOptions Options = grdAreas()->Options();
    Options.Include(goRowSelect);
    grdAreas()->SetOptions(Options);
}

void TfrmInfoSurfaceAreas::FormShow(TObject*) {
    dmDataObjects->GetAllAbstractionPoints();
    mode = 0;
}

void TfrmInfoSurfaceAreas::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmInfoSurfaceAreas::btnBrakelClick(TObject*) {
    if (mode == 0) {
        SetCaption(u" Information - surface area of Brakel");
        dmDataObjects->GetDetailsBrakel();
        mode = 1;
        btnBrakel()->SetCaption(u"Back");
    } else {
        SetCaption(u" Information - surface of intake areas");
        dmDataObjects->GetAllAbstractionPoints();
        mode = 0;
        btnBrakel()->SetCaption(u"Details Brakel");
    }
}
