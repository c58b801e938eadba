#pragma once
// Steps shared by the grid's and the static-text control's text operations.

#include "rtl/Types.h"

namespace detail {
// "<BR>" and "<HR>" (any case) as CR LF.
String BreakTagsToCrLf(const String& text);
// Every tag from "<" to the next ">" dropped; a "<" without a later ">"
// drops the rest.
String DropTags(const String& text);
// Every "<tag>" and "</tag>" removed, ignoring case.
String RemoveTagForms(const String& text, const String& tag);
} // namespace detail
