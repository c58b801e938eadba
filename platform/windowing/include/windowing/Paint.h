#pragma once
// Invalidation and painting into the off-screen surface of a top-level
// window.
//
// Each window keeps an update region (client coordinates). A paint pass
// sends WM_PAINT parent before child; BeginPaint sends WM_NCPAINT when the
// frame needs drawing and WM_ERASEBKGND when the update asked for erasing,
// and hands out a device context translated to the client origin and clipped
// to the update region within the window's visible part: the parts of its
// ancestors' clients it lies in, less its children with WS_CLIPCHILDREN and
// less the siblings above it with WS_CLIPSIBLINGS, and within its window
// region. All windows of one top-level window draw into that window's
// surface, which the backend presents.

#include "graphics/DeviceContext.h"
#include "windowing/Messages.h"

#include <cairo.h>

namespace winapi {

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    bool fErase = false; // the background still needs erasing (WM_ERASEBKGND answered 0)
    TRect rcPaint;       // the box of the area to paint, client coordinates
};

// RedrawWindow flags.
enum : UINT {
    RDW_INVALIDATE = 0x0001,
    RDW_INTERNALPAINT = 0x0002,
    RDW_ERASE = 0x0004,
    RDW_VALIDATE = 0x0008,
    RDW_NOINTERNALPAINT = 0x0010,
    RDW_NOERASE = 0x0020,
    RDW_NOCHILDREN = 0x0040,
    RDW_ALLCHILDREN = 0x0080,
    RDW_UPDATENOW = 0x0100,
    RDW_ERASENOW = 0x0200,
    RDW_FRAME = 0x0400,
    RDW_NOFRAME = 0x0800,
};

// Null rectangle or region: the whole client area. Children below the area
// are invalidated too unless the window has WS_CLIPCHILDREN. Windows that
// are not visible (or have painting switched off by WM_SETREDRAW) ignore it.
bool InvalidateRect(HWND window, const TRect* rect, bool erase);
bool InvalidateRgn(HWND window, HRGN region, bool erase);
bool ValidateRect(HWND window, const TRect* rect);
bool ValidateRgn(HWND window, HRGN region);
bool GetUpdateRect(HWND window, TRect* rect, bool erase);
Integer GetUpdateRgn(HWND window, HRGN region, bool erase);
// Paints the window and its children that have an update region, now.
bool UpdateWindow(HWND window);
bool RedrawWindow(HWND window, const TRect* rect, HRGN region, UINT flags);

HDC BeginPaint(HWND window, PAINTSTRUCT& paint);
bool EndPaint(HWND window, const PAINTSTRUCT& paint);

// A device context on the client area (GetDC) or the whole window
// (GetWindowDC), clipped to the visible part; give it back with ReleaseDC.
// GetDC(null) answers a context on a blank screen-sized surface.
HDC GetDC(HWND window);
HDC GetWindowDC(HWND window);
enum : DWORD {
    DCX_WINDOW = 0x0001,
    DCX_CACHE = 0x0002,
    DCX_CLIPCHILDREN = 0x0008,
    DCX_CLIPSIBLINGS = 0x0010,
    DCX_PARENTCLIP = 0x0020,
    DCX_EXCLUDERGN = 0x0040,
    DCX_INTERSECTRGN = 0x0080,
};
// GetDCEx with DCX_WINDOW and DCX_INTERSECTRGN (region in window
// coordinates, as WM_NCPAINT hands it over) for non-client painting.
HDC GetDCEx(HWND window, HRGN clip, DWORD flags);
Integer ReleaseDC(HWND window, HDC dc);

// Scrolls the client area's pixels and invalidates what was uncovered.
enum : UINT { SW_SCROLLCHILDREN = 0x0001, SW_INVALIDATE = 0x0002, SW_ERASE = 0x0004 };
Integer ScrollWindowEx(HWND window, Integer dx, Integer dy, const TRect* scroll, const TRect* clip,
                       HRGN update, TRect* updateRect, UINT flags);

// ---- Caret of edit controls: one per GUI thread, blinking on the clock ----
bool CreateCaret(HWND window, Integer width, Integer height);
bool DestroyCaret();
bool SetCaretPos(Integer x, Integer y);
bool GetCaretPos(TPoint& point);
bool ShowCaret(HWND window);
bool HideCaret(HWND window);
UINT GetCaretBlinkTime(); // 530 ms
// Whether the caret is drawn at this moment (shown and in its on phase).
bool IsCaretDrawn();

} // namespace winapi

// The surface a top-level window draws into (null for a child or an unknown
// window); the window system owns it.
cairo_surface_t* WindowSurface(winapi::HWND window);
// Saves the pixels of a window (a child: its part of the top-level surface)
// as a PNG file; false when the window is unknown or the file cannot be written.
bool SaveWindowToPng(winapi::HWND window, const String& fileName);
// The colour of one pixel of a window, in window coordinates; CLR_INVALID outside.
TColor WindowPixel(winapi::HWND window, Integer x, Integer y);
