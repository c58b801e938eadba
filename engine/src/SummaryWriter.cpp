#include "engine/SummaryWriter.h"

#include "engine/FieldWriter.h"
#include "engine/InputReader.h"
#include "engine/Tier1Calculation.h"

namespace tesvorik {

namespace {

constexpr const char* kExecutableName = "Tesvorik";
constexpr const char* kModelVersion = "1.1";
constexpr const char* kModelDate = "22 March 2008";
constexpr std::size_t kHeaderTextWidth = 20;
constexpr std::size_t kCompilerWidth = 25;
constexpr std::size_t kWorkDirWidth = 80;

// The Kom (L/kg) above which the results are shown as upper limits.
constexpr float kKomLimit = 10000.0f;
// A grouping takes part in the use-factor table at a point only above this area (ha).
constexpr float kListedArea = 0.01f;

constexpr const char* kBlankComment = " * ";
constexpr const char* kTableRule =
    " * ---------------------------------------------------------------------------------------------";

const std::string& GroupingNameOf(const EngineTables& t, const CropRow& crop) {
    return t.groupingName[crop.Grouping() - 1];
}

void BlankComments(SummaryFile& file, int count) {
    for (int i = 0; i < count; ++i)
        file.Line(kBlankComment);
}

std::string CropLine(const EngineTables& t, const CropRow& crop) {
    std::string line = kBlankComment + GroupingNameOf(t, crop) + crop.cropCode;
    if (crop.pecCode != 1.0f && crop.pecCode != 2.0f)
        return line + "error: PEC_code in CropPEC.inp must be 1 (spray drift) or 2 (drainage)";
    line += crop.peakDate + FixedField(crop.pecFocus, 12, 3);
    return line + (crop.pecCode == 1.0f ? "             spray drift" : "             drainage");
}

// The use-factor rows of one point; answers how many were written.
int WriteUseFactorRows(const EngineTables& t, int point, SummaryFile& file) {
    int rows = 0;
    for (std::size_t k = 0; k < t.used.size(); ++k) {
        const CropRow& crop = t.used[k];
        const float area = t.area.Area(crop.Grouping(), point);
        if (!(area > kListedArea)) continue;
        const float rca = RelativeCroppedArea(area, t.area.intake[point]);
        file.Line(kBlankComment + t.pointName[point] + crop.cropCode +
                  FixedField(t.useFactor[k][point], 8, 6) + "     " + FixedField(rca, 8, 6) + "   " +
                  FixedField(t.market[k][point], 4, 2) + "     " + FixedField(t.addDilution[point], 4, 2));
        ++rows;
    }
    return rows;
}

void WriteResults(const EngineTables& t, SummaryFile& file) {
    file.Line(" *                        PEC_Tier1 [\xB5g/L]");
    for (int point = 0; point < kPointCount; ++point)
        file.Line(kBlankComment + t.pointName[point] + FixedField(t.pecTier1[point], 12, 3));
}

void WriteKomResults(const EngineTables& t, SummaryFile& file) {
    file.Line(" * Kom value of the substance is higher than 10000 L/kg!");
    file.Line(" *");
    file.Line(" *                     PEC_Tier1# [\xB5g/L]");
    for (int point = 0; point < kPointCount; ++point)
        file.Line(kBlankComment + t.pointName[point] + " <" + NarrowestThreeDecimalField(t.pecTier1[point]));
    file.Line(" *");
    file.Line(" * # For this project the current Tier1 calculation method");
    file.Line(" * does not result in realistic PEC-Tier1 values.");
    file.Line(" * Therefore they have been replaced by \"< calculated value \xB5g/L\".");
    file.Line(" * The Tier1 calculation method does not account for sorption of mass");
    file.Line(" * entered by spray drift deposition.");
    file.Line(" * For the current substance with a KOM greater than 10000 L/kg");
    file.Line(" * this artefact results in unrealistically high values of the");
    file.Line(" * calculated PEC-Tier1. Based upon calculations reported in an");
    file.Line(" * appendix of the VANDREL user manual (Ter Molsvik et al., 2010),");
    file.Line(" * we suggest to divide the calculated values by a factor of 5.");
    file.Line(" *");
}

} // namespace

void WriteHeaderAndProperties(const EngineTables& t, const RunHeader& header, SummaryFile& file) {
    const Properties& p = t.properties;
    const RunClock& c = header.clock;
    file.Line(kBlankComment);
    file.Line(" * project name " + t.projectName);
    file.Line(" * Calculated PEC abstraction in Tier I for " + t.substanceCode);
    file.Line(" * summary file generated on        : " + ZeroPaddedField(c.day, 2) + "/" +
              ZeroPaddedField(c.month, 2) + "/" + ZeroPaddedField(c.year, 4) + " at " +
              ZeroPaddedField(c.hour, 2) + ":" + ZeroPaddedField(c.minute, 2));
    file.Line(kBlankComment);
    file.Line(" * executable name: " + FixedText(kExecutableName, kHeaderTextWidth));
    file.Line(" * model version: " + FixedText(kModelVersion, kHeaderTextWidth));
    file.Line(" * model date: " + FixedText(kModelDate, kHeaderTextWidth));
    file.Line(" * compiler name: " + FixedText(header.compiler, kCompilerWidth));
    file.Line(" * Working directory: " + FixedText(header.workDir, kWorkDirWidth));
    BlankComments(file, 2);
    file.Line(" * **** MAIN INPUT DATA *****");
    file.Line(kBlankComment);
    file.Line(" * Relevant physical chemical properties for VANDREL tool of substance: " + t.substanceCode);
    file.Line(" * Molar mass =  " + FixedField(p[MolarMass], 5, 1) + " g/mol");
    file.Line(" * DT50-w =  " + FixedField(p[DT50w], 8, 1) + " days at " + FixedField(p[Tw], 5, 1) + " K");
    file.Line(" * Psat =  " + ExponentField(p[Psat]) + " Pa at " + FixedField(p[Tvap], 5, 1) + " K");
    file.Line(" * Solub =  " + ExponentField(p[Solub]) + " g/L at " + FixedField(p[Tsol], 5, 1) + " K");
    file.Line(" * E_arrh =  " + ExponentField(p[Earrh]) + " J/mol");
    BlankComments(file, 2);
}

void WriteCropsAndMethod(const EngineTables& t, SummaryFile& file) {
    file.Line(" *    FOCUS D3 crop           Number of applications         "
              "application rate (kg/ha)      application date");
    file.Line(" * -----------------------------------------------------------"
              "---------------------------------------------");
    for (const std::string& application : t.applications)
        file.Line(kBlankComment + application);
    file.Line(" * --------------------------------------------------------------"
              "-------------------------------------------");
    BlankComments(file, 2);

    file.Line(" * Korvalis crop              FOCUS D3 crop                 Date                  "
              "PEC_FOCUS_NL,D3     Main        ");
    file.Line(" *                                                          PEC_FOCUS_NL,D3       "
              "(\xB5g/L)              entry route ");
    file.Line(" *---------------------------------------------------------------------------------"
              "-------------------------------");
    for (const CropRow& crop : t.used)
        file.Line(CropLine(t, crop));
    file.Line(" *----------------------------------------------------------------------------------"
              "------------------------------ ");
    file.Line(kBlankComment);
    file.Line(" * In case two or more FOCUS-SW D3-crops are connected to the same Korvalis crop "
              "grouping, only the FOCUS-SW D3-crop ");
    file.Line(" * with the highest PEC_FOCUS_NL,D3 will be used for the calculation of the PEC_Tier I "
              "at the abstraction points. ");
    file.Line(kBlankComment);

    file.Line(" * **** DATA FOR CALCULATION OF PEC_TIER1 *****");
    file.Line(kBlankComment);
    file.Line(" * PEC_Tier1 = SUM_all_crops((PEC_FOCUS_NL,D3 * f_corrFOCUSscen) *"
              "f_use_int) * f_timing * f_dissipation * f_add_dil");
    file.Line(kBlankComment);
    file.Line(" * f_use_int = RCA * f_market * f_relevant_contributing_area");
    file.Line(kBlankComment);
    file.Line(
        " * f_corrFOCUSscen:              3 for peaks caused by drainage, 1 for peaks caused by spray drift");
    file.Line(" * f_relevant_contributing_area: 1 for drainage, 0.5 for spray drift");
    file.Line(" * f_timing:                     0.5");
    file.Line(" * f_dissipation:            " + FixedField(t.dissipation, 12, 6));
    file.Line(" * f_dissipation Bommelerwaard:  1.00");
    file.Line(" * Assumed surface water temp.:  " + FixedField(kSurfaceWaterTemperature, 5, 1) + " K");
    file.Line(kBlankComment);

    file.Line(
        " * Abstraction point  FOCUS                         f_use_int    RCA        f_market f_add_dil  ");
    file.Line(
        " *                    D3 crop                       (-)          (-)        (-)      (-)        ");
    file.Line(kTableRule);
}

void WriteUseFactorsAndResults(const EngineTables& t, SummaryFile& file) {
    for (int point = 0; point < kBommelerwaard; ++point)
        WriteUseFactorRows(t, point, file);
    file.Line(kBlankComment);
    const int bommelerwaardRows = WriteUseFactorRows(t, kBommelerwaard, file);
    file.Line(kTableRule);
    if (bommelerwaardRows > 0) file.Line(" * (Bommelerwaard is a subarea of Brakel)");
    BlankComments(file, 2);

    file.Line(" * **** OUTPUT *****");
    BlankComments(file, 2);
    if (t.properties[Kom] > kKomLimit)
        WriteKomResults(t, file);
    else
        WriteResults(t, file);
}

} // namespace tesvorik
