// Character sets: ordered lists of characters, and the first of them outside
// double quotes.

#include "kel/RarEvads.h"

#include <algorithm>

TRarEvadsCharSet TRarEvads::NumericCharSet() {
    return CreateCharSet(u"0123456789");
}

TRarEvadsCharSet TRarEvads::AlphaCharSet() {
    return CreateCharSet(u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TRarEvadsCharSet TRarEvads::CreateCharSet(const String& AValue) {
    return {AValue.begin(), AValue.end()};
}

TRarEvadsCharSet TRarEvads::AddCharSet(const TRarEvadsCharSet& ACharSet1, const TRarEvadsCharSet& ACharSet2) {
    TRarEvadsCharSet result = ACharSet1;
    result.insert(result.end(), ACharSet2.begin(), ACharSet2.end());
    return result;
}

TRarEvadsCharSet TRarEvads::SubCharSet(const TRarEvadsCharSet& ACharSet1, const TRarEvadsCharSet& ACharSet2) {
    TRarEvadsCharSet result;
    for (const Char ch : ACharSet1)
        if (!CharInSet(ch, ACharSet2)) result.push_back(ch);
    return result;
}

bool TRarEvads::CharInSet(Char ch, const TRarEvadsCharSet& ACharSet) {
    return std::find(ACharSet.begin(), ACharSet.end(), ch) != ACharSet.end();
}

Char TRarEvads::FirstChar(const TRarEvadsCharSet& ACharset, const String& AValue, Integer& spos) {
    Integer quotes = 0;
    for (std::size_t i = 0; i < AValue.size(); ++i) {
        if (AValue[i] == u'"') ++quotes;
        if (quotes % 2 == 0 && CharInSet(AValue[i], ACharset)) {
            spos = Integer(i + 1);
            return AValue[i];
        }
    }
    spos = -1;
    return 0;
}
