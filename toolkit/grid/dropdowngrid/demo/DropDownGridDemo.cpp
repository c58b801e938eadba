// The grid drop-down on a form, on whichever backend is chosen: the items
// Apple, Banana and Cherry with a second column of notes, in the free-text
// style with lookup while typing and the pop-up opening on the first
// character. The edit has the focus at the start.
//
// It prints "ready", then a "state" line whenever the pop-up opens or
// closes, the item index or the edit text changes:
//   state <open 0|1> <item index> [<edit text>]
// It ends when its time (argument 1, seconds; default 30) is up. The
// library's Xvfb test runs it.

#include "dropdowngrid/ZedArudorIdudIvudAriz.h"
#include "dropdown/DropDownForm.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace ZedArudorIdudIvudAriz;

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    std::fflush(stdout);
    Application->Initialize();
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetCaption(u"Grid drop-down demo");
    Form->SetBounds(40, 40, 420, 320);

    auto* Edit = Create<TKelGridDropDown>(Form);
    Edit->SetParent(Form);
    Edit->SetBounds(20, 20, 220, 24);
    Edit->Columns()->Add()->SetHeader(u"Fruit");
    Edit->Columns()->Add()->SetHeader(u"Notes");
    const char16_t* Rows[][2] = {{u"Apple", u"crisp"}, {u"Banana", u"soft"}, {u"Cherry", u"small"}};
    for (const auto& Row : Rows) {
        TDropDownItem* Item = Edit->Items()->Add();
        Item->Text()->Add(Row[0]);
        Item->Text()->Add(Row[1]);
    }
    Edit->EndUpdate();
    Edit->SetAutoShowDropDown(true);

    auto* Quit = Create<TTimer>(Form);
    Quit->SetInterval(Cardinal(Seconds) * 1000);
    Quit->OnTimer = [](TObject*) { Application->Terminate(); };
    Quit->SetEnabled(true);

    Form->Show();
    Application->ProcessMessages();
    Edit->SetFocus();
    Application->ProcessMessages();
    std::printf("ready\n");
    std::fflush(stdout);

    std::string Last;
    auto* Watch = Create<TTimer>(Form);
    Watch->SetInterval(50);
    Watch->OnTimer = [&](TObject*) {
        const bool Open = Edit->DropDownForm() && Edit->DropDownForm()->Visible();
        const std::string Line = "state " + std::string(Open ? "1" : "0") + " " + std::to_string(Edit->ItemIndex()) +
                                 " [" + Utf8(Edit->Text()) + "]";
        if (Line == Last) return;
        Last = Line;
        std::printf("%s\n", Line.c_str());
        std::fflush(stdout);
    };
    Watch->SetEnabled(true);
    Application->Run();
    return 0;
}
