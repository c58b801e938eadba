// The flat date-time picker: border, button and flat-frame painting.

#include "gridbase/VazDateTimePicker.h"

#include "FlatBorders.h"

#include "graphics/GdiControls.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "vcl/Forms.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/Messages.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"

using namespace winapi;

using detail::MouseButtonDown;
using detail::TWindowCanvas;

const TClassInfo& TVazDateTimePicker::StaticClassInfo() {
    using C = TVazDateTimePicker;
    static const TClassInfo Info = TClassBuilder<C, TDateTimePicker>()
                                       .Property(u"Version", &C::Version, &C::SetVersion)
                                       .Stored(false)
                                       .Build();
    return Info;
}

TVazDateTimePicker::TVazDateTimePicker(TComponent* AOwner) : TDateTimePicker(AOwner) {
    FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
    SetDoubleBuffered(true);
    SetParentCtl3D(false);
    // The border style is stored as single and then left as none: the
    // picker draws no frame of its own beyond the flat frame.
    FBorderStyle = bsSingle;
    FBorderStyle = bsNone;
    SetCtl3D(true);
    // Windows 10 is 5.1 or later; its common controls are of version 6.
    FIsWinXP = true;
    FIsThemed = true;
}

String TVazDateTimePicker::Version() const {
    const Integer V = GetVersionNr();
    return IntToStr((V >> 24) & 0xFF) + u"." + IntToStr((V >> 16) & 0xFF) + u"." + IntToStr((V >> 8) & 0xFF) +
           u"." + IntToStr(V & 0xFF);
}

void TVazDateTimePicker::Repaint3D() {
    Invalidate();
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TVazDateTimePicker::SetAndRepaint(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
}

void TVazDateTimePicker::SetBorderStyle(TBorderStyle Value) {
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    Repaint3D();
}

void TVazDateTimePicker::WriteBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    Repaint3D();
}

void TVazDateTimePicker::WriteMetroStyle(bool Value) {
    if (FMetroStyle == Value) return;
    FMetroStyle = Value;
    Repaint3D();
}

bool TVazDateTimePicker::MetroActive() const { return FMetroStyle && !Designing(); }

// Visual styles are never active on this platform.
bool TVazDateTimePicker::Themed() const { return FIsThemed && false; }

bool TVazDateTimePicker::Border3DWanted() const {
    const bool Active = Focused() || (Screen && Screen->ActiveControl() == this);
    return !Designing() && FFocusBorder && (FMouseInControl || Active);
}

bool TVazDateTimePicker::Button3DWanted() const {
    if (Designing()) return Enabled();
    return FMouseInControl || Focused() || (Screen && Screen->ActiveControl() == this);
}

void TVazDateTimePicker::DrawControl() {
    if (!MetroActive()) return;
    if (Enabled() && FBorderColor == clNone && FFocusBorderColor == clNone) return;
    if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
    TWindowCanvas WC(Handle());
    DrawBorders(WC.Canvas());
    if (!(FIsWinXP && Themed())) DrawButton(WC.Canvas());
}

void TVazDateTimePicker::DrawBorders(TCanvas* C) {
    detail::TFlatBorderState S;
    S.Enabled = Enabled();
    // The disabled frame asks only whether the common controls support
    // styles, as the picker always did.
    S.Themed = FIsThemed;
    S.DisabledBorder = FDisabledBorder;
    S.Focused = Focused();
    S.Border3D = Border3DWanted();
    S.BorderColor = FBorderColor;
    S.FocusBorderColor = FFocusBorderColor;
    S.ParentColor = Parent() ? Parent()->Brush()->Color() : clBtnFace;
    S.Color = Color();
    S.ButtonWidth = FButtonWidth;
    detail::DrawFlatBorders(C, {0, 0, Width(), Height()}, S);
}

void TVazDateTimePicker::DrawButton(TCanvas* C) {
    const Integer CW = ClientWidth(), CH = ClientHeight();
    ExcludeClipRect(C->Handle(), CW - FButtonWidth + 4, 4, CW - 4, CH - 4);
    TRect R{CW - FButtonWidth - 2, 0, Width(), Height()};
    InflateRect(R, -2, -2);
    if (Button3DWanted()) {
        TRect E = R;
        DrawEdge(C->Handle(), E, EDGE_RAISED, BF_RECT | (DroppedDown() ? Cardinal(BF_FLAT) : 0u));
    } else {
        R.Top += 1;
        R.Bottom -= 1;
        R.Right -= 1;
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(R);
    }
    ExcludeClipRect(C->Handle(), R.Left, R.Top, R.Right, R.Bottom);
}

void TVazDateTimePicker::DrawButtonFace(TCanvas* C) {
    const Integer CW = ClientWidth(), CH = ClientHeight();
    TRect R{CW - FButtonWidth + 2, 0, Width(), Height()};
    InflateRect(R, -1, -1);
    const bool Down = MouseButtonDown();
    if (FButtonColor != clNone) {
        TColor Face = FButtonColor;
        if (FButtonHover) Face = Down && FButtonColorDown != clNone ? FButtonColorDown
                                 : FButtonColorHot != clNone    ? FButtonColorHot
                                                                : FButtonColor;
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Face);
        C->Pen()->SetColor(Face);
        C->Rectangle(R.Left + 2, R.Top, R.Right, R.Bottom);
        if (FButtonBorderColor != clNone) {
            C->Pen()->SetColor(FButtonBorderColor);
            C->MoveTo(R.Left, R.Top);
            C->LineTo(R.Left, R.Bottom);
        }
        TColor Arrow = Down && FButtonTextColorDown != clNone ? FButtonTextColorDown : FButtonTextColor;
        if (Arrow == clNone) Arrow = clBlack;
        C->Pen()->SetColor(Arrow);
        C->Brush()->SetColor(Arrow);
        C->Polygon({{R.Left + 5, R.Top + 7}, {R.Left + 11, R.Top + 7}, {R.Left + 8, R.Top + 10}});
    } else {
        DrawFrameControl(C->Handle(), R, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (Enabled() ? Cardinal(DFCS_FLAT) : Cardinal(DFCS_INACTIVE)));
    }
    ExcludeClipRect(C->Handle(), CW - FButtonWidth - 4, 0, CW + 2, CH);
}

void TVazDateTimePicker::DrawFlatFrame(TCanvas* C) {
    const Integer W = Width(), H = Height();
    TColor PenColor = FBorderColor;
    if (FBorderStyle == bsNone && Parent())
        PenColor = Parent()->Color();
    else if (FIsThemed)
        PenColor = detail::DisabledThemedFrame;
    C->Pen()->SetColor(PenColor);
    C->Polyline({{0, H}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
    if (Parent() && (FBorderStyle == bsNone || FBorderStyle == bsSingle)) {
        if (FBorderStyle == bsSingle) C->Pen()->SetColor(Parent()->Color());
        C->Polyline({{1, H - 2}, {1, 1}, {W - 1, 1}});
    }
}

void TVazDateTimePicker::HandleWMNCPaint(TMessage& Message) {
    TDateTimePicker::WndProc(Message);
    if (!Ctl3D() && FBorderColor != clNone && HandleAllocated()) {
        TWindowCanvas WC(Handle());
        DrawFlatFrame(WC.Canvas());
    }
    if (!Enabled() && Themed() && !FDisabledBorder) DrawControl();
    if ((FFocusBorderColor != clNone && HandleAllocated() && GetFocus() == Handle()) || FBorderColor != clNone)
        DrawControl();
    Message.Result = 0;
}

void TVazDateTimePicker::HandleWindowMessage(TMessage& Message) {
    if (Message.Msg == WM_NCPAINT) {
        HandleWMNCPaint(Message);
        return;
    }
    if (Message.Msg == CM_CTL3DCHANGED) Repaint3D();
    TDateTimePicker::WndProc(Message);
}

void TVazDateTimePicker::Paint() {
    TDateTimePicker::Paint();
    if (Ctl3D() && !MetroActive()) return;
    // (The platform is Windows 10, so the Vista-or-later test passes.)
    TCanvas* C = Canvas();
    if (MetroActive() && Kind() != dtkTime) {
        // Common controls 6 without active visual styles.
        const TRect CR = ClientRect();
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Color());
        C->FillRect({CR.Right - FButtonWidth - 2, 4, CR.Right - 2, Height() - 4});
        DrawButtonFace(C);
    }
    DrawControl();
}

void TVazDateTimePicker::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TDateTimePicker::MouseMove(Shift, X, Y);
    const bool Hover = X > Width() - FButtonWidth && X < Width();
    if (Hover != FButtonHover) {
        FButtonHover = Hover;
        Invalidate();
    }
}

void TVazDateTimePicker::MouseEnter() {
    TDateTimePicker::MouseEnter();
    if (Designing()) return;
    if (Enabled()) FMouseInControl = true;
    DrawControl();
    if (FIsWinXP) Invalidate();
}

void TVazDateTimePicker::MouseLeave() {
    TDateTimePicker::MouseLeave();
    if (Designing()) return;
    if (Enabled()) FMouseInControl = false;
    FButtonHover = false;
    DrawControl();
    if (FIsWinXP) Invalidate();
}

void TVazDateTimePicker::DoEnter() {
    if (!Designing()) {
        FHasFocus = true;
        DrawControl();
    }
    TDateTimePicker::DoEnter();
}

void TVazDateTimePicker::DoExit() {
    if (!Designing()) {
        FHasFocus = false;
        DrawControl();
    }
    TDateTimePicker::DoExit();
}
