// The analog watch on the headless window system with a manual clock.

#include "DropDownTestSupport.h"
#include "dropdown/KelWatch.h"
#include "rtl/DateTime.h"
#include "rtl/Exception.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

class Watch : public DropDownTest {
protected:
    TKelWatch* NewWatch(Integer Size = 180) {
        Form = NewForm();
        Form->SetBounds(100, 100, std::max(400, Size + 40), std::max(300, Size + 60));
        auto* W = Create<TKelWatch>(Form);
        W->SetParent(Form);
        W->SetBounds(10, 10, Size, Size);
        Pump();
        return W;
    }

    static Integer HourOf(TKelWatch* W) {
        Word H, M, S, MS;
        DecodeTime(W->Time(), H, M, S, MS);
        return H;
    }
    static Integer MinuteOf(TKelWatch* W) {
        Word H, M, S, MS;
        DecodeTime(W->Time(), H, M, S, MS);
        return M;
    }

    TForm* Form = nullptr;
};

} // namespace

TEST_F(Watch, PointsOnTheFaceGiveMinutesAndHours) {
    auto* W = NewWatch(); // centre (90, 90), radius 80
    const struct {
        const char* Name;
        Integer X, Y, Resolution, Hour, Minute, ClickedHour;
    } Cases[] = {
        {"7 minutes at resolution 5", 123, 53, 5, 9, 5, 1},
        {"58 minutes at resolution 5", 80, 41, 5, 9, 0, 0},
        {"straight up", 90, 40, 1, 9, 0, 0},
        {"just left of straight up", 85, 40, 1, 9, 59, 0},
        {"just before 12 in the AM half", 80, 41, 1, 9, 58, 0},
        {"just before 12 in the PM half", 80, 41, 1, 21, 58, 12},
        {"3 o'clock in the AM half", 140, 90, 1, 9, 15, 3},
        {"3 o'clock in the PM half", 140, 90, 1, 21, 15, 15},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        W->SetResolution(Case.Resolution);
        W->SetTime(EncodeTime(Word(Case.Hour), 30, 0, 0));
        EXPECT_EQ(W->XYToMinute(Case.X, Case.Y), Case.Minute);
        EXPECT_EQ(W->XYToHour(Case.X, Case.Y), Case.ClickedHour);
    }
    W->SetResolution(45); // above 30: ignored
    EXPECT_EQ(W->Resolution(), 1);
}

TEST_F(Watch, MinuteZeroAfterHalfPastRollsTheHourAndSixtyIsRefused) {
    auto* W = NewWatch();
    W->SetAnimation(false);
    W->SetTime(EncodeTime(23, 45, 0, 0));
    W->SetMinute(0);
    EXPECT_EQ(W->Time(), 0.0);
    try {
        W->SetMinute(60);
        FAIL() << "no error";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), u"Invalid time");
    }
    EXPECT_EQ(W->Time(), 0.0);
}

TEST_F(Watch, TheHourAnimationMovesOneHourPerTick) {
    auto* W = NewWatch();
    W->SetTime(EncodeTime(8, 0, 0, 0));
    Integer Changes = 0;
    W->OnChange = [&](TObject*) { ++Changes; };
    W->SetHour(2);
    EXPECT_EQ(HourOf(W), 8);
    std::vector<Integer> Seen;
    for (Integer Tick = 0; Tick < 10 && W->Animating(); ++Tick) {
        Advance(10);
        Pump();
        Seen.push_back(HourOf(W));
    }
    EXPECT_EQ(Seen, (std::vector<Integer>{7, 6, 5, 4, 3, 2, 2}));
    EXPECT_FALSE(W->Animating());
    EXPECT_EQ(Changes, 6); // every effective change is reported
}

TEST_F(Watch, StylesStartFromTheDefaultLookAndKeepLengthsInAByte) {
    auto* W = NewWatch(170);
    EXPECT_EQ(W->Style(), wsClassic);
    EXPECT_EQ(W->Appearance()->HourFont()->Name(), u"Tahoma");
    EXPECT_EQ(W->Appearance()->HourMarkLength(), 0);
    W->SetStyle(wsClassic); // already the value: nothing applied
    EXPECT_EQ(W->Appearance()->HourMarkLength(), 0);

    W->SetStyle(wsSuperNova);
    EXPECT_EQ(W->Appearance()->HourMarkLength(), 38);
    EXPECT_EQ(W->Appearance()->MinuteMarkLength(), 56);
    EXPECT_FALSE(W->ShowAMPM());

    W->SetStyle(wsClassic);
    EXPECT_EQ(W->Appearance()->HourMarkLength(), 8);
    EXPECT_EQ(W->Appearance()->HourFont()->Name(), u"Comic Sans MS");
    EXPECT_TRUE(W->ShowAMPM());

    W->SetBounds(0, 0, 1200, 1200);
    W->SetStyle(wsSuperNova);
    EXPECT_EQ(W->Appearance()->HourMarkLength(), 255);
    EXPECT_EQ(W->Appearance()->MinuteMarkLength(), 255);
    W->SetStyle(wsSports);
    EXPECT_EQ(W->Appearance()->CenterPointSize(), 255);
}

TEST_F(Watch, AClickWithoutAnimationSetsTheHourAndReportsIt) {
    auto* W = NewWatch();
    W->SetAnimation(false);
    W->SetTime(EncodeTime(9, 30, 0, 0));
    Integer Changes = 0;
    W->OnChange = [&](TObject*) { ++Changes; };
    ClickAt(W->ClientToScreen({140, 90})); // inside the dial at 3 o'clock
    EXPECT_EQ(HourOf(W), 3);
    EXPECT_EQ(Changes, 1);
    ClickAt(W->ClientToScreen({175, 90})); // outside the dial: the minute
    EXPECT_EQ(MinuteOf(W), 15);
    EXPECT_EQ(Changes, 2);
    W->SetReadOnly(true);
    ClickAt(W->ClientToScreen({90, 40}));
    EXPECT_EQ(HourOf(W), 3);
}

TEST_F(Watch, OnlyTheLettersSwitchTheHalfOfTheDay) {
    auto* W = NewWatch();
    W->SetAnimation(false);
    W->SetTime(EncodeTime(9, 10, 0, 0));
    const struct {
        Word Key;
        Integer Hour, Minute;
    } Cases[] = {
        {97, 9, 10}, {112, 9, 10}, {u'P', 21, 10}, {u'A', 9, 10}, {VK_PRIOR, 10, 10}, {VK_NEXT, 9, 10},
        {VK_RIGHT, 9, 11}, {VK_END, 9, 0}, {VK_LEFT, 8, 59}, {VK_HOME, 12, 59},
    };
    for (const auto& Case : Cases) {
        W->ProcessKey(Case.Key);
        EXPECT_EQ(HourOf(W), Case.Hour) << Case.Key;
        EXPECT_EQ(MinuteOf(W), Case.Minute) << Case.Key;
    }
}

TEST_F(Watch, TheAMPMRollRunsOnTimerFramesWhileTheMessageLoopGoesOn) {
    auto* W = NewWatch();
    W->SetTime(EncodeTime(9, 0, 0, 0));
    Pump();
    const TRect Box = W->GetAMPMRect();
    ASSERT_GT(Box.Bottom - Box.Top, 2);
    ClickAt(W->ClientToScreen({(Box.Left + Box.Right) / 2, (Box.Top + Box.Bottom) / 2}));
    // The click returned and the queue was pumped while the box rolls.
    EXPECT_TRUE(W->Rolling());
    EXPECT_EQ(HourOf(W), 21);
    EXPECT_FALSE(W->AM());
    bool Posted = false;
    auto* Timer = Create<TTimer>(Form);
    Timer->SetInterval(10);
    Timer->OnTimer = [&](TObject*) { Posted = true; };
    Integer Frames = 0;
    while (W->Rolling() && Frames < 100) {
        Advance(10);
        Pump();
        ++Frames;
    }
    EXPECT_FALSE(W->Rolling());
    EXPECT_TRUE(Posted); // other timers ran during the roll
    EXPECT_GE(Frames, Box.Bottom - Box.Top - 2);
}

TEST_F(Watch, TheFaceIsCachedWithoutTheHands) {
    auto* W = NewWatch();
    W->SetAnimation(false);
    W->Appearance()->SetHourPointer(0x0000FF);
    W->Appearance()->SetHourPointerShadow(clNone);
    W->SetTime(EncodeTime(3, 0, 0, 0)); // the hour hand points right
    W->Repaint();
    Pump();
    ASSERT_EQ(W->Cache()->Width(), 180);
    // On the hour hand's radius: the cache holds the plain face.
    EXPECT_EQ(W->Cache()->Canvas()->Pixels(115, 90), TColor(0xFFFFFF));
}
