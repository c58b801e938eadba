#include "rtl/Encoding.h"

#include "rtl/Exception.h"

#include <gtest/gtest.h>

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
        {"a\x80z", u"a\uFFFDz"},     // stray continuation byte
        {"a\xC3", u"a\uFFFD"},       // truncated at the end
        {"\xC0\xAF", u"\uFFFD"},     // overlong encoding
        {"\xED\xA0\x80", u"\uFFFD"}, // encoded surrogate
        {"\xE2\x82x", u"\uFFFDx"},   // interrupted sequence
    };
    for (const auto& c : cases)
        EXPECT_EQ(FromUtf8(c.bytes), c.expected) << c.bytes;
}

TEST(Utf8, UnpairedSurrogateBecomesReplacementCharacter) {
    EXPECT_EQ(Utf8(String(1, u'\xD800')), "\xEF\xBF\xBD");
}

TEST(ExceptionTest, CarriesMessageAsUtf16AndUtf8) {
    const Exception e(u"Fehler µ");
    EXPECT_EQ(e.Message(), u"Fehler µ");
    EXPECT_STREQ(e.what(), "Fehler \xC2\xB5");
}

TEST(Ansi, EveryByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const String text = FromAnsi(all);
    ASSERT_EQ(text.size(), 256u);
    EXPECT_EQ(ToAnsi(text), all);
}

TEST(Ansi, MapsTheWindows1252Characters) {
    struct Case {
        unsigned char byte;
        Char character;
    };
    const Case cases[] = {
        {0x41, u'A'},      {0x80, u'\u20AC'}, {0x81, u'\u0081'}, {0x8D, u'\u008D'},
        {0x8F, u'\u008F'}, {0x90, u'\u0090'}, {0x9D, u'\u009D'}, {0x92, u'\u2019'},
        {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}, {0xB5, u'\u00B5'}, {0xFF, u'\u00FF'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromAnsi(std::string(1, static_cast<char>(c.byte))), String(1, c.character)) << int(c.byte);
        EXPECT_EQ(ToAnsi(String(1, c.character)), std::string(1, static_cast<char>(c.byte))) << int(c.byte);
    }
}

TEST(Ansi, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    // U+0080 and U+0085 are C1 controls whose bytes mean other characters.
    EXPECT_EQ(ToAnsi(u"a\u0100\u0080\u0085\u4E2Db"), "a????b");
    EXPECT_EQ(ToAnsi(u"x\U0001F600y"), "x?y");            // one character, one '?'
    EXPECT_EQ(ToAnsi(String(1, u'\xD800') + u"z"), "?z"); // unpaired surrogate
}

TEST(Bom, DetectsEncodingAndLength) {
    struct Case {
        std::string bytes;
        TBomEncoding encoding;
        Integer length;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBFx", TBomEncoding::Utf8, 3}, {"\xFF\xFEx", TBomEncoding::Utf16LE, 2},
        {"\xFE\xFFx", TBomEncoding::Utf16BE, 2},  {"\xEF\xBB", TBomEncoding::None, 0}, // truncated mark
        {"abc", TBomEncoding::None, 0},           {"", TBomEncoding::None, 0},
    };
    for (const auto& c : cases) {
        const TBomInfo bom = DetectBom(c.bytes);
        EXPECT_EQ(bom.Encoding, c.encoding) << c.bytes;
        EXPECT_EQ(bom.Length, c.length) << c.bytes;
    }
}

TEST(TEncodingTest, EachEncodingWritesItsBytesAndPreamble) {
    struct Case {
        const TEncoding& encoding;
        std::string bytes;
        std::string preamble;
    };
    const String text = u"\u00e9\u20ac\U0001F600";
    const Case cases[] = {
        {TEncoding::ANSI(), "\xE9\x80?", ""},
        {TEncoding::ASCII(), "???", ""},
        {TEncoding::UTF8(), "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", "\xEF\xBB\xBF"},
        {TEncoding::Unicode(), std::string("\xE9\0\xAC\x20\x3D\xD8\x00\xDE", 8), "\xFF\xFE"},
        {TEncoding::BigEndianUnicode(), std::string("\0\xE9\x20\xAC\xD8\x3D\xDE\x00", 8), "\xFE\xFF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.encoding.GetBytes(text), c.bytes) << Utf8(c.encoding.EncodingName());
        EXPECT_EQ(c.encoding.GetPreamble(), c.preamble) << Utf8(c.encoding.EncodingName());
    }
    for (const TEncoding* e : {&TEncoding::UTF8(), &TEncoding::Unicode(), &TEncoding::BigEndianUnicode()})
        EXPECT_EQ(e->GetString(e->GetBytes(text)), text);
    EXPECT_EQ(TEncoding::ASCII().GetString("a\xE9"), u"a?");
    EXPECT_EQ(TEncoding::Unicode().GetString(std::string_view("a\0b", 3)), u"a\uFFFD"); // odd last byte
}

TEST(TEncodingTest, BufferEncodingFollowsTheByteOrderMark) {
    struct Case {
        std::string bytes;
        const TEncoding* expected;
        Integer length;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBFx", &TEncoding::UTF8(), 3},
        {"\xFF\xFEx", &TEncoding::Unicode(), 2},
        {"\xFE\xFFx", &TEncoding::BigEndianUnicode(), 2},
        {"abc", &TEncoding::ANSI(), 0},
    };
    for (const auto& c : cases) {
        const TEncoding* found = nullptr;
        EXPECT_EQ(TEncoding::GetBufferEncoding(c.bytes, found), c.length) << c.bytes;
        EXPECT_EQ(found, c.expected) << c.bytes;
    }
    // A given encoding is kept; its own preamble is measured, a foreign one is not.
    const TEncoding* given = &TEncoding::UTF8();
    EXPECT_EQ(TEncoding::GetBufferEncoding("\xEF\xBB\xBFx", given), 3);
    EXPECT_EQ(TEncoding::GetBufferEncoding("\xFF\xFEx", given), 0);
    EXPECT_EQ(given, &TEncoding::UTF8());
}

TEST(DecodeTextTest, MarkSelectsEncodingElseFallback) {
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF\xC2\xB5g"), u"\u00B5g");
    EXPECT_EQ(DecodeText(std::string("\xFE\xFF\0\xB5", 4)), u"\u00B5");
    EXPECT_EQ(DecodeText("\xB5g"), u"\u00B5g"); // Windows-1252 without a mark
    EXPECT_EQ(DecodeText("\xC2\xB5", TEncoding::UTF8()), u"\u00B5");
    EXPECT_EQ(DecodeText(""), u"");
}
