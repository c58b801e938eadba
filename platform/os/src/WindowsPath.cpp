#include "os/WindowsPath.h"

#include "CaseFold.h"
#include "os/FilePath.h"
#include "rtl/Encoding.h"

#include <dirent.h>
#include <map>
#include <mutex>
#include <optional>
#include <stdlib.h>
#include <string>
#include <sys/stat.h>

namespace os {

namespace {

std::mutex DriveLock;
std::map<Char, String>& DriveRoots() {
    static std::map<Char, String> roots;
    return roots;
}

Char DriveKey(Char drive) {
    return drive >= u'a' && drive <= u'z' ? static_cast<Char>(drive - u'a' + u'A') : drive;
}

bool IsDriveLetter(Char c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool Exists(const String& path) {
    struct stat st {};
    return lstat(Utf8(path).c_str(), &st) == 0;
}

// The entry of `folder` whose name equals `name` without regard to case; the
// first in byte order when several do.
std::optional<String> FindWithoutCase(const String& folder, const String& name) {
    DIR* dir = opendir(folder.empty() ? "." : Utf8(folder).c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> found;
    const String wanted = detail::FoldName(name);
    while (dirent* entry = readdir(dir)) {
        std::string candidate = entry->d_name;
        if (detail::FoldName(FromUtf8(candidate)) == wanted && (!found || candidate < *found))
            found = candidate;
    }
    closedir(dir);
    if (!found) return std::nullopt;
    return FromUtf8(*found);
}

} // namespace

void SetDriveRoot(Char drive, const String& root) {
    std::lock_guard guard(DriveLock);
    DriveRoots()[DriveKey(drive)] = IncludeTrailingPathDelimiter(root);
}

String DriveRoot(Char drive) {
    {
        std::lock_guard guard(DriveLock);
        auto it = DriveRoots().find(DriveKey(drive));
        if (it != DriveRoots().end()) return it->second;
    }
    const char* root = getenv("VANDREL_DRIVE_ROOT");
    return root && *root ? IncludeTrailingPathDelimiter(FromUtf8(root)) : String(u"/");
}

String ConvertWindowsPath(const String& path) {
    String rest = path;
    for (Char& c : rest)
        if (c == u'\\') c = PathDelim;

    String result;
    if (rest.size() >= 2 && IsDriveLetter(rest[0]) && rest[1] == u':') {
        result = DriveRoot(rest[0]);
        rest = rest.substr(rest.size() > 2 && rest[2] == PathDelim ? 3 : 2);
    } else if (!rest.empty() && rest.front() == PathDelim) {
        result.push_back(PathDelim);
        rest = rest.substr(1);
    }

    bool lookUp = true; // stops at the first component that cannot be found
    std::size_t start = 0;
    while (start < rest.size()) {
        std::size_t end = rest.find(PathDelim, start);
        const bool last = end == String::npos;
        if (last) end = rest.size();
        String name = rest.substr(start, end - start);
        if (lookUp && !name.empty() && name != u"." && name != u".." && !Exists(result + name)) {
            if (auto match = FindWithoutCase(result, name))
                name = *match;
            else
                lookUp = false;
        }
        result += name;
        if (!last) result += PathDelim;
        start = end + 1;
    }
    return result;
}

} // namespace os
