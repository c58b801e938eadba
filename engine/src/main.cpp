// Tesvorik: computes PEC Tier I from the input files in the current folder
// and writes Summary.out there. Reads no command line and no environment.

#include "engine/RunTier1.h"

#include <ctime>
#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

tesvorik::RunClock LocalClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

std::string CurrentFolderText() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    return error ? std::string("(unknown)") : folder.string();
}

} // namespace

int main() {
    tesvorik::RunEnvironment environment;
    environment.folder = ".";
    environment.header = {LocalClock(), CurrentFolderText(), tesvorik::CompilerIdentification()};
    environment.console = &std::cout;
    return tesvorik::RunTier1(environment);
}
