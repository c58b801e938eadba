// The flat combo box: border and button painting, label placement, focus
// colours.

#include "gridbase/VazCombo.h"

#include "FlatBorders.h"
#include "gridbase/EditorLayout.h"

#include "graphics/Canvas.h"
#include "graphics/DeviceContext.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "rtl/ClassBuilder.h"
#include "vcl/ControlMessages.h"
#include "vcl/Forms.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/Messages.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"

using namespace winapi;

namespace {

void SetLabelBold(TLabel* Label, bool Bold) {
    TFontStyles Style = Label->Font()->Style();
    if (Bold)
        Style.Include(fsBold);
    else
        Style.Exclude(fsBold);
    Label->Font()->SetStyle(Style);
}

using detail::MouseButtonDown;
using detail::TWindowCanvas;

} // namespace

const TClassInfo& TVazCustomCombo::StaticClassInfo() {
    using C = TVazCustomCombo;
    static const TClassInfo Info = TClassBuilder<C, TCustomComboBox>()
                                       .Property(u"OnDropUp", &C::OnDropUp,
                                                 [](auto& O, TNotifyEvent E) { O.OnDropUp = std::move(E); })
                                       .Build();
    return Info;
}

const TClassInfo& TVazComboBox::StaticClassInfo() {
    using C = TVazComboBox;
    static const TClassInfo Info =
        TClassBuilder<C, TVazCustomCombo>()
            .Property(u"AutoFocus", &C::AutoFocus, &C::SetAutoFocus)
            .Default(false)
            .Property(u"BorderColor", &C::BorderColor, &C::SetBorderColor)
            .Default(clNone)
            .Property(u"ButtonWidth", &C::ButtonWidth, &C::SetButtonWidth)
            .Property(u"DisabledBorder", &C::DisabledBorder, &C::SetDisabledBorder)
            .Default(true)
            .Property(u"Flat", &C::Flat, &C::SetFlat)
            .Default(false)
            .Property(u"FlatLineColor", &C::FlatLineColor, &C::SetFlatLineColor)
            .Default(clNone)
            .Property(u"FlatParentColor", &C::FlatParentColor, &C::SetFlatParentColor)
            .Default(true)
            .Property(u"Etched", &C::Etched, &C::SetEtched)
            .Default(false)
            .Property(u"FocusBorder", &C::FocusBorder, &C::SetFocusBorder)
            .Default(false)
            .Property(u"FocusBorderColor", &C::FocusBorderColor, &C::SetFocusBorderColor)
            .Default(clNone)
            .Property(u"FocusColor", &C::FocusColor, &C::SetFocusColor)
            .Default(clNone)
            .Property(u"FocusLabel", &C::FocusLabel, &C::SetFocusLabel)
            .Default(false)
            .Property(u"DropWidth", &C::DropWidth, &C::SetDropWidth)
            .Default(0)
            .Property(u"LabelCaption", &C::LabelCaption, &C::SetLabelCaption)
            .Property(u"LabelPosition", &C::LabelPosition, &C::SetLabelPosition)
            .Default(lpLeftTop)
            .Property(u"LabelMargin", &C::LabelMargin, &C::SetLabelMargin)
            .Default(4)
            .Property(u"LabelTransparent", &C::LabelTransparent, &C::SetLabelTransparent)
            .Default(false)
            .Property(u"LabelAlwaysEnabled", &C::LabelAlwaysEnabled, &C::SetLabelAlwaysEnabled)
            .Default(false)
            .Build();
    return Info;
}

TVazCustomCombo::TVazCustomCombo(TComponent* AOwner)
    : TCustomComboBox(AOwner), FLabelFont(std::make_unique<TFont>()) {
    FButtonWidth = GetSystemMetrics(SM_CXVSCROLL) + 2;
    // Common controls of version 6 support visual styles; whether they are
    // in use is asked at every paint (here they never are).
    FIsThemed = true;
    FLabelFont->SetHeight(-11);
    FLabelFont->OnChange = [this](TObject* Sender) { LabelFontChanged(Sender); };
    FLoadedColor = clWindow;
    // The colour restored after a focus colour starts as the colour the
    // combo has, so a combo made at run time never turns black.
    FNormalColor = Color();
    FWasEnabled = Enabled();
}

TVazCustomCombo::~TVazCustomCombo() {
    if (FLabelFont) FLabelFont->OnChange = nullptr;
}

bool TVazCustomCombo::Designing() const { return ComponentState().Contains(csDesigning); }
bool TVazCustomCombo::Loading() const { return ComponentState().Contains(csLoading); }

bool TVazCustomCombo::IsActive() const {
    return Focused() || (Screen && Screen->ActiveControl() == this);
}

bool TVazCustomCombo::Border3DWanted() const {
    return !Designing() && FFocusBorder && (FMouseInControl || IsActive());
}

bool TVazCustomCombo::Button3DWanted() const {
    if (Designing()) return Enabled();
    return FMouseInControl || IsActive();
}

// Visual styles are never active on this platform, so the themed branches
// below never run; they stay so the decisions read as the rules do.
bool TVazCustomCombo::Themed() const { return FIsThemed && false; }

bool TVazCustomCombo::CustomDrawingNeeded() const {
    if (Enabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) return false;
    if (FIsVista && FBorderColor == clNone) return false;
    return true;
}

bool TVazCustomCombo::OwnButtonFace() const {
    if (FIsVista && FButtonColor == clNone) return false;
    return FFlat || FButtonColor != clNone || FBorderColor != clNone ||
           (FFocusBorderColor != clNone && Focused()) || (!Enabled() && Themed() && !FDisabledBorder);
}

void TVazCustomCombo::SetColorAndRepaint(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    Invalidate();
}

void TVazCustomCombo::RepaintFrame() {
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TVazCustomCombo::SetBorderColor(TColor Value) {
    if (FBorderColor == Value) return;
    FBorderColor = Value;
    RepaintFrame();
}

void TVazCustomCombo::SetButtonWidth(Integer Value) {
    if (Value <= 13 || Value > 32 || Value == FButtonWidth) return;
    FButtonWidth = Value;
    Invalidate();
}

void TVazCustomCombo::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    SetCtl3D(!Value);
    if (FFlat && FFlatParentColor && Parent())
        WriteColor(Parent()->Brush()->Color());
    else
        WriteColor(FLoadedColor);
    RepaintFrame();
    Invalidate();
}

void TVazCustomCombo::SetFlatParentColor(bool Value) {
    FFlatParentColor = Value;
    Invalidate();
}

void TVazCustomCombo::SetEtched(bool Value) {
    if (FEtched == Value) return;
    FEtched = Value;
    Invalidate();
}

void TVazCustomCombo::SetDropWidth(Integer Value) {
    FDropWidth = Value;
    if (Value > 0) SetDroppedWidth(Value);
}

void TVazCustomCombo::WriteColor(TColor Value) { SetColor(Value); }

void TVazCustomCombo::WriteEnabled(bool Value) {
    const bool Changed = Enabled() != Value;
    TCustomComboBox::SetEnabled(Value);
    if (Loading() || Designing() || !Changed) return;
    if (FLabel && !FLabelAlwaysEnabled) {
        FLabel->SetEnabled(Value);
        UpdateLabel();
    }
}

void TVazCustomCombo::WriteVisible(bool Value) {
    TCustomComboBox::SetVisible(Value);
    if (FLabel) FLabel->SetVisible(Value);
}

void TVazCustomCombo::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    TCustomComboBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!ComponentState().Contains(csDestroying)) UpdateLabel();
}

void TVazCustomCombo::SelectItem(const String& Text) {
    const Integer Index = Items()->IndexOf(Text);
    if (Index >= 0) SetItemIndex(Index);
}

// ---- The label ----------------------------------------------------------------------------------------

String TVazCustomCombo::LabelCaption() const { return FLabel ? FLabel->Caption() : String(); }

void TVazCustomCombo::EnsureLabel() {
    if (FLabel) return;
    FLabel = Create<TLabel>(this);
    FLabel->SetParent(Parent());
    FLabel->SetFocusControl(this);
    FLabel->Font()->Assign(FLabelFont.get());
    FLabel->SetParentFont(ParentFont());
}

void TVazCustomCombo::SetLabelCaption(const String& Value) {
    EnsureLabel();
    FLabel->SetCaption(Value);
    UpdateLabel();
}

void TVazCustomCombo::SetLabelPosition(TLabelPosition Value) {
    FLabelPosition = Value;
    UpdateLabel();
}

void TVazCustomCombo::SetLabelMargin(Integer Value) {
    FLabelMargin = Value;
    UpdateLabel();
}

void TVazCustomCombo::SetLabelTransparent(bool Value) {
    FLabelTransparent = Value;
    UpdateLabel();
}

void TVazCustomCombo::SetLabelAlwaysEnabled(bool Value) {
    FLabelAlwaysEnabled = Value;
    UpdateLabel();
}

void TVazCustomCombo::LabelFontChanged(TObject*) {
    if (Designing() && !Loading()) SetParentFont(false);
    UpdateLabel();
}

void TVazCustomCombo::UpdateLabel() {
    if (!FLabel) return;
    if (FLabel->Parent() != Parent()) FLabel->SetParent(Parent());
    FLabel->SetTransparent(FLabelTransparent);
    if (!ParentFont()) FLabel->Font()->Assign(FLabelFont.get());

    // The caption's width as a single line, the accelerator marks hidden.
    TRect Measured{0, 0, 1000, 255};
    {
        TCanvas C;
        HDC DC = GetDC(nullptr);
        C.SetHandle(DC);
        C.Font()->Assign(FLabel->Font());
        DrawText(C.Handle(), FLabel->Caption(), Measured, DT_CALCRECT | DT_HIDEPREFIX);
        C.SetHandle(nullptr);
        ReleaseDC(nullptr, DC);
    }
    static_assert(lpRighBottom == 12, "the label positions follow the shared placement order");
    const TPoint At = LabelPlacement(FLabelPosition, BoundsRect(), {FLabel->Width(), FLabel->Height()},
                                     Measured.Width(), FLabelMargin);
    FLabel->SetBounds(At.X, At.Y, FLabel->Width(), FLabel->Height());
    FLabel->SetVisible(Visible());
}

void TVazCustomCombo::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomComboBox::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FLabel) FLabel = nullptr;
}

void TVazCustomCombo::Loaded() {
    TCustomComboBox::Loaded();
    if (FDropWidth > 0) SetDroppedWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!FFlatParentColor || FFlat) SetColor(FLoadedColor);
    if (FLabel) {
        if (!FLabelAlwaysEnabled) FLabel->SetEnabled(Enabled());
        if (ParentFont()) FLabel->Font()->Assign(Font());
    }
    UpdateLabel();
    Init();
}

// ---- Painting -----------------------------------------------------------------------------------------

void TVazCustomCombo::DrawControl() {
    if (!CustomDrawingNeeded() || !HandleAllocated() || !IsWindowVisible(Handle())) return;
    TWindowCanvas WC(Handle());
    DrawBorders(WC.Canvas());
    if (Style() != csSimple && !(FIsWinXP && Themed())) DrawButton(WC.Canvas());
}

void TVazCustomCombo::DrawBorders(TCanvas* C) {
    detail::TFlatBorderState S;
    S.Enabled = Enabled();
    S.Themed = Themed();
    S.DisabledBorder = FDisabledBorder;
    S.Focused = Focused();
    S.Border3D = Border3DWanted();
    S.BorderColor = FBorderColor;
    S.FocusBorderColor = FFocusBorderColor;
    S.ParentColor = Parent() ? Parent()->Brush()->Color() : clBtnFace;
    S.Color = Color();
    S.ButtonWidth = FButtonWidth;
    const bool FlatLook = !(!S.Enabled && S.Themed && !S.DisabledBorder) && S.BorderColor == clNone &&
                          S.FocusBorderColor == clNone;
    const TRect R = detail::DrawFlatBorders(C, {0, 0, Width(), Height()}, S);
    if (FlatLook && FFlat && FFlatLineColor != clNone) {
        C->Pen()->SetColor(FFlatLineColor);
        C->MoveTo(R.Left - 2, Height() - 1);
        C->LineTo(R.Right - FButtonWidth - 1, Height() - 1);
    }
}

void TVazCustomCombo::DrawButton(TCanvas* C) {
    const Integer CW = ClientWidth(), CH = ClientHeight();
    ExcludeClipRect(C->Handle(), CW - FButtonWidth + 4, 4, CW - 4, CH - 4);
    TRect R{CW - FButtonWidth - 2, 0, Width(), Height()};
    InflateRect(R, -2, -2);
    if (!Button3DWanted()) {
        R.Top += 1;
        R.Bottom -= 1;
        R.Right -= 1;
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(clBtnFace);
        C->FillRect(R);
    }
    ExcludeClipRect(C->Handle(), R.Left, R.Top, R.Right, R.Bottom);
}

void TVazCustomCombo::DrawButtonFace(TCanvas* C) {
    const Integer CW = ClientWidth(), CH = ClientHeight();
    TRect R{CW - FButtonWidth + 2, 0, Width(), Height()};
    InflateRect(R, -1, -1);
    const bool Down = MouseButtonDown();
    if (FButtonColor != clNone) {
        TColor Face = FButtonColor;
        if (FButtonHover) Face = Down && FButtonColorDown != clNone ? FButtonColorDown
                                 : FButtonColorHot != clNone    ? FButtonColorHot
                                                                : FButtonColor;
        R.Left -= 1;
        R.Top += 1;
        R.Bottom -= 1;
        R.Right -= 1;
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Face);
        C->Pen()->SetColor(Face);
        C->Rectangle(R);
        if (FButtonBorderColor != clNone) {
            C->Pen()->SetColor(FButtonBorderColor);
            C->MoveTo(R.Left, R.Top);
            C->LineTo(R.Left, R.Bottom);
        }
        TColor Arrow = Down && FButtonTextColorDown != clNone ? FButtonTextColorDown : FButtonTextColor;
        if (Arrow == clNone) Arrow = clBlack;
        C->Pen()->SetColor(Arrow);
        C->Brush()->SetColor(Arrow);
        C->Polygon({{R.Left + 4, R.Top + 7}, {R.Left + 10, R.Top + 7}, {R.Left + 7, R.Top + 10}});
    } else {
        // (The visual-style button would go here; styles are never active.)
        R.Left -= 4;
        R.Top += 1;
        R.Bottom -= 1;
        DrawFrameControl(C->Handle(), R, DFC_SCROLL,
                         DFCS_SCROLLCOMBOBOX | (Enabled() ? Cardinal(DFCS_FLAT) : Cardinal(DFCS_INACTIVE)));
    }
    ExcludeClipRect(C->Handle(), CW - FButtonWidth - 4, 0, CW + 2, CH);
}

// The platform combo paints its text and its own button in one pass, so the
// own button face is drawn over that button afterwards rather than before.
void TVazCustomCombo::Paint() {
    TCustomComboBox::Paint();
    if (!OwnButtonFace()) return;
    if (Style() != csSimple && !UseRightToLeftReading()) DrawButtonFace(Canvas());
    if (!UseRightToLeftReading()) DrawControl();
}

// ---- Mouse and focus ----------------------------------------------------------------------------------

void TVazCustomCombo::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomComboBox::MouseMove(Shift, X, Y);
    const bool Hover = X > Width() - FButtonWidth && X < Width();
    if (Hover != FButtonHover) {
        FButtonHover = Hover;
        Invalidate();
    }
}

void TVazCustomCombo::MouseEnter() {
    TCustomComboBox::MouseEnter();
    if (FMouseInControl || !Enabled()) return;
    FMouseInControl = true;
    DrawControl();
    if (FAutoFocus && !Designing()) {
        TCustomForm* Form = GetParentForm(this);
        if ((!Form || (Form->HandleAllocated() && Form->Handle() == GetActiveWindow())) && CanFocus())
            SetFocus();
    }
    if (FIsWinXP) Invalidate();
}

void TVazCustomCombo::MouseLeave() {
    TCustomComboBox::MouseLeave();
    if (FMouseInControl && Enabled()) {
        FMouseInControl = false;
        DrawControl();
    }
    FMouseInControl = false;
    FButtonHover = false;
    if (FIsWinXP) Invalidate();
}

void TVazCustomCombo::DoEnter() {
    if (!Designing()) {
        FHasFocus = true;
        DrawControl();
        if (FFocusColor != clNone) WriteColor(FFocusColor);
        if (FFocusLabel && FLabel) SetLabelBold(FLabel, true);
    }
    TCustomComboBox::DoEnter();
}

void TVazCustomCombo::DoExit() {
    if (!Designing()) {
        FHasFocus = false;
        DrawControl();
        if (FFocusColor != clNone && FNormalColor != clNone) WriteColor(FNormalColor);
        if (FLabel) SetLabelBold(FLabel, false);
    }
    TCustomComboBox::DoExit();
}

void TVazCustomCombo::HandleWMSetFocus() {
    if (FFocusBorderColor != clNone) RepaintFrame();
    if (FFocusColor != clNone) WriteColor(FFocusColor);
    if (FFocusLabel && FLabel) SetLabelBold(FLabel, true);
}

void TVazCustomCombo::HandleWMKillFocus() {
    if (FFocusColor != clNone && FNormalColor != clNone) WriteColor(FNormalColor);
    if (FLabel) SetLabelBold(FLabel, false);
    RepaintFrame();
}

// ---- Messages -----------------------------------------------------------------------------------------

void TVazCustomCombo::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_NCPAINT:
        TCustomComboBox::WndProc(Message);
        if (FFlat || (!Enabled() && Themed() && !FDisabledBorder)) DrawControl();
        if ((FFocusBorderColor != clNone && HandleAllocated() && GetFocus() == Handle()) ||
            FBorderColor != clNone)
            DrawControl();
        return;
    case WM_SETFOCUS:
        TCustomComboBox::WndProc(Message);
        HandleWMSetFocus();
        return;
    case WM_KILLFOCUS:
        TCustomComboBox::WndProc(Message);
        HandleWMKillFocus();
        return;
    case CM_COLORCHANGED:
        // The colour as streamed, and the colour to come back to after a
        // focus colour: every colour given while the combo is unfocused.
        if (Loading()) FLoadedColor = Color();
        if (!FHasFocus && !Focused()) FNormalColor = Color();
        break;
    case CM_ENABLEDCHANGED:
        if (FFlat && !Loading() && Enabled() != FWasEnabled) {
            if (!Enabled()) {
                FOldColor = Color();
                FOldParentColor = ParentColor();
                SetParentColor(true);
            } else {
                SetColor(FOldColor);
                SetParentColor(FOldParentColor);
            }
        }
        FWasEnabled = Enabled();
        break;
    case CM_FONTCHANGED:
    case CM_PARENTFONTCHANGED:
        TCustomComboBox::WndProc(Message);
        if (FLabel && ParentFont()) {
            FLabel->Font()->Assign(Font());
            UpdateLabel();
        }
        return;
    case CN_COMMAND: {
        TCustomComboBox::WndProc(Message);
        const Word Code = HIWORD(Message.WParam);
        if (Code == CBN_DROPDOWN || Code == CBN_CLOSEUP) {
            if (HandleAllocated()) {
                TRect Strip = ClientRect();
                Strip.Left = Strip.Right - FButtonWidth;
                InvalidateRect(Handle(), &Strip, false);
            }
            if (Code == CBN_CLOSEUP && OnDropUp) OnDropUp(this);
        }
        return;
    }
    default:
        break;
    }
    TCustomComboBox::WndProc(Message);
}
