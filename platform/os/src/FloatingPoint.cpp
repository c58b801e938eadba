#include "os/FloatingPoint.h"

#include <fenv.h>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace os {

void MaskFloatingPointExceptions() {
    fedisableexcept(FE_ALL_EXCEPT);
#if defined(__x86_64__) || defined(__i386__)
    // The denormal-operand exception is outside FE_ALL_EXCEPT.
    _mm_setcsr(_mm_getcsr() | _MM_MASK_DENORM);
#endif
}

bool FloatingPointExceptionsMasked() {
#if defined(__x86_64__) || defined(__i386__)
    if ((_mm_getcsr() & _MM_MASK_DENORM) == 0) return false;
#endif
    return fegetexcept() == 0;
}

} // namespace os
