#include "engine/RunTier1.h"

#include "engine/Checks.h"
#include "engine/InputFiles.h"
#include "engine/InputReader.h"
#include "engine/Tier1Calculation.h"

namespace tesvorik {

namespace {

// Writes Summary.out; a check that finds values out of range closes the file
// after its messages, and the run stops there in order.
void WriteSummary(const EngineTables& t, const RunEnvironment& env) {
    SummaryFile file(env.folder);
    WriteHeaderAndProperties(t, env.header, file);
    if (!CheckCompoundProperties(t.properties, *env.console, file)) return file.Close();
    WriteCropsAndMethod(t, file);
    if (!CheckDilutionAndMarketShare(t, *env.console, file)) return file.Close();
    WriteUseFactorsAndResults(t, file);
    file.Close();
}

} // namespace

std::string CompilerIdentification() {
#if defined(__clang__)
    return "Clang " + std::to_string(__clang_major__) + "." + std::to_string(__clang_minor__) + "." +
           std::to_string(__clang_patchlevel__);
#elif defined(__GNUC__)
    return "GNU C++ " + std::to_string(__GNUC__) + "." + std::to_string(__GNUC_MINOR__) + "." +
           std::to_string(__GNUC_PATCHLEVEL__);
#else
    return "C++ compiler";
#endif
}

int RunTier1(const RunEnvironment& env) {
    std::ostream& console = *env.console;
    EngineTables tables;
    try {
        ReadNames(env.folder, tables);
        ReadCropArea(env.folder, tables);
        if (ReadCropPec(env.folder, tables) == CropPecOutcome::UsedFlagRejected) {
            console << " The input is not correct. Please check the input file CropPEC.inp\n"
                    << " spaces are not allowed in the name of the FOCUS-SW D3-crop.\n";
            return kExitNormal;
        }
        ReadCompoundProperties(env.folder, tables);
    } catch (const InputError& error) {
        console << error.what() << '\n';
        return kExitInputError;
    } catch (const InvalidCropPec& error) {
        console << error.what() << '\n';
        return kExitInputError;
    }

    ComputePecTier1(tables);

    try {
        WriteSummary(tables, env);
    } catch (const OutputError& error) {
        console << error.what() << '\n';
        return kExitOutputError;
    }
    return kExitNormal;
}

} // namespace tesvorik
