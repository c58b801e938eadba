#include "os/Folders.h"

#include "os/FilePath.h"
#include "os/FileUtils.h"
#include "os/OSError.h"
#include "rtl/Encoding.h"

#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <stdlib.h>
#include <string>
#include <unistd.h>

namespace os {

namespace {

String EnvironmentFolder(const char* name) {
    const char* value = getenv(name);
    return value && *value ? FromUtf8(value) : String();
}

String HomeFolder() {
    String home = EnvironmentFolder("HOME");
    if (home.empty())
        if (const passwd* user = getpwuid(getuid()); user && user->pw_dir) home = FromUtf8(user->pw_dir);
    if (home.empty()) RaiseLastOSError(u"The user's home folder is unknown", ENOENT);
    return IncludeTrailingPathDelimiter(home);
}

// XDG_DOCUMENTS_DIR="$HOME/Documents" in the user's folder settings.
String ConfiguredDocumentsFolder(const String& home) {
    String config = EnvironmentFolder("XDG_CONFIG_HOME");
    config = config.empty() ? home + u".config/" : IncludeTrailingPathDelimiter(config);
    std::ifstream file(Utf8(config + u"user-dirs.dirs"));
    const std::string key = "XDG_DOCUMENTS_DIR=";
    for (std::string line; std::getline(file, line);) {
        if (!line.starts_with(key)) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.starts_with("$HOME/")) return home + FromUtf8(value.substr(6));
        if (value.starts_with("/")) return FromUtf8(value);
    }
    return String();
}

} // namespace

String ProgramFolder() {
    std::string buffer(4096, '\0');
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0) return IncludeTrailingPathDelimiter(GetCurrentDir());
    buffer.resize(static_cast<std::size_t>(length));
    return ExtractFilePath(FromUtf8(buffer));
}

String DocumentsFolder() {
    const String home = HomeFolder();
    String documents = ConfiguredDocumentsFolder(home);
    return IncludeTrailingPathDelimiter(!documents.empty() && DirectoryExists(documents) ? documents : home);
}

String TempFolder() {
    String temp = EnvironmentFolder("TMPDIR");
    return IncludeTrailingPathDelimiter(!temp.empty() && DirectoryExists(temp) ? temp : u"/tmp");
}

String CreateTempFile(const String& folder, const String& prefix) {
    std::string name =
        Utf8(IncludeTrailingPathDelimiter(folder.empty() ? TempFolder() : folder) + prefix) + "XXXXXX";
    int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) RaiseLastOSError(u"Cannot create a temporary file in " + folder, errno);
    close(fd);
    return FromUtf8(name);
}

} // namespace os
