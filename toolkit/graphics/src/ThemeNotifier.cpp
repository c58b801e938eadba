#include "kel/ThemeNotifier.h"

#include "kel/KelStyle.h"
#include "os/RegistryNotify.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"
#include "windowing/MessageQueue.h"
#include "windowing/Window.h"

#include <vector>

using namespace winapi;

namespace {

// Posted by the monitor to its relay window: a round waits for delivery.
constexpr UINT kDeliverRound = WM_APP + 0x0BB1;

constexpr const Char* kRelayClass = u"TRegMonitorThread";

// Registers a window class once per window system (a new backend drops the
// registrations of the previous one).
void EnsureClass(const Char* name, WNDPROC procedure) {
    WNDCLASS existing;
    if (GetClassInfo(name, existing)) return;
    WNDCLASS windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.lpszClassName = name;
    RegisterClass(windowClass);
}

HWND CreateHiddenWindow(const Char* className, void* object) {
    HWND window = CreateWindowEx(WS_EX_TOOLWINDOW, className, String(), WS_POPUP, 0, 0, 0, 0, nullptr);
    if (!window) throw EInvalidOperation(u"Cannot create the window of class %s", {String(className)});
    SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return window;
}

TThemeNotifier* NotifierCell = nullptr;

} // namespace

// ---- THandleList ----

void THandleList::DeleteValue(HWND Value) {
    const Integer index = IndexOf(Value);
    if (index >= 0) Delete(index);
}

// ---- TRegMonitorThread ----

TRegMonitorThread::TRegMonitorThread()
    : FRegistry(std::make_unique<TRegistry>(KEY_READ)), FWinList(std::make_unique<THandleList>()) {
    EnsureClass(kRelayClass, &RelayProc);
    FRelay = CreateHiddenWindow(kRelayClass, this);
}

TRegMonitorThread::~TRegMonitorThread() {
    Stop();
    WaitFor();
    if (IsWindow(FRelay)) DestroyWindow(FRelay);
}

Cardinal TRegMonitorThread::Filter() {
    if (FFilter == 0)
        FFilter = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_ATTRIBUTES | REG_NOTIFY_CHANGE_LAST_SET |
                  REG_NOTIFY_CHANGE_SECURITY;
    return FFilter;
}

void TRegMonitorThread::Start() {
    if (FThread.joinable()) return;
    Filter(); // settled here, so the thread only reads it
    FThread = std::thread([this] { Execute(); });
}

void TRegMonitorThread::Stop() {
    {
        std::lock_guard lock(FLock);
        FTerminated = true;
        if (FChange) FChange->Signal();
    }
    FRoundDone.notify_all();
}

void TRegMonitorThread::WaitFor() {
    if (FThread.joinable()) FThread.join();
}

bool TRegMonitorThread::Terminated() const {
    std::lock_guard lock(FLock);
    return FTerminated;
}

bool TRegMonitorThread::Finished() const {
    std::lock_guard lock(FLock);
    return FFinished;
}

String TRegMonitorThread::FatalError() const {
    std::lock_guard lock(FLock);
    return FFatalError;
}

void TRegMonitorThread::Execute() {
    try {
        FRegistry->SetRootKey(FRootKey);
        if (!FRegistry->OpenKeyReadOnly(FKey)) throw Exception(u"Unable to open registry key " + FKey);
        // The key is always watched with its subkeys, whatever WatchSub says.
        // The notification belongs to this monitor alone: a change seen or a
        // stop asked here wakes no other monitor, in this process or another.
        auto change = std::make_unique<os::TRegistryChangeNotification>(FRootKey, FKey, true, FFilter);
        {
            std::lock_guard lock(FLock);
            FChange = std::move(change); // from now on Stop wakes the wait
        }
        while (!Terminated()) {
            if (!FChange->Wait(-1)) continue;
            if (Terminated()) break;
            RequestRound();
            // Changes made while the round was delivered are not reported.
            FChange->Reset();
        }
    } catch (const Exception& error) {
        std::lock_guard lock(FLock);
        FFatalError = error.Message();
    } catch (const std::exception& error) {
        std::lock_guard lock(FLock);
        FFatalError = FromUtf8(error.what());
    }
    std::lock_guard lock(FLock);
    FFinished = true;
}

void TRegMonitorThread::RequestRound() {
    {
        std::lock_guard lock(FLock);
        if (FTerminated) return;
        FRoundPending = true;
    }
    PostMessage(FRelay, kDeliverRound, 0, 0);
    std::unique_lock lock(FLock);
    FRoundDone.wait(lock, [this] { return !FRoundPending || FTerminated; });
}

void TRegMonitorThread::DeliverRound() {
    {
        std::lock_guard lock(FLock);
        if (!FRoundPending) return;
    }
    // The round ends, and the monitor goes on, also when a receiver fails.
    struct TRoundEnd {
        TRegMonitorThread* Monitor;
        ~TRoundEnd() {
            {
                std::lock_guard lock(Monitor->FLock);
                Monitor->FRoundPending = false;
            }
            Monitor->FRoundDone.notify_all();
        }
    } roundEnd{this};

    const WPARAM root = WPARAM(FRootKey);
    const LPARAM key = reinterpret_cast<LPARAM>(FKey.c_str());
    if (FWnd) SendMessage(FWnd, WM_OFFICETHEMECHANGE, root, key);
    // A receiver may register or unregister windows while it handles the
    // message: the round goes to the windows registered when it began.
    std::vector<HWND> receivers;
    for (Integer i = 0; i < FWinList->Count(); ++i)
        receivers.push_back(FWinList->Items(i));
    for (HWND receiver : receivers)
        SendMessage(receiver, WM_OFFICETHEMECHANGE, root, key);
}

LRESULT TRegMonitorThread::RelayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDeliverRound) {
        if (auto* monitor = reinterpret_cast<TRegMonitorThread*>(GetWindowLongPtr(window, GWLP_USERDATA)))
            monitor->DeliverRound();
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

// ---- TThemeNotifierWindow ----

const TClassInfo& TThemeNotifierWindow::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TThemeNotifierWindow, TWinControl>()
                                       .Property(u"OnOfficeThemeChange", TypeInfo_TNotifyEvent(),
                                                 &TThemeNotifierWindow::OnOfficeThemeChange,
                                                 [](TThemeNotifierWindow& window, TNotifyEvent handler) {
                                                     window.OnOfficeThemeChange = std::move(handler);
                                                 })
                                       .Build();
    return Info;
}

void TThemeNotifierWindow::WndProc(TMessage& Message) {
    if (Message.Msg == WM_OFFICETHEMECHANGE && OnOfficeThemeChange) OnOfficeThemeChange(this);
    TWinControl::WndProc(Message);
}

// ---- TThemeNotifier ----

const TClassInfo& TThemeNotifier::StaticClassInfo() {
    static const TClassInfo Info =
        TClassBuilder<TThemeNotifier, TComponent>()
            .Property(u"OnOfficeThemeChange", TypeInfo_TNotifyEvent(), &TThemeNotifier::OnOfficeThemeChange,
                      [](TThemeNotifier& notifier, TNotifyEvent handler) {
                          notifier.OnOfficeThemeChange = std::move(handler);
                      })
            .Build();
    return Info;
}

void TThemeNotifier::AfterConstruction() {
    TComponent::AfterConstruction();
    if (ComponentState().Contains(csDesigning)) return;
    const Integer version = InstalledOfficeVersion();
    static constexpr const Char* kCommonKeys[] = {
        nullptr, u"Software\\Microsoft\\Office\\12.0\\Common", u"Software\\Microsoft\\Office\\14.0\\Common",
        u"Software\\Microsoft\\Office\\15.0\\Common", u"Software\\Microsoft\\Office\\16.0\\Common"};
    if (version < 1 || version > 4) return;

    auto* parent = dynamic_cast<TWinControl*>(Owner());
    if (!parent) throw EInvalidCast(u"Invalid class typecast");
    FWindow = Create<TThemeNotifierWindow>(this);
    FWindow->SetParent(parent);
    FWindow->SetVisible(false);
    FWindow->OnOfficeThemeChange = [this](TObject*) {
        if (OnOfficeThemeChange) OnOfficeThemeChange(this);
    };
    FThread = std::make_unique<TRegMonitorThread>();
    FThread->SetWnd(FWindow->Handle());
    FThread->SetFilter(REG_NOTIFY_CHANGE_LAST_SET);
    FThread->SetKey(kCommonKeys[version]);
    FThread->SetRootKey(HKEY_CURRENT_USER);
    FThread->SetWatchSub(true);
    FThread->Start();
}

TThemeNotifier::~TThemeNotifier() {
    if (NotifierCell == this) NotifierCell = nullptr;
}

void TThemeNotifier::BeforeDestruction() {
    StopMonitor();
    if (NotifierCell == this) NotifierCell = nullptr;
    TComponent::BeforeDestruction();
}

void TThemeNotifier::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == FWindow) {
        FWindow = nullptr;
        if (FThread) FThread->SetWnd(nullptr);
    }
    TComponent::Notification(AComponent, Operation);
}

void TThemeNotifier::StopMonitor() {
    // The monitor is owned here rather than freeing itself, so it is never
    // used after it has ended; it is joined before the hidden window goes.
    if (!FThread) return;
    FThread->Stop();
    FThread.reset();
}

void TThemeNotifier::RegisterWindow(HWND Hwnd) {
    if (FThread && !FThread->WinList()->HasValue(Hwnd)) FThread->WinList()->Add(Hwnd);
}

void TThemeNotifier::UnRegisterWindow(HWND Hwnd) {
    if (FThread) FThread->WinList()->DeleteValue(Hwnd);
}

TThemeNotifier* ThemeNotifierInstance(TComponent* AOwner) {
    if (!NotifierCell) {
        TCustomForm* mainForm = Application ? Application->MainForm() : nullptr;
        TComponent* owner = mainForm && mainForm->HandleAllocated() ? mainForm : AOwner;
        NotifierCell = Create<TThemeNotifier>(owner);
    }
    return NotifierCell;
}

TThemeNotifier* ExistingThemeNotifier() {
    return NotifierCell;
}
