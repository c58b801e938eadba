#include "Edges.h"
#include "graphics/Colors.h"
#include "graphics/GdiControls.h"

#include <algorithm>
#include <cmath>

// Frame controls in the classic look, drawn in surface pixels: a push button
// is a soft raised edge on the face colour, a check box a sunken square on the
// window colour, a radio button two two-tone rings around a window-coloured
// disc, a scroll arrow a push button with a filled triangle.

namespace {

using detail::PaintEdge;
using detail::PaintPixels;

// The largest square centred in the rectangle.
TRect CentredSquare(const TRect& r) {
    const Integer side = std::min(r.Width(), r.Height());
    const Integer left = r.Left + (r.Width() - side) / 2, top = r.Top + (r.Height() - side) / 2;
    return {left, top, left + side, top + side};
}

TRect Inset(const TRect& r, Integer by) {
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

// The frame of a push button or scroll arrow; answers its inside.
TRect PaintButtonFrame(TDeviceContext& dc, const TRect& r, Cardinal state) {
    if (state & DFCS_MONO) return PaintEdge(dc, r, BDR_RAISEDOUTER, BF_RECT | BF_MIDDLE | BF_MONO);
    if (state & DFCS_FLAT) return PaintEdge(dc, r, BDR_RAISEDOUTER, BF_RECT | BF_MIDDLE | BF_FLAT);
    return PaintEdge(dc, r, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
}

// ---- Check box ----

// The check mark on a 7 x 7 grid: column i is a stripe three pixels tall
// whose top row is MarkTop[i].
constexpr Integer MarkTop[7] = {2, 3, 4, 3, 2, 1, 0};

void PaintCheckMark(TDeviceContext& dc, const TRect& inside, TColor color) {
    // Whole-pixel scaling keeps the mark crisp in larger boxes.
    const Integer scale = std::max(1, inside.Width() / 9);
    const Integer x0 = inside.Left + (inside.Width() - 7 * scale) / 2;
    const Integer y0 = inside.Top + (inside.Height() - 7 * scale) / 2;
    for (Integer i = 0; i < 7; ++i) {
        const Integer x = x0 + i * scale, y = y0 + MarkTop[i] * scale;
        PaintPixels(dc, {x, y, x + scale, y + 3 * scale}, color);
    }
}

void PaintCheckBox(TDeviceContext& dc, const TRect& r, Cardinal state) {
    const TRect box = CentredSquare(r);
    TRect inside;
    if (state & DFCS_MONO) {
        inside = PaintEdge(dc, box, BDR_SUNKENOUTER, BF_RECT | BF_MONO);
    } else if (state & DFCS_FLAT) {
        inside = PaintEdge(dc, box, BDR_SUNKENOUTER, BF_RECT | BF_FLAT);
    } else {
        inside = PaintEdge(dc, box, EDGE_SUNKEN, BF_RECT);
    }
    const bool checked = state & DFCS_CHECKED;
    const bool mixed = checked && (state & DFCS_BUTTON3STATE);
    // Pressed, disabled and mixed boxes show the face colour inside.
    const bool face = (state & (DFCS_PUSHED | DFCS_INACTIVE)) || mixed;
    PaintPixels(dc, inside, face ? clBtnFace : clWindow);
    if (checked) PaintCheckMark(dc, inside, (mixed || (state & DFCS_INACTIVE)) ? clBtnShadow : clWindowText);
}

// ---- Radio button ----

// Paints the pixels whose centres lie inside the circle of a square; those
// above the anti-diagonal in `topLeft`, the others in `bottomRight`.
void PaintDisc(TDeviceContext& dc, const TRect& square, TColor topLeft, TColor bottomRight) {
    const Integer side = square.Width();
    if (side <= 0) return;
    const double radius = side / 2.0;
    for (Integer j = 0; j < side; ++j) {
        const double dy = j + 0.5 - radius;
        const double half = std::sqrt(std::max(0.0, radius * radius - dy * dy));
        // Columns i with |i + 0.5 - radius| < half.
        const Integer first = Integer(std::floor(radius - half - 0.5)) + 1;
        const Integer last = Integer(std::ceil(radius + half - 0.5)) - 1;
        if (last < first) continue;
        const Integer split = std::clamp(side - 1 - j, first, last + 1); // first column of the lower half
        const Integer y = square.Top + j;
        PaintPixels(dc, {square.Left + first, y, square.Left + split, y + 1}, topLeft);
        PaintPixels(dc, {square.Left + split, y, square.Left + last + 1, y + 1}, bottomRight);
    }
}

void PaintRadioButton(TDeviceContext& dc, const TRect& r, Cardinal state) {
    const TRect box = CentredSquare(r);
    const TColor inside = (state & (DFCS_PUSHED | DFCS_INACTIVE)) ? clBtnFace : clWindow;
    TRect disc = box;
    if (state & DFCS_MONO) {
        PaintDisc(dc, disc, clWindowFrame, clWindowFrame);
        disc = Inset(disc, 1);
    } else if (state & DFCS_FLAT) {
        PaintDisc(dc, disc, clBtnShadow, clBtnShadow);
        disc = Inset(disc, 1);
    } else {
        PaintDisc(dc, disc, clBtnShadow, clBtnHighlight);
        disc = Inset(disc, 1);
        PaintDisc(dc, disc, cl3DDkShadow, cl3DLight);
        disc = Inset(disc, 1);
    }
    PaintDisc(dc, disc, inside, inside);
    if (state & DFCS_CHECKED) {
        const Integer side = box.Width(), dot = std::max(2, side / 3);
        const Integer offset = (side - dot) / 2;
        const TColor color = (state & DFCS_INACTIVE) ? clBtnShadow : clWindowText;
        PaintDisc(dc, {box.Left + offset, box.Top + offset, box.Left + offset + dot, box.Top + offset + dot},
                  color, color);
    }
}

// ---- Scroll arrows ----

enum class TArrow { Up, Down, Left, Right };

// A filled triangle pointing `direction`, `size` pixels from base to tip and
// 2 * size - 1 pixels wide at the base, with its box's top-left at (x, y).
void PaintTriangle(TDeviceContext& dc, Integer x, Integer y, Integer size, TArrow direction, TColor color) {
    for (Integer k = 0; k < size; ++k) {
        // Row (or column) k from the base holds 2 * (size - k) - 1 pixels.
        const Integer from = k, to = 2 * size - 1 - k;
        switch (direction) {
        case TArrow::Down:
            PaintPixels(dc, {x + from, y + k, x + to, y + k + 1}, color);
            break;
        case TArrow::Up:
            PaintPixels(dc, {x + from, y + size - 1 - k, x + to, y + size - k}, color);
            break;
        case TArrow::Right:
            PaintPixels(dc, {x + k, y + from, x + k + 1, y + to}, color);
            break;
        case TArrow::Left:
            PaintPixels(dc, {x + size - 1 - k, y + from, x + size - k, y + to}, color);
            break;
        }
    }
}

TArrow ArrowOf(Cardinal part) {
    switch (part) {
    case DFCS_SCROLLUP:
        return TArrow::Up;
    case DFCS_SCROLLLEFT:
        return TArrow::Left;
    case DFCS_SCROLLRIGHT:
        return TArrow::Right;
    default:
        return TArrow::Down; // down and the combo box's arrow
    }
}

void PaintScrollArrow(TDeviceContext& dc, const TRect& r, Cardinal state) {
    // A pushed arrow sits on a flat frame, its glyph one pixel right and down.
    const bool pushed = state & DFCS_PUSHED;
    PaintButtonFrame(dc, r, pushed ? (state | DFCS_FLAT) & ~Cardinal(DFCS_PUSHED) : state);
    const TRect area = Inset(r, 2);
    const TArrow arrow = ArrowOf(state & 0xFF);
    const bool vertical = arrow == TArrow::Up || arrow == TArrow::Down;
    const Integer side = std::min(area.Width(), area.Height());
    if (side <= 0) return;
    const Integer size = std::max(1, (side + 4) / 4);
    const Integer across = 2 * size - 1;
    Integer x = area.Left + (area.Width() - (vertical ? across : size)) / 2;
    Integer y = area.Top + (area.Height() - (vertical ? size : across)) / 2;
    if (pushed) ++x, ++y;
    if (state & DFCS_INACTIVE) {
        // The engraved look of a disabled arrow.
        PaintTriangle(dc, x + 1, y + 1, size, arrow, clBtnHighlight);
        PaintTriangle(dc, x, y, size, arrow, clBtnShadow);
    } else {
        PaintTriangle(dc, x, y, size, arrow, clBtnText);
    }
}

} // namespace

namespace winapi {

bool DrawFrameControl(HDC dc, TRect& rect, Cardinal type, Cardinal state) {
    if (!dc) return false;
    const TRect r = dc->LogicalToSurface(rect);
    TRect inside = r;
    if (type == DFC_BUTTON) {
        const Cardinal part = state & 0xFF;
        if (part & DFCS_BUTTONPUSH) {
            inside = PaintButtonFrame(*dc, r, state);
        } else if (part & DFCS_BUTTONRADIO) {
            PaintRadioButton(*dc, r, state);
        } else {
            PaintCheckBox(*dc, r, state); // DFCS_BUTTONCHECK, DFCS_BUTTON3STATE
        }
    } else if (type == DFC_SCROLL) {
        PaintScrollArrow(*dc, r, state);
        inside = Inset(r, 2);
    } else {
        return false;
    }
    if (state & DFCS_ADJUSTRECT) {
        rect.Left += inside.Left - r.Left;
        rect.Top += inside.Top - r.Top;
        rect.Right -= r.Right - inside.Right;
        rect.Bottom -= r.Bottom - inside.Bottom;
    }
    return true;
}

} // namespace winapi
