#include "rtl/Persistent.h"

#include "rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

// Two value classes: TMetres knows how to take TFeet (Assign) and how to
// give itself to TFeet (AssignTo); TFeet knows neither.
class TFeet : public TPersistent {
public:
    double Value = 0;
};

class TMetres : public TPersistent {
public:
    double Value = 0;

    void Assign(const TPersistent* Source) override {
        if (auto* Feet = dynamic_cast<const TFeet*>(Source)) {
            Value = Feet->Value * 0.3048;
            return;
        }
        if (auto* Metres = dynamic_cast<const TMetres*>(Source)) {
            Value = Metres->Value;
            return;
        }
        TPersistent::Assign(Source);
    }

protected:
    void AssignTo(TPersistent* Dest) const override {
        if (auto* Feet = dynamic_cast<TFeet*>(Dest)) {
            Feet->Value = Value / 0.3048;
            return;
        }
        TPersistent::AssignTo(Dest);
    }
};

class TOwnedValue : public TPersistent {
public:
    explicit TOwnedValue(TPersistent* Owner) : FOwner(Owner) {}
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};

class TNamedOwner : public TPersistent {
public:
    String GetNamePath() const override { return u"Form1.Grid"; }
};

String AssignError(TPersistent& Dest, const TPersistent* Source) {
    try {
        Dest.Assign(Source);
    } catch (const EConvertError& E) {
        return E.Message();
    }
    return u"(no error)";
}

} // namespace

TEST(TPersistent, AssignWorksFromEitherSideThatKnowsTheOther) {
    TFeet Feet;
    Feet.Value = 10;
    TMetres Metres;
    Metres.Assign(&Feet); // the destination knows the source
    EXPECT_DOUBLE_EQ(Metres.Value, 3.048);

    Metres.Value = 0.6096;
    TFeet Back;
    Back.Assign(&Metres); // the source knows the destination
    EXPECT_DOUBLE_EQ(Back.Value, 2);
}

TEST(TPersistent, AssignRefusesUnrelatedClassesAndNil) {
    TFeet Feet;
    TFeet OtherFeet;
    TMetres Metres;
    EXPECT_EQ(AssignError(Feet, &OtherFeet), u"Cannot assign a TFeet to a TFeet");
    EXPECT_EQ(AssignError(Metres, nullptr), u"Cannot assign a nil to a TMetres");
    TPersistent Plain;
    EXPECT_EQ(AssignError(Metres, &Plain), u"Cannot assign a TPersistent to a TMetres");
}

TEST(TPersistent, NamePathIsPrefixedWithTheOwnersPath) {
    TOwnedValue Alone(nullptr);
    EXPECT_EQ(Alone.GetNamePath(), u"TOwnedValue");
    TNamedOwner Owner;
    TOwnedValue Owned(&Owner);
    EXPECT_EQ(Owned.GetNamePath(), u"Form1.Grid.TOwnedValue");
}
