// Searching, replacing and splitting text.

#include "kel/RarEvads.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"

Integer TRarEvads::IPos(const String& su, const String& s) {
    return Pos(UpperCase(su), UpperCase(s));
}

Integer TRarEvads::VarPos(const String& ASubValue, const String& AValue, Integer& AResult) {
    AResult = Pos(ASubValue, AValue);
    return AResult;
}

Integer TRarEvads::VarPosNoCase(const String& ASubValue, const String& AValue, Integer& AResult) {
    AResult = IPos(ASubValue, AValue);
    return AResult;
}

bool TRarEvads::TagReplaceString(const String& Srch, const String& Repl, String& Dest) {
    const Integer position = IPos(Srch, Dest);
    if (position == 0) return false;
    Dest.replace(std::size_t(position - 1), Srch.size(), Repl);
    return true;
}

Char TRarEvads::CharInStr(const String& s, Integer Index) {
    if (Index < 1 || Index > Length(s)) return 0;
    return s[std::size_t(Index - 1)];
}

void TRarEvads::Split(Char ADelimiter, const String& AInput, TStrings* AStrings, bool AClearEmptyStrings) {
    AStrings->Clear();
    AStrings->SetDelimiter(ADelimiter);
    AStrings->SetStrictDelimiter(true);
    AStrings->SetDelimitedText(AInput);
    if (!AClearEmptyStrings) return;
    for (Integer i = AStrings->Count() - 1; i >= 0; --i)
        if (AStrings->Strings(i).empty()) AStrings->Delete(i);
}
