// The spin, date and time, date-and-time, edit-with-button and
// value-with-unit in-place editors: their grid keys, commits through the
// grid's validation, cancels, events and character filters.

#include "grid/GridPickerEditors.h"

#include "grid/GridEditorFamily.h"
#include "grid/GridUnit.h"
#include "grid/ZirOvararIzazInput.h"
#include "gridbase/RarEvad.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/FlagScope.h"
#include "rtl/StringUtils.h"
#include "vcl/Clipbrd.h"
#include "vcl/ControlMessages.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

using namespace winapi;

namespace {

TShiftState KeyboardShift() {
    TShiftState Shift;
    if (GetKeyState(VK_SHIFT) < 0) Shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) Shift.Include(ssCtrl);
    if (GetKeyState(VK_MENU) < 0) Shift.Include(ssAlt);
    return Shift;
}

TZirOvararIzazInput* OwnerGrid(TComponent* AOwner, bool Checked) {
    auto* Grid = dynamic_cast<TZirOvararIzazInput*>(AOwner);
    if (Checked && !Grid) throw EInvalidCast(u"Invalid class typecast");
    return Grid;
}

} // namespace

// ---- TGridSpin ---------------------------------------------------------------------

const TClassInfo& TGridSpin::StaticClassInfo() {
    using C = TGridSpin;
    static const TClassInfo Info = TClassBuilder<C, TVazSpinEdit>()
                                       .Property(u"AlwaysValidate", &C::AlwaysValidate, &C::SetAlwaysValidate)
                                       .Default(false)
                                       .Build();
    return Info;
}

TGridSpin::TGridSpin(TComponent* AOwner) : TVazSpinEdit(AOwner) {
    FGrid = OwnerGrid(AOwner, true);
}

void TGridSpin::ReCreate() {
    if (HandleAllocated()) RecreateWnd();
}

void TGridSpin::ClampToLimits() {
    switch (SpinType()) {
    case sptNormal:
        if (MinValue() != MaxValue() || FAlwaysValidate) {
            Integer V = Value();
            if (V < MinValue()) V = MinValue();
            if (V > MaxValue()) V = MaxValue();
            if (V != Value() || Trim(Text()) != IntToStr(V)) SetValue(V);
        }
        break;
    case sptFloat:
        if (MinFloatValue() != MaxFloatValue() || FAlwaysValidate) {
            Double V = FloatValue();
            // A value that does not compare (not a number) goes to the minimum.
            if (!(V >= MinFloatValue())) V = MinFloatValue();
            if (V > MaxFloatValue()) V = MaxFloatValue();
            if (V != FloatValue()) SetFloatValue(V);
        }
        break;
    default: break;
    }
}

void TGridSpin::FireSpinClick(bool Up) {
    TZirOvararIzazInput* G = FGrid;
    switch (SpinType()) {
    case sptNormal:
        if (G->OnSpinClick) G->OnSpinClick(G, G->Col(), G->Row(), Value(), Up);
        break;
    case sptFloat:
        if (G->OnFloatSpinClick) G->OnFloatSpinClick(G, G->Col(), G->Row(), FloatValue(), Up);
        break;
    case sptDate:
        if (G->OnDateSpinClick) G->OnDateSpinClick(G, G->Col(), G->Row(), DateValue(), Up);
        break;
    case sptTime:
        if (G->OnTimeSpinClick) G->OnTimeSpinClick(G, G->Col(), G->Row(), TimeValue(), Up);
        break;
    }
}

void TGridSpin::UpButtonClick(TObject* Sender) {
    TVazSpinEdit::UpButtonClick(Sender);
    FireSpinClick(true);
}

void TGridSpin::DownButtonClick(TObject* Sender) {
    TVazSpinEdit::DownButtonClick(Sender);
    FireSpinClick(false);
}

bool TGridSpin::GridKeyDown(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = FGrid;
    const bool Numeric = SpinType() == sptNormal || SpinType() == sptFloat;
    const bool PageKey = Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME || Key == VK_END;
    if (PageKey && Numeric) {
        const bool Float = SpinType() == sptFloat;
        switch (Key) {
        case VK_PRIOR:
            if (Float) {
                if (FloatValue() + IncrementFloat() <= MaxFloatValue()) SetFloatValue(FloatValue() + IncrementFloat());
            } else if (Value() + Increment() <= MaxValue()) {
                SetValue(Value() + Increment());
            }
            break;
        case VK_NEXT:
            if (Float) {
                if (FloatValue() - IncrementFloat() >= MinFloatValue()) SetFloatValue(FloatValue() - IncrementFloat());
            } else if (Value() - Increment() >= MinValue()) {
                SetValue(Value() - Increment());
            }
            break;
        // End goes to the minimum, Home to the maximum.
        case VK_END:
            if (Float)
                SetFloatValue(MinFloatValue());
            else
                SetValue(MinValue());
            break;
        case VK_HOME:
            if (Float)
                SetFloatValue(MaxFloatValue());
            else
                SetValue(MaxValue());
            break;
        default: break;
        }
    }
    if (PageKey && G->OnSpinClick)
        G->OnSpinClick(G, G->Col(), G->Row(), Value(), Key == VK_PRIOR || Key == VK_HOME);
    // The page keys have done their work; Home and End leave the caret alone.
    if (PageKey) return true;
    if (Key != VK_TAB && Key != VK_RETURN && Key != VK_ESCAPE && Key != VK_UP && Key != VK_DOWN) return false;

    TGridEditorLink Link(G);
    if (Key == VK_ESCAPE) {
        // The cell keeps the text it had before the edit.
        G->FPickerCancelled = true;
        SetText(G->FCellCache);
    } else {
        // Tab is validated here also when the grid leaves it to the window.
        ClampToLimits();
        const bool Accepted = Key == VK_TAB ? Link.CommitTab(Text(), Key) : Link.Commit(Text(), Key);
        SetText(G->CurrentCell());
        if (!Accepted) {
            SetSelStart(Integer(Text().size()));
            Invalidate();
            return true;
        }
    }
    if (Key == VK_TAB && G->Options().Contains(goTabs)) {
        Link.TabAway();
        Key = 0;
        return true;
    }
    G->DoneInplaceEdit(Key, Shift);
    if (Link.OpensNextEditor(Key)) G->ShowInplaceEdit();
    Key = 0;
    return true;
}

void TGridSpin::WndProc(TMessage& Message) {
    if (FGrid) {
        switch (Message.Msg) {
        case WM_KEYDOWN: {
            Word Key = Word(Message.WParam);
            if (GridKeyDown(Key, KeyboardShift())) {
                Message.Result = 0;
                return;
            }
            break;
        }
        case WM_CHAR:
            if (Message.WParam == VK_TAB || Message.WParam == VK_RETURN) {
                Message.Result = 0;
                return;
            }
            break;
        case CM_WANTSPECIALKEY:
            TVazSpinEdit::WndProc(Message);
            if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE ||
                (Message.WParam == VK_TAB && FGrid->Options().Contains(goTabs)))
                Message.Result = 1;
            return;
        default: break;
        }
    }
    TVazSpinEdit::WndProc(Message);
}

void TGridSpin::KeyPress(Char& Key) {
    if (FGrid && FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
    if (Key == VK_ESCAPE) Key = 0;
    if (Key != VK_RETURN) TVazSpinEdit::KeyPress(Key);
}

void TGridSpin::DoExit() {
    ClampToLimits();
    if (FGrid) FGrid->HideInplaceEdit();
    TVazSpinEdit::DoExit();
}

void TGridSpin::Change() {
    TVazSpinEdit::Change();
    if (FGrid && FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

// ---- TGridDatePicker ---------------------------------------------------------------

const TClassInfo& TGridDatePicker::StaticClassInfo() {
    using C = TGridDatePicker;
    static const TClassInfo Info = TClassBuilder<C, TVazDateTimePicker>()
                                       .Property(u"Weeknumbers", &C::Weeknumbers, &C::SetWeeknumbers)
                                       .Default(false)
                                       .Property(u"ShowToday", &C::ShowToday, &C::SetShowToday)
                                       .Default(true)
                                       .Property(u"ShowTodayCircle", &C::ShowTodayCircle, &C::SetShowTodayCircle)
                                       .Default(true)
                                       .Build();
    return Info;
}

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TVazDateTimePicker(AOwner) {
    FGrid = OwnerGrid(AOwner, true);
    DTPShiftFocusMessage();
}

void TGridDatePicker::ReCreate() {
    if (HandleAllocated()) RecreateWnd();
}

void TGridDatePicker::CheckAutoTab() {
    Word Y, Mo, D, H, Mi, S, Ms;
    DecodeDate(DateTime(), Y, Mo, D);
    DecodeTime(DateTime(), H, Mi, S, Ms);
    bool Move = true;
    if (Kind() == dtkTime) {
        Move = !(H == FHour && Mi == FMinute && S == FSecond);
    } else if (!Format().empty()) {
        const Char L = Format().back();
        // The changed field is the last one: there is no next field.
        if (D != FDay && (L == u'd' || L == u'D')) Move = false;
        if (Mo != FMonth && (L == u'm' || L == u'M')) Move = false;
        if (Y != FYear && (L == u'y' || L == u'Y')) Move = false;
        if (D == FDay && Mo == FMonth && Y == FYear) Move = false;
    } else {
        Move = !(D == FDay && Mo == FMonth);
    }
    if (Move && HandleAllocated()) PostMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = FGrid;
    const bool GridKey = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                         Key == VK_NEXT || Key == VK_END;
    if (!G || !GridKey) {
        TVazDateTimePicker::KeyDown(Key, Shift);
        return;
    }
    TGridEditorLink Link(G);
    if (Key == VK_ESCAPE) {
        // The cell keeps the text it had before the edit.
        G->FPickerCancelled = true;
        TDateTime V = 0;
        const bool Parsed = Kind() == dtkTime ? TryStrToTime(G->CurrentCell(), V) : TryStrToDate(G->CurrentCell(), V);
        try {
            if (!Parsed)
                SetDateTime(Now());
            else if (Kind() == dtkTime)
                SetTime(V);
            else
                SetDate(V);
        } catch (const Exception&) {
            // Outside the picker's limits: the value stays.
        }
    } else if (Key == VK_RETURN) {
        // A Right arrow completes the field being typed.
        Word Right = VK_RIGHT;
        TVazDateTimePicker::KeyDown(Right, TShiftState());
        if (!Link.Commit(Text(), Key)) {
            Invalidate();
            return;
        }
    } else if (Key == VK_TAB && Link.GridWantsTab()) {
        if (!Link.CommitTab(Text(), Key)) {
            Invalidate();
            return;
        }
        if (G->Options().Contains(goTabs)) {
            Link.TabAway();
            Key = 0;
            return;
        }
        Link.PostTab();
    }
    if (!DroppedDown()) {
        G->DoneInplaceEdit(Key, Shift);
        if (Link.OpensNextEditor(Key)) G->ShowInplaceEdit();
    }
}

void TGridDatePicker::KeyPress(Char& Key) {
    const Char Typed = Key;
    if (Key >= u'0' && Key <= u'9') {
        DecodeTime(DateTime(), FHour, FMinute, FSecond, FMilliSecond);
        DecodeDate(DateTime(), FYear, FMonth, FDay);
        TVazDateTimePicker::KeyPress(Key);
        if (HandleAllocated()) PostMessage(Handle(), DTPShiftFocusMessage(), 0, 0);
    } else {
        TVazDateTimePicker::KeyPress(Key);
    }
    Char Reported = Typed;
    if (FGrid && FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Reported);
}

void TGridDatePicker::WndProc(TMessage& Message) {
    if (Message.Msg == DTPShiftFocusMessage()) {
        CheckAutoTab();
        Message.Result = 0;
        return;
    }
    if (Message.Msg == CM_WANTSPECIALKEY && FGrid) {
        TVazDateTimePicker::WndProc(Message);
        if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE ||
            (Message.WParam == VK_TAB && FGrid->EditorWantsTab()))
            Message.Result = 1;
        return;
    }
    TVazDateTimePicker::WndProc(Message);
}

void TGridDatePicker::DoExit() {
    if (FGrid) FGrid->HideInplaceEdit();
    TVazDateTimePicker::DoExit();
}

// ---- TGridDateTimePicker -----------------------------------------------------------

const TClassInfo& TGridDateTimePicker::StaticClassInfo() {
    using C = TGridDateTimePicker;
    static const TClassInfo Info = TClassBuilder<C, TKelDateTimePicker>()
                                       .Property(u"MinimumWidth", &C::MinimumWidth, &C::SetMinimumWidth)
                                       .Default(-1)
                                       .Build();
    return Info;
}

TGridDateTimePicker::TGridDateTimePicker(TComponent* AOwner) : TKelDateTimePicker(AOwner) {
    FGrid = OwnerGrid(AOwner, false);
    SetGridTabHandling(true);
}

void TGridDateTimePicker::HookTimePart() {
    if (TCustomDateTimePicker* Part = TimePicker()) {
        Part->SetGridTabHandling(true);
        Part->OnKeyDown = [this](TObject*, Word& Key, TShiftState Shift) { GridKeyDown(Key, Shift); };
    }
}

void TGridDateTimePicker::KeyDown(Word& Key, TShiftState Shift) {
    if (!GridKeyDown(Key, Shift)) TKelDateTimePicker::KeyDown(Key, Shift);
}

bool TGridDateTimePicker::GridKeyDown(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = FGrid;
    const bool GridKey = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                         Key == VK_NEXT || Key == VK_END;
    if (!G || !GridKey) return false;
    const bool TimeFocused = TimePicker() && TimePicker()->Focused();
    const bool NoModifier = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    const bool OnlyShift = Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    TGridEditorLink Link(G);
    if (Key == VK_ESCAPE) {
        // Both the date and the time the cell had come back; the cell keeps
        // its text.
        G->FPickerCancelled = true;
        try {
            SetDateTime(G->FOriginalDateTime);
        } catch (const Exception&) {
        }
        Link.Cancel();
        Key = 0;
        return true;
    }
    if (Key == VK_RETURN) {
        // Validated like every other editor's value.
        const String Value = DateToStr(DateTime()) + u" " + TimeToStr(DateTime());
        if (!Link.Commit(Value, Key)) {
            Invalidate();
            return true;
        }
        G->HideInplaceEdit();
        Link.FocusGrid();
        if (G->Navigation()->AdvanceOnEnter())
            G->AdvanceCell(G->Col(), G->Row(), false, false, !Shift.Contains(ssShift), false, false);
        Key = 0;
        return true;
    }
    if ((G->EditorWantsTab() && Key == VK_TAB && TimeFocused && NoModifier) || (!TimeFocused && OnlyShift)) {
        const TDateTime Value = DateTime();
        G->HideInplaceEdit();
        Link.FocusGrid();
        G->SetCurrentCell(DateToStr(Value) + u" " + TimeToStr(Value));
        G->NavigateByKey(Shift.Contains(ssShift));
        Key = 0;
        return true;
    }
    return false;
}

void TGridDateTimePicker::WndProc(TMessage& Message) {
    if (Message.Msg == CM_WANTSPECIALKEY && FGrid) {
        TKelDateTimePicker::WndProc(Message);
        if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) Message.Result = 1;
        return;
    }
    TKelDateTimePicker::WndProc(Message);
}

void TGridDateTimePicker::DoExit() {
    // Moving from the date part to the time part is no leaving.
    const bool ToTimePart = TimePicker() && TimePicker()->Focused();
    if (FGrid && !ToTimePart) FGrid->HideInplaceEdit();
    TKelDateTimePicker::DoExit();
}

// ---- The character filter of the edit-with-button kinds ------------------------------

bool GridButtonEditFilter(TCustomMaskEdit* Edit, TZirOvararIzazInput* Grid, Char& Ch) {
    const TEditorType Kind = Grid->EditControl();
    const String Text = Edit->EditText();
    const Integer Start = Edit->SelStart(), Length = Edit->SelLength();
    const String Selected = Text.substr(size_t(Start), size_t(Length));
    if (Kind == edNumericEditBtn || Kind == edNumericUnitEditBtn) {
        const bool Control = Ch == VK_BACK || Ch == VK_TAB || Ch == VK_RETURN || Ch == VK_ESCAPE;
        const bool Digit = Ch >= u'0' && Ch <= u'9';
        bool Ok = Control || Digit;
        if (Ch == u'-') Ok = Start == 0 && Text.find(u'-') == String::npos;
        if (!Ok) EditorBeep();
        return Ok;
    }
    if (Kind == edFloatEditBtn || Kind == edFloatUnitEditBtn) {
        const Char Dec = GridDecimalSeparator(), Thousand = GridThousandSeparator();
        if (!IsNumericKey(Ch)) return GetKeyState(VK_CONTROL) < 0;
        if (Ch == Thousand) return false;
        if (Ch == Dec) {
            const String Outside = Text.substr(0, size_t(Start)) + Text.substr(size_t(Start + Length));
            return Outside.find(Dec) == String::npos;
        }
        if (Ch == u'-' && Selected.find(u'-') == String::npos &&
            (Start != 0 || Text.find(u'-') != String::npos)) {
            EditorBeep();
            return false;
        }
        return true;
    }
    return true;
}

// ---- TGridEditBtn ------------------------------------------------------------------

const TClassInfo& TGridEditBtn::StaticClassInfo() {
    using C = TGridEditBtn;
    static const TClassInfo Info =
        TClassBuilder<C, TVazEditBtn>()
            .Property(u"StopEditAfterClick", &C::StopEditAfterClick, &C::SetStopEditAfterClick)
            .Default(false)
            .Build();
    return Info;
}

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TVazEditBtn(AOwner) {
    FGrid = OwnerGrid(AOwner, true);
    OnClickBtn = [this](TObject* Sender) { ButtonClicked(Sender); };
}

void TGridEditBtn::ReCreate() {
    if (HandleAllocated()) RecreateWnd();
}

void TGridEditBtn::ButtonClicked(TObject*) {
    SetText(FGrid->DoEllipsClick(Text()));
    SelectAll();
    Invalidate();
    if (FStopEditAfterClick) {
        FGrid->HideInplaceEdit();
        TGridEditorLink(FGrid).FocusGrid();
    }
}

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = FGrid;
    const bool GridKey = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                         Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!GridKey && G->OnKeyDown) G->OnKeyDown(G, Key, Shift);
    FWorkMode = !(Key == VK_BACK || Key == VK_DELETE);
    FSelKeyDown = SelStart();
    if (Shift.Contains(ssCtrl) || !GridKey) {
        TVazEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
    const TEditorType Kind = G->EditControl();
    TGridEditorLink Link(G);
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const bool Valid = Key == VK_TAB ? Link.CommitTab(Text(), Key) : Link.Commit(Text(), Key);
        // The value the validation settled on, accepted or refused.
        SetText(Link.RefusedText());
        if (!Valid) {
            SelectAll();
            Invalidate();
            G->FEditControl = Kind;
            return;
        }
    }
    if (Key == VK_TAB && Link.GridWantsTab()) {
        if (G->Options().Contains(goTabs)) {
            Link.TabAway();
            Key = 0;
            return;
        }
        Link.PostTab();
    }
    if (Key == VK_ESCAPE) SetText(G->FCellCache);
    G->DoneInplaceEdit(Key, Shift);
    if (Link.OpensNextEditor(Key)) G->ShowInplaceEdit();
}

void TGridEditBtn::KeyPress(Char& Key) {
    if (FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
    if (Key != VK_TAB) TVazEditBtn::KeyPress(Key);
}

void TGridEditBtn::KeyUp(Word& Key, TShiftState Shift) {
    if (FGrid->OnKeyUp) FGrid->OnKeyUp(FGrid, Key, Shift);
    CursorWalk(Key, Shift);
    if (Key != VK_RETURN) TVazEditBtn::KeyUp(Key, Shift);
    LookupCompletion();
}

void TGridEditBtn::CursorWalk(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = FGrid;
    if (!G->Navigation()->Settings().CursorWalkEditor || SelLength() != 0) return;
    if (Shift.Contains(ssShift) || Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return;
    const bool Right = Key == VK_RIGHT && SelStart() == Integer(EditText().size());
    // Left walks only when the caret already stood at the start as the key
    // went down.
    const bool Left = Key == VK_LEFT && SelStart() == 0 && FSelKeyDown == 0;
    if (!Right && !Left) return;
    Key = 0;
    const Integer Col = G->Col(), Row = G->Row();
    const Integer Next = Right ? Col + G->CellSpan(G->RealColIndex(Col), Row).X + 1 : Col - 1;
    const bool Inside = Right ? Col < G->ColCount() - G->FixedRightCols() - 1 : Col > G->FixedCols();
    if (Inside && G->IsControlCell(G->RealColIndex(Next), Row)) {
        // No editor opens on a control cell.
        if (G->ValidateCell(Text())) {
            G->HideInplaceEdit();
            G->SetCol(Next);
        }
        return;
    }
    if (Right && !G->ValidateCell(Text())) return;
    TGridEditorLink(G).FocusGrid();
    TNavigationSettings& Nav = G->Navigation()->PlainSettings();
    const TAdvanceDirection Direction = Nav.AdvanceDirection;
    if (Direction != adLeftRight && Direction != adLeftRightInRow) Nav.AdvanceDirection = adLeftRight;
    try {
        G->AdvanceCell(G->Col(), G->Row(), true, false, Right, false, false);
    } catch (...) {
        Nav.AdvanceDirection = Direction;
        throw;
    }
    Nav.AdvanceDirection = Direction;
    if (Nav.CursorWalkAlwaysEdit) G->ShowInplaceEdit();
}

void TGridEditBtn::LookupCompletion() {
    TZirOvararIzazInput* G = FGrid;
    if (!FWorkMode || SelLength() != 0 || !G->Lookup() || !G->LookupItems() || G->LookupItems()->Count() == 0)
        return;
    const bool Case = G->LookupCaseSensitive();
    const String Before = EditText().substr(0, size_t(SelStart()));
    if (Before.empty()) return;
    const String P = Case ? Before : UpperCase(Before);
    for (Integer i = 0; i < G->LookupItems()->Count(); ++i) {
        const String Item = G->LookupItems()->Strings(i);
        const String Cmp = Case ? Item : UpperCase(Item);
        if (Cmp.size() >= P.size() && Cmp.compare(0, P.size(), P) == 0) {
            SetText(Before + Item.substr(P.size()));
            SetSelStart(Integer(P.size()));
            SetSelLength(Integer(Item.size() - P.size()));
            return;
        }
    }
}

void TGridEditBtn::HandlePaste() {
    TZirOvararIzazInput* G = FGrid;
    String Value = Clipboard()->AsText();
    bool Allow = Clipboard()->HasFormat(CF_UNICODETEXT) || Clipboard()->HasFormat(CF_TEXT);
    if (G->OnClipboardPaste) G->OnClipboardPaste(this, Allow);
    if (Allow && G->OnClipboardBeforePasteCell) G->OnClipboardBeforePasteCell(this, G->Col(), G->Row(), Value, Allow);
    if (!Allow) return;
    // One line with its line break: the break is cut.
    const size_t Break = Value.find(u"\r\n");
    if (Break != String::npos && Break + 2 == Value.size()) Value.erase(Break);
    const String Current = EditText();
    const Integer Start = SelStart(), Length = SelLength();
    SetText(Current.substr(0, size_t(Start)) + Value + Current.substr(size_t(Start + Length)));
    G->SetCurrentEditText(Text());
    if (Length > 0) {
        SetSelStart(Start);
        SetSelLength(Integer(Value.size()));
    } else {
        SetSelStart(Start + Integer(Value.size()));
    }
}

void TGridEditBtn::DblClick() {
    TVazEditBtn::DblClick();
    if (FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridEditBtn::DoExit() {
    FGrid->HideInplaceEdit();
    TVazEditBtn::DoExit();
}

void TGridEditBtn::Change() {
    TVazEditBtn::Change();
    if (FGrid->OnEditChange) FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

void TGridEditBtn::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CHAR: {
        Char Ch = Char(Message.WParam);
        if (Ch == VK_RETURN || Ch == VK_TAB) {
            Message.Result = 1;
            return;
        }
        if (!GridButtonEditFilter(this, FGrid, Ch)) return;
        break;
    }
    case WM_PASTE: HandlePaste(); return;
    case CM_WANTSPECIALKEY:
        TVazEditBtn::WndProc(Message);
        if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE ||
            (Message.WParam == VK_TAB && FGrid->EditorWantsTab()))
            Message.Result = 1;
        return;
    case WM_SETFOCUS:
        TVazEditBtn::WndProc(Message);
        if (!FGrid->Navigation()->Settings().EditSelectAll) SetSelStart(Integer(EditText().size()));
        if (FGrid->FocusHelper()->Enabled()) FGrid->UpdateFocusWindow();
        return;
    case WM_KILLFOCUS:
        TVazEditBtn::WndProc(Message);
        if (FGrid->FocusHelper()->Enabled()) FGrid->UpdateFocusWindow();
        return;
    default: break;
    }
    TVazEditBtn::WndProc(Message);
}

// ---- TGridUnitEditBtn --------------------------------------------------------------

const TClassInfo& TGridUnitEditBtn::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridUnitEditBtn, TVazUnitEditBtn>().Build();
    return Info;
}

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TVazUnitEditBtn(AOwner) {
    FGrid = OwnerGrid(AOwner, true);
    OnClickBtn = [this](TObject* Sender) { ButtonClicked(Sender); };
}

void TGridUnitEditBtn::ReCreate() {
    if (HandleAllocated()) RecreateWnd();
}

void TGridUnitEditBtn::ButtonClicked(TObject*) {
    SetText(FGrid->DoEllipsClick(Text()));
    SelectAll();
    Invalidate();
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift) {
    TZirOvararIzazInput* G = FGrid;
    const bool GridKey = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                         Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN;
    if (!GridKey) {
        TVazUnitEditBtn::KeyDown(Key, Shift);
        return;
    }
    TGridEditorLink Link(G);
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
        const String Value = TextAndUnit();
        if (!(Key == VK_TAB ? Link.CommitTab(Value, Key) : Link.Commit(Value, Key))) {
            SetText(G->CurrentCell());
            return;
        }
        SetTextAndUnit(G->CurrentCell());
    }
    if (Key == VK_RETURN && G->Navigation()->AdvanceOnEnter()) {
        G->HideInplaceEdit();
        Link.FocusGrid();
        Key = 0;
        G->AdvanceCell(G->Col(), G->Row(), false, false, !Shift.Contains(ssShift), false, false);
        return;
    }
    if (Key == VK_TAB && G->Options().Contains(goTabs)) {
        Link.TabAway();
        Key = 0;
        return;
    }
    if (Key == VK_ESCAPE) {
        SetUnitID(String());
        SetText(G->CurrentCell());
    }
    G->DoneInplaceEdit(Key, Shift);
}

void TGridUnitEditBtn::DoExit() {
    FGrid->HideInplaceEdit();
    TVazUnitEditBtn::DoExit();
}

void TGridUnitEditBtn::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CHAR: {
        Char Ch = Char(Message.WParam);
        if (Ch == VK_RETURN) {
            Message.Result = 0;
            return;
        }
        if (!GridButtonEditFilter(this, FGrid, Ch)) return;
        break;
    }
    case CM_WANTSPECIALKEY:
        TVazUnitEditBtn::WndProc(Message);
        if (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE ||
            (Message.WParam == VK_TAB && FGrid->Options().Contains(goTabs)))
            Message.Result = 1;
        return;
    default: break;
    }
    TVazUnitEditBtn::WndProc(Message);
}
