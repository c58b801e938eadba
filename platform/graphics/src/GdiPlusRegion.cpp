#include "graphics/GdiPlusGraphics.h"
#include "graphics/GdiPlusRegion.h"

#include "GdiPlusNative.h"
#include "GdiPlusConvert.h"

#include <algorithm>
#include <cmath>
#include <cstring>

using detail::GpRegion;
using detail::GpRegionNode;
using detail::GpRegionTree;
using TKind = detail::GpRegionNode::TKind;

namespace detail {

GpRegionTree RegionEmpty() {
    static const GpRegionTree empty = std::make_shared<GpRegionNode>();
    return empty;
}

GpRegionTree RegionInfinite() {
    static const GpRegionTree infinite = [] {
        auto node = std::make_shared<GpRegionNode>();
        node->Kind = TKind::Infinite;
        return node;
    }();
    return infinite;
}

GpRegionTree RegionRect(const TGPRectF& rect) {
    auto node = std::make_shared<GpRegionNode>();
    node->Kind = TKind::Rect;
    // A rectangle with a negative extent covers the same area as its mirror.
    TGPRectF r = rect;
    if (r.Width < 0) r.X += r.Width, r.Width = -r.Width;
    if (r.Height < 0) r.Y += r.Height, r.Height = -r.Height;
    node->Rect = r;
    return node;
}

GpRegionTree RegionPath(const GpPath& path) {
    auto node = std::make_shared<GpRegionNode>();
    node->Kind = TKind::Path;
    node->Path = path;
    return node;
}

GpRegionTree RegionCombine(const GpRegionTree& a, const GpRegionTree& b, CombineMode mode) {
    if (mode == CombineModeReplace) return b;
    auto node = std::make_shared<GpRegionNode>();
    node->Kind = TKind::Combine;
    node->Mode = mode;
    node->A = a;
    node->B = b;
    return node;
}

GpRegionTree RegionTransform(const GpRegionTree& tree, const cairo_matrix_t& m) {
    switch (tree->Kind) {
    case TKind::Empty:
    case TKind::Infinite:
        return tree;
    case TKind::Rect: {
        if (m.xy == 0 && m.yx == 0) {
            double x1 = tree->Rect.X, y1 = tree->Rect.Y, x2 = x1 + tree->Rect.Width,
                   y2 = y1 + tree->Rect.Height;
            cairo_matrix_transform_point(&m, &x1, &y1);
            cairo_matrix_transform_point(&m, &x2, &y2);
            return RegionRect({Single(std::min(x1, x2)), Single(std::min(y1, y2)), Single(std::fabs(x2 - x1)),
                               Single(std::fabs(y2 - y1))});
        }
        const TGPRectF& r = tree->Rect;
        GpPath path;
        path.Points = {{r.X, r.Y}, {r.X + r.Width, r.Y}, {r.X + r.Width, r.Y + r.Height}, {r.X, r.Y + r.Height}};
        path.Types = {PathPointTypeStart, PathPointTypeLine, PathPointTypeLine,
                      Byte(PathPointTypeLine | PathPointTypeCloseSubpath)};
        return RegionTransform(RegionPath(path), m);
    }
    case TKind::Path: {
        GpPath path = tree->Path;
        for (auto& p : path.Points) {
            double x = p.X, y = p.Y;
            cairo_matrix_transform_point(&m, &x, &y);
            p = {Single(x), Single(y)};
        }
        return RegionPath(path);
    }
    case TKind::Combine:
        return RegionCombine(RegionTransform(tree->A, m), RegionTransform(tree->B, m), tree->Mode);
    }
    return tree;
}

bool RegionContains(const GpRegionNode& node, double x, double y) {
    switch (node.Kind) {
    case TKind::Empty:
        return false;
    case TKind::Infinite:
        return true;
    case TKind::Rect:
        return x >= node.Rect.X && x < node.Rect.X + node.Rect.Width && y >= node.Rect.Y &&
               y < node.Rect.Y + node.Rect.Height;
    case TKind::Path: {
        cairo_t* cr = ScratchContext();
        AppendPath(cr, node.Path);
        cairo_set_fill_rule(cr, FillRule(node.Path.Fill));
        const bool inside = cairo_in_fill(cr, x, y);
        cairo_new_path(cr);
        return inside;
    }
    case TKind::Combine: {
        const bool a = RegionContains(*node.A, x, y), b = RegionContains(*node.B, x, y);
        switch (node.Mode) {
        case CombineModeIntersect:
            return a && b;
        case CombineModeUnion:
            return a || b;
        case CombineModeXor:
            return a != b;
        case CombineModeExclude:
            return a && !b;
        case CombineModeComplement:
            return b && !a;
        default:
            return b;
        }
    }
    }
    return false;
}

bool RegionIsInfinite(const GpRegionNode& node) {
    switch (node.Kind) {
    case TKind::Infinite:
        return true;
    case TKind::Combine:
        switch (node.Mode) {
        case CombineModeUnion:
            return RegionIsInfinite(*node.A) || RegionIsInfinite(*node.B);
        case CombineModeIntersect:
            return RegionIsInfinite(*node.A) && RegionIsInfinite(*node.B);
        default:
            return false;
        }
    default:
        return false;
    }
}

namespace {

TGPRectF UniteRects(const TGPRectF& a, const TGPRectF& b) {
    const Single x1 = std::min(a.X, b.X), y1 = std::min(a.Y, b.Y);
    const Single x2 = std::max(a.X + a.Width, b.X + b.Width), y2 = std::max(a.Y + a.Height, b.Y + b.Height);
    return {x1, y1, x2 - x1, y2 - y1};
}

} // namespace

bool RegionBounds(const GpRegionNode& node, TGPRectF& bounds) {
    switch (node.Kind) {
    case TKind::Empty:
        return false;
    case TKind::Infinite:
        bounds = InfiniteRect;
        return true;
    case TKind::Rect:
        bounds = node.Rect;
        return node.Rect.Width > 0 && node.Rect.Height > 0;
    case TKind::Path: {
        if (node.Path.Points.empty()) return false;
        cairo_t* cr = ScratchContext();
        AppendPath(cr, node.Path);
        double x1, y1, x2, y2;
        cairo_path_extents(cr, &x1, &y1, &x2, &y2);
        cairo_new_path(cr);
        bounds = {Single(x1), Single(y1), Single(x2 - x1), Single(y2 - y1)};
        return x2 > x1 && y2 > y1;
    }
    case TKind::Combine: {
        TGPRectF a, b;
        const bool hasA = RegionBounds(*node.A, a), hasB = RegionBounds(*node.B, b);
        switch (node.Mode) {
        case CombineModeIntersect: {
            if (!hasA || !hasB) return false;
            const Single x1 = std::max(a.X, b.X), y1 = std::max(a.Y, b.Y);
            const Single x2 = std::min(a.X + a.Width, b.X + b.Width), y2 = std::min(a.Y + a.Height, b.Y + b.Height);
            if (x2 <= x1 || y2 <= y1) return false;
            bounds = {x1, y1, x2 - x1, y2 - y1};
            return true;
        }
        case CombineModeUnion:
        case CombineModeXor:
            if (hasA && hasB) bounds = UniteRects(a, b);
            else if (hasA) bounds = a;
            else if (hasB) bounds = b;
            return hasA || hasB;
        case CombineModeExclude:
            bounds = a;
            return hasA;
        case CombineModeComplement:
            bounds = b;
            return hasB;
        default:
            bounds = b;
            return hasB;
        }
    }
    }
    return false;
}

namespace {

// The region as an A8 mask of `w` by `h` pixels whose top left is (x0, y0)
// in the matrix's output space; pixels count when their centres are inside.
cairo_surface_t* RenderMask(const GpRegionNode& node, const cairo_matrix_t& m, int x0, int y0, int w, int h) {
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    cairo_t* cr = cairo_create(mask);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    switch (node.Kind) {
    case TKind::Empty:
        break;
    case TKind::Infinite:
        cairo_paint(cr);
        break;
    case TKind::Rect:
    case TKind::Path: {
        cairo_translate(cr, -x0, -y0);
        cairo_transform(cr, &m);
        if (node.Kind == TKind::Rect) {
            cairo_rectangle(cr, node.Rect.X, node.Rect.Y, node.Rect.Width, node.Rect.Height);
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        } else {
            AppendPath(cr, node.Path);
            cairo_set_fill_rule(cr, FillRule(node.Path.Fill));
        }
        cairo_identity_matrix(cr);
        cairo_fill(cr);
        break;
    }
    case TKind::Combine: {
        cairo_surface_t* a = RenderMask(*node.A, m, x0, y0, w, h);
        cairo_surface_t* b = RenderMask(*node.B, m, x0, y0, w, h);
        cairo_set_source_surface(cr, a, 0, 0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_operator_t op = CAIRO_OPERATOR_SOURCE;
        switch (node.Mode) {
        case CombineModeIntersect:
            op = CAIRO_OPERATOR_IN;
            break;
        case CombineModeUnion:
            op = CAIRO_OPERATOR_OVER;
            break;
        case CombineModeXor:
            op = CAIRO_OPERATOR_XOR;
            break;
        case CombineModeExclude:
            op = CAIRO_OPERATOR_DEST_OUT;
            break;
        case CombineModeComplement:
            op = CAIRO_OPERATOR_OUT;
            break;
        default:
            break;
        }
        cairo_set_operator(cr, op);
        cairo_set_source_surface(cr, b, 0, 0);
        cairo_paint(cr);
        cairo_surface_destroy(a);
        cairo_surface_destroy(b);
        break;
    }
    }
    cairo_destroy(cr);
    return mask;
}

} // namespace

TPixelRegion RegionPixels(const GpRegionNode& node, const cairo_matrix_t& m, const TRect& window) {
    if (window.IsEmpty()) return TPixelRegion();
    cairo_surface_t* mask = RenderMask(node, m, window.Left, window.Top, window.Width(), window.Height());
    TPixelRegion pixels = TPixelRegion::FromPath(
        window,
        [&](cairo_t* cr) {
            cairo_set_source_rgba(cr, 0, 0, 0, 1);
            cairo_mask_surface(cr, mask, window.Left, window.Top);
        },
        CAIRO_FILL_RULE_WINDING);
    cairo_surface_destroy(mask);
    return pixels;
}

TRect RegionWindow(const GpRegionNode& node, const cairo_matrix_t& m) {
    TGPRectF b;
    if (!RegionBounds(node, b)) return TRect();
    double xs[4] = {b.X, b.X + b.Width, b.X, b.X + b.Width}, ys[4] = {b.Y, b.Y, b.Y + b.Height, b.Y + b.Height};
    double x1 = 1e300, y1 = 1e300, x2 = -1e300, y2 = -1e300;
    for (int i = 0; i < 4; ++i) {
        cairo_matrix_transform_point(&m, &xs[i], &ys[i]);
        x1 = std::min(x1, xs[i]), y1 = std::min(y1, ys[i]), x2 = std::max(x2, xs[i]), y2 = std::max(y2, ys[i]);
    }
    // Pixels far outside any surface are not looked at.
    constexpr double limit = 16384;
    x1 = std::clamp(std::floor(x1), -limit, limit), y1 = std::clamp(std::floor(y1), -limit, limit);
    x2 = std::clamp(std::ceil(x2), -limit, limit), y2 = std::clamp(std::ceil(y2), -limit, limit);
    if ((x2 - x1) * (y2 - y1) > 16e6) {
        const double cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
        x1 = std::max(x1, cx - 2000), x2 = std::min(x2, cx + 2000);
        y1 = std::max(y1, cy - 2000), y2 = std::min(y2, cy + 2000);
    }
    return TRect(Integer(x1), Integer(y1), Integer(x2), Integer(y2));
}

void AppendPixels(cairo_t* cr, const TPixelRegion& pixels) {
    for (Integer i = 0; i < pixels.RectCount(); ++i) {
        const TRect r = pixels.RectAt(i);
        cairo_rectangle(cr, r.Left, r.Top, r.Width(), r.Height());
    }
}

GpPath PathFromCairo(const cairo_path_t* path) {
    GpPath result;
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
        const cairo_path_data_t& d = path->data[i];
        auto point = [&](int k) {
            return TGPPointF{Single(path->data[i + k].point.x), Single(path->data[i + k].point.y)};
        };
        switch (d.header.type) {
        case CAIRO_PATH_MOVE_TO:
            result.Points.push_back(point(1));
            result.Types.push_back(PathPointTypeStart);
            break;
        case CAIRO_PATH_LINE_TO:
            result.Points.push_back(point(1));
            result.Types.push_back(PathPointTypeLine);
            break;
        case CAIRO_PATH_CURVE_TO:
            for (int k = 1; k <= 3; ++k) {
                result.Points.push_back(point(k));
                result.Types.push_back(PathPointTypeBezier);
            }
            break;
        case CAIRO_PATH_CLOSE_PATH:
            if (!result.Types.empty()) result.Types.back() |= PathPointTypeCloseSubpath;
            break;
        }
    }
    result.NewFigure = true;
    return result;
}

} // namespace detail

// ---- Construction ----

TGPRegion::TGPRegion() : nativeRegion(new GpRegion{detail::RegionInfinite()}) {}

TGPRegion::TGPRegion(const TGPRectF& rect) : nativeRegion(new GpRegion{detail::RegionRect(rect)}) {}

TGPRegion::TGPRegion(const TGPRect& r)
    : TGPRegion(TGPRectF{Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height)}) {}

TGPRegion::TGPRegion(const TGPGraphicsPath* path) {
    if (!path || !path->nativePath) {
        lastResult = InvalidParameter;
        return;
    }
    nativeRegion = new GpRegion{detail::RegionPath(*path->nativePath)};
}

TGPRegion::TGPRegion(GpRegion* native, Status status) : nativeRegion(native) {
    lastResult = status;
}

TGPRegion::~TGPRegion() {
    delete nativeRegion;
}

namespace {

GpRegionTree TreeFromPixels(const TPixelRegion& pixels) {
    GpRegionTree tree = detail::RegionEmpty();
    for (Integer i = 0; i < pixels.RectCount(); ++i) {
        const TRect r = pixels.RectAt(i);
        tree = detail::RegionCombine(
            tree, detail::RegionRect({Single(r.Left), Single(r.Top), Single(r.Width()), Single(r.Height())}),
            i == 0 ? CombineModeReplace : CombineModeUnion);
    }
    return tree;
}

} // namespace

TGPRegion::TGPRegion(winapi::HRGN hRgn) {
    if (!hRgn) {
        lastResult = InvalidParameter;
        return;
    }
    nativeRegion = new GpRegion{TreeFromPixels(hRgn->Region)};
}

TGPRegion* TGPRegion::FromHRGN(winapi::HRGN hRgn) {
    if (!hRgn) return nullptr;
    return new TGPRegion(new GpRegion{TreeFromPixels(hRgn->Region)}, Ok);
}

TGPRegion* TGPRegion::Clone() {
    if (!nativeRegion) return SetStatus(InvalidParameter), new TGPRegion(nullptr, Ok);
    return new TGPRegion(new GpRegion(*nativeRegion), Ok);
}

Status TGPRegion::MakeInfinite() {
    if (!nativeRegion) return SetStatus(InvalidParameter);
    nativeRegion->Root = detail::RegionInfinite();
    return Ok;
}

Status TGPRegion::MakeEmpty() {
    if (!nativeRegion) return SetStatus(InvalidParameter);
    nativeRegion->Root = detail::RegionEmpty();
    return Ok;
}

// ---- Region data: a small tagged format of our own ----

namespace {

constexpr Byte DataMagic[4] = {'V', 'R', 'G', 'N'};
constexpr int MaxDepth = 512;

void Put(std::vector<Byte>& out, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const Byte*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

void Write(std::vector<Byte>& out, const GpRegionNode& node) {
    out.push_back(Byte(node.Kind));
    switch (node.Kind) {
    case TKind::Rect:
        Put(out, &node.Rect, sizeof node.Rect);
        break;
    case TKind::Path: {
        out.push_back(Byte(node.Path.Fill));
        const std::uint32_t n = std::uint32_t(node.Path.Points.size());
        Put(out, &n, sizeof n);
        Put(out, node.Path.Points.data(), n * sizeof(TGPPointF));
        Put(out, node.Path.Types.data(), n);
        break;
    }
    case TKind::Combine:
        out.push_back(Byte(node.Mode));
        Write(out, *node.A);
        Write(out, *node.B);
        break;
    default:
        break;
    }
}

std::vector<Byte> Serialize(const GpRegionNode& node) {
    std::vector<Byte> out(std::begin(DataMagic), std::end(DataMagic));
    Write(out, node);
    return out;
}

class TRegionReader {
public:
    TRegionReader(const Byte* data, std::size_t size) : FData(data), FSize(size) {}

    bool Take(void* target, std::size_t size) {
        if (size > FSize - FPos) return false;
        std::memcpy(target, FData + FPos, size);
        FPos += size;
        return true;
    }

    GpRegionTree Read(int depth) {
        Byte kind;
        if (depth > MaxDepth || !Take(&kind, 1)) return nullptr;
        switch (TKind(kind)) {
        case TKind::Empty:
            return detail::RegionEmpty();
        case TKind::Infinite:
            return detail::RegionInfinite();
        case TKind::Rect: {
            TGPRectF r;
            if (!Take(&r, sizeof r)) return nullptr;
            return detail::RegionRect(r);
        }
        case TKind::Path: {
            Byte fill;
            std::uint32_t n;
            if (!Take(&fill, 1) || fill > 1 || !Take(&n, sizeof n) || n > (FSize - FPos) / 9) return nullptr;
            detail::GpPath path;
            path.Fill = FillMode(fill);
            path.Points.resize(n);
            path.Types.resize(n);
            if (!Take(path.Points.data(), n * sizeof(TGPPointF)) || !Take(path.Types.data(), n)) return nullptr;
            return detail::RegionPath(path);
        }
        case TKind::Combine: {
            Byte mode;
            if (!Take(&mode, 1) || mode > CombineModeComplement) return nullptr;
            GpRegionTree a = Read(depth + 1);
            if (!a) return nullptr;
            GpRegionTree b = Read(depth + 1);
            if (!b) return nullptr;
            return detail::RegionCombine(a, b, CombineMode(mode));
        }
        }
        return nullptr;
    }

    bool AtEnd() const { return FPos == FSize; }

private:
    const Byte* FData;
    std::size_t FSize;
    std::size_t FPos = 0;
};

} // namespace

TGPRegion::TGPRegion(const Byte* regionData, Integer size) {
    if (!regionData || size < 5 || std::memcmp(regionData, DataMagic, 4) != 0) {
        lastResult = InvalidParameter;
        return;
    }
    TRegionReader reader(regionData + 4, std::size_t(size) - 4);
    GpRegionTree tree = reader.Read(0);
    if (!tree || !reader.AtEnd()) {
        lastResult = InvalidParameter;
        return;
    }
    nativeRegion = new GpRegion{tree};
}

Cardinal TGPRegion::GetDataSize() {
    if (!nativeRegion) return SetStatus(InvalidParameter), 0;
    return Cardinal(Serialize(*nativeRegion->Root).size());
}

Status TGPRegion::GetData(Byte* buffer, Cardinal bufferSize, Cardinal* sizeFilled) {
    if (!nativeRegion || !buffer) return SetStatus(InvalidParameter);
    const std::vector<Byte> data = Serialize(*nativeRegion->Root);
    if (bufferSize < data.size()) return SetStatus(InsufficientBuffer);
    std::memcpy(buffer, data.data(), data.size());
    if (sizeFilled) *sizeFilled = Cardinal(data.size());
    return Ok;
}

// ---- Combining ----

namespace {

Status CombineInto(GpRegion* region, GpRegionTree other, CombineMode mode) {
    if (!region) return InvalidParameter;
    region->Root = detail::RegionCombine(region->Root, std::move(other), mode);
    return Ok;
}

} // namespace

#define GP_REGION_COMBINE(Name, Mode)                                                                        \
    Status TGPRegion::Name(const TGPRect& rect) {                                                            \
        return SetStatus(CombineInto(nativeRegion, detail::RegionRect(ToF(rect)), Mode));                    \
    }                                                                                                        \
    Status TGPRegion::Name(const TGPRectF& rect) {                                                           \
        return SetStatus(CombineInto(nativeRegion, detail::RegionRect(rect), Mode));                         \
    }                                                                                                        \
    Status TGPRegion::Name(const TGPGraphicsPath* path) {                                                    \
        if (!path || !path->nativePath) return SetStatus(InvalidParameter);                                  \
        return SetStatus(CombineInto(nativeRegion, detail::RegionPath(*path->nativePath), Mode));            \
    }                                                                                                        \
    Status TGPRegion::Name(const TGPRegion* region) {                                                        \
        if (!region || !region->nativeRegion) return SetStatus(InvalidParameter);                            \
        return SetStatus(CombineInto(nativeRegion, region->nativeRegion->Root, Mode));                       \
    }

GP_REGION_COMBINE(Intersect, CombineModeIntersect)
GP_REGION_COMBINE(Union, CombineModeUnion)
GP_REGION_COMBINE(Xor_, CombineModeXor)
GP_REGION_COMBINE(Exclude, CombineModeExclude)
GP_REGION_COMBINE(Complement, CombineModeComplement)
#undef GP_REGION_COMBINE

Status TGPRegion::Translate(Single dx, Single dy) {
    if (!nativeRegion) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, dx, dy);
    nativeRegion->Root = detail::RegionTransform(nativeRegion->Root, m);
    return Ok;
}

Status TGPRegion::Translate(Integer dx, Integer dy) {
    return Translate(Single(dx), Single(dy));
}

Status TGPRegion::Transform(const TGPMatrix* matrix) {
    if (!nativeRegion || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    nativeRegion->Root = detail::RegionTransform(nativeRegion->Root, matrix->nativeMatrix->Value);
    return Ok;
}

// ---- Queries ----

namespace {

cairo_matrix_t DeviceOf(const TGPGraphics* g) {
    cairo_matrix_t m;
    if (g && g->nativeGraphics)
        m = g->nativeGraphics->WorldToDevice();
    else
        cairo_matrix_init_identity(&m);
    return m;
}

} // namespace

Status TGPRegion::GetBounds(TGPRectF& rect, const TGPGraphics* g) {
    if (!nativeRegion || !g || !g->nativeGraphics) return SetStatus(InvalidParameter);
    TGPRectF bounds;
    rect = detail::RegionBounds(*nativeRegion->Root, bounds) ? bounds : TGPRectF{};
    return Ok;
}

Status TGPRegion::GetBounds(TGPRect& rect, const TGPGraphics* g) {
    TGPRectF f;
    const Status status = GetBounds(f, g);
    if (status != Ok) return status;
    const Integer x1 = Integer(std::floor(f.X)), y1 = Integer(std::floor(f.Y));
    rect = {x1, y1, Integer(std::ceil(f.X + f.Width)) - x1, Integer(std::ceil(f.Y + f.Height)) - y1};
    return Ok;
}

winapi::HRGN TGPRegion::GetHRGN(const TGPGraphics* g) {
    if (!nativeRegion || !g || !g->nativeGraphics) return SetStatus(InvalidParameter), nullptr;
    const cairo_matrix_t m = DeviceOf(g);
    const GpRegionNode& root = *nativeRegion->Root;
    return new TGdiRegion(detail::RegionPixels(root, m, detail::RegionWindow(root, m)));
}

bool TGPRegion::IsEmpty(const TGPGraphics* g) {
    if (!nativeRegion || !g || !g->nativeGraphics) return SetStatus(InvalidParameter), false;
    const cairo_matrix_t m = DeviceOf(g);
    const GpRegionNode& root = *nativeRegion->Root;
    if (detail::RegionIsInfinite(root)) return false;
    return detail::RegionPixels(root, m, detail::RegionWindow(root, m)).IsEmpty();
}

bool TGPRegion::IsInfinite(const TGPGraphics* g) {
    if (!nativeRegion || !g || !g->nativeGraphics) return SetStatus(InvalidParameter), false;
    return detail::RegionIsInfinite(*nativeRegion->Root);
}

bool TGPRegion::IsVisible(Single x, Single y, const TGPGraphics*) {
    if (!nativeRegion) return SetStatus(InvalidParameter), false;
    return detail::RegionContains(*nativeRegion->Root, x, y);
}

bool TGPRegion::IsVisible(const TGPPointF& p, const TGPGraphics* g) {
    return IsVisible(p.X, p.Y, g);
}

bool TGPRegion::IsVisible(Integer x, Integer y, const TGPGraphics* g) {
    return IsVisible(Single(x), Single(y), g);
}

bool TGPRegion::IsVisible(const TGPPoint& p, const TGPGraphics* g) {
    return IsVisible(Single(p.X), Single(p.Y), g);
}

bool TGPRegion::IsVisible(Single x, Single y, Single width, Single height, const TGPGraphics*) {
    if (!nativeRegion) return SetStatus(InvalidParameter), false;
    // Any part of the rectangle inside the region.
    const GpRegionTree probe = detail::RegionCombine(nativeRegion->Root, detail::RegionRect({x, y, width, height}),
                                                     CombineModeIntersect);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    return !detail::RegionPixels(*probe, identity, detail::RegionWindow(*probe, identity)).IsEmpty();
}

bool TGPRegion::IsVisible(const TGPRectF& r, const TGPGraphics* g) {
    return IsVisible(r.X, r.Y, r.Width, r.Height, g);
}

bool TGPRegion::IsVisible(Integer x, Integer y, Integer width, Integer height, const TGPGraphics* g) {
    return IsVisible(Single(x), Single(y), Single(width), Single(height), g);
}

bool TGPRegion::IsVisible(const TGPRect& r, const TGPGraphics* g) {
    return IsVisible(ToF(r), g);
}

bool TGPRegion::IsEqual(const TGPRegion* region, const TGPGraphics* g) {
    if (!nativeRegion || !region || !region->nativeRegion || !g || !g->nativeGraphics)
        return SetStatus(InvalidParameter), false;
    const GpRegionNode &a = *nativeRegion->Root, &b = *region->nativeRegion->Root;
    if (detail::RegionIsInfinite(a) || detail::RegionIsInfinite(b))
        return detail::RegionIsInfinite(a) == detail::RegionIsInfinite(b);
    const cairo_matrix_t m = DeviceOf(g);
    const GpRegionTree both = detail::RegionCombine(nativeRegion->Root, region->nativeRegion->Root, CombineModeUnion);
    const TRect window = detail::RegionWindow(*both, m);
    return detail::RegionPixels(a, m, window) == detail::RegionPixels(b, m, window);
}

namespace {

TPixelRegion ScansOf(const GpRegion& region, const TGPMatrix* matrix) {
    cairo_matrix_t m;
    if (matrix && matrix->nativeMatrix)
        m = matrix->nativeMatrix->Value;
    else
        cairo_matrix_init_identity(&m);
    return detail::RegionPixels(*region.Root, m, detail::RegionWindow(*region.Root, m));
}

} // namespace

Cardinal TGPRegion::GetRegionScansCount(const TGPMatrix* matrix) {
    if (!nativeRegion || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter), 0;
    return Cardinal(ScansOf(*nativeRegion, matrix).RectCount());
}

Status TGPRegion::GetRegionScans(const TGPMatrix* matrix, TGPRectF* rects, Integer& count) {
    if (!nativeRegion || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    const TPixelRegion pixels = ScansOf(*nativeRegion, matrix);
    if (rects) {
        const Integer n = std::min(count, pixels.RectCount());
        for (Integer i = 0; i < n; ++i) {
            const TRect r = pixels.RectAt(i);
            rects[i] = {Single(r.Left), Single(r.Top), Single(r.Width()), Single(r.Height())};
        }
    }
    count = pixels.RectCount();
    return Ok;
}

Status TGPRegion::GetRegionScans(const TGPMatrix* matrix, TGPRect* rects, Integer& count) {
    if (!nativeRegion || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    const TPixelRegion pixels = ScansOf(*nativeRegion, matrix);
    if (rects) {
        const Integer n = std::min(count, pixels.RectCount());
        for (Integer i = 0; i < n; ++i) {
            const TRect r = pixels.RectAt(i);
            rects[i] = {r.Left, r.Top, r.Width(), r.Height()};
        }
    }
    count = pixels.RectCount();
    return Ok;
}
