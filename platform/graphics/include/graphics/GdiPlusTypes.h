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

enum LineCapAnchor : Integer {
    LineCapNoAnchor = 0x10,
    LineCapSquareAnchor = 0x11,
    LineCapRoundAnchor = 0x12,
    LineCapDiamondAnchor = 0x13,
    LineCapArrowAnchor = 0x14,
    LineCapCustom = 0xFF,
    LineCapAnchorMask = 0xF0
};
enum CustomLineCapType : Integer { CustomLineCapTypeDefault, CustomLineCapTypeAdjustableArrow };

enum HatchStyle : Integer {
    HatchStyleHorizontal,
    HatchStyleVertical,
    HatchStyleForwardDiagonal,
    HatchStyleBackwardDiagonal,
    HatchStyleCross,
    HatchStyleDiagonalCross,
    HatchStyle05Percent,
    HatchStyle10Percent,
    HatchStyle20Percent,
    HatchStyle25Percent,
    HatchStyle30Percent,
    HatchStyle40Percent,
    HatchStyle50Percent,
    HatchStyle60Percent,
    HatchStyle70Percent,
    HatchStyle75Percent,
    HatchStyle80Percent,
    HatchStyle90Percent,
    HatchStyleLightDownwardDiagonal,
    HatchStyleLightUpwardDiagonal,
    HatchStyleDarkDownwardDiagonal,
    HatchStyleDarkUpwardDiagonal,
    HatchStyleWideDownwardDiagonal,
    HatchStyleWideUpwardDiagonal,
    HatchStyleLightVertical,
    HatchStyleLightHorizontal,
    HatchStyleNarrowVertical,
    HatchStyleNarrowHorizontal,
    HatchStyleDarkVertical,
    HatchStyleDarkHorizontal,
    HatchStyleDashedDownwardDiagonal,
    HatchStyleDashedUpwardDiagonal,
    HatchStyleDashedHorizontal,
    HatchStyleDashedVertical,
    HatchStyleSmallConfetti,
    HatchStyleLargeConfetti,
    HatchStyleZigZag,
    HatchStyleWave,
    HatchStyleDiagonalBrick,
    HatchStyleHorizontalBrick,
    HatchStyleWeave,
    HatchStylePlaid,
    HatchStyleDivot,
    HatchStyleDottedGrid,
    HatchStyleDottedDiamond,
    HatchStyleShingle,
    HatchStyleTrellis,
    HatchStyleSphere,
    HatchStyleSmallGrid,
    HatchStyleSmallCheckerBoard,
    HatchStyleLargeCheckerBoard,
    HatchStyleOutlinedDiamond,
    HatchStyleSolidDiamond,
    HatchStyleTotal,
    HatchStyleLargeGrid = HatchStyleCross,
    HatchStyleMin = HatchStyleHorizontal,
    HatchStyleMax = HatchStyleTotal - 1
};

enum CompositingMode : Integer { CompositingModeSourceOver, CompositingModeSourceCopy };
enum CoordinateSpace : Integer { CoordinateSpaceWorld, CoordinateSpacePage, CoordinateSpaceDevice };
enum WarpMode : Integer { WarpModePerspective, WarpModeBilinear };
enum PenAlignment : Integer { PenAlignmentCenter, PenAlignmentInset };
enum FlushIntention : Integer { FlushIntentionFlush, FlushIntentionSync };
enum StringDigitSubstitute : Integer {
    StringDigitSubstituteUser,
    StringDigitSubstituteNone,
    StringDigitSubstituteNational,
    StringDigitSubstituteTraditional
};
enum RotateFlipType : Integer {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7,
    RotateNoneFlipY = Rotate180FlipX,
    Rotate90FlipY = Rotate270FlipX,
    Rotate180FlipY = RotateNoneFlipX,
    Rotate270FlipY = Rotate90FlipX,
    RotateNoneFlipXY = Rotate180FlipNone,
    Rotate90FlipXY = Rotate270FlipNone,
    Rotate180FlipXY = RotateNoneFlipNone,
    Rotate270FlipXY = Rotate90FlipNone
};

// A 5x5 matrix over (red, green, blue, alpha, 1) as a row vector.
struct ColorMatrix {
    Single m[5][5] = {};
};
enum ColorMatrixFlags : Integer {
    ColorMatrixFlagsDefault,
    ColorMatrixFlagsSkipGrays,
    ColorMatrixFlagsAltGray
};
enum ColorChannelFlags : Integer {
    ColorChannelFlagsC,
    ColorChannelFlagsM,
    ColorChannelFlagsY,
    ColorChannelFlagsK,
    ColorChannelFlagsLast
};
struct ColorMap {
    ARGB oldColor = 0;
    ARGB newColor = 0;
};
enum : Cardinal { PaletteFlagsHasAlpha = 1, PaletteFlagsGrayScale = 2, PaletteFlagsHalftone = 4 };
// A palette record: Count entries follow the header (the array is declared
// with one entry; the record is allocated for Count).
struct ColorPalette {
    Cardinal Flags = 0;
    Cardinal Count = 0;
    ARGB Entries[1] = {};
};

// Called during long image operations; answering true stops them.
using ImageAbort = bool (*)(void* callbackData);
using DrawImageAbort = ImageAbort;
using GetThumbnailImageAbort = ImageAbort;

struct TCharacterRange {
    Integer First = 0;
    Integer Length = 0;
};

enum ImageLockMode : Cardinal {
    ImageLockModeRead = 1,
    ImageLockModeWrite = 2,
    ImageLockModeUserInputBuf = 4
};
struct BitmapData {
    Cardinal Width = 0;
    Cardinal Height = 0;
    Integer Stride = 0;
    Integer PixelFormat = 0;
    void* Scan0 = nullptr;
    std::uintptr_t Reserved = 0;
};

enum : Word {
    PropertyTagTypeByte = 1,
    PropertyTagTypeASCII = 2,
    PropertyTagTypeShort = 3,
    PropertyTagTypeLong = 4,
    PropertyTagTypeRational = 5,
    PropertyTagTypeUndefined = 7,
    PropertyTagTypeSLONG = 9,
    PropertyTagTypeSRational = 10
};
enum : Cardinal { PropertyTagFrameDelay = 0x5100, PropertyTagLoopCount = 0x5101 };
struct PropertyItem {
    Cardinal id = 0;
    Cardinal length = 0; // bytes of value
    Word type = 0;
    void* value = nullptr;
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
    PixelFormat16bppGrayScale = 0x00101004,
    PixelFormat16bppRGB555 = 0x00021005,
    PixelFormat16bppRGB565 = 0x00021006,
    PixelFormat16bppARGB1555 = 0x00061007,
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

// Encoders, by class identifier: 557CF40x-1A04-11D3-9A73-0000F81EF32E.
TGUID EncoderClsid(Cardinal head);
inline const TGUID EncoderClsidBMP = EncoderClsid(0x557CF400);
inline const TGUID EncoderClsidJPEG = EncoderClsid(0x557CF401);
inline const TGUID EncoderClsidGIF = EncoderClsid(0x557CF402);
inline const TGUID EncoderClsidTIFF = EncoderClsid(0x557CF405);
inline const TGUID EncoderClsidPNG = EncoderClsid(0x557CF406);

// Encoder parameter categories and frame dimensions.
inline constexpr TGUID EncoderQuality{0x1D5BE4B5, 0xFA4A, 0x452D, {0x9C, 0xDD, 0x5D, 0xB3, 0x51, 0x05, 0xE7, 0xEB}};
inline constexpr TGUID EncoderColorDepth{
    0x66087055, 0xAD66, 0x4C7C, {0x9A, 0x18, 0x38, 0xA2, 0x31, 0x0B, 0x83, 0x37}};
inline constexpr TGUID EncoderTransformation{
    0x8D0EB2D1, 0xA58E, 0x4EA8, {0xAA, 0x14, 0x10, 0x80, 0x74, 0xB7, 0xB6, 0xF9}};
inline constexpr TGUID FrameDimensionTime{
    0x6AEDBD6D, 0x3FB5, 0x418A, {0x83, 0xA6, 0x7F, 0x45, 0x22, 0x9D, 0xC8, 0x72}};
inline constexpr TGUID FrameDimensionPage{
    0x7462DC86, 0x6180, 0x4C7E, {0x8E, 0x3F, 0xEE, 0x73, 0x33, 0xA7, 0xA4, 0x83}};

enum EncoderParameterValueType : Cardinal {
    EncoderParameterValueTypeByte = 1,
    EncoderParameterValueTypeASCII = 2,
    EncoderParameterValueTypeShort = 3,
    EncoderParameterValueTypeLong = 4,
    EncoderParameterValueTypeRational = 5,
    EncoderParameterValueTypeLongRange = 6,
    EncoderParameterValueTypeUndefined = 7,
    EncoderParameterValueTypeRationalRange = 8
};
struct EncoderParameter {
    TGUID Guid;
    Cardinal NumberOfValues = 0;
    Cardinal Type = 0;
    void* Value = nullptr;
};
// Count parameters follow (the array is declared with one entry).
struct EncoderParameters {
    Cardinal Count = 0;
    EncoderParameter Parameter[1];
};

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
inline TGPRect GPRect(Integer x, Integer y, Integer width, Integer height) {
    return {x, y, width, height};
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
