#pragma once
// Tags and attributes of the cell markup: which tag a text names (by its
// leading letters), where a tag ends, and how attribute values are read.

#include "rtl/Types.h"

#include <optional>

// The two dialects: the grid's, and the HTML static-text control's.
enum class TMarkupDialect { Grid, StaticText };

enum class TMarkupTag {
    None, // consumed without effect
    A,
    B,
    BR,
    BLINK,
    BODY, // also the closing "</B…>" other than "</B>": font colour back
    CONTROL,
    E,
    FONT,
    HI,
    HR,
    I,
    IND,
    IMG,
    J,
    LI,
    OL,
    P,
    R,
    S,
    STRIKE,
    SPAN,
    SHAD,
    SUB, // also the closing "</SU…>": subscript and superscript off
    SUP,
    U,
    UL,
    Z,
    OFS, // static-text dialect only
};

// The tag an opening tag names; ATag is the whole tag from "<" to ">".
// Names are case-insensitive and recognised by their leading letters.
TMarkupTag MarkupOpeningTag(std::u16string_view ATag, TMarkupDialect ADialect = TMarkupDialect::Grid);
// The tag a closing tag ("</…>") ends. "</U…>" other than "</U>" ends a list
// (UL) while a list is open, otherwise the underline (U).
TMarkupTag MarkupClosingTag(std::u16string_view ATag, Integer AListDepth);

// Index of the ">" that ends the tag opening at AOpen (a "<"); nothing when
// the text ends there instead: a "<" with at most one more character, or no
// later ">" (the rest of the text is then dropped).
std::optional<std::size_t> MarkupTagEnd(std::u16string_view AText, std::size_t AOpen);

// The characters of a tag after its name (the name ends at the first blank),
// without the closing ">".
String MarkupAttributeText(std::u16string_view ATag);
// The value of an attribute: its name is found ignoring ASCII case (first
// occurrence), the value is the text between the next two double quotes (to
// the end when the second is missing; empty without quotes). Nothing when
// the name does not occur.
std::optional<String> MarkupAttributeValue(std::u16string_view AAttributes, std::u16string_view AName);
// Whether BODY, FONT, IMG, LI, P and SPAN: their attribute text is upper-cased
// before values are read. (The static-text dialect keeps IMG SRC's case.)
bool MarkupTagUpperCasesValues(TMarkupTag ATag);

// A number as far as its leading decimal digits go (0 without any).
Integer MarkupNumber(std::u16string_view AValue);
// A number that must convert entirely (IND, CONTROL WIDTH and HEIGHT).
std::optional<Integer> MarkupStrictNumber(std::u16string_view AValue);

// BODY's FONT-FAMILY-like style values: the text from the second character
// after the name up to the first ";", "'" or double quote. Nothing when the
// name does not occur.
std::optional<String> MarkupStyleValue(std::u16string_view AAttributes, std::u16string_view AName);
// BODY FONT-SIZE in points: its style value less a trailing "PT".
std::optional<Integer> MarkupBodyFontSize(std::u16string_view AAttributes);
// FONT's size in points: from STYLE ("FONT-SIZE:" number "PT") when STYLE is
// present, otherwise from SIZE (1 to 5 give 8, 10, 12, 14, 16; other numbers
// are points). Nothing when neither gives a size. Attributes upper-cased.
std::optional<Integer> MarkupFontSize(std::u16string_view AAttributes);
// The static-text dialect's FONT SIZE 1 to 5: points added to the base size
// (1, 2, 4, 6, 8); nothing for other values, which are sizes of their own.
std::optional<Integer> StaticMarkupFontSizeStep(Integer ASize);
// SPAN STYLE's "BACKGROUND-COLOR:#RRGGBB"; nothing without a hexadecimal colour.
std::optional<TColor> MarkupSpanBackground(std::u16string_view AAttributes);

enum class TMarkupAlign { Left, Right, Center };
// P ALIGN: RIGHT, LEFT, CENTER checked in this order, the last match wins.
std::optional<TMarkupAlign> MarkupParagraphAlign(std::u16string_view AAttributes);

enum class TMarkupPictureKind { ImageList, SmallSystemIcon, LargeSystemIcon, Container, Cache };
struct TMarkupPictureSource {
    TMarkupPictureKind Kind;
    String Name; // the index, path, container name or URL
};
// "IDX:n", "SSYS:path", "LSYS:path", a text holding "://" (picture cache), or
// a name without ":" (picture container); nothing for any other text.
std::optional<TMarkupPictureSource> MarkupPictureSource(const String& ASource);
