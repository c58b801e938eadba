// TWinControl: children and their z-order, property notifications passed
// down to the children, and the window procedure of windowed controls.

#include "ControlGlobals.h"
#include "graphics/GdiDraw.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

#include <algorithm>

using namespace winapi;

const TClassInfo& TWinControl::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TWinControl, TControl>()
            .Property(u"DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered)
            .Default(false)
            .Property(u"Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
            .Default(true)
            .Property(u"ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D)
            .Default(true)
            .Property(u"BevelKind", &TWinControl::BevelKind, &TWinControl::SetBevelKind)
            .Default(bkNone)
            .Property(u"StyleElements", &TWinControl::StyleElements, &TWinControl::SetStyleElements)
            .Default(TStyleElements{seFont, seClient, seBorder})
            .Property(u"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
            .Property(u"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
            .Default(false)
            .Property(u"OnEnter", &TWinControl::OnEnter,
                      [](TWinControl& C, TNotifyEvent E) { C.OnEnter = std::move(E); })
            .Property(u"OnExit", &TWinControl::OnExit,
                      [](TWinControl& C, TNotifyEvent E) { C.OnExit = std::move(E); })
            .Property(u"OnKeyDown", &TWinControl::OnKeyDown,
                      [](TWinControl& C, TKeyEvent E) { C.OnKeyDown = std::move(E); })
            .Property(u"OnKeyPress", &TWinControl::OnKeyPress,
                      [](TWinControl& C, TKeyPressEvent E) { C.OnKeyPress = std::move(E); })
            .Property(u"OnKeyUp", &TWinControl::OnKeyUp,
                      [](TWinControl& C, TKeyEvent E) { C.OnKeyUp = std::move(E); })
            .Build();
    return Info;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
    FBrush->SetColor(Color());
}

TWinControl::~TWinControl() = default;

void TWinControl::BeforeDestruction() {
    Destroying();
    if (Parent()) RemoveFocus(true);
    DestroyHandle();
    // The children stay with their owners; they only lose this parent.
    for (TControl* Child : FControls)
        Child->FParent = nullptr;
    for (TWinControl* Child : FWinControls)
        Child->FParent = nullptr;
    FControls.clear();
    FWinControls.clear();
    FTabList.clear();
    TControl::BeforeDestruction();
}

// ---- Children ----

TControl* TWinControl::Controls(Integer Index) const {
    Integer GraphicCount = Integer(FControls.size());
    if (Index < 0 || Index >= ControlCount()) throw EListError(u"List index out of bounds (%d)", {Index});
    if (Index < GraphicCount) return FControls[size_t(Index)];
    return FWinControls[size_t(Index - GraphicCount)];
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    while (Control && Control != this)
        Control = Control->Parent();
    return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
    auto Hit = [&](TControl* Control) {
        if (!Control->Visible() || (!AllowDisabled && !Control->Enabled())) return false;
        TPoint P{Pos.X - Control->Left(), Pos.Y - Control->Top()};
        if (!PtInRect(Rect(0, 0, Control->Width(), Control->Height()), P)) return false;
        return Control->Perform(CM_HITTEST, 0, MAKELPARAM(P.X, P.Y)) != 0;
    };
    if (AllowWinControls)
        for (auto It = FWinControls.rbegin(); It != FWinControls.rend(); ++It)
            if (Hit(*It)) return *It;
    for (auto It = FControls.rbegin(); It != FControls.rend(); ++It)
        if (Hit(*It)) return *It;
    return nullptr;
}

void TWinControl::Insert(TControl* AControl) {
    if (auto* Windowed = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(Windowed);
        FTabList.push_back(Windowed);
    } else {
        FControls.push_back(AControl);
    }
    AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl) {
    if (auto* Windowed = dynamic_cast<TWinControl*>(AControl)) {
        std::erase(FTabList, Windowed);
        std::erase(FWinControls, Windowed);
    } else {
        std::erase(FControls, AControl);
    }
    AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl) {
    Insert(AControl);
    if (!AControl->ComponentState().Contains(csReading)) {
        AControl->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        AControl->Perform(CM_PARENTFONTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
        AControl->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
        if (auto* Windowed = dynamic_cast<TWinControl*>(AControl))
            Windowed->UpdateControlState();
        else if (HandleAllocated())
            AControl->Invalidate();
        AControl->UpdateAnchorRules();
        AlignControl(AControl);
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    if (auto* Windowed = dynamic_cast<TWinControl*>(AControl)) {
        // Its window goes; it is made again under the next parent when needed.
        Windowed->RemoveFocus(true);
        Windowed->DestroyHandle();
    } else if (HandleAllocated()) {
        AControl->InvalidateControl(AControl->Visible(), false);
    }
    Remove(AControl);
    Realign();
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const {
    for (Integer i = 0; i < ControlCount(); ++i)
        if (Controls(i)->Owner() == Root) Proc(Controls(i));
}

void TWinControl::Broadcast(TMessage& Message) {
    // A copy: a handler may add or remove children.
    std::vector<TControl*> Children;
    for (Integer I = 0; I < ControlCount(); ++I)
        Children.push_back(Controls(I));
    for (TControl* Child : Children) {
        Child->WindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg) {
    TMessage Message{Msg, 0, 0, 0};
    Broadcast(Message);
}

void TWinControl::SetParent(TWinControl* AParent) {
    if (AParent && FParentWindow) FParentWindow = nullptr;
    TControl::SetParent(AParent);
}

void TWinControl::SetParentWindow(HWND Value) {
    if (Parent() || FParentWindow == Value) return;
    DestroyHandle();
    FParentWindow = Value;
    UpdateControlState();
}

void TWinControl::SetZOrder(bool TopMost) {
    if (TWinControl* P = Parent()) {
        auto& List = P->FWinControls;
        auto It = std::find(List.begin(), List.end(), this);
        if (It != List.end()) {
            List.erase(It);
            if (TopMost)
                List.push_back(this);
            else
                List.insert(List.begin(), this);
        }
    }
    // A top-level window brought to the front is activated too.
    if (FHandle)
        SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | (Parent() ? UINT(SWP_NOACTIVATE) : 0u));
}

HWND TWinControl::PrecedingWindow(TWinControl* Control) const {
    auto It = std::find(FWinControls.begin(), FWinControls.end(), Control);
    if (It == FWinControls.end()) return HWND_TOP;
    for (++It; It != FWinControls.end(); ++It)
        if ((*It)->FHandle) return (*It)->FHandle;
    return HWND_TOP;
}

// ---- Properties ----

void TWinControl::SetTabStop(bool Value) {
    if (FTabStop == Value) return;
    FTabStop = Value;
    if (FHandle) {
        LONG_PTR Style = GetWindowLongPtr(FHandle, GWL_STYLE);
        SetWindowLongPtr(FHandle, GWL_STYLE, Value ? (Style | WS_TABSTOP) : (Style & ~LONG_PTR(WS_TABSTOP)));
    }
    Perform(CM_TABSTOPCHANGED, 0, 0);
}

Integer TWinControl::TabOrder() const {
    if (!Parent()) return -1;
    const auto& List = Parent()->FTabList;
    auto It = std::find(List.begin(), List.end(), this);
    return It == List.end() ? -1 : Integer(It - List.begin());
}

// An order beyond the end puts the control last.
void TWinControl::SetTabOrder(Integer Value) {
    if (!Parent()) return;
    auto& List = Parent()->FTabList;
    auto It = std::find(List.begin(), List.end(), this);
    if (It == List.end()) return;
    List.erase(It);
    if (Value < 0 || Value >= Integer(List.size()))
        List.push_back(this);
    else
        List.insert(List.begin() + Value, this);
}

bool TWinControl::Ctl3D() const {
    if (FParentCtl3D && Parent()) return Parent()->Ctl3D();
    return FCtl3D;
}

void TWinControl::SetCtl3D(bool Value) {
    const bool Old = Ctl3D();
    FCtl3D = Value;
    FParentCtl3D = false;
    if (Old != Value) Invalidate();
}

void TWinControl::SetParentCtl3D(bool Value) {
    if (FParentCtl3D == Value) return;
    const bool Old = Ctl3D();
    FParentCtl3D = Value;
    if (Old != Ctl3D()) Invalidate();
}

void TWinControl::SetBevelKind(TBevelKind Value) {
    if (FBevelKind == Value) return;
    FBevelKind = Value;
    Invalidate();
}

void TWinControl::SetDoubleBuffered(bool Value) {
    if (FDoubleBuffered == Value) return;
    FDoubleBuffered = Value;
    Invalidate();
}

// ---- Placement ----

void TWinControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    ConstrainedResize(AWidth, AHeight);
    if (ALeft == Left() && ATop == Top() && AWidth == Width() && AHeight == Height()) return;
    if (FHandle && !IsIconic(FHandle)) {
        // The window reports its new placement back (WM_MOVE, WM_SIZE).
        SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateBounds();
    } else {
        StoreBounds(ALeft, ATop, AWidth, AHeight);
        Realign();
        if (!ComponentState().Contains(csLoading)) Resize();
    }
    UpdateAnchorRules();
    RequestAlign();
}

void TWinControl::UpdateBounds() {
    if (!FHandle) return;
    TRect Window;
    GetWindowRect(FHandle, Window);
    TPoint Corners[2] = {Window.TopLeft(), Window.BottomRight()};
    if (GetWindowLongPtr(FHandle, GWL_STYLE) & WS_CHILD)
        if (HWND ParentHandle = GetParent(FHandle)) MapWindowPoints(nullptr, ParentHandle, Corners, 2);
    TRect Placed{Corners[0].X, Corners[0].Y, Corners[1].X, Corners[1].Y};
    if (Placed == BoundsRect()) return;
    StoreBounds(Placed.Left, Placed.Top, Placed.Width(), Placed.Height());
    UpdateAnchorRules();
}

TRect TWinControl::ClientRect() const {
    if (!FHandle) return TControl::ClientRect();
    TRect Client;
    GetClientRect(FHandle, Client);
    return Client;
}

TPoint TWinControl::ClientOrigin() const {
    if (FHandle) {
        TPoint Origin{0, 0};
        winapi::ClientToScreen(FHandle, Origin);
        return Origin;
    }
    if (Parent()) return TControl::ClientOrigin();
    return {Left(), Top()};
}

void TWinControl::ChangeScale(Integer M, Integer D) {
    DisableAlign();
    for (Integer I = 0; I < ControlCount(); ++I)
        Controls(I)->ChangeScale(M, D);
    TControl::ChangeScale(M, D);
    EnableAlign();
}

void TWinControl::ScaleBy(Integer M, Integer D) {
    ChangeScale(M, D);
}

// ---- Painting requests ----

void TWinControl::Invalidate() {
    Perform(CM_INVALIDATE, 0, 0);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
    Invalidate();
    Update();
}

// ---- Messages ----

void TWinControl::DefaultHandler(TMessage& Message) {
    if (!FHandle) {
        TControl::DefaultHandler(Message);
        return;
    }
    if (Message.Msg == WM_SETTEXT) TControl::DefaultHandler(Message);
    Message.Result = CallWindowProc(DefWindowProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

bool TWinControl::IsControlMouseMsg(TMessage& Message) {
    TControl* Control = nullptr;
    if (FHandle && GetCapture() == FHandle) {
        TControl* Captured = detail::CaptureControl();
        if (Captured && Captured->Parent() == this) Control = Captured;
    } else {
        Control = ControlAtPos({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)}, false);
    }
    if (!Control) return false;
    TPoint P{GET_X_LPARAM(Message.LParam) - Control->Left(), GET_Y_LPARAM(Message.LParam) - Control->Top()};
    Message.Result = Control->Perform(Message.Msg, Message.WParam, MAKELPARAM(P.X, P.Y));
    return true;
}

void TWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETFOCUS:
        // The form learns of the new focus first; CM_EXIT and CM_ENTER run from there.
        if (TCustomForm* Form = GetParentForm(this))
            if (!Form->SetFocusedControl(this)) return;
        DefaultHandler(Message);
        return;
    case WM_KILLFOCUS:
        if (ControlState().Contains(csFocusing)) return;
        DefaultHandler(Message);
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        if (IsControlMouseMsg(Message)) return;
        TControl::WndProc(Message);
        return;
    case WM_PAINT:
        PaintHandler(Message);
        return;
    case WM_ERASEBKGND:
        // A double-buffered control erases in its buffer (WParam = LParam).
        if (!FDoubleBuffered || Message.WParam == WPARAM(Message.LParam))
            winapi::FillRect(reinterpret_cast<HDC>(Message.WParam), ClientRect(), FBrush->Handle());
        Message.Result = 1;
        return;
    case WM_SIZE:
        UpdateBounds();
        DefaultHandler(Message);
        Realign();
        if (!ComponentState().Contains(csLoading)) Resize();
        return;
    case WM_MOVE:
        UpdateBounds();
        DefaultHandler(Message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (!DoKeyDown(Message)) DefaultHandler(Message);
        return;
    case WM_CHAR:
        if (!DoKeyPress(Message)) DefaultHandler(Message);
        return;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (!DoKeyUp(Message)) DefaultHandler(Message);
        return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
        CNKeyDown(Message);
        return;
    case CN_CHAR:
    case CN_SYSCHAR:
        CNChar(Message);
        return;
    case WM_SETCURSOR:
        if (HWND(Message.WParam) == FHandle && SmallInt(LOWORD(NativeUInt(Message.LParam))) == HTCLIENT) {
            TCursor Shape = Screen->Cursor();
            if (Shape == crDefault) {
                TPoint Pos;
                GetCursorPos(Pos);
                if (TControl* Child = ControlAtPos(ScreenToClient(Pos), false)) Shape = Child->Cursor();
                if (Shape == crDefault) Shape = Cursor();
            }
            if (Shape == crDefault) Shape = crArrow;
            winapi::SetCursor(Screen->Cursors(Shape));
            Message.Result = 1;
            return;
        }
        DefaultHandler(Message);
        return;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL: {
        // Notifications go back to the control that sent them.
        HWND From = Message.Msg == WM_NOTIFY ? reinterpret_cast<const NMHDR*>(Message.LParam)->hwndFrom
                                             : LParamToHandle(Message.LParam);
        if (TWinControl* Child = FindControl(From); Child && Child != this) {
            Message.Result = Child->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
            return;
        }
        DefaultHandler(Message);
        return;
    }
    case WM_GETDLGCODE:
        Message.Result = 0;
        return;
    case CM_ENTER:
        DoEnter();
        return;
    case CM_EXIT:
        DoExit();
        return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
        Broadcast(Message);
        return;
    case CM_SHOWINGCHANGED:
        if (FHandle)
            SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                             (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        return;
    case CM_VISIBLECHANGED:
        if (!Visible() && Parent()) RemoveFocus(false);
        UpdateControlState();
        TControl::WndProc(Message);
        return;
    case CM_ENABLEDCHANGED:
        if (!Enabled() && Parent()) RemoveFocus(false);
        if (FHandle) EnableWindow(FHandle, Enabled());
        TControl::WndProc(Message);
        return;
    case CM_COLORCHANGED:
        FBrush->SetColor(Color());
        NotifyControls(CM_PARENTCOLORCHANGED);
        TControl::WndProc(Message);
        return;
    case CM_FONTCHANGED:
        NotifyControls(CM_PARENTFONTCHANGED);
        TControl::WndProc(Message);
        return;
    case CM_SHOWHINTCHANGED:
        NotifyControls(CM_PARENTSHOWHINTCHANGED);
        return;
    case CM_BIDIMODECHANGED:
        NotifyControls(CM_PARENTBIDIMODECHANGED);
        TControl::WndProc(Message);
        return;
    case CM_INVALIDATE:
        if (FHandle) InvalidateRect(FHandle, nullptr, !ControlStyle().Contains(csOpaque));
        return;
    case CM_RECREATEWND: {
        bool WasFocused = Focused();
        SetControlState(ControlState() + TControlState{csRecreating});
        DestroyHandle();
        UpdateControlState();
        SetControlState(ControlState() - TControlState{csRecreating});
        if (WasFocused && FHandle) winapi::SetFocus(FHandle);
        return;
    }
    default:
        TControl::WndProc(Message);
        return;
    }
}
