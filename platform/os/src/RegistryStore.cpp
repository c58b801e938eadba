#include "RegistryStore.h"

#include "FileDescriptor.h"
#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "os/Folders.h"
#include "rtl/Encoding.h"

#include <cerrno>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <stdlib.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace os::detail {

namespace {

// Identifies one version of a hive file: every write makes a new file.
struct TFileStamp {
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Modified{};
    timespec Changed{};
    bool operator==(const TFileStamp& o) const {
        return Device == o.Device && Inode == o.Inode && Size == o.Size &&
               Modified.tv_sec == o.Modified.tv_sec && Modified.tv_nsec == o.Modified.tv_nsec &&
               Changed.tv_sec == o.Changed.tv_sec && Changed.tv_nsec == o.Changed.tv_nsec;
    }
};

TFileStamp StampOf(const struct stat& st) {
    return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

struct TCachedHive {
    TFileStamp Stamp;
    std::shared_ptr<const TRegKeyNode> Hive;
};

std::mutex CacheLock;
std::map<std::string, TCachedHive>& Cache() {
    static std::map<std::string, TCachedHive> cache;
    return cache;
}

bool ReadAll(int fd, std::string& text) {
    char buffer[65536];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

std::shared_ptr<const TRegKeyNode> LoadHive(const String& fileName) {
    const std::string path = Utf8(fileName);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return std::make_shared<const TRegKeyNode>();
    {
        std::lock_guard guard(CacheLock);
        auto it = Cache().find(path);
        if (it != Cache().end() && it->second.Stamp == StampOf(st)) return it->second.Hive;
    }
    TFileDescriptor fd(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    std::string text;
    if (fd.Get() < 0 || fstat(fd.Get(), &st) != 0 || !ReadAll(fd.Get(), text)) {
        if (errno == ENOENT) return std::make_shared<const TRegKeyNode>();
        throw ERegistryException(u"The registry file \"" + fileName + u"\" cannot be read.");
    }
    auto hive = std::make_shared<const TRegKeyNode>(ReadHiveText(text, fileName));
    std::lock_guard guard(CacheLock);
    Cache()[path] = {StampOf(st), hive};
    return hive;
}

} // namespace

std::shared_ptr<const TRegKeyNode> ReadHive(HKEY root) {
    return LoadHive(RegistryHiveFileName(root));
}

bool ChangeHive(HKEY root, const std::function<bool(TRegKeyNode&)>& change) {
    const String fileName = RegistryHiveFileName(root);
    const String folder = ExtractFilePath(fileName);
    if (!ForceDirectories(folder)) return false;
    const std::string path = Utf8(fileName);

    TFileDescriptor lock(open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (lock.Get() < 0) return false;
    while (flock(lock.Get(), LOCK_EX) != 0)
        if (errno != EINTR) return false;

    TRegKeyNode hive = *LoadHive(fileName);
    if (!change(hive)) return true;

    struct stat old {};
    const mode_t mode = stat(path.c_str(), &old) == 0 ? old.st_mode & 0777
                        : root == HKEY_LOCAL_MACHINE  ? 0644
                                                      : 0600;
    std::string temp = Utf8(folder) + "." + Utf8(ExtractFileName(fileName)) + ".XXXXXX";
    TFileDescriptor file(mkostemp(temp.data(), O_CLOEXEC));
    if (file.Get() < 0) return false;
    struct stat written {};
    const std::string text = WriteHiveText(hive, RegistryRootName(root));
    const bool ok = WriteAll(file.Get(), text.data(), text.size()) && fchmod(file.Get(), mode) == 0 &&
                    fsync(file.Get()) == 0 && fstat(file.Get(), &written) == 0 &&
                    rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    TFileDescriptor dir(open(Utf8(folder).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) fsync(dir.Get());
    std::lock_guard guard(CacheLock);
    Cache()[path] = {StampOf(written), std::make_shared<const TRegKeyNode>(std::move(hive))};
    return true;
}

} // namespace os::detail

String RegistryRootName(HKEY root) {
    switch (root) {
    case HKEY_CURRENT_USER:
        return u"HKEY_CURRENT_USER";
    case HKEY_LOCAL_MACHINE:
        return u"HKEY_LOCAL_MACHINE";
    default:
        return String();
    }
}

String RegistryHiveFileName(HKEY root) {
    const String name = RegistryRootName(root);
    if (name.empty()) throw ERegistryException(u"Unknown registry root key.");
    if (const char* dir = getenv("VANDREL_REGISTRY_DIR"); dir && *dir)
        return IncludeTrailingPathDelimiter(FromUtf8(dir)) + name + u".reg";
    if (root == HKEY_LOCAL_MACHINE)
        return ExtractFilePath(ExcludeTrailingPathDelimiter(os::ProgramFolder())) + u"etc/" + name + u".reg";
    const char* config = getenv("XDG_CONFIG_HOME");
    String folder =
        config && *config ? FromUtf8(config) : FromUtf8(getenv("HOME") ? getenv("HOME") : "") + u"/.config";
    return IncludeTrailingPathDelimiter(folder) + u"Vandrel/" + name + u".reg";
}
