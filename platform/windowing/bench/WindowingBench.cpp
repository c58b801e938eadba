// Speed of the message loop and of a paint pass, on the headless backend.

#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"
#include "windowing/Window.h"

#include <benchmark/benchmark.h>

using namespace winapi;

namespace {

Integer Received = 0;

LRESULT Counting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) {
        ++Received;
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, paint);
        TRect client;
        GetClientRect(window, client);
        HBRUSH brush = CreateSolidBrush(RGB(Byte(reinterpret_cast<NativeUInt>(window) >> 4), 128, 64));
        FillRect(dc, client, brush);
        DeleteObject(brush);
        EndPaint(window, paint);
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

void RegisterCounting() {
    WNDCLASS counting;
    counting.lpfnWndProc = &Counting;
    counting.lpszClassName = u"Counting";
    RegisterClass(counting);
}

// Posts one million messages, then takes and dispatches them all.
void PostAndDispatchMillion(benchmark::State& state) {
    UseHeadlessBackend();
    RegisterCounting();
    HWND window = CreateWindowEx(0, u"Counting", u"", WS_POPUP, 0, 0, 10, 10, nullptr);
    for (auto _ : state) {
        Received = 0;
        for (Integer i = 0; i < 1000000; ++i)
            PostMessage(window, WM_USER, WPARAM(i), 0);
        MSG message;
        while (PeekMessage(message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(message);
        if (Received != 1000000) state.SkipWithError("messages lost");
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
    DestroyWindow(window);
}
BENCHMARK(PostAndDispatchMillion)->Unit(benchmark::kMillisecond);

// Invalidates a window of 1,000 children and runs the paint pass: each
// child erases and fills itself, clipped, on the window's surface.
void RepaintThousandChildren(benchmark::State& state) {
    UseHeadlessBackend();
    RegisterCounting();
    HWND form = CreateWindowEx(0, u"Counting", u"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 1000, 800, nullptr);
    for (Integer i = 0; i < 1000; ++i)
        CreateWindowEx(0, u"Counting", u"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, (i % 40) * 25,
                       (i / 40) * 30, 24, 29, form);
    ShowWindow(form, SW_SHOW);
    UpdateWindow(form);
    for (auto _ : state) {
        RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    state.SetItemsProcessed(state.iterations() * 1001);
    DestroyWindow(form);
}
BENCHMARK(RepaintThousandChildren)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
