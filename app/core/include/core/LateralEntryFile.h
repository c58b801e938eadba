#pragma once
// A run's lateral-entry file, the text file the scenario tool keeps for each
// run below the scenario project's folder, as far as the program reads it:
// the application dates. Lines count from 0, columns from 1:
//
//   line a       the first line that begins with "*   Number of applications"
//                (ignoring case); a heading on line 0 counts as missing
//   line a+1     its first character ignored, the rest the number of
//                applications n
//   line a+2     not read
//   lines a+3 .. a+2+n   one per application, in order: columns 24 to 35,
//                trimmed, are the application date
//
// Nothing else of the file is read.

#include "rtl/Types.h"

class TM2TFile;
class TRun;

// The heading above the number of applications.
inline constexpr const Char* ApplicationsHeading = u"*   Number of applications";

// The file of `Run` in the scenario project folder `ProjectPath`: the run's
// LatEntryFile itself when it is a drive path (holds ":\"), otherwise the
// project folder, "\MACRO\", the crop's folder and LatEntryFile
// (TRun::GetMACRO_M2T). Both come from the scenario tool on Windows and are
// converted to a path of this system (os::ConvertWindowsPath).
String LateralEntryFileName(const String& ProjectPath, const TRun& Run);

// Loads `FileName` into `File` and reads its application dates into `Run`:
// application j gets date j and Date_peak the last date. Answers false and
// changes nothing in `Run` when the file has no heading or counts another
// number of applications than `Run` has. Raises when the file cannot be
// read or is malformed (a count that is no number, a missing date line or an
// empty date); `Run` is then unchanged too.
bool ReadLateralEntryDates(TM2TFile& File, const String& FileName, TRun& Run);
