#include "graphics/DeviceContext.h"
#include "graphics/GraphicsObjects.h"
#include "graphics/Picture.h"
#include "kel/RarEvads.h"
#include "os/Shell.h"
#include "rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

TEST(RarEvadsPlatform, DpiScale) {
    EXPECT_EQ(TRarEvads::GetDPIScale(), 1);
    EXPECT_FALSE(TRarEvads::IsHighDPIScale());
    EXPECT_EQ(TRarEvads::GetDPIScale(nullptr, 72), Single(96) / 72);
    const Integer saved = ScreenPixelsPerInch();
    SetScreenPixelsPerInch(144);
    EXPECT_EQ(TRarEvads::GetDPIScale(), 1.5f);
    EXPECT_TRUE(TRarEvads::IsHighDPIScale());
    SetScreenPixelsPerInch(saved);
}

TEST(RarEvadsPlatform, SetFontSize) {
    const struct {
        Single pixels;
        Integer height;
    } cases[] = {{12, -12}, {13, -13}, {16, -16}, {14, -13}};
    TFont font;
    for (const auto& c : cases) {
        TRarEvads::SetFontSize(&font, c.pixels);
        EXPECT_EQ(font.Height(), c.height) << c.pixels;
    }
}

TEST(RarEvadsPlatform, FoldersAndSlashes) {
    EXPECT_EQ(TRarEvads::GetAppPath().back(), u'/');
    EXPECT_EQ(TRarEvads::GetTempPath().back(), u'/');
    EXPECT_EQ(TRarEvads::AddBackslash(u"a"), u"a\\");
    EXPECT_EQ(TRarEvads::AddBackslash(u"a\\"), u"a\\");
    EXPECT_EQ(TRarEvads::AddBackslash(u""), u"");
    EXPECT_EQ(TRarEvads::AddForwardslash(u"a"), u"a/");
    EXPECT_EQ(TRarEvads::AddForwardslash(u"a/"), u"a/");
    EXPECT_EQ(TRarEvads::AddForwardslash(u""), u"");
}

TEST(RarEvadsPlatform, OpenGoesThroughTheShell) {
    std::vector<String> opened;
    const auto previous = os::SetShellOpenHook([&](const String& target) {
        opened.push_back(target);
        return true;
    });
    TRarEvads::OpenURL(u"https://example.org/a");
    TRarEvads::OpenFile(u"javascript:alert(1)");
    os::SetShellOpenHook(previous);
    EXPECT_EQ(opened, std::vector<String>{u"https://example.org/a"});
}

TEST(RarEvadsPlatform, DownloadFailsClearly) {
    try {
        TRarEvads::DownloadImage(u"https://example.org/a.png");
        ADD_FAILURE();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), u"Unable to initialize Wininet");
    }
}

TEST(RarEvadsResources, ProgramModuleHoldsTheGlyphs) {
    for (const Char* name : {u"KelGRAPHICSCLOSESVG", u"KelGRAPHICSDOWNSVG", u"KelGRAPHICSUPSVG",
                             u"KelGRAPHICSRIGHTSVG", u"KelGRAPHICSLEFTSVG", u"kelgraphicsexpandsvg"}) {
        const auto stream = TRarEvads::GetResourceStream(name);
        ASSERT_NE(stream, nullptr) << Utf8(name);
        EXPECT_EQ(stream->Position(), 0);
        EXPECT_EQ(TRarEvads::GetImageType(stream.get(), false), u"");
        EXPECT_EQ(String(reinterpret_cast<const char*>(stream->Memory()),
                         reinterpret_cast<const char*>(stream->Memory()) + 4),
                  u"<svg");
    }
    EXPECT_EQ(TRarEvads::GetResourceStream(u"NOSUCHRESOURCE"), nullptr);
    EXPECT_EQ(TRarEvads::GetResourceStream(u"KelGRAPHICSCLOSESVG", nullptr), nullptr);
}

TEST(RarEvadsResources, PicturesFromAModulesResources) {
    const std::vector<Byte> png = EncodePng(TDecodedImage::Blank(4, 3, 0xFF00FF00));
    const std::vector<Byte> junk{1, 2, 3, 4, 5};
    const TResourceModule module({{u"GREEN", png}, {u"JUNK", junk}});

    TPicture picture;
    LoadBitmapFromResource(&picture, u"MISSING", &module);
    EXPECT_TRUE(IsPictureEmpty(&picture));
    EXPECT_EQ(PictureGraphic(&picture), nullptr);

    LoadBitmapFromResource(&picture, u"green", &module);
    EXPECT_FALSE(IsPictureEmpty(&picture));
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(PictureGraphic(&picture), picture.Graphic());

    EXPECT_THROW(LoadBitmapFromResource(&picture, u"JUNK", &module), EInvalidGraphic);
    EXPECT_EQ(picture.Width(), 4);

    EXPECT_TRUE(IsPictureEmpty(nullptr));
    EXPECT_EQ(PictureGraphic(nullptr), nullptr);
    TBitmap empty;
    picture.SetGraphic(&empty);
    EXPECT_TRUE(IsPictureEmpty(&picture));
}

} // namespace
