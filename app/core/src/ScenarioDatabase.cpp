// The scenario side of the data module: finding and opening the scenario
// tool's database at start-up, and reading its projects, runs and
// application schemes (read-only), with the application dates from the
// runs' lateral-entry files.

#include "OddsAndEnds/VANDRELRegistry.h"
#include "core/DataModule.h"
#include "core/Folders.h"
#include "core/InputFile.h"
#include "core/LateralEntryFile.h"
#include "core/Project.h"
#include "core/UserInteraction.h"
#include "os/FileUtils.h"
#include "os/WindowsPath.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/StringUtils.h"

#include <cstdint>

namespace {

// What the file dialog offers.
constexpr const Char* TravoDatabaseFolder = u"c:\\travo\\data";
constexpr const Char* TravoDatabaseFile = u"travo.fdb";
constexpr const Char* TravoDatabaseFilter = u"Firebird files (*.fdb)|*.fdb|All files (*.*)|*.*";

// The scenario database is reached with the embedded Firebird engine as the
// fixed user of the scenario tool. The file names are quoted, so a file name
// may hold any character.
constexpr const Char* TravoConnectionText =
    u"Provider=Firebird;Password=quillfern;User ID=SYSDBA;Database= %s;Client= %s";

String ConnectionValue(const String& Value) {
    return AnsiQuotedStr(Value, u'"');
}

// Only the copies of the standard FOCUS projects can be assessed, and only
// their runs at the locked (unchanged) location of the scenario.
String TravoProjectsSQL(const String& aScenario) {
    String SQL = u" SELECT Projects.Caption, Projects.ProjectID, Projects.Path"
                 u" FROM Projects, Runs, Locations"
                 u" WHERE Projects.ProjectID = Runs.ProjectID"
                 u" AND Runs.LocationID = Locations.LocationID"
                 u" AND Projects.Focus = 'NO'";
    if (!aScenario.empty()) SQL += u" AND Locations.Caption = :Scenario AND Locations.Locked = 'YES'";
    return SQL + u" GROUP BY Projects.Caption, Projects.ProjectID, Projects.Path";
}

// One row per application of a run: the run's fields with the rate, the
// crop's folder, number and caption.
String TravoRunsSQL(const String& aScenario) {
    String SQL = u"SELECT r.*, a.Rate, c.Dir_name, c.CropNr AS nr, c.Caption as CropCaption"
                 u" FROM Runs r, ApplicationSchemes AS aSchemes, AbsoluteApplications AS a,"
                 u" FocusCrops AS c, Locations AS l"
                 u" WHERE r.ProjectID = :ProjectID"
                 u" AND r.ApplicationSchemeID = aSchemes.ApplicationSchemeID"
                 u" AND aSchemes.ApplicationSchemeID = a.ApplicationsSchemeID"
                 u" AND r.CropID = c.CropID"
                 u" AND r.LocationID = l.LocationID";
    if (!aScenario.empty()) SQL += u" AND l.Caption = :Scenario AND l.Locked = 'YES'";
    return SQL + u" ORDER BY r.RunID, a.ApplicationNr";
}

std::vector<Variant> ScenarioValues(const String& aScenario) {
    if (aScenario.empty()) return {};
    return {Variant(aScenario)};
}

} // namespace

// ---------------------------------------------------------------- start-up

bool LocateTravoDatabase(String& DatabaseFile) {
    if (DatabaseFile.empty()) {
        TVANDRELRegistry& Registry = TVANDRELRegistry::GetSingleton();
        if (Registry.HKCUVarExists(TravoDBValueName, false)) {
            const String Stored = Registry.HKCUGetStr(TravoDBValueName);
            const String File = os::ConvertWindowsPath(Stored);
            if (!File.empty() && FileExists(File)) {
                DatabaseFile = File;
                return true;
            }
            ShowError(Format(u"TRAVO database not found: %s.", {Stored}));
        }
    }
    TOpenFileRequest Request;
    Request.Title = Format(u"Select the %s database ", {String(u"TRAVO")});
    Request.InitialDir = os::ConvertWindowsPath(TravoDatabaseFolder);
    Request.FileName = TravoDatabaseFile;
    Request.Filter = TravoDatabaseFilter;
    String Chosen;
    if (!UserInteraction().OpenFile(Request, Chosen)) return false;
    DatabaseFile = Chosen;
    return true;
}

void StoreTravoDBPath(const String& DatabaseFile) {
    TVANDRELRegistry::GetSingleton().HKCUSetStr(TravoDBValueName, DatabaseFile);
}

TObject* TravoProjectIDObject(Integer ProjectID) {
    return reinterpret_cast<TObject*>(static_cast<std::intptr_t>(ProjectID));
}

Integer TravoProjectIDOf(const TStrings& List, Integer Index) {
    return static_cast<Integer>(reinterpret_cast<std::intptr_t>(List.Objects(Index)));
}

void TdmData::CreateScenarioDatabaseComponents() {
    ADOConnectionTRAVO = Create<TADOConnection>(this);
    ADOConnectionTRAVO->SetLoginPrompt(false);
    qryTRVProjects = Create<TADOQuery>(this);
    qryTRVProjects->SetConnection(ADOConnectionTRAVO);
}

void TdmData::OpenScenarioDatabase() {
    String DatabaseFile;
    for (;;) {
        if (!LocateTravoDatabase(DatabaseFile)) throw Exception(u"error opening the TRAVO-database.");
        try {
            ConnectTravoDatabase(DatabaseFile);
            StoreTravoDBPath(DatabaseFile);
            return;
        } catch (const Exception& E) {
            // Told to the user, who picks another file or cancels.
            ShowError(u"Error opening the TRAVO-database: \"" + E.Message() + u"\"");
        }
    }
}

void TdmData::ConnectTravoDatabase(const String& FileName) {
    ADOConnectionTRAVO->Close();
    ADOConnectionTRAVO->SetLoginPrompt(false);
    ADOConnectionTRAVO->SetConnectionString(
        Format(TravoConnectionText, {ConnectionValue(FileName), ConnectionValue(GetFirebirdClientPath())}));
    try {
        ADOConnectionTRAVO->Open();
        if (!CheckTravoDBVersion())
            throw Exception(u"You try to open a TRAVO-database with a wrong version. Version 3 is required, "
                            u"part of TRAVO 5.3");
    } catch (...) {
        ADOConnectionTRAVO->Close();
        throw;
    }
}

bool TdmData::CheckTravoDBVersion() {
    const TTravoQuery Query = OpenTravoQuery(u"SELECT DBVERSION FROM SYSDBINFO");
    return !Query->IsEmpty() && Query->FieldByName(u"DBVERSION")->AsInteger() == RequiredTravoDBVersion;
}

TTravoQuery TdmData::OpenTravoQuery(const String& SQL, const std::vector<Variant>& Values) {
    TTravoQuery Query(Create<TADOQuery>(this));
    Query->SetConnection(ADOConnectionTRAVO);
    Query->SQL()->SetText(SQL);
    for (size_t I = 0; I < Values.size(); ++I)
        Query->Parameters()->Items(static_cast<Integer>(I))->SetValue(Values[I]);
    Query->Open();
    return Query;
}

void TdmData::OpenTravoProject(Integer ProjectID) {
    qryTRVProjects->Close();
    qryTRVProjects->SQL()->SetText(u"SELECT * FROM Projects WHERE ProjectID = :ProjectID");
    qryTRVProjects->Parameters()->ParamByName(u"ProjectID")->SetValue(Variant(ProjectID));
    qryTRVProjects->Open();
}

// ---------------------------------------------------------------- reading

void TdmDataObjects::GetTravoProjects(TStrings& Result, const String& aScenario) {
    Result.Clear();
    const TTravoQuery Query = OpenTravoQuery(TravoProjectsSQL(aScenario), ScenarioValues(aScenario));
    TTRAVOProject Work;
    for (; !Query->Eof(); Query->Next()) {
        const Integer ProjectID = Query->FieldByName(u"ProjectID")->AsInteger();
        try {
            Work.SetPath(Query->FieldByName(u"Path")->AsString());
            ReadTravoRuns(Work.Runs(), ProjectID, aScenario);
            if (ReadApplicationDates(Work) > 0)
                Result.AddObject(Query->FieldByName(u"Caption")->AsString(), TravoProjectIDObject(ProjectID));
        } catch (const Exception&) {
            // A project that cannot be read cannot be assessed: it is left
            // out of the list, and the others are still offered.
        }
    }
}

void TdmDataObjects::ReadTravoRuns(TOwnedList<TRun>& Runs, Integer ProjectID, const String& aScenario) {
    Runs.Clear();
    std::vector<Variant> Values{Variant(ProjectID)};
    if (!aScenario.empty()) Values.emplace_back(aScenario);
    const TTravoQuery Query = OpenTravoQuery(TravoRunsSQL(aScenario), Values);

    String PreviousRunID;
    bool First = true;
    TRun* Run = nullptr;
    for (; !Query->Eof(); Query->Next()) {
        const String RunID = Query->FieldByName(u"RunID")->AsString();
        if (First || RunID != PreviousRunID) {
            First = false;
            PreviousRunID = RunID;
            auto NewRun = std::make_unique<TRun>();
            NewRun->RunID = RunID;
            NewRun->SetLatEntryFile(Query->FieldByName(u"LatEntryFile")->AsString());
            NewRun->SetSubstanceGUID(Query->FieldByName(u"SubstanceGUID")->AsString());
            NewRun->SetSubstanceCheckSum(Query->FieldByName(u"SubstanceCheckSum")->AsString());
            TFOCUS_D3_Crop& Crop = *NewRun->FOCUS_D3_Crop();
            Crop.CropNr = Query->FieldByName(u"nr")->AsInteger();
            Crop.CropOrder = Query->FieldByName(u"FocusCropNr")->AsString();
            Crop.CropCode = Query->FieldByName(u"CropCaption")->AsString();
            Crop.CropDirName = Query->FieldByName(u"Dir_name")->AsString();
            Run = Runs.Add(std::move(NewRun));
        }
        auto Application = std::make_unique<TRunApplication>();
        Application->Rate = Query->FieldByName(u"Rate")->AsFloat();
        Run->Applications().Add(std::move(Application));
        Run->NumberOfApplications = Run->Applications().Count();
    }
}

Integer TdmDataObjects::ReadApplicationDates(TTRAVOProject& Project) {
    Integer Count = 0;
    TM2TFile File;
    for (TRun* Run : Project.Runs()) {
        try {
            if (ReadLateralEntryDates(File, LateralEntryFileName(Project.Path(), *Run), *Run)) {
                Run->available = true;
                ++Count;
            }
        } catch (const Exception&) {
            // A missing or malformed lateral-entry file only means that the
            // run's dates are unknown: the run stays unavailable.
        }
    }
    return Count;
}

void TdmDataObjects::ReadTravoProject(TTRAVOProject& Result, Integer ProjectID, const String& aScenario) {
    OpenTravoProject(ProjectID);
    if (qryTRVProjects->IsEmpty()) {
        UserInteraction().ShowMessage(
            Format(u"The related MIRETH project of the selected project is not found. "
                   u"Possibly removed in MIRETH. (ProjectID: %d)",
                   {ProjectID}));
        // Nothing of another scenario project may stay behind: its runs
        // would be taken for this project's and saved under its ID.
        Result.Clear();
        Result.ID = ProjectID;
        Result.Missing = true;
        return;
    }
    Result.Missing = false;
    Result.ID = qryTRVProjects->FieldByName(u"ProjectID")->AsInteger();
    Result.SetName(qryTRVProjects->FieldByName(u"Caption")->AsString());
    Result.Description = qryTRVProjects->FieldByName(u"Description")->AsString();
    Result.Created = qryTRVProjects->FieldByName(u"CreationDate")->AsString();
    Result.Modified = qryTRVProjects->FieldByName(u"ModificationDate")->AsString();
    Result.SetPath(qryTRVProjects->FieldByName(u"Path")->AsString());

    ReadTravoRuns(Result.Runs(), ProjectID, aScenario);
    ReadApplicationDates(Result);

    if (Result.Runs().Count() > 0) {
        TSubstance& Substance = *Result.Substance();
        Substance.SetGUID(Result.Runs().Items(0)->SubstanceGUID());
        Substance.SetCheckSum(SubstanceLibrary().GetSubstanceChecksumByGUID(Substance.GUID()));
        ReadSubstanceCaption(Substance);
    }
}
