#pragma once
// Buttons with pictures: the speed button (a windowless button that can
// stay down alone or in a group, flat with a hot look under the mouse) and
// the bitmap button (a push button with a glyph and predefined kinds).
//
// A glyph is one bitmap holding NumGlyphs pictures side by side: up,
// disabled, clicked and down (exclusive). A picture the bitmap lacks is
// made from the up picture (greyed for disabled). Its bottom-left pixel's
// colour is transparent. A control with Images and a valid ImageIndex shows
// that image instead of the glyph.

#include "graphics/Graphic.h"
#include "graphics/ImageList.h"
#include "vcl/StdCtrls.h"

#include <memory>

RTL_ENUM(TButtonLayout, blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom)
RTL_ENUM(TButtonState, bsUp, bsDisabled, bsDown, bsExclusive)
RTL_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore,
         bkAll)

namespace detail {

// The glyph and image-list picture of a button and the arrangement of that
// picture and the caption inside the button's face.
class TButtonGlyph {
public:
    TButtonGlyph();
    ~TButtonGlyph();

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    // 1..4; other values are ignored.
    Integer NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(Integer Value);
    TCustomImageList* Images = nullptr;
    Integer ImageIndex = -1;

    // The size of one picture (0 x 0 without one).
    TSize PictureSize() const;
    // Draws picture and caption in Client: Margin is the distance of the
    // picture from the edge it keeps to (-1: both centred), Spacing the gap
    // between picture and caption (-1: the rest shared out evenly).
    void Draw(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption,
              TButtonLayout Layout, Integer Margin, Integer Spacing, TButtonState State,
              const TFont* Font) const;

    // Called when the glyph or its count changes.
    std::function<void()> OnChange;

private:
    void Rebuild();

    std::unique_ptr<TBitmap> FGlyph;
    Integer FNumGlyphs = 1;
    std::unique_ptr<TImageList> FPieces; // the glyph's pictures with their transparency
};

} // namespace detail

// A windowless button. With GroupIndex 0 it springs back up after each
// click; with a group index it stays Down, and pressing it raises the other
// buttons of its group on the same parent. With AllowAllUp (shared by the
// group) a down button comes back up on a click; without it one button of
// the group always stays down once one is.
class TSpeedButton : public TGraphicControl {
    RTL_CLASS(TSpeedButton)
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    bool Down() const { return FDown; }
    // Refused (kept down) when it would leave a group without AllowAllUp
    // with no button down; ignored without a group.
    void SetDown(bool Value);
    Integer GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool Value);
    TBitmap* Glyph() const { return FGlyph.Glyph(); }
    void SetGlyph(const TBitmap* Value) { FGlyph.SetGlyph(Value); }
    Integer NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(Integer Value) { FGlyph.SetNumGlyphs(Value); }
    TCustomImageList* Images() const { return FGlyph.Images; }
    void SetImages(TCustomImageList* Value);
    Integer ImageIndex() const { return FGlyph.ImageIndex; }
    void SetImageIndex(Integer Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer Value);
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer Value);

    // How the button is drawn now: up, disabled, pressed (down while the
    // mouse holds it) or exclusive (staying down).
    TButtonState State() const { return FState; }
    // Whether the mouse is over the button (the hot look of a flat button).
    bool MouseInControl() const { return FMouseInControl; }
    // Draws the button up even while it is pressed, as long as set.
    bool PaintUp() const { return FPaintUp; }
    void SetPaintUp(bool Value);

    void Click() override;
    void WndProc(TMessage& Message) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void SetState(TButtonState Value);

private:
    // Raises the other down buttons of the group and shares AllowAllUp.
    void UpdateExclusive();
    TButtonState RestingState() const;

    detail::TButtonGlyph FGlyph;
    TButtonState FState = bsUp;
    Integer FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    bool FDragging = false;
    bool FMouseInControl = false;
    bool FPaintUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    Integer FMargin = -1;
    Integer FSpacing = 4;
};

// A push button with a glyph. A Kind other than bkCustom gives the button
// its caption, glyph, modal result and Default or Cancel role.
class TBitBtn : public TButton {
    RTL_CLASS(TBitBtn)
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind Value);
    TBitmap* Glyph() const { return FGlyph.Glyph(); }
    // Setting a glyph makes the kind custom.
    void SetGlyph(const TBitmap* Value);
    Integer NumGlyphs() const { return FGlyph.NumGlyphs(); }
    void SetNumGlyphs(Integer Value) { FGlyph.SetNumGlyphs(Value); }
    TCustomImageList* Images() const { return FGlyph.Images; }
    void SetImages(TCustomImageList* Value);
    Integer ImageIndex() const { return FGlyph.ImageIndex; }
    void SetImageIndex(Integer Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer Value);
    Integer Spacing() const { return FSpacing; }
    void SetSpacing(Integer Value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;

private:
    detail::TButtonGlyph FGlyph;
    TBitBtnKind FKind = bkCustom;
    bool FSettingKind = false;
    TButtonLayout FLayout = blGlyphLeft;
    Integer FMargin = -1;
    Integer FSpacing = 4;
};
