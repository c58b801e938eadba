#include "windowing/HeadlessBackend.h"

#include "WindowSystem.h"

#include <chrono>
#include <thread>

namespace {

TInputEvent Event(TInputEvent::TKind kind) {
    TInputEvent event;
    event.Kind = kind;
    return event;
}

} // namespace

THeadlessBackend::THeadlessBackend(TSize screen) {
    winapi::MONITORINFO primary;
    primary.rcMonitor = Rect(0, 0, screen.cx, screen.cy);
    primary.rcWork = primary.rcMonitor;
    primary.dwFlags = winapi::MONITORINFOF_PRIMARY;
    FMonitors.push_back(primary);
}

bool THeadlessBackend::WaitForEvents(Integer timeout) {
    if (timeout < 0) {
        if (!FIdle)
            throw EWindowingError(
                u"The headless backend was asked to wait for input that nothing will inject");
        FIdle();
        return true;
    }
    // Only a real clock has time pass while waiting.
    if (WindowClock().WaitsForReal() && timeout > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(timeout));
    return false;
}

void THeadlessBackend::MoveMouse(Integer x, Integer y) {
    auto event = Event(TInputEvent::TKind::MouseMove);
    event.Point = {x, y};
    QueueInput(event);
}

void THeadlessBackend::PressButton(TMouseButton button) {
    auto event = Event(TInputEvent::TKind::ButtonDown);
    event.Button = button;
    QueueInput(event);
}

void THeadlessBackend::ReleaseButton(TMouseButton button) {
    auto event = Event(TInputEvent::TKind::ButtonUp);
    event.Button = button;
    QueueInput(event);
}

void THeadlessBackend::Click(Integer x, Integer y, TMouseButton button) {
    MoveMouse(x, y);
    PressButton(button);
    ReleaseButton(button);
}

void THeadlessBackend::Wheel(Integer delta, bool horizontal) {
    auto event = Event(TInputEvent::TKind::Wheel);
    event.Delta = delta;
    event.Horizontal = horizontal;
    QueueInput(event);
}

void THeadlessBackend::PressKey(Integer virtualKey, std::optional<String> text, bool extended) {
    auto event = Event(TInputEvent::TKind::KeyDown);
    event.VirtualKey = virtualKey;
    event.Text = std::move(text);
    event.Extended = extended;
    QueueInput(event);
}

void THeadlessBackend::ReleaseKey(Integer virtualKey, bool extended) {
    auto event = Event(TInputEvent::TKind::KeyUp);
    event.VirtualKey = virtualKey;
    event.Extended = extended;
    QueueInput(event);
}

void THeadlessBackend::TypeKey(Integer virtualKey) {
    PressKey(virtualKey);
    ReleaseKey(virtualKey);
}

void THeadlessBackend::TypeText(const String& text) {
    auto event = Event(TInputEvent::TKind::Text);
    event.Text = text;
    QueueInput(event);
}
