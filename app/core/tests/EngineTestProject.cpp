#include "EngineTestProject.h"

#include "VORN/VORNInterface.h"
#include "core/Folders.h"
#include "core/StartUp.h"
#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "os/Registry.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

struct TApplicationRow {
    Double Rate;
    const Char* Date;
};

TRun& AddRun(TDWProject& project, const Char* crop, const Char* groupingCode, const Char* groupingName,
             Double peak, const Char* peakDate, Integer causedBy,
             std::initializer_list<TApplicationRow> applications) {
    TRun& run = *project.TRAVOProject()->Runs().Add(std::make_unique<TRun>());
    run.FOCUS_D3_Crop()->CropCode = crop;
    run.FOCUS_D3_Crop()->SetCropCodeDWT(crop);
    run.KorvalisCrop()->ID = groupingCode;
    run.KorvalisCrop()->KV_NameDWT = groupingName;
    for (const TApplicationRow& row : applications) {
        TRunApplication& application = *run.Applications().Add(std::make_unique<TRunApplication>());
        application.Rate = row.Rate;
        application.ApplDate = row.Date;
    }
    run.NumberOfApplications = static_cast<Integer>(applications.size());
    run.available = true;
    run.valid = true;
    run.PEC_peak = peak;
    run.Date_peak = peakDate;
    run.SetCausedBy(causedBy);
    return run;
}

} // namespace

TEngineTestProject::TSubstanceInfo TEngineTestProject::ExampleSubstance() {
    return {
        {u"SubstanceCode", u"Example substance"},
        {u"DT50WatRef", u"12.5"},
        {u"TemRefTraWat", u"20"},
        {u"SlbWatRef", u"0.45"},
        {u"TemRefSlb", u"20"},
        {u"MolMass", u"291.3"},
        {u"PreVapRef", u"2.345E-5"},
        {u"TemRefVap", u"25"},
        {u"KomSed", u"450"},
        {u"MolEntTraWat", u"65.4"},
    };
}

void TEngineTestProject::UseSubstance(const TSubstanceInfo& changes) {
    TSubstanceInfo substance = ExampleSubstance();
    for (const auto& [name, value] : changes)
        substance[name] = value;
    String header, values;
    for (const auto& [name, value] : substance) {
        if (value.empty()) continue;
        header += (header.empty() ? u"" : u";") + name;
        values += (values.empty() ? u"\"" : u";\"") + value + u"\"";
    }
    TStringList file;
    file.Add(header);
    file.Add(values);
    const String fileName = FDataPath / u"substance.csv";
    file.SaveToFile(fileName, &TEncoding::ANSI());
    TVORNInterface& library = TVORNInterface::GetSingleton();
    ASSERT_EQ(library.ImportSubstances(fileName, u";", u".", u"\"", false, false), 1);
    FProject.Substance()->SetGUID(library.GetGUIDBySubstanceCode(substance[u"SubstanceCode"]));
    FProject.Substance()->SetCaption(substance[u"SubstanceCode"]);
}

TEngineTestProject::TEngineTestProject() : FSavedSettings(FormatSettings) {
    SetupFormatSettings();
    ClearDataPath();
    TRegistry registry;
    registry.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", true);
    registry.WriteString(u"Datapath", FDataPath.Path());
    GetDataPath();
    ForceDirectories(GetPECDir());

    SetInputFilesClock([] { return EncodeDateTime(2024, 12, 10, 14, 30, 0, 0); });

    // The stand-in substance library on a copy of its example substances.
    if (!CopyFile(FromUtf8(VORN_EXAMPLE_STORE), FDataPath / u"vorn.sqlite", false))
        throw Exception(u"Cannot copy the example substances");
    setenv("VORN_STORE", Utf8(FDataPath / u"vorn.sqlite").c_str(), 1);
    TRegistry machine;
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    machine.OpenKey(u"SOFTWARE\\Brennhoven\\VORN", true);
    machine.WriteString(TVORNInterface::LibraryPathValue, FromUtf8(VORN_LIBRARY));
    TVORNInterface::CreateSingleton(u".");

    FProject.SetName(u"Golden_project");
    ForceDirectories(FProject.Path());
    UseSubstance({});
    FDataModule.DefaultCropArea = FixtureFile(u"project.CropArea");
    FProject.AbstractionPoints()->ResetToDefault();
    Point(2).SetADF(0.8);
    Point(4).SetADF(0.5);
    Point(8).SetADF(0.9);

    AddRun(FProject, u"potatoes", u"5", u"Consumptieaardappelen", 1.234, u"12-06-1985", 2,
           {{0.5, u"15-may-1985"}, {0.5, u"29-may-1985"}});
    AddRun(FProject, u"pome_stone_fruit", u"21", u"Appels_en_peren", 3.456, u"21-04-1985", 1,
           {{0.75, u"20-apr-1985"}, {0.75, u"04-may-1985"}, {0.5, u"18-may-1985"}});
    AddRun(FProject, u"cereals_winter", u"3", u"Wintergranen", 0.789, u"14-12-1984", 2,
           {{1.2, u"02-nov-1984"}});
    AddRun(FProject, u"vegetables_root", u"5", u"Consumptieaardappelen", 0.512, u"16-06-1985", 2,
           {{0.4, u"10-jun-1985"}});
    AddRun(FProject, u"maize", u"2", u"Mais", 0, u"", 1, {{1.0, u"01-may-1985"}}).valid = false;

    // Apples and pears: a lower share at some points; point 8 has no area.
    const Double applesAndPears[] = {0.25, 0.4, 0.4, 0.3, 0.4, 0.35, 0.4, 0.4, 0.4, 0.35};
    for (Integer k = 0; k < 10; ++k)
        if (TCropData* data = Point(k).Find(String(u"21"))) data->SetMarketShare(applesAndPears[k]);
}

TEngineTestProject::~TEngineTestProject() {
    SetInputFilesClock(nullptr);
    TVORNInterface::DestroySingleton();
    unsetenv("VORN_STORE");
    ClearDataPath();
    FormatSettings = FSavedSettings;
}

String TEngineTestProject::EngineDir() const {
    return GetPECDir();
}

void TEngineTestProject::InstallEngine() const {
    ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_TESVORIK), EngineDir() + u"Tesvorik", false));
    ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_DATA) + u"/PEC/Names.inp", EngineDir() + u"Names.inp", false));
}

String FixtureFile(const String& name) {
    return FromUtf8(VANDREL_FIXTURES) + u"/engine-io/" + name;
}
