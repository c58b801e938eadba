// The image control: placement of the picture by Stretch, Proportional and
// Center, AutoSize, a JPEG file, and what it shows.

#include "StandardTestSupport.h"
#include "VclTestSupport.h"
#include "rtl/Encoding.h"
#include "vcl/Image.h"
#include "windowing/Input.h"

#include <filesystem>

namespace {

std::unique_ptr<TBitmap> Filled(Integer Width, Integer Height, TColor Color) {
    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetSize(Width, Height);
    Bitmap->Canvas()->Brush()->SetColor(Color);
    Bitmap->Canvas()->FillRect({0, 0, Width, Height});
    return Bitmap;
}

} // namespace

TEST_F(VclTest, ImagePlacesItsPictureByStretchProportionalAndCenter) {
    struct TCase {
        const char* Name;
        Integer PictureWidth, PictureHeight;
        bool Stretch, Proportional, Center;
        TRect Want; // in a 100 x 50 control
    };
    const TCase Cases[] = {
        {"natural size at the top left", 40, 20, false, false, false, {0, 0, 40, 20}},
        {"centred", 40, 20, false, false, true, {30, 15, 70, 35}},
        {"stretched to the control", 40, 20, true, false, false, {0, 0, 100, 50}},
        {"proportional fits the height", 40, 40, true, true, false, {0, 0, 50, 50}},
        {"proportional fits the width and centres", 200, 50, true, true, true, {0, 12, 100, 37}},
        {"proportional never enlarges", 20, 10, false, true, true, {40, 20, 60, 30}},
        {"proportional shrinks a large picture", 400, 100, false, true, false, {0, 0, 100, 25}},
    };
    TForm* Form = NewForm();
    for (const TCase& Case : Cases) {
        auto* Image = new TImage(Form);
        Image->SetBounds(0, 0, 100, 50);
        auto Bitmap = Filled(Case.PictureWidth, Case.PictureHeight, clRed);
        Image->Picture()->SetGraphic(Bitmap.get());
        Image->SetStretch(Case.Stretch);
        Image->SetProportional(Case.Proportional);
        Image->SetCenter(Case.Center);
        EXPECT_EQ(Image->DestRect(), Case.Want) << Case.Name;
        Free(Image);
    }
}

TEST_F(VclTest, ImageShowsAJpegFileAtItsOwnSizeAndAnswersClicks) {
    auto Path = std::filesystem::temp_directory_path() / "vandrel-image-test.jpg";
    {
        auto Bitmap = Filled(60, 30, clBlue);
        TJPEGImage Jpeg;
        Jpeg.Assign(Bitmap.get());
        Jpeg.SaveToFile(FromUtf8(Path.string()));
    }
    TForm* Form = NewForm();
    auto* Image = new TImage(Form);
    Image->SetParent(Form);
    Image->SetBounds(10, 10, 20, 20);
    Image->SetAutoSize(true);
    Image->Picture()->LoadFromFile(FromUtf8(Path.string()));
    std::filesystem::remove(Path);
    EXPECT_EQ(Image->Width(), 60);
    EXPECT_EQ(Image->Height(), 30);
    Integer Clicks = 0;
    Image->OnClick = [&](TObject*) { ++Clicks; };
    Form->Show();
    Pump();
    TColor Shown = ControlPixel(Image, 30, 15);
    EXPECT_GT(GetBValue(Shown), 0xF0) << "JPEG blue is nearly pure";
    EXPECT_LT(GetRValue(Shown), 0x10);
    TPoint P = Centre(Image);
    headless::Click(P.X, P.Y);
    Pump();
    EXPECT_EQ(Clicks, 1);
    // Without a picture the parent shows through.
    Image->Picture()->SetGraphic(nullptr);
    Pump();
    EXPECT_EQ(ControlPixel(Image, 30, 15), ColorToRGB(clBtnFace));
}
