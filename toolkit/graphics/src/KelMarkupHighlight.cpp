// Highlighting search matches in a marked-up text, and counting its visible
// characters.

#include "kel/KelMarkupRenderer.h"

#include "kel/RarEvads.h"
#include "rtl/StringUtils.h"

#include <utility>
#include <vector>

namespace {

bool IsLineTag(const String& ATag) {
    const String Upper = UpperCase(ATag);
    return Upper == u"<BR>" || Upper == u"<HR>";
}

// The text as HTMLStrip gives it, with, for every character of it, the
// 0-based index in AText just after the character it stands for (the line
// breaks of BR and HR: just after their tag).
String StripWithPositions(const String& AText, std::vector<std::size_t>& AEnds) {
    String Result;
    std::size_t I = 0;
    while (I < AText.size()) {
        if (AText[I] == u'<') {
            const std::size_t Close = AText.find(u'>', I);
            if (Close != String::npos) {
                if (IsLineTag(AText.substr(I, Close - I + 1))) {
                    Result += u"\r\n";
                    AEnds.push_back(Close + 1);
                    AEnds.push_back(Close + 1);
                }
                I = Close + 1;
                continue;
            }
        }
        Result += AText[I];
        AEnds.push_back(I + 1);
        ++I;
    }
    return Result;
}

} // namespace

Integer MarkupCharIndex(const String& Text, Integer N) {
    Integer Visible = 0;
    bool InTag = false;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (!InTag && Visible == N - 1) return Integer(I) + 1;
        if (Text[I] == u'<')
            InTag = true;
        else if (Text[I] == u'>' && InTag)
            InTag = false;
        else if (!InTag)
            ++Visible;
    }
    return Visible == N - 1 ? Length(Text) + 1 : 0;
}

void HighlightMarkup(const String& Text, const String& Search, const String& Tag, String& Result,
                     bool CaseSensitive) {
    String Source = Text;
    String Needle = Search;
    if (Needle.empty()) {
        Result = Source;
        return;
    }
    std::vector<std::size_t> Ends;
    String Stripped = StripWithPositions(Source, Ends);
    if (Source.find(Needle) != String::npos &&
        (Stripped.find(u'<') != String::npos || Stripped.find(u'>') != String::npos)) {
        auto Escape = [](String AValue) {
            AValue = StringReplace(AValue, u"<", u"&lt;", {rfReplaceAll});
            return StringReplace(AValue, u">", u"&gt;", {rfReplaceAll});
        };
        Source = Escape(Stripped);
        Needle = Escape(Needle);
        Ends.clear();
        Stripped = StripWithPositions(Source, Ends);
    }
    const String Haystack = CaseSensitive ? Stripped : UpperCase(Stripped);
    const String Wanted = CaseSensitive ? Needle : UpperCase(Needle);
    // Each match: where its opening and closing tags go in Source.
    std::vector<std::pair<std::size_t, std::size_t>> Matches;
    std::size_t From = 0;
    while (true) {
        const std::size_t At = Haystack.find(Wanted, From);
        if (At == String::npos) break;
        const std::size_t Open = At == 0 ? 0 : Ends[At - 1];
        const std::size_t Close = Ends[At + Wanted.size() - 1];
        Matches.emplace_back(Open, Close);
        From = At + Wanted.size();
    }
    const String OpenTag = u"<" + Tag + u">";
    const String CloseTag = u"</" + Tag + u">";
    for (auto M = Matches.rbegin(); M != Matches.rend(); ++M) {
        Source.insert(M->second, CloseTag);
        Source.insert(M->first, OpenTag);
    }
    Result = Source;
}

String HighlightMarkup(const String& Text, const String& Search, const String& Tag, bool CaseSensitive) {
    String Result;
    HighlightMarkup(Text, Search, Tag, Result, CaseSensitive);
    return Result;
}
