#include "os/SingleInstance.h"

#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "os/Folders.h"
#include "rtl/Encoding.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace os {

namespace {

constexpr char kRaiseRequest = 'R';

String DefaultFolder() {
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return IncludeTrailingPathDelimiter(FromUtf8(runtime));
    const String folder = TempFolder() + u"vandrel-" + FromUtf8(std::to_string(getuid())) + u"/";
    mkdir(Utf8(folder).c_str(), 0700);
    return folder;
}

// Only characters that are safe in a file name.
std::string FileNameOf(const String& name) {
    std::string file = Utf8(name);
    for (char& c : file)
        if (c == '/' || static_cast<unsigned char>(c) < 32) c = '_';
    return file;
}

bool FillAddress(sockaddr_un& address, const std::string& path) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

} // namespace

TSingleInstance::TSingleInstance(const String& name, const String& folder) {
    const std::string base =
        Utf8(folder.empty() ? DefaultFolder() : IncludeTrailingPathDelimiter(folder)) + FileNameOf(name);
    FSocketPath = base + ".sock";
    int lock = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0) return; // without a lock this instance counts as a later one
    if (flock(lock, LOCK_EX | LOCK_NB) != 0) {
        close(lock);
        return;
    }
    FLockFd = lock;
    // A socket left behind by an instance that ended abnormally is replaced.
    sockaddr_un address;
    if (!FillAddress(address, FSocketPath)) return;
    unlink(FSocketPath.c_str());
    FListenFd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (FListenFd >= 0 && (bind(FListenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
                           listen(FListenFd, 8) != 0)) {
        close(FListenFd);
        FListenFd = -1;
    }
}

TSingleInstance::~TSingleInstance() {
    if (FListenFd >= 0) {
        close(FListenFd);
        unlink(FSocketPath.c_str());
    }
    if (FLockFd >= 0) close(FLockFd);
}

bool TSingleInstance::RequestRaise() const {
    sockaddr_un address;
    if (IsFirst() || !FillAddress(address, FSocketPath)) return false;
    // The first instance may still be setting up its socket.
    for (int attempt = 0; attempt < 20; ++attempt) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return false;
        bool sent = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                    send(fd, &kRaiseRequest, 1, MSG_NOSIGNAL) == 1;
        close(fd);
        if (sent) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    return false;
}

void TSingleInstance::ProcessRequests() {
    if (FListenFd < 0) return;
    for (;;) {
        int client = accept4(FListenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR) continue;
            return; // no request waits
        }
        char request = 0;
        // The request byte is sent together with the connection; a client
        // that sends nothing within a short time is dropped.
        timeval timeout{0, 200000};
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        const bool raise = recv(client, &request, 1, 0) == 1 && request == kRaiseRequest;
        close(client);
        if (raise && OnRaise) OnRaise();
    }
}

} // namespace os
