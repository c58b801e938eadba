#pragma once
// Building a new substance store for the stand-in substance library from SQL
// files (data/substances/schema.sql and example data). The install step and
// the tests use it.

#include "rtl/Types.h"

#include <vector>

namespace vorn {

// Runs the SQL files in order, in one transaction, into a new store file.
// The file appears only when every file ran; an existing file is never
// replaced. Raises Exception naming the file and SQLite's reason.
void BuildSubstanceStore(const String& storeFile, const std::vector<String>& sqlFiles);

} // namespace vorn
