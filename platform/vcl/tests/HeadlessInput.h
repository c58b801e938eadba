#pragma once
// Input injected into the headless window system on a manual clock: the
// tests' short way to start the backend and drive it.

#include "rtl/Types.h"

#include <functional>
#include <optional>

namespace headless {

enum class TButton { Left, Right, Middle };

// Selects a new headless backend (1920 x 1080) on a manual clock.
void Start();
void AdvanceClock(UInt64 Milliseconds);
void MoveMouse(Integer X, Integer Y);
void Press(TButton Button = TButton::Left);
void Release(TButton Button = TButton::Left);
void Click(Integer X, Integer Y, TButton Button = TButton::Left);
void Wheel(Integer Delta);
void PressKey(Integer VirtualKey);
void ReleaseKey(Integer VirtualKey);
void TypeKey(Integer VirtualKey);
// Types a key with Ctrl and Shift held as asked.
void TypeKeyWith(Integer VirtualKey, bool Shift, bool Ctrl);
void TypeText(const String& Text);
// Runs when the message loop would wait for input that nothing will inject.
void SetIdleHandler(std::function<void()> Handler);

} // namespace headless
