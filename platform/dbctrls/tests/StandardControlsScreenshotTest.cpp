// Every standard control on one form on the SDL2 backend under Xvfb: a
// screenshot taken through the X server shows the classic look in normal,
// focused, disabled and down states, and a push button held down by the
// real mouse draws pressed until it is let go. VANDREL_SCREENSHOTS=<folder>
// keeps the screenshots.

#include "graphics/Colors.h"
#include "windowing_testing/Xvfb.h"

#include <cairo.h>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <thread>

using xvfb::TRgb;

namespace {

struct TPlace {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

TRgb Rgb(TColor Color) {
    TColor C = ColorToRGB(Color);
    return {C & 0xFF, (C >> 8) & 0xFF, (C >> 16) & 0xFF};
}

// One pixel the picture must show: at (X, Y) of a control, the colour.
struct TProbe {
    const char* What;
    const char* Control;
    int X, Y;
    TRgb Color;
};

class StandardControlsScreenshot : public xvfb::TXvfbTest {
protected:
    // Reads the demo's "at" lines up to "ready".
    bool ReadPlaces(xvfb::TChildProcess& Demo) {
        for (std::string Line = Demo.ReadLine(); !Line.empty(); Line = Demo.ReadLine()) {
            if (Line == "ready") return true;
            std::istringstream In(Line);
            std::string Word, Name;
            TPlace P;
            if (In >> Word >> Name >> P.Left >> P.Top >> P.Width >> P.Height && Word == "at") Places[Name] = P;
        }
        return false;
    }

    TRgb At(const xvfb::TScreenshot& Shot, const TProbe& Probe) {
        const TPlace& P = Places[Probe.Control];
        return Shot.Pixel(P.Left + Probe.X, P.Top + Probe.Y);
    }

    // Waits until every probe shows its colour; answers the failing ones.
    std::vector<std::string> WaitFor(const std::vector<TProbe>& Probes, const char* SaveAs) {
        std::vector<std::string> Failing;
        auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
        for (bool First = true;; First = false) {
            if (!First) std::this_thread::sleep_for(std::chrono::milliseconds(250));
            auto Shot = Screenshot();
            if (!Shot->Valid()) return {"the screenshot tool failed"};
            Failing.clear();
            for (const TProbe& Probe : Probes) {
                TRgb Seen = At(*Shot, Probe);
                if (!(Seen == Probe.Color)) {
                    std::ostringstream Out;
                    Out << Probe.What << ": " << Seen << " instead of " << Probe.Color;
                    Failing.push_back(Out.str());
                }
            }
            if (Failing.empty() || std::chrono::steady_clock::now() > Deadline) {
                if (const char* Folder = std::getenv("VANDREL_SCREENSHOTS"))
                    cairo_surface_write_to_png(Shot->Image(), (std::string(Folder) + "/" + SaveAs).c_str());
                return Failing;
            }
        }
    }

    std::map<std::string, TPlace> Places;
};

TEST_F(StandardControlsScreenshot, EveryStandardControlShowsTheClassicLookAndAHeldButtonDrawsPressed) {
    // SDL's desktop libraries keep buffers the leak checker cannot attribute;
    // the headless tests check this code for leaks.
    auto Demo = StartOnDisplay({STANDARD_CONTROLS_DEMO, "600"},
                               {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    ASSERT_TRUE(ReadPlaces(Demo));
    ASSERT_EQ(Places.size(), 17u);

    const int ButtonMiddle = Places["Press"].Height / 2;
    const std::vector<TProbe> Look = {
        {"form face", "Form", 4, 4, Rgb(clBtnFace)},
        {"default button's dark frame", "Ok", 0, ButtonMiddle, Rgb(clWindowFrame)},
        {"raised button's light edge", "Press", 0, ButtonMiddle, Rgb(clBtnHighlight)},
        {"raised button's dark edge", "Press", Places["Press"].Width - 1, ButtonMiddle, Rgb(cl3DDkShadow)},
        {"disabled button's face", "OffButton", 4, 4, Rgb(clBtnFace)},
        {"edit's sunken edge", "Edit", 0, 10, Rgb(clBtnShadow)},
        {"edit's inner edge", "Edit", 1, 10, Rgb(cl3DDkShadow)},
        {"edit's window colour", "Edit", Places["Edit"].Width - 4, 10, Rgb(clWindow)},
        {"focused list combo's highlight", "ListCombo", Places["ListCombo"].Width - 25, 12, Rgb(clHighlight)},
        {"disabled check box's face", "OffCheck", 2, 4, Rgb(clBtnFace)},
        {"disabled check box's grey mark", "OffCheck", 6, 8, Rgb(clBtnShadow)},
        {"down speed button's dark edge", "Down", 0, 12, Rgb(cl3DDkShadow)},
        {"down speed button's light face", "Down", 4, 4, Rgb(cl3DLight)},
        {"flat speed button without a frame", "Flat", 0, 12, Rgb(clBtnFace)},
        {"stretched picture", "Image", 30, 30, Rgb(clYellow)},
        {"stretched picture's corner", "Image", 3, 3, Rgb(clTeal)},
        {"sunken static text", "Static", 0, 8, Rgb(clBtnShadow)},
        {"etched group box", "Group", 0, 40, Rgb(clBtnShadow)},
        {"selected list item", "List", Places["List"].Width - 38, 26, Rgb(clHighlight)},
        {"data grid's info colour", "DBGrid", 40, Places["DBGrid"].Height - 30, Rgb(clInfoBk)},
    };
    std::vector<std::string> Failing = WaitFor(Look, "standard-controls.png");
    EXPECT_TRUE(Failing.empty()) << ::testing::PrintToString(Failing);

    // The real mouse holds the button down: it draws pressed, and letting
    // go over it clicks it and raises it again.
    const TPlace& Press = Places["Press"];
    const std::string X = std::to_string(Press.Left + Press.Width / 2);
    const std::string Y = std::to_string(Press.Top + ButtonMiddle);
    ASSERT_EQ(Tool({"xdotool", "mousemove", X, Y, "mousedown", "1"}), 0);
    Failing = WaitFor({{"pressed button's dark frame", "Press", 0, ButtonMiddle, Rgb(clWindowFrame)},
                       {"pressed button's shadow", "Press", 2, ButtonMiddle, Rgb(clBtnShadow)},
                       {"the list combo lost the focus", "ListCombo", Places["ListCombo"].Width - 25, 12,
                        Rgb(clWindow)}},
                      "standard-controls-pressed.png");
    EXPECT_TRUE(Failing.empty()) << ::testing::PrintToString(Failing);
    ASSERT_EQ(Tool({"xdotool", "mouseup", "1"}), 0);
    EXPECT_EQ(Demo.ReadLine(), "click Press");
    // Raised again, with the dark frame of the focused button.
    Failing = WaitFor({{"focused button's dark frame", "Press", 0, ButtonMiddle, Rgb(clWindowFrame)},
                       {"raised button's light edge", "Press", 1, ButtonMiddle, Rgb(clBtnHighlight)}},
                      "standard-controls-up.png");
    EXPECT_TRUE(Failing.empty()) << ::testing::PrintToString(Failing);
    Demo.Stop();
}

} // namespace
