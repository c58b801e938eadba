#include "WindowingTestSupport.h"

#include "windowing/Input.h"

#include <algorithm>

using namespace winapi;

WindowingTest* WindowingTest::Current = nullptr;

void WindowingTest::SetUp() {
    Headless = &UseHeadlessBackend();
    Clock = std::make_shared<TManualClock>();
    SetWindowClock(Clock);
    Current = this;
    WNDCLASS logging;
    logging.style = CS_DBLCLKS;
    logging.lpfnWndProc = &WindowingTest::Procedure;
    logging.lpszClassName = u"LoggingWindow";
    RegisterClass(logging);
}

void WindowingTest::TearDown() {
    UseHeadlessBackend(); // drops every window of the test
    SetWindowClock(nullptr);
    Current = nullptr;
}

HWND WindowingTest::Create(const std::string& name, DWORD style, TRect bounds, HWND parent, DWORD exStyle) {
    // The name is known before the first message arrives.
    FNames[nullptr] = name;
    HWND window = CreateWindowEx(exStyle, u"LoggingWindow", String(name.begin(), name.end()), style,
                                 bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), parent);
    FNames.erase(nullptr);
    FNames[window] = name;
    return window;
}

void WindowingTest::Pump() {
    MSG message;
    while (PeekMessage(message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(message);
        DispatchMessage(message);
    }
}

std::string WindowingTest::NameOf(HWND window) const {
    auto found = FNames.find(window);
    if (found != FNames.end()) return found->second;
    found = FNames.find(nullptr);
    return window && found != FNames.end() ? found->second : (window ? "?" : "null");
}

std::vector<std::string> WindowingTest::Log(const std::vector<UINT>& filter) const {
    std::vector<std::string> result;
    for (const auto& entry : FLog)
        if (filter.empty() || std::find(filter.begin(), filter.end(), entry.Message) != filter.end())
            result.push_back(entry.Window + ":" + MessageName(entry.Message));
    return result;
}

LRESULT WindowingTest::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowingTest* test = Current;
    if (test) {
        auto named = test->FNames.find(window);
        std::string name = named != test->FNames.end() ? named->second : test->NameOf(window);
        test->FLog.push_back({name, message, wParam, lParam});
        auto handler = test->FHandlers.find(window);
        if (handler != test->FHandlers.end())
            if (auto answer = handler->second(window, message, wParam, lParam)) return *answer;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

std::string MessageName(UINT message) {
    static const std::map<UINT, std::string> names = {
        {WM_CREATE, "WM_CREATE"},
        {WM_DESTROY, "WM_DESTROY"},
        {WM_MOVE, "WM_MOVE"},
        {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"},
        {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"},
        {WM_SETREDRAW, "WM_SETREDRAW"},
        {WM_PAINT, "WM_PAINT"},
        {WM_CLOSE, "WM_CLOSE"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
        {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
        {WM_SETCURSOR, "WM_SETCURSOR"},
        {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
        {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_NCCREATE, "WM_NCCREATE"},
        {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
        {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_NCPAINT, "WM_NCPAINT"},
        {WM_NCACTIVATE, "WM_NCACTIVATE"},
        {WM_KEYDOWN, "WM_KEYDOWN"},
        {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},
        {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
        {WM_SYSKEYUP, "WM_SYSKEYUP"},
        {WM_SYSCHAR, "WM_SYSCHAR"},
        {WM_TIMER, "WM_TIMER"},
        {WM_HSCROLL, "WM_HSCROLL"},
        {WM_VSCROLL, "WM_VSCROLL"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_MOUSEWHEEL, "WM_MOUSEWHEEL"},
        {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_MOUSELEAVE, "WM_MOUSELEAVE"},
        {WM_MOUSEHOVER, "WM_MOUSEHOVER"},
        {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
        {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
        {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
        {WM_STYLECHANGING, "WM_STYLECHANGING"},
        {WM_STYLECHANGED, "WM_STYLECHANGED"},
        {WM_USER, "WM_USER"},
        {WM_USER + 1, "WM_USER+1"},
        {WM_USER + 2, "WM_USER+2"},
    };
    auto found = names.find(message);
    if (found != names.end()) return found->second;
    return "0x" + [&] {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%04X", message);
        return std::string(buffer);
    }();
}
