// The demonstration grid on a real window (SDL2 under Xvfb): a screenshot
// taken through the X server shows, pixel for pixel, what the headless
// backend renders for the same grid.

#include "windowing_testing/Xvfb.h"

#include <cairo.h>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>

namespace {

class ViewGridScreenshot : public xvfb::TXvfbTest {};

struct TGridPlace {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Reads the demo's lines up to "ready"; answers false when a line is not
// the expected one.
bool ReadDemo(xvfb::TChildProcess& Demo, const std::string& Backend, bool Saves, TGridPlace& Place,
              std::string& Error) {
    std::string Line = Demo.ReadLine();
    if (Line != "backend " + Backend) return Error = "first line: " + Line, false;
    Line = Demo.ReadLine();
    if (std::sscanf(Line.c_str(), "grid %d %d %d %d", &Place.Left, &Place.Top, &Place.Width, &Place.Height) != 4)
        return Error = "grid line: " + Line, false;
    if (Saves && (Line = Demo.ReadLine()) != "saved") return Error = "save line: " + Line, false;
    if ((Line = Demo.ReadLine()) != "ready") return Error = "ready line: " + Line, false;
    return true;
}

TEST_F(ViewGridScreenshot, TheWindowOnScreenEqualsTheHeadlessRendering) {
    const std::string Png = std::string(VIEW_GRID_SHOTS) + "/view-grid-demo-headless.png";
    std::remove(Png.c_str());
    TGridPlace Headless, Shown;
    std::string Error;
    {
        auto Demo = xvfb::TChildProcess::Start({VIEW_GRID_DEMO, "120", Png},
                                               {"VANDREL_BACKEND=headless", "ASAN_OPTIONS=detect_leaks=0"}, true);
        ASSERT_TRUE(Demo.Started());
        ASSERT_TRUE(ReadDemo(Demo, "headless", true, Headless, Error)) << Error;
        Demo.Stop();
    }
    xvfb::TScreenshot Expected(cairo_image_surface_create_from_png(Png.c_str()));
    ASSERT_TRUE(Expected.Valid()) << Png;
    ASSERT_EQ(cairo_image_surface_get_width(Expected.Image()), Headless.Width);
    ASSERT_EQ(cairo_image_surface_get_height(Expected.Image()), Headless.Height);
    // Two blank windows would compare equal too: the rendering shows the
    // progress bars' blue.
    int Blue = 0;
    for (int Y = 0; Y < Headless.Height; ++Y)
        for (int X = 0; X < Headless.Width; ++X) Blue += Expected.Pixel(X, Y) == xvfb::TRgb{0, 0, 255};
    ASSERT_GT(Blue, 100);

    auto Demo = StartOnDisplay({VIEW_GRID_DEMO, "600"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    ASSERT_TRUE(ReadDemo(Demo, "sdl", false, Shown, Error)) << Error;
    EXPECT_EQ(Shown.Width, Headless.Width);
    EXPECT_EQ(Shown.Height, Headless.Height);

    // The window reaches the screen some time after the demo is ready:
    // screenshots until one equals the headless pixels.
    int Differing = -1;
    std::string First;
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
    while (Differing != 0 && std::chrono::steady_clock::now() < Deadline) {
        if (Differing > 0) std::this_thread::sleep_for(std::chrono::milliseconds(250));
        auto Shot = Screenshot();
        ASSERT_TRUE(Shot->Valid()) << "the screenshot tool failed";
        Differing = 0;
        First.clear();
        for (int Y = 0; Y < Headless.Height; ++Y)
            for (int X = 0; X < Headless.Width; ++X) {
                const xvfb::TRgb Want = Expected.Pixel(X, Y), Got = Shot->Pixel(Shown.Left + X, Shown.Top + Y);
                if (Want == Got) continue;
                if (Differing++ == 0) {
                    std::ostringstream Out;
                    Out << "(" << X << ", " << Y << ") headless " << Want << " on screen " << Got;
                    First = Out.str();
                }
            }
        if (Differing != 0 && std::chrono::steady_clock::now() >= Deadline)
            cairo_surface_write_to_png(Shot->Image(), (std::string(VIEW_GRID_SHOTS) + "/view-grid-demo-sdl.png").c_str());
    }
    EXPECT_EQ(Differing, 0) << "first difference at " << First;
    Demo.Stop();
}

} // namespace
