#pragma once
// How much a piece of code raised the process's peak memory: the growth of
// the resident set's high-water mark (reset before the code runs) and, under
// AddressSanitizer, of the live heap, which also counts allocations that
// were never touched.

#include <cstdint>
#include <functional>

struct TPeakMemoryGrowth {
    std::int64_t Resident = 0; // bytes
    std::int64_t Heap = 0;     // bytes; 0 without AddressSanitizer
};

TPeakMemoryGrowth MeasurePeakMemoryGrowth(const std::function<void()>& code);
