#include "KelJSONTestSupport.h"
#include "kel/KelJSONWriter.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "rtltesting/ExceptionMessage.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <typeindex>

namespace {

using W = TKelJSONWriter;

void WriteExample(W& w) {
    w.WriteBeginObject().WriteName(u"a").WriteInteger(1).WriteName(u"b");
    w.WriteBeginArray().WriteBoolean(true).WriteNull().WriteEndArray();
    w.WriteEndObject();
}

TEST(KelJSONWriter, CompactAndIndentedLayout) {
    EXPECT_EQ(Written(WriteExample), "{\"a\":1,\"b\":[true,null]}");
    EXPECT_EQ(Written(WriteExample, 2), "{\r\n"
                                        "  \"a\": 1,\r\n"
                                        "  \"b\": [\r\n"
                                        "    true,\r\n"
                                        "    null\r\n"
                                        "  ]\r\n"
                                        "}");
    const auto empties = [](W& w) {
        w.WriteBeginArray()
            .WriteBeginObject()
            .WriteEndObject()
            .WriteBeginArray()
            .WriteEndArray()
            .WriteEndArray();
    };
    EXPECT_EQ(Written(empties), "[{},[]]");
    EXPECT_EQ(Written(empties, 1), "[\r\n {},\r\n []\r\n]");
    // A length of 0 or less takes the indentation away again.
    EXPECT_EQ(Written(
                  [](W& w) {
                      w.SetIndentLength(-1);
                      EXPECT_EQ(w.IndentLength(), 0);
                      WriteExample(w);
                  },
                  3),
              "{\"a\":1,\"b\":[true,null]}");
}

TEST(KelJSONWriter, StringsAndNamesAreEscapedRawStringsNot) {
    const auto calls = [](W& w) {
        w.WriteBeginObject().WriteName(u"n\u00E9\"").WriteString(u"a\"b\\");
        w.WriteName(u"t").WriteString(u"\u00E9/\b\f\n\r\t\x01 \U0001F600");
        w.WriteName(u"r").WriteRawString(u"\u00E9\"");
        w.WriteEndObject();
    };
    EXPECT_EQ(Written(calls), "{\"n\\u00E9\\u0022\":\"a\\u0022b\\u005C\","
                              "\"t\":\"\\u00E9/\\u0008\\u000C\\u000A\\u000D\\u0009\x01 \\uD83D\\uDE00\","
                              "\"r\":\"\xE9\"\"}");
}

TEST(KelJSONWriter, NumbersInTheLocaleIndependentForm) {
    struct Case {
        double Value;
        const char* Text;
    };
    const Case cases[] = {
        {0, "0"},           {1.5, "1.5"},
        {-0.25, "-0.25"},   {2.0 / 3.0, "0.666666666666667"},
        {1e-5, "0.00001"},  {1e-6, "1E-6"},
        {1.5e20, "1.5E20"}, {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},     {-2.5e-300, "-2.5E-300"},
    };
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = u',';
    for (const Case& c : cases)
        EXPECT_EQ(Written([&](W& w) { w.WriteBeginArray().WriteDouble(c.Value).WriteEndArray(); }),
                  "[" + std::string(c.Text) + "]")
            << c.Text;
    FormatSettings = saved;

    EXPECT_EQ(Written([](W& w) {
                  w.WriteBeginArray().WriteInteger(std::numeric_limits<Int64>::min()).WriteInteger(0);
                  w.WriteInteger(std::numeric_limits<Int64>::max()).WriteEndArray();
              }),
              "[-9223372036854775808,0,9223372036854775807]");
}

TEST(KelJSONWriter, NaNAndInfinitiesAreRefused) {
    for (const double value : {std::nan(""), std::numeric_limits<double>::infinity()}) {
        TBytesStream target;
        W* writer = Create<W>(target);
        writer->WriteBeginArray();
        EXPECT_THROW(writer->WriteDouble(value), EConvertError);
        writer->WriteInteger(1).WriteEndArray();
        Free(writer);
        EXPECT_EQ(BytesOf(target), "[1]");
    }
    EXPECT_EQ(
        MessageOf<EConvertError>([] { Written([](W& w) { w.WriteBeginArray().WriteDouble(-INFINITY); }); }),
        u"-INF cannot be written as a JSON number");
}

TEST(KelJSONWriter, StructuralFaultsRaiseTheirOwnException) {
    struct Case {
        const char* Name;
        std::function<void(W&)> Calls;
        std::type_index Type;
        const Char* Message;
    };
    const Char* invalidNesting = u"Invalid nesting. Not all arrays/objects were properly closed.";
    const Char* missingValue = u"Json value missing";
    const Char* cannotWriteName = u"Cannot write name in current Json scope";
    const Case cases[] = {
        {"scalar at the top", [](W& w) { w.WriteString(u"x"); }, typeid(W::EObjectOrArrayExpected),
         u"Object or array expected as top-level value"},
        {"second root", [](W& w) { w.WriteBeginObject().WriteEndObject().WriteBeginArray(); },
         typeid(W::EMultipleRootNotAllowed), u"Multiple root values not allowed"},
        {"value without a name", [](W& w) { w.WriteBeginObject().WriteInteger(1); },
         typeid(W::EInvalidNesting), invalidNesting},
        {"member after a member without a name",
         [](W& w) { w.WriteBeginObject().WriteName(u"a").WriteNull().WriteNull(); },
         typeid(W::EInvalidNesting), invalidNesting},
        {"wrong closing bracket", [](W& w) { w.WriteBeginArray().WriteEndObject(); },
         typeid(W::EInvalidNesting), invalidNesting},
        {"closing nothing", [](W& w) { w.WriteEndArray(); }, typeid(W::EInvalidNesting), invalidNesting},
        {"close before the end", [](W& w) { w.WriteBeginArray().Close(); }, typeid(W::EInvalidNesting),
         invalidNesting},
        {"close on nothing", [](W& w) { w.Close(); }, typeid(W::EInvalidNesting), invalidNesting},
        {"closing with a pending name", [](W& w) { w.WriteBeginObject().WriteName(u"a").WriteEndObject(); },
         typeid(W::EMissingValue), missingValue},
        {"two names", [](W& w) { w.WriteBeginObject().WriteName(u"a").WriteName(u"b"); },
         typeid(W::EMissingValue), missingValue},
        {"empty name", [](W& w) { w.WriteBeginObject().WriteName(u""); }, typeid(W::EEmptyName),
         u"Cannot write empty name"},
        {"name in an array", [](W& w) { w.WriteBeginArray().WriteName(u"a").WriteNull(); },
         typeid(W::ECannotWriteName), cannotWriteName},
        {"name at the top", [](W& w) { w.WriteName(u"a").WriteBeginObject(); }, typeid(W::ECannotWriteName),
         cannotWriteName},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        try {
            Written(c.Calls);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& error) {
            EXPECT_EQ(std::type_index(typeid(error)), c.Type);
            EXPECT_EQ(error.Message(), c.Message);
        }
    }
}

TEST(KelJSONWriter, CloseAcceptsOneCompleteDocument) {
    TBytesStream target;
    W* writer = Create<W>(target);
    writer->WriteBeginArray().WriteEndArray().Close();
    EXPECT_TRUE(writer->Closed());
    Free(writer);
    EXPECT_EQ(BytesOf(target), "[]");
}

TEST(KelJSONWriter, TheTextReachesTheTargetWhenTheWriterIsFreed) {
    TBytesStream target;
    target.WriteBuffer("ab", 2);
    target.SetPosition(1);
    W* writer = Create<W>(target);
    writer->WriteBeginArray().WriteInteger(1);
    EXPECT_EQ(BytesOf(target), "ab");
    EXPECT_THROW(writer->WriteEndObject(), W::EInvalidNesting);
    Free(writer);
    // The partial document, written at the target's position.
    EXPECT_EQ(BytesOf(target), "a[1");
}

TEST(KelJSONWriter, AtMost255NestedContainersBothWays) {
    const auto nested = [](int ADepth) {
        return [ADepth](W& w) {
            for (int level = 0; level < ADepth; ++level)
                w.WriteBeginArray();
            for (int level = 0; level < ADepth; ++level)
                w.WriteEndArray();
        };
    };
    const std::string deepest = Written(nested(255));
    EXPECT_EQ(deepest, std::string(255, '[') + std::string(255, ']'));
    EXPECT_NO_THROW(ReaderOf(deepest)->SkipValue());
    EXPECT_EQ(MessageOf<W::ETooManyDepthLevels>([&] { Written(nested(256)); }),
              u"Maximum level of nested structured reached.");
}

// What the reader finds in a document, member by member, as text.
String Reread(const std::string& ADocument) {
    TReaderPtr reader = ReaderOf(ADocument);
    String text;
    reader->ReadBeginObject();
    while (reader->HasNext()) {
        text += reader->ReadName() + u"=";
        switch (reader->Peek()) {
        case jstoBeginArray:
            reader->ReadBeginArray();
            while (reader->HasNext())
                text += FloatToStr(reader->ReadDouble()) + u";";
            reader->ReadEndArray();
            break;
        case jstoBoolean:
            text += reader->ReadBoolean() ? u"true" : u"false";
            break;
        case jstoNull:
            reader->ReadNull();
            text += u"null";
            break;
        case jstoNumber:
            text += IntToStr(reader->ReadInt64());
            break;
        default:
            text += reader->ReadString();
            break;
        }
        text += u"|";
    }
    reader->ReadEndObject();
    EXPECT_TRUE(reader->Eof());
    return text;
}

TEST(KelJSONWriter, OutputReadsBackToTheSameValues) {
    const String awkward = u" \"quoted\" back\\slash /\b\f\n\r\t\x01 caf\u00E9 \u20AC \U0001F600";
    const auto calls = [&](W& w) {
        w.WriteBeginObject();
        w.WriteName(u"text").WriteString(awkward);
        w.WriteName(u"numbers").WriteBeginArray();
        for (const double value : {0.0, -1.5, 0.1, 1e-6, 1.5e20, 123456789012345.0})
            w.WriteDouble(value);
        w.WriteEndArray();
        w.WriteName(u"big").WriteInteger(std::numeric_limits<Int64>::min());
        w.WriteName(u"yes").WriteBoolean(true);
        w.WriteName(u"none").WriteNull();
        w.WriteName(u"empty").WriteString(u"");
        w.WriteEndObject();
    };
    const String expected = u"text=" + awkward +
                            u"|numbers=0;-1.5;0.1;1E-6;1.5E20;123456789012345;|big=-9223372036854775808|"
                            u"yes=true|none=null|empty=|";
    EXPECT_EQ(Reread(Written(calls)), expected);
    EXPECT_EQ(Reread(Written(calls, 4)), expected);
}

} // namespace
