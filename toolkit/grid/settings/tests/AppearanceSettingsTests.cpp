#include "grid/AppearanceSettings.h"
#include "rtl/Encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressAppearance, NewAppearanceHoldsTheDefaults) {
    TGridProgressAppearance Look;
    const struct {
        const char16_t* Name;
        Int64 Value;
    } Expected[] = {
        {u"CompleteColor", 0x0000FF},
        {u"CompleteFontColor", 0xFF0000},
        {u"UnCompleteColor", clNone},
        {u"UnCompleteFontColor", clWindowText},
        {u"Level0Color", 0x00FF00},
        {u"Level0ColorTo", 0xE1FFE1},
        {u"Level1Color", 0x00FFFF},
        {u"Level1ColorTo", 0xCAFFFF},
        {u"Level2Color", 0x53A9FF},
        {u"Level2ColorTo", 0xA8D3FF},
        {u"Level3Color", 0x0000FF},
        {u"Level3ColorTo", 0xCACAFF},
        {u"Level1Perc", 70},
        {u"Level2Perc", 90},
        {u"BorderColor", 0},
        {u"ShowBorder", 0},
        {u"Stacked", 0},
        {u"ShowPercentage", 1},
        {u"CompletionSmooth", 1},
        {u"ShowGradient", 1},
        {u"Steps", 11},
    };
    for (const auto& Row : Expected)
        EXPECT_EQ(GetOrdProp(&Look, Row.Name), Row.Value) << Utf8(Row.Name);
    EXPECT_EQ(Look.Style(), psXP);
    EXPECT_EQ(GetPropInfo(&Look, u"Style"), nullptr) << "Style is public, not published";
}

TEST(ProgressAppearance, SettersFireOnChangeOnlyForADifferentValue) {
    TGridProgressAppearance Look;
    int Changes = 0;
    Look.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Look);
        ++Changes;
    };
    for (const TPropInfo* Prop : GetPropList(&Look)) {
        if (Prop->Kind() == tkMethod) continue;
        Changes = 0;
        const Int64 Value = GetOrdProp(&Look, *Prop);
        SetOrdProp(&Look, *Prop, Value);
        EXPECT_EQ(Changes, 0) << Utf8(Prop->Name);
        SetOrdProp(&Look, *Prop, Value == 0 ? 1 : 0);
        EXPECT_EQ(Changes, 1) << Utf8(Prop->Name);
    }
    Changes = 0;
    Look.SetStyle(psClassic);
    EXPECT_EQ(Changes, 1);
}

TEST(ProgressAppearance, AssignCopiesEverySettingAndChangesOnce) {
    TGridProgressAppearance Source, Target;
    for (const TPropInfo* Prop : GetPropList(&Source))
        if (Prop->Kind() != tkMethod) SetOrdProp(&Source, *Prop, GetOrdProp(&Source, *Prop) == 0 ? 1 : 0);
    Source.SetStyle(psClassic);
    bool SourceHandlerCopied = false;
    Source.OnChange = [&](TObject*) { SourceHandlerCopied = true; };
    int Changes = 0;
    Target.OnChange = [&](TObject*) { ++Changes; };
    Target.Assign(&Source);
    EXPECT_EQ(Changes, 1);
    for (const TPropInfo* Prop : GetPropList(&Source)) {
        if (Prop->Kind() == tkMethod) continue;
        EXPECT_EQ(GetOrdProp(&Target, *Prop), GetOrdProp(&Source, *Prop)) << Utf8(Prop->Name);
    }
    EXPECT_EQ(Target.Style(), psClassic);
    Target.SetSteps(3);
    EXPECT_FALSE(SourceHandlerCopied);

    Changes = 0;
    TColorSetting Other;
    Target.Assign(&Other);
    EXPECT_EQ(Changes, 0);
}

TEST(ColorSetting, SettersCompareAndAssignIsSilent) {
    TColorSetting Setting, Source;
    EXPECT_EQ(Setting.TextColor(), clNone);
    EXPECT_EQ(Setting.BkgColor(), clNone);
    int Changes = 0;
    Setting.OnChange = [&](TObject*) { ++Changes; };
    Setting.SetTextColor(clRed);
    Setting.SetTextColor(clRed);
    Setting.SetBkgColor(clBlue);
    EXPECT_EQ(Changes, 2);
    Source.SetTextColor(clGreen);
    Source.SetBkgColor(clNone);
    Setting.Assign(&Source);
    EXPECT_EQ(Changes, 2);
    EXPECT_EQ(Setting.TextColor(), clGreen);
    EXPECT_EQ(Setting.BkgColor(), clNone);
}

TEST(AutoColor, ActiveAsSoonAsOneOfItsFourColoursIsSet) {
    TAutoColor Auto;
    EXPECT_FALSE(Auto.IsActive());
    Auto.PositiveNumber()->SetBkgColor(clYellow);
    EXPECT_TRUE(Auto.IsActive());
    EXPECT_EQ(Auto.NegativeNumber()->TextColor(), clNone) << "negative numbers keep their normal colours";
    Auto.PositiveNumber()->SetBkgColor(clNone);
    EXPECT_FALSE(Auto.IsActive());
}

TEST(AutoColor, ChangesOfEitherSettingReachOnChange) {
    TAutoColor Auto;
    std::vector<TObject*> Senders;
    Auto.OnChange = [&](TObject* Sender) { Senders.push_back(Sender); };
    Auto.NegativeNumber()->SetTextColor(clRed);
    Auto.PositiveNumber()->SetTextColor(clGreen);
    EXPECT_EQ(Senders, (std::vector<TObject*>{&Auto, &Auto}));
}

TEST(AutoColor, AssignAndSettersCopyIntoTheOwnedSettings) {
    TAutoColor Source, Target;
    Source.NegativeNumber()->SetTextColor(clRed);
    Source.PositiveNumber()->SetBkgColor(clAqua);
    TColorSetting* OwnNegative = Target.NegativeNumber();
    Target.Assign(&Source);
    EXPECT_EQ(Target.NegativeNumber(), OwnNegative);
    EXPECT_EQ(Target.NegativeNumber()->TextColor(), clRed);
    EXPECT_EQ(Target.PositiveNumber()->BkgColor(), clAqua);

    TColorSetting Setting;
    Setting.SetBkgColor(clLime);
    Target.SetNegativeNumber(&Setting);
    EXPECT_EQ(Target.NegativeNumber(), OwnNegative);
    EXPECT_EQ(Target.NegativeNumber()->BkgColor(), clLime);
    EXPECT_EQ(Target.NegativeNumber()->TextColor(), clNone);
}

TEST(ShowModified, ColorFiresOnChangeEveryTimeAndAssignIsSilent) {
    TShowModified Show, Source;
    EXPECT_FALSE(Show.Enabled());
    EXPECT_EQ(Show.Color(), 0x00FFFF);
    int Changes = 0;
    Show.OnChange = [&](TObject*) { ++Changes; };
    Show.SetColor(0x00FFFF);
    Show.SetColor(0x00FFFF);
    EXPECT_EQ(Changes, 2);
    Source.SetEnabled(true);
    Source.SetColor(clRed);
    Show.Assign(&Source);
    EXPECT_EQ(Changes, 2);
    EXPECT_TRUE(Show.Enabled());
    EXPECT_EQ(Show.Color(), clRed);
}

} // namespace
