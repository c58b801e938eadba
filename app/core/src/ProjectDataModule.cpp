#include "core/ProjectDataModule.h"

#include "rtl/Exception.h"

namespace {

IProjectDataModule* InstalledDataModule = nullptr;
Integer AbstractionPointCount = 10;

} // namespace

IProjectDataModule* SetProjectDataModule(IProjectDataModule* DataModule) {
    IProjectDataModule* Previous = InstalledDataModule;
    InstalledDataModule = DataModule;
    return Previous;
}

IProjectDataModule& ProjectDataModule() {
    if (!InstalledDataModule) throw EInvalidOperation(u"No data module installed");
    return *InstalledDataModule;
}

Integer NumberOfAbstractionPoints() {
    return AbstractionPointCount;
}

void SetNumberOfAbstractionPoints(Integer N) {
    if (N < 0) throw EArgumentOutOfRangeException(u"Number of abstraction points below 0: %d", {N});
    AbstractionPointCount = N;
}
