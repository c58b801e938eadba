#pragma once
// Office packages (the zip files behind .xlsx and .docx) and their XML
// parts, for the workbook and document exchange. Packages come from
// anywhere: every part's size is checked before it is read, and XML is
// parsed without network access, DTD loading or entity expansion.

#include "rtl/Exception.h"

#include <libxml/tree.h>

#include <list>
#include <memory>
#include <string>

struct zip;

namespace detail {

// Texts as libxml2 takes them (UTF-8 bytes).
inline const xmlChar* X(const char* Text) { return reinterpret_cast<const xmlChar*>(Text); }
inline const xmlChar* X(const std::string& Text) { return X(Text.c_str()); }

// A package that cannot be opened or read, or a part that is not XML.
class EOfficePackageError : public Exception {
public:
    using Exception::Exception;
};

class TOfficePackage {
public:
    // Opens an existing package, or (Create) starts an empty one that
    // replaces the file on Commit.
    TOfficePackage(const std::string& Path, bool Create);
    ~TOfficePackage();
    TOfficePackage(const TOfficePackage&) = delete;
    TOfficePackage& operator=(const TOfficePackage&) = delete;

    bool Has(const std::string& Name) const;
    // The part's bytes; EOfficePackageError when it is missing or larger than
    // any part an office program writes.
    std::string Read(const std::string& Name) const;
    // Adds or replaces a part.
    void Write(const std::string& Name, std::string Data);
    void Remove(const std::string& Name);
    // Writes the package (to a temporary file that replaces the original).
    void Commit();

private:
    zip* FZip = nullptr;
    std::list<std::string> FBuffers; // the written parts' bytes, alive until Commit
};

struct TXmlDocFree {
    void operator()(xmlDoc* Doc) const { xmlFreeDoc(Doc); }
};
using TXmlDoc = std::unique_ptr<xmlDoc, TXmlDocFree>;

// Parses a part; EOfficePackageError when it is not well-formed.
TXmlDoc ParsePart(const std::string& Bytes);
// The document as UTF-8 bytes with its declaration.
std::string DumpPart(xmlDoc* Doc);

// Tree helpers over local names (prefixes differ between writers).
bool IsElement(const xmlNode* Node, const char* LocalName);
xmlNode* FirstChild(xmlNode* Parent, const char* LocalName);
// An attribute by local name in no namespace, or in Namespace.
std::string Attr(const xmlNode* Node, const char* Name, const char* Namespace = nullptr);
// The concatenated text of the node and its descendants.
std::string NodeText(const xmlNode* Node);

// The relationship targets of a part ("xl/workbook.xml" -> its rels part),
// resolved to package paths, by relationship id.
std::string RelsPartOf(const std::string& PartName);
std::string ResolveTarget(const std::string& PartName, const std::string& Target);

inline constexpr const char* RelNamespace = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
inline constexpr const char* PackageRelNamespace = "http://schemas.openxmlformats.org/package/2006/relationships";
inline constexpr const char* ContentTypesNamespace = "http://schemas.openxmlformats.org/package/2006/content-types";
inline constexpr const char* OfficeDocumentRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";

// The main part of a package, from its root relationships.
std::string MainPartName(const TOfficePackage& Package);

} // namespace detail
