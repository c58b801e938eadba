#include "os/Process.h"

#include "os/FilePath.h"
#include "rtl/Encoding.h"

#include <cerrno>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace os {

namespace {

int OpenPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

// posix_spawn at the lowest priority (nice 19). The nice value belongs to a
// thread on Linux and a new process takes that of the thread that starts it,
// so the start runs on a short-lived thread of nice 19: the program never
// runs at normal priority, and the caller's own priority stays as it is.
int Spawn(pid_t& pid, const std::string& program, char* const argv[], const std::string& folder) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);

    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGQUIT);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    int result = 0;
    std::thread([&] {
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19);
        result = posix_spawn(&pid, program.c_str(), &actions, &attr, argv, environ);
    }).join();
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

} // namespace

std::vector<String> SplitParameters(const String& parameters) {
    std::vector<String> arguments;
    String current;
    bool inArgument = false, quoted = false;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        const Char c = parameters[i];
        if (c == u'"') {
            inArgument = true;
            if (quoted && i + 1 < parameters.size() && parameters[i + 1] == u'"') {
                current += u'"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if ((c == u' ' || c == u'\t') && !quoted) {
            if (inArgument) arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument) arguments.push_back(std::move(current));
    return arguments;
}

std::unique_ptr<TChildProcess> SpawnProcess(const String& program, const String& parameters,
                                            const String& workingFolder) {
    if (program.empty()) return nullptr;
    // The child changes its folder before it starts the program.
    std::vector<std::string> arguments{Utf8(ExpandFileName(program))};
    for (const auto& argument : SplitParameters(parameters))
        arguments.push_back(Utf8(argument));
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const std::string folder = Utf8(workingFolder.empty() ? String(u".") : workingFolder);
    if (Spawn(pid, arguments.front(), argv.data(), folder) != 0) return nullptr;
    return std::make_unique<TChildProcess>(pid, OpenPidFd(pid));
}

TChildProcess::TChildProcess(pid_t pid, int pidFd) : FPid(pid), FPidFd(pidFd) {}

TChildProcess::~TChildProcess() {
    if (!FEnded)
        while (waitpid(FPid, nullptr, 0) < 0 && errno == EINTR) {
        }
    if (FPidFd >= 0) close(FPidFd);
}

bool TChildProcess::WaitSlice(std::chrono::milliseconds slice) {
    if (FPidFd >= 0) {
        pollfd fd{FPidFd, POLLIN, 0};
        poll(&fd, 1, static_cast<int>(slice.count()));
    } else {
        // Without a process descriptor the end is looked for every 10 ms.
        const auto until = std::chrono::steady_clock::now() + slice;
        for (;;) {
            siginfo_t info{};
            if (waitid(P_PID, static_cast<id_t>(FPid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 ||
                info.si_pid != 0 || std::chrono::steady_clock::now() >= until)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    pid_t reaped;
    while ((reaped = waitpid(FPid, nullptr, WNOHANG)) < 0 && errno == EINTR) {
    }
    return reaped != 0;
}

void TChildProcess::WaitFor(const std::function<void()>& pump, std::chrono::milliseconds slice) {
    while (!FEnded) {
        FEnded = WaitSlice(slice);
        if (pump) pump();
    }
}

} // namespace os
