#pragma once
// An open file descriptor that closes when it goes, and writing a whole
// buffer through one, for the file and registry routines.

#include <cerrno>
#include <cstddef>
#include <unistd.h>

namespace os::detail {

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : FFd(fd) {}
    ~TFileDescriptor() {
        if (FFd >= 0) close(FFd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return FFd; }

private:
    int FFd;
};

// Writes all `size` bytes, going on after an interruption; false when a
// write fails.
inline bool WriteAll(int fd, const char* data, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        ssize_t put = write(fd, data + done, size - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

} // namespace os::detail
