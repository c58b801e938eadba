#include "kel/KelGraphicsPath.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/MathUtils.h"

#include <cmath>
#include <limits>

namespace {

constexpr Single Pi = 3.14159265358979323846f;
constexpr Single HalfPi = Pi / 2;
// The flatness the hit tests flatten with.
constexpr Single HitTestFlatness = 0.25f;
// Curves are never flattened finer than this.
constexpr Single MinimumFlatness = 0.05f;
// Two polygon points closer than this in x and in y count as one.
constexpr Single SamePointTolerance = 0.001f;
// A single curve is never cut into more lines than this, so that a curve of
// enormous length (coordinates from a broken file) cannot exhaust memory.
constexpr Integer MaximumCurvePoints = 1 << 17;

TPointF operator+(const TPointF& A, const TPointF& B) {
    return {A.X + B.X, A.Y + B.Y};
}
TPointF operator-(const TPointF& A, const TPointF& B) {
    return {A.X - B.X, A.Y - B.Y};
}
TPointF operator*(const TPointF& A, Single Factor) {
    return {A.X * Factor, A.Y * Factor};
}
TPointF operator/(const TPointF& A, Single Divisor) {
    return {A.X / Divisor, A.Y / Divisor};
}

// How many points a cubic segment is flattened to: its length, estimated from
// six samples, divided by the flatness and rounded. A length that is not a
// finite number (a coordinate that is not) gives 0: one straight line.
Integer CurveFlatteningCount(const TKelGraphicsPathCubicBezier& ASegment, Single AFlatness) {
    const TKelGraphicsPathPolygon Samples = TKelGraphicsPath::CreateBezier(ASegment, 6);
    Single Length = 0;
    for (size_t I = 1; I < Samples.size(); ++I)
        Length += PointLengthF(Samples[I] - Samples[I - 1]);
    const Single Flatness = AFlatness <= MinimumFlatness ? MinimumFlatness : AFlatness;
    const double Count = double(Length / Flatness);
    if (!std::isfinite(Count)) return 0;
    if (Count > MaximumCurvePoints) return MaximumCurvePoints;
    return Integer(Round(Count));
}

// The cubic segment whose curve entries start at AIndex, starting at ALast.
TKelGraphicsPathCubicBezier CurveSegment(const TKelGraphicsPathPoints& APoints, Integer AIndex,
                                         const TPointF& ALast) {
    return {ALast, APoints.Items(AIndex).Point, APoints.Items(AIndex + 1).Point,
            APoints.Items(AIndex + 2).Point};
}

} // namespace

// ---- Point list -------------------------------------------------------------------

const TKelGraphicsPathPoint& TKelGraphicsPathPoints::Items(Integer AIndex) const {
    if (AIndex < 0 || AIndex >= Count()) throw EArgumentOutOfRangeException(u"Argument out of range");
    return FItems[size_t(AIndex)];
}

void TKelGraphicsPathPoints::SetItems(Integer AIndex, const TKelGraphicsPathPoint& AValue) {
    if (AIndex < 0 || AIndex >= Count()) throw EArgumentOutOfRangeException(u"Argument out of range");
    FItems[size_t(AIndex)] = AValue;
}

// ---- Polygon routines -----------------------------------------------------------------

bool PolygonContainsPoint(const TPointF& APoint, const TKelGraphicsPathPolygon& APolygon) {
    if (APolygon.empty()) return false;
    Single MinX = APolygon[0].X, MaxX = APolygon[0].X, MinY = APolygon[0].Y, MaxY = APolygon[0].Y;
    for (const TPointF& Vertex : APolygon) {
        MinX = Min(MinX, Vertex.X);
        MaxX = Max(MaxX, Vertex.X);
        MinY = Min(MinY, Vertex.Y);
        MaxY = Max(MaxY, Vertex.Y);
    }
    if (APoint.X < MinX || APoint.X > MaxX || APoint.Y < MinY || APoint.Y > MaxY) return false;

    bool Inside = false;
    for (size_t I = 0, J = APolygon.size() - 1; I < APolygon.size(); J = I++) {
        const TPointF& Vi = APolygon[I];
        const TPointF& Vj = APolygon[J];
        if ((APoint.Y >= Vi.Y) != (APoint.Y >= Vj.Y) && Vj.Y != Vi.Y) {
            const Single X = Vi.X + (Vj.X - Vi.X) * (APoint.Y - Vi.Y) / (Vj.Y - Vi.Y);
            if (X > APoint.X) Inside = !Inside;
        }
    }
    return Inside;
}

bool PolygonHasPointInRect(const TKelGraphicsPathPolygon& APolygon, const TRectF& ARect) {
    for (const TPointF& Vertex : APolygon)
        if (ARect.Left <= Vertex.X && Vertex.X < ARect.Right && ARect.Top <= Vertex.Y &&
            Vertex.Y < ARect.Bottom)
            return true;
    return false;
}

// ---- TKelGraphicsPath -------------------------------------------------------------------

const TClassInfo& TKelGraphicsPath::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TKelGraphicsPath, TPersistent>().Build();
    return Info;
}

void TKelGraphicsPath::Assign(const TPersistent* Source) {
    if (auto* Path = dynamic_cast<const TKelGraphicsPath*>(Source)) {
        FPoints = Path->FPoints;
        FFillMode = Path->FFillMode;
        return;
    }
    TPersistent::Assign(Source);
}

TPointF TKelGraphicsPath::LastPoint() const {
    return Count() == 0 ? TPointF() : FPoints.Items(Count() - 1).Point;
}

void TKelGraphicsPath::Append(TKelGraphicsPathPointKind AKind, const TPointF& P) {
    FPoints.Add({AKind, false, P});
}

void TKelGraphicsPath::MoveTo(const TPointF& P) {
    Append(gppMoveTo, P);
    FStartPoint = P;
}

void TKelGraphicsPath::LineTo(const TPointF& P) {
    Append(gppLineTo, P);
    if (P == FStartPoint) FClippable = true;
}

void TKelGraphicsPath::CurveTo(const TPointF& ControlPoint1, const TPointF& ControlPoint2,
                               const TPointF& EndPoint) {
    Append(gppCurveTo, ControlPoint1);
    Append(gppCurveTo, ControlPoint2);
    Append(gppCurveTo, EndPoint);
}

void TKelGraphicsPath::QuadCurveTo(const TPointF& ControlPoint, const TPointF& EndPoint) {
    const TPointF Last = LastPoint();
    CurveTo(Last / 3 + ControlPoint * 2 / 3, ControlPoint * 2 / 3 + EndPoint / 3, EndPoint);
}

void TKelGraphicsPath::SmoothCurveTo(const TPointF& ControlPoint2, const TPointF& EndPoint) {
    TPointF ControlPoint1 = ControlPoint2;
    if (Count() >= 3) {
        const TPointF Last = LastPoint();
        const TPointF Before = FPoints.Items(Count() - 2).Point;
        ControlPoint1 = Last + (Last - Before);
    }
    CurveTo(ControlPoint1, ControlPoint2, EndPoint);
}

void TKelGraphicsPath::ClosePath() {
    Append(gppClose, FStartPoint);
    FClippable = true;
}

void TKelGraphicsPath::AddLine(const TPointF& StartPoint, const TPointF& EndPoint) {
    if (Count() > 0)
        LineTo(StartPoint);
    else
        MoveTo(StartPoint);
    LineTo(EndPoint);
}

void TKelGraphicsPath::AddPolygon(const TKelGraphicsPathPolygon& APolygon) {
    for (const TPointF& Vertex : APolygon)
        LineTo(Vertex);
}

void TKelGraphicsPath::AddPath(const TKelGraphicsPath& APath) {
    // A copy first: the path may be added to itself.
    const TKelGraphicsPathPoints Other = APath.FPoints;
    for (const TKelGraphicsPathPoint& Point : Other)
        FPoints.Add(Point);
}

void TKelGraphicsPath::AddEllipse(const TRectF& ARect) {
    // The control-point distance of a quarter circle drawn as one cubic curve.
    constexpr Single Kappa = 0.5522848f;
    const Single L = ARect.Left, T = ARect.Top, R = ARect.Right, B = ARect.Bottom;
    const Single CX = (L + R) / 2, CY = (T + B) / 2;
    const Single KX = (R - L) / 2 * Kappa, KY = (B - T) / 2 * Kappa;
    MoveTo({L, CY});
    CurveTo({L, CY - KY}, {CX - KX, T}, {CX, T});
    CurveTo({CX + KX, T}, {R, CY - KY}, {R, CY});
    CurveTo({R, CY + KY}, {CX + KX, B}, {CX, B});
    CurveTo({CX - KX, B}, {L, CY + KY}, {L, CY});
    FClippable = true;
}

void TKelGraphicsPath::AddRectangle(const TRectF& ARect, Single ARoundingX, Single ARoundingY) {
    const Single L = ARect.Left, T = ARect.Top, R = ARect.Right, B = ARect.Bottom;
    if (ARoundingX == 0 && ARoundingY == 0) {
        MoveTo({L, T});
        LineTo({R, T});
        LineTo({R, B});
        LineTo({L, B});
    } else {
        const Single RX = ARoundingX, RY = ARoundingY;
        const TPointF Radius{RX, RY};
        MoveTo({L + RX, B});
        AddArc({L + RX, B - RY}, Radius, -270, 90);
        LineTo({L, B - RY});
        LineTo({L, T + RY});
        AddArc({L + RX, T + RY}, Radius, -180, 90);
        LineTo({L + RX, T});
        LineTo({R - RX, T});
        AddArc({R - RX, T + RY}, Radius, -90, 90);
        LineTo({R, T + RY});
        LineTo({R, B - RY});
        AddArc({R - RX, B - RY}, Radius, 0, 90);
        LineTo({R - RX, B});
        LineTo({L + RX, B});
    }
    ClosePath();
}

void TKelGraphicsPath::AddArc(const TPointF& Center, const TPointF& Radius, Single StartAngle,
                              Single SweepAngle) {
    constexpr Single TwoPi = 2 * Pi;
    Single Angle = StartAngle * Pi / 180;
    Single Sweep = SweepAngle * Pi / 180;
    Angle = Angle - TwoPi * std::trunc(Angle / TwoPi);
    if (std::isnan(Sweep) || Sweep > TwoPi)
        Sweep = TwoPi;
    else if (Sweep < -TwoPi)
        Sweep = -TwoPi;
    if (std::fabs(Sweep) < 1E-10f) return;

    // Quarter turns, the last one the rest of the sweep.
    const Single Step = Sweep >= 0 ? HalfPi : -HalfPi;
    Single Total = 0;
    bool First = true;
    for (bool Last = false; !Last;) {
        const Single Previous = Total;
        Single Slice = Step;
        Total += Step;
        Last = Sweep >= 0 ? Total >= Sweep - 0.01f : Total <= Sweep + 0.01f;
        if (Last) Slice = Sweep - Previous;
        AddArcSlice(Center, Radius, Angle, Slice, First);
        First = false;
        Angle += Slice;
    }
}

void TKelGraphicsPath::AddArcSlice(const TPointF& Center, const TPointF& Radius, Single AStart, Single ASweep,
                                   bool AFirst) {
    // The slice is built symmetric about the x axis on the unit circle, then
    // turned to its middle angle and scaled by the radii.
    const Single Phi = ASweep / 2;
    const Single CosPhi = std::cos(Phi), SinPhi = std::sin(Phi);
    const Single K = 4.0f / 3.0f * (1 - CosPhi);
    const Single H = SinPhi - CosPhi * K / SinPhi;
    const TPointF Unit[4] = {{CosPhi, -SinPhi}, {CosPhi + K, -H}, {CosPhi + K, H}, {CosPhi, SinPhi}};

    const Single Middle = AStart + Phi;
    const Single CosM = std::cos(Middle), SinM = std::sin(Middle);
    TPointF Points[4];
    for (Integer I = 0; I < 4; ++I) {
        const TPointF& U = Unit[I];
        Points[I] = {Center.X + Radius.X * (U.X * CosM - U.Y * SinM),
                     Center.Y + Radius.Y * (U.X * SinM + U.Y * CosM)};
    }
    if (AFirst) {
        if (Count() > 0)
            LineTo(Points[0]);
        else
            MoveTo(Points[0]);
    }
    CurveTo(Points[1], Points[2], Points[3]);
}

void TKelGraphicsPath::ApplyMatrix(const TKelGraphicsMatrix& AMatrix) {
    for (Integer I = 0; I < Count(); ++I) {
        TKelGraphicsPathPoint Point = FPoints.Items(I);
        if (Point.Kind == gppClose) continue;
        Point.Point = Point.Point * AMatrix;
        FPoints.SetItems(I, Point);
    }
}

TRectF TKelGraphicsPath::GetBounds() const {
    // Widened from the first point, so that paths anywhere in the plane get
    // their true bounds.
    bool Any = false;
    TRectF Bounds;
    for (const TKelGraphicsPathPoint& Point : FPoints) {
        if (Point.Kind == gppClose) continue;
        const TPointF& P = Point.Point;
        if (!Any) {
            Bounds = {P.X, P.Y, P.X, P.Y};
            Any = true;
            continue;
        }
        Bounds.Left = Min(Bounds.Left, P.X);
        Bounds.Top = Min(Bounds.Top, P.Y);
        Bounds.Right = Max(Bounds.Right, P.X);
        Bounds.Bottom = Max(Bounds.Bottom, P.Y);
    }
    if (!Any) return TRectF();
    if (std::fabs(Bounds.Right - Bounds.Left) <= SamePointTolerance)
        Bounds.Right = Bounds.Left + SamePointTolerance;
    if (std::fabs(Bounds.Bottom - Bounds.Top) <= SamePointTolerance)
        Bounds.Bottom = Bounds.Top + SamePointTolerance;
    return Bounds;
}

TPointF TKelGraphicsPath::PointOnBezier(const TPointF& StartPoint, Double AX, Double BX, Double CX, Double AY,
                                        Double BY, Double CY, Single T) {
    const Single T2 = T * T;
    const Single T3 = T2 * T;
    return {Single(AX * T3 + BX * T2 + CX * T + StartPoint.X),
            Single(AY * T3 + BY * T2 + CY * T + StartPoint.Y)};
}

TKelGraphicsPathPolygon TKelGraphicsPath::CreateBezier(const TKelGraphicsPathCubicBezier& Bezier,
                                                       Integer PointCount) {
    TKelGraphicsPathPolygon Result;
    if (PointCount <= 0) return Result;
    const TPointF &P0 = Bezier[0], &P1 = Bezier[1], &P2 = Bezier[2], &P3 = Bezier[3];
    const Double CX = 3.0 * (Double(P1.X) - P0.X), CY = 3.0 * (Double(P1.Y) - P0.Y);
    const Double BX = 3.0 * (Double(P2.X) - P1.X) - CX, BY = 3.0 * (Double(P2.Y) - P1.Y) - CY;
    const Double AX = Double(P3.X) - P0.X - CX - BX, AY = Double(P3.Y) - P0.Y - CY - BY;
    const Double Increment = 1.0 / (PointCount - 1);
    Result.reserve(size_t(PointCount));
    Double T = 0;
    for (Integer K = 0; K < PointCount; ++K) {
        Result.push_back(PointOnBezier(P0, AX, BX, CX, AY, BY, CY, Single(T)));
        T += Increment;
    }
    return Result;
}

void TKelGraphicsPath::Flatten(Single Flatness) {
    if (Count() == 0) return;
    // Built apart and taken over at the end, so that a broken curve entry
    // leaves the path as it was.
    TKelGraphicsPath Flat;
    Flat.FStartPoint = FStartPoint;
    Flat.FClippable = FClippable;
    TPointF Last;
    for (Integer I = 0; I < Count(); ++I) {
        const TKelGraphicsPathPoint& Point = FPoints.Items(I);
        switch (Point.Kind) {
        case gppMoveTo:
            Flat.MoveTo(Point.Point);
            Last = Point.Point;
            break;
        case gppLineTo:
            Flat.LineTo(Point.Point);
            Last = Point.Point;
            break;
        case gppCurveTo: {
            const TKelGraphicsPathCubicBezier Segment = CurveSegment(FPoints, I, Last);
            I += 2;
            const Integer PointCount = CurveFlatteningCount(Segment, Flatness);
            if (PointCount > 1)
                for (const TPointF& Sample : CreateBezier(Segment, PointCount))
                    Flat.LineTo(Sample);
            else
                Flat.LineTo(Segment[3]);
            Last = Segment[3];
            break;
        }
        case gppClose:
            Flat.ClosePath();
            break;
        }
    }
    FPoints = std::move(Flat.FPoints);
    FStartPoint = Flat.FStartPoint;
    FClippable = Flat.FClippable;
}

void TKelGraphicsPath::FlattenToPolygon(TKelGraphicsPathPolygon& Polygon, Single Flatness) const {
    Polygon.clear();
    auto Add = [&Polygon](const TPointF& Q) {
        if (!Polygon.empty()) {
            const TPointF& End = Polygon.back();
            if (std::fabs(End.X - Q.X) <= SamePointTolerance && std::fabs(End.Y - Q.Y) <= SamePointTolerance)
                return;
        }
        Polygon.push_back(Q);
    };
    TPointF Last, SubpathStart;
    for (Integer I = 0; I < Count(); ++I) {
        const TKelGraphicsPathPoint& Point = FPoints.Items(I);
        switch (Point.Kind) {
        case gppMoveTo:
            Add(Point.Point);
            Last = SubpathStart = Point.Point;
            break;
        case gppLineTo:
            Add(Point.Point);
            Last = Point.Point;
            break;
        case gppCurveTo: {
            const TKelGraphicsPathCubicBezier Segment = CurveSegment(FPoints, I, Last);
            I += 2;
            const Integer PointCount = CurveFlatteningCount(Segment, Flatness);
            if (PointCount > 1) {
                for (const TPointF& Sample : CreateBezier(Segment, PointCount))
                    Add(Sample);
            } else {
                Add(Last);
                Add(Segment[3]);
            }
            Last = Segment[3];
            break;
        }
        case gppClose:
            Add(SubpathStart);
            break;
        }
    }
}

bool TKelGraphicsPath::IsPointVisible(const TPointF& P) const {
    TKelGraphicsPathPolygon Polygon;
    FlattenToPolygon(Polygon, HitTestFlatness);
    return PolygonContainsPoint(P, Polygon);
}

bool TKelGraphicsPath::IsRectVisible(const TRectF& R) const {
    TKelGraphicsPathPolygon Polygon;
    FlattenToPolygon(Polygon, HitTestFlatness);
    return PolygonHasPointInRect(Polygon, R);
}
