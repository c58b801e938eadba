// Set-up and write-back of the spin, date and time, edit-with-button and
// value-with-unit editors, their getters and the handlers bound to the
// date pickers.

#include "grid/GridPickerEditors.h"
#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazInput.h"
#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"
#include "rtl/FlagScope.h"
#include "rtl/StringUtils.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Window.h"

#include <algorithm>
#include <cmath>

using namespace winapi;

namespace {

bool IsSpinKind(TEditorType K) {
    return K == edSpinEdit || K == edFloatSpinEdit || K == edTimeSpinEdit || K == edDateSpinEdit;
}
bool IsEditBtnKind(TEditorType K) {
    return K == edEditBtn || K == edNumericEditBtn || K == edFloatEditBtn || K == edMaskEditBtn;
}
bool IsUnitKind(TEditorType K) {
    return K == edUnitEditBtn || K == edNumericUnitEditBtn || K == edFloatUnitEditBtn;
}
bool IsDateKind(TEditorType K) {
    return K == edDateEdit || K == edDateEditUpDown || K == edTimeEdit;
}

TDateTime WholeDay(TDateTime Value) {
    return std::floor(Value);
}

TDateTime TimeOfDay(TDateTime Value) {
    return Value - std::floor(Value);
}

// The date and time of the date-and-time editor as a cell text.
String DateTimeText(TDateTime Value) {
    return DateToStr(Value) + u" " + TimeToStr(Value);
}

} // namespace

// ---- The editors, made on first use ------------------------------------------------

TGridSpin* TZirOvararIzazInput::SpinEdit() {
    if (!FEditSpin) {
        FEditSpin = Create<TGridSpin>(this);
        FEditSpin->SetVisible(false);
        FEditSpin->SetParent(this);
        FEditSpin->SetEnabled(false);
        FEditSpin->SetBorderStyle(bsNone);
        FEditSpin->SetIsWinXP(true);
    }
    return FEditSpin;
}

TGridDatePicker* TZirOvararIzazInput::DateTimePicker() {
    if (!FEditDate) {
        FEditDate = Create<TGridDatePicker>(this);
        FEditDate->SetVisible(false);
        FEditDate->SetParent(this);
        FEditDate->SetEnabled(false);
        FEditDate->OnCloseUp = [this](TObject* Sender) { DatePickerCloseUp(Sender); };
        FEditDate->OnDropDown = [this](TObject* Sender) { DatePickerDropDown(Sender); };
        FEditDate->OnChange = [this](TObject* Sender) { DatePickerChange(Sender); };
    }
    return FEditDate;
}

TGridDateTimePicker* TZirOvararIzazInput::DateAndTimePicker() {
    if (!FEditDateTime) {
        FEditDateTime = Create<TGridDateTimePicker>(this);
        FEditDateTime->SetVisible(false);
        FEditDateTime->SetParent(this);
        FEditDateTime->SetEnabled(false);
        FEditDateTime->SetAutoTab(true);
        FEditDateTime->OnCloseUp = [this](TObject* Sender) { DatePickerCloseUp(Sender); };
        FEditDateTime->OnTimeChange = [this](TObject* Sender) { DateTimePickerTimeChange(Sender); };
    }
    return FEditDateTime;
}

TGridEditBtn* TZirOvararIzazInput::BtnEdit() {
    if (!FEditBtn) {
        FEditBtn = Create<TGridEditBtn>(this);
        FEditBtn->SetVisible(false);
        FEditBtn->SetParent(this);
        FEditBtn->SetEnabled(false);
    }
    return FEditBtn;
}

TGridUnitEditBtn* TZirOvararIzazInput::BtnUnitEdit() {
    if (!FUnitEditBtn) {
        FUnitEditBtn = Create<TGridUnitEditBtn>(this);
        FUnitEditBtn->SetVisible(false);
        FUnitEditBtn->SetParent(this);
        FUnitEditBtn->SetEnabled(false);
    }
    return FUnitEditBtn;
}

// ---- Handlers bound to the date pickers --------------------------------------------

void TZirOvararIzazInput::DatePickerChange(TObject*) {
    if (!OnEditChange || !FEditDate) return;
    const String Value = FEditDate->Kind() == dtkTime ? TimeToStr(FEditDate->Time()) : DateToStr(FEditDate->Date());
    OnEditChange(this, Col(), Row(), Value);
}

void TZirOvararIzazInput::DatePickerDropDown(TObject*) {
    if (FEditDate && FEditDate->HandleAllocated()) {
        const HWND Calendar = HWND(SendMessage(FEditDate->Handle(), DTM_GETMONTHCAL, 0, 0));
        if (Calendar) {
            LONG_PTR Style = GetWindowLongPtr(Calendar, GWL_STYLE);
            if (!FEditDate->ShowToday()) Style |= 16;
            if (!FEditDate->ShowTodayCircle()) Style |= 8;
            if (FEditDate->Weeknumbers()) Style |= 4;
            SetWindowLongPtr(Calendar, GWL_STYLE, Style);
        }
    }
    if (OnDatePickerDropDown) OnDatePickerDropDown(this, Row(), Col());
}

void TZirOvararIzazInput::DatePickerCloseUp(TObject*) {
    if (OnDatePickerCloseUp) OnDatePickerCloseUp(this, Row(), Col());
    if (MouseActions()->Settings().DirectDateClose) {
        HideInplaceEdit();
        if (CanFocus()) SetFocus();
        if (Navigation()->AdvanceOnEnter()) AdvanceCell(Col(), Row(), true, false, true, false, false);
    }
}

void TZirOvararIzazInput::DateTimePickerTimeChange(TObject*) {
    if (OnDateTimeChange && FEditDateTime) OnDateTimeChange(this, Col(), Row(), FEditDateTime->DateTime());
}

// ---- Set-up ------------------------------------------------------------------------

bool TZirOvararIzazInput::SetUpPickerEditor(const TSpecialEditorPlace& Place) {
    const TEditorType Kind = FEditControl;
    if (!IsSpinKind(Kind) && !IsEditBtnKind(Kind) && !IsUnitKind(Kind) && !IsDateKind(Kind) &&
        Kind != edDateTimeEdit)
        return false;
    const TRect& R = Place.R;
    const Integer C = Place.C, ARow = Place.Row;
    FPickerCancelled = false;
    String T;
    {
        TFlagScope Align(FGetEditTextAlign, true);
        T = GetEditText(RealToDisplColumn(C), ARow);
    }
    auto Post = [this](TWinControl* Editor) {
        if (FStartEditChar != 0 && Editor->HandleAllocated())
            PostMessage(Editor->Handle(), WM_CHAR, WPARAM(FStartEditChar), 0);
    };

    if (IsSpinKind(Kind)) {
        TGridSpin* S = SpinEdit();
        S->ReCreate();
        S->SetBounds(R.Left, R.Top, Place.W, Place.H);
        S->SetVisible(true);
        S->SetEnabled(true);
        S->SetColor(Place.Colour);
        S->SetExcelStyleDecimalSeparator(ExcelStyleDecimalSeparator());
        DoGetEditorProp(C, ARow, nullptr);
        switch (Kind) {
        case edSpinEdit:
            S->SetSpinType(sptNormal);
            S->SetValue(StrToIntDef(Trim(T), 0));
            break;
        case edFloatSpinEdit: {
            S->SetSpinType(sptFloat);
            Double V = 0;
            if (!TryStrToFloat(NormalizeNumberText(T), V)) V = 0;
            S->SetFloatValue(V);
            break;
        }
        case edTimeSpinEdit:
            S->SetSpinType(sptTime);
            S->SetText(T);
            break;
        default: {
            S->SetSpinType(sptDate);
            TDateTime D = 0;
            if (T.empty() || !TryStrToDate(T, D)) D = Now();
            S->SetDateValue(D);
            break;
        }
        }
        if (S->CanFocus()) S->SetFocus();
        Post(S);
        if (FSpinUpClick) S->UpButtonClick(S);
        if (FSpinDnClick) S->DownButtonClick(S);
        FSpinUpClick = false;
        FSpinDnClick = false;
        FEditCtrl = S;
        return true;
    }

    if (IsEditBtnKind(Kind)) {
        TGridEditBtn* E = BtnEdit();
        E->ReCreate();
        E->SetEditMask(String());
        E->SetBounds(R.Left, R.Top, Place.W, E->Height());
        E->SetText(T);
        E->SetMaxLength(ResolveEditLimit());
        E->SetVisible(true);
        E->SetEnabled(true);
        E->SetColor(Place.Colour);
        E->SetButtonWidth(ControlLook()->DropDownButtonWidth() + 2);
        TAlignment HA = taLeftJustify;
        TVAlignment VA = vtaTop;
        ResolveAlignment(C, ARow, HA, VA);
        E->SetAlignment(HA);
        DoGetEditorProp(C, ARow, nullptr);
        if (E->CanFocus()) E->SetFocus();
        E->SetBounds(E->Left(), E->Top(), E->Width(), Place.H);
        if (Kind == edMaskEditBtn) {
            const String Text = E->Text();
            E->SetEditMask(ResolveEditMask(RealToDisplColumn(C), ARow));
            E->SetText(Text);
        }
        Post(E);
        FEditCtrl = E;
        return true;
    }

    if (IsUnitKind(Kind)) {
        TGridUnitEditBtn* U = BtnUnitEdit();
        U->ReCreate();
        U->SetBounds(R.Left, R.Top, Place.W, U->Height());
        U->SetMaxLength(ResolveEditLimit());
        U->SetUnitID(String());
        U->SetText(String());
        U->SetTextAndUnit(T);
        DoGetEditorProp(C, ARow, nullptr);
        U->SetVisible(true);
        U->SetEnabled(true);
        U->SetColor(Place.Colour);
        if (U->CanFocus()) U->SetFocus();
        U->SetBounds(U->Left(), U->Top(), U->Width(), Place.H);
        Post(U);
        FEditCtrl = U;
        return true;
    }

    // The pickers exist only while the platform's date picker does; without
    // it their kinds are granted with nothing shown.
    if (!ComCtlDatePickerAvailable()) return true;

    if (IsDateKind(Kind)) {
        TGridDatePicker* P = DateTimePicker();
        P->SetParent(this);
        P->ReCreate();
        FPickerStartEmpty = T.empty();
        if (Kind == edTimeEdit) {
            TDateTime V = 0;
            if (T.empty() || !TryStrToTime(T, V)) V = Now();
            P->SetKind(dtkTime);
            P->SetTime(V);
        } else {
            const TDateTime Min = P->MinDate(), Max = P->MaxDate();
            TDateTime D = Now();
            if (!T.empty()) {
                bool Ok = true;
                if (OnCustomStrToDate) {
                    OnCustomStrToDate(this, T, D);
                } else {
                    Ok = TryStrToDateTime(T, D) || TryStrToDate(T, D);
                }
                if (!Ok) D = Now();
            } else if (Max != 0 && Max < WholeDay(Now())) {
                D = Max;
            } else if (Min != 0 && Min > WholeDay(Now())) {
                D = Min;
            }
            // The start lies inside the limits, both included: a date on a
            // limit opens unchanged.
            if (Max != 0 && WholeDay(D) > Max) D = Max + TimeOfDay(D);
            if (Min != 0 && WholeDay(D) < Min) D = Min + TimeOfDay(D);
            P->SetKind(dtkDate);
            P->SetDateTime(D);
            P->SetDateMode(Kind == edDateEditUpDown ? dmUpDown : dmComboBox);
        }
        DoGetEditorProp(C, ARow, nullptr);
        P->SetBounds(R.Left, R.Top, Place.W, Place.H);
        P->SetEnabled(true);
        P->SetVisible(true);
        P->SetColor(Place.Colour);
        if (P->CanFocus()) P->SetFocus();
        FPickerStartValue = P->DateTime();
        if (Kind != edTimeEdit) {
            if (MouseActions()->Settings().DirectDateDrop && P->HandleAllocated())
                SendMessage(P->Handle(), WM_KEYDOWN, VK_F4, 0);
            Post(P);
        }
        FEditCtrl = P;
        return true;
    }

    // edDateTimeEdit
    TGridDateTimePicker* P = DateAndTimePicker();
    P->SetParent(this);
    FPickerStartEmpty = T.empty();
    TDateTime D = 0;
    if (T.empty() || !TryStrToDateTime(T, D)) D = Now();
    FOriginalDateTime = D;
    P->SetKind(dkDateTime);
    try {
        P->SetDateTime(D);
    } catch (const Exception&) {
        // Outside the picker's limits: it keeps its value.
    }
    P->SetBorderStyle(bsNone);
    P->HookTimePart();
    Integer Left = R.Left, Width = Place.W;
    if (P->MinimumWidth() >= 0 && Place.W < P->MinimumWidth()) {
        Width = P->MinimumWidth();
        if (Left + Width > ClientWidth()) Left = R.Left + Place.W - P->MinimumWidth();
    }
    P->SetBounds(Left, R.Top, Width, std::max(P->Height(), Place.H));
    DoGetEditorProp(C, ARow, nullptr);
    P->SetEnabled(true);
    P->SetVisible(true);
    P->SetColor(Place.Colour);
    if (P->CanFocus()) P->SetFocus();
    FPickerStartValue = P->DateTime();
    FEditCtrl = P;
    return true;
}

// ---- Write-back --------------------------------------------------------------------

bool TZirOvararIzazInput::WriteBackPickerEditor(Integer C, Integer ARow) {
    const TEditorType Kind = FEditControl;
    if (!IsSpinKind(Kind) && !IsEditBtnKind(Kind) && !IsUnitKind(Kind) && !IsDateKind(Kind) &&
        Kind != edDateTimeEdit)
        return false;
    // Escape: the cell keeps its text from before the edit.
    const bool Cancelled = FPickerCancelled;
    FPickerCancelled = false;

    if (IsSpinKind(Kind)) {
        FEditMode = false;
        if (TGridSpin* S = FEditSpin) {
            if (!Cancelled) {
                if (S->AllowEmptyValue() && Trim(S->Text()).empty())
                    SetCells(C, ARow, String());
                else if (Kind == edSpinEdit)
                    SetInts(C, ARow, S->Value());
                else if (Kind == edFloatSpinEdit)
                    SetFloats(C, ARow, S->FloatValue());
                else if (Kind == edTimeSpinEdit)
                    StoreEditValue(C, ARow, S->Text());
                else
                    SetDates(C, ARow, S->DateValue());
            }
            S->SetEnabled(false);
            S->SetVisible(false);
        }
        return true;
    }

    if (IsEditBtnKind(Kind)) {
        if (FEditMode && FEditBtn) {
            FEditMode = false;
            StoreEditValue(C, ARow, FEditBtn->Text());
            FEditBtn->SetEnabled(false);
            FEditBtn->SetVisible(false);
        }
        return true;
    }

    if (IsUnitKind(Kind)) {
        FEditMode = false;
        if (FUnitEditBtn) {
            StoreEditValue(C, ARow, FUnitEditBtn->Text() + FUnitEditBtn->UnitID());
            FUnitEditBtn->SetEnabled(false);
            FUnitEditBtn->SetVisible(false);
        }
        FEditMode = false;
        return true;
    }

    // A picker writes back once: a second write-back of the same edit does
    // nothing.
    if (!ComCtlDatePickerAvailable() || !FEditMode) return true;

    // Hiding the editor takes its focus, and its focus loss must find the
    // edit over.
    FEditMode = false;
    if (IsDateKind(Kind)) {
        if (TGridDatePicker* P = FEditDate) {
            // An empty cell left without a change stays empty.
            const bool Untouched = FPickerStartEmpty && P->DateTime() == FPickerStartValue;
            if (!Cancelled && !Untouched) {
                if (Kind == edTimeEdit) {
                    StoreEditValue(C, ARow, P->Text());
                } else if (P->Checked()) {
                    Word Y, M, D;
                    DecodeDate(P->DateTime(), Y, M, D);
                    if (Y != 0 && M != 0 && D != 0) StoreEditValue(C, ARow, DateToStr(P->DateTime()));
                } else {
                    StoreEditValue(C, ARow, String());
                }
            }
            FEditMode = false;
            P->SetEnabled(false);
            P->SetVisible(false);
        }
        FEditMode = false;
        return true;
    }

    if (TGridDateTimePicker* P = FEditDateTime) {
        const bool Untouched = FPickerStartEmpty && P->DateTime() == FPickerStartValue;
        if (!Cancelled && !Untouched) StoreEditValue(C, ARow, P->Checked() ? DateTimeText(P->DateTime()) : String());
        P->SetEnabled(false);
        P->SetVisible(false);
    }
    FEditMode = false;
    return true;
}
