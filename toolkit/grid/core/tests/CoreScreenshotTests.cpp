// A core grid on a real window (SDL2 under Xvfb): widening the window with
// xdotool widens the columns by the window's growth, and the only cell that
// changes between screenshots is the blinking one.

#include "windowing_testing/Xvfb.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace {

class CoreGridScreenshot : public xvfb::TXvfbTest {};

std::vector<int> Widths(const std::string& Line) {
    std::istringstream In(Line);
    std::string Word;
    In >> Word;
    std::vector<int> Result;
    for (int W; In >> W;) Result.push_back(W);
    return Result;
}

TEST_F(CoreGridScreenshot, ColumnsFollowTheWindowAndOnlyTheBlinkingCellChanges) {
    auto Demo = StartOnDisplay({CORE_GRID_DEMO, "120"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    std::string Line = Demo.ReadLine();
    std::vector<int> Start;
    for (; Line.rfind("widths", 0) == 0; Line = Demo.ReadLine()) Start = Widths(Line);
    int OriginX = 0, OriginY = 0;
    ASSERT_EQ(std::sscanf(Line.c_str(), "origin %d %d", &OriginX, &OriginY), 2) << Line;
    ASSERT_EQ(Demo.ReadLine(), "ready");
    ASSERT_EQ(Start.size(), 6u);
    const int Client = Start[0];
    for (std::size_t c = 1; c < Start.size(); ++c) EXPECT_EQ(Start[c], 60) << "an unchanged width keeps column " << c;

    // Widening the window to 600: the columns grow by (600 - 3) / (Client
    // - 3), three pixels being the normal columns' grid lines; the last
    // column takes the truncated fractions.
    ASSERT_EQ(Tool({"xdotool", "search", "--name", "Core grid demo", "windowsize", "%@", "600", "250"}), 0);
    std::vector<int> Grown;
    for (Line = Demo.ReadLine(); !Line.empty(); Line = Demo.ReadLine()) {
        Grown = Widths(Line);
        if (!Grown.empty() && Grown[0] == 600) break;
    }
    ASSERT_EQ(Grown.size(), 6u) << "no size change reported";
    const double Factor = (600.0 - 3) / (Client - 3);
    const int Column = int(60 * Factor);
    const int Spare = int(5 * (60 * Factor - Column));
    for (std::size_t c = 1; c < 5; ++c) EXPECT_EQ(Grown[c], Column) << "column " << c - 1;
    EXPECT_EQ(Grown[5], Column + Spare) << "the last column";

    // Successive screenshots until two differ: every changed pixel lies in
    // the blinking cell (2, 2), 22 pixels high with 1-pixel grid lines.
    const int CellLeft = OriginX + 2 * (Grown[1] + 1), CellTop = OriginY + 2 * 23;
    const int CellRight = CellLeft + Grown[3], CellBottom = CellTop + 22;
    // Pairs of successive screenshots: once the widened window has been
    // painted, a pair differs at most inside the blinking cell, and some
    // pair differs there. Three pairs after the first blink must hold too.
    // The cell's own lines (one pixel around it) count as the cell.
    auto Inside = [&](int X, int Y) {
        return X >= CellLeft - 1 && X <= CellRight && Y >= CellTop - 1 && Y <= CellBottom;
    };
    auto Previous = Screenshot();
    ASSERT_TRUE(Previous->Valid());
    int Blinks = 0, Checked = 0;
    std::string Outside;
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
    while (Checked < 3 && std::chrono::steady_clock::now() < Deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        auto Next = Screenshot();
        ASSERT_TRUE(Next->Valid());
        bool InCell = false;
        Outside.clear();
        for (int Y = OriginY; Y < OriginY + 200; ++Y)
            for (int X = OriginX; X < OriginX + 600; ++X) {
                if (Next->Pixel(X, Y) == Previous->Pixel(X, Y)) continue;
                if (Inside(X, Y))
                    InCell = true;
                else if (Outside.empty())
                    Outside = std::to_string(X) + "," + std::to_string(Y);
            }
        if (Blinks > 0) {
            EXPECT_EQ(Outside, "") << "a pixel outside the blinking cell changed";
            ++Checked;
        }
        if (InCell && Outside.empty()) ++Blinks;
        Previous = std::move(Next);
    }
    EXPECT_GT(Blinks, 0) << "the blinking cell never changed alone; cell " << CellLeft << "," << CellTop << " "
                         << CellRight << "," << CellBottom << ", last change outside at " << Outside;
    Demo.Stop();
}

} // namespace
