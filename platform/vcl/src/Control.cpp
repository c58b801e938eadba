// TControl: placement, properties and their notifications, painting
// requests, and the window procedure every control starts from.

#include "ControlGlobals.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "vcl/ActnList.h"
#include "vcl/Controls.h"
#include "vcl/Menus.h"
#include "windowing/Paint.h"

#include <algorithm>

using namespace winapi;

// ---- TSizeConstraints ------------------------------------------------------------------

const TClassInfo& TSizeConstraints::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TSizeConstraints, TPersistent>()
            .Property(u"MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)
            .Default(0)
            .Property(u"MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth)
            .Default(0)
            .Property(u"MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight)
            .Default(0)
            .Property(u"MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth)
            .Default(0)
            .Build();
    return Info;
}

void TSizeConstraints::Assign(const TPersistent* Source) {
    if (auto* Other = dynamic_cast<const TSizeConstraints*>(Source)) {
        FMinWidth = Other->FMinWidth;
        FMinHeight = Other->FMinHeight;
        FMaxWidth = Other->FMaxWidth;
        FMaxHeight = Other->FMaxHeight;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

// A maximum below the minimum follows the minimum, and the other way round.
void TSizeConstraints::SetMinWidth(Integer Value) {
    if (Value == FMinWidth) return;
    FMinWidth = Value;
    if (FMaxWidth > 0 && FMaxWidth < Value) FMaxWidth = Value;
    Changed();
}
void TSizeConstraints::SetMinHeight(Integer Value) {
    if (Value == FMinHeight) return;
    FMinHeight = Value;
    if (FMaxHeight > 0 && FMaxHeight < Value) FMaxHeight = Value;
    Changed();
}
void TSizeConstraints::SetMaxWidth(Integer Value) {
    if (Value == FMaxWidth) return;
    FMaxWidth = Value;
    if (Value > 0 && Value < FMinWidth) FMinWidth = Value;
    Changed();
}
void TSizeConstraints::SetMaxHeight(Integer Value) {
    if (Value == FMaxHeight) return;
    FMaxHeight = Value;
    if (Value > 0 && Value < FMinHeight) FMinHeight = Value;
    Changed();
}

void TSizeConstraints::Changed() {
    if (FControl) FControl->ConstraintsChanged();
}

// ---- TControl --------------------------------------------------------------------------

const TClassInfo& TControl::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TControl, TComponent>()
            .Property(u"Align", &TControl::Align, &TControl::SetAlign)
            .Default(alNone)
            .Property(u"Anchors", &TControl::Anchors, &TControl::SetAnchors)
            .Default(TAnchors{akLeft, akTop})
            .Property(u"Caption", &TControl::Caption, &TControl::SetCaption)
            .Property(u"Color", TypeInfo_TColor(), &TControl::Color, &TControl::SetColor)
            .Stored([](const TObject& Obj) { return !static_cast<const TControl&>(Obj).ParentColor(); })
            .Property(u"Cursor", &TControl::Cursor, &TControl::SetCursor)
            .Default(crDefault)
            .Property(u"Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Default(true)
            .Property(u"Height", &TControl::Height, &TControl::SetHeight)
            .Property(u"Hint", &TControl::Hint, &TControl::SetHint)
            .Property(u"Left", &TControl::Left, &TControl::SetLeft)
            .Property(u"ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Default(true)
            .Property(u"ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .Default(true)
            .Property(u"ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
            .Default(true)
            .Property(u"ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
            .Default(false)
            .Property(u"Top", &TControl::Top, &TControl::SetTop)
            .Property(u"Visible", &TControl::Visible, &TControl::SetVisible)
            .Default(true)
            .Property(u"Width", &TControl::Width, &TControl::SetWidth)
            .Property(u"PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .Property(u"Action", &TControl::Action, &TControl::SetAction)
            .Property(u"Font", &TControl::Font, &TControl::SetFont)
            .Stored([](const TObject& Obj) { return !static_cast<const TControl&>(Obj).ParentFont(); })
            .Property(u"Constraints", &TControl::Constraints, nullptr)
            .Property(u"OnClick", &TControl::OnClick, [](TControl& C, TNotifyEvent E) { C.OnClick = std::move(E); })
            .Property(u"OnDblClick", &TControl::OnDblClick,
                      [](TControl& C, TNotifyEvent E) { C.OnDblClick = std::move(E); })
            .Property(u"OnResize", &TControl::OnResize,
                      [](TControl& C, TNotifyEvent E) { C.OnResize = std::move(E); })
            .Property(u"OnMouseDown", &TControl::OnMouseDown,
                      [](TControl& C, TMouseEvent E) { C.OnMouseDown = std::move(E); })
            .Property(u"OnMouseMove", &TControl::OnMouseMove,
                      [](TControl& C, TMouseMoveEvent E) { C.OnMouseMove = std::move(E); })
            .Property(u"OnMouseUp", &TControl::OnMouseUp,
                      [](TControl& C, TMouseEvent E) { C.OnMouseUp = std::move(E); })
            .Build();
    return Info;
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FConstraints(std::make_unique<TSizeConstraints>(this)),
      FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    WindowProc = [this](TMessage& Message) { WndProc(Message); };
}

TControl::~TControl() = default;

void TControl::BeforeDestruction() {
    Destroying();
    SetParent(nullptr);
    detail::ControlDestroyed(this);
    TComponent::BeforeDestruction();
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* Value) {
    if (auto* Parent = dynamic_cast<TWinControl*>(Value)) SetParent(Parent);
}

TBasicAction* TControl::Action() const {
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TControl::SetAction(TBasicAction* Value) {
    if (Action() == Value) return;
    if (TBasicAction* Old = Action()) Old->RemoveFreeNotification(this);
    if (!Value) {
        FActionLink.reset();
        return;
    }
    // Later changes of the action reach the control through the link, property by property.
    if (!FActionLink) FActionLink = CreateActionLink();
    FActionLink->SetAction(Value);
    Value->FreeNotification(this);
    ActionChange(Value, ComponentState().Contains(csLoading));
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() {
    return std::make_unique<TControlActionLink>(this);
}

void TControl::ActionChange(TObject* Sender, bool CheckDefaults) {
    auto* Action = dynamic_cast<TCustomAction*>(Sender);
    if (!Action) return;
    if (!CheckDefaults || Caption().empty()) SetCaption(Action->Caption());
    if (!CheckDefaults || Enabled()) SetEnabled(Action->Enabled());
    if (!CheckDefaults || Hint().empty()) SetHint(Action->Hint());
    if (!CheckDefaults || Visible()) SetVisible(Action->Visible());
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && FActionLink && AComponent == FActionLink->Action()) FActionLink.reset();
    if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
    TComponent::Notification(AComponent, Operation);
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (FParent) {
        if (FParentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (FParentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (FParentShowHint) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
    }
    UpdateAnchorRules();
    RequestAlign();
}

// ---- Parent and placement ----

void TControl::SetParent(TWinControl* AParent) {
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation(u"A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) AParent->InsertControl(this);
}

void TControl::StoreBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    ConstrainedResize(AWidth, AHeight);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    InvalidateControl(FVisible, false);
    StoreBounds(ALeft, ATop, AWidth, AHeight);
    UpdateAnchorRules();
    Invalidate();
    RequestAlign();
    if (!ComponentState().Contains(csLoading)) Resize();
}

void TControl::ConstrainedResize(Integer& NewWidth, Integer& NewHeight) const {
    const TSizeConstraints& C = *FConstraints;
    if (C.MaxWidth() > 0 && NewWidth > C.MaxWidth()) NewWidth = C.MaxWidth();
    if (C.MinWidth() > 0 && NewWidth < C.MinWidth()) NewWidth = C.MinWidth();
    if (C.MaxHeight() > 0 && NewHeight > C.MaxHeight()) NewHeight = C.MaxHeight();
    if (C.MinHeight() > 0 && NewHeight < C.MinHeight()) NewHeight = C.MinHeight();
}

void TControl::ConstraintsChanged() {
    SetBounds(FLeft, FTop, FWidth, FHeight);
}

TRect TControl::ClientRect() const {
    return Rect(0, 0, FWidth, FHeight);
}

void TControl::SetClientSize(TSize Value) {
    TRect Client = ClientRect();
    SetBounds(FLeft, FTop, FWidth - Client.Width() + Value.cx, FHeight - Client.Height() + Value.cy);
}

TPoint TControl::ClientOrigin() const {
    if (!FParent) throw EInvalidOperation(u"Control '%s' has no parent window", {Name()});
    TPoint Origin = FParent->ClientOrigin();
    return {Origin.X + FLeft, Origin.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint Point) const {
    TPoint Origin = ClientOrigin();
    return {Point.X + Origin.X, Point.Y + Origin.Y};
}

TPoint TControl::ScreenToClient(TPoint Point) const {
    TPoint Origin = ClientOrigin();
    return {Point.X - Origin.X, Point.Y - Origin.Y};
}

TPoint TControl::ClientToParent(TPoint Point, TWinControl* AParent) const {
    if (!AParent) AParent = FParent;
    if (!AParent) throw EInvalidOperation(u"Control '%s' has no parent window", {Name()});
    const TControl* Control = this;
    while (Control != AParent) {
        if (!Control->FParent)
            throw EInvalidOperation(u"'%s' is not a parent of '%s'", {AParent->Name(), Name()});
        Point.X += Control->FLeft;
        Point.Y += Control->FTop;
        Control = Control->FParent;
    }
    return Point;
}

namespace {

// The anchors an alignment implies.
TAnchors AnchorsOfAlign(TAlign Align) {
    switch (Align) {
    case alTop:
        return {akLeft, akTop, akRight};
    case alBottom:
        return {akLeft, akRight, akBottom};
    case alLeft:
        return {akLeft, akTop, akBottom};
    case alRight:
        return {akRight, akTop, akBottom};
    case alClient:
        return {akLeft, akTop, akRight, akBottom};
    default:
        return {akLeft, akTop};
    }
}

bool IsHorizontalAlign(TAlign Align) {
    return Align == alTop || Align == alBottom;
}
bool IsVerticalAlign(TAlign Align) {
    return Align == alLeft || Align == alRight;
}

} // namespace

void TControl::SetAlign(TAlign Value) {
    if (FAlign == Value) return;
    TAlign OldAlign = FAlign;
    FAlign = Value;
    FAnchors = AnchorsOfAlign(Value);
    // A bar turned from a row into a column keeps its thickness.
    if ((IsHorizontalAlign(OldAlign) && IsVerticalAlign(Value)) ||
        (IsVerticalAlign(OldAlign) && IsHorizontalAlign(Value)))
        SetBounds(FLeft, FTop, FHeight, FWidth);
    RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
    if (FAnchors == Value) return;
    FAnchors = Value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    if (FAnchorMove || ComponentState().Contains(csLoading)) return;
    if (FAnchors == TAnchors{akLeft, akTop}) {
        FOriginalParentSize = {};
        return;
    }
    if (FAnchors.Contains(akRight))
        FAnchorRules.X = FAnchors.Contains(akLeft) ? FWidth : FLeft;
    else
        FAnchorRules.X = FLeft + FWidth / 2;
    if (FAnchors.Contains(akBottom))
        FAnchorRules.Y = FAnchors.Contains(akTop) ? FHeight : FTop;
    else
        FAnchorRules.Y = FTop + FHeight / 2;
    if (FParent) {
        TRect Client = FParent->ClientRect();
        FOriginalParentSize = {Client.Right, Client.Bottom};
    }
}

void TControl::AnchoredBounds(TSize ParentSize, Integer& NewLeft, Integer& NewTop, Integer& NewWidth,
                              Integer& NewHeight) const {
    NewLeft = FLeft;
    NewTop = FTop;
    NewWidth = FWidth;
    NewHeight = FHeight;
    if (FOriginalParentSize.X == 0 || FOriginalParentSize.Y == 0) return;
    if (FAnchors.Contains(akRight)) {
        Integer Edge = ParentSize.cx - (FOriginalParentSize.X - FAnchorRules.X);
        if (FAnchors.Contains(akLeft))
            NewWidth = Edge;
        else
            NewLeft = Edge;
    } else if (!FAnchors.Contains(akLeft)) {
        NewLeft = MulDiv(FAnchorRules.X, ParentSize.cx, FOriginalParentSize.X) - NewWidth / 2;
    }
    if (FAnchors.Contains(akBottom)) {
        Integer Edge = ParentSize.cy - (FOriginalParentSize.Y - FAnchorRules.Y);
        if (FAnchors.Contains(akTop))
            NewHeight = Edge;
        else
            NewTop = Edge;
    } else if (!FAnchors.Contains(akTop)) {
        NewTop = MulDiv(FAnchorRules.Y, ParentSize.cy, FOriginalParentSize.Y) - NewHeight / 2;
    }
}

void TControl::RequestAlign() {
    if (FParent) FParent->AlignControl(this);
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::ChangeScale(Integer M, Integer D) {
    if (M == D) return;
    SetBounds(MulDiv(FLeft, M, D), MulDiv(FTop, M, D), MulDiv(FLeft + FWidth, M, D) - MulDiv(FLeft, M, D),
              MulDiv(FTop + FHeight, M, D) - MulDiv(FTop, M, D));
    if (!FParentFont) FFont->SetHeight(MulDiv(FFont->Height(), M, D));
}

// ---- State and appearance ----

void TControl::SetVisible(bool Value) {
    if (FVisible == Value) return;
    VisibleChanging();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, WPARAM(Value), 0);
    RequestAlign();
}

void TControl::Show() {
    SetVisible(true);
}

void TControl::SetEnabled(bool Value) {
    if (FEnabled == Value) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
    if (FColor == Value) {
        FParentColor = false;
        return;
    }
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
    FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetText(const String& Value) {
    if (FText == Value) return;
    Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(&Value));
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
    if (FShowHint == Value) {
        FParentShowHint = false;
        return;
    }
    FShowHint = Value;
    FParentShowHint = false;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
    if (FParentShowHint == Value) return;
    FParentShowHint = Value;
    if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
    if (FCursor == Value) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
    if (FPopupMenu == Value) return;
    if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
    if (FBiDiMode == Value) {
        FParentBiDiMode = false;
        return;
    }
    FBiDiMode = Value;
    FParentBiDiMode = false;
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool Value) {
    if (FParentBiDiMode == Value) return;
    FParentBiDiMode = Value;
    if (FParent && !ComponentState().Contains(csReading)) Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
}

// ---- Messages ----

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage Message{Msg, WParam, LParam, 0};
    WindowProc(Message);
    return Message.Result;
}

void TControl::DefaultHandler(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SETTEXT:
        if (auto* Value = reinterpret_cast<const String*>(Message.LParam))
            FText = *Value;
        else
            FText.clear();
        Message.Result = 1;
        break;
    case WM_GETTEXT:
        if (auto* Buffer = reinterpret_cast<String*>(Message.LParam)) *Buffer = FText;
        Message.Result = LRESULT(FText.size());
        break;
    case WM_GETTEXTLENGTH:
        Message.Result = LRESULT(FText.size());
        break;
    default:
        break;
    }
}

void TControl::WndProc(TMessage& Message) {
    // Without double clicks a second press is an ordinary press.
    if (!FControlStyle.Contains(csDoubleClicks) &&
        (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK ||
         Message.Msg == WM_MBUTTONDBLCLK))
        Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;

    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        HandleMouseDown(Message, mbLeft, {});
        return;
    case WM_RBUTTONDOWN:
        HandleMouseDown(Message, mbRight, {});
        return;
    case WM_MBUTTONDOWN:
        HandleMouseDown(Message, mbMiddle, {});
        return;
    case WM_LBUTTONDBLCLK:
        HandleMouseDown(Message, mbLeft, {ssDouble});
        return;
    case WM_RBUTTONDBLCLK:
        HandleMouseDown(Message, mbRight, {ssDouble});
        return;
    case WM_MBUTTONDBLCLK:
        HandleMouseDown(Message, mbMiddle, {ssDouble});
        return;
    case WM_LBUTTONUP:
        HandleMouseUp(Message, mbLeft);
        return;
    case WM_RBUTTONUP: {
        HandleMouseUp(Message, mbRight);
        // The release of the right button asks for the control's pop-up menu.
        TPoint Pos = ClientToScreen({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        Perform(WM_CONTEXTMENU, 0, MAKELPARAM(Pos.X, Pos.Y));
        return;
    }
    case WM_CONTEXTMENU:
        if (ShowContextPopup(this, {GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)})) {
            Message.Result = 1;
            return;
        }
        DefaultHandler(Message);
        return;
    case WM_MBUTTONUP:
        HandleMouseUp(Message, mbMiddle);
        return;
    case WM_MOUSEMOVE:
        DefaultHandler(Message);
        detail::HintMouseMessage(this, Message);
        if (!FControlStyle.Contains(csNoStdEvents))
            MouseMove(KeysToShiftState(Word(Message.WParam)), GET_X_LPARAM(Message.LParam),
                      GET_Y_LPARAM(Message.LParam));
        return;
    case WM_MOUSEWHEEL:
        HandleMouseWheel(Message);
        return;
    case CM_MOUSEWHEEL: {
        TShiftState Shift = KeysToShiftState(LOWORD(Message.WParam));
        TPoint Pos{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        Message.Result = 0;
        if (DoMouseWheel(Shift, GET_WHEEL_DELTA_WPARAM(Message.WParam), Pos))
            Message.Result = 1;
        else if (FParent)
            Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
        return;
    }
    case WM_CANCELMODE:
        if (MouseCapture()) SetMouseCapture(false);
        DefaultHandler(Message);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        HandleMouseEnterLeave(Message);
        return;
    case CM_HITTEST:
        Message.Result = HTCLIENT;
        return;
    case CM_VISIBLECHANGED:
        InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
        return;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_BIDIMODECHANGED:
        Invalidate();
        return;
    case CM_PARENTCOLORCHANGED:
        if (FParentColor) {
            SetColor(Message.WParam ? TColor(Message.LParam) : FParent->Color());
            FParentColor = true;
        }
        return;
    case CM_PARENTFONTCHANGED:
        if (FParentFont) {
            SetFont(Message.WParam ? reinterpret_cast<const TFont*>(Message.LParam) : FParent->Font());
            FParentFont = true;
        }
        return;
    case CM_PARENTSHOWHINTCHANGED:
        if (FParentShowHint) {
            SetShowHint(FParent->ShowHint());
            FParentShowHint = true;
        }
        return;
    case CM_PARENTBIDIMODECHANGED:
        if (FParentBiDiMode) {
            SetBiDiMode(FParent->BiDiMode());
            FParentBiDiMode = true;
        }
        return;
    case CM_CURSORCHANGED:
        if (FindDragTarget(Mouse->CursorPos(), true) == this) detail::RefreshCursor();
        return;
    default:
        DefaultHandler(Message);
        return;
    }
}

// ---- Painting ----

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque) {
    if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
    TRect Area = BoundsRect();
    InvalidateRect(FParent->Handle(), &Area, !(IsOpaque || FParent->ControlStyle().Contains(csOpaque)));
}

void TControl::Invalidate() {
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::Update() {
    if (FParent) FParent->Update();
}

void TControl::Repaint() {
    if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
    if (FControlStyle.Contains(csOpaque)) {
        HWND Window = FParent->Handle();
        HDC DC = GetDC(Window);
        IntersectClipRect(DC, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
        FParent->PaintControls(DC, this);
        ReleaseDC(Window, DC);
    } else {
        Invalidate();
        Update();
    }
}

void TControl::SetZOrder(bool TopMost) {
    if (!FParent) return;
    auto& List = FParent->FControls;
    auto It = std::find(List.begin(), List.end(), this);
    if (It == List.end()) return;
    List.erase(It);
    if (TopMost)
        List.push_back(this);
    else
        List.insert(List.begin(), this);
    InvalidateControl(FVisible, true);
}

HDC TControl::GetDeviceContext(HWND& WindowHandle) {
    if (!FParent) throw EInvalidOperation(u"Control '%s' has no parent window", {Name()});
    HDC DC = FParent->GetDeviceContext(WindowHandle);
    OffsetViewportOrgEx(DC, FLeft, FTop, nullptr);
    IntersectClipRect(DC, 0, 0, FWidth, FHeight);
    return DC;
}
