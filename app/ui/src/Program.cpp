#include "ui/Program.h"

#include "core/DataModule.h"
#include "core/Folders.h"
#include "core/StartUp.h"
#include "core/UserInteraction.h"
#include "os/SingleInstance.h"
#include "ui/MainWindow.h"
#include "ui/Results.h"
#include "ui/UiGlobals.h"
#include "ui/UserInteraction.h"
#include "vcl/Dialogs.h"
#include "vcl/Timer.h"
#include "windowing/Focus.h"
#include "windowing/Window.h"

#include "ui/MapsIntake.h"

#include "rtl/Encoding.h"
#include "vcl/Grids.h"
#include "vcl/PageControl.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <sstream>

TfrmResults* frmResults = nullptr;

namespace {

// The requests of later starts are answered from the message loop.
constexpr Cardinal RaiseRequestInterval = 200;

void RaiseMainWindow() {
    if (!frmMain || !frmMain->HandleAllocated()) return;
    const winapi::HWND Window = frmMain->Handle();
    if (winapi::IsIconic(Window))
        winapi::ShowWindow(Window, winapi::SW_RESTORE);
    else
        winapi::SetForegroundWindow(Window);
}

// With VANDREL_REPORT_WINDOWS set, the program tells on standard output what
// its active window shows, each time that changes (looked at five times a
// second): "window shown: <name> <caption>"; a line per named control,
// shown or not, "control: <name> <left> <top> <width> <height> shown|hidden
// <text>" in screen coordinates (a frame's controls named "<frame>.<name>");
// a line per shown cell of the first rows of each shown grid, "cell: <grid>
// <col> <row> <x> <y> <text>", and per tab of each shown page control, "tab:
// <pages> <index> <x> <y>" (x and y the middle); then "window end". A test
// that drives the program through an X server finds its way by these lines
// instead of by guessing where things are drawn or waiting for them.
constexpr Cardinal ReportInterval = 200;
constexpr Integer ReportedGridRows = 12;

std::string OneLine(const String& Text) {
    std::string Line = Utf8(Text);
    std::replace_if(Line.begin(), Line.end(), [](char C) { return C == '\r' || C == '\n'; }, ' ');
    return Line;
}

void ReportMiddle(std::ostream& Out, const TControl& Control, const TRect& Rect) {
    const TPoint Middle = Control.ClientToScreen(TPoint{(Rect.Left + Rect.Right) / 2, (Rect.Top + Rect.Bottom) / 2});
    Out << Middle.X << ' ' << Middle.Y;
}

void ReportControls(std::ostream& Out, const TWinControl& Parent, const TCustomForm& Form) {
    for (Integer I = 0; I < Parent.ControlCount(); ++I) {
        const TControl& Control = *Parent.Controls(I);
        if (!Control.Name().empty()) {
            String Name = Control.Name();
            const TComponent* Owner = Control.Owner();
            if (Owner && Owner != &Form && !Owner->Name().empty()) Name = Owner->Name() + u"." + Name;
            const TPoint Origin = Control.ClientToScreen(TPoint{0, 0});
            const bool Shown = Control.Visible() && Parent.Showing();
            Out << "control: " << Utf8(Name) << ' ' << Origin.X << ' ' << Origin.Y << ' ' << Control.Width() << ' '
                << Control.Height() << ' ' << (Shown ? "shown" : "hidden") << ' ' << OneLine(Control.Caption())
                << '\n';
            if (const auto* Grid = dynamic_cast<const TStringGrid*>(&Control); Grid && Shown)
                for (Integer Row = 0; Row < std::min(Grid->RowCount(), ReportedGridRows); ++Row)
                    for (Integer Col = 0; Col < Grid->ColCount(); ++Col) {
                        const TRect Cell = Grid->TCustomGrid::CellRect(Col, Row);
                        if (Cell.IsEmpty()) continue;
                        Out << "cell: " << Utf8(Name) << ' ' << Col << ' ' << Row << ' ';
                        ReportMiddle(Out, Control, Cell);
                        Out << ' ' << OneLine(Grid->TStringGrid::Cells(Col, Row)) << '\n';
                    }
            if (const auto* Pages = dynamic_cast<const TPageControl*>(&Control); Pages && Shown)
                for (Integer Index = 0; Index < Pages->PageCount(); ++Index) {
                    const TRect Tab = Pages->TabRect(Index);
                    if (Tab.IsEmpty()) continue;
                    Out << "tab: " << Utf8(Name) << ' ' << Index << ' ';
                    ReportMiddle(Out, Control, Tab);
                    Out << '\n';
                }
        }
        if (const auto* Inner = dynamic_cast<const TWinControl*>(&Control)) ReportControls(Out, *Inner, Form);
    }
}

void ReportActiveWindow(std::string& Last) {
    const TCustomForm* Form = Screen->ActiveCustomForm();
    if (!Form || Form->ComponentState().Contains(csDestroying) || !Form->Showing()) return;
    std::ostringstream Report;
    Report << "window shown: " << Utf8(Form->Name()) << ' ' << OneLine(Form->Caption()) << '\n';
    ReportControls(Report, *Form, *Form);
    Report << "window end\n";
    if (Report.str() == Last) return;
    Last = Report.str();
    std::cout << Last << std::flush;
}

} // namespace

int RunVandrel() {
    Application->Initialize();
    os::TSingleInstance Instance(ApplicationTitle);
    if (!Instance.IsFirst()) {
        Instance.RequestRaise();
        return 0;
    }
    Application->SetTitle(ApplicationTitle);
    Application->SetUpdateFormatSettings(false);
    Application->SetUpdateMetricSettings(false);
    SetupFormatSettings();

    TUserInteraction Interaction;
    IUserInteraction* Previous = SetUserInteraction(&Interaction);
    int ExitCode = 0;
    std::string LastReport;
    try {
        Application->CreateForm(frmMain);
        Application->CreateForm(frmResults);
        dmDataObjects = Create<TdmDataObjects>(Application);
        Application->CreateForm(frmMapsIntake);
        auto* Requests = new TTimer(Application);
        Requests->SetInterval(RaiseRequestInterval);
        Instance.OnRaise = RaiseMainWindow;
        Requests->OnTimer = [&Instance](TObject*) { Instance.ProcessRequests(); };
        if (std::getenv("VANDREL_REPORT_WINDOWS")) {
            auto* Reports = new TTimer(Application);
            Reports->SetInterval(ReportInterval);
            Reports->OnTimer = [&LastReport](TObject*) { ReportActiveWindow(LastReport); };
        }
        Application->Run();
    } catch (const Exception& E) {
        MessageDlg(u"Unable to start Vandrel, " + E.Message() + u"\"", mtError, TMsgDlgButtons{mbOK}, 0);
        ExitCode = 1;
    }
    // The windows and the data module go with the application, while the
    // program's user interaction still stands.
    Free(Application);
    Application = Create<TApplication>(nullptr);
    frmMain = nullptr;
    frmResults = nullptr;
    dmDataObjects = nullptr;
    SetUserInteraction(Previous);
    ClearDataPath();
    return ExitCode;
}
