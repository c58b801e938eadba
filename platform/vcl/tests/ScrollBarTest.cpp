// The scroll bar control: arrows, track, box dragging and keys with their
// scroll codes, the range limits.

#include "VclTestSupport.h"
#include "vcl/StdCtrls.h"
#include "windowing/Input.h"

using namespace winapi;

namespace {

class ScrollBarTest : public VclTest {
protected:
    // A shown, vertical bar of 17 x 121 over 0 … 100 with a page of 10 and
    // large steps of 10, logging "code position" of each scroll and "change".
    TScrollBar* NewBar() {
        TForm* Form = NewForm();
        auto* Bar = new TScrollBar(Form);
        Bar->SetParent(Form);
        Bar->SetKind(sbVertical);
        Bar->SetBounds(10, 10, 17, 121);
        Bar->SetPageSize(10);
        Bar->SetLargeChange(10);
        Bar->OnScroll = [this](TObject*, TScrollCode Code, Integer& Pos) {
            Log.push_back(Narrow(GetEnumName(TypeInfoOf(static_cast<TScrollCode*>(nullptr)), Code)) + " " +
                          std::to_string(Pos));
        };
        Bar->OnChange = [this](TObject*) { Log.push_back("change"); };
        Form->Show();
        Pump();
        return Bar;
    }
    TPoint At(TScrollBar* Bar, Integer Y) { return Bar->ClientToScreen({8, Y}); }
};

} // namespace

TEST_F(ScrollBarTest, ArrowsTrackAndKeysStepWithinTheRange) {
    TScrollBar* Bar = NewBar();
    TPoint Down = At(Bar, 115);
    headless::Click(Down.X, Down.Y);
    Pump();
    EXPECT_EQ(Bar->Position(), 1);
    TPoint Track = At(Bar, 90);
    headless::Click(Track.X, Track.Y);
    Pump();
    EXPECT_EQ(Bar->Position(), 11);
    EXPECT_EQ(Log,
              TLog({"scLineDown 1", "change", "scEndScroll 1", "scPageDown 11", "change", "scEndScroll 11"}));
    Log.clear();
    headless::TypeKey(VK_END); // no further than the last page
    headless::TypeKey(VK_DOWN);
    Pump();
    EXPECT_EQ(Bar->Position(), 91);
    EXPECT_EQ(Log, TLog({"scBottom 91", "change", "scEndScroll 91", "scLineDown 91", "scEndScroll 91"}));
    Bar->OnScroll = [](TObject*, TScrollCode Code, Integer& Pos) {
        if (Code == scTop) Pos = 3; // the handler has the last word
    };
    headless::TypeKey(VK_HOME);
    Pump();
    EXPECT_EQ(Bar->Position(), 3);
}

TEST_F(ScrollBarTest, DraggingTheBoxTracksAndEndsWithItsPosition) {
    TScrollBar* Bar = NewBar();
    TPoint Box = At(Bar, 20); // the box's top part at position 0
    headless::MoveMouse(Box.X, Box.Y);
    headless::Press();
    Pump();
    TPoint End = At(Bar, 200); // beyond the bar: the mouse stays captured
    headless::MoveMouse(End.X, End.Y);
    headless::Release();
    Pump();
    EXPECT_EQ(Bar->Position(), 91);
    EXPECT_EQ(Log, TLog({"scTrack 91", "change", "scPosition 91", "scEndScroll 91"}));
}

TEST_F(ScrollBarTest, RangeLimitsThePositionAndRefusesMinAboveMax) {
    TScrollBar* Bar = NewBar();
    Bar->SetPosition(500);
    EXPECT_EQ(Bar->Position(), 91);
    Bar->SetMax(50);
    EXPECT_EQ(Bar->Position(), 41);
    try {
        Bar->SetParams(0, 10, 5);
        FAIL() << "no exception";
    } catch (const EInvalidOperation& E) {
        EXPECT_EQ(E.Message(), u"Scroll bar property out of range");
    }
    EXPECT_EQ(Bar->Min(), 0);
}
