#include "PixelTestSupport.h"

#include "graphics/Colors.h"

TPixelSurface::TPixelSurface(int width, int height, TDeviceTechnology technology, Integer pixelsPerInch)
    : FSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {
    cairo_t* cr = cairo_create(FSurface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_destroy(cr);
    FDC = new TDeviceContext(FSurface, technology, pixelsPerInch);
}

TPixelSurface::~TPixelSurface() {
    delete FDC;
    for (winapi::HGDIOBJ object : FOwned) winapi::DeleteObject(object);
    cairo_surface_destroy(FSurface);
}

void TPixelSurface::Select(winapi::HGDIOBJ object) {
    winapi::SelectObject(FDC, object);
    FOwned.push_back(object);
}

TColor TPixelSurface::Pixel(int x, int y) const {
    cairo_surface_flush(FSurface);
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(FSurface) +
                                                        y * cairo_image_surface_get_stride(FSurface));
    uint32_t p = row[x];
    return RGB(Byte(p >> 16), Byte(p >> 8), Byte(p));
}

std::vector<std::string> TPixelSurface::Mask(TColor color) const {
    std::vector<std::string> rows;
    for (int y = 0; y < cairo_image_surface_get_height(FSurface); ++y) {
        std::string row;
        for (int x = 0; x < cairo_image_surface_get_width(FSurface); ++x) row += Pixel(x, y) == color ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

int TPixelSurface::Count(TColor color) const {
    int n = 0;
    for (const auto& row : Mask(color)) {
        for (char c : row) n += c == '#';
    }
    return n;
}

bool TPixelSurface::OnlyColors(TColor a, TColor b) const {
    for (int y = 0; y < cairo_image_surface_get_height(FSurface); ++y) {
        for (int x = 0; x < cairo_image_surface_get_width(FSurface); ++x) {
            TColor p = Pixel(x, y);
            if (p != a && p != b) return false;
        }
    }
    return true;
}

// fontconfig keeps a few bytes of its configuration parser unreachable for
// the life of the process; that is the library's own and not ours to report.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
