#include "rtl/Variant.h"

#include "rtl/Encoding.h"

#include <gtest/gtest.h>

TEST(Variant, TypesOfTheStoredValues) {
    struct Case {
        Variant Value;
        TVarType Type;
        const char* Text;
    };
    const Case cases[] = {
        {Variant(), varEmpty, ""},
        {Variant::Null(), varNull, ""},
        {Variant(42), varInteger, "42"},
        {Variant(Int64(-9000000000)), varInt64, "-9000000000"},
        {Variant(Byte(7)), varByte, "7"},
        {Variant(SmallInt(-3)), varSmallint, "-3"},
        {Variant(0.1f), varSingle, "0.1"},
        {Variant(2.5), varDouble, "2.5"},
        {Variant::FromCurrency(12.34565), varCurrency, "12.3456"},
        {Variant(u"abc"), varUString, "abc"},
        {Variant(true), varBoolean, "True"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VarType(c.Value), c.Type) << c.Text;
        EXPECT_EQ(Utf8(VarToStr(c.Value)), c.Text);
    }
    EXPECT_TRUE(VarIsNull(Variant::Null()));
    EXPECT_TRUE(VarIsEmpty(Variant()));
    EXPECT_TRUE(VarIsStr(Variant(u"x")));
    EXPECT_TRUE(VarIsNumeric(Variant(1.5)));
    EXPECT_FALSE(VarIsNumeric(Variant(u"1.5")));
    EXPECT_TRUE(VarTypeIsInteger(varSmallint));
    EXPECT_TRUE(VarTypeIsInteger(varInt64));
    EXPECT_FALSE(VarTypeIsInteger(varBoolean));
    EXPECT_FALSE(VarTypeIsInteger(varDouble));
}

TEST(Variant, DatesUseTheProcessFormatSettings) {
    const TFormatSettings saved = FormatSettings;
    FormatSettings.DateSeparator = u'-';
    FormatSettings.ShortDateFormat = u"dd-mm-yyyy";
    FormatSettings.LongTimeFormat = u"HH:mm:ss";
    EXPECT_EQ(VarToStr(Variant::FromDate(EncodeDateTime(2024, 3, 5, 14, 7, 9, 0))), u"05-03-2024 14:07:09");
    EXPECT_EQ(Variant(u"05-03-2024").AsDateTime(), EncodeDate(2024, 3, 5));
    FormatSettings = saved;
}

TEST(Variant, NumericConversions) {
    EXPECT_EQ(Variant(2.5).AsInteger(), 2); // halves to even
    EXPECT_EQ(Variant(3.5).AsInt64(), 4);
    EXPECT_EQ(Variant(u" 12").AsInteger(), 12);
    EXPECT_EQ(Variant(u"1.5").AsDouble(), 1.5);
    EXPECT_EQ(Variant(u"2.5").AsInteger(), 2);
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_EQ(Variant().AsDouble(), 0);
    EXPECT_TRUE(Variant(u"true").AsBoolean());
    EXPECT_FALSE(Variant(0.0).AsBoolean());
    EXPECT_TRUE(Variant(u"2").AsBoolean());
    EXPECT_EQ(Variant(7), Variant(7));
    EXPECT_NE(Variant(7), Variant(Int64(7)));
}

TEST(Variant, ImpossibleConversionsRaiseTypeCastErrors) {
    const auto messageOf = [](auto&& call) -> std::string {
        try {
            call();
        } catch (const EVariantTypeCastError& e) {
            return Utf8(e.Message());
        }
        return "no error";
    };
    EXPECT_EQ(messageOf([] { Variant(u"abc").AsDouble(); }),
              "Could not convert variant of type (UnicodeString) into type (Double)");
    EXPECT_EQ(messageOf([] { Variant::Null().AsInteger(); }),
              "Could not convert variant of type (Null) into type (Integer)");
    EXPECT_EQ(messageOf([] { Variant(3e9).AsInteger(); }),
              "Could not convert variant of type (Double) into type (Integer)");
    EXPECT_EQ(messageOf([] { Variant(u"x").AsBoolean(); }),
              "Could not convert variant of type (UnicodeString) into type (Boolean)");
    EXPECT_EQ(messageOf([] { Variant(u"31-02").AsDateTime(); }),
              "Could not convert variant of type (UnicodeString) into type (Date)");
}
