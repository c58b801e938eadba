#pragma once
// Comparing the SVG engine's drawing of a document with a reference
// renderer's PNG of the same document at the same size. Both are composited
// over white; a pixel differs when any channel is more than PixelTolerance
// apart, and a drawing is within tolerance when no more than
// ShareTolerance of its pixels differ.

#include "graphics/Graphic.h"
#include "graphics/Picture.h"
#include "kel/KelGraphicsSVGEngine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace svgreference {

constexpr int PixelTolerance = 48;
constexpr double ShareTolerance = 0.02;

struct TComparison {
    bool Drawn = false;        // the engine produced a picture of the reference's size
    double DifferingShare = 1; // share of pixels that differ
    double MeanDifference = 1; // mean channel difference, 0 to 1
    bool WithinTolerance() const { return Drawn && DifferingShare <= ShareTolerance; }
};

inline std::uint32_t OverWhite(std::uint32_t AArgb) {
    const unsigned A = AArgb >> 24;
    auto Channel = [&](int AShift) {
        const unsigned C = (AArgb >> AShift) & 0xFF;
        return (C * A + 255 * (255 - A) + 127) / 255;
    };
    return (Channel(16) << 16) | (Channel(8) << 8) | Channel(0);
}

inline TComparison Compare(const TDecodedImage& AOurs, const TDecodedImage& AReference) {
    TComparison Result;
    if (AOurs.Width != AReference.Width || AOurs.Height != AReference.Height || AOurs.Width == 0) return Result;
    Result.Drawn = true;
    long Differing = 0;
    double Sum = 0;
    for (Integer Y = 0; Y < AOurs.Height; ++Y)
        for (Integer X = 0; X < AOurs.Width; ++X) {
            const std::uint32_t A = OverWhite(AOurs.Pixel(X, Y)), B = OverWhite(AReference.Pixel(X, Y));
            int Worst = 0;
            for (int Shift : {0, 8, 16}) {
                const int D = std::abs(int((A >> Shift) & 0xFF) - int((B >> Shift) & 0xFF));
                Worst = std::max(Worst, D);
                Sum += D;
            }
            if (Worst > PixelTolerance) ++Differing;
        }
    const double Count = double(AOurs.Width) * AOurs.Height;
    Result.DifferingShare = Differing / Count;
    Result.MeanDifference = Sum / (Count * 3 * 255);
    return Result;
}

// The engine's drawing of the document in the file at ASize x ASize pixels.
inline TDecodedImage Render(const String& AFile, Integer ASize) {
    TKelGraphicsSVGImport Engine;
    Engine.LoadFromFile(AFile);
    TKelBitmap* Picture = Engine.GenerateBitmap(Single(ASize), Single(ASize));
    if (!Picture) return {};
    auto* Raster = dynamic_cast<TRasterGraphic*>(Picture->Graphic());
    return Raster ? Raster->Pixels() : TDecodedImage{};
}

inline TDecodedImage LoadPNG(const String& AFile) {
    TPicture Picture;
    Picture.LoadFromFile(AFile);
    auto* Raster = dynamic_cast<TRasterGraphic*>(Picture.Graphic());
    return Raster ? Raster->Pixels() : TDecodedImage{};
}

} // namespace svgreference
