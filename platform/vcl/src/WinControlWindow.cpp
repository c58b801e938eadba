// The window of a windowed control: made on demand from CreateParams,
// shown and hidden as the control and its parents are, destroyed and made
// again; and the one window procedure that hands a window's messages to
// its control.

#include "ControlGlobals.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"

#include <unordered_map>

using namespace winapi;

namespace {

std::unordered_map<HWND, TWinControl*>& HandleMap() {
    static std::unordered_map<HWND, TWinControl*> Map;
    return Map;
}

// The control whose window is being created: its first messages arrive
// before CreateWindowEx answers the handle.
TWinControl* CreationControl = nullptr;

} // namespace

struct TWindowBridge {
    static LRESULT WindowProcedure(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
        TWinControl* Control = FindControl(Window);
        if (!Control && CreationControl) {
            Control = CreationControl;
            CreationControl = nullptr;
            Control->FHandle = Window;
            detail::BindHandle(Window, Control);
        }
        if (!Control) return DefWindowProc(Window, Msg, WParam, LParam);
        TMessage Message{Msg, WParam, LParam, 0};
        Control->MainWndProc(Message);
        return Message.Result;
    }
};

namespace detail {

void BindHandle(HWND Handle, TWinControl* Control) {
    HandleMap()[Handle] = Control;
}

void UnbindHandle(HWND Handle) {
    HandleMap().erase(Handle);
}

} // namespace detail

TWinControl* FindControl(HWND Handle) {
    if (!Handle) return nullptr;
    auto It = HandleMap().find(Handle);
    return It == HandleMap().end() ? nullptr : It->second;
}

void TWinControl::MainWndProc(TMessage& Message) {
    UINT Msg = Message.Msg;
    try {
        if (Msg == WM_MOUSEMOVE || Msg == WM_MOUSELEAVE) {
            // Entering and leaving controls follows the real cursor.
            TPoint Pos;
            GetCursorPos(Pos);
            detail::UpdateMouseControl(FindDragTarget(Pos, true));
            if (Msg == WM_MOUSEMOVE) {
                TRACKMOUSEEVENT Track;
                Track.dwFlags = TME_LEAVE;
                Track.hwndTrack = FHandle;
                TrackMouseEvent(Track);
            }
        }
        WindowProc(Message);
    } catch (...) {
        detail::HandleException(this);
    }
    // Only here may the control no longer exist (a release frees it inside
    // its own message); the window's last message always finds it whole.
    if (Msg == WM_NCDESTROY) {
        detail::UnbindHandle(FHandle);
        FHandle = nullptr;
        FShowing = false;
    }
}

// ---- Making the window ----

void TWinControl::CreateParams(TCreateParams& Params) {
    Params = TCreateParams();
    Params.Caption = FText;
    Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle().Contains(csAcceptsControls)) {
        Params.Style |= WS_CLIPCHILDREN;
        Params.ExStyle |= WS_EX_CONTROLPARENT;
    }
    if (!Enabled()) Params.Style |= WS_DISABLED;
    if (FTabStop) Params.Style |= WS_TABSTOP;
    Params.X = Left();
    Params.Y = Top();
    Params.Width = Width();
    Params.Height = Height();
    Params.WndParent = Parent() ? Parent()->Handle() : FParentWindow;
    Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW;
    if (ControlStyle().Contains(csDoubleClicks)) Params.WindowClass.style |= CS_DBLCLKS;
    Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
    TCreateParams Params;
    CreateParams(Params);
    if (!Params.WndParent && (Params.Style & WS_CHILD))
        throw EInvalidOperation(u"Control '%s' has no parent window", {Name()});
    WNDCLASS Registered;
    if (!GetClassInfo(Params.WinClassName, Registered)) {
        WNDCLASS Class = Params.WindowClass;
        Class.lpfnWndProc = &TWindowBridge::WindowProcedure;
        Class.lpszClassName = Params.WinClassName;
        RegisterClass(Class);
    }
    CreationControl = this;
    try {
        CreateWindowHandle(Params);
    } catch (...) {
        CreationControl = nullptr;
        throw;
    }
    CreationControl = nullptr;
    if (!FHandle) throw EInvalidOperation(u"Error creating window of '%s'", {Name()});
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
    HWND Window = CreateWindowEx(Params.ExStyle, Params.WinClassName, Params.Caption, Params.Style, Params.X,
                                 Params.Y, Params.Width, Params.Height, Params.WndParent, 0, this);
    if (Window && !FHandle) {
        FHandle = Window;
        detail::BindHandle(Window, this);
    }
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    CreateWnd();
    if (Parent())
        SetWindowPos(FHandle, Parent()->PrecedingWindow(this), 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateBounds();
    for (Integer I = 0; I < ControlCount(); ++I)
        Controls(I)->UpdateAnchorRules();
    Realign();
}

void TWinControl::HandleNeeded() {
    if (FHandle) return;
    if (Parent()) Parent()->HandleNeeded();
    CreateHandle();
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return FHandle;
}

// ---- Destroying it ----

void TWinControl::DestroyHandle() {
    if (!FHandle) return;
    for (TWinControl* Child : FWinControls)
        Child->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    SetControlState(ControlState() + TControlState{csDestroyingHandle});
    HWND Window = FHandle;
    detail::FreeDeviceContexts(Window);
    DestroyWindow(Window);
    detail::UnbindHandle(Window);
    FHandle = nullptr;
    FShowing = false;
    SetControlState(ControlState() - TControlState{csDestroyingHandle});
}

void TWinControl::RecreateWnd() {
    if (FHandle) Perform(CM_RECREATEWND, 0, 0);
}

// ---- Showing ----

void TWinControl::UpdateShowing() {
    bool ShowControl = Visible() && !ControlState().Contains(csReadingState);
    if (ShowControl) {
        if (!FHandle) CreateHandle();
        std::vector<TWinControl*> Children = FWinControls;
        for (TWinControl* Child : Children)
            Child->UpdateShowing();
    }
    if (FHandle && FShowing != ShowControl) {
        FShowing = ShowControl;
        try {
            Perform(CM_SHOWINGCHANGED, 0, 0);
        } catch (...) {
            FShowing = !ShowControl;
            throw;
        }
    }
}

// Windows appear only under a form (or a given parent window) that shows.
void TWinControl::UpdateControlState() {
    TWinControl* Control = this;
    while (Control->Parent()) {
        Control = Control->Parent();
        if (!Control->Showing()) return;
    }
    if (dynamic_cast<TCustomForm*>(Control) || Control->FParentWindow) UpdateShowing();
}

HDC TWinControl::GetDeviceContext(HWND& WindowHandle) {
    HDC DC = GetDC(Handle());
    if (!DC) throw EInvalidOperation(u"Cannot draw on the window of '%s'", {Name()});
    WindowHandle = FHandle;
    return DC;
}
