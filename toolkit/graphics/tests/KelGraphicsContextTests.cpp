// Replaying a vector path through a context's path operations.

#include "kel/KelGraphicsContextWin.h"
#include "kel/KelGraphicsPath.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// The path's points, each repeat of the point before it left out.
std::vector<TGPPointF> Points(TGPGraphicsPath* APath) {
    std::vector<TGPPointF> All(static_cast<size_t>(APath->GetPointCount()));
    if (!All.empty()) APath->GetPathPoints(All.data(), Integer(All.size()));
    std::vector<TGPPointF> Result;
    for (const TGPPointF& P : All)
        if (Result.empty() || Result.back().X != P.X || Result.back().Y != P.Y) Result.push_back(P);
    return Result;
}

TEST(KelGraphicsContext, AnEmptyPathConvertsToAnEmptyHandle) {
    TKelGraphicsContextWin Context(nullptr);
    const TKelGraphicsPath Empty;
    const TKelGraphicsPathHandle Path = Context.ConvertToPath(&Empty, 0.25f);
    ASSERT_NE(Path, nullptr);
    EXPECT_EQ(Path->GetPointCount(), 0);
    EXPECT_EQ(Context.ConvertToPath(nullptr, 0.25f)->GetPointCount(), 0);
}

TEST(KelGraphicsContext, AShortCurveBecomesOneSegmentAndTheNextStartsAtItsEnd) {
    TKelGraphicsContextWin Context(nullptr);
    TKelGraphicsPath Path;
    Path.MoveTo(PointF(0, 0));
    Path.CurveTo(PointF(0, 0.1f), PointF(0.1f, 0.1f), PointF(0.1f, 0)); // about 0.3 long
    Path.LineTo(PointF(5, 0));
    const std::vector<TGPPointF> Result = Points(Context.ConvertToPath(&Path, 0.25f).get());
    ASSERT_EQ(Result.size(), 3u);
    EXPECT_FLOAT_EQ(Result[1].X, 0.1f);
    EXPECT_FLOAT_EQ(Result[1].Y, 0);
    EXPECT_FLOAT_EQ(Result[2].X, 5);
}

TEST(KelGraphicsContext, ALongCurveBecomesOneLinePerToleranceOfItsLength) {
    TKelGraphicsContextWin Context(nullptr);
    TKelGraphicsPath Path;
    Path.MoveTo(PointF(0, 0));
    Path.CurveTo(PointF(10.0f / 3, 0), PointF(20.0f / 3, 0), PointF(10, 0)); // a straight 10 units
    // 10 / 1 = 10 curve points; the first repeats the start and adds nothing.
    const std::vector<TGPPointF> Coarse = Points(Context.ConvertToPath(&Path, 1).get());
    ASSERT_EQ(Coarse.size(), 10u);
    EXPECT_FLOAT_EQ(Coarse.back().X, 10);
    // A flatness below 0.05 counts as 0.05: 200 points.
    EXPECT_EQ(Points(Context.ConvertToPath(&Path, 0.01f).get()).size(), 200u);
}

TEST(KelGraphicsContext, CloseEndsTheFigureAndAMoveOpensANewOne) {
    TKelGraphicsContextWin Context(nullptr);
    TKelGraphicsPath Path;
    Path.MoveTo(PointF(0, 0));
    Path.LineTo(PointF(4, 0));
    Path.LineTo(PointF(4, 4));
    Path.ClosePath();
    Path.MoveTo(PointF(10, 10));
    Path.LineTo(PointF(12, 10));
    const TKelGraphicsPathHandle Result = Context.ConvertToPath(&Path, 0.25f);
    const Integer Count = Result->GetPointCount();
    std::vector<Byte> Types(static_cast<size_t>(Count));
    std::vector<TGPPointF> All(static_cast<size_t>(Count));
    Result->GetPathTypes(Types.data(), Count);
    Result->GetPathPoints(All.data(), Count);
    // The second figure starts at (10, 10), right after the closed first one.
    size_t Second = 0;
    while (Second < All.size() && All[Second].X != 10)
        ++Second;
    ASSERT_GT(Second, 0u);
    ASSERT_LT(Second, All.size());
    EXPECT_EQ(Types[Second] & PathPointTypePathTypeMask, PathPointTypeStart);
    EXPECT_EQ(Types[Second - 1] & PathPointTypeCloseSubpath, PathPointTypeCloseSubpath);
    EXPECT_EQ(Types.back() & PathPointTypeCloseSubpath, 0);
}

} // namespace
