#pragma once
// An in-memory data module for tests of the project model: the abstraction
// points and crop rows of a project database, held in vectors. While it
// lives it is the process's data module and N is the number of its points;
// the earlier data module and N come back when it goes, and the crop-group
// cache built from it is released.

#include "core/ProjectDataModule.h"

#include <vector>

struct TAbstractionPointRow {
    Integer ID;
    String Name;
    String Caption;
    Double DefaultADF;
};

struct TCropRow {
    String FOCUScrop;
    String Korvaliscrop;   // English grouping name
    String KorvaliscropNL; // Dutch grouping name
    String CropID;
};

class TMemoryProjectDataModule : public IProjectDataModule {
public:
    // The ten abstraction points of the installed database, DE PUNT to
    // BOMMELERWAARD, with a default dilution factor of 1.
    static std::vector<TAbstractionPointRow> TenAbstractionPoints();

    explicit TMemoryProjectDataModule(std::vector<TAbstractionPointRow> Points = TenAbstractionPoints());
    ~TMemoryProjectDataModule() override;
    TMemoryProjectDataModule(const TMemoryProjectDataModule&) = delete;
    TMemoryProjectDataModule& operator=(const TMemoryProjectDataModule&) = delete;

    // Rows in the crop table's order; consecutive rows of one FOCUS crop form
    // its grouping list.
    std::vector<TCropRow> Crops;
    String DefaultCropArea;
    int GetFocusCropsListCalls = 0;
    int ResetSubstanceCalls = 0;

    std::unique_ptr<TStringList> GetFocusCropsList() override;
    void InitAbstractionPoints(TAbstractionPoints& Result) override;
    String DefaultCropAreaFile() override { return DefaultCropArea; }
    void ResetDWTSubstanceToTravoValues(TSubstance& aTravoSubstance) override;

private:
    std::vector<TAbstractionPointRow> FPoints;
    IProjectDataModule* FPrevious;
    Integer FPreviousN;
};
