#include "engine/Tier1Calculation.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tesvorik {
namespace {

// The dissipation factor in double precision, written out from the method.
double DissipationInDouble(const Properties& p) {
    const double T = 288.0, R = 8.314472;
    const double M = p[MolarMass];
    const double kRef = std::log(2.0) / p[DT50w];
    const double kLiq = std::sqrt(44.0 / M) * 4.8;
    const double kGas = std::sqrt(18.0 / M) * 720.0;
    const double psatT = p[Psat] * std::exp(-95000.0 / R * (1 / T - 1.0 / p[Tvap]));
    const double solubT = p[Solub] * std::exp(-27000.0 / R * (1 / T - 1.0 / p[Tsol]));
    const double henry = psatT * M / (T * R * solubT);
    const double kT = kRef * std::exp((T - p[Tw]) * p[Earrh] / (T * R * p[Tw]));
    const double kOv = 1.0 / (1.0 / kLiq + 1.0 / (henry * kGas));
    return std::exp(-(kOv / 0.35 + kT) * 6.0);
}

TEST(CalcDissipation, AgreesWithADoublePrecisionComputation) {
    const Properties cases[] = {
        {12.5f, 293.0f, 100.0f, 293.0f, 291.3f, 2e-5f, 293.0f, 450.0f, 65400.0f},
        {1000.0f, 273.15f, 2e6f, 313.15f, 10.0f, 0.0f, 273.15f, 0.0f, 0.0f},
        {0.1f, 313.15f, 1e-6f, 273.15f, 9999.99f, 250000.0f, 313.15f, 1e7f, 1e6f},
        {30.0f, 298.0f, 0.5f, 298.0f, 350.0f, 0.01f, 298.0f, 25000.0f, 54000.0f},
        {3.0f, 283.0f, 5000.0f, 293.0f, 120.0f, 12.0f, 303.0f, 10.0f, 90000.0f},
    };
    for (const Properties& p : cases) {
        const double expected = DissipationInDouble(p);
        EXPECT_NEAR(CalcDissipation(kWaterDepth, kDissipationDays, p, kSurfaceWaterTemperature), expected,
                    1e-5 * expected + 1e-30)
            << "DT50-w " << p[DT50w];
    }
}

TEST(CalcUseFactor, AppliesTheFactorsOfTheEntryRoute) {
    AreaTable area;
    area.grouping[4][0] = 300.0f; // grouping 5 at point 1
    area.intake[0] = 1200.0f;
    struct Case {
        float pecCode;
        float expected; // RCA 0.25 x correction x share 0.4 x contributing area
    };
    const Case cases[] = {{1.0f, 0.25f * 1 * 0.4f * 0.5f},
                          {2.0f, 0.25f * 3 * 0.4f * 1},
                          {3.0f, 0.25f * 3 * 0.4f * 1},
                          {0.0f, 0.25f * 3 * 0.4f * 1}};
    for (const Case& c : cases) {
        CropRow crop;
        crop.codeId = 5.7f; // truncated to grouping 5
        crop.pecCode = c.pecCode;
        EXPECT_FLOAT_EQ(CalcUseFactor(area, crop, 0, 0.4f), c.expected) << c.pecCode;
    }
}

TEST(CalcUseFactor, AnIntakeAreaOfZeroGivesNoContribution) {
    AreaTable area;
    area.grouping[0][0] = 500.0f;
    area.grouping[1][3] = 800.0f;
    area.intake[0] = 1000.0f;
    area.intake[3] = 0.0f;
    CropRow first, second;
    first.codeId = 1;
    second.codeId = 2;
    EXPECT_FLOAT_EQ(CalcUseFactor(area, first, 0, 1.0f), 1.5f);
    // No value is carried over from the call before.
    EXPECT_EQ(CalcUseFactor(area, second, 3, 1.0f), 0.0f);
    EXPECT_EQ(RelativeCroppedArea(800.0f, 0.0f), 0.0f);
}

// Two used crops (drainage on grouping 1, spray drift on grouping 2) over ten
// points with different areas, shares and dilution factors.
EngineTables TwoCropTables() {
    EngineTables t;
    t.properties = {20.0f, 293.0f, 50.0f, 293.0f, 250.0f, 1e-3f, 293.0f, 300.0f, 65000.0f};
    CropRow drainage, drift;
    drainage.pecFocus = 2.5f;
    drainage.pecCode = 2;
    drainage.codeId = 1;
    drift.pecFocus = 7.25f;
    drift.pecCode = 1;
    drift.codeId = 2;
    t.used = {drainage, drift};
    t.market.assign(2, PointValues{});
    for (int i = 0; i < kPointCount; ++i) {
        t.area.intake[i] = 10000.0f + 1000.0f * i;
        t.area.grouping[0][i] = 100.0f + 37.0f * i;
        t.area.grouping[1][i] = i == 3 ? 0.0f : 250.0f - 11.0f * i;
        t.market[0][i] = 0.4f;
        t.market[1][i] = 0.1f * (i + 1);
        t.addDilution[i] = 1.0f - 0.05f * i;
    }
    return t;
}

TEST(ComputePecTier1, AgreesWithTheFormulaInDoublePrecision) {
    EngineTables t = TwoCropTables();
    ComputePecTier1(t);
    const double dissipation = DissipationInDouble(t.properties);
    EXPECT_NEAR(t.dissipation, dissipation, 1e-6);
    for (int i = 0; i < kPointCount; ++i) {
        const double intake = t.area.intake[i];
        const double drainage = 2.5 * (t.area.grouping[0][i] / intake) * 3 * t.market[0][i] * 1;
        const double drift = 7.25 * (t.area.grouping[1][i] / intake) * 1 * t.market[1][i] * 0.5;
        double expected = (drainage + drift) * 0.5 * t.addDilution[i];
        if (i != kBommelerwaard) expected *= dissipation; // point 10 is computed without dissipation
        EXPECT_NEAR(t.pecTier1[i], expected, 2e-6 * expected) << "point " << i + 1;
    }
    EXPECT_EQ(t.useFactor[1][3], 0.0f); // no area at this point
    EXPECT_GT(t.useFactor[1][4], 0.0f);
}

TEST(ComputePecTier1, ScalesWithMarketShareAndDilutionFactor) {
    EngineTables base = TwoCropTables();
    ComputePecTier1(base);

    EngineTables doubled = TwoCropTables();
    for (PointValues& shares : doubled.market)
        shares[2] *= 2;
    doubled.addDilution[5] *= 0.5f;
    ComputePecTier1(doubled);

    EXPECT_FLOAT_EQ(doubled.pecTier1[2], 2 * base.pecTier1[2]);
    EXPECT_FLOAT_EQ(doubled.pecTier1[5], 0.5f * base.pecTier1[5]);
    EXPECT_EQ(doubled.pecTier1[0], base.pecTier1[0]);
}

TEST(ComputePecTier1, WithoutUsedCropsEveryResultIsZero) {
    EngineTables t = TwoCropTables();
    t.used.clear();
    t.market.clear();
    ComputePecTier1(t);
    for (float pec : t.pecTier1)
        EXPECT_EQ(pec, 0.0f);
}

} // namespace
} // namespace tesvorik
