#pragma once
// GDI+-style brushes and pens.

#include "graphics/GdiPlusGeometry.h"

namespace detail {
struct GpBrush;
struct GpPen;
struct GpCustomLineCap;
} // namespace detail

class TGPImage;
class TGPImageAttributes;

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

// The concrete brushes' parameterless constructors make an object with a
// null handle and status Ok, for a handle to be stored in it afterwards.
class TGPSolidBrush : public TGPBrush {
public:
    TGPSolidBrush();
    explicit TGPSolidBrush(ARGB color);
    Status GetColor(ARGB& color);
    Status SetColor(ARGB color);

protected:
    explicit TGPSolidBrush(detail::GpBrush* native) : TGPBrush(native) {}
};

// An 8 by 8 pattern of the foreground on the background, repeated from the
// graphics' rendering origin in device pixels.
class TGPHatchBrush : public TGPBrush {
public:
    TGPHatchBrush();
    TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor = 0xFF000000);
    HatchStyle GetHatchStyle();
    Status GetForegroundColor(ARGB& color);
    Status GetBackgroundColor(ARGB& color);
};

// An image (or a part of it) repeated by the wrap mode, through the brush's
// transform.
class TGPTextureBrush : public TGPBrush {
public:
    explicit TGPTextureBrush(TGPImage* image, WrapMode wrapMode = WrapModeTile);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRectF& dstRect);
    TGPTextureBrush(TGPImage* image, const TGPRectF& dstRect, const TGPImageAttributes* imageAttributes = nullptr);
    TGPTextureBrush(TGPImage* image, const TGPRect& dstRect, const TGPImageAttributes* imageAttributes = nullptr);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRect& dstRect);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, Single dstX, Single dstY, Single dstWidth,
                    Single dstHeight);
    TGPTextureBrush(TGPImage* image, WrapMode wrapMode, Integer dstX, Integer dstY, Integer dstWidth,
                    Integer dstHeight);
    Status SetTransform(const TGPMatrix* matrix);
    Status GetTransform(TGPMatrix* matrix);
    Status ResetTransform();
    Status MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status TranslateTransform(Single dx, Single dy, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(Single sx, Single sy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(Single angle, MatrixOrder order = MatrixOrderPrepend);
    Status SetWrapMode(WrapMode wrapMode);
    WrapMode GetWrapMode();
    // A new image of the texture; the caller owns it.
    TGPImage* GetImage();

    TGPTextureBrush();
};

// Gradients blend their colours by a blend (factors of the second colour,
// or of the centre colour, at positions 0..1 along the gradient; at least
// two, the first at 0 and the last at 1) or by interpolation colours (a
// colour at each such position); setting one drops the other. With gamma
// correction the colours blend in linear light.
class TGPLinearGradientBrush : public TGPBrush {
public:
    TGPLinearGradientBrush();
    TGPLinearGradientBrush(const TGPPointF& point1, const TGPPointF& point2, ARGB color1, ARGB color2);
    TGPLinearGradientBrush(const TGPPoint& point1, const TGPPoint& point2, ARGB color1, ARGB color2);
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, LinearGradientMode mode);
    TGPLinearGradientBrush(const TGPRectF& rect, ARGB color1, ARGB color2, Single angle,
                           bool isAngleScalable = false);
    TGPLinearGradientBrush(const TGPRect& rect, ARGB color1, ARGB color2, Single angle,
                           bool isAngleScalable = false);
    Status SetLinearColors(ARGB color1, ARGB color2);
    // Writes both colours only on success.
    Status GetLinearColors(ARGB* colors);
    Status GetRectangle(TGPRectF& rect);
    Status GetRectangle(TGPRect& rect);
    Status SetGammaCorrection(bool useGammaCorrection);
    bool GetGammaCorrection();
    Integer GetBlendCount();
    Status SetBlend(const Single* blendFactors, const Single* blendPositions, Integer count);
    // InvalidParameter without a positive count and both arrays,
    // InsufficientBuffer when the count is below the blend's.
    Status GetBlend(Single* blendFactors, Single* blendPositions, Integer count);
    // 0 without interpolation colours.
    Integer GetInterpolationColorCount();
    Status SetInterpolationColors(const ARGB* presetColors, const Single* blendPositions, Integer count);
    // InvalidParameter without a positive count, InsufficientBuffer below
    // the colours' count, WrongState when the brush has none.
    Status GetInterpolationColors(ARGB* presetColors, Single* blendPositions, Integer count);
    // A bell curve (normal distribution) or a triangle that reaches `scale`
    // of the second colour at `focus` (0..1) and falls to none at the ends.
    Status SetBlendBellShape(Single focus, Single scale = 1);
    Status SetBlendTriangularShape(Single focus, Single scale = 1);
    Status SetTransform(const TGPMatrix* matrix);
    Status GetTransform(TGPMatrix* matrix);
    Status ResetTransform();
    Status MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status TranslateTransform(Single dx, Single dy, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(Single sx, Single sy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(Single angle, MatrixOrder order = MatrixOrderPrepend);
    Status SetWrapMode(WrapMode wrapMode);
    WrapMode GetWrapMode();

protected:
    explicit TGPLinearGradientBrush(detail::GpBrush* native) : TGPBrush(native) {}
};

// The surround colours at the boundary's points blend into the centre
// colour at the centre point; the blend's positions run from the boundary
// (0) to the centre (1). Focus scales (0..1 each way) make an area of the
// boundary's shape, scaled about the centre, that holds the centre colour.
class TGPPathGradientBrush : public TGPBrush {
public:
    TGPPathGradientBrush();
    TGPPathGradientBrush(const TGPPointF* points, Integer count, WrapMode wrapMode = WrapModeClamp);
    TGPPathGradientBrush(const TGPPoint* points, Integer count, WrapMode wrapMode = WrapModeClamp);
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
    // The boundary, into the caller's path (InvalidParameter without one);
    // setting it keeps the colours and puts the centre at the new area's
    // centroid.
    Status GetGraphicsPath(TGPGraphicsPath* path);
    Status SetGraphicsPath(const TGPGraphicsPath* path);
    // The bounds of the boundary.
    Status GetRectangle(TGPRectF& rect);
    Status GetRectangle(TGPRect& rect);
    Status SetGammaCorrection(bool useGammaCorrection);
    bool GetGammaCorrection();
    Integer GetBlendCount();
    Status SetBlend(const Single* blendFactors, const Single* blendPositions, Integer count);
    Status GetBlend(Single* blendFactors, Single* blendPositions, Integer count);
    Integer GetInterpolationColorCount();
    Status SetInterpolationColors(const ARGB* presetColors, const Single* blendPositions, Integer count);
    Status GetInterpolationColors(ARGB* presetColors, Single* blendPositions, Integer count);
    Status SetBlendBellShape(Single focus, Single scale = 1);
    Status SetBlendTriangularShape(Single focus, Single scale = 1);
    Status SetTransform(const TGPMatrix* matrix);
    Status GetTransform(TGPMatrix* matrix);
    Status ResetTransform();
    Status MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status TranslateTransform(Single dx, Single dy, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(Single sx, Single sy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(Single angle, MatrixOrder order = MatrixOrderPrepend);
    Status GetFocusScales(Single& xScale, Single& yScale);
    Status SetFocusScales(Single xScale, Single yScale);
    Status SetWrapMode(WrapMode wrapMode);
    WrapMode GetWrapMode();
};

// A line end made of a fill path and a stroke path in a space where y runs
// along the line, outwards, and one unit is the pen's width.
class TGPCustomLineCap : public TGdiplusBase {
public:
    TGPCustomLineCap(); // a null handle, status Ok
    TGPCustomLineCap(const TGPGraphicsPath* fillPath, const TGPGraphicsPath* strokePath,
                     LineCap baseCap = LineCapFlat, Single baseInset = 0);
    ~TGPCustomLineCap() override;

    TGPCustomLineCap* Clone();
    Status SetStrokeCap(LineCap strokeCap);
    Status SetStrokeCaps(LineCap startCap, LineCap endCap);
    Status GetStrokeCaps(LineCap& startCap, LineCap& endCap);
    Status SetStrokeJoin(LineJoin lineJoin);
    LineJoin GetStrokeJoin();
    Status SetBaseCap(LineCap baseCap);
    LineCap GetBaseCap();
    Status SetBaseInset(Single inset);
    Single GetBaseInset();
    Status SetWidthScale(Single widthScale);
    Single GetWidthScale();

    detail::GpCustomLineCap* nativeCap = nullptr;

protected:
    TGPCustomLineCap(detail::GpCustomLineCap* native, Status status);
};

// An arrow head of a height and width in pen widths, its base pulled in by
// the middle inset, filled or outlined.
class TGPAdjustableArrowCap : public TGPCustomLineCap {
public:
    TGPAdjustableArrowCap(Single height, Single width, bool isFilled = true);
    Status SetHeight(Single height);
    Single GetHeight();
    Status SetWidth(Single width);
    Single GetWidth();
    Status SetMiddleInset(Single middleInset);
    Single GetMiddleInset();
    Status SetFillState(bool isFilled);
    bool IsFilled();
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
    Status SetDashCap(DashCap dashCap);
    DashCap GetDashCap();
    // Dash and gap lengths in pen widths; sets the style to custom.
    Status SetDashPattern(const Single* dashArray, Integer count);
    Integer GetDashPatternCount();
    Status GetDashPattern(Single* dashArray, Integer count);
    // Stripes across the width: pairs of increasing fractions 0..1.
    Status SetCompoundArray(const Single* compoundArray, Integer count);
    Integer GetCompoundArrayCount();
    Status GetCompoundArray(Single* compoundArray, Integer count);
    Status SetAlignment(PenAlignment penAlignment);
    PenAlignment GetAlignment();
    Status SetTransform(const TGPMatrix* matrix);
    Status GetTransform(TGPMatrix* matrix);
    Status ResetTransform();
    Status MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status TranslateTransform(Single dx, Single dy, MatrixOrder order = MatrixOrderPrepend);
    Status ScaleTransform(Single sx, Single sy, MatrixOrder order = MatrixOrderPrepend);
    Status RotateTransform(Single angle, MatrixOrder order = MatrixOrderPrepend);
    // A null cap removes the custom cap.
    Status SetCustomStartCap(const TGPCustomLineCap* customCap);
    Status SetCustomEndCap(const TGPCustomLineCap* customCap);
    // InvalidParameter without a cap object; otherwise the cap (or a null
    // handle) goes into it.
    Status GetCustomStartCap(TGPCustomLineCap* customCap);
    Status GetCustomEndCap(TGPCustomLineCap* customCap);

    detail::GpPen* nativePen = nullptr;

protected:
    TGPPen(detail::GpPen* native, Status status);
};
