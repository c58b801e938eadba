// The grid button: states, groups, colour schemes, painting and layout.

#include "gridbase/KelGridButton.h"

#include "graphics/GdiBlit.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "rtl/ClassBuilder.h"
#include "vcl/ControlMessages.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/Messages.h"

#include <cmath>

using namespace winapi;

namespace {

constexpr Integer DropDownWidth = 12;

struct TLook {
    TColor Color, ColorTo, ColorHot, ColorHotTo, ColorDown, ColorDownTo, ColorChecked, ColorCheckedTo, BorderDown,
        BorderHot;
};

constexpr TLook Looks[7] = {
    {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
    {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
    {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000},
    {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
    {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080},
};

Integer Channel(TColor C, Integer Shift) { return (C >> Shift) & 0xFF; }

// A filled rectangle, framed in Frame (in the fill colour when none).
void SolidBox(TCanvas* C, const TRect& R, TColor Fill, TColor Frame) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Fill);
    C->Pen()->SetColor(Frame == clNone ? Fill : Frame);
    C->Rectangle(R);
}

void Fill(TCanvas* C, const TRect& R, TColor From, TColor To, TColor Frame) {
    if (To == clNone)
        SolidBox(C, R, From, Frame);
    else
        DrawButtonGradient(C, From, To, false, R, 16, Frame);
}

} // namespace

void DrawButtonGradient(TCanvas* Canvas, TColor From, TColor To, bool Horizontal, const TRect& Rect, Integer Steps,
                        TColor Border) {
    if (Steps <= 0) Steps = 1;
    const TColor F = ColorToRGB(From), T = ColorToRGB(To);
    const Integer Span = Horizontal ? Rect.Width() : Rect.Height();
    const Integer Band = Integer(std::lround(Double(Span) / Steps)) + 1;
    Canvas->Brush()->SetStyle(bsSolid);
    for (Integer I = 0; I < Steps; ++I) {
        auto Mix = [&](Integer Shift) {
            const Integer A = Channel(F, Shift), B = Channel(T, Shift);
            return A + Integer(std::lround(Double(I) * (B - A) / Steps));
        };
        Canvas->Brush()->SetColor(Mix(0) | (Mix(8) << 8) | (Mix(16) << 16));
        const Integer Start = Integer(std::lround(Double(I) * Span / Steps));
        TRect Band_ = Horizontal ? TRect{Rect.Left + Start, Rect.Top, std::min(Rect.Left + Start + Band, Rect.Right),
                                         Rect.Bottom}
                                 : TRect{Rect.Left, Rect.Top + Start, Rect.Right,
                                         std::min(Rect.Top + Start + Band, Rect.Bottom)};
        Canvas->FillRect(Band_);
    }
    if (Border != clNone) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->Pen()->SetColor(Border);
        Canvas->Rectangle(Rect);
    }
}

// ---- TKelGridButton -----------------------------------------------------------------------------------

const TClassInfo& TKelGridButton::StaticClassInfo() {
    using C = TKelGridButton;
    static const TClassInfo Info = TClassBuilder<C, TGraphicControl>()
                                       .Property(u"Flat", &C::Flat, &C::SetFlat)
                                       .Default(true)
                                       .Property(u"Shaded", &C::Shaded, &C::SetShaded)
                                       .Default(true)
                                       .Property(u"ShowCaption", &C::ShowCaption, &C::SetShowCaption)
                                       .Default(true)
                                       .Property(u"Spacing", &C::Spacing, &C::SetSpacing)
                                       .Default(4)
                                       .Property(u"Margin", &C::Margin, &C::SetMargin)
                                       .Default(-1)
                                       .Property(u"Style", &C::Style, &C::SetStyle)
                                       .Default(tasButton)
                                       .Property(u"GroupIndex", &C::GroupIndex, &C::SetGroupIndex)
                                       .Default(0)
                                       .Property(u"Down", &C::Down, &C::SetDown)
                                       .Default(false)
                                       .Property(u"AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp)
                                       .Default(false)
                                       .Property(u"Rounded", &C::Rounded, &C::SetRounded)
                                       .Default(false)
                                       .Property(u"DropDownButton", &C::DropDownButton, &C::SetDropDownButton)
                                       .Default(false)
                                       .Property(u"AutoThemeAdapt", &C::AutoThemeAdapt, &C::SetAutoThemeAdapt)
                                       .Default(false)
                                       .Property(u"AutoXPStyle", &C::AutoXPStyle, &C::SetAutoXPStyle)
                                       .Default(false)
                                       .Property(u"OnDropDown", &C::OnDropDown,
                                                 [](auto& O, TNotifyEvent E) { O.OnDropDown = std::move(E); })
                                       .Build();
    return Info;
}

TKelGridButton::TKelGridButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FGlyphDisabled(std::make_unique<TBitmap>()),
      FGlyphHot(std::make_unique<TBitmap>()), FGlyphDown(std::make_unique<TBitmap>()),
      FGlyphShade(std::make_unique<TBitmap>()) {
    SetBounds(Left(), Top(), 22, 23);
    // It clicks itself (a press on the drop-down part is no click).
    SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks});
    SetColor(clBtnFace);
    SetParentFont(true);
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
}

TKelGridButton::~TKelGridButton() { FGlyph->OnChange = nullptr; }

void TKelGridButton::SetLayout(TButtonLayout Value) { SetAndInvalidate(FLayout, Value); }

void TKelGridButton::SetMargin(Integer Value) {
    if (Value < -1) return;
    SetAndInvalidate(FMargin, Value);
}

void TKelGridButton::SetStyle(TKelGridButtonStyle Value) {
    FStyle = Value;
    Invalidate();
}

void TKelGridButton::SetGroupIndex(Integer Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TKelGridButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TKelGridButton::SetDown(bool Value) {
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        Repaint();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp)) return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Repaint();
    }
}

void TKelGridButton::SetShaded(bool Value) {
    FShaded = Value;
    if (Value && !ComponentState().Contains(csLoading)) GenerateShade();
}

void TKelGridButton::SetAutoThemeAdapt(bool Value) {
    FAutoThemeAdapt = Value;
    if (Value) AdaptToTheme();
}

void TKelGridButton::SetDropDownMenu(TPopupMenu* Value) {
    if (FDropDownMenu == Value) return;
    if (FDropDownMenu) FDropDownMenu->RemoveFreeNotification(this);
    FDropDownMenu = Value;
    if (Value) Value->FreeNotification(this);
}

void TKelGridButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDropDownMenu) FDropDownMenu = nullptr;
}

void TKelGridButton::SetLook(Integer Value) {
    if (Value < 0 || Value > 6) return;
    FLook = Value;
    const TLook& L = Looks[Value];
    SetColor(L.Color);
    FColorTo = L.ColorTo;
    FColorHot = L.ColorHot;
    FColorHotTo = L.ColorHotTo;
    FColorDown = L.ColorDown;
    FColorDownTo = L.ColorDownTo;
    FColorChecked = L.ColorChecked;
    FColorCheckedTo = L.ColorCheckedTo;
    FBorderDownColor = L.BorderDown;
    FBorderHotColor = L.BorderHot;
    FBorderColor = clNone;
    FRounded = Value == 0;
    FFlat = true;
    Invalidate();
}

// The themes' colour scheme names ("NormalColor", "HomeStead", "Metallic")
// would pick 1 to 3; no theme is ever active here.
Integer TKelGridButton::ThemeLookIndex() { return 0; }

void TKelGridButton::AdaptToTheme() {
    switch (ThemeLookIndex()) {
    case 1: SetLook(2); break;
    case 2: SetLook(3); break;
    case 3: SetLook(4); break;
    default: SetLook(1); break;
    }
}

void TKelGridButton::SetGlyph(const TBitmap* Value) {
    FGlyph->Assign(Value);
    if (FGlyphDisabled->Empty() && !FGlyph->Empty()) {
        // Grey from the brightness: (round((R + G + B) / 3) div 2) + 96.
        FGlyphDisabled->Assign(FGlyph.get());
        TCanvas* C = FGlyphDisabled->Canvas();
        for (Integer Y = 0; Y < FGlyphDisabled->Height(); ++Y)
            for (Integer X = 0; X < FGlyphDisabled->Width(); ++X) {
                const TColor P = ColorToRGB(C->Pixels(X, Y));
                const Integer G = Integer(std::lround((Channel(P, 0) + Channel(P, 8) + Channel(P, 16)) / 3.0)) / 2 + 96;
                C->SetPixels(X, Y, G | (G << 8) | (G << 16));
            }
    }
    Invalidate();
}

// A grey silhouette of the glyph: every pixel that is not the glyph's
// transparent colour (its bottom-left pixel) becomes $808080.
void TKelGridButton::GenerateShade() {
    if (FGlyph->Empty()) return;
    const Integer W = FGlyph->Width(), H = FGlyph->Height();
    FGlyphShade->SetSize(W, H);
    TCanvas* Src = FGlyph->Canvas();
    TCanvas* Dst = FGlyphShade->Canvas();
    const TColor Transparent = Src->Pixels(0, H - 1);
    for (Integer Y = 0; Y < H; ++Y)
        for (Integer X = 0; X < W; ++X)
            Dst->SetPixels(X, Y, Src->Pixels(X, Y) == Transparent ? clBlack : TColor(0x808080));
    FGlyphShade->SetTransparentColor(clBlack);
    FGlyphShade->SetTransparent(true);
}

void TKelGridButton::Loaded() {
    TGraphicControl::Loaded();
    if (FShaded) GenerateShade();
    if (FAutoThemeAdapt) AdaptToTheme();
}

std::unique_ptr<TControlActionLink> TKelGridButton::CreateActionLink() {
    return std::make_unique<TKelGridButtonActionLink>(this);
}

// The message carries the sending button as a TObject; receivers check its
// type, so buttons of other kinds in the same parent never misread it.
void TKelGridButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    TMessage Message{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(static_cast<TObject*>(this)), 0};
    Parent()->Broadcast(Message);
}

void TKelGridButton::UpdateTracking() {
    if (!FFlat || !Enabled()) return;
    TPoint P;
    GetCursorPos(P);
    TControl* Under = FindDragTarget(P, true);
    if (Under == this)
        DoMouseEnter();
    else
        DoMouseLeave();
}

void TKelGridButton::DoMouseEnter() {
    if (FMouseInControl || !Enabled() || GetCaptureControl()) return;
    FMouseInControl = true;
    Repaint();
}

void TKelGridButton::DoMouseLeave() {
    if (!FMouseInControl || !Enabled() || FDragging) return;
    FMouseInControl = false;
    Invalidate();
}

void TKelGridButton::Click() { TGraphicControl::Click(); }

void TKelGridButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (FDropDownButton && X >= Width() - DropDownWidth) {
        FState = bsUp;
        if (OnDropDown) OnDropDown(this);
        if (FDropDownMenu) {
            const TPoint At = ClientToScreen({0, Height()});
            FDropDownMenu->Popup(At.X, At.Y);
        }
        return;
    }
    if (!FDown) {
        FState = bsDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        Repaint();
    }
    FDragging = true;
}

void TKelGridButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        const bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
        TButtonState NewState = FDown ? bsExclusive : bsUp;
        if (!FDown && Inside) NewState = bsDown;
        if (FStyle == tasCheck && FDown) NewState = bsDown;
        if (NewState != FState) {
            FState = NewState;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TKelGridButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging) return;
    FDragging = false;
    const bool Inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex == 0) {
        FState = bsUp;
        if (FStyle == tasCheck) {
            FDown = !FDown;
            FState = bsUp;
        }
        if (Inside) Invalidate();
    } else if (Inside) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = bsExclusive;
        Repaint();
    }
    if (Inside) Click();
    UpdateTracking();
}

void TKelGridButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_BUTTONPRESSED: {
        auto* Sender = dynamic_cast<TKelGridButton*>(reinterpret_cast<TObject*>(Message.LParam));
        if (!Sender || Sender == this || Integer(Message.WParam) != FGroupIndex) return;
        if (Sender->Down() && FDown) {
            FDown = false;
            FState = bsUp;
            if (auto* Link = dynamic_cast<TKelGridButtonActionLink*>(ActionLink()))
                if (auto* Action = dynamic_cast<TCustomAction*>(Link->Action())) Action->SetChecked(false);
            Invalidate();
        }
        FAllowAllUp = Sender->AllowAllUp();
        return;
    }
    case CM_MOUSEENTER:
        TGraphicControl::WndProc(Message);
        if (Message.LParam == 0 && !FMouseInControl && Enabled() && !GetCaptureControl()) {
            FMouseInControl = true;
            Repaint();
        }
        return;
    case CM_MOUSELEAVE:
        TGraphicControl::WndProc(Message);
        if (Message.LParam == 0 && FMouseInControl && Enabled() && !FDragging) {
            FMouseInControl = false;
            Invalidate();
        }
        return;
    case CM_ENABLEDCHANGED:
        TGraphicControl::WndProc(Message);
        UpdateTracking();
        Repaint();
        return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED:
    case CM_SYSCOLORCHANGE:
        TGraphicControl::WndProc(Message);
        Invalidate();
        return;
    case WM_LBUTTONDBLCLK:
        TGraphicControl::WndProc(Message);
        if (FDown && OnDblClick) OnDblClick(this);
        return;
    case CM_DIALOGCHAR:
        if (IsAccel(Word(Message.WParam), Caption()) && Enabled() && Visible() && Parent() && Parent()->Showing()) {
            Click();
            Message.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TGraphicControl::WndProc(Message);
}

// ---- Painting -----------------------------------------------------------------------------------------

void TKelGridButton::CalcButtonLayout(const TRect& Client, TPoint& GlyphPos, TRect& TextBounds) {
    TButtonLayout Layout = FLayout;
    if (UseRightToLeftReading()) {
        if (Layout == blGlyphLeft)
            Layout = blGlyphRight;
        else if (Layout == blGlyphRight)
            Layout = blGlyphLeft;
    }
    const String Text = FShowCaption ? Caption() : String();
    TSize TextSize{0, 0};
    if (!Text.empty()) {
        TRect R{0, 0, Client.Width(), 0};
        Canvas()->Font()->Assign(Font());
        DrawText(Canvas()->Handle(), Text, R, DT_CALCRECT | DT_SINGLELINE);
        TextSize = {R.Width(), R.Height()};
    }
    const TSize GlyphSize{FGlyph->Empty() ? 0 : FGlyph->Width(), FGlyph->Empty() ? 0 : FGlyph->Height()};
    const bool Horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    const Integer ClientSize = Horizontal ? Client.Width() : Client.Height();
    const Integer GlyphMain = Horizontal ? GlyphSize.cx : GlyphSize.cy;
    const Integer TextMain = Horizontal ? TextSize.cx : TextSize.cy;
    Integer Spacing = FSpacing, Margin = FMargin;
    if (Text.empty() || GlyphMain == 0) Spacing = 0;
    const Integer Free = ClientSize - GlyphMain - TextMain;
    if (Margin == -1) {
        if (Spacing == -1)
            Margin = Spacing = Free / 3;
        else
            Margin = (Free - Spacing + 1) / 2;
    } else if (Spacing == -1) {
        Spacing = (Free - Margin) / 2;
    }
    // Centred across.
    GlyphPos = {(Client.Width() - GlyphSize.cx + 1) / 2, (Client.Height() - GlyphSize.cy + 1) / 2};
    TPoint TextPos{(Client.Width() - TextSize.cx + 1) / 2, (Client.Height() - TextSize.cy + 1) / 2};
    switch (Layout) {
    case blGlyphLeft:
        GlyphPos.X = Margin;
        TextPos.X = GlyphPos.X + GlyphSize.cx + Spacing;
        break;
    case blGlyphRight:
        GlyphPos.X = Client.Width() - Margin - GlyphSize.cx;
        TextPos.X = GlyphPos.X - Spacing - TextSize.cx;
        break;
    case blGlyphTop:
        GlyphPos.Y = Margin;
        TextPos.Y = GlyphPos.Y + GlyphSize.cy + Spacing;
        break;
    case blGlyphBottom:
        GlyphPos.Y = Client.Height() - Margin - GlyphSize.cy;
        TextPos.Y = GlyphPos.Y - Spacing - TextSize.cy;
        break;
    }
    if (Text.empty()) GlyphPos = {(Client.Width() - GlyphSize.cx) / 2, (Client.Height() - GlyphSize.cy) / 2};
    GlyphPos.X += Client.Left;
    GlyphPos.Y += Client.Top;
    TextBounds = {TextPos.X + Client.Left, TextPos.Y + Client.Top, TextPos.X + Client.Left + TextSize.cx,
                  TextPos.Y + Client.Top + TextSize.cy};
}

void TKelGridButton::DrawContent(TCanvas* C, TRect R, bool Hot, bool Pressed) {
    TPoint GlyphPos;
    TRect TextBounds;
    CalcButtonLayout(R, GlyphPos, TextBounds);
    TBitmap* G = FGlyph.get();
    if (Hot && !Pressed && !Designing() && !FGlyphHot->Empty()) G = FGlyphHot.get();
    if (Pressed && !FGlyphDown->Empty()) G = FGlyphDown.get();
    if (!Enabled() && !FGlyphDisabled->Empty()) G = FGlyphDisabled.get();
    if (!G->Empty()) {
        if (Hot && FShaded && Enabled() && FState != bsDown && !FGlyphShade->Empty()) {
            const Integer Off = Caption().empty() || !FShowCaption ? 0 : 2;
            C->Draw(GlyphPos.X + Off, GlyphPos.Y + Off, FGlyphShade.get());
        }
        G->SetTransparent(true);
        C->Draw(GlyphPos.X, GlyphPos.Y, G);
    }
    if (!FShowCaption || Caption().empty()) return;
    if (Hot && FShaded && FFlat) OffsetRect(TextBounds, 1, 1);
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    if (!Enabled()) {
        TRect Shadow = TextBounds;
        OffsetRect(Shadow, 1, 1);
        C->Font()->SetColor(clBtnHighlight);
        DrawText(C->Handle(), Caption(), Shadow, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        C->Font()->SetColor(clBtnShadow);
    }
    DrawText(C->Handle(), Caption(), TextBounds, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TKelGridButton::Paint() {
    TCanvas* C = Canvas();
    if (Enabled() && FState == bsDisabled) FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    }
    TButtonState PaintState = FState;
    if (FStyle == tasCheck && FDown) PaintState = bsDown;
    const bool Hot = FMouseInControl && Enabled() && !Designing();
    const bool CheckedDown = FStyle == tasCheck && FDown;
    TRect R = ClientRect();
    if (FFlat) {
        if (FBorderDownColor == clNone || FRounded) InflateRect(R, -1, -1);
        if (!Hot) {
            if (CheckedDown) {
                Fill(C, R, FColorChecked, FColorCheckedTo, FBorderDownColor);
            } else {
                const TColor Frame = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
                Fill(C, R, Color(), FColorTo, Frame);
            }
            if (FBorderColor != clNone) {
                C->Brush()->SetStyle(bsClear);
                C->Pen()->SetColor(FBorderColor);
                if (FRounded)
                    C->RoundRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1, 8, 8);
                else
                    C->Rectangle(R);
            }
        } else {
            TColor From = FColorHot, To = FColorHotTo, Frame = FBorderHotColor;
            if (PaintState == bsDown && !(CheckedDown && FState != bsDown)) {
                From = FColorDown;
                To = FColorDownTo;
                Frame = FBorderDownColor;
            }
            if (CheckedDown && FState != bsDown) {
                From = FColorChecked;
                To = FColorCheckedTo;
                Frame = FBorderDownColor;
            }
            Fill(C, R, From, To, FRounded ? clNone : Frame);
            if (FRounded && Frame != clNone) {
                C->Brush()->SetStyle(bsClear);
                C->Pen()->SetColor(Frame);
                C->RoundRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1, 8, 8);
            }
            if (FDropDownButton && Frame != clNone) {
                C->Pen()->SetColor(Frame);
                C->MoveTo(R.Right - DropDownWidth, R.Top);
                C->LineTo(R.Right - DropDownWidth, R.Bottom);
            }
        }
        InflateRect(R, -1, -1);
    } else {
        // (Styled and themed push buttons would come first; neither is ever
        // active on this platform.)
        DrawFrameControl(C->Handle(), R, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT |
                             (PaintState == bsDown || PaintState == bsExclusive ? Cardinal(DFCS_PUSHED) : 0u));
    }
    if (FState == bsExclusive && !(FFlat && Hot)) {
        TRect E = R;
        InflateRect(E, 1, 1);
        Fill(C, E, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor);
    }
    const bool Pressed = PaintState == bsDown;
    if (Pressed && !FFlat) OffsetRect(R, 1, 1);
    if (Hot && FShaded && FFlat && !Pressed) OffsetRect(R, -1, -1);
    if (FDropDownButton) {
        const Integer Mid = Height() / 2;
        C->Pen()->SetColor(Font()->Color());
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Font()->Color());
        C->Polygon({{Width() - 8, Mid - 1}, {Width() - 4, Mid - 1}, {Width() - 6, Mid + 1}});
        R.Right -= DropDownWidth;
    }
    DrawContent(C, R, Hot, Pressed || (FGroupIndex != 0 && FDown));
}

// ---- TKelGridButtonActionLink -------------------------------------------------------------------------

const TClassInfo& TKelGridButtonActionLink::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelGridButtonActionLink, TControlActionLink>().Build();
    return Info;
}

bool TKelGridButtonActionLink::IsCaptionLinked() const {
    return TControlActionLink::IsCaptionLinked() && CustomAction() &&
           FClient->Caption() == CustomAction()->Caption();
}

bool TKelGridButtonActionLink::IsCheckedLinked() const {
    return TControlActionLink::IsCheckedLinked() && FClient->GroupIndex() != 0 && FClient->AllowAllUp() &&
           CustomAction() && FClient->Down() == CustomAction()->Checked();
}

bool TKelGridButtonActionLink::IsGroupIndexLinked() const {
    return CustomAction() && FClient->GroupIndex() == CustomAction()->GroupIndex();
}

void TKelGridButtonActionLink::SetChecked(bool Value) {
    if (IsCheckedLinked()) FClient->SetDown(Value);
}

void TKelGridButtonActionLink::SetGroupIndex(Integer Value) {
    if (IsGroupIndexLinked()) FClient->SetGroupIndex(Value);
}
