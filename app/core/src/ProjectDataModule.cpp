#include "core/ProjectDataModule.h"

#include "core/InstallPoint.h"
#include "rtl/Exception.h"

namespace {

constinit TInstallPoint<IProjectDataModule> InstalledDataModule(u"No data module installed");
Integer AbstractionPointCount = 10;

} // namespace

IProjectDataModule* SetProjectDataModule(IProjectDataModule* DataModule) {
    return InstalledDataModule.Install(DataModule);
}

IProjectDataModule& ProjectDataModule() {
    return InstalledDataModule.Installed();
}

Integer NumberOfAbstractionPoints() {
    return AbstractionPointCount;
}

void SetNumberOfAbstractionPoints(Integer N) {
    if (N < 0) throw EArgumentOutOfRangeException(u"Number of abstraction points below 0: %d", {N});
    AbstractionPointCount = N;
}
