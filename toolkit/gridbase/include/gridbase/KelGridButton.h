#pragma once
// The grid button: a flat push or toggle button with glyphs, colour pairs
// for its normal, hot, down and checked states, seven colour schemes, an
// optional drop-down part and group-exclusive behaviour. The string grid's
// search bar uses it.

#include "gridbase/GridTypes.h"
#include "graphics/Graphic.h"
#include "rtl/TypeInfo.h"
#include "vcl/ActnList.h"
#include "vcl/Buttons.h"
#include "vcl/Menus.h"

// Fills Rect with Steps bands from From to To (vertically, or across with
// Horizontal) and frames it in Border unless that is clNone.
void DrawButtonGradient(TCanvas* Canvas, TColor From, TColor To, bool Horizontal, const TRect& Rect, Integer Steps,
                        TColor Border);

class TKelGridButton : public TGraphicControl {
    RTL_CLASS(TKelGridButton)
public:
    explicit TKelGridButton(TComponent* AOwner);
    ~TKelGridButton() override;

    TColor ColorTo() const { return FColorTo; }
    void SetColorTo(TColor Value) { SetAndInvalidate(FColorTo, Value); }
    TColor ColorHot() const { return FColorHot; }
    void SetColorHot(TColor Value) { FColorHot = Value; }
    TColor ColorHotTo() const { return FColorHotTo; }
    void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
    TColor ColorDown() const { return FColorDown; }
    void SetColorDown(TColor Value) { FColorDown = Value; }
    TColor ColorDownTo() const { return FColorDownTo; }
    void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
    TColor ColorChecked() const { return FColorChecked; }
    void SetColorChecked(TColor Value) { SetAndInvalidate(FColorChecked, Value); }
    TColor ColorCheckedTo() const { return FColorCheckedTo; }
    void SetColorCheckedTo(TColor Value) { SetAndInvalidate(FColorCheckedTo, Value); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { SetAndInvalidate(FBorderColor, Value); }
    TColor BorderDownColor() const { return FBorderDownColor; }
    void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
    TColor BorderHotColor() const { return FBorderHotColor; }
    void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }

    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { SetAndInvalidate(FFlat, Value); }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer Value) { SetAndInvalidate(FSpacing, Value); }
    Integer Margin() const { return FMargin; }
    // Values below -1 are ignored.
    void SetMargin(Integer Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value) { SetAndInvalidate(FShowCaption, Value); }
    bool Rounded() const { return FRounded; }
    void SetRounded(bool Value) { SetAndInvalidate(FRounded, Value); }
    bool DropDownButton() const { return FDropDownButton; }
    void SetDropDownButton(bool Value) { SetAndInvalidate(FDropDownButton, Value); }
    TKelGridButtonStyle Style() const { return FStyle; }
    void SetStyle(TKelGridButtonStyle Value);
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool Shaded() const { return FShaded; }
    void SetShaded(bool Value);
    bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
    void SetAutoThemeAdapt(bool Value);
    bool AutoXPStyle() const { return FAutoXPStyle; }
    void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }
    TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
    void SetDropDownMenu(TPopupMenu* Value);
    Integer Look() const { return FLook; }
    // Applies colour scheme 0 to 6; other values change nothing.
    void SetLook(Integer Value);

    TBitmap* Glyph() const { return FGlyph.get(); }
    // Also makes the disabled glyph (grey) while that is empty.
    void SetGlyph(const TBitmap* Value);
    TBitmap* GlyphHot() const { return FGlyphHot.get(); }
    void SetGlyphHot(const TBitmap* Value) { FGlyphHot->Assign(Value); }
    TBitmap* GlyphDown() const { return FGlyphDown.get(); }
    void SetGlyphDown(const TBitmap* Value) { FGlyphDown->Assign(Value); }
    TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
    void SetGlyphDisabled(const TBitmap* Value) { FGlyphDisabled->Assign(Value); }
    // The grey silhouette drawn under a hot glyph.
    TBitmap* GlyphShade() const { return FGlyphShade.get(); }

    TButtonState State() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

    void GenerateShade();
    void AdaptToTheme();
    // 0 without an active theme (never active here).
    static Integer ThemeLookIndex();
    // Places the glyph and the caption in Client.
    void CalcButtonLayout(const TRect& Client, TPoint& GlyphPos, TRect& TextBounds);

    void Click() override;

    TNotifyEvent OnDropDown;

    void WndProc(TMessage& Message) override;

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    std::unique_ptr<TControlActionLink> CreateActionLink() override;

private:
    friend class TKelGridButtonActionLink;
    template <class T> void SetAndInvalidate(T& Field, T Value) {
        if (Field == Value) return;
        Field = Value;
        Invalidate();
    }
    void UpdateExclusive();
    void UpdateTracking();
    void DoMouseEnter();
    void DoMouseLeave();
    void DrawContent(TCanvas* C, TRect R, bool Hot, bool Pressed);
    bool Designing() const { return ComponentState().Contains(csDesigning); }

    bool FIsComCtl6 = true;
    Integer FGroupIndex = 0;
    std::unique_ptr<TBitmap> FGlyph;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    Integer FSpacing = 4;
    Integer FMargin = -1;
    bool FFlat = true;
    bool FMouseInControl = false;
    TColor FColorTo = clNone;
    TColor FColorHot = 0xCAC7C7;
    TColor FColorHotTo = clNone;
    TColor FColorDown = 0xD8D3D2;
    TColor FColorDownTo = clNone;
    TColor FBorderColor = clNone;
    TColor FBorderDownColor = clNone;
    TColor FBorderHotColor = clNone;
    std::unique_ptr<TBitmap> FGlyphDisabled;
    std::unique_ptr<TBitmap> FGlyphHot;
    std::unique_ptr<TBitmap> FGlyphDown;
    std::unique_ptr<TBitmap> FGlyphShade;
    bool FShaded = true;
    TColor FColorChecked = 0x808080;
    TColor FColorCheckedTo = clNone;
    TKelGridButtonStyle FStyle = tasButton;
    Integer FLook = 0;
    bool FRounded = false;
    bool FDropDownButton = false;
    bool FAutoThemeAdapt = false;
    bool FAutoXPStyle = false;
    TPopupMenu* FDropDownMenu = nullptr;
    bool FShowCaption = true;
    TButtonState FState = bsUp;
};

// Caption, Checked and GroupIndex of a grid button follow its action.
class TKelGridButtonActionLink : public TControlActionLink {
    RTL_CLASS(TKelGridButtonActionLink)
public:
    explicit TKelGridButtonActionLink(TKelGridButton* AClient) : TControlActionLink(AClient), FClient(AClient) {}

    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsGroupIndexLinked() const override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(Integer Value) override;

protected:
    TKelGridButton* FClient;
};
