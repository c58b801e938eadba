#include "kel/Resources.h"

#include "graphics/ResourceSource.h"
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

namespace {

// The modules' resources for the graphics layer (TGPBitmap::FromResource):
// a module handle is a TResourceModule, a null one the program's.
class TModuleResourceSource final : public IResourceSource {
public:
    std::optional<std::span<const Byte>> FindResource(const void* module,
                                                      std::u16string_view name) const override {
        const auto* owner = module ? static_cast<const TResourceModule*>(module) : &TResourceModule::Program();
        const TResourceEntry* entry = owner->Find(name);
        if (!entry) return std::nullopt;
        return entry->Data;
    }
};

const TModuleResourceSource ModuleResourceSource;
[[maybe_unused]] const bool Registered = (SetResourceSource(&ModuleResourceSource), true);

} // namespace
