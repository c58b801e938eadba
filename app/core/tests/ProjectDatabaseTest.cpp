// The data module on the installed project database: opening it, the
// reference tables, the name check, the checksum pass, deleting projects and
// the current project following the projects table.

#include "ProjectDatabaseFixture.h"

#include "VORN/VORNInterface.h"
#include "VORN/VORNRegistry.h"
#include "core/AbstractionPoints.h"
#include "core/CropGroupCache.h"
#include "core/Crops.h"
#include "rtl/Convert.h"
#include "rtl/StringList.h"
#include "rtl/TextCompare.h"

namespace {

// A stored project row, written directly.
Integer StoreRow(TdmDataObjects& dm, const String& Name, const String& GUID, const String& CheckSum) {
    dm.ExecDWTQuery(u"INSERT INTO Projects (Name, SubstanceGUID, SubstanceCheckSum) VALUES (:N, :G, :C)",
                    {Variant(Name), Variant(GUID), Variant(CheckSum)});
    return dm.ExecDWTQuery(u"SELECT max(ID) FROM Projects")->Fields(0)->AsInteger();
}

} // namespace

TEST_F(ProjectDatabaseTest, AMissingDatabaseFileIsNeverCreatedAndFailsWithTheProgramsMessage) {
    const String Missing = GetDataDir() + u"missing.db";
    const String Message = MessageOf([&] { dm->OpenProjectDatabase(Missing); });
    EXPECT_EQ(Message.rfind(u"error opening the VANDREL_1.4.2 database: \"", 0), 0u) << Utf8(Message);
    EXPECT_EQ(Message.back(), u'"');
    EXPECT_FALSE(FileExists(Missing));
}

TEST_F(ProjectDatabaseTest, TheReferenceRowsMatchTheEngineNamesAndTheCropAreaFile) {
    EXPECT_EQ(dm->AbstractionPointCount(), 10);
    TStringList Names;
    Names.LoadFromFile(FromUtf8(VANDREL_DATA_SOURCE) + u"/PEC/Names.inp");
    TStringList Points;
    dm->GetAbstractionPoints(Points);
    ASSERT_EQ(Points.Count(), 10);
    for (Integer i = 0; i < 10; ++i)
        EXPECT_EQ(Points.Names(i), Names.Strings(i));

    // Every grouping code 1 .. 26 is offered, under the name the engine knows.
    std::unique_ptr<TStringList> Crops = dm->GetFocusCropsList();
    std::map<Integer, String> Groupings;
    for (Integer c = 0; c < Crops->Count(); ++c) {
        if (c > 0) {
            EXPECT_LT(AnsiCompareText(Crops->Strings(c - 1), Crops->Strings(c)), 0);
        }
        for (const TKorvalisCrop* Grouping : *static_cast<TKorvalisCropList*>(Crops->Objects(c)))
            Groupings[StrToInt(Grouping->ID)] = Grouping->KV_NameE;
    }
    ASSERT_EQ(Groupings.size(), 26u);
    for (const auto& [Code, Name] : Groupings)
        EXPECT_EQ(Name, Names.Strings(9 + Code)) << Code;
}

TEST_F(ProjectDatabaseTest, TheGroupingsOfACropComeInCodeOrder) {
    TStringList Names;
    GetKorvalisCropNames(u"Potatoes", Names);
    EXPECT_EQ(Names.CommaText(), u"\"Potatoes, consumption\",\"Potatoes, starch\",\"Seed potatoes\"");
    EXPECT_EQ(GetKorvalisCropID(u"Potatoes", u"Seed potatoes"), u"7");
}

TEST_F(ProjectDatabaseTest, TheInformationWindowsTablesOpenWithTheirLabelsAndFilters) {
    dm->tblDWTCrops->Open();
    const struct {
        const Char* Field;
        const Char* Label;
        Integer Width;
    } Columns[] = {{u"FOCUScrop", u"FOCUS D3 crops", 40},
                   {u"Korvaliscrop", u"Korvalis crop grouping (UK)", 40},
                   {u"KorvaliscropNL", u"Korvalis crop grouping (NL)", 40},
                   {u"CropID", u"codeID", 10}};
    for (const auto& Column : Columns) {
        TField* Field = dm->tblDWTCrops->FieldByName(Column.Field);
        EXPECT_EQ(Field->DisplayLabel(), Column.Label);
        EXPECT_EQ(Field->DisplayWidth(), Column.Width);
    }
    dm->tblDWTCrops->Close();

    const auto IDs = [this] {
        String Result;
        for (dm->tblAbstractionPoints->First(); !dm->tblAbstractionPoints->Eof(); dm->tblAbstractionPoints->Next())
            Result += dm->tblAbstractionPoints->FieldByName(u"ID")->AsString() + u" ";
        return Result;
    };
    dm->GetAllAbstractionPoints();
    EXPECT_EQ(IDs(), u"1 2 3 4 5 6 7 8 9 ");
    dm->GetDetailsBrakel();
    EXPECT_EQ(dm->tblAbstractionPoints->FieldByName(u"ID")->AsInteger(), 6); // on the first row
    EXPECT_EQ(IDs(), u"6 10 ");
    dm->tblAbstractionPoints->First();
    EXPECT_EQ(dm->tblAbstractionPoints->FieldByName(u"DefaultArea")->AsFloat(), 167000);
    dm->FilterAbstractionPoints(u"");
    EXPECT_EQ(dm->tblAbstractionPoints->RecordCount(), 10);
}

TEST_F(ProjectDatabaseTest, SubstanceFieldsCheckTheirRanges) {
    TFloatField* MolMass = static_cast<TFloatField*>(dm->tblDWTSubstances->FieldByName(u"MolMass"));
    EXPECT_EQ(MolMass->DisplayFormat(), u"0.0#");
    EXPECT_EQ(MolMass->MinValue(), 10.0);
    EXPECT_EQ(MolMass->MaxValue(), 9999.99);
    EXPECT_EQ(dm->tblDWTSubstances->FieldCount(), 42);
}

TEST_F(ProjectDatabaseTest, ExecDWTQueryOpensSelectsAndExecutesEverythingElse) {
    EXPECT_NE(dm->ExecDWTQuery(u"   select * from Crops"), nullptr);
    EXPECT_EQ(dm->ExecDWTQuery(u"  insert into Projects (Name) values (:Name)", {Variant(u"A")}), nullptr);
    EXPECT_EQ(dm->ExecDWTQuery(u"DELETE FROM Projects"), nullptr);
    EXPECT_EQ(MessageOf([&] { dm->ExecDWTQuery(u"SELECT * FROM Projects WHERE ID = :ID"); }),
              u"0 values given for the 1 parameters of a query");
}

TEST_F(ProjectDatabaseTest, ProjectNameExistsIgnoresCase) {
    StoreRow(*dm, u"Examplofen_2024", u"", u"");
    StoreRow(*dm, u"Émile", u"", u"");
    const struct {
        const Char* Name;
        bool Exists;
    } Cases[] = {{u"Examplofen_2024", true}, {u"EXAMPLOFEN_2024", true}, {u"examplofen_2024", true},
                 {u"Examplofen", false},     {u"émile", true},           {u"'", false}};
    for (const auto& Case : Cases)
        EXPECT_EQ(dm->ProjectNameExists(Case.Name), Case.Exists) << Utf8(Case.Name);
}

TEST_F(ProjectDatabaseTest, TheChecksumPassUpdatesChangedAndDeletedSubstancesAndSkipsProjectsWithout) {
    Library.Substances[u"{GUID-2}"] = {u"sum-2-new", u"Other"};
    const Integer Same = StoreRow(*dm, u"Same", u"{GUID-1}", u"sum-1");
    StoreRow(*dm, u"Changed", u"{GUID-2}", u"sum-2");
    StoreRow(*dm, u"Gone", u"{GUID-3}", u"sum-3");
    StoreRow(*dm, u"NoSubstance", u"", u"");
    dm->ExecDWTQuery(u"UPDATE Projects SET ModificationDate = '2024-01-01 00:00:00'");
    dm->tblDWTProjects->Open();
    const String SameModified = dm->ExecDWTQuery(u"SELECT ModificationDate FROM Projects WHERE ID = :ID",
                                                 {Variant(Same)})->Fields(0)->AsString();

    dm->UpdatCheckSums();

    EXPECT_EQ(User.Texts(TScriptedUserInteraction::TCallKind::Message),
              (std::vector<String>{u"Results of next assessments are invalid because used substance has changed: Changed",
                                   u"Results of next assessments are invalid because used substance is deleted: Gone"}));
    const auto CheckSumOf = [this](const Char* Name) {
        return dm->ExecDWTQuery(u"SELECT SubstanceCheckSum FROM Projects WHERE Name = :N", {Variant(Name)})
            ->Fields(0)
            ->AsString();
    };
    EXPECT_EQ(CheckSumOf(u"Changed"), u"sum-2-new");
    EXPECT_EQ(CheckSumOf(u"Gone"), u"");
    EXPECT_EQ(dm->ExecDWTQuery(u"SELECT ModificationDate FROM Projects WHERE ID = :ID", {Variant(Same)})
                  ->Fields(0)
                  ->AsString(),
              SameModified);

    // A second pass finds nothing to tell.
    dm->UpdatCheckSums();
    EXPECT_EQ(User.Texts(TScriptedUserInteraction::TCallKind::Message).size(), 2u);
}

TEST_F(ProjectDatabaseTest, DeletingAProjectAsksAndRemovesItsFolderAndRows) {
    const Integer ID = StoreRow(*dm, u"Doomed", u"", u"");
    dm->ExecDWTQuery(u"INSERT INTO runs (RunID, ProjectID) VALUES ('1', :ID)", {Variant(ID)});
    dm->ExecDWTQuery(u"INSERT INTO substances (ProjectID) VALUES (:ID)", {Variant(ID)});
    dm->ExecDWTQuery(u"INSERT INTO ProjectParameters VALUES (:ID, 1, 'ADF', '-', 1)", {Variant(ID)});
    ASSERT_TRUE(ForceDirectories(GetProjectsDir() + u"Doomed/sub"));
    dm->OpenProjectsTable();
    ASSERT_TRUE(dm->FocusDWTProject(ID));

    User.AnswerConfirm(false);
    EXPECT_THROW(dm->tblDWTProjects->Delete(), EAbort); // silent: no message box shows it
    EXPECT_TRUE(DirectoryExists(GetProjectsDir() + u"Doomed"));
    EXPECT_EQ(dm->tblDWTProjects->RecordCount(), 1);

    User.AnswerConfirm(true);
    dm->tblDWTProjects->Delete();
    EXPECT_EQ(User.Texts(TScriptedUserInteraction::TCallKind::Confirm).back(),
              u"Are you sure you want to remove project Doomed including all input and output files?");
    EXPECT_FALSE(DirectoryExists(GetProjectsDir() + u"Doomed"));
    EXPECT_EQ(dm->tblDWTProjects->RecordCount(), 0);
    for (const Char* Table : {u"runs", u"substances", u"ProjectParameters"})
        EXPECT_EQ(Count(String(u"SELECT * FROM ") + Table), 0) << Utf8(Table);
}

TEST_F(ProjectDatabaseTest, DeletingAProjectWithoutAUsableNameLeavesEveryFolder) {
    for (const Char* Name : {u"", u"..", u"a/.."}) {
        ASSERT_TRUE(ForceDirectories(GetProjectsDir() + u"Other"));
        const Integer ID = StoreRow(*dm, Name, u"", u"");
        dm->OpenProjectsTable();
        dm->UpdateProjectDatasourceStatus(false); // such a row cannot be read
        dm->tblDWTProjects->Refresh();
        ASSERT_TRUE(dm->FocusDWTProject(ID));
        User.AnswerConfirm(true);
        dm->tblDWTProjects->Delete();
        EXPECT_TRUE(DirectoryExists(GetProjectsDir() + u"Other")) << Utf8(Name);
    }
}

TEST_F(ProjectDatabaseTest, TheCurrentProjectFollowsTheProjectsTable) {
    StoreRow(*dm, u"First", u"{GUID-1}", u"sum-1");
    StoreRow(*dm, u"Second", u"{GUID-1}", u"sum-1");
    dm->OpenProjectsTable();
    EXPECT_EQ(dm->CurrentProject()->Name(), u""); // opening reads nothing
    dm->tblDWTProjects->Last();
    EXPECT_EQ(dm->CurrentProject()->Name(), u"Second");
    EXPECT_EQ(dm->CurrentProject()->Substance()->Caption(), u"Examplofen");
    dm->tblDWTProjects->First();
    EXPECT_EQ(dm->CurrentProject()->Name(), u"First");

    User.AnswerConfirm(true);
    dm->tblDWTProjects->Delete();
    EXPECT_EQ(dm->CurrentProject()->Name(), u"Second");
    User.AnswerConfirm(true);
    dm->tblDWTProjects->Delete();
    EXPECT_EQ(dm->CurrentProject()->Name(), u"");
}

TEST_F(ProjectDatabaseTest, WithoutALibraryOfItsOwnTheDataModuleAsksTheBridge) {
    const TTestFolder Store;
    ASSERT_TRUE(CopyFile(FromUtf8(VORN_EXAMPLE_STORE), Store.Path() + u"vorn.sqlite", false));
    setenv("VORN_STORE", Utf8(Store.Path() + u"vorn.sqlite").c_str(), 1);
    {
        TRegistry Registry;
        Registry.SetRootKey(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(Registry.OpenKey(u"SOFTWARE\\Brennhoven\\VORN", true));
        Registry.WriteString(TVORNInterface::LibraryPathValue, FromUtf8(VORN_LIBRARY));
    }
    TVORNInterface::CreateSingleton(u".");
    dm->SetSubstanceLibrary(nullptr);
    const String Examplofen = u"{6A0E2F4C-1B7D-4E59-9C31-2D8F0A4B7E11}";
    TSubstance Substance;
    Substance.SetGUID(Examplofen);
    dm->ReadSubstanceCaption(Substance);
    EXPECT_EQ(Substance.Caption(), u"Examplofen");
    EXPECT_EQ(dm->SubstanceLibrary().GetSubstanceChecksumByGUID(Examplofen),
              TVORNInterface::GetSingleton().GetSubstanceChecksumByGUID(Examplofen));
    TVORNInterface::DestroySingleton();
    TVORNRegistry::DestroySingleton();
    unsetenv("VORN_STORE");
}
