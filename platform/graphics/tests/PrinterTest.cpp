#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "graphics/GdiDraw.h"
#include "graphics/Printer.h"
#include "rtl/Encoding.h"

namespace {

TColor PixelOf(cairo_surface_t* image, int x, int y) {
    cairo_surface_flush(image);
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image) +
                                                        y * cairo_image_surface_get_stride(image));
    uint32_t p = row[x];
    return RGB(Byte(p >> 16), Byte(p >> 8), Byte(p));
}

int DarkPixels(cairo_surface_t* image, TRect area) {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x) n += GetRValue(PixelOf(image, x, y)) < 100;
    return n;
}

// Draws one page in the metric mapping: a red square 20 mm from the top-left
// corner, 20 mm wide, and a line of text under it.
void DrawPage(TPrinter& printer) {
    TCanvas* canvas = printer.Canvas();
    winapi::SetMapMode(canvas->Handle(), MM_LOMETRIC);
    canvas->Brush()->SetColor(clRed);
    canvas->Pen()->SetStyle(psClear);
    canvas->Rectangle(200, -200, 400, -400);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetName(u"Arial");
    canvas->Font()->SetHeight(-100); // 10 mm
    canvas->TextOut(200, -500, u"PEC Tier I");
}

struct TTempFolder {
    TTempFolder() {
        char name[] = "/tmp/printer-test-XXXXXX";
        Path = mkdtemp(name);
    }
    ~TTempFolder() { std::filesystem::remove_all(Path); }
    std::string Path;
};

} // namespace

TEST(Printer, WritesAPdfThatShowsTheDrawing) {
    TTempFolder folder;
    TPrinter printer;
    printer.SetFileName(FromUtf8(folder.Path + "/grid.pdf"));
    printer.SetTitle(u"Abstraction points");
    printer.SetPixelsPerInch(300);
    EXPECT_EQ(printer.PageWidth(), 2480);
    EXPECT_EQ(printer.PageHeight(), 3508);
    printer.BeginDoc();
    DrawPage(printer);
    printer.NewPage();
    EXPECT_EQ(winapi::GetMapMode(printer.Handle()), MM_TEXT); // a new sheet starts afresh
    EXPECT_EQ(printer.PageNumber(), 2);
    printer.EndDoc();
    EXPECT_EQ(printer.PageCount(), 2);

    const std::string command = "pdftoppm -r 72 -f 1 -l 1 -png " + folder.Path + "/grid.pdf " + folder.Path + "/page";
    ASSERT_EQ(std::system(command.c_str()), 0);
    cairo_surface_t* page = cairo_image_surface_create_from_png((folder.Path + "/page-1.png").c_str());
    ASSERT_EQ(cairo_surface_status(page), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(page), 596); // A4 (595.2 points) at 72 dpi
    // 20 mm is 56.7 points: the square covers about 57..113.
    EXPECT_EQ(PixelOf(page, 85, 85), clRed);
    EXPECT_EQ(PixelOf(page, 50, 85), clWhite);
    EXPECT_EQ(PixelOf(page, 120, 85), clWhite);
    EXPECT_GT(DarkPixels(page, Rect(56, 141, 300, 175)), 100); // the text line
    EXPECT_EQ(DarkPixels(page, Rect(0, 180, 595, 842)), 0);
    cairo_surface_destroy(page);

    // The preview shows the same page.
    cairo_surface_t* preview = printer.RenderPage(0, 72);
    EXPECT_EQ(PixelOf(preview, 85, 85), clRed);
    EXPECT_GT(DarkPixels(preview, Rect(56, 141, 300, 175)), 100);
    cairo_surface_destroy(preview);
}

TEST(Printer, LandscapeTurnsThePage) {
    TPrinter printer;
    printer.SetPixelsPerInch(100);
    printer.SetOrientation(poLandscape);
    EXPECT_EQ(printer.PageWidth(), 1169);
    EXPECT_EQ(printer.PageHeight(), 827);
}

TEST(Printer, RefusesOperationsOutOfTurn) {
    TTempFolder folder;
    TPrinter printer;
    printer.SetFileName(FromUtf8(folder.Path + "/x.pdf"));
    auto message = [](auto action) {
        try {
            action();
        } catch (const EPrinter& e) {
            return e.Message();
        }
        return String(u"(none)");
    };
    EXPECT_EQ(message([&] { printer.NewPage(); }), u"Printer is not currently printing");
    EXPECT_EQ(message([&] { printer.EndDoc(); }), u"Printer is not currently printing");
    printer.BeginDoc();
    EXPECT_EQ(message([&] { printer.BeginDoc(); }), u"Printing in progress");
    EXPECT_EQ(message([&] { printer.SetOrientation(poLandscape); }), u"Printing in progress");
    printer.Abort();
    EXPECT_TRUE(printer.Aborted());
    EXPECT_FALSE(std::filesystem::exists(folder.Path + "/x.pdf"));
}

TEST(Printer, AnUnwritableFileIsReported) {
    TPrinter printer;
    printer.SetFileName(u"/nonexistent-folder/out.pdf");
    printer.BeginDoc();
    try {
        printer.EndDoc();
        FAIL();
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), u"Cannot create file \"/nonexistent-folder/out.pdf\"");
    }
    EXPECT_FALSE(printer.Printing());
}

TEST(Printer, TheProgramsPrinterCanBeReplacedAndComesBack) {
    TPrinter* own = Printer();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(Printer(), own);
    TPrinter other;
    EXPECT_EQ(SetPrinter(&other), own);
    EXPECT_EQ(Printer(), &other);
    EXPECT_EQ(SetPrinter(nullptr), &other);
    EXPECT_EQ(Printer(), own);
}
