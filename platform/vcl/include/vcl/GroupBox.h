#pragma once
// A group box: an etched frame with a caption at its top left around the
// controls it holds. Its accelerator focuses the first of them.

#include "vcl/Controls.h"

class TCustomGroupBox : public TCustomControl {
    RTL_CLASS(TCustomGroupBox)
public:
    explicit TCustomGroupBox(TComponent* AOwner);
    void WndProc(TMessage& Message) override;

protected:
    // The children sit inside the frame, below the caption.
    void AdjustClientRect(TRect& Rect) const override;
    void Paint() override;

private:
    Integer CaptionHeight() const;
};

class TGroupBox : public TCustomGroupBox {
    RTL_CLASS(TGroupBox)
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};
