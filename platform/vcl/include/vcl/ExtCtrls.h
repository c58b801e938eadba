#pragma once
// Panels: a raised or lowered box that holds controls and shows a caption.

#include "rtl/Alignment.h"
#include "vcl/Controls.h"

RTL_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)

// The box is drawn from the outside in: the outer bevel, a border of
// BorderWidth in the panel's colour, the inner bevel, each bevel BevelWidth
// pixels wide. Aligned children sit inside all of them.
class TCustomPanel : public TCustomControl {
    RTL_CLASS(TCustomPanel)
public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut Value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut Value);
    Integer BevelWidth() const { return FBevelWidth; }
    // At least 1.
    void SetBevelWidth(Integer Value);
    Integer BorderWidth() const { return FBorderWidth; }
    // At least 0.
    void SetBorderWidth(Integer Value);

    void WndProc(TMessage& Message) override;

protected:
    void AdjustClientRect(TRect& Rect) const override;
    void Paint() override;

private:
    // The box's edges changed: children realign, the panel repaints.
    void FrameChanged();

    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    Integer FBevelWidth = 1;
    Integer FBorderWidth = 0;
};

class TPanel : public TCustomPanel {
    RTL_CLASS(TPanel)
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};
