// The controls demonstration on the SDL2 backend under Xvfb: a form read
// from its layout shows its menu bar, buttons and frame; the File menu opens
// by a click and its item asks a question in a message box, answered with
// the keyboard; a right click on the frame shows its pop-up menu; Exit ends
// the program. Each step is seen in a screenshot (saved as PNG files into
// the folder VANDREL_SCREENSHOTS names, when set).

#include "windowing_testing/Xvfb.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

using xvfb::TRgb;

namespace {

const TRgb Yellow{255, 255, 0};
const TRgb Highlight{0, 120, 215};
const TRgb IconBlue{0, 0, 255};

struct TPlace {
    int X = -1, Y = -1, Width = 0, Height = 0;
};

class ControlsDemoScreenshot : public xvfb::TXvfbTest {
protected:
    // Where a visible window of this title shows, as xdotool reports it.
    TPlace WindowPlace(const std::string& Title) {
        auto Search = StartOnDisplay({"xdotool", "search", "--sync", "--onlyvisible", "--name", Title,
                                      "getwindowgeometry"});
        TPlace Place;
        for (std::string Line = Search.ReadLine(); !Line.empty(); Line = Search.ReadLine()) {
            char Comma, Cross;
            std::istringstream In(Line.substr(Line.find(':') + 1));
            if (Line.find("Position:") != std::string::npos) In >> Place.X >> Comma >> Place.Y;
            if (Line.find("Geometry:") != std::string::npos) In >> Place.Width >> Cross >> Place.Height;
        }
        Search.Wait();
        return Place;
    }

    // Waits until a screenshot passes Check; the last one is saved as <Name>.png.
    bool Shows(const std::string& Name, const std::function<bool(const xvfb::TScreenshot&)>& Check) {
        auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
        bool Passed = false;
        std::unique_ptr<xvfb::TScreenshot> Shot;
        while (!Passed && std::chrono::steady_clock::now() < Deadline) {
            if (Shot) std::this_thread::sleep_for(std::chrono::milliseconds(250));
            Shot = Screenshot();
            if (!Shot->Valid()) return false;
            Passed = Check(*Shot);
        }
        if (const char* Folder = std::getenv("VANDREL_SCREENSHOTS"))
            cairo_surface_write_to_png(Shot->Image(), (std::string(Folder) + "/" + Name + ".png").c_str());
        return Passed;
    }

    // Whether text (dark pixels) is drawn somewhere in the rectangle.
    static bool HasInk(const xvfb::TScreenshot& Shot, int Left, int Top, int Right, int Bottom) {
        for (int Y = Top; Y < Bottom; ++Y)
            for (int X = Left; X < Right; ++X) {
                TRgb P = Shot.Pixel(X, Y);
                if (P.R < 90 && P.G < 90 && P.B < 90) return true;
            }
        return false;
    }

    bool Click(int X, int Y, const char* Button = "1") {
        return Tool({"xdotool", "mousemove", std::to_string(X), std::to_string(Y), "click", Button}) == 0;
    }
    bool MoveTo(int X, int Y) { return Tool({"xdotool", "mousemove", std::to_string(X), std::to_string(Y)}) == 0; }
};

TEST_F(ControlsDemoScreenshot, LayoutFormWithMenusButtonsFrameAndMessageBox) {
    auto Demo = StartOnDisplay({CONTROLS_DEMO, "600"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    ASSERT_EQ(Demo.ReadLine(), "ready");

    // The native window shows the menu bar (20 pixels) and the client area
    // below it; the layout places the buttons and the frame in the client area.
    const TPlace Form = WindowPlace("Vandrel controls");
    ASSERT_GE(Form.X, 0);
    const int BarX = Form.X, BarY = Form.Y;
    const int ClientX = Form.X, ClientY = Form.Y + 20;
    EXPECT_TRUE(Shows("1-form", [&](const xvfb::TScreenshot& Shot) {
        return HasInk(Shot, BarX, BarY, BarX + 40, BarY + 20)                                  // "File"
               && HasInk(Shot, ClientX + 20, ClientY + 20, ClientX + 112, ClientY + 40)        // "Ask..."
               && HasInk(Shot, ClientX + 132, ClientY + 20, ClientX + 224, ClientY + 40)       // "Close"
               && Shot.Pixel(ClientX + 16 + 250, ClientY + 60 + 100) == Yellow                 // the frame
               && HasInk(Shot, ClientX + 16 + 12, ClientY + 60 + 16, ClientX + 16 + 72, ClientY + 60 + 29);
    })) << "menu bar, buttons and the frame with its label";

    // The File menu opens under its bar item, which shows highlighted.
    ASSERT_TRUE(Click(BarX + 14, BarY + 10));
    ASSERT_EQ(Demo.ReadLine(), "menu File");
    ASSERT_TRUE(MoveTo(BarX + 40, BarY + 20 + 2 + 11)); // over "Ask..."
    EXPECT_TRUE(Shows("2-file-menu", [&](const xvfb::TScreenshot& Shot) {
        return Shot.Pixel(BarX + 2, BarY + 2) == Highlight                 // the open bar item
               && Shot.Pixel(BarX + 6, BarY + 20 + 2 + 11) == Highlight;  // the item under the mouse
    }));

    // Its first item asks a question; Enter answers with the default button.
    ASSERT_TRUE(Click(BarX + 40, BarY + 20 + 2 + 11));
    ASSERT_EQ(Demo.ReadLine(), "asking");
    const TPlace Box = WindowPlace("Confirmation");
    ASSERT_GE(Box.X, 0);
    EXPECT_GT(Box.X, 300) << "centred on the screen";
    EXPECT_TRUE(Shows("3-message-box", [&](const xvfb::TScreenshot& Shot) {
        return Shot.Pixel(Box.X + 22, Box.Y + 32) == IconBlue                            // the question icon
               && HasInk(Shot, Box.X + 60 + 80, Box.Y + 16, Box.X + Box.Width, Box.Y + 30)  // "... go on?" on one line
               && HasInk(Shot, Box.X, Box.Y + 60, Box.X + Box.Width, Box.Y + Box.Height); // the buttons
    }));
    ASSERT_TRUE(MoveTo(Box.X + Box.Width / 2, Box.Y + 20));
    ASSERT_EQ(Tool({"xdotool", "key", "Return"}), 0);
    EXPECT_EQ(Demo.ReadLine(), "answer yes");

    // A right click on the frame shows the pop-up menu at the mouse.
    const int PopX = ClientX + 16 + 200, PopY = ClientY + 60 + 80;
    ASSERT_TRUE(Click(PopX, PopY, "3"));
    ASSERT_EQ(Demo.ReadLine(), "popup");
    ASSERT_TRUE(MoveTo(PopX + 40, PopY + 2 + 11));
    EXPECT_TRUE(Shows("4-popup-menu", [&](const xvfb::TScreenshot& Shot) {
        return Shot.Pixel(PopX + 6, PopY + 2 + 11) == Highlight                   // "Hello" under the mouse
               && Shot.Pixel(PopX + 6, PopY + 2 + 22 + 11) == TRgb{240, 240, 240}; // "Disabled" is not
    }));
    ASSERT_TRUE(Click(PopX + 40, PopY + 2 + 11));
    EXPECT_EQ(Demo.ReadLine(), "hello");

    // File, Exit: the form closes and the program ends.
    ASSERT_TRUE(Click(BarX + 14, BarY + 10));
    ASSERT_EQ(Demo.ReadLine(), "menu File");
    ASSERT_TRUE(Click(BarX + 40, BarY + 20 + 2 + 22 + 9 + 11));
    EXPECT_EQ(Demo.ReadLine(), "closed");
    EXPECT_EQ(Demo.Wait(), 0);
}

} // namespace
