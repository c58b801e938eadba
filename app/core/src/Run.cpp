#include "core/Run.h"

#include "os/FilePath.h"

namespace {

constexpr const Char* SprayDrift = u"spray drift";
constexpr const Char* Drainage = u"drainage";

} // namespace

// ------------------------------------------------------------- TRunApplication

std::unique_ptr<TRunApplication> TRunApplication::Copy() const {
    auto Result = std::make_unique<TRunApplication>();
    Result->NrOfAppl = NrOfAppl;
    Result->Rate = Rate;
    Result->CAM = CAM;
    Result->Depi = Depi;
    Result->Perc = Perc;
    Result->ApplDate = ApplDate;
    return Result;
}

// ------------------------------------------------------------------------ TRun

TRun::TRun()
    : FFOCUS_D3_Crop(std::make_unique<TFOCUS_D3_Crop>()), FKorvalisCrop(std::make_unique<TKorvalisCrop>()) {}

TRunApplication* TRun::GetApplication(Integer AppNr) const {
    if (AppNr < 0 || AppNr >= FApplications.Count()) return nullptr;
    return FApplications.Items(AppNr);
}

String TRun::GetMACRO_M2T() const {
    return IncludeTrailingPathDelimiter(FFOCUS_D3_Crop->CropDirName) + FLatEntryFile;
}

std::unique_ptr<TRun> TRun::Copy() const {
    auto Result = std::make_unique<TRun>();
    Result->RunID = RunID;
    Result->Selected = Selected;
    Result->SubstanceCode = SubstanceCode;
    Result->LocationCode = LocationCode;
    Result->FLatEntryFile = FLatEntryFile;
    Result->FSubstanceGUID = FSubstanceGUID;
    Result->FSubstanceCheckSum = FSubstanceCheckSum;
    FFOCUS_D3_Crop->CopyData(*Result->FFOCUS_D3_Crop);
    FKorvalisCrop->CopyData(*Result->FKorvalisCrop);
    Result->Name = Name;
    Result->RunCreationDate = RunCreationDate;
    Result->RunModificationDate = RunModificationDate;
    Result->ApplicationMethod = ApplicationMethod;
    Result->NumberOfApplications = NumberOfApplications;
    for (const TRunApplication* Application : FApplications)
        Result->FApplications.Add(Application->Copy());
    Result->available = available;
    Result->valid = valid;
    Result->used = used;
    Result->PEC_peak = PEC_peak;
    Result->Date_peak = Date_peak;
    Result->sCausedBy = sCausedBy;
    return Result;
}

Integer TRun::CausedBy() const {
    return sCausedBy == Drainage ? CausedByDrainage : CausedBySprayDrift;
}

void TRun::SetCausedBy(Integer Value) {
    sCausedBy = Value == CausedByDrainage ? Drainage : SprayDrift;
}
