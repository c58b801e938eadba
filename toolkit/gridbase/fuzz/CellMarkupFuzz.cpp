// Cell markup: the text operations on a markup text (plain text, tags and
// entities in both dialects), and the entity round trip: encoding any text
// and decoding it again gives the text back exactly.

#include "gridbase/MarkupEntities.h"
#include "gridbase/MarkupText.h"
#include "rtltesting/FuzzInput.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const String text = FuzzText(data, size);
    MarkupToPlainText(text);
    StaticMarkupToPlainText(text);
    StripMarkupTags(text);
    StripHashTags(text);
    PrepareMarkupText(text);
    PrepareStaticMarkupText(text, true);
    HighlightInMarkup(text, u"a", u"b", false, false);
    RemoveMarkupTag(text, u"b");
    DecodeNumericEntities(text);
    UnescapeMarkupForDraw(text, true);
    for (const bool full : {false, true})
        if (DecodeMarkupEntities(EncodeMarkupEntities(text, full), full) != text) std::abort();
    return 0;
}
