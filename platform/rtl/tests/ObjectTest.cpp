#include "rtl/Exception.h"
#include "rtl/Persistent.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Journal;

class TBase : public TObject {
public:
    void AfterConstruction() override { Journal.push_back("base after"); }
    void BeforeDestruction() override { Journal.push_back("base before"); }
};

class TDerived : public TBase {
public:
    explicit TDerived(int Value) : FValue(Value) {}
    ~TDerived() override { Journal.push_back("destructor"); }
    void AfterConstruction() override { Journal.push_back("derived after " + std::to_string(FValue)); }
    void BeforeDestruction() override { Journal.push_back("derived before"); }

private:
    int FValue;
};

class TFailing : public TObject {
public:
    ~TFailing() override { Journal.push_back("failing destroyed"); }
    void AfterConstruction() override { throw std::runtime_error("refused"); }
};

namespace inner {
class TNested : public TObject {};
} // namespace inner

} // namespace

TEST(TObject, CreateRunsTheMostDerivedAfterConstructionOnce) {
    Journal.clear();
    TDerived* Obj = Create<TDerived>(7);
    EXPECT_EQ(Journal, (std::vector<std::string>{"derived after 7"}));
    Journal.clear();
    Free(Obj);
    EXPECT_EQ(Journal, (std::vector<std::string>{"derived before", "destructor"}));
}

TEST(TObject, CreateDeletesTheObjectWhenAfterConstructionFails) {
    Journal.clear();
    EXPECT_THROW(Create<TFailing>(), std::runtime_error);
    EXPECT_EQ(Journal, (std::vector<std::string>{"failing destroyed"}));
}

TEST(TObject, FreeAndNilClearsTheReferenceBeforeDestruction) {
    struct TWatched : TObject {
        TWatched** Watcher = nullptr;
        bool* SawNilFlag = nullptr;
        void BeforeDestruction() override { *SawNilFlag = (*Watcher == nullptr); }
    };
    bool SawNil = false;
    TWatched* Obj = Create<TWatched>();
    Obj->Watcher = &Obj;
    Obj->SawNilFlag = &SawNil;
    FreeAndNil(Obj);
    EXPECT_EQ(Obj, nullptr);
    EXPECT_TRUE(SawNil);
    FreeAndNil(Obj); // null-safe
    Free(nullptr);
}

TEST(TObject, ClassNameIsTheMostDerivedClassWithoutNamespaces) {
    TObject* Obj = Create<TDerived>(1);
    EXPECT_EQ(Obj->ClassName(), u"TDerived");
    Free(Obj);
    inner::TNested Nested;
    EXPECT_EQ(Nested.ClassName(), u"TNested");
    TObject Plain;
    EXPECT_EQ(Plain.ClassName(), u"TObject");
}

TEST(TObject, InheritsFromFollowsTheDeclaredClassChain) {
    TPersistent Persistent;
    EXPECT_TRUE(Persistent.InheritsFrom(TObject::StaticClassInfo()));
    EXPECT_TRUE(Persistent.InheritsFrom(TPersistent::StaticClassInfo()));
    TObject Plain;
    EXPECT_FALSE(Plain.InheritsFrom(TPersistent::StaticClassInfo()));
    EXPECT_EQ(TPersistent::StaticClassInfo().Name, u"TPersistent");
    EXPECT_EQ(TPersistent::StaticClassInfo().Parent, &TObject::StaticClassInfo());
}

TEST(ClassRegistry, FindsRegisteredClassesByNameWithoutRegardToCase) {
    RegisterClass<TPersistent>();
    EXPECT_EQ(&FindClass(u"TPersistent"), &TPersistent::StaticClassInfo());
    EXPECT_EQ(GetClass(u"tpersistent"), &TPersistent::StaticClassInfo());
    RegisterClass<TPersistent>(); // again: no effect

    TObject* Obj = FindClass(u"TPersistent").CreateInstance();
    EXPECT_EQ(Obj->ClassName(), u"TPersistent");
    Free(Obj);
    UnRegisterClass(TPersistent::StaticClassInfo());
    EXPECT_EQ(GetClass(u"TPersistent"), nullptr);
}

TEST(ClassRegistry, UnknownNamesAndNameClashesRaise) {
    EXPECT_EQ(GetClass(u"TNoSuchClass"), nullptr);
    try {
        FindClass(u"TNoSuchClass");
        FAIL() << "no exception";
    } catch (const EClassNotFound& E) {
        EXPECT_EQ(E.Message(), u"Class TNoSuchClass not found");
    }

    static const TClassInfo Impostor = [] {
        TClassInfo Info;
        Info.Name = u"TPERSISTENT";
        Info.Parent = &TObject::StaticClassInfo();
        return Info;
    }();
    RegisterClass<TPersistent>();
    try {
        RegisterClass(Impostor);
        FAIL() << "no exception";
    } catch (const EFilerError& E) {
        EXPECT_EQ(E.Message(), u"A class named TPERSISTENT already exists");
    }
    EXPECT_THROW(Impostor.CreateInstance(), EInvalidOperation);
    UnRegisterClass(TPersistent::StaticClassInfo());
}
