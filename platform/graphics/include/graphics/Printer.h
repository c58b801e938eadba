#pragma once
// TPrinter: the class library's printer over a PDF file. Each page is drawn
// on a recording surface in printer pixels at the printer's resolution; at
// EndDoc the pages go to one PDF file, and they stay available as bitmaps
// for a preview of exactly what was printed.

#include <cairo.h>

#include <memory>
#include <vector>

#include "graphics/Canvas.h"
#include "rtl/Exception.h"

class EPrinter : public Exception {
public:
    explicit EPrinter(String message) : Exception(std::move(message)) {}
};

RTL_ENUM(TPrinterOrientation, poPortrait, poLandscape)

class TPrinter : public TObject {
public:
    TPrinter();
    ~TPrinter() override;

    // The PDF file a document is written to.
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& value) { FFileName = value; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& value) { FTitle = value; }
    // Printer pixels per inch; fixed while printing.
    Integer PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(Integer value);
    TPrinterOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TPrinterOrientation value);
    // The printable page (A4) in printer pixels, turned with the orientation.
    Integer PageWidth() const;
    Integer PageHeight() const;
    // The printer's names: one PDF printer.
    std::vector<String> Printers() const { return {u"PDF"}; }

    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }
    Integer PageNumber() const { return Integer(FPages.size()) + (FPrinting ? 1 : 0); }
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // Ends the document without writing it.
    void Abort();

    TCanvas* Canvas() { return FCanvas.get(); }
    winapi::HDC Handle();

    // The pages of the last document, drawn as bitmaps at `pixelsPerInch`
    // (the caller destroys the surface).
    Integer PageCount() const { return Integer(FPages.size()); }
    cairo_surface_t* RenderPage(Integer index, Integer pixelsPerInch) const;

private:
    void StartPage();
    void FinishPage();
    void CheckPrinting(bool printing) const;

    String FFileName;
    String FTitle;
    Integer FPixelsPerInch = 300;
    TPrinterOrientation FOrientation = poPortrait;
    bool FPrinting = false;
    bool FAborted = false;
    std::unique_ptr<TCanvas> FCanvas;
    std::unique_ptr<TDeviceContext> FDC;
    cairo_surface_t* FPage = nullptr;
    std::vector<cairo_surface_t*> FPages;
};

// The program's printer, made on first use. SetPrinter puts another in its
// place (the caller keeps owning it; null goes back to the program's own)
// and answers the one it replaces.
TPrinter* Printer();
TPrinter* SetPrinter(TPrinter* value);
