#pragma once
// The texts that cross the library's boundary: Windows-1252 input texts,
// output texts written into the caller's buffer (see vorn/VORNApi.h for the
// protocol), and lists of items separated by ";".

#include "SubstanceStore.h"

#include <cstdint>
#include <vector>

namespace vorn {

// An input text; a null pointer reads as an empty text.
String InText(const char* text);
// Writes the text into the caller's buffer when it fits (answers true), else
// sets the size to the length needed and answers false. A missing buffer or
// a negative size raises ESubstanceStoreError.
bool PutText(const String& text, char** aText, std::int32_t* aSize);

// Items separated by ";". An item holding a ";", a double quote or a
// character up to the blank is enclosed in double quotes (doubling the
// double quotes inside), so that readers which split on ";" and readers
// which also split on blanks both get the item whole.
String ListText(const std::vector<String>& items);
// An information list as Name=Value items.
String InfoListText(const TInfoList& list);

} // namespace vorn
