// Track bars: keys and limits, clicks on the channel, dragging, OnChange
// also for positions set by code.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "vcl/TrackBar.h"
#include "windowing/Input.h"

using namespace winapi;

TEST_F(VclTest, TrackBarKeysMoveThePositionWithinItsLimits) {
    struct TCase {
        const char* Name;
        Integer Start;
        Integer Key;
        Integer Want;
    };
    // Min 0, Max 20, LineSize 1, PageSize 5.
    const TCase Cases[] = {
        {"right steps a line", 10, VK_RIGHT, 11},  {"down steps a line", 10, VK_DOWN, 11},
        {"left steps back", 10, VK_LEFT, 9},       {"up steps back", 10, VK_UP, 9},
        {"page down pages", 10, VK_NEXT, 15},      {"page up pages", 10, VK_PRIOR, 5},
        {"home goes to min", 10, VK_HOME, 0},      {"end goes to max", 10, VK_END, 20},
        {"left stops at min", 0, VK_LEFT, 0},      {"page down stops at max", 18, VK_NEXT, 20},
    };
    TForm* Form = NewForm();
    auto* Bar = new TTrackBar(Form);
    Bar->SetParent(Form);
    Bar->SetMax(20);
    Bar->SetPageSize(5);
    Integer Changes = 0;
    Bar->OnChange = [&](TObject*) { ++Changes; };
    Form->Show();
    Pump();
    Bar->SetFocus();
    for (const TCase& Case : Cases) {
        Bar->SetPosition(Case.Start);
        Changes = 0;
        headless::TypeKey(Case.Key);
        Pump();
        EXPECT_EQ(Bar->Position(), Case.Want) << Case.Name;
        EXPECT_EQ(Changes, Case.Want != Case.Start ? 1 : 0) << Case.Name;
    }
}

TEST_F(VclTest, TrackBarRunsOnChangeWhenCodeSetsThePositionOrTheRangeMovesIt) {
    TForm* Form = NewForm();
    auto* Bar = new TTrackBar(Form);
    std::vector<Integer> Seen;
    Bar->OnChange = [&](TObject*) { Seen.push_back(Bar->Position()); };
    Bar->SetPosition(7);
    Bar->SetPosition(7);
    Bar->SetPosition(50);  // kept at Max 10
    Bar->SetMax(5);        // the position follows the range
    Bar->SetMin(8);        // Max follows a Min above it
    EXPECT_EQ(Seen, std::vector<Integer>({7, 10, 5, 8}));
    EXPECT_EQ(Bar->Max(), 8);
}

TEST_F(VclTest, TrackBarPagesTowardsAClickAndFollowsTheDraggedThumb) {
    for (TTrackBarOrientation Orientation : {trHorizontal, trVertical}) {
        TForm* Form = NewForm();
        auto* Bar = new TTrackBar(Form);
        Bar->SetParent(Form);
        Bar->SetOrientation(Orientation);
        Bar->SetMax(100);
        Bar->SetPageSize(10);
        Form->Show();
        Pump();
        bool Vertical = Orientation == trVertical;
        auto At = [&](Integer Along) {
            TRect Thumb = Bar->ThumbRect();
            Integer Across = Vertical ? (Thumb.Left + Thumb.Right) / 2 : (Thumb.Top + Thumb.Bottom) / 2;
            return Vertical ? ScreenAt(Bar, Across, Along) : ScreenAt(Bar, Along, Across);
        };
        TPoint Far = At(Bar->PositionToPixel(90));
        headless::Click(Far.X, Far.Y);
        Pump();
        EXPECT_EQ(Bar->Position(), 10) << "one page towards the click";
        EXPECT_TRUE(Bar->Focused());
        TPoint Grip = At(Bar->PositionToPixel(10));
        headless::MoveMouse(Grip.X, Grip.Y);
        headless::Press();
        TPoint To = At(Bar->PositionToPixel(60));
        headless::MoveMouse(To.X, To.Y);
        Pump();
        EXPECT_EQ(Bar->Position(), 60) << Vertical;
        TPoint Beyond = At(Bar->PositionToPixel(100) + 50);
        headless::MoveMouse(Beyond.X, Beyond.Y);
        headless::Release();
        Pump();
        EXPECT_EQ(Bar->Position(), 100) << Vertical;
        Free(Form);
    }
}
