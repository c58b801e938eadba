#include "rtl/Collection.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Component.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class TColumnItem : public TCollectionItem {
    RTL_CLASS(TColumnItem)
public:
    using TCollectionItem::TCollectionItem;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value) {
        if (FCaption == Value) return;
        FCaption = Value;
        Changed(false);
    }
    void Assign(const TPersistent* Source) override {
        if (auto* Other = dynamic_cast<const TColumnItem*>(Source)) {
            SetCaption(Other->FCaption);
            return;
        }
        TCollectionItem::Assign(Source);
    }

private:
    String FCaption;
};

// A collection that logs its notifications as "Update <caption>" ("Update *"
// for the whole collection) and "added/extracting/deleting <ID>".
class TLoggedColumns : public TOwnedCollection {
public:
    explicit TLoggedColumns(TPersistent* AOwner) : TOwnedCollection(AOwner, TColumnItem::StaticClassInfo()) {}
    TColumnItem* Add() { return static_cast<TColumnItem*>(TCollection::Add()); }
    TColumnItem* Items(Integer Index) const { return static_cast<TColumnItem*>(TCollection::Items(Index)); }
    std::vector<std::string> Log;

    std::vector<std::string> Captions() const {
        std::vector<std::string> Result;
        for (Integer I = 0; I < Count(); ++I)
            Result.push_back(Utf8(Items(I)->Caption()));
        return Result;
    }

protected:
    void Update(TCollectionItem* Item) override {
        Log.push_back("Update " +
                      (Item ? Utf8(static_cast<TColumnItem*>(Item)->Caption()) : std::string("*")));
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
        static const char* const Names[] = {"added ", "extracting ", "deleting "};
        Log.push_back(Names[Action] + std::to_string(Item->ID()));
    }
};

class TGrid : public TComponent {
    RTL_CLASS(TGrid)
public:
    explicit TGrid(TComponent* AOwner) : TComponent(AOwner), FColumns(this) {}
    TLoggedColumns* Columns() const { return const_cast<TLoggedColumns*>(&FColumns); }

private:
    TLoggedColumns FColumns;
};

TLoggedColumns* ColumnsWith(TGrid& Grid, std::initializer_list<const char16_t*> Captions) {
    TLoggedColumns* Columns = Grid.Columns();
    for (const char16_t* Caption : Captions)
        Columns->Add()->SetCaption(Caption);
    Columns->Log.clear();
    return Columns;
}

} // namespace

const TClassInfo& TColumnItem::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TColumnItem, TCollectionItem>()
                                       .Property(u"Caption", &TColumnItem::Caption, &TColumnItem::SetCaption)
                                       .Build();
    return Info;
}

const TClassInfo& TGrid::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TGrid, TComponent>().Property(u"Columns", &TGrid::Columns, nullptr).Build();
    return Info;
}

TEST(TCollection, AddInsertMoveAndDeleteNotify) {
    TGrid Grid(nullptr);
    TLoggedColumns* Columns = ColumnsWith(Grid, {u"A", u"B", u"C"});

    TColumnItem* Inserted = static_cast<TColumnItem*>(Columns->Insert(1));
    EXPECT_EQ(Inserted->Index(), 1);
    EXPECT_EQ(Inserted->ID(), 3);
    Inserted->SetCaption(u"X");
    EXPECT_EQ(Columns->Captions(), (std::vector<std::string>{"A", "X", "B", "C"}));
    EXPECT_EQ(Columns->Log, (std::vector<std::string>{"added 3", "Update *", "Update *", "Update X"}));

    Columns->Log.clear();
    Columns->Items(0)->SetIndex(3);
    EXPECT_EQ(Columns->Captions(), (std::vector<std::string>{"X", "B", "C", "A"}));
    Columns->Delete(1);
    EXPECT_EQ(Columns->Captions(), (std::vector<std::string>{"X", "C", "A"}));
    EXPECT_EQ(Columns->Log, (std::vector<std::string>{"Update *", "deleting 1", "extracting 1", "Update *"}));
    EXPECT_EQ(Columns->FindItemID(2), Columns->Items(1));
    EXPECT_EQ(Columns->FindItemID(1), nullptr);
}

TEST(TCollection, UpdatesAreHeldBackUntilTheLastEndUpdate) {
    TGrid Grid(nullptr);
    TLoggedColumns* Columns = ColumnsWith(Grid, {u"A", u"B"});
    Columns->BeginUpdate();
    Columns->BeginUpdate();
    Columns->Items(0)->SetCaption(u"Z");
    Columns->Add();
    Columns->EndUpdate();
    EXPECT_EQ(Columns->Log, (std::vector<std::string>{"added 2"}));
    Columns->EndUpdate();
    EXPECT_EQ(Columns->Log, (std::vector<std::string>{"added 2", "Update *"}));

    Columns->Log.clear();
    Columns->Clear();
    EXPECT_EQ(Columns->Count(), 0);
    EXPECT_EQ(Columns->Log,
              (std::vector<std::string>{"extracting 2", "extracting 1", "extracting 0", "Update *"}));
}

TEST(TCollection, AssignCopiesItemByItem) {
    TGrid Source(nullptr);
    ColumnsWith(Source, {u"Crop", u"Area"});
    TGrid Target(nullptr);
    TLoggedColumns* Columns = ColumnsWith(Target, {u"Old"});
    Columns->Assign(Source.Columns());
    EXPECT_EQ(Columns->Captions(), (std::vector<std::string>{"Crop", "Area"}));
    EXPECT_NE(Columns->Items(0), Source.Columns()->Items(0));
    EXPECT_EQ(Columns->Log.back(), "Update *");
    EXPECT_EQ(std::count(Columns->Log.begin(), Columns->Log.end(), "Update *"), 1);

    TPersistent Unrelated;
    try {
        Columns->Assign(&Unrelated);
        ADD_FAILURE() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), u"Cannot assign a TPersistent to a TLoggedColumns");
    }
}

TEST(TCollection, IndexErrorsAddNothing) {
    TGrid Grid(nullptr);
    TLoggedColumns* Columns = ColumnsWith(Grid, {u"A"});
    struct Case {
        std::function<void()> Action;
        String Message;
    };
    const Case Cases[] = {
        {[&] { Columns->Insert(3); }, u"List index out of bounds (3)"},
        {[&] { Columns->Insert(-1); }, u"List index out of bounds (-1)"},
        {[&] { Columns->Items(1); }, u"List index out of bounds (1)"},
        {[&] { Columns->Delete(5); }, u"List index out of bounds (5)"},
    };
    for (const Case& C : Cases) {
        try {
            C.Action();
            ADD_FAILURE() << "no exception: " << Utf8(C.Message);
        } catch (const EListError& E) {
            EXPECT_EQ(E.Message(), C.Message);
        }
    }
    EXPECT_EQ(Columns->Count(), 1);
}

TEST(TCollection, ItemsLeaveTheirCollectionWhenFreedOrMoved) {
    TGrid Grid(nullptr);
    TLoggedColumns* Columns = ColumnsWith(Grid, {u"A", u"B"});
    TGrid Other(nullptr);
    TColumnItem* Moved = Columns->Items(0);
    Moved->SetCollection(Other.Columns());
    EXPECT_EQ(Columns->Count(), 1);
    EXPECT_EQ(Moved->Index(), 0);
    EXPECT_EQ(Moved->Collection(), Other.Columns());
    Free(Columns->Items(0));
    EXPECT_EQ(Columns->Count(), 0);
}

TEST(TCollection, NamePathsFollowTheOwnersProperty) {
    TComponent Form(nullptr);
    auto* Grid = Create<TGrid>(&Form);
    Grid->SetName(u"grdColumns");
    ColumnsWith(*Grid, {u"A", u"B"});
    EXPECT_EQ(Grid->Columns()->GetNamePath(), u"grdColumns.Columns");
    EXPECT_EQ(Grid->Columns()->Items(1)->GetNamePath(), u"grdColumns.Columns[1]");

    TCollection Loose(TColumnItem::StaticClassInfo());
    EXPECT_EQ(Loose.Add()->GetNamePath(), u"TCollection[0]");
    EXPECT_EQ(Loose.ItemClass().Name, u"TColumnItem");
}

TEST(TCollection, RefusesClassesThatAreNoItems) {
    try {
        TCollection Bad(TPersistent::StaticClassInfo());
        ADD_FAILURE() << "no exception";
    } catch (const EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), u"TPersistent is no collection item class");
    }
}
