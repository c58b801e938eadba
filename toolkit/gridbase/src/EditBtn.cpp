// The button edit, the unit edit and their speed buttons.

#include "gridbase/EditBtn.h"

#include "gridbase/EditorLayout.h"
#include "graphics/GdiControls.h"
#include "graphics/GdiText.h"
#include "rtl/ClassBuilder.h"
#include "windowing/Input.h"
#include "windowing/Menu.h"
#include "windowing/Messages.h"
#include "windowing/Paint.h"

using namespace winapi;

// ---- TKelSpeedButton ----------------------------------------------------------------------------------

const TClassInfo& TKelSpeedButton::StaticClassInfo() {
    using C = TKelSpeedButton;
    static const TClassInfo Info = TClassBuilder<C, TSpeedButton>()
                                       .Property(u"IsWinXP", &C::IsWinXP, &C::SetIsWinXP)
                                       .Default(false)
                                       .Build();
    return Info;
}

TKelSpeedButton::TKelSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TKelSpeedButton::SetFlat(bool Value) {
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TKelSpeedButton::MouseEnter() {
    TSpeedButton::MouseEnter();
    FHot = true;
    Invalidate();
}

void TKelSpeedButton::MouseLeave() {
    TSpeedButton::MouseLeave();
    FHot = false;
    Invalidate();
}

void TKelSpeedButton::Paint() {
    TCanvas* C = Canvas();
    TRect R = ClientRect();
    const bool IsDown = State() == bsDown || State() == bsExclusive || Down();
    auto* Host = dynamic_cast<TVazEditButton*>(Parent());
    // (The visual-style push button would come second; styles are never
    // active on this platform.)
    if (Host && Host->ButtonColor() != clNone) {
        FFlat = true;
        TColor Face = Host->ButtonColor();
        if (IsDown && Host->ButtonColorDown() != clNone)
            Face = Host->ButtonColorDown();
        else if (FHot && Host->ButtonColorHot() != clNone)
            Face = Host->ButtonColorHot();
        C->Brush()->SetStyle(bsSolid);
        C->Brush()->SetColor(Face);
        C->FillRect(R);
    } else if (FFlat) {
        DrawEdge(C->Handle(), R, IsDown ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        InflateRect(R, -1, -1);
    } else {
        DrawFrameControl(C->Handle(), R, DFC_BUTTON,
                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (IsDown ? Cardinal(DFCS_PUSHED) : 0u));
    }
    const Integer Shift = IsDown ? 1 : 0;
    TBitmap* G = Glyph();
    if (G && !G->Empty()) {
        G->SetTransparent(true);
        const Integer X = G->Width() < Width() ? (Width() - G->Width()) / 2 : 0;
        const Integer Y = G->Height() < Height() ? (Height() - G->Height()) / 2 : 0;
        C->Draw(X + Shift, Y + Shift, G);
    }
    if (!Caption().empty()) {
        C->Font()->Assign(Font());
        C->Font()->SetColor(clBlack);
        C->Brush()->SetStyle(bsClear);
        TRect T = R;
        OffsetRect(T, Shift, Shift);
        DrawText(C->Handle(), Caption(), T, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

// ---- TVazSpeedButton ----------------------------------------------------------------------------------

const TClassInfo& TVazSpeedButton::StaticClassInfo() {
    using C = TVazSpeedButton;
    static const TClassInfo Info = TClassBuilder<C, TSpeedButton>()
                                       .Property(u"ImageIndex", &C::ImageIndex, &C::SetImageIndex)
                                       .Default(-1)
                                       .Build();
    return Info;
}

TVazSpeedButton::TVazSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner), FPicture(std::make_unique<TPicture>()) {}

TVazSpeedButton::~TVazSpeedButton() = default;

void TVazSpeedButton::SetPicture(const TPicture* Value) {
    FPicture->Assign(Value);
    Invalidate();
}

void TVazSpeedButton::SetImageIndex(Integer Value) {
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Invalidate();
}

void TVazSpeedButton::Paint() {
    TSpeedButton::Paint();
    TCanvas* C = Canvas();
    if (FImages && FImageIndex >= 0 && FImageIndex < FImages->Count())
        FImages->Draw(C, (Width() - FImages->Width()) / 2, (Height() - FImages->Height()) / 2, FImageIndex, true);
    const TGraphic* P = FPicture->Graphic();
    if (P && !P->Empty()) C->Draw((Width() - P->Width()) / 2, (Height() - P->Height()) / 2, P);
}

// ---- TVazEditButton -----------------------------------------------------------------------------------

const TClassInfo& TVazEditButton::StaticClassInfo() {
    using C = TVazEditButton;
    static const TClassInfo Info = TClassBuilder<C, TWinControl>()
                                       .Property(u"Flat", &C::Flat, &C::SetFlat)
                                       .Default(false)
                                       .Property(u"ButtonColor", &C::ButtonColor, &C::SetButtonColor)
                                       .Default(clNone)
                                       .Property(u"ButtonColorHot", &C::ButtonColorHot, &C::SetButtonColorHot)
                                       .Default(clNone)
                                       .Property(u"ButtonColorDown", &C::ButtonColorDown, &C::SetButtonColorDown)
                                       .Default(clNone)
                                       .Property(u"ButtonCaption", &C::ReadButtonCaption, &C::WriteButtonCaption)
                                       .Property(u"NumGlyphs", &C::NumGlyphs, &C::SetNumGlyphs)
                                       .Default(1)
                                       .Build();
    return Info;
}

TVazEditButton::TVazEditButton(TComponent* AOwner) : TWinControl(AOwner) {
    FButton = new TKelSpeedButton(this);
    FButton->SetVisible(true);
    FButton->SetEnabled(true);
    FButton->SetParent(this);
    FButton->SetCaption(String());
    // The speed button's own click does nothing; the release over it clicks.
    FButton->OnMouseUp = [this](TObject*, TMouseButton Button, TShiftState, Integer X, Integer Y) {
        BtnMouseUp(Button, X, Y);
    };
    SetTabStop(false);
    SetBounds(Left(), Top(), 20, 25);
}

void TVazEditButton::SetButtonField(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    FButton->Invalidate();
}

void TVazEditButton::SetFlat(bool Value) {
    FFlat = Value;
    FButton->SetFlat(Value);
}

void TVazEditButton::SetFocusControl(TWinControl* Value) {
    if (FFocusControl == Value) return;
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = Value;
    if (Value) Value->FreeNotification(this);
}

void TVazEditButton::Notification(TComponent* AComponent, TOperation Operation) {
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FFocusControl) FFocusControl = nullptr;
    if (AComponent == FButton) FButton = nullptr;
}

void TVazEditButton::FillWithButton() {
    if (FButton && !ComponentState().Contains(csLoading)) FButton->SetBounds(0, 0, Width(), Height());
}

void TVazEditButton::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    FillWithButton();
}

void TVazEditButton::Loaded() {
    TWinControl::Loaded();
    FillWithButton();
}

void TVazEditButton::BtnMouseUp(TMouseButton Button, Integer X, Integer Y) {
    if (Button != mbLeft || !FButton || X < 0 || Y < 0 || X >= FButton->Width() || Y >= FButton->Height()) return;
    if (OnClick) OnClick(this);
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
}

// ---- TVazEditBtn --------------------------------------------------------------------------------------

const TClassInfo& TVazEditBtn::StaticClassInfo() {
    using C = TVazEditBtn;
    static const TClassInfo Info = TClassBuilder<C, TCustomMaskEdit>()
                                       .Property(u"ButtonAlign", &C::ButtonAlign, &C::SetButtonAlign)
                                       .Default(btnRight)
                                       .Property(u"ButtonWidth", &C::ButtonWidth, &C::SetButtonWidth)
                                       .Default(0)
                                       .Property(u"ButtonCaption", &C::ButtonCaption, &C::SetButtonCaption)
                                       .Property(u"EditorEnabled", &C::EditorEnabled, &C::SetEditorEnabled)
                                       .Default(true)
                                       .Property(u"IsWinXP", &C::IsWinXP, &C::SetIsWinXP)
                                       .Default(false)
                                       .Property(u"RightAlign", &C::RightAlign, &C::SetRightAlign)
                                       .Default(false)
                                       .Property(u"OnClickBtn", &C::OnClickBtn,
                                                 [](auto& O, TNotifyEvent E) { O.OnClickBtn = std::move(E); })
                                       .Build();
    return Info;
}

TVazEditBtn::TVazEditBtn(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    FButton = new TVazEditButton(this);
    FButton->SetBounds(0, 0, 18, 18);
    FButton->SetVisible(true);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    // Through the virtual operation, so that overrides take part.
    FButton->OnClick = [this](TObject* Sender) { DoClickBtn(Sender); };
    SetText(u"0");
}

TVazEditBtn::~TVazEditBtn() { FButton = nullptr; }

Integer TVazEditBtn::CurrentButtonWidth() const { return FButton ? FButton->Width() : 0; }

void TVazEditBtn::SetButtonAlign(TButtonAlign Value) {
    if (FButtonAlign == Value) return;
    FButtonAlign = Value;
    PlaceHost();
}

void TVazEditBtn::WriteButtonWidth(Integer Value) {
    FButtonWidth = Value;
    FButton->SetWidth(Value);
    PlaceHost();
}

void TVazEditBtn::WriteIsWinXP(bool Value) {
    FIsWinXP = Value;
    FButton->Button()->SetIsWinXP(Value);
}

// Our edit keeps its text in the formatting rectangle on one line, so the
// alignment needs no multi-line window style.
void TVazEditBtn::SetRightAlign(bool Value) {
    if (FRightAlign == Value) return;
    FRightAlign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
}

void TVazEditBtn::DoClickBtn(TObject* Sender) {
    if (OnClickBtn) OnClickBtn(Sender);
}

void TVazEditBtn::ValidateEdit() {
    if (!IsMasked() || !Modified()) return;
    try {
        TCustomMaskEdit::ValidateEdit();
    } catch (const EDBEditError&) {
        // A half-filled mask is kept as typed; the grid checks cell values
        // itself when the edit is committed.
    }
}

void TVazEditBtn::HandleKeyDown(Word& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !(GetKeyState(VK_LMENU) < 0) && !(GetKeyState(VK_RMENU) < 0) &&
        !Shift.Contains(ssAlt))
        DoClickBtn(this);
}

void TVazEditBtn::HandleWMChar(TMessage& Message) {
    if (FEditorEnabled) TCustomMaskEdit::WndProc(Message);
}

void TVazEditBtn::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CHAR:
        HandleWMChar(Message);
        return;
    case WM_PASTE:
    case WM_CUT:
        if (FEditorEnabled && !ReadOnly()) TCustomMaskEdit::WndProc(Message);
        return;
    default:
        break;
    }
    TCustomMaskEdit::WndProc(Message);
}

void TVazEditBtn::DoEnter() {
    if (AutoSelect() && !(GetKeyState(VK_LBUTTON) < 0)) SelectAll();
    TCustomMaskEdit::DoEnter();
}

void TVazEditBtn::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    SetEditRect();
}

void TVazEditBtn::SetEditRect() {
    if (!HandleAllocated() || !FButton) return;
    const Integer A = BorderStyle() == bsSingle ? 1 : 3;
    const Integer BW = FButton->Width();
    TRect R{A, A, 0, ClientHeight() + 1};
    if (FButtonAlign == btnRight) {
        R.Right = ClientWidth() - (BW + FUnitSize + 5);
    } else {
        R.Left = BW + A;
        R.Right = ClientWidth() - (FUnitSize + 3);
    }
    if (FUnitSize > 0) R.Right -= 3;
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
}

void TVazEditBtn::PlaceHost() {
    if (!FButton) return;
    const Integer B = BorderStyle() == bsSingle ? 5 : 1;
    const Integer BW = FButton->Width();
    if (Ctl3D()) {
        const Integer L = FButtonAlign == btnRight ? Width() - BW - B : B;
        FButton->SetBounds(L, 0, BW, std::max(Height() - B, 0));
    } else {
        const Integer L = FButtonAlign == btnRight ? Width() - BW : 0;
        FButton->SetBounds(L, 1, BW, std::max(Height() - 3, 0));
    }
    SetEditRect();
}

void TVazEditBtn::Resize() {
    TCustomMaskEdit::Resize();
    if (FPlacing || !FButton) return;
    FPlacing = true;
    const Integer Min = EditTextHeight(Font());
    if (Height() < Min) SetHeight(Min);
    PlaceHost();
    FPlacing = false;
}

// ---- TVazUnitEditBtn ----------------------------------------------------------------------------------

const TClassInfo& TVazUnitEditBtn::StaticClassInfo() {
    using C = TVazUnitEditBtn;
    static const TClassInfo Info = TClassBuilder<C, TVazEditBtn>()
                                       .Property(u"UnitID", &C::UnitID, &C::SetUnitID)
                                       .Property(u"UnitSpace", &C::UnitSpace, &C::SetUnitSpace)
                                       .Default(20)
                                       .Build();
    return Info;
}

TVazUnitEditBtn::TVazUnitEditBtn(TComponent* AOwner) : TVazEditBtn(AOwner), FUnits(std::make_unique<TStringList>()) {
    SetUnitSize(20);
    SetRightAlign(true);
}

TVazUnitEditBtn::~TVazUnitEditBtn() = default;

void TVazUnitEditBtn::SetUnits(const TStrings* Value) {
    if (Value) FUnits->Assign(Value);
}

void TVazUnitEditBtn::WriteUnitID(const String& Value) {
    FUnitID = Value;
    Invalidate();
}

void TVazUnitEditBtn::SetUnitSpace(Integer Value) {
    SetUnitSize(Value);
    SetEditRect();
    Invalidate();
}

void TVazUnitEditBtn::WriteTextAndUnit(const String& Value) {
    for (Integer I = 0; I < FUnits->Count(); ++I) {
        const String& U = FUnits->Get(I);
        if (U.empty()) continue;
        const size_t First = Value.find(U);
        if (First == String::npos || First + U.size() != Value.size()) continue;
        SetText(Value.substr(0, First));
        WriteUnitID(Value.substr(First));
        return;
    }
}

void TVazUnitEditBtn::DoClickBtn(TObject* Sender) {
    (void)Sender;
    if (OnClickBtn) OnClickBtn(this);
    if (!HandleAllocated() || FUnits->Count() == 0) return;
    HMENU Menu = CreatePopupMenu();
    for (Integer I = 0; I < FUnits->Count(); ++I) AppendMenu(Menu, MF_STRING, NativeUInt(I + 1), FUnits->Get(I));
    const TPoint At = ClientToScreen({ClientWidth() - 15, ClientHeight()});
    try {
        TrackPopupMenu(Menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, At.X, At.Y, Handle());
    } catch (...) {
        DestroyMenu(Menu);
        throw;
    }
    DestroyMenu(Menu);
}

void TVazUnitEditBtn::SelectUnit(Integer Index) {
    const String NewUnit = FUnits->Get(Index);
    const bool Changed = FUnitID != NewUnit;
    WriteUnitID(NewUnit);
    if (Changed && OnUnitChanged) OnUnitChanged(this, NewUnit);
}

void TVazUnitEditBtn::WndProc(TMessage& Message) {
    if (Message.Msg == WM_COMMAND && HIWORD(Message.WParam) != EN_CHANGE) {
        const Integer Id = LOWORD(Message.WParam);
        if (Id >= 1 && Id <= FUnits->Count()) SelectUnit(Id - 1);
        return;
    }
    TVazEditBtn::WndProc(Message);
}

void TVazUnitEditBtn::Paint() {
    TVazEditBtn::Paint();
    TCanvas* C = Canvas();
    const Integer Left = ClientWidth() - CurrentButtonWidth() - UnitSize() - 3;
    TRect R{Left, 2, Left + UnitSize(), ClientHeight()};
    C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsClear);
    DrawText(C->Handle(), FUnitID, R, DT_EDITCONTROL);
}
