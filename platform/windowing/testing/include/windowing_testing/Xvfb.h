#pragma once
// Test support for programs run on a virtual X server: a server on a display
// it picks itself, child processes whose output a test reads line by line,
// X tools run against the display, and screenshots read as pixels.
//
// Every wait is generous (a loaded 2-core machine running the sanitizer
// build); a test never depends on how fast something happens.

#include <cairo.h>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <sys/types.h>
#include <vector>

namespace xvfb {

// How long a test waits for the server, for a program's first line and for
// each line after it.
constexpr int ReadinessMilliseconds = 120000;

// A program started by a test. Its standard output is readable line by line
// when captured; standard error goes nowhere. A process still running when
// this goes away is ended and reaped.
class TChildProcess {
public:
    TChildProcess() = default;
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;
    TChildProcess(TChildProcess&& other) noexcept;
    TChildProcess& operator=(TChildProcess&& other) noexcept;
    ~TChildProcess();

    // Starts `args` (found on the path when not a path) with `environment`
    // entries ("NAME=value") added to or replacing this process's own.
    static TChildProcess Start(const std::vector<std::string>& args,
                               const std::vector<std::string>& environment = {}, bool captureOutput = false);

    bool Started() const { return FPid > 0; }
    pid_t Pid() const { return FPid; }
    // The next line of output, without its newline, within `milliseconds`;
    // empty when none came (or output ended) in time.
    std::string ReadLine(int milliseconds = ReadinessMilliseconds);
    // Waits for the end and answers the exit code (-1 when killed by a
    // signal or never started).
    int Wait();
    // Ends the process (SIGTERM) and reaps it.
    void Stop();

private:
    friend class TXvfbServer;
    pid_t FPid = -1;
    int FOutput = -1;
    std::string FPending;
};

// A 24-bit colour read from a screenshot.
struct TRgb {
    int R = 0, G = 0, B = 0;
    bool operator==(const TRgb&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TRgb& colour);

// A screenshot of the whole virtual screen.
class TScreenshot {
public:
    explicit TScreenshot(cairo_surface_t* image) : FImage(image) {}
    TScreenshot(const TScreenshot&) = delete;
    TScreenshot& operator=(const TScreenshot&) = delete;
    ~TScreenshot();
    bool Valid() const;
    TRgb Pixel(int x, int y) const;
    cairo_surface_t* Image() const { return FImage; }

private:
    cairo_surface_t* FImage = nullptr;
};

// An Xvfb server on a display number it chose itself (-displayfd), so tests
// running side by side never race for one. Start answers false with the
// reason in `error` when the server did not come up in time.
class TXvfbServer {
public:
    TXvfbServer() = default;
    TXvfbServer(const TXvfbServer&) = delete;
    TXvfbServer& operator=(const TXvfbServer&) = delete;
    ~TXvfbServer() { Stop(); }

    bool Start(std::string& error, const std::string& screen = "1024x768x24");
    void Stop();
    // ":N" once started.
    const std::string& Display() const { return FDisplay; }

private:
    TChildProcess FServer;
    std::string FDisplay;
};

// A fixture that starts a server before each test. When the server cannot
// start, the test is skipped on a developer's machine and fails when the
// environment variable CI is set.
class TXvfbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::string& Display() const { return FServer.Display(); }
    // Starts a program on the virtual display; `environment` entries are
    // added to DISPLAY.
    TChildProcess StartOnDisplay(const std::vector<std::string>& args,
                                 std::vector<std::string> environment = {}, bool captureOutput = true);
    // Runs an X tool (xdotool, import …) against the display to its end and
    // answers its exit code.
    int Tool(const std::vector<std::string>& args);
    // A screenshot of the root window taken through the X server.
    std::unique_ptr<TScreenshot> Screenshot();

private:
    TXvfbServer FServer;
};

} // namespace xvfb
