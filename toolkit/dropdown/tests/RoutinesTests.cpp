// The shared routines: gradient bands by pixels, colour mixing, number
// classification, hexadecimal conversion, text fitting, version probes.

#include "DropDownTestSupport.h"
#include "dropdown/KelDropDownRoutines.h"
#include "graphics/Colors.h"
#include "graphics/Graphic.h"
#include "rtl/FormatSettings.h"

namespace {

struct SeparatorsScope {
    SeparatorsScope(Char Decimal, Char Thousand)
        : OldDecimal(FormatSettings.DecimalSeparator), OldThousand(FormatSettings.ThousandSeparator) {
        FormatSettings.DecimalSeparator = Decimal;
        FormatSettings.ThousandSeparator = Thousand;
    }
    ~SeparatorsScope() {
        FormatSettings.DecimalSeparator = OldDecimal;
        FormatSettings.ThousandSeparator = OldThousand;
    }
    Char OldDecimal, OldThousand;
};

std::unique_ptr<TBitmap> Surface(Integer Width, Integer Height) {
    auto Bitmap = std::make_unique<TBitmap>();
    Bitmap->SetSize(Width, Height);
    Bitmap->Canvas()->Brush()->SetColor(clWhite);
    Bitmap->Canvas()->FillRect(TRect(0, 0, Width, Height));
    return Bitmap;
}

} // namespace

TEST(DropDownRoutines, GradientBandsStepEachChannelAndOverlapByOnePixel) {
    auto Bitmap = Surface(40, 10);
    // Red 0 -> 200 in 4 bands of 10 (39 / 4 rounded): 0, 50, 100, 150.
    DrawBandedGradient(Bitmap->Canvas(), RGB(0, 0, 0), RGB(200, 0, 0), 4, TRect(0, 0, 40, 10), true);
    const struct {
        Integer X;
        Byte Red;
    } Cases[] = {{0, 0}, {9, 0}, {10, 50}, {19, 50}, {20, 100}, {30, 150}, {39, 150}};
    for (const auto& Case : Cases)
        EXPECT_EQ(GetRValue(Bitmap->Canvas()->Pixels(Case.X, 5)), Case.Red) << "x " << Case.X;

    auto Vertical = Surface(10, 20);
    DrawBandedGradient(Vertical->Canvas(), clBlue, clBlue, 0, TRect(0, 0, 10, 20), false);
    for (Integer Y : {0, 10, 19})
        EXPECT_EQ(Vertical->Canvas()->Pixels(5, Y), clBlue) << "y " << Y;
    EXPECT_EQ(Vertical->Canvas()->Pixels(5, 19), clBlue);
}

TEST(DropDownRoutines, BackgroundIsAGradientAFillOrNothingWithAnOptionalFrame) {
    auto Bitmap = Surface(30, 30);
    DrawBackgroundAndBorder(Bitmap->Canvas(), TRect(0, 0, 30, 30), clRed, clNone, clBlack, 1, gdVertical);
    EXPECT_EQ(Bitmap->Canvas()->Pixels(15, 15), clRed);
    EXPECT_EQ(Bitmap->Canvas()->Pixels(0, 15), clBlack);
    EXPECT_EQ(Bitmap->Canvas()->Pixels(29, 15), clBlack);
    auto Untouched = Surface(30, 30);
    DrawBackgroundAndBorder(Untouched->Canvas(), TRect(0, 0, 30, 30), clNone, clNone, clNone, 1, gdVertical);
    EXPECT_EQ(Untouched->Canvas()->Pixels(0, 0), clWhite);
}

TEST(DropDownRoutines, BlendAndDarkenWorkPerChannel) {
    EXPECT_EQ(BlendColor(clRed, clBlue, 100), clRed);
    EXPECT_EQ(BlendColor(clBtnFace, clBlue, 100), clBtnFace); // system colour passes unconverted
    EXPECT_EQ(BlendColor(clRed, clBtnFace, 0), clBtnFace);
    EXPECT_EQ(BlendColor(RGB(200, 0, 0), RGB(0, 0, 100), 50), RGB(100, 0, 50));
    EXPECT_EQ(BlendColor(RGB(255, 0, 0), RGB(255, 255, 255), 20), RGB(255, 204, 204));

    EXPECT_EQ(DarkenColor(RGB(200, 0, 100), -20, -20, -20), RGB(160, 0, 80));
    EXPECT_EQ(DarkenColor(RGB(200, 0, 100), 20, 20, 20), RGB(200, 20, 100));
    EXPECT_EQ(DarkenColor(0xF5F0E1, -10, -10, 0), 0xF5D8CA);
}

TEST(DropDownRoutines, NumberTextsAreClassified) {
    SeparatorsScope Scope(u'.', u',');
    const struct {
        const char16_t* Text;
        TNumberTextKind Kind;
    } Cases[] = {
        {u"12", ntInteger}, {u"1.5", ntFloat},   {u"1A", ntHex},       {u"--1", ntText}, {u"1,2,3", ntText},
        {u"1,234", ntFloat}, {u"-", ntInteger},  {u"", ntText},        {u",12", ntText}, {u"1.2.3", ntText},
        {u"abc", ntHex},     {u"12-3", ntInteger}, {u"1,234,567", ntFloat}, {u"x1", ntText},
    };
    for (const auto& Case : Cases)
        EXPECT_EQ(ClassifyNumberText(Case.Text), Case.Kind) << Utf8(Case.Text);
}

TEST(DropDownRoutines, HexadecimalDigitsAndSeparators) {
    EXPECT_EQ(HexToInt(u"ff"), 255);
    EXPECT_EQ(HexToInt(u"FF"), 255);
    EXPECT_EQ(HexToInt(u"-1"), 1);
    EXPECT_EQ(HexToInt(u"FFFFFFFF"), -1);
    EXPECT_EQ(HexToInt(u"100000000"), 0); // wraps
    EXPECT_EQ(HexDigitValue(u'g'), 0);
    EXPECT_EQ(HexDigitValue(u'c'), 12);
    for (Char C : String(u",-;"))
        EXPECT_TRUE(IsRangeSeparator(C));
    EXPECT_FALSE(IsRangeSeparator(u'.'));
    SeparatorsScope Scope(u',', u'.');
    EXPECT_EQ(StripThousandSeparators(u"1.234.567,5"), u"1234567,5");
    EXPECT_EQ(CaseFold(u"abc", false), u"ABC");
    EXPECT_EQ(CaseFold(u"abc", true), u"abc");
}

TEST_F(DropDownTest, TruncateKeepsAFittingTextAndEndsACutOneWithAnEllipsis) {
    auto Bitmap = Surface(10, 10);
    TCanvas* Canvas = Bitmap->Canvas();
    String Result;
    TruncateText(Canvas, u"Short", 500, true, Result);
    EXPECT_EQ(Result, u"Short");
    const String Long = u"A rather long text that does not fit";
    TruncateText(Canvas, Long, 60, true, Result);
    ASSERT_GT(Result.size(), 3u);
    EXPECT_EQ(Result.substr(Result.size() - 3), u"...");
    EXPECT_LT(Canvas->TextWidth(Result), 60);
    TruncateText(Canvas, Long, 60, false, Result);
    EXPECT_EQ(Long.substr(0, Result.size()), Result);
    TruncateText(Canvas, Long, 1, true, Result);
    EXPECT_EQ(Result, Long); // nothing fits: the whole text
}

TEST_F(DropDownTest, MeasuringAnEmptyTextGivesNothing) {
    auto Bitmap = Surface(10, 10);
    TSize Size{5, 5};
    MeasureText(Bitmap->Canvas(), u"", Size);
    EXPECT_EQ(Size.cx, 0);
    MeasureText(Bitmap->Canvas(), u"Wide text", Size);
    EXPECT_GT(Size.cx, 20);
    EXPECT_GT(Size.cy, 5);
    MeasureMarkupText(Bitmap->Canvas(), u"", TRect(0, 0, 100, 100), nullptr, false, nullptr, 1, Size);
    EXPECT_EQ(Size.cy, 0);
    MeasureMarkupText(Bitmap->Canvas(), u"<b>Bold</b> text", TRect(0, 0, 1000, 500), nullptr, false, nullptr, 1,
                      Size);
    EXPECT_GT(Size.cx, 20);
}

TEST_F(DropDownTest, VersionProbesAnswerWindows10AndTheScaleIsOneAt96Dpi) {
    Integer Major = 0, Minor = 0;
    GetWindowsVersion(Major, Minor);
    EXPECT_EQ(Major, 10);
    EXPECT_EQ(Minor, 0);
    EXPECT_TRUE(IsWindows10());
    EXPECT_FALSE(IsWindowsVista());
    TForm* Form = NewForm();
    EXPECT_EQ(GetDPIScale(Form), 1.0f);
    EXPECT_EQ(GetDPIScale(nullptr), 1.0f);
}
