#pragma once
// Assert: a check of a condition the code relies on, raising EAssertionFailed.

#include "rtl/Exception.h"

#include <source_location>
#include <string_view>

// Raises EAssertionFailed with the message (or "Assertion failure") followed
// by the source file name and line, as " (File.cpp, line 12)", when the
// condition is false.
void Assert(bool condition, std::u16string_view message = {},
            const std::source_location& where = std::source_location::current());
