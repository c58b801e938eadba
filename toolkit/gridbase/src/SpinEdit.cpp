// The spin editor: value accessors, stepping by kind and caret field, the
// character filter and the layout of the edit and its button pair.

#include "gridbase/SpinEdit.h"

#include "graphics/Canvas.h"
#include "gridbase/EditorLayout.h"
#include "rtl/Character.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Format.h"
#include "rtl/StringUtils.h"
#include "vcl/ControlMessages.h"
#include "windowing/Input.h"
#include "windowing/MessageQueue.h"
#include "windowing/Messages.h"
#include "windowing/Paint.h"
#include "windowing/SystemMetrics.h"

#include <cmath>

using namespace winapi;

namespace {

std::atomic<Integer> BeepCount{0};

constexpr Double MillisecondsPerDay = 86400000.0;

// 1-based position of the first C in Text after From (0: none).
Integer PosAfter(Char C, const String& Text, Integer From = 0) {
    const size_t P = Text.find(C, size_t(From));
    return P == String::npos ? 0 : Integer(P) + 1;
}

// How many C the text holds outside the selection.
Integer CountOutside(Char C, const String& Text, Integer SelStart, Integer SelLength) {
    Integer N = 0;
    for (Integer I = 0; I < Integer(Text.size()); ++I)
        if (Text[size_t(I)] == C && (I < SelStart || I >= SelStart + SelLength)) ++N;
    return N;
}

// The time of day of a day count, in whole milliseconds.
TDateTime TimeOfDay(Double Days) {
    Double Ms = std::round(Days * MillisecondsPerDay);
    Ms = std::fmod(Ms, MillisecondsPerDay);
    if (Ms < 0) Ms += MillisecondsPerDay;
    return Ms / MillisecondsPerDay;
}

} // namespace

void EditorBeep() { ++BeepCount; }
Integer EditorBeepCount() { return BeepCount.load(); }

const TClassInfo& TVazSpinEdit::StaticClassInfo() {
    using C = TVazSpinEdit;
    static const TClassInfo Info = TClassBuilder<C, TCustomMaskEdit>()
                                       .Property(u"SpinType", &C::SpinType, &C::SetSpinType)
                                       .Default(sptNormal)
                                       .Property(u"MinValue", &C::MinValue, &C::SetMinValue)
                                       .Default(0)
                                       .Property(u"MaxValue", &C::MaxValue, &C::SetMaxValue)
                                       .Default(100)
                                       .Property(u"MinFloatValue", &C::MinFloatValue, &C::SetMinFloatValue)
                                       .Property(u"MaxFloatValue", &C::MaxFloatValue, &C::SetMaxFloatValue)
                                       .Property(u"Increment", &C::Increment, &C::SetIncrement)
                                       .Default(1)
                                       .Property(u"IncrementFloat", &C::IncrementFloat, &C::SetIncrementFloat)
                                       .Property(u"IncrementFloatPage", &C::IncrementFloatPage,
                                                 &C::SetIncrementFloatPage)
                                       .Property(u"IncrementHours", &C::IncrementHours, &C::SetIncrementHours)
                                       .Default(1)
                                       .Property(u"IncrementMinutes", &C::IncrementMinutes, &C::SetIncrementMinutes)
                                       .Default(1)
                                       .Property(u"IncrementSeconds", &C::IncrementSeconds, &C::SetIncrementSeconds)
                                       .Default(1)
                                       .Property(u"Precision", &C::Precision, &C::SetPrecision)
                                       .Default(0)
                                       .Property(u"ShowSeconds", &C::ShowSeconds, &C::SetShowSeconds)
                                       .Default(true)
                                       .Property(u"EditorEnabled", &C::EditorEnabled, &C::SetEditorEnabled)
                                       .Default(true)
                                       .Property(u"ReturnIsTab", &C::ReturnIsTab, &C::SetReturnIsTab)
                                       .Default(false)
                                       .Property(u"ExcelStyleDecimalSeparator", &C::ExcelStyleDecimalSeparator,
                                                 &C::SetExcelStyleDecimalSeparator)
                                       .Default(false)
                                       .Property(u"AllowEmptyValue", &C::AllowEmptyValue, &C::SetAllowEmptyValue)
                                       .Default(false)
                                       .Property(u"Direction", &C::Direction, &C::SetDirection)
                                       .Default(spVertical)
                                       .Property(u"EditAlign", &C::EditAlign, &C::SetEditAlign)
                                       .Default(eaLeft)
                                       .Property(u"SpinFlat", &C::SpinFlat, &C::SetSpinFlat)
                                       .Default(false)
                                       .Property(u"SpinTransparent", &C::SpinTransparent, &C::SetSpinTransparent)
                                       .Default(false)
                                       .Build();
    return Info;
}

TVazSpinEdit::TVazSpinEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    FButton = new TVazSpinButton(this);
    FButton->SetBounds(0, 0, 15, 17);
    FButton->SetVisible(true);
    FButton->SetParent(this);
    FButton->SetFocusControl(this);
    // Through the virtual operations, so that overrides take part.
    FButton->OnUpClick = [this](TObject* Sender) { UpButtonClick(Sender); };
    FButton->OnDownClick = [this](TObject* Sender) { DownButtonClick(Sender); };
    SetText(u"0");
}

TVazSpinEdit::~TVazSpinEdit() { FButton = nullptr; }

// ---- Limits and values --------------------------------------------------------------------------------

Integer TVazSpinEdit::ClampInt(Integer V) const {
    if (FMinValue == FMaxValue) return V;
    return std::clamp(V, std::min(FMinValue, FMaxValue), std::max(FMinValue, FMaxValue));
}

Double TVazSpinEdit::ClampFloat(Double V) const {
    if (FMinFloatValue == FMaxFloatValue) return V;
    return std::clamp(V, std::min(FMinFloatValue, FMaxFloatValue), std::max(FMinFloatValue, FMaxFloatValue));
}

TDateTime TVazSpinEdit::ClampDate(TDateTime V) const {
    if (FMinDateValue == FMaxDateValue) return V;
    return std::clamp(V, std::min(FMinDateValue, FMaxDateValue), std::max(FMinDateValue, FMaxDateValue));
}

Integer TVazSpinEdit::ReadValue() const {
    const String T = Trim(Text());
    if (T.empty()) return 0;
    Integer V = 0;
    return TryStrToInt(T, V) ? V : FMinValue;
}

void TVazSpinEdit::WriteValue(Integer Value) {
    SetText(IntToStr(ClampInt(Value)));
    if (!FEditorEnabled) SelectAll();
}

// Text that is no number reads as the float lower limit.
Double TVazSpinEdit::ReadFloatValue() const {
    Double V = 0;
    return TryStrToFloat(Trim(Text()), V, FormatSettings) ? V : FMinFloatValue;
}

void TVazSpinEdit::WriteFloatValue(Double Value) {
    Value = ClampFloat(Value);
    if (FPrecision != 0)
        SetText(FloatToStrF(Value, ffFixed, 15, FPrecision, FormatSettings));
    else
        SetText(FloatToStr(Value, FormatSettings));
}

TDateTime TVazSpinEdit::ReadDateValue() const {
    const String T = Text();
    if (T.empty() || T == u"0") return Now();
    TDateTime V = 0;
    return TryStrToDate(T, V, FormatSettings) ? V : FMinDateValue;
}

void TVazSpinEdit::WriteDateValue(TDateTime Value) {
    FDateValue = Value;
    if (ComponentState().Contains(csLoading)) return;
    FDateValue = ClampDate(Value);
    const Integer Caret = SelStart();
    SetText(DateToStr(FDateValue, FormatSettings));
    SetSelStart(Caret);
}

TDateTime TVazSpinEdit::ReadTimeValue() const {
    TDateTime V = 0;
    return TryStrToTime(Trim(Text()), V, FormatSettings) ? V : 0;
}

void TVazSpinEdit::WriteTimeValue(TDateTime Value) {
    FTimeValue = Value;
    if (ComponentState().Contains(csLoading)) return;
    FTimeValue = ClampDate(Value);
    const Integer Caret = SelStart();
    SetText(FShowSeconds ? TimeToStr(FTimeValue, FormatSettings) : FormatDateTime(u"h:nn", FTimeValue, FormatSettings));
    SetSelStart(Caret);
}

void TVazSpinEdit::WriteSpinType(TVazSpinType Value) {
    FSpinType = Value;
    switch (FSpinType) {
    case sptNormal: WriteValue(ReadValue()); break;
    case sptFloat: WriteFloatValue(ReadFloatValue()); break;
    case sptDate: WriteDateValue(ReadDateValue()); break;
    case sptTime: WriteTimeValue(ReadTimeValue()); break;
    }
}

void TVazSpinEdit::SetPrecision(Integer Value) {
    FPrecision = Value;
    if (FSpinType == sptFloat) WriteFloatValue(ReadFloatValue());
}

void TVazSpinEdit::Loaded() {
    TCustomMaskEdit::Loaded();
    if (FSpinType == sptDate) SetText(DateToStr(FDateValue, FormatSettings));
    if (FSpinType == sptTime)
        SetText(FShowSeconds ? TimeToStr(FTimeValue, FormatSettings) : FormatDateTime(u"h:nn", FTimeValue, FormatSettings));
    WriteSpinType(FSpinType);
}

// ---- Spinning -----------------------------------------------------------------------------------------

void TVazSpinEdit::SpinUp(bool Page) { Step(true, Page); }
void TVazSpinEdit::SpinDown(bool Page) { Step(false, Page); }
void TVazSpinEdit::UpButtonClick(TObject*) { SpinUp(false); }
void TVazSpinEdit::DownButtonClick(TObject*) { SpinDown(false); }

void TVazSpinEdit::Step(bool Up, bool Page) {
    if (ReadOnly()) {
        EditorBeep();
        return;
    }
    switch (FSpinType) {
    case sptNormal: WriteValue(ReadValue() + (Up ? FIncrement : -FIncrement)); break;
    case sptFloat: {
        const Double Inc = Page ? FIncrementFloatPage : FIncrementFloat;
        WriteFloatValue(ReadFloatValue() + (Up ? Inc : -Inc));
        break;
    }
    case sptDate: StepDate(Up); break;
    case sptTime: StepTime(Up); break;
    }
}

// The field under the caret is stepped. A year step from 29 February, or a
// month step to a shorter month, keeps the last day of the month.
void TVazSpinEdit::StepDate(bool Up) {
    const String Format = AnsiUpperCase(FormatSettings.ShortDateFormat);
    const size_t M = Format.find(u'M'), D = Format.find(u'D');
    FUsDates = M != String::npos && (D == String::npos || M < D);
    const String T = Text();
    const Integer S = SelStart();
    const Integer P1 = PosAfter(FormatSettings.DateSeparator, T);
    const Integer P2 = P1 > 0 ? PosAfter(FormatSettings.DateSeparator, T, P1) : 0;
    const Integer Delta = Up ? 1 : -1;
    const TDateTime Current = ReadDateValue();
    const TDateTime Day = std::floor(Current);
    const TDateTime Time = Current - Day;
    TDateTime Result;
    auto StepMonth = [&] { return IncMonth(Current, Delta); };
    auto StepDay = [&] { return Current + Delta; };
    if (S < P1) {
        Result = FUsDates ? StepMonth() : StepDay();
    } else if (S >= P2) {
        Word Y, Mo, Dd;
        DecodeDate(Day, Y, Mo, Dd);
        const Integer NewYear = std::clamp(Integer(Y) + Delta, 1, 9999);
        const Word NewDay = std::min<Word>(Dd, DaysInAMonth(Word(NewYear), Mo));
        Result = EncodeDate(Word(NewYear), Mo, NewDay) + Time;
    } else {
        Result = FUsDates ? StepDay() : StepMonth();
    }
    WriteDateValue(Result);
}

// The field under the caret is stepped; any step, however large, moves the
// time of day round the clock.
void TVazSpinEdit::StepTime(bool Up) {
    const String T = Text();
    const Integer S = SelStart();
    const Integer P1 = PosAfter(FormatSettings.TimeSeparator, T);
    const Integer P2 = P1 > 0 ? PosAfter(FormatSettings.TimeSeparator, T, P1) : 0;
    Double Step;
    if (S < P1)
        Step = FIncrementHours / 24.0;
    else if (FShowSeconds && S >= P2)
        Step = FIncrementSeconds / 86400.0;
    else
        Step = FIncrementMinutes / 1440.0;
    WriteTimeValue(TimeOfDay(ReadTimeValue() + (Up ? Step : -Step)));
}

// ---- Keys ---------------------------------------------------------------------------------------------

bool TVazSpinEdit::IsValidChar(Char& Key) {
    const TFormatSettings& FS = FormatSettings;
    const Char DS = FS.DecimalSeparator, TS = FS.ThousandSeparator, DoV = FS.TimeSeparator,
               DtS = FS.DateSeparator;
    if (Key == u'\b') return FEditorEnabled;
    const String T = Text();
    const Integer SS = SelStart(), SL = SelLength();
    bool Result = Key == DS || Key == TS || Key == DoV || Key == DtS || IsNumber(Key) || Key == u'-' ||
                  (Key < 32 && Key != u'\r');
    const bool NumberType = FSpinType == sptNormal || FSpinType == sptFloat;
    auto SignLike = [&](Char C) { return C == DS || C == TS || C == u'-' || C == u'+'; };
    if (Key == DoV && FSpinType != sptTime) Result = Result && SignLike(DoV) && NumberType;
    if (Key == DtS && FSpinType != sptDate) Result = Result && SignLike(DtS) && NumberType;
    // In a date (or time) whose separator is "-", the key is that separator:
    // at most two of them, wherever the caret is.
    const bool MinusSeparates =
        (FSpinType == sptDate && DtS == u'-') || (FSpinType == sptTime && DoV == u'-');
    if (Key == u'-' && Result) {
        if (MinusSeparates)
            Result = CountOutside(u'-', T, SS, SL) < 2;
        else if (!NumberType)
            Result = false;
        else if (CountOutside(u'-', T, SS, SL) > 0)
            Result = false;
        else if (SS > 0)
            Result = false;
    }
    if (FSpinType == sptNormal && !(IsNumber(Key) || Key == u'-')) Result = false;
    if (FSpinType == sptFloat && Result && Key != 27 && Key != u'\r' && Key != u'\b') {
        if (Key == TS) Result = false;
        if (Key == DS && CountOutside(DS, T, SS, SL) > 0) Result = false;
        const Integer P = PosAfter(DS, T);
        if (Result && FPrecision > 0 && P > 0 && SS >= P && SL == 0 && Integer(T.size()) >= P + FPrecision)
            Result = false;
    }
    if (FSpinType == sptTime && Key == DoV && CountOutside(DoV, T, SS, SL) >= 2) Result = false;
    if (FSpinType == sptDate && Key == DtS && CountOutside(DtS, T, SS, SL) >= 2) Result = false;
    if (!FEditorEnabled && Result && (Key >= 32 || Key == u'.')) Result = false;
    return Result;
}

void TVazSpinEdit::HandleKeyDown(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN && FReturnIsTab) {
        Key = VK_TAB;
        if (HandleAllocated()) PostMessage(Handle(), WM_KEYDOWN, VK_TAB, 0);
    }
    if (Key == VK_DELETE && !FEditorEnabled) Key = 0;
    TCustomMaskEdit::KeyDown(Key, Shift);
}

void TVazSpinEdit::HandleKeyPress(Char& Key) {
    if (!IsValidChar(Key)) {
        Key = 0;
        EditorBeep();
    }
    if (Key != 0) TCustomMaskEdit::KeyPress(Key);
}

// The numeric keypad's decimal key (bit 22 of the key data: 0x40 of its
// scan code) types the locale decimal separator.
void TVazSpinEdit::HandleWMChar(TMessage& Message) {
    if (Message.WParam == u'.' && FExcelStyleDecimalSeparator && (Message.LParam & (LPARAM(1) << 22)) != 0)
        Message.WParam = WPARAM(FormatSettings.DecimalSeparator);
    TCustomMaskEdit::WndProc(Message);
}

void TVazSpinEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_KEYDOWN:
        switch (Message.WParam) {
        case VK_PRIOR: SpinUp(true); break;
        case VK_NEXT: SpinDown(true); break;
        case VK_UP: UpButtonClick(this); break;
        case VK_DOWN: DownButtonClick(this); break;
        default: TCustomMaskEdit::WndProc(Message); return;
        }
        Message.Result = 0;
        return;
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

void TVazSpinEdit::DoEnter() {
    if (AutoSelect() && (!(GetKeyState(VK_LBUTTON) < 0) || !FEditorEnabled)) SelectAll();
    TCustomMaskEdit::DoEnter();
}

void TVazSpinEdit::DoExit() {
    TCustomMaskEdit::DoExit();
    switch (FSpinType) {
    case sptNormal: {
        const Integer V = ReadValue();
        if (ClampInt(V) != V) WriteValue(V);
        break;
    }
    case sptFloat: {
        const Double V = ReadFloatValue();
        if (ClampFloat(V) != V) WriteFloatValue(V);
        break;
    }
    case sptDate: {
        const TDateTime V = ReadDateValue();
        if (ClampDate(V) != V) WriteDateValue(V);
        break;
    }
    case sptTime: {
        const TDateTime V = ReadTimeValue();
        if (ClampDate(V) != V) WriteTimeValue(V);
        break;
    }
    }
}

// ---- Layout -------------------------------------------------------------------------------------------

void TVazSpinEdit::SetDirection(TSpinDirection Value) {
    FDirection = Value;
    FButton->SetDirection(Value);
    Relayout();
}

void TVazSpinEdit::SetSpinFlat(bool Value) {
    FSpinFlat = Value;
    FButton->UpButton()->SetFlat(Value);
    FButton->DownButton()->SetFlat(Value);
}

void TVazSpinEdit::SetSpinTransparent(bool Value) {
    FSpinTransparent = Value;
    FButton->UpButton()->SetTransparent(Value);
    FButton->DownButton()->SetTransparent(Value);
    Relayout();
}

// Our edit keeps its text in the formatting rectangle on one line, so the
// alignment needs no multi-line window style.
void TVazSpinEdit::SetEditAlign(TEditAlign Value) {
    FEditAlign = Value;
    SetAlignment(Value == eaRight ? taRightJustify : Value == eaCenter ? taCenter : taLeftJustify);
}

void TVazSpinEdit::SetIsWinXP(bool Value) {
    FIsWinXP = Value;
    FButton->SetIsWinXP(Value);
}

void TVazSpinEdit::Relayout() {
    SetWidth(Width() + 1);
    SetWidth(Width() - 1);
}

void TVazSpinEdit::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    SetEditRect();
}

void TVazSpinEdit::SetEditRect() {
    if (!HandleAllocated()) return;
    const Integer X = BorderStyle() == bsNone ? 3 : 0;
    TRect R{X, X, ClientWidth() - FButton->Width() - X - 2, ClientHeight() + 1};
    Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&R));
}

// The font's height with a quarter of the smaller of the system font's and
// the control font's heights, and the single border.
Integer TVazSpinEdit::MinHeight() {
    return EditTextHeight(Font()) + 2 + (BorderStyle() == bsSingle ? 4 * GetSystemMetrics(SM_CYBORDER) : 0);
}

void TVazSpinEdit::PlaceButton() {
    if (!FButton) return;
    const Integer BW = FButton->Width();
    if (Ctl3D()) {
        const Integer Extra = BorderStyle() == bsNone ? 4 : 0;
        FButton->SetBounds(Width() - BW - 5 + Extra, 0, BW, std::max(Height() - 5 + Extra, 0));
    } else {
        FButton->SetBounds(Width() - BW, 1, BW, std::max(Height() - 3, 0));
    }
}

void TVazSpinEdit::Resize() {
    TCustomMaskEdit::Resize();
    if (FPlacing || !FButton) return;
    FPlacing = true;
    // (The height raised here would come back through this resize; the
    // button is placed for the final height either way.)
    const Integer Min = MinHeight();
    if (Height() < Min) SetHeight(Min);
    PlaceButton();
    SetEditRect();
    FPlacing = false;
}
