// Pictures and form controls in markup: sizes, sources, ALT pictures,
// image-list pictures, and the hit test of controls.

#include "KelDrawingTestSupport.h"
#include "PictureTestSupport.h"
#include "graphics/ImageList.h"
#include "kel/KelMarkupRenderer.h"
#include "kel/PictureContainer.h"
#include "kel/RarEvads.h"
#include "rtltesting/TestFiles.h"

#include <gtest/gtest.h>

namespace {

class KelMarkupObjects : public ::testing::Test {
protected:
    void SetUp() override {
        S.Graphics->SetFontName(u"DejaVu Sans");
        S.Graphics->SetFontColor(clBlack);
        S.Graphics->Font()->SetHeight(-12);
        AddPicture(u"red", PngBytes(20, 10, 0xFFFF0000));
        AddPicture(u"green", PngBytes(20, 10, 0xFF00FF00));
        Options.PictureContainer = Container.get();
    }

    void AddPicture(const String& AName, const std::vector<Byte>& ABytes) {
        TPictureItem* Item = Container->Items()->Add();
        Item->SetName(AName);
        Item->Picture()->LoadFromStream(StreamOf(ABytes).get());
    }

    TMarkupTextOutputs Run(const String& AText, bool AMeasure) {
        TMarkupTextOptions O = Options;
        O.MeasureOnly = AMeasure;
        TMarkupTextOutputs Out;
        Hit = DrawMarkupText(S.Graphics.get(), AText, RectF(0, 0, 200, 60), O, Out);
        return Out;
    }

    bool HasColor(TColor AColor) const {
        for (Integer Y = 0; Y < 60; ++Y)
            for (Integer X = 0; X < 200; ++X)
                if (S.Pixel(X, Y) == AColor) return true;
        return false;
    }

    TDrawingSurface S{200, 60};
    std::unique_ptr<TPictureContainer, void (*)(TObject*)> Container{Create<TPictureContainer>(nullptr), &Free};
    TMarkupTextOptions Options;
    bool Hit = false;
};

TEST_F(KelMarkupObjects, PicturesAreSizedFromTheirAttributes) {
    struct {
        String Text;
        Single Width;  // of the box, before the 2 units of space
        Single Height; // of the line, when taller than the text
    } const Cases[] = {
        {u"<IMG SRC=\"red\">", 20, 10},
        {u"<IMG SRC=\"RED\" WIDTH=\"40\">", 40, 20},
        {u"<IMG SRC=\"red\" HEIGHT=\"30\">", 60, 30},
        {u"<IMG SRC=\"red\" WIDTH=\"7\" HEIGHT=\"33\">", 7, 33},
        {u"<IMG SRC=\"missing\">", 0, 0},
        {u"<IMG SRC=\"IDX:0\">", 0, 0}, // no image list
    };
    const Single Gh = S.Graphics->CalculateText(u"gh", RectF(0, 0, 10000, 10000), false, false).Height();
    for (const auto& C : Cases) {
        SCOPED_TRACE(Utf8(C.Text));
        const TMarkupTextOutputs Out = Run(C.Text, true);
        EXPECT_FLOAT_EQ(Out.TextWidth, C.Width + 2 + 2);
        EXPECT_FLOAT_EQ(Out.TextHeight, std::max(Gh, C.Height));
    }
}

TEST_F(KelMarkupObjects, PicturesComeFromFilesAndBase64AndBadSourcesAreMissing) {
    TTempFolder Folder;
    const std::vector<Byte> Png = PngBytes(6, 4, 0xFF0000FF);
    WriteFileBytes(Folder / u"p.png", std::string(Png.begin(), Png.end()));
    WriteFileBytes(Folder / u"bad.png", "not a picture");
    TMemoryStream Stream;
    Stream.Write(Png.data(), Int64(Png.size()));
    const String Base64 = TRarEvads::SaveStreamToBase64(&Stream, false);

    struct {
        String Text;
        Single Width;
    } const Cases[] = {
        {u"<IMG SRC=\"file://" + (Folder / u"p.png") + u"\">", 6},
        {u"<IMG SRC=\"data:image/png;base64," + Base64 + u"\">", 6},
        {u"<IMG SRC=\"FILE://" + (Folder / u"none.png") + u"\">", 0},
        {u"<IMG SRC=\"FILE://" + (Folder / u"bad.png") + u"\">", 0},
        {u"<IMG SRC=\"data:image/png;base64,!!!!\">", 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(Utf8(C.Text));
        EXPECT_FLOAT_EQ(Run(C.Text, true).TextWidth, C.Width + 4);
        Run(C.Text, false); // drawing does not raise either
    }
    EXPECT_TRUE(HasColor(clBlue));
}

TEST_F(KelMarkupObjects, LinkedPictureShowsItsAltPictureUnderThePoint) {
    const String Text = u"<A HREF=\"go\"><IMG SRC=\"red\" ALT=\"green\"></A>";
    Run(Text, false);
    EXPECT_TRUE(HasColor(clRed));
    EXPECT_FALSE(HasColor(clLime));

    Options.PointX = 5;
    Options.PointY = 5;
    const TMarkupTextOutputs Out = Run(Text, false);
    EXPECT_TRUE(Hit);
    EXPECT_EQ(Out.Anchor, u"go");
    EXPECT_TRUE(HasColor(clLime));
}

TEST_F(KelMarkupObjects, ImageListPicturesByIndex) {
    TCustomImageList Images;
    Images.SetWidth(8);
    Images.SetHeight(8);
    TBitmap Bitmap;
    Bitmap.SetSize(8, 8);
    Bitmap.Canvas()->Brush()->SetColor(clRed);
    Bitmap.Canvas()->FillRect(Rect(0, 0, 8, 8));
    Images.Add(&Bitmap, nullptr);
    Options.ImageList = &Images;

    EXPECT_FLOAT_EQ(Run(u"<IMG SRC=\"IDX:0\">", true).TextWidth, 8 + 4);
    EXPECT_FLOAT_EQ(Run(u"<IMG SRC=\"IDX:1\">", true).TextWidth, 0 + 4);
    Run(u"<IMG SRC=\"IDX:1\">", false);
    EXPECT_FALSE(HasColor(clRed));
    Options.SkipImageListImages = true;
    Run(u"<IMG SRC=\"IDX:0\">", false);
    EXPECT_FALSE(HasColor(clRed));
    Options.SkipImageListImages = false;
    Run(u"<IMG SRC=\"IDX:0\">", false);
    EXPECT_TRUE(HasColor(clRed));
}

TEST_F(KelMarkupObjects, ControlsTakeTheirSpace) {
    struct {
        String Text;
        Single Width;
    } const Cases[] = {
        {u"<CONTROL TYPE=\"EDIT\" ID=\"e\">", 0},
        {u"<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"50\">", 50},
        {u"<CONTROL TYPE=\"CHECK\" ID=\"c\">", 18},
        {u"<CONTROL TYPE=\"RADIO\" ID=\"r\">", 18},
        {u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"60\" VALUE=\"Go\">", 60},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(Utf8(C.Text));
        const TMarkupTextOutputs Out = Run(C.Text, true);
        EXPECT_FLOAT_EQ(Out.TextWidth, C.Width == 0 ? 0 : C.Width + 2);
    }
    // A control after a taller picture leaves the line its height.
    EXPECT_FLOAT_EQ(Run(u"<IMG SRC=\"red\" HEIGHT=\"40\"><CONTROL TYPE=\"CHECK\" ID=\"c\">", true).TextHeight, 40);
    Options.ControlScale = 2;
    EXPECT_FLOAT_EQ(Run(u"<CONTROL TYPE=\"CHECK\" ID=\"c\">", true).TextWidth, 34 + 2);
}

TEST_F(KelMarkupObjects, ControlsAreDrawnAndHit) {
    const String Text = u"ab<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\"><CONTROL TYPE=\"BUTTON\" ID=\"b1\" "
                        u"WIDTH=\"60\" VALUE=\"Go\">";
    Run(Text, false);
    EXPECT_NE(S.Ink(), TRect{});

    const Single Ab = S.Graphics->CalculateText(u"ab", RectF(0, 0, 10000, 10000), false, false).Width();
    Options.HitTestOnly = true;
    Options.PointX = Integer(Ab + 18 + 30);
    Options.PointY = 10;
    TMarkupTextOutputs Out = Run(Text, false);
    EXPECT_TRUE(Hit);
    EXPECT_EQ(Out.Anchor, u"ctrl");
    EXPECT_EQ(Out.ControlID, u"b1");
    EXPECT_EQ(Out.ControlType, u"BUTTON");
    EXPECT_EQ(Out.ControlValue, u"Go");
    EXPECT_NEAR(Out.ControlRect.Left, Ab + 18, 0.01);
    EXPECT_NEAR(Out.ControlRect.Right, Ab + 18 + 60, 0.01);

    // A control asked for by its ID is reported wherever the point is.
    Options.PointX = 0;
    Options.PointY = 0;
    TMarkupTextOptions O = Options;
    TMarkupTextOutputs Asked;
    Asked.ControlID = u"c1";
    EXPECT_TRUE(DrawMarkupText(S.Graphics.get(), Text, RectF(0, 0, 200, 60), O, Asked));
    EXPECT_EQ(Asked.ControlType, u"CHECK");
    EXPECT_EQ(Asked.ControlValue, u"TRUE");
    EXPECT_NEAR(Asked.ControlRect.Left, Ab, 0.01);
}

TEST_F(KelMarkupObjects, ButtonIsDrawnHotUnderThePointAndPressedWhenDown) {
    const String Text = u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" WIDTH=\"60\" VALUE=\"\">";
    auto Picture = [&](TMarkupTextOptions AOptions) {
        TDrawingSurface Surface(80, 40);
        TMarkupTextOutputs Out;
        DrawMarkupText(Surface.Graphics.get(), Text, RectF(0, 0, 80, 40), AOptions, Out);
        std::vector<TColor> Pixels;
        for (Integer Y = 0; Y < 40; ++Y)
            for (Integer X = 0; X < 80; ++X)
                Pixels.push_back(Surface.Pixel(X, Y));
        return Pixels;
    };
    TMarkupTextOptions Plain;
    Plain.PointX = -100;
    TMarkupTextOptions Hot;
    Hot.PointX = 30;
    Hot.PointY = 10;
    TMarkupTextOptions Down = Plain;
    Down.ControlDown = true;
    Down.ControlDownID = u"b";
    EXPECT_NE(Picture(Plain), std::vector<TColor>(80 * 40, clWhite));
    EXPECT_NE(Picture(Hot), Picture(Plain));
    EXPECT_NE(Picture(Down), Picture(Plain));
    TMarkupTextOptions Other = Down;
    Other.ControlDownID = u"x";
    EXPECT_EQ(Picture(Other), Picture(Plain));
}

TEST(KelMarkupControlParsing, ReadsTheAttributesAsWritten) {
    const TMarkupControl C =
        ParseMarkupControl(u" type=\"check\" id=\"MyId\" value=\"a&amp;b\" width=\"12\" height=\"30\" maxlen=\"4\"");
    EXPECT_EQ(C.Type, u"CHECK");
    EXPECT_EQ(C.ID, u"MyId");
    EXPECT_EQ(C.Value, u"a&b");
    EXPECT_EQ(C.Width, u"12");
    EXPECT_EQ(C.Height, u"30");
    EXPECT_EQ(C.MaxLen, u"4");
    EXPECT_EQ(C.Prop, u"");
}

} // namespace
