#pragma once
// Reading the four input files of the working folder into the engine's
// tables, each file by position and in the fixed order Names.inp,
// CropArea.inp, CropPEC.inp, CompoundProperties.inp.

#include "engine/Tables.h"

#include <filesystem>
#include <stdexcept>
#include <string>

namespace tesvorik {

// CropPEC.inp read completely, or its reading stopped at a used flag that is
// neither a yes nor a no (what a crop name with a blank produces).
enum class CropPecOutcome { Read, UsedFlagRejected };

// CropPEC.inp could be read but its crop rows cannot be used: a grouping code
// outside 1 to 26, or a number of yes rows other than the number of used
// crops.
class InvalidCropPec : public std::runtime_error {
public:
    explicit InvalidCropPec(const std::string& problem);
};

// True for the accepted forms of the 3-character used flag: "No ", "no ",
// "NO ", "Yes", "YES", "yes".
bool IsAcceptedUsedFlag(const std::string& flag);
bool IsYesFlag(const std::string& flag);

void ReadNames(const std::filesystem::path& folder, EngineTables& tables);
void ReadCropArea(const std::filesystem::path& folder, EngineTables& tables);
CropPecOutcome ReadCropPec(const std::filesystem::path& folder, EngineTables& tables);
void ReadCompoundProperties(const std::filesystem::path& folder, EngineTables& tables);

} // namespace tesvorik
