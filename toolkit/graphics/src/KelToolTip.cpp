// The tool tip's settings and its shaped window.

#include "kel/KelToolTip.h"

#include "graphics/Colors.h"
#include "graphics/GdiObjects.h"
#include "kel/KelGraphics.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/MathUtils.h"
#include "vcl/ControlMessages.h"
#include "vcl/Forms.h"
#include "windowing/Messages.h"
#include "windowing/Window.h"

#include <algorithm>

namespace {

constexpr Cardinal ToolTipVersion = 0x01000003;
constexpr Integer Arrow = 8;

using TKelGraphicsPtr = std::unique_ptr<TKelGraphics, void (*)(TObject*)>;

} // namespace

// --- TKelToolTip --------------------------------------------------------------------

const TClassInfo& TKelToolTip::StaticClassInfo() {
    using T = TKelToolTip;
    static const TClassInfo Info = TClassBuilder<T, TComponent>()
                                       .Property(u"BorderColor", TypeInfo_TColor(), &T::BorderColor, &T::SetBorderColor)
                                       .Default(255)
                                       .Property(u"Color", TypeInfo_TColor(), &T::Color, &T::SetColor)
                                       .Default(255)
                                       .Property(u"ControlBorderColor", TypeInfo_TColor(), &T::ControlBorderColor,
                                                 &T::SetControlBorderColor)
                                       .Default(255)
                                       .Property(u"ImageIndex", &T::ImageIndex, &T::SetImageIndex)
                                       .Default(-1)
                                       .Property(u"Margin", &T::Margin, &T::SetMargin)
                                       .Default(0)
                                       .Property(u"MaxWidth", &T::MaxWidth, &T::SetMaxWidth)
                                       .Default(0)
                                       .Property(u"Position", &T::Position, &T::SetPosition)
                                       .Default(ttRight)
                                       .Property(u"Rounding", &T::Rounding, &T::SetRounding)
                                       .Default(2)
                                       .Property(u"Shape", &T::Shape, &T::SetShape)
                                       .Default(tsBalloon)
                                       .Property(u"X", &T::X, &T::SetX)
                                       .Default(0)
                                       .Property(u"Y", &T::Y, &T::SetY)
                                       .Default(0)
                                       .Build();
    return Info;
}

TKelToolTip::TKelToolTip(TComponent* AOwner) : TComponent(AOwner), FFont(std::make_unique<TFont>()) {
    FFont->SetColor(clWhite);
}

TKelToolTip::~TKelToolTip() = default;

void TKelToolTip::Assign(const TPersistent* Source) {
    if (const auto* Other = dynamic_cast<const TKelToolTip*>(Source)) {
        FControlBorderColor = Other->FControlBorderColor;
        FBorderColor = Other->FBorderColor;
        FColor = Other->FColor;
        FFont->Assign(Other->FFont.get());
        FImageIndex = Other->FImageIndex;
        SetImages(Other->FImages);
        FMargin = Other->FMargin;
        FMaxWidth = Other->FMaxWidth;
        FPosition = Other->FPosition;
        FRounding = Other->FRounding;
        FShape = Other->FShape;
        FX = Other->FX;
        FY = Other->FY;
        return;
    }
    TComponent::Assign(Source);
}

void TKelToolTip::SetImages(TCustomImageList* Value) {
    if (Value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
}

void TKelToolTip::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

String TKelToolTip::Version() const {
    return IntToStr((ToolTipVersion >> 24) & 0xFF) + u"." + IntToStr((ToolTipVersion >> 16) & 0xFF) + u"." +
           IntToStr((ToolTipVersion >> 8) & 0xFF) + u"." + IntToStr(ToolTipVersion & 0xFF);
}

// --- TKelToolTipWindow ----------------------------------------------------------------

const TClassInfo& TKelToolTipWindow::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelToolTipWindow, TCustomControl>().Build();
    return Info;
}

TKelToolTipWindow::TKelToolTipWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    FOwnToolTip = Create<TKelToolTip>(this);
    Font()->SetColor(clWhite);
    SetBounds(0, 0, 20, 20);
    SetDoubleBuffered(true);
    SetVisible(false);
}

TKelToolTipWindow::~TKelToolTipWindow() = default;

void TKelToolTipWindow::BeforeDestruction() {
    if (FControl && FBorderColorChanged) {
        if (const TPropInfo* Prop = GetPropInfo(FControl, u"BorderColor")) {
            SetOrdProp(FControl, *Prop, FSavedBorderColor);
            FControl->Invalidate();
        }
    }
    if (FControl) FControl->RemoveFreeNotification(this);
    if (FToolTip) FToolTip->RemoveFreeNotification(this);
    FControl = nullptr;
    FToolTip = nullptr;
    TCustomControl::BeforeDestruction();
}

void TKelToolTipWindow::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    // The tip never outlives what it refers to.
    if (AComponent == FControl) {
        FControl = nullptr;
        FBorderColorChanged = false;
    }
    if (AComponent == FToolTip) FToolTip = nullptr;
}

void TKelToolTipWindow::SetColor(TColor Value) {
    if (Value == FColor) return;
    FColor = Value;
    Invalidate();
}

void TKelToolTipWindow::SetText(const String& Value) {
    if (Value == FText) return;
    FText = Value;
    UpdateSize();
    Invalidate();
}

bool TKelToolTipWindow::IsTop() const {
    const TKelToolTipPosition P = Settings()->Position();
    return P == ttTopRight || P == ttTopLeft || P == ttTopCenter;
}

bool TKelToolTipWindow::IsBottom() const {
    const TKelToolTipPosition P = Settings()->Position();
    return P == ttBottomLeft || P == ttBottomCenter || P == ttBottomRight;
}

Integer TKelToolTipWindow::ArrowX() const {
    switch (Settings()->Position()) {
    case ttTopLeft:
    case ttBottomLeft: return 8;
    case ttTopCenter:
    case ttBottomCenter: return Width() / 2;
    case ttTopRight:
    case ttBottomRight: return Width() - 16;
    default: return 0;
    }
}

void TKelToolTipWindow::Show(TControl* AControl, TKelToolTip* AToolTip) {
    if (AToolTip != FToolTip) {
        if (FToolTip) FToolTip->RemoveFreeNotification(this);
        FToolTip = AToolTip;
        if (FToolTip) FToolTip->FreeNotification(this);
    }
    if (AControl != FControl) {
        if (FControl) FControl->RemoveFreeNotification(this);
        FControl = AControl;
        if (FControl) FControl->FreeNotification(this);
    }
    if (!FControl) return;
    if (!Parent()) {
        if (TCustomForm* Form = GetParentForm(FControl, true)) SetParent(Form);
    }
    UpdateSize();
    const TColor Border = Settings()->BorderColor();
    if (Border != clNone && !Visible() && !FBorderColorChanged) {
        if (const TPropInfo* Prop = GetPropInfo(FControl, u"BorderColor")) {
            FSavedBorderColor = TColor(GetOrdProp(FControl, *Prop));
            FBorderColorChanged = true;
            SetOrdProp(FControl, *Prop, Border);
        }
    }
    SetVisible(true);
}

void TKelToolTipWindow::CreateWnd() {
    TCustomControl::CreateWnd();
    UpdateSize();
}

void TKelToolTipWindow::UpdateSize() {
    const TKelToolTip* S = Settings();
    TKelGraphicsPtr G(TKelGraphics::CreateBitmapCanvas(1, 1, true), &Free);
    TKelGraphicsFont Font;
    Font.Assign(S->Font());
    G->SetFont(&Font);
    const String Measured = u" " + FText + u" ";
    const TRectF R = S->MaxWidth() <= 0
                         ? G->CalculateText(Measured, RectF(0, 0, 10000, 10000), false, false)
                         : G->CalculateText(Measured, RectF(0, 0, Single(S->MaxWidth()), 1000), true, false);
    Integer W = Integer(Round(R.Width() + 4 + 2 * S->Margin()));
    Integer H = Integer(Round(R.Height() * 1.2 + 2 * S->Margin()));
    W = std::max(W, H);
    if (S->Shape() == tsBalloon) {
        if (S->Position() == ttRight)
            W += Arrow;
        else
            H += Arrow;
    }
    if (S->ImageIndex() >= 0 && S->Images()) {
        W += S->Images()->Width();
        H = std::max(H, S->Images()->Height() + 6);
    }
    if (W != Width() || H != Height()) SetBounds(Left(), Top(), W, H);
    UpdateRegion();
    UpdatePosition();
}

void TKelToolTipWindow::UpdateRegion() {
    if (!HandleAllocated()) return;
    const TKelToolTip* S = Settings();
    const Integer W = Width();
    const Integer H = Height();
    const bool Balloon = S->Shape() == tsBalloon;
    const Integer Top = Balloon && IsBottom() ? Arrow : 0;
    const Integer Bottom = Balloon && IsTop() ? Arrow : 0;
    const Integer Left = Balloon && S->Position() == ttRight ? Arrow : 0;
    winapi::HRGN Region = winapi::CreateRoundRectRgn(Left, Top, W + Left + 1, H + Top - Bottom + 1, S->Rounding(),
                                                     S->Rounding());
    if (Balloon) {
        const Integer X = ArrowX();
        TPoint Triangle[3];
        switch (S->Position()) {
        case ttRight: Triangle[0] = {0, H / 2}, Triangle[1] = {10, H / 2 - 5}, Triangle[2] = {10, H / 2 + 5}; break;
        case ttTopLeft:
        case ttTopCenter:
        case ttTopRight: Triangle[0] = {X, H - 8}, Triangle[1] = {X, H}, Triangle[2] = {X + 8, H - 8}; break;
        case ttCustom: Triangle[0] = {0, 0}, Triangle[1] = {0, 8}, Triangle[2] = {8, 0}; break;
        default: Triangle[0] = {X, 0}, Triangle[1] = {X, 8}, Triangle[2] = {X + 8, 8}; break;
        }
        winapi::HRGN Tip = winapi::CreatePolygonRgn(Triangle, 3, WINDING);
        winapi::CombineRgn(Region, Region, Tip, RGN_OR);
        winapi::DeleteObject(Tip);
    }
    // The window owns the region from here on.
    winapi::SetWindowRgn(Handle(), Region, true);
}

void TKelToolTipWindow::UpdatePosition() {
    if (!FControl) return;
    Integer L = FControl->Left();
    Integer T = FControl->Top();
    for (TWinControl* P = FControl->Parent(); P && !dynamic_cast<TCustomForm*>(P); P = P->Parent()) {
        L += P->Left();
        T += P->Top();
    }
    const Integer CW = FControl->Width();
    const Integer CH = FControl->Height();
    const Integer W = Width();
    const Integer H = Height();
    const TKelToolTip* S = Settings();
    Integer X = L;
    Integer Y = T;
    switch (S->Position()) {
    case ttTopLeft: X = L, Y = T - H; break;
    case ttTopCenter: X = L + (CW - W) / 2, Y = T - H; break;
    case ttTopRight: X = L + CW - W, Y = T - H; break;
    case ttRight: X = L + CW, Y = T + (CH - H) / 2; break;
    case ttBottomLeft: X = L, Y = T + CH; break;
    case ttBottomCenter: X = L + (CW - W) / 2, Y = T + CH; break;
    case ttBottomRight: X = L + CW - W, Y = T + CH; break;
    case ttCustom: X = L + S->X(), Y = T + S->Y(); break;
    }
    SetBounds(X, Y, W, H);
}

void TKelToolTipWindow::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case winapi::WM_ERASEBKGND:
        // The shape paints everything it covers.
        Message.Result = 1;
        return;
    case CM_FONTCHANGED:
        Invalidate();
        break;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TKelToolTipWindow::Paint() {
    const TKelToolTip* S = Settings();
    TKelGraphicsPtr G(TKelGraphics::CreateNative(Canvas()), &Free);
    const Integer W = Width();
    const Integer H = Height();
    const bool Balloon = S->Shape() == tsBalloon;
    const Integer Left = Balloon && S->Position() == ttRight ? Arrow : 0;
    const Integer Top = Balloon && IsBottom() ? Arrow : 0;
    const Integer Bottom = Balloon && IsTop() ? Arrow : 0;
    const Integer Allowance = Balloon ? Arrow : 0;
    const bool Border = S->BorderColor() != clNone && S->BorderColor() != S->Color();

    G->BeginScene();
    G->SetFillKind(gfkSolid);
    G->SetFillColor(S->Color());
    G->SetStrokeKind(Border ? gskSolid : gskNone);
    G->SetStrokeColor(S->BorderColor());
    G->SetStrokeWidth(1);
    const Single BodyHeight = Single(H - 2 - Allowance + Left);
    const TRectF Body = RectF(Single(Left + 1), Single(Top + 1), Single(W - 1), Single(Top + 1) + BodyHeight);
    G->DrawRoundRectangle(Body, Single(S->Rounding()));

    TRect TextArea = Rect(0, 0, W, H);
    if (Balloon && S->Position() != ttCustom) {
        const Integer X = ArrowX();
        TRect ArrowBox;
        if (IsBottom())
            ArrowBox = Rect(X, 0, X + 8, 10);
        else if (IsTop())
            ArrowBox = Rect(X, H - 10, X + 8, H);
        else
            ArrowBox = Rect(0, (H - 8) / 2, 10, (H - 8) / 2 + 8);
        G->SetStrokeKind(gskNone);
        G->DrawRectangle(ArrowBox);
        if (Border) {
            G->SetStrokeKind(gskSolid);
            if (IsTop()) {
                G->DrawLine(PointF(X, ArrowBox.Top + 1), PointF(X, ArrowBox.Bottom - 1));
                G->DrawLine(PointF(X + 8, ArrowBox.Top + 1), PointF(X, ArrowBox.Bottom - 1));
            } else if (IsBottom()) {
                G->DrawLine(PointF(X, 0), PointF(X, 9));
                G->DrawLine(PointF(X, 0), PointF(X + 8, 9));
            } else {
                G->DrawLine(PointF(0, H / 2), PointF(9, H / 2 - 4));
                G->DrawLine(PointF(0, H / 2), PointF(9, H / 2 + 4));
            }
        }
        if (IsTop())
            TextArea = Rect(0, 0, W, H - Bottom);
        else if (IsBottom())
            TextArea = Rect(0, Top, W, H - Top);
        else
            TextArea = Rect(Left, 0, W - Left, H);
    }
    if (S->ImageIndex() >= 0 && S->Images()) {
        S->Images()->Draw(Canvas(), TextArea.Left + 4, TextArea.Top + 4, S->ImageIndex(), true);
        TextArea.Left += S->Images()->Width();
    }
    TKelGraphicsFont Font;
    Font.Assign(S->Font());
    G->SetFont(&Font);
    G->DrawText(TextArea, FText, S->MaxWidth() > 0, gtaCenter, gtaCenter, gttNone, 0, -1, -1, false);
    G->EndScene();
}
