// A form with the edit controls on whichever backend is chosen: a masked
// edit ("90-LLL-0000"), an edit with a balloon tip, a rich edit with
// formatted text, a date-time picker with its drop-down calendar, a month
// calendar, a tool tip tracking beside the calendar, and the file chooser
// of the open dialog beside the form. The screenshot test runs it under
// Xvfb.
//
// Output, one line each: "backend <name>"; "mask <x> <y>", "picker <x> <y>"
// and "calendar-day <x> <y>", screen points to click
// into the masked edit, on the picker's button and on the 20th of the month
// calendar; "ready" once everything is painted; "text <edit text>" when the
// masked edit changes; "day <x> <y>" with the screen point of the 20th of
// the shown month once the picker's calendar is down; "date <yyyy-mm-dd>"
// when the picker's date changes; "calendar <yyyy-mm-dd>" when the month
// calendar's date changes; "message <left> <top> <right> <bottom>" with the
// screen rectangle of a message box's text when one shows (the chooser's
// "File not found" box, titled "Warning", for a name typed at the point
// "chooser-name <x> <y>"). It ends when its time (argument 1, seconds;
// default 30) is up.

#include "graphics/Colors.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"
#include "vcl/DateTimePicker.h"
#include "vcl/Dialogs.h"
#include "vcl/Forms.h"
#include "vcl/Mask.h"
#include "vcl/MonthCalendar.h"
#include "vcl/OpenDialog.h"
#include "vcl/RichEdit.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timer.h"
#include "windowing/Backend.h"
#include "windowing/MessageQueue.h"
#include "windowing/ToolTips.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace winapi;

namespace {

void Say(const std::string& Line) {
    std::printf("%s\n", Line.c_str());
    std::fflush(stdout);
}

std::string Point(const TPoint& P) {
    return std::to_string(P.X) + " " + std::to_string(P.Y);
}

std::string IsoDate(TDateTime Value) {
    Word Y = 0, M = 0, D = 0;
    DecodeDate(Value, Y, M, D);
    char Text[32];
    std::snprintf(Text, sizeof Text, "%04u-%02u-%02u", unsigned(Y), unsigned(M), unsigned(D));
    return Text;
}

} // namespace

int main(int argc, char** argv) {
    const int Seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    Say("backend " + Utf8(Backend().Name()));
    Application->Initialize();
    // A message box tells where its text is once it is placed on the screen.
    SetMessageDialogDriver([](TForm* Dialog) {
        auto* Placed = Create<TTimer>(Dialog);
        Placed->SetInterval(50);
        Placed->OnTimer = [Dialog, Placed](TObject*) {
            Placed->SetEnabled(false);
            if (auto* Text = dynamic_cast<TControl*>(Dialog->FindComponent(u"Message")))
                Say("message " + Point(Text->ClientToScreen({0, 0})) + " " +
                    Point(Text->ClientToScreen({Text->Width(), Text->Height()})));
        };
        Placed->SetEnabled(true);
    });
    TForm* Form = nullptr;
    Application->CreateForm(Form);
    Form->SetBorderStyle(bsNone);
    Form->SetBounds(10, 10, 480, 330);
    Form->SetColor(clSilver);
    Form->Font()->SetName(u"DejaVu Sans");

    auto* Mask = Create<TMaskEdit>(Form);
    Mask->SetParent(Form);
    Mask->SetBounds(20, 20, 160, 24);
    Mask->SetEditMask(u"90-LLL-0000;1;_");
    Mask->OnChange = [Mask](TObject*) { Say("text " + Utf8(Mask->EditText())); };

    auto* Tipped = Create<TEdit>(Form);
    Tipped->SetParent(Form);
    Tipped->SetBounds(20, 60, 160, 24);
    Tipped->SetText(u"balloon");

    auto* Rich = Create<TRichEdit>(Form);
    Rich->SetParent(Form);
    Rich->SetBounds(20, 150, 220, 100);
    Rich->Lines()->Add(u"Plain, bold and red.");
    Rich->SetSelStart(7);
    Rich->SetSelLength(4);
    Rich->SelAttributes()->SetStyle(TFontStyles{fsBold});
    Rich->SetSelStart(16);
    Rich->SetSelLength(3);
    Rich->SelAttributes()->SetColor(clRed);
    Rich->SelAttributes()->SetSize(14);
    Rich->SetSelLength(0);

    auto* Picker = Create<TDateTimePicker>(Form);
    Picker->SetParent(Form);
    Picker->SetBounds(260, 20, 180, 24);
    Picker->SetDate(EncodeDate(2024, 3, 15));
    Picker->OnChange = [Picker](TObject*) { Say("date " + IsoDate(Picker->Date())); };
    Picker->OnDropDown = [Picker](TObject*) {
        TMonthCalendar* Calendar = Picker->Calendar();
        TRect Day = Calendar->DayRect(EncodeDate(2024, 3, 20));
        Say("day " + Point(Calendar->ClientToScreen({(Day.Left + Day.Right) / 2, (Day.Top + Day.Bottom) / 2})));
    };

    auto* Calendar = Create<TMonthCalendar>(Form);
    Calendar->SetParent(Form);
    Calendar->SetLeft(260);
    Calendar->SetTop(150);
    Calendar->SetDate(EncodeDate(2024, 3, 15));
    Calendar->SetToday(EncodeDate(2024, 3, 11));
    Calendar->OnChange = [Calendar](TObject*) { Say("calendar " + IsoDate(Calendar->Date())); };

    auto* Timer = Create<TTimer>(Form);
    Timer->SetInterval(Cardinal(Seconds) * 1000);
    Timer->OnTimer = [](TObject*) { Application->Terminate(); };
    Timer->SetEnabled(true);

    Form->Show();
    Application->ProcessMessages();

    // A balloon tip on the second edit and a plain tool tip tracking below
    // the masked edit.
    EDITBALLOONTIP Balloon;
    Balloon.pszTitle = u"Title";
    Balloon.pszText = u"A balloon tip";
    Balloon.ttiIcon = TTI_INFO;
    SendMessage(Tipped->Handle(), EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&Balloon));
    HWND Tip = CreateWindowEx(0, TOOLTIPS_CLASS, u"", WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                              Form->Handle());
    String TipText = u"A tool tip";
    TOOLINFOW Tool;
    Tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    Tool.hwnd = Form->Handle();
    Tool.uId = 1;
    Tool.lpszText = TipText.data();
    SendMessage(Tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&Tool));
    SendMessage(Tip, TTM_TRACKPOSITION, 0, MAKELPARAM(Form->Left() + 20, Form->Top() + 270));
    SendMessage(Tip, TTM_TRACKACTIVATE, 1, reinterpret_cast<LPARAM>(&Tool));

    // The file chooser of the open dialog, shown beside the form.
    TFileDialogRequest Request;
    Request.Title = u"Open";
    Request.Filter = u"All files (*.*)|*.*";
    Request.InitialDir = u"/";
    Request.Options = TOpenOptions{ofFileMustExist};
    auto* Chooser = CreateNew<TFileChooserForm>(Application);
    Chooser->Setup(Request);
    Chooser->SetPosition(poDesigned);
    Chooser->SetLeft(510);
    Chooser->SetTop(10);
    Chooser->Show();
    Form->Show();
    Mask->SetFocus();
    Application->ProcessMessages();

    TRect Button = Picker->ButtonRect();
    Say("mask " + Point(Mask->ClientToScreen({10, Mask->ClientHeight() / 2})));
    Say("picker " + Point(Picker->ClientToScreen({(Button.Left + Button.Right) / 2, (Button.Top + Button.Bottom) / 2})));
    TRect Day = Calendar->DayRect(EncodeDate(2024, 3, 20));
    Say("calendar-day " + Point(Calendar->ClientToScreen({(Day.Left + Day.Right) / 2, (Day.Top + Day.Bottom) / 2})));
    TEdit* Name = Chooser->FileNameEdit();
    Say("chooser-name " + Point(Name->ClientToScreen({20, Name->ClientHeight() / 2})));
    Say("ready");
    Application->Run();
    return 0;
}
