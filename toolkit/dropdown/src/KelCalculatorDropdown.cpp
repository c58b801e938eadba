// The calculator drop-down: the edit shows the current number; panel keys,
// characters typed into the edit and characters typed while the pop-up has
// the keyboard drive the accumulator, one pending operator and the memory.

#include "dropdown/KelCalculatorDropdown.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "windowing/Input.h"

#include <cmath>

using namespace winapi;

namespace {

// The value of an ASCII digit character, else -1.
Integer DigitValue(Char C) {
    return C >= u'0' && C <= u'9' ? Integer(C - u'0') : -1;
}

} // namespace

const TClassInfo& TKelCalculatorDropdown::StaticClassInfo() {
    using C = TKelCalculatorDropdown;
    static const TClassInfo Info =
        TClassBuilder<C, TKelCustomDropDown>()
            .Property(u"CalcButtonAppearance", &C::CalcButtonAppearance, &C::SetCalcButtonAppearance)
            .Property(u"ShowThousandSeparator", &C::ShowThousandSeparator, &C::SetShowThousandSeparator)
            .Default(false)
            .Build();
    return Info;
}

TKelCalculatorDropdown::TKelCalculatorDropdown(TComponent* AOwner)
    : TKelCustomDropDown(AOwner), FCalcButtonAppearance(std::make_unique<TButtonAppearance>()) {
    FDropDownColor = 0xFFFFFF;
    FDropDownWidth = 230;
    FDropDownHeader->SetVisible(false);
    FDropDownFooter->SetVisible(false);
    FEditType = etValidChars;
    FValidChars = u"0123456789,.C+-*/=";
    FPrecision = 2;
    FSigned = true;
}

TKelCalculatorDropdown::~TKelCalculatorDropdown() = default;

// ---- Text and numbers ----

Double TKelCalculatorDropdown::TextNumber() const {
    // A text that is not a number (such as "-" alone) counts as 0: these
    // conversions run inside key handlers, where an error has nobody to go to.
    Double Result = 0;
    if (!TryStrToFloat(StripThousandSeparators(ReadText()), Result, FormatSettings)) return 0;
    return Result;
}

namespace {

// Keeps the text the pop-up restores on cancel while the calculator writes.
struct TKeepOldText {
    TKeepOldText(String& AField, bool Keep) : Field(AField), Saved(AField), Active(Keep) {}
    ~TKeepOldText() {
        if (Active) Field = Saved;
    }
    String& Field;
    String Saved;
    bool Active;
};

} // namespace

Double TKelCalculatorDropdown::Value() {
    if (ReadText().empty()) {
        TKeepOldText Keep(FOldText, FDroppedDown);
        SetText(u"0");
    }
    return TextNumber();
}

void TKelCalculatorDropdown::SetValue(Double AValue) {
    TKeepOldText Keep(FOldText, FDroppedDown);
    SetText(Format(u"%g", {AValue}));
}

void TKelCalculatorDropdown::SetShowThousandSeparator(bool Value) {
    if (FShowThousandSeparator == Value) return;
    FShowThousandSeparator = Value;
    SetEditType(Value ? etMoney : etFloat);
    TKeepOldText Keep(FOldText, FDroppedDown);
    SetFloatValue(GetFloatValue());
}

void TKelCalculatorDropdown::SetCaretAfterValue(Integer Chars) {
    SetSelStart(Integer(FPrefix.size()) + Chars);
    SetSelLength(0);
}

// ---- The operations ----

void TKelCalculatorDropdown::DoCalc() {
    TKeepOldText Keep(FOldText, FDroppedDown);
    if (ReadText().empty() || ReadText() == u"Error") SetText(u"0");
    const Double X = TextNumber();
    Double Result = FPrevval;
    switch (FPrevop) {
    case 0:
        Result = X + FPrevval;
        break;
    case 1:
        Result = FPrevval * X;
        break;
    case 2:
        Result = FPrevval - X;
        break;
    case 3:
        if (X == 0) {
            FPrevval = 0;
            SetText(u"Error");
            return;
        }
        Result = FPrevval / X;
        break;
    default:
        Result = X;
        break;
    }
    FPrevval = std::isfinite(Result) ? Result : 0;
    SetFloatValue(FPrevval);
    FNewval = true;
}

void TKelCalculatorDropdown::DoAdd() {
    DoCalc();
    FPrevop = 0;
}

void TKelCalculatorDropdown::DoMultiply() {
    DoCalc();
    FPrevop = 1;
}

void TKelCalculatorDropdown::DoSubtract() {
    DoCalc();
    FPrevop = 2;
}

void TKelCalculatorDropdown::DoDivide() {
    DoCalc();
    FPrevop = 3;
}

void TKelCalculatorDropdown::DoEquals() {
    DoCalc();
    TKeepOldText Keep(FOldText, FDroppedDown);
    if (ReadText().empty()) SetText(u"0");
    FPrevop = -1;
    if (ReadText() != u"Error") FPrevval = TextNumber();
}

void TKelCalculatorDropdown::DoPercent() {
    TKeepOldText Keep(FOldText, FDroppedDown);
    if (ReadText().empty() || ReadText() == u"Error") SetText(u"0");
    const Double X = TextNumber();
    SetText(Format(u"%g", {FPrevval * X / 100}));
}

// ---- The pop-up ----

void TKelCalculatorDropdown::CreateDropDownForm() {
    TKelCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FKelButtonPanel) {
        FKelButtonPanel = Create<TCustomButtonPanel>(this);
        FKelButtonPanel->SetParent(FDropDownForm);
        FKelButtonPanel->SetKelDropDown(this);
        FKelButtonPanel->SetHeight(150);
        FKelButtonPanel->InitButtons();
    }
    SetControl(FKelButtonPanel);
    FKelButtonPanel->OnButtonClick = [this](TObject* Sender, Integer Index) { HandleButtonClick(Sender, Index); };
}

void TKelCalculatorDropdown::DoBeforeDropDown() {
    TKelCustomDropDown::DoBeforeDropDown();
    if (FDropDownForm) FDropDownForm->SetCancelOnDeActivate(false);
    if (FKelButtonPanel) {
        FKelButtonPanel->SetButtonAppearance(FCalcButtonAppearance.get());
        FKelButtonPanel->SetColor(FDropDownColor);
        FKelButtonPanel->ArrangeButtons();
    }
    FSigned = false;
    FNewval = true;
    FDecim = 0;
    FLastop = -1;
    FCalcClosed = false;
}

void TKelCalculatorDropdown::DoHideDropDown(bool Cancel) {
    TKelCustomDropDown::DoHideDropDown(Cancel);
    FSigned = true;
}

// ---- Panel keys ----

void TKelCalculatorDropdown::HandleButtonClick(TObject*, Integer Index) {
    if (!FKelButtonPanel || Index < 0 || Index >= FKelButtonPanel->Buttons()->Count()) return;
    BeforeCalcKey();
    const Integer T = FKelButtonPanel->Buttons()->GetItem(Index)->Tag();
    if ((T >= 10 && T <= 14) || (T >= 16 && T <= 18)) FDecim = 0;
    if ((T >= 0 && T <= 9) || T == 14 || T == 15)
        if (MaxLength() > 0 && Integer(ReadText().size()) >= MaxLength()) return;
    TKeepOldText Keep(FOldText, FDroppedDown);
    switch (T) {
    case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 9: {
        Double V = GetFloatValue();
        if ((V != 0 || FDecim != 0) && !FNewval) {
            // A negative entry grows away from zero, as typing it would.
            const Double Digit = V < 0 ? -T : T;
            if (FDecim > 0) {
                V = V + Digit / FDecim;
                FDecim *= 10;
            } else {
                V = V * 10 + Digit;
            }
            SetFloatValue(V);
        } else {
            SetText(IntToStr(T));
            FNewval = false;
        }
        FLastop = -1;
        break;
    }
    case 10: case 11: case 12: case 13:
        // An operator applies the pending one only when a number was entered
        // since the last operator; otherwise it just replaces it.
        if (FLastop == -1) {
            if (T == 10)
                DoAdd();
            else if (T == 11)
                DoSubtract();
            else if (T == 12)
                DoMultiply();
            else
                DoDivide();
        }
        FPrevop = T == 10 ? 0 : T == 11 ? 2 : T == 12 ? 1 : 3;
        FLastop = 0;
        break;
    case 14: {
        String Text = ReadText();
        const size_t Minus = Text.find(u'-');
        if (Minus != String::npos)
            Text.erase(Minus, 1);
        else
            Text.insert(0, 1, u'-');
        SetText(Text);
        FLastop = -1;
        break;
    }
    case 15: {
        const Char DS = GetDecimalSeparator();
        if (FNewval) SetText(u"0");
        if (ReadText().find(DS) == String::npos) SetText(ReadText() + DS);
        FDecim = 10;
        FNewval = false;
        FLastop = -1;
        break;
    }
    case 16: case 30: case 32:
        SetText(u"0");
        FPrevval = 0;
        FPrevop = -1;
        FLastop = -1;
        break;
    case 17:
        DoEquals();
        FLastop = -1;
        break;
    case 18:
        DoPercent();
        FLastop = -1;
        break;
    case 31:
        if (FPrevop < 0) {
            const String S = FloatToStr(GetFloatValue(), FormatSettings);
            SetText(S.substr(0, S.empty() ? 0 : S.size() - 1));
        }
        break;
    case 33:
        FMVal = 0;
        break;
    case 34:
        SetFloatValue(FMVal);
        FLastop = -1;
        break;
    case 35:
        FMVal = TextNumber();
        break;
    case 36:
        FMVal = TextNumber() + FMVal;
        break;
    case 37: {
        const Double V = GetFloatValue();
        if (V >= 0)
            SetFloatValue(std::sqrt(V));
        else
            SetText(u"Error");
        FLastop = -1;
        break;
    }
    case 38: {
        const Double V = GetFloatValue();
        if (V == 0)
            SetText(u"Error");
        else
            SetFloatValue(1 / V);
        FLastop = -1;
        break;
    }
    default:
        break;
    }
    MarkModified(true);
}

// ---- Characters typed into the edit ----

bool TKelCalculatorDropdown::CalcKeyPress(Char& Key) {
    TKeepOldText Keep(FOldText, FDroppedDown);
    const Char DS = GetDecimalSeparator();
    switch (Key) {
    case u'-':
        if (SelStart() != 0) {
            DoSubtract();
            FLastop = 0;
            return false;
        }
        break;
    case u'\r':
    case u'=':
        DoEquals();
        break;
    case u'%':
        DoPercent();
        break;
    case u'*':
        DoMultiply();
        FLastop = 0;
        break;
    case u'+':
        DoAdd();
        FLastop = 0;
        break;
    case u'/':
        DoDivide();
        FLastop = 0;
        break;
    case u'C':
    case u'c':
        SetText(u"0");
        FNewval = true;
        FPrevop = -1;
        break;
    default:
        break;
    }
    if (!IsDigitChar(Key) && Key != DS && Key != 8 && Key != u'-') return false;
    FLastop = -1;
    const String Text = ReadText();
    // A digit typed on "Error" replaces it, as the panel's digit keys do.
    if ((Text == u"0" || Text == u"Error" || FNewval) && Text != u"-" && IsDigitChar(Key)) {
        SetText(String(1, Key));
        SetCaretAfterValue(1);
        FNewval = false;
        return false;
    }
    if (Text.size() == 1 && Key == 8) {
        SetText(u"0");
        SetCaretAfterValue(1);
        return false;
    }
    if (Key == GetThousandSeparator()) return false;
    if (Key == DS && Text.find(DS) != String::npos) return false;
    return true;
}

void TKelCalculatorDropdown::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CHAR: {
        Char Key = Char(Message.WParam);
        if (!FEditorEnabled || !CalcKeyPress(Key)) {
            Message.Result = 0;
            return;
        }
        Message.WParam = Key;
        TKelCustomDropDown::WndProc(Message);
        return;
    }
    case WM_KEYDOWN:
        TKelCustomDropDown::WndProc(Message);
        if (Message.WParam == VK_DELETE && (ReadText().empty() || ReadText() == u"Error")) {
            TKeepOldText Keep(FOldText, FDroppedDown);
            SetText(u"0");
        }
        return;
    default:
        TKelCustomDropDown::WndProc(Message);
        return;
    }
}

// ---- Characters and keys at the pop-up ----

void TKelCalculatorDropdown::ForwardFormKeyPress(TObject* Sender, Char& Key) {
    // Backspace already acted on its key-down.
    if (Key != 8) TKelCustomDropDown::ForwardFormKeyPress(Sender, Key);
    ProcessPopupKey(Key);
}

void TKelCalculatorDropdown::ProcessPopupKey(Char Key) {
    // The forwarded character has already run through the edit's key
    // handling, which applied operators, "=", "%" and "C"; here only what
    // belongs to the pop-up remains, so every character acts once.
    BeforeCalcKey();
    if (IsDigitChar(Key) && MaxLength() > 0 && Integer(ReadText().size()) >= MaxLength()) return;
    if (Key == u'\r') {
        HideDropDown(false);
    } else if (Key == 27) {
        HideDropDown(true);
    } else if (DigitValue(Key) >= 0) {
        FNewval = false;
    }
}

void TKelCalculatorDropdown::ForwardFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    TKelCustomDropDown::ForwardFormKeyDown(Sender, Key, Shift);
    if (Key == VK_TAB || Key == VK_F4) {
        HideDropDown(false);
    } else if (Key == VK_BACK) {
        TKeepOldText Keep(FOldText, FDroppedDown);
        String Text = ReadText();
        if (!Text.empty()) Text.pop_back();
        if (Text.empty() || Text == u"Error") Text = u"0";
        SetText(Text);
    }
}

// ---- Style ----

void TKelCalculatorDropdown::DoSetComponentStyle(TKelStyle AStyle) {
    TKelCustomDropDown::DoSetComponentStyle(AStyle);
    if (AStyle == tsCustom) return;
    TButtonAppearance* C = FCalcButtonAppearance.get();
    struct TPreset {
        TKelStyle Style;
        TColor Border, BorderHot, Color, ColorHot, ColorDown, GlowHot, Font, Text, Special, Checked, Disabled;
    };
    static const TPreset Presets[] = {
        {tsOffice2019White, 0xABABAB, 0xF2E1D5, 0xFFFFFF, 0xF2E1D5, 0xE3BDA3, 0xFFFFFF, 0x444648, 0x444648,
         0xB0784A, 0xF2E1D5, 0xD4D4D4},
        {tsOffice2019Gray, 0x808080, 0x969696, 0xD4D4D4, 0x969696, 0x666666, 0xB8BBBE, 0xFFFFFF, 0x232425,
         0x1E1F20, 0x969696, 0x4D4D4D},
        {tsOffice2019Black, 0x686868, 0xB5B5B5, 0x444444, 0x686868, 0x828282, 0x3B3B3B, 0xFFFFFF, 0xF1F1F1,
         0xFFFFFF, 0x505050, 0xD4D4D4},
    };
    for (const TPreset& P : Presets) {
        if (P.Style != AStyle) continue;
        C->SetBorderColor(P.Border);
        C->SetBorderColorHot(P.BorderHot);
        C->SetBorderColorDown(P.BorderHot);
        C->SetColor(P.Color);
        C->SetColorTo(P.Color);
        C->SetColorHot(P.ColorHot);
        C->SetColorHotTo(P.ColorHot);
        C->SetColorDown(P.ColorDown);
        C->SetColorDownTo(P.ColorDown);
        C->SetGlowColorHot(P.GlowHot);
        C->SetGlowColorDown(clNone);
        C->Font()->SetColor(P.Font);
        C->SetTextColor(P.Text);
        C->SetSpecialTextColor(P.Special);
        C->SetShineColor(clNone);
        C->SetBorderColorChecked(P.BorderHot);
        C->SetColorChecked(P.Checked);
        C->SetColorCheckedTo(P.Checked);
        C->SetColorDisabled(P.Disabled);
        C->SetColorDisabledTo(P.Disabled);
        return;
    }
    const TKelButtonAppearance* B = ButtonAppearance();
    const bool Office2010 = AStyle == tsOffice2010Blue || AStyle == tsOffice2010Silver || AStyle == tsOffice2010Black;
    C->SetBorderColor(B->BorderColor());
    C->SetBorderColorHot(B->BorderColorHot());
    C->SetBorderColorDown(B->BorderColorDown());
    C->SetColor(B->Color());
    C->SetColorTo(B->ColorTo());
    C->SetColorHot(B->ColorHot());
    C->SetColorHotTo(B->ColorHotTo());
    C->SetColorDown(B->ColorDown());
    C->SetColorDownTo(B->ColorDownTo());
    C->SetGlowColorHot(Office2010 ? B->ColorHot() : B->ColorDownTo());
    C->SetGlowColorDown(Office2010 ? B->ColorHot() : 0xD5C244);
    C->Font()->SetColor(clWindowText);
    C->SetTextColor(0);
    C->SetSpecialTextColor(0x000080);
    C->SetShineColor(0xFFFFFF);
    C->SetBorderColorChecked(B->BorderColorDisabled());
    C->SetColorChecked(B->ColorDisabledTo());
    C->SetColorCheckedTo(B->ColorHotTo());
    C->SetColorDisabled(B->ColorDisabled());
    C->SetColorDisabledTo(B->ColorDisabledTo());
}
