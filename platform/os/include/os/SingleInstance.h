#pragma once
// Keeps a program to one running instance per user: the first instance holds
// a lock and listens for requests; a later instance finds the lock taken and
// asks the first one to raise its main window.

#include "rtl/Types.h"

#include <functional>
#include <string>

namespace os {

class TSingleInstance {
public:
    // `name` identifies the program (e.g. its title); the lock and the
    // request socket live in `folder`, by default $XDG_RUNTIME_DIR, else a
    // folder of the user's own under the temporary folder.
    explicit TSingleInstance(const String& name, const String& folder = String());
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    bool IsFirst() const { return FLockFd >= 0; }

    // A later instance: asks the first one to raise its main window; false
    // when it cannot be reached.
    bool RequestRaise() const;

    // The first instance: a descriptor that becomes readable when a request
    // waits (for the message loop to watch), and the handling of every
    // waiting request without blocking; OnRaise runs once per request.
    int RequestDescriptor() const { return FListenFd; }
    void ProcessRequests();
    std::function<void()> OnRaise;

private:
    std::string FSocketPath;
    int FLockFd = -1;
    int FListenFd = -1;
};

} // namespace os
