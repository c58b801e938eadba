// Hatch and texture brushes: their patterns and their wrapper classes.

#include "graphics/GdiPlusBrush.h"
#include "graphics/GdiPlusImage.h"

#include "GdiPlusNative.h"

#include <array>
#include <cmath>
#include <numbers>
#include <string>

using detail::GpBrush;

namespace {

using TRows = std::array<std::string, 8>;

TRows FromRule(bool (*rule)(int x, int y)) {
    TRows rows;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            rows[std::size_t(y)] += rule(x, y) ? '#' : '.';
    return rows;
}

// The share of set pixels of the percentage styles comes from an ordered
// dither, so each denser pattern contains the lighter ones.
TRows Percent(int percent) {
    static const int bayer[8][8] = {{0, 32, 8, 40, 2, 34, 10, 42},   {48, 16, 56, 24, 50, 18, 58, 26},
                                     {12, 44, 4, 36, 14, 46, 6, 38},  {60, 28, 52, 20, 62, 30, 54, 22},
                                     {3, 35, 11, 43, 1, 33, 9, 41},   {51, 19, 59, 27, 49, 17, 57, 25},
                                     {15, 47, 7, 39, 13, 45, 5, 37},  {63, 31, 55, 23, 61, 29, 53, 21}};
    const int threshold = int(std::lround(percent * 64 / 100.0));
    TRows rows;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            rows[std::size_t(y)] += bayer[y][x] < threshold ? '#' : '.';
    return rows;
}

std::array<TRows, HatchStyleTotal> MakePatterns() {
    std::array<TRows, HatchStyleTotal> p;
    p[HatchStyleHorizontal] = FromRule([](int, int y) { return y == 0; });
    p[HatchStyleVertical] = FromRule([](int x, int) { return x == 0; });
    p[HatchStyleForwardDiagonal] = FromRule([](int x, int y) { return x == y; });
    p[HatchStyleBackwardDiagonal] = FromRule([](int x, int y) { return x + y == 7; });
    p[HatchStyleCross] = FromRule([](int x, int y) { return x == 0 || y == 0; });
    p[HatchStyleDiagonalCross] = FromRule([](int x, int y) { return x == y || x + y == 7; });
    const int percents[] = {5, 10, 20, 25, 30, 40, 50, 60, 70, 75, 80, 90};
    for (int i = 0; i < 12; ++i)
        p[std::size_t(HatchStyle05Percent + i)] = Percent(percents[i]);
    p[HatchStyleLightDownwardDiagonal] = FromRule([](int x, int y) { return (x - y + 8) % 4 == 0; });
    p[HatchStyleLightUpwardDiagonal] = FromRule([](int x, int y) { return (x + y) % 4 == 3; });
    p[HatchStyleDarkDownwardDiagonal] = FromRule([](int x, int y) { return (x - y + 8) % 4 < 2; });
    p[HatchStyleDarkUpwardDiagonal] = FromRule([](int x, int y) { return (x + y) % 4 >= 2; });
    p[HatchStyleWideDownwardDiagonal] = FromRule([](int x, int y) { return (x - y + 8) % 8 < 3; });
    p[HatchStyleWideUpwardDiagonal] = FromRule([](int x, int y) { return (x + y) % 8 >= 5; });
    p[HatchStyleLightVertical] = FromRule([](int x, int) { return x % 4 == 0; });
    p[HatchStyleLightHorizontal] = FromRule([](int, int y) { return y % 4 == 0; });
    p[HatchStyleNarrowVertical] = FromRule([](int x, int) { return x % 2 == 0; });
    p[HatchStyleNarrowHorizontal] = FromRule([](int, int y) { return y % 2 == 0; });
    p[HatchStyleDarkVertical] = FromRule([](int x, int) { return x % 4 < 2; });
    p[HatchStyleDarkHorizontal] = FromRule([](int, int y) { return y % 4 < 2; });
    p[HatchStyleDashedDownwardDiagonal] =
        FromRule([](int x, int y) { return y >= 2 && y <= 5 && (x - y + 8) % 4 == 2; });
    p[HatchStyleDashedUpwardDiagonal] =
        FromRule([](int x, int y) { return y >= 2 && y <= 5 && (x + y) % 4 == 1; });
    p[HatchStyleDashedHorizontal] =
        FromRule([](int x, int y) { return (y == 0 && x < 4) || (y == 4 && x >= 4); });
    p[HatchStyleDashedVertical] = FromRule([](int x, int y) { return (x == 0 && y < 4) || (x == 4 && y >= 4); });
    p[HatchStyleSmallConfetti] = {"#.......", "....#...", "..#.....", ".......#",
                                  "...#....", "......#.", ".#......", ".....#.."};
    p[HatchStyleLargeConfetti] = {"##....#.", "##..##..", "....##..", ".##....#",
                                  ".##..#..", "......##", "#..#..##", "...#...."};
    p[HatchStyleZigZag] = {"#......#", ".#....#.", "..#..#..", "...##...",
                           "#......#", ".#....#.", "..#..#..", "...##..."};
    p[HatchStyleWave] = {"........", "...##...", "..#..#..", "##....##",
                         "........", "........", "........", "........"};
    p[HatchStyleDiagonalBrick] = {".......#", "......#.", ".....#..", "....#...",
                                  "...##...", "..#..#..", ".#....#.", "#......#"};
    p[HatchStyleHorizontalBrick] = {"########", "#.......", "#.......", "#.......",
                                    "########", "....#...", "....#...", "....#..."};
    p[HatchStyleWeave] = {"#...#...", ".#.#.#..", "..#...#.", ".#.#...#",
                          "#...#...", "...#.#.#", "..#...#.", ".#...#.#"};
    p[HatchStylePlaid] = {"#.#.#.#.", ".#.#.#.#", "#.#.#.#.", ".#.#.#.#",
                          "####....", "####....", "####....", "####...."};
    p[HatchStyleDivot] = {"........", "...#....", "....#...", "...#....",
                          "........", "#.......", ".......#", "#......."};
    p[HatchStyleDottedGrid] = {"#.#.#.#.", "........", "#.......", "........",
                               "#.......", "........", "#.......", "........"};
    p[HatchStyleDottedDiamond] = {"#.......", "........", "..#...#.", "........",
                                  "....#...", "........", "..#...#.", "........"};
    p[HatchStyleShingle] = {"......##", "#....#..", ".#..#...", "..##....",
                            "....#...", ".....#..", "......#.", ".......#"};
    p[HatchStyleTrellis] = {"####....", ".##..##.", "....####", ".##..##.",
                            "####....", ".##..##.", "....####", ".##..##."};
    p[HatchStyleSphere] = {"..####..", ".#....#.", "#......#", "#.##...#",
                           "#.##...#", "#......#", ".#....#.", "..####.."};
    p[HatchStyleSmallGrid] = FromRule([](int x, int y) { return x % 4 == 0 || y % 4 == 0; });
    p[HatchStyleSmallCheckerBoard] = FromRule([](int x, int y) { return (x / 2 + y / 2) % 2 == 0; });
    p[HatchStyleLargeCheckerBoard] = FromRule([](int x, int y) { return (x / 4 + y / 4) % 2 == 0; });
    p[HatchStyleOutlinedDiamond] = FromRule([](int x, int y) { return x == y || x == (8 - y) % 8; });
    p[HatchStyleSolidDiamond] = {"...#....", "..###...", ".#####..", "#######.",
                                 ".#####..", "..###...", "...#....", "........"};
    return p;
}

const TRows& HatchRows(HatchStyle style) {
    static const std::array<TRows, HatchStyleTotal> patterns = MakePatterns();
    return patterns[std::size_t(style)];
}

std::uint32_t Premultiplied(ARGB c) {
    const unsigned a = ARGBAlpha(c);
    auto pre = [a](unsigned v) { return (v * a + 127) / 255; };
    return (a << 24) | (pre(ARGBRed(c)) << 16) | (pre(ARGBGreen(c)) << 8) | pre(ARGBBlue(c));
}

// A copy of the surface mirrored across its right (flipX) and bottom
// (flipY) edges, so a plain repeat of it flips every other tile.
cairo_surface_t* MirroredTile(cairo_surface_t* source, bool flipX, bool flipY) {
    const int w = cairo_image_surface_get_width(source), h = cairo_image_surface_get_height(source);
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, flipX ? 2 * w : w, flipY ? 2 * h : h);
    cairo_t* cr = cairo_create(tile);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    for (int i = 0; i < (flipX ? 2 : 1); ++i)
        for (int j = 0; j < (flipY ? 2 : 1); ++j) {
            cairo_save(cr);
            cairo_translate(cr, i ? 2.0 * w : 0, j ? 2.0 * h : 0);
            cairo_scale(cr, i ? -1 : 1, j ? -1 : 1);
            cairo_set_source_surface(cr, source, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
            cairo_rectangle(cr, 0, 0, w, h);
            cairo_fill(cr);
            cairo_restore(cr);
        }
    cairo_destroy(cr);
    return tile;
}

} // namespace

namespace detail {

cairo_pattern_t* HatchPattern(const GpBrush& brush, cairo_t* cr, TGPPoint origin) {
    cairo_surface_t* tile = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cairo_surface_flush(tile);
    unsigned char* data = cairo_image_surface_get_data(tile);
    const int stride = cairo_image_surface_get_stride(tile);
    const TRows& rows = HatchRows(brush.Hatch);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            reinterpret_cast<std::uint32_t*>(data + y * stride)[x] =
                Premultiplied(rows[std::size_t(y)][std::size_t(x)] == '#' ? brush.Fore : brush.Back);
    cairo_surface_mark_dirty(tile);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile);
    cairo_surface_destroy(tile);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    // Pattern space is device pixels counted from the rendering origin.
    cairo_matrix_t userToPattern;
    if (cr)
        cairo_get_matrix(cr, &userToPattern);
    else
        cairo_matrix_init_identity(&userToPattern);
    cairo_matrix_t shift;
    cairo_matrix_init_translate(&shift, -origin.X, -origin.Y);
    userToPattern = Then(userToPattern, shift);
    cairo_pattern_set_matrix(pattern, &userToPattern);
    return pattern;
}

cairo_pattern_t* TexturePattern(const GpBrush& brush) {
    cairo_surface_t* source = brush.Texture.get();
    cairo_surface_t* tile = nullptr;
    cairo_extend_t extend = CAIRO_EXTEND_REPEAT;
    switch (brush.Wrap) {
    case WrapModeTileFlipX:
        tile = MirroredTile(source, true, false);
        break;
    case WrapModeTileFlipY:
        tile = MirroredTile(source, false, true);
        break;
    case WrapModeTileFlipXY:
        tile = MirroredTile(source, true, true);
        break;
    case WrapModeClamp:
        extend = CAIRO_EXTEND_NONE;
        break;
    default:
        break;
    }
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(tile ? tile : source);
    if (tile) cairo_surface_destroy(tile);
    cairo_pattern_set_extend(pattern, extend);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_matrix_t userToBrush = brush.Transform;
    if (cairo_matrix_invert(&userToBrush) != CAIRO_STATUS_SUCCESS) cairo_matrix_init_identity(&userToBrush);
    cairo_pattern_set_matrix(pattern, &userToBrush);
    return pattern;
}

} // namespace detail

// ---- TGPHatchBrush ----

TGPHatchBrush::TGPHatchBrush() : TGPBrush(nullptr, Ok) {}

TGPHatchBrush::TGPHatchBrush(HatchStyle hatchStyle, ARGB foreColor, ARGB backColor) {
    if (hatchStyle < HatchStyleMin || hatchStyle > HatchStyleMax) {
        lastResult = InvalidParameter;
        return;
    }
    nativeBrush = new GpBrush;
    nativeBrush->Type = BrushTypeHatchFill;
    nativeBrush->Hatch = hatchStyle;
    nativeBrush->Fore = foreColor;
    nativeBrush->Back = backColor;
    lastResult = Ok;
}

HatchStyle TGPHatchBrush::GetHatchStyle() {
    if (!nativeBrush) return SetStatus(InvalidParameter), HatchStyleHorizontal;
    return nativeBrush->Hatch;
}

Status TGPHatchBrush::GetForegroundColor(ARGB& color) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    color = nativeBrush->Fore;
    return Ok;
}

Status TGPHatchBrush::GetBackgroundColor(ARGB& color) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    color = nativeBrush->Back;
    return Ok;
}

// ---- TGPTextureBrush ----

TGPTextureBrush::TGPTextureBrush() : TGPBrush(nullptr, Ok) {}

namespace {

// The part of the image (whole pixels) as a surface of its own; null for a
// part outside the image.
cairo_surface_t* ImagePart(TGPImage* image, const TGPRectF* part, const TGPImageAttributes* attributes) {
    if (!image || !image->nativeImage) return nullptr;
    cairo_surface_t* surface = image->nativeImage->Surface();
    const int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    int x = 0, y = 0, pw = w, ph = h;
    if (part) {
        x = int(std::lround(part->X)), y = int(std::lround(part->Y));
        pw = int(std::lround(part->Width)), ph = int(std::lround(part->Height));
        if (x < 0 || y < 0 || pw <= 0 || ph <= 0 || x + pw > w || y + ph > h) return nullptr;
    }
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, pw, ph);
    cairo_t* cr = cairo_create(copy);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, surface, -x, -y);
    cairo_paint(cr);
    cairo_destroy(cr);
    if (attributes && attributes->nativeImageAttr) {
        cairo_surface_t* adjusted = detail::AdjustImage(copy, *attributes->nativeImageAttr, ColorAdjustTypeBitmap);
        cairo_surface_destroy(copy);
        copy = adjusted;
    }
    return copy;
}

GpBrush* NewTexture(cairo_surface_t* surface, WrapMode wrapMode) {
    auto* brush = new GpBrush;
    brush->Type = BrushTypeTextureFill;
    brush->Wrap = wrapMode;
    brush->Texture.reset(surface, cairo_surface_destroy);
    return brush;
}

} // namespace

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode) {
    cairo_surface_t* surface = ImagePart(image, nullptr, nullptr);
    if (!surface) {
        lastResult = InvalidParameter;
        return;
    }
    nativeBrush = NewTexture(surface, wrapMode);
    lastResult = Ok;
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRectF& dstRect) {
    cairo_surface_t* surface = ImagePart(image, &dstRect, nullptr);
    if (!surface) {
        lastResult = InvalidParameter;
        return;
    }
    nativeBrush = NewTexture(surface, wrapMode);
    lastResult = Ok;
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, const TGPRectF& dstRect, const TGPImageAttributes* attributes) {
    cairo_surface_t* surface = ImagePart(image, &dstRect, attributes);
    if (!surface) {
        lastResult = InvalidParameter;
        return;
    }
    WrapMode wrap = WrapModeTile;
    if (attributes && attributes->nativeImageAttr) wrap = attributes->nativeImageAttr->Wrap;
    nativeBrush = NewTexture(surface, wrap);
    lastResult = Ok;
}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, const TGPRect& r, const TGPImageAttributes* attributes)
    : TGPTextureBrush(image, TGPRectF{Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height)}, attributes) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, const TGPRect& r)
    : TGPTextureBrush(image, wrapMode, TGPRectF{Single(r.X), Single(r.Y), Single(r.Width), Single(r.Height)}) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, Single x, Single y, Single w, Single h)
    : TGPTextureBrush(image, wrapMode, TGPRectF{x, y, w, h}) {}

TGPTextureBrush::TGPTextureBrush(TGPImage* image, WrapMode wrapMode, Integer x, Integer y, Integer w, Integer h)
    : TGPTextureBrush(image, wrapMode, TGPRectF{Single(x), Single(y), Single(w), Single(h)}) {}

Status TGPTextureBrush::SetTransform(const TGPMatrix* matrix) {
    if (!nativeBrush || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    nativeBrush->Transform = matrix->nativeMatrix->Value;
    return Ok;
}

Status TGPTextureBrush::GetTransform(TGPMatrix* matrix) {
    if (!nativeBrush || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    matrix->nativeMatrix->Value = nativeBrush->Transform;
    return Ok;
}

Status TGPTextureBrush::ResetTransform() {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    cairo_matrix_init_identity(&nativeBrush->Transform);
    return Ok;
}

Status TGPTextureBrush::MultiplyTransform(const TGPMatrix* matrix, MatrixOrder order) {
    if (!nativeBrush || !matrix || !matrix->nativeMatrix) return SetStatus(InvalidParameter);
    detail::Combine(nativeBrush->Transform, matrix->nativeMatrix->Value, order);
    return Ok;
}

Status TGPTextureBrush::TranslateTransform(Single dx, Single dy, MatrixOrder order) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, dx, dy);
    detail::Combine(nativeBrush->Transform, m, order);
    return Ok;
}

Status TGPTextureBrush::ScaleTransform(Single sx, Single sy, MatrixOrder order) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, sx, sy);
    detail::Combine(nativeBrush->Transform, m, order);
    return Ok;
}

Status TGPTextureBrush::RotateTransform(Single angle, MatrixOrder order) {
    if (!nativeBrush) return SetStatus(InvalidParameter);
    cairo_matrix_t m;
    cairo_matrix_init_rotate(&m, angle * std::numbers::pi / 180.0);
    detail::Combine(nativeBrush->Transform, m, order);
    return Ok;
}

Status TGPTextureBrush::SetWrapMode(WrapMode wrapMode) {
    if (!nativeBrush || wrapMode < WrapModeTile || wrapMode > WrapModeClamp) return SetStatus(InvalidParameter);
    nativeBrush->Wrap = wrapMode;
    return Ok;
}

WrapMode TGPTextureBrush::GetWrapMode() {
    if (!nativeBrush) return SetStatus(InvalidParameter), WrapModeTile;
    return nativeBrush->Wrap;
}

TGPImage* TGPTextureBrush::GetImage() {
    if (!nativeBrush || !nativeBrush->Texture) return SetStatus(InvalidParameter), nullptr;
    return detail::ImageOfSurface(nativeBrush->Texture.get());
}
