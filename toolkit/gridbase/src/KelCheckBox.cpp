// The owner-drawn check box and the drag arrow window.

#include "gridbase/KelCheckBox.h"

#include "gridbase/ControlScale.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiObjects.h"
#include "graphics/GdiText.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"
#include "vcl/ControlMessages.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"
#include "windowing/Window.h"

using namespace winapi;

// ---- TKelCheckBox --------------------------------------------------------------------------------------

const TClassInfo& TKelCheckBox::StaticClassInfo() {
    using C = TKelCheckBox;
    static const TClassInfo Info =
        TClassBuilder<C, TCustomControl>()
            .Property(u"Alignment", &C::Alignment, &C::SetAlignment)
            .Default(taLeftJustify)
            .Property(u"ButtonVertAlign", &C::ButtonVertAlign, &C::SetButtonVertAlign)
            .Default(tlTop)
            .Property(u"Checked", &C::Checked, &C::SetChecked)
            .Stored(false)
            .Property(u"Ellipsis", &C::Ellipsis, &C::SetEllipsis)
            .Default(false)
            .Property(u"ReadOnly", &C::ReadOnly, &C::SetReadOnly)
            .Default(false)
            .Property(u"ReturnIsTab", &C::ReturnIsTab, &C::SetReturnIsTab)
            .Default(false)
            .Property(u"State", &C::State, &C::SetState)
            .Default(cbUnchecked)
            .Property(u"Transparent", &C::Transparent, &C::SetTransparent)
            .Default(false)
            .Build();
    return Info;
}

TKelCheckBox::TKelCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
    // No automatic click: the check box fires OnClick itself.
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetBounds(Left(), Top(), 98, 20);
    SetCaption(ClassName());
    SetTabStop(true);
}

TKelCheckBox::~TKelCheckBox() = default;

void TKelCheckBox::Toggle() {
    if (FReadOnly) return;
    SetChecked(!Checked());
}

void TKelCheckBox::SetChecked(bool Value) {
    FState = Value ? cbChecked : cbUnchecked;
    Invalidate();
}

void TKelCheckBox::SetState(TCheckBoxState Value) {
    if (FState == Value) return;
    FState = Value;
    if (HandleAllocated()) {
        const TRect Box = FAlignment == taRightJustify ? TRect{Width() - 20, 0, Width(), Height()}
                                                       : TRect{0, 0, 20, Height()};
        InvalidateRect(Handle(), &Box, true);
    }
}

void TKelCheckBox::SetAlignment(TAlignment Value) {
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TKelCheckBox::SetButtonVertAlign(TTextLayout Value) {
    if (FBtnVAlign == Value) return;
    FBtnVAlign = Value;
    Invalidate();
}

void TKelCheckBox::SetEllipsis(bool Value) {
    if (FEllipsis == Value) return;
    FEllipsis = Value;
    Invalidate();
}

void TKelCheckBox::SetTransparent(bool Value) {
    FTransparent = Value;
    Invalidate();
}

void TKelCheckBox::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FTransparent) Invalidate();
}

Integer TKelCheckBox::BoxSize() const {
    return Integer(Round(13 * GetControlDPIScale(this)));
}

TRect TKelCheckBox::BoxRect() const {
    const Integer Size = BoxSize();
    const TRect Client = ClientRect();
    const Integer X = FAlignment == taRightJustify ? Client.Width() - Size - 1 : 0;
    Integer Y = 4;
    if (FBtnVAlign == tlCenter) Y = Client.Height() / 2 - 6;
    if (FBtnVAlign == tlBottom) Y = Client.Height() - Size;
    return {X, Y, X + Size, Y + Size};
}

void TKelCheckBox::InvalidateBox() {
    if (!HandleAllocated()) return;
    const TRect Box = BoxRect();
    const TRect Area{Box.Left, Box.Top, Box.Left + 16, Box.Top + 16};
    InvalidateRect(Handle(), &Area, true);
}

void TKelCheckBox::Paint() {
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    C->Brush()->SetStyle(bsSolid);
    // A transparent box shows its parent's background.
    C->Brush()->SetColor(FTransparent && Parent() ? Parent()->Color() : Color());
    C->FillRect(Client);

    TRect Box = BoxRect();
    Cardinal State = DFCS_BUTTONCHECK;
    if (!Enabled() || FState == cbGrayed) State |= DFCS_INACTIVE;
    if (FState != cbUnchecked) State |= DFCS_CHECKED;
    if (FDown) State |= DFCS_PUSHED;
    if (FHot) State |= DFCS_HOT;
    DrawFrameControl(C->Handle(), Box, DFC_BUTTON, State);

    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    const Integer Scale10 = Integer(Round(10 * GetControlDPIScale(this)));
    TRect Text = Client;
    if (FAlignment == taRightJustify) {
        Text.Right -= 9;
    } else {
        Text.Left += 9 + Scale10;
    }
    Text.Top += 4;
    Cardinal Format = DT_SINGLELINE | DT_LEFT;
    if (FEllipsis) Format |= DT_END_ELLIPSIS;
    if (!Enabled()) {
        TRect Shadow = Text;
        OffsetRect(Shadow, 1, 1);
        SetTextColor(C->Handle(), ColorToRGB(0xFFFFFF));
        DrawText(C->Handle(), Caption(), Shadow, Format);
        SetTextColor(C->Handle(), ColorToRGB(0x808080));
    } else {
        SetTextColor(C->Handle(), ColorToRGB(Font()->Color()));
    }
    DrawText(C->Handle(), Caption(), Text, Format);
    if (FFocused) {
        TSize Extent{};
        GetTextExtentPoint32(C->Handle(), Caption(), Extent);
        C->Brush()->SetStyle(bsSolid);
        C->DrawFocusRect({Text.Left - 2, Text.Top, Text.Left - 2 + Extent.cx + 1 + 2, Text.Top + Extent.cy + 1});
    }
}

void TKelCheckBox::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (FTransparent) {
            Message.Result = 1;
            return;
        }
        break;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTCHARS;
        return;
    case CM_DIALOGCHAR:
        // The caption's accelerator toggles the box.
        if (IsAccel(Word(Message.WParam), Caption()) && CanFocus()) {
            Toggle();
            if (TabStop()) SetFocus();
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TKelCheckBox::KeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_SPACE) {
        FDown = true;
        InvalidateBox();
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TKelCheckBox::KeyUp(Word& Key, TShiftState Shift) {
    if (Key == VK_SPACE) {
        FDown = false;
        Toggle();
        Click();
    }
    TCustomControl::KeyUp(Key, Shift);
}

void TKelCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    FMouseDown = true;
    if (CanFocus() && !Focused()) SetFocus();
    TCustomControl::MouseDown(Button, Shift, X, Y);
    SetMouseCapture(true);
    FDown = true;
    InvalidateBox();
}

void TKelCheckBox::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    if (MouseCapture()) {
        const bool Inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
        if (Inside != FDown) {
            FDown = Inside;
            InvalidateBox();
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TKelCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    SetMouseCapture(false);
    FDown = false;
    const bool Inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
    if (Inside && Focused() && FMouseDown) {
        Toggle();
        Click();
    }
    FMouseDown = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
    InvalidateBox();
}

void TKelCheckBox::MouseEnter() {
    FHot = true;
    InvalidateBox();
    TCustomControl::MouseEnter();
}

void TKelCheckBox::MouseLeave() {
    FHot = false;
    InvalidateBox();
    TCustomControl::MouseLeave();
}

void TKelCheckBox::DoEnter() {
    FFocused = true;
    Invalidate();
    TCustomControl::DoEnter();
}

void TKelCheckBox::DoExit() {
    FFocused = false;
    Invalidate();
    TCustomControl::DoExit();
}

// ---- TArrowWindow --------------------------------------------------------------------------------------

namespace {

// The arrow's corners per direction (up, down, left, right).
constexpr TPoint ArrowShapes[4][7] = {
    {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}},
    {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}},
    {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}},
    {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}},
};

} // namespace

const TClassInfo& TArrowWindow::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TArrowWindow, TPanel>().Build();
    return Info;
}

TArrowWindow::TArrowWindow(TComponent* AOwner) : TArrowWindow(dynamic_cast<TWinControl*>(AOwner), arrUp) {}

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection Direction) : TPanel(AOwner), FDir(Direction) {
    std::copy(std::begin(ArrowShapes[FDir]), std::end(ArrowShapes[FDir]), FArrow);
    SetColor(0x00FF00);
    SetVisible(false);
    if (AOwner) SetParent(AOwner);
}

void TArrowWindow::CreateParams(TCreateParams& Params) {
    TPanel::CreateParams(Params);
    Params.Style = WS_POPUP;
}

void TArrowWindow::CreateWnd() {
    TPanel::CreateWnd();
    SetWindowRgn(Handle(), CreatePolygonRgn(FArrow, 7, WINDING), true);
}

void TArrowWindow::Paint() {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}
