#include "windowing/Clipboard.h"

#include "WindowingTestSupport.h"

#include <cstring>

using namespace winapi;

namespace {

HGLOBAL Bytes(const void* data, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    return block;
}

String UnicodeOf(HGLOBAL block) {
    return String(static_cast<const Char*>(GlobalLock(block)));
}

} // namespace

TEST_F(WindowingTest, ClipboardHoldsOneBlockPerFormatAndBridgesTheTextFormats) {
    HWND grid = Create("grid", WS_POPUP, Bounds(0, 0, 10, 10));
    UINT cells = RegisterClipboardFormat(u"TZirOvararIzaz Cells");
    ASSERT_TRUE(OpenClipboard(grid));
    EXPECT_TRUE(EmptyClipboard());
    const char16_t text[] = u"a\tb\u00B5";
    SetClipboardData(CF_UNICODETEXT, Bytes(text, sizeof text));
    const Byte stream[] = {3, 0, 0, 0, 0, 0, 0, 0, 7, 8, 9};
    SetClipboardData(cells, Bytes(stream, sizeof stream));
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardOwner(), grid);

    EXPECT_TRUE(IsClipboardFormatAvailable(cells));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT)) << "made from the Unicode text";
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_HDROP));
    EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), nullptr) << "only while open";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(UnicodeOf(GetClipboardData(CF_UNICODETEXT)), u"a\tb\u00B5");
    HGLOBAL ansi = GetClipboardData(CF_TEXT);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(ansi)), "a\tb\xB5"); // Windows-1252
    HGLOBAL block = GetClipboardData(cells);
    ASSERT_EQ(GlobalSize(block), sizeof stream);
    EXPECT_EQ(std::memcmp(GlobalLock(block), stream, sizeof stream), 0);
    EXPECT_EQ(EnumClipboardFormats(0), UINT(CF_UNICODETEXT));
    EXPECT_EQ(EnumClipboardFormats(CF_UNICODETEXT), cells);
    CloseClipboard();
}

TEST_F(WindowingTest, ClipboardRefusesSecondOpenerAndWritesWhileClosed) {
    HWND a = Create("a", WS_POPUP, Bounds(0, 0, 10, 10));
    HWND b = Create("b", WS_POPUP, Bounds(0, 0, 10, 10));
    ASSERT_TRUE(OpenClipboard(a));
    EXPECT_FALSE(OpenClipboard(b));
    EXPECT_EQ(GetOpenClipboardWindow(), a);
    CloseClipboard();
    EXPECT_FALSE(CloseClipboard());
    EXPECT_FALSE(EmptyClipboard());
    // A block handed over while the clipboard is closed is refused and freed (no leak under the sanitizer).
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, GlobalAlloc(GHND, 4)), nullptr);
}
