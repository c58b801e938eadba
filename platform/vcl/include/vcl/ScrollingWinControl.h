#pragma once
// Windowed controls whose content can be larger than their client area:
// TScrollingWinControl keeps a horizontal and a vertical scroll bar
// (TControlScrollBar) on its own window, and with AutoScroll sets their
// ranges from where its children reach. Scrolling moves the children.
// Forms, frames and scroll boxes are scrolling controls.

#include "vcl/Controls.h"
#include "vcl/StdCtrls.h"

class TScrollingWinControl;

// One of the two window scroll bars of a scrolling control. Range is the
// content's extent in pixels; the bar shows when Visible and the range
// exceeds the client size; Position is the content offset, 0 to
// Range - client size.
class TControlScrollBar : public TPersistent {
    RTL_CLASS(TControlScrollBar)
public:
    TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind);
    void Assign(const TPersistent* Source) override;

    TScrollBarKind Kind() const { return FKind; }
    // The step of a click on an arrow (also the step of the keyboard).
    Integer Increment() const { return FIncrement; }
    void SetIncrement(Integer Value) { FIncrement = std::max(Value, 1); }
    // Space kept beyond the farthest child when AutoScroll sets the range.
    Integer Margin() const { return FMargin; }
    void SetMargin(Integer Value);
    Integer Position() const { return FPosition; }
    void SetPosition(Integer Value);
    // With AutoScroll the range follows the children and is not stored.
    Integer Range() const { return FRange; }
    void SetRange(Integer Value);
    bool IsRangeStored() const;
    // Whether dragging the box scrolls while it moves (else on release).
    bool Tracking() const { return FTracking; }
    void SetTracking(bool Value) { FTracking = Value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    // Whether the bar is shown now.
    bool IsScrollBarVisible() const;
    // The client extent along the bar.
    Integer ControlSize() const;

private:
    friend class TScrollingWinControl;
    void ScrollMessage(winapi::WPARAM WParam);
    Integer MaxPosition() const;

    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    Integer FIncrement = 8;
    Integer FMargin = 0;
    Integer FPosition = 0;
    Integer FRange = 0;
    bool FTracking = false;
    bool FVisible = true;
    bool FShown = false;
};

class TScrollingWinControl : public TWinControl {
    RTL_CLASS(TScrollingWinControl)
public:
    explicit TScrollingWinControl(TComponent* AOwner);
    ~TScrollingWinControl() override;

    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);
    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    void SetHorzScrollBar(const TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
    void SetVertScrollBar(const TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }

    // Scrolls so that AControl (a descendant) is wholly in view, as far as
    // it fits.
    void ScrollInView(TControl* AControl);
    // Moves every child by (DeltaX, DeltaY) without touching the bars.
    void ScrollBy(Integer DeltaX, Integer DeltaY);

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
    // Sets the ranges from the children (AutoScroll) and shows or hides the
    // bars for the current client size.
    void UpdateScrollBars();

private:
    friend class TControlScrollBar;
    void CalcAutoRange();
    void ApplyScrollBar(TControlScrollBar& Bar);

    bool FAutoScroll = true;
    bool FUpdatingBars = false;
    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
};
