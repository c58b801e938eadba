#pragma once
// Frames: a scrolling container of controls designed once (with its own
// layout) and placed on forms and other frames as a unit.

#include "vcl/ScrollingWinControl.h"

class TCustomFrame : public TScrollingWinControl {
    RTL_CLASS(TCustomFrame)
public:
    explicit TCustomFrame(TComponent* AOwner);
    // Reads the frame's layout, when its class has one.
    void AfterConstruction() override;
    void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) const override;

protected:
    void CreateParams(TCreateParams& Params) override;
};

class TFrame : public TCustomFrame {
    RTL_CLASS(TFrame)
public:
    explicit TFrame(TComponent* AOwner) : TCustomFrame(AOwner) {}
};
