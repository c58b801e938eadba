// The matrix and the path: construction, arcs, bounds, flattening and the
// hit tests.

#include "kel/KelBitmap.h"
#include "kel/KelGraphicsPath.h"
#include "rtl/Exception.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace {

constexpr Single Pi = 3.14159265f;

std::unique_ptr<TKelGraphicsPath> NewPath() {
    return std::unique_ptr<TKelGraphicsPath>(Create<TKelGraphicsPath>());
}

void ExpectNear(const TPointF& Actual, const TPointF& Expected, Single Tolerance = 1E-4f) {
    EXPECT_NEAR(Actual.X, Expected.X, Tolerance);
    EXPECT_NEAR(Actual.Y, Expected.Y, Tolerance);
}

// The kinds of a path's entries as letters: M, L, C, Z.
std::string Kinds(const TKelGraphicsPath& Path) {
    std::string Result;
    for (const TKelGraphicsPathPoint& Point : Path.PathData())
        Result += "MLCZ"[Point.Kind];
    return Result;
}

TEST(KelGraphicsMatrix, TransformsRowVectorsFromTheLeft) {
    ExpectNear(TPointF{1, 0} * MatrixCreateRotation(Pi / 2), {0, 1});
    ExpectNear(TPointF{3, 4} * MatrixCreateScaling(2, -1), {6, -4});
    ExpectNear(TPointF{3, 4} * MatrixCreateTranslation(10, 20), {13, 24});
    // The left matrix of a product acts first.
    ExpectNear(MatrixMultiplyPoint({1, 0},
                                   MatrixMultiply(MatrixCreateTranslation(10, 0), MatrixCreateScaling(2, 2))),
               {22, 0});
    EXPECT_EQ(TKelGraphicsMatrix::Identity(), MatrixIdentity());
    EXPECT_EQ(MatrixIdentity().M(2), (TKelGraphicsVector{0, 0, 1}));
    EXPECT_TRUE(MatrixIsEmpty(MatrixEmpty()));
    EXPECT_FALSE(MatrixIsEmpty(MatrixIdentity()));
}

TEST(KelGraphicsMatrix, DeterminantAdjointAndInverse) {
    TKelGraphicsMatrix M;
    M.SetM(0, {2, 1, 0});
    M.SetM(1, {1, 3, 1});
    M.SetM(2, {0, 1, 4});
    EXPECT_EQ(M.Determinant(), 18.0f);
    TKelGraphicsMatrix Scaled = MatrixEmpty();
    Scaled.m11 = Scaled.m22 = Scaled.m33 = 18;
    EXPECT_EQ(M * M.Adjoint(), Scaled);

    EXPECT_EQ(MatrixCreateScaling(2, 4).Inverse(), MatrixCreateScaling(0.5f, 0.25f));
    EXPECT_EQ(MatrixCreateScaling(0, 4).Inverse(), MatrixIdentity());
    EXPECT_EQ(MatrixEmpty().Inverse(), MatrixIdentity());
    EXPECT_EQ(MatrixCreateScaling(std::numeric_limits<Single>::quiet_NaN(), 1).Inverse(), MatrixIdentity());

    const TKelGraphicsMatrix General =
        MatrixCreateRotation(0.3f) * MatrixCreateTranslation(5, -2) * MatrixCreateScaling(2, 3);
    ExpectNear(TPointF{7, -3} * General * General.Inverse(), {7, -3}, 1E-3f);

    try {
        (void)M.M(3);
        FAIL() << "no error";
    } catch (const EArgumentOutOfRangeException& E) {
        EXPECT_EQ(E.Message(), u"Argument out of range");
    }
}

TEST(KelGraphicsPath, AnEmptyPath) {
    auto Path = NewPath();
    EXPECT_EQ(Path->GetBounds(), TRectF());
    EXPECT_EQ(Path->LastPoint(), TPointF());
    Path->Flatten(1);
    EXPECT_EQ(Path->Count(), 0);
    TKelGraphicsPathPolygon Polygon{{1, 1}};
    Path->FlattenToPolygon(Polygon, 1);
    EXPECT_TRUE(Polygon.empty());
    EXPECT_FALSE(Path->IsPointVisible({0, 0}));
    EXPECT_FALSE(Path->IsRectVisible({-1, -1, 1, 1}));
    try {
        Path->GetPoint(0);
        FAIL() << "no error";
    } catch (const EArgumentOutOfRangeException& E) {
        EXPECT_EQ(E.Message(), u"Argument out of range");
    }
}

TEST(KelGraphicsPath, LinesCurvesAndTheClippableMark) {
    auto Path = NewPath();
    Path->MoveTo({0, 0});
    Path->LineTo({10, 0});
    EXPECT_FALSE(Path->Clippable());
    Path->LineTo({0, 0});
    EXPECT_TRUE(Path->IsClippable());

    // A quadratic curve raised to a cubic one.
    auto Quad = NewPath();
    Quad->MoveTo({0, 0});
    Quad->QuadCurveTo({3, 6}, {6, 0});
    ASSERT_EQ(Kinds(*Quad), "MCCC");
    ExpectNear(Quad->GetPoint(1).Point, {2, 4});
    ExpectNear(Quad->GetPoint(2).Point, {4, 4});
    ExpectNear(Quad->GetPoint(3).Point, {6, 0});

    // A smooth curve mirrors the previous control point, once there is one.
    auto Smooth = NewPath();
    Smooth->MoveTo({0, 0});
    Smooth->SmoothCurveTo({5, 5}, {10, 0});
    EXPECT_EQ(Smooth->GetPoint(1).Point, (TPointF{5, 5}));
    Smooth->SmoothCurveTo({20, 5}, {20, 0});
    EXPECT_EQ(Smooth->GetPoint(4).Point, (TPointF{15, -5}));

    // Clear keeps the start point and the mark.
    Path->MoveTo({3, 4});
    Path->Clear();
    EXPECT_EQ(Path->Count(), 0);
    EXPECT_TRUE(Path->Clippable());
    Path->ClosePath();
    EXPECT_EQ(Path->GetPoint(0).Kind, gppClose);
    EXPECT_EQ(Path->GetPoint(0).Point, (TPointF{3, 4}));
}

TEST(KelGraphicsPath, AddLinePolygonAndPath) {
    auto Path = NewPath();
    Path->AddLine({1, 1}, {2, 2});
    Path->AddLine({3, 3}, {4, 4});
    EXPECT_EQ(Kinds(*Path), "MLLL");
    Path->AddPolygon({{5, 5}, {6, 6}});
    EXPECT_EQ(Kinds(*Path), "MLLLLL");
    Path->ClosePath();
    Path->AddPath(*Path);
    EXPECT_EQ(Kinds(*Path), "MLLLLLZMLLLLLZ");
    EXPECT_EQ(Path->LastPoint(), (TPointF{1, 1}));
}

TEST(KelGraphicsPath, ArcsAreCutIntoQuarterTurns) {
    struct TCase {
        const char* Name;
        Single Start, Sweep;
        std::string Kinds;
        TPointF First, Last;
    };
    const Single Nan = std::numeric_limits<Single>::quiet_NaN();
    const TCase Cases[] = {
        {"sweep 0", 0, 0, "", {}, {}},
        {"quarter", 0, 90, "MCCC", {10, 0}, {0, 10}},
        {"a little over a quarter is one slice",
         0,
         90.5f,
         "MCCC",
         {10, 0},
         {10 * std::cos(90.5f * Pi / 180), 10 * std::sin(90.5f * Pi / 180)}},
        {"100 degrees",
         0,
         100,
         "MCCCCCC",
         {10, 0},
         {10 * std::cos(100 * Pi / 180), 10 * std::sin(100 * Pi / 180)}},
        {"full circle", 0, 360, "MCCCCCCCCCCCC", {10, 0}, {10, 0}},
        {"more than a circle", 0, 720, "MCCCCCCCCCCCC", {10, 0}, {10, 0}},
        {"sweep not a number", 0, Nan, "MCCCCCCCCCCCC", {10, 0}, {10, 0}},
        {"backwards", 0, -90, "MCCC", {10, 0}, {0, -10}},
        {"start beyond a turn", 450, 90, "MCCC", {0, 10}, {-10, 0}},
        {"negative start", -270, 90, "MCCC", {0, 10}, {-10, 0}},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        auto Path = NewPath();
        Path->AddArc({0, 0}, {10, 10}, Case.Start, Case.Sweep);
        ASSERT_EQ(Kinds(*Path), Case.Kinds);
        if (Case.Kinds.empty()) continue;
        ExpectNear(Path->GetPoint(0).Point, Case.First);
        ExpectNear(Path->LastPoint(), Case.Last);
    }

    // The 100-degree arc: a quarter turn, then 10 degrees.
    auto Path = NewPath();
    Path->AddArc({0, 0}, {10, 10}, 0, 100);
    ExpectNear(Path->GetPoint(3).Point, {0, 10});

    // A quarter circle's control points lie at the usual 0.5523 of the radius;
    // the radii scale x and y apart; an arc joins a path with a line.
    auto Elliptic = NewPath();
    Elliptic->MoveTo({-5, -5});
    Elliptic->AddArc({0, 0}, {20, 10}, 0, 90);
    ASSERT_EQ(Kinds(*Elliptic), "MLCCC");
    ExpectNear(Elliptic->GetPoint(1).Point, {20, 0});
    ExpectNear(Elliptic->GetPoint(2).Point, {20, 5.5228f}, 1E-3f);
    ExpectNear(Elliptic->GetPoint(3).Point, {11.0457f, 10}, 1E-3f);
    ExpectNear(Elliptic->GetPoint(4).Point, {0, 10});
}

TEST(KelGraphicsPath, EllipsesAndRectangles) {
    auto Ellipse = NewPath();
    Ellipse->AddEllipse({0, 0, 100, 50});
    EXPECT_EQ(Kinds(*Ellipse), "MCCCCCCCCCCCC");
    EXPECT_TRUE(Ellipse->Clippable());
    EXPECT_EQ(Ellipse->GetPoint(0).Point, (TPointF{0, 25}));
    EXPECT_EQ(Ellipse->GetPoint(1).Point, (TPointF{0, 25 - 25 * 0.5522848f}));
    EXPECT_EQ(Ellipse->GetPoint(3).Point, (TPointF{50, 0}));
    EXPECT_EQ(Ellipse->LastPoint(), (TPointF{0, 25}));

    auto Square = NewPath();
    Square->AddRectangle({1, 2, 11, 22}, 0, 0);
    EXPECT_EQ(Kinds(*Square), "MLLLZ");
    EXPECT_TRUE(Square->Clippable());
    EXPECT_EQ(Square->GetPoint(2).Point, (TPointF{11, 22}));
    EXPECT_EQ(Square->GetPoint(4).Point, (TPointF{1, 2}));

    auto Rounded = NewPath();
    Rounded->AddRectangle({0, 0, 40, 20}, 4, 4);
    EXPECT_EQ(Kinds(*Rounded), "MLCCCLLLCCCLLLCCCLLLCCCLLZ");
    EXPECT_EQ(Rounded->GetPoint(0).Point, (TPointF{4, 20}));
    ExpectNear(Rounded->GetPoint(1).Point, {4, 20}); // each arc starts with a line to its start
    ExpectNear(Rounded->GetPoint(4).Point, {0, 16}); // the bottom-left arc ends on the left edge
    ExpectNear(Rounded->GetPoint(10).Point, {4, 0}); // the top-left arc ends on the top edge
    EXPECT_EQ(Rounded->GetPoint(25).Point, (TPointF{4, 20}));
}

TEST(KelGraphicsPath, ApplyMatrixMovesAllButCloseEntries) {
    auto Path = NewPath();
    Path->MoveTo({1, 1});
    Path->CurveTo({2, 1}, {3, 1}, {4, 1});
    Path->ClosePath();
    Path->ApplyMatrix(MatrixCreateTranslation(10, 0));
    EXPECT_EQ(Path->GetPoint(0).Point, (TPointF{11, 1}));
    EXPECT_EQ(Path->GetPoint(3).Point, (TPointF{14, 1}));
    EXPECT_EQ(Path->GetPoint(4).Point, (TPointF{1, 1}));
    // The start point is not moved: closing again returns to (1, 1).
    Path->ClosePath();
    EXPECT_EQ(Path->LastPoint(), (TPointF{1, 1}));
}

TEST(KelGraphicsPath, Bounds) {
    struct TCase {
        const char* Name;
        void (*Build)(TKelGraphicsPath&);
        TRectF Expected;
    };
    const TCase Cases[] = {
        {"one point",
         [](TKelGraphicsPath& P) {
             P.MoveTo({5, 5});
         },
         {5, 5, 5.001f, 5.001f}},
        {"a horizontal line",
         [](TKelGraphicsPath& P) {
             P.MoveTo({1, 2});
             P.LineTo({9, 2});
         },
         {1, 2, 9, 2.001f}},
        {"control points count, close entries do not",
         [](TKelGraphicsPath& P) {
             P.MoveTo({0, 0});
             P.CurveTo({-5, 10}, {15, 10}, {10, 0});
             P.ClosePath();
         },
         {-5, 0, 15, 10}},
        {"far beyond 65535",
         [](TKelGraphicsPath& P) {
             P.MoveTo({70000, 80000});
             P.LineTo({90000, 100000});
         },
         {70000, 80000, 90000, 100000}},
        {"far below -65535",
         [](TKelGraphicsPath& P) {
             P.MoveTo({-90000, -100000});
             P.LineTo({-70000, -80000});
         },
         {-90000, -100000, -70000, -80000}},
        {"only a close entry", [](TKelGraphicsPath& P) { P.ClosePath(); }, {0, 0, 0, 0}},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        auto Path = NewPath();
        Case.Build(*Path);
        EXPECT_EQ(Path->GetBounds(), Case.Expected);
    }
}

TEST(KelGraphicsPath, BezierSampling) {
    EXPECT_EQ(TKelGraphicsPath::PointOnBezier({1, 2}, 1, 0, 0, 0, 8, 0, 0.5f), (TPointF{1.125f, 4}));
    const TKelGraphicsPathCubicBezier Curve{TPointF{0, 0}, TPointF{0, 10}, TPointF{10, 10}, TPointF{10, 0}};
    EXPECT_TRUE(TKelGraphicsPath::CreateBezier(Curve, 0).empty());
    const TKelGraphicsPathPolygon Samples = TKelGraphicsPath::CreateBezier(Curve, 6);
    ASSERT_EQ(Samples.size(), 6u);
    ExpectNear(Samples.front(), {0, 0});
    ExpectNear(Samples[1], {1.04f, 4.8f}); // t = 0.2
    ExpectNear(Samples.back(), {10, 0});
}

// A straight "curve" along the x axis from (FromX, 0), Length long.
void AddStraightCurve(TKelGraphicsPath& Path, Single FromX, Single Length) {
    Path.CurveTo({FromX + Length / 3, 0}, {FromX + 2 * Length / 3, 0}, {FromX + Length, 0});
}

TEST(KelGraphicsPath, FlattenCutsCurvesByTheirLength) {
    struct TCase {
        Single Flatness;
        Integer Count; // entries after flattening: the move and the lines
    };
    const TCase Cases[] = {
        {1, 1 + 3},
        {0.05f, 1 + 60},
        {0.01f, 1 + 60}, // never finer than 0.05
        {2.5f, 1 + 1},   // 3 / 2.5 rounds to 1: one line to the end point
        {std::numeric_limits<Single>::quiet_NaN(), 1 + 1},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Flatness);
        auto Path = NewPath();
        Path->MoveTo({0, 0});
        AddStraightCurve(*Path, 0, 3);
        Path->Flatten(Case.Flatness);
        EXPECT_EQ(Path->Count(), Case.Count);
        EXPECT_EQ(Kinds(*Path), "M" + std::string(size_t(Case.Count - 1), 'L'));
        EXPECT_EQ(Path->LastPoint(), (TPointF{3, 0}));
    }

    // The next curve starts where a curve flattened to one line ended.
    auto Path = NewPath();
    Path->MoveTo({0, 0});
    AddStraightCurve(*Path, 0, 3);
    AddStraightCurve(*Path, 3, 30);
    Path->ClosePath();
    Path->Flatten(2.5f);
    EXPECT_EQ(Kinds(*Path), "MLLLLLLLLLLLLLZ");
    EXPECT_EQ(Path->GetPoint(1).Point, (TPointF{3, 0}));
    ExpectNear(Path->GetPoint(2).Point, {3, 0});
    ExpectNear(Path->GetPoint(13).Point, {33, 0});
    EXPECT_EQ(Path->GetPoint(14).Point, (TPointF{0, 0}));
    EXPECT_TRUE(Path->Clippable());
}

TEST(KelGraphicsPath, FlatteningStaysBoundedForHugeOrBrokenCurves) {
    auto Huge = NewPath();
    Huge->MoveTo({0, 0});
    Huge->CurveTo({1E30f, 0}, {2E30f, 0}, {3E30f, 0});
    Huge->Flatten(0.25f);
    EXPECT_EQ(Huge->Count(), 1 + (1 << 17));
    EXPECT_EQ(Huge->LastPoint(), (TPointF{3E30f, 0}));

    const Single Nan = std::numeric_limits<Single>::quiet_NaN();
    auto Broken = NewPath();
    Broken->MoveTo({0, 0});
    Broken->CurveTo({Nan, 0}, {1, 1}, {2, 2});
    TKelGraphicsPathPolygon Polygon;
    Broken->FlattenToPolygon(Polygon, 0.25f);
    ASSERT_EQ(Polygon.size(), 2u);
    EXPECT_EQ(Polygon[1], (TPointF{2, 2}));
}

TEST(KelGraphicsPath, FlattenToPolygonJoinsSubpathsWithoutRepeats) {
    auto Path = NewPath();
    Path->MoveTo({0, 0});
    Path->LineTo({10, 0});
    Path->LineTo({10.0005f, 0.0005f}); // within 0.001 of the point before
    Path->LineTo({0, 10});
    Path->ClosePath();
    Path->MoveTo({20, 0});
    AddStraightCurve(*Path, 20, 3); // short enough for one line
    TKelGraphicsPathPolygon Polygon;
    Path->FlattenToPolygon(Polygon, 2.5f);
    const TKelGraphicsPathPolygon Expected{{0, 0}, {10, 0}, {0, 10}, {0, 0}, {20, 0}, {23, 0}};
    EXPECT_EQ(Polygon, Expected);
    // Flattening into a polygon leaves the path as it is.
    EXPECT_EQ(Path->Count(), 9);
}

TEST(KelGraphicsPath, PolygonTests) {
    const TKelGraphicsPathPolygon Square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    struct TCase {
        TPointF Point;
        bool Inside;
    };
    const TCase Cases[] = {
        {{5, 5}, true}, {{10, 5}, false}, {{0, 5}, true},      {{11, 5}, false},
        {{5, 0}, true}, {{5, 10}, false}, {{-0.1f, 5}, false}, {{9.99f, 9.99f}, true},
    };
    for (const TCase& Case : Cases)
        EXPECT_EQ(PolygonContainsPoint(Case.Point, Square), Case.Inside)
            << Case.Point.X << "," << Case.Point.Y;
    EXPECT_FALSE(PolygonContainsPoint({0, 0}, {}));

    EXPECT_TRUE(PolygonHasPointInRect(Square, {9, 9, 11, 11}));
    EXPECT_TRUE(PolygonHasPointInRect(Square, {10, 10, 11, 11}));
    EXPECT_FALSE(PolygonHasPointInRect(Square, {1, 1, 10, 10})); // right and bottom edges lie outside
    EXPECT_FALSE(PolygonHasPointInRect({}, {0, 0, 1, 1}));
}

TEST(KelGraphicsPath, HitTestsOnTheFlattenedPath) {
    auto Ellipse = NewPath();
    Ellipse->AddEllipse({0, 0, 100, 50});
    EXPECT_TRUE(Ellipse->IsPointVisible({50, 25}));
    EXPECT_TRUE(Ellipse->IsPointVisible({98, 25}));
    EXPECT_FALSE(Ellipse->IsPointVisible({3, 3})); // in the bounds, outside the curve
    EXPECT_TRUE(Ellipse->IsRectVisible({45, -5, 55, 5}));
    EXPECT_FALSE(Ellipse->IsRectVisible({40, 20, 60, 30})); // no vertex inside
}

TEST(KelGraphicsPath, AssignCopiesThePointsOnly) {
    auto Source = NewPath();
    Source->MoveTo({1, 2});
    Source->LineTo({3, 4});
    auto Path = NewPath();
    Path->MoveTo({7, 8});
    Path->SetClippable(true);
    Path->Assign(Source.get());
    EXPECT_EQ(Kinds(*Path), "ML");
    EXPECT_EQ(Path->GetPoint(1).Point, (TPointF{3, 4}));
    EXPECT_TRUE(Path->Clippable());
    Path->ClosePath();
    EXPECT_EQ(Path->LastPoint(), (TPointF{7, 8}));

    auto Picture = std::unique_ptr<TKelBitmap>(Create<TKelBitmap>());
    try {
        Path->Assign(Picture.get());
        FAIL() << "no conversion error";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), u"Cannot assign a TKelBitmap to a TKelGraphicsPath");
    }
}

} // namespace
