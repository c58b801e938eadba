#pragma once
// The program's own settings in the registry, under SOFTWARE\Brennhoven\VANDREL142
// ("travo_db": the scenario database file). The main window creates the
// singleton with ProgramKeyName (core/Folders.h) and destroys it.

#include "core/RegistrySingleton.h"

class TVANDRELRegistry final : public TRegistrySingleton<TVANDRELRegistry> {
public:
    using TRegistrySingleton::TRegistrySingleton;

private:
    // Only DestroySingleton frees the instance.
    ~TVANDRELRegistry() override;
};
