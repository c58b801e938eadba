#include "engine/InputFiles.h"

#include "engine/InputReader.h"

#include <cstdio>

namespace tesvorik {

namespace {

// Takes the values of the ten points, in point order, from one read.
void ReadPointValues(InputReader::WordRead& read, PointValues& values) {
    for (float& value : values)
        value = read.Number();
}

std::string Describe(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
    return buffer;
}

// The grouping code of every crop row indexes the 26 grouping names and area
// rows, and the market-share lines pair with the yes rows one to one.
void CheckCropRows(const EngineTables& t) {
    for (std::size_t row = 0; row < t.cropRows.size(); ++row) {
        const float codeId = t.cropRows[row].codeId;
        if (!(codeId >= 1.0f && codeId < kGroupingCount + 1.0f))
            throw InvalidCropPec("the codeID " + Describe(codeId) + " of crop row " +
                                 std::to_string(row + 1) + " is not a grouping code from 1 to " +
                                 std::to_string(kGroupingCount));
    }
    if (t.nUsed < 0 || static_cast<std::size_t>(t.nUsed) != t.used.size())
        throw InvalidCropPec("the number of used crops is " + std::to_string(t.nUsed) + " but " +
                             std::to_string(t.used.size()) + " crop rows are flagged yes");
}

} // namespace

InvalidCropPec::InvalidCropPec(const std::string& problem)
    : std::runtime_error("Error in CropPEC.inp: " + problem) {}

bool IsYesFlag(const std::string& flag) {
    return flag == "Yes" || flag == "YES" || flag == "yes";
}

bool IsAcceptedUsedFlag(const std::string& flag) {
    return IsYesFlag(flag) || flag == "No " || flag == "no " || flag == "NO ";
}

void ReadNames(const std::filesystem::path& folder, EngineTables& t) {
    InputReader reader = InputReader::Open(folder, "Names.inp");
    for (std::string& name : t.pointName)
        name = reader.ReadLine(kPointNameWidth);
    for (std::string& name : t.groupingName)
        name = reader.ReadLine(kGroupingNameWidth);
}

void ReadCropArea(const std::filesystem::path& folder, EngineTables& t) {
    InputReader reader = InputReader::Open(folder, "CropArea.inp");
    // "* Project name        : <name>": the name field starts at character 16.
    constexpr std::size_t kNameStart = 15;
    const std::string first = reader.ReadLine(kNameStart + kProjectNameWidth);
    t.projectName = first.substr(kNameStart);
    reader.SkipLines(19);
    {
        auto read = reader.Words();
        read.SkipWords(7); // "* Intake area of abstraction point [ha]"
        ReadPointValues(read, t.area.intake);
    }
    reader.SkipWordLines(1);
    for (PointValues& row : t.area.grouping) {
        auto read = reader.Words();
        read.Integer(); // grouping code: the rows are taken in code order
        read.SkipWords(1);
        read.Integer(); // crop number
        read.SkipWords(1);
        ReadPointValues(read, row);
    }
}

CropPecOutcome ReadCropPec(const std::filesystem::path& folder, EngineTables& t) {
    InputReader reader = InputReader::Open(folder, "CropPEC.inp");
    reader.SkipWordLines(16);
    t.nUsed = reader.Words().Integer();
    t.nD3 = reader.Words().Integer();
    t.nApp = reader.Words().Integer();
    reader.SkipWordLines(2);
    t.applications.clear();
    for (int j = 0; j < t.nApp; ++j)
        t.applications.push_back(reader.ReadLine(kApplicationWidth));
    reader.SkipWordLines(5);

    t.cropRows.clear();
    for (int row = 0; row < t.nD3; ++row) {
        auto read = reader.Words();
        CropRow crop;
        crop.pecFocus = read.Number();
        crop.peakDate = read.Word(kPeakDateWidth);
        crop.pecCode = read.Number();
        crop.codeId = read.Number();
        crop.groupingName = read.Word(kCropRowNameWidth);
        crop.cropCode = read.Word(kCropRowNameWidth);
        crop.usedFlag = read.Word(kUsedFlagWidth);
        if (!IsAcceptedUsedFlag(crop.usedFlag)) return CropPecOutcome::UsedFlagRejected;
        t.cropRows.push_back(std::move(crop));
    }
    t.used.clear();
    for (const CropRow& crop : t.cropRows)
        if (IsYesFlag(crop.usedFlag)) t.used.push_back(crop);
    CheckCropRows(t);

    reader.SkipWordLines(8);
    reader.SkipLines(1);
    {
        auto read = reader.Words();
        ReadPointValues(read, t.addDilution);
    }
    reader.SkipWordLines(2);
    t.market.assign(t.used.size(), PointValues{});
    for (PointValues& shares : t.market) {
        auto read = reader.Words();
        read.Integer(); // codeID: line r belongs to used crop r
        read.SkipWords(1);
        ReadPointValues(read, shares);
    }
    return CropPecOutcome::Read;
}

void ReadCompoundProperties(const std::filesystem::path& folder, EngineTables& t) {
    InputReader reader = InputReader::Open(folder, "CompoundProperties.inp");
    reader.SkipLines(15);
    auto read = reader.Words();
    t.substanceCode = read.Word(kSubstanceCodeWidth);
    for (float& value : t.properties)
        value = read.Number();
}

} // namespace tesvorik
