#include <gtest/gtest.h>

#include "PixelTestSupport.h"
#include "graphics/Canvas.h"
#include "graphics/GdiDraw.h"
#include "rtl/Exception.h"

TEST(Canvas, SelectsItsObjectsWhenTheyChange) {
    TPixelSurface s(6, 3);
    TCanvas canvas;
    canvas.SetHandle(s.DC());
    canvas.Pen()->SetColor(clRed);
    canvas.MoveTo(0, 0);
    canvas.LineTo(6, 0);
    canvas.Pen()->SetColor(clBlue);
    canvas.MoveTo(0, 1);
    canvas.LineTo(6, 1);
    EXPECT_EQ(s.Mask(clRed)[0], "######");
    EXPECT_EQ(s.Mask(clBlue)[1], "######");
}

TEST(Canvas, KeepsAPenSelectedThroughItsHandle) {
    // Callers select their own pen into Handle for a bracket of drawing.
    TPixelSurface s(6, 1);
    TCanvas canvas;
    canvas.SetHandle(s.DC());
    canvas.MoveTo(0, 0); // realises the canvas's own objects
    canvas.Rectangle(-5, -5, -4, -4);
    winapi::HPEN red = winapi::CreatePen(PS_SOLID, 1, clRed);
    winapi::HGDIOBJ old = winapi::SelectObject(canvas.Handle(), red);
    canvas.LineTo(6, 0);
    EXPECT_EQ(s.Mask(clRed)[0], "######");
    winapi::SelectObject(canvas.Handle(), old);
    winapi::DeleteObject(red);
}

TEST(Canvas, ClearBrushMakesBackgroundsTransparent) {
    TPixelSurface s(4, 4);
    TCanvas canvas;
    canvas.SetHandle(s.DC());
    canvas.Brush()->SetStyle(bsClear);
    canvas.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(winapi::GetBkMode(s.DC()), TRANSPARENT);
    EXPECT_EQ(s.Pixel(1, 1), clWhite);
    canvas.Brush()->SetColor(clRed); // a colour makes the brush solid again
    EXPECT_EQ(canvas.Brush()->Style(), bsSolid);
    canvas.FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(s.Count(clRed), 4);
    EXPECT_EQ(winapi::GetBkMode(s.DC()), OPAQUE);
}

TEST(Canvas, PenModeXorAndPixels) {
    TPixelSurface s(3, 1);
    TCanvas canvas;
    canvas.SetHandle(s.DC());
    canvas.Pen()->SetMode(pmXor);
    canvas.Pen()->SetColor(clWhite);
    canvas.MoveTo(0, 0);
    canvas.LineTo(3, 0);
    EXPECT_EQ(canvas.Pixels(1, 0), clBlack);
    canvas.SetPixels(2, 0, clBtnFace);
    EXPECT_EQ(canvas.Pixels(2, 0), RGB(240, 240, 240));
}

TEST(Canvas, ThrowsWithoutAContext) {
    TCanvas canvas;
    try {
        canvas.LineTo(1, 1);
        FAIL();
    } catch (const EInvalidOperation& e) {
        EXPECT_EQ(e.Message(), u"Canvas does not allow drawing");
    }
}

TEST(Font, SizeAndHeightFollowThePixelsPerInch) {
    TFont font;
    EXPECT_EQ(font.Name(), u"Tahoma");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13);
    font.SetPixelsPerInch(300);
    EXPECT_EQ(font.Size(), 3);
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -42);
}

TEST(Font, ReportsChangesOnceAndAssigns) {
    TFont a, b;
    int changes = 0;
    b.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &b);
        ++changes;
    };
    b.SetColor(b.Color()); // unchanged: no report
    EXPECT_EQ(changes, 0);
    a.SetName(u"Arial");
    a.SetStyle({fsBold, fsUnderline});
    a.SetOrientation(900);
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.Name(), u"Arial");
    EXPECT_TRUE(b.Style().Contains(fsUnderline));
    EXPECT_EQ(b.LogFont().Weight, FW_BOLD);
    EXPECT_EQ(b.LogFont().Escapement, 900);
    TPen pen;
    try {
        b.Assign(&pen);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), u"Cannot assign a TPen to a TFont");
    }
}
