// The demonstration program on the SDL2 backend under Xvfb: a screenshot
// taken through the X server shows the children's colours where they
// belong, and clicks sent through the X server reach the right children.

#include <cairo.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct TChild {
    pid_t Pid = -1;
    int Output = -1; // read end of its standard output, when captured
};

// Starts a program from the path with extra environment entries; its
// standard output goes to a pipe when `capture` is set, else nowhere.
TChild Spawn(const std::vector<std::string>& args, const std::vector<std::string>& extraEnvironment,
             bool capture) {
    std::vector<std::string> environment(extraEnvironment);
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        bool replaced = false;
        for (const auto& extra : extraEnvironment)
            if (entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0) replaced = true;
        if (!replaced) environment.push_back(entry);
    }
    std::vector<char*> argv, envp;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    for (const auto& e : environment)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int pipeEnds[2] = {-1, -1};
    if (capture) {
        if (pipe(pipeEnds) != 0) return {};
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    TChild child;
    if (posix_spawnp(&child.Pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) child.Pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    if (capture) {
        close(pipeEnds[1]);
        child.Output = pipeEnds[0];
    }
    return child;
}

int Wait(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The next line of output within `milliseconds`; empty when none came.
std::string ReadLine(int fd, std::string& pending, int milliseconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (true) {
        auto newline = pending.find('\n');
        if (newline != std::string::npos) {
            std::string line = pending.substr(0, newline);
            pending.erase(0, newline + 1);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline -
                                                                          std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::string();
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, int(left.count())) <= 0) return std::string();
        char buffer[256];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) return std::string();
        pending.append(buffer, size_t(n));
    }
}

struct TRgb {
    int R, G, B;
    bool operator==(const TRgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TRgb& c) {
    return out << "rgb(" << c.R << "," << c.G << "," << c.B << ")";
}

TRgb PixelOf(cairo_surface_t* image, int x, int y) {
    cairo_surface_flush(image);
    auto* row = cairo_image_surface_get_data(image) + y * cairo_image_surface_get_stride(image);
    uint32_t p = reinterpret_cast<uint32_t*>(row)[x];
    return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

class XvfbTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n = 90 + int(getpid() % 50); n < 200 && Display.empty(); ++n)
            if (!std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
                !std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock"))
                Display = ":" + std::to_string(n);
        Server = Spawn({"Xvfb", Display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {}, false);
        std::string socket = "/tmp/.X11-unix/X" + Display.substr(1);
        for (int i = 0; i < 100 && Server.Pid > 0 && !std::filesystem::exists(socket); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (Server.Pid <= 0 || !std::filesystem::exists(socket))
            GTEST_SKIP() << "Xvfb could not start on " << Display;
    }
    void TearDown() override {
        if (Server.Pid > 0) {
            kill(Server.Pid, SIGTERM);
            Wait(Server.Pid);
        }
    }
    // Runs a tool against the virtual display and answers its exit code.
    int Tool(const std::vector<std::string>& args) {
        TChild tool = Spawn(args, {"DISPLAY=" + Display}, false);
        return tool.Pid > 0 ? Wait(tool.Pid) : -1;
    }
    std::string Display;
    TChild Server;
};

} // namespace

TEST_F(XvfbTest, DemonstrationWindowsShowTheirChildrenAndClicksReachThem) {
    // The desktop libraries SDL loads and unloads at run time (session bus,
    // X extensions) keep buffers the leak checker cannot attribute, so it is
    // off for this one process; the headless tests check our own code for leaks.
    TChild demo = Spawn({WINDOWING_DEMO, "20"},
                        {"DISPLAY=" + Display, "VANDREL_BACKEND=sdl", "ASAN_OPTIONS=detect_leaks=0"}, true);
    ASSERT_GT(demo.Pid, 0);
    std::string pending;
    EXPECT_EQ(ReadLine(demo.Output, pending, 10000), "backend sdl");
    ASSERT_EQ(ReadLine(demo.Output, pending, 10000), "ready");

    struct TProbe {
        int X, Y;
        TRgb Color;
    };
    // Windows at (40, 40) and (400, 40); children as the demonstration places them.
    const TProbe probes[] = {
        {40 + 70, 40 + 60, {255, 0, 0}},      // "red" in the first window
        {40 + 210, 40 + 110, {0, 0, 255}},    // "blue"
        {40 + 5, 40 + 5, {192, 192, 192}},    // the first window's own background
        {400 + 80, 40 + 50, {0, 255, 0}},     // "green" in the second window
        {400 + 210, 40 + 140, {255, 255, 0}}, // "yellow"
    };
    auto shot =
        std::filesystem::temp_directory_path() / ("windowing-shot-" + std::to_string(getpid()) + ".png");
    bool matched = false;
    std::vector<TRgb> seen;
    for (int attempt = 0; attempt < 20 && !matched; ++attempt) {
        if (attempt) std::this_thread::sleep_for(std::chrono::milliseconds(250));
        ASSERT_EQ(Tool({"import", "-window", "root", shot.string()}), 0) << "the screenshot tool failed";
        cairo_surface_t* image = cairo_image_surface_create_from_png(shot.c_str());
        ASSERT_EQ(cairo_surface_status(image), CAIRO_STATUS_SUCCESS);
        seen.clear();
        matched = true;
        for (const auto& p : probes) {
            seen.push_back(PixelOf(image, p.X, p.Y));
            matched = matched && seen.back() == p.Color;
        }
        cairo_surface_destroy(image);
    }
    std::filesystem::remove(shot);
    for (size_t i = 0; i < seen.size(); ++i)
        EXPECT_EQ(seen[i], probes[i].Color) << "at " << probes[i].X << "," << probes[i].Y;

    EXPECT_EQ(Tool({"xdotool", "mousemove", "110", "100", "click", "1"}), 0);
    EXPECT_EQ(ReadLine(demo.Output, pending, 10000), "click red");
    EXPECT_EQ(Tool({"xdotool", "mousemove", "480", "90", "click", "1"}), 0);
    EXPECT_EQ(ReadLine(demo.Output, pending, 10000), "click green");
    EXPECT_EQ(Wait(demo.Pid), 0) << "the click on green ends the program";
    close(demo.Output);
}
