#include "rtl/List.h"

#include "TrackedObject.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Records what the list tells about its entries.
class TRecordingList : public TList {
public:
    std::vector<std::pair<void*, TListNotification>> Log;

protected:
    void Notify(void* Ptr, TListNotification Action) override { Log.emplace_back(Ptr, Action); }
};

int A, B, C;

std::vector<void*> Entries(const TList& List) {
    std::vector<void*> Result;
    for (Integer I = 0; I < List.Count(); ++I)
        Result.push_back(List.Items(I));
    return Result;
}

} // namespace

TEST(List, IndexOfFindsTheFirstAndLastIndexOfTheLastEntry) {
    TList List;
    for (void* P : {static_cast<void*>(&A), static_cast<void*>(&B), static_cast<void*>(&A)}) List.Add(P);
    EXPECT_EQ(List.IndexOf(&A), 0);
    EXPECT_EQ(List.LastIndexOf(&A), 2);
    EXPECT_EQ(List.LastIndexOf(&B), 1);
    EXPECT_EQ(List.LastIndexOf(&C), -1);
}

TEST(List, InsertDeleteMoveExchangeKeepOrder) {
    TList List;
    EXPECT_EQ(List.Add(&A), 0);
    EXPECT_EQ(List.Add(&C), 1);
    List.Insert(1, &B);
    EXPECT_EQ(Entries(List), (std::vector<void*>{&A, &B, &C}));
    List.Move(0, 2);
    EXPECT_EQ(Entries(List), (std::vector<void*>{&B, &C, &A}));
    List.Exchange(0, 2);
    EXPECT_EQ(Entries(List), (std::vector<void*>{&A, &C, &B}));
    EXPECT_EQ(List.IndexOf(&B), 2);
    EXPECT_EQ(List.Remove(&C), 1);
    EXPECT_EQ(List.Remove(&C), -1);
    EXPECT_EQ(List.First(), &A);
    EXPECT_EQ(List.Last(), &B);
    List.SetCount(4);
    EXPECT_EQ(Entries(List), (std::vector<void*>{&A, &B, nullptr, nullptr}));
    List.Pack();
    EXPECT_EQ(List.Count(), 2);
}

TEST(List, SortIsStable) {
    int Values[] = {3, 1, 2, 1};
    TList List;
    for (int& V : Values)
        List.Add(&V);
    List.Sort([](void* X, void* Y) { return *static_cast<int*>(X) - *static_cast<int*>(Y); });
    EXPECT_EQ(Entries(List), (std::vector<void*>{&Values[1], &Values[3], &Values[2], &Values[0]}));
}

TEST(List, BadIndexesRaiseWithTheIndex) {
    struct Case {
        const char* Name;
        std::function<void(TList&)> Action;
        String Message;
    };
    const Case Cases[] = {
        {"read past end", [](TList& L) { L.Items(2); }, u"List index out of bounds (2)"},
        {"negative read", [](TList& L) { L.Items(-1); }, u"List index out of bounds (-1)"},
        {"write past end", [](TList& L) { L.SetItems(2, nullptr); }, u"List index out of bounds (2)"},
        {"insert beyond end", [](TList& L) { L.Insert(3, nullptr); }, u"List index out of bounds (3)"},
        {"delete", [](TList& L) { L.Delete(5); }, u"List index out of bounds (5)"},
        {"move target", [](TList& L) { L.Move(0, 2); }, u"List index out of bounds (2)"},
        {"exchange", [](TList& L) { L.Exchange(0, -3); }, u"List index out of bounds (-3)"},
        {"capacity below count", [](TList& L) { L.SetCapacity(1); }, u"List capacity out of bounds (1)"},
        {"negative count", [](TList& L) { L.SetCount(-1); }, u"List count out of bounds (-1)"},
        {"first of empty", [](TList& L) { L.Clear(), L.First(); }, u"List index out of bounds (0)"},
    };
    for (const auto& Case : Cases) {
        TList List;
        List.Add(&A);
        List.Add(&B);
        try {
            Case.Action(List);
            ADD_FAILURE() << Case.Name << ": no exception";
        } catch (const EListError& Error) {
            EXPECT_EQ(Error.Message(), Case.Message) << Case.Name;
        }
    }
}

TEST(List, NotifiesNonNullEntriesEnteringAndLeaving) {
    TRecordingList List;
    List.Add(&A);
    List.Add(nullptr);
    List.Add(&B);
    List.SetItems(0, &C); // A leaves, C enters
    EXPECT_EQ(List.Extract(&B), &B);
    EXPECT_EQ(List.Extract(&B), nullptr);
    List.Clear(); // the null entry is not reported
    using P = std::pair<void*, TListNotification>;
    EXPECT_EQ(List.Log, (std::vector<P>{{&A, lnAdded},
                                        {&B, lnAdded},
                                        {&A, lnDeleted},
                                        {&C, lnAdded},
                                        {&B, lnExtracted},
                                        {&C, lnDeleted}}));
}

TEST(ObjectList, OwningListFreesWhatLeavesItButNotWhatIsExtracted) {
    int Alive = 0;
    auto* List = Create<TObjectList>();
    auto* Kept = Create<TTracked>(Alive);
    List->Add(Create<TTracked>(Alive));
    List->Add(Kept);
    List->Add(Create<TTracked>(Alive));
    List->Delete(0);
    EXPECT_EQ(Alive, 2);
    EXPECT_EQ(List->Extract(Kept), Kept);
    List->SetItems(0, Create<TTracked>(Alive)); // the replaced entry is freed
    EXPECT_EQ(Alive, 2);
    Free(List);
    EXPECT_EQ(Alive, 1);
    Free(Kept);

    // Destroyed without Free (as a member would be), it still frees its objects.
    {
        TObjectList Member;
        Member.Add(Create<TTracked>(Alive));
    }
    EXPECT_EQ(Alive, 0);
}

TEST(ObjectList, ListThatDoesNotOwnLeavesObjectsAlone) {
    int Alive = 0;
    TTracked Object(Alive);
    auto* List = Create<TObjectList>(false);
    List->Add(&Object);
    List->Delete(0);
    List->Add(&Object);
    Free(List);
    EXPECT_EQ(Alive, 1);
}
