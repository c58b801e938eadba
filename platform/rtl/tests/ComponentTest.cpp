#include "rtl/Component.h"

#include "rtl/ClassBuilder.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A component that logs what happens to it and may hold a reference to a
// component it does not own.
class TProbe : public TComponent {
public:
    TProbe(TComponent* AOwner, std::vector<std::string>* Journal, const String& AName)
        : TComponent(AOwner), FJournal(Journal) {
        SetName(AName);
    }
    void BeforeDestruction() override {
        FJournal->push_back("free " + Utf8(Name()) + (Owner() ? " (owned)" : ""));
        TComponent::BeforeDestruction();
    }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        FJournal->push_back(Utf8(Name()) + (Operation == opInsert ? " +" : " -") + Utf8(AComponent->Name()));
        if (Operation == opRemove && AComponent == Link) Link = nullptr;
    }
    void SetLink(TComponent* Value) {
        if (Link) Link->RemoveFreeNotification(this);
        Link = Value;
        if (Link) Link->FreeNotification(this);
    }
    TComponent* Link = nullptr;

private:
    std::vector<std::string>* FJournal;
};

String NameError(TComponent& Component, const String& NewName) {
    try {
        Component.SetName(NewName);
    } catch (const EComponentError& E) {
        return E.Message();
    }
    return u"(no error)";
}

} // namespace

TEST(TComponent, OwnedComponentsAreFreedWithTheOwnerLastCreatedFirst) {
    std::vector<std::string> Journal;
    auto* Form = Create<TProbe>(nullptr, &Journal, u"Form");
    auto* Panel = Create<TProbe>(Form, &Journal, u"Panel");
    Create<TProbe>(Form, &Journal, u"Button");
    Create<TProbe>(Panel, &Journal, u"Label");
    ASSERT_EQ(Form->ComponentCount(), 2);
    EXPECT_EQ(Form->Components(0), Panel);
    EXPECT_EQ(Form->FindComponent(u"BUTTON")->Name(), u"Button");
    EXPECT_EQ(Form->FindComponent(u"Label"), nullptr); // owned by Panel, not Form

    Journal.clear();
    Free(Form);
    EXPECT_EQ(Journal, (std::vector<std::string>{"free Form", "free Button", "free Panel", "free Label"}));
}

TEST(TComponent, OwnersHearOfComponentsJoiningAndLeavingTheirTree) {
    std::vector<std::string> Journal;
    auto* Form = Create<TProbe>(nullptr, &Journal, u"Form");
    auto* Grid = Create<TProbe>(Form, &Journal, u"Grid");
    Journal.clear();
    auto* Images = Create<TProbe>(Form, &Journal, u"");
    Images->SetName(u"Images");
    EXPECT_EQ(Journal, (std::vector<std::string>{"Grid +", "Form +"})); // named after joining

    Journal.clear();
    Free(Images);
    // The owner tells everything it owns, the leaving component included.
    EXPECT_EQ(Journal, (std::vector<std::string>{"free Images (owned)", "Images -Images", "Grid -Images",
                                                 "Form -Images"}));
    EXPECT_EQ(Form->ComponentCount(), 1);
    EXPECT_EQ(Grid->ComponentIndex(), 0);
    Free(Form);
}

TEST(TComponent, FreedComponentIsRemovedFromEveryoneWhoAskedForNotification) {
    std::vector<std::string> Journal;
    auto* FormA = Create<TProbe>(nullptr, &Journal, u"FormA");
    auto* FormB = Create<TProbe>(nullptr, &Journal, u"FormB");
    auto* Grid = Create<TProbe>(FormA, &Journal, u"Grid");
    auto* Chart = Create<TProbe>(FormA, &Journal, u"Chart");
    auto* Images = Create<TProbe>(FormB, &Journal, u"Images");
    Grid->SetLink(Images);
    Chart->SetLink(Images);

    Free(FormB); // frees Images
    EXPECT_EQ(Grid->Link, nullptr);
    EXPECT_EQ(Chart->Link, nullptr);

    // A listener freed first unlinks itself: freeing the source later must
    // not reach it.
    auto* Other = Create<TProbe>(nullptr, &Journal, u"Other");
    Grid->SetLink(Other);
    Free(Grid);
    Journal.clear();
    Free(Other);
    EXPECT_EQ(Journal, (std::vector<std::string>{"free Other"}));
    Free(FormA);
}

TEST(TComponent, NamesMustBeIdentifiersAndUniqueWithinTheOwner) {
    std::vector<std::string> Journal;
    auto* Form = Create<TProbe>(nullptr, &Journal, u"Form");
    auto* Edit = Create<TProbe>(Form, &Journal, u"edtName");
    auto* Other = Create<TProbe>(Form, &Journal, u"");
    struct Case {
        TComponent* Target;
        String NewName;
        String Message;
    };
    const Case Cases[] = {
        {Other, u"1st", u"'1st' is not a valid component name"},
        {Other, u"btn Finish", u"'btn Finish' is not a valid component name"},
        {Other, u"btn-Finish", u"'btn-Finish' is not a valid component name"},
        {Other, u"EDTNAME", u"A component named EDTNAME already exists"},
        {Other, u"_btn2", u"(no error)"},
        {Other, u"", u"(no error)"},       // any number of components may be unnamed
        {Edit, u"EdtName", u"(no error)"}, // a change of case only
    };
    for (const Case& C : Cases)
        EXPECT_EQ(NameError(*C.Target, C.NewName), C.Message) << Utf8(C.NewName);
    EXPECT_EQ(Edit->Name(), u"EdtName");
    EXPECT_EQ(Edit->GetNamePath(), u"EdtName");

    // Joining an owner that already has the name is refused as well.
    auto* Stray = Create<TProbe>(nullptr, &Journal, u"EdtName");
    try {
        Form->InsertComponent(Stray);
        ADD_FAILURE() << "no exception";
    } catch (const EComponentError& E) {
        EXPECT_EQ(E.Message(), u"A component named EdtName already exists");
    }
    EXPECT_EQ(Stray->Owner(), nullptr);
    Free(Stray);
    Free(Form);
}

TEST(TComponent, ChangingOwnerMovesTheComponent) {
    std::vector<std::string> Journal;
    auto* First = Create<TProbe>(nullptr, &Journal, u"First");
    auto* Second = Create<TProbe>(nullptr, &Journal, u"Second");
    auto* Moved = Create<TProbe>(First, &Journal, u"Moved");
    Second->InsertComponent(Moved);
    EXPECT_EQ(First->ComponentCount(), 0);
    EXPECT_EQ(Moved->Owner(), Second);
    Second->RemoveComponent(Moved);
    EXPECT_EQ(Second->ComponentCount(), 0);
    Free(Second);
    Free(First);
    Journal.clear();
    Free(Moved); // not freed by either owner
    EXPECT_EQ(Journal, (std::vector<std::string>{"free Moved"}));
}

TEST(TComponent, StateFlagsReachOwnedComponents) {
    std::vector<std::string> Journal;
    auto* Form = Create<TProbe>(nullptr, &Journal, u"Form");
    auto* Grid = Create<TProbe>(Form, &Journal, u"Grid");
    Form->IncludeComponentState({csLoading, csReading, csWriting});
    EXPECT_EQ(Grid->ComponentState(), (TComponentState{csLoading, csReading}));
    EXPECT_EQ(Form->ComponentState(), (TComponentState{csLoading, csReading, csWriting}));
    Grid->Loaded();
    EXPECT_EQ(Grid->ComponentState(), TComponentState{csReading});
    Form->ExcludeComponentState({csReading, csWriting});
    EXPECT_EQ(Grid->ComponentState(), TComponentState{});

    // Owned components are marked csDestroying before any of them is freed.
    struct TWatcher : TComponent {
        using TComponent::TComponent;
        void BeforeDestruction() override {
            *Seen = ComponentState().Contains(csDestroying);
            TComponent::BeforeDestruction();
        }
        bool* Seen = nullptr;
    };
    bool Seen = false;
    Create<TWatcher>(Form)->Seen = &Seen;
    Free(Form);
    EXPECT_TRUE(Seen);
}

TEST(TComponent, ComponentDeletedWithoutFreeStillLeavesItsOwner) {
    auto* Form = Create<TComponent>(nullptr);
    auto* Button = Create<TComponent>(Form);
    delete Button;
    EXPECT_EQ(Form->ComponentCount(), 0);
    Free(Form);
}

TEST(TComponent, ClassFactoryCreatesWithAnOwner) {
    RegisterClass<TComponent>();
    auto* Form = Create<TComponent>(nullptr);
    TObject* Made = FindClass(u"TComponent").CreateInstance(Form);
    EXPECT_EQ(Form->Components(0), Made);
    EXPECT_EQ(GetPropInfo(Made, u"Tag")->Kind(), tkInt64);
    EXPECT_FALSE(IsStoredProp(Made, FindPropInfo(Made, u"Name")));
    Free(Form);
    UnRegisterClass(TComponent::StaticClassInfo());
}
