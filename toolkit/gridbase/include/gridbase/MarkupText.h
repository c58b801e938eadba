#pragma once
// Operations on markup text that do not draw it: plain text, tag stripping,
// line breaks, highlighting and marking of search matches, removal of a tag,
// and the preparation of a text before it is laid out. Each takes a text and
// returns a new one.

#include "rtl/Types.h"

// "<BR>" and "<HR>" (any case) become CR LF, every tag from "<" to the next
// ">" is dropped; a "<" without a later ">" drops the rest. Entities stay.
String MarkupToPlainText(const String& AText);
// Tags dropped from the start on, until the next ">" does not follow the next
// "<"; the rest is kept as it is.
String StripMarkupTags(const String& AText);
// Every "<#" becomes "#" and the next ">" after it is removed.
String StripHashTags(const String& AText);
// LF dropped; CR becomes "<BR>" with AKeepBreaks, else a blank, except that
// a CR between ">" and "<" is dropped.
String LineBreaksToMarkup(const String& AText, bool AKeepBreaks);

// Wraps the matches of ASearch in "<TAG>" … "</TAG>" (ATag upper-cased) after
// removing the tag's earlier uses. A text holding "</" is markup: it is
// searched in its plain text, entities count as one character, and the tag
// is reopened after every "</FONT" inside a match. A plain text is encoded.
// With AWholeText only a text that equals ASearch as a whole is wrapped.
String HighlightInMarkup(const String& AText, const String& ASearch, const String& ATag, bool AWholeText,
                         bool ACaseSensitive);
// Removes every "<TAG>" and "</TAG>" (any case); a text that held "</" and
// holds none afterwards is decoded (the reverse of highlighting a plain text).
String RemoveMarkupTag(const String& AText, const String& ATag);

// The static-text control's builds: its plain text also drops hidden
// sections ("<z>"…"</z>", then "<Z>"…"</Z>"; an unclosed one to the end), its
// highlighting keeps earlier highlights and inserts the tag as passed, its
// tag removal does not decode.
String StaticMarkupToPlainText(const String& AText);
String StaticHighlightInMarkup(const String& AText, const String& ASearch, const String& ATag,
                               bool ACaseSensitive);
String StaticRemoveMarkupTag(const String& AText, const String& ATag);

// Whether the grid's markup turns CR into "<BR>" (true, the default) or into
// a blank; one switch for every grid of the program.
void SetMarkupKeepLineBreaks(bool AKeep);
bool MarkupKeepLineBreaks();

// A grid-dialect text as the renderer lays it out: "&amp;" as "&&" and the
// named entities decoded, "<#…>" colour tags unwrapped, numeric references
// decoded, line breaks as by LineBreaksToMarkup with the program's switch.
String PrepareMarkupText(const String& AText);
// The same for the static-text dialect: its named entities first, then every
// "&amp;" as "&&"; line breaks as the control asks.
String PrepareStaticMarkupText(const String& AText, bool AKeepBreaks);
