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
    // Maps the rectangle's top left, top right and bottom left corners onto
    // the three points (InvalidParameter and a null handle for an empty
    // rectangle).
    TGPMatrix(const TGPRectF& rect, const TGPPointF* dstplg);
    TGPMatrix(const TGPRect& rect, const TGPPoint* dstplg);
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
    Status TransformVectors(TGPPoint* points, Integer count = 1);
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
    PathPointTypeDashMode = 0x10,
    PathPointTypePathMarker = 0x20,
    PathPointTypeCloseSubpath = 0x80
};

// Points and their types, laid out as GDI+'s path-data record: Count, then
// the two arrays. It frees the arrays it holds.
class TPathData {
public:
    TPathData() = default;
    TPathData(const TPathData&) = delete;
    TPathData& operator=(const TPathData&) = delete;
    ~TPathData();

    Integer Count = 0;
    TGPPointF* Points = nullptr;
    Byte* Types = nullptr;
};

class TGPFontFamily;
class TGPStringFormat;

class TGPGraphicsPath : public TGdiplusBase {
public:
    explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);
    TGPGraphicsPath(const TGPPointF* points, const Byte* types, Integer count,
                    FillMode fillMode = FillModeAlternate);
    TGPGraphicsPath(const TGPPoint* points, const Byte* types, Integer count,
                    FillMode fillMode = FillModeAlternate);
    // A copy of the path.
    explicit TGPGraphicsPath(const TGPGraphicsPath* path);
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
    Status AddLine(const TGPPoint& pt1, const TGPPoint& pt2);
    Status AddLines(const TGPPointF* points, Integer count);
    Status AddLines(const TGPPoint* points, Integer count);
    Status AddArc(Single x, Single y, Single width, Single height, Single startAngle, Single sweepAngle);
    Status AddArc(const TGPRectF& rect, Single startAngle, Single sweepAngle);
    Status AddBezier(Single x1, Single y1, Single x2, Single y2, Single x3, Single y3, Single x4, Single y4);
    Status AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3, const TGPPointF& pt4);
    Status AddBezier(Integer x1, Integer y1, Integer x2, Integer y2, Integer x3, Integer y3, Integer x4, Integer y4);
    Status AddBezier(const TGPPoint& pt1, const TGPPoint& pt2, const TGPPoint& pt3, const TGPPoint& pt4);
    Status AddBeziers(const TGPPointF* points, Integer count);
    Status AddBeziers(const TGPPoint* points, Integer count);
    Status AddArc(Integer x, Integer y, Integer width, Integer height, Single startAngle, Single sweepAngle);
    Status AddArc(const TGPRect& rect, Single startAngle, Single sweepAngle);
    // A cardinal spline through the points (tension 0: straight lines).
    Status AddCurve(const TGPPointF* points, Integer count, Single tension = 0.5f);
    // Only the segments from `offset`, `numberOfSegments` of them.
    Status AddCurve(const TGPPointF* points, Integer count, Integer offset, Integer numberOfSegments,
                    Single tension);
    Status AddCurve(const TGPPoint* points, Integer count, Single tension = 0.5f);
    Status AddCurve(const TGPPoint* points, Integer count, Integer offset, Integer numberOfSegments,
                    Single tension);
    Status AddClosedCurve(const TGPPointF* points, Integer count, Single tension = 0.5f);
    Status AddClosedCurve(const TGPPoint* points, Integer count, Single tension = 0.5f);
    Status AddRectangle(const TGPRectF& rect);
    Status AddRectangle(const TGPRect& rect);
    Status AddRectangles(const TGPRectF* rects, Integer count);
    Status AddRectangles(const TGPRect* rects, Integer count);
    Status AddEllipse(Single x, Single y, Single width, Single height);
    Status AddEllipse(const TGPRectF& rect);
    Status AddEllipse(Integer x, Integer y, Integer width, Integer height);
    Status AddEllipse(const TGPRect& rect);
    Status AddPie(Single x, Single y, Single width, Single height, Single startAngle, Single sweepAngle);
    Status AddPie(const TGPRectF& rect, Single startAngle, Single sweepAngle);
    Status AddPie(Integer x, Integer y, Integer width, Integer height, Single startAngle, Single sweepAngle);
    Status AddPie(const TGPRect& rect, Single startAngle, Single sweepAngle);
    Status AddPolygon(const TGPPointF* points, Integer count);
    Status AddPolygon(const TGPPoint* points, Integer count);
    Status AddPath(const TGPGraphicsPath* addingPath, bool connect);
    // The outlines of the text's glyphs, laid out as DrawString lays it out
    // with an em of `emSize` world units.
    Status AddString(const String& string, Integer length, const TGPFontFamily* family, Integer style,
                     Single emSize, const TGPPointF& origin, const TGPStringFormat* format);
    Status AddString(const String& string, Integer length, const TGPFontFamily* family, Integer style,
                     Single emSize, const TGPRectF& layoutRect, const TGPStringFormat* format);
    Status AddString(const String& string, Integer length, const TGPFontFamily* family, Integer style,
                     Single emSize, const TGPPoint& origin, const TGPStringFormat* format);
    Status AddString(const String& string, Integer length, const TGPFontFamily* family, Integer style,
                     Single emSize, const TGPRect& layoutRect, const TGPStringFormat* format);
    Status SetMarker();
    Status ClearMarkers();
    Status Reverse();
    Status Transform(const TGPMatrix* matrix);
    // Bounds of the points after the optional matrix, widened by half the
    // optional pen's width.
    Status GetBounds(TGPRectF& bounds, const TGPMatrix* matrix = nullptr, const TGPPen* pen = nullptr);
    Status GetBounds(TGPRect& bounds, const TGPMatrix* matrix = nullptr, const TGPPen* pen = nullptr);
    // Curves become lines no farther than `flatness` from them.
    Status Flatten(const TGPMatrix* matrix = nullptr, Single flatness = 0.25f);
    // The area the pen covers, as figures that fill it with the winding
    // rule (the path's fill mode becomes winding).
    Status Widen(const TGPPen* pen, const TGPMatrix* matrix = nullptr, Single flatness = 0.25f);
    // The winding-rule area as figures that fill the same area with either
    // rule: rows of whole units after the matrix.
    Status Outline(const TGPMatrix* matrix = nullptr, Single flatness = 0.25f);
    // Maps the source rectangle onto the quadrilateral of the destination
    // points (three give a parallelogram), perspective or bilinear.
    Status Warp(const TGPPointF* destPoints, Integer count, const TGPRectF& srcRect,
                const TGPMatrix* matrix = nullptr, WarpMode warpMode = WarpModePerspective,
                Single flatness = 0.25f);
    Integer GetPointCount();
    Status GetPathData(TPathData* pathData);
    Status GetPathPoints(TGPPoint* points, Integer count);
    Status GetPathPoints(TGPPointF* points, Integer count);
    Status GetPathTypes(Byte* types, Integer count);
    Status GetLastPoint(TGPPointF& lastPoint);
    // Inside the fill (the graphics' transform is not needed here).
    bool IsVisible(Single x, Single y, const TGPGraphics* g = nullptr);
    bool IsVisible(const TGPPointF& point, const TGPGraphics* g = nullptr);
    bool IsVisible(Integer x, Integer y, const TGPGraphics* g = nullptr);
    bool IsVisible(const TGPPoint& point, const TGPGraphics* g = nullptr);
    // On the line the pen would draw.
    bool IsOutlineVisible(Single x, Single y, const TGPPen* pen, const TGPGraphics* g = nullptr);
    bool IsOutlineVisible(const TGPPointF& point, const TGPPen* pen, const TGPGraphics* g = nullptr);
    bool IsOutlineVisible(Integer x, Integer y, const TGPPen* pen, const TGPGraphics* g = nullptr);
    bool IsOutlineVisible(const TGPPoint& point, const TGPPen* pen, const TGPGraphics* g = nullptr);

    detail::GpPath* nativePath = nullptr;

protected:
    TGPGraphicsPath(detail::GpPath* native, Status status);
};
