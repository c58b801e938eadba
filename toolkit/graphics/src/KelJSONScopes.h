#pragma once
// What the JSON reader and writer share: the scopes on their stacks, the
// nesting limit and the texts of the faults both of them report.

#include "rtl/Types.h"

namespace kel_json {

// The scope values on the stacks of both the reader and the writer.
enum TScope : Byte {
    scEmptyDocument = 0, // nothing read or written yet
    scEmptyArray = 1,
    scEmptyObject = 2,
    scNonEmptyDocument = 3, // the top-level value is complete or under way
    scNonEmptyArray = 4,
    scNonEmptyObject = 5, // at least one member, after a member's value
    scDanglingName = 6,   // a member name read or written, its value not yet
};

// Scopes a stack holds: the document's own scope and 255 nested arrays and
// objects.
inline constexpr Integer MaxScopes = 256;

inline constexpr const Char* MultipleRootNotAllowedMessage = u"Multiple root values not allowed";
inline constexpr const Char* ObjectOrArrayExpectedMessage = u"Object or array expected as top-level value";
inline constexpr const Char* TooManyDepthLevelsMessage = u"Maximum level of nested structured reached.";

} // namespace kel_json
