#pragma once
// The process-wide theme notifier: where an Office of version 12.0 or later
// is installed for the current user, a monitor thread watches the Office
// "Common" key (with its subkeys) for changed values and, on every change,
// sends WM_OFFICETHEMECHANGE to the notifier's hidden window, which fires
// OnOfficeThemeChange, and to every registered window, which handles the
// message itself (typically by asking CurrentOfficeTheme again).
//
// The message is delivered synchronously on the GUI thread: the monitor
// hands each round to the GUI thread through a window of its own and waits
// until every receiver has returned, so receivers may touch the GUI freely.
// The GUI thread must therefore keep retrieving messages for rounds to
// arrive.

#include "os/Registry.h"
#include "rtl/Component.h"
#include "vcl/Controls.h"
#include "windowing/Messages.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace os {
class TRegistryChangeNotification;
}

// Sent, never posted. wParam: the root key (0x80000001 for
// HKEY_CURRENT_USER); lParam: the zero-terminated UTF-16 key path, valid only
// during the call.
inline constexpr winapi::UINT WM_OFFICETHEMECHANGE = 2993;

// A list of window handles.
class THandleList : public TList {
public:
    winapi::HWND Items(Integer Index) const { return static_cast<winapi::HWND>(TList::Items(Index)); }
    void SetItems(Integer Index, winapi::HWND Value) { TList::SetItems(Index, Value); }
    Integer Add(winapi::HWND Value) { return TList::Add(Value); }
    void Insert(Integer Index, winapi::HWND Value) { TList::Insert(Index, Value); }
    // Removes the first equal entry; nothing happens when there is none.
    void DeleteValue(winapi::HWND Value);
    bool HasValue(winapi::HWND Value) const { return IndexOf(Value) >= 0; }
};

// The monitor: made suspended on the GUI thread (its relay window lives
// there), configured, then started.
// It ends when stopped, or at once when its key cannot be opened.
class TRegMonitorThread : public TObject {
public:
    TRegMonitorThread();
    // Stops the thread and waits for it to end.
    ~TRegMonitorThread() override;

    void Start();
    // Asks the thread to end and wakes it; does not wait.
    void Stop();
    // Waits until the thread has ended (at once when it never started).
    void WaitFor();
    bool Terminated() const;
    bool Finished() const;
    // What ended the thread early ("Unable to open registry key …"); empty
    // when nothing did. The failure is kept here and shown to nobody.
    String FatalError() const;

    // Set these before Start.
    const String& Key() const { return FKey; }
    void SetKey(const String& Value) { FKey = Value; }
    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY Value) { FRootKey = Value; }
    // Kept for callers; the key is always watched with its subkeys.
    bool WatchSub() const { return FWatchSub; }
    void SetWatchSub(bool Value) { FWatchSub = Value; }
    // The change-notification filter; reading it while it is 0 sets it to 15
    // (names, attributes, last-set and security changes).
    Cardinal Filter();
    void SetFilter(Cardinal Value) { FFilter = Value; }
    // The first receiver of every round; null for none.
    winapi::HWND Wnd() const { return FWnd; }
    void SetWnd(winapi::HWND Value) { FWnd = Value; }
    // The registered windows (GUI thread only; the monitor itself never
    // touches the list, the round runs on the GUI thread).
    THandleList* WinList() const { return FWinList.get(); }

private:
    void Execute();
    // Hands a round to the GUI thread and waits until it was delivered or
    // the thread was stopped.
    void RequestRound();
    // On the GUI thread: sends the pending round.
    void DeliverRound();
    static winapi::LRESULT RelayProc(winapi::HWND window, winapi::UINT message, winapi::WPARAM wParam,
                                     winapi::LPARAM lParam);

    std::unique_ptr<TRegistry> FRegistry;
    std::unique_ptr<THandleList> FWinList;
    String FKey;
    HKEY FRootKey = HKEY_CURRENT_USER;
    bool FWatchSub = false;
    Cardinal FFilter = 0;
    winapi::HWND FWnd = nullptr;
    winapi::HWND FRelay = nullptr; // the GUI thread's side of the rounds

    mutable std::mutex FLock;
    std::condition_variable FRoundDone;
    bool FTerminated = false;
    bool FFinished = false;
    bool FRoundPending = false;
    String FFatalError;
    std::unique_ptr<os::TRegistryChangeNotification> FChange; // created by the thread
    std::thread FThread;
};

// The notifier's hidden window: fires OnOfficeThemeChange, with itself as
// sender, when WM_OFFICETHEMECHANGE arrives, and passes every message on.
class TThemeNotifierWindow : public TWinControl {
    RTL_CLASS(TThemeNotifierWindow)
public:
    explicit TThemeNotifierWindow(TComponent* AOwner) : TWinControl(AOwner) {}
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnOfficeThemeChange;
};

class TThemeNotifier : public TComponent {
    RTL_CLASS(TThemeNotifier)
public:
    explicit TThemeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
    ~TThemeNotifier() override;
    // Where Office 12.0 or later is installed (and not at design time):
    // makes the hidden window in the owner and starts the monitor on that
    // Office's key. An owner that is not a windowed control raises
    // EInvalidCast "Invalid class typecast".
    void AfterConstruction() override;
    // Stops the monitor and clears the process-wide cell.
    void BeforeDestruction() override;

    // Adds the window to the monitor's list unless it is there; nothing
    // without a monitor.
    void RegisterWindow(winapi::HWND Hwnd);
    void UnRegisterWindow(winapi::HWND Hwnd);

    TThemeNotifierWindow* NotifierWindow() const { return FWindow; }
    TRegMonitorThread* MonitorThread() const { return FThread.get(); }

    TNotifyEvent OnOfficeThemeChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void StopMonitor();

    TThemeNotifierWindow* FWindow = nullptr; // owned as a component
    std::unique_ptr<TRegMonitorThread> FThread;
};

// The process-wide notifier, created at the first call (and again after the
// previous one was freed), owned by the application's main form when that
// has its window, else by AOwner; the owner frees it. The owner must be a
// windowed control: the hidden window lives in it.
TThemeNotifier* ThemeNotifierInstance(TComponent* AOwner);
// The process-wide notifier if one exists, without creating one.
TThemeNotifier* ExistingThemeNotifier();
