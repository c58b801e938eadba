#pragma once
// The controls framework.
//
// TControl is a rectangle on a parent that paints itself, takes mouse input
// and tells others of its property changes through control notifications
// (CM_*). TWinControl adds a window of its own, made when first needed,
// holds child controls, aligns them and takes the keyboard focus.
// TGraphicControl has no window: its parent paints it and hands it the mouse
// messages over its rectangle. TCustomControl is a windowed control that
// paints itself on a canvas.
//
// Every message a control gets, sent or dispatched, goes through WindowProc
// (by default the virtual WndProc). A control class handles a message by
// overriding WndProc, switching on the message and calling the inherited
// WndProc for the rest; what no class handles reaches DefaultHandler, which
// for a windowed control is the window system's default procedure.

#include "graphics/Canvas.h"
#include "rtl/Component.h"
#include "rtl/Exception.h"
#include "vcl/ControlMessages.h"
#include "windowing/Window.h"

#include <memory>
#include <vector>

class TWinControl;
class TCustomForm;
class TPopupMenu;
class TBasicAction;
class TControlActionLink;

RTL_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
RTL_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
using TAnchors = TSet<TAnchorKind>;
RTL_SET_INFO(TAnchors)

RTL_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)

// The bevel a windowed control may draw round its client area.
RTL_ENUM(TBevelKind, bkNone, bkTile, bkSoft, bkFlat)
// The parts of a control a style may paint.
RTL_ENUM(TStyleElement, seFont, seClient, seBorder)
using TStyleElements = TSet<TStyleElement>;
RTL_SET_INFO(TStyleElements)

// bsNone and bsSingle are the border styles of controls; forms have them all.
RTL_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
using TBorderStyle = TFormBorderStyle;

RTL_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
         csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
         csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents,
         csNeedsBorderPaint, csParentBackground)
using TControlStyle = TSet<TControlStyleItem>;
RTL_SET_INFO(TControlStyle)

RTL_ENUM(TControlStateItem, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded,
         csFocusing, csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide,
         csPanning, csRecreating, csAligning)
using TControlState = TSet<TControlStateItem>;
RTL_SET_INFO(TControlState)

// Cursor identities: the standard shapes are negative; a program registers
// its own under positive numbers (Screen.SetCursors).
using TCursor = SmallInt;
enum : TCursor {
    crDefault = 0,
    crNone = -1,
    crArrow = -2,
    crCross = -3,
    crIBeam = -4,
    crSizeNESW = -6,
    crSizeNS = -7,
    crSizeNWSE = -8,
    crSizeWE = -9,
    crUpArrow = -10,
    crHourGlass = -11,
    crDrag = -12,
    crNoDrop = -13,
    crHSplit = -14,
    crVSplit = -15,
    crMultiDrag = -16,
    crSQLWait = -17,
    crNo = -18,
    crAppStart = -19,
    crHelp = -20,
    crHandPoint = -21,
    crSizeAll = -22,
};

// The answer of a modal form and of the buttons that close one.
using TModalResult = Integer;
enum : TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrClose = 8,
    mrHelp = 9,
    mrTryAgain = 10,
    mrContinue = 11,
    mrAll = 12,
    mrNoToAll = 13,
    mrYesToAll = 14,
};

using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// The shift state of a mouse message's key flags (with Alt from the keyboard state).
TShiftState KeysToShiftState(Word Keys);
// The shift state of a key message's key data (Alt from bit 29, the others from the keyboard state).
TShiftState KeyDataToShiftState(winapi::LPARAM KeyData);

// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
    RTL_CLASS(TSizeConstraints)
public:
    explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
    void Assign(const TPersistent* Source) override;

    Integer MinWidth() const { return FMinWidth; }
    Integer MinHeight() const { return FMinHeight; }
    Integer MaxWidth() const { return FMaxWidth; }
    Integer MaxHeight() const { return FMaxHeight; }
    void SetMinWidth(Integer Value);
    void SetMinHeight(Integer Value);
    void SetMaxWidth(Integer Value);
    void SetMaxHeight(Integer Value);

private:
    void Changed();

    TControl* FControl;
    Integer FMinWidth = 0;
    Integer FMinHeight = 0;
    Integer FMaxWidth = 0;
    Integer FMaxHeight = 0;
};

// A canvas on a control: outside painting it draws on a device context of
// the control it makes on demand (for a graphic control, the parent's,
// moved to the control and clipped to it).
class TControlCanvas : public TCanvas {
    RTL_CLASS(TControlCanvas)
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;

    TControl* Control() const { return FControl; }
    void SetControl(TControl* Value);
    // Gives the device context made on demand back to the window system.
    void FreeHandle();
    // The window of the device context made on demand (null: none).
    winapi::HWND ContextWindow() const { return FWindowHandle; }

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    winapi::HDC FDeviceContext = nullptr;
    winapi::HWND FWindowHandle = nullptr;
};

class TControl : public TComponent {
    RTL_CLASS(TControl)
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void BeforeDestruction() override;

    // ---- Parent and placement ----
    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    Integer Left() const { return FLeft; }
    Integer Top() const { return FTop; }
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Moves and sizes the control (in its parent's client coordinates; a
    // form's in screen coordinates) within its constraints.
    virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& Rect) { SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); }

    // The client area in the control's own coordinates.
    virtual TRect ClientRect() const;
    Integer ClientWidth() const { return ClientRect().Right; }
    Integer ClientHeight() const { return ClientRect().Bottom; }
    void SetClientWidth(Integer Value) { SetClientSize({Value, ClientHeight()}); }
    void SetClientHeight(Integer Value) { SetClientSize({ClientWidth(), Value}); }
    virtual void SetClientSize(TSize Value);
    // The screen position of the client area's top left.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint Point) const;
    TPoint ScreenToClient(TPoint Point) const;
    // From the client coordinates of this control to those of AParent (an
    // ancestor; null: the parent).
    TPoint ClientToParent(TPoint Point, TWinControl* AParent = nullptr) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    TSizeConstraints* Constraints() const { return FConstraints.get(); }

    // ---- State and appearance ----
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show();
    void Hide() { SetVisible(false); }
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    // Caption and Text are one property under two names.
    const String& Caption() const { return FText; }
    void SetCaption(const String& Value) { SetText(Value); }
    const String& Text() const { return FText; }
    void SetText(const String& Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // The pop-up menu shown on a right click; cleared when it is freed.
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    // The action the control follows (caption, enabled state, hint,
    // visibility) and runs when clicked without an OnClick of its own.
    TBasicAction* Action() const;
    void SetAction(TBasicAction* Value);
    TControlActionLink* ActionLink() const { return FActionLink.get(); }
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
    bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
    bool UseRightToLeftScrollBar() const {
        return FBiDiMode != bdLeftToRight && FBiDiMode != bdRightToLeftReadingOnly;
    }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    // Whether this control holds the mouse capture.
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    // ---- Messages ----
    // Sends a message straight to WindowProc and answers its result.
    winapi::LRESULT Perform(winapi::UINT Msg, winapi::WPARAM WParam, winapi::LPARAM LParam);
    // Where messages go first; replace it to watch or filter a control's
    // messages, and call the saved one for the rest.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    // ---- Painting ----
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront() { SetZOrder(true); }
    void SendToBack() { SetZOrder(false); }

    // ---- Scaling ----
    // Multiplies position, size and font by M / D.
    virtual void ChangeScale(Integer M, Integer D);

    virtual void Click();
    virtual void DblClick();

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnResize;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;

    // For TWinControl: the anchor distances to keep when the parent resizes.
    void UpdateAnchorRules();

    // Component streams: a control is written inside its parent and placed
    // in it when read back.
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;
    // The link a control class uses to follow its action.
    virtual std::unique_ptr<TControlActionLink> CreateActionLink();
    // Takes the action's values; with CheckDefaults only into properties
    // that still hold their defaults (a layout being read).
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
    virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Resize();
    // Called before Visible changes; may refuse by raising.
    virtual void VisibleChanging() {}
    virtual void SetZOrder(bool TopMost);
    // Asks the parent to realign its children after this one changed.
    virtual void RequestAlign();
    // Invalidates the control's rectangle on the parent.
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    // A device context to draw on the control outside painting; the window
    // it belongs to comes back in WindowHandle.
    virtual winapi::HDC GetDeviceContext(winapi::HWND& WindowHandle);
    // Applies the constraints to a new size.
    void ConstrainedResize(Integer& NewWidth, Integer& NewHeight) const;
    friend class TSizeConstraints;
    void ConstraintsChanged();

    // Bounds as stored, without side effects (the window system reports a
    // windowed control's new placement through this).
    void StoreBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    bool AnchorMove() const { return FAnchorMove; }

    // For constructors of derived classes: initial look, set without notifications.
    void InitAppearance(bool AVisible, TColor AColor, bool AParentFont) {
        FVisible = AVisible;
        FColor = AColor;
        FParentColor = false;
        FParentFont = AParentFont;
    }

    String FText;

private:
    friend class TWinControl;
    friend class TControlCanvas;
    void FontChanged(TObject* Sender);
    void HandleMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void HandleMouseUp(TMessage& Message, TMouseButton Button);
    void HandleMouseWheel(TMessage& Message);
    void HandleMouseEnterLeave(TMessage& Message);
    // Where a child of the aligning parent goes under anchors alone.
    void AnchoredBounds(TSize ParentSize, Integer& NewLeft, Integer& NewTop, Integer& NewWidth,
                        Integer& NewHeight) const;

    TWinControl* FParent = nullptr;
    Integer FLeft = 0;
    Integer FTop = 0;
    Integer FWidth = 0;
    Integer FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    TPoint FAnchorRules;
    TPoint FOriginalParentSize;
    bool FAnchorMove = false;
    std::unique_ptr<TSizeConstraints> FConstraints;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    std::unique_ptr<TFont> FFont;
    bool FParentFont = true;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    std::unique_ptr<TControlActionLink> FActionLink;
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    TControlState FControlState;
    Integer FWheelAccumulator = 0;
};

class TWinControl : public TControl {
    RTL_CLASS(TWinControl)
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;
    void BeforeDestruction() override;

    // ---- The window ----
    // The window, made (with the parents' windows) when first asked for.
    winapi::HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded();
    // Destroys the windows of this control and its children; they are made
    // again when next needed.
    void DestroyHandle();
    // Destroys the window and makes it again with fresh creation parameters.
    void RecreateWnd();
    // The window a parentless windowed control lives in (or, for a form,
    // its owner window).
    winapi::HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(winapi::HWND Value);
    // Whether the control and all its parents are visible and have windows.
    bool Showing() const { return FShowing; }

    // ---- Children ----
    // Graphic children first, then windowed ones, each in z-order (bottom first).
    Integer ControlCount() const { return Integer(FControls.size() + FWinControls.size()); }
    TControl* Controls(Integer Index) const;
    bool ContainsControl(const TControl* Control) const;
    // The topmost visible child (graphic only unless AllowWinControls) at a
    // client point; disabled ones only with AllowDisabled.
    TControl* ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls = false) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    // The children that Root owns, in child order (component streams).
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;
    // Sends a message to every child until one answers it (non-zero result).
    void Broadcast(TMessage& Message);
    // Sends a message to every child, answering nothing.
    void NotifyControls(winapi::UINT Msg);

    // ---- Alignment ----
    void DisableAlign();
    void EnableAlign();
    void Realign();
    bool AlignDisabled() const { return FAlignLevel > 0; }
    void ScaleBy(Integer M, Integer D);
    void ChangeScale(Integer M, Integer D) override;

    // ---- Focus and tab order ----
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    Integer TabOrder() const;
    void SetTabOrder(Integer Value);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // The windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                 bool CheckParent) const;
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    void SelectFirst();

    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value);
    TBrush* Brush() const { return FBrush.get(); }

    // ---- Look flags that controls read when they draw their frames ----
    // The three-dimensional look; while ParentCtl3D is on, the parent's.
    bool Ctl3D() const;
    // Stores the look and switches ParentCtl3D off.
    void SetCtl3D(bool Value);
    bool ParentCtl3D() const { return FParentCtl3D; }
    void SetParentCtl3D(bool Value);
    TBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TBevelKind Value);
    // The parts a style would paint (no style is ever active here).
    TStyleElements StyleElements() const { return FStyleElements; }
    void SetStyleElements(TStyleElements Value) { FStyleElements = Value; }

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void SetParent(TWinControl* AParent) override;
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    // Paints the graphic children from First (null: all) upward on DC.
    void PaintControls(winapi::HDC DC, TControl* First);
    // Paints the control with its children onto another device context,
    // its window's top left at (X, Y) there.
    void PaintTo(winapi::HDC DC, Integer X, Integer Y);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;

    // What CreateParams fills in for CreateWindowHandle.
    struct TCreateParams {
        String Caption;
        winapi::DWORD Style = 0;
        winapi::DWORD ExStyle = 0;
        Integer X = 0;
        Integer Y = 0;
        Integer Width = 0;
        Integer Height = 0;
        winapi::HWND WndParent = nullptr;
        winapi::WNDCLASS WindowClass;
        String WinClassName;
    };

protected:
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void CreateHandle();
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();

    virtual void AlignControls(TControl* AControl, TRect& Rect);
    // Shrinks the rectangle the children are aligned in.
    virtual void AdjustClientRect(TRect& /*Rect*/) const {}
    void AlignControl(TControl* AControl);

    // The painting of WM_PAINT: the window, then the graphic children.
    void PaintHandler(TMessage& Message);
    virtual void PaintWindow(winapi::HDC DC);

    virtual void DoEnter();
    virtual void DoExit();
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyPress(Char& Key);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    // The form's key preview, then KeyDown; true when the key was used up.
    bool DoKeyDown(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    // The dialog-key handling of the message loop (CN_KEYDOWN, CN_CHAR).
    void CNKeyDown(TMessage& Message);
    void CNChar(TMessage& Message);

    // Takes the focus away from this control (or its children) in its form.
    void RemoveFocus(bool Removing);
    // Shows, hides, makes the windows as the visibility of the control and
    // its parents asks.
    void UpdateShowing();
    void UpdateControlState();
    // The window the control's window should follow in z-order.
    winapi::HWND PrecedingWindow(TWinControl* Control) const;
    void SetZOrder(bool TopMost) override;
    winapi::HDC GetDeviceContext(winapi::HWND& WindowHandle) override;

    // Reads the window's placement back into the bounds.
    void UpdateBounds();

    bool FShowing = false;

private:
    friend class TControl;
    friend class TCustomForm;
    friend struct TWindowBridge;
    // Every message of the window: WindowProc, with escaped exceptions
    // handed to the application.
    void MainWndProc(TMessage& Message);
    bool IsControlMouseMsg(TMessage& Message);
    void Insert(TControl* AControl);
    void Remove(TControl* AControl);

    winapi::HWND FHandle = nullptr;
    winapi::HWND FParentWindow = nullptr;
    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FWinControls;
    std::vector<TWinControl*> FTabList;
    bool FTabStop = false;
    bool FDoubleBuffered = false;
    bool FCtl3D = true;
    bool FParentCtl3D = true;
    TBevelKind FBevelKind = bkNone;
    TStyleElements FStyleElements{seFont, seClient, seBorder};
    Integer FAlignLevel = 0;
    std::unique_ptr<TBrush> FBrush;
};

class TGraphicControl : public TControl {
    RTL_CLASS(TGraphicControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    void WndProc(TMessage& Message) override;

protected:
    virtual void Paint() {}

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

class TCustomControl : public TWinControl {
    RTL_CLASS(TCustomControl)
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    void WndProc(TMessage& Message) override;

protected:
    virtual void Paint() {}
    void PaintWindow(winapi::HDC DC) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

// The mouse as a whole.
class TMouse {
public:
    TPoint CursorPos() const;
    void SetCursorPos(TPoint Value);
    // The window holding the capture (null: none).
    winapi::HWND Capture() const;
    void SetCapture(winapi::HWND Value);
    bool MousePresent() const { return true; }
    bool WheelPresent() const { return true; }
    Integer WheelScrollLines() const;
};
extern TMouse* Mouse;

// The control whose window is Handle, or null.
TWinControl* FindControl(winapi::HWND Handle);
// The control under a screen point: the windowed control there, or its
// graphic child at the point.
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);
// The control holding the mouse capture (a graphic control when its parent
// holds it for it).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
