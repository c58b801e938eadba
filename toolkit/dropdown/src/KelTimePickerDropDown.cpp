// The time picker drop-down: mask and text of the time, typed text, field
// stepping, the pop-up with the watch and the optional time picker.

#include "dropdown/KelTimePickerDropDown.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/FormatSettings.h"
#include "rtl/StringUtils.h"
#include "vcl/DateTimePicker.h"
#include "vcl/ExtCtrls.h"
#include "windowing/Input.h"

#include <cmath>

using namespace winapi;

namespace {

String TwoDigits(Integer Value) {
    String S = IntToStr(Value);
    return S.size() < 2 ? u"0" + S : S;
}

String Trimmed(const String& Text) {
    return Trim(Text);
}

// Empty passes; else the first (and a second) character are ASCII digits.
bool IsValidNum(const String& Text) {
    if (Text.empty()) return true;
    const auto Digit = [](Char C) { return C >= u'0' && C <= u'9'; };
    if (!Digit(Text[0])) return false;
    return Text.size() < 2 || Digit(Text[1]);
}

Integer NumValue(const String& Text) {
    Integer Value = 0;
    for (Char C : Text) {
        if (C < u'0' || C > u'9') break;
        Value = Value * 10 + (C - u'0');
    }
    return Value;
}

struct TFlag {
    explicit TFlag(bool& AFlag) : Flag(AFlag), Old(AFlag) { Flag = true; }
    ~TFlag() { Flag = Old; }
    bool& Flag;
    bool Old;
};

} // namespace

const TClassInfo& TKelTimePickerDropDown::StaticClassInfo() {
    using C = TKelTimePickerDropDown;
    static const TClassInfo Info =
        TClassBuilder<C, TKelCustomDropDown>()
            .Property(u"Animation", &C::Animation, &C::SetAnimation)
            .Default(true)
            .Property(u"AnimationFactor", &C::AnimationFactor, &C::SetAnimationFactor)
            .Default(10)
            .Property(u"WatchSettings", &C::WatchSettings, &C::SetWatchSettings)
            .Property(u"Time", &C::Time, &C::SetTime)
            .Property(u"ShowWatchAMPM", &C::ShowWatchAMPM, &C::SetShowWatchAMPM)
            .Default(true)
            .Property(u"ShowWatchNumbers", &C::ShowWatchNumbers, &C::SetShowWatchNumbers)
            .Default(true)
            .Property(u"ShowTimePicker", &C::ShowTimePicker, &C::SetShowTimePicker)
            .Default(false)
            .Property(u"WatchAppearance", &C::WatchAppearance, &C::SetWatchAppearance)
            .Property(u"ShowSeconds", &C::ShowSeconds, &C::SetShowSeconds)
            .Default(true)
            .Property(u"Resolution", &C::Resolution, &C::SetResolution)
            .Default(1)
            .Build();
    return Info;
}

TKelTimePickerDropDown::TKelTimePickerDropDown(TComponent* AOwner)
    : TKelCustomDropDown(AOwner), FWatchAppearance(std::make_unique<TWatchAppearance>()),
      FWatchSettings(std::make_unique<TWatchSettings>()) {
    FWatchAppearance->OnChange = [](TObject*) {};
    FShowTimePicker = false;
    FEditorEnabled = false;
    FDropDownEnabled = true;
    FShowSeconds = true;
    {
        TFlag Internal(FInternalCall);
        UpdateEditMask();
        SetTextUnformatted(TimeText(0));
    }
    FDropDownHeader->SetVisible(false);
    FDropDownFooter->SetVisible(false);
}

TKelTimePickerDropDown::~TKelTimePickerDropDown() = default;

// ---- Text ----

String TKelTimePickerDropDown::TimeText(TDateTime Value) const {
    Word H, M, S, MS;
    DecodeTime(Value, H, M, S, MS);
    const Char Sep = FormatSettings.TimeSeparator;
    String Text = TwoDigits(H) + Sep + TwoDigits(M);
    if (FShowSeconds) Text += Sep + TwoDigits(S);
    return Text;
}

String TKelTimePickerDropDown::MaskText() const {
    const Char Sep = FormatSettings.TimeSeparator;
    return FShowSeconds ? u"!90" + String(1, Sep) + u"00" + String(1, Sep) + u"00;1; "
                        : u"!90" + String(1, Sep) + u"00;1; ";
}

void TKelTimePickerDropDown::UpdateEditMask() {
    SetEditMask(MaskText());
}

std::optional<TDateTime> TKelTimePickerDropDown::ParseText() const {
    const String Text = ReadText();
    if (Trimmed(Text).empty()) return 0.0;
    TDateTime Value = 0;
    if (!TryStrToTime(Text, Value, FormatSettings)) return std::nullopt;
    return Value - std::floor(Value);
}

void TKelTimePickerDropDown::SetTime(TDateTime Value) {
    if (Value == FTime) return;
    if (FEditorEnabled && Value != 0 && !IsMasked()) {
        TFlag Internal(FInternalCall);
        UpdateEditMask();
    }
    FTime = Value;
    SetTextUnformatted(TimeText(Value));
    if (FDroppedDown && FKelWatch) {
        FKelWatch->SetTime(Value);
        if (FShowTimePicker && FDateTimePicker) FDateTimePicker->SetTime(Value);
    }
}

void TKelTimePickerDropDown::SetShowSeconds(bool Value) {
    if (FShowSeconds == Value) return;
    FShowSeconds = Value;
    const TDateTime Saved = FTime;
    {
        TFlag Internal(FInternalCall);
        SetEditMask(u"");
        SetTextUnformatted(u"");
    }
    {
        TFlag Internal(FInternalCall);
        UpdateEditMask();
    }
    FTime = Saved + 1;
    SetTime(Saved);
}

void TKelTimePickerDropDown::WriteText(const String& Value) {
    {
        TFlag Internal(FInternalCall);
        if (!Value.empty())
            UpdateEditMask();
        else
            SetEditMask(u"");
    }
    TKelCustomDropDown::WriteText(Value);
}

bool TKelTimePickerDropDown::HasValidSeparators(const String& Text) const {
    const Char Sep = FormatSettings.TimeSeparator;
    const size_t First = Text.find(Sep);
    if (First == String::npos) return false;
    const String Rest = Trimmed(Text.substr(First + 1));
    const size_t Second = Rest.find(Sep);
    if ((Second != String::npos) != FShowSeconds) return false;
    if (Second == String::npos) return true;
    return Trimmed(Rest.substr(Second + 1)).find(Sep) == String::npos;
}

void TKelTimePickerDropDown::Change() {
    TKelCustomDropDown::Change();
    String Text = ReadText();
    if (Text.empty() || FInternalCall || !HasValidSeparators(Text)) return;
    for (Char& C : Text)
        if (C == u' ') C = u'0';
    const Char Sep = FormatSettings.TimeSeparator;
    const size_t First = Text.find(Sep);
    const String HourText = Trimmed(Text.substr(0, First));
    if (!IsValidNum(HourText)) return;
    String After = Trimmed(Text.substr(First + 1));
    String MinuteText = After, SecondText;
    if (FShowSeconds) {
        const size_t Second = After.find(Sep);
        MinuteText = Trimmed(After.substr(0, Second));
        SecondText = Trimmed(After.substr(Second + 1));
    }
    if (!IsValidNum(MinuteText) || !IsValidNum(SecondText)) return;
    const Integer H = NumValue(HourText), M = NumValue(MinuteText), S = FShowSeconds ? NumValue(SecondText) : 0;
    // An hour above 23 or a minute or second above 59 leaves the time as it
    // is, without an error out of the change handler.
    TDateTime Value = 0;
    if (!TryEncodeTime(Word(H), Word(M), Word(S), 0, Value)) return;
    FTime = Value;
    const String Normal = TimeText(Value);
    if (Normal != ReadText() && M == 0 && S == 0) WriteText(Normal);
}

bool TKelTimePickerDropDown::Validate(const String& Value, Integer& Pos) {
    if (ComponentState().Contains(csDesigning)) return TKelCustomDropDown::Validate(Value, Pos);
    if (!ParseText()) WriteText(TimeText(FTime)); // the value's text, not the clock's
    return true;
}

void TKelTimePickerDropDown::DoExit() {
    // A text that does not parse keeps the time.
    if (auto Value = ParseText()) SetTime(*Value);
    TKelCustomDropDown::DoExit();
}

// ---- Stepping a field ----

void TKelTimePickerDropDown::SetField(Integer Index, Integer Value) {
    Word H, M, S, MS;
    DecodeTime(FTime, H, M, S, MS);
    Word* Fields[3] = {&H, &M, &S};
    const Integer Limit = Index == 0 ? 23 : 59;
    if (Value == *Fields[Index] || Value < 0 || Value > Limit) return;
    *Fields[Index] = Word(Value);
    SetTime(EncodeTime(H, M, S, MS));
    if (OnTimeChange) OnTimeChange(this);
}

void TKelTimePickerDropDown::SetHourField(Integer Value) {
    SetField(0, Value);
}

void TKelTimePickerDropDown::SetMinuteField(Integer Value) {
    SetField(1, Value);
}

void TKelTimePickerDropDown::SetSecondField(Integer Value) {
    SetField(2, Value);
}

void TKelTimePickerDropDown::KeyDown(Word& Key, TShiftState Shift) {
    const Word Original = Key;
    const Integer Caret = SelStart();
    TKelCustomDropDown::KeyDown(Key, Shift);
    if (GetKeyState(VK_MENU) < 0 || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) return;
    if (Original != VK_UP && Original != VK_DOWN) return;
    const Integer Delta = Original == VK_UP ? -1 : 1;
    const String Text = ReadText();
    const Char Sep = FormatSettings.TimeSeparator;
    const Integer P = Integer(Text.find(Sep)) + 1;
    Integer Field = 1;
    if (Caret < P) {
        Field = 0;
    } else {
        const Integer Q = Integer(Text.substr(P).find(Sep)) + 1;
        if (FShowSeconds && Q > 0 && Caret - P >= Q) Field = 2;
    }
    Word H, M, S, MS;
    DecodeTime(FTime, H, M, S, MS);
    const Integer Values[3] = {H, M, S};
    const Integer Span = Field == 0 ? 24 : 60;
    const Integer Next = (Values[Field] + Delta + Span) % Span;
    if (Field == 0)
        SetHourField(Next);
    else if (Field == 1)
        SetMinuteField(Next);
    else
        SetSecondField(Next);
    SetSelStart(Caret);
    SetSelLength(0);
}

// ---- The pop-up ----

void TKelTimePickerDropDown::CreateDropDownForm() {
    TKelCustomDropDown::CreateDropDownForm();
    if (!FDropDownForm) return;
    if (!FPanelCtrl) {
        FPanelCtrl = Create<TPanel>(this);
        FPanelCtrl->SetParent(FDropDownForm);
        FPanelCtrl->SetBevelOuter(bvNone);
        FPanelCtrl->SetBevelInner(bvNone);
        FPanelCtrl->SetBounds(0, 0, FPanelCtrl->Width(), 180);
    }
    if (!FKelWatch) {
        FKelWatch = Create<TKelWatch>(this);
        FKelWatch->SetParent(FPanelCtrl);
        FKelWatch->SetTabStop(true);
        FKelWatch->SetAlign(alClient);
    }
    SetControl(FPanelCtrl);
}

void TKelTimePickerDropDown::DoBeforeDropDown() {
    TKelCustomDropDown::DoBeforeDropDown();
    if (!FPanelCtrl || !FKelWatch) return;
    FPanelCtrl->SetBounds(FPanelCtrl->Left(), FPanelCtrl->Top(), 170, 170);
    if (FDropDownForm) {
        FDropDownForm->SetWidth(FDropDownForm->Width() + 1);
        FDropDownForm->SetWidth(FDropDownForm->Width() - 1);
        FDropDownForm->SetCancelOnDeActivate(false);
    }
    FPanelCtrl->SetColor(FDropDownColor);
    FKelWatch->SetAppearance(FWatchAppearance.get());
    FKelWatch->SetSettings(FWatchSettings.get());
    FKelWatch->SetShowAMPM(FShowWatchAMPM);
    FKelWatch->SetShowNumbers(FShowWatchNumbers);
    FKelWatch->SetAnimation(FAnimation);
    FKelWatch->SetAnimationFactor(FAnimationFactor);
    FKelWatch->SetResolution(FResolution);
    FKelWatch->OnChange = nullptr;
    // A text that does not parse leaves the watch at the time held.
    const std::optional<TDateTime> Parsed = ParseText();
    FKelWatch->SetTime(Parsed ? *Parsed : FTime);
    FKelWatch->OnChange = [this](TObject* Sender) { WatchChanged(Sender); };
    if (FShowTimePicker) {
        if (!FDateTimePicker) {
            FDateTimePicker = Create<TDateTimePicker>(this);
            FDateTimePicker->SetParent(FPanelCtrl);
            FDateTimePicker->SetKind(dtkTime);
        }
        FDateTimePicker->OnChange = nullptr;
        FDateTimePicker->SetAlign(alBottom);
        FDateTimePicker->SetFormat(FShowSeconds ? u"HH:mm:ss" : u"HH:mm");
        FDateTimePicker->SetTime(FKelWatch->Time());
        FDateTimePicker->SetVisible(true);
        FDateTimePicker->OnChange = [this](TObject* Sender) { PickerChanged(Sender); };
        FPanelCtrl->SetHeight(170 + FDateTimePicker->Height());
    } else if (FDateTimePicker) {
        FDateTimePicker->SetVisible(false);
    }
    SetControl(nullptr);
    SetControl(FPanelCtrl);
}

void TKelTimePickerDropDown::DoShowDropDown() {
    TKelCustomDropDown::DoShowDropDown();
    if (FKelWatch && FDroppedDown && FKelWatch->CanFocus()) FKelWatch->SetFocus();
}

void TKelTimePickerDropDown::DoHideDropDown(bool Cancel) {
    TKelCustomDropDown::DoHideDropDown(Cancel);
    if (!FKelWatch) return;
    if (Cancel) {
        FKelWatch->OnChange = nullptr;
        FKelWatch->SetTime(FTime);
        FKelWatch->OnChange = [this](TObject* Sender) { WatchChanged(Sender); };
    } else {
        SetTime(FKelWatch->Time());
    }
}

void TKelTimePickerDropDown::AfterHideDropDown() {
    TKelCustomDropDown::AfterHideDropDown();
    if (FKelWatch) SetTime(FKelWatch->Time());
}

void TKelTimePickerDropDown::WatchChanged(TObject*) {
    if (FDateTimePicker && FShowTimePicker && FDateTimePicker->Time() != FKelWatch->Time())
        FDateTimePicker->SetTime(FKelWatch->Time());
    const TDateTime Before = FTime;
    SetTime(FKelWatch->Time());
    // Every change of the time that comes from the watch is reported.
    if (FTime != Before && OnTimeChange) OnTimeChange(this);
}

void TKelTimePickerDropDown::PickerChanged(TObject*) {
    if (!FDateTimePicker || !FKelWatch || FWatchSettings->Auto()) return;
    FKelWatch->SetTime(FDateTimePicker->Time());
    const String Text = TimeText(FDateTimePicker->Time());
    if (Text != ReadText()) WriteText(Text);
}

// ---- Keys of the pop-up ----

void TKelTimePickerDropDown::ForwardFormKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    if (!PageOrArrow(Key) || Shift.Contains(ssAlt)) TKelCustomDropDown::ForwardFormKeyDown(Sender, Key, Shift);
    if (FDropDownForm && FDropDownForm->Visible() && FKelWatch) FKelWatch->ProcessKey(Key);
}

void TKelTimePickerDropDown::ForwardFormKeyUp(TObject* Sender, Word& Key, TShiftState Shift) {
    if (!PageOrArrow(Key) || Shift.Contains(ssAlt)) TKelCustomDropDown::ForwardFormKeyUp(Sender, Key, Shift);
}

void TKelTimePickerDropDown::ForwardControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    if (!PageOrArrow(Key) || Shift.Contains(ssAlt)) TKelCustomDropDown::ForwardControlKeyDown(Sender, Key, Shift);
}

void TKelTimePickerDropDown::ForwardControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) {
    if (!PageOrArrow(Key) || Shift.Contains(ssAlt)) TKelCustomDropDown::ForwardControlKeyUp(Sender, Key, Shift);
}

void TKelTimePickerDropDown::ForwardControlKeyPress(TObject* Sender, Char& Key) {
    if (PageOrArrow(Word(Key)) && GetKeyState(VK_MENU) >= 0) return;
    TKelCustomDropDown::ForwardControlKeyPress(Sender, Key);
}

// ---- Colour styles ----

void TKelTimePickerDropDown::DoSetComponentStyle(TKelStyle AStyle) {
    TKelCustomDropDown::DoSetComponentStyle(AStyle);
    if (AStyle == tsCustom) return;
    SetColor(clWindow);
    Font()->SetColor(clWindowText);
    TWatchAppearance* A = FWatchAppearance.get();
    SetWatchColorStyle(A, AStyle);
    A->SetCenterPointOuterBorderColor(0);
    struct TRow {
        TKelStyle Style;
        TColor Fonts, Edit, Face, Border, Center, Hour, Minute, HourPointer, MinutePointer, Second;
    };
    static const TRow Rows[] = {
        {tsOffice2019White, 0x444648, clWindow, 0xFFFFFF, 0xC4C6C8, 0xE3BDA3, 0xB0784A, 0x444648, 0xE3BDA3, 0xF2E1D5,
         0xFAECE3},
        {tsOffice2019Gray, 0x232425, 0xD4D4D4, 0xB8BBBE, 0x666666, 0x666666, 0x86888A, 0x232425, 0x666666, 0x969696,
         0x939597},
        {tsOffice2019Black, 0xFFFFFF, 0x444444, 0x303132, 0xADB0B3, 0x828282, 0xFFFFFF, 0xFFFFFF, 0x828282, 0x686868,
         0x444648},
    };
    for (const TRow& R : Rows) {
        if (R.Style != AStyle) continue;
        A->HourFont()->SetColor(R.Fonts);
        A->AMPMFont()->SetColor(R.Fonts);
        Font()->SetColor(R.Fonts);
        SetColor(R.Edit);
        A->StoreAMPMColors(R.Face, R.Face);
        A->SetBackgroundColor(R.Face);
        A->SetBackgroundColorTo(R.Face);
        A->SetBorderColor(R.Border);
        A->SetCenterPointBorderColor(R.Center);
        A->SetCenterPointColor(R.Center);
        A->SetHourColor(R.Hour);
        A->SetMinuteColor(R.Minute);
        A->SetHourPointer(R.HourPointer);
        A->SetMinutePointer(R.MinutePointer);
        A->SetHourPointerShadow(clNone);
        A->SetMinutePointerShadow(clNone);
        A->SetSecondPointer(R.Second);
    }
}
