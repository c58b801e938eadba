#pragma once
// Text crossing between the document object's UTF-16 Strings and libxml2's
// UTF-8 strings, with the checks that keep a built document writable.

#include "rtl/Types.h"

#include <libxml/globals.h>
#include <libxml/xmlstring.h>
#include <string>

namespace detail {

// A libxml2 string as a String; null gives the empty string.
String FromXmlChars(const xmlChar* Text);

inline const xmlChar* XmlChars(const std::string& Utf8Text) {
    return reinterpret_cast<const xmlChar*>(Utf8Text.c_str());
}

// Owns a string that libxml2 allocated for us.
class TXmlCharsHolder {
public:
    explicit TXmlCharsHolder(xmlChar* Text) : FText(Text) {}
    ~TXmlCharsHolder() { xmlFree(FText); }
    TXmlCharsHolder(const TXmlCharsHolder&) = delete;
    TXmlCharsHolder& operator=(const TXmlCharsHolder&) = delete;
    String Value() const { return FromXmlChars(FText); }

private:
    xmlChar* FText;
};

// Text as UTF-8 for a node's content or an attribute's value. Raises
// EXMLDocError "Character #<code> cannot be stored in an XML document" for a
// character XML 1.0 cannot carry (control characters other than tab, line
// feed and carriage return, U+FFFE, U+FFFF, a lone surrogate): written out,
// it would make a file that no XML reader accepts.
std::string CheckedText(const String& Text);

// A qualified name as UTF-8; raises EXMLDocError ""<Name>" is not a valid
// XML name" otherwise.
std::string CheckedName(const String& Name);

} // namespace detail
