#pragma once
// Reading bytes into a libxml2 document with the parser settings that make
// any document safe to read (see xml/XMLDocument.h).

#include <libxml/tree.h>
#include <memory>
#include <string_view>

namespace detail {

struct TXmlDocDeleter {
    void operator()(xmlDoc* Doc) const { xmlFreeDoc(Doc); }
};
using TXmlDocPtr = std::unique_ptr<xmlDoc, TXmlDocDeleter>;

// Parses Bytes, decoded as Encoding when one is given, else as their
// byte-order mark or encoding declaration says. Raises EDOMParseError for
// text that is not well-formed or refers to an external entity.
TXmlDocPtr ParseXml(std::string_view Bytes, const char* Encoding);

// Makes libxml2 ready once per process and installs the external-entity
// loader that refuses every load. Every entry point that hands libxml2
// work calls it first.
void InitXmlLibrary();

} // namespace detail
