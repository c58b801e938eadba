// wxWidgets' wxGrid over wxGridStringTable in the grid comparison (under
// xvfb-run).

#include "GridBenchCommon.h"

#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/app.h>

namespace {

struct TWxAdapter {
    wxFrame* Frame = nullptr;
    wxGrid* Grid = nullptr;
    void Create(int Rows, int Cols) {
        Frame = new wxFrame(nullptr, wxID_ANY, "grid");
        Grid = new wxGrid(Frame, wxID_ANY);
        Grid->CreateGrid(Rows, Cols); // a wxGridStringTable
    }
    void Set(int Row, int Col, const std::string& Text) { Grid->SetCellValue(Row, Col, wxString::FromUTF8(Text)); }
    void InsertRows(int At, int Count) { Grid->InsertRows(At, Count); }
    void DeleteRows(int At, int Count) { Grid->DeleteRows(At, Count); }
    int RowCount() const { return Grid->GetNumberRows(); }
    std::string Get(int Row, int Col) { return Grid->GetCellValue(Row, Col).ToStdString(wxConvUTF8); }
};

// A GUI application object, so that start-up opens the display.
class TBenchApp : public wxApp {
public:
    bool OnInit() override { return true; }
};

} // namespace

wxIMPLEMENT_APP_NO_MAIN(TBenchApp);

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s data-file\n", argv[0]);
        return 2;
    }
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        fprintf(stderr, "wxWidgets could not start\n");
        return 2;
    }
    TWxAdapter Adapter;
    const int Result = gridbench::Run(Adapter, argv[1]);
    Adapter.Frame->Destroy();
    wxEntryCleanup();
    return Result;
}
