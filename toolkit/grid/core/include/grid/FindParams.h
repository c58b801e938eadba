#pragma once
// The options of the grid's text search, the kinds of condition of the
// search over several columns, and the search footer's actions.

#include "rtl/Set.h"
#include "rtl/TypeInfo.h"

RTL_ENUM(TFindParameters, fnMatchCase, fnMatchFull, fnMatchRegular, fnDirectionLeftRight, fnMatchStart,
         fnFindInCurrentRow, fnFindInCurrentCol, fnIncludeFixed, fnAutoGoto, fnIgnoreHTMLTags, fnBackward,
         fnIncludeHiddenColumns, fnFindInPresetCol, fnFindInPresetRow, fnSelectedCells, fnIncludeHiddenRows,
         fnIgnoreAccents)
using TFindParams = TSet<TFindParameters>;

// How FindMulti compares a column's text with its condition. (The search
// footer's own TSearchType, stSearch or stNarrowDown, is another type.)
RTL_ENUM(TMultiSearchType, stStartsWith, stEndsWith, stContains, stEqual, stNotEqual, stNotContains)

// The search footer's action passed to OnSearchFooterAction.
RTL_ENUM(TSearchAction, saFindFirst, saFindPrevious, saFindNext)
