// TStringList: lines with objects in a vector, optionally kept sorted.

#include "rtl/StringList.h"

#include "ListErrors.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"
#include "rtl/TextCompare.h"

#include <algorithm>
#include <numeric>

namespace {

[[noreturn]] void SortedListError() {
    throw EStringListError(u"Operation not allowed on sorted list");
}

} // namespace

const TClassInfo& TStringList::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TStringList, TStrings>().Build();
    return Info;
}

TStringList::~TStringList() {
    // No change events while the list goes: their receivers may be gone.
    if (FOwnsObjects)
        for (TItem& Item : FItems)
            Free(Item.FObject);
}

void TStringList::CheckIndex(Integer Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
}

Integer TStringList::CompareStrings(const String& S1, const String& S2) const {
    return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
    if (Updating) {
        Changing();
    } else {
        Changed();
    }
}

// ------------------------------------------------------------------ storage

String TStringList::Get(Integer Index) const {
    return Strings(Index);
}

const String& TStringList::Strings(Integer Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].FString;
}

void TStringList::Put(Integer Index, const String& S) {
    if (FSorted) SortedListError();
    CheckIndex(Index);
    Changing();
    FItems[static_cast<size_t>(Index)].FString = S;
    Changed();
}

TObject* TStringList::GetObject(Integer Index) const {
    CheckIndex(Index);
    return FItems[static_cast<size_t>(Index)].FObject;
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
    CheckIndex(Index);
    Changing();
    FItems[static_cast<size_t>(Index)].FObject = AObject;
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty()) return;
    Changing();
    std::vector<TItem> Old;
    Old.swap(FItems);
    if (FOwnsObjects)
        for (TItem& Item : Old)
            Free(Item.FObject);
    Changed();
}

void TStringList::Delete(Integer Index) {
    CheckIndex(Index);
    Changing();
    TObject* Object = FItems[static_cast<size_t>(Index)].FObject;
    FItems.erase(FItems.begin() + Index);
    if (FOwnsObjects) Free(Object);
    Changed();
}

void TStringList::Insert(Integer Index, const String& S) {
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(Integer Index, const String& S, TObject* AObject) {
    if (FSorted) SortedListError();
    if (Index < 0 || Index > Count()) IndexError(Index);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(Integer Index, String S, TObject* AObject) {
    Changing();
    FItems.insert(FItems.begin() + Index, TItem{std::move(S), AObject});
    Changed();
}

Integer TStringList::AddObject(const String& S, TObject* AObject) {
    Integer Index = Count();
    if (FSorted && Find(S, Index)) {
        if (FDuplicates == dupIgnore) return Index;
        if (FDuplicates == dupError) throw EStringListError(u"String list does not allow duplicates");
    }
    InsertItem(Index, S, AObject);
    return Index;
}

Integer TStringList::AddObjectMoved(String&& S, TObject* AObject) {
    if (FSorted) return AddObject(S, AObject);
    const Integer Index = Count();
    InsertItem(Index, std::move(S), AObject);
    return Index;
}

void TStringList::SetCapacity(Integer Capacity) {
    if (Capacity > Count()) FItems.reserve(static_cast<size_t>(Capacity));
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    Changing();
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::Move(Integer CurIndex, Integer NewIndex) {
    if (CurIndex == NewIndex) return;
    // Refused before anything changes, so the line is never lost.
    if (FSorted) SortedListError();
    CheckIndex(CurIndex);
    CheckIndex(NewIndex);
    Changing();
    const auto From = FItems.begin() + CurIndex;
    const auto To = FItems.begin() + NewIndex;
    if (CurIndex < NewIndex) {
        std::rotate(From, From + 1, To + 1);
    } else {
        std::rotate(To, From, From + 1);
    }
    Changed();
}

Integer TStringList::IndexOf(const String& S) const {
    if (FSorted) {
        Integer Index;
        return Find(S, Index) ? Index : -1;
    }
    for (size_t I = 0; I < FItems.size(); ++I)
        if (FItems[I].FString == S || CompareStrings(FItems[I].FString, S) == 0)
            return static_cast<Integer>(I);
    return -1;
}

String TStringList::Text() const {
    size_t Length = 0;
    for (const TItem& Item : FItems)
        Length += Item.FString.size() + 2;
    String Result;
    Result.reserve(Length);
    for (const TItem& Item : FItems)
        Result.append(Item.FString).append(u"\r\n");
    return Result;
}

void TStringList::SetAllLines(std::vector<String> Lines) {
    if (FSorted) {
        TStrings::SetAllLines(std::move(Lines));
        return;
    }
    // Unsorted, the lines can simply move in.
    Changing();
    std::vector<TItem> Old;
    Old.swap(FItems);
    FItems.reserve(Lines.size());
    for (String& Line : Lines)
        FItems.push_back(TItem{std::move(Line), nullptr});
    if (FOwnsObjects)
        for (TItem& Item : Old)
            Free(Item.FObject);
    Changed();
}

// ------------------------------------------------------------------ sorting

bool TStringList::Find(const String& S, Integer& Index) const {
    Integer Low = 0;
    Integer High = Count() - 1;
    bool Found = false;
    while (Low <= High) {
        const Integer Middle = Low + (High - Low) / 2;
        const Integer Comparison = CompareStrings(FItems[static_cast<size_t>(Middle)].FString, S);
        if (Comparison < 0) {
            Low = Middle + 1;
        } else {
            High = Middle - 1;
            if (Comparison == 0) Found = true;
        }
    }
    Index = Low;
    return Found;
}

void TStringList::SortItems() {
    std::stable_sort(FItems.begin(), FItems.end(), [this](const TItem& A, const TItem& B) {
        return CompareStrings(A.FString, B.FString) < 0;
    });
}

void TStringList::Sort() {
    if (FSorted || Count() < 2) return;
    Changing();
    SortItems();
    Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& Compare) {
    if (FSorted || Count() < 2) return;
    Changing();
    // Compare reads the lines by index, so sort a permutation of the
    // untouched list and apply it afterwards.
    std::vector<Integer> Order(FItems.size());
    std::iota(Order.begin(), Order.end(), 0);
    std::stable_sort(Order.begin(), Order.end(),
                     [&](Integer A, Integer B) { return Compare(*this, A, B) < 0; });
    std::vector<TItem> Sorted;
    Sorted.reserve(FItems.size());
    for (Integer I : Order)
        Sorted.push_back(std::move(FItems[static_cast<size_t>(I)]));
    FItems.swap(Sorted);
    Changed();
}

void TStringList::SetSorted(bool Value) {
    if (Value == FSorted) return;
    if (Value) Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == FCaseSensitive) return;
    FCaseSensitive = Value;
    if (FSorted) {
        Changing();
        SortItems();
        Changed();
    }
}

void TStringList::Assign(const TPersistent* Source) {
    const auto* List = dynamic_cast<const TStringList*>(Source);
    if (List && List != this) {
        // Unsorted while the lines come in, so they keep the source's order.
        FSorted = false;
        FCaseSensitive = List->FCaseSensitive;
    }
    TStrings::Assign(Source);
    if (List && List != this) SetSorted(List->FSorted);
}
