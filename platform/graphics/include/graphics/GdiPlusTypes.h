#pragma once
// The vocabulary of the GDI+-style 2-D classes: status codes, records,
// enumerations under their GDI+ names and values, ARGB colours and the base
// class of every wrapper object with its status rule.

#include "rtl/Object.h"
#include "rtl/Types.h"

#include <cstdint>

enum Status : Integer {
    Ok = 0,
    GenericError = 1,
    InvalidParameter = 2,
    OutOfMemory = 3,
    ObjectBusy = 4,
    InsufficientBuffer = 5,
    NotImplemented = 6,
    Win32Error = 7,
    WrongState = 8,
    Aborted = 9,
    FileNotFound = 10,
    ValueOverflow = 11,
    AccessDenied = 12,
    UnknownImageFormat = 13,
    FontFamilyNotFound = 14,
    FontStyleNotFound = 15,
    NotTrueTypeFont = 16,
    UnsupportedGdiplusVersion = 17,
    GdiplusNotInitialized = 18,
    PropertyNotFound = 19,
    PropertyNotSupported = 20,
};
using TStatus = Status;

// Alpha in bits 24-31, red 16-23, green 8-15, blue 0-7.
using ARGB = Cardinal;

struct TGPPointF {
    Single X = 0, Y = 0;
};
struct TGPPoint {
    Integer X = 0, Y = 0;
};
struct TGPRectF {
    Single X = 0, Y = 0, Width = 0, Height = 0;
};
struct TGPRect {
    Integer X = 0, Y = 0, Width = 0, Height = 0;
};
struct TGPSizeF {
    Single Width = 0, Height = 0;
};

enum FillMode : Integer { FillModeAlternate, FillModeWinding };
enum Unit_ : Integer { UnitWorld, UnitDisplay, UnitPixel, UnitPoint, UnitInch, UnitDocument, UnitMillimeter };
enum DashStyle : Integer {
    DashStyleSolid,
    DashStyleDash,
    DashStyleDot,
    DashStyleDashDot,
    DashStyleDashDotDot,
    DashStyleCustom
};
enum WrapMode : Integer {
    WrapModeTile,
    WrapModeTileFlipX,
    WrapModeTileFlipY,
    WrapModeTileFlipXY,
    WrapModeClamp
};
enum LinearGradientMode : Integer {
    LinearGradientModeHorizontal,
    LinearGradientModeVertical,
    LinearGradientModeForwardDiagonal,
    LinearGradientModeBackwardDiagonal
};
enum CombineMode : Integer {
    CombineModeReplace,
    CombineModeIntersect,
    CombineModeUnion,
    CombineModeXor,
    CombineModeExclude,
    CombineModeComplement
};
enum MatrixOrder : Integer { MatrixOrderPrepend, MatrixOrderAppend };
enum TextRenderingHint : Integer {
    TextRenderingHintSystemDefault,
    TextRenderingHintSingleBitPerPixelGridFit,
    TextRenderingHintSingleBitPerPixel,
    TextRenderingHintAntiAliasGridFit,
    TextRenderingHintAntiAlias,
    TextRenderingHintClearTypeGridFit
};
enum StringAlignment : Integer { StringAlignmentNear, StringAlignmentCenter, StringAlignmentFar };
enum StringTrimming : Integer {
    StringTrimmingNone,
    StringTrimmingCharacter,
    StringTrimmingWord,
    StringTrimmingEllipsisCharacter,
    StringTrimmingEllipsisWord,
    StringTrimmingEllipsisPath
};
enum HotkeyPrefix : Integer { HotkeyPrefixNone, HotkeyPrefixShow, HotkeyPrefixHide };
enum SmoothingMode : Integer {
    SmoothingModeInvalid = -1,
    SmoothingModeDefault,
    SmoothingModeHighSpeed,
    SmoothingModeHighQuality,
    SmoothingModeNone,
    SmoothingModeAntiAlias
};
enum PixelOffsetMode : Integer {
    PixelOffsetModeInvalid = -1,
    PixelOffsetModeDefault,
    PixelOffsetModeHighSpeed,
    PixelOffsetModeHighQuality,
    PixelOffsetModeNone,
    PixelOffsetModeHalf
};
enum CompositingQuality : Integer {
    CompositingQualityInvalid = -1,
    CompositingQualityDefault,
    CompositingQualityHighSpeed,
    CompositingQualityHighQuality,
    CompositingQualityGammaCorrected,
    CompositingQualityAssumeLinear
};
enum InterpolationMode : Integer {
    InterpolationModeInvalid = -1,
    InterpolationModeDefault,
    InterpolationModeLowQuality,
    InterpolationModeHighQuality,
    InterpolationModeBilinear,
    InterpolationModeBicubic,
    InterpolationModeNearestNeighbor,
    InterpolationModeHighQualityBilinear,
    InterpolationModeHighQualityBicubic
};
enum LineCap : Integer { LineCapFlat = 0, LineCapSquare = 1, LineCapRound = 2, LineCapTriangle = 3 };
enum DashCap : Integer { DashCapFlat = 0, DashCapRound = 2, DashCapTriangle = 3 };
enum LineJoin : Integer { LineJoinMiter, LineJoinBevel, LineJoinRound, LineJoinMiterClipped };
enum PenType : Integer {
    PenTypeSolidColor = 0,
    PenTypeHatchFill,
    PenTypeTextureFill,
    PenTypePathGradient,
    PenTypeLinearGradient,
    PenTypeUnknown = -1
};
enum BrushType : Integer {
    BrushTypeSolidColor,
    BrushTypeHatchFill,
    BrushTypeTextureFill,
    BrushTypePathGradient,
    BrushTypeLinearGradient
};
enum ImageType : Integer { ImageTypeUnknown, ImageTypeBitmap, ImageTypeMetafile };
enum ColorAdjustType : Integer {
    ColorAdjustTypeDefault,
    ColorAdjustTypeBitmap,
    ColorAdjustTypeBrush,
    ColorAdjustTypePen,
    ColorAdjustTypeText,
    ColorAdjustTypeCount,
    ColorAdjustTypeAny
};

// Font style bits.
enum : Integer {
    FontStyleRegular = 0,
    FontStyleBold = 1,
    FontStyleItalic = 2,
    FontStyleBoldItalic = 3,
    FontStyleUnderline = 4,
    FontStyleStrikeout = 8
};

// String format flags.
enum : Integer {
    StringFormatFlagsDirectionRightToLeft = 0x0001,
    StringFormatFlagsDirectionVertical = 0x0002,
    StringFormatFlagsNoFitBlackBox = 0x0004,
    StringFormatFlagsDisplayFormatControl = 0x0020,
    StringFormatFlagsNoFontFallback = 0x0400,
    StringFormatFlagsMeasureTrailingSpaces = 0x0800,
    StringFormatFlagsNoWrap = 0x1000,
    StringFormatFlagsLineLimit = 0x2000,
    StringFormatFlagsNoClip = 0x4000
};

// Pixel formats: bits 8-15 hold the depth; 0x10000 marks a palette, 0x40000
// an alpha channel.
using PixelFormat = Integer;
enum : PixelFormat {
    PixelFormatUndefined = 0,
    PixelFormatIndexed = 0x00010000,
    PixelFormatGDI = 0x00020000,
    PixelFormatAlpha = 0x00040000,
    PixelFormatPAlpha = 0x00080000,
    PixelFormat1bppIndexed = 0x00030101,
    PixelFormat4bppIndexed = 0x00030402,
    PixelFormat8bppIndexed = 0x00030803,
    PixelFormat16bppRGB555 = 0x00021005,
    PixelFormat24bppRGB = 0x00021808,
    PixelFormat32bppRGB = 0x00022009,
    PixelFormat32bppARGB = 0x0026200A,
    PixelFormat32bppPARGB = 0x000E200B
};

// The raw-format identifiers of decoded images.
struct TGUID {
    Cardinal D1 = 0;
    Word D2 = 0, D3 = 0;
    Byte D4[8] = {};
    friend bool operator==(const TGUID&, const TGUID&) = default;
};
// B96B3CAx-0728-11D3-9D7B-0000F81EF32E with x the format's own digit.
TGUID ImageFormatGuid(Cardinal head);
inline const TGUID ImageFormatUndefined = ImageFormatGuid(0xB96B3CA9);
inline const TGUID ImageFormatMemoryBMP = ImageFormatGuid(0xB96B3CAA);
inline const TGUID ImageFormatBMP = ImageFormatGuid(0xB96B3CAB);
inline const TGUID ImageFormatEMF = ImageFormatGuid(0xB96B3CAC);
inline const TGUID ImageFormatWMF = ImageFormatGuid(0xB96B3CAD);
inline const TGUID ImageFormatJPEG = ImageFormatGuid(0xB96B3CAE);
inline const TGUID ImageFormatPNG = ImageFormatGuid(0xB96B3CAF);
inline const TGUID ImageFormatGIF = ImageFormatGuid(0xB96B3CB0);
inline const TGUID ImageFormatTIFF = ImageFormatGuid(0xB96B3CB1);
inline const TGUID ImageFormatEXIF = ImageFormatGuid(0xB96B3CB2);
inline const TGUID ImageFormatIcon = ImageFormatGuid(0xB96B3CB5);

enum TGPImageFormat : Integer {
    ifUndefined,
    ifMemoryBMP,
    ifBMP,
    ifEMF,
    ifWMF,
    ifJPEG,
    ifPNG,
    ifGIF,
    ifTIFF,
    ifEXIF,
    ifIcon
};

// Colour and record builders.
constexpr ARGB ComposeARGB(Byte a, Byte r, Byte g, Byte b) {
    return (ARGB(a) << 24) | (ARGB(r) << 16) | (ARGB(g) << 8) | ARGB(b);
}
constexpr ARGB OpaqueARGB(Byte r, Byte g, Byte b) {
    return ComposeARGB(255, r, g, b);
}
constexpr Byte ARGBRed(ARGB c) {
    return Byte(c >> 16);
}
constexpr Byte ARGBGreen(ARGB c) {
    return Byte(c >> 8);
}
constexpr Byte ARGBBlue(ARGB c) {
    return Byte(c);
}
constexpr Byte ARGBAlpha(ARGB c) {
    return Byte(c >> 24);
}
// A TColor (system colours resolved; red in its low byte) with the alpha.
ARGB ColorToARGB(Byte alpha, TColor color);
ARGB ColorToOpaqueARGB(TColor color);
inline TGPPoint GPPoint(Integer x, Integer y) {
    return {x, y};
}
inline TGPPointF GPPointF(Single x, Single y) {
    return {x, y};
}
inline TGPRectF GPRectF(Single x, Single y, Single width, Single height) {
    return {x, y, width, height};
}

// The base of every wrapper object: the status field and its rule. A status
// other than Ok is kept until GetLastStatus reads and clears it.
class TGdiplusBase : public TObject {
public:
    Status GetLastStatus() {
        const Status s = lastResult;
        lastResult = Ok;
        return s;
    }

    Status lastResult = Ok;

protected:
    Status SetStatus(Status status) {
        if (status != Ok) lastResult = status;
        return status;
    }
};
