// XML documents: bytes decoded by their byte-order mark or declaration and
// parsed; a document that loads is walked and written out again.

#include "rtl/Stream.h"
#include "xml/XMLDocument.h"

#include <cstdint>

namespace {

void Walk(IXMLNode& node, int depth) {
    if (depth > 64) return;
    for (Integer i = 0; i < node.ChildNodes().Count(); ++i)
        Walk(*node.ChildNodes().Nodes(i), depth + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBytesStream stream(TBytes(data, data + size));
    TXMLDocument document;
    try {
        document.LoadFromStream(stream);
    } catch (const EXMLDocError&) {
        return 0; // not well-formed, or refused: the expected outcome
    }
    if (IXMLNode* root = document.DocumentElement()) Walk(*root, 0);
    document.XML();
    return 0;
}
