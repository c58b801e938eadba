#pragma once
// Named parameters in SQL text. ":Name" marks a parameter wherever it stands
// outside quoted text, quoted names and comments; the providers see a
// positional "?" in its place and the values are bound, never written into
// the text.

#include "rtl/Types.h"

#include <string_view>
#include <vector>

namespace detail {

struct TParsedSql {
    String Text;                    // the SQL with "?" for every parameter
    std::vector<String> ParamNames; // one per "?", in order; a name used twice appears twice
};

TParsedSql ParseSqlParameters(std::u16string_view sql);

} // namespace detail
