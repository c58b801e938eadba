#pragma once
// A project ready for the engine, for the tests of the input files, the
// engine run and the results: a data path in a throw-away folder with the
// project folder and the engine folder, ten abstraction points from the
// fixture crop-area file, four scenario runs and a stand-in substance.

#include "core/EngineInputFiles.h"
#include "core/Project.h"
#include "coretesting/MemoryProjectDataModule.h"
#include "coretesting/TestFolders.h"
#include "rtl/FormatSettings.h"

#include <map>

class TEngineTestProject {
public:
    // The stand-in substance's attributes as the substance library lists them.
    using TSubstanceInfo = std::map<String, String>;
    static TSubstanceInfo ExampleSubstance();

    // Runs (in this order): potatoes and vegetables_root in grouping 5 with
    // peaks 1.234 and 0.512, pome_stone_fruit in grouping 21, cereals_winter
    // in grouping 3, and an invalid run of maize.
    TEngineTestProject();
    ~TEngineTestProject();

    TDWProject& Project() { return FProject; }
    TRun& Run(Integer index) { return *FProject.TRAVOProject()->Runs().Items(index); }
    TAbstractionPoint& Point(Integer index) { return *FProject.AbstractionPoints()->Items(index); }
    TSubstanceInfo& Substance() { return FSubstance; }

    const String& DataPath() const { return FDataPath.Path(); }
    String ProjectDir() const { return FProject.Path(); }
    String EngineDir() const;
    // Puts the engine built by this repository and the installed Names.inp
    // into the engine folder.
    void InstallEngine() const;

private:
    TTestFolder FDataPath;
    TRegistrySandbox FRegistry;
    TMemoryProjectDataModule FDataModule;
    TFormatSettings FSavedSettings;
    TSubstanceInfo FSubstance = ExampleSubstance();
    TDWProject FProject;
};

// The whole file as bytes, "" when it cannot be read.
std::string FileBytes(const String& fileName);
String FixtureFile(const String& name);
