#pragma once
// A project ready for the engine, for the tests of the input files, the
// engine run and the results: a data path in a throw-away folder with the
// project folder and the engine folder, ten abstraction points from the
// fixture crop-area file, four valid scenario runs and an invalid one, and a
// substance of the stand-in substance library, reached through the bridge.

#include "core/EngineInputFiles.h"
#include "core/Project.h"
#include "coretesting/MemoryProjectDataModule.h"
#include "coretesting/TestFolders.h"
#include "rtl/FormatSettings.h"

#include <map>

class TEngineTestProject {
public:
    // A substance's code and attributes.
    using TSubstanceInfo = std::map<String, String>;
    // Code "Example substance": 12.5 d at 20 C, 0.45 mg/L at 20 C, 291.3
    // g/mol, 2.345E-5 Pa at 25 C, Kom 450 L/kg, 65.4 kJ/mol.
    static TSubstanceInfo ExampleSubstance();

    // Runs (in this order): potatoes and vegetables_root in grouping 5 with
    // peaks 1.234 and 0.512, pome_stone_fruit in grouping 21, cereals_winter
    // in grouping 3, and an invalid run of maize.
    TEngineTestProject();
    ~TEngineTestProject();

    TDWProject& Project() { return FProject; }
    TRun& Run(Integer index) { return *FProject.TRAVOProject()->Runs().Items(index); }
    TAbstractionPoint& Point(Integer index) { return *FProject.AbstractionPoints()->Items(index); }
    // Adds the example substance with `changes` to the substance library
    // (an empty value leaves the attribute out) and makes it the project's
    // substance. Every substance needs a code of its own.
    void UseSubstance(const TSubstanceInfo& changes);

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
    TDWProject FProject;
};

String FixtureFile(const String& name);
