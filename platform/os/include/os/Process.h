#pragma once
// Starting another program and waiting for it while the caller keeps its
// windows alive. Programs are started directly, never through a shell.

#include "rtl/Types.h"

#include <chrono>
#include <functional>
#include <memory>
#include <sys/types.h>
#include <vector>

namespace os {

// Program files of this platform carry no suffix: "Tesvorik", not "Tesvorik.exe".
inline constexpr const Char* ExeSuffix = u"";

// A started program, waited for before it is destroyed.
class TChildProcess {
public:
    TChildProcess(pid_t pid, int pidFd);
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    pid_t Pid() const { return FPid; }
    bool Ended() const { return FEnded; }
    // Waits for the program to end in slices: after every slice, whether the
    // program ended in it or not, `pump` runs (when given).
    void WaitFor(const std::function<void()>& pump,
                 std::chrono::milliseconds slice = std::chrono::milliseconds(1000));

private:
    bool WaitSlice(std::chrono::milliseconds slice);

    pid_t FPid;
    int FPidFd;
    bool FEnded = false;
};

// Starts `program` with the arguments in `parameters`, `workingFolder` as its
// current folder, the caller's environment, no open files but standard input,
// output and error, and the lowest priority (nice 19). A relative program
// name is taken from the caller's current folder. Answers null at once when
// the program cannot be started.
std::unique_ptr<TChildProcess> SpawnProcess(const String& program, const String& parameters,
                                            const String& workingFolder);

// Splits a parameter text into arguments: blanks and tabs separate them, a
// double quote starts or ends a quoted part in which blanks are kept, and two
// double quotes inside a quoted part stand for one.
std::vector<String> SplitParameters(const String& parameters);

} // namespace os
