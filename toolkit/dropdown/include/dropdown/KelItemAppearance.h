#pragma once
// The selection look of list-like pop-ups: colours of the hot and the
// selected item (upper gradient, lower mirror gradient, frame, top and
// bottom lines, edge), their text colours and the font, with three presets.

#include "dropdown/KelDropDownRoutines.h"
#include "graphics/GraphicsObjects.h"
#include "rtl/Persistent.h"

#include <memory>

RTL_ENUM(TSelectionColorStyle, scCustom, scOffice2007, scWindowsVista, scWindows7)

class TItemAppearance : public TPersistent {
    RTL_CLASS(TItemAppearance)
public:
    explicit TItemAppearance(TPersistent* AOwner = nullptr);
    ~TItemAppearance() override;
    TPersistent* GetOwner() const override { return FOwner; }
    // From another item appearance: the twelve colours, the font, then the
    // source's style (whose preset is loaded when it differs), then the
    // text colours and the hot and selected frames.
    void Assign(const TPersistent* Source) override;

    TSelectionColorStyle ColorStyle() const { return FColorStyle; }
    // Loads the style's preset when the style changes (scCustom loads nothing).
    void SetColorStyle(TSelectionColorStyle Value);

    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }

    TNotifyEvent OnChange;

    // Plain stores; the colour presets of the drop-down styles write them too.
#define ITEM_APPEARANCE_COLOR(Name)                                                                          \
    TColor Name() const { return F##Name; }                                                                  \
    void Set##Name(TColor Value) { F##Name = Value; }
    ITEM_APPEARANCE_COLOR(ColorMirrorHotTo)
    ITEM_APPEARANCE_COLOR(BorderColor)
    ITEM_APPEARANCE_COLOR(ColorMirrorHot)
    ITEM_APPEARANCE_COLOR(ColorSelectedTo)
    ITEM_APPEARANCE_COLOR(ColorSelected)
    ITEM_APPEARANCE_COLOR(EdgeColor)
    ITEM_APPEARANCE_COLOR(ColorHotTo)
    ITEM_APPEARANCE_COLOR(BorderColorBottom)
    ITEM_APPEARANCE_COLOR(ColorHot)
    ITEM_APPEARANCE_COLOR(BorderColorTop)
    ITEM_APPEARANCE_COLOR(ColorMirrorSelectedTo)
    ITEM_APPEARANCE_COLOR(ColorMirrorSelected)
    ITEM_APPEARANCE_COLOR(ColorSelectedText)
    ITEM_APPEARANCE_COLOR(ColorHotText)
    ITEM_APPEARANCE_COLOR(BorderColorHot)
    ITEM_APPEARANCE_COLOR(BorderColorSelected)
#undef ITEM_APPEARANCE_COLOR

private:
    TPersistent* FOwner;
    TColor FColorMirrorHotTo = clNone;
    TColor FBorderColor = clNone;
    TColor FColorMirrorHot = clNone;
    TColor FColorSelectedTo = clNone;
    TColor FColorSelected = clNone;
    TColor FEdgeColor = clNone;
    TColor FColorHotTo = clNone;
    TColor FBorderColorBottom = clNone;
    TColor FColorHot = clNone;
    TColor FBorderColorTop = clNone;
    TColor FColorMirrorSelectedTo = clNone;
    TColor FColorMirrorSelected = clNone;
    TColor FColorSelectedText = clBlack;
    TColor FColorHotText = clBlack;
    TColor FBorderColorHot = clNone;
    TColor FBorderColorSelected = clNone;
    TSelectionColorStyle FColorStyle = scCustom;
    std::unique_ptr<TFont> FFont;
};
