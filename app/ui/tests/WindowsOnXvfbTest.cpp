// The desktop program's windows on a real window system (SDL2 under Xvfb):
// each opens at its designed size, and the wizard's crop grid shows its
// header row and the list editor of its grouping column. The window program
// prints the X window of the window it shows, so no window is looked up by
// its caption.

#include "coretesting/TestFolders.h"
#include "os/FileUtils.h"
#include "rtl/Encoding.h"
#include "windowing_testing/Xvfb.h"

#include <cairo.h>
#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <string>

namespace {

struct TWindowSize {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

class UiOnXvfb : public xvfb::TXvfbTest {
protected:
    // Starts the window program on the SDL2 backend and reads up to its
    // "ready": the cell points it prints and its X window.
    xvfb::TChildProcess Open(const std::string& Name, const std::string& Database = std::string()) {
        std::vector<std::string> Args{UI_SHOW_WINDOW, Name, "120"};
        if (!Database.empty()) Args.push_back(Database);
        // The sanitizer build's leak check would also count what the X
        // client libraries keep until the process ends.
        auto Program = StartOnDisplay(Args, {"VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"});
        EXPECT_TRUE(Program.Started());
        EXPECT_EQ(Program.ReadLine(), "backend sdl");
        Cells.clear();
        Window.clear();
        for (std::string Line = Program.ReadLine(); !Line.empty() && Line != "ready"; Line = Program.ReadLine()) {
            int C = 0, R = 0, X = 0, Y = 0;
            if (std::sscanf(Line.c_str(), "cell %d %d %d %d", &C, &R, &X, &Y) == 4) Cells[C] = {X, Y};
            const std::string Prefix = "window " + Name + " ";
            if (Line.rfind(Prefix, 0) == 0) Window = Line.substr(Prefix.size());
        }
        return Program;
    }
    // The X window's place and size, by xdotool.
    TWindowSize Geometry() {
        TWindowSize Size;
        auto Query = StartOnDisplay({"xdotool", "getwindowgeometry", "--shell", Window});
        for (std::string Line = Query.ReadLine(); !Line.empty(); Line = Query.ReadLine()) {
            std::sscanf(Line.c_str(), "X=%d", &Size.X);
            std::sscanf(Line.c_str(), "Y=%d", &Size.Y);
            std::sscanf(Line.c_str(), "WIDTH=%d", &Size.Width);
            std::sscanf(Line.c_str(), "HEIGHT=%d", &Size.Height);
        }
        EXPECT_EQ(Query.Wait(), 0);
        return Size;
    }
    // Reads lines until one equals `Wanted`; answers the last line read
    // when it never came.
    static std::string WaitFor(xvfb::TChildProcess& Program, const std::string& Wanted) {
        std::string Line;
        for (std::string Next = Program.ReadLine(); !Next.empty(); Next = Program.ReadLine()) {
            Line = Next;
            if (Line == Wanted) return Line;
        }
        return Line;
    }
    // The count of pixels darker than a text colour in the box around a point.
    static int DarkPixels(const xvfb::TScreenshot& Shot, int X, int Y, int HalfWidth, int HalfHeight) {
        int Dark = 0;
        for (int y = Y - HalfHeight; y <= Y + HalfHeight; ++y)
            for (int x = X - HalfWidth; x <= X + HalfWidth; ++x) {
                const xvfb::TRgb P = Shot.Pixel(x, y);
                if (P.R < 110 && P.G < 110 && P.B < 110) ++Dark;
            }
        return Dark;
    }

    std::map<int, std::pair<int, int>> Cells;
    std::string Window;
};

// On SDL2 the X window is the client area: the window system draws no frame.
// A dialog frame is 3 pixels on each side and its caption bar, top frame
// included, 26 pixels high (measured once on the platform layer's metrics:
// the about box of 641 x 345 shows a 635 x 316 client area). A window
// without border is all client area.
constexpr int DialogFrame = 3;
constexpr int DialogCaption = 26;

TEST_F(UiOnXvfb, EachWindowOpensAtItsDesignedSize) {
    TRegistrySandbox Registry;
    TTestFolder Folder;
    const String Database = Folder / u"VANDREL.db";
    ASSERT_TRUE(CopyFile(FromUtf8(VANDREL_PROJECT_DATABASE), Database, false));
    struct TCase {
        const char* Name;
        int Width, Height;
        bool Dialog;
    };
    const TCase Cases[] = {{"About", 641, 345, true},       {"Splash", 358, 358, false},
                           {"CopyProject", 426, 277, true}, {"Results", 426, 458, true},
                           {"UserWizard", 700, 414, true},  {"PecPeak", 678, 235, true}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        auto Program = Open(Case.Name, Case.Name == std::string("CopyProject") ? Utf8(Database) : std::string());
        ASSERT_FALSE(Window.empty());
        ASSERT_NE(Window, "0");
        const TWindowSize Size = Geometry();
        EXPECT_EQ(Size.Width, Case.Dialog ? Case.Width - 2 * DialogFrame : Case.Width);
        EXPECT_EQ(Size.Height, Case.Dialog ? Case.Height - DialogCaption - DialogFrame : Case.Height);
        Program.Stop();
    }
}

// The wizard's crop page: the header row, the first run's texts, and the
// list editor of its grouping cell with its drop button.
TEST_F(UiOnXvfb, TheWizardsCropGridShowsItsHeaderRowAndTheListEditorOfTheGroupingColumn) {
    auto Program = Open("UserWizard");
    ASSERT_EQ(Cells.size(), 5u);
    const auto [CropX, CropY] = Cells[0];
    const auto [GroupingX, GroupingY] = Cells[1];
    // The grouping column is 187 pixels wide; its drop button's arrow sits
    // in the last 17 of them.
    const int ArrowX = GroupingX + 187 / 2 - 10;
    int Header = 0, Crop = 0, Arrow = 0;
    std::unique_ptr<xvfb::TScreenshot> Shot;
    const auto Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(xvfb::ReadinessMilliseconds);
    while ((Header < 10 || Crop < 10 || Arrow < 3) && std::chrono::steady_clock::now() < Deadline) {
        Shot = Screenshot();
        ASSERT_TRUE(Shot->Valid());
        Header = DarkPixels(*Shot, CropX, CropY - 21, 60, 5);
        Crop = DarkPixels(*Shot, CropX, CropY, 60, 5);
        Arrow = DarkPixels(*Shot, ArrowX, GroupingY, 4, 3);
    }
    cairo_surface_write_to_png(Shot->Image(), UI_WIZARD_SHOT);
    EXPECT_GE(Header, 10) << "no header text";
    EXPECT_GE(Crop, 10) << "no crop text in the first run";
    EXPECT_GE(Arrow, 3) << "no drop button in the grouping cell";
    // The first run's texts, as the window holds them.
    const std::string Row = "row [Vegetables, leafy_2|<select Korvalis crop>|1|0.7500|18-may-1985] 1";
    EXPECT_EQ(WaitFor(Program, Row), Row);
    Program.Stop();
}

} // namespace
