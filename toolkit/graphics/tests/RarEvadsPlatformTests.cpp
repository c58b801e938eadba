#include "graphics/DeviceContext.h"
#include "graphics/GraphicsObjects.h"
#include "graphics/Picture.h"
#include "kel/GDIPicture.h"
#include "kel/KelBitmap.h"
#include "kel/PictureContainer.h"
#include "kel/RarEvads.h"
#include "os/Shell.h"
#include "rtl/Exception.h"
#include "rtl/StringList.h"
#include "rtl/TextCompare.h"
#include "windowing/Clipboard.h"

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

    // Bytes of no raster format are taken as an SVG document; these parse
    // as none, so the picture is an empty SVG picture.
    LoadBitmapFromResource(&picture, u"JUNK", &module);
    EXPECT_TRUE(IsPictureEmpty(&picture));
    EXPECT_EQ(picture.Width(), 0);

    EXPECT_TRUE(IsPictureEmpty(nullptr));
    EXPECT_EQ(PictureGraphic(nullptr), nullptr);
    TBitmap empty;
    picture.SetGraphic(&empty);
    EXPECT_TRUE(IsPictureEmpty(&picture));
}

TEST(RarEvadsResources, NewPicturesFromResources) {
    EXPECT_TRUE(CreateBitmapFromResource(u"KelGRAPHICSCLOSESVG")->HasSVG());
    const std::unique_ptr<TKelBitmap> missing = CreateBitmapFromResource(u"MISSING");
    ASSERT_NE(missing, nullptr);
    EXPECT_TRUE(IsPictureEmpty(missing.get()));
}

// A numbered resource is the one named "#" and the number; a missing one raises.
TEST(RarEvadsResources, PicturesByResourceNumber) {
    const std::string svg =
        R"(<svg xmlns="http://www.w3.org/2000/svg" width="6" height="5"><rect width="6" height="5"/></svg>)";
    const TResourceModule module({{u"#7", std::span(reinterpret_cast<const Byte*>(svg.data()), svg.size())}});
    TGDIPPicture gdip;
    gdip.LoadFromResourceID(&module, 7);
    EXPECT_EQ(gdip.Width(), 6);
    THTMLPicture html;
    html.LoadFromResourceID(&module, 7);
    EXPECT_EQ(html.Height(), 5);
    for (auto Load : {+[](const TResourceModule* M) { TGDIPPicture().LoadFromResourceID(M, 8); },
                      +[](const TResourceModule* M) { THTMLPicture().LoadFromResourceID(M, 8); }}) {
        try {
            Load(&module);
            ADD_FAILURE() << "no error for a missing resource";
        } catch (const EResNotFound& e) {
            EXPECT_EQ(e.Message(), u"Resource #8 not found");
        }
    }
}

} // namespace

namespace {

TEST(RarEvadsPlatform, ClipboardFormatsAreRegisteredByName) {
    const TRarEvadsClipboardFormats& formats = RarEvadsClipboardFormats();
    EXPECT_EQ(formats.RichEditorText, winapi::RegisterClipboardFormat(u"RichEditorText"));
    EXPECT_EQ(formats.StreamFormat, winapi::RegisterClipboardFormat(u"TKelClipBoard.StreamFormat"));
    EXPECT_EQ(formats.RichTextFormat, winapi::RegisterClipboardFormat(u"Rich Text Format"));
    EXPECT_EQ(formats.HTMLFormat, winapi::RegisterClipboardFormat(u"HTML Format"));
    EXPECT_GE(formats.RichEditorText, 0xC000);
    EXPECT_NE(formats.RichEditorText, formats.HTMLFormat);
    EXPECT_EQ(formats.Bitmap, 2);
}

TEST(RarEvadsJpeg, ConvertBitmapToJPEGStream) {
    TPicture picture;
    EXPECT_EQ(TRarEvads::ConvertBitmapToJPEGStream(&picture, 0.9f, clNone), nullptr);

    // A transparent PNG comes out as JPEG over the background colour.
    TDecodedImage image = TDecodedImage::Blank(8, 8, 0x00000000);
    image.HasAlpha = true;
    TBytesStream png(EncodePng(image));
    picture.LoadFromStream(&png);
    for (const auto& [background, expected] :
         {std::pair<TColor, std::uint32_t>{clNone, 0xFFFFFF}, {TColor(0x0000FF), 0xFF0000}}) {
        const auto jpeg = TRarEvads::ConvertBitmapToJPEGStream(&picture, 0.9f, background);
        ASSERT_NE(jpeg, nullptr);
        EXPECT_EQ(TRarEvads::GetImageType(jpeg.get(), true).substr(0, 4), u".jpg");
        const TDecodedImage decoded =
            DecodeJpeg(TBytesStream(TBytes(jpeg->Memory(), jpeg->Memory() + jpeg->Size())).Bytes());
        ASSERT_EQ(decoded.Width, 8);
        const std::uint32_t pixel = decoded.Pixel(4, 4) & 0xFFFFFF;
        for (int shift = 0; shift <= 16; shift += 8)
            EXPECT_NEAR(int((pixel >> shift) & 0xFF), int((expected >> shift) & 0xFF), 3)
                << std::hex << pixel;
    }

    // A JPEG picture is copied as it is.
    const std::vector<Byte> jpegBytes = EncodeJpeg(TDecodedImage::Blank(4, 4, 0xFF336699), 50);
    TBytesStream jpegStream{TBytes(jpegBytes)};
    picture.LoadFromStream(&jpegStream);
    const auto copy = TRarEvads::ConvertBitmapToJPEGStream(&picture, 1, clNone);
    ASSERT_NE(copy, nullptr);
    TBytesStream saved;
    picture.SaveToStream(&saved);
    EXPECT_EQ(TBytes(copy->Memory(), copy->Memory() + copy->Size()), saved.Bytes());
}

} // namespace

namespace {

TEST(RarEvadsPlatform, GetFonts) {
    TStringList fonts;
    fonts.Add(u"stale");
    TRarEvads::GetFonts(&fonts);
    EXPECT_EQ(fonts.IndexOf(u"stale"), -1);
    EXPECT_GE(fonts.IndexOf(u"DejaVu Sans"), 0);
    for (Integer i = 1; i < fonts.Count(); ++i)
        EXPECT_LT(CompareText(fonts.Strings(i - 1), fonts.Strings(i)), 0);
}

} // namespace

// fontconfig keeps caches for the life of the process that it never frees.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
