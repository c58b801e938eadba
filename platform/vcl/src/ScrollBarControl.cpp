// The scroll bar control, drawn with frame-control arrows, a track and a box.

#include "graphics/GdiControls.h"
#include "rtl/ClassBuilder.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

using namespace winapi;

const TClassInfo& TScrollBar::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TScrollBar, TCustomControl>()
            .Property(u"Kind", &TScrollBar::Kind, &TScrollBar::SetKind)
            .Default(sbHorizontal)
            .Property(u"Max", &TScrollBar::Max, &TScrollBar::SetMax)
            .Default(100)
            .Property(u"Min", &TScrollBar::Min, &TScrollBar::SetMin)
            .Default(0)
            .Property(u"PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
            .Default(0)
            .Property(u"Position", &TScrollBar::Position, &TScrollBar::SetPosition)
            .Default(0)
            .Property(u"SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
            .Default(1)
            .Property(u"LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange)
            .Default(1)
            .Property(u"OnChange", &TScrollBar::OnChange, [](auto& C, TNotifyEvent E) { C.OnChange = std::move(E); })
            .Property(u"OnScroll", &TScrollBar::OnScroll, [](auto& C, TScrollEvent E) { C.OnScroll = std::move(E); })
            .Build();
    return Info;
}

TScrollBar::TScrollBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    InitAppearance(true, clBtnFace, true);
    Brush()->SetColor(clBtnFace);
    SetBounds(0, 0, 121, 17);
    SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind Value) {
    if (FKind == Value) return;
    FKind = Value;
    // The bar turns round: width and height swap.
    SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

Integer TScrollBar::HighestPosition() const {
    return std::max(FMax - std::max(FPageSize - 1, 0), FMin);
}

void TScrollBar::SetParams(Integer APosition, Integer AMin, Integer AMax) {
    if (AMin > AMax) throw EInvalidOperation(u"Scroll bar property out of range");
    FMin = AMin;
    FMax = AMax;
    Integer Old = FPosition;
    FPosition = std::clamp(APosition, FMin, HighestPosition());
    Invalidate();
    if (FPosition != Old) Change();
}

void TScrollBar::SetPageSize(Integer Value) {
    FPageSize = std::clamp(Value, 0, FMax - FMin + 1);
    SetParams(FPosition, FMin, FMax);
}

void TScrollBar::Change() {
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, Integer& ScrollPos) {
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

void TScrollBar::UserScroll(TScrollCode Code, Integer Target) {
    Integer Pos = std::clamp(Target, FMin, HighestPosition());
    Scroll(Code, Pos);
    SetPosition(Pos);
}

// ---- Geometry ----

TScrollBar::TLayout TScrollBar::Layout() const {
    bool Vertical = FKind == sbVertical;
    TLayout L;
    L.Length = Vertical ? ClientHeight() : ClientWidth();
    Integer Thickness = Vertical ? ClientWidth() : ClientHeight();
    L.Arrow = std::min(Thickness, L.Length / 2);
    Integer Track = L.Length - 2 * L.Arrow;
    Integer Range = FMax - FMin + 1;
    L.ThumbLength = FPageSize > 0 ? Track * FPageSize / Range : Thickness;
    L.ThumbLength = std::min(std::max(L.ThumbLength, 8), Track);
    Integer Travel = Track - L.ThumbLength;
    Integer Span = HighestPosition() - FMin;
    L.ThumbStart = L.Arrow + (Span > 0 ? Travel * (FPosition - FMin) / Span : 0);
    return L;
}

Integer TScrollBar::AlongBar(TPoint Point) const {
    return FKind == sbVertical ? Point.Y : Point.X;
}

Integer TScrollBar::PositionAt(Integer ThumbStart) const {
    TLayout L = Layout();
    Integer Travel = L.Length - 2 * L.Arrow - L.ThumbLength;
    if (Travel <= 0) return FMin;
    Integer Span = HighestPosition() - FMin;
    Integer Offset = std::clamp(ThumbStart - L.Arrow, 0, Travel);
    return FMin + (Offset * Span + Travel / 2) / Travel;
}

void TScrollBar::Paint() {
    TCanvas* C = Canvas();
    TLayout L = Layout();
    bool Vertical = FKind == sbVertical;
    auto Span = [&](Integer From, Integer To) {
        return Vertical ? Rect(0, From, ClientWidth(), To) : Rect(From, 0, To, ClientHeight());
    };
    C->Brush()->SetColor(clScrollBar);
    C->FillRect(ClientRect());
    Cardinal Inactive = Enabled() && HighestPosition() > FMin ? 0u : Cardinal(DFCS_INACTIVE);
    TRect First = Span(0, L.Arrow);
    TRect Last = Span(L.Length - L.Arrow, L.Length);
    DrawFrameControl(C->Handle(), First, DFC_SCROLL, (Vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | Inactive);
    DrawFrameControl(C->Handle(), Last, DFC_SCROLL,
                     (Vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | Inactive);
    if (Inactive == 0) {
        TRect Thumb = Span(L.ThumbStart, L.ThumbStart + L.ThumbLength);
        DrawFrameControl(C->Handle(), Thumb, DFC_BUTTON, DFCS_BUTTONPUSH);
    }
    if (Focused()) {
        TRect Focus = ClientRect();
        InflateRect(Focus, -2, -2);
        C->DrawFocusRect(Focus);
    }
}

// ---- Input ----

void TScrollBar::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_KEYDOWN: {
        TCustomControl::WndProc(Message); // OnKeyDown first
        switch (Message.WParam) {
        case VK_UP:
        case VK_LEFT:
            UserScroll(scLineUp, FPosition - FSmallChange);
            break;
        case VK_DOWN:
        case VK_RIGHT:
            UserScroll(scLineDown, FPosition + FSmallChange);
            break;
        case VK_PRIOR:
            UserScroll(scPageUp, FPosition - FLargeChange);
            break;
        case VK_NEXT:
            UserScroll(scPageDown, FPosition + FLargeChange);
            break;
        case VK_HOME:
            UserScroll(scTop, FMin);
            break;
        case VK_END:
            UserScroll(scBottom, FMax);
            break;
        default:
            return;
        }
        UserScroll(scEndScroll, FPosition);
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (CanFocus() && !Focused()) SetFocus();
        TCustomControl::WndProc(Message); // takes the capture
        TLayout L = Layout();
        Integer At = AlongBar({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        if (HighestPosition() == FMin) return;
        if (At < L.Arrow)
            UserScroll(scLineUp, FPosition - FSmallChange);
        else if (At >= L.Length - L.Arrow)
            UserScroll(scLineDown, FPosition + FSmallChange);
        else if (At < L.ThumbStart)
            UserScroll(scPageUp, FPosition - FLargeChange);
        else if (At >= L.ThumbStart + L.ThumbLength)
            UserScroll(scPageDown, FPosition + FLargeChange);
        else
            FDragOffset = At - L.ThumbStart;
        return;
    }
    case WM_MOUSEMOVE:
        if (FDragOffset >= 0) {
            Integer At = AlongBar({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
            Integer Target = PositionAt(At - FDragOffset);
            if (Target != FPosition) UserScroll(scTrack, Target);
        }
        TCustomControl::WndProc(Message);
        return;
    case WM_LBUTTONUP:
        if (FDragOffset >= 0) {
            FDragOffset = -1;
            UserScroll(scPosition, FPosition);
        }
        UserScroll(scEndScroll, FPosition);
        TCustomControl::WndProc(Message);
        return;
    case WM_CAPTURECHANGED:
        FDragOffset = -1;
        TCustomControl::WndProc(Message);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}
