#include "gridbase/IntList.h"
#include "rtl/Encoding.h"
#include "rtltesting/ExceptionMessage.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct TListDeleter {
    void operator()(TObject* Obj) const { Free(Obj); }
};
template <class T>
using TOwned = std::unique_ptr<T, TListDeleter>;

std::vector<Integer> EntriesOf(const TIntList& list) {
    std::vector<Integer> entries;
    for (Integer i = 0; i < list.Count(); ++i)
        entries.push_back(list.Items(i));
    return entries;
}

TEST(IntList, ChangesFireWithTheCellOfTheList) {
    TOwned<TIntList> list(Create<TIntList>(4, 7));
    std::vector<std::pair<Integer, Integer>> events;
    list->SetOnChange([&](TObject* Sender, Integer Col, Integer Row) {
        EXPECT_EQ(Sender, list.get());
        events.emplace_back(Col, Row);
    });
    list->Add(1);
    list->SetItems(0, 2);
    list->Insert(0, 9);    // no event
    list->DeleteValue(42); // absent: no event
    list->DeleteValue(9);
    list->Delete(0);
    EXPECT_EQ(events.size(), 4u);
    EXPECT_EQ(events.front(), std::make_pair(4, 7));
    EXPECT_EQ(MessageOf<EListError>([&] { list->Items(0); }), u"List index out of bounds (0)");
}

TEST(IntList, TagsCountUpAcrossLists) {
    TOwned<TIntList> first(Create<TIntList>(0, 0));
    TOwned<TIntList> second(Create<TIntList>(0, 0));
    EXPECT_EQ(second->Tag(), first->Tag() + 1);
}

TEST(IntList, StrValueRoundTripWithEvents) {
    TOwned<TIntList> list(Create<TIntList>(0, 0));
    EXPECT_EQ(list->StrValue(), u"");
    for (Integer v : {1, 22, -3})
        list->Add(v);
    EXPECT_EQ(list->StrValue(), u"1,22,-3");

    int events = 0;
    list->SetOnChange([&](TObject*, Integer, Integer) { ++events; });
    list->SetStrValue(u"4,5");
    EXPECT_EQ(EntriesOf(*list), (std::vector<Integer>{4, 5}));
    EXPECT_EQ(events, 3); // clear and two adds

    EXPECT_EQ(MessageOf<EConvertError>([&] { list->SetStrValue(u"7,x,8"); }),
              u"'x' is not a valid integer value");
    EXPECT_EQ(EntriesOf(*list), (std::vector<Integer>{7}));
}

TEST(IntList, SortedInsertAndSearch) {
    const struct {
        std::vector<Integer> entries;
        Integer value;
        Integer pos;
        Integer index;
    } cases[] = {
        {{}, 5, 0, -1},     {{1, 5, 9}, 5, 1, 1}, {{1, 9}, 5, 1, -1},
        {{1, 9}, 0, 0, -1}, {{1, 9}, 10, 2, -1},  {{-8, -2, 4}, -2, 1, 1},
    };
    for (const auto& c : cases) {
        TOwned<TIntList> list(Create<TIntList>(0, 0));
        for (Integer v : c.entries)
            list->Add(v);
        EXPECT_EQ(list->SortedPosOf(c.value), c.pos) << c.value;
        EXPECT_EQ(list->SortedIndexOf(c.value), c.index) << c.value;
        list->Insert(c.value);
        EXPECT_EQ(list->Items(c.pos), c.value);
        EXPECT_EQ(list->Count(), Integer(c.entries.size() + 1));
    }
}

TEST(IntList, FreeingFiresNoEvent) {
    int events = 0;
    TIntList* list = Create<TIntList>(0, 0);
    list->Add(1);
    list->SetOnChange([&](TObject*, Integer, Integer) { ++events; });
    Free(list);
    EXPECT_EQ(events, 0);
}

TEST(SortIndexList, DirectionsAndColumns) {
    TOwned<TSortIndexList> list(Create<TSortIndexList>());
    list->AddIndex(3, true);
    list->AddIndex(5, false);
    EXPECT_EQ(list->Items(1), Integer(0x80000005u));
    EXPECT_EQ(list->FindIndex(5), 1);
    EXPECT_EQ(list->FindIndex(4), -1);
    EXPECT_EQ(list->SortColumns(1), 5);
    EXPECT_FALSE(list->SortDirections(1));
    EXPECT_EQ(list->SaveToString(), u"u3;d5");

    list->ToggleIndex(5);
    list->ToggleIndex(4); // absent: nothing
    EXPECT_TRUE(list->SortDirections(1));
    list->SetSortDirections(0, false);
    list->SetSortColumns(0, 8);
    EXPECT_EQ(list->SaveToString(), u"d8;u5");
}

TEST(SortIndexList, LoadFromString) {
    const struct {
        const Char* text;
        const Char* saved;
    } cases[] = {
        {u"u3;;x;d12", u"u3;d12"},       {u"U7", u"d7"},        {u"", u""},
        {u"u 4;u$10;u9z", u"u4;u16;u9"}, {u"u70000", u"u4464"}, // the text form keeps 16 bits of a column
    };
    for (const auto& c : cases) {
        TOwned<TSortIndexList> list(Create<TSortIndexList>());
        list->AddIndex(1, true);
        list->LoadFromString(c.text);
        EXPECT_EQ(list->SaveToString(), c.saved) << Utf8(c.text);
    }
}

} // namespace
