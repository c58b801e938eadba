#pragma once
// The engine's one pass: read the four input files of the working folder,
// compute PEC Tier I for the ten abstraction points and write Summary.out.

#include "engine/SummaryWriter.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace tesvorik {

// Exit statuses of the run.
constexpr int kExitNormal = 0;      // a complete run, and every orderly stop
constexpr int kExitInputError = 2;  // an input file missing, short, unreadable or inconsistent
constexpr int kExitOutputError = 3; // Summary.out could not be written

struct RunEnvironment {
    std::filesystem::path folder; // where the input files are and Summary.out goes
    RunHeader header;             // clock, working-folder text and compiler identification
    std::ostream* console;        // receives the messages
};

// The compiler identification of this build (25 characters at most).
std::string CompilerIdentification();

// Runs the whole pass and answers the exit status.
int RunTier1(const RunEnvironment& environment);

} // namespace tesvorik
