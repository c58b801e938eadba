#include "kel/KelGraphicsContext.h"

#include "kel/KelGraphics.h"
#include "rtl/MathUtils.h"

#include <algorithm>

TCanvas* TKelGraphicsContext::Canvas() const {
    return FGraphics ? FGraphics->Canvas() : nullptr;
}

TKelGraphicsPathHandle TKelGraphicsContext::ConvertToPath(const TKelGraphicsPath* APath, Single Flatness,
                                                          bool AKeepCurves) {
    TKelGraphicsPathHandle Path = CreatePath();
    if (!APath || APath->Count() == 0) return Path;
    if (Path && APath->FillMode() == gpfWinding) Path->SetFillMode(FillModeWinding);
    const Single Tolerance = std::max(Flatness, 0.05f);
    const TKelGraphicsPathPoints& Points = APath->PathData();
    TPointF Current;
    for (Integer I = 0; I < Points.Count(); ++I) {
        const TKelGraphicsPathPoint& P = Points.Items(I);
        switch (P.Kind) {
        case gppMoveTo:
            PathOpen(Path.get());
            PathMoveTo(Path.get(), P.Point);
            Current = P.Point;
            break;
        case gppLineTo:
            PathLineTo(Path.get(), P.Point);
            Current = P.Point;
            break;
        case gppCurveTo: {
            // A curve needs its two following entries; a truncated one ends the walk.
            if (I + 2 >= Points.Count()) return Path;
            const TKelGraphicsPathCubicBezier Bezier{Current, P.Point, Points.Items(I + 1).Point,
                                                     Points.Items(I + 2).Point};
            I += 2;
            if (AKeepCurves)
                PathCurveTo(Path.get(), Bezier, Tolerance);
            else
                TKelGraphicsContext::PathCurveTo(Path.get(), Bezier, Tolerance);
            Current = Bezier[3];
            break;
        }
        case gppClose:
            PathClose(Path.get());
            break;
        }
    }
    return Path;
}

void TKelGraphicsContext::PathCurveTo(TGPGraphicsPath* APath, const TKelGraphicsPathCubicBezier& ABezier,
                                      Single ATolerance) {
    const TKelGraphicsPathPolygon Estimate = TKelGraphicsPath::CreateBezier(ABezier, 6);
    Double Length = 0;
    for (size_t K = 1; K < Estimate.size(); ++K) {
        const TPointF D{Estimate[K].X - Estimate[K - 1].X, Estimate[K].Y - Estimate[K - 1].Y};
        Length += PointLengthF(D);
    }
    const Int64 Segments = Round(Length / ATolerance);
    if (Segments >= 2) {
        for (const TPointF& Q : TKelGraphicsPath::CreateBezier(ABezier, Integer(Segments)))
            PathLineTo(APath, Q);
    } else {
        PathLineTo(APath, ABezier[3]);
    }
}

void TKelGraphicsContext::DrawFlattenedPath(const TKelGraphicsStroke* AStroke, const TKelGraphicsPath* APath,
                                            TKelGraphicsPathDrawMode APathMode) {
    TKelGraphicsPathPolygon Polygon;
    APath->FlattenToPolygon(Polygon, KelPathFlatness);
    if (APathMode == pdmPolygon)
        DrawPolygon(AStroke, Polygon);
    else
        DrawPolyline(AStroke, Polygon);
}

void TKelGraphicsContext::FillFlattenedPath(const TKelGraphicsFill* AFill, const TKelGraphicsPath* APath,
                                            TKelGraphicsPathDrawMode APathMode) {
    TKelGraphicsPathPolygon Polygon;
    APath->FlattenToPolygon(Polygon, KelPathFlatness);
    if (APathMode == pdmPolygon)
        FillPolygon(AFill, Polygon);
    else
        FillPolyline(AFill, Polygon);
}
