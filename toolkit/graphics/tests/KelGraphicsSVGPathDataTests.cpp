#include "kel/KelGraphicsSVGEngine.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Narrow(std::u16string_view AText) {
    return std::string(AText.begin(), AText.end());
}

std::string Tokens(const TKelGraphicsSVGTokens& ATokens) {
    std::string Result;
    for (const String& Token : ATokens)
        Result += (Result.empty() ? "" : " ") + Narrow(Token);
    return Result;
}

TKelGraphicsSVGTokens Split(const String& AText) {
    TKelGraphicsSVGTokens Result;
    size_t Start = 0;
    while (Start <= AText.size()) {
        const size_t End = std::min(AText.find(u' ', Start), AText.size());
        Result.push_back(AText.substr(Start, End - Start));
        Start = End + 1;
    }
    return Result;
}

std::string Number(Single AValue) {
    char Buffer[32];
    const double Rounded = std::round(AValue * 1000) / 1000;
    std::snprintf(Buffer, sizeof Buffer, "%g", Rounded == 0 ? 0.0 : Rounded);
    return Buffer;
}

// A path as text: "M" move, "L" line, "C" one curve point, "Z" close.
std::string Describe(const TKelGraphicsPath& APath) {
    std::string Result;
    for (const TKelGraphicsPathPoint& Point : APath.PathData()) {
        static const char Kinds[] = {'M', 'L', 'C', 'Z'};
        Result += (Result.empty() ? "" : " ") + std::string(1, Kinds[Point.Kind]);
        if (Point.Kind != gppClose) Result += Number(Point.Point.X) + "," + Number(Point.Point.Y);
    }
    return Result;
}

// Every sub-path of the path data, separated by " | ".
std::string Parse(const String& AData) {
    TKelGraphicsSVGElement Element;
    TKelGraphicsSVGImport::ParsePathData(&Element, AData);
    std::string Result;
    if (!Element.HasPaths()) return Result;
    for (Integer Index = 0; Index < Element.Paths()->Count(); ++Index)
        Result += (Index == 0 ? "" : " | ") + Describe(*Element.Paths()->Items(Index));
    return Result;
}

struct TTextCase {
    const char16_t* Input;
    const char* Expected;
};

TEST(KelGraphicsSVGPathData, Tokens) {
    const TTextCase Cases[] = {
        {u"M10-5", "M 10 -5"},     {u"M1.5.5", "M 1.5 .5"},
        {u"M.5.5", "M .5 .5"},     {u"M1e-5 2", "M 1e-5 2"},
        {u"M1E+5-3", "M 1E+5 -3"}, {u"M 1\t2\r\nL3 4", "M 1 2 L 3 4"},
        {u"M1x2", "M 12"},         {u"M0 0z 5 5", "M 0 0 z"},
        {u"  M1 1  ", "M 1 1"},    {u"", ""},
    };
    for (const TTextCase& Case : Cases)
        EXPECT_EQ(Tokens(TKelGraphicsSVGImport::SplitPathData(Case.Input)), Case.Expected)
            << Narrow(Case.Input);
}

TEST(KelGraphicsSVGPathData, ImplicitCommands) {
    const TTextCase Cases[] = {
        {u"M 0 0 10 0 10 10", "M 0 0 L 10 0 L 10 10"},
        {u"m 0 0 10 0", "m 0 0 l 10 0"},
        {u"H 1 2 3", "H 1 H 2 H 3"},
        // An incomplete last group stays as stray numbers.
        {u"Q 1 2 3 4 5 6 7 8 9 10", "Q 1 2 3 4 Q 5 6 7 8 9 10"},
        // A remainder of 1 keeps only the first group.
        {u"M 10 10 20", "M 10 10 20"},
        {u"L 1 2 3 4 5", "L 1 2 3 4 5"},
        {u"C 1 2 3 4 5 6 7", "C 1 2 3 4 5 6 7"},
        {u"z", "z"},
    };
    for (const TTextCase& Case : Cases)
        EXPECT_EQ(Tokens(TKelGraphicsSVGImport::InsertImplicitCommands(Split(Case.Input))), Case.Expected)
            << Narrow(Case.Input);
}

TEST(KelGraphicsSVGPathData, Commands) {
    const TTextCase Cases[] = {
        {u"M0,0 L10,0 10,10 Z", "M0,0 L10,0 L10,10 Z"},
        {u"M0 0 10 0 10 10", "M0,0 L10,0 L10,10"},
        {u"M0 0 h10 v10 h-10 z", "M0,0 L10,0 L10,10 L0,10 Z"},
        {u"m0 0 10 0 0 10 -10 0 z", "M0,0 L10,0 L10,10 L0,10 Z"},
        {u"M0 0 H10 V10", "M0,0 L10,0 L10,10"},
        {u"M10 10 20", "M10,10"},
        {u"M0 0 L1 1 M5 5 L6 6", "M0,0 L1,1 | M5,5 L6,6"},
        {u"m1 1 l1 0 m1 1 l0 1", "M1,1 L2,1 | M3,2 L3,3"},
        // Commands before the first move draw nothing but move the point.
        {u"l5 5 m1 1 l1 0", "M6,6 L7,6"},
        // After a close the current point is the sub-path's start.
        {u"M1 1 L5 1 Z l0 2", "M1,1 L5,1 Z L1,3"},
        {u"M10 10 c0 10 10 10 10 0", "M10,10 C10,20 C20,20 C20,10"},
        {u"M0 0 C0 10 10 10 10 0 S20 -10 20 0", "M0,0 C0,10 C10,10 C10,0 C10,-10 C20,-10 C20,0"},
        {u"M0 0 s10 10 20 0", "M0,0 C0,0 C10,10 C20,0"},
        // S mirrors the control of a cubic only, T that of a quadratic only.
        {u"M0 0 Q10 10 20 0 S30 10 40 0", "M0,0 C6.667,6.667 C13.333,6.667 C20,0 C20,0 C30,10 C40,0"},
        {u"M0 0 Q10 10 20 0 T40 0",
         "M0,0 C6.667,6.667 C13.333,6.667 C20,0 C26.667,-6.667 C33.333,-6.667 C40,0"},
        {u"M0 0 L20 0 T40 0", "M0,0 L20,0 C20,0 C26.667,0 C40,0"},
        {u"M0 0 C1 1 2 2 3 3 T9 3", "M0,0 C1,1 C2,2 C3,3 C3,3 C5,3 C9,3"},
        {u"M0 0 q5 5 10 0", "M0,0 C3.333,3.333 C6.667,3.333 C10,0"},
        // Stray numbers and commands lacking operands are passed over.
        {u"M0 0 L 5", "M0,0"},
        {u"M0 0 5 L1 1", "M0,0 L1,1"},
        // A number that does not parse keeps the last value of its slot.
        {u"M0 0 L3 4 L. 6", "M0,0 L3,4 L3,6"},
        {u"", ""},
    };
    for (const TTextCase& Case : Cases)
        EXPECT_EQ(Parse(Case.Input), Case.Expected) << Narrow(Case.Input);
}

TEST(KelGraphicsSVGPathData, Arcs) {
    const TTextCase Cases[] = {
        // A half circle: two quarter-turn curves through (10, -10).
        {u"M0,0 A10,10 0 0 1 20,0", "M0,0 L0,0 C0,-5.523 C4.477,-10 C10,-10 C15.523,-10 C20,-5.523 C20,0"},
        {u"M0,0 a10,10 0 0 1 20,0", "M0,0 L0,0 C0,-5.523 C4.477,-10 C10,-10 C15.523,-10 C20,-5.523 C20,0"},
        {u"M0,0 A10,10 0 0 0 20,0", "M0,0 L0,0 C0,5.523 C4.477,10 C10,10 C15.523,10 C20,5.523 C20,0"},
        // Radii too small grow until the arc reaches the end point.
        {u"M0,0 A1,1 0 0 1 20,0", "M0,0 L0,0 C0,-5.523 C4.477,-10 C10,-10 C15.523,-10 C20,-5.523 C20,0"},
        // Negative radii count as positive.
        {u"M0,0 A-10,-10 0 0 1 20,0", "M0,0 L0,0 C0,-5.523 C4.477,-10 C10,-10 C15.523,-10 C20,-5.523 C20,0"},
        // The large arc: three quarters round the centre (10, 10).
        {u"M10 0 A10 10 0 1 1 0 10",
         "M10,0 L10,0 C15.523,0 C20,4.477 C20,10 C20,15.523 C15.523,20 C10,20 C4.477,20 C0,15.523 C0,10"},
        {u"M5 5 A10 10 0 0 1 5 5", "M5,5"},
        {u"M0 0 A0 10 0 0 1 20 0", "M0,0 L0,0 L20,0"},
        {u"M0 0 A10 0 0 0 1 20 0", "M0,0 L0,0 L20,0"},
        // An arc before the first move only moves the current point.
        {u"A10 10 0 0 1 20 0 l1 0 m0 0", "M21,0"},
        // A segment with a value beyond the coordinate range ends the path data.
        {u"M0 0 L1 1 a1 1 0 0 1 1e39 1 L5 5", "M0,0 L1,1"},
        {u"M0 0 A1e39 1 0 0 1 5 5 L5 5", "M0,0"},
        {u"M0 0 L1 1 h1e39 L5 5", "M0,0 L1,1"},
    };
    for (const TTextCase& Case : Cases)
        EXPECT_EQ(Parse(Case.Input), Case.Expected) << Narrow(Case.Input);
}

TEST(KelGraphicsSVGPathData, RotatedArcKeepsItsEndPoints) {
    TKelGraphicsPath Path;
    TKelGraphicsSVGImport::AddEllipticalArc(&Path, {0, 0}, {30, 10}, 20, 5, 30, false, true);
    ASSERT_GE(Path.Count(), 5);
    EXPECT_EQ(Describe(Path).substr(0, 3), "M0,");
    EXPECT_NEAR(Path.LastPoint().X, 30, 1e-3);
    EXPECT_NEAR(Path.LastPoint().Y, 10, 1e-3);
}

} // namespace
