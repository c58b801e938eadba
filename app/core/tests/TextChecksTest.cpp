#include "core/TextChecks.h"

#include "rtl/Encoding.h"

#include <gtest/gtest.h>

TEST(TextChecks, MonthNumber) {
    const struct {
        String Text, Number;
    } cases[] = {{u"jan", u"1"},     {u"Jan", u"1"}, {u"sep", u"9"}, {u"dec", u"12"}, {u"DEC", u"12"},
                 {u"DECEMBER", u""}, {u"", u""},     {u"de", u""},   {u" dec", u""},  {u"xyz", u""}};
    for (const auto& c : cases)
        EXPECT_EQ(MonthNumber(c.Text), c.Number) << Utf8(c.Text);
}

TEST(TextChecks, DaysInMonthOf) {
    const struct {
        Integer Month, Year, Days;
    } cases[] = {{1, 2001, 31}, {2, 2000, 29}, {2, 2004, 29},  {2, 1900, 28},  {2, 2001, 28},  {4, 2001, 30},
                 {6, 2001, 30}, {9, 2001, 30}, {11, 2001, 30}, {12, 2001, 31}, {13, 2001, 31}, {0, 2001, 31}};
    for (const auto& c : cases)
        EXPECT_EQ(DaysInMonthOf(c.Month, c.Year), c.Days) << c.Month << "/" << c.Year;
}

TEST(TextChecks, IsValidDayMonthYear) {
    const struct {
        String Text;
        bool Valid;
    } cases[] = {
        {u"29-feb-2000", true},    {u"31-DEC-1999", true},  {u"01-Jan-2001", true},  {u"30/apr/2001", true},
        {u"29-Feb-1900", false},   {u"31-apr-2001", false}, {u"1-jan-2001", false},  {u"ab-jan-2001", false},
        {u"xx-xyz-2001", false},   {u"00-jan-2001", false}, {u"-1-jan-2001", false}, {u" 1-jan-2001", false},
        {u"01-jan-2001 x", false}, {u"01-jan-01", false},   {u"01-jan-20x1", false}, {u"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidDayMonthYear(c.Text), c.Valid) << Utf8(c.Text);
}

TEST(TextChecks, HasInvalidNameChars) {
    for (const Char c : String(u" /\\()><*:\"|,.+=?"))
        EXPECT_TRUE(HasInvalidNameChars(String(u"name") + c)) << static_cast<char>(c);
    for (const String name : {u"", u"my_project-2", u"Project\u00e9"})
        EXPECT_FALSE(HasInvalidNameChars(name)) << Utf8(name);
}

TEST(TextChecks, NonASCIIIsFoundAndStripped) {
    const String text = u"Caf\u00e9 na\u00efve 12-3, (x)! \u20ac\U0001F600";
    EXPECT_TRUE(HasNonASCII(text));
    EXPECT_EQ(StripNonASCII(text), u"Caf nave 12-3, (x)! ");
    EXPECT_FALSE(HasNonASCII(u"plain ASCII ~\x7f"));
    EXPECT_EQ(StripNonASCII(u""), u"");
}

namespace {

struct TFakeEdit {
    String FText;
    Integer FSelStart = 0;
    int Writes = 0;
    String Text() const { return FText; }
    Integer SelStart() const { return FSelStart; }
    void SetText(const String& value) {
        FText = value;
        ++Writes;
    }
    void SetSelStart(Integer value) { FSelStart = value; }
};

} // namespace

TEST(TextChecks, StripNonASCIIFromEditPutsTheCaretOneBack) {
    const struct {
        String Text;
        Integer Caret;
        String NewText;
        Integer NewCaret;
        int Writes;
    } cases[] = {
        {u"abc\u00e9", 4, u"abc", 3, 1}, // typed at the end
        {u"a\u00e9bc", 2, u"abc", 1, 1}, // typed in the middle
        {u"\u00e9", 1, u"", 0, 1},       // the only character
        {u"abc", 2, u"abc", 2, 0},       // nothing to strip: untouched
    };
    for (const auto& c : cases) {
        TFakeEdit edit{c.Text, c.Caret};
        StripNonASCIIFromEdit(edit);
        EXPECT_EQ(edit.FText, c.NewText) << Utf8(c.Text);
        EXPECT_EQ(edit.FSelStart, c.NewCaret) << Utf8(c.Text);
        EXPECT_EQ(edit.Writes, c.Writes) << Utf8(c.Text);
    }
}
