// The flat date-time picker's painting rules on a headless form, and the
// cell checker base.

#include "gridbase/CellCheck.h"
#include "gridbase/VazDateTimePicker.h"

#include "graphics/GdiDraw.h"
#include "graphics/Graphic.h"
#include "vcl/Forms.h"
#include "windowing/HeadlessBackend.h"
#include "windowing/Paint.h"

#include <gtest/gtest.h>

using namespace winapi;

namespace {

constexpr TColor Themed = 0xB99D7F; // RGB(127, 157, 185)

class VazDateTimePickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseHeadlessBackend();
        Free(Application);
        Application = Create<TApplication>(nullptr);
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 300, 200);
        Form->SetColor(clBtnFace);
        Picker = new TVazDateTimePicker(Form);
        Picker->SetParent(Form);
        Picker->SetBounds(10, 10, 140, 24);
        Form->Show();
        Application->ProcessMessages();
    }
    void TearDown() override {
        Free(Form);
        Free(Application);
        Application = Create<TApplication>(nullptr);
    }
    void Repaint() {
        RedrawWindow(Picker->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        Application->ProcessMessages();
    }
    // A pixel of the whole window (frame included).
    TColor WindowPixel(Integer X, Integer Y) {
        HDC DC = GetWindowDC(Picker->Handle());
        const TColor C = GetPixel(DC, X, Y);
        ReleaseDC(Picker->Handle(), DC);
        return C;
    }
    TColor ClientPixel(Integer X, Integer Y) {
        HDC DC = GetDC(Picker->Handle());
        const TColor C = GetPixel(DC, X, Y);
        ReleaseDC(Picker->Handle(), DC);
        return C;
    }

    TForm* Form = nullptr;
    TVazDateTimePicker* Picker = nullptr;
};

TEST_F(VazDateTimePickerTest, VersionIsFixed) {
    EXPECT_EQ(Picker->Version(), u"1.0.0.0");
    Picker->SetVersion(u"2.0.0.0");
    EXPECT_EQ(Picker->Version(), u"1.0.0.0");
    EXPECT_EQ(Picker->GetVersionNr(), 0x01000000);
    EXPECT_EQ(Picker->ButtonWidth(), 19);
    EXPECT_EQ(Picker->BorderStyle(), bsNone);
}

TEST_F(VazDateTimePickerTest, CustomBorderOnlyWithMetroStyle) {
    Picker->SetBorderColor(clRed);
    Repaint();
    EXPECT_NE(WindowPixel(0, 12), ColorToRGB(clRed));
    Picker->SetMetroStyle(true);
    Repaint();
    EXPECT_EQ(WindowPixel(0, 12), ColorToRGB(clRed));
}

TEST_F(VazDateTimePickerTest, FlatFrameColours) {
    Picker->SetBorderColor(clRed);
    auto* B = Create<TBitmap>();
    B->SetSize(Picker->Width(), Picker->Height());
    struct Case {
        TBorderStyle Style;
        TColor Outer, Inner;
    } Cases[] = {
        {bsNone, ColorToRGB(clBtnFace), ColorToRGB(clBtnFace)},
        // With the visual styles' common controls the frame is never the
        // border colour.
        {bsSingle, Themed, ColorToRGB(clBtnFace)},
    };
    for (const Case& C : Cases) {
        B->Canvas()->Brush()->SetColor(clWhite);
        B->Canvas()->FillRect({0, 0, B->Width(), B->Height()});
        Picker->SetBorderStyle(C.Style);
        Picker->DrawFlatFrame(B->Canvas());
        EXPECT_EQ(B->Canvas()->Pixels(0, 12), C.Outer) << Integer(C.Style);
        EXPECT_EQ(B->Canvas()->Pixels(1, 12), C.Inner) << Integer(C.Style);
    }
    Free(B);
}

TEST_F(VazDateTimePickerTest, TimePickerGetsNoMetroButtonFace) {
    Picker->SetMetroStyle(true);
    Picker->SetButtonColor(clRed);
    const Integer X = Picker->ClientWidth() - 4, Y = 5;
    Repaint();
    EXPECT_EQ(ClientPixel(X, Y), ColorToRGB(clRed));
    Picker->SetKind(dtkTime);
    Repaint();
    EXPECT_NE(ClientPixel(X, Y), ColorToRGB(clRed));
}

TEST(CellCheck, BaseAnswersTheTextAndGoesOn) {
    auto* Grid = Create<TComponent>(nullptr);
    auto* Check = Create<TZirOvararIzazCheck>(nullptr);
    EXPECT_EQ(Check->LastResult(), 1);
    EXPECT_FALSE(Check->UseCorrect() || Check->UseMarkError() || Check->AutoCorrect() || Check->AutoMarkError() ||
                 Check->GotoCell());
    Check->SetLastResult(0);
    EXPECT_EQ(Check->Correct(1, 2, u"<b>x</b>"), u"<b>x</b>");
    EXPECT_EQ(Check->LastResult(), 1);
    Check->SetLastResult(0);
    EXPECT_EQ(Check->MarkError(1, 2, u"y"), u"y");
    EXPECT_EQ(Check->LastResult(), 1);
    Check->SetGrid(Grid);
    Free(Grid);
    EXPECT_EQ(Check->Grid(), nullptr);
    Free(Check);
}

} // namespace
