#include "ui/MapD3Scenario.h"

#include "core/Folders.h"
#include "rtl/ClassBuilder.h"
#include "ui/UiGlobals.h"
#include "ui/UiLayouts.h"
#include "vcl/Image.h"
#include "windowing/Input.h"

const TClassInfo& TfrmMapD3Scenario::StaticClassInfo() {
    using C = TfrmMapD3Scenario;
    static const TClassInfo Info = TClassBuilder<C, TForm>()
                                       .Method(u"FormShow", &C::FormShow)
                                       .Method(u"FormActivate", &C::FormActivate)
                                       .Method(u"FormKeyDown", &C::FormKeyDown)
                                       .Build();
    return Info;
}

TfrmMapD3Scenario::TfrmMapD3Scenario(TComponent* AOwner) : TForm(AOwner) { RegisterUiClasses(); }

TImage* TfrmMapD3Scenario::imgMap() const { return LayoutPart<TImage>(this, u"imgMap"); }

void TfrmMapD3Scenario::Execute() {
    TOwnedForm<TfrmMapD3Scenario> Form(Create<TfrmMapD3Scenario>(nullptr));
    Form->ShowModal();
}

void TfrmMapD3Scenario::FormShow(TObject*) { imgMap()->Picture()->LoadFromFile(GetResourcesDir() + u"D3ScenarioMap.jpg"); }

void TfrmMapD3Scenario::FormActivate(TObject*) { AutoScrollOff(*this); }

void TfrmMapD3Scenario::FormKeyDown(TObject*, Word& Key, TShiftState) {
    if (Key != winapi::VK_ESCAPE) return;
    Key = 0;
    Close();
}
