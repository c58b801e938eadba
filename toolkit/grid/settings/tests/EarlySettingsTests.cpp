// The settings objects of the later string-grid parts: balloon tips, hover
// buttons, column sizes, the floating footer and the HTML export; and the
// rule that every new settings object holds its declared stream defaults.

#include "RecordingSettingsOwner.h"
#include "grid/AppearanceSettings.h"
#include "grid/BackGround.h"
#include "grid/BalloonSettings.h"
#include "grid/ColumnSize.h"
#include "grid/DragDropSettings.h"
#include "grid/FloatingFooter.h"
#include "grid/HTMLSettings.h"
#include "grid/HoverButtons.h"
#include "grid/PrintSettings.h"

#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::string>;

// A new object of every class reads its declared stream default in every
// ordinal property (the control look's hover and down gradients are the
// exception and have their own test).
TEST(SettingsDefaults, NewObjectsHoldTheirStreamDefaults) {
    TRecordingSettingsOwner Grid;
    TBackGround BackGround(&Grid);
    TGridProgressAppearance Progress;
    TColorSetting Setting;
    TAutoColor Auto;
    TShowModified Modified;
    TPrintSettings Print(&Grid);
    TDragDropSettings DragDrop(&Grid);
    TDragScrollOptions DragScroll;
    TBalloonSettings Balloon;
    THoverButtons Hover(nullptr);
    THoverButtonsCollectionItem* Button = Hover.Buttons()->Add();
    TColumnSize ColumnSize(&Grid);
    TFloatingFooter Footer(&Grid);
    THTMLSettings HTML;
    const std::vector<const TObject*> Objects = {&BackGround,
                                                 &Progress,
                                                 &Setting,
                                                 &Auto,
                                                 &Modified,
                                                 &Print,
                                                 &DragDrop,
                                                 DragScroll.Delays(),
                                                 DragScroll.Margins(),
                                                 &DragScroll,
                                                 &Balloon,
                                                 &Hover,
                                                 Button,
                                                 &ColumnSize,
                                                 &Footer,
                                                 &HTML};
    for (const TObject* Object : Objects)
        for (const TPropInfo* Prop : GetPropList(Object)) {
            if (!Prop->HasDefault) continue;
            EXPECT_EQ(GetOrdProp(Object, *Prop), Prop->Default)
                << Utf8(Object->ClassName()) << "." << Utf8(Prop->Name);
        }
    EXPECT_TRUE(Grid.Calls.empty());
    EXPECT_EQ(HTML.ImageFolder(), u"images");
    EXPECT_EQ(HTML.ImageBaseName(), u"img");
    EXPECT_EQ(HTML.ColWidths()->Count(), 0);
    EXPECT_EQ(Footer.Height(), 24);
    EXPECT_TRUE(Footer.EnableCalculation());
    EXPECT_FALSE(Footer.RowAdded());
    EXPECT_FALSE(Balloon.Init());
    EXPECT_TRUE(Button->Picture()->Graphic() == nullptr);
}

TEST(BalloonSettings, EnableFiresOnAChangeOnly) {
    TBalloonSettings Balloon;
    int Changes = 0;
    Balloon.OnEnableChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Balloon);
        ++Changes;
    };
    Balloon.SetEnable(false);
    Balloon.SetEnable(true);
    Balloon.SetEnable(true);
    Balloon.SetEnable(false);
    EXPECT_EQ(Changes, 2);
}

TEST(BalloonSettings, AssignLeavesTransparencyAndFiresNothing) {
    TBalloonSettings Source, Target;
    Source.SetTextColor(clRed);
    Source.SetBackgroundColor(clYellow);
    Source.SetInitialDelay(10);
    Source.SetAutoHideDelay(20);
    Source.SetReshowDelay(30);
    Source.SetEnable(true);
    Source.SetShowCell(false);
    Source.SetTransparency(64);
    Target.SetTransparency(5);
    int Changes = 0;
    Target.OnEnableChange = [&](TObject*) { ++Changes; };
    Target.Assign(&Source);
    EXPECT_EQ(Changes, 0);
    EXPECT_EQ(Target.TextColor(), clRed);
    EXPECT_EQ(Target.BackgroundColor(), clYellow);
    EXPECT_EQ(Target.InitialDelay(), 10);
    EXPECT_EQ(Target.AutoHideDelay(), 20);
    EXPECT_EQ(Target.ReshowDelay(), 30);
    EXPECT_TRUE(Target.Enable());
    EXPECT_FALSE(Target.ShowCell());
    EXPECT_EQ(Target.Transparency(), 5);
}

TEST(HoverButtons, OnlyAChangedValueMarksTheCollectionUpdated) {
    const struct {
        const char* What;
        std::function<void(THoverButtonsCollectionItem&)> Change;
        bool Updated;
    } Cases[] = {
        {"same caption", [](auto& B) { B.SetCaption(u"Go"); }, false},
        {"other caption", [](auto& B) { B.SetCaption(u"Stop"); }, true},
        {"same hint", [](auto& B) { B.SetHint(u""); }, false},
        {"other hint", [](auto& B) { B.SetHint(u"h"); }, true},
        {"same enabled", [](auto& B) { B.SetEnabled(true); }, false},
        {"other enabled", [](auto& B) { B.SetEnabled(false); }, true},
        {"same flat", [](auto& B) { B.SetFlat(false); }, false},
        {"other flat", [](auto& B) { B.SetFlat(true); }, true},
        {"same image", [](auto& B) { B.SetImageIndex(0); }, false},
        {"other image", [](auto& B) { B.SetImageIndex(2); }, true},
        {"picture", [](auto& B) { B.SetPicture(nullptr); }, true},
        {"tag", [](auto& B) { B.SetTag(4); }, false},
        {"width", [](auto& B) { B.SetWidth(40); }, false},
    };
    for (const auto& Case : Cases) {
        THoverButtons Hover(nullptr);
        THoverButtonsCollectionItem* Button = Hover.Buttons()->Add();
        Button->SetCaption(u"Go");
        Hover.Buttons()->SetUpdated(false);
        Case.Change(*Button);
        EXPECT_EQ(Hover.Buttons()->Updated(), Case.Updated) << Case.What;
    }
}

TEST(HoverButtons, ItemAssignCopiesEverythingButTheImageIndex) {
    THoverButtons Hover(nullptr);
    THoverButtonsCollectionItem* Source = Hover.Buttons()->Add();
    THoverButtonsCollectionItem* Target = Hover.Buttons()->Add();
    Source->SetTag(1);
    Source->SetFlat(true);
    Source->SetEnabled(false);
    Source->SetCaption(u"Go");
    Source->SetHint(u"Start");
    TBitmap Glyph;
    Glyph.SetSize(4, 3);
    Source->Picture()->SetGraphic(&Glyph);
    Source->SetWidth(30);
    Source->SetImageIndex(5);
    Target->Assign(Source);
    EXPECT_EQ(Target->Tag(), 1);
    EXPECT_TRUE(Target->Flat());
    EXPECT_FALSE(Target->Enabled());
    EXPECT_EQ(Target->Caption(), u"Go");
    EXPECT_EQ(Target->Hint(), u"Start");
    EXPECT_EQ(Target->Picture()->Width(), 4);
    EXPECT_EQ(Target->Width(), 30);
    EXPECT_EQ(Target->ImageIndex(), 0);
}

TEST(HoverButtons, AssignCopiesTheSettingsAndTheButtons) {
    TBitmap OwnerStandIn;
    THoverButtons Source(nullptr), Target(&OwnerStandIn);
    Source.SetEnabled(true);
    Source.SetColumn(3);
    Source.SetPosition(hbRightFromColumnRight);
    Source.SetRows(hrAll);
    Source.SetMoveActiveRow(false);
    Source.Buttons()->Add()->SetCaption(u"A");
    Source.Buttons()->Add()->SetCaption(u"B");
    Target.Assign(&Source);
    EXPECT_TRUE(Target.Enabled());
    EXPECT_EQ(Target.Column(), 3);
    EXPECT_EQ(Target.Position(), hbRightFromColumnRight);
    EXPECT_EQ(Target.Rows(), hrAll);
    EXPECT_FALSE(Target.MoveActiveRow());
    ASSERT_EQ(Target.Buttons()->Count(), 2);
    EXPECT_EQ(Target.Buttons()->Items(1)->Caption(), u"B");
    EXPECT_EQ(Target.GetOwner(), &OwnerStandIn);
    EXPECT_EQ(Target.Buttons()->GetOwner(), &Target);
}

TEST(ColumnSize, StretchSettersStretchAgainAndStretchAllTakesTheLastColumn) {
    TRecordingSettingsOwner Grid;
    TColumnSize Size(&Grid);
    Size.SetStretchColumn(2);
    Size.SetStretch(true);
    EXPECT_EQ(Grid.Take(), Calls{"ReStretch"});
    EXPECT_EQ(Size.StretchColumn(), 2);
    Size.SetStretchAll(true);
    EXPECT_EQ(Grid.Take(), Calls{"ReStretch"});
    EXPECT_EQ(Size.StretchColumn(), -1);
    Size.SetStretchColumn(1);
    Size.SetStretchAll(false);
    EXPECT_EQ(Size.StretchColumn(), 1);
    EXPECT_EQ(Grid.Take(), Calls{"ReStretch"});
    Size.SetStretchAll(false);
    EXPECT_EQ(Grid.Take(), Calls{}) << "an unchanged StretchAll stretches nothing";
}

TEST(ColumnSize, AssignCopiesEverySettingWithoutStretching) {
    TRecordingSettingsOwner Grid;
    TColumnSize Source(nullptr), Target(&Grid);
    Source.SetRows(arVisible);
    Source.SetSave(true);
    Source.SetKey(u"sizes.ini");
    Source.SetSection(u"Grid");
    Source.SetStretch(true);
    Source.SetStretchAll(true);
    Source.SetStretchColumn(4);
    Source.SetSynchWithGrid(true);
    Source.SetSynchNormalCellsOnly(true);
    Source.SetLocation(clIniFile);
    Target.Assign(&Source);
    EXPECT_TRUE(Grid.Calls.empty());
    EXPECT_EQ(Target.Rows(), arVisible);
    EXPECT_TRUE(Target.Save());
    EXPECT_EQ(Target.Key(), u"sizes.ini");
    EXPECT_EQ(Target.Section(), u"Grid");
    EXPECT_TRUE(Target.Stretch());
    EXPECT_TRUE(Target.StretchAll());
    EXPECT_EQ(Target.StretchColumn(), 4);
    EXPECT_TRUE(Target.SynchWithGrid());
    EXPECT_TRUE(Target.SynchNormalCellsOnly());
    EXPECT_EQ(Target.Location(), clIniFile);

    TFloatingFooter Other(nullptr);
    Target.Assign(&Other);
    EXPECT_EQ(Target.StretchColumn(), 4);
}

TEST(FloatingFooter, SettersReachTheGridAsTheirRulesSay) {
    const struct {
        const char* What;
        std::function<void(TFloatingFooter&)> Set;
        Calls Expected;
    } Cases[] = {
        {"Visible twice",
         [](auto& F) {
             F.SetVisible(true);
             F.SetVisible(true);
         },
         {"FooterVisible"}},
        {"Visible unchanged", [](auto& F) { F.SetVisible(false); }, {}},
        {"FooterStyle", [](auto& F) { F.SetFooterStyle(fsFixedLastRow); }, {"FooterStyle"}},
        {"Height", [](auto& F) { F.SetHeight(30); }, {"FooterHeight"}},
        {"Color", [](auto& F) { F.SetColor(clBtnFace); }, {"RepaintFooterPanel"}},
        {"Column", [](auto& F) { F.SetColumn(2); }, {"RepaintFooterPanel"}},
        {"CustomTemplate", [](auto& F) { F.SetCustomTemplate(u"<#1>"); }, {"RepaintFooterPanel"}},
        {"BorderColor",
         [](auto& F) {
             F.SetBorderColor(clRed);
             F.SetBorderColor(clRed);
         },
         {"RepaintFooterPanel"}},
        {"BorderColor unchanged", [](auto& F) { F.SetBorderColor(clNone); }, {}},
        {"ShowHint", [](auto& F) { F.SetShowHint(false); }, {"FooterShowHint"}},
        {"EnableCalculation", [](auto& F) { F.SetEnableCalculation(false); }, {}},
        {"CalculateHiddenRows", [](auto& F) { F.SetCalculateHiddenRows(false); }, {}},
        {"Invalidate", [](auto& F) { F.Invalidate(); }, {"RepaintFooterPanel"}},
    };
    for (const auto& Case : Cases) {
        TRecordingSettingsOwner Grid;
        TFloatingFooter Footer(&Grid);
        Case.Set(Footer);
        EXPECT_EQ(Grid.Take(), Case.Expected) << Case.What;
    }
}

TEST(FloatingFooter, AssignStoresTheStyleAndShowsThroughVisible) {
    TRecordingSettingsOwner Grid;
    TFloatingFooter Source(nullptr), Target(&Grid);
    Source.SetCalculateHiddenRows(false);
    Source.SetColor(clRed);
    Source.SetColumn(3);
    Source.SetCustomTemplate(u"T");
    Source.SetFooterStyle(fsCustomPreview);
    Source.SetVisible(true);
    Source.SetShowHint(true);
    Source.SetBorderColor(clBlue);
    Source.SetHeight(40);
    Source.SetEnableCalculation(false);
    Target.Assign(&Source);
    EXPECT_EQ(Grid.Take(), Calls{"FooterVisible"});
    EXPECT_FALSE(Target.CalculateHiddenRows());
    EXPECT_EQ(Target.Color(), clRed);
    EXPECT_EQ(Target.Column(), 3);
    EXPECT_EQ(Target.CustomTemplate(), u"T");
    EXPECT_EQ(Target.FooterStyle(), fsCustomPreview);
    EXPECT_TRUE(Target.Visible());
    EXPECT_TRUE(Target.ShowHint());
    EXPECT_EQ(Target.BorderColor(), clNone);
    EXPECT_EQ(Target.Height(), 24);
    EXPECT_TRUE(Target.EnableCalculation());
}

TEST(HTMLSettings, AssignCopiesAllButExportImagesAndColumnWidths) {
    THTMLSettings Source, Target;
    for (const TPropInfo* Prop : GetPropList(&Source)) {
        if (Prop->Kind() == tkUString)
            SetStrProp(&Source, *Prop, Prop->Name + u"!");
        else
            SetOrdProp(&Source, *Prop, GetOrdProp(&Source, *Prop) == 1 ? 0 : 1);
    }
    Source.ColWidths()->Add(64);
    Target.Assign(&Source);
    for (const TPropInfo* Prop : GetPropList(&Source)) {
        if (Prop->Name == u"ExportImages")
            EXPECT_TRUE(Target.ExportImages());
        else if (Prop->Kind() == tkUString)
            EXPECT_EQ(GetStrProp(&Target, *Prop), GetStrProp(&Source, *Prop)) << Utf8(Prop->Name);
        else
            EXPECT_EQ(GetOrdProp(&Target, *Prop), GetOrdProp(&Source, *Prop)) << Utf8(Prop->Name);
    }
    EXPECT_EQ(Target.ColWidths()->Count(), 0);

    TBalloonSettings Other;
    Target.Assign(&Other);
    EXPECT_EQ(Target.Width(), 1);
}

} // namespace
