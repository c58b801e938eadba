// The grid drop-down on a real window (SDL2 under Xvfb): xdotool types into
// the edit, the pop-up grid opens, Enter takes the found item.

#include "windowing_testing/Xvfb.h"

#include <cairo.h>
#include <string>

namespace {

class DropDownGridXvfb : public xvfb::TXvfbTest {
protected:
    // Reads lines until one equals Wanted; answers the last line read when
    // it never came.
    std::string WaitFor(xvfb::TChildProcess& Demo, const std::string& Wanted) {
        std::string Line;
        for (std::string Next = Demo.ReadLine(); !Next.empty(); Next = Demo.ReadLine()) {
            Line = Next;
            if (Line == Wanted) return Line;
        }
        return Line;
    }
};

TEST_F(DropDownGridXvfb, TypingOpensTheListAndEnterTakesTheFoundItem) {
    auto Demo = StartOnDisplay({DROPDOWN_GRID_DEMO, "120"}, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_TRUE(Demo.Started());
    EXPECT_EQ(Demo.ReadLine(), "backend sdl");
    ASSERT_EQ(WaitFor(Demo, "ready"), "ready");
    ASSERT_EQ(WaitFor(Demo, "state 0 -1 []"), "state 0 -1 []");
    ASSERT_EQ(Tool({"xdotool", "search", "--name", "Grid drop-down demo", "windowfocus", "--sync"}), 0);
    ASSERT_EQ(Tool({"xdotool", "type", "--delay", "50", "b"}), 0);
    ASSERT_EQ(WaitFor(Demo, "state 1 1 [Banana]"), "state 1 1 [Banana]");
    {
        // The open pop-up grid on screen, saved for people to see.
        auto Shot = Screenshot();
        ASSERT_TRUE(Shot->Valid());
        cairo_surface_write_to_png(Shot->Image(), DROPDOWN_GRID_SHOT);
    }
    ASSERT_EQ(Tool({"xdotool", "key", "Return"}), 0);
    ASSERT_EQ(WaitFor(Demo, "state 0 1 [Banana]"), "state 0 1 [Banana]");
    Demo.Stop();
}

} // namespace
