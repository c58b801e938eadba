#pragma once
// Character entities of the cell markup: the named-entity tables of both
// dialects, decoding and encoding, numeric character references and the
// emoji tag they turn into.

#include "rtl/Types.h"

#include <optional>
#include <span>

struct TMarkupEntity {
    const char16_t* Character;
    const char16_t* Name; // with "&" and ";"
};

// The grid dialect's named entities in table order: the quote, the
// non-breaking blank, letters and signs ("&", "<" and ">" are handled by
// fixed code).
std::span<const TMarkupEntity> MarkupEntities();
// The static-text dialect's 77 named entities, all decoded.
std::span<const TMarkupEntity> StaticMarkupEntities();

// "&quot;", "&amp;", "&gt;" and "&lt;" to their characters; with AFull also
// the named entities and numeric references ("&#937;", "&#x3A9;"). One pass
// from left to right: what a replacement yields is not decoded again, so
// the text of EncodeMarkupEntities comes back exactly. Names are
// case-sensitive.
String DecodeMarkupEntities(const String& AText, bool AFull);

// The static-text dialect's named entities to their characters (one pass).
String DecodeStaticMarkupEntities(const String& AText);

// The same for drawing: "&quot;" becomes a double quote and "&amp;" becomes
// "&&", which the text drawing shows as one "&"; with AFull the named
// entities as above. "&lt;" and "&gt;" stay (the renderer decodes them per
// text run, once the tags are found), and so do numeric references (left to
// DecodeNumericEntities).
String UnescapeMarkupForDraw(const String& AText, bool AFull);

// "&", the double quote, "<" and ">" as entities; with AFull also every
// character of the named-entity table (so a blank becomes "&nbsp;") and every
// character above code 256 as "&#n;" (a surrogate pair as its one code point).
String EncodeMarkupEntities(const String& AText, bool AFull);

// Every blank as "&nbsp;".
String SpacesToNbsp(const String& AText);

// Decimal ("&#65;") and hexadecimal ("&#x41;") references to characters.
// Decoding stops at the first reference written "&&#". A reference whose
// first ";" lies more than seven characters after the "&" ends at its first
// non-digit, which goes with it. A reference without any later ";", with an
// empty number, one that does not convert, has seven or more digits or names
// no character stays as it is. Code points from 126980 on become emoji tags.
String DecodeNumericEntities(const String& AText);

// The emoji tag "<J " + the surrogate pair + " >" of a code point above
// the basic plane.
String MarkupEmojiTag(Cardinal ACodePoint);
// The surrogate pair of an emoji tag (the whole tag text from "<" to ">");
// nothing when the text is no emoji tag.
std::optional<String> MarkupEmojiOf(std::u16string_view ATag);
