// Plain text, tag stripping, line breaks, highlighting and tag removal on
// markup text.

#include "gridbase/MarkupText.h"

#include "MarkupTextDetail.h"
#include "gridbase/MarkupEntities.h"
#include "rtl/StringUtils.h"

#include <vector>

namespace detail {

String BreakTagsToCrLf(const String& text) {
    const String result = StringReplace(text, u"<BR>", u"\r\n", {rfReplaceAll, rfIgnoreCase});
    return StringReplace(result, u"<HR>", u"\r\n", {rfReplaceAll, rfIgnoreCase});
}

String DropTags(const String& text) {
    String result;
    result.reserve(text.size());
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t open = text.find(u'<', from);
        if (open == String::npos) break;
        result.append(text, from, open - from);
        const std::size_t close = text.find(u'>', open);
        if (close == String::npos) return result;
        from = close + 1;
    }
    if (from < text.size()) result.append(text, from);
    return result;
}

String RemoveTagForms(const String& text, const String& tag) {
    const String result = StringReplace(text, u"<" + tag + u">", u"", {rfReplaceAll, rfIgnoreCase});
    return StringReplace(result, u"</" + tag + u">", u"", {rfReplaceAll, rfIgnoreCase});
}

} // namespace detail

namespace {

struct TMatch {
    std::size_t Start;
    std::size_t Length;
};

// Non-overlapping matches from left to right; none for an empty search.
std::vector<TMatch> FindMatches(const String& text, const String& search) {
    std::vector<TMatch> matches;
    if (search.empty()) return matches;
    for (std::size_t at = text.find(search); at != String::npos; at = text.find(search, at + search.size()))
        matches.push_back({at, search.size()});
    return matches;
}

bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && UpperCase(text.substr(0, prefix.size())) == prefix;
}

// Copies markup to `out` while counting its visible characters: a tag is
// copied whole without counting, an entity ("&" to ";" or to the end) counts
// as one character.
class TMarkupCopier {
public:
    TMarkupCopier(const String& markup, String& out) : FMarkup(markup), FOut(out) {}

    bool AtEnd() const { return FIndex >= FMarkup.size(); }
    bool AtTag() const { return !AtEnd() && FMarkup[FIndex] == u'<'; }
    std::size_t Visible() const { return FVisible; }

    std::u16string_view CopyTag() {
        const std::size_t close = FMarkup.find(u'>', FIndex);
        return CopyUpTo(close == String::npos ? FMarkup.size() : close + 1);
    }
    void CopyCharacter() {
        std::size_t end = FIndex + 1;
        if (FMarkup[FIndex] == u'&') {
            const std::size_t semicolon = FMarkup.find(u';', FIndex);
            end = semicolon == String::npos ? FMarkup.size() : semicolon + 1;
        }
        CopyUpTo(end);
        ++FVisible;
    }
    void CopyRest() { CopyUpTo(FMarkup.size()); }

private:
    std::u16string_view CopyUpTo(std::size_t end) {
        const std::u16string_view part = std::u16string_view(FMarkup).substr(FIndex, end - FIndex);
        FOut += part;
        FIndex = end;
        return part;
    }

    const String& FMarkup;
    String& FOut;
    std::size_t FIndex = 0;
    std::size_t FVisible = 0;
};

String HighlightMarkupMatches(const String& markup, const std::vector<TMatch>& matches, const String& open,
                              const String& close) {
    String result;
    result.reserve(markup.size() + matches.size() * (open.size() + close.size()));
    TMarkupCopier copier(markup, result);
    for (const TMatch& match : matches) {
        // Tags directly before the first matched character stay outside.
        while (!copier.AtEnd() && (copier.Visible() < match.Start || copier.AtTag())) {
            if (copier.AtTag())
                copier.CopyTag();
            else
                copier.CopyCharacter();
        }
        result += open;
        while (!copier.AtEnd() && copier.Visible() < match.Start + match.Length) {
            if (!copier.AtTag()) {
                copier.CopyCharacter();
                continue;
            }
            // "</FONT>" resets the colour: reopen the highlight after it.
            if (StartsWithNoCase(copier.CopyTag(), u"</FONT")) result += close + open;
        }
        result += close;
    }
    copier.CopyRest();
    return result;
}

String HighlightPlainMatches(const String& text, const std::vector<TMatch>& matches, const String& open,
                             const String& close) {
    String result;
    std::size_t from = 0;
    for (const TMatch& match : matches) {
        result += EncodeMarkupEntities(text.substr(from, match.Start - from), false);
        result += open + EncodeMarkupEntities(text.substr(match.Start, match.Length), false) + close;
        from = match.Start + match.Length;
    }
    return result + EncodeMarkupEntities(text.substr(from), false);
}

} // namespace

String MarkupToPlainText(const String& AText) {
    return detail::DropTags(detail::BreakTagsToCrLf(AText));
}

String StripMarkupTags(const String& AText) {
    String result;
    std::size_t from = 0;
    while (true) {
        const std::size_t open = AText.find(u'<', from);
        const std::size_t close = AText.find(u'>', from);
        if (open == String::npos || close == String::npos || close < open) break;
        result.append(AText, from, open - from);
        from = close + 1;
    }
    result.append(AText, from);
    return result;
}

String StripHashTags(const String& AText) {
    String result = AText;
    for (std::size_t at = result.find(u"<#"); at != String::npos; at = result.find(u"<#", at)) {
        result.erase(at, 1);
        const std::size_t close = result.find(u'>', at);
        if (close != String::npos) result.erase(close, 1);
    }
    return result;
}

String LineBreaksToMarkup(const String& AText, bool AKeepBreaks) {
    String text;
    text.reserve(AText.size());
    for (Char ch : AText)
        if (ch != u'\n') text += ch;
    String result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r') {
            result += text[i];
        } else if (AKeepBreaks) {
            result += u"<BR>";
        } else {
            const bool betweenTags =
                i > 0 && text[i - 1] == u'>' && i + 1 < text.size() && text[i + 1] == u'<';
            if (!betweenTags) result += u' ';
        }
    }
    return result;
}

String HighlightInMarkup(const String& AText, const String& ASearch, const String& ATag, bool AWholeText,
                         bool ACaseSensitive) {
    const String tag = UpperCase(ATag);
    const String open = u"<" + tag + u">";
    const String close = u"</" + tag + u">";
    const String text = detail::RemoveTagForms(AText, tag);
    const bool isMarkup = text.find(u"</") != String::npos;
    String compared = isMarkup ? DecodeMarkupEntities(StripMarkupTags(text), true) : text;
    String search = ASearch;
    if (!ACaseSensitive) {
        compared = WideUpperCase(compared);
        search = WideUpperCase(search);
    }
    if (AWholeText) {
        if (compared != search) return text;
        return open + (isMarkup ? text : EncodeMarkupEntities(text, true)) + close;
    }
    const std::vector<TMatch> matches = FindMatches(compared, search);
    if (matches.empty()) return text;
    return isMarkup ? HighlightMarkupMatches(text, matches, open, close)
                    : HighlightPlainMatches(text, matches, open, close);
}

String RemoveMarkupTag(const String& AText, const String& ATag) {
    const bool hadClosingTags = AText.find(u"</") != String::npos;
    const String result = detail::RemoveTagForms(AText, ATag);
    if (hadClosingTags && result.find(u"</") == String::npos) return DecodeMarkupEntities(result, false);
    return result;
}
