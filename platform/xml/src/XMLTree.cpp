#include "XMLTree.h"

namespace detail {

TXMLTree::~TXMLTree() {
    for (xmlNodePtr Node : FDetached)
        xmlFreeNode(Node);
}

TXMLNodeObject* TXMLTree::Wrap(xmlNodePtr Node) {
    if (!Node) return nullptr;
    if (!Node->_private) {
        Node->_private = &FNodes.emplace_back(*this, Node);
    }
    return static_cast<TXMLNodeObject*>(Node->_private);
}

TXMLNodeObject* TXMLTree::Wrap(xmlNsPtr Declaration) {
    if (!Declaration) return nullptr;
    TXMLNodeObject*& Object = FDeclarations[Declaration];
    if (!Object) Object = &FNodes.emplace_back(*this, Declaration);
    return Object;
}

void TXMLTree::Detach(xmlNodePtr Node) {
    xmlUnlinkNode(Node);
    FDetached.push_back(Node);
}

} // namespace detail
