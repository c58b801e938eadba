// Sending, posting, retrieval order, registered names and the hook.

#include "WindowingTestSupport.h"
#include "windowing/Clipboard.h"

#include <algorithm>

using namespace winapi;
using Strings = std::vector<std::string>;

TEST_F(WindowingTest, SentMessagesRunAtOncePostedOnesWhenPumped) {
    HWND w = Create("w", WS_POPUP, Bounds(0, 0, 50, 50));
    ClearLog();
    PostMessage(w, WM_USER, 0, 0);
    SendMessage(w, WM_USER + 1, 0, 0);
    EXPECT_EQ(Log(), Strings({"w:WM_USER+1"}));
    // A message sent while a posted one is handled runs inside it; one posted runs after.
    Handle(w, [](HWND window, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_USER) {
            PostMessage(window, WM_USER + 2, 0, 0);
            SendMessage(window, WM_USER + 1, 0, 0);
        }
        return std::nullopt;
    });
    Pump();
    EXPECT_EQ(Log(), Strings({"w:WM_USER+1", "w:WM_USER", "w:WM_USER+1", "w:WM_USER+2"}));
}

TEST_F(WindowingTest, PostedMessagesComeBeforeInputAndInputBeforeTimers) {
    HWND w = Create("w", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 50, 50));
    Pump();
    SetTimer(w, 7, 10, nullptr);
    Clock->Advance(10);
    Headless->Click(10, 10);
    PostMessage(w, WM_USER, 0, 0);
    ClearLog();
    Pump();
    EXPECT_EQ(Log({WM_USER, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_TIMER}),
              Strings({"w:WM_USER", "w:WM_LBUTTONDOWN", "w:WM_LBUTTONUP", "w:WM_TIMER"}));
}

TEST_F(WindowingTest, PostToDestroyedWindowFailsAndQueuedOnesAreDropped) {
    HWND w = Create("w", WS_POPUP, Bounds(0, 0, 50, 50));
    EXPECT_TRUE(PostMessage(w, WM_USER, 0, 0));
    DestroyWindow(w);
    EXPECT_FALSE(PostMessage(w, WM_USER, 0, 0));
    ClearLog();
    MSG message;
    EXPECT_FALSE(PeekMessage(message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(Log().empty());
}

TEST_F(WindowingTest, QuitEndsGetMessageAfterPostedMessages) {
    HWND w = Create("w", WS_POPUP, Bounds(0, 0, 50, 50));
    PostMessage(w, WM_USER, 0, 0);
    PostQuitMessage(3);
    MSG message;
    ASSERT_TRUE(GetMessage(message, nullptr, 0, 0));
    EXPECT_EQ(message.message, UINT(WM_USER));
    EXPECT_FALSE(GetMessage(message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, WPARAM(3));
}

TEST_F(WindowingTest, WaitingForInputThatNeverComesIsAnErrorNotAHang) {
    MSG message;
    EXPECT_THROW(GetMessage(message, nullptr, 0, 0), EWindowingError);
    // An idle handler may feed the loop.
    HWND w = Create("w", WS_POPUP, Bounds(0, 0, 50, 50));
    Headless->SetIdleHandler([&] { PostMessage(w, WM_USER, 0, 0); });
    ASSERT_TRUE(GetMessage(message, nullptr, 0, 0));
    EXPECT_EQ(message.message, UINT(WM_USER));
}

TEST_F(WindowingTest, RegisteredNamesGiveOneIdPerName) {
    UINT done = RegisterWindowMessage(u"GridEditDone");
    EXPECT_GE(done, 0xC000u);
    EXPECT_EQ(RegisterWindowMessage(u"GridEditDone"), done);
    EXPECT_EQ(RegisterWindowMessage(u"grideditdone"), done);
    EXPECT_NE(RegisterWindowMessage(u"GridEditShow"), done);
    EXPECT_EQ(RegisterWindowMessage(u""), 0u);
    // Clipboard formats share the table, as on the platform.
    EXPECT_EQ(RegisterClipboardFormat(u"GridEditDone"), done);
    String name;
    EXPECT_EQ(GetClipboardFormatName(done, name), 12);
    EXPECT_EQ(name, u"GridEditDone");
}

namespace {
std::vector<std::pair<HWND, UINT>> HookSeen;
HHOOK TheHook = nullptr;
LRESULT RecordingHook(Integer code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_WINDOWPOSCHANGING || call->message == WM_WINDOWPOSCHANGED)
        HookSeen.emplace_back(call->hwnd, call->message);
    return CallNextHookEx(TheHook, code, wParam, lParam);
}
} // namespace

TEST_F(WindowingTest, CallWindowProcedureHookSeesPositionChangesOfAnyWindow) {
    HWND form = Create("form", WS_OVERLAPPED | WS_VISIBLE, Bounds(0, 0, 300, 200));
    HWND child = Create("child", WS_CHILD | WS_VISIBLE, Bounds(10, 10, 50, 20), form);
    HWND other = Create("other", WS_POPUP, Bounds(400, 0, 100, 100));
    HookSeen.clear();
    TheHook = SetWindowsHookEx(WH_CALLWNDPROC, &RecordingHook);
    ASSERT_NE(TheHook, nullptr);
    SetWindowPos(child, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    MoveWindow(other, 410, 5, 100, 100, true);
    SetWindowPos(form, nullptr, 5, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::vector<std::pair<HWND, UINT>> expected = {
        {child, WM_WINDOWPOSCHANGING}, {child, WM_WINDOWPOSCHANGED}, {other, WM_WINDOWPOSCHANGING},
        {other, WM_WINDOWPOSCHANGED},  {form, WM_WINDOWPOSCHANGING}, {form, WM_WINDOWPOSCHANGED}};
    EXPECT_EQ(HookSeen, expected);
    // The hook runs before the window procedure.
    ClearLog();
    HookSeen.clear();
    MoveWindow(child, 0, 0, 10, 10, false);
    EXPECT_EQ(HookSeen.front().second, UINT(WM_WINDOWPOSCHANGING));
    EXPECT_EQ(Log({WM_WINDOWPOSCHANGING}), Strings({"child:WM_WINDOWPOSCHANGING"}));
    EXPECT_TRUE(UnhookWindowsHookEx(TheHook));
    HookSeen.clear();
    MoveWindow(child, 1, 1, 10, 10, false);
    EXPECT_TRUE(HookSeen.empty());
    EXPECT_FALSE(UnhookWindowsHookEx(TheHook));
}

TEST_F(WindowingTest, CreationAndDestructionSendTheirMessagesInOrder) {
    HWND form = Create("form", WS_POPUP, Bounds(0, 0, 100, 100));
    EXPECT_EQ(Log(), Strings({"form:WM_NCCREATE", "form:WM_NCCALCSIZE", "form:WM_CREATE", "form:WM_SIZE",
                              "form:WM_MOVE"}));
    HWND child = Create("child", WS_CHILD, Bounds(0, 0, 10, 10), form);
    HWND grandchild = Create("grandchild", WS_CHILD, Bounds(0, 0, 5, 5), child);
    ClearLog();
    EXPECT_TRUE(DestroyWindow(form));
    EXPECT_EQ(Log({WM_DESTROY, WM_NCDESTROY}),
              Strings({"form:WM_DESTROY", "child:WM_DESTROY", "grandchild:WM_DESTROY",
                       "grandchild:WM_NCDESTROY", "child:WM_NCDESTROY", "form:WM_NCDESTROY"}));
    EXPECT_FALSE(IsWindow(form));
    EXPECT_FALSE(IsWindow(grandchild));
    EXPECT_FALSE(DestroyWindow(form));
}

TEST_F(WindowingTest, DestroyedHandleIsNeverGivenToANewWindow) {
    HWND old = Create("old", WS_POPUP, Bounds(0, 0, 10, 10));
    DestroyWindow(old);
    Pump(); // collects the destroyed record
    std::vector<HWND> made;
    for (int i = 0; i < 50; ++i) {
        made.push_back(Create("new" + std::to_string(i), WS_POPUP, Bounds(0, 0, 10, 10)));
        EXPECT_NE(made.back(), old);
    }
    EXPECT_FALSE(IsWindow(old));
    for (HWND window : made)
        DestroyWindow(window);
}

TEST_F(WindowingTest, CreationRefusedByTheProcedureFails) {
    Handle(nullptr, nullptr);
    WNDCLASS refusing;
    refusing.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_CREATE) return -1;
        return DefWindowProc(window, message, wParam, lParam);
    };
    refusing.lpszClassName = u"Refusing";
    ASSERT_NE(RegisterClass(refusing), 0);
    EXPECT_EQ(RegisterClass(refusing), 0); // once per name
    EXPECT_EQ(CreateWindowEx(0, u"Refusing", u"", WS_POPUP, 0, 0, 10, 10, nullptr), nullptr);
    EXPECT_EQ(CreateWindowEx(0, u"NoSuchClass", u"", WS_POPUP, 0, 0, 10, 10, nullptr), nullptr);
    EXPECT_EQ(CreateWindowEx(0, u"LoggingWindow", u"", WS_CHILD, 0, 0, 10, 10, nullptr), nullptr);
}
