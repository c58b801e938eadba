#include "RarEvadTestSupport.h"
#include "gridbase/XLSFormat.h"
#include "rtl/DateTime.h"
#include "rtl/Encoding.h"

#include <cmath>
#include <limits>

namespace {

using XLSFormat = LocaleTest;

const String Hashes(19, u'#');

struct TFormatCase {
    Variant value;
    const Char* format;
    String text;
};

void ExpectFormats(std::initializer_list<TFormatCase> cases) {
    for (const auto& c : cases)
        EXPECT_EQ(ApplyXLSFormat(c.value, c.format), c.text)
            << Utf8(c.format) << " with " << Utf8(VarToStr(c.value));
}

TEST_F(XLSFormat, NumbersSectionsAndConditions) {
    ExpectFormats({
        {3.14159, u"0.00", u"3.14"},
        {-2.0, u"0.00", u"-2.00"},
        {-2.0, u"0.00;(0.00)", u"(2.00)"},
        {2.0, u"0.00;(0.00)", u"2.00"},
        {0.0, u"0;-0;\"zero\"", u"zero"},
        {-1.0, u"[<0]\"neg\";\"pos\"", u"neg"},
        {5.0, u"[<0]\"neg\";\"pos\"", u"pos"},
        {1.0, u"[>5]0;[>10]0", Hashes},
        {12.0, u"[>10]\"big\";[>5]\"mid\";0", u"big"},
        {7.0, u"[>10]\"big\";[>5]\"mid\";0", u"mid"},
        {0.25, u"0%", u"25%"},
        {Integer(1234567), u"#,##0", u"1,234,567"},
        {1234.5, u"[Red]#,##0.00", u"1,234.50"},
        {1234.5, u"[$\u20AC-407] #,##0", u"\u20AC 1,235"},
        {3.0, u"0 \"kg\"", u"3 kg"},
        {3.0, u"0\\m", u"3m"},
        {3.0, u"0_)", u"3 "},
        {3.5, u"??.0?", u"3.5"},
        {12.5, u"General", u"12.5"},
        {12.5, u"X0", u"12.5"},
        {-12.5, u"0;General", u"12.5"},
        {1.0, u"0;0;0;0;0", u"1"},
    });
}

TEST_F(XLSFormat, DatesAndTimes) {
    UseDates(u"dd.MM.yyyy", u'.', u':');
    const TDateTime date = EncodeDateTime(2024, 3, 5, 15, 7, 9, 0);
    ExpectFormats({
        {1.75, u"[h]:mm", u"42:00"},
        {1.75, u"[h]", u"42"},
        {-0.5, u"[hh]", u"-12"},
        {0.5, u"[mm]:ss", u"720:00"},
        {Variant::FromDate(date), u"dd/mm/yyyy", u"05.03.2024"},
        {Variant::FromDate(date), u"yyyy\\-mm\\-dd", u"2024-03-05"},
        {Variant::FromDate(date), u"hh:mm", u"15:07"},
        {Variant::FromDate(date), u"hh:mm AM/PM", u"03:07 PM"},
        {Variant::FromDate(date), u"h AM/PM", u"3 PM"},
        {Variant::FromDate(date), u"mm:ss", u"07:09"}, // minutes, as a spreadsheet shows them
        {Variant::FromDate(date), u"hh mm", u"15 03"}, // a blank ends the run: the second part is the month
        {Variant::FromDate(-3.0), u"yyyy", Hashes},
        {1.0e7, u"yyyy", u"##"},
    });
    FormatSettings.LongDateFormat = u"d MMMM yyyy";
    FormatSettings.TimeAMString = u"";
    FormatSettings.TimePMString = u"";
    ExpectFormats({
        {Variant::FromDate(date), u"[$-F800]dddd, mmmm dd, yyyy", u"5 March 2024"},
        {Variant::FromDate(date), u"hh:mm AM/PM", u"03:07 PM"},
    });
}

TEST_F(XLSFormat, SpreadsheetNumberPictures) {
    ExpectFormats({
        {1.25, u"# ?/?", u"1 1/4"},
        {0.5, u"# ?/?", u" 1/2"},
        {-2.75, u"# ?/?", u"-2 3/4"},
        {3.0, u"# ?/?", u"3    "},
        {0.333, u"?/??", u"1/3 "},
        {1.5, u"?/?", u"3/2"},
        {0.3, u"# ?/8", u" 2/8"},
        {8005551234.0, u"(###) ###-####", u"(800) 555-1234"},
        {-1234.5, u"$#,##0.00", u"-$1,234.50"},
        {-1234.5, u"\"EUR \"#,##0", u"-EUR 1,235"},
        {Integer(1234567), u"#,##0,", u"1,235"},
        {Integer(1234567), u"0.0,,", u"1.2"},
        {2.675, u"0.00", u"2.68"},
        {2.5, u"0", u"3"},
        {0.5, u"#.##", u".5"},
        {12.5, u".00", u"12.50"},
        {5.0, u"000", u"005"},
        {-0.001, u"0.00", u"0.00"},
    });
}

TEST_F(XLSFormat, HugeNumbersWriteAllTheirDigits) {
    String thousands = u"1";
    for (int group = 0; group < 100; ++group)
        thousands += u",000";
    EXPECT_EQ(ApplyXLSFormat(1e300, u"#,##0"), thousands);
}

TEST_F(XLSFormat, CommasAmongDateCodesAreText) {
    UseDates(u"dd.MM.yyyy", u'.', u':');
    const Variant date = Variant::FromDate(EncodeDate(2023, 3, 15));
    ExpectFormats({
        {date, u"mmm d, yyyy", u"Mar 15, 2023"},
        {date, u"yyyy-mm-dd", u"2023-03-15"},
    });
}

TEST_F(XLSFormat, ValuesThatCannotBeShownFillTheFormatWithHashes) {
    // Nothing raises: a date beyond year 9999 has no text, and elapsed
    // hours beyond 64-bit integers cannot be counted.
    const Variant farDate = Variant::FromDate(3.0e6);
    ExpectFormats({
        {farDate, u"General", u"#######"},
        {farDate, u"", u"##"},
        {1e300, u"[h]", u"###"},
        {-1e300, u"[mm]:ss", u"#######"},
        {std::nan(""), u"[h]", u"###"},
        {std::numeric_limits<double>::infinity(), u"0.00", u"####"},
        {std::numeric_limits<double>::max(), u"0.00+?%", u"#######"},
        // A fixed denominator of 16 digits is beyond counting.
        {0.5, u"# ?/5555555555555555", u"####################"},
    });
}

TEST_F(XLSFormat, TextsBooleansAndEmptyValues) {
    ExpectFormats({
        {u"abc", u"\"Text: \"@", u"Text: abc"},
        {u"abc", u"Text: @", u"abc"},
        {u"abc", u"0.0", u"abc"},
        {u"abc", u"0;0;0;[Blue]\"<\"@\">\"", u"<abc>"},
        {true, u"0", u"TRUE"},
        {false, u"@", u"FALSE"},
        {Variant(), u"0", u""},
        {Variant::Null(), u"0", u""},
        {12.5, u"", u"12.5"},
    });
}

} // namespace
