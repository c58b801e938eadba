#pragma once
// TKelGridPopup: the base of the string grid's tool-bar pop-up. The grid
// keeps at most one (its PopupToolBar) and shows it for the active or the
// hovered cell; a descendant puts its window at the point Show receives.

#include "graphics/Rect.h"
#include "rtl/Component.h"

class TZirOvararIzaz;

class TKelGridPopup : public TComponent {
    RTL_CLASS(TKelGridPopup)
public:
    explicit TKelGridPopup(TComponent* AOwner) : TComponent(AOwner) {}

    bool Visible() const { return FVisible; }
    // The grid and the cell the pop-up is shown for; the grid sets them
    // before showing it.
    TZirOvararIzaz* Grid() const { return FGrid; }
    void SetGrid(TZirOvararIzaz* Value) { FGrid = Value; }
    TPoint Cell() const { return FCell; }
    void SetCell(TPoint Value) { FCell = Value; }

    virtual void Show(TPoint PT) {
        (void)PT;
        FVisible = true;
    }
    virtual void Hide() { FVisible = false; }
    virtual bool MouseInPopup() = 0;

private:
    bool FVisible = false;
    TZirOvararIzaz* FGrid = nullptr;
    TPoint FCell{-1, -1};
};
