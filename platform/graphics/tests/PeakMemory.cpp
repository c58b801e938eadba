#include "PeakMemory.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define VANDREL_HEAP_HOOKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANDREL_HEAP_HOOKS 1
#endif
#endif

#ifdef VANDREL_HEAP_HOOKS
// The sanitizer runtime's allocator interface (GCC installs no header for it).
extern "C" {
int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, std::size_t),
                                              void (*free_hook)(const volatile void*));
std::size_t __sanitizer_get_allocated_size(const volatile void* pointer);
}
#endif

namespace {

// A field of /proc/self/status in bytes ("VmHWM:   1234 kB").
std::int64_t StatusBytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::stoll(line.substr(field.size() + 1)) * 1024;
    return 0;
}

// Resets the high-water mark to the current resident set; where the kernel
// does not allow it, the growth is measured from the mark as it stands.
void ResetResidentPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

#ifdef VANDREL_HEAP_HOOKS
std::atomic<std::int64_t> LiveHeap{0};
std::atomic<std::int64_t> PeakHeap{0};

void OnMalloc(const volatile void*, std::size_t size) {
    const std::int64_t live = LiveHeap += std::int64_t(size);
    std::int64_t peak = PeakHeap.load();
    while (live > peak && !PeakHeap.compare_exchange_weak(peak, live)) {
    }
}

void OnFree(const volatile void* pointer) {
    LiveHeap -= std::int64_t(__sanitizer_get_allocated_size(pointer));
}

void InstallHeapHooks() {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
    (void)installed;
}
#endif

} // namespace

TPeakMemoryGrowth MeasurePeakMemoryGrowth(const std::function<void()>& code) {
    TPeakMemoryGrowth growth;
#ifdef VANDREL_HEAP_HOOKS
    InstallHeapHooks();
    const std::int64_t heapBefore = LiveHeap.load();
    PeakHeap = heapBefore;
#endif
    ResetResidentPeak();
    const std::int64_t residentBefore = StatusBytes("VmHWM");
    code();
    growth.Resident = std::max<std::int64_t>(0, StatusBytes("VmHWM") - residentBefore);
#ifdef VANDREL_HEAP_HOOKS
    growth.Heap = std::max<std::int64_t>(0, PeakHeap.load() - heapBefore);
#endif
    return growth;
}
