#include "KelJSONTestSupport.h"
#include "kel/KelJSONReader.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "rtl/Exception.h"
#include "rtl/Format.h"
#include "rtl/FormatSettings.h"
#include "rtltesting/ExceptionMessage.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <typeindex>

namespace {

// Every token of the document, one word each, read by the operation Peek
// suggests: names end in ':', texts stand in quotes, numbers as ReadString
// gives them.
String Walk(TKelJSONReader& AReader) {
    String tokens;
    for (TKelJSONToken token = AReader.Peek(); token != jstoEOF; token = AReader.Peek()) {
        if (!tokens.empty()) tokens += u' ';
        switch (token) {
        case jstoBeginObject:
            AReader.ReadBeginObject();
            tokens += u"{";
            break;
        case jstoEndObject:
            AReader.ReadEndObject();
            tokens += u"}";
            break;
        case jstoBeginArray:
            AReader.ReadBeginArray();
            tokens += u"[";
            break;
        case jstoEndArray:
            AReader.ReadEndArray();
            tokens += u"]";
            break;
        case jstoName:
            tokens += AReader.ReadName() + u":";
            break;
        case jstoBoolean:
            tokens += AReader.ReadBoolean() ? u"true" : u"false";
            break;
        case jstoNull:
            AReader.ReadNull();
            tokens += u"null";
            break;
        case jstoText:
            tokens += u"\"" + AReader.ReadString() + u"\"";
            break;
        case jstoNumber:
            tokens += AReader.ReadString();
            break;
        case jstoEOF:
            break;
        }
    }
    return tokens;
}

String Walk(std::string_view ADocument) {
    return Walk(*ReaderOf(ADocument));
}

// What a read of the only element of the array "[<element>]" gives: its
// result, or the message of the exception it raises.
String ReadElement(std::string_view AElement, const std::function<String(TKelJSONReader&)>& ARead) {
    TReaderPtr reader = ReaderOf("[" + std::string(AElement) + "]");
    reader->ReadBeginArray();
    try {
        return ARead(*reader);
    } catch (const Exception& error) {
        return error.Message();
    }
}

const auto ReadInteger = [](TKelJSONReader& r) { return IntToStr(r.ReadInteger()); };
const auto ReadInt64 = [](TKelJSONReader& r) { return IntToStr(r.ReadInt64()); };
const auto ReadDouble = [](TKelJSONReader& r) { return FloatToStr(r.ReadDouble()); };
const auto ReadString = [](TKelJSONReader& r) { return r.ReadString(); };

TEST(KelJSONReader, ReadsEveryKindOfTokenInOrder) {
    TReaderPtr reader =
        ReaderOf("{\"name\":\"Tesvorik \\u00E9\",\"values\":[1,-2.5e3,true,False,nULL,{},[]],\"empty\":{}}");
    EXPECT_EQ(reader->Peek(), jstoBeginObject);
    reader->ReadBeginObject();
    EXPECT_TRUE(reader->HasNext());
    EXPECT_EQ(reader->Peek(), jstoName);
    EXPECT_EQ(reader->PeekName(), u"name");
    EXPECT_EQ(reader->ReadName(), u"name");
    EXPECT_EQ(reader->Peek(), jstoText);
    EXPECT_EQ(reader->ReadString(), u"Tesvorik \u00E9");
    EXPECT_EQ(reader->ReadName(), u"values");
    reader->ReadBeginArray();
    EXPECT_EQ(reader->Peek(), jstoNumber);
    EXPECT_EQ(reader->ReadInteger(), 1);
    EXPECT_EQ(reader->ReadDouble(), -2500.0);
    EXPECT_EQ(reader->Peek(), jstoBoolean);
    EXPECT_TRUE(reader->ReadBoolean());
    EXPECT_FALSE(reader->ReadBoolean());
    EXPECT_TRUE(reader->IsNull());
    reader->ReadNull();
    reader->ReadBeginObject();
    EXPECT_FALSE(reader->HasNext());
    reader->ReadEndObject();
    reader->ReadBeginArray();
    EXPECT_EQ(reader->Peek(), jstoEndArray);
    reader->ReadEndArray();
    EXPECT_FALSE(reader->HasNext());
    reader->ReadEndArray();
    EXPECT_EQ(Walk(*reader), u"empty: { } }");
    // Only the ends of containers answer false; the end of the document does not.
    EXPECT_TRUE(reader->HasNext());
    EXPECT_TRUE(reader->Eof());
}

TEST(KelJSONReader, WhitespaceMayStandBetweenAnyTwoTokens) {
    EXPECT_EQ(Walk(" [ 1 , 2 ] "), u"[ 1 2 ]");
    EXPECT_EQ(Walk("\t{\r\n \"a\" \f: \"  b\" ,\"c\":[ ]}\r\n  \n"), u"{ a: \"  b\" c: [ ] }");
    EXPECT_EQ(Walk("[]"), u"[ ]");
    EXPECT_EQ(Walk("{}"), u"{ }");
    EXPECT_EQ(Walk("{\"a\":{}\n}"), u"{ a: { } }");
}

TEST(KelJSONReader, MalformedDocumentsRaiseTheirOwnException) {
    using R = TKelJSONReader;
    struct Case {
        const char* Document;
        std::type_index Type;
        const Char* Message;
    };
    const String expectedValue = u"Value expected but invalid character found";
    const Case cases[] = {
        {"", typeid(R::EObjectOrArrayExpected), u"Object or array expected as top-level value"},
        {"  \r\n", typeid(R::EObjectOrArrayExpected), u"Object or array expected as top-level value"},
        {"\"a\"", typeid(R::EObjectOrArrayExpected), u"Object or array expected as top-level value"},
        {"12", typeid(R::EObjectOrArrayExpected), u"Object or array expected as top-level value"},
        {"{} x", typeid(R::EMultipleRootNotAllowed), u"Multiple root values not allowed"},
        {"[][]", typeid(R::EMultipleRootNotAllowed), u"Multiple root values not allowed"},
        {"[1 2]", typeid(R::EUnterminatedArray), u"Unterminated array"},
        {"[true", typeid(R::EUnterminatedArray), u"Unterminated array"},
        {"[\"a\"x]", typeid(R::EUnterminatedArray), u"Unterminated array"},
        {"{\"a\":1 \"b\":2}", typeid(R::EUnterminatedObject), u"Unterminated object"},
        {"{a:1}", typeid(R::ENameExpected), u"Name expected"},
        {"{'a':1}", typeid(R::ENameExpected), u"Name expected"},
        {"{\"a\":1,}", typeid(R::ENameExpected), u"Name expected"},
        {"{\"a\" 1}", typeid(R::EColonExpected), u"Colon expected"},
        {"{\"a\"=1}", typeid(R::EColonExpected), u"Colon expected"},
        {"[1,]", typeid(R::EExpectedValue), expectedValue.c_str()},
        {"[,1]", typeid(R::EExpectedValue), expectedValue.c_str()},
        {"[/*c*/1]", typeid(R::EExpectedValue), expectedValue.c_str()},
        {"['a']", typeid(R::EExpectedValue), expectedValue.c_str()},
        {"[tru,1]", typeid(R::EExpectedValue), expectedValue.c_str()},
        {"[truex]", typeid(R::EExpectedValue), expectedValue.c_str()},
        {"[nil]", typeid(R::EExpectedValue), expectedValue.c_str()},
        {"[tr", typeid(TKelJSONStreamReader::EEndOfInputReached), u"End of JSON input reached."},
        {"[12", typeid(TKelJSONStreamReader::EEndOfInputReached), u"End of JSON input reached."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Document);
        try {
            Walk(c.Document);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& error) {
            EXPECT_EQ(std::type_index(typeid(error)), c.Type);
            EXPECT_EQ(error.Message(), c.Message);
        }
    }
}

// Each fault tells where it was found: at the character that breaks the
// document, or at the end of an input that stops too early.
TEST(KelJSONReader, FaultsComeWithTheirPlace) {
    struct Case {
        const char* Document;
        Int64 Position;
        Integer Line;
        Integer Column;
    };
    const Case cases[] = {
        {"[1 2]", 3, 1, 4},                         // unterminated array, at the 2
        {"{\n  \"a\": 1\n  \"b\": 2\n}", 13, 3, 3}, // unterminated object, at "b"
        {"[\n 12x]", 5, 2, 4},                      // a number broken by the x
        {"[\n  tru,1]", 7, 2, 6},                   // a literal broken by the comma
        {"{\"a\":1} x", 8, 1, 9},                   // a second root value
        {"{\r\n\"a\" 1}", 7, 2, 5},                 // no colon; a CR LF ends a line too
        {"[tr", 3, 1, 4},                           // the end of the input
        {"", 0, 1, 1},                              // nothing at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Document);
        try {
            Walk(c.Document);
            ADD_FAILURE() << "no exception";
        } catch (const EKelJSONReadError& error) {
            EXPECT_EQ(error.Position(), c.Position);
            EXPECT_EQ(error.Line(), c.Line);
            EXPECT_EQ(error.Column(), c.Column);
        }
    }
    // A typed read of the wrong token tells where that token stands.
    TReaderPtr reader = ReaderOf("[\n  true]");
    reader->ReadBeginArray();
    try {
        reader->ReadString();
        ADD_FAILURE() << "no exception";
    } catch (const TKelJSONReader::EInvalidStateException& error) {
        EXPECT_EQ(error.Line(), 2);
    }
}

TEST(KelJSONReader, NumberGrammar) {
    struct Case {
        const char* Element;
        const Char* Text; // as ReadString gives it, or the exception's message
    };
    const Char* invalid = u"Value expected but invalid character found";
    const Case cases[] = {
        {"0", u"0"},
        {"-0", u"0"},
        {"12", u"12"},
        {"0.5", u"0.5"},
        {"1.50", u"1.50"},
        {"1e5", u"1e5"},
        {"1E+5", u"1E+5"},
        {"-12.5e-3", u"-12.5e-3"},
        {"9223372036854775807", u"9223372036854775807"},
        {"-9223372036854775808", u"-9223372036854775808"},
        {"01", invalid},
        {"-01", invalid},
        {"+1", invalid},
        {".5", invalid},
        {"1.", invalid},
        {"-", invalid},
        {"1e", invalid},
        {"1e+", invalid},
        {"1e5.0", invalid},
        {"--1", invalid},
        {"1-", invalid},
        {"1.5.2", invalid},
        {"1x", invalid},
        {"1\"", invalid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadElement(c.Element, ReadString), c.Text) << c.Element;

    // A number may take up to 254 characters.
    EXPECT_EQ(ReadElement("1" + std::string(253, '0'), ReadString).size(), 254u);
    EXPECT_EQ(ReadElement("1" + std::string(254, '0'), ReadString), invalid);
}

TEST(KelJSONReader, IntegersKeepTheirValueUpToTheLimitsOf64Bits) {
    TReaderPtr reader = ReaderOf("[9223372036854775807,-9223372036854775808,9223372036854775808,-0]");
    reader->ReadBeginArray();
    EXPECT_EQ(reader->ReadInt64(), std::numeric_limits<Int64>::max());
    EXPECT_EQ(reader->ReadInt64(), std::numeric_limits<Int64>::min());
    // One beyond the range stays a number text, which no 64-bit read accepts.
    EXPECT_EQ(reader->ReadDouble(), 9223372036854775808.0);
    EXPECT_EQ(reader->ReadInt64(), 0);
}

TEST(KelJSONReader, TypedReadsAcceptTheirTokensAndConvertTexts) {
    struct Case {
        const char* Element;
        std::function<String(TKelJSONReader&)> Read;
        const Char* Result; // the value's text, or the exception's message
    };
    const Char* expected11 = u"Invalid Json parser state. Expected state: 11";
    const Case cases[] = {
        {"2147483647", ReadInteger, u"2147483647"},
        {"-2147483648", ReadInteger, u"-2147483648"},
        {"2147483648", ReadInteger, expected11},
        {"2147483648", ReadInt64, u"2147483648"},
        {"2.0", ReadInteger, u"2"},
        {"1e3", ReadInt64, u"1000"},
        {"1.5", ReadInteger, expected11},
        {"2.5e9", ReadInteger, expected11},
        {"9223372036854775808", ReadInt64, expected11},
        {"\"42\"", ReadInteger, u"42"},
        {"\"2.0\"", ReadInt64, u"2"},
        {"\"x\"", ReadInteger, u"'x' is not a valid floating point value"},
        {"true", ReadInteger, expected11},
        {"7", ReadDouble, u"7"},
        {"-1.25e2", ReadDouble, u"-125"},
        {"\"0.5\"", ReadDouble, u"0.5"},
        {"1e999", ReadDouble, u"'1e999' is not a valid floating point value"},
        {"null", ReadDouble, u"Invalid Json parser state. Expected state: 12"},
        {"1", [](TKelJSONReader& r) { return BoolToStr(r.ReadBoolean()); },
         u"Invalid Json parser state. Expected state: 5"},
        {"1", [](TKelJSONReader& r) { return (r.ReadNull(), String(u"null")); },
         u"Invalid Json parser state. Expected state: 7"},
        {"null", ReadString, u"Invalid Json parser state. Expected state: 8"},
        {"{}", [](TKelJSONReader& r) { return (r.ReadBeginArray(), String()); },
         u"Invalid Json parser state. Expected state: 3"},
        {"[]", [](TKelJSONReader& r) { return (r.ReadBeginObject(), String()); },
         u"Invalid Json parser state. Expected state: 1"},
        {"{}", [](TKelJSONReader& r) { return (r.ReadBeginObject(), r.ReadEndArray(), String()); },
         u"Invalid Json parser state. Expected state: 4"},
        {"[]", [](TKelJSONReader& r) { return (r.ReadBeginArray(), r.ReadEndObject(), String()); },
         u"Invalid Json parser state. Expected state: 2"},
        {"{\"a\":1}", [](TKelJSONReader& r) { return (r.ReadBeginObject(), r.ReadString()); },
         u"Invalid Json parser state. Expected state: 8"},
        {"{\"a\":1}", [](TKelJSONReader& r) { return (r.ReadBeginObject(), r.ReadName(), r.ReadName()); },
         u"Invalid Json parser state. Expected state: 10"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadElement(c.Element, c.Read), c.Result) << c.Element;

    EXPECT_EQ(MessageOf<TKelJSONReader::EInvalidStateException>([] { ReaderOf("[]")->ReadBoolean(); }),
              u"Invalid Json parser state. Expected state: 5");
}

TEST(KelJSONReader, ATextThatFailsToConvertStaysPending) {
    TReaderPtr reader = ReaderOf("[\"1.5\",\"abc\"]");
    reader->ReadBeginArray();
    EXPECT_THROW(reader->ReadInteger(), TKelJSONReader::EInvalidStateException);
    EXPECT_EQ(reader->Peek(), jstoText);
    EXPECT_EQ(reader->ReadDouble(), 1.5);
    EXPECT_THROW(reader->ReadDouble(), EConvertError);
    EXPECT_EQ(reader->ReadString(), u"abc");
    reader->ReadEndArray();
    EXPECT_TRUE(reader->Eof());
}

TEST(KelJSONReader, NumbersReadTheSameWhateverTheDecimalSeparator) {
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = u',';
    FormatSettings.ThousandSeparator = u'.';
    TReaderPtr reader = ReaderOf("[1.5,\"2.5\",2.0]");
    reader->ReadBeginArray();
    const Double number = reader->ReadDouble();
    const Double text = reader->ReadDouble();
    const Integer whole = reader->ReadInteger();
    FormatSettings = saved;
    EXPECT_EQ(number, 1.5);
    EXPECT_EQ(text, 2.5);
    EXPECT_EQ(whole, 2);
}

TEST(KelJSONReader, StringsAreUnescapedAndNamesKeptAsWritten) {
    TReaderPtr reader = ReaderOf(
        "{\"a\\u0041\\\"\":\"\\\\ \\/ \\b\\f\\n\\r\\t \\u00e9\\u20AC \\\"q\\\"\", \"b\":\"\xE9\x80\"}");
    reader->ReadBeginObject();
    EXPECT_EQ(reader->Peek(), jstoName);
    EXPECT_EQ(reader->PeekName(), u"a\\u0041\\\"");
    EXPECT_EQ(reader->ReadName(), u"a\\u0041\\\"");
    EXPECT_EQ(reader->ReadString(), u"\\ / \b\f\n\r\t \u00E9\u20AC \"q\"");
    EXPECT_EQ(reader->ReadName(), u"b");
    // Bytes are characters of the ANSI code page.
    EXPECT_EQ(reader->ReadString(), u"\u00E9\u20AC");
    reader->ReadEndObject();
}

TEST(KelJSONReader, BadEscapesRaiseWithThePositionOfTheBackslash) {
    EXPECT_EQ(ReadElement("\"ab\\x\"", ReadString), u"Invalid code at position 3");
    EXPECT_EQ(ReadElement("\"\\u12G4\"", ReadString), u"Invalid code at position 1");
    // The input ends straight after a backslash, inside the string.
    EXPECT_EQ(MessageOf([] {
                  TReaderPtr reader = ReaderOf("[\"a\\");
                  reader->ReadBeginArray();
                  reader->ReadString();
              }),
              u"Unexpected end of string");
}

TEST(KelJSONReader, SkipValueConsumesWholeContainers) {
    TReaderPtr reader = ReaderOf(
        "{\"skip\":{\"a\":[1,{\"b\":null}],\"c\":\"x\\\"y\"},\"list\":[[],{}],\"n\":-1.5,\"keep\":5}");
    reader->ReadBeginObject();
    for (const Char* name : {u"skip", u"list", u"n"}) {
        EXPECT_EQ(reader->ReadName(), name);
        reader->SkipValue();
    }
    EXPECT_EQ(reader->ReadName(), u"keep");
    EXPECT_EQ(reader->ReadInteger(), 5);
    reader->ReadEndObject();
    EXPECT_TRUE(reader->Eof());
}

TEST(KelJSONReader, AtMost255NestedContainers) {
    const std::string deepest = std::string(255, '[') + std::string(255, ']');
    EXPECT_EQ(Walk(deepest).size(), 255u * 4 - 1);
    EXPECT_NO_THROW(ReaderOf(deepest)->SkipValue());

    const std::string tooDeep = std::string(256, '[') + std::string(256, ']');
    EXPECT_EQ(MessageOf<TKelJSONReader::ETooManyDepthLevels>([&] { Walk(tooDeep); }),
              u"Maximum level of nested structured reached.");
    EXPECT_THROW(ReaderOf(tooDeep)->SkipValue(), TKelJSONReader::ETooManyDepthLevels);
}

TEST(KelJSONStreamReader, ReadsACopyOfTheSourceOneCharacterAtATime) {
    TBytesStream source(TBytes{'a', 0xE9, 'b'});
    TKelJSONStreamReader* reader = Create<TKelJSONStreamReader>(source);
    source.SetPosition(0);
    source.WriteBuffer("xyz", 3); // not seen: the reader holds its own copy
    EXPECT_EQ(reader->PeekChar(), u'a');
    EXPECT_EQ(reader->ReadChar(), u'a');
    EXPECT_EQ(reader->NextChar(), u'\u00E9');
    reader->Backup(u'\u00E9');
    reader->MoveNext(2);
    EXPECT_TRUE(reader->Eof());
    EXPECT_EQ(reader->ReadChar(), 0);
    EXPECT_EQ(reader->PeekChar(), 0);
    EXPECT_EQ(MessageOf<TKelJSONStreamReader::EEndOfInputReached>([&] { reader->NextChar(); }),
              u"End of JSON input reached.");
    Free(reader);
}

} // namespace
