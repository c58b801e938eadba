// Drawing every Adwaita icon with the SVG engine and, side by side in the
// same run, with librsvg's C API: at 48 x 48 and at 256 x 256, each from
// documents parsed beforehand into a new transparent picture. The icons come
// from /usr/share/icons/Adwaita (scripts/install-svg-reference.sh), else the
// sample committed with the tests. librsvg takes part when the build found
// it (pkg-config librsvg-2.0).
//
//   build/test/toolkit/graphics/toolkit_graphics_svg_draw_bench

#include "kel/KelGraphicsSVGEngine.h"
#include "rtl/Encoding.h"

#include <benchmark/benchmark.h>
#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#ifdef VANDREL_WITH_LIBRSVG
#include <librsvg/rsvg.h>
#endif

namespace {

std::vector<std::string> IconFiles() {
    std::filesystem::path Folder = "/usr/share/icons/Adwaita/scalable";
    if (!std::filesystem::exists(Folder))
        Folder = std::filesystem::path(VANDREL_SVG_SAMPLE);
    std::vector<std::string> Files;
    for (const auto& Entry : std::filesystem::recursive_directory_iterator(Folder))
        if (Entry.path().extension() == ".svg") Files.push_back(Entry.path().string());
    std::sort(Files.begin(), Files.end());
    return Files;
}

const std::vector<std::string>& Icons() {
    static const std::vector<std::string> Files = IconFiles();
    return Files;
}

void BM_KelDrawIcons(benchmark::State& State) {
    const Single Size = Single(State.range(0));
    std::vector<std::unique_ptr<TKelGraphicsSVGImport>> Documents;
    for (const std::string& File : Icons()) {
        auto Engine = std::make_unique<TKelGraphicsSVGImport>();
        Engine->LoadFromFile(FromUtf8(File));
        Documents.push_back(std::move(Engine));
    }
    for (auto _ : State)
        for (const auto& Engine : Documents)
            benchmark::DoNotOptimize(Engine->GenerateBitmap(Size, Size));
    State.counters["icons"] = double(Documents.size());
    State.SetItemsProcessed(State.iterations() * int64_t(Documents.size()));
}
BENCHMARK(BM_KelDrawIcons)->Arg(48)->Arg(256)->Unit(benchmark::kMillisecond);

#ifdef VANDREL_WITH_LIBRSVG
void BM_LibrsvgDrawIcons(benchmark::State& State) {
    const int Size = int(State.range(0));
    std::vector<RsvgHandle*> Handles;
    for (const std::string& File : Icons())
        if (RsvgHandle* Handle = rsvg_handle_new_from_file(File.c_str(), nullptr)) Handles.push_back(Handle);
    const RsvgRectangle Viewport{0, 0, double(Size), double(Size)};
    for (auto _ : State)
        for (RsvgHandle* Handle : Handles) {
            cairo_surface_t* Surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Size, Size);
            cairo_t* Cairo = cairo_create(Surface);
            benchmark::DoNotOptimize(rsvg_handle_render_document(Handle, Cairo, &Viewport, nullptr));
            cairo_destroy(Cairo);
            cairo_surface_destroy(Surface);
        }
    for (RsvgHandle* Handle : Handles)
        g_object_unref(Handle);
    State.counters["icons"] = double(Handles.size());
    State.SetItemsProcessed(State.iterations() * int64_t(Handles.size()));
}
BENCHMARK(BM_LibrsvgDrawIcons)->Arg(48)->Arg(256)->Unit(benchmark::kMillisecond);
#endif

} // namespace

BENCHMARK_MAIN();
