// TdmDataObjects: the current project and the projects table's data source,
// the reference tables as the project model reads them, and the checks on
// stored projects (names, substance checksums).

#include "core/DataModule.h"

#include "VORN/VORNInterface.h"
#include "core/AbstractionPoints.h"
#include "core/CropGroupCache.h"
#include "core/Folders.h"
#include "core/Project.h"
#include "core/UserInteraction.h"
#include "rtl/DateTime.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

TdmDataObjects::TdmDataObjects(TComponent* AOwner)
    : TdmData(AOwner), FProject(std::make_unique<TDWProject>()),
      FPreviousDataModule(SetProjectDataModule(this)) {
    dsProjects = new TDataSource(this);
    dsProjects->SetName(u"dsProjects");
    dsProjects->SetDataSet(tblDWTProjects);
    dsProjects->OnDataChange = [this](TObject* Sender, TField* Field) { dsProjectsDataChange(Sender, Field); };
    tblDWTSubstances->OnPostError = [this](TDataSet* DataSet, EDatabaseError& E, TDataAction& Action) {
        tblDWTSubstancesPostError(DataSet, E, Action);
    };
}

TdmDataObjects::~TdmDataObjects() {
    // The crop-group cache was built from this database.
    FreeCropGroupCache();
    SetProjectDataModule(FPreviousDataModule);
}

void TdmDataObjects::Initialise() {
    TdmData::Initialise();
}

String TdmDataObjects::DefaultCropAreaFile() {
    return GetDefaultCropAreaFile();
}

void TdmDataObjects::UpdateProjectDatasourceStatus(bool bEnabled) {
    dsProjects->SetEnabled(bEnabled);
    if (bEnabled)
        dsProjects->OnDataChange = [this](TObject* Sender, TField* Field) { dsProjectsDataChange(Sender, Field); };
    else
        dsProjects->OnDataChange = nullptr;
}

void TdmDataObjects::dsProjectsDataChange(TObject* /*Sender*/, TField* Field) {
    // A change of one field is no move to another project.
    if (Field == nullptr) ReadDWTProject(*FProject, -1);
}

void TdmDataObjects::tblDWTSubstancesPostError(TDataSet* /*DataSet*/, EDatabaseError& E, TDataAction& Action) {
    UserInteraction().ShowMessage(u"Substance Error: " + E.Message());
    Action = daFail;
}

namespace {

// The substance library as the program reaches it: through the bridge.
class TBridgeSubstanceLibrary final : public ISubstanceLibrary {
public:
    String GetSubstanceChecksumByGUID(const String& GUID) override {
        return TVORNInterface::GetSingleton().GetSubstanceChecksumByGUID(GUID);
    }
    String GetSubstanceCode(const String& GUID) override {
        TStringList* InfoList = nullptr;
        try {
            TVORNInterface::GetSingleton().GetSubstanceInfoListByGUID(GUID, true, InfoList);
            const String Code = InfoList->Values(u"SubstanceCode");
            Free(InfoList);
            return Code;
        } catch (...) {
            Free(InfoList);
            throw;
        }
    }
};

} // namespace

ISubstanceLibrary& TdmDataObjects::SubstanceLibrary() {
    static TBridgeSubstanceLibrary Bridge;
    return FSubstanceLibrary != nullptr ? *FSubstanceLibrary : Bridge;
}

void TdmDataObjects::ResetDWTSubstanceToTravoValues(TSubstance& /*aTravoSubstance*/) {
    // Nothing to reset: the program keeps no substance values of its own.
}

std::unique_ptr<TStringList> TdmDataObjects::GetFocusCropsList() {
    auto Result = std::make_unique<TStringList>(true);
    tblDWTCrops->Open();
    try {
        TKorvalisCropList* Groupings = nullptr;
        String CurrentCrop;
        for (tblDWTCrops->First(); !tblDWTCrops->Eof(); tblDWTCrops->Next()) {
            const String Crop = tblDWTCrops->FieldByName(u"FOCUScrop")->AsString();
            if (Groupings == nullptr || Crop != CurrentCrop) {
                CurrentCrop = Crop;
                Groupings = Create<TKorvalisCropList>();
                Result->AddObject(Crop, Groupings);
            }
            TKorvalisCrop* Grouping = Groupings->Add(std::make_unique<TKorvalisCrop>());
            Grouping->ID = tblDWTCrops->FieldByName(u"CropID")->AsString();
            Grouping->KV_NameE = tblDWTCrops->FieldByName(u"Korvaliscrop")->AsString();
            Grouping->KV_NameD = tblDWTCrops->FieldByName(u"KorvaliscropNL")->AsString();
        }
    } catch (...) {
        tblDWTCrops->Close();
        throw;
    }
    tblDWTCrops->Close();
    return Result;
}

void TdmDataObjects::InitAbstractionPoints(TAbstractionPoints& Result) {
    Result.Clear();
    FilterAbstractionPoints(u"");
    for (; !tblAbstractionPoints->Eof(); tblAbstractionPoints->Next()) {
        TAbstractionPoint* Point = Result.NewAbstractionPoint();
        Point->SetID(tblAbstractionPoints->FieldByName(u"ID")->AsInteger());
        Point->SetName(tblAbstractionPoints->FieldByName(u"Name")->AsString());
        Point->SetCaption(tblAbstractionPoints->FieldByName(u"Caption")->AsString());
        Point->SetADF(tblAbstractionPoints->FieldByName(u"DefaultADF")->AsFloat());
    }
}

void TdmDataObjects::GetAbstractionPoints(TStrings& Result) {
    FilterAbstractionPoints(u"");
    for (; !tblAbstractionPoints->Eof(); tblAbstractionPoints->Next())
        Result.Add(tblAbstractionPoints->FieldByName(u"Name")->AsString() + u"=" +
                   tblAbstractionPoints->FieldByName(u"Caption")->AsString());
}

bool TdmDataObjects::ProjectNameExists(const String& aName) {
    // Compared here rather than in SQL, so that letters beyond ASCII match
    // without regard to case too.
    TADOQuery* Query = ExecDWTQuery(u"SELECT Name FROM Projects");
    for (; !Query->Eof(); Query->Next())
        if (AnsiSameText(Query->Fields(0)->AsString(), aName)) return true;
    return false;
}

namespace {

// Edits the projects table's current row, unless it is being edited already.
void EditCurrentRow(TDataSet& Table) {
    if (Table.State() != dsEdit && Table.State() != dsInsert) Table.Edit();
}

bool IsCurrentProjectRow(TDataSet& Table, Integer ProjectID) {
    return Table.Active() && !Table.IsEmpty() && Table.FieldByName(u"ID")->AsInteger() == ProjectID;
}

} // namespace

void TdmDataObjects::SetSubstance(Integer aProjectID, const String& aSubstanceGuid,
                                  const String& aSubstanceCheckSum) {
    if (!IsCurrentProjectRow(*tblDWTProjects, aProjectID)) return;
    EditCurrentRow(*tblDWTProjects);
    tblDWTProjects->FieldByName(u"ModificationDate")->SetAsDateTime(Now());
    tblDWTProjects->FieldByName(u"SubstanceGUID")->SetAsString(aSubstanceGuid);
    tblDWTProjects->FieldByName(u"SubstanceCheckSum")->SetAsString(aSubstanceCheckSum);
    tblDWTProjects->Post();
}

void TdmDataObjects::SetProjectModifiedDate(Integer ProjectID) {
    if (!IsCurrentProjectRow(*tblDWTProjects, ProjectID)) return;
    EditCurrentRow(*tblDWTProjects);
    tblDWTProjects->FieldByName(u"ModificationDate")->SetAsDateTime(Now());
    tblDWTProjects->Post();
}

void TdmDataObjects::UpdatCheckSums() {
    TStringList Changed;
    TStringList Deleted;
    tblDWTProjects->DisableControls();
    try {
        for (tblDWTProjects->First(); !tblDWTProjects->Eof(); tblDWTProjects->Next()) {
            const String GUID = tblDWTProjects->FieldByName(u"SubstanceGUID")->AsString();
            // A project without a substance has no checksum to compare; one
            // such row must not keep the user out of the project list.
            if (Trim(GUID).empty()) continue;
            const String CheckSum = SubstanceLibrary().GetSubstanceChecksumByGUID(GUID);
            if (CheckSum == tblDWTProjects->FieldByName(u"SubstanceCheckSum")->AsString()) continue;
            (CheckSum.empty() ? Deleted : Changed).Add(tblDWTProjects->FieldByName(u"Name")->AsString());
            EditCurrentRow(*tblDWTProjects);
            tblDWTProjects->FieldByName(u"ModificationDate")->SetAsDateTime(Now());
            tblDWTProjects->FieldByName(u"SubstanceCheckSum")->SetAsString(CheckSum);
            tblDWTProjects->Post();
        }
    } catch (...) {
        if (tblDWTProjects->State() == dsEdit) tblDWTProjects->Cancel();
        tblDWTProjects->EnableControls();
        throw;
    }
    tblDWTProjects->EnableControls();
    if (Changed.Count() > 0)
        UserInteraction().ShowMessage(u"Results of next assessments are invalid because used substance has changed: " +
                                      Changed.CommaText());
    if (Deleted.Count() > 0)
        UserInteraction().ShowMessage(u"Results of next assessments are invalid because used substance is deleted: " +
                                      Deleted.CommaText());
}
