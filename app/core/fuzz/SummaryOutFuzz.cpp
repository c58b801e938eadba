// Summary.out read back: the result rows, the remark and a stopped run's
// messages, for the usual ten abstraction points and for three.

#include "core/EngineResults.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/StringList.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TStringList lines;
    lines.SetText(FromAnsi(std::string_view(reinterpret_cast<const char*>(data), size)));
    for (const Integer points : {10, 3}) {
        try {
            ReadSummaryResults(lines, points);
        } catch (const EReadError&) {
            // "Summary.out incomplete": the expected outcome for a cut file.
        }
    }
    return 0;
}
