// Decoding and encoding a 1920x1080 picture, and GDI+-style drawing of
// 10,000 anti-aliased shapes and 10,000 short strings, each beside the same
// work done directly with the libraries.

#include "graphics/Fonts.h"
#include "graphics/GdiPlusGraphics.h"
#include "graphics/ImageCodecs.h"
#include "rtl/Encoding.h"

#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

namespace {

constexpr int W = 1920, H = 1080;

TDecodedImage Picture() {
    TDecodedImage image = TDecodedImage::Blank(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            image.SetPixel(x, y, 0xFF000000u | ((x * 255 / W) << 16) | ((y * 255 / H) << 8));
    return image;
}

void DecodePng1080p(benchmark::State& state) {
    const auto bytes = EncodePng(Picture());
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodePng(bytes));
}
BENCHMARK(DecodePng1080p)->Unit(benchmark::kMillisecond);

void DecodeJpeg1080p(benchmark::State& state) {
    const auto bytes = EncodeJpeg(Picture(), 90);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeJpeg(bytes));
}
BENCHMARK(DecodeJpeg1080p)->Unit(benchmark::kMillisecond);

void DecodeBmp1080p(benchmark::State& state) {
    const auto bytes = EncodeBmp(Picture(), 24);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeBmp(bytes));
}
BENCHMARK(DecodeBmp1080p)->Unit(benchmark::kMillisecond);

void GdiPlusFillAndOutline10000(benchmark::State& state) {
    TGPBitmap bitmap(W, H);
    TGPGraphics g(&bitmap);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    TGPSolidBrush brush(0xFF3060C0);
    TGPPen pen(0xFF000000, 1);
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i) {
            const TGPRectF r{Single(i % 1800), Single(i % 1000), 40, 20};
            g.FillRectangle(&brush, r);
            g.DrawRectangle(&pen, r);
        }
}
BENCHMARK(GdiPlusFillAndOutline10000)->Unit(benchmark::kMillisecond);

void CairoFillAndOutline10000(benchmark::State& state) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H);
    cairo_t* cr = cairo_create(surface);
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i) {
            cairo_rectangle(cr, i % 1800, i % 1000, 40, 20);
            cairo_set_source_rgb(cr, 0.19, 0.38, 0.75);
            cairo_fill(cr);
            cairo_rectangle(cr, i % 1800 + 0.5, i % 1000 + 0.5, 40, 20);
            cairo_set_source_rgb(cr, 0, 0, 0);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(CairoFillAndOutline10000)->Unit(benchmark::kMillisecond);

void GdiPlusDrawString10000(benchmark::State& state) {
    TGPBitmap bitmap(W, H);
    TGPGraphics g(&bitmap);
    TGPFont font(u"Arial", 9);
    TGPSolidBrush brush(0xFF000000);
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i)
            g.DrawString(u"Run 42", -1, &font, TGPPointF{Single(i % 1800), Single(i % 1000)}, &brush);
}
BENCHMARK(GdiPlusDrawString10000)->Unit(benchmark::kMillisecond);

void PangoDrawString10000(benchmark::State& state) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, W, H);
    cairo_t* cr = cairo_create(surface);
    PangoFontDescription* desc = CreatePangoFontDescription(u"Arial", 12, 400, false);
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i) {
            PangoLayout* layout = pango_layout_new(GraphicsPangoContext());
            pango_layout_set_font_description(layout, desc);
            pango_layout_set_text(layout, "Run 42", -1);
            cairo_move_to(cr, i % 1800, i % 1000);
            pango_cairo_show_layout(cr, layout);
            g_object_unref(layout);
        }
    pango_font_description_free(desc);
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}
BENCHMARK(PangoDrawString10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
