#include "dropdown/KelBars.h"

#include "dropdown/KelDropDown.h"
#include "gridbase/MarkupRenderer.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"

#include <cmath>

using namespace winapi;

namespace {

// The modal results that close a footer button's drop-down, and those of
// them that cancel.
bool ClosesDropDown(TModalResult Result) {
    switch (Result) {
    case mrOk:
    case mrCancel:
    case mrAbort:
    case mrIgnore:
    case mrYes:
    case mrNo:
    case mrAll:
    case mrNoToAll:
    case mrYesToAll:
        return true;
    default:
        return false;
    }
}

bool CancelsDropDown(TModalResult Result) {
    return Result == mrCancel || Result == mrAbort || Result == mrIgnore || Result == mrNo || Result == mrNoToAll;
}

} // namespace

// ---- TKelButton ----

const TClassInfo& TKelButton::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelButton, TCustomControl>().Build();
    return Info;
}

TKelButton::TKelButton(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 23, 22);
    SetControlStyle({csCaptureMouse, csClickEvents, csDoubleClicks});
    SetParentFont(true);
    Font()->SetName(u"Segoe UI");
    FUnHotTimer = Create<TTimer>(this);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->SetInterval(1);
    FUnHotTimer->OnTimer = [this](TObject* Sender) { UnHotTimerTick(Sender); };
    SetShowHint(false);
    SetDoubleBuffered(true);
}

TKelButton::~TKelButton() = default;

void TKelButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TKelButton::SetAppearance(TKelButtonAppearance* Value) {
    FAppearance = Value;
    Invalidate();
}

void TKelButton::SetImages(TCustomImageList* Value) {
    if (FImages == Value) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages) FImages->FreeNotification(this);
    Invalidate();
}

void TKelButton::SetImageIndex(Integer Value) {
    FImageIndex = Value;
    Invalidate();
}

void TKelButton::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages && !ComponentState().Contains(csDestroying))
        FImages = nullptr;
}

void TKelButton::Loaded() {
    TCustomControl::Loaded();
    if (FDown != FInitialDown) SetDown(FInitialDown);
}

void TKelButton::SetDown(bool Value) {
    if (ComponentState().Contains(csLoading)) FInitialDown = Value;
    if (FGroupIndex == 0 && FStyle == tasButton) Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        FState = Value ? absDown : absUp;
        Repaint();
        return;
    }
    if (Value == FDown) return;
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    if (Value) {
        if (FState == absUp) Invalidate();
        FState = absExclusive;
    } else {
        FState = absUp;
        Repaint();
    }
    if (Value) UpdateExclusive();
}

void TKelButton::UpdateExclusive() {
    if (FGroupIndex == 0 || !Parent()) return;
    // The sender travels as an object: buttons of other kinds that answer
    // the same message check its type before they read it.
    TMessage Message{CM_BUTTONPRESSED, WPARAM(FGroupIndex), LPARAM(static_cast<TObject*>(this)), 0};
    Parent()->Broadcast(Message);
}

void TKelButton::AutoSizeToContent() {
    if (!FAppearance) return;
    Canvas()->Font()->Assign(FAppearance->Font());
    TSize Size{0, 0};
    MeasureText(Canvas(), Caption(), Size);
    Integer W = Size.cx, H = Size.cy;
    if (FImages && FImageIndex >= 0) {
        W = std::max(W, FImages->Width());
        H = std::max(H, FImages->Height());
    }
    SetHeight(H + 4);
    SetWidth(W + 8);
}

bool TKelButton::Inside(Integer X, Integer Y) const {
    return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
}

void TKelButton::Paint() {
    if (Enabled() && FState == absDisabled) FState = FDown && FGroupIndex != 0 ? absExclusive : absUp;
    if (!Enabled()) {
        FState = absDisabled;
        FDragging = false;
    }
    if (FStyle == tasCheck && FDown) FState = absDown;

    // The parent paints its background and content into the button, so the
    // button shows its bar through itself.
    if (TWinControl* Host = Parent()) {
        const HDC DC = Canvas()->Handle();
        const Integer Saved = SaveDC(DC);
        IntersectClipRect(DC, 0, 0, ClientWidth(), ClientHeight());
        OffsetViewportOrgEx(DC, -Left(), -Top(), nullptr);
        Host->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
        Host->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
        RestoreDC(DC, Saved);
    }
    DrawButton(Canvas());
}

void TKelButton::DrawButton(TCanvas* ACanvas) {
    if (!FAppearance || !ACanvas) return;
    TColor Fill, FillTo, Frame;
    if (!Enabled()) {
        Fill = FAppearance->ColorDisabled();
        FillTo = FAppearance->ColorDisabledTo();
        Frame = FAppearance->BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        Fill = FillTo = FAppearance->ColorDown();
        Frame = FAppearance->BorderColorDown();
    } else if (FDown) {
        Fill = FillTo = FAppearance->ColorChecked();
        Frame = FAppearance->BorderColorChecked();
    } else if (FMouseInControl || Focused()) {
        Fill = FillTo = FAppearance->ColorHot();
        Frame = FAppearance->BorderColorHot();
    } else {
        Fill = FAppearance->Color();
        FillTo = FAppearance->ColorTo();
        Frame = FAppearance->BorderColor();
    }
    const TRect R = ClientRect();
    DrawBackgroundAndBorder(ACanvas, R, Fill, FillTo, Frame, 1, FAppearance->Gradient());
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Font()->Assign(FAppearance->Font());
    DrawImageText(ACanvas, R, Caption(), FImages, FImageIndex);
    ACanvas->Brush()->SetStyle(bsSolid);
}

void TKelButton::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !Enabled()) return;
    FMouseDownInControl = true;
    if (!FDown) {
        FState = absDown;
        Invalidate();
    }
    if (FStyle == tasCheck) {
        FState = absDown;
        Repaint();
    }
    FDragging = true;
}

void TKelButton::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TKelButtonState NewState = FDown ? absExclusive : absUp;
        if (Inside(X, Y)) NewState = FDown ? absExclusive : absDown;
        if (FStyle == tasCheck && FDown) NewState = absDown;
        if (NewState != FState) {
            FState = NewState;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateTracking();
    }
}

void TKelButton::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseDownInControl = false;
    Invalidate();
    if (!FDragging) return;
    FDragging = false;
    const bool In = Inside(X, Y);
    if (FGroupIndex != 0) {
        if (In) {
            SetDown(!FDown);
            if (FDown) Repaint();
        } else {
            if (FDown) FState = absExclusive;
            Repaint();
        }
    } else {
        FState = absUp;
        FMouseInControl = false;
        FHot = false;
        if (FStyle == tasCheck) {
            SetDown(!FDown);
            FState = absUp;
        }
        if (In && FState != absDown && FState != absExclusive) Invalidate();
    }
    UpdateTracking();
}

void TKelButton::UpdateTracking() {
    if (!Enabled() || !Mouse) return;
    if (FindDragTarget(Mouse->CursorPos(), true) != this)
        MouseLeave();
    else
        MouseEnter();
}

void TKelButton::MouseEnter() {
    TCustomControl::MouseEnter();
    FMouseInControl = true;
    if (Enabled()) Invalidate();
    FUnHotTimer->SetEnabled(true);
    if (OnMouseEnter) OnMouseEnter(this);
}

void TKelButton::MouseLeave() {
    TCustomControl::MouseLeave();
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    FHot = false;
    if (Enabled()) Invalidate();
    if (OnMouseLeave) OnMouseLeave(this);
}

void TKelButton::UnHotTimerTick(TObject*) {
    if (!Mouse || !HandleAllocated()) return;
    const TPoint P = ScreenToClient(Mouse->CursorPos());
    if (PtInRect(ClientRect(), P)) return;
    FUnHotTimer->SetEnabled(false);
    FMouseInControl = false;
    FHot = false;
    if (Enabled()) Invalidate();
}

void TKelButton::Click() {
    if (TCustomForm* Form = GetParentForm(this, false)) Form->SetModalResult(FModalResult);
    if (FKelDropDown && ClosesDropDown(FModalResult)) FKelDropDown->HideDropDown(CancelsDropDown(FModalResult));
    if (!FInternalClick) TCustomControl::Click();
}

void TKelButton::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
        if (Message.WParam == VK_RETURN || Message.WParam == VK_SPACE) {
            if (!FDown) {
                FState = absDown;
                Invalidate();
            }
            if (FStyle == tasCheck) {
                FState = absDown;
                Repaint();
            }
            FInternalClick = true;
            try {
                Click();
            } catch (...) {
                FInternalClick = false;
                throw;
            }
            FInternalClick = false;
            // The click may have closed and hidden the pop-up; the button
            // itself is still alive (the bar owns it).
        }
        TCustomControl::WndProc(Message);
        return;
    case CM_BUTTONPRESSED: {
        // Only buttons of this kind share a group with it.
        auto* Sender = dynamic_cast<TKelButton*>(reinterpret_cast<TObject*>(Message.LParam));
        if (Integer(Message.WParam) == FGroupIndex && Sender != this && Sender) {
            if (Sender->Down() && FDown) {
                FDown = false;
                FState = absUp;
                Invalidate();
            }
            FAllowAllUp = Sender->AllowAllUp();
        }
        return;
    }
    case CM_DIALOGCHAR:
        if (Enabled() && IsAccel(Word(Message.WParam), Caption())) {
            Click();
            Message.Result = 1;
            return;
        }
        TCustomControl::WndProc(Message);
        return;
    case CM_ENABLEDCHANGED:
    case CM_FOCUSCHANGED:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        TCustomControl::WndProc(Message);
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}

// ---- TDbgList ----

const TClassInfo& TDbgList::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TDbgList, TList>().Build();
    return Info;
}

void TDbgList::AssignList(const TList* ListA) {
    Clear();
    if (!ListA) return;
    for (Integer I = 0; I < ListA->Count(); ++I)
        Add(ListA->Items(I));
}

void* TDbgList::GetItemsEx(Integer Index) const {
    if (Index >= Count()) throw Exception(u"Index out of bounds in list read access");
    return Items(Index);
}

void TDbgList::SetItemsEx(Integer Index, void* Value) {
    if (Index >= Count()) throw Exception(u"Index out of bounds in list write access");
    SetItems(Index, Value);
}

// ---- TKelBar ----

const TClassInfo& TKelBar::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelBar, TCustomControl>().Build();
    return Info;
}

TKelBar::TKelBar(TComponent* AOwner, TBarAppearance* AAppearance)
    : TCustomControl(AOwner), FBarAppearance(AAppearance) {}

TKelBar::~TKelBar() = default;

void TKelBar::BeforeDestruction() {
    // The buttons go first, while the list still knows them.
    ClearButtons();
    TCustomControl::BeforeDestruction();
}

void TKelBar::AppearanceChanged(TObject*) {
    SetVisible(FBarAppearance->Visible());
    SetHeight(FBarAppearance->Height());
}

void TKelBar::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    // A button freed with the bar's other components leaves the list.
    if (const Integer Index = FButtonList.IndexOf(AComponent); Index >= 0) FButtonList.Delete(Index);
}

void TKelBar::RebuildButtons() {
    if (FKelDropDown) BuildButtons();
}

void TKelBar::BuildButtons() {
    THeaderButtons* Definitions = DefinitionButtons();
    if (!Definitions || !FKelDropDown) return;
    ClearButtons();
    const Integer MaxHeight = ButtonsRect().Height();
    for (Integer I = 0; I < Definitions->Count(); ++I) {
        THeaderButton* Definition = Definitions->Items(I);
        auto* Button = Create<TKelButton>(this);
        Button->SetParent(this);
        if (IsFooter()) Button->SetKelDropDown(FKelDropDown);
        Button->SetAppearance(FKelDropDown->ButtonAppearance());
        Button->SetCaption(Definition->Caption());
        Button->SetImages(FKelDropDown->Images());
        Button->SetImageIndex(Definition->ImageIndex());
        Button->SetEnabled(Definition->Enabled());
        if (IsFooter()) Button->SetModalResult(static_cast<TFooterButton*>(Definition)->ModalResult());
        Button->AutoSizeToContent();
        if (Definition->Width() > 0) Button->SetWidth(Definition->Width());
        if (Definition->Height() > 0) Button->SetHeight(Definition->Height());
        if (Button->Height() > MaxHeight) Button->SetHeight(MaxHeight);
        Button->SetTag(I);
        Button->OnClick = [this](TObject* Sender) {
            if (auto* Clicked = dynamic_cast<TKelButton*>(Sender)) ButtonClicked(Integer(Clicked->Tag()));
        };
        FButtonList.Add(Button);
    }
    ArrangeButtons();
}

void TKelBar::ClearButtons() {
    for (Integer I = FButtonList.Count() - 1; I >= 0; --I)
        Free(static_cast<TKelButton*>(FButtonList.Items(I)));
    FButtonList.Clear();
}

void TKelBar::ArrangeButtons() {
    if (FButtonList.Count() == 0) return;
    const TRect R = ButtonsRect();
    const bool Right = FBarAppearance->ButtonAlignment() == baRight;
    Integer X = Right ? R.Right : R.Left;
    for (Integer I = 0; I < FButtonList.Count(); ++I) {
        auto* Button = static_cast<TKelButton*>(FButtonList.Items(I));
        const Integer Top = std::max(R.Top, (R.Bottom - Button->Height()) / 2);
        if (Right) {
            Button->SetBounds(X - Button->Width(), Top, Button->Width(), Button->Height());
            X = Button->Left();
        } else {
            Button->SetBounds(X, Top, Button->Width(), Button->Height());
            X += Button->Width();
        }
    }
}

void TKelBar::UpdateButtons() {
    THeaderButtons* Definitions = DefinitionButtons();
    if (!Definitions || !FKelDropDown) return;
    for (Integer I = 0; I < FButtonList.Count(); ++I) {
        auto* Button = static_cast<TKelButton*>(FButtonList.Items(I));
        Button->SetAppearance(FKelDropDown->ButtonAppearance());
        Button->SetImages(IsFooter() ? FKelDropDown->Images() : FImages);
        if (I < Definitions->Count()) {
            THeaderButton* Definition = Definitions->Items(I);
            Button->SetCaption(Definition->Caption());
            Button->SetImageIndex(Definition->ImageIndex());
            Button->SetImages(FKelDropDown->Images());
            Button->SetEnabled(Definition->Enabled());
        }
        Button->AutoSizeToContent();
    }
    ArrangeButtons();
}

void TKelBar::WndProc(TMessage& Message) {
    TCustomControl::WndProc(Message);
    if (Message.Msg == WM_SIZE) ArrangeButtons();
}

void TKelBar::Paint() {
    TCanvas* C = Canvas();
    const TRect R = ClientRect();
    Single Factor = 1.0f;
    if (Owner())
        if (auto* DropDown = dynamic_cast<TKelCustomDropDown*>(Owner()->Owner())) Factor = DropDown->DPIScale();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, C, R);
        return;
    }
    const TBarAppearance& Look = *FBarAppearance;
    if (Look.ColorTo() != clNone) {
        DrawBandedGradient(C, Look.Color(), Look.ColorTo(), 80, R, Look.GradientDirection() == gdHorizontal);
    } else if (Look.Color() != clNone) {
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Look.Color());
        C->FillRect(R);
    }
    const Integer BW = Look.BorderWidth();
    if (Look.BorderColor() != clNone && BW > 0) {
        C->Pen()->SetWidth(BW);
        C->Pen()->SetColor(Look.BorderColor());
        const bool OwnFrame = !FKelDropDown || FKelDropDown->DropDownBorderWidth() < 1 ||
                              FKelDropDown->DropDownBorderColor() == clNone;
        const auto Line = [C](Integer X1, Integer Y1, Integer X2, Integer Y2) {
            C->MoveTo(X1, Y1);
            C->LineTo(X2, Y2);
        };
        if (!IsFooter()) {
            Line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
            if (OwnFrame) {
                Line(R.Left, R.Bottom - 1, R.Left, R.Top);
                Line(R.Left, R.Top, R.Right, R.Top);
                Line(R.Right, R.Top, R.Right, R.Bottom - 1);
            }
        } else {
            Line(R.Left, R.Top, R.Right, R.Top);
            if (OwnFrame) {
                Line(R.Left, R.Top, R.Left, R.Bottom);
                Line(R.Left, R.Bottom, R.Right, R.Bottom);
                Line(R.Right, R.Bottom, R.Right, R.Top);
            }
        }
        // A light inner frame.
        C->Pen()->SetWidth(1);
        C->Brush()->SetStyle(bsClear);
        C->Pen()->SetColor(BlendColor(Look.BorderColor(), clWhite, 20));
        if (!IsFooter())
            C->Rectangle(R.Left, R.Top, R.Right, R.Bottom - BW);
        else
            C->Rectangle(R.Left, R.Top + BW, R.Right, R.Bottom);
        C->Brush()->SetStyle(bsSolid);
    }
    TRect Content = R;
    InflateRect(Content, -BW, -BW);
    if (Look.ImageIndex() >= 0 && FImages) {
        FImages->Draw(C, Content.Left + 4, Content.Top + (Content.Height() - FImages->Height()) / 2,
                      Look.ImageIndex());
        Content.Left += 4 + FImages->Width() + 4;
    }
    String Text = Look.Caption();
    if (OnGetText) OnGetText(this, Text);
    if (!Text.empty()) {
        if (FButtonList.Count() > 0)
            Content.Right = static_cast<TKelButton*>(FButtonList.Items(FButtonList.Count() - 1))->Left() - 2;
        C->Font()->Assign(Look.Font());
        if (IsFooter()) C->Font()->SetHeight(RoundToInt(C->Font()->Height() * Factor));
        TMarkupDrawParams Params;
        Params.Canvas = C;
        Params.Text = Text;
        Params.Rect = Content;
        Params.Images = FImages;
        Params.OwnerWindow = HandleAllocated() ? Handle() : nullptr;
        Params.HitX = Params.HitY = 0;
        Params.FocusAnchor = -1;
        Params.HotAnchor = 0;
        Params.ShadowOffset = 1;
        Params.ShadowColor = 0x808080;
        Params.AnchorColor = 0xFF0000;
        Params.WordWrap = true;
        Params.ImageScale = 0;
        Params.ControlScale = Factor;
        Params.MeasureOnly = true;
        TMarkupDrawResult Measured;
        DrawMarkupOnCanvas(Params, Measured);
        if (Measured.Height < Content.Height()) Content.Top += (Content.Height() - Measured.Height) / 2;
        Params.Rect = Content;
        Params.MeasureOnly = false;
        TMarkupDrawResult Drawn;
        C->Brush()->SetStyle(bsClear);
        DrawMarkupOnCanvas(Params, Drawn);
        C->Brush()->SetStyle(bsSolid);
    }
    PaintGrip(R);
}

// ---- TKelHeader ----

const TClassInfo& TKelHeader::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelHeader, TKelBar>().Build();
    return Info;
}

TKelHeader::TKelHeader(TComponent* AOwner)
    : TKelBar(AOwner, nullptr), FAppearance(std::make_unique<THeaderAppearance>(this)) {
    FBarAppearance = FAppearance.get();
    FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FAppearance->OnButtonsChanged = [](TObject*) {};
}

TKelHeader::~TKelHeader() = default;

void TKelHeader::SetKelDropDown(TKelCustomDropDown* ADropDown) {
    FKelDropDown = ADropDown;
    if (!ADropDown) {
        SetImages(nullptr);
        return;
    }
    SetImages(ADropDown->Images());
    FAppearance->Assign(ADropDown->DropDownHeader());
}

THeaderButtons* TKelHeader::DefinitionButtons() const {
    return FKelDropDown ? FKelDropDown->DropDownHeader()->Buttons() : nullptr;
}

TRect TKelHeader::ButtonsRect() const {
    TRect R = ClientRect();
    return TRect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 3);
}

void TKelHeader::ButtonClicked(Integer Index) {
    if (FKelDropDown && FKelDropDown->OnDropDownHeaderButtonClick)
        FKelDropDown->OnDropDownHeaderButtonClick(FKelDropDown, Index);
}

// ---- TKelFooter ----

const TClassInfo& TKelFooter::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelFooter, TKelBar>().Build();
    return Info;
}

TKelFooter::TKelFooter(TComponent* AOwner)
    : TKelBar(AOwner, nullptr), FAppearance(std::make_unique<TFooterAppearance>(this)) {
    FBarAppearance = FAppearance.get();
    FAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
}

TKelFooter::~TKelFooter() = default;

void TKelFooter::SetKelDropDown(TKelCustomDropDown* ADropDown) {
    FKelDropDown = ADropDown;
    if (!ADropDown) {
        SetImages(nullptr);
        return;
    }
    SetImages(ADropDown->Images());
    FAppearance->Assign(ADropDown->DropDownFooter());
}

THeaderButtons* TKelFooter::DefinitionButtons() const {
    return FKelDropDown ? FKelDropDown->DropDownFooter()->Buttons() : nullptr;
}

void TKelFooter::BuildButtons() {
    TKelBar::BuildButtons();
}

bool TKelFooter::SizeGripVisible() const {
    return FAppearance->SizeGrip() && FKelDropDown && FKelDropDown->DropDownSizeable();
}

TRect TKelFooter::ButtonsRect() const {
    TRect R = ClientRect();
    return TRect(R.Left + 2, R.Top + 2, R.Right - (SizeGripVisible() ? 14 : 2), R.Bottom - 2);
}

void TKelFooter::ButtonClicked(Integer Index) {
    if (FKelDropDown && FKelDropDown->OnDropDownFooterButtonClick)
        FKelDropDown->OnDropDownFooterButtonClick(FKelDropDown, Index);
}

void TKelFooter::PaintGrip(const TRect& R) {
    if (!SizeGripVisible()) return;
    TCanvas* C = Canvas();
    const Integer BW = FAppearance->BorderWidth();
    const Integer L = R.Right - BW - 16;
    const Integer B = R.Bottom;
    C->Pen()->SetWidth(1);
    C->Brush()->SetStyle(bsSolid);
    const auto Dot = [C, L, B](Integer X, Integer Y, TColor Color) {
        C->Pen()->SetColor(Color);
        C->Brush()->SetColor(Color);
        C->Rectangle(L + X, B - Y - 2, L + X + 2, B - Y);
    };
    for (const auto& [X, Y] : {std::pair{5, 2}, {9, 2}, {13, 2}, {13, 6}, {13, 10}, {9, 6}})
        Dot(X, Y, clWhite);
    for (const auto& [X, Y] : {std::pair{4, 3}, {8, 3}, {12, 3}, {12, 7}, {12, 11}, {8, 7}})
        Dot(X, Y, FAppearance->BorderColor());
}

bool TKelFooter::InGripZone(Integer X, Integer Y) const {
    return SizeGripVisible() && Parent() && X > Width() - 12 && Y > Height() - 15;
}

void TKelFooter::RestoreCursor() {
    if (Screen && Screen->Cursor() != FOldCursor) Screen->SetCursor(FOldCursor);
}

void TKelFooter::MouseEnter() {
    if (Screen && Screen->Cursor() != crSizeNWSE) FOldCursor = Screen->Cursor();
    TKelBar::MouseEnter();
}

void TKelFooter::MouseLeave() {
    TKelBar::MouseLeave();
    RestoreCursor();
}

void TKelFooter::MouseMove(TShiftState Shift, Integer X, Integer Y) {
    TKelBar::MouseMove(Shift, X, Y);
    if (!Screen) return;
    if (InGripZone(X, Y)) {
        if (Screen->Cursor() != crSizeNWSE) Screen->SetCursor(crSizeNWSE);
    } else {
        RestoreCursor();
    }
}

void TKelFooter::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TKelBar::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !InGripZone(X, Y)) return;
    // The pop-up form is sized from its lower right corner by the window
    // system's sizing loop.
    ReleaseCapture();
    const TPoint P = ClientToScreen({X, Y});
    SendMessage(Parent()->Handle(), WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(P.X, P.Y));
}

void TKelFooter::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TKelBar::MouseUp(Button, Shift, X, Y);
    RestoreCursor();
}
