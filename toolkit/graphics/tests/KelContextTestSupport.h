#pragma once
// A small white bitmap with a drawing class on its canvas, and ways to look
// at what a drawing context left on it.

#include "graphics/Colors.h"
#include "graphics/Graphic.h"
#include "kel/KelGraphics.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TContextSurface {
    explicit TContextSurface(Integer AWidth = 20, Integer AHeight = 20) {
        Bitmap->SetSize(AWidth, AHeight);
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(Rect(0, 0, AWidth, AHeight));
    }
    TCanvas* Canvas() const { return Bitmap->Canvas(); }
    // Read from the pixels themselves: the canvas answers nothing outside its clip.
    TColor Pixel(Integer X, Integer Y) const {
        const auto* Row = static_cast<const std::uint8_t*>(Bitmap->ScanLine(Y));
        const std::uint8_t* P = Row + 4 * X; // blue, green, red, alpha
        return TColor(P[2]) | TColor(P[1]) << 8 | TColor(P[0]) << 16;
    }
    // One row per pixel row: '#' where the pixel is not white.
    std::vector<std::string> Mask() const {
        std::vector<std::string> Rows;
        for (Integer Y = 0; Y < Bitmap->Height(); ++Y) {
            std::string Row;
            for (Integer X = 0; X < Bitmap->Width(); ++X)
                Row += Pixel(X, Y) == clWhite ? '.' : '#';
            Rows.push_back(Row);
        }
        return Rows;
    }
    // The smallest rectangle round every pixel that is not white; empty when there is none.
    TRect Ink() const {
        TRect R{Bitmap->Width(), Bitmap->Height(), 0, 0};
        for (Integer Y = 0; Y < Bitmap->Height(); ++Y)
            for (Integer X = 0; X < Bitmap->Width(); ++X)
                if (Pixel(X, Y) != clWhite) {
                    R.Left = std::min(R.Left, X);
                    R.Top = std::min(R.Top, Y);
                    R.Right = std::max(R.Right, X + 1);
                    R.Bottom = std::max(R.Bottom, Y + 1);
                }
        return R.Right == 0 ? TRect{} : R;
    }

    std::unique_ptr<TBitmap> Bitmap = std::make_unique<TBitmap>();
    TKelGraphics Graphics{Bitmap->Canvas()};
};
