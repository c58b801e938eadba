// Quoting, splitting and counting for the CSV formats of the grid.

#include "gridbase/RarEvad.h"
#include "rtl/StringList.h"

#include <algorithm>

String EscapeQuotes(const String& text) {
    String result;
    result.reserve(text.size());
    for (const Char c : text) {
        result += c;
        if (c == u'"') result += c;
    }
    return result;
}

String StripEnclosingQuotes(const String& text) {
    if (text.size() >= 3 && text.front() == u'"' && text.back() == u'"')
        return text.substr(1, text.size() - 2);
    return text;
}

void SplitAndQuote(Char separator, const String& text, TStrings& list) {
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        const String part = text.substr(start, end - start);
        list.Add(part.find(u' ') != String::npos ? u"\"" + part + u"\"" : part);
        if (end == text.size()) break;
        start = end + 1;
    }
}

Integer FindClosingQuote(Char quoteChar, const String& text, Integer& pos) {
    pos = 0;
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        if (text[i] != quoteChar) {
            ++i;
            continue;
        }
        const std::size_t runStart = i;
        while (i < n && text[i] == quoteChar)
            ++i;
        if (i == n || (i - runStart) % 2 == 1) {
            pos = Integer(i);
            break;
        }
    }
    return pos;
}

Integer CountUnquotedChar(Char ch, const String& text) {
    Char openQuote = 0;
    Integer outside = 0, all = 0;
    for (const Char c : text) {
        if (c == ch) {
            ++all;
            if (openQuote == 0) ++outside;
        }
        if (c == u'"' || c == u'\'') {
            if (openQuote == 0)
                openQuote = c;
            else if (openQuote == c)
                openQuote = 0;
        }
    }
    return openQuote == 0 ? outside : all;
}

Integer CountCharWithDelimiter(Char ch, Char /*delimiter*/, const String& text) {
    return CountCharInText(ch, text);
}

Integer CountCharInText(Char ch, const String& text) {
    return Integer(std::count(text.begin(), text.end(), ch));
}

String CollapseDoubledChar(Char ch, const String& text) {
    String result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == ch && i + 1 < text.size() && text[i + 1] == ch) ++i;
    }
    return result;
}

// The grid's CSV files are UTF-16 or UTF-8 text; there is no OEM code page
// to convert to.
void ConvertToOEM(String& /*text*/) {}

void ConvertFromOEM(String& /*text*/) {}
