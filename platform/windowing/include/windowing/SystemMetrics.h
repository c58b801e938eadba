#pragma once
// The fixed answers of the platform: system metrics from one table (the
// screen size from the backend's primary monitor) and system parameters.

#include "windowing/Messages.h"

namespace winapi {

enum : Integer {
    SM_CXSCREEN = 0,
    SM_CYSCREEN = 1,
    SM_CXVSCROLL = 2,
    SM_CYHSCROLL = 3,
    SM_CYCAPTION = 4,
    SM_CXBORDER = 5,
    SM_CYBORDER = 6,
    SM_CXDLGFRAME = 7,
    SM_CXFIXEDFRAME = 7,
    SM_CYDLGFRAME = 8,
    SM_CYFIXEDFRAME = 8,
    SM_CYVTHUMB = 9,
    SM_CXHTHUMB = 10,
    SM_CXICON = 11,
    SM_CYICON = 12,
    SM_CXCURSOR = 13,
    SM_CYCURSOR = 14,
    SM_CYMENU = 15,
    SM_CXFULLSCREEN = 16,
    SM_CYFULLSCREEN = 17,
    SM_CYVSCROLL = 20,
    SM_CXHSCROLL = 21,
    SM_SWAPBUTTON = 23,
    SM_CXMIN = 28,
    SM_CYMIN = 29,
    SM_CXSIZE = 30,
    SM_CYSIZE = 31,
    SM_CXFRAME = 32,
    SM_CXSIZEFRAME = 32,
    SM_CYFRAME = 33,
    SM_CYSIZEFRAME = 33,
    SM_CXDOUBLECLK = 36,
    SM_CYDOUBLECLK = 37,
    SM_CXEDGE = 45,
    SM_CYEDGE = 46,
    SM_CXSMICON = 49,
    SM_CYSMICON = 50,
    SM_CYSMCAPTION = 51,
    SM_CXMENUCHECK = 71,
    SM_CYMENUCHECK = 72,
    SM_CXDRAG = 68,
    SM_CYDRAG = 69,
    SM_CMOUSEBUTTONS = 43,
    SM_MOUSEWHEELPRESENT = 75,
    SM_XVIRTUALSCREEN = 76,
    SM_YVIRTUALSCREEN = 77,
    SM_CXVIRTUALSCREEN = 78,
    SM_CYVIRTUALSCREEN = 79,
    SM_CMONITORS = 80,
    SM_CXFOCUSBORDER = 83,
    SM_CYFOCUSBORDER = 84,
    SM_CXPADDEDBORDER = 92,
};

// The value of a metric (0 for an unknown index), at 96 pixels per inch;
// the ...ForDpi form scales the sizes to `dpi`.
Integer GetSystemMetrics(Integer index);
Integer GetSystemMetricsForDpi(Integer index, UINT dpi);

enum : UINT {
    SPI_GETWORKAREA = 0x0030,
    SPI_GETWHEELSCROLLLINES = 0x0068,
    SPI_GETWHEELSCROLLCHARS = 0x006C,
    SPI_GETKEYBOARDDELAY = 0x0016,
    SPI_GETKEYBOARDSPEED = 0x000A,
    SPI_GETHIGHCONTRAST = 0x0042,
    SPI_GETDRAGFULLWINDOWS = 0x0026,
    SPI_GETFLATMENU = 0x1022,
    SPI_GETDROPSHADOW = 0x1024,
};
constexpr UINT WHEEL_PAGESCROLL = 0xFFFFFFFF;

// Answers a parameter into `value`: the work area of the primary monitor as
// a TRect, the wheel lines and characters (3) as UINT, high contrast off,
// the flags as bool. False for a parameter it does not know.
bool SystemParametersInfo(UINT action, UINT param, void* value, UINT winIni);

// The pixels per inch of the screen (the graphics layer's value) and of a window.
UINT GetDpiForWindow(HWND window);
UINT GetDpiForSystem();

} // namespace winapi
