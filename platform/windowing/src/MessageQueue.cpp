// Sending, posting, retrieving and dispatching messages; registered
// message names; the call-window-procedure hook.

#include "WindowSystem.h"

#include <algorithm>

using namespace winapi;

namespace {

// Counts a dispatch in progress, so records destroyed meanwhile are freed
// only after every procedure on the stack has returned.
class TDispatchScope {
public:
    TDispatchScope() { ++System().DispatchDepth; }
    ~TDispatchScope() {
        --System().DispatchDepth;
        CollectGarbage();
    }
    TDispatchScope(const TDispatchScope&) = delete;
    TDispatchScope& operator=(const TDispatchScope&) = delete;
};

bool InRange(UINT message, UINT first, UINT last) {
    if (first == 0 && last == 0) return true;
    return message >= first && message <= last;
}

bool RangeHasInput(UINT first, UINT last) {
    if (first == 0 && last == 0) return true;
    return (first <= WM_MOUSEHWHEEL && last >= WM_MOUSEMOVE) || (first <= WM_SYSCHAR && last >= WM_KEYDOWN) ||
           (first <= WM_NCMBUTTONDBLCLK && last >= WM_NCMOUSEMOVE);
}

// Posted messages for dead windows are dropped when met.
bool TakePosted(MSG& message, HWND window, UINT first, UINT last, bool remove) {
    auto& system = System();
    std::lock_guard lock(system.PostLock);
    for (auto it = system.Posted.begin(); it != system.Posted.end();) {
        if (it->hwnd && !Record(it->hwnd)) {
            it = system.Posted.erase(it);
            continue;
        }
        if ((!window || it->hwnd == window) && InRange(it->message, first, last)) {
            message = *it;
            if (remove) system.Posted.erase(it);
            return true;
        }
        ++it;
    }
    return false;
}

bool TakeInput(MSG& message, HWND window, UINT first, UINT last, bool remove) {
    auto& system = System();
    if (window || system.InputHeld || !RangeHasInput(first, last)) return false;
    while (true) {
        auto& ready = system.ReadyInput;
        ready.erase(
            std::remove_if(ready.begin(), ready.end(),
                           [](const TRoutedInput& m) { return m.Message.hwnd && !Record(m.Message.hwnd); }),
            ready.end());
        for (auto it = ready.begin(); it != ready.end(); ++it) {
            if (!InRange(it->Message.message, first, last)) continue;
            message = it->Message;
            if (remove) {
                system.LastKeyText = it->Text;
                ready.erase(it);
            }
            return true;
        }
        if (system.Input.empty()) return false;
        TInputEvent event = std::move(system.Input.front());
        system.Input.pop_front();
        detail::RouteInput(event);
    }
}

void Stamp(MSG& message) {
    auto& system = System();
    if (message.time == 0) message.time = DWORD(detail::Now());
    if (message.message < WM_MOUSEMOVE || message.message > WM_MOUSEHWHEEL) message.pt = system.CursorPos;
    system.LastMessageTime = message.time;
    system.LastMessagePos = message.pt;
}

// Milliseconds a wait may last before a timer, hover or caret needs looking at.
Integer WaitLimit() {
    auto& system = System();
    Int64 limit = detail::MillisecondsToNextTimer();
    if (system.TrackHover || system.Caret.Window) limit = limit < 0 ? 50 : std::min<Int64>(limit, 50);
    return Integer(std::min<Int64>(limit, 0x7FFFFFFF));
}

} // namespace

namespace winapi {

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!Record(window)) return 0;
    auto& system = System();
    TDispatchScope scope;
    if (!system.Hooks.empty()) {
        CWPSTRUCT call{lParam, wParam, message, window};
        THookRecord* first = system.Hooks.front().get();
        first->Proc(HC_ACTION, 1, reinterpret_cast<LPARAM>(&call));
        if (!Record(window)) return 0;
    }
    return window->Proc(window, message, wParam, lParam);
}

bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& system = System();
    bool guiThread = std::this_thread::get_id() == system.GuiThread;
    if (window && guiThread && !Record(window)) return false;
    {
        std::lock_guard lock(system.PostLock);
        MSG posted;
        posted.hwnd = window;
        posted.message = message;
        posted.wParam = wParam;
        posted.lParam = lParam;
        system.Posted.push_back(posted);
    }
    if (!guiThread) system.BackendPtr->Wake();
    return true;
}

bool PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessage(nullptr, message, wParam, lParam);
}

void PostQuitMessage(Integer exitCode) {
    auto& system = System();
    system.QuitPosted = true;
    system.QuitCode = exitCode;
}

bool PeekMessage(MSG& message, HWND window, UINT first, UINT last, UINT removal) {
    auto& system = System();
    if (window && !Record(window)) window = nullptr;
    bool remove = removal & PM_REMOVE;
    detail::PollHover();
    detail::PollCaret();
    message = MSG();
    bool found =
        TakePosted(message, window, first, last, remove) || TakeInput(message, window, first, last, remove);
    if (!found && system.QuitPosted && InRange(WM_QUIT, first, last) && !window) {
        message.message = WM_QUIT;
        message.wParam = WPARAM(system.QuitCode);
        if (remove) system.QuitPosted = false;
        found = true;
    }
    if (!found && InRange(WM_PAINT, first, last)) {
        if (HWND paint = detail::NextWindowToPaint(window)) {
            message.hwnd = paint;
            message.message = WM_PAINT;
            found = true;
        }
    }
    if (!found && InRange(WM_TIMER, first, last)) {
        if (auto timer = detail::NextTimerMessage(window, remove)) {
            message = *timer;
            found = true;
        }
    }
    if (!found) return false;
    Stamp(message);
    if (remove && (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN))
        system.LastKeyDown = message;
    return true;
}

bool GetMessage(MSG& message, HWND window, UINT first, UINT last) {
    while (!PeekMessage(message, window, first, last, PM_REMOVE))
        WaitMessage();
    return message.message != WM_QUIT;
}

void WaitMessage() {
    auto& system = System();
    if (HasPendingMessages()) return;
    Integer limit = WaitLimit();
    if (!system.Clock->WaitsForReal()) limit = -1; // a manual clock moves only when a test says so
    system.BackendPtr->WaitForEvents(limit);
}

bool WaitMessageTimeout(Cardinal timeout) {
    auto& system = System();
    if (HasPendingMessages()) return true;
    if (system.Clock->WaitsForReal()) {
        UInt64 end = detail::Now() + timeout;
        while (!HasPendingMessages()) {
            UInt64 now = detail::Now();
            if (now >= end) break;
            Integer limit = WaitLimit();
            Integer rest = Integer(end - now);
            system.BackendPtr->WaitForEvents(limit < 0 ? rest : std::min(limit, rest));
            if (detail::NextTimerMessage(nullptr, false)) return true;
        }
    }
    return HasPendingMessages() || detail::NextTimerMessage(nullptr, false).has_value();
}

bool TranslateMessage(const MSG& message) {
    auto& system = System();
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
        return message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
    }
    if (!system.LastKeyDown || system.LastKeyDown->hwnd != message.hwnd ||
        system.LastKeyDown->wParam != message.wParam || system.LastKeyDown->lParam != message.lParam)
        return true;
    String characters = system.LastKeyText ? *system.LastKeyText
                                           : detail::KeyCharacters(Integer(message.wParam), system.KeyState);
    system.LastKeyDown.reset();
    UINT charMessage = message.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    std::lock_guard lock(system.PostLock);
    // The characters come next, before anything posted earlier.
    for (auto it = characters.rbegin(); it != characters.rend(); ++it) {
        MSG ch;
        ch.hwnd = message.hwnd;
        ch.message = charMessage;
        ch.wParam = WPARAM(*it);
        ch.lParam = message.lParam;
        ch.time = message.time;
        ch.pt = message.pt;
        system.Posted.push_front(ch);
    }
    return true;
}

LRESULT DispatchMessage(const MSG& message) {
    auto& system = System();
    if (message.message == WM_TIMER && message.lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(message.lParam);
        // Only procedures of live timers are called: lParam is not trusted.
        bool known = std::any_of(system.Timers.begin(), system.Timers.end(),
                                 [&](const TTimerRecord& t) { return t.Proc == proc; });
        if (!known) return 0;
        TDispatchScope scope;
        proc(message.hwnd, WM_TIMER, message.wParam, message.time);
        return 0;
    }
    if (!Record(message.hwnd)) return 0;
    TDispatchScope scope;
    return message.hwnd->Proc(message.hwnd, message.message, message.wParam, message.lParam);
}

DWORD GetMessageTime() {
    return System().LastMessageTime;
}
TPoint GetMessagePos() {
    return System().LastMessagePos;
}

bool GetInputState() {
    auto& system = System();
    return !system.Input.empty() || !system.ReadyInput.empty();
}

bool HasPendingMessages() {
    auto& system = System();
    {
        std::lock_guard lock(system.PostLock);
        if (!system.Posted.empty()) return true;
    }
    return !system.Input.empty() || !system.ReadyInput.empty() || system.QuitPosted;
}

UINT RegisterWindowMessage(const String& name) {
    return detail::RegisterAtom(name);
}

HHOOK SetWindowsHookEx(Integer kind, HOOKPROC procedure) {
    if (kind != WH_CALLWNDPROC || !procedure) return nullptr;
    auto& hooks = System().Hooks;
    auto hook = std::make_unique<THookRecord>();
    hook->Proc = procedure;
    HHOOK handle = hook.get();
    hooks.insert(hooks.begin(), std::move(hook));
    return handle;
}

bool UnhookWindowsHookEx(HHOOK hook) {
    auto& hooks = System().Hooks;
    auto at = std::find_if(hooks.begin(), hooks.end(), [&](const auto& h) { return h.get() == hook; });
    if (at == hooks.end()) return false;
    hooks.erase(at);
    return true;
}

LRESULT CallNextHookEx(HHOOK hook, Integer code, WPARAM wParam, LPARAM lParam) {
    auto& hooks = System().Hooks;
    auto at = std::find_if(hooks.begin(), hooks.end(), [&](const auto& h) { return h.get() == hook; });
    if (at == hooks.end() || at + 1 == hooks.end()) return 0;
    return (*(at + 1))->Proc(code, wParam, lParam);
}

} // namespace winapi

void QueueInput(TInputEvent event) {
    if (event.Time == 0) event.Time = detail::Now();
    System().Input.push_back(std::move(event));
}
