#include "graphics/Colors.h"
#include "gridbase/MarkupTags.h"
#include "rtl/Encoding.h"

#include <gtest/gtest.h>

TEST(MarkupTags, OpeningTagsByTheirLeadingLetters) {
    struct TCase {
        const char16_t* Tag;
        TMarkupTag Grid;
        TMarkupTag Static;
    };
    using T = TMarkupTag;
    const TCase cases[] = {
        {u"<b>", T::B, T::B},
        {u"<B>", T::B, T::B},
        {u"<BOLD>", T::BODY, T::BODY},
        {u"<BX>", T::None, T::None},
        {u"<ABBR>", T::A, T::A},
        {u"<a href=\"x\">", T::A, T::A},
        {u"<br>", T::BR, T::BR},
        {u"<BLINK>", T::BLINK, T::BLINK},
        {u"<CONTROL TYPE=\"EDIT\">", T::CONTROL, T::None},
        {u"<E>", T::E, T::E},
        {u"<FONT color=\"red\">", T::FONT, T::FONT},
        {u"<HI>", T::HI, T::HI},
        {u"<HR>", T::HR, T::HR},
        {u"<H1>", T::None, T::None},
        {u"<I>", T::I, T::I},
        {u"<IND x=\"5\">", T::IND, T::IND},
        {u"<IMG src=\"a\">", T::IMG, T::IMG},
        {u"<ITALIC>", T::None, T::None},
        {u"<J \U0001F600 >", T::J, T::J},
        {u"<LI>", T::LI, T::LI},
        {u"<OL>", T::OL, T::OL},
        {u"<OFS x=\"3\">", T::None, T::OFS},
        {u"<P align=\"right\">", T::P, T::P},
        {u"<R a=\"90\">", T::R, T::R},
        {u"<S>", T::S, T::S},
        {u"<STRIKE>", T::STRIKE, T::STRIKE},
        {u"<SPAN style=\"\">", T::SPAN, T::SPAN},
        {u"<SHAD>", T::SHAD, T::SHAD},
        {u"<sub>", T::SUB, T::SUB},
        {u"<SUP>", T::SUP, T::SUP},
        {u"<SUBX>", T::None, T::None},
        {u"<U>", T::U, T::U},
        {u"<UL>", T::UL, T::UL},
        {u"<Z>", T::Z, T::Z},
        {u"<X>", T::None, T::None},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(MarkupOpeningTag(c.Tag), c.Grid) << Utf8(c.Tag);
        EXPECT_EQ(MarkupOpeningTag(c.Tag, TMarkupDialect::StaticText), c.Static) << Utf8(c.Tag);
    }
}

TEST(MarkupTags, ClosingTags) {
    struct TCase {
        const char16_t* Tag;
        Integer ListDepth;
        TMarkupTag Expected;
    };
    using T = TMarkupTag;
    const TCase cases[] = {
        {u"</A>", 0, T::A},        {u"</b>", 0, T::B},           {u"</BODY>", 0, T::BODY},
        {u"</BLINK>", 0, T::BODY}, {u"</E>", 0, T::E},           {u"</FONT>", 0, T::FONT},
        {u"</HI>", 0, T::HI},      {u"</I>", 0, T::I},           {u"</LI>", 0, T::LI},
        {u"</OL>", 1, T::OL},      {u"</O>", 1, T::None},        {u"</P>", 0, T::P},
        {u"</R>", 0, T::R},        {u"</STRIKE>", 0, T::STRIKE}, {u"</SUB>", 0, T::SUB},
        {u"</SUP>", 0, T::SUB},    {u"</SPAN>", 0, T::SPAN},     {u"</SHAD>", 0, T::SHAD},
        {u"</S>", 0, T::S},        {u"</SX>", 0, T::S},          {u"</U>", 2, T::U},
        {u"</UL>", 0, T::U},       {u"</UL>", 1, T::UL},         {u"</Z>", 0, T::Z},
        {u"</Q>", 0, T::None},     {u"<B>", 0, T::None},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MarkupClosingTag(c.Tag, c.ListDepth), c.Expected)
            << Utf8(c.Tag) << " depth " << c.ListDepth;
}

TEST(MarkupTags, TagEnd) {
    EXPECT_EQ(MarkupTagEnd(u"a<b>c", 1), 3u);
    EXPECT_EQ(MarkupTagEnd(u"a<b", 1), std::nullopt);
    EXPECT_EQ(MarkupTagEnd(u"a<", 1), std::nullopt);
    EXPECT_EQ(MarkupTagEnd(u"a<font color", 1), std::nullopt);
}

TEST(MarkupTags, AttributeValues) {
    const String font = MarkupAttributeText(u"<FONT BGCOLOR=\"blue\" COLOR=\"red\" FACE=\"Arial>");
    EXPECT_EQ(font, u" BGCOLOR=\"blue\" COLOR=\"red\" FACE=\"Arial");
    EXPECT_EQ(MarkupAttributeValue(font, u" COLOR"), String(u"red"));
    EXPECT_EQ(MarkupAttributeValue(font, u"bgcolor"), String(u"blue"));
    EXPECT_EQ(MarkupAttributeValue(font, u"FACE"), String(u"Arial")); // no closing quote: to the end
    EXPECT_EQ(MarkupAttributeValue(font, u"SIZE"), std::nullopt);
    EXPECT_EQ(MarkupAttributeValue(u" SIZE=3", u"SIZE"), String());
    EXPECT_EQ(MarkupAttributeText(u"<B>"), String());

    EXPECT_EQ(MarkupNumber(u"3\""), 3);
    EXPECT_EQ(MarkupNumber(u"12px"), 12);
    EXPECT_EQ(MarkupNumber(u"x"), 0);
    EXPECT_EQ(MarkupStrictNumber(u"12"), 12);
    EXPECT_EQ(MarkupStrictNumber(u"12px"), std::nullopt);

    EXPECT_TRUE(MarkupTagUpperCasesValues(TMarkupTag::FONT));
    EXPECT_FALSE(MarkupTagUpperCasesValues(TMarkupTag::A));
}

TEST(MarkupTags, StyleAndSizeValues) {
    EXPECT_EQ(MarkupBodyFontSize(u" STYLE=\"FONT-SIZE:12PT;\""), 12);
    EXPECT_EQ(MarkupStyleValue(u" STYLE=\"FONT-STYLE:BOLD'\"", u"FONT-STYLE"), String(u"BOLD"));
    EXPECT_EQ(MarkupStyleValue(u" FACE=\"X\"", u"FONT-STYLE"), std::nullopt);
    struct TCase {
        const char16_t* Attributes;
        std::optional<Integer> Points;
    };
    const TCase sizes[] = {
        {u" SIZE=\"1\"", 8},
        {u" SIZE=\"3\"", 12},
        {u" SIZE=\"5\"", 16},
        {u" SIZE=\"9\"", 9},
        {u" STYLE=\"FONT-SIZE: 11 PT\" SIZE=\"1\"", 11},
        {u" STYLE=\"COLOR:RED\" SIZE=\"1\"", std::nullopt},
        {u" FACE=\"ARIAL\"", std::nullopt},
    };
    for (const TCase& c : sizes)
        EXPECT_EQ(MarkupFontSize(c.Attributes), c.Points) << Utf8(c.Attributes);
    EXPECT_EQ(StaticMarkupFontSizeStep(3), 4);
    EXPECT_EQ(StaticMarkupFontSizeStep(9), std::nullopt);

    EXPECT_EQ(MarkupSpanBackground(u" STYLE=\"BACKGROUND-COLOR:#FF8000\""), RGB(255, 128, 0));
    EXPECT_EQ(MarkupSpanBackground(u" STYLE=\"BACKGROUND-COLOR:RED\""), std::nullopt);

    EXPECT_EQ(MarkupParagraphAlign(u" ALIGN=\"RIGHT\""), TMarkupAlign::Right);
    EXPECT_EQ(MarkupParagraphAlign(u" ALIGN=\"CENTER LEFT\""), TMarkupAlign::Center);
    EXPECT_EQ(MarkupParagraphAlign(u" INDENT=\"4\""), std::nullopt);
}

TEST(MarkupTags, PictureSources) {
    struct TCase {
        const char16_t* Source;
        TMarkupPictureKind Kind;
        const char16_t* Name;
    };
    const TCase cases[] = {
        {u"IDX:3", TMarkupPictureKind::ImageList, u"3"},
        {u"SSYS:/tmp", TMarkupPictureKind::SmallSystemIcon, u"/tmp"},
        {u"lsys:a.txt", TMarkupPictureKind::LargeSystemIcon, u"a.txt"},
        {u"RES://LOGO", TMarkupPictureKind::Cache, u"RES://LOGO"},
        {u"logo", TMarkupPictureKind::Container, u"logo"},
    };
    for (const TCase& c : cases) {
        const auto source = MarkupPictureSource(c.Source);
        ASSERT_TRUE(source) << Utf8(c.Source);
        EXPECT_EQ(source->Kind, c.Kind) << Utf8(c.Source);
        EXPECT_EQ(source->Name, c.Name) << Utf8(c.Source);
    }
    EXPECT_EQ(MarkupPictureSource(u"C:logo"), std::nullopt);
}
