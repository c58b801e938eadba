#pragma once
// What the project model asks of the data module: the crop list for the
// crop-group cache, the default crop-area file, the abstraction points of the
// project database and the substance reset. The data module implements it;
// tests install an in-memory one. One instance is installed for the process,
// as the program has exactly one data module.

#include "rtl/StringList.h"
#include "rtl/Types.h"

#include <memory>

class TAbstractionPoints;
class TSubstance;

class IProjectDataModule {
public:
    virtual ~IProjectDataModule() = default;

    // A new list, owned by the caller together with its objects: one line per
    // FOCUS crop in the crop table's order (FOCUS crop, then code ID), each
    // with a TKorvalisCropList of its groupings as the line's object. The
    // groupings carry ID, KV_NameE and KV_NameD.
    virtual std::unique_ptr<TStringList> GetFocusCropsList() = 0;
    // Frees the points of Result and creates one per row of the abstraction
    // points table, in ID order, with ID, Name, Caption and ADF = DefaultADF.
    virtual void InitAbstractionPoints(TAbstractionPoints& Result) = 0;
    // The full name of the installed default crop-area file.
    virtual String DefaultCropAreaFile() = 0;
    // Resets a substance to the scenario database's values.
    virtual void ResetDWTSubstanceToTravoValues(TSubstance& aTravoSubstance) = 0;
};

// Installs the process's data module (null removes it) and answers the one it
// replaces. The caller keeps ownership.
IProjectDataModule* SetProjectDataModule(IProjectDataModule* DataModule);
// The installed data module; raises EInvalidOperation "No data module
// installed" when there is none.
IProjectDataModule& ProjectDataModule();

// N, the number of abstraction points: the row count of the project
// database's abstraction points table, set when the database opens and fixed
// from then on. Until then it is 10, the number the engine requires.
Integer NumberOfAbstractionPoints();
void SetNumberOfAbstractionPoints(Integer N);
