#pragma once
// Finding items by the text typed over a list.

#include "rtl/StringList.h"

// The first item after After (going round to the start) whose text starts
// with Prefix, ignoring case; -1 when none does.
Integer FindItemWithPrefix(const TStrings& Items, const String& Prefix, Integer After = -1);
