#pragma once
// Sending, posting and retrieving messages on the GUI thread, registered
// message names, and the call-window-procedure hook.
//
// SendMessage calls the window procedure at once (hooks first). Posted
// messages wait in the queue. Retrieval takes, in this order: posted
// messages, input (mouse and keys, routed when retrieved), WM_PAINT for a
// window with an update region, WM_TIMER for a due timer.
//
// PostMessage and PostThreadMessage may be called from any thread; every
// other routine belongs to the GUI thread.

#include "windowing/Messages.h"

namespace winapi {

enum : UINT {
    PM_NOREMOVE = 0x0000,
    PM_REMOVE = 0x0001,
    PM_NOYIELD = 0x0002,
};

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Queues a message for a window (null: for the thread). False for a window
// that does not exist.
bool PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(Integer exitCode);

// Takes the next message for `window` (null: any) with a number in
// [first, last] (both 0: any); answers false when there is none.
bool PeekMessage(MSG& message, HWND window, UINT first, UINT last, UINT removal);
// Waits for the next message; answers false for WM_QUIT.
bool GetMessage(MSG& message, HWND window, UINT first, UINT last);
// Waits until a message is available.
void WaitMessage();
// Waits at most `timeout` milliseconds of the window system's clock; answers
// whether a message is available.
bool WaitMessageTimeout(Cardinal timeout);
// Posts the characters of a key-down retrieved by GetMessage or PeekMessage
// as WM_CHAR (WM_SYSCHAR with Alt) with the key's repeat count and flags.
bool TranslateMessage(const MSG& message);
// Calls the window procedure of the message's window; a WM_TIMER with a
// timer procedure in lParam calls that procedure instead.
LRESULT DispatchMessage(const MSG& message);
// The time and screen cursor position of the last retrieved message.
DWORD GetMessageTime();
TPoint GetMessagePos();
// Whether mouse or key input waits in the queue.
bool GetInputState();
// True while a posted or input message is waiting.
bool HasPendingMessages();

// One id per name (case-insensitive), in 0xC000..0xFFFF; names share the
// table with clipboard formats, as they do on Windows. 0 for an empty name.
UINT RegisterWindowMessage(const String& name);

// ---- Hooks ----
enum : Integer {
    WH_CALLWNDPROC = 4,
    HC_ACTION = 0,
};
// Installs a hook for the GUI thread; only WH_CALLWNDPROC is supported: its
// procedure sees every sent message (lParam a CWPSTRUCT*, wParam non-zero when
// the message came from the current thread) before the window procedure. The
// newest hook runs first; CallNextHookEx passes the message on.
HHOOK SetWindowsHookEx(Integer kind, HOOKPROC procedure);
bool UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, Integer code, WPARAM wParam, LPARAM lParam);

} // namespace winapi
