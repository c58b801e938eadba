// The engine's four input files: the input holds Names.inp, CropArea.inp,
// CropPEC.inp and CompoundProperties.inp in this order, separated by form
// feeds (a file the input does not reach is missing). The whole pass runs
// over them in a folder of this process's own.

#include "engine/RunTier1.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct TFolder {
    fs::path Path = fs::temp_directory_path() / ("tesvorik-fuzz-" + std::to_string(::getpid()));
    TFolder() { fs::create_directories(Path); }
    ~TFolder() {
        std::error_code ignored; // a folder left behind in the temp folder harms nothing
        fs::remove_all(Path, ignored);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const TFolder folder;
    constexpr std::array<const char*, 4> names = {"Names.inp", "CropArea.inp", "CropPEC.inp",
                                                  "CompoundProperties.inp"};
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    bool more = true;
    for (const char* name : names) {
        const fs::path file = folder.Path / name;
        if (!more) {
            fs::remove(file);
            continue;
        }
        const std::size_t end = rest.find('\f');
        std::ofstream(file, std::ios::binary | std::ios::trunc) << rest.substr(0, end);
        more = end != std::string_view::npos;
        if (more) rest.remove_prefix(end + 1);
    }
    std::ostringstream console;
    tesvorik::RunEnvironment environment{folder.Path, {{2026, 12, 10, 9, 30}, folder.Path.string(), "fuzz"},
                                         &console};
    tesvorik::RunTier1(environment);
    return 0;
}
