#include "graphics/GdiObjects.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Raster.h"
#include "graphics/Colors.h"

// ---- TPixelRegion -----------------------------------------------------------

TPixelRegion::TPixelRegion() : FRegion(cairo_region_create()) {}

TPixelRegion::TPixelRegion(const TRect& rect) : FRegion(nullptr) {
    if (rect.IsEmpty()) {
        FRegion = cairo_region_create();
    } else {
        cairo_rectangle_int_t r{rect.Left, rect.Top, rect.Width(), rect.Height()};
        FRegion = cairo_region_create_rectangle(&r);
    }
}

TPixelRegion::TPixelRegion(const TPixelRegion& other) : FRegion(cairo_region_copy(other.FRegion)) {}

TPixelRegion& TPixelRegion::operator=(const TPixelRegion& other) {
    if (this != &other) {
        cairo_region_t* copy = cairo_region_copy(other.FRegion);
        cairo_region_destroy(FRegion);
        FRegion = copy;
    }
    return *this;
}

TPixelRegion::~TPixelRegion() { cairo_region_destroy(FRegion); }

bool TPixelRegion::IsEmpty() const { return cairo_region_is_empty(FRegion); }

TRect TPixelRegion::Box() const {
    if (IsEmpty()) return {};
    cairo_rectangle_int_t r;
    cairo_region_get_extents(FRegion, &r);
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

Integer TPixelRegion::RectCount() const { return cairo_region_num_rectangles(FRegion); }

TRect TPixelRegion::RectAt(Integer index) const {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(FRegion, index, &r);
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

bool TPixelRegion::Contains(Integer x, Integer y) const { return cairo_region_contains_point(FRegion, x, y); }
void TPixelRegion::Offset(Integer dx, Integer dy) { cairo_region_translate(FRegion, dx, dy); }
void TPixelRegion::Intersect(const TPixelRegion& other) { cairo_region_intersect(FRegion, other.FRegion); }
void TPixelRegion::Unite(const TPixelRegion& other) { cairo_region_union(FRegion, other.FRegion); }
void TPixelRegion::Subtract(const TPixelRegion& other) { cairo_region_subtract(FRegion, other.FRegion); }
void TPixelRegion::Xor(const TPixelRegion& other) { cairo_region_xor(FRegion, other.FRegion); }
bool TPixelRegion::operator==(const TPixelRegion& other) const {
    return cairo_region_equal(FRegion, other.FRegion);
}

TPixelRegion TPixelRegion::FromMask(cairo_surface_t* mask, const TRect& bounds) {
    TPixelRegion result;
    cairo_surface_flush(mask);
    const unsigned char* data = cairo_image_surface_get_data(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    for (int y = 0; y < bounds.Height(); ++y) {
        const unsigned char* row = data + y * stride;
        int x = 0;
        while (x < bounds.Width()) {
            while (x < bounds.Width() && row[x] == 0) ++x;
            int start = x;
            while (x < bounds.Width() && row[x] != 0) ++x;
            if (x > start) {
                cairo_rectangle_int_t r{bounds.Left + start, bounds.Top + y, x - start, 1};
                cairo_region_union_rectangle(result.FRegion, &r);
            }
        }
    }
    return result;
}

// ---- Object creation ----------------------------------------------------------

TSize TGdiBitmap::Size() const {
    return {cairo_image_surface_get_width(FSurface), cairo_image_surface_get_height(FSurface)};
}

namespace winapi {

HPEN CreatePen(Integer style, Integer width, TColor color) {
    return new TGdiPen(TLogPen{Cardinal(style) & PS_STYLE_MASK, std::max(width, 0), color});
}

HPEN ExtCreatePen(Cardinal style, Cardinal width, const TLogBrush& brush) {
    // A cosmetic pen is always one pixel wide; only PS_ALTERNATE needs it.
    if ((style & PS_TYPE_MASK) == PS_COSMETIC) width = 1;
    return new TGdiPen(TLogPen{style, Integer(width), brush.Color});
}

HBRUSH CreateSolidBrush(TColor color) { return new TGdiBrush(TLogBrush{BS_SOLID, color, 0}); }

HBRUSH CreateHatchBrush(Integer hatch, TColor color) {
    return new TGdiBrush(TLogBrush{BS_HATCHED, color, Cardinal(hatch)});
}

HBRUSH CreateBrushIndirect(const TLogBrush& brush) { return new TGdiBrush(brush); }

HFONT CreateFontIndirect(const TLogFont& font) { return new TGdiFont(font); }

namespace {

TGdiObject* MakeStock(TGdiObject* object) {
    object->MarkStock();
    return object;
}

TLogFont StockFont(Integer height) {
    TLogFont font;
    font.Height = height;
    font.FaceName = u"Tahoma";
    return font;
}

} // namespace

HGDIOBJ GetStockObject(Integer index) {
    static const std::array<TGdiObject*, 18> stock = [] {
        std::array<TGdiObject*, 18> s{};
        s[WHITE_BRUSH] = MakeStock(new TGdiBrush({BS_SOLID, clWhite, 0}));
        s[LTGRAY_BRUSH] = MakeStock(new TGdiBrush({BS_SOLID, clSilver, 0}));
        s[GRAY_BRUSH] = MakeStock(new TGdiBrush({BS_SOLID, clGray, 0}));
        s[DKGRAY_BRUSH] = MakeStock(new TGdiBrush({BS_SOLID, RGB(64, 64, 64), 0}));
        s[BLACK_BRUSH] = MakeStock(new TGdiBrush({BS_SOLID, clBlack, 0}));
        s[NULL_BRUSH] = MakeStock(new TGdiBrush({BS_NULL, clBlack, 0}));
        s[WHITE_PEN] = MakeStock(new TGdiPen({PS_SOLID, 0, clWhite}));
        s[BLACK_PEN] = MakeStock(new TGdiPen({PS_SOLID, 0, clBlack}));
        s[NULL_PEN] = MakeStock(new TGdiPen({PS_NULL, 0, clBlack}));
        s[SYSTEM_FONT] = MakeStock(new TGdiFont(StockFont(16)));
        s[DEFAULT_GUI_FONT] = MakeStock(new TGdiFont(StockFont(-11)));
        return s;
    }();
    if (index < 0 || index >= Integer(stock.size())) return nullptr;
    return stock[index];
}

bool DeleteObject(HGDIOBJ object) {
    if (object == nullptr) return false;
    if (object->Kind() == TGdiObjectKind::Bitmap && static_cast<TGdiBitmap*>(object)->SelectedInto) return false;
    if (!object->IsStock()) delete object;
    return true;
}

HBITMAP CreateCompatibleBitmap(HDC dc, Integer width, Integer height) {
    if (dc == nullptr || width < 0 || height < 0) return nullptr;
    if (width == 0 || height == 0) width = height = 1;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return new TGdiBitmap(surface);
}

// ---- Regions ------------------------------------------------------------------

namespace {

TRect Normalized(Integer l, Integer t, Integer r, Integer b) {
    return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

Integer KindOf(const TPixelRegion& region) {
    if (region.IsEmpty()) return NULLREGION;
    return region.RectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}


} // namespace

HRGN CreateRectRgn(Integer left, Integer top, Integer right, Integer bottom) {
    return new TGdiRegion(TPixelRegion(Normalized(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const TRect& r) { return CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom); }

HRGN CreateEllipticRgn(Integer left, Integer top, Integer right, Integer bottom) {
    TRect r = Normalized(left, top, right, bottom);
    return CreateRoundRectRgn(r.Left, r.Top, r.Right, r.Bottom, r.Width(), r.Height());
}

HRGN CreateRoundRectRgn(Integer left, Integer top, Integer right, Integer bottom, Integer width, Integer height) {
    TRect r = Normalized(left, top, right, bottom);
    double rx = std::min(std::abs(width), r.Width()) / 2.0;
    double ry = std::min(std::abs(height), r.Height()) / 2.0;
    return new TGdiRegion(
        TPixelRegion::FromPath(r, [&](cairo_t* cr) { detail::RoundRectPath(cr, r.Left, r.Top, r.Right, r.Bottom, rx, ry); }, CAIRO_FILL_RULE_WINDING));
}

HRGN CreatePolygonRgn(const TPoint* points, Integer count, Integer fillMode) {
    if (points == nullptr || count < 3) return new TGdiRegion(TPixelRegion());
    TRect box{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (Integer i = 1; i < count; ++i) {
        box = {std::min(box.Left, points[i].X), std::min(box.Top, points[i].Y), std::max(box.Right, points[i].X),
               std::max(box.Bottom, points[i].Y)};
    }
    auto build = [&](cairo_t* cr) {
        cairo_move_to(cr, points[0].X, points[0].Y);
        for (Integer i = 1; i < count; ++i) cairo_line_to(cr, points[i].X, points[i].Y);
        cairo_close_path(cr);
    };
    return new TGdiRegion(TPixelRegion::FromPath(
        box, build, fillMode == WINDING ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD));
}

Integer CombineRgn(HRGN dest, HRGN a, HRGN b, Integer mode) {
    if (dest == nullptr || a == nullptr || (mode != RGN_COPY && b == nullptr)) return RGN_ERROR;
    TPixelRegion result = a->Region;
    switch (mode) {
    case RGN_AND: result.Intersect(b->Region); break;
    case RGN_OR: result.Unite(b->Region); break;
    case RGN_XOR: result.Xor(b->Region); break;
    case RGN_DIFF: result.Subtract(b->Region); break;
    case RGN_COPY: break;
    default: return RGN_ERROR;
    }
    dest->Region = std::move(result);
    return KindOf(dest->Region);
}

bool SetRectRgn(HRGN region, Integer left, Integer top, Integer right, Integer bottom) {
    if (region == nullptr) return false;
    region->Region = TPixelRegion(Normalized(left, top, right, bottom));
    return true;
}

Integer OffsetRgn(HRGN region, Integer dx, Integer dy) {
    if (region == nullptr) return RGN_ERROR;
    region->Region.Offset(dx, dy);
    return KindOf(region->Region);
}

Integer GetRgnBox(HRGN region, TRect& box) {
    if (region == nullptr) return RGN_ERROR;
    box = region->Region.Box();
    return KindOf(region->Region);
}

bool PtInRegion(HRGN region, Integer x, Integer y) { return region != nullptr && region->Region.Contains(x, y); }

bool EqualRgn(HRGN a, HRGN b) { return a != nullptr && b != nullptr && a->Region == b->Region; }

} // namespace winapi
