#pragma once
// The data module: the program's two databases and what it does with them.
//
// TdmData holds the components on both connections: the program's own
// project database (an SQLite file, "VANDREL.db" in GetDataDir, installed and
// opened, never created) and the scenario tool's database (Firebird,
// read-only). TdmDataObjects adds the data source the project list browses,
// the current project that follows the projects table's cursor, and the
// project operations: reading, saving, copying and deleting stored projects.
//
// The program creates exactly one TdmDataObjects; it is the project model's
// data module (IProjectDataModule) while it lives.
//
// Sources: DataModule.cpp (components, opening the project database, the
// table routines), ProjectStore.cpp (reading, saving and copying projects),
// ProjectChecks.cpp (names, substance checksums), ScenarioDatabase.cpp (the
// scenario side).

#include "core/ProjectDataModule.h"
#include "data/ADODataSet.h"
#include "data/DataSource.h"
#include "rtl/Component.h"
#include "rtl/StringList.h"
#include "rtl/Variant.h"

#include <memory>
#include <vector>

class TDWProject;
class TTRAVOProject;
class TRun;
class TSubstance;
class TAbstractionPoints;

// The file name of the project database in GetDataDir.
inline constexpr const Char* ProjectDatabaseFileName = u"VANDREL.db";
// The program's title, as it names the project database in its errors.
inline constexpr const Char* ProgramTitle = u"VANDREL_1.4.2";
// The scenario the program assesses.
inline constexpr const Char* AssessedScenario = u"D3_Ditch";

class TdmData : public TComponent {
public:
    explicit TdmData(TComponent* AOwner);
    ~TdmData() override;

    // Opens the scenario database first, then the project database. Raises
    // "error opening the VANDREL_1.4.2 database: "<message>"" when the
    // project database cannot be opened.
    virtual void Initialise();

    // ---- Project database ------------------------------------------------

    TADOConnection* ADOConnectionDWT;
    TADOTable* tblDWTProjects;       // "Projects", ordered by ID
    TADOTable* tblDWTSubstances;     // "substances", ordered by ProjectID, 42 persistent fields
    TADOTable* tblAbstractionPoints; // "AbstractionPoints", ordered by ID, persistent fields
    TADOTable* tblProjectParameters; // "ProjectParameters"
    TADOTable* tblDWTCrops;          // "Crops", ordered by FOCUScrop, CropID, 4 persistent fields
    TADOQuery* qryDWT;               // the shared query of ExecDWTQuery

    // The number of abstraction points, N: the row count of the abstraction
    // points table when the database was opened.
    Integer AbstractionPointCount() const { return FAbstractionPointCount; }

    // Moves the projects table to the row with that ID (exact match); false
    // when there is none.
    bool FocusDWTProject(Integer ProjectID);
    // Moves the substances table to the first row of that project.
    bool FocusDWTSubstance(Integer anID);
    // Closes the shared query and gives it the trimmed text, its ":name"
    // parameters bound to Values in the order they first appear. A text that
    // begins with SELECT (any case) opens the query and answers it, on its
    // first row; anything else is executed and answers null. The caller must
    // neither close nor free the answer: the next call reuses it.
    TADOQuery* ExecDWTQuery(const String& SQL, const std::vector<Variant>& Values = {});
    // Reopens the abstraction points table with the filter (empty: all rows)
    // on its first row.
    void FilterAbstractionPoints(const String& Filter);
    // The nine points with an ID below 10.
    void GetAllAbstractionPoints();
    // The points of Brakel: ID 6 and 10.
    void GetDetailsBrakel();
    // Opens the projects table with the data source's record-change handler
    // detached, so opening reads no project.
    void OpenProjectsTable();
    // Before a projects row is deleted: asks the user, removes the project's
    // folder, and deletes the project's parameter, run and substance rows.
    void tblDWTProjectsBeforeDelete(TDataSet* DataSet);

    // ---- Scenario database -----------------------------------------------

    TADOConnection* ADOConnectionTRAVO;
    TADOQuery* qryTRVProjects; // one scenario project, reopened by OpenTravoProject

    // True when the scenario database is of version 3.
    bool CheckTravoDBVersion();
    // A new query on the scenario connection with the text, opened; the
    // caller frees it.
    std::unique_ptr<TADOQuery> OpenTravoQuery(const String& SQL, const std::vector<Variant>& Values = {});
    // Reopens qryTRVProjects on the scenario project with that ID.
    void OpenTravoProject(Integer ProjectID);

protected:
    // The first half of Initialise: finds and opens the scenario database,
    // asking the user until it opens or the user cancels.
    virtual void OpenScenarioDatabase();
    // The second half: opens the project database (ProjectDatabaseFileName in
    // GetDataDir), fixes N, opens the substances and parameters tables.
    void OpenProjectDatabase();
    // Opens the project database in the file; OpenProjectDatabase with
    // another file, for the install step and the tests.
    void OpenProjectDatabase(const String& FileName);

    // Enables or disables the project list's data source (TdmDataObjects).
    virtual void UpdateProjectDatasourceStatus(bool bEnabled);

private:
    void CreateProjectDatabaseComponents();
    void CreateScenarioDatabaseComponents();

    Integer FAbstractionPointCount = 0;
};

class TdmDataObjects : public TdmData, public IProjectDataModule {
public:
    // Creates the current project, then the components; installs itself as
    // the project model's data module.
    explicit TdmDataObjects(TComponent* AOwner);
    ~TdmDataObjects() override;

    void Initialise() override;

    TDataSource* dsProjects; // on tblDWTProjects
    TADOTable* tblDWRuns;    // "runs", ordered by RunID

    // The project that follows the projects table's current row.
    TDWProject* CurrentProject() const { return FProject.get(); }

    // ---- Project database ------------------------------------------------

    // The program folder followed by "data/CropArea/default.CropArea".
    String DefaultCropAreaFile() override;

    // Reads the stored project ProjectID (below 1: the projects table's
    // current row) into Result. The project is read into a fresh object that
    // takes Result's place only when the whole read succeeded.
    void ReadDWTProject(TDWProject& Result, Integer ProjectID);
    // Stores the project, its runs and its parameters in one transaction and
    // gives a new project its ID. Raises for a project without a name.
    void SaveProject(TDWProject& aProject);
    // Copies the stored project aProjectID, with its parameters, runs and
    // one substances row, under newProject's name and description in one
    // transaction; gives newProject the new ID and moves the projects table
    // to it.
    void CopyProject(Integer aProjectID, TDWProject& newProject);
    // The substance code of the substance from the substance library.
    void ReadSubstanceCaption(TSubstance& Substance);
    // Applies the stored runs to the scenario project's runs.
    void ReadDWTRuns(TDWProject& Project);
    // Replaces the stored runs of the project.
    void SaveDWTRuns(TDWProject& Project);

    // True when a project of that name exists, ignoring case.
    bool ProjectNameExists(const String& aName);
    // Record a changed substance / the modification date in the projects
    // table's current row, when that row is the project's.
    void SetSubstance(Integer aProjectID, const String& aSubstanceGuid, const String& aSubstanceCheckSum);
    void SetProjectModifiedDate(Integer ProjectID);
    // Compares every stored project's substance checksum with the substance
    // library and tells the user which projects' results are now invalid.
    void UpdatCheckSums();

    std::unique_ptr<TStringList> GetFocusCropsList() override;
    void InitAbstractionPoints(TAbstractionPoints& Result) override;
    // One line "Name=Caption" per abstraction point.
    void GetAbstractionPoints(TStrings& Result);
    void ResetDWTSubstanceToTravoValues(TSubstance& aTravoSubstance) override;

    void UpdateProjectDatasourceStatus(bool bEnabled) override;
    void dsProjectsDataChange(TObject* Sender, TField* Field);
    void tblDWTSubstancesPostError(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action);

    // ---- Scenario database -----------------------------------------------

    // The captions of the assessable scenario projects, each with its
    // ProjectID as the line's object value.
    void GetTravoProjects(TStrings& Result, const String& aScenario);
    // Reads one scenario project with its runs, application dates and
    // substance.
    virtual void ReadTravoProject(TTRAVOProject& Result, Integer ProjectID, const String& aScenario);
    // Rebuilds the run list from the scenario database.
    void ReadTravoRuns(TOwnedList<TRun>& Runs, Integer ProjectID, const String& aScenario);
    // Reads every run's lateral-entry file; answers the number of runs whose
    // application dates were read.
    Integer ReadApplicationDates(TTRAVOProject& Project);

private:
    std::unique_ptr<TDWProject> FProject;
    IProjectDataModule* FPreviousDataModule = nullptr;
};
