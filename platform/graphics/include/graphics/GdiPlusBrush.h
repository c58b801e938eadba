#pragma once
// GDI+-style brushes and pens.

#include "graphics/GdiPlusGeometry.h"

namespace detail {
struct GpBrush;
struct GpPen;
} // namespace detail

class TGPBrush : public TGdiplusBase {
public:
    TGPBrush(); // records NotImplemented: only the concrete brushes create
    ~TGPBrush() override;
    TGPBrush* Clone();
    BrushType GetType();

    detail::GpBrush* nativeBrush = nullptr;

protected:
    TGPBrush(detail::GpBrush* native, Status status);
    explicit TGPBrush(detail::GpBrush* native);
};

class TGPSolidBrush : public TGPBrush {
public:
    explicit TGPSolidBrush(ARGB color);
    Status GetColor(ARGB& color);
    Status SetColor(ARGB color);

protected:
    explicit TGPSolidBrush(detail::GpBrush* native) : TGPBrush(native) {}
};

class TGPLinearGradientBrush : public TGPBrush {
public:
    TGPLinearGradientBrush(const TGPPointF& point1, const TGPPointF& point2, ARGB color1, ARGB color2);
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, Single angle,
                           bool isAngleScalable = false);
    Status SetLinearColors(ARGB color1, ARGB color2);
    Status GetLinearColors(ARGB* colors);
    Status GetRectangle(TGPRectF& rect);
    Status SetGammaCorrection(bool useGammaCorrection);
    Status SetInterpolationColors(const ARGB* presetColors, const Single* blendPositions, Integer count);
    Status SetTransform(const TGPMatrix* matrix);
    Status GetTransform(TGPMatrix* matrix);
    Status SetWrapMode(WrapMode wrapMode);
    WrapMode GetWrapMode();

protected:
    explicit TGPLinearGradientBrush(detail::GpBrush* native) : TGPBrush(native) {}
};

class TGPPathGradientBrush : public TGPBrush {
public:
    TGPPathGradientBrush(const TGPPointF* points, Integer count, WrapMode wrapMode = WrapModeClamp);
    explicit TGPPathGradientBrush(const TGPGraphicsPath* path);
    Status GetCenterColor(ARGB& color);
    Status SetCenterColor(ARGB color);
    Integer GetPointCount();
    Integer GetSurroundColorCount();
    Status GetSurroundColors(ARGB* colors, Integer& count);
    Status SetSurroundColors(const ARGB* colors, Integer& count);
    Status GetCenterPoint(TGPPointF& point);
    Status GetCenterPoint(TGPPoint& point);
    Status SetCenterPoint(const TGPPointF& point);
    Status SetCenterPoint(const TGPPoint& point);
    Status SetInterpolationColors(const ARGB* presetColors, const Single* blendPositions, Integer count);
    Status SetGammaCorrection(bool useGammaCorrection);
    Status SetWrapMode(WrapMode wrapMode);
    Status SetTransform(const TGPMatrix* matrix);
    Status GetTransform(TGPMatrix* matrix);
};

class TGPPen : public TGdiplusBase {
public:
    TGPPen(ARGB color, Single width = 1, Unit_ unit = UnitWorld);
    TGPPen(const TGPBrush* brush, Single width = 1, Unit_ unit = UnitWorld);
    ~TGPPen() override;

    TGPPen* Clone();
    Status SetWidth(Single width);
    Single GetWidth();
    Status SetLineCap(LineCap startCap, LineCap endCap, DashCap dashCap);
    Status SetStartCap(LineCap startCap);
    Status SetEndCap(LineCap endCap);
    LineCap GetStartCap();
    LineCap GetEndCap();
    Status SetLineJoin(LineJoin lineJoin);
    LineJoin GetLineJoin();
    Status SetMiterLimit(Single miterLimit);
    Single GetMiterLimit();
    PenType GetPenType();
    Status SetColor(ARGB color);
    // WrongState, unrecorded, for a pen that is not a solid colour.
    Status GetColor(ARGB& color);
    Status SetBrush(const TGPBrush* brush);
    // A new brush object of the pen's fill kind; the caller owns it.
    TGPBrush* GetBrush();
    Status SetDashStyle(DashStyle dashStyle);
    DashStyle GetDashStyle();
    Status SetDashOffset(Single dashOffset);
    Single GetDashOffset();

    detail::GpPen* nativePen = nullptr;

protected:
    TGPPen(detail::GpPen* native, Status status);
};
