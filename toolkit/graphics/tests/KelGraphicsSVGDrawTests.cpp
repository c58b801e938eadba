// Pixel tests of the SVG engine's drawing on small raster pictures, the
// comparison of a committed sample of Adwaita icons with the reference
// renderer's pictures, and the SVG picture classes.

#include "SVGReferenceCompare.h"
#include "graphics/ImageCodecs.h"
#include "kel/KelBitmap.h"
#include "kel/KelGraphicsSVGEngine.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Stream.h"
#include "rtl/TypeInfo.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

struct TRGBA {
    int R, G, B, A;
};

TRGBA At(const TDecodedImage& AImage, Integer AX, Integer AY) {
    const std::uint32_t P = AImage.Pixel(AX, AY);
    return {int((P >> 16) & 0xFF), int((P >> 8) & 0xFF), int(P & 0xFF), int(P >> 24)};
}

// The document drawn into a AWidth x AHeight picture.
TDecodedImage Draw(const char* ASvg, Integer AWidth, Integer AHeight,
                   void (*AOptions)(TKelGraphicsSVGImport&) = nullptr) {
    TKelGraphicsSVGImport Engine;
    Engine.LoadFromText(FromUtf8(ASvg));
    if (AOptions) AOptions(Engine);
    TKelBitmap* Picture = Engine.GenerateBitmap(Single(AWidth), Single(AHeight));
    auto* Raster = Picture ? dynamic_cast<TRasterGraphic*>(Picture->Graphic()) : nullptr;
    return Raster ? Raster->Pixels() : TDecodedImage{};
}

void ExpectColor(const TDecodedImage& AImage, Integer AX, Integer AY, TRGBA AExpected, int ATolerance = 2) {
    const TRGBA C = At(AImage, AX, AY);
    EXPECT_NEAR(C.R, AExpected.R, ATolerance) << "red at " << AX << "," << AY;
    EXPECT_NEAR(C.G, AExpected.G, ATolerance) << "green at " << AX << "," << AY;
    EXPECT_NEAR(C.B, AExpected.B, ATolerance) << "blue at " << AX << "," << AY;
    EXPECT_NEAR(C.A, AExpected.A, ATolerance) << "alpha at " << AX << "," << AY;
}

constexpr TRGBA Clear{0, 0, 0, 0};

// ---- Element kinds, paint and options ------------------------------------------------

struct TPixelCase {
    const char* Name;
    const char* Svg;
    Integer X, Y;
    TRGBA Expected;
};

class KelGraphicsSVGDrawPixels : public ::testing::TestWithParam<TPixelCase> {};

TEST_P(KelGraphicsSVGDrawPixels, DrawsTheExpectedColour) {
    const TPixelCase& Case = GetParam();
    const TDecodedImage Image = Draw(Case.Svg, 20, 20);
    ASSERT_EQ(Image.Width, 20);
    ExpectColor(Image, Case.X, Case.Y, Case.Expected);
}

#define SVG20(content) "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 20 20'>" content "</svg>"

INSTANTIATE_TEST_SUITE_P(
    Shapes, KelGraphicsSVGDrawPixels,
    ::testing::Values(
        TPixelCase{"RectFilled",
                   SVG20("<rect x='2' y='2' width='10' height='10' fill='red'/>"),
                   7,
                   7,
                   {255, 0, 0, 255}},
        TPixelCase{"RectOutside", SVG20("<rect x='2' y='2' width='10' height='10' fill='red'/>"), 15, 15,
                   Clear},
        TPixelCase{"RectWithoutFillIsBlack", SVG20("<rect width='10' height='10'/>"), 5, 5, {0, 0, 0, 255}},
        TPixelCase{"RoundedCornerLeftOpen", SVG20("<rect width='20' height='20' rx='8' fill='blue'/>"), 0, 0,
                   Clear},
        TPixelCase{"CircleCentre",
                   SVG20("<circle cx='10' cy='10' r='6' fill='#00ff00'/>"),
                   10,
                   10,
                   {0, 255, 0, 255}},
        TPixelCase{"CircleCorner", SVG20("<circle cx='10' cy='10' r='6' fill='#00ff00'/>"), 4, 4, Clear},
        TPixelCase{"EllipseWide",
                   SVG20("<ellipse cx='10' cy='10' rx='9' ry='2' fill='blue'/>"),
                   3,
                   10,
                   {0, 0, 255, 255}},
        TPixelCase{
            "PolygonFilled", SVG20("<polygon points='0,0 20,0 0,20' fill='red'/>"), 3, 3, {255, 0, 0, 255}},
        TPixelCase{"PolygonOtherHalf", SVG20("<polygon points='0,0 20,0 0,20' fill='red'/>"), 17, 17, Clear},
        TPixelCase{"LineStroked",
                   SVG20("<line x1='0' y1='10' x2='20' y2='10' stroke='blue' stroke-width='4'/>"),
                   10,
                   10,
                   {0, 0, 255, 255}},
        TPixelCase{
            "StrokeOnly",
            SVG20("<rect x='4' y='4' width='12' height='12' fill='none' stroke='red' stroke-width='2'/>"),
            4,
            10,
            {255, 0, 0, 255}},
        TPixelCase{
            "StrokeOnlyInsideEmpty",
            SVG20("<rect x='4' y='4' width='12' height='12' fill='none' stroke='red' stroke-width='2'/>"), 10,
            10, Clear},
        TPixelCase{"GroupFillInherited",
                   SVG20("<g fill='blue'><rect width='20' height='20'/></g>"),
                   10,
                   10,
                   {0, 0, 255, 255}},
        TPixelCase{"FillNoneNotFilled",
                   SVG20("<g fill='blue'><rect width='20' height='20' fill='none'/></g>"), 10, 10, Clear},
        TPixelCase{"DisplayNoneSkipsChildren",
                   SVG20("<g display='none'><rect width='20' height='20' fill='red'/></g>"
                         "<rect x='10' width='10' height='20' fill='blue'/>"),
                   5, 10, Clear},
        TPixelCase{"ElementAfterDisplayNoneDrawn",
                   SVG20("<g display='none'><rect width='20' height='20' fill='red'/></g>"
                         "<rect x='10' width='10' height='20' fill='blue'/>"),
                   15,
                   10,
                   {0, 0, 255, 255}},
        TPixelCase{"PathTransformOnce",
                   SVG20("<path transform='translate(10,0)' d='M0 0h5v20h-5z' fill='red'/>"),
                   12,
                   10,
                   {255, 0, 0, 255}},
        TPixelCase{"PathTransformNotTwice",
                   SVG20("<path transform='translate(10,0)' d='M0 0h5v20h-5z' fill='red'/>"), 2, 10, Clear},
        TPixelCase{
            "GroupTransformAndOwn",
            SVG20("<g transform='translate(5,0)'><rect transform='translate(5,0)' width='5' height='20' "
                  "fill='red'/></g>"),
            12,
            10,
            {255, 0, 0, 255}},
        TPixelCase{"FillRuleNonZeroFillsSameDirectionHole",
                   SVG20("<path d='M0 0H20V20H0Z M5 5H15V15H5Z' fill='red'/>"),
                   10,
                   10,
                   {255, 0, 0, 255}},
        TPixelCase{"FillRuleEvenOddLeavesHole",
                   SVG20("<path d='M0 0H20V20H0Z M5 5H15V15H5Z' fill='red' fill-rule='evenodd'/>"), 10, 10,
                   Clear},
        TPixelCase{"FillOpacity",
                   SVG20("<rect width='20' height='20' fill='#0000ff' fill-opacity='0.5'/>"),
                   10,
                   10,
                   {0, 0, 255, 128}},
        TPixelCase{"RgbaAlpha",
                   SVG20("<rect width='20' height='20' fill='rgba(0,0,255,0.5)'/>"),
                   10,
                   10,
                   {0, 0, 255, 128}},
        TPixelCase{"GroupOpacityMultiplies",
                   SVG20("<g opacity='0.5'><rect width='20' height='20' fill='blue' opacity='0.5'/></g>"),
                   10,
                   10,
                   {0, 0, 255, 64}},
        // A group's opacity acts on the group as one layer: overlapping
        // children do not show through each other, and edges stay sharp.
        TPixelCase{"GroupOpacityIsOneLayer",
                   SVG20("<g opacity='0.5'><rect width='10' height='20' fill='blue'/>"
                         "<rect width='10' height='20' fill='blue'/></g>"),
                   9,
                   10,
                   {0, 0, 255, 128}},
        TPixelCase{"GroupLayerKeepsItsEdge",
                   SVG20("<g opacity='0.5'><rect width='10' height='20' fill='blue'/></g>"),
                   10,
                   10,
                   Clear},
        TPixelCase{"UseOpacityIsOneLayer",
                   SVG20("<defs><g id='two'><rect width='20' height='20' fill='red'/>"
                         "<rect width='20' height='20' fill='red'/></g></defs><use xlink:href='#two' opacity='0.5' xmlns:xlink='http://www.w3.org/1999/xlink'/>"),
                   10,
                   10,
                   {255, 0, 0, 128}},
        TPixelCase{"DecimalPercentRgb",
                   SVG20("<rect width='20' height='20' fill='rgb(100%,50.2%,0%)'/>"),
                   10,
                   10,
                   {255, 128, 0, 255}},
        TPixelCase{"ArcFlagsWrittenTogether",
                   SVG20("<path d='M3 10a7 7 0 0014 0z' fill='red'/>"),
                   10,
                   13,
                   {255, 0, 0, 255}},
        TPixelCase{"ClipPathKeepsInside",
                   SVG20("<clipPath id='c'><circle cx='10' cy='10' r='5'/></clipPath>"
                         "<rect width='20' height='20' fill='red' clip-path='url(#c)'/>"),
                   10,
                   10,
                   {255, 0, 0, 255}},
        TPixelCase{"ClipPathCutsOutside",
                   SVG20("<clipPath id='c'><circle cx='10' cy='10' r='5'/></clipPath>"
                         "<rect width='20' height='20' fill='red' clip-path='url(#c)'/>"),
                   2, 2, Clear},
        TPixelCase{
            "NestedClipPathsIntersect",
            SVG20("<clipPath id='l'><rect width='10' height='20'/></clipPath>"
                  "<clipPath id='t'><rect width='20' height='10'/></clipPath>"
                  "<g clip-path='url(#l)'><rect width='20' height='20' fill='red' clip-path='url(#t)'/></g>"),
            15, 5, Clear},
        TPixelCase{
            "NestedClipPathsKeepTheCommonPart",
            SVG20("<clipPath id='l'><rect width='10' height='20'/></clipPath>"
                  "<clipPath id='t'><rect width='20' height='10'/></clipPath>"
                  "<g clip-path='url(#l)'><rect width='20' height='20' fill='red' clip-path='url(#t)'/></g>"),
            5,
            5,
            {255, 0, 0, 255}},
        TPixelCase{"UsePlacesTheReference",
                   SVG20("<defs><rect id='r' width='5' height='5' fill='blue'/></defs>"
                         "<use xlink:href='#r' x='10' y='10' xmlns:xlink='http://www.w3.org/1999/xlink'/>"),
                   12,
                   12,
                   {0, 0, 255, 255}},
        TPixelCase{"UseLeavesTheOriginal",
                   SVG20("<defs><rect id='r' width='5' height='5' fill='blue'/></defs>"
                         "<use xlink:href='#r' x='10' y='10' xmlns:xlink='http://www.w3.org/1999/xlink'/>"),
                   2, 2, Clear},
        TPixelCase{"UseInheritsFromUse",
                   SVG20("<defs><rect id='r' width='5' height='5'/></defs>"
                         "<use href='#r' fill='red'/>"),
                   2,
                   2,
                   {255, 0, 0, 255}},
        TPixelCase{"UseLoopDrawsWhatItCan",
                   SVG20("<g id='a'><rect width='5' height='5' fill='red'/><use href='#a' x='5'/></g>"),
                   2,
                   2,
                   {255, 0, 0, 255}}),
    [](const ::testing::TestParamInfo<TPixelCase>& AInfo) { return std::string(AInfo.param.Name); });

TEST(KelGraphicsSVGDraw, OptionsArePublishedWithTheirDefaults) {
    TKelGraphicsSVGImport Engine;
    EXPECT_EQ(Engine.ClassType().Name, u"TKelGraphicsSVGImport");
    EXPECT_EQ(GetOrdProp(&Engine, u"GrayScale"), 0);
    EXPECT_EQ(GetOrdProp(&Engine, u"TintColor"), -1);
    EXPECT_EQ(GetFloatProp(&Engine, u"CustomOpacity"), -1);
    SetOrdProp(&Engine, u"CustomFillColor", 0x0000FF);
    SetFloatProp(&Engine, u"RotationAngle", 90);
    SetOrdProp(&Engine, u"GrayScale", 1);
    EXPECT_EQ(Engine.CustomFillColor(), 0x0000FF);
    EXPECT_EQ(Engine.RotationAngle(), 90);
    EXPECT_TRUE(Engine.GrayScale());
    const std::vector<const TPropInfo*> Props = GetPropList(&Engine);
    EXPECT_EQ(Props.size(), 6u);
}

TEST(KelGraphicsSVGDraw, ViewBoxStretchesToTheTarget) {
    const TDecodedImage Image =
        Draw("<svg viewBox='0 0 10 10'><rect width='10' height='10' fill='red'/></svg>", 100, 50);
    ASSERT_EQ(Image.Width, 100);
    ASSERT_EQ(Image.Height, 50);
    for (const auto& [X, Y] : {std::pair{0, 0}, {99, 0}, {0, 49}, {99, 49}, {50, 25}})
        ExpectColor(Image, X, Y, {255, 0, 0, 255});
}

struct TOptionCase {
    const char* Name;
    const char* Fill; // the rect's fill attribute, empty for none
    void (*Options)(TKelGraphicsSVGImport&);
    TRGBA Expected;
};

class KelGraphicsSVGDrawOptions : public ::testing::TestWithParam<TOptionCase> {};

TEST_P(KelGraphicsSVGDrawOptions, ChangeTheColours) {
    const TOptionCase& Case = GetParam();
    const std::string Svg = std::string("<svg viewBox='0 0 4 4'><rect width='4' height='4'") +
                            (*Case.Fill ? std::string(" fill='") + Case.Fill + "'" : std::string()) +
                            "/></svg>";
    const TDecodedImage Image = Draw(Svg.c_str(), 4, 4, Case.Options);
    ASSERT_EQ(Image.Width, 4);
    ExpectColor(Image, 2, 2, Case.Expected, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Options, KelGraphicsSVGDrawOptions,
    ::testing::Values(
        TOptionCase{"NoFillBlack", "", nullptr, {0, 0, 0, 255}},
        TOptionCase{"NoFillGrayScale",
                    "",
                    [](TKelGraphicsSVGImport& E) { E.SetGrayScale(true); },
                    {128, 128, 128, 255}},
        TOptionCase{
            "NoFillTint", "", [](TKelGraphicsSVGImport& E) { E.SetTintColor(0x00FF00); }, {0, 255, 0, 255}},
        TOptionCase{"NoFillCustom",
                    "",
                    [](TKelGraphicsSVGImport& E) { E.SetCustomFillColor(0xFF0000); },
                    {0, 0, 255, 255}},
        TOptionCase{
            "Tint", "#ff8000", [](TKelGraphicsSVGImport& E) { E.SetTintColor(0x808080); }, {128, 64, 0, 255}},
        TOptionCase{"GrayScale",
                    "#ff8000",
                    [](TKelGraphicsSVGImport& E) { E.SetGrayScale(true); },
                    {153, 153, 153, 255}},
        TOptionCase{"CustomFill",
                    "#ff8000",
                    [](TKelGraphicsSVGImport& E) { E.SetCustomFillColor(0x0000FF); },
                    {255, 0, 0, 255}},
        TOptionCase{"CustomOpacity",
                    "#ff8000",
                    [](TKelGraphicsSVGImport& E) { E.SetCustomOpacity(0.5f); },
                    {255, 128, 0, 128}}),
    [](const ::testing::TestParamInfo<TOptionCase>& AInfo) { return std::string(AInfo.param.Name); });

TEST(KelGraphicsSVGDraw, RotationTurnsAboutTheViewCentre) {
    TKelGraphicsSVGImport Engine;
    Engine.LoadFromText(u"<svg viewBox='0 0 20 20'><rect width='10' height='20' fill='red'/></svg>");
    Engine.SetRotationAngle(180);
    auto* Raster = dynamic_cast<TRasterGraphic*>(Engine.GenerateBitmap(20, 20)->Graphic());
    const TDecodedImage Image = Raster->Pixels();
    ExpectColor(Image, 15, 10, {255, 0, 0, 255});
    ExpectColor(Image, 5, 10, Clear);
}

// ---- Gradients ---------------------------------------------------------------------------

TEST(KelGraphicsSVGDraw, LinearGradientInBoundingBoxUnits) {
    const TDecodedImage Image = Draw(
        SVG20("<linearGradient id='g'><stop offset='0' stop-color='red'/><stop offset='1' stop-color='blue'/>"
              "</linearGradient><rect x='10' width='10' height='20' fill='url(#g)'/>"),
        20, 20);
    const TRGBA Left = At(Image, 10, 10), Right = At(Image, 19, 10), Middle = At(Image, 15, 10);
    EXPECT_GT(Left.R, 220);
    EXPECT_GT(Right.B, 220);
    EXPECT_NEAR(Middle.R, 128, 20);
    EXPECT_NEAR(Middle.B, 128, 20);
    ExpectColor(Image, 5, 10, Clear);
}

struct TSpreadCase {
    const char* Name;
    const char* Spread;
    int RedAt18; // red channel near x = 18 of a gradient red (x 0) to blue (x 10) in user space
};

class KelGraphicsSVGDrawSpread : public ::testing::TestWithParam<TSpreadCase> {};

TEST_P(KelGraphicsSVGDrawSpread, PaintsBeyondTheEnd) {
    const std::string Svg =
        std::string("<svg viewBox='0 0 20 20'><linearGradient id='g' gradientUnits='userSpaceOnUse' x1='0' "
                    "x2='10' spreadMethod='") +
        GetParam().Spread +
        "'><stop offset='0' stop-color='red'/><stop offset='1' stop-color='blue'/></linearGradient>"
        "<rect width='20' height='20' fill='url(#g)'/></svg>";
    const TDecodedImage Image = Draw(Svg.c_str(), 20, 20);
    EXPECT_GT(At(Image, 0, 5).R, 220);
    EXPECT_NEAR(At(Image, 18, 5).R, GetParam().RedAt18, 30);
}

INSTANTIATE_TEST_SUITE_P(Spread, KelGraphicsSVGDrawSpread,
                         ::testing::Values(TSpreadCase{"Pad", "pad", 0},
                                           TSpreadCase{"Reflect", "reflect", 190},
                                           TSpreadCase{"Repeat", "repeat", 64}),
                         [](const ::testing::TestParamInfo<TSpreadCase>& AInfo) {
                             return std::string(AInfo.param.Name);
                         });

TEST(KelGraphicsSVGDraw, RadialGradientRunsFromTheCentre) {
    const TDecodedImage Image = Draw(
        SVG20("<radialGradient id='g'><stop offset='0' stop-color='red'/><stop offset='1' stop-color='blue'/>"
              "</radialGradient><rect width='20' height='20' fill='url(#g)'/>"),
        20, 20);
    EXPECT_GT(At(Image, 10, 10).R, 200);
    EXPECT_GT(At(Image, 19, 10).B, 200);
    // Padded beyond the circle: the corner has the last colour.
    EXPECT_GT(At(Image, 0, 0).B, 200);
    EXPECT_EQ(At(Image, 0, 0).A, 255);
}

// ---- Text -----------------------------------------------------------------------------------

// The leftmost and rightmost columns with ink.
std::pair<int, int> InkColumns(const TDecodedImage& AImage) {
    int Left = AImage.Width, Right = -1;
    for (Integer Y = 0; Y < AImage.Height; ++Y)
        for (Integer X = 0; X < AImage.Width; ++X)
            if (At(AImage, X, Y).A > 64) {
                Left = std::min(Left, int(X));
                Right = std::max(Right, int(X));
            }
    return {Left, Right};
}

TEST(KelGraphicsSVGDraw, TextAnchorPlacesTheText) {
    auto Text = [](const char* AAnchor) {
        const std::string Svg = std::string("<svg viewBox='0 0 200 40'><text x='100' y='30' font-size='20' "
                                            "font-family='DejaVu Sans' fill='black' text-anchor='") +
                                AAnchor + "'>Hello</text></svg>";
        return InkColumns(Draw(Svg.c_str(), 200, 40));
    };
    const auto Start = Text("start"), Middle = Text("middle"), End = Text("end");
    ASSERT_GE(Start.second, 0) << "no text drawn";
    EXPECT_GE(Start.first, 98);
    EXPECT_LE(End.second, 102);
    EXPECT_LT(Middle.first, 100);
    EXPECT_GT(Middle.second, 100);
}

// ---- The reference sample -------------------------------------------------------------------

TEST(KelGraphicsSVGDraw, AdwaitaSampleMatchesTheReferenceRenderer) {
    const std::filesystem::path Folder = std::filesystem::path(VANDREL_FIXTURES) / "adwaita";
    int Count = 0, Within = 0;
    for (const auto& Entry : std::filesystem::directory_iterator(Folder)) {
        if (Entry.path().extension() != ".svg") continue;
        std::filesystem::path Reference = Entry.path();
        Reference.replace_extension(".png");
        const svgreference::TComparison Result =
            svgreference::Compare(svgreference::Render(FromUtf8(Entry.path().string()), 48),
                                  svgreference::LoadPNG(FromUtf8(Reference.string())));
        ++Count;
        if (Result.WithinTolerance())
            ++Within;
        else
            ADD_FAILURE() << Entry.path().filename() << ": " << Result.DifferingShare
                          << " of the pixels differ";
    }
    EXPECT_EQ(Count, 50);
    EXPECT_EQ(Within, Count);
}

// ---- The SVG picture --------------------------------------------------------------------------

const char* const SquareSvg = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 24 24'><rect width='24' "
                              "height='24' fill='red'/></svg>";

TEST(KelSVGBitmap, PictureLoadsAnSVGFileThatDraws) {
    const std::filesystem::path File = std::filesystem::temp_directory_path() / "kel-svg-picture-test.svg";
    {
        TMemoryStream Bytes;
        Bytes.Write(SquareSvg, Int64(std::strlen(SquareSvg)));
        Bytes.SaveToFile(FromUtf8(File.string()));
    }
    TPicture Picture;
    Picture.LoadFromFile(FromUtf8(File.string()));
    std::filesystem::remove(File);
    auto* Svg = dynamic_cast<TKelSVGBitmap*>(Picture.Graphic());
    ASSERT_NE(Svg, nullptr);
    EXPECT_EQ(Picture.Width(), 24);
    EXPECT_EQ(Picture.Height(), 24);

    TBitmap Target;
    Target.SetSize(10, 10);
    Svg->Draw(Target.Canvas(), TRect{0, 0, 10, 10});
    const TDecodedImage Image = Target.Pixels();
    ExpectColor(Image, 5, 5, {255, 0, 0, 255});
}

TEST(KelSVGBitmap, StreamedDataRoundTripsByteForByte) {
    // Spacing and attribute quotes a re-serialisation would change.
    const std::string Text = "<svg  viewBox=\"0 0 24 24\" ><rect width='24'  height='24'/></svg>\n";
    TMemoryStream Source;
    Source.Write(Text.data(), Int64(Text.size()));
    TKelSVGBitmap Picture;
    Picture.LoadFromStream(&Source);
    ASSERT_TRUE(Picture.HasSVG());

    TMemoryStream Data;
    Picture.WriteSVGData(&Data);
    ASSERT_EQ(Data.Size(), Int64(4 + Text.size()));
    Data.SetPosition(0);
    TKelSVGBitmap Copy;
    Copy.ReadSVGData(&Data);
    EXPECT_TRUE(Copy.HasSVG());
    TMemoryStream Saved;
    Copy.SaveToStream(&Saved);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Saved.Memory()), size_t(Saved.Size())), Text);
}

TEST(KelSVGBitmap, TruncatedStoredLengthRaises) {
    TMemoryStream Data;
    const Integer Count = 100;
    Data.WriteBuffer(&Count, sizeof Count);
    Data.Write("<svg/>", 6);
    Data.SetPosition(0);
    TKelSVGBitmap Picture;
    EXPECT_THROW(Picture.ReadSVGData(&Data), EReadError);
    TMemoryStream Negative;
    const Integer Minus = -1;
    Negative.WriteBuffer(&Minus, sizeof Minus);
    Negative.SetPosition(0);
    EXPECT_THROW(Picture.ReadSVGData(&Negative), EReadError);
}

TEST(KelSVGBitmap, CanLoadFromStreamRejectsRasterSignatures) {
    TMemoryStream Png;
    const std::vector<Byte> Bytes = EncodePng(TDecodedImage::Blank(1, 1, 0xFF000000));
    Png.Write(Bytes.data(), Int64(Bytes.size()));
    Png.SetPosition(0);
    EXPECT_FALSE(TKelSVGBitmap::CanLoadFromStream(&Png));
    EXPECT_EQ(Png.Position(), 0);
    TMemoryStream Short;
    Short.Write("<sv", 3);
    Short.SetPosition(0);
    EXPECT_TRUE(TKelSVGBitmap::CanLoadFromStream(&Short));
}

TEST(KelSVGBitmap, AssignTakesOnlySVGPictures) {
    TMemoryStream Source;
    Source.Write(SquareSvg, Int64(std::strlen(SquareSvg)));
    TKelSVGBitmap Picture;
    Picture.LoadFromStream(&Source);
    TBitmap Plain;
    Plain.SetSize(2, 2);
    Picture.Assign(&Plain);
    EXPECT_TRUE(Picture.HasSVG());
    TKelSVGBitmap Copy;
    Copy.Assign(&Picture);
    EXPECT_TRUE(Copy.HasSVG());
    EXPECT_EQ(Copy.Width(), 24);
}

TEST(KelScaledBitmaps, ItemByScale) {
    TKelScaledBitmaps Bitmaps(nullptr);
    Bitmaps.Add(1.0f);
    Bitmaps.Add(2.0f);
    Bitmaps.Add(1.5f);
    EXPECT_EQ(Bitmaps.GetItemByScale(1.25f)->Scale(), 2.0f);
    EXPECT_EQ(Bitmaps.GetItemByScale(1.5f)->Scale(), 1.5f);
    TKelScaledBitmaps Two(nullptr);
    Two.Add(1.0f);
    Two.Add(1.25f);
    EXPECT_EQ(Two.GetItemByScale(1.25f)->Scale(), 1.25f);
    TKelScaledBitmaps Empty(nullptr);
    EXPECT_EQ(Empty.GetItemByScale(1), nullptr);
}

} // namespace
