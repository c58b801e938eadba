// Speed buttons and bitmap buttons.

#include "vcl/Buttons.h"

#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "graphics/Rect.h"
#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"

using namespace winapi;

const TClassInfo& TSpeedButton::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TSpeedButton, TGraphicControl>()
            .Property(u"AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
            .Default(false)
            .Property(u"Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
            .Default(false)
            .Property(u"Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
            .Default(false)
            .Property(u"GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
            .Default(0)
            .Property(u"ImageIndex", &TSpeedButton::ImageIndex, &TSpeedButton::SetImageIndex)
            .Default(-1)
            .Property(u"Images", &TSpeedButton::Images, &TSpeedButton::SetImages)
            .Property(u"Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout)
            .Default(blGlyphLeft)
            .Property(u"Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
            .Default(-1)
            .Property(u"NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
            .Default(1)
            .Property(u"Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
            .Default(4)
            .Property(u"Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent)
            .Default(true)
            .Build();
    return Info;
}
const TClassInfo& TBitBtn::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TBitBtn, TButton>()
                                       .Property(u"ImageIndex", &TBitBtn::ImageIndex, &TBitBtn::SetImageIndex)
                                       .Default(-1)
                                       .Property(u"Images", &TBitBtn::Images, &TBitBtn::SetImages)
                                       .Property(u"Kind", &TBitBtn::Kind, &TBitBtn::SetKind)
                                       .Default(bkCustom)
                                       .Property(u"Layout", &TBitBtn::Layout, &TBitBtn::SetLayout)
                                       .Default(blGlyphLeft)
                                       .Property(u"Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
                                       .Default(-1)
                                       .Property(u"NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
                                       .Default(1)
                                       .Property(u"Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)
                                       .Default(4)
                                       .Build();
    return Info;
}

// ---- TSpeedButton ----

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
    SetBounds(0, 0, 23, 22);
    FGlyph.OnChange = [this] { Invalidate(); };
}

TSpeedButton::~TSpeedButton() = default;

TButtonState TSpeedButton::RestingState() const {
    if (!Enabled()) return bsDisabled;
    return FDown ? bsExclusive : bsUp;
}

void TSpeedButton::SetState(TButtonState Value) {
    if (FState == Value) return;
    FState = Value;
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
    if (FGroupIndex == 0) Value = false;
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return; // the group keeps one button down
    FDown = Value;
    SetState(RestingState());
    if (Value) UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(Integer Value) {
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (Value == 0 && FDown) {
        FDown = false;
        SetState(RestingState());
    }
    UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    // The sender travels as an object: buttons of other kinds that answer
    // the same message check its type before they read it.
    TMessage Message{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(static_cast<TObject*>(this)), 0};
    Parent()->Broadcast(Message);
}

void TSpeedButton::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
    if (Transparent() == Value) return;
    if (Value)
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
    else
        SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    Invalidate();
}

void TSpeedButton::SetImages(TCustomImageList* Value) {
    if (FGlyph.Images == Value) return;
    if (FGlyph.Images) FGlyph.Images->RemoveFreeNotification(this);
    FGlyph.Images = Value;
    if (Value) Value->FreeNotification(this);
    Invalidate();
}

void TSpeedButton::SetImageIndex(Integer Value) {
    if (FGlyph.ImageIndex == Value) return;
    FGlyph.ImageIndex = Value;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TSpeedButton::SetMargin(Integer Value) {
    if (FMargin == Value || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TSpeedButton::SetSpacing(Integer Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TSpeedButton::SetPaintUp(bool Value) {
    if (FPaintUp == Value) return;
    FPaintUp = Value;
    Invalidate();
}

void TSpeedButton::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGlyph.Images) {
        FGlyph.Images = nullptr;
        Invalidate();
    }
}

void TSpeedButton::Click() {
    TGraphicControl::Click();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    if (!FDown) SetState(bsDown);
    FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) return;
    // The button looks pressed only while the mouse holding it is over it.
    bool Inside = PtInRect(ClientRect(), {X, Y});
    SetState(Inside && !FDown ? bsDown : RestingState());
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging || Button != mbLeft) return;
    FDragging = false;
    bool Inside = PtInRect(ClientRect(), {X, Y});
    if (Inside && FGroupIndex != 0) SetDown(!FDown);
    SetState(RestingState());
    if (Inside) Click();
}

void TSpeedButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_BUTTONPRESSED: {
        // Only speed buttons share a group with speed buttons.
        auto* Sender = dynamic_cast<TSpeedButton*>(reinterpret_cast<TObject*>(Message.LParam));
        if (!Sender || Sender == this || Integer(Message.WParam) != FGroupIndex) break;
        if (Sender->Down() && FDown) {
            FDown = false;
            SetState(RestingState());
        }
        FAllowAllUp = Sender->AllowAllUp();
        return;
    }
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TGraphicControl::WndProc(Message);
        if (Message.LParam == 0) {
            FMouseInControl = Message.Msg == CM_MOUSEENTER;
            if (FFlat && Enabled()) Invalidate();
        }
        return;
    case CM_ENABLEDCHANGED:
        TGraphicControl::WndProc(Message);
        SetState(RestingState());
        Invalidate();
        return;
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
        TGraphicControl::WndProc(Message);
        Invalidate();
        return;
    case CM_DIALOGCHAR:
        // The caption's accelerator clicks the button.
        if (Enabled() && Visible() && IsAccel(Word(Message.WParam), Caption())) {
            if (FGroupIndex != 0) SetDown(!FDown);
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

void TSpeedButton::Paint() {
    TRect Face = ClientRect();
    TCanvas* C = Canvas();
    TButtonState Shown = FPaintUp && (FState == bsDown || FState == bsExclusive) ? bsUp : FState;
    bool Pushed = Shown == bsDown || Shown == bsExclusive;
    if (FFlat) {
        if (!Transparent()) {
            C->Brush()->SetColor(Color());
            C->FillRect(Face);
        }
        if (Pushed || (FMouseInControl && Enabled())) {
            TRect Edge = Face;
            DrawEdge(C->Handle(), Edge, Pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
    } else {
        TRect Edge = Face;
        DrawFrameControl(C->Handle(), Edge, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (Pushed ? Cardinal(DFCS_PUSHED) : 0u));
        if (Shown == bsExclusive) {
            // A button staying down shows a lighter face.
            C->Brush()->SetColor(cl3DLight);
            C->FillRect(Edge);
        }
    }
    TPoint Offset = Pushed ? TPoint{1, 1} : TPoint{0, 0};
    TRect Inside = Face;
    InflateRect(Inside, -1, -1);
    FGlyph.Draw(C, Inside, Offset, Caption(), FLayout, FMargin, FSpacing, Shown, Font());
}

// ---- TBitBtn ----

namespace {

struct TKindLook {
    const char16_t* Caption;
    TModalResult Result;
};
constexpr TKindLook KindLooks[] = {
    {u"", mrNone},         {u"OK", mrOk},           {u"Cancel", mrCancel}, {u"&Help", mrNone},
    {u"&Yes", mrYes},      {u"&No", mrNo},          {u"&Close", mrNone},   {u"Abort", mrAbort},
    {u"&Retry", mrRetry},  {u"&Ignore", mrIgnore},  {u"&All", mrAll},
};

// The glyph of a kind: a mark drawn on an olive ground (the transparent colour).
std::unique_ptr<TBitmap> KindGlyph(TBitBtnKind Kind) {
    auto Glyph = std::make_unique<TBitmap>();
    Glyph->SetSize(18, 18);
    TCanvas* C = Glyph->Canvas();
    C->Brush()->SetColor(clOlive);
    C->FillRect({0, 0, 18, 18});
    C->Pen()->SetWidth(2);
    auto Line = [&](TColor Color, std::vector<TPoint> Points) {
        C->Pen()->SetColor(Color);
        C->Polyline(Points);
    };
    switch (Kind) {
    case bkOK:
    case bkYes:
    case bkAll:
        Line(clGreen, {{3, 9}, {7, 13}, {15, 4}});
        break;
    case bkCancel:
    case bkNo:
    case bkAbort:
        Line(clRed, {{4, 4}, {14, 14}});
        Line(clRed, {{14, 4}, {4, 14}});
        break;
    case bkRetry:
        Line(clGreen, {{4, 13}, {4, 5}, {13, 5}, {13, 13}, {9, 13}});
        break;
    case bkIgnore:
        Line(clNavy, {{3, 9}, {15, 9}});
        break;
    case bkClose:
        Line(clMaroon, {{5, 3}, {5, 15}, {13, 15}, {13, 3}, {5, 3}});
        break;
    case bkHelp:
        Line(clNavy, {{5, 6}, {7, 3}, {11, 3}, {13, 6}, {9, 10}, {9, 12}});
        Line(clNavy, {{9, 14}, {9, 16}});
        break;
    case bkCustom:
        return nullptr;
    }
    return Glyph;
}

} // namespace

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
    FGlyph.OnChange = [this] {
        if (!FSettingKind) FKind = bkCustom;
        Invalidate();
    };
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetKind(TBitBtnKind Value) {
    if (FKind == Value) return;
    FSettingKind = true;
    FKind = Value;
    if (Value != bkCustom) {
        const TKindLook& Look = KindLooks[Value];
        SetCaption(Look.Caption);
        SetModalResult(Look.Result);
        SetDefault(Value == bkOK || Value == bkYes);
        SetCancel(Value == bkCancel || Value == bkNo);
        std::unique_ptr<TBitmap> Glyph = KindGlyph(Value);
        FGlyph.SetGlyph(Glyph.get());
        FGlyph.SetNumGlyphs(1);
    }
    FSettingKind = false;
    Invalidate();
}

void TBitBtn::SetGlyph(const TBitmap* Value) {
    FGlyph.SetGlyph(Value);
}

void TBitBtn::SetImages(TCustomImageList* Value) {
    if (FGlyph.Images == Value) return;
    if (FGlyph.Images) FGlyph.Images->RemoveFreeNotification(this);
    FGlyph.Images = Value;
    if (Value) Value->FreeNotification(this);
    Invalidate();
}

void TBitBtn::SetImageIndex(Integer Value) {
    if (FGlyph.ImageIndex == Value) return;
    FGlyph.ImageIndex = Value;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TBitBtn::SetMargin(Integer Value) {
    if (FMargin == Value || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TBitBtn::SetSpacing(Integer Value) {
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TBitBtn::Notification(TComponent* AComponent, TOperation Operation) {
    TButton::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FGlyph.Images) {
        FGlyph.Images = nullptr;
        Invalidate();
    }
}

void TBitBtn::Paint() {
    TRect Rect = ClientRect();
    TCanvas* C = Canvas();
    if (AnswersEnter() && Enabled()) {
        C->Brush()->SetColor(clWindowFrame);
        C->FrameRect(Rect);
        InflateRect(Rect, -1, -1);
    }
    DrawFrameControl(C->Handle(), Rect, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (Pressed() ? Cardinal(DFCS_PUSHED) : 0u) |
                         (Enabled() ? 0u : Cardinal(DFCS_INACTIVE)));
    TRect Inside = ClientRect();
    InflateRect(Inside, -2, -2);
    TButtonState State = !Enabled() ? bsDisabled : Pressed() ? bsDown : bsUp;
    FGlyph.Draw(C, Inside, Pressed() ? TPoint{1, 1} : TPoint{0, 0}, Caption(), FLayout, FMargin, FSpacing, State,
                Font());
    if (Focused()) {
        TRect Focus = ClientRect();
        InflateRect(Focus, -4, -4);
        C->DrawFocusRect(Focus);
    }
}
