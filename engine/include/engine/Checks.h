#pragma once
// The range checks that run while Summary.out is written. Each reports every
// value outside its range, first to the console and then into Summary.out,
// and answers whether all values were in range; the caller then stops the
// run in order when one was not.

#include "engine/SummaryFile.h"
#include "engine/Tables.h"

#include <ostream>

namespace tesvorik {

// The nine compound properties against their closed ranges.
bool CheckCompoundProperties(const Properties& properties, std::ostream& console, SummaryFile& file);

// The additional dilution factor of every point and the market share of every
// used crop at it, each against 0 to 1.
bool CheckDilutionAndMarketShare(const EngineTables& tables, std::ostream& console, SummaryFile& file);

} // namespace tesvorik
