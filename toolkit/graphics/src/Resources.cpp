#include "kel/Resources.h"

#include "rtl/StringUtils.h"

// The table the build generates from resources/toolkit/.
extern const std::vector<TResourceEntry>& EmbeddedResources();

const TResourceEntry* TResourceModule::Find(std::u16string_view name) const {
    const String upperName = UpperCase(name);
    for (const TResourceEntry& entry : FEntries)
        if (UpperCase(entry.Name) == upperName) return &entry;
    return nullptr;
}

const TResourceModule& TResourceModule::Program() {
    static const TResourceModule program(EmbeddedResources());
    return program;
}
