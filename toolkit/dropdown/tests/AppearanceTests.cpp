// The pop-up appearances: defaults, which setters notify, assignment between
// classes, and the stored form format through the reflection tables.

#include "dropdown/KelDropDownAppearance.h"
#include "kel/KelPersistence.h"
#include "rtl/Stream.h"
#include "rtl/TypeInfo.h"

#include <gtest/gtest.h>

TEST(DropDownAppearance, BarDefaultsDifferOnlyInFontNameAndSizeGrip) {
    THeaderAppearance Header(nullptr);
    TFooterAppearance Footer(nullptr);
    for (TBarAppearance* Bar : {static_cast<TBarAppearance*>(&Header), static_cast<TBarAppearance*>(&Footer)}) {
        EXPECT_EQ(Bar->Color(), 0xC0C0C0);
        EXPECT_EQ(Bar->ColorTo(), 0xFFFFFF);
        EXPECT_EQ(Bar->GradientDirection(), gdVertical);
        EXPECT_EQ(Bar->Height(), 22);
        EXPECT_EQ(Bar->BorderWidth(), 1);
        EXPECT_EQ(Bar->BorderColor(), 0);
        EXPECT_EQ(Bar->ImageIndex(), -1);
        EXPECT_EQ(Bar->ButtonAlignment(), baRight);
        EXPECT_TRUE(Bar->Visible());
        EXPECT_EQ(Bar->Font()->Height(), -11);
    }
    EXPECT_EQ(Header.Font()->Name(), u"Segoe UI");
    EXPECT_EQ(Footer.Font()->Name(), TFont().Name());
    EXPECT_TRUE(Footer.SizeGrip());
}

TEST(DropDownAppearance, OnlyVisibleAndTheFootersCaptionNotify) {
    THeaderAppearance Header(nullptr);
    TFooterAppearance Footer(nullptr);
    int HeaderChanges = 0, FooterChanges = 0;
    Header.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Header);
        ++HeaderChanges;
    };
    Footer.OnChange = [&](TObject*) { ++FooterChanges; };
    Header.SetColor(clRed);
    Header.SetHeight(30);
    Header.SetCaption(u"Title");
    EXPECT_EQ(HeaderChanges, 0);
    Header.SetVisible(false);
    Header.SetVisible(false);
    EXPECT_EQ(HeaderChanges, 1);
    Footer.SetCaption(u"Total");
    EXPECT_EQ(FooterChanges, 1);
}

TEST(DropDownAppearance, ButtonWidthCaptionAndEnabledNotifyTheCollectionHeightDoesNot) {
    THeaderAppearance Header(nullptr);
    int ButtonChanges = 0;
    Header.OnButtonsChanged = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &Header);
        ++ButtonChanges;
    };
    THeaderButton* Button = Header.Buttons()->Add();
    EXPECT_EQ(ButtonChanges, 0); // adding does not notify
    Button->SetHeight(40);
    Button->SetImageIndex(3);
    EXPECT_EQ(ButtonChanges, 0);
    Button->SetWidth(50);
    Button->SetCaption(u"OK");
    Button->SetEnabled(false);
    EXPECT_EQ(ButtonChanges, 3);
    Button->SetWidth(50);
    EXPECT_EQ(ButtonChanges, 3);
}

TEST(DropDownAppearance, AssignCopiesOnlyFromTheSameClass) {
    THeaderAppearance Source(nullptr), Target(nullptr);
    TFooterAppearance Footer(nullptr);
    Source.SetColor(clRed);
    Source.SetVisible(false);
    Source.Font()->SetName(u"Tahoma");
    Source.Buttons()->Add()->SetCaption(u"A");
    int Changes = 0;
    Target.OnChange = [&](TObject*) { ++Changes; };
    Target.Assign(&Footer); // ignored, no exception
    EXPECT_EQ(Target.Color(), 0xC0C0C0);
    Target.Assign(&Source);
    EXPECT_EQ(Target.Color(), clRed);
    EXPECT_FALSE(Target.Visible());
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Target.Font()->Name(), u"Tahoma");
    EXPECT_EQ(Target.Buttons()->Count(), 1);

    TFooterAppearance Colours(nullptr);
    Footer.SetColor(clBlue);
    Footer.SetHeight(40);
    Colours.AssignColors(&Footer);
    EXPECT_EQ(Colours.Color(), clBlue);
    EXPECT_EQ(Colours.Height(), 22);
}

TEST(DropDownAppearance, ButtonAppearanceDefaultsAndChangeHook) {
    TKelButtonAppearance Look;
    EXPECT_EQ(Look.ColorChecked(), 0xF5D8CA);
    EXPECT_EQ(Look.ColorCheckedTo(), 0xF9BDA0);
    EXPECT_EQ(Look.BorderColorChecked(), 0xFF0000);
    EXPECT_EQ(Look.Font()->Name(), u"Segoe UI");
    int Changes = 0;
    Look.OnChange = [&](TObject*) { ++Changes; };
    Look.SetColorHot(Look.ColorHot());
    Look.SetGradient(gdVertical);
    EXPECT_EQ(Changes, 0);
    Look.SetColorHot(clRed);
    Look.SetGradient(gdHorizontal);
    EXPECT_EQ(Changes, 2);

    TKelButtonAppearance Copy;
    int CopyChanges = 0;
    Copy.OnChange = [&](TObject*) { ++CopyChanges; };
    Copy.Assign(&Look);
    EXPECT_EQ(Copy.ColorHot(), clRed);
    EXPECT_EQ(CopyChanges, 2);
}

TEST(DropDownAppearance, StoredHeaderFontNameReadsBack) {
    RegisterDropDownAppearanceClasses();
    // The grid's stored forms write the header with Tahoma; reading must not
    // leave the constructor's Segoe UI.
    THeaderAppearance Stored(nullptr);
    Stored.Font()->SetName(u"Tahoma");
    TMemoryStream Stream;
    TKelPersistence::SaveSettingsToStream(&Stored, &Stream);
    Stream.SetPosition(0);
    THeaderAppearance Read(nullptr);
    TKelPersistence::LoadSettingsFromStream(&Read, &Stream);
    EXPECT_EQ(Read.Font()->Name(), u"Tahoma");
    EXPECT_EQ(Read.Font()->Height(), -11);
    EXPECT_TRUE(Read.Visible());
    EXPECT_EQ(Read.Buttons()->Count(), 0);

    const TPropInfo* Visible = GetPropInfo(THeaderAppearance::StaticClassInfo(), u"Visible");
    ASSERT_NE(Visible, nullptr);
    EXPECT_FALSE(Visible->HasDefault); // always written
    const TPropInfo* Color = GetPropInfo(TFooterAppearance::StaticClassInfo(), u"Color");
    ASSERT_NE(Color, nullptr);
    EXPECT_EQ(Color->Default, 0xC0C0C0);
    EXPECT_NE(GetPropInfo(TFooterAppearance::StaticClassInfo(), u"SizeGrip"), nullptr);
    EXPECT_EQ(GetPropInfo(THeaderAppearance::StaticClassInfo(), u"SizeGrip"), nullptr);
}
