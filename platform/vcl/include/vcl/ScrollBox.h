#pragma once
// A scroll box: a sunken (or borderless) container whose content scrolls
// with its window scroll bars, the mouse wheel, and by itself to bring a
// child that takes the focus into view.

#include "vcl/ScrollingWinControl.h"

class TScrollBox : public TScrollingWinControl {
    RTL_CLASS(TScrollBox)
public:
    explicit TScrollBox(TComponent* AOwner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    // The wheel scrolls the content up or down (with Shift, sideways).
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;

private:
    TBorderStyle FBorderStyle = bsSingle;
};
