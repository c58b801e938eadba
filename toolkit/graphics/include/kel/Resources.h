#pragma once
// Raw-data resources: named blocks of bytes that belong to a module.
//
// The program module's resources are the files under resources/toolkit/ of
// the source tree. The build embeds each of them into this library as a byte
// array (cmake/EmbedResources.cmake), named by its file name without the
// extension; "KelGRAPHICSCLOSESVG.svg" becomes the resource
// "KelGRAPHICSCLOSESVG". Names compare ignoring ASCII case, as resource names
// do. A module of one's own (a test's, say) is built from a list of entries.

#include "rtl/Types.h"

#include <span>
#include <string_view>
#include <vector>

struct TResourceEntry {
    std::u16string_view Name;
    std::span<const Byte> Data;
};

class TResourceModule {
public:
    explicit TResourceModule(std::vector<TResourceEntry> entries) : FEntries(std::move(entries)) {}

    // The entry of that name; null when the module has none.
    const TResourceEntry* Find(std::u16string_view name) const;
    const std::vector<TResourceEntry>& Entries() const { return FEntries; }

    // The module of the running program, with the embedded resources.
    static const TResourceModule& Program();

private:
    std::vector<TResourceEntry> FEntries;
};

// A module handle, as module instances are passed around.
using HINSTANCE = const TResourceModule*;
