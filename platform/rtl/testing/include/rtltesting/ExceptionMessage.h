#pragma once
// The message of the exception an action raises, for tests that check the
// exact text.

#include "rtl/Exception.h"
#include "rtl/Types.h"

#include <utility>

// The message of the E that `action` raises; "(no exception)" when it raises
// none. Any other exception passes on.
template <class E = Exception, class F>
String MessageOf(F&& action) {
    try {
        std::forward<F>(action)();
    } catch (const E& error) {
        return error.Message();
    }
    return u"(no exception)";
}
