#pragma once
// The connection text of a connection: name=value pairs separated by
// semicolons ("Provider=SQLite;Data Source=projects.db"). Names compare
// without regard to case; a value may stand in double quotes (a doubled
// quote inside stands for one), so that it can hold a semicolon.

#include "rtl/Types.h"

#include <string_view>
#include <utility>
#include <vector>

namespace detail {

struct TConnectionString {
    std::vector<std::pair<String, String>> Items;

    // The value of the first item with that name; empty when there is none.
    String Value(std::u16string_view name) const;
    bool Has(std::u16string_view name) const;
};

TConnectionString ParseConnectionString(std::u16string_view text);

} // namespace detail
