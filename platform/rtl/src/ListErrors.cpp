#include "ListErrors.h"

#include "rtl/Format.h"

namespace detail {

String ListErrorText(std::u16string_view MessageFormat, Integer Value) {
    return Format(MessageFormat, {Value});
}

} // namespace detail
