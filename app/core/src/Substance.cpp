#include "core/Substance.h"

#include "core/ProjectDataModule.h"
#include "core/UserInteraction.h"

void TSubstance::Clear() {
    FGUID.clear();
    FCaption.clear();
}

void TSubstance::Copy(TSubstance& dest) const {
    dest.FCaption = FCaption;
    dest.FGUID = FGUID;
    dest.FCheckSum = FCheckSum;
}

bool TSubstance::ConformOriginal() {
    if (!Confirm(u"Reset all values to the values in the Travo database?")) return false;
    ProjectDataModule().ResetDWTSubstanceToTravoValues(*this);
    return true;
}
