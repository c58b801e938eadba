// The static-text control's builds of the plain-text, highlight and
// tag-removal operations.

#include "MarkupTextDetail.h"
#include "gridbase/MarkupText.h"
#include "rtl/StringUtils.h"

#include <vector>

namespace {

// Every section from `open` to the next `close` (exact case) removed with
// its tags; one left open runs to the end.
String DropSections(const String& text, std::u16string_view open, std::u16string_view close) {
    String result;
    std::size_t from = 0;
    for (std::size_t at = text.find(open); at != String::npos; at = text.find(open, from)) {
        result.append(text, from, at - from);
        const std::size_t end = text.find(close, at + open.size());
        if (end == String::npos) return result;
        from = end + close.size();
    }
    result.append(text, from);
    return result;
}

} // namespace

String StaticMarkupToPlainText(const String& AText) {
    String text = detail::BreakTagsToCrLf(AText);
    text = DropSections(text, u"<z>", u"</z>");
    text = DropSections(text, u"<Z>", u"</Z>");
    return detail::DropTags(text);
}

String StaticHighlightInMarkup(const String& AText, const String& ASearch, const String& ATag,
                               bool ACaseSensitive) {
    // Markup index of every visible character, found as the plain text is.
    std::vector<std::size_t> visible;
    for (std::size_t i = 0; i < AText.size(); ++i) {
        if (AText[i] != u'<') {
            visible.push_back(i);
            continue;
        }
        const std::size_t close = AText.find(u'>', i);
        if (close == String::npos) break;
        i = close;
    }
    String plain;
    plain.reserve(visible.size());
    for (std::size_t index : visible)
        plain += AText[index];
    String search = ASearch;
    if (!ACaseSensitive) {
        plain = WideUpperCase(plain);
        search = WideUpperCase(search);
    }
    if (search.empty()) return AText;
    // A tag for visible character n goes just after character n - 1, so in
    // front of the tags that directly precede character n.
    const auto insertionPoint = [&](std::size_t n) {
        if (n >= visible.size()) return AText.size();
        return n == 0 ? std::size_t(0) : visible[n - 1] + 1;
    };
    const String open = u"<" + ATag + u">";
    const String close = u"</" + ATag + u">";
    String result;
    std::size_t from = 0;
    for (std::size_t at = plain.find(search); at != String::npos;
         at = plain.find(search, at + search.size())) {
        const std::size_t start = insertionPoint(at);
        const std::size_t end = insertionPoint(at + search.size());
        result.append(AText, from, start - from);
        result += open;
        result.append(AText, start, end - start);
        result += close;
        from = end;
    }
    result.append(AText, from);
    return result;
}

String StaticRemoveMarkupTag(const String& AText, const String& ATag) {
    return detail::RemoveTagForms(AText, ATag);
}
