// Our final string grid in the paint comparison, on the SDL2 backend of the
// display in the environment. A repaint invalidates the grid and updates it
// at once: the grid paints, the window system presents the changed part and
// SDL puts it to the X server and waits for the server (XSync) before the
// update returns. A page down is the grid's own Page Down key handling,
// followed by the update.

#include "GridPaintBenchCommon.h"
#include "grid/ZirOvararIzaz.h"
#include "rtl/Convert.h"
#include "rtl/Encoding.h"
#include "vcl/Forms.h"
#include "windowing/Backend.h"
#include "windowing/Input.h"
#include "windowing/Messages.h"

namespace {

// A grid off screen for the CSV cases, multi-line cells on.
TZirOvararIzaz* CsvGrid() {
    auto* Grid = ::Create<TZirOvararIzaz>(nullptr);
    Grid->SetFixedRows(0);
    Grid->SetFixedCols(0);
    Grid->SetMultilinecells(true);
    return Grid;
}

struct TOurAdapter {
    TForm* Form = nullptr;
    TZirOvararIzaz* Grid = nullptr;
    TZirOvararIzaz* Csv = nullptr;
    ~TOurAdapter() { Free(Csv); }
    void Create(int Cols, int Rows, int Width, int Height, const char* Font, int Points, int ColWidth,
                int RowHeight) {
        Application->Initialize();
        Application->CreateForm(Form);
        Form->SetCaption(u"Paint comparison");
        Form->SetBorderStyle(bsNone);
        Form->SetBounds(0, 0, Width, Height);
        Grid = ::Create<TZirOvararIzaz>(Form);
        Grid->SetParent(Form);
        Grid->SetAlign(alClient);
        Grid->Font()->SetName(FromUtf8(Font));
        Grid->Font()->SetSize(Points);
        Grid->SetColCount(Cols + 1);
        Grid->SetRowCount(Rows + 1);
        Grid->SetFixedRows(1);
        Grid->SetFixedCols(1);
        Grid->SetDefaultColWidth(ColWidth);
        Grid->SetDefaultRowHeight(RowHeight);
        for (int c = 1; c <= Cols; ++c) Grid->SetCells(c, 0, IntToStr(c));
        for (int r = 1; r <= Rows; ++r) Grid->SetCells(0, r, IntToStr(r));
    }
    void Set(int Row, int Col, const std::string& Text) { Grid->SetCells(Col + 1, Row + 1, FromUtf8(Text)); }
    void Show() {
        Form->Show();
        Grid->SetFocus();
        Application->ProcessMessages();
        Repaint();
    }
    void Repaint() {
        Grid->Invalidate();
        Grid->Update();
    }
    void PageDown() {
        Grid->Perform(winapi::WM_KEYDOWN, winapi::VK_NEXT, 0);
        Grid->Update();
    }
    void CsvFill(int Cols, int Rows) {
        Free(Csv);
        Csv = CsvGrid();
        Csv->SetColCount(Cols);
        Csv->SetRowCount(Rows);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) Csv->SetCells(c, r, FromUtf8(paintbench::CsvText(r, c)));
    }
    void CsvExport(const std::string& Path) { Csv->SaveToCSV(FromUtf8(Path), true); }
    void CsvImport(const std::string& Path) {
        Free(Csv);
        Csv = CsvGrid();
        Csv->LoadFromCSV(FromUtf8(Path));
    }
    std::string CsvCell(int Row, int Col) { return Utf8(Csv->Cells(Col, Row)); }
};

} // namespace

int main() {
    if (Backend().Name() != u"sdl") {
        std::fprintf(stderr, "the comparison needs the SDL2 backend on an X display\n");
        return 2;
    }
    TOurAdapter Adapter;
    return paintbench::Run(Adapter);
}
