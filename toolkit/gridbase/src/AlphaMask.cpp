// Alpha mask and Gaussian blur of the focus frame.

#include "gridbase/AlphaMask.h"

#include "graphics/Canvas.h"
#include "rtl/ClassBuilder.h"
#include "rtl/Exception.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// The surface keeps every pixel as 32-bit BGRA; a 24-bit bitmap uses B, G, R
// and keeps alpha opaque.
using TPixel = std::uint32_t;

Byte Channel(TPixel P, Integer Shift) {
    return Byte((P >> Shift) & 0xFF);
}

TPixel* Row(TBitmap* Bitmap, Integer Y) {
    return static_cast<TPixel*>(Bitmap->ScanLine(Y));
}

struct TKernel {
    Integer Size = 0;
    double Weights[21] = {}; // index k + 10 for k = -10..10
    double W(Integer K) const { return Weights[K + 10]; }
};

TKernel MakeKernel(double Radius) {
    TKernel K;
    double Sum = 0;
    for (Integer J = -10; J <= 10; ++J) {
        const double X = J / Radius;
        K.Weights[J + 10] = std::exp(-X * X / 2);
        Sum += K.Weights[J + 10];
    }
    for (double& W : K.Weights)
        W /= Sum;
    // Drop the tail that changes no grey level.
    const double Delta = 1.0 / 510;
    double Tail = 0;
    Integer J = 10;
    while (Tail < Delta && J > 1) {
        Tail += 2 * K.W(J);
        --J;
    }
    K.Size = J;
    Sum = 0;
    for (Integer I = -K.Size; I <= K.Size; ++I)
        Sum += K.W(I);
    for (Integer I = -K.Size; I <= K.Size; ++I)
        K.Weights[I + 10] /= Sum;
    return K;
}

// Blurs one line of N pixels (edge pixels repeat) through Work.
void BlurLine(const TKernel& K, TPixel* Line, Integer N, std::vector<TPixel>& Work) {
    for (Integer P = 0; P < N; ++P) {
        double B = 0, G = 0, R = 0;
        for (Integer I = -K.Size; I <= K.Size; ++I) {
            const TPixel Src = Line[TrimInt(0, N - 1, P - I)];
            const double W = K.W(I);
            B += W * Channel(Src, 0);
            G += W * Channel(Src, 8);
            R += W * Channel(Src, 16);
        }
        // Truncated, with a hair of slack so that a sum of 255s stays 255
        // whatever the rounding of the normalised weights.
        auto Clamp = [](double V) { return TPixel(std::clamp(V + 1e-9, 0.0, 255.0)); };
        Work[P] = 0xFF000000u | (Clamp(R) << 16) | (Clamp(G) << 8) | Clamp(B);
    }
    std::copy(Work.begin(), Work.begin() + N, Line);
}

} // namespace

Integer TrimInt(Integer Lower, Integer Upper, Integer Value) {
    if (Value > Upper) return Upper;
    if (Value < Lower) return Lower;
    return Value;
}

const TClassInfo& TGridAlphaMask::StaticClassInfo() {
    static const TClassInfo Info = TClassBuilder<TGridAlphaMask, TBitmap>().Build();
    return Info;
}

TGridAlphaMask::TGridAlphaMask() {
    SetPixelFormat(pf32bit);
}

void TGridAlphaMask::MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor) {
    if (!Mask || !Bitmap || Bitmap->PixelFormat() != pf24bit) return;
    // A mask that does not cover the picture would be read past its end.
    if (Mask->PixelFormat() != pf24bit || Mask->Width() < Bitmap->Width() || Mask->Height() < Bitmap->Height())
        return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    SetSize(W, H);
    for (Integer Y = 0; Y < H; ++Y) {
        const TPixel* MaskRow = Row(Mask, Y);
        const TPixel* PictureRow = Row(Bitmap, Y);
        TPixel* Out = Row(this, Y);
        for (Integer X = 0; X < W; ++X) {
            const TPixel A = Channel(MaskRow[X], 16);
            auto Scale = [A](Byte C) { return TPixel(std::lround(A / 255.0 * C)); };
            const TPixel P = PictureRow[X];
            Out[X] = (A << 24) | (Scale(Channel(P, 16)) << 16) | (Scale(Channel(P, 8)) << 8) | Scale(Channel(P, 0));
        }
    }
    Changed();
}

void TGridAlphaMask::Assign(const TPersistent* Source) {
    if (const auto* Other = dynamic_cast<const TGridAlphaMask*>(Source)) {
        FOpacity = Other->FOpacity;
        auto* From = const_cast<TGridAlphaMask*>(Other);
        const Integer Rows = std::min(Height(), From->Height()), Cols = std::min(Width(), From->Width());
        for (Integer Y = 0; Y < Rows; ++Y)
            std::copy_n(Row(From, Y), Cols, Row(this, Y));
        Changed();
    } else {
        TBitmap::Assign(Source);
    }
    SetPixelFormat(pf32bit);
}

void MakeRoundRectMask(TBitmap* Bitmap, Integer Width, Integer Height, Integer PenWidth, Integer Corner,
                       double Radius) {
    Bitmap->SetPixelFormat(pf24bit);
    Bitmap->SetSize(Width, Height);
    TCanvas* C = Bitmap->Canvas();
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clBlack);
    C->FillRect({0, 0, Width, Height});
    const Integer H = PenWidth / 2;
    if (PenWidth < 1) {
        C->Pen()->SetColor(clWhite);
        C->Pen()->SetWidth(1);
        C->Brush()->SetColor(clWhite);
    } else {
        C->Pen()->SetColor(clWhite);
        C->Pen()->SetWidth(PenWidth);
        C->Brush()->SetColor(clBlack);
    }
    C->RoundRect(H + 2, H + 2, Width - H - 2, Height - H - 2, Corner, Corner);
    if (Radius > 0) GaussianBlur24(Bitmap, Radius);
}

void GaussianBlur24(TBitmap* Bitmap, double Radius) {
    if (!Bitmap || Bitmap->PixelFormat() != pf24bit) throw Exception(u"Blur only works for 24-bit bitmaps");
    // A radius of zero or less has no kernel: the bitmap stays as it is.
    if (!(Radius > 0)) return;
    const Integer W = Bitmap->Width(), H = Bitmap->Height();
    if (W <= 0 || H <= 0) return;
    const TKernel K = MakeKernel(Radius);
    std::vector<TPixel*> Rows(H);
    for (Integer Y = 0; Y < H; ++Y)
        Rows[Y] = Row(Bitmap, Y);
    std::vector<TPixel> Work(std::max(W, H)), Column(H);

    for (Integer Y = 0; Y < H; ++Y) {
        if (Y <= 20 || Y >= H - 20)
            BlurLine(K, Rows[Y], W, Work);
        else
            std::copy_n(Rows[15], W, Rows[Y]);
    }
    for (Integer X = 0; X < W; ++X) {
        if (X <= 20 || X >= W - 20) {
            for (Integer Y = 0; Y < H; ++Y)
                Column[Y] = Rows[Y][X];
            BlurLine(K, Column.data(), H, Work);
            for (Integer Y = 0; Y < H; ++Y)
                Rows[Y][X] = Column[Y];
        } else {
            for (Integer Y = 0; Y < H; ++Y)
                Rows[Y][X] = Rows[Y][15];
        }
    }
}
