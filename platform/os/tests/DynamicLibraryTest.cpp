#include "os/DynamicLibrary.h"

#include "rtl/Encoding.h"

#include <gtest/gtest.h>

TEST(DynamicLibrary, LoadsResolvesAndFrees) {
    os::DynamicLibrary library(FromUtf8(OS_TEST_PLUGIN));
    ASSERT_TRUE(library.Loaded());
    EXPECT_EQ(library.SymbolAs<int (*)()>(u"Answer")(), 42);
    EXPECT_EQ(library.FindSymbol(u"Missing"), nullptr);
    try {
        library.Symbol(u"Missing");
        FAIL();
    } catch (const EDynamicLibraryError& e) {
        EXPECT_EQ(e.Message(),
                  u"Entry point \"Missing\" not found in library \"" + FromUtf8(OS_TEST_PLUGIN) + u"\".");
    }
    os::DynamicLibrary moved = std::move(library);
    EXPECT_FALSE(library.Loaded());
    moved.Free();
    EXPECT_FALSE(moved.Loaded());
    EXPECT_EQ(moved.FindSymbol(u"Answer"), nullptr);
}

TEST(DynamicLibrary, AFileThatCannotBeLoadedIsNamed) {
    try {
        os::DynamicLibrary library(u"/nonexistent/libvorn.so");
        FAIL();
    } catch (const EDynamicLibraryError& e) {
        EXPECT_TRUE(e.Message().starts_with(u"Cannot load library \"/nonexistent/libvorn.so\": "))
            << e.what();
    }
}
