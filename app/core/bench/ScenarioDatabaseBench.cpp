// The scenario side of the data module on the example scenario database the
// build makes: listing the projects a new assessment can use (the wizard's
// start), reading one project with its runs and application dates, and
// reading one lateral-entry file.

#include "core/DataModule.h"
#include "core/InputFile.h"
#include "core/LateralEntryFile.h"
#include "core/Project.h"
#include "os/WindowsPath.h"
#include "rtl/StringList.h"

#include <benchmark/benchmark.h>

namespace {

const String ExampleFolder = String(u"" VANDREL_EXAMPLE_SCENARIO) + u"/";

class TNoSubstanceLibrary : public ISubstanceLibrary {
public:
    String GetSubstanceChecksumByGUID(const String&) override { return u"checksum"; }
    String GetSubstanceCode(const String&) override { return u"Examplofen"; }
};

// The data module connected to the example scenario database.
class TBenchDataModule : public TdmDataObjects {
public:
    explicit TBenchDataModule(ISubstanceLibrary& Library) : TdmDataObjects(nullptr) {
        SetSubstanceLibrary(&Library);
        os::SetDriveRoot(u'C', ExampleFolder);
        ConnectTravoDatabase(u"" VANDREL_EXAMPLE_SCENARIO_DATABASE);
    }
};

void ListAssessableProjects(benchmark::State& State) {
    TNoSubstanceLibrary Library;
    TBenchDataModule Module(Library);
    TStringList Projects;
    for (auto _ : State) {
        Module.GetTravoProjects(Projects, AssessedScenario);
        benchmark::DoNotOptimize(Projects.Count());
    }
}
BENCHMARK(ListAssessableProjects)->Unit(benchmark::kMillisecond);

void ReadScenarioProject(benchmark::State& State) {
    TNoSubstanceLibrary Library;
    TBenchDataModule Module(Library);
    TTRAVOProject Project;
    for (auto _ : State) {
        Module.ReadTravoProject(Project, 3, AssessedScenario);
        benchmark::DoNotOptimize(Project.Runs().Count());
    }
}
BENCHMARK(ReadScenarioProject)->Unit(benchmark::kMillisecond);

void ReadOneLateralEntryFile(benchmark::State& State) {
    const String FileName =
        ExampleFolder + u"TRAVO/Projects/Examplofen_fruit_veg/MACRO/pome_stone_fruit/run301.m2t";
    TRun Run;
    for (int I = 0; I < 3; ++I)
        Run.Applications().Add(std::make_unique<TRunApplication>());
    TM2TFile File;
    for (auto _ : State)
        benchmark::DoNotOptimize(ReadLateralEntryDates(File, FileName, Run));
}
BENCHMARK(ReadOneLateralEntryFile);

} // namespace

BENCHMARK_MAIN();
