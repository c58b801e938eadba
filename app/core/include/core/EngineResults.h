#pragma once
// Reading the engine's Summary.out back: the PEC Tier I text of every
// abstraction point, the remark the engine adds after them, and, for a run
// the engine stopped on out-of-range input, its messages.

#include "rtl/StringList.h"
#include "rtl/Types.h"

#include <vector>

// The line that opens the result block of Summary.out.
inline constexpr const Char* SummaryOutputMarker = u" * **** OUTPUT *****";

struct TSummaryResults {
    // True when the file holds the result block; false for a run the engine
    // stopped before it.
    bool Complete = false;
    // One text per abstraction point, as the engine wrote it ("0.123", or
    // "<0.123" for a strongly sorbing substance); empty texts when stopped.
    std::vector<String> PEC_Tier1;
    // The lines after the result rows, each without blanks around and
    // without a leading "*", joined by one blank; empty when stopped.
    String Kom_comment;
    // Of a stopped run: the engine's messages, one per line, separated by
    // CR LF; empty for a complete run.
    String EngineMessages;
};

// Reads the lines of a Summary.out for `pointCount` abstraction points. The
// result block starts at the exact marker line; its first row is the first
// line at or after it that holds "DE PUNT". Raises EReadError "Summary.out
// incomplete" when the marker is there but the rows are not all there.
TSummaryResults ReadSummaryResults(const TStrings& lines, Integer pointCount);
