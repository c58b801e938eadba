#include "gridbase/LayeredWindows.h"

// The windowing layer has no layered windows (see its platform answers), so
// there is nothing to pass the arguments to.

bool CallUpdateLayeredWindow(winapi::HWND /*window*/, winapi::HDC /*screenDC*/, const TPoint* /*position*/,
                             const TSize* /*size*/, winapi::HDC /*sourceDC*/,
                             const TPoint* /*sourcePosition*/, TColor /*colorKey*/,
                             const TBlendFunction* /*blend*/, Cardinal /*flags*/) {
    return true;
}

bool CallSetLayeredWindowAttributes(winapi::HWND /*window*/, TColor /*colorKey*/, Integer /*alpha*/,
                                    Cardinal /*flags*/) {
    return true;
}
