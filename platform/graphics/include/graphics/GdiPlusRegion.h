#pragma once
// GDI+-style regions: areas built from rectangles and paths with the five
// combine modes, kept exactly (hit tests follow the shapes), and turned into
// whole pixels where pixels are asked for (scans, handles, emptiness and
// equality, tested at pixel centres).

#include "graphics/GdiObjects.h"
#include "graphics/GdiPlusGeometry.h"

namespace detail {
struct GpRegion;
} // namespace detail

class TGPGraphics;

class TGPRegion : public TGdiplusBase {
public:
    TGPRegion(); // infinite
    explicit TGPRegion(const TGPRectF& rect);
    explicit TGPRegion(const TGPRect& rect);
    explicit TGPRegion(const TGPGraphicsPath* path);
    // From the bytes GetData wrote.
    TGPRegion(const Byte* regionData, Integer size);
    explicit TGPRegion(winapi::HRGN hRgn);
    ~TGPRegion() override;

    // Null when the handle cannot be read.
    static TGPRegion* FromHRGN(winapi::HRGN hRgn);

    TGPRegion* Clone();
    Status MakeInfinite();
    Status MakeEmpty();
    Cardinal GetDataSize();
    Status GetData(Byte* buffer, Cardinal bufferSize, Cardinal* sizeFilled = nullptr);

    Status Intersect(const TGPRect& rect);
    Status Intersect(const TGPRectF& rect);
    Status Intersect(const TGPGraphicsPath* path);
    Status Intersect(const TGPRegion* region);
    Status Union(const TGPRect& rect);
    Status Union(const TGPRectF& rect);
    Status Union(const TGPGraphicsPath* path);
    Status Union(const TGPRegion* region);
    Status Xor_(const TGPRect& rect);
    Status Xor_(const TGPRectF& rect);
    Status Xor_(const TGPGraphicsPath* path);
    Status Xor_(const TGPRegion* region);
    Status Exclude(const TGPRect& rect);
    Status Exclude(const TGPRectF& rect);
    Status Exclude(const TGPGraphicsPath* path);
    Status Exclude(const TGPRegion* region);
    // The part of the argument outside this region.
    Status Complement(const TGPRect& rect);
    Status Complement(const TGPRectF& rect);
    Status Complement(const TGPGraphicsPath* path);
    Status Complement(const TGPRegion* region);

    Status Translate(Single dx, Single dy);
    Status Translate(Integer dx, Integer dy);
    Status Transform(const TGPMatrix* matrix);

    // In world units of the graphics (which must be given).
    Status GetBounds(TGPRect& rect, const TGPGraphics* g);
    Status GetBounds(TGPRectF& rect, const TGPGraphics* g);
    // The pixels of the region (through the graphics' transform), as a GDI
    // region handle the caller deletes; null on failure.
    winapi::HRGN GetHRGN(const TGPGraphics* g);
    bool IsEmpty(const TGPGraphics* g);
    bool IsInfinite(const TGPGraphics* g);

    bool IsVisible(Integer x, Integer y, const TGPGraphics* g = nullptr);
    bool IsVisible(const TGPPoint& point, const TGPGraphics* g = nullptr);
    bool IsVisible(Single x, Single y, const TGPGraphics* g = nullptr);
    bool IsVisible(const TGPPointF& point, const TGPGraphics* g = nullptr);
    bool IsVisible(Integer x, Integer y, Integer width, Integer height, const TGPGraphics* g);
    bool IsVisible(const TGPRect& rect, const TGPGraphics* g = nullptr);
    bool IsVisible(Single x, Single y, Single width, Single height, const TGPGraphics* g = nullptr);
    bool IsVisible(const TGPRectF& rect, const TGPGraphics* g = nullptr);
    // The same pixels through the graphics' transform.
    bool IsEqual(const TGPRegion* region, const TGPGraphics* g);

    // The region as rows of rectangles after the matrix.
    Cardinal GetRegionScansCount(const TGPMatrix* matrix);
    Status GetRegionScans(const TGPMatrix* matrix, TGPRectF* rects, Integer& count);
    Status GetRegionScans(const TGPMatrix* matrix, TGPRect* rects, Integer& count);

    detail::GpRegion* nativeRegion = nullptr;

protected:
    TGPRegion(detail::GpRegion* native, Status status);
};
