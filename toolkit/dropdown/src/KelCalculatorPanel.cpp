// The calculator's key panel: keys, their colours, the glossy key face, the
// layout of the 28 calculator keys, painting and the mouse.

#include "dropdown/KelCalculatorDropdown.h"

#include "graphics/GdiPlusBrush.h"
#include "graphics/GdiPlusGraphics.h"
#include "rtl/ClassBuilder.h"
#include "vcl/ControlMessages.h"
#include "windowing/Paint.h"

using namespace winapi;

// ---- TCalcButtonItem ----

const TClassInfo& TCalcButtonItem::StaticClassInfo() {
    using C = TCalcButtonItem;
    static const TClassInfo Info = TClassBuilder<C, TCollectionItem>()
                                       .Property(u"Caption", &C::Caption, &C::SetCaption)
                                       .Property(u"CaptionColor", TypeInfo_TColor(), &C::CaptionColor,
                                                 &C::SetCaptionColor)
                                       .Default(0xFFFFFF)
                                       .Property(u"ImageIndex", &C::ImageIndex, &C::SetImageIndex)
                                       .Default(-1)
                                       .Property(u"Image", &C::Image, &C::SetImage)
                                       .Property(u"Tag", &C::Tag, &C::SetTag)
                                       .Default(0)
                                       .Build();
    return Info;
}

TCalcButtonItem::TCalcButtonItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TCalcButtonItem::~TCalcButtonItem() = default;

void TCalcButtonItem::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TCalcButtonItem*>(Source);
    if (!Other) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = Other->FCaption;
    FCaptionColor = Other->FCaptionColor;
    FTag = Other->FTag;
    FImageIndex = Other->FImageIndex;
    FImage->Assign(Other->FImage.get());
    FEnabled = Other->FEnabled;
    FName = Other->FName;
}

const TClassInfo& TCalcButtonItems::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCalcButtonItems, TOwnedCollection>().Build();
    return Info;
}

TCalcButtonItems::TCalcButtonItems(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TCalcButtonItem::StaticClassInfo()) {}

// ---- TButtonAppearance ----

const TClassInfo& TButtonAppearance::StaticClassInfo() {
    using C = TButtonAppearance;
    static const TClassInfo Info =
        TClassBuilder<C, TPersistent>()
            .Property(u"BorderColor", TypeInfo_TColor(), &C::BorderColor, &C::SetBorderColor)
            .Default(0)
            .Property(u"BorderColorHot", TypeInfo_TColor(), &C::BorderColorHot, &C::SetBorderColorHot)
            .Default(0)
            .Property(u"BorderColorDown", TypeInfo_TColor(), &C::BorderColorDown, &C::SetBorderColorDown)
            .Default(0)
            .Property(u"Color", TypeInfo_TColor(), &C::Color, &C::SetColor)
            .Default(0x9A915F)
            .Property(u"ColorTo", TypeInfo_TColor(), &C::ColorTo, &C::SetColorTo)
            .Default(0xB0A170)
            .Property(u"ColorDown", TypeInfo_TColor(), &C::ColorDown, &C::SetColorDown)
            .Default(0x4B2F08)
            .Property(u"ColorDownTo", TypeInfo_TColor(), &C::ColorDownTo, &C::SetColorDownTo)
            .Default(0xADB514)
            .Property(u"ColorHot", TypeInfo_TColor(), &C::ColorHot, &C::SetColorHot)
            .Default(0x9F6F1C)
            .Property(u"ColorHotTo", TypeInfo_TColor(), &C::ColorHotTo, &C::SetColorHotTo)
            .Default(0xD5C244)
            .Property(u"Font", &C::Font, &C::SetFont)
            .Property(u"GlowColorHot", TypeInfo_TColor(), &C::GlowColorHot, &C::SetGlowColorHot)
            .Default(0xD5C244)
            .Property(u"GlowColorDown", TypeInfo_TColor(), &C::GlowColorDown, &C::SetGlowColorDown)
            .Default(0xD5C244)
            .Property(u"ShineColor", TypeInfo_TColor(), &C::ShineColor, &C::SetShineColor)
            .Default(0xFFFFFF)
            .Property(u"TextColor", TypeInfo_TColor(), &C::TextColor, &C::SetTextColor)
            .Default(0)
            .Property(u"SpecialTextColor", TypeInfo_TColor(), &C::SpecialTextColor, &C::SetSpecialTextColor)
            .Default(0x000080)
            .Build();
    return Info;
}

TButtonAppearance::TButtonAppearance() : FFont(std::make_unique<TFont>()) {
    FColorChecked = DarkenColor(0xF5F0E1, -10, -10, 0);
    FColorCheckedTo = DarkenColor(0xF9D2B2, -10, -10, 0);
    FColorDisabled = DarkenColor(0xFFFFFF, -5, -5, -5);
    FColorDisabledTo = FColorDisabled;
    FFont->SetSize(10);
    FFont->SetStyle(TFontStyles{fsBold});
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::SetColorField(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
}

void TButtonAppearance::Assign(const TPersistent* Source) {
    const auto* Other = dynamic_cast<const TButtonAppearance*>(Source);
    if (!Other) {
        TPersistent::Assign(Source);
        return;
    }
    FBorderColor = Other->FBorderColor;
    FBorderColorHot = Other->FBorderColorHot;
    FBorderColorDown = Other->FBorderColorDown;
    FBorderColorChecked = Other->FBorderColorChecked;
    FColor = Other->FColor;
    FColorTo = Other->FColorTo;
    FColorDown = Other->FColorDown;
    FColorDownTo = Other->FColorDownTo;
    FColorHot = Other->FColorHot;
    FColorHotTo = Other->FColorHotTo;
    FColorCheckedTo = Other->FColorCheckedTo;
    FColorDisabled = Other->FColorDisabled;
    FColorDisabledTo = Other->FColorDisabledTo;
    FColorChecked = Other->FColorChecked;
    FShineColor = Other->FShineColor;
    FGlowColorHot = Other->FGlowColorHot;
    FGlowColorDown = Other->FGlowColorDown;
    FTextColor = Other->FTextColor;
    FSpecialTextColor = Other->FSpecialTextColor;
    FFont->Assign(Other->FFont.get());
    if (OnChange) OnChange(this);
}

// ---- The glossy key face ----

namespace {

ARGB Opaque(TColor Color, Byte Alpha = 255) {
    return ColorToARGB(Alpha, ColorToRGB(Color));
}

void FillGradient(TGPGraphics& G, const TGPRect& Span, const TGPRect& Fill, ARGB From, ARGB To,
                  LinearGradientMode Mode) {
    if (Span.Width <= 0 || Span.Height <= 0 || Fill.Width <= 0 || Fill.Height <= 0) return;
    TGPLinearGradientBrush Brush(Span, From, To, Mode);
    G.FillRectangle(&Brush, Fill);
}

// A halo strip from the key side (alpha 130) to nothing; Near says which
// corner of the rectangle touches the key.
void FillHalo(TGPGraphics& G, TColor Glow, Integer X1, Integer Y1, Integer X2, Integer Y2, LinearGradientMode Mode,
              bool NearIsStart) {
    const TGPRect R{X1, Y1, X2 - X1, Y2 - Y1};
    const ARGB Solid = Opaque(Glow, 130), Clear = Opaque(Glow, 0);
    FillGradient(G, R, R, NearIsStart ? Solid : Clear, NearIsStart ? Clear : Solid, Mode);
}

} // namespace

void DrawGlossyButton(TCanvas* Canvas, const TRect& R, TColor BorderColor, TColor InnerLineColor,
                      TColor FaceColor, TColor FaceColorTo, TColor GlowColor, TColor ShineColor) {
    if (!Canvas) return;
    TGPGraphics G(Canvas->Handle());
    G.SetSmoothingMode(SmoothingModeAntiAlias);
    const Integer L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    const Integer W = Rt - L;
    const Integer Mid = T + (B - T) / 2;

    FillGradient(G, {L, Mid, W - 1, B - Mid}, {L, Mid, W - 1, B - Mid - 1}, Opaque(FaceColor), Opaque(FaceColorTo),
                 LinearGradientModeVertical);
    if (W - 1 > 0 && Mid - T > 0) {
        TGPSolidBrush Face(Opaque(FaceColor));
        G.FillRectangle(&Face, L, T, W - 1, Mid - T);
    }
    if (ShineColor != clNone) {
        const TGPRect Upper{L, T, W - 1, Mid - T};
        FillGradient(G, Upper, Upper, Opaque(ShineColor, 160), Opaque(ShineColor, 90), LinearGradientModeVertical);
    }
    TGPPen White(Opaque(clWhite));
    G.DrawLine(&White, L, T + 1, Rt, T + 1);
    TGPPen Inner(Opaque(InnerLineColor));
    const TGPPoint Line[] = {{L + 1, T + 2}, {L + 1, B - 2}, {Rt - 1, B - 2}, {Rt - 1, T + 1}};
    G.DrawLines(&Inner, Line, 4);
    if (BorderColor != clNone) {
        TGPPen Border(Opaque(BorderColor));
        G.DrawRectangle(&Border, L, T, W, B - T - 1);
    }
    if (GlowColor == clNone) return;
    TGPPen GlowBorder(Opaque(GlowColor, 100));
    G.DrawRectangle(&GlowBorder, L, T, W, B - T - 1);
    FillHalo(G, GlowColor, L - 8, T, L, B, LinearGradientModeHorizontal, false);
    FillHalo(G, GlowColor, Rt - 1, T, Rt + 8, B, LinearGradientModeHorizontal, true);
    FillHalo(G, GlowColor, L, T - 8, Rt, T, LinearGradientModeVertical, false);
    FillHalo(G, GlowColor, L, B - 1, Rt, B + 7, LinearGradientModeVertical, true);
    FillHalo(G, GlowColor, L - 6, T - 6, L, T, LinearGradientModeForwardDiagonal, false);
    FillHalo(G, GlowColor, Rt, B, Rt + 5, B + 5, LinearGradientModeForwardDiagonal, true);
    // Backward diagonal runs from the top-right corner to the bottom-left one.
    FillHalo(G, GlowColor, Rt, T - 6, Rt + 5, T, LinearGradientModeBackwardDiagonal, false);
    FillHalo(G, GlowColor, L - 6, B - 1, L, B + 5, LinearGradientModeBackwardDiagonal, true);
}

// ---- TCustomButtonPanel ----

namespace {

struct TKeyRow {
    const char16_t* Caption;
    const char16_t* Name;
    Integer Tag;
    bool Special;
    Integer Row, Column;
};

// The calculator keys in collection order; row 0, columns 2-6 hold Back,
// CE and C in thirds (column 0 marks them).
constexpr TKeyRow CalculatorKeys[28] = {
    {u"", u"BTN_ON", 30, false, 0, 1},       {u"Back", u"BTN_BACK", 31, true, 0, 0},
    {u"CE", u"BTN_CE", 32, true, 0, 0},      {u"C", u"BTN_C", 16, true, 0, 0},
    {u"MC", u"BTN_MC", 33, true, 1, 1},      {u"MR", u"BTN_MR", 34, true, 2, 1},
    {u"MS", u"BTN_MS", 35, true, 3, 1},      {u"M+", u"BTN_M+", 36, true, 4, 1},
    {u"0", u"BTN_0", 0, false, 4, 2},        {u"1", u"BTN_1", 1, false, 3, 2},
    {u"4", u"BTN_4", 4, false, 2, 2},        {u"7", u"BTN_7", 7, false, 1, 2},
    {u"8", u"BTN_8", 8, false, 1, 3},        {u"5", u"BTN_5", 5, false, 2, 3},
    {u"2", u"BTN_2", 2, false, 3, 3},        {u"+/-", u"BTN_+/-", 14, false, 4, 3},
    {u".", u"BTN_.", 15, false, 4, 4},       {u"3", u"BTN_3", 3, false, 3, 4},
    {u"6", u"BTN_6", 6, false, 2, 4},        {u"9", u"BTN_9", 9, false, 1, 4},
    {u"/", u"BTN_/", 13, true, 1, 5},        {u"*", u"BTN_*", 12, true, 2, 5},
    {u"-", u"BTN_-", 11, true, 3, 5},        {u"+", u"BTN_+", 10, true, 4, 5},
    {u"=", u"BTN_=", 17, true, 4, 6},        {u"1/x", u"BTN_1/x", 38, false, 3, 6},
    {u"%", u"BTN_%", 18, false, 2, 6},       {u"sqrt", u"BTN_sqrt", 37, true, 1, 6},
};

} // namespace

const TClassInfo& TCustomButtonPanel::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomButtonPanel, TCustomControl>().Build();
    return Info;
}

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner), FButtons(std::make_unique<TCalcButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>()) {
    SetDoubleBuffered(true);
    FButtons->OnChange = [this](TObject* Sender) { Changed(Sender); };
    FButtonAppearance->OnChange = [this](TObject* Sender) { Changed(Sender); };
}

TCustomButtonPanel::~TCustomButtonPanel() = default;

void TCustomButtonPanel::Changed(TObject*) {
    if (!FKelDropDown) Invalidate();
}

void TCustomButtonPanel::Loaded() {
    TCustomControl::Loaded();
    if (!FKelDropDown) InitButtons();
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove || ComponentState().Contains(csDestroying)) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FEdit) FEdit = nullptr;
}

void TCustomButtonPanel::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (Value) Value->FreeNotification(this);
    ArrangeButtons();
}

void TCustomButtonPanel::SetEdit(TCustomEdit* Value) {
    if (FEdit == Value) return;
    if (FEdit) FEdit->RemoveFreeNotification(this);
    FEdit = Value;
    if (Value) Value->FreeNotification(this);
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType Value) {
    if (FButtonPanelType == Value) return;
    FButtonPanelType = Value;
    ArrangeButtons();
}

void TCustomButtonPanel::ClearButtons() {
    FButtons->Clear();
    FButtonHot = -1;
    FButtonDown = -1;
}

void TCustomButtonPanel::ResetButtons() {
    ClearButtons();
    InitButtons();
}

void TCustomButtonPanel::InitButtons() {
    if (FButtons->Count() > 0) return;
    if (FButtonPanelType == plCalculator) {
        for (const TKeyRow& Row : CalculatorKeys) {
            TCalcButtonItem* Item = FButtons->Add();
            Item->SetCaption(Row.Caption);
            Item->SetName(Row.Name);
            Item->SetTag(Row.Tag);
            Item->SetSpecial(Row.Special);
            Item->SetCaptionColor(Row.Special ? 0x000080 : 0xFFFFFF);
        }
    }
    ArrangeButtons();
}

bool TCustomButtonPanel::HoldsCalculatorKeys() const {
    if (FButtons->Count() != 28) return false;
    for (Integer I = 0; I < 28; ++I) {
        const TCalcButtonItem* Item = FButtons->GetItem(I);
        if (Item->Name() != CalculatorKeys[I].Name || Item->Tag() != CalculatorKeys[I].Tag) return false;
    }
    return true;
}

void TCustomButtonPanel::GetButtonsRect(TRect& R) const {
    R = ClientRect();
    R.Left += FOffSetX;
    R.Right -= FOffSetX;
    R.Top += FOffSetY;
    R.Bottom -= FOffSetY;
}

void TCustomButtonPanel::ArrangeButtons() {
    // Only the calculator table has a layout; any other collection keeps
    // the geometry code gave it.
    if (FButtonPanelType != plCalculator || !HoldsCalculatorKeys()) return;
    TRect A;
    GetButtonsRect(A);
    const Integer G = 4;
    const Integer W = (A.Right - A.Left - 2 * G) / 6;
    const Integer H = (A.Bottom - A.Top - G) / 5;
    Integer X[7];
    X[1] = A.Left;
    X[2] = X[1] + W + G;
    X[3] = X[2] + W - 1;
    X[4] = X[3] + W - 1;
    X[5] = X[4] + W + G;
    X[6] = X[5] + W - 1;
    X[0] = 0;
    const Integer E = X[6] + W;
    Integer Y[5];
    Y[0] = A.Top;
    Y[1] = Y[0] + H + G;
    for (Integer K = 1; K < 4; ++K)
        Y[K + 1] = Y[K] + H - 1;
    for (Integer I = 0; I < 28; ++I) {
        const TKeyRow& Row = CalculatorKeys[I];
        if (Row.Column == 0) continue;
        TCalcButtonItem* Item = FButtons->GetItem(I);
        Item->SetLeft(X[Row.Column]);
        Item->SetTop(Y[Row.Row]);
        Item->SetWidth(W);
        Item->SetHeight(H);
    }
    const Integer XB = X[1] + W + G;
    const Integer W3 = (E - XB - 2 * G) / 3;
    const Integer Lefts[3] = {XB, XB + W3 + G, XB + 2 * (W3 + G)};
    for (Integer K = 0; K < 3; ++K) {
        TCalcButtonItem* Item = FButtons->GetItem(1 + K);
        Item->SetLeft(Lefts[K]);
        Item->SetTop(Y[0]);
        Item->SetWidth(K < 2 ? W3 : E - Lefts[K]);
        Item->SetHeight(H);
    }
}

TRect TCustomButtonPanel::GetButtonRect(Integer Index) const {
    if (Index < 0 || Index >= FButtons->Count()) return TRect(-1, -1, -1, -1);
    return FButtons->GetItem(Index)->Rect();
}

Integer TCustomButtonPanel::ButtonAtPos(Integer X, Integer Y) const {
    for (Integer I = 0; I < FButtons->Count(); ++I) {
        const TRect R = FButtons->GetItem(I)->Rect();
        if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) return I;
    }
    return -1;
}

void TCustomButtonPanel::GetButtonSize(Integer& W, Integer& H) {
    Integer ImageW = 0, ImageH = 0, TextW = 0, TextH = 0;
    Canvas()->Font()->Assign(FButtonAppearance->Font());
    for (Integer I = 0; I < FButtons->Count(); ++I) {
        const TCalcButtonItem* Item = FButtons->GetItem(I);
        const TGraphic* Picture = Item->Image()->Graphic();
        if (Picture && !Picture->Empty()) {
            ImageW = std::max(ImageW, Picture->Width());
            ImageH = std::max(ImageH, Picture->Height());
        } else if (FImages && Item->ImageIndex() >= 0) {
            ImageW = std::max(ImageW, FImages->Width());
            ImageH = std::max(ImageH, FImages->Height());
        }
        if (!Item->Caption().empty()) {
            const TSize S = Canvas()->TextExtent(Item->Caption());
            TextW = std::max(TextW, Integer(S.cx));
            TextH = std::max(TextH, Integer(S.cy));
        }
    }
    const Integer Gap = ImageW > 0 && TextW > 0 ? FCaptionGap : 0;
    if (FButtonLayout == ilCaptionLeft || FButtonLayout == ilCaptionRight) {
        W = 2 * FButtonOffSetX + ImageW + Gap + TextW;
        H = 2 * FButtonOffSetY + std::max(ImageH, TextH);
    } else {
        W = std::max(ImageW, TextW) + 2 * FButtonOffSetX;
        H = 2 * FButtonOffSetY + ImageH + Gap + TextH;
    }
}

void TCustomButtonPanel::DrawButton(Integer Index, TCanvas* ACanvas) {
    if (!ACanvas || Index < 0 || Index >= FButtons->Count()) return;
    TCalcButtonItem* Item = FButtons->GetItem(Index);
    const TRect R = Item->Rect();
    if (R.Left < 0 && R.Top < 0) return;
    const TButtonAppearance* A = FButtonAppearance.get();
    TColor Border = A->BorderColor(), Face = A->Color(), FaceTo = A->ColorTo(), Glow = clNone;
    if (Index == FButtonDown) {
        Border = A->BorderColorDown();
        Face = A->ColorDown();
        FaceTo = A->ColorDownTo();
        Glow = A->GlowColorDown();
    } else if (Index == FButtonHot) {
        Border = A->BorderColorHot();
        Face = A->ColorHot();
        FaceTo = A->ColorHotTo();
        Glow = A->GlowColorHot();
    }
    DrawGlossyButton(ACanvas, R, Border, 0xE7E0C7, Face, FaceTo, Glow, A->ShineColor());

    TRect Content(R.Left + FButtonOffSetX, R.Top + FButtonOffSetY, R.Right - FButtonOffSetX,
                  R.Bottom - FButtonOffSetY);
    const TGraphic* Picture = Item->Image()->Graphic();
    const bool OwnPicture = Picture && !Picture->Empty();
    const bool ListImage = !OwnPicture && FImages && Item->ImageIndex() >= 0;
    const Integer ImageW = OwnPicture ? Picture->Width() : ListImage ? FImages->Width() : 0;
    const Integer ImageH = OwnPicture ? Picture->Height() : ListImage ? FImages->Height() : 0;
    const bool HasImage = OwnPicture || ListImage;
    const auto DrawImage = [&](Integer X, Integer Y) {
        if (OwnPicture)
            ACanvas->Draw(X, Y, Picture);
        else if (ListImage)
            FImages->Draw(ACanvas, X, Y, Item->ImageIndex(), Item->Enabled());
    };
    ACanvas->Font()->Assign(A->Font());
    ACanvas->Font()->SetColor(Item->Special() ? A->SpecialTextColor() : A->TextColor());
    ACanvas->Brush()->SetStyle(bsClear);
    TTextFormat Format{tfSingleLine, tfVerticalCenter};
    Format.Include(HasImage ? tfLeft : tfCenter);
    const String& Caption = Item->Caption();
    const Integer ContentH = Content.Bottom - Content.Top;
    const auto Text = [&](TRect Rect) {
        if (!Caption.empty()) ACanvas->TextRect(Rect, Caption, Format);
    };
    switch (FButtonLayout) {
    case ilCaptionRight: {
        if (HasImage) DrawImage(Content.Left, Content.Top + (ContentH - ImageH) / 2);
        TRect C = Content;
        if (HasImage) C.Left += ImageW + FCaptionGap;
        Text(C);
        break;
    }
    case ilCaptionLeft: {
        TRect C = Content;
        C.Right -= ImageW;
        Text(C);
        const Integer CaptionW = Caption.empty() ? 0 : ACanvas->TextWidth(Caption);
        if (HasImage) DrawImage(Content.Left + CaptionW + FCaptionGap, Content.Top + (ContentH - ImageH) / 2);
        break;
    }
    case ilCaptionTop: {
        if (Caption.empty()) {
            if (HasImage) DrawImage(Content.Left, Content.Top + (ContentH - ImageH) / 2);
            break;
        }
        TRect C = Content;
        C.Bottom -= ImageH;
        Format.Exclude(tfLeft);
        Format.Include(tfCenter);
        Text(C);
        if (HasImage) DrawImage(Content.Left, Content.Top + ACanvas->TextHeight(Caption) + FCaptionGap);
        break;
    }
    case ilCaptionBottom: {
        if (Caption.empty()) {
            if (HasImage) DrawImage(Content.Left, Content.Top + (ContentH - ImageH) / 2);
            break;
        }
        if (HasImage) DrawImage(Content.Left, Content.Top);
        TRect C = Content;
        C.Top += ImageH + FCaptionGap;
        Format.Exclude(tfLeft);
        Format.Include(tfCenter);
        Text(C);
        break;
    }
    }
}

void TCustomButtonPanel::DrawButtons(TCanvas* ACanvas, bool IncludeHot) {
    const bool HotValid = FButtonHot >= 0 && FButtonHot < FButtons->Count();
    for (Integer I = 0; I < FButtons->Count(); ++I)
        if (I != FButtonHot || IncludeHot) DrawButton(I, ACanvas);
    // The hot key last, so its glow lies over its neighbours.
    if (!IncludeHot && HotValid) DrawButton(FButtonHot, ACanvas);
}

void TCustomButtonPanel::Paint() {
    TCanvas* C = Canvas();
    if (!FKelDropDown) {
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(clBlack);
        C->Pen()->SetWidth(1);
        const TRect R = ClientRect();
        C->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    }
    DrawButtons(C, false);
}

void TCustomButtonPanel::InvalidateButton(Integer Index) {
    if (Index < 0 || Index >= FButtons->Count() || !HandleAllocated()) return;
    TRect R = FButtons->GetItem(Index)->Rect();
    R.Left -= 8;
    R.Top -= 8;
    R.Right += 8;
    R.Bottom += 8;
    InvalidateRect(Handle(), &R, true);
}

void TCustomButtonPanel::ButtonClick(Integer Index) {
    if (OnButtonClick) OnButtonClick(this, Index);
}

bool TCustomButtonPanel::ValidTarget(Integer Index) const {
    return Index >= 0 && Index < FButtons->Count() && FButtons->GetItem(Index)->Enabled();
}

void TCustomButtonPanel::SetButtonHot(Integer Index) {
    if (Index == FButtonHot || (Index >= 0 && !ValidTarget(Index))) return;
    const Integer Old = FButtonHot;
    FButtonHot = Index;
    InvalidateButton(Old);
    InvalidateButton(Index);
}

void TCustomButtonPanel::SetButtonDown(Integer Index) {
    if (Index == FButtonDown || (Index >= 0 && !ValidTarget(Index))) return;
    const Integer Old = FButtonDown;
    FButtonDown = Index;
    InvalidateButton(Old);
    InvalidateButton(Index);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    const Integer Index = ButtonAtPos(X, Y);
    SetButtonHot(ValidTarget(Index) ? Index : -1);
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const Integer Index = ButtonAtPos(X, Y);
    if (ValidTarget(Index)) SetButtonDown(Index);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FButtonDown < 0) return;
    const Integer Pressed = FButtonDown;
    SetButtonDown(-1);
    if (ButtonAtPos(X, Y) == Pressed) ButtonClick(Pressed);
}

void TCustomButtonPanel::WndProc(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (Message.Msg == WM_SIZE)
        ArrangeButtons();
    else if (Message.Msg == CM_MOUSELEAVE)
        SetButtonHot(-1);
}
