#pragma once
// The options of the grid's text search.

#include "rtl/Set.h"
#include "rtl/TypeInfo.h"

RTL_ENUM(TFindParameters, fnMatchCase, fnMatchFull, fnMatchRegular, fnDirectionLeftRight, fnMatchStart,
         fnFindInCurrentRow, fnFindInCurrentCol, fnIncludeFixed, fnAutoGoto, fnIgnoreHTMLTags, fnBackward,
         fnIncludeHiddenColumns, fnFindInPresetCol, fnFindInPresetRow, fnSelectedCells, fnIncludeHiddenRows,
         fnIgnoreAccents)
using TFindParams = TSet<TFindParameters>;
