// Paint passes: order, clipping of children, WM_SETREDRAW, pixels on the surface.

#include "windowing/Paint.h"

#include "WindowingTestSupport.h"
#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"
#include "rtl/Encoding.h"

#include <filesystem>

using namespace winapi;
using Strings = std::vector<std::string>;

namespace {

// Paints the whole client (and far beyond) in one colour.
WindowingTest::THandler Painter(TColor color) {
    return [color](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_PAINT) return std::nullopt;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, paint);
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, Rect(-1000, -1000, 1000, 1000), brush);
        DeleteObject(brush);
        EndPaint(window, paint);
        return 0;
    };
}

} // namespace

TEST_F(WindowingTest, PaintGoesParentBeforeChildWithEraseFirst) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 200, 100));
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), form);
    ClearLog();
    Pump();
    EXPECT_EQ(Log({WM_PAINT, WM_ERASEBKGND, WM_NCPAINT}),
              Strings({"form:WM_PAINT", "form:WM_NCPAINT", "form:WM_ERASEBKGND", "child:WM_PAINT",
                       "child:WM_NCPAINT", "child:WM_ERASEBKGND"}));
    ClearLog();
    Pump();
    EXPECT_TRUE(Log().empty()) << "painted windows are valid";
    TRect area = Rect(0, 0, 5, 5);
    InvalidateRect(child, &area, false);
    ClearLog();
    UpdateWindow(form);
    EXPECT_EQ(Log(), Strings({"child:WM_PAINT"}));
}

TEST_F(WindowingTest, ChildPaintIsClippedToItsVisiblePart) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, Bounds(0, 0, 100, 100));
    HWND panel = Create("panel", WS_CHILD | WS_VISIBLE, Bounds(0, 0, 60, 60), form);
    // Half the child lies outside its parent; a sibling above it covers a corner.
    HWND child = Create("child", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Bounds(30, 30, 60, 60), panel);
    HWND cover = Create("cover", WS_CHILD | WS_VISIBLE, Bounds(50, 50, 10, 10), panel);
    SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Handle(form, Painter(clBlue));
    Handle(panel, Painter(clLime));
    Handle(child, Painter(clRed));
    Handle(cover, Painter(clYellow));
    Pump();
    struct TProbe {
        Integer X, Y;
        TColor Color;
    };
    const TProbe probes[] = {
        {10, 10, clLime},   // panel
        {35, 35, clRed},    // the child's visible part
        {55, 55, clYellow}, // the sibling above the child
        {65, 35, clBlue},   // the child beyond its parent: not drawn
        {80, 80, clBlue},   // form, not overwritten by anything
    };
    for (const auto& p : probes)
        EXPECT_EQ(WindowPixel(form, p.X, p.Y), p.Color) << p.X << "," << p.Y;
    // The form's own painting leaves its children alone (WS_CLIPCHILDREN).
    InvalidateRect(form, nullptr, true);
    UpdateWindow(form);
    EXPECT_EQ(WindowPixel(form, 10, 10), clLime);
    EXPECT_EQ(WindowPixel(child, 5, 5), clRed);
}

TEST_F(WindowingTest, SetRedrawSuspendsPainting) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    HWND grid = Create("grid", WS_CHILD | WS_VISIBLE, Bounds(0, 0, 50, 50), form);
    Pump();
    SendMessage(grid, WM_SETREDRAW, 0, 0);
    EXPECT_FALSE(IsWindowVisible(grid));
    EXPECT_TRUE(GetWindowLong(grid, GWL_STYLE) & WS_VISIBLE) << "still shown, only not painting";
    InvalidateRect(grid, nullptr, true);
    ClearLog();
    Pump();
    EXPECT_TRUE(Log({WM_PAINT}).empty());
    SendMessage(grid, WM_SETREDRAW, 1, 0);
    InvalidateRect(grid, nullptr, true);
    Pump();
    EXPECT_EQ(Log({WM_PAINT}), Strings({"grid:WM_PAINT"}));
}

TEST_F(WindowingTest, HiddenChildUncoversWhatLiesBelow) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 30, 30), form);
    Handle(form, Painter(clBlue));
    Handle(child, Painter(clRed));
    Pump();
    EXPECT_EQ(WindowPixel(form, 20, 20), clRed);
    ShowWindow(child, SW_HIDE);
    ClearLog();
    Pump();
    EXPECT_EQ(Log({WM_PAINT}), Strings({"form:WM_PAINT"}));
    EXPECT_EQ(WindowPixel(form, 20, 20), clBlue);
}

TEST_F(WindowingTest, WindowSavedAsPng) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 40, 30));
    Handle(form, Painter(clRed));
    Pump();
    auto file = std::filesystem::temp_directory_path() / "windowing-save-test.png";
    ASSERT_TRUE(SaveWindowToPng(form, FromUtf8(file.string())));
    cairo_surface_t* image = cairo_image_surface_create_from_png(file.c_str());
    EXPECT_EQ(cairo_image_surface_get_width(image), 40);
    EXPECT_EQ(cairo_image_surface_get_height(image), 30);
    cairo_surface_destroy(image);
    std::filesystem::remove(file);
    EXPECT_FALSE(SaveWindowToPng(form, u"/no/such/folder/x.png"));
}
