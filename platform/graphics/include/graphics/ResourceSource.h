#pragma once
// Where module resources come from, for the classes of this layer that load
// pictures by a module handle and a name (TGPBitmap::FromResource). The
// resources themselves belong to a layer above, which implements this
// interface and registers it once; until one is registered, no module has
// resources.

#include "rtl/Types.h"

#include <optional>
#include <span>
#include <string_view>

class IResourceSource {
public:
    virtual ~IResourceSource() = default;
    // The bytes of the resource of that name in the module (a null handle:
    // the running program's); nothing when the module has no such resource.
    // The bytes stay valid as long as the module does.
    virtual std::optional<std::span<const Byte>> FindResource(const void* module,
                                                              std::u16string_view name) const = 0;
};

// Registers the source (null: none); answers the one registered before.
const IResourceSource* SetResourceSource(const IResourceSource* source);
const IResourceSource* ResourceSource();
