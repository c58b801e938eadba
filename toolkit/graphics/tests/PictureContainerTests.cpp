#include "KelContextTestSupport.h"
#include "PictureTestSupport.h"
#include "kel/PictureContainer.h"
#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using TPicturePtr = std::unique_ptr<THTMLPicture, void (*)(TObject*)>;

TPicturePtr NewPicture() {
    return TPicturePtr(Create<THTMLPicture>(), &Free);
}

TPicturePtr PictureOf(const std::vector<Byte>& ABytes) {
    TPicturePtr Picture = NewPicture();
    Picture->LoadFromStream(StreamOf(ABytes).get());
    return Picture;
}

TEST(HTMLPictureTest, PngFromFileIsMeasuredAndNeverAnimates) {
    TTempFolder Folder;
    const std::vector<Byte> Png = PngBytes(5, 3, 0xFF00FF00);
    WriteFileBytes(Folder / u"p.png", std::string(Png.begin(), Png.end()));
    TPicturePtr Picture = NewPicture();
    int Changes = 0;
    Picture->OnChange = [&](TObject*) { ++Changes; };
    Picture->LoadFromURL(u"file://" + (Folder / u"p.png"));

    EXPECT_FALSE(Picture->Empty());
    EXPECT_EQ(Picture->Width(), 5);
    EXPECT_EQ(Picture->Height(), 3);
    EXPECT_EQ(Picture->ID(), u"file://" + (Folder / u"p.png"));
    EXPECT_EQ(Changes, 1);
    EXPECT_FALSE(Picture->IsGIF());
    EXPECT_EQ(Picture->FrameCount(), -1);
    for (int Tick = 0; Tick < 5; ++Tick)
        EXPECT_FALSE(Picture->Step());
}

TEST(HTMLPictureTest, UnreadableFileLeavesThePictureEmpty) {
    TTempFolder Folder;
    WriteFileBytes(Folder / u"bad.svg", "<svg><unclosed");
    TPicturePtr Picture = PictureOf(PngBytes(2, 2, 0xFF000000));
    Picture->LoadFromFile(Folder / u"bad.svg");
    EXPECT_TRUE(Picture->Empty());
    Picture->LoadFromFile(Folder / u"missing.png");
    EXPECT_TRUE(Picture->Empty());
}

TEST(HTMLPictureTest, ResourceUrlIgnoresPrefixCase) {
    TPicturePtr Picture = NewPicture();
    Picture->LoadFromURL(u"res://KelGRAPHICSCLOSESVG");
    EXPECT_TRUE(Picture->HasSVG());
    EXPECT_FALSE(Picture->Empty());
    EXPECT_EQ(Picture->ID(), u"res://KelGRAPHICSCLOSESVG");

    TPicturePtr Missing = NewPicture();
    Missing->LoadFromURL(u"RES://NoSuchResource");
    EXPECT_TRUE(Missing->Empty());
}

TEST(HTMLPictureTest, WebAddressesLoadNothing) {
    TPicturePtr Picture = NewPicture();
    Picture->LoadFromURL(u"http://example.com/a.png");
    EXPECT_TRUE(Picture->Busy());
    EXPECT_TRUE(Picture->Empty());
    EXPECT_EQ(Picture->URL(), u"http://example.com/a.png");
    Picture->LoadFromURL(u"http://example.com/b.png");
    EXPECT_EQ(Picture->URL(), u"http://example.com/a.png");

    TPicturePtr Sync = NewPicture();
    Sync->SetAsynch(false);
    Sync->LoadFromURL(u"http://example.com/c.png");
    EXPECT_FALSE(Sync->Busy());
    EXPECT_EQ(Sync->ID(), u"http://example.com/c.png");
    EXPECT_TRUE(Sync->Empty());
}

TEST(HTMLPictureTest, GifFramesAndTheirTimes) {
    TPicturePtr Picture = PictureOf(ThreeFrameGif());
    ASSERT_TRUE(Picture->IsGIF());
    EXPECT_EQ(Picture->FrameCount(), 3);
    EXPECT_EQ(Picture->AnimMaxX(), 2);
    EXPECT_EQ(Picture->AnimMaxY(), 1);
    EXPECT_EQ(Picture->FrameTime(2), 20);
    EXPECT_EQ(Picture->FrameTime(4), -1);
    // Frame 1's packed field 0x09: transparent, disposal method 2.
    EXPECT_EQ(Picture->FrameTime(1), 10);
    EXPECT_TRUE(Picture->FrameTransp());
    EXPECT_EQ(Picture->FrameDisposal(), 2);

    int FrameChanges = 0;
    Picture->OnFrameChange = [&](TObject*) { ++FrameChanges; };
    Picture->SetFrame(2);
    EXPECT_EQ(FrameChanges, 1);
    EXPECT_EQ(Picture->FrameXPos(), 1);
    EXPECT_EQ(Picture->FrameXSize(), 1);
    Picture->FrameNext();
    Picture->FrameNext();
    EXPECT_EQ(Picture->Frame(), 1);
    Picture->FramePrev();
    EXPECT_EQ(Picture->Frame(), 3);
}

TEST(HTMLPictureTest, StepAdvancesByTheFrameDelays) {
    TPicturePtr Picture = PictureOf(ThreeFrameGif());
    // Each tick counts 10 hundredths: delays 10, 20, 10 move on at ticks 3, 5, 6.
    const struct {
        bool Advanced;
        Integer Frame;
    } Ticks[] = {{false, 1}, {false, 1}, {true, 2}, {false, 2}, {true, 3}, {true, 1}};
    for (std::size_t i = 0; i < std::size(Ticks); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(Picture->Step(), Ticks[i].Advanced);
        EXPECT_EQ(Picture->Frame(), Ticks[i].Frame);
    }
}

TEST(HTMLPictureTest, TruncatedGifIsReadWithinItsBytes) {
    std::vector<Byte> Gif = ThreeFrameGif();
    Gif.resize(19 + 12); // the first control extension and half its descriptor
    TPicturePtr Picture = PictureOf(Gif);
    EXPECT_EQ(Picture->FrameCount(), 1);
    EXPECT_EQ(Picture->FrameXSize(), 0);
    EXPECT_EQ(Picture->Width(), 0);
}

TEST(HTMLPictureTest, DrawsTheCurrentGifFrameAndFillsTheRectangle) {
    TPicturePtr Picture = PictureOf(ThreeFrameGif());
    Picture->SetFrame(2);
    TContextSurface Surface(10, 10);
    Picture->Draw(Surface.Canvas(), Rect(2, 2, 6, 4));
    // Frame 2 is a red pixel on the right; frame 1's on the left was
    // disposed of (restored to the background) before it.
    EXPECT_EQ(Surface.Pixel(5, 3), clRed);
    EXPECT_EQ(Surface.Pixel(2, 3), clWhite);
    EXPECT_EQ(Surface.Pixel(7, 3), clWhite);
}

TEST(HTMLPictureTest, AssignCopiesBytesAndResetsTheAnimation) {
    TPicturePtr Source = PictureOf(ThreeFrameGif());
    Source->SetID(u"a.gif");
    Source->SetFrame(3);
    TPicturePtr Copy = NewPicture();
    Copy->Assign(Source.get());
    EXPECT_EQ(Copy->ID(), u"a.gif");
    EXPECT_EQ(Copy->Frame(), 3);
    EXPECT_EQ(Copy->FrameCount(), 3);

    TPicture Holder;
    Copy->Assign(&Holder);
    EXPECT_TRUE(Copy->Empty());
    EXPECT_EQ(Copy->Frame(), 1);
}

TEST(HTMLPictureCacheTest, FindsByExactIdAndAnimatesAll) {
    THTMLPictureCache Cache;
    THTMLPicture* Gif = Cache.AddPicture();
    Gif->LoadFromStream(StreamOf(ThreeFrameGif()).get());
    Gif->SetID(u"Anim.gif");
    Cache.AddPicture()->SetID(u"still.png");
    EXPECT_EQ(Cache.FindPicture(u"Anim.gif"), Gif);
    EXPECT_EQ(Cache.FindPicture(u"anim.gif"), nullptr);
    EXPECT_FALSE(Cache.Animate());
    EXPECT_FALSE(Cache.Animate());
    EXPECT_TRUE(Cache.Animate());
    Cache.ClearPictures();
    EXPECT_EQ(Cache.Count(), 0);
}

TEST(PictureContainerTest, LooksUpNamesIgnoringCase) {
    auto* Container = Create<TPictureContainer>(nullptr);
    TPictureItem* Item = Container->Items()->Add();
    Item->SetName(u"Logo");
    Item->Picture()->LoadFromStream(StreamOf(PngBytes(4, 2, 0xFFFF0000)).get());

    EXPECT_EQ(Container->FindPicture(u"LOGO"), Item->Picture());
    EXPECT_EQ(Container->FindPicture(u"other"), nullptr);
    TPicture* Bitmap = Container->FindBitmap(u"logo");
    ASSERT_NE(Bitmap, nullptr);
    EXPECT_EQ(Bitmap->Width(), 4);
    EXPECT_EQ(Container->FindBitmap(u"none"), nullptr);
    EXPECT_EQ(Container->Version(), u"2.1.1.0");
    Free(Container);
}

} // namespace
