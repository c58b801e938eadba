#pragma once
// A headless window system on a manual clock, windows whose procedure logs
// the messages they get, and pumping helpers.

#include "windowing/HeadlessBackend.h"
#include "windowing/MessageQueue.h"
#include "windowing/Timers.h"
#include "windowing/Window.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

// One logged message: "WM_KILLFOCUS(edit1,w=edit2)" style text kept short:
// the window name, the message name and the parameters a test asks for.
struct TLoggedMessage {
    std::string Window;
    winapi::UINT Message = 0;
    winapi::WPARAM WParam = 0;
    winapi::LPARAM LParam = 0;
};

class WindowingTest : public ::testing::Test {
public:
    // What a window does with a message before the default procedure;
    // answering a value skips the default procedure.
    using THandler = std::function<std::optional<winapi::LRESULT>(winapi::HWND, winapi::UINT, winapi::WPARAM,
                                                                  winapi::LPARAM)>;

protected:
    void SetUp() override;
    void TearDown() override;

    // A window of the logging class; the name appears in the log.
    winapi::HWND Create(const std::string& name, winapi::DWORD style, TRect bounds,
                        winapi::HWND parent = nullptr, winapi::DWORD exStyle = 0);
    // Dispatches everything in the queue (input, posted, paint, due timers).
    void Pump();
    // The logged messages among `filter` (empty: all), as "window:MESSAGE" texts.
    std::vector<std::string> Log(const std::vector<winapi::UINT>& filter = {}) const;
    void ClearLog() { FLog.clear(); }
    const std::vector<TLoggedMessage>& Entries() const { return FLog; }
    std::string NameOf(winapi::HWND window) const;

    void Handle(winapi::HWND window, THandler handler) { FHandlers[window] = std::move(handler); }

    THeadlessBackend* Headless = nullptr;
    std::shared_ptr<TManualClock> Clock;

private:
    static winapi::LRESULT Procedure(winapi::HWND window, winapi::UINT message, winapi::WPARAM wParam,
                                     winapi::LPARAM lParam);
    static WindowingTest* Current;
    std::vector<TLoggedMessage> FLog;
    std::map<winapi::HWND, std::string> FNames;
    std::map<winapi::HWND, THandler> FHandlers;
};

std::string MessageName(winapi::UINT message);
