// The masked edit control: typing, deleting, the clipboard and the caret
// through the edit mask, and validation on leaving.

#include "rtl/ClassBuilder.h"
#include "vcl/Forms.h"
#include "vcl/Mask.h"
#include "windowing/Clipboard.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"

using namespace winapi;

namespace {

// Posted to itself after a refused exit: the edit takes the focus back.
constexpr UINT CM_MASKREFOCUS = WM_USER + 0x1A0;

} // namespace

const TClassInfo& TCustomMaskEdit::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TCustomMaskEdit, TCustomEdit>().Build();
    return Info;
}
const TClassInfo& TMaskEdit::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TMaskEdit, TCustomMaskEdit>().Build();
    return Info;
}

TCustomMaskEdit::TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

// ---- Mask and text ----

void TCustomMaskEdit::SetEditMask(const String& Value) {
    if (Value == FMask.Source()) return;
    String Old = Text();
    FMask = TEditMask(Value);
    if (IsMasked())
        TCustomEdit::SetText(FMask.Format(Old));
    else
        TCustomEdit::SetText(Old);
}

void TCustomMaskEdit::SetEditText(const String& Value) {
    TCustomEdit::SetText(IsMasked() ? FMask.Normalize(Value) : Value);
}

String TCustomMaskEdit::Text() const {
    return IsMasked() ? FMask.Strip(EditText()) : EditText();
}

void TCustomMaskEdit::SetText(const String& Value) {
    TCustomEdit::SetText(IsMasked() ? FMask.Format(Value) : Value);
}

void TCustomMaskEdit::Clear() {
    SetText(String());
}

bool TCustomMaskEdit::Validate(const String& Value, Integer& Pos) {
    Pos = FMask.FirstMissing(FMask.Format(Value));
    return Pos < 0;
}

void TCustomMaskEdit::ValidateEdit() {
    if (!IsMasked() || !Modified()) return;
    Integer Pos = FMask.FirstMissing(EditText());
    if (Pos < 0) return;
    SetSelection(Pos, Pos + 1);
    throw EDBEditError(SMaskEditErr);
}

// Leaving a modified edit whose required positions are not filled shows
// the validation error (through the application, as any error of an
// action) and brings the focus back once the focus change is over.
void TCustomMaskEdit::DoExit() {
    if (IsMasked() && !ComponentState().Contains(csDestroying)) {
        try {
            ValidateEdit();
        } catch (const EDBEditError&) {
            if (HandleAllocated() && !FRefocusPending) {
                FRefocusPending = true;
                PostMessage(Handle(), CM_MASKREFOCUS, 0, 0);
            }
            Application->HandleException(this);
        }
    }
    TCustomEdit::DoExit();
}

// ---- Editing through the mask ----

String TCustomMaskEdit::Blanked(const String& Text, Integer Start, Integer End) const {
    String Result = Text;
    for (Integer Pos = std::max(Start, 0); Pos < End && Pos < Integer(Result.size()); ++Pos)
        if (!FMask.IsLiteral(Pos)) Result[size_t(Pos)] = FMask.Blank();
    return Result;
}

// A caret before a literal moves on to the next input position.
Integer TCustomMaskEdit::SkipLiterals(Integer Caret) const {
    return FMask.NextInput(Caret);
}

void TCustomMaskEdit::TypeChar(Char C) {
    String Text = EditText();
    Integer Pos = SelStart();
    // A literal typed where it stands just steps over it.
    if (SelLength() == 0 && FMask.IsLiteral(Pos) && Text[size_t(Pos)] == C) {
        SetSelection(SkipLiterals(Pos + 1), SkipLiterals(Pos + 1));
        return;
    }
    Integer Target = FMask.NextInput(Pos);
    Char Out;
    if (Target >= FMask.Length() || !FMask.Accepts(Target, C, Out)) return; // refused
    Text = Blanked(Text, Pos, Pos + SelLength());
    Text[size_t(Target)] = Out;
    Integer Caret = SkipLiterals(Target + 1);
    UserChangeText(Text, Caret, Caret);
}

void TCustomMaskEdit::DeleteBack() {
    if (SelLength() > 0) {
        Integer Start = SelStart();
        UserChangeText(Blanked(EditText(), Start, Start + SelLength()), Start, Start);
        return;
    }
    Integer Pos = FMask.PreviousInput(SelStart());
    if (Pos < 0) return;
    UserChangeText(Blanked(EditText(), Pos, Pos + 1), Pos, Pos);
}

void TCustomMaskEdit::DeleteForward() {
    Integer Start = SelStart();
    Integer End = SelLength() > 0 ? Start + SelLength() : FMask.NextInput(Start) + 1;
    UserChangeText(Blanked(EditText(), Start, End), Start, Start);
}

// Fills positions from the caret with the pasted characters that fit: a
// literal in the pasted text where the mask has it is stepped over, a
// character that fits no position is dropped.
void TCustomMaskEdit::PasteText(const String& Value) {
    Integer Start = SelStart();
    String Text = Blanked(EditText(), Start, Start + SelLength());
    Integer Pos = Start;
    for (Char C : Value) {
        if (C == u'\r' || C == u'\n') break;
        if (Pos >= FMask.Length()) break;
        if (FMask.IsLiteral(Pos)) {
            if (Text[size_t(Pos)] == C) {
                ++Pos;
                continue;
            }
            Pos = FMask.NextInput(Pos);
            if (Pos >= FMask.Length()) break;
        }
        Char Out;
        if (C != FMask.Blank() && FMask.Accepts(Pos, C, Out)) Text[size_t(Pos++)] = Out;
    }
    Integer Caret = SkipLiterals(Pos);
    UserChangeText(Text, Caret, Caret);
}

void TCustomMaskEdit::CutToClipboard() {
    if (!IsMasked()) {
        TCustomEdit::CutToClipboard();
        return;
    }
    if (ReadOnly() || PasswordChar() != 0 || SelLength() == 0) return;
    CopyToClipboard();
    Integer Start = SelStart();
    UserChangeText(Blanked(EditText(), Start, Start + SelLength()), Start, Start);
}

void TCustomMaskEdit::PasteFromClipboard() {
    if (!IsMasked()) {
        TCustomEdit::PasteFromClipboard();
        return;
    }
    if (ReadOnly()) return;
    String Value = ClipboardText();
    if (!Value.empty()) PasteText(Value);
}

// ---- Keys and messages ----

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == 0 || !IsMasked()) return;
    bool Plain = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    switch (Key) {
    case VK_DELETE:
        if (Shift.Contains(ssShift))
            CutToClipboard();
        else if (!ReadOnly())
            DeleteForward();
        Key = 0;
        return;
    case VK_INSERT:
        if (Shift.Contains(ssShift)) {
            PasteFromClipboard();
            Key = 0;
        }
        return;
    case VK_RIGHT:
        if (Plain && SelLength() == 0) {
            Integer Caret = SkipLiterals(std::min(SelStart() + 1, FMask.Length()));
            SetSelection(Caret, Caret);
            Key = 0;
        }
        return;
    case VK_LEFT:
        if (Plain && SelLength() == 0) {
            Integer Caret = std::max(FMask.PreviousInput(SelStart()), 0);
            SetSelection(Caret, Caret);
            Key = 0;
        }
        return;
    default:
        return;
    }
}

void TCustomMaskEdit::KeyPress(Char& Key) {
    TCustomEdit::KeyPress(Key);
    if (Key == 0 || !IsMasked()) return;
    switch (Key) {
    case 8: // Backspace
        if (!ReadOnly()) DeleteBack();
        Key = 0;
        return;
    case 22: // Ctrl+V
        PasteFromClipboard();
        Key = 0;
        return;
    case 24: // Ctrl+X
        CutToClipboard();
        Key = 0;
        return;
    default:
        if (Key >= 32 && Key != 127) {
            if (!ReadOnly()) TypeChar(Key);
            Key = 0;
        }
        return;
    }
}

void TCustomMaskEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_PASTE:
        if (IsMasked()) {
            PasteFromClipboard();
            return;
        }
        break;
    case WM_CUT:
        if (IsMasked()) {
            CutToClipboard();
            return;
        }
        break;
    case WM_CLEAR:
        if (IsMasked()) {
            if (!ReadOnly() && SelLength() > 0) {
                Integer Start = SelStart();
                UserChangeText(Blanked(EditText(), Start, Start + SelLength()), Start, Start);
            }
            return;
        }
        break;
    case WM_LBUTTONDOWN:
        // Typing overwrites, so a click means the character under the mouse
        // (not the nearest gap between two); on a literal, the next position
        // to fill.
        if (IsMasked() && !(Message.WParam & MK_SHIFT)) {
            TCustomEdit::WndProc(Message);
            if (!HandleAllocated() || SelLength() != 0) return;
            Integer X = GET_X_LPARAM(Message.LParam);
            Integer Caret = SelStart();
            LRESULT At = SendMessage(Handle(), EM_POSFROMCHAR, WPARAM(Caret), 0);
            if (Caret > 0 && At != -1 && Integer(SmallInt(LOWORD(At))) > X) --Caret;
            Caret = SkipLiterals(Caret);
            SetSelection(Caret, Caret);
            return;
        }
        break;
    case CM_MASKREFOCUS: {
        // Back in the edit, the caret stays on the position to fill.
        FRefocusPending = false;
        Integer Anchor = AnchorIndex();
        Integer Caret = CaretIndex();
        if (CanFocus()) SetFocus();
        SetSelection(Anchor, Caret);
        return;
    }
    default:
        break;
    }
    TCustomEdit::WndProc(Message);
}
