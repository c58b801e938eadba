#include "graphics/GdiPlusTypes.h"

#include "graphics/Colors.h"

TGUID ImageFormatGuid(Cardinal head) {
    return TGUID{head, 0x0728, 0x11D3, {0x9D, 0x7B, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}

ARGB ColorToARGB(Byte alpha, TColor color) {
    const TColor rgb = ColorToRGB(color);
    return ComposeARGB(alpha, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

ARGB ColorToOpaqueARGB(TColor color) {
    return ColorToARGB(255, color);
}

TGUID EncoderClsid(Cardinal head) {
    return TGUID{head, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};
}
