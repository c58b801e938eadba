// Saving, reading and copying projects against the installed project
// database, including saves and copies that fail half-way.

#include "ProjectDatabaseFixture.h"

#include "core/AbstractionPoints.h"

#include <chrono>
#include <thread>

namespace {

std::unique_ptr<TRun> NewRun(const String& RunID, const String& Crop, Integer Applications) {
    auto Run = std::make_unique<TRun>();
    Run->RunID = RunID;
    Run->FOCUS_D3_Crop()->CropCode = Crop;
    Run->NumberOfApplications = Applications;
    for (Integer i = 0; i < Applications; ++i)
        Run->Applications().Add(std::make_unique<TRunApplication>());
    return Run;
}

void Assess(TRun& Run, double Peak, const String& Date, Integer CausedBy, const String& Grouping,
            const String& Name) {
    Run.valid = true;
    Run.available = true;
    Run.PEC_peak = Peak;
    Run.Date_peak = Date;
    Run.SetCausedBy(CausedBy);
    Run.KorvalisCrop()->ID = Grouping;
    Run.KorvalisCrop()->KV_NameE = Name;
}

class ProjectStoreTest : public ProjectDatabaseTest {
protected:
    void SetUp() override {
        ProjectDatabaseTest::SetUp();
        Scenario.ID = 2;
        Scenario.SetName(u"Examplofen_arable");
        Scenario.Runs().Add(NewRun(u"201", u"Cereals, winter", 1));
        Scenario.Runs().Add(NewRun(u"202", u"Potatoes", 2));
        Scenario.Runs().Add(NewRun(u"203", u"Sugar beets", 1));
        dm->ScenarioProjects[2] = &Scenario;
    }

    // An assessed project: two of the three runs assessed, changed dilution
    // factors and market shares.
    std::unique_ptr<TDWProject> NewProject(const String& Name) {
        auto Project = std::make_unique<TDWProject>();
        Project->SetName(Name);
        Project->Description = u"Examplofen in arable crops";
        Project->Substance()->SetGUID(u"{GUID-1}");
        Project->Substance()->SetCheckSum(u"sum-1");
        dm->ReadTravoProject(*Project->TRAVOProject(), 2, AssessedScenario);
        Assess(*Project->TRAVOProject()->getRunFromID(u"201"), 1.25, u"12-06-1985", 2, u"3", u"Winter cereals");
        Assess(*Project->TRAVOProject()->getRunFromID(u"202"), 0.5, u"01-05-1985", 1, u"5", u"Potatoes, consumption");
        TAbstractionPoints& Points = *Project->AbstractionPoints();
        Points.SetFileName(dm->DefaultCropAreaFile());
        Points.Items(2)->SetADF(0.75);
        Points.Items(0)->Find(u"5")->SetMarketShare(0.25);
        Points.Items(1)->Find(u"21")->SetMarketShare(0.40005); // within the tolerance: not stored
        Points.Items(3)->Find(u"3")->SetMarketShare(0.4002);
        return Project;
    }

    std::unique_ptr<TDWProject> Read(Integer ID) {
        auto Project = std::make_unique<TDWProject>();
        dm->ReadDWTProject(*Project, ID);
        return Project;
    }

    TDateTime ModificationDate(Integer ID) {
        return dm->ExecDWTQuery(u"SELECT ModificationDate FROM Projects WHERE ID = :ID", {Variant(ID)})
            ->Fields(0)
            ->AsDateTime();
    }

    String Column(const String& Name, Integer ID) {
        return dm->ExecDWTQuery(u"SELECT " + Name + u" FROM Projects WHERE ID = :ID", {Variant(ID)})
            ->Fields(0)
            ->AsString();
    }

    // Makes the next insert into the table fail, as a full disk or a broken
    // file would.
    void FailInsertsInto(const String& Table) {
        dm->ExecDWTQuery(u"CREATE TRIGGER InjectedFault BEFORE INSERT ON " + Table +
                         u" BEGIN SELECT RAISE(ABORT, 'injected fault'); END");
    }

    TTRAVOProject Scenario;
};

} // namespace

TEST_F(ProjectStoreTest, AProjectRoundTrips) {
    auto Saved = NewProject(u"RoundTrip");
    dm->SaveProject(*Saved);
    ASSERT_GE(Saved->ID, 1);

    auto Project = Read(Saved->ID);
    EXPECT_EQ(Project->ID, Saved->ID);
    EXPECT_EQ(Project->Name(), u"RoundTrip");
    EXPECT_EQ(Project->Description, Saved->Description);
    EXPECT_EQ(Project->Substance()->GUID(), u"{GUID-1}");
    EXPECT_EQ(Project->Substance()->CheckSum(), u"sum-1");
    EXPECT_EQ(Project->Substance()->Caption(), u"Examplofen");
    EXPECT_EQ(Project->TRAVOProject()->ID, 2);
    EXPECT_EQ(Project->AbstractionPoints()->FileName(), dm->DefaultCropAreaFile());

    const TTRAVOProject& Runs = *Project->TRAVOProject();
    ASSERT_EQ(Runs.Runs().Count(), 3);
    const TRun& Cereals = *Runs.getRunFromID(u"201");
    EXPECT_TRUE(Cereals.valid);
    EXPECT_EQ(Cereals.PEC_peak, 1.25);
    EXPECT_EQ(Cereals.Date_peak, u"12-06-1985");
    EXPECT_EQ(Cereals.sCausedBy, u"drainage");
    EXPECT_EQ(Cereals.KorvalisCrop()->ID, u"3");
    EXPECT_EQ(Cereals.KorvalisCrop()->KV_NameE, u"Winter cereals");
    EXPECT_EQ(Cereals.KorvalisCrop()->KV_NameDWT, u"Wintergranen");
    EXPECT_EQ(Cereals.FOCUS_D3_Crop()->CropCodeDWT(), u"cereals_winter");
    EXPECT_EQ(Runs.getRunFromID(u"202")->sCausedBy, u"spray drift");
    EXPECT_EQ(Runs.getRunFromID(u"202")->Applications().Count(), 2);
    EXPECT_FALSE(Runs.getRunFromID(u"203")->valid);

    const TAbstractionPoints& Points = *Project->AbstractionPoints();
    ASSERT_EQ(Points.Count(), 10);
    EXPECT_EQ(Points.Items(2)->ADF(), 0.75);
    EXPECT_EQ(Points.Items(0)->ADF(), 1.0);
    EXPECT_EQ(Points.Items(0)->Find(u"5")->MarketShare(), 0.25);
    EXPECT_EQ(Points.Items(1)->Find(u"21")->MarketShare(), 0.4);
    EXPECT_EQ(Points.Items(3)->Find(u"3")->MarketShare(), 0.4002);

    EXPECT_EQ(Count(u"SELECT * FROM ProjectParameters WHERE ProjectID = :ID AND Parameter = 'ADF' AND CropID = '-'",
                    {Variant(Saved->ID)}),
              10);
    EXPECT_EQ(Count(u"SELECT * FROM ProjectParameters WHERE ProjectID = :ID AND Parameter = 'Share'",
                    {Variant(Saved->ID)}),
              2);
    EXPECT_EQ(Count(u"SELECT * FROM runs WHERE ProjectID = :ID AND PecPeak IS NULL AND CausedBy IS NULL"
                    u" AND KorvalisCropID IS NULL AND DatePeak = ''",
                    {Variant(Saved->ID)}),
              1);
}

TEST_F(ProjectStoreTest, SavingTwiceKeepsIdAndCreationDateAndMovesTheModificationDateOn) {
    auto Project = NewProject(u"Twice");
    dm->SaveProject(*Project);
    const Integer ID = Project->ID;
    const String Created = Column(u"CreationDate", ID);
    const TDateTime Modified = ModificationDate(ID);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));

    Project->Description = u"changed";
    dm->SaveProject(*Project);
    EXPECT_EQ(Project->ID, ID);
    EXPECT_EQ(Count(u"SELECT * FROM Projects"), 1);
    EXPECT_EQ(Column(u"CreationDate", ID), Created);
    EXPECT_GT(ModificationDate(ID), Modified);
    EXPECT_EQ(Column(u"Description", ID), u"changed");
    EXPECT_EQ(Count(u"SELECT * FROM runs WHERE ProjectID = :ID", {Variant(ID)}), 3);
    EXPECT_EQ(Count(u"SELECT * FROM ProjectParameters WHERE ProjectID = :ID", {Variant(ID)}), 12);
}

TEST_F(ProjectStoreTest, AProjectWithoutANameCannotBeSaved) {
    auto Project = NewProject(u"");
    EXPECT_EQ(MessageOf([&] { dm->SaveProject(*Project); }), u"A project without a name cannot be saved");
    EXPECT_EQ(Count(u"SELECT * FROM Projects"), 0);
}

TEST_F(ProjectStoreTest, ASaveThatFailsHalfWayLeavesThePreviousRows) {
    auto Project = NewProject(u"Kept");
    dm->SaveProject(*Project);
    const Integer ID = Project->ID;
    const String Modified = Column(u"ModificationDate", ID);

    Project->Description = u"not stored";
    Project->AbstractionPoints()->Items(2)->SetADF(0.5);
    FailInsertsInto(u"ProjectParameters"); // after the row, the runs and the old parameters changed
    EXPECT_EQ(MessageOf([&] { dm->SaveProject(*Project); }), u"injected fault");

    EXPECT_EQ(Project->ID, ID);
    EXPECT_EQ(Column(u"Description", ID), u"Examplofen in arable crops");
    EXPECT_EQ(Column(u"ModificationDate", ID), Modified);
    EXPECT_EQ(Count(u"SELECT * FROM runs WHERE ProjectID = :ID", {Variant(ID)}), 3);
    EXPECT_EQ(Count(u"SELECT * FROM ProjectParameters WHERE ProjectID = :ID", {Variant(ID)}), 12);
    EXPECT_EQ(Read(ID)->AbstractionPoints()->Items(2)->ADF(), 0.75);

    // A new project that fails to save leaves no row and gets no ID.
    auto Fresh = NewProject(u"Fresh");
    EXPECT_EQ(MessageOf([&] { dm->SaveProject(*Fresh); }), u"injected fault");
    EXPECT_EQ(Fresh->ID, 0);
    EXPECT_EQ(Count(u"SELECT * FROM Projects"), 1);
    EXPECT_EQ(dm->tblDWTProjects->RecordCount(), 1);
}

TEST_F(ProjectStoreTest, ACopyDuplicatesEveryRowUnderANewIdWithOneSubstanceRow) {
    auto Source = NewProject(u"Source");
    dm->SaveProject(*Source);
    const Integer SourceID = Source->ID;
    for (const Char* Code : {u"EXA", u"EXB"}) // a source with two substances rows gives the copy one
        dm->ExecDWTQuery(u"INSERT INTO substances (ProjectID, SubstanceCode, MolMass) VALUES (:ID, :Code, 250.5)",
                         {Variant(SourceID), Variant(Code)});

    TDWProject Copy;
    Copy.SetName(u"Copy");
    Copy.Description = u"a copy";
    dm->CopyProject(SourceID, Copy);

    ASSERT_GT(Copy.ID, SourceID);
    EXPECT_EQ(dm->tblDWTProjects->FieldByName(u"ID")->AsInteger(), Copy.ID);
    EXPECT_EQ(Column(u"Name", Copy.ID), u"Copy");
    EXPECT_EQ(Column(u"Description", Copy.ID), u"a copy");
    for (const Char* Kept : {u"CreationDate", u"ModificationDate", u"TravoProjectID", u"CropAreaFile",
                             u"SubstanceGUID", u"SubstanceCheckSum"})
        EXPECT_EQ(Column(Kept, Copy.ID), Column(Kept, SourceID)) << Utf8(Kept);
    EXPECT_EQ(Count(u"SELECT AbstractionPoint, Parameter, CropID, Value FROM ProjectParameters WHERE ProjectID = :S"
                    u" EXCEPT SELECT AbstractionPoint, Parameter, CropID, Value FROM ProjectParameters"
                    u" WHERE ProjectID = :C",
                    {Variant(SourceID), Variant(Copy.ID)}),
              0);
    EXPECT_EQ(Count(u"SELECT * FROM ProjectParameters WHERE ProjectID = :ID", {Variant(Copy.ID)}), 12);
    EXPECT_EQ(Count(u"SELECT RunID, CropCode, PecPeak, DatePeak, CausedBy, KorvalisCropID FROM runs"
                    u" WHERE ProjectID = :S EXCEPT SELECT RunID, CropCode, PecPeak, DatePeak, CausedBy,"
                    u" KorvalisCropID FROM runs WHERE ProjectID = :C",
                    {Variant(SourceID), Variant(Copy.ID)}),
              0);
    EXPECT_EQ(Count(u"SELECT * FROM runs WHERE ProjectID = :ID", {Variant(Copy.ID)}), 3);
    EXPECT_EQ(Count(u"SELECT * FROM substances WHERE ProjectID = :ID AND SubstanceCode = 'EXA' AND MolMass = 250.5",
                    {Variant(Copy.ID)}),
              1);
    EXPECT_EQ(Count(u"SELECT * FROM substances WHERE ProjectID = :ID", {Variant(Copy.ID)}), 1);
    EXPECT_TRUE(dm->FocusDWTSubstance(Copy.ID));

    // A source without substances row gives the copy an empty one.
    TDWProject Second;
    Second.SetName(u"Second");
    dm->CopyProject(Copy.ID, Second);
    dm->ExecDWTQuery(u"DELETE FROM substances WHERE ProjectID = :ID", {Variant(Second.ID)});
    TDWProject Third;
    Third.SetName(u"Third");
    dm->CopyProject(Second.ID, Third);
    EXPECT_EQ(Count(u"SELECT * FROM substances WHERE ProjectID = :ID AND SubstanceCode IS NULL", {Variant(Third.ID)}),
              1);
}

TEST_F(ProjectStoreTest, ACopyThatFailsHalfWayAddsNothing) {
    auto Source = NewProject(u"Source");
    dm->SaveProject(*Source);
    FailInsertsInto(u"substances"); // the last step
    TDWProject Copy;
    Copy.SetName(u"Copy");
    EXPECT_EQ(MessageOf([&] { dm->CopyProject(Source->ID, Copy); }), u"injected fault");
    EXPECT_EQ(Copy.ID, 0);
    EXPECT_EQ(Count(u"SELECT * FROM Projects"), 1);
    EXPECT_EQ(Count(u"SELECT * FROM runs"), 3);
    EXPECT_EQ(Count(u"SELECT * FROM ProjectParameters"), 12);
    EXPECT_EQ(dm->tblDWTProjects->RecordCount(), 1);
}

TEST_F(ProjectStoreTest, DeletingTheLastProjectDoesNotLetTheNextOneInheritItsRows) {
    auto First = NewProject(u"First");
    dm->SaveProject(*First);
    dm->OpenProjectsTable();
    dm->UpdateProjectDatasourceStatus(false);
    ASSERT_TRUE(dm->FocusDWTProject(First->ID));
    User.AnswerConfirm(true);
    dm->tblDWTProjects->Delete();

    TDWProject Next;
    Next.SetName(u"Next");
    dm->SaveProject(Next);
    EXPECT_GT(Next.ID, First->ID);
    EXPECT_EQ(Count(u"SELECT * FROM runs"), 0);
    EXPECT_EQ(Count(u"SELECT * FROM ProjectParameters"), 0);
}

TEST_F(ProjectStoreTest, AReadThatFailsLeavesTheProjectAsItWas) {
    auto Saved = NewProject(u"Good");
    dm->SaveProject(*Saved);
    auto Project = Read(Saved->ID);
    dm->UpdateProjectDatasourceStatus(false); // the current project stays out of this

    dm->ExecDWTQuery(u"INSERT INTO Projects (Name, SubstanceGUID) VALUES ('bad name', '{GUID-1}')");
    const Integer BadName = dm->ExecDWTQuery(u"SELECT max(ID) FROM Projects")->Fields(0)->AsInteger();
    auto Unknown = NewProject(u"Unknown");
    dm->SaveProject(*Unknown);
    dm->ExecDWTQuery(u"INSERT INTO ProjectParameters VALUES (:ID, 1, 'Depth', '-', 2)", {Variant(Unknown->ID)});
    dm->tblDWTProjects->Refresh();

    const struct {
        Integer ID;
        const Char* Message;
    } Cases[] = {
        {BadName, u"invalid characters: <space> = / \\ ( ) > < * : \" , . + = ? "},
        {Unknown->ID, u"unknown parameter (\"Depth\") in table ProjectParameters"},
    };
    for (const auto& Case : Cases) {
        EXPECT_EQ(MessageOf([&] { dm->ReadDWTProject(*Project, Case.ID); }), Case.Message);
        EXPECT_EQ(Project->ID, Saved->ID);
        EXPECT_EQ(Project->Name(), u"Good");
        EXPECT_EQ(Project->TRAVOProject()->Runs().Count(), 3);
    }

    // An ID that does not exist changes nothing either, and without error.
    dm->ReadDWTProject(*Project, 9999);
    EXPECT_EQ(Project->Name(), u"Good");
}

TEST_F(ProjectStoreTest, ReadingAnEmptyProjectsTableEmptiesTheProject) {
    auto Project = NewProject(u"Kept");
    Project->ID = 7;
    Project->Created = u"01-01-2024";
    dm->ReadDWTProject(*Project, -1);
    EXPECT_EQ(Project->Name(), u"");
    EXPECT_EQ(Project->Description, u"");
    EXPECT_EQ(Project->Created, u"");
    EXPECT_EQ(Project->Substance()->Caption(), u"");
    EXPECT_EQ(Project->TRAVOProject()->Runs().Count(), 0);
    EXPECT_EQ(Project->ID, 7);
    EXPECT_EQ(Project->Substance()->GUID(), u"{GUID-1}");
}
