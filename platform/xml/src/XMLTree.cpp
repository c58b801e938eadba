#include "XMLTree.h"

namespace detail {

TXMLTree::~TXMLTree() {
    for (xmlNodePtr Node : FDetached)
        xmlFreeNode(Node);
}

TXMLNodeObject* TXMLTree::Wrap(xmlNodePtr Node) {
    if (!Node) return nullptr;
    if (!Node->_private) {
        FNodes.push_back(std::make_unique<TXMLNodeObject>(*this, Node));
        Node->_private = FNodes.back().get();
    }
    return static_cast<TXMLNodeObject*>(Node->_private);
}

TXMLNodeObject* TXMLTree::Wrap(xmlNsPtr Declaration) {
    if (!Declaration) return nullptr;
    TXMLNodeObject*& Object = FDeclarations[Declaration];
    if (!Object) {
        FNodes.push_back(std::make_unique<TXMLNodeObject>(*this, Declaration));
        Object = FNodes.back().get();
    }
    return Object;
}

void TXMLTree::Detach(xmlNodePtr Node) {
    xmlUnlinkNode(Node);
    FDetached.push_back(Node);
}

} // namespace detail
