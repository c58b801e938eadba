// A form holding each editor control of the grid foundation, on whichever
// backend is chosen: flat combo box, spin buttons, spin editor, button edit,
// unit edit, flat date-time picker, check box and grid buttons. It prints
// "ready" once the form is painted, "spin <value>" when the spin editor's
// text changes and "unit <unit>" when a unit is picked; it ends when its
// time (argument 1, seconds; default 30) is up. The screenshot test runs it
// under Xvfb.

#include "gridbase/EditBtn.h"
#include "gridbase/KelCheckBox.h"
#include "gridbase/KelGridButton.h"
#include "gridbase/SpinButton.h"
#include "gridbase/SpinEdit.h"
#include "gridbase/VazCombo.h"
#include "gridbase/VazDateTimePicker.h"
#include "graphics/Colors.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Say(const std::string& Line) {
    std::printf("%s\n", Line.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    Say("backend " + Utf8(Backend().Name()));
    Application->Initialize();
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(40, 40, 420, 260);
    Form->SetColor(clSilver);
    Form->Font()->SetName(u"DejaVu Sans");

    auto* Combo = Create<TVazComboBox>(Form);
    Combo->SetParent(Form);
    Combo->SetBounds(20, 20, 150, 24);
    Combo->Items()->Add(u"Maize");
    Combo->Items()->Add(u"Wheat");
    Combo->SetItemIndex(0);
    Combo->SetButtonColor(clRed);
    Combo->SetButtonTextColor(clWhite);
    Combo->SetLabelCaption(u"Crop");
    Combo->SetLabelPosition(lpRightCenter);

    auto* Spin = Create<TVazSpinEdit>(Form);
    Spin->SetParent(Form);
    Spin->SetBounds(20, 60, 120, 24);
    Spin->OnChange = [Spin](TObject*) { Say("spin " + Utf8(Spin->Text())); };

    auto* Unit = Create<TVazUnitEditBtn>(Form);
    Unit->SetParent(Form);
    Unit->SetBounds(20, 100, 140, 24);
    Unit->Units()->Add(u"m");
    Unit->Units()->Add(u"mm");
    Unit->Units()->Add(u"kg");
    Unit->WriteTextAndUnit(u"12m");
    Unit->OnUnitChanged = [](TObject*, const String& NewUnit) { Say("unit " + Utf8(NewUnit)); };

    auto* Picker = Create<TVazDateTimePicker>(Form);
    Picker->SetParent(Form);
    Picker->SetBounds(20, 140, 140, 24);
    Picker->SetDate(EncodeDate(2026, 12, 11));
    Picker->SetMetroStyle(true);
    Picker->SetBorderColor(clNavy);
    Picker->SetButtonColor(clBlue);

    auto* Check = Create<TKelCheckBox>(Form);
    Check->SetParent(Form);
    Check->SetBounds(20, 180, 140, 20);
    Check->SetCaption(u"Drained");
    Check->SetChecked(true);

    auto* Pair = Create<TVazSpinButton>(Form);
    Pair->SetParent(Form);
    Pair->SetBounds(220, 60, 15, 24);

    for (Integer I = 0; I < 3; ++I) {
        auto* Button = Create<TKelGridButton>(Form);
        Button->SetParent(Form);
        Button->SetBounds(220 + I * 30, 100, 26, 24);
        Button->SetLook(6);
        Button->SetGroupIndex(1);
        Button->SetCaption(String(1, Char(u'A' + I)));
        if (I == 0) Button->SetDown(true);
    }

    auto* Timer = Create<TTimer>(Form);
    Timer->SetInterval(Cardinal(Seconds) * 1000);
    Timer->OnTimer = [](TObject*) { Application->Terminate(); };
    Timer->SetEnabled(true);

    Form->Show();
    Application->ProcessMessages();
    Say("ready");
    Application->Run();
    return 0;
}
