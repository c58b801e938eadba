#pragma once
// Forms, the application and the screen.
//
// TCustomForm is a top-level window holding controls: it keeps the active
// control and moves the focus within itself (CM_EXIT up from the control
// losing it, CM_ENTER down to the one taking it), answers the dialog keys,
// shows itself modelessly or modally and closes with its close events.
// TApplication runs the message loop and hands exceptions that escape an
// event to its handler; TScreen knows the forms, the active form and
// control, the cursor and the monitors.

#include "vcl/Controls.h"
#include "vcl/ScrollingWinControl.h"
#include "windowing/Window.h"

#include <functional>
#include <vector>

RTL_ENUM(TFormStyle, fsNormal, fsStayOnTop)
RTL_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
         poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
RTL_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
RTL_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = TSet<TBorderIcon>;
RTL_SET_INFO(TBorderIcons)
RTL_ENUM(TPopupMode, pmNone, pmAuto, pmExplicit)
RTL_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
RTL_ENUM(TFormStateItem, fsCreating, fsVisible, fsShowing, fsModal, fsActivated)
using TFormState = TSet<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TMonitor;
class TMainMenu;

class TCustomForm : public TScrollingWinControl {
    RTL_CLASS(TCustomForm)
public:
    explicit TCustomForm(TComponent* AOwner);
    // The form without its layout: only what code adds (CreateNew).
    TCustomForm(TComponent* AOwner, Integer Dummy);
    ~TCustomForm() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // ---- Look and placement ----
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TWindowState WindowState() const { return FWindowState; }
    void SetWindowState(TWindowState Value);
    // The form's owner window: pmExplicit uses PopupParent, pmAuto the form
    // active when the window is made.
    TPopupMode PopupMode() const { return FPopupMode; }
    void SetPopupMode(TPopupMode Value);
    TCustomForm* PopupParent() const { return FPopupParent; }
    void SetPopupParent(TCustomForm* Value);
    TMonitor* Monitor() const;
    // Constant translucency of the whole window (AlphaBlendValue 0-255).
    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value);
    Byte AlphaBlendValue() const { return FAlphaBlendValue; }
    void SetAlphaBlendValue(Byte Value);
    // Whether the form was made with CreateNew (no layout is read for it).
    bool CreatedNew() const { return FCreatedNew; }

    // Whether the form rescales from PixelsPerInch to the screen's when loaded.
    bool Scaled() const { return FScaled; }
    void SetScaled(bool Value) { FScaled = Value; }
    Integer PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value; }

    // The menu bar of the form.
    TMainMenu* Menu() const { return FMenu; }
    void SetMenu(TMainMenu* Value);

    TCanvas* Canvas() const { return FCanvas.get(); }
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool Value) { FKeyPreview = Value; }

    // ---- Focus ----
    TWinControl* ActiveControl() const { return FActiveControl; }
    // Raises EInvalidOperation "Cannot focus a disabled or invisible window"
    // for a control of another form or one that cannot take the focus.
    void SetActiveControl(TWinControl* Control);
    void FocusControl(TWinControl* Control);
    // Takes the focus into this form (ActiveControl, else the form).
    void SetFocus() override;
    bool CanFocus() const override;
    bool Active() const { return FActive; }
    // Called when Control gets the window focus: runs CM_EXIT and CM_ENTER
    // along the way from the previously focused control; false when a
    // handler moved the focus elsewhere meanwhile.
    bool SetFocusedControl(TWinControl* Control);
    // Forgets Control (and what it contains) as the active or focused control.
    void DefocusControl(TWinControl* Control, bool Removing);

    // ---- Showing and closing ----
    void SetVisible(bool Value) override;
    // Before the window exists, the client area its frame will leave.
    TRect ClientRect() const override;
    void Show();
    void Hide();
    // Shows the form and runs messages until ModalResult is set (or the
    // application terminates: mrCancel); answers ModalResult. Raises
    // EInvalidOperation "Cannot make a visible window modal" when the form
    // is visible, disabled or already modal.
    Integer ShowModal();
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    TFormState FormState() const { return FFormState; }
    // Asks OnCloseQuery, then OnClose decides: hide (the default), free,
    // minimise or stay. The main form's closing ends the application; a
    // modal form's closing sets ModalResult to mrCancel.
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the messages being handled are done.
    void Release();

    void WndProc(TMessage& Message) override;
    // Its components that are not placed in a parent (menus, timers …), then its controls.
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void PaintWindow(winapi::HDC DC) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    virtual void Activate();
    virtual void Deactivate();
    virtual void Paint();

private:
    friend class TApplication;
    void FrameStyles(winapi::DWORD& Style, winapi::DWORD& ExStyle) const;
    void SetActive(bool Value);
    void SetWindowFocus();
    void ShowingChanged();
    void ApplyPosition();
    void CloseModal();
    bool SendFocusMessage(winapi::HWND Window, winapi::UINT Msg);
    bool HandleDialogKey(TMessage& Message);
    void UpdateLayered();

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
    TMainMenu* FMenu = nullptr;
    TFormStyle FFormStyle = fsNormal;
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    TPopupMode FPopupMode = pmNone;
    bool FAlphaBlend = false;
    Byte FAlphaBlendValue = 255;
    bool FCreatedNew = false;
    TCustomForm* FPopupParent = nullptr;
    bool FScaled = true;
    Integer FPixelsPerInch = 96;
    bool FKeyPreview = false;
    bool FActive = false;
    TWinControl* FActiveControl = nullptr;
    TWinControl* FFocusedControl = nullptr;
    TModalResult FModalResult = mrNone;
    TFormState FFormState{fsCreating};
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TForm : public TCustomForm {
    RTL_CLASS(TForm)
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    TForm(TComponent* AOwner, Integer Dummy) : TCustomForm(AOwner, Dummy) {}
};

// Makes a form of class T without its layout (the two-phase creation of
// Create<T>, through T's (AOwner, Dummy) constructor).
template <class T>
T* CreateNew(TComponent* AOwner) {
    return Create<T>(AOwner, 0);
}

// Whether Key is the accelerator of Caption: the character after a single
// "&", compared without case.
bool IsAccel(Word Key, const String& Caption);

// The form a control is on: the outermost one (TopForm) or the nearest.
TCustomForm* GetParentForm(const TControl* Control, bool TopForm = true);
// The same, raising EInvalidOperation "Control '%s' has no parent window" without one.
TCustomForm* ValidParentForm(const TControl* Control, bool TopForm = true);

// ---- Message boxes ----
namespace winapi {

enum : UINT {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONHAND = 0x10,
    MB_ICONSTOP = 0x10,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONASTERISK = 0x40,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON1 = 0x000,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
};
enum : Integer { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// Shows a message box (the message dialog of vcl/Dialogs.h) and answers the
// button chosen; a handler set with SetMessageBoxHandler answers instead.
Integer MessageBox(HWND Owner, const String& Text, const String& Caption, UINT Type);

} // namespace winapi

using TMessageBoxHandler =
    std::function<Integer(winapi::HWND Owner, const String& Text, const String& Caption, winapi::UINT Type)>;
// Installs a scripted answer for every message box (MessageBox, MessageDlg,
// ShowMessage): it gets the box's text, caption and MB_ flags and answers
// the ID of the button (IDs equal the modal results). Null: the dialog is
// shown. Answers the old handler.
TMessageBoxHandler SetMessageBoxHandler(TMessageBoxHandler Handler);

// ---- The application ----

using TExceptionEvent = std::function<void(TObject* Sender, Exception* E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using THelpEvent = std::function<bool(Word Command, NativeInt Data, bool& CallHelp)>;

class TCustomHintWindow;

class TApplication : public TComponent {
    RTL_CLASS(TApplication)
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;
    void BeforeDestruction() override;

    // Makes the application's hidden window (class "TApplication", titled Title).
    void Initialize();
    winapi::HWND Handle();
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value);

    // Creates a form owned by the application; the first one becomes the main form.
    template <class T>
    void CreateForm(T*& Reference) {
        Reference = Create<T>(this);
        if (!FMainForm) FMainForm = Reference;
    }
    TCustomForm* MainForm() const { return FMainForm; }
    bool ShowMainForm() const { return FShowMainForm; }
    void SetShowMainForm(bool Value) { FShowMainForm = Value; }

    // Shows the main form and handles messages until Terminated.
    void Run();
    // Handles one message, or idles (OnIdle, then waits for a message).
    void HandleMessage();
    // Handles every waiting message and returns.
    void ProcessMessages();
    // Asks the message loop to end; Terminated becomes true when the loop
    // gets to the request, after the messages queued before it.
    void Terminate();
    bool Terminated() const { return FTerminated; }

    // Hands the exception being handled (call from a catch block) to
    // OnException, or shows it; EAbort is silent.
    void HandleException(TObject* Sender);
    // The default display of an exception: an error box with the message,
    // captioned with the title.
    void ShowException(const Exception* E);
    Integer MessageBox(const String& Text, const String& Caption, winapi::UINT Flags = winapi::MB_OK);

    // ---- Hints ----
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    Integer HintPause() const { return FHintPause; }
    void SetHintPause(Integer Value) { FHintPause = Value; }
    Integer HintHidePause() const { return FHintHidePause; }
    void SetHintHidePause(Integer Value) { FHintHidePause = Value; }
    TColor HintColor() const { return FHintColor; }
    void SetHintColor(TColor Value) { FHintColor = Value; }
    // What makes the hint windows (null: no hints are shown); THintWindow
    // from the start.
    THintWindowClass HintWindowClass;
    // Asks the control under the cursor for its hint (CM_HINTSHOW) and shows
    // it; false when there is none or the control refused.
    bool ActivateHint(TPoint CursorPos);
    void CancelHint();
    TCustomHintWindow* HintWindow() const { return FHintWindow; }
    // The last hint information a control answered (for tests and hint windows).
    const THintInfo& LastHintInfo() const { return FLastHintInfo; }

    // ---- Help and settings switches ----
    bool HelpCommand(Word Command, NativeInt Data);
    bool UpdateFormatSettings() const { return FUpdateFormatSettings; }
    void SetUpdateFormatSettings(bool Value) { FUpdateFormatSettings = Value; }
    bool UpdateMetricSettings() const { return FUpdateMetricSettings; }
    void SetUpdateMetricSettings(bool Value) { FUpdateMetricSettings = Value; }

    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    THelpEvent OnHelp;

    // For the framework: the mouse moved over Control.
    void HintMouseMessage(TControl* Control, const TMessage& Message);
    void ControlDestroyed(TControl* Control);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool ProcessMessage(winapi::MSG& Msg);
    bool IsKeyMsg(winapi::MSG& Msg);
    void Idle();
    void StartHintTimer(Integer Interval);
    void StopHintTimer();
    static void HintTimerProc(winapi::HWND, winapi::UINT, NativeUInt, winapi::DWORD);

    winapi::HWND FHandle = nullptr;
    String FTitle;
    TCustomForm* FMainForm = nullptr;
    bool FShowMainForm = true;
    bool FTerminated = false;
    bool FShowHint = true;
    Integer FHintPause = 500;
    Integer FHintHidePause = 2500;
    TColor FHintColor = clInfoBk;
    TControl* FHintControl = nullptr;
    TCustomHintWindow* FHintWindow = nullptr;
    NativeUInt FHintTimer = 0;
    THintInfo FLastHintInfo;
    bool FUpdateFormatSettings = true;
    bool FUpdateMetricSettings = true;
};

// A window that shows a hint; HintWindowClass makes them.
class TCustomHintWindow : public TCustomControl {
    RTL_CLASS(TCustomHintWindow)
public:
    explicit TCustomHintWindow(TComponent* AOwner);
    // The size the hint needs for its text, at most MaxWidth wide.
    virtual TRect CalcHintRect(Integer MaxWidth, const String& AHint, void* AData);
    // Shows the hint at Rect (screen coordinates) without taking activation.
    virtual void ActivateHint(const TRect& Rect, const String& AHint);
    virtual void ActivateHintData(const TRect& Rect, const String& AHint, void* AData);
    void ReleaseHandle();

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
};

// The hint window the application uses unless a program names another
// class in HintWindowClass.
class THintWindow : public TCustomHintWindow {
    RTL_CLASS(THintWindow)
public:
    explicit THintWindow(TComponent* AOwner) : TCustomHintWindow(AOwner) {}
};

// ---- The screen ----

class TMonitor {
public:
    explicit TMonitor(winapi::HMONITOR Handle, Integer Number) : FHandle(Handle), FNumber(Number) {}
    winapi::HMONITOR Handle() const { return FHandle; }
    Integer MonitorNum() const { return FNumber; }
    TRect BoundsRect() const;
    TRect WorkareaRect() const;
    Integer Left() const { return BoundsRect().Left; }
    Integer Top() const { return BoundsRect().Top; }
    Integer Width() const { return BoundsRect().Width(); }
    Integer Height() const { return BoundsRect().Height(); }
    bool Primary() const;
    Integer PixelsPerInch() const;

private:
    winapi::HMONITOR FHandle;
    Integer FNumber;
};

class TScreen : public TComponent {
    RTL_CLASS(TScreen)
public:
    explicit TScreen(TComponent* AOwner);
    ~TScreen() override;

    TWinControl* ActiveControl() const { return FActiveControl; }
    TCustomForm* ActiveCustomForm() const { return FActiveCustomForm; }
    TForm* ActiveForm() const { return FActiveForm; }
    TCustomForm* FocusedForm() const { return FFocusedForm; }
    // The forms in activation order: the most recently active first.
    Integer FormCount() const { return Integer(FForms.size()); }
    TForm* Forms(Integer Index) const;
    Integer CustomFormCount() const { return Integer(FCustomForms.size()); }
    TCustomForm* CustomForms(Integer Index) const;

    // The cursor shown over every window of the program (crDefault: each
    // control's own).
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The cursor of an identity; unknown identities give the arrow.
    winapi::HCURSOR Cursors(TCursor Index) const;
    void SetCursors(TCursor Index, winapi::HCURSOR Handle);

    Integer PixelsPerInch() const;
    void SetPixelsPerInch(Integer Value);
    Integer Width() const;
    Integer Height() const;
    TRect DesktopRect() const;
    TRect WorkAreaRect() const;
    Integer MonitorCount() const;
    TMonitor* Monitors(Integer Index) const;
    TMonitor* PrimaryMonitor() const;
    TMonitor* MonitorFromPoint(TPoint Point) const;
    TMonitor* MonitorFromRect(const TRect& Rect) const;
    TMonitor* MonitorFromWindow(winapi::HWND Window) const;

    TNotifyEvent OnActiveControlChange;
    TNotifyEvent OnActiveFormChange;

    // For the framework: forgets a control being freed.
    void ControlDestroyed(TControl* Control);

private:
    friend class TCustomForm;
    friend class TApplication;
    TMonitor* MonitorOf(winapi::HMONITOR Handle) const;
    void AddForm(TCustomForm* Form);
    void RemoveForm(TCustomForm* Form);
    void FormActivated(TCustomForm* Form, TWinControl* Control);

    TWinControl* FActiveControl = nullptr;
    TCustomForm* FActiveCustomForm = nullptr;
    TForm* FActiveForm = nullptr;
    TCustomForm* FFocusedForm = nullptr;
    std::vector<TForm*> FForms;
    std::vector<TCustomForm*> FCustomForms;
    TCursor FCursor = crDefault;
    std::vector<std::pair<TCursor, winapi::HCURSOR>> FCustomCursors;
    mutable std::vector<std::unique_ptr<TMonitor>> FMonitors;
};

// The program's application and screen objects.
extern TApplication* Application;
extern TScreen* Screen;
