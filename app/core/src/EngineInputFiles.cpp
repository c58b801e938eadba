// The engine's three input files, built from the project in memory. The
// engine reads them by position and word by word, so the line counts and the
// words of every line are part of the format.

#include "core/EngineInputFiles.h"

#include "VORN/VORNInterface.h"
#include "core/Folders.h"
#include "core/Project.h"
#include "os/FileUtils.h"
#include "rtl/Convert.h"
#include "rtl/Format.h"
#include "rtl/StringUtils.h"

#include <utility>

namespace {

constexpr const Char* ProgramVersion = u"1.4.2";
constexpr Double CelsiusToKelvin = 273.15;
constexpr Integer FirstGroupingCode = 1;
constexpr Integer LastGroupingCode = 26;

TInputFilesClock gClock;

TDateTime HeaderTime() {
    return gClock ? gClock() : Now();
}

// ------------------------------------------------------------------ checks

[[noreturn]] void RaiseUnreadable(const String& what) {
    throw EEngineInputError(u"Cannot write the engine's input files: " + what);
}

String RunDescription(Integer runIndex, const TRun& run) {
    String crop = run.FOCUS_D3_Crop() ? run.FOCUS_D3_Crop()->CropCodeDWT() : String();
    if (crop.empty()) return Format(u"run %d", {runIndex + 1});
    return Format(u"run %d (%s)", {runIndex + 1, crop});
}

// The engine reads these values as single words.
void CheckWord(Integer runIndex, const TRun& run, const String& field, const String& value) {
    if (value.empty()) RaiseUnreadable(Format(u"%s has no %s", {RunDescription(runIndex, run), field}));
    for (Char c : value)
        if (c <= u' ')
            RaiseUnreadable(
                Format(u"the %s \"%s\" of %s holds a blank", {field, value, RunDescription(runIndex, run)}));
}

// The market-share rows of CropPEC.inp hold the grouping name in a column of
// 40 characters; a longer name runs into the first share and the engine
// stops on a read error.
constexpr Integer GroupingNameWidth = 40;

void CheckGroupingNameWidth(Integer runIndex, const TRun& run, const String& name) {
    if (Integer(name.size()) > GroupingNameWidth)
        RaiseUnreadable(Format(u"the crop grouping name \"%s\" of %s is longer than %d characters",
                               {name, RunDescription(runIndex, run), GroupingNameWidth}));
}

void CheckGroupingCode(Integer runIndex, const TRun& run, const String& code) {
    Integer value = 0;
    if (!TryStrToInt(code, value) || value < FirstGroupingCode || value > LastGroupingCode)
        RaiseUnreadable(Format(u"the crop grouping code \"%s\" of %s is not a whole number from 1 to 26",
                               {code, RunDescription(runIndex, run)}));
}

void CheckApplications(Integer runIndex, const TRun& run) {
    for (Integer a = 0; a < run.NumberOfApplications; ++a)
        if (!run.GetApplication(a))
            RaiseUnreadable(Format(
                u"%s counts %d applications but holds %d",
                {RunDescription(runIndex, run), run.NumberOfApplications, run.Applications().Count()}));
}

// Everything the engine reads as a word or uses as an index, checked before
// any file is written.
void CheckEngineCanRead(const TDWProject& project) {
    if (project.Name().empty()) RaiseUnreadable(u"the project has no name");
    const Integer pointCount = project.AbstractionPoints()->Count();
    if (pointCount != EngineAbstractionPointCount)
        RaiseUnreadable(Format(u"the project has %d abstraction points; the engine needs %d",
                               {pointCount, EngineAbstractionPointCount}));
    const TOwnedList<TRun>& runs = project.TRAVOProject()->Runs();
    for (Integer i = 0; i < runs.Count(); ++i) {
        const TRun& run = *runs.Items(i);
        if (!run.valid) continue;
        CheckWord(i, run, u"FOCUS crop code",
                  run.FOCUS_D3_Crop() ? run.FOCUS_D3_Crop()->CropCodeDWT() : String());
        const TKorvalisCrop* grouping = run.KorvalisCrop();
        CheckGroupingCode(i, run, grouping ? grouping->ID : String());
        CheckWord(i, run, u"crop grouping name", grouping ? grouping->KV_NameDWT : String());
        CheckGroupingNameWidth(i, run, grouping->KV_NameDWT);
        CheckWord(i, run, u"peak date", run.Date_peak);
        CheckApplications(i, run);
    }
}

// ------------------------------------------------------------------ files

void SaveAnsi(const TStrings& lines, const String& fileName) {
    lines.SaveToFile(fileName, &TEncoding::ANSI());
}

} // namespace

TInputFilesClock SetInputFilesClock(TInputFilesClock clock) {
    return std::exchange(gClock, std::move(clock));
}

void TDWProject::CreateInputFiles() {
    CheckEngineCanRead(*this);
    TStringList cropPEC, compoundProperties, cropArea;
    WriteCropPEC(cropPEC);
    WriteCompoundProperties(compoundProperties);
    WriteCropArea(cropArea);

    const std::pair<const Char*, const TStringList*> files[] = {
        {CropPECFileName, &cropPEC},
        {CompoundPropertiesFileName, &compoundProperties},
        {CropAreaInputFileName, &cropArea},
    };
    const String projectDir = Path();
    const String engineDir = GetPECDir();
    try {
        for (const auto& [name, lines] : files) {
            SaveAnsi(*lines, projectDir + name);
            SaveAnsi(*lines, engineDir + name);
        }
    } catch (...) {
        // The engine must never run on a mix of this project's files and an
        // earlier project's.
        for (const auto& [name, lines] : files)
            DeleteFile(engineDir + name);
        throw;
    }
}

void TDWProject::AddHeader(TStrings& list) const {
    list.Add(u"* Project name        : " + Name());
    list.Add(u"* Created at          : " + DateTimeToStr(HeaderTime()));
    list.Add(String(u"* Version VANDREL GUI : ") + ProgramVersion);
    list.Add(u"*");
}

void TDWProject::WriteCropPEC(TStrings& list) {
    CheckHighestPecPeak();
    list.Clear();
    const TTRAVOProject& scenario = *TRAVOProject();
    const TAbstractionPoints& points = *AbstractionPoints();

    list.Add(u"* Relevant crops and PEC values for " + Substance()->Caption() +
             u" compound, market share and additional dilution factors");
    list.Add(u"*");
    AddHeader(list);
    list.Add(u"* This file contains crop & PEC data and the market share for the substance used in the "
             u"VANDREL project");
    list.Add(u"* and it contains additional dilution factors for abstraction points");
    list.Add(
        u"* PEC_FOCUS_NL,D3 = Global maximum concentration [ug/L] for step 3 FOCUS D3 run (MIRETH output)");
    list.Add(u"* PEC_code        = Code indicating main contributer to global maximum concentration; (SPRAY "
             u"DRIFT = 1; "
             u"DRAINAGE = 2)");
    list.Add(u"* fmarket         = market share of the pesticide [-]; DEFAULT = 0.4");
    list.Add(u"* codeID          = Korvalis code for crop groupings; values must correspond with codes in "
             u"CropArea.inp "
             u"file;");
    list.Add(u"*\t\t    NB: >> Korvalis crops groupings may not be used more than once in a simulation <<");
    list.Add(u"* KV_crop         = name of Korvalis crop grouping");
    list.Add(u"* D3_FOCUS_crop   = name of the crop grouping in the FOCUS SW D3 scenario that corresponds "
             u"with used "
             u"Korvalis crop groupings");
    list.Add(u"*");
    list.Add(Format(u"%d total number of crops with different Korvalis crop grouping codeIDs",
                    {scenario.GetNrOfUsedRuns()}));
    list.Add(Format(u"%d total number of crops in FOCUS-SW D3 project", {scenario.GetNrOfValidRuns()}));
    list.Add(Format(u"%d total number of applications for all FOCUS-SW D3 crops", {scenario.TotalApps()}));
    list.Add(u"*");
    list.Add(u"* |--FOCUS D3 crop---| |---Number of applications---| |--application rate (kg/ha)--| "
             u"|---application date---|");

    for (const TRun* run : scenario.Runs()) {
        if (!run->valid) continue;
        for (Integer a = 0; a < run->NumberOfApplications; ++a) {
            const TRunApplication& application = *run->GetApplication(a);
            if (a == 0)
                list.Add(Format(u"    %-29s %2d %35.3f %31s",
                                {run->FOCUS_D3_Crop()->CropCodeDWT(), run->NumberOfApplications,
                                 application.Rate, application.ApplDate}));
            else
                list.Add(Format(u"        %64.3f %31s", {application.Rate, application.ApplDate}));
        }
    }

    list.Add(u"*");
    list.Add(u"*");
    list.Add(u"*    |------------------D3------------------| |----------Korvalis-crops----------| "
             u"|-----------FOCUS-SW D3-crops-----------|");
    list.Add(u"*      PEC_FOCUS_NL,D3  date peak   PEC_code   codeID KV_crop                       FOCUS-SW "
             u"D3-crop    "
             u"used in calculation");
    list.Add(u"*       [ug/L]         [dd-mm-yyyy]  [-]        [-]");
    for (Integer i = 0; i < scenario.Runs().Count(); ++i)
        if (scenario.Runs().Items(i)->valid) list.Add(FormatPECLine(i));

    list.Add(u"*");
    list.Add(
        u"* In case two or more FOCUS-SW D3-crop are connected to the same Korvalis crop grouping, only the "
        u"FOCUS-SW D3-crop with the highest PEC_FOCUS_NL,D3");
    list.Add(u"* will be used for the calculation of the PEC_Tier I at the abstraction points.");
    list.Add(u"* In case of NO the PEC_FOCUS_NL,D3 of this FOCUS-SW D3-crop is lower than the "
             u"PEC_FOCUS_NL,D3 of the "
             u"crop connected to the same");
    list.Add(u"* Korvalis crop grouping and therefore there this FOCUS-SW D3-crop will NOT be used for the "
             u"calculation "
             u"of the PEC_Tier I at the abstraction points.");
    list.Add(u"*");
    list.Add(u"* ID abstraction point                          1        2        3        4        5        "
             u"6        7  "
             u"      8        9        6b");
    list.Add(u"* Name abstraction point (KIWA)                 DE_PUNT  ANDIJK   N'GEIN   HEEL     A'DAM    "
             u"BRAKEL   "
             u"PETRUS   TWENTE   SCHEELH  BOMMELERW");
    list.Add(u"* Additional pesticide dilution factor");

    String dilution = StringOfChar(u' ', 48);
    for (Integer k = 0; k < points.Count(); ++k)
        dilution += Format(u"%-9.2f", {points.Items(k)->ADF()});
    list.Add(dilution);

    list.Add(u"*");
    list.Add(u"* fmarket [-] per KV_crop and abstraction point");
    for (const TRun* run : scenario.Runs()) {
        if (!run->valid || !run->used) continue;
        const TKorvalisCrop& grouping = *run->KorvalisCrop();
        String line = Format(u"%-6s %-41s", {grouping.ID, grouping.KV_NameDWT});
        for (Integer k = 0; k < points.Count(); ++k)
            line += Format(u"%-9.2f", {GetMarketShare(grouping.ID, k)});
        list.Add(line);
    }
}

void TDWProject::WriteCompoundProperties(TStrings& list) const {
    TStringList info;
    TStringList* infoList = &info;
    TVORNInterface::GetSingleton().GetSubstanceInfoListByGUID(Substance()->GUID(), true, infoList);
    auto number = [&info](const Char* name) { return StrToFloat(info.Values(name)); };

    const String substanceCode = info.Values(u"SubstanceCode");
    if (Trim(substanceCode).empty()) RaiseUnreadable(u"the substance has no substance code");
    const Double values[] = {
        number(u"DT50WatRef"),
        number(u"TemRefTraWat") + CelsiusToKelvin,
        number(u"SlbWatRef"),
        number(u"TemRefSlb") + CelsiusToKelvin,
        number(u"MolMass"),
        number(u"PreVapRef"),
        number(u"TemRefVap") + CelsiusToKelvin,
        number(u"KomSed"),
        number(u"MolEntTraWat") * 1000,
    };

    list.Clear();
    list.Add(u"* Summary of used pesticide property data");
    list.Add(u"*");
    AddHeader(list);
    list.Add(u"* DT50-w & T_w  = half-life time in water [d] and temperature [K]");
    list.Add(u"* Solub & T_sol = Solubility [mg/L] & temperature at which this is determined [K]");
    list.Add(u"* M_mass        = Molar mass of pesticide [g]");
    list.Add(
        u"* Psat & T_vap\t= Saturated vapour pressure [Pa] & temperature at which this is determined [K]");
    list.Add(u"* KOM           = \"General\" or \"detailed sediment\" organic matter-water partitioning "
             u"coefficient "
             u"[L/kg]");
    list.Add(u"* E_arrh        = molar Arrhenius activation energy for transformation rate");
    list.Add(u"*");
    const Char* columns = u"* %-24s %-9s %-9s %-9s %-9s %-9s %-9s %-9s %-9s %-9s";
    list.Add(Format(columns, {u"pesticide", u"DT50-w", u"T_w", u"Solub", u"T_sol", u"M_mass", u"Psat",
                              u"T_vap", u"Kom", u"E_arrh"}));
    list.Add(Format(columns, {u"", u"[d]", u"[K]", u"[mg/L]", u"[K]", u"[g/mol]", u"[Pa]", u"[K]", u"[L/kg]",
                              u"[J/mol]"}));
    // Solubility and vapour pressure keep six significant digits and the
    // temperatures two decimals, so the engine receives the values the
    // substance library holds.
    list.Add(Format(u"  %-24s %-9.1f %-9.2f %-9.6e %-9.2f %-9.2f %-9.6e %-9.2f %-9f %-9.1f",
                    {StringReplace(substanceCode, u" ", u"_", {rfReplaceAll}), values[0], values[1],
                     values[2], values[3], values[4], values[5], values[6], values[7], values[8]}));
}

void TDWProject::WriteCropArea(TStrings& list) const {
    TStringList cropAreaFile;
    cropAreaFile.LoadFromFile(AbstractionPoints()->FileName());
    list.Clear();
    AddHeader(list);
    list.AddStrings(cropAreaFile);
}

String TDWProject::FormatPECLine(Integer runIndex) const {
    const TRun& run = *TRAVOProject()->Runs().Items(runIndex);
    const TFOCUS_D3_Crop* crop = run.FOCUS_D3_Crop();
    const TKorvalisCrop* grouping = run.KorvalisCrop();
    if (!run.valid || !crop || !grouping) return String();
    return Format(u"%14.3f %20s %3d  %10s   %-29s %-29s %4s",
                  {run.PEC_peak, run.Date_peak, run.CausedBy(), grouping->ID, grouping->KV_NameDWT,
                   crop->CropCodeDWT(), run.used ? u"YES" : u"NO"});
}

Double TDWProject::GetMarketShare(const String& codeID, Integer pointIndex) const {
    const TCropData* data = AbstractionPoints()->Items(pointIndex)->Find(codeID);
    return data ? data->MarketShare() : 0;
}

void TDWProject::CheckHighestPecPeak() {
    const TOwnedList<TRun>& runs = TRAVOProject()->Runs();
    // Every valid run takes part again first, so a run dropped under an
    // earlier grouping or peak comes back when it is now the highest.
    for (TRun* run : runs)
        if (run->valid) run->used = true;
    for (Integer i = 0; i < runs.Count(); ++i) {
        TRun& first = *runs.Items(i);
        if (!first.valid) continue;
        for (Integer j = i + 1; j < runs.Count(); ++j) {
            TRun& second = *runs.Items(j);
            if (!second.valid || first.KorvalisCrop()->ID != second.KorvalisCrop()->ID) continue;
            // A later higher peak, or peaks that cannot be compared, drop the
            // earlier run; a lower or equal one is dropped itself.
            if (!(second.PEC_peak <= first.PEC_peak))
                first.used = false;
            else
                second.used = false;
        }
    }
}

bool TDWProject::MultipleKorvalisGrouping() const {
    const TOwnedList<TRun>& runs = TRAVOProject()->Runs();
    for (Integer i = 0; i < runs.Count(); ++i) {
        if (!runs.Items(i)->valid) continue;
        for (Integer j = i + 1; j < runs.Count(); ++j)
            if (runs.Items(j)->valid &&
                runs.Items(i)->KorvalisCrop()->ID == runs.Items(j)->KorvalisCrop()->ID)
                return true;
    }
    return false;
}

std::unique_ptr<TStringList> TDWProject::GetUsedCrops() const {
    auto crops = std::make_unique<TStringList>();
    for (const TRun* run : TRAVOProject()->Runs())
        if (run->valid && run->used) crops->Add(run->KorvalisCrop()->ID);
    return crops;
}
