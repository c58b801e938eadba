// The editing cycle on a real window (SDL2 under Xvfb): xdotool types into
// a floating-point cell, a masked date cell and a text cell, and the grid
// demo reports each state it passes through.

#include "InputDemoXvfbTest.h"
#include "windowing_testing/Xvfb.h"

#include <cairo.h>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

class InputGridScreenshot : public TInputDemoXvfbTest {};

TEST_F(InputGridScreenshot, TypedValuesAreFilteredMaskedValidatedAndEscapeRestores) {
    auto Demo = StartOnDisplay({INPUT_GRID_DEMO, "120"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    std::map<int, std::pair<int, int>> Cells;
    std::string Line = Demo.ReadLine();
    for (; Line.rfind("cell ", 0) == 0; Line = Demo.ReadLine()) {
        int C = 0, R = 0, X = 0, Y = 0;
        ASSERT_EQ(std::sscanf(Line.c_str(), "cell %d %d %d %d", &C, &R, &X, &Y), 4) << Line;
        Cells[C] = {X, Y};
    }
    ASSERT_EQ(Line.rfind("march5 ", 0), 0u) << Line;
    ASSERT_EQ(Demo.ReadLine(), "ready");
    ASSERT_EQ(Cells.size(), 5u);
    ASSERT_EQ(Tool({"xdotool", "search", "--name", "Input grid demo", "windowfocus", "--sync"}), 0);
    auto Click = [&](int Col) {
        const auto [X, Y] = Cells[Col];
        return Tool({"xdotool", "mousemove", std::to_string(X), std::to_string(Y), "click", "1"});
    };

    // The float cell: the "x" is refused by the editor, Enter keeps 12.5 and
    // moves to the next row.
    ASSERT_EQ(Click(1), 0);
    ASSERT_EQ(WaitFor(Demo, "state 1 1 0 [] [1.5||keep|]"), "state 1 1 0 [] [1.5||keep|]");
    ASSERT_EQ(Tool({"xdotool", "type", "--delay", "50", "12.5x"}), 0);
    ASSERT_EQ(WaitFor(Demo, "state 1 1 1 [12.5] [12.5||keep|]"), "state 1 1 1 [12.5] [12.5||keep|]");
    ASSERT_EQ(Tool({"xdotool", "key", "Return"}), 0);
    ASSERT_EQ(WaitFor(Demo, "state 1 2 0 [] [12.5||keep|]"), "state 1 2 0 [] [12.5||keep|]");

    // The masked date: the literals come from the mask.
    ASSERT_EQ(Click(2), 0);
    ASSERT_EQ(WaitFor(Demo, "state 2 1 0 [] [12.5||keep|]"), "state 2 1 0 [] [12.5||keep|]");
    ASSERT_EQ(Tool({"xdotool", "type", "--delay", "50", "12JAN2020"}), 0);
    ASSERT_EQ(WaitFor(Demo, "state 2 1 1 [12-JAN-2020] [12.5|12-JAN-2020|keep|]"),
              "state 2 1 1 [12-JAN-2020] [12.5|12-JAN-2020|keep|]");
    // The editor on screen: text pixels in the cell, saved for people to see.
    const auto [MaskX, MaskY] = Cells[2];
    int Dark = 0;
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
    while (Dark < 30 && std::chrono::steady_clock::now() < Deadline) {
        auto Shot = Screenshot();
        ASSERT_TRUE(Shot->Valid());
        Dark = 0;
        for (int Y = MaskY - 8; Y <= MaskY + 8; ++Y)
            for (int X = MaskX - 50; X <= MaskX + 50; ++X) {
                const xvfb::TRgb P = Shot->Pixel(X, Y);
                if (P.R < 110 && P.G < 110 && P.B < 110) ++Dark;
            }
        if (Dark >= 30) cairo_surface_write_to_png(Shot->Image(), INPUT_GRID_SHOT);
    }
    EXPECT_GE(Dark, 30) << "no text of the editor in the cell";
    ASSERT_EQ(Tool({"xdotool", "key", "Return"}), 0);
    ASSERT_EQ(WaitFor(Demo, "state 2 2 0 [] [12.5|12-JAN-2020|keep|]"), "state 2 2 0 [] [12.5|12-JAN-2020|keep|]");

    // Escape in a third cell restores its text.
    ASSERT_EQ(Click(3), 0);
    ASSERT_EQ(WaitFor(Demo, "state 3 1 0 [] [12.5|12-JAN-2020|keep|]"), "state 3 1 0 [] [12.5|12-JAN-2020|keep|]");
    ASSERT_EQ(Tool({"xdotool", "type", "--delay", "50", "zz"}), 0);
    ASSERT_EQ(WaitFor(Demo, "state 3 1 1 [zz] [12.5|12-JAN-2020|zz|]"), "state 3 1 1 [zz] [12.5|12-JAN-2020|zz|]");
    ASSERT_EQ(Tool({"xdotool", "key", "Escape"}), 0);
    ASSERT_EQ(WaitFor(Demo, "state 3 1 0 [] [12.5|12-JAN-2020|keep|]"), "state 3 1 0 [] [12.5|12-JAN-2020|keep|]");
    Demo.Stop();
}

TEST_F(InputGridScreenshot, ComboListPicksTheNextItemAndADateTakesDayThenMonth) {
    auto Demo = StartOnDisplay({INPUT_GRID_DEMO, "120"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    std::map<int, std::pair<int, int>> Cells;
    std::string Line = Demo.ReadLine();
    for (; Line.rfind("cell ", 0) == 0; Line = Demo.ReadLine()) {
        int C = 0, R = 0, X = 0, Y = 0;
        ASSERT_EQ(std::sscanf(Line.c_str(), "cell %d %d %d %d", &C, &R, &X, &Y), 4) << Line;
        Cells[C] = {X, Y};
    }
    ASSERT_EQ(Line.rfind("march5 ", 0), 0u) << Line;
    const std::string March5 = Line.substr(7);
    ASSERT_EQ(Demo.ReadLine(), "ready");
    ASSERT_EQ(Cells.size(), 5u);
    ASSERT_EQ(Tool({"xdotool", "search", "--name", "Input grid demo", "windowfocus", "--sync"}), 0);
    auto Click = [&](int Col) {
        const auto [X, Y] = Cells[Col];
        return Tool({"xdotool", "mousemove", std::to_string(X), std::to_string(Y), "click", "1"});
    };
    auto Special = [](int Col, int Row, int Edit, int Open, const std::string& Texts) {
        return "special " + std::to_string(Col) + " " + std::to_string(Row) + " " + std::to_string(Edit) + " " +
               std::to_string(Open) + " " + Texts;
    };

    // The list combo: F2 opens the editor, Alt+Down its list, Down and Enter
    // take the next item and move on.
    ASSERT_EQ(Click(4), 0);
    Line = Demo.ReadLine();
    while (!Line.empty() && Line.rfind("special 4 1 0 0 [Apple|", 0) != 0) Line = Demo.ReadLine();
    ASSERT_FALSE(Line.empty());
    const std::string Day = Line.substr(Line.find('|') + 1, Line.size() - Line.find('|') - 2);
    auto Texts = [&](const std::string& Fruit, const std::string& Date) { return "[" + Fruit + "|" + Date + "]"; };
    ASSERT_EQ(Tool({"xdotool", "key", "F2"}), 0);
    std::string Wanted = Special(4, 1, 1, 0, Texts("Apple", Day));
    ASSERT_EQ(WaitFor(Demo, Wanted), Wanted);
    ASSERT_EQ(Tool({"xdotool", "key", "alt+Down"}), 0);
    Wanted = Special(4, 1, 1, 1, Texts("Apple", Day));
    ASSERT_EQ(WaitFor(Demo, Wanted), Wanted);
    {
        // The open list on screen, saved for people to see.
        auto Shot = Screenshot();
        ASSERT_TRUE(Shot->Valid());
        cairo_surface_write_to_png(Shot->Image(), INPUT_GRID_COMBO_SHOT);
    }
    ASSERT_EQ(Tool({"xdotool", "key", "Down", "Return"}), 0);
    Wanted = Special(4, 2, 0, 0, Texts("Banana", Day));
    ASSERT_EQ(WaitFor(Demo, Wanted), Wanted);

    // The date picker: "05" completes the day, "03" the month.
    ASSERT_EQ(Click(5), 0);
    Wanted = Special(5, 1, 0, 0, Texts("Banana", Day));
    ASSERT_EQ(WaitFor(Demo, Wanted), Wanted);
    ASSERT_EQ(Tool({"xdotool", "key", "F2"}), 0);
    Wanted = Special(5, 1, 1, 0, Texts("Banana", Day));
    ASSERT_EQ(WaitFor(Demo, Wanted), Wanted);
    ASSERT_EQ(Tool({"xdotool", "type", "--delay", "80", "0503"}), 0);
    ASSERT_EQ(Tool({"xdotool", "key", "Return"}), 0);
    Wanted = Special(5, 2, 0, 0, Texts("Banana", March5));
    ASSERT_EQ(WaitFor(Demo, Wanted), Wanted);
    Demo.Stop();
}

} // namespace
