#include "graphics/Printer.h"

#include <cairo-pdf.h>

#include <cmath>

#include "rtl/Encoding.h"

namespace {
// A4 in millimetres.
constexpr double PaperWidthMM = 210;
constexpr double PaperHeightMM = 297;

Integer MillimetresToPixels(double mm, Integer pixelsPerInch) { return Integer(std::lround(mm / 25.4 * pixelsPerInch)); }
} // namespace

TPrinter::TPrinter() : FCanvas(std::make_unique<TCanvas>()) {}

TPrinter::~TPrinter() {
    FCanvas->SetHandle(nullptr);
    FDC.reset();
    if (FPage) cairo_surface_destroy(FPage);
    for (cairo_surface_t* page : FPages) cairo_surface_destroy(page);
}

void TPrinter::CheckPrinting(bool printing) const {
    if (printing && !FPrinting) throw EPrinter(u"Printer is not currently printing");
    if (!printing && FPrinting) throw EPrinter(u"Printing in progress");
}

void TPrinter::SetPixelsPerInch(Integer value) {
    CheckPrinting(false);
    if (value > 0) FPixelsPerInch = value;
}

void TPrinter::SetOrientation(TPrinterOrientation value) {
    CheckPrinting(false);
    FOrientation = value;
}

Integer TPrinter::PageWidth() const {
    return MillimetresToPixels(FOrientation == poPortrait ? PaperWidthMM : PaperHeightMM, FPixelsPerInch);
}

Integer TPrinter::PageHeight() const {
    return MillimetresToPixels(FOrientation == poPortrait ? PaperHeightMM : PaperWidthMM, FPixelsPerInch);
}

winapi::HDC TPrinter::Handle() {
    CheckPrinting(true);
    return FDC.get();
}

void TPrinter::StartPage() {
    cairo_rectangle_t extents{0, 0, double(PageWidth()), double(PageHeight())};
    FPage = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
    // Every sheet starts with a fresh context: default mapping, no clip.
    FDC = std::make_unique<TDeviceContext>(FPage, TDeviceTechnology::Printer, FPixelsPerInch,
                                           TSize{PageWidth(), PageHeight()});
    FCanvas->SetHandle(FDC.get());
}

void TPrinter::FinishPage() {
    FCanvas->SetHandle(nullptr);
    FDC.reset();
    FPages.push_back(FPage);
    FPage = nullptr;
}

void TPrinter::BeginDoc() {
    CheckPrinting(false);
    for (cairo_surface_t* page : FPages) cairo_surface_destroy(page);
    FPages.clear();
    FAborted = false;
    FPrinting = true;
    StartPage();
}

void TPrinter::NewPage() {
    CheckPrinting(true);
    FinishPage();
    StartPage();
}

void TPrinter::Abort() {
    CheckPrinting(true);
    FinishPage();
    for (cairo_surface_t* page : FPages) cairo_surface_destroy(page);
    FPages.clear();
    FPrinting = false;
    FAborted = true;
}

void TPrinter::EndDoc() {
    CheckPrinting(true);
    FinishPage();
    FPrinting = false;
    const double points = 72.0 / FPixelsPerInch;
    cairo_surface_t* pdf =
        cairo_pdf_surface_create(Utf8(FFileName).c_str(), PageWidth() * points, PageHeight() * points);
    if (!FTitle.empty()) cairo_pdf_surface_set_metadata(pdf, CAIRO_PDF_METADATA_TITLE, Utf8(FTitle).c_str());
    cairo_t* cr = cairo_create(pdf);
    for (cairo_surface_t* page : FPages) {
        cairo_save(cr);
        cairo_scale(cr, points, points);
        cairo_set_source_surface(cr, page, 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(pdf);
    const cairo_status_t status = cairo_surface_status(pdf);
    cairo_surface_destroy(pdf);
    if (status != CAIRO_STATUS_SUCCESS) throw EFCreateError(u"Cannot create file \"" + FFileName + u"\"");
}

cairo_surface_t* TPrinter::RenderPage(Integer index, Integer pixelsPerInch) const {
    if (index < 0 || index >= PageCount()) throw EPrinter(u"Page index out of range");
    const double scale = double(pixelsPerInch) / FPixelsPerInch;
    cairo_surface_t* image = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, Integer(std::lround(PageWidth() * scale)), Integer(std::lround(PageHeight() * scale)));
    cairo_t* cr = cairo_create(image);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, FPages[index], 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return image;
}

namespace {
TPrinter* CurrentPrinter = nullptr;
} // namespace

TPrinter* Printer() {
    static TPrinter Own;
    return CurrentPrinter ? CurrentPrinter : &Own;
}

TPrinter* SetPrinter(TPrinter* value) {
    TPrinter* previous = Printer();
    CurrentPrinter = value;
    return previous;
}
