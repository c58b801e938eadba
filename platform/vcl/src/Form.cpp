// TCustomForm: the top-level window of controls, its focus bookkeeping,
// dialog keys, showing (modelessly and modally) and closing.

#include "ControlGlobals.h"
#include "rtl/ClassBuilder.h"
#include "rtl/StringUtils.h"
#include "vcl/FormLayout.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <algorithm>

using namespace winapi;

namespace {

// Counts focus changes, so that a focus message can tell whether its
// handler moved the focus again.
Integer FocusCount = 0;

const char16_t* const SCannotFocus = u"Cannot focus a disabled or invisible window";

// Whether Control and its parents below Form are visible and enabled. The
// form itself may still be hidden: a dialog names its active control before
// it is shown.
bool CanBecomeActive(const TWinControl* Control, const TCustomForm* Form) {
    for (const TControl* Item = Control; Item && Item != Form; Item = Item->Parent())
        if (!Item->Visible() || !Item->Enabled()) return false;
    return true;
}

} // namespace

const TClassInfo& TCustomForm::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TCustomForm, TScrollingWinControl>()
            .Property(u"AlphaBlend", &TCustomForm::AlphaBlend, &TCustomForm::SetAlphaBlend)
            .Default(false)
            .Property(u"AlphaBlendValue", &TCustomForm::AlphaBlendValue, &TCustomForm::SetAlphaBlendValue)
            .Default(255)
            .Property(u"BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
            .Default(bsSizeable)
            .Property(u"FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
            .Default(fsNormal)
            .Property(u"Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
            .Property(u"KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview)
            .Default(false)
            .Property(u"PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch)
            .Property(u"Position", &TCustomForm::Position, &TCustomForm::SetPosition)
            .Default(poDesigned)
            .Property(u"Scaled", &TCustomForm::Scaled, &TCustomForm::SetScaled)
            .Default(true)
            .Property(u"BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
            .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize})
            .Property(u"WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState)
            .Default(wsNormal)
            // A form starts hidden: a shown one writes Visible = True.
            .Property(u"Visible", &TCustomForm::Visible, &TCustomForm::SetVisible)
            .Default(false)
            .Property(u"OnCreate", &TCustomForm::OnCreate,
                      [](TCustomForm& F, TNotifyEvent E) { F.OnCreate = std::move(E); })
            .Property(u"OnDestroy", &TCustomForm::OnDestroy,
                      [](TCustomForm& F, TNotifyEvent E) { F.OnDestroy = std::move(E); })
            .Property(u"OnShow", &TCustomForm::OnShow,
                      [](TCustomForm& F, TNotifyEvent E) { F.OnShow = std::move(E); })
            .Property(u"OnHide", &TCustomForm::OnHide,
                      [](TCustomForm& F, TNotifyEvent E) { F.OnHide = std::move(E); })
            .Property(u"OnActivate", &TCustomForm::OnActivate,
                      [](TCustomForm& F, TNotifyEvent E) { F.OnActivate = std::move(E); })
            .Property(u"OnDeactivate", &TCustomForm::OnDeactivate,
                      [](TCustomForm& F, TNotifyEvent E) { F.OnDeactivate = std::move(E); })
            .Property(u"OnPaint", &TCustomForm::OnPaint,
                      [](TCustomForm& F, TNotifyEvent E) { F.OnPaint = std::move(E); })
            .Property(u"OnClose", &TCustomForm::OnClose,
                      [](TCustomForm& F, TCloseEvent E) { F.OnClose = std::move(E); })
            .Property(u"OnCloseQuery", &TCustomForm::OnCloseQuery,
                      [](TCustomForm& F, TCloseQueryEvent E) { F.OnCloseQuery = std::move(E); })
            .Build();
    return Info;
}

const TClassInfo& TForm::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TForm, TCustomForm>().Build();
    return Info;
}

TCustomForm::TCustomForm(TComponent* AOwner, Integer /*Dummy*/) : TCustomForm(AOwner) {
    FCreatedNew = true;
}

TCustomForm::TCustomForm(TComponent* AOwner)
    : TScrollingWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
    SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    // A form starts hidden, in its own colour and font.
    InitAppearance(false, clBtnFace, false);
    Brush()->SetColor(clBtnFace);
    StoreBounds(0, 0, 320, 240);
    FPosition = poDesigned;
    FCanvas->SetControl(this);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm() = default;

void TCustomForm::AfterConstruction() {
    TScrollingWinControl::AfterConstruction();
    // The layout is read before OnCreate; Loaded runs once it has been read.
    if (!FCreatedNew) {
        try {
            ReadLayout(this);
        } catch (...) {
            // The half-made form is deleted by Create: the screen must not keep it.
            Screen->RemoveForm(this);
            throw;
        }
    }
    // Sizes were designed at PixelsPerInch; the screen may have another.
    if (FScaled && FPixelsPerInch != Screen->PixelsPerInch()) {
        ScaleBy(Screen->PixelsPerInch(), FPixelsPerInch);
        FPixelsPerInch = Screen->PixelsPerInch();
    }
    FFormState.Exclude(fsCreating);
    try {
        DoCreate();
    } catch (...) {
        detail::HandleException(this);
    }
    if (FFormState.Contains(fsVisible)) SetVisible(true);
}

void TCustomForm::BeforeDestruction() {
    Destroying();
    if (Visible()) Hide();
    try {
        DoDestroy();
    } catch (...) {
        detail::HandleException(this);
    }
    if (Screen->FFocusedForm == this) Screen->FFocusedForm = nullptr;
    DestroyHandle();
    Screen->RemoveForm(this);
    TScrollingWinControl::BeforeDestruction();
}

void TCustomForm::Loaded() {
    TScrollingWinControl::Loaded();
    if (FScaled && FPixelsPerInch != Screen->PixelsPerInch()) {
        ScaleBy(Screen->PixelsPerInch(), FPixelsPerInch);
        FPixelsPerInch = Screen->PixelsPerInch();
    }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FMenu) FMenu = nullptr;
    if (Operation == opRemove && AComponent == FPopupParent) {
        FPopupParent = nullptr;
        if (FPopupMode == pmExplicit) FPopupMode = pmNone;
    }
    TScrollingWinControl::Notification(AComponent, Operation);
}

// ---- The window ----

void TCustomForm::CreateParams(TCreateParams& Params) {
    TScrollingWinControl::CreateParams(Params);
    Params.Style &= ~(WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP);
    Params.Style |= WS_CLIPCHILDREN;
    Params.WndParent = nullptr;
    if (FPopupMode == pmExplicit && FPopupParent)
        Params.WndParent = FPopupParent->Handle();
    else if (FPopupMode == pmAuto && Screen->ActiveCustomForm() && Screen->ActiveCustomForm() != this)
        Params.WndParent = Screen->ActiveCustomForm()->Handle();
    else if (ParentWindow())
        Params.WndParent = ParentWindow();
    FrameStyles(Params.Style, Params.ExStyle);
    if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
    if (FAlphaBlend) Params.ExStyle |= WS_EX_LAYERED;
}

// The frame, caption and border icons the border style asks for.
void TCustomForm::FrameStyles(DWORD& Style, DWORD& ExStyle) const {
    bool Caption = true;
    switch (FBorderStyle) {
    case bsNone:
        Style |= WS_POPUP;
        Caption = false;
        break;
    case bsSingle:
    case bsToolWindow:
        Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        Style |= WS_POPUP | WS_CAPTION;
        ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    }
    if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin) ExStyle |= WS_EX_TOOLWINDOW;
    if (Caption && FBorderIcons.Contains(biSystemMenu)) {
        Style |= WS_SYSMENU;
        // Dialogs and tool windows have no minimise or maximise boxes.
        if (FBorderStyle != bsDialog && FBorderStyle != bsToolWindow && FBorderStyle != bsSizeToolWin) {
            if (FBorderIcons.Contains(biMinimize)) Style |= WS_MINIMIZEBOX;
            if (FBorderIcons.Contains(biMaximize)) Style |= WS_MAXIMIZEBOX;
        }
    }
}

TRect TCustomForm::ClientRect() const {
    if (HandleAllocated()) return TScrollingWinControl::ClientRect();
    // No window yet: the one it will get has this frame around its client area.
    DWORD Style = 0;
    DWORD ExStyle = 0;
    FrameStyles(Style, ExStyle);
    TRect Frame = Rect(0, 0, 0, 0);
    AdjustWindowRectEx(Frame, Style, FMenu != nullptr, ExStyle);
    return Rect(0, 0, std::max(0, Width() - Frame.Width()), std::max(0, Height() - Frame.Height()));
}

void TCustomForm::SetMenu(TMainMenu* Value) {
    if (FMenu == Value) return;
    if (FMenu) {
        FMenu->SetWindow(nullptr);
        FMenu->RemoveFreeNotification(this);
    }
    FMenu = Value;
    if (!FMenu) return;
    FMenu->FreeNotification(this);
    if (HandleAllocated()) FMenu->SetWindow(Handle());
}

void TCustomForm::CreateWnd() {
    TScrollingWinControl::CreateWnd();
    if (FMenu) {
        FMenu->SetWindow(nullptr);
        FMenu->SetWindow(Handle());
    }
    if (FAlphaBlend) SetLayeredWindowAttributes(Handle(), 0, FAlphaBlendValue, LWA_ALPHA);
}

void TCustomForm::SetAlphaBlend(bool Value) {
    if (Value == FAlphaBlend) return;
    FAlphaBlend = Value;
    UpdateLayered();
}

void TCustomForm::SetAlphaBlendValue(Byte Value) {
    if (Value == FAlphaBlendValue) return;
    FAlphaBlendValue = Value;
    UpdateLayered();
}

void TCustomForm::UpdateLayered() {
    if (!HandleAllocated()) return;
    HWND Window = Handle();
    LONG_PTR ExStyle = GetWindowLongPtr(Window, GWL_EXSTYLE);
    if (FAlphaBlend) {
        if (!(ExStyle & WS_EX_LAYERED)) SetWindowLongPtr(Window, GWL_EXSTYLE, ExStyle | WS_EX_LAYERED);
        SetLayeredWindowAttributes(Window, 0, FAlphaBlendValue, LWA_ALPHA);
    } else if (ExStyle & WS_EX_LAYERED) {
        SetLayeredWindowAttributes(Window, 0, 255, LWA_ALPHA);
        SetWindowLongPtr(Window, GWL_EXSTYLE, ExStyle & ~LONG_PTR(WS_EX_LAYERED));
    }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
    if (FBorderIcons == Value) return;
    FBorderIcons = Value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
    if (FFormStyle == Value) return;
    FFormStyle = Value;
    if (HandleAllocated())
        SetWindowPos(Handle(), Value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState Value) {
    if (FWindowState == Value) return;
    FWindowState = Value;
    if (Showing())
        ShowWindow(Handle(), Value == wsMaximized   ? SW_SHOWMAXIMIZED
                             : Value == wsMinimized ? SW_MINIMIZE
                                                    : SW_RESTORE);
}

void TCustomForm::SetPopupMode(TPopupMode Value) {
    if (FPopupMode == Value) return;
    FPopupMode = Value;
    RecreateWnd();
}

void TCustomForm::SetPopupParent(TCustomForm* Value) {
    if (FPopupParent == Value) return;
    if (FPopupParent) FPopupParent->RemoveFreeNotification(this);
    FPopupParent = Value;
    if (Value) {
        Value->FreeNotification(this);
        FPopupMode = pmExplicit;
    }
    RecreateWnd();
}

TMonitor* TCustomForm::Monitor() const {
    return Screen->MonitorFromWindow(const_cast<TCustomForm*>(this)->Handle());
}

// ---- Events ----

void TCustomForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}
void TCustomForm::DoDestroy() {
    if (OnDestroy) OnDestroy(this);
}
void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}
void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}
void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose) OnClose(this, Action);
}
void TCustomForm::Activate() {
    if (OnActivate) OnActivate(this);
}
void TCustomForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}
void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

void TCustomForm::PaintWindow(HDC DC) {
    detail::PaintOnDeviceContext(*FCanvas, DC, [this] { Paint(); });
}

// ---- Focus ----

bool TCustomForm::CanFocus() const {
    return Visible() && Enabled();
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
    if (FActiveControl == Control) return;
    if (Control && !(Control != this && GetParentForm(Control) == this &&
                     (ComponentState().Contains(csLoading) || CanBecomeActive(Control, this))))
        throw EInvalidOperation(SCannotFocus);
    FActiveControl = Control;
    if (!ComponentState().Contains(csLoading) && FActive) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
    bool WasActive = FActive;
    SetActiveControl(Control);
    if (!WasActive) SetFocus();
}

void TCustomForm::SetFocus() {
    if (FActive) return;
    if (!Visible() || !Enabled()) throw EInvalidOperation(SCannotFocus);
    SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
    HWND FocusHandle = FActiveControl ? FActiveControl->Handle() : Handle();
    if (FocusHandle) winapi::SetFocus(FocusHandle);
}

void TCustomForm::SetActive(bool Value) {
    FActive = Value;
    if (!Value) return;
    if (!FActiveControl) FActiveControl = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
}

bool TCustomForm::SendFocusMessage(HWND Window, UINT Msg) {
    Integer Count = FocusCount;
    SendMessage(Window, Msg, 0, 0);
    return FocusCount == Count;
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
    ++FocusCount;
    FActiveControl = Control != this ? Control : nullptr;
    Screen->FormActivated(this, Control);
    if (Control->ControlState().Contains(csFocusing)) return false;
    Control->SetControlState(Control->ControlState() + TControlState{csFocusing});
    struct TFocusingGuard {
        TWinControl* Control;
        ~TFocusingGuard() { Control->SetControlState(Control->ControlState() - TControlState{csFocusing}); }
    } Guard{Control};

    if (Screen->FFocusedForm != this) {
        if (TCustomForm* Previous = Screen->FFocusedForm) {
            Screen->FFocusedForm = nullptr;
            if (!SendFocusMessage(Previous->Handle(), CM_DEACTIVATE)) return false;
        }
        Screen->FFocusedForm = this;
        if (!SendFocusMessage(Handle(), CM_ACTIVATE)) return false;
    }
    if (!FFocusedControl) FFocusedControl = this;
    if (FFocusedControl != Control) {
        // Exit from the old control up to the container both share...
        while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
            HWND FocusHandle = FFocusedControl->Handle();
            FFocusedControl = FFocusedControl->Parent();
            if (!SendFocusMessage(FocusHandle, CM_EXIT)) return false;
        }
        // ...then enter down to the new one.
        while (FFocusedControl != Control) {
            TWinControl* Step = Control;
            while (Step->Parent() != FFocusedControl)
                Step = Step->Parent();
            FFocusedControl = Step;
            if (!SendFocusMessage(Step->Handle(), CM_ENTER)) return false;
        }
        Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    }
    return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
    if (Removing && FFocusedControl && Control->ContainsControl(FFocusedControl))
        FFocusedControl = Control->Parent();
    if (FActiveControl && Control->ContainsControl(FActiveControl)) SetActiveControl(nullptr);
    if (Removing && Screen->FActiveControl && Control->ContainsControl(Screen->FActiveControl))
        Screen->FActiveControl = nullptr;
}

// Tab and Shift+Tab move through the tab order; the arrows move among the
// active control's siblings.
bool TCustomForm::HandleDialogKey(TMessage& Message) {
    if (GetKeyState(VK_MENU) < 0) return false;
    switch (Integer(Message.WParam)) {
    case VK_TAB:
        if (GetKeyState(VK_CONTROL) < 0) return false;
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        if (FActiveControl && FActiveControl->Parent()) {
            FActiveControl->Parent()->SelectNext(
                FActiveControl, Message.WParam == WPARAM(VK_RIGHT) || Message.WParam == WPARAM(VK_DOWN),
                false);
            Message.Result = 1;
        }
        return true;
    default:
        return false;
    }
}

// ---- Showing ----

void TCustomForm::SetVisible(bool Value) {
    if (FFormState.Contains(fsCreating)) {
        if (Value)
            FFormState.Include(fsVisible);
        else
            FFormState.Exclude(fsVisible);
        return;
    }
    TScrollingWinControl::SetVisible(Value);
}

void TCustomForm::Show() {
    SetVisible(true);
    BringToFront();
}

void TCustomForm::Hide() {
    SetVisible(false);
}

void TCustomForm::ApplyPosition() {
    auto CentreOn = [this](const TRect& Area) {
        Integer X = std::max(Area.Left, Area.Left + (Area.Width() - Width()) / 2);
        Integer Y = std::max(Area.Top, Area.Top + (Area.Height() - Height()) / 2);
        SetBounds(X, Y, Width(), Height());
    };
    auto CentreOnForm = [&](TCustomForm* Form) {
        if (Form && Form != this && Form->Visible())
            CentreOn(Form->BoundsRect());
        else
            CentreOn(Rect(0, 0, Screen->Width(), Screen->Height()));
    };
    switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
        CentreOn(Rect(0, 0, Screen->Width(), Screen->Height()));
        break;
    case poMainFormCenter:
        CentreOnForm(Application->MainForm());
        break;
    case poOwnerFormCenter: {
        auto* OwnerForm = dynamic_cast<TCustomForm*>(Owner());
        CentreOnForm(OwnerForm ? OwnerForm : Application->MainForm());
        break;
    }
    default:
        break;
    }
}

void TCustomForm::ShowingChanged() {
    if (FFormState.Contains(fsShowing)) throw EInvalidOperation(u"Cannot change Visible in OnShow or OnHide");
    FFormState.Include(fsShowing);
    try {
        if (Showing()) {
            try {
                DoShow();
            } catch (...) {
                detail::HandleException(this);
            }
            ApplyPosition();
            // A window the program already showed without activation (a
            // pop-up) stays inactive when the form catches up with it.
            bool ShownAlready = IsWindowVisible(Handle()) && FWindowState == wsNormal;
            ShowWindow(Handle(), FWindowState == wsMaximized   ? SW_SHOWMAXIMIZED
                                 : FWindowState == wsMinimized ? SW_SHOWMINIMIZED
                                 : ShownAlready                ? SW_SHOWNOACTIVATE
                                                               : SW_SHOWNORMAL);
        } else {
            try {
                DoHide();
            } catch (...) {
                detail::HandleException(this);
            }
            ShowWindow(Handle(), SW_HIDE);
        }
    } catch (...) {
        FFormState.Exclude(fsShowing);
        throw;
    }
    FFormState.Exclude(fsShowing);
}

Integer TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || FFormState.Contains(fsModal))
        throw EInvalidOperation(u"Cannot make a visible window modal");
    if (HWND Captured = GetCapture()) SendMessage(Captured, WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    FFormState.Include(fsModal);
    HWND ActiveWindow = GetActiveWindow();
    TCursor SaveCursor = Screen->Cursor();
    Screen->SetCursor(crDefault);
    // Every other window of the program waits while the form is up.
    std::vector<HWND> Disabled;
    for (TCustomForm* Form : std::vector<TCustomForm*>(Screen->FCustomForms))
        if (Form != this && Form->HandleAllocated() && IsWindowVisible(Form->Handle()) &&
            IsWindowEnabled(Form->Handle())) {
            EnableWindow(Form->Handle(), false);
            Disabled.push_back(Form->Handle());
        }
    auto Restore = [&] {
        for (HWND Window : Disabled)
            if (IsWindow(Window)) EnableWindow(Window, true);
        if (ActiveWindow && IsWindow(ActiveWindow)) SetActiveWindow(ActiveWindow);
        Screen->SetCursor(SaveCursor);
        FFormState.Exclude(fsModal);
    };
    Integer Result = mrNone;
    try {
        Show();
        try {
            SendMessage(Handle(), CM_ACTIVATE, 0, 0);
            FModalResult = mrNone;
            do {
                Application->HandleMessage();
                if (Application->Terminated())
                    FModalResult = mrCancel;
                else if (FModalResult != mrNone)
                    CloseModal();
            } while (FModalResult == mrNone);
            Result = FModalResult;
            SendMessage(Handle(), CM_DEACTIVATE, 0, 0);
        } catch (...) {
            Hide();
            throw;
        }
        Hide();
    } catch (...) {
        Restore();
        throw;
    }
    Restore();
    return Result;
}

void TCustomForm::CloseModal() {
    try {
        TCloseAction Action = caNone;
        if (CloseQuery()) {
            Action = caHide;
            DoClose(Action);
        }
        if (Action == caNone)
            FModalResult = mrNone;
        else if (Action == caFree)
            Release();
    } catch (...) {
        FModalResult = mrNone;
        detail::HandleException(this);
    }
}

bool TCustomForm::CloseQuery() {
    bool CanClose = true;
    if (OnCloseQuery) OnCloseQuery(this, CanClose);
    return CanClose;
}

void TCustomForm::Close() {
    if (FFormState.Contains(fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction Action = caHide;
    DoClose(Action);
    if (Action == caNone) return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (Action == caHide)
        Hide();
    else if (Action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TCustomForm::Release() {
    PostMessage(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_SHOWINGCHANGED:
        ShowingChanged();
        return;
    case WM_GETMINMAXINFO: {
        // The sizing limits of the window system come from the constraints.
        TScrollingWinControl::WndProc(Message);
        auto* Limits = reinterpret_cast<MINMAXINFO*>(Message.LParam);
        if (!Limits) return;
        const TSizeConstraints* Limit = Constraints();
        if (Limit->MinWidth() > 0) Limits->ptMinTrackSize.X = Limit->MinWidth();
        if (Limit->MinHeight() > 0) Limits->ptMinTrackSize.Y = Limit->MinHeight();
        if (Limit->MaxWidth() > 0) Limits->ptMaxTrackSize.X = Limit->MaxWidth();
        if (Limit->MaxHeight() > 0) Limits->ptMaxTrackSize.Y = Limit->MaxHeight();
        return;
    }
    case WM_ACTIVATE:
        // Activation focuses the active control (the first in tab order when none).
        SetActive(LOWORD(Message.WParam) != WA_INACTIVE);
        return;
    case CM_ACTIVATE:
        Activate();
        return;
    case CM_DEACTIVATE:
        Deactivate();
        return;
    case WM_CLOSE:
        Close();
        return;
    case CM_RELEASE:
        Free(this);
        return;
    case WM_COMMAND:
        // A command of the menu bar (controls send theirs with their window in LParam).
        if (Message.LParam == 0 && FMenu && FMenu->DispatchCommand(LOWORD(Message.WParam))) return;
        TScrollingWinControl::WndProc(Message);
        return;
    case WM_INITMENUPOPUP:
        if (FMenu) FMenu->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam));
        return;
    case CM_DIALOGKEY:
        if (HandleDialogKey(Message)) return;
        TScrollingWinControl::WndProc(Message);
        return;
    case WM_PAINT:
        SetControlState(ControlState() + TControlState{csCustomPaint});
        TScrollingWinControl::WndProc(Message);
        SetControlState(ControlState() - TControlState{csCustomPaint});
        return;
    default:
        TScrollingWinControl::WndProc(Message);
        return;
    }
}

// ---- Accelerators ----

bool IsAccel(Word Key, const String& Caption) {
    for (size_t I = 0; I + 1 < Caption.size(); ++I) {
        if (Caption[I] != u'&') continue;
        ++I; // "&&" is a literal ampersand
        if (Caption[I] != u'&')
            return WideUpperCase(String(1, Caption[I])) == WideUpperCase(String(1, Char(Key)));
    }
    return false;
}

// ---- Parent forms ----

TCustomForm* GetParentForm(const TControl* Control, bool TopForm) {
    if (!Control) return nullptr;
    while ((TopForm || !dynamic_cast<const TCustomForm*>(Control)) && Control->Parent())
        Control = Control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(Control));
}

TCustomForm* ValidParentForm(const TControl* Control, bool TopForm) {
    TCustomForm* Form = GetParentForm(Control, TopForm);
    if (!Form)
        throw EInvalidOperation(u"Control '%s' has no parent window", {Control ? Control->Name() : String()});
    return Form;
}

namespace detail {

TCustomForm* ParentFormOf(const TControl* Control) {
    return GetParentForm(Control);
}

} // namespace detail
