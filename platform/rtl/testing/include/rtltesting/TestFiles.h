#pragma once
// Files for tests and benchmarks: a throw-away folder, and a file's bytes
// read or written past the program's own file routines.

#include "rtl/Encoding.h"
#include "rtl/Types.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

// A fresh, empty folder in the temporary folder ($TMPDIR, else /tmp), removed
// with everything in it when the object goes. Its path ends in '/'.
class TTempFolder {
public:
    TTempFolder() {
        const char* temp = std::getenv("TMPDIR");
        std::error_code error;
        const std::string parent =
            temp && *temp && std::filesystem::is_directory(temp, error) ? temp : "/tmp";
        std::string name = parent + "/vandrel-test-XXXXXX";
        if (!::mkdtemp(name.data())) throw std::runtime_error("Cannot create a test folder in " + parent);
        FPath = FromUtf8(name) + u"/";
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Native(), ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const String& Path() const { return FPath; }
    // The full name of a file or folder in the folder.
    String operator/(const String& name) const { return FPath + name; }
    // The same as a file-system name; the folder itself without a name.
    std::string Native(const String& name = String()) const { return Utf8(FPath + name); }

    // The number of entries in the folder (to see that nothing was left behind).
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(Native()),
                                                      std::filesystem::directory_iterator()));
    }

private:
    String FPath;
};

// All bytes of a file; empty when it cannot be read.
inline std::string ReadFileBytes(const String& fileName) {
    std::ifstream in(Utf8(fileName), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Makes or replaces a file with exactly these bytes.
inline void WriteFileBytes(const String& fileName, const std::string& bytes) {
    std::ofstream(Utf8(fileName), std::ios::binary) << bytes;
}
