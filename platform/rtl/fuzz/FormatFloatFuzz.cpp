// FormatFloat pictures: the input is the picture, applied to values of
// every kind (small, large, negative, zero, rounding edges, non-finite).

#include "rtl/Format.h"
#include "rtltesting/FuzzInput.h"

#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const String format = FuzzText(data, size);
    constexpr double values[] = {0.0, 1.0, -1.0, 0.5, 1234.5678, -0.0049, 1e300, -1e-300, 9.999999999e15,
                                 std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                                 std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    for (const double value : values)
        FormatFloat(format, value);
    return 0;
}
