// Cell text kinds, HTML escaping, links and the HTML clipboard wrapper.

#include "gridbase/RarEvad.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Format.h"
#include "rtl/StringUtils.h"

namespace {

bool StartsWith(const String& text, std::u16string_view prefix) {
    return text.starts_with(prefix);
}

// Letters, digits and !%&()-./:=?@_{} of the first 256 characters.
bool IsURLChar(Char c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) return true;
    return std::u16string_view(u"!%&()-./:=?@_{}").find(c) != std::u16string_view::npos;
}

// The two characters after a "<" that start a tag of the cell markup.
bool IsTagStart(Char first, Char second) {
    if (first == u'/') return true;
    const String pair = UpperCase(String{first, second});
    for (const auto tag : {u"IM", u"IN", u"BR", u"HR", u"CO"})
        if (pair == tag) return true;
    return false;
}

} // namespace

TCellTextKind GetCellTextKind(const String& text, bool detectHTML) {
    // The blank lets the tag test look two characters past any "<".
    const String padded = text + u' ';
    if (text.empty()) return ctPlain;
    if (padded.front() == u'=' && padded.find(u"</") == String::npos) return ctFormula;
    if (StartsWith(padded, u"|\\")) {
        const bool formula = padded.size() > 3 && padded[2] == 0 && padded[3] == u'=';
        return formula ? ctFormula : ctWideText;
    }
    if (StartsWith(padded, u"{\\")) return ctRTF;
    if (detectHTML)
        for (std::size_t i = 0; i + 2 < padded.size(); ++i)
            if (padded[i] == u'<' && IsTagStart(padded[i + 1], padded[i + 2])) return ctHTML;
    return IsURLText(text) ? ctURL : ctPlain;
}

String EscapeNonLatin1(const String& text) {
    String result;
    result.reserve(text.size());
    for (const Char c : text) {
        if (c >= 256) {
            result += u"&#";
            result += IntToStr(c);
            result += u';';
        } else {
            result += c;
        }
    }
    return result;
}

String CRToBreakTags(const String& text) {
    return StringReplace(text, u"\r", u"<br>", {rfReplaceAll});
}

String ColorToHexRGB(TColor color) {
    const Cardinal value = Cardinal(color);
    return IntToHex(Integer(value & 0xFF), 2) + IntToHex(Integer((value >> 8) & 0xFF), 2) +
           IntToHex(Integer((value >> 16) & 0xFF), 2);
}

void WrapClipboardHTML(String& html) {
    static const String DocType = u"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">";
    static const String Head = u"<html><head><META http-equiv=Content-Type content=\"text/html; "
                               u"charset=utf-8\"></head><body><!--StartFragment-->";
    static const String Tail = u"<!--EndFragment--></body></html>";
    const auto header = [](Integer startHTML, Integer endHTML, Integer startFragment, Integer endFragment) {
        return Format(
            u"Version:1.0\r\nStartHTML:%.8d\r\nEndHTML:%.8d\r\nStartFragment:%.8d\r\nEndFragment:%.8d\r\n",
            {startHTML, endHTML, startFragment, endFragment});
    };
    // Every number has 8 digits, so the header's length is fixed.
    const Integer startHTML = Length(header(0, 0, 0, 0));
    const Integer startFragment = startHTML + Length(DocType) + Length(Head);
    const Integer endFragment = startFragment + Integer(Utf8(html).size());
    const Integer endHTML = endFragment + Length(Tail);
    html = header(startHTML, endHTML, startFragment, endFragment) + DocType + Head + html + Tail;
}

bool IsURLText(const String& text) {
    return Pos(u"://", text) > 0 || Pos(u"mailto:", text) > 0;
}

void StripURLScheme(String& text) {
    if (const Integer at = Pos(u"://", text); at > 0)
        Delete(text, 1, at + 2);
    else if (const Integer mail = Pos(u"mailto:", text); mail > 0)
        Delete(text, 1, mail + 6);
}

bool LinkifyURL(const String& text, const String& prefix, String& html) {
    if (Pos(prefix, UpperCase(text)) == 0) return false;
    const String escaped =
        StringReplace(StringReplace(text, u"<", u"&lt;", {rfReplaceAll}), u">", u"&gt;", {rfReplaceAll});
    const std::size_t start = std::size_t(Pos(prefix, UpperCase(escaped)) - 1);
    std::size_t end = start;
    while (end < escaped.size() && IsURLChar(escaped[end]))
        ++end;
    const String link = escaped.substr(start, end - start);
    html = escaped.substr(0, start) + u"<a href=\"" + link + u"\">" + link + u"</a>" + escaped.substr(end);
    return true;
}
