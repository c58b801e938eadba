// A markup text made ready for layout, in both dialects.

#include "gridbase/MarkupEntities.h"
#include "gridbase/MarkupText.h"
#include "rtl/StringUtils.h"

namespace {

bool KeepLineBreaks = true;

String PrepareTags(const String& text, bool keepBreaks) {
    return LineBreaksToMarkup(DecodeNumericEntities(StripHashTags(text)), keepBreaks);
}

} // namespace

void SetMarkupKeepLineBreaks(bool AKeep) {
    KeepLineBreaks = AKeep;
}

bool MarkupKeepLineBreaks() {
    return KeepLineBreaks;
}

String PrepareMarkupText(const String& AText) {
    String text = AText;
    if (text.find(u'&') != String::npos) {
        // Repeated while an "&amp;" is left; each round shortens the text.
        bool replaced = false;
        do {
            const std::size_t at = text.find(u"&amp;");
            replaced = at != String::npos;
            if (replaced) text.replace(at, 5, u"&&");
            text = UnescapeMarkupForDraw(text, true);
        } while (replaced);
    }
    return PrepareTags(text, KeepLineBreaks);
}

String PrepareStaticMarkupText(const String& AText, bool AKeepBreaks) {
    String text = AText;
    if (text.find(u'&') != String::npos) {
        text = DecodeStaticMarkupEntities(text);
        text = StringReplace(text, u"&amp;", u"&&", {rfReplaceAll});
    }
    return PrepareTags(text, AKeepBreaks);
}
