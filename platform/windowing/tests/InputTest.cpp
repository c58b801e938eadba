// Mouse routing, double clicks, capture, leave tracking and the keyboard.

#include "windowing/Input.h"

#include "WindowingTestSupport.h"
#include "windowing/Focus.h"

using namespace winapi;
using Strings = std::vector<std::string>;

namespace {
const std::vector<UINT> Buttons = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
}

TEST_F(WindowingTest, ClickAndDoubleClickOrder) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(100, 100, 300, 200));
    Create("child", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 100, 50), form);
    Pump();
    ClearLog();
    Headless->Click(120, 120);
    Clock->Advance(200);
    Headless->Click(121, 121);
    Pump();
    EXPECT_EQ(Log(Buttons), Strings({"child:WM_LBUTTONDOWN", "child:WM_LBUTTONUP", "child:WM_LBUTTONDBLCLK",
                                     "child:WM_LBUTTONUP"}));
    for (const auto& e : Entries())
        if (e.Message == WM_LBUTTONDOWN) {
            EXPECT_EQ(GET_X_LPARAM(e.LParam), 10); // client coordinates of the child
            EXPECT_EQ(GET_Y_LPARAM(e.LParam), 10);
            EXPECT_EQ(e.WParam, WPARAM(MK_LBUTTON));
        }
}

TEST_F(WindowingTest, SecondPressBecomesADoubleClickOnlyCloseInTimeAndPlace) {
    struct TCase {
        Integer Wait;
        Integer Dx;
        bool Double;
    };
    const TCase cases[] = {{500, 0, true}, {501, 0, false}, {0, 2, true}, {0, 3, false}};
    HWND w = Create("w", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
    for (const auto& c : cases) {
        Clock->Advance(1000);
        Pump();
        ClearLog();
        Headless->Click(50, 50);
        Clock->Advance(c.Wait);
        Headless->Click(50 + c.Dx, 50);
        Pump();
        auto log = Log(Buttons);
        ASSERT_EQ(log.size(), 4u);
        EXPECT_EQ(log[2], c.Double ? "w:WM_LBUTTONDBLCLK" : "w:WM_LBUTTONDOWN")
            << c.Wait << " ms, " << c.Dx << " px";
    }
    (void)w;
}

TEST_F(WindowingTest, CaptureRoutesTheMouseToTheCaptureWindow) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
    HWND a = Create("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 50), form);
    HWND b = Create("b", WS_CHILD | WS_VISIBLE, Bounds(100, 10, 50, 50), form);
    Pump();
    EXPECT_EQ(SetCapture(a), nullptr);
    ClearLog();
    Headless->MoveMouse(120, 20); // over b
    Headless->ReleaseButton();
    Pump();
    EXPECT_EQ(Log({WM_MOUSEMOVE, WM_LBUTTONUP}), Strings({"a:WM_MOUSEMOVE", "a:WM_LBUTTONUP"}));
    EXPECT_EQ(GET_X_LPARAM(Entries().back().LParam), 110);
    ClearLog();
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(Log(), Strings({"a:WM_CAPTURECHANGED"}));
    EXPECT_EQ(LParamToHandle(Entries()[0].LParam), b);
    ClearLog();
    ReleaseCapture();
    EXPECT_EQ(Log(), Strings({"b:WM_CAPTURECHANGED"}));
    EXPECT_EQ(GetCapture(), nullptr);
    Headless->MoveMouse(20, 20);
    Pump();
    EXPECT_EQ(Log({WM_MOUSEMOVE}), Strings({"a:WM_MOUSEMOVE"}));
}

TEST_F(WindowingTest, LeaveIsPostedOnceWhenTheCursorLeaves) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
    HWND a = Create("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 50), form);
    Headless->MoveMouse(20, 20);
    Pump();
    TRACKMOUSEEVENT track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = a;
    ASSERT_TRUE(TrackMouseEvent(track));
    ClearLog();
    Headless->MoveMouse(25, 25);
    Headless->MoveMouse(200, 100);
    Headless->MoveMouse(20, 20);
    Headless->MoveMouse(200, 100);
    Pump();
    EXPECT_EQ(Log({WM_MOUSELEAVE}), Strings({"a:WM_MOUSELEAVE"}));
}

TEST_F(WindowingTest, KeysGoToTheFocusWithCharactersAndKeypadFlag) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
    HWND edit = Create("edit", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), form);
    SetFocus(edit);
    ClearLog();
    Headless->PressKey(VK_SHIFT);
    Headless->TypeKey('A');
    Headless->ReleaseKey(VK_SHIFT);
    Headless->TypeKey(VK_DECIMAL);
    Headless->TypeKey(VK_OEM_PERIOD);
    Pump();
    std::vector<std::pair<UINT, WPARAM>> chars;
    std::vector<LPARAM> charData;
    for (const auto& e : Entries())
        if (e.Message == WM_CHAR) {
            chars.emplace_back(e.Message, e.WParam);
            charData.push_back(e.LParam);
        }
    ASSERT_EQ(chars.size(), 3u);
    EXPECT_EQ(chars[0].second, WPARAM(u'A'));
    EXPECT_EQ(chars[1].second, WPARAM(u'.'));
    EXPECT_EQ(chars[2].second, WPARAM(u'.'));
    EXPECT_TRUE(charData[1] & (LPARAM(1) << 22)) << "the keypad's decimal key";
    EXPECT_FALSE(charData[2] & (LPARAM(1) << 22));
    EXPECT_EQ(Log({WM_KEYDOWN, WM_CHAR, WM_KEYUP})[0], "edit:WM_KEYDOWN");
}

TEST_F(WindowingTest, KeyStateKnowsLeftAndRightModifiersAndAltMakesSystemKeys) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
    SetFocus(form);
    Headless->PressKey(VK_MENU, std::nullopt, true); // right Alt
    EXPECT_LT(GetAsyncKeyState(VK_RMENU), 0) << "queued input has happened on the device";
    EXPECT_GE(GetKeyState(VK_MENU), 0) << "but not for the messages taken so far";
    Headless->TypeKey('X');
    ClearLog();
    Pump();
    EXPECT_LT(GetKeyState(VK_MENU), 0);
    EXPECT_LT(GetKeyState(VK_RMENU), 0);
    EXPECT_GE(GetKeyState(VK_LMENU), 0);
    EXPECT_EQ(Log({WM_SYSKEYDOWN, WM_SYSCHAR, WM_KEYDOWN}),
              Strings({"form:WM_SYSKEYDOWN", "form:WM_SYSKEYDOWN", "form:WM_SYSCHAR"}));
    Headless->ReleaseKey(VK_MENU, true);
    Headless->TypeKey(VK_CAPITAL);
    Pump();
    EXPECT_GE(GetKeyState(VK_MENU), 0);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
}

TEST_F(WindowingTest, WheelGoesToTheFocusAndUpTheParents) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
    HWND list = Create("list", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), form);
    SetFocus(list);
    ClearLog();
    Headless->Wheel(-WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Log({WM_MOUSEWHEEL}), Strings({"list:WM_MOUSEWHEEL", "form:WM_MOUSEWHEEL"}));
    for (const auto& e : Entries()) {
        if (e.Message == WM_MOUSEWHEEL) {
            EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(e.WParam), -WHEEL_DELTA);
        }
    }
}
