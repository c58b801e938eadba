#pragma once
// Free routines for working with cell texts: what kind of value a text
// holds, numbers between the locale notation and the "." notation, dates,
// CSV quoting, the one-line storage forms of multi-line texts, HTML escaping,
// links and the HTML clipboard wrapper, proper case and cell references.
//
// Texts are UTF-16 with 1-based positions. Locale separators and the short
// date format are read from the process-wide FormatSettings at every call.
// No routine raises errors of its own; ParseDateMDY, ParseDateDMY and
// ShiftDate pass the platform's date conversion error on.

#include "graphics/Rect.h"
#include "rtl/Types.h"

#include <string_view>

class TCanvas;
class TStrings;

// What a text holds, as DetectValueKind sees it.
enum TValueKind : Byte { vkInteger, vkFloat, vkText, vkDate, vkTime, vkScientific };

// What a cell text is written in; ctWideText is the "|\" encoding of the
// cell store.
enum TCellTextKind : Byte { ctPlain, ctHTML, ctRTF, ctFormula, ctURL, ctWideText };

// ---- Locale settings ---------------------------------------------------------

Char GetDecimalSeparator();
Char GetThousandSeparator();
Char GetDateSeparator();
Char GetTimeSeparator();
String GetShortDateFormat();

// ---- Characters ----------------------------------------------------------------

// "0".."9", and above 127 any Unicode decimal digit, letter number or other number.
bool IsDigitChar(Char ch);
// A digit or "-".
bool IsIntegerChar(Char ch);
// A digit, the locale thousand or decimal separator, "e" or "E".
bool IsNumberChar(Char ch);
// IsNumberChar, "+" or "-".
bool IsScientificChar(Char ch);
// A digit, ".", "-", "e", "E" or "+" (fixed, whatever the locale).
bool IsFloatChar(Char ch);
// The keys numeric editors accept: a digit, the locale separators, "-",
// Backspace, Tab, Enter and Escape.
bool IsNumericKey(Char ch);
// Blank, apostrophe, ",", "-" or ".".
bool IsWordBreakChar(Char ch);

// ---- Numbers -------------------------------------------------------------------

// ClassifyNumberText with the locale decimal and thousand separators.
TValueKind DetectValueKind(std::u16string_view text);
// "1,000" and ".5" are floats, "1,23,456" text, "1e5" scientific, "12:30" a
// time, digits with exactly two date separators a date, a lone "-" an integer.
TValueKind ClassifyNumberText(std::u16string_view text, Char decimalSep, Char thousandSep);
// A displayed number made parseable in "." notation: "(1.234,50)" with ","
// as decimal separator gives "-1234.50"; leading non-number characters are
// dropped ("-" among them makes it negative) and the first other character
// ends it.
String NormalizeNumberText(std::u16string_view text);
// Locale decimal separator written as ".", locale thousand separators
// dropped; reads up to the first character 0.
String LocaleToDotNumber(const Char* text);
// An integer or float text in locale notation to "." notation; other texts unchanged.
String LocaleToInvariantNumber(const String& text);
// An integer or float text in "." notation to locale notation; other texts unchanged.
String InvariantToLocaleNumber(const String& text);

// ---- Dates ---------------------------------------------------------------------

// A date in the order of the short date format with the locale date
// separator, optionally followed by a blank and a time "h:m" or "h:m:s".
bool TryParseLocaleDateTime(const String& text, TDateTime& dateTime);
// month/day/year and day/month/year with "/", "." or "-" as separator; 0.0
// for a text that is no such date. Years 0..25 are 2000..2025, 26..99 are
// 1926..1999, larger years stand as written. An impossible day or month
// raises EConvertError.
TDateTime ParseDateMDY(const String& text);
TDateTime ParseDateDMY(const String& text);
bool HasTwoDateSeparators(const String& text);
// date shifted by days alone, by years alone or by months alone (the day
// kept, or clamped to the end of a shorter month; the time of day dropped);
// any other combination gives date + fallbackDays.
TDateTime ShiftDate(SmallInt years, SmallInt months, SmallInt days, TDateTime date, double fallbackDays);

// ---- CSV and quoting -----------------------------------------------------------

// Every double quote doubled.
String EscapeQuotes(const String& text);
// A text of at least 3 characters enclosed in double quotes loses them.
String StripEnclosingQuotes(const String& text);
// Adds every part of text cut at separator to list, in double quotes when it holds a blank.
void SplitAndQuote(Char separator, const String& text, TStrings& list);
// The position of the quote that ends a quoted field (a run of an odd number
// of quoteChar followed by another character, or a quoteChar at the end); 0
// when none. Also stored in pos.
Integer FindClosingQuote(Char quoteChar, const String& text, Integer& pos);
// Occurrences of ch outside double- or single-quoted sections; all
// occurrences when a section is still open at the end.
Integer CountUnquotedChar(Char ch, const String& text);
// Occurrences of ch (delimiter plays no part).
Integer CountCharWithDelimiter(Char ch, Char delimiter, const String& text);
Integer CountCharInText(Char ch, const String& text);
// Each pair of consecutive ch becomes one.
String CollapseDoubledChar(Char ch, const String& text);
// Code-page hooks of CSV saving and loading; they leave the text unchanged.
void ConvertToOEM(String& text);
void ConvertFromOEM(String& text);

// ---- Multi-line texts ------------------------------------------------------------

// The grid text file form: when the text holds a CR, CR becomes #9, LF #8
// and #0 #1.
String EncodeLineBreaks(const String& text);
// The reverse (when the text holds a #8); only the first line unless keepAll.
String DecodeLineBreaks(const String& text, bool keepAll);
// CR becomes the two characters "\n", LF is dropped; and back to CR.
String LineBreaksToEscapes(const String& text);
String EscapedNewlinesToCR(const String& text);
// CR becomes "~", LF is dropped; and "~" back to CR LF ("^" alone is empty).
String LineBreaksToTildes(const String& text);
String TildesToLineBreaks(const String& text);
// In place: CR LF becomes #11, then the whole text goes in double quotes.
void QuoteMultilineCell(String& text);
// In place: #11 becomes CR LF.
void VerticalTabsToCRLF(String& text);
// In place: the CR of every CR LF deleted.
void CRLFToLF(String& text);
String StripCarriageReturns(const String& text);
String CarriageReturnsToLF(const String& text);
// line receives the text before the first CR (all of source without one);
// the CR and a directly following LF go with it. source keeps the rest only
// with keepRest, else it becomes empty.
void TakeFirstLine(String& source, bool keepRest, String& line);
// 1 without count; otherwise the number of lines, a final line break
// starting no line of its own.
Integer CountTextLines(const String& text, bool count);
// The line of the text that is widest in the canvas's font (the first of
// equally wide ones).
String WidestTextLine(TCanvas& canvas, const String& text);

// ---- Cell text kind, HTML and links -----------------------------------------------

// Formula ("=" without "</"), "|\" wide text, RTF ("{\"), HTML (with
// detectHTML: "</" or a tag starting IM, IN, BR, HR or CO), URL, else plain.
TCellTextKind GetCellTextKind(const String& text, bool detectHTML);
// Every character from 256 up as "&#<decimal code>;".
String EscapeNonLatin1(const String& text);
// Every CR as "<br>" (LF stays).
String CRToBreakTags(const String& text);
// Six upper-case hexadecimal digits: red, green, blue of the colour value as
// stored (no system-colour resolution).
String ColorToHexRGB(TColor color);
// In place: the HTML fragment wrapped in the platform's HTML clipboard
// format. The offsets count the fragment's UTF-8 bytes, the encoding the
// format travels in, and the document declares that charset.
void WrapClipboardHTML(String& html);
// The text contains "://" or "mailto:".
bool IsURLText(const String& text);
// In place: everything up to the first "://", or else the first "mailto:", deleted.
void StripURLScheme(String& text);
// When the upper-cased text contains prefix (such as "HTTP://"): html is the
// text with "<" and ">" escaped and the link starting at the prefix wrapped
// in an anchor; false and html untouched otherwise.
bool LinkifyURL(const String& text, const String& prefix, String& html);

// ---- Other text routines ------------------------------------------------------------

// Proper case: each word capitalised, the rest lower case; "Mc" keeps the
// next letter capital, a trailing " II" or " III" stays capital.
String CapitalizeWords(const String& text);
// "R<row>C<column>" (any case): point.X = column, point.Y = row. False and
// point unchanged for any other text.
bool ParseRCReference(const String& text, TPoint& point);
// The text decomposed with accents dropped; only characters below 256 remain.
String StripDiacritics(const String& text);

// value raised to lo, then lowered to hi (hi wins when lo > hi).
Integer LimitToRange(Integer value, Integer lo, Integer hi);
// value unchanged when min = max; else raised to a positive min and lowered
// to a positive max (the max test on the value as passed wins).
Integer ApplyMinMaxSize(Integer value, Integer min, Integer max);
Integer IntMax(Integer a, Integer b);
Integer IntMin(Integer a, Integer b);
// 1-based position of ch, 0 when absent; LocateChar stores a found position in pos.
Integer IndexOfChar(Char ch, const String& text);
Integer LocateChar(Char ch, const String& text, Integer& pos);
Integer PosToVar(const String& sub, const String& text, Integer& pos);
// Position of sub in the upper-cased text.
Integer PosInUpperCase(const String& sub, const String& text);
Integer WidePos(const String& sub, const String& text);
// col within rect.Left..rect.Right and row within rect.Top..rect.Bottom, bounds included.
bool CellInGridRect(const TRect& rect, Integer col, Integer row);
// The text before delimiter, removed from text with the delimiter; empty
// and text unchanged when the delimiter is absent.
String CutAtDelimiter(String& text, const String& delimiter);
// All lines concatenated without separator.
String JoinListLines(const TStrings& list);
// In place: every character replaced by ch.
void FillWithChar(String& text, Char ch);
