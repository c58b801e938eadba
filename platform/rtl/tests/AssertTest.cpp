#include <gtest/gtest.h>

#include "rtl/Assert.h"
#include "rtl/Encoding.h"

TEST(Assert, RaisesWithMessageFileAndLine) {
    EXPECT_NO_THROW(Assert(true, u"never"));
    const auto where = std::source_location::current();
    try {
        Assert(false, u"Key name is empty", where);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(Utf8(e.Message()), "Key name is empty (AssertTest.cpp, line " + std::to_string(where.line()) + ")");
    }
    try {
        Assert(false, {}, where);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(Utf8(e.Message()), "Assertion failure (AssertTest.cpp, line " + std::to_string(where.line()) + ")");
    }
}
