#include "kel/KelGraphicsSVGEngine.h"
#include "xml/XMLDocument.h"

#include <gtest/gtest.h>

namespace {

TPointF Map(const String& ATransform, TPointF APoint) {
    return APoint * TKelGraphicsSVGImport::ParseTransform(ATransform);
}

void ExpectNear(TPointF AActual, TPointF AExpected) {
    EXPECT_NEAR(AActual.X, AExpected.X, 1e-4);
    EXPECT_NEAR(AActual.Y, AExpected.Y, 1e-4);
}

struct TTransformCase {
    const char16_t* Transform;
    TPointF Point;
    TPointF Expected;
};

TEST(KelGraphicsSVGTransform, FunctionsAndComposition) {
    const TTransformCase Cases[] = {
        {u"rotate(90)", {1, 0}, {0, 1}},
        {u"translate(10,20) rotate(90)", {1, 0}, {10, 21}},
        {u"rotate(90, 10, 10)", {10, 0}, {20, 10}},
        // The function written last acts first.
        {u"translate(10,0) scale(2)", {1, 0}, {12, 0}},
        {u"scale(2) translate(10,0)", {1, 0}, {22, 0}},
        {u"translate(10,0), scale(2)", {1, 0}, {12, 0}},
        {u"translate(5)", {0, 0}, {5, 0}},
        {u"translate(10 20)", {0, 0}, {10, 20}},
        {u"translate(10, 20)", {0, 0}, {10, 20}},
        {u"scale(2)", {1, 1}, {2, 2}},
        {u"scale(2 3)", {1, 1}, {2, 3}},
        {u"matrix(1 2 3 4 5 6)", {1, 1}, {9, 12}},
        {u"skewX(45)", {0, 1}, {1, 1}},
        {u"skewY(45)", {1, 0}, {1, 1}},
        {u"rotate(100grad)", {1, 0}, {0, 1}},
        {u"rotate(90deg)", {1, 0}, {0, 1}},
        // What cannot be read contributes the identity.
        {u"", {3, 4}, {3, 4}},
        {u"spin(90)", {3, 4}, {3, 4}},
        {u"translate(1,2,3)", {3, 4}, {3, 4}},
        {u"matrix(1,0,0,1,5)", {3, 4}, {3, 4}},
        {u"skewX(1,2)", {3, 4}, {3, 4}},
        {u"translate(1,1) rotate(90", {3, 4}, {4, 5}},
        {u"translate(x,2)", {3, 4}, {3, 6}},
    };
    for (const TTransformCase& Case : Cases) {
        SCOPED_TRACE(
            std::string(Case.Transform, Case.Transform + std::char_traits<char16_t>::length(Case.Transform)));
        ExpectNear(Map(Case.Transform, Case.Point), Case.Expected);
    }
}

TEST(KelGraphicsSVGTransform, AngleUnits) {
    EXPECT_NEAR(ParseAngle(u"0.5rad"), 0.5, 1e-12);
    EXPECT_NEAR(ParseAngle(u"28.64788975654116"), 0.5, 1e-12);
    EXPECT_NEAR(ParseAngle(u"100grad"), ParseAngle(u"90"), 1e-12);
    EXPECT_NEAR(ParseAngle(u"180deg"), 3.141592653589793, 1e-12);
    EXPECT_EQ(ParseAngle(u""), 0);
    EXPECT_EQ(ParseAngle(u"abc"), 0);
    EXPECT_EQ(ParseAngle(u"xdeg"), 0);
}

TEST(KelGraphicsSVGTransform, AbsentAttributeIsTheEmptyMatrix) {
    TXMLDocument Document;
    Document.LoadFromXML(u"<rect transform=\"scale(2)\" gradientTransform=\"\"/>");
    const IXMLNode& Node = *Document.DocumentElement();
    EXPECT_TRUE(MatrixIsEmpty(TKelGraphicsSVGImport::ParseTransform(Node, u"other")));
    EXPECT_EQ(TKelGraphicsSVGImport::ParseTransform(Node, u"gradientTransform"), MatrixIdentity());
    EXPECT_EQ(TKelGraphicsSVGImport::ParseTransform(Node, u"transform"), MatrixCreateScaling(2, 2));
}

} // namespace
