// wxWidgets' wxGrid over wxGridStringTable in the grid comparison (under
// xvfb-run). wxGrid has no sort of its own: the program reads the column
// through the table, orders the rows with std::stable_sort and writes the
// rows back; it keeps each row's first position for the undo. Nor has it a
// search or a filter: the search reads every cell with GetCellValue, the
// filter hides each failing row with HideRow inside BeginBatch/EndBatch
// and shows them again with ShowRow.

#include "GridBenchCommon.h"

#include <wx/frame.h>
#include <wx/grid.h>
#include <wx/app.h>

#include <algorithm>
#include <numeric>

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

    std::vector<int> FirstPos; // the position each row had before the first sort
    void PrepareSort() {
        FirstPos.resize(size_t(RowCount()));
        std::iota(FirstPos.begin(), FirstPos.end(), 0);
    }
    // Row i takes the old row Order[i], through the table.
    void WriteBack(const std::vector<int>& Order) {
        wxGridTableBase* Table = Grid->GetTable();
        const int Rows = RowCount(), Cols = Table->GetNumberCols();
        std::vector<wxString> Old(size_t(Rows) * size_t(Cols));
        for (int r = 0; r < Rows; ++r)
            for (int c = 0; c < Cols; ++c) Old[size_t(r) * size_t(Cols) + size_t(c)] = Table->GetValue(r, c);
        std::vector<int> Pos(FirstPos.size());
        for (int r = 0; r < Rows; ++r) {
            const int From = Order[size_t(r)];
            for (int c = 0; c < Cols; ++c) Table->SetValue(r, c, Old[size_t(From) * size_t(Cols) + size_t(c)]);
            Pos[size_t(r)] = FirstPos[size_t(From)];
        }
        FirstPos.swap(Pos);
    }
    std::vector<int> Identity() const {
        std::vector<int> Order(static_cast<size_t>(RowCount()));
        std::iota(Order.begin(), Order.end(), 0);
        return Order;
    }
    void SortNumbers(int Col) {
        wxGridTableBase* Table = Grid->GetTable();
        std::vector<std::pair<bool, long long>> Keys(static_cast<size_t>(RowCount()));
        for (int r = 0; r < RowCount(); ++r) {
            const wxString Text = Table->GetValue(r, Col);
            long long Value = 0;
            Keys[size_t(r)] = {Text.empty() || !Text.ToLongLong(&Value), Value};
        }
        std::vector<int> Order = Identity();
        std::stable_sort(Order.begin(), Order.end(), [&](int a, int b) { return Keys[size_t(a)] < Keys[size_t(b)]; });
        WriteBack(Order);
    }
    void SortTexts(int Col) {
        wxGridTableBase* Table = Grid->GetTable();
        std::vector<wxString> Keys(static_cast<size_t>(RowCount()));
        for (int r = 0; r < RowCount(); ++r) Keys[size_t(r)] = Table->GetValue(r, Col);
        std::vector<int> Order = Identity();
        std::stable_sort(Order.begin(), Order.end(), [&](int a, int b) {
            const wxString &A = Keys[size_t(a)], &B = Keys[size_t(b)];
            if (A.empty() != B.empty()) return B.empty();
            return A < B;
        });
        WriteBack(Order);
    }
    void UnSort() {
        std::vector<int> Order = Identity();
        std::stable_sort(Order.begin(), Order.end(), [&](int a, int b) { return FirstPos[size_t(a)] < FirstPos[size_t(b)]; });
        WriteBack(Order);
    }
    int FindAll(const char* Text) {
        const wxString Key = wxString::FromUTF8(Text).Lower();
        int Found = 0;
        for (int r = 0; r < RowCount(); ++r)
            for (int c = 0; c < gridbench::Columns; ++c)
                if (Grid->GetCellValue(r, c).Lower().Contains(Key)) ++Found;
        return Found;
    }
    void PrepareFilter() {}
    int Filter(int Col, const char* Text) {
        const wxString Key = wxString::FromUTF8(Text).Lower();
        int Left = 0;
        Grid->BeginBatch();
        for (int r = 0; r < RowCount(); ++r)
            if (Grid->GetCellValue(r, Col).Lower().Contains(Key))
                ++Left;
            else
                Grid->HideRow(r);
        Grid->EndBatch();
        return Left;
    }
    int Unfilter() {
        Grid->BeginBatch();
        for (int r = 0; r < RowCount(); ++r)
            if (!Grid->IsRowShown(r)) Grid->ShowRow(r);
        Grid->EndBatch();
        return RowCount();
    }
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
