#pragma once
// The sections of Summary.out, in the order they are written. The range
// checks run between them (see RunTier1).

#include "engine/SummaryFile.h"
#include "engine/Tables.h"

#include <string>

namespace tesvorik {

// The local date and time of the run.
struct RunClock {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// What the header says about the run and the program.
struct RunHeader {
    RunClock clock;
    std::string workDir;  // the working folder's full path
    std::string compiler; // the compiler identification
};

// Lines 1 to 22: the header and the echo of the compound properties.
void WriteHeaderAndProperties(const EngineTables& tables, const RunHeader& header, SummaryFile& file);

// The application echo, the crop table, the method and the header of the
// use-factor table.
void WriteCropsAndMethod(const EngineTables& tables, SummaryFile& file);

// The use-factor rows and the result block.
void WriteUseFactorsAndResults(const EngineTables& tables, SummaryFile& file);

} // namespace tesvorik
