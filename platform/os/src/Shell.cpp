#include "os/Shell.h"

#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "rtl/Encoding.h"
#include "rtl/StringUtils.h"

#include <mutex>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace os {

namespace {

std::mutex HookLock;
TShellOpenHook& Hook() {
    static TShellOpenHook hook;
    return hook;
}

bool HasScheme(const String& target, const String& scheme) {
    return target.size() > scheme.size() && LowerCase(target.substr(0, scheme.size())) == scheme;
}

// What the opener is given: the link itself, or the absolute path of an
// existing file or folder; nothing for anything else.
std::optional<String> AcceptedTarget(const String& target) {
    if (target.find_first_of(u"\r\n") != String::npos) return std::nullopt;
    if (HasScheme(target, u"http://") || HasScheme(target, u"https://") || HasScheme(target, u"mailto:"))
        return target;
    String path = HasScheme(target, u"file://") ? target.substr(7) : target;
    if (path.empty() || !(FileExists(path) || DirectoryExists(path))) return std::nullopt;
    return ExpandFileName(path);
}

bool StartOpener(const String& target) {
    std::string program = "xdg-open", argument = Utf8(target);
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
    // The opener hands the target on and ends; it is reaped in the background.
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

} // namespace

bool ShellOpen(const String& target) {
    std::optional<String> accepted = AcceptedTarget(target);
    if (!accepted) return false;
    TShellOpenHook hook;
    {
        std::lock_guard guard(HookLock);
        hook = Hook();
    }
    return hook ? hook(*accepted) : StartOpener(*accepted);
}

TShellOpenHook SetShellOpenHook(TShellOpenHook hook) {
    std::lock_guard guard(HookLock);
    std::swap(Hook(), hook);
    return hook;
}

} // namespace os
