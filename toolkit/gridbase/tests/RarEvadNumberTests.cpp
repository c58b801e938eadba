#include "RarEvadTestSupport.h"
#include "gridbase/RarEvad.h"
#include "rtl/Encoding.h"

namespace {

using RarEvadNumbers = LocaleTest;

TEST_F(RarEvadNumbers, DetectValueKind) {
    const struct {
        const Char* text;
        TValueKind kind;
    } cases[] = {
        {u"", vkText},
        {u"-", vkInteger},
        {u"42", vkInteger},
        {u"-42", vkInteger},
        {u"4-2", vkText},
        {u"1,000", vkFloat},
        {u".5", vkFloat},
        {u"-1.5", vkFloat},
        {u"1,00,0", vkText},
        {u"1,23,456", vkText},
        {u"1.2.3", vkText},
        {u"e5", vkText},
        {u"5e", vkText},
        {u"1e5", vkScientific},
        {u"1e+5", vkScientific},
        {u"-1.5e-3", vkScientific},
        {u"1e5e5", vkText},
        {u"12:30", vkTime},
        {u"12:30:45", vkTime},
        {u"12::30", vkText},
        {u"1/2/2024", vkDate},
        {u"1/2", vkText},
        {u"1//2", vkText},
        {u"abc", vkText},
        {u"\u0661\u0662", vkInteger}, // Arabic-Indic digits
    };
    for (const auto& c : cases)
        EXPECT_EQ(DetectValueKind(c.text), c.kind) << Utf8(c.text);
}

TEST_F(RarEvadNumbers, DetectValueKindWithDotAsDateSeparator) {
    FormatSettings.DateSeparator = u'.';
    EXPECT_EQ(DetectValueKind(u"1.2.3"), vkDate);
    UseEuropeanNumbers();
    EXPECT_EQ(DetectValueKind(u"1,5"), vkFloat);
    EXPECT_EQ(DetectValueKind(u"1.000,5"), vkFloat);
}

TEST_F(RarEvadNumbers, NormalizeNumberText) {
    const struct {
        const Char* text;
        const Char* normal;
    } cases[] = {
        {u"", u""},     {u"(12)", u"-12"},        {u" 12abc", u"12"},
        {u"-7", u"-7"}, {u"$1,234.5", u"1234.5"}, {u"x", u""},
        {u"EUR 3.25", u"3.25"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeNumberText(c.text), c.normal) << Utf8(c.text);
    UseEuropeanNumbers();
    EXPECT_EQ(NormalizeNumberText(u"(1.234,50)"), u"-1234.50");
    EXPECT_EQ(NormalizeNumberText(u"\u20AC -3,5"), u"-3.5");
}

TEST_F(RarEvadNumbers, LocaleAndInvariantNotation) {
    UseEuropeanNumbers();
    EXPECT_EQ(LocaleToInvariantNumber(u"1.234,5"), u"1234.5");
    EXPECT_EQ(LocaleToInvariantNumber(u"12:30"), u"12:30"); // no number: unchanged
    EXPECT_EQ(InvariantToLocaleNumber(u"1234.5"), u"1234,5");
    EXPECT_EQ(InvariantToLocaleNumber(u"a.b"), u"a.b");
    EXPECT_EQ(LocaleToDotNumber(u"1.234,5"), u"1234.5");
    const Char withNull[] = {u'1', u',', u'5', 0, u'9', 0};
    EXPECT_EQ(LocaleToDotNumber(withNull), u"1.5");

    FormatSettings = TFormatSettings::Create();
    EXPECT_EQ(LocaleToInvariantNumber(u"1,234.5"), u"1234.5");
    EXPECT_EQ(InvariantToLocaleNumber(u"1234.5"), u"1234.5");
}

TEST_F(RarEvadNumbers, CharacterClasses) {
    const struct {
        Char ch;
        bool digit, integer, number, scientific, floating, key, wordBreak;
    } cases[] = {
        {u'7', true, true, true, true, true, true, false},
        {u'-', false, true, false, true, true, true, true},
        {u'+', false, false, false, true, true, false, false},
        {u',', false, false, true, true, false, true, true},
        {u'.', false, false, true, true, true, true, true},
        {u'e', false, false, true, true, true, false, false},
        {u'\b', false, false, false, false, false, true, false},
        {u'\'', false, false, false, false, false, false, true},
        {u'\u00BD', true, true, true, true, true, true, false}, // one half: a number character
        {u'a', false, false, false, false, false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDigitChar(c.ch), c.digit) << int(c.ch);
        EXPECT_EQ(IsIntegerChar(c.ch), c.integer) << int(c.ch);
        EXPECT_EQ(IsNumberChar(c.ch), c.number) << int(c.ch);
        EXPECT_EQ(IsScientificChar(c.ch), c.scientific) << int(c.ch);
        EXPECT_EQ(IsFloatChar(c.ch), c.floating) << int(c.ch);
        EXPECT_EQ(IsNumericKey(c.ch), c.key) << int(c.ch);
        EXPECT_EQ(IsWordBreakChar(c.ch), c.wordBreak) << int(c.ch);
    }
}

} // namespace
