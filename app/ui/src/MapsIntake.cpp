#include "ui/MapsIntake.h"

#include "core/Folders.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "rtl/StringList.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Image.h"
#include "vcl/PageControl.h"
#include "vcl/ScrollBox.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

TfrmMapsIntake* frmMapsIntake = nullptr;

namespace {

// The area whose map has its sub-area, Bommelerwaard, beside it.
constexpr Integer AreaWithSubarea = 1;

} // namespace

const TClassInfo& TfrmMapsIntake::StaticClassInfo() {
    using C = TfrmMapsIntake;
    static const TClassInfo Info = TClassBuilder<C, TForm>()
                                       .Method(u"FormShow", &C::FormShow)
                                       .Method(u"FormActivate", &C::FormActivate)
                                       .Method(u"FormResize", &C::FormResize)
                                       .Method(u"FormKeyDown", &C::FormKeyDown)
                                       .Method(u"cmbIntakePointsChange", &C::cmbIntakePointsChange)
                                       .Method(u"imgAbstractionPointsClick", &C::imgAbstractionPointsClick)
                                       .Build();
    return Info;
}

TfrmMapsIntake::TfrmMapsIntake(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TPageControl* TfrmMapsIntake::pagPages() const { return LayoutPart<TPageControl>(this, u"pagPages"); }
TScrollBox* TfrmMapsIntake::sbAbstractionPoints() const {
    return LayoutPart<TScrollBox>(this, u"sbAbstractionPoints");
}
TImage* TfrmMapsIntake::imgAbstractionPoints() const { return LayoutPart<TImage>(this, u"imgAbstractionPoints"); }
TTabSheet* TfrmMapsIntake::tabIntakeAreas() const { return LayoutPart<TTabSheet>(this, u"tabIntakeAreas"); }
TPanel* TfrmMapsIntake::pnlArea() const { return LayoutPart<TPanel>(this, u"pnlArea"); }
TComboBox* TfrmMapsIntake::cmbIntakePoints() const { return LayoutPart<TComboBox>(this, u"cmbIntakePoints"); }
TImage* TfrmMapsIntake::imgIntakeArea() const { return LayoutPart<TImage>(this, u"imgIntakeArea"); }
TPanel* TfrmMapsIntake::pnlSpacer() const { return LayoutPart<TPanel>(this, u"pnlSpacer"); }
TImage* TfrmMapsIntake::imgSubarea() const { return LayoutPart<TImage>(this, u"imgSubarea"); }

void TfrmMapsIntake::Execute() {
    TOwnedForm<TfrmMapsIntake> Form(Create<TfrmMapsIntake>(nullptr));
    Form->ShowModal();
}

void TfrmMapsIntake::FormShow(TObject*) {
    TStrings& Areas = *cmbIntakePoints()->Items();
    Areas.Clear();
    for (const Char* Area : {u"Enschede/Twentekanaal, Heel, Nieuwegein, De Punt",
                             u"Andijk, Brakel and Bommelerwaard (subarea of Brakel)", u"Scheelhoek",
                             u"Nieuwersluis/Amsterdam-Rijn Kanaal, Petrusplaat"})
        Areas.Add(Area);
    cmbIntakePoints()->SetItemIndex(0);
    pagPages()->SetActivePageIndex(0);
    imgAbstractionPoints()->Picture()->LoadFromFile(GetResourcesDir() + u"AbstractionPointsMap.jpg");
    imgSubarea()->Picture()->LoadFromFile(GetResourcesDir() + u"IntakeAreasMap2a.jpg");
    FitAbstractionPointsMap();
    cmbIntakePointsChange(this);
}

void TfrmMapsIntake::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmMapsIntake::FormResize(TObject*) {
    if (cmbIntakePoints()->ItemIndex() == AreaWithSubarea) ArrangeSubareaImages();
}

void TfrmMapsIntake::FormKeyDown(TObject*, Word& Key, TShiftState) {
    if (Key != winapi::VK_ESCAPE) return;
    Key = 0;
    Close();
}

void TfrmMapsIntake::FitAbstractionPointsMap() {
    TImage& Map = *imgAbstractionPoints();
    FZoomed = false;
    Map.SetAutoSize(false);
    // Shrunk first, so the scroll box drops the natural size's scroll range.
    Map.SetAlign(alNone);
    Map.SetBounds(0, 0, 0, 0);
    sbAbstractionPoints()->Realign();
    Map.SetAlign(alClient);
    Map.SetStretch(true);
    Map.SetProportional(true);
    Map.SetCenter(true);
    Map.SetHint(u"Click to zoom");
}

void TfrmMapsIntake::imgAbstractionPointsClick(TObject*) {
    if (FZoomed) {
        FitAbstractionPointsMap();
        return;
    }
    TImage& Map = *imgAbstractionPoints();
    FZoomed = true;
    Map.SetAlign(alNone);
    Map.SetStretch(false);
    Map.SetProportional(false);
    Map.SetCenter(false);
    Map.SetBounds(0, 0, Map.Picture()->Width(), Map.Picture()->Height());
    Map.SetAutoSize(true);
    Map.SetHint(u"Click to go back");
}

void TfrmMapsIntake::cmbIntakePointsChange(TObject*) {
    const Integer Index = cmbIntakePoints()->ItemIndex();
    imgIntakeArea()->Picture()->LoadFromFile(GetResourcesDir() + u"IntakeAreasMap" + IntToStr(Index + 1) + u".jpg");
    const bool Subarea = Index == AreaWithSubarea;
    pnlSpacer()->SetVisible(Subarea);
    imgSubarea()->SetVisible(Subarea);
    if (Subarea) {
        imgIntakeArea()->SetAlign(alNone);
        ArrangeSubareaImages();
    } else {
        imgIntakeArea()->SetAlign(alClient);
    }
}

void TfrmMapsIntake::ArrangeSubareaImages() {
    if (cmbIntakePoints()->ItemIndex() != AreaWithSubarea) return;
    const TTabSheet& Page = *tabIntakeAreas();
    const Integer W = Integer(Round((Page.ClientWidth() - 20) / 2.0));
    const Integer Top = pnlArea()->Top() + pnlArea()->Height();
    const Integer H = std::max<Integer>(Page.ClientHeight() - Top, 0);
    imgIntakeArea()->SetBounds(0, Top, W, H);
    pnlSpacer()->SetBounds(W, Top, pnlSpacer()->Width(), H);
    imgSubarea()->SetBounds(W + pnlSpacer()->Width(), Top, W, H);
}
