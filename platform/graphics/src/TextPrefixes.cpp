#include "TextPrefixes.h"

#include "graphics/GdiText.h"

namespace detail {

TPrefixedText StripPrefixes(const String& text, Cardinal format) {
    TPrefixedText result;
    result.Text.reserve(text.size());
    const bool prefixes = !(format & DT_NOPREFIX);
    const bool underline = !(format & DT_HIDEPREFIX);
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool marked = false;
        if (prefixes && text[i] == u'&') {
            if (++i == text.size()) break;
            marked = underline && text[i] != u'&';
        }
        result.Text += text[i];
        result.Marks.push_back(marked);
    }
    return result;
}

} // namespace detail
