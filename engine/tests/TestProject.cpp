#include "TestProject.h"

#include "engine/RunTier1.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace tesvorik::test {

namespace {

std::string Format(const char* format, auto... values) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::vector<std::string> Header(const std::string& projectName) {
    return {"* Project name        : " + projectName, "* Created at          : 10-12-2024 09:00:00",
            "* Version VANDREL GUI : 1.4.2", "*"};
}

// The values of the ten points, each left-aligned in 9 characters.
std::string PointColumns(const std::array<std::string, 10>& values) {
    std::string text;
    for (const std::string& value : values)
        text += Format("%-9s", value.c_str());
    return text;
}

} // namespace

std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

std::array<std::array<int, 10>, 26> TestProject::FilledAreas(int value) {
    std::array<std::array<int, 10>, 26> areas;
    for (auto& row : areas)
        row.fill(value);
    return areas;
}

std::string TestProject::CropPecText() const {
    int nUsed = extraUsed;
    for (const TestCrop& crop : crops)
        nUsed += crop.used ? 1 : 0;
    std::vector<std::string> lines = {"* Relevant crops and PEC values for " + substance +
                                          " compound, market share and additional dilution factors",
                                      "*"};
    for (const std::string& line : Header(projectName))
        lines.push_back(line);
    for (int i = 7; i <= 12; ++i)
        lines.push_back("* comment line " + std::to_string(i));
    lines.push_back(
        "*\t\t    NB: >> Korvalis crops groupings may not be used more than once in a simulation <<");
    lines.push_back("* comment line 14");
    lines.push_back("* comment line 15");
    lines.push_back("*");
    lines.push_back(Format("%d total number of crops with different Korvalis crop grouping codeIDs", nUsed));
    lines.push_back(
        Format("%d total number of crops in FOCUS-SW D3 project", static_cast<int>(crops.size())));
    lines.push_back(
        Format("%d total number of applications for all FOCUS-SW D3 crops", static_cast<int>(crops.size())));
    lines.push_back("*");
    lines.push_back("* |--FOCUS D3 crop---| |---Number of applications---| |--application rate (kg/ha)--| "
                    "|---application date---|");
    for (const TestCrop& crop : crops)
        lines.push_back(Format("    %-29s %2d %35.3f %31s", crop.cropCode.c_str(), 1, 0.5, "15-may-1985"));
    for (int i = 0; i < 5; ++i)
        lines.push_back("*");
    for (const TestCrop& crop : crops)
        lines.push_back(Format("%14s %20s %3s  %10s   %-29s %-29s %4s", crop.pec.c_str(), crop.date.c_str(),
                               crop.pecCode.c_str(), crop.codeId.c_str(), crop.groupingName.c_str(),
                               crop.cropCode.c_str(), crop.flag.c_str()));
    for (int i = 0; i < 8; ++i)
        lines.push_back("*");
    lines.push_back("* Additional pesticide dilution factor");
    lines.push_back(std::string(48, ' ') + PointColumns(dilution));
    lines.push_back("*");
    lines.push_back("* fmarket [-] per KV_crop and abstraction point");
    for (const TestCrop& crop : crops)
        if (crop.used)
            lines.push_back(Format("%-6s %-41s", crop.codeId.c_str(), crop.groupingName.c_str()) +
                            PointColumns(crop.market));
    return Join(lines);
}

std::string TestProject::CompoundPropertiesText() const {
    std::vector<std::string> lines = {"* Summary of used pesticide property data", "*"};
    for (const std::string& line : Header(projectName))
        lines.push_back(line);
    for (int i = 7; i <= 15; ++i)
        lines.push_back(i == 10 ? "* Psat & T_vap\t= comment" : "* comment");
    std::string values = Format("  %-24s", substance.c_str());
    for (const std::string& value : properties)
        values += " " + Format("%-9s", value.c_str());
    lines.push_back(values);
    return Join(lines);
}

std::string TestProject::CropAreaText() const {
    std::vector<std::string> lines = Header(projectName);
    for (int i = 1; i <= 16; ++i)
        lines.push_back("* crop-area comment " + std::to_string(i));
    std::string intakeLine = "* Intake area of abstraction point [ha]";
    for (int value : intake)
        intakeLine += Format(" %7d", value);
    lines.push_back(intakeLine);
    lines.push_back("* ID abstraction point   1 2 3 4 5 6 7 8 9 6b");
    for (int code = 1; code <= 26; ++code) {
        std::string line = Format("%-3d Groep_%-10d %5d Group_%-10d", code, code, 1000 + code, code);
        for (int value : area[code - 1])
            line += Format(" %7d", value);
        lines.push_back(line);
    }
    return Join(lines);
}

void TestProject::Write(const std::filesystem::path& folder) const {
    std::filesystem::copy_file(DataFile("PEC/Names.inp"), folder / "Names.inp",
                               std::filesystem::copy_options::overwrite_existing);
    WriteBytes(folder / "CropPEC.inp", CropPecText());
    WriteBytes(folder / "CompoundProperties.inp", CompoundPropertiesText());
    WriteBytes(folder / "CropArea.inp", CropAreaText());
}

RunResult RunEngine(const std::filesystem::path& folder) {
    std::ostringstream console;
    RunEnvironment environment;
    environment.folder = folder;
    environment.header = {{2024, 12, 10, 9, 5}, "C:\\VANDREL\\data\\PEC\\", "Test compiler"};
    environment.console = &console;
    RunResult result;
    result.status = RunTier1(environment);
    result.console = console.str();
    return result;
}

std::filesystem::path DataFile(const std::string& relative) {
    return std::filesystem::path(VANDREL_DATA) / relative;
}

std::filesystem::path Fixture(const std::string& relative) {
    return std::filesystem::path(VANDREL_FIXTURES) / relative;
}

} // namespace tesvorik::test
