#pragma once
// The arithmetic of PEC Tier I, all in single precision:
// PEC_Tier1 = SUM_all_crops((PEC_FOCUS_NL,D3 * f_corrFOCUSscen) * f_use_int)
//             * f_timing * f_dissipation * f_add_dil,
// f_use_int = RCA * f_market * f_relevant_contributing_area; point 10
// (Bommelerwaard) is computed without the dissipation factor.

#include "engine/Tables.h"

namespace tesvorik {

constexpr float kSurfaceWaterTemperature = 288.0f; // K
constexpr float kWaterDepth = 0.35f;               // m
constexpr float kDissipationDays = 6.0f;           // d
constexpr float kTiming = 0.5f;                    // f_timing

// The dissipation factor f_dissipation from the compound properties.
float CalcDissipation(float depth, float days, const Properties& properties, float temperature);

// The relative cropped area: a grouping's area divided by the point's intake
// area; 0 when the intake area is 0, so that no area contributes there.
float RelativeCroppedArea(float area, float intake);

// The use factor (f_use_int with the scenario correction) of one used crop
// at one point (index 0 to 9) with the given market share.
float CalcUseFactor(const AreaTable& area, const CropRow& usedCrop, int point, float marketShare);

// Fills the use factors of every used crop at every point, the dissipation
// factor and PEC Tier I of every point.
void ComputePecTier1(EngineTables& tables);

} // namespace tesvorik
