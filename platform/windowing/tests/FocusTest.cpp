// Focus, activation and the click that leaves a pop-up.

#include "windowing/Backend.h"
#include "windowing/Focus.h"

#include "WindowingTestSupport.h"

using namespace winapi;
using Strings = std::vector<std::string>;

TEST_F(WindowingTest, FocusChangeKillsTheOldNamingTheNewThenSetsTheNewNamingTheOld) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
    HWND a = Create("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), form);
    HWND b = Create("b", WS_CHILD | WS_VISIBLE, Bounds(10, 40, 50, 20), form);
    SetFocus(a);
    ClearLog();
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(Log(), Strings({"a:WM_KILLFOCUS", "b:WM_SETFOCUS"}));
    EXPECT_EQ(WParamToHandle(Entries()[0].WParam), b);
    EXPECT_EQ(WParamToHandle(Entries()[1].WParam), a);
    EXPECT_EQ(GetFocus(), b);
    ClearLog();
    EXPECT_EQ(SetFocus(b), b); // no change, no messages
    EXPECT_TRUE(Log().empty());
}

TEST_F(WindowingTest, FocusHandlerSeesTheNewFocusAndMayMoveIt) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
    HWND a = Create("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), form);
    HWND b = Create("b", WS_CHILD | WS_VISIBLE, Bounds(10, 40, 50, 20), form);
    HWND c = Create("c", WS_CHILD | WS_VISIBLE, Bounds(10, 70, 50, 20), form);
    SetFocus(a);
    HWND seen = nullptr;
    Handle(a, [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_KILLFOCUS) {
            seen = GetFocus();
            SetFocus(c); // refuse b: the focus goes on to c
        }
        return std::nullopt;
    });
    ClearLog();
    SetFocus(b);
    EXPECT_EQ(seen, b);
    EXPECT_EQ(GetFocus(), c);
    EXPECT_EQ(Log({WM_SETFOCUS, WM_KILLFOCUS}),
              Strings({"a:WM_KILLFOCUS", "b:WM_KILLFOCUS", "c:WM_SETFOCUS"}));
}

TEST_F(WindowingTest, DisabledOrHiddenFocusWindowLosesTheFocus) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 200));
    HWND a = Create("a", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), form);
    SetFocus(a);
    EnableWindow(a, false);
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(SetFocus(a), nullptr);
    EnableWindow(a, true);
    SetFocus(a);
    ShowWindow(a, SW_HIDE);
    EXPECT_EQ(GetFocus(), form);
}

TEST_F(WindowingTest, ActivationMessagesNameTheOtherWindow) {
    HWND first = Create("first", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 100));
    EXPECT_EQ(GetActiveWindow(), first);
    EXPECT_EQ(
        Log({WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}),
        Strings({"first:WM_ACTIVATEAPP", "first:WM_NCACTIVATE", "first:WM_ACTIVATE", "first:WM_SETFOCUS"}));
    HWND second = Create("second", WS_POPUP, Bounds(200, 0, 100, 100));
    ClearLog();
    ShowWindow(second, SW_SHOW);
    EXPECT_EQ(Log({WM_NCACTIVATE, WM_ACTIVATE, WM_KILLFOCUS, WM_SETFOCUS}),
              Strings({"first:WM_NCACTIVATE", "first:WM_ACTIVATE", "second:WM_NCACTIVATE",
                       "second:WM_ACTIVATE", "first:WM_KILLFOCUS", "second:WM_SETFOCUS"}));
    auto activates = [&](const std::string& name) {
        for (const auto& e : Entries())
            if (e.Window == name && e.Message == WM_ACTIVATE) return e;
        return TLoggedMessage();
    };
    EXPECT_EQ(LOWORD(activates("first").WParam), WA_INACTIVE);
    EXPECT_EQ(LParamToHandle(activates("first").LParam), second);
    EXPECT_EQ(LParamToHandle(activates("second").LParam), first);
}

TEST_F(WindowingTest, NonActivatingWindowsKeepTheActiveWindow) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 300));
    HWND tip = Create("tip", WS_POPUP, Bounds(20, 20, 50, 20), form, WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
    HWND hover = Create("hover", WS_POPUP, Bounds(100, 20, 50, 20), form);
    ShowWindow(tip, SW_SHOW);
    ShowWindow(hover, SW_SHOWNOACTIVATE);
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_TRUE(IsWindowVisible(tip));
    Pump();
    ClearLog();
    Headless->Click(30, 30); // on the tip: it gets the click, not the activation
    Pump();
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(Log({WM_LBUTTONDOWN, WM_ACTIVATE}), Strings({"tip:WM_LBUTTONDOWN"}));

    // A desktop without a window manager gives its focus to every window it
    // maps: that moves neither the activation nor the focus.
    HWND edit = Create("edit", WS_CHILD | WS_VISIBLE, Bounds(10, 100, 50, 20), form);
    SetFocus(edit);
    ClearLog();
    TInputEvent focused;
    focused.Kind = TInputEvent::TKind::AppActivated;
    focused.Window = tip;
    QueueInput(focused);
    Pump();
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(Log({WM_KILLFOCUS, WM_ACTIVATE}), Strings());
}

TEST_F(WindowingTest, ClickOutsidePopupDeactivatesItBeforeTheOwnerSeesThePress) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 300));
    HWND edit = Create("edit", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 100, 20), form);
    HWND popup = Create("popup", WS_POPUP, Bounds(10, 30, 100, 100), form, WS_EX_TOPMOST);
    SetWindowPos(popup, HWND_TOPMOST, 10, 30, 100, 100, SWP_SHOWWINDOW);
    EXPECT_EQ(GetActiveWindow(), popup);
    EXPECT_TRUE(GetWindowLong(popup, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Pump();
    ClearLog();
    Headless->Click(50, 15); // on the edit in the owner
    Pump();
    EXPECT_EQ(Log({WM_MOUSEACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN, WM_LBUTTONUP}),
              Strings({"edit:WM_MOUSEACTIVATE", "form:WM_MOUSEACTIVATE", "popup:WM_ACTIVATE",
                       "form:WM_ACTIVATE", "edit:WM_LBUTTONDOWN", "edit:WM_LBUTTONUP"}));
    EXPECT_EQ(GetActiveWindow(), form);
    (void)edit;
}

TEST_F(WindowingTest, HidingTheActiveWindowActivatesItsOwner) {
    HWND form = Create("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 300, 300));
    HWND dialog = Create("dialog", WS_POPUP | WS_VISIBLE, Bounds(50, 50, 100, 100), form);
    EXPECT_EQ(GetActiveWindow(), dialog);
    ShowWindow(dialog, SW_HIDE);
    EXPECT_EQ(GetActiveWindow(), form);
    EXPECT_EQ(GetFocus(), form);
    DestroyWindow(form); // owned windows go with their owner
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(GetActiveWindow(), nullptr);
}
