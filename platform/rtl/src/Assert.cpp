#include "rtl/Assert.h"

#include "rtl/Encoding.h"

void Assert(bool condition, std::u16string_view message, const std::source_location& where) {
    if (condition) return;
    std::string_view file = where.file_name();
    if (const size_t slash = file.find_last_of('/'); slash != std::string_view::npos)
        file.remove_prefix(slash + 1);
    throw EAssertionFailed(u"%s (%s, line %d)",
                           {message.empty() ? std::u16string_view(u"Assertion failure") : message,
                            FromUtf8(file), static_cast<Integer>(where.line())});
}
