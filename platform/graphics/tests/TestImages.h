#pragma once
// Helpers shared by the image tests: fixture bytes and the 5x3 grid the
// fixture generator (fixtures/make_images.py) draws.

#include "rtl/Types.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<Byte> FixtureBytes(const std::string& name) {
    std::ifstream file(std::string(VANDREL_FIXTURES) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

namespace grid {
constexpr int Width = 5, Height = 3;
constexpr std::uint32_t Colours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
inline std::uint32_t Rgb(int x, int y, int colours) {
    return Colours[(x + 2 * y) % colours];
}
inline std::uint32_t Alpha(int x) {
    return std::uint32_t(255 - 50 * x);
}
} // namespace grid
