// Track bars: channel, thumb, ticks, keys, paging clicks and dragging.

#include "vcl/TrackBar.h"

#include "graphics/GdiControls.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "windowing/Input.h"

#include <algorithm>

using namespace winapi;

const TClassInfo& TTrackBar::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TTrackBar, TCustomControl>()
                                       .Property(u"Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency)
                                       .Default(1)
                                       .Property(u"LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize)
                                       .Default(1)
                                       .Property(u"Max", &TTrackBar::Max, &TTrackBar::SetMax)
                                       .Default(10)
                                       .Property(u"Min", &TTrackBar::Min, &TTrackBar::SetMin)
                                       .Default(0)
                                       .Property(u"Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation)
                                       .Default(trHorizontal)
                                       .Property(u"PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize)
                                       .Default(2)
                                       .Property(u"Position", &TTrackBar::Position, &TTrackBar::SetPosition)
                                       .Default(0)
                                       .Property(u"TickMarks", &TTrackBar::TickMarks, &TTrackBar::SetTickMarks)
                                       .Default(tmBottomRight)
                                       .Property(u"TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle)
                                       .Default(tsAuto)
            .Property(u"OnChange", &TTrackBar::OnChange, [](auto& C, TNotifyEvent E) { C.OnChange = std::move(E); })
                                       .Build();
    return Info;
}

namespace {
constexpr Integer ThumbLength = 11;  // along the channel
constexpr Integer ThumbBreadth = 21; // across it
constexpr Integer ChannelMargin = 8; // from the ends of the bar to the channel's ends
} // namespace

TTrackBar::TTrackBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks});
    SetParentColor(true);
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
    if (FOrientation == Value) return;
    FOrientation = Value;
    SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TTrackBar::SetMin(Integer Value) {
    if (FMin == Value) return;
    FMin = Value;
    if (FMax < FMin) FMax = FMin;
    Invalidate();
    SetPosition(FPosition);
}

void TTrackBar::SetMax(Integer Value) {
    if (FMax == Value) return;
    FMax = Value;
    if (FMin > FMax) FMin = FMax;
    Invalidate();
    SetPosition(FPosition);
}

void TTrackBar::SetPosition(Integer Value) {
    Value = std::clamp(Value, FMin, FMax);
    if (FPosition == Value) return;
    FPosition = Value;
    Invalidate();
    Changed();
}

void TTrackBar::SetFrequency(Integer Value) {
    Value = std::max(Value, 1);
    if (FFrequency == Value) return;
    FFrequency = Value;
    Invalidate();
}

void TTrackBar::SetLineSize(Integer Value) {
    FLineSize = std::max(Value, 1);
}

void TTrackBar::SetPageSize(Integer Value) {
    FPageSize = std::max(Value, 1);
}

void TTrackBar::SetTickMarks(TTickMark Value) {
    if (FTickMarks == Value) return;
    FTickMarks = Value;
    Invalidate();
}

void TTrackBar::SetTickStyle(TTickStyle Value) {
    if (FTickStyle == Value) return;
    FTickStyle = Value;
    Invalidate();
}

void TTrackBar::SetTick(Integer Value) {
    if (Value <= FMin || Value >= FMax) return;
    if (std::find(FTicks.begin(), FTicks.end(), Value) == FTicks.end()) FTicks.push_back(Value);
    Invalidate();
}

void TTrackBar::ClearTicks() {
    FTicks.clear();
    Invalidate();
}

void TTrackBar::Changed() {
    if (OnChange) OnChange(this);
}

Integer TTrackBar::ChannelStart() const {
    return ChannelMargin + ThumbLength / 2;
}

Integer TTrackBar::ChannelEnd() const {
    return (Vertical() ? Height() : Width()) - ChannelMargin - ThumbLength / 2 - 1;
}

Integer TTrackBar::PositionToPixel(Integer Value) const {
    Integer Span = ChannelEnd() - ChannelStart();
    if (FMax == FMin || Span <= 0) return ChannelStart();
    Int64 Range = Int64(FMax) - FMin;
    return ChannelStart() + Integer((Int64(Value - FMin) * Span * 2 + Range) / (2 * Range));
}

Integer TTrackBar::PixelToPosition(Integer Pixel) const {
    Integer Span = ChannelEnd() - ChannelStart();
    if (Span <= 0) return FMin;
    Int64 Offset = std::clamp(Pixel - ChannelStart(), 0, Span);
    // Rounded to the nearest position.
    return FMin + Integer((Offset * (FMax - FMin) * 2 + Span) / (2 * Int64(Span)));
}

TRect TTrackBar::ThumbRect() const {
    Integer Centre = PositionToPixel(FPosition);
    Integer Across = FTickMarks == tmBoth ? ((Vertical() ? Width() : Height()) - ThumbBreadth) / 2
                     : FTickMarks == tmTopLeft ? 10
                                               : 4;
    if (Vertical()) return {Across, Centre - ThumbLength / 2, Across + ThumbBreadth, Centre + ThumbLength / 2 + 1};
    return {Centre - ThumbLength / 2, Across, Centre + ThumbLength / 2 + 1, Across + ThumbBreadth};
}

std::vector<Integer> TTrackBar::TickPositions() const {
    std::vector<Integer> Ticks;
    if (FTickStyle == tsNone) return Ticks;
    Ticks.push_back(FMin);
    if (FTickStyle == tsAuto) {
        for (Int64 V = Int64(FMin) + FFrequency; V < FMax; V += FFrequency) Ticks.push_back(Integer(V));
    } else {
        Ticks.insert(Ticks.end(), FTicks.begin(), FTicks.end());
    }
    if (FMax != FMin) Ticks.push_back(FMax);
    return Ticks;
}

void TTrackBar::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    switch (Key) {
    case VK_LEFT:
    case VK_UP:
        SetPosition(FPosition - FLineSize);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        SetPosition(FPosition + FLineSize);
        break;
    case VK_PRIOR:
        SetPosition(FPosition - FPageSize);
        break;
    case VK_NEXT:
        SetPosition(FPosition + FPageSize);
        break;
    case VK_HOME:
        SetPosition(FMin);
        break;
    case VK_END:
        SetPosition(FMax);
        break;
    default:
        return;
    }
    Key = 0;
}

void TTrackBar::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    if (CanFocus() && !Focused()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    TRect Thumb = ThumbRect();
    if (PtInRect(Thumb, {X, Y})) {
        FDragOffset = Along(X, Y) - PositionToPixel(FPosition);
        return;
    }
    // A click on the channel pages towards it.
    Integer Target = PixelToPosition(Along(X, Y));
    if (Target < FPosition)
        SetPosition(std::max(Target, FPosition - FPageSize));
    else if (Target > FPosition)
        SetPosition(std::min(Target, FPosition + FPageSize));
}

void TTrackBar::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (FDragOffset == -1 || !MouseCapture()) return;
    SetPosition(PixelToPosition(Along(X, Y) - FDragOffset));
}

void TTrackBar::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) FDragOffset = -1;
}

bool TTrackBar::DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) {
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
    SetPosition(FPosition - FLineSize * (WheelDelta / 120));
    return true;
}

void TTrackBar::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_ENABLEDCHANGED:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

void TTrackBar::Paint() {
    TCanvas* C = Canvas();
    TRect Client = ClientRect();
    C->Brush()->SetColor(Color());
    C->FillRect(Client);
    TRect Thumb = ThumbRect();
    // The sunken channel runs through the thumb's middle.
    Integer Middle = Vertical() ? (Thumb.Left + Thumb.Right) / 2 : (Thumb.Top + Thumb.Bottom) / 2;
    TRect Channel = Vertical() ? TRect{Middle - 2, ChannelStart() - 1, Middle + 2, ChannelEnd() + 2}
                               : TRect{ChannelStart() - 1, Middle - 2, ChannelEnd() + 2, Middle + 2};
    DrawEdge(C->Handle(), Channel, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    C->Brush()->SetColor(clWindow);
    C->FillRect(Channel);
    // Ticks beside the thumb, on the sides TickMarks asks for.
    C->Pen()->SetColor(clWindowText);
    C->Pen()->SetWidth(1);
    for (Integer Value : TickPositions()) {
        Integer At = PositionToPixel(Value);
        Integer Long = Value == FMin || Value == FMax ? 4 : 3;
        auto Tick = [&](Integer From, Integer Direction) {
            if (Vertical()) {
                C->MoveTo(From, At);
                C->LineTo(From + Direction * Long, At);
            } else {
                C->MoveTo(At, From);
                C->LineTo(At, From + Direction * Long);
            }
        };
        Integer Before = (Vertical() ? Thumb.Left : Thumb.Top) - 3;
        Integer After = (Vertical() ? Thumb.Right : Thumb.Bottom) + 2;
        if (FTickMarks != tmTopLeft) Tick(After, 1);
        if (FTickMarks != tmBottomRight) Tick(Before, -1);
    }
    TRect Face = Thumb;
    DrawFrameControl(C->Handle(), Face, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (Enabled() ? 0u : Cardinal(DFCS_INACTIVE)));
    if (Focused()) {
        TRect Focus = Client;
        C->DrawFocusRect(Focus);
    }
}
