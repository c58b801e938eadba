// A small program on the window system: two top-level windows, each with two
// coloured children. A click on a child prints "click <name>"; the program
// prints "ready" once everything is painted and ends after a click on the
// child "green" or when its time (argument 1, seconds; default 30) is up.

#include "graphics/Colors.h"
#include "graphics/GdiDraw.h"
#include "rtl/Encoding.h"
#include "windowing/Backend.h"
#include "windowing/MessageQueue.h"
#include "windowing/Paint.h"
#include "windowing/Timers.h"
#include "windowing/Window.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

using namespace winapi;

namespace {

std::map<HWND, std::pair<std::string, TColor>> Panels;
HWND Quitter = nullptr;

LRESULT PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto found = Panels.find(window);
    if (found != Panels.end()) {
        if (message == WM_PAINT) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, paint);
            TRect client;
            GetClientRect(window, client);
            HBRUSH brush = CreateSolidBrush(found->second.second);
            FillRect(dc, client, brush);
            DeleteObject(brush);
            EndPaint(window, paint);
            return 0;
        }
        if (message == WM_LBUTTONDOWN) {
            std::printf("click %s\n", found->second.first.c_str());
            std::fflush(stdout);
            if (window == Quitter) PostQuitMessage(0);
            return 0;
        }
    }
    return DefWindowProc(window, message, wParam, lParam);
}

HWND Panel(HWND parent, const std::string& name, TColor color, TRect bounds) {
    HWND window = CreateWindowEx(0, u"DemoPanel", String(name.begin(), name.end()), WS_CHILD | WS_VISIBLE,
                                 bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), parent);
    Panels[window] = {name, color};
    InvalidateRect(window, nullptr, true);
    return window;
}

} // namespace

int main(int argc, char** argv) {
    int seconds = argc > 1 ? std::atoi(argv[1]) : 30;
    std::printf("backend %s\n", Utf8(Backend().Name()).c_str());
    WNDCLASS panel;
    panel.lpfnWndProc = &PanelProc;
    panel.hbrBackground = CreateSolidBrush(clSilver);
    panel.lpszClassName = u"DemoPanel";
    RegisterClass(panel);

    HWND first =
        CreateWindowEx(0, u"DemoPanel", u"First", WS_POPUP | WS_CLIPCHILDREN, 40, 40, 300, 200, nullptr);
    Panel(first, "red", clRed, Bounds(20, 20, 100, 80));
    Panel(first, "blue", clBlue, Bounds(160, 60, 100, 100));
    HWND second =
        CreateWindowEx(0, u"DemoPanel", u"Second", WS_POPUP | WS_CLIPCHILDREN, 400, 40, 300, 200, first);
    Quitter = Panel(second, "green", clLime, Bounds(20, 20, 120, 60));
    Panel(second, "yellow", clYellow, Bounds(150, 100, 120, 80));
    ShowWindow(first, SW_SHOW);
    ShowWindow(second, SW_SHOW);
    UpdateWindow(first);
    UpdateWindow(second);
    SetTimer(nullptr, 0, Cardinal(seconds) * 1000, [](HWND, UINT, NativeUInt, DWORD) { PostQuitMessage(2); });

    MSG message;
    bool announced = false;
    while (true) {
        while (PeekMessage(message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                DestroyWindow(first);
                DeleteObject(panel.hbrBackground);
                return int(message.wParam);
            }
            TranslateMessage(message);
            DispatchMessage(message);
        }
        if (!announced) {
            std::printf("ready\n");
            std::fflush(stdout);
            announced = true;
        }
        WaitMessage();
    }
}
