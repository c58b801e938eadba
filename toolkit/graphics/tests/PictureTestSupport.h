#pragma once
// Small pictures as file bytes, for the raw-byte pictures.

#include "graphics/ImageCodecs.h"
#include "rtl/Stream.h"

#include <cstdint>
#include <vector>

inline std::vector<Byte> PngBytes(Integer AWidth, Integer AHeight, std::uint32_t AArgb) {
    return EncodePng(TDecodedImage::Blank(AWidth, AHeight, AArgb));
}

// A 2 x 1 GIF with three red 1 x 1 frames: delays 10, 20 and 10 hundredths
// of a second; frame 2 sits at (1, 0), the others at (0, 0). Frame 1's
// packed field 0x09: transparent flag (colour 1), disposal 2 (background).
inline std::vector<Byte> ThreeFrameGif() {
    std::vector<Byte> Bytes = {'G',  'I', 'F', '8',  '9', 'a', 2, 0, 1,   0,
                               0x80, 0,   0,   0xFF, 0,   0,   0, 0, 0xFF}; // red, blue
    const struct { Byte Packed, Delay, Left; } Frames[] = {{0x09, 10, 0}, {0x00, 20, 1}, {0x00, 10, 0}};
    for (const auto& Frame : Frames) {
        const std::vector<Byte> Part = {0x21,        0xF9,       0x04, Frame.Packed,
                                        Frame.Delay, 0,          1,    0, // control
                                        0x2C,        Frame.Left, 0,    0,
                                        0,           1,          0,    1,
                                        0,           0, // descriptor
                                        0x02,        0x02,       0x44, 0x01,
                                        0x00}; // one pixel
        Bytes.insert(Bytes.end(), Part.begin(), Part.end());
    }
    Bytes.push_back(0x3B);
    return Bytes;
}

// A stream holding the bytes, positioned at its start.
inline std::unique_ptr<TMemoryStream> StreamOf(const std::vector<Byte>& ABytes) {
    auto Stream = std::make_unique<TMemoryStream>();
    Stream->Write(ABytes.data(), Int64(ABytes.size()));
    Stream->SetPosition(0);
    return Stream;
}
