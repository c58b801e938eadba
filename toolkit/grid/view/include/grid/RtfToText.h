#pragma once
// The plain text of a rich text as the grid stores it in a cell.

#include "rtl/Types.h"

// The characters of a Rich Text Format text, paragraphs separated by CR LF,
// formatting and the destinations that hold no text (font and colour
// tables, pictures, document information) dropped. A text that does not
// start as Rich Text Format comes back unchanged.
String RtfToText(const String& Rtf);
