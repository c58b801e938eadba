// Scrolling controls: the two window scroll bars, the automatic range from
// the children, and scrolling by moving the children.

#include "ControlGlobals.h"
#include "rtl/ClassBuilder.h"
#include "vcl/ScrollingWinControl.h"
#include "windowing/ScrollBar.h"
#include "windowing/SystemMetrics.h"

#include <algorithm>

using namespace winapi;

// ---- TControlScrollBar ----

const TClassInfo& TControlScrollBar::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TControlScrollBar, TPersistent>()
            .Property(u"Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement)
            .Default(8)
            .Property(u"Margin", &TControlScrollBar::Margin, &TControlScrollBar::SetMargin)
            .Default(0)
            .Property(u"Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition)
            .Default(0)
            .Property(u"Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
            .Default(0)
            .Stored(&TControlScrollBar::IsRangeStored)
            .Property(u"Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking)
            .Default(false)
            .Property(u"Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible)
            .Default(true)
            .Build();
    return Info;
}

TControlScrollBar::TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind)
    : FControl(Control), FKind(Kind) {}

void TControlScrollBar::Assign(const TPersistent* Source) {
    if (auto* Other = dynamic_cast<const TControlScrollBar*>(Source)) {
        FIncrement = Other->FIncrement;
        FMargin = Other->FMargin;
        FTracking = Other->FTracking;
        FVisible = Other->FVisible;
        FRange = Other->FRange;
        SetPosition(Other->FPosition);
        FControl->UpdateScrollBars();
        return;
    }
    TPersistent::Assign(Source);
}

void TControlScrollBar::SetMargin(Integer Value) {
    if (Value == FMargin) return;
    FMargin = std::max(Value, 0);
    FControl->UpdateScrollBars();
}

void TControlScrollBar::SetRange(Integer Value) {
    Value = std::max(Value, 0);
    if (Value == FRange) return;
    FRange = Value;
    FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value) {
    if (Value == FVisible) return;
    FVisible = Value;
    FControl->UpdateScrollBars();
}

Integer TControlScrollBar::ControlSize() const {
    TRect Client = FControl->ClientRect();
    return FKind == sbHorizontal ? Client.Width() : Client.Height();
}

Integer TControlScrollBar::MaxPosition() const {
    return std::max(FRange - ControlSize(), 0);
}

bool TControlScrollBar::IsRangeStored() const {
    return !FControl->AutoScroll();
}

bool TControlScrollBar::IsScrollBarVisible() const {
    return FShown;
}

void TControlScrollBar::SetPosition(Integer Value) {
    Value = std::clamp(Value, 0, MaxPosition());
    if (Value == FPosition) return;
    Integer Delta = FPosition - Value;
    FPosition = Value;
    if (FKind == sbHorizontal)
        FControl->ScrollBy(Delta, 0);
    else
        FControl->ScrollBy(0, Delta);
    if (FControl->HandleAllocated() && FShown)
        SetScrollPos(FControl->Handle(), FKind == sbHorizontal ? SB_HORZ : SB_VERT, FPosition, true);
}

void TControlScrollBar::ScrollMessage(WPARAM WParam) {
    Integer Page = std::max(ControlSize() * 9 / 10, 1);
    switch (LOWORD(WParam)) {
    case SB_LINEUP:
        SetPosition(FPosition - FIncrement);
        break;
    case SB_LINEDOWN:
        SetPosition(FPosition + FIncrement);
        break;
    case SB_PAGEUP:
        SetPosition(FPosition - Page);
        break;
    case SB_PAGEDOWN:
        SetPosition(FPosition + Page);
        break;
    case SB_THUMBTRACK:
        if (FTracking) SetPosition(SmallInt(HIWORD(WParam)));
        break;
    case SB_THUMBPOSITION:
        SetPosition(SmallInt(HIWORD(WParam)));
        break;
    case SB_TOP:
        SetPosition(0);
        break;
    case SB_BOTTOM:
        SetPosition(MaxPosition());
        break;
    default:
        break;
    }
}

// ---- TScrollingWinControl ----

const TClassInfo& TScrollingWinControl::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TScrollingWinControl, TWinControl>()
            .Property(u"AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll)
            .Default(true)
            .Property(u"HorzScrollBar", &TScrollingWinControl::HorzScrollBar,
                      &TScrollingWinControl::SetHorzScrollBar)
            .Property(u"VertScrollBar", &TScrollingWinControl::VertScrollBar,
                      &TScrollingWinControl::SetVertScrollBar)
            .Build();
    return Info;
}

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner), FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value) {
    if (Value == FAutoScroll) return;
    FAutoScroll = Value;
    if (!Value) {
        // Back to the unscrolled content without bars.
        FHorzScrollBar->SetPosition(0);
        FVertScrollBar->SetPosition(0);
        FHorzScrollBar->FRange = 0;
        FVertScrollBar->FRange = 0;
    }
    UpdateScrollBars();
}

void TScrollingWinControl::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

void TScrollingWinControl::CreateWnd() {
    TWinControl::CreateWnd();
    FHorzScrollBar->FShown = false;
    FVertScrollBar->FShown = false;
    UpdateScrollBars();
}

void TScrollingWinControl::ScrollBy(Integer DeltaX, Integer DeltaY) {
    if (DeltaX == 0 && DeltaY == 0) return;
    DisableAlign();
    try {
        for (Integer I = 0; I < ControlCount(); ++I) {
            TControl* Child = Controls(I);
            Child->SetBounds(Child->Left() + DeltaX, Child->Top() + DeltaY, Child->Width(), Child->Height());
        }
    } catch (...) {
        EnableAlign();
        throw;
    }
    // The children moved as a whole; nothing needs aligning for that.
    SetControlState(ControlState() - TControlState{csAlignmentNeeded});
    EnableAlign();
    Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
    if (!AControl || !ContainsControl(AControl)) return;
    // The control's rectangle in this control's client coordinates.
    TPoint Origin = AControl->Parent() == this ? AControl->BoundsRect().TopLeft()
                                               : AControl->Parent()->ClientToParent(
                                                     AControl->BoundsRect().TopLeft(), this);
    TRect Placed = Bounds(Origin.X, Origin.Y, AControl->Width(), AControl->Height());
    TRect Client = ClientRect();
    auto Bring = [](TControlScrollBar& Bar, Integer Low, Integer High, Integer Size) {
        if (Low < 0)
            Bar.SetPosition(Bar.Position() + Low);
        else if (High > Size)
            Bar.SetPosition(Bar.Position() + std::min(High - Size, Low));
    };
    Bring(*FHorzScrollBar, Placed.Left, Placed.Right, Client.Width());
    Bring(*FVertScrollBar, Placed.Top, Placed.Bottom, Client.Height());
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
    TWinControl::AlignControls(AControl, Rect);
    UpdateScrollBars();
}

void TScrollingWinControl::CalcAutoRange() {
    if (!FAutoScroll) return;
    Integer Right = 0, Bottom = 0;
    for (Integer I = 0; I < ControlCount(); ++I) {
        const TControl* Child = Controls(I);
        if (!Child->Visible()) continue;
        TAlign A = Child->Align();
        if (A != alTop && A != alBottom && A != alClient)
            Right = std::max(Right, Child->Left() + Child->Width() + FHorzScrollBar->FPosition);
        if (A != alLeft && A != alRight && A != alClient)
            Bottom = std::max(Bottom, Child->Top() + Child->Height() + FVertScrollBar->FPosition);
    }
    FHorzScrollBar->FRange = Right > 0 ? Right + FHorzScrollBar->FMargin : 0;
    FVertScrollBar->FRange = Bottom > 0 ? Bottom + FVertScrollBar->FMargin : 0;
}

void TScrollingWinControl::UpdateScrollBars() {
    if (FUpdatingBars || ComponentState().Contains(csDestroying)) return;
    FUpdatingBars = true;
    try {
        CalcAutoRange();
        if (HandleAllocated()) {
            // The client size with no bar shown, then which bars the content needs.
            TRect Client = ClientRect();
            Integer BarWidth = GetSystemMetrics(SM_CXVSCROLL), BarHeight = GetSystemMetrics(SM_CYHSCROLL);
            Integer FullWidth = Client.Width() + (FVertScrollBar->FShown ? BarWidth : 0);
            Integer FullHeight = Client.Height() + (FHorzScrollBar->FShown ? BarHeight : 0);
            bool NeedH = FHorzScrollBar->FVisible && FHorzScrollBar->FRange > FullWidth;
            bool NeedV = FVertScrollBar->FVisible && FVertScrollBar->FRange > FullHeight;
            if (NeedH && !NeedV) NeedV = FVertScrollBar->FVisible && FVertScrollBar->FRange > FullHeight - BarHeight;
            if (NeedV && !NeedH) NeedH = FHorzScrollBar->FVisible && FHorzScrollBar->FRange > FullWidth - BarWidth;
            FHorzScrollBar->FShown = NeedH;
            FVertScrollBar->FShown = NeedV;
            ApplyScrollBar(*FHorzScrollBar);
            ApplyScrollBar(*FVertScrollBar);
        }
        // A shrunk range or a grown client takes the content back into view.
        FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition);
        FVertScrollBar->SetPosition(FVertScrollBar->FPosition);
    } catch (...) {
        FUpdatingBars = false;
        throw;
    }
    FUpdatingBars = false;
}

void TScrollingWinControl::ApplyScrollBar(TControlScrollBar& Bar) {
    Integer Which = Bar.FKind == sbHorizontal ? SB_HORZ : SB_VERT;
    HWND Window = Handle();
    if (!Bar.FShown) {
        ShowScrollBar(Window, Which, false);
        return;
    }
    ShowScrollBar(Window, Which, true);
    SCROLLINFO Info;
    Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    Info.nMin = 0;
    Info.nMax = Bar.FRange - 1;
    Info.nPage = UINT(std::max(Bar.ControlSize(), 1));
    Info.nPos = std::clamp(Bar.FPosition, 0, Bar.MaxPosition());
    SetScrollInfo(Window, Which, Info, true);
}

void TScrollingWinControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        // The window's own bars send no control handle.
        if (Message.LParam == 0) {
            (Message.Msg == WM_HSCROLL ? FHorzScrollBar : FVertScrollBar)->ScrollMessage(Message.WParam);
            Message.Result = 0;
            return;
        }
        break;
    case WM_SIZE:
        TWinControl::WndProc(Message);
        UpdateScrollBars();
        return;
    default:
        break;
    }
    TWinControl::WndProc(Message);
}
