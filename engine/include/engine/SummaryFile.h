#pragma once
// Summary.out: created anew, written line by line from top to bottom, every
// line ending in CR LF. Lines are 8-bit Windows-1252 text (µ is the byte
// 0xB5), passed in as they are.

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace tesvorik {

// Summary.out could not be created or written.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SummaryFile {
public:
    static constexpr const char* kName = "Summary.out";

    // Creates Summary.out in `folder`, replacing a file of that name.
    explicit SummaryFile(const std::filesystem::path& folder);

    void Line(std::string_view text);
    // Closes the file; throws when any line could not be written.
    void Close();

private:
    std::ofstream file_;
};

} // namespace tesvorik
