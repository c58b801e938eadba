#include "dropdown/KelDropDownButton.h"

#include "dropdown/KelDropDown.h"
#include "graphics/Colors.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "kel/KelStyle.h"
#include "kel/WindowsPlatform.h"
#include "rtl/ClassBuilder.h"
#include "rtl/MathUtils.h"

using namespace winapi;

namespace {

// Whether the common controls are version 6 or later (visual-style capable).
bool CommonControlsAboveVersion5() {
    const Cardinal Major = WindowsPlatform().FileVersionMajor(u"comctl32.dll");
    return Major != 0xFFFFFFFFu && Major > 5;
}

} // namespace

// ---- TKelDropDownSpeedButton ----

const TClassInfo& TKelDropDownSpeedButton::StaticClassInfo() {
    using C = TKelDropDownSpeedButton;
    static const TClassInfo Info = TClassBuilder<C, TSpeedButton>()
                                       .Property(u"ButtonStyle", &C::ButtonStyle, &C::SetButtonStyle)
                                       .Property(u"Etched", &C::Etched, &C::SetEtched)
                                       .Property(u"Focused", &C::Focused, &C::SetFocused)
                                       .Build();
    return Info;
}

TKelDropDownSpeedButton::TKelDropDownSpeedButton(TComponent* AOwner)
    : TSpeedButton(AOwner), FIsWinXP(CommonControlsAboveVersion5()) {
    SetPaintUp(false);
}

void TKelDropDownSpeedButton::SetButtonStyle(TButtonStyle Value) {
    FButtonStyle = Value;
    Invalidate();
}

void TKelDropDownSpeedButton::SetEtched(bool Value) {
    if (FEtched == Value) return;
    FEtched = Value;
    Invalidate();
}

void TKelDropDownSpeedButton::SetFocused(bool Value) {
    if (FFocused == Value) return;
    FFocused = Value;
    Invalidate();
}

void TKelDropDownSpeedButton::MouseEnter() {
    TSpeedButton::MouseEnter();
    FHot = true;
    Invalidate();
}

void TKelDropDownSpeedButton::MouseLeave() {
    TSpeedButton::MouseLeave();
    FHot = false;
    Invalidate();
}

TKelCustomDropDown* TKelDropDownSpeedButton::DropDown() const {
    auto* Host = dynamic_cast<TDropDownEditButton*>(Owner());
    return Host ? dynamic_cast<TKelCustomDropDown*>(Host->Owner()) : nullptr;
}

bool TKelDropDownSpeedButton::Pressed() const {
    const TKelCustomDropDown* Edit = DropDown();
    return ((State() == bsDown || State() == bsExclusive) && !PaintUp()) || (Edit && Edit->DroppedDown());
}

void TKelDropDownSpeedButton::Paint() {
    if (FButtonStyle == bsDropDown)
        PaintArrow();
    else
        PaintPushButton();
}

void TKelDropDownSpeedButton::PaintArrow() {
    TCanvas* C = Canvas();
    const TRect Client = ClientRect();
    auto* Host = dynamic_cast<TDropDownEditButton*>(Owner());
    TKelCustomDropDown* Edit = DropDown();
    const bool IsPressed = Pressed();
    if (Host && Host->ButtonColor() != clNone) {
        // Custom colours: a face and a chevron.
        FDPIScale = ControlDPIScale(this, C);
        const Single S = FDPIScale;
        TColor Face = Host->ButtonColor();
        TColor Text = Host->ButtonTextColor();
        if (FHot) {
            Face = Host->ButtonColorHot();
            Text = Host->ButtonTextColorHot();
        }
        if (IsPressed) {
            Face = Host->ButtonColorDown();
            Text = Host->ButtonTextColorDown();
        }
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Face);
        C->Pen()->SetColor(Face);
        C->FillRect(Client);
        if (Edit && Edit->BorderColor() != clNone) {
            C->Pen()->SetColor(Edit->BorderColor());
            C->MoveTo(Client.Left, Client.Top);
            C->LineTo(Client.Left, Client.Bottom);
        }
        C->Pen()->SetColor(Text);
        C->Pen()->SetWidth(std::max(1, Integer(S)));
        const Integer Cx = Client.Left + Client.Width() / 2;
        const Integer Cy = Client.Top + Client.Height() / 2;
        if (RoundToInt(S) % 2 == 1)
            C->Polyline({{Cx - RoundToInt(3 * S), Cy - RoundToInt(S)}, {Cx, Cy + RoundToInt(2 * S)}, {Cx + RoundToInt(3 * S) + 1, Cy - RoundToInt(S) - 1}});
        else
            C->Polyline({{Cx - RoundToInt(4 * S), Cy - RoundToInt(2 * S)},
                         {Cx, Cy + RoundToInt(S) + 1},
                         {Cx + RoundToInt(4 * S) + 1, Cy - RoundToInt(2 * S) - 1}});
        C->Pen()->SetWidth(1);
        return;
    }
    if (Glyph() && !Glyph()->Empty()) {
        C->Brush()->SetColor(clBtnFace);
        C->Pen()->SetColor(0x808080);
        C->Rectangle(Client);
        const Integer W = Glyph()->Width() / std::max(1, NumGlyphs());
        const Integer H = Glyph()->Height();
        const Integer X = W < Client.Width() ? (Client.Width() - W) / 2 : 0;
        const Integer Y = H < Client.Height() ? (Client.Height() - H) / 2 : 0;
        TRect Target(X, Y, X + Glyph()->Width(), Y + H);
        DrawTransparentBitmap(C, Glyph(), clBtnFace, Target);
        return;
    }
    // Visual and application styles are off on this platform: the classic look.
    TSpeedButton::Paint();
    const Integer W = Width(), H = Height();
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(clBtnFace);
    C->Polyline({{W - 2, 0}, {0, 0}, {0, H - 1}});
    C->Pen()->SetColor(clWhite);
    C->Polyline({{W - 3, 1}, {1, 1}, {1, H - 2}});
    C->Pen()->SetColor(clBlack);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBlack);
    C->Polygon({{5, 7}, {11, 7}, {8, 10}});
}

void TKelDropDownSpeedButton::PaintPushButton() {
    TCanvas* C = Canvas();
    if (TKelCustomDropDown* Edit = DropDown()) C->Font()->Assign(Edit->Font());
    if (!Flat()) {
        TSpeedButton::Paint();
        return;
    }
    const bool Down = (State() == bsDown || State() == bsExclusive) && !PaintUp();
    const TRect Client = ClientRect();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBtnFace);
    C->FillRect(Client);
    TRect Edge(Client.Left, Client.Top, Client.Right + 1, Client.Bottom + 1);
    DrawEdge(C->Handle(), Edge, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (Down ? Cardinal(BF_FLAT) : 0u));
    TRect Inner = Client;
    InflateRect(Inner, -3, -3);
    if (Down) OffsetRect(Inner, 1, 1);
    if (Glyph() && !Glyph()->Empty()) DrawTransparentBitmap(C, Glyph(), clBtnFace, Inner);
    if (!Caption().empty()) {
        TRect TextRect = Client;
        InflateRect(TextRect, -3, -1);
        C->Brush()->SetStyle(bsClear);
        DrawText(C->Handle(), Caption(), TextRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        C->Brush()->SetStyle(bsSolid);
    }
}

// ---- TDropDownEditButton ----

const TClassInfo& TDropDownEditButton::StaticClassInfo() {
    using C = TDropDownEditButton;
    static const TClassInfo Info = TClassBuilder<C, TWinControl>()
                                       .Property(u"Glyph", &C::Glyph, &C::SetGlyph)
                                       .Property(u"ButtonCaption", &C::ButtonCaption, &C::SetButtonCaption)
                                       .Property(u"NumGlyphs", &C::NumGlyphs, &C::SetNumGlyphs)
                                       .Default(1)
                                       .Build();
    return Info;
}

TDropDownEditButton::TDropDownEditButton(TComponent* AOwner) : TWinControl(AOwner) {
    if (!dynamic_cast<TKelCustomDropDown*>(AOwner))
        throw EInvalidOperation(u"A drop-down button belongs to a drop-down edit");
    TControlStyle Style = ControlStyle();
    Style.Exclude(csAcceptsControls);
    Style.Exclude(csSetCaption);
    Style.Include(csOpaque);
    SetControlStyle(Style);
    FButton = Create<TKelDropDownSpeedButton>(this);
    FButton->SetParent(this);
    FButton->OnClick = [](TObject*) {};
    FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
        HandleButtonMouseUp(Sender, Button, Shift, X, Y);
    };
    FButton->SetVisible(true);
    FButton->SetEnabled(Enabled());
    FButton->SetCaption(String());
    FButton->SetButtonStyle(bsDropDown);
    auto* Edit = static_cast<TKelCustomDropDown*>(AOwner);
    OnClick = [Edit](TObject* Sender) { Edit->DropDownButtonClick(Sender); };
    TWinControl::SetBounds(0, 0, 16, 25);
    EnforceWidth();
}

void TDropDownEditButton::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TDropDownEditButton::SetButtonWidth(Integer Value) {
    FBWidth = Value;
    EnforceWidth();
}

void TDropDownEditButton::SetBounds(Integer ALeft, Integer ATop, Integer /*AWidth*/, Integer AHeight) {
    TWinControl::SetBounds(ALeft, ATop, FBWidth, AHeight);
    if (FButton) FButton->SetBounds(0, 0, FBWidth, Height());
}

void TDropDownEditButton::EnforceWidth() {
    if (ComponentState().Contains(csLoading)) return;
    SetBounds(Left(), Top(), FBWidth, Height());
}

void TDropDownEditButton::Loaded() {
    TWinControl::Loaded();
    EnforceWidth();
}

void TDropDownEditButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_SIZE:
        TWinControl::WndProc(Message);
        EnforceWidth();
        return;
    case CM_ENABLEDCHANGED:
        TWinControl::WndProc(Message);
        if (FButton) FButton->SetEnabled(Enabled());
        return;
    default:
        TWinControl::WndProc(Message);
        return;
    }
}

void TDropDownEditButton::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TDropDownEditButton::HandleButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer) {
    if (Button != mbLeft) return;
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
    if (OnClick && Sender == FButton) OnClick(this);
}
