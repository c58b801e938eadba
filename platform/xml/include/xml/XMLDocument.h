#pragma once
// The XML document object: parses text, files and streams into a tree of
// nodes, lets callers walk and build that tree, and writes it back out.
//
// Reading is safe for documents from anywhere:
// - nothing is ever fetched: no network access, no external DTD, no external
//   entity. A document type declaration is accepted; its external subset is
//   ignored. A document that refers to an external entity is refused with
//   EDOMParseError, so content that was not read never goes missing silently;
// - entities declared in the document's internal subset are expanded in text
//   and attribute values; entity nesting that would explode is refused;
// - CDATA sections are read as ordinary text;
// - text nodes that hold only white space and stand next to other nodes (the
//   indentation between elements) are dropped, unless xml:space="preserve"
//   is in force; white space that is the whole content of an element stays.
//   All other text is kept exactly as written.
//
// Names and values are UTF-16 Strings. Node objects belong to their
// document: a node pointer stays valid until the document is loaded anew,
// deactivated or destroyed.

#include "rtl/Exception.h"
#include "rtl/Types.h"

#include <memory>

class TStream;
class TXMLDocument;

// Any misuse of a document or a node: no active document, an invalid name,
// a text that XML cannot hold, a second document element.
class EXMLDocError : public Exception {
public:
    using Exception::Exception;
};

// Text that is not well-formed XML, or that refers to an external entity.
// Message: "<Reason> (line <Line>, column <LinePos>)".
class EDOMParseError : public EXMLDocError {
public:
    EDOMParseError(Integer ErrorCode, const String& Reason, Integer Line, Integer LinePos);

    Integer ErrorCode() const { return FErrorCode; } // the parser's error number, never 0
    const String& Reason() const { return FReason; } // the parser's own description
    Integer Line() const { return FLine; }           // 1-based; 0 when unknown
    Integer LinePos() const { return FLinePos; }     // 1-based column; 0 when unknown

private:
    Integer FErrorCode;
    String FReason;
    Integer FLine;
    Integer FLinePos;
};

// The kind of a node, numbered as in the DOM.
enum TNodeType {
    ntReserved,
    ntElement,
    ntAttribute,
    ntText,
    ntCData,
    ntEntityRef,
    ntEntity,
    ntProcessingInstr,
    ntComment,
    ntDocument,
    ntDocType,
    ntDocFragment,
    ntNotation
};

class IXMLNode;

// The child nodes or the attribute nodes of a node, in document order.
class IXMLNodeList {
public:
    virtual Integer Count() const = 0;
    // Raises EListError "List index out of bounds (<Index>)" outside 0 .. Count - 1.
    virtual IXMLNode* Nodes(Integer Index) const = 0;
    // The first node of that name (with its prefix, compared exactly); null when none.
    virtual IXMLNode* FindNode(const String& NodeName) const = 0;
    virtual IXMLNode* First() const = 0;                     // null when empty
    virtual IXMLNode* Last() const = 0;                      // null when empty
    virtual Integer IndexOf(const IXMLNode* Node) const = 0; // -1 when absent

protected:
    ~IXMLNodeList() = default;
};

class IXMLNode {
public:
    virtual TNodeType NodeType() const = 0;
    // The qualified name, prefix included ("xlink:href"); "#text", "#comment",
    // "#document" for the nodes without a name of their own.
    virtual String NodeName() const = 0;
    virtual String LocalName() const = 0;    // the name without its prefix
    virtual String Prefix() const = 0;       // empty without one
    virtual String NamespaceURI() const = 0; // empty outside any namespace

    // The text content: an attribute's value; a text, comment or processing
    // instruction's content; the concatenated text of an element and all its
    // descendants. Setting an element's text replaces all its children with
    // one text node.
    virtual String Text() const = 0;
    virtual void SetText(const String& Value) = 0;
    // Text, comment, processing instruction and attribute nodes: their
    // content; every other kind of node has no value (empty).
    virtual String NodeValue() const = 0;

    // Children exist for element and document nodes only; the lists of all
    // other nodes are empty. Attribute nodes include namespace declarations
    // ("xmlns", "xmlns:xlink"), listed before the other attributes.
    virtual bool HasChildNodes() const = 0;
    virtual IXMLNodeList& ChildNodes() const = 0;
    virtual IXMLNodeList& AttributeNodes() const = 0;

    // Attributes by qualified name ("xlink:href"). Reading an absent
    // attribute gives the empty string.
    virtual bool HasAttribute(const String& Name) const = 0;
    virtual String Attributes(const String& Name) const = 0;
    // Element nodes only; adds the attribute or replaces its value.
    virtual void SetAttributes(const String& Name, const String& Value) = 0;

    // Null at the ends of the tree; attributes have no parent or siblings.
    virtual IXMLNode* ParentNode() const = 0;
    virtual IXMLNode* NextSibling() const = 0;
    virtual IXMLNode* PreviousSibling() const = 0;

    // Appends a new element (element and document nodes only). A prefix in
    // TagName is bound to the namespace that prefix names here; without a
    // prefix the element joins the default namespace in force here.
    virtual IXMLNode* AddChild(const String& TagName) = 0;

    virtual TXMLDocument& OwnerDocument() const = 0;
    // The node and its content written as XML text.
    virtual String XML() const = 0;

protected:
    ~IXMLNode() = default;
};

namespace detail {
class TXMLTree;
}

class TXMLDocument {
public:
    TXMLDocument();
    ~TXMLDocument();
    TXMLDocument(const TXMLDocument&) = delete;
    TXMLDocument& operator=(const TXMLDocument&) = delete;

    // Loading replaces the whole document; when it fails (EDOMParseError,
    // or the file's open error) the document stays as it was.
    // Bytes from a file or stream are decoded as their byte-order mark or
    // encoding declaration says (UTF-8 when neither does).
    void LoadFromFile(const String& FileName);
    // Reads from the stream's position to its end.
    void LoadFromStream(TStream& Stream);
    // The text is already decoded: its encoding declaration is not used.
    void LoadFromXML(const String& XML);

    // Writes the document, indented where no text is affected, in its
    // encoding (the one it was read in, or SetEncoding's; UTF-8 by
    // default). Raise EXMLDocError "No active document" when inactive.
    void SaveToFile(const String& FileName) const;
    void SaveToStream(TStream& Stream) const;
    // The document as text, declared as UTF-8; empty when inactive.
    String XML() const;

    // A document is active while it holds a tree. Activating an inactive
    // document gives an empty tree; deactivating releases the tree and every
    // node of it.
    bool Active() const { return FTree != nullptr; }
    void SetActive(bool Value);

    // Null when inactive or when the document has no element yet.
    IXMLNode* DocumentElement() const;
    // The document node; its children are the document type, the document
    // element and the comments and processing instructions around it.
    // Raises EXMLDocError "No active document" when inactive.
    IXMLNode& Node() const;
    IXMLNodeList& ChildNodes() const { return Node().ChildNodes(); }
    // Creates the document element (activating the document when needed);
    // raises EXMLDocError when there is one already.
    IXMLNode* AddChild(const String& TagName);

    // The encoding the document is written in; empty when undeclared.
    String Encoding() const;
    void SetEncoding(const String& Value);
    String Version() const;

private:
    detail::TXMLTree& Tree() const;
    void Replace(std::unique_ptr<detail::TXMLTree> Tree);

    std::unique_ptr<detail::TXMLTree> FTree;
};
