#include "engine/Tier1Calculation.h"

#include <cmath>

namespace tesvorik {

namespace {

constexpr float kGasConstant = 8.314472f; // J/(mol K)
constexpr float kLn2 = 0.6931472f;
constexpr float kLiquidExchange = 4.8f; // m/d at molar mass 44 g/mol
constexpr float kLiquidReferenceMass = 44.0f;
constexpr float kGasExchange = 720.0f; // m/d at molar mass 18 g/mol
constexpr float kGasReferenceMass = 18.0f;
constexpr float kVaporisationEnthalpy = 95000.0f; // J/mol
constexpr float kDissolutionEnthalpy = 27000.0f;  // J/mol

// f_corrFOCUSscen and f_relevant_contributing_area of a peak's entry route.
struct RouteFactors {
    float scenarioCorrection;
    float contributingArea;
};

RouteFactors FactorsFor(float pecCode) {
    if (pecCode == 1.0f) return {1.0f, 0.5f}; // spray drift
    return {3.0f, 1.0f};                      // drainage, and any other code
}

} // namespace

float CalcDissipation(float depth, float days, const Properties& prop, float temperature) {
    const float T = temperature;
    const float R = kGasConstant;
    const float M = prop[MolarMass];

    const float k_ref = kLn2 / prop[DT50w];
    const float k_liq = std::sqrt(kLiquidReferenceMass) / std::sqrt(M) * kLiquidExchange;
    const float k_gas = std::sqrt(kGasReferenceMass) / std::sqrt(M) * kGasExchange;
    const float Psat_T = prop[Psat] * std::exp(-(kVaporisationEnthalpy / R) * (1.0f / T - 1.0f / prop[Tvap]));
    const float Solub_T =
        prop[Solub] * std::exp(-(kDissolutionEnthalpy / R) * (1.0f / T - 1.0f / prop[Tsol]));
    const float K_H = Psat_T * M / (T * R * Solub_T); // dimensionless Henry coefficient
    const float k_T = k_ref * std::exp((T - prop[Tw]) * prop[Earrh] / (T * R * prop[Tw]));
    const float K_ov = 1.0f / (1.0f / k_liq + 1.0f / (K_H * k_gas));
    const float k_vol = K_ov / depth;
    const float k_total = k_vol + k_T;
    return std::exp(-k_total * days);
}

float RelativeCroppedArea(float area, float intake) {
    return intake == 0.0f ? 0.0f : area / intake;
}

float CalcUseFactor(const AreaTable& area, const CropRow& usedCrop, int point, float marketShare) {
    const int g = usedCrop.Grouping();
    const float rca = RelativeCroppedArea(area.Area(g, point), area.intake[point]);
    const RouteFactors factors = FactorsFor(usedCrop.pecCode);
    return rca * factors.scenarioCorrection * marketShare * factors.contributingArea;
}

void ComputePecTier1(EngineTables& t) {
    t.dissipation = CalcDissipation(kWaterDepth, kDissipationDays, t.properties, kSurfaceWaterTemperature);
    t.useFactor.assign(t.used.size(), PointValues{});
    for (int point = 0; point < kPointCount; ++point) {
        float sum = 0.0f;
        for (std::size_t k = 0; k < t.used.size(); ++k) {
            const float useFactor = CalcUseFactor(t.area, t.used[k], point, t.market[k][point]);
            t.useFactor[k][point] = useFactor;
            sum = sum + t.used[k].pecFocus * useFactor;
        }
        const float x = sum * kTiming * t.dissipation * t.addDilution[point];
        t.pecTier1[point] = point == kBommelerwaard ? x / t.dissipation : x;
    }
}

} // namespace tesvorik
