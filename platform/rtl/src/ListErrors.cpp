#include "ListErrors.h"

#include <string>

namespace detail {

String ListErrorText(const String& Text, Integer Value) {
    // TODO switch to IntToStr
    const std::string Digits = std::to_string(Value);
    return Text + u" (" + String(Digits.begin(), Digits.end()) + u")";
}

} // namespace detail
