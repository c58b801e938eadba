#include "windowing_testing/Xvfb.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace xvfb {

namespace {

// The name part of "NAME=value", with its '='.
std::string NameOf(const std::string& entry) {
    auto equals = entry.find('=');
    return equals == std::string::npos ? entry : entry.substr(0, equals + 1);
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> merged(extra);
    for (char** e = environ; *e; ++e) {
        std::string entry(*e);
        bool replaced = false;
        for (const auto& added : extra)
            if (NameOf(entry) == NameOf(added)) replaced = true;
        if (!replaced) merged.push_back(entry);
    }
    return merged;
}

std::vector<char*> Pointers(const std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (const auto& text : texts)
        pointers.push_back(const_cast<char*>(text.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// Starts a process; `keepOpen` is a descriptor the child inherits under the
// same number (-1: none).
pid_t Spawn(const std::vector<std::string>& args, const std::vector<std::string>& environment, int outputTo,
            int keepOpen) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputTo >= 0)
        posix_spawn_file_actions_adddup2(&actions, outputTo, STDOUT_FILENO);
    else
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (keepOpen >= 0) posix_spawn_file_actions_adddup2(&actions, keepOpen, keepOpen); // clears close-on-exec
    auto argv = Pointers(args);
    auto merged = MergedEnvironment(environment);
    auto envp = Pointers(merged);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Reads one line from `fd` into `pending` within `milliseconds`.
bool ReadLineFrom(int fd, std::string& pending, int milliseconds, std::string& line) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (true) {
        auto newline = pending.find('\n');
        if (newline != std::string::npos) {
            line = pending.substr(0, newline);
            pending.erase(0, newline + 1);
            return true;
        }
        auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || fd < 0) return false;
        pollfd p{fd, POLLIN, 0};
        int ready = poll(&p, 1, int(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        char buffer[512];
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        pending.append(buffer, size_t(n));
    }
}

} // namespace

TChildProcess::TChildProcess(TChildProcess&& other) noexcept
    : FPid(other.FPid), FOutput(other.FOutput), FPending(std::move(other.FPending)) {
    other.FPid = -1;
    other.FOutput = -1;
}

TChildProcess& TChildProcess::operator=(TChildProcess&& other) noexcept {
    if (this != &other) {
        Stop();
        FPid = other.FPid;
        FOutput = other.FOutput;
        FPending = std::move(other.FPending);
        other.FPid = -1;
        other.FOutput = -1;
    }
    return *this;
}

TChildProcess::~TChildProcess() {
    Stop();
}

TChildProcess TChildProcess::Start(const std::vector<std::string>& args,
                                   const std::vector<std::string>& environment, bool captureOutput) {
    TChildProcess child;
    if (args.empty()) return child;
    int ends[2] = {-1, -1};
    if (captureOutput && pipe2(ends, O_CLOEXEC) != 0) return child;
    child.FPid = Spawn(args, environment, captureOutput ? ends[1] : -1, -1);
    if (captureOutput) {
        close(ends[1]);
        child.FOutput = ends[0];
    }
    return child;
}

std::string TChildProcess::ReadLine(int milliseconds) {
    std::string line;
    return ReadLineFrom(FOutput, FPending, milliseconds, line) ? line : std::string();
}

int TChildProcess::Wait() {
    if (FPid <= 0) return -1;
    int status = 0;
    pid_t done;
    do
        done = waitpid(FPid, &status, 0);
    while (done < 0 && errno == EINTR);
    FPid = -1;
    if (FOutput >= 0) {
        close(FOutput);
        FOutput = -1;
    }
    if (done < 0) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void TChildProcess::Stop() {
    if (FPid > 0) {
        kill(FPid, SIGTERM);
        Wait();
    }
    if (FOutput >= 0) {
        close(FOutput);
        FOutput = -1;
    }
}

std::ostream& operator<<(std::ostream& out, const TRgb& colour) {
    return out << "rgb(" << colour.R << "," << colour.G << "," << colour.B << ")";
}

TScreenshot::~TScreenshot() {
    if (FImage) cairo_surface_destroy(FImage);
}

bool TScreenshot::Valid() const {
    return FImage && cairo_surface_status(FImage) == CAIRO_STATUS_SUCCESS;
}

TRgb TScreenshot::Pixel(int x, int y) const {
    if (!Valid() || x < 0 || y < 0 || x >= cairo_image_surface_get_width(FImage) ||
        y >= cairo_image_surface_get_height(FImage))
        return {-1, -1, -1};
    cairo_surface_flush(FImage);
    const auto* row = cairo_image_surface_get_data(FImage) + y * cairo_image_surface_get_stride(FImage);
    uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];
    return {int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

bool TXvfbServer::Start(std::string& error, const std::string& screen) {
    Stop();
    // The server writes the display number it took, followed by a newline,
    // to this pipe once it accepts connections.
    int ends[2] = {-1, -1};
    if (pipe2(ends, O_CLOEXEC) != 0) {
        error = "no pipe for -displayfd";
        return false;
    }
    std::vector<std::string> args = {"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0", screen,
                                     "-nolisten", "tcp"};
    // Spawned directly to hand the pipe's write end over under its number.
    pid_t pid = Spawn(args, {}, -1, ends[1]);
    close(ends[1]);
    if (pid <= 0) {
        close(ends[0]);
        error = "Xvfb could not be started (is it installed?)";
        return false;
    }
    FServer.FPid = pid; // ended with this object
    std::string pending, number;
    bool ready = ReadLineFrom(ends[0], pending, ReadinessMilliseconds, number);
    close(ends[0]);
    if (!ready || number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        Stop();
        error = "Xvfb did not report a display within " + std::to_string(ReadinessMilliseconds / 1000) + " s";
        return false;
    }
    FDisplay = ":" + number;
    return true;
}

void TXvfbServer::Stop() {
    FServer.Stop();
    FDisplay.clear();
}

void TXvfbTest::SetUp() {
    std::string error;
    if (FServer.Start(error)) return;
    if (std::getenv("CI")) FAIL() << error;
    GTEST_SKIP() << error;
}

void TXvfbTest::TearDown() {
    FServer.Stop();
}

TChildProcess TXvfbTest::StartOnDisplay(const std::vector<std::string>& args,
                                        std::vector<std::string> environment, bool captureOutput) {
    environment.push_back("DISPLAY=" + Display());
    return TChildProcess::Start(args, environment, captureOutput);
}

int TXvfbTest::Tool(const std::vector<std::string>& args) {
    TChildProcess tool = TChildProcess::Start(args, {"DISPLAY=" + Display()}, false);
    return tool.Wait();
}

std::unique_ptr<TScreenshot> TXvfbTest::Screenshot() {
    auto file = std::filesystem::temp_directory_path() /
                ("xvfb-shot-" + std::to_string(getpid()) + "-" + Display().substr(1) + ".png");
    std::unique_ptr<TScreenshot> shot;
    if (Tool({"import", "-window", "root", file.string()}) == 0)
        shot = std::make_unique<TScreenshot>(cairo_image_surface_create_from_png(file.c_str()));
    else
        shot = std::make_unique<TScreenshot>(nullptr);
    std::error_code ignored; // a missing file is already reported by an invalid shot
    std::filesystem::remove(file, ignored);
    return shot;
}

} // namespace xvfb
