#include "DelimitedText.h"

#include "rtl/StringUtils.h"

namespace detail {

namespace {

bool IsBlank(Char C) {
    return C <= u' ';
}

} // namespace

std::vector<String> SplitDelimitedText(std::u16string_view Text, const TDelimiterRules& Rules) {
    std::vector<String> Items;
    const size_t End = Text.size();
    size_t P = 0;
    auto SkipBlanks = [&] {
        if (!Rules.StrictDelimiter)
            while (P < End && IsBlank(Text[P]))
                ++P;
    };

    SkipBlanks();
    while (P < End) {
        String Item;
        if (Text[P] == Rules.QuoteChar) {
            // Quoted item: up to the closing quote (or the end of the text).
            for (++P; P < End; ++P) {
                if (Text[P] == Rules.QuoteChar) {
                    if (P + 1 < End && Text[P + 1] == Rules.QuoteChar) {
                        ++P;
                    } else {
                        ++P;
                        break;
                    }
                }
                Item += Text[P];
            }
        } else {
            const size_t Start = P;
            while (P < End && Text[P] != Rules.Delimiter && (Rules.StrictDelimiter || !IsBlank(Text[P])))
                ++P;
            Item.assign(Text.substr(Start, P - Start));
        }
        Items.push_back(std::move(Item));
        SkipBlanks();
        if (P < End && Text[P] == Rules.Delimiter) {
            ++P;
            if (P == End) Items.emplace_back();
            SkipBlanks();
        }
    }
    return Items;
}

namespace {

bool NeedsQuotes(const String& Item, const TDelimiterRules& Rules) {
    for (Char C : Item)
        if (C == Rules.Delimiter || C == Rules.QuoteChar || (!Rules.StrictDelimiter && IsBlank(C)))
            return true;
    return false;
}

} // namespace

String JoinDelimitedText(const std::vector<String>& Items, const TDelimiterRules& Rules) {
    if (Items.size() == 1 && Items[0].empty()) return String(2, Rules.QuoteChar);
    String Result;
    for (size_t I = 0; I < Items.size(); ++I) {
        if (I > 0) Result += Rules.Delimiter;
        Result += NeedsQuotes(Items[I], Rules) ? AnsiQuotedStr(Items[I], Rules.QuoteChar) : Items[I];
    }
    return Result;
}

} // namespace detail
