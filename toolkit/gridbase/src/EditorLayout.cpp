// Label placement beside a control and the text height of a one-line edit.

#include "gridbase/EditorLayout.h"

#include "graphics/Canvas.h"
#include "windowing/Paint.h"

#include <algorithm>

using namespace winapi;

TPoint LabelPlacement(Integer Position, const TRect& Control, TSize LabelSize, Integer TextWidth,
                      Integer Margin) {
    const Integer L = Control.Left, T = Control.Top, W = Control.Width(), H = Control.Height();
    const Integer Lw = LabelSize.cx, Lh = LabelSize.cy, M = Margin;
    switch (Position) {
    case 0:
        return {L - TextWidth - M, T}; // lpLeftTop
    case 1:
        return {L - TextWidth - M, T + (H - Lh) / 2}; // lpLeftCenter
    case 2:
        return {L - TextWidth - M, T + H - Lh}; // lpLeftBottom
    case 3:
        return {L, T - Lh - M}; // lpTopLeft
    case 4:
        return {L, T + H + M}; // lpBottomLeft
    case 5:
        return {L - M, T}; // lpLeftTopLeft
    case 6:
        return {L - M, T + (H - Lh) / 2}; // lpLeftCenterLeft
    case 7:
        return {L - M, T + H - Lh}; // lpLeftBottomLeft
    case 8:
        return {L + (W - Lw) / 2, T - Lh - M}; // lpTopCenter
    case 9:
        return {L + (W - Lw) / 2, T + H + M}; // lpBottomCenter
    case 10:
        return {L + W + M, T}; // lpRightTop
    case 11:
        return {L + W + M, T + (H - Lh) / 2}; // lpRightCenter
    case 12:
        return {L + W + M, T + H - Lh}; // lpRighBottom
    case 13:
        return {L + W - Lw, T - Lh - M}; // lpTopRight
    case 14:
        return {L + W - Lw, T + H + M}; // lpBottomRight
    default:
        return {L, T};
    }
}

Integer EditTextHeight(const TFont* Font) {
    TCanvas C;
    const HDC DC = GetDC(nullptr);
    C.SetHandle(DC);
    const Integer SystemHeight = C.TextHeight(u"0");
    C.Font()->Assign(Font);
    const Integer FontHeight = C.TextHeight(u"0");
    C.SetHandle(nullptr);
    ReleaseDC(nullptr, DC);
    return FontHeight + std::min(SystemHeight, FontHeight) / 4;
}
