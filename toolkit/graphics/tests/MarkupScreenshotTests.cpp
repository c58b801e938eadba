// The markup demonstration on the SDL2 backend under Xvfb: a screenshot
// taken through the X server shows the form, the marked-up text with its
// picture, link and red text, and the tool tip below the text.

#include "windowing_testing/Xvfb.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using xvfb::TRgb;

namespace {

class MarkupScreenshot : public xvfb::TXvfbTest {};

struct TProbe {
    const char* What;
    int Left, Top, Right, Bottom; // some pixel in here has the colour
    TRgb Color;
};

bool Shows(const xvfb::TScreenshot& AShot, const TProbe& AProbe) {
    for (int Y = AProbe.Top; Y < AProbe.Bottom; ++Y)
        for (int X = AProbe.Left; X < AProbe.Right; ++X)
            if (AShot.Pixel(X, Y) == AProbe.Color) return true;
    return false;
}

TEST_F(MarkupScreenshot, FormShowsMarkupWithPictureControlLinkAndToolTip) {
    // SDL's desktop libraries keep buffers the leak checker cannot attribute;
    // the headless tests check this code for leaks.
    auto Demo = StartOnDisplay({MARKUP_DEMO, "600"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    ASSERT_EQ(Demo.ReadLine(), "ready");

    // The form at (40, 40), its text panel at (50, 50) 300 x 80, the text
    // from (54, 54), the tool tip below the panel's left edge.
    const TProbe Probes[] = {
        {"form background", 42, 42, 48, 48, {192, 192, 192}},
        {"panel face", 330, 110, 345, 125, {255, 255, 255}},
        {"green picture", 60, 60, 72, 72, {0, 255, 0}},
        {"blue link", 140, 54, 200, 74, {0, 0, 255}},
        {"red text", 54, 70, 120, 92, {255, 0, 0}},
        {"red tool tip", 50, 138, 130, 160, {255, 0, 0}},
    };
    std::vector<bool> Seen;
    auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
    bool All = false;
    while (!All && std::chrono::steady_clock::now() < Deadline) {
        if (!Seen.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(250));
        auto Shot = Screenshot();
        ASSERT_TRUE(Shot->Valid()) << "the screenshot tool failed";
        Seen.clear();
        All = true;
        for (const TProbe& P : Probes) {
            Seen.push_back(Shows(*Shot, P));
            All = All && Seen.back();
        }
    }
    for (std::size_t I = 0; I < Seen.size(); ++I)
        EXPECT_TRUE(Seen[I]) << Probes[I].What;
    Demo.Stop();
}

} // namespace
