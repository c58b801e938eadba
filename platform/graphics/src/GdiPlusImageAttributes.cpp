#include "graphics/GdiPlusImage.h"

#include "GdiPlusNative.h"
#include "graphics/ImageCodecs.h"

#include <algorithm>
#include <cmath>

using detail::GpColorAdjust;
using detail::GpImageAttributes;

namespace detail {

const GpColorAdjust& GpImageAttributes::For(ColorAdjustType type) const {
    if (type > ColorAdjustTypeDefault && type < ColorAdjustTypeCount && Adjust[type].Any()) return Adjust[type];
    return Adjust[ColorAdjustTypeDefault];
}

ARGB AdjustColor(ARGB color, const GpColorAdjust& adjust) {
    if (adjust.NoOp) return color;
    for (const ColorMap& entry : adjust.Remap)
        if (entry.oldColor == color) {
            color = entry.newColor;
            break;
        }
    auto within = [](unsigned v, unsigned lo, unsigned hi) { return v >= lo && v <= hi; };
    if (adjust.ColorKeyEnabled && within(ARGBRed(color), ARGBRed(adjust.KeyLow), ARGBRed(adjust.KeyHigh)) &&
        within(ARGBGreen(color), ARGBGreen(adjust.KeyLow), ARGBGreen(adjust.KeyHigh)) &&
        within(ARGBBlue(color), ARGBBlue(adjust.KeyLow), ARGBBlue(adjust.KeyHigh)))
        return 0;
    double c[4] = {ARGBRed(color) / 255.0, ARGBGreen(color) / 255.0, ARGBBlue(color) / 255.0,
                   ARGBAlpha(color) / 255.0};
    if (adjust.MatrixEnabled) {
        const bool gray = ARGBRed(color) == ARGBGreen(color) && ARGBGreen(color) == ARGBBlue(color);
        const bool skip = gray && adjust.MatrixFlags == ColorMatrixFlagsSkipGrays;
        if (!skip) {
            const ColorMatrix& m =
                gray && adjust.MatrixFlags == ColorMatrixFlagsAltGray ? adjust.GrayMatrix : adjust.Matrix;
            double out[4];
            for (int j = 0; j < 4; ++j) {
                out[j] = m.m[4][j];
                for (int i = 0; i < 4; ++i)
                    out[j] += c[i] * m.m[i][j];
            }
            std::copy(out, out + 4, c);
        }
    }
    for (double& v : c)
        v = std::clamp(v, 0.0, 1.0);
    if (adjust.ThresholdEnabled)
        for (int i = 0; i < 3; ++i)
            c[i] = c[i] > adjust.Threshold ? 1 : 0;
    if (adjust.GammaEnabled)
        for (int i = 0; i < 3; ++i)
            c[i] = std::pow(c[i], double(adjust.Gamma));
    if (adjust.OutputChannelEnabled && adjust.OutputChannel < ColorChannelFlagsLast) {
        // The amount of one ink of the CMYK separation, shown as a gray.
        const double k = 1 - std::max({c[0], c[1], c[2]});
        double amount = k;
        if (adjust.OutputChannel != ColorChannelFlagsK)
            amount = k >= 1 ? 0 : (1 - c[adjust.OutputChannel] - k) / (1 - k);
        c[0] = c[1] = c[2] = 1 - amount;
    }
    auto byte = [](double v) { return Byte(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return ComposeARGB(byte(c[3]), byte(c[0]), byte(c[1]), byte(c[2]));
}

cairo_surface_t* AdjustImage(cairo_surface_t* source, const GpImageAttributes& attributes, ColorAdjustType type) {
    TDecodedImage image;
    DecodedFromSurface(source, image);
    const GpColorAdjust& adjust = attributes.For(type);
    for (auto& p : image.Pixels)
        p = AdjustColor(p, adjust);
    return SurfaceFromDecoded(image);
}

} // namespace detail

TGPImageAttributes::TGPImageAttributes() : nativeImageAttr(new GpImageAttributes) {}

TGPImageAttributes::TGPImageAttributes(GpImageAttributes* native, Status status) : nativeImageAttr(native) {
    lastResult = status;
}

TGPImageAttributes::~TGPImageAttributes() {
    delete nativeImageAttr;
}

TGPImageAttributes* TGPImageAttributes::Clone() {
    if (!nativeImageAttr) return SetStatus(InvalidParameter), new TGPImageAttributes(nullptr, lastResult);
    return new TGPImageAttributes(new GpImageAttributes(*nativeImageAttr), lastResult);
}

namespace {

// The settings of a category, or null for a category out of range.
GpColorAdjust* Category(GpImageAttributes* attributes, ColorAdjustType type) {
    if (!attributes || type < ColorAdjustTypeDefault || type >= ColorAdjustTypeCount) return nullptr;
    return &attributes->Adjust[type];
}

} // namespace

#define GP_ADJUST(type)                                                                                      \
    GpColorAdjust* adjust = Category(nativeImageAttr, type);                                                 \
    if (!adjust) return SetStatus(InvalidParameter)

Status TGPImageAttributes::SetToIdentity(ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->MatrixEnabled = false;
    return Ok;
}

Status TGPImageAttributes::Reset(ColorAdjustType type) {
    GP_ADJUST(type);
    *adjust = GpColorAdjust{};
    return Ok;
}

Status TGPImageAttributes::SetColorMatrix(const ColorMatrix* colorMatrix, ColorMatrixFlags mode,
                                         ColorAdjustType type) {
    GP_ADJUST(type);
    if (!colorMatrix || mode == ColorMatrixFlagsAltGray) return SetStatus(InvalidParameter);
    adjust->MatrixEnabled = true;
    adjust->Matrix = *colorMatrix;
    adjust->MatrixFlags = mode;
    return Ok;
}

Status TGPImageAttributes::ClearColorMatrix(ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->MatrixEnabled = false;
    return Ok;
}

Status TGPImageAttributes::SetColorMatrices(const ColorMatrix* colorMatrix, const ColorMatrix* grayMatrix,
                                           ColorMatrixFlags mode, ColorAdjustType type) {
    GP_ADJUST(type);
    if (!colorMatrix || (mode == ColorMatrixFlagsAltGray && !grayMatrix)) return SetStatus(InvalidParameter);
    adjust->MatrixEnabled = true;
    adjust->Matrix = *colorMatrix;
    if (grayMatrix) adjust->GrayMatrix = *grayMatrix;
    adjust->MatrixFlags = mode;
    return Ok;
}

Status TGPImageAttributes::ClearColorMatrices(ColorAdjustType type) {
    return ClearColorMatrix(type);
}

Status TGPImageAttributes::SetThreshold(Single threshold, ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->ThresholdEnabled = true;
    adjust->Threshold = threshold;
    return Ok;
}

Status TGPImageAttributes::ClearThreshold(ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->ThresholdEnabled = false;
    return Ok;
}

Status TGPImageAttributes::SetGamma(Single gamma, ColorAdjustType type) {
    GP_ADJUST(type);
    if (!(gamma >= 0.1f && gamma <= 5.0f)) return SetStatus(InvalidParameter);
    adjust->GammaEnabled = true;
    adjust->Gamma = gamma;
    return Ok;
}

Status TGPImageAttributes::ClearGamma(ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->GammaEnabled = false;
    return Ok;
}

Status TGPImageAttributes::SetNoOp(ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->NoOp = true;
    return Ok;
}

Status TGPImageAttributes::ClearNoOp(ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->NoOp = false;
    return Ok;
}

Status TGPImageAttributes::SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->ColorKeyEnabled = true;
    adjust->KeyLow = colorLow, adjust->KeyHigh = colorHigh;
    return Ok;
}

Status TGPImageAttributes::ClearColorKey(ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->ColorKeyEnabled = false;
    return Ok;
}

Status TGPImageAttributes::SetOutputChannel(ColorChannelFlags channelFlags, ColorAdjustType type) {
    GP_ADJUST(type);
    if (channelFlags < ColorChannelFlagsC || channelFlags >= ColorChannelFlagsLast) return SetStatus(InvalidParameter);
    adjust->OutputChannelEnabled = true;
    adjust->OutputChannel = channelFlags;
    return Ok;
}

Status TGPImageAttributes::ClearOutputChannel(ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->OutputChannelEnabled = false;
    adjust->OutputChannel = ColorChannelFlagsLast;
    return Ok;
}

Status TGPImageAttributes::SetOutputChannelColorProfile(const String&, ColorAdjustType type) {
    GP_ADJUST(type);
    return SetStatus(NotImplemented);
}

Status TGPImageAttributes::ClearOutputChannelColorProfile(ColorAdjustType type) {
    GP_ADJUST(type);
    return Ok;
}

Status TGPImageAttributes::SetRemapTable(Cardinal mapSize, const ColorMap* map, ColorAdjustType type) {
    GP_ADJUST(type);
    if (!map || mapSize == 0) return SetStatus(InvalidParameter);
    adjust->Remap.assign(map, map + mapSize);
    return Ok;
}

Status TGPImageAttributes::ClearRemapTable(ColorAdjustType type) {
    GP_ADJUST(type);
    adjust->Remap.clear();
    return Ok;
}

Status TGPImageAttributes::SetBrushRemapTable(Cardinal mapSize, const ColorMap* map) {
    return SetRemapTable(mapSize, map, ColorAdjustTypeBrush);
}

Status TGPImageAttributes::ClearBrushRemapTable() {
    return ClearRemapTable(ColorAdjustTypeBrush);
}

#undef GP_ADJUST

Status TGPImageAttributes::SetWrapMode(WrapMode wrap, ARGB color, bool clamp) {
    if (!nativeImageAttr || wrap < WrapModeTile || wrap > WrapModeClamp) return SetStatus(InvalidParameter);
    nativeImageAttr->Wrap = wrap;
    nativeImageAttr->WrapColor = clamp ? color : color;
    return Ok;
}

Status TGPImageAttributes::GetAdjustedPalette(ColorPalette* colorPalette, ColorAdjustType type) {
    if (!nativeImageAttr || !colorPalette || colorPalette->Count == 0 || type < ColorAdjustTypeDefault ||
        type >= ColorAdjustTypeCount)
        return SetStatus(InvalidParameter);
    const GpColorAdjust& adjust = nativeImageAttr->For(type);
    for (Cardinal i = 0; i < colorPalette->Count; ++i)
        colorPalette->Entries[i] = detail::AdjustColor(colorPalette->Entries[i], adjust);
    return Ok;
}
