// The analog watch: its look, its behaviour settings, the face cache and
// hands, clicks and keys that set the time, the hand animation and the
// AM/PM roll, both driven by timers.

#include "dropdown/KelWatch.h"

#include "graphics/GdiPlusBrush.h"
#include "graphics/GdiPlusGeometry.h"
#include "graphics/GdiPlusGraphics.h"
#include "graphics/GdiPlusImage.h"
#include "graphics/GdiPlusText.h"
#include "graphics/Graphic.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Convert.h"
#include "rtl/DateTime.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"
#include "rtl/Stream.h"
#include "vcl/ControlMessages.h"
#include "vcl/Forms.h"
#include "windowing/Input.h"
#include "windowing/Paint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace winapi;

namespace {

constexpr Double Pi = std::numbers::pi;

ARGB GP(TColor Color, Byte Alpha = 255) {
    return ColorToARGB(Alpha, ColorToRGB(Color));
}

// A mark length or centre size kept within the byte the look stores.
Byte ByteLimited(Integer Value) {
    return Byte(std::clamp(Value, 0, 255));
}

void ApplyFont(TFont* Font, const String& Name, Integer Size, TColor Color, TFontStyles Style = {}) {
    Font->SetName(Name);
    if (Size > 0) Font->SetSize(Size);
    Font->SetColor(Color);
    Font->SetStyle(Style);
}

} // namespace

// ---- TWatchAppearance ----

const TClassInfo& TWatchAppearance::StaticClassInfo() {
    using C = TWatchAppearance;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"Size", &C::Size, &C::SetSize)
                                       .Default(0)
                                       .Property(u"BorderWidth", &C::BorderWidth, &C::SetBorderWidth)
                                       .Default(4)
                                       .Property(u"HourFont", &C::HourFont, &C::SetHourFont)
                                       .Property(u"AMPMFont", &C::AMPMFont, &C::SetAMPMFont)
                                       .Property(u"Picture", &C::Picture, &C::SetPicture)
                                       .Build();
    return Info;
}

TWatchAppearance::TWatchAppearance() {
    InitDefaults();
}

TWatchAppearance::~TWatchAppearance() = default;

void TWatchAppearance::InitDefaults() {
    if (!FHourFont) FHourFont = std::make_unique<TFont>();
    if (!FAMPMFont) FAMPMFont = std::make_unique<TFont>();
    if (!FPicture) {
        FPicture = std::make_unique<TPicture>();
        FPicture->OnChange = [this](TObject*) { Changed(); };
    }
    ApplyFont(FHourFont.get(), u"Tahoma", 8, clWindowText);
    ApplyFont(FAMPMFont.get(), u"Tahoma", 10, clWindowText);
    FSize = 0;
    FHourPointer = 0;
    FBackgroundColor = 0xFFFFFF;
    FMinutePointerShadow = clBtnShadow;
    FBackgroundColorTo = clNone;
    FHourPointerShadow = clBtnShadow;
    FSecondPointerShadow = clBtnShadow;
    FSecondPointer = 0x0000FF;
    FBorderColor = 0;
    FMinutePointer = 0;
    FAMPMFrame = apRect;
    FWatchShape = wsCircle;
    FPointerStyle = psLine;
    FBorderStyle = wbLine;
    FHourPointerSize = 4;
    FSecondPointerSize = 1;
    FMinutePointerSize = 3;
    FHourColor = 0;
    FMinuteColor = 0x808080;
    FCenterPointSize = 4;
    FCenterPointColor = 0;
    FCenterPointBorderColor = clNone;
    FBackgroundGradient = wgVertical;
    FRounding = 5;
    FHourMarkLength = 0;
    FHourMarkWidth = 1;
    FMinuteMarkLength = 0;
    FMinuteMarkWidth = 1;
    FBorderWidth = 4;
    FAMPMColor = 0xFFFFFF;
    FAMPMBorderColor = 0;
    FCenterPointOuterBorderColor = clNone;
    FTickMarks = tmAll;
    FHourMarkStyle = hmsLine;
    Changed();
}

void TWatchAppearance::SetHourFont(const TFont* Value) {
    FHourFont->Assign(Value);
    Changed();
}

void TWatchAppearance::SetAMPMFont(const TFont* Value) {
    FAMPMFont->Assign(Value);
    Changed();
}

void TWatchAppearance::SetPicture(const TPicture* Value) {
    FPicture->Assign(Value);
    Changed();
}

void TWatchAppearance::Assign(const TPersistent* Source) {
    const auto* O = dynamic_cast<const TWatchAppearance*>(Source);
    if (!O) {
        TPersistent::Assign(Source);
        return;
    }
    FSize = O->FSize;
    FHourPointer = O->FHourPointer;
    FBackgroundColor = O->FBackgroundColor;
    FMinutePointerShadow = O->FMinutePointerShadow;
    FBackgroundColorTo = O->FBackgroundColorTo;
    FHourPointerShadow = O->FHourPointerShadow;
    FSecondPointerShadow = O->FSecondPointerShadow;
    FSecondPointer = O->FSecondPointer;
    FBorderColor = O->FBorderColor;
    FMinutePointer = O->FMinutePointer;
    FHourFont->Assign(O->FHourFont.get());
    FAMPMFont->Assign(O->FAMPMFont.get());
    FPicture->Assign(O->FPicture.get());
    FAMPMFrame = O->FAMPMFrame;
    FWatchShape = O->FWatchShape;
    FPointerStyle = O->FPointerStyle;
    FBorderStyle = O->FBorderStyle;
    FHourPointerSize = O->FHourPointerSize;
    FSecondPointerSize = O->FSecondPointerSize;
    FMinutePointerSize = O->FMinutePointerSize;
    FHourColor = O->FHourColor;
    FMinuteColor = O->FMinuteColor;
    FCenterPointSize = O->FCenterPointSize;
    FCenterPointColor = O->FCenterPointColor;
    FCenterPointBorderColor = O->FCenterPointBorderColor;
    FBackgroundGradient = O->FBackgroundGradient;
    FRounding = O->FRounding;
    FHourMarkLength = O->FHourMarkLength;
    FHourMarkWidth = O->FHourMarkWidth;
    FMinuteMarkLength = O->FMinuteMarkLength;
    FMinuteMarkWidth = O->FMinuteMarkWidth;
    FBorderWidth = O->FBorderWidth;
    FAMPMColor = O->FAMPMColor;
    FAMPMBorderColor = O->FAMPMBorderColor;
    FCenterPointOuterBorderColor = O->FCenterPointOuterBorderColor;
    FTickMarks = O->FTickMarks;
    FHourMarkStyle = O->FHourMarkStyle;
    Changed();
}

// ---- TWatchSettings ----

const TClassInfo& TWatchSettings::StaticClassInfo() {
    using C = TWatchSettings;
    static const TClassInfo Info = TClassBuilder<C, TPersistent>()
                                       .Property(u"Auto", &C::Auto, &C::SetAuto)
                                       .Default(false)
                                       .Property(u"Second", &C::Second, &C::SetSecond)
                                       .Default(true)
                                       .Property(u"TimeOffset", &C::TimeOffset, &C::SetTimeOffset)
                                       .Default(0)
                                       .Build();
    return Info;
}

void TWatchSettings::SetAuto(bool Value) {
    if (FAuto == Value) return;
    FAuto = Value;
    if (OnChange) OnChange(this);
}

void TWatchSettings::SetSecond(bool Value) {
    if (FSeconds == Value) return;
    FSeconds = Value;
    if (OnChange) OnChange(this);
}

void TWatchSettings::SetTimeOffset(Integer Value) {
    if (FTimeOffset == Value) return;
    FTimeOffset = Value;
    if (OnChange) OnChange(this);
}

void TWatchSettings::Assign(const TPersistent* Source) {
    const auto* O = dynamic_cast<const TWatchSettings*>(Source);
    if (!O) {
        TPersistent::Assign(Source);
        return;
    }
    FSeconds = O->FSeconds;
    FTimeOffset = O->FTimeOffset;
    SetAuto(O->FAuto);
}

// ---- TKelWatch ----

const TClassInfo& TKelWatch::StaticClassInfo() {
    using C = TKelWatch;
    static const TClassInfo Info = TClassBuilder<C, TCustomControl>()
                                       .Property(u"Animation", &C::Animation, &C::SetAnimation)
                                       .Default(true)
                                       .Property(u"AnimationFactor", &C::AnimationFactor, &C::SetAnimationFactor)
                                       .Default(10)
                                       .Property(u"Appearance", &C::Appearance, &C::SetAppearance)
                                       .Property(u"ReadOnly", &C::ReadOnly, &C::SetReadOnly)
                                       .Default(false)
                                       .Property(u"Resolution", &C::Resolution, &C::SetResolution)
                                       .Default(1)
                                       .Property(u"Settings", &C::Settings, &C::SetSettings)
                                       .Property(u"ShowAMPM", &C::ShowAMPM, &C::SetShowAMPM)
                                       .Default(true)
                                       .Property(u"ShowNumbers", &C::ShowNumbers, &C::SetShowNumbers)
                                       .Default(true)
                                       .Property(u"Style", &C::Style, &C::SetStyle)
                                       .Default(wsClassic)
                                       .Property(u"Version", &C::Version, &C::SetVersion)
                                       .Build();
    return Info;
}

TKelWatch::TKelWatch(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TWatchAppearance>()),
      FSettings(std::make_unique<TWatchSettings>()), FBKGCache(std::make_unique<TBitmap>()) {
    SetBounds(Left(), Top(), 180, 180);
    FAppearance->OnChange = [this](TObject*) { Invalidate(); };
    FSettings->OnChange = [this](TObject* Sender) { SettingsChanged(Sender); };
    FWatchTimer = Create<TTimer>(this);
    FWatchTimer->SetInterval(100);
    FWatchTimer->SetEnabled(false);
    FWatchTimer->OnTimer = [this](TObject* Sender) { WatchTick(Sender); };
    FAnimationTimer = Create<TTimer>(this);
    FAnimationTimer->SetInterval(1);
    FAnimationTimer->SetEnabled(false);
    FAnimationTimer->OnTimer = [this](TObject* Sender) { AnimationTick(Sender); };
    FRollTimer = Create<TTimer>(this);
    FRollTimer->SetInterval(10);
    FRollTimer->SetEnabled(false);
    FRollTimer->OnTimer = [this](TObject* Sender) { RollTick(Sender); };
}

TKelWatch::~TKelWatch() = default;

String TKelWatch::Version() const {
    const Cardinal V = GetVersionNr();
    return IntToStr(Integer(V >> 24)) + u"." + IntToStr(Integer((V >> 16) & 0xFF)) + u"." +
           IntToStr(Integer((V >> 8) & 0xFF)) + u"." + IntToStr(Integer(V & 0xFF));
}

bool TKelWatch::Quiet() const {
    return ComponentState().Contains(csLoading) || ComponentState().Contains(csDesigning);
}

void TKelWatch::DoChange() {
    if (OnChange) OnChange(this);
}

TDateTime TKelWatch::ShownTime() const {
    if (FSettings->Auto()) return Now() + FSettings->TimeOffset() / 1440.0;
    return FTime;
}

void TKelWatch::SetTimeValue(TDateTime Value) {
    FTime = Value;
    Word H, M, S, MS;
    DecodeTime(Value, H, M, S, MS);
    FInternalSet = true;
    SetAM(H < 12);
    FInternalSet = false;
}

void TKelWatch::SetTime(TDateTime Value) {
    if (Value == FTime) return;
    SetTimeValue(Value);
    UpdatePointers();
}

void TKelWatch::SetResolution(Integer Value) {
    if (Value > 30) return;
    FResolution = Value;
}

void TKelWatch::SetShowAMPM(bool Value) {
    if (FShowAMPM == Value) return;
    FShowAMPM = Value;
    Invalidate();
}

void TKelWatch::SetShowNumbers(bool Value) {
    if (FShowNumbers == Value) return;
    FShowNumbers = Value;
    Invalidate();
}

void TKelWatch::SetHour(Integer Value) {
    Word H, M, S, MS;
    DecodeTime(ShownTime(), H, M, S, MS);
    if (Value == H) return;
    if (!FAnimation || FInternalCall || Quiet()) {
        SetTimeValue(std::floor(FTime) + EncodeTime(Word(Value), M, S, MS));
        UpdatePointers();
        // Every effective change is reported, not only the end of an animation.
        DoChange();
        return;
    }
    FCurrentHourTo = Byte(Value);
    FHourAnimating = true;
    FAnimationTimer->SetEnabled(true);
}

void TKelWatch::SetMinute(Integer Value) {
    if (Value >= 60 || Value < 0) throw EConvertError(u"Invalid time");
    Word H, M, S, MS;
    DecodeTime(ShownTime(), H, M, S, MS);
    if (Value == M) return;
    if (FAnimation && !FInternalCall && !Quiet()) {
        FCurrentMinuteTo = Byte(Value);
        FHourAnimating = false;
        FMinuteFrom = Byte(M);
        FAnimationTimer->SetEnabled(true);
        return;
    }
    if (!FAnimation) FMinuteFrom = Byte(M);
    if (Value == 0 && FMinuteFrom > 30) {
        H = H == 23 ? 0 : H + 1;
        FMinuteFrom = 0;
    }
    SetTimeValue(std::floor(FTime) + EncodeTime(H, Word(Value), S, MS));
    UpdatePointers();
    DoChange();
}

void TKelWatch::AnimationTick(TObject*) {
    if (!FAnimation || Quiet()) return;
    Word H, M, S, MS;
    DecodeTime(ShownTime(), H, M, S, MS);
    const Integer Factor = FAnimationFactor > 0 ? FAnimationFactor : 1;
    FInternalCall = true;
    struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
    } Reset{FInternalCall};
    if (FHourAnimating) {
        const Integer Target = FCurrentHourTo;
        if (H == Target) {
            FAnimationTimer->SetEnabled(false);
            return;
        }
        const Integer Step = std::max<Integer>(Integer(Round(std::abs(Target - H) / Double(Factor))), 1);
        SetHour(H < Target ? std::min(H + Step, Target) : std::max(H - Step, Target));
        return;
    }
    const Integer Target = FCurrentMinuteTo;
    if (M == Target) {
        FAnimationTimer->SetEnabled(false);
        return;
    }
    const Integer Distance = Target == 0 && M > 30 ? 60 - M : std::abs(Target - M);
    const Integer Step = std::max<Integer>(Integer(Round(Distance / Double(Factor))), 1);
    Integer Next;
    if (M >= Target && !(Target == 0 && M >= 31))
        Next = std::max(Integer(M) - Step, Target);
    else
        Next = Target == 0 ? Integer(M) + Step : std::min(Integer(M) + Step, Target);
    if (Next > 59) Next = 0;
    SetMinute(Next);
}

void TKelWatch::SettingsChanged(TObject*) {
    FWatchTimer->SetEnabled(FSettings->Auto());
    if (FSettings->Auto()) {
        FTime = ShownTime();
        Word H, M, S, MS;
        DecodeTime(FTime, H, M, S, MS);
        FAM = H < 12;
    }
    Invalidate();
}

void TKelWatch::WatchTick(TObject*) {
    UpdatePointers();
}

// ---- Geometry ----

TRect TKelWatch::FaceRect() const {
    const Integer W = Width(), H = Height();
    const Integer Size = FAppearance->Size();
    const Integer S = Size <= 0 ? std::min(W, H) - 20 : std::min({Size, W, H});
    const Integer L = (W - S) / 2, T = (H - S) / 2;
    return TRect(L, T, L + S, T + S);
}

TPoint TKelWatch::Center() const {
    const TRect F = FaceRect();
    return {F.Left + (F.Right - F.Left) / 2, F.Top + (F.Bottom - F.Top) / 2};
}

Double TKelWatch::Radius() const {
    const TRect F = FaceRect();
    return Double((F.Right - F.Left) / 2);
}

Integer TKelWatch::XYToMinute(Integer X, Integer Y) const {
    const TPoint C = Center();
    Integer DY = std::abs(C.Y - Y), DX = std::abs(C.X - X);
    if (DY == 0) DY = 1;
    if (DX == 0) DX = 1;
    const Integer M = Integer(Round(std::atan(Double(DY) / DX) * 180 / Pi / 6));
    Integer Result;
    if (X >= C.X && Y >= C.Y)
        Result = M + 15;
    else if (X <= C.X && Y >= C.Y)
        Result = 45 - M;
    else if (X <= C.X && Y <= C.Y)
        Result = M + 45;
    else
        Result = 15 - M;
    if (Result < 0 || Result >= 60) Result = 0;
    if (FResolution > 1) {
        Result = Integer(Round(Double(Result) / FResolution)) * FResolution;
        if (Result >= 60) Result = 0;
    }
    return Result;
}

Integer TKelWatch::XYToHour(Integer X, Integer Y) const {
    const Integer A = Integer(Round(XYToMinute(X, Y) / 5.0));
    // Just before 12 o'clock (minutes 58 and 59 round to 12) counts as
    // 12 o'clock, as at and just after it.
    if (A <= 0 || A >= 12) return FAM ? 0 : 12;
    return FAM ? A : A + 12;
}

TRect TKelWatch::GetAMPMRect() {
    if (!FShowAMPM) return TRect(-1, -1, -1, -1);
    Canvas()->Font()->Assign(FAppearance->AMPMFont());
    const TSize S = Canvas()->TextExtent(u"AM");
    const Integer W = Integer(S.cx) + 8;
    const TPoint C = Center();
    const Integer Left = C.X - W / 2;
    const Integer Top = C.Y + Integer(Round((Radius() - S.cy) / 3));
    return TRect(Left, Top, Left + W, Top + Integer(S.cy));
}

// ---- Mouse and keys ----

void TKelWatch::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FReadOnly || FSettings->Auto()) return;
    const TRect F = FaceRect();
    const Double RX = (F.Right - F.Left) / 2.0, RY = (F.Bottom - F.Top) / 2.0;
    const Double NX = (X - (F.Left + RX)) / RX, NY = (Y - (F.Top + RY)) / RY;
    if (RX <= 0 || RY <= 0 || NX * NX + NY * NY > 1) {
        SetMinute(XYToMinute(X, Y));
        return;
    }
    const TRect Box = GetAMPMRect();
    if (FShowAMPM && X >= Box.Left && X < Box.Right && Y >= Box.Top && Y < Box.Bottom) {
        if (FAnimation) SetAM(!FAM);
        Word H, M, S, MS;
        DecodeTime(ShownTime(), H, M, S, MS);
        FInternalCall = true;
        SetHour(H < 12 ? H + 12 : H - 12);
        FInternalCall = false;
        return;
    }
    SetHour(XYToHour(X, Y));
}

void TKelWatch::KeyDown(Word& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (FReadOnly) return;
    const TDateTime Before = FTime;
    const Integer Step = std::max(FResolution, 1);
    const Double Minute = 1.0 / 1440;
    const Double Day = std::floor(FTime);
    const auto Wrap = [&](Double Value) {
        // The time of day moves round the clock on the same date.
        Double Part = Value - Day;
        Part -= std::floor(Part);
        return Day + Part;
    };
    const bool Ctrl = Shift.Contains(ssCtrl);
    if (Key == VK_LEFT || Key == VK_UP)
        SetTime(Wrap(FTime - (Ctrl ? 60 : Step) * Minute));
    else if (Key == VK_RIGHT || Key == VK_DOWN)
        SetTime(Wrap(FTime + (Ctrl ? 60 : Step) * Minute));
    else if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) {
        Word H, M, S, MS;
        DecodeTime(FTime, H, M, S, MS);
        SetTime(Day + EncodeTime(Word(Key - VK_NUMPAD0), M, S, MS));
    } else if (Key == VK_END)
        SetTime(Day + EncodeTime(6, 0, 0, 0));
    else if (Key == VK_HOME)
        SetTime(Day);
    if (FTime != Before) DoChange();
}

void TKelWatch::ProcessKey(Word Key) {
    if (FSettings->Auto()) return;
    Word H, M, S, MS;
    DecodeTime(ShownTime(), H, M, S, MS);
    const auto Internal = [&](auto Action) {
        FInternalCall = true;
        Action();
        FInternalCall = false;
    };
    switch (Key) {
    // Only the letters switch the half of the day.
    case u'A':
        if (H > 11) SetHour(H - 12);
        break;
    case u'P':
        if (H < 12) SetHour(H + 12);
        break;
    case VK_PRIOR:
        if (H == 23)
            Internal([&] { SetHour(0); });
        else
            SetHour(H + 1);
        break;
    case VK_NEXT:
        if (H == 0)
            Internal([&] { SetHour(23); });
        else
            SetHour(H - 1);
        break;
    case VK_HOME:
        Internal([&] { SetHour(12); });
        break;
    case VK_LEFT:
        if (M > 0) {
            SetMinute(M - 1);
        } else {
            SetTime(std::floor(FTime) + EncodeTime(H == 0 ? 23 : H - 1, 59, S, MS));
            DoChange();
        }
        break;
    case VK_RIGHT:
        SetMinute(M == 59 ? 0 : M + 1);
        break;
    case VK_END:
        SetMinute(0);
        break;
    default:
        break;
    }
}

// ---- Styles ----

void TKelWatch::SetStyle(TWatchStyle Value) {
    if (FStyle == Value) return;
    FStyle = Value;
    if (Value == wsCustom) return;
    TWatchAppearance* A = FAppearance.get();
    A->InitDefaults();
    TFont* HF = A->HourFont();
    TFont* AF = A->AMPMFont();
    const Integer Small = std::min(Height(), Width());
    const String Sans = u"MS Sans Serif";
    switch (Value) {
    case wsClassic:
        ApplyFont(AF, Sans, 0, AF->Color());
        ApplyFont(HF, u"Comic Sans MS", 10, HF->Color(), TFontStyles{fsBold});
        A->SetHourMarkLength(8);
        A->SetHourPointer(0);
        A->SetHourPointerShadow(clBtnShadow);
        A->SetHourPointerSize(5);
        A->SetMinutePointerShadow(clBtnShadow);
        A->SetMinuteMarkLength(4);
        FAnimation = true;
        FAnimationFactor = 10;
        SetShowAMPM(true);
        SetShowNumbers(true);
        break;
    case wsTower:
        ApplyFont(AF, Sans, 0, AF->Color());
        A->SetAMPMFrame(apRect);
        A->SetBorderWidth(1);
        A->SetBackgroundColor(0xB1F0FE);
        A->SetBackgroundGradient(wgDiagonalForward);
        A->SetCenterPointColor(0x002BD5);
        A->SetCenterPointSize(6);
        ApplyFont(HF, u"Century", 0, clWindowText, TFontStyles{fsBold});
        A->SetHourPointerSize(5);
        A->SetSecondPointer(0x002BD5);
        A->SetShape(wsRect);
        A->SetPointerStyle(psPointer);
        A->SetBackgroundColorTo(0x5BCCE8);
        A->SetAMPMColor(A->BackgroundColor());
        SetShowNumbers(false);
        A->SetTickMarks(tmHours);
        break;
    case wsFluorescent:
        ApplyFont(AF, Sans, 10, clWindowText);
        A->SetAMPMFrame(apRoundRect);
        A->SetBorderColor(0xFF3E3E);
        A->SetBackgroundColor(0);
        A->SetBackgroundColorTo(0);
        A->SetCenterPointColor(0xFF3E3E);
        A->SetCenterPointBorderColor(0);
        A->SetCenterPointOuterBorderColor(0);
        A->SetCenterPointSize(20);
        ApplyFont(HF, Sans, 8, clWindowText);
        A->SetHourColor(0xFF3E3E);
        A->SetHourMarkLength(10);
        A->SetHourPointer(0xFF3E3E);
        A->SetHourPointerSize(2);
        A->SetMinuteColor(0xFF3E3E);
        A->SetMinutePointer(0xFF3E3E);
        A->SetMinutePointerSize(2);
        A->SetShape(wsRoundRect);
        A->SetHourMarkWidth(2);
        A->SetHourMarkStyle(hmsQuartDblLine);
        A->SetTickMarks(tmHours);
        SetShowAMPM(false);
        SetShowNumbers(false);
        break;
    case wsEmerald:
        ApplyFont(AF, Sans, 0, 0xA00000);
        A->SetAMPMFrame(apRoundRect);
        A->SetBorderColor(0x3AE800);
        A->SetBackgroundColor(0x3AE800);
        A->SetBackgroundColorTo(0);
        A->SetBackgroundGradient(wgDiagonalForward);
        A->SetCenterPointBorderColor(0x40FF00);
        A->SetCenterPointColor(0x38E100);
        A->SetCenterPointSize(16);
        A->SetHourPointer(0x40FF00);
        A->SetHourPointerSize(5);
        A->SetMinutePointer(0x40FF00);
        A->SetShape(wsRect);
        A->SetPointerStyle(psPointer);
        A->SetAMPMColor(clNone);
        ApplyFont(HF, Sans, 0, A->BackgroundColor());
        A->SetCenterPointOuterBorderColor(0);
        A->SetHourMarkStyle(hmsQuartDblLine);
        A->SetHourColor(A->BackgroundColor());
        A->SetSecondPointer(0x00FFFF);
        A->SetTickMarks(tmHours);
        SetShowNumbers(false);
        SetShowAMPM(false);
        break;
    case wsBlueStar:
        ApplyFont(AF, Sans, 10, 0xA00000);
        A->SetAMPMBorderColor(clNone);
        A->SetAMPMFrame(apRoundRect);
        A->SetBorderColor(0xFFD5D5);
        A->SetBackgroundColor(0xFFD5D5);
        A->SetBackgroundColorTo(0xA00000);
        A->SetBackgroundGradient(wgRadial);
        ApplyFont(HF, Sans, 8, A->BackgroundColor());
        A->SetHourPointer(0xA00000);
        A->SetHourPointerSize(5);
        A->SetMinutePointer(0xA00000);
        A->SetShape(wsRoundRect);
        A->SetPointerStyle(psPointer);
        A->SetAMPMColor(clNone);
        SetShowAMPM(true);
        SetShowNumbers(true);
        break;
    case wsFuchsia:
        ApplyFont(AF, Sans, 10, clWindowText);
        A->SetAMPMFrame(apRoundRect);
        A->SetBorderColor(0xFFD0FF);
        A->SetBackgroundColor(0);
        A->SetBackgroundColorTo(0);
        A->SetCenterPointBorderColor(0xDD68DD);
        A->SetCenterPointSize(20);
        ApplyFont(HF, Sans, 8, clWindowText);
        A->SetHourColor(0xFFD0FF);
        A->SetHourMarkLength(10);
        A->SetHourPointer(0xFFD0FF);
        A->SetHourPointerSize(2);
        A->SetMinuteColor(0xFFD0FF);
        A->SetMinutePointer(0xFFD0FF);
        A->SetMinutePointerSize(2);
        A->SetShape(wsRect);
        A->SetCenterPointOuterBorderColor(0);
        A->SetHourMarkWidth(2);
        A->SetHourMarkStyle(hmsQuartDblLine);
        A->SetSecondPointer(0xDD68DD);
        A->SetTickMarks(tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(false);
        break;
    case wsBlack:
        ApplyFont(AF, Sans, 0, AF->Color());
        A->SetBackgroundColor(0x202020);
        A->SetBorderColor(0);
        A->SetCenterPointBorderColor(0xFFFFFF);
        A->SetCenterPointOuterBorderColor(0xFFFFFF);
        A->SetCenterPointColor(0xFFFFFF);
        A->SetHourColor(0x585858);
        ApplyFont(HF, u"Century Gothic", 11, 0xFFFFFF);
        A->SetHourPointer(0xFFFFFF);
        A->SetHourPointerSize(5);
        A->SetMinuteColor(0x585858);
        A->SetMinutePointer(0xFFFFFF);
        A->SetMinuteMarkLength(4);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    case wsBlackWhite:
        A->SetBorderWidth(8);
        A->SetCenterPointBorderColor(0);
        A->SetCenterPointOuterBorderColor(0);
        A->SetCenterPointColor(0);
        A->SetCenterPointSize(8);
        A->SetHourColor(0x585858);
        ApplyFont(HF, u"Century Gothic", 14, 0, TFontStyles{fsBold});
        A->SetHourPointerSize(5);
        A->SetMinuteMarkLength(4);
        A->SetSecondPointer(0x000080);
        A->SetPointerStyle(psPointer);
        A->SetTickMarks(tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    case wsGray:
        ApplyFont(AF, Sans, 10, AF->Color());
        A->SetBackgroundColor(0xD1D1D1);
        A->SetBackgroundColorTo(0x6C6C6C);
        A->SetBackgroundGradient(wgRadial);
        A->SetBorderColor(0x454545);
        A->SetCenterPointBorderColor(0x454545);
        A->SetCenterPointColor(0);
        A->SetHourColor(0);
        ApplyFont(HF, u"Comic Sans MS", 8, HF->Color());
        A->SetHourPointer(0x4E4E4E);
        A->SetHourPointerShadow(clNone);
        A->SetHourPointerSize(1);
        A->SetMinutePointer(0x4E4E4E);
        A->SetMinutePointerShadow(clNone);
        A->SetMinutePointerSize(1);
        SetShowAMPM(true);
        SetShowNumbers(true);
        break;
    case wsSuperNova:
        A->SetBackgroundColorTo(0xD1D3D3);
        A->SetBorderColor(clNone);
        A->SetCenterPointOuterBorderColor(0);
        A->SetCenterPointSize(10);
        // Lengths beyond what a byte holds stop at 255 instead of wrapping.
        A->SetHourMarkLength(ByteLimited(Integer(Round(Small / 4.5))));
        A->SetMinuteMarkLength(ByteLimited(Small / 3));
        SetShowAMPM(false);
        SetShowNumbers(false);
        break;
    case wsSports:
        A->SetBackgroundColor(0);
        A->SetBorderWidth(1);
        A->SetCenterPointBorderColor(0xFF0000);
        A->SetCenterPointOuterBorderColor(0);
        A->SetCenterPointColor(0x191919);
        A->SetCenterPointSize(ByteLimited(Integer(Round(Small / 3.6))));
        A->SetHourColor(0xABB0B1);
        ApplyFont(HF, u"Times New Roman", 9, 0x797979);
        A->SetHourPointer(0x0000FF);
        A->SetHourPointerShadow(clNone);
        A->SetHourPointerSize(2);
        A->SetMinutePointer(0x00FFFF);
        A->SetMinutePointerSize(2);
        A->SetMinutePointerShadow(clNone);
        A->SetMinuteMarkLength(1);
        A->SetSecondPointer(0x188BFE);
        A->SetTickMarks(tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    case wsSmooth:
        A->SetBackgroundColorTo(0xABB0B1);
        A->SetBorderColor(0x585858);
        A->SetBorderWidth(1);
        A->SetCenterPointBorderColor(0);
        A->SetCenterPointOuterBorderColor(0x4A4A4A);
        A->SetCenterPointColor(0xFFFFFF);
        A->SetCenterPointSize(6);
        A->SetHourColor(0xABB0B1);
        ApplyFont(HF, u"Times New Roman", 9, 0x797979);
        A->SetHourPointer(0x4A4A4A);
        A->SetHourPointerShadow(0xB2B2B2);
        A->SetHourPointerSize(2);
        A->SetMinutePointer(0x4A4A4A);
        A->SetMinutePointerSize(2);
        A->SetMinutePointerShadow(0xB2B2B2);
        A->SetMinuteMarkLength(1);
        A->SetSecondPointer(0x4A4A4A);
        A->SetTickMarks(tmQuartHours);
        SetShowAMPM(false);
        SetShowNumbers(true);
        break;
    default:
        break;
    }
    Invalidate();
}

void SetWatchColorStyle(TWatchAppearance* A, TKelStyle AStyle) {
    if (AStyle == tsCustom) return;
    A->SetCenterPointOuterBorderColor(0);
    A->HourFont()->SetColor(0);
    A->AMPMFont()->SetColor(0);
    struct TRow {
        TKelStyle Style;
        TColor AMPMBorder, AMPM, Back, BackTo, Border, CenterBorder, Center, Main, Shadow, Second;
    };
    static const TRow Rows[] = {
        {tsOffice2003Blue, 0x962D00, 0xD68759, 0xFFD2AF, 0xFFD2AF, 0xD68759, 0xD68759, 0xD68759, 0xD68759, 0xFFFFFF,
         0xFFFFFF},
        {tsOffice2003Silver, 0x962D00, 0xBDA4A5, 0xE6D8D8, 0xE6D8D8, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5, 0xBDA4A5,
         0xFFFFFF, 0xFFFFFF},
        {tsOffice2003Olive, 0x962D00, 0x82C0AF, 0xB9EAE1, 0xB9EAE1, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0x82C0AF, 0xFFFFFF,
         0xFFFFFF},
        {tsOffice2003Classic, 0x962D00, 0x808080, 0xF2F2F2, 0xF2F2F2, 0x808080, 0x808080, 0x808080, 0x808080,
         0xFFFFFF, 0x808080},
        {tsOffice2007Luna, 0xF0DED0, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0xF0DED0, 0xFFEFE3, 0xFFEFE3, 0x723708, 0xFFFFFF,
         0x723708},
        {tsOffice2007Obsidian, 0xF2F1F0, 0x5C534C, 0x5C534C, 0x5C534C, 0xF2F1F0, 0xFFEFE3, 0xFFEFE3, 0xF2F1F0,
         0xFFFFFF, 0xF2F1F0},
        {tsWindowsXP, 0, clBtnFace, clBtnFace, clBtnFace, 0, 0, 0, 0, 0xFFFFFF, 0},
        {tsWhidbey, 0x7E9898, 0xF5F9FA, 0xF5F9FA, 0xF5F9FA, 0x7E9898, 0x7E9898, 0x7E9898, 0x7E9898, 0xFFFFFF,
         0x7E9898},
        {tsOffice2007Silver, 0xE8E0DB, 0xF8F4F1, 0xF8F4F1, 0xF8F4F1, 0xE8E0DB, 0xE8E0DB, 0x74706F, 0x74706F,
         0xFFFFFF, 0x74706F},
        {tsWindowsVista, 0xFEDF9A, 0xFFFDF9, 0xFFFDF9, 0xFFFAF0, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFEDF9A, 0xFFFFFF,
         0xFEDF9A},
        {tsWindows7, 0xFBD6B8, 0xFDFBFA, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFBD6B8, 0xFFFFFF,
         0xFBD6B8},
        {tsTerminal, 0x808080, clBtnFace, clBtnFace, clBtnFace, 0x808080, 0x808080, 0x808080, 0x808080, 0xFFFFFF,
         0x808080},
        {tsOffice2010Blue, 0xC7B29F, 0xF0DAC7, 0xFDF6EF, 0xFDF6EF, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xC7B29F, 0xFFFFFF,
         0xC7B29F},
        {tsOffice2010Silver, 0xD2CDC8, 0xEDE5E0, 0xFFFFFF, 0xFFFFFF, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8, 0xD2CDC8,
         0xC0C0C0, 0xD2CDC8},
        {tsOffice2010Black, 0x6D6D6D, 0x919191, 0xBFBFBF, 0xBFBFBF, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0x6D6D6D, 0xFFFFFF,
         0x6D6D6D},
    };
    for (const TRow& R : Rows) {
        if (R.Style != AStyle) continue;
        A->StoreAMPMColors(R.AMPMBorder, R.AMPM);
        A->SetBackgroundColor(R.Back);
        A->SetBackgroundColorTo(R.BackTo);
        A->SetBorderColor(R.Border);
        A->SetCenterPointBorderColor(R.CenterBorder);
        A->SetCenterPointColor(R.Center);
        A->SetHourColor(R.Main);
        A->SetMinuteColor(R.Main);
        A->SetHourPointer(R.Main);
        A->SetMinutePointer(R.Main);
        A->SetHourPointerShadow(R.Shadow);
        A->SetMinutePointerShadow(R.Shadow);
        A->SetSecondPointer(R.Second);
        if (AStyle == tsOffice2007Obsidian) {
            A->HourFont()->SetColor(0xF2F1F0);
            A->AMPMFont()->SetColor(0xF2F1F0);
        }
        break;
    }
}

void TKelWatch::SetComponentStyle(TKelStyle AStyle) {
    if (AStyle == tsCustom) return;
    SetWatchColorStyle(FAppearance.get(), AStyle);
    Invalidate();
}

// ---- Painting ----

void TKelWatch::DrawBackground(TGPGraphics& G) {
    const TWatchAppearance* A = FAppearance.get();
    const Integer Wc = Width(), Hc = Height();
    const TPoint C = Center();
    const Double R = Radius();
    const TGraphic* Picture = A->Picture()->Graphic();
    if (Picture && !Picture->Empty()) {
        // The graphic's own bytes, decoded from memory.
        TMemoryStream Stream;
        Picture->SaveToStream(&Stream);
        Stream.SetPosition(0);
        TGPBitmap Image(&Stream);
        if (Image.GetLastStatus() == Ok) {
            if (dynamic_cast<const TPngImage*>(Picture)) {
                G.DrawImage(&Image, 0, 0);
            } else {
                TColor Key = 0;
                ARGB Pixel = 0;
                if (Image.GetPixel(0, 0, Pixel) == Ok)
                    Key = TColor(((Pixel >> 16) & 0xFF) | (Pixel & 0xFF00) | ((Pixel & 0xFF) << 16));
                TGPImageAttributes Attributes;
                Attributes.SetColorKey(GP(Key), GP(Key));
                G.DrawImage(&Image, TGPRect{0, 0, Wc, Hc}, 0, 0, Integer(Image.GetWidth()),
                            Integer(Image.GetHeight()), UnitPixel, &Attributes);
            }
        }
    } else {
        const TColor From = A->BackgroundColor();
        const TColor To = A->BackgroundColorTo() == clNone ? From : A->BackgroundColorTo();
        TGPGraphicsPath Path;
        if (A->Shape() == wsCircle) {
            Path.AddEllipse(Single(C.X - R), Single(C.Y - R), Single(2 * R), Single(2 * R));
        } else if (A->Shape() == wsRect) {
            Path.AddRectangle(TGPRect{0, 0, Wc, Hc});
        } else {
            const Single D = 16;
            Path.AddArc(0.0f, 0.0f, D, D, 180.0f, 90.0f);
            Path.AddArc(Single(Wc) - D, 0.0f, D, D, 270.0f, 90.0f);
            Path.AddArc(Single(Wc) - D, Single(Hc) - D, D, D, 0.0f, 90.0f);
            Path.AddArc(0.0f, Single(Hc) - D, D, D, 90.0f, 90.0f);
            Path.CloseFigure();
        }
        if (A->BackgroundGradient() == wgRadial) {
            TGPPathGradientBrush Brush(&Path);
            Brush.SetCenterPoint(TGPPointF{Single(C.X), Single(C.Y)});
            Brush.SetCenterColor(GP(From));
            ARGB Surround = GP(To);
            Integer Count = 1;
            Brush.SetSurroundColors(&Surround, Count);
            G.FillPath(&Brush, &Path);
        } else if (Wc > 0 && Hc > 0) {
            const LinearGradientMode Mode = A->BackgroundGradient() == wgVertical ? LinearGradientModeVertical
                                            : A->BackgroundGradient() == wgDiagonalForward
                                                ? LinearGradientModeForwardDiagonal
                                                : LinearGradientModeBackwardDiagonal;
            TGPLinearGradientBrush Brush(TGPRect{0, 0, Wc, Hc}, GP(From), GP(To), Mode);
            G.FillPath(&Brush, &Path);
        }
    }
    if (A->BorderStyle() == wbNone || A->BorderWidth() <= 0 || A->BorderColor() == clNone) return;
    TGPPen Pen(GP(A->BorderColor()), Single(A->BorderWidth()));
    if (A->Shape() == wsCircle) {
        G.DrawEllipse(&Pen, Single(C.X - R), Single(C.Y - R), Single(2 * R), Single(2 * R));
    } else if (A->Shape() == wsRect) {
        G.DrawRectangle(&Pen, 0, 0, Wc - 1, Hc - 1);
    } else {
        TGPGraphicsPath Path;
        const Single D = 16, W = Single(Wc - 1), H = Single(Hc - 1);
        Path.AddArc(0.0f, 0.0f, D, D, 180.0f, 90.0f);
        Path.AddArc(W - D, 0.0f, D, D, 270.0f, 90.0f);
        Path.AddArc(W - D, H - D, D, D, 0.0f, 90.0f);
        Path.AddArc(0.0f, H - D, D, D, 90.0f, 90.0f);
        Path.CloseFigure();
        G.DrawPath(&Pen, &Path);
    }
}

void TKelWatch::DrawMarks(TGPGraphics& G) {
    const TWatchAppearance* A = FAppearance.get();
    if (A->TickMarks() == tmNone) return;
    const TPoint C = Center();
    const Double Ro = Radius() - A->BorderWidth() / 2;
    const Double Ri = A->HourMarkLength() != 0 ? Ro - A->HourMarkLength() : Ro * 0.9;
    TGPPen HourPen(GP(A->HourColor()), Single(A->HourMarkWidth()));
    const auto Line = [&](TGPPen& Pen, Double Angle, Double From, Double To, Double DX, Double DY) {
        const Double B = Angle * Pi / 180;
        G.DrawLine(&Pen, Single(C.X + std::cos(B) * From + DX), Single(C.Y + std::sin(B) * From + DY),
                   Single(C.X + std::cos(B) * To + DX), Single(C.Y + std::sin(B) * To + DY));
    };
    for (Integer Q = 0; Q < 4; ++Q) {
        const Double Angle = Q * 90;
        if (A->HourMarkStyle() == hmsQuartDblLine) {
            const bool Horizontal = Q % 2 == 0; // 3 and 9 o'clock
            Line(HourPen, Angle, Ri, Ro, Horizontal ? 0 : -2, Horizontal ? -2 : 0);
            Line(HourPen, Angle, Ri, Ro, Horizontal ? 0 : 2, Horizontal ? 2 : 0);
        } else {
            Line(HourPen, Angle, Ri, Ro, 0, 0);
        }
    }
    if (A->TickMarks() == tmAll || A->TickMarks() == tmHours)
        for (Integer K = 0; K < 12; ++K)
            if (K % 3 != 0) Line(HourPen, K * 30, Ri, Ro, 0, 0);
    if (A->TickMarks() != tmAll) return;
    const Double Rm = A->MinuteMarkLength() != 0 ? Ro - A->MinuteMarkLength() : Ro * 0.95;
    TGPPen MinutePen(GP(A->MinuteColor()), Single(A->MinuteMarkWidth()));
    for (Integer K = 0; K < 60; ++K)
        if (K % 5 != 0) Line(MinutePen, K * 6, Rm, Ro, 0, 0);
}

void TKelWatch::DrawNumbers(TCanvas* Canvas) {
    if (!FShowNumbers) return;
    const TWatchAppearance* A = FAppearance.get();
    const TPoint C = Center();
    const Double Ro = Radius() - A->BorderWidth() / 2;
    const Integer P = A->HourMarkLength() != 0 ? A->HourMarkLength() : Integer(Round(Ro - Ro * 0.9)) + 2;
    const Double Rn = Ro - (P + 2) - P;
    Canvas->Font()->Assign(A->HourFont());
    Canvas->Brush()->SetStyle(bsClear);
    for (Integer Q = 1; Q <= 12; ++Q) {
        if (A->TickMarks() == tmQuartHours && Q % 3 != 0) continue;
        const String Text = IntToStr(Q);
        TSize S;
        MeasureText(Canvas, Text, S);
        const Integer Adj = Q == 10 ? Integer(Round(S.cy * 0.2)) : Q == 11 ? Integer(Round(S.cy * 0.15)) : 0;
        const Double Angle = Q * 30 * Pi / 180;
        const Double D = Rn - Adj + P / 2;
        const Integer X0 = Integer(Round(std::sin(Angle) * D)) + C.X + 1;
        const Integer Y0 = C.Y - Integer(Round(std::cos(Angle) * D)) + 1;
        Canvas->TextOut(X0 - Integer(S.cx) / 2 - 1, Y0 - Integer(S.cy) / 2 - 1, Text);
    }
}

void TKelWatch::DrawAMPMFrame(TCanvas* Canvas, Integer Offset) {
    const TWatchAppearance* A = FAppearance.get();
    const TRect Box = GetAMPMRect();
    if (FRollStrip && Offset >= 0) {
        const TRect Inner(Box.Left + 1, Box.Top + 1, Box.Right - 1, Box.Bottom - 1);
        const Integer H = Inner.Bottom - Inner.Top;
        Canvas->CopyRect(Inner, FRollStrip->Canvas(), TRect(0, Offset, Inner.Right - Inner.Left, Offset + H));
    }
    if (A->AMPMBorderColor() == clNone) return;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Pen()->SetColor(A->AMPMBorderColor());
    Canvas->Pen()->SetWidth(1);
    if (A->AMPMFrame() == apRect)
        Canvas->Rectangle(Box.Left, Box.Top, Box.Right, Box.Bottom);
    else
        Canvas->RoundRect(Box.Left, Box.Top, Box.Right, Box.Bottom, 5, 5);
}

void TKelWatch::DrawAMPM(TCanvas* Canvas, TGPGraphics& G) {
    if (!FShowAMPM) return;
    const TWatchAppearance* A = FAppearance.get();
    const TRect Box = GetAMPMRect();
    if (A->AMPMColor() != clNone || A->AMPMBorderColor() != clNone) {
        if (A->AMPMColor() != clNone) {
            Canvas->Brush()->SetStyle(bsSolid);
            Canvas->Brush()->SetColor(A->AMPMColor());
        } else {
            Canvas->Brush()->SetStyle(bsClear);
        }
        Canvas->Pen()->SetColor(A->AMPMBorderColor() == clNone ? A->AMPMColor() : A->AMPMBorderColor());
        Canvas->Pen()->SetWidth(1);
        if (A->AMPMFrame() == apRect)
            Canvas->Rectangle(Box.Left, Box.Top, Box.Right, Box.Bottom);
        else
            Canvas->RoundRect(Box.Left, Box.Top, Box.Right, Box.Bottom, 5, 5);
    }
    (void)G;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->Assign(A->AMPMFont());
    TRect R = Box;
    Canvas->TextRect(R, FAM ? u"AM" : u"PM", TTextFormat{tfCenter, tfTop, tfSingleLine});
}

void TKelWatch::DrawPointers(TGPGraphics& G) {
    const TWatchAppearance* A = FAppearance.get();
    Word H, M, S, MS;
    DecodeTime(ShownTime(), H, M, S, MS);
    if (FSettings->Auto()) FAM = H < 12;
    const TPoint C = Center();
    const Double R = Radius();
    const Double Ah = (H % 12) * 30 + M / 12.0 * 6, Am = M * 6.0, As = S * 6.0;
    const auto At = [&](Double F, Double Deg) {
        const Double B = Deg * Pi / 180;
        return TGPPointF{Single(C.X + std::sin(B) * F * R), Single(C.Y - std::cos(B) * F * R)};
    };
    const auto Shift = [](TGPPointF P, Single DX, Single DY) { return TGPPointF{P.X + DX, P.Y + DY}; };
    if (A->PointerStyle() == psPointer) {
        const auto Hand = [&](Double Angle, Double Length, TColor Color, TColor Shadow) {
            TGPPointF Points[4] = {At(-0.1, Angle), At(-0.05, Angle + 90), At(Length, Angle), At(-0.05, Angle - 90)};
            if (Shadow != clNone) {
                TGPPointF Moved[4];
                for (Integer I = 0; I < 4; ++I)
                    Moved[I] = Shift(Points[I], 1, 3);
                TGPSolidBrush ShadowBrush(GP(Shadow, 80));
                G.FillPolygon(&ShadowBrush, Moved, 4);
            }
            TGPSolidBrush Brush(GP(Color));
            G.FillPolygon(&Brush, Points, 4);
        };
        Hand(Ah, 0.5, A->HourPointer(), A->HourPointerShadow());
        Hand(Am, 0.7, A->MinutePointer(), A->MinutePointerShadow());
    } else {
        const Double Tail = A->PointerStyle() == psShortLine ? 0 : 0.1;
        const auto Hand = [&](Double Angle, Double Length, TColor Color, Byte Size, TColor Shadow, Double ShadowLength,
                              Single SX, Double ArrowAt, Double ArrowSpread, bool ArrowFirst) {
            TGPPen Pen(GP(Color), Single(Size));
            if (Shadow != clNone) {
                TGPPen ShadowPen(GP(Shadow, 80), Single(Size));
                G.DrawLine(&ShadowPen, Shift(At(-Tail, Angle), SX, 3), Shift(At(ShadowLength, Angle), SX, 3));
            }
            const auto Arrow = [&] {
                if (A->PointerStyle() != psLineArrow) return;
                const TGPPointF Points[3] = {At(ArrowAt, Angle + ArrowSpread), At(Length, Angle),
                                             At(ArrowAt, Angle - ArrowSpread)};
                G.DrawLines(&Pen, Points, 3);
            };
            if (ArrowFirst) Arrow();
            G.DrawLine(&Pen, At(-Tail, Angle), At(Length, Angle));
            if (!ArrowFirst) Arrow();
        };
        Hand(Ah, 0.5, A->HourPointer(), A->HourPointerSize(), A->HourPointerShadow(), 0.46, -1, 0.4, 10, false);
        Hand(Am, 0.7, A->MinutePointer(), A->MinutePointerSize(), A->MinutePointerShadow(), 0.65, 0, 0.6, 7, true);
    }
    if (FSettings->Auto() && FSettings->Second()) {
        TGPPen Pen(GP(A->SecondPointer()), Single(A->SecondPointerSize()));
        G.DrawLine(&Pen, At(-0.2, As), At(0.9, As));
    }
    const Integer Cs = A->CenterPointSize();
    if (Cs <= 0) return;
    const Single Half = Single(Cs) / 2;
    if (A->CenterPointColor() != clNone) {
        TGPSolidBrush Brush(GP(A->CenterPointColor()));
        G.FillEllipse(&Brush, Single(C.X) - Half, Single(C.Y) - Half, Single(Cs), Single(Cs));
    }
    Integer Ow = 0;
    if (A->CenterPointOuterBorderColor() != clNone) {
        Ow = Integer(Round(Cs * 0.2));
        TGPPen Pen(GP(A->CenterPointOuterBorderColor()), Single(Ow));
        G.DrawEllipse(&Pen, Single(C.X) - Half, Single(C.Y) - Half, Single(Cs), Single(Cs));
    }
    if (A->CenterPointBorderColor() != clNone) {
        const Single D = Single(Cs - Ow);
        TGPPen Pen(GP(A->CenterPointBorderColor()), Single(Round(Cs * 0.1)));
        G.DrawEllipse(&Pen, Single(C.X) - D / 2, Single(C.Y) - D / 2, D, D);
    }
}

void TKelWatch::PaintFace(TCanvas* Target) {
    FBKGCache->SetSize(Width(), Height());
    TCanvas* Cache = FBKGCache->Canvas();
    Cache->CopyRect(ClientRect(), Target, ClientRect());
    {
        TGPGraphics G(Cache->Handle());
        G.SetSmoothingMode(SmoothingModeAntiAlias);
        DrawBackground(G);
        DrawMarks(G);
    }
    DrawNumbers(Cache);
    TGPGraphics G(Cache->Handle());
    G.SetSmoothingMode(SmoothingModeAntiAlias);
    DrawAMPM(Cache, G);
}

void TKelWatch::Paint() {
    PaintFace(Canvas());
    Canvas()->Draw(0, 0, FBKGCache.get());
    TGPGraphics G(Canvas()->Handle());
    G.SetSmoothingMode(SmoothingModeAntiAlias);
    DrawPointers(G);
    if (FRollStep >= 0) DrawAMPMFrame(Canvas(), FRollStep);
}

void TKelWatch::PresentFrame(TBitmap* Frame) {
    if (!HandleAllocated()) return;
    HDC DC = GetDC(Handle());
    TCanvas Target;
    Target.SetHandle(DC);
    Target.Draw(0, 0, Frame);
    Target.SetHandle(nullptr);
    ReleaseDC(Handle(), DC);
}

void TKelWatch::UpdatePointers() {
    if (!HandleAllocated() || FBKGCache->Empty()) {
        Invalidate();
        return;
    }
    TBitmap Frame;
    Frame.Assign(FBKGCache.get());
    {
        TGPGraphics G(Frame.Canvas()->Handle());
        G.SetSmoothingMode(SmoothingModeAntiAlias);
        DrawPointers(G);
    }
    if (FRollStep >= 0) DrawAMPMFrame(Frame.Canvas(), FRollStep);
    PresentFrame(&Frame);
    // The window keeps the frame for its next paint as well.
    Invalidate();
}

// ---- AM/PM roll ----

void TKelWatch::SetAM(bool Value) {
    if (FAM == Value) return;
    FAM = Value;
    const TWatchAppearance* A = FAppearance.get();
    if (!FAnimation || !FShowAMPM || A->AMPMColor() == clNone || FInternalSet) return;
    // The roll runs as frames on a timer, so the message loop keeps going.
    const TRect Box = GetAMPMRect();
    const Integer W = Box.Right - Box.Left - 2, H = Box.Bottom - Box.Top - 2;
    if (W <= 0 || H <= 0) return;
    FRollStrip = std::make_unique<TBitmap>();
    FRollStrip->SetSize(W, 2 * H);
    TCanvas* S = FRollStrip->Canvas();
    S->Brush()->SetStyle(bsSolid);
    S->Brush()->SetColor(A->AMPMColor());
    S->FillRect(TRect(0, 0, W, 2 * H));
    S->Font()->Assign(A->AMPMFont());
    S->Brush()->SetStyle(bsClear);
    TRect Upper(0, 0, W, H), Lower(0, H, W, 2 * H);
    S->TextRect(Upper, u"AM", TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
    S->TextRect(Lower, u"PM", TTextFormat{tfCenter, tfVerticalCenter, tfSingleLine});
    FRollStep = Value ? H : 0;
    FRollTimer->SetEnabled(true);
}

void TKelWatch::RollTick(TObject*) {
    if (FRollStep < 0 || !FRollStrip) {
        FRollTimer->SetEnabled(false);
        return;
    }
    const Integer H = FRollStrip->Height() / 2;
    FRollStep += FAM ? -1 : 1;
    if (FRollStep < 0 || FRollStep > H) {
        FRollStep = -1;
        FRollTimer->SetEnabled(false);
        FRollStrip.reset();
        Invalidate();
        return;
    }
    UpdatePointers();
}

// ---- Messages ----

void TKelWatch::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = TabStop() ? DLGC_WANTARROWS | DLGC_WANTALLKEYS : 0;
        return;
    case WM_SETCURSOR: {
        if (ComponentState().Contains(csDesigning)) break;
        TPoint P;
        GetCursorPos(P);
        P = ScreenToClient(P);
        const TRect Box = GetAMPMRect();
        const bool OnBox = FShowAMPM && P.X >= Box.Left && P.X < Box.Right && P.Y >= Box.Top && P.Y < Box.Bottom;
        winapi::SetCursor(Screen->Cursors(OnBox ? TCursor(crHandPoint) : TCursor(crArrow)));
        Message.Result = 1;
        return;
    }
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}
