// Spreadsheet number formats: the input is the format, applied to values of
// every kind (numbers small and huge, dates from before 1900 to past 9999,
// texts, booleans, null). ApplyXLSFormat never raises.

#include "gridbase/XLSFormat.h"
#include "rtltesting/FuzzInput.h"

#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const String format = FuzzText(data, size);
    const Variant values[] = {Variant(0.0), Variant(1.0), Variant(-1234.5678), Variant(1e300), Variant(-1e-300),
                              Variant(std::numeric_limits<double>::max()), Variant(Integer(42)),
                              Variant(Int64(-9007199254740993)), Variant::FromDate(45000.75),
                              Variant::FromDate(-700000.5), Variant::FromDate(3000000.0), Variant(u"text"),
                              Variant(true), Variant::Null(), Variant()};
    for (const Variant& value : values)
        ApplyXLSFormat(value, format);
    return 0;
}
