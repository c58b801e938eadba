// HTML entities: escaping text for markup and back, the special-character
// table, and stripping tags.

#include "kel/RarEvads.h"
#include "rtl/Convert.h"
#include "rtl/StringUtils.h"

#include <array>

namespace {

struct TSpecialChar {
    const Char* Text;
    const Char* Entity;
};

// Rows 1 to 4 lack the leading "&"; row 5 holds a plain space, row 52 the
// text "(c)"; "&sect;" and "&para;" appear twice, and "&Otilde" has no ";".
constexpr std::array<TSpecialChar, 86> SpecialChars{{
    {u"&", u"amp;"},          {u"<", u"lt;"},           {u">", u"gt;"},           {u"\"", u"quot;"},
    {u" ", u"&nbsp;"},        {u"\u00E9", u"&eacute;"}, {u"\u00E8", u"&egrave;"}, {u"\u00EB", u"&euml;"},
    {u"\u00EA", u"&ecirc;"},  {u"\u00F3", u"&oacute;"}, {u"\u00F2", u"&ograve;"}, {u"\u00F6", u"&ouml;"},
    {u"\u00F4", u"&ocirc;"},  {u"\u00ED", u"&iacute;"}, {u"\u00EC", u"&igrave;"}, {u"\u00EF", u"&iuml;"},
    {u"\u00EE", u"&icirc;"},  {u"\u00FA", u"&uacute;"}, {u"\u00F9", u"&ugrave;"}, {u"\u00FC", u"&uuml;"},
    {u"\u00FB", u"&ucirc;"},  {u"\u00E1", u"&aacute;"}, {u"\u00E0", u"&agrave;"}, {u"\u00E4", u"&auml;"},
    {u"\u00E2", u"&acirc;"},  {u"\u00C9", u"&Eacute;"}, {u"\u00C8", u"&Egrave;"}, {u"\u00CB", u"&Euml;"},
    {u"\u00CA", u"&Ecirc;"},  {u"\u00D3", u"&Oacute;"}, {u"\u00D2", u"&Ograve;"}, {u"\u00D6", u"&Ouml;"},
    {u"\u00D4", u"&Ocirc;"},  {u"\u00CD", u"&Iacute;"}, {u"\u00CC", u"&Igrave;"}, {u"\u00CF", u"&Iuml;"},
    {u"\u00CE", u"&Icirc;"},  {u"\u00DA", u"&Uacute;"}, {u"\u00D9", u"&Ugrave;"}, {u"\u00DC", u"&Uuml;"},
    {u"\u00DB", u"&Ucirc;"},  {u"\u00C1", u"&Aacute;"}, {u"\u00C0", u"&Agrave;"}, {u"\u00C4", u"&Auml;"},
    {u"\u00C2", u"&Acirc;"},  {u"\u00E7", u"&ccedil;"}, {u"\u00C7", u"&Ccedil;"}, {u"\u00F8", u"&oslash;"},
    {u"\u00D8", u"&Oslash;"}, {u"\u00E5", u"&aring;"},  {u"\u00C5", u"&Aring;"},  {u"(c)", u"&copy;"},
    {u"\u00AE", u"&reg;"},    {u"\u20AC", u"&euro;"},   {u"\u00AB", u"&laquo;"},  {u"\u00BB", u"&raquo;"},
    {u"\u00E3", u"&atilde;"}, {u"\u00C3", u"&Atilde;"}, {u"\u00F5", u"&otilde;"}, {u"\u00D5", u"&Otilde"},
    {u"\u2122", u"&trade;"},  {u"\u00A7", u"&sect;"},   {u"\u00B6", u"&para;"},   {u"\u00DF", u"&szlig;"},
    {u"\u00A3", u"&pound;"},  {u"$", u"&#36;"},         {u"\u00A7", u"&sect;"},   {u"\u2030", u"&permil;"},
    {u"\u00B6", u"&para;"},   {u"'", u"&#39;"},         {u"\u00A5", u"&yen;"},    {u"\u00A4", u"&curren;"},
    {u"\u00A2", u"&cent;"},   {u"\u00B1", u"&plusmn;"}, {u"\u00A1", u"&iexcl;"},  {u"\u00B0", u"&deg;"},
    {u"\u00FD", u"&#x00FD;"}, {u"\u00DD", u"&#221;"},   {u"\u00BC", u"&frac14;"}, {u"\u00BD", u"&frac12;"},
    {u"\u00BE", u"&frac34;"}, {u"\u00C6", u"&AElig;"},  {u"\u00E6", u"&aelig;"},  {u"\u00D1", u"&Ntilde;"},
    {u"\u00F1", u"&ntilde;"}, {u"\u00D0", u"&ETH;"},
}};

// The table's entities as texts, for the index lookup.
const std::array<String, 86>& Entities() {
    static const std::array<String, 86> entities = [] {
        std::array<String, 86> result;
        for (std::size_t i = 0; i < SpecialChars.size(); ++i)
            result[i] = SpecialChars[i].Entity;
        return result;
    }();
    return entities;
}

// While `what` occurs with exactly that case, replaces its first occurrence
// found without regard to ASCII case (which may be another spelling of it).
void ReplaceWhileOccurs(String& text, const String& what, const String& by) {
    while (Pos(what, text) > 0)
        TRarEvads::TagReplaceString(what, by, text);
}

// Every character above 256 as a decimal character reference; a surrogate
// pair as the one character it encodes.
String EscapeWideCharacters(const String& text) {
    String result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char ch = text[i];
        if (ch <= 256) {
            result += ch;
            continue;
        }
        UInt64 code = ch;
        if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((UInt64(ch) - 0xD800) << 10) + (UInt64(text[i + 1]) - 0xDC00);
            ++i;
        }
        result += u"&#" + UIntToStr(code) + u";";
    }
    return result;
}

} // namespace

String TRarEvads::FixMarkup(const String& su, bool SpecialChars) {
    // Two passes for "&" so that the ampersands of inserted entities are not
    // escaped again.
    String result = StringReplace(su, u"&", u"*amp;", {rfReplaceAll});
    result = StringReplace(result, u"*amp;", u"&amp;", {rfReplaceAll});
    result = StringReplace(result, u"\"", u"&quot;", {rfReplaceAll});
    result = StringReplace(result, u"<", u"&lt;", {rfReplaceAll});
    result = StringReplace(result, u">", u"&gt;", {rfReplaceAll});
    if (!SpecialChars) return result;
    for (std::size_t row = 3; row < ::SpecialChars.size(); ++row)
        ReplaceWhileOccurs(result, ::SpecialChars[row].Text, ::SpecialChars[row].Entity);
    return EscapeWideCharacters(result);
}

String TRarEvads::UnFixMarkup(const String& su, bool SpecialChars) {
    String result = su;
    ReplaceWhileOccurs(result, u"&lt;", u"<");
    ReplaceWhileOccurs(result, u"&gt;", u">");
    ReplaceWhileOccurs(result, u"&amp;", u"&");
    ReplaceWhileOccurs(result, u"&quot;", u"\"");
    if (!SpecialChars) return result;
    for (std::size_t row = 3; row < ::SpecialChars.size(); ++row)
        ReplaceWhileOccurs(result, ::SpecialChars[row].Entity, ::SpecialChars[row].Text);
    return result;
}

String TRarEvads::GetSpecialChar(Integer Value) {
    if (Value < 1 || Value > Integer(SpecialChars.size())) return String();
    return SpecialChars[std::size_t(Value - 1)].Text;
}

Integer TRarEvads::GetMarkupIndex(const String& Markup) {
    return IndexOfTextInArray(Markup, Entities());
}

Integer TRarEvads::IndexOfTextInArray(const String& AText, std::span<const String> AValues) {
    // Accented entities differ from each other only by case (&eacute; and
    // &Eacute;), so for them the case counts.
    bool exact = false;
    for (const Char* accent : {u"cute", u"grave", u"uml", u"circ", u"tilde", u"ring", u"cedil"})
        if (Pos(accent, AText) > 0) exact = true;
    const String upperText = UpperCase(AText);
    for (std::size_t i = 0; i < AValues.size(); ++i) {
        if (exact ? AValues[i] == AText : UpperCase(AValues[i]) == upperText) return Integer(i);
    }
    return -1;
}

bool TRarEvads::IsHTML(const String& AValue) {
    return Pos(u"</", AValue) > 0 || Pos(u"/>", AValue) > 0 || Pos(u"<BR>", UpperCase(AValue)) > 0;
}

bool TRarEvads::IsHTMLUnicode(const String& AValue) {
    return IsHTML(AValue);
}

String TRarEvads::HTMLStrip(const String& AHTML) {
    String rest = StringReplace(AHTML, u"<BR>", u"\r\n", {rfReplaceAll, rfIgnoreCase});
    rest = StringReplace(rest, u"<HR>", u"\r\n", {rfReplaceAll, rfIgnoreCase});
    String result;
    std::size_t from = 0;
    while (true) {
        const std::size_t open = rest.find(u'<', from);
        // A tag ends at the first ">" after its "<"; a "<" that is never
        // closed is plain text, copied once.
        const std::size_t close = open == String::npos ? String::npos : rest.find(u'>', open);
        if (close == String::npos) break;
        result.append(rest, from, open - from);
        from = close + 1;
    }
    result.append(rest, from);
    return result;
}
