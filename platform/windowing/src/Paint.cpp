// Update regions, paint passes, device contexts on window surfaces, the
// caret, and saving a window's pixels.

#include "WindowSystem.h"
#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"
#include "rtl/Encoding.h"

#include <algorithm>

using namespace winapi;

namespace {

TRect ClientOnSurface(HWND window) {
    TRect r = SurfaceRect(window);
    return Bounds(r.Left + window->Client.Left, r.Top + window->Client.Top, window->Client.Width(),
                  window->Client.Height());
}

TPixelRegion WindowShape(HWND window) {
    TRect r = SurfaceRect(window);
    TPixelRegion shape(r);
    if (window->Region) {
        TPixelRegion own = *window->Region;
        own.Offset(r.Left, r.Top);
        shape.Intersect(own);
    }
    return shape;
}

bool NeedsPaint(HWND window) {
    return !window->Update.IsEmpty() || window->InternalPaint || window->FrameNeeded;
}

HWND FirstToPaint(HWND window) {
    if (!IsShownSelf(*window)) return nullptr;
    if (NeedsPaint(window)) return window;
    // Children back to front, so that the front one paints last.
    for (auto it = window->Children.rbegin(); it != window->Children.rend(); ++it)
        if (HWND found = FirstToPaint(*it)) return found;
    return nullptr;
}

void PaintTree(HWND window) {
    if (!Record(window) || !IsShownSelf(*window)) return;
    if (NeedsPaint(window)) SendMessage(window, WM_PAINT, 0, 0);
    if (!Record(window)) return;
    std::vector<HWND> children(window->Children.rbegin(), window->Children.rend());
    for (HWND child : children)
        PaintTree(child);
}

HDC MakeDC(HWND window, bool wholeWindow, const TPixelRegion& visible) {
    HWND top = TopLevelOf(window);
    detail::EnsureSurface(top);
    auto* dc = new TDeviceContext(top->Surface);
    TRect r = SurfaceRect(window);
    TPoint origin = wholeWindow ? r.TopLeft() : ClientOnSurface(window).TopLeft();
    dc->SetDeviceOrigin(origin);
    dc->SetVisibleRegion(visible);
    System().WindowDCs.emplace(dc, window);
    return dc;
}

// The caret is drawn by inverting its rectangle; drawing it twice takes it away.
void InvertCaret() {
    auto& caret = System().Caret;
    if (!Record(caret.Window) || !IsShownChain(caret.Window)) return;
    HDC dc = GetDC(caret.Window);
    InvertRect(dc, caret.Rect);
    ReleaseDC(caret.Window, dc);
    caret.Drawn = !caret.Drawn;
}

void HideCaretNow(HWND window) {
    auto& caret = System().Caret;
    if (caret.Drawn && caret.Window == window) InvertCaret();
}

void ShowCaretNow() {
    auto& caret = System().Caret;
    if (caret.HideCount == 0 && !caret.Drawn) {
        InvertCaret();
        caret.PhaseStart = detail::Now();
    }
}

} // namespace

namespace detail {

void EnsureSurface(HWND window) {
    Integer width = std::max(window->Rect.Width(), 1);
    Integer height = std::max(window->Rect.Height(), 1);
    cairo_surface_t* old = window->Surface;
    if (old && cairo_image_surface_get_width(old) == width && cairo_image_surface_get_height(old) == height)
        return;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    if (old) {
        cairo_set_source_surface(cr, old, 0, 0);
        cairo_paint(cr);
    }
    cairo_destroy(cr);
    // Contexts still open on the old surface keep it alive through their own reference.
    if (old) cairo_surface_destroy(old);
    window->Surface = surface;
}

void ReleaseSurface(TWindowRecord& record) {
    auto& system = System();
    for (auto it = system.WindowDCs.begin(); it != system.WindowDCs.end();) {
        if (it->second == &record) {
            delete it->first; // a context never given back dies with its window
            it = system.WindowDCs.erase(it);
        } else {
            ++it;
        }
    }
    if (record.Surface) cairo_surface_destroy(record.Surface);
    record.Surface = nullptr;
}

TPixelRegion VisibleRegion(HWND window, bool wholeWindow, bool clipChildren, bool clipSiblings) {
    TPixelRegion region = WindowShape(window);
    if (!wholeWindow) region.Intersect(TPixelRegion(ClientOnSurface(window)));
    if (clipChildren)
        for (HWND child : window->Children)
            if (IsShownSelf(*child)) region.Subtract(WindowShape(child));
    for (HWND w = window; !IsTopLevel(*w); w = w->Parent) {
        HWND parent = w->Parent;
        region.Intersect(TPixelRegion(ClientOnSurface(parent)));
        if (parent->Region) region.Intersect(WindowShape(parent));
        if (clipSiblings && (w->Style & WS_CLIPSIBLINGS)) {
            for (HWND sibling : parent->Children) {
                if (sibling == w) break; // the ones before it are above it
                if (IsShownSelf(*sibling)) region.Subtract(WindowShape(sibling));
            }
        }
    }
    return region;
}

void InvalidateAfterShow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void InvalidateExposedArea(HWND topLevel, const TRect& surfaceRect) {
    if (!Record(topLevel) || !IsShownSelf(*topLevel)) return;
    TRect area = surfaceRect;
    OffsetRect(area, -topLevel->Client.Left, -topLevel->Client.Top);
    RedrawWindow(topLevel, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void PresentTopLevel(HWND topLevel, const TRect& area) {
    if (!Record(topLevel) || !topLevel->Surface || !IsShownSelf(*topLevel)) return;
    System().BackendPtr->Present(topLevel, topLevel->Surface, area);
}

HWND NextWindowToPaint(HWND within) {
    if (within) return (Record(within) && IsShownChain(within) && NeedsPaint(within)) ? within : nullptr;
    for (HWND top : System().TopLevels)
        if (HWND found = FirstToPaint(top)) return found;
    return nullptr;
}

void PollCaret() {
    auto& caret = System().Caret;
    if (!caret.Window || caret.HideCount > 0) return;
    if (Now() - caret.PhaseStart < GetCaretBlinkTime()) return;
    InvertCaret();
    caret.PhaseStart = Now();
}

} // namespace detail

namespace winapi {

bool RedrawWindow(HWND window, const TRect* rect, HRGN region, UINT flags) {
    if (!window) {
        for (HWND top : std::vector<HWND>(System().TopLevels))
            RedrawWindow(top, rect, region, flags);
        return true;
    }
    if (!Record(window)) return false;
    if (flags & (RDW_INVALIDATE | RDW_VALIDATE)) {
        TRect client;
        GetClientRect(window, client);
        TPixelRegion area = region ? region->Region : TPixelRegion(rect ? *rect : client);
        area.Intersect(TPixelRegion(client));
        bool shown = IsShownChain(window);
        if (flags & RDW_INVALIDATE) {
            if (shown) {
                window->Update.Unite(area);
                if (flags & RDW_ERASE) window->EraseNeeded = true;
                if (flags & RDW_FRAME) window->FrameNeeded = true;
                if (flags & RDW_INTERNALPAINT) window->InternalPaint = true;
            }
        } else {
            window->Update.Subtract(area);
            if (flags & RDW_NOFRAME) window->FrameNeeded = false;
            if (flags & RDW_NOINTERNALPAINT) window->InternalPaint = false;
            if (window->Update.IsEmpty()) window->EraseNeeded = false;
        }
        bool children =
            (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(window->Style & WS_CLIPCHILDREN));
        if (children && shown) {
            for (HWND child : std::vector<HWND>(window->Children)) {
                if (!IsShownSelf(*child)) continue;
                TPixelRegion part = area;
                part.Intersect(TPixelRegion(child->Rect));
                if (part.IsEmpty()) continue;
                // The part over the child's frame asks for its frame to be drawn again.
                TRect childClient = child->Client;
                OffsetRect(childClient, child->Rect.Left, child->Rect.Top);
                TPixelRegion frame = part;
                frame.Subtract(TPixelRegion(childClient));
                part.Offset(-childClient.Left, -childClient.Top);
                auto gdiPart = std::make_unique<TGdiRegion>(part);
                UINT childFlags = flags & ~(RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME | RDW_NOFRAME);
                if (!frame.IsEmpty()) childFlags |= (flags & RDW_INVALIDATE) ? RDW_FRAME : RDW_NOFRAME;
                RedrawWindow(child, nullptr, gdiPart.get(), childFlags);
            }
        }
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow(window);
    return true;
}

bool InvalidateRect(HWND window, const TRect* rect, bool erase) {
    return RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | (erase ? UINT(RDW_ERASE) : UINT(0)));
}

bool InvalidateRgn(HWND window, HRGN region, bool erase) {
    if (!region) return InvalidateRect(window, nullptr, erase);
    return RedrawWindow(window, nullptr, region, RDW_INVALIDATE | (erase ? UINT(RDW_ERASE) : UINT(0)));
}

bool ValidateRect(HWND window, const TRect* rect) {
    return RedrawWindow(window, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool ValidateRgn(HWND window, HRGN region) {
    if (!region) return ValidateRect(window, nullptr);
    return RedrawWindow(window, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool GetUpdateRect(HWND window, TRect* rect, bool erase) {
    if (!Record(window)) return false;
    TRect box = window->Update.IsEmpty() ? TRect() : window->Update.Box();
    if (rect) *rect = box;
    if (erase && window->EraseNeeded && !box.IsEmpty()) {
        HDC dc = GetDC(window);
        window->EraseNeeded = SendMessage(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
        ReleaseDC(window, dc);
    }
    return !box.IsEmpty();
}

Integer GetUpdateRgn(HWND window, HRGN region, bool erase) {
    if (!Record(window) || !region) return RGN_ERROR;
    region->Region = window->Update;
    GetUpdateRect(window, nullptr, erase);
    if (region->Region.IsEmpty()) return NULLREGION;
    return region->Region.RectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool UpdateWindow(HWND window) {
    if (!Record(window)) return false;
    PaintTree(window);
    return true;
}

HDC BeginPaint(HWND window, PAINTSTRUCT& paint) {
    paint = PAINTSTRUCT();
    if (!Record(window)) return nullptr;
    HideCaretNow(window);
    if (window->FrameNeeded) {
        window->FrameNeeded = false;
        SendMessage(window, WM_NCPAINT, 1, 0);
        if (!Record(window)) return nullptr;
    }
    TPixelRegion update = window->Update;
    bool erase = window->EraseNeeded;
    window->Update = TPixelRegion();
    window->EraseNeeded = false;
    window->InternalPaint = false;
    TRect client = ClientOnSurface(window);
    TPixelRegion visible = detail::VisibleRegion(window, false, window->Style & WS_CLIPCHILDREN, true);
    update.Offset(client.Left, client.Top);
    visible.Intersect(update);
    HDC dc = MakeDC(window, false, visible);
    window->InBeginPaint = true;
    if (erase) paint.fErase = SendMessage(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
    paint.hdc = dc;
    if (!visible.IsEmpty()) {
        paint.rcPaint = visible.Box();
        OffsetRect(paint.rcPaint, -client.Left, -client.Top);
    }
    return dc;
}

bool EndPaint(HWND window, const PAINTSTRUCT& paint) {
    if (!paint.hdc) return false;
    if (Record(window)) window->InBeginPaint = false;
    ReleaseDC(window, paint.hdc);
    ShowCaretNow();
    return true;
}

HDC GetDC(HWND window) {
    if (!window) {
        auto& system = System();
        if (!system.ScreenSurface) {
            TRect screen = system.BackendPtr->Monitors().front().rcMonitor;
            system.ScreenSurface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(screen.Width(), 1),
                                                              std::max(screen.Height(), 1));
        }
        auto* dc = new TDeviceContext(system.ScreenSurface);
        system.WindowDCs.emplace(dc, nullptr);
        return dc;
    }
    if (!Record(window)) return nullptr;
    return MakeDC(window, false, detail::VisibleRegion(window, false, window->Style & WS_CLIPCHILDREN, true));
}

HDC GetWindowDC(HWND window) {
    if (!Record(window)) return nullptr;
    return MakeDC(window, true, detail::VisibleRegion(window, true, window->Style & WS_CLIPCHILDREN, true));
}

HDC GetDCEx(HWND window, HRGN clip, DWORD flags) {
    if (!Record(window)) return nullptr;
    bool whole = flags & DCX_WINDOW;
    bool clipChildren = (flags & DCX_CLIPCHILDREN) || (window->Style & WS_CLIPCHILDREN);
    TPixelRegion visible = detail::VisibleRegion(window, whole, clipChildren, true);
    // WM_NCPAINT hands over 1 for "the whole frame".
    if (clip && reinterpret_cast<NativeUInt>(clip) > 1 && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        TPixelRegion part = clip->Region;
        TRect r = SurfaceRect(window);
        TPoint origin = whole ? r.TopLeft() : ClientOnSurface(window).TopLeft();
        part.Offset(origin.X, origin.Y);
        if (flags & DCX_INTERSECTRGN)
            visible.Intersect(part);
        else
            visible.Subtract(part);
    }
    return MakeDC(window, whole, visible);
}

Integer ReleaseDC(HWND window, HDC dc) {
    auto& system = System();
    auto found = system.WindowDCs.find(dc);
    if (found == system.WindowDCs.end()) return 0;
    HWND owner = found->second;
    system.WindowDCs.erase(found);
    if (Record(owner)) {
        HWND top = TopLevelOf(owner);
        const TPixelRegion& drawn = dc->EffectiveClip();
        if (!drawn.IsEmpty()) detail::PresentTopLevel(top, drawn.Box());
    }
    (void)window;
    delete dc;
    return 1;
}

Integer ScrollWindowEx(HWND window, Integer dx, Integer dy, const TRect* scroll, const TRect* clip,
                       HRGN update, TRect* updateRect, UINT flags) {
    if (!Record(window)) return RGN_ERROR;
    TRect client;
    GetClientRect(window, client);
    TRect area = scroll ? *scroll : client;
    TRect limit = clip ? *clip : client;
    IntersectRect(limit, limit, client);
    TPixelRegion target(area);
    target.Offset(dx, dy);
    target.Intersect(TPixelRegion(limit));
    TPixelRegion uncovered(area);
    uncovered.Intersect(TPixelRegion(limit));
    if (IsShownChain(window)) {
        HWND top = TopLevelOf(window);
        TRect onSurface = ClientOnSurface(window);
        TPixelRegion visible = detail::VisibleRegion(window, false, true, true);
        TPixelRegion dest = target;
        dest.Offset(onSurface.Left, onSurface.Top);
        dest.Intersect(visible);
        cairo_surface_t* copy = cairo_surface_create_similar_image(
            top->Surface, CAIRO_FORMAT_RGB24, cairo_image_surface_get_width(top->Surface),
            cairo_image_surface_get_height(top->Surface));
        cairo_t* cr = cairo_create(copy);
        cairo_set_source_surface(cr, top->Surface, 0, 0);
        cairo_paint(cr);
        cairo_destroy(cr);
        cr = cairo_create(top->Surface);
        for (Integer i = 0; i < dest.RectCount(); ++i) {
            TRect r = dest.RectAt(i);
            cairo_rectangle(cr, r.Left, r.Top, r.Width(), r.Height());
        }
        cairo_clip(cr);
        cairo_set_source_surface(cr, copy, dx, dy);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(copy);
        detail::PresentTopLevel(top, visible.IsEmpty() ? TRect() : visible.Box());
        // What was not covered by moved pixels needs painting.
        TPixelRegion moved = dest;
        moved.Offset(-onSurface.Left, -onSurface.Top);
        uncovered.Subtract(moved);
    }
    if (flags & SW_SCROLLCHILDREN)
        for (HWND child : window->Children)
            OffsetRect(child->Rect, dx, dy);
    if (update) update->Region = uncovered;
    if (updateRect) *updateRect = uncovered.IsEmpty() ? TRect() : uncovered.Box();
    if (flags & SW_INVALIDATE) {
        auto region = std::make_unique<TGdiRegion>(uncovered);
        RedrawWindow(window, nullptr, region.get(),
                     RDW_INVALIDATE | ((flags & SW_ERASE) ? UINT(RDW_ERASE) : UINT(0)) |
                         ((flags & SW_SCROLLCHILDREN) ? UINT(RDW_ALLCHILDREN) : UINT(0)));
    }
    if (uncovered.IsEmpty()) return NULLREGION;
    return uncovered.RectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool CreateCaret(HWND window, Integer width, Integer height) {
    if (!Record(window)) return false;
    DestroyCaret();
    auto& caret = System().Caret;
    caret.Window = window;
    caret.Rect = Rect(0, 0, width > 0 ? width : 1, height > 0 ? height : 1);
    caret.HideCount = 1;
    caret.Drawn = false;
    return true;
}

bool DestroyCaret() {
    auto& caret = System().Caret;
    if (!caret.Window) return false;
    if (caret.Drawn) InvertCaret();
    caret = TCaretState();
    return true;
}

bool SetCaretPos(Integer x, Integer y) {
    auto& caret = System().Caret;
    if (!caret.Window) return false;
    bool drawn = caret.Drawn;
    if (drawn) InvertCaret();
    OffsetRect(caret.Rect, x - caret.Rect.Left, y - caret.Rect.Top);
    if (drawn || caret.HideCount == 0) ShowCaretNow();
    return true;
}

bool GetCaretPos(TPoint& point) {
    auto& caret = System().Caret;
    if (!caret.Window) return false;
    point = caret.Rect.TopLeft();
    return true;
}

bool ShowCaret(HWND window) {
    auto& caret = System().Caret;
    if (!caret.Window || (window && window != caret.Window) || caret.HideCount == 0) return false;
    if (--caret.HideCount == 0) ShowCaretNow();
    return true;
}

bool HideCaret(HWND window) {
    auto& caret = System().Caret;
    if (!caret.Window || (window && window != caret.Window)) return false;
    ++caret.HideCount;
    if (caret.Drawn) InvertCaret();
    return true;
}

UINT GetCaretBlinkTime() {
    return 530;
}
bool IsCaretDrawn() {
    return System().Caret.Drawn;
}

} // namespace winapi

cairo_surface_t* WindowSurface(HWND window) {
    if (!Record(window) || !IsTopLevel(*window)) return nullptr;
    detail::EnsureSurface(window);
    return window->Surface;
}

bool SaveWindowToPng(HWND window, const String& fileName) {
    if (!Record(window)) return false;
    HWND top = TopLevelOf(window);
    detail::EnsureSurface(top);
    TRect r = SurfaceRect(window);
    cairo_surface_t* part =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(r.Width(), 1), std::max(r.Height(), 1));
    cairo_t* cr = cairo_create(part);
    cairo_set_source_surface(cr, top->Surface, -r.Left, -r.Top);
    cairo_paint(cr);
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(part, Utf8(fileName).c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(part);
    return ok;
}

TColor WindowPixel(HWND window, Integer x, Integer y) {
    if (!Record(window)) return CLR_INVALID;
    HWND top = TopLevelOf(window);
    detail::EnsureSurface(top);
    TRect r = SurfaceRect(window);
    if (x < 0 || y < 0 || x >= r.Width() || y >= r.Height()) return CLR_INVALID;
    cairo_surface_flush(top->Surface);
    const unsigned char* data = cairo_image_surface_get_data(top->Surface);
    Integer stride = cairo_image_surface_get_stride(top->Surface);
    uint32_t pixel = reinterpret_cast<const uint32_t*>(data + (r.Top + y) * stride)[r.Left + x];
    return RGB(Byte((pixel >> 16) & 0xFF), Byte((pixel >> 8) & 0xFF), Byte(pixel & 0xFF));
}
