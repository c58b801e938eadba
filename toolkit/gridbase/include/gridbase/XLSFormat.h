#pragma once
// Spreadsheet number formats: a cell value and a workbook-style format such
// as "#,##0.00;(#,##0.00);\"zero\"" or "[h]:mm" turned into the text to show.
//
// Up to four sections separated by ";" (positive, negative, zero, text),
// conditions in brackets ("[<0]"), colour and locale brackets, elapsed-time
// brackets, quoted and escaped literals, date and time codes, and digit
// placeholders. Numbers are written with the process-wide format settings;
// dates and times with the locale's settings and "AM"/"PM" where it has no
// such strings.

#include "rtl/Types.h"
#include "rtl/Variant.h"

// Null and empty values give the empty text; an empty format gives the
// value's plain text. A number without a usable section, or a negative date,
// gives nineteen "#"; a date the platform cannot write gives "##"; a format
// letter without meaning ("General") gives the value's plain text. Booleans
// are "TRUE" and "FALSE". Never raises.
String ApplyXLSFormat(const Variant& value, const String& format);
