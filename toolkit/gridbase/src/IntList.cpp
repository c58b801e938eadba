#include "gridbase/IntList.h"

#include "rtl/Convert.h"
#include "rtl/StringList.h"
#include "rtl/StringUtils.h"

#include <cstdint>
#include <memory>

namespace {

// Serial numbers of the lists of the process (GUI thread only).
Integer NextListTag = 0;

constexpr std::uint32_t DescendingBit = 0x80000000u;
constexpr std::uint32_t ColumnMask = 0x7FFFFFFFu;

void* ToItem(Integer Value) {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(Value));
}

Integer FromItem(void* Item) {
    return static_cast<Integer>(reinterpret_cast<std::intptr_t>(Item));
}

Integer WithBits(std::uint32_t Bits) {
    return static_cast<Integer>(Bits);
}

std::uint32_t BitsOf(Integer Value) {
    return static_cast<std::uint32_t>(Value);
}

} // namespace

// ------------------------------------------------------------------ TIntList

TIntList::TIntList(Integer Col, Integer Row) : FCol(Col), FRow(Row), FTag(NextListTag++) {}

void TIntList::Changed() {
    if (FOnChange) FOnChange(this, FCol, FRow);
}

Integer TIntList::Items(Integer Index) const {
    return FromItem(TList::Items(Index));
}

void TIntList::SetItems(Integer Index, Integer Value) {
    TList::SetItems(Index, ToItem(Value));
    Changed();
}

Integer TIntList::Add(Integer Value) {
    const Integer Index = TList::Add(ToItem(Value));
    Changed();
    return Index;
}

void TIntList::Delete(Integer Index) {
    TList::Delete(Index);
    Changed();
}

void TIntList::Clear() {
    TList::Clear();
    Changed();
}

void TIntList::Insert(Integer Index, Integer Value) {
    TList::Insert(Index, ToItem(Value));
}

void TIntList::Insert(Integer Value) {
    if (Count() == 0) {
        Add(Value);
        return;
    }
    Insert(SortedPosOf(Value), Value);
}

void TIntList::DeleteValue(Integer Value) {
    const Integer Index = IndexOf(ToItem(Value));
    if (Index >= 0) Delete(Index);
}

bool TIntList::HasValue(Integer Value) const {
    return IndexOf(ToItem(Value)) >= 0;
}

Integer TIntList::SortedIndexOf(Integer Value) const {
    Integer Lo = 0, Hi = Count() - 1;
    while (Hi >= Lo) {
        const Integer Mid = Lo + (Hi - Lo) / 2;
        const Integer Entry = Items(Mid);
        if (Value < Entry)
            Hi = Mid - 1;
        else if (Entry < Value)
            Lo = Mid + 1;
        else
            return Mid;
    }
    return -1;
}

Integer TIntList::SortedPosOf(Integer Value) const {
    if (Count() == 0) return 0;
    Integer Lo = 0, Hi = Count() - 1, Mid = 0;
    while (Hi >= Lo) {
        Mid = Lo + (Hi - Lo) / 2;
        const Integer Entry = Items(Mid);
        if (Value < Entry)
            Hi = Mid - 1;
        else if (Entry < Value)
            Lo = Mid + 1;
        else
            break;
    }
    return Items(Mid) < Value ? Mid + 1 : Mid;
}

String TIntList::StrValue() const {
    String Result;
    for (Integer i = 0; i < Count(); ++i) {
        if (i > 0) Result += u',';
        Result += IntToStr(Items(i));
    }
    return Result;
}

void TIntList::SetStrValue(const String& Value) {
    const std::unique_ptr<TStringList> Parts(Create<TStringList>());
    Parts->SetCommaText(Value);
    Clear();
    for (Integer i = 0; i < Parts->Count(); ++i)
        Add(StrToInt(Parts->Strings(i)));
}

void TIntList::BeforeDestruction() {
    FOnChange = nullptr;
    TList::BeforeDestruction();
}

// ------------------------------------------------------------ TSortIndexList

void TSortIndexList::AddIndex(Integer ColumnIndex, bool Ascending) {
    Add(Ascending ? ColumnIndex : WithBits(BitsOf(ColumnIndex) | DescendingBit));
}

Integer TSortIndexList::FindIndex(Integer ColumnIndex) const {
    for (Integer i = 0; i < Count(); ++i)
        if (SortColumns(i) == ColumnIndex) return i;
    return -1;
}

void TSortIndexList::ToggleIndex(Integer ColumnIndex) {
    const Integer Index = FindIndex(ColumnIndex);
    if (Index >= 0) SetSortDirections(Index, !SortDirections(Index));
}

Integer TSortIndexList::SortColumns(Integer Index) const {
    return WithBits(BitsOf(Items(Index)) & ColumnMask);
}

void TSortIndexList::SetSortColumns(Integer Index, Integer Value) {
    SetItems(Index, WithBits((BitsOf(Items(Index)) & DescendingBit) | (BitsOf(Value) & ColumnMask)));
}

bool TSortIndexList::SortDirections(Integer Index) const {
    return Items(Index) >= 0;
}

void TSortIndexList::SetSortDirections(Integer Index, bool Value) {
    const std::uint32_t Bits = BitsOf(Items(Index));
    SetItems(Index, WithBits(Value ? Bits & ColumnMask : Bits | DescendingBit));
}

String TSortIndexList::SaveToString() const {
    String Result;
    for (Integer i = 0; i < Count(); ++i) {
        if (i > 0) Result += u';';
        Result += SortDirections(i) ? u'u' : u'd';
        Result += IntToStr(BitsOf(Items(i)) & 0xFFFFu);
    }
    return Result;
}

void TSortIndexList::LoadFromString(String S) {
    Clear();
    while (!S.empty()) {
        String Item;
        const Integer Separator = Pos(u";", S);
        if (Separator > 0) {
            Item = Copy(S, 1, Separator - 1);
            ::Delete(S, 1, Separator);
        } else {
            Item = S;
            S.clear();
        }
        if (Length(Item) < 2) continue;
        Integer Column = 0, Code = 0;
        Val(Copy(Item, 2), Column, Code);
        AddIndex(Column, Item[0] == u'u');
    }
}
