#pragma once
// What the writers of the engine's input files (the TDWProject operations
// CreateInputFiles, WriteCropPEC, WriteCompoundProperties, WriteCropArea and
// their helpers) need beyond the project: the file names, the clock of the
// files' header and the error raised for a project the engine could not
// read. The substance's properties come from the substance-library bridge.

#include "rtl/DateTime.h"
#include "rtl/Exception.h"
#include "rtl/Types.h"

#include <functional>

inline constexpr const Char* CropPECFileName = u"CropPEC.inp";
inline constexpr const Char* CompoundPropertiesFileName = u"CompoundProperties.inp";
inline constexpr const Char* CropAreaInputFileName = u"CropArea.inp";

// The number of abstraction points the engine reads from every input file.
inline constexpr Integer EngineAbstractionPointCount = 10;

// A project holds a value the engine cannot read (an empty word or one with
// a blank, a crop grouping code outside 1 to 26, a number of abstraction
// points other than ten). Raised before any input file is written; the
// message names the run and the field.
class EEngineInputError : public Exception {
public:
    using Exception::Exception;
};

// The time written into the header of the input files: Now unless a clock is
// installed. Installing an empty clock restores Now; the replaced one is
// answered.
using TInputFilesClock = std::function<TDateTime()>;
TInputFilesClock SetInputFilesClock(TInputFilesClock clock);
