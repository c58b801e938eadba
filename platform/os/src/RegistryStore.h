#pragma once
// Reading and changing a hive file. Reads are served from a parsed copy that
// is kept while the file stays the same one; a change takes the hive's lock,
// applies itself to the file's current contents and replaces the file in one
// step, so concurrent writers serialise and readers see whole files only.

#include "RegistryHive.h"

#include <functional>
#include <memory>

namespace os::detail {

std::shared_ptr<const TRegKeyNode> ReadHive(HKEY root);

// `change` answers whether it changed the hive; only then is the file
// written. False when the file cannot be written.
bool ChangeHive(HKEY root, const std::function<bool(TRegKeyNode&)>& change);

} // namespace os::detail
