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
    try {
        Application->CreateForm(frmMain);
        Application->CreateForm(frmResults);
        dmDataObjects = Create<TdmDataObjects>(Application);
        Application->CreateForm(frmMapsIntake);
        auto* Requests = new TTimer(Application);
        Requests->SetInterval(RaiseRequestInterval);
        Instance.OnRaise = RaiseMainWindow;
        Requests->OnTimer = [&Instance](TObject*) { Instance.ProcessRequests(); };
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
