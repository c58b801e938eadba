#include "engine/FieldWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tesvorik {

namespace {

std::string Asterisks(int width) {
    return std::string(static_cast<std::size_t>(width), '*');
}

} // namespace

std::string FixedField(float value, int width, int decimals) {
    if (!std::isfinite(value)) return Asterisks(width);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
    std::string text = buffer;
    if (static_cast<int>(text.size()) > width) {
        // Drop the optional zero before the decimal point: 0.40 -> .40
        const std::size_t zero = text[0] == '-' ? 1 : 0;
        if (text.compare(zero, 2, "0.") == 0) text.erase(zero, 1);
    }
    if (static_cast<int>(text.size()) > width) return Asterisks(width);
    return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

std::string ExponentField(float value) {
    constexpr int kWidth = 7;
    if (!std::isfinite(value) || value < 0) return Asterisks(kWidth);
    // "%.1e" rounds to two significant digits (d.dE+xx); the field writes
    // them as .ddE+xx, one exponent higher.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1e", static_cast<double>(value));
    const int exponent = value == 0 ? 0 : std::atoi(buffer + 4) + 1;
    if (std::abs(exponent) > 99) return Asterisks(kWidth);
    char field[16];
    std::snprintf(field, sizeof field, ".%c%cE%c%02d", buffer[0], buffer[2], exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    return field;
}

std::string ZeroPaddedField(int value, int width) {
    const std::string digits = std::to_string(std::abs(value));
    if (value < 0 || static_cast<int>(digits.size()) > width) return Asterisks(width);
    return std::string(static_cast<std::size_t>(width) - digits.size(), '0') + digits;
}

std::string NarrowestThreeDecimalField(float value) {
    constexpr int kNarrowest = 5;
    constexpr int kWidest = 10;
    for (int width = kNarrowest; width < kWidest; ++width) {
        const std::string field = FixedField(value, width, 3);
        if (field[0] != '*') return field;
    }
    return FixedField(value, kWidest, 3);
}

} // namespace tesvorik
