#pragma once
// The value types of the drawing layer: how a colour is held, the
// enumerations that the drawing contexts, the drawing class and the SVG
// engine share, the colour holder of the named-colour table, and the small
// colour and rectangle routines.
//
// A colour is a TColor: $00BBGGRR for an RGB colour, a system colour when the
// high byte is $FF, and gcNull (-1) for "no colour".

#include "graphics/Rect.h"
#include "kel/KelJSONMembers.h"
#include "kel/KelTypes.h"
#include "rtl/Object.h"
#include "rtl/Set.h"
#include "rtl/TypeInfo.h"

// No colour: nothing is painted with it.
constexpr TColor gcNull = -1;

RTL_ENUM(TKelGraphicsFillKind, gfkNone, gfkSolid, gfkGradient, gfkTexture)
RTL_ENUM(TKelGraphicsFillOrientation, gfoHorizontal, gfoVertical, gfoCustom)
RTL_ENUM(TKelGraphicsFillGradientType, gfgtLinear, gfgtRadial)
// What a gradient with an explicit geometry paints beyond its ends.
RTL_ENUM(TKelGraphicsGradientSpread, ggsPad, ggsReflect, ggsRepeat)
// gfgmDefault: the two (or, mirrored, four) colours; gfgmCollection: the gradient items.
RTL_ENUM(TKelGraphicsFillGradientMode, gfgmDefault, gfgmCollection)
RTL_ENUM(TKelGraphicsTextureMode, gtmOriginal, gtmFit, gtmStretch, gtmCenter, gtmTile)
RTL_ENUM(TKelGraphicsStrokeKind, gskNone, gskSolid, gskDash, gskDot, gskDashDot, gskDashDotDot)
RTL_ENUM(TKelGraphicsTextAlign, gtaCenter, gtaLeading, gtaTrailing)
RTL_ENUM(TKelGraphicsTextTrimming, gttNone, gttCharacter, gttWord)
RTL_ENUM(TKelGraphicsTextQuality, gtqDefault, gtqAntiAliasing, gtqClearType)
RTL_ENUM(TKelGraphicsSide, gsLeft, gsTop, gsRight, gsBottom)
RTL_ENUM(TKelGraphicsCorner, gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight)
RTL_ENUM(TKelGraphicsModifyRectMode, gcrmNone, gcrmExpandAll, gcrmShrinkAll, gcrmShiftRightAndExpandHeight,
         gcrmShiftDownAndExpandWidth, gcrmShiftRightAndShrinkHeight, gcrmShiftRightDown, gcrmShiftRightUp,
         gcrmShiftLeftUp, gcrmShiftLeftDown, gcrmShiftUpAndExpandWidth, gcrmShiftLeftAndExpandHeight)
RTL_ENUM(TKelGraphicsModifyPointMode, gcpmNone, gcpmLeftUp, gcpmRightDown, gcpmLeftDown, gcpmRightUp)
RTL_ENUM(TKelGraphicsExpanderState, gesCollapsed, gesExpanded)
RTL_ENUM(TKelGraphicsCompactState, gcsCollapsed, gcsExpanded)
RTL_ENUM(TKelGraphicsPathDrawMode, pdmPolygon, pdmPolyline, pdmPath)

class TCanvas;

// Bit n stands for value n (gsLeft 1, gsTop 2, ...; gcTopLeft 1, gcTopRight 2, ...).
using TKelGraphicsSides = TSet<TKelGraphicsSide>;
RTL_SET_INFO(TKelGraphicsSides)
using TKelGraphicsCorners = TSet<TKelGraphicsCorner>;
RTL_SET_INFO(TKelGraphicsCorners)

// The colour an entry of the named-colour table stands for.
class TKelGraphicsColorObject : public TObject {
public:
    explicit TKelGraphicsColorObject(TColor AColor) : FColor(AColor) {}

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }

private:
    TColor FColor;

    KEL_JSON_MEMBERS
};

// What the fill and stroke colour setters store for a colour given to them:
// the class library's none colour becomes gcNull and its default colour the
// system button face; every other value is kept.
TColor GraphicsColorFromInput(TColor AColor);

// red + green * 256 + blue * 65536.
constexpr TColor MakeColor(Byte ARed, Byte AGreen, Byte ABlue) {
    return TColor(ARed) + TColor(AGreen) * 256 + TColor(ABlue) * 65536;
}

// The RGB value of AColor (system colours resolved) moved towards white by
// APercentage per cent (0 to 100): every channel gains that share of its
// distance to 255.
TColor LighterColor(TColor AColor, Byte APercentage);

// The drawing contexts pass every rectangle through here with their modify
// mode; no mode changes the rectangle.
TRectF ModifyRect(const TRectF& ARect, TKelGraphicsModifyRectMode AMode);

// Paints a two-colour gradient over ARect (normalised, at most 65535 pixels
// along the gradient) as one-pixel bands, from AFromColor at the left (or
// top) to AToColor, with the band ends pulled in along circular arcs of
// radius ARounding at the chosen corners. The canvas's pen and brush are
// restored afterwards. A negative rounding rounds nothing.
void DrawRoundedGradient(TCanvas* ACanvas, TColor AFromColor, TColor AToColor, bool AHorizontal,
                         TKelGraphicsCorners ACorners, Single ARounding, const TRect& ARect);
