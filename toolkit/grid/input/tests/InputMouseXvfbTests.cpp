// The mouse on a real window (SDL2 under Xvfb): xdotool clicks a header to
// sort and again to reverse, drags a header onto another column, double
// clicks a column border and clicks a web link; the demo reports the rows,
// the column order and the widths it then shows.

#include "InputDemoXvfbTest.h"
#include "windowing_testing/Xvfb.h"

#include <cairo.h>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

class InputGridMouse : public TInputDemoXvfbTest {};

TEST_F(InputGridMouse, HeaderClicksSortDragsMoveBordersFitAndLinksOpen) {
    auto Demo = StartOnDisplay({INPUT_GRID_DEMO, "120", "mouse"},
                               {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    std::map<int, std::pair<int, int>> Heads;
    std::string Line = Demo.ReadLine();
    for (; Line.rfind("head ", 0) == 0; Line = Demo.ReadLine()) {
        int C = 0, X = 0, Y = 0;
        ASSERT_EQ(std::sscanf(Line.c_str(), "head %d %d %d", &C, &X, &Y), 3) << Line;
        Heads[C] = {X, Y};
    }
    int BorderX = 0, BorderY = 0, LinkX = 0, LinkY = 0;
    ASSERT_EQ(std::sscanf(Line.c_str(), "border %d %d", &BorderX, &BorderY), 2) << Line;
    Line = Demo.ReadLine();
    ASSERT_EQ(std::sscanf(Line.c_str(), "link %d %d", &LinkX, &LinkY), 2) << Line;
    ASSERT_EQ(Demo.ReadLine(), "ready");
    ASSERT_EQ(Tool({"xdotool", "search", "--name", "Input grid demo", "windowfocus", "--sync"}), 0);
    auto Click = [&](int X, int Y, const char* Times = "1") {
        return Tool({"xdotool", "mousemove", std::to_string(X), std::to_string(Y), "click", "--repeat", Times,
                     "1"});
    };
    const std::string Start = "mouse [pear,apple,the longest fruit name,kiwi] [Name,Size,Link] [110,110,110]";
    ASSERT_EQ(WaitFor(Demo, Start), Start);

    // A web link goes to the opener (a recording one in the demo).
    ASSERT_EQ(Click(LinkX, LinkY), 0);
    ASSERT_EQ(WaitFor(Demo, "open http://example.org/fruit"), "open http://example.org/fruit");
    ASSERT_EQ(Tool({"xdotool", "sleep", "0.6"}), 0);

    // A click on the header sorts; another reverses.
    ASSERT_EQ(Click(Heads[1].first, Heads[1].second), 0);
    const std::string Sorted = "mouse [apple,kiwi,pear,the longest fruit name] [Name,Size,Link] [110,110,110]";
    ASSERT_EQ(WaitFor(Demo, Sorted), Sorted);
    ASSERT_EQ(Tool({"xdotool", "sleep", "0.6"}), 0);
    ASSERT_EQ(Click(Heads[1].first, Heads[1].second), 0);
    const std::string Reversed = "mouse [the longest fruit name,pear,kiwi,apple] [Name,Size,Link] [110,110,110]";
    ASSERT_EQ(WaitFor(Demo, Reversed), Reversed);
    auto Shot = Screenshot();
    ASSERT_TRUE(Shot && Shot->Valid());
    cairo_surface_write_to_png(Shot->Image(), INPUT_GRID_MOUSE_SHOT);

    // A double click on the border after column 1 fits it to its longest text.
    ASSERT_EQ(Tool({"xdotool", "sleep", "0.6"}), 0);
    ASSERT_EQ(Click(BorderX, BorderY, "2"), 0);
    Line = Demo.ReadLine();
    while (!Line.empty() && Line.rfind("mouse [the longest fruit name,pear,kiwi,apple] [Name,Size,Link] [", 0) != 0)
        Line = Demo.ReadLine();
    int W1 = 0, W2 = 0, W3 = 0;
    ASSERT_EQ(std::sscanf(Line.substr(Line.rfind('[')).c_str(), "[%d,%d,%d]", &W1, &W2, &W3), 3) << Line;
    EXPECT_GT(W1, 110) << Line;
    EXPECT_EQ(W2, 110) << Line;

    // Dragging the Size header onto the Link column moves it with its width.
    ASSERT_EQ(Tool({"xdotool", "sleep", "0.6"}), 0);
    const int Y = Heads[2].second;
    ASSERT_EQ(Tool({"xdotool", "mousemove", std::to_string(Heads[2].first), std::to_string(Y), "mousedown", "1",
                    "mousemove", std::to_string(Heads[2].first + 60), std::to_string(Y), "mousemove",
                    std::to_string(Heads[3].first + W1 - 110), std::to_string(Y), "mouseup", "1"}),
              0);
    Line = Demo.ReadLine();
    while (!Line.empty() && Line.find("[Name,Link,Size]") == std::string::npos) Line = Demo.ReadLine();
    EXPECT_NE(Line.find("[Name,Link,Size]"), std::string::npos) << Line;
    Demo.Stop();
}

} // namespace
