#pragma once
// TKelGraphicsPath: the vector path of the drawing layer, a flat list of
// points each tagged as move, line, cubic-curve or close. A cubic segment is
// three consecutive curve entries (first control point, second control point,
// end point) that start at the point before them; a close entry carries the
// start point of its subpath.
//
// Angles are degrees measured from the positive x axis towards the positive
// y axis (clockwise on a screen whose y grows downwards).

#include "kel/KelGraphicsMatrix.h"
#include "kel/KelTypes.h"
#include "rtl/Persistent.h"

#include <array>
#include <vector>

RTL_ENUM(TKelGraphicsPathPointKind, gppMoveTo, gppLineTo, gppCurveTo, gppClose)
// How a filled path with crossing or nested figures is filled: the
// alternate (even-odd) rule or the winding (non-zero) rule.
RTL_ENUM(TKelGraphicsPathFillMode, gpfAlternate, gpfWinding)

struct TKelGraphicsPathPoint {
    TKelGraphicsPathPointKind Kind = gppMoveTo;
    bool Dummy = false; // carried along, read by nothing
    TPointF Point;
};

// The ordered point list of a path. Reading or replacing an entry outside
// 0..Count-1 raises EArgumentOutOfRangeException "Argument out of range".
class TKelGraphicsPathPoints {
public:
    Integer Count() const { return static_cast<Integer>(FItems.size()); }
    const TKelGraphicsPathPoint& Items(Integer AIndex) const;
    void SetItems(Integer AIndex, const TKelGraphicsPathPoint& AValue);
    void Add(const TKelGraphicsPathPoint& AValue) { FItems.push_back(AValue); }
    void Clear() { FItems.clear(); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    std::vector<TKelGraphicsPathPoint> FItems;
};

using TKelGraphicsPathPolygon = std::vector<TPointF>;
// Start, first control point, second control point, end.
using TKelGraphicsPathCubicBezier = std::array<TPointF, 4>;

// Even-odd test of APoint against the polygon; a point on a left or top edge
// is inside, on a right or bottom edge outside.
bool PolygonContainsPoint(const TPointF& APoint, const TKelGraphicsPathPolygon& APolygon);
// True when a vertex lies in ARect (left and top edges inside, right and bottom outside).
bool PolygonHasPointInRect(const TKelGraphicsPathPolygon& APolygon, const TRectF& ARect);

class TKelGraphicsPath : public TPersistent {
    RTL_CLASS(TKelGraphicsPath)
public:
    TKelGraphicsPath() = default;

    // From another path: its point list and fill mode (the start point and
    // Clippable stay).
    void Assign(const TPersistent* Source) override;

    // The path encloses an area: set by ClosePath, a line back to the start
    // point, ellipses and rectangles; kept by Clear.
    bool Clippable() const { return FClippable; }
    void SetClippable(bool Value) { FClippable = Value; }
    bool IsClippable() const { return FClippable; }

    // Alternate unless set; Assign copies it.
    TKelGraphicsPathFillMode FillMode() const { return FFillMode; }
    void SetFillMode(TKelGraphicsPathFillMode Value) { FFillMode = Value; }

    const TKelGraphicsPathPoints& PathData() const { return FPoints; }
    Integer Count() const { return FPoints.Count(); }

    // Removes every point; the start point and Clippable keep their values.
    void Clear() { FPoints.Clear(); }
    TKelGraphicsPathPoint GetPoint(Integer AIndex) const { return FPoints.Items(AIndex); }
    // The last point's coordinates; (0, 0) for an empty path.
    TPointF LastPoint() const;

    void MoveTo(const TPointF& P);
    void LineTo(const TPointF& P);
    void CurveTo(const TPointF& ControlPoint1, const TPointF& ControlPoint2, const TPointF& EndPoint);
    // A quadratic curve from the last point, raised to a cubic one.
    void QuadCurveTo(const TPointF& ControlPoint, const TPointF& EndPoint);
    // A cubic curve whose first control point mirrors the previous entry
    // about the last point.
    void SmoothCurveTo(const TPointF& ControlPoint2, const TPointF& EndPoint);
    void ClosePath();

    void AddLine(const TPointF& StartPoint, const TPointF& EndPoint);
    // A line to every vertex, the first included.
    void AddPolygon(const TKelGraphicsPathPolygon& APolygon);
    void AddPath(const TKelGraphicsPath& APath);
    // Four cubic curves round the ellipse in ARect, from its left middle.
    void AddEllipse(const TRectF& ARect);
    // A closed rectangle, with all four corners rounded by elliptic arcs of
    // radii (ARoundingX, ARoundingY) unless both are 0.
    void AddRectangle(const TRectF& ARect, Single ARoundingX = 0, Single ARoundingY = 0);
    // An elliptic arc of radii Radius.X and Radius.Y, as cubic curves of at
    // most a quarter turn each, joined to the path by a line (or opening it
    // with a move).
    void AddArc(const TPointF& Center, const TPointF& Radius, Single StartAngle, Single SweepAngle);

    // Transforms every point but the close entries; the start point stays.
    void ApplyMatrix(const TKelGraphicsMatrix& AMatrix);
    // The smallest rectangle round every point, control points included;
    // a zero width or height becomes 0.001. (0, 0, 0, 0) for an empty path.
    TRectF GetBounds() const;

    // The point a*t^3 + b*t^2 + c*t + start, per axis.
    static TPointF PointOnBezier(const TPointF& StartPoint, Double AX, Double BX, Double CX, Double AY,
                                 Double BY, Double CY, Single T);
    // PointCount points along the curve, evenly spaced in t from 0 to 1; an
    // empty result for 0.
    static TKelGraphicsPathPolygon CreateBezier(const TKelGraphicsPathCubicBezier& Bezier,
                                                Integer PointCount);

    // Rebuilds the path with straight lines only; a curve becomes about one
    // line per Flatness units of its length (Flatness at least 0.05).
    void Flatten(Single Flatness);
    // The whole path as one polygon, subpath after subpath, without
    // repeating a point that lies within 0.001 of the one before it.
    void FlattenToPolygon(TKelGraphicsPathPolygon& Polygon, Single Flatness) const;

    // Hit tests against the path flattened with flatness 0.25.
    bool IsPointVisible(const TPointF& P) const;
    bool IsRectVisible(const TRectF& R) const;

private:
    void Append(TKelGraphicsPathPointKind AKind, const TPointF& P);
    void AddArcSlice(const TPointF& Center, const TPointF& Radius, Single AStart, Single ASweep, bool AFirst);

    TPointF FStartPoint;
    bool FClippable = false;
    TKelGraphicsPathFillMode FFillMode = gpfAlternate;
    TKelGraphicsPathPoints FPoints;
};
