#include "core/LateralEntryFile.h"

#include "core/InputFile.h"
#include "core/Run.h"
#include "os/WindowsPath.h"
#include "rtl/Convert.h"
#include "rtl/Exception.h"
#include "rtl/StringUtils.h"

#include <vector>

namespace {

// Where the date stands in an application's line.
constexpr Integer DateColumn = 24;
constexpr Integer DateWidth = 12;

} // namespace

String LateralEntryFileName(const String& ProjectPath, const TRun& Run) {
    const String& LatEntryFile = Run.LatEntryFile();
    if (Pos(u":\\", LatEntryFile) > 0) return os::ConvertWindowsPath(LatEntryFile);
    return os::ConvertWindowsPath(ProjectPath + u"\\MACRO\\" + Run.GetMACRO_M2T());
}

bool ReadLateralEntryDates(TM2TFile& File, const String& FileName, TRun& Run) {
    File.SetFileName(FileName);
    const Integer Heading = File.IndexOf(ApplicationsHeading);
    if (Heading < 1) return false;

    const Integer Count = StrToInt(Trim(Copy(File.GetLine(Heading + 1), 2)));
    if (Count != Run.Applications().Count()) return false;

    // Every date is read before any is given to the run, so a file that
    // breaks off half-way leaves the run as it was.
    std::vector<String> Dates;
    for (Integer J = 0; J < Count; ++J) {
        const Integer Line = Heading + 3 + J;
        String Date = Trim(Copy(File.GetLine(Line), DateColumn, DateWidth));
        if (Date.empty()) throw EConvertError(u"No application date in line %d of %s", {Line + 1, FileName});
        Dates.push_back(std::move(Date));
    }
    for (Integer J = 0; J < Count; ++J) {
        Run.Applications().Items(J)->ApplDate = Dates[static_cast<size_t>(J)];
        Run.Date_peak = Dates[static_cast<size_t>(J)];
    }
    return true;
}
