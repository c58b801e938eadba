// The one-line storage forms of multi-line cell texts, and lines of a text.

#include "graphics/Canvas.h"
#include "gridbase/RarEvad.h"
#include "rtl/StringUtils.h"

#include <algorithm>

namespace {

constexpr Char CR = 13;
constexpr Char LF = 10;
constexpr Char VT = 11;
const String CRLF = u"\r\n";

bool Holds(const String& text, Char ch) {
    return text.find(ch) != String::npos;
}

} // namespace

String EncodeLineBreaks(const String& text) {
    if (!Holds(text, CR)) return text;
    String result = text;
    for (Char& c : result) {
        if (c == CR)
            c = 9;
        else if (c == LF)
            c = 8;
        else if (c == 0)
            c = 1;
    }
    return result;
}

String DecodeLineBreaks(const String& text, bool keepAll) {
    String result = text;
    if (Holds(result, 8))
        for (Char& c : result) {
            if (c == 9)
                c = CR;
            else if (c == 8)
                c = LF;
            else if (c == 1)
                c = 0;
        }
    if (keepAll) return result;
    String line;
    TakeFirstLine(result, false, line);
    return line;
}

String LineBreaksToEscapes(const String& text) {
    String result;
    for (const Char c : text) {
        if (c == CR)
            result += u"\\n";
        else if (c != LF)
            result += c;
    }
    return result;
}

String EscapedNewlinesToCR(const String& text) {
    return StringReplace(text, u"\\n", String(1, CR), {rfReplaceAll});
}

String LineBreaksToTildes(const String& text) {
    String result;
    for (const Char c : text) {
        if (c == CR)
            result += u'~';
        else if (c != LF)
            result += c;
    }
    return result;
}

String TildesToLineBreaks(const String& text) {
    if (text == u"^") return String();
    return StringReplace(text, u"~", CRLF, {rfReplaceAll});
}

// Inner quotes are doubled so the result is one valid CSV field.
void QuoteMultilineCell(String& text) {
    String quoted(1, u'"');
    quoted += StringReplace(StringReplace(text, u"\"", u"\"\"", {rfReplaceAll}), CRLF, String(1, VT), {rfReplaceAll});
    quoted += u'"';
    text = std::move(quoted);
}

void VerticalTabsToCRLF(String& text) {
    if (Holds(text, VT)) text = StringReplace(text, String(1, VT), CRLF, {rfReplaceAll});
}

void CRLFToLF(String& text) {
    text = StringReplace(text, CRLF, String(1, LF), {rfReplaceAll});
}

String StripCarriageReturns(const String& text) {
    String result = text;
    std::erase(result, CR);
    return result;
}

String CarriageReturnsToLF(const String& text) {
    String result = text;
    std::replace(result.begin(), result.end(), CR, LF);
    return result;
}

void TakeFirstLine(String& source, bool keepRest, String& line) {
    const std::size_t at = source.find(CR);
    if (at == String::npos) {
        line = source;
        source.clear();
        return;
    }
    line = source.substr(0, at);
    std::size_t rest = at + 1;
    if (rest < source.size() && source[rest] == LF) ++rest;
    if (keepRest)
        source.erase(0, rest);
    else
        source.clear();
}

Integer CountTextLines(const String& text, bool count) {
    if (!count) return 1;
    Integer lines = 1;
    String rest = text, line;
    while (Holds(rest, CR)) {
        TakeFirstLine(rest, true, line);
        if (!rest.empty()) ++lines;
    }
    return lines;
}

String WidestTextLine(TCanvas& canvas, const String& text) {
    String rest = text, line, widest;
    Integer widestWidth = -1;
    while (!rest.empty()) {
        TakeFirstLine(rest, true, line);
        const Integer width = line.empty() ? 0 : canvas.TextWidth(line);
        if (width > widestWidth) {
            widest = line;
            widestWidth = width;
        }
    }
    return widest;
}
