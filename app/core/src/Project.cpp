#include "core/Project.h"

#include "core/Folders.h"
#include "core/TextChecks.h"
#include "os/FilePath.h"
#include "rtl/DateTime.h"
#include "rtl/Exception.h"

namespace {

// The caller's destination as the project kind a copy needs; checked before
// anything is copied.
template <class TKind>
TKind& DestinationOfKind(TProject& destProject) {
    auto* Destination = dynamic_cast<TKind*>(&destProject);
    if (!Destination) throw EInvalidCast(u"Invalid class typecast");
    return *Destination;
}

} // namespace

// ------------------------------------------------------------------- TProject

TProject::TProject() : FSubstance(std::make_unique<TSubstance>()) {}

void TProject::SetName(const String& Value) {
    CheckName(Value);
    FName = Value;
}

void TProject::CheckName(const String& Value) const {
    if (HasInvalidNameChars(Value))
        throw Exception(String(u"invalid characters: <space> = / \\ ( ) > < * : ") + u"\"" + u" , . + = ? ");
}

void TProject::SetModified() {
    Modified = FormatDateTime(u"dd-mmm-yyyy hh:nn:ss", Now());
}

void TProject::Clear() {
    ID = 0;
    SetName(String());
    Description.clear();
    Created.clear();
    Modified.clear();
    FPath.clear();
    FSubstance->Clear();
}

std::unique_ptr<TProject> TProject::Copy(const String& /*newName*/, const String& /*newDescription*/) const {
    return nullptr;
}

void TProject::CopyData(const String& newName, const String& newDescription, TProject& destProject) const {
    destProject.SetName(newName.empty() ? Name() : newName);
    destProject.Description = newDescription.empty() ? Description : newDescription;
    destProject.Created = DateToStr(Date());
    destProject.Modified = destProject.Created;
    destProject.ID = -1;
    Substance()->Copy(*destProject.Substance());
}

// -------------------------------------------------------------- TTRAVOProject

TRun* TTRAVOProject::getRun(Integer i) const {
    if (i < 0 || i >= FRuns.Count()) return nullptr;
    return FRuns.Items(i);
}

TRun* TTRAVOProject::getRun(const String& FocusCrop) const {
    for (TRun* Run : FRuns)
        if (Run->FOCUS_D3_Crop()->AsString() == FocusCrop) return Run;
    return nullptr;
}

TRun* TTRAVOProject::getRunFromID(const String& id) const {
    for (TRun* Run : FRuns)
        if (Run->RunID == id) return Run;
    return nullptr;
}

Integer TTRAVOProject::GetNrOfValidRuns() const {
    Integer Result = 0;
    for (const TRun* Run : FRuns)
        if (Run->valid) ++Result;
    return Result;
}

Integer TTRAVOProject::GetNrOfUsedRuns() const {
    Integer Result = 0;
    for (const TRun* Run : FRuns)
        if (Run->valid && Run->used) ++Result;
    return Result;
}

Integer TTRAVOProject::TotalApps() const {
    Integer Result = 0;
    for (const TRun* Run : FRuns)
        if (Run->valid) Result += Run->NumberOfApplications;
    return Result;
}

void TTRAVOProject::Clear() {
    TProject::Clear();
    FRuns.Clear();
    Missing = false;
}

std::unique_ptr<TProject> TTRAVOProject::Copy(const String& newName, const String& newDescription) const {
    auto Result = std::make_unique<TTRAVOProject>();
    CopyData(newName, newDescription, *Result);
    return Result;
}

void TTRAVOProject::CopyData(const String& newName, const String& newDescription,
                             TProject& destProject) const {
    auto& Destination = DestinationOfKind<TTRAVOProject>(destProject);
    TProject::CopyData(newName, newDescription, Destination);
    if (&Destination == this) return; // a project copied onto itself keeps its runs
    Destination.FRuns.Clear();
    for (const TRun* Run : FRuns)
        Destination.FRuns.Add(Run->Copy());
}

// ----------------------------------------------------------------- TDWProject

TDWProject::TDWProject()
    : FTRAVOProject(std::make_unique<TTRAVOProject>()),
      FAbstractionPoints(std::make_unique<TAbstractionPoints>()) {}

void TDWProject::Change() {
    if (OnChange) OnChange(this);
}

String TDWProject::ReadPath() const {
    if (Name().empty()) return String();
    return GetProjectsDir() + Name() + PathDelim;
}

std::unique_ptr<TProject> TDWProject::Copy(const String& newName, const String& newDescription) const {
    auto Result = std::make_unique<TDWProject>();
    CopyData(newName, newDescription, *Result);
    return Result;
}

void TDWProject::CopyData(const String& newName, const String& newDescription, TProject& destProject) const {
    auto& Destination = DestinationOfKind<TDWProject>(destProject);
    TProject::CopyData(newName, newDescription, Destination);
    if (&Destination == this) return; // a project copied onto itself keeps its runs and points
    FTRAVOProject->CopyData(String(), String(), *Destination.FTRAVOProject);
    Destination.FAbstractionPoints = FAbstractionPoints->Copy();
}
