#pragma once
// Text from a fuzz target's input bytes. Seed files are UTF-8 text, readable
// and real; an input that starts with the UTF-16 little-endian byte order
// mark is taken as UTF-16 code units, so the fuzzer reaches every text
// (lone surrogates among it).

#include "rtl/Encoding.h"
#include "rtl/Types.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <string_view>
#include <utility>

inline String FuzzText(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        String text;
        for (std::size_t i = 2; i + 1 < size; i += 2)
            text += static_cast<Char>(data[i] | (data[i + 1] << 8));
        return text;
    }
    return FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
}

// The input split at its first NUL byte: the part before and the part after
// (empty when there is none), for targets that take two texts.
inline std::pair<std::string_view, std::string_view> FuzzSplit(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = all.find('\0');
    if (nul == std::string_view::npos) return {all, {}};
    return {all.substr(0, nul), all.substr(nul + 1)};
}

// Writes the input as the file `name` in a folder of this process's own
// (made on first use, removed at exit) and answers its path, for readers
// that take a file name.
inline std::filesystem::path FuzzInputFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    struct TFolder {
        std::filesystem::path Path = std::filesystem::temp_directory_path() /
                                     ("vandrel-fuzz-" + std::to_string(::getpid()));
        TFolder() { std::filesystem::create_directories(Path); }
        ~TFolder() {
            std::error_code ignored; // a folder left behind in the temp folder harms nothing
            std::filesystem::remove_all(Path, ignored);
        }
    };
    static const TFolder folder;
    const std::filesystem::path file = folder.Path / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                   std::streamsize(size));
    return file;
}
