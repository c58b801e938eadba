#pragma once
// The string routines every library is written against. Positions are
// 1-based and counted in UTF-16 code units; arguments out of range are
// clamped or ignored as described per routine, never undefined.

#include "rtl/Types.h"

#include <initializer_list>
#include <string_view>

// Number of UTF-16 code units.
Integer Length(std::u16string_view s);

// Position of the first subStr in s at or after offset; 0 when absent, when
// subStr is empty, or when offset lies outside 1 .. Length(s).
Integer PosEx(std::u16string_view subStr, std::u16string_view s, Integer offset = 1);
Integer Pos(std::u16string_view subStr, std::u16string_view s, Integer offset = 1);

// Up to count characters from index on. An index below 1 counts as 1; an
// index past the end or a count below 1 gives the empty string.
String Copy(std::u16string_view s, Integer index, Integer count);
// Everything from index on.
String Copy(std::u16string_view s, Integer index);

// Removes up to count characters from index on; does nothing when index lies
// outside 1 .. Length(s) or count is below 1.
void Delete(String& s, Integer index, Integer count);

// Inserts source before position index; an index below 1 inserts at the
// start, one past the end appends.
void Insert(std::u16string_view source, String& s, Integer index);

// Remove blanks and control characters (everything up to U+0020).
String Trim(std::u16string_view s);
String TrimLeft(std::u16string_view s);
String TrimRight(std::u16string_view s);

// ASCII-only case mapping: a..z and A..Z change, every other character stays.
String UpperCase(std::u16string_view s);
String LowerCase(std::u16string_view s);

// Full Unicode simple case mapping (one character to one character, so the
// length never changes; ß stays ß). The Ansi and Wide forms are the same
// routine, as both work on UTF-16 text.
String WideUpperCase(std::u16string_view s);
String WideLowerCase(std::u16string_view s);
String AnsiUpperCase(std::u16string_view s);
String AnsiLowerCase(std::u16string_view s);

// Decomposes every character into its base and combining marks and drops the
// marks: "Crème brûlée" becomes "Creme brulee". Characters without a
// decomposition (ß, Ø, æ) stay as they are.
String RemoveDiacritics(std::u16string_view s);

// count copies of ch; empty for a count below 1.
String StringOfChar(Char ch, Integer count);

// s between single quotes, with every single quote inside doubled.
String QuotedStr(std::u16string_view s);
// s between two quote characters, with every quote character inside doubled.
String AnsiQuotedStr(std::u16string_view s, Char quote);
// The reverse of AnsiQuotedStr: when s starts with quote, the text up to the
// closing quote with doubled quotes made single (text after the closing quote
// is dropped). s comes back unchanged when it does not start with quote, when
// its closing quote is missing, and when an empty quoted part is followed by
// more text; a lone quote character gives the empty string.
String AnsiDequotedStr(std::u16string_view s, Char quote);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };

// A set of TReplaceFlag, written like a set literal: {rfReplaceAll, rfIgnoreCase}.
class TReplaceFlags {
public:
    TReplaceFlags() = default;
    TReplaceFlags(std::initializer_list<TReplaceFlag> flags) {
        for (const TReplaceFlag flag : flags)
            FBits |= 1u << flag;
    }
    bool Contains(TReplaceFlag flag) const { return (FBits & (1u << flag)) != 0; }

private:
    unsigned FBits = 0;
};

// Replaces the first occurrence of oldPattern (every one with rfReplaceAll).
// With rfIgnoreCase the search ignores case by the full Unicode mapping. The
// search goes on after each inserted replacement, so a replacement that
// contains oldPattern is not replaced again. An empty oldPattern changes
// nothing.
String StringReplace(std::u16string_view s, std::u16string_view oldPattern, std::u16string_view newPattern,
                     TReplaceFlags flags);
