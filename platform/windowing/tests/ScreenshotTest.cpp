// The demonstration program on the SDL2 backend under Xvfb: a screenshot
// taken through the X server shows the children's colours where they
// belong, and clicks sent through the X server reach the right children.

#include "windowing_testing/Xvfb.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using xvfb::TRgb;

namespace {

class XvfbTest : public xvfb::TXvfbTest {};

} // namespace

TEST_F(XvfbTest, DemonstrationWindowsShowTheirChildrenAndClicksReachThem) {
    // The desktop libraries SDL loads and unloads at run time (session bus,
    // X extensions) keep buffers the leak checker cannot attribute, so it is
    // off for this one process; the headless tests check our own code for leaks.
    // The program gives up on its own only after ten minutes; the test ends it.
    auto demo = StartOnDisplay({WINDOWING_DEMO, "600"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(demo.Started());
    EXPECT_EQ(demo.ReadLine(), "backend sdl");
    ASSERT_EQ(demo.ReadLine(), "ready");

    struct TProbe {
        int X, Y;
        TRgb Color;
    };
    // Windows at (40, 40) and (400, 40); children as the demonstration places them.
    const TProbe probes[] = {
        {40 + 70, 40 + 60, {255, 0, 0}},      // "red" in the first window
        {40 + 210, 40 + 110, {0, 0, 255}},    // "blue"
        {40 + 5, 40 + 5, {192, 192, 192}},    // the first window's own background
        {400 + 80, 40 + 50, {0, 255, 0}},     // "green" in the second window
        {400 + 210, 40 + 140, {255, 255, 0}}, // "yellow"
    };
    // The window manager-less server shows the windows once SDL has mapped
    // and presented them; retry for as long as a loaded machine may need.
    bool matched = false;
    std::vector<TRgb> seen;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
    while (!matched && std::chrono::steady_clock::now() < deadline) {
        if (!seen.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(250));
        auto shot = Screenshot();
        ASSERT_TRUE(shot->Valid()) << "the screenshot tool failed";
        seen.clear();
        matched = true;
        for (const auto& p : probes) {
            seen.push_back(shot->Pixel(p.X, p.Y));
            matched = matched && seen.back() == p.Color;
        }
    }
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], probes[i].Color) << "at " << probes[i].X << "," << probes[i].Y;

    EXPECT_EQ(Tool({"xdotool", "mousemove", "110", "100", "click", "1"}), 0);
    EXPECT_EQ(demo.ReadLine(), "click red");
    EXPECT_EQ(Tool({"xdotool", "mousemove", "480", "90", "click", "1"}), 0);
    EXPECT_EQ(demo.ReadLine(), "click green");
    EXPECT_EQ(demo.Wait(), 0) << "the click on green ends the program";
}
