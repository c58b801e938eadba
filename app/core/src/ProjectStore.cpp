// Reading stored projects into the project model, saving them and copying
// them. Every save and copy is one transaction: when it fails, the database
// is as it was and the project keeps its ID.

#include "core/DataModule.h"

#include "core/AbstractionPoints.h"
#include "core/Project.h"
#include "rtl/DateTime.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <cmath>

namespace {

// Market shares within this distance of the default are not stored.
constexpr double DefaultShare = 0.4;
constexpr double ShareTolerance = 0.0001;

void AssignScenarioProject(const TTRAVOProject& Source, TTRAVOProject& Dest) {
    Dest.ID = Source.ID;
    Dest.SetName(Source.Name());
    Dest.Description = Source.Description;
    Dest.Created = Source.Created;
    Dest.Modified = Source.Modified;
    Dest.SetPath(Source.Path());
    Source.Substance()->Copy(*Dest.Substance());
    Dest.Missing = Source.Missing;
    Dest.Runs().Clear();
    for (const TRun* Run : Source.Runs())
        Dest.Runs().Add(Run->Copy());
}

// Gives Dest everything Source holds, keeping Dest's identity and change
// handler: the last step of a read that succeeded.
void AssignProject(const TDWProject& Source, TDWProject& Dest) {
    Dest.ID = Source.ID;
    Dest.SetName(Source.Name());
    Dest.Description = Source.Description;
    Dest.Created = Source.Created;
    Dest.Modified = Source.Modified;
    Source.Substance()->Copy(*Dest.Substance());
    AssignScenarioProject(*Source.TRAVOProject(), *Dest.TRAVOProject());
    Source.AbstractionPoints()->CopyData(*Dest.AbstractionPoints());
}

Variant NullIfEmpty(const String& Text) {
    return Text.empty() ? Variant::Null() : Variant(Text);
}

} // namespace

// ------------------------------------------------------------------ reading

void TdmDataObjects::ReadDWTProject(TDWProject& Result, Integer ProjectID) {
    if (!tblDWTProjects->Active()) OpenProjectsTable();
    if (ProjectID >= 1 && !FocusDWTProject(ProjectID)) return;

    if (tblDWTProjects->IsEmpty()) {
        Result.SetName(String());
        Result.Description.clear();
        Result.Created.clear();
        Result.Modified.clear();
        Result.SetPath(String());
        Result.Substance()->SetCaption(String());
        Result.TRAVOProject()->Clear();
        Result.Change();
        return;
    }

    // Read into a project of its own, so that a read that fails half-way
    // leaves Result as it was instead of a mix of two projects.
    auto Fresh = std::make_unique<TDWProject>();
    TDWProject& Project = *Fresh;
    const auto Field = [this](const Char* Name) { return tblDWTProjects->FieldByName(Name); };
    Project.ID = Field(u"ID")->AsInteger();
    Project.SetName(Field(u"Name")->AsString());
    Project.Description = Field(u"Description")->AsString();
    Project.Created = Field(u"CreationDate")->AsString();
    Project.Modified = Field(u"ModificationDate")->AsString();
    Project.Substance()->SetGUID(Field(u"SubstanceGUID")->AsString());
    // The checksum the project was stored with, so that saving it again
    // keeps it rather than whatever the object held before.
    Project.Substance()->SetCheckSum(Field(u"SubstanceCheckSum")->AsString());
    const String CropAreaFile = Field(u"CropAreaFile")->AsString();
    const Integer TravoProjectID = Field(u"TravoProjectID")->AsInteger();

    Project.AbstractionPoints()->SetFileName(CropAreaFile.empty() ? DefaultCropAreaFile() : CropAreaFile);
    ReadTravoProject(*Project.TRAVOProject(), TravoProjectID, AssessedScenario);
    ReadSubstanceCaption(*Project.Substance());
    ReadDWTRuns(Project);
    ReadProjectParameters(Project);

    AssignProject(Project, Result);
    Result.Change();
}

void TdmDataObjects::ReadSubstanceCaption(TSubstance& Substance) {
    // A project without a substance has no caption; it must still be
    // readable, or the project list could never show it.
    if (Trim(Substance.GUID()).empty()) {
        Substance.SetCaption(String());
        return;
    }
    Substance.SetCaption(SubstanceLibrary().GetSubstanceCode(Substance.GUID()));
}

void TdmDataObjects::ReadDWTRuns(TDWProject& Project) {
    TADOQuery* Query = ExecDWTQuery(u"SELECT r.*, c.* FROM runs r, Crops c"
                                    u" WHERE r.KorvalisCropID = c.CropID"
                                    u" AND c.FOCUScrop = r.CropCode"
                                    u" AND r.ProjectID = :ProjectID",
                                    {Variant(Project.ID)});
    for (; !Query->Eof(); Query->Next()) {
        TRun* Run = Project.TRAVOProject()->getRunFromID(Query->FieldByName(u"RunID")->AsString());
        if (Run == nullptr) continue;
        Run->FOCUS_D3_Crop()->CropCode = Query->FieldByName(u"FOCUScrop")->AsString();
        Run->FOCUS_D3_Crop()->SetCropCodeDWT(Query->FieldByName(u"FOCUSCropDWT")->AsString());
        Run->PEC_peak = Query->FieldByName(u"PecPeak")->AsFloat();
        Run->Date_peak = Query->FieldByName(u"DatePeak")->AsString();
        Run->SetCausedBy(Query->FieldByName(u"CausedBy")->AsInteger());
        Run->KorvalisCrop()->KV_NameE = Query->FieldByName(u"Korvaliscrop")->AsString();
        Run->KorvalisCrop()->KV_NameDWT = Query->FieldByName(u"KorvaliscropDWT")->AsString();
        Run->KorvalisCrop()->ID = Query->FieldByName(u"CropID")->AsString();
        Run->valid = true;
        Run->available = true;
    }
    Query->Close();
}

void TdmDataObjects::ReadProjectParameters(TDWProject& Project) {
    TADOQuery* Query =
        ExecDWTQuery(u"SELECT * FROM ProjectParameters WHERE (ProjectID = :ProjectID)", {Variant(Project.ID)});
    TAbstractionPoints& Points = *Project.AbstractionPoints();
    for (; !Query->Eof(); Query->Next()) {
        const String Parameter = Query->FieldByName(u"Parameter")->AsString();
        const Integer Position = Query->FieldByName(u"AbstractionPoint")->AsInteger() - 1;
        const double Value = Query->FieldByName(u"Value")->AsFloat();
        if (SameText(Parameter, u"ADF")) {
            Points.Items(Position)->SetADF(Value);
        } else if (SameText(Parameter, u"Share")) {
            TCropData* Crop = Points.Items(Position)->Find(Query->FieldByName(u"CropID")->AsString());
            if (Crop != nullptr) Crop->SetMarketShare(Value);
        } else {
            throw Exception(u"unknown parameter (\"" + Parameter + u"\") in table ProjectParameters");
        }
    }
    Query->Close();
}

// ------------------------------------------------------------------- saving

void TdmDataObjects::SaveProject(TDWProject& aProject) {
    // The project's folder is named after it: a project without a name has
    // none, and its files would land elsewhere.
    if (aProject.Name().empty()) throw EInvalidOperation(u"A project without a name cannot be saved");
    const Integer PreviousID = aProject.ID;
    tblDWTProjects->DisableControls();
    try {
        if (!tblDWTProjects->Active()) tblDWTProjects->Open();
        TTransactionScope Transaction(*ADOConnectionDWT);
        const TDateTime Stamp = Now();
        if (aProject.ID >= 1 && FocusDWTProject(aProject.ID)) {
            tblDWTProjects->Edit();
        } else {
            tblDWTProjects->Append();
            tblDWTProjects->FieldByName(u"CreationDate")->SetAsDateTime(Stamp);
        }
        tblDWTProjects->FieldByName(u"Name")->SetAsString(aProject.Name());
        tblDWTProjects->FieldByName(u"Description")->SetAsString(aProject.Description);
        tblDWTProjects->FieldByName(u"ModificationDate")->SetAsDateTime(Stamp);
        tblDWTProjects->FieldByName(u"TravoProjectID")->SetAsInteger(aProject.TRAVOProject()->ID);
        tblDWTProjects->FieldByName(u"CropAreaFile")->SetAsString(aProject.AbstractionPoints()->FileName());
        tblDWTProjects->FieldByName(u"SubstanceCode")->SetAsString(String());
        tblDWTProjects->FieldByName(u"SubstanceGUID")->SetAsString(aProject.Substance()->GUID());
        tblDWTProjects->FieldByName(u"SubstanceCheckSum")->SetAsString(aProject.Substance()->CheckSum());
        tblDWTProjects->Post();
        aProject.ID = tblDWTProjects->FieldByName(u"ID")->AsInteger();
        SaveDWTRuns(aProject);
        SaveProjectParameters(aProject);
        Transaction.Commit();
    } catch (...) {
        aProject.ID = PreviousID;
        ReloadProjectsTable();
        tblDWTProjects->EnableControls();
        throw;
    }
    if (tblProjectParameters->Active()) tblProjectParameters->Refresh();
    tblDWTProjects->EnableControls();
}

void TdmDataObjects::SaveDWTRuns(TDWProject& Project) {
    ExecDWTQuery(u"DELETE FROM runs WHERE ProjectID = :ProjectID", {Variant(Project.ID)});
    for (const TRun* Run : Project.TRAVOProject()->Runs()) {
        const String CropCode = Run->FOCUS_D3_Crop()->CropCode;
        if (Run->valid)
            ExecDWTQuery(u"INSERT INTO runs VALUES (:RunID, :ProjectID, :CropCode, :PecPeak, :DatePeak, :CausedBy,"
                         u" :KorvalisCropID)",
                         {Variant(Run->RunID), Variant(Project.ID), Variant(CropCode), Variant(Run->PEC_peak),
                          Variant(Run->Date_peak), Variant(Run->CausedBy()), NullIfEmpty(Run->KorvalisCrop()->ID)});
        else
            ExecDWTQuery(u"INSERT INTO runs VALUES (:RunID, :ProjectID, :CropCode, NULL, '', NULL, NULL)",
                         {Variant(Run->RunID), Variant(Project.ID), Variant(CropCode)});
    }
}

void TdmDataObjects::SaveProjectParameters(TDWProject& Project) {
    ExecDWTQuery(u"DELETE FROM ProjectParameters WHERE (ProjectID = :ProjectID)", {Variant(Project.ID)});
    const String Insert = u"INSERT INTO ProjectParameters VALUES (:ProjectID, :Point, :Parameter, :CropID, :Value)";
    const TAbstractionPoints& Points = *Project.AbstractionPoints();
    for (Integer P = 0; P < Points.Count(); ++P) {
        const TAbstractionPoint* Point = Points.Items(P);
        ExecDWTQuery(Insert, {Variant(Project.ID), Variant(Point->ID()), Variant(u"ADF"), Variant(u"-"),
                              Variant(Point->ADF())});
    }
    for (Integer G = 0; G < Points.CropCount(); ++G) {
        const TKorvalisCrop* Grouping = Points.Crops(G);
        for (Integer P = 0; P < Points.Count(); ++P) {
            const TAbstractionPoint* Point = Points.Items(P);
            const TCropData* Crop = Point->Find(Grouping);
            if (Crop == nullptr || std::fabs(Crop->MarketShare() - DefaultShare) <= ShareTolerance) continue;
            ExecDWTQuery(Insert, {Variant(Project.ID), Variant(Point->ID()), Variant(u"Share"),
                                  Variant(Grouping->ID), Variant(Crop->MarketShare())});
        }
    }
}

// ------------------------------------------------------------------ copying

void TdmDataObjects::CopyProject(Integer aProjectID, TDWProject& newProject) {
    tblDWTProjects->DisableControls();
    Integer NewID = 0;
    try {
        if (!tblDWTProjects->Active()) tblDWTProjects->Open();
        TTransactionScope Transaction(*ADOConnectionDWT);
        TADOQuery* Source = ExecDWTQuery(u"SELECT * FROM Projects WHERE ID = :ID", {Variant(aProjectID)});
        if (Source->IsEmpty()) throw EDatabaseError(u"There is no project with ID %d to copy", {aProjectID});
        // Every column but the first (ID) by position, then the new name
        // and description.
        tblDWTProjects->Append();
        for (Integer i = 1; i < Source->FieldCount() && i < tblDWTProjects->FieldCount(); ++i)
            tblDWTProjects->Fields(i)->SetValue(Source->Fields(i)->Value());
        Source->Close();
        tblDWTProjects->FieldByName(u"Name")->SetAsString(newProject.Name());
        tblDWTProjects->FieldByName(u"Description")->SetAsString(newProject.Description);
        tblDWTProjects->Post();
        NewID = tblDWTProjects->FieldByName(u"ID")->AsInteger();

        CopyRowsByPosition(u"ProjectParameters", 0, aProjectID, NewID, false);
        CopyRowsByPosition(u"runs", 1, aProjectID, NewID, false);
        // Exactly one substances row, empty when the source has none.
        if (CopyRowsByPosition(u"substances", 0, aProjectID, NewID, true) == 0)
            ExecDWTQuery(u"INSERT INTO substances (ProjectID) VALUES (:ProjectID)", {Variant(NewID)});
        Transaction.Commit();
    } catch (...) {
        ReloadProjectsTable();
        tblDWTProjects->EnableControls();
        throw;
    }
    newProject.ID = NewID;
    FocusDWTProject(NewID);
    if (tblProjectParameters->Active()) tblProjectParameters->Refresh();
    if (tblDWTSubstances->Active()) tblDWTSubstances->Refresh();
    tblDWTProjects->EnableControls();
}

Integer TdmDataObjects::CopyRowsByPosition(const String& Table, Integer KeyColumn, Integer SourceID, Integer NewID,
                                           bool OneRow) {
    // The column names come from the table itself, so the copy follows its
    // column order whatever columns it has.
    TADOQuery* Probe = ExecDWTQuery(u"SELECT * FROM " + Table + u" WHERE 0 = 1");
    String Columns, Values;
    for (Integer i = 0; i < Probe->FieldCount(); ++i) {
        const String Column = u"\"" + Probe->Fields(i)->FieldName() + u"\"";
        Columns += (i == 0 ? u"" : u", ") + Column;
        Values += (i == 0 ? u"" : u", ") + (i == KeyColumn ? String(u":NewID") : Column);
    }
    const String Key = u"\"" + Probe->Fields(KeyColumn)->FieldName() + u"\"";
    Probe->Close();
    ExecDWTQuery(u"INSERT INTO " + Table + u" (" + Columns + u") SELECT " + Values + u" FROM " + Table + u" WHERE " +
                     Key + u" = :SourceID ORDER BY rowid" + (OneRow ? u" LIMIT 1" : u""),
                 {Variant(NewID), Variant(SourceID)});
    return qryDWT->RowsAffected();
}

void TdmDataObjects::ReloadProjectsTable() {
    if (!tblDWTProjects->Active()) return;
    if (tblDWTProjects->State() != dsBrowse) tblDWTProjects->Cancel();
    tblDWTProjects->Refresh();
}
