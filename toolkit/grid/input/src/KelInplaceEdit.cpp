// The normal in-place editor: loading and placement over the cell, the
// character filters of the normal kinds, the keys that validate and leave
// the cell, cancel, lookup completion, focus and the clipboard rules.

#include "grid/GridUnit.h"
#include "grid/KelInplaceEdit.h"
#include "grid/ZirOvararIzazInput.h"
#include "gridbase/RarEvad.h"
#include "gridbase/SpinEdit.h"
#include "rtl/ClassBuilder.h"
#include "rtl/StringUtils.h"
#include "vcl/ControlMessages.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

#include <algorithm>

using namespace winapi;

namespace {

bool CtrlHeld() {
    return GetKeyState(VK_CONTROL) < 0;
}

bool IsDigit(Char Ch) {
    return Ch >= u'0' && Ch <= u'9';
}

String Lower(const String& S) {
    return LowerCase(S);
}

String Upper(const String& S) {
    return UpperCase(S);
}

} // namespace

const TClassInfo& TKelInplaceEdit::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelInplaceEdit, TInplaceEdit>().Build();
    return Info;
}

TKelInplaceEdit::TKelInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {
    FGrid = dynamic_cast<TZirOvararIzazInput*>(AOwner);
}

void TKelInplaceEdit::SetVAlign(bool Value) {
    if (FValign == Value) return;
    FValign = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TKelInplaceEdit::SetWordWrap(bool Value) {
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (HandleAllocated()) RecreateWnd();
}

// ---- Window ------------------------------------------------------------------------

void TKelInplaceEdit::CreateParams(TCreateParams& Params) {
    TInplaceEdit::CreateParams(Params);
    if (auto* G = dynamic_cast<TZirOvararIzazInput*>(Parent())) FGrid = G;
    if (FGrid) FWordWrap = FGrid->WordWrap();
    if (FValign) Params.Style |= ES_RIGHT;
    if (FGrid && FGrid->EditControl() == edPassword) {
        Params.Style |= ES_PASSWORD;
        Params.Style &= ~DWORD(ES_MULTILINE);
    } else if (FWordWrap) {
        Params.Style &= ~DWORD(ES_AUTOHSCROLL);
    }
    Params.Style |= ES_WANTRETURN;
    GotKey = false;
    Workmode = true;
}

void TKelInplaceEdit::CreateWnd() {
    TInplaceEdit::CreateWnd();
    if (!FGrid) return;
    if (FGrid->EditControl() == edPassword) SetPasswordChar(FGrid->PasswordChar());
    if (FEditProp) {
        FEditProp = false;
        SendMessage(Handle(), WM_GRIDEDITPROP(), 0, 0);
    }
    FLengthLimit = SmallInt(FGrid->ResolveEditLimit());
}

// ---- Loading and placement ---------------------------------------------------------

void TKelInplaceEdit::ApplyCellLook() {
    if (!FGrid) return;
    TGridDrawState State;
    TColor ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
    auto Brush = std::make_unique<TBrush>();
    Brush->SetColor(FGrid->Color());
    auto CellFont = std::make_unique<TFont>();
    CellFont->Assign(FGrid->Font());
    FGrid->GetVisualProperties(FGrid->Col(), FGrid->Row(), State, false, false, true, Brush.get(), ColorTo, Mirror,
                               MirrorTo, CellFont.get(), HA, VA, WW, GD);
    SetColor(Brush->Color());
    Font()->Assign(CellFont.get());
    SetAlignment(HA);
    FColE = FGrid->Col();
    FColR = FGrid->RealColIndex(FColE);
    FRowE = FGrid->Row();
}

void TKelInplaceEdit::UpdateContents() {
    if (FGrid) FGrid->FNoEditChange = true;
    try {
        TInplaceEdit::UpdateContents();
    } catch (...) {
        if (FGrid) FGrid->FNoEditChange = false;
        throw;
    }
    if (!FGrid) return;
    FGrid->FNoEditChange = false;
    ApplyCellLook();
    FEditProp = true;
    if (HandleAllocated()) PostMessage(Handle(), WM_GRIDEDITPROP(), 0, 0);
}

void TKelInplaceEdit::Move(const TRect& Loc) {
    TInplaceEdit::Move(Loc);
    FGotFocus = false;
    PlaceOverCell();
}

void TKelInplaceEdit::PlaceOverCell() {
    if (!FGrid) return;
    const Integer C = FGrid->Col(), R = FGrid->Row();
    if (C >= FGrid->FixedCols() &&
        (C < FGrid->LeftCol() || C > FGrid->LeftCol() + FGrid->VisibleColCount()))
        return;
    if (R >= FGrid->FixedRows() && (R < FGrid->TopRow() || R > FGrid->TopRow() + FGrid->VisibleRowCount()))
        return;
    const TRect Cell = FGrid->CellRect(C, R);
    if (Cell.IsEmpty()) return;
    Integer B = 1;
    if (FGrid->GridLineWidth() > 1) B += FGrid->GridLineWidth() / 2;
    SetBounds(Cell.Left, Cell.Top, Cell.Right - Cell.Left - B, Cell.Bottom - Cell.Top - B);
    Integer T = 1;
    if (!FGrid->WordWrap() && FGrid->VAlignment() != vtaTop) {
        const Integer H = FGrid->Canvas()->TextHeight(u"gh");
        if (FGrid->VAlignment() == vtaCenter)
            T = (Cell.Bottom - Cell.Top - H - 2) / 2;
        else
            T = Cell.Bottom - Cell.Top - (H + 4);
    }
    if (HandleAllocated()) {
        TRect Fmt(3, T + 2, Width() - 4, Height());
        SendMessage(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&Fmt));
        SendMessage(Handle(), EM_SCROLLCARET, 0, 0);
    }
    if (FGrid->GridLineWidth() > 1) FGrid->Invalidate();
}

// ---- Messages ----------------------------------------------------------------------

void TKelInplaceEdit::WndProc(TMessage& Message) {
    if (FGrid && Message.Msg == WM_GRIDEDITPROP() && Message.Msg != 0) {
        ApplyCellLook();
        FGrid->DoGetEditorProp(FColR, FRowE, nullptr);
        PlaceOverCell();
        return;
    }
    switch (Message.Msg) {
    case WM_SYSKEYDOWN:
        if (Message.WParam == VK_BACK) FAltBack = true;
        break;
    case WM_SYSKEYUP:
        if (Message.WParam == VK_BACK) FAltBack = false;
        break;
    case WM_KEYDOWN:
        if (FGrid && HandleKeyDownMessage(Message)) return;
        break;
    case WM_KEYUP:
        TInplaceEdit::WndProc(Message);
        if (FGrid) {
            if (SelStart() > 0) FGrid->EditorTextChanged(Text());
            FGrid->SetFormulaMode(!Text().empty() && Text()[0] == u'=');
            if (FArrDown && !FGrid->Navigation()->Settings().AlwaysEdit) {
                FArrDown = false;
                FGrid->HideInplaceEdit();
                FGrid->AppendRow();
                FGrid->SetRow(FGrid->RowCount() - 1);
            }
        }
        return;
    case WM_CHAR: {
        if (!FGrid) break;
        Char Ch = Char(Message.WParam);
        if (!FilterChar(Ch, (Message.LParam & 0x400000) != 0)) {
            Message.Result = 0;
            return;
        }
        Message.WParam = Ch;
        break;
    }
    case WM_SETFOCUS:
        TInplaceEdit::WndProc(Message);
        HandleFocusGain();
        return;
    case WM_KILLFOCUS:
        TInplaceEdit::WndProc(Message);
        HandleFocusLoss(reinterpret_cast<HWND>(Message.WParam));
        return;
    case WM_PASTE:
        if (FGrid) {
            HandlePaste();
            return;
        }
        break;
    case WM_COPY:
    case WM_CUT:
        if (FGrid) {
            bool Allow = true;
            const TClipboardEvent& Event =
                Message.Msg == WM_COPY ? FGrid->OnClipboardCopy : FGrid->OnClipboardCut;
            if (Event) Event(this, Allow);
            if (!Allow) return;
        }
        break;
    case CM_WANTSPECIALKEY:
        TInplaceEdit::WndProc(Message);
        if (FGrid && Message.WParam == VK_TAB && FGrid->EditorWantsTab()) Message.Result = 1;
        return;
    default:
        break;
    }
    TInplaceEdit::WndProc(Message);
}

// ---- Characters --------------------------------------------------------------------

bool TKelInplaceEdit::FilterChar(Char& Ch, bool KeypadDecimal) {
    TZirOvararIzazInput* G = FGrid;
    const TNavigationSettings& Nav = G->Navigation()->Settings();
    const Char Dec = GridDecimalSeparator();
    const Char Thousand = GridThousandSeparator();
    const bool Ctrl = CtrlHeld();
    if (Ch == u'.' && (G->ForceDecimalSeparator() || (G->ExcelStyleDecimalSeparator() && KeypadDecimal))) Ch = Dec;
    const bool MultiLines = G->WordWrap() || G->Multilinecells();
    if (Ch == 1 && Ctrl) return false;
    if (Ch == 10 && !(Nav.AllowCtrlEnter && MultiLines)) return false;
    const String Current = EditText();
    if (FLengthLimit > 0 && Integer(Current.size()) >= FLengthLimit && SelLength() == 0 && Ch != VK_BACK &&
        Ch != VK_ESCAPE && Ch != VK_RETURN)
        return false;
    const TEditorType Kind = G->EditControl();
    const bool TextKind = Kind == edNormal || Kind == edCapital || Kind == edMixedCase || Kind == edLowerCase ||
                          Kind == edUpperCase || Kind == edValidChars;
    if (Ch == VK_RETURN && TextKind && Nav.LineFeedOnEnter) return true;
    const bool Control = Ch == VK_BACK || Ch == VK_TAB || Ch == VK_RETURN || Ch == VK_ESCAPE;
    bool AdvanceCheck = true;
    switch (Kind) {
    case edNumeric:
    case edPositiveNumeric:
        if (!Ctrl && !IsDigit(Ch) && !Control) {
            if (Kind == edNumeric && Ch == u'-' && Current.find(u'-') == String::npos && SelStart() == 0) break;
            EditorBeep();
            return false;
        }
        break;
    case edFloat:
    case edPositiveFloat: {
        const bool Accepted = IsNumericKey(Ch) && (Ch != u'-' || Kind == edFloat);
        if (!Accepted) {
            if (Ctrl) break;
            return false;
        }
        const String Sel = SelText();
        if (Ch == Dec && Current.find(Dec) != String::npos && Sel.find(Dec) == String::npos) return false;
        if (Ch == Thousand && Thousand != Dec) return false;
        if (Ch == u'-' && (SelStart() != 0 || Current.find(u'-') != String::npos) &&
            Sel.find(u'-') == String::npos) {
            EditorBeep();
            return false;
        }
        break;
    }
    case edCapital:
    case edUpperCase:
        Ch = Upper(String(1, Ch))[0];
        break;
    case edLowerCase:
        Ch = Lower(String(1, Ch))[0];
        break;
    case edMixedCase: {
        const Integer Caret = SelStart();
        TMessage Insert{WM_CHAR, WPARAM(Ch), 0, 0};
        TInplaceEdit::WndProc(Insert);
        SetTextQuietly(CapitalizeWords(EditText()));
        SetSelStart(Caret + 1);
        AdvanceCheck = false;
        Ch = 0;
        break;
    }
    case edValidChars: {
        if (Ctrl && (Ch == 3 || Ch == 22 || Ch == 24)) break;
        bool Ok = Ch == VK_BACK || Ch == 10 || Ch == VK_RETURN;
        if (!Ok) {
            const String Valid = G->ValidChars();
            Ok = Valid.empty() ? (Ch < 256 && G->ValidCharSet().count(Ch) > 0)
                               : Valid.find(Ch) != String::npos;
        }
        if (!Ok) {
            EditorBeep();
            return false;
        }
        break;
    }
    default:
        break;
    }
    if (AdvanceCheck && Ch >= 32 && Nav.AdvanceAuto && Nav.AdvanceOnEnter && G->MaxEditLength() > 0) {
        // The character that fills the text to its length moves on.
        TMessage Insert{WM_CHAR, WPARAM(Ch), 0, 0};
        TInplaceEdit::WndProc(Insert);
        const String After = EditText();
        if (Integer(After.size()) == G->MaxEditLength() && SelLength() == 0 && SelStart() == Integer(After.size()))
            PressEnter();
        return false;
    }
    return Ch != 0;
}

void TKelInplaceEdit::PressEnter() {
    // Enter takes the editor's own road: validation, then the grid's Enter.
    if (!HandleAllocated()) return;
    // The message loop makes the Enter character of the key-down.
    PostMessage(Handle(), WM_KEYDOWN, VK_RETURN, 0);
    PostMessage(Handle(), WM_KEYUP, VK_RETURN, 0);
}

void TKelInplaceEdit::SetTextQuietly(const String& Value) {
    const bool Old = FGrid ? FGrid->FNoEditChange : false;
    if (FGrid) FGrid->FNoEditChange = true;
    SetEditText(Value);
    if (FGrid) FGrid->FNoEditChange = Old;
}

// ---- Keys --------------------------------------------------------------------------

void TKelInplaceEdit::ShowRefusedText(const String& Saved, Integer CaretAt) {
    SetEditText(FGrid->FNewCellText);
    if (FGrid->Navigation()->Settings().EditSelectAll)
        SelectAll();
    else
        SetSelStart(CaretAt < 0 ? Integer(EditText().size()) : CaretAt);
    FGrid->FOldCellText = Saved;
}

bool TKelInplaceEdit::HandleKeyDownMessage(TMessage& Message) {
    TZirOvararIzazInput* G = FGrid;
    const TNavigationSettings& Nav = G->Navigation()->Settings();
    Word Key = Word(Message.WParam);
    const bool Ctrl = CtrlHeld();
    const bool Shift = GetKeyState(VK_SHIFT) < 0;
    TShiftState ShiftState;
    if (Shift) ShiftState.Include(ssShift);
    if (Ctrl) ShiftState.Include(ssCtrl);
    G->EditorWMKeyDown(Key, ShiftState);
    FOldSelStart = SelStart();
    FOldSelLength = SelLength();
    FArrDown = false;
    const bool MultiLines = G->WordWrap() || G->Multilinecells();
    if (Key == VK_ESCAPE) {
        SetTextQuietly(G->OriginalCellValue());
        G->SetCurrentEditText(G->OriginalCellValue());
        TInplaceEdit::WndProc(Message);
        G->HideInplaceEdit();
        return true;
    }
    if (Key == u'A' && Ctrl && GetKeyState(VK_RMENU) >= 0) {
        SelectAll();
        return true;
    }
    if (Key == VK_RETURN && Ctrl && !(Nav.AllowCtrlEnter && MultiLines)) {
        Word K = VK_RETURN;
        if (G->OnKeyDown) G->OnKeyDown(G, K, TShiftState{ssCtrl});
        return true;
    }
    if (Key == VK_DOWN && G->Row() == G->RowCount() - 1 && Nav.AppendOnArrowDown) FArrDown = true;
    const String Current = Text();
    const String Saved = G->FOldCellText;
    if (Key == VK_TAB && G->EditorWantsTab()) {
        if (G->ValidateCell(Current)) {
            SetTextQuietly(G->FNewCellText);
            G->HideInplaceEdit();
            if (G->Options().Contains(goTabs)) {
                Word K = VK_TAB;
                G->KeyDown(K, ShiftState);
            } else if (G->HandleAllocated()) {
                PostMessage(G->Handle(), WM_KEYDOWN, VK_TAB, 0);
            }
        } else {
            ShowRefusedText(Saved, -1);
            Word K = VK_TAB;
            if (G->OnKeyDown) G->OnKeyDown(G, K, Shift ? TShiftState{ssShift} : TShiftState());
        }
        return true;
    }
    const Integer Len = Integer(EditText().size());
    if (Shift && Nav.CursorWalkEditor &&
        ((Key == VK_LEFT && SelStart() == 0) || (Key == VK_RIGHT && SelStart() == Len))) {
        {
            const bool Old = G->FValidating;
            G->FValidating = true;
            G->SetCurrentCell(Current);
            G->FValidating = Old;
        }
        if (G->ValidateCell(Current)) {
            SetTextQuietly(G->FNewCellText);
            G->HideInplaceEdit();
            if (G->CanFocus()) G->SetFocus();
        } else {
            ShowRefusedText(Saved, Integer(Current.size()));
            Invalidate();
        }
        return true;
    }
    const Integer Line = Integer(SendMessage(Handle(), EM_LINEFROMCHAR, WPARAM(-1), 0));
    const Integer LastLine = Integer(SendMessage(Handle(), EM_LINEFROMCHAR, WPARAM(Len), 0));
    if ((Key == VK_UP && Line == 0) || (Key == VK_DOWN && Line == LastLine)) {
        {
            const bool Old = G->FValidating;
            G->FValidating = true;
            G->SetCurrentCell(Current);
            G->FValidating = Old;
        }
        if (!G->ValidateCell(Current)) {
            ShowRefusedText(Saved, Integer(Current.size()));
            Invalidate();
            return true;
        }
        SetTextQuietly(G->FNewCellText);
    } else if (Key == VK_RETURN && !Ctrl && !Nav.LineFeedOnEnter) {
        // The Enter character that follows is not validated a second time.
        const bool Valid = G->ValidateCell(Current);
        FEnterValidated = Valid ? 1 : -1;
        if (!Valid) {
            ShowRefusedText(Saved, -1);
            return true;
        }
        SetTextQuietly(G->FNewCellText);
    }
    if (!Ctrl && !Shift) {
        if (Key == VK_HOME) {
            SetSelStart(0);
            return true;
        }
        if (Key == VK_END) {
            SetSelStart(Integer(EditText().size()));
            return true;
        }
    }
    if (Key == VK_RETURN && Ctrl && Nav.LineFeedOnEnter) {
        TMessage Char{WM_CHAR, VK_RETURN, 0, 0};
        TInplaceEdit::WndProc(Char);
        return true;
    }
    return false;
}

void TKelInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
    FSelKeyDown = SelStart();
    FKeyDownKey = Key;
    Workmode = Key != VK_BACK && Key != VK_DELETE;
    if (FGrid) {
        const TNavigationSettings& Nav = FGrid->Navigation()->Settings();
        const bool MultiLines = FGrid->WordWrap() || FGrid->Multilinecells();
        if (Key == VK_RETURN && !Nav.AllowCtrlEnter && MultiLines) FGrid->FEditing = false;
        FGrid->EditorKeyDown(Key, Shift);
        if (Key == 0) return;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

void TKelInplaceEdit::KeyPress(Char& Key) {
    const Integer EnterValidated = FEnterValidated;
    FEnterValidated = 0;
    if (Key == VK_RETURN && EnterValidated < 0) {
        Key = 0;
        return;
    }
    if (FGrid && Key == VK_RETURN && EnterValidated == 0 && !FGrid->Navigation()->Settings().LineFeedOnEnter) {
        if (!FGrid->ValidateCell(Text())) {
            SetTextQuietly(FGrid->CurrentCell());
            Key = 0;
            return;
        }
    }
    const Char Typed = Key;
    TInplaceEdit::KeyPress(Key);
    if (!FGrid || Typed < 32 || !IsMasked() || !FGrid->Navigation()->Settings().AdvanceAuto) return;
    // The masked edit has taken the character; a completely filled mask
    // moves on.
    const String Shown = EditText();
    if (Key == 0 && Shown.find(Mask().Blank()) == String::npos && Shown.find(u' ') == String::npos &&
        SelStart() == Integer(Shown.size()))
        PressEnter();
}

void TKelInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
    TInplaceEdit::KeyUp(Key, Shift);
    if (!FGrid || Key == VK_LEFT || Key == VK_RIGHT) return;
    DoChange();
    if (FGrid->SizeWhileTyping()->Width()) FGrid->SizeColumnToContent(FGrid->Col(), false);
}

void TKelInplaceEdit::DoChange() {
    if (!FGrid || !Workmode || SelLength() != 0) return;
    const bool Case = FGrid->LookupCaseSensitive();
    const String Current = EditText();
    String P = Current.substr(0, size_t(SelStart()));
    if (P.empty()) return;
    if (!Case) P = Upper(P);
    if (!FGrid->Lookup() || FGrid->LookupItems()->Count() == 0) return;
    for (Integer i = 0; i < FGrid->LookupItems()->Count(); ++i) {
        const String Item = FGrid->LookupItems()->Strings(i);
        const String Cmp = Case ? Item : Upper(Item);
        if (Cmp.compare(0, P.size(), P) != 0) continue;
        String Completed = Current.substr(0, P.size()) + Item.substr(P.size(), 255);
        SetEditText(Completed);
        SetSelection(Integer(Completed.size()), Integer(P.size()));
        GotKey = false;
        return;
    }
}

// ---- Focus -------------------------------------------------------------------------

void TKelInplaceEdit::HandleFocusGain() {
    FGotFocus = true;
    if (!FGrid) return;
    FGrid->FNoEditChange = false;
    FLengthLimit = SmallInt(FGrid->ResolveEditLimit());
    SetMaxLength(std::max<Integer>(FLengthLimit, 0));
    const TNavigationSettings& Nav = FGrid->Navigation()->Settings();
    if (IsMasked()) {
        if (!FGrid->FLeftClickEdit && Nav.ImproveMaskSel) SetSelection(0, 1);
        return;
    }
    if (FGrid->EditControl() == edPassword) SetPasswordChar(FGrid->PasswordChar());
    if (!Nav.EditSelectAll) SetSelStart(Integer(EditText().size()));
    if (FGrid->FLeftClickEdit) {
        TPoint P;
        GetCursorPos(P);
        P = ScreenToClient(P);
        if (P.X >= 0 && P.Y >= 0 && P.X < Width() && P.Y < Height()) {
            const LRESULT At = SendMessage(Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(P.X, P.Y));
            SetSelStart(Integer(LOWORD(At)));
        }
        FGrid->FLeftClickEdit = false;
    }
}

void TKelInplaceEdit::HandleFocusLoss(HWND NewFocus) {
    if (!FGrid) return;
    TZirOvararIzazInput* G = FGrid;
    G->FStartEditChar = 0;
    if (G->LookupHistory() && !Text().empty() && G->LookupItems()->IndexOf(Text()) < 0)
        G->LookupItems()->Add(Text());
    G->SetFormulaMode(false);
    // A refusal that moves the editor back to its cell keeps the edit.
    if (FAltBack || G->FValidating || G->FFinishing || !G->EditMode()) return;
    const bool ToOther = NewFocus != nullptr && !(G->HandleAllocated() && NewFocus == G->Handle()) &&
                         !(HandleAllocated() && NewFocus == Handle());
    if (ToOther && G->FEditing) {
        // Leaving for another window validates; a refused value gives way to
        // the last accepted text, as the editor cannot stay open.
        const String Saved = G->FOldCellText;
        bool Valid;
        {
            const bool Old = G->FQuietRefusal;
            G->FQuietRefusal = true;
            try {
                Valid = G->ValidateCell(Text());
            } catch (...) {
                G->FQuietRefusal = Old;
                throw;
            }
            G->FQuietRefusal = Old;
        }
        SetTextQuietly(Valid ? G->FNewCellText : Saved);
    }
    G->FinishEditing(FColR, FRowE);
    if (ToOther) {
        G->FEditing = false;
        G->FEditMode = false;
    } else if (!G->MouseActions()->Settings().DirectEdit) {
        SetTextQuietly(G->CurrentCell());
    }
    G->EditorTextChanged(Text());
    FGotFocus = false;
}

// ---- Change, clipboard, double click -----------------------------------------------

void TKelInplaceEdit::Change() {
    TInplaceEdit::Change();
    if (FGrid && !FGrid->FNoEditChange && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->Col(), FGrid->Row(), Text());
}

bool TKelInplaceEdit::KindTakes(String& Value) const {
    const auto IntegerText = [](const String& S) { return DetectValueKind(S) == vkInteger; };
    switch (FGrid->EditControl()) {
    case edNumeric:
        return IntegerText(Value);
    case edPositiveNumeric:
        return IntegerText(Value) && Value.find(u'-') == String::npos;
    case edFloat:
        return IntegerText(Value) || DetectValueKind(Value) == vkFloat;
    case edPositiveFloat:
        return (IntegerText(Value) || DetectValueKind(Value) == vkFloat) && Value.find(u'-') == String::npos;
    case edMixedCase:
        Value = CapitalizeWords(Value);
        return true;
    case edLowerCase:
        Value = Lower(Value);
        return true;
    case edUpperCase:
        Value = Upper(Value);
        return true;
    case edValidChars: {
        const String Valid = FGrid->ValidChars();
        for (Char Ch : Value) {
            const bool Ok = Valid.empty() ? (Ch < 256 && FGrid->ValidCharSet().count(Ch) > 0)
                                          : Valid.find(Ch) != String::npos;
            if (!Ok) return false;
        }
        return true;
    }
    default:
        return true;
    }
}

void TKelInplaceEdit::HandlePaste() {
    String Value = ClipboardText();
    if (Value.empty()) return;
    bool Allow = true;
    if (FGrid->OnClipboardPaste) FGrid->OnClipboardPaste(this, Allow);
    if (Allow && FGrid->OnClipboardBeforePasteCell)
        FGrid->OnClipboardBeforePasteCell(this, FGrid->Col(), FGrid->Row(), Value, Allow);
    if (!Allow || (FLengthLimit >= 1 && Integer(Value.size()) > FLengthLimit)) return;
    const size_t Break = Value.find_first_of(u"\r\n");
    if (Break != String::npos && Value.find_first_not_of(u"\r\n", Break) == String::npos) Value.erase(Break);
    if (IsMasked()) {
        // The mask places what fits.
        TMessage Paste{WM_PASTE, 0, 0, 0};
        TInplaceEdit::WndProc(Paste);
        return;
    }
    const String Current = EditText();
    const Integer Start = SelStart(), Length = SelLength();
    String M = Current.substr(0, size_t(Start)) + Value + Current.substr(size_t(Start + Length));
    if (FLengthLimit >= 1 && Integer(M.size()) > FLengthLimit) return;
    if (KindTakes(M)) {
        UserChangeText(M, Length > 0 ? Start : Start + Integer(Value.size()), Start + Integer(Value.size()));
        FGrid->SetCurrentEditText(EditText());
    }
    if (FGrid->OnClipboardAfterPasteCell)
        FGrid->OnClipboardAfterPasteCell(this, FGrid->Col(), FGrid->Row(), EditText());
}

void TKelInplaceEdit::DblClick() {
    TInplaceEdit::DblClick();
    if (FGrid && FGrid->OnDblClickCell) FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}
