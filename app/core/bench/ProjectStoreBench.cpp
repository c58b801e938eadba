// Saving, reading and copying an assessed project (ten abstraction points,
// the 26 groupings of the default crop-area file, changed shares, 12 runs)
// on a copy of the installed project database.

#include "core/AbstractionPoints.h"
#include "core/DataModule.h"
#include "core/Folders.h"
#include "core/Project.h"
#include "coretesting/TestFolders.h"
#include "os/FileUtils.h"
#include "os/Registry.h"
#include "rtl/Encoding.h"

#include <benchmark/benchmark.h>

namespace {

class TBenchSubstanceLibrary : public ISubstanceLibrary {
public:
    String GetSubstanceChecksumByGUID(const String&) override { return u"sum"; }
    String GetSubstanceCode(const String&) override { return u"Examplofen"; }
};

// The scenario project is read from memory; the benchmark measures the
// project database.
class TBenchDataModule : public TdmDataObjects {
public:
    TBenchDataModule() : TdmDataObjects(nullptr) {}
    using TdmData::OpenProjectDatabase;
    const TTRAVOProject* Scenario = nullptr;
    void ReadTravoProject(TTRAVOProject& Result, Integer, const String&) override {
        Result.Runs().Clear();
        for (const TRun* Run : Scenario->Runs())
            Result.Runs().Add(Run->Copy());
    }
};

class TBenchSetup {
public:
    TBenchSetup() {
        {
            TRegistry Registry;
            Registry.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", true);
            Registry.WriteString(u"Datapath", Folder.Path());
        }
        ClearDataPath();
        GetDataPath();
        ForceDirectories(GetDataDir());
        CopyFile(FromUtf8(VANDREL_PROJECT_DATABASE), GetDataDir() + u"VANDREL.db", false);
        dm = Create<TBenchDataModule>();
        dm->SetSubstanceLibrary(&Library);
        dm->OpenProjectDatabase(GetDataDir() + u"VANDREL.db");

        Project.SetName(u"Bench");
        Project.Substance()->SetGUID(u"{GUID}");
        Project.AbstractionPoints()->SetFileName(dm->DefaultCropAreaFile());
        for (const Char* RunID : {u"101", u"102", u"103", u"104", u"105", u"106", u"107", u"108", u"109", u"110",
                                  u"111", u"112"}) {
            auto Run = std::make_unique<TRun>();
            Run->RunID = RunID;
            Run->FOCUS_D3_Crop()->CropCode = u"Potatoes";
            Run->valid = true;
            Run->KorvalisCrop()->ID = u"5";
            Scenario.Runs().Add(std::move(Run));
        }
        dm->Scenario = &Scenario;
        dm->ReadTravoProject(*Project.TRAVOProject(), 0, u"");
        TAbstractionPoints& Points = *Project.AbstractionPoints();
        for (Integer p = 0; p < Points.Count(); ++p)
            for (Integer c = 0; c < Points.Items(p)->CropCount(); c += 2)
                Points.Items(p)->Crops(c)->SetMarketShare(0.3);
        dm->SaveProject(Project);
    }
    ~TBenchSetup() {
        Free(dm);
        ClearDataPath();
    }

    TRegistrySandbox Registry;
    TTestFolder Folder;
    TBenchSubstanceLibrary Library;
    TTRAVOProject Scenario;
    TDWProject Project;
    TBenchDataModule* dm = nullptr;
};

void BM_SaveProject(benchmark::State& State) {
    TBenchSetup Setup;
    for (auto _ : State)
        Setup.dm->SaveProject(Setup.Project);
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_ReadProject(benchmark::State& State) {
    TBenchSetup Setup;
    TDWProject Project;
    for (auto _ : State)
        Setup.dm->ReadDWTProject(Project, Setup.Project.ID);
}
BENCHMARK(BM_ReadProject)->Unit(benchmark::kMillisecond);

void BM_CopyProject(benchmark::State& State) {
    TBenchSetup Setup;
    TDWProject Copy;
    Copy.SetName(u"Copy");
    for (auto _ : State)
        Setup.dm->CopyProject(Setup.Project.ID, Copy);
}
BENCHMARK(BM_CopyProject)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
