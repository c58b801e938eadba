// The edit controls on the SDL2 backend under Xvfb: a screenshot of the form
// with each control (masked edit, balloon tip, rich edit with red text,
// picker, month calendar with its highlighted day, tool tip, file chooser),
// then xdotool types into the masked edit, picks a date from the month
// calendar and one from the picker's drop-down calendar, and types into the
// chooser a name that is not there, which shows a message box of three
// lines. The form is at (10, 10), the chooser at (510, 10).

#include "windowing_testing/Xvfb.h"

#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

using xvfb::TRgb;

namespace {

class EditControlsScreenshot : public xvfb::TXvfbTest {
protected:
    // Reads "<word> <x> <y>" from the demo.
    static bool ReadPoint(xvfb::TChildProcess& Demo, const std::string& Word, int& X, int& Y) {
        std::istringstream Line(Demo.ReadLine());
        std::string Seen;
        Line >> Seen >> X >> Y;
        return Seen == Word && !Line.fail();
    }
    // Whether some pixel of the area satisfies Test, waiting for the screen
    // to show it.
    bool Shows(int Left, int Top, int Right, int Bottom, const std::function<bool(const TRgb&)>& Test) {
        auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
        while (std::chrono::steady_clock::now() < Deadline) {
            auto Shot = Screenshot();
            if (!Shot->Valid()) return false;
            for (int Y = Top; Y < Bottom; ++Y)
                for (int X = Left; X < Right; ++X)
                    if (Test(Shot->Pixel(X, Y))) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
        return false;
    }
    bool ShowsColour(int Left, int Top, int Right, int Bottom, TRgb Colour) {
        return Shows(Left, Top, Right, Bottom, [Colour](const TRgb& P) { return P == Colour; });
    }
    // Reads lines until one equals Expected; false when output ends first.
    static bool ReadUntil(xvfb::TChildProcess& Demo, const std::string& Expected, std::string& Last) {
        for (Last = Demo.ReadLine(); !Last.empty(); Last = Demo.ReadLine())
            if (Last == Expected) return true;
        return false;
    }
    // Reads lines until one starts with Word and a space.
    static bool ReadUntilWord(xvfb::TChildProcess& Demo, const std::string& Word, std::string& Last) {
        for (Last = Demo.ReadLine(); !Last.empty(); Last = Demo.ReadLine())
            if (Last.rfind(Word + " ", 0) == 0) return true;
        return false;
    }
};

TEST_F(EditControlsScreenshot, EachControlIsDrawnAndTypingAndPickingADateWork) {
    auto Demo = StartOnDisplay({EDIT_CONTROLS_DEMO, "600"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    int MaskX = 0, MaskY = 0, PickerX = 0, PickerY = 0, DayX = 0, DayY = 0, NameX = 0, NameY = 0;
    ASSERT_TRUE(ReadPoint(Demo, "mask", MaskX, MaskY));
    ASSERT_TRUE(ReadPoint(Demo, "picker", PickerX, PickerY));
    ASSERT_TRUE(ReadPoint(Demo, "calendar-day", DayX, DayY));
    ASSERT_TRUE(ReadPoint(Demo, "chooser-name", NameX, NameY));
    ASSERT_EQ(Demo.ReadLine(), "ready");

    // The form (silver) at (10, 10); the rich edit's red word; the month
    // calendar's red ring around today; the tool tip and the balloon in the
    // tool-tip colour; the chooser's white lists beside the form.
    EXPECT_TRUE(ShowsColour(195, 105, 205, 115, TRgb{192, 192, 192}));
    EXPECT_TRUE(Shows(30, 160, 250, 260, [](const TRgb& P) { return P.R > 200 && P.G < 60 && P.B < 60; }));
    EXPECT_TRUE(Shows(270, 200, 490, 260, [](const TRgb& P) { return P.R > 180 && P.G < 80 && P.B < 80; }));
    EXPECT_TRUE(ShowsColour(30, 280, 90, 305, TRgb{255, 255, 225}));
    EXPECT_TRUE(ShowsColour(20, 95, 100, 140, TRgb{255, 255, 225}));
    EXPECT_TRUE(ShowsColour(520, 70, 1000, 280, TRgb{255, 255, 255}));

    // Typing into the masked edit: the day, the month's letters and the
    // year; the caret skips the literal dashes.
    ASSERT_EQ(Tool({"xdotool", "mousemove", std::to_string(MaskX), std::to_string(MaskY), "click", "1"}), 0);
    ASSERT_EQ(Tool({"xdotool", "key", "Home"}), 0);
    ASSERT_EQ(Tool({"xdotool", "type", "--delay", "50", "12JAN2024"}), 0);
    std::string Last;
    EXPECT_TRUE(ReadUntil(Demo, "text 12-JAN-2024", Last)) << Last;

    // A click on the 20th of the month calendar picks that date.
    ASSERT_EQ(Tool({"xdotool", "mousemove", std::to_string(DayX), std::to_string(DayY), "click", "1"}), 0);
    EXPECT_TRUE(ReadUntil(Demo, "calendar 2024-03-20", Last)) << Last;

    // The picker's button drops its calendar down, which stays on screen
    // although showing it moves the desktop's focus; a click on the 20th
    // there is the picker's new date.
    ASSERT_EQ(Tool({"xdotool", "mousemove", std::to_string(PickerX), std::to_string(PickerY), "click", "1"}), 0);
    ASSERT_TRUE(ReadPoint(Demo, "day", DayX, DayY));
    // The calendar covers the silver form between the picker and the month
    // calendar below it.
    EXPECT_TRUE(ShowsColour(PickerX - 150, PickerY + 20, PickerX, PickerY + 100, TRgb{255, 255, 255}));
    ASSERT_EQ(Tool({"xdotool", "mousemove", std::to_string(DayX), std::to_string(DayY), "click", "1"}), 0);
    EXPECT_TRUE(ReadUntil(Demo, "date 2024-03-20", Last)) << Last;

    // A name that is not there, typed into the chooser, shows "File not
    // found" in a message box: three lines of text, all of them inside the
    // window with the button below them.
    ASSERT_EQ(Tool({"xdotool", "mousemove", std::to_string(NameX), std::to_string(NameY), "click", "1"}), 0);
    ASSERT_EQ(Tool({"xdotool", "type", "--delay", "50", "missing.txt"}), 0);
    ASSERT_EQ(Tool({"xdotool", "key", "Return"}), 0);
    ASSERT_TRUE(ReadUntilWord(Demo, "message", Last)) << Last;
    std::istringstream Text(Last);
    std::string Word;
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    Text >> Word >> Left >> Top >> Right >> Bottom;
    EXPECT_GT(Bottom - Top, 30) << "three lines";
    int BoxX = -1, BoxY = -1, BoxWidth = 0, BoxHeight = 0;
    auto Search = StartOnDisplay({"xdotool", "search", "--sync", "--onlyvisible", "--name", "Warning",
                                  "getwindowgeometry"});
    for (std::string Line = Search.ReadLine(); !Line.empty(); Line = Search.ReadLine()) {
        char Comma, Cross;
        std::istringstream In(Line.substr(Line.find(':') + 1));
        if (Line.find("Position:") != std::string::npos) In >> BoxX >> Comma >> BoxY;
        if (Line.find("Geometry:") != std::string::npos) In >> BoxWidth >> Cross >> BoxHeight;
    }
    Search.Wait();
    EXPECT_LE(BoxX, Left);
    EXPECT_GE(BoxX + BoxWidth, Right);
    EXPECT_GE(BoxY + BoxHeight, Bottom + 30) << "the text and the button below it";
    auto Ink = [](const TRgb& P) { return P.R < 90 && P.G < 90 && P.B < 90; };
    EXPECT_TRUE(Shows(Left, Top, Right, Top + 12, Ink)) << "the first line";
    EXPECT_TRUE(Shows(Left, Bottom - 12, Right, Bottom, Ink)) << "the last line";
    ASSERT_EQ(Tool({"xdotool", "key", "Return"}), 0);
    Demo.Stop();
}

} // namespace
