#pragma once
// Bounds-checked reading of little-endian values from a byte buffer, for the
// codecs' own file parsers. A read past the end raises EInvalidGraphic with
// the message the codec supplied.

#include "graphics/ImageCodecs.h"

#include <cstdint>
#include <span>

namespace detail {

class TByteReader {
public:
    TByteReader(std::span<const Byte> data, String damagedMessage)
        : FData(data), FDamaged(std::move(damagedMessage)) {}

    std::size_t Size() const { return FData.size(); }
    std::size_t Position() const { return FPosition; }
    void Seek(std::size_t position) {
        Require(position, 0);
        FPosition = position;
    }
    // Raises unless count bytes exist from position on.
    void Require(std::size_t position, std::size_t count) const {
        if (position > FData.size() || count > FData.size() - position) Fail();
    }
    std::span<const Byte> Bytes(std::size_t position, std::size_t count) const {
        Require(position, count);
        return FData.subspan(position, count);
    }

    std::uint8_t U8() { return Take(1)[0]; }
    std::uint16_t U16() {
        auto b = Take(2);
        return std::uint16_t(b[0] | (b[1] << 8));
    }
    std::uint32_t U32() {
        auto b = Take(4);
        return std::uint32_t(b[0]) | (std::uint32_t(b[1]) << 8) | (std::uint32_t(b[2]) << 16) |
               (std::uint32_t(b[3]) << 24);
    }
    std::int32_t I32() { return std::int32_t(U32()); }

    [[noreturn]] void Fail() const { throw EInvalidGraphic(FDamaged); }

private:
    std::span<const Byte> Take(std::size_t count) {
        auto bytes = Bytes(FPosition, count);
        FPosition += count;
        return bytes;
    }

    std::span<const Byte> FData;
    String FDamaged;
    std::size_t FPosition = 0;
};

// Little-endian writers for the encoders.
inline void PutU16(std::vector<Byte>& out, std::uint32_t value) {
    out.push_back(Byte(value));
    out.push_back(Byte(value >> 8));
}
inline void PutU32(std::vector<Byte>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

// Largest picture the codecs accept, as the platform's bitmaps allow: each
// side at most 32,767 pixels and at most 100 million pixels, so that a
// damaged or hostile header cannot ask for an absurd allocation.
constexpr std::int64_t MaxImageSide = 32767;
constexpr std::int64_t MaxImagePixels = 100'000'000;

inline bool ImageSizeAcceptable(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= MaxImageSide && height <= MaxImageSide &&
           width * height <= MaxImagePixels;
}

// Raises EInvalidGraphic "Picture too large: <w> x <h>" for a positive size
// beyond the limits; checked from a file's header before any allocation.
void CheckImageSize(std::int64_t width, std::int64_t height);

// Whether `bytes` of compressed data could hold `units` of decoded data
// at most `ratio` units per byte (the compression's best, so any complete
// file passes). A truncated file fails this before its decoded size is
// allocated, so the memory a file takes follows the data it holds.
inline bool DataCanHold(std::int64_t units, std::size_t bytes, std::int64_t ratio) {
    constexpr std::int64_t Slack = 1 << 20;
    return units <= std::int64_t(bytes) * ratio + Slack;
}

inline std::uint32_t Argb(std::uint32_t a, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (a << 24) | (r << 16) | (g << 8) | b;
}

} // namespace detail
