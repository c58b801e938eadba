#include "graphics/Colors.h"
#include "gridbase/MarkupColors.h"
#include "rtl/Encoding.h"

#include <gtest/gtest.h>

TEST(MarkupColors, ValuesOfTheGridDialect) {
    struct TCase {
        const char16_t* Value;
        TColor Color;
    };
    const TCase cases[] = {
        {u"red", RGB(255, 0, 0)},
        {u"clRed", RGB(255, 0, 0)},
        {u"#ff0000", RGB(255, 0, 0)},
        {u"#FF0000", RGB(255, 0, 0)},
        {u"#1020", RGB(0x10, 0x20, 0)},
        {u"#zz8040", RGB(0, 0x80, 0x40)},
        {u"RebeccaPurple", RGB(0x66, 0x33, 0x99)},
        {u"grey", RGB(128, 128, 128)},
        {u"yellowgreen", RGB(0x9A, 0xCD, 0x32)},
        {u"3ddkshadow", cl3DDkShadow},
        {u"clBtnFace", clBtnFace},
        {u"windowtext", clWindowText},
        {u"nosuchcolour", clBlack},
        {u"", clBlack},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(ParseMarkupColor(c.Value), c.Color) << Utf8(c.Value);
}

TEST(MarkupColors, TableIsCompleteAndSortedForTheBinarySearch) {
    const auto names = MarkupColorNames();
    ASSERT_EQ(names.size(), 172u);
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_NE(names[i].Name, nullptr) << i;
        if (i > 0) {
            EXPECT_LT(std::u16string_view(names[i - 1].Name), std::u16string_view(names[i].Name));
        }
        EXPECT_EQ(ParseMarkupColor(names[i].Name), names[i].Color) << Utf8(names[i].Name);
    }
}

TEST(MarkupColors, StaticDialectKnowsOnlyItsFortyNames) {
    EXPECT_EQ(ParseStaticMarkupColor(u"red"), clBlack);
    EXPECT_EQ(ParseStaticMarkupColor(u"clRed"), RGB(255, 0, 0));
    EXPECT_EQ(ParseStaticMarkupColor(u"clInfoBk"), clInfoBk);
    EXPECT_EQ(ParseStaticMarkupColor(u"claliceblue"), clBlack);
    EXPECT_EQ(ParseStaticMarkupColor(u"#00FF00"), RGB(0, 255, 0));
}

TEST(MarkupColors, HighlightColoursAreSharedAndStartAsSystemHighlight) {
    EXPECT_EQ(MarkupHighlightColor(), clHighlight);
    EXPECT_EQ(MarkupHighlightTextColor(), clHighlightText);
    SetMarkupHighlightColors(clYellow, clBlack);
    EXPECT_EQ(MarkupHighlightColor(), clYellow);
    EXPECT_EQ(MarkupHighlightTextColor(), clBlack);
    SetMarkupHighlightColors(clHighlight, clHighlightText);
}
