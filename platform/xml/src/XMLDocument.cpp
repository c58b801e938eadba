#include "xml/XMLDocument.h"

#include "XMLParser.h"
#include "XMLText.h"
#include "XMLTree.h"
#include "rtl/Encoding.h"
#include "rtl/Stream.h"

#include <algorithm>
#include <libxml/encoding.h>

namespace {

constexpr const char* kDefaultEncoding = "UTF-8";

// Raises EXMLDocError "The encoding "<name>" is not supported" unless the
// platform can write text in that encoding.
void CheckEncoding(const std::string& Name) {
    detail::InitXmlLibrary();
    xmlCharEncodingHandlerPtr Handler = xmlFindCharEncodingHandler(Name.c_str());
    if (!Handler) throw EXMLDocError(u"The encoding \"%s\" is not supported", {FromUtf8(Name)});
    xmlCharEncCloseFunc(Handler);
}

// The whole document as bytes in the given encoding (by default its own),
// indented wherever that adds no white space to text.
std::string Serialize(xmlDocPtr Doc, const char* ForcedEncoding = nullptr) {
    const std::string Encoding = ForcedEncoding  ? ForcedEncoding
                                 : Doc->encoding ? reinterpret_cast<const char*>(Doc->encoding)
                                                 : kDefaultEncoding;
    CheckEncoding(Encoding);
    xmlChar* Bytes = nullptr;
    int Size = 0;
    xmlDocDumpFormatMemoryEnc(Doc, &Bytes, &Size, Encoding.c_str(), 1);
    if (!Bytes) throw EOutOfMemory(u"Out of memory");
    std::string Result(reinterpret_cast<const char*>(Bytes), size_t(Size));
    xmlFree(Bytes);
    return Result;
}

std::string ReadToEnd(TStream& Stream) {
    std::string Bytes(size_t(std::max<Int64>(0, Stream.Size() - Stream.Position())), '\0');
    Stream.ReadBuffer(Bytes.data(), Int64(Bytes.size()));
    return Bytes;
}

} // namespace

TXMLDocument::TXMLDocument() = default;

TXMLDocument::~TXMLDocument() = default;

detail::TXMLTree& TXMLDocument::Tree() const {
    if (!FTree) throw EXMLDocError(u"No active document");
    return *FTree;
}

void TXMLDocument::Replace(std::unique_ptr<detail::TXMLTree> Tree) {
    FTree = std::move(Tree);
}

void TXMLDocument::LoadFromFile(const String& FileName) {
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(Stream);
}

void TXMLDocument::LoadFromStream(TStream& Stream) {
    Replace(std::make_unique<detail::TXMLTree>(*this, detail::ParseXml(ReadToEnd(Stream), nullptr)));
}

void TXMLDocument::LoadFromXML(const String& XML) {
    Replace(std::make_unique<detail::TXMLTree>(*this, detail::ParseXml(Utf8(XML), "UTF-8")));
}

void TXMLDocument::SaveToFile(const String& FileName) const {
    const std::string Bytes = Serialize(Tree().Doc());
    TFileStream Stream(FileName, fmCreate);
    Stream.WriteBuffer(Bytes.data(), Int64(Bytes.size()));
}

void TXMLDocument::SaveToStream(TStream& Stream) const {
    const std::string Bytes = Serialize(Tree().Doc());
    Stream.WriteBuffer(Bytes.data(), Int64(Bytes.size()));
}

String TXMLDocument::XML() const {
    return FTree ? FromUtf8(Serialize(FTree->Doc(), kDefaultEncoding)) : String();
}

void TXMLDocument::SetActive(bool Value) {
    if (Value == Active()) return;
    if (Value) {
        detail::InitXmlLibrary();
        detail::TXmlDocPtr Doc(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
        if (!Doc) throw EOutOfMemory(u"Out of memory");
        Replace(std::make_unique<detail::TXMLTree>(*this, std::move(Doc)));
    } else {
        Replace(nullptr);
    }
}

IXMLNode* TXMLDocument::DocumentElement() const {
    return FTree ? FTree->Wrap(xmlDocGetRootElement(FTree->Doc())) : nullptr;
}

IXMLNode& TXMLDocument::Node() const {
    detail::TXMLTree& Tree = this->Tree();
    return *Tree.Wrap(reinterpret_cast<xmlNodePtr>(Tree.Doc()));
}

IXMLNode* TXMLDocument::AddChild(const String& TagName) {
    SetActive(true);
    return Node().AddChild(TagName);
}

String TXMLDocument::Encoding() const {
    return FTree ? detail::FromXmlChars(FTree->Doc()->encoding) : String();
}

void TXMLDocument::SetEncoding(const String& Value) {
    xmlDocPtr Doc = Tree().Doc();
    const std::string Name = Utf8(Value);
    if (!Name.empty()) CheckEncoding(Name);
    xmlFree(const_cast<xmlChar*>(Doc->encoding));
    Doc->encoding = Name.empty() ? nullptr : xmlStrdup(detail::XmlChars(Name));
}

String TXMLDocument::Version() const {
    return FTree ? detail::FromXmlChars(FTree->Doc()->version) : String();
}
