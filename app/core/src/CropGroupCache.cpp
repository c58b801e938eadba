#include "core/CropGroupCache.h"

#include "core/ProjectDataModule.h"
#include "rtl/StringUtils.h"
#include "rtl/TextCompare.h"

#include <memory>

namespace {

// One line per FOCUS crop, each owning its TKorvalisCropList; absent until
// first needed.
std::unique_ptr<TStringList> Cache;

// The crop text without crop 22's order suffix: the first "_" and up to four
// characters after it.
String WithoutOrderSuffix(const String& FocusCrop) {
    String Result = FocusCrop;
    const Integer Underscore = Pos(u"_", Result);
    if (Underscore > 0) Delete(Result, Underscore, 5);
    return Result;
}

} // namespace

TKorvalisCropList* FindCropGroupList(const String& FocusCrop) {
    if (!Cache) return nullptr;
    const String Crop = WithoutOrderSuffix(FocusCrop);
    for (Integer I = 0; I < Cache->Count(); ++I)
        if (SameText(Cache->Strings(I), Crop)) return static_cast<TKorvalisCropList*>(Cache->Objects(I));
    return nullptr;
}

void GetKorvalisCropNames(const String& FocusCrop, TStrings& Names) {
    if (!Cache) {
        Cache = ProjectDataModule().GetFocusCropsList();
        Cache->SetOwnsObjects(true);
    }
    Names.Clear();
    if (const TKorvalisCropList* Groupings = FindCropGroupList(FocusCrop))
        for (const TKorvalisCrop* Grouping : *Groupings)
            Names.Add(Grouping->KV_NameE);
}

String GetKorvalisCropID(const String& FocusCrop, const String& KorvalisCropName) {
    if (const TKorvalisCropList* Groupings = FindCropGroupList(FocusCrop))
        for (const TKorvalisCrop* Grouping : *Groupings)
            if (Grouping->KV_NameE == KorvalisCropName) return Grouping->ID;
    return String();
}

void FreeCropGroupCache() {
    Cache.reset();
}
