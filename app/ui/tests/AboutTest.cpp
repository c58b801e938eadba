// The about box shows the version and the release date and closes on
// Escape; the splash window is dismissed with its timer stopped.

#include "UiTestSupport.h"
#include "ui/About.h"
#include "vcl/Image.h"
#include "vcl/StdCtrls.h"
#include "vcl/Timer.h"
#include "windowing/Input.h"

namespace {
class UiAbout : public UiTest {};
} // namespace

TEST_F(UiAbout, ActivationShowsVersionAndDateAndEscapeClosesTheBox) {
    String Caption, Version, Date;
    Integer PictureWidth = 0;
    Steps({[&] {
        auto* Box = dynamic_cast<TfrmAbout*>(Screen->ActiveForm());
        ASSERT_NE(Box, nullptr);
        Caption = Box->Caption();
        Version = Box->lblVersion()->Caption();
        Date = Box->lblDate()->Caption();
        PictureWidth = Box->imgProduct()->Picture()->Width();
        EXPECT_EQ(Box->FormStyle(), fsStayOnTop);
        Backend->TypeKey(winapi::VK_ESCAPE);
    }});
    TfrmAbout::ShowAbout();
    EXPECT_TRUE(StepsDone());
    EXPECT_EQ(Caption, u"VANDREL 1.4.2 - About");
    EXPECT_EQ(Version, u"1.4.2");
    EXPECT_EQ(Date, u"14 July 2025");
    EXPECT_EQ(PictureWidth, 300);
}

TEST_F(UiAbout, HideSplashStopsTheTimerAndReleasesTheWindowAndDoesNothingWithoutOne) {
    EXPECT_NO_THROW(HideSplash());
    const Integer Before = Application->ComponentCount();
    frmSplash = Create<TfrmSplash>(Application);
    EXPECT_FALSE(frmSplash->Timer1()->Enabled());
    EXPECT_EQ(frmSplash->Timer1()->Interval(), 1500u);
    frmSplash->SetTimerEnabled(true);
    TTimer* Timer = frmSplash->Timer1();
    HideSplash();
    EXPECT_FALSE(Timer->Enabled());
    EXPECT_EQ(frmSplash, nullptr);
    Pump(); // the release frees it
    EXPECT_EQ(Application->ComponentCount(), Before);
}
