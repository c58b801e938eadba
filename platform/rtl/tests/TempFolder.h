#pragma once
// A fresh folder for one test's files, removed with everything in it when
// the test ends.

#include "rtl/Encoding.h"
#include "rtl/Types.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempFolder {
public:
    TempFolder() {
        std::string Pattern = (std::filesystem::temp_directory_path() / "rtl-test-XXXXXX").string();
        if (!::mkdtemp(Pattern.data())) throw std::runtime_error("mkdtemp failed");
        FPath = Pattern;
    }
    ~TempFolder() {
        std::error_code Ignored;
        std::filesystem::remove_all(FPath, Ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The full name of a file in the folder, as the program's String.
    String File(const std::string& Name) const { return FromUtf8((FPath / Name).string()); }
    std::string Native(const std::string& Name) const { return (FPath / Name).string(); }

    std::string ReadBytes(const std::string& Name) const {
        std::ifstream In(Native(Name), std::ios::binary);
        return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
    }
    void WriteBytes(const std::string& Name, const std::string& Bytes) const {
        std::ofstream(Native(Name), std::ios::binary) << Bytes;
    }
    // The names of the files in the folder (to see that nothing was left behind).
    size_t FileCount() const {
        return static_cast<size_t>(
            std::distance(std::filesystem::directory_iterator(FPath), std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path FPath;
};
