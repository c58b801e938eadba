#include "XMLText.h"
#include "XMLTree.h"
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"

#include <algorithm>
#include <cstring>

namespace detail {

namespace {

constexpr char16_t kXmlnsNamespace[] = u"http://www.w3.org/2000/xmlns/";

xmlNodePtr AsNode(xmlAttrPtr Attribute) {
    return reinterpret_cast<xmlNodePtr>(Attribute);
}

// "prefix:name" for a node or attribute bound to a prefixed namespace.
std::string QualifiedName(const xmlNs* Ns, const xmlChar* Name) {
    std::string Result;
    if (Ns && Ns->prefix) Result.append(reinterpret_cast<const char*>(Ns->prefix)).push_back(':');
    return Result.append(reinterpret_cast<const char*>(Name));
}

std::string DeclarationName(const xmlNs* Declaration) {
    return Declaration->prefix ? "xmlns:" + std::string(reinterpret_cast<const char*>(Declaration->prefix))
                               : std::string("xmlns");
}

// The attribute or namespace declaration of Element with that qualified name.
struct TAttributeMatch {
    xmlAttrPtr Attribute = nullptr;
    xmlNsPtr Declaration = nullptr;
    explicit operator bool() const { return Attribute || Declaration; }
};

TAttributeMatch FindAttribute(xmlNodePtr Element, const std::string& Name) {
    if (Element->type != XML_ELEMENT_NODE) return {};
    for (xmlAttrPtr Attribute = Element->properties; Attribute; Attribute = Attribute->next)
        if (QualifiedName(Attribute->ns, Attribute->name) == Name) return {Attribute, nullptr};
    for (xmlNsPtr Declaration = Element->nsDef; Declaration; Declaration = Declaration->next)
        if (DeclarationName(Declaration) == Name) return {nullptr, Declaration};
    return {};
}

void SetDeclarationURI(xmlNsPtr Declaration, const std::string& URI) {
    xmlFree(const_cast<xmlChar*>(Declaration->href));
    Declaration->href = xmlStrdup(XmlChars(URI));
}

// Splits "prefix:name"; Prefix stays empty without a colon.
void SplitName(const String& Name, String& Prefix, String& Local) {
    const size_t Colon = Name.find(u':');
    if (Colon == String::npos) {
        Prefix.clear();
        Local = Name;
    } else {
        Prefix = Name.substr(0, Colon);
        Local = Name.substr(Colon + 1);
    }
}

} // namespace

// ---- TXMLNodeList ----

const std::vector<IXMLNode*>& TXMLNodeList::Items() const {
    if (!FValid) {
        FItems.clear();
        if (FKind == TKind::Children)
            FOwner.CollectChildren(FItems);
        else
            FOwner.CollectAttributes(FItems);
        FValid = true;
    }
    return FItems;
}

IXMLNode* TXMLNodeList::Nodes(Integer Index) const {
    const auto& List = Items();
    if (Index < 0 || size_t(Index) >= List.size())
        throw EListError(u"List index out of bounds (%d)", {Index});
    return List[size_t(Index)];
}

IXMLNode* TXMLNodeList::FindNode(const String& NodeName) const {
    for (IXMLNode* Node : Items())
        if (Node->NodeName() == NodeName) return Node;
    return nullptr;
}

IXMLNode* TXMLNodeList::First() const {
    return Items().empty() ? nullptr : Items().front();
}

IXMLNode* TXMLNodeList::Last() const {
    return Items().empty() ? nullptr : Items().back();
}

Integer TXMLNodeList::IndexOf(const IXMLNode* Node) const {
    const auto& List = Items();
    const auto Found = std::find(List.begin(), List.end(), Node);
    return Found == List.end() ? -1 : Integer(Found - List.begin());
}

// ---- TXMLNodeObject ----

TNodeType TXMLNodeObject::NodeType() const {
    if (FDeclaration) return ntAttribute;
    switch (FNode->type) {
    case XML_ELEMENT_NODE:
        return ntElement;
    case XML_ATTRIBUTE_NODE:
        return ntAttribute;
    case XML_TEXT_NODE:
        return ntText;
    case XML_CDATA_SECTION_NODE:
        return ntCData;
    case XML_ENTITY_REF_NODE:
        return ntEntityRef;
    case XML_ENTITY_NODE:
    case XML_ENTITY_DECL:
        return ntEntity;
    case XML_PI_NODE:
        return ntProcessingInstr;
    case XML_COMMENT_NODE:
        return ntComment;
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
        return ntDocument;
    case XML_DOCUMENT_TYPE_NODE:
    case XML_DTD_NODE:
        return ntDocType;
    case XML_DOCUMENT_FRAG_NODE:
        return ntDocFragment;
    case XML_NOTATION_NODE:
        return ntNotation;
    default:
        return ntReserved;
    }
}

String TXMLNodeObject::NodeName() const {
    if (FDeclaration) return FromUtf8(DeclarationName(FDeclaration));
    switch (FNode->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
        return FromUtf8(QualifiedName(FNode->ns, FNode->name));
    case XML_TEXT_NODE:
        return u"#text";
    case XML_CDATA_SECTION_NODE:
        return u"#cdata-section";
    case XML_COMMENT_NODE:
        return u"#comment";
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
        return u"#document";
    case XML_DOCUMENT_FRAG_NODE:
        return u"#document-fragment";
    default:
        return FromXmlChars(FNode->name);
    }
}

String TXMLNodeObject::Prefix() const {
    if (NodeType() != ntElement && NodeType() != ntAttribute) return {};
    String Prefix, Local;
    SplitName(NodeName(), Prefix, Local);
    return Prefix;
}

String TXMLNodeObject::LocalName() const {
    if (NodeType() != ntElement && NodeType() != ntAttribute) return {};
    String Prefix, Local;
    SplitName(NodeName(), Prefix, Local);
    return Local;
}

String TXMLNodeObject::NamespaceURI() const {
    if (FDeclaration) return kXmlnsNamespace;
    if ((FNode->type == XML_ELEMENT_NODE || FNode->type == XML_ATTRIBUTE_NODE) && FNode->ns)
        return FromXmlChars(FNode->ns->href);
    return {};
}

String TXMLNodeObject::Text() const {
    if (FDeclaration) return FromXmlChars(FDeclaration->href);
    if (FNode->type == XML_DTD_NODE) return {};
    return TXmlCharsHolder(xmlNodeGetContent(FNode)).Value();
}

void TXMLNodeObject::SetText(const String& Value) {
    const std::string Text = CheckedText(Value);
    if (FDeclaration) {
        SetDeclarationURI(FDeclaration, Text);
        return;
    }
    switch (FNode->type) {
    case XML_ELEMENT_NODE:
        while (FNode->children)
            FTree.Detach(FNode->children);
        if (!Text.empty()) xmlAddChild(FNode, xmlNewDocText(FTree.Doc(), XmlChars(Text)));
        ChildrenChanged();
        return;
    case XML_ATTRIBUTE_NODE:
        xmlSetNsProp(FNode->parent, FNode->ns, FNode->name, XmlChars(Text));
        return;
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        // These node kinds take the content as it stands (no entity parsing).
        xmlNodeSetContent(FNode, XmlChars(Text));
        return;
    default:
        throw EXMLDocError(u"The text of a %s node cannot be set", {NodeName()});
    }
}

String TXMLNodeObject::NodeValue() const {
    switch (NodeType()) {
    case ntAttribute:
    case ntText:
    case ntCData:
    case ntComment:
    case ntProcessingInstr:
        return Text();
    default:
        return {};
    }
}

bool TXMLNodeObject::CanHaveChildren() const {
    return !FDeclaration && (FNode->type == XML_ELEMENT_NODE || FNode->type == XML_DOCUMENT_NODE);
}

bool TXMLNodeObject::HasChildNodes() const {
    return CanHaveChildren() && FNode->children;
}

IXMLNodeList& TXMLNodeObject::ChildNodes() const {
    return FChildNodes;
}

IXMLNodeList& TXMLNodeObject::AttributeNodes() const {
    return FAttributeNodes;
}

void TXMLNodeObject::CollectChildren(std::vector<IXMLNode*>& Items) const {
    if (!CanHaveChildren()) return;
    for (xmlNodePtr Child = FNode->children; Child; Child = Child->next)
        Items.push_back(FTree.Wrap(Child));
}

void TXMLNodeObject::CollectAttributes(std::vector<IXMLNode*>& Items) const {
    if (FDeclaration || FNode->type != XML_ELEMENT_NODE) return;
    for (xmlNsPtr Declaration = FNode->nsDef; Declaration; Declaration = Declaration->next)
        Items.push_back(FTree.Wrap(Declaration));
    for (xmlAttrPtr Attribute = FNode->properties; Attribute; Attribute = Attribute->next)
        Items.push_back(FTree.Wrap(AsNode(Attribute)));
}

bool TXMLNodeObject::HasAttribute(const String& Name) const {
    return !FDeclaration && bool(FindAttribute(FNode, Utf8(Name)));
}

String TXMLNodeObject::Attributes(const String& Name) const {
    if (FDeclaration) return {};
    const TAttributeMatch Match = FindAttribute(FNode, Utf8(Name));
    if (Match.Declaration) return FromXmlChars(Match.Declaration->href);
    if (Match.Attribute) return TXmlCharsHolder(xmlNodeGetContent(AsNode(Match.Attribute))).Value();
    return {};
}

void TXMLNodeObject::SetAttributes(const String& Name, const String& Value) {
    if (FDeclaration || FNode->type != XML_ELEMENT_NODE)
        throw EXMLDocError(u"Only element nodes have attributes");
    const std::string QualifiedName = CheckedName(Name);
    const std::string Text = CheckedText(Value);
    const TAttributeMatch Match = FindAttribute(FNode, QualifiedName);
    if (Match.Declaration) {
        SetDeclarationURI(Match.Declaration, Text);
    } else if (Match.Attribute) {
        xmlSetNsProp(FNode, Match.Attribute->ns, Match.Attribute->name, XmlChars(Text));
    } else {
        String Prefix, Local;
        SplitName(Name, Prefix, Local);
        if (Prefix == u"xmlns" || (Prefix.empty() && Local == u"xmlns"))
            xmlNewNs(FNode, XmlChars(Text), Prefix.empty() ? nullptr : XmlChars(Utf8(Local)));
        else
            // Binds a prefix to the namespace it names here; an unknown
            // prefix stays part of the name, as the parser keeps it.
            xmlSetProp(FNode, XmlChars(QualifiedName), XmlChars(Text));
        FAttributeNodes.Invalidate();
    }
}

IXMLNode* TXMLNodeObject::ParentNode() const {
    return IsAttribute() ? nullptr : FTree.Wrap(FNode->parent);
}

IXMLNode* TXMLNodeObject::NextSibling() const {
    return IsAttribute() ? nullptr : FTree.Wrap(FNode->next);
}

IXMLNode* TXMLNodeObject::PreviousSibling() const {
    return IsAttribute() ? nullptr : FTree.Wrap(FNode->prev);
}

IXMLNode* TXMLNodeObject::AddChild(const String& TagName) {
    if (!CanHaveChildren()) throw EXMLDocError(u"A %s node cannot have child elements", {NodeName()});
    const std::string QualifiedName = CheckedName(TagName);
    xmlNodePtr Child;
    if (FNode->type == XML_DOCUMENT_NODE) {
        if (xmlDocGetRootElement(FTree.Doc()))
            throw EXMLDocError(u"The document has a document element already");
        Child = xmlNewDocNode(FTree.Doc(), nullptr, XmlChars(QualifiedName), nullptr);
        xmlAddChild(FNode, Child);
    } else {
        String Prefix, Local;
        SplitName(TagName, Prefix, Local);
        const std::string PrefixText = Utf8(Prefix);
        xmlNsPtr Ns = xmlSearchNs(FTree.Doc(), FNode, Prefix.empty() ? nullptr : XmlChars(PrefixText));
        const std::string Name = Ns ? Utf8(Local) : QualifiedName;
        Child = xmlNewDocNode(FTree.Doc(), Ns, XmlChars(Name), nullptr);
        xmlAddChild(FNode, Child);
    }
    ChildrenChanged();
    return FTree.Wrap(Child);
}

void TXMLNodeObject::ChildrenChanged() {
    FChildNodes.Invalidate();
}

TXMLDocument& TXMLNodeObject::OwnerDocument() const {
    return FTree.Owner();
}

String TXMLNodeObject::XML() const {
    if (FDeclaration) {
        TXmlCharsHolder URI(xmlEncodeSpecialChars(FTree.Doc(), FDeclaration->href));
        return FromUtf8(DeclarationName(FDeclaration)) + u"=\"" + URI.Value() + u"\"";
    }
    if (FNode->type == XML_DOCUMENT_NODE) return FTree.Owner().XML();
    xmlBufferPtr Buffer = xmlBufferCreate();
    xmlNodeDump(Buffer, FTree.Doc(), FNode, 0, 1);
    String Result = FromXmlChars(xmlBufferContent(Buffer));
    xmlBufferFree(Buffer);
    return FNode->type == XML_ATTRIBUTE_NODE ? TrimLeft(Result) : Result;
}

} // namespace detail
