// The drop-down demonstration on the SDL2 backend under Xvfb: a click on the
// button opens the pop-up under the edit (its X window's place read with
// xdotool, its hosted green panel seen in a screenshot); Escape closes it
// restoring the value; a click beside an open pop-up closes it.

#include "windowing_testing/Xvfb.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using xvfb::TRgb;

namespace {

class DropDownScreenshot : public xvfb::TXvfbTest {
protected:
    // The pop-up's window position and size as xdotool reports them.
    std::string PopupGeometry() {
        auto Search = StartOnDisplay({"xdotool", "search", "--sync", "--onlyvisible", "--name",
                                      "VandrelDropDownPopup", "getwindowgeometry"});
        std::string Lines;
        for (std::string Line = Search.ReadLine(); !Line.empty(); Line = Search.ReadLine())
            Lines += Line + "\n";
        Search.Wait();
        return Lines;
    }

    bool ShowsGreen(int Left, int Top, int Right, int Bottom) {
        auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
        while (std::chrono::steady_clock::now() < Deadline) {
            auto Shot = Screenshot();
            if (!Shot->Valid()) return false;
            bool All = true;
            for (int Y = Top; Y < Bottom && All; Y += 5)
                for (int X = Left; X < Right && All; X += 5)
                    All = Shot->Pixel(X, Y) == TRgb{0, 255, 0};
            if (All) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        return false;
    }
};

TEST_F(DropDownScreenshot, ButtonOpensThePopupUnderTheEditAndEscapeOrAClickBesideCloseIt) {
    auto Demo = StartOnDisplay({DROPDOWN_DEMO, "600"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    ASSERT_EQ(Demo.ReadLine(), "ready");

    // The form at (40, 40), the edit at (60, 60) 200 x 21 with its client
    // area 2 pixels in; the button takes the last 16 pixels of it.
    ASSERT_EQ(Tool({"xdotool", "mousemove", "250", "70", "click", "1"}), 0);
    ASSERT_EQ(Demo.ReadLine(), "opened");
    const std::string Geometry = PopupGeometry();
    EXPECT_NE(Geometry.find("Position: 60,80"), std::string::npos) << Geometry;
    // Border 1 and a 22-pixel header above the hosted panel.
    EXPECT_TRUE(ShowsGreen(70, 110, 230, 195));

    ASSERT_EQ(Tool({"xdotool", "key", "Escape"}), 0);
    EXPECT_EQ(Demo.ReadLine(), "closed 1 original");

    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    ASSERT_EQ(Tool({"xdotool", "mousemove", "250", "70", "click", "1"}), 0);
    ASSERT_EQ(Demo.ReadLine(), "opened");
    ASSERT_EQ(Tool({"xdotool", "mousemove", "350", "220", "click", "1"}), 0);
    EXPECT_EQ(Demo.ReadLine(), "closed 1 original");
    Demo.Stop();
}

} // namespace
