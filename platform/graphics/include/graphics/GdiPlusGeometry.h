#pragma once
// GDI+-style matrices and paths.

#include "graphics/GdiPlusTypes.h"

#include <vector>

namespace detail {
struct GpMatrix;
struct GpPath;
} // namespace detail

class TGPPen;
class TGPGraphics;

// A 2x3 affine matrix (m11, m12, m21, m22, dx, dy) in GDI+'s row-vector
// convention: a point (x, y) maps to (x*m11 + y*m21 + dx, x*m12 + y*m22 + dy).
class TGPMatrix : public TGdiplusBase {
public:
    TGPMatrix();
    TGPMatrix(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy);
    ~TGPMatrix() override;

    TGPMatrix* Clone();
    Status GetElements(Single* m); // six values
    Status SetElements(Single m11, Single m12, Single m21, Single m22, Single dx, Single dy);
    Single OffsetX();
    Single OffsetY();
    Status Reset();
    Status Multiply(const TGPMatrix* matrix, MatrixOrder order = MatrixOrderPrepend);
    Status Translate(Single offsetX, Single offsetY, MatrixOrder order = MatrixOrderPrepend);
    Status Scale(Single scaleX, Single scaleY, MatrixOrder order = MatrixOrderPrepend);
    Status Rotate(Single angle, MatrixOrder order = MatrixOrderPrepend);
    Status RotateAt(Single angle, const TGPPointF& center, MatrixOrder order = MatrixOrderPrepend);
    Status Shear(Single shearX, Single shearY, MatrixOrder order = MatrixOrderPrepend);
    Status Invert();
    Status TransformPoints(TGPPointF* points, Integer count = 1);
    Status TransformPoints(TGPPoint* points, Integer count = 1);
    Status TransformVectors(TGPPointF* points, Integer count = 1);
    bool IsInvertible();
    bool IsIdentity();
    bool IsEqual(const TGPMatrix* matrix);

    detail::GpMatrix* nativeMatrix = nullptr;

protected:
    TGPMatrix(detail::GpMatrix* native, Status status);
};

// Path point types.
enum : Byte {
    PathPointTypeStart = 0,
    PathPointTypeLine = 1,
    PathPointTypeBezier = 3,
    PathPointTypePathTypeMask = 0x07,
    PathPointTypeCloseSubpath = 0x80
};

class TGPGraphicsPath : public TGdiplusBase {
public:
    explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);
    TGPGraphicsPath(const TGPPointF* points, const Byte* types, Integer count,
                    FillMode fillMode = FillModeAlternate);
    ~TGPGraphicsPath() override;

    TGPGraphicsPath* Clone();
    Status Reset();
    FillMode GetFillMode();
    Status SetFillMode(FillMode fillMode);
    Status StartFigure();
    Status CloseFigure();
    Status CloseAllFigures();
    Status AddLine(Single x1, Single y1, Single x2, Single y2);
    Status AddLine(const TGPPointF& pt1, const TGPPointF& pt2);
    Status AddLine(Integer x1, Integer y1, Integer x2, Integer y2);
    Status AddLines(const TGPPointF* points, Integer count);
    Status AddLines(const TGPPoint* points, Integer count);
    Status AddArc(Single x, Single y, Single width, Single height, Single startAngle, Single sweepAngle);
    Status AddArc(const TGPRectF& rect, Single startAngle, Single sweepAngle);
    Status AddBezier(Single x1, Single y1, Single x2, Single y2, Single x3, Single y3, Single x4, Single y4);
    Status AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3, const TGPPointF& pt4);
    Status AddCurve(const TGPPointF* points, Integer count, Single tension = 0.5f);
    Status AddRectangle(const TGPRectF& rect);
    Status AddRectangle(const TGPRect& rect);
    Status AddEllipse(Single x, Single y, Single width, Single height);
    Status AddEllipse(const TGPRectF& rect);
    Status AddPie(Single x, Single y, Single width, Single height, Single startAngle, Single sweepAngle);
    Status AddPolygon(const TGPPointF* points, Integer count);
    Status AddPolygon(const TGPPoint* points, Integer count);
    Status AddPath(const TGPGraphicsPath* addingPath, bool connect);
    Status Transform(const TGPMatrix* matrix);
    // Bounds of the points after the optional matrix, widened by half the
    // optional pen's width.
    Status GetBounds(TGPRectF& bounds, const TGPMatrix* matrix = nullptr, const TGPPen* pen = nullptr);
    Integer GetPointCount();
    Status GetPathPoints(TGPPointF* points, Integer count);
    Status GetPathTypes(Byte* types, Integer count);
    Status GetLastPoint(TGPPointF& lastPoint);

    detail::GpPath* nativePath = nullptr;

protected:
    TGPGraphicsPath(detail::GpPath* native, Status status);
};
