// Tool tips: tools on subclassed windows, text on request, delays, the
// show and pop notifications, tracking, title and colours.

#include "WindowingTestSupport.h"
#include "graphics/Colors.h"
#include "windowing/Input.h"
#include "windowing/ToolTips.h"

using namespace winapi;

// Fontconfig keeps its configuration for the life of the process.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace {

class ToolTipTest : public WindowingTest {
protected:
    void SetUp() override {
        WindowingTest::SetUp();
        Top = Create("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, {100, 100, 500, 400});
        Tool = Create("tool", WS_CHILD | WS_VISIBLE, {10, 10, 110, 40}, Top);
        Tip = CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, u"", WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON,
                             0, 0, 0, 0, Top, 0, nullptr);
        ASSERT_NE(Tip, nullptr);
        // The tool's window answers text requests and logs the notifications.
        Handle(Tool, [this](HWND, UINT Message, WPARAM, LPARAM LParam) -> std::optional<LRESULT> {
            if (Message != WM_NOTIFY) return std::nullopt;
            auto* Header = reinterpret_cast<NMHDR*>(LParam);
            if (Header->code == TTN_GETDISPINFOW) {
                ++Requests;
                reinterpret_cast<NMTTDISPINFOW*>(LParam)->lpszText = Answer.data();
            }
            if (Header->code == TTN_SHOW) Notes.push_back("show");
            if (Header->code == TTN_POP) Notes.push_back("pop");
            return 0;
        });
        Pump();
    }
    void AddTool() {
        TOOLINFOW Info;
        Info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        Info.hwnd = Tool;
        Info.uId = reinterpret_cast<NativeUInt>(Tool);
        Info.lpszText = LPSTR_TEXTCALLBACKW;
        ASSERT_NE(SendMessage(Tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&Info)), 0);
    }
    // Moves the mouse to a point of the tool's client area.
    void MoveOverTool(Integer X = 20, Integer Y = 10) {
        TPoint At{X, Y};
        ClientToScreen(Tool, At);
        Headless->MoveMouse(At.X, At.Y);
        Pump();
    }
    void Wait(UInt64 Milliseconds) {
        Clock->Advance(Milliseconds);
        Pump();
    }

    HWND Top = nullptr;
    HWND Tool = nullptr;
    HWND Tip = nullptr;
    String Answer = u"A tip for the tool";
    Integer Requests = 0;
    std::vector<std::string> Notes;
};

} // namespace

TEST_F(ToolTipTest, HoveringShowsTheTipAfterTheDelayAndItPopsLater) {
    AddTool();
    SendMessage(Tip, TTM_SETDELAYTIME, TTDT_INITIAL, 300);
    SendMessage(Tip, TTM_SETDELAYTIME, TTDT_AUTOPOP, 2000);
    EXPECT_EQ(SendMessage(Tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 300);
    MoveOverTool();
    Wait(200);
    EXPECT_FALSE(IsWindowVisible(Tip));
    Wait(150);
    EXPECT_TRUE(IsWindowVisible(Tip));
    EXPECT_EQ(Requests, 1);
    EXPECT_EQ(Notes, (std::vector<std::string>{"show"}));
    Wait(2100);
    EXPECT_FALSE(IsWindowVisible(Tip));
    EXPECT_EQ(Notes, (std::vector<std::string>{"show", "pop"}));
}

TEST_F(ToolTipTest, LeavingTheToolOrPressingAButtonHidesTheTip) {
    AddTool();
    MoveOverTool();
    Wait(600);
    ASSERT_TRUE(IsWindowVisible(Tip));
    Headless->PressButton();
    Pump();
    EXPECT_FALSE(IsWindowVisible(Tip));
    Headless->ReleaseButton();
    Headless->MoveMouse(400, 300); // off the tool
    Pump();
    Wait(1000);
    EXPECT_FALSE(IsWindowVisible(Tip));
}

TEST_F(ToolTipTest, DeletedToolsShowNothingAndTitlesAndColoursAreKept) {
    AddTool();
    EXPECT_EQ(SendMessage(Tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    String Title = u"Title";
    EXPECT_EQ(SendMessage(Tip, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(Title.c_str())), 1);
    EXPECT_EQ(SendMessage(Tip, TTM_SETTITLEW, 4, reinterpret_cast<LPARAM>(Title.c_str())), 0);
    SendMessage(Tip, TTM_SETTIPBKCOLOR, WPARAM(clYellow), 0);
    SendMessage(Tip, TTM_SETTIPTEXTCOLOR, WPARAM(clNavy), 0);
    EXPECT_EQ(SendMessage(Tip, TTM_GETTIPBKCOLOR, 0, 0), clYellow);
    EXPECT_EQ(SendMessage(Tip, TTM_SETMAXTIPWIDTH, 0, 300), -1);
    EXPECT_EQ(SendMessage(Tip, TTM_GETMAXTIPWIDTH, 0, 0), 300);
    TOOLINFOW Info;
    Info.hwnd = Tool;
    Info.uId = reinterpret_cast<NativeUInt>(Tool);
    SendMessage(Tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&Info));
    EXPECT_EQ(SendMessage(Tip, TTM_GETTOOLCOUNT, 0, 0), 0);
    MoveOverTool();
    Wait(1000);
    EXPECT_FALSE(IsWindowVisible(Tip));
}

TEST_F(ToolTipTest, ATrackedTipShowsAtItsPositionUntilDeactivated) {
    TOOLINFOW Info;
    Info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    Info.hwnd = Tool;
    Info.uId = 7;
    String Text = u"tracked";
    Info.lpszText = Text.data();
    SendMessage(Tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&Info));
    SendMessage(Tip, TTM_TRACKPOSITION, 0, MAKELPARAM(300, 250));
    SendMessage(Tip, TTM_TRACKACTIVATE, 1, reinterpret_cast<LPARAM>(&Info));
    Pump();
    EXPECT_TRUE(IsWindowVisible(Tip));
    TRect Where;
    GetWindowRect(Tip, Where);
    EXPECT_EQ(Where.Left, 300);
    EXPECT_EQ(Where.Top, 250);
    Wait(20000); // a tracked tip does not pop by itself
    EXPECT_TRUE(IsWindowVisible(Tip));
    SendMessage(Tip, TTM_TRACKACTIVATE, 0, reinterpret_cast<LPARAM>(&Info));
    EXPECT_FALSE(IsWindowVisible(Tip));
    EXPECT_EQ(Requests, 0); // the text was given
}
