#include "kel/KelGraphicsSVGEngine.h"
#include "kel/KelGraphicsTypes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class KelGraphicsSVGStyle : public ::testing::Test {
protected:
    TKelGraphicsSVGElement& Read(const String& ADeclarations) {
        FImport.ParseDeclarations(&FElement, ADeclarations);
        return FElement;
    }

    TKelGraphicsSVGImport FImport;
    TKelGraphicsSVGElement FElement;
};

TEST_F(KelGraphicsSVGStyle, NewElementHasNoPresentation) {
    EXPECT_FALSE(FElement.HasFillColor());
    EXPECT_FALSE(FElement.HasStrokeColor());
    EXPECT_FALSE(FElement.HasStrokeWidth());
    EXPECT_FALSE(FElement.HasOpacity());
    EXPECT_TRUE(FElement.HasFontSize()); // an empty font-size value counts as given
    EXPECT_FALSE(FElement.HasPaths());
    EXPECT_FALSE(FElement.HasActivePath());
    EXPECT_TRUE(MatrixIsEmpty(FElement.Matrix()));
}

TEST_F(KelGraphicsSVGStyle, Paints) {
    const struct {
        const char16_t* Declaration;
        TColor Fill;
        const char16_t* FillValue;
    } Cases[] = {
        {u"fill:#ff0000", 0x0000FF, u"#ff0000"},
        {u"fill:#F80", 0x0088FF, u"#F80"},
        {u"fill:red", 0x0000FF, u"red"},
        {u"fill:rgb(0,0,255)", 0xFF0000, u"rgb(0,0,255)"},
        {u"fill:rgba(255,0,0,0.5)", 0x0000FF, u"rgba(255,0,0,0.5)"},
        {u"fill:rgba(0,0,0,0)", 0, u"none"},
        {u"fill:none", gcNull, u"none"},
        {u"fill:transparent", gcNull, u"transparent"},
        {u"fill:#xyz", gcNull, u"#xyz"},
        {u"fill:nosuchcolour", 0, u"nosuchcolour"},
        {u" fill : blue ; ", 0xFF0000, u"blue"},
        // The later declaration wins.
        {u"fill:red;fill:blue", 0xFF0000, u"blue"},
        {u"fill:blue;fill:red", 0x0000FF, u"red"},
        // Names compare case-sensitively; declarations without ":" are skipped.
        {u"FILL:red", 0, u"default"},
        {u"fill red;stroke:red", 0, u"default"},
    };
    for (const auto& Case : Cases) {
        TKelGraphicsSVGElement Element;
        FImport.ParseDeclarations(&Element, Case.Declaration);
        const std::u16string_view Declaration = Case.Declaration;
        const std::string Trace(Declaration.begin(), Declaration.end());
        EXPECT_EQ(Element.FillColor(), Case.Fill) << Trace;
        EXPECT_EQ(Element.FillColorValue(), Case.FillValue) << Trace;
    }
    EXPECT_EQ(Read(u"stroke:#00ff00").StrokeColor(), 0x00FF00);
    EXPECT_TRUE(FElement.HasStrokeColor());
}

TEST_F(KelGraphicsSVGStyle, PaintServerReferenceKeepsTheColour) {
    Read(u"fill:#0000ff;fill:url(#grad)");
    EXPECT_EQ(FElement.URLRefID(), u"grad");
    EXPECT_EQ(FElement.FillColor(), 0xFF0000);
    Read(u"stroke:url('#pattern')");
    EXPECT_EQ(FElement.URLRefID(), u"pattern");
    EXPECT_EQ(FElement.StrokeColor(), 0);
}

TEST_F(KelGraphicsSVGStyle, WidthsAndOpacities) {
    EXPECT_EQ(Read(u"stroke-width:2").StrokeWidth(), 2);
    EXPECT_EQ(Read(u"stroke-width:3px").StrokeWidth(), 3);
    EXPECT_NEAR(Read(u"stroke-width:1mm").StrokeWidth(), 96 / 25.4, 1e-5);
    // A width or opacity that does not parse leaves the previous value.
    EXPECT_EQ(Read(u"stroke-width:thick").StrokeWidth(), 96 / 25.4f);
    EXPECT_EQ(FElement.StrokeWidthValue(), u"thick");

    EXPECT_EQ(Read(u"opacity:0.5").Opacity(), 0.5f);
    EXPECT_EQ(Read(u"opacity:25%").Opacity(), 0.25f);
    EXPECT_EQ(Read(u"opacity:x").Opacity(), 0.25f);
    EXPECT_TRUE(FElement.HasOpacity());

    EXPECT_EQ(Read(u"offset:50%").Offset(), 0.5f);
    EXPECT_EQ(Read(u"offset:0.25").Offset(), 0.25f);
    EXPECT_EQ(Read(u"offset:x").Offset(), 0);
    EXPECT_EQ(Read(u"stop-opacity:50%").StopOpacity(), 0.5f);
    EXPECT_EQ(Read(u"stop-opacity:0.75").StopOpacity(), 0.75f);
}

TEST_F(KelGraphicsSVGStyle, StopColours) {
    EXPECT_EQ(Read(u"stop-color:#00ff00").StopColor(), 0x00FF00);
    EXPECT_EQ(Read(u"stop-color:rgb(0,0,255)").StopColor(), 0xFF0000);
    EXPECT_EQ(Read(u"stop-color:red").StopColor(), 0x0000FF);
    EXPECT_EQ(Read(u"stop-color:none").StopColor(), gcNull);
    EXPECT_FALSE(FElement.HasStopColor());
}

TEST_F(KelGraphicsSVGStyle, Fonts) {
    EXPECT_EQ(Read(u"font-size:12pt").FontSize(), 16);
    EXPECT_EQ(Read(u"font-size:10").FontSize(), 10);
    EXPECT_EQ(Read(u"font-family:Arial-BoldMT").FontFamily(), u"Arial");
    EXPECT_EQ(FElement.FontStyle(), TFontStyles{fsBold});
    // Style words and font-style only set a style that is still empty.
    Read(u"font-style:italic;font-family:Arial-ItalicMT");
    EXPECT_EQ(FElement.FontStyle(), TFontStyles{fsBold});

    TKelGraphicsSVGElement Italic;
    FImport.ParseDeclarations(&Italic, u"font-style:italic;font-family:'Segoe UI', Arial");
    EXPECT_EQ(Italic.FontStyle(), TFontStyles{fsItalic});
    EXPECT_EQ(Italic.FontFamily(), u"Segoe UI");
}

TEST_F(KelGraphicsSVGStyle, ReferencesAndOtherValues) {
    Read(u"id:shape;xlink:href:#g1;clip-path:url(#clip);display:None;preserveAspectRatio:none");
    EXPECT_EQ(FElement.ID(), u"shape");
    EXPECT_EQ(FElement.HRefID(), u"g1");
    EXPECT_EQ(FElement.ClipPathRefID(), u"clip");
    EXPECT_EQ(FElement.DisplayValue(), u"none");
    EXPECT_EQ(FElement.PreserveAspectRatio(), parNone);
    Read(u"href:g2;preserveAspectRatio:xMidYMid meet;clip-path:none");
    EXPECT_EQ(FElement.HRefID(), u"g2");
    EXPECT_EQ(FElement.PreserveAspectRatio(), parOther);
    EXPECT_EQ(FElement.ClipPathRefID(), u"");
}

TEST_F(KelGraphicsSVGStyle, ClassesAreListedOnceOutsidePaintServers) {
    Read(u"class:a;class:b");
    EXPECT_EQ(FElement.ClassRefID(), u"b");
    ASSERT_EQ(FImport.ElementClassList().Count(), 1);
    EXPECT_EQ(FImport.ElementClassList().Items(0), &FElement);

    TKelGraphicsSVGElement Gradient;
    Gradient.SetType(etLinearGradient);
    TKelGraphicsSVGElement Stop;
    Stop.SetParent(&Gradient);
    FImport.ParseDeclarations(&Stop, u"class:s");
    EXPECT_EQ(Stop.ClassRefID(), u"s");
    EXPECT_EQ(FImport.ElementClassList().Count(), 1);
}

TEST(KelGraphicsSVGStyleSheet, Rules) {
    const struct {
        const char16_t* Sheet;
        std::vector<String> Classes;
    } Cases[] = {
        {u".a{fill:#00ff00}", {u"a"}},
        {u" .a {fill:#00ff00} ", {u"a"}},
        {u".a{fill:red} .b{fill:blue}", {u"a", u"b"}},
        {u"rect{fill:red}", {u"rect"}},
        {u"rect{opacity:0.5} .b{fill:blue}", {u"rect", u"b"}},
        {u"{fill:red} .b{fill:blue}", {u"b"}},
        {u".a{fill:red", {}},
        {u"", {}},
    };
    for (const auto& Case : Cases) {
        TKelGraphicsSVGImport Import;
        Import.ParseStyleSheet(Case.Sheet);
        std::vector<String> Classes;
        for (Integer Index = 0; Index < Import.DefsList().Count(); ++Index) {
            EXPECT_EQ(Import.DefsList().Items(Index)->Type(), etStyle);
            Classes.push_back(Import.DefsList().Items(Index)->ClassRefID());
        }
        const std::u16string_view Sheet = Case.Sheet;
        EXPECT_EQ(Classes, Case.Classes) << std::string(Sheet.begin(), Sheet.end());
    }

    TKelGraphicsSVGImport Import;
    Import.ParseStyleSheet(u".a{fill:#00ff00;stroke-width:3}");
    ASSERT_EQ(Import.DefsList().Count(), 1);
    EXPECT_EQ(Import.DefsList().Items(0)->FillColor(), 0x00FF00);
    EXPECT_EQ(Import.DefsList().Items(0)->StrokeWidth(), 3);
}

} // namespace
