#include "kel/KelGraphicsSVGEngine.h"
#include "rtl/Stream.h"
#include "xml/XMLDocument.h"

#include <gtest/gtest.h>
#include <string>

namespace {

String Fixture(const char* AName) {
    return FromUtf8(std::string(VANDREL_FIXTURES) + "/svg/" + AName);
}

// The first element with the id AID in AList or below it; null when none.
TKelGraphicsSVGElement* Find(TKelGraphicsSVGElementList& AList, const String& AID) {
    for (Integer I = 0; I < AList.Count(); ++I) {
        TKelGraphicsSVGElement* E = AList.Items(I);
        if (E->ID() == AID) return E;
        if (E->HasElements())
            if (TKelGraphicsSVGElement* Found = Find(*E->Elements(), AID)) return Found;
    }
    return nullptr;
}

void ExpectRect(const TRectF& AActual, const TRectF& AExpected) {
    EXPECT_FLOAT_EQ(AActual.Left, AExpected.Left);
    EXPECT_FLOAT_EQ(AActual.Top, AExpected.Top);
    EXPECT_FLOAT_EQ(AActual.Right, AExpected.Right);
    EXPECT_FLOAT_EQ(AActual.Bottom, AExpected.Bottom);
}

TEST(KelGraphicsSVGDocument, WalksTheElementTree) {
    TKelGraphicsSVGImport Import;
    Import.LoadFromFile(Fixture("tree.svg"));

    // switch, the nested svg, the unknown element and the comment give
    // nothing; neither does the polygon's odd point list take a path.
    TKelGraphicsSVGElementList& Top = Import.ElementList();
    ASSERT_EQ(Import.ElementCount(), 8);
    const TKelGraphicsSVGElementType Kinds[] = {etContainer, etEllipse, etLine, etPolyline,
                                                etPolygon,   etText,    etText, etUse};
    for (Integer I = 0; I < 8; ++I) {
        EXPECT_EQ(Top.Items(I)->Type(), Kinds[I]) << I;
        EXPECT_EQ(Top.Items(I)->Parent(), nullptr);
    }
    EXPECT_FALSE(Top.Items(4)->HasActivePath());

    TKelGraphicsSVGElement* Group = Top.Items(0);
    ASSERT_EQ(Group->Elements()->Count(), 3);
    TKelGraphicsSVGElement* Box = Find(Top, u"box");
    ASSERT_NE(Box, nullptr);
    EXPECT_EQ(Box->Parent(), Group);
    EXPECT_EQ(Box->Type(), etRect);
    EXPECT_EQ(RectF(Box->X(), Box->Y(), Box->Width(), Box->Height()), RectF(10, 10, 20, 5));
    EXPECT_EQ(Box->Rx(), 2);

    TKelGraphicsSVGElement* Dot = Find(Top, u"dot");
    EXPECT_EQ(RectF(Dot->X(), Dot->Y(), Dot->Rx(), Dot->Ry()), RectF(50, 40, 10, 10));

    // The fill written last wins: the attribute after the style, the style
    // after the attribute.
    EXPECT_EQ(Box->FillColorValue(), u"blue");
    EXPECT_EQ(Box->FillColor(), 0xFF0000);
    EXPECT_EQ(Dot->FillColorValue(), u"red");
    EXPECT_EQ(Dot->FillColor(), 0x0000FF);

    // A path takes no fill of its own; the group above its parent has one.
    TKelGraphicsSVGElement* Curve = Find(Top, u"curve");
    EXPECT_FALSE(Curve->HasFillColor());
    EXPECT_EQ(Curve->Parent()->Parent(), Group);
    EXPECT_EQ(Group->FillColorValue(), u"green");
    EXPECT_EQ(Group->Matrix(), MatrixCreateTranslation(5, 0));
    // The path's own transform is applied to its sub-paths.
    ASSERT_EQ(Curve->Paths()->Count(), 2);
    EXPECT_EQ(Curve->Paths()->Items(0)->GetPoint(2).Point, PointF(20, 20));

    TKelGraphicsSVGElement* Ellipse = Top.Items(1);
    EXPECT_EQ(Ellipse->StrokeColor(), 0x00FF00);
    EXPECT_EQ(Ellipse->StrokeWidth(), 3);
    EXPECT_FLOAT_EQ(Ellipse->Opacity(), 0.5f);

    TKelGraphicsSVGElement* Line = Top.Items(2);
    EXPECT_EQ(RectF(Line->X(), Line->Y(), Line->Width(), Line->Height()), RectF(0, 90, 10, 80));

    // "20-5" is two numbers; the transform of an element without parent is
    // applied to its points.
    const TKelGraphicsPath* Polyline = Top.Items(3)->ActivePath();
    ASSERT_NE(Polyline, nullptr);
    ASSERT_EQ(Polyline->Count(), 3);
    EXPECT_EQ(Polyline->GetPoint(2).Point, PointF(21, -4));

    TKelGraphicsSVGElement* Hello = Top.Items(5);
    EXPECT_EQ(Hello->Text(), u"Hello");
    EXPECT_FALSE(Hello->HasElements());
    EXPECT_EQ(Hello->FontFamily(), u"Arial");
    EXPECT_EQ(Hello->FontSize(), 12);

    TKelGraphicsSVGElement* Spans = Top.Items(6);
    ASSERT_EQ(Spans->Elements()->Count(), 2);
    TKelGraphicsSVGElement* Two = Spans->Elements()->Items(1);
    EXPECT_EQ(Two->Type(), etTextSpan);
    ASSERT_EQ(Two->Elements()->Count(), 1);
    EXPECT_EQ(Two->Elements()->Items(0)->Type(), etTextSpanChild);
    EXPECT_EQ(Two->Elements()->Items(0)->Text(), u"Two");

    // Without viewBox and size the view is the bounds of what is drawn, in
    // the coordinates of the enclosing groups' transforms.
    ExpectRect(Import.ViewRect(), RectF(0, -4, 120, 90));
}

TEST(KelGraphicsSVGDocument, DefinitionsStyleSheetsAndReferences) {
    TKelGraphicsSVGImport Import;
    Import.LoadFromFile(Fixture("defs.svg"));
    ExpectRect(Import.ViewRect(), RectF(0, 0, 64, 32));
    ASSERT_EQ(Import.ElementCount(), 5);

    TKelGraphicsSVGElementList& Defs = Import.DefsList();
    ASSERT_EQ(Defs.Count(), 7); // three style rules, two gradients, the clip path, the hidden rect
    TKelGraphicsSVGElement* Accent = Defs.Items(0);
    EXPECT_EQ(Accent->Type(), etStyle);
    EXPECT_EQ(Accent->ClassRefID(), u"accent");
    EXPECT_EQ(Accent->FillColor(), 0x0000FF);
    EXPECT_EQ(Accent->StrokeWidth(), 4);

    TKelGraphicsSVGElement* Fade = Find(Defs, u"fade");
    TKelGraphicsSVGElement* Glow = Find(Defs, u"glow");
    TKelGraphicsSVGElement* Frame = Find(Defs, u"frame");
    for (TKelGraphicsSVGElement* E : {Fade, Glow, Frame}) {
        ASSERT_NE(E, nullptr);
        EXPECT_EQ(E->Parent(), nullptr);
    }
    EXPECT_EQ(RectF(Fade->X(), Fade->Y(), Fade->Width(), Fade->Height()), RectF(0, 0, 1, 0));
    EXPECT_FALSE(MatrixIsEmpty(Fade->GradientMatrix()));
    ASSERT_EQ(Fade->Elements()->Count(), 2);
    TKelGraphicsSVGElement* Stop = Fade->Elements()->Items(1);
    EXPECT_EQ(Stop->Type(), etStop);
    EXPECT_EQ(Stop->Parent(), Fade);
    EXPECT_FLOAT_EQ(Stop->Offset(), 0.5f);
    EXPECT_EQ(Stop->StopColor(), 0xFF0000);
    EXPECT_FLOAT_EQ(Stop->StopOpacity(), 0.5f);

    EXPECT_TRUE(Glow->HasCX());
    EXPECT_FALSE(Glow->HasCY());
    EXPECT_EQ(Glow->CX(), 50);
    EXPECT_EQ(Glow->GradientLink(), Fade);
    EXPECT_EQ(Import.ElementPatternList().Count(), 2);
    ASSERT_EQ(Import.ElementClipPathList().Count(), 1);
    EXPECT_EQ(Import.ElementClipPathList().Items(0), Frame);

    TKelGraphicsSVGElementList& Top = Import.ElementList();
    EXPECT_EQ(Find(Top, u"a")->ClassRef(), Accent);
    // A rule's clip path: the clipping shape, and that shape's own rule.
    TKelGraphicsSVGElement* B = Find(Top, u"b");
    EXPECT_EQ(B->ClipPathRef(), Frame->Elements()->Items(0));
    EXPECT_EQ(B->ClassRef(), Accent);
    EXPECT_EQ(Find(Top, u"c")->PaintServer(), Fade);
    EXPECT_EQ(Find(Top, u"d")->PaintServer(), Glow);
    EXPECT_EQ(Find(Top, u"e")->ClassRef(), nullptr);
    EXPECT_EQ(Find(Top, u"hidden"), nullptr);
}

TEST(KelGraphicsSVGDocument, Images) {
    TKelGraphicsSVGImport Import;
    Import.LoadFromFile(Fixture("image.svg"));
    TKelGraphicsSVGElementList& Top = Import.ElementList();
    ASSERT_EQ(Import.ElementCount(), 4);

    TKelGraphicsSVGElement* Inline = Find(Top, u"inline");
    ASSERT_TRUE(Inline->HasBitmap());
    EXPECT_EQ(Inline->Bitmap()->Width(), 3);
    EXPECT_EQ(Inline->Bitmap()->Height(), 2);
    EXPECT_EQ(Inline->PreserveAspectRatio(), parNone);

    // An image without xlink:href or whose file is missing has no picture;
    // the document still loads.
    for (const char16_t* ID : {u"plain", u"missing"}) {
        TKelGraphicsSVGElement* E = Find(Top, ID);
        EXPECT_TRUE(!E->HasBitmap() || E->Bitmap()->Graphic() == nullptr) << Utf8(ID);
    }
    ASSERT_NE(Find(Top, u"after"), nullptr);
    ExpectRect(Import.ViewRect(), RectF(0, 0, 32, 23));
}

TEST(KelGraphicsSVGDocument, ViewRectRules) {
    const struct {
        const char16_t* Document;
        TRectF ViewRect;
        Integer Elements;
    } Cases[] = {
        {u"<svg viewBox='0 0 100 50'/>", RectF(0, 0, 100, 50), 0},
        {u"<svg viewBox=' 10\t20 100\n50 ' width='5' height='5'/>", RectF(10, 20, 110, 70), 0},
        {u"<svg width='2in' height='1in'/>", RectF(0, 0, 192, 96), 0},
        {u"<svg width='40'/>", RectF(0, 0, 0, 0), 0},
        {u"<svg><rect x='10' y='10' width='20' height='5'/></svg>", RectF(10, 10, 30, 15), 1},
        {u"<svg><g transform='translate(5,0)'><rect x='10' y='10' width='20' height='5'/></g></svg>",
         RectF(15, 10, 35, 15), 1},
        {u"<svg><defs><rect x='10' y='10' width='20' height='5'/></defs></svg>", RectF(0, 0, 0, 0), 0},
        // Not four numbers separated by white space: no viewBox.
        {u"<svg viewBox='0,0,100,50' width='20' height='10'/>", RectF(0, 0, 20, 10), 0},
        {u"<svg viewBox='0 0 100'><circle cx='5' cy='5' r='5'/></svg>", RectF(0, 0, 10, 10), 1},
        {u"<svg><polygon points=''/><line x1='4' y1='9' x2='2' y2='3'/></svg>", RectF(2, 3, 4, 9), 2},
        {u"<SVG><rect width='1' height='1'/></SVG>", TKelGraphicsSVGImport::EmptyViewRect(), 0},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Utf8(Case.Document));
        TKelGraphicsSVGImport Import;
        Import.LoadFromText(Case.Document);
        ExpectRect(Import.ViewRect(), Case.ViewRect);
        EXPECT_EQ(Import.ElementCount(), Case.Elements);
        EXPECT_EQ(Import.HasElements(), Case.Elements > 0);
    }
}

TEST(KelGraphicsSVGDocument, MalformedTextRaisesAndLeavesTheImporterEmpty) {
    TKelGraphicsSVGImport Import;
    Import.LoadFromText(u"<svg><rect width='1' height='1'/></svg>");
    ASSERT_TRUE(Import.HasElements());
    EXPECT_THROW(Import.LoadFromText(u"<svg><rect></svg>"), EDOMParseError);
    EXPECT_FALSE(Import.HasElements());
    EXPECT_EQ(Import.ViewRect(), TKelGraphicsSVGImport::EmptyViewRect());
    TMemoryStream Saved;
    Import.SaveToStream(&Saved);
    EXPECT_EQ(Saved.Size(), 0);
}

TEST(KelGraphicsSVGDocument, SavedDocumentLoadsAgain) {
    TKelGraphicsSVGImport Import;
    Import.LoadFromFile(Fixture("defs.svg"));
    TMemoryStream Stream;
    Import.SaveToStream(&Stream);
    // Loading reads the stream from its start wherever it stands.
    TKelGraphicsSVGImport Copy;
    Copy.LoadFromStream(&Stream);
    EXPECT_EQ(Copy.ElementCount(), 5);
    EXPECT_EQ(Copy.DefsList().Count(), 7);
    EXPECT_EQ(Copy.ViewRect(), Import.ViewRect());
}

} // namespace
