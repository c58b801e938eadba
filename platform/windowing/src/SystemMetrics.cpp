// System metrics and parameters: the fixed answers of the platform.

#include "windowing/SystemMetrics.h"

#include "WindowSystem.h"
#include "graphics/DeviceContext.h"
#include "rtl/MathUtils.h"

using namespace winapi;

namespace {

struct TMetric {
    Integer Index;
    Integer Value;
    bool Scales; // a size that follows the pixels per inch
};

// Windows 10 at 96 pixels per inch, classic look.
constexpr TMetric Metrics[] = {
    {SM_CXVSCROLL, 17, true},     {SM_CYHSCROLL, 17, true},     {SM_CYCAPTION, 23, true},
    {SM_CXBORDER, 1, false},      {SM_CYBORDER, 1, false},      {SM_CXFIXEDFRAME, 3, false},
    {SM_CYFIXEDFRAME, 3, false},  {SM_CYVTHUMB, 17, true},      {SM_CXHTHUMB, 17, true},
    {SM_CXICON, 32, true},        {SM_CYICON, 32, true},        {SM_CXCURSOR, 32, true},
    {SM_CYCURSOR, 32, true},      {SM_CYMENU, 20, true},        {SM_CYVSCROLL, 17, true},
    {SM_CXHSCROLL, 17, true},     {SM_SWAPBUTTON, 0, false},    {SM_CXMIN, 136, true},
    {SM_CYMIN, 39, true},         {SM_CXSIZE, 36, true},        {SM_CYSIZE, 22, true},
    {SM_CXSIZEFRAME, 4, false},   {SM_CYSIZEFRAME, 4, false},   {SM_CXDOUBLECLK, 4, false},
    {SM_CYDOUBLECLK, 4, false},   {SM_CXEDGE, 2, false},        {SM_CYEDGE, 2, false},
    {SM_CXSMICON, 16, true},      {SM_CYSMICON, 16, true},      {SM_CYSMCAPTION, 23, true},
    {SM_CXMENUCHECK, 15, true},   {SM_CYMENUCHECK, 15, true},   {SM_CXDRAG, 4, false},
    {SM_CYDRAG, 4, false},        {SM_CMOUSEBUTTONS, 3, false}, {SM_MOUSEWHEELPRESENT, 1, false},
    {SM_CXFOCUSBORDER, 1, false}, {SM_CYFOCUSBORDER, 1, false}, {SM_CXPADDEDBORDER, 4, false},
};

TRect VirtualScreen() {
    auto monitors = Backend().Monitors();
    TRect all = monitors.front().rcMonitor;
    for (const auto& m : monitors)
        UnionRect(all, all, m.rcMonitor);
    return all;
}

} // namespace

namespace winapi {

Integer GetSystemMetricsForDpi(Integer index, UINT dpi) {
    TRect primary = Backend().Monitors().front().rcMonitor;
    switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
        return primary.Width();
    case SM_CYSCREEN:
        return primary.Height();
    case SM_CYFULLSCREEN:
        return Backend().Monitors().front().rcWork.Height() - GetSystemMetricsForDpi(SM_CYCAPTION, dpi);
    case SM_XVIRTUALSCREEN:
        return VirtualScreen().Left;
    case SM_YVIRTUALSCREEN:
        return VirtualScreen().Top;
    case SM_CXVIRTUALSCREEN:
        return VirtualScreen().Width();
    case SM_CYVIRTUALSCREEN:
        return VirtualScreen().Height();
    case SM_CMONITORS:
        return GetMonitorCount();
    default:
        break;
    }
    for (const auto& metric : Metrics)
        if (metric.Index == index)
            return metric.Scales ? MulDiv(metric.Value, Integer(dpi), 96) : metric.Value;
    return 0;
}

Integer GetSystemMetrics(Integer index) {
    return GetSystemMetricsForDpi(index, 96);
}

bool SystemParametersInfo(UINT action, UINT, void* value, UINT) {
    if (!value) return false;
    switch (action) {
    case SPI_GETWORKAREA:
        *static_cast<TRect*>(value) = Backend().Monitors().front().rcWork;
        return true;
    case SPI_GETWHEELSCROLLLINES:
    case SPI_GETWHEELSCROLLCHARS:
        *static_cast<UINT*>(value) = 3;
        return true;
    case SPI_GETKEYBOARDDELAY:
        *static_cast<UINT*>(value) = 1;
        return true;
    case SPI_GETKEYBOARDSPEED:
        *static_cast<UINT*>(value) = 31;
        return true;
    case SPI_GETHIGHCONTRAST:
    case SPI_GETFLATMENU:
        *static_cast<bool*>(value) = false;
        return true;
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETDROPSHADOW:
        *static_cast<bool*>(value) = true;
        return true;
    default:
        return false;
    }
}

UINT GetDpiForSystem() {
    return UINT(ScreenPixelsPerInch());
}
UINT GetDpiForWindow(HWND window) {
    return Record(window) ? GetDpiForSystem() : 0;
}

} // namespace winapi
