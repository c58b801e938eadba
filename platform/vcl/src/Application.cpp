// TApplication: the message loop, the handling of exceptions that escape
// an event, the hint cycle and the message boxes.

#include "ControlGlobals.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Encoding.h"
#include "windowing/Backend.h"
#include "vcl/Forms.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Timers.h"

#include <cerrno>
#include <iostream>

using namespace winapi;

TApplication* Application = Create<TApplication>(nullptr);

namespace {

LRESULT ApplicationWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_CLOSE) {
        if (Application && Application->MainForm()) Application->MainForm()->Close();
        return 0;
    }
    return DefWindowProc(Window, Msg, WParam, LParam);
}

// The part of a hint before a '|' is shown over the control.
String ShortHint(const String& Hint) {
    auto Bar = Hint.find(u'|');
    return Bar == String::npos ? Hint : Hint.substr(0, Bar);
}

// The control whose hint shows over Control: the nearest one that shows hints.
TControl* HintControlOf(TControl* Control) {
    while (Control && !Control->ShowHint())
        Control = Control->Parent();
    return Control;
}

} // namespace

namespace detail {

void HandleException(TObject* Sender) {
    if (Application)
        Application->HandleException(Sender);
    else
        throw;
}

void HintMouseMessage(TControl* Control, const TMessage& Message) {
    if (Application) Application->HintMouseMessage(Control, Message);
}

} // namespace detail

const TClassInfo& TApplication::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TApplication, TComponent>().Build();
    return Info;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    FTitle = FromUtf8(program_invocation_short_name);
    HintWindowClass = []() -> TCustomHintWindow* { return Create<THintWindow>(nullptr); };
}

TApplication::~TApplication() = default;

void TApplication::BeforeDestruction() {
    Destroying();
    StopHintTimer();
    if (FHintWindow) FreeAndNil(FHintWindow);
    TComponent::BeforeDestruction();
    if (FHandle && IsWindow(FHandle)) DestroyWindow(FHandle);
    FHandle = nullptr;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
    TComponent::Notification(AComponent, Operation);
}

void TApplication::ControlDestroyed(TControl* Control) {
    if (!Control) return;
    if (Control == FMainForm) FMainForm = nullptr;
    if (Control == FHintControl) FHintControl = nullptr;
    if (Control == FHintWindow) {
        FHintWindow = nullptr;
        StopHintTimer();
    }
}

// ---- The window ----

void TApplication::Initialize() {
    Handle();
}

HWND TApplication::Handle() {
    if (FHandle && IsWindow(FHandle)) return FHandle;
    WNDCLASS Class;
    if (!GetClassInfo(u"TApplication", Class)) {
        Class = WNDCLASS();
        Class.lpfnWndProc = &ApplicationWindowProc;
        Class.lpszClassName = u"TApplication";
        RegisterClass(Class);
    }
    FHandle = CreateWindowEx(0, u"TApplication", FTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                             0, 0, 0, 0, nullptr);
    return FHandle;
}

void TApplication::SetTitle(const String& Value) {
    if (FTitle == Value) return;
    FTitle = Value;
    if (FHandle && IsWindow(FHandle)) SetWindowText(FHandle, Value);
}

// ---- The message loop ----

void TApplication::Run() {
    if (FMainForm && FShowMainForm) {
        try {
            FMainForm->SetVisible(true);
        } catch (...) {
            HandleException(this);
        }
    }
    do {
        try {
            HandleMessage();
        } catch (const EWindowingError&) {
            // A window system that cannot wait cannot run the loop either.
            throw;
        } catch (...) {
            HandleException(this);
        }
    } while (!FTerminated);
}

void TApplication::HandleMessage() {
    MSG Msg;
    if (!ProcessMessage(Msg)) Idle();
}

void TApplication::ProcessMessages() {
    MSG Msg;
    // Input that finds no window can leave a posted message behind (a mouse
    // leaving the program posts WM_MOUSELEAVE): look once more.
    while (ProcessMessage(Msg) || (HasPendingMessages() && ProcessMessage(Msg))) {
    }
}

bool TApplication::ProcessMessage(MSG& Msg) {
    if (!PeekMessage(Msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (Msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
        CancelHint();
        break;
    default:
        break;
    }
    if (!IsKeyMsg(Msg)) {
        TranslateMessage(Msg);
        DispatchMessage(Msg);
    }
    return true;
}

// A key is first offered to its control as CN_KEYDOWN, CN_CHAR …, where
// the dialog keys are taken; answered non-zero, it goes no further.
bool TApplication::IsKeyMsg(MSG& Msg) {
    switch (Msg.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        break;
    default:
        return false;
    }
    if (!FindControl(Msg.hwnd)) return false;
    return SendMessage(Msg.hwnd, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

void TApplication::Idle() {
    bool Done = true;
    try {
        if (OnIdle) OnIdle(this, Done);
    } catch (...) {
        HandleException(this);
    }
    detail::FreeDeviceContexts(nullptr);
    if (Done) WaitMessage();
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

// ---- Exceptions ----

void TApplication::HandleException(TObject* Sender) {
    if (HWND Captured = GetCapture()) SendMessage(Captured, WM_CANCELMODE, 0, 0);
    try {
        throw;
    } catch (const EAbort&) {
        // Abort is the silent exception: it ends an action and tells no one.
    } catch (Exception& E) {
        if (OnException)
            OnException(Sender, &E);
        else
            ShowException(&E);
    } catch (const std::exception& E) {
        Exception Wrapped(FromUtf8(E.what()));
        if (OnException)
            OnException(Sender, &Wrapped);
        else
            ShowException(&Wrapped);
    }
}

void TApplication::ShowException(const Exception* E) {
    MessageBox(E->Message(), FTitle, MB_OK | MB_ICONSTOP);
}

Integer TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
    HWND Owner = GetActiveWindow();
    return winapi::MessageBox(Owner ? Owner : Handle(), Text, Caption, Flags);
}

bool TApplication::HelpCommand(Word Command, NativeInt Data) {
    bool CallHelp = true;
    bool Result = false;
    if (OnHelp) Result = OnHelp(Command, Data, CallHelp);
    // There is no help system to call on.
    return Result;
}

// ---- Hints ----

void TApplication::SetShowHint(bool Value) {
    if (FShowHint == Value) return;
    FShowHint = Value;
    if (!Value) CancelHint();
}

void TApplication::HintTimerProc(HWND, UINT, NativeUInt, DWORD) {
    if (!Application) return;
    Application->StopHintTimer();
    if (Application->FHintWindow) {
        // The hint has been up long enough.
        Application->CancelHint();
        return;
    }
    TPoint Pos;
    GetCursorPos(Pos);
    Application->ActivateHint(Pos);
}

void TApplication::StartHintTimer(Integer Interval) {
    StopHintTimer();
    FHintTimer = SetTimer(nullptr, 0, Cardinal(Interval), &TApplication::HintTimerProc);
}

void TApplication::StopHintTimer() {
    if (FHintTimer) KillTimer(nullptr, FHintTimer);
    FHintTimer = 0;
}

void TApplication::HintMouseMessage(TControl* Control, const TMessage& Message) {
    if (!FShowHint) return;
    TPoint Pos = Control->ClientToScreen({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
    TControl* NewHintControl = HintControlOf(FindDragTarget(Pos, true));
    if (!NewHintControl) {
        CancelHint();
        return;
    }
    if (NewHintControl != FHintControl) {
        CancelHint();
        FHintControl = NewHintControl;
        StartHintTimer(FHintPause);
    }
}

bool TApplication::ActivateHint(TPoint CursorPos) {
    if (FHintWindow) FreeAndNil(FHintWindow);
    TControl* Control = HintControlOf(FindDragTarget(CursorPos, true));
    if (!FShowHint || !Control) return false;
    FHintControl = Control;
    THintInfo Info;
    Info.HintControl = Control;
    Info.HintWindowClass = HintWindowClass;
    Info.HintPos = {CursorPos.X, CursorPos.Y + 20};
    Info.HintMaxWidth = Screen->Width();
    Info.HintColor = FHintColor;
    Info.CursorRect = Control->ClientRect();
    Info.CursorPos = Control->ScreenToClient(CursorPos);
    Info.HideTimeout = FHintHidePause;
    Info.HintStr = ShortHint(Control->Hint());
    bool Refused = Control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&Info)) != 0;
    FLastHintInfo = Info;
    if (Refused || Info.HintStr.empty() || !Info.HintWindowClass) return false;
    FHintWindow = Info.HintWindowClass();
    FHintWindow->SetColor(Info.HintColor);
    TRect Area = FHintWindow->CalcHintRect(Info.HintMaxWidth, Info.HintStr, Info.HintData);
    OffsetRect(Area, Info.HintPos.X, Info.HintPos.Y);
    FHintWindow->ActivateHintData(Area, Info.HintStr, Info.HintData);
    if (Info.HideTimeout > 0) StartHintTimer(Info.HideTimeout);
    return true;
}

void TApplication::CancelHint() {
    StopHintTimer();
    FHintControl = nullptr;
    if (FHintWindow) FreeAndNil(FHintWindow);
}
