#pragma once
// A data module on a fresh copy of the installed project database, in a
// throw-away data folder, with a scripted user, an in-memory substance
// library and scenario projects the test puts in place of the scenario
// database.

#include "core/DataModule.h"
#include "core/Folders.h"
#include "core/Project.h"
#include "coretesting/ScriptedUserInteraction.h"
#include "coretesting/TestFolders.h"
#include "os/FileUtils.h"
#include "os/Registry.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtltesting/ExceptionMessage.h"

#include <gtest/gtest.h>
#include <map>

class TTestSubstanceLibrary : public ISubstanceLibrary {
public:
    struct TEntry {
        String CheckSum;
        String Code;
    };
    std::map<String, TEntry> Substances;

    String GetSubstanceChecksumByGUID(const String& GUID) override {
        const auto Found = Substances.find(GUID);
        return Found == Substances.end() ? String() : Found->second.CheckSum;
    }
    String GetSubstanceCode(const String& GUID) override {
        if (GUID.empty()) throw Exception(u"empty GUID");
        const auto Found = Substances.find(GUID);
        return Found == Substances.end() ? String() : Found->second.Code;
    }
};

class TTestDataModule : public TdmDataObjects {
public:
    TTestDataModule() : TdmDataObjects(nullptr) {}
    using TdmData::OpenProjectDatabase;

    // The scenario database, as far as the tests need it.
    std::map<Integer, const TTRAVOProject*> ScenarioProjects;

    void ReadTravoProject(TTRAVOProject& Result, Integer ProjectID, const String& /*aScenario*/) override {
        const auto Found = ScenarioProjects.find(ProjectID);
        if (Found == ScenarioProjects.end()) return;
        const TTRAVOProject& Source = *Found->second;
        Result.ID = Source.ID;
        Result.SetName(Source.Name());
        Result.Runs().Clear();
        for (const TRun* Run : Source.Runs())
            Result.Runs().Add(Run->Copy());
    }
};

class ProjectDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        {
            TRegistry Registry;
            ASSERT_TRUE(Registry.OpenKey(u"SOFTWARE\\Brennhoven\\VANDREL142", true));
            Registry.WriteString(u"Datapath", Folder.Path());
        }
        ClearDataPath();
        GetDataPath();
        ASSERT_TRUE(ForceDirectories(GetDataDir()));
        ASSERT_TRUE(ForceDirectories(GetProjectsDir()));
        ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_PROJECT_DATABASE), DatabaseFile(), false));
        dm = Create<TTestDataModule>();
        dm->SetSubstanceLibrary(&Library);
        dm->OpenProjectDatabase(DatabaseFile());
        Library.Substances[u"{GUID-1}"] = {u"sum-1", u"Examplofen"};
    }
    void TearDown() override {
        Free(dm);
        ClearDataPath();
    }

    String DatabaseFile() const { return GetDataDir() + u"VANDREL.db"; }

    // The number of rows the query answers.
    Integer Count(const String& SQL, const std::vector<Variant>& Values = {}) {
        return dm->ExecDWTQuery(u"SELECT count(*) FROM (" + SQL + u")", Values)->Fields(0)->AsInteger();
    }

    TRegistrySandbox Registry;
    TTestFolder Folder;
    TScriptedUserInteraction User;
    TTestSubstanceLibrary Library;
    TTestDataModule* dm = nullptr;
};
