#include "core/CropAreas.h"

#include "core/ProjectDataModule.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/StringUtils.h"

namespace {

// The values of a grouping line, from 0: code, Dutch name, crop number,
// English name, then one area per abstraction point.
constexpr Integer CodeValue = 0;
constexpr Integer DutchNameValue = 1;
constexpr Integer CropNumberValue = 2;
constexpr Integer EnglishNameValue = 3;
constexpr Integer FirstAreaValue = 4;

String NameFromFile(const String& Value) {
    return StringReplace(Value, u"_", u" ", {rfReplaceAll});
}

bool IsPassedOver(const TStringList& Values) {
    const String Joined = Values.CommaText();
    return Joined.empty() || Joined[0] == u'*' || Joined[0] == u'-';
}

std::unique_ptr<TKorvalisCrop> ReadGrouping(const TStringList& Values, const String& FileName, Integer Line) {
    if (Values.Count() < FirstAreaValue)
        throw EReadError(Format(u"Line %d of crop-area file %s has fewer than 4 values", {Line, FileName}));
    auto Grouping = std::make_unique<TKorvalisCrop>();
    Grouping->ID = Values.Strings(CodeValue);
    Grouping->KV_NameD = NameFromFile(Values.Strings(DutchNameValue));
    Grouping->CBScrpNr = StrToInt(Values.Strings(CropNumberValue));
    Grouping->KV_NameE = NameFromFile(Values.Strings(EnglishNameValue));
    if (Trim(Grouping->KV_NameE).empty()) Grouping->KV_NameE = Grouping->KV_NameD;
    for (std::size_t I = 0; I < Grouping->Areas.size(); ++I) {
        const Integer Value = FirstAreaValue + static_cast<Integer>(I);
        Grouping->Areas[I] = Value < Values.Count() ? StrToInt(Values.Strings(Value)) : -1;
    }
    return Grouping;
}

} // namespace

TKorvalisCrop* TCropAreas::NewCrop() {
    return FCrops.Add(std::make_unique<TKorvalisCrop>());
}

void TCropAreas::ClearCrops() {
    FCrops.Clear();
}

void TCropAreas::Load(const String& FileName) {
    TInputFile::Load(FileName);
    ClearCrops();
    if (FirstDataLine() < 0) return; // comment lines only
    TStringList Values;
    for (Integer I = FirstDataLine(); I < Lines()->Count(); ++I) {
        Values.SetCommaText(Lines()->Strings(I));
        if (IsPassedOver(Values)) continue;
        FCrops.Add(ReadGrouping(Values, FileName, I + 1));
    }
}

void TCropAreas::CopyFileAndCrops(const TCropAreas& Source) {
    CopyLinesFrom(Source);
    ClearCrops();
    for (const TKorvalisCrop* Grouping : Source.FCrops)
        FCrops.Add(Grouping->Copy());
}
