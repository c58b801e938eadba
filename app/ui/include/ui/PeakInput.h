#pragma once
// The peak rows shared by the new-project wizard and the peak editor: the
// peak grid's columns, its "Caused by" choices, the three-line note, the
// multiple-grouping warning, and the check of every row.

#include "rtl/Types.h"

class TVarErozidOvur;
class TTRAVOProject;

// The peak grid's columns: FOCUS crop, grouping, peak, date, entry route.
inline constexpr Integer PeakColCrop = 0;
inline constexpr Integer PeakColGrouping = 1;
inline constexpr Integer PeakColPeak = 2;
inline constexpr Integer PeakColDate = 3;
inline constexpr Integer PeakColCausedBy = 4;

// The choices of the "Caused by" column become exactly "spray drift" and
// "drainage".
void InitCausedByItems(TVarErozidOvur& Grid);
// The choices of the grouping column become the groupings of the FOCUS crop
// of the row.
void SetGroupingChoices(TVarErozidOvur& Grid, Integer ARow);
// The warning shown when two valid runs share a grouping.
String MultipleGroupingWarning();
// Sets the grid's fixed header row, row height and editing.
void SetUpPeakGrid(TVarErozidOvur& Grid);

// Checks every row from 1: peak, date and route given ("Enter a value"),
// the peak a number ("Invalid input"; stored in the run at once), a peak
// outside 0.001 .. 1000000 confirmed by the user (No: false), the date a
// real day ("Invalid Date peak"). With TakeGrouping the run also takes the
// row's grouping. A passing row makes its run valid with the date and the
// route. A failing cell becomes the current cell; messages are raised.
bool CheckPeakRows(TVarErozidOvur& Grid, TTRAVOProject& Project, bool TakeGrouping);
