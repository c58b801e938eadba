#pragma once
// The grid's small appearance settings: the look of the progress-bar cells
// (TGridProgressAppearance), the automatic colours of negative and positive
// numbers (TAutoColor of two TColorSetting) and the mark of modified rows
// (TShowModified). Each reports changes through its OnChange, which the
// grid binds where a change must repaint.

#include "graphics/Colors.h"
#include "grid/GridSettingsTypes.h"
#include "rtl/Persistent.h"

#include <memory>

class TGridProgressAppearance : public TPersistent {
    RTL_CLASS(TGridProgressAppearance)
public:
    TGridProgressAppearance() = default;

    // From another progress appearance: every setting (Style too, OnChange
    // not), then Changed once; other sources are ignored.
    void Assign(const TPersistent* Source) override;

    // Every setter stores and calls Changed only when the value differs.
    TColor CompleteColor() const { return FCompleteColor; }
    void SetCompleteColor(TColor Value) { Set(FCompleteColor, Value); }
    TColor CompleteFontColor() const { return FCompleteFontColor; }
    void SetCompleteFontColor(TColor Value) { Set(FCompleteFontColor, Value); }
    TColor UnCompleteColor() const { return FUnCompleteColor; }
    void SetUnCompleteColor(TColor Value) { Set(FUnCompleteColor, Value); }
    TColor UnCompleteFontColor() const { return FUnCompleteFontColor; }
    void SetUnCompleteFontColor(TColor Value) { Set(FUnCompleteFontColor, Value); }
    TColor Level0Color() const { return FLevel0Color; }
    void SetLevel0Color(TColor Value) { Set(FLevel0Color, Value); }
    TColor Level0ColorTo() const { return FLevel0ColorTo; }
    void SetLevel0ColorTo(TColor Value) { Set(FLevel0ColorTo, Value); }
    TColor Level1Color() const { return FLevel1Color; }
    void SetLevel1Color(TColor Value) { Set(FLevel1Color, Value); }
    TColor Level1ColorTo() const { return FLevel1ColorTo; }
    void SetLevel1ColorTo(TColor Value) { Set(FLevel1ColorTo, Value); }
    TColor Level2Color() const { return FLevel2Color; }
    void SetLevel2Color(TColor Value) { Set(FLevel2Color, Value); }
    TColor Level2ColorTo() const { return FLevel2ColorTo; }
    void SetLevel2ColorTo(TColor Value) { Set(FLevel2ColorTo, Value); }
    TColor Level3Color() const { return FLevel3Color; }
    void SetLevel3Color(TColor Value) { Set(FLevel3Color, Value); }
    TColor Level3ColorTo() const { return FLevel3ColorTo; }
    void SetLevel3ColorTo(TColor Value) { Set(FLevel3ColorTo, Value); }
    Integer Level1Perc() const { return FLevel1Perc; }
    void SetLevel1Perc(Integer Value) { Set(FLevel1Perc, Value); }
    Integer Level2Perc() const { return FLevel2Perc; }
    void SetLevel2Perc(Integer Value) { Set(FLevel2Perc, Value); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { Set(FBorderColor, Value); }
    bool ShowBorder() const { return FShowBorder; }
    void SetShowBorder(bool Value) { Set(FShowBorder, Value); }
    bool Stacked() const { return FStacked; }
    void SetStacked(bool Value) { Set(FStacked, Value); }
    bool ShowPercentage() const { return FShowPercentage; }
    void SetShowPercentage(bool Value) { Set(FShowPercentage, Value); }
    bool CompletionSmooth() const { return FCompletionSmooth; }
    void SetCompletionSmooth(bool Value) { Set(FCompletionSmooth, Value); }
    bool ShowGradient() const { return FShowGradient; }
    void SetShowGradient(bool Value) { Set(FShowGradient, Value); }
    Integer Steps() const { return FSteps; }
    void SetSteps(Integer Value) { Set(FSteps, Value); }
    // Public, not published.
    TProgressStyle Style() const { return FStyle; }
    void SetStyle(TProgressStyle Value) { Set(FStyle, Value); }

    TNotifyEvent OnChange;

protected:
    // Fires OnChange when assigned.
    void Changed();

private:
    template <class T>
    void Set(T& Field, T Value) {
        if (Field == Value) return;
        Field = Value;
        Changed();
    }

    TColor FCompleteColor = clRed;
    TColor FCompleteFontColor = clBlue;
    TColor FUnCompleteColor = clNone;
    TColor FUnCompleteFontColor = clWindowText;
    TColor FLevel0Color = clLime;
    TColor FLevel0ColorTo = 0xE1FFE1;
    TColor FLevel1Color = clYellow;
    TColor FLevel1ColorTo = 0xCAFFFF;
    TColor FLevel2Color = 0x53A9FF;
    TColor FLevel2ColorTo = 0xA8D3FF;
    TColor FLevel3Color = clRed;
    TColor FLevel3ColorTo = 0xCACAFF;
    Integer FLevel1Perc = 70;
    Integer FLevel2Perc = 90;
    TColor FBorderColor = clBlack;
    bool FShowBorder = false;
    bool FStacked = false;
    bool FShowPercentage = true;
    bool FCompletionSmooth = true;
    bool FShowGradient = true;
    Integer FSteps = 11;
    TProgressStyle FStyle = psXP;
};

class TColorSetting : public TPersistent {
    RTL_CLASS(TColorSetting)
public:
    TColorSetting() = default;

    // Copies both colours without Changed; other sources are ignored.
    void Assign(const TPersistent* Source) override;

    // The setters store and call Changed when the value differs.
    TColor TextColor() const { return FTextColor; }
    void SetTextColor(TColor Value);
    TColor BkgColor() const { return FBkgColor; }
    void SetBkgColor(TColor Value);

    TNotifyEvent OnChange;

protected:
    // Fires OnChange when assigned.
    virtual void Changed();

private:
    TColor FTextColor = clNone;
    TColor FBkgColor = clNone;
};

class TAutoColor : public TPersistent {
    RTL_CLASS(TAutoColor)
public:
    TAutoColor();
    ~TAutoColor() override;

    // From another automatic colour: both colour settings; other sources are
    // ignored.
    void Assign(const TPersistent* Source) override;

    // False exactly when all four colours are none.
    bool IsActive() const;

    // The setters copy into the owned settings.
    TColorSetting* NegativeNumber() const { return FNegativeNumber.get(); }
    void SetNegativeNumber(const TColorSetting* Value);
    TColorSetting* PositiveNumber() const { return FPositiveNumber.get(); }
    void SetPositiveNumber(const TColorSetting* Value);

    TNotifyEvent OnChange;

protected:
    // Fires OnChange when assigned; the two settings' changes end here.
    virtual void Changed();

private:
    std::unique_ptr<TColorSetting> FNegativeNumber;
    std::unique_ptr<TColorSetting> FPositiveNumber;
};

class TShowModified : public TPersistent {
    RTL_CLASS(TShowModified)
public:
    TShowModified() = default;

    // Copies Color and Enabled without OnChange; other sources are ignored.
    void Assign(const TPersistent* Source) override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value) { FEnabled = Value; }
    TColor Color() const { return FColor; }
    // Stores (without comparing) and fires OnChange.
    void SetColor(TColor Value);

    TNotifyEvent OnChange;

private:
    bool FEnabled = false;
    TColor FColor = clYellow;
};
