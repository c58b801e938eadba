// Rich Text Format read by the rich edit's document: bytes that are not RTF
// are refused with ERichTextError; a document that loads is written out
// again, and what was written reads back to the same text.

#include "vcl/RichDocument.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    TRichDocument document;
    try {
        document.LoadRtf(bytes);
    } catch (const ERichTextError&) {
        return 0; // not RTF: the expected outcome
    }
    for (Integer i = 0; i < document.Length(); ++i) {
        document.Format(i);
        document.ParagraphAlignment(i);
    }
    TRichDocument again;
    again.LoadRtf(document.SaveRtf());
    if (again.Text() != document.Text()) std::abort(); // the writer lost or changed text
    return 0;
}
