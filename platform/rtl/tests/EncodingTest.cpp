#include <gtest/gtest.h>

#include "rtl/Encoding.h"
#include "rtl/Exception.h"

TEST(Utf8, RoundTripsBmpAndSupplementaryCharacters) {
    const String text = u"µg/L \u00e9\u20ac \U0001F600";
    EXPECT_EQ(FromUtf8(Utf8(text)), text);
    EXPECT_EQ(Utf8(u"\u00b5"), "\xC2\xB5");
}

TEST(Utf8, MalformedInputIsReplacedNotFatal) {
    struct Case {
        std::string bytes;
        String expected;
    };
    const Case cases[] = {
        {"a\x80" "b", u"a\uFFFDb"},          // stray continuation byte
        {"a\xC3", u"a\uFFFD"},               // truncated at the end
        {"\xC0\xAF", u"\uFFFD"},             // overlong encoding
        {"\xED\xA0\x80", u"\uFFFD"},         // encoded surrogate
        {"\xE2\x82x", u"\uFFFDx"},           // interrupted sequence
    };
    for (const auto& c : cases) EXPECT_EQ(FromUtf8(c.bytes), c.expected) << c.bytes;
}

TEST(Utf8, UnpairedSurrogateBecomesReplacementCharacter) {
    EXPECT_EQ(Utf8(String(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(ExceptionTest, CarriesMessageAsUtf16AndUtf8) {
    const Exception e(u"Fehler µ");
    EXPECT_EQ(e.Message(), u"Fehler µ");
    EXPECT_STREQ(e.what(), "Fehler \xC2\xB5");
}
