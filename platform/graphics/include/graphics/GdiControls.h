#pragma once
// The classic look's control parts drawn on a device context: focus
// rectangles, 3-D edges and frame controls (buttons, check boxes, radio
// buttons, scroll arrows) in their states, in the system colours.

#include "graphics/DeviceContext.h"

enum : Cardinal {
    // Edge kinds: an outer and an inner one-pixel border, raised or sunken.
    BDR_RAISEDOUTER = 0x0001,
    BDR_SUNKENOUTER = 0x0002,
    BDR_RAISEDINNER = 0x0004,
    BDR_SUNKENINNER = 0x0008,
    BDR_OUTER = BDR_RAISEDOUTER | BDR_SUNKENOUTER,
    BDR_INNER = BDR_RAISEDINNER | BDR_SUNKENINNER,
    EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER,
    EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
    EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER,
    EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER,

    // Edge flags: the sides drawn and how.
    BF_LEFT = 0x0001,
    BF_TOP = 0x0002,
    BF_RIGHT = 0x0004,
    BF_BOTTOM = 0x0008,
    BF_TOPLEFT = BF_TOP | BF_LEFT,
    BF_TOPRIGHT = BF_TOP | BF_RIGHT,
    BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT,
    BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
    BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM,
    BF_DIAGONAL = 0x0010,
    BF_MIDDLE = 0x0800, // fills the inside with the face colour
    BF_SOFT = 0x1000,   // the soft look of push buttons
    BF_ADJUST = 0x2000, // the rectangle shrinks to the inside
    BF_FLAT = 0x4000,   // one shadow-coloured line instead of the 3-D borders
    BF_MONO = 0x8000,   // one window-frame-coloured line

    // Frame-control types.
    DFC_CAPTION = 1,
    DFC_MENU = 2,
    DFC_SCROLL = 3,
    DFC_BUTTON = 4,

    // Frame-control parts of DFC_SCROLL.
    DFCS_SCROLLUP = 0x0000,
    DFCS_SCROLLDOWN = 0x0001,
    DFCS_SCROLLLEFT = 0x0002,
    DFCS_SCROLLRIGHT = 0x0003,
    DFCS_SCROLLCOMBOBOX = 0x0005,

    // Frame-control parts of DFC_BUTTON.
    DFCS_BUTTONCHECK = 0x0000,
    DFCS_BUTTONRADIO = 0x0004,
    DFCS_BUTTON3STATE = 0x0008,
    DFCS_BUTTONPUSH = 0x0010,

    // Frame-control states.
    DFCS_INACTIVE = 0x0100,
    DFCS_PUSHED = 0x0200,
    DFCS_CHECKED = 0x0400,
    DFCS_ADJUSTRECT = 0x2000,
    DFCS_HOT = 0x1000,
    DFCS_FLAT = 0x4000,
    DFCS_MONO = 0x8000,
};

namespace winapi {

// Inverts every other pixel of the rectangle's one-pixel frame; drawing it a
// second time takes it away.
bool DrawFocusRect(HDC dc, const TRect& rect);

// Draws the borders of `edge` on the sides of `flags`: outer border first,
// then the inner one inside it. Top and left sides take the light colour of a
// raised border (the dark one of a sunken border), right and bottom sides the
// other; the right and bottom lines own the top-right and bottom-left corner
// pixels. With BF_ADJUST the rectangle shrinks by the borders drawn. Diagonal
// edges are not supported (false).
bool DrawEdge(HDC dc, TRect& rect, Cardinal edge, Cardinal flags);

// Draws a push button, check box, radio button (DFC_BUTTON) or scroll arrow
// (DFC_SCROLL) in the state of `state`. Check boxes and radio buttons are the
// largest square centred in the rectangle. With DFCS_ADJUSTRECT the rectangle
// of a push button or arrow shrinks to the inside of its frame. The classic
// look shows DFCS_HOT as the normal state, and a checked push button as an
// unchecked one. Caption and menu parts are not supported (false).
bool DrawFrameControl(HDC dc, TRect& rect, Cardinal type, Cardinal state);

} // namespace winapi
