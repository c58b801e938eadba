#include "kel/KelTypes.h"
#include "rtl/MathUtils.h"

#include <algorithm>
#include <cmath>

namespace {

// Equal within single precision: a relative tolerance of 1E-4 on the smaller
// magnitude, and never less than 1E-4, the usual resolution for 32-bit floats.
bool SameSingle(Single a, Single b) {
    constexpr double resolution = 1E-4;
    const double epsilon =
        std::max(std::min(std::fabs(double(a)), std::fabs(double(b))) * resolution, resolution);
    return std::fabs(double(a) - double(b)) <= epsilon;
}

Single RoundF(double value) {
    return Single(Round(value));
}

} // namespace

Single RectWidthF(const TRectF& ARect) {
    return ARect.Right - ARect.Left;
}

Single RectHeightF(const TRectF& ARect) {
    return ARect.Bottom - ARect.Top;
}

bool OffsetRectF(TRectF& ARect, Single DX, Single DY) {
    ARect.Left += DX;
    ARect.Right += DX;
    ARect.Top += DY;
    ARect.Bottom += DY;
    return true;
}

void InflateRectF(TRectF& ARect, Single DX, Single DY) {
    ARect.Left -= DX;
    ARect.Right += DX;
    ARect.Top -= DY;
    ARect.Bottom += DY;
}

bool PtInRectF(const TRectF& ARect, const TPointF& APoint) {
    return APoint.X >= ARect.Left && APoint.X < ARect.Right && APoint.Y >= ARect.Top &&
           APoint.Y < ARect.Bottom;
}

bool RectIntersectsF(const TRectF& ARect1, const TRectF& ARect2) {
    return ARect1.Left < ARect2.Right && ARect2.Left < ARect1.Right && ARect1.Top < ARect2.Bottom &&
           ARect2.Top < ARect1.Bottom;
}

bool IntersectRectF(TRectF& ADest, const TRectF& ARect1, const TRectF& ARect2) {
    ADest = {std::max(ARect1.Left, ARect2.Left), std::max(ARect1.Top, ARect2.Top),
             std::min(ARect1.Right, ARect2.Right), std::min(ARect1.Bottom, ARect2.Bottom)};
    if (IsRectEmptyF(ADest)) {
        ADest = {};
        return false;
    }
    return true;
}

bool IsRectEmptyF(const TRectF& ARect) {
    return ARect.Right < ARect.Left || SameSingle(ARect.Right, ARect.Left) || ARect.Bottom < ARect.Top ||
           SameSingle(ARect.Bottom, ARect.Top);
}

TRectF CenterRectF(const TRectF& ARect, const TRectF& ABounds) {
    const Single width = RectWidthF(ARect);
    const Single height = RectHeightF(ARect);
    TRectF result{0, 0, width, height};
    OffsetRectF(result, RoundF((double(RectWidthF(ABounds)) - width) / 2),
                RoundF((double(RectHeightF(ABounds)) - height) / 2));
    OffsetRectF(result, ABounds.Left, ABounds.Top);
    return result;
}

void CenterRectF(TRectF& ARect, const TRectF& ABounds, TRectF& AResult) {
    ARect = CenterRectF(static_cast<const TRectF&>(ARect), ABounds);
    AResult = ARect;
}

TRectF FitRectF(const TRectF& ARect, const TRectF& ABounds, Single& AScale) {
    const Single width = RectWidthF(ARect);
    const Single height = RectHeightF(ARect);
    const Single boundsWidth = RectWidthF(ABounds);
    const Single boundsHeight = RectHeightF(ABounds);
    AScale = 1;
    if (boundsWidth <= 0 || boundsHeight <= 0) return ARect;
    const Single scale = std::max(height / boundsHeight, width / boundsWidth);
    // A rectangle without size cannot be scaled to fit (it would divide by zero).
    if (!(scale > 0)) return ARect;
    AScale = scale;
    return CenterRectF(TRectF{0, 0, width / scale, height / scale}, ABounds);
}

TRectF FitRectF(const TRectF& ARect, const TRectF& ABounds) {
    Single scale;
    return FitRectF(ARect, ABounds, scale);
}

TRectF SnapRectToPixelsF(const TRectF& ARect, bool AHalfPixel, Single AScale) {
    const double s = AScale > 0 ? AScale : 1;
    TRectF result;
    result.Left = Single(double(Trunc(ARect.Left * s)) / s);
    result.Top = Single(double(Trunc(ARect.Top * s)) / s);
    result.Right = Single(double(Round((double(ARect.Right) - ARect.Left) * s)) / s + result.Left);
    result.Bottom = Single(double(Round((double(ARect.Bottom) - ARect.Top) * s)) / s + result.Top);
    if (AHalfPixel) OffsetRectF(result, Single(1 / (2 * s)), Single(1 / (2 * s)));
    return result;
}

Single PointLengthF(const TPointF& APoint) {
    return Single(std::sqrt(double(APoint.X) * APoint.X + double(APoint.Y) * APoint.Y));
}

TRect RectFToRect(const TRectF& ARect) {
    return {Integer(Round(ARect.Left)), Integer(Round(ARect.Top)), Integer(Round(ARect.Right)),
            Integer(Round(ARect.Bottom))};
}

TRectF RectToRectF(const TRect& ARect) {
    return {Single(ARect.Left), Single(ARect.Top), Single(ARect.Right), Single(ARect.Bottom)};
}

TPointF PointToPointF(const TPoint& APoint) {
    return {Single(APoint.X), Single(APoint.Y)};
}

TSize SizeFToSize(const TSizeF& ASize) {
    return {Integer(Round(ASize.cx)), Integer(Round(ASize.cy))};
}
