#include "RecordingSettingsOwner.h"
#include "graphics/GraphicsObjects.h"
#include "grid/ControlLook.h"

#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::string>;

TEST(ControlLook, NewLookHoldsTheDefaultsAndClearsTheGridsMirrorColours) {
    TRecordingSettingsOwner Grid;
    TControlLook Look(&Grid);
    // Init runs the four mirror setters; nothing else reaches the grid.
    EXPECT_EQ(Grid.Take(), (Calls{"DOV dgHoverMirrorFrom=0x1FFFFFFF", "DOV dgHoverMirrorTo=0x1FFFFFFF",
                                  "DOV dgDownMirrorFrom=0x1FFFFFFF", "DOV dgDownMirrorTo=0x1FFFFFFF"}));
    const struct {
        const char16_t* Name;
        Int64 Value;
    } Expected[] = {
        {u"ButtonPrefix", 0},
        {u"Color", 0},
        {u"CommentColor", 0x0000FF},
        {u"FixedGradientFrom", clNone},
        {u"FixedGradientTo", clNone},
        {u"FixedGradientMirrorFrom", clNone},
        {u"FixedGradientMirrorTo", clNone},
        {u"FixedGradientHoverFrom", 0x808080},
        {u"FixedGradientHoverTo", 0xFFFFFF},
        {u"FixedGradientHoverMirrorFrom", clNone},
        {u"FixedGradientHoverMirrorTo", clNone},
        {u"FixedGradientHoverBorder", 0xC0C0C0},
        {u"FixedGradientDownFrom", 0x808080},
        {u"FixedGradientDownTo", 0xC0C0C0},
        {u"FixedGradientDownMirrorFrom", clNone},
        {u"FixedGradientDownMirrorTo", clNone},
        {u"FixedGradientDownBorder", 0x808080},
        {u"FixedDropDownButton", 0},
        {u"HintMaxWidth", 0},
        {u"CheckSize", 15},
        {u"CheckAlwaysActive", 0},
        {u"RadioSize", 10},
        {u"RadioAlwaysActive", 0},
        {u"RadioRange", 0},
        {u"ControlStyle", ZirOvararIzaz::csTheme},
        {u"DropDownAlwaysVisible", 0},
        {u"DropDownButtonWidth", 16},
        {u"DropDownCount", 8},
        {u"SpinButtonsAlwaysVisible", 0},
        {u"FlatButton", 0},
        {u"NoDisabledCheckRadioLook", 0},
        {u"NoDisabledButtonLook", 0},
        {u"ProgressBorderColor", 0x808080},
        {u"ProgressMarginX", 2},
        {u"ProgressMarginY", 2},
        {u"ProgressXP", 0},
        {u"ProgressHeight", 0},
    };
    for (const auto& Row : Expected)
        EXPECT_EQ(GetOrdProp(&Look, Row.Name), Row.Value) << Utf8(Row.Name);
    for (TBitmap* Glyph :
         {Look.CheckedGlyph(), Look.UnCheckedGlyph(), Look.RadioOnGlyph(), Look.RadioOffGlyph()})
        EXPECT_TRUE(Glyph->Empty());
    EXPECT_EQ(Look.DropDownHeader(), nullptr);
}

TEST(ControlLook, HoverGradientDiffersFromItsStreamDefaultsSoItIsWritten) {
    TControlLook Look(nullptr);
    for (const char16_t* Name : {u"FixedGradientHoverFrom", u"FixedGradientHoverTo", u"FixedGradientDownFrom",
                                 u"FixedGradientDownTo"})
        EXPECT_FALSE(IsDefaultPropertyValue(&Look, FindPropInfo(&Look, Name))) << Utf8(Name);
    EXPECT_TRUE(IsDefaultPropertyValue(&Look, FindPropInfo(&Look, u"FixedGradientHoverBorder")));
}

// Each setter given a value twice: what reached the grid the first time and
// the second time (a comparing setter stays silent the second time).
TEST(ControlLook, SettersRepaintCompareAndWriteThroughAsTheirRulesSay) {
    const struct {
        const char16_t* Name;
        Int64 Value;
        Calls First;
        Calls Again;
    } Cases[] = {
        {u"Color", 0x123456, {"Repaint"}, {"Repaint"}},
        {u"CommentColor", 0x00FF00, {"Repaint"}, {"Repaint"}},
        {u"CheckSize", 20, {"Repaint"}, {"Repaint"}},
        {u"RadioSize", 12, {"Repaint"}, {"Repaint"}},
        {u"SpinButtonsAlwaysVisible", 1, {"Repaint"}, {"Repaint"}},
        {u"FlatButton", 1, {"Repaint"}, {"Repaint"}},
        {u"NoDisabledCheckRadioLook", 1, {"Repaint"}, {"Repaint"}},
        {u"NoDisabledButtonLook", 1, {"Repaint"}, {"Repaint"}},
        {u"ProgressMarginX", 4, {"Repaint"}, {"Repaint"}},
        {u"ProgressMarginY", 4, {"Repaint"}, {"Repaint"}},
        {u"ProgressXP", 1, {"Repaint"}, {"Repaint"}},
        {u"ProgressHeight", 9, {"Repaint"}, {"Repaint"}},
        {u"ControlStyle", ZirOvararIzaz::csFlat, {"Repaint"}, {}},
        {u"DropDownAlwaysVisible", 1, {"Repaint"}, {}},
        {u"DropDownButtonWidth", 20, {"Repaint"}, {}},
        {u"RadioRange", 1, {"Repaint"}, {}},
        {u"ButtonPrefix", 1, {}, {}},
        {u"CheckAlwaysActive", 1, {}, {}},
        {u"RadioAlwaysActive", 1, {}, {}},
        {u"FixedDropDownButton", 1, {}, {}},
        {u"DropDownCount", 12, {}, {}},
        {u"HintMaxWidth", 300, {}, {}},
        {u"ProgressBorderColor", 0x00FF00, {}, {}},
        {u"FixedGradientFrom", 0xFF, {"DOV dgFrom=0xFF"}, {"DOV dgFrom=0xFF"}},
        {u"FixedGradientFrom", clNone, {}, {}},
        {u"FixedGradientTo", 0xFF, {"DOV dgTo=0xFF"}, {"DOV dgTo=0xFF"}},
        {u"FixedGradientMirrorFrom",
         clNone,
         {"DOV dgMirrorFrom=0x1FFFFFFF"},
         {"DOV dgMirrorFrom=0x1FFFFFFF"}},
        {u"FixedGradientMirrorTo", 0xFF, {"DOV dgMirrorTo=0xFF"}, {"DOV dgMirrorTo=0xFF"}},
        {u"FixedGradientHoverFrom", 0xFF, {"DOV dgHoverFrom=0xFF"}, {"DOV dgHoverFrom=0xFF"}},
        {u"FixedGradientHoverTo", clNone, {}, {}},
        {u"FixedGradientHoverMirrorFrom",
         clNone,
         {"DOV dgHoverMirrorFrom=0x1FFFFFFF"},
         {"DOV dgHoverMirrorFrom=0x1FFFFFFF"}},
        {u"FixedGradientHoverMirrorTo", 0xFF, {"DOV dgHoverMirrorTo=0xFF"}, {"DOV dgHoverMirrorTo=0xFF"}},
        {u"FixedGradientHoverBorder", 0xFF, {"DOV dgHoverBorder=0xFF"}, {"DOV dgHoverBorder=0xFF"}},
        {u"FixedGradientDownFrom", 0xFF, {"DOV dgDownFrom=0xFF"}, {"DOV dgDownFrom=0xFF"}},
        {u"FixedGradientDownTo", 0xFF, {"DOV dgDownTo=0xFF"}, {"DOV dgDownTo=0xFF"}},
        {u"FixedGradientDownMirrorFrom", 0xFF, {"DOV dgDownMirrorFrom=0xFF"}, {"DOV dgDownMirrorFrom=0xFF"}},
        {u"FixedGradientDownMirrorTo",
         clNone,
         {"DOV dgDownMirrorTo=0x1FFFFFFF"},
         {"DOV dgDownMirrorTo=0x1FFFFFFF"}},
        {u"FixedGradientDownBorder", clNone, {}, {}},
    };
    for (const auto& Case : Cases) {
        TRecordingSettingsOwner Grid;
        TControlLook Look(&Grid);
        Grid.Take();
        SetOrdProp(&Look, Case.Name, Case.Value);
        EXPECT_EQ(Grid.Take(), Case.First) << Utf8(Case.Name);
        EXPECT_EQ(GetOrdProp(&Look, Case.Name), Case.Value) << Utf8(Case.Name);
        SetOrdProp(&Look, Case.Name, Case.Value);
        EXPECT_EQ(Grid.Take(), Case.Again) << Utf8(Case.Name);
    }
}

TEST(ControlLook, NegativeProgressHeightIsIgnored) {
    TRecordingSettingsOwner Grid;
    TControlLook Look(&Grid);
    Look.SetProgressHeight(7);
    Grid.Take();
    Look.SetProgressHeight(-1);
    EXPECT_EQ(Look.ProgressHeight(), 7);
    EXPECT_TRUE(Grid.Take().empty());
}

TEST(ControlLook, CheckSizeReadsSixteenUnderTheDOVStyleOnly) {
    TControlLook Look(nullptr);
    Look.SetControlStyle(ZirOvararIzaz::csDOV);
    Look.SetCheckSize(20);
    EXPECT_EQ(Look.CheckSize(), 16);
    Look.SetControlStyle(ZirOvararIzaz::csFlat);
    EXPECT_EQ(Look.CheckSize(), 20);
}

TEST(ControlLook, GlyphSettersCopyTheBitmapAndRepaint) {
    TRecordingSettingsOwner Grid;
    TControlLook Look(&Grid);
    Grid.Take();
    TBitmap Glyph;
    Glyph.SetSize(13, 11);
    Look.SetRadioOnGlyph(&Glyph);
    EXPECT_EQ(Look.RadioOnGlyph()->Width(), 13);
    EXPECT_NE(Look.RadioOnGlyph(), &Glyph);
    EXPECT_EQ(Grid.Take(), Calls{"Repaint"});
}

// Sets every property of a look to a value other than its default.
void ChangeEverything(TControlLook& Look) {
    Int64 Next = 0x010101;
    for (const TPropInfo* Prop : GetPropList(&Look)) {
        if (Prop->Kind() == tkClass) continue;
        if (Prop->PropType->Name == u"Boolean")
            SetOrdProp(&Look, *Prop, 1);
        else if (Prop->Kind() == tkEnumeration)
            SetOrdProp(&Look, *Prop, ZirOvararIzaz::csGlyph);
        else
            SetOrdProp(&Look, *Prop, Next++);
    }
    TBitmap Glyph;
    Glyph.SetSize(5, 6);
    Look.SetCheckedGlyph(&Glyph);
    Look.SetUnCheckedGlyph(&Glyph);
    Look.SetRadioOnGlyph(&Glyph);
    Look.SetRadioOffGlyph(&Glyph);
    dynamic_cast<TFont*>(Look.DropDownHeader())->SetName(u"Header");
    dynamic_cast<TFont*>(Look.DropDownFooter())->SetName(u"Footer");
}

TEST(ControlLook, AssignCopiesTheListedSettingsWithoutSettersOrRepaint) {
    TRecordingSettingsOwner SourceGrid, TargetGrid;
    SourceGrid.MakeAppearance = TargetGrid.MakeAppearance = [] { return std::make_unique<TFont>(); };
    TControlLook Source(&SourceGrid), Target(&TargetGrid);
    ChangeEverything(Source);
    TargetGrid.Take();

    Target.Assign(&Source);
    EXPECT_TRUE(TargetGrid.Take().empty()) << "neither repaints nor touches the grid's gradient";
    const std::vector<String> NotCopied = {u"FlatButton", u"NoDisabledCheckRadioLook",
                                           u"NoDisabledButtonLook", u"FixedDropDownButton"};
    for (const TPropInfo* Prop : GetPropList(&Target)) {
        if (Prop->Kind() == tkClass) continue;
        const bool Copied = std::find(NotCopied.begin(), NotCopied.end(), Prop->Name) == NotCopied.end();
        if (Copied)
            EXPECT_EQ(GetOrdProp(&Target, *Prop), GetOrdProp(&Source, *Prop)) << Utf8(Prop->Name);
        else
            EXPECT_EQ(GetOrdProp(&Target, *Prop), 0) << Utf8(Prop->Name) << " keeps its own value";
    }
    for (TBitmap* Glyph :
         {Target.CheckedGlyph(), Target.UnCheckedGlyph(), Target.RadioOnGlyph(), Target.RadioOffGlyph()})
        EXPECT_EQ(Glyph->Width(), 5);
    EXPECT_EQ(dynamic_cast<TFont*>(Target.DropDownHeader())->Name(), u"Header");
    EXPECT_EQ(dynamic_cast<TFont*>(Target.DropDownFooter())->Name(), u"Footer");
}

TEST(ControlLook, AssignTakesTheCheckSizeAsTheSourceReadsIt) {
    TControlLook Source(nullptr), Target(nullptr);
    Source.SetCheckSize(20);
    Source.SetControlStyle(ZirOvararIzaz::csDOV);
    Target.Assign(&Source);
    Target.SetControlStyle(ZirOvararIzaz::csFlat);
    EXPECT_EQ(Target.CheckSize(), 16);
}

TEST(ControlLook, AssignFromAnotherClassChangesNothing) {
    TControlLook Look(nullptr);
    TFont Font;
    Look.Assign(&Font);
    Look.Assign(nullptr);
    EXPECT_EQ(Look.CheckSize(), 15);
}

} // namespace
