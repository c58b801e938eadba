// The print and preview entry points: a count of the pages, OnPrintStart,
// then the drawing run on the printer's PDF document or on the caller's
// canvas, bracketed by the export notifications; and the drawing of one
// page on any canvas.

#include "grid/ZirOvararIzaz.h"
#include "graphics/DeviceContext.h"
#include "graphics/Printer.h"

#include <climits>
#include <cmath>

namespace {

// Puts a canvas into the metric mapping and gives its mapping back when it
// goes, also when drawing raises.
class TMetricMapping {
public:
    explicit TMetricMapping(TCanvas* Canvas)
        : FCanvas(Canvas), FMode(winapi::GetMapMode(Canvas->Handle())) {
        winapi::SetMapMode(Canvas->Handle(), MM_LOMETRIC);
    }
    ~TMetricMapping() { Restore(); }
    void Restore() {
        if (FCanvas) winapi::SetMapMode(FCanvas->Handle(), FMode);
        FCanvas = nullptr;
    }
    TMetricMapping(const TMetricMapping&) = delete;
    TMetricMapping& operator=(const TMetricMapping&) = delete;

private:
    TCanvas* FCanvas;
    Integer FMode;
};

} // namespace

void TZirOvararIzaz::NewPrintSheet() { Printer()->NewPage(); }

void TZirOvararIzaz::PrintGridRect(const TGridRect& Range, bool SelectedOnly) {
    const TPrintSettings* S = PrintSettings();
    ExportNotification(esExportStart, -1);
    FPrintRect = Range;
    TPrinter* Pr = Printer();
    const bool WasPrinting = Pr->Printing();
    if (!WasPrinting && !S->UseDefaultOrientation()) Pr->SetOrientation(S->Orientation());
    const Double PPI = Pr->PixelsPerInch();
    PrevRect = TRect(0, 0, Integer(std::nearbyint(254 / PPI * Pr->PageWidth())),
                     Integer(std::nearbyint(254 / PPI * Pr->PageHeight())));
    Pr->SetTitle(S->JobName());

    FUseCacheRowHeights = false;
    Integer Count = INT_MAX;
    if (!FFastPrint) {
        TCanvas* Own = TCustomControl::Canvas();
        TMetricMapping Mapping(Own);
        Count = PrintPages(Own, ppsCountPrint, -1, SelectedOnly);
        Mapping.Restore();
        FUseCacheRowHeights = true;
    }
    FPrintPageFrom = 1;
    FPrintPageTo = Count;
    FPrintPageNum = Count;
    if (OnPrintStart) {
        OnPrintStart(this, Count, FPrintPageFrom, FPrintPageTo);
        if (FPrintPageFrom == 0 || FPrintPageTo == 0 || FPrintPageTo < FPrintPageFrom) return;
    }
    if (!WasPrinting) Pr->BeginDoc();
    try {
        TCanvas* Cv = Pr->Canvas();
        TMetricMapping Mapping(Cv);
        Cv->Brush()->SetColor(clWhite);
        Cv->Brush()->SetStyle(bsSolid);
        Cv->Pen()->SetColor(clWhite);
        Cv->FillRect(TRect(PrevRect.Left, -PrevRect.Bottom, PrevRect.Right, -PrevRect.Top));
        FPrintPageNum = FPrintPageTo;
        // Without a count the pages show no total.
        PrintPages(Cv, ppsPrint, FFastPrint ? -1 : Count, SelectedOnly);
    } catch (...) {
        // No half-written document is left.
        if (!WasPrinting && Pr->Printing()) Pr->Abort();
        throw;
    }
    if (!WasPrinting) Pr->EndDoc();
    ExportNotification(esExportDone, -1);
}

void TZirOvararIzaz::PreviewGridRect(TCanvas* Canvas, const TRect& Displayrect, bool SelectedOnly,
                                     const TGridRect& Range) {
    ExportNotification(esExportStart, -1);
    struct TDone {
        TZirOvararIzaz* G;
        ~TDone() {
            G->ExportNotification(esExportDone, -1);
            G->FIsPrintPreview = false;
        }
    } Done{this};
    FPrintRect = Range;
    TMetricMapping Mapping(Canvas);
    PrevRect = Displayrect;
    FUseCacheRowHeights = false;
    Integer Count = 1;
    if (!FFastPrint) {
        Count = PrintPages(Canvas, ppsCountPreview, -1, SelectedOnly);
        FPrintPageNum = Count;
        FUseCacheRowHeights = true;
    }
    FIsPrintPreview = true;
    Integer From = 1, To = Count;
    if (OnPrintStart) OnPrintStart(this, Count, From, To);
    if (From > 0 && To > 0 && To >= From) {
        PrevRect = Displayrect;
        PrintPages(Canvas, ppsPreview, Count, SelectedOnly);
    }
}

void TZirOvararIzaz::PrintDrawRect(TCanvas* Canvas, const TRect& DrawRect, const TGridRect& Gridrect) {
    FPrintRect = Gridrect;
    PrevRect = DrawRect;
    FPrintPageFrom = FPrintPageTo = FPrintPageNum = 1;
    TMetricMapping Mapping(Canvas);
    PrintPages(Canvas, ppsPrint, 1, false);
}

namespace {
TGridRect WholeGrid(Integer ColCount, Integer RowCount) {
    TGridRect R{};
    R.Left = 0;
    R.Top = 0;
    R.Right = ColCount - 1;
    R.Bottom = RowCount - 1;
    return R;
}
} // namespace

void TZirOvararIzaz::Print() { PrintGridRect(WholeGrid(ColCount(), RowCount()), false); }
void TZirOvararIzaz::PrintRect(const TGridRect& Gridrect) { PrintGridRect(Gridrect, false); }
void TZirOvararIzaz::PrintSelection() { PrintGridRect(Selection(), false); }
void TZirOvararIzaz::PrintSelectedRows() { PrintGridRect(WholeGrid(ColCount(), RowCount()), true); }
void TZirOvararIzaz::PrintSelectedCols() { PrintSelectedRows(); }

void TZirOvararIzaz::PrintPreview(TCanvas* Canvas, const TRect& Displayrect) {
    PreviewGridRect(Canvas, Displayrect, false, WholeGrid(ColCount(), RowCount()));
}
void TZirOvararIzaz::PrintPreviewRect(TCanvas* Canvas, const TRect& Displayrect, const TGridRect& Gridrect) {
    PreviewGridRect(Canvas, Displayrect, false, Gridrect);
}
void TZirOvararIzaz::PrintPreviewSelection(TCanvas* Canvas, const TRect& Displayrect) {
    PreviewGridRect(Canvas, Displayrect, false, Selection());
}
void TZirOvararIzaz::PrintPreviewSelectedRows(TCanvas* Canvas, const TRect& Displayrect) {
    PreviewGridRect(Canvas, Displayrect, true, WholeGrid(ColCount(), RowCount()));
}
void TZirOvararIzaz::PrintPreviewSelectedCols(TCanvas* Canvas, const TRect& Displayrect) {
    PrintPreviewSelectedRows(Canvas, Displayrect);
}
void TZirOvararIzaz::PrintDraw(TCanvas* Canvas, const TRect& DrawRect) {
    PrintDrawRect(Canvas, DrawRect, WholeGrid(ColCount(), RowCount()));
}

void TZirOvararIzaz::SavePrintSettings(const String& Key, const String& Section) {
    PrintSettings()->SaveToIni(Key, Section);
}

void TZirOvararIzaz::LoadPrintSettings(const String& Key, const String& Section) {
    PrintSettings()->LoadFromIni(Key, Section);
}
