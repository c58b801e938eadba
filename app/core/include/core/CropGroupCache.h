#pragma once
// The process-wide crop-group cache: for every FOCUS crop, the regional crop
// groupings that may be assigned to it. It is built from the data module's
// crop list on the first GetKorvalisCropNames and lives until the program
// ends (FreeCropGroupCache).

#include "core/Crops.h"
#include "rtl/StringList.h"
#include "rtl/Types.h"

// The groupings of a FOCUS crop, or null. A "_" in the crop text and at most
// four characters after it are ignored (crop 22's order suffix); the crop is
// looked up ignoring case. Null while the cache has not been built.
TKorvalisCropList* FindCropGroupList(const String& FocusCrop);

// Clears Names and fills it with the English names of the groupings of the
// FOCUS crop, in cache order; builds the cache first when needed.
void GetKorvalisCropNames(const String& FocusCrop, TStrings& Names);

// The code of the first grouping of the FOCUS crop whose English name equals
// KorvalisCropName exactly; empty when there is none or the cache has not
// been built. Never builds the cache.
String GetKorvalisCropID(const String& FocusCrop, const String& KorvalisCropName);

// Releases the cache with all its groupings (at program end).
void FreeCropGroupCache();
