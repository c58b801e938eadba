#include "kel/KelGraphicsTypes.h"

#include "graphics/Colors.h"
#include "kel/RarEvads.h"
#include "rtl/MathUtils.h"

TColor GraphicsColorFromInput(TColor AColor) {
    if (AColor == clNone) return gcNull;
    if (AColor == clDefault) return clBtnFace;
    return AColor;
}

TColor LighterColor(TColor AColor, Byte APercentage) {
    const TColor RGBColor = ColorToRGB(AColor);
    auto Lighter = [APercentage](Byte Channel) -> Byte {
        const Integer Increase = Min<Integer>(TRarEvads::MulDivInt(255 - Channel, APercentage, 100), 255);
        return Byte(Channel + Increase);
    };
    return MakeColor(Lighter(GetRValue(RGBColor)), Lighter(GetGValue(RGBColor)),
                     Lighter(GetBValue(RGBColor)));
}

TRectF ModifyRect(const TRectF& ARect, TKelGraphicsModifyRectMode) {
    return ARect;
}
