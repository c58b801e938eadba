#pragma once
// Checks and clean-ups of texts the user types: dates of the form
// dd-mon-yyyy, names that become folder names, and non-ASCII characters.

#include "rtl/Types.h"

#include <concepts>

// "1" .. "12" for JAN .. DEC in any letter case; empty for anything else.
String MonthNumber(const String& text);
// 29 for February of a Gregorian leap year, 28 for other Februaries, 30 for
// April, June, September and November, 31 for every other value (also for
// months outside 1 .. 12).
Integer DaysInMonthOf(Integer month, Integer year);
// True for "dd-mon-yyyy": exactly eleven characters, a two-digit day from 1
// to the days of that month, a month abbreviation (any case) and a four-digit
// year. The separators are not looked at. Never raises.
bool IsValidDayMonthYear(const String& text);

// True when the text holds a blank or one of / \ ( ) > < * : " | , . + = ?
bool HasInvalidNameChars(const String& text);
// True when a character's code is above 127.
bool HasNonASCII(const String& text);
// The text without its characters of code 128 and above.
String StripNonASCII(const String& text);

// Removes the non-ASCII characters of an edit's text and puts the caret one
// position before where it was; answers false and changes nothing when there
// are none. `selStart` is the caret's 0-based position.
bool StripNonASCIIKeepingCaret(String& text, Integer& selStart);

// Anything with an edit's text and caret, as the change event's sender.
template <class T>
concept TextEdit = requires(T& edit, const String& text, Integer position) {
    { edit.Text() } -> std::convertible_to<String>;
    { edit.SelStart() } -> std::convertible_to<Integer>;
    edit.SetText(text);
    edit.SetSelStart(position);
};

// For the change events of the name and description edits: a typed
// non-ASCII character is removed at once.
template <TextEdit TEdit>
void StripNonASCIIFromEdit(TEdit& edit) {
    String text = edit.Text();
    Integer selStart = edit.SelStart();
    if (!StripNonASCIIKeepingCaret(text, selStart)) return;
    edit.SetText(text);
    edit.SetSelStart(selStart);
}
