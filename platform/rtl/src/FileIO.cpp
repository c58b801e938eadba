#include "FileIO.h"

#include "rtl/Encoding.h"
#include "rtl/Exception.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace detail {

String SystemErrorText(int ErrorCode) {
    char Buffer[256];
    // The GNU strerror_r answers a pointer that may or may not be Buffer.
    const char* Text = strerror_r(ErrorCode, Buffer, sizeof Buffer);
    return FromUtf8(Text);
}

String OpenErrorText(const String& FileName, int ErrorCode) {
    return u"Cannot open file \"" + FileName + u"\". " + SystemErrorText(ErrorCode);
}

String CreateErrorText(const String& FileName, int ErrorCode) {
    return u"Cannot create file \"" + FileName + u"\". " + SystemErrorText(ErrorCode);
}

namespace {

bool WriteAll(int Handle, std::string_view Bytes) {
    while (!Bytes.empty()) {
        const ssize_t Done = ::write(Handle, Bytes.data(), Bytes.size());
        if (Done < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        Bytes.remove_prefix(static_cast<size_t>(Done));
    }
    return true;
}

// The folder part of a path, "." when it has none.
std::string FolderOf(const std::string& Path) {
    const auto Slash = Path.rfind('/');
    if (Slash == std::string::npos) return ".";
    if (Slash == 0) return "/";
    return Path.substr(0, Slash);
}

} // namespace

void ReplaceFileAtomically(const String& FileName, std::string_view Bytes) {
    const std::string Target = Utf8(FileName);
    std::string Temporary = Target + ".XXXXXX";
    const int Handle = ::mkostemp(Temporary.data(), O_CLOEXEC);
    if (Handle < 0) throw EFCreateError(CreateErrorText(FileName, errno));

    // mkostemp creates the file for its owner only: give it the target's
    // permissions, or those a newly created file would get.
    struct stat Existing {};
    mode_t Mode;
    if (::stat(Target.c_str(), &Existing) == 0) {
        Mode = Existing.st_mode & 07777;
    } else {
        const mode_t Mask = ::umask(0);
        ::umask(Mask);
        Mode = 0666 & ~Mask;
    }

    int Error = 0;
    if (::fchmod(Handle, Mode) != 0 || !WriteAll(Handle, Bytes) || ::fsync(Handle) != 0) Error = errno;
    if (::close(Handle) != 0 && Error == 0) Error = errno;
    if (Error == 0 && ::rename(Temporary.c_str(), Target.c_str()) != 0) Error = errno;
    if (Error != 0) {
        ::unlink(Temporary.c_str());
        throw EFCreateError(CreateErrorText(FileName, Error));
    }

    // Make the rename itself durable; a failure here leaves a complete file.
    const int Folder = ::open(FolderOf(Target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (Folder >= 0) {
        ::fsync(Folder);
        ::close(Folder);
    }
}

} // namespace detail
