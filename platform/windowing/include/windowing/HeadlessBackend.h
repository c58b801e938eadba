#pragma once
// The headless backend: a virtual screen (1920 x 1080 unless told otherwise),
// input that tests inject, and no desktop clipboard. Injected input is queued
// like a real backend's and routed when the message loop retrieves it.
//
// A wait for input that can never come (nothing queued, no timer due on a
// manual clock) calls the idle handler when one is set, so a test can feed
// the next input; without one it raises EWindowingError rather than hang.

#include "windowing/Backend.h"

#include <functional>

class THeadlessBackend : public TWindowBackend {
public:
    explicit THeadlessBackend(TSize screen = {1920, 1080});

    String Name() const override { return u"headless"; }
    std::vector<winapi::MONITORINFO> Monitors() const override { return FMonitors; }
    void SetMonitors(std::vector<winapi::MONITORINFO> monitors) { FMonitors = std::move(monitors); }

    void WindowCreated(winapi::HWND) override {}
    void WindowDestroyed(winapi::HWND) override {}
    void WindowShown(winapi::HWND, bool, bool) override {}
    void WindowMoved(winapi::HWND, const TRect&, const TRect&) override {}
    void WindowRaised(winapi::HWND) override {}
    void WindowTitleChanged(winapi::HWND, const String&) override {}
    void Present(winapi::HWND, cairo_surface_t*, const TRect&) override { ++FPresentCount; }
    void CursorChanged(winapi::HCURSOR cursor) override { FCursor = cursor; }
    bool WaitForEvents(Integer timeout) override;
    void Wake() override {}
    std::optional<String> DesktopClipboardText() override { return std::nullopt; }
    void SetDesktopClipboardText(const String&) override {}

    // ---- Injected input ----
    void MoveMouse(Integer x, Integer y);
    void PressButton(TMouseButton button = mbLeft);
    void ReleaseButton(TMouseButton button = mbLeft);
    // Move, press and release at a screen point.
    void Click(Integer x, Integer y, TMouseButton button = mbLeft);
    void Wheel(Integer delta, bool horizontal = false);
    void PressKey(Integer virtualKey, std::optional<String> text = std::nullopt, bool extended = false);
    void ReleaseKey(Integer virtualKey, bool extended = false);
    // Press and release.
    void TypeKey(Integer virtualKey);
    void TypeText(const String& text);

    void SetIdleHandler(std::function<void()> handler) { FIdle = std::move(handler); }
    Integer PresentCount() const { return FPresentCount; }
    winapi::HCURSOR ShownCursor() const { return FCursor; }

private:
    std::vector<winapi::MONITORINFO> FMonitors;
    std::function<void()> FIdle;
    Integer FPresentCount = 0;
    winapi::HCURSOR FCursor = nullptr;
};

// Selects a new headless backend (dropping every window) and answers it.
THeadlessBackend& UseHeadlessBackend(TSize screen = {1920, 1080});
