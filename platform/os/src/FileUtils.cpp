#include "os/FileUtils.h"

#include "FileDescriptor.h"
#include "os/FilePath.h"
#include "rtl/Encoding.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace os::detail {

struct TFindState {
    DIR* Dir = nullptr;
    std::string Folder;
    std::string Pattern; // empty: every name
    ~TFindState() {
        if (Dir) closedir(Dir);
    }
};

} // namespace os::detail

namespace {

using os::detail::TFileDescriptor;
using os::detail::TFindState;

bool StatPath(const String& name, struct stat& st) {
    return !name.empty() && stat(Utf8(name).c_str(), &st) == 0;
}

TDateTime LocalDateTime(const std::tm& tm, double secondFraction) {
    using namespace std::chrono;
    const auto date = year_month_day{year{tm.tm_year + 1900}, month{static_cast<unsigned>(tm.tm_mon + 1)},
                                     day{static_cast<unsigned>(tm.tm_mday)}};
    const auto days = (sys_days{date} - sys_days{1899y / December / 30}).count();
    return static_cast<double>(days) +
           (tm.tm_hour * 3600.0 + tm.tm_min * 60.0 + tm.tm_sec + secondFraction) / 86400.0;
}

Integer PackedLocalTime(std::time_t time) {
    std::tm tm{};
    localtime_r(&time, &tm);
    const int years = tm.tm_year + 1900 < 1980 ? 0 : tm.tm_year + 1900 - 1980;
    const auto packed =
        static_cast<std::uint32_t>(years) << 25 | static_cast<std::uint32_t>(tm.tm_mon + 1) << 21 |
        static_cast<std::uint32_t>(tm.tm_mday) << 16 | static_cast<std::uint32_t>(tm.tm_hour) << 11 |
        static_cast<std::uint32_t>(tm.tm_min) << 5 | static_cast<std::uint32_t>(tm.tm_sec / 2);
    return static_cast<Integer>(packed);
}

// Removes everything inside the open folder without following links.
void RemoveContents(int folder) {
    int listing = dup(folder);
    if (listing < 0) return;
    DIR* dir = fdopendir(listing);
    if (!dir) {
        close(listing);
        return;
    }
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(std::move(name));
    }
    closedir(dir);
    for (const auto& name : names) {
        struct stat st {};
        if (fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
            TFileDescriptor sub(
                openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (sub.Get() >= 0) RemoveContents(sub.Get());
            unlinkat(folder, name.c_str(), AT_REMOVEDIR);
        } else {
            unlinkat(folder, name.c_str(), 0);
        }
    }
}

bool MatchesPattern(const TFindState& state, const char* name) {
    return state.Pattern.empty() || fnmatch(state.Pattern.c_str(), name, 0) == 0;
}

Integer EntryAttributes(const TFindState& state, const std::string& name, TSearchRec& rec) {
    const std::string full = state.Folder + name;
    struct stat link {};
    if (lstat(full.c_str(), &link) != 0) return -1;
    struct stat st = link;
    Integer attr = 0;
    if (S_ISLNK(link.st_mode)) {
        attr |= faSymLink;
        if (stat(full.c_str(), &st) != 0) st = link; // a dangling link describes itself
    }
    if (S_ISDIR(st.st_mode)) attr |= faDirectory;
    if (name.front() == '.' && name != "." && name != "..") attr |= faHidden;
    if (access(full.c_str(), W_OK) != 0) attr |= faReadOnly;
    rec.Size = S_ISDIR(st.st_mode) ? 0 : static_cast<Int64>(st.st_size);
    rec.Time = PackedLocalTime(st.st_mtime);
    return attr;
}

} // namespace

bool FileExists(const String& fileName) {
    struct stat st {};
    return StatPath(fileName, st) && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const String& directory) {
    struct stat st {};
    return StatPath(directory, st) && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const String& directory) {
    String dir = ExcludeTrailingPathDelimiter(directory);
    if (dir.empty()) return !directory.empty(); // "/" exists
    if (DirectoryExists(dir)) return true;
    const String parent = ExtractFilePath(dir);
    if (!parent.empty() && parent != dir && !ForceDirectories(parent)) return false;
    return CreateDir(dir) || DirectoryExists(dir); // another process may have made it meanwhile
}

bool CreateDir(const String& directory) {
    return mkdir(Utf8(directory).c_str(), 0777) == 0;
}

bool RemoveDir(const String& directory) {
    return rmdir(Utf8(directory).c_str()) == 0;
}

bool DeleteFile(const String& fileName) {
    struct stat st {};
    const std::string name = Utf8(fileName);
    if (lstat(name.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return unlink(name.c_str()) == 0;
}

bool RenameFile(const String& oldName, const String& newName) {
    const std::string from = Utf8(oldName), to = Utf8(newName);
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    // The file system cannot refuse the replacement itself.
    struct stat st {};
    return lstat(to.c_str(), &st) != 0 && rename(from.c_str(), to.c_str()) == 0;
}

bool CopyFile(const String& existingFileName, const String& newFileName, bool failIfExists) {
    const std::string target = Utf8(newFileName);
    TFileDescriptor source(open(Utf8(existingFileName).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st {};
    if (source.Get() < 0 || fstat(source.Get(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    if (failIfExists && access(target.c_str(), F_OK) == 0) return false;

    // The copy is written beside the target and put in its place in one step,
    // so a failed copy never leaves a damaged file behind.
    std::string temp = Utf8(ExtractFilePath(newFileName)) + ".copy.XXXXXX";
    TFileDescriptor copy(mkostemp(temp.data(), O_CLOEXEC));
    if (copy.Get() < 0) return false;
    bool ok = true;
    char buffer[65536];
    for (;;) {
        ssize_t got = read(source.Get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ok = os::detail::WriteAll(copy.Get(), buffer, static_cast<std::size_t>(got));
        if (!ok) break;
    }
    const timespec times[2] = {st.st_atim, st.st_mtim};
    ok = ok && fchmod(copy.Get(), st.st_mode & 07777) == 0 && futimens(copy.Get(), times) == 0 &&
         fsync(copy.Get()) == 0;
    if (ok) {
        ok = failIfExists ? renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0
                          : rename(temp.c_str(), target.c_str()) == 0;
        if (!ok && failIfExists && (errno == EINVAL || errno == ENOSYS))
            ok = link(temp.c_str(), target.c_str()) == 0; // refuses to replace as well
    }
    if (!ok || failIfExists) unlink(temp.c_str());
    return ok;
}

bool DeleteDirectory(const String& directory) {
    const std::string name = Utf8(ExcludeTrailingPathDelimiter(directory));
    struct stat st {};
    if (name.empty() || lstat(name.c_str(), &st) != 0) return false;
    if (S_ISLNK(st.st_mode)) {
        // A link to a folder is removed itself; what it points to stays.
        if (stat(name.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
        unlink(name.c_str());
        return true;
    }
    if (!S_ISDIR(st.st_mode)) return false;
    {
        TFileDescriptor folder(open(name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (folder.Get() >= 0) RemoveContents(folder.Get());
    }
    rmdir(name.c_str());
    return true;
}

String GetCurrentDir() {
    std::string buffer(256, '\0');
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return String();
        buffer.resize(buffer.size() * 2);
    }
    return FromUtf8(buffer.c_str());
}

bool SetCurrentDir(const String& directory) {
    return chdir(Utf8(directory).c_str()) == 0;
}

Integer FileAge(const String& fileName) {
    struct stat st {};
    if (!StatPath(fileName, st) || S_ISDIR(st.st_mode)) return -1;
    return PackedLocalTime(st.st_mtime);
}

bool FileAge(const String& fileName, TDateTime& fileDateTime) {
    struct stat st {};
    if (!StatPath(fileName, st) || S_ISDIR(st.st_mode)) return false;
    std::tm tm{};
    localtime_r(&st.st_mtime, &tm);
    fileDateTime = LocalDateTime(tm, st.st_mtim.tv_nsec / 1e9);
    return true;
}

TDateTime FileDateToDateTime(Integer fileDate) {
    const auto packed = static_cast<std::uint32_t>(fileDate);
    std::tm tm{};
    tm.tm_year = static_cast<int>(packed >> 25) + 80;
    tm.tm_mon = static_cast<int>(packed >> 21 & 0xF) - 1;
    tm.tm_mday = static_cast<int>(packed >> 16 & 0x1F);
    tm.tm_hour = static_cast<int>(packed >> 11 & 0x1F);
    tm.tm_min = static_cast<int>(packed >> 5 & 0x3F);
    tm.tm_sec = static_cast<int>(packed & 0x1F) * 2;
    return LocalDateTime(tm, 0);
}

Integer FindFirst(const String& path, Integer attr, TSearchRec& searchRec) {
    FindClose(searchRec);
    auto state = std::make_shared<TFindState>();
    String folder = ExtractFilePath(path);
    String pattern = ExtractFileName(path);
    state->Folder = folder.empty() ? std::string() : Utf8(folder);
    state->Pattern = pattern == u"*.*" || pattern == u"*" ? std::string() : Utf8(pattern);
    state->Dir = opendir(state->Folder.empty() ? "." : state->Folder.c_str());
    if (!state->Dir) return errno ? errno : ENOENT;
    searchRec.ExcludeAttr = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    searchRec.FindHandle = std::move(state);
    Integer result = FindNext(searchRec);
    if (result != 0) FindClose(searchRec);
    return result;
}

Integer FindNext(TSearchRec& searchRec) {
    TFindState* state = searchRec.FindHandle.get();
    if (!state) return EBADF;
    while (dirent* entry = readdir(state->Dir)) {
        if (!MatchesPattern(*state, entry->d_name)) continue;
        const Integer attr = EntryAttributes(*state, entry->d_name, searchRec);
        if (attr < 0 || (attr & searchRec.ExcludeAttr) != 0) continue;
        searchRec.Attr = attr;
        searchRec.Name = FromUtf8(entry->d_name);
        return 0;
    }
    return ENOENT;
}

void FindClose(TSearchRec& searchRec) {
    searchRec.FindHandle.reset();
}
