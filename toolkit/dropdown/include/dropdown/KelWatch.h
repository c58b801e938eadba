#pragma once
// The analog watch: a clock face painted with GDI+ (background in one of
// three shapes, border, marks, hour numbers, an AM/PM box) cached in a
// bitmap, with the hands drawn over a copy of it. It shows Time, which a
// click sets (inside the dial the hour, outside the minute, on the AM/PM box
// the half of the day) or keys step, with an animated movement of the hands;
// or, with Settings.Auto, it runs as a clock.

#include "dropdown/KelDropDown.h"
#include "graphics/Picture.h"
#include "kel/KelStyle.h"
#include "vcl/Controls.h"
#include "vcl/Timer.h"

RTL_ENUM(TWatchShape, wsCircle, wsRect, wsRoundRect)
RTL_ENUM(TWatchBorderStyle, wbLine, wbDoubleLine, wbNone)
RTL_ENUM(THourMarkStyle, hmsLine, hmsQuartDblLine)
RTL_ENUM(TTickMarks, tmAll, tmHours, tmQuartHours, tmNone)
RTL_ENUM(TPointerStyle, psLine, psShortLine, psPointer, psLineArrow)
RTL_ENUM(TAMPMFrame, apRect, apRoundRect)
RTL_ENUM(TWatchGradient, wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward)
RTL_ENUM(TWatchStyle, wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite,
         wsGray, wsSuperNova, wsSports, wsSmooth, wsCustom)

class TGPGraphics;

class TWatchAppearance : public TPersistent {
    RTL_CLASS(TWatchAppearance)
public:
    TWatchAppearance();
    ~TWatchAppearance() override;
    void Assign(const TPersistent* Source) override;
    // The default look; the watch's Style setter starts from it.
    void InitDefaults();

#define KEL_WATCH_FIELD(Type, Name)                                                                              \
    Type Name() const { return F##Name; }                                                                       \
    void Set##Name(Type Value) { Store(F##Name, Value); }
    KEL_WATCH_FIELD(Integer, Size)
    KEL_WATCH_FIELD(TColor, HourPointer)
    KEL_WATCH_FIELD(TColor, BackgroundColor)
    KEL_WATCH_FIELD(TColor, MinutePointerShadow)
    KEL_WATCH_FIELD(TColor, BackgroundColorTo)
    KEL_WATCH_FIELD(TColor, HourPointerShadow)
    KEL_WATCH_FIELD(TColor, SecondPointer)
    KEL_WATCH_FIELD(TColor, BorderColor)
    KEL_WATCH_FIELD(TColor, MinutePointer)
    KEL_WATCH_FIELD(TAMPMFrame, AMPMFrame)
    KEL_WATCH_FIELD(TPointerStyle, PointerStyle)
    KEL_WATCH_FIELD(Byte, HourPointerSize)
    KEL_WATCH_FIELD(Byte, SecondPointerSize)
    KEL_WATCH_FIELD(Byte, MinutePointerSize)
    KEL_WATCH_FIELD(TColor, HourColor)
    KEL_WATCH_FIELD(TColor, MinuteColor)
    KEL_WATCH_FIELD(Byte, CenterPointSize)
    KEL_WATCH_FIELD(TColor, CenterPointColor)
    KEL_WATCH_FIELD(TColor, CenterPointBorderColor)
    KEL_WATCH_FIELD(TWatchGradient, BackgroundGradient)
    KEL_WATCH_FIELD(Byte, HourMarkLength)
    KEL_WATCH_FIELD(Byte, HourMarkWidth)
    KEL_WATCH_FIELD(Byte, MinuteMarkLength)
    KEL_WATCH_FIELD(Byte, MinuteMarkWidth)
    KEL_WATCH_FIELD(Integer, BorderWidth)
    KEL_WATCH_FIELD(TColor, AMPMColor)
    KEL_WATCH_FIELD(TColor, AMPMBorderColor)
    KEL_WATCH_FIELD(TColor, CenterPointOuterBorderColor)
    KEL_WATCH_FIELD(TTickMarks, TickMarks)
    KEL_WATCH_FIELD(THourMarkStyle, HourMarkStyle)
#undef KEL_WATCH_FIELD
    TWatchShape Shape() const { return FWatchShape; }
    void SetShape(TWatchShape Value) { Store(FWatchShape, Value); }
    TWatchBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TWatchBorderStyle Value) { Store(FBorderStyle, Value); }
    TColor SecondPointerShadow() const { return FSecondPointerShadow; }
    void SetSecondPointerShadow(TColor Value) { FSecondPointerShadow = Value; }
    Integer Rounding() const { return FRounding; }
    void SetRounding(Integer Value) { FRounding = Value; }
    TFont* HourFont() const { return FHourFont.get(); }
    void SetHourFont(const TFont* Value);
    TFont* AMPMFont() const { return FAMPMFont.get(); }
    void SetAMPMFont(const TFont* Value);
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(const TPicture* Value);
    // The AM/PM colours written without a change notification.
    void StoreAMPMColors(TColor Border, TColor Fill) {
        FAMPMBorderColor = Border;
        FAMPMColor = Fill;
    }

    TNotifyEvent OnChange;

private:
    template <typename T>
    void Store(T& Field, T Value) {
        if (Field == Value) return;
        Field = Value;
        Changed();
    }
    void Changed() {
        if (OnChange) OnChange(this);
    }

    Integer FSize = 0;
    TColor FHourPointer = 0;
    TColor FBackgroundColor = 0xFFFFFF;
    TColor FMinutePointerShadow = clBtnShadow;
    TColor FBackgroundColorTo = clNone;
    TColor FHourPointerShadow = clBtnShadow;
    TColor FSecondPointerShadow = clBtnShadow;
    TColor FSecondPointer = 0x0000FF;
    TColor FBorderColor = 0;
    TColor FMinutePointer = 0;
    std::unique_ptr<TFont> FHourFont;
    std::unique_ptr<TFont> FAMPMFont;
    std::unique_ptr<TPicture> FPicture;
    TAMPMFrame FAMPMFrame = apRect;
    TWatchShape FWatchShape = wsCircle;
    TPointerStyle FPointerStyle = psLine;
    TWatchBorderStyle FBorderStyle = wbLine;
    Byte FHourPointerSize = 4;
    Byte FSecondPointerSize = 1;
    Byte FMinutePointerSize = 3;
    TColor FHourColor = 0;
    TColor FMinuteColor = 0x808080;
    Byte FCenterPointSize = 4;
    TColor FCenterPointColor = 0;
    TColor FCenterPointBorderColor = clNone;
    TWatchGradient FBackgroundGradient = wgVertical;
    Integer FRounding = 5;
    Byte FHourMarkLength = 0;
    Byte FHourMarkWidth = 1;
    Byte FMinuteMarkLength = 0;
    Byte FMinuteMarkWidth = 1;
    Integer FBorderWidth = 4;
    TColor FAMPMColor = 0xFFFFFF;
    TColor FAMPMBorderColor = 0;
    TColor FCenterPointOuterBorderColor = clNone;
    TTickMarks FTickMarks = tmAll;
    THourMarkStyle FHourMarkStyle = hmsLine;
};

// The colours a toolkit colour style gives a watch's look (nothing for
// tsCustom; the Office 2003 to 2010 styles set the face, marks and hands).
void SetWatchColorStyle(TWatchAppearance* A, TKelStyle AStyle);

class TWatchSettings : public TPersistent {
    RTL_CLASS(TWatchSettings)
public:
    void Assign(const TPersistent* Source) override;
    // The watch runs as a clock.
    bool Auto() const { return FAuto; }
    void SetAuto(bool Value);
    // The second hand is drawn while running.
    bool Second() const { return FSeconds; }
    void SetSecond(bool Value);
    // Minutes added to the current time while running.
    Integer TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(Integer Value);
    TNotifyEvent OnChange;

private:
    bool FAuto = false;
    bool FSeconds = true;
    Integer FTimeOffset = 0;
};

class TKelWatch : public TCustomControl {
    RTL_CLASS(TKelWatch)
public:
    explicit TKelWatch(TComponent* AOwner);
    ~TKelWatch() override;

    TWatchAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(const TWatchAppearance* Value) { FAppearance->Assign(Value); }
    TWatchSettings* Settings() const { return FSettings.get(); }
    void SetSettings(const TWatchSettings* Value) { FSettings->Assign(Value); }
    TDateTime Time() const { return FTime; }
    // Fires no OnChange.
    void SetTime(TDateTime Value);
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool Value) { FAnimation = Value; }
    Integer AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(Integer Value) { FAnimationFactor = Value; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    Integer Resolution() const { return FResolution; }
    // Values above 30 are ignored.
    void SetResolution(Integer Value);
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool Value);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool Value);
    TWatchStyle Style() const { return FStyle; }
    void SetStyle(TWatchStyle Value);
    String Version() const;
    void SetVersion(const String&) {}
    bool AM() const { return FAM; }
    // True while the AM/PM box rolls from one half to the other.
    bool Rolling() const { return FRollStep >= 0; }
    bool Animating() const { return FAnimationTimer->Enabled(); }

    // The hour (0 to 23) and minute of the shown time, animated when
    // Animation is on. SetMinute raises "Invalid time" for 60 or more.
    void SetHour(Integer Value);
    void SetMinute(Integer Value);
    Integer XYToMinute(Integer X, Integer Y) const;
    Integer XYToHour(Integer X, Integer Y) const;
    // The keys the time picker forwards from its pop-up.
    void ProcessKey(Word Key);
    void SetComponentStyle(TKelStyle AStyle);
    TRect GetAMPMRect();
    // The shown time: the clock's while running, else Time.
    TDateTime ShownTime() const;
    TBitmap* Cache() const { return FBKGCache.get(); }

    void WndProc(TMessage& Message) override;

    TNotifyEvent OnChange;

protected:
    virtual Cardinal GetVersionNr() const { return 0x01030201; }
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void UpdatePointers();

private:
    void SetTimeValue(TDateTime Value);
    void SetAM(bool Value);
    void DoChange();
    void SettingsChanged(TObject* Sender);
    void AnimationTick(TObject* Sender);
    void RollTick(TObject* Sender);
    void WatchTick(TObject* Sender);
    bool Quiet() const;
    TRect FaceRect() const;
    TPoint Center() const;
    Double Radius() const;
    void PaintFace(TCanvas* Canvas);
    void DrawBackground(TGPGraphics& G);
    void DrawMarks(TGPGraphics& G);
    void DrawNumbers(TCanvas* Canvas);
    void DrawAMPM(TCanvas* Canvas, TGPGraphics& G);
    void DrawPointers(TGPGraphics& G);
    void DrawAMPMFrame(TCanvas* Canvas, Integer Offset);
    void PresentFrame(TBitmap* Frame);

    std::unique_ptr<TWatchAppearance> FAppearance;
    std::unique_ptr<TWatchSettings> FSettings;
    TDateTime FTime = 0;
    std::unique_ptr<TBitmap> FBKGCache;
    TTimer* FWatchTimer = nullptr;
    bool FAnimation = true;
    Integer FAnimationFactor = 10;
    TTimer* FAnimationTimer = nullptr;
    Byte FCurrentHourTo = 0;
    Byte FCurrentMinuteTo = 0;
    Byte FMinuteFrom = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FAM = true;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    bool FInternalSet = false;
    TWatchStyle FStyle = wsClassic;
    bool FReadOnly = false;
    Integer FResolution = 1;
    // The AM/PM roll, one frame per tick of its timer: the step (-1 = not
    // rolling) and the strip holding "AM" over "PM".
    TTimer* FRollTimer = nullptr;
    Integer FRollStep = -1;
    std::unique_ptr<TBitmap> FRollStrip;
};
