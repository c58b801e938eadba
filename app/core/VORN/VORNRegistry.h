#pragma once
// The substance tool's settings in the registry, under SOFTWARE\Brennhoven\VORN
// ("vorn_dll": the substance library's file). The substance-library bridge
// creates the singleton with VORNKeyName and destroys it.

#include "core/RegistrySingleton.h"

// The substance tool's key below SOFTWARE\ in the registry.
inline constexpr const Char* VORNKeyName = u"Brennhoven\\VORN";

class TVORNRegistry final : public TRegistrySingleton<TVORNRegistry> {
public:
    using TRegistrySingleton::TRegistrySingleton;

private:
    // Only DestroySingleton frees the instance.
    ~TVORNRegistry() override;
};
