// The typing rules of the drop-down edit: the value between prefix and
// suffix, its formatting by edit type, the key-down and character filters,
// the clipboard commands and what leaving the edit writes.

#include "dropdown/KelDropDown.h"

#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "rtl/MathUtils.h"
#include "rtl/StringUtils.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"

#include <algorithm>
#include <cmath>

using namespace winapi;

namespace {

bool Held(Integer VirtualKey) {
    return GetKeyState(VirtualKey) < 0;
}

bool IsDigit(Char C) {
    return C >= u'0' && C <= u'9';
}

bool IsNumberType(TDropDownEditType Type) {
    return Type == etNumeric || Type == etFloat || Type == etMoney;
}

// A number with a fixed count of decimals, with ('n') or without ('f')
// thousand separators, as the run-time formats it.
String FormatFixed(Char Kind, Integer Decimals, Double Value) {
    const String Pattern = u"%." + IntToStr(Decimals) + String(1, Kind);
    return Format(Pattern, {Value});
}

// Sets a flag for the lifetime of the scope.
struct TFlagScope {
    explicit TFlagScope(bool& AFlag) : Flag(AFlag) { Flag = true; }
    ~TFlagScope() { Flag = false; }
    bool& Flag;
};

} // namespace

// ---- The value ----

String TKelCustomDropDown::ReadText() const {
    String Text = TControl::Text();
    if (!FPrefix.empty() && Text.starts_with(FPrefix)) Text.erase(0, FPrefix.size());
    if (!FSuffix.empty()) Text.erase(Text.size() - std::min(Text.size(), FSuffix.size()));
    return Text;
}

Integer TKelCustomDropDown::ValueEnd() const {
    return ValueStart() + Integer(ReadText().size());
}

void TKelCustomDropDown::SetEditTextRaw(const String& Value) {
    TCustomMaskEdit::SetText(Value);
}

void TKelCustomDropDown::SetTextUnformatted(const String& Value) {
    SetEditTextRaw(Value);
}

void TKelCustomDropDown::WriteText(const String& Value) {
    String V = Value;
    if (V.empty() && (FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney || FEditType == etHex))
        V = u"0";
    if (FPrecision > 0 && !V.empty() && V != u"Error") {
        if (FEditType == etMoney)
            V = FormatFixed(u'n', FPrecision, TextToFloat(V));
        else if (FEditType == etFloat)
            V = FormatFixed(u'f', FPrecision, TextToFloat(V));
    }
    if (FEditType == etHex) V = UpperCase(V);
    SetEditTextRaw(FPrefix + V + FSuffix);
    FOldText = V;
    MarkModified(false);
}

void TKelCustomDropDown::MarkModified(bool Value) {
    if (ComponentState().Contains(csLoading) || !FEditorEnabled || ReadOnly()) return;
    SetModified(Value);
    FIsModified = Value;
}

Double TKelCustomDropDown::TextToFloat(const String& Value) const {
    String Text = Value;
    const Char TS = GetThousandSeparator();
    std::erase(Text, TS);
    Double Result = 0;
    if (!TryStrToFloat(Text, Result, FormatSettings)) return 0;
    return Result;
}

Double TKelCustomDropDown::GetFloatValue() const {
    const String V = ReadText();
    switch (FEditType) {
    case etString: {
        Double Result = 0;
        Integer Code = 0;
        Val(V, Result, Code);
        return Code == 0 ? Result : 0;
    }
    case etNumeric:
    case etFloat:
    case etValidChars:
        if (V.empty() || V == u"Error" || V == u"-") return 0;
        return TextToFloat(V);
    case etMoney: {
        if (V.empty()) return 0;
        String Plain = StripThousandSeparators(V);
        if (!Plain.empty() && Plain.back() == GetDecimalSeparator()) Plain.pop_back();
        if (Plain.empty() || Plain == u"-") return 0;
        return TextToFloat(Plain);
    }
    case etHex:
        return V.empty() ? 0 : HexToInt(V);
    default:
        return 0;
    }
}

void TKelCustomDropDown::SetFloatValue(Double X) {
    const bool General = FPrecision < 0;
    const auto Plain = [&](Char Kind) { return General ? Format(u"%g", {X}) : FormatFixed(Kind, FPrecision, X); };
    switch (FEditType) {
    case etString:
    case etFloat:
    case etValidChars:
        WriteText(Plain(u'f'));
        break;
    case etNumeric:
        WriteText(Plain(u'n'));
        break;
    case etMoney:
        WriteText(Plain(u'f'));
        ApplyMoneyGrouping();
        break;
    case etHex:
        WriteText(IntToHex(Int64(std::trunc(X)), 0));
        break;
    default:
        break;
    }
    MarkModified(true);
}

void TKelCustomDropDown::SetIntValue(Integer N) {
    switch (FEditType) {
    case etNumeric:
    case etFloat:
        WriteText(IntToStr(N));
        break;
    case etMoney:
        WriteText(IntToStr(N));
        ApplyMoneyGrouping();
        break;
    case etHex:
        WriteText(IntToHex(N, 0));
        break;
    default:
        break;
    }
    MarkModified(true);
}

void TKelCustomDropDown::SelectAll() {
    SetSelStart(ValueStart());
    SetSelLength(Integer(ReadText().size()));
}

void TKelCustomDropDown::SelectBeforeDecimal() {
    const size_t At = ReadText().find(GetDecimalSeparator());
    SetSelStart(ValueStart() + (At == String::npos ? 0 : Integer(At)));
}

void TKelCustomDropDown::SelectAfterDecimal() {
    const size_t At = ReadText().find(GetDecimalSeparator());
    SetSelStart(ValueStart() + (At == String::npos ? 0 : Integer(At) + 1));
}

void TKelCustomDropDown::WriteEditType(TDropDownEditType Value) {
    if (FEditType != Value) {
        FEditType = Value;
        if (Value == etPassword) {
            SetPasswordChar(u'*');
            FCanUndo = false;
            if (HandleAllocated()) RecreateWnd();
        } else {
            SetPasswordChar(0);
        }
    }
    const TNumberTextKind Kind = ClassifyNumberText(ReadText());
    if (FEditType == etNumeric && Kind != ntInteger)
        SetIntValue(0);
    else if ((FEditType == etFloat || FEditType == etMoney) && Kind != ntInteger && Kind != ntFloat)
        SetFloatValue(0);
    else if (FEditType == etHex && Kind != ntInteger && Kind != ntHex)
        SetIntValue(0);
    if (IsDesigning() && FEditType == etFloat && FPrecision == 0) FPrecision = 2;
}

void TKelCustomDropDown::WritePrecision(SmallInt Value) {
    if (FPrecision == Value) return;
    if (FEditType != etString && FEditType != etFloat && FEditType != etMoney && FEditType != etValidChars) return;
    FPrecision = Value;
    const TNumberTextKind Kind = ClassifyNumberText(ReadText());
    if (Kind != ntInteger && Kind != ntFloat)
        SetFloatValue(0);
    else
        SetFloatValue(GetFloatValue());
}

void TKelCustomDropDown::ApplyMoneyGrouping() {
    const String V = ReadText();
    if (V.empty()) return;
    const Integer OldLength = Integer(V.size());
    const Integer Caret = SelStart();
    String Work = V;
    String Sign;
    if (Work.starts_with(u"-")) {
        Sign = u"-";
        Work.erase(0, 1);
    }
    const Char DS = GetDecimalSeparator();
    String Fraction;
    if (const size_t At = Work.find(DS); At != String::npos) Fraction = Work.substr(At, 255);
    const Double Whole = std::trunc(std::fabs(GetFloatValue()));
    String IntegerPart = FormatFixed(FAutoThousandSeparator ? u'n' : u'f', 2, Whole);
    if (const size_t At = IntegerPart.find(DS); At != String::npos) IntegerPart.erase(At);
    const String NewText = FPrefix + Sign + IntegerPart + Fraction + FSuffix;
    FBlockChange = NewText != TControl::Text();
    const SmallInt SavedPrecision = FPrecision;
    FPrecision = 0;
    SetEditTextRaw(NewText);
    FPrecision = SavedPrecision;
    const Integer NewLength = Integer(ReadText().size());
    SetSelStart(std::max(0, Caret + (NewLength - OldLength)));
}

Integer TKelCustomDropDown::IntegerDigits(const String& Value) const {
    Integer Digits = 0;
    const Char DS = GetDecimalSeparator();
    for (Char C : Value) {
        if (C == DS) break;
        if (IsDigit(C)) ++Digits;
    }
    return Digits;
}

void TKelCustomDropDown::SetPrefixedValue(const String& Value, Integer Caret) {
    SetEditTextRaw(FPrefix + Value + FSuffix);
    SetSelStart(Caret);
}

// ---- Key-down rules ----

void TKelCustomDropDown::HandleWMKeyDown(TMessage& Message) {
    if (IsDesigning()) {
        TCustomMaskEdit::WndProc(Message);
        return;
    }
    TFlagScope InKeyDown(FInKeyDownMessage);
    Word Key = Word(Message.WParam);
    const bool Alt = Held(VK_MENU), Ctrl = Held(VK_CONTROL), Shift = Held(VK_SHIFT);
    const auto Drop = [&] {
        Message.WParam = 0;
        Message.Result = 0;
    };
    const auto Toggle = [&] {
        if (FDropDownForm && FDropDownForm->Visible())
            DoHideDropDown(false);
        else
            DoShowDropDown();
    };
    if (Alt && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
    }
    if (!FEditorEnabled && Enabled()) {
        if (!ReadOnly()) {
            if (Key == VK_RETURN) {
                if (FReturnIsTab) {
                    if (IsWindowVisible(Handle())) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
                } else {
                    DoHideDropDown(false);
                }
            } else if (Key == VK_ESCAPE) {
                DoHideDropDown(true);
            } else if (Key == VK_F4) {
                Toggle();
            }
        }
        switch (Key) {
        case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT:
        case VK_END: case VK_HOME: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
            TCustomMaskEdit::WndProc(Message);
            break;
        default:
            Drop();
            break;
        }
        return;
    }
    if (Ctrl && Key == u'A') SelectAll();
    if (Ctrl && (Key == VK_TAB || Key == VK_RETURN)) {
        TCustomMaskEdit::WndProc(Message);
        return;
    }
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        Message.WParam = VK_TAB;
        if (IsWindowVisible(Handle())) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    const Integer LP = ValueStart();
    const Integer B = ValueEnd();
    const Integer SelEnd = SelStart() + SelLength();
    if (!FSuffix.empty()) {
        if (Key == VK_RIGHT && SelEnd >= B) return Drop();
        if (Key == VK_DELETE) {
            if (SelEnd >= B && SelLength() == 0) return Drop();
            MarkModified(true);
        }
    }
    if (!FPrefix.empty() && Key == VK_LEFT && SelEnd <= LP) return Drop();
    if (Key == VK_END && !FSuffix.empty()) {
        if (Shift)
            SetSelLength(B - SelStart());
        else
            SetSelStart(B);
        return Drop();
    }
    if (Key == VK_HOME && !FPrefix.empty()) {
        if (Shift)
            SetSelection(B, LP);
        else
            SetSelStart(LP);
        return Drop();
    }
    if (Key == VK_BACK && !FPrefix.empty()) {
        // The character rules protect the prefix as well; at this level only
        // a caret at the value's start with nothing selected is refused.
        if (SelStart() <= LP && SelLength() == 0) return Drop();
        MarkModified(true);
    }
    if (Key == VK_DELETE && SelStart() >= LP) {
        if (FLengthLimit > 0) {
            String V = ReadText();
            const Integer From = SelStart() - LP;
            const Integer Count = SelLength() > 0 ? SelLength() : 1;
            if (From < Integer(V.size())) V.erase(size_t(From), size_t(Count));
            if (IntegerDigits(V) > FLengthLimit) return Drop();
        }
        MarkModified(true);
    }
    TCustomMaskEdit::WndProc(Message);
    if (Key == VK_DELETE && FEditType == etMoney) ApplyMoneyGrouping();
    if (!FPrefix.empty() && SelStart() < LP) SetSelStart(LP);
    if (Key == VK_RETURN)
        DoHideDropDown(false);
    else if (Key == VK_ESCAPE)
        DoHideDropDown(true);
    else if (Key == VK_F4)
        Toggle();
}

void TKelCustomDropDown::KeyDown(Word& Key, TShiftState Shift) {
    HandleKeyDown(Key, Shift);
}

void TKelCustomDropDown::HandleKeyDown(Word& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    // A key that came as a key-down message has been toggled there already.
    if (FInKeyDownMessage) return;
    if (Shift.Contains(ssAlt) && (Key == VK_UP || Key == VK_DOWN)) {
        if (FDroppedDown)
            DoHideDropDown(false);
        else
            DoShowDropDown();
    }
}

void TKelCustomDropDown::KeyPress(Char& Key) {
    HandleKeyPress(Key);
}

void TKelCustomDropDown::HandleKeyPress(Char& Key) {
    TCustomMaskEdit::KeyPress(Key);
    if (Key == u'\r') Key = 0;
}

// ---- Character rules ----

bool TKelCustomDropDown::ThousandSeparatorClash() const {
    const Char TS = GetThousandSeparator();
    String Work = ReadText();
    Integer C = SelStart() - ValueStart();
    size_t Found = Work.find(TS);
    Integer Smallest = 1 << 30;
    bool Close = false;
    while (Found != String::npos) {
        const Integer T = Integer(Found) + 1;
        const Integer Distance = std::abs(T - C);
        Close = Close || Distance < 3;
        Smallest = std::min(Smallest, Distance);
        Work.erase(0, Found + 1);
        if (C > T) C -= T;
        Found = Work.find(TS);
    }
    return Close || Smallest > 3;
}

bool TKelCustomDropDown::DecimalsFull() const {
    if (FPrecision <= 0) return false;
    const String V = ReadText();
    const size_t At = V.find(GetDecimalSeparator());
    if (At == String::npos) return false;
    const Integer Caret = SelStart() - ValueStart();
    return Caret > Integer(At) && Integer(V.size()) - Caret <= FPrecision &&
           Integer(V.size() - At - 1) >= FPrecision;
}

void TKelCustomDropDown::ToggleSign() {
    const String V = ReadText();
    const Integer LP = ValueStart();
    const SmallInt SavedPrecision = FPrecision;
    FPrecision = 0;
    if (FEditType == etNumeric && SelStart() == LP && SelLength() == Integer(V.size())) {
        SetPrefixedValue(u"-", LP + 1);
    } else if (const size_t Minus = V.find(u'-'); Minus == String::npos) {
        const Integer Caret = SelStart();
        SetPrefixedValue(u"-" + V, Caret + 1);
        MarkModified(true);
    } else {
        // The sign itself goes, wherever it stands.
        const Integer Caret = SelStart();
        String Without = V;
        Without.erase(Minus, 1);
        SetPrefixedValue(Without, std::max(LP, Caret - 1));
        MarkModified(true);
    }
    FPrecision = SavedPrecision;
}

void TKelCustomDropDown::HandleWMChar(TMessage& Message) {
    const auto Drop = [&] {
        Message.WParam = 0;
        Message.Result = 0;
    };
    if (!FEditorEnabled) return Drop();
    Char Key = Char(Message.WParam);
    const bool Ctrl = Held(VK_CONTROL);
    const String V = ReadText();
    const Integer LP = ValueStart();
    const Char DS = GetDecimalSeparator();
    const Char TS = GetThousandSeparator();
    const auto Usual = [&] {
        Message.WParam = Key;
        TCustomMaskEdit::WndProc(Message);
    };
    if (!Ctrl && SelStart() == LP && SelLength() == Integer(V.size()) && !V.empty()) FBlockChange = true;
    if (Key == u'\r') {
        Drop();
        if (Ctrl) return;
        Char Enter = u'\r';
        if (OnKeyPress) OnKeyPress(this, Enter);
        if (!FDefaultHandling && Parent()) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
            TCustomForm* Form = GetParentForm(this);
            if (Form && Form->KeyPreview())
                TCustomMaskEdit::WndProc(Message);
            else
                PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
        }
        return;
    }
    if (Key == 27) {
        if (!FDefaultHandling && Parent()) {
            TCustomForm* Form = GetParentForm(this);
            if (Form && Form->KeyPreview()) return Usual();
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
        }
        if (!FCanUndo) return Usual();
    }
    if (Ctrl && (Key == 3 || Key == 22 || Key == 24)) return Usual();
    if (FExcelStyleDecimalSeparator && (Key == u'.' || Key == u',') && ((Message.LParam >> 16) & 0x40)) Key = DS;
    if (Key == 8 && !FPrefix.empty() && SelStart() <= LP && SelLength() == 0) return Drop();
    if (FLengthLimit > 0 && IntegerDigits(V) >= FLengthLimit && SelLength() == 0) {
        const size_t At = V.find(DS);
        const bool BeforeDecimal = At == String::npos || SelStart() - LP <= Integer(At);
        const bool SignAccepted = Key == u'-' && FSigned;
        if (BeforeDecimal && Key != 8 && Key != DS && !SignAccepted) return Drop();
    }
    if (Key == 8) {
        const Integer Start = SelStart() - LP;
        const bool Leaves = SelLength() > 0 ? Integer(V.size()) > SelLength() : (V.size() > 1 || Start <= 0);
        Usual();
        if (Leaves && ReadText().empty()) Perform(CN_COMMAND, MAKEWPARAM(0, EN_CHANGE), 0);
        return;
    }
    if (Key == 10) return Drop();
    if (Key == u'-' && IsNumberType(FEditType) && !FSigned) return Drop();

    const bool Control = Key == 8 || Key == 9 || Key == 13;
    switch (FEditType) {
    case etString:
    case etPassword:
        Usual();
        MarkModified(true);
        break;
    case etNumeric:
        if (Key == u'-') {
            Drop();
            ToggleSign();
        } else if (IsDigit(Key) || Control || Ctrl) {
            Usual();
        } else {
            return Drop();
        }
        break;
    case etFloat:
    case etMoney: {
        const bool Money = FEditType == etMoney;
        const String Selected = SelText();
        const bool SelectionHasDS = Selected.find(DS) != String::npos;
        if (Key == DS && !SelectionHasDS) {
            if (Money && FPrecision > 0 && SelStart() == LP && SelLength() == Integer(V.size()) && !V.empty() &&
                (V.find(DS) != String::npos))
                WriteText(String(u"0") + DS + u"0");
            const String Now = ReadText();
            if (Now.find(DS) != String::npos || FPrecision == 0) {
                Drop();
                if (FPrecision > 0) SelectAfterDecimal();
                return;
            }
        }
        bool Accepted = IsDigit(Key) || Key == u'-' || Control;
        if (Money)
            Accepted = Accepted || Key == DS;
        else if (Key == u',')
            Accepted = DS == u',' || TS == u',';
        else if (Key == u'.')
            Accepted = DS == u'.' || TS == u'.';
        if (!Accepted) return Drop();
        if (!Money && Key == u',' && V.find(u',') != String::npos && Selected.find(u',') == String::npos &&
            TS != u',')
            return Drop();
        if ((Key == TS || Key == DS) && V.find(TS) != String::npos && ThousandSeparatorClash()) return Drop();
        if (DecimalsFull() && (IsDigit(Key) || Key == DS) && SelLength() == 0) {
            if (IsDigit(Key) && SelStart() < ValueEnd())
                SetSelLength(1);
            else
                return Drop();
        }
        if (Key == DS && V.empty() && SelStart() == LP) {
            Drop();
            SetPrefixedValue(String(u"0") + DS, LP + 2);
            MarkModified(true);
            return;
        }
        if (Key == u'-' && SelLength() == 0) {
            Drop();
            ToggleSign();
        } else {
            Usual();
        }
        if (Money && Key != DS) {
            const String After = ReadText();
            if (!After.empty() && After != u"-") {
                ApplyMoneyGrouping();
                if (Modified()) MarkModified(true);
            }
        }
        break;
    }
    case etUppercase:
        Key = UpperCase(String(1, Key))[0];
        Usual();
        break;
    case etLowerCase:
        Key = LowerCase(String(1, Key))[0];
        Usual();
        break;
    case etMixedCase: {
        const Integer Caret = SelStart();
        Usual();
        SetEditTextRaw(CapitalizeWords(TControl::Text()));
        SetSelStart(Caret + 1);
        break;
    }
    case etRange: {
        if (!IsDigit(Key) && !IsRangeSeparator(Key) && !Control) return Drop();
        MarkModified(true);
        if (IsRangeSeparator(Key)) {
            const String Text = TControl::Text();
            const Integer Caret = SelStart();
            const bool Before = Caret > 0 && IsRangeSeparator(Text[size_t(Caret - 1)]);
            const bool After = Caret < Integer(Text.size()) && IsRangeSeparator(Text[size_t(Caret)]);
            if (Caret <= LP || Before || After) return Drop();
        }
        Usual();
        break;
    }
    case etHex:
        if (!IsDigit(Key) && !(Key >= u'A' && Key <= u'F') && !(Key >= u'a' && Key <= u'f') && Key != u'-' &&
            !Control)
            return Drop();
        MarkModified(true);
        Usual();
        break;
    case etAlphaNumeric:
        if (!IsDigit(Key) && !(Key >= u'A' && Key <= u'Z') && !(Key >= u'a' && Key <= u'z') && !Control)
            return Drop();
        MarkModified(true);
        Usual();
        break;
    case etValidChars:
        if (Key != 8 && FValidChars.find(Key) == String::npos) return Drop();
        MarkModified(true);
        Usual();
        break;
    }
    if (Modified()) MarkModified(true);
}

// ---- Special keys, focus, clipboard, mouse ----

void TKelCustomDropDown::HandleCMWantSpecialKey(TMessage& Message) {
    TCustomForm* Form = GetParentForm(this, false);
    if (!Form) return;
    const Word Key = Word(Message.WParam);
    if (Key == VK_ESCAPE && FCanUndo && !Form->KeyPreview()) {
        SelectAll();
        MarkModified(false);
        Message.Result = 1;
        if (Parent() && FDefaultHandling) {
            PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
            PostMessage(Parent()->Handle(), WM_KEYUP, VK_ESCAPE, 0);
        }
        return;
    }
    if (Key == VK_RETURN && FDefaultHandling && !Form->KeyPreview() && Parent() && Parent()->Focused()) {
        PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_RETURN, 0);
        PostMessage(Parent()->Handle(), WM_KEYUP, VK_RETURN, 0);
    }
    TCustomMaskEdit::WndProc(Message);
    if (Key == VK_ESCAPE && FDroppedDown) Message.Result = 1;
}

void TKelCustomDropDown::HandleWMSetFocus(TMessage& Message) {
    if (ComponentState().Contains(csLoading)) return;
    TCustomMaskEdit::WndProc(Message);
    if (FEditorEnabled) {
        FOldString = ReadText();
        if (AutoSelect())
            SelectAll();
        else if (FEditType == etFloat || FEditType == etMoney)
            SelectBeforeDecimal();
    } else {
        HideCaret(Handle());
        Invalidate();
    }
}

void TKelCustomDropDown::HandleWMKillFocus(TMessage& Message) {
    if (ComponentState().Contains(csLoading)) {
        TCustomMaskEdit::WndProc(Message);
        return;
    }
    const String V = ReadText();
    const bool FloatLike = FEditType == etFloat || FEditType == etMoney;
    if (FPrecision > 0 && FloatLike && (!V.empty() || !FAllowNumericNullValue)) {
        const bool WasModified = Modified();
        const bool WasMarked = FIsModified;
        SetFloatValue(GetFloatValue());
        SetModified(WasModified);
        FIsModified = WasMarked;
    }
    if (FEditType == etNumeric && ReadText().empty() && !FAllowNumericNullValue) WriteText(IntToStr(GetNullValue()));
    if (FloatLike && ReadText().empty() && !FAllowNumericNullValue) SetFloatValue(0);
    TCustomMaskEdit::WndProc(Message);
    if (!FEmptyText.empty() && ReadText().empty()) Invalidate();
    if (!FEditorEnabled) Invalidate();
}

void TKelCustomDropDown::HandleWMCut() {
    if (!FEditorEnabled || ReadOnly()) return;
    FBlockCopy = true;
    bool Allow = true;
    if (OnClipboardCut) OnClipboardCut(this, ReadText().substr(size_t(std::max(0, SelStart() - ValueStart())),
                                                                size_t(SelLength())),
                                       Allow);
    if (Allow) {
        TMessage Cut{WM_CUT, 0, 0, 0};
        TCustomMaskEdit::WndProc(Cut);
    }
    FBlockCopy = false;
}

void TKelCustomDropDown::HandleWMCopy() {
    bool Allow = true;
    if (OnClipboardCopy && !FBlockCopy)
        OnClipboardCopy(this, ReadText().substr(size_t(std::max(0, SelStart() - ValueStart())), size_t(SelLength())),
                        Allow);
    FBlockCopy = false;
    if (Allow) {
        TMessage Copy{WM_COPY, 0, 0, 0};
        TCustomMaskEdit::WndProc(Copy);
    }
}

void TKelCustomDropDown::HandleWMPaste() {
    if (ReadOnly()) return;
    const String Clip = ClipboardText();
    if (Clip.empty()) return;
    const String V = ReadText();
    const Integer LP = ValueStart();
    const Integer From = std::clamp(SelStart() - LP, 0, Integer(V.size()));
    const Integer Length = std::min(SelLength(), Integer(V.size()) - From);
    const String Would = V.substr(0, size_t(From)) + Clip + V.substr(size_t(From + Length));
    bool Allow = true;
    if (OnClipboardPaste) OnClipboardPaste(this, Would, Allow);
    if (!Allow) return;
    if (MaxLength() > 0 && Integer(Clip.size() + V.size()) - Length > MaxLength()) return;
    // A sign is taken only as the first character, and only when signs are allowed.
    const size_t Minus = Would.find(u'-');
    const bool SignOk = Minus == String::npos || (FSigned && Minus == 0 && Would.find(u'-', 1) == String::npos);
    const TNumberTextKind Kind = ClassifyNumberText(Would);
    const auto AllOf = [&](auto Test) { return std::all_of(Would.begin(), Would.end(), Test); };
    switch (FEditType) {
    case etString:
    case etPassword:
        WriteText(Would);
        break;
    case etNumeric:
        if (Kind != ntInteger || !SignOk) return;
        WriteText(Would);
        MarkModified(true);
        break;
    case etFloat:
    case etMoney:
        if ((Kind != ntInteger && Kind != ntFloat) || !SignOk) return;
        if (FPrecision == 0 && Clip.find(GetDecimalSeparator()) != String::npos) return;
        WriteText(Would);
        SetFloatValue(GetFloatValue());
        MarkModified(true);
        break;
    case etUppercase:
        WriteText(UpperCase(Would));
        break;
    case etMixedCase:
        WriteText(CapitalizeWords(Would));
        break;
    case etLowerCase:
        WriteText(LowerCase(Would));
        break;
    case etAlphaNumeric:
        if (!AllOf([](Char C) { return IsDigit(C) || (C >= u'A' && C <= u'Z') || (C >= u'a' && C <= u'z'); }))
            return;
        WriteText(Would);
        MarkModified(true);
        break;
    case etValidChars:
        if (!AllOf([this](Char C) { return FValidChars.find(C) != String::npos; })) return;
        WriteText(Would);
        MarkModified(true);
        break;
    case etRange:
    case etHex:
        return;
    }
    if (FEditType == etMoney && ReadText().size() > 3) {
        SelectAll();
    } else if (Length > 0) {
        SetSelection(LP + From, LP + From + Integer(Clip.size()));
    } else {
        SetSelStart(LP + From + Integer(Clip.size()));
    }
    if (FEditType == etString || (FEditType >= etUppercase && FEditType <= etPassword)) MarkModified(true);
}

void TKelCustomDropDown::HandleMouseUpClamps() {
    const Integer LP = ValueStart();
    const Integer B = ValueEnd();
    if (!FPrefix.empty() && SelStart() < LP) {
        SetSelStart(LP);
        SetSelLength(B - LP);
    }
    if (!FSuffix.empty()) {
        if (SelStart() > B)
            SetSelStart(B);
        else if (SelStart() + SelLength() > B)
            SetSelLength(B - SelStart());
    }
}
