// The repeating speed button and the spin button pair.

#include "gridbase/SpinButton.h"

#include "graphics/GdiControls.h"
#include "rtl/ClassBuilder.h"
#include "windowing/Input.h"
#include "windowing/Messages.h"

using namespace winapi;

namespace {

constexpr Cardinal FirstRepeatDelay = 400;
constexpr Cardinal RepeatInterval = 100;

// The built-in 9 x 6 arrow glyph: a black triangle on the olive colour that
// the bottom-left pixel makes transparent.
void MakeArrowGlyph(TBitmap* Glyph, bool Up) {
    Glyph->SetSize(9, 6);
    TCanvas* C = Glyph->Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clOlive);
    C->FillRect({0, 0, 9, 6});
    for (Integer Row = 0; Row < 4; ++Row) {
        const Integer Y = Up ? 1 + Row : 4 - Row;
        for (Integer X = 4 - Row; X <= 4 + Row; ++X)
            C->SetPixels(X, Y, clBlack);
    }
}

void Triangle(TCanvas* C, TPoint A, TPoint B, TPoint D, TColor Color) {
    C->Pen()->SetColor(Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    C->Polygon({A, B, D});
}

} // namespace

// ---- TKelTimerSpeedButton ------------------------------------------------------------------------------

const TClassInfo& TKelTimerSpeedButton::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelTimerSpeedButton, TSpeedButton>().Build();
    return Info;
}

TKelTimerSpeedButton::TKelTimerSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

TKelTimerSpeedButton::~TKelTimerSpeedButton() {
    if (FRepeatTimer) Free(FRepeatTimer);
}

void TKelTimerSpeedButton::SetButtonDirection(TButtonDirection Value) {
    if (FButtonDirection == Value) return;
    FButtonDirection = Value;
    Invalidate();
}

void TKelTimerSpeedButton::InvalidateParent() {
    if (Parent()) Parent()->Invalidate();
}

void TKelTimerSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TSpeedButton::MouseDown(Button, Shift, X, Y);
    if (FTimeBtnState.Contains(tbAllowTimer)) {
        if (!FRepeatTimer) {
            FRepeatTimer = Create<TTimer>(nullptr);
            FRepeatTimer->SetEnabled(false);
            FRepeatTimer->OnTimer = [this](TObject*) { TimerExpired(); };
        }
        FRepeatTimer->SetInterval(FirstRepeatDelay);
        FRepeatTimer->SetEnabled(true);
    }
    InvalidateParent();
}

void TKelTimerSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TSpeedButton::MouseUp(Button, Shift, X, Y);
    if (FRepeatTimer) FRepeatTimer->SetEnabled(false);
    InvalidateParent();
}

void TKelTimerSpeedButton::TimerExpired() {
    FRepeatTimer->SetInterval(RepeatInterval);
    if (State() == bsDown && MouseCapture()) {
        try {
            Click();
        } catch (...) {
            // A click that fails ends the repeating; the error goes on.
            FRepeatTimer->SetEnabled(false);
            throw;
        }
    }
}

void TKelTimerSpeedButton::MouseEnter() {
    FHasMouse = true;
    Invalidate();
    TSpeedButton::MouseEnter();
}

void TKelTimerSpeedButton::MouseLeave() {
    FHasMouse = false;
    Invalidate();
    TSpeedButton::MouseLeave();
}

void TKelTimerSpeedButton::Paint() {
    // This platform has no high-contrast mode and no visual styles: a pair
    // without a button colour paints the system arrows.
    const auto* Pair = dynamic_cast<const TVazSpinButton*>(Parent());
    const TRect R = ClientRect();
    const bool IsDown = State() == bsDown || State() == bsExclusive;
    TCanvas* C = Canvas();
    if (!Pair || Pair->ButtonColor() == clNone) {
        if (FButtonDirection == bdLeft || FButtonDirection == bdRight) {
            TRect Box = R;
            Cardinal State = FButtonDirection == bdLeft ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
            if (IsDown) State |= DFCS_PUSHED;
            if (Flat()) State |= DFCS_FLAT;
            DrawFrameControl(C->Handle(), Box, DFC_SCROLL, State);
        } else {
            TSpeedButton::Paint();
        }
        return;
    }
    const TColor Face = IsDown ? Pair->ButtonColorDown() : FHasMouse ? Pair->ButtonColorHot() : Pair->ButtonColor();
    C->Pen()->SetColor(Face);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Face);
    C->Rectangle(R);
    const Integer L = R.Left, T = R.Top;
    switch (FButtonDirection) {
    case bdLeft:
        Triangle(C, {L + 5, T + 5}, {L + 3, T + 7}, {L + 5, T + 9}, clBlack);
        break;
    case bdRight:
        Triangle(C, {L + 3, T + 5}, {L + 5, T + 7}, {L + 3, T + 9}, clBlack);
        break;
    case bdUp:
        Triangle(C, {L + 4, T + 4}, {L + 8, T + 4}, {L + 6, T + 2}, clBlack);
        break;
    case bdDown:
        Triangle(C, {L + 4, T + 2}, {L + 8, T + 2}, {L + 6, T + 4}, clBlack);
        break;
    }
}

// ---- TVazSpinButton ------------------------------------------------------------------------------------

const TClassInfo& TVazSpinButton::StaticClassInfo() {
    using S = TVazSpinButton;
    static const TClassInfo Info =
        TClassBuilder<S, TWinControl>()
            .Property(u"ButtonColor", TypeInfo_TColor(), &S::ButtonColor, &S::SetButtonColor)
            .Default(clNone)
            .Property(u"ButtonColorHot", TypeInfo_TColor(), &S::ButtonColorHot, &S::SetButtonColorHot)
            .Default(clNone)
            .Property(u"ButtonColorDown", TypeInfo_TColor(), &S::ButtonColorDown, &S::SetButtonColorDown)
            .Default(clNone)
            .Property(u"ButtonTextColor", TypeInfo_TColor(), &S::ButtonTextColor, &S::SetButtonTextColor)
            .Default(clNone)
            .Property(u"ButtonTextColorHot", TypeInfo_TColor(), &S::ButtonTextColorHot, &S::SetButtonTextColorHot)
            .Default(clNone)
            .Property(u"ButtonTextColorDown", TypeInfo_TColor(), &S::ButtonTextColorDown,
                      &S::SetButtonTextColorDown)
            .Default(clNone)
            .Property(u"ButtonBorderColor", TypeInfo_TColor(), &S::ButtonBorderColor, &S::SetButtonBorderColor)
            .Property(u"Direction", &S::Direction, &S::SetDirection)
            .Default(spVertical)
            .Property(u"DownGlyph", &S::DownGlyph, &S::SetDownGlyph)
            .Property(u"DownNumGlyphs", &S::DownNumGlyphs, &S::SetDownNumGlyphs)
            .Default(1)
            .Property(u"FocusControl", &S::FocusControl, &S::SetFocusControl)
            .Property(u"UpGlyph", &S::UpGlyph, &S::SetUpGlyph)
            .Property(u"UpNumGlyphs", &S::UpNumGlyphs, &S::SetUpNumGlyphs)
            .Default(1)
            .Property(u"OnDownClick", &S::OnDownClick, [](S& O, TNotifyEvent E) { O.OnDownClick = std::move(E); })
            .Property(u"OnUpClick", &S::OnUpClick, [](S& O, TNotifyEvent E) { O.OnUpClick = std::move(E); })
            .Build();
    return Info;
}

TVazSpinButton::TVazSpinButton(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(ControlStyle() - TControlStyle{csAcceptsControls, csSetCaption} + TControlStyle{csOpaque});
    FUpButton = CreateButton();
    FDownButton = CreateButton();
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    FUpButton->SetButtonDirection(bdUp);
    FDownButton->SetButtonDirection(bdDown);
    SetBounds(Left(), Top(), 15, 25);
    FFocusedButton = FUpButton;
}

TVazSpinButton::~TVazSpinButton() = default;

TKelTimerSpeedButton* TVazSpinButton::CreateButton() {
    auto* Button = Create<TKelTimerSpeedButton>(this);
    Button->OnClick = [this](TObject* Sender) { BtnClick(Sender); };
    Button->OnMouseDown = [this](TObject* Sender, TMouseButton B, TShiftState Shift, Integer X, Integer Y) {
        BtnMouseDown(Sender, B, Shift, X, Y);
    };
    Button->SetVisible(true);
    Button->SetEnabled(true);
    Button->SetTimeBtnState(TTimeBtnState{tbAllowTimer});
    Button->SetParent(this);
    return Button;
}

void TVazSpinButton::AdjustSize(Integer& W, Integer& H) {
    if (!FUpButton || !FDownButton || ComponentState().Contains(csLoading)) return;
    if (FDirection == spVertical) {
        if (W < 15) W = 15;
        const Integer UpHeight = H / 2;
        FUpButton->SetBounds(0, 0, W, UpHeight);
        FDownButton->SetBounds(0, UpHeight - 1, W, H - UpHeight + 1);
    } else {
        if (W < 20) W = 20;
        const Integer Half = W / 2;
        FDownButton->SetBounds(0, 0, Half, H);
        FUpButton->SetBounds(Half + 1, 0, Half, H);
    }
}

void TVazSpinButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    Integer W = AWidth, H = AHeight;
    AdjustSize(W, H);
    TWinControl::SetBounds(ALeft, ATop, W, H);
}

void TVazSpinButton::Loaded() {
    TWinControl::Loaded();
    Integer W = Width(), H = Height();
    AdjustSize(W, H);
    if (W != Width() || H != Height()) SetBounds(Left(), Top(), W, H);
}

void TVazSpinButton::SetDirection(TSpinDirection Value) {
    if (FDirection == Value) return;
    FDirection = Value;
    if (HandleAllocated()) RecreateWnd();
    if (FDirection == spHorizontal) {
        FUpButton->SetButtonDirection(bdRight);
        FDownButton->SetButtonDirection(bdLeft);
        SetBounds(Left(), Top(), 20, Height());
    } else {
        FUpButton->SetButtonDirection(bdUp);
        FDownButton->SetButtonDirection(bdDown);
        SetBounds(Left(), Top(), 15, Height());
    }
}

void TVazSpinButton::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (FFocusControl) FFocusControl->FreeNotification(this);
}

void TVazSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TVazSpinButton::SetUpGlyph(const TBitmap* Value) {
    if (Value) {
        FUpButton->SetGlyph(Value);
        return;
    }
    TBitmap Arrow;
    MakeArrowGlyph(&Arrow, true);
    FUpButton->SetGlyph(&Arrow);
    FUpButton->SetNumGlyphs(1);
}

void TVazSpinButton::SetDownGlyph(const TBitmap* Value) {
    if (Value) {
        FDownButton->SetGlyph(Value);
        return;
    }
    TBitmap Arrow;
    MakeArrowGlyph(&Arrow, false);
    FDownButton->SetGlyph(&Arrow);
    FDownButton->SetNumGlyphs(1);
}

void TVazSpinButton::SetIsWinXP(bool Value) {
    FIsWinXP = Value;
    FDownButton->SetIsWinXP(Value);
    FFocusedButton->SetIsWinXP(Value);
}

void TVazSpinButton::SetButtonColor(TColor Value) {
    FButtonColor = Value;
    FUpButton->Invalidate();
    FDownButton->Invalidate();
}

void TVazSpinButton::SetFocusBtn(TKelTimerSpeedButton* Btn) {
    if (!TabStop() || !CanFocus() || Btn == FFocusedButton) return;
    FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() - TTimeBtnState{tbFocusRect});
    FFocusedButton = Btn;
    if (Focused()) {
        FFocusedButton->SetTimeBtnState(FFocusedButton->TimeBtnState() + TTimeBtnState{tbFocusRect});
        FUpButton->Invalidate();
        FDownButton->Invalidate();
    }
}

void TVazSpinButton::BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState, Integer, Integer) {
    if (Button != mbLeft) return;
    SetFocusBtn(static_cast<TKelTimerSpeedButton*>(Sender));
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
}

void TVazSpinButton::BtnClick(TObject* Sender) {
    if (Sender == FUpButton) {
        if (OnUpClick) OnUpClick(this);
    } else if (OnDownClick) {
        OnDownClick(this);
    }
}

void TVazSpinButton::KeyDown(Word& Key, TShiftState Shift) {
    switch (Key) {
    case VK_SPACE:
        FFocusedButton->Click();
        break;
    case VK_UP:
        SetFocusBtn(FUpButton);
        FUpButton->Click();
        break;
    case VK_DOWN:
        SetFocusBtn(FDownButton);
        FDownButton->Click();
        break;
    default:
        break;
    }
    TWinControl::KeyDown(Key, Shift);
}

void TVazSpinButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        TWinControl::WndProc(Message);
        const bool Got = Message.Msg == WM_SETFOCUS;
        FFocusedButton->SetTimeBtnState(Got ? FFocusedButton->TimeBtnState() + TTimeBtnState{tbFocusRect}
                                            : FFocusedButton->TimeBtnState() - TTimeBtnState{tbFocusRect});
        FFocusedButton->Invalidate();
        return;
    }
    default:
        break;
    }
    TWinControl::WndProc(Message);
}
