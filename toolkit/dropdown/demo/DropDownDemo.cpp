// A form with a drop-down edit whose pop-up hosts a green panel, on
// whichever backend is chosen. It prints "ready" once the form is painted,
// "opened" when the pop-up shows (the edit text is then changed to
// "changed", as typing would),
// and "closed <cancelled> <value>" when it closes; it ends when its time
// (argument 1, seconds; default 30) is up. With "footer" as argument 2 the
// pop-up has a footer bar with its size grip. With "time" as argument 2 the
// form holds a time picker at 00:00:00 instead, whose watch draws a red hour
// hand; opening prints "opened <x> <y> <w> <h>", the watch's client area on
// the screen, and closing "closed <cancelled> <time>". The screenshot test
// runs it under Xvfb.

#include "dropdown/KelDropDown.h"
#include "dropdown/KelTimePickerDropDown.h"
#include "graphics/Colors.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    const bool Footer = argc > 2 && std::string(argv[2]) == "footer";
    const bool TimeMode = argc > 2 && std::string(argv[2]) == "time";
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    std::fflush(stdout);
    Application->Initialize();
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(40, 40, 360, 200);
    Form->SetColor(clSilver);

    if (TimeMode) {
        auto* Picker = Create<TKelTimePickerDropDown>(Form);
        Picker->SetParent(Form);
        Picker->SetBounds(20, 20, 200, 21);
        Picker->Font()->SetName(u"DejaVu Sans");
        Picker->SetAnimation(false);
        Picker->WatchAppearance()->SetHourPointer(clRed);
        Picker->SetTime(0);
        Picker->OnAfterDropDown = [Picker](TObject*) {
            TKelWatch* Watch = Picker->Watch();
            const TPoint Origin = Watch->ClientToScreen(TPoint{0, 0});
            std::printf("opened %d %d %d %d\n", int(Origin.X), int(Origin.Y), int(Watch->ClientWidth()),
                        int(Watch->ClientHeight()));
            std::fflush(stdout);
        };
        Picker->OnDropUp = [Picker](TObject*, bool Cancelled) {
            std::printf("closed %d %s\n", Cancelled ? 1 : 0,
                        Utf8(FormatDateTime(u"hh:nn:ss", Picker->Time())).c_str());
            std::fflush(stdout);
        };
    }

    auto* Edit = TimeMode ? nullptr : Create<TKelDropDown>(Form);
    if (Edit) {
        Edit->SetParent(Form);
        Edit->SetBounds(20, 20, 200, 21);
        Edit->Font()->SetName(u"DejaVu Sans");
        Edit->SetText(u"original");
        Edit->DropDownFooter()->SetVisible(Footer);

        auto* Panel = Create<TPanel>(Form);
        Panel->SetParent(Form);
        Panel->SetBounds(0, 0, 150, 100);
        Panel->SetBevelOuter(bvNone);
        Panel->SetColor(clLime);
        Edit->SetControl(Panel);
        if (Edit->DropDownForm()) Edit->DropDownForm()->SetCaption(u"VandrelDropDownPopup");

        Edit->OnAfterDropDown = [Edit](TObject*) {
            Edit->SetTextUnformatted(u"changed"); // as typing would
            std::printf("opened\n");
            std::fflush(stdout);
        };
        Edit->OnDropUp = [Edit](TObject*, bool Cancelled) {
            std::printf("closed %d %s\n", Cancelled ? 1 : 0, Utf8(Edit->Text()).c_str());
            std::fflush(stdout);
        };
    }

    auto* Timer = Create<TTimer>(Form);
    Timer->SetInterval(Cardinal(Seconds) * 1000);
    Timer->OnTimer = [](TObject*) { Application->Terminate(); };
    Timer->SetEnabled(true);

    Form->Show();
    Application->ProcessMessages();
    std::printf("ready\n");
    std::fflush(stdout);
    Application->Run();
    return 0;
}
