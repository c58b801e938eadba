// Colour identifiers both ways, and the clipboard object.

#include "VclTestSupport.h"
#include "vcl/Clipbrd.h"
#include "vcl/ColorNames.h"

#include <cstring>

using namespace winapi;

TEST(ColorNames, ColoursAndTheirTextsBothWays) {
    struct TCase {
        TColor Color;
        const char16_t* Text;
    };
    const TCase Cases[] = {
        {clRed, u"clRed"},           {clBtnFace, u"clBtnFace"},     {clNone, u"clNone"},
        {clDefault, u"clDefault"},   {clSilver, u"clSilver"},       {clInfoBk, u"clInfoBk"},
        {0x123456, u"$00123456"},    {clMoneyGreen, u"clMoneyGreen"}, {cl3DDkShadow, u"cl3DDkShadow"},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(ColorToString(C.Color), C.Text);
        EXPECT_EQ(StringToColor(C.Text), C.Color);
    }
    EXPECT_EQ(StringToColor(u"CLRED"), clRed) << "identifiers compare without case";
    EXPECT_EQ(StringToColor(u"clLtGray"), clSilver);
    EXPECT_EQ(StringToColor(u"255"), clRed);
    TColor Color = clBlack;
    EXPECT_FALSE(IdentToColor(u"clPink", Color));
    EXPECT_EQ(Color, clBlack);
    try {
        StringToColor(u"clPink");
        FAIL() << "no exception";
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), u"'clPink' is not a valid integer value");
    }
    Integer Count = 0;
    GetColorValues([&](const String&) { ++Count; });
    EXPECT_GT(Count, 50);
}

TEST_F(VclTest, ClipboardTextFormatsAndNestedOpening) {
    TClipboard* C = Clipboard();
    C->SetAsText(u"Ünïcode text");
    EXPECT_TRUE(C->HasFormat(CF_UNICODETEXT));
    EXPECT_TRUE(C->HasFormat(CF_TEXT)) << "the 8-bit text stands in";
    EXPECT_EQ(C->AsText(), u"Ünïcode text");

    // Everything placed inside one Open goes in together.
    UINT Custom = RegisterClipboardFormat(u"Vandrel cells");
    C->Open();
    C->SetAsText(u"cells");
    HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(Block), "abc", 4);
    GlobalUnlock(Block);
    C->SetAsHandle(Custom, Block);
    C->Close();
    EXPECT_TRUE(C->HasFormat(Custom));
    EXPECT_EQ(C->AsText(), u"cells");
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(C->GetAsHandle(Custom)))), "abc");
    GlobalUnlock(C->GetAsHandle(Custom));

    // A placement outside Open replaces what was there.
    C->SetAsText(u"alone");
    EXPECT_FALSE(C->HasFormat(Custom));
    C->Clear();
    EXPECT_FALSE(C->HasFormat(CF_UNICODETEXT));
    EXPECT_EQ(C->AsText(), u"");

    // Someone else holding it open.
    ASSERT_TRUE(OpenClipboard(nullptr));
    try {
        C->Open();
        FAIL() << "opened twice";
    } catch (const EClipboardException& E) {
        EXPECT_EQ(E.Message(), u"Cannot open clipboard");
    }
    CloseClipboard();
}
