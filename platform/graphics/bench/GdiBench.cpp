// Drawing speed of the GDI-style layer against the same drawing done directly
// through Cairo and Pango: 10,000 filled and outlined rectangles, and 10,000
// short text runs, on a 1920×1080 surface.

#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

#include "graphics/Canvas.h"
#include "graphics/Fonts.h"
#include "graphics/GdiDraw.h"

namespace {

constexpr int Count = 10000;

struct TScreen {
    TScreen() : Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1920, 1080)), DC(Surface) {}
    ~TScreen() { cairo_surface_destroy(Surface); }
    cairo_surface_t* Surface;
    TDeviceContext DC;
};

TRect RectAt(int i) {
    int x = (i * 37) % 1800, y = (i * 53) % 1000;
    return Bounds(x, y, 20 + i % 90, 10 + i % 70);
}

void GdiRectangles(benchmark::State& state) {
    TScreen screen;
    TCanvas canvas;
    canvas.SetHandle(&screen.DC);
    canvas.Brush()->SetColor(clYellow);
    canvas.Pen()->SetColor(clNavy);
    for (auto _ : state) {
        for (int i = 0; i < Count; ++i) canvas.Rectangle(RectAt(i));
    }
    state.SetItemsProcessed(state.iterations() * Count);
}
BENCHMARK(GdiRectangles)->Unit(benchmark::kMillisecond);

void CairoRectangles(benchmark::State& state) {
    TScreen screen;
    cairo_t* cr = cairo_create(screen.Surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr, 1);
    for (auto _ : state) {
        for (int i = 0; i < Count; ++i) {
            TRect r = RectAt(i);
            cairo_rectangle(cr, r.Left, r.Top, r.Width() - 1, r.Height() - 1);
            cairo_set_source_rgb(cr, 1, 1, 0);
            cairo_fill(cr);
            cairo_rectangle(cr, r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() - 1);
            cairo_set_source_rgb(cr, 0, 0, 0.5);
            cairo_stroke(cr);
        }
    }
    cairo_destroy(cr);
    state.SetItemsProcessed(state.iterations() * Count);
}
BENCHMARK(CairoRectangles)->Unit(benchmark::kMillisecond);

void GdiText(benchmark::State& state) {
    TScreen screen;
    TCanvas canvas;
    canvas.SetHandle(&screen.DC);
    canvas.Font()->SetName(u"Tahoma");
    canvas.Brush()->SetStyle(bsClear);
    for (auto _ : state) {
        for (int i = 0; i < Count; ++i) {
            TRect r = RectAt(i);
            canvas.TextOut(r.Left, r.Top, u"PEC 0.042");
        }
    }
    state.SetItemsProcessed(state.iterations() * Count);
}
BENCHMARK(GdiText)->Unit(benchmark::kMillisecond);

void PangoText(benchmark::State& state) {
    TScreen screen;
    cairo_t* cr = cairo_create(screen.Surface);
    PangoFontDescription* font = CreatePangoFontDescription(u"Tahoma", 11, 400, false);
    for (auto _ : state) {
        for (int i = 0; i < Count; ++i) {
            TRect r = RectAt(i);
            PangoLayout* layout = pango_layout_new(GraphicsPangoContext());
            pango_layout_set_font_description(layout, font);
            pango_layout_set_text(layout, "PEC 0.042", -1);
            cairo_move_to(cr, r.Left, r.Top);
            cairo_set_source_rgb(cr, 0, 0, 0);
            pango_cairo_show_layout(cr, layout);
            g_object_unref(layout);
        }
    }
    pango_font_description_free(font);
    cairo_destroy(cr);
    state.SetItemsProcessed(state.iterations() * Count);
}
BENCHMARK(PangoText)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
