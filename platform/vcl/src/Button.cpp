// Push buttons, check boxes and radio buttons.

#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

using namespace winapi;

const TClassInfo& TButton::StaticClassInfo() {
    static const TClassInfo Info = 
        TClassBuilder<TButton, TCustomControl>()
            .Property(u"Default", &TButton::Default, &TButton::SetDefault)
            .Default(false)
            .Property(u"Cancel", &TButton::Cancel, &TButton::SetCancel)
            .Default(false)
            .Property(u"ModalResult", &TButton::ModalResult, &TButton::SetModalResult)
            .Default(mrNone)
            .Build();
    return Info;
}
const TClassInfo& TButtonControl::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TButtonControl, TCustomControl>().Build();
    return Info;
}
const TClassInfo& TCustomCheckBox::StaticClassInfo() {
    static const TClassInfo Info = 
        TClassBuilder<TCustomCheckBox, TButtonControl>()
            .Property(u"AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed)
            .Default(false)
            .Property(u"Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked)
            .Default(false)
            .Build();
    return Info;
}
const TClassInfo& TCheckBox::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCheckBox, TCustomCheckBox>().Build();
    return Info;
}
const TClassInfo& TRadioButton::StaticClassInfo() {
    static const TClassInfo Info = 
        TClassBuilder<TRadioButton, TButtonControl>()
            .Property(u"Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)
            .Default(false)
            .Build();
    return Info;
}

namespace {

// The caption with its accelerator prefix, drawn in the control's font.
void DrawCaption(TCanvas* Canvas, const TControl* Control, TRect Rect, Cardinal Format) {
    Canvas->Font()->Assign(Control->Font());
    if (!Control->Enabled()) Canvas->Font()->SetColor(clGrayText);
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    DrawText(Canvas->Handle(), Control->Caption(), Rect, Format);
}

} // namespace

// ---- TButton ----

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner) {
    // No double clicks: a quick second press presses the button again.
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csOpaque});
    InitAppearance(true, clBtnFace, true);
    Brush()->SetColor(clBtnFace);
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::SetDefault(bool Value) {
    if (FDefault == Value) return;
    FDefault = Value;
    Invalidate();
}

void TButton::Click() {
    if (FModalResult != mrNone)
        if (TCustomForm* Form = GetParentForm(this)) Form->SetModalResult(FModalResult);
    TCustomControl::Click();
}

bool TButton::AnswersEnter() const {
    if (Focused()) return true;
    if (!FDefault) return false;
    TCustomForm* Form = GetParentForm(this);
    return !Form || !dynamic_cast<TButton*>(Form->ActiveControl());
}

void TButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_BUTTON | (AnswersEnter() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return;
    case CM_DIALOGKEY:
        if (((Message.WParam == VK_RETURN && AnswersEnter()) || (Message.WParam == VK_ESCAPE && FCancel)) &&
            Visible() && Enabled() && (Parent() == nullptr || Parent()->Showing())) {
            Click();
            Message.Result = 1;
            return;
        }
        TCustomControl::WndProc(Message);
        return;
    case CM_DIALOGCHAR:
        // The caption's accelerator presses the button.
        if (IsAccel(Word(Message.WParam), Caption()) && CanFocus()) {
            Click();
            Message.Result = 1;
            return;
        }
        TCustomControl::WndProc(Message);
        return;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (Message.WParam == VK_SPACE) {
            bool Release = Message.Msg == WM_KEYUP && FPressed;
            FPressed = Message.Msg == WM_KEYDOWN;
            Invalidate();
            if (Release) Click();
            return;
        }
        TCustomControl::WndProc(Message);
        return;
    case WM_LBUTTONDOWN:
        if (CanFocus() && !Focused()) SetFocus();
        FPressed = true;
        Invalidate();
        TCustomControl::WndProc(Message);
        return;
    case WM_LBUTTONUP:
        FPressed = false;
        Invalidate();
        TCustomControl::WndProc(Message);
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case CM_FOCUSCHANGED:
        TCustomControl::WndProc(Message);
        Invalidate(); // the default frame follows the focus
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

void TButton::Paint() {
    TRect Rect = ClientRect();
    HDC DC = Canvas()->Handle();
    if (AnswersEnter() && Enabled()) {
        // The button Enter presses has a dark frame around its face.
        Canvas()->Brush()->SetColor(clWindowFrame);
        Canvas()->FrameRect(Rect);
        InflateRect(Rect, -1, -1);
    }
    DrawFrameControl(DC, Rect, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (FPressed ? Cardinal(DFCS_PUSHED) : 0u) |
                         (Enabled() ? 0u : Cardinal(DFCS_INACTIVE)));
    TRect Text = ClientRect();
    if (FPressed) OffsetRect(Text, 1, 1);
    DrawCaption(Canvas(), this, Text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        TRect Focus = ClientRect();
        InflateRect(Focus, -4, -4);
        Canvas()->DrawFocusRect(Focus);
    }
}

// ---- Check boxes and radio buttons ----

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner) {
    // No double clicks: a quick second click toggles again.
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption});
    SetParentColor(true);
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TButtonControl::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_BUTTON;
        return;
    case WM_CHAR:
        if (Message.WParam == VK_SPACE) {
            Toggle();
            return;
        }
        break;
    case CM_DIALOGCHAR:
        // The caption's accelerator focuses and toggles the control.
        if (IsAccel(Word(Message.WParam), Caption()) && CanFocus()) {
            SetFocus();
            Toggle();
            Message.Result = 1;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
        if (CanFocus() && !Focused()) SetFocus();
        break;
    case WM_LBUTTONUP: {
        // A release over the control toggles it; the toggle runs OnClick.
        bool Inside = PtInRect(ClientRect(), {GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
        bool Pressed = ControlState().Contains(csClicked);
        SetControlState(ControlState() - TControlState{csClicked});
        TCustomControl::WndProc(Message);
        if (Pressed && Inside) Toggle();
        return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TButtonControl::Paint() {
    TRect Client = ClientRect();
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(Client);
    Integer Top = (Client.Height() - 13) / 2;
    TRect Mark{0, Top, 13, Top + 13};
    DrawFrameControl(Canvas()->Handle(), Mark, DFC_BUTTON,
                     MarkState() | (Enabled() ? 0u : Cardinal(DFCS_INACTIVE)));
    TRect Text{17, 0, Client.Right, Client.Bottom};
    DrawCaption(Canvas(), this, Text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (Focused() && !Caption().empty()) {
        TRect Measure = Text;
        DrawText(Canvas()->Handle(), Caption(), Measure, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
        TRect Focus{Text.Left - 1, Top, Measure.Right + 1, Top + 13};
        Canvas()->DrawFocusRect(Focus);
    }
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
    if (FState == Value) return;
    FState = Value;
    Invalidate();
    Click();
}

void TCustomCheckBox::Toggle() {
    switch (FState) {
    case cbUnchecked:
        SetState(cbChecked);
        break;
    case cbChecked:
        SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
        break;
    case cbGrayed:
        SetState(cbUnchecked);
        break;
    }
}

Cardinal TCustomCheckBox::MarkState() const {
    switch (FState) {
    case cbChecked:
        return DFCS_BUTTONCHECK | DFCS_CHECKED;
    case cbGrayed:
        return DFCS_BUTTON3STATE | DFCS_CHECKED;
    default:
        return DFCS_BUTTONCHECK;
    }
}

void TRadioButton::SetChecked(bool Value) {
    if (FChecked == Value) return;
    FChecked = Value;
    Invalidate();
    if (!Value) return;
    if (TWinControl* Owner = Parent())
        for (Integer I = 0; I < Owner->ControlCount(); ++I)
            if (auto* Other = dynamic_cast<TRadioButton*>(Owner->Controls(I)); Other && Other != this)
                Other->SetChecked(false);
    Click();
}

void TRadioButton::WndProc(TMessage& Message) {
    TButtonControl::WndProc(Message);
    if (Message.Msg == WM_GETDLGCODE) Message.Result |= DLGC_RADIOBUTTON;
}

Cardinal TRadioButton::MarkState() const {
    return DFCS_BUTTONRADIO | (FChecked ? Cardinal(DFCS_CHECKED) : 0u);
}
