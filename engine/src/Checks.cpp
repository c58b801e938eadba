#include "engine/Checks.h"

#include "engine/FieldWriter.h"

#include <string>

namespace tesvorik {

namespace {

struct PropertyRange {
    Property property;
    float lowest;
    float highest;
    int valueWidth; // of the Fw.1 field that shows the value
    const char* fieldName;
    const char* consoleRange;
    const char* fileRange;
};

constexpr const char* kTemperatureRange = "The allowed range is 273.15 to 313.15.";

// In the order in which the properties are tested and reported.
constexpr PropertyRange kPropertyRanges[] = {
    {DT50w, 0.1f, 1000.0f, 8, "Half life time in water", "The allowed range is 0.1 to 1000.",
     "The allowed range is 0.1 to 1000."},
    {Tw, 273.15f, 313.15f, 8, "Temperature", kTemperatureRange, kTemperatureRange},
    {Solub, 1.0e-6f, 2.0e6f, 8, "Solubility", "The allowed range is 1.0e-6 to 2.0e6.",
     "The allowed range is 1.0e-6 to 2.0e6."},
    {Tsol, 273.15f, 313.15f, 8, "Temperature", kTemperatureRange, kTemperatureRange},
    {MolarMass, 10.0f, 9999.99f, 8, "Molar Mass", "The allowed range is 10 to 9999.99.",
     "The allowed range is 10 to 9999.99."},
    {Psat, 0.0f, 250000.0f, 8, "Saturated vapour pressure", "The allowed range is 0.0 to 0.25e6.",
     "The allowed range is 0.0 to 0.25e6."},
    {Tvap, 273.15f, 313.15f, 8, "Temperature", kTemperatureRange, kTemperatureRange},
    {Kom, 0.0f, 10000000.0f, 12, "Kom", "The allowed range is 0 to 10000000.",
     "The allowed range is 0 to 10000000"},
    {Earrh, 0.0f, 1000000.0f, 12, "Activation energy", "The allowed range is 0 to 1000000",
     "The allowed range is 0 to 1000000"},
};

constexpr const char* kShareRange = "The allowed range is 0.0 to 1.0.";

bool InRange(float value, float lowest, float highest) {
    return value >= lowest && value <= highest;
}

bool IsShare(float value) {
    return InRange(value, 0.0f, 1.0f);
}

std::string NotValidFor(float value, int width, int decimals, const std::string& fieldName) {
    return FixedField(value, width, decimals) + " is not a valid value for field \"" + fieldName + "\"";
}

} // namespace

bool CheckCompoundProperties(const Properties& properties, std::ostream& console, SummaryFile& file) {
    bool allInRange = true;
    for (const PropertyRange& range : kPropertyRanges) {
        const float value = properties[range.property];
        if (InRange(value, range.lowest, range.highest)) continue;
        allInRange = false;
        const std::string message = NotValidFor(value, range.valueWidth, 1, range.fieldName) + ".";
        console << message << '\n' << range.consoleRange << '\n';
        file.Line(message);
        file.Line(range.fileRange);
    }
    return allInRange;
}

bool CheckDilutionAndMarketShare(const EngineTables& t, std::ostream& console, SummaryFile& file) {
    bool allInRange = true;
    for (int point = 0; point < kPointCount; ++point) {
        const std::string pointLine = "for abstraction point: " + t.pointName[point];
        const float dilution = t.addDilution[point];
        if (!IsShare(dilution)) {
            allInRange = false;
            const std::string value = NotValidFor(dilution, 5, 2, "Additional Dilution Factor") + " ";
            console << value << '\n' << pointLine << '\n' << kShareRange << '\n';
            file.Line("*");
            file.Line(value + pointLine);
            file.Line(kShareRange);
        }
        for (std::size_t k = 0; k < t.used.size(); ++k) {
            const float share = t.market[k][point];
            if (IsShare(share)) continue;
            allInRange = false;
            const std::string value = NotValidFor(share, 5, 2, "Market Share") + " ";
            const std::string cropLine =
                "in combination with Korvalis crop: " + t.groupingName[t.used[k].Grouping() - 1];
            console << value << '\n' << pointLine << '\n' << cropLine << '\n' << kShareRange << '\n';
            file.Line("*");
            file.Line(value + pointLine);
            file.Line(cropLine);
            file.Line(kShareRange);
        }
    }
    return allInRange;
}

} // namespace tesvorik
