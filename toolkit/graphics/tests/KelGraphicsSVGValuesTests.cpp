#include "kel/KelColorText.h"
#include "kel/KelGraphicsSVGEngine.h"
#include "kel/KelGraphicsTypes.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string Narrow(std::u16string_view AText) {
    return std::string(AText.begin(), AText.end());
}

TEST(KelGraphicsSVGValues, Lengths) {
    const struct {
        const char16_t* Text;
        Single Expected;
    } Cases[] = {
        {u"", 0},      {u"10", 10},   {u"-1.5", -1.5}, {u"1e2", 100},   {u"10px", 10},   {u"1in", 96},
        {u"2in", 192}, {u"12pt", 16}, {u"1pc", 16},    {u"25.4mm", 96}, {u"2.54cm", 96}, {u"2em", 2},
        {u"3ex", 3},   {u"50%", 50},  {u"abc", 0},     {u"px", 0},      {u"10 px", 10},  {u"1,5", 0},
    };
    for (const auto& Case : Cases)
        EXPECT_NEAR(ParseLength(Case.Text), Case.Expected, 1e-4) << Narrow(Case.Text);
}

TEST(KelGraphicsSVGValues, ColorComponents) {
    const struct {
        const char16_t* Text;
        Integer Expected;
    } Cases[] = {
        {u"0", 0},     {u"255", 255},  {u"300", 255},  {u"ff", 255}, {u"1a", 26},
        {u"50%", 128}, {u"100%", 255}, {u"150%", 255}, {u"", 0},     {u"99999999999999999999", 255},
        {u"0.5", 1},   {u"-1", -1},    {u"1 2", -1},   {u"18.039216%", 46}, {u"127.6", 128},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(ParseColorComponent(Case.Text), Case.Expected) << Narrow(Case.Text);
}

TEST(KelGraphicsSVGValues, RGB) {
    const struct {
        const char16_t* Text;
        TColor Color;
        Integer Alpha;
    } Cases[] = {
        {u"rgb(255,0,0)", 255, 255},
        {u"rgb( 1 , 2 , 3 )", 1 + 2 * 256 + 3 * 65536, 255},
        {u"rgb(50%,0,0)", 128, 255},
        {u"rgb(ff,0,0)", 255, 255},
        {u"rgba(255,0,0,0.5)", 255, 128},
        {u"rgba(255,0,0,1)", 255, 255},
        {u"rgba(0,0,0,0)", 0, 0},
        {u"rgba(0,0,0,0.0)", 0, 0},
        {u"rgba(1,2,3,50%)", 1 + 2 * 256 + 3 * 65536, 128},
        {u"rgba(1,2,3,x)", 1 + 2 * 256 + 3 * 65536, -1},
        {u"rgb(x,0,0)", gcNull, 255},
        {u"rgb(1,2)", gcNull, 255},
        {u"rgb(1,2,3", gcNull, 255},
        {u"RGB(1,2,3)", gcNull, 255},
        {u"hsl(1,2,3)", gcNull, 255},
    };
    for (const auto& Case : Cases) {
        Integer Alpha = 7;
        EXPECT_EQ(TKelGraphicsSVGImport::ParseRGB(Case.Text, Alpha), Case.Color) << Narrow(Case.Text);
        EXPECT_EQ(Alpha, Case.Alpha) << Narrow(Case.Text);
    }
}

TEST(KelGraphicsSVGValues, FontFamilies) {
    const struct {
        const char16_t* Text;
        const char16_t* Family;
        TFontStyles Style;
    } Cases[] = {
        {u"Arial-BoldMT", u"Arial", {fsBold}},
        {u"ArialMT", u"Arial", {}},
        {u"Arial-ItalicMT", u"Arial", {fsItalic}},
        {u"Arial-BoldItalicMT", u"Arial", {fsBold, fsItalic}},
        {u"Verdana Bold", u"Verdana", {fsBold}},
        {u"Segoe UI, Arial", u"Segoe UI", {}},
        {u"'Times New Roman', serif", u"Times New Roman", {}},
        {u"\"Courier New\"", u"Courier New", {}},
        {u"", u"", {}},
    };
    for (const auto& Case : Cases) {
        TFontStyles Style{fsUnderline};
        EXPECT_EQ(ParseFontFamily(Case.Text, Style), Case.Family) << Narrow(Case.Text);
        EXPECT_EQ(Style, Case.Style) << Narrow(Case.Text);
    }
}

TEST(KelGraphicsSVGValues, ColorTexts) {
    EXPECT_EQ(HTMLToColor(u"#FF8800"), 0x0088FF);
    EXPECT_EQ(HTMLToColor(u"#f80"), 0x0088FF);
    EXPECT_EQ(HTMLToColor(u"#0000FF"), 0xFF0000);
    EXPECT_EQ(HTMLToColor(u""), gcNull);
    // Text that is no colour gives no colour instead of failing.
    EXPECT_EQ(HTMLToColor(u"#zz0000"), gcNull);
    EXPECT_EQ(HTMLToColor(u"#12"), gcNull);
    EXPECT_EQ(HTMLToColor(u"#12345"), gcNull);

    EXPECT_EQ(TextToColor(u"red"), 0x0000FF);
    EXPECT_EQ(TextToColor(u"DarkGreen"), 0x006400);
    EXPECT_EQ(TextToColor(u"clRed"), 0x0000FF);
    EXPECT_EQ(TextToColor(u"gcBlue"), 0xFF0000);
    EXPECT_EQ(TextToColor(u"nosuchcolour"), 0);
}

} // namespace
