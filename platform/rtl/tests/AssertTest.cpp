#include "rtl/Assert.h"

#include "rtl/Encoding.h"

#include <gtest/gtest.h>

TEST(Assert, RaisesWithMessageFileAndLine) {
    EXPECT_NO_THROW(Assert(true, u"never"));
    try {
        Assert(false, u"Key name is empty");
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(Utf8(e.Message()),
                  "Key name is empty (AssertTest.cpp, line " + std::to_string(__LINE__ - 3) + ")");
    }
    try {
        Assert(false);
        FAIL();
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(Utf8(e.Message()).rfind("Assertion failure (AssertTest.cpp, line ", 0), 0u);
    }
}
