// wxWidgets' wxGrid in the paint comparison (GDK_BACKEND=x11). A repaint
// refreshes the frame and waits until the grid's cell window has handled a
// paint event; a page down is MovePageDown, waited for the same way. Each
// ends with XSync on the display wxWidgets uses, so the server has handled
// the frame.

#include "GridPaintBenchCommon.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/utils.h>

#include <X11/Xlib.h>

namespace {

struct TWxAdapter {
    wxFrame* Frame = nullptr;
    wxGrid* Grid = nullptr;
    // The grid of the CSV cases, in a frame never shown.
    wxFrame* CsvFrame = nullptr;
    wxGrid* Csv = nullptr;
    long Paints = 0;
    void Create(int Cols, int Rows, int Width, int Height, const char* Font, int Points, int ColWidth,
                int RowHeight) {
        Frame = new wxFrame(nullptr, wxID_ANY, "Paint comparison", wxPoint(0, 0), wxSize(Width, Height),
                            wxBORDER_NONE);
        Grid = new wxGrid(Frame, wxID_ANY);
        Grid->CreateGrid(Rows, Cols);
        const wxFont Face(wxFontInfo(Points).FaceName(wxString::FromUTF8(Font)));
        Grid->SetDefaultCellFont(Face);
        Grid->SetLabelFont(Face);
        Grid->SetDefaultColSize(ColWidth, true);
        Grid->SetDefaultRowSize(RowHeight, true);
        Grid->DisableDragColSize();
        Grid->DisableDragRowSize();
        Grid->GetGridWindow()->Bind(wxEVT_PAINT, [this](wxPaintEvent& Event) {
            ++Paints;
            Event.Skip();
        });
    }
    void Set(int Row, int Col, const std::string& Text) { Grid->SetCellValue(Row, Col, wxString::FromUTF8(Text)); }
    void WaitForPaint(long Before) {
        Frame->Update();
        while (Paints == Before) wxTheApp->Yield(true);
        XSync(wxGetX11Display(), False);
    }
    void Show() {
        const long Before = Paints;
        Frame->Show();
        Grid->SetFocus();
        Grid->SetGridCursor(0, 0);
        WaitForPaint(Before);
        Repaint();
    }
    void Repaint() {
        const long Before = Paints;
        Frame->Refresh();
        WaitForPaint(Before);
    }
    void PageDown() {
        const long Before = Paints;
        Grid->MovePageDown();
        WaitForPaint(Before);
    }
    void NewCsvGrid(int Rows, int Cols) {
        if (!CsvFrame) CsvFrame = new wxFrame(nullptr, wxID_ANY, "CSV comparison");
        if (Csv) Csv->Destroy();
        Csv = new wxGrid(CsvFrame, wxID_ANY);
        Csv->CreateGrid(Rows, Cols);
    }
    void CsvFill(int Cols, int Rows) {
        NewCsvGrid(Rows, Cols);
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) Csv->SetCellValue(r, c, wxString::FromUTF8(paintbench::CsvText(r, c)));
    }
    void CsvExport(const std::string& Path) {
        paintbench::WriteCsv(Path, Csv->GetNumberRows(), Csv->GetNumberCols(), [this](int Row, int Col) {
            return std::string(Csv->GetCellValue(Row, Col).utf8_str());
        });
    }
    void CsvImport(const std::string& Path) {
        const auto Records = paintbench::ReadCsv(Path);
        int Cols = 0;
        for (const auto& Record : Records) Cols = std::max(Cols, int(Record.size()));
        NewCsvGrid(int(Records.size()), Cols);
        for (int r = 0; r < int(Records.size()); ++r)
            for (int c = 0; c < int(Records[size_t(r)].size()); ++c)
                Csv->SetCellValue(r, c, wxString::FromUTF8(Records[size_t(r)][size_t(c)]));
    }
    std::string CsvCell(int Row, int Col) { return std::string(Csv->GetCellValue(Row, Col).utf8_str()); }
};

class TBenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

} // namespace

wxIMPLEMENT_APP_NO_MAIN(TBenchApp);

int main(int argc, char** argv) {
    wxEntryStart(argc, argv);
    wxTheApp->CallOnInit();
    TWxAdapter Adapter;
    const int Result = paintbench::Run(Adapter);
    Adapter.Frame->Destroy();
    if (Adapter.CsvFrame) Adapter.CsvFrame->Destroy();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return Result;
}
