#pragma once
// The node objects of a document over libxml2's tree, and the tree that
// owns them.

#include "XMLParser.h"
#include "xml/XMLDocument.h"

#include <deque>
#include <libxml/tree.h>
#include <memory>
#include <unordered_map>
#include <vector>

namespace detail {

class TXMLNodeObject;

// A node's children or attributes, gathered on first use and gathered again
// after the node changes.
class TXMLNodeList final : public IXMLNodeList {
public:
    enum class TKind { Children, Attributes };

    TXMLNodeList(const TXMLNodeObject& Owner, TKind Kind) : FOwner(Owner), FKind(Kind) {}

    Integer Count() const override { return Integer(Items().size()); }
    IXMLNode* Nodes(Integer Index) const override;
    IXMLNode* FindNode(const String& NodeName) const override;
    IXMLNode* First() const override;
    IXMLNode* Last() const override;
    Integer IndexOf(const IXMLNode* Node) const override;

    void Invalidate() { FValid = false; }

private:
    const std::vector<IXMLNode*>& Items() const;

    const TXMLNodeObject& FOwner;
    TKind FKind;
    mutable std::vector<IXMLNode*> FItems;
    mutable bool FValid = false;
};

class TXMLTree;

// One node of the tree. A namespace declaration, which libxml2 keeps apart
// from the attributes, is shown as an attribute node of its element.
class TXMLNodeObject final : public IXMLNode {
public:
    TXMLNodeObject(TXMLTree& Tree, xmlNodePtr Node) : FTree(Tree), FNode(Node) {}
    TXMLNodeObject(TXMLTree& Tree, xmlNsPtr Declaration) : FTree(Tree), FDeclaration(Declaration) {}
    TXMLNodeObject(const TXMLNodeObject&) = delete;
    TXMLNodeObject& operator=(const TXMLNodeObject&) = delete;

    TNodeType NodeType() const override;
    String NodeName() const override;
    String LocalName() const override;
    String Prefix() const override;
    String NamespaceURI() const override;
    String Text() const override;
    void SetText(const String& Value) override;
    String NodeValue() const override;
    bool HasChildNodes() const override;
    IXMLNodeList& ChildNodes() const override;
    IXMLNodeList& AttributeNodes() const override;
    bool HasAttribute(const String& Name) const override;
    String Attributes(const String& Name) const override;
    void SetAttributes(const String& Name, const String& Value) override;
    IXMLNode* ParentNode() const override;
    IXMLNode* NextSibling() const override;
    IXMLNode* PreviousSibling() const override;
    IXMLNode* AddChild(const String& TagName) override;
    TXMLDocument& OwnerDocument() const override;
    String XML() const override;

    void CollectChildren(std::vector<IXMLNode*>& Items) const;
    void CollectAttributes(std::vector<IXMLNode*>& Items) const;

private:
    bool IsAttribute() const { return FDeclaration || FNode->type == XML_ATTRIBUTE_NODE; }
    bool CanHaveChildren() const;
    void ChildrenChanged();

    TXMLTree& FTree;
    xmlNodePtr FNode = nullptr;      // every node but a namespace declaration
    xmlNsPtr FDeclaration = nullptr; // a namespace declaration
    mutable TXMLNodeList FChildNodes{*this, TXMLNodeList::TKind::Children};
    mutable TXMLNodeList FAttributeNodes{*this, TXMLNodeList::TKind::Attributes};
};

// A libxml2 document with the node objects handed out for it. Node objects
// are made on first use, in blocks (a large document has many), and live as
// long as the tree.
class TXMLTree {
public:
    TXMLTree(TXMLDocument& Owner, TXmlDocPtr Doc) : FOwner(Owner), FDoc(std::move(Doc)) {}
    ~TXMLTree();
    TXMLTree(const TXMLTree&) = delete;
    TXMLTree& operator=(const TXMLTree&) = delete;

    xmlDocPtr Doc() const { return FDoc.get(); }
    TXMLDocument& Owner() const { return FOwner; }

    // The node object of a libxml2 node, attribute or document; null for null.
    TXMLNodeObject* Wrap(xmlNodePtr Node);
    TXMLNodeObject* Wrap(xmlNsPtr Declaration);

    // Takes a node out of the tree but keeps it alive with the tree, so that
    // node objects already handed out for it and its content stay valid.
    void Detach(xmlNodePtr Node);

private:
    TXMLDocument& FOwner;
    TXmlDocPtr FDoc;
    std::deque<TXMLNodeObject> FNodes;
    std::unordered_map<xmlNsPtr, TXMLNodeObject*> FDeclarations;
    std::vector<xmlNodePtr> FDetached;
};

} // namespace detail
