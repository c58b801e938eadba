#include "core/AbstractionPoints.h"

#include "core/ProjectDataModule.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "rtl/TextCompare.h"

#include <algorithm>

namespace {

constexpr Double DefaultMarketShare = 0.4;
constexpr const Char* IntakeAreaLine = u"* Intake area of abstraction point [ha]";

} // namespace

// ------------------------------------------------------------------ TCropData

Double TCropData::RCA() const {
    const Integer IntakeArea = FOwner ? FOwner->Area() : 0;
    if (IntakeArea <= 0) return 0;
    return static_cast<Double>(FArea_ha) / static_cast<Double>(IntakeArea);
}

std::unique_ptr<TCropData> TCropData::Copy() const {
    auto Result = std::make_unique<TCropData>(FOwner, FCrop);
    Result->FArea_ha = FArea_ha;
    Result->FMarketShare = FMarketShare;
    Result->FMarketShare_default = FMarketShare_default;
    return Result;
}

// ---------------------------------------------------------- TAbstractionPoint

void TAbstractionPoint::Clear() {
    FCrops.Clear();
}

void TAbstractionPoint::AddCrop(TKorvalisCrop* Grouping, Integer Area, Double Share) {
    if (Area <= 0) return;
    auto Data = std::make_unique<TCropData>(this, Grouping);
    Data->FArea_ha = Area;
    Data->FMarketShare = Share;
    Data->FMarketShare_default = Share;
    FCrops.Add(std::move(Data));
}

TCropData* TAbstractionPoint::Find(const TKorvalisCrop* Grouping) const {
    for (TCropData* Data : FCrops)
        if (Data->Crop() == Grouping) return Data;
    return nullptr;
}

TCropData* TAbstractionPoint::Find(const String& Code) const {
    for (TCropData* Data : FCrops)
        if (Data->Crop() && Data->Crop()->ID == Code) return Data;
    return nullptr;
}

void TAbstractionPoint::CopyData(TAbstractionPoint& Destination) const {
    CopyData(Destination, [](TKorvalisCrop* Grouping) { return Grouping; });
}

void TAbstractionPoint::CopyData(TAbstractionPoint& Destination, const TGroupingMap& GroupingOf) const {
    Destination.FID = FID;
    Destination.FName = FName;
    Destination.FCaption = FCaption;
    Destination.FArea = FArea;
    Destination.FADF = FADF;
    for (const TCropData* Data : FCrops) {
        std::unique_ptr<TCropData> Copied = Data->Copy();
        Copied->FOwner = &Destination;
        Copied->FCrop = GroupingOf(Data->Crop());
        Destination.FCrops.Add(std::move(Copied));
    }
}

// --------------------------------------------------------- TAbstractionPoints

void TAbstractionPoints::ClearCrops() {
    for (TAbstractionPoint* Point : FItems)
        Point->Clear();
    TCropAreas::ClearCrops();
}

void TAbstractionPoints::Load(const String& FileName) {
    TCropAreas::Load(FileName);
    ProjectDataModule().InitAbstractionPoints(*this);
    UndoChanges();
    const std::vector<String> IntakeAreas = ValuesOf(IntakeAreaLine);
    if (static_cast<Integer>(IntakeAreas.size()) != NumberOfAbstractionPoints())
        throw Exception(u"invalid number of Area-values in file %s", {FileName});
    const Integer Points = std::min(Count(), static_cast<Integer>(IntakeAreas.size()));
    for (Integer K = 0; K < Points; ++K)
        Items(K)->SetArea(StrToInt(IntakeAreas[static_cast<std::size_t>(K)]));
}

void TAbstractionPoints::Save(const String& FileName) {
    Lines()->SaveToFile(FileName);
}

void TAbstractionPoints::Clear() {
    FItems.Clear();
}

TAbstractionPoint* TAbstractionPoints::NewAbstractionPoint() {
    return FItems.Add(std::make_unique<TAbstractionPoint>());
}

void TAbstractionPoints::ResetToDefault() {
    Load(ProjectDataModule().DefaultCropAreaFile());
}

bool TAbstractionPoints::IsDefault() const {
    return SameText(FileName(), ProjectDataModule().DefaultCropAreaFile());
}

void TAbstractionPoints::UndoChanges() {
    for (TAbstractionPoint* Point : FItems)
        Point->Clear();
    for (Integer G = 0; G < CropCount(); ++G) {
        TKorvalisCrop* Grouping = Crops(G);
        const Integer Points = std::min(Count(), static_cast<Integer>(Grouping->Areas.size()));
        for (Integer K = 0; K < Points; ++K)
            Items(K)->AddCrop(Grouping, Grouping->Areas[static_cast<std::size_t>(K)], DefaultMarketShare);
    }
}

std::unique_ptr<TAbstractionPoints> TAbstractionPoints::Copy() const {
    auto Result = std::make_unique<TAbstractionPoints>();
    CopyData(*Result);
    return Result;
}

void TAbstractionPoints::CopyData(TAbstractionPoints& Destination) const {
    if (&Destination == this) return;
    Destination.Clear();
    Destination.CopyFileAndCrops(*this);
    // A copied crop data refers to the grouping at the same position in the
    // destination's list.
    const auto GroupingOf = [this, &Destination](TKorvalisCrop* Grouping) -> TKorvalisCrop* {
        for (Integer G = 0; G < CropCount(); ++G)
            if (Crops(G) == Grouping) return Destination.Crops(G);
        return Grouping;
    };
    for (const TAbstractionPoint* Point : FItems)
        Point->CopyData(*Destination.NewAbstractionPoint(), GroupingOf);
}
