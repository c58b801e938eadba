#include "graphics/Picture.h"
#include "kel/KelBitmap.h"
#include "kel/KelTypes.h"
#include "kel/RarEvads.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

TBytesStream StreamOf(std::initializer_list<Byte> bytes) {
    return TBytesStream(TBytes(bytes));
}

TEST(RarEvadsPictureType, GetImageType) {
    const struct {
        TBytes bytes;
        const Char* type;
    } cases[] = {
        {{0x47, 0x49, 0x46, 0x38}, u".gif"}, {{0x42, 0x4D, 0, 0}, u".bmp"},
        {{0x89, 0x50, 0x4E, 0x47}, u".png"}, {{0x49, 0x49, 0x2A, 0}, u".tiff"},
        {{0x4D, 0x4D, 0x2A, 0}, u".tiff"},   {{0xFF, 0xD8, 0xFF, 0xE1}, u".jpg"},
        {{0xFF, 0xD8, 0xFF, 0xC0}, u""},     {{0, 0, 1, 0, 1}, u".unknown"},
        {{0, 0, 0, 0}, u".empty"},           {{0x42, 0x4D, 0}, u""},
        {{'<', 's', 'v', 'g', ' '}, u""},
    };
    for (const auto& c : cases) {
        TBytesStream stream(c.bytes);
        EXPECT_EQ(TRarEvads::GetImageType(&stream, false), c.type) << Utf8(c.type);
    }
}

TEST(RarEvadsPictureType, GetImageTypeKeepsThePosition) {
    TBytesStream stream = StreamOf({0x42, 0x4D, 0x47, 0x49, 0x46, 0x38, 0x39});
    stream.SetPosition(2);
    EXPECT_EQ(TRarEvads::GetImageType(&stream, false), u".gif");
    EXPECT_EQ(stream.Position(), 2);
    EXPECT_EQ(TRarEvads::GetImageType(&stream, true), u".bmp");
    EXPECT_EQ(stream.Position(), 2);
    stream.SetPosition(4);
    EXPECT_EQ(TRarEvads::GetImageType(&stream, false), u"");
    EXPECT_EQ(stream.Position(), 4);
}

TEST(RarEvadsPictureType, FindGraphicClass) {
    const struct {
        TBytes bytes;
        const Char* className; // null: no class
    } cases[] = {
        {{0x42, 0x4D}, u"TBitmap"},
        {{0xFF, 0xD8}, u"TJPEGImage"},
        {{0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}, u"TPngImage"},
        {{0x89, 0x50, 0x4E, 0x47}, nullptr},
        {{'G', 'I', 'F'}, u"TGIFImage"},
        {{0, 0, 1, 0}, u"TIcon"},
        {{0x49, 0x49, 0x2A, 0x00}, nullptr},
        {{0xD7, 0xCD, 0xC6, 0x9A}, nullptr},
        {{0x12}, nullptr},
    };
    for (const auto& c : cases) {
        const TGraphicClass* graphicClass = reinterpret_cast<const TGraphicClass*>(1);
        EXPECT_EQ(TRarEvads::FindGraphicClass(c.bytes.data(), Int64(c.bytes.size()), graphicClass),
                  c.className != nullptr);
        if (c.className)
            EXPECT_EQ(graphicClass ? graphicClass->ClassName : u"", c.className);
        else
            EXPECT_EQ(graphicClass, nullptr);
    }
    const TGraphicClass* graphicClass = nullptr;
    EXPECT_FALSE(TRarEvads::FindGraphicClass(nullptr, 0, graphicClass));
}

TEST(RarEvadsEncodings, Base64) {
    TBytesStream stream = StreamOf({0xFB, 0xFF, 0xFE});
    EXPECT_EQ(TRarEvads::SaveStreamToBase64(&stream, false), u"+//+");
    EXPECT_EQ(stream.Position(), 3);
    EXPECT_EQ(TRarEvads::SaveStreamToBase64(&stream, true), u"-__-");

    TBytesStream text(TBytes{'h', 'i'});
    EXPECT_EQ(TRarEvads::SaveStreamToBase64(&text, false), u"aGk=");
    EXPECT_EQ(TRarEvads::SaveStreamToBase64(&text, true), u"aGk");
    EXPECT_EQ(TRarEvads::Decode64ToBytes(u"aGk", true), (TBytes{'h', 'i'}));
    EXPECT_EQ(TRarEvads::Decode64ToBytes(u"aGk=", false), (TBytes{'h', 'i'}));
    EXPECT_EQ(TRarEvads::Decode64ToBytes(u"-__-", true), (TBytes{0xFB, 0xFF, 0xFE}));
    EXPECT_EQ(TRarEvads::Decode64ToBytes(u"aGVs\r\nbG8=", false), (TBytes{'h', 'e', 'l', 'l', 'o'}));
    EXPECT_TRUE(TRarEvads::Decode64ToBytes(u"", false).empty());
    EXPECT_THROW(TRarEvads::Decode64ToBytes(u"a*Gk", false), EConvertError);

    TBytesStream target = StreamOf({1});
    target.SetPosition(1);
    TRarEvads::LoadStreamFromBase64(u"aGk", &target, true);
    EXPECT_EQ(target.Bytes(), (TBytes{1, 'h', 'i'}));
}

TEST(RarEvadsEncodings, Hexadecimal) {
    TBytesStream stream = StreamOf({0x00, 0xAB, 0x7F});
    EXPECT_EQ(TRarEvads::SaveStreamToHexStr(&stream), u"00AB7F");
    EXPECT_EQ(TRarEvads::HexStrToBytes(u"00ab7F"), (TBytes{0x00, 0xAB, 0x7F}));
    EXPECT_THROW(TRarEvads::HexStrToBytes(u"ABC"), EConvertError);
    try {
        TRarEvads::HexStrToBytes(u"00GZ");
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"'$GZ' is not a valid integer value");
    }

    TBytesStream target;
    TRarEvads::LoadStreamFromHexStr(u"4142F", &target);
    EXPECT_EQ(target.Bytes(), (TBytes{'A', 'B'}));
}

TEST(RarEvadsEncodings, Urls) {
    EXPECT_EQ(TRarEvads::URLEncode(u"a b/\u00E9"), u"a%20b%2F%C3%A9");
    EXPECT_EQ(TRarEvads::URLEncode(u"A-z_0.9~"), u"A-z_0.9%7E");
    EXPECT_EQ(TRarEvads::URLDecode(u"a%20b%2F%C3%A9"), u"a b/\u00E9");
    EXPECT_EQ(TRarEvads::URLDecode(u"%41%4a"), u"A");
    EXPECT_EQ(TRarEvads::URLDecode(u" a+b%4"), u"a+b4");
    EXPECT_EQ(TRarEvads::URLDecode(u""), u"");
}

TEST(RarEvadsEncodings, PicturesAsText) {
    TPicture picture;
    EXPECT_EQ(TRarEvads::SaveBitmapToHexStr(&picture), u"");
    EXPECT_EQ(TRarEvads::SaveBitmapToBase64(&picture, false), u"");
    EXPECT_EQ(TRarEvads::GetImageType(&picture), u"");

    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    picture.SetGraphic(&bitmap);
    const String hex = TRarEvads::SaveBitmapToHexStr(&picture);
    EXPECT_EQ(hex.substr(0, 4), u"424D");
    EXPECT_EQ(TRarEvads::GetImageType(&picture), u".bmp");

    TPicture fromHex;
    TRarEvads::LoadBitmapFromHexStr(hex, &fromHex);
    ASSERT_NE(fromHex.Graphic(), nullptr);
    EXPECT_EQ(fromHex.Width(), 3);
    EXPECT_EQ(fromHex.Height(), 2);

    TPicture fromBase64;
    TRarEvads::LoadBitmapFromBase64(
        u"data:image/bmp;base64," + TRarEvads::SaveBitmapToBase64(&picture, false), &fromBase64, false);
    EXPECT_EQ(fromBase64.Width(), 3);

    // Unknown data leaves the picture alone.
    TRarEvads::LoadBitmapFromHexStr(u"12345678", &fromHex);
    EXPECT_EQ(fromHex.Width(), 3);

    // The same as new pictures.
    EXPECT_EQ(TRarEvads::CreateBitmapFromHexStr(hex)->Height(), 2);
    EXPECT_EQ(TRarEvads::CreateBitmapFromBase64(TRarEvads::SaveBitmapToBase64(&picture, true), true)->Width(),
              3);
    EXPECT_TRUE(IsPictureEmpty(TRarEvads::CreateBitmapFromHexStr(u"12345678").get()));
}

} // namespace
