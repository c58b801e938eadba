#pragma once
// Test support: a temporary working folder, and a project whose four input
// files are written in the layouts the desktop program writes, with every
// value given as the text that goes into the file.

#include "TempFolder.h"

#include <array>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace tesvorik::test {

std::string ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
// Splits CR LF terminated text into its lines.
std::vector<std::string> SplitCrLf(const std::string& text);

struct TestCrop {
    std::string pec = "2.000";
    std::string date = "01-06-1985";
    std::string pecCode = "2";
    std::string codeId = "5";
    std::string groupingName = "Consumptieaardappelen";
    std::string cropCode = "potatoes";
    std::string flag = "YES";
    bool used = true; // counted in nUsed and given a market-share line
    std::array<std::string, 10> market = {"0.40", "0.40", "0.40", "0.40", "0.40",
                                          "0.40", "0.40", "0.40", "0.40", "0.40"};
};

struct TestProject {
    std::string projectName = "Test project";
    std::string substance = "Testofen";
    // DT50-w, T_w, Solub, T_sol, molar mass, Psat, T_vap, Kom, E_arrh
    std::array<std::string, 9> properties = {"10.0",   "293.0", "100",        "293.0",  "300.00",
                                             "1E-005", "293.0", "100.000000", "65400.0"};
    std::vector<TestCrop> crops = {TestCrop{}};
    std::array<std::string, 10> dilution = {"1.00", "1.00", "1.00", "1.00", "1.00",
                                            "1.00", "1.00", "1.00", "1.00", "1.00"};
    std::array<int, 10> intake = {100000, 100000, 100000, 100000, 100000,
                                  100000, 100000, 100000, 100000, 100000};
    std::array<std::array<int, 10>, 26> area = FilledAreas(1000);
    int extraUsed = 0; // added to the written number of used crops

    static std::array<std::array<int, 10>, 26> FilledAreas(int value);

    std::string CropPecText() const;
    std::string CompoundPropertiesText() const;
    std::string CropAreaText() const;
    // Writes Names.inp (the installed one) and the three input files.
    void Write(const std::filesystem::path& folder) const;
};

// The outcome of running the engine in process on a folder.
struct RunResult {
    int status = -1;
    std::string console;
};

// Runs the engine on `folder` with a fixed clock (10/12/2024 at 09:05), the
// working-folder text "C:\\VANDREL\\data\\PEC\\" and the compiler text
// "Test compiler".
RunResult RunEngine(const std::filesystem::path& folder);

// The path of a file of the repository's installed data.
std::filesystem::path DataFile(const std::string& relative);
std::filesystem::path Fixture(const std::string& relative);

} // namespace tesvorik::test
