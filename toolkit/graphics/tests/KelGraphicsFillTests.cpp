// The fill, the stroke, the font and the drawing-state snapshot: change
// notification, the colour rules, Assign and the published properties.

#include "graphics/Colors.h"
#include "graphics/Graphic.h"
#include "kel/KelGraphicsFill.h"
#include "kel/KelGraphicsFont.h"
#include "kel/KelGraphicsSaveState.h"
#include "kel/KelGraphicsStroke.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

// Counts the reports of one value object.
template <class T>
struct TCounted {
    std::unique_ptr<T> Object;
    int Reports = 0;
    TObject* LastSender = nullptr;

    template <class... A>
    explicit TCounted(A... Args) : Object(Create<T>(Args...)) {
        Object->OnChanged = [this](TObject* Sender) {
            ++Reports;
            LastSender = Sender;
        };
    }
    T* operator->() const { return Object.get(); }
};

TEST(KelGraphicsFill, StartsWithTheDocumentedValues) {
    TCounted<TKelGraphicsFill> Fill(gfkGradient, TColor(0x123456));
    EXPECT_EQ(Fill->Kind(), gfkGradient);
    EXPECT_EQ(Fill->Color(), 0x123456);
    EXPECT_EQ(Fill->Orientation(), gfoVertical);
    EXPECT_EQ(Fill->ColorTo(), 0x808080);
    EXPECT_EQ(Fill->ColorMirror(), gcNull);
    EXPECT_EQ(Fill->ColorMirrorTo(), gcNull);
    EXPECT_EQ(Fill->Opacity(), 1.0f);
    EXPECT_EQ(Fill->TextureMode(), gtmStretch);
    EXPECT_EQ(Fill->GradientMode(), gfgmDefault);
    EXPECT_EQ(Fill->GradientType(), gfgtLinear);
    EXPECT_EQ(Fill->GradientCenterColor(), gcNull);
    EXPECT_EQ(Fill->GradientItems()->Count(), 0);
    EXPECT_EQ(Fill->GradientMatrix(), MatrixIdentity());
    EXPECT_EQ(Fill->Texture()->Graphic(), nullptr);
    EXPECT_EQ(Fill.Reports, 0);
}

// Each colour setter of fill and stroke: the class library's none and
// default colours are translated; the comparison is with the value as given.
TEST(KelGraphicsFill, ColourSettersTranslateNoneAndDefault) {
    using TSetter = void (*)(TKelGraphicsFill&, TKelGraphicsStroke&, TColor);
    using TGetter = TColor (*)(TKelGraphicsFill&, TKelGraphicsStroke&);
    struct TCase {
        const char* Name;
        TSetter Set;
        TGetter Get;
    };
    const TCase Cases[] = {
        {"Fill.Color", [](TKelGraphicsFill& F, TKelGraphicsStroke&, TColor C) { F.SetColor(C); },
         [](TKelGraphicsFill& F, TKelGraphicsStroke&) { return F.Color(); }},
        {"Fill.ColorTo", [](TKelGraphicsFill& F, TKelGraphicsStroke&, TColor C) { F.SetColorTo(C); },
         [](TKelGraphicsFill& F, TKelGraphicsStroke&) { return F.ColorTo(); }},
        {"Fill.ColorMirror", [](TKelGraphicsFill& F, TKelGraphicsStroke&, TColor C) { F.SetColorMirror(C); },
         [](TKelGraphicsFill& F, TKelGraphicsStroke&) { return F.ColorMirror(); }},
        {"Fill.ColorMirrorTo",
         [](TKelGraphicsFill& F, TKelGraphicsStroke&, TColor C) { F.SetColorMirrorTo(C); },
         [](TKelGraphicsFill& F, TKelGraphicsStroke&) { return F.ColorMirrorTo(); }},
        {"Stroke.Color", [](TKelGraphicsFill&, TKelGraphicsStroke& S, TColor C) { S.SetColor(C); },
         [](TKelGraphicsFill&, TKelGraphicsStroke& S) { return S.Color(); }},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TCounted<TKelGraphicsFill> Fill;
        TCounted<TKelGraphicsStroke> Stroke;
        auto Reports = [&] { return Fill.Reports + Stroke.Reports; };

        Case.Set(*Fill.Object, *Stroke.Object, clNone);
        EXPECT_EQ(Case.Get(*Fill.Object, *Stroke.Object), gcNull);
        EXPECT_EQ(Reports(), 1);
        // The stored -1 differs from the given none colour: reported again.
        Case.Set(*Fill.Object, *Stroke.Object, clNone);
        EXPECT_EQ(Reports(), 2);
        Case.Set(*Fill.Object, *Stroke.Object, gcNull);
        EXPECT_EQ(Reports(), 2);

        Case.Set(*Fill.Object, *Stroke.Object, clDefault);
        EXPECT_EQ(Case.Get(*Fill.Object, *Stroke.Object), TColor(0xFF00000F));
        Case.Set(*Fill.Object, *Stroke.Object, 0x0000FF);
        EXPECT_EQ(Case.Get(*Fill.Object, *Stroke.Object), 0x0000FF);
        EXPECT_EQ(Reports(), 4);
    }
}

TEST(KelGraphicsFill, EqualValuesReportNothingAndBatchesReportOnce) {
    TCounted<TKelGraphicsFill> Fill;
    Fill->SetOpacity(1);
    Fill->SetKind(gfkSolid);
    Fill->SetGradientAngle(0);
    EXPECT_EQ(Fill.Reports, 0);

    Fill->SetOpacity(0.5f);
    EXPECT_EQ(Fill.Reports, 1);
    EXPECT_EQ(Fill.LastSender, Fill.Object.get());

    Fill->BeginUpdate();
    Fill->BeginUpdate();
    Fill->SetKind(gfkGradient);
    Fill->SetColorTo(0x00FF00);
    Fill->SetGradientType(gfgtRadial);
    Fill->EndUpdate();
    EXPECT_EQ(Fill.Reports, 1);
    Fill->EndUpdate();
    EXPECT_EQ(Fill.Reports, 2);

    // The centre point reports without comparing.
    Fill->SetGradientCenterPoint(Fill->GradientCenterPoint());
    EXPECT_EQ(Fill.Reports, 3);
    // The gradient matrix is plain data.
    Fill->SetGradientMatrix(MatrixCreateScaling(2, 2));
    EXPECT_EQ(Fill.Reports, 3);
}

TEST(KelGraphicsFill, AnUnpairedEndUpdateDoesNotSilenceLaterChanges) {
    TCounted<TKelGraphicsStroke> Stroke;
    Stroke->EndUpdate();
    EXPECT_EQ(Stroke.Reports, 1);
    Stroke->SetWidth(2);
    EXPECT_EQ(Stroke.Reports, 2);
}

TEST(KelGraphicsFill, GradientItemChangesReportThroughTheFill) {
    TCounted<TKelGraphicsFill> Fill;
    TKelGraphicsFillGradientItem* Item = Fill->AddGradientItem(0x0000FF, 0.5f, 0.25f);
    EXPECT_EQ(Fill.Reports, 3); // colour, position and opacity, set one by one
    EXPECT_EQ(Item->Color(), 0x0000FF);
    EXPECT_EQ(Item->Position(), 0.5f);
    EXPECT_EQ(Item->Opacity(), 0.25f);

    Fill.Reports = 0;
    Fill->GradientItems()->Add();
    Fill->GradientItems()->Insert(0);
    ASSERT_EQ(Fill->GradientItems()->Count(), 3);
    EXPECT_EQ(Fill->GradientItems()->Items(1), Item);
    Fill->GradientItems()->Delete(0);
    EXPECT_EQ(Fill.Reports, 0);

    Item->SetColor(0x00FF00);
    EXPECT_EQ(Fill.Reports, 1);
    Item->SetColor(0x00FF00);
    EXPECT_EQ(Fill.Reports, 1);

    Fill->ClearGradientItems();
    EXPECT_EQ(Fill->GradientItems()->Count(), 0);
    EXPECT_EQ(Fill.Reports, 1);
}

TEST(KelGraphicsFill, GradientItemsEnumerateAndCopy) {
    TCounted<TKelGraphicsFill> Fill;
    Fill->AddGradientItem(0x000001, 0, 1);
    Fill->AddGradientItem(0x000002, 1, 1);

    auto Enumerator = Fill->GradientItems()->GetEnumerator();
    ASSERT_TRUE(Enumerator.MoveNext());
    EXPECT_EQ(Enumerator.Current()->Color(), 0x000001);
    ASSERT_TRUE(Enumerator.MoveNext());
    EXPECT_EQ(Enumerator.Current()->Color(), 0x000002);
    EXPECT_FALSE(Enumerator.MoveNext());
    EXPECT_EQ(Enumerator.Current()->Color(), 0x000002);

    TColor Sum = 0;
    for (TKelGraphicsFillGradientItem* Item : *Fill->GradientItems())
        Sum += Item->Color();
    EXPECT_EQ(Sum, 3);

    // Writing an item copies into the existing one, without a report.
    TCounted<TKelGraphicsFill> Other;
    Other->AddGradientItem(0x0000AA, 0.75f, 0.5f);
    Fill.Reports = 0;
    TKelGraphicsFillGradientItem* First = Fill->GradientItems()->Items(0);
    Fill->GradientItems()->SetItems(0, Other->GradientItems()->Items(0));
    EXPECT_EQ(Fill->GradientItems()->Items(0), First);
    EXPECT_EQ(First->Color(), 0x0000AA);
    EXPECT_EQ(First->Position(), 0.75f);
    EXPECT_EQ(First->Opacity(), 0.5f);

    Fill->SetGradientItems(Other->GradientItems());
    EXPECT_EQ(Fill->GradientItems()->Count(), 1);
    EXPECT_EQ(Fill.Reports, 0);

    // A stop takes only another stop.
    try {
        First = Fill->GradientItems()->Items(0);
        First->Assign(Fill.Object.get());
        FAIL() << "no conversion error";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), u"Cannot assign a TKelGraphicsFill to a TKelGraphicsFillGradientItem");
    }
}

TEST(KelGraphicsFill, AssignFromAFillCopiesAllButTheMatrix) {
    TCounted<TKelGraphicsFill> Source(gfkGradient, TColor(0x010203));
    Source->SetColorTo(0x040506);
    Source->SetColorMirror(0x070809);
    Source->SetColorMirrorTo(0x0A0B0C);
    Source->SetOrientation(gfoCustom);
    Source->SetOpacity(0.5f);
    Source->SetTextureMode(gtmTile);
    Source->SetGradientMode(gfgmCollection);
    Source->SetGradientAngle(45);
    Source->SetGradientCenterPoint({3, 4});
    Source->SetGradientType(gfgtRadial);
    Source->SetGradientCenterColor(0x0D0E0F);
    Source->AddGradientItem(0x00FF00, 0.5f, 1);
    Source->SetGradientMatrix(MatrixCreateTranslation(5, 6));
    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetSize(2, 3);
    Source->Texture()->SetGraphic(Bitmap.get());

    Source.Reports = 0;

    TCounted<TKelGraphicsFill> Fill;
    Fill->Assign(Source.Object.get());
    EXPECT_EQ(Fill.Reports, 1);
    EXPECT_EQ(Fill->Kind(), gfkGradient);
    EXPECT_EQ(Fill->Color(), 0x010203);
    EXPECT_EQ(Fill->ColorTo(), 0x040506);
    EXPECT_EQ(Fill->ColorMirror(), 0x070809);
    EXPECT_EQ(Fill->ColorMirrorTo(), 0x0A0B0C);
    EXPECT_EQ(Fill->Orientation(), gfoCustom);
    EXPECT_EQ(Fill->Opacity(), 0.5f);
    EXPECT_EQ(Fill->TextureMode(), gtmTile);
    EXPECT_EQ(Fill->GradientMode(), gfgmCollection);
    EXPECT_EQ(Fill->GradientAngle(), 45.0f);
    EXPECT_EQ(Fill->GradientCenterPoint(), (TPointF{3, 4}));
    EXPECT_EQ(Fill->GradientType(), gfgtRadial);
    EXPECT_EQ(Fill->GradientCenterColor(), 0x0D0E0F);
    ASSERT_EQ(Fill->GradientItems()->Count(), 1);
    EXPECT_EQ(Fill->GradientItems()->Items(0)->Color(), 0x00FF00);
    ASSERT_NE(Fill->Texture()->Graphic(), nullptr);
    EXPECT_NE(Fill->Texture()->Graphic(), Source->Texture()->Graphic());
    EXPECT_EQ(Fill->Texture()->Width(), 2);
    EXPECT_EQ(Fill->GradientMatrix(), MatrixIdentity());
    EXPECT_EQ(Source.Reports, 0);

    // A fill assigned to itself keeps its stops.
    Fill->Assign(Fill.Object.get());
    EXPECT_EQ(Fill->GradientItems()->Count(), 1);
    EXPECT_EQ(Fill->Texture()->Width(), 2);
}

TEST(KelGraphicsFill, AssignAcrossFillAndStroke) {
    TCounted<TKelGraphicsStroke> Stroke(gskDash, TColor(0x0000FF));
    Stroke->SetOpacity(0.5f);
    Stroke->SetWidth(3);
    TCounted<TKelGraphicsFill> Fill(gfkGradient, TColor(0x00FF00));
    Fill->SetOrientation(gfoHorizontal);
    Fill->SetOpacity(0.25f);
    Fill->SetGradientMatrix(MatrixCreateScaling(2, 2));
    Fill.Reports = 0;

    Fill->Assign(Stroke.Object.get());
    EXPECT_EQ(Fill.Reports, 1);
    EXPECT_EQ(Fill->Kind(), gfkSolid);
    EXPECT_EQ(Fill->Color(), 0x0000FF);
    EXPECT_EQ(Fill->Orientation(), gfoVertical);
    EXPECT_EQ(Fill->Opacity(), 1.0f);
    EXPECT_EQ(Fill->ColorTo(), gcNull);
    EXPECT_EQ(Fill->ColorMirror(), gcNull);
    EXPECT_EQ(Fill->ColorMirrorTo(), gcNull);
    EXPECT_EQ(Fill->GradientMatrix(), MatrixCreateScaling(2, 2));

    Fill->SetColor(0x00FF00);
    Stroke.Reports = 0;
    Stroke->Assign(Fill.Object.get());
    EXPECT_EQ(Stroke.Reports, 1);
    EXPECT_EQ(Stroke->Color(), 0x00FF00);
    EXPECT_EQ(Stroke->Kind(), gskSolid);
    EXPECT_EQ(Stroke->Width(), 1.0f);
    EXPECT_EQ(Stroke->Opacity(), 1.0f);

    TCounted<TKelGraphicsStroke> Copy(gskNone, TColor(0));
    Stroke->SetKind(gskDot);
    Stroke->SetWidth(2.5f);
    Copy->Assign(Stroke.Object.get());
    EXPECT_EQ(Copy->Kind(), gskDot);
    EXPECT_EQ(Copy->Color(), 0x00FF00);
    EXPECT_EQ(Copy->Width(), 2.5f);
}

TEST(KelGraphicsFill, AssignFromAnUnrelatedObjectCopiesNothingButReports) {
    TCounted<TKelGraphicsFill> Fill(gfkGradient, TColor(0x00FF00));
    TCounted<TKelGraphicsStroke> Stroke(gskDash, TColor(0x0000FF));
    auto Font = std::unique_ptr<TKelGraphicsFont>(Create<TKelGraphicsFont>());
    Fill->Assign(Font.get());
    Stroke->Assign(nullptr);
    EXPECT_EQ(Fill.Reports, 1);
    EXPECT_EQ(Fill->Kind(), gfkGradient);
    EXPECT_EQ(Fill->Color(), 0x00FF00);
    EXPECT_EQ(Stroke.Reports, 1);
    EXPECT_EQ(Stroke->Kind(), gskDash);
}

TEST(KelGraphicsFill, TextureCopiesAndReportsItsChanges) {
    TCounted<TKelGraphicsFill> Fill;
    auto Picture = std::unique_ptr<TKelBitmap>(Create<TKelBitmap>());
    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetSize(4, 4);
    Picture->SetGraphic(Bitmap.get());

    Fill->SetTexture(Picture.get());
    EXPECT_EQ(Fill.Reports, 1);
    EXPECT_EQ(Fill->Texture()->Width(), 4);
    EXPECT_NE(Fill->Texture(), Picture.get());

    Fill->SetTexture(Fill->Texture());
    EXPECT_EQ(Fill.Reports, 1);

    // A change inside the owned picture reports as well.
    Fill->Texture()->SetGraphic(nullptr);
    EXPECT_EQ(Fill.Reports, 2);
}

TEST(KelGraphicsStroke, StartsWithTheDocumentedValues) {
    TCounted<TKelGraphicsStroke> Stroke;
    EXPECT_EQ(Stroke->Kind(), gskSolid);
    EXPECT_EQ(Stroke->Color(), 0xC0C0C0);
    EXPECT_EQ(Stroke->Width(), 1.0f);
    EXPECT_EQ(Stroke->Opacity(), 1.0f);
}

TEST(KelGraphicsFont, ReportsAttributeChangesAndAssign) {
    TCounted<TKelGraphicsFont> Font;
    EXPECT_EQ(Font->Height(), -11);
    EXPECT_EQ(Font.Reports, 0);

    Font->SetName(u"Arial");
    Font->SetStyle({fsBold});
    Font->SetColor(clRed);
    EXPECT_EQ(Font.Reports, 3);
    EXPECT_EQ(Font.LastSender, Font.Object.get());

    Font->BeginUpdate();
    Font->SetSize(20);
    Font->SetName(u"Courier New");
    Font->EndUpdate();
    EXPECT_EQ(Font.Reports, 4);

    TCounted<TKelGraphicsFont> Copy;
    Copy->AssignSource(Font.Object.get());
    EXPECT_EQ(Copy.Reports, 1);
    EXPECT_EQ(Copy->Name(), u"Courier New");
    EXPECT_EQ(Copy->Height(), Font->Height());
    EXPECT_EQ(Copy->Style(), TFontStyles{fsBold});
    EXPECT_EQ(Copy->Color(), clRed);
}

TEST(KelGraphicsSaveState, OwnsCopiesOfFontStrokeAndFill) {
    auto State = std::unique_ptr<TKelGraphicsSaveState>(Create<TKelGraphicsSaveState>());
    EXPECT_EQ(State->Stroke()->Kind(), gskSolid);
    EXPECT_EQ(State->Stroke()->Color(), 0xC0C0C0);
    EXPECT_EQ(State->Fill()->Kind(), gfkSolid);
    EXPECT_EQ(State->Fill()->Color(), 0xFFFFFF);
    EXPECT_EQ(State->Font()->Height(), -11);

    TCounted<TKelGraphicsFill> Fill(gfkGradient, TColor(0x0000FF));
    TCounted<TKelGraphicsStroke> Stroke(gskDot, TColor(0x00FF00));
    TCounted<TKelGraphicsFont> Font;
    Font->SetName(u"Arial");
    State->SetFill(Fill.Object.get());
    State->SetStroke(Stroke.Object.get());
    State->SetFont(Font.Object.get());
    EXPECT_NE(State->Fill(), Fill.Object.get());
    EXPECT_EQ(State->Fill()->Color(), 0x0000FF);
    EXPECT_EQ(State->Stroke()->Kind(), gskDot);
    EXPECT_EQ(State->Font()->Name(), u"Arial");
}

TEST(KelGraphicsFill, PublishesItsPropertiesWithTheirDefaults) {
    struct TCase {
        const TClassInfo* Class;
        std::vector<String> Names;
    };
    const TCase Cases[] = {
        {&TKelGraphicsFill::StaticClassInfo(),
         {u"OnChanged", u"Kind", u"Orientation", u"Color", u"ColorTo", u"ColorMirror", u"ColorMirrorTo",
          u"TextureMode", u"Texture"}},
        {&TKelGraphicsStroke::StaticClassInfo(), {u"OnChanged", u"Kind", u"Color", u"Width"}},
        {&TKelGraphicsFillGradientItem::StaticClassInfo(), {u"Opacity", u"Color", u"Position"}},
    };
    for (const TCase& Case : Cases) {
        std::vector<String> Names;
        for (const TPropInfo* Prop : GetPropList(*Case.Class))
            Names.push_back(Prop->Name);
        EXPECT_EQ(Names, Case.Names);
    }

    TCounted<TKelGraphicsFill> Fill;
    const TPropInfo& ColorMirror = FindPropInfo(Fill.Object.get(), u"ColorMirror");
    EXPECT_EQ(ColorMirror.PropType->Name, u"TColor");
    EXPECT_TRUE(IsDefaultPropertyValue(Fill.Object.get(), ColorMirror));
    EXPECT_EQ(GetEnumProp(Fill.Object.get(), u"TextureMode"), u"gtmStretch");
    SetOrdProp(Fill.Object.get(), u"Color", clNone);
    EXPECT_EQ(Fill->Color(), gcNull);
    EXPECT_EQ(Fill.Reports, 1);
    EXPECT_EQ(GetObjectProp(Fill.Object.get(), u"Texture"), Fill->Texture());

    TCounted<TKelGraphicsStroke> Stroke;
    const TPropInfo& Width = FindPropInfo(Stroke.Object.get(), u"Width");
    EXPECT_FALSE(IsStoredProp(Stroke.Object.get(), Width));
    Stroke->SetWidth(2);
    EXPECT_TRUE(IsStoredProp(Stroke.Object.get(), Width));
}

} // namespace
