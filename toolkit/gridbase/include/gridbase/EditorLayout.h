#pragma once
// Layout rules shared by the toolkit's edit controls: where an attached
// label goes beside its control, and the least height a one-line edit needs
// for its text.

#include "graphics/GraphicsObjects.h"
#include "graphics/Rect.h"

// The top-left corner of a label of LabelSize placed Margin apart from a
// control with the bounds Control. Position counts in the order of the label
// positions: lpLeftTop, lpLeftCenter, lpLeftBottom, lpTopLeft, lpBottomLeft,
// lpLeftTopLeft, lpLeftCenterLeft, lpLeftBottomLeft, lpTopCenter,
// lpBottomCenter, lpRightTop, lpRightCenter, lpRighBottom, lpTopRight,
// lpBottomRight (a control with fewer positions uses the first ones). The
// three left positions end the label by TextWidth, the caption's measured
// width, rather than by the label's own width. Any other Position gives the
// control's top-left corner.
TPoint LabelPlacement(Integer Position, const TRect& Control, TSize LabelSize, Integer TextWidth,
                      Integer Margin);

// The height of "0" in Font plus a quarter of the smaller of that and the
// height of "0" in the default font.
Integer EditTextHeight(const TFont* Font);
