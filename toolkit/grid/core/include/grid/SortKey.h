#pragma once
// What a sort reads of one cell, once: the text as its comparison sees it
// and the values that text converts to. A sort reads the key of every cell
// it compares a single time and then compares keys, so no cell is read or
// converted again at each comparison.

#include "gridbase/GridTypes.h"
#include "rtl/Types.h"

// The kind of values a column holds, judged from its first two normal rows.
RTL_ENUM(TColumnType, ctNumeric, ctFloat, ctAlpha, ctDate, ctTime, ctBoolean)

struct TSortKey {
    // The compared text: markup stripped under ssHTML, ASCII letters upper
    // case under the styles that ignore case.
    String Text;
    // Numeric styles: the converted number (valid when Converts). Date and
    // time styles: the date-time value, 0 when the text does not convert.
    // ssImages: the image index.
    Double Number = 0;
    // ssAutomatic: the date or time value of a text of date or time shape.
    Double Moment = 0;
    // The displayed row the key was read from (ssRaw hands it on).
    Integer Row = 0;
    // The text converted to a number (an empty displayed text counts as 0).
    bool Converts = false;
    // The text holds an integer, a float or a scientific number.
    bool HoldsNumber = false;
    // ssAutomatic: the text has the date shape (dd?mm?yy[yy]) or, not
    // being a date, the time shape (h:mm, hh:mm ...).
    bool DateShape = false;
    bool TimeShape = false;
    // The cell holds a check box (ssAutomatic, ssCheckBox) and its state.
    bool HasCheckBox = false;
    bool Checked = false;
    // The text as the blank placement sees it is empty.
    bool Empty = false;
};

// How one column is compared in a sort: its style after the format event,
// with prefix and suffix.
struct TSortColumn {
    Integer Col = 0;
    TSortStyle Style = ssAutomatic;
    String Prefix;
    String Suffix;
    // Texts are compared without regard to ASCII case (ssAlphaNoCase,
    // ssAlphaNumericNoCase, ssAutomatic with IgnoreCase).
    bool NoCase = false;
    // Indexed sorts: this column sorts descending.
    bool Descending = false;
};
