#pragma once
// The messages of the controls framework: the message record every window
// procedure of a control works on, the control notifications (CM_*) that
// controls send each other when a property changes or the dialog machinery
// asks a question, and the notifications a parent reflects back to the
// child that caused them (CN_*).

#include "graphics/Colors.h"
#include "windowing/Messages.h"

#include <functional>

// One message as a control's window procedure sees it; Result is the answer.
struct TMessage {
    winapi::UINT Msg = 0;
    winapi::WPARAM WParam = 0;
    winapi::LPARAM LParam = 0;
    winapi::LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage& Message)>;

enum : winapi::UINT {
    CM_BASE = 0xB000,
    CM_ACTIVATE = CM_BASE + 0,
    CM_DEACTIVATE = CM_BASE + 1,
    CM_GOTFOCUS = CM_BASE + 2,
    CM_LOSTFOCUS = CM_BASE + 3,
    CM_CANCELMODE = CM_BASE + 4,
    CM_DIALOGKEY = CM_BASE + 5,    // WParam the key; answer non-zero when used
    CM_DIALOGCHAR = CM_BASE + 6,   // WParam the character; answer non-zero when used as an accelerator
    CM_FOCUSCHANGED = CM_BASE + 7, // LParam the control that took the focus
    CM_PARENTFONTCHANGED = CM_BASE + 8,
    CM_PARENTCOLORCHANGED = CM_BASE + 9,
    CM_HITTEST = CM_BASE + 10, // LParam the point; answer non-zero when the control is hit
    CM_VISIBLECHANGED = CM_BASE + 11,
    CM_ENABLEDCHANGED = CM_BASE + 12,
    CM_COLORCHANGED = CM_BASE + 13,
    CM_FONTCHANGED = CM_BASE + 14,
    CM_CURSORCHANGED = CM_BASE + 15,
    CM_CTL3DCHANGED = CM_BASE + 16,
    CM_PARENTCTL3DCHANGED = CM_BASE + 17,
    CM_TEXTCHANGED = CM_BASE + 18,
    CM_MOUSEENTER = CM_BASE + 19, // LParam: 0 to the control entered, that control to its parents
    CM_MOUSELEAVE = CM_BASE + 20, // LParam: 0 to the control left, that control to its parents
    CM_BUTTONPRESSED = CM_BASE + 24,
    CM_SHOWINGCHANGED = CM_BASE + 25,
    CM_ENTER = CM_BASE + 26,
    CM_EXIT = CM_BASE + 27,
    CM_WANTSPECIALKEY = CM_BASE + 30, // WParam the key; answer non-zero to receive it as an ordinary key
    CM_RELEASE = CM_BASE + 33,
    CM_SHOWHINTCHANGED = CM_BASE + 34,
    CM_PARENTSHOWHINTCHANGED = CM_BASE + 35,
    CM_SYSCOLORCHANGE = CM_BASE + 36,
    CM_TABSTOPCHANGED = CM_BASE + 40,
    CM_CONTROLLISTCHANGE = CM_BASE + 44, // WParam the control, LParam non-zero when inserted
    CM_HINTSHOW = CM_BASE + 48,          // LParam a THintInfo*; answer non-zero to suppress the hint
    CM_RECREATEWND = CM_BASE + 51,
    CM_INVALIDATE = CM_BASE + 52,
    // Sent to every control when the system's fonts or visual style change.
    CM_SYSFONTCHANGED = CM_BASE + 53,
    CM_CONTROLCHANGE = CM_BASE + 54, // WParam the control, LParam non-zero when inserted
    CM_MOUSEWHEEL = CM_BASE + 67,    // the WM_MOUSEWHEEL parameters, bubbling up the parents
    CM_PARENTBIDIMODECHANGED = CM_BASE + 61,
    CM_BIDIMODECHANGED = CM_BASE + 60,
};

// Notifications a parent passes back to the child window they came from
// (WM_COMMAND becomes CN_COMMAND at the control named in LParam), and the
// key messages the message loop offers a control before dispatching them.
enum : winapi::UINT {
    CN_BASE = 0xBC00,
    CN_KEYDOWN = CN_BASE + winapi::WM_KEYDOWN,
    CN_KEYUP = CN_BASE + winapi::WM_KEYUP,
    CN_CHAR = CN_BASE + winapi::WM_CHAR,
    CN_SYSKEYDOWN = CN_BASE + winapi::WM_SYSKEYDOWN,
    CN_SYSCHAR = CN_BASE + winapi::WM_SYSCHAR,
    CN_COMMAND = CN_BASE + winapi::WM_COMMAND,
    CN_NOTIFY = CN_BASE + winapi::WM_NOTIFY,
    CN_HSCROLL = CN_BASE + winapi::WM_HSCROLL,
    CN_VSCROLL = CN_BASE + winapi::WM_VSCROLL,
};

class TControl;
class TCustomHintWindow;
using THintWindowClass = std::function<TCustomHintWindow*()>;

// What a control may change in the hint about to be shown (CM_HINTSHOW).
struct THintInfo {
    TControl* HintControl = nullptr;
    THintWindowClass HintWindowClass;
    TPoint HintPos; // screen coordinates of the hint window's top left
    Integer HintMaxWidth = 0;
    TColor HintColor = clInfoBk;
    TRect CursorRect; // client coordinates of the control; the hint lasts while the cursor stays in it
    TPoint CursorPos; // client coordinates of the control
    Integer ReshowTimeout = 0;
    Integer HideTimeout = 0;
    String HintStr;
    void* HintData = nullptr;
};
