#include "ThemeTestSupport.h"
#include "kel/ThemeNotifier.h"
#include "os/RegistryNotify.h"
#include "rtl/Encoding.h"
#include "rtltesting/ExceptionMessage.h"
#include "vcl/Forms.h"
#include "windowing/MessageQueue.h"
#include "windowing/Window.h"

#include <chrono>
#include <thread>
#include <vector>

using namespace winapi;

namespace {

constexpr const Char* kCommon16 = u"Software\\Microsoft\\Office\\16.0\\Common";
constexpr const Char* kGeneral16 = u"Software\\Microsoft\\Office\\16.0\\Common\\General";

// What reached a receiver: its name, wParam and the key text in lParam.
struct TDelivery {
    std::string Receiver;
    WPARAM Root = 0;
    String Key;
    friend bool operator==(const TDelivery&, const TDelivery&) = default;
};

std::vector<TDelivery> Deliveries;

LRESULT ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_OFFICETHEMECHANGE)
        Deliveries.push_back({Utf8(GetWindowText(window)), wParam, reinterpret_cast<const Char*>(lParam)});
    return DefWindowProc(window, message, wParam, lParam);
}

class ThemeNotifierTest : public ThemeRegistryTest {
protected:
    void SetUp() override {
        ThemeRegistryTest::SetUp();
        UseHeadlessWindowSystem();
        Deliveries.clear();
        WNDCLASS receiver;
        receiver.lpfnWndProc = &ReceiverProc;
        receiver.lpszClassName = u"Receiver";
        RegisterClass(receiver);
        FOwner = Create<TForm>(nullptr);
    }
    void TearDown() override {
        Free(FOwner);
        UseHeadlessWindowSystem();
        ThemeRegistryTest::TearDown();
    }

    static HWND Receiver(const char* name) {
        return CreateWindowEx(0, u"Receiver", FromUtf8(name), WS_POPUP, 0, 0, 10, 10, nullptr);
    }

    // Runs the GUI thread's messages until `count` deliveries arrived (or a
    // generous limit passed, which fails the test's expectations instead of
    // hanging it).
    static void PumpUntilDelivered(size_t count) {
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (Deliveries.size() < count && std::chrono::steady_clock::now() < limit) {
            MSG message;
            while (PeekMessage(message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessage(message);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    // Runs the GUI thread's messages for a while, for checking that nothing arrives.
    static void PumpFor(std::chrono::milliseconds time) {
        const auto until = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < until) {
            MSG message;
            while (PeekMessage(message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessage(message);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    TThemeNotifier* NotifierWithEvent() {
        TThemeNotifier* notifier = ThemeNotifierInstance(FOwner);
        notifier->OnOfficeThemeChange = [notifier](TObject* Sender) {
            Deliveries.push_back({Sender == notifier ? "notifier" : "other sender", 0, String()});
        };
        return notifier;
    }

    TForm* FOwner = nullptr;
};

TEST_F(ThemeNotifierTest, WithoutOffice12OrLaterThereIsNoMonitor) {
    CreateKey(u"Software\\Microsoft\\Office\\11.0\\Common\\General");
    TThemeNotifier* notifier = NotifierWithEvent();
    EXPECT_EQ(ThemeNotifierInstance(FOwner), notifier);
    EXPECT_EQ(notifier->MonitorThread(), nullptr);
    EXPECT_EQ(notifier->NotifierWindow(), nullptr);
    HWND grid = Receiver("grid");
    notifier->RegisterWindow(grid);
    notifier->UnRegisterWindow(grid);
    WriteIntegerInOtherProcess(String(u"Software\\Microsoft\\Office\\11.0\\Common"), u"UI Theme", 1);
    PumpFor(std::chrono::milliseconds(50));
    EXPECT_TRUE(Deliveries.empty());
}

TEST_F(ThemeNotifierTest, AChangeFromAnotherProcessReachesTheHiddenWindowThenEachRegisteredWindow) {
    CreateKey(kGeneral16);
    TThemeNotifier* notifier = NotifierWithEvent();
    ASSERT_NE(notifier->MonitorThread(), nullptr);
    EXPECT_EQ(notifier->MonitorThread()->Key(), kCommon16);
    EXPECT_EQ(notifier->MonitorThread()->Filter(), REG_NOTIFY_CHANGE_LAST_SET);
    EXPECT_EQ(notifier->MonitorThread()->Wnd(), notifier->NotifierWindow()->Handle());

    HWND first = Receiver("first");
    HWND second = Receiver("second");
    notifier->RegisterWindow(first);
    notifier->RegisterWindow(second);
    notifier->RegisterWindow(first); // kept once
    notifier->UnRegisterWindow(Receiver("never registered"));
    EXPECT_EQ(notifier->MonitorThread()->WinList()->Count(), 2);

    WriteIntegerInOtherProcess(kGeneral16, u"UI Theme", 4); // a value in a subkey
    PumpUntilDelivered(3);
    const std::vector<TDelivery> round = {
        {"notifier", 0, String()}, {"first", 0x80000001, kCommon16}, {"second", 0x80000001, kCommon16}};
    EXPECT_EQ(Deliveries, round);

    Deliveries.clear();
    notifier->UnRegisterWindow(first);
    WriteIntegerInOtherProcess(kCommon16, u"UI Theme", 3);
    PumpUntilDelivered(2);
    PumpFor(std::chrono::milliseconds(20));
    const std::vector<TDelivery> next = {{"notifier", 0, String()}, {"second", 0x80000001, kCommon16}};
    EXPECT_EQ(Deliveries, next);
}

TEST_F(ThemeNotifierTest, FreeingTheNotifierStopsTheMonitorAndANewOneStartsAgain) {
    CreateKey(kGeneral16);
    auto* gridOwner = Create<TWinControl>(FOwner);
    gridOwner->SetParent(FOwner);
    TThemeNotifier* notifier = ThemeNotifierInstance(gridOwner);
    ASSERT_NE(notifier->MonitorThread(), nullptr);
    notifier->RegisterWindow(Receiver("grid"));
    Free(gridOwner); // the owner frees the notifier while the monitor waits

    TThemeNotifier* again = NotifierWithEvent();
    ASSERT_NE(again->MonitorThread(), nullptr);
    EXPECT_FALSE(again->MonitorThread()->Finished());
    EXPECT_EQ(again->MonitorThread()->WinList()->Count(), 0);
    WriteIntegerInOtherProcess(kCommon16, u"UI Theme", 0);
    PumpUntilDelivered(1);
    EXPECT_EQ(Deliveries, std::vector<TDelivery>({{"notifier", 0, String()}}));
}

TEST_F(ThemeNotifierTest, FreeingTheNotifierWhileARoundWaitsForTheGuiThreadDoesNotHang) {
    CreateKey(kGeneral16);
    TThemeNotifier* notifier = NotifierWithEvent();
    notifier->RegisterWindow(Receiver("grid"));
    WriteIntegerInOtherProcess(kCommon16, u"UI Theme", 4);
    // The monitor has handed the round over and waits for the GUI thread.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!HasPendingMessages() && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ASSERT_TRUE(HasPendingMessages());
    Free(notifier);
    PumpFor(std::chrono::milliseconds(20));
    EXPECT_TRUE(Deliveries.empty());
}

TEST_F(ThemeNotifierTest, TheHiddenWindowLivesInTheOwnerAndItsOwnerMustBeWindowed) {
    CreateKey(kGeneral16);
    TThemeNotifier* notifier = ThemeNotifierInstance(FOwner);
    EXPECT_EQ(notifier->Owner(), FOwner);
    EXPECT_EQ(notifier->NotifierWindow()->Parent(), FOwner);
    EXPECT_FALSE(notifier->NotifierWindow()->Visible());
    EXPECT_EQ(GetParent(notifier->NotifierWindow()->Handle()), FOwner->Handle());
    Free(notifier);

    TComponent* plain = Create<TComponent>(FOwner);
    EXPECT_EQ(MessageOf<EInvalidCast>([&] { ThemeNotifierInstance(plain); }), u"Invalid class typecast");
    EXPECT_NE(ThemeNotifierInstance(FOwner), nullptr); // the failed attempt left the cell empty
}

TEST_F(ThemeNotifierTest, TheMainFormOwnsTheNotifierOnceItHasItsWindow) {
    TForm* mainForm = nullptr;
    Application->CreateForm(mainForm);
    TThemeNotifier* notifier = ThemeNotifierInstance(FOwner);
    EXPECT_EQ(notifier->Owner(), FOwner); // the main form has no window yet
    Free(notifier);
    mainForm->HandleNeeded();
    EXPECT_EQ(ThemeNotifierInstance(FOwner)->Owner(), mainForm);
    Free(mainForm);
}

TEST_F(ThemeNotifierTest, NothingRunsAtDesignTime) {
    CreateKey(kGeneral16);
    FOwner->IncludeComponentState({csDesigning});
    TThemeNotifier* notifier = ThemeNotifierInstance(FOwner);
    EXPECT_EQ(notifier->MonitorThread(), nullptr);
    EXPECT_EQ(notifier->NotifierWindow(), nullptr);
}

TEST_F(ThemeNotifierTest, AMonitorWhoseKeyCannotBeOpenedEndsQuietly) {
    TRegMonitorThread monitor;
    EXPECT_EQ(monitor.Filter(), 15u); // read before it was set
    HWND grid = Receiver("grid");
    monitor.WinList()->Add(grid);
    monitor.SetKey(u"Software\\Microsoft\\Office\\16.0\\Common");
    monitor.Start();
    monitor.WaitFor();
    EXPECT_TRUE(monitor.Finished());
    EXPECT_EQ(monitor.FatalError(), u"Unable to open registry key Software\\Microsoft\\Office\\16.0\\Common");
    PumpFor(std::chrono::milliseconds(20));
    EXPECT_TRUE(Deliveries.empty());
}

TEST(HandleList, ValuesAndIndexErrors) {
    THandleList list;
    const auto handle = [](NativeInt value) { return reinterpret_cast<HWND>(value); };
    list.Add(handle(1));
    list.Add(handle(2));
    list.Insert(0, handle(3));
    list.DeleteValue(handle(4)); // not there: nothing happens
    list.DeleteValue(handle(1));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0), handle(3));
    EXPECT_EQ(list.Items(1), handle(2));
    EXPECT_TRUE(list.HasValue(handle(2)));
    EXPECT_FALSE(list.HasValue(handle(1)));
    EXPECT_THROW(list.Items(2), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
}

} // namespace
