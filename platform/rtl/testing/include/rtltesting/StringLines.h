#pragma once
// A string list's lines as a vector, so a test compares them in one step.

#include "rtl/StringList.h"

#include <vector>

inline std::vector<String> LinesOf(const TStrings& list) {
    std::vector<String> lines;
    for (Integer i = 0; i < list.Count(); ++i)
        lines.push_back(list.Strings(i));
    return lines;
}
