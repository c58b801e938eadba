// The drop-down demonstration on the SDL2 backend under Xvfb: a click on the
// button opens the pop-up under the edit (its X window's place read with
// xdotool, its hosted green panel seen in a screenshot); Escape closes it
// restoring the value; a click beside an open pop-up closes it. Dragging
// the footer's grip grows the pop-up's X window, which keeps that size.

#include "windowing_testing/Xvfb.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
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

    // The size in an xdotool geometry report ("Geometry: WxH").
    static bool ParseSize(const std::string& Geometry, int& Width, int& Height) {
        const auto At = Geometry.find("Geometry: ");
        if (At == std::string::npos) return false;
        return std::sscanf(Geometry.c_str() + At, "Geometry: %dx%d", &Width, &Height) == 2;
    }

    bool WaitForSize(int Width, int Height) {
        auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
        while (std::chrono::steady_clock::now() < Deadline) {
            int W = 0, H = 0;
            if (ParseSize(PopupGeometry(), W, H) && W == Width && H == Height) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        return false;
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


TEST_F(DropDownScreenshot, DraggingTheFooterGripGrowsThePopupWhichKeepsThatSize) {
    auto Demo =
        StartOnDisplay({DROPDOWN_DEMO, "600", "footer"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    ASSERT_EQ(Demo.ReadLine(), "ready");
    ASSERT_EQ(Tool({"xdotool", "mousemove", "250", "70", "click", "1"}), 0);
    ASSERT_EQ(Demo.ReadLine(), "opened");
    int Width = 0, Height = 0;
    ASSERT_TRUE(ParseSize(PopupGeometry(), Width, Height));

    // The grip is in the footer's lower right corner; the pop-up is at (60, 80).
    const int X = 60 + Width - 5, Y = 80 + Height - 5;
    ASSERT_EQ(Tool({"xdotool", "mousemove", std::to_string(X), std::to_string(Y), "mousedown", "1"}), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(Tool({"xdotool", "mousemove", std::to_string(X + 20), std::to_string(Y + 15)}), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(Tool({"xdotool", "mousemove", std::to_string(X + 40), std::to_string(Y + 30)}), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_EQ(Tool({"xdotool", "mouseup", "1"}), 0);
    EXPECT_TRUE(WaitForSize(Width + 40, Height + 30));

    ASSERT_EQ(Tool({"xdotool", "key", "Escape"}), 0);
    EXPECT_EQ(Demo.ReadLine(), "closed 1 original");
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    ASSERT_EQ(Tool({"xdotool", "mousemove", "250", "70", "click", "1"}), 0);
    ASSERT_EQ(Demo.ReadLine(), "opened");
    EXPECT_TRUE(WaitForSize(Width + 40, Height + 30));
    Demo.Stop();
}

} // namespace

// The time picker: a click inside the watch's dial at 3 o'clock puts the
// (red) hour hand on that radius, and a click outside the pop-up closes it
// with the time 03:00:00.
TEST_F(DropDownScreenshot, AClickAtThreeOClockOnTheWatchSetsThreeHours) {
    auto Demo = StartOnDisplay({DROPDOWN_DEMO, "600", "time"},
                               {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    ASSERT_EQ(Demo.ReadLine(), "ready");
    ASSERT_EQ(Tool({"xdotool", "mousemove", "250", "70", "click", "1"}), 0);
    const std::string Opened = Demo.ReadLine();
    int X = 0, Y = 0, W = 0, H = 0;
    ASSERT_EQ(std::sscanf(Opened.c_str(), "opened %d %d %d %d", &X, &Y, &W, &H), 4) << Opened;
    const int CX = X + W / 2, CY = Y + H / 2, R = std::min(W, H) / 2;
    ASSERT_GT(R, 40);

    // Red pixels on the 3 o'clock radius near the centre, none on the
    // 12 o'clock one (where the hand stood at 00:00).
    auto HandAtThree = [&] {
        auto Shot = Screenshot();
        if (!Shot->Valid()) return false;
        auto Red = [&](int PX, int PY) {
            const TRgb C = Shot->Pixel(PX, PY);
            return C.R > 200 && C.G < 80 && C.B < 80;
        };
        int AtThree = 0, AtTwelve = 0;
        for (int D = 8; D < R * 2 / 5; ++D)
            for (int O = -2; O <= 2; ++O) {
                AtThree += Red(CX + D, CY + O);
                AtTwelve += Red(CX + O, CY - D);
            }
        return AtThree >= 10 && AtTwelve == 0;
    };
    const std::string Click = std::to_string(CX + R * 3 / 5);
    ASSERT_EQ(Tool({"xdotool", "mousemove", Click, std::to_string(CY), "click", "1"}), 0);
    bool Seen = false;
    auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
    while (!Seen && std::chrono::steady_clock::now() < Deadline) {
        Seen = HandAtThree();
        if (!Seen) std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    EXPECT_TRUE(Seen);

    ASSERT_EQ(Tool({"xdotool", "mousemove", "350", "220", "click", "1"}), 0);
    const std::string Closed = Demo.ReadLine();
    EXPECT_EQ(Closed.substr(Closed.size() >= 8 ? Closed.size() - 8 : 0), "03:00:00") << Closed;
    Demo.Stop();
}
