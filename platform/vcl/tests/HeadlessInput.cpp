#include "HeadlessInput.h"

#include "windowing/HeadlessBackend.h"
#include "windowing/Timers.h"

namespace headless {

namespace {

THeadlessBackend* Backend = nullptr;
std::shared_ptr<TManualClock> Clock;

TMouseButton Native(TButton Button) {
    switch (Button) {
    case TButton::Right:
        return mbRight;
    case TButton::Middle:
        return mbMiddle;
    default:
        return mbLeft;
    }
}

} // namespace

void Start() {
    Clock = std::make_shared<TManualClock>();
    SetWindowClock(Clock);
    Backend = &UseHeadlessBackend();
}

void AdvanceClock(UInt64 Milliseconds) {
    Clock->Advance(Milliseconds);
}
void MoveMouse(Integer X, Integer Y) {
    Backend->MoveMouse(X, Y);
}
void Press(TButton Button) {
    Backend->PressButton(Native(Button));
}
void Release(TButton Button) {
    Backend->ReleaseButton(Native(Button));
}
void Click(Integer X, Integer Y, TButton Button) {
    Backend->Click(X, Y, Native(Button));
}
void Wheel(Integer Delta) {
    Backend->Wheel(Delta);
}
void PressKey(Integer VirtualKey) {
    Backend->PressKey(VirtualKey);
}
void ReleaseKey(Integer VirtualKey) {
    Backend->ReleaseKey(VirtualKey);
}
void TypeKey(Integer VirtualKey) {
    Backend->TypeKey(VirtualKey);
}
void TypeKeyWith(Integer VirtualKey, bool Shift, bool Ctrl) {
    if (Ctrl) PressKey(winapi::VK_CONTROL);
    if (Shift) PressKey(winapi::VK_SHIFT);
    TypeKey(VirtualKey);
    if (Shift) ReleaseKey(winapi::VK_SHIFT);
    if (Ctrl) ReleaseKey(winapi::VK_CONTROL);
}
void TypeText(const String& Text) {
    Backend->TypeText(Text);
}
void SetIdleHandler(std::function<void()> Handler) {
    Backend->SetIdleHandler(std::move(Handler));
}

} // namespace headless
