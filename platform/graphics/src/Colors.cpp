#include "graphics/Colors.h"

#include <array>

namespace {

// The system colours of a desktop with the default light scheme.
constexpr std::array<TColor, 31> SystemColors = {
    RGB(200, 200, 200), // scroll bar
    RGB(0, 0, 0),       // desktop
    RGB(153, 180, 209), // active caption
    RGB(191, 205, 219), // inactive caption
    RGB(240, 240, 240), // menu
    RGB(255, 255, 255), // window
    RGB(100, 100, 100), // window frame
    RGB(0, 0, 0),       // menu text
    RGB(0, 0, 0),       // window text
    RGB(0, 0, 0),       // caption text
    RGB(180, 180, 180), // active border
    RGB(244, 247, 252), // inactive border
    RGB(171, 171, 171), // application workspace
    RGB(0, 120, 215),   // highlight
    RGB(255, 255, 255), // highlight text
    RGB(240, 240, 240), // button face
    RGB(160, 160, 160), // button shadow
    RGB(109, 109, 109), // grey text
    RGB(0, 0, 0),       // button text
    RGB(0, 0, 0),       // inactive caption text
    RGB(255, 255, 255), // button highlight
    RGB(105, 105, 105), // 3-D dark shadow
    RGB(227, 227, 227), // 3-D light
    RGB(0, 0, 0),       // tool-tip text
    RGB(255, 255, 225), // tool-tip background
    RGB(0, 0, 0),       // unused index
    RGB(0, 102, 204),   // hot-track
    RGB(185, 209, 234), // gradient of the active caption
    RGB(215, 228, 242), // gradient of the inactive caption
    RGB(51, 153, 255),  // menu highlight
    RGB(240, 240, 240), // menu bar
};

} // namespace

namespace winapi {
TColor GetSysColor(Integer index) {
    if (index < 0 || index >= Integer(SystemColors.size())) return 0;
    return SystemColors[index];
}
} // namespace winapi

TColor ColorToRGB(TColor color) {
    if (color < 0) return winapi::GetSysColor(color & 0xFF);
    return color;
}
