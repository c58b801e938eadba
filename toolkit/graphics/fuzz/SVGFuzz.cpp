// SVG documents: parsed into the engine's element tree (path data,
// transforms, styles, references and the view rectangle among it).

#include "kel/KelGraphicsSVGEngine.h"
#include "rtl/Stream.h"
#include "xml/XMLDocument.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TBytesStream stream(TBytes(data, data + size));
    TKelGraphicsSVGImport svg;
    try {
        svg.LoadFromStream(&stream);
    } catch (const EXMLDocError&) {
        // Not well-formed XML: the one error loading raises.
    }
    return 0;
}
