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
// Sources: DataModule.cpp (TdmData: components, opening the project
// database, the table routines), DataObjects.cpp (the current project, the
// reference tables, names and substance checksums), ProjectStore.cpp
// (reading, saving and copying projects), ScenarioDatabase.cpp (the scenario
// side).

#include "core/OwnedList.h"
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

// What the data module asks of the substance library. The program answers
// through the substance-library bridge; tests install their own.
class ISubstanceLibrary {
public:
    virtual ~ISubstanceLibrary() = default;
    // The substance's current checksum; empty when the library no longer
    // knows the substance.
    virtual String GetSubstanceChecksumByGUID(const String& GUID) = 0;
    // The "SubstanceCode" entry of the substance's info list (required
    // attributes only); empty when the list has none.
    virtual String GetSubstanceCode(const String& GUID) = 0;
};

// ---- Scenario database -----------------------------------------------------

// The registry value, below the program's key in HKEY_CURRENT_USER, that names
// the scenario database file that opened last.
inline constexpr const Char* TravoDBValueName = u"travo_db";
// The version of the scenario database the program reads.
inline constexpr Integer RequiredTravoDBVersion = 3;

// Finds the scenario database file. With an empty `DatabaseFile` (the first
// try) the registry value "travo_db" is taken when it names an existing file;
// when it names a missing one the user is told so. Otherwise, and on every
// later try, the user picks the file in a dialog. False when the user
// cancels.
bool LocateTravoDatabase(String& DatabaseFile);
// Writes the file into the registry value "travo_db".
void StoreTravoDBPath(const String& DatabaseFile);

// A query on the scenario connection, freed (Free) when the pointer goes.
struct TFreeQuery {
    void operator()(TADOQuery* Query) const { Free(Query); }
};
using TTravoQuery = std::unique_ptr<TADOQuery, TFreeQuery>;

// GetTravoProjects attaches each caption's ProjectID as the line's object;
// these put it there and read it back.
TObject* TravoProjectIDObject(Integer ProjectID);
Integer TravoProjectIDOf(const TStrings& List, Integer Index);

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

    // True when the scenario database's SYSDBINFO holds version 3 in its
    // first row.
    bool CheckTravoDBVersion();
    // A new query on the scenario connection with the text, its ":name"
    // parameters bound to Values in the order they first appear, opened. It
    // belongs to the data module until the caller's pointer lets it go.
    TTravoQuery OpenTravoQuery(const String& SQL, const std::vector<Variant>& Values = {});
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
    // Connects to the scenario database in the file and checks its version;
    // raises the provider's error or the wrong-version message, and then
    // leaves the connection closed.
    void ConnectTravoDatabase(const String& FileName);

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

    // The substance library the checks and reads ask; the bridge unless
    // another one is set (null: the bridge again).
    void SetSubstanceLibrary(ISubstanceLibrary* Library) { FSubstanceLibrary = Library; }
    ISubstanceLibrary& SubstanceLibrary();

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

    // Clears Result and fills it with the captions of the scenario projects
    // an assessment can use, each with its ProjectID as the line's object
    // (TravoProjectIDOf): copies of the standard projects (Focus "NO") with a
    // run at the locked location aScenario (any location when it is empty)
    // of which the application dates can be read.
    void GetTravoProjects(TStrings& Result, const String& aScenario);
    // Reads the scenario project ProjectID into Result: its fields, its runs
    // at aScenario with their application dates, and the substance of its
    // first run (checksum and caption from the substance library). A project
    // the scenario database no longer holds is reported to the user and
    // leaves Result empty but for its ID, marked as missing, so no runs of
    // an earlier project stay behind.
    virtual void ReadTravoProject(TTRAVOProject& Result, Integer ProjectID, const String& aScenario);
    // Rebuilds the run list from the scenario database: one run per RunID in
    // RunID order, one application per application-scheme row in order.
    void ReadTravoRuns(TOwnedList<TRun>& Runs, Integer ProjectID, const String& aScenario);
    // Reads every run's lateral-entry file (core/LateralEntryFile.h) and
    // makes the runs whose dates were read available; answers their number.
    // A missing or malformed file leaves its run unavailable and unchanged.
    Integer ReadApplicationDates(TTRAVOProject& Project);

private:
    void SaveProjectParameters(TDWProject& Project);
    void ReadProjectParameters(TDWProject& Project);
    // Copies the rows of Table whose column KeyColumn (a position) holds
    // SourceID, each with NewID in that column; at most one row when
    // OneRow. Answers the number of rows copied.
    Integer CopyRowsByPosition(const String& Table, Integer KeyColumn, Integer SourceID, Integer NewID,
                               bool OneRow);
    // After a failed change: drops an unfinished edit and reads the table
    // again, so it shows what the database holds.
    void ReloadProjectsTable();

    std::unique_ptr<TDWProject> FProject;
    ISubstanceLibrary* FSubstanceLibrary = nullptr;
    IProjectDataModule* FPreviousDataModule = nullptr;
};
