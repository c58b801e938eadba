// The search footer on a real window (SDL2 under Xvfb): Ctrl+F in the grid
// goes to the footer's edit, xdotool types a text and presses Enter, and the
// demo reports the current cell and the result label after each step.

#include "InputDemoXvfbTest.h"
#include "windowing_testing/Xvfb.h"

#include <cairo.h>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

class SearchFooterScreenshot : public TInputDemoXvfbTest {};

TEST_F(SearchFooterScreenshot, CtrlFTypingAndEnterFindTheMatchesAndShowTheCount) {
    auto Demo =
        StartOnDisplay({INPUT_GRID_DEMO, "120", "search"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    int X = 0, Y = 0, W = 0, H = 0;
    const std::string Label = Demo.ReadLine();
    ASSERT_EQ(std::sscanf(Label.c_str(), "label %d %d %d %d", &X, &Y, &W, &H), 4) << Label;
    ASSERT_GT(W, 40);
    ASSERT_GT(H, 20);
    ASSERT_EQ(Demo.ReadLine(), "ready");
    ASSERT_EQ(Tool({"xdotool", "search", "--name", "Input grid demo", "windowfocus", "--sync"}), 0);
    ASSERT_EQ(WaitFor(Demo, "search 1 1 0 [] []"), "search 1 1 0 [] []");

    ASSERT_EQ(Tool({"xdotool", "key", "ctrl+f"}), 0);
    ASSERT_EQ(WaitFor(Demo, "search 1 1 1 [] []"), "search 1 1 1 [] []");
    // "pear" is in (2, 3) and (3, 4); the first becomes current, the edit
    // keeps the focus.
    ASSERT_EQ(Tool({"xdotool", "type", "--delay", "50", "pear"}), 0);
    ASSERT_EQ(WaitFor(Demo, "search 2 3 1 [pear] [(1 of 2)]"), "search 2 3 1 [pear] [(1 of 2)]");
    ASSERT_EQ(Tool({"xdotool", "key", "Return"}), 0);
    ASSERT_EQ(WaitFor(Demo, "search 3 4 1 [pear] [(2 of 2)]"), "search 3 4 1 [pear] [(2 of 2)]");

    // The result label on screen: text pixels right of the match-case box,
    // saved for people to see.
    int Dark = 0;
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
    while (Dark < 20 && std::chrono::steady_clock::now() < Deadline) {
        auto Shot = Screenshot();
        ASSERT_TRUE(Shot->Valid());
        Dark = 0;
        for (int PY = Y + 4; PY < Y + H - 4; ++PY)
            for (int PX = X; PX < X + W; ++PX) {
                const xvfb::TRgb P = Shot->Pixel(PX, PY);
                if (P.R < 110 && P.G < 110 && P.B < 110) ++Dark;
            }
        if (Dark >= 20) cairo_surface_write_to_png(Shot->Image(), INPUT_SEARCH_SHOT);
    }
    EXPECT_GE(Dark, 20) << "no result text in the search footer";
    Demo.Stop();
}

} // namespace
