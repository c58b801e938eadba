// Runs a fuzz target's entry function over every file of its corpus, so the
// seeds and the reproducers of past findings are regression tests of the
// normal build. A fault aborts the run (under the sanitizers, with their
// report); the file being run is printed first.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <corpus folder>\n";
        return 2;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[1]))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::cerr << "no corpus files in " << argv[1] << "\n";
        return 1;
    }
    for (const auto& file : files) {
        std::cout << "running " << file.filename().string() << std::endl;
        std::ifstream in(file, std::ios::binary);
        // An exact-size copy, so the address sanitizer sees reads past the end.
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        auto* copy = new std::uint8_t[bytes.size()];
        std::copy(bytes.begin(), bytes.end(), copy);
        LLVMFuzzerTestOneInput(copy, bytes.size());
        delete[] copy;
    }
    std::cout << files.size() << " corpus files run" << std::endl;
    return 0;
}
