#pragma once
// The engine's in-memory tables: everything one run reads, computes and
// writes. Reals are single precision and texts are blank-padded fields of
// fixed length, as in the files the engine exchanges with the desktop program.
// Containers are indexed from 0: abstraction point 1 is index 0, grouping
// code g is row g - 1 of the area table.

#include <array>
#include <string>
#include <vector>

namespace tesvorik {

constexpr int kPointCount = 10;    // abstraction points; point 10 is Bommelerwaard, a sub-area of Brakel
constexpr int kGroupingCount = 26; // regional crop groupings, codes 1 to 26
constexpr int kBommelerwaard = kPointCount - 1;

// Widths of the text fields.
constexpr std::size_t kPointNameWidth = 19;
constexpr std::size_t kGroupingNameWidth = 27;
constexpr std::size_t kProjectNameWidth = 40;
constexpr std::size_t kApplicationWidth = 110;
constexpr std::size_t kPeakDateWidth = 17;
constexpr std::size_t kCropRowNameWidth = 30; // grouping name and FOCUS crop code of a crop row
constexpr std::size_t kUsedFlagWidth = 3;
constexpr std::size_t kSubstanceCodeWidth = 22;

using PointValues = std::array<float, kPointCount>;

// The compound properties, in the order of CompoundProperties.inp.
enum Property { DT50w, Tw, Solub, Tsol, MolarMass, Psat, Tvap, Kom, Earrh, kPropertyCount };
using Properties = std::array<float, kPropertyCount>;

// Areas (ha) of the groupings in the intake area of every point, plus the
// intake areas themselves.
struct AreaTable {
    std::array<PointValues, kGroupingCount> grouping{}; // row g - 1: grouping code g
    PointValues intake{};

    float Area(int groupingCode, int point) const { return grouping[groupingCode - 1][point]; }
};

// One FOCUS D3 crop row of CropPEC.inp.
struct CropRow {
    float pecFocus = 0;       // PEC_FOCUS_NL,D3 (µg/L)
    std::string peakDate;     // 17 characters
    float pecCode = 0;        // 1 spray drift, 2 drainage
    float codeId = 0;         // grouping code, read as a real
    std::string groupingName; // 30 characters, read and not used further
    std::string cropCode;     // FOCUS crop code, 30 characters
    std::string usedFlag;     // 3 characters

    // The grouping code: the codeID truncated to a whole number.
    int Grouping() const { return static_cast<int>(codeId); }
};

struct EngineTables {
    std::array<std::string, kPointCount> pointName;       // APNAME
    std::array<std::string, kGroupingCount> groupingName; // CROPNAME, row g - 1: grouping code g
    AreaTable area;
    std::string projectName; // PROJNAME

    int nUsed = 0;
    int nD3 = 0;
    int nApp = 0;
    std::vector<std::string> applications; // APP
    std::vector<CropRow> cropRows;         // D3CROP
    std::vector<CropRow> used;             // USED: the rows flagged yes, in file order

    PointValues addDilution{};          // f_add_dil
    std::vector<PointValues> market;    // f_market, one entry per used crop
    std::vector<PointValues> useFactor; // USEFAC, one entry per used crop

    std::string substanceCode; // SUBCODE
    Properties properties{};   // PROP

    float dissipation = 0; // f_dissipation
    PointValues pecTier1{};
};

} // namespace tesvorik
