// The editor controls demonstration on the SDL2 backend under Xvfb: the form
// shows each control (the combo's red button face and the date picker's
// blue one seen in a screenshot); a click on the spin editor's up button
// steps it, and the unit edit's button offers the units, of which the keys
// pick the second.

#include "windowing_testing/Xvfb.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using xvfb::TRgb;

namespace {

class EditorControlsScreenshot : public xvfb::TXvfbTest {
protected:
    bool Shows(int X, int Y, TRgb Colour) {
        auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
        while (std::chrono::steady_clock::now() < Deadline) {
            auto Shot = Screenshot();
            if (!Shot->Valid()) return false;
            if (Shot->Pixel(X, Y) == Colour) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        return false;
    }
    // Waits until the pixel is no longer Colour.
    bool Leaves(int X, int Y, TRgb Colour) {
        auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
        while (std::chrono::steady_clock::now() < Deadline) {
            auto Shot = Screenshot();
            if (!Shot->Valid()) return false;
            if (!(Shot->Pixel(X, Y) == Colour)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        return false;
    }
};

TEST_F(EditorControlsScreenshot, FormShowsEachControlAndTheSpinAndUnitEditsWorkByMouseAndKeys) {
    auto Demo = StartOnDisplay({GRIDBASE_EDITORS_DEMO, "600"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    ASSERT_EQ(Demo.ReadLine(), "ready");

    // The form at (40, 40). The combo at (60, 60) 150 x 24, its client area
    // 2 pixels in: the red face ends 2 pixels left of the client's right.
    EXPECT_TRUE(Shows(60 + 2 + 146 - 3, 60 + 2 + 4, TRgb{255, 0, 0}));

    // The spin editor at (60, 100) 120 x 24: its button pair 100 pixels into
    // the client area, the up button in the upper half.
    ASSERT_EQ(Tool({"xdotool", "mousemove", "169", "106", "click", "1"}), 0);
    EXPECT_EQ(Demo.ReadLine(), "spin 1");
    ASSERT_EQ(Tool({"xdotool", "mousemove", "169", "106", "click", "1"}), 0);
    EXPECT_EQ(Demo.ReadLine(), "spin 2");

    // The unit edit at (60, 140) 140 x 24: its button 117 pixels into the
    // client area; the menu offers m, mm and kg, and the keys choose mm.
    // The menu opens below the edit, over the silver form.
    ASSERT_TRUE(Shows(200, 175, TRgb{192, 192, 192}));
    ASSERT_EQ(Tool({"xdotool", "mousemove", "188", "151", "click", "1"}), 0);
    ASSERT_TRUE(Leaves(200, 175, TRgb{192, 192, 192}));
    ASSERT_EQ(Tool({"xdotool", "key", "Down", "Down", "Return"}), 0);
    EXPECT_EQ(Demo.ReadLine(), "unit mm");
    Demo.Stop();
}

} // namespace
