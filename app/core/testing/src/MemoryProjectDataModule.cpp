#include "coretesting/MemoryProjectDataModule.h"

#include "core/AbstractionPoints.h"
#include "core/CropGroupCache.h"
#include "core/Crops.h"

std::vector<TAbstractionPointRow> TMemoryProjectDataModule::TenAbstractionPoints() {
    return {
        {1, u"DE PUNT", u"De Punt", 1.0},         {2, u"ANDIJK", u"Andijk", 1.0},
        {3, u"NIEUWEGEIN", u"Nieuwegein", 1.0},   {4, u"HEEL", u"Heel", 1.0},
        {5, u"AMSTERDAM", u"Amsterdam", 1.0},     {6, u"BRAKEL", u"Brakel", 1.0},
        {7, u"PETRUSPLAAT", u"Petrusplaat", 1.0}, {8, u"TWENTEKANAAL", u"Twentekanaal", 1.0},
        {9, u"SCHEELHOEK", u"Scheelhoek", 1.0},   {10, u"BOMMELERWAARD", u"Bommelerwaard", 1.0},
    };
}

TMemoryProjectDataModule::TMemoryProjectDataModule(std::vector<TAbstractionPointRow> Points)
    : FPoints(std::move(Points)), FPrevious(SetProjectDataModule(this)),
      FPreviousN(NumberOfAbstractionPoints()) {
    SetNumberOfAbstractionPoints(static_cast<Integer>(FPoints.size()));
}

TMemoryProjectDataModule::~TMemoryProjectDataModule() {
    FreeCropGroupCache();
    SetNumberOfAbstractionPoints(FPreviousN);
    SetProjectDataModule(FPrevious);
}

std::unique_ptr<TStringList> TMemoryProjectDataModule::GetFocusCropsList() {
    ++GetFocusCropsListCalls;
    auto Result = std::make_unique<TStringList>(true);
    TKorvalisCropList* Groupings = nullptr;
    for (const TCropRow& Row : Crops) {
        if (Result->Count() == 0 || Result->Strings(Result->Count() - 1) != Row.FOCUScrop) {
            Groupings = Create<TKorvalisCropList>();
            Result->AddObject(Row.FOCUScrop, Groupings);
        }
        TKorvalisCrop* Grouping = Groupings->Add(std::make_unique<TKorvalisCrop>());
        Grouping->ID = Row.CropID;
        Grouping->KV_NameE = Row.Korvaliscrop;
        Grouping->KV_NameD = Row.KorvaliscropNL;
    }
    return Result;
}

void TMemoryProjectDataModule::InitAbstractionPoints(TAbstractionPoints& Result) {
    Result.Clear();
    for (const TAbstractionPointRow& Row : FPoints) {
        TAbstractionPoint* Point = Result.NewAbstractionPoint();
        Point->SetID(Row.ID);
        Point->SetName(Row.Name);
        Point->SetCaption(Row.Caption);
        Point->SetADF(Row.DefaultADF);
    }
}

void TMemoryProjectDataModule::ResetDWTSubstanceToTravoValues(TSubstance& /*aTravoSubstance*/) {
    ++ResetSubstanceCalls;
}
