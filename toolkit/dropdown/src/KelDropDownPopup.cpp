// The drop-down edit's side of the pop-up: making the form, hosting the
// control, sizing, placing, opening and closing, and the keys and wheel
// turns the form and its control hand back to the edit.

#include "dropdown/KelDropDown.h"
#include "rtl/MathUtils.h"
#include "vcl/Forms.h"
#include "vcl/Timer.h"
#include "windowing/Focus.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/SystemMetrics.h"
#include "windowing/Timers.h"
#include "DropDownScopes.h"

#include <algorithm>

using namespace winapi;

namespace {

// Clears a flag on every way out of a scope.
struct TClearOnExit {
    explicit TClearOnExit(bool& AFlag) : Flag(AFlag) {}
    ~TClearOnExit() { Flag = false; }
    bool& Flag;
};

} // namespace

void TKelCustomDropDown::CreateDropDownForm() {
    if (FDropDownForm) return;
    FDropDownForm = CreateNew<TDropDownForm>(this);
    FDropDownForm->SetKelDropDown(this);
    FDropDownForm->SetBorderStyle(bsNone);
    FDropDownForm->SetVisible(false);
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), FDropDownWidth, FDropDownHeight);
    FDropDownForm->OnClose = [](TObject*, TCloseAction&) {};
    FDropDownForm->OnHide = [this](TObject*) { AfterHideDropDown(); };
    FDropDownForm->OnKeyPress = [this](TObject* Sender, Char& Key) { ForwardFormKeyPress(Sender, Key); };
    FDropDownForm->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) {
        ForwardFormKeyDown(Sender, Key, Shift);
    };
    FDropDownForm->OnKeyUp = [this](TObject* Sender, Word& Key, TShiftState Shift) {
        ForwardFormKeyUp(Sender, Key, Shift);
    };
    FDropDownForm->OnMouseWheelDown = [this](TObject*, TShiftState Shift, TPoint MousePos, bool& Handled) {
        DropDownWheelDown(Shift, MousePos, Handled);
    };
    FDropDownForm->OnMouseWheelUp = [this](TObject*, TShiftState Shift, TPoint MousePos, bool& Handled) {
        DropDownWheelUp(Shift, MousePos, Handled);
    };
    FDropDownForm->OnDestroy = [this](TObject*) { DropDownFormDestroyed(); };
    FDropDownForm->OnSizing = [this](TObject*) { DropDownResized(); };
    FDropDownForm->OnSize = [this](TObject*) { DropDownResized(); };
    FDropDownForm->SetScaled(true);
    FDropDownForm->SetDoubleBuffered(true);
}

void TKelCustomDropDown::SetControl(TControl* Value) {
    if (Value == FControl || Value == this) return;
    if (FControl) {
        FControl->SetAlign(alNone);
        FControl->SetVisible(false);
        FControl->RemoveFreeNotification(this);
    }
    FControl = Value;
    if (!Value) return;
    Value->FreeNotification(this);
    const Single Factor = FDPIScale > 0 ? FDPIScale : 1.0f;
    FOrigCtrlW = RoundToInt(Value->Width() / Factor);
    FOrigCtrlH = RoundToInt(Value->Height() / Factor);
    if (FDropDownWidth == 0 && FOrigCtrlW < Width())
        FOrigCtrlW = RoundToInt((Width() - GetSystemMetrics(SM_CXVSCROLL)) / Factor);
    if (!IsDesigning()) Value->SetVisible(false);
}

void TKelCustomDropDown::PlaceDropDownControl() {
    if (!FDropDownForm || !FControl) return;
    FControl->SetParent(FDropDownForm);
    FControl->SetTop(FDropDownHeader->Visible() ? FDropDownHeader->Height() + 2 : FDropDownBorderWidth);
    FControl->SetAlign(alClient);
    FControl->SetVisible(true);
}

void TKelCustomDropDown::AdaptDropDownSize() {
    if (!FDropDownForm) return;
    const Single F = FDPIScale;
    const bool Hosted = FControl && FControl->Visible();
    Integer W;
    if (FDropDownWidth > 0)
        W = RoundToInt(FDropDownWidth * F);
    else if (Hosted)
        W = RoundToInt(FOrigCtrlW * F);
    else
        W = Width();
    Integer H;
    if (FDropDownHeight > 0) {
        H = RoundToInt(FDropDownHeight * F);
    } else {
        H = 2 * FDropDownBorderWidth;
        if (FDropDownHeader->Visible()) H += RoundToInt(FDropDownHeader->Height() * F);
        if (FDropDownFooter->Visible()) H += RoundToInt(FDropDownFooter->Height() * F);
        if (Hosted) H += RoundToInt(FOrigCtrlH * F);
    }
    FDropDownForm->SetBounds(FDropDownForm->Left(), FDropDownForm->Top(), W, H);
}

void TKelCustomDropDown::DoBeforeDropDown() {
    if (OnBeforeDropDown) OnBeforeDropDown(this);
}

void TKelCustomDropDown::DoAfterDropDown() {
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    if (OnAfterDropDown) OnAfterDropDown(this);
}

void TKelCustomDropDown::DropDownButtonClick(TObject*) {
    if (IsDesigning() || !FDropDownForm || FDropDownForm->Visible()) return;
    // Unsigned difference, so a wrap of the tick counter does not block it.
    const Cardinal Elapsed = Cardinal(GetTickCount()) - FDropDownForm->DeActivateTime();
    if (Elapsed > 250) DoShowDropDown();
}

void TKelCustomDropDown::DoShowDropDown() {
    TDropDownForm* Form = FDropDownForm;
    if (IsDesigning() || !Form || Form->Visible() || !Enabled() || ReadOnly() || Form->IsDeactivating() ||
        FDoShowBusy)
        return;
    FDoShowBusy = true;
    TClearOnExit ShowEnds(FDoShowBusy);
    DoBeforeDropDown();
    Form->SetShadow(FDropDownShadow);
    if (FControl) {
        FControl->SetParent(Form);
        PlaceDropDownControl();
    }
    Form->InitializeAndUpdate();
    Form->SetBounds(Left(), Top(), Form->Width(), Form->Height());
    AdaptDropDownSize();
    PlaceDropDownControl();
    Form->Constraints()->SetMinWidth(80);
    Form->Constraints()->SetMinHeight(50);
    if (auto* Hosted = dynamic_cast<TWinControl*>(FControl)) {
        Hosted->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) {
            ForwardControlKeyDown(Sender, Key, Shift);
        };
        Hosted->OnKeyPress = [this](TObject* Sender, Char& Key) { ForwardControlKeyPress(Sender, Key); };
        Hosted->OnKeyUp = [this](TObject* Sender, Word& Key, TShiftState Shift) {
            ForwardControlKeyUp(Sender, Key, Shift);
        };
    }
    TPoint P = Parent() ? Parent()->ClientToScreen({Left(), Top()}) : ClientToScreen({0, 0});
    const Integer Q = BorderStyle() == bsNone ? 2 : 0;
    if (FUserDropDownHeight >= 0) Form->SetHeight(RoundToInt(FUserDropDownHeight * FDPIScale));
    const Integer W = Form->Width();
    const Integer H = Form->Height();

    // The work area of the monitor nearest the anchor.
    TRect Work(-1, -1, -1, -1);
    if (TMonitor* Monitor = Screen->MonitorFromPoint(P))
        Work = Monitor->WorkareaRect();
    else
        SystemParametersInfo(SPI_GETWORKAREA, 0, &Work, 0);

    const Integer Below = P.Y + Height() + Q - 1;
    const Integer Above = P.Y + Q - H;
    Integer Top;
    switch (FDropPosition) {
    case dpDown:
        Top = Below;
        break;
    case dpUp:
        Top = Above;
        break;
    default:
        // Down when it fits under the edit, else up when it fits above,
        // else on the side with more room.
        if (Below + H <= Work.Bottom)
            Top = Below;
        else if (Above >= Work.Top)
            Top = Above;
        else
            Top = Work.Bottom - Below >= P.Y - Work.Top ? Below : Above;
        break;
    }
    Form->SetBounds(P.X - Q, Top, W, H);
    FOldText = ReadText();
    bool Accept = true;
    if (OnDropDown) OnDropDown(this, Accept);
    if (!Accept) return;

    if (FUserDropDownWidth >= 0) Form->SetWidth(RoundToInt(FUserDropDownWidth * FDPIScale));
    // Kept between the work area's left and right edges.
    Integer Left = Form->Left();
    if (Left + Form->Width() > Work.Right) Left = Work.Right - Form->Width();
    if (Left < Work.Left) Left = Work.Left;
    P = {Left, Form->Top()};
    if (OnGetDropDownPos) OnGetDropDownPos(this, P);
    const Integer W2 = Form->Width();
    Integer H2 = Form->Height();
    AdjustDropDownHeight(H2);

    FDroppedDown = true;
    Form->SetBounds(P.X, P.Y, W2, H2);
    SetWindowPos(Form->Handle(), HWND_TOPMOST, P.X, P.Y, W2, H2, SWP_SHOWWINDOW);
    Form->SetVisible(true);
    if (auto* Hosted = dynamic_cast<TWinControl*>(FControl))
        if (Hosted->CanFocus()) Hosted->SetFocus();
    DoAfterDropDown();
    RefreshButton();
}

void TKelCustomDropDown::DoHideDropDown(bool Cancel) {
    TDropDownForm* Form = FDropDownForm;
    if (IsDesigning() || !Form || !Form->Visible()) return;
    if (OnBeforeDropUp) OnBeforeDropUp(this);
    const Single F = FDPIScale > 0 ? FDPIScale : 1.0f;
    FUserDropDownWidth = RoundToInt(Form->Width() / F);
    FUserDropDownHeight = RoundToInt(Form->Height() / F);
    Form->Hide();
    if (Application) Application->CancelHint();
    if (Cancel) WriteText(FOldText);
    if (OnDropUp) OnDropUp(this, Cancel);
    RefreshButton();
    // Every close ends a deactivation, so the next opening is not refused.
    Form->SetIsDeactivating(false);
}

void TKelCustomDropDown::HideDropDown(bool CancelChanges) {
    DoHideDropDown(CancelChanges);
    if (FDropDownForm) FDropDownForm->SetIsDeactivating(false);
}

void TKelCustomDropDown::AfterHideDropDown() {
    FDroppedDown = false;
    if (TabStop() && CanFocus() && !Focused() && !ComponentState().Contains(csDestroying)) SetFocus();
}

TSize TKelCustomDropDown::DropDownSize() const {
    if (FDropDownForm && FDropDownSizeable) return {FDropDownForm->Width(), FDropDownForm->Height()};
    if (FDropDownWidth != 0 && FDropDownHeight != 0) return {FDropDownWidth, FDropDownHeight};
    if (FControl) return {FControl->Width(), FControl->Height()};
    return {0, 0};
}

void TKelCustomDropDown::DropDownWheelDown(TShiftState, TPoint, bool&) {
    MoveToNextItem();
}

void TKelCustomDropDown::DropDownWheelUp(TShiftState, TPoint, bool&) {
    MoveToPreviousItem();
}

void TKelCustomDropDown::ForwardFormKeyPress(TObject*, Char& Key) {
    SendMessage(Handle(), WM_CHAR, Key, 0);
}

void TKelCustomDropDown::ForwardFormKeyDown(TObject*, Word& Key, TShiftState) {
    SendMessage(Handle(), WM_KEYDOWN, Key, 0);
}

void TKelCustomDropDown::ForwardFormKeyUp(TObject*, Word& Key, TShiftState) {
    SendMessage(Handle(), WM_KEYUP, Key, 0);
}

void TKelCustomDropDown::ForwardControlKeyDown(TObject*, Word& Key, TShiftState) {
    SendMessage(Handle(), WM_KEYDOWN, Key, 0);
}

void TKelCustomDropDown::ForwardControlKeyUp(TObject*, Word& Key, TShiftState) {
    SendMessage(Handle(), WM_KEYUP, Key, 0);
}

void TKelCustomDropDown::ForwardControlKeyPress(TObject*, Char& Key) {
    SendMessage(Handle(), WM_CHAR, Key, 0);
}

// ---- The list of the list pickers ----

TKelCustomItemSelector* TKelCustomDropDown::CreateListSelector(TSelectorType AType) {
    if (!FDropDownForm) return FItemSelector;
    if (!FItemSelector) {
        // The list scrolls itself; the pop-up around it never does.
        FDropDownForm->SetAutoScroll(false);
        FItemSelector = Create<TKelCustomItemSelector>(this);
        FItemSelector->SetParent(FDropDownForm);
        FItemSelector->SetSelectorType(AType);
        FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    }
    FItemSelector->SetColor(FDropDownColor);
    FItemSelector->UpdateSelectorPanel();
    SetControl(FItemSelector);
    return FItemSelector;
}

bool TKelCustomDropDown::ListOpen() const {
    return FItemSelector && FDropDownForm && FDropDownForm->Visible();
}

void TKelCustomDropDown::MoveListTo(Integer Index) {
    if (!FItemSelector || Index < 0 || Index >= FItemSelector->Items()->Count()) return;
    TFlagSet Internal(FInternalCall);
    FItemSelector->SetItemIndex(Index);
    FItemSelector->ScrollItemInView(Index);
}

void TKelCustomDropDown::CreateListKeyTimer() {
    if (FKeyTimer) return;
    FKeyTimer = Create<TTimer>(this);
    FKeyTimer->SetEnabled(false);
    FKeyTimer->SetInterval(500);
    FKeyTimer->OnTimer = [this](TObject*) {
        FKeyTimer->SetEnabled(false);
        FCurSearch.clear();
    };
}

void TKelCustomDropDown::ListTypeAhead(Char C) {
    if (!FItemSelector) return;
    FCurSearch += CaseFold(String(1, C), false);
    {
        TFlagSet Internal(FInternalCall);
        FItemSelector->LookupItem(FCurSearch);
        FItemSelector->ScrollItemInView(FItemSelector->ItemIndex());
    }
    // Enabling a running timer does not restart it.
    if (FKeyTimer) FKeyTimer->SetEnabled(true);
}

bool TKelCustomDropDown::ListTypeAheadChar(Char C) {
    if (!Enabled() || !FItemSelector || C < 32 || C == 127 || KeyHeld(VK_CONTROL) || KeyHeld(VK_MENU))
        return false;
    ListTypeAhead(C);
    return true;
}

bool TKelCustomDropDown::HandleListKey(Word Key, Integer ItemCount, const std::function<void()>& Refill) {
    if (!FItemSelector) return false;
    const bool Open = ListOpen();
    switch (Key) {
    case VK_PRIOR:
    case VK_NEXT: {
        if (FItemSelector->Items()->Count() != ItemCount && Refill) Refill();
        const Integer N = FItemSelector->GetVisibleItemCount();
        if (N <= 0) return true;
        const Integer Last = FItemSelector->Items()->Count() - 1;
        const Integer I = FItemSelector->ItemIndex();
        MoveListTo(Key == VK_PRIOR ? std::max(I - N, 0) : std::min(I + N, Last));
        return true;
    }
    case VK_END:
    case VK_HOME:
        if (!Open) return false;
        {
            TFlagSet Internal(FInternalCall);
            if (Key == VK_END)
                FItemSelector->SelectLast();
            else
                FItemSelector->SelectFirst();
        }
        return true;
    case VK_LEFT:
    case VK_RIGHT:
        if (!FEditorEnabled && Open) {
            TFlagSet Internal(FInternalCall);
            if (Key == VK_LEFT)
                FItemSelector->SelectPrevious();
            else
                FItemSelector->SelectNext();
        }
        return true;
    default:
        return false;
    }
}

bool TKelCustomDropDown::ListWheelStep(bool Forward) {
    if (!FItemSelector) return false;
    if (ListOpen()) {
        if (Forward)
            FItemSelector->HotNext();
        else
            FItemSelector->HotPrevious();
    } else {
        TFlagSet Internal(FInternalCall);
        if (Forward)
            FItemSelector->SelectNext();
        else
            FItemSelector->SelectPrevious();
    }
    return true;
}
